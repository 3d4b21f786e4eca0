#pragma once
// The part of a long text a cell of one line can show. A grid clips its
// cells' texts and a list elides them, yet both would lay the whole text out
// on every paint: a stored remark of a megabyte took seconds a paint.
//
//   p->drawText(r, flags, ParteVisible(p->fontMetrics(), texto, r.width(), a));
#include <QString>
#include <Qt>

class QFontMetrics;

// The text to hand the painter for one line ancho pixels wide, aligned as
// given (Qt::AlignLeft also for a text elided at its end): the text itself
// when it is short (up to 512 characters) or holds a character written
// right to left (what shows of it is then not a part from one side); else
// the part from the side it is aligned to (the middle, as many characters
// left out on either side, for a centred one): the fewest characters,
// doubled from 64, wider than the line, then as many again. The cut lies
// that far beyond the edge, so what shows, and where an elision falls, is
// what the whole text gives.
QString ParteVisible(const QFontMetrics& m, const QString& texto, int ancho, Qt::Alignment alineacion);
