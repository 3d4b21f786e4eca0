// Databases reached through the ODBC driver manager: the production server
// (through FreeTDS), and any source an explicit connection text names.
#include <sql.h>
#include <sqlext.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QUuid>
#include <algorithm>
#include <map>

#include "platform/ado.h"
#include "platform/cursor_espera.h"
#include "platform/sql_adapter.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

namespace ado {

namespace {

// Whether a driver's failure is a lock held by another user or a statement
// that ran out of time waiting: the server's lock time-out (1222), the
// query time-out state (HYT00) or an embedded engine's lock.
bool EsBloqueo(const QSqlError& e) {
  const QString t = e.nativeErrorCode() + u' ' + e.text();
  return t.contains(QLatin1String("HYT00")) || t.contains(QLatin1String("1222")) ||
         t.contains(QLatin1String("timeout expired"), Qt::CaseInsensitive) ||
         t.contains(QLatin1String("database is locked"), Qt::CaseInsensitive);
}

class MotorOdbc : public Motor {
 public:
  MotorOdbc(const QString& cadena, int segundosConexion);
  ~MotorOdbc() override;

  Resultado Ejecuta(const QString& sql) override;
  Resultado Lee(const QString& sql) override;
  Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) override;
  Resultado LeePreparada(const QString& sql, const QVariantList& valores) override;
  bool EsSqlite() const override { return false; }
  void FijaTiempoEspera(int segundos) override { segundos_ = std::max(0, segundos); }
  void FijaBaseDefecto(const QString& base) override;
  void IniciaTransaccion(Bloqueo bloqueo) override;
  void ConfirmaTransaccion() override;
  void DeshaceTransaccion() override;
  bool EnTransaccion() const override { return enTransaccion_; }

 private:
  [[noreturn]] void Falla(const QSqlError& e, const QString& sql);
  Resultado Lee(QSqlQuery& q);
  // Runs one statement as the server receives it.
  Resultado Una(const QString& sql);
  // The statement's time limit: the server gives up on a statement that
  // takes longer than the connection's CommandTimeout.
  void FijaLimite(QSqlQuery& q) const;
  void Asegura();
  QSqlDatabase Base() const { return QSqlDatabase::database(nombre_, false); }
  QString nombre_;
  int segundos_ = 30;
  bool enTransaccion_ = false;
  std::map<QString, QSqlQuery> preparadas_;
};

MotorOdbc::MotorOdbc(const QString& cadena, int segundosConexion)
    : nombre_(QStringLiteral("odbc-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre_);
  if (!db.isValid()) {
    QSqlDatabase::removeDatabase(nombre_);
    vb::Raise(vb::ErrProvider, QStringLiteral("No está instalado el acceso ODBC (controlador QODBC de Qt)."),
              QStringLiteral("ODBC"));
  }
  db.setDatabaseName(cadena);
  db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(segundosConexion));
  if (!db.open()) {
    QString m = db.lastError().text();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(nombre_);
    vb::Raise(vb::ErrProvider, m, QStringLiteral("ODBC"));
  }
}

MotorOdbc::~MotorOdbc() {
  preparadas_.clear();
  {
    QSqlDatabase db = Base();
    if (enTransaccion_) db.rollback();
    db.close();
  }
  QSqlDatabase::removeDatabase(nombre_);
}

void MotorOdbc::Falla(const QSqlError& e, const QString& sql) {
  FallaSentencia(e.text(), EsBloqueo(e), sql, QStringLiteral("ODBC"));
}

void MotorOdbc::FijaLimite(QSqlQuery& q) const {
  const QVariant h = q.result() ? q.result()->handle() : QVariant();
  if (!h.isValid() || !h.constData()) return;
  SQLHANDLE stmt = *static_cast<const SQLHANDLE*>(h.constData());
  if (stmt)
    SQLSetStmtAttr(stmt, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(segundos_)), 0);
}

Resultado MotorOdbc::Lee(QSqlQuery& q) {
  Resultado r;
  if (!q.isSelect()) {
    r.filasAfectadas = q.numRowsAffected();
    return r;
  }
  QSqlRecord rec = q.record();
  QStringList nombres;
  std::vector<int> tamanos;
  for (int i = 0; i < rec.count(); ++i) {
    nombres << rec.fieldName(i);
    tamanos.push_back(std::max(0, rec.field(i).length()));
  }
  r.columnas = std::make_shared<Columnas>(nombres, std::move(tamanos));
  while (q.next())
    for (int i = 0; i < rec.count(); ++i) r.valores.push_back(q.value(i));
  return r;
}

Resultado MotorOdbc::Una(const QString& sql) {
  QSqlQuery q(Base());
  q.setForwardOnly(true);
  // Prepared first, so the time limit is set on the statement before it runs.
  if (!q.prepare(sql)) Falla(q.lastError(), sql);
  FijaLimite(q);
  CursorEspera espera;
  espera.Muestra();
  if (!q.exec()) Falla(q.lastError(), sql);
  return Lee(q);
}

void MotorOdbc::Asegura() {
  try {
    DeshaceTransaccion();
  } catch (const vb::Error&) {
  }
}

Resultado MotorOdbc::Ejecuta(const QString& sql) {
  const QStringList sentencias = sqlite_sql::Divide(sql);
  // A batch runs in a transaction of its own, unless one is open already.
  const bool propia = sentencias.size() > 1 && !enTransaccion_;
  Resultado r;
  try {
    if (propia) IniciaTransaccion(Bloqueo::EscrituraPrimero);
    for (const QString& s : sentencias) {
      Resultado parcial = Una(s);
      if (parcial.columnas) r = std::move(parcial);
      else r.filasAfectadas = parcial.filasAfectadas;
    }
    if (propia) ConfirmaTransaccion();
  } catch (...) {
    Asegura();
    throw;
  }
  return r;
}

// A read the server is not to run: refused before it reaches the server.
void ExigeLectura(const QString& sql) {
  const QString motivo = sqlite_sql::MotivoNoLectura(sql);
  if (!motivo.isEmpty())
    vb::Raise(vb::ErrProvider, motivo + QStringLiteral(": no se ejecutó."), QStringLiteral("ODBC"),
              QStringLiteral("Sentencia: ") + SentenciaRecortada(sql));
}

Resultado MotorOdbc::Lee(const QString& sql) {
  ExigeLectura(sql);
  try {
    return Una(sql);
  } catch (...) {
    Asegura();
    throw;
  }
}

Resultado MotorOdbc::EjecutaPreparada(const QString& sql, const QVariantList& valores) {
  try {
    auto it = preparadas_.find(sql);
    if (it == preparadas_.end()) {
      QSqlQuery q(Base());
      q.setForwardOnly(true);
      if (!q.prepare(sql)) Falla(q.lastError(), sql);
      it = preparadas_.emplace(sql, std::move(q)).first;
    }
    QSqlQuery& q = it->second;
    for (int i = 0; i < valores.size(); ++i) q.bindValue(i, valores[i]);
    FijaLimite(q);
    CursorEspera espera;
    espera.Muestra();
    if (!q.exec()) Falla(q.lastError(), sql);
    Resultado r = Lee(q);
    q.finish();
    return r;
  } catch (...) {
    Asegura();
    throw;
  }
}

Resultado MotorOdbc::LeePreparada(const QString& sql, const QVariantList& valores) {
  ExigeLectura(sql);
  return EjecutaPreparada(sql, valores);
}

void MotorOdbc::IniciaTransaccion(Bloqueo) {
  // The server takes its locks as the statements need them.
  if (enTransaccion_)
    vb::Raise(vb::ErrProvider, QStringLiteral("Ya hay una transacción abierta en la conexión."), QStringLiteral("ODBC"));
  QSqlDatabase db = Base();
  if (!db.transaction()) Falla(db.lastError(), QStringLiteral("BEGIN TRANSACTION"));
  enTransaccion_ = true;
}

void MotorOdbc::ConfirmaTransaccion() {
  if (!enTransaccion_)
    vb::Raise(vb::ErrProvider, QStringLiteral("No hay ninguna transacción abierta que confirmar."),
              QStringLiteral("ODBC"));
  QSqlDatabase db = Base();
  CursorEspera espera;
  espera.Muestra();
  if (!db.commit()) {
    const QSqlError e = db.lastError();
    Asegura();
    Falla(e, QStringLiteral("COMMIT"));
  }
  enTransaccion_ = false;
}

void MotorOdbc::DeshaceTransaccion() {
  if (!enTransaccion_) return;
  enTransaccion_ = false;
  // Statements kept open would hold the server's cursors.
  for (auto& p : preparadas_) p.second.finish();
  QSqlDatabase db = Base();
  if (!db.rollback())
    vb::Raise(vb::ErrProvider, QStringLiteral("No se pudo deshacer la transacción abierta: %1").arg(db.lastError().text()),
              QStringLiteral("ODBC"));
}

void MotorOdbc::FijaBaseDefecto(const QString& base) {
  QSqlDatabase db = Base();
  if (base.isEmpty() || db.driver()->dbmsType() != QSqlDriver::MSSqlServer) return;
  QString nombre = base;
  nombre.replace(u']', QStringLiteral("]]"));
  Ejecuta(QStringLiteral("USE [%1]").arg(nombre));
}

}  // namespace

std::unique_ptr<Motor> AbreOdbc(const QString& cadena, int segundosConexion) {
  return std::make_unique<MotorOdbc>(cadena, segundosConexion);
}

}  // namespace ado
