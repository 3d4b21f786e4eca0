#include "platform/sqlite_funciones.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QString>

namespace sqlite_sql {

namespace {

// The program uses SQLite from its one user-interface thread: no mutexes and
// no memory statistics behind one. Set before the library starts.
const bool kUnSoloHilo = [] {
  return sqlite3_config(SQLITE_CONFIG_SINGLETHREAD) == SQLITE_OK && sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
}();

int SinBlancosFinales(const char* s, int n) {
  while (n > 0 && s[n - 1] == ' ') --n;
  return n;
}

bool Ascii(const char* s, int n) {
  for (int i = 0; i < n; ++i)
    if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
  return true;
}

int CollationCI(void*, int na, const void* a, int nb, const void* b) {
  return ComparaCI(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

QString Texto(sqlite3_value* v) {
  const unsigned char* t = sqlite3_value_text(v);
  if (!t) return QString();
  return QString::fromUtf8(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v));
}

void FuncionLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  // like(pattern, value[, escape]) as SQLite calls it for "value LIKE pattern".
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  QChar esc;
  if (argc == 3) {
    QString e = Texto(argv[2]);
    if (e.size() != 1) {
      sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
      return;
    }
    esc = e[0];
  }
  sqlite3_result_int(ctx, Like(Texto(argv[0]), Texto(argv[1]), esc) ? 1 : 0);
}

void FuncionCaso(sqlite3_context* ctx, int, sqlite3_value** argv, bool mayusculas) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  QByteArray r = (mayusculas ? Texto(argv[0]).toUpper() : Texto(argv[0]).toLower()).toUtf8();
  sqlite3_result_text(ctx, r.constData(), r.size(), SQLITE_TRANSIENT);
}

void FuncionUpper(sqlite3_context* c, int n, sqlite3_value** v) { FuncionCaso(c, n, v, true); }
void FuncionLower(sqlite3_context* c, int n, sqlite3_value** v) { FuncionCaso(c, n, v, false); }

void FuncionLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  QString t = Texto(argv[0]);
  int n = t.size();
  while (n > 0 && t[n - 1] == u' ') --n;
  sqlite3_result_int(ctx, n);
}

void FuncionGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
  QByteArray r = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
  sqlite3_result_text(ctx, r.constData(), r.size(), SQLITE_TRANSIENT);
}

bool LikeDesde(const QString& p, int i, const QString& v, int j, QChar esc) {
  while (i < p.size()) {
    QChar c = p[i];
    if (!esc.isNull() && c == esc && i + 1 < p.size()) {
      if (j >= v.size() || p[i + 1].toCaseFolded() != v[j].toCaseFolded()) return false;
      i += 2;
      ++j;
      continue;
    }
    if (c == u'%') {
      while (i < p.size() && p[i] == u'%') ++i;
      if (i == p.size()) return true;
      for (int k = j; k <= v.size(); ++k)
        if (LikeDesde(p, i, v, k, esc)) return true;
      return false;
    }
    if (j >= v.size()) return false;
    if (c == u'_') {
      ++i;
      ++j;
      continue;
    }
    if (c == u'[') {
      int cierre = p.indexOf(u']', i + 1);
      if (cierre > i + 1) {
        QString set = p.mid(i + 1, cierre - i - 1);
        bool negado = set.startsWith(u'^');
        if (negado) set.remove(0, 1);
        QChar x = v[j].toCaseFolded();
        bool dentro = false;
        for (int k = 0; k < set.size(); ++k) {
          if (k + 2 < set.size() && set[k + 1] == u'-') {
            if (x >= set[k].toCaseFolded() && x <= set[k + 2].toCaseFolded()) dentro = true;
            k += 2;
          } else if (set[k].toCaseFolded() == x) {
            dentro = true;
          }
        }
        if (dentro == negado) return false;
        i = cierre + 1;
        ++j;
        continue;
      }
    }
    if (c.toCaseFolded() != v[j].toCaseFolded()) return false;
    ++i;
    ++j;
  }
  return j == v.size();
}

}  // namespace

int ComparaCI(const char* a, int na, const char* b, int nb) {
  na = SinBlancosFinales(a, na);
  nb = SinBlancosFinales(b, nb);
  if (Ascii(a, na) && Ascii(b, nb)) {
    int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
      int x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 'A' && x <= 'Z') x += 32;
      if (y >= 'A' && y <= 'Z') y += 32;
      if (x != y) return x - y;
    }
    return na - nb;
  }
  QString x = QString::fromUtf8(a, na).toCaseFolded();
  QString y = QString::fromUtf8(b, nb).toCaseFolded();
  return x.compare(y);
}

bool Like(const QString& patron, const QString& valor, QChar escape) {
  return LikeDesde(patron, 0, valor, 0, escape);
}

void RegistraFunciones(sqlite3* db) {
  sqlite3_create_collation(db, "CI", SQLITE_UTF8, nullptr, CollationCI);
  const int f = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function(db, "like", 2, f, nullptr, FuncionLike, nullptr, nullptr);
  sqlite3_create_function(db, "like", 3, f, nullptr, FuncionLike, nullptr, nullptr);
  sqlite3_create_function(db, "upper", 1, f, nullptr, FuncionUpper, nullptr, nullptr);
  sqlite3_create_function(db, "lower", 1, f, nullptr, FuncionLower, nullptr, nullptr);
  sqlite3_create_function(db, "len", 1, f, nullptr, FuncionLen, nullptr, nullptr);
  sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr, FuncionGetDate, nullptr, nullptr);
}

}  // namespace sqlite_sql
