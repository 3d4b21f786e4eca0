#include "ventana_principal.h"

#include <QApplication>

#include "approval/frm_datos_adic_tareas.h"
#include "approval/frm_detalle_tareas.h"
#include "platform/cls_campos.h"
#include "platform/cls_datos.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "support/lineas.h"

void VentanaPrincipal::SetUp() {
  e.CreaBase();
  programa::FijaLineaDeComando("@Server=; @DbName=prueba.db; @Usuario=supervisor; @Password=;");
  programa::FijaCierre([this] { cerrado = true; });
  // The data go in through a connection of their own before the window loads.
  gDatos.BaseDeDatos = "prueba.db";
  ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
  CargaDatos();
  gDatos.Desconecta();
  w = &FrmZamolid::Global();
  w->Show();
  QApplication::setActiveWindow(w);
  ASSERT_TRUE(gDatos.Conectado());
}

void CierraVentanas() {
  FrmDatosAdicTareas::LiberaGlobal();
  FrmDetalleTareas::LiberaGlobal();
  if (FrmZamolid::Existente()) {
    FrmZamolid::Existente()->hide();
    FrmZamolid::LiberaGlobal();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TextBox& CajaDe(FrmZamolid* w, const QString& nombre) { return w->txtFields(gCampos.IndiceCampo(nombre, w->txtFields)); }

QStringList IdsDe(FrmZamolid* w) {
  QStringList r;
  for (int i = 1; i <= w->ListView1->ListItems().Count(); ++i) r << w->ListView1->ListItems()(i)->SubItems(1);
  return r;
}

void PoneOrden(FrmZamolid* w, const QString& extremo, const QString& sucursal, const QString& numero,
               const QString& letra) {
  CajaDe(w, "Sucursal_" + extremo).SetText(sucursal);
  CajaDe(w, "Nro_" + extremo).SetText(numero);
  CajaDe(w, "Letra_" + extremo).SetText(letra);
}

void VentanaPrincipal::TearDown() {
  // A window a test left loaded does not reach the next test.
  CierraVentanas();
  programa::FijaCierre({});
}

void VentanaPrincipal::CargaDatos() {
  e.Sql("DELETE FROM V_MV_DIARIOS");
  e.Sql("DELETE FROM V_TA_TECNICOS");
  e.Sql("DELETE FROM V_MV_CPTETAREAS");
  e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   1', 'Juan Pérez'), ('   2', 'María Gómez'), "
        "('  12', 'Patricio O''Neill')");
  const char* filas[] = {
      "(7, '2026-03-10', 'OT', '000100000025A', 0, '   1', '   5', 'Cambio de filtros', 90, 'Sin novedad', NULL)",
      "(7, '2026-03-10', 'OT', '000100000025A', 0, '   1', '  12', 'Limpieza de serpentina', 510, NULL, NULL)",
      "(9, '2026-03-15', 'OT', '000100000030A', 1, '   2', '   5', 'Revisión general', 45, 'Cliente ausente', '   ')",
      "(11, '2026-03-20', 'OT', '000200000001B', 0, '  12', '   7', 'Instalación', 240, '', 'Ana')",
      "(13, '2026-03-22', 'PR', '000100000040A', 0, '   3', '   5', 'Presupuesto', 30, '', NULL)",
      "(15, '2026-04-02', 'OT', '000300000002A', 2, '   2', '   9', 'Ajuste', 60, NULL, NULL)",
  };
  for (const char* f : filas)
    e.Sql(QString("INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO, IDTAREA, "
                  "DESCRIPCION, MINUTOS, OBSERVACIONES, AUTORIZADOPOR) VALUES ") +
          f);
  e.Sql("INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA, DESCRIPCIONADICIONAL) VALUES "
        "('OT', '000100000025A', 0, '   5', 'Usar filtros originales' || char(13) || char(10) || 'Llamar antes'), "
        "('OT', '000100000030A', 1, '   5', NULL)");
}

TextBox& VentanaPrincipal::Caja(const QString& nombre) { return CajaDe(w, nombre); }

ListItem* VentanaPrincipal::Linea(const QString& idDiario) { return &LineaExistente(w->ListView1, 1, idDiario); }

QStringList VentanaPrincipal::Ids() { return IdsDe(w); }

QString VentanaPrincipal::Aprobador(int idDiario) {
  QVariant v = e.Valor(QString("SELECT AUTORIZADOPOR FROM V_MV_DIARIOS WHERE IDDIARIO = %1").arg(idDiario));
  return v.isNull() ? QStringLiteral("<NULL>") : v.toString();
}

void VentanaPrincipal::Busca() { w->CmdBuscar_Click(); }

void VentanaPrincipal::AgregaReportes(int desde, int hasta, const QString& tc) {
  e.Sql(QString("WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                "INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO) "
                "SELECT i, '2026-05-01', %3, '000100000099A', 0, '   1' FROM n")
            .arg(desde)
            .arg(hasta)
            .arg(ClsDatos::Literal(tc)));
}
