// The main window on generated databases of 1,000 / 10,000 / 100,000
// reports: the first search of a window just opened (cold), the search
// repeated (warm), a search by date, the approval of 1,000 reports and the
// start-up of the program from its launch to its window on screen.
//
// Each figure is a ratio to its bare counterpart in the same run: the very
// statement the window runs, read on a bare SQLite connection set up as the
// program's (cold: a fresh connection, as the window's); for the approval a
// bare UPDATE of the same rows; for the start-up a bare process that opens
// the database and reads the configuration. The result each one measured is
// checked (lines listed, reports approved, a window shown).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <map>

#include "approval/frm_zamolid.h"
#include "bench_comun.h"
#include "platform/controles/listview.h"
#include "platform/controles/textbox.h"
#include "platform/programa.h"
#include "platform/sql_adapter.h"
#include "session/mod_global.h"

namespace {

// The database of each size, generated once per run in a folder of its own.
CarpetaBench& Datos(int reportes) {
  static std::map<int, std::unique_ptr<CarpetaBench>> carpetas;
  auto& c = carpetas[reportes];
  if (!c) {
    demo::Opciones o;
    o.reportes = reportes;
    o.articulos = 200;
    c = std::make_unique<CarpetaBench>(o);
  }
  return *c;
}

// The main window loaded anew on the database of that size, through the
// program's start-up: a fresh connection whose caches are cold.
FrmZamolid& AbreVentana(int reportes) {
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  ReiniciaEstadoGlobal();
  programa::FijaCarpeta(Datos(reportes).Ruta());
  programa::FijaLineaDeComando(QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"));
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  QCoreApplication::processEvents();
  return w;
}

// A search as the user runs it: the list filled and laid out in the window.
void Busca(FrmZamolid& w) {
  w.CmdBuscar_Click();
  w.ListView1->Refresh();
  QCoreApplication::processEvents();
}

long Reportes(const QString& where) {
  Recordset rs;
  gDatos.AbreRecordset(QStringLiteral("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS ") + where, rs);
  return rs.Fields(0).Value().toLongLong();
}

// The listing's statement as the embedded database runs it.
QString SentenciaSqlite(const QString& where) { return sqlite_sql::AdaptaSentencia(FrmZamolid::SentenciaListado(where)); }

// The first search of a window just opened: every report listed. Also the
// heap the listed lines hold.
void ListadoFrio(benchmark::State& state) {
  const int reportes = static_cast<int>(state.range(0));
  std::vector<double> tiempos;
  double memoria = 0;
  long lineas = 0;
  for (auto _ : state) {
    FrmZamolid& w = AbreVentana(reportes);
    const double antes = MemoriaEnUso();
    Mide(state, tiempos, [&] { Busca(w); });
    memoria = MemoriaEnUso() - antes;
    lineas = w.ListView1->ListItems().Count();
  }
  if (lineas != reportes) state.SkipWithError("the list does not hold one line per report");
  long filas = 0;
  const double desnuda =
      LecturaDesnuda(Datos(reportes).Base(), SentenciaSqlite(QString()), AjustesSqlite::DelPrograma(), true, &filas);
  if (filas != lineas) state.SkipWithError("the bare statement read another number of rows");
  state.counters["lineas"] = static_cast<double>(lineas);
  state.counters["lineas_MB"] = memoria / 1e6;
  Proporcion(state, "ratio_vs_desnuda_fria", Mediana(tiempos), desnuda);
}

// A search run again and again on the window already open, with the lower
// date box holding the text (empty: every report).
void BusquedaCaliente(benchmark::State& state, const QString& desde) {
  const int reportes = static_cast<int>(state.range(0));
  FrmZamolid& w = AbreVentana(reportes);
  w.txtFields(8).SetText(desde);
  QString where;
  w.ArmaWhere(where);
  Busca(w);
  std::vector<double> tiempos;
  for (auto _ : state) Mide(state, tiempos, [&] { Busca(w); });
  const long lineas = w.ListView1->ListItems().Count();
  if (lineas != Reportes(where) || lineas == 0) state.SkipWithError("the list does not hold the reports searched");
  long filas = 0;
  const double desnuda =
      LecturaDesnuda(Datos(reportes).Base(), SentenciaSqlite(where), AjustesSqlite::DelPrograma(), false, &filas);
  if (filas != lineas) state.SkipWithError("the bare statement read another number of rows");
  w.txtFields(8).clear();
  state.counters["lineas"] = static_cast<double>(lineas);
  Proporcion(state, "ratio_vs_desnuda", Mediana(tiempos), desnuda);
}

// The listing searched again on the window already open.
void ListadoCaliente(benchmark::State& state) { BusquedaCaliente(state, QString()); }

// A search narrowed by a lower date (the last months of the reports).
void BusquedaPorFecha(benchmark::State& state) { BusquedaCaliente(state, QStringLiteral("01/10/2026")); }

// Every report pending and ticked, then GRABAR: the approval statements and
// the list loaded again, against a bare UPDATE of the same rows.
void Aprobacion1000(benchmark::State& state) {
  constexpr int kReportes = 1000;
  FrmZamolid& w = AbreVentana(kReportes);
  const QString limpia = QStringLiteral("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL");
  std::vector<double> tiempos;
  long aprobados = 0;
  for (auto _ : state) {
    gDatos.Ejecuta(limpia);
    Busca(w);
    for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i) w.ListView1->ListItems()(i)->SetChecked(true);
    w.txtFields(11).SetText(QStringLiteral("Bench"));
    Mide(state, tiempos, [&] {
      w.Plexatol1_Click(QStringLiteral("GRABAR"));
      QCoreApplication::processEvents();
    });
    aprobados = Reportes(QStringLiteral(" WHERE AUTORIZADOPOR = 'Bench'"));
  }
  const long pendientesOt = Reportes(QStringLiteral(" WHERE TC = 'OT'"));
  if (aprobados != pendientesOt || aprobados == 0) state.SkipWithError("not every ticked report was approved");
  // The same rows written by one bare UPDATE in one transaction.
  const AjustesSqlite ajustes = AjustesSqlite::DelPrograma();
  std::vector<double> desnudas;
  long filas = 0;
  {
    BaseDesnuda b(Datos(kReportes).Base(), ajustes);
    for (int vez = 0; vez < 7; ++vez) {
      b.Ejecuta(limpia);
      const long antes = b.Ejecuta(QStringLiteral("SELECT 1"));
      QElapsedTimer t;
      t.start();
      const long despues = b.Ejecuta(QStringLiteral("BEGIN; UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Bench' WHERE "
                                                    "TC = 'OT' AND (AUTORIZADOPOR IS NULL OR AUTORIZADOPOR = ''); COMMIT"));
      desnudas.push_back(t.nsecsElapsed() / 1e9);
      filas = despues - antes;
    }
  }
  Recordset rs;
  gDatos.AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE TC = 'OT'"), rs);
  if (filas != rs.Fields(0).Value().toLongLong()) state.SkipWithError("the bare UPDATE wrote another number of rows");
  state.counters["reportes"] = static_cast<double>(aprobados);
  Proporcion(state, "ratio_vs_update_desnudo", Mediana(tiempos), Mediana(desnudas));
}

// From the launch of the program to its main window on screen, against a
// bare process that opens the same database and reads its configuration.
double Lanzamiento(const QString& programa, const QStringList& argumentos, const QString& carpeta, bool* mostrada) {
  QProcess p;
  p.setWorkingDirectory(carpeta);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("ZAMOLID_SALIR_AL_MOSTRAR"), QStringLiteral("1"));
  p.setProcessEnvironment(env);
  QElapsedTimer t;
  t.start();
  p.start(programa, argumentos);
  p.waitForFinished(60000);
  const double s = t.nsecsElapsed() / 1e9;
  if (mostrada) *mostrada = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                            p.readAllStandardOutput().contains("mostrada");
  return s;
}

void Arranque(benchmark::State& state) {
  CarpetaBench& datos = Datos(1000);
  const QString bin = QCoreApplication::applicationDirPath();
  const QString zamolid = QDir(bin).filePath(QStringLiteral("zamolid"));
  // The program reads its database relative to its own folder.
  const QStringList args = {QStringLiteral("@Server=;"), QStringLiteral("@DbName=%1;").arg(datos.Base()),
                            QStringLiteral("@Usuario=supervisor;"), QStringLiteral("@Password=;")};
  std::vector<double> tiempos;
  bool mostrada = false;
  for (auto _ : state) {
    const double s = Lanzamiento(zamolid, args, datos.Ruta(), &mostrada);
    state.SetIterationTime(s);
    tiempos.push_back(s);
    if (!mostrada) break;
  }
  if (!mostrada) state.SkipWithError("the program did not show its window");
  std::vector<double> desnudos;
  for (int vez = 0; vez < 7; ++vez)
    desnudos.push_back(Lanzamiento(QCoreApplication::applicationFilePath(),
                                   {QStringLiteral("--proceso-desnudo"), datos.Base()}, datos.Ruta(), nullptr));
  Proporcion(state, "ratio_vs_proceso_desnudo", Mediana(tiempos), Mediana(desnudos));
}

BENCHMARK(ListadoFrio)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(ListadoCaliente)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BusquedaPorFecha)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(Aprobacion1000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(Arranque)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The bare process of the start-up's comparison: SQLite opens the database
// and reads the configuration, as the program does before its window shows.
int ProcesoDesnudo(const char* base) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(base, &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return 1;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT CLAVE, VALOR FROM TA_CONFIGURACION", -1, &st, nullptr);
  long total = 0;
  while (sqlite3_step(st) == SQLITE_ROW) total += sqlite3_column_bytes(st, 0) + sqlite3_column_bytes(st, 1);
  sqlite3_finalize(st);
  sqlite3_close(db);
  return total > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--proceso-desnudo") return ProcesoDesnudo(argv[2]);
  const int r = CorreBenchmarks(argc, argv);
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
  }
  ReiniciaEstadoGlobal();
  return r;
}
