#include "platform/cls_entorno.h"

#include <QSysInfo>

#include "platform/form.h"

ClsEntorno gEntorno;

QString ClsEntorno::NombrePC() const {
  if (!pc_.isEmpty()) return pc_;
  return QSysInfo::machineHostName();
}

QString ClsEntorno::NombreUsuario() const {
  if (!usuario_.isEmpty()) return usuario_;
  QString u = qEnvironmentVariable("USER");
  if (u.isEmpty()) u = qEnvironmentVariable("USERNAME");
  return u;
}

void ClsEntorno::FijaIdentidad(const QString& pc, const QString& usuario) {
  pc_ = pc;
  usuario_ = usuario;
}

void ClsEntorno::AplicaEstilo(Form* form) const {
  if (!form) return;
  QPalette p = form->palette();
  p.setColor(QPalette::Window, QColor(0xEC, 0xE9, 0xD8));
  form->setPalette(p);
  form->setAutoFillBackground(true);
}
