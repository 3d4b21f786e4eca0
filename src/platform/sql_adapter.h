#pragma once
// The program writes its SQL as SQL Server reads it. The embedded SQLite
// database receives a copy of each text adapted at the moment it runs:
//   SELECT [DISTINCT] TOP n ...  ->  SELECT [DISTINCT] ... LIMIT n
//   ISNULL(                      ->  IFNULL(
//   DELETE T WHERE ...           ->  DELETE FROM T WHERE ...
//   LTRIM(x) (text functions)    ->  LTRIM(x) COLLATE CI  (sql_colacion.h)
//   'a'+CHAR(0)+'b'              ->  'a'||CHAR(0)||'b'  (a NUL in a literal)
// and a batch (statements joined by line breaks or carriage returns) is split
// into its statements. Quoted literals are never touched.
#include <QString>
#include <QStringList>

namespace sqlite_sql {

QStringList Adapta(const QString& sql);
// One statement of a batch, adapted.
QString AdaptaSentencia(const QString& sentencia);
// The statements of a batch, split at line breaks outside quotes.
QStringList Divide(const QString& sql);

// Index just past the quoted text, bracketed name or double-quoted name that
// opens at i (s[i] is ', [ or "), as the server reads it: a doubled closing
// character stands for itself. The end of the text when it is never closed.
int FinDeCitado(const QString& s, int i);

// Why a text cannot run as a read on a server that takes batches: its first
// token is not the bare word SELECT (or WITH) (the server runs a procedure
// named first in a batch, bracketed or quoted too, without EXEC), it asks a
// sequence for its NEXT VALUE FOR, it holds a second statement after a ";",
// or, outside its literals, bracketed or quoted names and comments, a word
// that begins another statement (the server needs no ";" between two): one
// that writes or changes the database or the connection (INSERT, UPDATE,
// DELETE, DROP, EXEC, SELECT ... INTO, SET, DISABLE TRIGGER, WRITETEXT,
// ATTACH and their kin), opens or ends a transaction (BEGIN, COMMIT,
// ROLLBACK, SAVE TRAN, SAVEPOINT, RELEASE) or any other (OPEN, WAITFOR, IF,
// END outside a CASE...); an ODBC call escape ({call ...}), a function that
// runs a statement on another server (OPENQUERY, OPENROWSET,
// OPENDATASOURCE), a pragma of the embedded engine that acts, read as a
// table (pragma_optimize), or a name between backticks. Empty when it is
// one read.
QString MotivoNoLectura(const QString& sql);
// Whether a pragma of the embedded engine does something even without a
// value (optimize, wal_checkpoint...): a read may not run it.
bool PragmaQueActua(QStringView nombre);

}  // namespace sqlite_sql
