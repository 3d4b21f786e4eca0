#include "session/impresora_comprobante.h"

#include <QGuiApplication>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"

void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora, int& CantCopias,
                                 int& CantLineas, QString& DestinoDefault, QString& Usuario) {
  vb::ErrorSteps paso(QStringLiteral("ObtieneImpresoraComprobante"), [](const vb::Error& e) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    return gUtil.ReportaError(e, QStringLiteral("ObtieneImpresoraComprobante"));
  });
  if (vb::Trim(Usuario).isEmpty()) Usuario = gEntorno.NombrePC() + u'|' + gEntorno.NombreUsuario();
  const QString tc = vb::Trim(TC), letra = vb::Trim(Letra);
  const QString base = QStringLiteral("SELECT * FROM TA_CONFIG_IMP_CPTE WHERE TC = ? AND LETRA = ? AND ");

  Recordset rs;
  if (!paso.step([&] {
        gDatos.AbreRecordsetPreparado(base + QStringLiteral("USUARIO = ?"), {tc, letra, Usuario}, rs);
      }))
    return;
  bool sinFila = true;
  if (!paso.step([&] { sinFila = rs.Bof(); })) return;
  if (sinFila) {
    if (!paso.step([&] {
          gDatos.AbreRecordsetPreparado(base + QStringLiteral("USUARIO IS NULL"), {tc, letra}, rs);
        }) ||
        !paso.step([&] { sinFila = rs.Bof(); }))
      return;
  }
  auto texto = [&](const char* campo) {
    return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QLatin1String(campo))));
  };
  if (sinFila) {
    Impresora.clear();
    CantCopias = 0;
  } else {
    paso.step([&] { Impresora = vb::Trim(texto("Impresora")); }) &&
        paso.step([&] { CantCopias = vb::CInt(vb::Val(texto("CantCopias"))); }) &&
        paso.step([&] { CantLineas = vb::CInt(vb::Val(texto("CantLineas"))); }) &&
        paso.step([&] { DestinoDefault = vb::Trim(texto("DestinoDefault")); });
  }
  gDatos.CierraRecordset(rs);
}
