#pragma once
// A read-only grid with the vocabulary of the forms' grid control. Every
// cell holds text; rows and columns count from 0. The first FixedRows rows
// and FixedCols columns are ordinary cells (row 0 usually holds the headers)
// drawn grey and kept in place while the rest scrolls. The current cell is
// (Row, Col); setting either moves it, raising LeaveCell before and
// EnterCell after the move. Sizes and positions are in twips. Cells are never
// edited in place: a form lays its own text box over the current cell using
// CellLeft / CellTop / CellWidth / CellHeight (relative to the grid; reading
// them scrolls the current cell into view) plus Left() / Top().
//
//   MSFlexGrid1->Clear();
//   MSFlexGrid1->SetRows(2); MSFlexGrid1->SetCols(4); MSFlexGrid1->SetFixedRows(1);
//   MSFlexGrid1->SetTextMatrix(0, 0, "Tarea");
//   MSFlexGrid1->SetColWidth(0, TextWidth("XXXX"));
//   MSFlexGrid1->KeyPress = [this](int& KeyAscii) { MSFlexGrid1_KeyPress(KeyAscii); };
//
// The grid writes in its form's font, like every control; rows of the
// default height follow that font.
//
// A new grid has 2 rows, 2 columns, one fixed row and column, and (1, 1)
// current; columns align "general" (9: texts left, numbers right). Fewer
// Rows / Cols than fixed ones lower the fixed counts; the current cell stays
// inside the grid, and moves to the first scrolling row / column when a grid
// that had only fixed ones gets more (no events for these moves).
//
// Errors: a cell outside the grid in TextMatrix / TextArray / ColWidth /
// RowHeight / ColAlignment raises 381 (subscript out of range); Row and Col
// outside the grid raise 30009 / 30010; a negative Rows / Cols or fixed
// counts above them 380.
//
// The keyboard moves the current cell among the non-fixed cells (arrows,
// Home, End, Page Up / Down); KeyDown sees every key first (KeyCode 0 drops
// it), KeyPress every character (Enter 13, Backspace 8, Esc 27 included).
// A left click on a non-fixed cell makes it current before MouseDown; a
// right click leaves the current cell where it was.
#include <QColor>
#include <QTableWidget>
#include <functional>
#include <vector>

class QTableView;
class DelegadoGrilla;

namespace flex {
enum Alineacion : int {
  AlignLeftTop = 0, AlignLeftCenter = 1, AlignLeftBottom = 2,
  AlignCenterTop = 3, AlignCenterCenter = 4, AlignCenterBottom = 5,
  AlignRightTop = 6, AlignRightCenter = 7, AlignRightBottom = 8,
  AlignGeneral = 9,  // text to the left, numbers to the right
};
}  // namespace flex

class MSFlexGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit MSFlexGrid(QWidget* parent = nullptr, const QString& nombre = QString());

  // Pixels between a cell's text and its left and right edges: a column as
  // wide as a text in the grid's font, plus twice this, shows it whole.
  static constexpr int kMargenTexto = 1;

  int Rows() const { return rowCount(); }
  void SetRows(int n);
  int Cols() const { return columnCount(); }
  void SetCols(int n);
  int FixedRows() const { return filasFijas_; }
  void SetFixedRows(int n);
  int FixedCols() const { return colsFijas_; }
  void SetFixedCols(int n);

  int Row() const { return fila_; }
  void SetRow(int r);
  int Col() const { return col_; }
  void SetCol(int c);

  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& texto);
  // Cell number row * Cols + col.
  QString TextArray(int index) const;
  void SetTextArray(int index, const QString& texto);
  // The current cell's text.
  QString Text() const { return TextMatrix(fila_, col_); }
  void SetText(const QString& texto) { SetTextMatrix(fila_, col_, texto); }

  // Width of a column in twips; 0 hides it; -1 restores the default width.
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int alineacion);

  // Colours of the current cell (&HBBGGRR); 0 stands for the grid's own.
  long CellBackColor() const;
  void SetCellBackColor(long color);
  long CellForeColor() const;
  void SetCellForeColor(long color);

  // Geometry of the current cell in twips, relative to the grid.
  int CellLeft();
  int CellTop();
  int CellWidth();
  int CellHeight();

  // The first non-fixed row shown.
  int TopRow() const;
  void SetTopRow(int r);
  // The cell under the pointer at the last mouse event.
  int MouseRow() const { return mouseFila_; }
  int MouseCol() const { return mouseCol_; }

  // Empties every cell (texts and colours); sizes and layout stay.
  void Clear();
  // With Redraw off nothing is painted, and texts set are shown (all at
  // once, which makes filling a large grid cheap) when it comes back on.
  void SetRedraw(bool v);
  void Refresh();
  // Adds a row (at index, or at the end) whose cells take the tab-separated
  // texts from column 0 on; removes a row.
  void AddItem(const QString& item, int index = -1);
  void RemoveItem(int index);

  // Position and size of the grid in its container, in twips.
  int Left() const;
  int Top() const;
  int Height() const;
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> EnterCell;
  std::function<void()> LeaveCell;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void()> Scroll;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void(int Button, int Shift, int x, int y)> MouseDown;
  std::function<void(int Button, int Shift, int x, int y)> MouseUp;

 protected:
  void changeEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void updateGeometries() override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  friend class DelegadoGrilla;

  void CompruebaCelda(int row, int col) const;
  void CompruebaColumna(int col) const;
  QTableWidgetItem* Celda(int row, int col);
  void MueveCelda(int r, int c);
  void AjustaCeldaActual(int filasAntes, int colsAntes);
  bool Navega(QKeyEvent* e);
  void AseguraVisible(int r, int c);
  int AltoFijo() const;
  int AnchoFijo() const;
  int FilaEnPixel(int y) const;
  int ColEnPixel(int x) const;
  void ColocaFijas();
  void AplicaCabecerasPendientes();
  void SincronizaDesplazamiento();
  void ActualizaTodo();
  bool EsNumero(const QString& s) const;

  QTableView* arriba_ = nullptr;
  QTableView* izquierda_ = nullptr;
  QTableView* esquina_ = nullptr;
  DelegadoGrilla* delegado_ = nullptr;
  std::vector<int> alineaciones_;
  int filasFijas_ = 1;
  int colsFijas_ = 1;
  int fila_ = 1;
  int col_ = 1;
  int mouseFila_ = -1;
  int mouseCol_ = -1;
  int altoFila_ = 16;
  int anchoCol_ = 64;
  const QColor fondoFijo_{0xE3, 0xDF, 0xD2};
  bool redibuja_ = true;
  bool textosPendientes_ = false;  // texts set with Redraw off, not yet told to the views
  bool dobleClic_ = false;
};
