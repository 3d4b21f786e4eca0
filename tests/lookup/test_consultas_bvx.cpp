// The look-up configuration file: records, keys, column lists and filters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "lookup/consultas_bvx.h"
#include "registro_prueba.h"
#include "support/entorno.h"

TEST(QConsultaRegistro, ColumnListsAndFilters) {
  EXPECT_EQ(Registro("X", "|DESCRIPCION|IDARTICULO|").Columnas(), "DESCRIPCION,IDARTICULO");
  EXPECT_EQ(Registro("X", "|RAZON_SOCIAL|CODIGO|CONTACTO|").Columnas(), "RAZON_SOCIAL,CODIGO,CONTACTO");
  EXPECT_EQ(Registro("X", "").Columnas(), "*");
  EXPECT_EQ(Registro("X", "||A||").Columnas(), ",A,");  // one separator dropped at each end
  EXPECT_EQ(Registro("X", "|A|", QString(10, ' ')).Filtro(), "");
  EXPECT_EQ(Registro("X", "|A|", QString(QChar(0)) + QChar(255) + "  ").Filtro(), "");
  EXPECT_EQ(Registro("X", "|A|", " SUSPENDIDO = 0 ").Filtro(), "SUSPENDIDO = 0");
  QConsulta q = QConsulta::DesdeBytes(Registro(QString(QChar(0)) + "V_MA_ARTICULOS" + QChar(255), "|A|").Bytes());
  EXPECT_EQ(q.Clave(), "V_MA_ARTICULOS");
}

TEST(QConsultaRegistro, BytesAreFixedWidthAndCut) {
  QConsulta q = Registro(QString(150, 'T'), "|ÑANDÚ|");
  QByteArray b = q.Bytes();
  ASSERT_EQ(b.size(), 1202);
  EXPECT_EQ(b.mid(100, 100), QByteArray(100, 'T'));  // cut at the width
  EXPECT_EQ(b.mid(200, 7), QByteArray("|\xD1" "AND\xDA|"));  // single-byte text
  EXPECT_EQ(b.right(2), QByteArray("\r\n"));
  EXPECT_EQ(QConsulta::DesdeBytes(b).ListaCampos.trimmed(), "|ÑANDÚ|");
}

TEST_F(ConEntorno, FindsTheFirstRecordOfATable) {
  const QString f = e.Ruta("consultas.bvx");
  consultas_bvx::Agrega(f, {Registro("V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"), Registro("V_TA_TECNICOS", "|NOMBRE|"),
                            Registro("V_TA_TECNICOS", "|OTRO|")});
  auto r = consultas_bvx::BuscaTabla(f, " v_ma_articulos ");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Columnas(), "DESCRIPCION,IDARTICULO");
  r = consultas_bvx::BuscaTabla(f, "V_TA_TECNICOS");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Columnas(), "NOMBRE");
  EXPECT_FALSE(consultas_bvx::BuscaTabla(f, "VT_CLIENTES"));
  EXPECT_FALSE(consultas_bvx::BuscaTabla(e.Ruta("noexiste.bvx"), "V_TA_TECNICOS"));
}

TEST_F(ConEntorno, ShortAndOddLengthFilesKeepOnlyWholeRecords) {
  const QString f = e.Ruta("consultas.bvx");
  QByteArray dos = Registro("A", "|X|Y|").Bytes() + Registro("B", "|Z|W|").Bytes();
  e.EscribeArchivo("consultas.bvx", dos + QByteArray("basura final"));
  EXPECT_EQ(consultas_bvx::LeeTodos(f).size(), 2u);
  EXPECT_TRUE(consultas_bvx::BuscaTabla(f, "B"));
  e.EscribeArchivo("consultas.bvx", QByteArray("corto"));
  EXPECT_TRUE(consultas_bvx::LeeTodos(f).empty());
  EXPECT_FALSE(consultas_bvx::BuscaTabla(f, "A"));
  // Appending goes after the last whole record.
  e.EscribeArchivo("consultas.bvx", dos + QByteArray(100, 'x'));
  consultas_bvx::Agrega(f, {Registro("C", "|Q|R|")});
  QFile archivo(f);
  ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
  EXPECT_EQ(archivo.size(), 3 * 1202);
  EXPECT_TRUE(consultas_bvx::BuscaTabla(f, "C"));
}

TEST_F(ConEntorno, AFileThatCannotBeWrittenRaises) {
  EXPECT_THROW(consultas_bvx::Agrega(e.Ruta("no/existe/consultas.bvx"), {Registro("A", "|X|Y|")}), vb::Error);
  QDir(e.Carpeta()).mkdir("consultas.bvx");  // a folder in the file's place
  EXPECT_THROW(consultas_bvx::Agrega(e.Ruta("consultas.bvx"), {Registro("A", "|X|Y|")}), vb::Error);
  EXPECT_TRUE(QFileInfo(e.Ruta("consultas.bvx")).isDir());
}
