#pragma once
// Amounts: fixed point with four decimals in a 64-bit whole number, as the
// currency type of the suite keeps them. Never double arithmetic on money.
#include <QString>
#include <cstdint>

namespace vb {

class Moneda {
 public:
  Moneda() = default;
  static Moneda DesdeDiezmilesimos(int64_t d) { Moneda m; m.v_ = d; return m; }
  // A number rounded half away from zero to four decimals.
  static Moneda DesdeDoble(double d);
  // A text with "," or "." as decimal point; blank gives 0. Raises a type
  // mismatch when the text is not a number.
  static Moneda DesdeTexto(const QString& s);

  int64_t Diezmilesimos() const { return v_; }
  double ADoble() const { return static_cast<double>(v_) / 10000.0; }

  // Rounded to n decimals (0 to 4), ties going to the even digit.
  Moneda RedondeaPar(int decimales) const;
  // Digits with "." as decimal point and exactly n decimals (0 to 4).
  QString Texto(int decimales = 4) const;

  Moneda operator+(Moneda o) const { return DesdeDiezmilesimos(v_ + o.v_); }
  Moneda operator-(Moneda o) const { return DesdeDiezmilesimos(v_ - o.v_); }
  bool operator==(const Moneda& o) const = default;
  auto operator<=>(const Moneda& o) const = default;

 private:
  int64_t v_ = 0;
};

}  // namespace vb
