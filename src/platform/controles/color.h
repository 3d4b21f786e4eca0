#pragma once
// Colours as the program writes them: a whole number &HBBGGRR.
#include <QColor>

inline QColor ColorVb(long v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
inline long ColorAVb(const QColor& c) { return c.red() | (c.green() << 8) | (static_cast<long>(c.blue()) << 16); }
