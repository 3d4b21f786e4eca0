#include "support/sin_escritura.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdlib>
#include <cstring>

namespace {

// The paths whose writing is taken away, with what gives it back. Plain
// memory and system calls only, so that a signal handler can give them
// back too.
struct Marca {
  char ruta[4096];
  mode_t modo;
  volatile sig_atomic_t inmutable;
  volatile sig_atomic_t viva;
};
Marca gMarcas[8];
struct sigaction gAnteriores[NSIG];

// Sets or clears the file system's immutable flag; false when the file
// system or the user does not allow it.
bool Inmutable(const char* ruta, bool si) {
  const int fd = open(ruta, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int banderas = 0;
  bool bien = ioctl(fd, FS_IOC_GETFLAGS, &banderas) == 0;
  if (bien) {
    banderas = si ? banderas | FS_IMMUTABLE_FL : banderas & ~FS_IMMUTABLE_FL;
    bien = ioctl(fd, FS_IOC_SETFLAGS, &banderas) == 0;
  }
  close(fd);
  return bien;
}

void Devuelve(Marca& m) {
  if (!m.viva) return;
  if (m.inmutable) Inmutable(m.ruta, false);
  chmod(m.ruta, m.modo);
  m.viva = 0;
}

void DevuelveTodas() {
  for (Marca& m : gMarcas) Devuelve(m);
}

// A signal that ends the program: the paths are given back, then the
// signal does what it did before.
void AlTerminar(int senal) {
  DevuelveTodas();
  sigaction(senal, &gAnteriores[senal], nullptr);
  raise(senal);
}

void VigilaElFinal() {
  static bool vigilado = false;
  if (vigilado) return;
  vigilado = true;
  std::atexit(DevuelveTodas);
  for (int senal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    struct sigaction a {};
    a.sa_handler = AlTerminar;
    sigemptyset(&a.sa_mask);
    sigaction(senal, &a, &gAnteriores[senal]);
  }
}

}  // namespace

SinEscritura::SinEscritura(QString ruta) : ruta_(std::move(ruta)), esCarpeta_(QFileInfo(ruta_).isDir()) {
  const QByteArray nativa = QFile::encodeName(ruta_);
  struct stat st {};
  if (nativa.size() >= static_cast<qsizetype>(sizeof gMarcas[0].ruta) || stat(nativa.constData(), &st) != 0) return;
  for (int i = 0; i < static_cast<int>(std::size(gMarcas)) && marca_ < 0; ++i)
    if (!gMarcas[i].viva) marca_ = i;
  if (marca_ < 0) return;
  VigilaElFinal();
  Marca& m = gMarcas[marca_];
  std::memcpy(m.ruta, nativa.constData(), static_cast<size_t>(nativa.size()) + 1);
  m.modo = st.st_mode & 07777;
  m.inmutable = 0;
  m.viva = 1;
  chmod(m.ruta, m.modo & ~(S_IWUSR | S_IWGRP | S_IWOTH));
  if (SeEscribe()) {
    m.inmutable = 1;  // before the flag is set: a signal in between still clears it
    m.inmutable = Inmutable(m.ruta, true);
  }
  hecho_ = !SeEscribe();
}

SinEscritura::~SinEscritura() {
  if (marca_ >= 0) Devuelve(gMarcas[marca_]);
}

bool SinEscritura::SeEscribe() const {
  if (esCarpeta_) {
    QTemporaryFile prueba(QDir(ruta_).filePath(QStringLiteral("prueba-XXXXXX")));
    return prueba.open();
  }
  return QFile(ruta_).open(QIODevice::ReadWrite);
}

QString SinEscritura::PorQueNo() const {
  return QStringLiteral("%1 can still be written here: neither its permissions nor the immutable flag (chattr +i) "
                        "hold for this user on this file system")
      .arg(ruta_);
}
