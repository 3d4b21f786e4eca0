// The movements of one article line of a voucher: one per lot, serial
// number or size of the line's lists, with the quantity each one carries.
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/celdas.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "session/listas.h"
#include "session/stuff.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/posteo_stock.h"

namespace posteo {

Diezmilesimos Cantidad(const QString& celda) {
  try {
    return DecimalCelda(celda).Diezmilesimos();
  } catch (const vb::Error& e) {
    throw NumeroIlegible{celda, e.Number};
  }
}

double ADoble(Diezmilesimos d) { return vb::Moneda::DesdeDiezmilesimos(d).ADoble(); }

bool Bandera(const QString& celda) {
  const QString t = vb::Trim(celda);
  return !t.isEmpty() && ConvierteBooleano(t);
}

QString LimpiaEntrada(const QString& entrada) {
  const QString t = LimpiaCaracteres(entrada);
  return t == QLatin1String("-") ? QString() : t;
}

namespace {

// The entries of a list, untouched (the empty last slot dropped).
QStringList Entradas(const ClsCmnCptes& c, const QString& lista) {
  QStringList a;
  c.DescomponeSerieLote(lista, a);
  if (!a.isEmpty()) a.removeLast();
  return a;
}

QString En(const QStringList& l, qsizetype i) { return i < l.size() ? l[i] : QString(); }

// An entry is a lot, or a lot and a serial joined by the joining character.
void Divide(const QString& entrada, QString& lote, QString& serie) {
  const qsizetype k = entrada.indexOf(ClsCmnCptes::kUnionLoteSerie);
  lote = LimpiaEntrada(k < 0 ? entrada : entrada.left(k));
  serie = k < 0 ? QString() : LimpiaEntrada(entrada.mid(k + 1));
}

// Hands out a line's quantity to its movements: each takes at most what is
// left; what no movement took is one last movement.
class Reparto {
 public:
  explicit Reparto(Diezmilesimos total) : signo_(total < 0 ? -1 : 1), resto_(std::llabs(total)) {}
  bool Lleno() const { return resto_ == 0; }
  // Takes up to cantidad (a size, without sign) for a movement.
  void Toma(const QString& lote, const QString& serie, Diezmilesimos cantidad) {
    const Diezmilesimos q = std::min(std::llabs(cantidad), resto_);
    if (q == 0) return;
    items.push_back({lote, serie, q * signo_});
    resto_ -= q;
  }
  void Resto(const QString& lote) { Toma(lote, QString(), resto_); }
  std::vector<Item> items;

 private:
  Diezmilesimos signo_;
  Diezmilesimos resto_;
};

}  // namespace

std::vector<Item> ExpandeLinea(const ClsCmnCptes& cptes, const CeldasLinea& linea, Lectura lectura,
                               const QString& LoteFijo) {
  const Diezmilesimos total = Cantidad(linea.cantidad);
  if (total == 0) return {};
  Reparto r(total);
  const bool entrada = lectura == Lectura::Entrada;
  // The fixed lot stands for a missing lot of plain incoming lines only: a
  // size is no lot, and a perishable article's lot is its own.
  QString loteFijo = entrada && !linea.pideTalle && !linea.perecedero ? LimpiaEntrada(LoteFijo) : QString();
  QString lotes = linea.lotes;
  // A perishable article's lot (its expiry lot) may be typed as it is, not
  // as a list: then it is the lot of every unit of the line.
  if (entrada && linea.perecedero && !lotes.contains(u'|')) {
    loteFijo = LimpiaEntrada(lotes);
    lotes.clear();
  }
  auto lote = [&](const QString& l) { return l.isEmpty() ? loteFijo : l; };
  const QStringList L = Entradas(cptes, lotes), S = Entradas(cptes, linea.series);

  if (!entrada || linea.pideTalle) {
    // Entries (lot and serial, or a size) and the quantity of each.
    for (qsizetype j = 0; j < L.size() && !r.Lleno(); ++j) {
      QString lt, se;
      Divide(L[j], lt, se);
      if (linea.pideTalle) se.clear();  // a size carries no serial
      r.Toma(lote(lt), se, Cantidad(En(S, j)));
    }
    r.Resto(lote(QString()));
    return r.items;
  }

  if (linea.pideSerie) {
    // One unit per serial number (per lot when no serial was given).
    const bool porSerie = !vb::Trim(linea.series).isEmpty();
    const QStringList& E = porSerie ? S : L;
    for (qsizetype j = 0; j < E.size() && !r.Lleno(); ++j) {
      QString lt, se;
      if (porSerie && !E[j].contains(ClsCmnCptes::kUnionLoteSerie)) {
        lt = LimpiaEntrada(En(L, j));
        se = LimpiaEntrada(E[j]);
      } else {
        Divide(E[j], lt, se);
      }
      r.Toma(lote(lt), se, kUnidad);
    }
    r.Resto(lote(QString()));
    return r.items;
  }

  // Lots (and serials) without the serial flag: the k-th lot goes with the
  // k-th serial.
  struct Par {
    QString lote, serie;
  };
  std::vector<Par> pares;
  for (qsizetype j = 0; j < std::max(L.size(), S.size()); ++j) {
    Par p;
    QString serieDelLote;
    Divide(En(L, j), p.lote, serieDelLote);
    p.serie = LimpiaEntrada(En(S, j));
    if (p.serie.isEmpty()) p.serie = serieDelLote;
    pares.push_back(p);
  }
  // The distinct pairs of lot and serial, ignoring letter case; a unit
  // without either (the dialog's "-" for an empty cell) is one of them.
  QSet<QString> distintos;
  for (const Par& p : pares) distintos.insert((p.lote + u'|' + p.serie).toCaseFolded());
  if (distintos.size() <= 1) {
    // One lot (maybe repeated) or none: one movement with the whole line.
    Par p;
    for (const Par& x : pares)
      if (!x.lote.isEmpty() || !x.serie.isEmpty()) {
        p = x;
        break;
      }
    r.Toma(lote(p.lote), p.serie, total);
    return r.items;
  }
  // One entry per unit.
  for (const Par& p : pares) {
    if (r.Lleno()) break;
    r.Toma(lote(p.lote), p.serie, kUnidad);
  }
  r.Resto(lote(QString()));
  return r.items;
}

}  // namespace posteo
