#include "platform/controles/listview.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "platform/controles/color.h"
#include "platform/controles/errores.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/texto_visible.h"
#include "platform/form.h"
#include "platform/teclas.h"

namespace {

const QString kFuente = QStringLiteral("ListView");
constexpr int kAnchoColumnaPorDefecto = 1440;
// A column's length in the packed texts: one character, or this mark and two
// more for a text of 0xFFFF characters or longer.
constexpr char16_t kLargoExtendido = 0xFFFF;

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

Qt::Alignment AlineacionQt(int a) {
  switch (a) {
    case lvw::ColumnRight: return Qt::AlignRight | Qt::AlignVCenter;
    case lvw::ColumnCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Walks the packed texts: the start and length of each column in turn.
struct Tramo {
  qsizetype inicio = 0;  // first character of the length mark
  qsizetype texto = 0;   // first character of the text
  qsizetype largo = 0;
};

bool LeeTramo(const QString& t, qsizetype pos, Tramo& r) {
  if (pos >= t.size()) return false;
  r.inicio = pos;
  const char16_t marca = t[pos].unicode();
  if (marca != kLargoExtendido) {
    r.largo = marca;
    r.texto = pos + 1;
  } else {
    r.largo = (static_cast<qsizetype>(t[pos + 1].unicode()) << 16) | t[pos + 2].unicode();
    r.texto = pos + 3;
  }
  return true;
}

// Characters a text takes in the packed texts, its length mark included.
qsizetype LargoTramo(QStringView texto) { return texto.size() + (texto.size() < kLargoExtendido ? 1 : 3); }

// Writes a text's length mark and the text at d; where they end.
char16_t* EscribeTramo(char16_t* d, QStringView texto) {
  const qsizetype n = texto.size();
  if (n < kLargoExtendido) {
    *d++ = static_cast<char16_t>(n);
  } else {
    *d++ = kLargoExtendido;
    *d++ = static_cast<char16_t>(n >> 16);
    *d++ = static_cast<char16_t>(n & 0xFFFF);
  }
  return std::copy_n(texto.utf16(), n, d);
}

void EscribeTramo(QString& destino, QStringView texto) {
  const qsizetype antes = destino.size();
  destino.resize(antes + LargoTramo(texto));
  EscribeTramo(reinterpret_cast<char16_t*>(destino.data()) + antes, texto);
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

  // A text elided at its end shows its start: only the part of a long one
  // that can show is laid out.
  void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& indice) const override {
    QStyledItemDelegate::initStyleOption(o, indice);
    if (o->features & QStyleOptionViewItem::HasDisplay)
      o->text = ParteVisible(o->fontMetrics, o->text, o->rect.width(), Qt::AlignLeft);
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
  vista_->CabeceraCambiada(indice_ - 1);
}

// The first column also holds the line's check box and small icon: its
// width is the text's, and the pictures get room of their own beside it.
int ColumnHeader::Width() const {
  const int extra = indice_ == 1 ? vista_->AnchoDecoracion() : 0;
  return ATwips(std::max(0, vista_->header()->sectionSize(indice_ - 1) - extra));
}

void ColumnHeader::SetWidth(int twips) {
  const int extra = indice_ == 1 ? vista_->AnchoDecoracion() : 0;
  vista_->header()->resizeSection(indice_ - 1, APixeles(std::max(0, twips)) + extra);
}

int ColumnHeader::Left() const { return ATwips(vista_->header()->sectionPosition(indice_ - 1)); }

void ColumnHeader::SetAlignment(int a) {
  // The first column always shows its texts to the left.
  alineacion_ = indice_ == 1 ? lvw::ColumnLeft : a;
  vista_->CabeceraCambiada(indice_ - 1);
  vista_->viewport()->update();
}

void ColumnHeader::SetTipoOrden(int tipo) {
  tipoOrden_ = (tipo == lvw::OrdenFecha || tipo == lvw::OrdenNumero) ? tipo : lvw::OrdenTexto;
  if (vista_->ordenada_ && vista_->claveOrden_ == indice_ - 1) vista_->MarcaOrden();
}

// ---- ListItem -------------------------------------------------------------------

ListItem::ListItem(ListView* vista, QString clave) : vista_(vista), clave_(std::move(clave)) {}

ListItem::~ListItem() = default;

QStringView ListItem::Columna(int columna) const {
  Tramo t;
  qsizetype pos = 0;
  for (int c = 0; LeeTramo(textos_, pos, t); ++c) {
    if (c == columna) return QStringView(textos_).mid(t.texto, t.largo);
    pos = t.texto + t.largo;
  }
  return QStringView();
}

void ListItem::PoneTexto(int columna, const QString& texto) {
  Tramo t;
  qsizetype pos = 0;
  int c = 0;
  while (c < columna && LeeTramo(textos_, pos, t)) {
    pos = t.texto + t.largo;
    ++c;
  }
  if (c < columna || !LeeTramo(textos_, pos, t)) {
    // A column after the last one written: the ones between stay empty.
    for (; c < columna; ++c) EscribeTramo(textos_, QStringView());
    EscribeTramo(textos_, texto);
  } else if (t.texto + t.largo == textos_.size()) {
    textos_.truncate(t.inicio);
    EscribeTramo(textos_, texto);
  } else {
    QString nuevo;
    nuevo.reserve(textos_.size() + texto.size() + 3);
    nuevo += QStringView(textos_).left(t.inicio);
    EscribeTramo(nuevo, texto);
    nuevo += QStringView(textos_).mid(t.texto + t.largo);
    textos_ = std::move(nuevo);
  }
  Cambio();
  if (vista_ && vista_->ordenada_ && columna == vista_->claveOrden_ && fila_ >= 0) vista_->MarcaOrden();
}

void ListItem::CompruebaSubItem(int i) const {
  if (!vista_ || i < 1 || i >= vista_->columnas_.Count()) vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
}

QString ListItem::SubItems(int i) const {
  CompruebaSubItem(i);
  return Columna(i).toString();
}

void ListItem::SetSubItems(int i, const QString& t) {
  CompruebaSubItem(i);
  PoneTexto(i, t);
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
  if (!vista_) return false;
  vista_->Vuelca();
  return fila_ >= 0 && vista_->selectionModel()->isSelected(vista_->IndiceDe(this));
}

void ListItem::SetSelected(bool v) {
  if (!vista_) return;
  vista_->Vuelca();
  if (v && !vista_->multiple_) {
    vista_->SetSelectedItem(this);
    return;
  }
  vista_->selectionModel()->select(vista_->IndiceDe(this), (v ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                                               QItemSelectionModel::Rows);
}

int ListItem::Index() const {
  if (!vista_) return 0;
  vista_->Vuelca();
  return fila_ + 1;
}

void ListItem::EnsureVisible() {
  if (!vista_) return;
  vista_->Vuelca();
  vista_->scrollTo(vista_->IndiceDe(this));
}

ListItem::Estilo& ListItem::EstiloDe(int columna) {
  if (!estilos_) estilos_ = std::make_unique<std::vector<Estilo>>();
  if (static_cast<int>(estilos_->size()) <= columna) estilos_->resize(columna + 1);
  return (*estilos_)[columna];
}

long ListItem::ForeColor() const { return estilos_ && !estilos_->empty() ? (*estilos_)[0].color : -1; }

void ListItem::SetForeColor(long color) {
  EstiloDe(0).color = color;
  Cambio();
}

bool ListItem::Bold() const { return estilos_ && !estilos_->empty() && (*estilos_)[0].negrita; }

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
  if (vista_ && fila_ >= 0) vista_->LineaCambiada(this);
}

QVariant ListItem::data(int column, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Columna(column).toString();
    case Qt::DecorationRole:
      if (column == 0 && vista_ && vista_->iconosChicos_ && iconoChico_ > 0)
        return vista_->iconosChicos_->Icono(iconoChico_);
      return QVariant();
    case Qt::CheckStateRole:
      if (column == 0 && vista_ && vista_->checkboxes_) return static_cast<int>(marcado_ ? Qt::Checked : Qt::Unchecked);
      return QVariant();
    case Qt::ForegroundRole:
      if (estilos_ && column < static_cast<int>(estilos_->size()) && (*estilos_)[column].color >= 0)
        return QBrush(ColorVb((*estilos_)[column].color));
      return QVariant();
    case Qt::FontRole:
      if (vista_ && estilos_ && column < static_cast<int>(estilos_->size()) && (*estilos_)[column].negrita) {
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
      return QVariant();
  }
}

void ListItem::setData(int column, int role, const QVariant& value) {
  if (role == Qt::CheckStateRole) {
    // A tick the user made (the view's own check-box handling comes here).
    if (column != 0) return;
    const bool nuevo = value.toInt() == Qt::Checked;
    if (nuevo == marcado_) return;
    marcado_ = nuevo;
    Cambio();
    if (vista_) vista_->AvisaMarca(this);
    return;
  }
  if (role == Qt::DisplayRole || role == Qt::EditRole) PoneTexto(column, value.toString());
}

Qt::CheckState ListItem::checkState(int column) const {
  return static_cast<Qt::CheckState>(data(column, Qt::CheckStateRole).toInt());
}

QFont ListItem::font(int column) const {
  const QVariant f = data(column, Qt::FontRole);
  if (f.isValid()) return qvariant_cast<QFont>(f);
  return vista_ ? vista_->font() : QFont();
}

// ---- model ----------------------------------------------------------------------------

ModeloLista::ModeloLista(ListView* vista) : QAbstractTableModel(vista), vista_(vista) {}

int ModeloLista::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(vista_->filas_.size());
}

int ModeloLista::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, vista_->columnas_.Count());
}

QVariant ModeloLista::data(const QModelIndex& index, int role) const {
  const ListItem* it = vista_->LineaDe(index);
  return it ? it->data(index.column(), role) : QVariant();
}

bool ModeloLista::setData(const QModelIndex& index, const QVariant& value, int role) {
  ListItem* it = vista_->LineaDe(index);
  if (!it) return false;
  it->setData(index.column(), role, value);
  return true;
}

Qt::ItemFlags ModeloLista::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
         Qt::ItemNeverHasChildren;
}

QVariant ModeloLista::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= vista_->columnas_.Count()) return QVariant();
  const ColumnHeader* c = vista_->columnas_.columnas_[section].get();
  if (role == Qt::DisplayRole) return c->Text();
  if (role == Qt::TextAlignmentRole) return static_cast<int>(AlineacionQt(c->Alignment()));
  return QVariant();
}

// ---- collections ------------------------------------------------------------------

ColumnHeader* ListView::Columnas::Add(const QString& Text, int Width, int Alignment, const QString& Key) {
  const int indice = Count() + 1;
  // The model always shows one column: the first header takes its place,
  // every further one is a new column of the model.
  const bool nueva = indice > 1;
  if (nueva) vista_->modelo_->beginInsertColumns(QModelIndex(), indice - 1, indice - 1);
  columnas_.push_back(std::unique_ptr<ColumnHeader>(new ColumnHeader(vista_, indice, Text, lvw::ColumnLeft)));
  if (nueva) vista_->modelo_->endInsertColumns();
  vista_->CabeceraCambiada(indice - 1);
  ColumnHeader* c = columnas_.back().get();
  c->Key = Key;
  c->SetWidth(Width < 0 ? kAnchoColumnaPorDefecto : Width);
  c->SetAlignment(Alignment);
  return c;
}

void ListView::Columnas::Clear() {
  const int antes = Count();
  if (antes > 1) vista_->modelo_->beginRemoveColumns(QModelIndex(), 1, antes - 1);
  columnas_.clear();
  if (antes > 1) vista_->modelo_->endRemoveColumns();
  vista_->CabeceraCambiada(0);
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

ListItem* ListView::Items::Nueva(const QString& Key, int SmallIcon, int Icon) {
  ListView* v = vista_;
  if (!Key.isEmpty() && v->porClave_.contains(Plegada(Key))) vbctl::Raise(vbctl::ErrClaveRepetida, kFuente);
  auto* it = new ListItem(v, Key);
  it->iconoChico_ = SmallIcon;
  it->icono_ = Icon;
  if (!Key.isEmpty()) v->porClave_.insert(Plegada(Key), it);
  v->pendientes_.push_back(it);
  v->ProgramaVuelco();
  return it;
}

ListItem* ListView::Items::Add(const QString& Text, const QString& Key, int SmallIcon, int Icon) {
  ListItem* it = Nueva(Key, SmallIcon, Icon);
  // Room for every column's text of a usual length, trimmed when the line
  // reaches the view.
  it->textos_.reserve(std::max(1, vista_->columnas_.Count()) * 16);
  EscribeTramo(it->textos_, Text);
  return it;
}

namespace {

// The texts of a line packed in one piece of the exact size.
template <typename Textos>
QString Empaqueta(const Textos& textos) {
  qsizetype largo = 0;
  for (QStringView t : textos) largo += LargoTramo(t);
  QString r(largo, Qt::Uninitialized);
  char16_t* d = reinterpret_cast<char16_t*>(r.data());
  for (QStringView t : textos) d = EscribeTramo(d, t);
  return r;
}

}  // namespace

template <typename Textos>
ListItem* ListView::Items::NuevaLinea(const Textos& textos, const QString& Key, int SmallIcon) {
  if (static_cast<qsizetype>(textos.size()) > std::max<qsizetype>(1, vista_->columnas_.Count()))
    vbctl::Raise(vbctl::ErrValorPropiedad, kFuente);
  ListItem* it = Nueva(Key, SmallIcon, 0);
  it->textos_ = Empaqueta(textos);
  return it;
}

ListItem* ListView::Items::AddLinea(const QStringList& Textos, const QString& Key, int SmallIcon) {
  return NuevaLinea(Textos, Key, SmallIcon);
}

ListItem* ListView::Items::AddLinea(std::initializer_list<QStringView> Textos, const QString& Key, int SmallIcon) {
  return NuevaLinea(Textos, Key, SmallIcon);
}

void ListView::Items::Clear() {
  ListView* v = vista_;
  v->modelo_->beginResetModel();
  v->porClave_.clear();
  for (ListItem* p : v->pendientes_) delete p;
  v->pendientes_.clear();
  for (ListItem* p : v->filas_) delete p;
  v->filas_.clear();
  v->filas_.shrink_to_fit();
  v->pulsado_ = nullptr;
  v->ordenPendiente_ = false;
  v->modelo_->endResetModel();
}

int ListView::Items::Count() const { return static_cast<int>(vista_->filas_.size() + vista_->pendientes_.size()); }

ListItem* ListView::Items::Item(int index) const {
  vista_->Vuelca();
  if (index < 1 || index > static_cast<int>(vista_->filas_.size())) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return vista_->filas_[static_cast<size_t>(index - 1)];
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

void ListView::Items::Remove(int index) { vista_->Quita(Item(index)); }

void ListView::Items::Remove(const QString& key) {
  ListItem* it = Item(key);
  vista_->Vuelca();
  vista_->Quita(it);
}

// ---- ListView -------------------------------------------------------------------------

ListView::ListView(QWidget* parent, const QString& nombre) : QTreeView(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  modelo_ = new ModeloLista(this);
  setModel(modelo_);
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
  connect(header(), &QHeaderView::sectionClicked, this, [this](int logico) {
    if (ColumnClick && logico < columnas_.Count()) ColumnClick(logico + 1);
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& actual, const QModelIndex&) {
            ListItem* it = LineaDe(actual);
            if (porTeclado_ && it && ItemClick) ItemClick(it);
          });
}

ListView::~ListView() {
  ItemCheck = nullptr;
  for (ListItem* p : pendientes_) delete p;
  for (ListItem* p : filas_) delete p;
  pendientes_.clear();
  filas_.clear();
}

QModelIndex ListView::IndiceDe(const ListItem* item, int columna) const {
  if (!item || item->fila_ < 0) return QModelIndex();
  return modelo_->index(item->fila_, columna);
}

int ListView::TipoOrdenDe(int columna) const {
  return (columna >= 0 && columna < columnas_.Count()) ? columnas_.columnas_[columna]->TipoOrden() : lvw::OrdenTexto;
}

ListItem* ListView::LineaDe(const QModelIndex& indice) const {
  if (!indice.isValid() || indice.model() != modelo_) return nullptr;
  const auto fila = static_cast<size_t>(indice.row());
  return fila < filas_.size() ? filas_[fila] : nullptr;
}

void ListView::LineaCambiada(const ListItem* item) {
  const int fila = item->fila_;
  emit modelo_->dataChanged(modelo_->index(fila, 0), modelo_->index(fila, modelo_->columnCount() - 1));
}

void ListView::CabeceraCambiada(int columna) { emit modelo_->headerDataChanged(Qt::Horizontal, columna, columna); }

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
    const int primera = static_cast<int>(filas_.size());
    const int ultima = primera + static_cast<int>(pendientes_.size()) - 1;
    modelo_->beginInsertRows(QModelIndex(), primera, ultima);
    filas_.reserve(filas_.size() + pendientes_.size());
    for (ListItem* p : pendientes_) {
      // The texts keep only the room they use.
      if (p->textos_.capacity() > p->textos_.size() + 8) p->textos_.squeeze();
      p->fila_ = static_cast<int>(filas_.size());
      filas_.push_back(p);
    }
    pendientes_.clear();
    pendientes_.shrink_to_fit();
    modelo_->endInsertRows();
    if (ordenada_) ordenPendiente_ = true;
  }
  if (ordenPendiente_) {
    ordenPendiente_ = false;
    if (ordenada_) Ordena();
  }
}

void ListView::Ordena() {
  // The lines change places; selection and current line follow their lines.
  emit modelo_->layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList antes = modelo_->persistentIndexList();
  std::vector<std::pair<ListItem*, int>> seguidos;
  seguidos.reserve(static_cast<size_t>(antes.size()));
  for (const QModelIndex& i : antes) seguidos.emplace_back(LineaDe(i), i.column());
  const int columna = claveOrden_;
  const bool descendente = sentido_ == lvw::Descending;
  const int tipo = TipoOrdenDe(columna);
  // Texts compare ignoring letter case; in a column of dates or numbers the
  // values compare, a text that is none of them before every value.
  const auto menor = [columna, tipo](const ListItem* a, const ListItem* b) {
    const QStringView x = a->Columna(columna), y = b->Columna(columna);
    if (tipo != lvw::OrdenTexto) {
      const std::optional<double> u = ValorDeOrden(x.toString(), tipo), v = ValorDeOrden(y.toString(), tipo);
      if (u != v) return !u || (v && *u < *v);
    }
    return x.compare(y, Qt::CaseInsensitive) < 0;
  };
  if (descendente)
    std::stable_sort(filas_.begin(), filas_.end(), [&menor](const ListItem* a, const ListItem* b) { return menor(b, a); });
  else
    std::stable_sort(filas_.begin(), filas_.end(), menor);
  Renumera(0);
  QModelIndexList despues;
  despues.reserve(antes.size());
  for (const auto& [item, col] : seguidos) despues << IndiceDe(item, col);
  modelo_->changePersistentIndexList(antes, despues);
  emit modelo_->layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListView::Renumera(size_t desde) {
  for (size_t i = desde; i < filas_.size(); ++i) filas_[i]->fila_ = static_cast<int>(i);
}

void ListView::Quita(ListItem* item) {
  if (!item->Key().isEmpty()) {
    auto it = porClave_.find(Plegada(item->Key()));
    if (it != porClave_.end() && it.value() == item) porClave_.erase(it);
  }
  if (item == pulsado_) pulsado_ = nullptr;
  if (item->fila_ >= 0) {
    const int fila = item->fila_;
    modelo_->beginRemoveRows(QModelIndex(), fila, fila);
    filas_.erase(filas_.begin() + fila);
    Renumera(static_cast<size_t>(fila));
    modelo_->endRemoveRows();
  } else {
    pendientes_.erase(std::remove(pendientes_.begin(), pendientes_.end(), item), pendientes_.end());
  }
  delete item;
}

void ListView::AvisaMarca(ListItem* item) {
  if (ItemCheck) ItemCheck(item);
}

ListItem* ListView::SelectedItem() {
  Vuelca();
  const QModelIndex actual = currentIndex();
  if (actual.isValid() && selectionModel()->isSelected(actual)) return LineaDe(actual);
  const QModelIndexList s = selectionModel()->selectedRows();
  if (!s.isEmpty()) return LineaDe(s.first());
  // A line selected in another column than the first.
  const QModelIndexList celdas = selectionModel()->selectedIndexes();
  return celdas.isEmpty() ? nullptr : LineaDe(celdas.first());
}

void ListView::SetSelectedItem(ListItem* item) {
  Vuelca();
  if (!item || item->fila_ < 0) {
    clearSelection();
    return;
  }
  selectionModel()->setCurrentIndex(IndiceDe(item), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QRect ListView::visualItemRect(const ListItem* item) const {
  if (!item || item->fila_ < 0 || item->vista_ != this) return QRect();
  const int ultima = modelo_->columnCount() - 1;
  return visualRect(IndiceDe(item, 0)).united(visualRect(IndiceDe(item, ultima)));
}

ListItem* ListView::itemAt(const QPoint& p) const { return LineaDe(indexAt(p)); }

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
  const QModelIndex actual = currentIndex();
  if (!LineaDe(actual) || state() == QAbstractItemView::EditingState) return;
  int cancel = 0;
  if (BeforeLabelEdit) BeforeLabelEdit(cancel);
  if (cancel) return;
  edit(actual.siblingAtColumn(0));
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
  QTreeView::keyPressEvent(e);
  if (vivo) porTeclado_ = false;
}

void ListView::mousePressEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  Vuelca();
  dobleClic_ = false;
  const QPoint pos = e->position().toPoint();
  ListItem* item = itemAt(pos);
  pulsado_ = item;
  pulsadoEstabaSeleccionado_ = item && selectionModel()->isSelected(IndiceDe(item));
  if (e->button() == Qt::LeftButton) {
    QTreeView::mousePressEvent(e);
  } else if (item) {
    // The right (or middle) button selects the line under the pointer.
    SetSelectedItem(item);
  }
  if (!vivo) return;
  if (MouseDown) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseDown(vbkey::BotonRaton(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (item && e->button() == Qt::LeftButton && ItemClick && itemAt(pos) == item) ItemClick(item);
}

void ListView::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  const QPoint pos = e->position().toPoint();
  if (e->button() == Qt::LeftButton) QTreeView::mouseReleaseEvent(e);
  if (!vivo) return;
  if (MouseUp) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseUp(vbkey::BotonRaton(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (dobleClic_) return;
  if (Click) Click();
  if (!vivo) return;
  // A second, slow click on the selected line's text edits it.
  ListItem* item = itemAt(pos);
  if (e->button() == Qt::LeftButton && edicion_ == lvw::Automatic && item && item == pulsado_ &&
      pulsadoEstabaSeleccionado_ && visualItemRect(item).contains(pos) && columnAt(pos.x()) == 0) {
    QPersistentModelIndex indice = IndiceDe(item);
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this, indice] {
      if (dobleClic_ || !indice.isValid() || indice != QPersistentModelIndex(currentIndex().siblingAtColumn(0)))
        return;
      StartLabelEdit();
    });
  }
}

void ListView::mouseDoubleClickEvent(QMouseEvent* e) {
  QPointer<ListView> vivo(this);
  dobleClic_ = true;
  if (e->button() == Qt::LeftButton) QTreeView::mouseDoubleClickEvent(e);
  if (!vivo) return;
  if (DblClick) DblClick();
}

void ListView::focusInEvent(QFocusEvent* e) {
  QTreeView::focusInEvent(e);
  viewport()->update();
  if (GotFocus) GotFocus();
}

void ListView::focusOutEvent(QFocusEvent* e) {
  QTreeView::focusOutEvent(e);
  viewport()->update();
  if (LostFocus) LostFocus();
}

int ListView::AnchoDecoracion() const {
  int ancho = 0;
  if (checkboxes_) ancho += style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 4;
  if (iconosChicos_) ancho += iconSize().width() + 4;
  return ancho;
}
