#include "platform/controles/textbox.h"

#include <QKeyEvent>
#include <QPointer>

#include "platform/controles/color.h"
#include "platform/teclas.h"

TextBox::TextBox(QWidget* parent, const QString& nombre, int indice) : QLineEdit(parent), Index(indice) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (Change) Change();
  });
}

void TextBox::SetText(const QString& t) { setText(t); }

void TextBox::SetSelStart(int p) { setCursorPosition(std::clamp(p, 0, static_cast<int>(text().size()))); }

void TextBox::SetSelLength(int n) { setSelection(cursorPosition(), n); }

void TextBox::SetBackColor(long color) {
  QPalette p = palette();
  p.setColor(QPalette::Base, ColorVb(color));
  setPalette(p);
}

void TextBox::SetForeColor(long color) {
  QPalette p = palette();
  p.setColor(QPalette::Text, ColorVb(color));
  setPalette(p);
}

void TextBox::keyPressEvent(QKeyEvent* e) {
  QPointer<TextBox> vivo(this);
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
      // The handler changed the character: type the new one instead.
      if (ascii >= 32) insert(QString(QChar(ascii)));
      e->accept();
      return;
    }
  }
  // Enter is not a text edit: it goes no further than the events above.
  if (ascii == 13) {
    e->accept();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void TextBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (GotFocus) GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (LostFocus) LostFocus();
}
