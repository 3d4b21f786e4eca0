#include "platform/controles/listview.h"

#include <QStyle>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <optional>

#include "platform/controles/color.h"
#include "platform/controles/errores.h"
#include "platform/controles/imagelist.h"
#include "platform/form.h"
#include "platform/teclas.h"

namespace {

const QString kFuente = QStringLiteral("ListView");
constexpr int kAnchoColumnaPorDefecto = 1440;

// Reads a run of digits at i (at most max of them); -1 when there is none.
long long Digitos(const QString& t, int& i, int max) {
  long long v = 0;
  int n = 0;
  while (i < t.size() && n < max && t[i].isDigit()) {
    v = v * 10 + t[i].digitValue();
    ++i;
    ++n;
  }
  return n == 0 ? -1 : v;
}

// A date text as a number that sorts as the date: dd/mm/yyyy or yyyy-mm-dd,
// optionally followed by hh:mm[:ss]. Nothing for another text.
std::optional<double> FechaDeOrden(const QString& texto) {
  const QString t = texto.trimmed();
  int i = 0;
  long long a = Digitos(t, i, 4);
  if (a < 0 || i >= t.size() || (t[i] != u'/' && t[i] != u'-')) return std::nullopt;
  const QChar sep = t[i++];
  const long long b = Digitos(t, i, 2);
  if (b < 0 || i >= t.size() || t[i] != sep) return std::nullopt;
  ++i;
  const long long c = Digitos(t, i, 4);
  if (c < 0) return std::nullopt;
  long long anio = c, mes = b, dia = a;
  if (sep == u'-') std::swap(anio, dia);  // yyyy-mm-dd
  if (mes < 1 || mes > 12 || dia < 1 || dia > 31) return std::nullopt;
  long long hora = 0, minuto = 0, segundo = 0;
  while (i < t.size() && (t[i] == u' ' || t[i] == u'T')) ++i;
  if (i < t.size()) {
    hora = Digitos(t, i, 2);
    if (hora < 0 || i >= t.size() || t[i] != u':') return std::nullopt;
    ++i;
    minuto = Digitos(t, i, 2);
    if (minuto < 0) return std::nullopt;
    if (i < t.size() && t[i] == u':') {
      ++i;
      segundo = Digitos(t, i, 2);
      if (segundo < 0) return std::nullopt;
    }
  }
  return static_cast<double>((((anio * 100 + mes) * 100 + dia) * 100 + hora) * 10000 + minuto * 100 + segundo);
}

std::optional<double> NumeroDeOrden(const QString& texto) {
  QString t = texto.trimmed();
  t.replace(u',', u'.');
  bool ok = false;
  const double v = t.toDouble(&ok);
  if (!ok) return std::nullopt;
  return v;
}

std::optional<double> ValorDeOrden(const QString& texto, int tipo) {
  return tipo == lvw::OrdenFecha ? FechaDeOrden(texto) : NumeroDeOrden(texto);
}

QString Plegada(const QString& clave) { return clave.toCaseFolded(); }

int BotonVb(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return lvw::LeftButton;
    case Qt::RightButton: return lvw::RightButton;
    case Qt::MiddleButton: return lvw::MiddleButton;
    default: return 0;
  }
}

Qt::Alignment AlineacionQt(int a) {
  switch (a) {
    case lvw::ColumnRight: return Qt::AlignRight | Qt::AlignVCenter;
    case lvw::ColumnCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

// Paints the lines as the list's options ask (selection across the whole
// line or on the text only, hidden while the list has no focus, grid lines)
// and hands an edited label to AfterLabelEdit before it is stored.
class DelegadoLista : public QStyledItemDelegate {
 public:
  explicit DelegadoLista(ListView* vista) : QStyledItemDelegate(vista), vista_(vista) {}

  void paint(QPainter* p, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
    QStyleOptionViewItem o(opcion);
    if ((!vista_->filaEntera_ && indice.column() > 0) || (vista_->ocultaSeleccion_ && !vista_->hasFocus()))
      o.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(p, o, indice);
    if (vista_->lineas_) {
      p->save();
      p->setPen(QColor(0xD4, 0xD0, 0xC8));
      p->drawLine(o.rect.bottomLeft(), o.rect.bottomRight());
      p->drawLine(o.rect.topRight(), o.rect.bottomRight());
      p->restore();
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override {
    auto* linea = qobject_cast<QLineEdit*>(editor);
    if (!linea) return;
    QString nuevo = linea->text();
    int cancel = 0;
    if (vista_->AfterLabelEdit) vista_->AfterLabelEdit(cancel, nuevo);
    if (!cancel) modelo->setData(indice, nuevo, Qt::EditRole);
  }

 private:
  ListView* vista_;
};

// ---- ColumnHeader -------------------------------------------------------------

void ColumnHeader::SetText(const QString& t) {
  texto_ = t;
  vista_->headerItem()->setText(indice_ - 1, t);
}

// The first column also holds the line's check box and small icon: its
// width is the text's, and the pictures get room of their own beside it.
int ColumnHeader::Width() const {
  const int extra = indice_ == 1 ? vista_->AnchoDecoracion() : 0;
  return ATwips(std::max(0, vista_->header()->sectionSize(indice_ - 1) - extra));
}

void ColumnHeader::SetWidth(int twips) {
  const int extra = indice_ == 1 ? vista_->AnchoDecoracion() : 0;
  vista_->header()->resizeSection(indice_ - 1, Tw(std::max(0, twips)) + extra);
}

int ColumnHeader::Left() const { return ATwips(vista_->header()->sectionPosition(indice_ - 1)); }

void ColumnHeader::SetAlignment(int a) {
  // The first column always shows its texts to the left.
  alineacion_ = indice_ == 1 ? lvw::ColumnLeft : a;
  vista_->headerItem()->setTextAlignment(indice_ - 1, AlineacionQt(alineacion_));
  vista_->viewport()->update();
}

void ColumnHeader::SetTipoOrden(int tipo) {
  tipoOrden_ = (tipo == lvw::OrdenFecha || tipo == lvw::OrdenNumero) ? tipo : lvw::OrdenTexto;
  if (vista_->ordenada_ && vista_->claveOrden_ == indice_ - 1) vista_->MarcaOrden();
}

// ---- ListItem -------------------------------------------------------------------

ListItem::ListItem(ListView* vista, QString clave)
    : QTreeWidgetItem(QTreeWidgetItem::UserType), vista_(vista), clave_(std::move(clave)) {
  setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
           Qt::ItemNeverHasChildren);
}

ListItem::~ListItem() {
  if (vista_) vista_->ItemDestruido(this);
}

void ListItem::CompruebaSubItem(int i) const {
  if (!vista_ || i < 1 || i >= vista_->columnas_.Count()) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
}

QString ListItem::SubItems(int i) const {
  CompruebaSubItem(i);
  return textos_.value(i);
}

void ListItem::SetSubItems(int i, const QString& t) {
  CompruebaSubItem(i);
  PoneTexto(i, t);
}

void ListItem::PoneTexto(int columna, const QString& t) {
  if (textos_.size() <= columna) {
    if (vista_) textos_.reserve(std::max(columna + 1, vista_->ColumnHeaders().Count()));
    while (textos_.size() <= columna) textos_.append(QString());
  }
  textos_[columna] = t;
  Cambio();
  if (vista_ && vista_->ordenada_ && columna == vista_->claveOrden_ && treeWidget()) vista_->MarcaOrden();
}

void ListItem::SetSmallIcon(int index) {
  iconoChico_ = index;
  Cambio();
}

void ListItem::SetSmallIcon(const QString& key) {
  const int i = (vista_ && vista_->iconosChicos_) ? vista_->iconosChicos_->ListImages().IndiceDeClave(key) : 0;
  if (i == 0) vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
  SetSmallIcon(i);
}

void ListItem::SetChecked(bool v) {
  if (marcado_ == v) return;
  marcado_ = v;
  Cambio();
}

bool ListItem::Selected() const {
  if (vista_) vista_->Vuelca();
  return treeWidget() && isSelected();
}

void ListItem::SetSelected(bool v) {
  if (!vista_) return;
  vista_->Vuelca();
  if (v && !vista_->multiple_)
    vista_->SetSelectedItem(this);
  else
    setSelected(v);
}

int ListItem::Index() const {
  if (!vista_) return 0;
  vista_->Vuelca();
  return vista_->indexOfTopLevelItem(const_cast<ListItem*>(this)) + 1;
}

void ListItem::EnsureVisible() {
  if (!vista_) return;
  vista_->Vuelca();
  vista_->scrollToItem(this);
}

ListItem::Estilo& ListItem::EstiloDe(int columna) {
  if (static_cast<int>(estilos_.size()) <= columna) estilos_.resize(columna + 1);
  return estilos_[columna];
}

long ListItem::ForeColor() const { return estilos_.empty() ? -1 : estilos_[0].color; }

void ListItem::SetForeColor(long color) {
  EstiloDe(0).color = color;
  Cambio();
}

bool ListItem::Bold() const { return !estilos_.empty() && estilos_[0].negrita; }

void ListItem::SetBold(bool v) {
  EstiloDe(0).negrita = v;
  Cambio();
}

void ListItem::SetSubItemForeColor(int i, long color) {
  CompruebaSubItem(i);
  EstiloDe(i).color = color;
  Cambio();
}

void ListItem::SetSubItemBold(int i, bool v) {
  CompruebaSubItem(i);
  EstiloDe(i).negrita = v;
  Cambio();
}

void ListItem::Cambio() {
  if (treeWidget()) emitDataChanged();
}

QVariant ListItem::data(int column, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return textos_.value(column);
    case Qt::DecorationRole:
      if (column == 0 && vista_ && vista_->iconosChicos_ && iconoChico_ > 0)
        return vista_->iconosChicos_->Icono(iconoChico_);
      return QVariant();
    case Qt::CheckStateRole:
      if (column == 0 && vista_ && vista_->checkboxes_) return static_cast<int>(marcado_ ? Qt::Checked : Qt::Unchecked);
      return QVariant();
    case Qt::ForegroundRole:
      if (column < static_cast<int>(estilos_.size()) && estilos_[column].color >= 0)
        return QBrush(ColorVb(estilos_[column].color));
      return QVariant();
    case Qt::FontRole:
      if (vista_ && column < static_cast<int>(estilos_.size()) && estilos_[column].negrita) {
        QFont f = vista_->font();
        f.setBold(true);
        return f;
      }
      return QVariant();
    case Qt::TextAlignmentRole:
      return vista_ ? QVariant(vista_->AlineacionDe(column)) : QVariant();
    case Qt::ToolTipRole:
      return vista_ && !vista_->toolTip().isEmpty() ? QVariant(vista_->toolTip()) : QVariant();
    default:
      return QTreeWidgetItem::data(column, role);
  }
}

void ListItem::setData(int column, int role, const QVariant& value) {
  if (role == Qt::CheckStateRole) {
    // Only the view's own check-box handling comes here: a tick the user made.
    if (column != 0) return;
    const bool nuevo = value.toInt() == Qt::Checked;
    if (nuevo == marcado_) return;
    marcado_ = nuevo;
    Cambio();
    if (vista_) vista_->AvisaMarca(this);
    return;
  }
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    PoneTexto(column, value.toString());
    return;
  }
  QTreeWidgetItem::setData(column, role, value);
}

bool ListItem::operator<(const QTreeWidgetItem& otro) const {
  const int c = vista_ ? vista_->claveOrden_ : 0;
  const auto& o = static_cast<const ListItem&>(otro);
  static const QString vacio;
  const QString& a = c < textos_.size() ? textos_[c] : vacio;
  const QString& b = c < o.textos_.size() ? o.textos_[c] : vacio;
  const int tipo = vista_ ? vista_->TipoOrdenDe(c) : lvw::OrdenTexto;
  if (tipo != lvw::OrdenTexto) {
    const std::optional<double> x = ValorDeOrden(a, tipo), y = ValorDeOrden(b, tipo);
    if (x != y) return !x || (y && *x < *y);
  }
  return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// ---- collections ------------------------------------------------------------------

ColumnHeader* ListView::Columnas::Add(const QString& Text, int Width, int Alignment, const QString& Key) {
  const int indice = Count() + 1;
  columnas_.push_back(std::unique_ptr<ColumnHeader>(new ColumnHeader(vista_, indice, Text, lvw::ColumnLeft)));
  ColumnHeader* c = columnas_.back().get();
  c->Key = Key;
  vista_->ReajustaColumnas();
  c->SetText(Text);
  c->SetWidth(Width < 0 ? kAnchoColumnaPorDefecto : Width);
  c->SetAlignment(Alignment);
  return c;
}

void ListView::Columnas::Clear() {
  columnas_.clear();
  vista_->ReajustaColumnas();
}

ColumnHeader* ListView::Columnas::Item(int index) const {
  if (index < 1 || index > Count()) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return columnas_[index - 1].get();
}

ColumnHeader* ListView::Columnas::Item(const QString& key) const {
  for (const auto& c : columnas_)
    if (!key.isEmpty() && QString::compare(c->Key, key, Qt::CaseInsensitive) == 0) return c.get();
  vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
}

ListItem* ListView::Items::Add(const QString& Text, const QString& Key, int SmallIcon, int Icon) {
  ListView* v = vista_;
  if (!Key.isEmpty() && v->porClave_.contains(Plegada(Key))) vbctl::Raise(vbctl::ErrClaveRepetida, kFuente);
  auto* it = new ListItem(v, Key);
  it->textos_.append(Text);
  it->iconoChico_ = SmallIcon;
  it->icono_ = Icon;
  if (!Key.isEmpty()) v->porClave_.insert(Plegada(Key), it);
  v->pendientes_.push_back(it);
  v->ProgramaVuelco();
  return it;
}

void ListView::Items::Clear() {
  ListView* v = vista_;
  v->limpiando_ = true;
  v->porClave_.clear();
  for (ListItem* p : v->pendientes_) delete p;
  v->pendientes_.clear();
  v->clear();
  v->limpiando_ = false;
  v->pulsado_ = nullptr;
  v->ordenPendiente_ = false;
}

int ListView::Items::Count() const {
  return vista_->topLevelItemCount() + static_cast<int>(vista_->pendientes_.size());
}

ListItem* ListView::Items::Item(int index) const {
  vista_->Vuelca();
  if (index < 1 || index > vista_->topLevelItemCount()) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return static_cast<ListItem*>(vista_->topLevelItem(index - 1));
}

ListItem* ListView::Items::Busca(const QString& key) const {
  if (key.isEmpty()) return nullptr;
  return vista_->porClave_.value(Plegada(key), nullptr);
}

ListItem* ListView::Items::Item(const QString& key) const {
  ListItem* it = Busca(key);
  if (!it) vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
  return it;
}

void ListView::Items::Remove(int index) { delete Item(index); }

void ListView::Items::Remove(const QString& key) {
  ListItem* it = Item(key);
  auto& p = vista_->pendientes_;
  p.erase(std::remove(p.begin(), p.end(), it), p.end());
  delete it;
}

// ---- ListView -------------------------------------------------------------------------

ListView::ListView(QWidget* parent, const QString& nombre) : QTreeWidget(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setItemDelegate(new DelegadoLista(this));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTextElideMode(Qt::ElideRight);
  setIconSize(QSize(16, 16));
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(true);
  header()->setHighlightSections(false);
  ReajustaColumnas();
  connect(header(), &QHeaderView::sectionClicked, this, [this](int logico) {
    if (ColumnClick && logico < columnas_.Count()) ColumnClick(logico + 1);
  });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* actual, QTreeWidgetItem*) {
    if (porTeclado_ && actual && ItemClick) ItemClick(static_cast<ListItem*>(actual));
  });
}

ListView::~ListView() {
  items_.Clear();
  ItemCheck = nullptr;
}

void ListView::ReajustaColumnas() {
  setColumnCount(std::max(1, columnas_.Count()));
  if (columnas_.Count() == 0) headerItem()->setText(0, QString());
}

int ListView::TipoOrdenDe(int columna) const {
  return (columna >= 0 && columna < columnas_.Count()) ? columnas_.columnas_[columna]->TipoOrden() : lvw::OrdenTexto;
}

int ListView::AlineacionDe(int columna) const {
  const int a = (columna >= 0 && columna < columnas_.Count()) ? columnas_.columnas_[columna]->Alignment() : 0;
  return static_cast<int>(AlineacionQt(a));
}

void ListView::ProgramaVuelco() {
  if (vuelcoProgramado_) return;
  vuelcoProgramado_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        vuelcoProgramado_ = false;
        Vuelca();
      },
      Qt::QueuedConnection);
}

void ListView::MarcaOrden() {
  ordenPendiente_ = true;
  ProgramaVuelco();
}

void ListView::Vuelca() {
  if (!pendientes_.empty()) {
    QList<QTreeWidgetItem*> lista;
    lista.reserve(static_cast<qsizetype>(pendientes_.size()));
    for (ListItem* p : pendientes_) lista.append(p);
    pendientes_.clear();
    addTopLevelItems(lista);
    if (ordenada_) ordenPendiente_ = true;
  }
  if (ordenPendiente_) {
    ordenPendiente_ = false;
    if (ordenada_) sortItems(claveOrden_, sentido_ == lvw::Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  }
}

void ListView::ItemDestruido(ListItem* item) {
  if (item == pulsado_) pulsado_ = nullptr;
  if (limpiando_) return;
  if (!item->Key().isEmpty()) {
    auto it = porClave_.find(Plegada(item->Key()));
    if (it != porClave_.end() && it.value() == item) porClave_.erase(it);
  }
}

void ListView::AvisaMarca(ListItem* item) {
  if (ItemCheck) ItemCheck(item);
}

ListItem* ListView::SelectedItem() {
  Vuelca();
  QTreeWidgetItem* actual = currentItem();
  if (actual && actual->isSelected()) return static_cast<ListItem*>(actual);
  const QList<QTreeWidgetItem*> s = selectedItems();
  return s.isEmpty() ? nullptr : static_cast<ListItem*>(s.first());
}

void ListView::SetSelectedItem(ListItem* item) {
  Vuelca();
  if (!item) {
    clearSelection();
    return;
  }
  setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::SetCheckboxes(bool v) {
  checkboxes_ = v;
  scheduleDelayedItemsLayout();
  viewport()->update();
}

void ListView::SetFullRowSelect(bool v) {
  filaEntera_ = v;
  viewport()->update();
}

void ListView::SetGridLines(bool v) {
  lineas_ = v;
  viewport()->update();
}

void ListView::SetHideSelection(bool v) {
  ocultaSeleccion_ = v;
  viewport()->update();
}

void ListView::SetMultiSelect(bool v) {
  multiple_ = v;
  setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void ListView::SetSorted(bool v) {
  ordenada_ = v;
  header()->setSortIndicatorShown(v);
  if (v) MarcaOrden();
}

void ListView::SetSortKey(int columna) {
  claveOrden_ = std::max(0, columna);
  if (ordenada_) MarcaOrden();
}

void ListView::SetSortOrder(int orden) {
  sentido_ = orden == lvw::Descending ? lvw::Descending : lvw::Ascending;
  if (ordenada_) MarcaOrden();
}

void ListView::SetSmallIcons(ImageList* lista) {
  if (iconosChicos_) disconnect(iconosChicos_, nullptr, viewport(), nullptr);
  iconosChicos_ = lista;
  if (lista) {
    setIconSize(QSize(lista->ImageWidth(), lista->ImageHeight()));
    connect(lista, &ImageList::Cambiada, viewport(), qOverload<>(&QWidget::update));
  }
  viewport()->update();
}

void ListView::Refresh() {
  Vuelca();
  viewport()->update();
}

void ListView::StartLabelEdit() {
  Vuelca();
  auto* item = static_cast<ListItem*>(currentItem());
  if (!item || state() == QAbstractItemView::EditingState) return;
  int cancel = 0;
  if (BeforeLabelEdit) BeforeLabelEdit(cancel);
  if (cancel) return;
  editItem(item, 0);
}

void ListView::keyPressEvent(QKeyEvent* e) {
  QPointer<ListView> vivo(this);
  Vuelca();
  if (vbkey::Despacha(this, e, KeyDown, KeyPress).terminado) return;
  if (e->key() == Qt::Key_F2 && edicion_ == lvw::Automatic) {
    StartLabelEdit();
    e->accept();
    return;
  }
  porTeclado_ = true;
  QTreeWidget::keyPressEvent(e);
  if (vivo) porTeclado_ = false;
}

void ListView::mousePressEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  Vuelca();
  dobleClic_ = false;
  const QPoint pos = e->position().toPoint();
  auto* item = static_cast<ListItem*>(itemAt(pos));
  pulsado_ = item;
  pulsadoEstabaSeleccionado_ = item && item->isSelected();
  if (e->button() == Qt::LeftButton) {
    QTreeWidget::mousePressEvent(e);
  } else if (item) {
    // The right (or middle) button selects the line under the pointer.
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  if (!vivo) return;
  if (MouseDown) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseDown(BotonVb(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (item && e->button() == Qt::LeftButton && ItemClick && itemAt(pos) == item) ItemClick(item);
}

void ListView::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  const QPoint pos = e->position().toPoint();
  if (e->button() == Qt::LeftButton) QTreeWidget::mouseReleaseEvent(e);
  if (!vivo) return;
  if (MouseUp) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseUp(BotonVb(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (dobleClic_) return;
  if (Click) Click();
  if (!vivo) return;
  // A second, slow click on the selected line's text edits it.
  auto* item = static_cast<ListItem*>(itemAt(pos));
  if (e->button() == Qt::LeftButton && edicion_ == lvw::Automatic && item && item == pulsado_ &&
      pulsadoEstabaSeleccionado_ && visualItemRect(item).contains(pos) && columnAt(pos.x()) == 0) {
    QPersistentModelIndex indice = indexFromItem(item);
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this, indice] {
      if (dobleClic_ || !indice.isValid() || indice != QPersistentModelIndex(currentIndex())) return;
      StartLabelEdit();
    });
  }
}

void ListView::mouseDoubleClickEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  dobleClic_ = true;
  if (e->button() == Qt::LeftButton) QTreeWidget::mouseDoubleClickEvent(e);
  if (!vivo) return;
  if (DblClick) DblClick();
}

void ListView::focusInEvent(QFocusEvent* e) {
  QTreeWidget::focusInEvent(e);
  viewport()->update();
  if (GotFocus) GotFocus();
}

void ListView::focusOutEvent(QFocusEvent* e) {
  QTreeWidget::focusOutEvent(e);
  viewport()->update();
  if (LostFocus) LostFocus();
}

int ListView::AnchoDecoracion() const {
  int ancho = 0;
  if (checkboxes_) ancho += style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 4;
  if (iconosChicos_) ancho += iconSize().width() + 4;
  return ancho;
}
