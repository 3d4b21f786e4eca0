// Saves a picture of the main window on a demo database, after a search,
// for looking at the window without a display:
//   captura_principal SALIDA.png [CARPETA_CON_demo.db]
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "aplicacion_captura.h"
#include "ventana_demo.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: captura_principal SALIDA.png [CARPETA]\n");
    return 2;
  }
  AplicacionCaptura app(argc, argv);
  QTemporaryDir tmp;
  FrmZamolid& w = VentanaDemo(argc, argv, tmp);
  w.CmdBuscar_Click();
  app.processEvents();
  return w.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
