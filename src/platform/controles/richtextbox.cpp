#include "platform/controles/richtextbox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QTextBoundaryFinder>
#include <QTextCursor>

#include "platform/teclas.h"

namespace {

// The characters of the longest stretch of the text a line may not be
// broken within (a word, words joined by no-break spaces).
qsizetype TramoMasLargo(const QString& t) {
  QTextBoundaryFinder cortes(QTextBoundaryFinder::Line, t);
  qsizetype anterior = 0, mayor = 0;
  for (qsizetype p = cortes.toNextBoundary(); p >= 0; p = cortes.toNextBoundary()) {
    mayor = std::max(mayor, p - anterior);
    anterior = p;
  }
  return mayor;
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent, const QString& nombre) : QTextEdit(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setAcceptRichText(false);
  setTabChangesFocus(true);
  connect(this, &QTextEdit::textChanged, this, [this] {
    if (recortando_) return;
    RecortaAlMaximo();
    if (Change) Change();
  });
}

QString RichTextBox::Plano() const {
  // The document's own text, which keeps no-break spaces (its plain text
  // turns them into blanks); its paragraphs end in U+2029.
  QString t = document()->toRawText();
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return t;
}

QString RichTextBox::Text() const {
  QString t = Plano();
  t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return t;
}

void RichTextBox::AjustaCortes(const QString& t) {
  setWordWrapMode(TramoMasLargo(t) > kTramoPorPalabras ? QTextOption::WrapAnywhere
                                                       : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void RichTextBox::insertFromMimeData(const QMimeData* origen) {
  if (origen->hasText() && TramoMasLargo(origen->text()) > kTramoPorPalabras) setWordWrapMode(QTextOption::WrapAnywhere);
  QTextEdit::insertFromMimeData(origen);
}

void RichTextBox::SetText(const QString& t) {
  AjustaCortes(t);
  QString plano = t;
  plano.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plano.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  setPlainText(plano);
}

int RichTextBox::SelStart() const { return textCursor().selectionStart(); }

void RichTextBox::SetSelStart(int p) {
  QTextCursor c = textCursor();
  const int fin = static_cast<int>(toPlainText().size());
  c.setPosition(std::clamp(p, 0, fin));
  setTextCursor(c);
}

int RichTextBox::SelLength() const {
  const QTextCursor c = textCursor();
  return c.selectionEnd() - c.selectionStart();
}

void RichTextBox::SetSelLength(int n) {
  QTextCursor c = textCursor();
  const int inicio = c.selectionStart();
  const int fin = static_cast<int>(toPlainText().size());
  c.setPosition(inicio);
  c.setPosition(std::clamp(inicio + std::max(0, n), 0, fin), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

QString RichTextBox::SelText() const {
  QString t = textCursor().selectedText();
  t.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return t;
}

void RichTextBox::SetMaxLength(int n) {
  maximo_ = std::max(0, n);
  RecortaAlMaximo();
}

void RichTextBox::RecortaAlMaximo() {
  if (maximo_ <= 0) return;
  const QString t = Plano();
  if (t.size() <= maximo_) return;
  recortando_ = true;
  const int cursor = textCursor().position();
  setPlainText(t.left(maximo_));
  QTextCursor c = textCursor();
  c.setPosition(std::min(cursor, maximo_));
  setTextCursor(c);
  recortando_ = false;
}

void RichTextBox::keyPressEvent(QKeyEvent* e) {
  const vbkey::Despacho d = vbkey::Despacha(this, e, KeyDown, KeyPress);
  if (d.terminado) return;
  if (d.caracter != 0) {
    if (!isReadOnly() && d.caracter >= 32) insertPlainText(QString(QChar(d.caracter)));
    e->accept();
    return;
  }
  QTextEdit::keyPressEvent(e);
}

void RichTextBox::focusInEvent(QFocusEvent* e) {
  QTextEdit::focusInEvent(e);
  if (GotFocus) GotFocus();
}

void RichTextBox::focusOutEvent(QFocusEvent* e) {
  QTextEdit::focusOutEvent(e);
  if (LostFocus) LostFocus();
}
