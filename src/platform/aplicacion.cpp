#include "platform/aplicacion.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/form.h"
#include "platform/teclas.h"

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Zamolid"));
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
  const QString p = QGuiApplication::platformName();
  return p == QLatin1String("offscreen") || p == QLatin1String("minimal");
}
