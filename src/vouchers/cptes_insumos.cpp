// The discharge of components: the articles of a posted voucher that are made
// of other articles (V_MA_INSUMOS) consume them as a stock voucher of its
// own, type "PE", branch "0001", letter "X", drawing each component from the
// lots in stock of the warehouse the movement is posted into, first lot
// first. An article made by percentages is also posted back itself with the
// opposite sign, so that it is turned into its components.
#include <cmath>
#include <cstdlib>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "session/listas.h"
#include "session/numeracion.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/posteo_stock.h"
#include "vouchers/stock.h"

namespace posteo {

namespace {

namespace col = ColArticulos;

const QString kTipoDescarga = QStringLiteral("PE");

Diezmilesimos DeDoble(double d) { return vb::Moneda::DesdeDoble(d).Diezmilesimos(); }

double NumeroDe(const QString& clave) { return vb::Val(ClaveComprobante::Numero(clave)); }

}  // namespace

const Componentes& Posteo::ComponentesDe(const QString& articulo) {
  const QString clave = gUtil.FormateaCodigo(articulo, 25);
  auto it = componentes_.find(clave);
  if (it != componentes_.end()) return *it;
  Componentes c;
  c.tiene = IdArticuloTieneInsumos(articulo, gInsumos, false);
  Verifica();
  c.lista = gInsumos;
  return *componentes_.insert(clave, c);
}

// The key of the "PE" voucher of one discharge: a key no movement uses and
// no posting under the lock held (this one included) was handed (the batch
// road writes nothing before the caller runs it, so the book would propose
// the same number twice).
QString Posteo::ClaveDescarga() {
  QString lote;
  const QString clave = AsignarNumeroComprobante(kTipoDescarga, QStringLiteral("0001"), QStringLiteral("X"),
                                                 enLote_ ? &lote : nullptr);
  Verifica();
  if (clave.size() != ClaveComprobante::kLargo) throw Abandono{};  // no number was given; the user has been told why
  if (!lote.isEmpty()) ClsDatos::AgregaSentencia(lote_, lote, ClsDatos::Union::Retorno);
  return clave;
}

// The lots a component is drawn from for one movement: what the earlier
// movements of this posting drew from the same lots is no longer there. The
// lots of a component in a warehouse are read once for the posting.
std::vector<ItemCantidad> Posteo::TomaLotes(const QString& componente, const QString& dep,
                                            Diezmilesimos necesidad) {
  if (necesidad <= 0) return {{QString(), QString(), ADoble(necesidad)}};  // a give-back takes no lot
  const QString clave = gUtil.FormateaCodigo(componente, 25) + u'|' + dep;
  const Diezmilesimos antes = tomado_.value(clave, 0);
  auto enStock = lotesEnStock_.find(clave);
  if (enStock == lotesEnStock_.end()) {
    std::vector<ItemCantidad> lotes;
    bool tiene = false;
    LotesEnStock(componente, dep, lotes, tiene);
    Verifica();
    enStock = lotesEnStock_.insert(clave, std::move(lotes));
  }
  std::vector<ItemCantidad> todos;
  SacaDeLotes(*enStock, ADoble(antes + necesidad), todos);
  tomado_[clave] = antes + necesidad;
  // The lots are drawn in lot order: what was drawn before is the front of
  // the list; what is left of it is this movement's.
  std::vector<ItemCantidad> propios;
  Diezmilesimos saltar = antes, puesto = 0;
  for (ItemCantidad& i : todos) {
    Diezmilesimos q = DeDoble(i.CantidadItem);
    const QString lote = LimpiaCaracteres(i.CodigoItem);
    if (saltar > 0) {
      const Diezmilesimos s = std::min(saltar, q);
      saltar -= s;
      q -= s;
    }
    if (q <= 0) continue;
    propios.push_back({lote, QString(), ADoble(q)});
    puesto += q;
  }
  // The quantities add up to the need, to the ten-thousandth.
  if (puesto != necesidad) {
    if (!propios.empty() && vb::Trim(propios.back().CodigoItem).isEmpty())
      propios.back().CantidadItem = ADoble(DeDoble(propios.back().CantidadItem) + necesidad - puesto);
    else if (necesidad > puesto)
      propios.push_back({QString(), QString(), ADoble(necesidad - puesto)});
  }
  return propios;
}

void Posteo::DescargaInsumos(short s, bool paseTres, bool mismosLotes) {
  QString claveDescarga;
  long movimientos = 0;
  if (!paseTres) secuencia_ = 0;
  const Valor tipo = Valor::De(gUtil.FormateaCodigo(kTipoDescarga, 4));
  const Valor tcPosteado = Valor::De(tc), clavePosteada = Valor::De(clave);
  std::vector<Campo> campos;
  // The columns every row of the discharge begins with.
  auto comienzo = [&](const QString& dep) {
    ++secuencia_;
    ++movimientos;
    campos.clear();
    campos.push_back({"TC", tipo});
    campos.push_back({"IdComprobante", Valor::De(claveDescarga)});
    if (!compras) campos.push_back({"IdComplemento", complemento});
    campos.push_back({"Secuencia", Valor::Num(static_cast<double>(secuencia_))});
    campos.push_back({"Fecha", fecha});
    campos.push_back({"IdDeposito", Valor::De(dep)});
  };

  for (int fila = 1; fila < grilla_->Rows(); ++fila) {
    const QString articulo = vb::Trim(Celda(fila, col::kArticulo));
    if (articulo.isEmpty()) continue;
    Diezmilesimos q = 0, base = 0;
    const bool porPorcentaje = Bandera(Celda(fila, col::kInsumosPorPorcentaje));
    DeLinea(fila, [&] {
      q = base = Cantidad(Celda(fila, col::kCantidad));
      if (porPorcentaje && Cantidad(Celda(fila, col::kCantidadUd)) > 0) base = Cantidad(Celda(fila, col::kCantidadUd));
    });
    if (q == 0) continue;
    const Componentes& componentes = ComponentesDe(articulo);
    if (!componentes.tiene) continue;
    if (claveDescarga.isEmpty()) claveDescarga = ClaveDescarga();
    const QString dep = paseTres ? destino : DepositoDeLinea(fila);
    ExigeDeposito(dep, articulo);
    const Valor cuentaDelArticulo =
        cuentaPorArticulo ? Valor::TextoONulo(DatosArticulo(articulo).cuenta) : cuenta;

    if (porPorcentaje) {
      // The article goes back out (or in) as it turns into its components.
      const int contrario = s == -1 ? 1 : -1;
      comienzo(dep);
      campos.push_back({"IdArticulo", Valor::De(gUtil.FormateaCodigo(articulo, 25))});
      campos.push_back({"Descripcion", Valor::De(vb::Trim(Celda(fila, col::kDescripcion)))});
      campos.push_back({"IdUnidad", Valor::TextoONulo(Codigo4(Celda(fila, col::kUnidad)))});
      if (const std::optional<OtraUnidad> ud = OtraUnidadDeLinea(fila)) {
        campos.push_back({"CantidadUD", Valor::Num(ud->cantidad, contrario)});
        campos.push_back({"IdUnidadBase", ud->unidad});
      }
      campos.push_back({"Cantidad", Valor::Num(q, contrario)});
      campos.push_back({"CuentaProveedor", cuentaDelArticulo});
      campos.push_back({"IdMotivoStock", motivo});
      campos.push_back({"PrecioVenta", Valor::Num(0.0)});
      campos.push_back({"Costo", Valor::Num(Cantidad(Celda(fila, col::kCosto)), 1)});
      campos.push_back({"Tc_Origen", tcPosteado});
      campos.push_back({"IdComprobante_Origen", clavePosteada});
      campos.push_back({"ControladoPor", Valor::De(articulo)});
      Escribe(campos);
    }

    for (size_t k = 0; k < componentes.lista.size(); ++k) {
      const ItemCantidad& c = componentes.lista[k];
      const QString codigo = LimpiaCaracteres(c.CodigoItem);
      if (codigo.isEmpty()) continue;
      const Diezmilesimos necesidad =
          static_cast<Diezmilesimos>(std::llround(static_cast<long double>(base) * c.CantidadItem /
                                                  (porPorcentaje ? 100.0L : 1.0L)));
      if (necesidad == 0) continue;
      const Articulo& componente = DatosArticulo(codigo);
      const Valor idUnidad = Valor::TextoONulo(Codigo4(LimpiaCaracteres(c.UnidadItem)));
      const Valor cuentaComponente = cuentaPorArticulo ? Valor::TextoONulo(componente.cuenta) : cuenta;
      // Drawn anew, after what the earlier lines drew, or the same lots as
      // the discharge before.
      std::vector<ItemCantidad>& lotes = lotesDeLinea_[{fila, k}];
      if (!mismosLotes) lotes = TomaLotes(codigo, dep, necesidad);
      for (const ItemCantidad& l : lotes) {
        const Diezmilesimos cantidad = DeDoble(l.CantidadItem);
        if (cantidad == 0) continue;
        comienzo(dep);
        campos.push_back({"IdArticulo", Valor::De(gUtil.FormateaCodigo(codigo, 25))});
        campos.push_back({"Descripcion", Valor::De(vb::QuitaCaracteres(componente.descripcion, QStringLiteral("'")))});
        const QString lote = LimpiaCaracteres(l.CodigoItem);
        campos.push_back({"NroLote", lote.isEmpty() ? Valor::Null() : Valor::De(gUtil.FormateaCodigo(lote, 25))});
        campos.push_back({"IdUnidad", idUnidad});
        campos.push_back({"Cantidad", Valor::Num(cantidad, s)});
        campos.push_back({"CuentaProveedor", cuentaComponente});
        campos.push_back({"IdMotivoStock", motivo});
        campos.push_back({"PrecioVenta", Valor::Num(0.0)});
        campos.push_back({"Costo", Valor::Num(DeDoble(componente.costo), 1)});
        campos.push_back({"Tc_Origen", tcPosteado});
        campos.push_back({"IdComprobante_Origen", clavePosteada});
        campos.push_back({"ControladoPor", Valor::De(articulo)});
        Escribe(campos);
      }
    }
  }

  // The number used is recorded in its book, in the same transaction or
  // batch as the movements.
  if (movimientos == 0 || claveDescarga.isEmpty()) return;
  QString lote;
  const QString siguiente = u' ' + QString::number(static_cast<qlonglong>(NumeroDe(claveDescarga)) + 1);
  // A batch run after a later number was recorded under the same lock
  // leaves the book where that one put it.
  const bool grabado =
      GrabaNumeroComprobante(kTipoDescarga, QStringLiteral("STOCK"), ClaveComprobante::Sucursal(claveDescarga),
                             siguiente, ClaveComprobante::Letra(claveDescarga), true, lote, false, true);
  Verifica();
  if (!grabado) throw Abandono{};  // the user has been told why
  if (!vb::Trim(lote).isEmpty()) EjecutaTexto(lote);
}

}  // namespace posteo
