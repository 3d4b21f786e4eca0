#include "lookup/filtro_consulta.h"

#include <vector>

#include "platform/cls_datos.h"
#include "platform/sql_adapter.h"

namespace filtro_consulta {

namespace {

// A word of the statement's own level: outside quoted texts, quoted or
// bracketed names, comments and parentheses.
struct Palabra {
  int desde;
  int hasta;  // one past its last character
  QString texto;
};

bool DeNombre(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'; }

std::vector<Palabra> PalabrasArriba(const QString& s) {
  std::vector<Palabra> r;
  const int n = static_cast<int>(s.size());
  int nivel = 0;
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    if (c == u'\'' || c == u'"' || c == u'[') {
      i = sqlite_sql::FinDeCitado(s, i);
    } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
      while (i < n && s[i] != u'\n' && s[i] != u'\r') ++i;
    } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
      const int fin = s.indexOf(QStringLiteral("*/"), i + 2);
      i = fin < 0 ? n : fin + 2;
    } else if (c == u'(') {
      ++nivel;
      ++i;
    } else if (c == u')') {
      if (nivel > 0) --nivel;
      ++i;
    } else if (DeNombre(c)) {
      int j = i;
      while (j < n && DeNombre(s[j])) ++j;
      if (nivel == 0 && !c.isDigit()) r.push_back({i, j, s.mid(i, j - i)});
      i = j;
    } else {
      ++i;
    }
  }
  return r;
}

bool Es(const Palabra& p, const char* palabra) {
  return p.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

// Whether words k and k + 1 are the pair (ORDER BY, GROUP BY) with only
// blanks between them.
bool Par(const QString& s, const std::vector<Palabra>& p, size_t k, const char* primera) {
  if (k + 1 >= p.size() || !Es(p[k], primera) || !Es(p[k + 1], "BY")) return false;
  return s.mid(p[k].hasta, p[k + 1].desde - p[k].hasta).trimmed().isEmpty();
}

}  // namespace

void PartePorOrden(const QString& sql, QString& base, QString& orden) {
  const std::vector<Palabra> p = PalabrasArriba(sql);
  for (size_t k = p.size(); k-- > 0;) {
    if (Par(sql, p, k, "ORDER")) {
      base = sql.left(p[k].desde);
      orden = sql.mid(p[k].desde);
      return;
    }
  }
  base = sql;
  orden.clear();
}

QString AgregaCondicion(const QString& base, const QString& condicion) {
  const std::vector<Palabra> p = PalabrasArriba(base);
  int where = -1;
  size_t desdeWhere = 0;
  for (size_t k = 0; k < p.size(); ++k) {
    if (Es(p[k], "WHERE")) {
      where = static_cast<int>(k);
      desdeWhere = k + 1;
      break;
    }
  }
  // The condition goes before a GROUP BY or HAVING that follows.
  int fin = static_cast<int>(base.size());
  for (size_t k = desdeWhere; k < p.size(); ++k) {
    if (Par(base, p, k, "GROUP") || Es(p[k], "HAVING")) {
      fin = p[k].desde;
      break;
    }
  }
  const QString resto = base.mid(fin);
  if (where < 0) return base.left(fin) + QStringLiteral(" where ") + condicion + resto;

  const int inicio = p[where].hasta;
  QString clausula = base.mid(inicio, fin - inicio);
  bool conOr = false;
  for (size_t k = desdeWhere; k < p.size() && p[k].desde < fin; ++k)
    if (Es(p[k], "OR")) conOr = true;
  if (conOr) {
    // Kept apart from the new condition: its blanks at both ends stay outside.
    int a = 0, b = static_cast<int>(clausula.size());
    while (a < b && clausula[a].isSpace()) ++a;
    while (b > a && clausula[b - 1].isSpace()) --b;
    clausula = clausula.left(a) + u'(' + clausula.mid(a, b - a) + u')' + clausula.mid(b);
  }
  return base.left(inicio) + clausula + QStringLiteral(" and ") + condicion + resto;
}

QString TextoLike(const QString& texto) {
  QString t = texto;
  t.replace(u'[', QStringLiteral("[[]"));
  return ClsDatos::EntreComillas(t);
}

}  // namespace filtro_consulta

QString FiltroConsulta::Agrega(const QString& sql, const QString& campo, const QString& texto) {
  QString orden;
  // The statement split at its own ORDER BY, unless it is the one the last
  // condition made (then the tail follows the base as it was).
  if (!partida_ || !sql.startsWith(base_)) {
    filtro_consulta::PartePorOrden(sql, base_, orden);
    partida_ = true;
  } else {
    orden = sql.mid(base_.size());
  }
  base_ = filtro_consulta::AgregaCondicion(
      base_, campo + QStringLiteral(" like '%") + filtro_consulta::TextoLike(texto) + QStringLiteral("%' "));
  return base_ + orden;
}
