// A grid laid out again once it is shown (cleared, rows and columns set
// anew, as a voucher screen does on a change of voucher type) draws only
// its own columns in the fixed row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "platform/controles/msflexgrid.h"

TEST(GrillaCabeceras, ColumnsSetOnAShownGridLeaveNoStaleHeaderCell) {
  QWidget ventana;
  ventana.resize(500, 200);
  auto* g = new MSFlexGrid(&ventana, "MSFlexGrid4");
  g->setGeometry(10, 10, 480, 180);
  ventana.show();
  g->Clear();
  g->SetRows(5);
  g->SetCols(3);
  for (int c = 0; c < 3; ++c) {
    g->SetColWidth(c, 1500);
    g->SetTextMatrix(0, c, "Titulo");
  }
  QApplication::processEvents();
  const QImage img = g->grab().toImage();
  const QColor fondo = g->palette().color(QPalette::Base);
  // Past the last column (3 x 100 pixels and the frame) the fixed row is
  // background all along: no cell and no grid line.
  int otros = 0;
  for (int x = 305; x < 470; ++x) otros += img.pixelColor(x, 8) != fondo;
  EXPECT_EQ(otros, 0);
  // The fixed row itself is drawn.
  EXPECT_NE(img.pixelColor(150, 8), fondo);
}
