// What the requests of the voucher class gather from the voucher's article
// grid, and how they answer when the dialogs cannot be opened.
#include <gtest/gtest.h>

#include "base_lotes.h"
#include "vouchers/dialogos_cptes.h"

namespace {

using Pedidos = ConLotes;

TEST_F(Pedidos, TheListsOfTheOtherLinesOfTheArticleAreGatheredInParallel) {
  FilaDeGrilla(1, "ROD", "", "");
  FilaDeGrilla(2, "ROD", "|A|", "|1|");
  FilaDeGrilla(3, "OTRO", "|X|", "|9|");
  FilaDeGrilla(4, "rod", "|B|C|", "|2|");  // a quantity missing: the lists stay parallel
  FilaDeGrilla(5, "ROD ", "|Z|", "|7|");   // the code is not trimmed
  QString l, q;
  c->CuentaLotesEnGrilla(grilla, "ROD", l, q);
  EXPECT_EQ(l, "|A|B|C|");
  EXPECT_EQ(q, "|1|2||");
  c->CuentaLotesEnGrilla(grilla, "ROD", l, q, 2);
  EXPECT_EQ(l, "|B|C|");
  EXPECT_EQ(q, "|2||");
  c->CuentaLotesEnGrilla(grilla, "NADA", l, q);
  EXPECT_EQ(l, "");
  EXPECT_EQ(q, "");
}

TEST_F(Pedidos, WithoutTheDialogsARequestIsReportedAndNotAccepted) {
  const DialogosCptes registrados = Dialogos();
  ASSERT_TRUE(registrados.SeriesLotes && registrados.PosicionLote);
  Dialogos().SeriesLotes = nullptr;
  Dialogos().PosicionLote = nullptr;
  QString series, lotes, posiciones;
  double q = 2;
  const bool serie = c->PideSerieLote("ROD", q, "|S|", "|L|", series, lotes, true);
  const bool posicion = c->PidePosicionLote("ROD", "UN", q, "1", "|P*2|", "", posiciones, lotes);
  Dialogos() = registrados;
  EXPECT_FALSE(serie);
  EXPECT_FALSE(posicion);
  EXPECT_EQ(series, "|S|");
  EXPECT_EQ(posiciones, "|P*2|");
  EXPECT_EQ(lotes, "");
  const auto errores = e.ui().De("Error");
  ASSERT_EQ(errores.size(), 2u);
  EXPECT_EQ(errores[0].titulo, "PideSerieLote");
  EXPECT_EQ(errores[1].titulo, "PideSerieLote");
  EXPECT_EQ(q, 2);
}

}  // namespace
