#pragma once
// A started program on a schema-only database with what a stock posting
// needs (voucher types, warehouses, articles with lots, serials, sizes and
// components), a real articles grid laid out by InicializaGrids, and the
// balances of V_MV_STOCK per article, warehouse and lot.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <utility>

#include "base_cptes.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "vouchers/cls_cmn_cptes.h"

class ConPosteo : public ConBase {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Lays the articles grid out anew for a voucher type (no lines).
  void Grilla(const QString& tc);
  // Adds a line: article, quantity and other cells by column (ColArticulos).
  void Linea(const QString& articulo, const QString& cantidad,
             std::initializer_list<std::pair<int, QString>> otras = {});
  // Posts the grid at once with the usual parameters; HayError in hayError.
  bool Posta(const QString& tc, const QString& clave, const QString& deposito = "1",
             const QString& destino = QString(), bool transferencia = false);

  // Sum of CANTIDAD of V_MV_STOCK for an article in a warehouse; lote "*"
  // any lot, "" the rows without lot, else that lot.
  double Saldo(const QString& articulo, const QString& deposito, const QString& lote = "*",
               const QString& tc = QString());
  int Filas(const QString& donde = QString());
  // Every row of V_MV_STOCK, every column (texts as their bytes), in key
  // and sequence order.
  QStringList Volcado();
  // Stock by lot of a warehouse (STK_SERIES_Y_LOTES).
  void Lote(const QString& articulo, const QString& deposito, const QString& lote, double cantidad);
  void Articulo(const QString& codigo, const QString& descripcion, const QString& unidad = "UN",
                const QString& cuenta = QString());
  void Insumo(const QString& articulo, const QString& insumo, double cantidad, const QString& unidad = "UN");

  std::unique_ptr<Form> form;
  MSFlexGrid* g = nullptr;
  TextBox* t2 = nullptr;
  std::unique_ptr<ClsCmnCptes> cptes;
  bool hayError = false;
  int lineas = 0;
};

// The lists of the lot dialog: |A|B| and lot + U+00FF + serial entries.
QString Lista(const QStringList& entradas);
QString LoteSerie(const QString& lote, const QString& serie = QString());
