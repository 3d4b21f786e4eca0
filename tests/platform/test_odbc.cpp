// The ODBC route, exercised for real through the SQLite ODBC driver.
#include <gtest/gtest.h>

#include <QFile>

#include "demo_sqlite.h"
#include "platform/cls_datos.h"
#include "platform/vb_error.h"
#include "support/entorno.h"

TEST_F(ConEntorno, OdbcConnectionRunsQueriesBatchesAndPreparedStatements) {
  {
    demo::BaseSqlite b(e.Ruta("odbc.db"));
    b.Ejecuta("CREATE TABLE T (ID INTEGER PRIMARY KEY, NOMBRE TEXT, FECHA DATE);"
              "INSERT INTO T VALUES (1, 'uno', '2026-01-02'); INSERT INTO T VALUES (2, 'dos', NULL);");
  }
  const QString cadena = QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(e.Ruta("odbc.db"));
  ASSERT_TRUE(gDatos.Conectar(false, 3, cadena)) << (e.ui().llamadas.empty() ? std::string() : e.ui().llamadas[0].texto.toStdString());
  EXPECT_FALSE(gDatos.EsSqlite());
  EXPECT_EQ(gDatos.StringConexion(), cadena);

  Recordset rs;
  gDatos.AbreRecordset("SELECT ID, NOMBRE FROM T ORDER BY ID", rs);
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Fields("NOMBRE").Value().toString(), "uno");

  gDatos.Ejecuta("INSERT INTO T (ID, NOMBRE) VALUES (3, 'tres')\r\nUPDATE T SET NOMBRE = 'TRES' WHERE ID = 3");
  gDatos.AbreRecordsetPreparado("SELECT NOMBRE FROM T WHERE ID = ?", {3}, rs);
  EXPECT_EQ(rs.Fields(0).Value().toString(), "TRES");

  // A failing batch leaves nothing written.
  EXPECT_THROW(gDatos.Ejecuta("INSERT INTO T (ID, NOMBRE) VALUES (4, 'cuatro')\r\nINSERT INTO NOEXISTE VALUES (1)"), vb::Error);
  ASSERT_EQ(gDatos.Conexion().Errors().size(), 1u);
  EXPECT_TRUE(gDatos.Conexion().Errors()[0].Description.contains("NOEXISTE"));
  gDatos.AbreRecordset("SELECT COUNT(*) FROM T", rs);
  EXPECT_EQ(rs.Fields(0).Value().toInt(), 3);
  EXPECT_TRUE(gDatos.Conexion().Errors().empty());
}

TEST_F(ConEntorno, UnreachableSourcesFailWithAMessage) {
  ASSERT_FALSE(gDatos.Conectar(false, 3, "Provider=OraOLEDB.Oracle.1;Data Source=ventas;User Id=u;Password=p;"));
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("Oracle")) << e.ui().De("MsgBox")[0].texto.toStdString();
  EXPECT_FALSE(gDatos.Conectado());

  // A server nobody listens on: FreeTDS gives up within the login timeout.
  gDatos.Servidor = "127.0.0.1";
  gDatos.BaseDeDatos = "Gestion";
  gDatos.Usuario = "sa";
  gDatos.Password = "x";
  EXPECT_FALSE(gDatos.Conectar(false, 3, QString()));
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 2);
  EXPECT_TRUE(e.ui().De("MsgBox")[1].texto.contains("127.0.0.1"));
}

// On the server road nothing adapts a text: TOP, ISNULL and the trimmed code
// comparisons reach the driver as the program wrote them (the SQLite ODBC
// driver's trace shows what it received; SQLite itself cannot run TOP).
TEST_F(ConEntorno, TheServerRoadSendsEveryTextAsWritten) {
  {
    demo::BaseSqlite b(e.Ruta("odbc.db"));
    b.Ejecuta("CREATE TABLE T (CODIGO TEXT, NOMBRE TEXT);"
              "INSERT INTO T VALUES ('   7', 'siete'); INSERT INTO T VALUES ('  12', NULL);");
  }
  const QString traza = e.Ruta("traza.log");
  ASSERT_TRUE(gDatos.Conectar(false, 3, QStringLiteral("DRIVER={SQLite3};Database=%1;Tracefile=%2;").arg(e.Ruta("odbc.db"), traza)));
  auto recibidas = [&] {
    QFile f(traza);
    f.open(QIODevice::ReadOnly);
    QStringList r;
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("-- sqlite3_prepare_v2: ")) r << QString::fromUtf8(l.mid(23));
    return r;
  };
  Recordset rs;
  EXPECT_THROW(gDatos.AbreRecordset("SELECT TOP 1 ISNULL(NOMBRE, '') FROM T WHERE LTRIM(RTRIM(CODIGO)) = '7'", rs), vb::Error);
  EXPECT_TRUE(recibidas().contains("SELECT TOP 1 ISNULL(NOMBRE, '') FROM T WHERE LTRIM(RTRIM(CODIGO)) = '7'"));
  // The code look-up compares trimmed codes with the typed one.
  EXPECT_EQ(gDatos.ObtieneValor("T", " 7", "NOMBRE", "CODIGO").toString(), "siete");
  EXPECT_EQ(gDatos.ObtieneValor("T", "12", "NOMBRE", "CODIGO").toString(), "");
  EXPECT_TRUE(recibidas().contains("SELECT NOMBRE FROM T WHERE LTRIM(RTRIM(CODIGO)) = LTRIM(RTRIM(?))"));
  // A batch goes statement by statement, each as written; a read row by row
  // gets the rows.
  gDatos.Ejecuta("UPDATE T SET NOMBRE = 'doce' WHERE LTRIM(RTRIM(CODIGO)) = '12'\r\nDELETE FROM T WHERE CODIGO = 'x'");
  EXPECT_TRUE(recibidas().contains("UPDATE T SET NOMBRE = 'doce' WHERE LTRIM(RTRIM(CODIGO)) = '12'"));
  QStringList nombres;
  gDatos.RecorreRecordset("SELECT NOMBRE FROM T ORDER BY CODIGO", [&](const QVariant* v, int n) {
    ASSERT_EQ(n, 1);
    nombres << v[0].toString();
  });
  EXPECT_EQ(nombres, (QStringList{"siete", "doce"}));  // "   7" comes before "  12"
  for (const QString& s : recibidas())
    EXPECT_FALSE(s.contains("LIMIT") || s.contains("IFNULL") || s.contains("COLLATE")) << s.toStdString();
}
