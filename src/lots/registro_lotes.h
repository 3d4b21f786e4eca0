#pragma once
// Registers the lot dialogs of this library as the ones the voucher class's
// requests open (see vouchers/dialogos_lotes.h). The program and the tests
// call it once at start-up.
void RegistraDialogosLotes();
