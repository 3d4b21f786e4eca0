// The configuration reader and the loader on real configuration tables.
#include <gtest/gtest.h>

#include "platform/espera_bloqueo.h"
#include "session/mod_global.h"
#include "support/bloqueo.h"
#include "support/entorno.h"

namespace {

class Configuracion : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    ASSERT_TRUE(gDatos.Conectado());
    e.Sql("DELETE FROM TA_CONFIGURACION");
    e.Sql("DELETE FROM TA_USUARIOS");
  }
  void Pon(const QString& clave, const QString& valor) {
    e.Sql(QString("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (%1, %2)")
              .arg(ClsDatos::Literal(clave), ClsDatos::Literal(valor)));
  }
  void Carga() {
    QString ruta = e.Carpeta() + "/";
    CargaConfiguracion(ruta);
  }
};

}  // namespace

TEST_F(Configuracion, CfgTellsMissingStoredAndFailedApart) {
  Pon("SeparadorHora", " : ");
  EXPECT_EQ(Cfg("SeparadorHora"), " : ");      // untrimmed
  EXPECT_EQ(Cfg("  separadorhora "), " : ");  // key trimmed, case ignored
  EXPECT_EQ(Cfg("NoExiste"), " ");
  EXPECT_EQ(Cfg("O'Brien"), " ");  // a quote in a key is no SQL
  {
    // Outside the load, a lock is Cfg's to tell, as any failure.
    espera_bloqueo::FijaTotalMs(100);
    BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
    EXPECT_EQ(Cfg("SeparadorHora"), "");
  }
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "Cfg");
  EXPECT_EQ(e.ui().De("Error")[0].texto, ado::kMensajeBloqueo);
  e.ui().llamadas.clear();
  espera_bloqueo::NuevaAccion();
  e.Sql("DROP TABLE TA_CONFIGURACION");
  e.ui().respuestasError = {3};
  EXPECT_EQ(Cfg("SeparadorHora"), "");
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "Cfg");
}

TEST_F(Configuracion, CfgAnsweringResumeReportsEachFailingStatement) {
  e.Sql("DROP TABLE TA_CONFIGURACION");
  e.ui().respuestasError = {5, 5, 5};
  EXPECT_EQ(Cfg("PERIODO"), "");
  EXPECT_GE(e.ui().Cuenta("Error"), 2);  // the open, then reading the closed recordset
}

TEST_F(Configuracion, CfgReadsTheTableTheLoaderNames) {
  gTablaConfiguracion.clear();
  Pon("PERIODO", "2026");
  EXPECT_EQ(Cfg("PERIODO"), "2026");
  EXPECT_EQ(gTablaConfiguracion, "TA_CONFIGURACION");
  Carga();
  EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
}

TEST_F(Configuracion, DateKeysUpperCaseTheWholeStatement) {
  Pon("[FECHA HASTA]", "31/12/2026");
  EXPECT_EQ(Cfg("[fecha hasta]"), "31/12/2026");
}

TEST_F(Configuracion, LoaderReadsEveryKey) {
  Pon("MostrarStockenConsultas", "si");
  Pon("TituloClientes", "  Clientes  ");
  Pon("EXIGECLAVECONSULTALIKEARTICULOS", "SI ");  // untrimmed compare: off
  Pon("UsaConsultaLike", "SI");
  Pon("CantidadDecimales", " 3");
  Pon("UsaMultilesMonedas", "NO");
  Pon("UNIDADDEMEDIDA_KG", " KG ");
  Pon("PERIODO", " 2026 ");
  Pon("VALIDACODIGOBARRA", " si ");
  Pon("CFondo", "255");
  Pon("CLetra", "16711680");
  Pon("ModuloOrdenDeTrabajo", "no");
  Pon("V_ModificaCPrecio", "NO ");  // untrimmed "NO " is not "NO": on
  Pon("C_ModificaCPrecio", "NO");
  e.Sql("INSERT INTO TA_USUARIOS (NOMBRE, UNEGOCIO) VALUES ('supervisor', '2')");
  Carga();
  EXPECT_TRUE(gMostrarStockEnConsultas);
  EXPECT_EQ(gTituloClientes, "Clientes");
  EXPECT_EQ(gTituloProveedores, "");
  EXPECT_EQ(gRutaDocTareas, e.Carpeta() + "/BXDOCTareas.bvx");
  EXPECT_FALSE(gExigeClaveConsultaLikeArticulos);
  EXPECT_TRUE(gUsaConsultaLike);
  EXPECT_EQ(gCantidadDecimales, " 3");
  EXPECT_FALSE(gUsaMultiplesMonedas);
  EXPECT_EQ(gUnidadNegocio, "   2");
  EXPECT_EQ(gUnidadMedidaKG, "KG");
  EXPECT_EQ(gUnidadMedidaM3, "");
  EXPECT_EQ(gPeriodo, 2026);
  EXPECT_TRUE(gValidaCodigoBarra);
  EXPECT_EQ(gColorFondo, 255);
  EXPECT_EQ(gColorLetra, 16711680);
  EXPECT_FALSE(gModuloOrdenDeTrabajo);
  EXPECT_TRUE(gV_ModificaCPrecio);
  EXPECT_FALSE(gC_ModificaCPrecio);
}

TEST_F(Configuracion, MissingKeysTakeTheirDocumentedValues) {
  Pon("PERIODO", "7");
  Carga();
  EXPECT_EQ(gCantidadDecimales, " ");
  EXPECT_EQ(gUnidadNegocio, "   1");  // user without a row
  EXPECT_FALSE(gValidaCodigoBarra);
  EXPECT_EQ(gColorFondo, 0xFFFF00);  // a zero background becomes cyan
  EXPECT_EQ(gColorLetra, 0);
  EXPECT_TRUE(gModuloOrdenDeTrabajo);  // missing counts as on
  EXPECT_FALSE(gV_ModificaCPrecio);
  EXPECT_FALSE(gC_ModificaCPrecio);
}

TEST_F(Configuracion, AMissingOrGarbledPeriodEndsTheLoadAndTheStartUp) {
  Pon("PERIODO", "dos mil");
  Pon("ModuloOrdenDeTrabajo", "SI");
  Pon("CFondo", "5");
  QString ruta = e.Carpeta() + "/";
  gModuloOrdenDeTrabajo = false;  // the fixture's start-up loaded the schema's base configuration
  EXPECT_THROW(CargaConfiguracion(ruta), vb::Error);
  EXPECT_FALSE(gModuloOrdenDeTrabajo);
  // Through the start-up: the load ends silently; colours keep their start-up values.
  ReiniciaEstadoGlobal();
  e.Inicia();
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_EQ(gColorFondo, 0xFFFFFF);
  EXPECT_EQ(gColorLetra, 0);
  EXPECT_FALSE(gModuloOrdenDeTrabajo);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(Configuracion, UserWithABlankBusinessUnitGetsTheFirst) {
  Pon("PERIODO", "1");
  e.Sql("INSERT INTO TA_USUARIOS (NOMBRE, UNEGOCIO) VALUES ('SUPERVISOR', '   ')");
  Carga();
  EXPECT_EQ(gUnidadNegocio, "   1");
}
