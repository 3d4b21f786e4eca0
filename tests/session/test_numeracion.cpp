// Voucher numbering: the next number from the voucher books, its check
// against used numbers, the recording of a used number and its validation.
#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/cls_datos.h"
#include "session/numeracion.h"
#include "support/entorno.h"

namespace {

class Numeracion : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    ASSERT_TRUE(gDatos.Conectado());
  }
  // A book of a type; sets is an UPDATE list of its columns.
  void Libro(const QString& tc, int talonario, const QString& letras, const QString& sets = {},
             const QString& tabla = "V_TA_CPTE", const QString& sistema = "VENTAS") {
    e.Sql(QString("INSERT INTO %1 (CODIGO, TALONARIO, LETRAS, SISTEMA) VALUES (%2, %3, %4, %5)")
              .arg(tabla, ClsDatos::Literal(tc.rightJustified(4)), QString::number(talonario),
                   letras.isNull() ? "NULL" : ClsDatos::Literal(letras), ClsDatos::Literal(sistema)));
    if (!sets.isEmpty())
      e.Sql(QString("UPDATE %1 SET %2 WHERE CODIGO = %3 AND TALONARIO = %4")
                .arg(tabla, sets, ClsDatos::Literal(tc.rightJustified(4)), QString::number(talonario)));
  }
  struct Propuesta {
    bool dado;
    QString clave;
    bool modifica;
  };
  Propuesta Pide(const QString& tc, QString letra = "A", bool verificar = false, const QString& fecha = {}) {
    QString suc, num;
    bool modifica = false;
    bool dado = fecha.isNull() ? Obtener_Nro_Comprobante(tc, suc, num, letra, modifica, verificar)
                               : Obtener_Nro_Comprobante_Contable(tc, suc, num, letra, modifica, fecha);
    return {dado, suc + num + letra, modifica};
  }
  QString Aviso() { return e.ui().De("MsgBox").empty() ? QString() : e.ui().De("MsgBox").back().texto; }
  int Reservas() { return e.Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE").toInt(); }
};

}  // namespace

TEST_F(Numeracion, TheFirstUsableBookGivesBranchNumberAndLetter) {
  // A type without books still gets a whole key, without a message.
  Propuesta p = Pide("ZZ", "");
  EXPECT_TRUE(p.dado);
  EXPECT_EQ(p.clave, "000100000001X");
  Libro("FC", 1, "AB", "A_ULTIMO_NRO = 40, A_NRO_HASTA = 40");  // used up: skipped
  Libro("FC", 2, "AB", "A_SUC_DEFAULT = 3, A_ULTIMO_NRO = 57, MODIFICANUMERACION = 1");
  Libro("FC", 3, "AB", "A_ULTIMO_NRO = 900");
  p = Pide("FC", "M");  // not issued by the book: its first letter
  EXPECT_TRUE(p.dado);
  EXPECT_EQ(p.clave, "000300000057A");
  EXPECT_TRUE(p.modifica);
  EXPECT_EQ(gTalonario, 2);
  EXPECT_EQ(Pide(" fc ", "b").clave, "000100000001B");  // a book never used starts at 1
  Libro("RM", 1, "R", "R_ULTIMO_NRO = 0, R_NRO_DESDE = 1001, R_NRO_HASTA = 2000");
  EXPECT_EQ(Pide("RM", "R").clave, "000100001001R");
  // The last number a book hands out is the one before its end.
  e.Sql("UPDATE V_TA_CPTE SET R_ULTIMO_NRO = 1999 WHERE CODIGO = '  RM'");
  EXPECT_EQ(Pide("RM", "R").clave, "000100001999R");
  // Every voucher letter has its own numbering, M too.
  Libro("NDM", 1, "M", "M_SUC_DEFAULT = 5, M_ULTIMO_NRO = 12");
  EXPECT_EQ(Pide("NDM", "m").clave, "000500000012M");
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(Numeracion, NoNumberIsGivenWhenNoBookCanHandOneOut) {
  Libro("NP", 1, "X", "X_ULTIMO_NRO = 500, X_NRO_HASTA = 500");
  Propuesta p = Pide("NP", "X");
  EXPECT_FALSE(p.dado);
  EXPECT_EQ(Aviso(), "Todos los talonarios del comprobante NP se encuentran utilizados, debe dar de alta un nuevo "
                     "talonario para el comprobante NP");
  Libro("PR", 1, "X", "X_NRO_DESDE = 50, X_NRO_HASTA = 10");  // an inverted range
  EXPECT_FALSE(Pide("PR", "X").dado);
  EXPECT_TRUE(Aviso().contains("no tienen un rango"));
  Libro("OT", 1, QString());  // no letters: the letter asked stays, and must be a voucher letter
  EXPECT_FALSE(Pide("OT", "Z").dado);
  EXPECT_EQ(Aviso(), " La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M");
  EXPECT_FALSE(Pide("OT", "'").dado);
  // 99999999 is the last number there is, whatever the book's end says.
  Libro("AJP", 1, "X", "X_ULTIMO_NRO = 99999999, X_NRO_HASTA = 999999999");
  EXPECT_EQ(Pide("AJP", "X").clave, "000199999999X");
  e.Sql("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 100000000 WHERE CODIGO = ' AJP'");
  EXPECT_FALSE(Pide("AJP", "X").dado);
  EXPECT_TRUE(Aviso().contains("se encuentran utilizados"));
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 5);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // A book never used starts at its first number, and a book whose next
  // number is its last one has none left: so a fresh book whose first number
  // is its last is used up, and a type with it alone gives none.
  const struct {
    const char* tc;
    int ultimo, desde, hasta;
    const char* clave;  // "" none
  } nuevos[] = {{"TB1", 0, 5, 5, ""},
                {"TB2", 0, 5, 6, "000100000005X"},
                {"TB3", 3, 5, 5, ""},
                {"TB4", 0, 1, 1, ""},
                {"TB5", 4, 5, 6, "000100000005X"},
                {"TB6", 5, 5, 6, "000100000005X"}};
  for (const auto& n : nuevos) {
    SCOPED_TRACE(n.tc);
    e.ui().llamadas.clear();
    Libro(n.tc, 1, "X",
          QString("X_ULTIMO_NRO = %1, X_NRO_DESDE = %2, X_NRO_HASTA = %3").arg(n.ultimo).arg(n.desde).arg(n.hasta));
    const Propuesta p = Pide(n.tc, "X");
    EXPECT_EQ(p.dado, *n.clave != 0);
    EXPECT_EQ(p.dado ? p.clave : Aviso().contains("se encuentran utilizados") ? QString() : Aviso(), n.clave);
  }
}

TEST_F(Numeracion, AnExpiredBookIsSkippedByDate) {
  Libro("FC", 1, "A", "A_ULTIMO_NRO = 10, VENCEA = '2026-01-31'");
  Libro("FC", 2, "A", "A_SUC_DEFAULT = 2, A_ULTIMO_NRO = 70, VENCEA = '2026-12-31'");
  EXPECT_EQ(Pide("FC", "A", false, "31/01/2026").clave, "000100000010A");
  // As texts "15/02/2026" would sort before "2026-01-31".
  EXPECT_EQ(Pide("FC", "A", false, "15/02/2026").clave, "000200000070A");
  EXPECT_EQ(Pide("FC", "A").clave, "000100000010A");  // no date: expiry is not tested
  EXPECT_FALSE(Pide("FC", "A", false, "02/01/2027").dado);
  EXPECT_TRUE(Aviso().contains("se encuentran vencidos"));
}

TEST_F(Numeracion, ANumberAlreadyUsedMovesToTheNextFreeOne) {
  Libro("FC", 1, "A", "A_ULTIMO_NRO = 57");
  Libro("OC", 1, "X", "X_ULTIMO_NRO = 8", "V_TA_CPTE", "COMPRAS");
  Libro("NCPE", 1, "A", "A_ULTIMO_NRO = 5", "V_TA_CPTE", "Contable");
  auto asiento = [&](const QString& tc, const QString& numero, const QString& letra) {
    e.Sql(QString("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA) VALUES ('%1', '0001', '%2', '%3')")
              .arg(tc.rightJustified(4), numero, letra));
  };
  auto reserva = [&](const QString& tc, const QString& numero) {
    e.Sql(QString("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES ('%1', '0001', '%2', 'X')")
              .arg(tc.rightJustified(4), numero));
  };
  EXPECT_EQ(Pide("FC", "A", true).clave, "000100000057A");
  asiento("FC", "00000057", "A");
  asiento("FC", "00000080", "A");
  asiento("FC", "00000095", "B");
  EXPECT_EQ(Pide("FC", "A", true).clave, "000100000081A");
  EXPECT_EQ(Pide("FC", "A", false).clave, "000100000057A");  // unchecked
  // A purchase order number taken by a purchase voucher.
  reserva("OC", "00000008");
  e.Sql("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000008X'), ('  OC', '000100000012X'), "
        "('  OC', '000200000099X')");
  EXPECT_EQ(Pide("OC", "X", true).clave, "000100000013X");
  EXPECT_EQ(Reservas(), 1);
  // A free number loses a reservation left of it; a sales type keeps them.
  e.Sql("DELETE FROM C_MV_CPTE");
  EXPECT_EQ(Pide("oc", "X", true).clave, "000100000008X");
  EXPECT_EQ(Reservas(), 0);
  reserva("FC", "00000081");
  Pide("FC", "A", true);
  EXPECT_EQ(Reservas(), 1);
  // The number after the highest entry is given up to the last number
  // there is; past it the book is full.
  asiento("NCPE", "00000005", "A");
  asiento("NCPE", "99999998", "A");
  EXPECT_EQ(Pide("NCPE", "A", true).clave, "000199999999A");
  asiento("NCPE", "99999999", "A");
  EXPECT_FALSE(Pide("NCPE", "A", true).dado);
  EXPECT_TRUE(Aviso().contains("está completo"));
}

TEST_F(Numeracion, ADatabaseErrorIsReportedAndAnswered) {
  Libro("FC", 1, "A", "A_ULTIMO_NRO = 57");
  e.Sql("DROP TABLE MV_ASIENTOS");
  e.ui().respuestasError = {5};  // go on: the number is taken unchecked
  EXPECT_EQ(Pide("FC", "A", true).clave, "000100000057A");
  EXPECT_FALSE(Pide("FC", "A", true).dado);  // leave
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  EXPECT_EQ(e.ui().De("Error")[1].titulo, "Obtener_Nro_Comprobante");
}

TEST_F(Numeracion, TheBatchRoadAppendsTheUpdateAndTheReservation) {
  Libro("NCPE", 3, "A", "A_ULTIMO_NRO = 124, A_NRO_HASTA = 999", "V_TA_CPTE", "Contable");
  QString lote = "UPDATE TA_CONFIGURACION SET VALOR = 'x' WHERE CLAVE = 'nada'";
  EXPECT_TRUE(GrabaNumeroComprobante("NCPE", "VENTAS", "0001", " 125", "A", true, lote));
  EXPECT_EQ(lote, "UPDATE TA_CONFIGURACION SET VALOR = 'x' WHERE CLAVE = 'nada'\r\n"
                  " UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 125 WHERE CODIGO = 'NCPE' AND TALONARIO=3\r\n"
                  " INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('NCPE','0001','00000124','A')\r\n");
  EXPECT_EQ(e.Valor("SELECT A_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 124);  // nothing ran
  e.Sql(lote);
  EXPECT_EQ(e.Valor("SELECT A_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 125);
  EXPECT_EQ(e.Valor("SELECT NUMERO FROM V_MV_CTROL_CPTE WHERE TC = 'NCPE' AND LETRA = 'A'").toString(), "00000124");
  // Only accounting books, purchase orders and forced ones are reserved.
  Libro("FC", 1, "A");
  Libro("OC", 1, "X", {}, "V_TA_CPTE", "COMPRAS");
  QString venta, orden, forzada;
  EXPECT_TRUE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "7", "a", true, venta));
  EXPECT_TRUE(GrabaNumeroComprobante("OC", "COMPRAS", "0001", "7", "X", true, orden));
  EXPECT_TRUE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "7", "A", true, forzada, true));
  EXPECT_EQ(venta, " UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 7 WHERE CODIGO = '  FC' AND TALONARIO=1");
  EXPECT_TRUE(orden.contains("VALUES ('  OC','0001','00000006','X')\r\n"));
  EXPECT_TRUE(forzada.contains("INSERT INTO V_MV_CTROL_CPTE"));
  // Only forward: a number recorded after a later one leaves the book, at
  // once and as a batch.
  const struct {
    const char* numero;
    bool enLote;
    int libro;
  } avances[] = {{"9", true, 9}, {"8", true, 9}, {"9", false, 9}, {"12", false, 12}, {"10", false, 12}};
  e.Sql("UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 7 WHERE CODIGO = '  FC'");
  for (const auto& a : avances) {
    SCOPED_TRACE(a.numero);
    QString sentencias;
    EXPECT_TRUE(GrabaNumeroComprobante("FC", "VENTAS", "0001", a.numero, "A", a.enLote, sentencias, false, true));
    if (a.enLote) e.Sql(sentencias);
    EXPECT_EQ(e.Valor("SELECT A_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  FC'").toInt(), a.libro);
  }
}

TEST_F(Numeracion, AtOnceTheBookRowIsUpdatedWithTheTimeOfTheChange) {
  Libro("FC", 1, "A", "A_ULTIMO_NRO = 10");
  QString lote = "sin tocar";
  const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
  EXPECT_TRUE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "11", "A", false, lote));
  EXPECT_EQ(lote, "sin tocar");
  EXPECT_EQ(e.Valor("SELECT A_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 11);
  const QVariant momento = e.Valor("SELECT FECHAHORA_MODIFICACION FROM V_TA_CPTE");
  ASSERT_EQ(momento.typeId(), QMetaType::QDateTime) << momento.toString().toStdString();
  EXPECT_GE(momento.toDateTime().toString("yyyyMMddHHmmss"), antes.toString("yyyyMMddHHmmss"));
  EXPECT_EQ(Reservas(), 0);
}

TEST_F(Numeracion, ABookFoundOnlyInTheSystemsTableIsRecordedThere) {
  // A system's own books with a text column for the time of the change.
  e.Sql("DROP TABLE TA_COMPROBANTES");
  e.Sql("CREATE TABLE TA_COMPROBANTES (CODIGO TEXT COLLATE CI, SISTEMA TEXT COLLATE CI, TALONARIO INTEGER, LETRAS "
        "TEXT, MODIFICANUMERACION INTEGER DEFAULT 0, EXTERNO INTEGER DEFAULT 0, X_SUC_DEFAULT INTEGER DEFAULT 1, "
        "X_ULTIMO_NRO INTEGER DEFAULT 0, X_NRO_DESDE INTEGER DEFAULT 1, X_NRO_HASTA INTEGER DEFAULT 99999999, VENCEX "
        "DATE, FECHAHORA_MODIFICACION TEXT)");
  Libro("PE", 1, "X", "X_ULTIMO_NRO = 4, X_NRO_HASTA = 100");  // a full range elsewhere
  Libro("PE", 2, "X", "X_ULTIMO_NRO = 4", "TA_COMPROBANTES", "STOCK");
  gTalonario = 1;  // left from an earlier call
  QString lote;
  EXPECT_TRUE(GrabaNumeroComprobante("PE", "STOCK", "0001", " 201", "X", true, lote));
  EXPECT_EQ(lote, " UPDATE TA_Comprobantes SET X_ULTIMO_NRO = 201 WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND "
                  "TALONARIO =2");
  e.Sql(lote);
  EXPECT_TRUE(GrabaNumeroComprobante("PE", "STOCK", "0001", "202", "X", false, lote));
  EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM TA_COMPROBANTES").toInt(), 202);
  EXPECT_EQ(e.Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 4);
  const QString texto = e.Valor("SELECT FECHAHORA_MODIFICACION FROM TA_COMPROBANTES").toString();
  EXPECT_EQ(texto, QDateTime::fromString(texto, "dd/MM/yy hh:mm").toString("dd/MM/yy hh:mm"));
  EXPECT_FALSE(texto.isEmpty());
}

TEST_F(Numeracion, NothingIsRecordedWhenNoBookHoldsTheNumberAndTheUserIsTold) {
  Libro("FC", 1, "A", "A_ULTIMO_NRO = 10, A_NRO_HASTA = 100");
  QString lote = "SELECT 1";
  gTalonario = 1;
  EXPECT_FALSE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "150", "A", true, lote));  // past the range
  EXPECT_FALSE(GrabaNumeroComprobante("FC", "VENTAS", "0002", "50", "A", true, lote));   // another branch
  EXPECT_FALSE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "50", "Z", false, lote));  // not a letter
  EXPECT_EQ(lote, "SELECT 1");
  EXPECT_EQ(e.Valor("SELECT A_ULTIMO_NRO FROM V_TA_CPTE").toInt(), 10);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 3);
  EXPECT_TRUE(e.ui().De("MsgBox")[1].texto.contains("sucursal 0002"));
  EXPECT_TRUE(e.ui().De("MsgBox")[2].texto.contains("La letra Informada no es Valida"));
  EXPECT_FALSE(GrabaNumeroComprobante("XX", "VENTAS", "0001", "5", "A", true, lote));
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_EQ(e.ui().De("MsgBox").back().titulo, "ATENCION");
  // A book numbered outside the program records nothing, and that is no fault.
  e.Sql("UPDATE V_TA_CPTE SET EXTERNO = 1");
  EXPECT_TRUE(GrabaNumeroComprobante("FC", "VENTAS", "0001", "50", "A", true, lote));
  EXPECT_EQ(lote, "SELECT 1");
}

TEST_F(Numeracion, ValidationFindsTheBookOfTheNumber) {
  Libro("FC", 1, "A", "A_NRO_DESDE = 1, A_NRO_HASTA = 100, VENCEA = '2026-01-31'");
  Libro("FC", 2, "A", "A_NRO_DESDE = 101, A_NRO_HASTA = 200");
  Libro("FC", 3, "A", "A_SUC_DEFAULT = 2");
  QString m = "previo";
  EXPECT_TRUE(ValidaNumeracionComprobante("FC", "0001", "150", "A", m));
  EXPECT_EQ(gTalonario, 2);
  EXPECT_EQ(m, "");
  // A book's first and last numbers are its own; the numbers around the
  // books are nobody's.
  const struct {
    const char* numero;
    int talonario;
  } limites[] = {{"0", 0}, {"1", 1}, {"100", 1}, {"101", 2}, {"200", 2}, {"201", 0}};
  for (const auto& l : limites) {
    SCOPED_TRACE(l.numero);
    m = "previo";
    EXPECT_EQ(ValidaNumeracionComprobante("FC", "0001", l.numero, "A", m), l.talonario != 0);
    EXPECT_EQ(gTalonario, l.talonario);
    EXPECT_EQ(m, l.talonario ? "" : "Debe configurar la numeracióN de Comprobantes");
  }
  EXPECT_TRUE(ValidaNumeracionComprobante("FC", "1", "50", "a", m, "31/01/2026"));
  EXPECT_EQ(gTalonario, 1);
  EXPECT_FALSE(ValidaNumeracionComprobante("FC", "0001", "50", "A", m, "15/02/2026"));
  EXPECT_TRUE(m.startsWith("El rango de numeracion del comprobante FC Control nro: 1 se encuenta vencida"));
  EXPECT_FALSE(ValidaNumeracionComprobante("FC", "0001", "250", "A", m));
  EXPECT_EQ(gTalonario, 0);  // not the book of the earlier call
  EXPECT_EQ(m, "Debe configurar la numeracióN de Comprobantes");
  // A freely numbered book takes any number.
  e.Sql("UPDATE V_TA_CPTE SET A_NRO_DESDE = 0, A_NRO_HASTA = 0, MODIFICANUMERACION = 1 WHERE TALONARIO = 3");
  EXPECT_TRUE(ValidaNumeracionComprobante("FC", "0002", "98765", "A", m));
  EXPECT_EQ(gTalonario, 3);
  EXPECT_TRUE(ValidaNumeracionComprobante("FC", "0001", "50", "", m));  // a blank letter is "X"
  e.Sql("UPDATE V_TA_CPTE SET M_SUC_DEFAULT = 7 WHERE TALONARIO = 2");
  EXPECT_TRUE(ValidaNumeracionComprobante("FC", "0007", "50", "M", m));
  EXPECT_EQ(gTalonario, 2);
  // A letter outside the set is refused before any table is read.
  e.Sql("DROP TABLE V_TA_CPTE");
  EXPECT_FALSE(ValidaNumeracionComprobante("FC", "0001", "50", "Z", m));
  EXPECT_EQ(m, " La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M");
}
