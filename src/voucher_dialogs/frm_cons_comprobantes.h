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
#include <QStringList>
#include <vector>

#include "platform/ado.h"
#include "platform/form.h"

// The list's columns by the layout of the type (Encolumnar): the line's text
// is column 0, its sub-items 1 on. Where a layout has an optional column,
// the amount ("IMPORTE") stands last.
namespace ColConsVentas {  // sales types, and any type without a layout of its own
constexpr int kFecha = 0;
constexpr int kComprobante = 1;  // the voucher key: NroComprobante
constexpr int kComplemento = 2;  // "ID" (work orders and invoices): IdComplemento; "CUENTA" of other types
constexpr int kNombre = 3;
constexpr int kReferencia = 4;  // "Referencia" (with the reference flag), or "CONCEPTO": the comments
}  // namespace ColConsVentas
namespace ColConsCompras {  // purchase types and supplier entries
constexpr int kFecha = 0;
constexpr int kComprobante = 1;  // the key (branch, number and letter of an entry): NroComprobante
constexpr int kProveedor = 2;    // the supplier's account: Proveedor
constexpr int kNombre = 3;
constexpr int kConcepto = 4;
constexpr int kImporte = 5;
}  // namespace ColConsCompras
namespace ColConsPresupuestos {  // quotes
constexpr int kFecha = 0;
constexpr int kComprobante = 1;
constexpr int kNombre = 2;
constexpr int kId = 3;
constexpr int kReferencia = 4;  // with the reference flag
}  // namespace ColConsPresupuestos
namespace ColConsTerceros {  // third-party vouchers ("T3")
constexpr int kId = 0;  // "Nº Int.": NroComprobante
constexpr int kFecha = 1;
constexpr int kComprobante = 2;
constexpr int kComplemento = 3;
constexpr int kEnvio = 4;
constexpr int kRecepcion = 5;
}  // namespace ColConsTerceros
namespace ColConsOrdenes {  // purchase orders ("OC")
constexpr int kFecha = 0;
constexpr int kProveedor = 1;    // account and name
constexpr int kComprobante = 2;  // the order's key: NroComprobante
constexpr int kImporte = 3;
constexpr int kComentarios = 4;
constexpr int kRecepcion = 5;  // the reception report made from the order
}  // namespace ColConsOrdenes

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
  // One line of the list as read: its picture and the texts of its
  // columns (the line's text first).
  struct Linea {
    int icono = 0;
    QStringList columnas;
  };
  struct Columna {
    const char* titulo;
    int equis;  // width in letters "X"
  };
  // The columns of the type's layout, left to right.
  std::vector<Columna> Disposicion() const;
  void MapeaPseudoTipo();
  // The current row of rs_ as a line of the list (it reads the database
  // only for the name of a supplier not read before).
  Linea LeeLinea();
  void AgregaLinea(const Linea& linea);
  // The reception report made from each purchase order of rs_ (the first
  // the database gives for it), by the order's key as ClaveDeCodigo gives
  // it: one read per few hundred orders, not one per line.
  void LeeRecepciones();

  bool referencia_ = false;
  bool pendientes_ = false;
  Recordset rs_;
  int columnas_ = 0;  // of the layout of the load
  // What the lines of one load look up, each key read once: the reception
  // reports of the purchase orders, the names of the suppliers by account.
  QHash<QString, QString> recepciones_;
  QHash<QString, QString> proveedores_;
};
