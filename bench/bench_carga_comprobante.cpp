// Loading a stored voucher of 1,000 article lines into the item grids of a
// voucher screen (AsignarDatosComprobante on grids laid out by
// InicializaGrids): an invoice, and a delivery note whose lines also read
// the quantity already delivered. Each figure is printed as its ratio to
// reading the same lines (every column) in one bare SQLite query; the
// counter "bajo_300ms" is 1 when one load takes under 300 ms. The grids are
// checked after every load: a wrong row count or an empty line stops the
// benchmark.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <memory>

#include "bench_comun.h"
#include "demo_db.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kLineas = 1000;
const QString kClave = QStringLiteral("000199999999A");

// The benchmark's own temporary folder, with the demo database in it.
CarpetaBench& Datos() {
  static std::unique_ptr<CarpetaBench> c;
  if (!c) {
    demo::Opciones o;
    o.reportes = 40;
    o.articulos = kLineas + 200;
    c = std::make_unique<CarpetaBench>(o);
  }
  return *c;
}

// The program started on a demo database holding, under the key kClave, an
// invoice and a delivery note of kLineas article lines each (one article
// per line, lots on some), and an invoice that delivered part of the note.
void Prepara() {
  static bool hecho = false;
  if (hecho) return;
  hecho = true;
  ReiniciaEstadoGlobal();
  programa::FijaCarpeta(Datos().Ruta());
  bool usarIni = false;
  QString linea = QStringLiteral("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;"), cadena;
  InicializaSistema(usarIni, linea, cadena);
  for (const char* tc : {"  FC", "  RM"}) {
    const QString t = ClsDatos::Literal(QString::fromLatin1(tc));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, CONDICIONIVA, "
                                  "IDREPARTO) VALUES (%1, '%2', 0, '100001', 4, 0)")
                       .arg(t, kClave));
    gDatos.Ejecuta(QStringLiteral(
                       "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, DESCRIPCION, "
                       "IDUNIDAD, CANTIDAD, IDUNIDADBASE, CANTIDADUD, EQUIV_UDBASE, IDDEPOSITO, IMPORTE, IMPORTE_S_IVA, "
                       "IMPUESTOS, TOTAL, PRECIO_LISTA, COSTO, PORCDTO, ALICIVA, EXENTO, PRESENTACION, NRO_LOTE, "
                       "NRO_SERIE, IDORIGEN, PALLETS) "
                       "SELECT %1, '%2', 0, IDARTICULO, DESCRIPCION, IDUNIDAD, 1 + ROWID % 7, IDUNIDAD, 1 + ROWID % 7, "
                       "1, '   1', PRECIO1, PRECIO1 / 1.21, 0, PRECIO1 * (1 + ROWID % 7), PRECIO1, COSTO, 0, ALICIVA, "
                       "EXENTO, PRESENTACION, CASE WHEN USALOTE = 1 THEN '|L' || ROWID || '|' END, NULL, '   1', ROWID "
                       "FROM V_MA_ARTICULOS ORDER BY IDARTICULO LIMIT %3")
                       .arg(t, kClave)
                       .arg(kLineas));
  }
  gDatos.Ejecuta(QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN) "
                                "VALUES ('  FC', '000199999998A', 0, '  RM', '%1')")
                     .arg(kClave));
  gDatos.Ejecuta(QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD) "
                                "SELECT '  FC', '000199999998A', 0, IDARTICULO, 1 FROM V_MV_CPTEINSUMOS WHERE "
                                "TC = '  RM' AND IDCOMPROBANTE = '%1' AND ID % 3 = 0")
                     .arg(kClave));
}

// A voucher screen's grids and their editors.
struct Pantalla {
  Form form{QStringLiteral("FrmComprobante")};
  MSFlexGrid* g1 = new MSFlexGrid(&form, QStringLiteral("MSFlexGrid1"));
  MSFlexGrid* g2 = new MSFlexGrid(&form, QStringLiteral("MSFlexGrid2"));
  MSFlexGrid* g3 = new MSFlexGrid(&form, QStringLiteral("MSFlexGrid3"));
  TextBox* t1 = new TextBox(&form, QStringLiteral("TxtEdit"));
  TextBox* t2 = new TextBox(&form, QStringLiteral("TxtEdit2"));
  TextBox* t3 = new TextBox(&form, QStringLiteral("TxtEdit3"));
};

// Lays the grids out, loads the voucher and checks the article grid; the
// seconds of the load alone, or -1 when the grids are wrong.
double CargaUna(ClsCmnCptes& c, Pantalla& p, const QString& tc) {
  c.InicializaGrids(p.g1, p.g2, p.g3, p.t1, p.t2, p.t3, &p.form, tc);
  QElapsedTimer t;
  t.start();
  const bool cargado = c.AsignarDatosComprobante(tc, kClave, QStringLiteral("0"), *p.g1, *p.g2, *p.g3);
  const double segundos = t.nsecsElapsed() / 1e9;
  if (!cargado || p.g2->Rows() != kLineas + 2) return -1;
  for (int r = 1; r <= kLineas; r += 97)
    if (p.g2->TextMatrix(r, ColArticulos::kArticulo).isEmpty() ||
        p.g2->TextMatrix(r, ColArticulos::kCantidad).isEmpty() ||
        p.g2->TextMatrix(r, ColArticulos::kCpteCargado) != kClave)
      return -1;
  return segundos;
}

void Carga(benchmark::State& state, const QString& tc) {
  Prepara();
  const double desnuda = LecturaDesnuda(
      Datos().Base(),
      QStringLiteral("SELECT * FROM V_MV_CPTEINSUMOS WHERE TC = '%1' AND IDCOMPROBANTE = '%2' AND IDCOMPLEMENTO = 0 "
                     "ORDER BY ID")
          .arg(tc.rightJustified(4), kClave),
      AjustesSqlite::DelPrograma(), false);
  ClsCmnCptes c;
  Pantalla p;
  double total = 0, mejor = 1e9;
  for (auto _ : state) {
    const double s = CargaUna(c, p, tc);
    if (s < 0) {
      state.SkipWithError("las grillas no quedaron como el comprobante");
      return;
    }
    state.SetIterationTime(s);
    total += s;
    mejor = std::min(mejor, s);
  }
  const double porVez = total / static_cast<double>(state.iterations());
  state.counters["lineas"] = kLineas;
  state.counters["ratio_vs_bare"] = porVez / desnuda;
  state.counters["mejor_ratio_vs_bare"] = mejor / desnuda;
  state.counters["bajo_300ms"] = porVez < 0.3 ? 1 : 0;
}

void CargaFactura(benchmark::State& state) { Carga(state, QStringLiteral("FC")); }
void CargaRemito(benchmark::State& state) { Carga(state, QStringLiteral("RM")); }

BENCHMARK(CargaFactura)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(CargaRemito)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
