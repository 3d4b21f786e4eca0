// Saves pictures of the program's dialogs on a demo database, for looking at
// them without a display:
//   captura_ventanas CARPETA_SALIDA [CARPETA_CON_demo.db]
// writes detalle.png (a report's tasks), tecnicos.png (the technician pick
// list of the main window), comprobantes.png (the work-order pick list),
// cargos.png (a customer's open charges) and aviso.png (a message box as the
// approval shows it, the real dialog).
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "aplicacion_captura.h"
#include "approval/frm_detalle_tareas.h"
#include "platform/cls_datos.h"
#include "platform/interaccion_guionada.h"
#include "platform/interaccion_qt.h"
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

// The message box the real interaction shows is saved as the picture and
// closed.
void CapturaAviso(const QString& archivo, const QString& texto) {
  QTimer buscador;
  QObject::connect(&buscador, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    buscador.stop();
    const QString ruta = QDir(salida).filePath(archivo);
    if (box->grab().save(ruta)) {
      std::printf("%s\n", qPrintable(ruta));
    } else {
      std::fprintf(stderr, "no se pudo grabar %s\n", qPrintable(ruta));
      bien = false;
    }
    box->close();
  });
  buscador.start(10);
  InteraccionQt().MsgBox(texto, vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
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
  CapturaAviso("aviso.png", QStringLiteral("De los 3 partes marcados, 1 no se aprobó:\n"
                                           "- 1 ya había sido aprobado por otro supervisor: 182 (Ana Ferreyra)"));
  return bien && ui.Cuenta("Modal") == 4 ? 0 : 1;
}
