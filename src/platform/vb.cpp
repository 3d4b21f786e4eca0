#include "platform/vb.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>
#include <charconv>
#include <cmath>

#include "platform/vb_error.h"

namespace vb {

QString LTrim(const QString& s) {
  int i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  return s.mid(i);
}

QStringView TrimVista(QStringView s) {
  qsizetype i = 0, n = s.size();
  while (i < n && s[i] == u' ') ++i;
  while (n > i && s[n - 1] == u' ') --n;
  return s.mid(i, n - i);
}

// A text without blanks around it is shared, not copied.
QString Trim(const QString& s) {
  const QStringView t = TrimVista(s);
  return t.size() == s.size() ? s : t.toString();
}

bool Igual(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool Contiene(const QString& texto, const QString& parte) { return texto.contains(parte, Qt::CaseInsensitive); }

int InStr(const QString& texto, const QString& parte, int start) {
  if (start < 1) Raise(ErrInvalidCall, QStringLiteral("Argumento no válido"));
  if (parte.isEmpty()) return start <= texto.size() + 1 ? start : 0;
  int p = texto.indexOf(parte, start - 1, Qt::CaseInsensitive);
  return p < 0 ? 0 : p + 1;
}

QString Mid(const QString& s, int start, int length) {
  if (start < 1) Raise(ErrInvalidCall, QStringLiteral("Argumento no válido"));
  if (start > s.size()) return QString();
  return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

QString Left(const QString& s, int n) { return s.left(std::max(0, n)); }

QString QuitaCaracteres(const QString& s, const QString& caracteres) {
  QString r;
  r.reserve(s.size());
  for (QChar c : s)
    if (!caracteres.contains(c)) r.append(c);
  return r;
}

QString SinMitadesSueltas(const QString& s) {
  if (s.isValidUtf16()) return s;
  QString r;
  r.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      r.append(c).append(s[++i]);
    } else if (!c.isSurrogate()) {
      r.append(c);
    }
  }
  return r;
}

QString TextoDeVal(const QString& s) {
  QString t;
  t.reserve(s.size());
  for (QChar c : s)
    if (c != u' ' && c != u'\t' && c != u'\n') t.append(c);
  int i = 0;
  const int n = t.size();
  QString num;
  if (i < n && (t[i] == u'-' || t[i] == u'+')) num.append(t[i++]);
  bool digits = false;
  while (i < n && t[i].isDigit() && t[i].unicode() < 128) { num.append(t[i++]); digits = true; }
  if (i < n && t[i] == u'.') {
    num.append(t[i++]);
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) { num.append(t[i++]); digits = true; }
  }
  if (!digits) return QString();
  if (i < n && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
    int j = i + 1;
    QString e = QStringLiteral("e");
    if (j < n && (t[j] == u'-' || t[j] == u'+')) e.append(t[j++]);
    bool ed = false;
    while (j < n && t[j].isDigit() && t[j].unicode() < 128) { e.append(t[j++]); ed = true; }
    if (ed) num.append(e);
  }
  return num;
}

double Val(const QString& s) {
  const QString num = TextoDeVal(s);
  if (num.isEmpty()) return 0.0;
  bool ok = false;
  double v = num.toDouble(&ok);
  return ok ? v : 0.0;
}

QChar DecimalSeparator() {
  QString d = QLocale().decimalPoint();
  return d.isEmpty() ? QChar(u'.') : d[0];
}

QString NormalizaNumero(const QString& s) {
  QString t = s.trimmed();
  if (t.isEmpty()) return QString();
  int lastComma = t.lastIndexOf(u',');
  int lastDot = t.lastIndexOf(u'.');
  QChar dec = u'.';
  if (lastComma >= 0 && lastDot >= 0) {
    dec = lastComma > lastDot ? QChar(u',') : QChar(u'.');
  } else if (lastComma >= 0) {
    dec = t.count(u',') == 1 ? QChar(u',') : QChar(u'#');
  } else if (lastDot >= 0 && t.count(u'.') > 1) {
    dec = u'#';
  }
  QString r;
  int lastDec = dec == u'#' ? -1 : t.lastIndexOf(dec);
  for (int i = 0; i < t.size(); ++i) {
    QChar c = t[i];
    if (c == u',' || c == u'.') {
      if (i == lastDec) r.append(u'.');
      continue;
    }
    r.append(c);
  }
  // One way only to read each digit: a run of digits followed by an
  // optional run would be split at every point in turn when the match
  // fails, in time that grows with the square of the text.
  static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
  return re.match(r).hasMatch() ? r : QString();
}

bool IsNumeric(const QString& s) { return !NormalizaNumero(s).isEmpty(); }

double CDbl(const QString& s) {
  QString n = NormalizaNumero(s);
  if (n.isEmpty()) Raise(ErrTypeMismatch, QStringLiteral("No coinciden los tipos"));
  return n.toDouble();
}

double RoundHalfEven(double v, int decimals) {
  double f = std::pow(10.0, decimals);
  double x = v * f;
  double r = std::nearbyint(x);  // default rounding mode: ties to even
  if (std::fabs(x - std::trunc(x)) != 0.5) r = std::round(x);
  return r / f;
}

double RoundHalfAway(double v, int decimals) {
  double f = std::pow(10.0, decimals);
  return std::round(v * f) / f;
}

int CInt(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(ErrOverflow, QStringLiteral("Desbordamiento"));
  return static_cast<int>(r);
}

int CInt(const QString& s) { return CInt(CDbl(s)); }

long CLng(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(ErrOverflow, QStringLiteral("Desbordamiento"));
  return static_cast<long>(r);
}

QString Format(double v, const QString& pattern) {
  int dot = pattern.indexOf(u'.');
  QString ip = dot < 0 ? pattern : pattern.left(dot);
  QString dp = dot < 0 ? QString() : pattern.mid(dot + 1);
  int minInt = ip.count(u'0');
  int decimals = dp.size();
  int minDec = 0;
  for (int i = 0; i < dp.size(); ++i)
    if (dp[i] == u'0') minDec = i + 1;
  double r = RoundHalfAway(v, decimals);
  bool neg = r < 0;
  QString digits = QString::number(std::fabs(r), 'f', decimals);
  QString intPart = digits, decPart;
  if (decimals > 0) {
    int p = digits.indexOf(u'.');
    intPart = digits.left(p);
    decPart = digits.mid(p + 1);
    while (decPart.size() > minDec && decPart.endsWith(u'0')) decPart.chop(1);
  }
  if (intPart == QLatin1String("0") && minInt == 0) intPart.clear();
  while (intPart.size() < minInt) intPart.prepend(u'0');
  QString out = intPart;
  if (dot >= 0) out += DecimalSeparator() + decPart;
  if (neg) out.prepend(u'-');
  return out;
}

QString Format(const QString& s, const QString& pattern) {
  if (s.isEmpty()) return s;
  if (!IsNumeric(s)) return s;
  return Format(CDbl(s), pattern);
}

namespace {

// yyyy-mm-dd or yyyy-mm-dd hh:mm:ss exactly, as the embedded database stores
// dates: read without regular expressions.
bool FechaIso(const QString& t, QDateTime& out) {
  auto dig = [&](int i) { return t[i].unicode() >= '0' && t[i].unicode() <= '9'; };
  auto num = [&](int i, int n) {
    int v = 0;
    for (int k = 0; k < n; ++k) v = v * 10 + (t[i + k].unicode() - '0');
    return v;
  };
  if (t.size() != 10 && t.size() != 19) return false;
  for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!dig(i)) return false;
  if (t[4] != u'-' || t[7] != u'-') return false;
  QTime hora(0, 0);
  if (t.size() == 19) {
    if (t[10] != u' ' || t[13] != u':' || t[16] != u':') return false;
    for (int i : {11, 12, 14, 15, 17, 18})
      if (!dig(i)) return false;
    hora = QTime(num(11, 2), num(14, 2), num(17, 2));
  }
  const QDate d(num(0, 4), num(5, 2), num(8, 2));
  if (!d.isValid() || !hora.isValid()) return false;
  out = QDateTime(d, hora, Qt::UTC);
  return true;
}

}  // namespace

bool ParseDateTime(const QString& s, QDateTime& out, bool* soloHora) {
  if (soloHora) *soloHora = false;
  if (FechaIso(s, out)) return true;
  const QString t = s.trimmed();
  static const QRegularExpression dmy(QStringLiteral(
      "^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
  static const QRegularExpression ymd(QStringLiteral(
      "^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[T\\s](\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d+)?)?)?$"));
  static const QRegularExpression hm(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
  auto timeFrom = [](const QRegularExpressionMatch& m, int first, QTime& time) {
    if (m.captured(first).isEmpty()) { time = QTime(0, 0); return true; }
    time = QTime(m.captured(first).toInt(), m.captured(first + 1).toInt(),
                 m.captured(first + 2).isEmpty() ? 0 : m.captured(first + 2).toInt());
    return time.isValid();
  };
  QRegularExpressionMatch m = dmy.match(t);
  if (m.hasMatch()) {
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) y += y < 30 ? 2000 : 1900;
    QDate d(y, m.captured(2).toInt(), m.captured(1).toInt());
    QTime time;
    if (!d.isValid() || !timeFrom(m, 4, time)) return false;
    out = QDateTime(d, time, Qt::UTC);
    return true;
  }
  m = ymd.match(t);
  if (m.hasMatch()) {
    QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QTime time;
    if (!d.isValid() || !timeFrom(m, 4, time)) return false;
    out = QDateTime(d, time, Qt::UTC);
    return true;
  }
  m = hm.match(t);
  if (m.hasMatch()) {
    QTime time;
    if (!timeFrom(m, 1, time)) return false;
    out = QDateTime(QDate(1899, 12, 30), time, Qt::UTC);
    if (soloHora) *soloHora = true;
    return true;
  }
  return false;
}

bool IsDate(const QString& s) {
  QDateTime d;
  return ParseDateTime(s, d);
}

QDate CDate(const QString& s) {
  QDateTime d;
  if (!ParseDateTime(s, d)) Raise(ErrTypeMismatch, QStringLiteral("No coinciden los tipos"));
  return d.date();
}

namespace {

// dd/mm/yyyy, and " hh:mm:ss" when the time is not midnight, written by hand
// into b (lists show thousands of dates): the characters written, -1 for a
// year of other than four digits.
int EscribeFecha(char (&b)[20], const QDate& d, const QTime& t) {
  auto dos = [&](int p, int v) {
    b[p] = static_cast<char>('0' + v / 10);
    b[p + 1] = static_cast<char>('0' + v % 10);
  };
  int y = 0, m = 0, dia = 0;
  d.getDate(&y, &m, &dia);  // one calendar conversion, not three
  if (y < 0 || y > 9999) return -1;
  dos(0, dia);
  b[2] = '/';
  dos(3, m);
  b[5] = '/';
  dos(6, y / 100);
  dos(8, y % 100);
  if (!t.isValid() || t == QTime(0, 0)) return 10;
  b[10] = ' ';
  dos(11, t.hour());
  b[13] = ':';
  dos(14, t.minute());
  b[16] = ':';
  dos(17, t.second());
  return 19;
}

QString TextoFecha(const QDate& d, const QTime& t) {
  if (!d.isValid()) return QString();
  char b[20];
  const int n = EscribeFecha(b, d, t);
  return n < 0 ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString::fromLatin1(b, n);
}

}  // namespace

QString Texto(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return QString();
  switch (v.typeId()) {
    case QMetaType::QDate:
      return TextoFecha(v.toDate(), QTime());
    case QMetaType::QDateTime: {
      const QDateTime d = v.toDateTime();
      return TextoFecha(d.date(), d.time());
    }
    case QMetaType::Double:
    case QMetaType::Float: {
      QString t = QString::number(v.toDouble(), 'g', 15);
      if (t.contains(u'e')) return t;
      return t.replace(u'.', DecimalSeparator());
    }
    case QMetaType::Bool:
      return v.toBool() ? QStringLiteral("Verdadero") : QStringLiteral("Falso");
    // What the conversion of the value would give, without its look-up.
    case QMetaType::LongLong:
      return QString::number(*static_cast<const qlonglong*>(v.constData()));
    case QMetaType::Int:
      return QString::number(*static_cast<const int*>(v.constData()));
    case QMetaType::QString:
      return *static_cast<const QString*>(v.constData());
    case QMetaType::QByteArray:
      return QString::fromLatin1(v.toByteArray());
    default:
      return v.toString();
  }
}

void AgregaTexto(QString& destino, const QVariant& v) {
  if (!v.isValid() || v.isNull()) return;
  switch (v.typeId()) {
    case QMetaType::QString:
      destino += *static_cast<const QString*>(v.constData());
      return;
    case QMetaType::LongLong: {
      char b[24];
      const auto fin = std::to_chars(b, b + sizeof b, *static_cast<const qlonglong*>(v.constData())).ptr;
      destino += QLatin1StringView(b, fin - b);
      return;
    }
    case QMetaType::QDateTime: {
      const QDateTime d = v.toDateTime();
      char b[20];
      const int n = d.date().isValid() ? EscribeFecha(b, d.date(), d.time()) : 0;
      if (n >= 0) {
        destino += QLatin1StringView(b, n);
        return;
      }
      break;
    }
    default:
      break;
  }
  destino += Texto(v);
}

}  // namespace vb
