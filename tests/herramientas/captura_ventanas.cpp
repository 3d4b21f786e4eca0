// Saves pictures of the program's dialogs on a demo database, for looking at
// them without a display:
//   captura_ventanas CARPETA_SALIDA [CARPETA_CON_demo.db]
// writes detalle.png (a report's tasks), tecnicos.png (the technician pick
// list of the main window), comprobantes.png (the work-order pick list) and
// cargos.png (a customer's open charges).
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "aplicacion_captura.h"
#include "approval/frm_detalle_tareas.h"
#include "platform/cls_datos.h"
#include "platform/interaccion_guionada.h"
#include "platform/vb.h"
#include "session/consulta_tabla.h"
#include "session/mod_global.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "ventana_demo.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

QString salida;
bool bien = true;

// The next modal form is saved as the picture and closed.
void Captura(InteraccionGuionada& ui, const QString& archivo) {
  ui.accionesModales.push_back([archivo](Form& f) {
    QApplication::processEvents();
    const QString ruta = QDir(salida).filePath(archivo);
    if (!f.grab().save(ruta)) {
      std::fprintf(stderr, "no se pudo grabar %s\n", qPrintable(ruta));
      bien = false;
    } else {
      std::printf("%s\n", qPrintable(ruta));
    }
    f.Hide();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: captura_ventanas CARPETA_SALIDA [CARPETA]\n");
    return 2;
  }
  AplicacionCaptura app(argc, argv);
  salida = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(salida);
  QTemporaryDir tmp;
  VentanaDemo(argc, argv, tmp);
  app.processEvents();

  auto guion = std::make_unique<InteraccionGuionada>();
  InteraccionGuionada& ui = *guion;
  Interaccion::Instala(std::move(guion));

  FrmDetalleTareas& detalle = FrmDetalleTareas::Global();
  detalle.IdDiario = PrimerValor("SELECT MIN(IDDIARIO) FROM V_MV_DIARIOS");
  Captura(ui, "detalle.png");
  detalle.Show(1);

  Captura(ui, "tecnicos.png");
  QString descripcion, codigo, extra;
  ConsultaTabla("v_ta_tecnicos", descripcion, codigo, extra, true, QString());

  Captura(ui, "comprobantes.png");
  ClsCmnCptes cptes;
  QString respuesta;
  cptes.ConsultaComprobante("OT", respuesta);

  Captura(ui, "cargos.png");
  cptes.ControlDeCargosReales(FrmCtrlCargosReales::Global(),
                              PrimerValor("SELECT CUENTA FROM V_MV_CARGOSAPLICADOS GROUP BY CUENTA ORDER BY COUNT(*) DESC"),
                              QString());
  return bien && ui.Cuenta("Modal") == 4 ? 0 : 1;
}
