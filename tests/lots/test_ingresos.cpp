// The lot and serial dialog in entry mode, opened by
// ClsCmnCptes::PideSerieLote: one row per unit, the lot or serial typed
// into each, the fill buttons and the lists handed back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "base_lotes.h"
#include "platform/interaccion.h"

namespace {

class Ingresos : public ConLotes {
 protected:
  bool Pide(double cantidad, bool serie, bool lote, bool talle = false, const QString& serieAnt = "",
            const QString& loteAnt = "") {
    return c->PideSerieLote("BOM-CEN", cantidad, serieAnt, loteAnt, series, lotes, serie, lote, talle);
  }
  QString series = "sin tocar", lotes = "sin tocar";
};

TEST_F(Ingresos, SerialsTypedRowByRowWithThePreviousOnesInPlace) {
  QStringList item, serie, fila0;
  QString caption, etiqueta;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    caption = f.Caption();
    etiqueta = f.lblArticulo->Caption();
    fila0 = Fila(f.MSFlexGrid1, 0);
    item = Columna(f.MSFlexGrid1, ColIngresos::kItem);
    serie = Columna(f.MSFlexGrid1, ColIngresos::kNumero);
    EXPECT_EQ(f.MSFlexGrid1->ColWidth(ColIngresos::kSerie), 0);
    EXPECT_EQ(f.MSFlexGrid1->ColWidth(ColIngresos::kNumero), f.TextWidth(QString(35, 'X')));
    // Enter opens the editor with the cell's text and the caret at the end.
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_Return);
    EXPECT_TRUE(f.EditorAbierto());
    EXPECT_EQ(f.TxtEdit->Text(), "A");
    EXPECT_EQ(f.TxtEdit->cursorPosition(), 1);
    QTest::keyClicks(f.TxtEdit, "x");
    QTest::keyClick(f.TxtEdit, Qt::Key_Return);  // row 2
    // The same serial twice is refused.
    Teclea(f, "AX");
    EXPECT_TRUE(f.EditorAbierto());
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_Down);
    Teclea(f, "C-3");
    EXPECT_EQ(f.MSFlexGrid1->Row(), 3);  // stays in the last row
    EXPECT_EQ(f.MSFlexGrid1->Col(), ColIngresos::kNumero);
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(3, true, false, false, "|A|B|"));
  EXPECT_EQ(caption, "Números de Serie (Deposito: )");
  EXPECT_EQ(etiqueta, "BOM-CEN");
  EXPECT_EQ(fila0, (QStringList{"", "ITEM", "Número de Serie", ""}));
  EXPECT_EQ(item, (QStringList{"1", "2", "3"}));
  EXPECT_EQ(serie, (QStringList{"A", "B", ""}));
  EXPECT_EQ(Mensajes(), QStringList{"El Número de Serie AX ya está informado en el ítem 1"});
  EXPECT_EQ(series, "|Ax|B|C-3|");
  EXPECT_EQ(lotes, "");
}

TEST_F(Ingresos, SerialsAreNeverCopiedAndRepeatedOnesAreRefusedAtAcceptance) {
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "S1");
    // The copy button makes repeated serials: refused.
    f.MSFlexGrid1->SetRow(1);
    f.Toolbar1->Buttons()(1)->Accion()->trigger();
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kNumero), (QStringList{"S1", "S1", "S1"}));
    f.CmdAceptar->click();
    EXPECT_TRUE(f.isVisible());
    // Emptied below, the other units stay without serial.
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(3, true, false));
  EXPECT_EQ(Mensajes(), QStringList{"El Número de Serie S1 está repetido en los ítems 1 y 2"});
  EXPECT_EQ(series, "|S1|-|-|");
}

TEST_F(Ingresos, TheRepeatedSerialToldIsTheOneWhoseFirstRowComesFirst) {
  // S2 stands in rows 1 and 4 (blanks around it), S1 in rows 2 and 3 (in
  // another letter case): S2 is told first, then S1, each with its first
  // two rows.
  QStringList abierto;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    auto enFila = [&](int fila, const QString& serie) {
      f.MSFlexGrid1->SetRow(fila);
      f.MSFlexGrid1->SetCol(ColIngresos::kNumero);
      QTest::keyClick(f.MSFlexGrid1, Qt::Key_Return);
      f.TxtEdit->clear();
      QTest::keyClicks(f.TxtEdit, serie);
      QTest::keyClick(f.TxtEdit, Qt::Key_Return);
    };
    f.CmdAceptar->click();
    abierto << (f.isVisible() ? "abierto" : "cerrado");
    enFila(4, "S4");
    f.CmdAceptar->click();
    abierto << (f.isVisible() ? "abierto" : "cerrado");
    enFila(3, "S3");
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(4, true, false, false, "|S2|S1|s1| S2 |"));
  EXPECT_EQ(abierto, (QStringList{"abierto", "abierto"}));
  EXPECT_EQ(Mensajes(), (QStringList{"El Número de Serie S2 está repetido en los ítems 1 y 4",
                                     "El Número de Serie S1 está repetido en los ítems 2 y 3"}));
  EXPECT_EQ(series, "|S2|S1|S3|S4|");

  // Serials that look like the message's own placeholders are told as typed.
  for (const QString serie : {"S%1", "%2", "S%1%2%3"}) {
    SCOPED_TRACE(serie.toStdString());
    e.ui().llamadas.clear();
    AlMostrarLotes([&](FrmCargaLotesySeries& f) {
      f.CmdAceptar->click();
      Teclea(f, serie);
      QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
      Teclea(f, "Z");
      f.CmdAceptar->click();
    });
    EXPECT_TRUE(Pide(2, true, false, false, "|" + serie + "|" + serie + "|"));
    EXPECT_EQ(Mensajes(), (QStringList{"El Número de Serie " + serie + " está repetido en los ítems 1 y 2",
                                       "El Número de Serie " + serie + " ya está informado en el ítem 2"}));
    EXPECT_EQ(series, "|Z|" + serie + "|");
  }
}

TEST_F(Ingresos, ALotTypedInTheFirstRowFillsTheEmptyOnes) {
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    f.MSFlexGrid1->SetRow(3);
    Teclea(f, "L-OTRO");
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "l 2026");
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kNumero), (QStringList{"l 2026", "l 2026", "L-OTRO", "l 2026"}));
    // Column 1 (ITEM) takes no fill and opens no editor.
    f.MSFlexGrid1->SetCol(ColIngresos::kItem);
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_X);
    EXPECT_FALSE(f.EditorAbierto());
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kItem), (QStringList{"1", "2", "3", "4"}));
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
  EXPECT_TRUE(Pide(4, false, true));
  EXPECT_EQ(lotes, "|l 2026|l 2026|L-OTRO|l 2026|");
  EXPECT_EQ(series, "");
}

TEST_F(Ingresos, LotAndSerialAreTypedInTurn) {
  QStringList fila0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    fila0 = Fila(f.MSFlexGrid1, 0);
    EXPECT_EQ(f.MSFlexGrid1->ColWidth(ColIngresos::kSerie), f.TextWidth(QString(25, 'X')));
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kNumero), (QStringList{"L0", ""}));
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kSerie), (QStringList{"S0", ""}));
    Teclea(f, "L1");
    EXPECT_EQ(f.MSFlexGrid1->Col(), ColIngresos::kSerie);
    Teclea(f, "S1");
    EXPECT_EQ(f.MSFlexGrid1->Row(), 2);
    EXPECT_EQ(f.MSFlexGrid1->Col(), ColIngresos::kNumero);
    Teclea(f, "L2");
    Teclea(f, "S2");
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(2, true, true, false, "|S0|", "|L0|"));
  EXPECT_EQ(fila0, (QStringList{"", "ITEM", "Número de Lote", "Número de Serie"}));
  EXPECT_EQ(lotes, "|L1|L2|");
  EXPECT_EQ(series, "|S1|S2|");

  // The lot of the first row fills the others; a serial, never, and the
  // same serial twice is refused.
  QStringList copiados;
  e.ui().llamadas.clear();
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "L1");
    copiados = Columna(f.MSFlexGrid1, ColIngresos::kNumero);
    Teclea(f, "S1");
    f.MSFlexGrid1->SetCol(ColIngresos::kSerie);
    Teclea(f, "s1");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    Teclea(f, "S2");
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(2, true, true));
  EXPECT_EQ(copiados, (QStringList{"L1", "L1"}));
  EXPECT_EQ(Mensajes(), QStringList{"El Número de Serie s1 ya está informado en el ítem 1"});
  EXPECT_EQ(lotes, "|L1|L1|");
  EXPECT_EQ(series, "|S1|S2|");
}

TEST_F(Ingresos, SizesColoursAndSexTurnTheBothKindOff) {
  QString caption;
  QStringList fila0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    caption = f.Caption();
    fila0 = Fila(f.MSFlexGrid1, 0);
    EXPECT_FALSE(f.EsSerieYLote);
    EXPECT_FALSE(f.EsLote);
    Teclea(f, "40-AZUL-M");  // fills the other row: sizes repeat
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(2, true, true, true));
  EXPECT_EQ(caption, "Talles, Colores, Sexo (Deposito: )");
  EXPECT_EQ(fila0[2], "Número de Serie");
  EXPECT_EQ(series, "|40-AZUL-M|40-AZUL-M|");
  EXPECT_EQ(lotes, "");
}

TEST_F(Ingresos, TheRowCountFollowsTheQuantityWhateverItsSign) {
  const struct {
    double cantidad;
    int filas;
  } casos[] = {{-2, 2}, {2.6, 3}, {10000, 10000}, {-10000.4, 10000}, {0.3, 0}};
  for (const auto& caso : casos) {
    int filas = -1;
    AlMostrarLotes([&](FrmCargaLotesySeries& f) {
      filas = f.MSFlexGrid1->Rows() - 1;
      f.CmdAceptar->click();
    });
    EXPECT_TRUE(Pide(caso.cantidad, false, true));
    EXPECT_EQ(filas, caso.filas) << caso.cantidad;
  }
  EXPECT_EQ(lotes, "");  // no row, no entry: the empty list, not "|"
  // Too many units to type one by one: a message, nothing opens.
  for (const double demasiadas : {10001.0, -10000.5, 1e9}) {
    e.ui().llamadas.clear();
    EXPECT_FALSE(Pide(demasiadas, false, true, false, "", "|L1|")) << demasiadas;
    EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].startsWith("No se pueden informar de a una más de 10000 unidades"));
    EXPECT_EQ(lotes, "|L1|");
  }
  // A quantity of 0 opens nothing and answers empty lists.
  EXPECT_TRUE(Pide(0, false, true, false, "|A|", "|L1|"));
  EXPECT_EQ(lotes, "");
  EXPECT_EQ(series, "");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
}

TEST_F(Ingresos, TheListSeparatorsAreRefusedTypedPastedOrGiven) {
  const QString aviso = "caracteres | y " + U + " no pueden formar parte de un lote, una serie, un talle ni una posición";
  QString pegado;
  bool abiertoTrasPegar = false, abiertoTrasF2 = false, foco = false;
  int fila = 0, col = 0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    f.activateWindow();
    QApplication::processEvents();
    // Typed: dropped, each with the message.
    Teclea(f, "A|B");
    Teclea(f, "C" + U + "D");
    EXPECT_EQ(Columna(f.MSFlexGrid1, ColIngresos::kNumero), (QStringList{"AB", "CD", "X" + U + "Y"}));
    // As the first key on the grid it opens no editor.
    f.MSFlexGrid1->SetRow(2);
    QTest::keyClicks(f.MSFlexGrid1, "|");
    EXPECT_FALSE(f.EditorAbierto());
    // Pasted, it passes the key filter: leaving the cell and acceptance
    // refuse it, and the editor stays open.
    QApplication::clipboard()->setText("E|F");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_Return);
    f.TxtEdit->selectAll();
    QTest::keyClick(f.TxtEdit, Qt::Key_V, Qt::ControlModifier);
    pegado = f.TxtEdit->Text();
    QTest::keyClick(f.TxtEdit, Qt::Key_Return);
    abiertoTrasPegar = f.EditorAbierto();
    QTest::keyClick(f.TxtEdit, Qt::Key_F2);
    abiertoTrasF2 = f.isVisible() && f.EditorAbierto();
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    // Given in the previous list: acceptance refuses the row that holds it.
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    foco = f.MSFlexGrid1->hasFocus();
    Teclea(f, "XY");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
  EXPECT_TRUE(Pide(3, false, true, false, "", "|L1|L2|X" + U + "Y|"));
  EXPECT_EQ(pegado, "E|F");
  EXPECT_TRUE(abiertoTrasPegar);
  EXPECT_TRUE(abiertoTrasF2);
  EXPECT_EQ(fila, 3);
  EXPECT_EQ(col, ColIngresos::kNumero);
  EXPECT_TRUE(foco);
  EXPECT_EQ(Mensajes(), (QStringList{"Los " + aviso, "Los " + aviso, "Los " + aviso, "Los " + aviso, "Los " + aviso,
                                     "X" + U + "Y: los " + aviso}));
  // One entry per row.
  EXPECT_EQ(lotes, "|AB|CD|XY|");
}

TEST_F(Ingresos, CancelHandsBackThePreviousLists) {
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "NUEVO");
    f.CmdCancelar->click();
  });
  EXPECT_FALSE(Pide(2, false, true, false, "", "|L1|L1|"));
  EXPECT_EQ(lotes, "|L1|L1|");
  EXPECT_EQ(series, "");
  // An open editor's text is not stored by Escape, and Escape on the grid
  // cancels.
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    QTest::keyClicks(f.MSFlexGrid1, "N");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    EXPECT_EQ(f.MSFlexGrid1->TextMatrix(1, ColIngresos::kNumero), "L1");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_Escape);
  });
  EXPECT_FALSE(Pide(2, false, true, false, "", "|L1|L1|"));
  EXPECT_EQ(lotes, "|L1|L1|");
}

TEST_F(Ingresos, TheOpenEditorIsStoredByAcceptanceAndByAClickOnTheGrid) {
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    f.MSFlexGrid1->SetRow(2);
    QTest::keyClicks(f.MSFlexGrid1, "B");
    // A click on another cell stores the text in the cell it was typed in.
    QTest::mouseClick(f.MSFlexGrid1->viewport(), Qt::LeftButton, {},
                      f.MSFlexGrid1->visualRect(f.MSFlexGrid1->model()->index(1, ColIngresos::kNumero)).center());
    EXPECT_FALSE(f.EditorAbierto());
    EXPECT_EQ(f.MSFlexGrid1->Row(), 1);
    EXPECT_EQ(f.MSFlexGrid1->TextMatrix(2, ColIngresos::kNumero), "B");
    f.MSFlexGrid1->SetRow(3);
    QTest::keyClicks(f.MSFlexGrid1, "C");
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(3, true, false));
  EXPECT_EQ(series, "|-|B|C|");
}

}  // namespace
