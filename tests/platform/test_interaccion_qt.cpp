// The real dialogs where no person sees a screen (the offscreen platform the
// tests run on, as the program sets them up there): nothing is shown and
// nothing waits; every question gets its
// default or cancelling answer at once, and what the person was to read goes
// to standard error, once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <unistd.h>

#include "platform/aplicacion.h"
#include "platform/interaccion_qt.h"
#include "platform/menu.h"
#include "platform/vb_error.h"
#include "support/entorno.h"

namespace {

// What a call writes on standard error.
QString SalidaDeError(const std::function<void()>& f) {
  QTemporaryFile archivo;
  EXPECT_TRUE(archivo.open());
  std::fflush(stderr);
  const int antes = dup(2);
  dup2(archivo.handle(), 2);
  f();
  std::fflush(stderr);
  dup2(antes, 2);
  close(antes);
  archivo.seek(0);
  return QString::fromLocal8Bit(archivo.readAll());
}

}  // namespace

TEST(InteraccionSinPantalla, EveryQuestionIsAnsweredAtOnceAndWhatWasToBeReadGoesToStandardErrorOnce) {
  ASSERT_TRUE(SinPantalla());
  InteraccionQt ui(SinPantalla());
  // A dialog that is shown after all is closed again, and counted.
  int mostrados = 0;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    for (QWidget* w : {QApplication::activeModalWidget(), QApplication::activePopupWidget()})
      if (w) {
        ++mostrados;
        w->close();
      }
  });
  vigia.start(200);
  MenuItem menu("mnuPrueba", "Prueba");
  bool elegido = false;
  menu.Agrega("mnuUno", "Uno", [&](MenuItem&) { elegido = true; });
  const struct {
    const char* que;
    std::function<void()> llama;
    const char* dice;  // on standard error, once ("" nothing)
  } casos[] = {
      {"message box, its default button",
       [&] { EXPECT_EQ(ui.MsgBox("¿Seguro?", vbmsg::YesNo | vbmsg::DefaultButton2, "Pregunta"), vbmsg::No); },
       "Pregunta: ¿Seguro?"},
      {"message box, OK",
       [&] { EXPECT_EQ(ui.MsgBox("Listo", vbmsg::OKOnly, QString()), vbmsg::OK); }, "Zamolid: Listo"},
      {"notice", [&] { ui.AvisoAlOperador("No se pudo conectar", vbmsg::Critical, "Aviso al Operador"); },
       "No se pudo conectar"},
      {"error report, leaving the procedure",
       [&] { EXPECT_EQ(ui.ReportaError(vb::Error(7, "Falta memoria"), "Carga"), 3); }, "Error 7 en Carga: Falta memoria"},
      {"input box, cancelled",
       [&] {
         QString r = "antes";
         EXPECT_FALSE(ui.InputBox("Nombre", "Título", "por defecto", r));
         EXPECT_EQ(r, "");
       },
       ""},
      {"date, cancelled",
       [&] {
         QString f = "01/02/2026";
         EXPECT_FALSE(ui.PideFecha(f));
         EXPECT_EQ(f, "01/02/2026");
       },
       ""},
      {"pop-up menu, dismissed", [&] { ui.PopupMenu(nullptr, menu); }, ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.que);
    const QString salida = SalidaDeError(c.llama);
    if (*c.dice)
      EXPECT_EQ(salida.count(QString::fromUtf8(c.dice)), 1) << salida.toStdString();
    else
      EXPECT_EQ(salida, "");
  }
  EXPECT_EQ(mostrados, 0);
  EXPECT_FALSE(elegido);
}
