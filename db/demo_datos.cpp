#include "demo_db.h"
#include "demo_sqlite.h"

namespace demo {

void CreaBaseDemo(const QString& archivo, const Opciones& opciones) {
  CreaEsquema(archivo);
  Q_UNUSED(opciones);
}

}  // namespace demo
