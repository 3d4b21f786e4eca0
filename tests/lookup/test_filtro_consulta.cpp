// The server filter the pick forms add on F5: where each condition goes in
// statements of every shape, and that the statement still runs and narrows.
#include <gtest/gtest.h>

#include "consultas_prueba.h"
#include "lookup/filtro_consulta.h"

namespace {

class FiltroF5 : public Consultas {
 protected:
  int Filas(const QString& sql) {
    Recordset rs;
    gDatos.AbreRecordset(sql, rs);
    int n = 0;
    for (; !rs.Eof(); rs.MoveNext()) ++n;
    return n;
  }
};

}  // namespace

TEST_F(FiltroF5, EachConditionGoesWhereTheStatementsShapeWantsIt) {
  struct Caso {
    const char* sentencia;
    const char* texto;
    const char* resultado;
    int filas;
  } casos[] = {
      // An ORDER BY inside a sub-query, a quoted text or a bracketed name is
      // not the statement's own.
      {"SELECT NOMBRE FROM MA_CLIENTES WHERE CODIGO IN (SELECT CODIGO FROM MA_CLIENTES ORDER BY CODIGO LIMIT 3) "
       "ORDER BY NOMBRE",
       "e",
       "SELECT NOMBRE FROM MA_CLIENTES WHERE CODIGO IN (SELECT CODIGO FROM MA_CLIENTES ORDER BY CODIGO LIMIT 3)  and "
       "NOMBRE like '%e%' ORDER BY NOMBRE",
       2},
      {"SELECT NOMBRE AS [order by x] FROM MA_CLIENTES WHERE NOMBRE <> 'order by' /* order by */", "ana",
       "SELECT NOMBRE AS [order by x] FROM MA_CLIENTES WHERE NOMBRE <> 'order by' /* order by */ and NOMBRE like "
       "'%ana%' ",
       2},
      // The condition comes before GROUP BY / HAVING.
      {"SELECT DADA_DE_BAJA, COUNT(*) FROM MA_CLIENTES GROUP BY DADA_DE_BAJA ORDER BY 1", "perez",
       "SELECT DADA_DE_BAJA, COUNT(*) FROM MA_CLIENTES  where NOMBRE like '%perez%' GROUP BY DADA_DE_BAJA ORDER BY 1",
       2},
      {"SELECT DADA_DE_BAJA FROM MA_CLIENTES WHERE CODIGO > '  12' OR CODIGO = '   1' GROUP BY DADA_DE_BAJA "
       "HAVING COUNT(*) > 0",
       "a",
       "SELECT DADA_DE_BAJA FROM MA_CLIENTES WHERE (CODIGO > '  12' OR CODIGO = '   1')  and NOMBRE like '%a%' "
       "GROUP BY DADA_DE_BAJA HAVING COUNT(*) > 0",
       2},
      // An OR inside parentheses, or in a word, needs no new ones.
      {"SELECT NOMBRE FROM MA_CLIENTES WHERE (CODIGO = '   1' OR CODIGO = '   2') AND COLOR_OR IS NULL", "g",
       "SELECT NOMBRE FROM MA_CLIENTES WHERE (CODIGO = '   1' OR CODIGO = '   2') AND COLOR_OR IS NULL and NOMBRE "
       "like '%g%' ",
       -1},
  };
  e.Sql("ALTER TABLE MA_CLIENTES ADD COLUMN COLOR_OR TEXT");
  for (const Caso& c : casos) {
    FiltroConsulta f;
    const QString r = f.Agrega(c.sentencia, "NOMBRE", c.texto);
    EXPECT_EQ(r, c.resultado) << c.sentencia;
    if (c.filas >= 0) {
      EXPECT_EQ(Filas(r), c.filas) << c.sentencia;
    }
  }
  EXPECT_EQ(Filas(casos[4].resultado), 1);  // GARCIA
}

TEST_F(FiltroF5, TheTypedTextKeepsItsWildcardsAndNothingElse) {
  EXPECT_EQ(filtro_consulta::TextoLike(" O'Hara [1]%_ "), " O''Hara [[]1]%_ ");
  EXPECT_EQ(filtro_consulta::TextoLike(QString("A") + QChar(0) + "["), "A'+CHAR(0)+'[[]");
  // A half of a character standing alone is left out: a statement holding
  // one could not be adapted for the embedded database (TOP n stayed).
  EXPECT_EQ(filtro_consulta::TextoLike("pe" + QString(QChar(0xD800)) + QString::fromUtf8("ña") + QChar(0xDC00)),
            QString::fromUtf8("peña"));
  EXPECT_EQ(Filas(FiltroConsulta().Agrega("SELECT TOP 5 NOMBRE FROM MA_CLIENTES", "NOMBRE",
                                          QString(QChar(0xDFFF)) + QString::fromUtf8("peñ") + QChar(0xD800))),
            1);
  FiltroConsulta f;
  // Brackets, quotes and a semicolon stay inside the pattern.
  const QString r = f.Agrega("SELECT NOMBRE FROM MA_CLIENTES", "RAZON_SOCIAL", "o'h%a");
  EXPECT_EQ(r, "SELECT NOMBRE FROM MA_CLIENTES where RAZON_SOCIAL like '%o''h%a%' ");
  EXPECT_EQ(Filas(r), 1);
  EXPECT_EQ(Filas(f.Agrega(r, "NOMBRE", "[p]'; DELETE FROM MA_CLIENTES; --")), 0);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM MA_CLIENTES").toInt(), 8);
}
