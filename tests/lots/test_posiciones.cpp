// The position and lot dialog, opened by ClsCmnCptes::PidePosicionLote: the
// balances by position (and lot) in the line's unit, the warehouse's stock
// outside any position, previous entries, the quantities typed and the
// lists handed back.
#include <gtest/gtest.h>

#include <QApplication>

#include "base_lotes.h"
#include "platform/celdas.h"
#include "platform/interaccion.h"

namespace {

class Posiciones : public ConLotes {
 protected:
  void SetUp() override {
    ConLotes::SetUp();
    // Bearings kept by the unit, sold by the box of 12.
    Articulo("ROD-6205", "UN", "RODAMIENTO rígido de bolas");
    Equiv("ROD-6205", "CAJ", "UN", 12);
    Posicion("1", "P2", 1);
    Posicion("1", "P1", 2);
    Posicion("1", "P3", 3);
    Saldo("1", "ROD-6205", "P1", "", "UN", "4");
    Saldo("1", "ROD-6205", "P2", "", "UN", "8");
    Saldo("1", "ROD-6205", "P3", "", "UN", "0");       // nothing there
    Saldo("2", "ROD-6205", "P1", "", "UN", "50");      // another warehouse
  }
  bool Pide(double& cantidad, const QString& posAnt = "", const QString& loteAnt = "", bool posicion = true,
            bool lote = false, const QString& unidad = "UN", const QString& articulo = "ROD-6205") {
    return c->PidePosicionLote(articulo, unidad, cantidad, "1", posAnt, loteAnt, posiciones, lotes, posicion, lote);
  }
  QString posiciones = "sin tocar", lotes = "sin tocar";
};

TEST_F(Posiciones, PositionsInEntryOrderWithTheQuantitySpread) {
  QStringList fila0, posicion, unidad, disponible, cantidad;
  QString caption, etiqueta;
  int fila = 0, col = 0;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    caption = f.Caption();
    etiqueta = f.lblArticulo->Caption();
    fila0 = Fila(f.MSFlexGrid1, 0);
    posicion = Columna(f.MSFlexGrid1, ColPosiciones::kPosicion);
    unidad = Columna(f.MSFlexGrid1, ColPosiciones::kUnidad);
    disponible = Columna(f.MSFlexGrid1, ColPosiciones::kDisponible);
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    EXPECT_EQ(f.MSFlexGrid1->ColWidth(ColPosiciones::kLote), 0);
    EXPECT_EQ(f.FilaDeposito(), 0);
    f.CmdAceptar->click();
  });
  double q = 10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(caption, "Posiciones (Deposito: 1)");
  EXPECT_EQ(etiqueta, "ROD-6205");
  EXPECT_EQ(fila0, (QStringList{"POSICION", "", "UNIDAD", "DISPONIBLE", "CANT."}));
  EXPECT_EQ(posicion, (QStringList{"P2", "P1"}));
  EXPECT_EQ(unidad, (QStringList{"UN", "UN"}));
  EXPECT_EQ(disponible, (QStringList{"8", "4"}));
  EXPECT_EQ(cantidad, (QStringList{"8", "2"}));
  EXPECT_EQ(fila, 2);
  EXPECT_EQ(col, ColPosiciones::kCantidad);
  EXPECT_EQ(posiciones, "|P2*8|P1*2|");
  EXPECT_EQ(lotes, "");

  // A negative line is spread by its size and keeps its sign.
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  q = -10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(cantidad, (QStringList{"8", "2"}));
  EXPECT_EQ(posiciones, "|P2*8|P1*2|");
  EXPECT_EQ(q, -10);
}

TEST_F(Posiciones, BalancesAndTheWarehouseRowAreShownInTheLinesUnit) {
  Saldo("1", "ROD-6205", "", "", "UN", "36");  // outside any position
  QStringList posicion, disponible, cantidad;
  int deposito = 0;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    posicion = Columna(f.MSFlexGrid1, ColPosiciones::kPosicion);
    disponible = Columna(f.MSFlexGrid1, ColPosiciones::kDisponible);
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    deposito = f.FilaDeposito();
    EXPECT_GE(f.MSFlexGrid1->ColWidth(ColPosiciones::kPosicion), f.TextWidth("   DEPOSITO 1"));
    f.CmdAceptar->click();
  });
  double q = 3;
  EXPECT_TRUE(Pide(q, "", "", true, false, "CAJ"));
  EXPECT_EQ(posicion, (QStringList{"P2", "P1", "DEPOSITO 1"}));
  ASSERT_EQ(disponible.size(), 3);
  EXPECT_NEAR(NumeroCelda(disponible[0]), 8.0 / 12, 1e-9);
  EXPECT_EQ(disponible[2], "3");  // 36 units are 3 boxes
  EXPECT_EQ(deposito, 3);
  // 3 boxes: what the positions hold (in boxes), the rest from the warehouse row.
  EXPECT_NEAR(NumeroCelda(cantidad[0]) + NumeroCelda(cantidad[1]) + NumeroCelda(cantidad[2]), 3, 1e-9);
  EXPECT_TRUE(posiciones.startsWith("|P2*"));
  EXPECT_TRUE(posiciones.contains("|*"));  // the warehouse row has no position
}

TEST_F(Posiciones, PositionsAndLotsKeepTheirListsParallel) {
  Saldo("1", "ROD-6205", "P1", "LB", "UN", "5");
  Saldo("1", "ROD-6205", "P2", "LA", "UN", "3");
  Saldo("1", "ROD-6205", "", "", "UN", "2");
  QStringList fila0, lote, cantidad;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    fila0 = Fila(f.MSFlexGrid1, 0);
    lote = Columna(f.MSFlexGrid1, ColPosiciones::kLote);
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    // Only the quantity column edits; the buttons fill only there.
    f.MSFlexGrid1->SetRow(1);
    f.MSFlexGrid1->SetCol(ColPosiciones::kDisponible);
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_1);
    EXPECT_FALSE(f.EditorAbierto());
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    EXPECT_EQ(f.MSFlexGrid1->TextMatrix(2, ColPosiciones::kDisponible), "4");
    f.MSFlexGrid1->SetCol(ColPosiciones::kCantidad);
    Teclea(f, "0,00");  // a zero written with decimals takes nothing
    Teclea(f, "0");
    Teclea(f, "3");
    Teclea(f, "2");
    Teclea(f, "2");
    EXPECT_EQ(f.MSFlexGrid1->Row(), 5);
    f.CmdAceptar->click();
  });
  double q = 7;
  EXPECT_TRUE(Pide(q, "", "", true, true));
  EXPECT_EQ(fila0, (QStringList{"POSICION", "LOTE", "UNIDAD", "DISPONIBLE", "CANT."}));
  // By lot, then the position's entry order; the lot-less rows first.
  EXPECT_EQ(lote, (QStringList{"", "", "LA", "LB", ""}));
  EXPECT_EQ(cantidad, (QStringList{"7", "0", "0", "0", "0"}));
  EXPECT_EQ(posiciones, "|P2*3|P1*2|*2|");
  EXPECT_EQ(lotes, "|LA|LB||");
}

TEST_F(Posiciones, PreviousEntriesGoBackToTheirRows) {
  QStringList cantidad;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  // P9 is gone; the entry without position has no warehouse row to go to.
  double q = 5;
  EXPECT_TRUE(Pide(q, "|p1*3|P2*2|P9*1|*4|"));
  EXPECT_EQ(cantidad, (QStringList{"2", "3"}));
  EXPECT_EQ(posiciones, "|P2*2|P1*3|");

  // With stock outside any position, that entry goes to its row.
  Saldo("1", "ROD-6205", "", "", "UN", "10");
  q = 9;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  EXPECT_TRUE(Pide(q, "|p1*3|P2*2|*4|"));
  EXPECT_EQ(cantidad, (QStringList{"2", "3", "4"}));
  EXPECT_EQ(posiciones, "|P2*2|P1*3|*4|");
}

TEST_F(Posiciones, EachPreviousEntryGoesBackToTheRowOfItsPositionAndLot) {
  // A position holding two lots (11 each), shown without and with its lots,
  // and a position whose code holds the "*" that joins position and
  // quantity.
  Posicion("1", "POS", 4);
  Posicion("1", "A*1", 5);
  Saldo("1", "ROD-6205", "POS", "LA", "UN", "11");
  Saldo("1", "ROD-6205", "POS", "LB", "UN", "11");
  Saldo("1", "ROD-6205", "A*1", "", "UN", "6");
  struct Caso {
    const char* nombre;
    bool conLote;
    QString posiciones, lotes;  // the line's previous lists
    double cantidad;
    QStringList cantidades;     // the CANT. column reopened: P2, P1, A*1, POS (LA), POS (LB)
    QString devueltas = {};     // the positions accepted, when not the previous ones
  };
  const Caso casos[] = {
      {"a position of two lots, no lot column", false, "|POS*11|POS*4|", "", 15, {"", "", "", "11", "4"}},
      {"the second lot of a position", true, "|POS*4|", "|LB|", 4, {"0", "0", "0", "0", "4"}},
      {"both lots of a position", true, "|POS*11|POS*4|", "|LA|LB|", 15, {"0", "0", "0", "11", "4"}},
      {"a position code holding a star", false, "|A*1*2|", "", 2, {"", "", "2", "", ""}},
      {"two entries for one row", false, "|p1*1|P1*2|", "", 3, {"", "3", "", "", ""}, "|P1*3|"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    e.ui().llamadas.clear();
    QStringList posicion, cantidad;
    AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
      posicion = Columna(f.MSFlexGrid1, ColPosiciones::kPosicion);
      cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
      f.CmdAceptar->click();
    });
    double q = caso.cantidad;
    EXPECT_TRUE(Pide(q, caso.posiciones, caso.lotes, true, caso.conLote));
    EXPECT_EQ(posicion, (QStringList{"P2", "P1", "A*1", "POS", "POS"}));
    EXPECT_EQ(cantidad, caso.cantidades);
    EXPECT_EQ(posiciones, caso.devueltas.isEmpty() ? caso.posiciones : caso.devueltas);
    EXPECT_EQ(lotes, caso.lotes);
    EXPECT_EQ(q, caso.cantidad);
    EXPECT_EQ(Mensajes(), QStringList());
  }

  // Quantities typed into the later of two rows of one position (and lot):
  // reopened on the lists handed back, each goes back to the row it was
  // typed in, and accepting at once gives back the same lists.
  Articulo("ROD-7");
  Equiv("ROD-7", "CAJ", "UN", 12);
  Posicion("1", "Q", 6);
  Posicion("1", "R", 7);
  Saldo("1", "ROD-7", "Q", "QA", "UN", "2");
  Saldo("1", "ROD-7", "Q", "QB", "UN", "9");
  Saldo("1", "ROD-7", "R", "RL", "UN", "2");
  Saldo("1", "ROD-7", "R", "RL", "CAJ", "1");  // 12 units
  struct Tecleado {
    const char* nombre;
    bool conLote;
    double cantidad;
    QString anteriores;      // the line's previous positions
    int desde;               // the row typing starts at
    QStringList cantidades;  // typed from there: rows Q (QA), Q (QB), R (RL, UN), R (RL, CAJ)
    QString posiciones, lotes;
    QStringList reabierta = {};  // the quantities reopened, when not those typed
  };
  const Tecleado tecleados[] = {
      {"one position in two rows", false, 5, "", 1, {"0", "5"}, "|Q*0|Q*5|", ""},
      {"one position and lot in two units", true, 7, "", 1, {"0", "0", "0", "7"}, "|R*0|R*7|", "|RL|RL|"},
      {"the first row of each", true, 4, "", 1, {"2", "0", "2", "0"}, "|Q*2|R*2|", "|QA|RL|"},
      {"an empty row above", false, 5, "|R*2|", 2, {"3"}, "|Q*0|Q*3|R*2|", "", {"0", "3", "2", ""}},
  };
  for (const Tecleado& caso : tecleados) {
    SCOPED_TRACE(caso.nombre);
    e.ui().llamadas.clear();
    QStringList tecleada, reabierta;
    AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
      f.MSFlexGrid1->SetRow(caso.desde);
      for (const QString& t : caso.cantidades) Teclea(f, t);
      tecleada = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
      QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    });
    double q = caso.cantidad;
    EXPECT_TRUE(Pide(q, caso.anteriores, "", true, caso.conLote, "UN", "ROD-7"));
    EXPECT_EQ(posiciones, caso.posiciones);
    EXPECT_EQ(lotes, caso.lotes);
    AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
      reabierta = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
      QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
    });
    const QString devueltas = posiciones, suyos = lotes;
    EXPECT_TRUE(Pide(q, devueltas, suyos, true, caso.conLote, "UN", "ROD-7"));
    EXPECT_EQ(reabierta, caso.reabierta.isEmpty() ? tecleada : caso.reabierta);
    EXPECT_EQ(posiciones, caso.posiciones);
    EXPECT_EQ(lotes, caso.lotes);
    EXPECT_EQ(q, caso.cantidad);
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

TEST_F(Posiciones, APositionAndLotAreTwoPartsNotOneText) {
  // Position "A*" with lot "1" and position "A" with lot "*1" read alike
  // when joined by a "*": a reopened line goes back to its own row.
  Posicion("1", "A*", 4);
  Posicion("1", "A", 5);
  Saldo("1", "ROD-6205", "A*", "1", "UN", "6");
  Saldo("1", "ROD-6205", "A", "*1", "UN", "6");
  for (const bool deLaPrimera : {false, true}) {
    SCOPED_TRACE(deLaPrimera);
    const QString posicion = deLaPrimera ? "A" : "A*", lote = deLaPrimera ? "*1" : "1";
    QStringList posicionFila, loteFila, cantidad;
    AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
      posicionFila = Columna(f.MSFlexGrid1, ColPosiciones::kPosicion);
      loteFila = Columna(f.MSFlexGrid1, ColPosiciones::kLote);
      cantidad = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
      f.CmdAceptar->click();
    });
    double q = 5;
    EXPECT_TRUE(Pide(q, "|" + posicion + "*5|", "|" + lote + "|", true, true));
    ASSERT_EQ(loteFila.size(), 4);
    for (int r = 0; r < loteFila.size(); ++r)
      EXPECT_EQ(cantidad[r], QString(posicionFila[r] == posicion && loteFila[r] == lote ? "5" : "0")) << r;
    EXPECT_EQ(posiciones, "|" + posicion + "*5|");
    EXPECT_EQ(lotes, "|" + lote + "|");
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

TEST_F(Posiciones, TypedQuantitiesAreCheckedAgainstWhatIsAvailable) {
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.activateWindow();
    QApplication::processEvents();
    f.MSFlexGrid1->SetRow(2);
    Teclea(f, "5");  // P1 holds 4
    EXPECT_TRUE(f.EditorAbierto());
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    Teclea(f, "-1");
    QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    // Beyond the range of a quantity, or no double at all: refused, never
    // stored as 0; the editor stays open.
    const QString antes = f.MSFlexGrid1->TextMatrix(2, ColPosiciones::kCantidad);
    for (const QString& grande : {QString(20, u'9'), QString(309, u'9')}) {
      Teclea(f, grande);
      EXPECT_TRUE(f.EditorAbierto());
      EXPECT_EQ(f.MSFlexGrid1->TextMatrix(2, ColPosiciones::kCantidad), antes);
      QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
    }
    Teclea(f, "3,99995");  // kept at four decimals: 4
    // Enter in the last row moves on to Aceptar.
    EXPECT_EQ(f.MSFlexGrid1->Row(), 2);
    EXPECT_TRUE(f.CmdAceptar->hasFocus());
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "6");
    f.CmdAceptar->click();
  });
  double q = 10;
  EXPECT_TRUE(Pide(q));
  const QString desborda = "La Cantidad excede el máximo admitido (Desbordamiento)";
  EXPECT_EQ(Mensajes(), (QStringList{"No hay disponible para esa posicion", "La Cantidad no puede ser Menor a Cero",
                                     desborda, desborda}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(posiciones, "|P2*6|P1*4|");
}

TEST_F(Posiciones, AShortOrExcessSumIsSettledWithTheUser) {
  // Short, as the position request always asks: told, the dialog stays open.
  bool abierto = false;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "1");
    f.CmdAceptar->click();
    abierto = f.isVisible();
    f.CmdCancelar->click();
  });
  double q = 10;
  EXPECT_FALSE(Pide(q, "|P1*3|", "|X|"));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(Mensajes(), QStringList{"La suma de cantidades informadas es Menor a la cantidad solicitada "});
  EXPECT_EQ(posiciones, "|P1*3|");
  EXPECT_EQ(lotes, "|X|");
  EXPECT_EQ(q, 10);

  // Above: Yes adjusts the quantity, and the caller gets it.
  e.ui().respuestasMsgBox = {vbmsg::Yes};
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "8");
    Teclea(f, "4");
    f.CmdAceptar->click();
  });
  q = 10;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(q, 12);
  EXPECT_EQ(posiciones, "|P2*8|P1*4|");
}

TEST_F(Posiciones, TheFillButtonsWorkOnTheQuantityColumn) {
  QStringList copiado, blanqueado, propuesto;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.MSFlexGrid1->SetRow(1);
    Teclea(f, "1", Qt::Key_Up);
    f.Toolbar1->Buttons()(1)->Accion()->trigger();
    copiado = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.Toolbar1->Buttons()(2)->Accion()->trigger();
    blanqueado = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    // Proposing again while an edit is open stores the edit first.
    QTest::keyClicks(f.MSFlexGrid1, "3");
    f.Toolbar1->Buttons()(3)->Accion()->trigger();
    propuesto = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    EXPECT_EQ(f.MSFlexGrid1->Row(), 2);
    EXPECT_EQ(f.MSFlexGrid1->Col(), ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  double q = 9;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(copiado, (QStringList{"1", "1"}));
  EXPECT_EQ(blanqueado, (QStringList{"1", "0"}));
  EXPECT_EQ(propuesto, (QStringList{"8", "1"}));
  EXPECT_EQ(posiciones, "|P2*8|P1*1|");
}

TEST_F(Posiciones, AcceptanceRefusesARowAboveItsBalanceOrWithASeparator) {
  // The fill button copies a quantity into a position that holds less.
  QStringList copiado;
  bool abierto = false;
  int fila = 0, col = 0;
  e.ui().respuestasMsgBox = {vbmsg::Yes};
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.MSFlexGrid1->SetRow(1);
    f.Toolbar1->Buttons()(1)->Accion()->trigger();
    copiado = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
    abierto = f.isVisible();
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    f.Toolbar1->Buttons()(3)->Accion()->trigger();
    f.CmdAceptar->click();
  });
  double q = 9;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(copiado, (QStringList{"8", "8"}));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(fila, 2);
  EXPECT_EQ(col, ColPosiciones::kCantidad);
  EXPECT_EQ(Mensajes(), QStringList{"No hay disponible para esa posicion"});
  EXPECT_EQ(posiciones, "|P2*8|P1*1|");
  EXPECT_EQ(q, 9);

  // A stored position holding the list separator: the proposal passes it
  // over for a clean position further down, and it is left out when it
  // gives nothing; a quantity typed into it is refused.
  Posicion("1", "P|9", 4);
  Saldo("1", "ROD-6205", "P|9", "", "UN", "5");
  Posicion("1", "P4", 5);
  Saldo("1", "ROD-6205", "P4", "", "UN", "5");
  e.ui().llamadas.clear();
  QStringList propuesto, repropuesto;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    propuesto = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.Toolbar1->Buttons()(3)->Accion()->trigger();
    repropuesto = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  q = 13;
  EXPECT_TRUE(Pide(q));
  EXPECT_EQ(propuesto, (QStringList{"8", "4", "", "1"}));
  EXPECT_EQ(repropuesto, (QStringList{"8", "4", "0", "1"}));
  EXPECT_EQ(posiciones, "|P2*8|P1*4|P4*1|");
  EXPECT_EQ(Mensajes(), QStringList());
  // Alone in the grid, it takes nothing either.
  Articulo("ROD-SEP");
  Saldo("1", "ROD-SEP", "P|9", "", "UN", "5");
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    propuesto = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdCancelar->click();
  });
  q = 3;
  EXPECT_FALSE(Pide(q, "", "", true, false, "UN", "ROD-SEP"));
  EXPECT_EQ(propuesto, QStringList{""});
  // The warehouse row names no position: a separator in the warehouse's
  // code does not stop it.
  Saldo("9|", "ROD-6205", "", "", "UN", "5");
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    propuesto = Columna(f.MSFlexGrid1, ColPosiciones::kCantidad);
    f.CmdAceptar->click();
  });
  q = 2;
  EXPECT_TRUE(c->PidePosicionLote("ROD-6205", "UN", q, "9|", "", "", posiciones, lotes));
  EXPECT_EQ(propuesto, QStringList{"2"});
  EXPECT_EQ(posiciones, "|*2|");
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    f.MSFlexGrid1->SetRow(3);
    Teclea(f, "1");
    f.CmdAceptar->click();
    abierto = f.isVisible();
    fila = f.MSFlexGrid1->Row();
    col = f.MSFlexGrid1->Col();
    f.CmdCancelar->click();
  });
  q = 13;
  EXPECT_FALSE(Pide(q));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(fila, 3);
  EXPECT_EQ(col, ColPosiciones::kPosicion);
  EXPECT_EQ(Mensajes(), QStringList{"P|9: los caracteres | y " + U +
                                    " no pueden formar parte de un lote, una serie, un talle ni una posición"});
  EXPECT_EQ(posiciones, "");
}

TEST_F(Posiciones, ADialogOfLotsOnlyHandsBackThePreviousLists) {
  QString caption;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    caption = f.Caption();
    f.CmdAceptar->click();
  });
  double q = 3;
  EXPECT_TRUE(Pide(q, "|P1*3|", "|L1|", false, true));
  EXPECT_EQ(caption, "Números de Lote (Deposito: 1)");
  EXPECT_EQ(posiciones, "|P1*3|");
  EXPECT_EQ(lotes, "|L1|");
  // Nothing anywhere: no rows; a quantity of 0 opens nothing.
  int filas = -1;
  AlMostrarPosiciones([&](FrmLoteyPosicion& f) {
    filas = f.MSFlexGrid1->Rows();
    f.close();
  });
  q = 2;
  EXPECT_FALSE(c->PidePosicionLote("NADA", "UN", q, "1", "", "", posiciones, lotes));
  EXPECT_EQ(filas, 1);
  EXPECT_EQ(posiciones, "");
  q = 0;
  e.ui().llamadas.clear();
  EXPECT_TRUE(Pide(q, "|P1*3|"));
  EXPECT_EQ(posiciones, "");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_EQ(FrmLoteyPosicion::Existente(), nullptr);
}

}  // namespace
