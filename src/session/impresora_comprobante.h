#pragma once
// Printer settings per voucher type and letter (module ModGlobal), kept in
// TA_CONFIG_IMP_CPTE for one workstation and user or for everybody.
#include <QString>

// The settings of the type and letter for Usuario ("PC|user"; a blank one
// becomes this workstation's identity, gEntorno.NombrePC "|"
// gEntorno.NombreUsuario, and is handed back), else those for everybody
// (USUARIO NULL). From the first row found (the table needs no more than
// these columns; there is no id to order by): Impresora and DestinoDefault trimmed,
// CantCopias and CantLineas (the printable item lines; 0: no limit) the
// leading number of their columns, a whole number (ties to the even one;
// empty or no number: 0). Without a row: Impresora "" and CantCopias 0,
// CantLineas and DestinoDefault as the caller passed them. Type, letter and
// user reach SQL bound (type and letter trimmed, as the rows keep them).
// Failures restore the mouse pointer and are reported under
// "ObtieneImpresoraComprobante"; leaving keeps what was set so far.
void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora, int& CantCopias,
                                 int& CantLineas, QString& DestinoDefault, QString& Usuario);
