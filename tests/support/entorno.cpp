#include "support/entorno.h"

#include <QFile>

#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/espera_bloqueo.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "support/inicio_programa.h"

EntornoPrueba::EntornoPrueba() {
  ReiniciaEstadoGlobal();
  espera_bloqueo::FijaTotalMs(-1);
  programa::FijaCarpeta(dir_.path());
  programa::FijaLineaDeComando(QString());
  programa::FijaNombreEjecutable(QStringLiteral("zamolid"));
  programa::FijaTerminacion([](int estado) { throw programa::ProgramaTerminado{estado}; });
  gEntorno.FijaIdentidad(QStringLiteral("puesto1"), QStringLiteral("ana"));
  auto ui = std::make_unique<InteraccionGuionada>();
  ui_ = ui.get();
  anterior_ = Interaccion::Instala(std::move(ui));
}

EntornoPrueba::~EntornoPrueba() {
  ReiniciaEstadoGlobal();
  espera_bloqueo::FijaTotalMs(-1);
  Interaccion::Instala(std::move(anterior_));
  programa::FijaTerminacion({});
  programa::FijaCarpeta(QString());
}

QString EntornoPrueba::Ruta(const QString& nombre) const { return dir_.filePath(nombre); }

QString EntornoPrueba::CreaBase(const QString& nombre) {
  demo::CreaEsquema(Ruta(nombre));
  return nombre;
}

QString EntornoPrueba::CreaBaseDemo(const demo::Opciones& opciones, const QString& nombre) {
  demo::CreaBaseDemo(Ruta(nombre), opciones);
  return nombre;
}

void EntornoPrueba::Inicia(const QString& base, const QString& usuario) {
  IniciaSesion(base, usuario, QStringLiteral(" @Caja=1;"));
}

void EntornoPrueba::IniciaDemo(int reportes, int articulos, unsigned semilla) {
  demo::Opciones o;
  o.reportes = reportes;
  o.articulos = articulos;
  o.semilla = semilla;
  Inicia(CreaBaseDemo(o));
}

void EntornoPrueba::Sql(const QString& sql) { gDatos.Ejecuta(sql); }

QVariant EntornoPrueba::Valor(const QString& sql) {
  Recordset rs;
  gDatos.AbreRecordset(sql, rs);
  if (rs.Bof()) return QVariant();
  return rs.Fields(0).Value();
}

void EntornoPrueba::EscribeArchivo(const QString& nombre, const QByteArray& contenido) {
  QFile f(Ruta(nombre));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(contenido);
}
