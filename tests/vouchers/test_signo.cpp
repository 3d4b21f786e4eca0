// The stock and VAT-book sign of a voucher type.
#include <gtest/gtest.h>

#include <memory>

#include "base_cptes.h"
#include "platform/cls_datos.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

class Signo : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    cptes = std::make_unique<ClsCmnCptes>();
  }
  void Tipo(const QString& tc, const QString& es = {}, const QString& signo = "NULL") {
    e.Sql(QString("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES (%1, 1, %2, %3)")
              .arg(ClsDatos::Literal(tc.trimmed().rightJustified(4)), es.isNull() ? "NULL" : ClsDatos::Literal(es), signo));
  }
  std::unique_ptr<ClsCmnCptes> cptes;
};

}  // namespace

TEST_F(Signo, TypesWithoutAStoredSignFallBackOnTheirCode) {
  // Type, VAT-book sign, stock sign.
  const struct {
    const char* tc;
    short iva, stock;
  } tabla[] = {{"FCC", 1, 1}, {"NDC", 1, 1},  {"FC", 1, -1}, {"ND", 1, -1},  {"NC", -1, 1},  {"NCC", -1, -1},
               {"IR", 1, 1},  {"AJP", 1, 1},  {"FPC", 1, 1}, {"RMC", 1, 1},  {"VS", 1, -1},  {"AJN", 1, -1},
               {"FP", 1, -1}, {"RM", 1, -1},  {"OT", 1, 0}};
  for (auto& t : tabla) Tipo(t.tc);
  for (auto& t : tabla) {
    EXPECT_EQ(cptes->ObtieneSignoComprobante(t.tc, true), t.iva) << t.tc;
    EXPECT_EQ(cptes->ObtieneSignoComprobante(t.tc), t.stock) << t.tc;
  }
  // Blanks and letter case do not hide the fallback.
  EXPECT_EQ(cptes->ObtieneSignoComprobante("fc"), -1);
  EXPECT_EQ(cptes->ObtieneSignoComprobante("NC ", true), -1);
  EXPECT_EQ(cptes->ObtieneSignoComprobante(" ncc "), -1);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(Signo, TheStoredDirectionAndSignComeFirst) {
  Tipo("FC", "e", "0");
  Tipo("NC", " s ", "5");
  Tipo("OP", "x");
  EXPECT_EQ(cptes->ObtieneSignoComprobante("FC"), 1);
  EXPECT_EQ(cptes->ObtieneSignoComprobante("FC", true), 0);  // a stored 0 stands
  EXPECT_EQ(cptes->ObtieneSignoComprobante("NC"), -1);
  EXPECT_EQ(cptes->ObtieneSignoComprobante("NC", true), 5);
  EXPECT_EQ(cptes->ObtieneSignoComprobante("OP"), 0);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(Signo, AnUnknownTypeIsToldAndHasNoSign) {
  EXPECT_EQ(cptes->ObtieneSignoComprobante("ZZ"), 0);
  EXPECT_EQ(cptes->ObtieneSignoComprobante("Z'Z", true), 0);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 2);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto, "El Tipo de Comprobante informado no existe en la tabla de comprobantes");
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al operador!!!");
  // A failing read is reported under the method's label and leaves it with no sign.
  e.Sql("DROP TABLE V_TA_CPTE");
  EXPECT_EQ(cptes->ObtieneSignoComprobante("FC"), 0);
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ObtieneSignoComprobante%");
}
