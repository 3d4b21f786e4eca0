// Stock queries of the voucher class: the balance of an article in a unit
// and in an equivalent unit, and the balance by warehouse, lot, serial and
// position.
#include <optional>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "session/stuff.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

QString Codigo(const QString& codigo, int ancho) { return ClsDatos::Literal(gUtil.FormateaCodigo(codigo, ancho)); }

bool Ignora(const QString& valor) { return vb::Igual(valor, ClsCmnCptes::kIgnorar); }

// A tracking flag of an article (bit or number): unset when Null.
std::optional<bool> Marca(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return std::nullopt;
  if (v.typeId() == QMetaType::QString) {
    const QString t = vb::Trim(v.toString());
    if (t.isEmpty()) return std::nullopt;
    return vb::IsNumeric(t) ? vb::CDbl(t) != 0.0 : ConvierteBooleano(t);
  }
  return v.toBool();
}

}  // namespace

void ClsCmnCptes::ObtieneStockxEquiv(const QString& IdDeposito, const QString& IdArticulo, QString& UdBase,
                                     const QString& udEquivBuscada, double& StockUdBase, double& StockEquiv) {
  if (vb::Trim(UdBase).isEmpty() && !vb::Trim(IdArticulo).isEmpty()) {
    // The balance is asked in the article's own unit.
    const QString propia = vb::Trim(vb::Texto(gDatos.ObtieneValor(
        QStringLiteral("V_MA_ARTICULOS"), IdArticulo, QStringLiteral("IDUNIDAD"), QStringLiteral("IDARTICULO"))));
    if (!propia.isEmpty()) UdBase = propia;
  }
  StockUdBase = 0;
  ControlStock(IdDeposito, IdArticulo, UdBase, StockUdBase);
  StockEquiv = udEquivBuscada.isEmpty() ? 0.0 : ConvierteAEquivalencia(IdArticulo, UdBase, StockUdBase, udEquivBuscada);
}

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, const QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion, const QString& IdUnidad) {
  QString deposito = IdDeposito;
  QString unidad = IdUnidad;
  return ObtieneStock(IdArticulo, deposito, NroLote, NroSerie, IdPosicion, unidad);
}

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion, QString& IdUnidad) {
  vb::ErrorSteps paso(QStringLiteral("ObtieneStock"));
  double saldo = 0;

  // Neither lot nor serial matters: the balance by unit.
  if (Ignora(NroLote) && Ignora(NroSerie)) {
    paso.step([&] {
      if (Ignora(IdDeposito)) IdDeposito = gUtil.FormateaCodigo(vb::Trim(Cfg(QStringLiteral("DepositoDefault"))), 4);
    }) && paso.step([&] {
      if (Ignora(IdUnidad))
        IdUnidad = gUtil.FormateaCodigo(
            vb::Trim(vb::Texto(gDatos.ObtieneValor(QStringLiteral("v_ma_articulos"), IdArticulo,
                                                   QStringLiteral("IdUnidad"), QStringLiteral("IdArticulo"), 8,
                                                   QString()))),
            4);
    }) && paso.step([&] { ControlStock(IdDeposito, IdArticulo, IdUnidad, saldo); });
    return saldo;
  }

  // The lot-and-serial stock.
  const QString articulo = Codigo(vb::Trim(IdArticulo), 25);
  std::optional<bool> usaSerie, usaLote;
  if (!paso.step([&] {
        Recordset rs = gDatos.Conexion().Execute(
            QStringLiteral("SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + articulo +
            QStringLiteral(" "));
        usaSerie = Marca(rs.Fields(QStringLiteral("USASERIE")).Value());
        usaLote = Marca(rs.Fields(QStringLiteral("USALOTE")).Value());
      }))
    return saldo;

  QString sql = QStringLiteral(" SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES ") +
                QStringLiteral(" WHERE IDARTICULO = ") + articulo;
  auto dada = [](const QString& v) { return !vb::Trim(v).isEmpty() && !Ignora(vb::Trim(v)); };
  if (dada(IdDeposito)) sql += QStringLiteral(" AND IdDeposito = ") + Codigo(IdDeposito, 4) + QStringLiteral(" ");
  if (dada(NroLote)) sql += QStringLiteral(" AND NroLote = ") + Codigo(vb::Trim(NroLote), 25) + QStringLiteral(" ");
  if (dada(NroSerie)) sql += QStringLiteral(" AND NroSerie = ") + Codigo(vb::Trim(NroSerie), 25) + QStringLiteral(" ");
  if (dada(IdPosicion))
    sql += QStringLiteral(" AND IdPosicion = ") + Codigo(vb::Trim(IdPosicion), 15) + QStringLiteral(" ");
  // An article tracked by one key only counts the rows without the other.
  if (usaSerie && usaLote && *usaSerie && !*usaLote) sql += QStringLiteral(" AND NroLote is NULL ");
  if (usaSerie && usaLote && *usaLote && !*usaSerie) sql += QStringLiteral(" AND NroSerie is NULL ");

  Recordset rs;
  paso.step([&] { gDatos.AbreRecordset(sql, rs, nullptr, 0, 1, -1); }) &&
      paso.step([&] {
        saldo = gUtil.ConvierteDoble(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("SaldoStock")))));
      });
  gDatos.CierraRecordset(rs);
  return saldo;
}
