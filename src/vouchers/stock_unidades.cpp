// Module Stock: units of an article, their equivalences and the balances by
// unit.
#include "vouchers/stock_unidades.h"

#include <cmath>

#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "vouchers/columnas_cptes.h"

namespace {

QString Codigo(const QString& codigo, int ancho) { return ClsDatos::Literal(gUtil.FormateaCodigo(codigo, ancho)); }

// The coefficient of the equivalence row from unidad to equivalente, when
// there is one and it is usable (a number other than 0).
bool CoeficienteDeFila(const QString& IdArticulo, const QString& unidad, const QString& equivalente,
                       double& coeficiente) {
  // Bound, so the statement is prepared once for every article and unit
  // (a voucher's measure columns ask it several times per line).
  Recordset rs;
  gDatos.AbreRecordsetPreparado(
      QStringLiteral("SELECT * FROM  S_TA_EQUIV WHERE IdArticulo = ? AND IDUNIDAD = ? AND IDUNIDAD_EQUIV = ?"),
      {gUtil.FormateaCodigo(vb::Trim(IdArticulo), 25), gUtil.FormateaCodigo(vb::Trim(unidad), 4),
       gUtil.FormateaCodigo(vb::Trim(equivalente), 4)},
      rs);
  bool hay = false;
  if (!rs.Bof() && !rs.Eof()) {
    // A Null coefficient, or one that is no number, is no equivalence.
    const Field f = rs.Fields(QStringLiteral("Coeficiente"));
    const double k = f.IsNull() ? 0.0 : gUtil.ConvierteDoble(gUtil.ConvierteTexto(f.Value()));
    if (std::isfinite(k) && k != 0.0) {
      coeficiente = k;
      hay = true;
    }
  }
  gDatos.CierraRecordset(rs);
  return hay;
}

double Convierte(bool haciaEquivalente, const QString& IdArticulo, QString& UnidadBase, double Cantidad,
                 const QString& UnidadEquivalente) {
  if (Cantidad == 0.0) return 0.0;
  if (vb::Igual(vb::Trim(UnidadBase), vb::Trim(UnidadEquivalente))) return Cantidad;
  QString operador;
  double k = 0;
  bool sinUnidad = false;
  if (!IdArticuloTieneEquivalencias(IdArticulo, UnidadEquivalente, operador, UnidadBase, k, sinUnidad)) return 0.0;
  if (k == 0.0 || !std::isfinite(k)) return 0.0;
  // A row from the base unit ("/") says how many equivalent units one base
  // unit is worth; a row the other way ("*") how many base units one
  // equivalent unit is worth.
  const bool multiplica = (operador == QLatin1String("/")) == haciaEquivalente;
  const double r = multiplica ? Cantidad * k : Cantidad / k;
  return std::isfinite(r) ? r : 0.0;
}

}  // namespace

QString ObtieneUnidadArticulo(const QString& IdArticulo) {
  Recordset rs;
  gDatos.AbreRecordset(
      QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + Codigo(IdArticulo, 25), rs,
      nullptr, 0, 1, -1);
  const QString unidad = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(QStringLiteral("IdUnidad")))));
  gDatos.CierraRecordset(rs);
  return unidad;
}

bool IdArticuloTieneEquivalencias(const QString& IdArticulo, const QString& UnidadEquivalente, QString& Operador,
                                  QString& UnidadBase, double& Coeficiente, bool& SinUnidad) {
  vb::ErrorSteps paso(QStringLiteral("IdArticuloTieneEquivalencias"));
  Coeficiente = 0;
  SinUnidad = false;
  QString base = UnidadBase;
  if (!paso.step([&] {
        if (vb::Trim(base).isEmpty()) base = ObtieneUnidadArticulo(IdArticulo);
      }))
    return false;
  SinUnidad = vb::Trim(base).isEmpty();
  if (SinUnidad) return false;
  UnidadBase = base;
  if (vb::Igual(vb::Trim(base), vb::Trim(UnidadEquivalente))) {
    Coeficiente = 1;
    Operador = QStringLiteral("/");
    return true;
  }
  bool hay = false;
  double k = 0;
  if (!paso.step([&] { hay = CoeficienteDeFila(IdArticulo, base, UnidadEquivalente, k); })) return false;
  if (hay) {
    Coeficiente = k;
    Operador = QStringLiteral("/");
    return true;
  }
  if (!paso.step([&] { hay = CoeficienteDeFila(IdArticulo, UnidadEquivalente, base, k); })) return false;
  if (hay) {
    Coeficiente = k;
    Operador = QStringLiteral("*");
  }
  return hay;
}

double ConvierteAEquivalencia(const QString& IdArticulo, QString& UnidadBase, double Cantidad,
                              const QString& UnidadEquivalente) {
  return Convierte(true, IdArticulo, UnidadBase, Cantidad, UnidadEquivalente);
}

double ConvierteDesdeEquivalencia(const QString& IdArticulo, QString& UnidadBase, double Cantidad,
                                  const QString& UnidadEquivalente) {
  return Convierte(false, IdArticulo, UnidadBase, Cantidad, UnidadEquivalente);
}

void ControlStock(const QString& IdDeposito, const QString& IdArticulo, const QString& Equivalencia, double& Saldo) {
  if (vb::Trim(IdArticulo).isEmpty()) return;
  vb::ErrorSteps paso(QStringLiteral("ControlStock"));
  QString sql;
  if (!vb::Trim(IdDeposito).isEmpty())
    sql = QStringLiteral("SELECT SUM(STOCK) AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = ") +
          Codigo(IdArticulo, 25) + QStringLiteral(" AND EQUIVALENCIA = ") + Codigo(Equivalencia, 4) +
          QStringLiteral(" AND IDDEPOSITO = ") + Codigo(IdDeposito, 4);
  else
    sql = QStringLiteral("SELECT SUM(STOCK) AS STOCK  FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = ") +
          Codigo(IdArticulo, 25) + QStringLiteral(" AND EQUIVALENCIA = ") + Codigo(Equivalencia, 4) +
          QStringLiteral(" ");
  Recordset rs;
  if (paso.step([&] { gDatos.AbreRecordset(sql, rs, nullptr, 0, 1, -1); }))
    paso.step([&] {
      Saldo = !rs.Bof() && !rs.Eof()
                  ? gUtil.ConvierteDoble(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Stock")))))
                  : 0.0;
    });
  if (rs.Abierto()) gDatos.CierraRecordset(rs);
}

void CalculaCantidadEquivalenteFila(MSFlexGrid& Grilla) {
  const struct {
    int columna;
    const QString& unidad;
  } medidas[] = {{ColArticulos::kCantidadBL, gUnidadMedidaBL},
                 {ColArticulos::kCantidadM3, gUnidadMedidaM3},
                 {ColArticulos::kCantidadKG, gUnidadMedidaKG}};
  for (const auto& m : medidas) {
    const int r = Grilla.Row();
    const QString articulo = Grilla.TextMatrix(r, ColArticulos::kArticulo);
    QString unidad = vb::Trim(Grilla.TextMatrix(r, ColArticulos::kUnidad));
    // The quantity at the precision of an amount (four decimals).
    const double cantidad = vb::Moneda::DesdeDoble(NumeroCelda(Grilla.TextMatrix(r, ColArticulos::kCantidad))).ADoble();
    Grilla.SetTextMatrix(r, m.columna, TextoCelda(ConvierteAEquivalencia(articulo, unidad, cantidad, m.unidad)));
  }
}
