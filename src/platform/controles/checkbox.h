#pragma once
// A check box: Value 0 unticked, 1 ticked, 2 greyed; Click is raised when
// the Value changes, by the user or from code.
#include <QCheckBox>
#include <functional>

class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit CheckBox(QWidget* parent = nullptr, const QString& caption = QString(), const QString& nombre = QString())
      : QCheckBox(caption, parent) {
    if (!nombre.isEmpty()) setObjectName(nombre);
    connect(this, &QCheckBox::stateChanged, this, [this] {
      if (Click) Click();
    });
  }

  int Index = -1;
  QString Tag;

  QString Caption() const { return text(); }
  void SetCaption(const QString& c) { setText(c); }
  int Value() const {
    switch (checkState()) {
      case Qt::Checked: return 1;
      case Qt::PartiallyChecked: return 2;
      default: return 0;
    }
  }
  void SetValue(int v) {
    if (v == 2) setTristate(true);
    setCheckState(v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
  }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  std::function<void()> Click;
};
