#include "platform/moneda.h"

#include <cmath>

#include "platform/vb.h"
#include "platform/vb_error.h"

namespace vb {

Moneda Moneda::DesdeDoble(double d) {
  double x = std::round(d * 10000.0);
  if (!(std::fabs(x) < 9.2e18)) Raise(ErrOverflow, QStringLiteral("Desbordamiento"));
  return DesdeDiezmilesimos(static_cast<int64_t>(x));
}

Moneda Moneda::DesdeTexto(const QString& s) {
  if (s.trimmed().isEmpty()) return Moneda();
  if (!IsNumeric(s)) Raise(ErrTypeMismatch, QStringLiteral("No coinciden los tipos"));
  // Work on the decimal digits, not on a double, so 0.125 stays exact.
  QString n = QString::number(CDbl(s), 'f', 8);
  bool neg = n.startsWith(u'-');
  if (neg) n.remove(0, 1);
  int p = n.indexOf(u'.');
  QString ip = n.left(p), dp = n.mid(p + 1);
  int64_t whole = ip.toLongLong();
  int64_t frac4 = dp.left(4).toLongLong();
  int64_t rest = dp.mid(4).toLongLong();  // 4 more digits
  int64_t v = whole * 10000 + frac4;
  if (rest >= 5000) ++v;  // half away from zero
  return DesdeDiezmilesimos(neg ? -v : v);
}

Moneda Moneda::RedondeaPar(int decimales) const {
  if (decimales >= 4) return *this;
  if (decimales < 0) decimales = 0;
  int64_t f = 1;
  for (int i = 0; i < 4 - decimales; ++i) f *= 10;
  int64_t a = v_ < 0 ? -v_ : v_;
  int64_t q = a / f, r = a % f;
  if (r * 2 > f || (r * 2 == f && (q % 2) == 1)) ++q;
  int64_t res = q * f;
  return DesdeDiezmilesimos(v_ < 0 ? -res : res);
}

QString Moneda::Texto(int decimales) const {
  Moneda r = RedondeaPar(decimales);
  int64_t a = r.v_ < 0 ? -r.v_ : r.v_;
  QString s = QString::number(a / 10000);
  if (decimales > 0) {
    QString frac = QString::number(a % 10000).rightJustified(4, u'0');
    s += u'.' + frac.left(std::min(decimales, 4));
    for (int i = 4; i < decimales; ++i) s += u'0';
  }
  if (r.v_ < 0) s.prepend(u'-');
  return s;
}

}  // namespace vb
