#include "platform/sql_colacion.h"

#include <QSet>
#include <vector>

#include "platform/sql_adapter.h"

namespace sqlite_sql {

namespace {

// Functions whose result is a text built from their arguments: SQLite gives
// such a result no collation, so it compares byte by byte.
bool DevuelveTexto(const QString& nombre) {
  static const QSet<QString> kFunciones = {
      QStringLiteral("LTRIM"),  QStringLiteral("RTRIM"),     QStringLiteral("TRIM"),
      QStringLiteral("UPPER"),  QStringLiteral("LOWER"),     QStringLiteral("SUBSTR"),
      QStringLiteral("SUBSTRING"), QStringLiteral("REPLACE"), QStringLiteral("IFNULL"),
      QStringLiteral("ISNULL"), QStringLiteral("COALESCE"),
  };
  return kFunciones.contains(nombre.toUpper());
}

bool EsDeNombre(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// True when the text from i on, after blanks, begins with the word.
bool SigueLaPalabra(const QString& s, int i, QLatin1StringView palabra) {
  while (i < s.size() && s[i].isSpace()) ++i;
  if (s.size() - i < palabra.size()) return false;
  if (QStringView(s).mid(i, palabra.size()).compare(palabra, Qt::CaseInsensitive) != 0) return false;
  const int fin = i + static_cast<int>(palabra.size());
  return fin == s.size() || !EsDeNombre(s[fin]);
}

}  // namespace

QString ColacionEnFunciones(const QString& sentencia) {
  const QString& s = sentencia;
  const int n = s.size();
  QString out;
  out.reserve(n + 32);
  // One entry per open parenthesis: whether it opened a text function's call.
  std::vector<bool> abiertos;
  bool funcionPendiente = false;  // the last name read was such a function
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    if (c == u'\'' || c == u'[' || c == u'"') {
      // Quoted text or a bracketed / quoted name, copied whole.
      const int fin = FinDeCitado(s, i);
      out += QStringView(s).mid(i, fin - i);
      i = fin;
      funcionPendiente = false;
      continue;
    }
    if (EsDeNombre(c)) {
      int j = i;
      while (j < n && EsDeNombre(s[j])) ++j;
      const QString nombre = s.mid(i, j - i);
      // A name right after a dot is a column, not a function.
      const bool trasPunto = i > 0 && s[i - 1] == u'.';
      funcionPendiente = !trasPunto && !c.isDigit() && DevuelveTexto(nombre);
      out += nombre;
      i = j;
      continue;
    }
    if (c == u'(') {
      abiertos.push_back(funcionPendiente);
      funcionPendiente = false;
      out += c;
      ++i;
      continue;
    }
    if (c == u')') {
      out += c;
      ++i;
      if (!abiertos.empty()) {
        const bool deFuncion = abiertos.back();
        abiertos.pop_back();
        if (deFuncion && !SigueLaPalabra(s, i, QLatin1StringView("COLLATE"))) {
          out += QStringLiteral(" COLLATE CI");
          if (i < n && EsDeNombre(s[i])) out += u' ';
        }
      }
      funcionPendiente = false;
      continue;
    }
    if (!c.isSpace()) funcionPendiente = false;
    out += c;
    ++i;
  }
  return out;
}

}  // namespace sqlite_sql
