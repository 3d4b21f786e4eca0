// Opening the lot dialogs on an article with 5,000 stock rows, through the
// voucher class's requests (the dialog is made, loaded, shown and closed):
// - Salida: the lot and serial dialog in consultation mode, for a new line
//   and for a line reopened with previous lists of all 5,000 entries, with
//   another line of the article taking from 5,000 rows;
// - Posiciones: the position dialog with 5,000 positions and lots.
// Each figure is printed as the ratio to reading the same stock rows with a
// bare query; the grid is checked to hold every row.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

#include "bench_comun.h"
#include "demo_db.h"
#include "lots/frm_carga_lotes_y_series.h"
#include "lots/frm_lote_y_posicion.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kFilas = 5000;
const QString kArticulo = QStringLiteral("BENCH-LOTES");

struct Base {
  QTemporaryDir dir;
  QString archivo;
  std::unique_ptr<ClsCmnCptes> c;
  QString lotes, cantidades;  // every stock row, one unit each
};

// The program started on a database with the article's stock rows.
Base& Prepara() {
  static Base b;
  if (b.c) return b;
  ReiniciaEstadoGlobal();
  b.archivo = b.dir.filePath(QStringLiteral("lotes.db"));
  demo::CreaEsquema(b.archivo);
  programa::FijaCarpeta(b.dir.path());
  bool usarIni = false;
  QString linea = QStringLiteral("@Server=; @DbName=lotes.db; @Usuario=supervisor; @Password=;"), cadena;
  InicializaSistema(usarIni, linea, cadena);
  const QString art = ClsDatos::Literal(gUtil.FormateaCodigo(kArticulo, 25));
  gDatos.Ejecuta(QStringLiteral("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES (%1, 'Banco', "
                                "'  UN')")
                     .arg(art));
  gDatos.Ejecuta(QStringLiteral("BEGIN"));
  b.lotes = b.cantidades = QStringLiteral("|");
  for (int i = 1; i <= kFilas; ++i) {
    const QString lote = QStringLiteral("L%1").arg(i / 10, 5, 10, QChar(u'0'));
    const QString serie = QStringLiteral("SN%1").arg(i, 8, 10, QChar(u'0'));
    const QString posicion = QStringLiteral("P%1").arg(i, 5, 10, QChar(u'0'));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, "
                                  "CANTIDAD) VALUES (%1, '   1', %2, %3, 1)")
                       .arg(art, ClsDatos::Literal(lote.rightJustified(25)), ClsDatos::Literal(serie.rightJustified(25))));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, ORDENINGRESO) VALUES ('   1', "
                                  "%1, %2)")
                       .arg(ClsDatos::Literal(posicion.rightJustified(15)))
                       .arg(i));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO AC_SALDOSLAYOUT (IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, "
                                  "IDUNIDADBASE, SALDO) VALUES ('   1', %1, %2, %3, '  UN', 3)")
                       .arg(art, ClsDatos::Literal(posicion.rightJustified(15)), ClsDatos::Literal(lote.rightJustified(25))));
    b.lotes += lote + ClsCmnCptes::kUnionLoteSerie + serie + u'|';
    b.cantidades += QStringLiteral("1|");
  }
  gDatos.Ejecuta(QStringLiteral("COMMIT"));
  b.c = std::make_unique<ClsCmnCptes>();
  return b;
}

InteraccionGuionada& Guion() { return static_cast<InteraccionGuionada&>(Interaccion::Actual()); }

// Seconds of the bare reading of the rows each dialog shows.
double Desnuda(const Base& b, bool posiciones) {
  const QString art = gUtil.FormateaCodigo(kArticulo, 25);
  const QString sql =
      posiciones
          ? QStringLiteral("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,AC_SALDOSLAYOUT.idunidadbase, "
                           "ifnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM AC_SALDOSLAYOUT, ma_posiciones WHERE "
                           "ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
                           "ac_saldoslayout.idposicion=ma_posiciones.idposicion and ac_saldoslayout.IDDEPOSITO='   1' "
                           "and ac_saldoslayout.idarticulo='%1' and ac_saldoslayout.saldo > 0 order by "
                           "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion")
                .arg(art)
          : QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '%1' AND CANTIDAD > 0 AND "
                           "IDDEPOSITO = '   1' ORDER BY NROLOTE, NROSERIE")
                .arg(art);
  return LecturaDesnuda(b.archivo, sql, AjustesSqlite::DelPrograma(), false);
}

// One request; false when the dialog did not hold every stock row.
bool Salida(Base& b, bool reabierta) {
  MSFlexGrid grilla;
  grilla.SetCols(ClsCmnCptes::kColsArticulos);
  grilla.SetRows(3);
  grilla.SetTextMatrix(1, ColArticulos::kArticulo, kArticulo);
  grilla.SetTextMatrix(1, ColArticulos::kNroLote, b.lotes);
  grilla.SetTextMatrix(1, ColArticulos::kNroSerie, b.cantidades);
  grilla.SetTextMatrix(2, ColArticulos::kArticulo, kArticulo);
  grilla.SetRow(2);
  int filas = 0;
  Guion().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmCargaLotesySeries&>(f);
    filas = d.MSFlexGrid1->Rows();
    d.CmdCancelar_Click();
  });
  QString deposito = QStringLiteral("1"), lotes, cantidades;
  double cantidad = 100;
  b.c->PideSerieLote_Salidas(grilla, kArticulo, QStringLiteral("Banco"), cantidad, reabierta ? b.lotes : QString(),
                             reabierta ? b.cantidades : QString(), lotes, cantidades, true, true, false, &deposito);
  return filas == kFilas + 2;
}

bool Posiciones(Base& b, bool) {
  int filas = 0;
  Guion().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmLoteyPosicion&>(f);
    filas = d.MSFlexGrid1->Rows();
    d.CmdCancelar_Click();
  });
  QString posiciones, lotes;
  double cantidad = 100;
  b.c->PidePosicionLote(kArticulo, QStringLiteral("UN"), cantidad, QStringLiteral("1"), QString(), QString(),
                        posiciones, lotes, true, true);
  return filas == kFilas + 1;
}

using Trabajo = std::function<bool(Base&, bool)>;

void Mide(benchmark::State& state, const Trabajo& t, bool posiciones, bool reabierta) {
  Base& b = Prepara();
  const double desnuda = Desnuda(b, posiciones);
  double segundos = 0;
  for (auto _ : state) {
    QElapsedTimer r;
    r.start();
    const bool ok = t(b, reabierta);
    segundos += r.nsecsElapsed() / 1e9;
    if (!ok) {
      state.SkipWithError("el diálogo no muestra todas las filas");
      return;
    }
  }
  state.counters["filas"] = kFilas;
  state.counters["ratio_vs_bare"] = segundos / static_cast<double>(state.iterations()) / desnuda;
}

void SalidaNueva(benchmark::State& state) { Mide(state, Salida, false, false); }
void SalidaReabierta(benchmark::State& state) { Mide(state, Salida, false, true); }
void PosicionesYLotes(benchmark::State& state) { Mide(state, Posiciones, true, false); }

BENCHMARK(SalidaNueva)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(SalidaReabierta)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(PosicionesYLotes)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
