// Amounts and times as the suite shows them.
#include <gtest/gtest.h>

#include <QLocale>

#include "platform/vb_error.h"
#include "session/formato.h"
#include "session/mod_global.h"
#include "support/entorno.h"

namespace {

class Formato : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'SeparadorHora'");
  }
  void Separador(const QString& s) {
    e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'SeparadorHora'");
    e.Sql("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('SeparadorHora', " + ClsDatos::Literal(s) + ")");
  }
};

}  // namespace

TEST_F(Formato, AmountsWithChosenConfiguredOrLocaleDecimals) {
  EXPECT_EQ(FmtMoneda("1234.5", 2), "1234.50");
  EXPECT_EQ(FmtMoneda("1234.5", kSinDecimales), "1234");
  EXPECT_EQ(FmtMoneda("1234.5", kSinFormato), "1234.5");
  EXPECT_EQ(FmtMoneda("0.125", 2), "0.12");
  EXPECT_EQ(FmtMoneda("0.135", 2), "0.14");
  EXPECT_EQ(FmtMoneda("-3.5", 0 - 2), "-4");
  EXPECT_EQ(FmtMoneda("", 2), "0.00");
  EXPECT_EQ(FmtMoneda("12345678.9", 1), "12345678.9");  // no grouping
  gCantidadDecimales = " 3";
  EXPECT_EQ(FmtMoneda("2", kDecimalesConfig), "2.000");
  gCantidadDecimales = " ";  // missing key: the locale's currency digits
  EXPECT_EQ(FmtMoneda("2.555", kDecimalesConfig), FmtMoneda("2.555", DigitosMonedaLocal()));
  EXPECT_THROW(FmtMoneda("1", -4), vb::Error);
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  EXPECT_EQ(FmtMoneda("1234.5", 2), "1234,50");
  EXPECT_EQ(FmtMoneda("1234,5", 2), "1234,50");  // a decimal comma is read as well
  QLocale::setDefault(QLocale::c());
}

TEST_F(Formato, MinutesAsHoursAndMinutes) {
  long h = -1, m = -1;
  EXPECT_EQ(MinutosAHoras(510, h, m), "08:30");
  EXPECT_EQ(h, 8);
  EXPECT_EQ(m, 30);
  EXPECT_EQ(MinutosAHoras(5), "00:05");
  EXPECT_EQ(MinutosAHoras(6000), "100:00");
  EXPECT_EQ(MinutosAHoras(-90, h, m), "-01:-30");
  EXPECT_EQ(MinutosAHoras(30.5), "00:30");  // rounded to even
  Separador("h");
  EXPECT_EQ(MinutosAHoras(510), "08h30");
  Separador(".");
  h = 99;
  EXPECT_EQ(MinutosAHoras(510, h, m), "8.50");
  EXPECT_EQ(h, 99);  // left as it was
  EXPECT_EQ(MinutosAHoras(30), ".50");
  Separador("   ");
  EXPECT_EQ(MinutosAHoras(61), "01:01");
}

TEST(ConvierteAMinutosTest, TimeTextsAndSeparateHours) {
  EXPECT_EQ(ConvierteAMinutos("10:30", "", "", false), 630);
  EXPECT_EQ(ConvierteAMinutos("25:30", "", "", false), 1530);
  EXPECT_EQ(ConvierteAMinutos("", "2", "15", false), 135);
  EXPECT_EQ(ConvierteAMinutos("  ", "0", "0", false), 0);
  EXPECT_EQ(ConvierteAMinutos("", "-1", "0", false), 0);
  EXPECT_EQ(ConvierteAMinutos("1.5", "HHHH", "MM", true), 90);
  EXPECT_EQ(ConvierteAMinutos("2:", "HHHH", "MM", true), 120);
  EXPECT_EQ(ConvierteAMinutos(":45", "HHHH", "MM", true), 45);
}
