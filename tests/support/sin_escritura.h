#pragma once
// A file or folder that cannot be written while this object lives, also for
// root, who ignores permission bits: its write permissions are taken away
// and, where that is not enough, it is made immutable (chattr +i). A folder
// that cannot be written still lets the files in it be written.
//
//   SinEscritura carpeta(e.Carpeta());
//   if (!carpeta.Hecho()) GTEST_SKIP() << carpeta.PorQueNo();
#include <QFileDevice>
#include <QString>

class SinEscritura {
 public:
  explicit SinEscritura(QString ruta);
  // Gives the path back its permissions.
  ~SinEscritura();
  SinEscritura(const SinEscritura&) = delete;
  SinEscritura& operator=(const SinEscritura&) = delete;

  bool Hecho() const { return hecho_; }
  QString PorQueNo() const;

 private:
  // Whether something can be written: a new file in a folder, the file
  // itself opened for writing.
  bool SeEscribe() const;
  QString ruta_;
  bool esCarpeta_ = false;
  QFileDevice::Permissions permisos_;
  bool inmutable_ = false;
  bool hecho_ = false;
};
