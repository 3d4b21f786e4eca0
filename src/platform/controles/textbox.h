#pragma once
// A text box with the members and events the program's forms use: Index in
// its control array, DataField (the name the code finds it by), Tag (the
// look-up source), MaxLength, selection, colours, and the events KeyDown,
// KeyPress, GotFocus, LostFocus and Change.
#include <QLineEdit>
#include <functional>

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent, const QString& nombre = QString(), int indice = -1);

  int Index = -1;
  QString DataField;
  QString Tag;

  QString Text() const { return text(); }
  void SetText(const QString& t);
  int MaxLength() const { return maxLength(); }
  void SetMaxLength(int n) { setMaxLength(n > 0 ? n : 32767); }
  void SetSelStart(int p);
  void SetSelLength(int n);
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  void SetBackColor(long color);
  void SetForeColor(long color);

  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void()> Change;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};
