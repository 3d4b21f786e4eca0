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
                               "HP LaserJet Administración=\\\\ADMIN01\\LaserJet\r\n"
                               "HP LaserJet Compras=\\\\ADMIN01\\LaserJetCompras\r\n"
                               "Epson FX-890 Expedición=LPT1\r\n"
                               "Epson L3250 Taller=\\\\TALLER\\L3250\r\n"
                               "PDF=ARCHIVO\r\n")
                               .toUtf8();
  if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
    vb::Raise(vb::ErrPathNotFound, QStringLiteral("No se pudo escribir %1").arg(f.fileName()));
}

}  // namespace demo
