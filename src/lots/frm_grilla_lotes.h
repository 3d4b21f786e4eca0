#pragma once
// What the two lot dialogs share: a grid that is never edited in place, the
// floating text box TxtEdit laid over the cell being typed into, the fill
// bar Toolbar1, the accept and cancel buttons and the settling of a sum that
// differs from the requested quantity.
//
// Editing. A key typed on an editable cell opens TxtEdit over it: Enter,
// Space or Backspace with the cell's text and the caret at the end, a
// printable character with that character alone (a character that is not
// part of a number opens nothing on a quantity cell). Enter, Up and Down
// check the text with the dialog's CampoValida and, when it is accepted,
// store it in the cell and move; Escape closes the editor without storing.
// A click on the grid, the fill buttons, Aceptar and F2 check and store the
// open editor first and stop when it is refused; a refused text keeps the
// editor open with its text. Escape on the grid, Cancelar and the close box
// hide the dialog without building lists (Aceptado stays off).
//
// The lists the dialogs build separate their entries with "|" and join a
// lot and a serial with ClsCmnCptes::kUnionLoteSerie: neither can be part
// of a lot, serial, size or position. The editor refuses both, typed or
// pasted, and acceptance refuses a row whose list cells hold one
// (ColumnasDeLista, for the rows that give an entry: FilasDeLista; a stock
// row that gives nothing is left out of the lists), or a quantity above
// what the row shows in stock, with the focus on that row, so a list holds
// exactly one entry per row it lists. The quantity the dialogs propose
// never goes to a row acceptance would refuse.
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "platform/form.h"

class ClsCmnCptes;
class CommandButton;
class ImageList;
class Label;
class MSFlexGrid;
class TextBox;
class Toolbar;
class ToolbarButton;

class FrmGrillaLotes : public Form {
  Q_OBJECT

 public:
  MSFlexGrid* MSFlexGrid1;
  TextBox* TxtEdit;
  Toolbar* Toolbar1;
  ImageList* ImageList1;
  CommandButton* CmdAceptar;
  CommandButton* CmdCancelar;
  Label* lblArticulo;

  // Set when the acceptance built the result lists.
  bool Aceptado = false;

  virtual void CmdAceptar_Click() = 0;
  void CmdCancelar_Click();
  // Checks the editor's text for the cell it was opened on; sets
  // ErrorEnCampo (and tells why) when it refuses it.
  virtual void CampoValida(TextBox* Texto) = 0;

  // Event procedures of the grid, the editor and the fill bar.
  void MSFlexGrid1_LeaveCell();
  void MSFlexGrid1_GotFocus();
  void MSFlexGrid1_KeyPress(int& KeyAscii);
  void TxtEdit_KeyPress(int& KeyAscii);
  void TxtEdit_KeyDown(int& KeyCode, int Shift);
  void Toolbar1_ButtonClick(ToolbarButton* Button);

  // Whether no typed text is pending: the editor is closed, or its text was
  // accepted and stored in its cell. False when CampoValida refused it (the
  // editor stays open and takes the focus).
  bool ConfirmaEditor();
  bool EditorAbierto() const;

 protected:
  // conPropuesta: the fill bar has the third button "Proponer
  // Automaticamente".
  FrmGrillaLotes(const QString& clase, const QString& caption, const QString& captionAceptar, bool conPropuesta);
  ~FrmGrillaLotes() override;

  // The form's own voucher class object, for the list texts; created on
  // first use.
  ClsCmnCptes& Cptes();

  // What differs between the dialogs.
  virtual bool ColumnaEditable(int col) const = 0;
  virtual bool ColumnaCantidad(int col) const = 0;
  // The column Enter moves on from to the next row, and the column the next
  // row is entered at.
  virtual int UltimaColumna() const = 0;
  virtual int PrimeraColumna() const = 0;
  // Enter in the last column of the last row.
  virtual void EnterEnUltimaFila() {}
  // The text button 2 puts in the cells below.
  virtual QString TextoBlanqueo() const = 0;
  // A fill-bar button other than 1 and 2.
  virtual void BotonPropio(int indice) {}
  // The columns of row fila whose texts name it in the result lists (none:
  // no text names it).
  virtual QList<int> ColumnasDeLista(int fila) const = 0;
  // Which data rows give an entry to the result lists as the grid stands
  // (indexed by row; row 0 unused).
  virtual std::vector<bool> FilasDeLista() const = 0;
  // Whether a text of row fila that names it in the lists holds a list
  // separator, so the row can give no entry.
  bool FilaConSeparador(int fila) const;
  // Whether row fila can give the quantity valor: no more than the stock
  // it shows. AvisoSinStock tells why it cannot.
  virtual bool CabeEnFila(int fila, double valor) const = 0;
  virtual QString AvisoSinStock() const = 0;

  // Opens the editor on the current cell for a typed character.
  void MsflexGridEdt(int KeyAscii);
  // Moves after an edit ended with the key.
  void EditKeyCode(int KeyCode);
  // Binds the editor to the kind of column: DataField "Cantidad" and no
  // length limit on a quantity column, "" and 25 characters on a text one.
  void Text_Propiedades(TextBox* Texto, int Col);
  // Closes the editor without storing its text.
  void DescartaEditor();
  // The cell the open editor belongs to (the current cell when it is
  // closed).
  int FilaEditor() const;
  int ColEditor() const;
  // Refuses the text being checked with the message.
  void Rechaza(const QString& mensaje);
  // Before the lists are built: every data row's list cells free of
  // separators and its quantities within its stock. Refuses the first row
  // that fails with its message, with the current cell and the focus on it.
  bool VerificaFilas();

  // A quantity the line took before, under the key of the rows it may go
  // back to.
  struct Anterior {
    QString clave;
    double cantidad = 0;
  };
  // Puts the line's previous quantities back into column colCantidad: the
  // entries of one key go to the data rows of that key in row order, one
  // entry a row, and entries beyond the key's last row add to that row, so
  // no quantity is lost or written twice. claveDeFila gives each data row's
  // key (empty: the row takes no entry); an entry whose key has no row is
  // dropped, and rows no entry reaches keep their cells.
  void ReparteAnteriores(const std::function<QString(int)>& claveDeFila, const std::vector<Anterior>& anteriores,
                         int colCantidad);
  // The sum of the numbers of a column over the data rows, leaving out row
  // menosCual (-1: none).
  double SumaColumna(int col, long menosCual) const;
  // Spreads cantidad over colCantidad from the first row on, each row taking
  // up to what colDisponible holds for it (a negative balance counts 0),
  // adding to what it already holds; a grid of one data row takes the whole
  // quantity whatever its balance. A row with a separator (FilaConSeparador)
  // takes nothing. What does not fit stays unassigned.
  void DistribuyeEnColumnas(double cantidad, int colDisponible, int colCantidad);
  // Settles a sum that differs from the requested quantity at acceptance:
  // asks whether to take the sum as the quantity (a short sum is only told,
  // with avisoMenor, when the dialog is not shown). True: build the lists.
  bool AjustaCantidad(double& cantidad, double suma, bool mostrar, const QString& avisoMenor);

  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_Unload(int& Cancel) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

  bool ErrorEnCampo = false;

 private:
  int filaEditor_ = -1;
  int colEditor_ = -1;
  bool validando_ = false;
  // CampoValida refused the text when the grid took the focus; the click
  // that gave it the focus is dropped without asking again.
  bool rechazoAlEnfocar_ = false;
  ClsCmnCptes* cptes_ = nullptr;
};

// Text helpers of the lot dialogs.
namespace lotes {
// Each word with its first letter in upper case and the rest in lower case.
QString NombrePropio(const QString& texto);
// Whether a typed quantity is a number (blanks around it, one sign, digits
// with one "," or "." between them); the empty text counts as 0.
bool EsCantidad(const QString& texto);
// Why a typed quantity cannot be stored (no finite number, or beyond the
// range of a quantity), or "" when it can.
QString AvisoCantidad(const QString& texto);
// A list text that holds nothing once its "|" characters are removed is
// the empty text.
QString CierraLista(const QString& lista);
// Whether a character, or some character of a text, separates list
// entries: "|" or ClsCmnCptes::kUnionLoteSerie.
bool EsSeparador(int caracter);
bool TieneSeparador(const QString& texto);
// The message that refuses a separator (with the text that holds it, when
// given).
QString AvisoSeparador(const QString& texto = QString());
}  // namespace lotes
