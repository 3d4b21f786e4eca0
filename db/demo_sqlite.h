#pragma once
// A plain SQLite handle for building databases, with the program's
// collation and functions registered.
#include <QString>

struct sqlite3;

namespace demo {

struct BaseSqlite {
  explicit BaseSqlite(const QString& archivo);
  ~BaseSqlite();
  BaseSqlite(const BaseSqlite&) = delete;
  BaseSqlite& operator=(const BaseSqlite&) = delete;
  // Runs one or more statements; raises on failure.
  void Ejecuta(const char* sql);
  sqlite3* db = nullptr;
};

}  // namespace demo
