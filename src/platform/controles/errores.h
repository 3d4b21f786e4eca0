#pragma once
// Run-time errors of the controls, with the numbers the original control
// library raised, so a form's error report shows the number the users know.
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
