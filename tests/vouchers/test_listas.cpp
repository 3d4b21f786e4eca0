// The lot, serial and position list texts of the voucher class: building,
// counting, splitting and searching them, on the texts the dialogs write and
// on malformed ones.
#include <gtest/gtest.h>

#include <memory>

#include "base_cptes.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

const QString Y(QChar(0xFF));  // joins a lot and a serial

class Listas : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    c = std::make_unique<ClsCmnCptes>();
  }
  void TearDown() override { EXPECT_EQ(e.ui().Cuenta("Error"), 0) << "a list procedure reported an error"; }
  QStringList Descompone(const QString& lista) {
    QStringList a{"resto", "de", "antes"};
    c->DescomponeSerieLote(lista, a);
    return a;
  }
  // A list of n lot-and-serial entries L00001ÿS00001 ... and its last entry.
  static QString Grande(int n, QString* ultima = nullptr) {
    QString t = "|";
    for (int i = 1; i <= n; ++i) {
      const QString e = QString("L%1").arg(i, 5, 10, QChar('0')) + Y + QString("S%1").arg(i, 5, 10, QChar('0'));
      t += e + "|";
      if (ultima && i == n) *ultima = e;
    }
    return t;
  }
  std::unique_ptr<ClsCmnCptes> c;
};

}  // namespace

TEST_F(Listas, StrSerieLoteShowsTheDistinctEntries) {
  EXPECT_EQ(c->StrSerieLote("|A|B|A|"), " A B");
  EXPECT_EQ(c->StrSerieLote(""), "");
  EXPECT_EQ(c->StrSerieLote("|A||B|"), " A B");          // the blank entry is left out
  EXPECT_EQ(c->StrSerieLote("|x|X|"), " x");             // the first written form stays
  EXPECT_EQ(c->StrSerieLote("  | A |b| B |  "), " A b");  // entries trimmed
  EXPECT_EQ(c->StrSerieLote("|-|-|L1|"), " - L1");
  EXPECT_EQ(c->StrSerieLote("|A|B"), " A");  // the tail is no entry
  EXPECT_EQ(c->StrSerieLote("|L1" + Y + "S1|L1" + Y + "|"), " L1" + Y + "S1 L1" + Y);
}

TEST_F(Listas, DescomponeSerieLoteFillsOneSlotPerEntryAndAnEmptyOne) {
  const QStringList abd{"A", "B", "D", ""};
  EXPECT_EQ(Descompone("|A| B |D|"), abd);
  EXPECT_EQ(Descompone("A|B|D|"), abd);  // the opening "|" is optional
  EXPECT_EQ(Descompone("   |A|B|D|  "), abd);
  EXPECT_EQ(Descompone(""), QStringList{""});
  EXPECT_EQ(Descompone("|"), QStringList{""});
  EXPECT_EQ(Descompone("|A||B|"), (QStringList{"A", "", "B", ""}));
  EXPECT_EQ(Descompone("||"), (QStringList{"", ""}));
  EXPECT_EQ(Descompone("|-|-|"), (QStringList{"-", "-", ""}));
  EXPECT_EQ(Descompone("|A|B"), (QStringList{"A", ""}));  // the tail is ignored
  EXPECT_EQ(Descompone("|L1" + Y + "S1|L2" + Y + "|"), (QStringList{"L1" + Y + "S1", "L2" + Y, ""}));
}

TEST_F(Listas, DescomponePosicionCantidadLoteKeepsThreeParallelArrays) {
  QStringList pos{"x"}, cant{"x"}, lote{"x"};
  c->DescomponePosicionCantidadLote("|P1*2|P2*5|", "|L1|L2|", pos, cant, lote);
  EXPECT_EQ(pos, (QStringList{"P1", "P2", ""}));
  EXPECT_EQ(cant, (QStringList{"2", "5", ""}));
  EXPECT_EQ(lote, (QStringList{"L1", "L2", ""}));

  // Stock outside any position, decimals, a position code holding "*" (the
  // quantity, a number, follows the last one).
  c->DescomponePosicionCantidadLote(" |*3| A-01-1 *1,5|B*2*3|", "||L9|", pos, cant, lote);
  EXPECT_EQ(pos, (QStringList{"", "A-01-1 ", "B*2", ""}));
  EXPECT_EQ(cant, (QStringList{"3", "1,5", "3", ""}));
  EXPECT_EQ(lote, (QStringList{"", "L9", ""}));

  // An entry without "*" is a position without quantity; nothing shifts.
  c->DescomponePosicionCantidadLote("|P1*2|P2|P3*1|", "|L1|L2|L3|", pos, cant, lote);
  EXPECT_EQ(pos, (QStringList{"P1", "P2", "P3", ""}));
  EXPECT_EQ(cant, (QStringList{"2", "", "1", ""}));
  EXPECT_EQ(lote, (QStringList{"L1", "L2", "L3", ""}));

  // Without positions the lots are still split; a tail is no entry.
  c->DescomponePosicionCantidadLote("", "|L1|", pos, cant, lote);
  EXPECT_EQ(pos, QStringList{""});
  EXPECT_EQ(cant, QStringList{""});
  EXPECT_EQ(lote, (QStringList{"L1", ""}));
  c->DescomponePosicionCantidadLote("|P1*2|P2*5", "|", pos, cant, lote);
  EXPECT_EQ(pos, (QStringList{"P1", ""}));
  EXPECT_EQ(cant, (QStringList{"2", ""}));
  EXPECT_EQ(lote, QStringList{""});
}

TEST_F(Listas, CuentaSeriesLotesCountsTheMovementsOfALine) {
  EXPECT_EQ(c->Cuenta_Series_Lotes("|S1|S2|S1|", ""), 2);
  EXPECT_EQ(c->Cuenta_Series_Lotes("|S1|S2|S1|", "", true), 3);
  EXPECT_EQ(c->Cuenta_Series_Lotes("", "|L1|L1|"), 1);
  EXPECT_EQ(c->Cuenta_Series_Lotes("", ""), 0);
  EXPECT_EQ(c->Cuenta_Series_Lotes("", "", true), 0);
  EXPECT_EQ(c->Cuenta_Series_Lotes("|", "|"), 0);
  // A blank entry counts only unconsolidated.
  EXPECT_EQ(c->Cuenta_Series_Lotes("|A||B|", ""), 2);
  EXPECT_EQ(c->Cuenta_Series_Lotes("|A||B|", "", true), 3);
  // With serials the lots are not looked at.
  EXPECT_EQ(c->Cuenta_Series_Lotes("|S1|S2|", "|L1|L2|L3|"), 2);
  // Letter case and blanks do not make entries distinct; "-" is an entry.
  EXPECT_EQ(c->Cuenta_Series_Lotes("|s1| S1 |S1|", ""), 1);
  EXPECT_EQ(c->Cuenta_Series_Lotes("", "|-|-|"), 1);
  EXPECT_EQ(c->Cuenta_Series_Lotes("|S1|S2", ""), 1);  // tail ignored
  // Outgoing lots: each lot-and-serial entry is one movement.
  const QString salida = "|L1" + Y + "|L2" + Y + "|L1" + Y + "S7|";
  EXPECT_EQ(c->Cuenta_Series_Lotes(salida, ""), 3);
}

TEST_F(Listas, ExtraeSerieLoteGivesTheEntryAsWritten) {
  EXPECT_EQ(c->ExtraeSerieLote("| A |B|", 1), " A ");
  EXPECT_EQ(c->ExtraeSerieLote("| A |B|", 2), "B");
  EXPECT_EQ(c->ExtraeSerieLote("| A |B|", 3), "");
  EXPECT_EQ(c->ExtraeSerieLote("| A |B|", 0), "");
  EXPECT_EQ(c->ExtraeSerieLote("", 1), "");
  EXPECT_EQ(c->ExtraeSerieLote("|", 1), "");
  EXPECT_EQ(c->ExtraeSerieLote("|A||B|", 2), "");
  EXPECT_EQ(c->ExtraeSerieLote("|A||B|", 3), "B");
  EXPECT_EQ(c->ExtraeSerieLote("|A|B", 1), "A");
  EXPECT_EQ(c->ExtraeSerieLote("|A|B", 2), "");  // the tail is no entry
  EXPECT_EQ(c->ExtraeSerieLote("|L1" + Y + "S1|", 1), "L1" + Y + "S1");
}

TEST_F(Listas, ReadersAlternatingBetweenListsReadEachOne) {
  // Lists read in turn, and a list changed to another of the same length.
  QString lotes = "|L1|L2|L3|";
  const QString cantidades = "|4|0|2,5|";
  EXPECT_EQ(c->ExtraeSerieLote(lotes, 1), "L1");
  EXPECT_EQ(c->ExtraeSerieLote(cantidades, 1), "4");
  EXPECT_EQ(c->ExtraeSerieLote(lotes, 3), "L3");
  EXPECT_EQ(c->Busca_Lotes_Series(cantidades, "2,5"), 3);
  EXPECT_EQ(c->ExtraeSerieLote(cantidades, 2), "0");
  EXPECT_EQ(c->Busca_Lotes_Series(lotes, "l2"), 2);
  lotes[2] = u'9';
  EXPECT_EQ(c->ExtraeSerieLote(lotes, 1), "L9");
  EXPECT_EQ(c->Busca_Lotes_Series(lotes, "L1"), 0);
  EXPECT_EQ(c->Busca_Lotes_Series(lotes, "L9"), 1);
  // Two objects do not share what they read.
  ClsCmnCptes otra;
  EXPECT_EQ(otra.ExtraeSerieLote("|X|", 1), "X");
  EXPECT_EQ(c->ExtraeSerieLote(lotes, 2), "L2");
}

TEST_F(Listas, CantidadSeriesLotesCountsEntries) {
  EXPECT_EQ(c->Cantidad_Series_Lotes(""), 0);
  EXPECT_EQ(c->Cantidad_Series_Lotes("|"), 0);
  EXPECT_EQ(c->Cantidad_Series_Lotes("|A|B|D|"), 3);
  EXPECT_EQ(c->Cantidad_Series_Lotes("  |A|B|D|  "), 3);
  EXPECT_EQ(c->Cantidad_Series_Lotes("|A||B|"), 3);
  EXPECT_EQ(c->Cantidad_Series_Lotes("|A|A|a|"), 3);  // repeated entries all count
  EXPECT_EQ(c->Cantidad_Series_Lotes("|L1" + Y + "S1|"), 1);
  EXPECT_EQ(c->Cantidad_Series_Lotes("|A|B"), 1);
  EXPECT_EQ(c->Cantidad_Series_Lotes("A"), 0);
}

TEST_F(Listas, InsertaCHR255GivesEveryEntryAnEmptySerial) {
  EXPECT_EQ(c->InsertaCHR255("|A|B|"), "|A" + Y + "|B" + Y + "|");
  EXPECT_EQ(c->InsertaCHR255(""), "|");
  EXPECT_EQ(c->InsertaCHR255("|"), "|");
  // A text without the opening "|" keeps its first character.
  EXPECT_EQ(c->InsertaCHR255("A|B|"), "|A" + Y + "|B" + Y + "|");
  EXPECT_EQ(c->InsertaCHR255("  |A|  "), "|A" + Y + "|");
  // What it gives reads as lots with an empty serial.
  QStringList a;
  c->DescomponeSerieLote(c->InsertaCHR255("|L1|L2|"), a);
  EXPECT_EQ(a, (QStringList{"L1" + Y, "L2" + Y, ""}));
  EXPECT_EQ(c->Busca_Lotes_Series(c->InsertaCHR255("|L1|L2|"), "L2" + Y), 2);
}

TEST_F(Listas, BuscaLotesSeriesFindsTheFirstEqualEntry) {
  EXPECT_EQ(c->Busca_Lotes_Series("| A |B|", "a"), 1);  // trimmed, case ignored
  EXPECT_EQ(c->Busca_Lotes_Series("| A |B|", " b "), 2);
  EXPECT_EQ(c->Busca_Lotes_Series("|A|B|", "C"), 0);
  EXPECT_EQ(c->Busca_Lotes_Series("", "A"), 0);
  EXPECT_EQ(c->Busca_Lotes_Series("|", "A"), 0);
  EXPECT_EQ(c->Busca_Lotes_Series("|A||B|", ""), 2);  // the empty entry is an entry
  EXPECT_EQ(c->Busca_Lotes_Series("|B|A|B|", "b"), 1);
  EXPECT_EQ(c->Busca_Lotes_Series("|x|-|", "-"), 2);
  EXPECT_EQ(c->Busca_Lotes_Series("|A|B", "B"), 0);  // the tail is no entry
  const QString ls = "|L1" + Y + "S1|L1" + Y + "|";
  EXPECT_EQ(c->Busca_Lotes_Series(ls, "L1" + Y + "S1"), 1);
  EXPECT_EQ(c->Busca_Lotes_Series(ls, "L1" + Y), 2);
  EXPECT_EQ(c->Busca_Lotes_Series(ls, "L1"), 0);
}

TEST_F(Listas, LongListsHaveNoLengthLimit) {
  QString ultima;
  const QString lista = Grande(10000, &ultima);
  ASSERT_GT(lista.size(), 100000);
  EXPECT_EQ(c->Cantidad_Series_Lotes(lista), 10000);
  EXPECT_EQ(c->Cuenta_Series_Lotes(lista, ""), 10000);
  EXPECT_EQ(c->Cuenta_Series_Lotes("", lista + lista.mid(1)), 10000);  // each entry twice
  QStringList a;
  c->DescomponeSerieLote(lista, a);
  ASSERT_EQ(a.size(), 10001);
  EXPECT_EQ(a[9999], ultima);
  EXPECT_EQ(a[10000], "");
  EXPECT_EQ(c->ExtraeSerieLote(lista, 10000), ultima);
  EXPECT_EQ(c->Busca_Lotes_Series(lista, ultima), 10000);
  EXPECT_EQ(c->Busca_Lotes_Series(lista, "L05000" + Y + "S05000"), 5000);
  EXPECT_EQ(c->StrSerieLote(lista).size(), lista.size() - 1);  // "|" traded for a blank each
  // Every entry in turn, as the stock posting reads a line.
  long iguales = 0;
  for (long j = 1; j <= 10000; ++j) iguales += c->ExtraeSerieLote(lista, j) == a[j - 1];
  EXPECT_EQ(iguales, 10000);
}
