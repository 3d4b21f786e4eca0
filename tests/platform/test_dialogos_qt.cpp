// The real dialogs of the interactions (message box, input box, error
// report, date picker, pop-up menu): they are drawn in the font the forms
// are drawn in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <functional>

#include "platform/cls_util.h"
#include "platform/form.h"
#include "platform/interaccion_qt.h"
#include "platform/menu.h"
#include "platform/vb_error.h"
#include "support/entorno.h"

namespace {

// The dialog the interaction shows, as it shows it: its font and that of
// the first label on it. The dialog is closed unanswered.
struct Visto {
  QFont dialogo, etiqueta;
  bool hallado = false;
};

Visto Muestra(const std::function<void()>& interaccion) {
  Visto v;
  QTimer buscador;
  QObject::connect(&buscador, &QTimer::timeout, [&] {
    QWidget* d = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    if (!d || v.hallado) return;
    v.hallado = true;
    v.dialogo = d->font();
    QLabel* etiqueta = d->findChild<QLabel*>();
    v.etiqueta = etiqueta ? etiqueta->font() : d->font();
    d->close();
  });
  buscador.start(10);
  interaccion();
  return v;
}

}  // namespace

TEST(DialogosQt, TakeTheFormsFont) {
  Form formulario(QStringLiteral("Formulario"));
  gUtil.PreparaFormulario(&formulario, false);
  const QFont fuente = formulario.font();
  InteraccionQt ui;
  MenuItem menu(QStringLiteral("MNU_Prueba"), QStringLiteral("Prueba"));
  menu.Agrega(QStringLiteral("MNU_Prueba_Ver"), QStringLiteral("Ver Detalle"));
  const struct {
    const char* dialogo;
    std::function<void()> muestra;
  } casos[] = {
      {"message box", [&] { ui.MsgBox(QStringLiteral("Texto del aviso"), vbmsg::Exclamation, QStringLiteral("Aviso")); }},
      {"input box",
       [&] {
         QString r;
         ui.InputBox(QStringLiteral("Ingrese el importe"), QStringLiteral("Carga"), QStringLiteral("1"), r);
       }},
      {"error report", [&] { ui.ReportaError(vb::Error(5, QStringLiteral("Falla de prueba")), QStringLiteral("Etiqueta")); }},
      {"date picker",
       [&] {
         QString f;
         ui.PideFecha(f);
       }},
      {"pop-up menu", [&] { ui.PopupMenu(&formulario, menu); }},
  };
  for (const auto& c : casos) {
    const Visto v = Muestra(c.muestra);
    ASSERT_TRUE(v.hallado) << c.dialogo;
    for (const QFont& f : {v.dialogo, v.etiqueta}) {
      EXPECT_EQ(f.family(), fuente.family()) << c.dialogo;
      EXPECT_EQ(f.pointSizeF(), fuente.pointSizeF()) << c.dialogo;
    }
    EXPECT_EQ(QFontInfo(v.etiqueta).family(), QFontInfo(fuente).family()) << c.dialogo;
  }
}
