// The stock posting of a 500-line voucher at once (an inventory adjustment of
// demo articles; a third of the lines carry lots or serial numbers, so the
// voucher makes more movements than lines), as a ratio to a bare program
// inserting the same rows, with the same columns and values, through one
// prepared INSERT in one transaction on a bare connection (bench_comun.h),
// checking every return code. Each posting is paired with a bare insertion
// right after it; the ratio is the median of the pairs'. Target: within 3.
// Both sides are checked: the stock each article, warehouse, lot and serial
// holds afterwards is the stock the voucher's lines say, and there is one row
// per movement.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "bench_comun.h"
#include "demo_db.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kLineas = 500;
const QString kClave = QStringLiteral("000900000001X");
const QString kDeposito = QStringLiteral("1");

// Stock per article, warehouse, lot and serial ("" none), as stored.
using Saldos = std::map<QString, double>;

QString Clave(const QString& articulo, const QString& deposito, const QString& lote, const QString& serie) {
  auto codigo = [](const QString& t, int ancho) { return t.isEmpty() ? QString() : gUtil.FormateaCodigo(t, ancho); };
  return codigo(articulo, 25) + u'|' + codigo(deposito, 4) + u'|' + codigo(lote, 25) + u'|' + codigo(serie, 25);
}

// The voucher's stock as V_MV_STOCK holds it: article, warehouse, lot,
// serial, quantity and the count of rows, one group a row.
const QString kSaldos = QStringLiteral(
    "SELECT IDARTICULO, IDDEPOSITO, IFNULL(NROLOTE, ''), IFNULL(NROSERIE, ''), SUM(CANTIDAD), COUNT(*) FROM "
    "V_MV_STOCK WHERE TC = ' AJP' AND IDCOMPROBANTE = '000900000001X' GROUP BY IDARTICULO, IDDEPOSITO, NROLOTE, "
    "NROSERIE");

// Whether the groups read (texts: article, warehouse, lot, serial, sum,
// count) are the stock expected, with one row per movement.
bool MismosSaldos(const std::vector<QStringList>& grupos, const Saldos& esperado, int movimientos) {
  if (grupos.size() != esperado.size()) return false;
  int filas = 0;
  for (const QStringList& g : grupos) {
    if (g.size() != 6) return false;
    const auto it = esperado.find(g[0] + u'|' + g[1] + u'|' + g[2] + u'|' + g[3]);
    if (it == esperado.end() || std::fabs(g[4].toDouble() - it->second) > 0.00005) return false;
    filas += g[5].toInt();
  }
  return filas == movimientos;
}

struct Banco {
  CarpetaBench carpeta{demo::Opciones{.reportes = 40, .articulos = 800}};
  std::unique_ptr<Form> form;
  MSFlexGrid* grilla = nullptr;
  std::unique_ptr<ClsCmnCptes> cptes;
  int movimientos = 0;  // rows the voucher makes
  Saldos saldos;        // the stock they leave
};

// Made on first use; released before the application ends (its grid is a
// widget).
std::unique_ptr<Banco> gBanco;

Banco& Prepara() {
  if (gBanco) return *gBanco;
  gBanco = std::make_unique<Banco>();
  Banco* b = gBanco.get();
  b->carpeta.IniciaPrograma(QStringLiteral(" @Caja=1;"));
  // No components in this voucher: the posting proper is measured.
  b->form = std::make_unique<Form>(QStringLiteral("FrmAjuste"));
  b->grilla = new MSFlexGrid(b->form.get(), QStringLiteral("MSFlexGrid2"));
  auto* editor = new TextBox(b->form.get(), QStringLiteral("TxtEdit2"));
  b->cptes = std::make_unique<ClsCmnCptes>();
  b->cptes->InicializaGrids(nullptr, b->grilla, nullptr, nullptr, editor, nullptr, b->form.get(), QStringLiteral("AJP"));
  Recordset rs;
  gDatos.AbreRecordset(QStringLiteral("SELECT a.IDARTICULO, a.USALOTE, a.USASERIE, a.IDUNIDAD FROM V_MA_ARTICULOS a "
                                      "WHERE NOT EXISTS (SELECT 1 FROM V_MA_INSUMOS i WHERE i.IDARTICULO = a.IDARTICULO) "
                                      "ORDER BY a.IDARTICULO"),
                       rs);
  std::vector<std::vector<QString>> plano, seguido;
  for (; !rs.Eof(); rs.MoveNext()) {
    std::vector<QString> a;
    for (int i = 0; i < 4; ++i) a.push_back(vb::Texto(rs.Fields(i).Value()).trimmed());
    (a[1] == QLatin1String("1") || a[2] == QLatin1String("1") ? seguido : plano).push_back(a);
  }
  MSFlexGrid* g = b->grilla;
  g->SetRows(kLineas + 1);
  for (int f = 1; f <= kLineas; ++f) {
    const bool conLista = f % 3 == 0;
    const auto& a = conLista ? seguido[static_cast<size_t>(f) % seguido.size()] : plano[static_cast<size_t>(f) % plano.size()];
    g->SetTextMatrix(f, ColArticulos::kArticulo, a[0]);
    g->SetTextMatrix(f, ColArticulos::kDescripcion, QStringLiteral("Artículo de la línea %1").arg(f));
    g->SetTextMatrix(f, ColArticulos::kUnidad, a[3]);
    g->SetTextMatrix(f, ColArticulos::kImporte, QStringLiteral("1234,50"));
    if (!conLista) {
      g->SetTextMatrix(f, ColArticulos::kCantidad, QString::number(f % 9 + 1));
      b->movimientos += 1;
      b->saldos[Clave(a[0], kDeposito, QString(), QString())] += f % 9 + 1;
      continue;
    }
    // Three units, each with its lot or serial number.
    g->SetTextMatrix(f, ColArticulos::kCantidad, QStringLiteral("3"));
    const bool porSerie = a[2] == QLatin1String("1");
    QString lista = QStringLiteral("|");
    for (int k = 1; k <= 3; ++k) {
      const QString codigo = QStringLiteral("B%1-%2").arg(f).arg(k);
      lista += codigo + u'|';
      b->saldos[Clave(a[0], kDeposito, porSerie ? QString() : codigo, porSerie ? codigo : QString())] += 1;
    }
    if (porSerie) {
      g->SetTextMatrix(f, ColArticulos::kPideSerie, QStringLiteral("-1"));
      g->SetTextMatrix(f, ColArticulos::kNroSerie, lista);
    } else {
      g->SetTextMatrix(f, ColArticulos::kNroLote, lista);
    }
    b->movimientos += 3;
  }
  return *b;
}

// The voucher's stock as the program's connection reads it.
std::vector<QStringList> SaldosDelPrograma() {
  std::vector<QStringList> grupos;
  Recordset rs;
  gDatos.AbreRecordset(kSaldos, rs);
  for (; !rs.Eof(); rs.MoveNext()) {
    QStringList g;
    for (int i = 0; i < rs.FieldCount(); ++i) g << vb::Texto(rs.Fields(i).Value());
    grupos.push_back(g);
  }
  return grupos;
}

void Borra() {
  gDatos.Ejecuta(QStringLiteral("DELETE FROM V_MV_STOCK WHERE IDCOMPROBANTE = '") + kClave + u'\'');
}

// One posting at once: its seconds, or -1 when it failed, reported an error
// or did not leave the voucher's stock.
double Posta(Banco& b) {
  bool hayError = false;
  QElapsedTimer t;
  t.start();
  const bool ok = b.cptes->ActualizaStock(b.grilla, QStringLiteral("AJP"), kClave, QStringLiteral("0"),
                                          QStringLiteral("2026-11-30"), kDeposito, QString(), QString(), QString(),
                                          QString(), false, QString(), false, nullptr, &hayError);
  const double s = t.nsecsElapsed() / 1e9;
  return ok && !hayError && MismosSaldos(SaldosDelPrograma(), b.saldos, b.movimientos) ? s : -1;
}

// The rows of one posting, as it wrote them, inserted again by a bare
// program: one prepared INSERT in one transaction on a bare connection.
class Desnuda {
 public:
  explicit Desnuda(Banco& b) : b_(b) {}
  // Reads the rows of one posting; false when the posting failed.
  bool Lee() {
    if (Posta(b_) < 0) return false;
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("SELECT %1 FROM V_MV_STOCK WHERE IDCOMPROBANTE = '%2' ORDER BY SECUENCIA")
                             .arg(QLatin1String(kColumnas), kClave),
                         rs);
    const int n = rs.FieldCount();
    for (; !rs.Eof(); rs.MoveNext()) {
      std::vector<QVariant> f;
      for (int i = 0; i < n; ++i) f.push_back(rs.Fields(i).Value());
      filas_.push_back(std::move(f));
    }
    Borra();
    db_ = std::make_unique<BaseDesnuda>(b_.carpeta.Base(), AjustesSqlite::DelPrograma());
    QString marcas;
    for (int i = 0; i < n; ++i) marcas += i ? QStringLiteral(", ?") : QStringLiteral("?");
    sql_ = QStringLiteral("INSERT INTO V_MV_STOCK (%1) VALUES (%2)").arg(QLatin1String(kColumnas), marcas);
    return static_cast<int>(filas_.size()) == b_.movimientos;
  }
  // Seconds of one insertion of the rows; -1 when one failed or they do not
  // leave the voucher's stock. The rows are removed afterwards.
  double UnaVez() {
    QElapsedTimer t;
    t.start();
    const long puestas = db_->Inserta(sql_, filas_);
    const double s = t.nsecsElapsed() / 1e9;
    std::vector<QStringList> grupos;
    for (auto& [fila, valores] : db_->Muestra(kSaldos, 1)) grupos.push_back(valores);
    const bool bien = puestas == b_.movimientos && MismosSaldos(grupos, b_.saldos, b_.movimientos);
    const bool borradas =
        db_->Escribe({QStringLiteral("DELETE FROM V_MV_STOCK WHERE IDCOMPROBANTE = '") + kClave + u'\''}) == puestas;
    return bien && borradas ? s : -1;
  }

 private:
  static constexpr const char* kColumnas =
      "TC, IDCOMPROBANTE, IDCOMPLEMENTO, SECUENCIA, FECHA, IDCAJA, IDDEPOSITO, IDDEPOSITO_DESTINO, IDARTICULO, "
      "DESCRIPCION, NROLOTE, CONTROLADOPOR, IDORIGEN, NROSERIE, IDUNIDAD, CANTIDAD, CANTIDADUD, IDUNIDADBASE, "
      "CUENTAPROVEEDOR, IDMOTIVOSTOCK, PRECIOVENTA, COSTO, IMPUESTOS, DTOITEM, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, "
      "ID_ORIGEN, IVARI, IVARNI, IDTECNICO, EQUIV_UDBASE, IDINSERT, IDCOMPULSA";
  Banco& b_;
  std::vector<std::vector<QVariant>> filas_;
  std::unique_ptr<BaseDesnuda> db_;
  QString sql_;
};

// Each iteration posts the voucher and then inserts its rows bare, so a
// change of the machine's speed falls on both sides of the pair.
void PosteoDe500Lineas(benchmark::State& state) {
  Banco& b = Prepara();
  Desnuda desnuda(b);
  if (!desnuda.Lee()) {
    state.SkipWithError("el posteo no dejó el stock esperado");
    return;
  }
  Parejas parejas;
  for (auto _ : state) {
    const double s = Posta(b);
    Borra();
    const double d = desnuda.UnaVez();
    if (s < 0 || d < 0) {
      state.SkipWithError(s < 0 ? "el posteo no dejó el stock esperado" : "la inserción desnuda no dejó el stock esperado");
      return;
    }
    state.SetIterationTime(s);
    parejas.Agrega(s, d);
  }
  state.counters["lineas"] = kLineas;
  state.counters["movimientos"] = b.movimientos;
  Proporcion(state, "ratio_vs_desnuda", parejas);
  state.counters["dentro_de_3"] = parejas.Proporcion() <= 3.0 ? 1 : 0;
}
BENCHMARK(PosteoDe500Lineas)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  return CorreBenchmarks(argc, argv, [] {
    gDatos.Desconecta();
    gBanco.reset();
  });
}
