// The voucher pick list, the real charges of a customer and the charges
// dialog (the dialogs themselves open through their libraries' openers).
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/dialogos_cptes.h"

void ClsCmnCptes::ConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro,
                                      QString* IdComplemento, QString* Proveedor) {
  Abridor(Dialogos().ConsultaComprobante, "la lista de comprobantes")(TC, Respuesta, Filtro, IdComplemento, Proveedor);
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
  Abridor(Dialogos().ControlDeCargosReales, "el control de cargos")(Formulario, Cliente, Matricula);
}
