// A stock posting that cannot be made whole writes nothing: every movement of
// the voucher is in V_MV_STOCK or none is, and the caller knows which.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QThread>

#include "base_posteo.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/vb_error.h"
#include "support/errores.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/stock.h"

namespace {

namespace col = ColArticulos;

class FallasPosteo : public ConPosteo {
 protected:
  // Nothing of the voucher, of its "PE" voucher or of the books was written.
  void NadaEscrito() {
    EXPECT_EQ(Filas(), 0);
    EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt(), 0);
    // The connection is back in autocommit: nothing is left pending for a
    // later statement to commit.
    EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  }
};

}  // namespace

TEST_F(FallasPosteo, AVoucherTypeWithoutStockSensePostsNothing) {
  Grilla("FC");
  Linea("TORNILLO", "2");
  Linea("KIT", "1");
  EXPECT_FALSE(Posta("XX", "000100000001X"));  // unknown
  EXPECT_TRUE(hayError);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("no existe en la tabla de comprobantes"));
  EXPECT_FALSE(Posta("OT", "000100000001A"));  // known, but moves no stock
  EXPECT_TRUE(hayError);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("no indica si el stock entra o sale"));
  NadaEscrito();
  // A sign imposed by the caller is taken.
  ASSERT_TRUE(cptes->ActualizaStock(g, "OT", "000100000001A", "0", "2026-11-20", "1", QString(), QString(), QString(),
                                    QString(), false, QString(), false, nullptr, &hayError, QString(), QString(),
                                    QString(), QString(), -1));
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "*", "OT"), -2);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(FallasPosteo, AnUnknownArticleOrWarehouseRefusesTheWholeVoucher) {
  Grilla("AJP");
  Linea("TORNILLO", "2");
  Linea("NOEXISTE", "1");
  EXPECT_FALSE(Posta("AJP", "000100000001X"));
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("NOEXISTE"));
  Grilla("AJP");
  Linea("KIT", "2");
  Linea("TORNILLO", "1", {{col::kDeposito, "9"}});
  EXPECT_FALSE(Posta("AJP", "000100000001X"));
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("depósito 9"));
  // No warehouse at all: none given, none configured.
  Config("DepositoDefault", " ");
  Grilla("AJP");
  Linea("TORNILLO", "1");
  EXPECT_FALSE(Posta("AJP", "000100000001X", QString()));
  EXPECT_TRUE(hayError);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("no tiene depósito"));
  NadaEscrito();
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 3);
}

// A quantity or amount that is no finite number, a malformed one or one
// beyond the currency's range refuses the whole voucher, at once and as a
// batch: never posted as 0, as nothing or as its digits run together.
TEST_F(FallasPosteo, ANumberThatCannotBeWrittenRefusesTheWholeVoucher) {
  const QString desborda = "Desbordamiento", noEsNumero = "que no es un número";
  const struct {
    int columna;
    QString texto;
    QString motivo;
    QString muestra = QString();  // the text the message shows, when not the cell's
  } casos[] = {
      {col::kCantidad, "1e309", desborda},
      {col::kCantidad, "inf", noEsNumero},
      {col::kCantidad, "nan", noEsNumero},
      {col::kCantidad, "1,2,3", noEsNumero},
      {col::kCantidad, "922337203685477.5808", desborda},
      {col::kImporte, "1e309", desborda},
      {col::kImporte, "-inf", noEsNumero},
      {col::kCosto, "1e15", desborda},
      {col::kImpuestos, "NaN", noEsNumero},
      {col::kIvaRni, QString(309, u'9'), desborda},
      {col::kCoeficiente, "1e999", desborda},
      {col::kIdInsert, "2,5.", noEsNumero},
      {col::kNroSerie, Lista({"1", "inf"}), noEsNumero, "inf"},  // the quantities of an outgoing line's lots
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto.left(20).toStdString());
    auto carga = [&] {
      Grilla("FC");
      Linea("TORNILLO", "2");
      Linea("ACEITE", c.columna == col::kCantidad ? c.texto : "2", {{col::kNroLote, Lista({"L1", "L2"})}});
      if (c.columna != col::kCantidad) g->SetTextMatrix(2, c.columna, c.texto);
    };
    carga();
    const int mensajes = e.ui().Cuenta("MsgBox");
    EXPECT_FALSE(Posta("FC", "000100000001A"));
    EXPECT_TRUE(hayError);
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), mensajes + 1);
    const QString mensaje = e.ui().De("MsgBox").back().texto;
    const QString muestra = c.muestra.isEmpty() ? c.texto : c.muestra;
    EXPECT_TRUE(mensaje.startsWith("El artículo ACEITE tiene \"" + muestra + "\"")) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.contains(c.motivo)) << mensaje.toStdString();
    NadaEscrito();
    carga();
    QString lote = "SELECT 1";
    EXPECT_FALSE(cptes->ActualizaStock(g, "FC", "000100000001A", "0", "2026-11-20", "1", QString(), QString(),
                                       QString(), QString(), false, "NULL", true, &lote, &hayError));
    EXPECT_EQ(lote, "SELECT 1");
    EXPECT_EQ(e.ui().Cuenta("MsgBox"), mensajes + 2);
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  NadaEscrito();
}

// A caller that holds the stock transaction itself (its own header saved in
// it) and posts in it: a posting refused after its first rows takes back
// every row of its own, and only those.
TEST_F(FallasPosteo, ARefusalInsideTheCallersTransactionTakesBackOnlyThePostingsOwnRows) {
  // Stock there before: a posting of its own, committed.
  Grilla("AJP");
  Linea("TORNILLO", "5", {{col::kNroLote, Lista({"L1"})}});
  Linea("ACEITE", "3");
  ASSERT_TRUE(Posta("AJP", "000100000001X"));
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, IDDEPOSITO, IDARTICULO, CANTIDAD) VALUES "
        "('  PE', '000100000150X', 1, '   1', '" + gUtil.FormateaCodigo("GUANTE", 25) + "', -1)");
  auto saldos = [&] {
    QStringList r;
    Recordset rs;
    gDatos.AbreRecordset("SELECT TC, IDARTICULO, IDDEPOSITO, IFNULL(NROLOTE, '-'), SUM(CANTIDAD), COUNT(*) FROM "
                         "V_MV_STOCK GROUP BY TC, IDARTICULO, IDDEPOSITO, NROLOTE ORDER BY 1, 2, 3, 4",
                         rs);
    for (; !rs.Eof(); rs.MoveNext())
      r << QStringList{rs.Fields(0).Value().toString(), rs.Fields(1).Value().toString(),
                       rs.Fields(2).Value().toString(), rs.Fields(3).Value().toString(),
                       rs.Fields(4).Value().toString(), rs.Fields(5).Value().toString()}
               .join('|');
    return r;
  };
  const QStringList antes = saldos();
  ASSERT_EQ(antes.size(), 3);
  struct Caso {
    const char* que;
    const char* libroPE;  // how the "PE" book is set for the case ("" as it is)
    std::initializer_list<std::pair<int, QString>> tercera;  // cells of the third line
    const char* articulo;                                    // of the third line
    const char* mensaje;
  };
  const Caso casos[] = {
      {"an unknown article on a later line", "", {}, "NOEXISTE", "NOEXISTE"},
      {"an unknown warehouse on a later line", "", {{col::kDeposito, "9"}}, "TORNILLO", "depósito 9"},
      // The components are discharged after every line was posted.
      {"a stock-voucher number that cannot be given", "X_ULTIMO_NRO = X_NRO_HASTA", {}, "KIT",
       "se encuentran utilizados"},
      // Number 1 is used, so the key is the one after the highest, 151,
      // which no book holds.
      {"a stock-voucher number that cannot be recorded", "X_NRO_HASTA = 100", {}, "KIT", "No se grabó la numeración"},
  };
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, IDDEPOSITO, IDARTICULO, CANTIDAD) VALUES "
        "('  PE', '000100000001X', 1, '   1', '" + gUtil.FormateaCodigo("GUANTE", 25) + "', 1)");
  const QStringList conPE = saldos();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    e.Sql("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0, X_NRO_HASTA = 99999999 WHERE CODIGO = '  PE'");
    if (*c.libroPE) e.Sql(QString("UPDATE V_TA_CPTE SET %1 WHERE CODIGO = '  PE'").arg(c.libroPE));
    const int libro = e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt();
    e.ui().llamadas.clear();
    Grilla("AJP");
    Linea("TORNILLO", "2", {{col::kNroLote, Lista({"L1"})}});
    Linea("ACEITE", "1");
    Linea(c.articulo, "1", c.tercera);
    {
      TransaccionStock bloqueo;
      gDatos.Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, NOMBRE) VALUES (' AJP', '000100000002X', 'Cabecera')");
      EXPECT_FALSE(Posta("AJP", "000100000002X"));
      EXPECT_TRUE(hayError);
      // The caller goes on in its transaction and commits it.
      gDatos.Ejecuta("UPDATE V_MV_CPTE SET CUENTA = '200001' WHERE IDCOMPROBANTE = '000100000002X'");
      bloqueo.Confirma();
    }
    EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
    EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTE WHERE IDCOMPROBANTE = '000100000002X' AND NOMBRE = "
                      "'Cabecera' AND CUENTA = '200001'").toInt(),
              1);
    EXPECT_EQ(Filas("IDCOMPROBANTE = '000100000002X'"), 0);
    EXPECT_EQ(saldos(), conPE);
    EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt(), libro);
    ASSERT_FALSE(e.ui().De("MsgBox").empty());
    EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains(c.mensaje)) << e.ui().De("MsgBox").back().texto.toStdString();
    e.Sql("DELETE FROM V_MV_CPTE");
  }
  // A posting that goes through stays in the caller's transaction with it.
  e.Sql("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0, X_NRO_HASTA = 99999999 WHERE CODIGO = '  PE'");
  e.Sql("DELETE FROM V_MV_STOCK WHERE TC = '  PE'");
  Grilla("AJP");
  Linea("TORNILLO", "2", {{col::kNroLote, Lista({"L1"})}});
  Linea("KIT", "1");
  {
    TransaccionStock bloqueo;
    gDatos.Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, NOMBRE) VALUES (' AJP', '000100000002X', 'Cabecera')");
    ASSERT_TRUE(Posta("AJP", "000100000002X"));
    bloqueo.Confirma();
  }
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTE").toInt(), 1);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "L1", "AJP"), 7);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "*", "PE"), 2);
  EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt(), 2);
}

TEST_F(FallasPosteo, ADatabaseErrorOnThe300thOf500RowsLeavesNothingBehind) {
  e.Sql("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA) VALUES ('  OC', '000100000042X', '200001')");
  e.Sql("CREATE TRIGGER falla BEFORE INSERT ON V_MV_STOCK WHEN NEW.SECUENCIA = 300 AND NEW.TC = ' FCC' "
        "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
  Grilla("FCC");
  Linea("KIT", "1");
  for (int i = 1; i < 500; ++i) {
    if (i % 3 == 0) Linea("ACEITE", "1", {{col::kNroLote, Lista({QString("L%1").arg(i)})}});
    else Linea("TORNILLO", QString::number(i % 7 + 1));
  }
  EXPECT_FALSE(cptes->ActualizaStock(g, "FCC", "000300000001A", "0", "2026-11-20", "1", QString(), QString(), "OC",
                                     "000100000042X", false, "NULL", false, nullptr, &hayError));
  EXPECT_TRUE(hayError);
  NadaEscrito();
  EXPECT_TRUE(e.Valor("SELECT FECHARECEPCION FROM C_MV_CPTE").isNull());  // the stamp went back too
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  const auto m = e.ui().De("MsgBox")[0];
  EXPECT_TRUE(m.texto.contains("disco lleno"));
  EXPECT_EQ(m.titulo, "Aviso al operador");
  EXPECT_EQ(m.valor & 16, 16);  // critical
  // Once the cause is gone, the same call posts every row.
  e.Sql("DROP TRIGGER falla");
  hayError = false;
  ASSERT_TRUE(cptes->ActualizaStock(g, "FCC", "000300000001A", "0", "2026-11-20", "1", QString(), QString(), "OC",
                                    "000100000042X", false, "NULL", false, nullptr, &hayError));
  EXPECT_FALSE(hayError);
  EXPECT_EQ(Filas("TC = ' FCC'"), 500);
  EXPECT_FALSE(e.Valor("SELECT FECHARECEPCION FROM C_MV_CPTE").isNull());
}

// The same failure half-way through a posting run inside the caller's
// transaction (its header saved in it, a kit discharged with it): the
// database takes the whole transaction back, the caller's own work with it,
// and the caller's commit says so; the connection is back in autocommit and
// the next posting goes through.
TEST_F(FallasPosteo, ADatabaseErrorInsideTheCallersTransactionLeavesNothingOfEither) {
  e.Sql("CREATE TRIGGER falla BEFORE INSERT ON V_MV_STOCK WHEN NEW.SECUENCIA = 3 AND NEW.TC = ' AJP' "
        "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
  Grilla("AJP");
  Linea("KIT", "1");
  Linea("TORNILLO", "2", {{col::kNroLote, Lista({"L1"})}});
  Linea("ACEITE", "1");
  Linea("TORNILLO", "1");
  long alConfirmar = 0;
  {
    TransaccionStock bloqueo;
    gDatos.Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, NOMBRE) VALUES (' AJP', '000100000001X', 'Cabecera')");
    EXPECT_FALSE(Posta("AJP", "000100000001X"));
    EXPECT_TRUE(hayError);
    alConfirmar = NumeroDeError([&] { bloqueo.Confirma(); });
  }
  EXPECT_NE(alConfirmar, 0);
  NadaEscrito();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTE").toInt(), 0);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("disco lleno"));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);

  e.Sql("DROP TRIGGER falla");
  {
    TransaccionStock bloqueo;
    gDatos.Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, NOMBRE) VALUES (' AJP', '000100000001X', 'Cabecera')");
    ASSERT_TRUE(Posta("AJP", "000100000001X"));
    bloqueo.Confirma();
  }
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTE").toInt(), 1);
  EXPECT_EQ(Filas("TC = ' AJP'"), 4);
  EXPECT_EQ(Filas("TC = '  PE'"), 2);
}

TEST_F(FallasPosteo, ADatabaseLockedByAnotherWriterIsReportedAndCanBeRetried) {
  Connection otra;
  otra.Abre(ado::AbreSqlite(e.Ruta("prueba.db")), "otra");
  otra.Execute("BEGIN IMMEDIATE");
  gDatos.Conexion().SetCommandTimeout(0);
  Grilla("AJP");
  Linea("KIT", "1");
  e.ui().respuestasError = {4};  // retry once, then leave
  EXPECT_FALSE(Posta("AJP", "000100000001X"));
  EXPECT_TRUE(hayError);
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  EXPECT_EQ(e.ui().De("Error")[1].titulo, "ActualizaStock");
  otra.Execute("ROLLBACK");
  NadaEscrito();
  ASSERT_TRUE(Posta("AJP", "000100000001X"));
  EXPECT_EQ(Filas(), 3);
}

TEST_F(FallasPosteo, AFailureReportedByAProcedureItCallsEndsThePostingEvenWhenAnsweredGoOn) {
  Grilla("FC");
  Linea("TORNILLO", "2");
  Linea("KIT", "1");
  e.Sql("ALTER TABLE V_MA_INSUMOS RENAME TO V_MA_INSUMOS_VIEJA");
  e.ui().respuestasError = {5, 5, 5};
  EXPECT_FALSE(Posta("FC", "000100000001A"));
  EXPECT_TRUE(hayError);
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);  // reported once
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "IdArticuloTieneInsumos");
  NadaEscrito();
}

TEST_F(FallasPosteo, TwoUsersPostingAtOnceGetTheirOwnKeysAndLoseNoRow) {
  Lote("ACEITE", "1", "L1", 0.4);
  gDatos.Desconecta();
  const int cada = 40;
  QProcess a, b;
  const QString salida = e.Ruta("salida");
  a.start(POSTEADOR_STOCK, {e.Ruta("prueba.db"), QString::number(cada), "1", salida});
  b.start(POSTEADOR_STOCK, {e.Ruta("prueba.db"), QString::number(cada), "2", salida});
  for (int espera = 0; !(QFile::exists(salida + ".1") && QFile::exists(salida + ".2")) && espera < 600; ++espera)
    QThread::msleep(100);
  e.EscribeArchivo("salida", "");
  ASSERT_TRUE(a.waitForFinished(180000) && b.waitForFinished(180000));
  EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
  EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
  e.Inicia();
  // Each posting: 3 movements of its own, 3 of its "PE" voucher.
  EXPECT_EQ(Filas("TC = ' AJP'"), 2 * cada * 3);
  EXPECT_EQ(Filas("TC = '  PE'"), 2 * cada * 3);
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toInt(), 2 * cada);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM (SELECT 1 FROM V_MV_STOCK GROUP BY TC, IDCOMPROBANTE, SECUENCIA HAVING "
                    "COUNT(*) > 1)").toInt(),
            0);
  EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt(), 2 * cada + 1);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "*", "PE"), 2 * cada * 2.0 * 2);
}
