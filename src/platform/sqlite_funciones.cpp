#include "platform/sqlite_funciones.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

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
  return TextoUtf8(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v));
}

// A LIKE pattern read once and matched against any number of values, in
// time bounded by the value's length times the pattern's: the pattern's
// pieces (a letter, "_" any one character, "[set]") are the steps of an
// automaton whose states are "the first k pieces matched", and a "%"
// before piece k lets state k stay on any character. Every state a value
// can reach is followed at once, one bit each, so nothing is ever tried
// twice. Letter case is ignored as the collation ignores it (each UTF-16
// unit folded); the value's trailing blanks may be left unmatched, as the
// server ignores them, the pattern's own blanks count.
class PatronLike {
 public:
  PatronLike(const QString& patron, QChar escape);
  QChar Escape() const { return escape_; }
  // Whether the value (UTF-8) matches the pattern.
  bool Coincide(const char* valor, int bytes);

 private:
  struct Pieza {
    enum Tipo { Letra, Cualquiera, Conjunto } tipo = Letra;
    char16_t letra = 0;  // folded
    bool negado = false;
    std::vector<std::pair<char16_t, char16_t>> rangos;  // folded; a single character is a range of one
  };
  static char16_t Pliega(char16_t u) { return QChar(u).toCaseFolded().unicode(); }
  bool Acepta(const Pieza& p, char16_t plegada) const;
  // The pieces the character matches, one bit per piece.
  void Mascara(char16_t u, uint64_t* m) const;
  const uint64_t* MascaraDe(char16_t u);
  // The states a value has reached: one word for up to 63 pieces, else
  // as many as it takes. Paso reads one character (its mask): every state
  // moves on or stays; false when no state is left. Final: all pieces
  // matched.
  struct UnaPalabra {
    uint64_t activos, comodin, fin;
    bool Paso(const uint64_t* m) {
      activos = ((activos & *m) << 1) | (activos & comodin);
      return activos != 0;
    }
    bool Final() const { return (activos & fin) != 0; }
  };
  struct Palabras {
    PatronLike& p;
    bool Paso(const uint64_t* m);
    bool Final() const;
  };
  template <typename Estados>
  bool Recorre(Estados& e, const unsigned char* b, int bytes);

  QChar escape_;
  std::vector<Pieza> piezas_;
  size_t palabras_ = 1;           // 64-bit words of a set of states (pieces + 1)
  std::vector<uint64_t> comodin_;  // states a "%" lets stay
  std::vector<uint64_t> latin1_;   // the mask of each character up to U+00FF, when the pattern is not too long
  std::vector<uint64_t> activos_, mascara_;
};

PatronLike::PatronLike(const QString& p, QChar esc) : escape_(esc) {
  std::vector<size_t> comodines;  // states with a "%" after them
  const int n = static_cast<int>(p.size());
  for (int i = 0; i < n;) {
    const QChar c = p[i];
    Pieza pieza;
    if (!esc.isNull() && c == esc && i + 1 < n) {
      pieza.letra = Pliega(p[i + 1].unicode());
      i += 2;
    } else if (c == u'%') {
      comodines.push_back(piezas_.size());
      ++i;
      continue;
    } else if (c == u'_') {
      pieza.tipo = Pieza::Cualquiera;
      ++i;
    } else if (const int cierre = c == u'[' ? static_cast<int>(p.indexOf(u']', i + 1)) : -1; cierre > i + 1) {
      // [abc], [a-z], [^a]: the characters up to the first "]".
      QStringView set = QStringView(p).mid(i + 1, cierre - i - 1);
      pieza.tipo = Pieza::Conjunto;
      pieza.negado = set.startsWith(u'^');
      if (pieza.negado) set = set.mid(1);
      for (qsizetype k = 0; k < set.size(); ++k) {
        if (k + 2 < set.size() && set[k + 1] == u'-') {
          pieza.rangos.emplace_back(Pliega(set[k].unicode()), Pliega(set[k + 2].unicode()));
          k += 2;
        } else {
          pieza.rangos.emplace_back(Pliega(set[k].unicode()), Pliega(set[k].unicode()));
        }
      }
      i = cierre + 1;
    } else {
      pieza.letra = Pliega(c.unicode());
      ++i;
    }
    piezas_.push_back(std::move(pieza));
  }
  palabras_ = piezas_.size() / 64 + 1;
  comodin_.assign(palabras_, 0);
  for (size_t k : comodines) comodin_[k / 64] |= uint64_t{1} << (k % 64);
  activos_.assign(palabras_, 0);
  mascara_.assign(palabras_, 0);
  // Up to 2,047 pieces the masks of the characters up to U+00FF (ASCII,
  // and the accented letters of Spanish) are kept, at most 64 KB; a longer
  // pattern works each one out as it comes.
  if (palabras_ <= 32) {
    latin1_.assign(256 * palabras_, 0);
    for (char16_t u = 0; u < 256; ++u) Mascara(u, &latin1_[u * palabras_]);
  }
}

bool PatronLike::Acepta(const Pieza& p, char16_t x) const {
  switch (p.tipo) {
    case Pieza::Letra: return p.letra == x;
    case Pieza::Cualquiera: return true;
    case Pieza::Conjunto: break;
  }
  bool dentro = false;
  for (const auto& [desde, hasta] : p.rangos)
    if (x >= desde && x <= hasta) dentro = true;
  return dentro != p.negado;
}

void PatronLike::Mascara(char16_t u, uint64_t* m) const {
  const char16_t x = Pliega(u);
  std::fill(m, m + palabras_, 0);
  for (size_t k = 0; k < piezas_.size(); ++k)
    if (Acepta(piezas_[k], x)) m[k / 64] |= uint64_t{1} << (k % 64);
}

bool PatronLike::Palabras::Paso(const uint64_t* m) {
  uint64_t acarreo = 0, vivos = 0;
  for (size_t w = 0; w < p.palabras_; ++w) {
    const uint64_t d = p.activos_[w];
    const uint64_t avanza = d & m[w];
    p.activos_[w] = (avanza << 1) | acarreo | (d & p.comodin_[w]);
    acarreo = avanza >> 63;
    vivos |= p.activos_[w];
  }
  return vivos != 0;
}

bool PatronLike::Palabras::Final() const {
  return (p.activos_[p.piezas_.size() / 64] >> (p.piezas_.size() % 64)) & 1;
}

const uint64_t* PatronLike::MascaraDe(char16_t u) {
  if (u < 256 && !latin1_.empty()) return &latin1_[u * palabras_];
  Mascara(u, mascara_.data());
  return mascara_.data();
}

bool PatronLike::Coincide(const char* v, int bytes) {
  // Each piece takes one UTF-16 unit of the value, and a value has no more
  // units than bytes: a pattern longer than the value (a long text pasted
  // into a search) is told at once, without a step.
  if (static_cast<size_t>(bytes) < piezas_.size()) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(v);
  if (palabras_ == 1) {
    UnaPalabra e{1, comodin_[0], uint64_t{1} << piezas_.size()};
    return Recorre(e, b, bytes);
  }
  std::fill(activos_.begin(), activos_.end(), 0);
  activos_[0] = 1;
  Palabras e{*this};
  return Recorre(e, b, bytes);
}

template <typename Estados>
bool PatronLike::Recorre(Estados& e, const unsigned char* b, int bytes) {
  const int sinBlancos = SinBlancosFinales(reinterpret_cast<const char*>(b), bytes);
  int i = 0;
  while (i < bytes) {
    // From the trailing blanks on, the value may end here.
    if (i >= sinBlancos && e.Final()) return true;
    if (b[i] < 0x80) {
      if (!e.Paso(MascaraDe(b[i]))) return false;
      ++i;
      continue;
    }
    // One character of UTF-8, read as the UTF-16 units it stands for (a
    // byte that begins none stands for U+FFFD).
    int largo = b[i] >= 0xF0 ? 4 : b[i] >= 0xE0 ? 3 : b[i] >= 0xC0 ? 2 : 1;
    char32_t cp = largo == 4 ? b[i] & 0x07 : largo == 3 ? b[i] & 0x0F : b[i] & 0x1F;
    bool valido = largo > 1 && b[i] < 0xF8 && i + largo <= bytes;
    for (int k = 1; valido && k < largo; ++k) {
      valido = (b[i + k] & 0xC0) == 0x80;
      cp = (cp << 6) | (b[i + k] & 0x3F);
    }
    if (!valido || cp > 0x10FFFF) {
      cp = 0xFFFD;
      largo = 1;
    }
    i += largo;
    if (cp >= 0x10000) {
      if (!e.Paso(MascaraDe(QChar::highSurrogate(cp))) || !e.Paso(MascaraDe(QChar::lowSurrogate(cp)))) return false;
    } else if (!e.Paso(MascaraDe(static_cast<char16_t>(cp)))) {
      return false;
    }
  }
  return e.Final();
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
  // The pattern is read once per statement: SQLite keeps it beside a
  // constant argument from row to row (and drops it after the row when the
  // argument is not constant).
  auto* patron = static_cast<PatronLike*>(sqlite3_get_auxdata(ctx, 0));
  std::unique_ptr<PatronLike> nuevo;
  if (!patron || patron->Escape() != esc) {
    nuevo = std::make_unique<PatronLike>(Texto(argv[0]), esc);
    patron = nuevo.get();
  }
  const char* valor = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
  const bool coincide = valor && patron->Coincide(valor, sqlite3_value_bytes(argv[1]));
  if (nuevo) sqlite3_set_auxdata(ctx, 0, nuevo.release(), [](void* p) { delete static_cast<PatronLike*>(p); });
  sqlite3_result_int(ctx, coincide ? 1 : 0);
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

}  // namespace

QString TextoUtf8(const char* s, qsizetype n) {
  if (n < 3 || s[0] != '\xEF' || s[1] != '\xBB' || s[2] != '\xBF') return QString::fromUtf8(s, n);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  return utf8(QByteArrayView(s, n));
}

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
  QString x = TextoUtf8(a, na).toCaseFolded();
  QString y = TextoUtf8(b, nb).toCaseFolded();
  return x.compare(y);
}

bool Like(const QString& patron, const QString& valor, QChar escape) {
  const QByteArray v = valor.toUtf8();
  return PatronLike(patron, escape).Coincide(v.constData(), static_cast<int>(v.size()));
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
