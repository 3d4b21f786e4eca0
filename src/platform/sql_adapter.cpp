#include "platform/sql_adapter.h"

#include "platform/sql_colacion.h"

#include <QHash>
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

bool PragmaQueActua(QStringView nombre) {
  static const char16_t* const kActuan[] = {u"optimize", u"shrink_memory", u"wal_checkpoint", u"incremental_vacuum"};
  for (const char16_t* p : kActuan)
    if (nombre.compare(QStringView(p), Qt::CaseInsensitive) == 0) return true;
  return false;
}

namespace {

// What a word refused in a read does.
enum class Rehusa { Transaccion, Escribe, OtraSentencia, OtroServidor };

// The words a read may not hold outside its literals, names and comments.
// The server takes one statement after another without a ";", so every word
// that begins a statement (SELECT and WITH aside, which begin the read
// itself) counts wherever it stands; so do the words of a statement that
// writes (INTO), the ODBC call escape ({call ...}) and the functions that
// run a statement on another server. END and ELSE also close and continue
// a CASE, and count only outside one.
const QHash<QString, Rehusa>& PalabrasRehusadas() {
  static const QHash<QString, Rehusa> palabras = [] {
    const struct {
      Rehusa rehusa;
      const char* palabras;
    } grupos[] = {
        {Rehusa::Transaccion, "BEGIN COMMIT ROLLBACK SAVE SAVEPOINT RELEASE TRAN TRANSACTION"},
        {Rehusa::Escribe,
         "INSERT UPDATE DELETE MERGE TRUNCATE DROP CREATE ALTER EXEC EXECUTE CALL GRANT REVOKE DENY INTO DECLARE "
         "SET USE BACKUP RESTORE SHUTDOWN KILL DBCC BULK WRITETEXT UPDATETEXT ENABLE DISABLE ADD RECEIVE SEND "
         "MOVE GET SETUSER REVERT CHECKPOINT RECONFIGURE ATTACH DETACH PRAGMA VACUUM"},
        {Rehusa::OtraSentencia,
         "OPEN CLOSE FETCH DEALLOCATE READTEXT WAITFOR PRINT RAISERROR THROW IF ELSE WHILE GOTO RETURN BREAK "
         "CONTINUE END"},
        {Rehusa::OtroServidor, "OPENQUERY OPENROWSET OPENDATASOURCE"},
    };
    QHash<QString, Rehusa> h;
    for (const auto& g : grupos)
      for (const QString& p : QString::fromLatin1(g.palabras).split(u' ')) h.insert(p, g.rehusa);
    return h;
  }();
  return palabras;
}

QString MotivoDePalabra(Rehusa rehusa, const QString& palabra) {
  switch (rehusa) {
    case Rehusa::Transaccion:
      return QStringLiteral("Una consulta no puede abrir ni cerrar transacciones y el texto tiene %1").arg(palabra);
    case Rehusa::Escribe:
      return QStringLiteral("Una consulta no puede modificar la base de datos y el texto tiene %1").arg(palabra);
    case Rehusa::OtraSentencia:
      return QStringLiteral("Una consulta debe ser una sola sentencia y el texto tiene %1").arg(palabra);
    case Rehusa::OtroServidor:
      return QStringLiteral("Una consulta no puede ejecutar sentencias en otro servidor y el texto tiene %1").arg(palabra);
  }
  return QString();
}

// A pragma of the embedded engine read as a table whose pragma acts
// (pragma_optimize), quoted or not: it acts while the read steps.
bool EsPragmaQueActua(QStringView nombre) {
  return nombre.startsWith(u"pragma_", Qt::CaseInsensitive) && PragmaQueActua(nombre.mid(7));
}

}  // namespace

QString MotivoNoLectura(const QString& sql) {
  bool primera = true;  // the statement's first token is still to come
  const int n = sql.size();
  bool finDeSentencia = false;  // a ";" was seen
  int casos = 0;                // CASE expressions open
  // The two words before the current one, when nothing but blanks and
  // comments stands between them (NEXT VALUE FOR).
  QString antes[2];
  // A read is a SELECT, or a WITH that leads to one: the server runs a
  // procedure named first in a batch without EXEC, bracketed or quoted too.
  const auto comienzo = [](const QString& token) {
    return QStringLiteral("Una consulta debe comenzar con SELECT y el texto comienza con %1").arg(token);
  };
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    // Literals, names in brackets or double quotes, and comments are
    // stepped over whole.
    if (c == u'\'' || c == u'"' || c == u'[') {
      if (finDeSentencia) return QStringLiteral("El texto tiene más de una sentencia");
      const int fin = FinDeCitado(sql, i);
      if (primera) return comienzo(sql.mid(i, fin - i));
      antes[0].clear();
      antes[1].clear();
      // An engine may take a quoted text where a table goes for its name.
      const bool cerrado = fin - i >= 2 && sql[fin - 1] == (c == u'[' ? QChar(u']') : c);
      if (EsPragmaQueActua(QStringView(sql).mid(i + 1, fin - i - (cerrado ? 2 : 1))))
        return MotivoDePalabra(Rehusa::Escribe, sql.mid(i, fin - i));
      i = fin;
      continue;
    }
    // A name between backticks is a name on some engines and nothing the
    // server knows: what it holds could hide a second statement.
    if (c == u'`') return QStringLiteral("Una consulta no puede llevar nombres entre acentos graves (`)");
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
    const bool esPalabra = c.isLetter() || c == u'_' || c == u'@' || c == u'#';
    if (primera && !esPalabra) return comienzo(c);
    if (esPalabra) {
      int j = i;
      while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_' || sql[j] == u'@' || sql[j] == u'#' ||
                       sql[j] == u'$'))
        ++j;
      const QString palabra = sql.mid(i, j - i).toUpper();
      if (palabra == QLatin1String("CASE")) {
        ++casos;
      } else if (casos > 0 && palabra == QLatin1String("END")) {
        --casos;
      } else if (!(casos > 0 && palabra == QLatin1String("ELSE"))) {
        const auto rehusada = PalabrasRehusadas().constFind(palabra);
        if (rehusada != PalabrasRehusadas().constEnd()) return MotivoDePalabra(*rehusada, palabra);
        if (EsPragmaQueActua(palabra)) return MotivoDePalabra(Rehusa::Escribe, palabra);
      }
      if (primera && palabra != QLatin1String("SELECT") && palabra != QLatin1String("WITH")) return comienzo(palabra);
      // A sequence's next value moves the sequence on.
      if (palabra == QLatin1String("FOR") && antes[0] == QLatin1String("NEXT") && antes[1] == QLatin1String("VALUE"))
        return MotivoDePalabra(Rehusa::Escribe, QStringLiteral("NEXT VALUE FOR"));
      antes[0] = antes[1];
      antes[1] = palabra;
      primera = false;
      i = j;
      continue;
    }
    antes[0].clear();
    antes[1].clear();
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
