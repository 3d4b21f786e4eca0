// AsignarDatosComprobante: a stored voucher loaded into the item grids of a
// voucher screen, sales and purchase side, with the quantities still to
// apply of delivery notes, orders and delivery runs.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base_cptes.h"
#include "pantalla_cptes.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/cls_util.h"
#include "platform/vb.h"
#include "session/busca_articulo.h"
#include "session/mod_global.h"
#include "support/traza_sentencias.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

const QString kClave = "000100000007A";

class CargaCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    e.Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('  FC', 'Factura', 'VENTAS'), "
          "('  RM', 'Remito', 'VENTAS'), ('  NP', 'Nota de Pedido', 'VENTAS'), (' FCC', 'Factura de Compra', 'COMPRAS')");
    e.Sql("INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) VALUES ('   1', 'Repuesto')");
    e.Sql("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDRUBRO, IDTIPO, PRESENTACION, CODIGOBARRA, "
          "USASERIE, USALOTE, USATALLE, PERECEDERO, PESABLE, EXENTO) VALUES "
          "('                    ART-1', 'Filtro', '  UN', '   2', '   1', 'Caja x 10', '            7790001000017', "
          "1, 0, NULL, 0, 1, 0), "
          "('                    ART-2', 'Aceite', '  LT', '   5', '   1', NULL, NULL, 0, 1, 1, 1, 0, 1)");
    cptes = std::make_unique<ClsCmnCptes>();
    p = std::make_unique<PantallaCpte>();
  }

  // A voucher header of either side.
  void Cabecera(const QString& tabla, const QString& tc, const QString& clave, const QString& extra = "0, 'C1', 4, NULL") {
    e.Sql("INSERT INTO " + tabla + " (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, CONDICIONIVA, IDREPARTO) VALUES (" +
          ClsDatos::Literal(tc.rightJustified(4)) + ", " + ClsDatos::Literal(clave) + ", " + extra + ")");
  }
  // An article line: article, quantity and the rest of the columns.
  void Linea(const QString& tabla, const QString& tc, const QString& clave, const QString& articulo,
             const QString& cantidad, const QString& cuenta = "NULL", int pallets = 0) {
    e.Sql("INSERT INTO " + tabla + " (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, DESCRIPCION, IDUNIDAD, "
          "CANTIDAD, IDUNIDADBASE, CANTIDADUD, IMPORTE, IMPORTE_S_IVA, IMPUESTOS, TOTAL, PRECIO_LISTA, COSTO, PORCDTO, ALICIVA, EXENTO, "
          "NRO_LOTE, NRO_SERIE, CONTROLADOPOR, IDORIGEN, PALLETS) VALUES (" +
          ClsDatos::Literal(tc.rightJustified(4)) + ", " + ClsDatos::Literal(clave) + ", 0, " + cuenta + ", " +
          ClsDatos::Literal(articulo.rightJustified(25)) + ", 'Línea " + articulo + "', '  UN', " + cantidad +
          ", '  UN', " + cantidad + ", 1210, 1000, 5, 3630, 1100, 600, 10, 21, 0, '|L1|', '|S1|', 'QA', '   1', " + QString::number(pallets) +
          ")");
  }
  QString C(MSFlexGrid* g, int r, int c) { return g->TextMatrix(r, c); }
  QStringList Columna(MSFlexGrid* g, int c) {
    QStringList r;
    for (int f = 1; f < g->Rows(); ++f) r << g->TextMatrix(f, c);
    return r;
  }
  bool Carga(const QString& tc, const QString& clave, const QString& complemento = "0", long* reparto = nullptr,
             Recordset* cab = nullptr, bool compras = false, const QString& proveedor = QString()) {
    return cptes->AsignarDatosComprobante(tc, clave, complemento, *p->MSFlexGrid1, *p->MSFlexGrid2,
                                          *p->MSFlexGrid3, false, cab, compras, proveedor, reparto);
  }

  // The statements the program sends on its connection, counted from
  // before it connects.
  long Sentencias() const { return TrazaSentencias::Cuenta(); }

  TrazaSentencias traza;
  std::unique_ptr<ClsCmnCptes> cptes;
  std::unique_ptr<PantallaCpte> p;
};

}  // namespace

TEST_F(CargaCpte, ASalesVoucherFillsEveryGrid) {
  Config("PideNroReparto", "SI");
  Cabecera("V_MV_CPTE", "FC", kClave, "0, 'C1', 4, 70000");  // a run number beyond 16 bits
  e.Sql("INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA, DESCRIPCION, DESCRIPCIONADICIONAL, "
        "HORAS, VALORHORA, VALORHORA_S_IVA, TOTAL, FECHAESTINICIO, FECHAESTFIN, IDTECNICO, FECHAREALINICIO, "
        "FECHAREALFIN) VALUES ('  FC', '" + kClave + "', 0, '   7', ' Cambio de filtro ', 'Equipo: Compresor', 90, "
        "1500.5, 1240.08, 2250.75, '2026-03-02', NULL, '   3', '2026-03-03', '2026-03-04'), "
        "('  FC', '" + kClave + "', 0, '   8', 'Limpieza', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  Linea("V_MV_CPTEINSUMOS", "FC", kClave, "ART-1", "3");
  // An article the master does not know, without quantity and exempt flag.
  e.Sql("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, DESCRIPCION, IDUNIDAD, CANTIDAD, "
        "IDUNIDADBASE, CANTIDADUD, EQUIV_UDBASE, EXENTO, PRESENTACION) VALUES ('  FC', '" + kClave + "', 0, "
        "'                      OTRO', 'Suelto', ' CAJ', NULL, '  UN', 24, 12, NULL, 'Pack')");
  e.Sql("INSERT INTO V_MV_CPTE_OBSERV (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, OBSERVACION, IMPORTE, IMPORTE_S_IVA) "
        "VALUES ('  FC', '" + kClave + "', 0, 'OB', 'Entregar por la tarde', NULL, NULL), "
        "('  FC', '" + kClave + "', 0, 'OC', 'Flete', 121, 100)");
  p->Inicializa(*cptes, "FC");
  long reparto = 0;
  Recordset cab;
  ASSERT_TRUE(Carga("FC", " " + kClave + " ", " 0 ", &reparto, &cab));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(reparto, 70000);
  ASSERT_TRUE(cab.Abierto());
  EXPECT_EQ(cab.Fields("IDCOMPROBANTE").Value().toString(), kClave);

  // Tasks: rows 1 and 2, one empty row below.
  MSFlexGrid* t = p->MSFlexGrid1;
  ASSERT_EQ(t->Rows(), 4);
  QStringList tarea;
  for (int c = ColTareas::kCodigo; c <= ColTareas::kFechaRealFin; ++c) tarea << C(t, 1, c);
  EXPECT_EQ(tarea, (QStringList{"7", "Cambio de filtro", "01:30", "1500.50", "2250.75", "", "1240.08",
                                "Equipo: Compresor", "02/03/2026", "", "3", "7", "03/03/2026", "04/03/2026"}));
  EXPECT_EQ(C(t, 2, ColTareas::kHoras), "00:00");  // no hours
  EXPECT_EQ(C(t, 2, ColTareas::kValorHora), "0.00");
  EXPECT_EQ(C(t, 3, ColTareas::kCodigo), "");

  MSFlexGrid* a = p->MSFlexGrid2;
  ASSERT_EQ(a->Rows(), 4);
  auto fila = [&](int r, std::initializer_list<int> cols) {
    QStringList l;
    for (int c : cols) l << C(a, r, c);
    return l;
  };
  using namespace ColArticulos;
  // Amounts in the configured decimals, as the task and concept grids show
  // theirs; the cost keeps its own.
  const auto cols = {kArticulo,    kDescripcion,  kUnidad,       kUnidadCargada, kCantidad,   kRestoPorAplicar,
                     kUdEquiv,     kCantidadEquiv, kImporte,     kPrecioConIva,  kPorcDto,    kTotal,
                     kPrecioSinIva, kTotalConImpuestos, kCosto,  kImpuestos,     kTasaIva,    kPrecioLista,
                     kNroLote,     kNroSerie,     kLoteOrigen,   kLoteAduana,    kCpteCargado};
  EXPECT_EQ(fila(1, cols), (QStringList{"ART-1", "Línea ART-1", "UN", "UN", "3", "3", "UN", "3", "1210.00", "1210.00",
                                        "10", "3630.00", "1000.00", "3645.00", "600", "5.00", "21", "", "|L1|", "|S1|",
                                        "1", "QA", kClave}));
  // Article master: type, presentation, flags, bar code, type and rubro.
  const auto maestro = {kDescripcionTipo, kPresentacion, kEsExento,  kPideSerie,   kPideLote,     kPerecedero,   kCoeficiente,
                        kTipoCoeficiente, kPideTalle,    kPesable,   kCodigoBarra, kUnidadBase,   kTipoArticulo, kRubroArticulo};
  EXPECT_EQ(fila(1, maestro), (QStringList{"Repuesto", "Caja x 10", "0", "-1", "0", "0", "1", "*", "0", "-1",
                                           "7790001000017", "UN", "1", "2"}));
  // Unknown article: nothing from the master, its own equivalence and
  // presentation; a Null quantity counts 0 and a Null exempt flag is off.
  EXPECT_EQ(fila(2, maestro), (QStringList{"", "Pack", "0", "", "", "", "12", "", "", "", "", "UN", "", ""}));
  EXPECT_EQ(fila(2, {kArticulo, kCantidad, kRestoPorAplicar, kUdEquiv, kCantidadEquiv, kPrecioConIva, kImporte}),
            (QStringList{"OTRO", "0", "0", "UN", "24", "", "0.00"}));
  EXPECT_EQ(a->Row(), 2);
  EXPECT_EQ(C(a, 3, kArticulo), "");

  MSFlexGrid* o = p->MSFlexGrid3;
  ASSERT_EQ(o->Rows(), 3);  // the remark of another kind is no concept
  namespace oc = ColOtrosConceptos;
  EXPECT_EQ(
      (QStringList{C(o, 1, oc::kDetalle), C(o, 1, oc::kImporteSinIva), C(o, 1, oc::kImporte), C(o, 1, oc::kCuenta)}),
      (QStringList{"Flete", "100.00", "121.00", ""}));
}

TEST_F(CargaCpte, APurchaseVoucherIsFoundByItsSupplier) {
  Config("PideNroReparto", "SI");
  Cabecera("C_MV_CPTE", "FCC", kClave, "0, 'O''Brien', 1, 9");
  Cabecera("C_MV_CPTE", "FCC", kClave, "0, 'OTRO', 1, 9");
  Linea("C_MV_CPTEINSUMOS", "FCC", kClave, "ART-1", "2", "'O''Brien'");
  Linea("C_MV_CPTEINSUMOS", "FCC", kClave, "ART-2", "5", "'OTRO'");
  e.Sql("INSERT INTO C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA, IDTAREA, DESCRIPCION, DESCRIPCIONADICIONAL, HORAS, "
        "IDTECNICO) VALUES (' FCC', '" + kClave + "', 'O''Brien', '   2', 'Reparación', 'no se carga', 45, '   1')");
  p->Inicializa(*cptes, "FCC");
  gCantidadDecimales = " 3";  // amounts in every grid at the configured decimals
  long reparto = -99;
  ASSERT_TRUE(Carga("FCC", kClave, "no cuenta", &reparto, nullptr, true, "O'Brien"));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(reparto, -99);  // the purchase system hands back no run
  MSFlexGrid* a = p->MSFlexGrid2;
  ASSERT_EQ(a->Rows(), 3);
  using namespace ColArticulos;
  EXPECT_EQ(C(a, 1, kArticulo), "ART-1");
  EXPECT_EQ(C(a, 1, kCantidad), "-2");  // -99: negated
  EXPECT_EQ(C(a, 1, kRestoPorAplicar), "2");
  EXPECT_EQ(C(a, 1, kTotalConImpuestos), "3620.000");
  EXPECT_EQ(C(a, 1, kImporte), "1210.000");
  EXPECT_EQ(C(a, 1, kPrecioLista), "1100");
  for (int c : {kUdEquiv, kCantidadEquiv, kPorcDto, kTasaIva}) EXPECT_EQ(C(a, 1, c), "") << c;
  MSFlexGrid* t = p->MSFlexGrid1;
  ASSERT_EQ(t->Rows(), 3);
  EXPECT_EQ(C(t, 1, ColTareas::kHoras), "00:45");
  EXPECT_EQ(C(t, 1, ColTareas::kValorHora), "0.000");
  for (int c : {ColTareas::kObservAdic, ColTareas::kFechaInicio, ColTareas::kFechaFin, ColTareas::kIdTecnico,
                ColTareas::kFechaRealInicio, ColTareas::kFechaRealFin})
    EXPECT_EQ(C(t, 1, c), "") << c;
  EXPECT_EQ(p->MSFlexGrid3->Rows(), 2);  // no concepts: untouched
}

TEST_F(CargaCpte, DeliveryNotesAndOrdersShowWhatIsStillToApply) {
  // A delivery note of 10 of which an invoice delivered 6 (applied rule),
  // one of the delivery run -1 (pending rule) and an order in loading order.
  Cabecera("V_MV_CPTE", "RM", kClave);
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-1", "10");
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-2", "NULL");
  e.Sql("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN) VALUES "
        "('  FC', '000100000099A', 0, '  RM', '" + kClave + "')");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000099A", "ART-1", "6");
  const QString run = "000100000008R";
  Cabecera("V_MV_CPTE", "RM", run, "0, 'C1', 1, -1");
  Linea("V_MV_CPTEINSUMOS", "RM", run, "ART-1", "4");
  e.Sql("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN) VALUES "
        "('  FC', '000100000100A', 0, '  RM', '" + run + "')");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000100A", "ART-1", "1.5");
  const QString np = "000100000003X";
  Cabecera("V_MV_CPTE", "NP", np);
  Linea("V_MV_CPTEINSUMOS", "NP", np, "ART-2", "7", "NULL", 2);
  Linea("V_MV_CPTEINSUMOS", "NP", np, "ART-1", "3", "NULL", 1);

  p->Inicializa(*cptes, "RM");
  long reparto = -99;
  ASSERT_TRUE(Carga("RM", kClave, "0", &reparto));
  EXPECT_EQ(reparto, 0);
  using namespace ColArticulos;
  EXPECT_EQ(Columna(p->MSFlexGrid2, kCantidad), (QStringList{"-4", "0", ""}));  // -(10 - 6), a Null quantity is 0
  EXPECT_EQ(Columna(p->MSFlexGrid2, kRestoPorAplicar), (QStringList{"4", "0", ""}));

  p->Inicializa(*cptes, "RM");
  ASSERT_TRUE(Carga("RM", run, "0", &reparto));
  EXPECT_EQ(reparto, -1);
  EXPECT_EQ(Columna(p->MSFlexGrid2, kCantidad), (QStringList{"2.5", ""}));  // pending: 4 - 1.5

  // Without partial deliveries only the run -1 counts.
  Config("EntregaParcialRemito", "NO");
  p->Inicializa(*cptes, "RM");
  ASSERT_TRUE(Carga("RM", kClave));
  EXPECT_EQ(Columna(p->MSFlexGrid2, kCantidad), (QStringList{"10", "0", ""}));

  // An order: lines in loading order, no lot, serial, origin or control.
  Config("EntregaParcialRemito", "SI");
  p->Inicializa(*cptes, "NP");
  ASSERT_TRUE(Carga("NP", np));
  EXPECT_EQ(Columna(p->MSFlexGrid2, kArticulo), (QStringList{"ART-1", "ART-2", ""}));
  EXPECT_EQ(Columna(p->MSFlexGrid2, kCantidad), (QStringList{"3", "7", ""}));  // nothing applied yet
  for (int c : {kNroLote, kNroSerie, kLoteOrigen, kLoteAduana}) EXPECT_EQ(C(p->MSFlexGrid2, 1, c), "") << c;
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

// An article on several lines: what was applied is taken from its lines in
// line order, each giving at most its own quantity, so the lines add up to
// what the voucher still owes; and only vouchers made from the loaded
// voucher's own type count, not those made from an order of the same key.
TEST_F(CargaCpte, WhatWasAppliedIsTakenFromTheArticlesLinesInOrder) {
  Cabecera("V_MV_CPTE", "RM", kClave);
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-1", "5");
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-1", "3");
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-2", "2");
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "OTRO", "2");
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "OTRO", "2");
  Cabecera("V_MV_CPTE", "NP", kClave);
  Linea("V_MV_CPTEINSUMOS", "NP", kClave, "ART-1", "6", "NULL", 1);
  Linea("V_MV_CPTEINSUMOS", "NP", kClave, "ART-2", "1", "NULL", 2);
  // An invoice of the same key, whose run -1 has nothing pending in the view.
  Cabecera("V_MV_CPTE", "FC", kClave);
  Linea("V_MV_CPTEINSUMOS", "FC", kClave, "ART-1", "5");
  // An invoice made from the delivery note, another from the order.
  e.Sql("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN, ANULADA) VALUES "
        "('  FC', '000100000101A', 0, '  RM', '" + kClave + "', 0), "
        "('  FC', '000100000102A', 0, '  NP', '" + kClave + "', 0)");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000101A", "ART-1", "4");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000101A", "OTRO", "3");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000102A", "ART-1", "2");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000102A", "ART-2", "1");

  const struct {
    const char* tc;
    int run;       // the header's delivery run: -1 reads what the run has pending
    long entrada;  // IdRepartoRM on entry: -99 negates the quantity shown
    QStringList cantidad, resto;
  } casos[] = {
      {"RM", 0, 0, {"1", "3", "2", "0", "1", ""}, {"1", "3", "2", "0", "1", ""}},
      {"RM", -1, 0, {"1", "3", "2", "0", "1", ""}, {"1", "3", "2", "0", "1", ""}},
      {"RM", 0, -99, {"-1", "-3", "-2", "0", "-1", ""}, {"1", "3", "2", "0", "1", ""}},
      {"NP", 0, 0, {"4", "0", ""}, {"4", "0", ""}},
      {"NP", -1, 0, {"4", "0", ""}, {"4", "0", ""}},
      {"FC", 0, 0, {"5", ""}, {"5", ""}},
      {"FC", -1, 0, {"0", ""}, {"0", ""}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.tc) + " run " + std::to_string(c.run) + " entry " + std::to_string(c.entrada));
    e.Sql("UPDATE V_MV_CPTE SET IDREPARTO = " + QString::number(c.run) + " WHERE IDCOMPROBANTE = '" + kClave + "'");
    p->Inicializa(*cptes, c.tc);
    long reparto = c.entrada;
    ASSERT_TRUE(Carga(c.tc, kClave, "0", &reparto));
    EXPECT_EQ(Columna(p->MSFlexGrid2, ColArticulos::kCantidad), c.cantidad);
    EXPECT_EQ(Columna(p->MSFlexGrid2, ColArticulos::kRestoPorAplicar), c.resto);
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(CargaCpte, LinesGoBelowAUsedLastRowOfEveryGrid) {
  Cabecera("V_MV_CPTE", "FC", kClave);
  e.Sql("INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDTAREA, DESCRIPCION) VALUES ('  FC', '" + kClave +
        "', '   1', 'A'), ('  FC', '" + kClave + "', '   2', 'B')");
  Linea("V_MV_CPTEINSUMOS", "FC", kClave, "ART-1", "1");
  e.Sql("INSERT INTO V_MV_CPTE_OBSERV (TC, IDCOMPROBANTE, TIPO_OBS, OBSERVACION) VALUES ('  FC', '" + kClave +
        "', 'OC', 'Flete')");
  p->Inicializa(*cptes, "FC");
  for (MSFlexGrid* g : {p->MSFlexGrid1, p->MSFlexGrid2, p->MSFlexGrid3})
    g->SetTextMatrix(1, ColGrillas::kCodigo, "ya cargado");
  ASSERT_TRUE(Carga("FC", kClave));
  EXPECT_EQ(Columna(p->MSFlexGrid1, ColTareas::kCodigo), (QStringList{"ya cargado", "1", "2", ""}));
  EXPECT_EQ(Columna(p->MSFlexGrid2, ColArticulos::kArticulo), (QStringList{"ya cargado", "ART-1", ""}));
  EXPECT_EQ(Columna(p->MSFlexGrid3, ColOtrosConceptos::kDetalle), (QStringList{"ya cargado", "Flete", ""}));
}

TEST_F(CargaCpte, AVoucherThatIsNotThereOrABadComplementLeavesTheGridsAlone) {
  Cabecera("V_MV_CPTE", "FC", kClave);
  Linea("V_MV_CPTEINSUMOS", "FC", kClave, "ART-1", "1");
  p->Inicializa(*cptes, "FC");
  p->MSFlexGrid2->SetTextMatrix(1, ColArticulos::kArticulo, "antes");
  long reparto = 3;
  Recordset cab;
  // Another complement, a key with a quote, a complement that is no number.
  EXPECT_FALSE(Carga("FC", kClave, "1", &reparto, &cab));
  EXPECT_FALSE(Carga("FC", "0001'; DROP TABLE V_MV_CPTE; --", "0", &reparto, &cab));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  for (const QString& malo : {QString("1 OR 1=1"), QString(""), QString("2.5")}) {
    EXPECT_FALSE(Carga("FC", kClave, malo, &reparto, &cab)) << malo.toStdString();
  }
  ASSERT_EQ(e.ui().Cuenta("Error"), 3);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "AsignarDatosPresupuesto");
  EXPECT_TRUE(e.ui().De("Error")[0].texto.contains("1 OR 1=1"));
  EXPECT_EQ(reparto, 3);
  EXPECT_FALSE(cab.Abierto());
  EXPECT_EQ(p->MSFlexGrid2->Rows(), 2);
  EXPECT_EQ(C(p->MSFlexGrid2, 1, ColArticulos::kArticulo), "antes");
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTE").toInt(), 1);
  // A voucher without lines: found, and every grid as it was.
  e.Sql("DELETE FROM V_MV_CPTEINSUMOS");
  EXPECT_TRUE(Carga("FC", kClave, "0", &reparto, &cab));
  EXPECT_EQ(p->MSFlexGrid2->Rows(), 2);
  EXPECT_EQ(p->MSFlexGrid1->Rows(), 2);
  EXPECT_EQ(reparto, 0);
}

// The quantity views may give one article in two rows (codes stored with
// and without their padding): the first row the view gives counts, under
// the applied rule (run 0) and under the pending rule (run -1) alike.
TEST_F(CargaCpte, TheFirstRowOfAnArticleInTheQuantityViewsCounts) {
  Cabecera("V_MV_CPTE", "RM", kClave);
  Linea("V_MV_CPTEINSUMOS", "RM", kClave, "ART-1", "10");
  e.Sql("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD) VALUES "
        "('  RM', '" + kClave + "', 0, 'art-1', '  UN', 2)");
  // An invoice made from the delivery note delivered 4 of the padded code
  // and 1 of the bare one.
  e.Sql("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN, ANULADA) VALUES "
        "('  FC', '000100000101A', 0, '  RM', '" + kClave + "', 0)");
  Linea("V_MV_CPTEINSUMOS", "FC", "000100000101A", "ART-1", "4");
  e.Sql("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD) VALUES "
        "('  FC', '000100000101A', 0, 'art-1', '  UN', 1)");

  const struct {
    int run;
    const char* vista;  // the view the rule reads, as the load reads it
    QStringList filas;  // its rows for the article, in the order it gives them
    QStringList cantidad;
  } casos[] = {
      // Applied: 4 from the first row, taken from the first line.
      {0, "SELECT IDARTICULO || '=' || CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE "
          "(LTRIM(TCO_ORIGEN) = LTRIM('  RM')) AND IDCOMPROBANTEORIGEN = '000100000007A'",
       {"                    ART-1=4.0", "art-1=1.0"}, {"6", "2", ""}},
      // Pending: the article's 12 less the first row's 6 pending were
      // delivered, all taken from the first line.
      {-1, "SELECT IDARTICULO || '=' || pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE "
           "(LTRIM(TC) = LTRIM('  RM')) AND IDCOMPROBANTE = '000100000007A'",
       {"                    ART-1=6.0", "art-1=1.0"}, {"4", "2", ""}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.run);
    Recordset v;
    gDatos.AbreRecordset(c.vista, v);
    QStringList filas;
    for (; !v.Eof(); v.MoveNext()) filas << v.Fields(0).Value().toString();
    ASSERT_EQ(filas, c.filas);
    e.Sql("UPDATE V_MV_CPTE SET IDREPARTO = " + QString::number(c.run) + " WHERE TC = '  RM'");
    p->Inicializa(*cptes, "RM");
    ASSERT_TRUE(Carga("RM", kClave));
    EXPECT_EQ(Columna(p->MSFlexGrid2, ColArticulos::kCantidad), c.cantidad);
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

// Within one load each article and each unit equivalence is read once: a
// voucher of 200 lines of 10 articles costs the statements of one of 30
// lines of the same articles and units, and of one of 60 lines of twice the
// articles, and at most 50, on either side and under every quantity rule.
TEST_F(CargaCpte, ALoadReadsEachArticleAndEquivalenceOnce) {
  gUnidadMedidaBL = "CAJ";
  gUnidadMedidaM3 = "M3";
  gUnidadMedidaKG = "KG";
  Config("PideNroReparto", "SI");
  for (int i = 3; i <= 20; ++i)
    e.Sql(QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDTIPO) VALUES ('%1', 'Artículo "
                  "%2', '  UN', '   1')")
              .arg(QString("ART-%1").arg(i).rightJustified(25))
              .arg(i));
  // Each article: 12 units a box, and a kilogram of 4 units.
  e.Sql("INSERT INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) "
        "SELECT IDARTICULO, ' CAJ', '  UN', 12 FROM V_MA_ARTICULOS UNION ALL "
        "SELECT IDARTICULO, '  KG', '  UN', 4 FROM V_MA_ARTICULOS");
  // Line i of n: article i % m + 1, in units, boxes or the article's own
  // unit (blank) in turn for every m lines; 12, 24... 60 of them.
  auto lineas = [&](const QString& lado, const QString& tc, const QString& clave, int n, int m) {
    const QString art = "(i % " + QString::number(m) + " + 1)";
    e.Sql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + QString::number(n) +
          ") INSERT INTO " + lado + "MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, "
          "DESCRIPCION, IDUNIDAD, CANTIDAD, IMPORTE, TOTAL, EXENTO, PALLETS) SELECT " +
          ClsDatos::Literal(tc.rightJustified(4)) + ", '" + clave + "', 0, 'C1', substr('" + QString(20, ' ') +
          "', 1, 20 - length(" + art + ")) || 'ART-' || " + art + ", 'Línea', CASE (i / " + QString::number(m) +
          ") % 3 WHEN 0 THEN '  UN' WHEN 1 THEN ' CAJ' ELSE '' END, 12 * (1 + i % 5), 100, 100, 0, i FROM n");
  };
  const struct {
    QString clave;
    int lineas, articulos;
  } vales[] = {{kClave, 200, 10}, {"000100000008A", 30, 10}, {"000100000009A", 60, 20}};
  const struct {
    const char* tc;
    bool compras;
    int run;
  } casos[] = {{"FC", false, 0}, {"RM", false, 0}, {"RM", false, -1}, {"NP", false, 0}, {"FCC", true, 0}};
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.tc) + " run " + std::to_string(c.run));
    const QString lado = c.compras ? "C_" : "V_";
    e.Sql("DELETE FROM " + lado + "MV_CPTE");
    e.Sql("DELETE FROM " + lado + "MV_CPTEINSUMOS");
    std::vector<long> porCarga;
    for (const auto& v : vales) {
      Cabecera(lado + "MV_CPTE", c.tc, v.clave, "0, 'C1', 4, " + QString::number(c.run));
      lineas(lado, c.tc, v.clave, v.lineas, v.articulos);
      p->Inicializa(*cptes, c.tc);
      const long antes = Sentencias();
      ASSERT_TRUE(Carga(c.tc, v.clave, "0", nullptr, nullptr, c.compras, "C1"));
      porCarga.push_back(Sentencias() - antes);
      MSFlexGrid* a = p->MSFlexGrid2;
      ASSERT_EQ(a->Rows(), v.lineas + 2);
      // Line 1: 12 units of article 1, one box and 3 kilograms.
      using namespace ColArticulos;
      EXPECT_EQ((QStringList{C(a, 1, kArticulo), C(a, 1, kCantidadM3), C(a, 1, kCantidadBL), C(a, 1, kCantidadKG)}),
                (QStringList{"ART-1", "0", "1", "3"}));
    }
    EXPECT_LE(porCarga[0], 50);
    EXPECT_EQ(porCarga, std::vector<long>(porCarga.size(), porCarga[0]));
  }

  // Nor with the articles' types or the codes the master does not know (each
  // looked up by every kind of bar code): a voucher of 300 articles of 300
  // types and 190 unknown codes costs what one of one article and one
  // unknown code costs. The articles of the sample lines: T-0 of type 1100,
  // T-7 of type 1107.
  e.Sql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
        "INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) SELECT 1100 + i, 'Tipo ' || i FROM n");
  e.Sql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
        "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDTIPO) "
        "SELECT printf('%25s', 'T-' || i), 'Artículo', '  UN', 1100 + i FROM n");
  const struct {
    int tipos, desconocidos;
  } mezclas[] = {{1, 1}, {8, 3}, {300, 190}};
  std::vector<long> porMezcla;
  int numero = 20;
  for (const auto& m : mezclas) {
    SCOPED_TRACE(std::to_string(m.tipos) + " tipos, " + std::to_string(m.desconocidos) + " desconocidos");
    const QString clave = QString("0001%1A").arg(++numero, 8, 10, QChar('0'));
    Cabecera("V_MV_CPTE", "FC", clave);
    e.Sql(QString("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
                  "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD) "
                  "SELECT '  FC', '%2', 0, printf('%25s', CASE WHEN i < %3 THEN 'T-' || i ELSE 'NO-' || i END), "
                  "'  UN', 1 FROM n")
              .arg(m.tipos + m.desconocidos)
              .arg(clave)
              .arg(m.tipos));
    p->Inicializa(*cptes, "FC");
    const long antes = Sentencias();
    ASSERT_TRUE(Carga("FC", clave));
    porMezcla.push_back(Sentencias() - antes);
    MSFlexGrid* a = p->MSFlexGrid2;
    ASSERT_EQ(a->Rows(), m.tipos + m.desconocidos + 2);
    using namespace ColArticulos;
    EXPECT_EQ((QStringList{C(a, 1, kTipoArticulo), C(a, 1, kDescripcionTipo), C(a, m.tipos + 1, kDescripcionTipo)}),
              (QStringList{"1100", "Tipo 0", ""}));
    if (m.tipos > 7) {
      EXPECT_EQ(C(a, 8, kDescripcionTipo), "Tipo 7");
    }
  }
  EXPECT_EQ(porMezcla, std::vector<long>(porMezcla.size(), porMezcla[0]));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

// What a load reads once serves every line exactly as a look-up of that
// line would: the measure columns are those the module computes one
// look-up at a time, after the load, for codes and units stored in any
// letter case and padding, articles found by a bar code and unknown ones;
// and nothing read outlives the load.
TEST_F(CargaCpte, WhatALoadReadsOnceIsWhatEachLineWouldRead) {
  gUnidadMedidaBL = "CAJ";
  gUnidadMedidaM3 = "M3";
  gUnidadMedidaKG = "KG";
  auto pad = [](const QString& t) { return ClsDatos::Literal(t.rightJustified(25)); };
  e.Sql("INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) VALUES ('   2', 'Insumo')");
  e.Sql("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDTIPO, PRESENTACION, CODIGOBARRA, "
        "CODIGOBARRA1, UMCB1) VALUES (" + pad("ART-3") + ", 'Grasa', '  UN', '   2', 'Pote', " + pad("7790003") +
        ", NULL, NULL), (" + pad("ART-4") + ", 'Correa', '  UN', '   1', 'Rollo', NULL, " + pad("DUN4") +
        ", ' CAJ'), (" + pad("ART-5") + ", 'Junta', '  UN', '   2', 'Bolsa', NULL, NULL, NULL)");
  e.Sql("INSERT INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) VALUES "
        // ART-1: boxes of 10 units; a useless direct row to cubic metres
        // and a reverse one of 1000 units; 4 units a kilogram, reverse
        // only; boxes to cubic metres with a coefficient of 0.
        "(" + pad("ART-1") + ", '  UN', ' CAJ', 0.1), (" + pad("ART-1") + ", '  UN', '  M3', NULL), (" +
        pad("ART-1") + ", '  M3', '  UN', 1000), (" + pad("ART-1") + ", '  KG', '  UN', 4), (" + pad("ART-1") +
        ", '  M3', ' CAJ', 0), "
        // ART-5, stored in another letter case: boxes of 6; rows that do
        // not answer, with a unit or an article code stored unpadded.
        "(" + pad("art-5") + ", '  un', ' caj', 6), (" + pad("ART-5") + ", '  UN', 'KG', 2), ('ART-5', '  UN', "
        "'  M3', 3), "
        // A code that is no article's, only ART-3's bar code.
        "(" + pad("7790003") + ", '  UN', ' CAJ', 2)");
  Cabecera("V_MV_CPTE", "FC", kClave);
  const struct {
    const char* articulo;  // as stored in the line
    const char* unidad;
    const char* cantidad;
  } lineas[] = {{"                    ART-1", "  UN", "10"}, {"                    ART-1", " CAJ", "2"},
                {"art-5", "  un", "3"},                       {"                  7790003", "  UN", "4"},
                {"                      OTRO", " CAJ", "3"},  {"                    ART-1", "", "5"},
                {"DUN4", "  UN", "7"},                        {"                    ART-1", "  UN", "0"},
                {"                    ART-1", "UN", "20"}};
  for (const auto& l : lineas)
    e.Sql(QString("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD) "
                  "VALUES ('  FC', '%1', 0, '%2', '%3', %4)")
              .arg(kClave, l.articulo, l.unidad, l.cantidad));
  using namespace ColArticulos;
  MSFlexGrid* a = p->MSFlexGrid2;
  auto medidas = [&](int r) { return QStringList{C(a, r, kCantidadM3), C(a, r, kCantidadBL), C(a, r, kCantidadKG)}; };
  auto maestro = [&](int r) { return QStringList{C(a, r, kDescripcionTipo), C(a, r, kPresentacion)}; };

  // Codes found by each kind of bar code, which the search asks in turn (the
  // article code, the main bar code, the transport unit's, then bar codes 1
  // to 4), each finding the lowest article code that holds it; types stored
  // in any letter case and padding, none, or unknown. Each article's rubro
  // tells which one a line found.
  e.Sql("INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) VALUES ('  X1', 'Equis uno'), (' 7 ', 'Siete'), "
        "('x1', 'Equis otro')");
  const struct {
    const char *articulo, *rubro, *tipo, *columna, *codigo;
  } barras[] = {{"B-1", "11", "'x1'", "CODIGOBARRA1", "CB-A"},
                {"B-2", "12", "' X1 '", "CODIGOBARRA", "CB-A"},
                {"B-3", "13", "NULL", "CODIGOBARRA", "CB-S"},
                {"B-4", "14", "'  99'", "CODIGOBARRA", "CB-S"},
                {"B-5", "15", "'7'", "CODIGOBARRADUN", "CB-D"},
                {"B-6", "16", "'   2'", "CODIGOBARRA4", "CB-4"},
                {"B-7", "17", "''", "CODIGOBARRA2", "CB-4"},
                {"B-8", "18", "'  x1'", "CODIGOBARRA", "B-9"},
                {"B-9", "19", "'   2'", "CODIGOBARRA3", "B-1"},
                {"", "20", "'   2'", "CODIGOBARRA", "CB-V"}};
  for (const auto& b : barras) {
    const bool vacio = QString(b.articulo).isEmpty();
    e.Sql(QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDRUBRO, IDTIPO, %1) VALUES (%2, "
                  "'Barras', '  UN', '%3', %4, %5)")
              .arg(b.columna, vacio ? QString("''") : pad(b.articulo), b.rubro, b.tipo, pad(b.codigo)));
  }
  // B-2 also holds B-1's first bar code, B-7 B-8's code as its third.
  e.Sql("UPDATE V_MA_ARTICULOS SET CODIGOBARRA1 = " + pad("CB-A") + " WHERE IDARTICULO = " + pad("B-2"));
  e.Sql("UPDATE V_MA_ARTICULOS SET CODIGOBARRA3 = " + pad("B-8") + ", UD_TTE = ' CAJ' WHERE IDARTICULO = " +
        pad("B-7"));
  for (const char* codigo : {"CB-A", "cb-s ", "cb-d", "CB-4", "B-8", "b-9", "B-1", "", "NADA", "CB-V", "7790003"})
    e.Sql(QString("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD) "
                  "VALUES ('  FC', '%1', 0, '%2', '  UN', 1)")
              .arg(kClave, codigo));

  p->Inicializa(*cptes, "FC");
  ASSERT_TRUE(Carga("FC", kClave));
  ASSERT_EQ(a->Rows(), 22);
  // Every line shows what a search of its own code finds, and that
  // article's type as a look-up of the type reads it.
  for (int r = 1; r <= 20; ++r) {
    SCOPED_TRACE(C(a, r, kArticulo).toStdString());
    QString codigo = C(a, r, kArticulo);
    Recordset m;
    QStringList buscado{"", ""};
    if (BuscaArticuloPorCodigo(codigo, m)) {
      auto campo = [&](const char* c) { return vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(m.Fields(c)))); };
      buscado = QStringList{campo("IdRubro"), vb::Trim(gUtil.ConvierteTexto(gDatos.ObtieneValor(
                                                  "V_TA_TipoArticulo", campo("IdTipo"), "Descripcion", "IdTipo", 8,
                                                  QString())))};
    }
    EXPECT_EQ((QStringList{C(a, r, kRubroArticulo), C(a, r, kDescripcionTipo)}), buscado);
  }
  EXPECT_EQ(Columna(a, kRubroArticulo).mid(9, 11),
            (QStringList{"12", "13", "15", "17", "18", "19", "11", "", "", "20", ""}));
  EXPECT_EQ(Columna(a, kDescripcionTipo).mid(9, 11),
            (QStringList{"Equis uno", "", "Siete", "", "Equis uno", "Insumo", "Equis uno", "", "", "Insumo",
                         "Insumo"}));
  e.Sql("DELETE FROM V_MV_CPTEINSUMOS WHERE IDCOMPROBANTE = '" + kClave + "' AND CANTIDAD = 1");

  p->Inicializa(*cptes, "FC");
  ASSERT_TRUE(Carga("FC", kClave));
  ASSERT_EQ(a->Rows(), 11);
  EXPECT_EQ(medidas(1), (QStringList{"0.01", "1", "2.5"}));
  EXPECT_EQ(medidas(3), (QStringList{"0", "18", "0"}));
  EXPECT_EQ(medidas(6), (QStringList{"0.005", "0.5", "1.25"}));  // blank unit: the article's
  EXPECT_EQ(maestro(3), (QStringList{"Insumo", "Bolsa"}));
  EXPECT_EQ(maestro(4), (QStringList{"Insumo", "Pote"}));   // by the main bar code
  EXPECT_EQ(maestro(5), (QStringList{"", ""}));             // unknown
  EXPECT_EQ(maestro(7), (QStringList{"Repuesto", "Rollo"}));  // by the bar code of a unit
  for (int r = 1; r <= 9; ++r) {
    SCOPED_TRACE(r);
    const QStringList cargadas = medidas(r);
    a->SetRow(r);
    CalculaCantidadEquivalenteFila(*a);
    EXPECT_EQ(cargadas, medidas(r));
  }

  // The next load reads anew.
  e.Sql("UPDATE S_TA_EQUIV SET COEFICIENTE = 0.5 WHERE IDARTICULO = " + pad("ART-1") + " AND IDUNIDAD_EQUIV = ' CAJ'");
  e.Sql("UPDATE V_MA_ARTICULOS SET PRESENTACION = 'Pote grande' WHERE IDARTICULO = " + pad("ART-3"));
  e.Sql("UPDATE TA_TIPOARTICULO SET DESCRIPCION = 'Insumos' WHERE IDTIPO = '   2'");
  p->Inicializa(*cptes, "FC");
  ASSERT_TRUE(Carga("FC", kClave));
  EXPECT_EQ(medidas(1), (QStringList{"0.01", "5", "2.5"}));
  EXPECT_EQ(maestro(4), (QStringList{"Insumos", "Pote grande"}));
  // And after the load a conversion reads the database again.
  e.Sql("UPDATE S_TA_EQUIV SET COEFICIENTE = 0.25 WHERE IDARTICULO = " + pad("ART-1") + " AND IDUNIDAD_EQUIV = ' CAJ'");
  a->SetRow(1);
  CalculaCantidadEquivalenteFila(*a);
  EXPECT_EQ(medidas(1), (QStringList{"0.01", "2.5", "2.5"}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
