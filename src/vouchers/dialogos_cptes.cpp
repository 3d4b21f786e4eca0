#include "vouchers/dialogos_cptes.h"

#include "platform/vb_error.h"

DialogosCptes& Dialogos() {
  static DialogosCptes d;
  return d;
}

void AbridorFaltante(const char* dialogo) {
  vb::Raise(vb::ErrObjectRequired,
            QStringLiteral("El programa no incluye %1: no se puede mostrar.").arg(QString::fromUtf8(dialogo)),
            QStringLiteral("ClsCmnCptes"));
}
