#include "platform/cursor_espera.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
std::atomic<int> gMostrados{0};
}  // namespace

CursorEspera::~CursorEspera() { Oculta(); }

void CursorEspera::Muestra() {
  if (mostrado_) return;
  mostrado_ = true;
  ++gMostrados;
  // Only a program with windows has a cursor to change.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CursorEspera::Oculta() {
  if (!mostrado_) return;
  mostrado_ = false;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::restoreOverrideCursor();
  --gMostrados;
}

bool CursorEspera::Visible() { return gMostrados.load() > 0; }
