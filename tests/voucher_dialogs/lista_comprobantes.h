#pragma once
// The voucher pick list on a demo database (built once per test program and
// copied into each test's folder) or on a database of known vouchers.
#include <QString>
#include <QStringList>
#include <memory>

#include "support/entorno.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"

class ListView;
class ListItem;

// A pick list of the type, loaded (its Form_Load run) without being shown.
std::unique_ptr<FrmConsComprobantes> AbreLista(const QString& tc, const QString& filtro = QString());
QStringList Titulos(ListView* lista);
QStringList Linea(ListItem* item, int columnas);

class DemoCptes : public ConEntorno {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
};

// A schema-only database with a few vouchers of known content.
class ConComprobantes : public ConEntorno {
 protected:
  void SetUp() override;
  // Adds a sales voucher (V_MV_CPTE) or a purchase one (C_MV_CPTE).
  void Venta(const QString& tc, const QString& clave, int complemento, const QString& fecha, const QString& cuenta,
             const QString& nombre, double importe, int anulada = 0, int aprobado = 0, int finalizada = 0,
             const QString& comentarios = QString());
  void Compra(const QString& tc, const QString& clave, const QString& fecha, const QString& cuenta,
              const QString& nombre, double importe, int anulada = 0, int aprobado = 1, int finalizada = 0,
              int garantia = 0, const QString& comentarios = QString());
};
