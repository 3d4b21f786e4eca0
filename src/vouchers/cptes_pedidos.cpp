// The lot, serial and position requests: what a voucher line hands to the
// lot dialogs and what it gets back.
#include <QStringList>
#include <cmath>

#include "platform/celdas.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/dialogos_cptes.h"
#include "vouchers/dialogos_lotes.h"

namespace {

const QString kEtiqueta = QStringLiteral("PideSerieLote");

const char* const kLotesYSeries = "la carga de lotes y series";
const char* const kPosiciones = "la carga de posiciones";

// The dialogs break down the size of a line's quantity, so what they propose
// could be typed; the line carries the sign, which the quantity the user
// agreed to takes back.
double ConSigno(double tamano, double linea) { return linea < 0 ? 0.0 - tamano : tamano; }

// Whether two pairs of parallel lists hold the same entries (trimmed,
// ignoring letter case), the quantities read as far as the lots go.
bool MismasListas(const ClsCmnCptes& c, const QString& lotes1, const QString& cantidades1, const QString& lotes2,
                  const QString& cantidades2) {
  QStringList l1, q1, l2, q2;
  c.DescomponeSerieLote(lotes1, l1);
  c.DescomponeSerieLote(lotes2, l2);
  if (l1.size() != l2.size()) return false;
  c.DescomponeSerieLote(cantidades1, q1);
  c.DescomponeSerieLote(cantidades2, q2);
  auto en = [](const QStringList& l, qsizetype k) { return k < l.size() ? l[k] : QString(); };
  for (qsizetype k = 0; k + 1 < l1.size(); ++k)
    if (!vb::Igual(l1[k], l2[k]) || !vb::Igual(en(q1, k), en(q2, k))) return false;
  return true;
}

// The row of Grilla that holds the line an outgoing request is for, when
// the caller does not say: the first row of the article holding the line's
// previous lists (rows holding the same lists take the same stock, so any
// of them stands for the line); 0 when none does, a line not in the grid
// yet.
long FilaDeLaLinea(const ClsCmnCptes& c, MSFlexGrid& Grilla, const QString& Articulo, const QString& lotes,
                   const QString& cantidades) {
  for (int r = 1; r < Grilla.Rows(); ++r)
    if (vb::Igual(Grilla.TextMatrix(r, ColArticulos::kArticulo), Articulo) &&
        MismasListas(c, Grilla.TextMatrix(r, ColArticulos::kNroLote), Grilla.TextMatrix(r, ColArticulos::kNroSerie),
                     lotes, cantidades))
      return r;
  return 0;
}

}  // namespace


bool ClsCmnCptes::PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                                const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie, bool Lote,
                                bool Talle) {
  // What a request that is not accepted hands back.
  SerieNvo = SerieAnt;
  LoteNvo = LoteAnt;
  if (Cantidad == 0) {
    SerieNvo.clear();
    LoteNvo.clear();
    return true;
  }
  if (std::llround(std::fabs(Cantidad)) > kMaxUnidadesPorLinea) {
    Interaccion::Actual().MsgBox(QStringLiteral("No se pueden informar de a una más de %1 unidades; la cantidad "
                                                "solicitada es %2")
                                     .arg(kMaxUnidadesPorLinea)
                                     .arg(TextoCelda(Cantidad)),
                                 vbmsg::Critical, QStringLiteral("Aviso al Operador"));
    return false;
  }
  PedidoSeriesLotes p;
  p.Cantidad = Cantidad;
  p.EsSerie = Serie;
  p.EsLote = Lote;
  p.EsTalle = Talle;
  p.Articulo = Articulo;
  p.SeriesAnteriores = SerieAnt;
  p.LotesAnteriores = LoteAnt;
  p.Etiqueta = Articulo;
  vb::ErrorSteps paso(kEtiqueta);
  if (!paso.step([&] { Abridor(Dialogos().SeriesLotes, kLotesYSeries)(p); }) || !p.Aceptado) return false;
  SerieNvo = p.Series;
  LoteNvo = p.Lotes;
  return true;
}

bool ClsCmnCptes::PideSerieLote_Salidas(MSFlexGrid& Grilla, const QString& Articulo, const QString& Descripcion,
                                        double& Cantidad, const QString& SeriesLoteAnt, const QString& CantidadANT,
                                        QString& SeriesLoteNvo, QString& CantidadesNvo, bool Lote, bool Serie,
                                        bool Talle, QString* Deposito, bool MostrarForm, long FilaEditada) {
  QString propio;
  QString& deposito = Deposito ? *Deposito : propio;
  vb::ErrorSteps paso(kEtiqueta);
  if (deposito.isEmpty() && !paso.step([&] { deposito = Cfg(QStringLiteral("DepositoDefault")); })) return false;
  if (Cantidad == 0) return true;

  auto devuelveAnteriores = [&] {
    SeriesLoteNvo = SeriesLoteAnt;
    CantidadesNvo = CantidadANT;
    return false;
  };
  PedidoSeriesLotes p;
  p.Cantidad = std::fabs(Cantidad);
  p.Articulo = Articulo;
  p.EsConsultaDeSerieLote = true;
  p.EsLote = Lote;
  p.EsSerie = Serie;
  p.EsTalle = Talle;
  p.Deposito = gUtil.FormateaCodigo(vb::Trim(deposito), 4);
  p.Lotes = SeriesLoteAnt;
  p.Series = CantidadANT;
  p.Etiqueta = Articulo + QStringLiteral(" - ") + Descripcion;
  p.Mostrar = MostrarForm;
  // The line asked for holds the previous lists; every other line of the
  // article counts as taken.
  if (!paso.step([&] {
        const long fila =
            FilaEditada >= 0 ? FilaEditada : FilaDeLaLinea(*this, Grilla, Articulo, SeriesLoteAnt, CantidadANT);
        CuentaLotesEnGrilla(Grilla, Articulo, p.LotesExistentes, p.SeriesExistentes, fila);
      }))
    return devuelveAnteriores();
  if (!paso.step([&] { Abridor(Dialogos().SeriesLotes, kLotesYSeries)(p); }) || !p.Aceptado) return devuelveAnteriores();
  SeriesLoteNvo = p.Lotes;
  CantidadesNvo = p.Series;
  Cantidad = ConSigno(p.Cantidad, Cantidad);
  return true;
}

void ClsCmnCptes::CuentaLotesEnGrilla(MSFlexGrid& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                      QString& CantidadesEnGrid, long FilaExcluida) {
  LotesEnGrid.clear();
  CantidadesEnGrid.clear();
  // Entry by entry, so the two lists stay parallel even where a line's
  // quantity list is shorter than its lot list.
  QString lotes, cantidades;
  QStringList l, q;
  for (int r = 1; r < Grilla.Rows(); ++r) {
    if (r == FilaExcluida || !vb::Igual(Grilla.TextMatrix(r, ColArticulos::kArticulo), Articulo)) continue;
    DescomponeSerieLote(Grilla.TextMatrix(r, ColArticulos::kNroLote), l);
    DescomponeSerieLote(Grilla.TextMatrix(r, ColArticulos::kNroSerie), q);
    for (qsizetype k = 0; k + 1 < l.size(); ++k) {
      lotes += l[k] + u'|';
      cantidades += (k + 1 < q.size() ? q[k] : QString()) + u'|';
    }
  }
  if (lotes.isEmpty()) return;
  LotesEnGrid = u'|' + lotes;
  CantidadesEnGrid = u'|' + cantidades;
}

bool ClsCmnCptes::PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double& Cantidad,
                                   const QString& Deposito, const QString& PosicionAnt, const QString& LoteAnt,
                                   QString& PosicionNVO, QString& LoteNvo, bool Posicion, bool Lote) {
  PosicionNVO = PosicionAnt;
  LoteNvo = LoteAnt;
  if (Cantidad == 0) {
    PosicionNVO.clear();
    LoteNvo.clear();
    return true;
  }
  PedidoPosicionLote p;
  p.Cantidad1 = std::fabs(Cantidad);
  p.EsConsultaDePosicionLote = !PosicionAnt.isEmpty() || !LoteAnt.isEmpty();
  p.EsPosicion = Posicion;
  p.EsLote = Lote;
  p.IUNIDAD = IdUnidad;
  p.Articulo = Articulo;
  p.Deposito = Deposito;
  p.PosicionesAnteriores = PosicionAnt;
  p.LotesAnteriores = LoteAnt;
  p.Etiqueta = Articulo;
  vb::ErrorSteps paso(kEtiqueta);
  if (!paso.step([&] { Abridor(Dialogos().PosicionLote, kPosiciones)(p); }) || !p.Aceptado) return false;
  PosicionNVO = p.Posiciones;
  LoteNvo = p.Lotes;
  Cantidad = ConSigno(p.Cantidad1, Cantidad);
  return true;
}
