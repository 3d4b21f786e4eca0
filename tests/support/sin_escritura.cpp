#include "support/sin_escritura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

SinEscritura::SinEscritura(QString ruta)
    : ruta_(std::move(ruta)), esCarpeta_(QFileInfo(ruta_).isDir()), permisos_(QFile::permissions(ruta_)) {
  QFile::setPermissions(ruta_, permisos_ & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
  if (SeEscribe()) inmutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), ruta_}) == 0;
  hecho_ = !SeEscribe();
}

SinEscritura::~SinEscritura() {
  if (inmutable_) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), ruta_});
  QFile::setPermissions(ruta_, permisos_);
}

bool SinEscritura::SeEscribe() const {
  if (esCarpeta_) {
    QTemporaryFile prueba(QDir(ruta_).filePath(QStringLiteral("prueba-XXXXXX")));
    return prueba.open();
  }
  return QFile(ruta_).open(QIODevice::ReadWrite);
}

QString SinEscritura::PorQueNo() const {
  return QStringLiteral("%1 can still be written here: neither its permissions nor chattr +i hold for this user on "
                        "this file system")
      .arg(ruta_);
}
