// Loading a stored voucher of 1,000 article lines, one article each, into
// the item grids of a voucher screen (AsignarDatosComprobante on grids laid
// out by InicializaGrids): an invoice, and a delivery note whose lines also
// read the quantity already delivered. Every article is of a type of its
// own (1,000 types), and every tenth line names a code the article master
// does not know (searched by every kind of bar code too).
//
// The reference is the load's own statements run bare: every statement the
// program sends on its connection during one load (caught by SQLite's trace
// hook, its bound values written in, the load's read transaction included),
// run in the same order on a bare connection set up as the program's,
// stepping every column of every row. Each load is paired with such a bare
// run right after it; "ratio_vs_bare" is the median of the pairs' ratios.
// "sentencias_por_carga" is the number of statements one load sends (on a
// server, its round trips), which must not grow with the lines' types or
// unknown codes; "bajo_300ms" is 1 when a load takes under 300 ms. After
// every load the grid is checked: its row count, and the article, quantity
// shown, amount, total and type description of every 97th line and of the
// last one against the stored rows read bare.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "bench_comun.h"
#include "demo_db.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "support/traza_sentencias.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kLineas = 1000;
// Every kDesconocido-th line names a code the master does not know.
constexpr int kDesconocido = 10;
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
// per line, each article of a type of its own, lots on some, every
// kDesconocido-th code unknown to the master), and an invoice that
// delivered part of the note.
void Prepara() {
  static bool hecho = false;
  if (hecho) return;
  hecho = true;
  {
    // The program's connection is traced; the bare ones opened later are
    // not.
    TrazaSentencias traza;
    Datos().IniciaPrograma();
  }
  gDatos.Ejecuta(QStringLiteral("UPDATE V_MA_ARTICULOS SET IDTIPO = (SELECT printf('T%03d', COUNT(*)) FROM "
                                "V_MA_ARTICULOS b WHERE b.IDARTICULO < V_MA_ARTICULOS.IDARTICULO)"));
  gDatos.Ejecuta(QStringLiteral("INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) SELECT IDTIPO, 'Tipo ' || "
                                "IDTIPO FROM V_MA_ARTICULOS WHERE IDTIPO NOT IN (SELECT IDTIPO FROM TA_TIPOARTICULO)"));
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
                       "SELECT %1, '%2', 0, CASE WHEN ROWID % %4 = 0 THEN printf('%25s', 'NO-' || ROWID) ELSE "
                       "IDARTICULO END, DESCRIPCION, IDUNIDAD, 1 + ROWID % 7, IDUNIDAD, 1 + ROWID % 7, "
                       "1, '   1', PRECIO1, PRECIO1 / 1.21, 0, PRECIO1 * (1 + ROWID % 7), PRECIO1, COSTO, 0, ALICIVA, "
                       "EXENTO, PRESENTACION, CASE WHEN USALOTE = 1 THEN '|L' || ROWID || '|' END, NULL, '   1', ROWID "
                       "FROM V_MA_ARTICULOS ORDER BY IDARTICULO LIMIT %3")
                       .arg(t, kClave)
                       .arg(kLineas)
                       .arg(kDesconocido));
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

// What a sample of the voucher's lines must show, read bare from the stored
// rows: article, quantity (a delivery note's less what the invoice made
// from it delivered of the article), amount, total and the description of
// the article's type (none for a code the master does not know).
std::vector<std::pair<long, QStringList>> Esperadas(BaseDesnuda& b, const QString& tc) {
  const QString entregado = tc == QLatin1String("RM")
                                ? QStringLiteral("IFNULL((SELECT SUM(f.CANTIDAD) FROM V_MV_CPTEINSUMOS f WHERE "
                                                 "f.TC = '  FC' AND f.IDCOMPROBANTE = '000199999998A' AND "
                                                 "f.IDARTICULO = i.IDARTICULO), 0)")
                                : QStringLiteral("0");
  return b.Muestra(QStringLiteral("SELECT TRIM(i.IDARTICULO), i.CANTIDAD - %1, i.IMPORTE, i.TOTAL, "
                                  "IFNULL((SELECT t.DESCRIPCION FROM V_MA_ARTICULOS a JOIN TA_TIPOARTICULO t ON "
                                  "t.IDTIPO = a.IDTIPO WHERE a.IDARTICULO = i.IDARTICULO), '') FROM "
                                  "V_MV_CPTEINSUMOS i WHERE i.TC = '%2' AND i.IDCOMPROBANTE = '%3' AND "
                                  "i.IDCOMPLEMENTO = 0 ORDER BY i.ID")
                       .arg(entregado, tc.rightJustified(4), kClave),
                   97);
}

// Whether the article grid holds the voucher: its row count, and each
// sampled line (row = its position + 1) as the stored row says. Amounts are
// shown at the configured decimals (2): within half a cent.
QString Compara(const MSFlexGrid& g, const std::vector<std::pair<long, QStringList>>& esperadas) {
  if (g.Rows() != kLineas + 2) return QStringLiteral("%1 filas en la grilla").arg(g.Rows());
  if (esperadas.size() < kLineas / 97) return QStringLiteral("no se leyeron las líneas guardadas");
  for (const auto& [fila, valores] : esperadas) {
    const int r = static_cast<int>(fila) + 1;
    using namespace ColArticulos;
    auto cerca = [&](int columna, int i, double tolerancia) {
      return std::fabs(NumeroCelda(g.TextMatrix(r, columna)) - valores[i].toDouble()) <= tolerancia;
    };
    if (g.TextMatrix(r, kArticulo) != valores[0] || !cerca(kCantidad, 1, kToleranciaCantidad) ||
        !cerca(kImporte, 2, 0.005 + 1e-9) || !cerca(kTotal, 3, 0.005 + 1e-9) ||
        g.TextMatrix(r, kDescripcionTipo) != valores[4] || g.TextMatrix(r, kCpteCargado) != kClave)
      return QStringLiteral("la línea %1 muestra %2, %3, %4, %5, %6 y guarda %7")
          .arg(r)
          .arg(g.TextMatrix(r, kArticulo), g.TextMatrix(r, kCantidad), g.TextMatrix(r, kImporte),
               g.TextMatrix(r, kTotal), g.TextMatrix(r, kDescripcionTipo), valores.join(u'/'));
  }
  return QString();
}

void Carga(benchmark::State& state, const QString& tc) {
  Prepara();
  ClsCmnCptes c;
  Pantalla p;
  auto disponer = [&] { c.InicializaGrids(p.g1, p.g2, p.g3, p.t1, p.t2, p.t3, &p.form, tc); };
  auto cargar = [&] { return c.AsignarDatosComprobante(tc, kClave, QStringLiteral("0"), *p.g1, *p.g2, *p.g3); };
  // One load, untimed, gives the statements a load sends.
  disponer();
  TrazaSentencias::Guarda(true);
  const bool primera = cargar();
  TrazaSentencias::Guarda(false);
  const QStringList sentencias = TrazaSentencias::Textos();
  BaseDesnuda b(Datos().Base(), AjustesSqlite::DelPrograma());
  const auto esperadas = Esperadas(b, tc);
  if (!primera || LecturasDesnudas(b, sentencias) < 0) {
    state.SkipWithError("la carga o sus sentencias no corren");
    return;
  }
  Parejas parejas;
  std::vector<double> tiempos;
  for (auto _ : state) {
    // The grids are laid out before the clock starts.
    disponer();
    const long antes = TrazaSentencias::Cuenta();
    bool cargado = false;
    Mide(state, tiempos, [&] { cargado = cargar(); });
    const long enviadas = TrazaSentencias::Cuenta() - antes;
    QString falla = cargado ? Compara(*p.g2, esperadas) : QStringLiteral("la carga falló");
    if (falla.isEmpty() && enviadas != sentencias.size())
      falla = QStringLiteral("%1 sentencias en una carga y %2 en otra").arg(enviadas).arg(sentencias.size());
    if (!falla.isEmpty()) {
      state.SkipWithError(falla.toUtf8().constData());
      return;
    }
    const double desnuda = LecturasDesnudas(b, sentencias);
    if (desnuda < 0) {
      state.SkipWithError("las sentencias de la carga no corren desnudas");
      return;
    }
    parejas.Agrega(tiempos.back(), desnuda);
  }
  state.counters["lineas"] = kLineas;
  state.counters["tipos"] = kLineas - kLineas / kDesconocido;  // one per known article
  state.counters["desconocidos"] = kLineas / kDesconocido;
  state.counters["sentencias_por_carga"] = static_cast<double>(sentencias.size());
  Proporcion(state, "ratio_vs_bare", parejas);
  state.counters["bajo_300ms"] = Mediana(tiempos) < 0.3 ? 1 : 0;
}

void CargaFactura(benchmark::State& state) { Carga(state, QStringLiteral("FC")); }
void CargaRemito(benchmark::State& state) { Carga(state, QStringLiteral("RM")); }

BENCHMARK(CargaFactura)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(CargaRemito)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
