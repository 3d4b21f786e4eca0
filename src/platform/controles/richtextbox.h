#pragma once
// A multi-line text box for plain text, as the forms use their rich text
// boxes: Text (line breaks CR LF, as the database stores them), selection,
// Locked (read only) and MaxLength (0: no limit), with the events Change,
// KeyDown, KeyPress, GotFocus and LostFocus.
//
// Lines break between words; a text holding a stretch of more than
// kTramoPorPalabras characters with nowhere to break it (one long word)
// breaks its lines anywhere, as the box takes it (SetText, a paste):
// breaking between words looks for the end of the word from every line of
// it, and a word of a megabyte would take a minute to show.
//
//   txtRtf->SetText(DatosAdicionales);
//   DatosAdicionales = txtRtf->Text();
#include <QTextEdit>
#include <functional>

class RichTextBox : public QTextEdit {
  Q_OBJECT

 public:
  explicit RichTextBox(QWidget* parent = nullptr, const QString& nombre = QString());

  static constexpr qsizetype kTramoPorPalabras = 1000;

  QString Tag;

  QString Text() const;
  void SetText(const QString& t);
  int SelStart() const;
  void SetSelStart(int p);
  int SelLength() const;
  void SetSelLength(int n);
  QString SelText() const;
  void SetLocked(bool v) { setReadOnly(v); }
  void SetMaxLength(int n);

  std::function<void()> Change;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void insertFromMimeData(const QMimeData* origen) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  QString Plano() const;
  void AjustaCortes(const QString& t);
  void RecortaAlMaximo();
  int maximo_ = 0;
  bool recortando_ = false;
};
