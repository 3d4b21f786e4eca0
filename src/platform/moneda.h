#pragma once
// Amounts: fixed point with four decimals in a 64-bit whole number, as the
// currency type of the suite keeps them. Never double arithmetic on money.
// The range is +-922,337,203,685,477.5807: a conversion or a sum beyond it
// raises the overflow error instead of wrapping.
#include <QString>
#include <cstdint>
#include <limits>

namespace vb {

class Moneda {
 public:
  // The largest amount in ten-thousandths; the smallest is its negative.
  static constexpr int64_t kMaximo = std::numeric_limits<int64_t>::max();

  Moneda() = default;
  static Moneda DesdeDiezmilesimos(int64_t d) { Moneda m; m.v_ = d; return m; }
  // A number rounded half away from zero to four decimals.
  static Moneda DesdeDoble(double d);
  // A text with "," or "." as decimal point (an exponent allowed); blank
  // gives 0. Rounded once, half away from zero at the fourth decimal, from
  // the digits as written. Raises a type mismatch when the text is not a
  // number.
  static Moneda DesdeTexto(const QString& s);
  // The same from a number already in the form NormalizaNumero and
  // TextoDeVal write ([+-]digits[.digits][e[+-]digits], not empty), for a
  // caller that has read the text once already.
  static Moneda DesdeNumero(const QString& numero);

  int64_t Diezmilesimos() const { return v_; }
  double ADoble() const { return static_cast<double>(v_) / 10000.0; }
  // The nearest whole number, ties going to the even one.
  int64_t Entero() const;

  // Rounded to n decimals (0 to 4), ties going to the even digit.
  Moneda RedondeaPar(int decimales) const;
  // Digits with "." as decimal point and exactly n decimals (0 to 4),
  // rounded as RedondeaPar rounds; never fails for an amount in range.
  QString Texto(int decimales = 4) const;

  Moneda operator+(Moneda o) const;
  Moneda operator-(Moneda o) const;
  bool operator==(const Moneda& o) const = default;
  auto operator<=>(const Moneda& o) const = default;

 private:
  int64_t v_ = 0;
};

}  // namespace vb
