#pragma once
// FrmDetalleTareas: the tasks of one daily report, one grid row per task
// line (task, description, time as hours and minutes, remarks). A right
// click on a task shows its additional data on the work order.
#include "platform/form.h"

class CommandButton;
class Label;
class MSFlexGrid;

class FrmDetalleTareas : public Form, public InstanciaGlobal<FrmDetalleTareas> {
  Q_OBJECT

 public:
  FrmDetalleTareas();

  QString IdDiario;

  void InicializaGrids();
  void CargarDatos(const QString& IdDiario);
  void MSFlexGrid1_MouseDown(int Button, int Shift, int X, int Y);
  void CmdAceptar_Click();

  Label* Label1;
  MSFlexGrid* MSFlexGrid1;
  Label* Label2;
  CommandButton* CmdAceptar;

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void MuestraAdicionales();
  // The report's work order and complement, kept from the rows read.
  QString comprobante_;
  QString complemento_;
};
