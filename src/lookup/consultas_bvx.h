#pragma once
// The look-up configuration file (consultas.bvx): fixed-length records of
// 1202 bytes, one per table, telling the record pick service which columns a
// pick list shows and which condition filters it.
//
//   offset  width  field
//        0    100  Titulo       title of the look-up (no reader uses it)
//      100    100  Tabla        the table or view the record configures (key)
//      200    500  ListaCampos  "|COL1|COL2|" columns in display order
//      700    500  Condicion    filter without WHERE; blank means none
//     1200      2  FinDeLinea   CR LF
//
// Text is single-byte (the system code page), left-aligned, padded with
// blanks and cut at the field's width.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct QConsulta {
  static constexpr int kLargo = 1202;
  static constexpr int kTitulo = 100, kTabla = 100, kListaCampos = 500, kCondicion = 500, kFinDeLinea = 2;

  QString Titulo;
  QString Tabla;
  QString ListaCampos;
  QString Condicion;
  QByteArray FinDeLinea = QByteArray("\r\n", 2);

  // The record's bytes, each field padded with blanks to its width.
  QByteArray Bytes() const;
  static QConsulta DesdeBytes(const QByteArray& bytes);  // exactly kLargo bytes

  // The record's key: Tabla without characters 0 and 255, trimmed.
  QString Clave() const;
  // The column list: bars as commas, one comma dropped at each end, "*"
  // when nothing is left.
  QString Columnas() const;
  // The filter: Condicion without characters 0 and 255, trimmed. Any other
  // character stays (a condition may run over several lines).
  QString Filtro() const;
};

namespace consultas_bvx {

// Only an ordinary file is read (a folder, a pipe or a device at the path
// counts as no file), and only its whole records: a trailing piece shorter
// than a record is not a record.

// The first record whose key equals the table name (trimmed, ignoring case);
// none when the file is missing or holds no such record.
std::optional<QConsulta> BuscaTabla(const QString& archivo, const QString& tabla);
// The same among records held in memory.
std::optional<QConsulta> BuscaTabla(const std::vector<QConsulta>& registros, const QString& tabla);

// Every whole record of the file, in order (empty when the file is missing).
std::vector<QConsulta> LeeTodos(const QString& archivo);

// Appends records after the last whole record of the file, writing the new
// file beside the old one and renaming it over, so a failure never loses the
// old file. Raises when the file cannot be written, or when something other
// than an ordinary file stands at the path (it is left as it is).
void Agrega(const QString& archivo, const std::vector<QConsulta>& registros);

}  // namespace consultas_bvx
