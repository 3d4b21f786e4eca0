// LIKE on the embedded database: the program's own matcher (every letter's
// case ignored, sets and ranges, the value's trailing blanks ignored), whose
// time is bounded by the value's length times the pattern's, against
// SQLite's built-in LIKE, over the descriptions of 100,000 articles.
//
// Both sides step the same statement to its end through SQLite's C
// interface, reading every column of every row, on connections opened the
// same way on the same file with the program's page-cache and memory-mapping
// settings; they differ only in the LIKE that answers (the built-in side
// registers the collation alone). Patterns (Arg): 0 a word as F5 sends it,
// 1 twelve "_" each beside a "%" and a last character no description has
// (what backtracking matchers take exponential time on), 2 several "%"
// between pieces. The rows each side matches are compared; ratio_vs_like_de_sqlite
// is the median of the paired runs' ratios.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_comun.h"
#include "platform/sql_adapter.h"

namespace {

constexpr int kArticulos = 100000;

// The articles' database, and the program started on it (for its
// connection settings).
CarpetaBench& Datos() {
  static CarpetaBench c(demo::Opciones{.reportes = 10, .articulos = kArticulos});
  static bool iniciado = false;
  if (!iniciado) c.IniciaPrograma();
  iniciado = true;
  return c;
}

// The two bare connections (the program started first, for its settings).
BaseDesnuda& Conexion(bool deSqlite) {
  const QString base = Datos().Base();
  static BaseDesnuda programa(base, AjustesSqlite::DelPrograma());
  static BaseDesnuda sqlite(base, AjustesSqlite::DelPrograma(), true);
  return deSqlite ? sqlite : programa;
}

const char* const kPatrones[] = {"%cable%", "%_%_%_%_%_%_%_%_%_%_%_%_%!", "%ref. 4%2%1%"};

void Like(benchmark::State& state) {
  const QString patron = QString::fromUtf8(kPatrones[state.range(0)]);
  const QString sql = sqlite_sql::AdaptaSentencia(
      QStringLiteral("SELECT IDARTICULO, DESCRIPCION FROM V_MA_ARTICULOS WHERE DESCRIPCION LIKE ") +
      ClsDatos::Literal(patron));
  BaseDesnuda& programa = Conexion(false);
  BaseDesnuda& sqlite = Conexion(true);
  // Each side answers with its own LIKE: the built-in one tells letter case
  // apart outside ASCII, the program's does not.
  const auto unaFila = [](BaseDesnuda& b, const char* s) {
    const auto m = b.Muestra(QString::fromUtf8(s), 1);
    return m.empty() ? QString() : m[0].second.value(0);
  };
  if (unaFila(programa, "SELECT 'ñ' LIKE 'Ñ'") != "1" || unaFila(sqlite, "SELECT 'ñ' LIKE 'Ñ'") != "0") {
    state.SkipWithError("the two connections do not answer with their own LIKE");
    return;
  }
  // The same rows matched on both sides.
  const auto filasPrograma = programa.Muestra(sql, 1);
  const auto filasSqlite = sqlite.Muestra(sql, 1);
  if (filasPrograma != filasSqlite || (state.range(0) != 1 && filasPrograma.empty())) {
    state.SkipWithError("the program's LIKE does not match the rows SQLite's matches");
    return;
  }
  std::vector<double> tiempos;
  Parejas parejas;
  long filas = 0, filasDesnudas = 0;
  UnaLectura(sqlite, sql);
  for (auto _ : state) {
    Mide(state, tiempos, [&] { filas = programa.Lee(sql); });
    parejas.Agrega(tiempos.back(), UnaLectura(sqlite, sql, &filasDesnudas));
  }
  if (filas != static_cast<long>(filasPrograma.size()) || filasDesnudas != filas)
    state.SkipWithError("a timed run read another number of rows");
  state.counters["filas"] = static_cast<double>(filas);
  Proporcion(state, "ratio_vs_like_de_sqlite", parejas);
}

BENCHMARK(Like)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
