#pragma once
// Fills in the voucher class's openers of every dialog library the program
// carries. The program's start calls it before its first window; the tests'
// main calls it before the tests. A dialog library added to the program adds
// its registration here.
void RegistraDialogosDelPrograma();
