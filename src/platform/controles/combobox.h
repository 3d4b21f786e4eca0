#pragma once
// A drop-down combo box with an edit area (the forms' search boxes): Text,
// the list (AddItem, ListCount, ListIndex), Index in its control
// array, Tag, and the events Change (the text changed, by typing or from
// code), Click (an entry picked from the list), GotFocus, LostFocus,
// KeyDown (KeyCode 0 drops the key) and KeyPress (KeyAscii 0 drops it,
// another value types that character instead).
//
//   auto* cmb = new ComboBox(picFields, "CmbSearch", i);
//   CmbSearch.Agrega(i, cmb);
//   cmb->Change = [this, i] { CmbSearch_Change(i); };
#include <QComboBox>
#include <functional>

class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent = nullptr, const QString& nombre = QString(), int indice = -1);

  int Index = -1;
  QString Tag;
  QString DataField;

  QString Text() const { return currentText(); }
  void SetText(const QString& t);
  void AddItem(const QString& item, int index = -1);
  int ListCount() const { return count(); }
  // The picked entry, -1 for none.
  int ListIndex() const { return currentIndex(); }
  void SetListIndex(int i) { setCurrentIndex(i); }
  void SetSelStart(int p);
  void SetToolTipText(const QString& t) { setToolTip(t); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  std::function<void()> Change;
  std::function<void()> Click;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};
