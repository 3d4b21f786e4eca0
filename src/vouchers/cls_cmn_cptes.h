#pragma once
// ClsCmnCptes: the suite's common voucher class. One object serves a voucher
// screen (or a dialog) with the operations every voucher screen shares:
// - the layout of the voucher item grids (tasks, articles, other concepts
//   and the item-count grid) and the binding of a grid's floating editor to
//   the column being edited;
// - the audit row of an action on a voucher;
// - the voucher pick list, the real charges of a customer and the charges
//   dialog;
// - the vouchers made from a voucher (links) and their amounts.
//
// Column numbers of the item grids are the record format of a voucher line;
// every operation addresses cells by them (see cptes_grillas.cpp).
#include <QString>

#include "platform/moneda.h"

class Form;
class FrmCtrlCargosReales;
class MSFlexGrid;
class TextBox;

class ClsCmnCptes {
 public:
  // Reads the VAT rates of the configuration ("PIVA", "PIVARec").
  ClsCmnCptes();

  // VAT rate of the stock movements of lines without a rate of their own,
  // and the surcharge VAT rate.
  double TasaIVA = 0;
  double TasaIVARecargo = 0;

  // ---------------------------------------------------------------- grids

  // Column counts of the item grids.
  static constexpr int kColsTareas = 15;
  static constexpr int kColsArticulos = 79;
  static constexpr int kColsOtrosConceptos = 6;
  static constexpr int kColsTotales = 3;

  // Binds an editor to the column about to be edited: its DataField, its
  // maximum length and its look-up table (Tag), by the editor's name
  // ("TxtEdit" tasks, "TxtEdit2" articles, "TxtEdit3" other concepts).
  void TextPropiedades(TextBox* Texto, long Columna);

  // Clears the grids and lays out their columns (count, headers, widths,
  // alignment) for the voucher type, its system and the configuration.
  // Widths are measured by Obj's TextWidth. A grid passed as nullptr is
  // skipped with its editor; the tasks editor is required with the tasks
  // grid and txtEdit3 with the other-concepts grid (a missing one raises
  // 424 with the grids laid out so far). A type without a row in V_TA_CPTE
  // is laid out as a type of no particular system.
  void InicializaGrids(MSFlexGrid* MSFlexGrid1, MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3, TextBox* TxtEdit,
                       TextBox* txtEdit2, TextBox* txtEdit3, Form* Obj, const QString& TC = QString(),
                       MSFlexGrid* MSFlexGrid4 = nullptr);

  // ------------------------------------------------------------ audit row

  // Records an action on a voucher in V_MV_CPTEACCIONES: 'A' added (lEsAlta),
  // 'M' changed (lEsModificacion), 'B' removed. With GeneraSentencia the
  // statement replaces the text of SentenciaSQL and nothing runs; otherwise
  // it runs at once. False when the statement could not run (the failure
  // has been reported under "ActualizaBuchon").
  bool ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento, bool lEsAlta,
                       bool lEsModificacion, bool GeneraSentencia = false, QString* SentenciaSQL = nullptr);

  // ----------------------------------------------------- pick and charges

  // Lets the user pick a voucher of the type (or pseudo-type) TC from the
  // voucher pick list, with Filtro as a further condition. Respuesta gets
  // the chosen voucher's key (empty when nothing was chosen), IdComplemento
  // and Proveedor what the list hands back for the type.
  void ConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro = QString(),
                           QString* IdComplemento = nullptr, QString* Proveedor = nullptr);

  // Open balance of the real charges of a customer account (a charge
  // without a balance counts its whole amount, as the charges dialog shows).
  vb::Moneda ImporteCargosReales(const QString& Cuenta);

  // Shows the charges dialog for a customer; the chosen charges are left in
  // gCargosAplicados.
  void ControlDeCargosReales(FrmCtrlCargosReales& Formulario, const QString& Cliente,
                             const QString& Matricula = QString());

  // ----------------------------------------------------------------- links

  // Whether another voucher was made from the voucher (of that complement;
  // voided ones count only with TenerEnCuentaAnulados).
  bool EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                       const QString& Complemento = QString(), bool TenerEnCuentaAnulados = false);
  // Sum of the amounts of the vouchers, not voided, made from the voucher
  // (of any complement).
  vb::Moneda ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra);
};
