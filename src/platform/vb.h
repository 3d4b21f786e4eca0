#pragma once
// Text, number and date operations with the behaviour the program's code
// relies on (the leading number of a text, blank-only trimming, fixed
// patterns of digits, whole numbers rounded to even, dd/mm/yyyy dates).
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace vb {

// The text without the blanks (spaces only) at both ends, or at its start:
// tabs, carriage returns and line feeds stay.
QString Trim(const QString& s);
QString LTrim(const QString& s);
// The part of a text without the blanks around it, as a view of the text.
QStringView TrimVista(QStringView s);

// Whether two texts are the same, and whether a text holds another, ignoring
// case (the program compares texts so).
bool Igual(const QString& a, const QString& b);
bool Contiene(const QString& texto, const QString& parte);
// Where parte first stands in texto at or after position start, ignoring
// case: positions count from 1, 0 when it is not there. A start below 1 is
// an invalid call.
int InStr(const QString& texto, const QString& parte, int start = 1);
// The part of s from position start (counted from 1), length characters
// long, or to the end when length < 0; empty past the end. A start below 1
// is an invalid call.
QString Mid(const QString& s, int start, int length = -1);
// The first n characters of s (all of s when it is shorter).
QString Left(const QString& s, int n);
// The text with every occurrence of the given characters removed.
QString QuitaCaracteres(const QString& s, const QString& caracteres);
// The text without the halves of a character that stand alone (one of the
// two units of a character outside the basic plane, without the other): they
// are no character, and a database cannot store one.
QString SinMitadesSueltas(const QString& s);

// The number at the start of a text: blanks skipped, "." as decimal point,
// 0 when the text does not begin with a number.
double Val(const QString& s);
// That number as it is written (digits, "." and an exponent, blanks
// dropped), or empty when the text does not begin with a number.
QString TextoDeVal(const QString& s);

// The text of a number with "." as its decimal point and no group
// separators, or empty when the text is not a number. Accepts "," or "." as
// decimal point; when both appear, the last one is the decimal point and the
// others group thousands.
QString NormalizaNumero(const QString& s);

// Whether the text reads as a number (blanks around it allowed; "." or the
// locale's decimal separator).
bool IsNumeric(const QString& s);
// The number of a numeric text; raises a type mismatch when it is not one.
double CDbl(const QString& s);

// A number rounded to the given decimals, a tie going to the even neighbour
// or away from zero.
double RoundHalfEven(double v, int decimals = 0);
double RoundHalfAway(double v, int decimals = 0);
// A number rounded to a whole one, ties to even, that must fit 16 bits
// (CInt) or 32 bits (CLng): an overflow error otherwise.
int CInt(double v);
int CInt(const QString& s);  // type mismatch when not numeric
long CLng(double v);

// A number written with a pattern of "#", "0" and an optional ".", such as
// "0000", "#####00", "#####.00" or "############0.00": a "0" is a digit
// always written, a "#" one written only when the number needs it; the
// decimals are as many as the pattern has after the ".", rounded half away
// from zero, and trailing zeros beyond the last "0" are dropped. The decimal
// point of the result is the locale's.
QString Format(double v, const QString& pattern);
// A text written with such a pattern: an empty text stays empty, a text
// that is not a number comes back unchanged, a number is written as above.
QString Format(const QString& s, const QString& pattern);

// The locale's decimal separator ("," or ".").
QChar DecimalSeparator();

// Dates and times typed by a person: dd/mm/yyyy (also d/m/yy, with "-" or
// "."), yyyy-mm-dd, and times hh:mm[:ss].
bool IsDate(const QString& s);
bool ParseDateTime(const QString& s, QDateTime& out, bool* soloHora = nullptr);
QDate CDate(const QString& s);  // type mismatch when not a date

// A value as text: dates as dd/mm/yyyy (with the time when it has one),
// numbers in the locale's form, true and false as "Verdadero" and "Falso",
// Null as the empty text.
QString Texto(const QVariant& v);
// Appends Texto(v) to destino, without a text of its own for a whole
// number or a date: what a loop over many values uses.
void AgregaTexto(QString& destino, const QVariant& v);

}  // namespace vb
