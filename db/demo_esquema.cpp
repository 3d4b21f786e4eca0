#include <sqlite3.h>

#include <QFile>

#include "demo_db.h"
#include "demo_sqlite.h"
#include "platform/sqlite_funciones.h"
#include "platform/vb_error.h"

namespace demo {

extern const char* const kEsquema;

BaseSqlite::BaseSqlite(const QString& archivo) {
  if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    QString m = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    db = nullptr;
    vb::Raise(vb::ErrProvider, QStringLiteral("No se pudo crear %1: %2").arg(archivo, m));
  }
  sqlite_sql::RegistraFunciones(db);
}

BaseSqlite::~BaseSqlite() { sqlite3_close(db); }

void BaseSqlite::Ejecuta(const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    vb::Raise(vb::ErrProvider, m);
  }
}

void CreaEsquema(const QString& archivo) {
  QFile::remove(archivo);
  BaseSqlite b(archivo);
  b.Ejecuta("PRAGMA journal_mode = DELETE");
  b.Ejecuta("BEGIN");
  b.Ejecuta(kEsquema);
  b.Ejecuta("COMMIT");
}

}  // namespace demo
