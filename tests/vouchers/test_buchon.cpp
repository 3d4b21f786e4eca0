// ActualizaBuchon: the audit row of an action on a voucher.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QRegularExpression>
#include <memory>

#include "base_cptes.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

class BuchonCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    cptes = std::make_unique<ClsCmnCptes>();
  }
  QStringList Fila(int id) {
    QStringList r;
    for (const char* c : {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "TIPO_ACCION", "USUARIO", "PC", "SYSTEMUSER"})
      r << e.Valor(QString("SELECT %1 FROM V_MV_CPTEACCIONES WHERE ID = %2").arg(c).arg(id)).toString();
    return r;
  }
  int Filas() { return e.Valor("SELECT COUNT(*) FROM V_MV_CPTEACCIONES").toInt(); }
  std::unique_ptr<ClsCmnCptes> cptes;
};

}  // namespace

TEST_F(BuchonCpte, AnAdditionWritesOneRowOfTheAction) {
  const QDateTime antes = QDateTime::currentDateTime();
  EXPECT_TRUE(cptes->ActualizaBuchon("OT", "000100000025A", "2", true, false));
  ASSERT_EQ(Filas(), 1);
  EXPECT_EQ(Fila(1), (QStringList{"  OT", "000100000025A", "2", "A", "supervisor", "puesto1", ""}));
  const QString fecha = e.Valor("SELECT FECHAHORA FROM V_MV_CPTEACCIONES").toString();
  ASSERT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d$").match(fecha).hasMatch()) << fecha.toStdString();
  const QDateTime despues = QDateTime::currentDateTime();
  EXPECT_TRUE(fecha == antes.toString("dd/MM/yy hh:mm") || fecha == despues.toString("dd/MM/yy hh:mm"))
      << fecha.toStdString();
  EXPECT_TRUE(gCamposInsert.empty());
}

TEST_F(BuchonCpte, TheFlagsChooseTheAction) {
  cptes->ActualizaBuchon("FC", "000100000101A", "0", true, true);
  cptes->ActualizaBuchon("FC", "000100000101A", "0", false, true);
  cptes->ActualizaBuchon("FC", "000100000101A", "0", false, false);
  ASSERT_EQ(Filas(), 3);
  EXPECT_EQ(Fila(1)[3], "A");
  EXPECT_EQ(Fila(2)[3], "M");
  EXPECT_EQ(Fila(3)[3], "B");
}

TEST_F(BuchonCpte, AskedForTheStatementItReplacesTheCallersTextAndRunsNothing) {
  QString sentencia = "UPDATE V_MV_CPTE SET ANULADA = 1";
  EXPECT_TRUE(cptes->ActualizaBuchon(" OT ", "000100000025A ", "7", false, true, true, &sentencia));
  EXPECT_EQ(Filas(), 0);
  const QString fecha = QRegularExpression("'(\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d)'").match(sentencia).captured(1);
  ASSERT_FALSE(fecha.isEmpty()) << sentencia.toStdString();
  EXPECT_EQ(sentencia,
            " INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,"
            "SYSTEMUSER) VALUES ('  OT','000100000025A ',7,'M','" +
                fecha + "','supervisor','puesto1','')");
  // The statement runs as written.
  e.Sql(sentencia);
  EXPECT_EQ(Fila(1), (QStringList{"  OT", "000100000025A ", "7", "M", "supervisor", "puesto1", ""}));
}

TEST_F(BuchonCpte, QuotesAndOddValuesGoInAsLiterals) {
  gUsuarioLogeado = "O'Neill";
  EXPECT_TRUE(cptes->ActualizaBuchon("NC", "0001'X", "1); DELETE FROM V_MV_CPTEACCIONES; --", false, false));
  EXPECT_TRUE(cptes->ActualizaBuchon("NC", "00010000002", "", false, false));  // a short key, no complement
  ASSERT_EQ(Filas(), 2);
  EXPECT_EQ(Fila(1), (QStringList{"  NC", "0001'X", "1", "B", "O'Neill", "puesto1", ""}));
  EXPECT_EQ(Fila(2), (QStringList{"  NC", "00010000002", "0", "B", "O'Neill", "puesto1", ""}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(BuchonCpte, AFailedInsertIsReportedAndAnswered) {
  e.Sql("DROP TABLE V_MV_CPTEACCIONES");
  e.ui().respuestasError = {5};
  EXPECT_FALSE(cptes->ActualizaBuchon("OT", "000100000025A", "0", true, false));
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ActualizaBuchon");
  EXPECT_TRUE(gCamposInsert.empty());
  // Asked only for the statement, nothing runs and nothing fails.
  QString sentencia;
  EXPECT_TRUE(cptes->ActualizaBuchon("OT", "000100000025A", "0", true, false, true, &sentencia));
  EXPECT_TRUE(sentencia.startsWith(" INSERT INTO V_MV_CPTEACCIONES ("));
  EXPECT_EQ(e.ui().Cuenta("Error"), 1);
}

TEST_F(BuchonCpte, RetryRunsTheInsertAgain) {
  e.Sql("DROP TABLE V_MV_CPTEACCIONES");
  e.ui().respuestasError = {4};  // retry once, then leave
  EXPECT_FALSE(cptes->ActualizaBuchon("OT", "000100000025A", "0", true, false));
  EXPECT_EQ(e.ui().Cuenta("Error"), 2);
}
