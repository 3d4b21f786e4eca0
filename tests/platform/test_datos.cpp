// The data layer on real SQLite files: the collation and LIKE of the
// embedded database, batches, prepared statements, recordsets, literals and
// the look-ups of the data object.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <QFile>
#include <QProcess>
#include <functional>

#include "demo_sqlite.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/sqlite_funciones.h"
#include "platform/vb_error.h"
#include "support/entorno.h"
#include "support/sin_escritura.h"

namespace {

// A small database of its own: T(ID, NOMBRE text CI, FECHA DATE, IMPORTE REAL).
class BaseChica : public ConEntorno {
 protected:
  void SetUp() override {
    archivo = e.Ruta("chica.db");
    demo::BaseSqlite b(archivo);
    b.Ejecuta("CREATE TABLE T (ID INTEGER PRIMARY KEY, NOMBRE TEXT COLLATE CI, FECHA DATE, MOMENTO DATETIME, IMPORTE REAL);"
              "INSERT INTO T VALUES (1, 'Peña Juan', '2026-03-25', '2026-03-25 10:30:00', 12.5);"
              "INSERT INTO T VALUES (2, 'GARCÍA  ', '2026-03-26', NULL, NULL);"
              "INSERT INTO T VALUES (3, '   7', '2026-03-27', NULL, 0);");
    motor = ado::AbreSqlite(archivo);
  }
  ado::Resultado Corre(const QString& sql) { return motor->Ejecuta(sql); }
  int Cuenta(const QString& sql) { return Corre(sql).valores.at(0).toInt(); }

  QString archivo;
  std::unique_ptr<ado::Motor> motor;
};

}  // namespace

TEST_F(BaseChica, CollationIgnoresCaseAndTrailingBlanks) {
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = 'peña juan'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = 'PEÑA JUAN   '"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = 'garcía'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = 'garcia'"), 0);  // accents count
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = '7'"), 0);       // leading blanks count
  EXPECT_LT(sqlite_sql::ComparaCI("abc", 3, "ABD  ", 5), 0);
  EXPECT_EQ(sqlite_sql::ComparaCI("Ñandú ", 8, "ñANDÚ", 7), 0);
  // A leading byte-order mark is a character of the text: a name that is
  // only that mark is not the empty text.
  EXPECT_NE(sqlite_sql::ComparaCI("\xEF\xBB\xBF", 3, "", 0), 0);
  EXPECT_NE(sqlite_sql::ComparaCI("\xEF\xBB\xBF" "Ñandú", 9, "ñandú", 7), 0);
  Corre("INSERT INTO T (ID, NOMBRE) VALUES (4, char(65279))");
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE = '' OR NOMBRE IS NULL"), 0);
}

TEST_F(BaseChica, ComparisonsOverExpressionsIgnoreCaseAndTrailingBlanksToo) {
  Corre("INSERT INTO T (ID, NOMBRE) VALUES (4, '  000100000025A  ')");
  // The trimmed column against a lower-case bound, as the range searches compose it.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE LTRIM(RTRIM(NOMBRE)) >= '000100000025a' AND ID = 4"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE LTRIM(RTRIM(NOMBRE)) <= '000100000025a' AND ID = 4"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE RTRIM(LTRIM(NOMBRE)) = '000100000025a   '"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE UPPER(NOMBRE) = 'peña juan'"), 1);
  // A NULL turned into blanks equals the empty text, as on the server.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE ISNULL(FECHA, '  ') = ''"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE ISNULL(MOMENTO, '  ') = ''"), 3);
  // A typed parameter compared with a trimmed column.
  EXPECT_EQ(motor->EjecutaPreparada("SELECT COUNT(*) FROM T WHERE LTRIM(RTRIM(NOMBRE)) = ?", {"garcía"}).valores.at(0).toInt(), 1);
  EXPECT_EQ(motor->EjecutaPreparada("SELECT COUNT(*) FROM T WHERE LTRIM(RTRIM(NOMBRE)) = LTRIM(?)", {"  garcía "}).valores.at(0).toInt(), 1);
  // Letter case still orders the same way on both sides of a range.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE LTRIM(NOMBRE) BETWEEN 'a' AND 'h' AND ID < 4"), 1);
}

TEST_F(BaseChica, LikeIgnoresCaseOfEveryLetter) {
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE '%PEÑA%'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE '%garcía%'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE 'p_ña%'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE '[gp]%'"), 2);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE '%[%]%'"), 0);
  EXPECT_TRUE(sqlite_sql::Like("100[%]", "100%"));
  EXPECT_FALSE(sqlite_sql::Like("100[%]", "1000"));
  EXPECT_TRUE(sqlite_sql::Like("a!_b", "a_b", u'!'));
  EXPECT_FALSE(sqlite_sql::Like("a!_b", "axb", u'!'));
  EXPECT_TRUE(sqlite_sql::Like("[^a]x", "bx"));
  // A pattern that is not constant is read again for every row.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T a, T b WHERE a.NOMBRE LIKE b.NOMBRE"), 3);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE NOMBRE LIKE '%!%' ESCAPE '!' OR NOMBRE LIKE 'GARC_A'"), 1);
  // Each byte that begins no character of UTF-8 stands for one character.
  EXPECT_EQ(Cuenta("SELECT CAST(X'F4908080' AS TEXT) LIKE '____'"), 1);  // beyond U+10FFFF
  EXPECT_EQ(Cuenta("SELECT CAST(X'41FF8042' AS TEXT) LIKE 'a' || char(65533, 65533) || 'b'"), 1);
}

// Awkward patterns, each against values it must and must not match. The
// matcher follows every way a pattern can match at once, so many "%" cost
// no more than one.
TEST(Like, AwkwardPatternsMatchAsTheServerMatchesThem) {
  const QString nombre = "Rodamiento rígido de bolas 6204 2RS Ulnavet - Ref. 4582";  // 55 characters
  ASSERT_EQ(nombre.size(), 55);
  const QString muchos = "%_%_%_%_%_%_%_%_%_%_%_%_%!";  // twelve "_", each beside "%"
  const QChar nul(0);
  const struct {
    QString patron;
    QString valor;
    QChar escape;
    bool coincide;
  } casos[] = {
      // Many "%", and "_" next to "%".
      {"%%%a%%%", "xay", {}, true},
      {"%a%b%c%", "xaybzc", {}, true},
      {"%a%b%c%", "acb", {}, false},
      {"%_", "", {}, false},
      {"%_", "x", {}, true},
      {"_%", "x", {}, true},
      {"%_%_%", "a", {}, false},
      {"%_%_%", "ab", {}, true},
      {"%_%_%_%_%_%_%_%_%!", nombre, {}, false},
      {muchos, nombre, {}, false},
      {muchos, nombre + "!", {}, true},
      {muchos, "abcdefghijk!", {}, false},  // one character short
      {muchos, "abcdefghijkl!", {}, true},
      {"%a%a%a%a%a%a%a%a%a%a%b", QString(60, u'a'), {}, false},
      // Sets and ranges after "%".
      {"%[0-9]", "abc7", {}, true},
      {"%[0-9]", "abc", {}, false},
      {"%[^0-9]", "123", {}, false},
      {"%[^0-9]", "12a", {}, true},
      {"%[a-c]x%", "zzBx", {}, true},
      {"%[xyz]_", "ay", {}, false},
      {"%[xyz]_", "yz", {}, true},
      {"[^]", "q", {}, true},
      {"[a", "[a", {}, true},  // no closing bracket: taken as it stands
      {"[]a", "[]a", {}, true},
      // A "-" that ends or begins a set is one of its characters.
      {"[a-]", "a", {}, true},
      {"[a-]", "-", {}, true},
      {"[a-]", "b", {}, false},
      {"%x[a-]y", "zx-y", {}, true},
      {"[-a]", "-", {}, true},
      {"[^a-]", "-", {}, false},
      {"[^a-]", "b", {}, true},
      // The escape before "%", "_" and "[", and as the last character.
      {"%!%", "100%", u'!', true},
      {"%!%", "100", u'!', false},
      {"%!_%", "a_b", u'!', true},
      {"%!_%", "ab", u'!', false},
      {"!%!_![x]", "%_[x]", u'!', true},
      {"![x]", "x", u'!', false},
      {"ab!", "ab!", u'!', true},
      // Trailing blanks: the value's may be left over, the pattern's count.
      {"abc", "abc   ", {}, true},
      {"abc ", "abc", {}, false},
      {"abc ", "abc  ", {}, true},
      {"%c", "abc  ", {}, true},
      {"ab_", "ab ", {}, true},
      {"ab_", "ab", {}, false},
      {" a", "a", {}, false},  // leading blanks count
      // Letter case as the collation folds it; accents count.
      {"PEÑA%", "peña juan", {}, true},
      {"%garcía%", "GARCÍA", {}, true},
      {"%garcia%", "GARCÍA", {}, false},
      {"[a-z]", "Ñ", {}, false},
      {"[Á-Ú]", "é", {}, true},
      {"%ā", "xĀ", {}, true},  // beyond U+00FF
      // Each piece takes one UTF-16 unit: a value of more bytes than units.
      {"___", "ññ", {}, false},
      {"__", "😀", {}, true},
      {"_", "😀", {}, false},
      {"%" + QString(3000, u'x') + "%", "Rodamiento " + QString(2990, u'x') + " Ulnavet", {}, false},
      {"%" + QString(3000, u'x') + "%", "Rodamiento " + QString(3000, u'X') + " Ulnavet", {}, true},
      {"%[ā-ē]", "xĒ", {}, true},
      // Empty value, empty pattern, a pattern longer than the value.
      {"", "", {}, true},
      {"", "  ", {}, true},
      {"", "a", {}, false},
      {"%", "", {}, true},
      {"_", "", {}, false},
      {"abcd", "abc", {}, false},
      {"abc%", "ab", {}, false},
      // All pieces matched before the value ends, the last not after a "%".
      {"%ab", "xabz", {}, false},
      {"a%b", "abc", {}, false},
      {"a%b", "abc b", {}, true},
      // A NUL is a character like any other.
      {"%A" + QString(nul) + "B%", "xA" + QString(nul) + "By", {}, true},
      {"%A" + QString(nul) + "B%", "xAB", {}, false},
      // Patterns of more pieces than one word of states holds, and of more
      // than the masks kept for ASCII characters.
      {"%" + QString(100, u'a') + "%", QString(150, u'A'), {}, true},
      {"%" + QString(100, u'a') + "%", QString(99, u'a'), {}, false},
      {QString(5000, u'_'), QString(4999, u'x') + "ñ", {}, true},
      {QString(5000, u'_') + "%", QString(4999, u'x'), {}, false},
      // Characters beyond ASCII that fold to an ASCII letter, and sets that
      // reach beyond ASCII, after a "%".
      {"%k%", "abc\u212A", {}, true},
      {"%s_", "xx\u017Fy", {}, true},
      {"%[j-l]", "xx\u212A", {}, true},
      {"%[0-9а-я]x", "abcжx", {}, true},
      {"%[t-я]x", "abcжx", {}, true},
      {"%[^a]x", "aaaжx", {}, true},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(sqlite_sql::Like(c.patron, c.valor, c.escape), c.coincide)
        << c.patron.left(40).toStdString() << " / " << c.valor.left(40).toStdString();
  }
}

// The matcher's work: each character a statement's values hold is tested
// against the pattern's pieces once for the statement, not once per row.
// Rows alike (the same characters) cost the first row's work and no more,
// and that work is at most one test of each character of a row against each
// piece.
TEST(Like, ACharacterIsTestedAgainstThePatternOncePerStatement) {
  // The text repeated up to that many characters.
  const auto repite = [](const QString& base, int largo) { return base.repeated(largo / base.size() + 1).left(largo); };
  const QString cirilico = repite("подшипник кабель шайба насос фильтр клапан ", 1000);
  const QString griego = repite("ρουλεμάν καλώδιο βίδα ", 1000);
  const QString latino = repite("rodamiento rígido de bolas 6204 ", 1000);
  const QString emoji = repite("caja 😀 ", 1000);
  const struct {
    const char* caso;
    QString patron;
    QString valor;
    bool coincide;
  } casos[] = {
      {"501 Cyrillic letters pasted", "%" + cirilico.mid(250, 501) + "%", cirilico, true},
      {"501 Cyrillic letters, one changed", "%" + cirilico.mid(250, 500) + "ж%", cirilico, false},
      {"Greek sets and ranges", "%[α-ω]_[^ά]%βίδα%", griego, true},
      {"Latin beyond U+00FF", "%ĀĒ%", latino + "āē", true},
      {"outside the basic plane", "%_😀%caja_%", emoji, true},
      {"more pieces than the ASCII masks kept", QString(3000, u'_') + "%", latino.repeated(3), true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    const sqlite_sql::LikeRepetido uno = sqlite_sql::LikeVarios(c.patron, {c.valor});
    const sqlite_sql::LikeRepetido muchos = sqlite_sql::LikeVarios(c.patron, QStringList(200, c.valor));
    EXPECT_EQ(uno.coinciden, std::vector<bool>{c.coincide});
    EXPECT_EQ(muchos.coinciden, std::vector<bool>(200, c.coincide));
    EXPECT_EQ(muchos.comparaciones, uno.comparaciones);
    const long piezas = static_cast<long>(c.patron.size() - c.patron.count(u'%'));
    EXPECT_LE(uno.comparaciones, piezas * c.valor.size());
  }
}

// A value of characters from more blocks of 256 than the masks kept for a
// long pattern hold (then each character's mask is worked out as it
// comes): the pattern is the value, its letters in the other case.
TEST(Like, CharactersFromManyBlocksMatchALongPattern) {
  QString valor;
  for (char16_t u = 0x100; u < 0x4000; u += 0x100) valor += QChar(u + 0x41);
  valor += QString(2100, u'x');
  const QString patron = valor.toUpper();
  EXPECT_TRUE(sqlite_sql::Like(patron, valor));
  EXPECT_TRUE(sqlite_sql::Like(patron + "%", valor + valor));
  QString otro = valor;
  otro[20] = QChar(otro[20].unicode() + 1);
  EXPECT_FALSE(sqlite_sql::Like(patron, otro));
}

// While the one state reached stays on any character (after a "%"), the
// characters that cannot move it are passed over by a search, not read one
// by one; the states before a "%" reached are dropped, so many "%" do not
// keep every character read.
TEST(Like, CharactersThatCannotMoveTheMatchAreNotRead) {
  const QString equis(1000, u'x');
  const QString cirilico = QString(1000, QChar(0x0436));  // ж
  const struct {
    const char* caso;
    QString patron;
    QString valor;
    bool coincide;
    long pasos;  // at most
  } casos[] = {
      {"a word found at the end", "%cable%", equis + "CABLE", true, 5},
      {"a word found nowhere", "%cable%", equis, false, 0},
      {"twelve \"_\" beside \"%\"", "%_%_%_%_%_%_%_%_%_%_%_%_%!", equis, false, 12},
      {"several \"%\"", "%x%y%z%", equis + "yz", true, 3},
      {"a pasted text of 100 letters", "%" + QString(100, u'a') + "%", equis + QString(100, u'a'), true, 100},
      {"beyond ASCII, a letter of ASCII", "%x%", cirilico + "x", true, 1},
      {"beyond ASCII, a letter beyond it", "%ж%x%", equis + "жx", true, 2},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    const sqlite_sql::LikeRepetido r = sqlite_sql::LikeVarios(c.patron, {c.valor});
    EXPECT_EQ(r.coinciden, std::vector<bool>{c.coincide});
    EXPECT_LE(r.pasos, c.pasos);
  }
}

namespace {

// An independent reading of LIKE, as the server matches: the pattern's
// pieces, then which of the pattern's first pieces match which of the
// value's first characters (UTF-16 units), letter case folded per unit; the
// value's trailing blanks may be left over.
struct PiezaModelo {
  enum { Letra, Una, Conjunto, Comodin } tipo = Letra;
  char16_t letra = 0;
  bool negado = false;
  std::vector<std::pair<char16_t, char16_t>> rangos;
};

char16_t Plegada(QChar c) { return c.toCaseFolded().unicode(); }

std::vector<PiezaModelo> PiezasModelo(const QString& p, QChar escape) {
  std::vector<PiezaModelo> piezas;
  for (int i = 0; i < p.size(); ++i) {
    PiezaModelo m;
    const int cierre = static_cast<int>(p.indexOf(u']', i + 1));
    if (!escape.isNull() && p[i] == escape && i + 1 < p.size()) {
      m.letra = Plegada(p[++i]);
    } else if (p[i] == u'%') {
      m.tipo = PiezaModelo::Comodin;
    } else if (p[i] == u'_') {
      m.tipo = PiezaModelo::Una;
    } else if (p[i] == u'[' && cierre > i + 1) {
      m.tipo = PiezaModelo::Conjunto;
      QString dentro = p.mid(i + 1, cierre - i - 1);
      if (dentro.startsWith(u'^')) {
        m.negado = true;
        dentro.remove(0, 1);
      }
      for (int k = 0; k < dentro.size(); ++k) {
        const bool rango = k + 2 < dentro.size() && dentro[k + 1] == u'-';
        m.rangos.emplace_back(Plegada(dentro[k]), Plegada(dentro[rango ? k + 2 : k]));
        if (rango) k += 2;
      }
      i = cierre;
    } else {
      m.letra = Plegada(p[i]);
    }
    piezas.push_back(m);
  }
  return piezas;
}

bool AceptaModelo(const PiezaModelo& m, QChar c) {
  const char16_t x = Plegada(c);
  if (m.tipo == PiezaModelo::Una) return true;
  if (m.tipo == PiezaModelo::Letra) return m.letra == x;
  bool dentro = false;
  for (const auto& [desde, hasta] : m.rangos) dentro = dentro || (desde <= x && x <= hasta);
  return dentro != m.negado;
}

bool LikeModelo(const QString& patron, const QString& valor, QChar escape) {
  const std::vector<PiezaModelo> piezas = PiezasModelo(patron, escape);
  const int n = static_cast<int>(valor.size());
  // llega[j]: the pieces read so far match the value's first j characters.
  std::vector<bool> llega(n + 1, false);
  llega[0] = true;
  for (const PiezaModelo& m : piezas) {
    std::vector<bool> sigue(n + 1, false);
    for (int j = 0; j <= n; ++j) {
      if (m.tipo == PiezaModelo::Comodin) sigue[j] = llega[j] || (j > 0 && sigue[j - 1]);
      else sigue[j] = j > 0 && llega[j - 1] && AceptaModelo(m, valor[j - 1]);
    }
    llega = sigue;
  }
  int sinBlancos = n;
  while (sinBlancos > 0 && valor[sinBlancos - 1] == u' ') --sinBlancos;
  for (int j = sinBlancos; j <= n; ++j)
    if (llega[j]) return true;
  return false;
}

// Texts of characters drawn from the alphabet given.
QString Texto(const std::vector<int>& indices, const QStringList& alfabeto) {
  QString t;
  for (int i : indices) t += alfabeto[i % alfabeto.size()];
  return t;
}

// A value the pattern's pieces would match, with one character changed, one
// added or blanks added at random.
QString Instancia(const QString& patron, QChar escape, const QStringList& alfabeto) {
  const auto uno = [&] { return alfabeto[*rc::gen::inRange(0, static_cast<int>(alfabeto.size()))]; };
  QStringList v;
  for (const PiezaModelo& m : PiezasModelo(patron, escape)) {
    switch (m.tipo) {
      case PiezaModelo::Comodin:
        for (int k = *rc::gen::inRange(0, 4); k > 0; --k) v << uno();
        break;
      case PiezaModelo::Una: v << uno(); break;
      case PiezaModelo::Conjunto: {
        QStringList dentro;
        for (const QString& c : alfabeto)
          if (c.size() == 1 && AceptaModelo(m, c[0])) dentro << c;
        v << (dentro.isEmpty() ? uno() : dentro[*rc::gen::inRange(0, static_cast<int>(dentro.size()))]);
        break;
      }
      case PiezaModelo::Letra: v << *rc::gen::element(QString(QChar(m.letra)), QString(QChar(m.letra)).toUpper()); break;
    }
  }
  if (*rc::gen::arbitrary<bool>() && !v.isEmpty()) v[*rc::gen::inRange(0, static_cast<int>(v.size()))] = uno();
  if (*rc::gen::arbitrary<bool>()) v << uno();
  if (*rc::gen::arbitrary<bool>()) v << QString(*rc::gen::inRange(0, 3), u' ');
  return v.join(QString());
}

// The Kelvin sign and the long s fold to "k" and "s".
const QStringList kAlfabetoValores = {"a", "A", "b", "z", "k", "s", "\u212A", "\u017F", "ñ", "Ñ", "я", "Я", "ж",
                                      "ω", "Ω", "😀", " ", "-", "!", "]", "[", "%", "_", "0", "9"};
const QStringList kAlfabetoPatrones = kAlfabetoValores + QStringList{"%", "%", "_", "[", "]", "^", "-", "!", "[a-z]", "[^я]", "[0-9а-я]", "[j-l]", "[s]", "[a-]", "[-a]"};

// The program's matcher with its pattern read once against several values,
// each value against the model.
void ComoElModelo(const QString& patron, const QStringList& valores, QChar escape) {
  const sqlite_sql::LikeRepetido r = sqlite_sql::LikeVarios(patron, valores, escape);
  for (int i = 0; i < valores.size(); ++i) {
    RC_LOG() << patron.toStdString() << " / " << valores[i].toStdString() << "\n";
    RC_ASSERT(r.coinciden.at(i) == LikeModelo(patron, valores[i], escape));
  }
}

}  // namespace

// Short patterns of every kind of piece against values of letters in and
// beyond Latin-1, blanks and characters outside the basic plane; the same
// pattern against several values in turn, as a statement's rows.
RC_GTEST_PROP(LikeModelo, ShortPatternsMatchAsTheModel, ()) {
  const QChar escape = *rc::gen::element(QChar(), QChar(u'!'));
  const QString patron = Texto(*rc::gen::container<std::vector<int>>(*rc::gen::inRange(0, 10), rc::gen::inRange(0, 1000)), kAlfabetoPatrones);
  QStringList valores;
  for (int i = 0; i < 4; ++i)
    valores << (*rc::gen::arbitrary<bool>() ? Instancia(patron, escape, kAlfabetoValores)
                                           : Texto(*rc::gen::container<std::vector<int>>(*rc::gen::inRange(0, 12), rc::gen::inRange(0, 1000)), kAlfabetoValores));
  ComoElModelo(patron, valores, escape);
}

// Patterns of more pieces than one word of states holds (64 and more),
// against values made to match them or nearly.
RC_GTEST_PROP(LikeModelo, LongPatternsMatchAsTheModel, ()) {
  const QChar escape = *rc::gen::element(QChar(), QChar(u'!'));
  QString patron;
  const QString trozo = Texto(*rc::gen::container<std::vector<int>>(*rc::gen::inRange(1, 12), rc::gen::inRange(0, 1000)), kAlfabetoPatrones);
  while (patron.size() < 70) patron += trozo + Texto({*rc::gen::inRange(0, 1000)}, kAlfabetoPatrones);
  if (*rc::gen::arbitrary<bool>()) patron.prepend(u'%');
  QStringList valores;
  for (int i = 0; i < 3; ++i) valores << Instancia(patron, escape, kAlfabetoValores);
  ComoElModelo(patron, valores, escape);
}

TEST_F(BaseChica, ServerFunctionsAndDates) {
  ado::Resultado r = Corre("SELECT TOP 1 LEN(NOMBRE), UPPER(NOMBRE), ISNULL(IMPORTE, -1), FECHA, MOMENTO FROM T WHERE ID = 2");
  ASSERT_EQ(r.Filas(), 1);
  EXPECT_EQ(r.valores[0].toInt(), 6);  // trailing blanks do not count
  EXPECT_EQ(r.valores[1].toString(), "GARCÍA  ");
  EXPECT_EQ(r.valores[2].toInt(), -1);
  EXPECT_EQ(r.valores[3].toDateTime().date(), QDate(2026, 3, 26));
  EXPECT_TRUE(r.valores[4].isNull());
  r = Corre("SELECT MOMENTO FROM T WHERE ID = 1");
  EXPECT_EQ(r.valores[0].toDateTime(), QDateTime(QDate(2026, 3, 25), QTime(10, 30)));
  // A date range whose upper bound is the last moment of its day takes the
  // whole day.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE MOMENTO <= '2026-03-25 23:59:59'"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE MOMENTO <= '2026-03-25'"), 0);
}

TEST_F(BaseChica, ABatchRunsWholeOrNotAtAll) {
  EXPECT_THROW(Corre("UPDATE T SET IMPORTE = 99 WHERE ID = 1\r\nINSERT INTO NOEXISTE VALUES (1)"), vb::Error);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE IMPORTE = 99"), 0);
  Corre("UPDATE T SET IMPORTE = 99 WHERE ID = 1\nDELETE T WHERE ID = 3");
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE IMPORTE = 99"), 1);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T"), 2);
}

TEST_F(BaseChica, ALiteralStandsForExactlyTheTextABoundValueIs) {
  const QChar nul(0);
  const QString textos[] = {"", "O'Brien", "a" + QString(nul) + "b", QString(nul), QString(nul) + "'" + nul + "'",
                            "x\r\ny\tz|" + QString(QChar(0xFF)), "Peña €", QString(2, nul) + "''",
                            "'+CHAR(0)+'", " ' ", QString(QChar(0xFEFF)) + "Juan", QString(QChar(0xFEFF)),
                            QString(2, QChar(0xFEFF)) + "x", "Juan" + QString(QChar(0xFEFF))};
  int id = 100;
  for (const QString& t : textos) {
    SCOPED_TRACE(id);
    // The literal in a batch of two statements, and the bound value.
    Corre("UPDATE T SET IMPORTE = 1 WHERE ID = 1\rINSERT INTO T (ID, NOMBRE) VALUES (" + QString::number(id) + ", " +
          ClsDatos::Literal(t) + ")");
    motor->EjecutaPreparada("INSERT INTO T (ID, NOMBRE) VALUES (?, ?)", {id + 1, t});
    const ado::Resultado r = Corre("SELECT NOMBRE FROM T WHERE ID IN (" + QString::number(id) + ", " +
                                   QString::number(id + 1) + ") ORDER BY ID");
    ASSERT_EQ(r.Filas(), 2);
    EXPECT_EQ(r.valores[0].toString(), t);
    EXPECT_EQ(r.valores[1].toString(), t);
    EXPECT_EQ(ClsDatos::DeshaceLiteral(ClsDatos::Literal(t)), t);
    id += 2;
  }
  // A half of a character standing alone is no character: neither a literal
  // nor a bound value stores it.
  for (const QChar mitad : {QChar(0xD83D), QChar(0xDE00)}) {
    const QString t = "a" + QString(mitad) + "b";
    SCOPED_TRACE(int(mitad.unicode()));
    Corre("INSERT INTO T (ID, NOMBRE) VALUES (" + QString::number(id) + ", " + ClsDatos::Literal(t) + ")");
    motor->EjecutaPreparada("INSERT INTO T (ID, NOMBRE) VALUES (?, ?)", {id + 1, t});
    const ado::Resultado r = Corre("SELECT hex(NOMBRE) FROM T WHERE ID IN (" + QString::number(id) + ", " +
                                   QString::number(id + 1) + ") ORDER BY ID");
    ASSERT_EQ(r.Filas(), 2);
    EXPECT_EQ(r.valores[0].toString(), "6162");
    EXPECT_EQ(r.valores[1].toString(), "6162");
    id += 2;
  }
  EXPECT_EQ(ClsDatos::Literal("a" + QString(nul) + "b"), "'a'+CHAR(0)+'b'");  // the server's own form
  EXPECT_EQ(ClsDatos::DeshaceLiteral(" 'O''Brien' "), "O'Brien");
  EXPECT_EQ(ClsDatos::DeshaceLiteral(" NULL "), "NULL");
}

TEST_F(BaseChica, PreparedStatementsAreReusedWithNewValues) {
  for (int id : {1, 2, 3, 1}) {
    ado::Resultado r = motor->EjecutaPreparada("SELECT ID, NOMBRE FROM T WHERE ID = ?", {id});
    ASSERT_EQ(r.Filas(), 1);
    EXPECT_EQ(r.valores[0].toInt(), id);
  }
  EXPECT_EQ(motor->EjecutaPreparada("SELECT ID FROM T WHERE ID = ?", {42}).Filas(), 0);
  EXPECT_THROW(motor->EjecutaPreparada("SELECT X FROM NOEXISTE WHERE ID = ?", {1}), vb::Error);
  // More texts than are kept: the oldest make room and are prepared again
  // when they come back, the newest are still kept.
  auto suma = [&](int k, const char* via) {
    const QString sql = QStringLiteral("SELECT ID + %1 FROM T WHERE ID = ?").arg(k);
    const ado::Resultado r = via[0] == 'L' ? motor->LeePreparada(sql, {2}) : motor->EjecutaPreparada(sql, {2});
    return r.Filas() == 1 ? r.valores[0].toInt() : -1;
  };
  for (int k = 0; k < 100; ++k) EXPECT_EQ(suma(k, k % 2 ? "L" : "E"), k + 2);
  for (int k : {0, 1, 99, 50, 0, 98}) EXPECT_EQ(suma(k, "L"), k + 2);
}

TEST_F(BaseChica, ReadingRowByRowGivesTheRowsOfOneStatementAndRunsNothingElse) {
  QStringList vistos;
  motor->Recorre("SELECT ID, NOMBRE, FECHA FROM T WHERE LTRIM(NOMBRE) >= 'garcía' ORDER BY ID", [&](const QVariant* v, int n) {
    ASSERT_EQ(n, 3);
    vistos << v[0].toString() + "|" + v[1].toString() + "|" + v[2].toDateTime().date().toString("yyyy-MM-dd");
  });
  EXPECT_EQ(vistos, (QStringList{"1|Peña Juan|2026-03-25", "2|GARCÍA  |2026-03-26"}));
  // Every value as a whole read gives it: texts longer and shorter than the
  // row before's, accented ones, Null and numbers in between, and the values
  // the handler kept copies of stay as they were read.
  const QString mezcla =
      "SELECT NOMBRE FROM T UNION ALL SELECT 'un texto bastante largo' UNION ALL SELECT 'x' UNION ALL SELECT NULL "
      "UNION ALL SELECT 'ab' UNION ALL SELECT 42 UNION ALL SELECT 'más' UNION ALL SELECT 'cd'";
  std::vector<QVariant> guardados;
  motor->Recorre(mezcla, [&](const QVariant* v, int) { guardados.push_back(v[0]); });
  EXPECT_EQ(guardados, motor->Lee(mezcla).valores);
  EXPECT_EQ(guardados.size(), 10u);
  // A text holding a second statement is refused whole: the write never runs.
  EXPECT_THROW(motor->Recorre("SELECT ID FROM T; DELETE FROM T", [](const QVariant*, int) {}), vb::Error);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T"), 3);
  // A failure inside a row's handling leaves the connection usable.
  int filas = 0;
  EXPECT_THROW(motor->Recorre("SELECT ID FROM T",
                              [&](const QVariant*, int) {
                                if (++filas == 2) vb::Raise(vb::ErrInvalidCall, "alto");
                              }),
               vb::Error);
  EXPECT_EQ(filas, 2);
  Corre("UPDATE T SET IMPORTE = 1 WHERE ID = 3");
  EXPECT_EQ(Cuenta("SELECT COUNT(*) FROM T WHERE IMPORTE = 1"), 1);
  EXPECT_THROW(motor->Recorre("SELECT X FROM NOEXISTE", [](const QVariant*, int) {}), vb::Error);
}

TEST_F(BaseChica, RecordsetWalksAndRaisesLikeTheDataObjects) {
  Recordset rs(Corre("SELECT ID, NOMBRE FROM T ORDER BY ID"));
  EXPECT_FALSE(rs.Bof());
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.Fields("id").Value().toInt(), 1);
  EXPECT_EQ(rs.Fields(1).Name(), "NOMBRE");
  EXPECT_EQ(rs.Posicion("nombre"), 1);
  EXPECT_EQ(rs.Posicion("NOEXISTE"), -1);
  try {
    rs.Fields("NOEXISTE");
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, vb::ErrItemNotFound);
  }
  rs.MoveNext();
  rs.MoveNext();
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  try {
    rs.Fields("ID");
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, vb::ErrNoCurrentRecord);
  }
  rs.Close();
  try {
    rs.Bof();
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, vb::ErrObjectClosed);
  }
  EXPECT_NO_THROW(gDatos.CierraRecordset(rs));  // already closed: nothing to do
  Recordset vacio(Corre("SELECT ID FROM T WHERE ID = 0"));
  EXPECT_TRUE(vacio.Bof());
  EXPECT_TRUE(vacio.Eof());
  gDatos.CierraRecordset(vacio);
  EXPECT_FALSE(vacio.Abierto());
  // A declared size is its first number; an undeclared one the longest text.
  Corre("CREATE TABLE S (A VARCHAR(50), B NUMERIC(19,4), C CHAR( 25 ), D TEXT); INSERT INTO S VALUES ('x', 1, 'y', 'abc')");
  Recordset tamanos(Corre("SELECT A, B, C, D FROM S"));
  const int esperados[] = {50, 19, 25, 3};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tamanos.DefinedSize(i), esperados[i]) << i;
}

TEST_F(ConEntorno, FilesThatAreNotDatabasesAreRefusedWithAReason) {
  e.EscribeArchivo("basura.db", QByteArray(4096, 'x'));
  try {
    ado::AbreSqlite(e.Ruta("basura.db"));
    FAIL();
  } catch (const vb::Error& err) {
    EXPECT_TRUE(err.Description.contains("no es una base de datos")) << err.Description.toStdString();
  }
  try {
    ado::AbreSqlite(e.Ruta("falta.db"));
    FAIL();
  } catch (const vb::Error& err) {
    EXPECT_TRUE(err.Description.contains("No existe")) << err.Description.toStdString();
  }
  EXPECT_FALSE(QFile::exists(e.Ruta("falta.db")));  // never created by opening it
}

TEST_F(ConEntorno, ADatabaseThatCannotBeWrittenIsWarnedAndRefusesWritesInSpanish) {
  // The file read-only, or the file writable in a folder that takes no new
  // file (the engine cannot make its journal there).
  const struct {
    bool carpeta;
    QString aviso;  // in the warning at the connection and the write's error
  } casos[] = {
      {false, "es de sólo lectura"},
      {true, "no se puede grabar: su carpeta " + e.Carpeta() + " no admite archivos nuevos"},
  };
  e.CreaBase("solo.db");
  for (const auto& c : casos) {
    SCOPED_TRACE(c.carpeta ? "folder" : "file");
    e.ui().llamadas.clear();
    bool conectado = false;
    QString error;
    {
      SinEscritura sinEscritura(c.carpeta ? e.Carpeta() : e.Ruta("solo.db"));
      if (!sinEscritura.Hecho()) GTEST_SKIP() << sinEscritura.PorQueNo().toStdString();
      gDatos.BaseDeDatos = "solo.db";
      conectado = gDatos.Conectar(true, 3, QString());
      try {
        gDatos.Conexion().Execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('X', 'Y')");
      } catch (const vb::Error& err) {
        error = err.Description;
      }
      gDatos.Desconecta();
    }
    ASSERT_TRUE(conectado);
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    const QString aviso = e.ui().De("MsgBox")[0].texto;
    EXPECT_TRUE(aviso.startsWith("La base de datos solo.db " + c.aviso)) << aviso.toStdString();
    EXPECT_TRUE(aviso.endsWith("Se podrá consultar, pero no se podrá grabar ningún cambio.")) << aviso.toStdString();
    EXPECT_TRUE(error.startsWith("La base de datos " + e.Ruta("solo.db") + " " + c.aviso)) << error.toStdString();
    EXPECT_TRUE(error.endsWith("No se grabó ningún cambio.")) << error.toStdString();
  }
  ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'X'").toInt(), 0);
}

TEST_F(ConEntorno, LiteralsDoubleQuotesAndNumbersUseAPoint) {
  EXPECT_EQ(ClsDatos::Literal("O'Brien"), "'O''Brien'");
  EXPECT_EQ(gDatos.ValorSQL(QString("x' OR '1'='1"), "'"), "'x'' OR ''1''=''1'");
  EXPECT_EQ(gDatos.ValorSQL(QString("1,5"), "@"), "1.5");
  EXPECT_EQ(gDatos.ValorSQL(12.25, "@"), "12.25");
  EXPECT_EQ(gDatos.ValorSQL(QString("GETDATE()"), ""), "GETDATE()");
  EXPECT_EQ(gDatos.ValorSQL(QVariant(), "'"), "NULL");
  EXPECT_EQ(gDatos.LiteralLike("50%_a'b[c"), "50[%][_]a''b[[]c");
  EXPECT_EQ(gDatos.LiteralLike(QString("%") + QChar(0)), "[%]'+CHAR(0)+'");
}

TEST(Lotes, AStatementJoinsABatchTextInTheFormOfItsWriter) {
  using U = ClsDatos::Union;
  const struct {
    QString antes;
    U forma;
    QString despues;
  } casos[] = {{"", U::Retorno, "\rS"}, {"A", U::Retorno, "A\rS"},  {"A\r\n", U::Retorno, "A\r\n\rS"},
               {"", U::Linea, "S"},     {"A", U::Linea, "A\r\nS"}, {"A\r", U::Linea, "A\rS"},
               {"A\n", U::Linea, "A\nS"}};
  for (const auto& c : casos) {
    QString lote = c.antes;
    ClsDatos::AgregaSentencia(lote, "S", c.forma);
    EXPECT_EQ(lote, c.despues);
  }
}

TEST_F(ConEntorno, LookupsFindCodesStoredAtTheirWidth) {
  e.CreaBase();
  e.Inicia();
  ASSERT_TRUE(gDatos.Conectado());
  e.Sql("DELETE FROM V_TA_TECNICOS");
  e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   7', 'Lucía O''Neill')");
  EXPECT_EQ(gDatos.ObtieneValor("V_TA_TECNICOS", "   7", "Nombre", "IdTecnico").toString(), "Lucía O'Neill");
  EXPECT_EQ(gDatos.ObtieneValor("V_TA_TECNICOS", "7", "Nombre", "IdTecnico").toString(), "Lucía O'Neill");
  EXPECT_EQ(gDatos.ObtieneValor("V_TA_TECNICOS", "8", "Nombre", "IdTecnico").toString(), "");
  // A quote in the key is a value, not SQL.
  EXPECT_EQ(gDatos.ObtieneValor("V_TA_TECNICOS", "7' OR '1'='1", "Nombre", "IdTecnico").toString(), "");
  Recordset rs;
  EXPECT_TRUE(gDatos.BuscaRegistros("V_TA_TECNICOS", "7", "IDTECNICO", rs, 8, ""));
  EXPECT_EQ(gUtil.ValorCampo(rs.Fields("NOMBRE")).toString(), "Lucía O'Neill");
  EXPECT_FALSE(gDatos.BuscaRegistros("V_TA_TECNICOS", "9", "IDTECNICO", rs, 8, ""));
  EXPECT_TRUE(gDatos.BuscaRegistros("V_TA_TECNICOS", "", "", rs, 8, " WHERE NOMBRE LIKE 'luc%'"));
  EXPECT_FALSE(gDatos.BuscaRegistros("V_TA_TECNICOS", "7", "IDTECNICO", rs, 8, "WHERE NOMBRE = 'otro'"));
  // A condition holding OR narrows that code's rows, never widens them to
  // other codes.
  e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   8', 'Otro')");
  EXPECT_TRUE(gDatos.BuscaRegistros("V_TA_TECNICOS", "7", "IDTECNICO", rs, 8, "NOMBRE LIKE 'L%' OR NOMBRE = 'Otro'"));
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(gUtil.ValorCampo(rs.Fields("IDTECNICO")).toString(), "   7");
  EXPECT_EQ(gDatos.ObtieneValor("V_TA_TECNICOS", "7", "Nombre", "IdTecnico", 8, "NOMBRE = 'x' OR NOMBRE = 'Otro'").toString(),
            "");
  // Neither a field nor a condition: every row.
  EXPECT_TRUE(gDatos.BuscaRegistros("V_TA_TECNICOS", "", "", rs));
  EXPECT_EQ(rs.RecordCount(), 2);
  // A pick is confirmed when it holds a code; the code is left as it came.
  for (const QString codigo : {"   7", "", "   "}) {
    long n = -1;
    QString c = codigo;
    gDatos.MuestraConsulta("V_TA_TECNICOS", n, c, "", "NOMBRE");
    EXPECT_EQ(n, codigo.trimmed().isEmpty() ? 0 : 1) << codigo.toStdString();
    EXPECT_EQ(c, codigo);
  }
}

TEST(ClsUtil, CodesAreRightAlignedInBlanksToTheirWidth) {
  const struct {
    QString codigo;
    int ancho;
    QString formado;
  } casos[] = {{"1", 4, "   1"},      {"", 4, "    "},         {" 0001", 4, "0001"},  {"  7 ", 4, "   7"},
               {"OT", 4, "  OT"},    {"12345", 4, "12345"},   {" 12345", 4, " 12345"}, {"L1", 25, QString(23, u' ') + "L1"}};
  for (const auto& c : casos) EXPECT_EQ(gUtil.FormateaCodigo(c.codigo, c.ancho), c.formado) << c.codigo.toStdString();
}

TEST(ClsUtil, TextHelpersAsTheirCallersUseThem) {
  // A folder ends in one separator, whichever it already has.
  const std::pair<QString, QString> rutas[] = {{"/opt/prog", "/opt/prog/"}, {"/opt/prog/", "/opt/prog/"},
                                               {"C:\\Prog\\", "C:\\Prog\\"}};
  for (const auto& [ruta, normal] : rutas) EXPECT_EQ(gUtil.NormalizaRuta(ruta), normal);
  // An amount is right-aligned, never cut when it is wider.
  EXPECT_EQ(gUtil.FormateaImporte("1.234,50", 10), "  1.234,50");
  EXPECT_EQ(gUtil.FormateaImporte("-12.345.678.901,25", 15), "-12.345.678.901,25");
  // Up to three characters go, each wherever it stands.
  EXPECT_EQ(gUtil.QuitaCaracteres("|L1" + QString(QChar(0xFF)) + "S1|" + QString(QChar(0)) + "|", "|", QString(QChar(0xFF)),
                                  QString(QChar(0))),
            "L1S1");
  // Texts are replaced whatever their letter case; characters as they are.
  EXPECT_EQ(gUtil.ReemplazaTexto("SELECT * FROM v_ma_articulos, V_MA_ARTICULOS", "V_MA_ARTICULOS", "VT_MA_ARTICULOS"),
            "SELECT * FROM VT_MA_ARTICULOS, VT_MA_ARTICULOS");
  EXPECT_EQ(gUtil.ReemplazaCaracter("a,b,c", ",", "."), "a.b.c");
  EXPECT_EQ(gUtil.ReemplazaCaracter("abc", "", "."), "abc");
}
