#pragma once
// Voucher numbering (module Stuff): the number a new voucher takes from the
// voucher books ("talonarios") of its type, the check of a proposed number
// against the numbers already used, and the recording of a used number.
//
// A voucher is named by its type and its 13-character key SucNroLetra:
// branch "0000", number "00000000" and letter, one of A,B,C,E,R,X,M ("X"
// when the type has no letter). The books of a type are the rows of
// V_TA_CPTE (and, for a system's own books, TA_Comprobantes) with one group
// of columns per letter: L_SUC_DEFAULT, L_ULTIMO_NRO (the number the book
// hands out next), L_NRO_DESDE, L_NRO_HASTA and VenceL.
//
// Every procedure answers whether it did its work; a caller that gets False
// must not go on with the number (the reason has been shown). Database
// errors are reported under the procedure's label and answered as usual
// (retry, go on, leave); a procedure that is left answers False.
#include <QString>
#include <QVariant>

// The book chosen by the last numbering call, or the book that the last
// validation found the number in (0: none).
extern int gTalonario;

// The layout of a voucher key (SucNroLetra, the column IDCOMPROBANTE): the
// branch in 4 digits, the number in 8 and the letter, one after the other:
// characters 1 to 4, 5 to 12 and 13.
namespace ClaveComprobante {
inline constexpr int kLargoSucursal = 4;
inline constexpr int kLargoNumero = 8;
inline constexpr int kLargo = kLargoSucursal + kLargoNumero + 1;
// Where the number begins in a key (its first character is 1).
inline constexpr int kDesdeNumero = kLargoSucursal + 1;
// The highest number a key holds.
inline constexpr double kUltimoNumero = 99999999;
// The parts of a key (shorter, or empty, where the key is short).
QString Sucursal(const QString& clave);
QString Numero(const QString& clave);
QString Letra(const QString& clave);
// A branch and a number at their widths: 1 gives "0001" and "00000001".
QString FormateaSucursal(double sucursal);
QString FormateaNumero(double numero);
// A key from its parts: the branch and the number brought to their widths
// as vb::Format brings texts (a text that is no number stays as it is), the
// letter as it comes.
QString Compone(const QString& sucursal, const QString& numero, const QString& letra);
}  // namespace ClaveComprobante

// The accepted voucher letters, as the messages show them; each has its
// group of numbering columns in the voucher books.
inline constexpr char kLetrasComprobante[] = "A,B,C,E,R,X,M";
// Whether a character is one of the accepted voucher letters.
inline constexpr bool EsLetraComprobante(char16_t c) {
  for (const char* l = kLetrasComprobante; *l; ++l)
    if (*l != ',' && *l == c) return true;
  return false;
}

// Proposes the next number of a voucher type from the first usable book of
// the type, in book order. Letra (blank gives "X", lower case is taken as
// upper case) becomes the book's first letter when the book does not issue
// it. A book is usable while its next number stays below its last number
// and, when Fecha (a date text) is given, while it has not expired by that
// date; a fresh book starts at its first number. Out: Sucursal ("0000"),
// Numero ("00000000"), Letra, ModificaNumeracion and gTalonario. A type
// without books numbers as "0001", "00000001", "X" (True, no message). False,
// with a message, when every book is used up, expired or wrongly set up, or
// when the letter is not one of the accepted letters.
bool Obtener_Nro_Comprobante_Contable(const QString& TC, QString& Sucursal, QString& Numero, QString& Letra,
                                      bool& ModificaNumeracion, const QString& Fecha = QString());

// The number of a new voucher: Obtener_Nro_Comprobante_Contable without the
// expiry test; with Verificar, a number that an accounting entry already
// uses becomes the one after the highest entry of the type, branch and
// letter, and for a purchase order ("OC") one that a purchase voucher uses
// becomes the one after the highest purchase voucher; when the number is
// free, a reservation left of it in V_MV_CTROL_CPTE is removed (for the
// purchase order and the types not numbered through sales or stock books:
// not for OPG, PG, FC, NC, ND, NP, GF, PR, RM, TK, TKFC, FP, VJ, IR, VS, SI,
// AJP, AJN, TRP). Referencia is not used. False when no number was given.
// With TextoLote the procedure only reads: the removal of the reservation is
// appended to TextoLote (after a line break when it does not end in one)
// for the caller to run in its own batch, under the lock it read under.
bool Obtener_Nro_Comprobante(const QString& TC, QString& Sucursal, QString& Numero, QString& Letra,
                             bool& ModificaNumeracion, bool Verificar = true, const QString& Referencia = QString(),
                             QString* TextoLote = nullptr);

// Records a used number: Numero is the number the book is to hand out next
// (the saved voucher's number plus one; a leading blank is allowed). The
// book is the one of the type that holds the number for the branch and
// letter: in V_TA_CPTE, or else in TA_Comprobantes under Sistema; the table
// the book was found in is the one updated.
// - EnLote: the statements are appended to TextoLote (after a line break
//   when it does not end in one; what it held is kept): the UPDATE of the
//   book's next number and, for a book of the "Contable" system, a purchase
//   order ("OC") or with ForzarReserva, the INSERT of the voucher's own
//   number into V_MV_CTROL_CPTE, each closed by CR LF. Nothing runs.
// - otherwise the book's row is updated at once (next number and the time of
//   the change) and no reservation is written.
// With SoloAvanza the book's next number is only moved forward: recorded
// after a later number (a batch run after another voucher's number was
// recorded under the same lock), it leaves the book as it is.
// A book numbered outside the program (Externo) records nothing and answers
// True. False, with a message saying why, when no book of the branch and
// letter holds the number, or the type has no book at all.
bool GrabaNumeroComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal, const QString& Numero,
                            const QString& Letra, bool EnLote, QString& TextoLote, bool ForzarReserva = false,
                            bool SoloAvanza = false);

// Checks a letter and number against the books of the type that number the
// branch for that letter, and sets gTalonario to the book the number belongs
// to (0 when none; it is reset first). True when valid, Mensaje then empty;
// otherwise Mensaje says why. Fecha (a date text, may be empty) is compared
// as a date with the book's expiry. A blank letter counts as "X". Errors
// reach the caller.
bool ValidaNumeracionComprobante(const QString& TC, const QString& Sucursal, const QString& Numero,
                                 const QString& Letra, QString& Mensaje, const QString& Fecha = QString());

// The number after the highest used one: Ultimo is a MAX(...) value and the
// number is its 8 characters from position Desde (1-based; 1 when the value
// is the number itself, 5 for a key). "00000001" when nothing was used (Null
// or empty). False, leaving Numero as it was, when the next number would
// pass 99999999.
bool NumeroSiguienteA(const QVariant& Ultimo, int Desde, QString& Numero);
// Tells the user that the book of a type, branch and letter has no numbers
// left.
void AvisaTalonarioCompleto(const QString& TC, const QString& Sucursal, const QString& Letra);
