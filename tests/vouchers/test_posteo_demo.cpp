// The stock posting on the demo database: a sale that takes an article out of
// its lots in stock, a kit whose components are discharged and the blend made
// by percentages; a purchase invoice made from a pending purchase order.
#include <gtest/gtest.h>

#include <QHash>
#include <cmath>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "support/entorno.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

// Balance per article, warehouse and lot of V_MV_STOCK.
QHash<QString, double> Balances() {
  Recordset rs;
  gDatos.AbreRecordset("SELECT IDARTICULO || '|' || IDDEPOSITO || '|' || IFNULL(NROLOTE, ''), SUM(CANTIDAD) FROM "
                       "V_MV_STOCK GROUP BY IDARTICULO, IDDEPOSITO, NROLOTE",
                       rs);
  QHash<QString, double> r;
  for (; !rs.Eof(); rs.MoveNext()) r[rs.Fields(0).Value().toString()] = rs.Fields(1).Value().toDouble();
  return r;
}

QString Clave(const QString& articulo, const QString& deposito, const QString& lote = QString()) {
  return articulo + '|' + deposito + '|' + lote;
}

}  // namespace

TEST(PosteoDemo, ASaleAndAPurchaseMoveTheDemoStockAsTheirLinesSay) {
  EntornoPrueba e;
  e.IniciaDemo(60, 300);
  auto texto = [&](const QString& sql) { return e.Valor(sql).toString(); };

  // An article kept in lots with two lots in the central warehouse, a kit,
  // and the blend.
  const QString conLotes = texto(
      "SELECT IDARTICULO FROM STK_SERIES_Y_LOTES WHERE IDDEPOSITO = '   1' AND NROSERIE IS NULL AND NROLOTE IS NOT "
      "NULL AND CANTIDAD >= 1 GROUP BY IDARTICULO HAVING COUNT(*) >= 2 ORDER BY IDARTICULO");
  ASSERT_FALSE(conLotes.isEmpty());
  QStringList lotes;
  QList<double> cantidades;
  {
    Recordset rs;
    gDatos.AbreRecordset("SELECT NROLOTE, CANTIDAD FROM STK_SERIES_Y_LOTES WHERE IDDEPOSITO = '   1' AND IDARTICULO = " +
                             ClsDatos::Literal(conLotes) + " AND CANTIDAD >= 1 ORDER BY NROLOTE",
                         rs);
    for (int i = 0; i < 2; ++i, rs.MoveNext()) {
      lotes << rs.Fields(0).Value().toString();
      cantidades << 1.0;
    }
  }
  const QString kit = texto("SELECT MIN(IDARTICULO) FROM V_MA_INSUMOS WHERE IDARTICULO LIKE '%KIT-%'");
  const QString mezcla = texto("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE INSUMOSPORPORCENTAJE = 1");
  ASSERT_FALSE(kit.isEmpty());
  ASSERT_FALSE(mezcla.isEmpty());
  const QString componentes = "SELECT IDARTICULOINSUMO, CANTIDAD FROM V_MA_INSUMOS WHERE IDARTICULO = ";

  Form form("FrmFactura");
  auto* g = new MSFlexGrid(&form, "MSFlexGrid2");
  auto* t2 = new TextBox(&form, "TxtEdit2");
  ClsCmnCptes cptes;
  cptes.InicializaGrids(nullptr, g, nullptr, nullptr, t2, nullptr, &form, "FC");
  g->SetRows(4);
  const QChar u(0xFF);
  using namespace ColArticulos;
  g->SetTextMatrix(1, kArticulo, conLotes.trimmed());
  g->SetTextMatrix(1, kCantidad, "2");
  g->SetTextMatrix(1, kNroLote, '|' + lotes[0].trimmed() + u + '|' + lotes[1].trimmed() + u + '|');
  g->SetTextMatrix(1, kNroSerie, "|1|1|");
  g->SetTextMatrix(2, kArticulo, kit.trimmed());
  g->SetTextMatrix(2, kCantidad, "3");
  g->SetTextMatrix(3, kArticulo, mezcla.trimmed());
  g->SetTextMatrix(3, kCantidad, "2,5");
  g->SetTextMatrix(3, kInsumosPorPorcentaje, "-1");

  const QHash<QString, double> antes = Balances();
  bool hayError = false;
  ASSERT_TRUE(cptes.ActualizaStock(g, "FC", "000900000001A", "0", "2026-11-30", "1", QString(), QString(), QString(),
                                   QString(), false, "NULL", false, nullptr, &hayError));
  EXPECT_FALSE(hayError);
  QHash<QString, double> esperado = antes;
  const QString uno = "   1";
  for (int i = 0; i < 2; ++i) esperado[Clave(conLotes, uno, lotes[i])] -= cantidades[i];
  esperado[Clave(kit, uno)] -= 3;
  esperado[Clave(mezcla, uno)] += -2.5 + 2.5;  // sold, and turned into its components
  // The components leave their lots first lot first; a kit's component may
  // come from lots, so only its total per warehouse is known beforehand.
  QHash<QString, double> porArticulo;
  auto suma = [&](const QString& donde, double factor) {
    Recordset rs;
    gDatos.AbreRecordset(componentes + ClsDatos::Literal(donde), rs);
    for (; !rs.Eof(); rs.MoveNext()) porArticulo[rs.Fields(0).Value().toString()] -= factor * rs.Fields(1).Value().toDouble();
  };
  suma(kit, 3);
  suma(mezcla, 2.5 / 100);
  if (porArticulo.contains(conLotes)) porArticulo[conLotes] -= 2;  // also a component of the kit
  const QHash<QString, double> despues = Balances();
  QHash<QString, double> movido;  // per article in the central warehouse, over its lots
  int comparados = 0;
  for (auto it = despues.begin(); it != despues.end(); ++it) {
    const double d = it.value() - antes.value(it.key());
    if (std::fabs(d) < 1e-9) continue;
    const QStringList k = it.key().split('|');
    ASSERT_EQ(k[1], uno) << it.key().toStdString();
    if (porArticulo.contains(k[0])) movido[k[0]] += d;
    else {
      EXPECT_NEAR(it.value(), esperado.value(it.key()), 1e-9) << it.key().toStdString();
      ++comparados;
    }
  }
  EXPECT_GE(comparados, 3);  // the two lots and the kit
  EXPECT_GE(porArticulo.size(), 4);
  for (auto it = porArticulo.begin(); it != porArticulo.end(); ++it)
    EXPECT_NEAR(movido.value(it.key()), it.value(), 1e-9) << it.key().toStdString();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  PE' AND IDCOMPROBANTE_ORIGEN = '000900000001A'").toInt() > 0,
            true);

  // A purchase invoice from an order still waiting for its goods stamps it.
  const QString orden = texto("SELECT MIN(IDCOMPROBANTE) FROM C_MV_CPTE WHERE TC = '  OC' AND FECHARECEPCION IS NULL "
                              "AND ANULADA = 0");
  ASSERT_FALSE(orden.isEmpty());
  cptes.InicializaGrids(nullptr, g, nullptr, nullptr, t2, nullptr, &form, "FCC");
  g->SetTextMatrix(1, ColArticulos::kArticulo, conLotes.trimmed());
  g->SetTextMatrix(1, ColArticulos::kCantidad, "4");
  g->SetTextMatrix(1, ColArticulos::kNroLote, "|LNUEVO|");
  ASSERT_TRUE(cptes.ActualizaStock(g, "FCC", "000700000001A", "0", "2026-11-30", "2", QString(), QString(), "OC", orden,
                                   false, "PorDefault", false, nullptr, &hayError));
  EXPECT_TRUE(texto("SELECT FECHARECEPCION FROM C_MV_CPTE WHERE TC = '  OC' AND IDCOMPROBANTE = " +
                    ClsDatos::Literal(orden))
                  .startsWith("2026-11-30"));
  EXPECT_DOUBLE_EQ(Balances().value(Clave(conLotes, "   2", gUtil.FormateaCodigo("LNUEVO", 25))), 4);
  EXPECT_EQ(e.ui().Cuenta("MsgBox") + e.ui().Cuenta("Error"), 0);
}
