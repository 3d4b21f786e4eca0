#include "platform/interaccion_guionada.h"

#include <QPointer>
#include <stdexcept>

#include "platform/form.h"
#include "platform/menu.h"

int InteraccionGuionada::MsgBox(const QString& texto, int botones, const QString& titulo) {
  llamadas.push_back({QStringLiteral("MsgBox"), texto, titulo, botones, QString()});
  if (!respuestasMsgBox.empty()) {
    int r = respuestasMsgBox.front();
    respuestasMsgBox.pop_front();
    return r;
  }
  const int segundo = (botones & vbmsg::DefaultButton2) ? 1 : (botones & vbmsg::DefaultButton3) ? 2 : 0;
  switch (botones & 7) {
    case vbmsg::OKCancel: return segundo ? vbmsg::Cancel : vbmsg::OK;
    case vbmsg::AbortRetryIgnore: return segundo == 0 ? vbmsg::Abort : segundo == 1 ? vbmsg::Retry : vbmsg::Ignore;
    case vbmsg::YesNoCancel: return segundo == 0 ? vbmsg::Yes : segundo == 1 ? vbmsg::No : vbmsg::Cancel;
    case vbmsg::YesNo: return segundo ? vbmsg::No : vbmsg::Yes;
    case vbmsg::RetryCancel: return segundo ? vbmsg::Cancel : vbmsg::Retry;
    default: return vbmsg::OK;
  }
}

bool InteraccionGuionada::InputBox(const QString& texto, const QString& titulo, const QString& porDefecto,
                                   QString& respuesta) {
  llamadas.push_back({QStringLiteral("InputBox"), texto, titulo, 0, QString()});
  std::optional<QString> r;
  if (!respuestasInput.empty()) {
    r = respuestasInput.front();
    respuestasInput.pop_front();
  }
  respuesta = r.value_or(QString());
  return r.has_value();
}

void InteraccionGuionada::PopupMenu(QWidget*, Menu& menu) {
  llamadas.push_back({QStringLiteral("PopupMenu"), menu.Name, QString(), 0, QString()});
  if (eleccionesMenu.empty()) return;
  QString eleccion = eleccionesMenu.front();
  eleccionesMenu.pop_front();
  if (eleccion.isEmpty()) return;
  MenuItem* item = menu.BuscaPorCaption(eleccion);
  if (!item) throw std::logic_error(("El menú no tiene el elemento visible " + eleccion).toStdString());
  if (item->Enabled && item->Click) item->Click(*item);
}

void InteraccionGuionada::MuestraModal(Form& form) {
  llamadas.push_back({QStringLiteral("Modal"), form.NombreClase(), QString(), 0, QString()});
  QPointer<Form> f(&form);
  form.show();
  if (!accionesModales.empty()) {
    auto accion = std::move(accionesModales.front());
    accionesModales.pop_front();
    if (accion) accion(form);
  }
  if (f && f->isVisible()) f->hide();
}

bool InteraccionGuionada::PideFecha(QString& fecha) {
  llamadas.push_back({QStringLiteral("PideFecha"), fecha, QString(), 0, QString()});
  if (fechas.empty()) return false;
  std::optional<QString> r = fechas.front();
  fechas.pop_front();
  if (!r) return false;
  fecha = *r;
  return true;
}

int InteraccionGuionada::ReportaError(const vb::Error& e, const QString& etiqueta) {
  llamadas.push_back({QStringLiteral("Error"), e.Description, etiqueta, static_cast<int>(e.Number), e.Detail});
  if (respuestasError.empty()) return 3;
  int r = respuestasError.front();
  respuestasError.pop_front();
  return r;
}

std::vector<InteraccionGuionada::Llamada> InteraccionGuionada::De(const QString& tipo) const {
  std::vector<Llamada> r;
  for (const auto& l : llamadas)
    if (l.tipo == tipo) r.push_back(l);
  return r;
}

int InteraccionGuionada::Cuenta(const QString& tipo) const { return static_cast<int>(De(tipo).size()); }
