#pragma once
// A file or folder that cannot be written while this object lives, also for
// root, who ignores permission bits: its write permissions are taken away
// and, where that is not enough, it is made immutable (the file system's
// flag that chattr +i sets). A folder that cannot be written still lets the
// files in it be written.
//
// Both are given back when the object ends, and also when the test program
// ends without unwinding its stack (a crash, an abort, a signal that ends
// it, exit): an immutable file left behind could not even be deleted. Only
// a SIGKILL leaves them (chattr -i gives the file back then).
//
//   SinEscritura carpeta(e.Carpeta());
//   if (!carpeta.Hecho()) GTEST_SKIP() << carpeta.PorQueNo();
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
  int marca_ = -1;  // its entry among the paths to give back
  bool hecho_ = false;
};
