// One user posting stock vouchers, for the test of two users at once: each
// voucher is an inventory adjustment ("AJP") of a kit and of an oil in two
// lots, posted at once through the voucher class, so each posting also
// discharges the kit's components under a "PE" key of its own.
//   posteador_stock BASE CANTIDAD SUCURSAL [SALIDA]
// The vouchers are numbered SUCURSAL-1 .. SUCURSAL-CANTIDAD. With SALIDA,
// once connected it writes SALIDA.SUCURSAL and waits for SALIDA to exist
// before its first posting, so both users start together. Ends with 0 when
// every posting was made whole and nothing was asked or shown, 1 otherwise.
#include <QApplication>
#include <cstdio>

#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "usuario_concurrente.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "uso: posteador_stock BASE CANTIDAD SUCURSAL [SALIDA]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InteraccionGuionada* preguntas = ConectaUsuario(argv[1]);
  if (!preguntas) return 1;
  const int cantidad = QString::fromLocal8Bit(argv[2]).toInt();
  const int sucursal = QString::fromLocal8Bit(argv[3]).toInt();

  Form form("FrmAjuste");
  auto* grilla = new MSFlexGrid(&form, "MSFlexGrid2");
  auto* editor = new TextBox(&form, "TxtEdit2");
  ClsCmnCptes cptes;
  cptes.InicializaGrids(nullptr, grilla, nullptr, nullptr, editor, nullptr, &form, "AJP");
  grilla->SetRows(3);
  grilla->SetTextMatrix(1, ColArticulos::kArticulo, "KIT");
  grilla->SetTextMatrix(1, ColArticulos::kCantidad, "2");
  grilla->SetTextMatrix(2, ColArticulos::kArticulo, "ACEITE");
  grilla->SetTextMatrix(2, ColArticulos::kCantidad, "2");
  grilla->SetTextMatrix(2, ColArticulos::kNroLote, "|L1|L2|");

  if (argc > 4 && !EsperaAlOtro(QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[3]))) return 1;
  for (int i = 1; i <= cantidad; ++i) {
    bool hayError = false;
    const QString clave = QStringLiteral("%1%2X").arg(sucursal, 4, 10, QChar(u'0')).arg(i, 8, 10, QChar(u'0'));
    if (!cptes.ActualizaStock(grilla, "AJP", clave, "0", "2026-11-20", "1", QString(), QString(), QString(), QString(),
                              false, "NULL", false, nullptr, &hayError) ||
        hayError) {
      for (const auto& l : preguntas->llamadas) std::fprintf(stderr, "%s\n", qPrintable(l.texto));
      return 1;
    }
  }
  return preguntas->llamadas.empty() ? 0 : 1;
}
