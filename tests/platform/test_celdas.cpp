// Numbers in grid cells: what one road writes, every other road reads back,
// in either locale.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "platform/celdas.h"
#include "platform/vb_error.h"

namespace {

// The number of the error a reading raises; 0 when it raises none.
template <class F>
long ErrorDe(F&& lectura) {
  try {
    lectura();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}

struct LocaleEspanol {
  LocaleEspanol() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
  ~LocaleEspanol() { QLocale::setDefault(QLocale::c()); }
};

}  // namespace

TEST(Celdas, NumbersAreWrittenInGeneralFormWithTheLocalesSeparator) {
  EXPECT_EQ(TextoCelda(24), "24");
  EXPECT_EQ(TextoCelda(-2.25), "-2.25");
  EXPECT_EQ(TextoCelda(1234567.125), "1234567.125");  // no group separator
  EXPECT_EQ(TextoCelda(0.1 + 0.2), "0.3");             // 15 significant digits
  EXPECT_EQ(TextoCelda(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(TextoCelda(0.00001), "0.00001");  // never an exponent
  EXPECT_EQ(TextoCelda(2e16), "20000000000000000");
  EXPECT_EQ(TextoCelda(-0.0), "0");
  EXPECT_EQ(TextoCelda(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(TextoCelda(std::nan("")), "0");
  LocaleEspanol es;
  EXPECT_EQ(TextoCelda(1234.5), "1234,5");
  EXPECT_EQ(TextoCelda(-0.125), "-0,125");
  EXPECT_EQ(TextoCelda(7), "7");
}

TEST(Celdas, CellsReadCommaOrPointTheLeadingNumberAndJunkAsZero) {
  EXPECT_DOUBLE_EQ(NumeroCelda("2,5"), 2.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("  -12,75 "), -12.75);
  EXPECT_DOUBLE_EQ(NumeroCelda("1.234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("1,234.5"), 1234.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("2,5 kg"), 2.5);
  EXPECT_DOUBLE_EQ(NumeroCelda(",5"), 0.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("   "), 0.0);
  EXPECT_DOUBLE_EQ(NumeroCelda("-"), 0.0);
  EXPECT_DOUBLE_EQ(NumeroCelda("abc"), 0.0);
  EXPECT_DOUBLE_EQ(NumeroCelda("1,234"), 1.234);  // one separator: the decimal point
  EXPECT_DOUBLE_EQ(NumeroCelda("1.234.567"), 1234567);
  EXPECT_DOUBLE_EQ(NumeroCelda("1,234,567.5"), 1234567.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("1.234,5 kg"), 1234.5);
  EXPECT_DOUBLE_EQ(NumeroCelda("1e-400"), 0.0);
  // The number as written, in the form a statement takes.
  const std::pair<const char*, const char*> escritos[] = {
      {"+5", "5"}, {",5", "0.5"}, {"-.5", "-0.5"}, {"5,", "5.0"}, {"1.234,5 kg", "1234.5"},
      {"", "0"},   {"kg", "0"},   {"1E5", "1e5"},  {"-2,5e-3", "-2.5e-3"}, {"0,1234567", "0.1234567"},
  };
  for (const auto& [texto, escrito] : escritos) EXPECT_EQ(NumeroCeldaTexto(texto), escrito) << texto;
  // What is no finite number, or a malformed one, is refused: never read as
  // 0 nor as its digits run together.
  const std::pair<QString, long> rechazados[] = {
      {"1e999", vb::ErrOverflow},         {"-1e309", vb::ErrOverflow},       {QString(309, u'9'), vb::ErrOverflow},
      {"inf", vb::ErrTypeMismatch},       {"-Infinity", vb::ErrTypeMismatch}, {"nan", vb::ErrTypeMismatch},
      {" NaN kg", vb::ErrTypeMismatch},   {"1,2,3", vb::ErrTypeMismatch},    {"1.2.3", vb::ErrTypeMismatch},
      {"2,5.", vb::ErrTypeMismatch},      {"12,5.3", vb::ErrTypeMismatch},   {"1.234.56", vb::ErrTypeMismatch},
      {"1.234.567.8", vb::ErrTypeMismatch},
  };
  for (const auto& [texto, error] : rechazados) {
    EXPECT_EQ(ErrorDe([&] { NumeroCelda(texto); }), error) << texto.left(20).toStdString();
    EXPECT_EQ(ErrorDe([&] { DecimalCelda(texto); }), error) << texto.left(20).toStdString();
    EXPECT_EQ(ErrorDe([&] { NumeroCeldaTexto(texto); }), error) << texto.left(20).toStdString();
  }
}

TEST(Celdas, QuantitiesAndAmountsAreReadFromTheirDigitsRoundedOnceAtTheFourthDecimal) {
  const std::pair<const char*, const char*> casos[] = {
      {"922337203685477,5807", "922337203685477.5807"},  // the currency's bounds
      {"-922337203685477.5807", "-922337203685477.5807"},
      {"9999999999999,9999", "9999999999999.9999"},
      {"1234567890123.4568", "1234567890123.4568"},
      {"0,00015", "0.0002"},  // half away from zero, from the digits as written
      {"-0,00005", "-0.0001"},
      {"0.00004999", "0.0000"},
      {"1.234,50", "1234.5000"},
      {"2,5 kg", "2.5000"},
      {"1.5e3", "1500.0000"},
      {"", "0.0000"},
      {"abc", "0.0000"},
      {"1e-400", "0.0000"},
  };
  for (const auto& [texto, decimal] : casos) {
    QString leido;
    EXPECT_EQ(ErrorDe([&] { leido = DecimalCelda(texto).Texto(4); }), 0) << texto;
    EXPECT_EQ(leido, decimal) << texto;
  }
  // Beyond the currency's range: the overflow error.
  for (const char* texto : {"922337203685477.5808", "-922337203685477,58075", "1e15", "99999999999999999999"})
    EXPECT_EQ(ErrorDe([&] { DecimalCelda(texto); }), vb::ErrOverflow) << texto;
  LocaleEspanol es;
  EXPECT_EQ(DecimalCelda("0,00015").Texto(4), "0.0002");
  EXPECT_EQ(TextoCelda(DecimalCelda("922337203685477.5807")), "922337203685477,5807");
  EXPECT_EQ(TextoCelda(DecimalCelda("-12.5000")), "-12,5");
  EXPECT_EQ(TextoCelda(DecimalCelda("0")), "0");
}

TEST(Celdas, WhatIsWrittenReadsBackInEitherLocale) {
  const double valores[] = {0, 1, -1, 0.5, 12.3456, 1234567.89, 1e-7, 98765432.125, -0.0001};
  for (double v : valores) {
    EXPECT_DOUBLE_EQ(NumeroCelda(TextoCelda(v)), v) << v;
    LocaleEspanol es;
    EXPECT_DOUBLE_EQ(NumeroCelda(TextoCelda(v)), v) << v;
  }
}

TEST(Celdas, QuantitiesAreEqualWithinHalfOfTheFourthDecimal) {
  EXPECT_TRUE(CantidadesIguales(0.1 + 0.2, 0.3));
  EXPECT_TRUE(CantidadesIguales(10, 10.00004));
  EXPECT_FALSE(CantidadesIguales(10, 10.00006));
  EXPECT_FALSE(CantidadesIguales(10, 9.9999));
}
