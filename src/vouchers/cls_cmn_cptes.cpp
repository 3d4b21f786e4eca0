#include "vouchers/cls_cmn_cptes.h"

#include "platform/cls_util.h"
#include "session/mod_global.h"

ClsCmnCptes::ClsCmnCptes() {
  // The rates are read once, when the object is made; the configuration text
  // is read as a four-decimal amount.
  TasaIVA = gUtil.ConvierteMoneda(Cfg(QStringLiteral("PIVA"))).ADoble();
  TasaIVARecargo = gUtil.ConvierteMoneda(Cfg(QStringLiteral("PIVARec"))).ADoble();
}
