#include "platform/cls_ini.h"

#include <ini.h>

#include <QDir>
#include <QFile>

#include "platform/programa.h"

ClsIni gIni;

namespace {

struct Busqueda {
  QString seccion, clave, valor;
  bool encontrada = false;
};

int AlLeer(void* usuario, const char* seccion, const char* nombre, const char* valor) {
  auto* b = static_cast<Busqueda*>(usuario);
  if (b->encontrada || !nombre) return 1;
  if (QString::fromLocal8Bit(seccion).compare(b->seccion, Qt::CaseInsensitive) == 0 &&
      QString::fromLocal8Bit(nombre).compare(b->clave, Qt::CaseInsensitive) == 0) {
    b->valor = QString::fromLocal8Bit(valor ? valor : "");
    b->encontrada = true;
  }
  return 1;
}

}  // namespace

QString ClsIni::LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                        const QString& porDefecto) const {
  QString ruta = QDir::isRelativePath(archivo) ? QDir(programa::Carpeta()).filePath(archivo) : archivo;
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return porDefecto;
  QByteArray contenido = f.readAll();
  contenido.replace('\0', ' ');
  Busqueda b{seccion, clave, QString(), false};
  ini_parse_string(contenido.constData(), AlLeer, &b);
  return b.encontrada ? b.valor : porDefecto;
}
