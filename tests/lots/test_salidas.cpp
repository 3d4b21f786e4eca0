// The lot and serial dialog in consultation mode, opened by
// ClsCmnCptes::PideSerieLote_Salidas: the stock rows of an article in a
// warehouse, the quantities typed into them, the quantity check at
// acceptance and the lists handed back.
#include <gtest/gtest.h>

#include <QApplication>

#include "base_lotes.h"
#include "platform/interaccion.h"

namespace {

class Salidas : public ConLotes {
 protected:
  void SetUp() override {
    ConLotes::SetUp();
    Articulo("GRA-EP2", "KG", "grasa de litio EP2");
    Stock("GRA-EP2", "1", "L1", "", "5");
    Stock("GRA-EP2", "1", "L2", "", "8");
    Stock("GRA-EP2", "2", "L3", "", "40");   // another warehouse
    Stock("GRA-EP2", "1", "L4", "", "-2");   // nothing to take
    Stock("GRA-EP2", "1", "L5", "", "0");
    Articulo("SEN-IND", "UN", "sensor inductivo");
    Stock("SEN-IND", "1", "", "S1", "1");
    Stock("SEN-IND", "1", "", "S2", "1");
    Stock("SEN-IND", "1", "", "S3", "1");
    FilaDeGrilla(1, "GRA-EP2", "", "");
    grilla.SetRow(1);
  }

  // A request for the grease (or another article) in warehouse 1, taken
  // from the lots.
  bool Pide(double& cantidad, const QString& lotesAnt = "", const QString& cantAnt = "", bool mostrar = true,
            const QString& articulo = "GRA-EP2", long fila = -1) {
    QString deposito = "1";
    return c->PideSerieLote_Salidas(grilla, articulo, "Grasa", cantidad, lotesAnt, cantAnt, lotes, cantidades, true,
                                    false, false, &deposito, mostrar, fila);
  }

  QString lotes = "sin tocar", cantidades = "sin tocar";
};

TEST_F(Salidas, LaysOutTheStockRowsAndSpreadsTheQuantity) {
  QStringList fila0, lote, stock, cantidad;
  QString caption, etiqueta;
  bool serieOculta = false;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    caption = f.Caption();
    etiqueta = f.lblArticulo->Caption();
    fila0 = Fila(f.MSFlexGrid1, 0);
    lote = Columna(f.MSFlexGrid1, ColSalidas::kLote);
    stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
    cantidad = Columna(f.MSFlexGrid1, ColSalidas::kCantidad);
    serieOculta = f.MSFlexGrid1->ColWidth(ColSalidas::kSerie) == 0;
    EXPECT_EQ(f.MSFlexGrid1->ColWidth(ColSalidas::kLote), f.TextWidth(QString(18, 'X')));
    EXPECT_EQ(f.MSFlexGrid1->Col(), ColSalidas::kCantidad);  // typing starts in the quantity column
    f.CmdAceptar->click();
  });
  double q = 10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(caption, "Números de Lote (Deposito:    1)");
  EXPECT_EQ(etiqueta, "GRA-EP2 - Grasa");
  EXPECT_EQ(fila0, (QStringList{"LOTE", "SERIE", "CANT. STOCK", "CANT. "}));
  EXPECT_TRUE(serieOculta);
  EXPECT_EQ(lote, (QStringList{"L1", "L2", ""}));  // and a blank row for stock without lot
  EXPECT_EQ(stock, (QStringList{"5", "8", ""}));
  EXPECT_EQ(cantidad, (QStringList{"5", "5", "0"}));
  EXPECT_EQ(lotes, "|L1" + U + "|L2" + U + "|" + U + "|");
  EXPECT_EQ(cantidades, "|5|5|0|");
  EXPECT_EQ(q, 10);
  EXPECT_EQ(FrmCargaLotesySeries::Existente(), nullptr);
}

TEST_F(Salidas, QuantitiesTypedIntoTheEditorAreCheckedAndStored) {
  QStringList cantidad;
  QStringList abiertoTrasRechazo;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    MSFlexGrid* g = f.MSFlexGrid1;
    // A letter opens no quantity editor.
    QTest::keyClick(g, Qt::Key_A);
    EXPECT_FALSE(f.EditorAbierto());
    // More than the lot holds: refused, the editor stays open with its text.
    Teclea(f, "6");
    abiertoTrasRechazo << (f.EditorAbierto() ? f.TxtEdit->Text() : QString("cerrado"))
                       << g->TextMatrix(1, ColSalidas::kCantidad);
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);  // discards without checking
    EXPECT_FALSE(f.EditorAbierto());
    EXPECT_EQ(g->TextMatrix(1, ColSalidas::kCantidad), "5");
    Teclea(f, "-1");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    Teclea(f, "2,5");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    // A decimal comma is read; Enter stores the number and moves down.
    Teclea(f, "3,0");
    EXPECT_EQ(g->Row(), 2);
    Teclea(f, "7");
    EXPECT_EQ(g->Row(), 3);
    // Pasted text that is not a number is refused, and so is a number beyond
    // the range of a quantity (never stored as 0).
    for (const QString& pegado : {QString("1x"), QString("1,2,3"), QString(309, u'9')}) {
      QTest::keyClick(g, Qt::Key_1);
      f.TxtEdit->setText(pegado);
      QTest::keyClick(f.TxtEdit, Qt::Key_Return);
      abiertoTrasRechazo << (f.EditorAbierto() ? f.TxtEdit->Text().left(3) : QString("cerrado"));
      QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    }
    // The blank row takes any quantity, beyond 16 bits too; Up goes back.
    Teclea(f, "40000", Qt::Key_Up);
    EXPECT_EQ(g->TextMatrix(3, ColSalidas::kCantidad), "40000");
    EXPECT_EQ(g->Row(), 2);
    g->SetRow(3);
    Teclea(f, "0", Qt::Key_Up);
    EXPECT_EQ(g->Row(), 2);
    cantidad = Columna(g, ColSalidas::kCantidad);
    QTest::keyClick(g, Qt::Key_F2);
  });
  double q = 10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(abiertoTrasRechazo, (QStringList{"6", "5", "1x", "1,2", "999"}));
  EXPECT_EQ(Mensajes(), (QStringList{"La Cantidad supera a la cantidad disponible en Stock",
                                     "La Cantidad no puede ser Menor a Cero",
                                     "No Puede Informase Cantidades que no Sean Enteras",
                                     "La Cantidad debe ser un número", "La Cantidad debe ser un número",
                                     "La Cantidad excede el máximo admitido (Desbordamiento)"}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(cantidad, (QStringList{"3", "7", "0"}));
  EXPECT_EQ(cantidades, "|3|7|0|");
}

TEST_F(Salidas, ARefusedEditorStopsEveryWayOfStoringIt) {
  int refusals = 0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    MSFlexGrid* g = f.MSFlexGrid1;
    QTest::keyClick(g, Qt::Key_9);  // L1 holds 5
    // Aceptar, F2, a fill button and a click on another cell: each asks
    // again, and nothing moves or closes.
    f.CmdAceptar->click();
    QTest::keyClick(f.TxtEdit, Qt::Key_F2);
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(2, ColSalidas::kCantidad)).center());
    refusals = static_cast<int>(Mensajes().size());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.EditorAbierto());
    EXPECT_EQ(f.TxtEdit->Text(), "9");
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(Columna(g, ColSalidas::kCantidad), (QStringList{"5", "5", "0"}));
    // Corrected, the click stores it and moves.
    f.TxtEdit->selectAll();
    QTest::keyClicks(f.TxtEdit, "4");
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(2, ColSalidas::kCantidad)).center());
    EXPECT_FALSE(f.EditorAbierto());
    EXPECT_EQ(g->Row(), 2);
    Teclea(f, "6");
    f.CmdAceptar->click();
  });
  double q = 10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(refusals, 4);
  EXPECT_EQ(cantidades, "|4|6|0|");
}

TEST_F(Salidas, ASumAboveTheRequestIsAdjustedOrRefused) {
  // No: the dialog stays open; cancelling then hands back what was given.
  e.ui().respuestasMsgBox = {vbmsg::No};
  bool abierto = false;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "5");
    Teclea(f, "8");
    f.CmdAceptar->click();
    abierto = f.isVisible();
    f.CmdCancelar->click();
  });
  double q = 10;
  EXPECT_FALSE(Pide(q, "|L1" + U + "|", "|2|"));
  EXPECT_TRUE(abierto);
  ASSERT_EQ(Mensajes().size(), 2);
  EXPECT_EQ(Mensajes()[0], "La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de "
                           "Datos\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?");
  EXPECT_EQ(Mensajes()[1], "Debe Ajustar la suma de las cantidades a :10");
  EXPECT_EQ(lotes, "|L1" + U + "|");
  EXPECT_EQ(cantidades, "|2|");
  EXPECT_EQ(q, 10);

  // Yes: the quantity becomes the sum and is handed back.
  e.ui().llamadas.clear();
  e.ui().respuestasMsgBox = {vbmsg::Yes};
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "5");
    Teclea(f, "8");
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(q, 13);
  EXPECT_EQ(cantidades, "|5|8|0|");
}

TEST_F(Salidas, NotShownTheListsComeFromTheSpreadOrAShortStockIsTold) {
  double q = 3;
  EXPECT_TRUE(Pide(q, "", "", false));
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_EQ(cantidades, "|3|0|0|");
  // More than the stock: told, not accepted, the lists given are handed back.
  q = 20;
  EXPECT_FALSE(Pide(q, "|L1" + U + "|", "|1|", false));
  EXPECT_EQ(Mensajes(), QStringList{"El Stock es Menor a la cantidad solicitada "});
  EXPECT_EQ(lotes, "|L1" + U + "|");
  EXPECT_EQ(cantidades, "|1|");
  EXPECT_EQ(q, 20);
  EXPECT_EQ(FrmCargaLotesySeries::Existente(), nullptr);
}

TEST_F(Salidas, ReopeningALineBringsBackItsQuantities) {
  // L9 is no longer in stock: it comes back with no stock and its quantity;
  // L7, no longer in stock, took nothing and does not come back.
  QStringList lote, stock, cantidad;
  bool abierto = false;
  int fila = 0, col = 0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    lote = Columna(f.MSFlexGrid1, ColSalidas::kLote);
    stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
    cantidad = Columna(f.MSFlexGrid1, ColSalidas::kCantidad);
    // A row with no stock accepts only 0, typed or at acceptance.
    f.MSFlexGrid1->SetRow(3);
    Teclea(f, "1");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    f.MSFlexGrid1->SetRow(1);
    f.CmdAceptar->click();
    abierto = f.isVisible();
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    Teclea(f, "0");
    f.MSFlexGrid1->SetRow(2);
    Teclea(f, "2");
    f.CmdAceptar->click();
  });
  double q = 5;
  const QString anteriores = "|l1" + U + "|L9" + U + "|L7" + U + "|";
  EXPECT_TRUE(Pide(q, anteriores, "|3|2|-|"));
  EXPECT_EQ(lote, (QStringList{"L1", "L2", "L9", ""}));
  EXPECT_EQ(stock, (QStringList{"5", "8", "0", ""}));
  EXPECT_EQ(cantidad, (QStringList{"3", "", "2", ""}));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(fila, 3);
  EXPECT_EQ(col, ColSalidas::kCantidad);
  EXPECT_EQ(Mensajes(), QStringList(2, "La Cantidad supera a la cantidad disponible en Stock"));
  EXPECT_EQ(lotes, "|L1" + U + "|L2" + U + "|L9" + U + "|" + U + "|");
  EXPECT_EQ(cantidades, "|3|2|0|-|");

  // Not shown, the same lists are told and handed back as given.
  e.ui().llamadas.clear();
  EXPECT_FALSE(Pide(q, anteriores, "|3|2|-|", false));
  EXPECT_EQ(Mensajes(), QStringList{"La Cantidad supera a la cantidad disponible en Stock"});
  EXPECT_EQ(lotes, anteriores);
  EXPECT_EQ(cantidades, "|3|2|-|");
}

TEST_F(Salidas, AcceptanceChecksEveryRowAgainstItsStock) {
  // The fill button copies a quantity into lots that hold less.
  Articulo("FIL-ACE", "UN", "filtro de aceite");
  Stock("FIL-ACE", "1", "LA", "", "10");
  Stock("FIL-ACE", "1", "LB", "", "1");
  Stock("FIL-ACE", "1", "LC", "", "1");
  FilaDeGrilla(1, "FIL-ACE", "", "");
  e.ui().respuestasMsgBox = {vbmsg::Yes};
  QStringList copiado;
  bool abierto = false, foco = false;
  int fila = 0, col = 0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    f.activateWindow();
    QApplication::processEvents();
    Teclea(f, "10", Qt::Key_Up);
    f.Toolbar1->Buttons()(1)->Accion()->trigger();
    copiado = Columna(f.MSFlexGrid1, ColSalidas::kCantidad);
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    abierto = f.isVisible();
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    foco = f.MSFlexGrid1->hasFocus();
    // Emptied below the first row, the quantity fits.
    f.MSFlexGrid1->SetRow(1);
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
  QString deposito = "1", nuevos, cant;
  double q = 10;
  EXPECT_TRUE(c->PideSerieLote_Salidas(grilla, "FIL-ACE", "Filtro", q, "", "", nuevos, cant, true, false, false,
                                       &deposito));
  EXPECT_EQ(copiado, (QStringList{"10", "10", "10", "10"}));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(fila, 2);
  EXPECT_EQ(col, ColSalidas::kCantidad);
  EXPECT_TRUE(foco);
  // Refused before the sum is settled: no question about it.
  EXPECT_EQ(Mensajes(), QStringList{"La Cantidad supera a la cantidad disponible en Stock"});
  EXPECT_EQ(nuevos, "|LA" + U + "|LB" + U + "|LC" + U + "|" + U + "|");
  EXPECT_EQ(cant, "|10|-|-|-|");
  EXPECT_EQ(q, 10);
}

TEST_F(Salidas, ANegativeLineIsBrokenDownByItsSizeAndKeepsItsSign) {
  // The line carries the sign; the dialog proposes what a person could type.
  for (const bool mostrar : {true, false}) {
    QStringList propuesto;
    if (mostrar) AlMostrarLotesAnotaYAcepta(ColSalidas::kCantidad, propuesto);
    double q = -3;
    EXPECT_TRUE(Pide(q, "", "", mostrar)) << mostrar;
    if (mostrar) {
      EXPECT_EQ(propuesto, (QStringList{"3", "0", "0"}));
    }
    EXPECT_EQ(lotes, "|L1" + U + "|L2" + U + "|" + U + "|");
    EXPECT_EQ(cantidades, "|3|0|0|");
    EXPECT_EQ(q, -3);
  }
  EXPECT_TRUE(Mensajes().isEmpty());
  // A quantity the user agrees to takes the line's sign.
  e.ui().respuestasMsgBox = {vbmsg::Yes};
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    Teclea(f, "5");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
  double q = -3;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(cantidades, "|5|0|0|");
  EXPECT_EQ(q, -5);
}

TEST_F(Salidas, TwoLinesOfTheSameArticleShareTheStock) {
  // Line 1 takes 4 of L1; line 2 (being edited) took 1 of L1 before; line 3
  // is another article.
  FilaDeGrilla(1, "GRA-EP2", "|L1" + U + "|L2" + U + "|", "|4|-|");
  FilaDeGrilla(2, "GRA-EP2", "|L1" + U + "|", "|1|");
  FilaDeGrilla(3, "OTRO", "|L1" + U + "|", "|5|");
  grilla.SetRow(2);
  QStringList stock, cantidad;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
    cantidad = Columna(f.MSFlexGrid1, ColSalidas::kCantidad);
    Teclea(f, "1");  // its own quantity again: accepted
    f.CmdAceptar->click();
  });
  double q = 1;
  EXPECT_TRUE(Pide(q, "|L1" + U + "|", "|1|"));
  EXPECT_EQ(stock, (QStringList{"1", "8", ""}));
  EXPECT_EQ(cantidad, (QStringList{"1", "", ""}));
  EXPECT_TRUE(Mensajes().isEmpty());
  EXPECT_EQ(cantidades, "|1|-|-|");

  // A new line: the spread skips what the other lines took.
  FilaDeGrilla(4, "GRA-EP2", "", "");
  grilla.SetRow(4);
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
    f.CmdAceptar->click();
  });
  q = 3;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(stock, (QStringList{"0", "8", ""}));  // 5 - 4 - 1
  EXPECT_EQ(cantidades, "|0|3|0|");

  // A request for a line that is not the grid's current row: every other
  // line of the article counts, whichever row is current, the line's row
  // given or not, shown or not, and whether the line stands in the grid yet
  // (found by its own lists, not by lists that only look alike).
  struct Linea {
    const char* articulo;
    QString lotes, cantidades;
  };
  struct Caso {
    const char* nombre;
    std::vector<Linea> lineas;  // the grid's rows from row 1
    int actual;                 // the grid's current row
    long fila;                  // the row the request is given (-1: none)
    QString lotesAnt, cantAnt;  // the lists of the line asked for
    bool mostrar;
    double cantidad;
    QStringList stock;  // the stock shown (when shown)
    bool aceptado;
    QString cantidades;  // handed back (the lots: L1, L2 and the blank row, when accepted)
  };
  const QString L1 = "|L1" + U + "|", L2 = "|L2" + U + "|";
  const QString cabe = "La Cantidad supera a la cantidad disponible en Stock";
  const Caso casos[] = {
      {"hidden, no row given", {{"GRA-EP2", L1, "|5|"}, {"GRA-EP2", "", ""}}, 1, -1, "", "", false, 5, {}, true,
       "|0|5|0|"},
      {"shown, no row given", {{"GRA-EP2", L1, "|5|"}, {"GRA-EP2", "", ""}}, 1, -1, "", "", true, 5,
       {"0", "8", ""}, true, "|0|5|0|"},
      {"hidden, the row given", {{"GRA-EP2", L1, "|5|"}, {"GRA-EP2", "", ""}}, 1, 2, "", "", false, 5, {}, true,
       "|0|5|0|"},
      {"the line asked for above the current row", {{"GRA-EP2", "", ""}, {"GRA-EP2", L1, "|5|"}}, 2, -1, "", "",
       false, 5, {}, true, "|0|5|0|"},
      {"a line not yet in the grid", {{"GRA-EP2", L1, "|5|"}}, 1, -1, "", "", false, 5, {}, true, "|0|5|0|"},
      {"a line not yet in the grid, said so, with another line's lists", {{"GRA-EP2", L1, "|5|"}}, 1, 0, L1, "|5|",
       false, 5, {}, false, "|5|"},
      {"a reopened line below a line of another lot", {{"GRA-EP2", L2, "|5|"}, {"GRA-EP2", L1, "|5|"}}, 1, -1, L1,
       "|5|", false, 5, {}, true, "|5|-|-|"},
      {"a reopened line below a line of another quantity", {{"GRA-EP2", L1, "|4|"}, {"GRA-EP2", L1, "|1|"}}, 1, -1,
       L1, "|1|", true, 1, {"1", "8", ""}, true, "|1|-|-|"},
      {"the same lists on a line of another article", {{"OTRO", L1, "|5|"}, {"GRA-EP2", L1, "|5|"}}, 1, -1, L1,
       "|5|", false, 5, {}, true, "|5|-|-|"},
      {"a reopened line below a line without lists", {{"GRA-EP2", "", ""}, {"GRA-EP2", L1, "|5|"}}, 1, -1, L1,
       "|5|", false, 5, {}, true, "|5|-|-|"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    grilla.SetRows(1);
    for (size_t i = 0; i < caso.lineas.size(); ++i)
      FilaDeGrilla(static_cast<int>(i) + 1, caso.lineas[i].articulo, caso.lineas[i].lotes,
                   caso.lineas[i].cantidades);
    grilla.SetRow(caso.actual);
    e.ui().llamadas.clear();
    stock.clear();
    if (caso.mostrar) AlMostrarLotesAnotaYAcepta(ColSalidas::kStock, stock);
    q = caso.cantidad;
    EXPECT_EQ(Pide(q, caso.lotesAnt, caso.cantAnt, caso.mostrar, "GRA-EP2", caso.fila), caso.aceptado);
    EXPECT_EQ(stock, caso.stock);
    EXPECT_EQ(lotes, caso.aceptado ? "|L1" + U + "|L2" + U + "|" + U + "|" : caso.lotesAnt);
    EXPECT_EQ(cantidades, caso.cantidades);
    EXPECT_EQ(Mensajes(), caso.aceptado ? QStringList() : QStringList{cabe});
  }
}

TEST_F(Salidas, ALineReopenedWithItsOwnListsGivesThemBackUnchanged) {
  // One lot in two stock rows (two positions, or two spellings), stock
  // without lot beside a lot, and what another line took from a lot in two
  // rows: the line's own entries go back to their rows, what the other line
  // took is counted once, and accepting gives back the same lists.
  struct Fila {
    const char* lote;
    const char* cantidad;
  };
  struct Caso {
    const char* nombre;
    std::vector<Fila> stock;
    QString otrasLotes, otrasCantidades;  // the voucher's other line
    bool nueva;                           // the lists are those a new line is offered
    double cantidad;
    QStringList stockMostrado;
    QString lotes, cantidades;
  };
  const QString L1 = "L1" + U, L2 = "L2" + U;
  const Caso casos[] = {
      {"a lot at two positions", {{"L1", "3"}, {"L1", "4"}, {"L2", "5"}}, "", "", true, 5,
       {"3", "4", "5", ""}, "|" + L1 + "|" + L1 + "|" + L2 + "|" + U + "|", "|3|2|0|0|"},
      {"a lot in two letter cases", {{"L1", "3"}, {"l1", "4"}}, "", "", true, 5,
       {"3", "4", ""}, "|" + L1 + "|l1" + U + "|" + U + "|", "|3|2|0|"},
      {"stock without lot", {{"", "4"}, {"L1", "3"}}, "", "", true, 6,
       {"4", "3", ""}, "|" + U + "|" + L1 + "|" + U + "|", "|4|2|0|"},
      {"another line took 3 of the lot", {{"L1", "3"}, {"L1", "4"}, {"L2", "5"}}, "|" + L1 + "|", "|3|", true, 4,
       {"0", "4", "5", ""}, "|" + L1 + "|" + L1 + "|" + L2 + "|" + U + "|", "|0|4|0|0|"},
      {"the other line took the second row", {{"L1", "3"}, {"L1", "4"}, {"L2", "5"}},
       "|" + L1 + "|" + L1 + "|" + L2 + "|" + U + "|", "|0|4|0|0|", false, 3,
       {"3", "0", "5", ""}, "|" + L1 + "|" + L1 + "|" + L2 + "|" + U + "|", "|3|0|0|0|"},
  };
  int n = 0;
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    const QString art = QString("ART-%1").arg(++n);
    Articulo(art);
    for (const Fila& f : caso.stock) Stock(art, "1", f.lote, "", f.cantidad);
    grilla.SetRows(1);
    FilaDeGrilla(1, art, caso.otrasLotes, caso.otrasCantidades);
    FilaDeGrilla(2, art, "", "");
    grilla.SetRow(2);
    e.ui().llamadas.clear();
    double q = caso.cantidad;
    if (caso.nueva) {
      EXPECT_TRUE(Pide(q, "", "", false, art));
      EXPECT_EQ(lotes, caso.lotes);
      EXPECT_EQ(cantidades, caso.cantidades);
    }
    // Reopened, shown and accepted with F2.
    QStringList stock, cantidad;
    AlMostrarLotes([&](FrmCargaLotesySeries& f) {
      stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
      cantidad = Columna(f.MSFlexGrid1, ColSalidas::kCantidad);
      QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    });
    q = caso.cantidad;
    EXPECT_TRUE(Pide(q, caso.lotes, caso.cantidades, true, art));
    EXPECT_EQ(stock, caso.stockMostrado);
    QStringList esperada;
    c->DescomponeSerieLote(caso.cantidades, esperada);
    esperada.removeLast();
    EXPECT_EQ(cantidad, esperada);
    EXPECT_EQ(lotes, caso.lotes);
    EXPECT_EQ(cantidades, caso.cantidades);
    EXPECT_EQ(q, caso.cantidad);
    // Reopened without being shown.
    EXPECT_TRUE(Pide(q, caso.lotes, caso.cantidades, false, art));
    EXPECT_EQ(cantidades, caso.cantidades);
    EXPECT_EQ(q, caso.cantidad);
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

TEST_F(Salidas, AStockLotHoldingASeparatorIsRefusedOnlyWhenItGivesAQuantity) {
  // Lots written by another program: the rows are shown, take nothing (the
  // proposal passes them over for a clean lot further down), and are left
  // out of the lists, which stay parallel.
  Articulo("ART-SEP");
  Stock("ART-SEP", "1", "L1", "", "5");
  Stock("ART-SEP", "1", "A|B", "", "2");
  Stock("ART-SEP", "1", "C" + U + "D", "", "2");
  Stock("ART-SEP", "1", "ZZZ", "", "4");
  FilaDeGrilla(1, "ART-SEP", "", "");
  const QString lista = "|L1" + U + "|ZZZ" + U + "|" + U + "|";
  const struct {
    double cantidad;
    QString cantidades;
  } casos[] = {{3, "|3|0|0|"}, {7, "|5|2|0|"}};
  for (const auto& caso : casos) {
    for (const bool mostrar : {true, false}) {
      SCOPED_TRACE(QString("%1 %2").arg(caso.cantidad).arg(mostrar).toStdString());
      e.ui().llamadas.clear();
      QStringList lote;
      if (mostrar) AlMostrarLotesAnotaYAcepta(ColSalidas::kLote, lote);
      double q = caso.cantidad;
      EXPECT_TRUE(Pide(q, "", "", mostrar, "ART-SEP"));
      if (mostrar) {
        EXPECT_EQ(lote, (QStringList{"L1", "A|B", "C" + U + "D", "ZZZ", ""}));
      }
      EXPECT_EQ(lotes, lista);
      EXPECT_EQ(cantidades, caso.cantidades);
      EXPECT_EQ(Mensajes(), QStringList());
    }
  }
  // Reopened, the lists come back; a quantity on such a row is refused.
  bool abierto = false;
  int fila = 0;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    f.MSFlexGrid1->SetRow(2);
    Teclea(f, "1");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    abierto = f.isVisible();
    fila = f.MSFlexGrid1->Row();
    f.MSFlexGrid1->SetCol(ColSalidas::kCantidad);
    Teclea(f, "0");
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
  double q = 3;
  EXPECT_TRUE(Pide(q, lista, "|3|0|0|", true, "ART-SEP"));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(fila, 2);
  EXPECT_EQ(Mensajes(), QStringList{"A|B: los caracteres | y " + U +
                                    " no pueden formar parte de un lote, una serie, un talle ni una posición"});
  EXPECT_EQ(lotes, lista);
  EXPECT_EQ(cantidades, QString("|3|0|0|"));
}

TEST_F(Salidas, ASerialTakenOnAnotherLineIsNotOfferedAgain) {
  FilaDeGrilla(1, "SEN-IND", "|" + U + "S2|", "|1|");
  FilaDeGrilla(2, "SEN-IND", "", "");
  grilla.SetRow(2);
  QStringList serie, stock;
  bool lotesOcultos = false;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    serie = Columna(f.MSFlexGrid1, ColSalidas::kSerie);
    stock = Columna(f.MSFlexGrid1, ColSalidas::kStock);
    lotesOcultos = f.MSFlexGrid1->ColWidth(ColSalidas::kLote) == 0;
    // One serial is one unit: more is refused.
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "2");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    f.CmdAceptar->click();
  });
  QString deposito = "1", nuevos, cant;
  double q = 2;
  EXPECT_TRUE(c->PideSerieLote_Salidas(grilla, "SEN-IND", "Sensor", q, "", "", nuevos, cant, false, true, false,
                                       &deposito));
  EXPECT_TRUE(lotesOcultos);
  EXPECT_EQ(serie, (QStringList{"S1", "S2", "S3", ""}));
  EXPECT_EQ(stock, (QStringList{"1", "0", "1", ""}));
  EXPECT_EQ(Mensajes(), QStringList{"La Cantidad supera a la cantidad disponible en Stock"});
  EXPECT_EQ(nuevos, "|" + U + "S1|" + U + "S2|" + U + "S3|" + U + "|");
  EXPECT_EQ(cant, "|1|0|1|0|");

  // Reopening the line adds no phantom rows for its serials.
  QStringList filas;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    filas = Columna(f.MSFlexGrid1, ColSalidas::kSerie);
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(c->PideSerieLote_Salidas(grilla, "SEN-IND", "Sensor", q, nuevos, cant, nuevos, cant, false, true, false,
                                       &deposito));
  EXPECT_EQ(filas, (QStringList{"S1", "S2", "S3", ""}));
}

TEST_F(Salidas, CancelEscapeAndTheCloseBoxHandBackWhatWasGiven) {
  const QString antes = "|L2" + U + "|";
  const std::function<void(FrmCargaLotesySeries&)> cierres[] = {
      [](FrmCargaLotesySeries& f) {
        Teclea(f, "1");
        f.CmdCancelar->click();
      },
      [](FrmCargaLotesySeries& f) {
        Teclea(f, "1");
        QTest::keyClick(f.MSFlexGrid1, Qt::Key_Escape);
      },
      [](FrmCargaLotesySeries& f) {
        Teclea(f, "1");
        f.close();
      },
  };
  for (const auto& cierre : cierres) {
    bool oculto = false;
    AlMostrarLotes([&](FrmCargaLotesySeries& f) {
      cierre(f);
      oculto = f.isHidden();
    });
    double q = 4;
    EXPECT_FALSE(Pide(q, antes, "|4|"));
    EXPECT_TRUE(oculto);
    EXPECT_EQ(lotes, antes);
    EXPECT_EQ(cantidades, "|4|");
    EXPECT_EQ(q, 4);
    EXPECT_EQ(FrmCargaLotesySeries::Existente(), nullptr);
  }
}

TEST_F(Salidas, QuotesBlanksAndLowerCaseInCodes) {
  Articulo("ART-O'NEIL", "UN", "VÁLVULA o'neil de bronce");
  Stock("ART-O'NEIL", "1", "l'o 1", "", "6");
  FilaDeGrilla(1, "ART-O'NEIL", "", "");
  QStringList lote;
  QString caption;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    lote = Columna(f.MSFlexGrid1, ColSalidas::kLote);
    f.CmdAceptar->click();
  });
  QString deposito = "1", nuevos, cant;
  double q = 2;
  EXPECT_TRUE(c->PideSerieLote_Salidas(grilla, "ART-O'NEIL", "Válvula", q, "|L'O 1" + U + "|", "|2|", nuevos, cant,
                                       true, false, false, &deposito));
  EXPECT_EQ(lote, (QStringList{"l'o 1", ""}));  // the previous entry in other case is the same lot
  EXPECT_EQ(nuevos, "|l'o 1" + U + "|" + U + "|");
  EXPECT_EQ(cant, "|2|-|");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Salidas, AQuantityOfZeroOpensNothingAndAnEmptyWarehouseIsTheDefault) {
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = '2' WHERE CLAVE = 'DepositoDefault'");
  QString deposito;
  double q = 0;
  EXPECT_TRUE(c->PideSerieLote_Salidas(grilla, "GRA-EP2", "Grasa", q, "", "", lotes, cantidades, true, false, false,
                                       &deposito));
  EXPECT_EQ(deposito, "2");
  EXPECT_EQ(lotes, "sin tocar");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  // Without a warehouse argument the default warehouse's stock is shown.
  QStringList lote;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    lote = Columna(f.MSFlexGrid1, ColSalidas::kLote);
    f.CmdCancelar->click();
  });
  q = 1;
  c->PideSerieLote_Salidas(grilla, "GRA-EP2", "Grasa", q, "", "", lotes, cantidades, true, false, false);
  EXPECT_EQ(lote, (QStringList{"L3", ""}));
}

TEST_F(Salidas, NoStockAtAllGivesAGridOfHeadersOnly) {
  Articulo("VACIO");
  int filas = -1;
  bool abre = true;
  AlMostrarLotes([&](FrmCargaLotesySeries& f) {
    filas = f.MSFlexGrid1->Rows();
    Teclea(f, "1");
    abre = f.EditorAbierto();
    f.CmdCancelar->click();
  });
  QString deposito = "1";
  double q = 2;
  EXPECT_FALSE(c->PideSerieLote_Salidas(grilla, "VACIO", "", q, "", "", lotes, cantidades, true, false, false,
                                        &deposito));
  EXPECT_EQ(filas, 1);
  EXPECT_FALSE(abre);
}

}  // namespace
