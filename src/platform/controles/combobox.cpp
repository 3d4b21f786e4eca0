#include "platform/controles/combobox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "platform/teclas.h"

ComboBox::ComboBox(QWidget* parent, const QString& nombre, int indice) : QComboBox(parent), Index(indice) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  connect(this, &QComboBox::editTextChanged, this, [this] {
    if (Change) Change();
  });
  connect(this, qOverload<int>(&QComboBox::activated), this, [this] {
    if (Click) Click();
  });
}

void ComboBox::SetText(const QString& t) {
  if (t == currentText()) return;
  setEditText(t);
}

void ComboBox::AddItem(const QString& item, int index) {
  if (index < 0 || index > count())
    addItem(item);
  else
    insertItem(index, item);
}

void ComboBox::SetSelStart(int p) {
  if (lineEdit()) lineEdit()->setCursorPosition(std::clamp(p, 0, static_cast<int>(currentText().size())));
}

void ComboBox::keyPressEvent(QKeyEvent* e) {
  const vbkey::Despacho d = vbkey::Despacha(this, e, KeyDown, KeyPress);
  if (d.terminado) return;
  if (d.caracter != 0) {
    if (d.caracter >= 32 && lineEdit()) lineEdit()->insert(QString(QChar(d.caracter)));
    e->accept();
    return;
  }
  QComboBox::keyPressEvent(e);
}

void ComboBox::focusInEvent(QFocusEvent* e) {
  QComboBox::focusInEvent(e);
  if (GotFocus) GotFocus();
}

void ComboBox::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  if (LostFocus) LostFocus();
}
