#pragma once
// What the embedded database adds to SQLite so that comparisons behave as
// the production server's default collation: the collation "CI" (letter case
// and trailing blanks ignored, accented letters included), a LIKE that
// ignores case for every letter, UPPER / LOWER for every letter, and the
// server functions the program's texts call (LEN, GETDATE).
#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

namespace sqlite_sql {

void RegistraFunciones(sqlite3* db);

// A stored text (UTF-8) as it is stored: a leading byte-order mark is part of
// it (QString::fromUtf8 would drop it).
QString TextoUtf8(const char* s, qsizetype n);

// The collation's comparison, exposed for tests: <0, 0 or >0.
int ComparaCI(const char* a, int na, const char* b, int nb);
// The LIKE matcher: % any run, _ one character, [abc] / [a-z] / [^a] sets,
// an optional escape character; letter case ignored, and the value's
// trailing blanks too (the pattern's own count). Its time grows with the
// value's length times the pattern's, whatever the pattern.
bool Like(const QString& patron, const QString& valor, QChar escape = QChar());
// The matcher with the pattern read once for all the values, as a statement
// reads it once for all its rows: whether each value matches, and the
// matcher's work: the tests of a character against a piece of the pattern
// it made, and the characters (UTF-16 units) it read one by one, those it
// passed over by a search apart.
struct LikeRepetido {
  std::vector<bool> coinciden;
  long comparaciones = 0;
  long pasos = 0;
};
LikeRepetido LikeVarios(const QString& patron, const QStringList& valores, QChar escape = QChar());

}  // namespace sqlite_sql
