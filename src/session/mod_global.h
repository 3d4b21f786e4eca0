#pragma once
// ModGlobal: the program's shared state (session values, configuration
// values loaded at start-up, shared lists, the look-up service and the
// class-library objects) and the start-up, configuration and form set-up
// procedures.
#include <QString>
#include <vector>

#include "lookup/consultas_bvx.h"
#include "lookup/lib_cls_cons3.h"
#include "platform/cls_aplicacion.h"
#include "platform/cls_campos.h"
#include "platform/cls_datos.h"
#include "platform/cls_entorno.h"
#include "platform/cls_ini.h"
#include "platform/cls_util.h"
#include "platform/moneda.h"
#include "session/global_perezoso.h"

class Form;

// ------------------------------------------------------------ shared types

struct ParNombreValor {
  QString NombreItem;
  QString ValorItem;
};

// A charge chosen in the charges dialog. The id is a 32-bit number (a
// 16-bit one overflows on a large charges table).
struct CargoAplicado {
  long IdCargo = 0;
  vb::Moneda ImporteAplicar;
};

// ------------------------------------------------------------ session values

extern QString gSeccionIni;          // INI section of this workstation and user
extern double gFlatToolbars;         // button-bar style (INI FlatToolbars)
extern QString gParametroAdicional;  // @ParametroAdicional
extern QString gMenu;                // @Menu
extern QString gUsuarioLogeado;      // the connection's user once connected
extern QString gCaja;                // @Caja ("1" when absent)
extern QString gCadenaDSN;
extern long gColorFondo;
extern long gColorLetra;

// ------------------------------------------------------- configuration values

extern QString gTablaConfiguracion;
extern bool gMostrarStockEnConsultas;
extern QString gTituloClientes;
extern QString gTituloProveedores;
extern QString gRutaDocTareas;
extern bool gExigeClaveConsultaLikeArticulos;
extern bool gUsaConsultaLike;
extern QString gCantidadDecimales;
extern bool gUsaMultiplesMonedas;
extern bool gUsaFacturaProforma;
extern bool gUsaCCosto;
extern QString gUnidadNegocio;
extern QString gUnidadMedidaM3;
extern QString gUnidadMedidaBL;
extern QString gUnidadMedidaKG;
extern int gPeriodo;
extern bool gValidaCodigoBarra;
extern bool gModuloOrdenDeTrabajo;
extern bool gV_ModificaCPrecio;
extern bool gC_ModificaCPrecio;

// ------------------------------------------------------------- shared lists

extern std::vector<ParNombreValor> gCamposInsert;
extern std::vector<ParNombreValor> gListaItems;
extern std::vector<CargoAplicado> gCargosAplicados;
extern QConsulta gMascaraConsulta;

// The record pick service, created on first use.
extern GlobalPerezoso<Lib_ClsCons3> gConsulta;

// ------------------------------------------------------------- procedures

// Prepares one program run: the command line (or, on request, a line built
// from the INI file), the connection, the look-up service and its file, and
// the configuration. Ends the program when it cannot connect.
void InicializaSistema(bool& UsarIni, QString& LineaComando, QString& CadenaConexion);
// Writes the default look-up records to gConsulta's file.
void CreaMascarasConsultas();
// The server name as the data object is to receive it: without a prefix
// ending in "/" and without a ":port" suffix.
QString ObtieneNombreServidor(QString& Servidor);
// The port of a server written "host:port" (or "prefix/host:port"); empty
// when none is written.
QString ObtienePuertoServidor(const QString& Servidor);
// The value of one key of the command line: the key is searched ignoring
// case (its first occurrence counts); the value runs to the next ";" or to
// the end of the line, without the "=" that follows the key, trimmed.
// siFalta when the key is not on the line.
QString LeeClaveLinea(const QString& linea, const QString& clave, const QString& siFalta = QString());

// The configuration value of a key: its stored text (untrimmed), one blank
// when the key has no row, the empty text after a database error.
QString Cfg(const QString& Clave);
// Reads the fixed set of configuration keys into the globals.
void CargaConfiguracion(QString& Ruta);

// Gives a form the suite's common look: icon, window style and bar style.
void ConfiguraFormulario(Form* Formulario);

// Back to the state of a program that has just started (tests).
void ReiniciaEstadoGlobal();
