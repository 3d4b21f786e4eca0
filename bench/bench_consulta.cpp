// The article pick list on a generated database of 100,000 articles: loading
// a list of 1,000 lines (TopConsArt 1000), one search-as-you-type step on it,
// and one F5 server filter. Each figure is printed as its ratio to reading
// the rows of the statement the list shows in one bare SQLite query on a
// connection set up as the program's, and the lines listed are checked.
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
#include "platform/sql_adapter.h"
#include "platform/teclas.h"
#include "session/mod_global.h"

namespace {

constexpr int kArticulos = 100000;

CarpetaBench& Datos() {
  static std::unique_ptr<CarpetaBench> c;
  if (!c) {
    demo::Opciones o;
    o.reportes = 10;
    o.articulos = kArticulos;
    c = std::make_unique<CarpetaBench>(o);
  }
  return *c;
}

// The program started on the database; the statement of the article look-up.
const QString& Sentencia() {
  static QString sql;
  if (sql.isEmpty()) {
    ReiniciaEstadoGlobal();
    programa::FijaCarpeta(Datos().Ruta());
    bool usarIni = false;
    QString linea = QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"), cadena;
    InicializaSistema(usarIni, linea, cadena);
    QString campo;
    gConsulta->ArmaSentencia(QStringLiteral("V_MA_ARTICULOS"), campo, QString(), QString(), sql);
  }
  return sql;
}

// Seconds to read the rows of a statement of the list in one bare query on a
// connection set up as the program's; the rows read go to filas.
double LecturaDesnuda(const QString& sql, long* filas) {
  return ::LecturaDesnuda(Datos().Base(), sqlite_sql::AdaptaSentencia(sql), AjustesSqlite::DelPrograma(), false, filas);
}

void Cuentas(benchmark::State& state, const std::vector<double>& tiempos, double desnuda, long lineas, long filas) {
  if (lineas != filas || lineas == 0) state.SkipWithError("the list does not hold the rows of its statement");
  state.counters["lineas"] = static_cast<double>(lineas);
  Proporcion(state, "ratio_vs_desnuda", Mediana(tiempos), desnuda);
}

// A fresh list form loading the 1,000 lines, as every look-up does.
void CargaLista(benchmark::State& state) {
  const QString sql = Sentencia();
  long lineas = 0;
  std::vector<double> tiempos;
  for (auto _ : state)
    Mide(state, tiempos, [&] {
      auto f = std::make_unique<Lib_FrmCons3>();
      f->Sql = sql;
      f->CampoDevuelto = QStringLiteral("IDARTICULO");
      f->Load();
      lineas = f->ListView1->ListItems().Count();
      benchmark::DoNotOptimize(f->ListView1->ListItems()(static_cast<int>(lineas)));
    });
  long filas = 0;
  const double desnuda = LecturaDesnuda(sql, &filas);
  Cuentas(state, tiempos, desnuda, lineas, filas);
}

// One keystroke in the first search box: the list is searched from the top.
// Arg 0: a text no line begins with (every line is compared); 1: the text of
// the last line (found at the end). Compared with reading the list's rows.
void BusquedaTecla(benchmark::State& state) {
  auto f = std::make_unique<Lib_FrmCons3>();
  f->Sql = Sentencia();
  f->Load();
  const int lineas = f->ListView1->ListItems().Count();
  const QString ultima = f->ListView1->ListItems()(lineas)->Text();
  QString texto = state.range(0) == 0 ? QStringLiteral("zzzz") : ultima;
  // Alternating the last letter makes every step a change of the box's text.
  const QString a = texto, b = texto.left(texto.size() - 1);
  bool alterna = false;
  std::vector<double> tiempos;
  for (auto _ : state) {
    Mide(state, tiempos, [&] {
      f->CmbSearch(0).SetText(alterna ? b : a);
      benchmark::DoNotOptimize(f->ListView1->SelectedItem());
    });
    alterna = !alterna;
  }
  // The full text of the last line finds it.
  f->CmbSearch(0).SetText(ultima);
  if (state.range(0) == 1 && (!f->ListView1->SelectedItem() || f->ListView1->SelectedItem()->Text() != ultima))
    state.SkipWithError("the search did not find the last line");
  long filas = 0;
  const double desnuda = LecturaDesnuda(f->Sql, &filas);
  Cuentas(state, tiempos, desnuda, lineas, filas);
}

// F5 in the first box: the statement narrowed on the server and the list
// loaded again ("Nueva Busqueda" between runs, not timed); compared with
// reading the narrowed statement's rows.
void FiltroF5(benchmark::State& state) {
  auto f = std::make_unique<Lib_FrmCons3>();
  f->Sql = Sentencia();
  f->Load();
  long lineas = 0;
  std::vector<double> tiempos;
  QString filtrada;
  for (auto _ : state) {
    f->CmdNueva_Click();
    f->CmbSearch(0).SetText(QStringLiteral("a"));
    Mide(state, tiempos, [&] {
      int f5 = vbkey::F5;
      f->CmbSearch_KeyDown(0, f5, 0);
      lineas = f->ListView1->ListItems().Count();
    });
    filtrada = f->Sql;
  }
  long filas = 0;
  const double desnuda = LecturaDesnuda(filtrada, &filas);
  if (filtrada == Sentencia()) state.SkipWithError("F5 did not narrow the statement");
  Cuentas(state, tiempos, desnuda, lineas, filas);
}

BENCHMARK(CargaLista)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BusquedaTecla)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(FiltroF5)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
