// LIKE on the embedded database: the program's own matcher (every letter's
// case ignored, sets and ranges, the value's trailing blanks ignored), whose
// time is bounded by the value's length times the pattern's, against
// SQLite's built-in LIKE.
//
// Both sides step the same statement to its end through SQLite's C
// interface, reading every column of every row, on connections opened the
// same way on the same file with the program's page-cache and memory-mapping
// settings; they differ only in the LIKE that answers (the built-in side
// registers the collation alone). The rows each side matches are compared;
// ratio_vs_like_de_sqlite is the median of the paired runs' ratios.
//
// Like: the descriptions of 100,000 articles. Patterns (Arg): 0 a word as
// F5 sends it, 1 twelve "_" each beside a "%" and a last character no
// description has (what backtracking matchers take exponential time on), 2
// several "%" between pieces.
//
// LikeLargo: 20,000 values of 1,000 characters, words of lower-case letters
// and numbers between blanks (the built-in LIKE ignores case in ASCII
// only), in Latin letters (first Arg 0) or Cyrillic (1). Patterns (second
// Arg): 0 a word, 1 the twelve "_", 2 several "%", 3 a text of 501
// characters pasted from the middle of one value between "%".
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "bench_comun.h"
#include "platform/sql_adapter.h"

namespace {

constexpr int kArticulos = 100000;
constexpr int kLargos = 20000;
constexpr int kLargo = 1000;

const char* const kPalabras[2][12] = {
    {"rodamiento", "cable", "tornillo", "arandela", "motor", "bomba", "filtro", "valvula", "correa", "sensor", "acero",
     "junta"},
    {"подшипник", "кабель", "винт", "шайба", "мотор", "насос", "фильтр", "клапан", "ремень", "датчик", "сталь",
     "прокладка"}};

// A value of kLargo characters: words of the alphabet and numbers between
// blanks.
QString ValorLargo(int alfabeto, std::mt19937& azar) {
  QString v;
  while (v.size() < kLargo) {
    if (!v.isEmpty()) v += u' ';
    if (azar() % 4 == 0) v += QString::number(azar() % 100000);
    else v += QString::fromUtf8(kPalabras[alfabeto][azar() % 12]);
  }
  v.truncate(kLargo);
  return v;
}

// The articles' database with the long values beside them, and the program
// started on it (for its connection settings).
CarpetaBench& Datos() {
  static CarpetaBench c(demo::Opciones{.reportes = 10, .articulos = kArticulos});
  static bool iniciado = false;
  if (!iniciado) {
    BaseDesnuda b(c.Base(), AjustesSqlite{});
    b.Escribe({QStringLiteral("CREATE TABLE TEXTOS_LARGOS (ID INTEGER PRIMARY KEY, LATINO TEXT COLLATE CI, "
                              "CIRILICO TEXT COLLATE CI)")});
    std::mt19937 azar(20261208);
    std::vector<std::vector<QVariant>> filas;
    for (int i = 0; i < kLargos; ++i) filas.push_back({i, ValorLargo(0, azar), ValorLargo(1, azar)});
    b.Inserta(QStringLiteral("INSERT INTO TEXTOS_LARGOS VALUES (?, ?, ?)"), filas);
    c.IniciaPrograma();
  }
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
const char* const kPatronesLargos[2][3] = {{"%cable%", "%_%_%_%_%_%_%_%_%_%_%_%_%!", "%motor%4%2%1%"},
                                           {"%кабель%", "%_%_%_%_%_%_%_%_%_%_%_%_%!", "%мотор%4%2%1%"}};

// The statement stepped by both sides, timed in pairs; the rows each side
// matches are checked equal (none only where sinFilas allows it).
void Compara(benchmark::State& state, const QString& sql, bool sinFilas) {
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
  if (filasPrograma != filasSqlite || (!sinFilas && filasPrograma.empty())) {
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

void Like(benchmark::State& state) {
  const QString patron = QString::fromUtf8(kPatrones[state.range(0)]);
  Compara(state,
          sqlite_sql::AdaptaSentencia(
              QStringLiteral("SELECT IDARTICULO, DESCRIPCION FROM V_MA_ARTICULOS WHERE DESCRIPCION LIKE ") +
              ClsDatos::Literal(patron)),
          state.range(0) == 1);
}

void LikeLargo(benchmark::State& state) {
  const int alfabeto = static_cast<int>(state.range(0));
  const QString columna = alfabeto == 0 ? QStringLiteral("LATINO") : QStringLiteral("CIRILICO");
  QString patron;
  if (state.range(1) < 3) {
    patron = QString::fromUtf8(kPatronesLargos[alfabeto][state.range(1)]);
  } else {
    // 501 characters from the middle of one value.
    Conexion(false);
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("SELECT %1 FROM TEXTOS_LARGOS WHERE ID = %2").arg(columna).arg(kLargos / 2), rs);
    patron = u'%' + rs.Fields(0).Value().toString().mid(250, 501) + u'%';
  }
  state.SetLabel(QStringLiteral("%1 piezas").arg(patron.size()).toStdString());
  Compara(state,
          QStringLiteral("SELECT ID, %1 FROM TEXTOS_LARGOS WHERE %1 LIKE %2").arg(columna, ClsDatos::Literal(patron)),
          state.range(1) == 1);
}

BENCHMARK(Like)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(LikeLargo)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
