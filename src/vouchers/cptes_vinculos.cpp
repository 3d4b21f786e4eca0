// Vouchers made from a voucher: a derived voucher carries its origin in
// TCORIGEN, COMPROBANTEORIGEN and COMPLEMENTOORIGEN of V_MV_CPTE.
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

QString CondicionOrigen(const QString& TC, const QString& SucNroLetra) {
  return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = ") +
         ClsDatos::Literal(gUtil.FormateaCodigo(vb::Trim(TC), 4)) + QStringLiteral(" AND COMPROBANTEORIGEN = ") +
         ClsDatos::Literal(vb::Trim(SucNroLetra));
}

}  // namespace

bool ClsCmnCptes::EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                                  const QString& Complemento, bool TenerEnCuentaAnulados) {
  const QString sql = CondicionOrigen(TC, SucNroLetra) + QStringLiteral(" AND COMPLEMENTOORIGEN = ") +
                      ClsDatos::Literal(Complemento) + QStringLiteral(" ") +
                      (TenerEnCuentaAnulados ? QString() : QStringLiteral(" AND ANULADA = 0"));
  Recordset rs;
  gDatos.AbreRecordset(sql, rs, nullptr, 0, 1, -1);
  const bool relacionado = !rs.Bof();
  gDatos.CierraRecordset(rs);
  return relacionado;
}

vb::Moneda ClsCmnCptes::ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra) {
  Recordset rs;
  gDatos.AbreRecordset(CondicionOrigen(TC, SucNroLetra) + QStringLiteral(" AND ANULADA = 0"), rs, nullptr, 0, 1, -1);
  vb::Moneda total;
  if (!rs.Bof()) {
    while (!rs.Eof()) {
      total = total + gUtil.ConvierteMoneda(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Importe")))));
      rs.MoveNext();
    }
  }
  gDatos.CierraRecordset(rs);
  return total;
}
