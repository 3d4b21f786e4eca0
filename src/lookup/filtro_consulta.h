#pragma once
// The server filter of the pick forms (F5 in a search box): each F5 adds one
// condition "<field> like '%<typed text>%' " to the statement the form shows.
//
//   FiltroConsulta filtro;
//   Sql = filtro.Agrega(Sql, caja.DataField, caja.Text());  // then reload
//   filtro.Olvida();  // "Nueva Busqueda": the next F5 starts afresh
//
// The statement is split once, at the first F5, at its own ORDER BY (the
// last one outside quotes, brackets and parentheses); later conditions go
// before that same tail, so a typed text holding "order by" or "where" never
// moves it. The condition joins an existing WHERE with " and " (a WHERE that
// holds an OR is put in parentheses first, so the new condition narrows all
// of it) or opens one with " where ", before any GROUP BY / HAVING. The
// typed text goes into the pattern through the literal function (quotes
// doubled, a NUL joined as CHAR(0)), with "[" taken literally; "%" and "_"
// stay wildcards.
#include <QString>

class FiltroConsulta {
 public:
  // The statement with one more condition on the field.
  QString Agrega(const QString& sql, const QString& campo, const QString& texto);
  // Forgets the split: the next Agrega takes its statement as it comes.
  void Olvida() { partida_ = false; }

 private:
  QString base_;  // the statement before its ORDER BY, conditions included
  bool partida_ = false;
};

namespace filtro_consulta {

// Splits a statement at its own ORDER BY: base is the text before it, orden
// the rest ("" when the statement has none).
void PartePorOrden(const QString& sql, QString& base, QString& orden);
// A statement without ORDER BY with one more condition (the condition as it
// stands, trailing blank included).
QString AgregaCondicion(const QString& base, const QString& condicion);
// The typed text as it goes between the quotes of the LIKE pattern.
QString TextoLike(const QString& texto);

}  // namespace filtro_consulta
