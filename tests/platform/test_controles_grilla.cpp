// The grid control: rows, columns, fixed cells, current cell, cell texts and
// colours, cell geometry in twips, scrolling, keyboard and mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QImage>
#include <QTest>

#include "platform/controles/msflexgrid.h"
#include "platform/form.h"
#include "platform/vb_error.h"
#include "support/errores.h"
#include "support/pintura_contada.h"

namespace {

class Grilla : public ::testing::Test {
 protected:
  void SetUp() override {
    ventana.resize(500, 300);
    grid = new MSFlexGrid(&ventana, "MSFlexGrid1");
    grid->setGeometry(10, 10, 400, 200);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
  }

  // Pixel point (in the grid's viewport) inside cell (r, c).
  QPoint PuntoDe(int r, int c) {
    grid->SetRow(r);
    grid->SetCol(c);
    const QPoint enGrilla(APixeles(grid->CellLeft()) + 4, APixeles(grid->CellTop()) + 4);
    return grid->viewport()->mapFrom(grid, enGrilla);
  }

  QColor ColorEn(int r, int c) {
    grid->SetRow(r);
    grid->SetCol(c);
    const QImage img = grid->grab().toImage();
    return img.pixelColor(APixeles(grid->CellLeft()) + APixeles(grid->CellWidth()) - 3,
                          APixeles(grid->CellTop()) + APixeles(grid->CellHeight()) - 3);
  }

  QWidget ventana;
  MSFlexGrid* grid = nullptr;
};

}  // namespace

TEST_F(Grilla, StartsWithTheDesignLayoutAndItsFirstScrollingCell) {
  EXPECT_EQ(grid->Rows(), 2);
  EXPECT_EQ(grid->Cols(), 2);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 1);
  // No header of the table widget is shown: row 0 is the header row.
  EXPECT_FALSE(grid->horizontalHeader()->isVisible());
  EXPECT_FALSE(grid->verticalHeader()->isVisible());
}

TEST_F(Grilla, ChangingRowsAndColsKeepsTheTextsThatStayInside) {
  grid->SetRows(5);
  grid->SetCols(3);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) grid->SetTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
  grid->SetRows(3);
  grid->SetCols(2);
  EXPECT_EQ(grid->TextMatrix(2, 1), "2,1");
  EXPECT_EQ(grid->TextMatrix(0, 0), "0,0");
  EXPECT_EQ(NumeroDeError([&] { grid->TextMatrix(3, 0); }), 381);
  EXPECT_EQ(NumeroDeError([&] { grid->TextMatrix(0, 2); }), 381);
  grid->SetRows(6);
  grid->SetCols(3);
  EXPECT_EQ(grid->TextMatrix(2, 1), "2,1");
  EXPECT_EQ(grid->TextMatrix(4, 0), "");
  EXPECT_EQ(grid->TextMatrix(1, 2), "");
  // A row appended the way the detail window appends them starts empty.
  grid->SetRows(grid->Rows() + 1);
  EXPECT_EQ(grid->TextMatrix(6, 0), "");
}

TEST_F(Grilla, CellsOutsideTheGridRaiseTheGridErrors) {
  grid->SetRows(3);
  grid->SetCols(3);
  EXPECT_EQ(NumeroDeError([&] { grid->SetTextMatrix(-1, 0, "x"); }), 381);
  EXPECT_EQ(NumeroDeError([&] { grid->SetTextMatrix(0, 3, "x"); }), 381);
  EXPECT_EQ(NumeroDeError([&] { grid->ColWidth(3); }), 381);
  EXPECT_EQ(NumeroDeError([&] { grid->SetColAlignment(5, 1); }), 381);
  EXPECT_EQ(NumeroDeError([&] { grid->SetRow(3); }), 30009);
  EXPECT_EQ(NumeroDeError([&] { grid->SetCol(-1); }), 30010);
  EXPECT_EQ(NumeroDeError([&] { grid->SetFixedRows(4); }), 380);
  EXPECT_EQ(NumeroDeError([&] { grid->SetRows(-1); }), 380);
  // The failed moves left the current cell where it was.
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(Grilla, TextArrayNumbersCellsRowByRow) {
  grid->SetRows(3);
  grid->SetCols(4);
  grid->SetTextArray(0, "Código");
  grid->SetTextArray(3, "Horas");
  grid->SetTextArray(6, "x");
  EXPECT_EQ(grid->TextMatrix(0, 0), "Código");
  EXPECT_EQ(grid->TextMatrix(0, 3), "Horas");
  EXPECT_EQ(grid->TextMatrix(1, 2), "x");
  EXPECT_EQ(grid->TextArray(6), "x");
  EXPECT_EQ(NumeroDeError([&] { grid->TextArray(12); }), 381);
}

TEST_F(Grilla, TextIsTheCurrentCellAndClearEmptiesEveryCell) {
  grid->SetRows(4);
  grid->SetCols(3);
  grid->SetRow(2);
  grid->SetCol(2);
  grid->SetText("hola");
  EXPECT_EQ(grid->TextMatrix(2, 2), "hola");
  grid->SetTextMatrix(0, 0, "cabecera");
  grid->SetCellBackColor(0xC0FFFF);
  grid->Clear();
  EXPECT_EQ(grid->Text(), "");
  EXPECT_EQ(grid->TextMatrix(0, 0), "");
  EXPECT_EQ(grid->CellBackColor(), 0);
  EXPECT_EQ(grid->Rows(), 4);
  EXPECT_EQ(grid->Cols(), 3);
}

TEST_F(Grilla, TheDetailWindowLayoutLeavesRowOneCurrent) {
  grid->SetRow(1);
  grid->Clear();
  grid->SetRows(2);
  grid->SetCols(4);
  grid->SetFixedRows(1);
  grid->SetFixedCols(0);
  EXPECT_EQ(grid->Row(), 1);
  // A grid with only its header row gets its first scrolling row current
  // once a row is added.
  grid->SetRows(1);
  EXPECT_EQ(grid->Row(), 0);
  grid->SetRows(3);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(Grilla, MovingTheCurrentCellRaisesLeaveCellBeforeAndEnterCellAfter) {
  grid->SetRows(5);
  grid->SetCols(3);
  std::vector<QString> vistos;
  grid->LeaveCell = [&] { vistos.push_back(QString("leave %1,%2").arg(grid->Row()).arg(grid->Col())); };
  grid->EnterCell = [&] { vistos.push_back(QString("enter %1,%2").arg(grid->Row()).arg(grid->Col())); };
  grid->SetRow(3);
  grid->SetCol(2);
  grid->SetCol(2);  // no move, no event
  ASSERT_EQ(vistos.size(), 4u);
  EXPECT_EQ(vistos[0], "leave 1,1");
  EXPECT_EQ(vistos[1], "enter 3,1");
  EXPECT_EQ(vistos[2], "leave 3,1");
  EXPECT_EQ(vistos[3], "enter 3,2");
}

TEST_F(Grilla, LeaveCellCanStoreAFloatingEditorTextInTheCellThatWasEdited) {
  grid->SetRows(4);
  grid->SetCols(3);
  QString editor = "12";
  grid->LeaveCell = [&] {
    if (!editor.isEmpty()) grid->SetText(editor);
    editor.clear();
  };
  grid->SetRow(2);
  EXPECT_EQ(grid->TextMatrix(1, 1), "12");
  EXPECT_EQ(grid->TextMatrix(2, 1), "");
}

TEST_F(Grilla, ColumnWidthsAreTwipsAndZeroHidesTheColumn) {
  grid->SetRows(3);
  grid->SetCols(4);
  grid->SetFixedCols(0);
  grid->SetColWidth(0, 1500);
  grid->SetColWidth(1, 0);
  grid->SetColWidth(2, 900);
  EXPECT_EQ(grid->ColWidth(0), 1500);
  EXPECT_EQ(grid->ColWidth(1), 0);
  EXPECT_EQ(grid->ColWidth(2), 900);
  // Widths add up as the voucher grids lay them out.
  grid->SetColWidth(0, grid->ColWidth(0) + grid->ColWidth(2));
  EXPECT_EQ(grid->ColWidth(0), 2400);
  grid->SetRow(1);
  grid->SetCol(0);
  const int izquierda0 = grid->CellLeft();
  grid->SetCol(2);
  EXPECT_EQ(grid->CellLeft(), izquierda0 + 2400);
  EXPECT_EQ(grid->CellWidth(), 900);
  grid->SetColWidth(1, -1);
  EXPECT_GT(grid->ColWidth(1), 0);
}

TEST_F(Grilla, CellGeometryIsRelativeToTheGridBelowTheFixedRow) {
  grid->SetRows(4);
  grid->SetCols(3);
  grid->SetRowHeight(0, 300);
  grid->SetRow(1);
  grid->SetCol(1);
  const int arriba = grid->CellTop();
  const int izquierda = grid->CellLeft();
  const int marco = ATwips(grid->viewport()->geometry().top());
  EXPECT_EQ(arriba, marco + 300);
  EXPECT_EQ(izquierda, ATwips(grid->viewport()->geometry().left()) + grid->ColWidth(0));
  EXPECT_EQ(grid->CellHeight(), grid->RowHeight(1));
  grid->SetRow(2);
  EXPECT_EQ(grid->CellTop(), arriba + grid->RowHeight(1));
}

TEST_F(Grilla, FixedCellsAreGreyAndStayWhileTheRestScrolls) {
  grid->SetRows(200);
  grid->SetCols(3);
  grid->SetTextMatrix(0, 1, "Cabecera");
  const QColor fijo = ColorEn(0, 1);
  const QColor comun = ColorEn(5, 1);
  EXPECT_NE(fijo, comun);
  EXPECT_EQ(comun, grid->palette().color(QPalette::Base));
  EXPECT_LT(fijo.lightness(), comun.lightness());
  grid->SetTopRow(120);
  EXPECT_EQ(grid->TopRow(), 120);
  // The header row is still drawn at the top, grey, and row 120 right below it.
  const QImage img = grid->grab().toImage();
  const QRect vp = grid->viewport()->geometry();
  EXPECT_EQ(img.pixelColor(vp.left() + grid->columnWidth(0) + 3, vp.top() + 3), fijo);
  grid->SetRow(120);
  grid->SetCol(1);
  EXPECT_EQ(grid->CellTop(), ATwips(vp.top()) + grid->RowHeight(0));
  EXPECT_EQ(grid->TopRow(), 120);
}

TEST_F(Grilla, ReadingCellGeometryScrollsTheCurrentCellIntoView) {
  grid->SetRows(300);
  grid->SetCols(3);
  int desplazamientos = 0;
  grid->Scroll = [&] { ++desplazamientos; };
  grid->SetRow(250);
  EXPECT_EQ(grid->TopRow(), 1);  // setting Row alone does not scroll
  const int arriba = grid->CellTop();
  const int alto = grid->CellHeight();
  EXPECT_LE(arriba + alto, grid->Height());
  EXPECT_GT(grid->TopRow(), 200);
  EXPECT_GT(desplazamientos, 0);
  // The editor's rule: a cell that does not fit moves the top row down.
  const int antes = grid->TopRow();
  grid->SetTopRow(grid->TopRow() + 1);
  EXPECT_EQ(grid->TopRow(), antes + 1);
}

TEST_F(Grilla, CellColoursBelongToTheCurrentCellAndZeroRestoresTheGridColour) {
  grid->SetRows(3);
  grid->SetCols(3);
  grid->SetRow(2);
  for (int c = 0; c < 3; ++c) {
    grid->SetCol(c);
    grid->SetCellBackColor(0xFF0000);  // blue
  }
  grid->SetCol(1);
  EXPECT_EQ(grid->CellBackColor(), 0xFF0000);
  EXPECT_EQ(ColorEn(2, 1), QColor(0, 0, 255));
  EXPECT_EQ(ColorEn(2, 0), QColor(0, 0, 255));
  grid->SetRow(1);
  EXPECT_EQ(grid->CellBackColor(), 0);
  grid->SetRow(2);
  grid->SetCol(1);
  grid->SetCellBackColor(0);
  EXPECT_EQ(grid->CellBackColor(), 0);
  EXPECT_EQ(ColorEn(2, 1), grid->palette().color(QPalette::Base));
  EXPECT_EQ(ColorEn(2, 2), QColor(0, 0, 255));
  grid->SetCellForeColor(0x0000FF);
  EXPECT_EQ(grid->CellForeColor(), 0x0000FF);
}

TEST_F(Grilla, TextsSetWithRedrawOffAreToldToTheViewsOnceWhenItComesBack) {
  grid->SetRows(201);
  int avisos = 0;
  QObject::connect(grid->model(), &QAbstractItemModel::dataChanged, [&] { ++avisos; });
  grid->SetRedraw(false);
  for (int r = 1; r <= 200; ++r) grid->SetTextMatrix(r, 1, QString::number(r));
  EXPECT_EQ(avisos, 0);
  EXPECT_EQ(grid->TextMatrix(150, 1), "150");
  grid->SetRedraw(true);
  EXPECT_EQ(avisos, 1);
  grid->SetTextMatrix(1, 1, "x");
  EXPECT_EQ(avisos, 2);
  QImage antes = grid->grab().toImage();
  grid->SetRedraw(false);
  grid->SetTextMatrix(1, 1, "cambiado");
  grid->SetRedraw(true);
  EXPECT_NE(grid->grab().toImage(), antes);
}

TEST_F(Grilla, ArrowKeysMoveAmongTheScrollingCellsOnly) {
  grid->SetRows(4);
  grid->SetCols(3);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Up);
  EXPECT_EQ(grid->Row(), 1);  // row 0 is fixed
  QTest::keyClick(grid, Qt::Key_Left);
  EXPECT_EQ(grid->Col(), 1);  // column 0 is fixed
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 3);
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->Col(), 2);
  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(Grilla, KeyDownSeesKeysFirstAndKeyPressGetsTheCharacters) {
  grid->SetRows(4);
  grid->SetCols(3);
  grid->setFocus();
  std::vector<int> codigos;
  std::vector<int> caracteres;
  grid->KeyDown = [&](int& KeyCode, int Shift) {
    codigos.push_back(KeyCode * 10 + Shift);
    if (KeyCode == 40) KeyCode = 0;  // the form takes the Down arrow
  };
  grid->KeyPress = [&](int& KeyAscii) { caracteres.push_back(KeyAscii); };
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 1);
  QTest::keyClick(grid, Qt::Key_F5, Qt::ShiftModifier);
  QTest::keyClick(grid, 'b');
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClick(grid, Qt::Key_Backspace);
  QTest::keyClick(grid, Qt::Key_Escape);
  // Shift itself is a key too (16, with the shift state 1).
  ASSERT_EQ(codigos.size(), 7u);
  EXPECT_EQ(codigos[0], 400);
  EXPECT_EQ(codigos[1], 161);
  EXPECT_EQ(codigos[2], 1161);
  EXPECT_EQ(codigos[3], 660);
  EXPECT_EQ(codigos[4], 130);
  EXPECT_EQ(caracteres, (std::vector<int>{'b', 13, 8, 27}));
  // Cells are never edited in place.
  EXPECT_EQ(grid->TextMatrix(1, 1), "");
  EXPECT_EQ(QApplication::focusWidget(), grid);
  EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
}

TEST_F(Grilla, ALeftClickMovesTheCurrentCellARightClickDoesNot) {
  grid->SetRows(6);
  grid->SetCols(3);
  const QPoint celda32 = PuntoDe(3, 2);
  const QPoint celda41 = PuntoDe(4, 1);
  grid->SetRow(1);
  grid->SetCol(1);
  int boton = 0;
  int filaEnMouseDown = -1;
  int x = -1;
  grid->MouseDown = [&](int Button, int, int xTw, int) {
    boton = Button;
    filaEnMouseDown = grid->Row();
    x = xTw;
  };
  int clics = 0;
  grid->Click = [&] { ++clics; };
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, celda32);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(boton, 1);
  EXPECT_EQ(filaEnMouseDown, 3);
  EXPECT_EQ(x, ATwips(grid->viewport()->mapTo(grid, celda32).x()));
  EXPECT_EQ(clics, 1);
  QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, celda41);
  EXPECT_EQ(boton, 2);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->MouseRow(), 4);
  EXPECT_EQ(grid->MouseCol(), 1);
  QTest::mouseClick(grid->viewport(), Qt::MiddleButton, {}, celda41);
  EXPECT_EQ(boton, 4);
  EXPECT_EQ(grid->Row(), 3);
}

TEST_F(Grilla, AClickOnAFixedCellLeavesTheCurrentCell) {
  grid->SetRows(4);
  grid->SetCols(3);
  grid->SetRow(2);
  grid->SetCol(2);
  const QPoint cabecera = PuntoDe(0, 1);
  grid->SetRow(2);
  grid->SetCol(2);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cabecera);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->MouseRow(), 0);
}

TEST_F(Grilla, FocusEventsReachTheForm) {
  auto* otro = new QLineEdit(&ventana);
  otro->show();
  otro->setFocus();
  int entradas = 0;
  int salidas = 0;
  grid->GotFocus = [&] { ++entradas; };
  grid->LostFocus = [&] { ++salidas; };
  grid->setFocus();
  EXPECT_EQ(salidas, 0);
  EXPECT_EQ(entradas, 1);
  otro->setFocus();
  EXPECT_EQ(salidas, 1);
}

TEST_F(Grilla, AddItemAndRemoveItemWorkOnWholeRows) {
  grid->SetRows(1);
  grid->SetCols(3);
  grid->AddItem("a\tb\tc");
  grid->AddItem("x\ty", 1);
  EXPECT_EQ(grid->Rows(), 3);
  EXPECT_EQ(grid->TextMatrix(1, 0), "x");
  EXPECT_EQ(grid->TextMatrix(1, 2), "");
  EXPECT_EQ(grid->TextMatrix(2, 2), "c");
  grid->RemoveItem(1);
  EXPECT_EQ(grid->Rows(), 2);
  EXPECT_EQ(grid->TextMatrix(1, 1), "b");
}

TEST_F(Grilla, AlignmentsFollowTheGridNumbers) {
  grid->SetRows(2);
  grid->SetCols(2);
  EXPECT_EQ(grid->ColAlignment(1), 9);
  grid->SetColAlignment(1, 4);
  EXPECT_EQ(grid->ColAlignment(1), 4);
  EXPECT_EQ(NumeroDeError([&] { grid->SetColAlignment(1, 10); }), 380);
  // A centred text sits in the middle of its cell: dark pixels on both
  // halves around the centre line.
  grid->SetColWidth(1, 3000);
  grid->SetTextMatrix(1, 1, "WWWW");
  grid->SetRow(1);
  grid->SetCol(1);
  const int x0 = APixeles(grid->CellLeft());
  const int w = APixeles(grid->CellWidth());
  const int y0 = APixeles(grid->CellTop());
  const int h = APixeles(grid->CellHeight());
  const QImage img = grid->grab().toImage();
  int izquierda = 0, derecha = 0;
  for (int x = x0; x < x0 + w; ++x)
    for (int y = y0; y < y0 + h; ++y)
      if (img.pixelColor(x, y).lightness() < 100) (x < x0 + w / 2 ? izquierda : derecha)++;
  EXPECT_GT(izquierda, 0);
  EXPECT_GT(derecha, 0);
  EXPECT_LT(std::abs(izquierda - derecha), (izquierda + derecha) / 3);
}

// A cell's text is drawn on one line, clipped to the cell: of a text as long
// as a stored remark (a megabyte) only the part that can show is laid out,
// and the cell shows what the whole text drawn shows. Each long text is
// compared with a text short enough to be drawn whole that already fills the
// cell from the side it is aligned to.
TEST_F(Grilla, OfALongTextOnlyThePartThatShowsIsLaidOut) {
  // The text repeated up to that many characters.
  const auto repite = [](const QString& base, int largo) { return base.repeated(largo / base.size() + 1).left(largo); };
  const QString palabras = repite("Rodamiento rígido de bolas 6204 2RS - ", 1000000);
  const QString acentos = repite("cafe\u0301 ", 1000000);
  const QString emoji = repite("caja 😀 ", 1000001);
  // Written right to left: the cell's left shows the text's last letters.
  const QString hebreo = QString(600, QChar(0x05D0)) + QString(600, QChar(0x05D1));
  const struct {
    const char* caso;
    int alineacion;
    QString texto;
    QString corto;
    long caracteres;  // at most laid out for the long text (0: not counted)
  } casos[] = {
      {"words, to the left", flex::AlignGeneral, palabras, palabras.left(400), 10000},
      {"combining accents", flex::AlignLeftCenter, acentos, acentos.left(400), 10000},
      {"outside the basic plane", flex::AlignLeftTop, emoji, emoji.left(400), 10000},
      // A run of characters of no width after a few letters: the part drawn
      // still reaches the cell's edge.
      {"characters of no width", flex::AlignLeftCenter, "xxxxxxxx" + QString(120, QChar(0x200B)) + palabras,
       "xxxxxxxx" + QString(120, QChar(0x200B)) + palabras.left(272), 10000},
      {"words, to the right", flex::AlignRightCenter, palabras, palabras.right(400), 10000},
      {"outside the basic plane, to the right", flex::AlignRightBottom, emoji, emoji.right(400), 10000},
      // Digits of one width: the middle shows ones to the left, twos to the right.
      {"centred", flex::AlignCenterCenter, QString(500000, u'1') + QString(500000, u'2'),
       QString(200, u'1') + QString(200, u'2'), 10000},
      {"centred, an odd length", flex::AlignCenterCenter, QString(500000, u'1') + "3" + QString(500000, u'2'),
       QString(200, u'1') + "3" + QString(200, u'2'), 10000},
      {"right to left", flex::AlignLeftCenter, hebreo, QString(400, QChar(0x05D1)), 0},
  };
  grid->SetCols(2);
  grid->SetColWidth(1, 1500);
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    grid->SetColAlignment(1, c.alineacion);
    grid->SetTextMatrix(1, 1, c.texto);
    PinturaContada contada(grid->size());
    grid->render(&contada);
    const QImage largo = grid->grab().toImage();
    EXPECT_EQ(grid->TextMatrix(1, 1), c.texto);  // kept whole
    if (c.caracteres > 0) {
      EXPECT_LE(contada.Caracteres(), c.caracteres);
    }
    EXPECT_GT(contada.Caracteres(), 0);
    grid->SetTextMatrix(1, 1, c.corto);
    EXPECT_TRUE(grid->grab().toImage() == largo);
  }
}

TEST_F(Grilla, AFloatingEditorLaidOverTheCurrentCellCoversItExactly) {
  grid->SetRows(40);
  grid->SetCols(5);
  grid->SetColWidth(4, 1500);
  auto* editor = new QLineEdit(&ventana);
  editor->hide();
  // The lot dialogs' editor: a typed key opens the box over the cell, the
  // grid getting the focus back stores its text.
  grid->KeyPress = [&](int& KeyAscii) {
    editor->setText(KeyAscii > 32 ? QString(QChar(KeyAscii)) : grid->Text());
    PosicionTwips(editor, grid->Left() + grid->CellLeft(), grid->Top() + grid->CellTop(), grid->CellWidth(),
                  grid->CellHeight());
    editor->show();
    editor->setFocus();
  };
  grid->GotFocus = [&] {
    if (!editor->isVisible()) return;
    grid->SetText(editor->text());
    editor->hide();
  };
  grid->setFocus();
  grid->SetRow(30);
  grid->SetCol(4);
  QTest::keyClick(grid, '7');
  ASSERT_TRUE(editor->isVisible());
  // The cell was scrolled into view and the box sits exactly on it.
  const QModelIndex indice = grid->model()->index(30, 4);
  const QRect celda(grid->viewport()->mapTo(&ventana, grid->visualRect(indice).topLeft()),
                    grid->visualRect(indice).size());
  EXPECT_EQ(editor->geometry().topLeft(), celda.topLeft());
  EXPECT_EQ(editor->width(), grid->columnWidth(4));
  EXPECT_EQ(editor->height(), grid->rowHeight(30));
  EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(indice)));
  QTest::keyClick(editor, Qt::Key_5);
  grid->setFocus();
  EXPECT_EQ(grid->TextMatrix(30, 4), "75");
  EXPECT_FALSE(editor->isVisible());
}

TEST_F(Grilla, TheGridWritesInItsWindowsFontAndDefaultRowsFollowIt) {
  grid->SetRows(4);
  grid->SetRowHeight(3, 600);  // a row given its own height keeps it
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPointSizeF(8.0);
  ventana.setFont(f);  // as a form's load sets it, after the grid was made
  EXPECT_EQ(QFontInfo(grid->font()).family().toStdString(), QFontInfo(f).family().toStdString());
  EXPECT_EQ(grid->font().pointSizeF(), 8.0);
  const int alto = std::max(16, QFontMetrics(f).height() + 4);
  EXPECT_EQ(grid->RowHeight(1), ATwips(alto));
  EXPECT_EQ(grid->RowHeight(3), 600);

  QFont grande = f;
  grande.setPointSizeF(16.0);
  ventana.setFont(grande);
  EXPECT_EQ(grid->font().pointSizeF(), 16.0);
  EXPECT_EQ(grid->RowHeight(1), ATwips(QFontMetrics(grande).height() + 4));
  EXPECT_EQ(grid->RowHeight(3), 600);
  // Rows added later take the new height too.
  grid->SetRows(6);
  EXPECT_EQ(grid->RowHeight(5), ATwips(QFontMetrics(grande).height() + 4));
}
