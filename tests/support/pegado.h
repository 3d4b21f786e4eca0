#pragma once
// Pasting into a box as a user does: the text on the clipboard, the focus
// on the box and Ctrl+V, so the text goes in through the box's own key
// handling (a paste reaches what typing cannot, a NUL for one).
class QWidget;
class QString;

void Pega(QWidget* caja, const QString& texto);
