#pragma once
// A command button: Caption with "&" marking the access key (Alt + letter),
// Click, GotFocus and LostFocus. Enter or Space on the focused button
// presses it. With Cancel on, Esc pressed anywhere in its window that no
// control takes presses it.
//
//   CmdAceptar = new CommandButton(this, "&Aceptar", "CmdAceptar");
//   CmdAceptar->Click = [this] { CmdAceptar_Click(); };
#include <QPointer>
#include <QPushButton>
#include <functional>

class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CommandButton(QWidget* parent = nullptr, const QString& caption = QString(),
                         const QString& nombre = QString());

  int Index = -1;
  QString Tag;

  QString Caption() const { return text(); }
  void SetCancel(bool v);
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  std::function<void()> Click;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void VigilaVentana();
  QPointer<QWidget> ventana_;
  bool cancela_ = false;
};
