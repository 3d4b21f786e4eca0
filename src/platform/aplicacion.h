#pragma once
// The program's application object: delivers every key first to the form's
// key preview (Form_KeyDown / Form_KeyPress) when the form asks for it.
#include <QApplication>

class Aplicacion : public QApplication {
 public:
  Aplicacion(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
  // Loads the Spanish translation of Qt's own dialogs.
  void CargaTraduccion();
};

// Whether there is no screen a person sees: the program runs on the
// offscreen or minimal platform, or without windows at all. A message box
// then goes to standard error instead of waiting for an answer nobody can
// give.
bool SinPantalla();
