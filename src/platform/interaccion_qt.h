#pragma once
// The interactions shown as real Qt dialogs. Where no person sees a screen
// (sinPantalla) nobody could answer one: nothing is shown, a message goes
// to standard error, and every question gets its default or cancelling
// answer at once.
#include "platform/interaccion.h"

class InteraccionQt : public Interaccion {
 public:
  explicit InteraccionQt(bool sinPantalla = false) : sinPantalla_(sinPantalla) {}
  int MsgBox(const QString& texto, int botones, const QString& titulo) override;
  bool InputBox(const QString& texto, const QString& titulo, const QString& porDefecto, QString& respuesta) override;
  void PopupMenu(QWidget* dueno, Menu& menu) override;
  void MuestraModal(Form& form) override;
  bool PideFecha(QString& fecha) override;
  int ReportaError(const vb::Error& e, const QString& etiqueta) override;
  void AvisoAlOperador(const QString& texto, int icono, const QString& titulo) override;

 private:
  bool sinPantalla_;
};
