#include "platform/cls_campos.h"

#include <QWidget>

#include "platform/form.h"
#include "platform/teclas.h"
#include "platform/vb.h"

ClsCampos gCampos;

void ClsCampos::LimpiaCampos(Form* form, int, int, const QString& arreglo) const {
  if (!form) return;
  for (TextBox* t : form->findChildren<TextBox*>())
    if (vb::Igual(t->objectName(), arreglo)) t->clear();
}

int ClsCampos::IndiceCampo(const QString& nombre, const ArregloControles<TextBox>& arreglo) const {
  for (const auto& [indice, caja] : arreglo.Elementos())
    if (vb::Igual(caja->DataField, nombre)) return indice;
  return -1;
}

void ClsCampos::FiltraTecla(TextBox* caja, int& keyAscii) const {
  if (keyAscii == vbkey::Return) {
    keyAscii = 0;
    return;
  }
  if (caja && vb::Igual(vb::Trim(caja->Tag), QStringLiteral("FECHA")) && keyAscii >= 32) {
    const QChar c(keyAscii);
    if (!c.isDigit() && c != u'/') keyAscii = 0;
  }
}

bool ClsCampos::EsTeclaDeAvance(int keyCode) const { return keyCode == vbkey::Return; }

void ClsCampos::AvanzaCampo(int, QWidget* campo) const {
  // From the field itself: the application's focus widget is none while a
  // dialog that just closed hands the focus back through the window
  // manager. A window not active yet takes the focus given to one of its
  // widgets when it becomes active.
  if (!campo) return;
  QWidget* siguiente = campo->nextInFocusChain();
  while (siguiente && siguiente != campo &&
         (!(siguiente->focusPolicy() & Qt::TabFocus) || !siguiente->isEnabled() || !siguiente->isVisible()))
    siguiente = siguiente->nextInFocusChain();
  if (siguiente && siguiente != campo) siguiente->setFocus(Qt::TabFocusReason);
}
