// The adaptation of the program's SQL texts for the embedded database.
#include <gtest/gtest.h>

#include "platform/sql_adapter.h"
#include "support/entorno.h"

using sqlite_sql::Adapta;
using sqlite_sql::AdaptaSentencia;

TEST(SqlAdapter, TopBecomesLimit) {
  EXPECT_EQ(AdaptaSentencia("SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"),
            "SELECT DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION LIMIT 1000");
  EXPECT_EQ(AdaptaSentencia("select top 1 * from V_TA_TECNICOS"), "select * from V_TA_TECNICOS LIMIT 1");
  EXPECT_EQ(AdaptaSentencia("SELECT DISTINCT TOP 5 IDDIARIO FROM V_MV_DIARIOS "), "SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS LIMIT 5");
  // The limit goes before the statement's closing semicolon.
  EXPECT_EQ(AdaptaSentencia("SELECT TOP 2 ID FROM T ORDER BY ID; "), "SELECT ID FROM T ORDER BY ID LIMIT 2");
}

TEST(SqlAdapter, IsNullAndDeleteWithoutFrom) {
  EXPECT_EQ(AdaptaSentencia("SELECT ISNULL(A,0), isnull (B,'') FROM T"),
            "SELECT IFNULL(A,0) COLLATE CI, IFNULL(B,'') COLLATE CI FROM T");
  EXPECT_EQ(AdaptaSentencia("DELETE V_MV_CTROL_CPTE WHERE TC = '  OC'"), "DELETE FROM V_MV_CTROL_CPTE WHERE TC = '  OC'");
  EXPECT_EQ(AdaptaSentencia("DELETE FROM T WHERE A = 1"), "DELETE FROM T WHERE A = 1");
}

TEST(SqlAdapter, QuotedTextIsNeverTouched) {
  EXPECT_EQ(AdaptaSentencia("UPDATE T SET A = 'ISNULL(x) TOP 3' WHERE B = 'it''s ISNULL('"),
            "UPDATE T SET A = 'ISNULL(x) TOP 3' WHERE B = 'it''s ISNULL('");
  EXPECT_EQ(AdaptaSentencia("SELECT [ISNULL(] FROM T"), "SELECT [ISNULL(] FROM T");
}

TEST(SqlAdapter, TheProgramsOwnTextsStayAsTheyAre) {
  const char* textos[] = {
      "UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Ana' WHERE ( (IDDIARIO = 7) OR  (IDDIARIO = 9)) AND (TC = 'OT')",
      "SELECT * FROM V_MV_DIARIOS WHERE IDDIARIO = 12",
      "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'",
      "SELECT *, UD_TTE AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN = '123'",
  };
  for (const char* t : textos) EXPECT_EQ(AdaptaSentencia(t), QString(t));
}

TEST(SqlAdapter, BatchesSplitAtLineBreaksOutsideQuotes) {
  QStringList r = Adapta("INSERT INTO T VALUES ('a\nb')\r\nDELETE T WHERE X = 1\rUPDATE T SET A = 1\n\n");
  ASSERT_EQ(r.size(), 3);
  EXPECT_EQ(r[0], "INSERT INTO T VALUES ('a\nb')");
  EXPECT_EQ(r[1], "DELETE FROM T WHERE X = 1");
  EXPECT_EQ(r[2], "UPDATE T SET A = 1");
  EXPECT_TRUE(Adapta("   \r\n ").isEmpty());
}

TEST(SqlAdapter, TextFunctionResultsCompareWithTheServerLikeCollation) {
  EXPECT_EQ(AdaptaSentencia("SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS  Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000025a') "),
            "SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS  Where  (LTRIM(RTRIM(IDCOMPROBANTE) COLLATE CI) COLLATE CI >= "
            "'000100000025a') ");
  EXPECT_EQ(AdaptaSentencia("SELECT * FROM T WHERE RTRIM(LTRIM(TC)) = 'ot'"),
            "SELECT * FROM T WHERE RTRIM(LTRIM(TC) COLLATE CI) COLLATE CI = 'ot'");
  // ISNULL becomes IFNULL and keeps the collation; a name glued to the
  // parenthesis stays apart from it.
  EXPECT_EQ(AdaptaSentencia("SELECT ISNULL(A, '')AS B FROM T"), "SELECT IFNULL(A, '') COLLATE CI AS B FROM T");
  // Parentheses inside quotes and the arguments' own parentheses do not
  // confuse the call's end; other functions and columns are left alone.
  EXPECT_EQ(AdaptaSentencia("SELECT REPLACE(X, ')', '(') FROM T WHERE COUNT(Y) > 0 AND T.UPPER = (1)"),
            "SELECT REPLACE(X, ')', '(') COLLATE CI FROM T WHERE COUNT(Y) > 0 AND T.UPPER = (1)");
  EXPECT_EQ(AdaptaSentencia("SELECT * FROM T WHERE UPPER(SUBSTRING(A, 1, (2))) = 'X'"),
            "SELECT * FROM T WHERE UPPER(SUBSTRING(A, 1, (2)) COLLATE CI) COLLATE CI = 'X'");
  // A call that already names its collation keeps it.
  EXPECT_EQ(AdaptaSentencia("SELECT * FROM T WHERE LTRIM(A) COLLATE CI = LTRIM(?)"),
            "SELECT * FROM T WHERE LTRIM(A) COLLATE CI = LTRIM(?) COLLATE CI");
}
