#pragma once
// Run-time errors of the controls. Each failure a control can raise has a
// fixed number: a property value or a subscript that is not valid (380, 381),
// a grid row or column out of range (30009, 30010), and, in the collections
// of the controls (columns, lines, nodes, images, buttons, panels), an index
// out of bounds, a key not found and a key given twice (35600 to 35602). The
// number travels in the raised vb::Error's Number: the common error report
// shows it beside the description, and a caller that treats one failure
// apart compares Number with these values.
#include <QString>

#include "platform/vb_error.h"

namespace vbctl {

enum NumeroError : long {
  ErrValorPropiedad = 380,        // invalid property value
  ErrSubindice = 381,             // subscript out of range (grid cells, columns, tabs)
  ErrFilaInvalida = 30009,        // grid: invalid Row value
  ErrColInvalida = 30010,         // grid: invalid Col value
  ErrIndiceFuera = 35600,         // collection: index out of bounds
  ErrElementoNoEncontrado = 35601,// collection: element not found
  ErrClaveRepetida = 35602,       // collection: key is not unique
};

// Raises the error with its usual description; fuente names the control.
[[noreturn]] void Raise(long numero, const QString& fuente);

}  // namespace vbctl
