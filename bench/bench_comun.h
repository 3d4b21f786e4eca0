#pragma once
// What the benchmarks share: a temporary folder of their own, the bare
// SQLite reading their figures are compared with (on a connection set up as
// the program's own), the heap in use, the ratio counters and a main that
// runs them headless.
//
// Every figure is printed as a ratio to its bare counterpart measured in the
// same run (no time unit), so the numbers hold on a noisy machine.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "demo_db.h"
#include "demo_sqlite.h"
#include "lots/registro_lotes.h"
#include "platform/aplicacion.h"
#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/interaccion_guionada.h"

// A temporary folder of the benchmark's own with a demo database in it,
// removed when the benchmark program ends.
class CarpetaBench {
 public:
  explicit CarpetaBench(const demo::Opciones& o) {
    demo::CreaBaseDemo(Base(), o);
  }
  QString Ruta() const { return dir_.path(); }
  QString Base() const { return dir_.filePath(QStringLiteral("demo.db")); }

 private:
  QTemporaryDir dir_{QDir::temp().filePath(QStringLiteral("zamolid-bench-XXXXXX"))};
};

// The middle value of a set of timings.
inline double Mediana(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The program's connection settings that change how fast SQLite reads, as
// the connected database reports them: a bare connection takes the same.
struct AjustesSqlite {
  long long mmap = 0;
  long long cache = 0;
  static AjustesSqlite DelPrograma() {
    AjustesSqlite a;
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("PRAGMA mmap_size"), rs);
    if (!rs.Bof()) a.mmap = rs.Fields(0).Value().toLongLong();
    gDatos.AbreRecordset(QStringLiteral("PRAGMA cache_size"), rs);
    if (!rs.Bof()) a.cache = rs.Fields(0).Value().toLongLong();
    return a;
  }
};

// A bare connection: SQLite's own library with the program's collation and
// functions and the same settings, nothing else.
class BaseDesnuda {
 public:
  BaseDesnuda(const QString& archivo, const AjustesSqlite& a) : b_(archivo) {
    const QByteArray ajustes =
        QStringLiteral("PRAGMA mmap_size = %1; PRAGMA cache_size = %2").arg(a.mmap).arg(a.cache).toUtf8();
    sqlite3_exec(b_.db, ajustes.constData(), nullptr, nullptr, nullptr);
  }
  // Reads every column of every row of the statement; the rows read.
  long Lee(const QString& sql) {
    const QByteArray t = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(b_.db, t.constData(), t.size(), &st, nullptr) != SQLITE_OK) return -1;
    long filas = 0, total = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      ++filas;
      const int n = sqlite3_column_count(st);
      for (int i = 0; i < n; ++i) {
        benchmark::DoNotOptimize(sqlite3_column_text(st, i));
        total += sqlite3_column_bytes(st, i);
      }
    }
    sqlite3_finalize(st);
    benchmark::DoNotOptimize(total);
    return filas;
  }
  // Runs statements that return no rows; the rows they changed.
  long Ejecuta(const QString& sql) {
    const QByteArray t = sql.toUtf8();
    if (sqlite3_exec(b_.db, t.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) return -1;
    return sqlite3_total_changes(b_.db);
  }

 private:
  demo::BaseSqlite b_;
};

// Seconds to read the statement on a bare connection (the median of several
// runs). Warm: one connection read again and again; cold: a fresh connection
// for each run, as a window opened anew reads for the first time. The rows
// read go to filas.
inline double LecturaDesnuda(const QString& archivo, const QString& sql, const AjustesSqlite& a, bool fria,
                             long* filas = nullptr, int veces = 7) {
  std::vector<double> t;
  std::unique_ptr<BaseDesnuda> caliente;
  for (int vez = 0; vez < veces; ++vez) {
    std::unique_ptr<BaseDesnuda> propia;
    if (fria) propia = std::make_unique<BaseDesnuda>(archivo, a);
    else if (!caliente) caliente = std::make_unique<BaseDesnuda>(archivo, a);
    BaseDesnuda& b = fria ? *propia : *caliente;
    QElapsedTimer r;
    r.start();
    const long n = b.Lee(sql);
    t.push_back(r.nsecsElapsed() / 1e9);
    if (filas) *filas = n;
  }
  return Mediana(t);
}

// Runs the body once as one iteration of a manually timed benchmark; its
// time also goes to tiempos.
template <typename Cuerpo>
void Mide(benchmark::State& state, std::vector<double>& tiempos, Cuerpo&& cuerpo) {
  QElapsedTimer t;
  t.start();
  cuerpo();
  const double s = t.nsecsElapsed() / 1e9;
  state.SetIterationTime(s);
  tiempos.push_back(s);
}

// Bytes of heap in use.
inline double MemoriaEnUso() { return static_cast<double>(mallinfo2().uordblks); }

// A ratio as a plain number (no time unit attached).
inline void Proporcion(benchmark::State& state, const char* nombre, double medido, double desnudo) {
  state.counters[nombre] = benchmark::Counter(desnudo > 0 ? medido / desnudo : 0.0);
}

// Runs the registered benchmarks on the offscreen platform, with scripted
// interactions so that nothing waits for a person. alTerminar runs while the
// application still stands (to release widgets the benchmarks kept).
inline int CorreBenchmarks(int argc, char** argv, const std::function<void()>& alTerminar = {}) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Aplicacion app(argc, argv);
  RegistraDialogosLotes();
  gEntorno.FijaIdentidad(QStringLiteral("bench"), QStringLiteral("bench"));
  Interaccion::Instala(std::make_unique<InteraccionGuionada>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (alTerminar) alTerminar();
  return 0;
}
