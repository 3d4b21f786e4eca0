#include "platform/controles/commandbutton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent, const QString& caption, const QString& nombre)
    : QPushButton(caption, parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (Click) Click();
  });
}

void CommandButton::SetCancel(bool v) {
  cancela_ = v;
  VigilaVentana();
}

void CommandButton::VigilaVentana() {
  QWidget* w = window();
  if (w == this || w == ventana_) return;
  if (ventana_) ventana_->removeEventFilter(this);
  ventana_ = w;
  ventana_->installEventFilter(this);
}

bool CommandButton::eventFilter(QObject* objeto, QEvent* evento) {
  // Keys that no control of the window took reach the window itself.
  if (objeto == ventana_ && evento->type() == QEvent::KeyPress && isVisible() && isEnabled()) {
    auto* k = static_cast<QKeyEvent*>(evento);
    const bool sinModificadores = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if (sinModificadores && cancela_ && k->key() == Qt::Key_Escape) {
      click();
      return true;
    }
  }
  return QPushButton::eventFilter(objeto, evento);
}

void CommandButton::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
    click();
    e->accept();
    return;
  }
  QPushButton::keyPressEvent(e);
}

void CommandButton::focusInEvent(QFocusEvent* e) {
  QPushButton::focusInEvent(e);
  if (GotFocus) GotFocus();
}

void CommandButton::focusOutEvent(QFocusEvent* e) {
  QPushButton::focusOutEvent(e);
  if (LostFocus) LostFocus();
}
