// The printers file of the demo's program folder.
#include <QDir>
#include <QSaveFile>

#include "demo_db.h"
#include "platform/vb_error.h"

namespace demo {

void CreaArchivoImpresoras(const QString& carpeta) {
  QSaveFile f(QDir(carpeta).filePath(QStringLiteral("PRINTERS.PRN")));
  const QByteArray texto = QStringLiteral(
                               "[Impresoras]\r\n"
                               "Láser Administración=\\\\ADMIN01\\Laser\r\n"
                               "Láser Compras=\\\\ADMIN01\\LaserCompras\r\n"
                               "Matricial Expedición=LPT1\r\n"
                               "Chorro de Tinta Taller=\\\\TALLER\\Tinta\r\n"
                               "PDF=ARCHIVO\r\n")
                               .toUtf8();
  if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
    vb::Raise(vb::ErrPathNotFound, QStringLiteral("No se pudo escribir %1").arg(f.fileName()));
}

}  // namespace demo
