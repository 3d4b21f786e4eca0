// Opening the lot dialogs on an article with 5,000 stock rows, through the
// voucher class's requests (the dialog is made, loaded, shown and closed):
// - Salida: the lot and serial dialog in consultation mode, for a new line
//   and for a line reopened with previous lists of all 5,000 entries, with
//   another line of the article taking one unit of each of the 5,000 rows;
// - Posiciones: the position dialog with 5,000 positions and lots, and the
//   warehouse's stock outside any position.
// Each request is paired with a bare run of the very statements the dialog
// sends (learnt once from the program's connection by SQLite's trace hook,
// bound values written in, then read through SQLite's own C interface on a
// warm connection set up as the program's, every column of every row), and
// the ratio printed is the median of the pairs. The grid is checked to hold
// one row per row the first statement reads, and a sample of about a
// hundred rows (the last among them) to show that row's values with the
// quantities the dialog must put in them.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "bench_comun.h"
#include "demo_db.h"
#include "lots/frm_carga_lotes_y_series.h"
#include "lots/frm_lote_y_posicion.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "support/traza_sentencias.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

constexpr int kFilas = 5000;
// Every stock row and every position holds 3; the other line takes 1 of each
// stock row; the warehouse holds kFueraDePosicion outside any position.
constexpr double kStockPorFila = 3;
constexpr double kFueraDePosicion = 7;
constexpr double kPedido = 100;
const QString kArticulo = QStringLiteral("BENCH-LOTES");

struct Base {
  CarpetaBench carpeta;  // the schema alone
  std::unique_ptr<ClsCmnCptes> c;
  QString lotes, cantidades;  // every stock row, one unit each
};

// The program started on a database with the article's stock rows.
Base& Prepara() {
  static Base b;
  if (b.c) return b;
  b.carpeta.IniciaPrograma();
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
                                  "CANTIDAD) VALUES (%1, '   1', %2, %3, %4)")
                       .arg(art, ClsDatos::Literal(lote.rightJustified(25)), ClsDatos::Literal(serie.rightJustified(25)),
                            ClsDatos::Numero(kStockPorFila)));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, ORDENINGRESO) VALUES ('   1', "
                                  "%1, %2)")
                       .arg(ClsDatos::Literal(posicion.rightJustified(15)))
                       .arg(i));
    gDatos.Ejecuta(QStringLiteral("INSERT INTO AC_SALDOSLAYOUT (IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, "
                                  "IDUNIDADBASE, SALDO) VALUES ('   1', %1, %2, %3, '  UN', %4)")
                       .arg(art, ClsDatos::Literal(posicion.rightJustified(15)),
                            ClsDatos::Literal(lote.rightJustified(25)), ClsDatos::Numero(kStockPorFila)));
    b.lotes += lote + ClsCmnCptes::kUnionLoteSerie + serie + u'|';
    b.cantidades += QStringLiteral("1|");
  }
  gDatos.Ejecuta(QStringLiteral("INSERT INTO AC_SALDOSLAYOUT (IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, "
                                "IDUNIDADBASE, SALDO) VALUES ('   1', %1, NULL, NULL, '  UN', %2)")
                     .arg(art, ClsDatos::Numero(kFueraDePosicion)));
  gDatos.Ejecuta(QStringLiteral("COMMIT"));
  b.c = std::make_unique<ClsCmnCptes>();
  return b;
}

InteraccionGuionada& Guion() { return static_cast<InteraccionGuionada&>(Interaccion::Actual()); }

// What one run of the work sends to the database: the statements SQLite
// runs on a connection opened as the program's (its trace hook), as a bare
// connection runs them again. The program's connection is then opened anew
// as it was, so the timed runs go through nothing else.
QStringList Aprende(const Base& b, const std::function<void()>& trabajo) {
  Connection& con = gDatos.Conexion();
  const QString cadena = con.ConnectionString();
  {
    TrazaSentencias traza;
    con.Abre(ado::AbreSqlite(b.carpeta.Base(), con.CommandTimeout()), cadena);
  }
  TrazaSentencias::Guarda(true);
  trabajo();
  TrazaSentencias::Guarda(false);
  con.Abre(ado::AbreSqlite(b.carpeta.Base(), con.CommandTimeout()), cadena);
  return TrazaSentencias::Textos();
}

// The data rows of a grid: every row's cells for a sample of rows (every
// paso-th, the first and the last among them), kept by the row number.
struct Muestra {
  int filas = 0;
  std::vector<std::pair<int, QStringList>> celdas;
};

Muestra TomaMuestra(const MSFlexGrid& g, int paso) {
  Muestra m;
  m.filas = g.Rows() - 1;
  for (int r = 1; r < g.Rows(); ++r) {
    if ((r - 1) % paso != 0 && r != g.Rows() - 1) continue;
    QStringList fila;
    for (int c = 0; c < g.Cols(); ++c) fila << g.TextMatrix(r, c);
    m.celdas.emplace_back(r, fila);
  }
  return m;
}

// The cells a data row must show for the statement's row (its values by
// column name), as the dialog fills it.
using Esperada = std::function<QStringList(int fila, const QHash<QString, QString>& valores)>;

QString Numero(double v) { return TextoCelda(v); }

// A new line of 100 spread over the stock rows once the other line's unit of
// each is taken (2 each): the first 50 rows give 2. A reopened line gets its
// own unit of each row back; its blank row, which it took nothing from,
// stays empty.
Esperada SalidaEsperada(bool reabierta) {
  return [reabierta](int fila, const QHash<QString, QString>& v) {
    const double propia = reabierta ? 1 : (fila <= kPedido / (kStockPorFila - 1) ? kStockPorFila - 1 : 0);
    return QStringList{vb::Trim(v.value(QStringLiteral("nrolote"))), vb::Trim(v.value(QStringLiteral("nroserie"))),
                       Numero(gUtil.ConvierteDoble(v.value(QStringLiteral("cantidad"))) - 1), Numero(propia)};
  };
}

// 100 spread over positions of 3 each: 33 rows of 3, then 1.
QStringList PosicionEsperada(int fila, const QHash<QString, QString>& v) {
  const double resto = kPedido - (fila - 1) * kStockPorFila;
  return QStringList{vb::Trim(v.value(QStringLiteral("idposicion"))), vb::Trim(v.value(QStringLiteral("nrolote"))),
                     QStringLiteral("UN"), Numero(gUtil.ConvierteDoble(v.value(QStringLiteral("disponible")))),
                     Numero(std::clamp(resto, 0.0, kStockPorFila))};
}

// The grid against the rows the learnt statements read bare, one data row
// per row the first of them reads, plus the rows the dialog adds of its own
// (filasPropias: each with its cells). Empty when they agree, else what
// differs.
QString Compara(const Base& b, const QStringList& sentencias, const Muestra& m, const Esperada& esperada,
                const std::vector<std::pair<int, QStringList>>& filasPropias) {
  BaseDesnuda d(b.carpeta.Base(), AjustesSqlite::DelPrograma());
  QStringList nombres;
  const auto muestra = d.Muestra(sentencias.value(0), 1, &nombres);
  const int leidas = static_cast<int>(muestra.size());
  if (leidas != kFilas) return QStringLiteral("the stock statement read %1 rows").arg(leidas);
  if (m.filas != leidas + static_cast<int>(filasPropias.size()))
    return QStringLiteral("the grid holds %1 rows for %2 read").arg(m.filas).arg(leidas);
  for (const auto& [fila, celdas] : m.celdas) {
    QStringList debe;
    if (fila <= leidas) {
      QHash<QString, QString> valores;
      for (int i = 0; i < nombres.size() && i < muestra[fila - 1].second.size(); ++i)
        valores.insert(nombres[i].toLower(), muestra[fila - 1].second[i]);
      debe = esperada(fila, valores);
    } else {
      debe = filasPropias[static_cast<size_t>(fila - leidas - 1)].second;
    }
    if (celdas.mid(0, debe.size()) != debe)
      return QStringLiteral("row %1 shows %2 for %3").arg(fila).arg(celdas.join(u','), debe.join(u','));
  }
  return QString();
}

// One lot and serial request for the line in row 2, with the other line in
// row 1; the grid as the dialog showed it goes to m.
void Salida(Base& b, bool reabierta, Muestra& m) {
  MSFlexGrid grilla;
  grilla.SetCols(ClsCmnCptes::kColsArticulos);
  grilla.SetRows(3);
  grilla.SetTextMatrix(1, ColArticulos::kArticulo, kArticulo);
  grilla.SetTextMatrix(1, ColArticulos::kNroLote, b.lotes);
  grilla.SetTextMatrix(1, ColArticulos::kNroSerie, b.cantidades);
  grilla.SetTextMatrix(2, ColArticulos::kArticulo, kArticulo);
  grilla.SetRow(2);
  Guion().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmCargaLotesySeries&>(f);
    m = TomaMuestra(*d.MSFlexGrid1, kFilas / 100);
    d.CmdCancelar_Click();
  });
  QString deposito = QStringLiteral("1"), lotes, cantidades;
  double cantidad = kPedido;
  b.c->PideSerieLote_Salidas(grilla, kArticulo, QStringLiteral("Banco"), cantidad, reabierta ? b.lotes : QString(),
                             reabierta ? b.cantidades : QString(), lotes, cantidades, true, true, false, &deposito);
}

void Posiciones(Base& b, bool, Muestra& m) {
  Guion().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmLoteyPosicion&>(f);
    m = TomaMuestra(*d.MSFlexGrid1, kFilas / 100);
    d.CmdCancelar_Click();
  });
  QString posiciones, lotes;
  double cantidad = kPedido;
  b.c->PidePosicionLote(kArticulo, QStringLiteral("UN"), cantidad, QStringLiteral("1"), QString(), QString(),
                        posiciones, lotes, true, true);
}

using Trabajo = std::function<void(Base&, bool, Muestra&)>;

void Abre(benchmark::State& state, const Trabajo& t, bool reabierta, const Esperada& esperada,
          const std::vector<std::pair<int, QStringList>>& filasPropias) {
  Base& b = Prepara();
  Muestra m;
  const QStringList sentencias = Aprende(b, [&] { t(b, reabierta, m); });
  BaseDesnuda desnuda(b.carpeta.Base(), AjustesSqlite::DelPrograma());
  if (sentencias.isEmpty() || LecturasDesnudas(desnuda, sentencias) < 0) {
    state.SkipWithError("the dialog sent something other than reads");
    return;
  }
  std::vector<double> tiempos;
  Parejas parejas;
  for (auto _ : state) {
    Mide(state, tiempos, [&] { t(b, reabierta, m); });
    parejas.Agrega(tiempos.back(), LecturasDesnudas(desnuda, sentencias));
  }
  if (const QString falla = Compara(b, sentencias, m, esperada, filasPropias); !falla.isEmpty()) {
    state.SkipWithError(falla.toUtf8().constData());
    return;
  }
  state.counters["filas"] = m.filas;
  state.counters["sentencias"] = static_cast<double>(sentencias.size());
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

// The blank row for stock outside any lot: nothing in stock, nothing taken
// (the reopened line gave it no entry).
std::vector<std::pair<int, QStringList>> FilaEnBlanco(bool reabierta) {
  return {{0, {QString(), QString(), QString(), reabierta ? QString() : QStringLiteral("0")}}};
}

void SalidaNueva(benchmark::State& state) { Abre(state, Salida, false, SalidaEsperada(false), FilaEnBlanco(false)); }
void SalidaReabierta(benchmark::State& state) {
  Abre(state, Salida, true, SalidaEsperada(true), FilaEnBlanco(true));
}
void PosicionesYLotes(benchmark::State& state) {
  Abre(state, Posiciones, false, PosicionEsperada,
       {{0, {QStringLiteral("DEPOSITO 1"), QString(), QString(), Numero(kFueraDePosicion), QStringLiteral("0")}}});
}

BENCHMARK(SalidaNueva)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(0.5);
BENCHMARK(SalidaReabierta)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(0.5);
BENCHMARK(PosicionesYLotes)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) { return CorreBenchmarks(argc, argv); }
