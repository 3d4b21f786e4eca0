// Numbers in grid cells: what one road writes, every other road reads back,
// in either locale.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "platform/celdas.h"

namespace {

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
  EXPECT_DOUBLE_EQ(NumeroCelda("1e999"), 0.0);  // never infinite
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
