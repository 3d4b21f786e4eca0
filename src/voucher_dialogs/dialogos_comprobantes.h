#pragma once
// Fills in the voucher class's openers of this library's dialogs: the
// voucher pick list and the charges dialog. The program calls it once at
// its start (and the tests' main before the tests), as it calls the
// registration of every dialog library.
void RegistraDialogosComprobantes();
