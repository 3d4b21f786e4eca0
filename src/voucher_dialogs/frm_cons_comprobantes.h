#pragma once
// FrmConsComprobantes: the voucher pick list ("Consulta de Comprobantes").
// The caller names a voucher type or pseudo-type in TC ("OT", "FC",
// "OT/PENDIENTES", ...) and may add an SQL condition in Filtro; the form
// lists the vouchers of that type from the table or view the type selects,
// one line per voucher, and hands the chosen voucher back in NroComprobante
// (with IdComplemento or Proveedor where the type has them). Accept, a double
// click or Enter on a line take the choice; Cancel leaves the results as the
// caller set them.
#include <QHash>
#include <QString>

#include "platform/ado.h"
#include "platform/form.h"

class CommandButton;
class ImageList;
class ListItem;
class ListView;

class FrmConsComprobantes : public Form, public InstanciaGlobal<FrmConsComprobantes> {
  Q_OBJECT

 public:
  FrmConsComprobantes();
  ~FrmConsComprobantes() override;

  // The caller's interface.
  QString TC;
  QString Filtro;
  QString NroComprobante;
  QString IdComplemento;
  QString Proveedor;

  // Whether the type arrived as one of the pending pseudo-types.
  bool Pendientes() const { return pendientes_; }
  // Whether quotes show their reference ("UsaReferenciaPresupuestos").
  bool UsaReferencia() const { return referencia_; }

  // The statement that lists the vouchers of the (mapped) type.
  QString ArmaSentencia();
  // The index of the image whose Tag is tc; the "Generico" image when none
  // has it (0 when the list has no "Generico" image either).
  int ObtieneIndiceImagen(const QString& tc);
  void Encolumnar();

  // Event procedures.
  void CmdAceptar_Click();
  void CmdCancelar_Click();
  void ListView1_BeforeLabelEdit(int& Cancel);
  void ListView1_AfterLabelEdit(int& Cancel, QString& NewString);
  void ListView1_ColumnClick(int ColumnHeaderIndex);
  void ListView1_DblClick();
  void ListView1_KeyDown(int& KeyCode, int Shift);

  ListView* ListView1;
  ImageList* ImageList1;
  CommandButton* CmdAceptar;
  CommandButton* CmdCancelar;

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override;

 private:
  void MapeaPseudoTipo();
  void AgregaFila();
  // The reception report made from each purchase order of rs_ (the first
  // the database gives for it), by the order's key as ClaveDeCodigo gives
  // it: one read per few hundred orders, not one per line.
  void LeeRecepciones();

  bool referencia_ = false;
  bool pendientes_ = false;
  Recordset rs_;
  ListItem* item_ = nullptr;
  // What the lines of one load look up, each key read once: the reception
  // reports of the purchase orders, the names of the suppliers by account.
  QHash<QString, QString> recepciones_;
  QHash<QString, QString> proveedores_;
};
