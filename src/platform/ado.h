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

// A database reached by the connection: the embedded file or an ODBC source.
class Motor {
 public:
  virtual ~Motor() = default;
  // Runs a text (one statement or a batch) and hands back the rows of the
  // last statement that returns rows.
  virtual Resultado Ejecuta(const QString& sql) = 0;
  // Runs one statement with "?" placeholders bound to the values; the
  // statement is prepared once and kept for the next call with the same text.
  virtual Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) = 0;
  // Reads the rows of one statement as they come, without keeping them:
  // fila is called for each row with its values (valid during the call).
  // A long list costs no copy of all its rows in memory.
  using Fila = std::function<void(const QVariant* valores, int columnas)>;
  virtual void Recorre(const QString& sql, const Fila& fila);
  virtual bool EsSqlite() const = 0;
  virtual void FijaTiempoEspera(int segundos) {}
  virtual void FijaBaseDefecto(const QString& base) {}
  virtual bool SoloLectura() const { return false; }
  // Groups the reads that follow in one read transaction (the embedded
  // database then takes its file lock once, not once per query). False when
  // nothing was opened (a transaction was already open, or the engine has no
  // need of it); TerminaLectura is then not to be called.
  virtual bool IniciaLectura() { return false; }
  virtual void TerminaLectura() {}
};

std::unique_ptr<Motor> AbreSqlite(const QString& archivo);  // raises on failure
std::unique_ptr<Motor> AbreOdbc(const QString& cadena, int segundosConexion);  // raises on failure

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

  // Runs a statement or a batch; rows come back in the recordset.
  Recordset Execute(const QString& sql, long* registrosAfectados = nullptr, int opciones = -1);
  // Runs one statement with "?" placeholders, prepared once per text.
  Recordset ExecutePreparada(const QString& sql, const QVariantList& valores);
  // Reads the rows of one statement one at a time (ado::Motor::Recorre).
  void Recorre(const QString& sql, const ado::Motor::Fila& fila);

  int CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(int segundos);
  QString DefaultDatabase() const { return defaultDatabase_; }
  void SetDefaultDatabase(const QString& base);
  QString ConnectionString() const { return cadena_; }
  const std::vector<AdoError>& Errors() const { return errores_; }
  ado::Motor* Motor() const { return motor_.get(); }

 private:
  void ExigeAbierta() const;
  std::unique_ptr<ado::Motor> motor_;
  QString cadena_;
  QString defaultDatabase_;
  int commandTimeout_ = 30;
  std::vector<AdoError> errores_;
};
