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
// Lines are added in bulk: Add() only builds the line, and the lines reach
// the view together (and are sorted once, when Sorted is on) the next time
// anything reads the list or the event loop runs, so 100,000 lines load
// without a re-layout per line. Sorting happens only when Sorted is set, on
// SortKey (0-based column) / SortOrder changes while Sorted, and when lines
// are added to a sorted list; texts compare ignoring letter case, or as
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
#include <QHash>
#include <QPointer>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <functional>
#include <memory>
#include <vector>

#include "platform/controles/imagelist.h"

class ListView;

namespace lvw {
enum Orden : int { Ascending = 0, Descending = 1 };
enum Alineacion : int { ColumnLeft = 0, ColumnRight = 1, ColumnCenter = 2 };
enum EdicionEtiqueta : int { Automatic = 0, Manual = 1 };
enum Boton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
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

class ListItem : public QTreeWidgetItem {
 public:
  ~ListItem() override;

  QString Text() const { return textos_.value(0); }
  void SetText(const QString& t) { PoneTexto(0, t); }
  // Sub-item i is column i + 1 (1 .. ColumnHeaders().Count() - 1).
  QString SubItems(int i) const;
  void SetSubItems(int i, const QString& t);

  // Image index (1-based) into the list's SmallIcons / Icons; 0 for none.
  int SmallIcon() const { return iconoChico_; }
  void SetSmallIcon(int index);
  // By the key of an image of SmallIcons (raises 35601 when there is none).
  void SetSmallIcon(const QString& key);
  int Icon() const { return icono_; }
  void SetIcon(int index) { icono_ = index; }

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

  ListView* Vista() const { return vista_; }

  QVariant data(int column, int role) const override;
  void setData(int column, int role, const QVariant& value) override;
  bool operator<(const QTreeWidgetItem& otro) const override;

 private:
  friend class ListView;
  struct Estilo {
    long color = -1;
    bool negrita = false;
  };
  ListItem(ListView* vista, QString clave);
  void PoneTexto(int columna, const QString& t);
  void CompruebaSubItem(int i) const;
  Estilo& EstiloDe(int columna);
  void Cambio();

  ListView* vista_;
  QString clave_;
  QStringList textos_;
  std::vector<Estilo> estilos_;
  int iconoChico_ = 0;
  int icono_ = 0;
  bool marcado_ = false;
};

class ListView : public QTreeWidget {
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
    explicit Columnas(ListView* v) : vista_(v) {}
    ListView* vista_;
    std::vector<std::unique_ptr<ColumnHeader>> columnas_;
  };

  class Items {
   public:
    ListItem* Add(const QString& Text = QString(), const QString& Key = QString(), int SmallIcon = 0,
                  int Icon = 0);
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
  bool FullRowSelect() const { return filaEntera_; }
  void SetFullRowSelect(bool v);
  bool GridLines() const { return lineas_; }
  void SetGridLines(bool v);
  int LabelEdit() const { return edicion_; }
  void SetLabelEdit(int v) { edicion_ = v; }
  bool HideSelection() const { return ocultaSeleccion_; }
  void SetHideSelection(bool v);
  bool MultiSelect() const { return multiple_; }
  void SetMultiSelect(bool v);

  bool Sorted() const { return ordenada_; }
  void SetSorted(bool v);
  int SortKey() const { return claveOrden_; }
  void SetSortKey(int columna);
  int SortOrder() const { return sentido_; }
  void SetSortOrder(int orden);

  ImageList* SmallIcons() const { return iconosChicos_; }
  void SetSmallIcons(ImageList* lista);
  ImageList* Icons() const { return iconos_; }
  void SetIcons(ImageList* lista) { iconos_ = lista; }

  QString ToolTipText() const { return toolTip(); }
  void SetToolTipText(const QString& t) { setToolTip(t); }

  // Brings pending lines into view and repaints.
  void Refresh();
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

  // Brings the pending lines into the view and runs a pending sort.
  void Vuelca();
  void ProgramaVuelco();
  // Room the first column gives to the check box and the small icon (px).
  int AnchoDecoracion() const;
  void MarcaOrden();
  int AlineacionDe(int columna) const;
  int TipoOrdenDe(int columna) const;
  void AvisaMarca(ListItem* item);
  void ItemDestruido(ListItem* item);
  void ReajustaColumnas();

  Columnas columnas_{this};
  Items items_{this};
  std::vector<ListItem*> pendientes_;
  QHash<QString, ListItem*> porClave_;
  QPointer<ImageList> iconosChicos_;
  QPointer<ImageList> iconos_;
  bool vuelcoProgramado_ = false;
  bool ordenPendiente_ = false;
  bool limpiando_ = false;
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
