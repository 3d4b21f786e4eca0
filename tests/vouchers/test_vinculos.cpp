// Vouchers made from a voucher, their amounts, and the real charges of a
// customer.
#include <gtest/gtest.h>

#include <memory>

#include "base_cptes.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

class VinculosCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    Venta("OT", "000100000025A", 0, "Talleres Ulmendra", "1000");
    Venta("FC", "000100000101A", 0, "Talleres Ulmendra", "100", 0, "OT", "000100000025A", "0");
    Venta("RM", "000100000201R", 0, "Talleres Ulmendra", "50.25", 0, "OT", "000100000025A", "1");
    Venta("NC", "000100000301A", 0, "Talleres Ulmendra", "999", 1, "OT", "000100000025A", "2");
    Venta("FC", "000100000102A", 0, "Talleres Ulmendra", QString(), 0, "OT", "000100000025A", "3");
    Venta("FC", "000100000103A", 0, "Talleres Ulmendra", "7", 0, "PR", "000100000025A", "0");
    cptes = std::make_unique<ClsCmnCptes>();
  }
  std::unique_ptr<ClsCmnCptes> cptes;
};

}  // namespace

TEST_F(VinculosCpte, AVoucherIsLinkedByTypeKeyAndComplement) {
  EXPECT_TRUE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000025A", "0"));
  EXPECT_TRUE(cptes->EstaRelacionadoAOtroComprobante(" ot ", " 000100000025A ", "1"));
  // Only a voided voucher was made from complement 2.
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000025A", "2"));
  EXPECT_TRUE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000025A", "2", true));
  // Without a complement nothing matches the empty text.
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000025A"));
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("FC", "000100000025A", "0"));
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000030A", "0"));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(VinculosCpte, BadKeysFindNothingAndBreakNothing) {
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "0001000025A", "0"));
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "000100000025A0000", "0"));
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("OT", "x' OR '1' = '1", "0"));
  EXPECT_FALSE(cptes->EstaRelacionadoAOtroComprobante("O'T", "000100000025A", "0' OR '1' = '1"));
  EXPECT_EQ(cptes->ObtieneImporteCptesAsociados("OT", "x' OR '1' = '1").Texto(2), "0.00");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(VinculosCpte, TheAmountOfLinkedVouchersLeavesTheVoidedOnesOut) {
  // 100 + 50.25 of any complement; the voided 999 is left out, a missing amount adds 0.
  EXPECT_EQ(cptes->ObtieneImporteCptesAsociados("OT", "000100000025A").Texto(4), "150.2500");
  EXPECT_EQ(cptes->ObtieneImporteCptesAsociados("PR", "000100000025A").Texto(2), "7.00");
  EXPECT_EQ(cptes->ObtieneImporteCptesAsociados("OT", "000100000099A").Texto(2), "0.00");
}

TEST_F(VinculosCpte, RealChargesAddTheOpenBalanceOfTheAccount) {
  e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (CUENTA, FECHA, IMPORTE, SALDO) VALUES ('C001', '2026-03-01', 200, 100), "
        "('C001', '2026-03-02', 30, 25.5), ('C001', '2026-03-03', 80, NULL), ('C002', '2026-03-03', 80, 80), "
        "('O''X', '2026-03-03', 5, 5)");
  // 100 + 25.5, and the whole 80 of the charge without a balance.
  EXPECT_EQ(cptes->ImporteCargosReales(" C001 ").Texto(4), "205.5000");
  EXPECT_EQ(cptes->ImporteCargosReales("C009").Texto(2), "0.00");
  EXPECT_EQ(cptes->ImporteCargosReales("O'X").Texto(2), "5.00");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(VinculosCpte, AFailedChargesQueryIsReportedAndGivesZero) {
  e.Sql("DROP TABLE V_MV_CARGOSAPLICADOS");
  EXPECT_EQ(cptes->ImporteCargosReales("C001").Texto(2), "0.00");
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ImporteCargosReales@");
}
