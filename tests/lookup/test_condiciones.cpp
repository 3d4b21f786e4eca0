// Conditions of the look-up file and of callers: a condition written over
// several lines keeps filtering the list, a condition that smuggles a write
// never runs it, and something other than a file at the file's path is
// never waited on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>

#include "consultas_prueba.h"
#include "lookup/consultas_bvx.h"
#include "registro_prueba.h"

namespace {

// The customers' names a look-up of MA_CLIENTES shows.
QStringList NombresDeClientes(Consultas& t, EntornoPrueba& e, const QString& where = QString()) {
  QStringList nombres;
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& lista = dynamic_cast<Lib_FrmCons3&>(f);
    for (int i = 1; i <= lista.ListView1->ListItems().Count(); ++i) nombres << lista.ListView1->ListItems()(i)->Text();
    lista.CmdCancelar->click();
  });
  gConsulta->CampoDevuelto = "CODIGO";
  gConsulta->ConsultaSearch("MA_CLIENTES", nullptr, QString(), nullptr, where);
  return nombres;
}

}  // namespace

TEST_F(Consultas, AConditionOverSeveralLinesKeepsFilteringTheList) {
  consultas_bvx::Agrega(gConsulta->gRutaMascaraConsultas,
                        {Registro("MA_CLIENTES", "|NOMBRE|CODIGO|", "DADA_DE_BAJA = 0\r\n\tAND CODIGO <> '   1'\n")});
  const QStringList nombres = NombresDeClientes(*this, e);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(nombres.size(), 6) << nombres.join(", ").toStdString();
  EXPECT_FALSE(nombres.contains("PEREZ BAJA"));  // deregistered
  EXPECT_FALSE(nombres.contains("peña"));        // code 1
  EXPECT_TRUE(nombres.contains("GARCIA"));
}

TEST_F(Consultas, AFilterThatSmugglesADeleteNeverRunsIt) {
  ASSERT_EQ(e.Valor("SELECT COUNT(*) FROM MA_CLIENTES").toInt(), 8);
  // The caller's filter, taken when the record sets none.
  consultas_bvx::Agrega(gConsulta->gRutaMascaraConsultas, {Registro("MA_CLIENTES", "|NOMBRE|CODIGO|")});
  NombresDeClientes(*this, e, "DADA_DE_BAJA = 0\r\nDELETE FROM MA_CLIENTES --");
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM MA_CLIENTES").toInt(), 8);
  EXPECT_GE(e.ui().Cuenta("Error"), 1);  // the list says it could not load
  // The file's own condition, likewise.
  consultas_bvx::Agrega(gConsulta->gRutaMascaraConsultas,
                        {Registro("V_TA_TECNICOS", "|NOMBRE|IDTECNICO|", "1 = 1; DELETE FROM V_TA_TECNICOS")});
  e.ui().accionesModales.push_back([](Form& f) { dynamic_cast<Lib_FrmCons3&>(f).CmdCancelar->click(); });
  gConsulta->CampoDevuelto = "IDTECNICO";
  gConsulta->ConsultaSearch("V_TA_TECNICOS");
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_TA_TECNICOS").toInt(), 3);
}

TEST_F(ConEntorno, SomethingOtherThanAFileAtTheLookupFilesPathIsNoFile) {
  const QString tuberia = e.Ruta("tuberia.bvx");
  ASSERT_EQ(mkfifo(QFile::encodeName(tuberia).constData(), 0600), 0);
  QElapsedTimer reloj;
  reloj.start();
  for (const QString& ruta : {tuberia, QString("/dev/zero"), QString("/dev/null"), e.Carpeta()}) {
    EXPECT_FALSE(consultas_bvx::BuscaTabla(ruta, "V_TA_TECNICOS")) << ruta.toStdString();
    EXPECT_TRUE(consultas_bvx::LeeTodos(ruta).empty()) << ruta.toStdString();
  }
  // Nothing is written over it either.
  EXPECT_THROW(consultas_bvx::Agrega(tuberia, {Registro("A", "|X|Y|")}), vb::Error);
  EXPECT_THROW(consultas_bvx::Agrega("/dev/zero", {Registro("A", "|X|Y|")}), vb::Error);
  EXPECT_LT(reloj.elapsed(), 5000);
  EXPECT_FALSE(QFileInfo(tuberia).isFile());
}

TEST(QConsultaRegistro, OnlyCharacters0And255LeaveTheKeyAndTheFilter) {
  const QString condicion = QString("\tA = 1") + QChar(0) + "\r\nAND B = 2" + QChar(255) + "\n";
  const QConsulta q = QConsulta::DesdeBytes(Registro("MA_CLIENTES", "|A|", condicion).Bytes());
  EXPECT_EQ(q.Filtro(), "\tA = 1\r\nAND B = 2\n");
  EXPECT_EQ(q.Clave(), "MA_CLIENTES");
}
