// The audit row of an action on a voucher (V_MV_CPTEACCIONES).
#include <QDateTime>

#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "session/listas.h"
#include "session/mod_global.h"
#include "session/stuff.h"
#include "vouchers/cls_cmn_cptes.h"

bool ClsCmnCptes::ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                  bool lEsAlta, bool lEsModificacion, bool GeneraSentencia, QString* SentenciaSQL) {
  vb::ErrorSteps paso(QStringLiteral("ActualizaBuchon"));
  QString sql;
  if (!paso.step([&] {
        sql = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
        const QString accion = lEsAlta ? QStringLiteral("A") : lEsModificacion ? QStringLiteral("M") : QStringLiteral("B");
        gCamposInsert.assign(8, ParNombreValor{});
        gCamposInsert[0] = {QStringLiteral("TC"), gDatos.ValorSQL(gUtil.FormateaCodigo(vb::Trim(TC), 4), QStringLiteral("'"))};
        gCamposInsert[1] = {QStringLiteral("IdComprobante"), gDatos.ValorSQL(SucNroLetra, QStringLiteral("'"))};
        // The complement is a number: anything else goes in as its leading number.
        gCamposInsert[2] = {QStringLiteral("IdComplemento"), gDatos.ValorSQL(IdComplemento, QStringLiteral("@"))};
        gCamposInsert[3] = {QStringLiteral("Tipo_accion"), gDatos.ValorSQL(accion, QStringLiteral("'"))};
        gCamposInsert[4] = {QStringLiteral("FECHAHORA"),
                            gDatos.ValorSQL(FormateaFechaHora(QDateTime::currentDateTime(), FormatoFechaHora()),
                                            QStringLiteral("'"))};
        gCamposInsert[5] = {QStringLiteral("Usuario"), gDatos.ValorSQL(gUsuarioLogeado, QStringLiteral("'"))};
        gCamposInsert[6] = {QStringLiteral("PC"), gDatos.ValorSQL(gEntorno.NombrePC(), QStringLiteral("'"))};
        gCamposInsert[7] = {QStringLiteral("SYSTEMUSER"), ClsDatos::Literal(QString())};
        ArmaListaInsert(sql, gCamposInsert, true);
      }))
    return false;
  if (GeneraSentencia) {
    if (SentenciaSQL) *SentenciaSQL = sql;
    return true;
  }
  // A failed insert is reported; the caller learns it from the result.
  bool hecho = false;
  paso.step([&] {
    gDatos.Conexion().Execute(sql, nullptr, -1);
    hecho = true;
  });
  return hecho;
}
