#pragma once
// A list view in report view: column headers, lines (ListItem) with a text,
// sub-items, a small icon from an ImageList, a check box, a Key and a Tag.
// Indices are 1-based as the forms count them; ListItems()(i) is the i-th
// line in the list's current order. How a form uses it:
//
//   ListView1->ColumnHeaders().Add("Fecha", TextWidth("XXXXXXXXXXXXX"));
//   ListView1->SetCheckboxes(true);
//   ListView1->SetSmallIcons(ImageList1);
//   ListItem* it = ListView1->ListItems().Add(fecha, "D" + id, 6);
//   it->SetSubItems(1, id);                  // 1 .. ColumnHeaders().Count() - 1
//   ListView1->ItemCheck = [this](ListItem* Item) { ListView1_ItemCheck(Item); };
//
// The lines live in the list's own item model, shown by a tree view in
// report view; a line keeps its texts packed in one string, so 100,000 lines
// stay light. Lines are added in bulk: Add() only builds the line, and the
// lines reach the view together (and are sorted once, when Sorted is on) the
// next time anything reads the list or the event loop runs, so 100,000 lines
// load without a re-layout per line. Sorting happens only when Sorted is set,
// on SortKey (0-based column) / SortOrder changes while Sorted, and when
// lines are added to a sorted list; texts compare ignoring letter case, or as
// dates or numbers in a column told so (ColumnHeader::SetTipoOrden).
//
// Events are called with the arguments the forms' handlers take; a handler
// may set KeyCode / KeyAscii to 0 to drop the key and Cancel to non-zero to
// refuse a label edit. A right click selects the line under the pointer
// before MouseDown is raised (Button 1 left, 2 right, 4 middle; x and y in
// twips from the control's corner). ItemClick follows a left click on a line
// or a selection moved with the keyboard; ItemCheck a check box the user
// ticked or unticked (not one set from code).
//
// Defaults: single selection across the whole line (FullRowSelect on), the
// selection still shown while the list has no focus (HideSelection off, so a
// search box can show the line it found), no grid lines, automatic label
// editing (F2 or a second slow click) that BeforeLabelEdit may refuse.
//
// Errors: an index or key outside the collections raises 35600 / 35601, a
// repeated key 35602, a sub-item outside the columns 380.
#include <QAbstractTableModel>
#include <QBrush>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QTreeView>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/controles/imagelist.h"
#include "platform/teclas.h"

class ListView;

namespace lvw {
enum Orden : int { Ascending = 0, Descending = 1 };
enum Alineacion : int { ColumnLeft = 0, ColumnRight = 1, ColumnCenter = 2 };
enum EdicionEtiqueta : int { Automatic = 0, Manual = 1 };
using vbkey::Boton;
using vbkey::LeftButton;
using vbkey::MiddleButton;
using vbkey::RightButton;
// How a column's texts compare when the list sorts by it.
enum TipoOrden : int { OrdenTexto = 0, OrdenFecha = 1, OrdenNumero = 2 };
}  // namespace lvw

class ColumnHeader {
 public:
  int Index() const { return indice_; }
  QString Text() const { return texto_; }
  void SetText(const QString& t);
  // Width and left edge in twips.
  int Width() const;
  void SetWidth(int twips);
  int Left() const;
  int Alignment() const { return alineacion_; }
  void SetAlignment(int a);
  // lvw::TipoOrden: texts (letter case ignored), dates (dd/mm/yyyy or
  // yyyy-mm-dd, a time may follow) or numbers ("." or "," as decimal point).
  // Texts that are no date or number sort before the rest.
  int TipoOrden() const { return tipoOrden_; }
  void SetTipoOrden(int tipo);
  QString Key;
  QString Tag;

 private:
  friend class ListView;
  ColumnHeader(ListView* vista, int indice, QString texto, int alineacion)
      : vista_(vista), indice_(indice), texto_(std::move(texto)), alineacion_(alineacion) {}
  ListView* vista_;
  int indice_;
  QString texto_;
  int alineacion_;
  int tipoOrden_ = lvw::OrdenTexto;
};

class ListItem {
 public:
  ListItem(const ListItem&) = delete;
  ListItem& operator=(const ListItem&) = delete;

  QString Text() const { return Columna(0).toString(); }
  // The text of a column (0 the line's text, i sub-item i; empty when never
  // set or past the last column) without a copy: valid until the line
  // changes. What a search over many lines reads.
  QStringView Columna(int columna) const;
  void SetText(const QString& t) { PoneTexto(0, t); }
  // Sub-item i is column i + 1 (1 .. ColumnHeaders().Count() - 1).
  QString SubItems(int i) const;
  void SetSubItems(int i, const QString& t);

  // Image index (1-based) into the list's small icons; 0 for none.
  int SmallIcon() const { return iconoChico_; }
  void SetSmallIcon(int index);
  // By the key of an image of the small icons (raises 35601 when there is
  // none).
  void SetSmallIcon(const QString& key);
  // The large icon's index given when the line was added (a report view
  // shows only the small one).
  int Icon() const { return icono_; }

  bool Checked() const { return marcado_; }
  void SetChecked(bool v);
  bool Selected() const;
  void SetSelected(bool v);
  const QString& Key() const { return clave_; }
  int Index() const;
  void EnsureVisible();

  // Text colour (&HBBGGRR, -1 the list's own) and bold, of the line's text or
  // of one sub-item.
  long ForeColor() const;
  void SetForeColor(long color);
  bool Bold() const;
  void SetBold(bool v);
  void SetSubItemForeColor(int i, long color);
  void SetSubItemBold(int i, bool v);

  QString Tag;

  // What the view shows of the line in a column (Qt item roles), and a
  // change made there as the user makes it (a tick raises ItemCheck).
  QVariant data(int column, int role) const;
  void setData(int column, int role, const QVariant& value);
  QString text(int column) const { return Columna(column).toString(); }
  QIcon icon(int column) const { return qvariant_cast<QIcon>(data(column, Qt::DecorationRole)); }
  Qt::CheckState checkState(int column) const;
  QBrush foreground(int column) const { return qvariant_cast<QBrush>(data(column, Qt::ForegroundRole)); }
  QFont font(int column) const;
  QString toolTip(int column) const { return data(column, Qt::ToolTipRole).toString(); }

 private:
  friend class ListView;
  friend class ModeloLista;
  struct Estilo {
    long color = -1;
    bool negrita = false;
  };
  ListItem(ListView* vista, QString clave);
  ~ListItem();
  void PoneTexto(int columna, const QString& t);
  void CompruebaSubItem(int i) const;
  Estilo& EstiloDe(int columna);
  void Cambio();

  ListView* vista_;
  QString clave_;
  // Every column's text, each preceded by its length: one allocation per
  // line whatever the number of columns.
  QString textos_;
  std::unique_ptr<std::vector<Estilo>> estilos_;
  int fila_ = -1;  // row in the view; -1 while the line waits to reach it
  int iconoChico_ = 0;
  int icono_ = 0;
  bool marcado_ = false;
};

// The lines of a ListView as a table model (one row per line, one column per
// column header).
class ModeloLista : public QAbstractTableModel {
 public:
  explicit ModeloLista(ListView* vista);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  friend class ListView;
  ListView* vista_;
};

class ListView : public QTreeView {
  Q_OBJECT

 public:
  class Columnas {
   public:
    // Width in twips (-1: 1440); alignment lvw::Alineacion.
    ColumnHeader* Add(const QString& Text, int Width = -1, int Alignment = lvw::ColumnLeft,
                      const QString& Key = QString());
    void Clear();
    int Count() const { return static_cast<int>(columnas_.size()); }
    ColumnHeader* Item(int index) const;
    ColumnHeader* Item(const QString& key) const;
    ColumnHeader* operator()(int index) const { return Item(index); }

   private:
    friend class ListView;
    friend class ModeloLista;
    explicit Columnas(ListView* v) : vista_(v) {}
    ListView* vista_;
    std::vector<std::unique_ptr<ColumnHeader>> columnas_;
  };

  class Items {
   public:
    ListItem* Add(const QString& Text = QString(), const QString& Key = QString(), int SmallIcon = 0,
                  int Icon = 0);
    // A line with its text and sub-items at once (Textos[0] the text,
    // Textos[i] sub-item i): the way to load many lines, each line's texts
    // stored in one piece of the exact size.
    ListItem* AddLinea(const QStringList& Textos, const QString& Key = QString(), int SmallIcon = 0);
    ListItem* AddLinea(std::initializer_list<QStringView> Textos, const QString& Key = QString(), int SmallIcon = 0);
    void Clear();
    int Count() const;
    // The i-th line (1-based) in the list's current order.
    ListItem* Item(int index) const;
    ListItem* Item(const QString& key) const;
    ListItem* operator()(int index) const { return Item(index); }
    ListItem* operator()(const QString& key) const { return Item(key); }
    // The line with that key, or nullptr.
    ListItem* Busca(const QString& key) const;
    void Remove(int index);
    void Remove(const QString& key);

   private:
    friend class ListView;
    explicit Items(ListView* v) : vista_(v) {}
    ListItem* Nueva(const QString& Key, int SmallIcon, int Icon);
    // AddLinea for either kind of list of texts.
    template <typename Textos>
    ListItem* NuevaLinea(const Textos& textos, const QString& Key, int SmallIcon);
    ListView* vista_;
  };

  explicit ListView(QWidget* parent = nullptr, const QString& nombre = QString());
  ~ListView() override;

  Columnas& ColumnHeaders() { return columnas_; }
  Items& ListItems() { return items_; }

  // The selected line (the first one with MultiSelect), or nullptr.
  ListItem* SelectedItem();
  void SetSelectedItem(ListItem* item);

  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool v);
  void SetFullRowSelect(bool v);
  void SetGridLines(bool v);
  void SetLabelEdit(int v) { edicion_ = v; }
  void SetHideSelection(bool v);
  void SetMultiSelect(bool v);

  bool Sorted() const { return ordenada_; }
  void SetSorted(bool v);
  int SortKey() const { return claveOrden_; }
  void SetSortKey(int columna);
  int SortOrder() const { return sentido_; }
  void SetSortOrder(int orden);

  void SetSmallIcons(ImageList* lista);

  void SetToolTipText(const QString& t) { setToolTip(t); }

  // Brings pending lines into view and repaints.
  void Refresh();
  // The rectangle of a line across every column, in viewport coordinates.
  QRect visualItemRect(const ListItem* item) const;
  // The line at a point of the viewport, or nullptr.
  ListItem* itemAt(const QPoint& p) const;
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  // Starts editing the selected line's text (BeforeLabelEdit may refuse).
  void StartLabelEdit();

  std::function<void(ListItem* Item)> ItemCheck;
  std::function<void(ListItem* Item)> ItemClick;
  std::function<void(int ColumnHeaderIndex)> ColumnClick;
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void(int Button, int Shift, int x, int y)> MouseDown;
  std::function<void(int Button, int Shift, int x, int y)> MouseUp;
  std::function<void(int& Cancel)> BeforeLabelEdit;
  std::function<void(int& Cancel, QString& NewString)> AfterLabelEdit;
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
  friend class ListItem;
  friend class ColumnHeader;
  friend class DelegadoLista;
  friend class ModeloLista;

  // Brings the pending lines into the view and runs a pending sort.
  void Vuelca();
  void ProgramaVuelco();
  void Ordena();
  // Room the first column gives to the check box and the small icon (px).
  int AnchoDecoracion() const;
  void MarcaOrden();
  int AlineacionDe(int columna) const;
  int TipoOrdenDe(int columna) const;
  void AvisaMarca(ListItem* item);
  void Renumera(size_t desde);
  void Quita(ListItem* item);
  void LineaCambiada(const ListItem* item);
  QModelIndex IndiceDe(const ListItem* item, int columna = 0) const;
  ListItem* LineaDe(const QModelIndex& indice) const;
  void CabeceraCambiada(int columna);

  ModeloLista* modelo_;
  Columnas columnas_{this};
  Items items_{this};
  std::vector<ListItem*> filas_;
  std::vector<ListItem*> pendientes_;
  QHash<QString, ListItem*> porClave_;
  QPointer<ImageList> iconosChicos_;
  bool vuelcoProgramado_ = false;
  bool ordenPendiente_ = false;
  bool checkboxes_ = false;
  bool filaEntera_ = true;
  bool lineas_ = false;
  bool ocultaSeleccion_ = false;
  bool multiple_ = false;
  bool ordenada_ = false;
  int edicion_ = lvw::Automatic;
  int claveOrden_ = 0;
  int sentido_ = lvw::Ascending;
  bool porTeclado_ = false;
  bool dobleClic_ = false;
  ListItem* pulsado_ = nullptr;
  bool pulsadoEstabaSeleccionado_ = false;
};
