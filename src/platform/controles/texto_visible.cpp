#include "platform/controles/texto_visible.h"

#include <QFontMetrics>

namespace {

// Whether the text holds a character written right to left (or an
// explicit change of direction): its characters are then not shown in the
// order they are stored.
bool DeDerechaAIzquierda(const QString& t) {
  for (qsizetype i = 0; i < t.size(); ++i) {
    char32_t c = t[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(t[i].unicode(), t[i + 1].unicode());
      ++i;
    }
    switch (QChar::direction(c)) {
      case QChar::DirR:
      case QChar::DirAL:
      case QChar::DirAN:
      case QChar::DirRLE:
      case QChar::DirRLO:
      case QChar::DirRLI:
      case QChar::DirFSI: return true;
      default: break;
    }
  }
  return false;
}

// A text of up to this many characters is handed whole to the painter.
constexpr qsizetype kLargoEntero = 512;

}  // namespace

QString ParteVisible(const QFontMetrics& m, const QString& texto, int ancho, Qt::Alignment a) {
  if (texto.size() <= kLargoEntero || DeDerechaAIzquierda(texto)) return texto;
  const qsizetype n = texto.size();
  const auto parte = [&](qsizetype largo) {
    // A centred part leaves as many characters on either side.
    if ((a & Qt::AlignHCenter) && (n - largo) % 2 != 0) ++largo;
    // The cut lies far beyond the edge: a character split there (one
    // outside the basic plane) does not show.
    const qsizetype desde = a & Qt::AlignRight ? n - largo : a & Qt::AlignHCenter ? (n - largo) / 2 : 0;
    return QStringView(texto).mid(desde, largo).toString();
  };
  qsizetype largo = 64;
  while (largo < n && m.horizontalAdvance(parte(largo)) <= ancho) largo *= 2;
  return 2 * largo < n ? parte(2 * largo) : texto;
}
