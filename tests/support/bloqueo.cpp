#include "support/bloqueo.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <chrono>

#include "platform/cursor_espera.h"

namespace {
long long AhoraMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

long long LeeAjeno(const QString& archivo, const char* sql) {
  sqlite3* db = nullptr;
  long long r = -1;
  if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      r = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return r;
}

BloqueoAjeno::BloqueoAjeno(const QString& archivo, Tipo tipo) {
  hilo_ = std::thread([this, archivo, tipo] { Corre(archivo, tipo); });
  while (!tomado_.load() && !fallo_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(fallo_.load()) << "the other program could not take its lock on " << archivo.toStdString();
}

BloqueoAjeno::~BloqueoAjeno() { Suelta(); }

void BloqueoAjeno::SueltaEn(int milisegundos) { soltarEnMs_ = AhoraMs() + milisegundos; }

void BloqueoAjeno::SueltaAlVerEspera(int limiteMilisegundos) {
  alVerEspera_ = true;
  soltarEnMs_ = AhoraMs() + limiteMilisegundos;
}

void BloqueoAjeno::Suelta() {
  soltar_ = true;
  if (hilo_.joinable()) hilo_.join();
}

void BloqueoAjeno::Corre(QString archivo, Tipo tipo) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    fallo_ = true;
    return;
  }
  const char* toma = tipo == Tipo::Lectura     ? "BEGIN; SELECT count(*) FROM sqlite_master;"
                     : tipo == Tipo::Escritura ? "BEGIN IMMEDIATE"
                                               : "BEGIN EXCLUSIVE";
  if (sqlite3_exec(db, toma, nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    fallo_ = true;
    return;
  }
  tomado_ = true;
  for (;;) {
    if (soltar_.load()) break;
    if (alVerEspera_.load() && CursorEspera::Visible()) {
      vioEspera_ = true;
      break;
    }
    const long long limite = soltarEnMs_.load();
    if (limite >= 0 && AhoraMs() >= limite) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}
