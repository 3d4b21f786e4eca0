#pragma once
// The data-access objects the program works with: a connection that runs
// statements, and recordsets fetched whole when they are opened (the server
// allows one open result per connection and callers nest their queries).
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vb_error.h"

namespace ado {

// Column names of a result, shared by every result of the same statement.
struct Columnas {
  QStringList nombres;
  QHash<QString, int> indice;  // lower-case name -> position
  // Declared size in characters of each column, 0 when the database does not
  // declare one (an SQLite TEXT column, an expression).
  std::vector<int> tamanos;
  explicit Columnas(QStringList n, std::vector<int> t = {});
  int Posicion(const QString& nombre) const;  // -1 when absent
};

struct Resultado {
  std::shared_ptr<const Columnas> columnas;
  std::vector<QVariant> valores;  // row after row
  long filasAfectadas = -1;
  int Filas() const;
};

// How a transaction takes the database's locks: when it first writes, or
// the write lock at once, before it reads anything its writes depend on (no
// other program can write in between; a busy database fails at the start,
// before anything was done).
enum class Bloqueo { AlEscribir, EscrituraPrimero };

// A database reached by the connection: the embedded file or an ODBC source.
//
// After any failure the engine is out of every transaction (a full rollback
// when one was still open), so a failed batch or transaction never leaves
// the connection holding locks or uncommitted rows.
class Motor {
 public:
  virtual ~Motor() = default;
  // Runs a text (one statement or a batch); a batch runs whole or not at
  // all (in a transaction of its own, write lock first, when none is open).
  // Hands back the rows of the last statement that returns rows.
  virtual Resultado Ejecuta(const QString& sql) = 0;
  // Runs a text that must be exactly one statement that only reads; a text
  // holding more, or a statement that would write, is refused before
  // anything runs. So is a statement that would open or end a transaction,
  // attach or detach another file, or change a setting of the connection:
  // a read leaves the connection as it found it.
  virtual Resultado Lee(const QString& sql) = 0;
  // Runs one statement with "?" placeholders bound to the values; the
  // statement is prepared once and kept for the next call with the same text.
  virtual Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) = 0;
  // The same for a read: the statement is refused, as Lee refuses it,
  // before anything runs.
  virtual Resultado LeePreparada(const QString& sql, const QVariantList& valores) = 0;
  // Reads the rows of one statement as they come, without keeping them:
  // fila is called for each row with its values (valid during the call).
  // A long list costs no copy of all its rows in memory.
  using Fila = std::function<void(const QVariant* valores, int columnas)>;
  virtual void Recorre(const QString& sql, const Fila& fila);
  virtual bool EsSqlite() const = 0;
  // Seconds a statement may wait for the database (a lock held by another
  // program, a slow server) before it fails.
  virtual void FijaTiempoEspera(int segundos) {}
  virtual void FijaBaseDefecto(const QString& base) {}
  // Why nothing can be written to the database (the file is read-only, its
  // folder takes no new file), in a phrase that follows the database's
  // name; empty when it can be written.
  virtual QString MotivoSinEscritura() const { return QString(); }
  // Groups the reads that follow in one read transaction (the embedded
  // database then takes its file lock once, not once per query). False when
  // nothing was opened (a transaction was already open, or the engine has no
  // need of it); TerminaLectura is then not to be called.
  virtual bool IniciaLectura() { return false; }
  virtual void TerminaLectura() {}

  // Transactions. IniciaTransaccion raises when one is already open or the
  // lock cannot be had; ConfirmaTransaccion raises when the commit fails,
  // and the transaction is then rolled back; DeshaceTransaccion rolls back
  // whatever is open (nothing when none is).
  virtual void IniciaTransaccion(Bloqueo bloqueo) = 0;
  virtual void ConfirmaTransaccion() = 0;
  virtual void DeshaceTransaccion() = 0;
  // Whether the engine is inside a transaction (not in autocommit).
  virtual bool EnTransaccion() const = 0;
};

// The failure of a statement as the program reports it: a lock held by
// another user (or a statement that ran out of time) in Spanish, any other
// failure with the engine's message; the statement, cut to a readable
// length, goes in the details.
[[noreturn]] void FallaSentencia(const QString& mensaje, bool bloqueo, const QString& sql, const QString& origen);
// A statement cut to a length a message can show.
QString SentenciaRecortada(const QString& sql);
// The description of a lock held by another user.
extern const QString kMensajeBloqueo;
// Added to the description when nothing of the failed work was written.
extern const QString kNadaGrabado;

// Both raise on failure. segundosEspera: how long a statement (the first
// look at the file included) may wait for a lock another program holds.
std::unique_ptr<Motor> AbreSqlite(const QString& archivo, int segundosEspera = 30);
std::unique_ptr<Motor> AbreOdbc(const QString& cadena, int segundosConexion);

}  // namespace ado

class Field {
 public:
  Field() = default;
  Field(QString nombre, QVariant valor) : nombre_(std::move(nombre)), valor_(std::move(valor)) {}
  const QString& Name() const { return nombre_; }
  const QVariant& Value() const { return valor_; }
  bool IsNull() const { return !valor_.isValid() || valor_.isNull(); }

 private:
  QString nombre_;
  QVariant valor_;
};

class Recordset {
 public:
  Recordset() = default;
  explicit Recordset(ado::Resultado r);

  bool Abierto() const { return abierto_; }  // State = open
  bool Bof() const;                           // raises when closed
  bool Eof() const;                           // raises when closed
  void MoveNext();
  void MoveFirst();
  long RecordCount() const;
  int FieldCount() const;
  Field Fields(const QString& nombre) const;  // raises when absent or no current row
  // The position of the field of that name (letter case ignored), -1 when
  // the recordset has none: a look-up done once for a loop over the rows.
  int Posicion(const QString& nombre) const;
  Field Fields(int indice) const;
  QString FieldName(int indice) const;
  // The defined size of a field in characters: the size its column declares
  // (VARCHAR(50) gives 50) or, where none is declared, the longest text the
  // column holds in this recordset (at least 1).
  int DefinedSize(int indice) const;
  void Close();

 private:
  void ExigeAbierto() const;
  void ExigeFila() const;
  ado::Resultado datos_;
  long pos_ = 0;
  bool abierto_ = false;
};

struct AdoError {
  long Number = 0;
  QString Description;
  QString Source;
};

class Connection {
 public:
  Connection();
  ~Connection();
  void Abre(std::unique_ptr<ado::Motor> motor, QString cadena);
  void Close();
  bool Abierta() const { return motor_ != nullptr; }

  // Runs a statement or a batch; rows come back in the recordset. A failure
  // says in its description that nothing was written. opciones is ignored
  // (see ClsDatos::AbreRecordset).
  Recordset Execute(const QString& sql, long* registrosAfectados = nullptr, int opciones = -1);
  // Runs a read: exactly one statement that only reads and leaves the
  // connection as it was (anything else is refused before it runs).
  Recordset Lee(const QString& sql);
  // Runs one statement with "?" placeholders, prepared once per text.
  Recordset ExecutePreparada(const QString& sql, const QVariantList& valores);
  // The same for a read, refused as Lee refuses it.
  Recordset LeePreparada(const QString& sql, const QVariantList& valores);
  // Reads the rows of one statement one at a time (ado::Motor::Recorre).
  void Recorre(const QString& sql, const ado::Motor::Fila& fila);

  // Transactions. BeginTrans opens one (raising when one is open already or
  // the lock cannot be had); with Bloqueo::EscrituraPrimero it takes the
  // write lock before anything else. CommitTrans makes its work permanent.
  // When any statement inside it fails, or the commit itself does, the
  // whole transaction is rolled back at once and the error says that
  // nothing was written; until the caller ends it (RollbackTrans, or a
  // CommitTrans that raises the same), every statement is refused, so
  // nothing runs outside the transaction it was meant for. RollbackTrans
  // rolls back whatever is open and never raises.
  long BeginTrans(ado::Bloqueo bloqueo = ado::Bloqueo::AlEscribir);
  void CommitTrans();
  void RollbackTrans();
  // Whether the engine is inside a transaction (of this connection's
  // callers, or a grouped read).
  bool EnTransaccion() const;

  int CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(int segundos);
  QString DefaultDatabase() const { return defaultDatabase_; }
  void SetDefaultDatabase(const QString& base);
  QString ConnectionString() const { return cadena_; }
  const std::vector<AdoError>& Errors() const { return errores_; }
  ado::Motor* Motor() const { return motor_.get(); }

 private:
  enum class Estado { Ninguna, Abierta, Fallida };
  void ExigeAbierta() const;
  void ExigeTransaccionViva() const;
  // Runs one call on the engine, recording its failure; fallaNadaGrabado: a
  // failure is told as one that wrote nothing (a transaction open when it
  // fails is told so too).
  template <typename F>
  Recordset Corre(F&& llamada, bool fallaNadaGrabado);
  // Records the failure and raises it, adding that nothing was written.
  [[noreturn]] void Falla(vb::Error e, bool nadaGrabado);
  std::unique_ptr<ado::Motor> motor_;
  QString cadena_;
  QString defaultDatabase_;
  int commandTimeout_ = 30;
  Estado transaccion_ = Estado::Ninguna;
  std::vector<AdoError> errores_;
};

// A transaction of a connection for as long as this object lives: rolled
// back at the end unless Confirma made it permanent.
//
//   Transaccion t(gDatos.Conexion(), ado::Bloqueo::EscrituraPrimero);
//   ... statements ...
//   t.Confirma();
class Transaccion {
 public:
  explicit Transaccion(Connection& conexion, ado::Bloqueo bloqueo = ado::Bloqueo::EscrituraPrimero);
  ~Transaccion();
  Transaccion(const Transaccion&) = delete;
  Transaccion& operator=(const Transaccion&) = delete;
  void Confirma();

 private:
  Connection& conexion_;
  bool terminada_ = false;
};
