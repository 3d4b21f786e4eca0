#include "voucher_dialogs/dialogos_comprobantes.h"

#include "platform/error_steps.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "vouchers/dialogos_cptes.h"

namespace {

// The voucher pick list of a type: the chosen voucher's key (empty when
// nothing was chosen) and what the list hands back for the type.
void AbreConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro, QString* IdComplemento,
                             QString* Proveedor) {
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

// The charges dialog the caller passes, for a customer.
void AbreControlDeCargosReales(FrmCtrlCargosReales& Formulario, const QString& Cliente, const QString& Matricula) {
  Formulario.Cliente = Cliente;
  Formulario.Matricula = Matricula;
  Formulario.Show(1);
}

}  // namespace

void RegistraDialogosComprobantes() {
  DialogosCptes& d = Dialogos();
  d.ConsultaComprobante = AbreConsultaComprobante;
  d.ControlDeCargosReales = AbreControlDeCargosReales;
}
