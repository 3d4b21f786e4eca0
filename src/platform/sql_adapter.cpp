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
      QChar cierre = c == u'\'' ? QChar(u'\'') : QChar(u']');
      int j = i + 1;
      while (j < n) {
        if (s[j] == cierre) {
          if (cierre == u'\'' && j + 1 < n && s[j + 1] == u'\'') { j += 2; continue; }
          break;
        }
        ++j;
      }
      out += s.mid(i, j - i + 1);
      i = j + 1;
      continue;
    }
    tramo += c;
    ++i;
  }
  out += fn(tramo);
  return out;
}

}  // namespace

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
  s = FueraDeComillas(s, [](QString t) { return t.replace(isnull, QStringLiteral("IFNULL(")); });
  s = ColacionEnFunciones(s);
  if (!limite.isEmpty()) {
    QString t = s.trimmed();
    if (t.endsWith(u';')) t.chop(1);
    s = t + QStringLiteral(" LIMIT ") + limite;
  }
  return s;
}

QStringList Adapta(const QString& sql) {
  QStringList r;
  for (const QString& p : Divide(sql)) r << AdaptaSentencia(p);
  return r;
}

}  // namespace sqlite_sql
