// The charges dialog refuses editing a charge's line text: F2 on a line, or
// the edit asked by code, leaves the date as it was.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "lista_comprobantes.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/listview.h"
#include "session/mod_global.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "vouchers/cls_cmn_cptes.h"

TEST_F(ConComprobantes, ChargeLinesCannotBeEdited) {
  e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (ID, CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO) VALUES "
        "(7, 'C001', '2026-03-01', 'AB123', 'Lavado', 200, 150.5)");
  QString fecha;
  int editores = -1;
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmCtrlCargosReales&>(form);
    f.ListView1->ListItems()(1)->SetSelected(true);
    QTest::keyClick(f.ListView1, Qt::Key_F2);
    f.ListView1->StartLabelEdit();
    editores = 0;
    for (QLineEdit* editor : f.ListView1->viewport()->findChildren<QLineEdit*>()) editores += editor->isVisible();
    fecha = f.ListView1->ListItems()(1)->Text();
    f.CmdAceptar->click();
  });
  ClsCmnCptes c;
  c.ControlDeCargosReales(FrmCtrlCargosReales::Global(), "C001");
  EXPECT_EQ(editores, 0);
  EXPECT_EQ(fecha, "01/03/2026");
  EXPECT_EQ(gCargosAplicados.size(), 1u);
}
