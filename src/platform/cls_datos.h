#pragma once
// ClsDatos (global gDatos): the one database connection of the program and
// its settings, opening and closing recordsets, running statements,
// single-value look-ups and SQL literals.
//
// The connection is chosen by the server name:
//  - blank: the embedded SQLite file named by BaseDeDatos (relative to the
//    program folder when not absolute);
//  - an explicit connection text: handed to the ODBC driver manager (the
//    Oracle OLE DB text is turned into its ODBC form first);
//  - otherwise: SQL Server over ODBC (FreeTDS), at the port given, or at the
//    one the server's browser service gives for a named instance
//    ("host\INSTANCIA"), or else at the server's usual port; the whole
//    attempt, the instance's port included, within the login time.
#include <QString>
#include <QVariant>

#include "platform/ado.h"
#include "platform/navegador_sql.h"

class ClsDatos {
 public:
  QString Servidor;
  QString BaseDeDatos;
  QString Usuario;
  QString Password;
  // The server's port when one was given ("host:port"); empty lets the
  // driver choose (the usual port, or a named instance's own).
  QString Puerto;

  // Seconds a connection to a server may take, a named instance's look-up
  // included, before it counts as failed.
  static constexpr int kSegundosConexion = 5;
  int SegundosConexion = kSegundosConexion;
  // The UDP port of the server's browser service, asked for a named
  // instance's port.
  int PuertoNavegador = navegador_sql::kPuertoServicio;

  bool Conectar(bool sinServidor, int modo, const QString& cadenaConexion);
  void Desconecta();
  bool Conectado() const { return conexion_.Abierta(); }
  QString StringConexion() const { return conexion_.ConnectionString(); }
  Connection& Conexion() { return conexion_; }
  bool EsSqlite() const;
  // The ODBC text that reaches SQL Server through FreeTDS for Servidor,
  // Puerto, BaseDeDatos, Usuario and Password (values in braces).
  QString CadenaSqlServer() const;
  // The same for the server (no instance) at the port (none: the driver's
  // choice).
  QString CadenaSqlServer(const QString& servidor, const QString& puerto) const;

  // Opens a recordset on the shared connection (the con argument, when
  // given, is that same connection). The rows are fetched whole. The text is
  // one statement that only reads: a text holding more, a statement that
  // would write, or one that would open or end a transaction, attach or
  // detach a file or change a setting of the connection, is refused before
  // anything runs.
  // The cursor, lock and options given here, the options of
  // Connection::Execute and the mode given to Conectar are kept so that the
  // callers keep their form, and are ignored: every recordset is read whole
  // when it is opened and can go back to its first row, and neither engine
  // takes a hint from them.
  void AbreRecordset(const QString& sql, Recordset& rs, Connection* con = nullptr, int cursor = 0, int lock = 1,
                     int opciones = -1);
  // The same for a statement with "?" placeholders, prepared once per text,
  // refused as the above.
  void AbreRecordsetPreparado(const QString& sql, const QVariantList& valores, Recordset& rs);
  void CierraRecordset(Recordset& rs);
  // Reads the rows of one statement one at a time, without keeping them all
  // (a list of 100,000 lines): fila receives each row's values in the order
  // of the statement's columns.
  void RecorreRecordset(const QString& sql, const ado::Motor::Fila& fila);
  void Ejecuta(const QString& sql);

  // Rows of a table whose column campo equals valor (codes compared without
  // their surrounding blanks), with an optional further condition (with or
  // without its WHERE). True when a row was found; rs stays on the first.
  bool BuscaRegistros(const QString& tabla, const QString& valor, const QString& campo, Recordset& rs,
                      int tipo = 8, const QString& condicion = QString());
  // The column campoResultado of the first row whose campoClave equals
  // valorClave (and that meets the condition); the empty text when none.
  QVariant ObtieneValor(const QString& tabla, const QString& valorClave, const QString& campoResultado,
                        const QString& campoClave, int tipo = 8, const QString& condicion = QString());
  // Confirms a pick made in a look-up list: n receives 1 when a code was
  // picked, 0 otherwise. Nothing is shown and the code is left as it is.
  QString MuestraConsulta(const QString& tabla, long& n, QString& codigo, const QString& campoExtra,
                          const QString& campoDescripcion);

  // SQL literal of a value by type code: "'" a quoted text (quotes doubled),
  // "@" a number with "." as decimal point, "" the value unchanged. Null
  // values give NULL.
  QString ValorSQL(const QVariant& valor, const QString& tipo) const;
  // A quoted text literal with its quotes doubled. A NUL character, which
  // no literal of the embedded database can hold, is written as CHAR(0)
  // joined to the quoted parts ('a'+CHAR(0)+'b'), so the literal stands for
  // exactly the text, as a bound value does. A half of a character standing
  // alone is left out (vb::SinMitadesSueltas): it is no character, and the
  // adaptation of a statement for the embedded database cannot read a text
  // holding one.
  static QString Literal(const QString& texto);
  // The same literal without its outer quotes, for a statement that writes
  // them itself around the text ("= '" + EntreComillas(t) + "'"; a LIKE
  // pattern "'%" + ... + "%'"). Every text that reaches SQL goes through
  // one of the two.
  static QString EntreComillas(const QString& texto);
  // The text a quoted literal (as Literal writes it) stands for; any other
  // text as it is. Blanks around it are dropped in both cases.
  static QString DeshaceLiteral(const QString& texto);
  // A number literal with "." as decimal point.
  static QString Numero(double valor);
  // A text made safe for a LIKE pattern between quotes: as EntreComillas,
  // with the pattern characters %, _ and [ taken literally.
  QString LiteralLike(const QString& texto) const;

  // How a statement is added to a batch text that a caller runs later as
  // one batch (its statements joined by line breaks):
  //  - Retorno: a CR before it, always (the stock posting's form: a text
  //    that was empty then begins with CR);
  //  - Linea: CR LF before it, only where the text holds something that
  //    does not already end a line (the numbering's form).
  enum class Union { Retorno, Linea };
  static void AgregaSentencia(QString& lote, const QString& sentencia, Union forma);

  // The condition that a code column holds one of a list of codes (lista:
  // "(?, ?, ...)", each code bound without blanks around it), compared as
  // ObtieneValor compares one: blanks around the stored code and letter
  // case do not count.
  QString CodigoEnLista(const QString& campo, const QString& lista) const;

 private:
  QString ComparaCodigo(const QString& campo) const;
  Connection conexion_;
};

extern ClsDatos gDatos;

// Many small reads of one operation (a list loaded one query per line) in
// one read transaction of the shared connection, for as long as it lives.
class LecturaAgrupada {
 public:
  LecturaAgrupada();
  ~LecturaAgrupada();
  LecturaAgrupada(const LecturaAgrupada&) = delete;
  LecturaAgrupada& operator=(const LecturaAgrupada&) = delete;

 private:
  bool abierta_ = false;
};
