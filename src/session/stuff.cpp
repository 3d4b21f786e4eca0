#include "session/stuff.h"

#include <QDateTime>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/vb.h"
#include "session/mod_global.h"

QString gFechaElegida;

QString ObtieneLetraComprobante(const QString& Codigo1, const QString& Codigo2) {
  if (vb::Val(Codigo1) != 1) return QStringLiteral("C");
  if (vb::Val(Codigo2) > 2) return QStringLiteral("B");
  return QStringLiteral("A");
}

bool ObtieneAsientoComprobante(const QString& TC, const QString& Sucursal, const QString& Numero, const QString& Letra,
                               QString& Asiento, const QString& Cuenta) {
  const QString filtro = Cuenta.isEmpty() ? QString() : QStringLiteral(" AND CUENTA = ") + ClsDatos::Literal(Cuenta);
  const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") +
                      ClsDatos::Literal(gUtil.FormateaCodigo(TC, 4)) + QStringLiteral(" AND SUCURSAL = ") +
                      ClsDatos::Literal(Sucursal) + QStringLiteral(" AND NUMERO = ") + ClsDatos::Literal(Numero) +
                      QStringLiteral(" AND LETRA = ") + ClsDatos::Literal(Letra) + filtro;
  Recordset rs;
  gDatos.AbreRecordset(sql, rs, &gDatos.Conexion(), 0, 1, -1);
  if (rs.Bof()) return false;
  Asiento = vb::Format(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("MES_OPERATIVO")))),
                       QStringLiteral("00")) +
            QStringLiteral(" - ") +
            vb::Format(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("NUMERO ASIENTO")))),
                       QStringLiteral("000000"));
  return true;
}

QString ObtieneEquivalenciaTC(const QString& TC) {
  static const QStringList conClave = {"FCC", "FPC", "FP", "NCC", "NDC", "PG", "FC", "NC", "ND", "CB", "CBCT", "TK", "TKFC"};
  static const QStringList propios = {"CBFP", "PGFP", "NCFP", "NCCP", "GF"};
  const QString t = vb::Trim(TC);
  for (const QString& c : conClave)
    if (vb::Igual(t, c)) return vb::Trim(Cfg(QStringLiteral("EQU_") + c));
  for (const QString& c : propios)
    if (vb::Igual(t, c)) return t;
  return QString();
}

bool ConvierteBooleano(const QString& Texto) {
  const QString t = Texto.toUpper();
  return !(t == QLatin1String("FALSE") || t == QLatin1String("FALSO") || t == QLatin1String("0") ||
           t == QLatin1String("NO") || t == QLatin1String("N"));
}

QString FormatoFechaHora() { return QStringLiteral("dd/mm/yy hh:mm"); }

QString FormateaFechaHora(const QDateTime& momento, const QString& formato) {
  QString qt;
  bool trasHora = false;
  for (int i = 0; i < formato.size();) {
    auto sigue = [&](const char* t) { return formato.mid(i, int(qstrlen(t))).compare(QLatin1String(t), Qt::CaseInsensitive) == 0; };
    if (sigue("yyyy")) { qt += QStringLiteral("yyyy"); i += 4; trasHora = false; }
    else if (sigue("yy")) { qt += QStringLiteral("yy"); i += 2; trasHora = false; }
    else if (sigue("dd")) { qt += QStringLiteral("dd"); i += 2; trasHora = false; }
    else if (sigue("hh")) { qt += QStringLiteral("hh"); i += 2; trasHora = true; }
    else if (sigue("nn")) { qt += QStringLiteral("mm"); i += 2; trasHora = false; }
    else if (sigue("ss")) { qt += QStringLiteral("ss"); i += 2; trasHora = false; }
    else if (sigue("mm")) { qt += trasHora ? QStringLiteral("mm") : QStringLiteral("MM"); i += 2; trasHora = false; }
    else {
      const QChar c = formato[i++];
      if (c.isLetter()) qt += u'\'' + QString(c) + u'\'';
      else qt += c;
    }
  }
  return momento.toString(qt);
}
