// Module Stock: units of an article, their equivalences and the balances by
// unit.
#include "vouchers/stock_unidades.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "vouchers/columnas_cptes.h"

// What an EquivalenciasLeidas holds: by article (the key of its code at its
// width), the usable coefficient of each of its rows by the keys of the
// row's two units; and each article's own unit once read.
struct FilasDeEquivalencias {
  QHash<QString, QHash<std::pair<QString, QString>, double>> porArticulo;
  QHash<QString, QString> unidades;
};

namespace {

// The rows in force: those of the innermost EquivalenciasLeidas alive.
FilasDeEquivalencias* gLeidas = nullptr;

// Codes a statement asks for at most, and values it binds at most when it
// names them several times (a server takes about two thousand values).
constexpr qsizetype kCodigosPorSentencia = 500;
constexpr qsizetype kValoresPorSentencia = 1800;

QString Codigo(const QString& codigo, int ancho) { return ClsDatos::Literal(gUtil.FormateaCodigo(codigo, ancho)); }

// The codes as a look-up binds them.
QString ArticuloBuscado(const QString& IdArticulo) { return gUtil.FormateaCodigo(vb::Trim(IdArticulo), 25); }
QString UnidadBuscada(const QString& unidad) { return gUtil.FormateaCodigo(vb::Trim(unidad), 4); }

// A row's coefficient when it is usable: a number other than 0 (a Null
// one, or one that is no number, is no equivalence).
std::optional<double> Usable(const Field& f) {
  const double k = f.IsNull() ? 0.0 : gUtil.ConvierteDoble(gUtil.ConvierteTexto(f.Value()));
  if (std::isfinite(k) && k != 0.0) return k;
  return std::nullopt;
}

// The coefficient of the equivalence row from unidad to equivalente, when
// there is one and it is usable.
bool CoeficienteDeFila(const QString& IdArticulo, const QString& unidad, const QString& equivalente,
                       double& coeficiente) {
  if (gLeidas) {
    const auto a = gLeidas->porArticulo.constFind(ClaveDeCodigo(ArticuloBuscado(IdArticulo)));
    if (a != gLeidas->porArticulo.cend()) {
      const auto f = a->constFind({ClaveDeCodigo(UnidadBuscada(unidad)), ClaveDeCodigo(UnidadBuscada(equivalente))});
      if (f == a->cend()) return false;
      coeficiente = *f;
      return true;
    }
  }
  // Bound, so the statement is prepared once for every article and unit
  // (a voucher's measure columns ask it several times per line).
  Recordset rs;
  gDatos.AbreRecordsetPreparado(
      QStringLiteral("SELECT * FROM  S_TA_EQUIV WHERE IdArticulo = ? AND IDUNIDAD = ? AND IDUNIDAD_EQUIV = ?"),
      {ArticuloBuscado(IdArticulo), UnidadBuscada(unidad), UnidadBuscada(equivalente)}, rs);
  std::optional<double> k;
  if (!rs.Bof() && !rs.Eof()) k = Usable(rs.Fields(QStringLiteral("Coeficiente")));
  gDatos.CierraRecordset(rs);
  if (k) coeficiente = *k;
  return k.has_value();
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

QString ClaveDeCodigo(const QString& codigo) {
  qsizetype n = codigo.size();
  while (n > 0 && codigo[n - 1] == u' ') --n;
  return codigo.left(n).toCaseFolded();
}

void LeePorCodigos(const QString& inicio, const QString& fin, const QStringList& codigos,
                   const std::function<void(Recordset&, const QStringList&)>& lee) {
  LeePorCodigos(1, [&](const QString& lista) { return inicio + QStringLiteral(" IN ") + lista + fin; }, codigos, lee);
}

void LeePorCodigos(int veces, const std::function<QString(const QString& lista)>& sentencia,
                   const QStringList& codigos, const std::function<void(Recordset&, const QStringList&)>& lee) {
  const qsizetype porParte = std::max<qsizetype>(1, std::min(kCodigosPorSentencia, kValoresPorSentencia / veces));
  for (qsizetype desde = 0; desde < codigos.size(); desde += porParte) {
    const QStringList parte = codigos.mid(desde, porParte);
    QString lista = QStringLiteral("(?");
    for (qsizetype i = 1; i < parte.size(); ++i) lista += QStringLiteral(", ?");
    lista += u')';
    QVariantList valores;
    for (int v = 0; v < veces; ++v) valores.append(QVariantList(parte.cbegin(), parte.cend()));
    Recordset rs;
    gDatos.AbreRecordsetPreparado(sentencia(lista), valores, rs);
    lee(rs, parte);
    gDatos.CierraRecordset(rs);
  }
}

EquivalenciasLeidas::EquivalenciasLeidas()
    : filas_(std::make_unique<FilasDeEquivalencias>()), anteriores_(gLeidas) {
  gLeidas = filas_.get();
}

EquivalenciasLeidas::~EquivalenciasLeidas() { gLeidas = anteriores_; }

void EquivalenciasLeidas::Lee(const QStringList& articulos) {
  // Each article asked once, at its width as a look-up binds it.
  QStringList codigos;
  QHash<QString, QString> claves;  // bound code -> its key
  QSet<QString> pedidas;
  for (const QString& a : articulos) {
    const QString codigo = ArticuloBuscado(a);
    const QString clave = ClaveDeCodigo(codigo);
    if (filas_->porArticulo.contains(clave) || pedidas.contains(clave)) continue;
    pedidas.insert(clave);
    claves.insert(codigo, clave);
    codigos << codigo;
  }
  LeePorCodigos(
      QStringLiteral("SELECT IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente FROM S_TA_EQUIV WHERE IdArticulo"),
      QString(), codigos, [&](Recordset& rs, const QStringList& parte) {
        // An article's rows are taken only once the statement has read
        // them all; an article without rows has none to give.
        QHash<QString, QHash<std::pair<QString, QString>, double>> leidas;
        for (const QString& c : parte) leidas.insert(claves.value(c), {});
        for (; !rs.Eof(); rs.MoveNext()) {
          auto clave = [&](int i) { return ClaveDeCodigo(gUtil.ConvierteTexto(rs.Fields(i).Value())); };
          const auto a = leidas.find(clave(0));
          const std::optional<double> k = Usable(rs.Fields(3));
          if (a == leidas.end() || !k) continue;
          const std::pair<QString, QString> unidades{clave(1), clave(2)};
          if (!a->contains(unidades)) a->insert(unidades, *k);
        }
        filas_->porArticulo.insert(leidas);
      });
}

void EquivalenciasLeidas::SabeUnidad(const QString& IdArticulo, const QString& unidad) {
  filas_->unidades.insert(ClaveDeCodigo(gUtil.FormateaCodigo(IdArticulo, 25)), unidad);
}

QString ObtieneUnidadArticulo(const QString& IdArticulo) {
  const QString clave = gLeidas ? ClaveDeCodigo(gUtil.FormateaCodigo(IdArticulo, 25)) : QString();
  if (gLeidas) {
    const auto u = gLeidas->unidades.constFind(clave);
    if (u != gLeidas->unidades.cend()) return *u;
  }
  Recordset rs;
  gDatos.AbreRecordset(
      QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + Codigo(IdArticulo, 25), rs,
      nullptr, 0, 1, -1);
  const QString unidad = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(QStringLiteral("IdUnidad")))));
  gDatos.CierraRecordset(rs);
  if (gLeidas) gLeidas->unidades.insert(clave, unidad);
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
    const double cantidad = DecimalCelda(Grilla.TextMatrix(r, ColArticulos::kCantidad)).ADoble();
    Grilla.SetTextMatrix(r, m.columna, TextoCelda(ConvierteAEquivalencia(articulo, unidad, cantidad, m.unidad)));
  }
}
