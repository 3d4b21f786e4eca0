// Search, listing and approval of daily reports on generated databases of
// 1,000 / 10,000 / 100,000 reports. Each figure is printed with its ratio to
// reading the same rows in one bare SQLite query, so the numbers hold on a
// noisy machine.
#include <benchmark/benchmark.h>

#include "bench_comun.h"
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <map>

#include "approval/frm_zamolid.h"
#include "demo_db.h"
#include "demo_sqlite.h"
#include "platform/aplicacion.h"
#include "platform/controles/listview.h"
#include "platform/controles/textbox.h"
#include "platform/interaccion_guionada.h"
#include "platform/programa.h"
#include "session/mod_global.h"

namespace {

QString CarpetaDatos(int reportes) {
  const QString carpeta = QDir::temp().filePath(QStringLiteral("zamolid-bench-%1").arg(reportes));
  QDir().mkpath(carpeta);
  const QString base = QDir(carpeta).filePath(QStringLiteral("demo.db"));
  if (!QFile::exists(base)) {
    demo::Opciones o;
    o.reportes = reportes;
    o.articulos = 200;
    demo::CreaBaseDemo(base, o);
  }
  return carpeta;
}

// The main window loaded on the database of that size.
FrmZamolid& Ventana(int reportes) {
  static std::map<int, bool> hecho;
  const QString carpeta = CarpetaDatos(reportes);
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    if (hecho[reportes]) return *w;
    w->hide();
    FrmZamolid::LiberaGlobal();
  }
  hecho.clear();
  hecho[reportes] = true;
  ReiniciaEstadoGlobal();
  programa::FijaCarpeta(carpeta);
  programa::FijaLineaDeComando(QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"));
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  return w;
}

void Listado(benchmark::State& state) {
  const int reportes = static_cast<int>(state.range(0));
  FrmZamolid& w = Ventana(reportes);
  const double desnuda =
      LecturaDesnuda(QDir(CarpetaDatos(reportes)).filePath("demo.db"), "SELECT * FROM V_MV_DIARIOS ORDER BY IDDIARIO");
  for (auto _ : state) {
    w.CmdBuscar_Click();
    benchmark::DoNotOptimize(w.ListView1->ListItems().Count());
  }
  state.counters["lineas"] = w.ListView1->ListItems().Count();
  state.counters["desnuda_ms"] = desnuda * 1e3;
  state.counters["ratio_vs_desnuda"] =
      benchmark::Counter(desnuda, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BusquedaPorFecha(benchmark::State& state) {
  const int reportes = static_cast<int>(state.range(0));
  FrmZamolid& w = Ventana(reportes);
  const double desnuda = LecturaDesnuda(QDir(CarpetaDatos(reportes)).filePath("demo.db"),
                                        "SELECT * FROM V_MV_DIARIOS WHERE FECHA >= '2026-10-01' ORDER BY IDDIARIO");
  w.txtFields(8).SetText(QStringLiteral("01/10/2026"));
  for (auto _ : state) {
    w.CmdBuscar_Click();
    benchmark::DoNotOptimize(w.ListView1->ListItems().Count());
  }
  w.txtFields(8).clear();
  state.counters["lineas"] = w.ListView1->ListItems().Count();
  state.counters["ratio_vs_desnuda"] =
      benchmark::Counter(desnuda, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Aprobacion1000(benchmark::State& state) {
  FrmZamolid& w = Ventana(1000);
  const QString archivo = QDir(CarpetaDatos(1000)).filePath("demo.db");
  const double desnuda = LecturaDesnuda(archivo, "SELECT * FROM V_MV_DIARIOS ORDER BY IDDIARIO");
  // Every report pending at the start of each run.
  for (auto _ : state) {
    state.PauseTiming();
    gDatos.Ejecuta(QStringLiteral("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL"));
    w.CargarComprobantes(QString());
    for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i) w.ListView1->ListItems()(i)->SetChecked(true);
    w.txtFields(11).SetText(QStringLiteral("Bench"));
    state.ResumeTiming();
    w.ProcesoAprobacion();
  }
  state.counters["ratio_vs_desnuda"] =
      benchmark::Counter(desnuda, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// From nothing to the main window shown and ready: the start-up (connection,
// look-up file, configuration) and the window's load.
void Arranque(benchmark::State& state) {
  const QString carpeta = CarpetaDatos(1000);
  const double desnuda = LecturaDesnuda(QDir(carpeta).filePath("demo.db"), "SELECT * FROM TA_CONFIGURACION");
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
  }
  for (auto _ : state) {
    ReiniciaEstadoGlobal();
    programa::FijaCarpeta(carpeta);
    programa::FijaLineaDeComando(QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"));
    FrmZamolid& w = FrmZamolid::Global();
    w.Show();
    benchmark::DoNotOptimize(w.isVisible());
    state.PauseTiming();
    w.hide();
    FrmZamolid::LiberaGlobal();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  state.counters["ratio_vs_desnuda"] =
      benchmark::Counter(desnuda, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(Listado)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BusquedaPorFecha)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(Aprobacion1000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(Arranque)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
  const int r = CorreBenchmarks(argc, argv);
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
  }
  return r;
}
