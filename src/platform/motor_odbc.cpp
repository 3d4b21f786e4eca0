// Databases reached through the ODBC driver manager: the production server
// (through FreeTDS), and any source an explicit connection text names.
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <algorithm>
#include <map>

#include "platform/ado.h"
#include "platform/sql_adapter.h"
#include "platform/vb_error.h"

namespace ado {

namespace {

class MotorOdbc : public Motor {
 public:
  MotorOdbc(const QString& cadena, int segundosConexion);
  ~MotorOdbc() override;

  Resultado Ejecuta(const QString& sql) override;
  Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) override;
  bool EsSqlite() const override { return false; }
  void FijaBaseDefecto(const QString& base) override;

 private:
  [[noreturn]] void Falla(const QSqlError& e, const QString& sql);
  Resultado Lee(QSqlQuery& q);
  QString nombre_;
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
    QSqlDatabase db = QSqlDatabase::database(nombre_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(nombre_);
}

void MotorOdbc::Falla(const QSqlError& e, const QString& sql) {
  vb::Raise(vb::ErrProvider, QStringLiteral("%1 [%2]").arg(e.text(), sql), QStringLiteral("ODBC"));
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

Resultado MotorOdbc::Ejecuta(const QString& sql) {
  QSqlDatabase db = QSqlDatabase::database(nombre_, false);
  const QStringList sentencias = sqlite_sql::Divide(sql);
  const bool lote = sentencias.size() > 1;
  if (lote && !db.transaction()) Falla(db.lastError(), QStringLiteral("BEGIN TRANSACTION"));
  Resultado r;
  for (const QString& s : sentencias) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(s)) {
      QSqlError e = q.lastError();
      if (lote) db.rollback();
      Falla(e, s);
    }
    Resultado parcial = Lee(q);
    if (parcial.columnas) r = std::move(parcial);
    else r.filasAfectadas = parcial.filasAfectadas;
  }
  if (lote && !db.commit()) {
    QSqlError e = db.lastError();
    db.rollback();
    Falla(e, QStringLiteral("COMMIT"));
  }
  return r;
}

Resultado MotorOdbc::EjecutaPreparada(const QString& sql, const QVariantList& valores) {
  auto it = preparadas_.find(sql);
  if (it == preparadas_.end()) {
    QSqlQuery q(QSqlDatabase::database(nombre_, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql)) Falla(q.lastError(), sql);
    it = preparadas_.emplace(sql, std::move(q)).first;
  }
  QSqlQuery& q = it->second;
  for (int i = 0; i < valores.size(); ++i) q.bindValue(i, valores[i]);
  if (!q.exec()) Falla(q.lastError(), sql);
  Resultado r = Lee(q);
  q.finish();
  return r;
}

void MotorOdbc::FijaBaseDefecto(const QString& base) {
  QSqlDatabase db = QSqlDatabase::database(nombre_, false);
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
