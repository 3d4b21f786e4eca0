#pragma once
// Module Stuff: voucher letter, accounting entry, voucher-type equivalence,
// configuration switches and the audit date-time format.
#include <QString>

class QDateTime;

// The date the date picker returned last (kept between uses).
extern QString gFechaElegida;

// "C" when the first code is not 1; else "B" when the second is above 2;
// else "A" (codes read as their leading number).
QString ObtieneLetraComprobante(const QString& Codigo1, const QString& Codigo2);
// Whether the voucher already has an accounting entry (of that account when
// Cuenta is not empty); Asiento receives "mm - nnnnnn" when it has.
bool ObtieneAsientoComprobante(const QString& TC, const QString& Sucursal, const QString& Numero, const QString& Letra,
                               QString& Asiento, const QString& Cuenta);
// The voucher type whose numbering a type shares by configuration.
QString ObtieneEquivalenciaTC(const QString& TC);
// False for FALSE, FALSO, 0, NO and N (any case); True for anything else.
bool ConvierteBooleano(const QString& Texto);
// The format of audit date-time columns.
QString FormatoFechaHora();
// A date-time written in a format of the suite's letters: dd, mm, yy, yyyy,
// hh, nn, ss; "mm" right after an hour means minutes.
QString FormateaFechaHora(const QDateTime& momento, const QString& formato);
