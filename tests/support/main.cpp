// The test programs' main: an application object like the program's own
// (key preview included) on the offscreen platform, a fixed locale, and the
// dialog libraries registered as the program registers them.
#include <gtest/gtest.h>

#include <QLocale>

#include "approval/registro_dialogos.h"
#include "platform/aplicacion.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QLocale::setDefault(QLocale::c());
  Aplicacion app(argc, argv);
  RegistraDialogosDelPrograma();
  return RUN_ALL_TESTS();
}
