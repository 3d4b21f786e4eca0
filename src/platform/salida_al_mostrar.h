#pragma once
// For measuring the start-up from outside (bench/): with
// ZAMOLID_SALIR_AL_MOSTRAR set, a program ends as soon as its window is
// shown, that is once the window and every control on it have been painted
// for the first time and handed to the platform. It then writes
// "mostrada: " and the window's title on standard output and ends at once,
// without taking itself apart (that is no part of the start-up).
// Header only, on Qt alone, so the benchmark's yardstick (an empty window of
// the same toolkit) ends the same way as the program.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

class SalidaAlMostrar : public QObject {
 public:
  // Watches the window when the variable is set.
  explicit SalidaAlMostrar(QWidget& ventana) : ventana_(ventana) {
    if (qEnvironmentVariableIsSet("ZAMOLID_SALIR_AL_MOSTRAR")) ventana.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !hecho_) {
      hecho_ = true;
      // The window's own paint comes first; its controls are painted and
      // the whole handed to the platform before the queued call runs.
      QMetaObject::invokeMethod(
          this,
          [this] {
            std::printf("mostrada: %s\n", qPrintable(ventana_.windowTitle()));
            std::fflush(stdout);
            std::_Exit(0);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget& ventana_;
  bool hecho_ = false;
};
