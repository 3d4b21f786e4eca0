#pragma once
// FrmCtrlCargosReales: the open real charges of one customer account. The
// user ticks the charges to apply and may lower the amount to apply of a
// ticked charge (right click, "Aplicar"); Aceptar (or Esc) leaves the ticked
// charges in gCargosAplicados and closes the dialog.
#include <QHash>
#include <QString>

#include "platform/form.h"
#include "platform/moneda.h"

class CommandButton;
class Label;
class ListItem;
class ListView;
class MSFlexGrid;

// The columns of the charges list: the item's text (0) and its sub-items.
namespace ColCargos {
constexpr int kFecha = 0;          // "Fecha"
constexpr int kMatricula = 1;      // "Matricula"
constexpr int kConcepto = 2;       // "Concepto"
constexpr int kImporte = 3;        // "Importe Pendiente": the amount to apply, as shown
constexpr int kObservaciones = 4;  // "Observaciones"
constexpr int kCantidad = 5;
}  // namespace ColCargos

class FrmCtrlCargosReales : public Form, public InstanciaGlobal<FrmCtrlCargosReales> {
  Q_OBJECT

 public:
  FrmCtrlCargosReales();

  // Set by the caller before the dialog is shown.
  QString Cliente;
  QString Matricula;

  void InicializaGrid();
  void CargarDatos();
  void CambiaImporte();
  // Paints every cell of one row of a grid.
  void PintarFila(MSFlexGrid* MSFlexGrid1, long Fila, long Color);

  // Event procedures.
  void CmdAceptar_Click();
  void ListView1_MouseDown(int Button, int Shift, int x, int y);
  void ListView1_BeforeLabelEdit(int& Cancel);
  void ListView1_AfterLabelEdit(int& Cancel, QString& NewString);

  ListView* ListView1;
  CommandButton* CmdAceptar;
  Label* LblMensaje;
  Label* Label1;

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_Resize() override;

 private:
  // The amount to apply of each listed charge as it is kept: the balance
  // read, or the lower amount typed; the list shows it rounded.
  QHash<const ListItem*, vb::Moneda> aAplicar_;
};
