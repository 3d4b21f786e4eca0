// The dialogs the voucher class opens come from the libraries above it:
// registered, the class's request opens them; missing, the request fails
// with a plain error instead of doing nothing.
#include <gtest/gtest.h>

#include "approval/registro_dialogos.h"
#include "base_cptes.h"
#include "support/errores.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/dialogos_cptes.h"

namespace {

// The openers as the test found them, back in place at the end.
class SinDialogos : public ConBase {
 protected:
  void TearDown() override { RegistraDialogosDelPrograma(); }
};

}  // namespace

TEST_F(SinDialogos, ARequestWhoseDialogNoLibraryRegisteredFailsPlainly) {
  ClsCmnCptes cptes;
  Dialogos() = DialogosCptes();
  QString respuesta = "previa";
  try {
    cptes.ConsultaComprobante("OT", respuesta);
    ADD_FAILURE() << "the request should have failed";
  } catch (const vb::Error& err) {
    EXPECT_EQ(err.Number, vb::ErrObjectRequired);
    EXPECT_TRUE(err.Description.contains("lista de comprobantes")) << err.Description.toStdString();
  }
  EXPECT_EQ(respuesta, "previa");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  FrmCtrlCargosReales cargos;
  EXPECT_EQ(NumeroDeError([&] { cptes.ControlDeCargosReales(cargos, "C001"); }), vb::ErrObjectRequired);
  EXPECT_TRUE(cargos.Cliente.isEmpty());

  // Registered, the same requests show their dialogs.
  RegistraDialogosDelPrograma();
  e.ui().accionesModales.push_back([](Form& f) { f.Hide(); });
  cptes.ConsultaComprobante("OT", respuesta);
  e.ui().accionesModales.push_back([](Form& f) { f.Hide(); });
  cptes.ControlDeCargosReales(cargos, "C001", "AB123");
  ASSERT_EQ(e.ui().Cuenta("Modal"), 2);
  EXPECT_EQ(e.ui().De("Modal")[0].texto, "FrmConsComprobantes");
  EXPECT_EQ(e.ui().De("Modal")[1].texto, "FrmCtrlCargosReales");
  EXPECT_EQ(cargos.Cliente, "C001");
  EXPECT_EQ(cargos.Matricula, "AB123");
}
