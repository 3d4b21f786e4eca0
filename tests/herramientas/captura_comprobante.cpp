// Saves pictures of a demo voucher loaded into a voucher screen, without a
// display: the whole screen, its task, article and other-concept grids and
// its summary grid (by rubro), for looking at what the voucher class writes:
//   captura_comprobante PREFIJO [CARPETA_CON_demo.db] [TC CLAVE COMPLEMENTO [PROVEEDOR]]
// (a supplier's account loads a purchase voucher) writes PREFIJO-pantalla.png, PREFIJO-tareas.png, PREFIJO-articulos.png,
// PREFIJO-otros.png and PREFIJO-resumen.png. Without a voucher it takes the
// quote with the most article lines among those that also have tasks and
// other concepts.
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "aplicacion_captura.h"
#include "demo_db.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/sstab.h"
#include "platform/controles/statusbar.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/pantalla_cptes.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: captura_comprobante PREFIJO [CARPETA] [TC CLAVE COMPLEMENTO [PROVEEDOR]]\n");
    return 2;
  }
  AplicacionCaptura app(argc, argv);
  QTemporaryDir tmp;
  const QString carpeta = CarpetaDemo(argc, argv, tmp);
  if (!QFile::exists(QDir(carpeta).filePath("PRINTERS.PRN"))) demo::CreaArchivoImpresoras(carpeta);
  IniciaEnDemo(carpeta);
  if (!gDatos.Conectado()) return 1;

  QString tc = QStringLiteral("PR"), clave, complemento = QStringLiteral("0"), proveedor;
  if (argc > 5) {
    tc = QString::fromLocal8Bit(argv[3]);
    clave = QString::fromLocal8Bit(argv[4]);
    complemento = QString::fromLocal8Bit(argv[5]);
    if (argc > 6) proveedor = QString::fromLocal8Bit(argv[6]);
  } else {
    const QString de = QStringLiteral(" x WHERE x.TC = c.TC AND x.IDCOMPROBANTE = c.IDCOMPROBANTE AND "
                                      "x.IDCOMPLEMENTO = c.IDCOMPLEMENTO");
    clave = PrimerValor(QStringLiteral("SELECT c.IDCOMPROBANTE FROM V_MV_CPTE c WHERE c.TC = '  PR' AND ") +
                    QStringLiteral("EXISTS (SELECT 1 FROM V_MV_CPTETAREAS") + de + QStringLiteral(") AND ") +
                    QStringLiteral("EXISTS (SELECT 1 FROM V_MV_CPTEINSUMOS") + de + QStringLiteral(") AND ") +
                    QStringLiteral("EXISTS (SELECT 1 FROM V_MV_CPTE_OBSERV") + de +
                    QStringLiteral(" AND x.TIPO_OBS = 'OC') ORDER BY (SELECT COUNT(*) FROM V_MV_CPTEINSUMOS") + de +
                    QStringLiteral(") DESC, c.ID"));
  }

  ClsCmnCptes cptes;
  PantallaCpte p;
  p.SetCaption(QStringLiteral("Comprobante %1 %2").arg(tc, clave));
  p.show();
  p.Inicializa(cptes, tc);
  if (!cptes.AsignarDatosComprobante(tc, clave, complemento, *p.MSFlexGrid1, *p.MSFlexGrid2, *p.MSFlexGrid3, false,
                                     nullptr, !proveedor.isEmpty(), proveedor)) {
    std::fprintf(stderr, "no se encontró el comprobante %s %s\n", qPrintable(tc), qPrintable(clave));
    return 1;
  }
  cptes.TotalizadorControl(*p.MSFlexGrid1, *p.MSFlexGrid2, *p.MSFlexGrid3, *p.MSFlexGrid4, *p.SSTab1, true);
  p.MSFlexGrid2->SetRow(1);
  cptes.MuestraDetalleArticulos(*p.MSFlexGrid2, *p.StatusBar1);
  p.StatusBar1->Panels()(1)->SetText(QStringLiteral("01/12/2026"));
  p.StatusBar1->Panels()(2)->SetText(gUsuarioLogeado);
  p.StatusBar1->Panels()(3)->SetText(tc + u' ' + clave);

  const QString prefijo = QString::fromLocal8Bit(argv[1]);
  bool bien = true;
  const char* const nombres[] = {"tareas", "articulos", "otros"};
  MSFlexGrid* grillas[] = {p.MSFlexGrid1, p.MSFlexGrid2, p.MSFlexGrid3};
  for (int i = 2; i >= 0; --i) {
    p.SSTab1->SetTab(i);
    app.processEvents();
    bien = grillas[i]->grab().save(prefijo + u'-' + QLatin1String(nombres[i]) + QStringLiteral(".png")) && bien;
  }
  bien = p.MSFlexGrid4->grab().save(prefijo + QStringLiteral("-resumen.png")) && bien;
  bien = p.grab().save(prefijo + QStringLiteral("-pantalla.png")) && bien;
  return bien ? 0 : 1;
}
