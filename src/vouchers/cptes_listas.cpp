// The lot, serial and position list texts: building, counting, splitting
// and searching them. See the header for the text form.
#include <QSet>

#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

// Walks a list text and hands each closed entry to f as its start and
// length in the text; f answers whether to go on. Blanks around the text
// are skipped, one opening "|" is skipped, and a tail after the last "|" is
// never an entry. One pass over the text.
template <typename F>
void RecorreLista(const QString& texto, F&& f) {
  qsizetype inicio = 0;
  qsizetype fin = texto.size();
  while (inicio < fin && texto[inicio] == u' ') ++inicio;
  while (fin > inicio && texto[fin - 1] == u' ') --fin;
  if (inicio < fin && texto[inicio] == u'|') ++inicio;
  qsizetype p = inicio;
  while (p < fin) {
    const qsizetype barra = texto.indexOf(u'|', p);
    if (barra < 0 || barra >= fin) return;
    if (!f(p, barra - p)) return;
    p = barra + 1;
  }
}

QString Entrada(const QString& texto, qsizetype inicio, qsizetype largo) { return texto.mid(inicio, largo); }

// The key entries are compared by: trimmed, letter case folded.
QString Clave(const QString& entrada) { return vb::Trim(entrada).toCaseFolded(); }

// The entries of a list, trimmed, with the empty slot at the end.
QStringList Entradas(const QString& lista) {
  QStringList r;
  RecorreLista(lista, [&](qsizetype i, qsizetype n) {
    r.append(vb::Trim(Entrada(lista, i, n)));
    return true;
  });
  r.append(QString());
  return r;
}

}  // namespace

QString ClsCmnCptes::StrSerieLote(const QString& Serie_Lote) const {
  QString r;
  QSet<QString> tomadas;
  RecorreLista(Serie_Lote, [&](qsizetype i, qsizetype n) {
    const QString e = vb::Trim(Entrada(Serie_Lote, i, n));
    if (!e.isEmpty() && !tomadas.contains(e.toCaseFolded())) {
      tomadas.insert(e.toCaseFolded());
      r += u' ';
      r += e;
    }
    return true;
  });
  return r;
}

void ClsCmnCptes::DescomponeSerieLote(const QString& Serie_Lote, QStringList& Arreglo) const {
  Arreglo = Entradas(Serie_Lote);
}

void ClsCmnCptes::DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                                 QStringList& ArrPosiciones, QStringList& ArrCantidades,
                                                 QStringList& ArrLote) const {
  ArrPosiciones = Entradas(Posicion_Lote);
  ArrCantidades.clear();
  ArrCantidades.reserve(ArrPosiciones.size());
  for (qsizetype k = 0; k + 1 < ArrPosiciones.size(); ++k) {
    QString& posicion = ArrPosiciones[k];
    // The quantity is a number: it follows the last "*", so a position code
    // may hold one.
    const qsizetype asterisco = posicion.lastIndexOf(u'*');
    if (asterisco < 0) {
      // A position without quantity: the arrays stay parallel.
      ArrCantidades.append(QString());
    } else {
      ArrCantidades.append(posicion.mid(asterisco + 1));
      posicion.truncate(asterisco);
    }
  }
  ArrCantidades.append(QString());
  ArrLote = Entradas(PIPELotes);
}

long ClsCmnCptes::Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes, bool SinConsolidar) const {
  // When serials are given the lots do not count; else the lots do.
  const QString& cuenta = !PipeSeries.isEmpty() ? PipeSeries : PIPELotes;
  if (SinConsolidar) return Cantidad_Series_Lotes(cuenta);
  QSet<QString> distintas;
  RecorreLista(cuenta, [&](qsizetype i, qsizetype n) {
    const QString c = Clave(Entrada(cuenta, i, n));
    if (!c.isEmpty()) distintas.insert(c);
    return true;
  });
  return static_cast<long>(distintas.size());
}

const ClsCmnCptes::ListaLeida& ClsCmnCptes::Leida(const QString& lista) const {
  // The same text as last time (a copy shares its characters, so the
  // comparison is mostly a pointer check): the entries are known.
  if (leida_.texto.size() == lista.size()) {
    if (leida_.texto.constData() == lista.constData()) return leida_;
    if (leida_.texto == lista) {
      // Equal texts in other storage: keep the caller's, so its next calls
      // are recognised at once.
      leida_.texto = lista;
      return leida_;
    }
  }
  leida_.texto = lista;
  leida_.entradas.clear();
  leida_.posiciones.clear();
  leida_.conPosiciones = false;
  RecorreLista(lista, [&](qsizetype i, qsizetype n) {
    leida_.entradas.emplace_back(i, n);
    return true;
  });
  return leida_;
}

QString ClsCmnCptes::ExtraeSerieLote(const QString& Serie_Lote, long QuePosicion) const {
  if (QuePosicion < 1) return QString();
  const ListaLeida& l = Leida(Serie_Lote);
  if (static_cast<size_t>(QuePosicion) > l.entradas.size()) return QString();
  const auto& [inicio, largo] = l.entradas[static_cast<size_t>(QuePosicion - 1)];
  return Entrada(l.texto, inicio, largo);
}

long ClsCmnCptes::Cantidad_Series_Lotes(const QString& Pipes) const {
  long n = 0;
  RecorreLista(Pipes, [&](qsizetype, qsizetype) {
    ++n;
    return true;
  });
  return n;
}

QString ClsCmnCptes::InsertaCHR255(const QString& iPipe) const {
  QString t = vb::Trim(iPipe);
  if (t.startsWith(u'|')) t.remove(0, 1);
  QString r;
  r.reserve(t.size() * 2 + 1);
  r += u'|';
  for (QChar c : t) {
    if (c == u'|') r += kUnionLoteSerie;
    r += c;
  }
  return r;
}

long ClsCmnCptes::Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) const {
  const ListaLeida& l = Leida(PipeSeriesLotes);
  if (!l.conPosiciones) {
    leida_.posiciones.reserve(static_cast<qsizetype>(l.entradas.size()));
    long k = 0;
    for (const auto& [inicio, largo] : l.entradas) {
      ++k;
      const QString c = Clave(Entrada(l.texto, inicio, largo));
      if (!leida_.posiciones.contains(c)) leida_.posiciones.insert(c, k);
    }
    leida_.conPosiciones = true;
  }
  return leida_.posiciones.value(Clave(QueSerieLote), 0);
}
