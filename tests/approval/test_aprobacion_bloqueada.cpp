// Approval while another program holds the database: the supervisor is told
// that nothing was saved, and the window goes on working on a connection
// that holds no transaction.
#include <gtest/gtest.h>

#include "platform/cls_datos.h"
#include "support/bloqueo.h"
#include "ventana_principal.h"

TEST_F(VentanaPrincipal, AnApprovalThatCannotBeCommittedSavesNothingAndSaysSo) {
  e.Sql("WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 699) "
        "INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO) "
        "SELECT i, '2026-05-01', 'OT', '000100000099A', 0, '   1' FROM n");
  Busca();
  for (int i = 1; i <= w->ListView1->ListItems().Count(); ++i) w->ListView1->ListItems()(i)->SetChecked(true);
  Caja("Responsable").SetText("Luis");
  ASSERT_EQ(w->SentenciasAprobacion("Luis").size(), 2);  // a batch of two statements
  gDatos.Conexion().SetCommandTimeout(1);
  {
    // Another supervisor's program reads a long list meanwhile.
    BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Lectura);
    w->Plexatol1_Click("GRABAR");
    EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  }
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  const auto error = e.ui().De("Error")[0];
  EXPECT_EQ(error.titulo, "Plexatol1_Click");
  EXPECT_TRUE(error.texto.contains("No se grabó ningún cambio")) << error.texto.toStdString();
  EXPECT_TRUE(error.texto.contains("Otro usuario")) << error.texto.toStdString();
  EXPECT_TRUE(error.detalle.contains("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Luis'")) << error.detalle.toStdString();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'").toInt(), 0);

  // Once the other program is done, the same approval goes through and is
  // there for every program at once.
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  // This connection keeps no lock: another program takes the write lock.
  BloqueoAjeno(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Escritura).Suelta();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'").toInt(), 600 + 4);
}
