// The record pick service: the statement of each kind of request, what it
// hands to the list form and what it keeps after the form closes.
#include <gtest/gtest.h>

#include <QFile>

#include "consultas_prueba.h"
#include "lookup/consultas_bvx.h"
#include "platform/espera_bloqueo.h"
#include "registro_prueba.h"
#include "support/bloqueo.h"

TEST_F(Consultas, ArticleRecordReadsTheViewOfActiveArticles) {
  QString sql, campo;
  bool ordena = true;
  int columnas = 0;
  QString claveAnchos;
  bool articulo = false;
  ConLista([&](Lib_FrmCons3& f) {
    sql = f.Sql;
    ordena = f.OrdenarPorLwv;
    columnas = f.ListView1->ColumnHeaders().Count();
    claveAnchos = f.ClaveAnchos();
    articulo = f.EsArticulo();
    EXPECT_EQ(Columna(f, 0), (QStringList{"Arandela", "Bulon", "Clavo", "Destornillador", "Escuadra"}));
    f.CmdCancelar->click();
  });
  gConsulta->ConsultaSearch("V_MA_ARTICULOS", nullptr, QString(), &campo);
  // The load adds one blank to the statement.
  EXPECT_EQ(sql, "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION ");
  EXPECT_EQ(campo, "DESCRIPCION");
  EXPECT_FALSE(ordena);
  EXPECT_EQ(columnas, 2);
  EXPECT_EQ(claveAnchos, "VT_MA_ARTICULOS");
  EXPECT_TRUE(articulo);
}

TEST_F(Consultas, RecordStatementsTakeTheCallersFilterAndTheRowLimit) {
  QString campo, sql;
  ASSERT_TRUE(gConsulta->ArmaSentencia("vt_clientes ", campo, "CODIGO > 0", QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE CODIGO > 0 ORDER BY RAZON_SOCIAL");
  campo.clear();
  ASSERT_TRUE(gConsulta->ArmaSentencia("VT_CLIENTES", campo, "  ", QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = '50' WHERE CLAVE = 'TopConsArt'");
  campo = "CODIGO";  // a search column given is kept
  ASSERT_TRUE(gConsulta->ArmaSentencia("VT_PROVEEDORES", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 50 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY CODIGO");
  for (const char* malo : {"abc", "0", "-5", " "}) {
    e.Sql(QString("UPDATE TA_CONFIGURACION SET VALOR = '%1' WHERE CLAVE = 'TopConsArt'").arg(malo));
    ASSERT_TRUE(gConsulta->ArmaSentencia("VT_PROVEEDORES", campo, QString(), QString(), sql));
    EXPECT_TRUE(sql.startsWith("SELECT TOP 1000 ")) << malo;
  }
}

TEST_F(Consultas, ARecordWithOneColumnNeedsASearchColumn) {
  consultas_bvx::Agrega(gConsulta->gRutaMascaraConsultas, {Registro("MA_CLIENTES", "|NOMBRE|")});
  gConsulta->Checks = true;
  gConsulta->CampoDevuelto = "NOMBRE";
  ColeccionTextos pedidos = QStringList{"NOMBRE"};
  gConsulta->ConsultaSearch("MA_CLIENTES", &pedidos);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().llamadas[0].texto, "Debe configurar la consulta para esta tabla");
  EXPECT_EQ(e.ui().llamadas[0].titulo, "Aviso al operador");
  EXPECT_EQ(e.ui().llamadas[0].valor, vbmsg::Information);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "");
  EXPECT_FALSE(gConsulta->Valores);
  EXPECT_FALSE(gConsulta->Cantidades);
  EXPECT_FALSE(pedidos);
  EXPECT_EQ(gConsulta->CampoDevuelto, "");
  EXPECT_FALSE(gConsulta->Checks);

  QString campo = "NOMBRE", sql;
  ASSERT_TRUE(gConsulta->ArmaSentencia("MA_CLIENTES", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 NOMBRE FROM MA_CLIENTES ORDER BY NOMBRE");
}

TEST_F(Consultas, CallersStatementsReadTheArticleView) {
  bool ordena = false;
  QString sql;
  Busca("select IDARTICULO, DESCRIPCION from V_MA_ARTICULOS where SUSPENDIDO = 0", [&](Lib_FrmCons3& f) {
    sql = f.Sql;
    ordena = f.OrdenarPorLwv;
    f.CmdCancelar->click();
  });
  EXPECT_EQ(sql, "select IDARTICULO, DESCRIPCION from VT_MA_ARTICULOS where SUSPENDIDO = 0 ");
  EXPECT_TRUE(ordena);
  Busca("select NOMBRE from MA_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& f) {
    ordena = f.OrdenarPorLwv;
    f.CmdCancelar->click();
  });
  EXPECT_FALSE(ordena);
}

TEST_F(Consultas, TablesWithoutARecordShowTheirOwnColumns) {
  e.Sql("CREATE TABLE MA_ZONAS (ID INTEGER PRIMARY KEY, CODIGO TEXT, NOMBRE TEXT, FECHAHORA_GRABACION DATETIME)");
  e.Sql("CREATE TABLE MA_VACIA (ID INTEGER PRIMARY KEY, FECHAHORA_GRABACION DATETIME)");
  QString campo, sql;
  ASSERT_TRUE(gConsulta->ArmaSentencia("MA_ZONAS", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 NOMBRE,CODIGO FROM MA_ZONAS ORDER BY NOMBRE");
  EXPECT_EQ(campo, "NOMBRE");
  campo = "ID";
  ASSERT_TRUE(gConsulta->ArmaSentencia("MA_VACIA", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000  *  FROM MA_VACIA ORDER BY ID");
  // Nothing to sort by: no ORDER BY at all (the statement still runs).
  campo.clear();
  ASSERT_TRUE(gConsulta->ArmaSentencia("MA_VACIA", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000  *  FROM MA_VACIA");
  EXPECT_NO_THROW(e.Valor(sql));
  // The caller's statement stands for a table without a record, untouched.
  ASSERT_TRUE(gConsulta->ArmaSentencia("MA_ZONAS", campo, QString(), "select CODIGO from MA_ZONAS", sql));
  EXPECT_EQ(sql, "select CODIGO from MA_ZONAS");
}

TEST_F(Consultas, AMissingOrDamagedLookupFileFallsBackToTheTablesColumns) {
  QString campo, sql;
  gConsulta->gRutaMascaraConsultas = e.Ruta("no-existe.bvx");
  ASSERT_TRUE(gConsulta->ArmaSentencia("V_TA_TECNICOS", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 ACTIVO,VALORHORA,TELEFONO,ESPECIALIDAD,NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE");

  // A record with line breaks and tabs in its texts is used as written.
  const QString archivo = e.Ruta("danado.bvx");
  consultas_bvx::Agrega(archivo, {Registro("V_TA_TECNICOS", "|NOMBRE|\r\n\tIDTECNICO|", "ACTIVO = 1\r\n")});
  gConsulta->gRutaMascaraConsultas = archivo;
  campo.clear();
  ASSERT_TRUE(gConsulta->ArmaSentencia("V_TA_TECNICOS", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 NOMBRE,\r\n\tIDTECNICO FROM V_TA_TECNICOS WHERE ACTIVO = 1\r\n ORDER BY NOMBRE");

  // A short file has no records at all.
  e.EscribeArchivo("danado.bvx", QByteArray(700, 'x'));
  campo.clear();
  ASSERT_TRUE(gConsulta->ArmaSentencia("V_TA_TECNICOS", campo, QString(), QString(), sql));
  EXPECT_TRUE(sql.endsWith("FROM V_TA_TECNICOS ORDER BY NOMBRE"));
}

TEST_F(Consultas, AcceptReturnsTheCodeAndTheExtraColumns) {
  ColeccionTextos pedidos = QStringList{"NOMBRE", "CODIGO", "NO_EXISTE"};
  ConLista([&](Lib_FrmCons3& f) {
    EXPECT_EQ(f.CmpsDevueltos, pedidos);
    Selecciona(f, "PEREZ");
    QTest::keyClick(f.ListView1, Qt::Key_Return);
  });
  gConsulta->CampoDevuelto = "CODIGO";
  gConsulta->ConsultaSearch("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", &pedidos);
  EXPECT_EQ(vb::Texto(gConsulta->ValorDevuelto), "  12");
  // A name that matches no column gives nothing, not another column's value.
  EXPECT_EQ(gConsulta->Valores, (QStringList{"PEREZ", "  12", ""}));
  EXPECT_EQ(gConsulta->Cantidades, QStringList());
  EXPECT_FALSE(pedidos);
  EXPECT_EQ(gConsulta->CampoDevuelto, "");
}

TEST_F(Consultas, AnUnknownReturnColumnReturnsNothing) {
  Busca("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& f) {
    Selecciona(f, "PEREZ");
    f.CmdAceptar->click();
  }, "IDCLIENTE");
  EXPECT_EQ(vb::Texto(gConsulta->ValorDevuelto), "");
}

TEST_F(Consultas, CancelReturnsNothing) {
  ColeccionTextos pedidos = QStringList{"NOMBRE"};
  gConsulta->Checks = true;
  ConLista([&](Lib_FrmCons3& f) {
    Selecciona(f, "PEREZ");
    f.CmdCancelar->click();
  });
  gConsulta->CampoDevuelto = "CODIGO";
  gConsulta->ConsultaSearch("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", &pedidos);
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "");
  EXPECT_FALSE(gConsulta->Valores);
  EXPECT_EQ(gConsulta->Cantidades, QStringList());
  EXPECT_FALSE(pedidos);
  EXPECT_FALSE(gConsulta->Checks);
  EXPECT_EQ(gConsulta->CampoDevuelto, "");
}

TEST_F(Consultas, TheCloseBoxCancelsTheLookUp) {
  Busca("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& f) {
    Selecciona(f, "PEREZ");
    f.close();
  });
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "");
  EXPECT_FALSE(gConsulta->Valores);
}

TEST_F(Consultas, MultipleSelectionWithQuantities) {
  gConsulta->Checks = true;
  gConsulta->UsaCantidades = true;
  e.ui().respuestasInput = {QString("3,5")};
  ConLista([&](Lib_FrmCons3& f) {
    Selecciona(f, "GARCIA");
    QTest::keyClick(f.ListView1, Qt::Key_Insert);
    QTest::keyClick(f.ListView1, Qt::Key_Insert);
    Selecciona(f, "PEREZ");
    QTest::keyClick(f.ListView1, Qt::Key_Insert, Qt::ShiftModifier);
    Selecciona(f, "peña");
    QTest::keyClick(f.ListView1, Qt::Key_Space);  // ticked by the list itself, quantity untouched
    f.CmdAceptar->click();
  });
  gConsulta->CampoDevuelto = "CODIGO";
  gConsulta->ConsultaSearch(
      "SELECT NOMBRE, '0.00' AS Cantidad, CODIGO FROM MA_CLIENTES WHERE CODIGO IN ('   1', '   2', '  12') ORDER BY NOMBRE");
  // In the list's order (GARCIA, PEREZ, peña), one quantity per value.
  EXPECT_EQ(gConsulta->Valores, (QStringList{"   2", "  12", "   1"}));
  EXPECT_EQ(gConsulta->Cantidades, (QStringList{"2.0", "3.50", "0.00"}));
  EXPECT_FALSE(gConsulta->Checks);
  EXPECT_FALSE(gConsulta->ValorDevuelto.toString().size());
}

TEST_F(Consultas, PreTickedValuesAreWholeEntriesOfTheList) {
  QStringList marcadas;
  gConsulta->Checks = true;
  ConLista([&](Lib_FrmCons3& f) {
    for (int i = 1; i <= f.ListView1->ListItems().Count(); ++i)
      if (f.ListView1->ListItems()(i)->Checked()) marcadas << f.ListView1->ListItems()(i)->Text();
    f.CmdAceptar->click();
  });
  e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('0001', 'Uno'), ('0007', 'Siete'), ('00', 'Cero'), "
        "('0002', 'Dos'), ('', 'Vacio')");
  gConsulta->CampoDevuelto = "IDTECNICO";
  gConsulta->ConsultaSearch("SELECT NOMBRE, IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE", nullptr, QString(), nullptr,
                            QString(), QString(), false, "|0001|0007|   2|");
  // "00" and Juan Peña's "1" only occur inside entries; "   2" is Ana
  // Gómez's code "2" padded; an empty value ("Vacio") is in no list.
  EXPECT_EQ(marcadas, (QStringList{"Ana Gómez", "Siete", "Uno"}));
  // The values as the list shows them (short codes right-aligned to four).
  EXPECT_EQ(gConsulta->Valores, (QStringList{"   2", "0007", "0001"}));
  // A single value without bars is one entry, compared ignoring case.
  marcadas.clear();
  gConsulta->Checks = true;
  ConLista([&](Lib_FrmCons3& f) {
    for (int i = 1; i <= f.ListView1->ListItems().Count(); ++i)
      if (f.ListView1->ListItems()(i)->Checked()) marcadas << f.ListView1->ListItems()(i)->Text();
    f.CmdCancelar->click();
  });
  gConsulta->CampoDevuelto = "NOMBRE";
  gConsulta->ConsultaSearch("SELECT NOMBRE, IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE", nullptr, QString(), nullptr,
                            QString(), QString(), false, "siete");
  EXPECT_EQ(marcadas, QStringList{"Siete"});
}

TEST_F(Consultas, APickListOpenedWhileAnotherProgramHoldsTheDatabaseWaitsOnceAndTellsOnce) {
  // The connection as the start-up leaves it: a CommandTimeout of minutes.
  ASSERT_EQ(gDatos.Conexion().CommandTimeout(), 360);
  espera_bloqueo::FijaTotalMs(300);
  const long antes = espera_bloqueo::Esperas();
  ConLista([&](Lib_FrmCons3& f) { f.CmdCancelar->click(); });
  {
    BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
    gConsulta->ConsultaSearch("V_TA_TECNICOS");
  }
  // The look-up reads its row limit from the configuration, then the list:
  // only the first read waited, and the person was told once.
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 1);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].texto, ado::kMensajeBloqueo);
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "");
}
