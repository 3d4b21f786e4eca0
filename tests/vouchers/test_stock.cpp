// Units of an article, the equivalences between them, the balances by unit,
// the measure columns of an articles grid and the stock queries of the
// voucher class, on rows the tests write.
#include <gtest/gtest.h>

#include <QLocale>
#include <memory>

#include "base_cptes.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

QString L(const QString& t) { return ClsDatos::Literal(t); }
QString C4(const QString& t) { return L(t.rightJustified(4)); }
QString C25(const QString& t) { return L(t.rightJustified(25)); }

class Unidades : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    // A bearing sold by the unit, boxed by 12, weighed and measured; a
    // grease by the kilo in lots; a sensor by serial; a pump by lot and
    // serial; an article without unit; one whose code holds a quote.
    Articulo("ROD-6205", "UN");
    Articulo("GRA-EP2", "KG", false, true);
    Articulo("SEN-IND", "UN", true, false);
    Articulo("BOM-CEN", "UN", true, true);
    Articulo("SIN-UD", "");
    Articulo("ART-O'NEIL", "UN");
    Equiv("ROD-6205", "CAJ", "UN", "12");
    Equiv("ROD-6205", "UN", "KG", "0.25");
    Equiv("ROD-6205", "UN", "M3", "0.0005");
    Equiv("ROD-6205", "BL", "UN", "40");
    // A pair stored both ways with different coefficients.
    Equiv("ROD-6205", "UN", "PAR", "0.5");
    Equiv("ROD-6205", "PAR", "UN", "3");
    // Rows that are no usable equivalence, one with a usable reverse.
    Equiv("ROD-6205", "UN", "LT", "0");
    Equiv("ROD-6205", "UN", "MT", "NULL");
    Equiv("ROD-6205", "UN", "RL", "0");
    Equiv("ROD-6205", "RL", "UN", "50");
    Equiv("GRA-EP2", "TAM", "KG", "180");
    Equiv("GRA-EP2", "BL", "KG", "25");
    Equiv("ART-O'NEIL", "CAJ", "UN", "6");
    c = std::make_unique<ClsCmnCptes>();
  }
  void Articulo(const QString& codigo, const QString& unidad, bool serie = false, bool lote = false) {
    e.Sql(QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, USASERIE, USALOTE) "
                  "VALUES (%1, 'Artículo de prueba', %2, %3, %4)")
              .arg(C25(codigo), unidad.isEmpty() ? "NULL" : C4(unidad))
              .arg(serie)
              .arg(lote));
  }
  void Equiv(const QString& art, const QString& de, const QString& a, const QString& coeficiente) {
    e.Sql(QString("INSERT INTO S_TA_EQUIV VALUES (%1, %2, %3, %4)").arg(C25(art), C4(de), C4(a), coeficiente));
  }
  void Saldo(const QString& art, const QString& unidad, const QString& deposito, double stock) {
    e.Sql(QString("INSERT INTO STK_SALDOS_UNIDADES VALUES (%1, %2, %3, %4)")
              .arg(C25(art), C4(unidad), C4(deposito), ClsDatos::Numero(stock)));
  }
  void Lote(const QString& art, const QString& deposito, const QString& lote, const QString& serie,
            const QString& posicion, double cantidad) {
    auto o = [](const QString& t, int w) { return t.isEmpty() ? QString("NULL") : L(t.rightJustified(w)); };
    e.Sql(QString("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, IDPOSICION, CANTIDAD) "
                  "VALUES (%1, %2, %3, %4, %5, %6)")
              .arg(C25(art), C4(deposito), o(lote, 25), o(serie, 25), o(posicion, 15), ClsDatos::Numero(cantidad)));
  }
  double A(const QString& art, QString base, double q, const QString& equiv) {
    return ConvierteAEquivalencia(art, base, q, equiv);
  }
  double Desde(const QString& art, QString base, double q, const QString& equiv) {
    return ConvierteDesdeEquivalencia(art, base, q, equiv);
  }
  int Errores() { return e.ui().Cuenta("Error"); }
  std::unique_ptr<ClsCmnCptes> c;
};

}  // namespace

// ---------------------------------------------------------------------------
// Equivalences and conversions

TEST_F(Unidades, ARowReadsAsOneUnitWorthCoefficientOfTheOther) {
  // Direct row: one box is worth 12 units; the same pair from the other side.
  EXPECT_DOUBLE_EQ(A("ROD-6205", "CAJ", 2, "UN"), 24);
  EXPECT_DOUBLE_EQ(Desde("ROD-6205", "CAJ", 24, "UN"), 2);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 24, "CAJ"), 2);
  EXPECT_DOUBLE_EQ(Desde("ROD-6205", "UN", 2, "CAJ"), 24);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 8, "KG"), 2);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 80, "BL"), 2);
  EXPECT_DOUBLE_EQ(A("GRA-EP2", "TAM", 1.5, "KG"), 270);
  for (double q : {7.0, 0.3, -5.0})
    EXPECT_NEAR(Desde("ROD-6205", "UN", A("ROD-6205", "UN", q, "M3"), "M3"), q, 1e-12);
  // Stored both ways: the row from the base unit decides.
  QString op = "?", base = "UN";
  double k = -1;
  bool sin = true;
  EXPECT_TRUE(IdArticuloTieneEquivalencias("ROD-6205", "PAR", op, base, k, sin));
  EXPECT_EQ(op, "/");
  EXPECT_DOUBLE_EQ(k, 0.5);
  EXPECT_FALSE(sin);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 4, "PAR"), 2);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "PAR", 4, "UN"), 12);
  EXPECT_TRUE(IdArticuloTieneEquivalencias("ROD-6205", "CAJ", op, base, k, sin));
  EXPECT_EQ(op, "*");
  EXPECT_DOUBLE_EQ(k, 12);
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, UnitsAreComparedTrimmedAndAnEmptyBaseIsTheArticlesUnit) {
  EXPECT_DOUBLE_EQ(A("ROD-6205", "un", 7, "  UN"), 7);
  EXPECT_DOUBLE_EQ(Desde("ROD-6205", "  UN", 7, "Un"), 7);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "  caj", 1, "UN "), 12);
  // The caller receives the article's unit; when that is the wanted unit the
  // quantity stays as it is.
  QString base;
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia("ROD-6205", base, 5, "  UN"), 5);
  EXPECT_EQ(base, "UN");
  base.clear();
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia("ROD-6205", base, 3, "KG"), 0.75);
  EXPECT_EQ(base, "UN");
  base = "   ";
  EXPECT_DOUBLE_EQ(ConvierteDesdeEquivalencia("ROD-6205", base, 1, "CAJ"), 12);
  EXPECT_EQ(base, "UN");
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, NoUsableEquivalenceConvertsToZero) {
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 5, "GR"), 0);   // no row either way
  EXPECT_DOUBLE_EQ(A("ROD-6205", "CAJ", 5, "KG"), 0);  // no chaining through a third unit
  for (const char* u : {"LT", "MT"}) {                 // coefficient 0, Null
    EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 5, u), 0) << u;
    EXPECT_DOUBLE_EQ(Desde("ROD-6205", "UN", 5, u), 0) << u;
  }
  QString op = "?", base = "UN";
  double k = -1;
  bool sin = true;
  EXPECT_FALSE(IdArticuloTieneEquivalencias("ROD-6205", "LT", op, base, k, sin));
  EXPECT_EQ(op, "?");
  EXPECT_DOUBLE_EQ(k, 0);
  // An unusable direct row gives way to a usable reverse one.
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 100, "RL"), 2);
  // An article whose unit is blank.
  base.clear();
  EXPECT_FALSE(IdArticuloTieneEquivalencias("SIN-UD", "KG", op, base, k, sin));
  EXPECT_TRUE(sin);
  EXPECT_EQ(base, "");
  EXPECT_EQ(op, "?");
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia("SIN-UD", base, 4, "KG"), 0);
  // A quantity of 0 looks nothing up: an unknown article is not reported.
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia("NO-EXISTE", base, 0, "KG"), 0);
  EXPECT_DOUBLE_EQ(ConvierteDesdeEquivalencia("NO-EXISTE", base, 0, "KG"), 0);
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, AnUnknownArticleIsReportedAndQuotedCodesAreLiterals) {
  QString base;
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia("NO-EXISTE", base, 3, "KG"), 0);
  ASSERT_EQ(Errores(), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "IdArticuloTieneEquivalencias");
  EXPECT_EQ(base, "");
  // Answered "go on": the procedure goes on without a unit.
  e.ui().respuestasError.push_back(5);
  QString op;
  double k = 0;
  bool sin = false;
  EXPECT_FALSE(IdArticuloTieneEquivalencias("NO-EXISTE", "KG", op, base, k, sin));
  EXPECT_TRUE(sin);
  EXPECT_EQ(Errores(), 2);
  EXPECT_DOUBLE_EQ(A("ART-O'NEIL", "CAJ", 2, "UN"), 12);
  EXPECT_DOUBLE_EQ(A("ART-O'NEIL", "", 12, "CAJ"), 2);
  EXPECT_DOUBLE_EQ(A("ROD-6205", "UN", 1, "K'G"), 0);
  EXPECT_EQ(Errores(), 2);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM S_TA_EQUIV").toInt(), 13);
}

// ---------------------------------------------------------------------------
// Balances by unit

TEST_F(Unidades, BalancesOfOneWarehouseOrAllInTheBaseAndAnEquivalentUnit) {
  Saldo("ROD-6205", "UN", "1", 30);
  Saldo("ROD-6205", "UN", "2", 12);
  Saldo("ROD-6205", "CAJ", "1", 1);
  const struct {
    const char* deposito;
    const char* unidad;
    double saldo;
  } casos[] = {{"1", "UN", 30}, {"   2", "  un", 12}, {"", "UN", 42}, {"    ", "UN", 42},
               {"1", "CAJ", 1}, {"3", "UN", 0},      {"1'", "UN", 0}};
  for (const auto& x : casos) {
    double s = -1;
    ControlStock(x.deposito, "ROD-6205", x.unidad, s);
    EXPECT_DOUBLE_EQ(s, x.saldo) << x.deposito << "/" << x.unidad;
  }
  double s = 99;
  ControlStock("1", "   ", "UN", s);  // a blank article leaves it alone
  EXPECT_DOUBLE_EQ(s, 99);

  QString base = "UN";
  double enBase = -1, enEquiv = -1;
  c->ObtieneStockxEquiv("1", "ROD-6205", base, "CAJ", enBase, enEquiv);
  EXPECT_DOUBLE_EQ(enBase, 30);
  EXPECT_DOUBLE_EQ(enEquiv, 2.5);
  c->ObtieneStockxEquiv("", "ROD-6205", base, "BL", enBase, enEquiv);
  EXPECT_DOUBLE_EQ(enBase, 42);
  EXPECT_DOUBLE_EQ(enEquiv, 1.05);
  c->ObtieneStockxEquiv("2", "ROD-6205", base, "", enBase, enEquiv);
  EXPECT_DOUBLE_EQ(enBase, 12);
  EXPECT_DOUBLE_EQ(enEquiv, 0);
  c->ObtieneStockxEquiv("1", "ROD-6205", base, "GR", enBase, enEquiv);
  EXPECT_DOUBLE_EQ(enEquiv, 0);
  // Without a base unit the balance is of the article's own unit.
  base.clear();
  c->ObtieneStockxEquiv("1", "ROD-6205", base, "KG", enBase, enEquiv);
  EXPECT_EQ(base, "UN");
  EXPECT_DOUBLE_EQ(enBase, 30);
  EXPECT_DOUBLE_EQ(enEquiv, 7.5);
  base.clear();
  c->ObtieneStockxEquiv("1", "NO-EXISTE", base, "KG", enBase, enEquiv);
  EXPECT_DOUBLE_EQ(enBase, 0);
  EXPECT_DOUBLE_EQ(enEquiv, 0);
  EXPECT_EQ(Errores(), 0);
}

// ---------------------------------------------------------------------------
// ObtieneStock

// A list of codes is read in statements of 500 codes at the most, each code
// asked once and in the list's order, bound as the text it is.
TEST_F(Unidades, CodesAreReadInStatementsOfAFewHundred) {
  QStringList codigos;
  for (int i = 0; i < 1000; ++i) codigos << QString("LOTE-%1").arg(i, 4, 10, QChar('0')).rightJustified(25);
  codigos << QString("ART-O'NEIL").rightJustified(25);
  e.Sql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < 1000) INSERT INTO "
        "V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) SELECT substr('" + QString(25, ' ') +
        "', 1, 16) || 'LOTE-' || substr('000' || i, -4), 'Artículo', '  UN' FROM n");
  QStringList pedidos, leidos;
  std::vector<qsizetype> porSentencia;
  LeePorCodigos("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE IDARTICULO", " ORDER BY IDARTICULO", codigos,
                [&](Recordset& rs, const QStringList& parte) {
                  porSentencia.push_back(parte.size());
                  pedidos << parte;
                  for (; !rs.Eof(); rs.MoveNext()) leidos << rs.Fields(0).Value().toString();
                });
  EXPECT_EQ(porSentencia, (std::vector<qsizetype>{500, 500, 1}));
  EXPECT_EQ(pedidos, codigos);
  EXPECT_EQ(leidos, codigos);
  // No code, no statement.
  LeePorCodigos("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE IDARTICULO", QString(), {},
                [&](Recordset&, const QStringList&) { porSentencia.push_back(0); });
  EXPECT_EQ(porSentencia.size(), 3u);
  // A statement that names the list several times asks fewer codes, so it
  // never binds more than 1,800 values; each part is bound once per naming.
  const struct {
    int veces;
    std::vector<qsizetype> partes;
  } nombrados[] = {{2, {500, 500, 1}}, {6, {300, 300, 300, 101}}, {4, {450, 450, 101}}};
  for (const auto& n : nombrados) {
    SCOPED_TRACE(n.veces);
    porSentencia.clear();
    leidos.clear();
    LeePorCodigos(
        n.veces,
        [&](const QString& lista) {
          QStringList o(n.veces, "IDARTICULO IN " + lista);
          return "SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE " + o.join(" AND ") + " ORDER BY IDARTICULO";
        },
        codigos, [&](Recordset& rs, const QStringList& parte) {
          porSentencia.push_back(parte.size());
          for (; !rs.Eof(); rs.MoveNext()) leidos << rs.Fields(0).Value().toString();
        });
    EXPECT_EQ(porSentencia, n.partes);
    EXPECT_EQ(leidos, codigos);
  }
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, WithoutLotOrSerialTheBalanceIsByUnit) {
  Saldo("ROD-6205", "UN", "1", 30);
  Saldo("ROD-6205", "UN", "2", 12);
  Saldo("ROD-6205", "CAJ", "1", 1);
  Lote("ROD-6205", "1", "L1", "", "", 500);  // not read on this road
  Config("DepositoDefault", "1");
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205"), 30);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", "ignorar", "IGNORAR"), 30);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", "2"), 12);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", " "), 42);  // a blank warehouse: all
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", "1", ClsCmnCptes::kIgnorar, ClsCmnCptes::kIgnorar,
                                   ClsCmnCptes::kIgnorar, "CAJ"),
                   1);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", "1", ClsCmnCptes::kIgnorar, ClsCmnCptes::kIgnorar, "A-01-1"), 30);
  // The defaults it fills reach the caller's variables.
  QString deposito = "Ignorar", unidad = "Ignorar";
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", deposito, "Ignorar", "Ignorar", "Ignorar", unidad), 30);
  EXPECT_EQ(deposito, "   1");
  EXPECT_EQ(unidad, "  UN");
  // Without a default warehouse the balance is of every warehouse.
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'DepositoDefault'");
  deposito = "Ignorar";
  unidad = "Ignorar";
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", deposito, "Ignorar", "Ignorar", "Ignorar", unidad), 42);
  EXPECT_EQ(deposito, "    ");
  // An article without balance or without unit: 0.
  EXPECT_DOUBLE_EQ(c->ObtieneStock("SIN-UD"), 0);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("NO-EXISTE"), 0);
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, ALotOrSerialNarrowsTheLotAndSerialStock) {
  // Grease by lot: a stray row with a serial does not count for it.
  Lote("GRA-EP2", "1", "L1", "", "A-01-1", 10);
  Lote("GRA-EP2", "1", "L1", "", "", 5);
  Lote("GRA-EP2", "1", "L2", "", "B-02-1", 7);
  Lote("GRA-EP2", "2", "L1", "", "", 3);
  Lote("GRA-EP2", "1", "L1", "S9", "", 100);
  // Sensors by serial: a row with a lot does not count for them.
  Lote("SEN-IND", "1", "", "S1", "", 1);
  Lote("SEN-IND", "1", "", "S2", "", 1);
  Lote("SEN-IND", "2", "", "S3", "", 1);
  Lote("SEN-IND", "1", "L5", "S4", "", 50);
  // Pumps by lot and serial: every row counts.
  Lote("BOM-CEN", "1", "L1", "S1", "", 1);
  Lote("BOM-CEN", "1", "L1", "S2", "", 1);
  Lote("BOM-CEN", "1", "L2", "S3", "C-01-1", 1);
  Lote("BOM-CEN", "1", "", "S4", "", 1);
  const QString I = ClsCmnCptes::kIgnorar;
  const struct {
    QString art, deposito, lote, serie, posicion, unidad;
    double saldo;
  } casos[] = {
      {"GRA-EP2", I, "L1", I, I, I, 18},  // every warehouse
      {"GRA-EP2", "1", "L1", I, I, I, 15},
      {"GRA-EP2", "   1", " l1 ", I, I, I, 15},
      {"GRA-EP2", "1", "L1", I, "A-01-1", I, 10},
      {"GRA-EP2", "1", "L2", I, "A-01-1", I, 0},
      {"GRA-EP2", "3", "L1", I, I, I, 0},       // a Null sum
      {"GRA-EP2", I, "L1", I, I, "TAM", 18},    // the unit plays no part
      {"GRA-EP2", "", "", "", I, I, 25},        // blank lot and serial: every row
      {"GRA-EP2", "1", "", "", "B-02-1", I, 7},
      {"SEN-IND", I, I, "S1", I, I, 1},
      {"SEN-IND", I, I, "s4", I, I, 0},
      {"SEN-IND", "", "", "", I, I, 3},
      {"SEN-IND", "1", "", "", I, I, 2},
      {"BOM-CEN", I, "L1", I, I, I, 2},
      {"BOM-CEN", I, "L1", "S2", I, I, 1},
      {"BOM-CEN", I, "", "", "C-01-1", I, 1},
      {"BOM-CEN", I, "", "", I, I, 4},
  };
  for (const auto& x : casos)
    EXPECT_DOUBLE_EQ(c->ObtieneStock(x.art, x.deposito, x.lote, x.serie, x.posicion, x.unidad), x.saldo)
        << x.art.toStdString() << " " << x.deposito.toStdString() << "/" << x.lote.toStdString() << "/"
        << x.serie.toStdString() << "/" << x.posicion.toStdString();
  EXPECT_EQ(Errores(), 0);
}

TEST_F(Unidades, ObtieneStockReportsAnUnknownArticleAndTakesQuotedKeys) {
  Lote("ART-O'NEIL", "1", "L'1", "", "", 4);
  const QString I = ClsCmnCptes::kIgnorar;
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ART-O'NEIL", I, "L'1"), 4);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("ROD-6205", "1'", "L1' OR '1'='1", "x'", "y'"), 0);
  EXPECT_EQ(Errores(), 0);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("NO-EXISTE", I, "L1"), 0);
  ASSERT_EQ(Errores(), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ObtieneStock");
  // Answered "go on": the sum of the rows of that code, without flags.
  Lote("NO-EXISTE", "1", "L1", "S1", "", 2);
  e.ui().respuestasError.push_back(5);
  EXPECT_DOUBLE_EQ(c->ObtieneStock("NO-EXISTE", I, "L1"), 2);
  EXPECT_EQ(Errores(), 2);
}

// ---------------------------------------------------------------------------
// Measure columns of an articles grid

class MedidasFila : public Unidades {
 protected:
  void SetUp() override {
    Unidades::SetUp();
    e.Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('  FC', 'Factura', 'VENTAS')");
    form = std::make_unique<Form>("FrmVoucher");
    grilla = new MSFlexGrid(form.get(), "MSFlexGrid2");
    editor = new TextBox(form.get(), "TxtEdit2");
    c->InicializaGrids(nullptr, grilla, nullptr, nullptr, editor, nullptr, form.get(), "FC");
    grilla->SetRows(4);
  }
  void Linea(int fila, const QString& art, const QString& unidad, const QString& cantidad) {
    grilla->SetTextMatrix(fila, ColArticulos::kArticulo, art);
    grilla->SetTextMatrix(fila, ColArticulos::kUnidad, unidad);
    grilla->SetTextMatrix(fila, ColArticulos::kCantidad, cantidad);
  }
  QStringList Medidas(int fila) {
    return {grilla->TextMatrix(fila, ColArticulos::kCantidadM3), grilla->TextMatrix(fila, ColArticulos::kCantidadBL),
            grilla->TextMatrix(fila, ColArticulos::kCantidadKG)};
  }
  void Calcula(int fila) {
    grilla->SetRow(fila);
    CalculaCantidadEquivalenteFila(*grilla);
  }
  std::unique_ptr<Form> form;
  MSFlexGrid* grilla = nullptr;
  TextBox* editor = nullptr;
};

TEST_F(MedidasFila, TheRowQuantityIsWrittenInTheThreeMeasureUnits) {
  ASSERT_EQ(grilla->Cols(), ClsCmnCptes::kColsArticulos);
  ASSERT_EQ(gUnidadMedidaM3, "M3");
  ASSERT_EQ(gUnidadMedidaBL, "BL");
  ASSERT_EQ(gUnidadMedidaKG, "KG");
  Linea(1, "ROD-6205", "UN", "80");
  Linea(2, "GRA-EP2", "KG", "3");
  Linea(3, "ROD-6205", "CAJ", "2");
  Calcula(2);
  EXPECT_EQ(Medidas(1), (QStringList{"", "", ""}));  // only the current row
  EXPECT_EQ(Medidas(2), (QStringList{"0", "0.12", "3"}));
  Calcula(1);
  EXPECT_EQ(Medidas(1), (QStringList{"0.04", "2", "20"}));
  Calcula(3);
  EXPECT_EQ(Medidas(3), (QStringList{"0", "0", "0"}));  // no box-to-measure rows
  EXPECT_EQ(Errores(), 0);
}

TEST_F(MedidasFila, ZeroEmptyAndUnusableGiveZeroNeverAnInfiniteCell) {
  // The quantity is read at four decimals (1.2346) and written in the
  // locale's form.
  Linea(1, "ROD-6205", "  un ", "1.23456");
  Calcula(1);
  EXPECT_EQ(Medidas(1), (QStringList{"0.0006173", "0.030865", "0.30865"}));
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  Linea(1, "ROD-6205", "UN", "2,5");
  Calcula(1);
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(Medidas(1), (QStringList{"0,00125", "0,0625", "0,625"}));
  Linea(1, "ROD-6205", "UN", "0,00015");  // 0.0002: from the digits as typed
  Calcula(1);
  EXPECT_EQ(Medidas(1), (QStringList{"0.0000001", "0.000005", "0.00005"}));
  Linea(1, "NO-EXISTE", "UN", "0");
  Calcula(1);
  EXPECT_EQ(Medidas(1), (QStringList{"0", "0", "0"}));
  EXPECT_EQ(Errores(), 0);
  // Coefficient 0 or Null towards a measure unit; a row without unit takes
  // the article's.
  gUnidadMedidaM3 = "LT";
  gUnidadMedidaBL = "MT";
  Linea(1, "ROD-6205", "", "4");
  Calcula(1);
  EXPECT_EQ(Medidas(1), (QStringList{"0", "0", "1"}));
  // A measure unit not configured: 0, or the quantity itself when the
  // row's unit is blank too.
  gUnidadMedidaBL.clear();
  grilla->SetTextMatrix(1, ColArticulos::kUnidad, "UN");
  Calcula(1);
  EXPECT_EQ(Medidas(1)[1], "0");
  Linea(2, "SIN-UD", "", "6");
  Calcula(2);
  EXPECT_EQ(Medidas(2)[1], "6");
  EXPECT_EQ(Errores(), 0);
}
