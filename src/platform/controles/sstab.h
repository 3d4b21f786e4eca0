#pragma once
// A tab control: tabs numbered from 0, each with a caption and a visible
// state; SetTab shows a tab. A form adds its pages with
// AgregaPestana and lays its controls on them. A tab number outside the
// control raises 381.
//
//   QWidget* tareas = SSTab1->AgregaPestana("Tareas");
//   if (SSTab1->TabVisible(0)) titulo = SSTab1->TabCaption(0);
#include <QTabWidget>
#include <functional>

class SSTab : public QTabWidget {
  Q_OBJECT

 public:
  explicit SSTab(QWidget* parent = nullptr, const QString& nombre = QString());

  // Adds a tab with its (empty) page; returns the page.
  QWidget* AgregaPestana(const QString& caption);
  int Tabs() const { return count(); }
  void SetTab(int i);
  bool TabVisible(int i) const;
  void SetTabVisible(int i, bool v);
  QString TabCaption(int i) const;
  void SetTabCaption(int i, const QString& caption);

  // Raised when the tab shown changes, with the tab shown before.
  std::function<void(int PreviousTab)> Click;

 private:
  void Comprueba(int i) const;
  int anterior_ = -1;
};
