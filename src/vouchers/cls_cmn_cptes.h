#pragma once
// ClsCmnCptes: the suite's common voucher class. One object serves a voucher
// screen (or a dialog) with the operations every voucher screen shares:
// - the layout of the voucher item grids (tasks, articles, other concepts
//   and the item-count grid) and the binding of a grid's floating editor to
//   the column being edited;
// - the audit row of an action on a voucher;
// - the voucher pick list, the real charges of a customer and the charges
//   dialog;
// - the vouchers made from a voucher (links) and their amounts;
// - the requests that break a line's quantity down by lot, serial or
//   warehouse position in the lot dialogs (cptes_pedidos.cpp);
// - the lot, serial and position list texts (cptes_listas.cpp) and the
//   stock queries by warehouse, lot, serial, position and unit
//   (cptes_stock.cpp).
//
// Column numbers of the item grids are the record format of a voucher line;
// every operation addresses cells by their names (columnas_cptes.h:
// ColArticulos, ColTareas, ColOtrosConceptos, ColResumen).
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "platform/moneda.h"
#include "vouchers/columnas_cptes.h"

class Form;
class FrmCtrlCargosReales;
class MSFlexGrid;
class Recordset;
class SSTab;
class StatusBar;
class TextBox;

class ClsCmnCptes {
 public:
  // Reads the VAT rates of the configuration ("PIVA", "PIVARec").
  ClsCmnCptes();

  // ------------------------------------------------------ sign and set-up
  //
  // Errors: a method with error handling reports a failure under its label
  // (the method's name; a function's carries the suffix of its result, "%"
  // 16-bit, "&" 32-bit) and acts on the answer: 4 runs the failing statement
  // again, 5 goes on with the next one, anything else leaves the method with
  // its result as it stands. Nothing already run or appended to a caller's
  // batch is undone.

  // The date-time of "PRINTERS.PRN" when the print configuration was last
  // read by this object (empty until then).
  QString FechaArchivoImpresoras;

  // The sign with which a voucher type moves stock (LibroIVA false: +1 in,
  // -1 out) or enters the VAT book (LibroIVA true), from V_TA_CPTE (ES "E" /
  // "S"; the stored Signo) and, where the table leaves it open, from the type
  // code (blanks and letter case aside). 0 when no sign applies or the type
  // is unknown (the user is told): a caller must never post with 0.
  short ObtieneSignoComprobante(const QString& TC, bool LibroIVA = false);

  // VAT rate of the stock movements of lines without a rate of their own,
  // and the surcharge VAT rate.
  double TasaIVA = 0;
  double TasaIVARecargo = 0;

  // ---------------------------------------------------------------- grids

  // Column counts of the item grids.
  static constexpr int kColsTareas = ColTareas::kCantidadColumnas;
  static constexpr int kColsArticulos = ColArticulos::kCantidadColumnas;
  static constexpr int kColsOtrosConceptos = ColOtrosConceptos::kCantidadColumnas;
  static constexpr int kColsTotales = ColResumen::kCantidadColumnas;

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

  // ------------------------------------- a stored voucher, counts, summary and grid helpers
  //
  // The item grids are those InicializaGrids lays out: row 0 the headers,
  // item rows from 1 to Rows - 1; a row is used when its code column
  // (ColGrillas::kCodigo), without blanks around it, is not empty. Numbers
  // are written into cells with TextoCelda and read back with NumeroCelda.

  // Loads a stored voucher into the three item grids (cptes_carga.cpp): its
  // tasks, its article lines (with their article's flags and measure
  // columns) and its other concepts (remarks of kind 'OC'), each grid's
  // lines from its last row on, a used last row kept (a row is added below
  // it), and one empty row left at the bottom of every grid that received
  // lines. Compras reads the purchase side ("C_"), where a voucher is known
  // by its supplier's account Proveedor instead of its complement.
  // IdRepartoRM: -99 on entry shows the article quantities negated; out,
  // the voucher's delivery-run number, unless its type is of the purchase
  // system. On delivery notes and orders ("RM", "NP") and on vouchers of
  // the delivery run -1 the quantity shown is what is still to be applied:
  // what an article's delivery run has pending, or its quantity less what
  // the vouchers made from this one (its own type and key) delivered; an
  // article on several lines has what was applied taken from its lines in
  // line order, each line giving at most its own quantity. Amounts are
  // shown at the configured decimals in every grid.
  // LrcsCpte, when given, receives the header row, open.
  // False when nothing was loaded: no such voucher (nothing is shown; the
  // grids, LrcsCpte and IdRepartoRM stay as they were), a complement on the
  // sales side that is not a whole number (refused through the error report
  // before anything is read), or a failure left through the error report
  // (label "AsignarDatosPresupuesto") before the grids were written.
  // Everything is read before the first cell is written.
  bool AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                               MSFlexGrid& MSFlexGrid1, MSFlexGrid& MSFlexGrid2, MSFlexGrid& MSFlexGrid3,
                               bool Inicializar = false, Recordset* LrcsCpte = nullptr, bool Compras = false,
                               const QString& Proveedor = QString(), long* IdRepartoRM = nullptr);

  // Whether the used rows of the given grids (nullptr counts none), plus
  // Agragarle rows about to be added, fit the printed form of the voucher
  // type and letter (cptes_totales.cpp). The limit comes from the print
  // configuration (ObtieneImpresoraComprobante), read again only when the
  // file "PRINTERS.PRN" of the program folder shows another date-time or
  // the type or letter differ from the last read; between reads the caller
  // keeps it in LineasAnteriores. LineasAnteriores -1 takes CantLineas as
  // the limit. Without the file, or with a limit of 0, any number of lines
  // fits (CantLineas 0; CantLineasUsadas untouched). Failures are reported
  // under "ValidaCantidadLineasCpte" and answer False.
  bool ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, MSFlexGrid* MSFlexGrid1,
                                MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3, int* CantLineas = nullptr,
                                int* CantLineasUsadas = nullptr, long Agragarle = 0, int* LineasAnteriores = nullptr);

  // The used rows of the three grids (nullptr counts none), with the count
  // of each and the article units: the sum of the quantities (kCantidad),
  // rounded once to a whole number (ties to the even one). Failures are
  // reported under "CuentaItems&".
  long CuentaItems(MSFlexGrid* MSFlexGrid1, MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3,
                   long* CantTareas = nullptr, long* CantArticulos = nullptr, long* CantOtrosConceptos = nullptr,
                   long* TotUnidades = nullptr);

  // The current row of a grid in the status bar: "code - description" of a
  // task or an article, the detail of another concept, in panel 4 (or
  // Columna); an article's available stock (kStockDisponible) also goes, as
  // "Stock: n", into the first panel keyed "Stock". MuestraDetalle writes
  // the text into panel Columna. A missing panel raises to the caller,
  // except in MuestraDetalleArticulos, which passes its failures over.
  void MuestraDetalleTareas(MSFlexGrid& MSFlexGrid1, StatusBar& StatB);
  void MuestraDetalleArticulos(MSFlexGrid& MSFlexGrid2, StatusBar& StatB, long Columna = 4);
  void MuestraDetalleOtrosConceptos(MSFlexGrid& MSFlexGrid3, StatusBar& StatB);
  void MuestraDetalle(const QString& Detalle, StatusBar& StatB, long Columna);

  // Rebuilds the summary grid from the item grids, one block per visible tab
  // of SSTab1 (0 tasks, 1 articles, 2 other concepts), each under its tab's
  // caption with its count of used rows: the tasks' total time (hours and
  // minutes, minutes carried into the hours and written with two digits,
  // "3:05"; or decimal hours when the configured hour separator is "."),
  // the articles' total quantity followed by one line per rubro
  // (AbiertoPorRubro), per article type (AbiertoPorTipo) or per article,
  // with its description and quantity. Block lines light yellow, breakdown
  // lines light orange, an empty blue line last. gListaItems is left
  // holding the groups (entry 0: the rows without a group). Failures are
  // reported under "TotalizadorControl".
  void TotalizadorControl(MSFlexGrid& MSFlexGrid1, MSFlexGrid& MSFlexGrid2, MSFlexGrid& MSFlexGrid3,
                          MSFlexGrid& MSFlexGrid4, SSTab& SSTab1, bool AbiertoPorRubro = false,
                          bool AbiertoPorTipo = false);

  // Colours of the summary lines (&HBBGGRR).
  static constexpr long kColorBloque = 0xC0FFFF;
  static constexpr long kColorDesglose = 0xC0E0FF;
  static constexpr long kColorCierre = 0xFF0000;
  static constexpr long kAmarillo = 0xFFFF;

  // Background of every cell of one row (cptes_controles.cpp); the current
  // column is kept and the current row is left at Fila. A row outside the
  // grid raises to the caller.
  void PintarFila(long Fila, MSFlexGrid& MsFlexGrid, long Color = kAmarillo);
  // Background of one column from FilaDesde (-1: the header row) to
  // FilaHasta (-1: the last row); the current row is kept and the current
  // column is left at Columna. Cells outside the grid are passed over.
  void PintarColuma(long Columna, MSFlexGrid& MsFlexGrid, long FilaDesde = -1, long FilaHasta = -1,
                    long Color = kAmarillo);
  // Whether another row (not FilaIgnorar) holds the code in its code column
  // (both trimmed, letter case ignored); FilaEncontrada receives the first
  // such row. An empty code is never a duplicate.
  bool TareaRepetida(MSFlexGrid& MSFlexGrid1, const QString& Tarea, long FilaIgnorar = -1,
                     long* FilaEncontrada = nullptr);
  bool ArticuloRepetido(MSFlexGrid& MSFlexGrid2, const QString& Articulo, long FilaIgnorar = -1,
                        long* FilaEncontrada = nullptr);
  bool OtrosConceptosRepetidos(MSFlexGrid& MSFlexGrid3, const QString& OtroConcepto, long FilaIgnorar = -1,
                               long* FilaEncontrada = nullptr);
  // Whether a number (or a cell text) has a fractional part; any size.
  bool NumeroEsFraccion(const QVariant& Numero) const;

 private:
  // The type and letter whose print configuration was read last with
  // FechaArchivoImpresoras.
  QString impresorasDe_;

 public:
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

  // ------------------------------------------- lot, serial and position requests
  //
  // Each request breaks a line's quantity down in one of the lot dialogs
  // (cptes_pedidos.cpp) and answers whether it was accepted. Cancelled,
  // closed or refused, the outputs receive the lists the request was given
  // (and the quantity it was given). Failures are reported under
  // "PideSerieLote" and answer not accepted, with the given lists.

  // The largest quantity that an incoming line breaks down unit by unit.
  static constexpr long kMaxUnidadesPorLinea = 10000;

  // The lots, serial numbers or size-colour-sex codes of an incoming
  // quantity: one grid row per unit (the whole number nearest to the
  // absolute quantity). A quantity of 0 opens nothing and answers two empty
  // lists (accepted); one above kMaxUnidadesPorLinea units is refused with a
  // message.
  bool PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt, const QString& LoteAnt,
                     QString& SerieNvo, QString& LoteNvo, bool Serie = false, bool Lote = false, bool Talle = false);

  // The lot-and-serial stock rows an outgoing quantity is taken from, in the
  // warehouse Deposito (an empty one, or none given, is the configured
  // "DepositoDefault"; an empty variable passed receives it). SeriesLoteAnt
  // and CantidadANT are the line's previous lists (lot, kUnionLoteSerie,
  // serial; the quantity of each). Every other line of the same article in
  // Grilla counts as taken: the line asked for is the row FilaEditada (0: a
  // line not in the grid), or, when it is -1, the first row of the article
  // holding the previous lists (none: not in the grid). SeriesLoteNvo and
  // CantidadesNvo receive the new lists, Cantidad the quantity the user
  // agreed to. The dialog breaks down the size of a negative quantity (the
  // lists hold sizes) and Cantidad keeps its sign. With MostrarForm off the
  // dialog is accepted as it loads, without being shown; a short stock is
  // then told and answers not accepted. A quantity of 0 opens nothing and
  // leaves the outputs alone.
  bool PideSerieLote_Salidas(MSFlexGrid& Grilla, const QString& Articulo, const QString& Descripcion,
                             double& Cantidad, const QString& SeriesLoteAnt, const QString& CantidadANT,
                             QString& SeriesLoteNvo, QString& CantidadesNvo, bool Lote, bool Serie, bool Talle,
                             QString* Deposito = nullptr, bool MostrarForm = true, long FilaEditada = -1);

  // The lot list (kNroLote) and the quantity list (kNroSerie) of the rows of
  // Grilla whose article (kArticulo, compared ignoring letter case but not
  // trimmed) is Articulo, gathered into one pair of parallel lists; the row
  // FilaExcluida (-1: none) is left out.
  void CuentaLotesEnGrilla(MSFlexGrid& Grilla, const QString& Articulo, QString& LotesEnGrid,
                           QString& CantidadesEnGrid, long FilaExcluida = -1);

  // The warehouse positions (and, with Lote, the lot at each) a quantity in
  // the unit IdUnidad comes from. PosicionNVO receives a position list
  // (position "*" quantity), LoteNvo its parallel lot list (empty without
  // Lote), Cantidad the quantity the user agreed to (a negative quantity is
  // broken down by its size and keeps its sign). A dialog of neither
  // positions nor lots hands back the previous lists. A quantity of 0 opens
  // nothing and answers two empty lists (accepted).
  bool PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double& Cantidad, const QString& Deposito,
                        const QString& PosicionAnt, const QString& LoteAnt, QString& PosicionNVO, QString& LoteNvo,
                        bool Posicion = true, bool Lote = false);

  // ---------------------------------------------------------- stock posting
  //
  // Posts the articles grid of a saved voucher (laid out by InicializaGrids)
  // as stock movements, V_MV_STOCK rows: one per line, or one per lot,
  // serial number or size of the line's lists (kNroLote and kNroSerie), whose
  // quantities always add up to the line's quantity (a list shorter than the
  // quantity leaves one last movement without lot for the rest; one longer
  // is read as far as the quantity goes). Lines whose code is empty or blank,
  // or whose quantity (kCantidad) reads as 0, are skipped; cells are read with
  // NumeroCelda ("1,5" and "1.5"; empty = 0) and an empty flag cell is off.
  //
  // The sign: SignoRemota when not 0 (taken as +1 or -1), else the stock
  // sense of the type (ObtieneSignoComprobante). Cantidad and CantidadUD
  // both carry it (-5 for five units going out); the balances sum them. A
  // line's CantidadUD (kCantidadUd for a weighed article with kUnidadBase as
  // its unit, or kCantidadEquiv with "ConfirmaUDEquiv") is shared among its
  // movements in proportion to their quantities.
  //
  // Also, in the same transaction or batch:
  // - a purchase invoice or delivery note ("FCC", "RMC") made from a
  //   purchase order (TCOrigen "OC", ComprobanteOrigen its key) stamps its
  //   date on the order when it has none, unless "IR_Oblig" is on;
  // - a transfer (EsTransferencia) posts out of the origin and then the same
  //   lots and quantities into IdDepositoDestino; a production order ("OP")
  //   posts in the lines whose kCantidadInsumo is "-1" and out the others;
  // - unless "DescargaInsumosProduccion" is "SI", articles with components
  //   discharge them as a "PE" stock voucher ("0001", "X") of its own, each
  //   component drawn from the lots of the warehouse its movement is posted
  //   into; the "PE" number is recorded in its book. A transfer discharges
  //   twice, under two keys.
  //
  // Parameters are read, never written. Codes (warehouses, motive, types,
  // technician) are codes, not SQL literals: IdDeposito empty takes
  // "DepositoDefault"; IdMotivoStock empty takes "MotivoStockDefault", blanks
  // give NULL; TCOrigen / ComprobanteOrigen "ELDELGRID" take each line's
  // origin from kCpteOrigen. Cuenta is the supplier account: a code or a quoted
  // literal ('200001'), "NULL" or empty for none, or "PorDefault" for each
  // article's own supplier. IdTecnico "NULL" leaves the technician out.
  // IdComplemento is a number (empty = 0). Fecha is the date as the database
  // takes it. Of the grid, a posted line gets back only its equivalent unit
  // (kUdEquiv) at its code width and an empty weighed flag (kPesable) as
  // "0", as callers read them.
  //
  // Run at once (GeneraSentenciaSQL false): one transaction, taken with the
  // write lock (TransaccionStock) before any number or sequence is read.
  // Inside a TransaccionStock its caller holds, the posting joins it under a
  // savepoint: a posting that answers false leaves none of its rows in the
  // caller's transaction, and the caller's own statements stay as they were
  // (but for a database failure, which takes the whole transaction back and
  // the caller's commit then says so).
  // Run as a batch: nothing is executed, not even the reception stamp; the
  // statements are appended in order to SQLTemp, each after a carriage
  // return (CR), and the caller runs them in its own transaction. The
  // caller must hold a TransaccionStock around both this call and the run of
  // the batch: the "PE" key and a production order's sequence are free only
  // while the lock they were read under lasts.
  //
  // Result: true when every movement was posted (at once) or every
  // statement handed back (batch). False when nothing was: the transaction
  // was rolled back, SQLTemp is as it came, and HayError (when given) is set
  // True; HayError is never set False, the caller clears it. A failure is
  // reported once, after the lock is released: input the posting refuses
  // (unknown voucher type or a type without stock sense, a transfer without
  // destination, an unknown article or warehouse, a line without warehouse)
  // is told in a message; a database refusal of a statement in a message
  // with its description; any other failure through the error report
  // ("ActualizaStock", or the label of the procedure that failed), whose
  // answer 4 runs the whole posting again and any other answer leaves it
  // undone.
  bool ActualizaStock(MSFlexGrid* MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                      const QString& IdComplemento, const QString& Fecha, const QString& IdDeposito = QString(),
                      const QString& IdDepositoDestino = QString(), const QString& IdMotivoStock = QString(),
                      const QString& TCOrigen = QString(), const QString& ComprobanteOrigen = QString(),
                      bool EsTransferencia = false, const QString& Cuenta = QString(),
                      bool GeneraSentenciaSQL = false, QString* SQLTemp = nullptr, bool* HayError = nullptr,
                      const QString& IdTecnico = QString(), const QString& LoteFijo = QString(),
                      const QString& Aduana = QString(), const QString& LoteOrigen = QString(),
                      short SignoRemota = 0);

  // ------------------------------------------------ lot, serial and position lists
  //
  // A list text opens with "|" and closes every entry with "|": the entries
  // A, B and D are written |A|B|D|; the list without entries is the empty
  // text. Entries are lots, serial numbers, size-colour-sex codes, a lot and
  // a serial joined by kUnionLoteSerie (lot first), quantities, or a
  // position and a quantity joined by "*" (|P1*2|P2*5|). "-" and the empty
  // entry are ordinary entries. Two lists that belong together are parallel:
  // the k-th entry of one goes with the k-th entry of the other.
  //
  // Every reader walks a list alike: blanks around the text are ignored, the
  // opening "|" is optional (A|B| reads as |A|B|), an entry is the text up
  // to the next "|", and a tail after the last "|" (|A|B) is no entry and is
  // ignored. Entries are compared trimmed and ignoring letter case. A text
  // may be of any length. None of these procedures fails on any text, so
  // they report nothing.
  //
  // Arrays are 0-based: the k-th entry (from 1) is at index k-1 and one empty
  // slot follows the last entry, so the array's upper bound (size - 1) is
  // the number of entries; a list without entries gives the single empty
  // slot 0.

  // The character that joins a lot and a serial in one entry.
  static constexpr QChar kUnionLoteSerie = QChar(0x00FF);
  // The value of an optional key (warehouse, lot, serial, position, unit) of
  // a stock query or a cell check that is to be left out of account;
  // compared ignoring letter case, untrimmed.
  static inline const QString kIgnorar = QStringLiteral("Ignorar");

  // A readable text of the distinct entries, each trimmed and preceded by
  // one blank, in the order of their first appearance (that written form
  // stays): |A|B|a| gives " A B". Blank entries are left out.
  QString StrSerieLote(const QString& Serie_Lote) const;
  // Refills Arreglo with the entries of the list, each trimmed.
  void DescomponeSerieLote(const QString& Serie_Lote, QStringList& Arreglo) const;
  // Splits a position list and its parallel lot list: the entries of
  // Posicion_Lote (trimmed) are cut at their last "*" into the position
  // (before it, which may hold a "*" of its own) and the quantity (after
  // it, a number); an entry without "*" is a
  // position without quantity (quantity ""). The lots are split as
  // DescomponeSerieLote does. ArrPosiciones and ArrCantidades always have
  // the same size.
  void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                      QStringList& ArrPosiciones, QStringList& ArrCantidades,
                                      QStringList& ArrLote) const;
  // The number of stock movements a line's serial and lot lists stand for.
  // When PipeSeries is not the empty text the lots are not looked at; else
  // the lots count. SinConsolidar: the number of entries, blank ones
  // included. Otherwise: the number of distinct non-blank entries. Two empty
  // texts give 0.
  long Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes, bool SinConsolidar = false) const;
  // The entry at the 1-based position, exactly as written (untrimmed); the
  // empty text past the last entry or at a position below 1. Reading every
  // position of one list in turn costs one walk of the list, not one per
  // call.
  QString ExtraeSerieLote(const QString& Serie_Lote, long QuePosicion) const;
  // The number of entries (0 for the empty text).
  long Cantidad_Series_Lotes(const QString& Pipes) const;
  // The list with kUnionLoteSerie before every closing "|", so every entry
  // becomes a lot with an empty serial: |A|B| gives |A\xFF|B\xFF|. Blanks
  // around the text are dropped, and so is the opening "|" when there is
  // one (a text without it keeps its first character: A|B| gives the same
  // as |A|B|). The empty text and a lone "|" give "|".
  QString InsertaCHR255(const QString& iPipe) const;
  // The 1-based position of the first entry equal to QueSerieLote (both
  // trimmed, letter case ignored); 0 when there is none. Searching one list
  // again and again costs one walk of the list, not one per call.
  long Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) const;

  // ---------------------------------------------------------- stock queries
  //
  // Both read only. Codes reach SQL as literals at their widths: articles,
  // lots and serials 25, positions 15, warehouses and units 4.

  // The balance of an article in the unit UdBase (from STK_SALDOS_UNIDADES),
  // in the warehouse IdDeposito or, when it is blank, in all; and, when
  // udEquivBuscada is not empty, the same balance turned into that unit
  // with ConvierteAEquivalencia (0 when the article has no usable
  // equivalence between the two units). A blank UdBase becomes the
  // article's own unit first (and the caller's variable receives it); an
  // article unknown to V_MA_ARTICULOS then has balance 0. StockEquiv is 0
  // when udEquivBuscada is empty. Errors pass to the caller.
  void ObtieneStockxEquiv(const QString& IdDeposito, const QString& IdArticulo, QString& UdBase,
                          const QString& udEquivBuscada, double& StockUdBase, double& StockEquiv);

  // The stock balance of an article, narrowed by the keys that are not
  // kIgnorar.
  // - Lot and serial both kIgnorar: the unit balance (STK_SALDOS_UNIDADES)
  //   in IdUnidad, of the warehouse IdDeposito. IdDeposito kIgnorar becomes
  //   the configured "DepositoDefault" at width 4 (when that key is missing
  //   it is the blank code, and the balance is then of all warehouses, as
  //   for any blank IdDeposito); IdUnidad kIgnorar becomes the article's
  //   unit at width 4. The position plays no part.
  // - Otherwise: the sum of CANTIDAD of the lot-and-serial stock
  //   (STK_SERIES_Y_LOTES) of the article, narrowed by each of warehouse,
  //   lot, serial and position that is neither blank nor kIgnorar (a blank
  //   or kIgnorar warehouse sums all of them); an article tracked by serial
  //   only counts rows without lot, one tracked by lot only rows without
  //   serial. The unit plays no part.
  // No row gives 0. Failures are reported under "ObtieneStock"; leaving
  // returns what was computed so far (0). An article unknown to
  // V_MA_ARTICULOS is such a failure on the second road.
  // This overload writes the filled defaults back into IdDeposito and
  // IdUnidad; the other one leaves the caller's values alone.
  double ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                      const QString& NroSerie, const QString& IdPosicion, QString& IdUnidad);
  double ObtieneStock(const QString& IdArticulo, const QString& IdDeposito = kIgnorar,
                      const QString& NroLote = kIgnorar, const QString& NroSerie = kIgnorar,
                      const QString& IdPosicion = kIgnorar, const QString& IdUnidad = kIgnorar);

 private:
  // The entries of the list last read by ExtraeSerieLote or
  // Busca_Lotes_Series: readers called again and again on one list (once
  // per entry by a voucher screen reading a line's list; no procedure of
  // this program calls them) walk it once.
  struct ListaLeida {
    QString texto;
    std::vector<std::pair<qsizetype, qsizetype>> entradas;  // start and length in texto
    QHash<QString, long> posiciones;  // trimmed, case-folded entry -> first position; built on first search
    bool conPosiciones = false;
  };
  const ListaLeida& Leida(const QString& lista) const;
  mutable ListaLeida leida_;
};
