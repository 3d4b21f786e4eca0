// The main window and the report detail on the server road: the connection
// goes through ODBC (the SQLite ODBC driver standing in for the server), so
// the window composes the server's form of every text and nothing adapts it
// on the way. The driver's trace file shows each statement exactly as it
// arrived. Dates are stored as the server compares them ('yyyymmdd
// hh:mm:ss.mmm') and codes with their blanks, so a wrong literal or a lost
// trim changes what is listed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

#include "approval/frm_datos_adic_tareas.h"
#include "approval/frm_detalle_tareas.h"
#include "approval/frm_zamolid.h"
#include "demo_sqlite.h"
#include "platform/cls_campos.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/listview.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/programa.h"
#include "support/entorno.h"
#include "support/lineas.h"
#include "ventana_principal.h"

namespace {

class Servidor : public ConEntorno {
 protected:
  void SetUp() override {
    {
      demo::BaseSqlite b(e.Ruta("servidor.db"));
      b.Ejecuta(
          "CREATE TABLE V_MV_DIARIOS (ID INTEGER PRIMARY KEY, IDDIARIO INTEGER NOT NULL, FECHA TEXT, TC TEXT, "
          "IDCOMPROBANTE TEXT, IDCOMPLEMENTO INTEGER, IDTECNICO TEXT, IDTAREA TEXT, DESCRIPCION TEXT, MINUTOS INTEGER, "
          "OBSERVACIONES TEXT, AUTORIZADOPOR TEXT);"
          "CREATE TABLE V_TA_TECNICOS (IDTECNICO TEXT PRIMARY KEY, NOMBRE TEXT);"
          "CREATE TABLE V_MV_CPTETAREAS (TC TEXT, IDCOMPROBANTE TEXT, IDCOMPLEMENTO INTEGER, IDTAREA TEXT, "
          "DESCRIPCIONADICIONAL TEXT);"
          "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT PRIMARY KEY, VALOR TEXT);"
          "INSERT INTO V_TA_TECNICOS VALUES ('   1', 'Juan Pérez'), ('   2', 'María Gómez'), ('  12', 'Patricio O''Neill');"
          // Report 7: two rows; 9 at the end of the 15th; 11 at midnight of the
          // 16th; 13 on 3 April (3/4, not 4/3); 15 on 12 April.
          "INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO, IDTAREA, DESCRIPCION, "
          "MINUTOS, AUTORIZADOPOR) VALUES "
          "(7, '20260310 08:30:00.000', 'OT', '000100000025A', 0, '   1', '   5', 'Cambio de filtros', 90, NULL),"
          "(7, '20260310 08:30:00.000', 'OT', '000100000025A', 0, '   1', '  12', 'Limpieza', 510, NULL),"
          "(9, '20260315 17:45:00.000', 'OT', '000100000030A  ', 1, '   2', '   5', 'Revisión', 45, ''),"
          "(11, '20260316 00:00:00.000', 'OT', '000200000001B  ', 0, '  12', '   7', 'Instalación', 240, 'Ana'),"
          "(13, '20260403 09:00:00.000', 'PR', '000100000040A  ', 0, '   3', '   5', 'Presupuesto', 30, NULL),"
          "(15, '20260412 10:15:00.000', 'OT', '000300000002A  ', 2, '   2', '   9', 'Ajuste', 60, NULL);"
          "INSERT INTO V_MV_CPTETAREAS VALUES ('  OT', '000100000025A   ', 0, '   5', 'Usar filtros originales');");
    }
    traza = e.Ruta("traza.log");
    const QString cadena = QStringLiteral("DRIVER={SQLite3};Database=%1;Tracefile=%2;").arg(e.Ruta("servidor.db"), traza);
    ASSERT_TRUE(gDatos.Conectar(false, 3, cadena));
    ASSERT_FALSE(gDatos.EsSqlite());
    programa::FijaLineaDeComando(QString());
    w = &FrmZamolid::Global();
    w->Show();
    QApplication::setActiveWindow(w);
  }

  void TearDown() override { CierraVentanas(); }

  TextBox& Caja(const QString& nombre) { return CajaDe(w, nombre); }
  QStringList Ids() { return IdsDe(w); }

  // The statements that reached the driver since the last call, as it
  // received them.
  QStringList Recibidas() {
    QFile f(traza);
    if (!f.open(QIODevice::ReadOnly)) return {};
    f.seek(leido);
    QStringList r;
    const QByteArray marca = "-- sqlite3_prepare_v2: ";
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith(marca)) r << QString::fromUtf8(l.mid(marca.size()));
    leido = f.pos();
    return r;
  }

  // No text on this road carries what only the embedded database reads.
  void SinAdaptar(const QStringList& sentencias) {
    for (const QString& s : sentencias) {
      EXPECT_FALSE(s.contains("LIMIT") || s.contains("IFNULL") || s.contains("COLLATE") || s.contains("ROWID"))
          << s.toStdString();
    }
  }

  QString traza;
  qint64 leido = 0;
  FrmZamolid* w = nullptr;
};

}  // namespace

TEST_F(Servidor, BothDateBoundsGoAsYyyymmddAndTheUpperOneTakesItsWholeDay) {
  Recibidas();
  Caja("Fecha_Desde").SetText("12/03/2026");
  Caja("Fecha_Hasta").SetText("15/03/2026");
  w->CmdBuscar_Click();
  // 9 was written at 17:45 of the 15th; 11 at midnight of the 16th is out.
  EXPECT_EQ(Ids(), (QStringList{"9"}));
  const QStringList recibidas = Recibidas();
  ASSERT_EQ(recibidas.size(), 1);  // the listing is one statement
  EXPECT_TRUE(recibidas[0].contains(" Where  (FECHA >= '20260312') AND (FECHA <= '20260315 23:59:59.997') ")) << recibidas[0].toStdString();
  SinAdaptar(recibidas);
  // One end at a time: the day comes before the month in what is typed.
  Caja("Fecha_Hasta").clear();
  Caja("Fecha_Desde").SetText("03/04/2026");
  w->CmdBuscar_Click();
  EXPECT_EQ(Ids(), (QStringList{"13", "15"}));
  EXPECT_TRUE(Recibidas().join("\n").contains(" Where  (FECHA  >= '20260403') "));
  Caja("Fecha_Desde").clear();
  Caja("Fecha_Hasta").SetText("10/03/2026");
  w->CmdBuscar_Click();
  EXPECT_EQ(Ids(), (QStringList{"7"}));
  EXPECT_TRUE(Recibidas().join("\n").contains(" Where  (FECHA  <= '20260310 23:59:59.997') "));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Servidor, CodeComparisonsKeepTheirTrims) {
  Recibidas();
  Caja("Tecnico_Desde").SetText("2");
  Caja("Tecnico_Hasta").SetText("3");
  PoneOrden(w, "Desde", "1", "30", "A");
  PoneOrden(w, "Hasta", "3", "", "");
  w->CmdBuscar_Click();
  EXPECT_EQ(Ids(), (QStringList{"9", "13", "15"}));
  const QString recibida = Recibidas().join("\n");
  EXPECT_TRUE(recibida.contains("(LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000030A') AND (LTRIM(RTRIM(IDCOMPROBANTE)) <= "
                                "'000399999999Z')"))
      << recibida.toStdString();
  EXPECT_TRUE(recibida.contains("(LTRIM(RTRIM(IDTECNICO)) >= '2') AND (LTRIM(RTRIM(IDTECNICO)) <= '3')"));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Servidor, TheListingIsOneStatementThatNumbersTheRowsOfEachReport) {
  Recibidas();
  w->CmdBuscar_Click();
  const QStringList recibidas = Recibidas();
  ASSERT_EQ(recibidas.size(), 1);
  EXPECT_EQ(recibidas[0], FrmZamolid::SentenciaListado(QString()));
  EXPECT_TRUE(recibidas[0].contains("ROW_NUMBER() OVER (PARTITION BY IDDIARIO ORDER BY (SELECT NULL))"));
  SinAdaptar(recibidas);
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "11", "13", "15"}));
  ListItem& siete = LineaExistente(w->ListView1, 1, "7");
  EXPECT_EQ(siete.SubItems(2), "000100000025A");
  EXPECT_EQ(siete.SubItems(4), "1 - Juan Pérez");  // code stored with blanks, joined trimmed
  EXPECT_EQ(LineaExistente(w->ListView1, 1, "11").SubItems(4), "12 - Patricio O'Neill");
  EXPECT_EQ(LineaExistente(w->ListView1, 1, "13").SubItems(4), "3 - ");
  EXPECT_TRUE(LineaExistente(w->ListView1, 1, "11").Checked());
}

TEST_F(Servidor, TheApprovalGoesAsWrittenAndCountsWhatItPassedOver) {
  w->CmdBuscar_Click();
  Caja("Responsable").SetText("Luis");
  for (const char* id : {"7", "13", "15"}) LineaExistente(w->ListView1, 1, id).SetChecked(true);
  Recibidas();
  w->Plexatol1_Click("GRABAR");
  const QStringList recibidas = Recibidas();
  ASSERT_FALSE(recibidas.isEmpty());
  EXPECT_EQ(recibidas[0],
            "UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Luis' WHERE ( (IDDIARIO = 7) OR  (IDDIARIO = 13) OR  (IDDIARIO = 15)) "
            "AND (TC = 'OT') AND (AUTORIZADOPOR IS NULL OR AUTORIZADOPOR = '')");
  SinAdaptar(recibidas);
  Recordset rs;
  gDatos.AbreRecordset("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'", rs);
  EXPECT_EQ(rs.Fields(0).Value().toInt(), 3);  // both rows of 7 and the row of 15
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("no es de una orden de trabajo: 13"));
  EXPECT_EQ(LineaExistente(w->ListView1, 1, "15").SubItems(5), "Luis");
}

// The task of a work order whose type and key the task table stores with
// blanks around them.
TEST_F(Servidor, TheDetailFindsTheTaskOfAWorkOrderStoredWithBlanks) {
  QStringList fila;
  QString datos;
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    for (int c = 0; c < d.MSFlexGrid1->Cols(); ++c) fila << d.MSFlexGrid1->TextMatrix(1, c);
    e.ui().accionesModales.push_back([&](Form& g) {
      datos = static_cast<FrmDatosAdicTareas&>(g).DatosAdicionales;
      g.Unload();
    });
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.Unload();
  });
  Recibidas();
  w->MostrarDetalleDiario("7");
  EXPECT_EQ(fila, (QStringList{"5", "Cambio de filtros", "01:30", ""}));
  EXPECT_EQ(datos, "Usar filtros originales");
  const QString recibida = Recibidas().join("\n");
  EXPECT_TRUE(recibida.contains("SELECT * FROM V_MV_DIARIOS WHERE IDDIARIO = 7"));
  EXPECT_TRUE(recibida.contains(" WHERE RTRIM(LTRIM(TC)) = 'OT' AND RTRIM(LTRIM(IDCOMPROBANTE)) ='000100000025A' AND "
                                "IdComplemento = 0 and IdTarea = '   5'"))
      << recibida.toStdString();
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}
