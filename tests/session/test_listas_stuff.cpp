// List, text and voucher helpers.
#include <gtest/gtest.h>

#include "platform/vb_error.h"
#include "session/listas.h"
#include "session/stuff.h"
#include "support/entorno.h"

TEST(Listas, InsertListsJoinNamesAndValues) {
  std::vector<ParNombreValor> l{{"A", "1"}, {"B", "'x'"}};
  QString t = "INSERT INTO T ";
  ArmaListaInsert(t, l, false);
  EXPECT_EQ(t, "INSERT INTO T (A,B) VALUES (1,'x')");
  EXPECT_EQ(l.size(), 2u);  // kept for another use
  std::vector<ParNombreValor> uno{{"A", "1"}};
  QString u = "INSERT INTO V_MV_STOCK";
  ArmaListaInsert(u, uno, true);
  EXPECT_EQ(u, "INSERT INTO V_MV_STOCK(A) VALUES (1)");
  EXPECT_TRUE(uno.empty());
  EXPECT_THROW(ArmaListaInsert(u, uno, true), vb::Error);
}

TEST(Listas, TotalsListSearchIgnoresPaddingAndCase) {
  gListaItems = {{"rubro 1", "10"}, {QString("  ALFA") + QChar(255) + " ", "3"}, {"alfa", "4"}};
  EXPECT_EQ(BuscaEnListaItems("Alfa"), 1);
  EXPECT_EQ(BuscaEnListaItems(" RUBRO 1 "), 0);
  EXPECT_EQ(BuscaEnListaItems("beta"), -1);
  gListaItems.clear();
  EXPECT_THROW(BuscaEnListaItems("x"), vb::Error);
}

TEST(Listas, ArraySearchFromAStartIndex) {
  QStringList a{"L1", "l2", " L2", "L2"};
  EXPECT_EQ(BuscaIndiceArray(a, "L2", 0), 1);
  EXPECT_EQ(BuscaIndiceArray(a, "L2", 2), 3);  // a leading blank is not equal
  EXPECT_EQ(BuscaIndiceArray(a, "L2", 3), 3);
  EXPECT_EQ(BuscaIndiceArray(a, "L1", 4), -1);
  EXPECT_THROW(BuscaIndiceArray(a, "L1", -1), vb::Error);
  EXPECT_THROW(BuscaIndiceArray({}, "L1", 0), vb::Error);
}

TEST(Listas, CleaningKeepsCarriageReturns) {
  EXPECT_EQ(LimpiaCaracteres(QString(" LOTE1") + QChar(255) + "SERIE9\n "), "LOTE1SERIE9");
  EXPECT_EQ(LimpiaCaracteres(QString("a\r\n")), "a\r");
  EXPECT_EQ(LimpiaCaracteres(QVariant()), "");
}

TEST(Stuff, LettersAndSwitches) {
  EXPECT_EQ(ObtieneLetraComprobante("1", "3"), "B");
  EXPECT_EQ(ObtieneLetraComprobante("1", "2"), "A");
  EXPECT_EQ(ObtieneLetraComprobante("2", "9"), "C");
  EXPECT_EQ(ObtieneLetraComprobante("", "1"), "C");
  for (QString f : {"no", "Falso", "0", "FALSE", "n"}) EXPECT_FALSE(ConvierteBooleano(f)) << f.toStdString();
  for (QString t : {"", " ", "SI", "S", "1", "verdadero"}) EXPECT_TRUE(ConvierteBooleano(t)) << t.toStdString();
  EXPECT_EQ(FormatoFechaHora(), "dd/mm/yy hh:mm");
}

TEST_F(ConEntorno, TypeEquivalencesAndAccountingEntries) {
  e.CreaBase();
  e.Inicia();
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE LIKE 'EQU[_]%'");
  e.Sql("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('EQU_FC', ' FCE ')");
  EXPECT_EQ(ObtieneEquivalenciaTC("  fc "), "FCE");
  EXPECT_EQ(ObtieneEquivalenciaTC("NC"), "");
  EXPECT_EQ(ObtieneEquivalenciaTC("GF"), "GF");
  EXPECT_EQ(ObtieneEquivalenciaTC("OT"), "");

  e.Sql("DELETE FROM MV_ASIENTOS");
  e.Sql("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, [NUMERO ASIENTO]) "
        "VALUES ('  FC', '0001', '00000124', 'A', '1.1.01', 3, 125)");
  QString asiento = "sin tocar";
  EXPECT_TRUE(ObtieneAsientoComprobante("FC", "0001", "00000124", "A", asiento, ""));
  EXPECT_EQ(asiento, "03 - 000125");
  asiento = "sin tocar";
  EXPECT_FALSE(ObtieneAsientoComprobante("FC", "0001", "00000124", "A", asiento, "9.9"));
  EXPECT_EQ(asiento, "sin tocar");
  EXPECT_FALSE(ObtieneAsientoComprobante("FC", "0001", "0' OR '1'='1", "A", asiento, ""));
}
