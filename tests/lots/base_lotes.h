#pragma once
// A started program on a schema-only database with the rows the lot dialogs
// read, written by each test, and the helpers that open a dialog through
// the voucher class and drive it through its widgets.
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

#include "lots/columnas_lotes.h"
#include "lots/frm_carga_lotes_y_series.h"
#include "lots/frm_lote_y_posicion.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/controles/toolbar.h"
#include "support/entorno.h"
#include "vouchers/cls_cmn_cptes.h"

// The character that joins a lot and a serial.
inline const QString U = QString(QChar(0x00FF));

class ConLotes : public ConEntorno {
 protected:
  void SetUp() override;

  // An article (codes at their stored widths).
  void Articulo(const QString& codigo, const QString& unidad = "UN", const QString& descripcion = "artículo de prueba");
  // A lot-and-serial stock row; an empty lot or serial is NULL; cantidad is
  // an SQL number.
  void Stock(const QString& art, const QString& deposito, const QString& lote, const QString& serie,
             const QString& cantidad);
  // A position of a warehouse and a balance by position and lot (an empty
  // position or lot is NULL).
  void Posicion(const QString& deposito, const QString& posicion, int orden);
  void Saldo(const QString& deposito, const QString& art, const QString& posicion, const QString& lote,
             const QString& unidad, const QString& saldo);
  void Equiv(const QString& art, const QString& de, const QString& a, double coeficiente);

  // Plans what the next shown dialog does.
  void AlMostrarLotes(std::function<void(FrmCargaLotesySeries&)> accion);
  void AlMostrarPosiciones(std::function<void(FrmLoteyPosicion&)> accion);
  // Plans a shown lot dialog that notes the texts of its grid's column col
  // and is accepted with F2.
  void AlMostrarLotesAnotaYAcepta(int col, QStringList& columna);

  // Types a text on the grid's current cell and ends it with a key.
  static void Teclea(FrmGrillaLotes& f, const QString& texto, Qt::Key fin = Qt::Key_Return);
  // The texts of a grid column, data rows only.
  static QStringList Columna(const MSFlexGrid* g, int col);
  static QStringList Fila(const MSFlexGrid* g, int fila);
  // The texts of the message boxes shown.
  QStringList Mensajes();

  // A voucher article grid whose rows hold an article with its two lists.
  void FilaDeGrilla(int fila, const QString& articulo, const QString& lotes, const QString& cantidades);

  std::unique_ptr<ClsCmnCptes> c;
  MSFlexGrid grilla;
};
