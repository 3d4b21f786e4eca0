#include "platform/aplicacion.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <optional>

#include "platform/form.h"
#include "platform/teclas.h"

namespace {

// Platforms on which no person sees a window.
bool EsSinPantalla(const QString& plataforma) {
  return plataforma == QLatin1String("offscreen") || plataforma == QLatin1String("minimal");
}

// Whether the platforms asked for hold one without a screen.
bool PideSinPantalla(const QByteArray& pedidas) {
  for (const QByteArray& p : pedidas.split(';'))
    if (EsSinPantalla(QString::fromLatin1(p.split(':').first().trimmed()))) return true;
  return false;
}

// What ConReserva found, for the constructor: whether a platform with a
// screen was asked for, and the variable as it was.
bool gPidioPantalla = false;
std::optional<QByteArray> gVariable;
}  // namespace

int& Aplicacion::ConReserva(int& argc) {
  gVariable = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? std::optional(qgetenv("QT_QPA_PLATFORM")) : std::nullopt;
  QByteArray pedidas = gVariable.value_or(QByteArray());
  gPidioPantalla = !PideSinPantalla(pedidas);
  if (gPidioPantalla) {
    if (pedidas.trimmed().isEmpty()) pedidas = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb" : "wayland;xcb";
    qputenv("QT_QPA_PLATFORM", pedidas + ";offscreen");
  }
  return argc;
}

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(ConReserva(argc), argv) {
  setApplicationName(QStringLiteral("Zamolid"));
  // The variable as it was, for whatever the program starts.
  if (gVariable)
    qputenv("QT_QPA_PLATFORM", *gVariable);
  else
    qunsetenv("QT_QPA_PLATFORM");
  sinLaPedida_ = gPidioPantalla && EsSinPantalla(platformName());
}

void Aplicacion::CargaTraduccion() {
  auto* t = new QTranslator(this);
  if (t->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(t);
  else
    delete t;
}

namespace {

Form* FormDe(QObject* o) {
  for (QObject* p = o; p; p = p->parent())
    if (auto* f = qobject_cast<Form*>(p)) return f;
  return nullptr;
}

}  // namespace

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && receptor->isWidgetType()) {
    Form* f = FormDe(receptor);
    if (f && f->KeyPreview() && f->isEnabled()) {
      auto* k = static_cast<QKeyEvent*>(evento);
      int codigo = vbkey::Codigo(k);
      QPointer<QObject> vivo = receptor;
      if (codigo != 0 && f->PreviewKeyDown(codigo, vbkey::ShiftEstado(k->modifiers()))) return true;
      if (!vivo) return true;
      int ascii = vbkey::Ascii(k);
      if (ascii != 0 && f->PreviewKeyPress(ascii)) return true;
      if (!vivo) return true;
    }
  }
  return QApplication::notify(receptor, evento);
}

bool SinPantalla() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
  return EsSinPantalla(QGuiApplication::platformName());
}
