// Transactions, batches and locks of the connection on a real SQLite file
// that another program holds: a failure always leaves the connection out of
// its transaction with nothing written, and says so; a wait shows the wait
// cursor and a lock is told in Spanish with the statement in the details.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "demo_sqlite.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cursor_espera.h"
#include "platform/error_steps.h"
#include "platform/espera_bloqueo.h"
#include "platform/vb_error.h"
#include "support/bloqueo.h"
#include "support/entorno.h"

namespace {

// A connected database T(ID, VALOR) with rows 1, 2 and 3 holding 0; the
// connection waits one second for a lock.
class Transacciones : public ConEntorno {
 protected:
  void SetUp() override {
    archivo = e.Ruta("tx.db");
    demo::BaseSqlite(archivo).Ejecuta("PRAGMA journal_mode = DELETE; CREATE TABLE T (ID INTEGER PRIMARY KEY, VALOR INTEGER);"
                                      "INSERT INTO T VALUES (1, 0), (2, 0), (3, 0);");
    gDatos.BaseDeDatos = archivo;
    ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
    con().SetCommandTimeout(1);
  }
  void TearDown() override { con().SetCommandTimeout(30); }

  Connection& con() { return gDatos.Conexion(); }
  // What another program reads: the sum of VALOR.
  long long SumaAjena() { return LeeAjeno(archivo, "SELECT SUM(VALOR) FROM T"); }
  // The description of the error a statement raises ("" when none).
  QString ErrorDe(const std::function<void()>& f) {
    try {
      f();
    } catch (const vb::Error& err) {
      return err.Description;
    }
    return QString();
  }
  // The program goes back to its event loop and waits there for the person
  // (a moment): what it does between two actions.
  static void VuelveAlBucle() {
    QEventLoop bucle;
    QTimer::singleShot(10, &bucle, &QEventLoop::quit);
    bucle.exec();
  }

  QString archivo;
};

}  // namespace

TEST_F(Transacciones, ABatchWhoseCommitCannotTakeTheLockWritesNothingAndLeavesNoTransaction) {
  QString error;
  {
    // Another program reads and keeps its read open past the wait.
    BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Lectura);
    error = ErrorDe([&] { con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1\r\nUPDATE T SET VALOR = 7 WHERE ID = 2"); });
    EXPECT_FALSE(con().EnTransaccion());
  }
  EXPECT_TRUE(error.contains("Otro usuario tiene ocupada la base de datos")) << error.toStdString();
  EXPECT_TRUE(error.contains("No se grabó ningún cambio")) << error.toStdString();
  ASSERT_FALSE(con().Errors().empty());
  EXPECT_EQ(SumaAjena(), 0);
  // The connection is back in autocommit: the next write is everybody's at
  // once, and other programs can write after it.
  con().Execute("UPDATE T SET VALOR = 1 WHERE ID = 3");
  EXPECT_FALSE(con().EnTransaccion());
  EXPECT_EQ(SumaAjena(), 1);
  demo::BaseSqlite(archivo).Ejecuta("UPDATE T SET VALOR = 2 WHERE ID = 3");
  EXPECT_EQ(SumaAjena(), 2);
}

TEST_F(Transacciones, ABatchFailingHalfWayWritesNothing) {
  const QString error = ErrorDe(
      [&] { con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1\r\nINSERT INTO NOEXISTE VALUES (1)\r\nUPDATE T SET VALOR = 6"); });
  EXPECT_TRUE(error.contains("NOEXISTE")) << error.toStdString();
  EXPECT_TRUE(error.contains("No se grabó ningún cambio"));
  EXPECT_FALSE(con().EnTransaccion());
  EXPECT_EQ(SumaAjena(), 0);
  // Statements joined by ";" in one text are one batch as well.
  EXPECT_THROW(con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1; INSERT INTO NOEXISTE VALUES (1)"), vb::Error);
  EXPECT_EQ(SumaAjena(), 0);
  con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1; UPDATE T SET VALOR = 6 WHERE ID = 2");
  EXPECT_EQ(SumaAjena(), 11);
}

TEST_F(Transacciones, CommittedWorkIsWrittenAndRolledBackWorkIsNot) {
  EXPECT_EQ(con().BeginTrans(), 1);
  EXPECT_TRUE(con().EnTransaccion());
  // A second transaction on the same connection is refused.
  EXPECT_THROW(con().BeginTrans(), vb::Error);
  con().Execute("UPDATE T SET VALOR = 4 WHERE ID = 1");
  con().ExecutePreparada("UPDATE T SET VALOR = ? WHERE ID = ?", {6, 2});
  EXPECT_EQ(SumaAjena(), 0);  // not yet
  con().CommitTrans();
  EXPECT_FALSE(con().EnTransaccion());
  EXPECT_EQ(SumaAjena(), 10);

  con().BeginTrans(ado::Bloqueo::EscrituraPrimero);
  con().Execute("UPDATE T SET VALOR = 100 WHERE ID = 3");
  con().RollbackTrans();
  EXPECT_FALSE(con().EnTransaccion());
  EXPECT_EQ(SumaAjena(), 10);
  con().RollbackTrans();  // nothing open: nothing happens
  EXPECT_THROW(con().CommitTrans(), vb::Error);

  {
    Transaccion t(con());
    con().Execute("UPDATE T SET VALOR = 0");
  }  // not confirmed: rolled back
  EXPECT_EQ(SumaAjena(), 10);
  {
    Transaccion t(con());
    con().Execute("UPDATE T SET VALOR = 0");
    t.Confirma();
  }
  EXPECT_EQ(SumaAjena(), 0);
}

TEST_F(Transacciones, AFailureInsideATransactionUndoesAllOfItAndRefusesWhatFollows) {
  // A read that fails in the engine, and one refused before it runs.
  for (const char* lectura : {"SELECT X FROM NOEXISTE", "SELECT ID FROM T; DELETE FROM T"}) {
    SCOPED_TRACE(lectura);
    con().BeginTrans(ado::Bloqueo::EscrituraPrimero);
    con().Execute("UPDATE T SET VALOR = 9 WHERE ID = 1");
    // A failing read inside the transaction takes the transaction with it.
    const QString error = ErrorDe([&] {
      Recordset rs;
      gDatos.AbreRecordset(lectura, rs);
    });
    EXPECT_TRUE(error.contains("No se grabó ningún cambio")) << error.toStdString();
    EXPECT_FALSE(con().EnTransaccion());
    // A caller that goes on regardless does not write outside its
    // transaction: the statement is refused and the commit says nothing was
    // written.
    EXPECT_THROW(con().Execute("UPDATE T SET VALOR = 3 WHERE ID = 2"), vb::Error);
    EXPECT_EQ(SumaAjena(), 0);
    const QString confirma = ErrorDe([&] { con().CommitTrans(); });
    EXPECT_TRUE(confirma.contains("se deshizo por un error anterior")) << confirma.toStdString();
    EXPECT_TRUE(confirma.contains("No se grabó ningún cambio")) << confirma.toStdString();
    EXPECT_EQ(SumaAjena(), 0);
    // Ended: the connection works again.
    con().Execute("UPDATE T SET VALOR = 3 WHERE ID = 2");
    EXPECT_EQ(SumaAjena(), 3);
    con().Execute("UPDATE T SET VALOR = 0 WHERE ID = 2");
  }
}

// Reads grouped in one read transaction: outside a transaction they hold
// one of their own until they end; inside the caller's they leave it as it
// was, neither committed nor ended.
TEST_F(Transacciones, GroupedReadsLeaveTheCallersTransactionAsItWas) {
  auto lee = [&] {
    Recordset rs;
    gDatos.AbreRecordset("SELECT SUM(VALOR) FROM T", rs);
    return rs.Fields(0).Value().toLongLong();
  };
  {
    LecturaAgrupada grupo;
    EXPECT_TRUE(con().EnTransaccion());
    EXPECT_EQ(lee(), 0);
  }
  EXPECT_FALSE(con().EnTransaccion());
  con().BeginTrans(ado::Bloqueo::EscrituraPrimero);
  con().Execute("UPDATE T SET VALOR = 4 WHERE ID = 1");
  {
    LecturaAgrupada grupo;
    EXPECT_EQ(lee(), 4);
  }
  EXPECT_TRUE(con().EnTransaccion());
  EXPECT_EQ(SumaAjena(), 0);
  con().RollbackTrans();
  EXPECT_EQ(SumaAjena(), 0);
}

TEST_F(Transacciones, ACommitThatCannotTakeTheLockWritesNothing) {
  con().BeginTrans();
  con().Execute("UPDATE T SET VALOR = 8 WHERE ID = 1");
  QString error;
  {
    BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Lectura);
    error = ErrorDe([&] { con().CommitTrans(); });
    EXPECT_FALSE(con().EnTransaccion());
  }
  EXPECT_TRUE(error.contains("No se grabó ningún cambio")) << error.toStdString();
  EXPECT_EQ(SumaAjena(), 0);
  con().Execute("UPDATE T SET VALOR = 1 WHERE ID = 1");
  EXPECT_EQ(SumaAjena(), 1);
}

TEST_F(Transacciones, TheWriteLockFirstKeepsOtherWritersOutFromTheStart) {
  // Taken when the transaction begins: another program cannot write even
  // before this one has written anything.
  con().BeginTrans(ado::Bloqueo::EscrituraPrimero);
  {
    demo::BaseSqlite otro(archivo);
    EXPECT_ANY_THROW(otro.Ejecuta("UPDATE T SET VALOR = 1 WHERE ID = 1"));
  }
  con().RollbackTrans();
  // Taken at the first write: until then another program may write.
  con().BeginTrans(ado::Bloqueo::AlEscribir);
  demo::BaseSqlite(archivo).Ejecuta("UPDATE T SET VALOR = 1 WHERE ID = 1");
  con().RollbackTrans();
  EXPECT_EQ(SumaAjena(), 1);

  // A write lock held by another program: the transaction cannot begin,
  // and nothing is left open.
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Escritura);
  const QString error = ErrorDe([&] { con().BeginTrans(ado::Bloqueo::EscrituraPrimero); });
  EXPECT_TRUE(error.contains("Otro usuario tiene ocupada la base de datos")) << error.toStdString();
  EXPECT_FALSE(con().EnTransaccion());
  otro.Suelta();
  con().BeginTrans(ado::Bloqueo::EscrituraPrimero);
  con().CommitTrans();
}

TEST_F(Transacciones, AWaitForALockShowsTheWaitCursorUntilTheStatementEnds) {
  con().SetCommandTimeout(20);
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Exclusivo);
  otro.SueltaAlVerEspera();
  const auto inicio = std::chrono::steady_clock::now();
  con().Execute("UPDATE T SET VALOR = 2 WHERE ID = 1");
  EXPECT_TRUE(otro.VioEspera());
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(15));
  EXPECT_FALSE(CursorEspera::Visible());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(SumaAjena(), 2);
}

TEST_F(Transacciones, AnActionWaitsForLocksNoLongerThanItsBudgetInAllAndIsToldAtOnceAfterwards) {
  // The connection's own limit is longer than the budget: the budget decides.
  constexpr int kPresupuesto = 300;
  espera_bloqueo::FijaTotalMs(kPresupuesto);
  con().SetCommandTimeout(4);
  const struct {
    const char* que;
    std::function<void()> corre;
  } sentencias[] = {
      {"read", [&] { con().Lee("SELECT SUM(VALOR) FROM T"); }},
      {"write", [&] { con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1"); }},
      {"prepared read", [&] { con().LeePreparada("SELECT VALOR FROM T WHERE ID = ?", {1}); }},
      {"prepared write", [&] { con().ExecutePreparada("UPDATE T SET VALOR = ? WHERE ID = 2", {7}); }},
      {"row by row", [&] { con().Recorre("SELECT VALOR FROM T", [](const QVariant*, int) {}); }},
      {"transaction", [&] { con().BeginTrans(ado::Bloqueo::EscrituraPrimero); }},
  };
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Exclusivo);
  const long antes = espera_bloqueo::Esperas();
  QElapsedTimer reloj;
  reloj.start();
  for (const auto& s : sentencias) {
    SCOPED_TRACE(s.que);
    EXPECT_TRUE(ErrorDe(s.corre).startsWith(ado::kMensajeBloqueo));
    EXPECT_FALSE(con().EnTransaccion());
  }
  const qint64 esperado = reloj.elapsed();
  // The first statement waited the budget; the others, in the same action,
  // did not wait at all.
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 1);
  EXPECT_GE(esperado, kPresupuesto);
  EXPECT_LT(esperado, 4000);
  EXPECT_EQ(espera_bloqueo::RestanteMs(), 0);

  // A message box telling it belongs to the same action: its own event loop
  // gives no new budget.
  {
    espera_bloqueo::MismaAccion caja;
    VuelveAlBucle();
  }
  EXPECT_TRUE(ErrorDe(sentencias[0].corre).startsWith(ado::kMensajeBloqueo));
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 1);

  // Back in its event loop, the program's next action waits again, and
  // goes on as soon as the other program lets go.
  VuelveAlBucle();
  EXPECT_EQ(espera_bloqueo::RestanteMs(), kPresupuesto);
  otro.SueltaAlVerEspera();
  con().Execute("UPDATE T SET VALOR = 5 WHERE ID = 1");
  EXPECT_TRUE(otro.VioEspera());
  EXPECT_EQ(SumaAjena(), 5);
}

TEST_F(Transacciones, ALockIsToldOncePerActionAndRetryingIsTheNextAction) {
  espera_bloqueo::FijaTotalMs(200);
  con().SetCommandTimeout(4);
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Exclusivo);
  const long antes = espera_bloqueo::Esperas();
  // The person answers the first report with Retry, the second with Cancel.
  e.ui().respuestasError = {vb::kRespuestaReintentar, vb::kRespuestaAbortar};
  int intentos = 0;
  vb::ErrorSteps lectura("Lectura");
  EXPECT_FALSE(lectura.step([&] {
    ++intentos;
    con().Lee("SELECT SUM(VALOR) FROM T");
  }));
  // Retrying waited again, and was told again.
  EXPECT_EQ(intentos, 2);
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 2);
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  // The same action goes on to another statement: it fails at once, and
  // the lock, told already, is not told again.
  vb::ErrorSteps escritura("Escritura");
  EXPECT_FALSE(escritura.step([&] { con().Execute("UPDATE T SET VALOR = 1 WHERE ID = 1"); }));
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 2);
  EXPECT_EQ(e.ui().Cuenta("Error"), 2);
  // Any other failure is told as ever.
  vb::ErrorSteps otra("Otra");
  EXPECT_FALSE(otra.step([&] { con().Lee("SELECT NADA FROM NINGUNA"); }));
  EXPECT_EQ(e.ui().Cuenta("Error"), 3);
  // The next action is told again.
  VuelveAlBucle();
  vb::ErrorSteps siguiente("Siguiente");
  EXPECT_FALSE(siguiente.step([&] { con().Lee("SELECT SUM(VALOR) FROM T"); }));
  EXPECT_EQ(e.ui().Cuenta("Error"), 4);
}

TEST_F(Transacciones, WhileAStatementWaitsForALockTheWindowsPaintAndNothingElseRunsOnTheDatabase) {
  espera_bloqueo::FijaTotalMs(400);
  con().SetCommandTimeout(4);
  // A window that counts the paints it gets while the program waits.
  struct Lienzo : QWidget {
    int pintadasEsperando = 0;
    void paintEvent(QPaintEvent*) override {
      if (CursorEspera::Visible()) ++pintadasEsperando;
    }
  } lienzo;
  lienzo.resize(120, 80);
  lienzo.show();
  QCoreApplication::processEvents();
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Exclusivo);
  // Asked for before the statement, handled while it waits (or after it).
  lienzo.update();
  bool temporizador = false, temporizadorEsperando = false;
  QTimer::singleShot(1, &lienzo, [&] {
    temporizador = true;
    temporizadorEsperando = CursorEspera::Visible();
  });
  QString reentrada = "<not run>";
  QMetaObject::invokeMethod(
      &lienzo, [&] { reentrada = ErrorDe([&] { con().Execute("UPDATE T SET VALOR = 9 WHERE ID = 3"); }); },
      Qt::QueuedConnection);
  EXPECT_TRUE(ErrorDe([&] { con().Execute("UPDATE T SET VALOR = 1 WHERE ID = 1"); }).startsWith(ado::kMensajeBloqueo));
  EXPECT_GE(lienzo.pintadasEsperando, 1);
  // The queued call ran while the statement waited, and its statement was
  // refused: the engine is not entered again from inside its own wait.
  EXPECT_TRUE(reentrada.contains("espera a que otro usuario libere la base de datos")) << reentrada.toStdString();
  // The timer waited for the statement.
  EXPECT_FALSE(temporizador);
  otro.Suelta();
  VuelveAlBucle();
  EXPECT_TRUE(temporizador);
  EXPECT_FALSE(temporizadorEsperando);
  EXPECT_EQ(SumaAjena(), 0);
  EXPECT_FALSE(con().EnTransaccion());
}

TEST_F(Transacciones, ALockIsToldInSpanishWithTheStatementCutInTheDetails) {
  // 500 ids make a statement of several thousand characters.
  QString ids;
  for (int i = 1; i <= 500; ++i) ids += (i > 1 ? QStringLiteral(" OR ") : QString()) + QStringLiteral("(ID = %1)").arg(i);
  const QString sql = QStringLiteral("UPDATE T SET VALOR = 1 WHERE ") + ids;
  ASSERT_GT(sql.size(), 5000);
  BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Escritura);
  vb::ErrorSteps paso(QStringLiteral("Aprobar"));
  paso.step([&] { gDatos.Ejecuta(sql); });
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  const auto llamada = e.ui().De("Error")[0];
  EXPECT_TRUE(llamada.texto.startsWith("Otro usuario tiene ocupada la base de datos")) << llamada.texto.toStdString();
  EXPECT_TRUE(llamada.texto.contains("No se grabó ningún cambio"));
  EXPECT_FALSE(llamada.texto.contains("locked"));  // the engine's words only in the details
  EXPECT_FALSE(llamada.texto.contains("UPDATE"));
  EXPECT_TRUE(llamada.detalle.contains("database is locked")) << llamada.detalle.toStdString();
  EXPECT_TRUE(llamada.detalle.contains("UPDATE T SET VALOR = 1 WHERE (ID = 1)"));
  EXPECT_LT(llamada.detalle.size(), 1200);
  EXPECT_TRUE(llamada.detalle.contains("caracteres más"));
  EXPECT_FALSE(CursorEspera::Visible());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ConEntorno, TheServerRouteKeepsTheSameTransactionRules) {
  const QString archivo = e.Ruta("odbc.db");
  demo::BaseSqlite(archivo).Ejecuta("CREATE TABLE T (ID INTEGER PRIMARY KEY, VALOR INTEGER); INSERT INTO T VALUES (1, 0);");
  ASSERT_TRUE(gDatos.Conectar(false, 3, QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(archivo)));
  Connection& con = gDatos.Conexion();
  auto suma = [&] { return LeeAjeno(archivo, "SELECT SUM(VALOR) FROM T"); };
  con.BeginTrans();
  con.Execute("UPDATE T SET VALOR = 5");
  EXPECT_TRUE(con.EnTransaccion());
  con.RollbackTrans();
  EXPECT_FALSE(con.EnTransaccion());
  EXPECT_EQ(suma(), 0);
  {
    Transaccion t(con);
    // A batch inside a transaction is part of it: its end does not commit.
    con.Execute("UPDATE T SET VALOR = 2\r\nINSERT INTO T VALUES (2, 3)");
    EXPECT_TRUE(con.EnTransaccion());
    t.Confirma();
  }
  EXPECT_EQ(suma(), 5);
  con.BeginTrans();
  con.Execute("UPDATE T SET VALOR = 100 WHERE ID = 1");
  EXPECT_THROW(con.Execute("INSERT INTO NOEXISTE VALUES (1)"), vb::Error);
  EXPECT_FALSE(con.EnTransaccion());
  EXPECT_THROW(con.Execute("UPDATE T SET VALOR = 100 WHERE ID = 2"), vb::Error);
  EXPECT_THROW(con.CommitTrans(), vb::Error);
  EXPECT_EQ(suma(), 5);
}
