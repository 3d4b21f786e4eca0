// Saves a picture of the main window on a demo database, after a search,
// for looking at the window without a display:
//   captura_principal SALIDA.png [CARPETA_CON_demo.db]
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "approval/frm_zamolid.h"
#include "demo_db.h"
#include "platform/aplicacion.h"
#include "platform/programa.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: captura_principal SALIDA.png [CARPETA]\n");
    return 2;
  }
  Aplicacion app(argc, argv);
  app.CargaTraduccion();
  QTemporaryDir tmp;
  const QString carpeta = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
  if (!QFile::exists(QDir(carpeta).filePath("demo.db"))) demo::CreaBaseDemo(QDir(carpeta).filePath("demo.db"));
  programa::FijaCarpeta(carpeta);
  programa::FijaLineaDeComando("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;");
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  w.CmdBuscar_Click();
  app.processEvents();
  return w.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
