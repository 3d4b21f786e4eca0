#include "platform/controles/textbox.h"

#include <QKeyEvent>
#include <QPointer>

#include "platform/controles/color.h"
#include "platform/teclas.h"
#include "platform/vb.h"

TextBox::TextBox(QWidget* parent, const QString& nombre, int indice) : QLineEdit(parent), Index(indice) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& texto) {
    // The length limit counts units of text, two for a character outside
    // the basic plane: one that does not fit is cut in half. The box keeps
    // whole characters only (and Change sees the text it keeps).
    if (!texto.isValidUtf16()) {
      const int cursor = static_cast<int>(vb::SinMitadesSueltas(texto.left(cursorPosition())).size());
      setText(vb::SinMitadesSueltas(texto));
      setCursorPosition(cursor);
      return;
    }
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
  const vbkey::Despacho d = vbkey::Despacha(this, e, KeyDown, KeyPress);
  if (d.terminado) return;
  if (d.caracter != 0) {
    // The handler changed the character: type the new one instead.
    if (d.caracter >= 32) insert(QString(QChar(d.caracter)));
    e->accept();
    return;
  }
  const int ascii = vbkey::Ascii(e);
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
