// The program starts with its main window; the window's load runs the
// session start-up from the command line. Where no person can see a window,
// what the start-up says goes to standard error, and a start that cannot
// go on ends with status 1.
#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "platform/aplicacion.h"
#include "platform/interaccion_qt.h"
#include "platform/programa.h"
#include "platform/salida_al_mostrar.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
  Aplicacion app(argc, argv);
  app.CargaTraduccion();
  programa::FijaArgumentos(argc, argv);
  // Nobody can answer a dialog where no person sees the screen.
  Interaccion::Instala(std::make_unique<InteraccionQt>(SinPantalla()));
  RegistraDialogosDelPrograma();
  SalidaAlMostrar salida(FrmZamolid::Global());
  FrmZamolid::Global().Show();
  // Without the display asked for there is no window to work in: the
  // start-up has said what it had to, and the program ends.
  if (app.SinLaPantallaPedida()) {
    const QByteArray pantalla = qgetenv("DISPLAY");
    std::fprintf(stderr, "No hay pantalla en la que mostrar la ventana (%s): el programa termina.\n",
                 pantalla.isEmpty() ? "la variable DISPLAY no indica ninguna"
                                    : ("no se pudo abrir DISPLAY=" + pantalla).constData());
    return 1;
  }
  return app.exec();
}
