// Reads run exactly one statement that only reads, on both routes: a text
// that smuggles a second statement or a write is refused before anything
// runs, while multi-line reads and text values holding SQL words still work.
#include <gtest/gtest.h>

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
        "CREATE TABLE T (ID INTEGER PRIMARY KEY, NOMBRE TEXT); "
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

TEST_P(Lecturas, OneReadRunsWhateverItsLayoutAndValues) {
  EXPECT_EQ(Filas("SELECT ID,\r\n       NOMBRE\r\n  FROM T\r\n WHERE ID > 1"), 2);
  EXPECT_EQ(Filas("SELECT ID FROM T WHERE NOMBRE = 'DELETE FROM T; --';"), 1);
  EXPECT_EQ(Filas("SELECT ID FROM T -- DELETE FROM T\r\nWHERE ID = 3"), 1);
  EXPECT_EQ(Filas("SELECT ID FROM T /* UPDATE T */ WHERE ID < 3"), 2);
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
}

TEST(MotivoNoLectura, WordsThatWriteCountOnlyOutsideLiteralsNamesAndComments) {
  using sqlite_sql::MotivoNoLectura;
  EXPECT_EQ(MotivoNoLectura("SELECT TOP 10 A, B FROM T WHERE C LIKE '%[_]x%' ORDER BY A"), "");
  EXPECT_EQ(MotivoNoLectura("SELECT [DELETE], \"UPDATE\" FROM T WHERE X = 'a''; DROP TABLE T; --'"), "");
  EXPECT_EQ(MotivoNoLectura("SELECT REPLACE(A, 'x', 'y') FROM FECHA_INSERT_T -- DELETE\r\n;  "), "");
  EXPECT_EQ(MotivoNoLectura("SELECT A FROM T /* EXEC */ WHERE B IN (SELECT B FROM U)"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A INTO #COPIA FROM T"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T\r\nDELETE FROM T"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T; SELECT B FROM U"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T; 'x'"), "");
  EXPECT_NE(MotivoNoLectura("SELECT A FROM T WHERE 1 = 1 exec('x')"), "");
  EXPECT_NE(MotivoNoLectura("select a from t\ttruncate table t"), "");
}
