#pragma once
// Module Stock: an article's units, the equivalences between them and its
// stock balances by unit.
//
// S_TA_EQUIV holds one row per pair of units of an article: one IDUNIDAD is
// worth COEFICIENTE IDUNIDAD_EQUIV (a box of 12 units: IDUNIDAD "CAJ",
// IDUNIDAD_EQUIV "UN", COEFICIENTE 12). A pair is looked up in both
// directions; when both are stored, the row from the base unit decides. A
// row whose coefficient is empty (Null), 0 or not a number is no usable
// equivalence.
//
// Unit codes are compared trimmed and ignoring letter case ("UN" and the
// stored "  UN" are one unit). Codes reach SQL as literals at their widths:
// articles 25, units and warehouses 4. Every procedure reads only.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class MSFlexGrid;
class Recordset;
struct FilasDeEquivalencias;

// The article's own unit (V_MA_ARTICULOS.IDUNIDAD), trimmed. An article
// without a row raises "no current record".
QString ObtieneUnidadArticulo(const QString& IdArticulo);

// Whether the article relates UnidadBase to UnidadEquivalente.
// - A blank UnidadBase becomes the article's own unit and is written back;
//   an article whose unit is blank sets SinUnidad and answers False,
//   leaving UnidadBase and Operador as they were.
// - The same unit on both sides relates to itself: True, Coeficiente 1,
//   Operador "/", without any query.
// - A usable row from UnidadBase to UnidadEquivalente: True, its
//   coefficient, Operador "/". Else a usable row from UnidadEquivalente to
//   UnidadBase: True, its coefficient, Operador "*".
// - Otherwise False with Coeficiente 0 and Operador unchanged.
// Failures (an article unknown to V_MA_ARTICULOS among them) are reported
// under "IdArticuloTieneEquivalencias"; leaving answers False unless a row
// had been found.
bool IdArticuloTieneEquivalencias(const QString& IdArticulo, const QString& UnidadEquivalente, QString& Operador,
                                  QString& UnidadBase, double& Coeficiente, bool& SinUnidad);

// A quantity in UnidadBase expressed in UnidadEquivalente: with a box of 12
// units, 2 "CAJ" are 24 "UN" and 24 "UN" are 2 "CAJ". This is the
// conversion for a quantity known in one unit and wanted in another: a
// balance in the base unit shown in the unit of a line or of a dialog (the
// position dialog's balance of a row, in its base unit, shown in the
// dialog's unit is ConvierteAEquivalencia(article, row's base unit,
// balance, dialog's unit)), a line quantity in the measure units.
// 0 for a quantity of 0 (nothing is looked up) and when the article has no
// usable equivalence between the two units; the quantity itself when both
// units are the same. A blank UnidadBase becomes the article's unit and the
// caller's variable receives it. Never infinite or NaN.
double ConvierteAEquivalencia(const QString& IdArticulo, QString& UnidadBase, double Cantidad,
                              const QString& UnidadEquivalente);

// The inverse of ConvierteAEquivalencia with the same argument order: a
// quantity in UnidadEquivalente expressed in UnidadBase (24 "UN" with
// UnidadBase "CAJ" and UnidadEquivalente "UN" are 2 "CAJ").
double ConvierteDesdeEquivalencia(const QString& IdArticulo, QString& UnidadBase, double Cantidad,
                                  const QString& UnidadEquivalente);

// The balance of the article in the unit Equivalencia (STK_SALDOS_UNIDADES):
// in the warehouse IdDeposito, or in all when IdDeposito is blank; 0 when
// there is no balance. A blank article leaves Saldo untouched. Failures are
// reported under "ControlStock"; leaving keeps Saldo as it was.
void ControlStock(const QString& IdDeposito, const QString& IdArticulo, const QString& Equivalencia, double& Saldo);

// Fills the measure columns of the current row of a voucher articles grid
// (laid out by ClsCmnCptes::InicializaGrids, columns of ColArticulos): the
// quantity (kCantidad, read by DecimalCelda, which refuses a text that is no
// finite number) in the row's unit (kUnidad) of
// its article (kArticulo) expressed in gUnidadMedidaBL (kCantidadBL),
// gUnidadMedidaM3 (kCantidadM3) and gUnidadMedidaKG (kCantidadKG), each
// written as a cell number.
void CalculaCantidadEquivalenteFila(MSFlexGrid& Grilla);

// A code as the database compares it, letter case and trailing blanks
// ignored and leading blanks counting: two codes the database takes as equal
// have equal keys ("  UN", "  un " and "  UN" are one, "UN" another).
QString ClaveDeCodigo(const QString& codigo);

// Reads "<inicio> IN (?, ?, ...)<fin>" for a list of codes, bound, a few
// hundred codes per statement (a server takes about two thousand values in
// one); each statement's rows go to lee with the codes it asked for.
// Failures reach the caller.
void LeePorCodigos(const QString& inicio, const QString& fin, const QStringList& codigos,
                   const std::function<void(Recordset&, const QStringList&)>& lee);
// The same for any statement over a list of codes: sentencia makes it from
// the list "(?, ?, ...)" of one part of the codes, which it names veces
// times (the codes are bound in that order each time); the parts are made
// smaller so a statement never binds many more values than one of the form
// above.
void LeePorCodigos(int veces, const std::function<QString(const QString& lista)>& sentencia,
                   const QStringList& codigos, const std::function<void(Recordset&, const QStringList&)>& lee);

// The unit look-ups of a piece of work that converts many quantities of a
// few articles (a voucher's load fills the measure columns of every line).
// While an object lives, the equivalences of the articles it has read are
// answered from the rows it holds, and each article's own unit is read once;
// each answer is the one a look-up in the database would give. Nothing
// outlives the object: the next one reads anew.
class EquivalenciasLeidas {
 public:
  EquivalenciasLeidas();
  ~EquivalenciasLeidas();
  EquivalenciasLeidas(const EquivalenciasLeidas&) = delete;
  EquivalenciasLeidas& operator=(const EquivalenciasLeidas&) = delete;

  // Reads the S_TA_EQUIV rows of the articles (codes as a grid shows them).
  // Failures reach the caller; the articles of a statement that failed are
  // looked up one at a time.
  void Lee(const QStringList& articulos);
  // The article's own unit as its master row holds it (the row whose
  // IDARTICULO is the code), already read by the caller: not read again.
  void SabeUnidad(const QString& IdArticulo, const QString& unidad);

 private:
  std::unique_ptr<FilasDeEquivalencias> filas_;
  FilasDeEquivalencias* anteriores_;
};
