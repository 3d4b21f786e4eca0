// The lot and serial list texts of a voucher line with 1,000 and 10,000
// entries (lot, the character 255, serial), read through the voucher
// class's list procedures:
// - Descompone: DescomponeSerieLote, Cantidad_Series_Lotes and both counts
//   of Cuenta_Series_Lotes on one list. Of these the program calls
//   DescomponeSerieLote (the stock posting splitting a line's lots and
//   serials, the lot dialog reading the lists it was given, the orders'
//   lot count of a grid); Cuenta_Series_Lotes and Cantidad_Series_Lotes
//   are there for the suite's voucher screens.
// - Recorre: ExtraeSerieLote of every entry in turn and Busca_Lotes_Series
//   of every entry. No procedure of this program calls these two; they are
//   public for the suite's voucher screens, which read a line's list entry
//   by entry.
// Every run is a first use: a fresh voucher-class object (made before the
// clock starts) and a fresh copy of the text, so nothing read in an earlier
// run is reused; within a run the class may reuse what it read of the list.
// Each run is paired with the same results computed bare over the same
// text right after it (a QString::split, then the counts, the distinct
// entries and the searches over the split entries in memory), and the
// ratio printed is the median of the pairs'. Linealidad compares the best
// of seven runs at 10,000 entries with the best of seven at 1,000, per
// entry; a linear procedure keeps it near 1 (the target is at most 2).
// Results are checked; a wrong count stops the benchmark.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <functional>
#include <memory>

#include "bench_comun.h"
#include "demo_db.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

QString Lista(int n) {
  QString t = QStringLiteral("|");
  for (int i = 1; i <= n; ++i)
    t += QStringLiteral("L%1").arg(i % 97, 4, 10, QChar(u'0')) + ClsCmnCptes::kUnionLoteSerie +
         QStringLiteral("SN%1").arg(i, 8, 10, QChar(u'0')) + u'|';
  return t;
}

// The program started once, on an empty database in a folder of its own.
void Programa() {
  static CarpetaBench carpeta;
  static bool hecho = false;
  if (hecho) return;
  hecho = true;
  carpeta.IniciaPrograma();
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

// The entries of the list (the text opens and closes with "|"), split bare.
QStringList Partes(const QString& lista) {
  QStringList p = lista.split(u'|');
  p.removeFirst();
  p.removeLast();
  return p;
}

// The same results bare: the entries trimmed with the empty last slot, their
// count twice and the number of distinct ones (trimmed, case folded).
bool DescomponeDesnuda(ClsCmnCptes&, const QString& lista, int n) {
  QStringList a = Partes(lista);
  const qsizetype cantidad = a.size();
  QSet<QString> distintas;
  distintas.reserve(a.size());
  for (QString& e : a) {
    e = e.trimmed();
    if (!e.isEmpty()) distintas.insert(e.toCaseFolded());
  }
  a.append(QString());
  return a.size() == n + 1 && cantidad == n && distintas.size() == n && lista.count(u'|') - 1 == n;
}

// Every entry in turn, and the position of each found through a table of
// the first position of every entry (trimmed, case folded).
bool RecorreDesnuda(ClsCmnCptes&, const QString& lista, int n) {
  const QStringList a = Partes(lista);
  QHash<QString, long> posiciones;
  posiciones.reserve(a.size());
  for (qsizetype k = 0; k < a.size(); ++k) posiciones.insert(a[k].trimmed().toCaseFolded(), static_cast<long>(k) + 1);
  long iguales = 0;
  for (long j = 1; j <= n; ++j) {
    const QString& e = a[j - 1];
    iguales += posiciones.value(e.trimmed().toCaseFolded()) == j;
  }
  return iguales == n;
}

using Trabajo = std::function<bool(ClsCmnCptes&, const QString&, int)>;

// One first use of the work on a fresh object and a fresh copy of the text,
// made before the clock starts; seconds, or -1 when its result is wrong.
double UnaVez(const Trabajo& t, const QString& base, int n) {
  auto c = std::make_unique<ClsCmnCptes>();
  QString lista = base;
  lista.detach();
  QElapsedTimer r;
  r.start();
  const bool ok = t(*c, lista, n);
  const double s = r.nsecsElapsed() / 1e9;
  return ok ? s : -1;
}

// Seconds of one run (the best of several), each a first use: a fresh
// voucher-class object and a fresh copy of the text, made before the clock
// starts.
double Mejor(const Trabajo& t, int n) {
  Programa();
  const QString base = Lista(n);
  double mejor = 1e9;
  for (int vez = 0; vez < 7; ++vez) {
    const double s = UnaVez(t, base, n);
    if (s < 0) return -1;
    mejor = std::min(mejor, s);
  }
  return mejor;
}

// Each run of the work is paired with a bare run right after it, on the same
// text; the ratio printed is the median of the pairs'.
void Mide(benchmark::State& state, const Trabajo& t, const Trabajo& desnudo) {
  const int n = static_cast<int>(state.range(0));
  Programa();
  const QString base = Lista(n);
  Parejas parejas;
  for (auto _ : state) {
    const double medido = UnaVez(t, base, n);
    state.PauseTiming();
    const double desnuda = UnaVez(desnudo, base, n);
    state.ResumeTiming();
    if (medido < 0 || desnuda < 0) {
      state.SkipWithError("resultado incorrecto");
      return;
    }
    parejas.Agrega(medido, desnuda);
  }
  state.counters["entradas"] = n;
  Proporcion(state, "ratio_vs_bare", parejas);
}

void DescomponeYCuenta(benchmark::State& state) { Mide(state, Descompone, DescomponeDesnuda); }
void RecorreYBusca(benchmark::State& state) { Mide(state, Recorre, RecorreDesnuda); }

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
