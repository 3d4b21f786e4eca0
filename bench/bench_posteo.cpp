// The stock posting of a 500-line voucher at once (an inventory adjustment of
// demo articles; a third of the lines carry lots or serial numbers, so the
// voucher makes more movements than lines), as a ratio to inserting the same
// rows, with the same columns and values, through one prepared INSERT in one
// transaction on a plain connection with the program's settings. Target:
// within 3. The rows are checked: their count and the sum of the
// quantities, on both sides.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <vector>

#include "bench_comun.h"
#include "demo_db.h"
#include "demo_sqlite.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
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

struct Banco {
  QTemporaryDir dir;
  QString archivo;
  std::unique_ptr<Form> form;
  MSFlexGrid* grilla = nullptr;
  std::unique_ptr<ClsCmnCptes> cptes;
  int movimientos = 0;    // rows the voucher makes
  double cantidad = 0;    // sum of their quantities
};

// Made on first use; released before the application ends (its grid is a
// widget).
std::unique_ptr<Banco> gBanco;

Banco& Prepara() {
  if (gBanco) return *gBanco;
  gBanco = std::make_unique<Banco>();
  Banco* b = gBanco.get();
  b->archivo = b->dir.filePath(QStringLiteral("posteo.db"));
  demo::Opciones o;
  o.reportes = 40;
  o.articulos = 800;
  demo::CreaBaseDemo(b->archivo, o);
  ReiniciaEstadoGlobal();
  programa::FijaCarpeta(b->dir.path());
  bool usarIni = false;
  QString linea = QStringLiteral("@Server=; @DbName=posteo.db; @Usuario=supervisor; @Password=; @Caja=1;"), cadena;
  InicializaSistema(usarIni, linea, cadena);
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
      b->cantidad += f % 9 + 1;
      continue;
    }
    // Three units, each with its lot or serial number.
    g->SetTextMatrix(f, ColArticulos::kCantidad, QStringLiteral("3"));
    QString lista = QStringLiteral("|");
    for (int k = 1; k <= 3; ++k) lista += QStringLiteral("B%1-%2|").arg(f).arg(k);
    if (a[2] == QLatin1String("1")) {
      g->SetTextMatrix(f, ColArticulos::kPideSerie, QStringLiteral("-1"));
      g->SetTextMatrix(f, ColArticulos::kNroSerie, lista);
    } else {
      g->SetTextMatrix(f, ColArticulos::kNroLote, lista);
    }
    b->movimientos += 3;
    b->cantidad += 3;
  }
  return *b;
}

bool Verifica(const Banco& b) {
  Recordset rs;
  gDatos.AbreRecordset(QStringLiteral("SELECT COUNT(*), SUM(CANTIDAD) FROM V_MV_STOCK WHERE TC = ' AJP' AND "
                                      "IDCOMPROBANTE = '") + kClave + u'\'',
                       rs);
  return rs.Fields(0).Value().toInt() == b.movimientos && std::fabs(rs.Fields(1).Value().toDouble() - b.cantidad) < 1e-6;
}

void Borra() {
  gDatos.Ejecuta(QStringLiteral("DELETE FROM V_MV_STOCK WHERE IDCOMPROBANTE = '") + kClave + u'\'');
}

// One posting at once; seconds, or -1 when it failed or its rows are wrong.
double Posta(Banco& b) {
  bool hayError = false;
  QElapsedTimer t;
  t.start();
  const bool ok = b.cptes->ActualizaStock(b.grilla, QStringLiteral("AJP"), kClave, QStringLiteral("0"),
                                          QStringLiteral("2026-11-30"), QStringLiteral("1"));
  const double s = t.nsecsElapsed() / 1e9;
  return ok && !hayError && Verifica(b) ? s : -1;
}

// The rows of one posting, as it wrote them, to be inserted again through one
// prepared statement in one transaction on a plain connection with the
// program's settings.
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
    n_ = rs.FieldCount();
    for (; !rs.Eof(); rs.MoveNext()) {
      std::vector<QVariant> f;
      for (int i = 0; i < n_; ++i) f.push_back(rs.Fields(i).Value());
      filas_.push_back(std::move(f));
    }
    Borra();
    db_ = std::make_unique<demo::BaseSqlite>(b_.archivo);
    sqlite3_exec(db_->db, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(db_->db, 30000);
    QString marcas;
    for (int i = 0; i < n_; ++i) marcas += i ? QStringLiteral(", ?") : QStringLiteral("?");
    sql_ = QStringLiteral("INSERT INTO V_MV_STOCK (%1) VALUES (%2)").arg(QLatin1String(kColumnas), marcas).toUtf8();
    return static_cast<int>(filas_.size()) == b_.movimientos;
  }
  // Seconds of one insertion of the rows; -1 when they are not all there.
  double UnaVez() {
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db_->db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_->db, sql_.constData(), -1, &st, nullptr);
    for (const auto& f : filas_) {
      for (int i = 0; i < n_; ++i) {
        const QVariant& v = f[static_cast<size_t>(i)];
        if (v.isNull()) sqlite3_bind_null(st, i + 1);
        else if (v.typeId() == QMetaType::LongLong) sqlite3_bind_int64(st, i + 1, v.toLongLong());
        else if (v.typeId() == QMetaType::Double) sqlite3_bind_double(st, i + 1, v.toDouble());
        else {
          const QByteArray t8 = v.toString().toUtf8();
          sqlite3_bind_text(st, i + 1, t8.constData(), t8.size(), SQLITE_TRANSIENT);
        }
      }
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db_->db, "COMMIT", nullptr, nullptr, nullptr);
    const double s = t.nsecsElapsed() / 1e9;
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(db_->db, "SELECT COUNT(*) FROM V_MV_STOCK WHERE IDCOMPROBANTE = '000900000001X'", -1, &q, nullptr);
    sqlite3_step(q);
    const int puestas = sqlite3_column_int(q, 0);
    sqlite3_finalize(q);
    sqlite3_exec(db_->db, "DELETE FROM V_MV_STOCK WHERE IDCOMPROBANTE = '000900000001X'", nullptr, nullptr, nullptr);
    return puestas == b_.movimientos ? s : -1;
  }

 private:
  static constexpr const char* kColumnas =
      "TC, IDCOMPROBANTE, IDCOMPLEMENTO, SECUENCIA, FECHA, IDCAJA, IDDEPOSITO, IDDEPOSITO_DESTINO, IDARTICULO, "
      "DESCRIPCION, NROLOTE, CONTROLADOPOR, IDORIGEN, NROSERIE, IDUNIDAD, CANTIDAD, CANTIDADUD, IDUNIDADBASE, "
      "CUENTAPROVEEDOR, IDMOTIVOSTOCK, PRECIOVENTA, COSTO, IMPUESTOS, DTOITEM, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, "
      "ID_ORIGEN, IVARI, IVARNI, IDTECNICO, EQUIV_UDBASE, IDINSERT, IDCOMPULSA";
  Banco& b_;
  int n_ = 0;
  std::vector<std::vector<QVariant>> filas_;
  std::unique_ptr<demo::BaseSqlite> db_;
  QByteArray sql_;
};

// Each iteration posts the voucher and inserts its rows bare, one after the
// other, so the load of the machine weighs on both alike.
void PosteoDe500Lineas(benchmark::State& state) {
  Banco& b = Prepara();
  Desnuda desnuda(b);
  if (!desnuda.Lee()) {
    state.SkipWithError("el posteo no dejó las filas esperadas");
    return;
  }
  double posteo = 0, bare = 0, mejorPosteo = 1e9, mejorBare = 1e9;
  for (auto _ : state) {
    const double s = Posta(b);
    state.PauseTiming();
    Borra();
    const double d = desnuda.UnaVez();
    state.ResumeTiming();
    if (s < 0 || d < 0) {
      state.SkipWithError(s < 0 ? "el posteo no dejó las filas esperadas" : "la inserción desnuda no dejó las filas");
      return;
    }
    posteo += s;
    bare += d;
    mejorPosteo = std::min(mejorPosteo, s);
    mejorBare = std::min(mejorBare, d);
  }
  state.counters["lineas"] = kLineas;
  state.counters["movimientos"] = b.movimientos;
  state.counters["ratio_vs_bare"] = posteo / bare;
  state.counters["ratio_mejor_vs_bare"] = mejorPosteo / mejorBare;
  state.counters["dentro_de_3"] = posteo / bare <= 3.0 ? 1 : 0;
}
BENCHMARK(PosteoDe500Lineas)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  return CorreBenchmarks(argc, argv, [] {
    gDatos.Desconecta();
    gBanco.reset();
  });
}
