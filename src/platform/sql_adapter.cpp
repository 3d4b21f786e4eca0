#include "platform/sql_adapter.h"

#include "platform/sql_colacion.h"

#include <QRegularExpression>

namespace sqlite_sql {

namespace {

// Applies fn to every stretch of the text that lies outside single quotes and
// bracketed names.
template <typename Fn>
QString FueraDeComillas(const QString& s, Fn fn) {
  QString out, tramo;
  int i = 0;
  const int n = s.size();
  while (i < n) {
    QChar c = s[i];
    if (c == u'\'' || c == u'[') {
      out += fn(tramo);
      tramo.clear();
      const int fin = FinDeCitado(s, i);
      out += s.mid(i, fin - i);
      i = fin;
      continue;
    }
    tramo += c;
    ++i;
  }
  out += fn(tramo);
  return out;
}

}  // namespace

int FinDeCitado(const QString& s, int i) {
  const int n = static_cast<int>(s.size());
  const QChar cierre = s[i] == u'[' ? QChar(u']') : s[i];
  for (int j = i + 1; j < n; ++j) {
    if (s[j] != cierre) continue;
    if (j + 1 < n && s[j + 1] == cierre) {
      ++j;
      continue;
    }
    return j + 1;
  }
  return n;
}

QStringList Divide(const QString& sql) {
  QStringList partes;
  QString actual;
  bool enComillas = false;
  for (QChar c : sql) {
    if (c == u'\'') enComillas = !enComillas;  // a doubled quote toggles twice
    if (!enComillas && (c == u'\r' || c == u'\n')) {
      if (!actual.trimmed().isEmpty()) partes << actual.trimmed();
      actual.clear();
      continue;
    }
    actual += c;
  }
  if (!actual.trimmed().isEmpty()) partes << actual.trimmed();
  return partes;
}

QString AdaptaSentencia(const QString& sentencia) {
  QString s = sentencia;
  static const QRegularExpression top(
      QStringLiteral("^(\\s*SELECT\\s+(?:DISTINCT\\s+)?)TOP\\s+(\\d+)\\s+"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression del(QStringLiteral("^(\\s*DELETE\\s+)(?!FROM\\b)"),
                                      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression isnull(QStringLiteral("\\bISNULL\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
  QString limite;
  QRegularExpressionMatch m = top.match(s);
  if (m.hasMatch()) {
    limite = m.captured(2);
    s = m.captured(1) + s.mid(m.capturedEnd(0));
  }
  s.replace(del, QStringLiteral("\\1FROM "));
  s = FueraDeComillas(s, [](QString t) {
    // The NUL of a text literal (ClsDatos::Literal) joins its parts with
    // the server's "+"; here texts are joined with "||".
    if (t == QLatin1String("+CHAR(0)+")) return QStringLiteral("||CHAR(0)||");
    return t.replace(isnull, QStringLiteral("IFNULL("));
  });
  s = ColacionEnFunciones(s);
  if (!limite.isEmpty()) {
    QString t = s.trimmed();
    if (t.endsWith(u';')) t.chop(1);
    s = t + QStringLiteral(" LIMIT ") + limite;
  }
  return s;
}

QString MotivoNoLectura(const QString& sql) {
  static const QStringList kEscriben = {
      QStringLiteral("INSERT"),   QStringLiteral("UPDATE"),   QStringLiteral("DELETE"),  QStringLiteral("MERGE"),
      QStringLiteral("TRUNCATE"), QStringLiteral("DROP"),     QStringLiteral("CREATE"),  QStringLiteral("ALTER"),
      QStringLiteral("EXEC"),     QStringLiteral("EXECUTE"),  QStringLiteral("GRANT"),   QStringLiteral("REVOKE"),
      QStringLiteral("DENY"),     QStringLiteral("INTO"),     QStringLiteral("DECLARE"), QStringLiteral("SET"),
      QStringLiteral("USE"),      QStringLiteral("BACKUP"),   QStringLiteral("RESTORE"), QStringLiteral("SHUTDOWN"),
      QStringLiteral("KILL"),     QStringLiteral("DBCC"),     QStringLiteral("BULK"),
      QStringLiteral("ATTACH"),   QStringLiteral("DETACH"),   QStringLiteral("PRAGMA"),  QStringLiteral("VACUUM"),
  };
  // The server takes statements one after another without a ";", so these
  // count wherever they stand.
  static const QStringList kTransaccion = {
      QStringLiteral("BEGIN"),   QStringLiteral("COMMIT"),    QStringLiteral("ROLLBACK"), QStringLiteral("SAVE"),
      QStringLiteral("SAVEPOINT"), QStringLiteral("RELEASE"), QStringLiteral("TRAN"),     QStringLiteral("TRANSACTION"),
  };
  bool primera = true;  // the statement's first word is still to come
  const int n = sql.size();
  bool finDeSentencia = false;  // a ";" was seen
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    // Literals, names in brackets or double quotes, and comments are
    // stepped over whole.
    if (c == u'\'' || c == u'"' || c == u'[') {
      if (finDeSentencia) return QStringLiteral("El texto tiene más de una sentencia");
      i = FinDeCitado(sql, i);
      continue;
    }
    if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
      while (i < n && sql[i] != u'\n' && sql[i] != u'\r') ++i;
      continue;
    }
    if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
      const int fin = sql.indexOf(QStringLiteral("*/"), i + 2);
      i = fin < 0 ? n : fin + 2;
      continue;
    }
    if (c == u';') {
      finDeSentencia = true;
      ++i;
      continue;
    }
    if (c.isSpace()) {
      ++i;
      continue;
    }
    if (finDeSentencia) return QStringLiteral("El texto tiene más de una sentencia");
    if (c.isLetter() || c == u'_' || c == u'@' || c == u'#') {
      int j = i;
      while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_' || sql[j] == u'@' || sql[j] == u'#' ||
                       sql[j] == u'$'))
        ++j;
      const QString palabra = sql.mid(i, j - i).toUpper();
      if (kTransaccion.contains(palabra))
        return QStringLiteral("Una consulta no puede abrir ni cerrar transacciones y el texto tiene %1").arg(palabra);
      if (kEscriben.contains(palabra))
        return QStringLiteral("Una consulta no puede modificar la base de datos y el texto tiene %1").arg(palabra);
      // A read is a SELECT, or a WITH that leads to one (END, for one, ends
      // a transaction on some engines).
      if (primera && palabra != QLatin1String("SELECT") && palabra != QLatin1String("WITH"))
        return QStringLiteral("Una consulta debe comenzar con SELECT y el texto comienza con %1").arg(palabra);
      primera = false;
      i = j;
      continue;
    }
    ++i;
  }
  return QString();
}

QStringList Adapta(const QString& sql) {
  QStringList r;
  for (const QString& p : Divide(sql)) r << AdaptaSentencia(p);
  return r;
}

}  // namespace sqlite_sql
