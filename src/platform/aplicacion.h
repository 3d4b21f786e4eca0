#pragma once
// The program's application object: delivers every key first to the form's
// key preview (Form_KeyDown / Form_KeyPress) when the form asks for it.
#include <QApplication>

//
// Where the platform asked for (QT_QPA_PLATFORM, else the display's) cannot
// be had, the application runs offscreen instead of aborting in the
// toolkit, so the program can still say why it ends.
class Aplicacion : public QApplication {
 public:
  Aplicacion(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
  // Loads the Spanish translation of Qt's own dialogs.
  void CargaTraduccion();
  // Whether the platform asked for could not be had (no display, or one
  // that cannot be opened) and the application runs offscreen instead.
  bool SinLaPantallaPedida() const { return sinLaPedida_; }

 private:
  // Adds offscreen as the last platform to try; hands argc on.
  static int& ConReserva(int& argc);
  bool sinLaPedida_ = false;
};

// Whether there is no screen a person sees: the program runs on the
// offscreen or minimal platform, or without windows at all. A message box
// then goes to standard error instead of waiting for an answer nobody can
// give.
bool SinPantalla();
