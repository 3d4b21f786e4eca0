// zamolid_demo_db FILE [--reportes N] [--articulos N] [--semilla N]
// Creates the embedded demo database (replacing FILE when it exists) and,
// in its folder, the printers file "PRINTERS.PRN".
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "demo_db.h"
#include "platform/vb_error.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments();
  args.removeFirst();
  if (args.isEmpty() || args.first().startsWith(QLatin1String("--"))) {
    std::fprintf(stderr, "uso: zamolid_demo_db ARCHIVO [--reportes N] [--articulos N] [--semilla N]\n");
    return 2;
  }
  const QString archivo = args.takeFirst();
  demo::Opciones o;
  while (!args.isEmpty()) {
    const QString opcion = args.takeFirst();
    bool ok = false;
    const long valor = args.isEmpty() ? 0 : args.takeFirst().toLong(&ok);
    if (!ok || valor < 0) {
      std::fprintf(stderr, "valor no válido para %s\n", qPrintable(opcion));
      return 2;
    }
    if (opcion == QLatin1String("--reportes")) o.reportes = static_cast<int>(valor);
    else if (opcion == QLatin1String("--articulos")) o.articulos = static_cast<int>(valor);
    else if (opcion == QLatin1String("--semilla")) o.semilla = static_cast<unsigned>(valor);
    else {
      std::fprintf(stderr, "opción desconocida: %s\n", qPrintable(opcion));
      return 2;
    }
  }
  try {
    demo::CreaBaseDemo(archivo, o);
    demo::CreaArchivoImpresoras(QFileInfo(archivo).absolutePath());
  } catch (const vb::Error& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.Description));
    return 1;
  }
  std::printf("Base de demostración creada: %s\n", qPrintable(archivo));
  return 0;
}
