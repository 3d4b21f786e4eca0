#include "session/mod_global.h"
#include "session/numeracion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "lookup/cfg_consultas.h"
#include "platform/error_steps.h"
#include "platform/espera_bloqueo.h"
#include "platform/form.h"
#include "platform/iconos.h"
#include "platform/interaccion.h"
#include "platform/programa.h"
#include "platform/vb.h"

QString gSeccionIni;
double gFlatToolbars = 0;
QString gParametroAdicional;
QString gMenu;
QString gUsuarioLogeado;
QString gCaja;
QString gCadenaDSN;
long gColorFondo = 0;
long gColorLetra = 0;

QString gTablaConfiguracion;
bool gMostrarStockEnConsultas = false;
QString gTituloClientes;
QString gTituloProveedores;
QString gRutaDocTareas;
bool gExigeClaveConsultaLikeArticulos = false;
bool gUsaConsultaLike = false;
QString gCantidadDecimales;
bool gUsaMultiplesMonedas = false;
bool gUsaFacturaProforma = false;
bool gUsaCCosto = false;
QString gUnidadNegocio;
QString gUnidadMedidaM3;
QString gUnidadMedidaBL;
QString gUnidadMedidaKG;
int gPeriodo = 0;
bool gValidaCodigoBarra = false;
bool gModuloOrdenDeTrabajo = false;
bool gV_ModificaCPrecio = false;
bool gC_ModificaCPrecio = false;

std::vector<ParNombreValor> gCamposInsert;
std::vector<ParNombreValor> gListaItems;
std::vector<CargoAplicado> gCargosAplicados;
QConsulta gMascaraConsulta;
GlobalPerezoso<Lib_ClsCons3> gConsulta;

namespace {

const QString kIni = QStringLiteral("CN000pr.INI");

// The look-up library reads the configuration through this module's Cfg,
// installed as soon as the program is loaded.
const bool kLectorCfgInstalado = (InstalaLectorCfg(&Cfg), true);
constexpr long kBlanco = 0xFFFFFF;

// A statement that failed for a lock another program held past the wait.
bool EsBloqueo(const vb::Error& e) { return e.Description.startsWith(ado::kMensajeBloqueo); }

// While the configuration load runs: a lock stops it, and it is told once.
bool gCargandoConfiguracion = false;

// The INI line of Algorithms 3: the connection keys of the workstation's
// "...BaseDeDatos" section.
QString LineaDesdeIni() {
  const QString seccion =
      gEntorno.NombrePC().toUpper() + u'|' + gEntorno.NombreUsuario().toUpper() + QStringLiteral("BaseDeDatos");
  auto lee = [&](const QString& clave, const QString& porDefecto) {
    return gUtil.QuitaCaracteres(gIni.LeerIni(kIni, seccion, clave, porDefecto), QStringLiteral("|"));
  };
  const QString servidor = lee(QStringLiteral("Servidor"), QString());
  const QString base = lee(QStringLiteral("DbName"), QString());
  const QString usuario = gUtil.QuitaCaracteres(
      gUtil.DecodificaTexto(gIni.LeerIni(kIni, seccion, QStringLiteral("Usuario"), gUtil.CodificaTexto(QStringLiteral("Brelvix")))),
      QStringLiteral("|"));
  const QString clave = gUtil.QuitaCaracteres(
      gUtil.DecodificaTexto(gIni.LeerIni(kIni, seccion, QStringLiteral("UserPassWord"), gUtil.CodificaTexto(QStringLiteral("prelank")))),
      QStringLiteral("|"));
  return QStringLiteral("@server=") + servidor + QStringLiteral("; @dbname= ") + base + QStringLiteral("; @usuario= ") +
         usuario + QStringLiteral("; @Password= ") + clave + QStringLiteral("; @ParametroAdicional=; @Caja=1;alfa@");
}

// The database must be one of the system's: its configuration table and
// the reports' table are read before anything else. A database without them
// (an empty file, another program's database) ends the program with one
// message, as a file that is no database at all does.
void ExigeTablasDelSistema() {
  static const char* const kTablas[][2] = {
      {"TA_CONFIGURACION", "SELECT CLAVE, VALOR FROM TA_CONFIGURACION WHERE 1 = 0"},
      {"V_MV_DIARIOS", "SELECT IDDIARIO, AUTORIZADOPOR FROM V_MV_DIARIOS WHERE 1 = 0"},
  };
  const QString base = vb::Trim(gDatos.BaseDeDatos).isEmpty() ? gDatos.Servidor : gDatos.BaseDeDatos;
  for (const auto& t : kTablas) {
    QString m;
    try {
      Recordset rs;
      gDatos.AbreRecordset(QString::fromLatin1(t[1]), rs);
      continue;
    } catch (const vb::Error& e) {
      if (EsBloqueo(e))
        m = QStringLiteral("No se pudo leer la base de datos %1.\n\n%2").arg(base, ado::kMensajeBloqueo);
      else
        m = QStringLiteral("La base de datos %1 no tiene las tablas del sistema (no se puede leer %2): "
                           "no es una base de datos de este sistema o está vacía.\n\n%3")
                .arg(base, QString::fromLatin1(t[0]), e.Description);
    }
    Interaccion::Actual().AvisoAlOperador(m, vbmsg::Critical, QStringLiteral("Aviso al Operador"));
    gDatos.Desconecta();
    programa::Termina(1);
  }
}

}  // namespace

QString LeeClaveLinea(const QString& linea, const QString& clave, const QString& siFalta) {
  const bool esUsuario = vb::Igual(clave, QStringLiteral("@Usuario"));
  int p = -1;
  for (int desde = 0;;) {
    p = linea.indexOf(clave, desde, Qt::CaseInsensitive);
    if (p < 0) break;
    if (esUsuario && linea.mid(p, 15).compare(QStringLiteral("@UsuarioLogeado"), Qt::CaseInsensitive) == 0) {
      desde = p + 1;
      continue;
    }
    break;
  }
  if (p < 0) return siFalta;
  QString resto = linea.mid(p + clave.size());
  const int fin = resto.indexOf(u';');
  if (fin >= 0) resto.truncate(fin);
  resto = vb::LTrim(resto);
  if (resto.startsWith(u'=')) resto.remove(0, 1);
  return vb::Trim(resto);
}

QString ObtieneNombreServidor(QString& Servidor) {
  QString r = Servidor;
  const int barra = r.indexOf(u'/');
  if (barra >= 0) r = r.mid(barra + 1);
  const int dosPuntos = r.indexOf(u':');
  if (dosPuntos >= 0) r = r.left(dosPuntos);
  return r;
}

QString ObtienePuertoServidor(const QString& Servidor) {
  QString r = Servidor;
  const int barra = r.indexOf(u'/');
  if (barra >= 0) r = r.mid(barra + 1);
  const int dosPuntos = r.indexOf(u':');
  return dosPuntos >= 0 ? vb::Trim(r.mid(dosPuntos + 1)) : QString();
}

void CreaMascarasConsultas() {
  struct Defecto {
    const char* titulo;
    const char* tabla;
    const char* columnas;
  };
  static const Defecto kDefectos[] = {
      {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
      {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
      {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
      {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
      {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
      {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
      {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
      {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
  };
  std::vector<QConsulta> registros;
  for (const Defecto& d : kDefectos) {
    gMascaraConsulta.Titulo = vb::Trim(QString::fromLatin1(d.titulo));
    gMascaraConsulta.Tabla = QString::fromLatin1(d.tabla);
    gMascaraConsulta.ListaCampos = vb::Trim(QString::fromLatin1(d.columnas));
    gMascaraConsulta.Condicion = vb::Trim(QString());
    gMascaraConsulta.FinDeLinea = QByteArray("\r\n", 2);
    registros.push_back(gMascaraConsulta);
  }
  try {
    consultas_bvx::Agrega(gConsulta->gRutaMascaraConsultas, registros);
  } catch (const vb::Error&) {
    // The look-ups work from the defaults while the file cannot be had.
    gConsulta->MascarasEnMemoria = registros;
    throw;
  }
}

void InicializaSistema(bool& UsarIni, QString& LineaComando, QString& CadenaConexion) {
  // Error 5 goes on with the next statement; any other error ends the
  // start-up at that step without a message (a line on standard error says
  // why, for whoever looks).
  vb::ErrorSteps paso(QStringLiteral("InicializaSistema"), [](const vb::Error& e) {
    std::fprintf(stderr, "InicializaSistema: error %ld: %s\n", e.Number, qPrintable(e.Description));
    return e.Number == vb::ErrInvalidCall ? vb::kRespuestaSeguir : vb::kRespuestaAbortar;
  });
  QString ruta, linea, servidor, base, usuario, clave;
  // No window is shown yet: a wait for a lock says so in words.
  const espera_bloqueo::Aviso aviso(
      QStringLiteral("Otro usuario tiene ocupada la base de datos: el programa espera a que la libere para empezar "
                     "(hasta %1 s).")
          .arg((espera_bloqueo::TotalMs() + 999) / 1000));

  if (!paso.step([&] { ruta = gUtil.NormalizaRuta(programa::Carpeta()); })) return;
  if (!paso.step([&] {
        gColorLetra = 0;
        gColorFondo = kBlanco;
      }))
    return;
  if (!paso.step([&] { linea = LineaComando.isEmpty() ? programa::LineaDeComando() : LineaComando; })) return;
  if (!paso.step([&] {
        if (vb::Trim(linea).isEmpty() && UsarIni) linea = LineaDesdeIni();
      }))
    return;
  if (!paso.step([&] { gSeccionIni = gEntorno.NombrePC().toUpper() + u'|' + gEntorno.NombreUsuario().toUpper(); }))
    return;
  if (!paso.step([&] { gFlatToolbars = vb::Val(gIni.LeerIni(kIni, gSeccionIni, QStringLiteral("FlatToolbars"), QStringLiteral("1"))); }))
    return;

  if (!gDatos.Conectado()) {
    if (!paso.step([&] {
          gParametroAdicional = LeeClaveLinea(linea, QStringLiteral("@ParametroAdicional"));
          gMenu = LeeClaveLinea(linea, QStringLiteral("@Menu"));
          servidor = LeeClaveLinea(linea, QStringLiteral("@Server"));
          base = LeeClaveLinea(linea, QStringLiteral("@DbName"));
          usuario = LeeClaveLinea(linea, QStringLiteral("@Usuario"));
          clave = LeeClaveLinea(linea, QStringLiteral("@Password"));
          gUsuarioLogeado = LeeClaveLinea(linea, QStringLiteral("@UsuarioLogeado"));
          gCaja = LeeClaveLinea(linea, QStringLiteral("@Caja"), QStringLiteral("1"));
        }))
      return;
    if (!paso.step([&] {
          const QString s = vb::Trim(servidor);
          if (!s.isEmpty() && s.startsWith(u'#')) {
            servidor = s.mid(1);
            if (CadenaConexion.isEmpty())
              CadenaConexion = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + servidor +
                               QStringLiteral(";User Id=") + usuario + QStringLiteral(";Password=") + clave +
                               QStringLiteral(";");
          }
        }))
      return;
    if (!paso.step([&] {
          gDatos.Usuario = usuario;
          gDatos.BaseDeDatos = base;
          gDatos.Password = clave;
          gDatos.Servidor = ObtieneNombreServidor(servidor);
          gDatos.Puerto = ObtienePuertoServidor(servidor);
        }))
      return;
    if (!paso.step([&] { gDatos.Conectar(vb::Trim(servidor).isEmpty(), 3, CadenaConexion); })) return;
    // Without a connection the program cannot work: Conectar has told the
    // person why; the program ends with a failure status.
    if (!gDatos.Conectado()) programa::Termina(1);
    ExigeTablasDelSistema();
    if (!paso.step([&] { gUsuarioLogeado = gDatos.Usuario; })) return;
    if (!paso.step([&] { gDatos.Conexion().SetCommandTimeout(360); })) return;
    if (!paso.step([&] { gDatos.Conexion().SetDefaultDatabase(gDatos.BaseDeDatos); })) return;
  }

  if (!paso.step([&] {
        gCadenaDSN = QStringLiteral("DSN=") + gDatos.BaseDeDatos + QStringLiteral("; UID=") + gDatos.Usuario +
                     QStringLiteral("; PWD=") + gDatos.Password;
      }))
    return;
  if (!paso.step([&] { gAplicacion.Ruta = ruta; })) return;
  if (!paso.step([&] {
        gConsulta->gConnString = gDatos.StringConexion();
        gConsulta->gUsarMascarasConsultas = true;
        gConsulta->gRutaMascaraConsultas = gUtil.NormalizaRuta(programa::Carpeta()) + QStringLiteral("consultas.bvx");
      }))
    return;
  if (!paso.step([&] {
        if (QFileInfo(gConsulta->gRutaMascaraConsultas).isFile()) return;
        // A program folder that cannot be written (a read-only install) is
        // no reason to stop: the person is told, the look-ups work from the
        // default records and the configuration is still loaded.
        try {
          CreaMascarasConsultas();
        } catch (const vb::Error& e) {
          const QString m = QStringLiteral("No se pudo crear el archivo de consultas %1.\n\n%2\n\n"
                                           "Las búsquedas usarán la configuración de consultas por defecto.")
                                .arg(gConsulta->gRutaMascaraConsultas, e.Description);
          Interaccion::Actual().AvisoAlOperador(m, vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
        }
      }))
    return;
  if (!paso.step([&] {
        if (gDatos.BaseDeDatos.isEmpty()) return;
        try {
          CargaConfiguracion(ruta);
        } catch (const vb::Error& e) {
          if (!EsBloqueo(e)) throw;
          // The load stopped at its first lock: told once, and the start-up
          // ends there as it does for any failure of the load.
          Interaccion::Actual().AvisoAlOperador(
              QStringLiteral("No se pudo cargar la configuración del sistema.\n\n%1\n\n"
                             "El programa sigue sin ella: ciérrelo y vuelva a abrirlo en unos momentos.")
                  .arg(e.Description),
              vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
        }
      }))
    return;
}

QString Cfg(const QString& Clave) {
  vb::ErrorSteps paso(QStringLiteral("Cfg"), [](const vb::Error& e) {
    // A lock ends the configuration load, which tells it once.
    if (gCargandoConfiguracion && EsBloqueo(e)) throw e;
    return gUtil.ReportaError(e, QStringLiteral("Cfg"));
  });
  QString resultado, sql;
  Recordset rs;
  if (!paso.step([&] {
        if (vb::Trim(gTablaConfiguracion).isEmpty()) gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
      }))
    return QString();
  if (!paso.step([&] {
        sql = QStringLiteral("SELECT VALOR FROM ") + gTablaConfiguracion + QStringLiteral(" WHERE CLAVE = ") +
              ClsDatos::Literal(vb::Trim(Clave));
      }))
    return QString();
  if (!paso.step([&] {
        const QString k = vb::Trim(Clave);
        if (vb::Igual(k, QStringLiteral("[FECHA HASTA]")) || vb::Igual(k, QStringLiteral("[FECHA DESDE]")))
          sql = sql.toUpper();
      }))
    return QString();
  if (!paso.step([&] { gDatos.AbreRecordset(sql, rs, nullptr, 0, 1, -1); })) return QString();
  if (!paso.step([&] {
        if (rs.Bof())
          resultado = QStringLiteral(" ");
        else
          resultado = gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Valor"))));
      }))
    return QString();
  if (!paso.step([&] { gDatos.CierraRecordset(rs); })) return QString();
  return resultado;
}

void CargaConfiguracion(QString& Ruta) {
  struct Cargando {
    Cargando() { gCargandoConfiguracion = true; }
    ~Cargando() { gCargandoConfiguracion = false; }
  } cargando;
  auto esSi = [](const QString& v) { return vb::Igual(v, QStringLiteral("SI")); };
  auto recortado = [](const QString& clave) { return vb::Trim(Cfg(clave)); };

  gTablaConfiguracion = QStringLiteral("ta_configuracion");
  gMostrarStockEnConsultas = esSi(gUtil.ConvierteTexto(gUtil.ValorCampo(QVariant(Cfg(QStringLiteral("MostrarStockenConsultas"))))));
  gTituloClientes = recortado(QStringLiteral("TituloClientes"));
  gTituloProveedores = recortado(QStringLiteral("TituloProveedores"));
  gRutaDocTareas = Ruta + QStringLiteral("BXDOCTareas.bvx");
  gExigeClaveConsultaLikeArticulos = esSi(Cfg(QStringLiteral("EXIGECLAVECONSULTALIKEARTICULOS")));
  gUsaConsultaLike = esSi(Cfg(QStringLiteral("UsaConsultaLike")));
  gCantidadDecimales = Cfg(QStringLiteral("CantidadDecimales"));
  gUsaMultiplesMonedas = esSi(Cfg(QStringLiteral("UsaMultilesMonedas")));
  gUsaFacturaProforma = esSi(Cfg(QStringLiteral("UsaFacturaProforma")));
  gUsaCCosto = esSi(Cfg(QStringLiteral("USACCOSTO")));

  QString unidad = gUtil.FormateaCodigo(
      gUtil.ConvierteTexto(gUtil.ValorCampo(gDatos.ObtieneValor(QStringLiteral("ta_usuarios"), gUsuarioLogeado,
                                                                QStringLiteral("UNegocio"), QStringLiteral("nombre"), 8,
                                                                QString()))),
      4);
  gUnidadNegocio = vb::Trim(unidad).isEmpty() ? QStringLiteral("   1") : unidad;

  gUnidadMedidaM3 = recortado(QStringLiteral("UNIDADDEMEDIDA_M3"));
  gUnidadMedidaBL = recortado(QStringLiteral("UNIDADDEMEDIDA_BL"));
  gUnidadMedidaKG = recortado(QStringLiteral("UNIDADDEMEDIDA_KG"));
  gPeriodo = vb::CInt(recortado(QStringLiteral("PERIODO")));  // not a number: the load ends here

  gValidaCodigoBarra = recortado(QStringLiteral("VALIDACODIGOBARRA")).isEmpty()
                           ? false
                           : esSi(recortado(QStringLiteral("VALIDACODIGOBARRA")));
  gColorFondo = vb::CLng(gUtil.ConvierteMoneda(Cfg(QStringLiteral("CFondo"))).ADoble());
  gColorLetra = vb::CLng(gUtil.ConvierteMoneda(Cfg(QStringLiteral("CLetra"))).ADoble());
  if (gColorFondo == 0) gColorFondo = 0xFFFF00;
  gModuloOrdenDeTrabajo = !vb::Igual(recortado(QStringLiteral("ModuloOrdenDeTrabajo")), QStringLiteral("NO"));

  auto modificaPrecio = [&](const QString& clave) {
    if (recortado(clave).isEmpty()) return false;
    return !vb::Igual(Cfg(clave), QStringLiteral("NO"));
  };
  gV_ModificaCPrecio = modificaPrecio(QStringLiteral("V_ModificaCPrecio"));
  gC_ModificaCPrecio = modificaPrecio(QStringLiteral("C_ModificaCPrecio"));
}

void ConfiguraFormulario(Form* Formulario) {
  // Every step that fails is passed over.
  if (!Formulario) return;
  vb::PasaPorAlto([&] {
    const QString nombre = gIni.LeerIni(kIni, QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"),
                                        QStringLiteral("ROVIROVAROZIV"));
    const QIcon recurso = IconoRecurso(nombre);
    if (!recurso.isNull()) Formulario->setWindowIcon(recurso);
  });
  vb::PasaPorAlto([&] {
    if (Formulario->testAttribute(Qt::WA_SetWindowIcon)) return;
    const QString archivo = QDir::current().filePath(QStringLiteral("brelvix.ico"));
    if (!QFileInfo(archivo).isFile()) return;
    const QIcon desdeArchivo(archivo);
    if (!desdeArchivo.isNull()) Formulario->setWindowIcon(desdeArchivo);
  });
  if (vb::Igual(Formulario->NombreClase(), QStringLiteral("FRMMDI"))) return;
  vb::PasaPorAlto([&] { gEntorno.AplicaEstilo(Formulario); });
  for (const QString& barra : {QStringLiteral("Plexatol1"), QStringLiteral("TBarRep1"), QStringLiteral("Util0011")}) {
    for (QObject* hijo : Formulario->findChildren<QObject*>()) {
      if (vb::Igual(hijo->objectName(), barra) && hijo->metaObject()->indexOfProperty("StyleBar") >= 0) {
        hijo->setProperty("StyleBar", gFlatToolbars);
        break;
      }
    }
  }
  QCoreApplication::processEvents();
}

void ReiniciaEstadoGlobal() {
  gDatos.Desconecta();
  gDatos.Servidor.clear();
  gDatos.BaseDeDatos.clear();
  gDatos.Usuario.clear();
  gDatos.Password.clear();
  gDatos.Puerto.clear();
  gDatos.SegundosConexion = ClsDatos::kSegundosConexion;
  gDatos.PuertoNavegador = navegador_sql::kPuertoServicio;
  gSeccionIni.clear();
  gFlatToolbars = 0;
  gParametroAdicional.clear();
  gMenu.clear();
  gUsuarioLogeado.clear();
  gCaja.clear();
  gCadenaDSN.clear();
  gColorFondo = 0;
  gColorLetra = 0;
  gTablaConfiguracion.clear();
  gMostrarStockEnConsultas = false;
  gTituloClientes.clear();
  gTituloProveedores.clear();
  gRutaDocTareas.clear();
  gExigeClaveConsultaLikeArticulos = false;
  gUsaConsultaLike = false;
  gCantidadDecimales.clear();
  gUsaMultiplesMonedas = false;
  gUsaFacturaProforma = false;
  gUsaCCosto = false;
  gUnidadNegocio.clear();
  gUnidadMedidaM3.clear();
  gUnidadMedidaBL.clear();
  gUnidadMedidaKG.clear();
  gPeriodo = 0;
  gValidaCodigoBarra = false;
  gModuloOrdenDeTrabajo = false;
  gV_ModificaCPrecio = false;
  gC_ModificaCPrecio = false;
  gCamposInsert.clear();
  gListaItems.clear();
  gCargosAplicados.clear();
  gMascaraConsulta = QConsulta();
  gConsulta.Libera();
  gAplicacion.Ruta.clear();
  gTalonario = 0;
}
