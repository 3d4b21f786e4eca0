#pragma once
// The stock posting of a voucher (ClsCmnCptes::ActualizaStock), shared by its
// three files: the expansion of an article line into its lots, serials and
// sizes (cptes_expansion.cpp), the discharge of components as a "PE" stock
// voucher (cptes_insumos.cpp) and the posting itself, its rows, its
// statements and its transaction (cptes_actualiza_stock.cpp).
//
// Quantities are kept in ten-thousandths (the four decimals of the suite's
// quantities and amounts) in whole numbers, so the items of a line always
// add up to exactly the line's quantity.
#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "vouchers/stock.h"

class ClsCmnCptes;
class MSFlexGrid;

namespace posteo {

using Diezmilesimos = qint64;
constexpr Diezmilesimos kUnidad = 10000;

// A number read from a cell or list entry (decimal comma or point, empty or
// junk = 0) from its digits as written, rounded once, half away from zero,
// at the fourth decimal. Raises NumeroIlegible for a text that is no finite
// number or one beyond the currency's range.
Diezmilesimos Cantidad(const QString& celda);
double ADoble(Diezmilesimos d);
// A flag cell: empty (or blanks) is off; otherwise any text but FALSE,
// FALSO, 0, NO and N (any case) is on.
bool Bandera(const QString& celda);
// A lot or serial as a list entry carries it: without blanks around it, NUL
// and line-feed characters, or stray joining characters; the dialog's "-"
// (an empty cell) is no lot at all.
QString LimpiaEntrada(const QString& entrada);
// A code of width 4 (warehouse, unit, type, motive) as stored: trimmed and
// brought to its width; "" when blank.
QString Codigo4(const QString& t);

// ------------------------------------------------------------ expansion

// One movement of a line: its lot and serial (trimmed, "" = none) and its
// quantity, with the sign of the line's own quantity (the posting's sign is
// applied when the row is written).
struct Item {
  QString lote;
  QString serie;
  Diezmilesimos cantidad = 0;
};

// The cells of an articles-grid line the expansion reads.
struct CeldasLinea {
  QString cantidad;      // ColArticulos::kCantidad
  QString lotes;         // kNroLote
  QString series;        // kNroSerie
  bool pideSerie = false;   // kPideSerie
  bool perecedero = false;  // kPerecedero
  bool pideTalle = false;   // kPideTalle
};

// How the line's lists were written: by the lot dialog in entry mode (one
// entry per unit or per lot, a parallel serial list) or in outgoing mode
// (lot and serial joined in one entry, the quantity of each entry in the
// serial column). Incoming lines read the first way, outgoing lines and both
// passes of a transfer the second.
enum class Lectura { Entrada, Salida };

// The movements of one line. Their quantities always add up to the line's
// quantity: a list longer than the quantity is read as far as the quantity
// goes, and what a shorter list leaves is one last movement without lot or
// serial (LoteFijo, on incoming lines of neither sizes nor a perishable
// article, stands for a missing lot). A line of quantity 0 has no movement.
std::vector<Item> ExpandeLinea(const ClsCmnCptes& cptes, const CeldasLinea& linea, Lectura lectura,
                               const QString& LoteFijo);

// ------------------------------------------------------------- the rows

// A value of a row: NULL, a text or a number. It reaches SQL as a bound
// value (run at once) or as the literal of the same value (batch).
struct Valor {
  enum Tipo { Nulo, Texto, Numero } tipo = Nulo;
  QString texto;  // the text, or the number's literal ("." as decimal point)
  static Valor Null() { return {}; }
  static Valor De(const QString& t) { return {Texto, t}; }
  static Valor TextoONulo(const QString& t) { return t.isEmpty() ? Null() : De(t); }
  static Valor Num(double d);
  static Valor Num(Diezmilesimos d, int signo);  // ten-thousandths times a sign
  // The number of a cell as it is written (a coefficient or an id, not
  // rounded); raises NumeroIlegible as Cantidad does.
  static Valor NumDe(const QString& celda);
  QString Literal() const;
  QVariant Ligado() const;
};

struct Campo {
  const char* nombre;
  Valor valor;
};

// Why a posting stopped without writing anything.
struct Rechazo {  // input the posting refuses; the message says why
  QString mensaje;
};
struct FallaSentencia {  // the database refused a statement of the posting
  QString descripcion;
};
struct Abandono {};  // a procedure called by the posting reported a failure
// A number of a line that the posting cannot write (no finite number, or
// beyond the range): the line refuses the voucher, naming its article.
struct NumeroIlegible {
  QString texto;
  long error;  // vb::ErrOverflow or vb::ErrTypeMismatch
};

// What an article of the master says, read once per posting.
struct Articulo {
  bool existe = false;
  QString descripcion;
  QString cuenta;  // supplier account, trimmed
  double costo = 0;
};

// The components an article is made of, and the lots a component is drawn
// from, remembered for one posting.
struct Componentes {
  bool tiene = false;
  std::vector<ItemCantidad> lista;
};

// One posting: its settings (parameters turned into codes and values), the
// running state (passes, sequence, "PE" keys) and the statements it runs or
// hands back.
class Posteo {
 public:
  Posteo(ClsCmnCptes& cptes, MSFlexGrid* grilla, bool enLote);

  // --- settings, filled by ActualizaStock from its parameters
  QString tc;             // voucher type at width 4
  QString clave;          // SucNroLetra
  Valor complemento;      // number (left out for purchases)
  Valor fecha;
  QString deposito;       // origin warehouse code at width 4, "" = none
  QString destino;        // destination warehouse code at width 4, "" = none
  Valor motivo;
  bool tcOrigenPorLinea = false, cpteOrigenPorLinea = false;
  Valor tcOrigen, cpteOrigen;
  bool cuentaPorArticulo = false;
  Valor cuenta;
  QString cuentaComoVino;  // Cuenta as the caller passed it (trimmed)
  QString caja;           // gCaja at width 4, "" = not written
  std::optional<QString> tecnico;
  QString loteFijo, aduana, loteOrigen;
  short signoRemota = 0;
  short signo = 0;        // stock sense of the voucher type (or the imposed one)
  bool compras = false, produccion = false, transferencia = false;
  bool confirmaUDEquiv = false;
  bool descargaInsumos = true;
  bool sellaRecepcion = false;

  // Runs the whole posting; raises Rechazo, FallaSentencia, Abandono or a
  // program error. Run at once it must be called under the write lock.
  void Corre();
  // The statements handed back (batch), each after a carriage return.
  const QString& Lote() const { return lote_; }

  // The callee failure check: raises Abandono when a procedure called by
  // the posting reported a failure (set by ActualizaStock).
  std::function<bool()> huboFalla;
  void Verifica() const;

 private:
  QString Celda(int fila, int col) const;
  // Runs what reads a line (its cells and lists): a number it cannot read
  // becomes the refusal of the voucher.
  void DeLinea(int fila, const std::function<void()>& lee);
  const Articulo& DatosArticulo(const QString& codigo);
  // The warehouse a movement of the article is posted into: refused when
  // there is none (no warehouse of its own and no default) or it is not in
  // the warehouse table.
  void ExigeDeposito(const QString& codigo, const QString& articulo);
  QString DepositoDeLinea(int fila) const;
  // The line's quantity in another unit, with that unit: the weight of a
  // weighed article that has a base unit, or the quantity in the equivalent
  // unit under ConfirmaUDEquiv; none otherwise.
  struct OtraUnidad {
    Diezmilesimos cantidad = 0;
    Valor unidad;
  };
  std::optional<OtraUnidad> OtraUnidadDeLinea(int fila) const;
  void Escribe(std::vector<Campo>& campos);
  void EjecutaTexto(const QString& sql);
  void SellaRecepcion();
  void Pases();
  void Linea(int fila, int pase, short signoPase);
  void DescargaInsumos(short signoDescarga, bool paseTres, bool mismosLotes);
  QString ClaveDescarga();
  const Componentes& ComponentesDe(const QString& articulo);
  std::vector<ItemCantidad> TomaLotes(const QString& componente, const QString& deposito, Diezmilesimos necesidad);

  ClsCmnCptes& cptes_;
  MSFlexGrid* grilla_;
  bool enLote_;
  QString lote_;
  long secuencia_ = 0;
  QHash<QString, Articulo> articulos_;
  std::set<QString> depositosVistos_;
  QHash<QString, Componentes> componentes_;
  // The lots in stock of a component in a warehouse, as read once, and what
  // earlier rows of this posting drew from them, by component|warehouse:
  // the running total of the need.
  QHash<QString, std::vector<ItemCantidad>> lotesEnStock_;
  QHash<QString, Diezmilesimos> tomado_;
  // The lots each component of each line (row, component) was drawn from by
  // the last discharge, for a discharge that gives back the same lots.
  std::map<std::pair<int, size_t>, std::vector<ItemCantidad>> lotesDeLinea_;
  // The INSERT of the last row run at once, and its columns.
  std::vector<const char*> columnas_;
  QString sentencia_;
};

}  // namespace posteo
