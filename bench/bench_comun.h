#pragma once
// What the benchmarks share: the bare SQLite reading their figures are
// compared with, and a main that runs them headless.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "demo_sqlite.h"
#include "platform/aplicacion.h"
#include "platform/cls_entorno.h"
#include "platform/interaccion_guionada.h"

// Seconds to read every column of every row of the statement on a plain
// connection (the best of five runs).
inline double LecturaDesnuda(const QString& archivo, const char* sql) {
  demo::BaseSqlite b(archivo);
  double mejor = 1e9;
  for (int vez = 0; vez < 5; ++vez) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(b.db, sql, -1, &st, nullptr);
    long total = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      const int n = sqlite3_column_count(st);
      for (int i = 0; i < n; ++i) total += sqlite3_column_bytes(st, i);
    }
    sqlite3_finalize(st);
    benchmark::DoNotOptimize(total);
    mejor = std::min(mejor, t.nsecsElapsed() / 1e9);
  }
  return mejor;
}

// Runs the registered benchmarks on the offscreen platform, with scripted
// interactions so that nothing waits for a person. alTerminar runs while the
// application still stands (to release widgets the benchmarks kept).
inline int CorreBenchmarks(int argc, char** argv, const std::function<void()>& alTerminar = {}) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Aplicacion app(argc, argv);
  gEntorno.FijaIdentidad(QStringLiteral("bench"), QStringLiteral("bench"));
  Interaccion::Instala(std::make_unique<InteraccionGuionada>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (alTerminar) alTerminar();
  return 0;
}
