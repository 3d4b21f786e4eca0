#pragma once
// A started program on a schema-only database, for the voucher class.
#include <QString>

#include "support/entorno.h"

class ConBase : public ConEntorno {
 protected:
  void SetUp() override;
  void Config(const QString& clave, const QString& valor);
  // A voucher of the sales side, with its origin when it was made from one.
  void Venta(const QString& tc, const QString& clave, int complemento, const QString& nombre, const QString& importe,
             int anulada = 0, const QString& tcOrigen = QString(), const QString& origen = QString(),
             const QString& complementoOrigen = QString());
};
