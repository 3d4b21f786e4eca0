// Text, number and date conversions the program's code relies on.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <functional>
#include <optional>

#include "platform/cls_util.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "support/errores.h"

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
  // The form of a number: digits with or without a decimal part, a decimal
  // part alone, an exponent after either; and long runs of digits, whole or
  // followed by what is not a number.
  const QString largo(20000, u'7');
  const std::pair<QString, QString> formas[] = {
      {"5.", "5."},        {".5", ".5"},        {"+.5", "+.5"},          {"-5,", "-5."},     {"1e5", "1e5"},
      {"1.5E-3", "1.5E-3"}, {"2.e+4", "2.e+4"}, {".5e1", ".5e1"},         {".", ""},          {"e5", ""},
      {"1e", ""},          {"1e+", ""},         {"--1", ""},             {"1 2", ""},        {"1.2.3", "123"},
      {largo, largo},      {largo + "x", ""},   {largo + "." + largo + "x", ""}, {largo + "e" + largo, largo + "e" + largo},
  };
  for (const auto& [texto, normal] : formas) {
    EXPECT_EQ(NormalizaNumero(texto), normal) << texto.left(30).toStdString();
    EXPECT_EQ(IsNumeric(texto), !normal.isEmpty()) << texto.left(30).toStdString();
  }
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

// The whole range converts exactly; one ten-thousandth beyond it, in a text,
// a double or a sum, is the overflow error, never a wrapped or zero amount.
// A text is rounded once, half away from zero at the fourth decimal, from its
// digits as written.
TEST(Moneda, TheRangeIsKeptAndATextRoundsOnceFromItsDigits) {
  constexpr int64_t kMax = Moneda::kMaximo;
  const std::optional<int64_t> desborda;
  const std::pair<const char*, std::optional<int64_t>> textos[] = {
      {"922337203685477.5807", kMax},
      {"-922337203685477.5807", -kMax},
      {"922337203685477.58074", kMax},
      {"922337203685477.5808", desborda},
      {"-922337203685477.5808", desborda},
      {"922337203685477.58075", desborda},
      {"1000000000000000", desborda},
      {"9999999999999999", desborda},  // 16 whole digits: beyond 64 bits in ten-thousandths
      {"99999999999999999999e-4", desborda},
      {"12345678901234567890", desborda},
      {"1e20", desborda},
      {"1E15", desborda},
      {"9.22337203685477e14", 9223372036854770000},
      {"0.000049999", 0},
      {"0.00005", 1},
      {"-0.00005", -1},
      {"-2.50005", -25001},
      {"1.5e-4", 2},
      {"0e99", 0},
      {"1e-30", 0},
      {"-0.00001", 0},
      {"1.234,56", 12345600},
      {"00000000000000000000012", 120000},
  };
  for (const auto& [texto, esperado] : textos) {
    SCOPED_TRACE(texto);
    for (auto convierte : {+[](const QString& t) { return Moneda::DesdeTexto(t); },
                           +[](const QString& t) { return gUtil.ConvierteMoneda(t); }}) {
      if (!esperado)
        EXPECT_EQ(NumeroDeError([&] { convierte(texto); }), ErrOverflow);
      else
        EXPECT_EQ(convierte(texto).Diezmilesimos(), *esperado);
    }
  }
  // A text that only begins with a number converts its leading number the same way.
  EXPECT_EQ(gUtil.ConvierteMoneda("0.000049999 kg").Diezmilesimos(), 0);
  EXPECT_EQ(gUtil.ConvierteMoneda("12,5 kg").Diezmilesimos(), 120000);
  for (const char* t : {"1e20 kg", "1e400 kg", "99999999999999999999 u"})
    EXPECT_EQ(NumeroDeError([&] { gUtil.ConvierteMoneda(t); }), ErrOverflow) << t;

  const Moneda max = Moneda::DesdeDiezmilesimos(kMax), menor = Moneda::DesdeDiezmilesimos(1);
  const Moneda nueveE14 = Moneda::DesdeTexto("900000000000000");
  for (auto suma : std::initializer_list<std::function<Moneda()>>{
           [&] { return max + menor; }, [&] { return Moneda() - max - menor; },
           [&] { return (Moneda() - max) + Moneda::DesdeDiezmilesimos(-1); }, [&] { return nueveE14 + nueveE14; },
           [&] { return max - Moneda::DesdeDiezmilesimos(-1); }, [] { return Moneda::DesdeDoble(1e15); },
           [] { return Moneda::DesdeDoble(-1e15); }, [] { return Moneda::DesdeDoble(std::nan("")); },
           [] { return Moneda::DesdeDoble(HUGE_VAL); }, [&] { return max.RedondeaPar(0); }})
    EXPECT_EQ(NumeroDeError(suma), ErrOverflow);
  EXPECT_EQ((max + (Moneda() - max)).Diezmilesimos(), 0);
  EXPECT_EQ(Moneda::DesdeDoble(9e14).Diezmilesimos(), 9000000000000000000);
  // An amount of the range always shows, rounded as it is shown.
  EXPECT_EQ(max.Texto(0), "922337203685478");
  EXPECT_EQ((Moneda() - max).Texto(2), "-922337203685477.58");
  EXPECT_EQ(max.Entero(), 922337203685478);
  EXPECT_EQ(Moneda::DesdeTexto("-2.5").Entero(), -2);
}
