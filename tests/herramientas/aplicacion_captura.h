#pragma once
// The application object of the picture tools: the program's own (with its
// translation), drawn off screen, so the tools need no display. A platform
// named in QT_QPA_PLATFORM is kept.
#include <QtGlobal>

#include "platform/aplicacion.h"

class AplicacionCaptura : public Aplicacion {
 public:
  AplicacionCaptura(int& argc, char** argv) : Aplicacion(SinPantalla(argc), argv) { CargaTraduccion(); }

 private:
  // Chooses the platform before the application is made; hands argc on.
  static int& SinPantalla(int& argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
  }
};
