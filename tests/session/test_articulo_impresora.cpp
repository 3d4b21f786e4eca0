// The article found by any of its codes or bar codes, and the printer
// settings of a voucher type for this workstation, another user or
// everybody.
#include <gtest/gtest.h>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "session/busca_articulo.h"
#include "session/impresora_comprobante.h"
#include "support/entorno.h"

namespace {

class ArticuloEImpresora : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    ASSERT_TRUE(gDatos.Conectado());
    // Codes and bar codes stored right-aligned at width 25.
    e.Sql("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, CODIGOBARRA, CODIGOBARRADUN, UD_TTE, "
          "CODIGOBARRA1, UMCB1, CODIGOBARRA2, UMCB2, CODIGOBARRA3, UMCB3, CODIGOBARRA4, UMCB4) VALUES "
          "('                    ART-1', 'Filtro', '  UN', '                      111', '                      222', "
          "' CAJ', '                      331', '  PQ', '                      332', '  BL', '                      333', "
          "' TAM', '                      334', ' PAL'), "
          "('                    ART-2', 'Aceite', '  LT', '                    ART-1', NULL, NULL, "
          "'                      999', '  PQ', NULL, NULL, NULL, NULL, NULL, NULL), "
          "('                    ART-0', 'Grasa', '  KG', NULL, NULL, NULL, '                      999', ' BID', "
          "NULL, NULL, NULL, NULL, NULL, NULL), "
          "('                    O''X-1', 'Con comilla', '  UN', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
          "NULL, NULL)");
  }
  // The search of a code: whether found, the code handed back, the found
  // article and its IDUNIDAD.
  QStringList Busca(QString codigo, bool barraPrimero) {
    Recordset rs;
    const bool hallado = BuscaArticuloPorCodigo(codigo, rs, true, barraPrimero);
    EXPECT_TRUE(rs.Abierto());
    if (!hallado) return {"no", codigo, QString::number(rs.RecordCount())};
    return {"si", codigo, rs.Fields("IdArticulo").Value().toString().trimmed(),
            rs.Fields("IDUNIDAD").Value().toString().trimmed(), rs.Fields("Descripcion").Value().toString()};
  }
};

}  // namespace

TEST_F(ArticuloEImpresora, AnArticleIsFoundByEachOfItsCodes) {
  for (bool primero : {false, true}) {
    SCOPED_TRACE(primero);
    EXPECT_EQ(Busca(" art-0", primero), (QStringList{"si", "ART-0", "ART-0", "KG", "Grasa"}));
    EXPECT_EQ(Busca("111", primero), (QStringList{"si", "ART-1", "ART-1", "UN", "Filtro"}));
    // The bar code of a unit: that unit under IDUNIDAD, the article's code.
    EXPECT_EQ(Busca("222", primero), (QStringList{"si", "ART-1", "ART-1", "CAJ", "Filtro"}));
    EXPECT_EQ(Busca("331", primero), (QStringList{"si", "ART-1", "ART-1", "PQ", "Filtro"}));
    EXPECT_EQ(Busca("332", primero)[3], "BL");
    EXPECT_EQ(Busca("333", primero)[3], "TAM");
    EXPECT_EQ(Busca("334", primero)[3], "PAL");
    // A bar code shared by two articles: the lowest article code.
    EXPECT_EQ(Busca("999", primero), (QStringList{"si", "ART-0", "ART-0", "BID", "Grasa"}));
    EXPECT_EQ(Busca("O'X-1", primero)[2], "O'X-1");
    EXPECT_EQ(Busca("nada' OR '1'='1", primero), (QStringList{"no", "nada' OR '1'='1", "0"}));
    EXPECT_EQ(Busca("  ", primero), (QStringList{"no", "  ", "0"}));
  }
  // A code that is one article's code and another's bar code: the flag
  // says which is asked first.
  EXPECT_EQ(Busca("ART-1", false)[2], "ART-1");
  EXPECT_EQ(Busca("ART-1", true)[2], "ART-2");
}

TEST_F(ArticuloEImpresora, PrinterSettingsOfThisWorkstationOfAnotherUserOrOfEverybody) {
  // The embedded schema's table, and a site's table with no more columns
  // than the settings themselves (no id to order by).
  for (bool soloAjustes : {false, true}) {
    SCOPED_TRACE(soloAjustes);
    e.Sql("DELETE FROM TA_CONFIG_IMP_CPTE");
    if (soloAjustes) {
      e.Sql("DROP TABLE TA_CONFIG_IMP_CPTE");
      e.Sql("CREATE TABLE TA_CONFIG_IMP_CPTE (TC TEXT, LETRA TEXT, USUARIO TEXT, Impresora TEXT, CantCopias INTEGER, "
            "CantLineas INTEGER, DestinoDefault TEXT)");
    }
    e.Sql("INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, IMPRESORA, CANTCOPIAS, CANTLINEAS, DESTINODEFAULT) "
          "VALUES ('FC', 'A', NULL, ' Laser ', 2, 24, ' IMPRESORA '), ('FC', 'A', 'puesto1|ana', 'PDF', 1, 30, "
          "'ARCHIVO'), ('FC', 'A', 'caja2|o''neil', 'Ticket', 3, 12, 'IMPRESORA'), ('NC', 'B', 'otro|pepe', "
          "'Solo otro', 1, 5, ''), ('RM', 'R', NULL, 'Matricial', NULL, NULL, NULL)");
    struct Resultado {
      QString impresora, destino, usuario;
      int copias, lineas;
      bool operator==(const Resultado&) const = default;
    };
    auto pide = [](const QString& tc, const QString& letra, QString usuario) {
      Resultado r{"antes", "destino anterior", usuario, 9, 77};
      ObtieneImpresoraComprobante(tc, letra, r.impresora, r.copias, r.lineas, r.destino, r.usuario);
      return r;
    };
    // This workstation (the identity of a blank user) wins over everybody's.
    EXPECT_EQ(pide("FC", "A", " "), (Resultado{"PDF", "ARCHIVO", "puesto1|ana", 1, 30}));
    EXPECT_EQ(pide(" FC ", "A", "caja2|o'neil"), (Resultado{"Ticket", "IMPRESORA", "caja2|o'neil", 3, 12}));
    EXPECT_EQ(pide("FC", "A", "nadie|x"), (Resultado{"Laser", "IMPRESORA", "nadie|x", 2, 24}));
    // Only another workstation's row: no settings; lines and destination kept.
    EXPECT_EQ(pide("NC", "B", ""), (Resultado{"", "destino anterior", "puesto1|ana", 0, 77}));
    // Empty copies and lines read 0.
    EXPECT_EQ(pide("RM", "R", ""), (Resultado{"Matricial", "", "puesto1|ana", 0, 0}));
    EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  }
}
