#include "support/pegado.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>

void Pega(QWidget* caja, const QString& texto) {
  QApplication::clipboard()->setText(texto);
  if (QWidget* ventana = caja->window()) QApplication::setActiveWindow(ventana);
  caja->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
}
