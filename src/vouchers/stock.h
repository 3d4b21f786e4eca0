#pragma once
// Module Stock: the key of a new stock voucher, the lots in stock a
// quantity is drawn from, the components of an article, and the write lock
// a stock voucher's key is allocated and used under.
//
// The stock posting (ClsCmnCptes::ActualizaStock) discharges the components
// of the articles it posts as a stock voucher of its own:
//   TransaccionStock bloqueo;                      // before any number is read
//   if (IdArticuloTieneInsumos(articulo, gInsumos, false)) {
//     if (clave.isEmpty()) clave = AsignarNumeroComprobante("PE", "0001", "X");
//     if (clave.isEmpty()) -> stop: no number was given (the user was told why)
//     for each component c of gInsumos:
//       ArticuloTieneLotes(c.CodigoItem, deposito, lotes, necesidad);
//       one movement per record of lotes (an empty lot: a movement without lot)
//   }
//   GrabaNumeroComprobante("PE", "STOCK", ...)     // the number used, in the same batch
//   ... run the statements; bloqueo.Confirma();
// The key is free only while the lock that was held when it was allocated
// lasts: allocated under one lock and used under another, two postings can
// get the same key.
#include <QString>
#include <vector>

// One record of the lot and component lists.
struct ItemCantidad {
  QString CodigoItem;   // lot number (lots) or component article (components), as stored; "" = no lot
  QString UnidadItem;   // "" (lots) or the component's unit, as stored
  double CantidadItem = 0;  // quantity drawn from the lot, or of the component
};

// The components of the last article asked about (IdArticuloTieneInsumos),
// for the stock posting.
extern std::vector<ItemCantidad> gInsumos;

// The key (SucNroLetra, 13 characters) of the next stock voucher of a type
// that no stock movement uses: the number proposed by the type's books
// (Obtener_Nro_Comprobante, checked), or, when a movement already uses it,
// the one after the highest key of the type, branch and letter in
// V_MV_STOCK, or, when it was handed out under the lock held, the one after
// the highest key handed out there (each checked in turn). Branch and letter are the book's (a type without books gives
// "0001" and "X"). The empty text when no number was given: the books are
// used up or wrongly set up, the highest key is 99999999 (the user was told),
// or a database error left the procedure. Call it under the write lock of the
// posting that uses the key (TransaccionStock): a key handed out under the
// lock held counts as used (EntregasStock), written or not, and the key
// given is kept as handed out.
// With TextoLote nothing runs: what the numbering would run (the removal of
// a reservation left of the number) is appended to TextoLote, for the
// caller's batch, which it must run under the same lock; nothing is appended
// for a number handed out under that lock, whose reservation is its
// holder's.
QString AsignarNumeroComprobante(const QString& TC, const QString& Sucursal, const QString& Letra,
                                 QString* TextoLote = nullptr);

// Draws a quantity of an article from its lots in stock in a warehouse,
// first lot (in lot-number order) first. IdDeposito is the warehouse code or
// its SQL literal (as the stock posting holds it). True when the warehouse
// holds lots of the article with a quantity above 0. The list then holds one
// record per lot drawn, with the quantity taken from it (each above 0), and,
// when the lots fall short, one last record with an empty lot and the
// quantity still missing. False when there are no lots: the list holds one
// record with an empty lot and the whole quantity. A quantity of 0 draws
// nothing and leaves no record; a negative one is never drawn from lots (one
// record with an empty lot).
bool ArticuloTieneLotes(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& LotesArticulo,
                        double CantidadRequerida);

// ArticuloTieneLotes in its two halves, for a caller that draws from the
// same lots again and again (the stock posting, a component line after
// line): LotesEnStock reads the article's lots in stock in the warehouse in
// the order they are drawn, each with its quantity (Tiene: whether there are
// any), its failures reported under "ArticuloTieneLotes"; false when the
// procedure was left. SacaDeLotes draws a quantity from lots so read, into
// LotesArticulo, as ArticuloTieneLotes draws it.
bool LotesEnStock(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& EnStock,
                  bool& Tiene);
void SacaDeLotes(const std::vector<ItemCantidad>& EnStock, double CantidadRequerida,
                 std::vector<ItemCantidad>& LotesArticulo);

// Whether the article has components (V_MA_INSUMOS). Unless SoloVerifica,
// Insumos holds exactly its components: article, unit and quantity per unit
// of the article (the percentage for an article made by percentages), in the
// order the database returns them. With SoloVerifica, Insumos is left empty.
bool IdArticuloTieneInsumos(const QString& IdArticulo, std::vector<ItemCantidad>& Insumos, bool SoloVerifica = false);

// What the postings under the write lock held have handed out and may not
// have written yet: the keys of stock vouchers (AsignarNumeroComprobante)
// and the last sequence given to the rows of a voucher. A posting run as a
// batch writes nothing until its caller runs the batch, later, under the same
// lock; a posting after it cannot see its key or rows in V_MV_STOCK nor its
// number in the books, so it asks here. What is handed out is kept in levels:
// each write lock (TransaccionStock) opens one, and so does a posting run as
// a batch. A level ended with Confirma hands what it holds to the level
// around it; one ended without it (the lock taken back, the posting failed)
// forgets it, so a key handed out there is free again. Nothing outlives the
// outermost level; without any level nothing is kept.
class EntregasStock {
 public:
  EntregasStock();
  ~EntregasStock();
  EntregasStock(const EntregasStock&) = delete;
  EntregasStock& operator=(const EntregasStock&) = delete;
  void Confirma() { confirmada_ = true; }

  // A key (SucNroLetra) of a voucher type handed out; whether it was.
  static void Clave(const QString& TC, const QString& clave);
  static bool ClaveEntregada(const QString& TC, const QString& clave);
  // The highest key handed out of a type, branch and letter ("" none).
  static QString UltimaClave(const QString& TC, const QString& Sucursal, const QString& Letra);
  // The last sequence given to the rows of a voucher (0 none).
  static void Secuencia(const QString& TC, const QString& clave, long secuencia);
  static long UltimaSecuencia(const QString& TC, const QString& clave);

 private:
  size_t nivel_;
  bool confirmada_ = false;
};

// The write lock of a stock posting: a transaction that takes the database's
// write lock at once, waiting for another writer up to the connection's
// command timeout (raises when it cannot be had). Ended without Confirma it
// rolls back, so the connection is back in autocommit after any failure. A
// lock taken while another one is held joins it: only the outermost one
// commits. A joined lock sets a savepoint in the transaction held, so ended
// without Confirma it takes back exactly what was written under it, and the
// statements of its holder before it stay as they were.
class TransaccionStock {
 public:
  TransaccionStock();
  ~TransaccionStock();
  TransaccionStock(const TransaccionStock&) = delete;
  TransaccionStock& operator=(const TransaccionStock&) = delete;
  // Commits (the outermost lock; a joined one keeps its work in the
  // transaction held); raises when the commit fails, after rolling back.
  void Confirma();

  // The statements of the savepoint of a joined lock, as each engine writes
  // them: the embedded database's SAVEPOINT / ROLLBACK TO / RELEASE, the
  // server's SAVE TRANSACTION / ROLLBACK TRANSACTION (the server has no
  // release: its savepoints end with the transaction). nivel tells the
  // savepoints of locks joined inside each other apart.
  struct PuntoDeGuardado {
    QString marca, vuelta, liberacion;  // liberacion "": none
  };
  static PuntoDeGuardado Sentencias(bool sqlite, int nivel);

 private:
  EntregasStock entregas_;  // what is handed out under this lock
  bool propia_ = false;
  bool terminada_ = false;
  PuntoDeGuardado punto_;  // of a joined lock
};
