#pragma once
// Every interaction that waits for a person goes through this seam: message
// box, input box, pop-up menu, modal show of a form, date picker and the
// common error report. The program uses real Qt dialogs; tests install a
// scripted implementation that answers from a plan and never blocks.
#include <QString>
#include <memory>

#include "platform/vb_error.h"

class QWidget;
class Form;
class MenuItem;
using Menu = MenuItem;

// Message box buttons, icons and answers, with the values the program uses.
namespace vbmsg {
enum Botones : int {
  OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5,
  Critical = 16, Question = 32, Exclamation = 48, Information = 64,
  DefaultButton2 = 256, DefaultButton3 = 512,
};
enum Respuesta : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
}  // namespace vbmsg

class Interaccion {
 public:
  virtual ~Interaccion() = default;

  // Message box; titulo empty shows the application's title. Returns one of
  // vbmsg::Respuesta.
  virtual int MsgBox(const QString& texto, int botones, const QString& titulo) = 0;
  // Input box. False when the person cancelled (the answer is then empty).
  virtual bool InputBox(const QString& texto, const QString& titulo, const QString& porDefecto,
                        QString& respuesta) = 0;
  // Pops the menu up over the owner; runs the chosen item's Click before it
  // returns. Returns without running anything when the menu is dismissed.
  virtual void PopupMenu(QWidget* dueno, Menu& menu) = 0;
  // Shows the (already loaded) form modally; returns when it is hidden or
  // unloaded.
  virtual void MuestraModal(Form& form) = 0;
  // Date picker: True with fecha = dd/mm/yyyy when a date was chosen.
  virtual bool PideFecha(QString& fecha) = 0;
  // Common error report: 3 cancel, 4 retry the statement, 5 go on.
  virtual int ReportaError(const vb::Error& e, const QString& etiqueta) = 0;
  // A notice that also goes to standard error (why the program cannot
  // start, or cannot work as asked): written there, then shown as a message
  // box with its OK button.
  virtual void AvisoAlOperador(const QString& texto, int icono, const QString& titulo);

  static Interaccion& Actual();
  // Installs a new implementation (tests); returns the previous one.
  static std::unique_ptr<Interaccion> Instala(std::unique_ptr<Interaccion> nueva);
};

// The application's title, shown on message boxes without their own.
QString TituloAplicacion();
