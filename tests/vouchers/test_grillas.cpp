// InicializaGrids and TextPropiedades: the layout of the voucher item grids
// by voucher type, system and configuration, and the editors' bindings.
#include <gtest/gtest.h>

#include <memory>

#include "base_cptes.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/vb_error.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

namespace tar = ColTareas;
namespace art = ColArticulos;
namespace otr = ColOtrosConceptos;
namespace res = ColResumen;

class GrillasCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    e.Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('  OT', 'Orden de Trabajo', 'VENTAS'), "
          "('  FC', 'Factura', 'ventas'), ('  PR', 'Presupuesto', 'VENTAS'), ('  OP', 'Orden de Producción', 'STOCK'), "
          "(' AJP', 'Ajuste Positivo', 'Stock '), ('  OC', 'Orden de Compra', 'COMPRAS'), "
          "('DVPE', 'Devolución', 'COMPRAS')");
    obj = std::make_unique<Form>("FrmVoucher");
    g1 = new MSFlexGrid(obj.get(), "MSFlexGrid1");
    g2 = new MSFlexGrid(obj.get(), "MSFlexGrid2");
    g3 = new MSFlexGrid(obj.get(), "MSFlexGrid3");
    g4 = new MSFlexGrid(obj.get(), "MSFlexGrid4");
    t1 = new TextBox(obj.get(), "TxtEdit");
    t2 = new TextBox(obj.get(), "TxtEdit2");
    t3 = new TextBox(obj.get(), "TxtEdit3");
    cptes = std::make_unique<ClsCmnCptes>();
  }

  void Inicializa(const QString& tc) { cptes->InicializaGrids(g1, g2, g3, t1, t2, t3, obj.get(), tc, g4); }
  int w(int n) const { return n ? obj->TextWidth(QString(n, 'X')) : 0; }
  static QStringList Titulos(MSFlexGrid* g) {
    QStringList r;
    for (int c = 0; c < g->Cols(); ++c) r << g->TextMatrix(0, c);
    return r;
  }
  static std::vector<int> Anchos(MSFlexGrid* g, int hasta) {
    std::vector<int> r;
    for (int c = 0; c <= hasta; ++c) r.push_back(g->ColWidth(c));
    return r;
  }

  std::unique_ptr<Form> obj;
  MSFlexGrid *g1, *g2, *g3, *g4;
  TextBox *t1, *t2, *t3;
  std::unique_ptr<ClsCmnCptes> cptes;
};

}  // namespace

TEST_F(GrillasCpte, AnInvoiceShowsEveryAmountColumn) {
  g2->SetRows(7);
  g2->SetTextMatrix(3, art::kArticulo, "ART-1");
  t3->SetText("resto");
  t1->show();
  t2->show();
  ASSERT_FALSE(t1->isHidden());
  Inicializa("FC");
  EXPECT_EQ(g1->Rows(), 2);
  EXPECT_EQ(g1->Cols(), 15);
  EXPECT_EQ(Titulos(g1), (QStringList{"Código", "Descripción", "Horas", "Valor/Hora", "Total", "AuxEsExento",
                                      "ImporteSinIVA", "AuxObservAdic", "AuxFechaInicio", "AuxFechaFin", "AuxIdTecnico",
                                      "CodigoOriginal", "AuxFechaREALInicio", "AuxFechaREALFin", "AuxTasaIVA"}));
  EXPECT_EQ(Anchos(g1, tar::kTasaIva),
            (std::vector<int>{w(7), w(37), w(7), w(11), w(11), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g1->ColAlignment(tar::kDescripcion), 1);
  EXPECT_TRUE(t1->isHidden());
  EXPECT_TRUE(t2->isHidden());

  EXPECT_EQ(g2->Rows(), 2);
  EXPECT_EQ(g2->Cols(), 79);
  EXPECT_EQ(g2->TextMatrix(1, art::kArticulo), "");  // cleared
  // Discount per line is on in the base configuration: its room comes from
  // the code and the description.
  EXPECT_EQ(Anchos(g2, art::kTotalConImpuestos),
            (std::vector<int>{w(15) - w(1), w(29) - w(3), 0, w(4), w(4), w(6), 0, 0, w(5), w(11), 0, 0, 0, w(10)}));
  const QStringList t = Titulos(g2);
  const QStringList titulados = t.mid(art::kArticulo, art::kDesdeSinTitulo);
  EXPECT_EQ(titulados.mid(art::kArticulo, art::kTipoArticulo),
            (QStringList{"Articulo", "Descripción", "Lista", "UD", "Dep.", "Cant.", "", "", "% Dto.", "Importe",
                         "Total", "AuxEsExento", "AuxPrecioSinIVA", "TOTAL", "AuxPideSerie", "AuxPidelote",
                         "AuxNroLote", "AuxNroSerie", "AuxRestoPorAplicar"}));
  EXPECT_EQ(titulados.mid(art::kTipoArticulo),
            (QStringList{"AuxTipoArticulo", "AuxRubroArticulo", "AuxListaConIVA", "AuxPrecioConIVA",
                         "AuxCantidadInsumo", "AuxImporteDescuentoArticulo", "AuxTipoCoeficiente", "AuxCoeficiente",
                         "AuxStockDisponible", "AuxStockMinimo", "AuxTasaIVA", "AuxCpteOrigen", "AuxIdCpteOrigen",
                         "Lote_Origen", "Lote_Aduana"}));
  EXPECT_EQ(t[art::kImpuestos], "Impuestos");
  EXPECT_EQ(g2->ColWidth(art::kImpuestos), w(10));
  EXPECT_EQ(t[art::kCodigoPercepcion], "AuxCodigoPercepcion");
  for (int c = art::kDesdeSinTitulo; c <= art::kHastaSinTitulo; ++c) {
    if (c == art::kImpuestos) continue;
    EXPECT_EQ(t[c], "") << c;  // kPerecedero, kPideTalle and kInsumosPorPorcentaje included
    EXPECT_EQ(g2->ColWidth(c), 0) << c;
  }
  for (int c = art::kPideSerie; c <= art::kLoteAduana; ++c) EXPECT_EQ(g2->ColWidth(c), 0) << c;
  EXPECT_EQ(g2->ColAlignment(art::kArticulo), 1);
  EXPECT_EQ(g2->ColAlignment(art::kDescripcion), 1);

  EXPECT_EQ(g3->Cols(), 6);
  EXPECT_EQ(Titulos(g3), (QStringList{"Detalle", "Importe S/Iva", "Importe", "Cuenta", "", ""}));
  EXPECT_EQ(Anchos(g3, otr::kCantidadColumnas - 1), (std::vector<int>{w(49), w(11), w(11), 0, 0, 0}));
  EXPECT_EQ(t3->Text(), "");

  EXPECT_EQ(g4->Rows(), 5);
  EXPECT_EQ(Titulos(g4), (QStringList{"Descripcion", "Cantidad ITEM'S", "Cantidad"}));
  EXPECT_EQ(Anchos(g4, res::kCantidad), (std::vector<int>{w(50), w(15), w(10)}));
  EXPECT_EQ(g4->ColAlignment(res::kDescripcion), 1);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(GrillasCpte, AWorkOrderWithoutAmountsGivesTheirRoomToTheDescriptions) {
  Config("NoMostrarImportesEnOT", "Si");
  Inicializa("OT");
  EXPECT_EQ(Anchos(g1, tar::kTotal), (std::vector<int>{w(7), w(37) + w(7) + w(11) + w(11), 0, 0, 0}));
  // Articles lose "Importe" and "TOTAL"; work orders never ask the warehouse.
  EXPECT_EQ(Anchos(g2, art::kTotalConImpuestos), (std::vector<int>{w(15) - w(1), w(29) - w(3) + w(11) + w(10), 0, w(4),
                                                                   0, w(6), 0, 0, w(5), 0, 0, 0, 0, 0}));
  EXPECT_EQ(Anchos(g3, otr::kImporte), (std::vector<int>{w(49) + w(11) + w(11), 0, 0}));
  // With the switch off the amounts show, still without the warehouse.
  Config("NoMostrarImportesEnOT", "NO");
  Inicializa("OT");
  EXPECT_EQ(Anchos(g1, tar::kTotal), (std::vector<int>{w(7), w(37), w(7), w(11), w(11)}));
  EXPECT_EQ(g2->ColWidth(art::kDeposito), 0);
  EXPECT_EQ(g2->ColWidth(art::kImporte), w(11));
}

TEST_F(GrillasCpte, PurchaseAndProductionOrdersHideAmountsButKeepTheHours) {
  for (const char* tc : {"OC", "op"}) {
    SCOPED_TRACE(tc);
    Inicializa(tc);
    EXPECT_EQ(Anchos(g1, tar::kTotal), (std::vector<int>{w(7), w(37) + w(11) + w(11), w(7), 0, 0}));
    EXPECT_EQ(Anchos(g3, otr::kImporte), (std::vector<int>{w(49) + w(11) + w(11), 0, 0}));
    EXPECT_EQ(g2->ColWidth(art::kDeposito), w(4));
  }
  // A purchase order is no stock voucher: its description takes the amounts.
  Inicializa("OC");
  EXPECT_EQ(g2->ColWidth(art::kDescripcion), w(29) - w(3) + w(11) + w(10));
  // A quote never asks the warehouse but shows its amounts.
  Inicializa("PR");
  EXPECT_EQ(g2->ColWidth(art::kDeposito), 0);
  EXPECT_EQ(g2->ColWidth(art::kImporte), w(11));
}

TEST_F(GrillasCpte, StockVouchersWidenDescriptionUnitAndQuantity) {
  // Shows amounts (a stock adjustment) or not (a production order): the
  // description ends at the same width.
  for (const char* tc : {"AJP", "OP"}) {
    SCOPED_TRACE(tc);
    Inicializa(tc);
    EXPECT_EQ(g2->ColWidth(art::kDescripcion), w(39) + w(11) - 480);
    EXPECT_EQ(g2->ColWidth(art::kUnidad), w(4) + w(4));
    EXPECT_EQ(g2->ColWidth(art::kCantidad), w(6) + w(7));
    for (int c : {art::kPorcDto, art::kImporte, art::kTotal, art::kTotalConImpuestos, art::kImpuestos})
      EXPECT_EQ(g2->ColWidth(c), 0) << c;
    for (int c : {art::kPorcDto, art::kTotalConImpuestos, art::kImpuestos}) EXPECT_EQ(g2->TextMatrix(0, c), "") << c;
    EXPECT_EQ(g2->ColWidth(art::kArticulo), w(15));  // no discount outside sales and services
  }
}

TEST_F(GrillasCpte, PriceListAndEquivalentUnitColumnsFollowTheirSwitches) {
  Config("V_ListaPreciosPorItemArticulos", "SI");
  Config("ConfirmaUDEquiv", "si");
  Inicializa("FC");
  EXPECT_EQ(Anchos(g2, art::kPorcDto), (std::vector<int>{w(15) - w(1) - w(1), w(29) - w(3) - w(3), w(4), w(4), w(4),
                                                         w(6), w(7), w(9), w(5)}));
  EXPECT_EQ(g2->TextMatrix(0, art::kUdEquiv), "UDEquiv");
  EXPECT_EQ(g2->TextMatrix(0, art::kCantidadEquiv), "Cant. Equiv");
  // The price list belongs to sales only.
  Inicializa("OC");
  EXPECT_EQ(g2->ColWidth(art::kLista), 0);
  EXPECT_EQ(g2->ColWidth(art::kArticulo), w(15) - w(1));
  Config("V_DescuentoPorArticulos", "NO");
  Config("PideDepositoEnCptes", "NO");
  Inicializa("OC");
  EXPECT_EQ(g2->ColWidth(art::kArticulo), w(15));
  EXPECT_EQ(g2->ColWidth(art::kPorcDto), 0);
  EXPECT_EQ(g2->ColWidth(art::kDeposito), 0);
}

TEST_F(GrillasCpte, ReturnsShowTheLotAndSerialLists) {
  Inicializa("dvpe");
  EXPECT_EQ(g2->TextMatrix(0, art::kNroLote), "Nro. Lote");
  EXPECT_EQ(g2->TextMatrix(0, art::kNroSerie), "Nro. Serie");
  EXPECT_EQ(g2->ColWidth(art::kNroLote), obj->TextWidth("Nro. de Lote"));
  EXPECT_EQ(g2->ColWidth(art::kNroSerie), obj->TextWidth("Nro. de Serie"));
  Inicializa(" DVPE");
  EXPECT_EQ(g2->TextMatrix(0, art::kNroLote), "AuxNroLote");
  EXPECT_EQ(g2->ColWidth(art::kNroLote), 0);
}

TEST_F(GrillasCpte, TheArticleHeaderIsTheConfiguredNameInProperCase) {
  Config("NombreArticulos", "PRODUCTO  terminado");
  Inicializa("FC");
  EXPECT_EQ(g2->TextMatrix(0, art::kArticulo), "Producto  Terminado");
  Config("NombreArticulos", "   ");
  Inicializa("FC");
  EXPECT_EQ(g2->TextMatrix(0, art::kArticulo), "Código");
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'NombreArticulos'");
  Inicializa("FC");
  EXPECT_EQ(g2->TextMatrix(0, art::kArticulo), "Código");
}

TEST_F(GrillasCpte, ATypeMissingFromTheTypeTableIsLaidOutInFull) {
  g4->SetCols(2);
  Inicializa("XX");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(g1->Cols(), 15);
  EXPECT_EQ(g2->Cols(), 79);
  EXPECT_EQ(g3->Cols(), 6);
  EXPECT_EQ(g4->Cols(), 3);
  // No system: amounts, discount and taxes as for a sales type, no price list.
  EXPECT_EQ(Anchos(g2, art::kLista), (std::vector<int>{w(15) - w(1), w(29) - w(3), 0}));
  EXPECT_EQ(g2->ColWidth(art::kImpuestos), w(10));
  EXPECT_EQ(g2->TextMatrix(0, art::kCodigoPercepcion), "AuxCodigoPercepcion");
  // And no type at all, or one with a quote.
  cptes->InicializaGrids(g1, g2, g3, t1, t2, t3, obj.get());
  cptes->InicializaGrids(g1, g2, g3, t1, t2, t3, obj.get(), "O'X");
  EXPECT_EQ(g2->Cols(), 79);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(GrillasCpte, GridsPassedAsNothingAreLeftAlone) {
  g4->SetRows(3);
  g4->SetCols(4);
  g4->SetTextMatrix(1, res::kItems, "queda");
  cptes->InicializaGrids(g1, nullptr, nullptr, t1, nullptr, nullptr, obj.get(), "FC");
  EXPECT_EQ(g1->Cols(), 15);
  EXPECT_EQ(g2->Cols(), 2);
  EXPECT_EQ(g3->Cols(), 2);
  EXPECT_EQ(g4->Cols(), 4);
  EXPECT_EQ(g4->TextMatrix(1, res::kItems), "queda");
}

TEST_F(GrillasCpte, AMissingTasksEditorFailsAfterTheTasksGrid) {
  try {
    cptes->InicializaGrids(g1, g2, g3, nullptr, t2, t3, obj.get(), "FC", g4);
    FAIL() << "no error";
  } catch (const vb::Error& err) {
    EXPECT_EQ(err.Number, vb::ErrObjectRequired);
  }
  EXPECT_EQ(g1->Cols(), 15);
  EXPECT_EQ(g2->Cols(), 2);
  // The other-concepts grid needs its editor before anything is touched.
  EXPECT_THROW(cptes->InicializaGrids(nullptr, nullptr, g3, nullptr, nullptr, nullptr, obj.get(), "FC"), vb::Error);
  EXPECT_EQ(g3->Cols(), 2);
}

TEST_F(GrillasCpte, EditorsAreBoundToTheColumnBeingEdited) {
  struct Caso {
    TextBox* editor;
    long columna;
    const char* campo;
    int largo;
    const char* tag;
  } casos[] = {
      {t1, 0, "IdTarea", 4, "v_ta_tareas"},         {t1, 2, "HorasEstimadas", 0, ""},
      {t1, 4, "Total", 0, ""},                      {t2, 0, "IdArticulo", 25, "v_ma_articulos"},
      {t2, 1, "Descripcion", 50, ""},               {t2, 2, "IdListaPrecioArticulo", 4, "V_MA_PRECIOS"},
      {t2, 3, "IdUnidad", 4, "V_TA_UNIDAD"},        {t2, 4, "IdDepositoArt", 4, "V_TA_DEPOSITO"},
      {t2, 6, "IdUnidadEquiv", 4, "V_TA_UNIDAD"},   {t2, 8, "PorcDtoArticulo", 0, ""},
      {t2, 9, "ArtImporte", 0, ""},                 {t2, 10, "Total", 0, ""},
      {t3, 0, "OCDescripcion", 200, "MA_CUENTAS/SOLOIMPUTABLES"}, {t3, 2, "OCImporte", 0, ""},
      // Columns outside the table leave the editor reset.
      {t2, 11, "", 0, ""},                          {t1, 5, "", 0, ""},
      {t3, -1, "", 0, ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.editor->objectName().toStdString() + " " + std::to_string(c.columna));
    c.editor->DataField = "previo";
    c.editor->Tag = "previo";
    c.editor->SetMaxLength(3);
    cptes->TextPropiedades(c.editor, c.columna);
    EXPECT_EQ(c.editor->DataField, c.campo);
    EXPECT_EQ(c.editor->Tag, c.tag);
    EXPECT_EQ(c.editor->MaxLength(), c.largo ? c.largo : 32767);  // 0: no limit
  }
  // The name is compared ignoring case and surrounding blanks; another name binds nothing.
  TextBox otro(obj.get(), " txtedit2 ");
  cptes->TextPropiedades(&otro, 3);
  EXPECT_EQ(otro.DataField, "IdUnidad");
  TextBox ajeno(obj.get(), "txtFields");
  ajeno.Tag = "v_ta_tecnicos";
  cptes->TextPropiedades(&ajeno, 0);
  EXPECT_EQ(ajeno.DataField, "");
  EXPECT_EQ(ajeno.Tag, "");
}
