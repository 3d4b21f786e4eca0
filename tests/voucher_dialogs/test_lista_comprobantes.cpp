// The voucher pick list on vouchers of known content: lines and icons per
// group, the result per type, sorting, and bad input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <functional>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "lista_comprobantes.h"
#include "platform/cls_datos.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/listview.h"
#include "platform/vb.h"
#include "support/lineas.h"
#include "support/traza_sentencias.h"

namespace {

class ListaCptes : public ConComprobantes {
 protected:
  void SetUp() override {
    ConComprobantes::SetUp();
    Venta("OT", "000100000025A", 0, "2026-03-01", "C001", "Talleres Ulmendra", 1500.5, 0, 1);
    Venta("OT", "000100000030A", 2, "2026-03-05", "C002", "Frigorífico Dorlanda", 820, 1, 1);
    Venta("OT", "000100000031A", 0, "2026-03-06", "C003", "Panadería O'Brien", 99.25);
    Venta("OT", "000100000040A", 0, "2026-03-09", "C001", "Talleres Ulmendra", 10, 0, 1, 1);  // finished
    Venta("FC", "000100000101A", 3, "2026-03-10", "C001", "Talleres Ulmendra", 2000, 0, 1, 0, "Anticipo");
    Venta("RM", "000100000201R", 4, "2026-03-11", "C002", "Frigorífico Dorlanda", 0);
    Venta("PR", "000100000050X", 0, "2026-02-01", "C003", "Panadería O'Brien", 300, 0, 1, 0, "Ref. horno 2");
    Venta("PR", "000100000051X", 0, "2026-02-03", "C001", "Talleres Ulmendra", 450, 1);
    Venta("ZZ", "000100000001X", 0, "2026-01-15", "C001", "Talleres Ulmendra", 12, 0, 0, 0, "Un concepto");
    Compra("OC", "000100000001X", "2026-03-02", "P001", "Frescurdi S.A.", 5000, 0, 1, 0, 0, "Urgente");
    Compra("OC", "000100000002X", "2026-03-03", "P002", "Bombas Quelvar", 700, 0, 1, 0, 1);
    Compra("OC", "000100000003X", "2026-03-04", "P001", "Frescurdi S.A.", 800, 1, 1, 0, 1);
    Compra("OC", "000100000004X", "2026-03-05", "P001", "Frescurdi S.A.", 900, 0, 0, 0, 0);  // not approved
    Compra("FCC", "000300000777A", "2026-03-07", "P002", "Bombas Quelvar", 1210, 1, 1, 0, 0, "Repuestos");
    e.Sql("INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL) VALUES ('P001', 'Frescurdi S.A.'), "
          "('P002', 'Bombas Quelvar')");
    e.Sql("INSERT INTO MV_ASIENTOS (FECHA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, DESCRIPCION, IMPORTE) VALUES "
          "('2026-03-08', 'NCPE', '0003', '00001234', 'A', 'P001', 'Bonificación', 150)");
    e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES "
          "('  IR', '000100000077X', '  OC', '000100000002X')");
    e.Sql("INSERT INTO V_MV_CPTETERCEROS (ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, FECHAENVIADO, FECHARECIBIDO) "
          "VALUES (41, '  T3', '000100000009X', 0, '2026-01-20', '2026-01-21', NULL)");
  }

  // The line whose sub-item holds the key (by default the column of the
  // sales and quote layouts).
  static ListItem* Busca(FrmConsComprobantes& f, const QString& clave, int sub = ColConsVentas::kComprobante) {
    return &LineaExistente(f.ListView1, sub, clave);
  }

  // The column of the amount: the last one.
  static int ImporteDe(FrmConsComprobantes& f) { return f.ListView1->ColumnHeaders().Count() - 1; }

  // Selects the line and accepts, as a person would with the mouse.
  static void EligeYAcepta(FrmConsComprobantes& f, ListItem* it) {
    ASSERT_NE(it, nullptr);
    it->SetSelected(true);
    f.CmdAceptar->click();
  }
};

// The statements the program sends, counted from before it connects.
class SentenciasLista : public ListaCptes {
 protected:
  // The statements a load of the type's list costs, and the list.
  long Carga(const QString& tc, std::unique_ptr<FrmConsComprobantes>* lista = nullptr) {
    const long antes = TrazaSentencias::Cuenta();
    auto f = AbreLista(tc);
    const long n = TrazaSentencias::Cuenta() - antes;
    if (lista) *lista = std::move(f);
    return n;
  }
  TrazaSentencias traza;
};

}  // namespace

TEST_F(ListaCptes, WorkOrdersShowKeyComplementAndStateIcons) {
  auto f = AbreLista("OT");
  ASSERT_EQ(f->ListView1->ListItems().Count(), 3);  // the finished one is not pending
  // Descending voucher key.
  EXPECT_EQ(Linea(f->ListView1->ListItems()(1), 5),
            (QStringList{"06/03/2026", "000100000031A", "0", "Panadería O'Brien", "99.25"}));
  EXPECT_EQ(f->ListView1->ListItems()(2)->SubItems(ColConsVentas::kComplemento), "2");
  EXPECT_EQ(f->ListView1->ListItems()(3)->SubItems(ColConsVentas::kComprobante), "000100000025A");
  const int ot = 7, anulado = 2, aprobado = 3;
  EXPECT_EQ(f->ListView1->ListItems()(1)->SmallIcon(), ot);
  EXPECT_EQ(f->ListView1->ListItems()(1)->Icon(), ot);
  EXPECT_EQ(f->ListView1->ListItems()(2)->SmallIcon(), anulado);  // voided wins over approved
  EXPECT_EQ(f->ListView1->ListItems()(3)->SmallIcon(), aprobado);
  EXPECT_FALSE(f->ListView1->Checkboxes());
  EXPECT_EQ(f->Caption(), "Consulta de Comprobantes");

  // A state stored as -1 (the old True) counts as set, as 1 does.
  const struct {
    const char* clave;
    int anulada, aprobado, icono;
  } estados[] = {{"000100000061A", -1, 0, anulado}, {"000100000062A", -1, -1, anulado},
                 {"000100000063A", 0, -1, aprobado}, {"000100000064A", 1, 0, anulado},
                 {"000100000065A", 0, 0, ot}};
  for (const auto& s : estados)
    Venta("OT", s.clave, 0, "2026-03-12", "C001", "Talleres Ulmendra", 5, s.anulada, s.aprobado);
  // An amount beyond the currency's range is reported (answered "go on")
  // and its work order left out, never listed with a wrapped amount.
  Venta("OT", "000100000066A", 0, "2026-03-12", "C001", "Talleres Ulmendra", 1e15);
  Venta("OT", "000100000067A", 0, "2026-03-12", "C001", "Talleres Ulmendra", -1e15);
  e.ui().respuestasError = {5, 5};
  auto g = AbreLista("OT");
  ASSERT_EQ(g->ListView1->ListItems().Count(), 3 + static_cast<int>(std::size(estados)));
  for (const auto& s : estados) EXPECT_EQ(Busca(*g, s.clave)->SmallIcon(), s.icono) << s.clave;
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  for (const auto& error : e.ui().De("Error")) EXPECT_EQ(error.valor, 6);
  for (int i = 1; i <= g->ListView1->ListItems().Count(); ++i)
    EXPECT_FALSE(g->ListView1->ListItems()(i)->SubItems(ImporteDe(*g)).startsWith('-')) << i;
  // A line picked through the widgets hands back its own key.
  EligeYAcepta(*g, Busca(*g, "000100000062A"));
  EXPECT_EQ(g->NroComprobante, "000100000062A");
}

TEST_F(ListaCptes, OnlyWorkOrdersAndInvoicesCarryTheirComplement) {
  auto fc = AbreLista("FC");
  ASSERT_EQ(fc->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(fc->ListView1->ListItems()(1)->SubItems(ColConsVentas::kComplemento), "3");
  EXPECT_EQ(fc->ListView1->ListItems()(1)->SmallIcon(), 3);
  auto rm = AbreLista("RM");
  ASSERT_EQ(rm->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(rm->ListView1->ListItems()(1)->SubItems(ColConsVentas::kComplemento), "");
  EXPECT_EQ(rm->ListView1->ListItems()(1)->SmallIcon(), 8);  // generic picture
}

TEST_F(ListaCptes, ImagesAreFoundByTheirTag) {
  auto f = AbreLista("OT");
  const std::pair<const char*, int> casos[] = {{"OT", 7},  {"FC", 4},   {"NC", 5},  {"ND", 6},       {"PR", 1},
                                               {"OC", 10}, {"Anulado", 2}, {"Aprobado", 3}, {"OCG", 11}, {"T3", 9},
                                               {"RM", 8},  {"NP", 8},   {"FCC", 8}, {"NCPE", 8},     {"ot", 7},
                                               {" FC ", 4}};
  for (const auto& [tc, indice] : casos) EXPECT_EQ(f->ObtieneIndiceImagen(tc), indice) << tc;
  // Without a generic picture an unknown type gets none (and no endless search).
  const int generico = f->ImageList1->IndiceDeTag("Generico");
  f->ImageList1->ListImages().Remove(generico);
  EXPECT_EQ(f->ObtieneIndiceImagen("RM"), 0);
  EXPECT_EQ(f->ObtieneIndiceImagen("OC"), 9);
}

TEST_F(ListaCptes, PurchaseOrdersShowSupplierReceptionAndGuaranteeIcons) {
  // A second reception report of an order: the first one read stays.
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES "
        "('  IR', '000100000080X', '  OC', '000100000002X')");
  auto f = AbreLista("OC");
  EXPECT_TRUE(f->ListView1->Checkboxes());
  ASSERT_EQ(f->ListView1->ListItems().Count(), 3);
  EXPECT_EQ(Linea(f->ListView1->ListItems()(3), 6),
            (QStringList{"02/03/2026", "P001 Frescurdi S.A.", "000100000001X", "5000.00", "Urgente", ""}));
  ListItem* garantia = Busca(*f, "000100000002X", ColConsOrdenes::kComprobante);
  ASSERT_NE(garantia, nullptr);
  EXPECT_EQ(garantia->SubItems(ColConsOrdenes::kRecepcion), "000100000077X");  // its reception report
  EXPECT_EQ(garantia->SmallIcon(), 11);
  EXPECT_EQ(Busca(*f, "000100000003X", ColConsOrdenes::kComprobante)->SmallIcon(), 2);  // voided with guarantee: voided
  EXPECT_EQ(Busca(*f, "000100000001X", ColConsOrdenes::kComprobante)->SmallIcon(), 10);
}

// What the lines look up is read once per key, not once per line: a list of
// 43 purchase orders costs the statements of one of 3, each order showing
// its own reception report; 41 supplier entries of two suppliers cost one
// statement more than one entry of one of them.
TEST_F(SentenciasLista, WhatTheLinesLookUpIsReadOncePerKey) {
  Carga("OC");
  const long ordenes = Carga("OC"), asientos = Carga("NCPE");
  auto clave = [](int i) { return QString("0002%1X").arg(i, 8, 10, QChar('0')); };
  for (int i = 0; i < 40; ++i) {
    Compra("OC", clave(i), "2026-04-01", "P001", "Frescurdi S.A.", 10 + i);
    // Every third order was received (the report of the first holds its
    // key in small letters).
    if (i % 3 == 0)
      e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES ('  IR', " +
            ClsDatos::Literal(QString("0009%1X").arg(i, 8, 10, QChar('0'))) + ", '  OC', " +
            ClsDatos::Literal(i == 0 ? clave(i).toLower() : clave(i)) + ")");
    e.Sql(QString("INSERT INTO MV_ASIENTOS (FECHA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, DESCRIPCION, IMPORTE) VALUES "
                  "('2026-04-01', 'NCPE', '0004', '%1', 'A', '%2', 'Nota', 1)")
              .arg(i, 8, 10, QChar('0'))
              .arg(i % 2 ? "P001" : "P002"));
  }
  // Reports that are none of an order: one whose origin type is stored
  // unpadded, one made from another type.
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES "
        "('  IR', '000800000001X', 'OC', " + ClsDatos::Literal(clave(0)) + "), "
        "('  IR', '000800000002X', '  OP', " + ClsDatos::Literal(clave(3)) + ")");
  std::unique_ptr<FrmConsComprobantes> f, g;
  EXPECT_EQ(Carga("OC", &f), ordenes);
  ASSERT_EQ(f->ListView1->ListItems().Count(), 43);
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(Busca(*f, clave(i), ColConsOrdenes::kComprobante)->SubItems(ColConsOrdenes::kRecepcion), i % 3 ? QString() : QString("0009%1X").arg(i, 8, 10, QChar('0')))
        << i;
  EXPECT_EQ(Busca(*f, "000100000002X", ColConsOrdenes::kComprobante)->SubItems(ColConsOrdenes::kRecepcion),
            "000100000077X");
  EXPECT_EQ(Carga("NCPE", &g), asientos + 1);
  ASSERT_EQ(g->ListView1->ListItems().Count(), 41);
  for (int i = 1; i <= 41; ++i) {
    const QString cuenta = g->ListView1->ListItems()(i)->SubItems(ColConsCompras::kProveedor);
    EXPECT_EQ(g->ListView1->ListItems()(i)->SubItems(ColConsCompras::kNombre), cuenta == "P001" ? "Frescurdi S.A." : "Bombas Quelvar") << i;
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaCptes, SupplierEntriesJoinBranchNumberAndLetterAndNameTheSupplier) {
  auto f = AbreLista("NCPE");
  ASSERT_EQ(f->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(Linea(f->ListView1->ListItems()(1), 6),
            (QStringList{"08/03/2026", "000300001234A", "P001", "Frescurdi S.A.", "Bonificación", "150.00"}));
  auto c = AbreLista("FCC");
  ASSERT_EQ(c->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(Linea(c->ListView1->ListItems()(1), 6),
            (QStringList{"07/03/2026", "000300000777A", "P002", "Bombas Quelvar", "Repuestos", "1210.00"}));
  EXPECT_EQ(c->ListView1->ListItems()(1)->SmallIcon(), 2);
}

TEST_F(ListaCptes, QuotesShowTheirReferenceOnlyWhenConfigured) {
  auto sin = AbreLista("PR");
  EXPECT_FALSE(sin->UsaReferencia());
  EXPECT_EQ(Titulos(sin->ListView1), (QStringList{"FECHA", "COMPROBANTE", "NOMBRE", "ID", "IMPORTE"}));
  EXPECT_EQ(Linea(Busca(*sin, "000100000050X"), 5),
            (QStringList{"01/02/2026", "000100000050X", "Panadería O'Brien", "", "300.00"}));
  EXPECT_EQ(Busca(*sin, "000100000051X")->SmallIcon(), 2);
  EXPECT_EQ(Busca(*sin, "000100000050X")->SmallIcon(), 1);

  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = 'si' WHERE CLAVE = 'UsaReferenciaPresupuestos'");
  auto con = AbreLista("PR");
  EXPECT_TRUE(con->UsaReferencia());
  EXPECT_EQ(Titulos(con->ListView1), (QStringList{"FECHA", "COMPROBANTE", "NOMBRE", "ID", "Referencia", "IMPORTE"}));
  EXPECT_EQ(Linea(Busca(*con, "000100000050X"), 6),
            (QStringList{"01/02/2026", "000100000050X", "Panadería O'Brien", "", "Ref. horno 2", "300.00"}));
  // Sales lines keep the amount under "IMPORTE" with the reference column.
  auto fc = AbreLista("FC");
  EXPECT_EQ(Titulos(fc->ListView1), (QStringList{"FECHA", "COMPROBANTE", "ID", "NOMBRE", "Referencia", "IMPORTE"}));
  EXPECT_EQ(Linea(fc->ListView1->ListItems()(1), 6),
            (QStringList{"10/03/2026", "000100000101A", "3", "Talleres Ulmendra", "Anticipo", "2000.00"}));
}

TEST_F(ListaCptes, ThirdPartyVouchersListEverythingByInternalNumber) {
  auto f = AbreLista("t3");
  ASSERT_EQ(f->ListView1->ListItems().Count(), 1);
  ListItem* it = f->ListView1->ListItems()(1);
  EXPECT_EQ(Linea(it, 6), (QStringList{"41", "20/01/2026", "000100000009X", "0", "21/01/2026", ""}));
  EXPECT_EQ(it->SmallIcon(), 0);
  EXPECT_EQ(it->Icon(), 0);
}

TEST_F(ListaCptes, AnUnknownTypeUsesTheGeneralSourceAndLayout) {
  auto f = AbreLista("ZZ");
  EXPECT_EQ(Titulos(f->ListView1), (QStringList{"FECHA", "COMPROBANTE", "CUENTA", "NOMBRE", "CONCEPTO", "IMPORTE"}));
  ASSERT_EQ(f->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(Linea(f->ListView1->ListItems()(1), 6),
            (QStringList{"15/01/2026", "000100000001X", "", "Talleres Ulmendra", "Un concepto", "12.00"}));
  EXPECT_EQ(f->ListView1->ListItems()(1)->SmallIcon(), 8);
  // A type nobody has lists nothing, and says nothing.
  auto g = AbreLista("QQQ");
  EXPECT_EQ(g->ListView1->ListItems().Count(), 0);
  auto vacio = AbreLista("");
  EXPECT_EQ(vacio->ListView1->ListItems().Count(), 0);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaCptes, QuotesInTheTypeOrTheFilterNeverBreakTheStatement) {
  auto f = AbreLista("O'T");
  EXPECT_EQ(f->ArmaSentencia(), "SELECT * FROM V_MV_CPTE WHERE TC = ' O''T' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
  EXPECT_EQ(f->ListView1->ListItems().Count(), 0);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // A condition with a quoted text finds its voucher.
  auto g = AbreLista("OT", "NOMBRE = 'Panadería O''Brien'");
  ASSERT_EQ(g->ListView1->ListItems().Count(), 1);
  EXPECT_EQ(g->ListView1->ListItems()(1)->SubItems(ColConsVentas::kComprobante), "000100000031A");
  // A NUL in the type is part of it; a purchase order whose stored key holds
  // a quote and a NUL finds its reception report as stored.
  const QString nul(QChar(0));
  auto t = AbreLista("O" + nul + "T");
  EXPECT_EQ(t->ArmaSentencia(),
            "SELECT * FROM V_MV_CPTE WHERE TC = ' O'+CHAR(0)+'T' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
  EXPECT_EQ(t->ListView1->ListItems().Count(), 0);
  const QString clave = "0001'0000005" + nul + "X";
  Compra("OC", clave, "2026-03-06", "P002", "Bombas Quelvar", 10, 0, 1, 0, 0);
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES "
        "('  IR', '000100000078X', '  OC', " + ClsDatos::Literal(clave) + ")");
  auto h = AbreLista("OC");
  EXPECT_EQ(Busca(*h, clave, ColConsOrdenes::kComprobante)->SubItems(ColConsOrdenes::kRecepcion), "000100000078X");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaCptes, AFilterTheDatabaseRefusesIsReportedAndTheListStaysEmpty) {
  auto f = AbreLista("OT", "NOMBRE = 'O'Brien'");
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "");  // the load reports without a label
  EXPECT_EQ(f->ListView1->ListItems().Count(), 0);
  // Its columns are there.
  EXPECT_EQ(f->ListView1->ColumnHeaders().Count(), 5);
}

TEST_F(ListaCptes, AcceptHandsBackWhatEachTypeCallsFor) {
  {
    auto f = AbreLista("OT");
    EligeYAcepta(*f, Busca(*f, "000100000030A"));
    EXPECT_EQ(f->NroComprobante, "000100000030A");
    EXPECT_EQ(f->IdComplemento, "2");
    EXPECT_EQ(f->Proveedor, "");
    EXPECT_FALSE(f->Cargado());
    EXPECT_EQ(f->ListView1->ListItems().Count(), 0);  // unloading empties the list
  }
  {
    auto f = AbreLista("NCPE");
    EligeYAcepta(*f, f->ListView1->ListItems()(1));
    EXPECT_EQ(f->NroComprobante, "000300001234A");
    EXPECT_EQ(f->Proveedor, "P001");
    EXPECT_EQ(f->IdComplemento, "");
  }
  {
    auto f = AbreLista("FCC");
    EligeYAcepta(*f, f->ListView1->ListItems()(1));
    EXPECT_EQ(f->NroComprobante, "000300000777A");
    EXPECT_EQ(f->Proveedor, "P002");
  }
  {
    auto f = AbreLista("PR/PENDIENTES");
    EligeYAcepta(*f, f->ListView1->ListItems()(1));
    EXPECT_EQ(f->NroComprobante, "000100000050X");
    EXPECT_EQ(f->IdComplemento, "0");
  }
  {
    auto f = AbreLista("T3");
    EligeYAcepta(*f, f->ListView1->ListItems()(1));
    EXPECT_EQ(f->NroComprobante, "41");
    EXPECT_EQ(f->IdComplemento, "0");
  }
  {
    auto f = AbreLista("ZZ");
    EligeYAcepta(*f, f->ListView1->ListItems()(1));
    EXPECT_EQ(f->NroComprobante, "000100000001X");
    EXPECT_EQ(f->IdComplemento, "");
  }
}

TEST_F(ListaCptes, PurchaseOrdersHandBackTheTickedOnesInListOrder) {
  auto f = AbreLista("OC");
  ASSERT_EQ(f->ListView1->ListItems().Count(), 3);
  f->ListView1->ListItems()(1)->SetChecked(true);
  f->ListView1->ListItems()(3)->SetChecked(true);
  f->ListView1->ListItems()(2)->SetSelected(true);
  f->CmdAceptar_Click();
  EXPECT_EQ(f->NroComprobante, "000100000003X,000100000001X");
  EXPECT_EQ(f->IdComplemento, "0");

  // None ticked: the selected one alone.
  auto g = AbreLista("OC");
  g->ListView1->ListItems()(2)->SetSelected(true);
  g->CmdAceptar_Click();
  EXPECT_EQ(g->NroComprobante, "000100000002X");

  // Nothing selected: nothing chosen, whatever is ticked.
  auto h = AbreLista("OC");
  h->NroComprobante = "previo";
  h->ListView1->ListItems()(1)->SetChecked(true);
  h->ListView1->SetSelectedItem(nullptr);
  h->CmdAceptar_Click();
  EXPECT_EQ(h->NroComprobante, "");
}

TEST_F(ListaCptes, CancelLeavesTheResultsAsTheCallerSetThem) {
  auto f = AbreLista("OT");
  f->IdComplemento = "x";
  f->ListView1->ListItems()(1)->SetSelected(true);
  f->CmdCancelar->click();
  EXPECT_EQ(f->NroComprobante, "");
  EXPECT_EQ(f->IdComplemento, "x");
  EXPECT_FALSE(f->Cargado());
}

// Enter in the list takes the line the cursor is on: the one selected, or,
// as the list opens with its first line current and none selected yet, that
// first line; an empty list gives nothing.
TEST_F(ListaCptes, EnterTakesTheLineTheCursorIsOn) {
  const struct {
    const char* caso;
    const char* filtro;
    std::function<void(FrmConsComprobantes&)> antes;
    QString clave, complemento;
  } casos[] = {
      {"as the list opens", "", [](FrmConsComprobantes&) {}, "000100000031A", "0"},
      {"after Down", "", [](FrmConsComprobantes& f) { QTest::keyClick(f.ListView1, Qt::Key_Down); }, "000100000030A", "2"},
      {"after the last line clicked and Ctrl+clicked, which leaves the cursor on it and selects nothing", "",
       [](FrmConsComprobantes& f) {
         ListView* l = f.ListView1;
         const QPoint ultima = l->visualItemRect(l->ListItems()(3)).center();
         QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, ultima);
         QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::ControlModifier, ultima);
         EXPECT_EQ(l->SelectedItem(), nullptr);
       },
       "000100000025A", "0"},
      {"after a click on the last line", "",
       [](FrmConsComprobantes& f) {
         ListView* l = f.ListView1;
         QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->ListItems()(3)).center());
       },
       "000100000025A", "0"},
      {"on an empty list", "1 = 0", [](FrmConsComprobantes&) {}, "", ""},
  };
  for (const auto& c : casos) {
    auto f = AbreLista("OT", c.filtro);
    f->show();
    QApplication::processEvents();  // the lines reach the list as it shows
    QApplication::setActiveWindow(f.get());
    // The focus the window's activation gives the list, its first control.
    f->ListView1->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(f->ListView1->hasFocus()) << c.caso;
    c.antes(*f);
    QTest::keyClick(f->ListView1, Qt::Key_Return);
    EXPECT_EQ(f->NroComprobante, c.clave) << c.caso;
    EXPECT_EQ(f->IdComplemento, c.complemento) << c.caso;
    EXPECT_FALSE(f->Cargado()) << c.caso;  // Enter accepted and closed the list
  }
}

TEST_F(ListaCptes, EachHeaderClickReversesTheSortOrder) {
  auto f = AbreLista("OT");
  f->show();
  QHeaderView* h = f->ListView1->header();
  auto clic = [&](int columna) {
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(columna) + 5, h->height() / 2));
  };
  auto nombres = [&] {
    QStringList r;
    for (int i = 1; i <= f->ListView1->ListItems().Count(); ++i)
      r << f->ListView1->ListItems()(i)->SubItems(ColConsVentas::kNombre);
    return r;
  };
  clic(ColConsVentas::kNombre);
  EXPECT_TRUE(f->ListView1->Sorted());
  EXPECT_EQ(f->ListView1->SortKey(), ColConsVentas::kNombre);
  EXPECT_EQ(nombres(), (QStringList{"Frigorífico Dorlanda", "Panadería O'Brien", "Talleres Ulmendra"}));
  clic(ColConsVentas::kNombre);
  EXPECT_EQ(nombres(), (QStringList{"Talleres Ulmendra", "Panadería O'Brien", "Frigorífico Dorlanda"}));
  // Moving to another column still reverses the order.
  clic(ColConsVentas::kComprobante);
  EXPECT_EQ(f->ListView1->SortKey(), ColConsVentas::kComprobante);
  EXPECT_EQ(f->ListView1->SortOrder(), lvw::Ascending);
  EXPECT_EQ(f->ListView1->ListItems()(1)->SubItems(ColConsVentas::kComprobante), "000100000025A");
  clic(ColConsVentas::kFecha);  // in the line's text
  EXPECT_EQ(f->ListView1->SortKey(), ColConsVentas::kFecha);
  EXPECT_EQ(f->ListView1->SortOrder(), lvw::Descending);
  EXPECT_EQ(f->ListView1->ListItems()(1)->Text(), "06/03/2026");
  f->hide();
}

TEST_F(ListaCptes, LineTextsCannotBeEdited) {
  auto f = AbreLista("OT");
  f->show();
  f->ListView1->ListItems()(1)->SetSelected(true);
  f->ListView1->StartLabelEdit();
  for (QLineEdit* editor : f->ListView1->viewport()->findChildren<QLineEdit*>()) EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(f->ListView1->ListItems()(1)->Text(), "06/03/2026");
  f->hide();
}

TEST_F(ListaCptes, DatesSortAsDatesAndAmountsAsAmountsShownInTheLocalesForm) {
  struct Local {
    Local() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    ~Local() { QLocale::setDefault(QLocale::c()); }
  } local;
  Venta("OT", "000100000010A", 0, "2025-12-20", "C002", "Frigorífico Dorlanda", 250);
  Venta("OT", "000100000011A", 0, "2026-02-10", "C003", "Panadería O'Brien", 10000.5);
  auto f = AbreLista("OT");
  f->show();
  QHeaderView* h = f->ListView1->header();
  auto clic = [&](int columna) {
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(columna) + 5, h->height() / 2));
  };
  auto columna = [&](int c) {
    QStringList r;
    for (int i = 1; i <= f->ListView1->ListItems().Count(); ++i)
      r << (c == 0 ? f->ListView1->ListItems()(i)->Text() : f->ListView1->ListItems()(i)->SubItems(c));
    return r;
  };
  namespace col = ColConsVentas;
  const int importe = ImporteDe(*f);
  clic(col::kFecha);
  EXPECT_EQ(columna(col::kFecha), (QStringList{"20/12/2025", "10/02/2026", "01/03/2026", "05/03/2026", "06/03/2026"}));
  clic(col::kFecha);
  EXPECT_EQ(columna(col::kFecha), (QStringList{"06/03/2026", "05/03/2026", "01/03/2026", "10/02/2026", "20/12/2025"}));
  clic(importe);
  EXPECT_EQ(columna(importe), (QStringList{"99,25", "250,00", "820,00", "1500,50", "10000,50"}));
  clic(importe);
  EXPECT_EQ(columna(importe), (QStringList{"10000,50", "1500,50", "820,00", "250,00", "99,25"}));
  // Amounts stand to the right of their column.
  EXPECT_EQ(f->ListView1->ColumnHeaders()(importe + 1)->Alignment(), lvw::ColumnRight);
  const QVariant alineacion = f->ListView1->ListItems()(1)->data(importe, Qt::TextAlignmentRole);
  EXPECT_TRUE(alineacion.toInt() & Qt::AlignRight);
  f->hide();
}
