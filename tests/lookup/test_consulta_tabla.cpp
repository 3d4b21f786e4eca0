// The table look-up dispatch: the columns of each table name, and the two
// paths (with and without the look-up file).
#include <gtest/gtest.h>

#include <QFile>

#include "consultas_prueba.h"
#include "platform/programa.h"
#include "session/consulta_tabla.h"

namespace {

QStringList Columnas(const QString& tabla, QString d = QString(), QString c = QString(), QString x = QString()) {
  EligeColumnasConsulta(tabla, d, c, x);
  return {d, c, x};
}

}  // namespace

TEST(ColumnasConsulta, FixedAndDerivedColumns) {
  EXPECT_EQ(Columnas("V_TA_Cpte"), (QStringList{"Descripcion", "Codigo", ""}));
  EXPECT_EQ(Columnas("v_ta_percepcion"), (QStringList{"DESCRIPCION", "IDPERCEPCION", ""}));
  EXPECT_EQ(Columnas("V_TA_RETENCIONES"), (QStringList{"DESCRIPCION", "IDRETENCION", ""}));
  EXPECT_EQ(Columnas("V_TA_UNIDADNEGOCIO"), (QStringList{"DESCRIPCION", "CODIGO", ""}));
  EXPECT_EQ(Columnas("V_TA_POLITICAPRECIOS"), (QStringList{"Descripcion", "codigo", ""}));
  // The derived part keeps the caller's spelling.
  EXPECT_EQ(Columnas("v_ta_bancos"), (QStringList{"DESCRIPCION", "IDbanco", ""}));
  EXPECT_EQ(Columnas("v_ta_tecnicos"), (QStringList{"NOMBRE", "IDtecnico", ""}));
  EXPECT_EQ(Columnas("V_TA_Cajas"), (QStringList{"DESCRIPCION", "IDCajas", ""}));
  EXPECT_EQ(Columnas("V_TA_CPRA_VTA"), (QStringList{"DESCRIPCION", "IDCOND_CPRA_VTA", ""}));
  EXPECT_EQ(Columnas("V_TA_TipoArticulo"), (QStringList{"DESCRIPCION", "IDTIPO", ""}));
  EXPECT_EQ(Columnas("V_TA_MotivoVta")[1], "IDMotivoVta");
  EXPECT_EQ(Columnas("V_TA_Deposito")[1], "IDDeposito");
  EXPECT_EQ(Columnas("V_TA_CATEGORIA")[1], "IDCATEGORIA");
  EXPECT_EQ(Columnas("V_TA_Rubros")[1], "IDRubro");
  EXPECT_EQ(Columnas("P_TA_CONOCIMIENTOS"), (QStringList{"Descripcion", "IDCONOCIMIENTO", ""}));
  EXPECT_EQ(Columnas("P_MA_Empresas"), (QStringList{"NombreEmpresa", "IDEmpresa", ""}));
  EXPECT_EQ(Columnas("P_TA_Areas")[1], "IDAreas");
  EXPECT_EQ(Columnas("P_TA_TITULOs")[1], "IDTITULO");
  EXPECT_EQ(Columnas("P_TA_FormasDePago")[1], "IDFormasDePago");
  EXPECT_EQ(Columnas("P_SINDICATOS"), (QStringList{"Descripcion", "IdSindicato", ""}));
  EXPECT_EQ(Columnas("P_TA_Funciones"), (QStringList{"DESCRIPCION", "IDFunciones", ""}));
  EXPECT_EQ(Columnas("TA_Rubros"), (QStringList{"DESCRIPCION", "IDRubro", ""}));
  EXPECT_EQ(Columnas("TA_TipoArticulo"), (QStringList{"DESCRIPCION", "IDTIPO", ""}));
  EXPECT_EQ(Columnas("P_MA_Clientes"), (QStringList{"RAZON_SOCIAL", "IDCLIENTE", ""}));
  EXPECT_EQ(Columnas("TA_Cpte"), (QStringList{"DESCRIPCION", "CODIGO", "DESCRIPCION"}));
  EXPECT_EQ(Columnas("V_MA_ARTICULOS"), (QStringList{"DESCRIPCION", "IDARTICULO", "DESCRIPCION"}));
  EXPECT_EQ(Columnas("V_MV_COTIZAR"), (QStringList{"COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES"}));
  EXPECT_EQ(Columnas("MA_ARTICULOS"), (QStringList{"DESCRIPCION", "IDARTICULO", "DESCRIPCION"}));
  EXPECT_EQ(Columnas("MA_MODELOS"), (QStringList{"NOMBRE", "NOMBRE", "NOMBRE"}));
  EXPECT_EQ(Columnas("MA_CHOFERES"), (QStringList{"APELLIDO", "CODIGO", "NOMBRES"}));
  EXPECT_EQ(Columnas("MA_DESTINATARIOS"), (QStringList{"NOMBRE", "CODIGO", "NOMBRE"}));
  EXPECT_EQ(Columnas("MA_VEHICULOS"), (QStringList{"PATENTE", "PATENTE", "MODELO"}));
  EXPECT_EQ(Columnas("MV_EJERCICIOS"), (QStringList{"DESCRIPCION", "PERIODO", "DESCRIPCION"}));
}

TEST(ColumnasConsulta, PrefixRowsAndNamesLeftAsTheyWere) {
  EXPECT_EQ(Columnas("TA_USUARIOS"), (QStringList{"NOMBRE", "NOMBRE", ""}));
  EXPECT_EQ(Columnas("TA_CPRA_VTA"), (QStringList{"DESCRIPCION", "CODIGO", "DESCRIPCION"}));
  EXPECT_EQ(Columnas("MA_CLIENTES"), (QStringList{"Razon_Social", "Codigo", "Codigo_sucursal"}));
  EXPECT_EQ(Columnas("ma_proveedores"), (QStringList{"Razon_Social", "Codigo", "Razon_Social"}));
  EXPECT_EQ(Columnas("MA_AGENCIAS"), (QStringList{"Razon_Social", "Codigo", "Razon_Social"}));
  EXPECT_EQ(Columnas("MA_PLANCUENTAS"), (QStringList{"Descripcion", "Codigo", "Descripcion"}));
  EXPECT_EQ(Columnas("[MA_CAMIONES]"), (QStringList{"nombre", "Codigo", "nombre"}));
  EXPECT_EQ(Columnas("MV_PROYECTOS"), (QStringList{"ASUNTO", "ID", "ASUNTO"}));
  // Names no row covers keep what the caller passed.
  EXPECT_EQ(Columnas("MV_ASIENTOS", "d", "c", "x"), (QStringList{"d", "c", "x"}));
  EXPECT_EQ(Columnas("[MA_OTRA]", "d", "c", "x"), (QStringList{"d", "c", "x"}));
  EXPECT_EQ(Columnas("VT_CLIENTES"), (QStringList{"", "", ""}));
  EXPECT_EQ(Columnas(""), (QStringList{"", "", ""}));
}

TEST_F(Consultas, TechnicianFieldsPickFromTheLookupFileWhateverTheShowFlag) {
  QString sql, devuelto;
  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    devuelto = f.CampoDevuelto;
    Selecciona(f, "Juan Peña");
    QTest::keyClick(f.ListView1, Qt::Key_Return);
  });
  QString d, c, x;
  ConsultaTabla("v_ta_tecnicos", d, c, x, false, QString());
  EXPECT_EQ(sql, "SELECT TOP 1000 NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE ");
  EXPECT_EQ(devuelto, "IDtecnico");
  EXPECT_EQ(c, "   1");
  EXPECT_EQ(d, "NOMBRE");
  EXPECT_EQ(x, "");
  EXPECT_EQ(gConsulta->CampoDevuelto, "");
}

TEST_F(Consultas, CancellingThePickLeavesTheCodeEmpty) {
  ConLista([&](Lib_FrmCons3& f) {
    Selecciona(f, "Juan Peña");
    f.CmdCancelar->click();
  });
  QString d, c, x;
  ConsultaTabla("V_TA_TECNICOS", d, c, x, true, QString());
  EXPECT_EQ(c, "");
}

TEST_F(Consultas, TablesWithoutARecordUseTheDispatchStatement) {
  QString sql;
  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    Selecciona(f, "100% Algodón");
    f.CmdAceptar->click();
  });
  QString d, c, x;
  ConsultaTabla("VT_CLIENTES", d, c, x, false, QString());
  // VT_CLIENTES has its record (and returns its CODIGO column).
  EXPECT_EQ(sql, "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL ");
  EXPECT_EQ(c, "  20");
  // MA_CLIENTES has none: the dispatch statement, with the caller's text.
  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    Selecciona(f, "Gomez SA");
    f.CmdAceptar->click();
  });
  d.clear(), c.clear(), x.clear();
  ConsultaTabla("MA_CLIENTES", d, c, x, false, "where DADA_DE_BAJA = 0");
  EXPECT_EQ(sql, "select Razon_Social,Codigo from MA_CLIENTES where DADA_DE_BAJA = 0 ");
  EXPECT_EQ(c, "   2");
}

TEST_F(Consultas, WithoutTheLookupFileTheShowFlagDecides) {
  QFile::remove(e.Ruta("consultas.bvx"));
  QString d, c, x;
  ConsultaTabla("V_TA_TECNICOS", d, c, x, false, QString());
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_EQ(c, "IDTECNICO");  // the column name comes back, nothing was picked

  e.Sql("CREATE TABLE OTRA_TABLA (A TEXT, B TEXT)");
  QString sql;
  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    f.CmdCancelar->click();
  });
  d.clear(), c.clear(), x.clear();
  ConsultaTabla("OTRA_TABLA", d, c, x, true, QString());
  EXPECT_EQ(sql, "select  * , from OTRA_TABLA  ");
  EXPECT_EQ(d, " * ");
  EXPECT_EQ(c, "");

  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    Selecciona(f, "Luis Díaz");
    f.CmdAceptar->click();
  });
  d.clear(), c.clear(), x.clear();
  ConsultaTabla("V_TA_TECNICOS", d, c, x, true, QString());
  EXPECT_EQ(sql, "select NOMBRE,IDTECNICO from V_TA_TECNICOS  ");
  EXPECT_EQ(c, "   3");
}

TEST_F(Consultas, SomeProgramsNeverUseTheLookupFile) {
  programa::FijaNombreEjecutable("TarVix");
  QString d, c, x;
  ConsultaTabla("V_TA_TECNICOS", d, c, x, false, QString());
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_EQ(c, "IDTECNICO");
}

TEST_F(Consultas, ATableThatDoesNotExistIsToldAndNothingIsPicked) {
  QString d, c, x;
  ConsultaTabla("v_ta_noexiste", d, c, x, true, QString());
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.startsWith("No se puede consultar la tabla v_ta_noexiste."));
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al Operador");
  EXPECT_EQ(c, "");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
