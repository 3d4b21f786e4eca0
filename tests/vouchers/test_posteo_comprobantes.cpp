// The stock posting of whole vouchers: transfers, production orders, the
// discharge of components as a "PE" voucher, the reception stamp of a
// purchase order, and the batch handed back to the caller.
#include <gtest/gtest.h>

#include <QFile>
#include <memory>
#include <vector>

#include "base_posteo.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "session/mod_global.h"
#include "support/traza_sentencias.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/stock.h"

namespace {

const QString S = "-1";
namespace col = ColArticulos;

class ComprobantesPosteo : public ConPosteo {
 protected:
  QString Texto(const QString& sql) { return e.Valor(sql).toString(); }
  int UltimoPE() { return e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'").toInt(); }
};

// The statements the program sends, counted from before it connects.
class SentenciasPosteo : public ComprobantesPosteo {
 protected:
  TrazaSentencias traza;
};

}  // namespace

TEST_F(ComprobantesPosteo, ATransferTakesLotsOutOfTheOriginAndPutsTheSameIntoTheDestination) {
  Grilla("TRP");
  Linea("ACEITE", "5",
        {{col::kNroLote, Lista({LoteSerie("L1"), LoteSerie("L2")})}, {col::kNroSerie, Lista({"3", "2"})}});
  Linea("TALADRO", "2",
        {{col::kPideSerie, S},
         {col::kNroLote, Lista({LoteSerie("", "S1"), LoteSerie("", "S2")})},
         {col::kNroSerie, Lista({"1", "1"})}});
  Linea("TORNILLO", "4", {{col::kDeposito, "3"}});  // out of its own warehouse
  ASSERT_TRUE(Posta("TRP", "000100000004X", "1", "2", true));
  for (const char* lote : {"L1", "L2"}) {
    EXPECT_DOUBLE_EQ(Saldo("ACEITE", "2", lote), -Saldo("ACEITE", "1", lote)) << lote;
    EXPECT_GT(Saldo("ACEITE", "2", lote), 0);
  }
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "2", "L1"), 3);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "2"), 5);
  EXPECT_EQ(Filas("IDARTICULO LIKE '%TALADRO' AND IDDEPOSITO = '   2' AND CANTIDAD = 1 AND NROSERIE IS NOT NULL"), 2);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "3"), -4);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "2"), 4);
  // Out: numbered first, naming the destination; in: naming where it came from.
  EXPECT_EQ(Texto("SELECT IDDEPOSITO_DESTINO FROM V_MV_STOCK WHERE SECUENCIA = 1"), "   2");
  EXPECT_EQ(Texto("SELECT IDDEPOSITO_DESTINO FROM V_MV_STOCK WHERE IDDEPOSITO = '   2' AND IDARTICULO LIKE "
                  "'%TORNILLO'"),
            "   3");
  EXPECT_EQ(e.Valor("SELECT MIN(SECUENCIA) FROM V_MV_STOCK WHERE CANTIDAD > 0").toInt(),
            e.Valor("SELECT MAX(SECUENCIA) FROM V_MV_STOCK WHERE CANTIDAD < 0").toInt() + 1);
  EXPECT_DOUBLE_EQ(e.Valor("SELECT SUM(CANTIDAD) FROM V_MV_STOCK").toDouble(), 0);

  // Without a destination nothing moves.
  const int antes = Filas();
  EXPECT_FALSE(Posta("TRP", "000100000005X", "1", "  ", true));
  EXPECT_TRUE(hayError);
  EXPECT_EQ(Filas(), antes);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("destino"));
}

TEST_F(ComprobantesPosteo, AProductionOrderBringsTheProductInAndTakesItsInputsOut) {
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, IDARTICULO, CANTIDAD) VALUES ('  OP', "
        "'000100000003X', 5, 'X', 0)");
  Grilla("OP");
  Linea("TORNILLO", "10", {{col::kCantidadInsumo, "-1"}});
  Linea("ACEITE", "2", {{col::kNroLote, Lista({LoteSerie("L1")})}, {col::kNroSerie, Lista({"2"})}});
  ASSERT_TRUE(Posta("OP", "000100000003X", "2"));
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "2"), 10);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "2", "L1"), -2);
  // It goes on after its stored rows (one number is skipped, as always).
  EXPECT_EQ(e.Valor("SELECT SECUENCIA FROM V_MV_STOCK WHERE IDARTICULO LIKE '%TORNILLO'").toInt(), 7);
  EXPECT_EQ(e.Valor("SELECT SECUENCIA FROM V_MV_STOCK WHERE IDARTICULO LIKE '%ACEITE'").toInt(), 8);
}

TEST_F(ComprobantesPosteo, ComponentsAreDischargedFromTheLotsOfTheWarehouseTheyLeave) {
  Lote("ACEITE", "1", "A2", 1);
  Lote("ACEITE", "1", "A1", 0.75);
  Lote("ACEITE", "2", "Z9", 50);  // another warehouse
  Grilla("FC");
  Linea("KIT", "4");
  Linea("KIT", "2");  // the lots the first line drew are no longer there
  Linea("TORNILLO", "1");
  Linea("KIT", "1", {{col::kDeposito, "2"}});  // out of another warehouse, drawn from its lots
  ASSERT_TRUE(Posta("FC", "000100000011A"));
  EXPECT_DOUBLE_EQ(Saldo("KIT", "1", "*", "FC"), -6);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "2", "Z9", "PE"), -0.5);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "2", "*", "PE"), -2);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "*", "PE"), -12);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "A1", "PE"), -0.75);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "A2", "PE"), -1);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "", "PE"), -1.25);  // what the lots did not cover
  // The first line: 2 and 0.5 per kit, numbered from 1, naming the sale.
  const QString pe = "TC = '  PE' AND IDCOMPROBANTE = '000100000001X'";
  EXPECT_EQ(Texto("SELECT CANTIDAD || ' ' || SECUENCIA || ' ' || TC_ORIGEN || IDCOMPROBANTE_ORIGEN || ' ' || "
                  "CONTROLADOPOR FROM V_MV_STOCK WHERE " + pe + " AND SECUENCIA = 1"),
            "-8.0 1   FC000100000011A KIT");
  // 8 screws, the oil from A1, A2 and what is missing; 4 screws, the oil
  // missing; 2 screws and the oil of Z9 in the other warehouse.
  EXPECT_EQ(Filas(pe), 4 + 2 + 2);
  EXPECT_EQ(Filas("CANTIDAD = 0"), 0);
  EXPECT_EQ(UltimoPE(), 2);  // the number used is recorded
  EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000002X");

  // Switched off: no "PE" voucher, no number.
  Config("DescargaInsumosProduccion", "si");
  ASSERT_TRUE(Posta("FC", "000100000012A"));
  EXPECT_EQ(Filas("TC = '  PE'"), 8);
  EXPECT_EQ(UltimoPE(), 2);
}

// A component's lots in a warehouse are read once per posting, not once per
// line that discharges it: a sale of 8 kit lines costs the statements of
// one of 2 such lines and one more per row it writes; and each line still
// draws what the earlier ones left.
TEST_F(SentenciasPosteo, AComponentsLotsAreReadOncePerPosting) {
  Lote("TORNILLO", "1", "L1", 3);
  Lote("TORNILLO", "1", "L2", 40);
  Lote("ACEITE", "1", "A1", 1);
  std::vector<long> sentencias, filas;
  for (const int lineas : {2, 8}) {
    SCOPED_TRACE(lineas);
    e.Sql("DELETE FROM V_MV_STOCK");
    Grilla("FC");
    for (int i = 0; i < lineas; ++i) Linea("KIT", "1");
    const long antes = TrazaSentencias::Cuenta();
    ASSERT_TRUE(Posta("FC", QString("0001000000%1A").arg(40 + lineas)));
    sentencias.push_back(TrazaSentencias::Cuenta() - antes);
    filas.push_back(Filas());
    // 2 screws and half a litre of oil a kit, first lot first.
    EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "L1", "PE"), -3);
    EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "L2", "PE"), -(2.0 * lineas - 3));
    EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "A1", "PE"), -1);
    EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "", "PE"), -(0.5 * lineas - 1));
  }
  // Each further line: its own row, and its screws from L2 and its oil
  // without lot in the "PE" voucher.
  EXPECT_EQ(filas[1] - filas[0], 6 * 3);
  EXPECT_EQ(sentencias[1] - sentencias[0], filas[1] - filas[0]);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(ComprobantesPosteo, ABlendIsTurnedIntoItsComponentsByPercentage) {
  Grilla("FC");
  Linea("R407C", "2",
        {{col::kInsumosPorPorcentaje, S}, {col::kCantidadUd, "10"}, {col::kDescripcion, "Gas R-407C (lata 1/2'')"},
         {col::kUnidad, "KG"}});
  Linea("KIT", "1");
  Linea("R407C", "0,1", {{col::kInsumosPorPorcentaje, ""}});  // not by percentage: 48 and 52 per unit
  ASSERT_TRUE(cptes->ActualizaStock(g, "FC", "000100000013A", "0", "2026-11-20", "1", QString(), QString(), QString(),
                                    QString(), false, "PorDefault", false, nullptr, &hayError));
  EXPECT_DOUBLE_EQ(Saldo("R407C", "1", "*", "FC"), -2.1);
  EXPECT_DOUBLE_EQ(Saldo("R407C", "1", "*", "PE"), 2);  // back, as its components
  EXPECT_DOUBLE_EQ(Saldo("R410A", "1", "*", "PE"), -4.8 - 4.8);
  EXPECT_DOUBLE_EQ(Saldo("R134A", "1", "*", "PE"), -5.2 - 5.2);
  EXPECT_EQ(Texto("SELECT DESCRIPCION FROM V_MV_STOCK WHERE TC = '  PE' AND CANTIDAD > 0"), "Gas R-407C (lata 1/2'')");
  EXPECT_EQ(Texto("SELECT CUENTAPROVEEDOR FROM V_MV_STOCK WHERE IDARTICULO LIKE '%R410A'"), "200003");
  EXPECT_TRUE(e.Valor("SELECT CUENTAPROVEEDOR FROM V_MV_STOCK WHERE TC = '  PE' AND IDARTICULO LIKE '%R407C'").isNull());
  EXPECT_EQ(Texto("SELECT CUENTAPROVEEDOR FROM V_MV_STOCK WHERE TC = '  PE' AND IDARTICULO LIKE '%TORNILLO'"), "200001");
  // One "PE" voucher for the whole sale.
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toInt(), 1);
}

TEST_F(ComprobantesPosteo, ATransferOfAKitDischargesTwiceUnderTwoKeys) {
  Grilla("TRP");
  Linea("KIT", "1");
  ASSERT_TRUE(Posta("TRP", "000100000020X", "1", "2", true));
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toInt(), 2);
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "2", "*", "PE"), 0);  // in and out of the destination
  EXPECT_EQ(Filas("TC = '  PE' AND IDDEPOSITO <> '   2'"), 0);
  EXPECT_EQ(UltimoPE(), 3);
  // As a batch too, though nothing is written before it runs.
  {
    TransaccionStock bloqueo;
    QString lote;
    ASSERT_TRUE(cptes->ActualizaStock(g, "TRP", "000100000021X", "0", "2026-11-20", "1", "2", QString(), QString(),
                                      QString(), true, QString(), true, &lote, &hayError));
    gDatos.Ejecuta(lote);
    bloqueo.Confirma();
  }
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toInt(), 4);
  EXPECT_EQ(Filas("TC = '  PE'"), 8);
  EXPECT_EQ(UltimoPE(), 5);
  // The last number there is goes to the first discharge: the second has
  // none left, at once or as a batch, and nothing is posted. (A book
  // numbered outside the program records nothing, so the keys in use are
  // all that counts.)
  e.Sql("UPDATE V_TA_CPTE SET EXTERNO = 1, X_ULTIMO_NRO = 0 WHERE CODIGO = '  PE'");
  e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, CANTIDAD) VALUES ('  PE', '000199999998X', 1, 1)");
  for (bool enLote : {false, true}) {
    SCOPED_TRACE(enLote);
    const int antes = Filas();
    e.ui().llamadas.clear();
    TransaccionStock bloqueo;
    QString lote;
    EXPECT_FALSE(cptes->ActualizaStock(g, "TRP", "000100000022X", "0", "2026-11-20", "1", "2", QString(), QString(),
                                       QString(), true, QString(), enLote, &lote, &hayError));
    EXPECT_EQ(lote, "");
    bloqueo.Confirma();
    EXPECT_EQ(Filas(), antes);
    ASSERT_FALSE(e.ui().De("MsgBox").empty());
    EXPECT_TRUE(e.ui().De("MsgBox").back().texto.contains("está completo"));
  }
  EXPECT_EQ(Filas("LENGTH(IDCOMPROBANTE) <> 13"), 0);
  // One number more: the two discharges take the last two, as a batch too
  // (where the second is given the first one's number and takes the next).
  for (bool enLote : {false, true}) {
    SCOPED_TRACE(enLote);
    e.Sql("DELETE FROM V_MV_STOCK WHERE IDCOMPROBANTE > '000199999990X'");
    e.Sql("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA, CANTIDAD) VALUES ('  PE', '000199999997X', 1, 1)");
    e.ui().llamadas.clear();
    TransaccionStock bloqueo;
    QString lote;
    ASSERT_TRUE(cptes->ActualizaStock(g, "TRP", "000100000023X", "0", "2026-11-20", "1", "2", QString(), QString(),
                                      QString(), true, QString(), enLote, &lote, &hayError));
    if (enLote) gDatos.Ejecuta(lote);
    bloqueo.Confirma();
    EXPECT_EQ(Filas("TC = '  PE' AND IDCOMPROBANTE = '000199999998X'"), 2);
    EXPECT_EQ(Filas("TC = '  PE' AND IDCOMPROBANTE = '000199999999X'"), 2);
    EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  }
}

// Postings under one lock never share a key or a sequence, whether each
// runs at once or hands its batch back to be run later, inside locks joined
// to it or not: a key or sequence handed out counts before it is written,
// and one handed out under a joined lock that is taken back is free again.
// Each book then ends past the last key used, and each number used keeps
// its reservation. Steps: L a sale of a kit as a batch, I the same at once,
// O a batch of one production order (always the same one), ( a joined lock,
// ) its batches run and the lock confirmed, ] the lock confirmed and its
// batches handed to the lock around it, ! the joined lock taken back with
// its batches unrun.
TEST_F(ComprobantesPosteo, PostingsUnderOneLockShareNoKeyOrSequence) {
  struct Caso {
    const char* pasos;
    int descargas;  // "PE" vouchers that stay
  };
  const Caso casos[] = {{"LL", 2},     {"LI", 2},       {"IL", 2},      {"LIL", 3},     {"L(L)L", 3},
                        {"L(IL)I", 4}, {"L(L!L", 2},    {"L(I!L", 2},   {"(L)(L)", 2},  {"OO", 2},
                        {"OIO", 3},    {"LOL(O)", 4},   {"L(L]L", 3},   {"(L(I]L]I", 4}};
  // The book reserves every number used.
  e.Sql("UPDATE V_TA_CPTE SET SISTEMA = 'Contable' WHERE CODIGO = '  PE'");
  int numero = 100;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.pasos);
    e.Sql("DELETE FROM V_MV_STOCK");
    e.Sql("DELETE FROM V_MV_CTROL_CPTE");
    e.Sql("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0 WHERE CODIGO = '  PE'");
    auto posta = [&](char tipo, QString* lote) {
      const bool orden = tipo == 'O';
      Grilla(orden ? "OP" : "FC");
      if (orden) Linea("KIT", "1", {{col::kCantidadInsumo, "-1"}});
      Linea(orden ? "ACEITE" : "KIT", "1");
      const QString clave = orden ? QString("000100000009X") : QString("0001000%1A").arg(++numero, 5, 10, QChar('0'));
      return cptes->ActualizaStock(g, orden ? "OP" : "FC", clave, "0", "2026-11-20", "1", QString(), QString(),
                                   QString(), QString(), false, "NULL", lote != nullptr, lote, &hayError);
    };
    struct Nivel {
      std::unique_ptr<TransaccionStock> bloqueo = std::make_unique<TransaccionStock>();
      QStringList lotes;
      void Corre() {
        for (const QString& l : lotes) gDatos.Ejecuta(l);
        bloqueo->Confirma();
      }
    };
    std::vector<Nivel> niveles(1);
    for (const char* p = c.pasos; *p; ++p) {
      QString lote;
      switch (*p) {
        case 'L':
        case 'O':
          ASSERT_TRUE(posta(*p, &lote));
          niveles.back().lotes << lote;
          break;
        case 'I': ASSERT_TRUE(posta(*p, nullptr)); break;
        case '(': niveles.emplace_back(); break;
        case ')': niveles.back().Corre(); niveles.pop_back(); break;
        case ']': {
          niveles.back().bloqueo->Confirma();
          const QStringList lotes = niveles.back().lotes;
          niveles.pop_back();
          niveles.back().lotes << lotes;
          break;
        }
        case '!': niveles.pop_back(); break;
      }
    }
    niveles.back().Corre();
    niveles.clear();
    EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM (SELECT 1 FROM V_MV_STOCK GROUP BY TC, IDCOMPROBANTE, SECUENCIA HAVING "
                      "COUNT(*) > 1)").toInt(), 0);
    // One "PE" voucher a posting, numbered from the book's first number on.
    EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'").toInt(), c.descargas);
    EXPECT_EQ(Texto("SELECT MAX(IDCOMPROBANTE) FROM V_MV_STOCK WHERE TC = '  PE'"),
              QString("0001%1X").arg(c.descargas, 8, 10, QChar('0')));
    EXPECT_EQ(UltimoPE(), c.descargas + 1);
    EXPECT_EQ(Texto("SELECT GROUP_CONCAT(NUMERO, ' ') FROM (SELECT NUMERO FROM V_MV_CTROL_CPTE WHERE TC = '  PE' "
                    "ORDER BY NUMERO)"),
              QStringList({"00000001", "00000002", "00000003", "00000004"}).mid(0, c.descargas).join(' '));
    EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "*", "PE"), -2.0 * c.descargas);
    EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  }
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ComprobantesPosteo, ATransferOfAKitLeavesEveryComponentLotAsItWas) {
  Lote("TORNILLO", "2", "T1", 3);
  Lote("TORNILLO", "2", "T2", 5);
  Lote("ACEITE", "2", "A1", 0.75);
  struct Caso {
    QStringList kits;  // the lines of the transfer
    bool enLote;
  };
  const Caso casos[] = {{{"1"}, false}, {{"1"}, true},           {{"2"}, false},
                        {{"2"}, true},  {{"1", "1", "1"}, false}, {{"1", "1", "1"}, true}};
  int numero = 30;
  for (const Caso& c : casos) {
    const QString clave = QString("00010000%1X").arg(++numero, 4, 10, QChar('0'));
    SCOPED_TRACE(clave.toStdString());
    e.Sql("DELETE FROM V_MV_STOCK");
    double kits = 0;
    Grilla("TRP");
    for (const QString& q : c.kits) {
      Linea("KIT", q);
      kits += q.toDouble();
    }
    if (c.enLote) {
      TransaccionStock bloqueo;
      QString lote;
      ASSERT_TRUE(cptes->ActualizaStock(g, "TRP", clave, "0", "2026-11-20", "1", "2", QString(), QString(), QString(),
                                        true, QString(), true, &lote, &hayError));
      gDatos.Ejecuta(lote);
      bloqueo.Confirma();
    } else {
      ASSERT_TRUE(Posta("TRP", clave, "1", "2", true));
    }
    // The components went in and out of lots of the destination...
    EXPECT_GT(Filas("TC = '  PE' AND IDCOMPROBANTE_ORIGEN = '" + clave + "' AND NROLOTE IS NOT NULL"), 0);
    // ...and every lot of every article ends as it was, but the kit's own
    // move from 1 to 2.
    EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM (SELECT 1 FROM V_MV_STOCK WHERE IDARTICULO NOT LIKE '%KIT' GROUP BY "
                      "IDARTICULO, IDDEPOSITO, NROLOTE HAVING ABS(SUM(CANTIDAD)) > 0.00005)")
                  .toInt(),
              0);
    EXPECT_DOUBLE_EQ(Saldo("KIT", "1"), -kits);
    EXPECT_DOUBLE_EQ(Saldo("KIT", "2"), kits);
    EXPECT_NEAR(e.Valor("SELECT SUM(CANTIDAD) FROM V_MV_STOCK").toDouble(), 0, 0.00005);
  }
}

TEST_F(ComprobantesPosteo, TheLinesOfOnePostingDrawAComponentLotNoMoreThanItHolds) {
  // Screws: 2 per kit, from lot T1 of warehouse 1; what T1 cannot give is
  // the movement without lot.
  struct Caso {
    double t1;
    QStringList kits;
    double deT1, sinLote;
  };
  const Caso casos[] = {
      {2, {"1", "1", "1"}, 2, 4}, {5, {"1", "1", "1"}, 5, 1}, {5, {"1", "2"}, 5, 1}, {9, {"1", "1", "1"}, 6, 0}};
  for (const Caso& c : casos) {
    e.Sql("DELETE FROM V_MV_STOCK");
    e.Sql("DELETE FROM STK_SERIES_Y_LOTES");
    Lote("TORNILLO", "1", "T1", c.t1);
    Grilla("FC");
    for (const QString& q : c.kits) Linea("KIT", q);
    ASSERT_TRUE(Posta("FC", "000100000050A"));
    SCOPED_TRACE(c.t1);
    EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "T1", "PE"), -c.deT1);
    EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "", "PE"), -c.sinLote);
  }
}

TEST_F(ComprobantesPosteo, APurchaseInvoiceStampsItsOrderOnce) {
  e.Sql("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA, FECHA) VALUES ('  OC', '000100000042X', '200001', "
        "'2026-11-01'), ('  OC', '000100000043X', '200001', '2026-11-01')");
  auto recepcion = [&](const QString& clave) {
    return Texto("SELECT FECHARECEPCION FROM C_MV_CPTE WHERE IDCOMPROBANTE = '" + clave + "'");
  };
  auto factura = [&](const QString& tc, const QString& origen, const QString& fecha) {
    Grilla(tc);
    Linea("TORNILLO", "1");
    return cptes->ActualizaStock(g, tc, "000300000001A", "0", fecha, "1", QString(), QString(), " oc ", origen, false,
                                 "'200001'", false, nullptr, &hayError);
  };
  ASSERT_TRUE(factura("FCC", "000100000042X", "2026-11-10"));
  EXPECT_TRUE(recepcion("000100000042X").startsWith("2026-11-10"));
  ASSERT_TRUE(factura("RMC", "000100000042X", "2026-11-15"));
  EXPECT_TRUE(recepcion("000100000042X").startsWith("2026-11-10"));  // the first one only
  EXPECT_EQ(Texto("SELECT CUENTAPROVEEDOR FROM V_MV_STOCK WHERE TC = ' RMC'"), "200001");
  EXPECT_TRUE(e.Valor("SELECT IDCOMPLEMENTO FROM V_MV_STOCK WHERE TC = ' RMC'").isNull());  // purchases
  Config("IR_Oblig", "SI");  // a reception report must stamp it instead
  ASSERT_TRUE(factura("FCC", "000100000043X", "2026-11-10"));
  EXPECT_TRUE(recepcion("000100000043X").isEmpty());
  // A grid without lines still stamps.
  Config("IR_Oblig", "NO");
  Grilla("FCC");
  ASSERT_TRUE(cptes->ActualizaStock(g, "FCC", "000300000002A", "0", "2026-11-12", "1", QString(), QString(), "OC",
                                    "000100000043X"));
  EXPECT_TRUE(recepcion("000100000043X").startsWith("2026-11-12"));
}

TEST_F(ComprobantesPosteo, ABatchRunsNothingAndRunsLaterToTheSameRows) {
  // The same database twice: one posting at once, the other as a batch.
  e.Sql("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA) VALUES ('  OC', '000100000042X', '200001')");
  e.Sql("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES ('  PE', '0001', '00000001', 'X')");
  Lote("ACEITE", "1", "A1", 0.3);
  Config("ConfirmaUDEquiv", "SI");
  gDatos.Desconecta();
  ASSERT_TRUE(QFile::copy(e.Ruta("prueba.db"), e.Ruta("lote.db")));
  auto carga = [&] {
    Grilla("RMC");
    Linea("KIT", "3");
    Linea("ACEITE", "2,5", {{col::kNroLote, Lista({"L'1", "L2"})}, {col::kUdEquiv, "KG"}, {col::kCantidadEquiv, "2"}});
    Linea("R407C", "1", {{col::kInsumosPorPorcentaje, S}});
    Linea("TORNILLO", "1");
    // A NUL character in every text cell a movement takes as it is.
    const QString nul(QChar(0));
    Linea("LLAVE", "2",
          {{col::kDescripcion, "Llave" + nul + "1/2"}, {col::kUnidad, "U" + nul}, {col::kLoteOrigen, nul + "OR"},
           {col::kLoteAduana, "AD" + nul + "U"}, {col::kNroLote, Lista({"N" + nul + "1", nul + nul})}});
  };
  auto posta = [&](bool enLote, QString* sql) {
    return cptes->ActualizaStock(g, "RMC", "000200000001R", "0", "2026-11-20", "1", QString(), QString(), "OC",
                                 "000100000042X", false, "PorDefault", enLote, sql, &hayError);
  };
  auto estado = [&] {
    return QStringList{Texto("SELECT FECHARECEPCION FROM C_MV_CPTE"),
                       Texto("SELECT COUNT(*) FROM V_MV_CTROL_CPTE"), QString::number(UltimoPE())};
  };

  e.Inicia();
  carga();
  ASSERT_TRUE(posta(false, nullptr));
  const QStringList deUnaVez = Volcado(), estadoDeUnaVez = estado();
  ASSERT_GT(deUnaVez.size(), 6);
  const QString conNul = "SELECT COUNT(*) FROM V_MV_STOCK WHERE instr(DESCRIPCION, char(0)) AND instr(IDUNIDAD, "
                         "char(0)) AND instr(IDORIGEN, char(0)) AND instr(CONTROLADOPOR, char(0))";
  EXPECT_EQ(e.Valor(conNul).toInt(), 2);
  EXPECT_EQ(Filas("instr(NROLOTE, char(0))"), 0);  // lots never hold one

  gDatos.Desconecta();
  e.Inicia("lote.db");
  carga();
  const QStringList antes = estado();
  QString lote = "UPDATE V_MA_ARTICULOS SET COSTO = COSTO WHERE 1 = 0";  // the caller's own statement stays first
  {
    TransaccionStock bloqueo;  // held around the call and the run of the batch
    ASSERT_TRUE(posta(true, &lote));
    EXPECT_EQ(Filas(), 0);
    EXPECT_EQ(estado(), antes);  // not even the stamp, the reservation or the book
    EXPECT_TRUE(lote.startsWith("UPDATE V_MA_ARTICULOS SET COSTO = COSTO WHERE 1 = 0\rUPDATE c_mv_cpte"));
    EXPECT_TRUE(lote.contains("\rINSERT INTO V_MV_STOCK(TC,IdComprobante,Secuencia,Fecha,IdCaja,IdDeposito,"));
    gDatos.Ejecuta(lote);
    bloqueo.Confirma();
  }
  EXPECT_EQ(Volcado(), deUnaVez);
  EXPECT_EQ(e.Valor(conNul).toInt(), 2);
  EXPECT_EQ(estado(), estadoDeUnaVez);
  EXPECT_FALSE(hayError);

  // Without the text to append to, nothing is handed back and it says so.
  EXPECT_FALSE(posta(true, nullptr));
  EXPECT_TRUE(hayError);
}
