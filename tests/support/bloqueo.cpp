#include "support/bloqueo.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <chrono>
#include <cstring>

#include "platform/cursor_espera.h"
#include "platform/espera_bloqueo.h"

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

void BloqueoAjeno::SueltaAlVerEspera(int limiteMilisegundos) {
  alVerEspera_ = true;
  soltarEnMs_ = AhoraMs() + limiteMilisegundos;
}

QString BloqueoAjeno::AvisoVisto() const {
  std::lock_guard<std::mutex> l(mutex_);
  return avisoVisto_;
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
      {
        std::lock_guard<std::mutex> l(mutex_);
        avisoVisto_ = espera_bloqueo::Aviso::Mostrado();
      }
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

namespace {
// The one BloqueoAlEmpezar alive, seen by the statements of every connection.
std::atomic<BloqueoAlEmpezar*> gAlEmpezar{nullptr};
using EntradaExtension = void (*)();
}  // namespace

BloqueoAlEmpezar::BloqueoAlEmpezar(QString archivo, BloqueoAjeno::Tipo tipo, QByteArray inicio)
    : archivo_(std::move(archivo)), tipo_(tipo), inicio_(std::move(inicio)) {
  EXPECT_EQ(gAlEmpezar.exchange(this), nullptr) << "one BloqueoAlEmpezar at a time";
  sqlite3_auto_extension(reinterpret_cast<EntradaExtension>(&BloqueoAlEmpezar::Engancha));
}

BloqueoAlEmpezar::~BloqueoAlEmpezar() {
  sqlite3_cancel_auto_extension(reinterpret_cast<EntradaExtension>(&BloqueoAlEmpezar::Engancha));
  gAlEmpezar = nullptr;
  otro_.reset();
}

int BloqueoAlEmpezar::Engancha(sqlite3* db, char**, const void*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &BloqueoAlEmpezar::AlEmpezar, nullptr);
  return SQLITE_OK;
}

int BloqueoAlEmpezar::AlEmpezar(unsigned tipo, void*, void* sentencia, void*) {
  BloqueoAlEmpezar* b = gAlEmpezar.load();
  if (tipo != SQLITE_TRACE_STMT || !b || !b->armado_.load()) return 0;
  const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(sentencia));
  if (!sql || std::strncmp(sql, b->inicio_.constData(), static_cast<size_t>(b->inicio_.size())) != 0) return 0;
  // The statement has not taken its own lock yet: the other program takes
  // its lock first (on a connection of its own, which this sees too).
  b->armado_ = false;
  b->otro_ = std::make_unique<BloqueoAjeno>(b->archivo_, b->tipo_);
  return 0;
}
