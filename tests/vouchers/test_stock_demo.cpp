// The stock queries and unit conversions on the demo database: every kind
// of equivalence and balance it holds answers as its rows say.
#include <gtest/gtest.h>

#include <memory>

#include "platform/cls_datos.h"
#include "support/entorno.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

class StockDemo : public ConEntorno {
 protected:
  void SetUp() override {
    demo::Opciones o;
    o.reportes = 40;
    o.articulos = 150;
    o.semilla = 77;
    e.CreaBaseDemo(o);
    e.Inicia("demo.db");
    ASSERT_TRUE(gDatos.Conectado());
    c = std::make_unique<ClsCmnCptes>();
  }
  QString Texto(const QString& sql) { return e.Valor(sql).toString(); }
  double Numero(const QString& sql) { return e.Valor(sql).toDouble(); }
  std::unique_ptr<ClsCmnCptes> c;
  const QString I = ClsCmnCptes::kIgnorar;
};

}  // namespace

TEST_F(StockDemo, BalancesInTheBaseUnitAndInAPackingOrAMeasure) {
  // An article in boxes (reverse row) with stock in the central warehouse.
  const QString caja = Texto(
      "SELECT e.IDARTICULO FROM S_TA_EQUIV e JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = e.IDARTICULO "
      "AND s.IDDEPOSITO = '   1' WHERE e.IDUNIDAD = ' CAJ' AND e.IDUNIDAD_EQUIV = '  UN' AND s.STOCK > 0 "
      "ORDER BY e.IDARTICULO");
  ASSERT_FALSE(caja.isEmpty());
  const double stock = Numero("SELECT STOCK FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '   1' AND IDARTICULO = " +
                              ClsDatos::Literal(caja));
  const double porCaja = Numero("SELECT COEFICIENTE FROM S_TA_EQUIV WHERE IDUNIDAD = ' CAJ' AND IDARTICULO = " +
                                ClsDatos::Literal(caja));
  ASSERT_GT(porCaja, 1);
  QString base = "UN";
  double enBase = 0, enCajas = 0;
  c->ObtieneStockxEquiv("1", caja, base, "CAJ", enBase, enCajas);
  EXPECT_DOUBLE_EQ(enBase, stock);
  EXPECT_DOUBLE_EQ(enCajas, stock / porCaja);
  EXPECT_DOUBLE_EQ(c->ObtieneStock(caja), stock);  // the default warehouse is "1"
  QString un = "UN";
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(caja, un, 2, "CAJ"), 2 / porCaja);
  QString cj = "CAJ";
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(caja, cj, 2, "UN"), 2 * porCaja);

  // A weight per unit (direct row), over every warehouse.
  const QString peso = Texto("SELECT e.IDARTICULO FROM S_TA_EQUIV e JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
                             "e.IDARTICULO WHERE e.IDUNIDAD = a.IDUNIDAD AND e.IDUNIDAD_EQUIV = '  KG' AND EXISTS "
                             "(SELECT 1 FROM STK_SALDOS_UNIDADES s WHERE s.IDARTICULO = a.IDARTICULO AND s.STOCK > 0) "
                             "ORDER BY e.IDARTICULO");
  ASSERT_FALSE(peso.isEmpty());
  const double total = Numero("SELECT SUM(STOCK) FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = " + ClsDatos::Literal(peso));
  const double kilos = Numero("SELECT COEFICIENTE FROM S_TA_EQUIV WHERE IDUNIDAD_EQUIV = '  KG' AND IDARTICULO = " +
                              ClsDatos::Literal(peso));
  base.clear();
  c->ObtieneStockxEquiv("", peso, base, "KG", enBase, enCajas);
  EXPECT_FALSE(base.isEmpty());
  EXPECT_DOUBLE_EQ(enBase, total);
  EXPECT_NEAR(enCajas, total * kilos, 1e-9);

  // A cable by the metre, rolls of 100 m; a pair stored both ways.
  const QString cable = Texto("SELECT IDARTICULO FROM S_TA_EQUIV WHERE IDUNIDAD = '  RL' ORDER BY IDARTICULO");
  ASSERT_FALSE(cable.isEmpty());
  QString rl = "RL", mt = "MT";
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(cable, rl, 3, "MT"), 300);
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(cable, mt, 50, "RL"), 0.5);
  const QString par = Texto("SELECT IDARTICULO FROM S_TA_EQUIV WHERE IDUNIDAD = ' PAR' ORDER BY IDARTICULO");
  ASSERT_FALSE(par.isEmpty());
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM S_TA_EQUIV WHERE IDUNIDAD_EQUIV = ' PAR' AND IDARTICULO = " +
                    ClsDatos::Literal(par))
                .toInt(),
            1);
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(par, un, 6, "PAR"), 3);
  EXPECT_DOUBLE_EQ(ConvierteDesdeEquivalencia(par, un, 3, "PAR"), 6);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(StockDemo, LotsSerialsAndPositionsNarrowTheBalance) {
  // A lot with a position in the central warehouse.
  const int id = e.Valor("SELECT ID FROM STK_SERIES_Y_LOTES WHERE NROLOTE IS NOT NULL AND NROSERIE IS NULL AND "
                         "IDPOSICION IS NOT NULL AND IDDEPOSITO = '   1' ORDER BY ID")
                     .toInt();
  ASSERT_GT(id, 0);
  const QString donde = " FROM STK_SERIES_Y_LOTES WHERE ID = " + QString::number(id);
  const QString art = Texto("SELECT IDARTICULO" + donde);
  const QString lote = Texto("SELECT NROLOTE" + donde);
  const QString posicion = Texto("SELECT IDPOSICION" + donde);
  const QString cond = " FROM STK_SERIES_Y_LOTES WHERE NROSERIE IS NULL AND IDARTICULO = " + ClsDatos::Literal(art);
  EXPECT_DOUBLE_EQ(c->ObtieneStock(art, I, lote.trimmed()),
                   Numero("SELECT SUM(CANTIDAD)" + cond + " AND NROLOTE = " + ClsDatos::Literal(lote)));
  EXPECT_DOUBLE_EQ(c->ObtieneStock(art, "1", lote.trimmed()),
                   Numero("SELECT SUM(CANTIDAD)" + cond + " AND IDDEPOSITO = '   1' AND NROLOTE = " +
                          ClsDatos::Literal(lote)));
  EXPECT_DOUBLE_EQ(c->ObtieneStock(art, "1", "", "", posicion.trimmed()),
                   Numero("SELECT SUM(CANTIDAD)" + cond + " AND IDDEPOSITO = '   1' AND IDPOSICION = " +
                          ClsDatos::Literal(posicion)));
  // The lots of an article add up to its balance by unit.
  EXPECT_DOUBLE_EQ(c->ObtieneStock(art, "1", "", ""), c->ObtieneStock(art, "1"));

  // A serial number: one unit.
  const QString serie = Texto("SELECT NROSERIE FROM STK_SERIES_Y_LOTES WHERE NROSERIE IS NOT NULL ORDER BY ID");
  const QString deSerie = Texto("SELECT IDARTICULO FROM STK_SERIES_Y_LOTES WHERE NROSERIE = " + ClsDatos::Literal(serie));
  ASSERT_FALSE(serie.isEmpty());
  EXPECT_DOUBLE_EQ(c->ObtieneStock(deSerie, I, I, serie.trimmed()), 1);
  EXPECT_DOUBLE_EQ(c->ObtieneStock(deSerie, I, I, "NO-HAY-TAL-SERIE"), 0);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
