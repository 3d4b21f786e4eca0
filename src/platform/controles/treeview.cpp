#include "platform/controles/treeview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/controles/errores.h"
#include "platform/form.h"
#include "platform/teclas.h"

namespace {

const QString kFuente = QStringLiteral("TreeView");

QString Plegada(const QString& clave) { return clave.toCaseFolded(); }

}  // namespace

// ---- Node -------------------------------------------------------------------------------

Node::Node(TreeView* vista, QString clave)
    : QTreeWidgetItem(QTreeWidgetItem::UserType), vista_(vista), clave_(std::move(clave)) {
  setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
}

Node::~Node() {
  if (vista_) vista_->NodoDestruido(this);
}

void Node::SetChecked(bool v) {
  if (marcado_ == v) return;
  marcado_ = v;
  emitDataChanged();
}

void Node::EnsureVisible() {
  for (QTreeWidgetItem* p = parent(); p; p = p->parent()) p->setExpanded(true);
  if (vista_) vista_->scrollToItem(this);
}

Node* Node::Next() const {
  QTreeWidgetItem* p = parent();
  const int i = p ? p->indexOfChild(const_cast<Node*>(this)) : treeWidget()->indexOfTopLevelItem(const_cast<Node*>(this));
  const int n = p ? p->childCount() : treeWidget()->topLevelItemCount();
  if (i < 0 || i + 1 >= n) return nullptr;
  return static_cast<Node*>(p ? p->child(i + 1) : treeWidget()->topLevelItem(i + 1));
}

Node* Node::Previous() const {
  QTreeWidgetItem* p = parent();
  const int i = p ? p->indexOfChild(const_cast<Node*>(this)) : treeWidget()->indexOfTopLevelItem(const_cast<Node*>(this));
  if (i <= 0) return nullptr;
  return static_cast<Node*>(p ? p->child(i - 1) : treeWidget()->topLevelItem(i - 1));
}

QVariant Node::data(int column, int role) const {
  if (column == 0 && role == Qt::CheckStateRole)
    return vista_ && vista_->checkboxes_ ? QVariant(static_cast<int>(marcado_ ? Qt::Checked : Qt::Unchecked)) : QVariant();
  return QTreeWidgetItem::data(column, role);
}

void Node::setData(int column, int role, const QVariant& value) {
  if (role == Qt::CheckStateRole) {
    // Only the view's own check-box handling comes here: the user's tick.
    if (column != 0) return;
    const bool nuevo = value.toInt() == Qt::Checked;
    if (nuevo == marcado_) return;
    marcado_ = nuevo;
    emitDataChanged();
    if (vista_ && vista_->NodeCheck) vista_->NodeCheck(this);
    return;
  }
  QTreeWidgetItem::setData(column, role, value);
}

// ---- Nodes ------------------------------------------------------------------------------

Node* TreeView::Nodos::Add(const QString& Relative, int Relationship, const QString& Key, const QString& Text) {
  Node* relativo = nullptr;
  if (!Relative.isEmpty()) relativo = Item(Relative);
  return Add(relativo, Relationship, Key, Text);
}

Node* TreeView::Nodos::Add(Node* Relative, int Relationship, const QString& Key, const QString& Text) {
  TreeView* v = vista_;
  if (!Key.isEmpty() && v->porClave_.contains(Plegada(Key))) vbctl::Raise(vbctl::ErrClaveRepetida, kFuente);
  auto* n = new Node(v, Key);
  n->setText(0, Text);
  if (!Relative) {
    v->addTopLevelItem(n);
  } else if (Relationship == tvw::Child) {
    Relative->addChild(n);
  } else {
    QTreeWidgetItem* padre = Relative->parent();
    const int total = padre ? padre->childCount() : v->topLevelItemCount();
    auto inserta = [&](int pos) {
      if (padre)
        padre->insertChild(pos, n);
      else
        v->insertTopLevelItem(pos, n);
    };
    auto posicionDe = [&]() {
      // Nodes are mostly added after the last sibling: look there first.
      const int ultimo = total - 1;
      QTreeWidgetItem* u = padre ? padre->child(ultimo) : v->topLevelItem(ultimo);
      if (u == Relative) return ultimo;
      return padre ? padre->indexOfChild(Relative) : v->indexOfTopLevelItem(Relative);
    };
    switch (Relationship) {
      case tvw::First: inserta(0); break;
      case tvw::Next: inserta(posicionDe() + 1); break;
      case tvw::Previous: inserta(posicionDe()); break;
      default: inserta(total); break;
    }
  }
  n->indice_ = static_cast<int>(v->nodos_.size()) + 1;
  v->nodos_.push_back(n);
  if (!Key.isEmpty()) v->porClave_.insert(Plegada(Key), n);
  return n;
}

void TreeView::Nodos::Clear() {
  TreeView* v = vista_;
  v->limpiando_ = true;
  v->clear();
  v->nodos_.clear();
  v->porClave_.clear();
  v->limpiando_ = false;
}

Node* TreeView::Nodos::Item(int index) const {
  if (index < 1 || index > Count()) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return vista_->nodos_[index - 1];
}

Node* TreeView::Nodos::Busca(const QString& key) const {
  if (key.isEmpty()) return nullptr;
  return vista_->porClave_.value(Plegada(key), nullptr);
}

Node* TreeView::Nodos::Item(const QString& key) const {
  Node* n = Busca(key);
  if (!n) vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
  return n;
}

void TreeView::Nodos::Remove(const QString& key) {
  delete Item(key);
  vista_->Renumera();
}

// ---- TreeView ---------------------------------------------------------------------------

TreeView::TreeView(QWidget* parent, const QString& nombre) : QTreeWidget(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setRootIsDecorated(false);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);
  header()->setStretchLastSection(true);
}

TreeView::~TreeView() { nodos_c_.Clear(); }

void TreeView::NodoDestruido(Node* n) {
  if (limpiando_) return;
  auto it = std::find(nodos_.begin(), nodos_.end(), n);
  if (it != nodos_.end()) nodos_.erase(it);
  if (!n->Key().isEmpty()) {
    auto h = porClave_.find(Plegada(n->Key()));
    if (h != porClave_.end() && h.value() == n) porClave_.erase(h);
  }
}

void TreeView::Renumera() {
  for (size_t i = 0; i < nodos_.size(); ++i) nodos_[i]->indice_ = static_cast<int>(i) + 1;
}

Node* TreeView::SelectedItem() const {
  QTreeWidgetItem* actual = currentItem();
  if (actual && actual->isSelected()) return static_cast<Node*>(actual);
  const QList<QTreeWidgetItem*> s = selectedItems();
  return s.isEmpty() ? nullptr : static_cast<Node*>(s.first());
}

void TreeView::SetSelectedItem(Node* nodo) {
  if (!nodo) {
    clearSelection();
    return;
  }
  setCurrentItem(nodo, 0, QItemSelectionModel::ClearAndSelect);
}

void TreeView::SetCheckboxes(bool v) {
  checkboxes_ = v;
  scheduleDelayedItemsLayout();
  viewport()->update();
}

void TreeView::SetLineStyle(int v) {
  setRootIsDecorated(v == tvw::RootLines);
}

void TreeView::keyPressEvent(QKeyEvent* e) {
  if (vbkey::Despacha(this, e, KeyDown, KeyPress).terminado) return;
  QTreeWidget::keyPressEvent(e);
}

void TreeView::mousePressEvent(QMouseEvent* e) {
  QPointer<TreeView> vivo(this);
  dobleClic_ = false;
  const QPoint pos = e->position().toPoint();
  auto* nodo = static_cast<Node*>(itemAt(pos));
  if (e->button() == Qt::LeftButton)
    QTreeWidget::mousePressEvent(e);
  else if (nodo)
    SetSelectedItem(nodo);
  if (!vivo) return;
  if (MouseDown) {
    const QPoint p = viewport()->mapTo(this, pos);
    MouseDown(vbkey::BotonRaton(e->button()), vbkey::ShiftEstado(e->modifiers()), ATwips(p.x()), ATwips(p.y()));
    if (!vivo) return;
  }
  if (nodo && e->button() == Qt::LeftButton && NodeClick && itemAt(pos) == nodo) NodeClick(nodo);
}

void TreeView::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<TreeView> vivo(this);
  if (e->button() == Qt::LeftButton) QTreeWidget::mouseReleaseEvent(e);
  if (!vivo || dobleClic_) return;
  if (Click) Click();
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* e) {
  QPointer<TreeView> vivo(this);
  dobleClic_ = true;
  if (e->button() == Qt::LeftButton) QTreeWidget::mouseDoubleClickEvent(e);
  if (!vivo) return;
  if (DblClick) DblClick();
}

void TreeView::focusInEvent(QFocusEvent* e) {
  QTreeWidget::focusInEvent(e);
  if (GotFocus) GotFocus();
}

void TreeView::focusOutEvent(QFocusEvent* e) {
  QTreeWidget::focusOutEvent(e);
  if (LostFocus) LostFocus();
}
