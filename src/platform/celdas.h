#pragma once
// Numbers in grid cells. Every voucher component (the voucher class, the
// stock posting, the lot and position dialogs, the loading of a stored
// voucher) writes a number into a cell with TextoCelda and reads one back
// with NumeroCelda, so a cell written on one road reads the same on any
// other, whatever the locale.
#include <QString>

// Tolerance of a comparison of quantities or sums read from cells (half of
// the fourth decimal).
constexpr double kToleranciaCantidad = 0.00005;

// A number as a cell shows it: general form (as many decimals as the value
// needs, up to 15 significant digits, never an exponent), the locale's
// decimal separator, no group separator, "-" in front of a negative number.
// Zero, -0, an infinite value and NaN are written "0".
QString TextoCelda(double valor);

// The number in a cell or list entry: blanks around it ignored; "," or "."
// as decimal point (with both, the last one is the decimal point and the
// others group thousands); a text that is not wholly a number gives its
// leading number ("2,5 kg" is 2.5); empty or junk gives 0. Never infinite
// or NaN.
double NumeroCelda(const QString& texto);

// Whether two quantities or sums read from cells are the same within
// kToleranciaCantidad.
bool CantidadesIguales(double a, double b);
