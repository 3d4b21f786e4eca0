// The stock posting of a voucher's article lines: one movement per line, lot,
// serial or size, with the quantities adding up to each line's quantity, and
// the columns a movement takes from its line and from the call.
#include <gtest/gtest.h>

#include "base_posteo.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "session/mod_global.h"
#include "support/traza_sentencias.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

const QString S = "-1";  // a flag cell that is on
namespace col = ColArticulos;

// The statements the program sends are kept from before it connects.
class LineasPosteo : public ConPosteo {
 protected:
  TrazaSentencias traza;
};

// The value that each INSERT of a movement among the statements gives a
// column, in order, without its quotes.
QStringList ValoresDe(const QStringList& sentencias, const QString& columna) {
  QStringList r;
  for (const QString& s : sentencias) {
    if (!s.startsWith("INSERT INTO V_MV_STOCK(")) continue;
    const qsizetype abre = s.indexOf('('), valores = s.indexOf(") VALUES (");
    const QStringList columnas = s.mid(abre + 1, valores - abre - 1).split(',');
    QStringList v{QString()};
    bool entreComillas = false;
    for (const QChar c : s.mid(valores + 10).chopped(1)) {
      if (c == '\'') entreComillas = !entreComillas;
      else if (c == ',' && !entreComillas) v << QString();
      else v.back() += c;
    }
    const qsizetype i = columnas.indexOf(columna);
    r << (i >= 0 && i < v.size() ? v[i].trimmed() : QString("(sin %1)").arg(columna));
  }
  return r;
}

}  // namespace

TEST_F(LineasPosteo, IncomingLinesPostOneMovementPerLotSerialAndSize) {
  Grilla("AJP");
  Linea("TORNILLO", "3");
  Linea("ACEITE", "3", {{col::kNroLote, Lista({"L1", "L2", "L3"})}});
  Linea("ACEITE", "4", {{col::kNroLote, Lista({"L4", "L4"})}});          // one lot repeated
  Linea("TALADRO", "2", {{col::kPideSerie, S}, {col::kNroSerie, Lista({"S1", "S2"})}});
  Linea("GUANTE", "5",
        {{col::kPideTalle, S},
         {col::kNroLote, Lista({"40-AZUL-M", "42-AZUL-M"})},
         {col::kNroSerie, Lista({"2", "3"})}});
  Linea("ACEITE", "5", {{col::kNroLote, Lista({"L5", "L6"})}});          // shorter than the quantity
  Linea("ACEITE", "2,5", {{col::kNroLote, Lista({"L7", "L8", "L9"})}});  // fractional, decimal comma
  Linea("   ", "7");                                                      // blanks only: skipped
  Linea("TORNILLO", "0");
  Linea("TORNILLO", "");
  Linea("ACEITE", "6", {{col::kPerecedero, S}, {col::kNroLote, "V2611"}});  // perishable, lot as typed
  Linea("TORNILLO", "-2");
  // Empty flag cells are off: no sizes, no serial walk, no perishable lot.
  Linea("GUANTE", "2", {{col::kPideTalle, ""}, {col::kNroLote, Lista({"38-GRIS-M", "39-GRIS-M"})}});
  Linea("TALADRO", "2", {{col::kPideSerie, ""}, {col::kNroSerie, Lista({"S9", "S9"})}});
  Linea("TORNILLO", "1", {{col::kPerecedero, ""}, {col::kNroLote, "V9"}});
  Linea("ACEITE", "2", {{col::kNroLote, Lista({"LX", "lx"})}});  // one lot in two cases
  Linea("ACEITE", "3",  // serial cells left empty
        {{col::kNroLote, Lista({"A1", "A2", "A3"})}, {col::kNroSerie, Lista({"-", "-", "-"})}});
  Linea("TALADRO", "2",  // one lot, two serials
        {{col::kNroLote, Lista({"T1", "T1"})}, {col::kNroSerie, Lista({"S1", "S2"})}});
  ASSERT_TRUE(Posta("AJP", "000100000001X"));
  EXPECT_FALSE(hayError);

  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", ""), 3 - 2 + 1);
  for (const char* l : {"L1", "L2", "L3", "L5", "L6", "L7", "L8"}) EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", l), 1) << l;
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "L4"), 4);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "L9"), 0.5);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", ""), 3);  // what the short list left
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "V2611"), 6);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "LX"), 2);
  EXPECT_EQ(Filas("NROLOTE LIKE '%LX'"), 1);
  for (const char* l : {"A1", "A2", "A3"}) EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", l), 1) << l;
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1"), 3 + 4 + 5 + 2.5 + 6 + 2 + 3);
  EXPECT_EQ(Filas("NROSERIE IS NOT NULL AND CANTIDAD = 1 AND IDARTICULO LIKE '%TALADRO'"), 2 + 2);
  EXPECT_DOUBLE_EQ(Saldo("TALADRO", "1"), 6);
  EXPECT_EQ(Filas("IDARTICULO LIKE '%TALADRO' AND NROLOTE LIKE '%T1' AND CANTIDAD = 1"), 2);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "40-AZUL-M"), 2);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "42-AZUL-M"), 3);
  EXPECT_EQ(Filas("NROSERIE IS NOT NULL AND IDARTICULO LIKE '%GUANTE'"), 0);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "38-GRIS-M"), 1);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "39-GRIS-M"), 1);
  EXPECT_EQ(Filas("NROSERIE LIKE '%S9' AND CANTIDAD = 2"), 1);
  EXPECT_EQ(Filas("NROLOTE LIKE '%V9'"), 0);
  // 1 + 3 + 1 + 2 + 2 + 3 + 3 + 1 + 1 + 2 + 1 + 1 + 1 + 3 + 2 movements, numbered without gaps.
  EXPECT_EQ(Filas(), 27);
  EXPECT_EQ(e.Valor("SELECT COUNT(DISTINCT SECUENCIA) FROM V_MV_STOCK WHERE SECUENCIA BETWEEN 1 AND 27").toInt(), 27);
  EXPECT_EQ(Filas("CANTIDAD = 0 OR NROLOTE LIKE '%' || char(0) || '%'"), 0);
  EXPECT_EQ(e.ui().Cuenta("MsgBox") + e.ui().Cuenta("Error"), 0);
}

TEST_F(LineasPosteo, AFixedLotStandsForTheMissingLotOfPlainIncomingLinesOnly) {
  auto posta = [&](const QString& tc, const QString& clave) {
    return cptes->ActualizaStock(g, tc, clave, "0", "2026-11-20", "1", QString(), QString(), QString(), QString(),
                                 false, "NULL", false, nullptr, &hayError, QString(), " LF ");
  };
  Grilla("AJP");
  Linea("TORNILLO", "3");
  Linea("ACEITE", "3", {{col::kNroLote, Lista({"L1", "L2"})}});                          // one unit without lot
  Linea("TALADRO", "2", {{col::kPideSerie, S}, {col::kNroSerie, Lista({"S1", "S2"})}});  // serials without lot
  Linea("GUANTE", "3",  // a size is no lot
        {{col::kPideTalle, S}, {col::kNroLote, Lista({"40-AZUL-M"})}, {col::kNroSerie, Lista({"1"})}});
  Linea("ACEITE", "2", {{col::kPerecedero, S}});                                        // perishable, no lot
  Linea("ACEITE", "4", {{col::kPerecedero, S}, {col::kNroLote, "V1"}});                 // perishable, its own
  Linea("ACEITE", "3", {{col::kPerecedero, S}, {col::kNroLote, Lista({"P1", "P2"})}});  // and one unit without
  ASSERT_TRUE(posta("AJP", "000100000001X"));
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "LF"), 3);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "LF"), 1);
  EXPECT_DOUBLE_EQ(Saldo("TALADRO", "1", "LF"), 2);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", ""), 2);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", ""), 2 + 1);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "V1"), 4);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "P2"), 1);
  EXPECT_EQ(Filas("NROLOTE LIKE '%LF' AND IDARTICULO NOT LIKE '%TORNILLO' AND IDARTICULO NOT LIKE '%TALADRO' "
                  "AND CANTIDAD <> 1"),
            0);
  // Stock going out carries the lots it was given, never the fixed one.
  Grilla("FC");
  Linea("TORNILLO", "1");
  ASSERT_TRUE(posta("FC", "000100000001A"));
  EXPECT_DOUBLE_EQ(Saldo("TORNILLO", "1", "", "FC"), -1);
}

TEST_F(LineasPosteo, APostedLineIsLeftAsItsCallerReadsItBack) {
  // The equivalent unit at its code width and the weighed flag never empty,
  // on the lines that were posted, run at once or as a batch.
  for (bool enLote : {false, true}) {
    SCOPED_TRACE(enLote);
    Grilla("AJP");
    Linea("TORNILLO", "1", {{col::kUdEquiv, " caj "}});
    Linea("ACEITE", "1", {{col::kPesable, S}});
    Linea("GUANTE", "1", {{col::kPesable, "  "}});
    Linea("TALADRO", "0", {{col::kUdEquiv, "x"}});  // not posted
    QString lote;
    ASSERT_TRUE(cptes->ActualizaStock(g, "AJP", enLote ? "000100000002X" : "000100000001X", "0", "2026-11-20", "1",
                                      QString(), QString(), QString(), QString(), false, "NULL", enLote, &lote,
                                      &hayError));
    EXPECT_EQ(g->TextMatrix(1, col::kUdEquiv), " caj");
    EXPECT_EQ(g->TextMatrix(1, col::kPesable), "0");
    EXPECT_EQ(g->TextMatrix(2, col::kUdEquiv), "    ");
    EXPECT_EQ(g->TextMatrix(2, col::kPesable), S);
    EXPECT_EQ(g->TextMatrix(3, col::kPesable), "0");
    EXPECT_EQ(g->TextMatrix(4, col::kUdEquiv), "x");
    EXPECT_EQ(g->TextMatrix(4, col::kPesable), "");
  }
}

TEST_F(LineasPosteo, OutgoingLinesTakeTheLotsAndQuantitiesTheyWereGiven) {
  Grilla("FC");
  Linea("ACEITE", "4",
        {{col::kNroLote, Lista({LoteSerie("L1"), LoteSerie("L2")})}, {col::kNroSerie, Lista({"4", "0"})}});
  Linea("TALADRO", "2",
        {{col::kPideSerie, S},
         {col::kNroLote, Lista({LoteSerie("", "S1"), LoteSerie("", "S2")})},
         {col::kNroSerie, Lista({"1", "1"})}});
  Linea("ACEITE", "3");  // after a line with lots: no lot
  // A size is the lot of its movement and carries no serial, not even one
  // its entry holds.
  Linea("GUANTE", "4",
        {{col::kPideTalle, S},
         {col::kNroLote, Lista({LoteSerie("40-AZUL-M"), "44-GRIS-F", LoteSerie("46-NEGRO-L", "S7")})},
         {col::kNroSerie, Lista({"1", "2", "1"})}});
  Linea("ACEITE", "6",
        {{col::kNroLote, Lista({LoteSerie("L1"), LoteSerie("L2")})}, {col::kNroSerie, Lista({"1,5", "2"})}});
  Linea("ACEITE", "1",
        {{col::kNroLote, Lista({LoteSerie("L3"), LoteSerie("L3"), LoteSerie("L1")})},
         {col::kNroSerie, Lista({"0,25", "0,25", "0,5"})}});
  ASSERT_TRUE(Posta("FC", "000100000007A"));

  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "L1"), -4 - 1.5 - 0.5);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "L2"), -2);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", "L3"), -0.5);  // every entry, also a repeated one
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1", ""), -3 - 2.5);
  EXPECT_DOUBLE_EQ(Saldo("ACEITE", "1"), -(4 + 3 + 6 + 1));
  EXPECT_EQ(Filas("IDARTICULO LIKE '%TALADRO' AND NROLOTE IS NULL AND CANTIDAD = -1 AND NROSERIE IN "
                  "('                       S1', '                       S2')"),
            2);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "40-AZUL-M"), -1);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "44-GRIS-F"), -2);
  EXPECT_DOUBLE_EQ(Saldo("GUANTE", "1", "46-NEGRO-L"), -1);
  EXPECT_EQ(Filas("IDARTICULO LIKE '%GUANTE' AND NROSERIE IS NOT NULL"), 0);
  EXPECT_EQ(Filas("NROLOTE LIKE '%' || char(255) || '%'"), 0);
  EXPECT_EQ(Filas(), 1 + 2 + 1 + 3 + 3 + 3);
  EXPECT_EQ(e.Valor("SELECT MAX(SECUENCIA) FROM V_MV_STOCK").toInt(), Filas());
}

TEST_F(LineasPosteo, MovementsTakeTheirColumnsFromTheLineAndTheCall) {
  Config("ConfirmaUDEquiv", "SI");
  gCaja = "0001";
  Grilla("FC");
  Linea("LLAVE", "2",
        {{col::kDescripcion, "Llave 1/2'' stillson"}, {col::kUnidad, "UN"}, {col::kDeposito, "2"},
         {col::kUdEquiv, "CAJ"}, {col::kCantidadEquiv, "0,5"}, {col::kPorcDto, "5"}, {col::kImporte, "1.234,50"},
         {col::kNroLote, Lista({LoteSerie("O'Brien"), LoteSerie("B2")})}, {col::kNroSerie, Lista({"1", "1"})},
         {col::kCpteOrigen, "FC  000100000099A"}, {col::kIdCpteOrigen, "7"}, {col::kCosto, "800"},
         {col::kImpuestos, ""}, {col::kIvaRni, "2,5"}, {col::kCoeficiente, "1"}, {col::kIdInsert, "3"}});
  Linea("ACEITE", "3",
        {{col::kUnidad, "LT"}, {col::kEsExento, "-1"}, {col::kTasaIva, ""}, {col::kLoteAduana, "ADU-7"},
         {col::kPesable, S}, {col::kUnidadBase, "KG"}, {col::kCantidadUd, "2,7"}});
  Linea("TORNILLO", "1",  // not weighed
        {{col::kTasaIva, "10,5"}, {col::kUnidadBase, "UN"}, {col::kCantidadUd, "9"}, {col::kPesable, ""}});
  ASSERT_TRUE(cptes->ActualizaStock(g, "FC", "000100000099A", "3", "2026-11-20", "1", QString(), "  ", "ELDELGRID",
                                    "eldelgrid", false, "PorDefault", false, nullptr, &hayError, "null", QString(),
                                    "ADU-1", "2"));
  auto fila = [&](int secuencia, const QString& columnas) {
    Recordset rs;
    gDatos.AbreRecordset("SELECT " + columnas + " FROM V_MV_STOCK WHERE SECUENCIA = " + QString::number(secuencia), rs);
    QStringList r;
    for (int i = 0; i < rs.FieldCount(); ++i) r << (rs.Fields(i).IsNull() ? "NULL" : rs.Fields(i).Value().toString());
    return r;
  };
  const QString cols = "TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDCAJA, IDDEPOSITO, DESCRIPCION, NROLOTE, CONTROLADOPOR, "
                       "IDORIGEN, IDUNIDAD, CANTIDAD, CANTIDADUD, IDUNIDADBASE, CUENTAPROVEEDOR, IDMOTIVOSTOCK, "
                       "PRECIOVENTA, COSTO, DTOITEM, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, ID_ORIGEN, IVARI, IVARNI, "
                       "IDTECNICO, EQUIV_UDBASE, IDINSERT";
  EXPECT_EQ(fila(1, cols), (QStringList{"  FC", "000100000099A", "3", "0001", "   2", "Llave 1/2 stillson",
                                        QString(18, ' ') + "O'Brien", "ADU-1", "   2", "  UN", "-1", "-0.25", " CAJ",
                                        "NULL", "NULL", "1234.5", "800", "5", "  FC", "000100000099A", "7", "21",
                                        "2.5", "NULL", "1", "3"}));
  EXPECT_EQ(fila(2, "NROLOTE, CANTIDAD, CANTIDADUD"), (QStringList{QString(23, ' ') + "B2", "-1", "-0.25"}));
  // An exempt line has no VAT; a weighed one carries its weight, with the sign.
  EXPECT_EQ(fila(3, "IDDEPOSITO, CONTROLADOPOR, IVARI, CANTIDAD, CANTIDADUD, IDUNIDADBASE, CUENTAPROVEEDOR, TC_ORIGEN"),
            (QStringList{"   1", "ADU-7", "0", "-3", "-2.7", "  KG", "200002", "NULL"}));
  EXPECT_EQ(fila(4, "IVARI, CUENTAPROVEEDOR, CANTIDADUD, IDUNIDADBASE"), (QStringList{"10.5", "200001", "0", "NULL"}));
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);

  // Quantities and amounts reach the statement as the decimal typed, rounded
  // once at the fourth decimal, half away from zero, never through a double:
  // bound at once, as their literal in a batch. One line per case.
  const struct {
    int columna;
    const char* texto;
    const char* campo;
    const char* valor;
  } decimales[] = {
      {col::kCantidad, "922337203685477,5807", "Cantidad", "922337203685477.5807"},  // the currency's maximum
      {col::kCantidad, "0,00015", "Cantidad", "0.0002"},
      {col::kImporte, "9999999999999,9999", "PrecioVenta", "9999999999999.9999"},
      {col::kCosto, "1234567890123.4568", "Costo", "1234567890123.4568"},
      {col::kImpuestos, "0,00015", "Impuestos", "0.0002"},
      {col::kPorcDto, "-0,00005", "DtoItem", "-0.0001"},
      {col::kTasaIva, "10,12345", "IVARI", "10.1235"},
      {col::kIvaRni, "1.234,5", "IVARNI", "1234.5"},
      {col::kIdCpteOrigen, "-922337203685477.5807", "Id_Origen", "-922337203685477.5807"},
      {col::kCantidadEquiv, "0,00015", "CantidadUD", "0.0002"},
      {col::kCoeficiente, "1234567890123,4567891", "EQUIV_UDBASE", "1234567890123.4567891"},  // as typed
  };
  auto carga = [&] {
    Grilla("AJP");
    for (const auto& d : decimales)
      Linea("TORNILLO", d.columna == col::kCantidad ? d.texto : "1", {{d.columna, d.texto}});
  };
  QString lote;
  carga();
  ASSERT_TRUE(cptes->ActualizaStock(g, "AJP", "000100000100X", "0", "2026-11-20", "1", QString(), QString(), QString(),
                                    QString(), false, "NULL", true, &lote, &hayError));
  const QStringList enLote = lote.split('\r');
  carga();
  TrazaSentencias::Guarda(true);
  ASSERT_TRUE(Posta("AJP", "000100000101X"));
  TrazaSentencias::Guarda(false);
  const QStringList deUnaVez = TrazaSentencias::Textos();
  for (size_t i = 0; i < std::size(decimales); ++i) {
    const auto& d = decimales[i];
    SCOPED_TRACE(std::string(d.campo) + " " + d.texto);
    EXPECT_EQ(ValoresDe(enLote, d.campo).value(i), d.valor);
    EXPECT_EQ(ValoresDe(deUnaVez, d.campo).value(i), d.valor);
  }
  EXPECT_EQ(e.ui().Cuenta("MsgBox") + e.ui().Cuenta("Error"), 0);
}

TEST_F(LineasPosteo, ALineQuantityInAnotherUnitIsSharedByItsMovements) {
  Config("ConfirmaUDEquiv", "SI");
  Grilla("AJP");
  Linea("ACEITE", "3", {{col::kUdEquiv, "KG"}, {col::kCantidadEquiv, "2"}, {col::kNroLote, Lista({"L1", "L2", "L3"})}});
  Linea("GUANTE", "3",
        {{col::kPideTalle, S}, {col::kUdEquiv, "PAR"}, {col::kCantidadEquiv, "1,5"},
         {col::kNroLote, Lista({"40-AZUL-M", "42-AZUL-M"})}, {col::kNroSerie, Lista({"1", "2"})}});
  ASSERT_TRUE(Posta("AJP", "000100000002X"));
  auto ud = [&](const QString& articulo) {
    return e.Valor("SELECT SUM(CANTIDADUD) FROM V_MV_STOCK WHERE IDARTICULO LIKE '%" + articulo + "'").toDouble();
  };
  EXPECT_NEAR(ud("ACEITE"), 2, 1e-9);  // not 2 per movement
  EXPECT_NEAR(ud("GUANTE"), 1.5, 1e-9);
  EXPECT_EQ(e.Valor("SELECT CANTIDADUD FROM V_MV_STOCK WHERE NROLOTE LIKE '%42-AZUL-M'").toDouble(), 1);
  // Each movement's share is rounded to the ten-thousandth, half away from
  // zero (never cut), and the shares add up to the line's quantity: 2 KG
  // over three lots of one unit each; half of 0.0001 rounded up, then the
  // rest.
  const struct {
    const char* otra;
    QStringList lotes, partes;
  } repartos[] = {{"2", {"L1", "L2", "L3"}, {"0.6667", "0.6666", "0.6667"}},
                  {"1", {"L1", "L2", "L3"}, {"0.3333", "0.3334", "0.3333"}},
                  {"0,0002", {"L1", "L2", "L3"}, {"0.0001", "0", "0.0001"}},
                  {"0,0001", {"L1", "L2"}, {"0.0001", "0"}}};
  int clave = 0;
  for (const auto& r : repartos) {
    SCOPED_TRACE(r.otra);
    e.Sql("DELETE FROM V_MV_STOCK");
    Grilla("AJP");
    Linea("ACEITE", QString::number(r.lotes.size()),
          {{col::kUdEquiv, "KG"}, {col::kCantidadEquiv, r.otra}, {col::kNroLote, Lista(r.lotes)}});
    ASSERT_TRUE(Posta("AJP", QString("0001000001%1X").arg(++clave, 2, 10, QChar('0'))));
    QStringList partes;
    for (int secuencia = 1; secuencia <= r.lotes.size(); ++secuencia)
      partes << QString::number(
          e.Valor(QString("SELECT CANTIDADUD FROM V_MV_STOCK WHERE SECUENCIA = %1").arg(secuencia)).toDouble());
    EXPECT_EQ(partes, r.partes);
  }

  // Which other unit a sale's line carries, and the blend it turns back into
  // its components with it: a weighed article its weight in its base unit
  // (none without a base unit), else the equivalent unit when
  // ConfirmaUDEquiv says so, else none.
  struct Caso {
    const char* confirma;
    QString pesable, base;
    const char* venta;    // CANTIDADUD|IDUNIDADBASE of the sale's row
    const char* vuelta;   // and of the blend's row of its "PE" voucher
  };
  const Caso casos[] = {{"NO", "", "KG", "NULL|NULL", "NULL|NULL"},
                        {"SI", "", "KG", "-2| CAJ", "2| CAJ"},
                        {"SI", S, "KG", "-3|  KG", "3|  KG"},
                        {"NO", S, "KG", "-3|  KG", "3|  KG"},
                        {"SI", S, "", "NULL|NULL", "NULL|NULL"}};
  int numero = 10;
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.confirma) + " " + c.pesable.toStdString() + " " + c.base.toStdString());
    e.Sql("DELETE FROM V_MV_STOCK");
    Config("ConfirmaUDEquiv", c.confirma);
    Grilla("FC");
    Linea("R407C", "4",
          {{col::kInsumosPorPorcentaje, S}, {col::kUdEquiv, "CAJ"}, {col::kCantidadEquiv, "2"},
           {col::kPesable, c.pesable}, {col::kUnidadBase, c.base}, {col::kCantidadUd, "3"}});
    ASSERT_TRUE(Posta("FC", QString("0001000000%1A").arg(++numero)));
    auto otra = [&](const char* tc) {
      const QString donde = QString(" FROM V_MV_STOCK WHERE TC = '%1' AND IDARTICULO LIKE '%R407C'").arg(tc);
      EXPECT_EQ(e.Valor("SELECT COUNT(*)" + donde).toInt(), 1);
      const QVariant q = e.Valor("SELECT CANTIDADUD" + donde), u = e.Valor("SELECT IDUNIDADBASE" + donde);
      return (q.isNull() ? QString("NULL") : QString::number(q.toDouble())) + "|" +
             (u.isNull() ? QString("NULL") : u.toString());
    };
    EXPECT_EQ(otra("  FC"), c.venta);
    EXPECT_EQ(otra("  PE"), c.vuelta);
  }
}
