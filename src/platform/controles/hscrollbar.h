#pragma once
// A horizontal scroll bar: Value between Min and Max, moved by SmallChange
// per step; Change is raised whenever Value changes (by the user or from
// code), Scroll while the thumb is dragged.
#include <QScrollBar>
#include <functional>

class HScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit HScrollBar(QWidget* parent = nullptr, const QString& nombre = QString())
      : QScrollBar(Qt::Horizontal, parent) {
    if (!nombre.isEmpty()) setObjectName(nombre);
    setRange(0, 32767);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, [this] {
      if (Change) Change();
    });
    connect(this, &QScrollBar::sliderMoved, this, [this] {
      if (Scroll) Scroll();
    });
  }

  int Value() const { return value(); }
  void SetValue(int v) { setValue(v); }
  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  void SetMax(int v) { setMaximum(v); }
  void SetSmallChange(int v) { setSingleStep(v); }

  std::function<void()> Change;
  std::function<void()> Scroll;
};
