// Module Stock: stock-voucher keys, lots drawn from stock, components, and
// the write lock two users post under.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <optional>

#include "base_cptes.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/vb.h"
#include "vouchers/stock.h"

namespace {

class Stock : public ConBase {
 protected:
  void ClavePE(const QString& clave, const QString& tc = "  PE") {
    e.Sql(QString("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, CANTIDAD) VALUES ('%1', '%2', -1)").arg(tc, clave));
  }
  void LibroPE(int ultimo) {
    e.Sql(QString("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, X_ULTIMO_NRO) VALUES ('  PE', 1, 'X', "
                  "'STOCK', %1)")
              .arg(ultimo));
  }
  void Lote(const QString& articulo, const QString& deposito, const QString& lote, double cantidad) {
    e.Sql(QString("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, CANTIDAD) VALUES (%1, %2, %3, %4)")
              .arg(ClsDatos::Literal(gUtil.FormateaCodigo(articulo, 25)), ClsDatos::Literal(gUtil.FormateaCodigo(deposito, 4)),
                   lote.isNull() ? "NULL" : ClsDatos::Literal(gUtil.FormateaCodigo(lote, 25)), ClsDatos::Numero(cantidad)));
  }
  // The lots drawn as "lot=quantity" texts.
  static QStringList Tomado(const std::vector<ItemCantidad>& l) {
    QStringList r;
    for (const ItemCantidad& i : l) r << vb::Trim(i.CodigoItem) + "=" + QString::number(i.CantidadItem);
    return r;
  }
  QStringList Saca(const QString& articulo, double cantidad, bool tiene, const QString& deposito = "'   1'") {
    std::vector<ItemCantidad> l{{"viejo", "", 9}};
    EXPECT_EQ(ArticuloTieneLotes(articulo, deposito, l, cantidad), tiene) << articulo.toStdString();
    return Tomado(l);
  }
};

}  // namespace

TEST_F(Stock, AStockVoucherGetsTheNextKeyNoMovementUses) {
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000001X");  // no book, no movement
  LibroPE(3);
  ClavePE("000100000001X");
  ClavePE("000100000002X");
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000003X");  // free: the book's number
  // Under a lock a key handed out counts, written or not: the next is past
  // the highest handed out (and past a movement that uses that one). A
  // joined lock taken back, or the end of the lock, frees its keys.
  {
    TransaccionStock bloqueo;
    const struct {
      const char* movimiento;  // written before the call
      bool unido;              // asked under a joined lock taken back
      const char* clave;
    } pedidos[] = {{nullptr, false, "000100000003X"}, {nullptr, false, "000100000004X"},
                   {"000100000005X", false, "000100000006X"}, {nullptr, true, "000100000007X"},
                   {nullptr, false, "000100000007X"}, {nullptr, true, "000100000008X"}};
    for (const auto& p : pedidos) {
      SCOPED_TRACE(p.clave);
      if (p.movimiento) ClavePE(p.movimiento);
      std::optional<TransaccionStock> unido;
      if (p.unido) unido.emplace();
      EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), p.clave);
    }
  }
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000003X");
  // Taken: one above the highest key of the type, branch and letter.
  ClavePE("000100000003X");
  ClavePE("000100000007X");
  ClavePE("000100000050A");
  ClavePE("000200000090X");
  ClavePE("000100000080X", " AJP");
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000008X");
  EXPECT_EQ(AsignarNumeroComprobante("P'E", "0001", "X'"), "000100000001X");
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  // The number after the highest key is given up to the last number there
  // is; past it the book is full.
  ClavePE("000199999998X");
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000199999999X");
  ClavePE("000199999999X");
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "");
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("está completo"));
  // A used-up book gives no key at all.
  e.Sql("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = X_NRO_HASTA");
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "");
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("se encuentran utilizados"));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Stock, LotsAreDrawnFirstLotFirstUntilTheNeedIsCovered) {
  Lote("TORNILLO", "1", "L3", 4);
  Lote("TORNILLO", "1", "L1", 5);
  Lote("TORNILLO", "1", "L2", 3);
  Lote("TORNILLO", "1", "L0", 0);       // nothing in stock
  Lote("TORNILLO", "1", QString(), 50);  // no lot
  Lote("TORNILLO", "2", "A0", 50);       // another warehouse
  EXPECT_EQ(Saca("TORNILLO", 6, true), (QStringList{"L1=5", "L2=1"}));
  EXPECT_EQ(Saca("TORNILLO", 8, true), (QStringList{"L1=5", "L2=3"}));  // exact: no record for L3
  EXPECT_EQ(Saca("TORNILLO", 15, true), (QStringList{"L1=5", "L2=3", "L3=4", "=3"}));
  EXPECT_EQ(Saca("TORNILLO", 0, true), QStringList{});
  EXPECT_EQ(Saca("TORNILLO", 6, true, "1"), (QStringList{"L1=5", "L2=1"}));  // the code itself
  EXPECT_EQ(Saca("TORNILLO", 6, false, "9"), QStringList{"=6"});
  EXPECT_EQ(Saca("TORNILLO", 6, false, "'1'' OR ''x''=''x'"), QStringList{"=6"});
  EXPECT_EQ(Saca("ARANDELA", 2.5, false), QStringList{"=2.5"});
  // A lot with nothing in stock is no lot in stock: without others the
  // article has none.
  Lote("ARANDELA", "1", "V0", 0);
  Lote("ARANDELA", "1", "V1", -2);
  EXPECT_EQ(Saca("ARANDELA", 2.5, false), QStringList{"=2.5"});
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Stock, AnArticleListsExactlyItsComponents) {
  auto insumo = [&](const QString& articulo, const QString& insumo, double cantidad) {
    e.Sql(QString("INSERT INTO V_MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (%1, %2, "
                  "'  UN', %3)")
              .arg(ClsDatos::Literal(gUtil.FormateaCodigo(articulo, 25)),
                   ClsDatos::Literal(gUtil.FormateaCodigo(insumo, 25)), ClsDatos::Numero(cantidad)));
  };
  insumo("KIT", "TORNILLO", 2);
  insumo("KIT", "ARANDELA", 0.5);
  insumo("OTRO", "TORNILLO", 1);
  std::vector<ItemCantidad> l{{"viejo", "", 1}};
  EXPECT_TRUE(IdArticuloTieneInsumos(" kit ", l, false));
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(vb::Trim(l[1].CodigoItem), "ARANDELA");
  EXPECT_EQ(vb::Trim(l[1].UnidadItem), "UN");
  EXPECT_EQ(l[1].CantidadItem, 0.5);
  EXPECT_TRUE(IdArticuloTieneInsumos("KIT", l, true));
  EXPECT_TRUE(l.empty());
  EXPECT_FALSE(IdArticuloTieneInsumos("TORNILLO", l, false));
  EXPECT_TRUE(l.empty());
}

TEST_F(Stock, TheWriteLockKeepsOtherWritersOutUntilItEnds) {
  Connection otra;
  otra.Abre(ado::AbreSqlite(e.Ruta("prueba.db")), "otra");
  otra.SetCommandTimeout(0);
  {
    TransaccionStock bloqueo;
    ClavePE("000100000001X");
    EXPECT_THROW(otra.Execute("BEGIN IMMEDIATE"), vb::Error);
  }  // not confirmed: rolled back
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_STOCK").toInt(), 0);
  {
    TransaccionStock bloqueo;
    TransaccionStock interno;  // joins the lock held
    ClavePE("000100000001X");
    interno.Confirma();
    EXPECT_THROW(otra.Execute("BEGIN IMMEDIATE"), vb::Error);
    bloqueo.Confirma();
  }
  otra.Execute("BEGIN IMMEDIATE");
  otra.Execute("ROLLBACK");
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_STOCK").toInt(), 1);
  // A joined lock ended without Confirma takes back what was written under
  // it, and only that: its holder's work before and after it is committed.
  {
    TransaccionStock bloqueo;
    ClavePE("000100000002X");
    {
      TransaccionStock interno;
      ClavePE("000100000003X");
      {
        TransaccionStock otroMas;
        ClavePE("000100000004X");
        otroMas.Confirma();
      }
    }
    ClavePE("000100000005X");
    bloqueo.Confirma();
  }
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  EXPECT_EQ(e.Valor("SELECT GROUP_CONCAT(SUBSTR(IDCOMPROBANTE, 12, 1), '') FROM (SELECT IDCOMPROBANTE FROM V_MV_STOCK "
                    "ORDER BY 1)").toString(),
            "125");
  // The server's savepoints: set and taken back, no release.
  const auto servidor = TransaccionStock::Sentencias(false, 1);
  EXPECT_EQ(servidor.marca, "SAVE TRANSACTION PosteoStock1");
  EXPECT_EQ(servidor.vuelta, "ROLLBACK TRANSACTION PosteoStock1");
  EXPECT_EQ(servidor.liberacion, "");
}

TEST_F(Stock, TwoUsersPostingAtOnceNeverGetTheSameKey) {
  e.Sql("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA) VALUES ('  PE', 1, 'X', 'STOCK')");
  gDatos.Desconecta();
  const int cada = 400;
  QProcess a, b;
  const QString salida = e.Ruta("salida");
  a.start(NUMERADOR_STOCK, {e.Ruta("prueba.db"), QString::number(cada), "a", salida});
  b.start(NUMERADOR_STOCK, {e.Ruta("prueba.db"), QString::number(cada), "b", salida});
  // Both connected: they start together.
  for (int espera = 0; !(QFile::exists(salida + ".a") && QFile::exists(salida + ".b")) && espera < 600; ++espera)
    QThread::msleep(100);
  e.EscribeArchivo("salida", "");
  ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
  EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
  EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
  e.Inicia();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_STOCK").toInt(), 2 * cada);
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK").toInt(), 2 * cada);
  EXPECT_EQ(e.Valor("SELECT MAX(IDCOMPROBANTE) FROM V_MV_STOCK").toString(), QString("0001%1X").arg(2 * cada, 8, 10, QChar('0')));
  EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 2 * cada + 1);
  EXPECT_GT(e.Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE CONTROLADOPOR = 'b'").toInt(), 0);
}

TEST(StockDemo, TheDemoDatabaseHasRowsForEveryStep) {
  EntornoPrueba e;
  e.IniciaDemo(100, 300);
  // Discharges of components were posted as stock vouchers of their own.
  const QString ultima = e.Valor("SELECT MAX(IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toString();
  ASSERT_EQ(ultima.size(), 13);
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"),
            QString("0001%1X").arg(ultima.mid(4, 8).toInt() + 1, 8, 10, QChar('0')));
  // A component kept in lots draws from them.
  const QString kit = e.Valor("SELECT i.IDARTICULO FROM V_MA_INSUMOS i JOIN STK_SERIES_Y_LOTES s ON "
                              "s.IDARTICULO = i.IDARTICULOINSUMO AND s.CANTIDAD > 0 AND s.NROLOTE IS NOT NULL "
                              "AND s.IDDEPOSITO = '   1' ORDER BY i.ID").toString();
  ASSERT_FALSE(kit.isEmpty());
  std::vector<ItemCantidad> componentes, lotes;
  ASSERT_TRUE(IdArticuloTieneInsumos(kit, componentes));
  EXPECT_EQ(componentes.size(), e.Valor("SELECT COUNT(*) FROM V_MA_INSUMOS WHERE IDARTICULO = " + ClsDatos::Literal(kit)).toUInt());
  bool conLotes = false;
  for (const ItemCantidad& c : componentes)
    if (ArticuloTieneLotes(c.CodigoItem, "'   1'", lotes, 1) && !lotes.empty() && !vb::Trim(lotes.front().CodigoItem).isEmpty()) conLotes = true;
  EXPECT_TRUE(conLotes);
}
