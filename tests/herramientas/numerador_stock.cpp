// One user posting stock vouchers that discharge components, for the test
// of two users at once: each posting takes the write lock, asks for the key
// of a new "PE" voucher, writes a movement under it and records the number
// used, as the stock posting does.
//   numerador_stock BASE CANTIDAD ETIQUETA [SALIDA]
// With SALIDA, once connected it writes SALIDA.ETIQUETA and waits for
// SALIDA to exist before its first posting, so both users start together.
// Ends with 0 when every posting got a key and was written, 1 otherwise.
#include <QCoreApplication>
#include <cstdio>

#include "platform/cls_datos.h"
#include "session/numeracion.h"
#include "usuario_concurrente.h"
#include "vouchers/stock.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "uso: numerador_stock BASE CANTIDAD ETIQUETA\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  InteraccionGuionada* preguntas = ConectaUsuario(argv[1]);
  if (!preguntas) return 1;
  const int cantidad = QString::fromLocal8Bit(argv[2]).toInt();
  const QString etiqueta = ClsDatos::Literal(QString::fromLocal8Bit(argv[3]));
  if (argc > 4 && !EsperaAlOtro(QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[3]))) return 1;
  try {
    for (int i = 0; i < cantidad; ++i) {
      TransaccionStock bloqueo;
      const QString clave = AsignarNumeroComprobante("PE", "0001", "X");
      if (clave.size() != 13) return 1;
      gDatos.Ejecuta("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, CANTIDAD, CONTROLADOPOR) VALUES ('  PE', " +
                     ClsDatos::Literal(clave) + ", 1, -1, " + etiqueta + ")");
      QString lote;
      const QString siguiente = ' ' + QString::number(clave.mid(4, 8).toLong() + 1);
      if (!GrabaNumeroComprobante("PE", "STOCK", clave.left(4), siguiente, clave.mid(12, 1), true, lote)) return 1;
      gDatos.Ejecuta(lote);
      bloqueo.Confirma();
    }
  } catch (const vb::Error& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.Description));
    return 1;
  }
  return preguntas->llamadas.empty() ? 0 : 1;
}
