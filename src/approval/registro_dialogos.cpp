#include "approval/registro_dialogos.h"

#include "voucher_dialogs/dialogos_comprobantes.h"

void RegistraDialogosDelPrograma() { RegistraDialogosComprobantes(); }
