#include "lots/frm_lote_y_posicion.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

#include "lots/columnas_lotes.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

QString Texto(const Recordset& rs, const char* campo) {
  return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QLatin1String(campo))));
}

}  // namespace

FrmLoteyPosicion::FrmLoteyPosicion()
    : FrmGrillaLotes(QStringLiteral("FrmLoteyPosicion"), QStringLiteral("Posiciones"), QStringLiteral("&Aceptar"),
                     true) {}

// ---- loading -------------------------------------------------------------------------------

void FrmLoteyPosicion::CargaDatos() {
  Load();
  vb::PasaPorAlto([&] { EsPosicionYLote = EsPosicion && EsLote; });
  vb::PasaPorAlto([&] {
    const QString deposito = QStringLiteral(" (Deposito: ") + Deposito + QStringLiteral(")");
    if (EsPosicionYLote)
      SetCaption(QStringLiteral("Posiciones y Lotes") + deposito);
    else if (EsPosicion)
      SetCaption(QStringLiteral("Posiciones") + deposito);
    else if (EsLote)
      SetCaption(QStringLiteral("Números de Lote") + deposito);
  });
  vb::PasaPorAlto([&] { lblArticulo->SetCaption(lotes::NombrePropio(ArticuloDescripcion)); });
  MSFlexGrid1->SetRedraw(false);
  vb::PasaPorAlto([&] { InicializaGrid(); });
  vb::PasaPorAlto([&] { VerificaAnteriores(); });
  MSFlexGrid1->SetRedraw(true);
  vb::PasaPorAlto([&] {
    MSFlexGrid1->SetRow(MSFlexGrid1->Rows() - 1);
    MSFlexGrid1->SetCol(ColPosiciones::kCantidad);
  });
}

void FrmLoteyPosicion::InicializaGrid() {
  using namespace ColPosiciones;
  MSFlexGrid* g = MSFlexGrid1;
  g->Clear();
  g->SetCols(kCantidadColumnas);
  const int equis[kCantidadColumnas] = {12, 14, 8, 12, 10};
  for (int c = 0; c < kCantidadColumnas; ++c) g->SetColWidth(c, TextWidth(QString(equis[c], u'X')));
  if (!EsPosicionYLote && !EsPosicion) return;
  const QString titulos[kCantidadColumnas] = {QStringLiteral("POSICION"), QStringLiteral("LOTE"),
                                              QStringLiteral("UNIDAD"), QStringLiteral("DISPONIBLE"),
                                              QStringLiteral("CANT.")};
  for (int c = 0; c < kCantidadColumnas; ++c)
    if (c != kLote || EsPosicionYLote) g->SetTextMatrix(0, c, titulos[c]);
  g->SetRows(1);
  g->SetColAlignment(kPosicion, flex::AlignCenterTop);
  g->SetColAlignment(kLote, flex::AlignCenterTop);
  if (!EsPosicionYLote) g->SetColWidth(kLote, 0);
}

void FrmLoteyPosicion::VerificaAnteriores() {
  filaDeposito_ = 0;
  if (!EsConsultaDePosicionLote && !EsPosicion) return;
  LlenaGrilla(LeeSaldos());
  if (EsConsultaDePosicionLote)
    ColocaAnteriores();
  else
    DistribuyeCantidad();
}

FrmLoteyPosicion::Saldos FrmLoteyPosicion::LeeSaldos() const {
  const bool conLote = EsPosicionYLote;
  const QString w = ClsDatos::Literal(gUtil.FormateaCodigo(Deposito, 4));
  const QString a = ClsDatos::Literal(gUtil.FormateaCodigo(Articulo, 25));
  const QString campos = conLote ? QStringLiteral("AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,")
                                 : QStringLiteral("AC_SALDOSLAYOUT.idposicion,");
  Recordset rs;
  gDatos.AbreRecordset(
      QStringLiteral("SELECT ") + campos +
          QStringLiteral("AC_SALDOSLAYOUT.idunidadbase, isnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM "
                         "AC_SALDOSLAYOUT, ma_posiciones WHERE  ac_saldoslayout.iddeposito=ma_posiciones.iddeposito "
                         "and ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO=") +
          w + QStringLiteral(" and ac_saldoslayout.idarticulo=") + a +
          QStringLiteral(" and ac_saldoslayout.saldo > 0 order by "
                         "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion  "),
      rs, nullptr, 0, 1, -1);
  // A balance in its stored unit, in the line's unit (a conversion
  // multiplies or divides by the coefficient of the pair of units, so each
  // stored unit is looked up once).
  QHash<QString, double> factores;
  auto enUnidad = [&](const QString& unidadBase, double saldo) {
    if (vb::Trim(IUNIDAD).isEmpty()) return saldo;
    auto f = factores.constFind(unidadBase);
    if (f == factores.cend()) {
      QString base = unidadBase;
      f = factores.insert(unidadBase, ConvierteAEquivalencia(Articulo, base, 1.0, IUNIDAD));
    }
    return saldo * *f;
  };
  Saldos s;
  s.posiciones.reserve(static_cast<size_t>(std::max(0L, rs.RecordCount())));
  for (; !rs.Eof(); rs.MoveNext())
    s.posiciones.push_back(
        {vb::Trim(Texto(rs, "IdPosicion")), conLote ? vb::Trim(Texto(rs, "NroLote")) : QString(),
         enUnidad(gUtil.FormateaCodigo(Texto(rs, "IdUnidadBase"), 4), gUtil.ConvierteDoble(Texto(rs, "disponible")))});

  // The warehouse's stock outside any position.
  Recordset deposito;
  gDatos.AbreRecordset(QStringLiteral("SELECT (ISNULL(SALDO,0)) AS SALDO, IDUNIDADBASE FROM AC_SALDOSLAYOUT WHERE "
                                      "IDDEPOSITO=") +
                           w + QStringLiteral(" AND IDARTICULO=") + a + QStringLiteral(" and idposicion is null"),
                       deposito, nullptr, 0, 1, -1);
  s.hayDeposito = !deposito.Eof();
  for (; !deposito.Eof(); deposito.MoveNext())
    s.deposito += enUnidad(gUtil.FormateaCodigo(Texto(deposito, "IDUNIDADBASE"), 4),
                           gUtil.ConvierteDoble(Texto(deposito, "SALDO")));
  return s;
}

void FrmLoteyPosicion::LlenaGrilla(const Saldos& s) {
  using namespace ColPosiciones;
  MSFlexGrid* g = MSFlexGrid1;
  const int primera = g->Rows();
  g->SetRows(primera + static_cast<int>(s.posiciones.size()));
  for (size_t i = 0; i < s.posiciones.size(); ++i) {
    const int r = primera + static_cast<int>(i);
    g->SetTextMatrix(r, kPosicion, s.posiciones[i].posicion);
    g->SetTextMatrix(r, kLote, s.posiciones[i].lote);  // empty outside the combined mode
    g->SetTextMatrix(r, kUnidad, IUNIDAD);
    g->SetTextMatrix(r, kDisponible, TextoCelda(s.posiciones[i].disponible));
    if (EsPosicionYLote) g->SetTextMatrix(r, kCantidad, QStringLiteral("0"));
  }
  if (!s.hayDeposito) return;
  filaDeposito_ = g->Rows();
  g->SetRows(filaDeposito_ + 1);
  g->SetTextMatrix(filaDeposito_, kPosicion, QStringLiteral("DEPOSITO ") + Deposito);
  g->SetTextMatrix(filaDeposito_, kDisponible, TextoCelda(s.deposito));
  g->SetTextMatrix(filaDeposito_, kCantidad, QStringLiteral("0"));
  g->SetColWidth(kPosicion, std::max(g->ColWidth(kPosicion), TextWidth(QStringLiteral("   DEPOSITO ") + Deposito)));
}

void FrmLoteyPosicion::ColocaAnteriores() {
  // Previous entries back into the rows of their position (and lot), in
  // row order; an entry without position belongs to the warehouse row, and
  // one whose row is gone is dropped.
  QStringList posiciones, cantidades, lotes;
  Cptes().DescomponePosicionCantidadLote(PosicionesAnteriores, LotesAnteriores, posiciones, cantidades, lotes);
  std::vector<Anterior> anteriores;
  anteriores.reserve(static_cast<size_t>(posiciones.size()));
  for (qsizetype i = 0; i + 1 < posiciones.size(); ++i) {
    const QString lote = i < lotes.size() ? lotes[i] : QString();
    anteriores.push_back({vb::Trim(posiciones[i]).isEmpty() ? kClaveDeposito : Clave(posiciones[i], lote),
                          i < cantidades.size() ? NumeroCelda(cantidades[i]) : 0.0});
  }
  ReparteAnteriores([&](int r) { return ClaveDeFila(r); }, anteriores, ColPosiciones::kCantidad);
}

// Keys: the position's length, "*", the position and (in the combined mode)
// the lot, so no two pairs of position and lot share one (position "A*"
// with lot "1" and position "A" with lot "*1" do not); the warehouse row's
// key holds no "*", so no position row has it.
const QString FrmLoteyPosicion::kClaveDeposito = QStringLiteral("|");

QString FrmLoteyPosicion::Clave(const QString& posicion, const QString& lote) const {
  const QString p = vb::Trim(posicion).toCaseFolded();
  return QString::number(p.size()) + u'*' + p + (EsPosicionYLote ? vb::Trim(lote).toCaseFolded() : QString());
}

QString FrmLoteyPosicion::ClaveDeFila(int r) const {
  return r == filaDeposito_ ? kClaveDeposito
                            : Clave(MSFlexGrid1->TextMatrix(r, ColPosiciones::kPosicion),
                                    MSFlexGrid1->TextMatrix(r, ColPosiciones::kLote));
}

void FrmLoteyPosicion::DistribuyeCantidad() {
  DistribuyeEnColumnas(Cantidad1, ColPosiciones::kDisponible, ColPosiciones::kCantidad);
}

// ---- editing -------------------------------------------------------------------------------

void FrmLoteyPosicion::EnterEnUltimaFila() { CmdAceptar->SetFocus(); }

void FrmLoteyPosicion::BotonPropio(int indice) {
  if (indice != 3) return;
  // Proposes the quantities anew from the first row on.
  MSFlexGrid* g = MSFlexGrid1;
  for (int r = 1; r < g->Rows(); ++r) g->SetTextMatrix(r, ColPosiciones::kCantidad, QStringLiteral("0"));
  DistribuyeCantidad();
  g->SetRow(g->Rows() - 1);
  g->SetCol(ColPosiciones::kCantidad);
}

QList<int> FrmLoteyPosicion::ColumnasDeLista(int fila) const {
  // The warehouse row carries neither position nor lot.
  if (fila == filaDeposito_) return {};
  using namespace ColPosiciones;
  return EsPosicionYLote ? QList<int>{kPosicion, kLote} : QList<int>{kPosicion};
}

std::vector<bool> FrmLoteyPosicion::FilasDeLista() const {
  // A row that gives a quantity, and a row of 0 above a row of its own
  // position (and lot) that gives one: reopened, the entries of a key go
  // back to its rows in row order, so each row's entry keeps its place.
  const MSFlexGrid* g = MSFlexGrid1;
  std::vector<bool> r(static_cast<size_t>(std::max(0, g->Rows())), false);
  QSet<QString> debajo;  // keys with a row further down that gives a quantity
  for (int f = g->Rows() - 1; f >= 1; --f) {
    const QString clave = ClaveDeFila(f);
    if (NumeroCelda(g->TextMatrix(f, ColPosiciones::kCantidad)) != 0) {
      r[static_cast<size_t>(f)] = true;
      debajo.insert(clave);
    } else {
      r[static_cast<size_t>(f)] = debajo.contains(clave);
    }
  }
  return r;
}

bool FrmLoteyPosicion::CabeEnFila(int fila, double valor) const {
  return valor <= NumeroCelda(MSFlexGrid1->TextMatrix(fila, ColPosiciones::kDisponible)) + kToleranciaCantidad;
}

QString FrmLoteyPosicion::AvisoSinStock() const { return QStringLiteral("No hay disponible para esa posicion"); }

void FrmLoteyPosicion::CampoValida(TextBox* Texto) {
  vb::ErrorSteps paso(QStringLiteral("CampoValida"));
  paso.step([&] {
    ErrorEnCampo = false;
    const QString texto = vb::Trim(Texto->Text());
    if (!vb::Igual(vb::Trim(Texto->DataField), QStringLiteral("Cantidad"))) return;
    if (!lotes::EsCantidad(texto)) return Rechaza(QStringLiteral("La Cantidad debe ser un número"));
    const double valor = NumeroCelda(texto);
    if (valor < 0) return Rechaza(QStringLiteral("La Cantidad no puede ser Menor a Cero"));
    if (!CabeEnFila(FilaEditor(), valor)) return Rechaza(AvisoSinStock());
  });
  if (paso.left()) ErrorEnCampo = true;
}

// ---- acceptance ----------------------------------------------------------------------------

double FrmLoteyPosicion::SumaFilas(long MenosCual) const { return SumaColumna(ColPosiciones::kCantidad, MenosCual); }

bool FrmLoteyPosicion::ValidaCantidadCantidadPedida() const { return CantidadesIguales(SumaFilas(-1), Cantidad1); }

QString FrmLoteyPosicion::ListaDeColumna(int col, bool conCantidades) const {
  const std::vector<bool> deLista = FilasDeLista();
  QString l = QStringLiteral("|");
  for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
    if (!deLista[static_cast<size_t>(r)]) continue;
    QString q = vb::Trim(MSFlexGrid1->TextMatrix(r, ColPosiciones::kCantidad));
    if (q.isEmpty()) q = QStringLiteral("0");
    // The warehouse row carries neither position nor lot.
    const QString v = r == filaDeposito_ ? QString() : vb::Trim(MSFlexGrid1->TextMatrix(r, col));
    l += conCantidades ? v + u'*' + q + u'|' : v + u'|';
  }
  return lotes::CierraLista(l);
}

void FrmLoteyPosicion::CmdAceptar_Click() {
  if (!ConfirmaEditor()) return;
  if (EsPosicionYLote || EsPosicion) {
    if (!VerificaFilas() || !AjustaCantidad(Cantidad1, SumaFilas(-1), MostrarForm,
                        QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada ")))
      return;
    Posiciones = ListaDeColumna(ColPosiciones::kPosicion, true);
    // Without lots the position entries carry none.
    Lotes = EsPosicionYLote ? ListaDeColumna(ColPosiciones::kLote, false) : QString();
  } else {
    // A dialog of neither positions nor lots builds nothing: the previous
    // lists stand.
    Posiciones = PosicionesAnteriores;
    Lotes = LotesAnteriores;
  }
  Aceptado = true;
  Hide();
}
