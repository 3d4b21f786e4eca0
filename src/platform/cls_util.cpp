#include "platform/cls_util.h"

#include <QFont>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QScreen>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/error_steps.h"
#include "platform/espera_bloqueo.h"
#include "platform/form.h"
#include "platform/interaccion.h"
#include "platform/vb.h"

ClsUtil gUtil;

QVariant ClsUtil::ValorCampo(const Field& campo) const { return ValorCampo(campo.Value()); }

QVariant ClsUtil::ValorCampo(const QVariant& valor) const {
  if (!valor.isValid() || valor.isNull()) return QString();
  return valor;
}

QString ClsUtil::FormateaCodigo(const QString& codigo, int ancho) const {
  const QString t = vb::Trim(codigo);
  if (t.size() > ancho) return codigo;
  return t.rightJustified(ancho, u' ');
}

QString ClsUtil::FechaSQL(const QString& fecha, bool hastaFinDelDia) const {
  const QDate d = vb::CDate(fecha);
  if (gDatos.EsSqlite()) {
    QString t = d.toString(QStringLiteral("yyyy-MM-dd"));
    if (hastaFinDelDia) t += QStringLiteral(" 23:59:59");
    return u'\'' + t + u'\'';
  }
  QString t = d.toString(QStringLiteral("yyyyMMdd"));
  if (hastaFinDelDia) t += QStringLiteral(" 23:59:59.997");
  return u'\'' + t + u'\'';
}

QString ClsUtil::FechaHoraSQL(const QDateTime& momento) const {
  if (gDatos.EsSqlite()) return u'\'' + momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'\'';
  return u'\'' + momento.toString(QStringLiteral("yyyyMMdd HH:mm:ss")) + u'\'';
}

bool ClsUtil::PideFecha(QString& fecha) const {
  QString f = fecha;
  if (!Interaccion::Actual().PideFecha(f)) return false;
  fecha = f;
  return true;
}

void ClsUtil::PreparaFormulario(Form* form, bool) const {
  if (!form) return;
  form->setFont(FuenteFormularios());
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    QRect r = s->availableGeometry();
    QRect g = form->frameGeometry();
    if (g.width() < r.width() && g.height() < r.height())
      form->move(r.center() - QPoint(g.width() / 2, g.height() / 2));
  }
}

int ClsUtil::ReportaError(const vb::Error& e, const QString& etiqueta) const {
  // A lock is told once per action: the statements after it in the same
  // action fail at once, and leave without telling it again. Retrying is
  // the person's next action: it waits, and is told, again.
  const bool bloqueo = e.Description.startsWith(ado::kMensajeBloqueo);
  if (bloqueo && espera_bloqueo::Avisado()) return vb::kRespuestaAbortar;
  const int respuesta = Interaccion::Actual().ReportaError(e, etiqueta);
  if (bloqueo) espera_bloqueo::MarcaAvisado();
  if (bloqueo && respuesta == vb::kRespuestaReintentar) espera_bloqueo::NuevaAccion();
  return respuesta;
}

vb::Moneda ClsUtil::ConvierteMoneda(const QString& texto) const {
  if (vb::Trim(texto).isEmpty()) return vb::Moneda();
  // The digits as written, never through a double: one rounding, and an
  // amount beyond the range is an overflow, not a wrapped or zero value.
  // The text is read once: as a number, or else for the number it begins
  // with.
  QString numero = vb::NormalizaNumero(texto);
  if (numero.isEmpty()) numero = vb::TextoDeVal(texto);
  return numero.isEmpty() ? vb::Moneda() : vb::Moneda::DesdeNumero(numero);
}

double ClsUtil::ConvierteDoble(const QString& texto) const {
  if (vb::Trim(texto).isEmpty()) return 0.0;
  const QString numero = vb::NormalizaNumero(texto);
  return numero.isEmpty() ? vb::Val(texto) : numero.toDouble();
}

long ClsUtil::ConvierteNumero(const QString& texto) const { return vb::CLng(ConvierteDoble(texto)); }

QString ClsUtil::ConvierteTexto(const QVariant& valor) const { return vb::Texto(valor); }

QString ClsUtil::QuitaCaracteres(const QString& texto, const QString& c1, const QString& c2, const QString& c3) const {
  return vb::QuitaCaracteres(texto, c1 + c2 + c3);
}

QString ClsUtil::ReemplazaCaracter(const QString& texto, const QString& viejo, const QString& nuevo) const {
  if (viejo.isEmpty()) return texto;
  QString r = texto;
  return r.replace(viejo, nuevo);
}

QString ClsUtil::ReemplazaTexto(const QString& texto, const QString& viejo, const QString& nuevo) const {
  if (viejo.isEmpty()) return texto;
  QString r = texto;
  return r.replace(viejo, nuevo, Qt::CaseInsensitive);
}

QString ClsUtil::NormalizaRuta(const QString& ruta) const {
  if (ruta.endsWith(u'/') || ruta.endsWith(u'\\')) return ruta;
  return ruta + u'/';
}

QString ClsUtil::FormateaImporte(const QString& importe, int ancho) const {
  return importe.size() >= ancho ? importe : importe.rightJustified(ancho, u' ');
}

namespace {
const QByteArray kClave = QByteArrayLiteral("Brelvix");
}

QString ClsUtil::CodificaTexto(const QString& texto) const {
  QByteArray b = texto.toUtf8();
  for (int i = 0; i < b.size(); ++i) b[i] = static_cast<char>(b[i] ^ kClave[i % kClave.size()]);
  return QString::fromLatin1(b.toHex().toUpper());
}

QString ClsUtil::DecodificaTexto(const QString& texto) const {
  static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
  const QString t = vb::Trim(texto);
  if (t.isEmpty() || !hex.match(t).hasMatch()) return texto;
  QByteArray b = QByteArray::fromHex(t.toLatin1());
  for (int i = 0; i < b.size(); ++i) b[i] = static_cast<char>(b[i] ^ kClave[i % kClave.size()]);
  return QString::fromUtf8(b);
}
