// The ODBC route, exercised for real through the SQLite ODBC driver.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <thread>
#include <utility>

#include "demo_sqlite.h"
#include "platform/cls_datos.h"
#include "platform/navegador_sql.h"
#include "platform/vb_error.h"
#include "support/entorno.h"

namespace {

// A local socket of the kind (SOCK_DGRAM or SOCK_STREAM) on a port of its
// own; its thread, when given, runs until the socket goes.
struct Local {
  explicit Local(int tipo) : fd(::socket(AF_INET, tipo, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), n), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    puerto = ntohs(a.sin_port);
    if (tipo == SOCK_STREAM) ::listen(fd, 4);
  }
  ~Local() {
    fin = true;
    if (hilo.joinable()) hilo.join();
    ::close(fd);
  }
  // Waits a little for the socket to have something.
  bool Espera() const {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 20) > 0;
  }
  int fd;
  int puerto = 0;
  std::atomic<bool> fin{false};
  std::thread hilo;
};

// A server's browser service that answers every question with the port.
void Contesta(Local& navegador, int puerto, QByteArray& pregunta) {
  navegador.hilo = std::thread([&navegador, puerto, &pregunta] {
    while (!navegador.fin) {
      if (!navegador.Espera()) continue;
      char b[512];
      sockaddr_in de{};
      socklen_t n = sizeof de;
      const ssize_t leidos = ::recvfrom(navegador.fd, b, sizeof b, 0, reinterpret_cast<sockaddr*>(&de), &n);
      if (leidos <= 0) continue;
      pregunta = QByteArray(b, static_cast<qsizetype>(leidos));
      const QByteArray datos = "ServerName;PC;InstanceName;SQLEXPRESS;IsClustered;No;Version;16.0.1000.6;tcp;" +
                               QByteArray::number(puerto) + ";;";
      const QByteArray r = QByteArray("\x05") + char(datos.size() & 0xFF) + char(datos.size() >> 8) + datos;
      ::sendto(navegador.fd, r.constData(), r.size(), 0, reinterpret_cast<sockaddr*>(&de), n);
    }
  });
}

}  // namespace

TEST_F(ConEntorno, OdbcConnectionRunsQueriesBatchesAndPreparedStatements) {
  {
    demo::BaseSqlite b(e.Ruta("odbc.db"));
    b.Ejecuta("CREATE TABLE T (ID INTEGER PRIMARY KEY, NOMBRE TEXT, FECHA DATE);"
              "INSERT INTO T VALUES (1, 'uno', '2026-01-02'); INSERT INTO T VALUES (2, 'dos', NULL);");
  }
  const QString cadena = QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(e.Ruta("odbc.db"));
  ASSERT_TRUE(gDatos.Conectar(false, 3, cadena)) << (e.ui().llamadas.empty() ? std::string() : e.ui().llamadas[0].texto.toStdString());
  EXPECT_FALSE(gDatos.EsSqlite());
  EXPECT_EQ(gDatos.StringConexion(), cadena);

  Recordset rs;
  gDatos.AbreRecordset("SELECT ID, NOMBRE FROM T ORDER BY ID", rs);
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Fields("NOMBRE").Value().toString(), "uno");

  gDatos.Ejecuta("INSERT INTO T (ID, NOMBRE) VALUES (3, 'tres')\r\nUPDATE T SET NOMBRE = 'TRES' WHERE ID = 3");
  gDatos.AbreRecordsetPreparado("SELECT NOMBRE FROM T WHERE ID = ?", {3}, rs);
  EXPECT_EQ(rs.Fields(0).Value().toString(), "TRES");

  // A failing batch leaves nothing written.
  EXPECT_THROW(gDatos.Ejecuta("INSERT INTO T (ID, NOMBRE) VALUES (4, 'cuatro')\r\nINSERT INTO NOEXISTE VALUES (1)"), vb::Error);
  ASSERT_EQ(gDatos.Conexion().Errors().size(), 1u);
  EXPECT_TRUE(gDatos.Conexion().Errors()[0].Description.contains("NOEXISTE"));
  gDatos.AbreRecordset("SELECT COUNT(*) FROM T", rs);
  EXPECT_EQ(rs.Fields(0).Value().toInt(), 3);
  EXPECT_TRUE(gDatos.Conexion().Errors().empty());
}

TEST_F(ConEntorno, UnreachableSourcesFailWithAMessage) {
  ASSERT_FALSE(gDatos.Conectar(false, 3, "Provider=OraOLEDB.Oracle.1;Data Source=ventas;User Id=u;Password=p;"));
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("Oracle")) << e.ui().De("MsgBox")[0].texto.toStdString();
  EXPECT_FALSE(gDatos.Conectado());

  // A server nobody listens on: FreeTDS gives up within the login timeout.
  gDatos.Servidor = "127.0.0.1";
  gDatos.BaseDeDatos = "Gestion";
  gDatos.Usuario = "sa";
  gDatos.Password = "x";
  EXPECT_FALSE(gDatos.Conectar(false, 3, QString()));
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 2);
  EXPECT_TRUE(e.ui().De("MsgBox")[1].texto.contains("127.0.0.1"));
}

TEST_F(ConEntorno, ANamedInstancesPortIsAskedOfTheServerWithinTheLoginTime) {
  gDatos.BaseDeDatos = "Gestion";
  gDatos.Usuario = "sa";
  gDatos.Password = "x";
  gDatos.SegundosConexion = 1;  // how long a silent service is waited for
  // The instance's server: it takes the driver's connection and drops it.
  Local servidor(SOCK_STREAM);
  std::atomic<int> conexiones{0};
  servidor.hilo = std::thread([&] {
    while (!servidor.fin)
      if (servidor.Espera()) {
        const int conexion = ::accept(servidor.fd, nullptr, nullptr);
        // Counted before it is dropped: the driver gives up at once then,
        // and the test looks at the count as soon as the attempt ends.
        ++conexiones;
        ::close(conexion);
      }
  });
  enum class Servicio { Calla, NoEsta, Contesta };
  const struct {
    Servicio servicio;
    QString dice;
  } casos[] = {
      {Servicio::Calla, "La instancia SQLEXPRESS no respondió: el servicio de nombres de instancias del servidor "
                        "127.0.0.1 (SQL Server Browser, puerto UDP <navegador>) no contestó a tiempo."},
      {Servicio::NoEsta, "La instancia SQLEXPRESS no respondió: el servidor 127.0.0.1 rechazó la consulta"},
      {Servicio::Contesta, "No se pudo conectar con el servidor 127.0.0.1\\SQLEXPRESS (puerto <servidor>)."},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(static_cast<int>(c.servicio));
    e.ui().llamadas.clear();
    conexiones = 0;
    QByteArray pregunta;
    Local navegador(SOCK_DGRAM);
    gDatos.PuertoNavegador = navegador.puerto;
    if (c.servicio == Servicio::NoEsta) ::close(std::exchange(navegador.fd, ::socket(AF_INET, SOCK_DGRAM, 0)));
    if (c.servicio == Servicio::Contesta) Contesta(navegador, servidor.puerto, pregunta);
    gDatos.Servidor = "127.0.0.1\\SQLEXPRESS";
    EXPECT_FALSE(gDatos.Conectar(false, 3, QString()));
    EXPECT_FALSE(gDatos.Conectado());
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    const QString m = e.ui().De("MsgBox")[0].texto;
    const QString dice = QString(c.dice)
                             .replace("<navegador>", QString::number(navegador.puerto))
                             .replace("<servidor>", QString::number(servidor.puerto));
    EXPECT_TRUE(m.contains(dice)) << m.toStdString();
    // The port the service gave is the one the driver dialled.
    EXPECT_EQ(conexiones.load() > 0, c.servicio == Servicio::Contesta);
    if (c.servicio == Servicio::Contesta) {
      EXPECT_EQ(pregunta, QByteArray("\x04SQLEXPRESS", 11) + '\0');
    }
  }
}

TEST(NavegadorSql, TheAnswerGivesTheInstancesTcpPort) {
  const auto respuesta = [](const QByteArray& datos, int largo = -1) {
    if (largo < 0) largo = static_cast<int>(datos.size());
    return QByteArray("\x05") + char(largo & 0xFF) + char(largo >> 8) + datos;
  };
  const QByteArray una = "ServerName;PC;InstanceName;SQLEXPRESS;IsClustered;No;Version;16.0.1000.6;tcp;49172;;";
  const struct {
    QByteArray respuesta;
    int puerto;
  } casos[] = {
      {respuesta(una), 49172},
      {respuesta(QByteArray(una).replace("SQLEXPRESS", "sqlExpress")), 49172},
      {respuesta("ServerName;PC;InstanceName;OTRA;tcp;1500;;ServerName;PC;InstanceName;SQLEXPRESS;tcp;1600;;"), 1600},
      {respuesta("ServerName;PC;InstanceName;SQLEXPRESS;IsClustered;No;np;\\\\PC\\pipe\\sql\\query;;"), 0},
      {respuesta("ServerName;PC;InstanceName;SQLEXPRESS;tcp;puerto;;"), 0},
      {respuesta("ServerName;PC;InstanceName;SQLEXPRESS;tcp;70000;;"), 0},
      {respuesta("ServerName;PC;InstanceName;SQLEXPRESS;tcp;1600;;", 38), 0},  // cut before the port
      {respuesta("ServerName;PC;InstanceName;SQLEXPRESS;tcp;1600;;", 4000), 1600},
      {respuesta("ServerName;PC;InstanceName;OTRA;tcp;1500;;"), -1},
      {respuesta("InstanceName;SQLEXPRESS;tcp;1600;;").replace(0, 1, "\x04"), -1},
      {QByteArray("\x05\x10"), -1},
      {QByteArray(), -1},
  };
  for (const auto& c : casos) EXPECT_EQ(navegador_sql::PuertoEnRespuesta(c.respuesta, "SQLEXPRESS"), c.puerto) << c.respuesta.toStdString();
  // An instance's name is at most 32 bytes: a longer one is not sent.
  EXPECT_EQ(navegador_sql::Pregunta(QString(32, u'A')).size(), 34);
  EXPECT_THROW(navegador_sql::Pregunta(QString(33, u'A')), vb::Error);
  EXPECT_THROW(navegador_sql::Pregunta(QString()), vb::Error);
  // The refused name is told as it was given, whatever it holds.
  for (const QString& nombre : {QString("%1%2") + QString(31, u'B'), QString(40, u'%')}) {
    try {
      navegador_sql::Pregunta(nombre);
      ADD_FAILURE() << nombre.toStdString();
    } catch (const vb::Error& e) {
      EXPECT_TRUE(e.Description.contains("\"" + nombre + "\" no es válido: debe tener entre 1 y 32 caracteres."))
          << e.Description.toStdString();
    }
  }
}

// On the server road nothing adapts a text: TOP, ISNULL and the trimmed code
// comparisons reach the driver as the program wrote them (the SQLite ODBC
// driver's trace shows what it received; SQLite itself cannot run TOP).
TEST_F(ConEntorno, TheServerRoadSendsEveryTextAsWritten) {
  {
    demo::BaseSqlite b(e.Ruta("odbc.db"));
    b.Ejecuta("CREATE TABLE T (CODIGO TEXT, NOMBRE TEXT);"
              "INSERT INTO T VALUES ('   7', 'siete'); INSERT INTO T VALUES ('  12', NULL);");
  }
  const QString traza = e.Ruta("traza.log");
  ASSERT_TRUE(gDatos.Conectar(false, 3, QStringLiteral("DRIVER={SQLite3};Database=%1;Tracefile=%2;").arg(e.Ruta("odbc.db"), traza)));
  auto recibidas = [&] {
    QFile f(traza);
    f.open(QIODevice::ReadOnly);
    QStringList r;
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("-- sqlite3_prepare_v2: ")) r << QString::fromUtf8(l.mid(23));
    return r;
  };
  Recordset rs;
  EXPECT_THROW(gDatos.AbreRecordset("SELECT TOP 1 ISNULL(NOMBRE, '') FROM T WHERE LTRIM(RTRIM(CODIGO)) = '7'", rs), vb::Error);
  EXPECT_TRUE(recibidas().contains("SELECT TOP 1 ISNULL(NOMBRE, '') FROM T WHERE LTRIM(RTRIM(CODIGO)) = '7'"));
  // The code look-up compares trimmed codes with the typed one.
  EXPECT_EQ(gDatos.ObtieneValor("T", " 7", "NOMBRE", "CODIGO").toString(), "siete");
  EXPECT_EQ(gDatos.ObtieneValor("T", "12", "NOMBRE", "CODIGO").toString(), "");
  EXPECT_TRUE(recibidas().contains("SELECT NOMBRE FROM T WHERE LTRIM(RTRIM(CODIGO)) = LTRIM(RTRIM(?))"));
  // A batch goes statement by statement, each as written; a read row by row
  // gets the rows.
  gDatos.Ejecuta("UPDATE T SET NOMBRE = 'doce' WHERE LTRIM(RTRIM(CODIGO)) = '12'\r\nDELETE FROM T WHERE CODIGO = 'x'");
  EXPECT_TRUE(recibidas().contains("UPDATE T SET NOMBRE = 'doce' WHERE LTRIM(RTRIM(CODIGO)) = '12'"));
  QStringList nombres;
  gDatos.RecorreRecordset("SELECT NOMBRE FROM T ORDER BY CODIGO", [&](const QVariant* v, int n) {
    ASSERT_EQ(n, 1);
    nombres << v[0].toString();
  });
  EXPECT_EQ(nombres, (QStringList{"siete", "doce"}));  // "   7" comes before "  12"
  for (const QString& s : recibidas())
    EXPECT_FALSE(s.contains("LIMIT") || s.contains("IFNULL") || s.contains("COLLATE")) << s.toStdString();
}
