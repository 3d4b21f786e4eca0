// Reads run exactly one statement that only reads, on both routes: a text
// that smuggles a second statement or a write is refused before anything
// runs, while multi-line reads and text values holding SQL words still work.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <functional>

#include "demo_sqlite.h"
#include "platform/cls_datos.h"
#include "platform/sql_adapter.h"
#include "platform/vb_error.h"
#include "support/bloqueo.h"
#include "support/entorno.h"

namespace {

class Lecturas : public ConEntorno, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    archivo = e.Ruta("lecturas.db");
    demo::BaseSqlite(archivo).Ejecuta(
        "CREATE TABLE T (ID INTEGER PRIMARY KEY, NOMBRE TEXT); CREATE INDEX IX_T_NOMBRE ON T (NOMBRE); "
        "INSERT INTO T VALUES (1, 'uno'), (2, 'DELETE FROM T; --'), (3, 'tres');");
    if (GetParam()) {
      // The server route, through the SQLite ODBC driver.
      ASSERT_TRUE(gDatos.Conectar(false, 3, QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(archivo)));
      ASSERT_FALSE(gDatos.EsSqlite());
    } else {
      gDatos.BaseDeDatos = archivo;
      ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
    }
  }
  long Filas(const QString& sql) {
    Recordset rs;
    gDatos.AbreRecordset(sql, rs);
    return rs.RecordCount();
  }
  long long Cuenta() { return LeeAjeno(archivo, "SELECT COUNT(*) FROM T"); }
  QString archivo;
};

}  // namespace

TEST_P(Lecturas, ATextHoldingASecondStatementIsRefusedAndNothingRuns) {
  for (const char* sql : {
           "SELECT * FROM T WHERE ID > 0\r\nDELETE FROM T --",
           "SELECT * FROM T WHERE ID > 0\nDELETE FROM T",
           "SELECT * FROM T WHERE ID > 0; DELETE FROM T",
           "SELECT * FROM T; SELECT * FROM T",
           "DELETE FROM T",
           "UPDATE T SET NOMBRE = 'x'",
       }) {
    Recordset rs;
    EXPECT_THROW(gDatos.AbreRecordset(sql, rs), vb::Error) << sql;
    EXPECT_EQ(Cuenta(), 3) << sql;
  }
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
}

// Statements that open or end a transaction, attach or detach another file,
// rewrite the file or change a setting of the connection: every read road
// refuses them before anything runs, whatever their letter case and however
// they begin, and the connection stays in autocommit with its settings. A
// pragma that acts is refused also as a table a read selects from, whose
// statement the engine prepares only while the read steps: after a query
// that used an index it would write the index statistics into the file.
TEST_P(Lecturas, ReadsRefuseTransactionControlAndChangesOfTheConnection) {
  const QString otro = e.Ruta("otro.db"), copia = e.Ruta("copia.db");
  const QString sentencias[] = {
      "BEGIN", "begin transaction", "   BEGIN IMMEDIATE", "/* primero */ BEGIN EXCLUSIVE", "-- primero\r\nbegin deferred",
      "COMMIT", "end", "ROLLBACK", "  rollback transaction", "SAVEPOINT uno", "release uno", "RELEASE SAVEPOINT uno",
      "ROLLBACK TO uno", "ATTACH DATABASE '" + otro + "' AS otro", "\tattach '" + otro + "' as otro", "DETACH otro",
      "detach database otro", "VACUUM", "vacuum into '" + copia + "'", "PRAGMA cache_size = 10",
      "pragma user_version = 7", "PRAGMA main.journal_mode = WAL", "PRAGMA query_only = 1", "pragma foreign_keys(1)",
      "PRAGMA optimize", "PRAGMA wal_checkpoint",
      "SELECT * FROM pragma_optimize", "select * from main.pragma_optimize(0x10002)",
      "SELECT * FROM \"pragma_optimize\"", "SELECT * FROM [Pragma_Optimize]", "SELECT * FROM `pragma_optimize`",
      "SELECT * FROM 'pragma_optimize'",
      "SELECT ID FROM T WHERE ID > 0 AND EXISTS (SELECT 1 FROM pragma_optimize)",
  };
  // The connection's settings as the program's own connection reads them.
  const QString ajustes =
      "SELECT (SELECT cache_size FROM pragma_cache_size) || '|' || (SELECT query_only FROM pragma_query_only) || "
      "'|' || (SELECT foreign_keys FROM pragma_foreign_keys) || '|' || (SELECT COUNT(*) FROM pragma_database_list)";
  auto leeAjustes = [&] {
    Recordset rs;
    gDatos.AbreRecordset(ajustes, rs);
    return rs.Fields(0).Value().toString();
  };
  const QString antes = leeAjustes();
  const std::function<void(const QString&)> caminos[] = {
      [](const QString& sql) {
        Recordset rs;
        gDatos.AbreRecordset(sql, rs);
      },
      [](const QString& sql) {
        Recordset rs;
        gDatos.AbreRecordsetPreparado(sql, {}, rs);
      },
      [](const QString& sql) { gDatos.RecorreRecordset(sql, [](const QVariant*, int) {}); },
  };
  long long filas = Cuenta();
  for (const QString& sql : sentencias) {
    for (size_t c = 0; c < std::size(caminos); ++c) {
      SCOPED_TRACE(sql.toStdString() + " by read road " + std::to_string(c));
      EXPECT_EQ(Filas("SELECT ID FROM T WHERE NOMBRE = 'uno'"), 1);  // uses the index
      QString error;
      try {
        caminos[c](sql);
      } catch (const vb::Error& err) {
        error = err.Description;
      }
      EXPECT_TRUE(error.contains("no se ejecutó")) << error.toStdString();
      EXPECT_FALSE(error.contains("No se grabó")) << error.toStdString();  // a read had nothing to write
      if (sql.contains("pragma_", Qt::CaseInsensitive)) {
        EXPECT_TRUE(error.contains("optimize", Qt::CaseInsensitive) || error.contains("`")) << error.toStdString();
      }
      EXPECT_EQ(LeeAjeno(archivo, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'sqlite_stat1'"), 0);
      // Still in autocommit: a write is in the file at once.
      gDatos.Ejecuta("INSERT INTO T (NOMBRE) VALUES ('otra')");
      EXPECT_EQ(Cuenta(), ++filas);
      EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
      EXPECT_EQ(leeAjustes(), antes);
    }
  }
  EXPECT_FALSE(QFileInfo::exists(otro));
  EXPECT_FALSE(QFileInfo::exists(copia));
  EXPECT_EQ(LeeAjeno(archivo, "SELECT user_version FROM pragma_user_version"), 0);
  EXPECT_EQ(LeeAjeno(archivo, "SELECT COUNT(*) FROM pragma_journal_mode WHERE journal_mode = 'delete'"), 1);
}

TEST_P(Lecturas, OneReadRunsWhateverItsLayoutAndValues) {
  EXPECT_EQ(Filas("SELECT ID,\r\n       NOMBRE\r\n  FROM T\r\n WHERE ID > 1"), 2);
  EXPECT_EQ(Filas("SELECT ID FROM T WHERE NOMBRE = 'DELETE FROM T; --';"), 1);
  EXPECT_EQ(Filas("SELECT ID FROM T -- DELETE FROM T\r\nWHERE ID = 3"), 1);
  EXPECT_EQ(Filas("SELECT ID FROM T /* UPDATE T */ WHERE ID < 3"), 2);
  EXPECT_EQ(Filas("  -- begin\r\nselect id from t where nombre <> 'BEGIN; COMMIT'"), 3);
  EXPECT_EQ(Filas("WITH U AS (SELECT ID FROM T WHERE ID > 1) SELECT ID FROM U"), 2);
  EXPECT_EQ(Filas("SELECT CASE WHEN ID > 1 THEN 'a' ELSE 'b' END AS [begin] FROM T"), 3);
  if (!GetParam()) {
    // The embedded database's pragmas that only read.
    EXPECT_EQ(Filas("PRAGMA cache_size"), 1);
    EXPECT_EQ(Filas("  pragma table_info(T)"), 2);
    EXPECT_EQ(Filas("/* x */ PRAGMA main.index_list(T)"), 1);
    EXPECT_EQ(Filas("SELECT name FROM pragma_index_list('T')"), 1);
    EXPECT_EQ(Filas("PRAGMA quick_check"), 1);
  }
  EXPECT_EQ(Cuenta(), 3);
  // Batches built on purpose still run through the statement road.
  gDatos.Ejecuta("DELETE FROM T WHERE ID = 1\r\nDELETE FROM T WHERE ID = 3");
  EXPECT_EQ(Cuenta(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rutas, Lecturas, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Sqlite"; });

TEST_F(ConEntorno, PreparedStatementsRunExactlyOneStatement) {
  const QString archivo = e.Ruta("p.db");
  demo::BaseSqlite(archivo).Ejecuta("CREATE TABLE T (ID INTEGER); INSERT INTO T VALUES (1);");
  gDatos.BaseDeDatos = archivo;
  ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
  Recordset rs;
  EXPECT_THROW(gDatos.AbreRecordsetPreparado("SELECT ID FROM T WHERE ID = ?; DELETE FROM T", {1}, rs), vb::Error);
  gDatos.AbreRecordsetPreparado("SELECT ID FROM T WHERE ID = ?", {1}, rs);
  EXPECT_EQ(rs.RecordCount(), 1);
  // A text kept after it ran as a statement is still refused as a read.
  for (const char* sql : {"DELETE FROM T WHERE ID = ?", "INSERT INTO T VALUES (?)"}) {
    SCOPED_TRACE(sql);
    gDatos.Conexion().ExecutePreparada(sql, {5});
    const long long filas = LeeAjeno(archivo, "SELECT COUNT(*) FROM T");
    EXPECT_THROW(gDatos.AbreRecordsetPreparado(sql, {1}, rs), vb::Error);
    EXPECT_EQ(LeeAjeno(archivo, "SELECT COUNT(*) FROM T"), filas);
  }
}

TEST(MotivoNoLectura, WordsThatWriteCountOnlyOutsideLiteralsNamesAndComments) {
  using sqlite_sql::MotivoNoLectura;
  EXPECT_EQ(MotivoNoLectura("SELECT TOP 10 A, B FROM T WHERE C LIKE '%[_]x%' ORDER BY A"), "");
  EXPECT_EQ(MotivoNoLectura("SELECT [DELETE], \"UPDATE\" FROM T WHERE X = 'a''; DROP TABLE T; --'"), "");
  EXPECT_EQ(MotivoNoLectura("SELECT REPLACE(A, 'x', 'y') FROM FECHA_INSERT_T -- DELETE\r\n;  "), "");
  EXPECT_EQ(MotivoNoLectura("SELECT A FROM T /* EXEC */ WHERE B IN (SELECT B FROM U)"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A INTO #COPIA FROM T"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T\r\nDELETE FROM T"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T -- una nota\rDELETE FROM T"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T; SELECT B FROM U"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T; 'x'"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T WHERE 1 = 1 exec('x')"), "");
  EXPECT_NE(MotivoNoLectura("select a from t\ttruncate table t"), "");
  // Transaction control, where it stands: the server takes a statement
  // after another without a ";".
  EXPECT_EQ(MotivoNoLectura("SELECT CASE WHEN A > 0 THEN 'BEGIN' ELSE [COMMIT] END FROM T"), "");
  EXPECT_EQ(MotivoNoLectura("WITH U AS (SELECT A FROM T) SELECT A FROM U"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T BEGIN TRAN"), "");
  EXPECT_NE(MotivoNoLectura("select a from t commit"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T\tSAVE TRANSACTION x"), "");
  EXPECT_NE(MotivoNoLectura("  /* c */ rollback"), "");
  EXPECT_NE(MotivoNoLectura("end"), "");
  EXPECT_NE(MotivoNoLectura("RELEASE uno"), "");
  // The server runs a procedure named first in a batch without EXEC, and a
  // sequence's next value is a write: a read begins with the bare word
  // SELECT or WITH and never asks a sequence for its next value.
  for (const char* sql : {
           "[sp_configure] 'show advanced options', 1", "\"sp_who\"", "[master]..[xp_cmdshell] 'dir'",
           "/* c */ [dbo].[P] 1", "  -- nota\r\n\"dbo\".\"P\"", "sp_who", "(SELECT A FROM T)", "1", "'x'",
           "{call P}", "SELECT NEXT VALUE FOR dbo.Numerador", "select next /* x */ value\r\n  for [dbo].[Numerador]",
           "SELECT A, NEXT VALUE FOR S OVER (ORDER BY A) FROM T", "WITH U AS (SELECT NEXT VALUE FOR S AS N) SELECT N FROM U",
       })
    EXPECT_NE(MotivoNoLectura(sql), "") << sql;
  for (const char* sql : {
           "SELECT A AS [NEXT VALUE FOR] FROM T", "SELECT 'NEXT VALUE FOR S' FROM T", "SELECT NEXT_VALUE FROM T",
           "SELECT NEXT FROM T WHERE VALUE = 1 FOR XML AUTO", "SELECT [NEXT] VALUE FROM T",
           "SELECT \"next\" FROM T -- NEXT VALUE FOR S", " /* [x] */ select 1", "\r\nWITH U AS (SELECT 1 AS A) SELECT A FROM U",
           // A doubled "]" is part of the bracketed name.
           "SELECT [A]]DELETE] FROM T", "SELECT [A]] DELETE FROM T] FROM T",
       })
    EXPECT_EQ(MotivoNoLectura(sql), "") << sql;
}

// Every word that begins a statement of the server (which takes one after
// another without a ";"), the ODBC call escape and the functions that run a
// statement on another server are refused wherever they stand; the same
// words in literals, names, comments or longer identifiers are not.
TEST(MotivoNoLectura, EveryWordThatBeginsAnotherStatementIsRefusedOnlyAsAWordOfItsOwn) {
  using sqlite_sql::MotivoNoLectura;
  const QStringList palabras =
      QStringLiteral(
          "BEGIN COMMIT ROLLBACK SAVE SAVEPOINT RELEASE TRAN TRANSACTION INSERT UPDATE DELETE MERGE TRUNCATE DROP "
          "CREATE ALTER EXEC EXECUTE CALL GRANT REVOKE DENY INTO DECLARE SET USE BACKUP RESTORE SHUTDOWN KILL DBCC "
          "BULK WRITETEXT UPDATETEXT ENABLE DISABLE ADD RECEIVE SEND MOVE GET SETUSER REVERT CHECKPOINT RECONFIGURE "
          "ATTACH DETACH PRAGMA VACUUM OPEN CLOSE FETCH DEALLOCATE READTEXT WAITFOR PRINT RAISERROR THROW IF ELSE "
          "WHILE GOTO RETURN BREAK CONTINUE END OPENQUERY OPENROWSET OPENDATASOURCE")
          .split(u' ');
  for (const QString& p : palabras) {
    SCOPED_TRACE(p.toStdString());
    const QString motivo = MotivoNoLectura("SELECT A FROM T WHERE B = 1 " + p.toLower() + " x");
    EXPECT_TRUE(motivo.contains(p)) << motivo.toStdString();
    EXPECT_EQ(MotivoNoLectura("SELECT " + p + "ED, MY_" + p + ", " + p + "S1 FROM T WHERE X = '" + p + "' AND [" + p +
                              "] = \"" + p + "\" -- " + p + "\r\n/* " + p + " */ ORDER BY [A " + p + "]"),
              "");
  }
  // As they come.
  for (const char* sql : {
           "SELECT 1 DISABLE TRIGGER ALL ON T", "SELECT 1\r\nENABLE TRIGGER ALL ON T",
           "SELECT 1 WRITETEXT T.C @p 'x'", "SELECT A FROM T UPDATETEXT T.C @p 0 NULL 'x'",
           "SELECT 1 RECEIVE TOP (1) * FROM Cola", "SELECT 1 SETUSER 'dbo'", "SELECT 1 CHECKPOINT",
           "SELECT 1 RECONFIGURE WITH OVERRIDE", "SELECT 1 EXECUTE AS LOGIN = 'sa' SELECT 2 REVERT",
           "SELECT 1 OPEN MASTER KEY DECRYPTION BY PASSWORD = 'x'", "SELECT 1 WAITFOR DELAY '01:00:00'",
           "SELECT CASE WHEN A = 1 THEN 2 END FROM T END CONVERSATION @h", "SELECT 1 ELSE DELETE T",
           "{call sp_borra(1)}", "SELECT 1 {?= call sp_borra}",
           "SELECT * FROM OPENQUERY(Remoto, 'DELETE FROM T')",
           "SELECT * FROM OPENROWSET('SQLNCLI', 'Server=otro;', 'EXEC sp_borra')",
           "SELECT * FROM OPENDATASOURCE('SQLNCLI', 'Data Source=otro').Base.dbo.T",
           "SELECT `'` FROM T; DELETE FROM T --'", "SELECT `x` FROM T",
           "SELECT * FROM pragma_optimize", "SELECT * FROM [PRAGMA_OPTIMIZE]", "SELECT * FROM 'pragma_optimize'",
       })
    EXPECT_NE(MotivoNoLectura(sql), "") << sql;
  // END and ELSE of CASE expressions, nested or not, and pragmas read as
  // tables that only read.
  for (const char* sql : {
           "SELECT CASE WHEN A = 1 THEN 'x' ELSE CASE B WHEN 2 THEN 'y' ELSE 'z' END END AS C FROM T ORDER BY 1",
           "SELECT A FROM T WHERE (CASE WHEN A > 0 THEN 1 END) = 1 AND B = '`'",
           "SELECT name FROM pragma_table_info('T')", "SELECT [pragma_optimizer] FROM T",
       })
    EXPECT_EQ(MotivoNoLectura(sql), "") << sql;
}
