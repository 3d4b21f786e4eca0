#pragma once
// Lib_ClsCons3: the record pick service. One instance lives in the global
// gConsulta for the life of the program; start-up fills its file settings.
//
// A look-up: set CampoDevuelto (and, when wanted, Checks and UsaCantidades),
// call ConsultaSearch, then read ValorDevuelto (and Valores, Cantidades).
// Each call builds its statement (from the table's record in consultas.bvx,
// from the table's own columns, or from the caller's statement), shows a
// fresh list pick form (or tree pick form) modally and keeps the choice.
//
//   gConsulta->CampoDevuelto = "IDTECNICO";
//   gConsulta->ConsultaSearch("V_TA_TECNICOS");
//   QString codigo = vb::Texto(gConsulta->ValorDevuelto);   // "" when cancelled
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

#include "lookup/consultas_bvx.h"

// A collection of texts that may also be nothing (std::nullopt): an empty
// list and no list at all are told apart, as callers rely on.
using ColeccionTextos = std::optional<QStringList>;

class Lib_ClsCons3 {
 public:
  // Reads the stock-colour settings of the configuration.
  Lib_ClsCons3();
  ~Lib_ClsCons3();

  // Text colours of article lines by stock level, and the switch ("SI") that
  // turns the colouring on; handed to the list form.
  QVariant StkNivel1;
  QVariant StkNivel2;
  QVariant StkNivel3;
  QVariant StkNivel4;
  QString MuestraStock;
  // Kept for callers; ConsultaSearch takes its collection as an argument.
  ColeccionTextos CmpsDevueltos = QStringList();
  // Results of the last look-up: values of the extra columns asked for (or of
  // the ticked lines), and with quantities one quantity per ticked line.
  ColeccionTextos Valores = QStringList();
  ColeccionTextos Cantidades;
  // Multi-selection with check boxes for the next look-up only.
  bool Checks = false;
  // Value of the CampoDevuelto column of the picked line; "" when cancelled.
  QVariant ValorDevuelto;
  // The session's connection text, handed on to the list pick form.
  QString gConnString;
  // Full path of the look-up configuration file (consultas.bvx).
  QString gRutaMascaraConsultas;
  // True makes table requests look up their record in that file.
  bool gUsarMascarasConsultas = false;
  // Records used while that file cannot be read: start-up keeps the default
  // records here when it could not write the file (a read-only program
  // folder), so the look-ups work from them.
  std::vector<QConsulta> MascarasEnMemoria;
  // Quantity entry on the ticked lines of the list form.
  bool UsaCantidades = false;
  // Column whose value the next look-up returns; "" again after every call.
  QString CampoDevuelto;

  // Sql: a table or view name, or a whole statement (any text holding
  // "SELECT"). CmpsDevueltos: further columns to return in Valores (emptied
  // and set to nothing before returning). Clave: first search text.
  // CampoBusqueda: search and sort column, written back when the call chose
  // it. Where: filter when the table's record sets none. SentenciaOpcional:
  // statement for a table without a record. TreeView: the tree form instead
  // of the list. ValoresDefault: values whose lines load ticked.
  // Never raises: a failing step is passed over.
  void ConsultaSearch(const QString& Sql, ColeccionTextos* CmpsDevueltos = nullptr, const QString& Clave = QString(),
                      QString* CampoBusqueda = nullptr, const QString& Where = QString(),
                      const QString& SentenciaOpcional = QString(), bool TreeView = false,
                      const QString& ValoresDefault = QString());

  // The statement a request is shown with (the first half of
  // ConsultaSearch). False when the table's record has a single column and
  // no search column was given: the look-up cannot be shown.
  bool ArmaSentencia(const QString& Sql, QString& CampoBusqueda, const QString& Where,
                     const QString& SentenciaOpcional, QString& Sentencia);

 private:
  void Cierra(ColeccionTextos* CmpsDevueltos);
};
