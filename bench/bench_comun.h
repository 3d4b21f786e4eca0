#pragma once
// What the benchmarks share: a temporary folder of their own with a
// database and the program started on it, the bare SQLite reading their
// figures are compared with (on a connection set up as the program's own),
// the check of a list's lines against its statement's rows, the paired
// runs, the heap in use, the ratio counters and a main that runs them
// headless.
//
// Every figure is printed as a ratio to its bare counterpart measured in the
// same run (no time unit), so the numbers hold on a noisy machine.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "demo_db.h"
#include "lots/registro_lotes.h"
#include "platform/aplicacion.h"
#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/controles/listview.h"
#include "platform/interaccion_guionada.h"
#include "platform/programa.h"
#include "platform/sqlite_funciones.h"
#include "session/mod_global.h"
#include "support/inicio_programa.h"

// A temporary folder of the benchmark's own with a database in it: the
// demo data of the options given, else the schema alone. Removed when the
// benchmark program ends.
class CarpetaBench {
 public:
  CarpetaBench() { demo::CreaEsquema(Base()); }
  explicit CarpetaBench(const demo::Opciones& o) { demo::CreaBaseDemo(Base(), o); }
  QString Ruta() const { return dir_.path(); }
  QString Base() const { return dir_.filePath(QStringLiteral("demo.db")); }
  // The program started as its command line starts it, on this database
  // (more keys of the line in otrasClaves): its connection and settings
  // then stand as in a session.
  void IniciaPrograma(const QString& otrasClaves = QString()) const {
    ReiniciaEstadoGlobal();
    programa::FijaCarpeta(Ruta());
    IniciaSesion(QStringLiteral("demo.db"), QStringLiteral("supervisor"), otrasClaves);
  }

 private:
  QTemporaryDir dir_{QDir::temp().filePath(QStringLiteral("zamolid-bench-XXXXXX"))};
};

// The middle value of a set of timings.
inline double Mediana(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The connection settings that change how fast SQLite reads: the page
// cache's size and the memory mapping. Unset, a connection keeps SQLite's
// own defaults. DelPrograma: as the program's connected database reports
// them, for a bare connection to take the same.
struct AjustesSqlite {
  std::optional<long long> mmap;
  std::optional<long long> cache;
  static AjustesSqlite DelPrograma() {
    AjustesSqlite a;
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("PRAGMA mmap_size"), rs);
    if (!rs.Bof()) a.mmap = rs.Fields(0).Value().toLongLong();
    gDatos.AbreRecordset(QStringLiteral("PRAGMA cache_size"), rs);
    if (!rs.Bof()) a.cache = rs.Fields(0).Value().toLongLong();
    return a;
  }
  QString Descripcion() const {
    const auto uno = [](const std::optional<long long>& v) { return v ? QString::number(*v) : QStringLiteral("-"); };
    return QStringLiteral("mmap %1 cache %2").arg(uno(mmap), uno(cache));
  }
};

// A bare connection: SQLite's own C interface on the same file, opened as
// the program opens it (read-write, one thread, no mutexes), with the
// program's collation and functions registered and the page-cache and
// memory-mapping settings given, nothing else. With funcionesDeSqlite only
// the collation is registered, so LIKE, UPPER and the rest are SQLite's own.
class BaseDesnuda {
 public:
  BaseDesnuda(const QString& archivo, const AjustesSqlite& a, bool funcionesDeSqlite = false) {
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
      return;
    if (funcionesDeSqlite)
      sqlite3_create_collation(db_, "CI", SQLITE_UTF8, nullptr, [](void*, int na, const void* x, int nb, const void* y) {
        return sqlite_sql::ComparaCI(static_cast<const char*>(x), na, static_cast<const char*>(y), nb);
      });
    else
      sqlite_sql::RegistraFunciones(db_);
    sqlite3_extended_result_codes(db_, 0);
    QString ajustes;
    if (a.mmap) ajustes += QStringLiteral("PRAGMA mmap_size = %1;").arg(*a.mmap);
    if (a.cache) ajustes += QStringLiteral("PRAGMA cache_size = %1;").arg(*a.cache);
    if (!ajustes.isEmpty()) sqlite3_exec(db_, ajustes.toUtf8().constData(), nullptr, nullptr, nullptr);
  }
  ~BaseDesnuda() { sqlite3_close(db_); }
  BaseDesnuda(const BaseDesnuda&) = delete;
  BaseDesnuda& operator=(const BaseDesnuda&) = delete;

  // Steps the statement to its end reading every column of every row, each
  // as the type it is stored in (a whole number, a real, the bytes of a text
  // or a blob); the rows read, -1 when it does not prepare or would write.
  long Lee(const QString& sql) {
    const QByteArray t = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, t.constData(), static_cast<int>(t.size()), &st, nullptr) != SQLITE_OK ||
        !sqlite3_stmt_readonly(st)) {
      sqlite3_finalize(st);
      return -1;
    }
    const int n = sqlite3_column_count(st);
    long filas = 0;
    long long total = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      ++filas;
      for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(st, i)) {
          case SQLITE_INTEGER: total += sqlite3_column_int64(st, i); break;
          case SQLITE_FLOAT: total += static_cast<long long>(sqlite3_column_double(st, i)); break;
          case SQLITE_TEXT:
            benchmark::DoNotOptimize(sqlite3_column_text(st, i));
            total += sqlite3_column_bytes(st, i);
            break;
          case SQLITE_BLOB:
            benchmark::DoNotOptimize(sqlite3_column_blob(st, i));
            total += sqlite3_column_bytes(st, i);
            break;
          default: break;
        }
      }
    }
    sqlite3_finalize(st);
    benchmark::DoNotOptimize(total);
    return filas;
  }
  // Every column, as text, of every paso-th row (the first row, then one
  // each paso) and of the last row, with the row's position (0 the first):
  // what a benchmark compares the lines it measured with. The names of the
  // columns go to columnas.
  std::vector<std::pair<long, QStringList>> Muestra(const QString& sql, long paso, QStringList* columnas = nullptr) {
    std::vector<std::pair<long, QStringList>> filas;
    const QByteArray t = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, t.constData(), static_cast<int>(t.size()), &st, nullptr) != SQLITE_OK) return filas;
    for (int i = 0; columnas && i < sqlite3_column_count(st); ++i)
      *columnas << QString::fromUtf8(sqlite3_column_name(st, i));
    std::pair<long, QStringList> ultima{-1, {}};
    for (long fila = 0; sqlite3_step(st) == SQLITE_ROW; ++fila) {
      ultima = {fila, {}};
      for (int i = 0; i < sqlite3_column_count(st); ++i)
        ultima.second << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                           sqlite3_column_bytes(st, i));
      if (fila % paso == 0) filas.push_back(ultima);
    }
    sqlite3_finalize(st);
    if (ultima.first >= 0 && ultima.first % paso != 0) filas.push_back(ultima);
    return filas;
  }
  // Runs statements that return no rows, each prepared and stepped, in one
  // transaction that takes the write lock first (as the program runs a
  // batch); the rows they changed, -1 on a failure.
  long Escribe(const QStringList& sentencias) {
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return -1;
    long cambiadas = 0;
    for (const QString& s : sentencias) {
      const QByteArray t = s.toUtf8();
      sqlite3_stmt* st = nullptr;
      const bool bien = sqlite3_prepare_v2(db_, t.constData(), static_cast<int>(t.size()), &st, nullptr) == SQLITE_OK &&
                        sqlite3_step(st) == SQLITE_DONE;
      sqlite3_finalize(st);
      if (!bien) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return -1;
      }
      cambiadas += sqlite3_changes(db_);
    }
    return sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? cambiadas : -1;
  }
  // Inserts rows through one prepared statement with a "?" per value, in one
  // transaction that takes the write lock first, each value bound as the
  // type it holds (NULL, a whole number, a real or a text); every return code
  // is checked. The rows inserted, -1 on any failure (nothing inserted).
  long Inserta(const QString& sql, const std::vector<std::vector<QVariant>>& filas) {
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return -1;
    const QByteArray t = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    bool bien = sqlite3_prepare_v2(db_, t.constData(), static_cast<int>(t.size()), &st, nullptr) == SQLITE_OK;
    long puestas = 0;
    for (size_t f = 0; bien && f < filas.size(); ++f) {
      const std::vector<QVariant>& fila = filas[f];
      for (int i = 0; bien && i < static_cast<int>(fila.size()); ++i) {
        const QVariant& v = fila[static_cast<size_t>(i)];
        int rc;
        if (v.isNull()) {
          rc = sqlite3_bind_null(st, i + 1);
        } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
          rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double) {
          rc = sqlite3_bind_double(st, i + 1, v.toDouble());
        } else {
          const QByteArray texto = v.toString().toUtf8();
          rc = sqlite3_bind_text(st, i + 1, texto.constData(), static_cast<int>(texto.size()), SQLITE_TRANSIENT);
        }
        bien = rc == SQLITE_OK;
      }
      bien = bien && sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(db_) == 1 && sqlite3_reset(st) == SQLITE_OK;
      if (bien) ++puestas;
    }
    bien = sqlite3_finalize(st) == SQLITE_OK && bien;
    if (!bien || sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      return -1;
    }
    return puestas;
  }

 private:
  sqlite3* db_ = nullptr;
};

// Seconds one read of the statement takes on a bare connection; the rows
// read go to filas.
inline double UnaLectura(BaseDesnuda& b, const QString& sql, long* filas = nullptr) {
  QElapsedTimer r;
  r.start();
  const long n = b.Lee(sql);
  const double s = r.nsecsElapsed() / 1e9;
  if (filas) *filas = n;
  return s;
}

// Seconds the statements take stepped in turn on the bare connection, each
// read as Lee reads it: a run of the statements a work was seen to send.
// -1 when one does not prepare there or would write.
inline double LecturasDesnudas(BaseDesnuda& b, const QStringList& sentencias) {
  QElapsedTimer t;
  t.start();
  for (const QString& s : sentencias)
    if (b.Lee(s) < 0) return -1;
  return t.nsecsElapsed() / 1e9;
}

// The lines of a list against the rows of the statement that fills it, read
// bare: one line per row (filas, as many as a timed bare read counted), and
// a sample of about a hundred (the last row among them) each showing its
// row (muestraSuFila(line, the row's columns as text)). Empty when they
// agree, else what differs.
template <class MuestraSuFila>
QString ComparaLineas(ListView& lista, BaseDesnuda& b, const QString& sql, long filas, MuestraSuFila&& muestraSuFila) {
  auto& lineas = lista.ListItems();
  if (lineas.Count() != filas || filas == 0) return QStringLiteral("the list does not hold one line per row of the statement");
  const auto muestra = b.Muestra(sql, std::max(1L, filas / 100));
  if (muestra.empty() || muestra.back().first != filas - 1) return QStringLiteral("the statement read another number of rows");
  for (const auto& [fila, valores] : muestra)
    if (!muestraSuFila(lineas(static_cast<int>(fila + 1)), valores))
      return QStringLiteral("line %1 does not show its row").arg(fila + 1);
  return QString();
}

// A work timed in turn with its bare counterpart (the work, the bare one,
// the work again...): a change in the machine's speed during the run falls
// on both sides of each pair, and the ratio printed is the median of the
// pairs' ratios.
class Parejas {
 public:
  void Agrega(double medido, double desnudo) {
    if (desnudo > 0) cocientes_.push_back(medido / desnudo);
  }
  double Proporcion() const { return Mediana(cocientes_); }
  size_t Cuantas() const { return cocientes_.size(); }

 private:
  std::vector<double> cocientes_;
};

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

// The pairs' ratio as a plain number (no time unit attached), and how many
// pairs it rests on.
inline void Proporcion(benchmark::State& state, const char* nombre, const Parejas& parejas) {
  state.counters[nombre] = benchmark::Counter(parejas.Proporcion());
  state.counters["parejas"] = static_cast<double>(parejas.Cuantas());
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
