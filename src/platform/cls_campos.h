#pragma once
// ClsCampos (global gCampos): the text-box arrays of a form: clearing them,
// finding a box by its DataField, filtering typed keys and moving on to the
// next field.
#include <QString>

#include "platform/controles/arreglo_controles.h"
#include "platform/controles/textbox.h"

class Form;
class QWidget;

class ClsCampos {
 public:
  // Empties every box of the form's text-box array of that name.
  void LimpiaCampos(Form* form, int = 0, int = 0, const QString& arreglo = QStringLiteral("txtfields")) const;
  // The index of the box whose DataField equals the name (ignoring case);
  // -1 when none has it.
  int IndiceCampo(const QString& nombre, const ArregloControles<TextBox>& arreglo) const;
  // Filters a typed character: Enter is taken (it moves on, it does not
  // type); date boxes (Tag "FECHA") take digits and "/" only; others pass.
  void FiltraTecla(TextBox* caja, int& keyAscii) const;
  // Whether the key leaves the field: Enter.
  bool EsTeclaDeAvance(int keyCode) const;
  // Moves the focus on from the field to the next control of its window's
  // tab order that takes the focus.
  void AvanzaCampo(int keyCode, QWidget* campo) const;
};

extern ClsCampos gCampos;
