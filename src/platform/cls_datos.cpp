#include "platform/cls_datos.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>

#include "platform/cls_util.h"
#include "platform/espera_bloqueo.h"
#include "platform/interaccion.h"
#include "platform/programa.h"
#include "platform/vb.h"

ClsDatos gDatos;

namespace {

// A value inside braces for an ODBC connection text.
QString EntreLlaves(const QString& v) {
  QString t = v;
  t.replace(u'}', QStringLiteral("}}"));
  return u'{' + t + u'}';
}

// The value of a key of an OLE DB / ODBC connection text.
QString ValorDeCadena(const QString& cadena, const QString& clave) {
  for (const QString& parte : cadena.split(u';')) {
    int igual = parte.indexOf(u'=');
    if (igual > 0 && vb::Igual(parte.left(igual).trimmed(), clave)) return parte.mid(igual + 1).trimmed();
  }
  return QString();
}

// Tells the person why the connection is not as asked, on screen and on
// standard error.
void Avisa(const QString& mensaje, int icono) {
  Interaccion::Actual().AvisoAlOperador(mensaje, icono, QStringLiteral("Aviso al Operador"));
}

}  // namespace

bool ClsDatos::EsSqlite() const { return !conexion_.Motor() || conexion_.Motor()->EsSqlite(); }

QString ClsDatos::CadenaSqlServer() const {
  // A named instance has a port of its own: no port is forced on it unless
  // one was given.
  QString puerto = vb::Trim(Puerto);
  if (puerto.isEmpty() && !Servidor.contains(u'\\')) puerto = QStringLiteral("1433");
  return CadenaSqlServer(vb::Trim(Servidor), puerto);
}

QString ClsDatos::CadenaSqlServer(const QString& servidor, const QString& puerto) const {
  return QStringLiteral("DRIVER={FreeTDS};SERVER=%1;%2DATABASE=%3;UID=%4;PWD=%5;TDS_Version=7.4;")
      .arg(EntreLlaves(servidor), puerto.isEmpty() ? QString() : QStringLiteral("PORT=%1;").arg(puerto),
           EntreLlaves(BaseDeDatos), EntreLlaves(Usuario), EntreLlaves(Password));
}

bool ClsDatos::Conectar(bool sinServidor, int, const QString& cadenaConexion) {
  conexion_.Close();
  if (sinServidor && vb::Trim(cadenaConexion).isEmpty() && vb::Trim(BaseDeDatos).isEmpty()) {
    // An empty or stray command line: what is missing, and the form of a
    // line that works.
    Avisa(QStringLiteral("No se indicó la base de datos: la clave @DbName de la línea de comandos falta o está vacía.\n\n"
                         "El programa se inicia con una línea de comandos de esta forma:\n"
                         "@Server=; @DbName=demo.db; @Usuario=…; @Password=…;\n\n"
                         "Con @Server vacío, @DbName es el archivo de la base de datos (en la carpeta del programa "
                         "cuando no lleva ruta); con @Server=servidor (servidor:puerto, servidor\\INSTANCIA) es la "
                         "base de datos de SQL Server."),
          vbmsg::Critical);
    return false;
  }
  QString destino;
  try {
    if (!vb::Trim(cadenaConexion).isEmpty()) {
      QString odbc = cadenaConexion;
      if (vb::Contiene(cadenaConexion, QStringLiteral("OraOLEDB"))) {
        destino = QStringLiteral("el servidor Oracle %1").arg(ValorDeCadena(cadenaConexion, QStringLiteral("Data Source")));
        odbc = QStringLiteral("DRIVER={Oracle};DBQ=%1;UID=%2;PWD=%3;")
                   .arg(EntreLlaves(ValorDeCadena(cadenaConexion, QStringLiteral("Data Source"))),
                        EntreLlaves(ValorDeCadena(cadenaConexion, QStringLiteral("User Id"))),
                        EntreLlaves(ValorDeCadena(cadenaConexion, QStringLiteral("Password"))));
      } else {
        destino = QStringLiteral("el origen de datos ODBC indicado");
      }
      conexion_.Abre(ado::AbreOdbc(odbc, SegundosConexion), cadenaConexion);
    } else if (sinServidor) {
      QString archivo = BaseDeDatos;
      if (QDir::isRelativePath(archivo)) archivo = QDir(programa::Carpeta()).filePath(archivo);
      destino = QStringLiteral("la base de datos %1").arg(archivo);
      conexion_.Abre(ado::AbreSqlite(archivo, conexion_.CommandTimeout()), QStringLiteral("Data Source=%1").arg(archivo));
    } else {
      destino = QStringLiteral("el servidor %1").arg(Servidor);
      // The whole attempt within the login time: a named instance's port is
      // asked of the server's browser service first (the driver's own
      // look-up knows no deadline), and the login gets what time is left.
      const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(SegundosConexion);
      QString cadena = CadenaSqlServer(), puerto = vb::Trim(Puerto);
      const QString servidor = vb::Trim(Servidor);
      const qsizetype barra = servidor.indexOf(u'\\');
      if (barra >= 0 && puerto.isEmpty()) {
        puerto = QString::number(
            navegador_sql::PuertoDeInstancia(servidor.left(barra), servidor.mid(barra + 1), PuertoNavegador, limite));
        cadena = CadenaSqlServer(servidor.left(barra), puerto);
      }
      if (!puerto.isEmpty()) destino += QStringLiteral(" (puerto %1)").arg(puerto);
      const auto resto = std::chrono::ceil<std::chrono::seconds>(limite - std::chrono::steady_clock::now()).count();
      conexion_.Abre(ado::AbreOdbc(cadena, static_cast<int>(std::max<decltype(resto)>(resto, 1))),
                     QStringLiteral("Server=%1;Database=%2;User Id=%3").arg(Servidor, BaseDeDatos, Usuario));
    }
  } catch (const vb::Error& e) {
    conexion_.Close();
    Avisa(QStringLiteral("No se pudo conectar con %1.\n\n%2").arg(destino, e.Description), vbmsg::Critical);
    return false;
  }
  const QString sinEscritura = conexion_.Motor()->MotivoSinEscritura();
  if (!sinEscritura.isEmpty())
    Avisa(QStringLiteral("La base de datos %1 %2. Se podrá consultar, pero no se podrá grabar ningún cambio.")
              .arg(BaseDeDatos, sinEscritura),
          vbmsg::Exclamation);
  return true;
}

void ClsDatos::Desconecta() { conexion_.Close(); }

void ClsDatos::AbreRecordset(const QString& sql, Recordset& rs, Connection* con, int, int, int) {
  Connection& c = con ? *con : conexion_;
  rs = c.Lee(sql);
}

void ClsDatos::AbreRecordsetPreparado(const QString& sql, const QVariantList& valores, Recordset& rs) {
  rs = conexion_.LeePreparada(sql, valores);
}

void ClsDatos::RecorreRecordset(const QString& sql, const ado::Motor::Fila& fila) { conexion_.Recorre(sql, fila); }

void ClsDatos::CierraRecordset(Recordset& rs) {
  if (rs.Abierto()) rs.Close();
}

void ClsDatos::Ejecuta(const QString& sql) { conexion_.Execute(sql); }

QString ClsDatos::ComparaCodigo(const QString& campo) const {
  // Codes are stored right-aligned in blanks; a typed code has none.
  if (EsSqlite()) return QStringLiteral("LTRIM(%1) COLLATE CI = LTRIM(?)").arg(campo);
  return QStringLiteral("LTRIM(RTRIM(%1)) = LTRIM(RTRIM(?))").arg(campo);
}

QString ClsDatos::CodigoEnLista(const QString& campo, const QString& lista) const {
  if (EsSqlite()) return QStringLiteral("LTRIM(%1) COLLATE CI IN ").arg(campo) + lista;
  return QStringLiteral("LTRIM(RTRIM(%1)) IN ").arg(campo) + lista;
}

bool ClsDatos::BuscaRegistros(const QString& tabla, const QString& valor, const QString& campo, Recordset& rs,
                              int, const QString& condicion) {
  QString sql = QStringLiteral("SELECT * FROM ") + tabla;
  QVariantList valores;
  static const QRegularExpression conWhere(QStringLiteral("^\\s*WHERE\\b"), QRegularExpression::CaseInsensitiveOption);
  QString extra = condicion.trimmed();
  const bool traeWhere = conWhere.match(extra).hasMatch();
  if (traeWhere) extra = extra.mid(conWhere.match(extra).capturedEnd()).trimmed();
  if (!vb::Trim(campo).isEmpty()) {
    sql += QStringLiteral(" WHERE ") + ComparaCodigo(campo);
    valores << valor;
    if (!extra.isEmpty()) sql += QStringLiteral(" AND (") + extra + u')';
  } else if (!extra.isEmpty()) {
    sql += QStringLiteral(" WHERE ") + extra;
  }
  if (valores.isEmpty())
    AbreRecordset(sql, rs);
  else
    AbreRecordsetPreparado(sql, valores, rs);
  return !rs.Bof();
}

QVariant ClsDatos::ObtieneValor(const QString& tabla, const QString& valorClave, const QString& campoResultado,
                                const QString& campoClave, int, const QString& condicion) {
  QString sql = QStringLiteral("SELECT ") + campoResultado + QStringLiteral(" FROM ") + tabla +
                QStringLiteral(" WHERE ") + ComparaCodigo(campoClave);
  if (!vb::Trim(condicion).isEmpty()) sql += QStringLiteral(" AND (") + condicion + u')';
  Recordset rs;
  AbreRecordsetPreparado(sql, {valorClave}, rs);
  if (rs.Bof()) return QString();
  return gUtil.ValorCampo(rs.Fields(0));
}

QString ClsDatos::MuestraConsulta(const QString&, long& n, QString& codigo, const QString&, const QString&) {
  // The pick list has already shown the rows: this only confirms the pick.
  // The code is left exactly as the pick returned it.
  n = vb::Trim(codigo).isEmpty() ? 0 : 1;
  return QString();
}

QString ClsDatos::Literal(const QString& texto) { return u'\'' + EntreComillas(texto) + u'\''; }

QString ClsDatos::EntreComillas(const QString& texto) {
  QString t = vb::SinMitadesSueltas(texto);
  t.replace(u'\'', QStringLiteral("''"));
  t.replace(QChar(0), QStringLiteral("'+CHAR(0)+'"));
  return t;
}

QString ClsDatos::DeshaceLiteral(const QString& texto) {
  const QString t = vb::Trim(texto);
  if (t.size() < 2 || !t.startsWith(u'\'') || !t.endsWith(u'\'')) return t;
  static const QString kNul = QStringLiteral("'+CHAR(0)+'");
  QString r;
  r.reserve(t.size());
  for (qsizetype i = 1; i + 1 < t.size(); ++i) {
    if (t[i] == u'\'' && t[i + 1] == u'\'' && i + 2 < t.size()) {
      ++i;  // a doubled quote
    } else if (QStringView(t).mid(i).startsWith(kNul) && i + kNul.size() < t.size()) {
      r += QChar(0);
      i += kNul.size() - 1;
      continue;
    }
    r += t[i];
  }
  return r;
}

void ClsDatos::AgregaSentencia(QString& lote, const QString& sentencia, Union forma) {
  if (forma == Union::Retorno) lote += u'\r';
  else if (!lote.isEmpty() && !lote.endsWith(u'\r') && !lote.endsWith(u'\n')) lote += QStringLiteral("\r\n");
  lote += sentencia;
}

QString ClsDatos::Numero(double valor) {
  QString t = QString::number(valor, 'f', 10);
  if (t.contains(u'.')) {
    while (t.endsWith(u'0')) t.chop(1);
    if (t.endsWith(u'.')) t.chop(1);
  }
  if (t == QLatin1String("-0")) t = QStringLiteral("0");
  return t;
}

QString ClsDatos::ValorSQL(const QVariant& valor, const QString& tipo) const {
  if (!valor.isValid() || valor.isNull()) return tipo.isEmpty() ? QString() : QStringLiteral("NULL");
  const QString texto = vb::Texto(valor);
  if (tipo == QLatin1String("'")) return Literal(texto);
  if (tipo == QLatin1String("@")) {
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Int ||
        valor.typeId() == QMetaType::LongLong)
      return Numero(valor.toDouble());
    return Numero(gUtil.ConvierteDoble(texto));
  }
  return texto;
}

QString ClsDatos::LiteralLike(const QString& texto) const {
  QString t = texto;
  t.replace(u'[', QStringLiteral("[[]"));
  t.replace(u'%', QStringLiteral("[%]"));
  t.replace(u'_', QStringLiteral("[_]"));
  return EntreComillas(t);
}

LecturaAgrupada::LecturaAgrupada() {
  // Not from inside a statement's wait for a lock: the reads are refused then.
  if (espera_bloqueo::Atendiendo()) return;
  if (ado::Motor* m = gDatos.Conexion().Motor()) abierta_ = m->IniciaLectura();
}

LecturaAgrupada::~LecturaAgrupada() {
  if (!abierta_) return;
  if (ado::Motor* m = gDatos.Conexion().Motor()) m->TerminaLectura();
}
