#pragma once
// Interactions answered from a plan, for tests: every call is recorded, and
// each kind of interaction takes the next planned answer (or a safe default:
// the default button, a cancelled input, a dismissed menu, a cancelled date,
// "leave the procedure" for an error report). Modal forms are shown, handed
// to the planned action (which drives their widgets) and hidden afterwards.
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/interaccion.h"

class InteraccionGuionada : public Interaccion {
 public:
  struct Llamada {
    QString tipo;    // "MsgBox", "InputBox", "PopupMenu", "Modal", "PideFecha", "Error"
    QString texto;   // message, prompt, menu name, form class, error description
    QString titulo;  // title, or the error's label
    int valor = 0;   // buttons, error number
    QString detalle; // the error's details
  };

  std::vector<Llamada> llamadas;
  std::deque<int> respuestasMsgBox;
  std::deque<std::optional<QString>> respuestasInput;   // nullopt: cancelled
  std::deque<QString> eleccionesMenu;                   // caption; "" dismisses
  std::deque<std::function<void(Form&)>> accionesModales;
  std::deque<std::optional<QString>> fechas;            // nullopt: cancelled
  std::deque<int> respuestasError;

  int MsgBox(const QString& texto, int botones, const QString& titulo) override;
  bool InputBox(const QString& texto, const QString& titulo, const QString& porDefecto, QString& respuesta) override;
  void PopupMenu(QWidget* dueno, Menu& menu) override;
  void MuestraModal(Form& form) override;
  bool PideFecha(QString& fecha) override;
  int ReportaError(const vb::Error& e, const QString& etiqueta) override;

  // The recorded calls of one kind.
  std::vector<Llamada> De(const QString& tipo) const;
  int Cuenta(const QString& tipo) const;
};
