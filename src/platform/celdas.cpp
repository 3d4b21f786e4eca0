#include "platform/celdas.h"

#include <algorithm>
#include <cmath>

#include "platform/vb.h"

QString TextoCelda(double valor) {
  if (!std::isfinite(valor) || valor == 0.0) return QStringLiteral("0");
  QString t = QString::number(valor, 'g', 15);
  if (t.contains(u'e')) {
    // Out of the range plain notation covers: fixed notation with the
    // decimals that 15 significant digits need.
    const int exponente = static_cast<int>(std::floor(std::log10(std::fabs(valor))));
    const int decimales = std::clamp(14 - exponente, 0, 330);
    t = QString::number(valor, 'f', decimales);
  }
  const qsizetype punto = t.indexOf(u'.');
  if (punto >= 0) {
    while (t.endsWith(u'0')) t.chop(1);
    if (t.endsWith(u'.')) t.chop(1);
    else t[punto] = vb::DecimalSeparator();
  }
  if (t == QLatin1String("-0") || t.isEmpty()) return QStringLiteral("0");
  return t;
}

namespace {

// The leading number of a text: a sign, digits and one "," or "." followed
// by digits.
double NumeroInicial(const QString& t) {
  QString n;
  qsizetype i = 0;
  const qsizetype largo = t.size();
  if (i < largo && (t[i] == u'-' || t[i] == u'+')) n.append(t[i++]);
  bool digitos = false;
  auto esDigito = [&](qsizetype k) { return k < largo && t[k] >= u'0' && t[k] <= u'9'; };
  while (esDigito(i)) {
    n.append(t[i++]);
    digitos = true;
  }
  if (i < largo && (t[i] == u'.' || t[i] == u',') && esDigito(i + 1)) {
    n.append(u'.');
    ++i;
    while (esDigito(i)) {
      n.append(t[i++]);
      digitos = true;
    }
  }
  if (!digitos) return 0.0;
  bool ok = false;
  const double v = n.toDouble(&ok);
  return ok ? v : 0.0;
}

}  // namespace

double NumeroCelda(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return 0.0;
  double v = vb::IsNumeric(t) ? vb::CDbl(t) : NumeroInicial(t);
  return std::isfinite(v) ? v : 0.0;
}

bool CantidadesIguales(double a, double b) { return std::fabs(a - b) < kToleranciaCantidad; }
