#include "lista_comprobantes.h"

#include <QFile>
#include <QTemporaryDir>

#include "platform/cls_datos.h"
#include "platform/controles/listview.h"

namespace {
QTemporaryDir* gDirDemo = nullptr;
}

std::unique_ptr<FrmConsComprobantes> AbreLista(const QString& tc, const QString& filtro) {
  auto f = std::make_unique<FrmConsComprobantes>();
  f->TC = tc;
  f->Filtro = filtro;
  f->Load();
  return f;
}

QStringList Titulos(ListView* lista) {
  QStringList r;
  for (int i = 1; i <= lista->ColumnHeaders().Count(); ++i) r << lista->ColumnHeaders()(i)->Text();
  return r;
}

QStringList Linea(ListItem* item, int columnas) {
  QStringList r{item->Text()};
  for (int i = 1; i < columnas; ++i) r << item->SubItems(i);
  return r;
}

void DemoCptes::SetUpTestSuite() {
  gDirDemo = new QTemporaryDir;
  demo::Opciones o;
  o.reportes = 60;
  o.articulos = 80;
  demo::CreaBaseDemo(gDirDemo->filePath("demo.db"), o);
}

void DemoCptes::TearDownTestSuite() {
  delete gDirDemo;
  gDirDemo = nullptr;
}

void DemoCptes::SetUp() {
  ASSERT_TRUE(QFile::copy(gDirDemo->filePath("demo.db"), e.Ruta("demo.db")));
  e.Inicia("demo.db");
  ASSERT_TRUE(gDatos.Conectado());
}

void ConComprobantes::SetUp() {
  e.CreaBase();
  e.Inicia();
  ASSERT_TRUE(gDatos.Conectado());
}

void ConComprobantes::Venta(const QString& tc, const QString& clave, int complemento, const QString& fecha,
                            const QString& cuenta, const QString& nombre, double importe, int anulada, int aprobado,
                            int finalizada, const QString& comentarios) {
  e.Sql(QString("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, NOMBRE, IMPORTE, ANULADA, "
                "APROBADO, FINALIZADA, COMENTARIOS) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11)")
            .arg(ClsDatos::Literal(tc.rightJustified(4)), ClsDatos::Literal(clave), QString::number(complemento),
                 ClsDatos::Literal(fecha), ClsDatos::Literal(cuenta), ClsDatos::Literal(nombre),
                 ClsDatos::Numero(importe), QString::number(anulada), QString::number(aprobado))
            .arg(finalizada)
            .arg(comentarios.isNull() ? QString("NULL") : ClsDatos::Literal(comentarios)));
}

void ConComprobantes::Compra(const QString& tc, const QString& clave, const QString& fecha, const QString& cuenta,
                             const QString& nombre, double importe, int anulada, int aprobado, int finalizada,
                             int garantia, const QString& comentarios) {
  e.Sql(QString("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, FECHA, CUENTA, NOMBRE, IMPORTE, ANULADA, APROBADO, "
                "FINALIZADA, GARANTIA, COMENTARIOS) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11)")
            .arg(ClsDatos::Literal(tc.rightJustified(4)), ClsDatos::Literal(clave), ClsDatos::Literal(fecha),
                 ClsDatos::Literal(cuenta), ClsDatos::Literal(nombre), ClsDatos::Numero(importe),
                 QString::number(anulada), QString::number(aprobado), QString::number(finalizada))
            .arg(garantia)
            .arg(comentarios.isNull() ? QString("NULL") : ClsDatos::Literal(comentarios)));
}
