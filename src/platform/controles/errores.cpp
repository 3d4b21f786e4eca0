#include "platform/controles/errores.h"

namespace vbctl {

void Raise(long numero, const QString& fuente) {
  QString d;
  switch (numero) {
    case ErrValorPropiedad: d = QStringLiteral("El valor de la propiedad no es válido"); break;
    case ErrSubindice: d = QStringLiteral("Subíndice fuera del intervalo"); break;
    case ErrFilaInvalida: d = QStringLiteral("Valor de Row no válido"); break;
    case ErrColInvalida: d = QStringLiteral("Valor de Col no válido"); break;
    case ErrIndiceFuera: d = QStringLiteral("Índice fuera de los límites"); break;
    case ErrElementoNoEncontrado: d = QStringLiteral("No se encontró el elemento"); break;
    case ErrClaveRepetida: d = QStringLiteral("La clave no es única en la colección"); break;
    default: d = QStringLiteral("Error %1").arg(numero); break;
  }
  vb::Raise(numero, d, fuente);
}

}  // namespace vbctl
