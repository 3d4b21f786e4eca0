#pragma once
// FrmDatosAdicTareas: the additional data of one task of a work order (free
// text, estimated start and end dates, responsible technician). The caller
// sets the members, shows it modally and may read them back after Aceptar.
#include <QPointer>

#include "platform/controles/arreglo_controles.h"
#include "platform/form.h"

class CommandButton;
class Label;
class RichTextBox;
class TextBox;

class FrmDatosAdicTareas : public Form, public InstanciaGlobal<FrmDatosAdicTareas> {
  Q_OBJECT

 public:
  FrmDatosAdicTareas();

  QString CodigoTarea;
  QString Descripcion;
  QString IdTecnico;
  QString DatosAdicionales;
  QString FechaEstInicio;
  QString FechaEstFin;
  QString FechaInicioComprobante;
  bool lHayError = false;

  void CampoValida(TextBox* Texto);
  void Consultar();

  void CmdAceptar_Click();
  void CmdConsultar_Click();
  void CmdConsultar_GotFocus();
  void TxtFields_GotFocus(int Index);
  void TxtFields_LostFocus(int Index);
  void TxtFields_KeyDown(int Index, int& KeyCode, int Shift);
  void TxtFields_KeyPress(int Index, int& KeyAscii);

  Label* lblTarea;
  Label* Label1;
  Label* Label2;
  Label* Label3;
  Label* LblResponsable;
  ArregloControles<TextBox> TxtFields{QStringLiteral("TxtFields")};
  RichTextBox* txtRtf;
  CommandButton* CmdConsultar;
  CommandButton* CmdAceptar;

 protected:
  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;

 private:
  QPointer<TextBox> campoActual_;
  int indiceActual_ = 0;
};
