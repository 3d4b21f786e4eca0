#pragma once
// Lib_FrmCons3Tree: the modal tree in which the user picks a node of a
// hierarchy of codes whose length grows with their depth (family codes,
// warehouse positions). Each row of Sql is a node: its first column the
// code, its second the description; a longer code than the current node's
// goes one level deeper, an equal one beside it, a shorter one climbs back.
// The picked value is resolved for IDFAMILIA (V_TA_FAMILIAS) and IDPOSICION
// (MA_POSICIONES) only. F5 in the search box filters the description on the
// server.
#include <QString>
#include <QVariant>

#include "lookup/filtro_consulta.h"
#include "lookup/lib_cls_cons3.h"
#include "platform/controles/arreglo_controles.h"
#include "platform/form.h"

class ComboBox;
class CommandButton;
class Frame;
class Label;
class PictureBox;
class TreeView;

class Lib_FrmCons3Tree : public Form {
  Q_OBJECT

 public:
  Lib_FrmCons3Tree();
  ~Lib_FrmCons3Tree() override;

  QString Sql;              // rows: code, description (F5 narrows it)
  QString CampoDevuelto;    // "IDFAMILIA" or "IDPOSICION"
  bool CheckBoxes = false;  // nodes carry check boxes; Aceptar returns the ticked ones
  QVariant ValorDevuelto;   // the picked value
  ColeccionTextos Valores;        // the ticked nodes' values
  ColeccionTextos CmpsDevueltos;  // released by Cancelar

  void ArmarTreeVAutomatico();

  void CmdAceptar_Click();
  void CmdCancelar_Click();
  void CmdNueva_Click();
  void TreeV_DblClick();
  void CmbSearch_GotFocus(int Index);
  void CmbSearch_Change(int Index);
  void CmbSearch_Click(int Index);
  void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);

  TreeView* TreeV;
  PictureBox* picFields;
  ArregloControles<ComboBox> CmbSearch{QStringLiteral("CmbSearch")};
  Label* lblFieldName;
  Frame* Frame1;
  CommandButton* CmdAceptar;
  CommandButton* CmdCancelar;
  CommandButton* CmdNueva;

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override {}

 private:
  // The value of CampoDevuelto for a node's code, "" when it has no row
  // (or when CampoDevuelto names neither known column: then nothing is
  // resolved and the result is empty).
  bool Resuelve(const QString& codigo, QString& valor);

  int cajaActual_ = 0;
  FiltroConsulta filtro_;
};
