// Text, number and date conversions the program's code relies on.
#include <gtest/gtest.h>

#include <QLocale>

#include "platform/moneda.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

using namespace vb;

TEST(Vb, ValReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(Val("  12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(Val("1 2"), 12.0);  // blanks inside are skipped
  EXPECT_DOUBLE_EQ(Val("-3"), -3.0);
  EXPECT_DOUBLE_EQ(Val("1,50"), 1.0);  // only "." is a decimal point
  EXPECT_DOUBLE_EQ(Val("abc"), 0.0);
  EXPECT_DOUBLE_EQ(Val(""), 0.0);
  EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Val("2e3x"), 2000.0);
  EXPECT_DOUBLE_EQ(Val("2ex"), 2.0);
}

TEST(Vb, TrimTouchesOnlyBlanks) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\r"), "\ta\r");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim("  a "), "  a");
  EXPECT_EQ(TrimVista(u"  a b  "), u"a b");
  EXPECT_EQ(TrimVista(u"\ta\r "), u"\ta\r");
  EXPECT_TRUE(TrimVista(u"   ").isEmpty());
}

TEST(Vb, WholeNumbersRoundTiesToEven) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(QStringLiteral(" 2026 ")), 2026);
  EXPECT_THROW(CInt(QStringLiteral("")), Error);
  EXPECT_THROW(CInt(QStringLiteral("dos")), Error);
  try {
    CInt(40000.0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number, ErrOverflow);
  }
  EXPECT_EQ(CLng(40000.4), 40000);
}

TEST(Vb, NumbersAcceptCommaOrPointAsDecimal) {
  EXPECT_DOUBLE_EQ(CDbl("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(CDbl("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(CDbl("1.234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(CDbl("1,234.5"), 1234.5);
  EXPECT_FALSE(IsNumeric("1,2,3x"));
  EXPECT_FALSE(IsNumeric(""));
  EXPECT_TRUE(IsNumeric(" -7 "));
}

TEST(Vb, FormatPatterns) {
  EXPECT_EQ(Format(QStringLiteral("25"), "00000000"), "00000025");
  EXPECT_EQ(Format(QStringLiteral("1"), "0000"), "0001");
  EXPECT_EQ(Format(QStringLiteral(""), "0000"), "");
  EXPECT_EQ(Format(QStringLiteral("A1"), "0000"), "A1");  // not a number: unchanged
  EXPECT_EQ(Format(8.0, "#####00"), "08");
  EXPECT_EQ(Format(100.0, "#####00"), "100");
  EXPECT_EQ(Format(-1.0, "#####00"), "-01");
  EXPECT_EQ(Format(8.5, "#####.00"), "8.50");
  EXPECT_EQ(Format(0.5, "#####.00"), ".50");
  EXPECT_EQ(Format(3.0, "########0.00"), "3.00");
  EXPECT_EQ(Format(2.0, "########0.0"), "2.0");
  EXPECT_EQ(Format(2.25, "0.0"), "2.3");  // Format rounds half away from zero
}

TEST(Vb, FormatWritesTheLocaleDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  EXPECT_EQ(Format(1.5, "0.00"), "1,50");
  EXPECT_EQ(Texto(QVariant(2.5)), "2,5");
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(Format(1.5, "0.00"), "1.50");
}

TEST(Vb, DatesAndTimes) {
  QDateTime d;
  EXPECT_TRUE(ParseDateTime("25/03/2026", d));
  EXPECT_EQ(d.date(), QDate(2026, 3, 25));
  EXPECT_TRUE(ParseDateTime("5-3-26", d));
  EXPECT_EQ(d.date(), QDate(2026, 3, 5));
  EXPECT_TRUE(ParseDateTime("2026-03-25 10:30:00", d));
  EXPECT_EQ(d.time(), QTime(10, 30));
  bool soloHora = false;
  EXPECT_TRUE(ParseDateTime("10:30", d, &soloHora));
  EXPECT_TRUE(soloHora);
  EXPECT_EQ(d.time(), QTime(10, 30));
  EXPECT_FALSE(IsDate("25:30"));
  EXPECT_FALSE(IsDate("31/02/2026"));
  EXPECT_FALSE(IsDate("hoy"));
  EXPECT_THROW(CDate("30/02/2026"), Error);
}

TEST(Vb, TextOfValues) {
  EXPECT_EQ(Texto(QVariant()), "");
  EXPECT_EQ(Texto(QVariant(QDateTime(QDate(2026, 1, 2), QTime(0, 0)))), "02/01/2026");
  EXPECT_EQ(Texto(QVariant(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 1)))), "02/01/2026 08:05:01");
  EXPECT_EQ(Texto(QVariant(qlonglong(42))), "42");
  EXPECT_EQ(Texto(QVariant(qlonglong(-9007199254740993))), "-9007199254740993");
  EXPECT_EQ(Texto(QVariant(-7)), "-7");
  EXPECT_EQ(Texto(QVariant(QString("  x "))), "  x ");
  EXPECT_EQ(Texto(QVariant(QDate(1999, 12, 31))), "31/12/1999");
  // Appended to a text, each value reads the same.
  for (const QVariant& v : {QVariant(), QVariant(QMetaType::fromType<QDateTime>()), QVariant(QDateTime()),
                            QVariant(QDateTime(QDate(2026, 1, 2), QTime(0, 0))),
                            QVariant(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 1))),
                            QVariant(QDateTime(QDate(12026, 1, 2), QTime(0, 0))), QVariant(qlonglong(-9007199254740993)),
                            QVariant(-7), QVariant(2.5), QVariant(QString("  x ")), QVariant(true)}) {
    QString t = "<";
    AgregaTexto(t, v);
    EXPECT_EQ(t, "<" + Texto(v)) << v.typeName();
  }
}

TEST(Vb, CaseInsensitiveTextHelpers) {
  EXPECT_EQ(InStr("abcABC", "C"), 3);
  EXPECT_EQ(InStr("abcABC", "c", 4), 6);
  EXPECT_EQ(InStr("abc", "x"), 0);
  EXPECT_EQ(Mid("000100000025A", 5, 8), "00000025");
  EXPECT_EQ(Mid("000100000025A", 13), "A");
  EXPECT_EQ(Mid("abc", 9), "");
  EXPECT_EQ(QuitaCaracteres(QString("a|b") + QChar(255) + "c", QString("|") + QChar(255)), "abc");
}

TEST(Moneda, KeepsFourDecimalsAndRoundsTiesToEvenOnRequest) {
  EXPECT_EQ(Moneda::DesdeTexto("1234.5").Texto(2), "1234.50");
  EXPECT_EQ(Moneda::DesdeTexto("0.125").Texto(2), "0.12");
  EXPECT_EQ(Moneda::DesdeTexto("0.135").Texto(2), "0.14");
  EXPECT_EQ(Moneda::DesdeTexto("-0.125").Texto(2), "-0.12");
  EXPECT_EQ(Moneda::DesdeTexto("1,5").Texto(1), "1.5");
  EXPECT_EQ(Moneda::DesdeTexto("0.00005").Diezmilesimos(), 1);  // half away from zero at 4 decimals
  EXPECT_EQ(Moneda::DesdeTexto("").Diezmilesimos(), 0);
  EXPECT_EQ((Moneda::DesdeTexto("0.1") + Moneda::DesdeTexto("0.2")).Texto(4), "0.3000");
  EXPECT_THROW(Moneda::DesdeTexto("uno"), Error);
  EXPECT_EQ(Moneda::DesdeTexto("2.5").RedondeaPar(0).Texto(0), "2");
  EXPECT_EQ(Moneda::DesdeTexto("3.5").RedondeaPar(0).Texto(0), "4");
}
