// The voucher pick list, the real charges of a customer and the charges
// dialog.
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "vouchers/cls_cmn_cptes.h"

void ClsCmnCptes::ConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro,
                                      QString* IdComplemento, QString* Proveedor) {
  vb::ErrorSteps paso(QStringLiteral("ConsultaComprobante"));
  FrmConsComprobantes* f = nullptr;
  // The steps stop at the first one left; the instance is released in any
  // case, so the next pick starts from a fresh list.
  paso.step([&] {
    f = &FrmConsComprobantes::Global();
    f->TC = TC;
    f->Filtro = Filtro;
    f->NroComprobante.clear();
  }) && paso.step([&] { f->Show(1); }) && paso.step([&] {
    Respuesta = f->NroComprobante;
    if (IdComplemento) *IdComplemento = f->IdComplemento;
    if (Proveedor) *Proveedor = f->Proveedor;
  });
  FrmConsComprobantes::LiberaGlobal();
}

vb::Moneda ClsCmnCptes::ImporteCargosReales(const QString& Cuenta) {
  vb::ErrorSteps paso(QStringLiteral("ImporteCargosReales@"));
  vb::Moneda importe;
  Recordset rs;
  // A charge without a balance is still owed whole, as the charges dialog
  // shows it.
  if (!paso.step([&] {
        gDatos.AbreRecordset(QStringLiteral("SELECT SUM (ISNULL(SALDO, IMPORTE)) AS IMPORTE FROM V_MV_CargosAplicados "
                                            "WHERE CUENTA = ") +
                                 ClsDatos::Literal(vb::Trim(Cuenta)),
                             rs, nullptr, 0, 1, -1);
      }))
    return importe;
  paso.step([&] {
    importe = gUtil.ConvierteMoneda(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Importe")))));
  });
  return importe;
}

void ClsCmnCptes::ControlDeCargosReales(FrmCtrlCargosReales& Formulario, const QString& Cliente,
                                        const QString& Matricula) {
  Formulario.Cliente = Cliente;
  Formulario.Matricula = Matricula;
  Formulario.Show(1);
}
