// The program starts with its main window; the window's load runs the
// session start-up from the command line.
#include <QEvent>
#include <cstdio>

#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "platform/aplicacion.h"
#include "platform/programa.h"

namespace {

// For measuring the start-up (bench/): with ZAMOLID_SALIR_AL_MOSTRAR set the
// program writes "mostrada" and ends as soon as its main window is painted.
class SalidaAlMostrar : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !hecho_) {
      hecho_ = true;
      std::puts("mostrada");
      std::fflush(stdout);
      QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  bool hecho_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  Aplicacion app(argc, argv);
  app.CargaTraduccion();
  programa::FijaArgumentos(argc, argv);
  RegistraDialogosDelPrograma();
  SalidaAlMostrar salida;
  if (qEnvironmentVariableIsSet("ZAMOLID_SALIR_AL_MOSTRAR")) FrmZamolid::Global().installEventFilter(&salida);
  FrmZamolid::Global().Show();
  return app.exec();
}
