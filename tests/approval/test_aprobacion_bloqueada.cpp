// Approval while another program holds the database: the supervisor is told
// whether the approval was saved (nothing saved when the commit meets the
// lock; saved, with the list left to a new search, when only the reading
// after it does), and the window goes on working on a connection that holds
// no transaction.
#include <gtest/gtest.h>

#include "platform/cls_datos.h"
#include "session/mod_global.h"
#include "support/bloqueo.h"
#include "support/sin_escritura.h"
#include "ventana_principal.h"

TEST_F(VentanaPrincipal, AnApprovalThatCannotBeCommittedSavesNothingAndSaysSo) {
  AgregaReportes(100, 699);
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

TEST_F(VentanaPrincipal, AnApprovalSavedIsToldSavedWhenTheListCannotBeReadAgain) {
  // Another program takes the database right after the commit: when the
  // window reads back what the approval left, or when it loads the list
  // again.
  const struct {
    const char* lectura;
    QStringList lineas;  // what the list shows afterwards
  } casos[] = {
      {"SELECT IDDIARIO, TC, AUTORIZADOPOR FROM V_MV_DIARIOS", {"7", "9", "11", "13", "15"}},
      {"SELECT D.FECHA", {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.lectura);
    e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL WHERE IDDIARIO IN (7, 15)");
    e.ui().llamadas.clear();
    Busca();
    Caja("Responsable").SetText("Luis");
    Linea("7")->SetChecked(true);
    Linea("15")->SetChecked(true);
    {
      BloqueoAlEmpezar otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo, c.lectura);
      ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));  // the window's connection, watched
      gDatos.Conexion().SetCommandTimeout(1);
      w->Plexatol1_Click("GRABAR");
      EXPECT_TRUE(otro.Tomado());
      EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
    }
    // Saved, and said so: not an error, not "nothing was saved".
    EXPECT_EQ(Aprobador(7), "Luis");
    EXPECT_EQ(Aprobador(15), "Luis");
    EXPECT_EQ(e.ui().Cuenta("Error"), 0);
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    const QString m = e.ui().De("MsgBox")[0].texto;
    EXPECT_TRUE(m.startsWith("La aprobación quedó grabada, pero no se pudo actualizar la lista de partes: otro usuario "
                             "tiene ocupada la base de datos."))
        << m.toStdString();
    EXPECT_TRUE(m.contains("Buscar")) << m.toStdString();
    EXPECT_FALSE(m.contains("no se pudo completar")) << m.toStdString();
    EXPECT_EQ(Ids(), c.lineas);
    // Once the other program is done, a search shows the approval.
    Busca();
    EXPECT_EQ(Linea("15")->SmallIcon(), FrmZamolid::kIconoAprobado);
    EXPECT_EQ(Linea("15")->SubItems(5), "Luis");
  }
}

TEST_F(VentanaPrincipal, AFolderThatCannotBeWrittenIsToldAtStartUpAndAgainWhenAnApprovalCannotBeSaved) {
  // The program starts again in a folder that takes no new file, its
  // database file writable: the engine cannot make its journal there.
  CierraVentanas();
  ReiniciaEstadoGlobal();
  SinEscritura carpeta(e.Carpeta());
  if (!carpeta.Hecho()) GTEST_SKIP() << carpeta.PorQueNo().toStdString();
  e.ui().llamadas.clear();
  w = &FrmZamolid::Global();
  w->Show();
  ASSERT_TRUE(gDatos.Conectado());
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.startsWith("La base de datos prueba.db no se puede grabar: su carpeta " +
                                                       e.Carpeta() + " no admite archivos nuevos"))
      << e.ui().De("MsgBox")[0].texto.toStdString();
  Busca();
  Caja("Responsable").SetText("Luis");
  Linea("7")->SetChecked(true);
  w->Plexatol1_Click("GRABAR");
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  const auto error = e.ui().De("Error")[0];
  EXPECT_EQ(error.titulo, "Plexatol1_Click");
  EXPECT_TRUE(error.texto.startsWith("La base de datos " + e.Ruta("prueba.db") + " no se puede grabar: su carpeta"))
      << error.texto.toStdString();
  EXPECT_TRUE(error.texto.endsWith("No se grabó ningún cambio.")) << error.texto.toStdString();
  EXPECT_EQ(Aprobador(7), "<NULL>");
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
}
