// The test programs' main: an application object like the program's own
// (key preview included) on the offscreen platform, and a fixed locale.
#include <gtest/gtest.h>

#include <QLocale>

#include "platform/aplicacion.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QLocale::setDefault(QLocale::c());
  Aplicacion app(argc, argv);
  return RUN_ALL_TESTS();
}
