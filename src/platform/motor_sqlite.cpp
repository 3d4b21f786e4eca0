// The embedded database: an SQLite file reached through its C library, with
// the server-like collation and functions registered on the connection and
// each text adapted from the server's dialect when it runs.
#include <sqlite3.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <list>
#include <unordered_map>

#include "platform/ado.h"
#include "platform/sql_adapter.h"
#include "platform/sqlite_funciones.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

namespace ado {

namespace {

constexpr size_t kSentenciasGuardadas = 64;

class MotorSqlite : public Motor {
 public:
  explicit MotorSqlite(const QString& archivo);
  ~MotorSqlite() override;

  Resultado Ejecuta(const QString& sql) override;
  Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) override;
  void Recorre(const QString& sql, const Fila& fila) override;
  bool EsSqlite() const override { return true; }
  void FijaTiempoEspera(int segundos) override { sqlite3_busy_timeout(db_, segundos * 1000); }
  bool SoloLectura() const override { return sqlite3_db_readonly(db_, "main") == 1; }
  bool IniciaLectura() override;
  void TerminaLectura() override;

 private:
  struct Preparada {
    sqlite3_stmt* stmt = nullptr;
    std::shared_ptr<const Columnas> columnas;
    std::vector<bool> esFecha;
  };
  [[noreturn]] void Falla(const QString& sql);
  void Corre(Preparada& p, Resultado& r, const QString& sql);
  void Prepara(const QString& sql, Preparada& p, const char** resto = nullptr, const QByteArray* utf8 = nullptr);
  void Describe(Preparada& p);
  void EjecutaSimple(const QString& sentencia, Resultado& r);

  sqlite3* db_ = nullptr;
  // Prepared statements kept by their text, the most recently used first.
  std::list<std::pair<QString, Preparada>> guardadas_;
  std::unordered_map<std::string, std::list<std::pair<QString, Preparada>>::iterator> porTexto_;
};

MotorSqlite::MotorSqlite(const QString& archivo) {
  QFileInfo fi(archivo);
  if (!fi.exists())
    vb::Raise(vb::ErrProvider, QStringLiteral("No existe el archivo de base de datos %1").arg(archivo),
              QStringLiteral("SQLite"));
  // One connection used by one thread: no mutexes.
  int rc = sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc != SQLITE_OK) {
    QString m = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("sin memoria");
    sqlite3_close(db_);
    db_ = nullptr;
    vb::Raise(vb::ErrProvider, QStringLiteral("No se pudo abrir la base de datos %1: %2").arg(archivo, m),
              QStringLiteral("SQLite"));
  }
  sqlite_sql::RegistraFunciones(db_);
  sqlite3_extended_result_codes(db_, 0);
  // Pages read through memory mapping and a larger page cache: listings
  // read thousands of small rows.
  sqlite3_exec(db_, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
  char* err = nullptr;
  rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db_));
    sqlite3_free(err);
    sqlite3_close(db_);
    db_ = nullptr;
    vb::Raise(vb::ErrProvider, QStringLiteral("El archivo %1 no es una base de datos válida: %2").arg(archivo, m),
              QStringLiteral("SQLite"));
  }
}

MotorSqlite::~MotorSqlite() {
  for (auto& g : guardadas_) sqlite3_finalize(g.second.stmt);
  sqlite3_close(db_);
}

void MotorSqlite::Falla(const QString& sql) {
  vb::Raise(vb::ErrProvider, QStringLiteral("%1 [%2]").arg(QString::fromUtf8(sqlite3_errmsg(db_)), sql),
            QStringLiteral("SQLite"));
}

void MotorSqlite::Describe(Preparada& p) {
  const int n = sqlite3_column_count(p.stmt);
  QStringList nombres;
  std::vector<int> tamanos(static_cast<size_t>(n), 0);
  p.esFecha.assign(n, false);
  for (int i = 0; i < n; ++i) {
    nombres << QString::fromUtf8(sqlite3_column_name(p.stmt, i));
    const char* tipo = sqlite3_column_decltype(p.stmt, i);
    if (tipo) {
      QByteArray t = QByteArray(tipo).toUpper();
      p.esFecha[i] = t.contains("DATE") || t.contains("TIME");
      // VARCHAR(50), CHAR(25), NUMERIC(19,4): the first number is the size.
      const int abre = t.indexOf('(');
      if (abre >= 0) {
        const QByteArray tamano = t.mid(abre + 1).split(',').first().split(')').first().trimmed();
        tamanos[static_cast<size_t>(i)] = std::max(0, tamano.toInt());
      }
    }
  }
  p.columnas = std::make_shared<Columnas>(nombres, std::move(tamanos));
}

void MotorSqlite::Prepara(const QString& sql, Preparada& p, const char** resto, const QByteArray* utf8) {
  QByteArray propio;
  if (!utf8) {
    propio = sql.toUtf8();
    utf8 = &propio;
  }
  if (sqlite3_prepare_v2(db_, utf8->constData(), utf8->size(), &p.stmt, resto) != SQLITE_OK) Falla(sql);
  if (p.stmt) Describe(p);
}

// The value of a column of the current row: dates of a column declared DATE
// or TIME become dates.
QVariant ValorDeColumna(sqlite3_stmt* st, int i, bool esFecha) {
  switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
      return static_cast<qlonglong>(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT:
      return sqlite3_column_double(st, i);
    case SQLITE_NULL:
      return QVariant();
    case SQLITE_BLOB:
      return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
    default: {
      QString t = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
      QDateTime d;
      if (esFecha && vb::ParseDateTime(t, d)) return d;
      return t;
    }
  }
}

void MotorSqlite::Corre(Preparada& p, Resultado& r, const QString& sql) {
  const int n = p.columnas ? p.columnas->nombres.size() : 0;
  bool filas = false;
  std::vector<QVariant> valores;
  valores.reserve(static_cast<size_t>(n) * 4);
  for (;;) {
    int rc = sqlite3_step(p.stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      sqlite3_reset(p.stmt);
      Falla(sql);
    }
    filas = true;
    for (int i = 0; i < n; ++i) valores.push_back(ValorDeColumna(p.stmt, i, p.esFecha[i]));
  }
  sqlite3_reset(p.stmt);
  if (n > 0 || filas) {
    r.columnas = p.columnas;
    r.valores = std::move(valores);
  } else {
    r.filasAfectadas = sqlite3_changes(db_);
  }
}

void MotorSqlite::EjecutaSimple(const QString& sentencia, Resultado& r) {
  QByteArray utf8 = sentencia.toUtf8();
  const char* inicio = utf8.constData();
  const char* fin = inicio + utf8.size();
  while (inicio < fin) {
    Preparada p;
    const char* resto = nullptr;
    QByteArray tramo(inicio, static_cast<int>(fin - inicio));
    Prepara(sentencia, p, &resto, &tramo);
    if (!p.stmt) break;  // only blanks or comments were left
    try {
      Resultado parcial;
      Corre(p, parcial, sentencia);
      if (parcial.columnas) r = std::move(parcial);
      else r.filasAfectadas = parcial.filasAfectadas;
    } catch (...) {
      sqlite3_finalize(p.stmt);
      throw;
    }
    sqlite3_finalize(p.stmt);
    inicio += resto - tramo.constData();
  }
}

Resultado MotorSqlite::Ejecuta(const QString& sql) {
  const QStringList sentencias = sqlite_sql::Adapta(sql);
  Resultado r;
  if (sentencias.size() <= 1) {
    if (!sentencias.isEmpty()) EjecutaSimple(sentencias.first(), r);
    return r;
  }
  // A batch runs whole or not at all (a savepoint, so it also nests inside a
  // transaction already open).
  if (sqlite3_exec(db_, "SAVEPOINT lote", nullptr, nullptr, nullptr) != SQLITE_OK) Falla(QStringLiteral("SAVEPOINT"));
  try {
    for (const QString& s : sentencias) EjecutaSimple(s, r);
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK TO lote; RELEASE lote", nullptr, nullptr, nullptr);
    throw;
  }
  if (sqlite3_exec(db_, "RELEASE lote", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(db_, "ROLLBACK TO lote; RELEASE lote", nullptr, nullptr, nullptr);
    Falla(QStringLiteral("RELEASE"));
  }
  return r;
}

bool MotorSqlite::IniciaLectura() {
  if (!sqlite3_get_autocommit(db_)) return false;  // already inside a transaction
  return sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void MotorSqlite::TerminaLectura() {
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

Resultado MotorSqlite::EjecutaPreparada(const QString& sql, const QVariantList& valores) {
  const std::string clave = sql.toStdString();
  auto it = porTexto_.find(clave);
  if (it == porTexto_.end()) {
    Preparada p;
    Prepara(sqlite_sql::AdaptaSentencia(sql), p);
    if (!p.stmt) vb::Raise(vb::ErrInvalidCall, QStringLiteral("Sentencia vacía"), QStringLiteral("SQLite"));
    guardadas_.emplace_front(sql, p);
    it = porTexto_.emplace(clave, guardadas_.begin()).first;
    if (guardadas_.size() > kSentenciasGuardadas) {
      sqlite3_finalize(guardadas_.back().second.stmt);
      porTexto_.erase(guardadas_.back().first.toStdString());
      guardadas_.pop_back();
    }
  } else if (it->second != guardadas_.begin()) {
    guardadas_.splice(guardadas_.begin(), guardadas_, it->second);
  }
  Preparada& p = guardadas_.front().second;
  sqlite3_clear_bindings(p.stmt);
  for (int i = 0; i < valores.size(); ++i) {
    const QVariant& v = valores[i];
    int rc;
    if (!v.isValid() || v.isNull()) {
      rc = sqlite3_bind_null(p.stmt, i + 1);
    } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Long) {
      rc = sqlite3_bind_int64(p.stmt, i + 1, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
      rc = sqlite3_bind_double(p.stmt, i + 1, v.toDouble());
    } else {
      QByteArray t = v.toString().toUtf8();
      rc = sqlite3_bind_text(p.stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Falla(sql);
  }
  Resultado r;
  Corre(p, r, sql);
  return r;
}

void MotorSqlite::Recorre(const QString& sql, const Fila& fila) {
  // Exactly one statement: a text that holds more is refused, not run.
  const QString sentencia = sqlite_sql::AdaptaSentencia(sql);
  const QByteArray utf8 = sentencia.toUtf8();
  Preparada p;
  const char* resto = nullptr;
  Prepara(sentencia, p, &resto, &utf8);
  struct Final {
    sqlite3_stmt* st;
    ~Final() { sqlite3_finalize(st); }
  } final{p.stmt};
  if (!p.stmt) vb::Raise(vb::ErrInvalidCall, QStringLiteral("Sentencia vacía"), QStringLiteral("SQLite"));
  if (!QByteArray(resto).trimmed().isEmpty())
    vb::Raise(vb::ErrInvalidCall, QStringLiteral("Una lectura no puede ejecutar más de una sentencia [%1]").arg(sql),
              QStringLiteral("SQLite"));
  const int n = p.columnas ? static_cast<int>(p.columnas->nombres.size()) : 0;
  // One row's values, reused from row to row: the memory of a value read is
  // the memory of the next.
  std::vector<QVariant> valores(static_cast<size_t>(n));
  for (;;) {
    const int rc = sqlite3_step(p.stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) Falla(sql);
    for (int i = 0; i < n; ++i) valores[static_cast<size_t>(i)] = ValorDeColumna(p.stmt, i, p.esFecha[i]);
    fila(valores.data(), n);
  }
}

}  // namespace

std::unique_ptr<Motor> AbreSqlite(const QString& archivo) { return std::make_unique<MotorSqlite>(archivo); }

}  // namespace ado
