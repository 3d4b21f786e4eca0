// The program starts with its main window; the window's load runs the
// session start-up from the command line.
#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "platform/aplicacion.h"
#include "platform/programa.h"
#include "platform/salida_al_mostrar.h"

int main(int argc, char** argv) {
  Aplicacion app(argc, argv);
  app.CargaTraduccion();
  programa::FijaArgumentos(argc, argv);
  RegistraDialogosDelPrograma();
  SalidaAlMostrar salida(FrmZamolid::Global());
  FrmZamolid::Global().Show();
  return app.exec();
}
