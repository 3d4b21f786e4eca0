#include "platform/controles/sstab.h"

#include "platform/controles/errores.h"

SSTab::SSTab(QWidget* parent, const QString& nombre) : QTabWidget(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  connect(this, &QTabWidget::currentChanged, this, [this](int actual) {
    const int previa = anterior_;
    anterior_ = actual;
    if (Click && previa >= 0 && previa != actual) Click(previa);
  });
}

QWidget* SSTab::AgregaPestana(const QString& caption) {
  auto* pagina = new QWidget(this);
  addTab(pagina, caption);
  if (anterior_ < 0) anterior_ = currentIndex();
  return pagina;
}

void SSTab::Comprueba(int i) const {
  if (i < 0 || i >= count()) vbctl::Raise(vbctl::ErrSubindice, QStringLiteral("SSTab"));
}

void SSTab::SetTab(int i) {
  Comprueba(i);
  setCurrentIndex(i);
}

bool SSTab::TabVisible(int i) const {
  Comprueba(i);
  return isTabVisible(i);
}

void SSTab::SetTabVisible(int i, bool v) {
  Comprueba(i);
  setTabVisible(i, v);
}

QString SSTab::TabCaption(int i) const {
  Comprueba(i);
  return tabText(i);
}

void SSTab::SetTabCaption(int i, const QString& caption) {
  Comprueba(i);
  setTabText(i, caption);
}
