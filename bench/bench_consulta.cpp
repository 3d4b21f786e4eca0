// The article pick list on a generated database whose look-up reads 100,000
// articles (TopConsArt 100000): a fresh list form loading them, one
// search-as-you-type keystroke on the 100,000 lines, and one F5 server
// filter.
//
// Each figure is a ratio to the same work done bare in the same run: for a
// load, the statement the list runs stepped to its end through SQLite's own
// C interface reading every column of every row, on a connection opened as
// the program's (same file, collation and functions, page cache and memory
// mapping; for F5, with SQLite's built-in LIKE instead of the program's);
// for a keystroke, the same search done bare over the same texts in memory
// (the first text whose start, blanks around it ignored, equals the typed
// text ignoring case). The lines listed, a sample of their values
// and the line a keystroke selects are checked; bajo_16ms is 1 when a
// keystroke takes under 16 ms.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <memory>

#include "bench_comun.h"
#include "demo_db.h"
#include "demo_sqlite.h"
#include "lookup/lib_frm_cons3.h"
#include "platform/aplicacion.h"
#include "platform/cls_util.h"
#include "platform/controles/combobox.h"
#include "platform/controles/listview.h"
#include "platform/interaccion_guionada.h"
#include "platform/programa.h"
#include "platform/sql_adapter.h"
#include "platform/teclas.h"
#include "platform/vb.h"
#include "session/mod_global.h"

namespace {

constexpr int kLineas = 100000;

// More articles than the look-up's limit: a few of them are suspended and
// the list leaves those out, and the limit still yields 100,000 lines.
CarpetaBench& Datos() {
  static std::unique_ptr<CarpetaBench> c;
  if (!c) {
    demo::Opciones o;
    o.reportes = 10;
    o.articulos = kLineas + kLineas / 20;
    c = std::make_unique<CarpetaBench>(o);
    demo::BaseSqlite b(c->Base());
    b.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '%1' WHERE CLAVE = 'TopConsArt'")
                  .arg(kLineas)
                  .toUtf8()
                  .constData());
  }
  return *c;
}

// The program started on the database; the statement of the article look-up.
const QString& Sentencia() {
  static QString sql;
  if (sql.isEmpty()) {
    Datos().IniciaPrograma();
    QString campo;
    gConsulta->ArmaSentencia(QStringLiteral("V_MA_ARTICULOS"), campo, QString(), QString(), sql);
  }
  return sql;
}

// A list form of the statement, loaded unless cargar is false.
std::unique_ptr<Lib_FrmCons3> Lista(const QString& sql, bool cargar = true) {
  auto f = std::make_unique<Lib_FrmCons3>();
  f->Sql = sql;
  f->CampoDevuelto = QStringLiteral("IDARTICULO");
  if (cargar) f->Load();
  return f;
}

// The list's lines against the bare statement's rows (bench_comun.h), each
// line showing its row: the first column trimmed, the others as the list
// formats codes.
QString ComparaLista(Lib_FrmCons3& f, const QString& sql, long filas) {
  BaseDesnuda b(Datos().Base(), AjustesSqlite::DelPrograma());
  return ComparaLineas(*f.ListView1, b, sqlite_sql::AdaptaSentencia(sql), filas,
                       [](ListItem* l, const QStringList& valores) {
                         bool igual = l->Text() == vb::Trim(valores[0]);
                         for (int j = 1; igual && j < valores.size(); ++j)
                           igual = l->SubItems(j) == gUtil.FormateaCodigo(valores[j]);
                         return igual;
                       });
}

// A bare connection on the articles' database, set up as the program's;
// with deSqlite, its LIKE and the other functions are SQLite's own (the
// collation alone is the program's).
BaseDesnuda& Desnuda(bool deSqlite = false) {
  static BaseDesnuda b(Datos().Base(), AjustesSqlite::DelPrograma());
  static BaseDesnuda s(Datos().Base(), AjustesSqlite::DelPrograma(), true);
  return deSqlite ? s : b;
}

// A fresh list form (made before the clock starts) loading the 100,000
// lines, as every look-up does; each load is paired with a bare read of the
// same statement (warm, as the program's connection in use).
void CargaLista(benchmark::State& state) {
  const QString sql = Sentencia();
  const QString desnuda = sqlite_sql::AdaptaSentencia(sql);
  UnaLectura(Desnuda(), desnuda);
  std::unique_ptr<Lib_FrmCons3> f;
  std::vector<double> tiempos;
  Parejas parejas;
  long filas = 0;
  for (auto _ : state) {
    f.reset();
    f = Lista(sql, false);
    Mide(state, tiempos, [&] {
      f->Load();
      // The lines reach the view.
      benchmark::DoNotOptimize(f->ListView1->ListItems()(f->ListView1->ListItems().Count()));
    });
    parejas.Agrega(tiempos.back(), UnaLectura(Desnuda(), desnuda, &filas));
  }
  const QString falla = filas == kLineas ? ComparaLista(*f, f->Sql, filas) : QStringLiteral("not 100,000 rows");
  if (!falla.isEmpty()) state.SkipWithError(falla.toUtf8().constData());
  state.counters["lineas"] = static_cast<double>(f->ListView1->ListItems().Count());
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

// The texts a keystroke searches, as bare as they can be held: one piece of
// memory with every text after the other, and where each one starts.
struct TextosDesnudos {
  QString todos;
  std::vector<qsizetype> inicios{0};
  void Agrega(QStringView t) {
    todos += t;
    inicios.push_back(todos.size());
  }
  size_t Cuantos() const { return inicios.size() - 1; }
  QStringView Texto(size_t i) const { return QStringView(todos).mid(inicios[i], inicios[i + 1] - inicios[i]); }
};

// The keystroke's search done bare: the 1-based index of the first text
// whose start, blanks around it ignored, equals the typed text (trimmed)
// ignoring case; 0 when none does.
long BusquedaDesnuda(const TextosDesnudos& textos, QStringView tecleado) {
  const auto sinBlancos = [](QStringView t) {
    while (!t.isEmpty() && t.front() == u' ') t = t.mid(1);
    while (!t.isEmpty() && t.back() == u' ') t.chop(1);
    return t;
  };
  const QStringView valor = sinBlancos(tecleado);
  for (size_t i = 0; i < textos.Cuantos(); ++i)
    if (sinBlancos(sinBlancos(textos.Texto(i)).left(valor.size())).compare(valor, Qt::CaseInsensitive) == 0)
      return static_cast<long>(i) + 1;
  return 0;
}

// One keystroke in the first search box of the 100,000 lines: the list is
// searched from the top and the line found selected. Arg 0: a text no line
// begins with (every line is compared); 1: the text of the last line (with
// and without a trailing blank, which the search ignores).
void BusquedaTecla(benchmark::State& state) {
  std::unique_ptr<Lib_FrmCons3> f = Lista(Sentencia());
  auto& lineas = f->ListView1->ListItems();
  const int total = lineas.Count();
  const QString ultima = lineas(total)->Text();
  // Alternating two texts makes every step a change of the box's text.
  QStringList textos;
  if (state.range(0) == 0) textos << QStringLiteral("zzzz") << QStringLiteral("zzz");
  else textos << ultima << ultima + u' ';
  // Each keystroke is paired with the same search done bare, over the texts
  // of the same column.
  TextosDesnudos columna;
  for (int i = 1; i <= total; ++i) columna.Agrega(lineas(i)->Text());
  std::vector<double> tiempos;
  Parejas parejas;
  int vez = 0;
  for (auto _ : state) {
    const QString& t = textos[vez++ % 2];
    Mide(state, tiempos, [&] {
      f->CmbSearch(0).SetText(t);
      benchmark::DoNotOptimize(f->ListView1->SelectedItem());
    });
    QElapsedTimer r;
    r.start();
    benchmark::DoNotOptimize(BusquedaDesnuda(columna, t));
    parejas.Agrega(tiempos.back(), r.nsecsElapsed() / 1e9);
  }
  const long hallada = BusquedaDesnuda(columna, textos[1]);
  // The keystroke selects the line the bare search finds (none: the
  // selection stays where it was).
  f->CmbSearch(0).SetText(QString());
  f->CmbSearch(0).SetText(textos[1]);
  ListItem* elegida = f->ListView1->SelectedItem();
  const long esperada = hallada > 0 ? hallada : 1;  // an empty box selects the first line
  if (total != kLineas || !elegida || elegida->Index() != esperada || (state.range(0) == 1 && hallada != total))
    state.SkipWithError("the keystroke does not select the line the search finds");
  const double mediana = Mediana(tiempos);
  state.counters["lineas"] = static_cast<double>(total);
  state.counters["bajo_16ms"] = mediana < 0.016 ? 1 : 0;
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

// F5 in the first box: the statement narrowed on the server and the list
// loaded again ("Nueva Busqueda" between runs, not timed); compared with
// reading the narrowed statement's rows bare with SQLite's built-in LIKE
// (the program's matcher is part of what is measured). The lines, one per
// row the built-in LIKE matches, and a sample of their values are checked.
void FiltroF5(benchmark::State& state) {
  std::unique_ptr<Lib_FrmCons3> f = Lista(Sentencia());
  std::vector<double> tiempos;
  Parejas parejas;
  QString filtrada;
  long filas = 0;
  for (auto _ : state) {
    f->CmdNueva_Click();
    f->CmbSearch(0).SetText(QStringLiteral("a"));
    Mide(state, tiempos, [&] {
      int f5 = vbkey::F5;
      f->CmbSearch_KeyDown(0, f5, 0);
      benchmark::DoNotOptimize(f->ListView1->ListItems()(f->ListView1->ListItems().Count()));
    });
    filtrada = f->Sql;
    parejas.Agrega(tiempos.back(), UnaLectura(Desnuda(true), sqlite_sql::AdaptaSentencia(filtrada), &filas));
  }
  const QString falla =
      filtrada == Sentencia() ? QStringLiteral("F5 did not narrow the statement") : ComparaLista(*f, filtrada, filas);
  if (!falla.isEmpty()) state.SkipWithError(falla.toUtf8().constData());
  state.counters["lineas"] = static_cast<double>(f->ListView1->ListItems().Count());
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

BENCHMARK(CargaLista)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BusquedaTecla)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(FiltroF5)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
