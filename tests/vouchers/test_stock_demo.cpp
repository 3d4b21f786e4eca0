// The stock queries and unit conversions on the demo database: its packings,
// measures, lots, serials and positions answer as its rows say.
#include <gtest/gtest.h>

#include "platform/cls_datos.h"
#include "support/entorno.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/stock_unidades.h"

TEST(StockDemo, PackingsMeasuresLotsSerialsAndPositionsAnswerAsTheRowsSay) {
  EntornoPrueba e;
  e.IniciaDemo(40, 150, 77);
  ASSERT_TRUE(gDatos.Conectado());
  ClsCmnCptes c;
  const QString I = ClsCmnCptes::kIgnorar;
  auto texto = [&](const QString& sql) { return e.Valor(sql).toString(); };
  auto numero = [&](const QString& sql) { return e.Valor(sql).toDouble(); };

  // An article in boxes (a reverse row) with stock in the default warehouse.
  const QString caja = texto(
      "SELECT e.IDARTICULO FROM S_TA_EQUIV e JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = e.IDARTICULO AND "
      "s.IDDEPOSITO = '   1' WHERE e.IDUNIDAD = ' CAJ' AND e.IDUNIDAD_EQUIV = '  UN' AND s.STOCK > 0 ORDER BY 1");
  ASSERT_FALSE(caja.isEmpty());
  const QString deCaja = " WHERE IDARTICULO = " + ClsDatos::Literal(caja);
  const double stock = numero("SELECT STOCK FROM STK_SALDOS_UNIDADES" + deCaja + " AND IDDEPOSITO = '   1'");
  const double porCaja = numero("SELECT COEFICIENTE FROM S_TA_EQUIV" + deCaja + " AND IDUNIDAD = ' CAJ'");
  ASSERT_GT(porCaja, 1);
  QString base = "UN";
  double enBase = 0, enCajas = 0;
  c.ObtieneStockxEquiv("1", caja, base, "CAJ", enBase, enCajas);
  EXPECT_DOUBLE_EQ(enBase, stock);
  EXPECT_DOUBLE_EQ(enCajas, stock / porCaja);
  EXPECT_DOUBLE_EQ(c.ObtieneStock(caja), stock);
  QString cj = "CAJ";
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(caja, cj, 2, "UN"), 2 * porCaja);

  // A cable by the metre in rolls of 100 m; a pair kept both ways.
  const QString cable = texto("SELECT IDARTICULO FROM S_TA_EQUIV WHERE IDUNIDAD = '  RL' ORDER BY 1");
  QString rl = "RL", mt = "MT", un = "UN";
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(cable, rl, 3, "MT"), 300);
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(cable, mt, 50, "RL"), 0.5);
  const QString par = texto("SELECT IDARTICULO FROM S_TA_EQUIV WHERE IDUNIDAD = ' PAR' ORDER BY 1");
  EXPECT_DOUBLE_EQ(ConvierteAEquivalencia(par, un, 6, "PAR"), 3);
  EXPECT_DOUBLE_EQ(ConvierteDesdeEquivalencia(par, un, 3, "PAR"), 6);

  // A lot at a position of the central warehouse; the lots add up to the
  // balance by unit.
  const QString fila = " FROM STK_SERIES_Y_LOTES WHERE ID = (SELECT MIN(ID) FROM STK_SERIES_Y_LOTES WHERE NROLOTE IS "
                       "NOT NULL AND NROSERIE IS NULL AND IDPOSICION IS NOT NULL AND IDDEPOSITO = '   1')";
  const QString art = texto("SELECT IDARTICULO" + fila), lote = texto("SELECT NROLOTE" + fila);
  const QString posicion = texto("SELECT IDPOSICION" + fila);
  ASSERT_FALSE(art.isEmpty());
  const QString suma = "SELECT SUM(CANTIDAD) FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = " + ClsDatos::Literal(art);
  EXPECT_DOUBLE_EQ(c.ObtieneStock(art, I, lote.trimmed()), numero(suma + " AND NROLOTE = " + ClsDatos::Literal(lote)));
  EXPECT_DOUBLE_EQ(c.ObtieneStock(art, "1", "", "", posicion.trimmed()),
                   numero(suma + " AND IDDEPOSITO = '   1' AND IDPOSICION = " + ClsDatos::Literal(posicion)));
  EXPECT_DOUBLE_EQ(c.ObtieneStock(art, "1", "", ""), c.ObtieneStock(art, "1"));

  // A serial number is one unit.
  const QString serie = texto("SELECT NROSERIE FROM STK_SERIES_Y_LOTES WHERE NROSERIE IS NOT NULL ORDER BY ID");
  ASSERT_FALSE(serie.isEmpty());
  const QString deSerie = texto("SELECT IDARTICULO FROM STK_SERIES_Y_LOTES WHERE NROSERIE = " + ClsDatos::Literal(serie));
  EXPECT_DOUBLE_EQ(c.ObtieneStock(deSerie, I, I, serie.trimmed()), 1);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
