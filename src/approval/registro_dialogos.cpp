#include "approval/registro_dialogos.h"

#include "lots/registro_lotes.h"
#include "voucher_dialogs/dialogos_comprobantes.h"

void RegistraDialogosDelPrograma() {
  RegistraDialogosComprobantes();
  RegistraDialogosLotes();
}
