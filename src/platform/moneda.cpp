#include "platform/moneda.h"

#include <cmath>

#include "platform/vb.h"
#include "platform/vb_error.h"

namespace vb {

namespace {

[[noreturn]] void Desborda() { Raise(ErrOverflow, QStringLiteral("Desbordamiento")); }

// An amount of the range from its sign and magnitude in ten-thousandths.
Moneda EnRango(bool negativo, uint64_t magnitud) {
  if (magnitud > static_cast<uint64_t>(Moneda::kMaximo)) Desborda();
  const int64_t v = static_cast<int64_t>(magnitud);
  return Moneda::DesdeDiezmilesimos(negativo ? -v : v);
}

uint64_t Magnitud(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

// A magnitude in ten-thousandths rounded to n decimals, ties to the even
// digit. Never wraps: it stays below 2^63 + 10^4.
uint64_t RedondeoPar(uint64_t a, int decimales) {
  if (decimales >= 4) return a;
  if (decimales < 0) decimales = 0;
  uint64_t f = 1;
  for (int i = 0; i < 4 - decimales; ++i) f *= 10;
  uint64_t q = a / f;
  const uint64_t r = a % f;
  if (r * 2 > f || (r * 2 == f && (q % 2) == 1)) ++q;
  return q * f;
}

}  // namespace

Moneda Moneda::DesdeDoble(double d) {
  const double x = std::round(d * 10000.0);
  // 2^63 is the first double past the range; NaN fails the test too.
  if (!(std::fabs(x) < 9223372036854775808.0)) Desborda();
  return DesdeDiezmilesimos(static_cast<int64_t>(x));
}

Moneda Moneda::DesdeTexto(const QString& s) {
  if (s.trimmed().isEmpty()) return Moneda();
  const QString n = NormalizaNumero(s);
  if (n.isEmpty()) Raise(ErrTypeMismatch, QStringLiteral("No coinciden los tipos"));
  return DesdeNumero(n);
}

Moneda Moneda::DesdeNumero(const QString& n) {
  // n is [+-]digits[.digits][e[+-]digits]: work on its digits, never on a
  // double, so the fourth decimal is rounded once from what was written.
  qsizetype i = 0;
  const bool negativo = n[0] == u'-';
  if (n[0] == u'-' || n[0] == u'+') ++i;
  QString digitos;
  qsizetype enteros = 0;  // digits before the decimal point
  bool punto = false;
  for (; i < n.size() && n[i] != u'e' && n[i] != u'E'; ++i) {
    if (n[i] == u'.') {
      punto = true;
      continue;
    }
    digitos.append(n[i]);
    if (!punto) ++enteros;
  }
  if (i < n.size()) {
    // The exponent moves the decimal point; one beyond any digit count
    // only needs to be known as large.
    const bool expNegativo = n[i + 1] == u'-';
    int64_t exponente = 0;
    for (qsizetype k = i + 1; k < n.size(); ++k)
      if (n[k].isDigit()) exponente = std::min<int64_t>(exponente * 10 + n[k].digitValue(), 1000000);
    enteros += expNegativo ? -exponente : exponente;
  }
  // Without leading zeros, the value is 0.digitos times 10^enteros.
  qsizetype ceros = 0;
  while (ceros < digitos.size() && digitos[ceros] == u'0') ++ceros;
  digitos.remove(0, ceros);
  enteros -= ceros;
  if (digitos.isEmpty()) return Moneda();
  // 922337203685477 is the largest whole part: 15 digits.
  if (enteros > 15) Desborda();
  // The digits down to the fourth decimal (at most 19: no wrap in 64 bits),
  // then the fifth decimal decides, half away from zero.
  uint64_t magnitud = 0;
  const qsizetype hasta = enteros + 4;
  for (qsizetype k = 0; k < hasta; ++k)
    magnitud = magnitud * 10 + (k < digitos.size() ? static_cast<uint64_t>(digitos[k].digitValue()) : 0);
  if (hasta >= 0 && hasta < digitos.size() && digitos[hasta].digitValue() >= 5) ++magnitud;
  return EnRango(negativo, magnitud);
}

int64_t Moneda::Entero() const {
  const int64_t e = static_cast<int64_t>(RedondeoPar(Magnitud(v_), 0) / 10000);
  return v_ < 0 ? -e : e;
}

Moneda Moneda::RedondeaPar(int decimales) const { return EnRango(v_ < 0, RedondeoPar(Magnitud(v_), decimales)); }

QString Moneda::Texto(int decimales) const {
  const uint64_t a = RedondeoPar(Magnitud(v_), decimales);
  QString s = QString::number(a / 10000);
  if (decimales > 0) {
    QString frac = QString::number(a % 10000).rightJustified(4, u'0');
    s += u'.' + frac.left(std::min(decimales, 4));
    for (int i = 4; i < decimales; ++i) s += u'0';
  }
  if (v_ < 0 && a != 0) s.prepend(u'-');
  return s;
}

Moneda Moneda::operator+(Moneda o) const {
  int64_t r = 0;
  if (__builtin_add_overflow(v_, o.v_, &r) || r < -kMaximo) Desborda();
  return DesdeDiezmilesimos(r);
}

Moneda Moneda::operator-(Moneda o) const {
  int64_t r = 0;
  if (__builtin_sub_overflow(v_, o.v_, &r) || r < -kMaximo) Desborda();
  return DesdeDiezmilesimos(r);
}

}  // namespace vb
