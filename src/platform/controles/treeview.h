#pragma once
// A tree view: nodes (Node) with a Key, a Text, a Tag, a check box and an
// expanded state, added relative to another node. Nodes()(i) is the i-th
// node in the order the nodes were added (1-based). How a form uses it:
//
//   TreeV->Nodes().Add(QString(), tvw::Last, "A", "Consulta...")->SetExpanded(true);
//   TreeV->Nodes().Add("A", tvw::Child, "A01", "01 - Pinturas");
//   TreeV->Nodes().Add(actual, tvw::Next, "A02", "02 - Barnices");
//   TreeV->NodeClick = [this](Node* n) { ... };
//
// Keys are unique (ignoring case): a repeated key raises 35602, an unknown
// relative or key 35601, an index outside the collection 35600. NodeClick
// follows a left click on a node, NodeCheck a check box the user changed.
#include <QHash>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <functional>
#include <vector>

class TreeView;

namespace tvw {
enum Relacion : int { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4 };
enum LineStyle : int { TreeLines = 0, RootLines = 1 };
}  // namespace tvw

class Node : public QTreeWidgetItem {
 public:
  ~Node() override;

  const QString& Key() const { return clave_; }
  QString Text() const { return text(0); }
  QString Tag;

  bool Checked() const { return marcado_; }
  void SetChecked(bool v);
  bool Expanded() const { return isExpanded(); }
  void SetExpanded(bool v) { setExpanded(v); }
  void EnsureVisible();

  // Order of addition, 1-based.
  int Index() const { return indice_; }
  Node* Parent() const { return static_cast<Node*>(parent()); }
  // Number of children; the first child; the next and previous sibling.
  int Children() const { return childCount(); }
  Node* Child() const { return childCount() ? static_cast<Node*>(child(0)) : nullptr; }
  Node* Next() const;
  Node* Previous() const;

  QVariant data(int column, int role) const override;
  void setData(int column, int role, const QVariant& value) override;

 private:
  friend class TreeView;
  Node(TreeView* vista, QString clave);
  TreeView* vista_;
  QString clave_;
  int indice_ = 0;
  bool marcado_ = false;
};

class TreeView : public QTreeWidget {
  Q_OBJECT

 public:
  class Nodos {
   public:
    // Relative: the key of a node, or empty to add at the top level.
    Node* Add(const QString& Relative, int Relationship, const QString& Key, const QString& Text);
    Node* Add(Node* Relative, int Relationship, const QString& Key, const QString& Text);
    void Clear();
    int Count() const { return static_cast<int>(vista_->nodos_.size()); }
    Node* Item(int index) const;
    Node* Item(const QString& key) const;
    Node* operator()(int index) const { return Item(index); }
    Node* operator()(const QString& key) const { return Item(key); }
    // The node with that key, or nullptr.
    Node* Busca(const QString& key) const;
    void Remove(const QString& key);

   private:
    friend class TreeView;
    explicit Nodos(TreeView* v) : vista_(v) {}
    TreeView* vista_;
  };

  explicit TreeView(QWidget* parent = nullptr, const QString& nombre = QString());
  ~TreeView() override;

  Nodos& Nodes() { return nodos_c_; }

  Node* SelectedItem() const;
  void SetSelectedItem(Node* nodo);

  void SetCheckboxes(bool v);
  void SetLineStyle(int v);
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  std::function<void(Node* Node)> NodeClick;
  std::function<void(Node* Node)> NodeCheck;
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void(int Button, int Shift, int x, int y)> MouseDown;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  friend class Node;
  void NodoDestruido(Node* n);
  void Renumera();

  Nodos nodos_c_{this};
  std::vector<Node*> nodos_;
  QHash<QString, Node*> porClave_;
  bool checkboxes_ = false;
  bool limpiando_ = false;
  bool dobleClic_ = false;
};
