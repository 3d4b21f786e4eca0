#include "session/formato.h"

#include <clocale>
#include <climits>
#include <cmath>

#include "session/mod_global.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

int DigitosMonedaLocal() {
  const std::lconv* l = std::localeconv();
  if (!l || l->frac_digits == CHAR_MAX || l->frac_digits < 0) return 0;
  return l->frac_digits;
}

QString FmtMoneda(const QString& Importe, int Decimales) {
  if (Decimales == kSinFormato) return Importe;
  return TextoMoneda(gUtil.ConvierteMoneda(Importe), DecimalesMoneda(Decimales));
}

int DecimalesMoneda(int Decimales) {
  if (Decimales < kSinFormato) vb::Raise(vb::ErrInvalidCall, QStringLiteral("Llamada a procedimiento o argumento no válido"));
  int n = Decimales == kDecimalesConfig ? static_cast<int>(vb::Val(gCantidadDecimales)) : Decimales;
  if (n == 0) n = DigitosMonedaLocal();
  if (n == kSinDecimales) n = 0;
  if (n < 0) vb::Raise(vb::ErrInvalidCall, QStringLiteral("Llamada a procedimiento o argumento no válido"));
  return n;
}

QString TextoMoneda(const vb::Moneda& Importe, int decimales) {
  QString t = Importe.Texto(decimales);
  if (decimales > 0) t.replace(u'.', vb::DecimalSeparator());
  return t;
}

QString MinutosAHoras(double Minutos, long& Horas, long& MinutosResto) {
  QString sep = Cfg(QStringLiteral("SeparadorHora"));
  if (vb::Trim(sep).isEmpty()) sep = QStringLiteral(":");
  if (sep != QLatin1String(".")) {
    const double m = vb::RoundHalfEven(Minutos);
    const long h = static_cast<long>(std::trunc(m / 60.0));
    const long r = static_cast<long>(m - static_cast<double>(h) * 60.0);
    Horas = h;
    MinutosResto = r;
    return vb::Format(static_cast<double>(h), QStringLiteral("#####00")) + sep +
           vb::Format(static_cast<double>(r), QStringLiteral("#####00"));
  }
  return vb::Format(Minutos / 60.0, QStringLiteral("#####.00")).replace(u',', u'.');
}

QString MinutosAHoras(double Minutos) {
  long h = 0, r = 0;
  return MinutosAHoras(Minutos, h, r);
}

namespace {

double MinutosDeTexto(const QString& t) {
  const int p = t.indexOf(u':');
  if (p < 0) return vb::Val(t) * 60.0;
  return vb::Val(t.left(p)) * 60.0 + vb::Val(t.mid(p + 1));
}

}  // namespace

double ConvierteAMinutos(const QString& Hora, const QString& Horas, const QString& Minutos, bool PrimeroTexto) {
  if (PrimeroTexto) return MinutosDeTexto(Hora);
  QDateTime d;
  if (vb::ParseDateTime(Hora, d)) return d.time().hour() * 60 + d.time().minute();
  if (vb::Trim(Hora).isEmpty()) {
    const double h = vb::Val(Horas), m = vb::Val(Minutos);
    if (!(h > 0) && !(m > 0)) return 0;
    return h * 60.0 + m;
  }
  return MinutosDeTexto(Hora);
}
