// The yardstick of the start-up benchmark (bench_diarios, Arranque): the
// smallest program of the program's toolkit that shows a window. An empty
// window of the main window's size, shown and ended as the program ends
// (platform/salida_al_mostrar.h) when ZAMOLID_SALIR_AL_MOSTRAR is set.
#include <QApplication>
#include <QWidget>

#include "platform/salida_al_mostrar.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget ventana;
  ventana.resize(564, 373);  // the main window's 8460 x 5595 twips
  SalidaAlMostrar salida(ventana);
  ventana.show();
  return app.exec();
}
