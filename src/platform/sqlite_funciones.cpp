#include "platform/sqlite_funciones.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
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

// The ASCII characters some character beyond ASCII folds to (the Kelvin
// sign to "k", the long s to "s"): a piece that takes one of them takes a
// character beyond ASCII too.
const std::array<bool, 128>& AsciiConPlegadasAjenas() {
  static const std::array<bool, 128> tabla = [] {
    std::array<bool, 128> t{};
    for (char32_t u = 0x80; u <= 0xFFFF; ++u) {
      const char16_t f = QChar(static_cast<char16_t>(u)).toCaseFolded().unicode();
      if (f < 0x80) t[f] = true;
    }
    return t;
  }();
  return tabla;
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
//
// Which pieces a character matches (its mask) is worked out for a whole
// block of 256 characters the first time a value holds one of them, and
// kept while the pattern lives (a statement's rows), up to 2 MB; past that
// a character's mask is worked out as it comes. While every state reached
// stays on any character (each after a "%"), the characters that would
// change nothing are passed over through a table of the bytes that stop,
// as a search for the next one that may.
class PatronLike {
 public:
  PatronLike(const QString& patron, QChar escape);
  QChar Escape() const { return escape_; }
  // Whether the value (UTF-8 followed by a NUL, as SQLite and QByteArray
  // hand it) matches the pattern.
  bool Coincide(const char* valor, int bytes);
  // The tests of a character against a piece made so far, and the UTF-16
  // units of the values read one by one (not passed over by a search).
  long Comparaciones() const { return comparaciones_; }
  long Pasos() const { return pasos_; }

 private:
  struct Pieza {
    enum Tipo { Letra, Cualquiera, Conjunto } tipo = Letra;
    char16_t letra = 0;  // folded
    bool negado = false;
    std::vector<std::pair<char16_t, char16_t>> rangos;  // folded; a single character is a range of one
  };
  static char16_t Pliega(char16_t u) { return QChar(u).toCaseFolded().unicode(); }
  bool Acepta(const Pieza& p, char16_t plegada) const;
  bool AceptaNoAscii(const Pieza& p) const;
  // The pieces the character matches, one bit per piece.
  void Mascara(char16_t u, uint64_t* m);
  const uint64_t* MascaraDe(char16_t u) {
    if (const uint64_t* pagina = paginas_[u >> 8].get()) return pagina + (u & 0xFF) * palabras_;
    return MascaraNueva(u);
  }
  const uint64_t* MascaraNueva(char16_t u);
  // For the one state reached, after a "%": the bytes at which a value
  // must be read again (the characters its piece takes, any byte beyond
  // ASCII when one such character may be, and the NUL that ends the
  // value), into parada_.
  void Paradas(size_t estado);
  bool Para(unsigned char c) const { return c >= 0x80 ? paradaNoAscii_ : (parada_[c >> 6] >> (c & 63)) & 1; }
  // The first byte from b on at which a skip stops.
  const unsigned char* Salta(const unsigned char* b) const {
    if (paradaTexto_[0] != 0 || paradaSoloNul_)
      return b + std::strcspn(reinterpret_cast<const char*>(b), paradaTexto_.data());
    while (!Para(*b)) ++b;
    return b;
  }
  // The states a value has reached: one word for up to 63 pieces, else
  // as many as it takes. Paso reads one character (its mask): every state
  // moves on or stays; false when no state is left. A state after a "%"
  // does whatever the states before it may still do (it stays until they
  // would reach it, and goes on from there as they would), so once one is
  // reached those before it are dropped. Final: all pieces matched.
  // Saltable: the one state reached, when it stays on any character.
  struct UnaPalabra {
    uint64_t activos, comodin, fin;
    bool Paso(const uint64_t* m) {
      activos = ((activos & *m) << 1) | (activos & comodin);
      if (const uint64_t quedan = activos & comodin) activos &= ~(std::bit_floor(quedan) - 1);
      return activos != 0;
    }
    bool Final() const { return (activos & fin) != 0; }
    bool Saltable(size_t& estado) const {
      estado = static_cast<size_t>(std::countr_zero(activos));
      return (activos & ~comodin) == 0;
    }
  };
  // Only the words up to the one after the highest state reached are
  // stepped.
  struct Palabras {
    PatronLike& p;
    bool Paso(const uint64_t* m);
    bool Final() const;
    bool Saltable(size_t& estado) const {
      const uint64_t alto = p.activos_[p.alto_];
      estado = p.alto_ * 64 + static_cast<size_t>(std::countr_zero(alto));
      return (alto & ~p.comodin_[p.alto_]) == 0;
    }
  };
  template <typename Estados>
  bool Recorre(Estados& e, const unsigned char* b, int bytes);

  static constexpr size_t kPalabrasEnMascaras = size_t{1} << 18;  // 2 MB

  QChar escape_;
  std::vector<Pieza> piezas_;
  std::vector<uint64_t> noAscii_;  // one bit per piece: it may take a character beyond ASCII
  std::vector<uint64_t> ascii_;    // per piece, two words: the ASCII characters it takes
  size_t palabras_ = 1;            // 64-bit words of a set of states (pieces + 1)
  bool finalComodin_ = false;      // the last piece is followed by a "%"
  std::vector<uint64_t> comodin_;  // states a "%" lets stay
  std::array<std::unique_ptr<uint64_t[]>, 256> paginas_;  // the masks of each block of 256 characters
  size_t palabrasEnPaginas_ = 0;
  std::vector<uint64_t> activos_, mascara_;
  size_t alto_ = 0;       // the highest word of activos_ that is not 0
  int mascaraDe_ = -1;    // the character whose mask mascara_ holds
  size_t paradaDe_ = SIZE_MAX;  // the state parada_ is for
  uint64_t parada_[2] = {};
  bool paradaNoAscii_ = false;
  // The same stops, when they are a few ASCII characters and the NUL, as a
  // text for the C library's search.
  std::array<char, 9> paradaTexto_{};
  bool paradaSoloNul_ = false;
  long comparaciones_ = 0;
  long pasos_ = 0;
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
  finalComodin_ = (comodin_[piezas_.size() / 64] >> (piezas_.size() % 64)) & 1;
  activos_.assign(palabras_, 0);
  mascara_.assign(palabras_, 0);
  noAscii_.assign(palabras_, 0);
  for (size_t k = 0; k < piezas_.size(); ++k)
    if (AceptaNoAscii(piezas_[k])) noAscii_[k / 64] |= uint64_t{1} << (k % 64);
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

bool PatronLike::AceptaNoAscii(const Pieza& p) const {
  const std::array<bool, 128>& ajenas = AsciiConPlegadasAjenas();
  switch (p.tipo) {
    case Pieza::Cualquiera: return true;
    case Pieza::Letra: return p.letra >= 0x80 || ajenas[p.letra];
    case Pieza::Conjunto: break;
  }
  if (p.negado) return true;
  for (const auto& [desde, hasta] : p.rangos) {
    if (hasta >= 0x80) return true;
    for (char16_t x = desde; x <= hasta && x < 0x80; ++x)
      if (ajenas[x]) return true;
  }
  return false;
}

void PatronLike::Mascara(char16_t u, uint64_t* m) {
  const char16_t x = Pliega(u);
  std::fill(m, m + palabras_, 0);
  comparaciones_ += static_cast<long>(piezas_.size());
  for (size_t k = 0; k < piezas_.size(); ++k)
    if (Acepta(piezas_[k], x)) m[k / 64] |= uint64_t{1} << (k % 64);
}

const uint64_t* PatronLike::MascaraNueva(char16_t u) {
  const size_t tam = 256 * palabras_;
  if (palabrasEnPaginas_ + tam <= kPalabrasEnMascaras) {
    auto pagina = std::make_unique<uint64_t[]>(tam);
    const char16_t base = u & 0xFF00;
    for (size_t c = 0; c < 256; ++c) Mascara(static_cast<char16_t>(base + c), &pagina[c * palabras_]);
    palabrasEnPaginas_ += tam;
    paginas_[u >> 8] = std::move(pagina);
    return paginas_[u >> 8].get() + (u & 0xFF) * palabras_;
  }
  if (mascaraDe_ != u) {
    Mascara(u, mascara_.data());
    mascaraDe_ = u;
  }
  return mascara_.data();
}

void PatronLike::Paradas(size_t estado) {
  // The ASCII characters each piece takes, read once from their masks.
  if (ascii_.empty()) {
    ascii_.assign(2 * piezas_.size(), 0);
    for (unsigned c = 0; c < 0x80; ++c) {
      const uint64_t* m = MascaraDe(static_cast<char16_t>(c));
      for (size_t k = 0; k < piezas_.size(); ++k)
        if ((m[k / 64] >> (k % 64)) & 1) ascii_[2 * k + c / 64] |= uint64_t{1} << (c % 64);
    }
  }
  parada_[0] = ascii_[2 * estado] | 1;  // and the NUL after the value
  parada_[1] = ascii_[2 * estado + 1];
  paradaNoAscii_ = (noAscii_[estado / 64] >> (estado % 64)) & 1;
  paradaTexto_.fill(0);
  paradaSoloNul_ = false;
  if (paradaNoAscii_ || std::popcount(parada_[0]) + std::popcount(parada_[1]) > static_cast<int>(paradaTexto_.size()))
    return;
  size_t n = 0;
  for (int w = 0; w < 2; ++w)
    for (uint64_t bits = parada_[w] & ~uint64_t{w == 0}; bits != 0; bits &= bits - 1)
      paradaTexto_[n++] = static_cast<char>(w * 64 + std::countr_zero(bits));
  paradaSoloNul_ = n == 0;
}

bool PatronLike::Palabras::Paso(const uint64_t* m) {
  uint64_t& primera = p.activos_[0];
  if (p.alto_ == 0 && (primera >> 63) == 0) {
    // Every state reached in the first word, none that carries into the
    // next: one word steps, as for a short pattern.
    primera = ((primera & m[0]) << 1) | (primera & p.comodin_[0]);
    if (const uint64_t quedan = primera & p.comodin_[0]) primera &= ~(std::bit_floor(quedan) - 1);
    return primera != 0;
  }
  const size_t hasta = std::min(p.alto_ + 1, p.palabras_ - 1);
  uint64_t acarreo = 0;
  size_t alto = 0;
  bool vivos = false;
  for (size_t w = 0; w <= hasta; ++w) {
    const uint64_t d = p.activos_[w];
    const uint64_t avanza = d & m[w];
    const uint64_t nuevo = (avanza << 1) | acarreo | (d & p.comodin_[w]);
    p.activos_[w] = nuevo;
    acarreo = avanza >> 63;
    if (nuevo != 0) {
      alto = w;
      vivos = true;
    }
  }
  p.alto_ = alto;
  // The states before the last one reached after a "%" are dropped.
  for (size_t w = alto + 1; w-- > 0;) {
    if (const uint64_t quedan = p.activos_[w] & p.comodin_[w]) {
      p.activos_[w] &= ~(std::bit_floor(quedan) - 1);
      std::fill(p.activos_.begin(), p.activos_.begin() + static_cast<std::ptrdiff_t>(w), 0);
      break;
    }
  }
  return vivos;
}

bool PatronLike::Palabras::Final() const {
  return (p.activos_[p.piezas_.size() / 64] >> (p.piezas_.size() % 64)) & 1;
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
  alto_ = 0;
  Palabras e{*this};
  return Recorre(e, b, bytes);
}

template <typename Estados>
bool PatronLike::Recorre(Estados& e, const unsigned char* b, int bytes) {
  const int sinBlancos = SinBlancosFinales(reinterpret_cast<const char*>(b), bytes);
  int i = 0;
  for (;;) {
    // From the trailing blanks on, the value may end here; after a last
    // "%" nothing that follows can undo the match.
    if (e.Final() && (i >= sinBlancos || finalComodin_)) return true;
    if (i >= bytes) return false;
    // Not final here, so no state reached is: what is passed over changes
    // nothing, and the NUL after the value stops the search.
    if (size_t estado; e.Saltable(estado)) {
      if (estado != paradaDe_) {
        Paradas(estado);
        paradaDe_ = estado;
      }
      i = static_cast<int>(Salta(b + i) - b);
      if (i >= bytes) return false;
    }
    ++pasos_;
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
      ++pasos_;
      if (!e.Paso(MascaraDe(QChar::highSurrogate(cp))) || !e.Paso(MascaraDe(QChar::lowSurrogate(cp)))) return false;
    } else if (!e.Paso(MascaraDe(static_cast<char16_t>(cp)))) {
      return false;
    }
  }
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

LikeRepetido LikeVarios(const QString& patron, const QStringList& valores, QChar escape) {
  PatronLike p(patron, escape);
  LikeRepetido r;
  for (const QString& valor : valores) {
    const QByteArray v = valor.toUtf8();
    r.coinciden.push_back(p.Coincide(v.constData(), static_cast<int>(v.size())));
  }
  r.comparaciones = p.Comparaciones();
  r.pasos = p.Pasos();
  return r;
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
