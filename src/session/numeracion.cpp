#include "session/numeracion.h"

#include <QDateTime>
#include <algorithm>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "session/stuff.h"

int gTalonario = 0;

namespace ClaveComprobante {

QString Sucursal(const QString& clave) { return vb::Mid(clave, 1, kLargoSucursal); }
QString Numero(const QString& clave) { return vb::Mid(clave, kDesdeNumero, kLargoNumero); }
QString Letra(const QString& clave) { return vb::Mid(clave, kDesdeNumero + kLargoNumero, 1); }

namespace {
const QString kFormatoSucursal = QString(kLargoSucursal, u'0');
const QString kFormatoNumero = QString(kLargoNumero, u'0');
}  // namespace

QString FormateaSucursal(double sucursal) { return vb::Format(sucursal, kFormatoSucursal); }
QString FormateaNumero(double numero) { return vb::Format(numero, kFormatoNumero); }

QString Compone(const QString& sucursal, const QString& numero, const QString& letra) {
  return vb::Format(sucursal, kFormatoSucursal) + vb::Format(numero, kFormatoNumero) + letra;
}

}  // namespace ClaveComprobante

namespace {

using ClaveComprobante::kUltimoNumero;

QString Lit(const QString& t) { return ClsDatos::Literal(t); }

// The type as its code column stores it, as an SQL literal.
QString CodigoTC(const QString& TC) { return Lit(gUtil.FormateaCodigo(vb::Trim(TC), 4)); }

QString Entero(double n) { return QString::number(static_cast<qlonglong>(n)); }

// A letter as keys store it: trimmed, upper case, "X" when blank.
QString LetraDeClave(const QString& letra) {
  const QString t = vb::Trim(letra).toUpper();
  return t.isEmpty() ? QStringLiteral("X") : t;
}

bool EsLetraValida(const QString& letra) { return letra.size() == 1 && EsLetraComprobante(letra[0].unicode()); }

QString MensajeLetra() {
  return QStringLiteral(" La letra Informada no es Valida, la misma debe ser ") + QLatin1String(kLetrasComprobante);
}

QString Texto(const Recordset& rs, const QString& campo) { return vb::Texto(gUtil.ValorCampo(rs.Fields(campo))); }
double Valor(const Recordset& rs, const QString& campo) { return gUtil.ConvierteDoble(Texto(rs, campo)); }

// A stored date (a date column, or a date text); invalid when empty.
QDate FechaDe(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return QDate();
  if (v.typeId() == QMetaType::QDate) return v.toDate();
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
  QDateTime d;
  return vb::ParseDateTime(vb::Trim(v.toString()), d) ? d.date() : QDate();
}

bool Externo(const Recordset& rs) {
  const Field f = rs.Fields(QStringLiteral("Externo"));
  return !f.IsNull() && ConvierteBooleano(Texto(rs, QStringLiteral("Externo")));
}

// A book that hands out any number the user types.
bool NumeracionLibre(const Recordset& rs, const QString& L) {
  return Valor(rs, L + QStringLiteral("_NRO_DESDE")) == 0 && Valor(rs, L + QStringLiteral("_NRO_HASTA")) == 0 &&
         ConvierteBooleano(Texto(rs, QStringLiteral("Modificanumeracion")));
}

// The book of a type that holds a number for a branch and letter: the rows
// of the query in their order; a later row holding the number wins; a book
// numbered outside the program, or freely, ends the search (and is the book
// when none held the number before it).
struct Libro {
  int talonario = 0;
  bool ultimoExterno = false;  // the search ended on a book numbered outside
};

Libro BuscaLibro(const QString& sql, const QString& L, double numero) {
  Libro libro;
  Recordset rs;
  gDatos.AbreRecordset(sql, rs, &gDatos.Conexion(), 0, 1, -1);
  for (; !rs.Eof(); rs.MoveNext()) {
    const int talonario = static_cast<int>(Valor(rs, QStringLiteral("Talonario")));
    libro.ultimoExterno = Externo(rs);
    if (libro.ultimoExterno || NumeracionLibre(rs, L)) {
      if (libro.talonario == 0) libro.talonario = talonario;
      break;
    }
    if (numero >= Valor(rs, L + QStringLiteral("_NRO_DESDE")) && numero <= Valor(rs, L + QStringLiteral("_NRO_HASTA")))
      libro.talonario = talonario;
  }
  gDatos.CierraRecordset(rs);
  return libro;
}

// The value for the time of a change of a book: a date-time column takes a
// date-time literal; a text column the suite's audit text.
QString ValorFechaHora(const QVariant& actual) {
  const QDateTime ahora = QDateTime::currentDateTime();
  if (actual.typeId() == QMetaType::QDateTime || actual.typeId() == QMetaType::QDate)
    return gUtil.FechaHoraSQL(ahora);
  return Lit(FormateaFechaHora(ahora, FormatoFechaHora()));
}

void Aviso(const QString& texto, int icono = vbmsg::Exclamation, const QString& titulo = QString()) {
  Interaccion::Actual().MsgBox(texto, vbmsg::OKOnly | icono, titulo);
}

}  // namespace

bool NumeroSiguienteA(const QVariant& Ultimo, int Desde, QString& Numero) {
  const QString ultimo = vb::Trim(vb::Texto(gUtil.ValorCampo(Ultimo)));
  if (ultimo.isEmpty()) {
    Numero = ClaveComprobante::FormateaNumero(1);
    return true;
  }
  const double siguiente = std::floor(vb::Val(vb::Mid(ultimo, Desde, ClaveComprobante::kLargoNumero))) + 1;
  if (siguiente > kUltimoNumero) return false;
  Numero = ClaveComprobante::FormateaNumero(siguiente);
  return true;
}

void AvisaTalonarioCompleto(const QString& TC, const QString& Sucursal, const QString& Letra) {
  Aviso(QStringLiteral("El talonario del comprobante ") + TC + QStringLiteral(" para la sucursal ") + Sucursal +
        QStringLiteral(" y la letra ") + Letra +
        QStringLiteral(" está completo (no quedan números después del 99999999), debe dar de alta un nuevo "
                       "talonario para el comprobante ") +
        TC);
}

bool Obtener_Nro_Comprobante_Contable(const QString& TC, QString& Sucursal, QString& Numero, QString& Letra,
                                      bool& ModificaNumeracion, const QString& Fecha) {
  vb::ErrorSteps paso(QStringLiteral("Obtener_Nro_Comprobante_Contable"));
  bool dado = false, agotados = false, vencidos = false, malConfigurados = false, letraInvalida = false;
  QDate fecha;
  Recordset rs;
  if (vb::Trim(Letra).isEmpty()) Letra = QStringLiteral("X");
  if (!paso.step([&] {
        if (!vb::Trim(Fecha).isEmpty()) fecha = vb::CDate(Fecha);
      }))
    return false;
  if (!paso.step([&] {
        gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + CodigoTC(TC) +
                                 QStringLiteral(" ORDER BY TALONARIO"),
                             rs, &gDatos.Conexion(), 0, 1, -1);
      }))
    return false;
  if (!paso.step([&] {
        if (rs.Bof()) {
          // A type without books still gets a well-formed key.
          Sucursal = ClaveComprobante::FormateaSucursal(1);
          Numero = ClaveComprobante::FormateaNumero(1);
          Letra = QStringLiteral("X");
          dado = true;
          return;
        }
        for (; !rs.Eof(); rs.MoveNext()) {
          const Field letras = rs.Fields(QStringLiteral("Letras"));
          if (!letras.IsNull()) {
            const QString l = Texto(rs, QStringLiteral("Letras"));
            if (vb::InStr(l, Letra) == 0) Letra = vb::Left(l, 1);
          }
          Letra = LetraDeClave(Letra);
          if (!EsLetraValida(Letra)) {
            letraInvalida = true;
            break;
          }
          const QString& L = Letra;
          const double ultimo = Valor(rs, L + QStringLiteral("_ULTIMO_NRO"));
          const double desde = Valor(rs, L + QStringLiteral("_NRO_DESDE"));
          const double hasta = Valor(rs, L + QStringLiteral("_NRO_HASTA"));
          const double sucursal = Valor(rs, L + QStringLiteral("_SUC_DEFAULT"));
          // A book never used starts at its first number.
          const double proximo = std::floor(std::max({ultimo, desde, 1.0}));
          if (ultimo >= hasta || proximo >= hasta || proximo > kUltimoNumero) {
            if (hasta >= std::max(desde, 1.0)) agotados = true;
            else malConfigurados = true;  // an empty or inverted range
            continue;
          }
          if (sucursal < 0 || sucursal > 9999) {
            malConfigurados = true;
            continue;
          }
          const QDate vence = FechaDe(rs.Fields(QStringLiteral("Vence") + L).Value());
          if (fecha.isValid() && vence.isValid() && fecha > vence) {
            vencidos = true;
            continue;
          }
          Sucursal = ClaveComprobante::FormateaSucursal(sucursal);
          Numero = ClaveComprobante::FormateaNumero(proximo);
          gTalonario = static_cast<int>(Valor(rs, QStringLiteral("Talonario")));
          ModificaNumeracion = ConvierteBooleano(Texto(rs, QStringLiteral("Modificanumeracion")));
          dado = true;
          agotados = false;
          break;
        }
      }))
    return false;
  Letra = vb::Trim(Letra);
  gDatos.CierraRecordset(rs);
  if (dado) return true;
  if (letraInvalida) {
    Aviso(MensajeLetra());
  } else if (agotados) {
    Aviso(QStringLiteral("Todos los talonarios del comprobante ") + TC +
          QStringLiteral(" se encuentran utilizados, debe dar de alta un nuevo talonario para el comprobante ") + TC);
  } else if (vencidos) {
    Aviso(QStringLiteral("Todos los talonarios del comprobante ") + TC +
          QStringLiteral(" se encuentran vencidos, debe dar de alta un nuevo talonario para el comprobante ") + TC);
  } else if (malConfigurados) {
    Aviso(QStringLiteral("Los talonarios del comprobante ") + TC +
          QStringLiteral(" no tienen un rango de numeración o una sucursal válidos. Verifique los datos desde la "
                         "TABLA DE COMPROBANTES"));
  }
  return false;
}

bool Obtener_Nro_Comprobante(const QString& TC, QString& Sucursal, QString& Numero, QString& Letra,
                             bool& ModificaNumeracion, bool Verificar, const QString&, QString* TextoLote) {
  if (!Obtener_Nro_Comprobante_Contable(TC, Sucursal, Numero, Letra, ModificaNumeracion, QString())) return false;
  if (!Verificar) return true;
  vb::ErrorSteps paso(QStringLiteral("Obtener_Nro_Comprobante"));
  const QString codigo = CodigoTC(TC);
  // The next free number after the highest one a query reads.
  auto siguienteLibre = [&](const QString& sql, int desde) {
    bool lleno = false;
    if (!paso.step([&] {
          Recordset rs;
          gDatos.AbreRecordset(sql, rs);
          lleno = !NumeroSiguienteA(rs.Bof() ? QVariant() : rs.Fields(QStringLiteral("ULTIMO")).Value(), desde, Numero);
          gDatos.CierraRecordset(rs);
        }))
      return false;
    if (lleno) AvisaTalonarioCompleto(TC, Sucursal, Letra);
    return !lleno;
  };

  bool conAsiento = false;
  QString asiento;
  if (!paso.step([&] { conAsiento = ObtieneAsientoComprobante(TC, Sucursal, Numero, Letra, asiento, QString()); }))
    return false;
  if (conAsiento)
    return siguienteLibre(QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = ") + codigo +
                              QStringLiteral(" AND SUCURSAL= ") + Lit(Sucursal) + QStringLiteral(" AND LETRA = ") +
                              Lit(Letra),
                          1);

  static const QStringList sinReserva = {"OPG", "PG", "FC", "NC", "ND", "NP", "GF", "PR", "RM", "TK",
                                         "TKFC", "FP", "VJ", "IR", "VS", "SI", "AJP", "AJN", "TRP"};
  const QString tc = vb::Trim(TC).toUpper();
  if (sinReserva.contains(tc)) return true;
  if (tc == QLatin1String("OC")) {
    bool usado = false;
    if (!paso.step([&] {
          Recordset rs;
          gDatos.AbreRecordset(QStringLiteral("SELECT * From C_MV_CPTE WHERE TC = ") + codigo +
                                   QStringLiteral(" AND IDCOMPROBANTE = ") + Lit(Sucursal + Numero + Letra),
                               rs);
          usado = !rs.Bof();
          gDatos.CierraRecordset(rs);
        }))
      return false;
    // The highest purchase voucher key of the branch and letter: its number
    // is the key's characters 5 to 12.
    if (usado)
      return siguienteLibre(QStringLiteral("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From C_MV_CPTE WHERE TC = ") + codigo +
                                QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,1,4) = ") + Lit(Sucursal) +
                                QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,13,1) = ") + Lit(Letra),
                            ClaveComprobante::kDesdeNumero);
  }
  // The number is free: a reservation left of it goes.
  const QString borra = QStringLiteral("DELETE V_MV_CTROL_CPTE WHERE TC = ") + codigo +
                        QStringLiteral(" AND SUCURSAL = ") + Lit(Sucursal) + QStringLiteral(" AND NUMERO = ") +
                        Lit(Numero) + QStringLiteral(" AND LETRA = ") + Lit(Letra);
  if (TextoLote) {
    ClsDatos::AgregaSentencia(*TextoLote, borra, ClsDatos::Union::Linea);
    return true;
  }
  return paso.step([&] { gDatos.Ejecuta(borra); });
}

bool ValidaNumeracionComprobante(const QString& TC, const QString& Sucursal, const QString& Numero,
                                 const QString& Letra, QString& Mensaje, const QString& Fecha) {
  gTalonario = 0;
  const double numero = vb::Val(Numero);
  const QString L = LetraDeClave(Letra);
  if (!EsLetraValida(L)) {
    Mensaje = MensajeLetra();
    return false;
  }
  const QString codigo = CodigoTC(TC);
  const Libro libro = BuscaLibro(QStringLiteral("Select * from v_ta_cpte where codigo = ") + codigo +
                                     QStringLiteral(" and ") + L + QStringLiteral("_SUC_DEFAULT = ") +
                                     ClsDatos::Numero(gUtil.ConvierteMoneda(Sucursal).ADoble()),
                                 L, numero);
  gTalonario = libro.talonario;
  Recordset rs;
  if (gTalonario != 0)
    gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + codigo +
                             QStringLiteral(" and Talonario = ") + QString::number(gTalonario),
                         rs, &gDatos.Conexion(), 0, 1, -1);
  if (gTalonario == 0 || rs.Bof()) {
    Mensaje = QStringLiteral("Debe configurar la numeracióN de Comprobantes");
    return false;
  }
  bool valido = libro.ultimoExterno || NumeracionLibre(rs, L);
  if (!valido) {
    QString m;
    valido = numero > 0;
    const QDate vence = FechaDe(rs.Fields(QStringLiteral("Vence") + L).Value());
    if (!vb::Trim(Fecha).isEmpty() && vence.isValid() && vence < vb::CDate(Fecha)) {
      valido = false;
      m = QStringLiteral("El rango de numeracion del comprobante ") + TC + QStringLiteral(" Control nro: ") +
          QString::number(gTalonario) +
          QStringLiteral(" se encuenta vencida...! Debe dar de alta un nuevo talonario para el comprobante ") + TC;
    }
    const double desde = Valor(rs, L + QStringLiteral("_NRO_DESDE"));
    const double hasta = Valor(rs, L + QStringLiteral("_NRO_HASTA"));
    if (valido && numero < desde) {
      valido = false;
      m += QStringLiteral("\rEl Número de comprobante (") + vb::Trim(Numero) +
           QStringLiteral(") no respeta el parametro NRO DESDE del comprobante (") + Entero(desde) +
           QStringLiteral(") , Nro de Control: ") + QString::number(gTalonario);
    }
    if (valido && numero > hasta) {
      valido = false;
      m += QStringLiteral("\rEl Número de comprobante (") + vb::Trim(Numero) +
           QStringLiteral(") no respeta el parametro NRO HASTA del comprobante (") + Entero(hasta) +
           QStringLiteral(") , Nro de Control: ") + QString::number(gTalonario);
    }
    Mensaje = m + QStringLiteral("\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");
  }
  gDatos.CierraRecordset(rs);
  if (valido) Mensaje.clear();
  return valido;
}

bool GrabaNumeroComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal, const QString& Numero,
                            const QString& Letra, bool EnLote, QString& TextoLote, bool ForzarReserva,
                            bool SoloAvanza) {
  vb::ErrorSteps paso(QStringLiteral("ConsultaComprobante"));
  const QString codigo = CodigoTC(TC);
  const QString L = LetraDeClave(Letra);
  const double numero = std::floor(vb::Val(Numero));
  QString mensaje;
  if (!paso.step([&] { ValidaNumeracionComprobante(TC, Sucursal, Numero, Letra, mensaje, QString()); })) return false;

  // The book: in V_TA_CPTE, or else among the system's own books.
  Recordset rs;
  QString tabla, dondeLibro;
  if (!paso.step([&] {
        if (gTalonario != 0) {
          dondeLibro = QStringLiteral(" WHERE CODIGO = ") + codigo + QStringLiteral(" AND TALONARIO=") +
                       QString::number(gTalonario);
          gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE") + dondeLibro, rs, &gDatos.Conexion());
          if (!rs.Bof()) tabla = QStringLiteral("V_TA_CPTE");
        }
        if (tabla.isEmpty() && EsLetraValida(L)) {
          const QString delSistema = QStringLiteral(" WHERE CODIGO = ") + codigo + QStringLiteral(" AND SISTEMA = ") +
                                     Lit(vb::Trim(Sistema));
          const int talonario = BuscaLibro(QStringLiteral("SELECT * FROM TA_Comprobantes") + delSistema +
                                               QStringLiteral(" AND ") + L + QStringLiteral("_SUC_DEFAULT = ") +
                                               ClsDatos::Numero(gUtil.ConvierteMoneda(Sucursal).ADoble()) +
                                               QStringLiteral(" ORDER BY TALONARIO"),
                                           L, numero)
                                    .talonario;
          if (talonario != 0) {
            dondeLibro = delSistema + QStringLiteral(" AND TALONARIO =") + QString::number(talonario);
            gDatos.AbreRecordset(QStringLiteral("SELECT * FROM TA_Comprobantes") + dondeLibro, rs, &gDatos.Conexion());
            if (!rs.Bof()) tabla = QStringLiteral("TA_Comprobantes");
          }
        }
      }))
    return false;

  if (tabla.isEmpty()) {
    // No book of the branch and letter holds the number (a branch that is
    // not the book's comes here too): nothing is recorded.
    bool hayLibros = false, externo = false;
    if (!paso.step([&] {
          Recordset tipo;
          gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + codigo, tipo,
                               &gDatos.Conexion());
          hayLibros = !tipo.Bof();
          for (; !tipo.Eof() && !externo; tipo.MoveNext()) externo = Externo(tipo);
        }))
      return false;
    if (externo) return true;  // numbered outside the program
    if (!hayLibros) {
      Aviso(QStringLiteral("Error en grabación del Comprobante, no se ha encontrado el comprobante configurado"),
            vbmsg::Critical, QStringLiteral("ATENCION"));
      return false;
    }
    Aviso(QStringLiteral("No se grabó la numeración del comprobante ") + TC + QStringLiteral(": ningún talonario de la sucursal ") +
          Sucursal + QStringLiteral(" y la letra ") + L + QStringLiteral(" contiene el número ") + vb::Trim(Numero) +
          QStringLiteral(".\r") + mensaje);
    return false;
  }

  bool grabado = false;
  paso.step([&] {
    if (Externo(rs)) {
      grabado = true;  // numbered outside the program: nothing to record
      return;
    }
    const QString actualiza = QStringLiteral(" UPDATE ") + tabla + QStringLiteral(" SET ") + L +
                              QStringLiteral("_ULTIMO_NRO = ") + Entero(numero);
    const QString donde =
        SoloAvanza ? dondeLibro + QStringLiteral(" AND ") + L + QStringLiteral("_ULTIMO_NRO < ") + Entero(numero)
                   : dondeLibro;
    if (!EnLote) {
      gDatos.Ejecuta(actualiza + QStringLiteral(", fechahora_modificacion = ") +
                     ValorFechaHora(rs.Fields(QStringLiteral("fechahora_modificacion")).Value()) + donde);
      grabado = true;
      return;
    }
    QString lote = actualiza + donde;
    if (vb::Igual(vb::Trim(Texto(rs, QStringLiteral("Sistema"))), QStringLiteral("Contable")) || ForzarReserva ||
        vb::Igual(vb::Trim(TC), QStringLiteral("OC")))
      lote += QStringLiteral("\r\n INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES (") + codigo + u',' +
              Lit(ClaveComprobante::FormateaSucursal(gUtil.ConvierteDoble(Sucursal))) + u',' +
              Lit(ClaveComprobante::FormateaNumero(numero - 1)) + u',' + Lit(L) + QStringLiteral(")\r\n");
    // The caller's batch is kept: the statements are appended to it.
    ClsDatos::AgregaSentencia(TextoLote, lote, ClsDatos::Union::Linea);
    grabado = true;
  });
  gDatos.CierraRecordset(rs);
  return grabado;
}
