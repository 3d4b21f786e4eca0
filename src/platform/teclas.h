#pragma once
// Key codes, shift states and mouse buttons as the program's event procedures
// receive them (KeyDown: key code and shift state; KeyPress: the character
// code; MouseDown and MouseUp: button and shift state).
#include <Qt>
#include <functional>

class QKeyEvent;
class QObject;

namespace vbkey {
enum Codigo : int {
  Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Escape = 27, Space = 32,
  PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
  Insert = 45, Delete = 46, F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F7 = 118,
  F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123,
};
enum Mascara : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };
enum Boton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// The key code of a key event (0 when the key has none).
int Codigo(const QKeyEvent* e);
int ShiftEstado(Qt::KeyboardModifiers m);
// The button code of a mouse button (0 for a button other than these three).
int BotonRaton(Qt::MouseButton b);
// The character code of a key event for KeyPress (0 when it has none).
int Ascii(const QKeyEvent* e);

// Hands a key event to a control's KeyDown (key code and shift state) and
// then, unless KeyDown dropped it, to its KeyPress (the character).
struct Despacho {
  bool terminado = false;  // dropped by a handler (event accepted) or the control is gone
  int caracter = 0;        // the character KeyPress left, when it changed it
};
Despacho Despacha(QObject* control, QKeyEvent* e, const std::function<void(int& KeyCode, int Shift)>& keyDown,
                  const std::function<void(int& KeyAscii)>& keyPress);
}  // namespace vbkey
