// Start-up: the command line, the connection, the look-up file and the
// INI-built line.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include "demo_sqlite.h"

#include "platform/cls_aplicacion.h"
#include "platform/espera_bloqueo.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "support/bloqueo.h"
#include "support/entorno.h"
#include "support/inicio_programa.h"

namespace {

// Runs the start-up on the line: the exit status when it ends the program,
// -1 when the program goes on.
int FinDelArranque(const QString& lineaComando) {
  bool usarIni = false;
  QString linea = lineaComando, cadena;
  try {
    InicializaSistema(usarIni, linea, cadena);
  } catch (const programa::ProgramaTerminado& t) {
    return t.estado;
  }
  return -1;
}

}  // namespace

TEST(LineaComando, KeysAreFoundInAnyCaseAndOrder) {
  const QString linea = "@usuariologeado=pepe; @CAJA = 3 ;@dbname= gestion.db; @Usuario=ana;@server=srv1;";
  EXPECT_EQ(LeeClaveLinea(linea, "@Usuario"), "ana");  // not the @UsuarioLogeado entry
  EXPECT_EQ(LeeClaveLinea(linea, "@UsuarioLogeado"), "pepe");
  EXPECT_EQ(LeeClaveLinea(linea, "@Caja"), "3");
  EXPECT_EQ(LeeClaveLinea(linea, "@DbName"), "gestion.db");
  EXPECT_EQ(LeeClaveLinea(linea, "@Server"), "srv1");
  EXPECT_EQ(LeeClaveLinea(linea, "@Menu"), "");
  EXPECT_EQ(LeeClaveLinea(linea, "@Menu", "1"), "1");
}

TEST(LineaComando, RepeatedEmptyAndLastEntries) {
  EXPECT_EQ(LeeClaveLinea("@Caja=1; @Caja=2;", "@Caja"), "1");  // first occurrence counts
  EXPECT_EQ(LeeClaveLinea("@Caja=;", "@Caja"), "");
  EXPECT_EQ(LeeClaveLinea("@Caja;", "@Caja"), "");
  // A last entry without ";" keeps the whole rest of the line.
  EXPECT_EQ(LeeClaveLinea("@Menu=x; @Caja=123456", "@Caja"), "123456");
  // Only the "=" after the key goes: a password may hold "=".
  EXPECT_EQ(LeeClaveLinea("@Password = a=b==c ; @Caja=1;", "@Password"), "a=b==c");
  EXPECT_EQ(LeeClaveLinea("garbage without keys", "@Server"), "");
  EXPECT_EQ(LeeClaveLinea("", "@Server"), "");
}

TEST(LineaComando, ServerNames) {
  QString s = "tcp/SERVIDOR:1433";
  EXPECT_EQ(ObtieneNombreServidor(s), "SERVIDOR");
  s = "SERVIDOR";
  EXPECT_EQ(ObtieneNombreServidor(s), "SERVIDOR");
  s = "a/b/c:9";
  EXPECT_EQ(ObtieneNombreServidor(s), "b/c");
}

TEST_F(ConEntorno, EachFormOfTheServerReachesTheDriverWithItsPortOrInstance) {
  struct Caso {
    const char* servidor;
    const char* conexion;
  };
  const Caso casos[] = {
      {"host", "SERVER={host};PORT=1433;"},
      {"host:1500", "SERVER={host};PORT=1500;"},
      {"tcp/host:1500", "SERVER={host};PORT=1500;"},
      {"host\\INSTANCIA", "SERVER={host\\INSTANCIA};DATABASE="},
      {"tcp/host\\INSTANCIA", "SERVER={host\\INSTANCIA};DATABASE="},
      {"host\\INSTANCIA:1600", "SERVER={host\\INSTANCIA};PORT=1600;"},
  };
  for (const Caso& c : casos) {
    QString servidor = c.servidor;
    gDatos.Servidor = ObtieneNombreServidor(servidor);
    gDatos.Puerto = ObtienePuertoServidor(servidor);
    gDatos.BaseDeDatos = "Gestion";
    gDatos.Usuario = "sa";
    gDatos.Password = "a}b";
    const QString t = gDatos.CadenaSqlServer();
    EXPECT_TRUE(t.startsWith("DRIVER={FreeTDS};" + QString(c.conexion))) << c.servidor << " -> " << t.toStdString();
    EXPECT_TRUE(t.contains("DATABASE={Gestion};UID={sa};PWD={a}}b};")) << t.toStdString();
    if (QString(c.servidor).contains('\\') && !QString(c.servidor).contains(':')) {
      EXPECT_FALSE(t.contains("PORT=")) << t.toStdString();
    }
  }
  // Through the start-up: the port of the command line is the one tried.
  EXPECT_GT(FinDelArranque("@Server=tcp/127.0.0.1:1; @DbName=Gestion; @Usuario=sa; @Password=x;"), 0);
  EXPECT_EQ(gDatos.Servidor, "127.0.0.1");
  EXPECT_EQ(gDatos.Puerto, "1");
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("127.0.0.1 (puerto 1)")) << e.ui().De("MsgBox")[0].texto.toStdString();
}

TEST_F(ConEntorno, StartUpConnectsAndFillsTheSession) {
  e.CreaBase();
  bool usarIni = false;
  QString linea = "@UsuarioLogeado=otro; @Server=; @DbName=prueba.db; @Usuario=supervisor; @Password=x=y; "
                  "@ParametroAdicional=P1; @Menu=M2;";
  QString cadena;
  InicializaSistema(usarIni, linea, cadena);
  ASSERT_TRUE(gDatos.Conectado());
  EXPECT_EQ(gUsuarioLogeado, "supervisor");  // the connection's user wins
  EXPECT_EQ(gDatos.Password, "x=y");
  EXPECT_EQ(gCaja, "1");
  EXPECT_EQ(gParametroAdicional, "P1");
  EXPECT_EQ(gMenu, "M2");
  EXPECT_EQ(gSeccionIni, "PUESTO1|ANA");
  EXPECT_EQ(gFlatToolbars, 1.0);
  EXPECT_EQ(gDatos.Conexion().CommandTimeout(), 360);
  EXPECT_EQ(gDatos.Conexion().DefaultDatabase(), "prueba.db");
  EXPECT_EQ(gCadenaDSN, "DSN=prueba.db; UID=supervisor; PWD=x=y");
  EXPECT_EQ(gAplicacion.Ruta, e.Carpeta() + "/");
  EXPECT_TRUE(gConsulta->gUsarMascarasConsultas);
  EXPECT_EQ(gConsulta->gRutaMascaraConsultas, e.Carpeta() + "/consultas.bvx");
  EXPECT_EQ(gConsulta->gConnString, gDatos.StringConexion());
  EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");  // the configuration was loaded
  EXPECT_EQ(e.ui().llamadas.size(), 0u);
}

TEST_F(ConEntorno, ProgramLineIsUsedWhenNoneIsPassed) {
  e.CreaBase();
  programa::FijaLineaDeComando("@Server=; @DbName=prueba.db; @Usuario=luis; @Caja=7;");
  bool usarIni = false;
  QString linea, cadena;
  InicializaSistema(usarIni, linea, cadena);
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_EQ(gUsuarioLogeado, "luis");
  EXPECT_EQ(gCaja, "7");
}

TEST_F(ConEntorno, DefaultLookupFileIsWrittenWhenMissing) {
  e.CreaBase();
  e.Inicia();
  QFile f(e.Ruta("consultas.bvx"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray b = f.readAll();
  ASSERT_EQ(b.size(), 9616);
  for (int r = 0; r < 8; ++r) EXPECT_EQ(b.mid(r * 1202 + 1200, 2), QByteArray("\r\n")) << r;
  EXPECT_EQ(b.mid(0, 100), QByteArray("ARTICULOS").leftJustified(100, ' '));
  EXPECT_EQ(b.mid(100, 100), QByteArray("V_MA_ARTICULOS").leftJustified(100, ' '));
  EXPECT_EQ(b.mid(200, 500), QByteArray("|DESCRIPCION|IDARTICULO|").leftJustified(500, ' '));
  EXPECT_EQ(b.mid(700, 500), QByteArray(500, ' '));
  EXPECT_EQ(b.mid(6 * 1202 + 100, 100), b.mid(5 * 1202 + 100, 100));  // the technicians twice
  EXPECT_EQ(b.mid(7 * 1202 + 100, 100), QByteArray("V_MA_MANTENIMIENTOS").leftJustified(100, ' '));
  EXPECT_EQ(b.mid(3 * 1202 + 200, 500),
            QByteArray("|Nombre_y_Apellido|Domicilio|Localidad|Telefono|").leftJustified(500, ' '));
}

TEST_F(ConEntorno, AnExistingLookupFileIsLeftUntouched) {
  e.CreaBase();
  e.EscribeArchivo("consultas.bvx", QByteArray("corto"));
  e.Inicia();
  QFile f(e.Ruta("consultas.bvx"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("corto"));
}

TEST_F(ConEntorno, ALookupFileThatCannotBeWrittenIsToldAndTheStartUpGoesOn) {
  e.CreaBase();
  // A folder where the file should be: it cannot be created.
  QDir(e.Carpeta()).mkpath("consultas.bvx/x");
  QDir(e.Carpeta()).rmdir("consultas.bvx/x");
  e.Inicia();
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_TRUE(QFileInfo(e.Ruta("consultas.bvx")).isDir());
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("consultas.bvx")) << e.ui().De("MsgBox")[0].texto.toStdString();
  // The configuration is loaded all the same.
  EXPECT_EQ(gRutaDocTareas, e.Carpeta() + "/BXDOCTareas.bvx");
  EXPECT_EQ(gUnidadNegocio, "   1");
  EXPECT_FALSE(gCantidadDecimales.isEmpty());
  // The look-ups work from the default records.
  QString campo, sql;
  ASSERT_TRUE(gConsulta->ArmaSentencia("v_ta_tecnicos", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE");
}

TEST_F(ConEntorno, APipeAtTheLookupFilesPlaceNeitherHangsNorIsReplaced) {
  e.CreaBase();
  ASSERT_EQ(mkfifo(QFile::encodeName(e.Ruta("consultas.bvx")).constData(), 0600), 0);
  e.Inicia();
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_FALSE(gRutaDocTareas.isEmpty());
  EXPECT_TRUE(QFileInfo(e.Ruta("consultas.bvx")).exists());
  EXPECT_FALSE(QFileInfo(e.Ruta("consultas.bvx")).isFile());
  QString campo, sql;
  ASSERT_TRUE(gConsulta->ArmaSentencia("VT_CLIENTES", campo, QString(), QString(), sql));
  EXPECT_EQ(sql, "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
}

TEST_F(ConEntorno, NoDatabaseNameMeansNoConfiguration) {
  e.CreaBase();
  gDatos.BaseDeDatos = "prueba.db";
  ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
  gDatos.BaseDeDatos.clear();  // connected, but no database named
  bool usarIni = false;
  QString linea = "@Server=;", cadena;
  InicializaSistema(usarIni, linea, cadena);
  EXPECT_TRUE(gRutaDocTareas.isEmpty());  // configuration not loaded
  EXPECT_TRUE(QFileInfo(e.Ruta("consultas.bvx")).isFile());
}

TEST_F(ConEntorno, AFailedConnectionEndsTheProgramWithAMessage) {
  // A database that is not there is named; a line without one (empty,
  // stray text, an empty @DbName) says so and shows the form of a line.
  const QString sinBase = "No se indicó la base de datos";
  const QString forma = "@Server=; @DbName=demo.db; @Usuario=…; @Password=…;";
  const struct {
    QString linea;
    QStringList dice;
  } casos[] = {
      {"@Server=; @DbName=noexiste.db; @Usuario=ana;", {"No se pudo conectar", e.Ruta("noexiste.db")}},
      {"", {sinBase, forma}},
      {"  ", {sinBase, forma}},
      {"zamolid demo.db", {sinBase, forma}},
      {"@Server=; @DbName= ; @Usuario=ana;", {sinBase, forma}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.linea.toStdString());
    ReiniciaEstadoGlobal();
    e.ui().llamadas.clear();
    EXPECT_GT(FinDelArranque(c.linea), 0);
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    const QString m = e.ui().De("MsgBox")[0].texto;
    for (const QString& t : c.dice) EXPECT_TRUE(m.contains(t)) << m.toStdString();
    if (c.dice[0] == sinBase) {
      EXPECT_FALSE(m.contains(e.Carpeta())) << m.toStdString();
    }
    EXPECT_FALSE(gDatos.Conectado());
  }
  EXPECT_FALSE(QFileInfo::exists(e.Ruta("noexiste.db")));
}

TEST_F(ConEntorno, GarbageDatabaseFileEndsTheProgramWithAMessage) {
  e.EscribeArchivo("basura.db", QByteArray("esto no es una base de datos, solo texto"));
  bool usarIni = false;
  QString linea = "@Server=; @DbName=basura.db;", cadena;
  EXPECT_THROW(InicializaSistema(usarIni, linea, cadena), programa::ProgramaTerminado);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
}

TEST_F(ConEntorno, ADatabaseWithoutTheSystemsTablesEndsTheProgramWithOneMessage) {
  e.EscribeArchivo("vacia.db", QByteArray());
  {
    demo::BaseSqlite otra(e.Ruta("otra.db"));
    otra.Ejecuta("CREATE TABLE CLIENTES (ID INTEGER); CREATE TABLE TA_CONFIGURACION (CLAVE TEXT, VALOR TEXT);");
  }
  for (const QString& base : {QString("vacia.db"), QString("/dev/null"), QString("otra.db")}) {
    SCOPED_TRACE(base.toStdString());
    ReiniciaEstadoGlobal();
    e.ui().llamadas.clear();
    EXPECT_GT(FinDelArranque("@Server=; @DbName=" + base + "; @Usuario=ana;"), 0);
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("no tiene las tablas del sistema"))
        << e.ui().De("MsgBox")[0].texto.toStdString();
    EXPECT_EQ(e.ui().Cuenta("Error"), 0);
    EXPECT_FALSE(gDatos.Conectado());
  }
  EXPECT_EQ(QFileInfo(e.Ruta("vacia.db")).size(), 0);  // left as it was
}

TEST_F(ConEntorno, AnotherUsersCommitDuringTheStartUpIsWaitedForAndTheWaitIsSaid) {
  e.CreaBase();
  {
    // Another supervisor holds the file for a moment while the program starts.
    BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
    otro.SueltaAlVerEspera();
    e.Inicia();
    EXPECT_TRUE(otro.VioEspera());
    // No window is shown yet: the start-up says in words that it waits.
    EXPECT_TRUE(otro.AvisoVisto().contains("espera a que la libere")) << otro.AvisoVisto().toStdString();
  }
  EXPECT_TRUE(espera_bloqueo::Aviso::Mostrado().isEmpty());
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  EXPECT_FALSE(gRutaDocTareas.isEmpty());
  // Once started, a wait shows the wait cursor over the windows, no words.
  BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
  otro.SueltaAlVerEspera();
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE 1 = 0").toInt(), 0);
  EXPECT_TRUE(otro.VioEspera());
  EXPECT_EQ(otro.AvisoVisto(), "");
}

TEST_F(ConEntorno, ALockTakenRightAfterTheConnectionStopsTheConfigurationLoadAtItsFirstReadWithOneMessage) {
  e.CreaBase();
  // The start-up gives the connection a CommandTimeout of minutes: the
  // lock budget, not that, bounds the wait.
  espera_bloqueo::FijaTotalMs(300);
  const long antes = espera_bloqueo::Esperas();
  {
    // Another program takes the database as the load reads its first key.
    BloqueoAlEmpezar otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo, "SELECT VALOR FROM ta_configuracion");
    EXPECT_EQ(FinDelArranque(LineaDeComando("prueba.db")), -1);  // the program goes on
    EXPECT_TRUE(otro.Tomado());
  }
  EXPECT_EQ(gDatos.Conexion().CommandTimeout(), 360);
  EXPECT_EQ(espera_bloqueo::Esperas() - antes, 1);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  const QString m = e.ui().De("MsgBox")[0].texto;
  EXPECT_TRUE(m.startsWith("No se pudo cargar la configuración del sistema.")) << m.toStdString();
  EXPECT_TRUE(m.contains(ado::kMensajeBloqueo)) << m.toStdString();
  // The load had begun and stopped at its first read.
  EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
  EXPECT_TRUE(gRutaDocTareas.isEmpty());
  EXPECT_TRUE(gDatos.Conectado());
}

TEST_F(ConEntorno, ALockThatOutlastsTheWaitIsToldAfterOneWaitAsALockNotAsADamagedFile) {
  e.CreaBase();
  // One wait of a second, set on the connection the start-up opens.
  constexpr int kEspera = 1000;
  gDatos.Conexion().SetCommandTimeout(kEspera / 1000);
  BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(FinDelArranque("@Server=; @DbName=prueba.db; @Usuario=ana;"), 1);
  const qint64 esperado = reloj.elapsed();
  otro.Suelta();
  gDatos.Conexion().SetCommandTimeout(30);
  EXPECT_GE(esperado, kEspera);
  EXPECT_LT(esperado, 2 * kEspera) << "the start-up waited for the lock more than once";
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  const QString m = e.ui().De("MsgBox")[0].texto;
  EXPECT_TRUE(m.contains("ocupada por otro usuario")) << m.toStdString();
  EXPECT_FALSE(m.contains("no es una base de datos")) << m.toStdString();
  EXPECT_FALSE(gDatos.Conectado());
}

TEST_F(ConEntorno, OracleServerBuildsItsConnectionText) {
  bool usarIni = false;
  QString linea = "@Server=#ventas; @DbName=gestion; @Usuario=u1; @Password=p1;", cadena;
  EXPECT_THROW(InicializaSistema(usarIni, linea, cadena), programa::ProgramaTerminado);
  EXPECT_EQ(cadena, "Provider=OraOLEDB.Oracle.1;Data Source=ventas;User Id=u1;Password=p1;");
  EXPECT_EQ(gDatos.Servidor, "ventas");
  // A connection text given by the caller is passed on unchanged.
  ReiniciaEstadoGlobal();
  QString propia = "DRIVER={SQLite3};Database=" + e.Ruta(e.CreaBase("o.db")) + ";";
  QString copia = propia;
  linea = "@Server=#ventas; @DbName=o.db;";
  InicializaSistema(usarIni, linea, propia);
  EXPECT_EQ(propia, copia);
  EXPECT_TRUE(gDatos.Conectado());
}

TEST_F(ConEntorno, IniLineIsBuiltWhenAskedAndTheLineIsBlank) {
  e.CreaBase("desdeini.db");
  const QString seccion = "[PUESTO1|ANABaseDeDatos]\n";
  e.EscribeArchivo("CN000pr.INI", ("[puesto1|ana]\nFlatToolbars=0\n" + seccion + "Servidor=\nDbName=desde|ini.db\n" +
                                   "Usuario=" + gUtil.CodificaTexto("ope|rador") + "\n")
                                      .toUtf8());
  bool usarIni = true;
  QString linea, cadena;
  InicializaSistema(usarIni, linea, cadena);
  ASSERT_TRUE(gDatos.Conectado());
  EXPECT_EQ(gDatos.BaseDeDatos, "desdeini.db");  // every "|" removed
  EXPECT_EQ(gUsuarioLogeado, "operador");
  EXPECT_EQ(gDatos.Password, "prelank");  // the built-in default, decoded
  EXPECT_EQ(gFlatToolbars, 0.0);
  EXPECT_EQ(gCaja, "1");
}

TEST_F(ConEntorno, GarbledIniFileGivesTheDefaults) {
  e.CreaBase();
  e.EscribeArchivo("CN000pr.INI", QByteArray("\x00\x01[[[=\n=== sin sección\n[PUESTO1|ANA\nFlatToolbars", 44));
  e.Inicia();
  EXPECT_TRUE(gDatos.Conectado());
  EXPECT_EQ(gFlatToolbars, 1.0);
}

TEST(Credenciales, EncodingRoundTrips) {
  for (QString t : {"Brelvix", "prelank", "con ñ y |", ""}) EXPECT_EQ(gUtil.DecodificaTexto(gUtil.CodificaTexto(t)), t);
  EXPECT_NE(gUtil.CodificaTexto("prelank"), "prelank");
  EXPECT_EQ(gUtil.DecodificaTexto("texto plano"), "texto plano");
}
