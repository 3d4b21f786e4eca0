#include "platform/cursor_espera.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/espera_bloqueo.h"

namespace {
std::atomic<int> gMostrados{0};
}  // namespace

CursorEspera::~CursorEspera() { Oculta(); }

void CursorEspera::Muestra() {
  if (mostrado_) return;
  mostrado_ = true;
  // Told in words first, where something asks for it (the start-up).
  espera_bloqueo::MuestraAviso();
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
  espera_bloqueo::OcultaAviso();
}

bool CursorEspera::Visible() { return gMostrados.load() > 0; }
