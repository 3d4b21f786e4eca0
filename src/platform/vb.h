#pragma once
// Text, number and date operations with the behaviour the program's code
// relies on (the leading number of a text, blank-only trimming, fixed
// patterns of digits, whole numbers rounded to even, dd/mm/yyyy dates).
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace vb {

// Blank-only trimming: tabs, carriage returns and line feeds stay.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
// Trim on a view of a text: the part of it without the blanks around it.
QStringView TrimVista(QStringView s);

// Case-insensitive helpers (the program compares texts ignoring case).
bool Igual(const QString& a, const QString& b);
bool Contiene(const QString& texto, const QString& parte);
// 1-based position of parte in texto from start (1-based), 0 when absent.
int InStr(const QString& texto, const QString& parte, int start = 1);
// Mid$(s, start, length) with a 1-based start; length < 0 means the rest.
QString Mid(const QString& s, int start, int length = -1);
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
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

// Whole numbers rounded with ties to the even number. CInt raises an
// overflow outside 16 bits, CLng outside 32 bits.
double RoundHalfEven(double v, int decimals = 0);
double RoundHalfAway(double v, int decimals = 0);
int CInt(double v);
int CInt(const QString& s);  // type mismatch when not numeric
long CLng(double v);

// Format$ with a numeric pattern made of "#", "0" and an optional ".":
// "0000", "00000000", "#####00", "#####.00", "############0.00", "0.0".
// The decimal point of the result is the locale's.
QString Format(double v, const QString& pattern);
// Format$ of a text: an empty text stays empty, a text that is not a number
// comes back unchanged, a number is formatted with the pattern.
QString Format(const QString& s, const QString& pattern);

// The locale's decimal separator ("," or ".").
QChar DecimalSeparator();

// Dates and times typed by a person: dd/mm/yyyy (also d/m/yy, with "-" or
// "."), yyyy-mm-dd, and times hh:mm[:ss].
bool IsDate(const QString& s);
bool ParseDateTime(const QString& s, QDateTime& out, bool* soloHora = nullptr);
QDate CDate(const QString& s);  // type mismatch when not a date

// CStr of a value: dates as dd/mm/yyyy (with the time when it has one),
// numbers in the locale's form, Null as the empty text.
QString Texto(const QVariant& v);
// Appends Texto(v) to destino, without a text of its own for a whole
// number or a date: what a loop over many values uses.
void AgregaTexto(QString& destino, const QVariant& v);

}  // namespace vb
