#pragma once
// Numbers in grid cells. Every voucher component (the voucher class, the
// stock posting, the lot and position dialogs, the loading of a stored
// voucher) writes a number into a cell with TextoCelda and reads one back
// with NumeroCelda, so a cell written on one road reads the same on any
// other, whatever the locale.
#include <QString>

#include "platform/moneda.h"

// Tolerance of a comparison of quantities or sums read from cells (half of
// the fourth decimal).
constexpr double kToleranciaCantidad = 0.00005;

// A number as a cell shows it: general form (as many decimals as the value
// needs, up to 15 significant digits, never an exponent), the locale's
// decimal separator, no group separator, "-" in front of a negative number.
// Zero, -0, an infinite value and NaN are written "0".
QString TextoCelda(double valor);
// A quantity or amount as a cell shows it: its decimals, without the zeros
// at their end.
QString TextoCelda(const vb::Moneda& valor);

// The number in a cell or list entry: blanks around it ignored; "," or "."
// as decimal point, thousands grouped by the other one ("1.234,5",
// "1,234.5") or by either when there are two groups or more ("1.234.567");
// a text that is not wholly a number gives its leading number ("2,5 kg" is
// 2.5); empty or junk gives 0. A text that is no finite number ("inf",
// "nan") or whose number runs on into more digits or separators than a
// number has ("1,2,3", "2,5.") raises the type mismatch; a number beyond a
// double's range raises the overflow error. Never infinite or NaN.
double NumeroCelda(const QString& texto);
// The same number as it is written, for a statement: "." as decimal point,
// no group separator, an exponent kept; "0" for an empty or junk text.
// Refuses what NumeroCelda refuses.
QString NumeroCeldaTexto(const QString& texto);

// The number in a cell as a quantity or amount, read as NumeroCelda reads
// it but from its digits as written, never through a double: rounded once,
// half away from zero, at the fourth decimal. Beyond the currency's range it
// raises the overflow error.
vb::Moneda DecimalCelda(const QString& texto);

// Whether two quantities or sums read from cells are the same within
// kToleranciaCantidad.
bool CantidadesIguales(double a, double b);
