// The lot and serial list texts of a voucher line with 1,000 and 10,000
// entries (lot, the character 255, serial):
// - Descompone: splitting the list into its array and counting it, as a
//   lot dialog and the stock posting do;
// - Recorre: reading every entry in turn and finding every entry, as the
//   posting (one ExtraeSerieLote per movement) and the lot dialog (one
//   Busca_Lotes_Series per stock row) do.
// Each figure is printed as ratios: to splitting the same text with a bare
// QString::split, and, per entry, to the same work on 1,000 entries; a
// linear procedure keeps the second ratio near 1 at 10,000 (the target is
// at most 2). Results are checked; a wrong count stops the benchmark.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

#include "bench_comun.h"
#include "demo_db.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

QString Lista(int n) {
  QString t = QStringLiteral("|");
  for (int i = 1; i <= n; ++i)
    t += QStringLiteral("L%1").arg(i % 97, 4, 10, QChar(u'0')) + QChar(0xFF) +
         QStringLiteral("SN%1").arg(i, 8, 10, QChar(u'0')) + u'|';
  return t;
}

// The program started on an empty database in a folder of its own.
ClsCmnCptes& Cptes() {
  static QTemporaryDir dir;
  static std::unique_ptr<ClsCmnCptes> c;
  if (!c) {
    ReiniciaEstadoGlobal();
    demo::CreaEsquema(dir.filePath(QStringLiteral("listas.db")));
    programa::FijaCarpeta(dir.path());
    bool usarIni = false;
    QString linea = QStringLiteral("@Server=; @DbName=listas.db; @Usuario=supervisor; @Password=;"), cadena;
    InicializaSistema(usarIni, linea, cadena);
    c = std::make_unique<ClsCmnCptes>();
  }
  return *c;
}

// One run of each workload on a list of n entries; false when a result is
// not what the list holds.
bool Descompone(ClsCmnCptes& c, const QString& lista, int n) {
  QStringList a;
  c.DescomponeSerieLote(lista, a);
  return a.size() == n + 1 && c.Cantidad_Series_Lotes(lista) == n && c.Cuenta_Series_Lotes(lista, QString()) == n &&
         c.Cuenta_Series_Lotes(QString(), lista, true) == n;
}

bool Recorre(ClsCmnCptes& c, const QString& lista, int n) {
  long iguales = 0;
  for (long j = 1; j <= n; ++j) {
    const QString e = c.ExtraeSerieLote(lista, j);
    iguales += c.Busca_Lotes_Series(lista, e) == j;
  }
  return iguales == n;
}

bool Desnuda(ClsCmnCptes&, const QString& lista, int n) {
  return lista.split(u'|', Qt::SkipEmptyParts).size() == n;
}

using Trabajo = std::function<bool(ClsCmnCptes&, const QString&, int)>;

// Seconds of one run (the best of several); a fresh copy of the text each
// run, so nothing read before is reused.
double Mejor(const Trabajo& t, int n) {
  ClsCmnCptes& c = Cptes();
  const QString base = Lista(n);
  double mejor = 1e9;
  for (int vez = 0; vez < 7; ++vez) {
    QString lista = base;
    lista.detach();
    QElapsedTimer r;
    r.start();
    const bool ok = t(c, lista, n);
    mejor = std::min(mejor, r.nsecsElapsed() / 1e9);
    if (!ok) return -1;
  }
  return mejor;
}

void Mide(benchmark::State& state, const Trabajo& t) {
  const int n = static_cast<int>(state.range(0));
  ClsCmnCptes& c = Cptes();
  const QString base = Lista(n);
  const double desnuda = Mejor(Desnuda, n);
  const double porEntradaDeMil = Mejor(t, 1000) / 1000.0;
  double segundos = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QString lista = base;
    lista.detach();
    state.ResumeTiming();
    QElapsedTimer r;
    r.start();
    const bool ok = t(c, lista, n);
    segundos += r.nsecsElapsed() / 1e9;
    if (!ok) {
      state.SkipWithError("resultado incorrecto");
      return;
    }
  }
  const double porVez = segundos / static_cast<double>(state.iterations());
  state.counters["entradas"] = n;
  state.counters["ratio_vs_bare"] = porVez / desnuda;
  state.counters["ratio_por_entrada_vs_1000"] = porVez / n / porEntradaDeMil;
}

void DescomponeYCuenta(benchmark::State& state) { Mide(state, Descompone); }
void RecorreYBusca(benchmark::State& state) { Mide(state, Recorre); }

BENCHMARK(DescomponeYCuenta)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(0.3);
BENCHMARK(RecorreYBusca)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(0.3);

// The linearity check on its own, from best-of runs: the time per entry at
// 10,000 entries over that at 1,000, for each workload (at most 2).
void Linealidad(benchmark::State& state) {
  double descompone = 0, recorre = 0;
  for (auto _ : state) {
    const double d1 = Mejor(Descompone, 1000), d10 = Mejor(Descompone, 10000);
    const double r1 = Mejor(Recorre, 1000), r10 = Mejor(Recorre, 10000);
    if (d1 <= 0 || d10 <= 0 || r1 <= 0 || r10 <= 0) {
      state.SkipWithError("resultado incorrecto");
      return;
    }
    descompone = (d10 / 10000.0) / (d1 / 1000.0);
    recorre = (r10 / 10000.0) / (r1 / 1000.0);
  }
  state.counters["descompone_10000_vs_1000"] = descompone;
  state.counters["recorre_10000_vs_1000"] = recorre;
  state.counters["lineal"] = descompone <= 2.0 && recorre <= 2.0 ? 1 : 0;
}
BENCHMARK(Linealidad)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
