// The article pick list on a generated database of 100,000 articles: loading
// a list of 1,000 lines (TopConsArt 1000), one search-as-you-type step on it,
// and one F5 server filter. Each figure is printed with its ratio to reading
// the same 1,000 rows in one bare SQLite query.
#include <benchmark/benchmark.h>

#include "bench_comun.h"
#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <memory>

#include "demo_db.h"
#include "demo_sqlite.h"
#include "lookup/lib_frm_cons3.h"
#include "platform/aplicacion.h"
#include "platform/controles/combobox.h"
#include "platform/controles/listview.h"
#include "platform/interaccion_guionada.h"
#include "platform/programa.h"
#include "platform/teclas.h"
#include "session/mod_global.h"

namespace {

constexpr int kArticulos = 100000;

QString Carpeta() {
  const QString carpeta = QDir::temp().filePath(QStringLiteral("zamolid-bench-consulta-%1").arg(kArticulos));
  QDir().mkpath(carpeta);
  const QString base = QDir(carpeta).filePath(QStringLiteral("demo.db"));
  if (!QFile::exists(base)) {
    demo::Opciones o;
    o.reportes = 10;
    o.articulos = kArticulos;
    demo::CreaBaseDemo(base, o);
  }
  return carpeta;
}

// The program started on the database; the statement of the article look-up.
const QString& Sentencia() {
  static QString sql;
  if (sql.isEmpty()) {
    ReiniciaEstadoGlobal();
    programa::FijaCarpeta(Carpeta());
    bool usarIni = false;
    QString linea = QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"), cadena;
    InicializaSistema(usarIni, linea, cadena);
    QString campo;
    gConsulta->ArmaSentencia(QStringLiteral("V_MA_ARTICULOS"), campo, QString(), QString(), sql);
  }
  return sql;
}

// Seconds to read the look-up's rows in one bare query (the best of a few).
double LecturaDesnuda() {
  return ::LecturaDesnuda(
      QDir(Carpeta()).filePath(QStringLiteral("demo.db")),
      "SELECT DESCRIPCION, IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION LIMIT 1000");
}

void Cuentas(benchmark::State& state, double desnuda, int lineas) {
  state.counters["lineas"] = lineas;
  state.counters["desnuda_ms"] = desnuda * 1e3;
  state.counters["ratio_vs_bare"] =
      benchmark::Counter(desnuda, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A fresh list form loading the 1,000 lines, as every look-up does.
void CargaLista(benchmark::State& state) {
  const QString sql = Sentencia();
  const double desnuda = LecturaDesnuda();
  int lineas = 0;
  for (auto _ : state) {
    auto f = std::make_unique<Lib_FrmCons3>();
    f->Sql = sql;
    f->CampoDevuelto = QStringLiteral("IDARTICULO");
    f->Load();
    lineas = f->ListView1->ListItems().Count();
    benchmark::DoNotOptimize(f->ListView1->ListItems()(lineas));
  }
  Cuentas(state, desnuda, lineas);
}

// One keystroke in the first search box: the list is searched from the top.
// Arg 0: a text no line begins with (every line is compared); 1: the text of
// the last line (found at the end).
void BusquedaTecla(benchmark::State& state) {
  const double desnuda = LecturaDesnuda();
  auto f = std::make_unique<Lib_FrmCons3>();
  f->Sql = Sentencia();
  f->Load();
  const int lineas = f->ListView1->ListItems().Count();
  QString texto = state.range(0) == 0 ? QStringLiteral("zzzz") : f->ListView1->ListItems()(lineas)->Text();
  // Alternating the last letter makes every step a change of the box's text.
  const QString a = texto, b = texto.left(texto.size() - 1);
  bool alterna = false;
  for (auto _ : state) {
    f->CmbSearch(0).SetText(alterna ? b : a);
    alterna = !alterna;
    benchmark::DoNotOptimize(f->ListView1->SelectedItem());
  }
  Cuentas(state, desnuda, lineas);
}

// F5 in the first box: the statement narrowed on the server and the list
// loaded again ("Nueva Busqueda" between runs, not timed).
void FiltroF5(benchmark::State& state) {
  const double desnuda = LecturaDesnuda();
  auto f = std::make_unique<Lib_FrmCons3>();
  f->Sql = Sentencia();
  f->Load();
  int lineas = 0;
  for (auto _ : state) {
    state.PauseTiming();
    f->CmdNueva_Click();
    f->CmbSearch(0).SetText(QStringLiteral("a"));
    state.ResumeTiming();
    int f5 = vbkey::F5;
    f->CmbSearch_KeyDown(0, f5, 0);
    lineas = f->ListView1->ListItems().Count();
  }
  Cuentas(state, desnuda, lineas);
}

BENCHMARK(CargaLista)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BusquedaTecla)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(FiltroF5)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
