#pragma once
// Display forms of amounts and times used throughout the suite.
#include <QString>
#include <QVariant>

#include "platform/moneda.h"

// Decimals argument of FmtMoneda.
constexpr int kSinFormato = -3;      // the amount text unchanged
constexpr int kSinDecimales = -2;    // no decimals
constexpr int kDecimalesConfig = -1; // the configured count (CantidadDecimales)

// An amount with a chosen, configured or locale number of decimals:
// rounded with ties to the even digit, no grouping, at least one integer
// digit, the locale's decimal separator. A count of 0 means the locale's
// currency digits. Raises an invalid-argument error below -3.
QString FmtMoneda(const QString& Importe, int Decimales);
// The number of decimals FmtMoneda writes for a Decimales argument other
// than kSinFormato, and an amount written as FmtMoneda writes it at that
// number: for a caller that writes many amounts in one form.
int DecimalesMoneda(int Decimales);
QString TextoMoneda(const vb::Moneda& Importe, int decimales);
// The number of fractional digits of the user's currency format (0 when the
// locale does not say).
int DigitosMonedaLocal();

// A count of minutes as hours and minutes joined by the configured
// separator ("SeparadorHora", ":" when blank): 510 -> 08:30. With the
// separator "." it is decimal hours instead (8.50) and Horas / MinutosResto
// are left as they were.
QString MinutosAHoras(double Minutos, long& Horas, long& MinutosResto);
QString MinutosAHoras(double Minutos);

// Minutes of a time text ("10:30", "1.5" hours, "25:30"), or of separate
// hours and minutes when the time text is blank.
double ConvierteAMinutos(const QString& Hora, const QString& Horas, const QString& Minutos, bool PrimeroTexto);
