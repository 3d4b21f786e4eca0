#include "platform/archivo_comun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>

namespace archivo_comun {

bool AbreLectura(const QString& ruta, QFile& archivo) {
  // Opened without waiting (a pipe nobody writes to would wait for ever),
  // then looked at: only an ordinary file is read.
  const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  // Reads of an ordinary file do not wait: the flag can stay.
  if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

bool HayOtraCosa(const QString& ruta) {
  const QFileInfo fi(ruta);
  return fi.exists() && !fi.isFile();
}

}  // namespace archivo_comun
