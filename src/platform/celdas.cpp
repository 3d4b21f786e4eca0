#include "platform/celdas.h"

#include <algorithm>
#include <cmath>

#include "platform/vb.h"
#include "platform/vb_error.h"

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

QString TextoCelda(const vb::Moneda& valor) {
  QString t = valor.Texto(4);
  while (t.endsWith(u'0')) t.chop(1);
  if (t.endsWith(u'.')) t.chop(1);
  else t.replace(u'.', vb::DecimalSeparator());
  return t;
}

namespace {

bool Digito(const QString& t, qsizetype k) { return k < t.size() && t[k] >= u'0' && t[k] <= u'9'; }
bool Separador(const QString& t, qsizetype k) { return k < t.size() && (t[k] == u'.' || t[k] == u',') ; }
// Three digits and no fourth one from position k: a group of thousands.
bool Grupo(const QString& t, qsizetype k) { return Digito(t, k) && Digito(t, k + 1) && Digito(t, k + 2) && !Digito(t, k + 3); }

[[noreturn]] void NoEsNumero() { vb::Raise(vb::ErrTypeMismatch, QStringLiteral("No coinciden los tipos")); }

// The leading number of a cell's text in the form [+-]digits[.digits][e[+-]digits]
// ("" when the text does not begin with one): "," or "." as decimal point,
// thousands grouped by the other one ("1.234,5", "1,234.5") or by either
// when there are two groups or more ("1.234.567"). Raises the type mismatch
// when the number runs on into more digits or separators than it can hold
// ("1,2,3", "2,5.") or is an infinite value or NaN.
QString NumeroInicial(const QString& texto) {
  const QString t = texto.trimmed();
  QString n;
  qsizetype i = 0;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) n.append(t[i++]);
  const QString palabra = t.mid(i, 3).toLower();
  if (palabra == QLatin1String("inf") || palabra == QLatin1String("nan")) NoEsNumero();
  const qsizetype inicio = i;
  while (Digito(t, i)) n.append(t[i++]);
  bool digitos = i > inicio;
  if (i - inicio >= 1 && i - inicio <= 3 && Separador(t, i) && Grupo(t, i + 1)) {
    const QChar grupo = t[i];
    qsizetype k = i;
    int grupos = 0;
    for (; k < t.size() && t[k] == grupo && Grupo(t, k + 1); k += 4) ++grupos;
    if (grupos >= 2 || (Separador(t, k) && t[k] != grupo)) {
      for (qsizetype j = i; j < k; ++j)
        if (t[j] != grupo) n.append(t[j]);
      i = k;
      if (i < t.size() && t[i] == grupo) NoEsNumero();
    }
  }
  if (Separador(t, i) && (digitos || Digito(t, i + 1))) {
    n.append(u'.');
    ++i;
    while (Digito(t, i)) {
      n.append(t[i++]);
      digitos = true;
    }
  }
  if (!digitos) return QString();
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    qsizetype k = i + 1;
    if (k < t.size() && (t[k] == u'-' || t[k] == u'+')) ++k;
    if (Digito(t, k)) {
      n.append(u'e');
      n.append(t.mid(i + 1, k - i - 1));
      for (i = k; Digito(t, i); ++i) n.append(t[i]);
    }
  }
  if (Digito(t, i) || Separador(t, i)) NoEsNumero();
  return n;
}

// The value of such a number in a double; the overflow error beyond a
// double's range (below it, it is 0).
double Doble(const QString& n) {
  bool ok = false;
  const double v = n.toDouble(&ok);
  if (!std::isfinite(v) || (!ok && v != 0.0)) vb::Raise(vb::ErrOverflow, QStringLiteral("Desbordamiento"));
  return v;
}

}  // namespace

double NumeroCelda(const QString& texto) {
  const QString n = NumeroInicial(texto);
  return n.isEmpty() ? 0.0 : Doble(n);
}

QString NumeroCeldaTexto(const QString& texto) {
  QString n = NumeroInicial(texto);
  if (n.isEmpty()) return QStringLiteral("0");
  Doble(n);
  // The form SQL reads: no "+", a digit before and after the point.
  if (n.startsWith(u'+')) n.remove(0, 1);
  const qsizetype punto = n.indexOf(u'.');
  if (punto >= 0 && (punto + 1 == n.size() || !n[punto + 1].isDigit())) n.insert(punto + 1, u'0');
  if (punto == 0 || (punto == 1 && n[0] == u'-')) n.insert(punto, u'0');
  return n;
}

vb::Moneda DecimalCelda(const QString& texto) {
  const QString n = NumeroInicial(texto);
  return n.isEmpty() ? vb::Moneda() : vb::Moneda::DesdeNumero(n);
}

bool CantidadesIguales(double a, double b) { return std::fabs(a - b) < kToleranciaCantidad; }
