// What a voucher screen asks while its grids are filled: the line limit of
// the printed form, item counts, the status-bar details, the summary grid,
// row and column colours, duplicate codes and fractions.
#include <gtest/gtest.h>

#include <QFile>
#include <memory>

#include "base_cptes.h"
#include "support/errores.h"
#include "pantalla_cptes.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/sstab.h"
#include "platform/controles/statusbar.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kDesc = ColArticulos::kDescripcion, kCant = ColArticulos::kCantidad, kTipo = ColArticulos::kTipoArticulo,
              kRubro = ColArticulos::kRubroArticulo, kStock = ColArticulos::kStockDisponible;
constexpr int kDescTarea = ColTareas::kDescripcion, kHoras = ColTareas::kHoras;
constexpr int kCodigo = ColGrillas::kCodigo;

class TotalesCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    cptes = std::make_unique<ClsCmnCptes>();
    p = std::make_unique<PantallaCpte>();
    p->Inicializa(*cptes, "FC");
  }
  // Fills a grid's rows from 1 with the cells of each line (column, text),
  // leaving one empty row below.
  static void Llena(MSFlexGrid* g, const std::vector<std::vector<std::pair<int, QString>>>& filas) {
    g->SetRows(1);
    g->SetRows(static_cast<int>(filas.size()) + 2);
    for (size_t i = 0; i < filas.size(); ++i)
      for (const auto& [c, t] : filas[i]) g->SetTextMatrix(static_cast<int>(i) + 1, c, t);
  }
  static QStringList Resumen(MSFlexGrid* g) {
    QStringList r;
    for (int f = 1; f < g->Rows(); ++f)
      r << g->TextMatrix(f, ColResumen::kDescripcion) + " | " + g->TextMatrix(f, ColResumen::kItems) + " | " +
               g->TextMatrix(f, ColResumen::kCantidad);
    return r;
  }
  static std::vector<long> Colores(MSFlexGrid* g, int col) {
    std::vector<long> r;
    for (int f = 1; f < g->Rows(); ++f) {
      g->SetRow(f);
      g->SetCol(col);
      r.push_back(g->CellBackColor());
    }
    return r;
  }
  void Impresora(const QString& tc, const QString& letra, const QString& usuario, int lineas) {
    e.Sql(QString("INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, IMPRESORA, CANTCOPIAS, CANTLINEAS) VALUES "
                  "('%1', '%2', %3, 'Laser', 1, %4)")
              .arg(tc, letra, usuario, QString::number(lineas)));
  }
  // Writes PRINTERS.PRN with a last-modified time of its own.
  void ArchivoImpresoras(int segundos) {
    e.EscribeArchivo("PRINTERS.PRN", "Laser\r\n");
    QFile f(e.Ruta("PRINTERS.PRN"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(8, 0)).addSecs(segundos),
                              QFileDevice::FileModificationTime));
  }

  std::unique_ptr<ClsCmnCptes> cptes;
  std::unique_ptr<PantallaCpte> p;
};

}  // namespace

TEST_F(TotalesCpte, TheLineLimitComesFromThePrintConfigurationOfTheTypeAndLetter) {
  Llena(p->MSFlexGrid1, {{{kCodigo, "1"}}, {{kCodigo, "  "}}});  // a blank code is no line
  Llena(p->MSFlexGrid2, {{{kCodigo, "ART-1"}}});
  int lineas = 0, usadas = 0, anteriores = 0;
  // Without the file there is no limit.
  EXPECT_TRUE(cptes->ValidaCantidadLineasCpte("FC", "A", p->MSFlexGrid1, p->MSFlexGrid2, nullptr, &lineas, &usadas,
                                              500, &anteriores));
  EXPECT_EQ(lineas, 0);
  EXPECT_EQ(usadas, 0);

  Impresora("FC", "A", "NULL", 3);
  Impresora("FC", "A", "'puesto1|ana'", 2);  // this workstation and user
  Impresora("FC", "B", "NULL", 5);
  Impresora("FC", "A", "'otro|pepe'", 9);
  ArchivoImpresoras(0);
  auto valida = [&](const QString& letra, long agregar) {
    return cptes->ValidaCantidadLineasCpte("FC", letra, p->MSFlexGrid1, p->MSFlexGrid2, nullptr, &lineas, &usadas,
                                           agregar, &anteriores);
  };
  EXPECT_TRUE(valida("A", 0));
  EXPECT_EQ(lineas, 2);
  EXPECT_EQ(usadas, 2);
  EXPECT_EQ(anteriores, 2);
  EXPECT_FALSE(valida("A", 1));
  // Unchanged file, type and letter: the caller's limit, not the table.
  e.Sql("UPDATE TA_CONFIG_IMP_CPTE SET CANTLINEAS = 4 WHERE USUARIO = 'puesto1|ana'");
  EXPECT_FALSE(valida("A", 1));
  EXPECT_EQ(lineas, 2);
  // Another letter reads its own limit, and coming back reads again.
  EXPECT_TRUE(valida("B", 3));
  EXPECT_EQ(lineas, 5);
  EXPECT_TRUE(valida("A", 2));
  EXPECT_EQ(lineas, 4);
  // A new date-time of the file reads the configuration again.
  e.Sql("UPDATE TA_CONFIG_IMP_CPTE SET CANTLINEAS = 0 WHERE USUARIO = 'puesto1|ana'");
  ArchivoImpresoras(60);
  usadas = -7;
  EXPECT_TRUE(valida("A", 99));
  EXPECT_EQ(lineas, 0);
  EXPECT_EQ(usadas, -7);  // no limit: the used lines are not counted
  // A type without configuration keeps the caller's limit.
  lineas = 1;
  EXPECT_FALSE(cptes->ValidaCantidadLineasCpte("ND", "A", p->MSFlexGrid1, nullptr, nullptr, &lineas, &usadas, 1,
                                               &anteriores));
  EXPECT_EQ(lineas, 1);
  // LineasAnteriores -1: the caller's limit, whatever the file says.
  lineas = 10;
  anteriores = -1;
  Llena(p->MSFlexGrid3, std::vector<std::vector<std::pair<int, QString>>>(8, {{kCodigo, "Flete"}}));
  EXPECT_TRUE(cptes->ValidaCantidadLineasCpte("FC", "A", p->MSFlexGrid1, p->MSFlexGrid2, p->MSFlexGrid3, &lineas,
                                              &usadas, 0, &anteriores));
  EXPECT_EQ(usadas, 10);
  EXPECT_FALSE(cptes->ValidaCantidadLineasCpte("FC", "A", p->MSFlexGrid1, p->MSFlexGrid2, p->MSFlexGrid3, &lineas,
                                               &usadas, 1, &anteriores));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(TotalesCpte, ItemCountsAddTheUnitsAndRoundThemOnce) {
  Llena(p->MSFlexGrid1, {{{kCodigo, "1"}}, {{kCodigo, "2"}}, {{kCodigo, " "}}});
  Llena(p->MSFlexGrid2,
        {{{kCodigo, "A"}, {kCant, "0.5"}},
         {{kCodigo, "B"}, {kCant, "0,5"}},
         {{kCodigo, ""}, {kCant, "100"}},
         {{kCodigo, "C"}, {kCant, "2.5"}}});
  long tareas = -1, articulos = -1, otros = -1, unidades = -1;
  EXPECT_EQ(cptes->CuentaItems(p->MSFlexGrid1, p->MSFlexGrid2, nullptr, &tareas, &articulos, &otros, &unidades), 5);
  EXPECT_EQ(tareas, 2);
  EXPECT_EQ(articulos, 3);
  EXPECT_EQ(otros, 0);
  EXPECT_EQ(unidades, 4);  // 3.5 rounds to the even 4
  Llena(p->MSFlexGrid2,
        {{{kCodigo, "A"}, {kCant, "0.5"}}, {{kCodigo, "B"}, {kCant, "0.5"}}, {{kCodigo, "C"}, {kCant, "1.5"}}});
  cptes->CuentaItems(nullptr, p->MSFlexGrid2, nullptr, &tareas, &articulos, &otros, &unidades);
  EXPECT_EQ(unidades, 2);  // 2.5: one rounding, not one per row
  EXPECT_EQ(tareas, 0);
  // Each quantity is read from its digits at four decimals, half away from
  // zero: 0.4999 + 0.0002 rounds up; and the currency's maximum is counted.
  const std::pair<std::vector<QString>, long> sumas[] = {{{"0,49985", "0.00015"}, 1},
                                                         {{"922337203685477,5807"}, 922337203685478}};
  for (const auto& [cantidades, esperadas] : sumas) {
    std::vector<std::vector<std::pair<int, QString>>> filas;
    for (const QString& c : cantidades) filas.push_back({{kCodigo, "A"}, {kCant, c}});
    Llena(p->MSFlexGrid2, filas);
    cptes->CuentaItems(nullptr, p->MSFlexGrid2, nullptr, &tareas, &articulos, &otros, &unidades);
    EXPECT_EQ(unidades, esperadas) << cantidades.front().toStdString();
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // Units beyond the currency's range: the overflow is reported and the
  // units hold what was counted before it, never a wrapped negative sum.
  Llena(p->MSFlexGrid2, {{{kCodigo, "A"}, {kCant, "900000000000000"}}, {{kCodigo, "B"}, {kCant, "900000000000000"}}});
  cptes->CuentaItems(nullptr, p->MSFlexGrid2, nullptr, &tareas, &articulos, &otros, &unidades);
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "CuentaItems&");
  EXPECT_EQ(e.ui().De("Error")[0].valor, 6);
  EXPECT_EQ(unidades, 900000000000000);
}

TEST_F(TotalesCpte, TheCurrentRowGoesToTheStatusBar) {
  Llena(p->MSFlexGrid1, {{{kCodigo, " 7 "}, {kDescTarea, " Cambio de filtro "}}});
  Llena(p->MSFlexGrid2, {{{kCodigo, "ART-1"}, {kDesc, "Filtro"}, {kStock, "12,5"}}});
  Llena(p->MSFlexGrid3, {{{kCodigo, " Flete "}}});
  p->MSFlexGrid1->SetRow(1);
  cptes->MuestraDetalleTareas(*p->MSFlexGrid1, *p->StatusBar1);
  EXPECT_EQ(p->StatusBar1->Panels()(4)->Text(), "7 - Cambio de filtro");
  p->MSFlexGrid3->SetRow(1);
  cptes->MuestraDetalleOtrosConceptos(*p->MSFlexGrid3, *p->StatusBar1);
  EXPECT_EQ(p->StatusBar1->Panels()(4)->Text(), "Flete");
  p->MSFlexGrid2->SetRow(1);
  p->StatusBar1->Panels().Add("stock");  // a second panel of that key stays empty
  cptes->MuestraDetalleArticulos(*p->MSFlexGrid2, *p->StatusBar1, 3);
  EXPECT_EQ(p->StatusBar1->Panels()(3)->Text(), "ART-1 - Filtro");
  EXPECT_EQ(p->StatusBar1->Panels()(5)->Text(), "Stock: 12.5");
  EXPECT_EQ(p->StatusBar1->Panels()(6)->Text(), "");

  // A bar without the panels: the articles pass over, the others raise.
  StatusBar corta;
  corta.Panels().Add("Detalle");
  cptes->MuestraDetalleArticulos(*p->MSFlexGrid2, corta);
  EXPECT_EQ(corta.Panels()(1)->Text(), "");
  EXPECT_NE(NumeroDeError([&] { cptes->MuestraDetalleTareas(*p->MSFlexGrid1, corta); }), 0);
}

TEST_F(TotalesCpte, TheSummaryHasOneBlockPerVisibleTab) {
  e.Sql("INSERT INTO TA_RUBROS (IDRUBRO, DESCRIPCION) VALUES ('   2', 'Mecánica'), ('   5', 'Lubricantes')");
  e.Sql("INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) VALUES ('   1', 'Repuesto')");
  // 1:30 + 2 hours + 0:45 + 0:50: minutes carried into the hours, and
  // written with two digits (5:05, never 5:5).
  Llena(p->MSFlexGrid1, {{{kCodigo, "1"}, {kHoras, "1:30"}},
                         {{kCodigo, "2"}, {kHoras, "2"}},
                         {{kCodigo, "3"}, {kHoras, "0:45"}},
                         {{kCodigo, ""}, {kHoras, "9:00"}},
                         {{kCodigo, "4"}, {kHoras, "00:50"}}});
  Llena(p->MSFlexGrid2, {{{kCodigo, "ART-1"}, {kDesc, "Filtro"}, {kCant, "2"}, {kTipo, "1"}, {kRubro, "2"}},
                         {{kCodigo, "ART-2"}, {kDesc, "Aceite"}, {kCant, "1"}, {kTipo, "1"}, {kRubro, "5"}},
                         {{kCodigo, "art-1"}, {kDesc, "Filtro"}, {kCant, "3.5"}, {kTipo, "1"}, {kRubro, " 2 "}},
                         {{kCodigo, "SUELTO"}, {kDesc, "Suelto"}, {kCant, "4"}}});
  Llena(p->MSFlexGrid3, {{{kCodigo, "Flete"}}, {{kCodigo, "Seguro"}}});
  p->MSFlexGrid4->SetRows(9);
  p->MSFlexGrid4->SetTextMatrix(3, ColResumen::kDescripcion, "de antes");

  cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1, true, true);
  EXPECT_EQ(Resumen(p->MSFlexGrid4), (QStringList{"Tareas | 4 | 5:05", "Artículos | 4 | 10.5", "- |  | 4",
                                                  "2-Mecánica |  | 5.5", "5-Lubricantes |  | 1", "Otros Conceptos | 2 | ",
                                                  " |  | "}))
      << "rubro wins over type; entry 0 first, the groups in order of appearance";
  EXPECT_EQ(Colores(p->MSFlexGrid4, ColResumen::kCantidad),
            (std::vector<long>{0xC0FFFF, 0xC0FFFF, 0xC0E0FF, 0xC0E0FF, 0xC0E0FF, 0xC0FFFF, 0xFF0000}));
  ASSERT_EQ(gListaItems.size(), 3u);
  EXPECT_EQ(gListaItems[0].ValorItem, "4");
  EXPECT_EQ(gListaItems[1].NombreItem, "2");

  // By type; by article (descriptions from the grid, no query).
  p->SSTab1->SetTabVisible(0, false);
  p->SSTab1->SetTabVisible(2, false);
  cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1, false, true);
  EXPECT_EQ(Resumen(p->MSFlexGrid4),
            (QStringList{"Artículos | 4 | 10.5", "- |  | 4", "1-Repuesto |  | 6.5", " |  | "}));
  cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1);
  EXPECT_EQ(Resumen(p->MSFlexGrid4), (QStringList{"Artículos | 4 | 10.5", "- |  | ", "ART-1-Filtro |  | 5.5",
                                                  "ART-2-Aceite |  | 1", "SUELTO-Suelto |  | 4", " |  | "}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);

  // Decimal hours; no used article rows: no breakdown.
  Config("SeparadorHora", ".");
  p->SSTab1->SetTabVisible(0, true);
  Llena(p->MSFlexGrid2, {});
  cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1);
  EXPECT_EQ(Resumen(p->MSFlexGrid4), (QStringList{"Tareas | 4 | 5.08", "Artículos | 0 | 0", " |  | "}));

  // Every tab hidden: the header, and one empty blue line.
  p->SSTab1->SetTabVisible(0, false);
  p->SSTab1->SetTabVisible(1, false);
  cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1);
  EXPECT_EQ(Resumen(p->MSFlexGrid4), (QStringList{" |  | "}));
  EXPECT_EQ(Colores(p->MSFlexGrid4, ColResumen::kItems), (std::vector<long>{0xFF0000}));
  EXPECT_EQ(p->MSFlexGrid4->TextMatrix(0, ColResumen::kItems), "Cantidad ITEM'S");

  // A total beyond what a number holds, of hours, of articles or of one
  // article's group, is the overflow error, never a total shown as 0.
  Config("SeparadorHora", ":");
  const struct {
    int tab;
    MSFlexGrid* grilla;
    int columna;
    std::vector<std::pair<QString, QString>> filas;  // code, value
  } desbordes[] = {
      {0, p->MSFlexGrid1, kHoras, {{"1", "1e300"}}},
      {1, p->MSFlexGrid2, kCant, {{"A", "1e308"}, {"B", "1e308"}}},
      // The articles' total stays finite, the first article's does not.
      {1, p->MSFlexGrid2, kCant, {{"A", "1e308"}, {"B", "-1e308"}, {"A", "1e308"}}},
  };
  for (const auto& d : desbordes) {
    SCOPED_TRACE(d.tab);
    e.ui().llamadas.clear();
    for (int t = 0; t < 3; ++t) p->SSTab1->SetTabVisible(t, t == d.tab);
    std::vector<std::vector<std::pair<int, QString>>> filas;
    for (const auto& [codigo, valor] : d.filas) filas.push_back({{kCodigo, codigo}, {d.columna, valor}});
    Llena(d.grilla, filas);
    cptes->TotalizadorControl(*p->MSFlexGrid1, *p->MSFlexGrid2, *p->MSFlexGrid3, *p->MSFlexGrid4, *p->SSTab1);
    ASSERT_EQ(e.ui().Cuenta("Error"), 1);
    EXPECT_EQ(e.ui().De("Error")[0].titulo, "TotalizadorControl");
    EXPECT_EQ(e.ui().De("Error")[0].valor, 6);
    EXPECT_EQ(Resumen(p->MSFlexGrid4), (QStringList{" |  | "}));
  }
}

TEST_F(TotalesCpte, RowsAndColumnsArePaintedAndTheCurrentCellKept) {
  MSFlexGrid g;
  g.SetRows(5);
  g.SetCols(3);
  // The colour of one cell (the current cell moves there).
  auto color = [&](int r, int c) {
    g.SetRow(r);
    g.SetCol(c);
    return g.CellBackColor();
  };
  g.SetRow(1);
  g.SetCol(2);
  cptes->PintarFila(3, g);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ((std::vector<long>{color(3, 0), color(3, 1), color(3, 2), color(2, 0), color(2, 2)}),
            (std::vector<long>{0xFFFF, 0xFFFF, 0xFFFF, 0, 0}));
  EXPECT_NE(NumeroDeError([&] { cptes->PintarFila(7, g); }), 0);

  // A column over a row range, on a grid of 5 rows and 3 columns whose
  // current row is `actual`: only that column's cells within the grid are
  // painted, bounds beyond the rows add none and paint no other cell.
  const struct {
    long columna, desde, hasta;
    int actual;
    std::vector<int> pintadas;  // rows of the column
  } columnas[] = {
      {1, -1, -1, 4, {0, 1, 2, 3, 4}},  // the header row included
      {0, 3, 2, 1, {}},                 // nothing between 3 and 2
      {0, 3, 9, 1, {3, 4}},
      {2, 2, 200000, 1, {2, 3, 4}},
      {0, 6, 200000, 1, {}},  // wholly below the grid
      {0, -5, 1, 4, {0, 1}},  // from above the grid
      {7, -1, -1, 2, {}},     // a column the grid has not
  };
  for (const auto& c : columnas) {
    SCOPED_TRACE(testing::Message() << c.columna << " " << c.desde << ".." << c.hasta);
    MSFlexGrid h;
    h.SetRows(5);
    h.SetCols(3);
    h.SetRow(c.actual);
    h.SetCol(1);
    cptes->PintarColuma(c.columna, h, c.desde, c.hasta, 0xFF);
    EXPECT_EQ(h.Row(), c.actual);
    EXPECT_EQ(h.Col(), c.pintadas.empty() ? 1 : c.columna);
    EXPECT_EQ(h.Rows(), 5);
    std::vector<std::pair<int, int>> pintadas, esperadas;
    for (int r = 0; r < 5; ++r)
      for (int k = 0; k < 3; ++k) {
        h.SetRow(r);
        h.SetCol(k);
        if (h.CellBackColor() == 0xFF) pintadas.emplace_back(r, k);
      }
    for (int r : c.pintadas) esperadas.emplace_back(r, static_cast<int>(c.columna));
    EXPECT_EQ(pintadas, esperadas);
  }
}

TEST_F(TotalesCpte, DuplicateCodesAndFractions) {
  Llena(p->MSFlexGrid2, {{{kCodigo, "ART-1"}}, {{kCodigo, " ab "}}, {{kCodigo, "AB"}}});
  long encontrada = -1;
  EXPECT_TRUE(cptes->ArticuloRepetido(*p->MSFlexGrid2, "Ab", -1, &encontrada));
  EXPECT_EQ(encontrada, 2);
  EXPECT_TRUE(cptes->ArticuloRepetido(*p->MSFlexGrid2, "ab", 2, &encontrada));
  EXPECT_EQ(encontrada, 3);
  encontrada = -1;
  EXPECT_FALSE(cptes->ArticuloRepetido(*p->MSFlexGrid2, "ART-1", 1, &encontrada));
  EXPECT_EQ(encontrada, -1);
  // An empty code is never a duplicate, empty rows notwithstanding.
  EXPECT_FALSE(cptes->ArticuloRepetido(*p->MSFlexGrid2, "  ", -1, &encontrada));
  Llena(p->MSFlexGrid1, {{{kCodigo, "7"}}});
  EXPECT_TRUE(cptes->TareaRepetida(*p->MSFlexGrid1, " 7"));
  Llena(p->MSFlexGrid3, {{{kCodigo, "Flete"}}});
  EXPECT_TRUE(cptes->OtrosConceptosRepetidos(*p->MSFlexGrid3, "FLETE", -1, &encontrada));
  EXPECT_EQ(encontrada, 1);

  for (const QVariant& v : {QVariant(3), QVariant("3"), QVariant(3.0), QVariant(" 40000 "), QVariant(1e12)})
    EXPECT_FALSE(cptes->NumeroEsFraccion(v)) << v.toString().toStdString();
  for (const QVariant& v : {QVariant(2.5), QVariant("0.01"), QVariant("2,5"), QVariant(40000.5), QVariant(-1e12 - 0.5)})
    EXPECT_TRUE(cptes->NumeroEsFraccion(v)) << v.toString().toStdString();
}
