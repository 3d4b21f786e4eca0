#include "platform/controles/plexatol.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPointer>
#include <QFrame>
#include <QToolButton>

#include "platform/controles/pinturas.h"
#include "platform/teclas.h"

namespace {

struct BotonBarra {
  const char* clave;
  const char* caption;
  const char* ayuda;
  int tecla;
  pintura::Dibujo dibujo;
  bool separadorDespues;
};

const BotonBarra kBotones[] = {
    {"NUEVO", "Nuevo", "Nuevo (F3)", vbkey::F3, pintura::Nuevo, false},
    {"BORRAR", "Borrar", "Borrar (F4)", vbkey::F4, pintura::Borrar, true},
    {"REPORTE", "Reporte", "Reporte (F7)", vbkey::F7, pintura::Reporte, false},
    {"CONSULTAR", "Consultar", "Consultar (F5)", vbkey::F5, pintura::Consultar, false},
    {"PLANILLA", "Planilla", "Planilla (F6)", vbkey::F6, pintura::Planilla, true},
    {"CANCELAR", "Cancelar", "Cancelar (Esc)", vbkey::Escape, pintura::Cancelar, false},
    {"GRABAR", "Grabar", "Grabar (F2)", vbkey::F2, pintura::Grabar, true},
    {"CERRAR", "Cerrar", "Cerrar (F10)", vbkey::F10, pintura::Cerrar, false},
};

}  // namespace

Plexatol::Plexatol(QWidget* parent, const QString& nombre) : QWidget(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  auto* fila = new QHBoxLayout(this);
  fila->setContentsMargins(2, 0, 2, 0);
  fila->setSpacing(1);
  for (const BotonBarra& b : kBotones) {
    const QString clave = QString::fromLatin1(b.clave);
    auto* accion = new QAction(pintura::Icono(b.dibujo), QString::fromUtf8(b.caption), this);
    accion->setObjectName(clave);
    accion->setToolTip(QString::fromUtf8(b.ayuda));
    accion->setEnabled(false);
    connect(accion, &QAction::triggered, this, [this, clave] { Presiona(clave); });
    acciones_[clave] = accion;
    auto* boton = new QToolButton(this);
    boton->setObjectName(clave);
    boton->setDefaultAction(accion);
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setIconSize(QSize(16, 16));
    boton->setMinimumWidth(58);
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    botones_[clave] = boton;
    fila->addWidget(boton);
    if (b.separadorDespues) {
      auto* separador = new QFrame(this);
      separador->setFrameShape(QFrame::VLine);
      separador->setFrameShadow(QFrame::Sunken);
      fila->addSpacing(3);
      fila->addWidget(separador);
      fila->addSpacing(3);
    }
  }
  fila->addStretch(1);
  SetStyleBar(estilo_);
}

QStringList Plexatol::Claves() {
  QStringList claves;
  for (const BotonBarra& b : kBotones) claves << QString::fromLatin1(b.clave);
  return claves;
}

int Plexatol::TeclaDe(const QString& clave) {
  for (const BotonBarra& b : kBotones)
    if (clave.compare(QLatin1String(b.clave), Qt::CaseInsensitive) == 0) return b.tecla;
  return 0;
}

bool Plexatol::Habilitado(const QString& clave) const {
  auto it = acciones_.find(clave.toUpper());
  return it != acciones_.end() && it->second->isEnabled();
}

void Plexatol::Habilita(const QString& clave, bool v) {
  auto it = acciones_.find(clave.toUpper());
  if (it != acciones_.end()) it->second->setEnabled(v);
}

QToolButton* Plexatol::Boton(const QString& clave) const {
  auto it = botones_.find(clave.toUpper());
  return it == botones_.end() ? nullptr : it->second;
}

void Plexatol::SetStyleBar(double estilo) {
  estilo_ = estilo;
  // 0: raised three-dimensional buttons; otherwise flat tool buttons that
  // rise under the pointer.
  const bool plano = estilo != 0;
  for (const auto& [clave, boton] : botones_) boton->setAutoRaise(plano);
}

void Plexatol::EnviaTecla(int& KeyCode) {
  if (KeyCode == 0) return;
  for (const BotonBarra& b : kBotones) {
    if (b.tecla != KeyCode) continue;
    const QString clave = QString::fromLatin1(b.clave);
    if (!Habilitado(clave) || !isEnabled()) return;
    KeyCode = 0;
    Presiona(clave);
    return;
  }
}

void Plexatol::Presiona(const QString& clave) {
  if (!Habilitado(clave) || !isEnabled()) return;
  if (Click) Click(clave);
}
