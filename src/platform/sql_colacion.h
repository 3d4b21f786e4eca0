#pragma once
// On the embedded database a text function's result (LTRIM(RTRIM(col)),
// UPPER(x), ISNULL(x, '')) has no collation of its own and compares byte by
// byte, so "LTRIM(RTRIM(IDCOMPROBANTE)) >= 'a'" would tell letter case and
// trailing blanks apart where the server does not. The result of each such
// call is given the server-like collation CI:
//   LTRIM(RTRIM(X)) >= 'a'   ->   LTRIM(RTRIM(X) COLLATE CI) COLLATE CI >= 'a'
// Quoted texts and bracketed names are left alone, and so is a call already
// followed by its own COLLATE.
#include <QString>

namespace sqlite_sql {

QString ColacionEnFunciones(const QString& sentencia);

}  // namespace sqlite_sql
