#include "vouchers/stock.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "platform/ado.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "session/numeracion.h"

std::vector<ItemCantidad> gInsumos;

namespace {

QString TextoCampo(const Recordset& rs, const QString& campo) { return vb::Texto(gUtil.ValorCampo(rs.Fields(campo))); }

// A warehouse code from the code itself or from its SQL literal.
QString CodigoDeposito(const QString& deposito) { return gUtil.FormateaCodigo(ClsDatos::DeshaceLiteral(deposito), 4); }

// Locks held by this program run on the shared connection.
int gBloqueosAbiertos = 0;

// What is handed out under the levels open, innermost last: keys by type
// and key, the last sequence by type and key (types at width 4).
struct Entregado {
  std::set<QString> claves;
  std::map<QString, long> secuencias;
};
std::vector<Entregado> gEntregas;

QString Tipo(const QString& TC) { return gUtil.FormateaCodigo(vb::Trim(TC), 4); }
QString ClaveDe(const QString& TC, const QString& clave) { return Tipo(TC) + u'|' + clave; }

}  // namespace

// ------------------------------------------------------------ handed out

EntregasStock::EntregasStock() : nivel_(gEntregas.size()) { gEntregas.emplace_back(); }

EntregasStock::~EntregasStock() {
  if (gEntregas.size() != nivel_ + 1) return;  // levels end innermost first
  if (confirmada_ && nivel_ > 0) {
    Entregado& afuera = gEntregas[nivel_ - 1];
    Entregado& propio = gEntregas.back();
    afuera.claves.merge(propio.claves);
    for (const auto& [clave, secuencia] : propio.secuencias)
      afuera.secuencias[clave] = std::max(afuera.secuencias[clave], secuencia);
  }
  gEntregas.pop_back();
}

void EntregasStock::Clave(const QString& TC, const QString& clave) {
  if (!gEntregas.empty()) gEntregas.back().claves.insert(ClaveDe(TC, clave));
}

bool EntregasStock::ClaveEntregada(const QString& TC, const QString& clave) {
  const QString buscada = ClaveDe(TC, clave);
  return std::any_of(gEntregas.cbegin(), gEntregas.cend(),
                     [&](const Entregado& e) { return e.claves.count(buscada) > 0; });
}

QString EntregasStock::UltimaClave(const QString& TC, const QString& Sucursal, const QString& Letra) {
  const QString desde = ClaveDe(TC, Sucursal);
  QString ultima;
  for (const Entregado& e : gEntregas)
    for (auto it = e.claves.lower_bound(desde); it != e.claves.cend() && it->startsWith(desde); ++it) {
      const QString clave = it->mid(desde.size() - Sucursal.size());
      if (clave.size() == ClaveComprobante::kLargo && ClaveComprobante::Letra(clave) == Letra && clave > ultima)
        ultima = clave;
    }
  return ultima;
}

void EntregasStock::Secuencia(const QString& TC, const QString& clave, long secuencia) {
  if (gEntregas.empty()) return;
  long& s = gEntregas.back().secuencias[ClaveDe(TC, clave)];
  s = std::max(s, secuencia);
}

long EntregasStock::UltimaSecuencia(const QString& TC, const QString& clave) {
  const QString buscada = ClaveDe(TC, clave);
  long ultima = 0;
  for (const Entregado& e : gEntregas) {
    const auto it = e.secuencias.find(buscada);
    if (it != e.secuencias.cend()) ultima = std::max(ultima, it->second);
  }
  return ultima;
}

QString AsignarNumeroComprobante(const QString& TC, const QString& Sucursal, const QString& Letra,
                                 QString* TextoLote) {
  QString sucursal = Sucursal, numero, letra = Letra, lote;
  bool modifica = false;
  if (!Obtener_Nro_Comprobante(TC, sucursal, numero, letra, modifica, true, QString(), TextoLote ? &lote : nullptr))
    return QString();
  vb::ErrorSteps paso(QStringLiteral("AsignarNumeroComprobante"));
  const QString tipo = ClsDatos::Literal(Tipo(TC));
  // A number proposed again after it was handed out under the lock held:
  // its reservation is its holder's to keep.
  if (EntregasStock::ClaveEntregada(TC, sucursal + numero + letra)) lote.clear();
  bool lleno = false;
  // The number moves on until neither a movement uses it nor the lock held
  // handed it out; each move goes past the highest number of what it
  // looked at, so this ends.
  for (;;) {
    Recordset rs;
    bool usado = false;
    if (!paso.step([&] {
          gDatos.AbreRecordset(QStringLiteral("SELECT TC,IDCOMPROBANTE From V_MV_STOCK WHERE TC = ") + tipo +
                                   QStringLiteral(" AND IDCOMPROBANTE = ") +
                                   ClsDatos::Literal(sucursal + numero + letra),
                               rs, nullptr, 0, 1, -1);
          usado = !rs.Bof();
        }))
      return QString();
    // Taken by a movement: the number after the highest key of the type,
    // branch and letter.
    if (usado && !paso.step([&] {
          gDatos.AbreRecordset(QStringLiteral("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK WHERE TC = ") +
                                   tipo + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 1, 4)= ") +
                                   ClsDatos::Literal(sucursal) +
                                   QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 13, 1)= ") + ClsDatos::Literal(letra),
                               rs, nullptr, 0, 1, -1);
          lleno = !NumeroSiguienteA(rs.Bof() ? QVariant() : rs.Fields(QStringLiteral("ULTIMO")).Value(),
                                     ClaveComprobante::kDesdeNumero, numero);
        }))
      return QString();
    gDatos.CierraRecordset(rs);
    if (lleno || !EntregasStock::ClaveEntregada(TC, sucursal + numero + letra)) break;
    // Handed out under the lock held, though not yet written: the number
    // after the highest key handed out there, which a movement may use.
    lleno = !NumeroSiguienteA(EntregasStock::UltimaClave(TC, sucursal, letra), ClaveComprobante::kDesdeNumero, numero);
    if (lleno) break;
  }
  if (lleno) {
    AvisaTalonarioCompleto(TC, sucursal, letra);
    return QString();
  }
  EntregasStock::Clave(TC, sucursal + numero + letra);
  // What the numbering would have run, as it would have run it.
  if (TextoLote && !lote.isEmpty()) ClsDatos::AgregaSentencia(*TextoLote, lote, ClsDatos::Union::Linea);
  return sucursal + numero + letra;
}

bool LotesEnStock(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& EnStock,
                  bool& Tiene) {
  vb::ErrorSteps paso(QStringLiteral("ArticuloTieneLotes"));
  EnStock.clear();
  Tiene = false;
  Recordset rs;
  if (!paso.step([&] {
        gDatos.AbreRecordsetPreparado(
            QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ? AND CANTIDAD > 0 AND IDDEPOSITO = ? "
                           "AND NOT NROLOTE IS NULL AND NROLOTE <> '' ORDER BY NROLOTE"),
            {gUtil.FormateaCodigo(IdArticulo, 25), CodigoDeposito(IdDeposito)}, rs);
        Tiene = !rs.Bof();
      }))
    return false;
  if (!paso.step([&] {
        for (; Tiene && !rs.Eof(); rs.MoveNext())
          EnStock.push_back({TextoCampo(rs, QStringLiteral("NroLote")), QString(),
                             gUtil.ConvierteDoble(TextoCampo(rs, QStringLiteral("Cantidad")))});
      }))
    return false;
  gDatos.CierraRecordset(rs);
  return true;
}

void SacaDeLotes(const std::vector<ItemCantidad>& EnStock, double CantidadRequerida,
                 std::vector<ItemCantidad>& LotesArticulo) {
  LotesArticulo.clear();
  double tomado = 0;
  for (size_t i = 0; i < EnStock.size() && tomado < CantidadRequerida - kToleranciaCantidad; ++i) {
    const double q = std::min(EnStock[i].CantidadItem, CantidadRequerida - tomado);
    if (q <= kToleranciaCantidad) continue;
    LotesArticulo.push_back({EnStock[i].CodigoItem, QString(), q});
    tomado += q;
  }
  const double falta = CantidadRequerida - tomado;
  if (std::fabs(falta) > kToleranciaCantidad) LotesArticulo.push_back({QString(), QString(), falta});
}

bool ArticuloTieneLotes(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& LotesArticulo,
                        double CantidadRequerida) {
  LotesArticulo.clear();
  std::vector<ItemCantidad> enStock;
  bool tiene = false;
  if (LotesEnStock(IdArticulo, IdDeposito, enStock, tiene)) SacaDeLotes(enStock, CantidadRequerida, LotesArticulo);
  return tiene;
}

bool IdArticuloTieneInsumos(const QString& IdArticulo, std::vector<ItemCantidad>& Insumos, bool SoloVerifica) {
  vb::ErrorSteps paso(QStringLiteral("IdArticuloTieneInsumos"));
  Insumos.clear();
  Recordset rs;
  bool tiene = false;
  if (!paso.step([&] {
        gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = ?"),
                                      {gUtil.FormateaCodigo(vb::Trim(IdArticulo), 25)}, rs);
        tiene = !rs.Bof();
      }))
    return false;
  if (tiene && !SoloVerifica)
    paso.step([&] {
      for (; !rs.Eof(); rs.MoveNext())
        Insumos.push_back({TextoCampo(rs, QStringLiteral("IdArticuloInsumo")),
                           TextoCampo(rs, QStringLiteral("IdUnidadInsumo")),
                           gUtil.ConvierteDoble(TextoCampo(rs, QStringLiteral("Cantidad")))});
    });
  gDatos.CierraRecordset(rs);
  return tiene;
}

// ------------------------------------------------------------ write lock

TransaccionStock::PuntoDeGuardado TransaccionStock::Sentencias(bool sqlite, int nivel) {
  const QString nombre = QStringLiteral("PosteoStock%1").arg(nivel);
  if (sqlite)
    return {QStringLiteral("SAVEPOINT ") + nombre, QStringLiteral("ROLLBACK TO ") + nombre,
            QStringLiteral("RELEASE ") + nombre};
  return {QStringLiteral("SAVE TRANSACTION ") + nombre, QStringLiteral("ROLLBACK TRANSACTION ") + nombre, QString()};
}

TransaccionStock::TransaccionStock() {
  Connection& con = gDatos.Conexion();
  if (gBloqueosAbiertos > 0) {
    // Joins the lock held: what is written from here on can be taken back
    // alone.
    punto_ = Sentencias(gDatos.EsSqlite(), gBloqueosAbiertos);
    con.Execute(punto_.marca);
    ++gBloqueosAbiertos;
    return;
  }
  con.BeginTrans(ado::Bloqueo::EscrituraPrimero);
  if (!gDatos.EsSqlite()) {
    // The server's transaction holds the numbering lock of every program
    // that posts stock until it ends.
    try {
      gDatos.Ejecuta(QStringLiteral("EXEC sp_getapplock @Resource = 'NumeracionStock', @LockMode = 'Exclusive', "
                                    "@LockOwner = 'Transaction'"));
    } catch (...) {
      con.RollbackTrans();
      throw;
    }
  }
  propia_ = true;
  ++gBloqueosAbiertos;
}

TransaccionStock::~TransaccionStock() {
  if (terminada_) return;
  --gBloqueosAbiertos;
  Connection& con = gDatos.Conexion();
  if (propia_) {
    con.RollbackTrans();
    return;
  }
  // A failed statement already took the whole transaction back (its holder
  // is told so when it commits); else only the work of this lock goes. A
  // savepoint that cannot be rolled back to takes the whole transaction with
  // it, so nothing of this lock is ever committed.
  if (!con.EnTransaccion()) return;
  vb::PasaPorAlto([&] {
    con.Execute(punto_.vuelta);
    if (!punto_.liberacion.isEmpty()) con.Execute(punto_.liberacion);
  });
}

void TransaccionStock::Confirma() {
  if (terminada_) return;
  terminada_ = true;
  --gBloqueosAbiertos;
  // The connection rolls back by itself when the commit fails, and says
  // that nothing was written.
  if (propia_) gDatos.Conexion().CommitTrans();
  else if (!punto_.liberacion.isEmpty()) gDatos.Conexion().Execute(punto_.liberacion);
  entregas_.Confirma();
}
