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

void ComboBox::RemoveItem(int index) { removeItem(index); }

int ComboBox::SelStart() const { return lineEdit() ? lineEdit()->cursorPosition() : 0; }

void ComboBox::SetSelStart(int p) {
  if (lineEdit()) lineEdit()->setCursorPosition(std::clamp(p, 0, static_cast<int>(currentText().size())));
}

void ComboBox::SetSelLength(int n) {
  if (lineEdit()) lineEdit()->setSelection(lineEdit()->cursorPosition(), n);
}

void ComboBox::keyPressEvent(QKeyEvent* e) {
  QPointer<ComboBox> vivo(this);
  int codigo = vbkey::Codigo(e);
  if (KeyDown && codigo != 0) {
    KeyDown(codigo, vbkey::ShiftEstado(e->modifiers()));
    if (!vivo) return;
    if (codigo == 0) {
      e->accept();
      return;
    }
  }
  int ascii = vbkey::Ascii(e);
  if (KeyPress && ascii != 0) {
    const int original = ascii;
    KeyPress(ascii);
    if (!vivo) return;
    if (ascii == 0) {
      e->accept();
      return;
    }
    if (ascii != original) {
      if (ascii >= 32 && lineEdit()) lineEdit()->insert(QString(QChar(ascii)));
      e->accept();
      return;
    }
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
