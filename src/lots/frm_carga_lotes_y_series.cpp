#include "lots/frm_carga_lotes_y_series.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

#include "lots/columnas_lotes.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

const QChar kUnion = ClsCmnCptes::kUnionLoteSerie;

// The key a stock row and a lot-and-serial entry are matched by: lot, the
// joining character and serial, trimmed, letter case folded.
QString Clave(const QString& lote, const QString& serie) {
  return (vb::Trim(lote) + kUnion + vb::Trim(serie)).toCaseFolded();
}

// The lot and the serial of a lot-and-serial entry (an entry without the
// joining character is a lot alone).
std::pair<QString, QString> Partes(const QString& entrada) {
  const qsizetype p = entrada.indexOf(kUnion);
  if (p < 0) return {vb::Trim(entrada), QString()};
  return {vb::Trim(entrada.left(p)), vb::Trim(entrada.mid(p + 1))};
}

QString ClaveDeEntrada(const QString& entrada) {
  const auto [lote, serie] = Partes(entrada);
  return Clave(lote, serie);
}

// The entry that stands for stock outside any lot and serial (the blank row).
bool SinLoteNiSerie(const QString& entrada) { return vb::Trim(entrada) == QString(kUnion) || vb::Trim(entrada).isEmpty(); }

QString Texto(const Recordset& rs, const char* campo) {
  return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QLatin1String(campo))));
}

}  // namespace

FrmCargaLotesySeries::FrmCargaLotesySeries()
    : FrmGrillaLotes(QStringLiteral("FrmCargaLotesySeries"), QStringLiteral("Numeros de Serie"),
                     QStringLiteral("F2 &Aceptar"), false) {}

// ---- loading -------------------------------------------------------------------------------

void FrmCargaLotesySeries::CargaDatos() {
  Load();
  vb::PasaPorAlto([&] { EsSerieYLote = EsSerie && EsLote; });
  vb::PasaPorAlto([&] {
    const QString deposito = QStringLiteral(" (Deposito: ") + Deposito + QStringLiteral(")");
    if (EsTalle) {
      SetCaption(QStringLiteral("Talles, Colores, Sexo") + deposito);
      if (EsSerieYLote) {
        EsSerieYLote = false;
        EsLote = false;
      }
    } else if (EsSerieYLote) {
      SetCaption(QStringLiteral("Números de Lote y Serie") + deposito);
    } else if (EsSerie) {
      SetCaption(QStringLiteral("Números de Serie") + deposito);
    } else if (EsLote) {
      SetCaption(QStringLiteral("Números de Lote") + deposito);
    }
  });
  vb::PasaPorAlto([&] { lblArticulo->SetCaption(lotes::NombrePropio(ArticuloDescripcion)); });
  MSFlexGrid1->SetRedraw(false);
  vb::PasaPorAlto([&] { InicializaGrid(); });
  vb::PasaPorAlto([&] { VerificaAnteriores(); });
  vb::PasaPorAlto([&] { VerificaExistenciasEnGrilla(); });
  MSFlexGrid1->SetRedraw(true);
  // Typing starts on the first row, in the column that takes it.
  vb::PasaPorAlto([&] {
    if (MSFlexGrid1->Rows() < 2) return;
    MSFlexGrid1->SetRow(1);
    MSFlexGrid1->SetCol(PrimeraColumna());
  });
}

void FrmCargaLotesySeries::InicializaGrid() {
  MSFlexGrid* g = MSFlexGrid1;
  auto ancho = [this](int equis) { return TextWidth(QString(equis, u'X')); };
  if (EsConsultaDeSerieLote) {
    using namespace ColSalidas;
    g->Clear();
    g->SetCols(kCantidadColumnas);
    g->SetFixedCols(kStock);  // lot and serial
    g->SetTextMatrix(0, kLote, EsTalle ? QStringLiteral("TALLE-COLOR-SEXO") : QStringLiteral("LOTE"));
    g->SetTextMatrix(0, kSerie, QStringLiteral("SERIE"));
    g->SetTextMatrix(0, kStock, QStringLiteral("CANT. STOCK"));
    g->SetTextMatrix(0, kCantidad, QStringLiteral("CANT. "));
    g->SetColWidth(kLote, EsLote ? ancho(18) : 0);
    g->SetColWidth(kSerie, EsSerie ? ancho(15) : 0);
    g->SetColWidth(kStock, ancho(12));
    g->SetColWidth(kCantidad, ancho(12));
    g->SetRows(1);
    g->SetColAlignment(kSerie, flex::AlignCenterTop);
    g->SetColAlignment(kLote, flex::AlignCenterTop);
    return;
  }
  using namespace ColIngresos;
  // One row per unit of the quantity, whatever its sign.
  const long unidades =
      std::min<long>(ClsCmnCptes::kMaxUnidadesPorLinea, std::max<long>(0, std::lround(std::fabs(Cantidad))));
  g->SetCols(kCantidadColumnas);
  g->SetRows(static_cast<int>(unidades) + 1);
  g->SetColWidth(kOculta, 0);
  g->SetColWidth(kSerie, 0);
  g->SetColWidth(kItem, ancho(5));
  g->SetColWidth(kNumero, ancho(35));
  g->SetTextMatrix(0, kItem, QStringLiteral("ITEM"));
  g->SetTextMatrix(0, kNumero, EsSerie ? QStringLiteral("Número de Serie") : QStringLiteral("Número de Lote"));
  if (EsSerieYLote) {
    g->SetColWidth(kNumero, ancho(25));
    g->SetColWidth(kSerie, ancho(25));
    g->SetTextMatrix(0, kSerie, QStringLiteral("Número de Serie"));
    g->SetTextMatrix(0, kNumero, QStringLiteral("Número de Lote"));
  }
  for (int i = 1; i < g->Rows(); ++i) g->SetTextMatrix(i, kItem, QString::number(i));
  g->SetColAlignment(kItem, flex::AlignCenterCenter);
}

void FrmCargaLotesySeries::VerificaAnteriores() {
  MSFlexGrid* g = MSFlexGrid1;
  if (!EsConsultaDeSerieLote) {
    // The previous lists, one entry per row from the first.
    auto coloca = [&](const QString& lista, int col) {
      if (vb::Trim(vb::QuitaCaracteres(lista, QStringLiteral("|"))).isEmpty()) return;
      QString t = vb::Trim(lista);
      if (t.startsWith(u'|')) t.remove(0, 1);
      for (int fila = 1;; ++fila) {
        const qsizetype p = t.indexOf(u'|');
        if (p < 0 || fila >= g->Rows()) return;
        g->SetTextMatrix(fila, col, t.left(p));
        t = t.mid(p + 1);
        if (vb::Trim(t).isEmpty()) return;
      }
    };
    if (EsSerieYLote) {
      coloca(LotesAnteriores, ColIngresos::kNumero);
      coloca(SeriesAnteriores, ColIngresos::kSerie);
    } else if (SeriesAnteriores.isEmpty() || LotesAnteriores.isEmpty()) {
      coloca(SeriesAnteriores + LotesAnteriores, ColIngresos::kNumero);
    } else {
      coloca(vb::Trim(SeriesAnteriores) + vb::Trim(LotesAnteriores).mid(1), ColIngresos::kNumero);
    }
    return;
  }

  Recordset rs;
  gDatos.AbreRecordset(QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ") +
                           ClsDatos::Literal(gUtil.FormateaCodigo(Articulo, 25)) +
                           QStringLiteral(" AND CANTIDAD > 0  AND IDDEPOSITO = ") + ClsDatos::Literal(Deposito) +
                           QStringLiteral(" ORDER BY NROLOTE, NROSERIE "),
                       rs, nullptr, 0, 1, -1);
  struct Fila {
    QString lote, serie, stock, cantidad;
  };
  std::vector<Fila> filas;
  filas.reserve(static_cast<size_t>(std::max(0L, rs.RecordCount())) + 2);
  for (; !rs.Eof(); rs.MoveNext())
    filas.push_back({vb::Trim(Texto(rs, "NroLote")), vb::Trim(Texto(rs, "NroSerie")),
                     TextoCelda(gUtil.ConvierteDoble(Texto(rs, "Cantidad"))), QString()});
  const size_t enStock = filas.size();

  // Previous entries no longer in stock come back as rows of their own,
  // with no stock, when they took something.
  QStringList anteriores, cantidades;
  Cptes().DescomponeSerieLote(Lotes, anteriores);
  Cptes().DescomponeSerieLote(Series, cantidades);
  QSet<QString> claves;
  claves.reserve(static_cast<qsizetype>(filas.size() + anteriores.size()));
  for (const Fila& f : filas) claves.insert(Clave(f.lote, f.serie));
  std::vector<Anterior> previas;
  previas.reserve(static_cast<size_t>(anteriores.size()));
  for (qsizetype k = 0; k + 1 < anteriores.size(); ++k) {
    const QString clave = ClaveDeEntrada(anteriores[k]);
    const double cantidad = k < cantidades.size() ? NumeroCelda(cantidades[k]) : 0.0;
    previas.push_back({clave, cantidad});
    if (SinLoteNiSerie(anteriores[k]) || claves.contains(clave) || cantidad == 0) continue;
    claves.insert(clave);
    const auto [lote, serie] = Partes(anteriores[k]);
    filas.push_back({lote, serie, QStringLiteral("0"), QStringLiteral("0")});
  }
  // A blank row for stock outside any lot and serial.
  if (enStock > 0) filas.push_back({});

  g->SetRows(static_cast<int>(filas.size()) + 1);
  for (size_t i = 0; i < filas.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    g->SetTextMatrix(r, ColSalidas::kLote, filas[i].lote);
    g->SetTextMatrix(r, ColSalidas::kSerie, filas[i].serie);
    g->SetTextMatrix(r, ColSalidas::kStock, filas[i].stock);
    g->SetTextMatrix(r, ColSalidas::kCantidad, filas[i].cantidad);
  }
  // A new choice is proposed once the stock shows what the other lines take
  // (VerificaExistenciasEnGrilla).
  if (enStock == 0 || Lotes.isEmpty()) return;
  ReparteAnteriores([&](int r) { return ClaveDeFila(r); }, previas, ColSalidas::kCantidad);
}

void FrmCargaLotesySeries::VerificaExistenciasEnGrilla() {
  if (!EsConsultaDeSerieLote) return;
  MSFlexGrid* g = MSFlexGrid1;
  vb::PasaPorAlto([&] {
    if (LotesExistentes.isEmpty()) return;
    // What the other lines take of each lot and serial, counted once over
    // the rows of that lot and serial in order: first from what this line
    // does not take itself, then from the rest.
    QStringList entradas, cantidades;
    Cptes().DescomponeSerieLote(LotesExistentes, entradas);
    Cptes().DescomponeSerieLote(SeriesExistentes, cantidades);
    QHash<QString, double> tomado;
    for (qsizetype k = 0; k + 1 < entradas.size(); ++k) {
      if (SinLoteNiSerie(entradas[k])) continue;
      tomado[ClaveDeEntrada(entradas[k])] += k < cantidades.size() ? NumeroCelda(cantidades[k]) : 0.0;
    }
    QHash<QString, std::vector<int>> filas;
    for (int r = 1; r < g->Rows(); ++r) {
      const QString clave = ClaveDeFila(r);
      if (tomado.contains(clave)) filas[clave].push_back(r);
    }
    for (auto f = filas.cbegin(); f != filas.cend(); ++f) {
      double resto = tomado.value(f.key());
      std::vector<double> stock;
      for (const int r : *f) stock.push_back(std::max(0.0, NumeroCelda(g->TextMatrix(r, ColSalidas::kStock))));
      for (const bool libre : {true, false})
        for (size_t i = 0; i < f->size() && resto > kToleranciaCantidad; ++i) {
          const double propia = libre ? NumeroCelda(g->TextMatrix((*f)[i], ColSalidas::kCantidad)) : 0.0;
          const double baja = std::min(resto, std::max(0.0, stock[i] - propia));
          stock[i] -= baja;
          resto -= baja;
        }
      for (size_t i = 0; i < f->size(); ++i) g->SetTextMatrix((*f)[i], ColSalidas::kStock, TextoCelda(stock[i]));
    }
  });
  vb::PasaPorAlto([&] {
    if (!Lotes.isEmpty()) return;
    for (int r = 1; r < g->Rows(); ++r) g->SetTextMatrix(r, ColSalidas::kCantidad, QStringLiteral("0"));
    DistribuyeCantidad();
  });
}

void FrmCargaLotesySeries::DistribuyeCantidad() {
  DistribuyeEnColumnas(Cantidad, ColSalidas::kStock, ColSalidas::kCantidad);
}

QString FrmCargaLotesySeries::ClaveDeFila(int r) const {
  return Clave(MSFlexGrid1->TextMatrix(r, ColSalidas::kLote), MSFlexGrid1->TextMatrix(r, ColSalidas::kSerie));
}

// ---- editing -------------------------------------------------------------------------------

bool FrmCargaLotesySeries::ColumnaEditable(int col) const {
  if (EsConsultaDeSerieLote) return col == ColSalidas::kCantidad;
  return col == ColIngresos::kNumero || (EsSerieYLote && col == ColIngresos::kSerie);
}

bool FrmCargaLotesySeries::ColumnaCantidad(int col) const {
  return EsConsultaDeSerieLote && col == ColSalidas::kCantidad;
}

int FrmCargaLotesySeries::UltimaColumna() const {
  if (EsConsultaDeSerieLote) return ColSalidas::kCantidad;
  return EsSerieYLote ? ColIngresos::kSerie : ColIngresos::kNumero;
}

int FrmCargaLotesySeries::PrimeraColumna() const {
  return EsConsultaDeSerieLote ? ColSalidas::kCantidad : ColIngresos::kNumero;
}

QList<int> FrmCargaLotesySeries::ColumnasDeLista(int) const {
  if (EsConsultaDeSerieLote) return {ColSalidas::kLote, ColSalidas::kSerie};
  return EsSerieYLote ? QList<int>{ColIngresos::kNumero, ColIngresos::kSerie} : QList<int>{ColIngresos::kNumero};
}

std::vector<bool> FrmCargaLotesySeries::FilasDeLista() const {
  // A stock row is checked only while it gives a quantity: a lot written
  // elsewhere with a separator in it blocks nothing while it gives nothing
  // (the lists then leave that row out). Every unit row gives an entry.
  std::vector<bool> r(static_cast<size_t>(std::max(0, MSFlexGrid1->Rows())), !EsConsultaDeSerieLote);
  if (EsConsultaDeSerieLote)
    for (int f = 1; f < MSFlexGrid1->Rows(); ++f)
      r[static_cast<size_t>(f)] = NumeroCelda(MSFlexGrid1->TextMatrix(f, ColSalidas::kCantidad)) != 0;
  return r;
}

bool FrmCargaLotesySeries::CabeEnFila(int fila, double valor) const {
  // A stock row (with a lot or a serial) gives no more than it holds; the
  // blank row stands for stock outside any lot.
  const MSFlexGrid* g = MSFlexGrid1;
  const bool deStock = !vb::Trim(g->TextMatrix(fila, ColSalidas::kLote)).isEmpty() ||
                       !vb::Trim(g->TextMatrix(fila, ColSalidas::kSerie)).isEmpty();
  return !deStock || valor <= NumeroCelda(g->TextMatrix(fila, ColSalidas::kStock)) + kToleranciaCantidad;
}

QString FrmCargaLotesySeries::AvisoSinStock() const {
  return QStringLiteral("La Cantidad supera a la cantidad disponible en Stock");
}

bool FrmCargaLotesySeries::ColumnaDeSeries(int col) const {
  return !EsConsultaDeSerieLote && !EsTalle && EsSerie &&
         col == (EsSerieYLote ? ColIngresos::kSerie : ColIngresos::kNumero);
}

int FrmCargaLotesySeries::FilaConMismoTexto(int col, const QString& texto, int fila) const {
  for (int r = 1; r < MSFlexGrid1->Rows(); ++r)
    if (r != fila && vb::Igual(vb::Trim(MSFlexGrid1->TextMatrix(r, col)), texto)) return r;
  return 0;
}

int FrmCargaLotesySeries::SerieRepetida(int col, int& otra) const {
  // The first two rows of each serial; the answer is the repeated serial
  // whose first row comes first.
  struct Filas {
    int primera = 0, segunda = 0;
  };
  QHash<QString, Filas> porSerie;
  int hallada = 0;
  for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
    const QString v = vb::Trim(MSFlexGrid1->TextMatrix(r, col));
    if (v.isEmpty() || v == QStringLiteral("-")) continue;
    Filas& f = porSerie[v.toCaseFolded()];
    if (f.primera == 0) {
      f.primera = r;
    } else if (f.segunda == 0) {
      f.segunda = r;
      if (hallada == 0 || f.primera < hallada) {
        hallada = f.primera;
        otra = r;
      }
    }
  }
  return hallada;
}

void FrmCargaLotesySeries::CompletaTodoIgual() {
  // Serial numbers are never copied: each names one unit.
  using ColIngresos::kNumero;
  if (EsConsultaDeSerieLote || ColumnaDeSeries(kNumero)) return;
  MSFlexGrid* g = MSFlexGrid1;
  if (g->Rows() < 2 || g->Cols() <= kNumero) return;
  const QString valor = vb::Trim(g->TextMatrix(1, kNumero));
  if (valor.isEmpty()) return;
  for (int r = 1; r < g->Rows(); ++r)
    if (vb::Trim(g->TextMatrix(r, kNumero)).isEmpty()) g->SetTextMatrix(r, kNumero, valor);
}

void FrmCargaLotesySeries::CampoValida(TextBox* Texto) {
  vb::ErrorSteps paso(QStringLiteral("CampoValida"));
  paso.step([&] {
    ErrorEnCampo = false;
    const QString texto = vb::Trim(Texto->Text());
    const QString campo = vb::Trim(Texto->DataField);
    MSFlexGrid* g = MSFlexGrid1;
    const int fila = FilaEditor();
    const int col = ColEditor();
    if (vb::Igual(campo, QStringLiteral("Cantidad"))) {
      if (!EsConsultaDeSerieLote) return;
      if (!lotes::EsCantidad(texto)) return Rechaza(QStringLiteral("La Cantidad debe ser un número"));
      const double valor = NumeroCelda(texto);
      if (valor < 0) return Rechaza(QStringLiteral("La Cantidad no puede ser Menor a Cero"));
      if (valor != std::trunc(valor))
        return Rechaza(QStringLiteral("No Puede Informase Cantidades que no Sean Enteras"));
      if (!Deposito.isEmpty())
        IdDeposito = Deposito;
      else if (vb::Trim(IdDeposito).isEmpty())
        IdDeposito = ClsCmnCptes::kIgnorar;
      if (!CabeEnFila(fila, valor)) return Rechaza(AvisoSinStock());
      return;
    }
    if (ColumnaDeSeries(col) && !texto.isEmpty() && texto != QStringLiteral("-")) {
      if (const int otra = FilaConMismoTexto(col, texto, fila))
        return Rechaza(
            QStringLiteral("El Número de Serie %1 ya está informado en el ítem %2").arg(texto, QString::number(otra)));
    }
    if (fila == 1) {
      g->SetTextMatrix(1, col, texto);
      CompletaTodoIgual();
    }
  });
  if (paso.left()) ErrorEnCampo = true;
}

// ---- acceptance ----------------------------------------------------------------------------

double FrmCargaLotesySeries::SumaFilas(long MenosCual) const { return SumaColumna(ColSalidas::kCantidad, MenosCual); }

bool FrmCargaLotesySeries::ValidaCantidadCantidadPedida() const { return CantidadesIguales(SumaFilas(-1), Cantidad); }

QString FrmCargaLotesySeries::ListaDeColumna(int col) const {
  QString t = QStringLiteral("|");
  for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
    const QString v = vb::Trim(MSFlexGrid1->TextMatrix(r, col));
    t += (v.isEmpty() ? QStringLiteral("-") : v) + u'|';
  }
  return lotes::CierraLista(t);
}

void FrmCargaLotesySeries::CmdAceptar_Click() {
  if (!ConfirmaEditor() || !VerificaFilas()) return;
  vb::ErrorSteps paso{QString()};
  MSFlexGrid* g = MSFlexGrid1;
  if (EsConsultaDeSerieLote) {
    bool seguir = false;
    if (!paso.step([&] {
          seguir = AjustaCantidad(Cantidad, SumaFilas(-1), MostrarForm,
                                  QStringLiteral("El Stock es Menor a la cantidad solicitada "));
        }) ||
        !seguir)
      return;
    if (!paso.step([&] {
          // One entry per row; a row whose lot or serial holds a separator
          // (it gives nothing: VerificaFilas) is left out of both lists,
          // which stay parallel.
          QString lotes = QStringLiteral("|"), series = QStringLiteral("|");
          for (int r = 1; r < g->Rows(); ++r) {
            const QString lote = vb::Trim(g->TextMatrix(r, ColSalidas::kLote)),
                          serie = vb::Trim(g->TextMatrix(r, ColSalidas::kSerie));
            if (lotes::TieneSeparador(lote) || lotes::TieneSeparador(serie)) continue;
            const QString cantidad = vb::Trim(g->TextMatrix(r, ColSalidas::kCantidad));
            lotes += lote + kUnion + serie + u'|';
            series += (cantidad.isEmpty() ? QStringLiteral("-") : cantidad) + u'|';
          }
          Lotes = lotes::CierraLista(lotes);
          Series = lotes::CierraLista(series);
        }))
      return;
  } else {
    bool repetida = false;
    if (!paso.step([&] {
          CompletaTodoIgual();
          // A serial number names one unit: the same one twice is refused.
          for (int col = ColIngresos::kNumero; col <= ColIngresos::kSerie && !repetida; ++col) {
            if (!ColumnaDeSeries(col)) continue;
            int otra = 0;
            const int r = SerieRepetida(col, otra);
            if (r == 0) continue;
            repetida = true;
            Interaccion::Actual().MsgBox(
                QStringLiteral("El Número de Serie %1 está repetido en los ítems %2 y %3")
                    .arg(vb::Trim(g->TextMatrix(r, col)), QString::number(r), QString::number(otra)),
                vbmsg::Critical, QStringLiteral("Aviso al Operador"));
          }
        }) ||
        repetida)
      return;
    if (!paso.step([&] {
          if (EsSerieYLote) {
            Lotes = ListaDeColumna(ColIngresos::kNumero);
            Series = ListaDeColumna(ColIngresos::kSerie);
          } else if (EsLote) {
            Lotes = ListaDeColumna(ColIngresos::kNumero);
            Series.clear();
          } else {
            Series = ListaDeColumna(ColIngresos::kNumero);
            Lotes.clear();
          }
        }))
      return;
  }
  Aceptado = true;
  Hide();
}
