#include "platform/teclas.h"

#include <QKeyEvent>
#include <QPointer>

namespace vbkey {

int Codigo(const QKeyEvent* e) {
  const int k = e->key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    if (e->modifiers() & Qt::KeypadModifier) return 96 + (k - Qt::Key_0);
    return '0' + (k - Qt::Key_0);
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return Back;
    case Qt::Key_Tab: case Qt::Key_Backtab: return Tab;
    case Qt::Key_Return: case Qt::Key_Enter: return Return;
    case Qt::Key_Shift: return Shift;
    case Qt::Key_Control: return Control;
    case Qt::Key_Alt: return Menu;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return Space;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return (e->modifiers() & Qt::KeypadModifier) ? 107 : 187;
    case Qt::Key_Minus: return (e->modifiers() & Qt::KeypadModifier) ? 109 : 189;
    case Qt::Key_Period: return (e->modifiers() & Qt::KeypadModifier) ? 110 : 190;
    case Qt::Key_Slash: return (e->modifiers() & Qt::KeypadModifier) ? 111 : 191;
    case Qt::Key_Comma: return 188;
    default: return 0;
  }
}

int ShiftEstado(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= ShiftMask;
  if (m & Qt::ControlModifier) s |= CtrlMask;
  if (m & Qt::AltModifier) s |= AltMask;
  return s;
}

int BotonRaton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return LeftButton;
    case Qt::RightButton: return RightButton;
    case Qt::MiddleButton: return MiddleButton;
    default: return 0;
  }
}

int Ascii(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
  }
  const QString t = e->text();
  if (t.isEmpty()) return 0;
  return t[0].unicode();
}

Despacho Despacha(QObject* control, QKeyEvent* e, const std::function<void(int&, int)>& keyDown,
                  const std::function<void(int&)>& keyPress) {
  QPointer<QObject> vivo(control);
  Despacho d;
  int codigo = Codigo(e);
  if (keyDown && codigo != 0) {
    keyDown(codigo, ShiftEstado(e->modifiers()));
    if (!vivo) return {true, 0};
    if (codigo == 0) {
      e->accept();
      return {true, 0};
    }
  }
  int ascii = Ascii(e);
  if (keyPress && ascii != 0) {
    const int original = ascii;
    keyPress(ascii);
    if (!vivo) return {true, 0};
    if (ascii == 0) {
      e->accept();
      return {true, 0};
    }
    if (ascii != original) d.caracter = ascii;
  }
  return d;
}

}  // namespace vbkey
