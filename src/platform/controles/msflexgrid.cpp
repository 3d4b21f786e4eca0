#include "platform/controles/msflexgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>

#include "platform/controles/color.h"
#include "platform/controles/errores.h"
#include "platform/controles/texto_visible.h"
#include "platform/form.h"
#include "platform/teclas.h"
#include "platform/vb.h"

namespace {

const QString kFuente = QStringLiteral("MSFlexGrid");

Qt::Alignment AlineacionQt(int a, bool numero) {
  if (a < flex::AlignLeftTop || a > flex::AlignGeneral) a = flex::AlignGeneral;
  if (a == flex::AlignGeneral) return (numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  Qt::Alignment h = a < 3 ? Qt::AlignLeft : (a < 6 ? Qt::AlignHCenter : Qt::AlignRight);
  Qt::Alignment v = a % 3 == 0 ? Qt::AlignTop : (a % 3 == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
  return h | v;
}

}  // namespace

// Paints every cell: fixed cells grey with a raised edge, the cell's own
// colours, the column's alignment, the texts clipped (never elided) and a
// dotted frame round the current cell while the grid has the focus.
class DelegadoGrilla : public QStyledItemDelegate {
 public:
  explicit DelegadoGrilla(MSFlexGrid* grilla) : QStyledItemDelegate(grilla), g_(grilla) {}

  void paint(QPainter* p, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
    const int r = indice.row();
    const int c = indice.column();
    const bool fija = r < g_->filasFijas_ || c < g_->colsFijas_;
    const QRect rect = opcion.rect;
    const QVariant fondo = indice.data(Qt::BackgroundRole);
    p->save();
    p->fillRect(rect, fondo.isValid() ? fondo.value<QBrush>().color()
                                      : (fija ? g_->fondoFijo_ : g_->palette().color(QPalette::Base)));
    if (fija) {
      p->setPen(QColor(0xFF, 0xFF, 0xFF));
      p->drawLine(rect.topLeft(), rect.topRight());
      p->drawLine(rect.topLeft(), rect.bottomLeft());
    }
    const QString texto = indice.data(Qt::DisplayRole).toString();
    if (!texto.isEmpty()) {
      const QVariant tinta = indice.data(Qt::ForegroundRole);
      p->setPen(tinta.isValid() ? tinta.value<QBrush>().color() : g_->palette().color(QPalette::Text));
      p->setFont(opcion.font);
      const int a = c < static_cast<int>(g_->alineaciones_.size()) ? g_->alineaciones_[c] : flex::AlignGeneral;
      const bool numero = a == flex::AlignGeneral && g_->EsNumero(texto);
      p->setClipRect(rect);
      // Only the part of a long text that can show is laid out.
      const QRect dentro = rect.adjusted(MSFlexGrid::kMargenTexto, 1, -MSFlexGrid::kMargenTexto, -1);
      const Qt::Alignment alineacion = AlineacionQt(a, numero);
      p->drawText(dentro, alineacion | Qt::TextSingleLine,
                  ParteVisible(p->fontMetrics(), texto, dentro.width(), alineacion));
    }
    if (r == g_->fila_ && c == g_->col_ && g_->hasFocus()) {
      QPen punteado(g_->palette().color(QPalette::Text));
      punteado.setStyle(Qt::DotLine);
      p->setClipping(false);
      p->setPen(punteado);
      p->setBrush(Qt::NoBrush);
      p->drawRect(rect.adjusted(1, 1, -2, -2));
    }
    p->restore();
  }

 private:
  MSFlexGrid* g_;
};

MSFlexGrid::MSFlexGrid(QWidget* parent, const QString& nombre) : QTableWidget(2, 2, parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  altoFila_ = std::max(16, fontMetrics().height() + 4);
  delegado_ = new DelegadoGrilla(this);
  auto prepara = [this](QTableView* v) {
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->horizontalHeader()->setMinimumSectionSize(0);
    v->verticalHeader()->setMinimumSectionSize(0);
    v->horizontalHeader()->setDefaultSectionSize(anchoCol_);
    v->verticalHeader()->setDefaultSectionSize(altoFila_);
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setItemDelegate(delegado_);
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setWordWrap(false);
    v->setTextElideMode(Qt::ElideNone);
    v->setShowGrid(true);
    v->setAutoScroll(false);
    v->setTabKeyNavigation(false);
    v->setCornerButtonEnabled(false);
  };
  prepara(this);
  setFocusPolicy(Qt::StrongFocus);
  // The grid lines take the palette's mid tone. No style sheet: one on the
  // grid would cut it off from its form's font.
  QPalette paleta = palette();
  paleta.setColor(QPalette::Mid, QColor(0xB9, 0xB5, 0xA8));
  setPalette(paleta);
  for (QTableView** fija : {&arriba_, &izquierda_, &esquina_}) {
    auto* v = new QTableView(this);
    v->setModel(model());
    prepara(v);
    v->setFrameShape(QFrame::NoFrame);
    v->setFocusPolicy(Qt::NoFocus);
    v->setAttribute(Qt::WA_TransparentForMouseEvents);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->hide();
    *fija = v;
    connect(v->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { SincronizaDesplazamiento(); });
    connect(v->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { SincronizaDesplazamiento(); });
  }
  for (QScrollBar* barra : {horizontalScrollBar(), verticalScrollBar()})
    connect(barra, &QScrollBar::valueChanged, this, [this] {
      SincronizaDesplazamiento();
      if (Scroll) Scroll();
    });
  alineaciones_.assign(2, flex::AlignGeneral);
  ColocaFijas();
}

void MSFlexGrid::changeEvent(QEvent* e) {
  QTableWidget::changeEvent(e);
  if (e->type() != QEvent::FontChange) return;
  // Rows of the default height follow the font; rows given a height keep it.
  const int anterior = altoFila_;
  altoFila_ = std::max(16, fontMetrics().height() + 4);
  if (altoFila_ == anterior) return;
  for (QTableView* v : {static_cast<QTableView*>(this), arriba_, izquierda_, esquina_}) {
    if (!v) continue;
    QHeaderView* h = v->verticalHeader();
    std::vector<std::pair<int, int>> propios;
    for (int r = 0; r < rowCount(); ++r)
      if (!h->isSectionHidden(r) && h->sectionSize(r) != anterior) propios.emplace_back(r, h->sectionSize(r));
    h->setDefaultSectionSize(altoFila_);
    for (const auto& [r, alto] : propios) h->resizeSection(r, alto);
  }
  verticalScrollBar()->setSingleStep(altoFila_);
  ColocaFijas();
}

// ---- checks and cells -------------------------------------------------------------------

void MSFlexGrid::CompruebaCelda(int row, int col) const {
  if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) vbctl::Raise(vbctl::ErrSubindice, kFuente);
}

void MSFlexGrid::CompruebaColumna(int col) const {
  if (col < 0 || col >= columnCount()) vbctl::Raise(vbctl::ErrSubindice, kFuente);
}

QTableWidgetItem* MSFlexGrid::Celda(int row, int col) {
  QTableWidgetItem* it = item(row, col);
  if (!it) {
    it = new QTableWidgetItem();
    it->setFlags(Qt::ItemIsEnabled);
    setItem(row, col, it);
  }
  return it;
}

bool MSFlexGrid::EsNumero(const QString& s) const { return vb::IsNumeric(s); }

QString MSFlexGrid::TextMatrix(int row, int col) const {
  CompruebaCelda(row, col);
  const QTableWidgetItem* it = item(row, col);
  return it ? it->text() : QString();
}

void MSFlexGrid::SetTextMatrix(int row, int col, const QString& texto) {
  CompruebaCelda(row, col);
  if (texto.isEmpty() && !item(row, col)) return;
  if (redibuja_) {
    Celda(row, col)->setText(texto);
    return;
  }
  // With Redraw off the views are told of the changed cells once, when
  // Redraw comes back on.
  const QSignalBlocker silencio(model());
  Celda(row, col)->setText(texto);
  textosPendientes_ = true;
}

QString MSFlexGrid::TextArray(int index) const {
  const int cols = columnCount();
  if (cols == 0 || index < 0) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  return TextMatrix(index / cols, index % cols);
}

void MSFlexGrid::SetTextArray(int index, const QString& texto) {
  const int cols = columnCount();
  if (cols == 0 || index < 0) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  SetTextMatrix(index / cols, index % cols, texto);
}

// ---- structure ----------------------------------------------------------------------------

void MSFlexGrid::SetRows(int n) {
  if (n < 0) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  const int filasAntes = rowCount();
  AplicaCabecerasPendientes();
  setRowCount(n);
  if (filasFijas_ > n) filasFijas_ = n;
  AjustaCeldaActual(filasAntes, columnCount());
  ColocaFijas();
}

// The fixed views lay their headers out lazily. Rows or columns added while
// such a layout is pending (after Clear, or once the grid is shown) end up
// with a stale extra section, drawn as an empty cell past the last column
// of the fixed row; asking the headers their count runs the layout first.
void MSFlexGrid::AplicaCabecerasPendientes() {
  for (QTableView* v : {arriba_, izquierda_, esquina_}) {
    if (!v) continue;
    v->horizontalHeader()->count();
    v->verticalHeader()->count();
  }
}

void MSFlexGrid::SetCols(int n) {
  if (n < 0) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  const int colsAntes = columnCount();
  AplicaCabecerasPendientes();
  setColumnCount(n);
  alineaciones_.resize(n, flex::AlignGeneral);
  if (colsFijas_ > n) colsFijas_ = n;
  AjustaCeldaActual(rowCount(), colsAntes);
  ColocaFijas();
}

void MSFlexGrid::SetFixedRows(int n) {
  if (n < 0 || n > rowCount()) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  filasFijas_ = n;
  if (fila_ < n && rowCount() > n) fila_ = n;
  ColocaFijas();
  ActualizaTodo();
}

void MSFlexGrid::SetFixedCols(int n) {
  if (n < 0 || n > columnCount()) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  colsFijas_ = n;
  if (col_ < n && columnCount() > n) col_ = n;
  ColocaFijas();
  ActualizaTodo();
}

void MSFlexGrid::AjustaCeldaActual(int filasAntes, int colsAntes) {
  const int n = rowCount();
  const int m = columnCount();
  if (fila_ >= n) fila_ = std::max(0, n - 1);
  // A grid that had only fixed rows starts its current cell on the first
  // row that scrolls once it gets one.
  if (fila_ < filasFijas_ && n > filasFijas_ && filasAntes <= filasFijas_) fila_ = filasFijas_;
  if (col_ >= m) col_ = std::max(0, m - 1);
  if (col_ < colsFijas_ && m > colsFijas_ && colsAntes <= colsFijas_) col_ = colsFijas_;
}

void MSFlexGrid::Clear() {
  clearContents();
  ActualizaTodo();
}

void MSFlexGrid::AddItem(const QString& texto, int index) {
  const int n = rowCount();
  const int pos = index < 0 ? n : index;
  if (pos > n) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  insertRow(pos);
  const QStringList partes = texto.split(QLatin1Char('\t'));
  for (int c = 0; c < partes.size() && c < columnCount(); ++c) SetTextMatrix(pos, c, partes[c]);
  ColocaFijas();
}

void MSFlexGrid::RemoveItem(int index) {
  if (index < 0 || index >= rowCount()) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  removeRow(index);
  if (filasFijas_ > rowCount()) filasFijas_ = rowCount();
  if (fila_ >= rowCount()) fila_ = std::max(0, rowCount() - 1);
  ColocaFijas();
}

// ---- current cell -------------------------------------------------------------------------

void MSFlexGrid::SetRow(int r) {
  if (r < 0 || r >= rowCount()) vbctl::Raise(vbctl::ErrFilaInvalida, kFuente);
  MueveCelda(r, col_);
}

void MSFlexGrid::SetCol(int c) {
  if (c < 0 || c >= columnCount()) vbctl::Raise(vbctl::ErrColInvalida, kFuente);
  MueveCelda(fila_, c);
}

void MSFlexGrid::MueveCelda(int r, int c) {
  if (r == fila_ && c == col_) return;
  QPointer<MSFlexGrid> vivo(this);
  if (LeaveCell) {
    LeaveCell();
    if (!vivo) return;
  }
  fila_ = r;
  col_ = c;
  ActualizaTodo();
  if (EnterCell) EnterCell();
}

// ---- sizes and colours --------------------------------------------------------------------

int MSFlexGrid::ColWidth(int col) const {
  CompruebaColumna(col);
  return isColumnHidden(col) ? 0 : ATwips(columnWidth(col));
}

void MSFlexGrid::SetColWidth(int col, int twips) {
  CompruebaColumna(col);
  const int px = twips < 0 ? anchoCol_ : APixeles(twips);
  for (QTableView* v : {static_cast<QTableView*>(this), arriba_, izquierda_, esquina_}) {
    v->setColumnHidden(col, px == 0);
    if (px > 0) v->setColumnWidth(col, px);
  }
  ColocaFijas();
}

int MSFlexGrid::RowHeight(int row) const {
  if (row < 0 || row >= rowCount()) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  return isRowHidden(row) ? 0 : ATwips(rowHeight(row));
}

void MSFlexGrid::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= rowCount()) vbctl::Raise(vbctl::ErrSubindice, kFuente);
  const int px = twips < 0 ? altoFila_ : APixeles(twips);
  for (QTableView* v : {static_cast<QTableView*>(this), arriba_, izquierda_, esquina_}) {
    v->setRowHidden(row, px == 0);
    if (px > 0) v->setRowHeight(row, px);
  }
  ColocaFijas();
}

int MSFlexGrid::ColAlignment(int col) const {
  CompruebaColumna(col);
  return alineaciones_[col];
}

void MSFlexGrid::SetColAlignment(int col, int alineacion) {
  CompruebaColumna(col);
  if (alineacion < flex::AlignLeftTop || alineacion > flex::AlignGeneral)
    vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  alineaciones_[col] = alineacion;
  ActualizaTodo();
}

long MSFlexGrid::CellBackColor() const {
  CompruebaCelda(fila_, col_);
  const QTableWidgetItem* it = item(fila_, col_);
  const QVariant v = it ? it->data(Qt::BackgroundRole) : QVariant();
  return v.isValid() ? ColorAVb(v.value<QBrush>().color()) : 0;
}

void MSFlexGrid::SetCellBackColor(long color) {
  CompruebaCelda(fila_, col_);
  if (color == 0)
    Celda(fila_, col_)->setData(Qt::BackgroundRole, QVariant());
  else
    Celda(fila_, col_)->setBackground(ColorVb(color));
}

long MSFlexGrid::CellForeColor() const {
  CompruebaCelda(fila_, col_);
  const QTableWidgetItem* it = item(fila_, col_);
  const QVariant v = it ? it->data(Qt::ForegroundRole) : QVariant();
  return v.isValid() ? ColorAVb(v.value<QBrush>().color()) : 0;
}

void MSFlexGrid::SetCellForeColor(long color) {
  CompruebaCelda(fila_, col_);
  if (color == 0)
    Celda(fila_, col_)->setData(Qt::ForegroundRole, QVariant());
  else
    Celda(fila_, col_)->setForeground(ColorVb(color));
}

// ---- geometry and scrolling ---------------------------------------------------------------

int MSFlexGrid::AltoFijo() const {
  int alto = 0;
  for (int r = 0; r < std::min(filasFijas_, rowCount()); ++r) alto += isRowHidden(r) ? 0 : rowHeight(r);
  return alto;
}

int MSFlexGrid::AnchoFijo() const {
  int ancho = 0;
  for (int c = 0; c < std::min(colsFijas_, columnCount()); ++c) ancho += isColumnHidden(c) ? 0 : columnWidth(c);
  return ancho;
}

int MSFlexGrid::FilaEnPixel(int y) const {
  int acumulado = 0;
  for (int r = 0; r < std::min(filasFijas_, rowCount()); ++r) {
    if (isRowHidden(r)) continue;
    acumulado += rowHeight(r);
    if (y < acumulado) return r;
  }
  return rowAt(y);
}

int MSFlexGrid::ColEnPixel(int x) const {
  int acumulado = 0;
  for (int c = 0; c < std::min(colsFijas_, columnCount()); ++c) {
    if (isColumnHidden(c)) continue;
    acumulado += columnWidth(c);
    if (x < acumulado) return c;
  }
  return columnAt(x);
}

void MSFlexGrid::AseguraVisible(int r, int c) {
  if (r >= filasFijas_ && r < rowCount() && !isRowHidden(r)) {
    const int alto = AltoFijo();
    const int y = rowViewportPosition(r);
    const int h = rowHeight(r);
    QScrollBar* barra = verticalScrollBar();
    if (y < alto)
      barra->setValue(barra->value() - (alto - y));
    else if (y + h > viewport()->height())
      barra->setValue(barra->value() + std::min(y + h - viewport()->height(), y - alto));
  }
  if (c >= colsFijas_ && c < columnCount() && !isColumnHidden(c)) {
    const int ancho = AnchoFijo();
    const int x = columnViewportPosition(c);
    const int w = columnWidth(c);
    QScrollBar* barra = horizontalScrollBar();
    if (x < ancho)
      barra->setValue(barra->value() - (ancho - x));
    else if (x + w > viewport()->width())
      barra->setValue(barra->value() + std::min(x + w - viewport()->width(), x - ancho));
  }
}

void MSFlexGrid::scrollTo(const QModelIndex& index, ScrollHint) {
  if (index.isValid()) AseguraVisible(index.row(), index.column());
}

int MSFlexGrid::CellLeft() {
  CompruebaCelda(fila_, col_);
  AseguraVisible(fila_, col_);
  int x = 0;
  if (col_ < colsFijas_) {
    for (int c = 0; c < col_; ++c) x += isColumnHidden(c) ? 0 : columnWidth(c);
  } else {
    x = columnViewportPosition(col_);
  }
  return ATwips(viewport()->geometry().x() + x);
}

int MSFlexGrid::CellTop() {
  CompruebaCelda(fila_, col_);
  AseguraVisible(fila_, col_);
  int y = 0;
  if (fila_ < filasFijas_) {
    for (int r = 0; r < fila_; ++r) y += isRowHidden(r) ? 0 : rowHeight(r);
  } else {
    y = rowViewportPosition(fila_);
  }
  return ATwips(viewport()->geometry().y() + y);
}

int MSFlexGrid::CellWidth() {
  CompruebaCelda(fila_, col_);
  AseguraVisible(fila_, col_);
  return isColumnHidden(col_) ? 0 : ATwips(columnWidth(col_));
}

int MSFlexGrid::CellHeight() {
  CompruebaCelda(fila_, col_);
  AseguraVisible(fila_, col_);
  return isRowHidden(fila_) ? 0 : ATwips(rowHeight(fila_));
}

int MSFlexGrid::TopRow() const {
  const int alto = AltoFijo();
  int r = rowAt(alto);
  if (r < filasFijas_) return filasFijas_;
  // A row partly hidden under the fixed rows is not the first one shown.
  if (rowViewportPosition(r) < alto && r + 1 < rowCount()) ++r;
  return r;
}

void MSFlexGrid::SetTopRow(int r) {
  if (rowCount() <= filasFijas_) return;
  r = std::clamp(r, filasFijas_, rowCount() - 1);
  QTableWidget::updateGeometries();
  verticalScrollBar()->setValue(verticalHeader()->sectionPosition(r) - AltoFijo());
}

int MSFlexGrid::Left() const { return ATwips(x()); }
int MSFlexGrid::Top() const { return ATwips(y()); }
int MSFlexGrid::Height() const { return ATwips(height()); }

void MSFlexGrid::ColocaFijas() {
  if (!esquina_) return;
  const QRect vp = viewport()->geometry();
  const int alto = std::min(AltoFijo(), vp.height());
  const int ancho = std::min(AnchoFijo(), vp.width());
  arriba_->setGeometry(vp.x(), vp.y(), vp.width(), alto);
  izquierda_->setGeometry(vp.x(), vp.y(), ancho, vp.height());
  esquina_->setGeometry(vp.x(), vp.y(), ancho, alto);
  arriba_->setVisible(alto > 0);
  izquierda_->setVisible(ancho > 0);
  esquina_->setVisible(alto > 0 && ancho > 0);
  arriba_->raise();
  izquierda_->raise();
  esquina_->raise();
  SincronizaDesplazamiento();
}

void MSFlexGrid::SincronizaDesplazamiento() {
  if (!esquina_) return;
  arriba_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  arriba_->verticalScrollBar()->setValue(0);
  izquierda_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  izquierda_->horizontalScrollBar()->setValue(0);
  esquina_->horizontalScrollBar()->setValue(0);
  esquina_->verticalScrollBar()->setValue(0);
}

void MSFlexGrid::ActualizaTodo() {
  if (!redibuja_) return;
  viewport()->update();
  for (QTableView* v : {arriba_, izquierda_, esquina_})
    if (v) v->viewport()->update();
}

void MSFlexGrid::SetRedraw(bool v) {
  redibuja_ = v;
  viewport()->setUpdatesEnabled(v);
  for (QTableView* f : {arriba_, izquierda_, esquina_}) f->viewport()->setUpdatesEnabled(v);
  if (!v) return;
  if (textosPendientes_ && rowCount() > 0 && columnCount() > 0)
    emit model()->dataChanged(model()->index(0, 0), model()->index(rowCount() - 1, columnCount() - 1));
  textosPendientes_ = false;
  ActualizaTodo();
}

void MSFlexGrid::Refresh() { ActualizaTodo(); }

void MSFlexGrid::resizeEvent(QResizeEvent* e) {
  QTableWidget::resizeEvent(e);
  ColocaFijas();
}

void MSFlexGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  verticalScrollBar()->setSingleStep(altoFila_);
  horizontalScrollBar()->setSingleStep(anchoCol_ / 2);
  ColocaFijas();
}

// ---- keyboard, mouse and focus --------------------------------------------------------------

bool MSFlexGrid::Navega(QKeyEvent* e) {
  const int filas = rowCount();
  const int cols = columnCount();
  int r = fila_;
  int c = col_;
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  auto visible = [this](int k) { return !isColumnHidden(k); };
  auto primeraCol = [&] {
    for (int k = colsFijas_; k < cols; ++k)
      if (visible(k)) return k;
    return c;
  };
  auto ultimaCol = [&] {
    for (int k = cols - 1; k >= colsFijas_; --k)
      if (visible(k)) return k;
    return c;
  };
  const int porPagina = std::max(1, (viewport()->height() - AltoFijo()) / std::max(1, altoFila_));
  switch (e->key()) {
    case Qt::Key_Up:
      if (r > filasFijas_) --r;
      break;
    case Qt::Key_Down:
      if (r + 1 < filas) r = std::max(r + 1, filasFijas_);
      break;
    case Qt::Key_Left:
      for (int k = c - 1; k >= colsFijas_; --k)
        if (visible(k)) {
          c = k;
          break;
        }
      break;
    case Qt::Key_Right:
      for (int k = std::max(c + 1, colsFijas_); k < cols; ++k)
        if (visible(k)) {
          c = k;
          break;
        }
      break;
    case Qt::Key_Home:
      if (ctrl && filas > filasFijas_) r = filasFijas_;
      c = primeraCol();
      break;
    case Qt::Key_End:
      if (ctrl && filas > filasFijas_) r = filas - 1;
      c = ultimaCol();
      break;
    case Qt::Key_PageUp:
      if (r > filasFijas_) r = std::max(filasFijas_, r - porPagina);
      break;
    case Qt::Key_PageDown:
      if (r + 1 < filas) r = std::min(filas - 1, std::max(r + porPagina, filasFijas_));
      break;
    default:
      return false;
  }
  if (r >= 0 && c >= 0 && r < filas && c < cols && (r != fila_ || c != col_)) {
    QPointer<MSFlexGrid> vivo(this);
    MueveCelda(r, c);
    if (!vivo) return true;
  }
  AseguraVisible(fila_, col_);
  return true;
}

void MSFlexGrid::keyPressEvent(QKeyEvent* e) {
  QPointer<MSFlexGrid> vivo(this);
  int codigo = vbkey::Codigo(e);
  if (KeyDown && codigo != 0) {
    KeyDown(codigo, vbkey::ShiftEstado(e->modifiers()));
    if (!vivo) return;
    if (codigo == 0) {
      e->accept();
      return;
    }
  }
  if (Navega(e)) {
    e->accept();
    return;
  }
  int ascii = vbkey::Ascii(e);
  if (ascii != 0 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (KeyPress) KeyPress(ascii);
    if (vivo) e->accept();
    return;
  }
  e->ignore();
}

void MSFlexGrid::mousePressEvent(QMouseEvent* e) {
  QPointer<MSFlexGrid> vivo(this);
  dobleClic_ = false;
  if ((focusPolicy() & Qt::ClickFocus) && !hasFocus()) {
    setFocus(Qt::MouseFocusReason);
    if (!vivo) return;
  }
  const QPoint pos = e->position().toPoint();
  mouseFila_ = FilaEnPixel(pos.y());
  mouseCol_ = ColEnPixel(pos.x());
  if (e->button() == Qt::LeftButton && mouseFila_ >= filasFijas_ && mouseCol_ >= colsFijas_) {
    MueveCelda(mouseFila_, mouseCol_);
    if (!vivo) return;
    AseguraVisible(fila_, col_);
  }
  if (MouseDown) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseDown(vbkey::BotonRaton(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
  }
}

void MSFlexGrid::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<MSFlexGrid> vivo(this);
  const QPoint pos = e->position().toPoint();
  mouseFila_ = FilaEnPixel(pos.y());
  mouseCol_ = ColEnPixel(pos.x());
  if (MouseUp) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseUp(vbkey::BotonRaton(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (!dobleClic_ && Click) Click();
}

void MSFlexGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  dobleClic_ = true;
  const QPoint pos = e->position().toPoint();
  mouseFila_ = FilaEnPixel(pos.y());
  mouseCol_ = ColEnPixel(pos.x());
  if (DblClick) DblClick();
}

void MSFlexGrid::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  mouseFila_ = FilaEnPixel(pos.y());
  mouseCol_ = ColEnPixel(pos.x());
}

void MSFlexGrid::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  ActualizaTodo();
  if (GotFocus) GotFocus();
}

void MSFlexGrid::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  ActualizaTodo();
  if (LostFocus) LostFocus();
}
