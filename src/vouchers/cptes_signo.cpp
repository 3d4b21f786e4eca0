// The stock and VAT-book sign of a voucher type.
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

// Signs of the types whose row leaves them open: VAT book, stock.
struct SignoPorTipo {
  const char* tipo;
  short libroIva;
  short stock;
};
constexpr SignoPorTipo kSignos[] = {
    {"FCC", 1, 1}, {"NDC", 1, 1}, {"FC", 1, -1}, {"ND", 1, -1},  {"NC", -1, 1},  {"NCC", -1, -1}, {"IR", 1, 1},
    {"AJP", 1, 1}, {"FPC", 1, 1}, {"RMC", 1, 1}, {"VS", 1, -1},  {"AJN", 1, -1}, {"FP", 1, -1},   {"RM", 1, -1},
};

short SignoDelTipo(const QString& TC, bool libroIva) {
  const QString t = vb::Trim(TC);
  for (const SignoPorTipo& s : kSignos)
    if (vb::Igual(t, QLatin1String(s.tipo))) return libroIva ? s.libroIva : s.stock;
  // Every other type enters the VAT book positively and has no stock sign.
  return libroIva ? 1 : 0;
}

}  // namespace

short ClsCmnCptes::ObtieneSignoComprobante(const QString& TC, bool LibroIVA) {
  vb::ErrorSteps paso(QStringLiteral("ObtieneSignoComprobante%"));
  short signo = 0;
  Recordset rs;
  if (!paso.step([&] {
        gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO=") +
                                 ClsDatos::Literal(gUtil.FormateaCodigo(vb::Trim(TC), 4)),
                             rs, nullptr, 0, 1, -1);
      }))
    return signo;
  paso.step([&] {
    if (rs.Bof()) {
      Interaccion::Actual().MsgBox(QStringLiteral("El Tipo de Comprobante informado no existe en la tabla de comprobantes"),
                                   vbmsg::Critical | vbmsg::OKOnly, QStringLiteral("Aviso al operador!!!"));
      return;
    }
    if (LibroIVA) {
      const Field f = rs.Fields(QStringLiteral("Signo"));
      signo = f.IsNull() ? SignoDelTipo(TC, true) : static_cast<short>(vb::CInt(gUtil.ConvierteDoble(vb::Texto(f.Value()))));
      return;
    }
    const QString es = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(QStringLiteral("ES")))));
    if (vb::Igual(es, QStringLiteral("E"))) signo = 1;
    else if (vb::Igual(es, QStringLiteral("S"))) signo = -1;
    else signo = SignoDelTipo(TC, false);
  });
  gDatos.CierraRecordset(rs);
  return signo;
}
