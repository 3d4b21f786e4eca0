#pragma once
// The table look-up dispatch: turns a request to look up a code in a named
// table (a field's Tag) into a pick from the look-up service gConsulta.
//
//   QString descripcion, codigo, extra;
//   ConsultaTabla("v_ta_tecnicos", descripcion, codigo, extra, false, QString());
//   // codigo: the picked code, "" when nothing was picked
//
// With consultas.bvx in the program folder the table's record there makes
// the list (and MostrarConsulta is not looked at); without it the list reads
// "select <description>,<code> from <table> <Where>", and MostrarConsulta
// False only hands back the column names. A table that cannot be read shows
// a message and picks nothing. Failures of the pick reach the caller.
#include <QString>

void ConsultaTabla(const QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoExtra,
                   bool MostrarConsulta, const QString& Where);

// The description, code and extra columns of a table (the first half of
// ConsultaTabla). A name the table of known names does not cover leaves the
// three as they were.
void EligeColumnasConsulta(const QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoExtra);
