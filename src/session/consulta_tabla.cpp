#include "session/consulta_tabla.h"

#include <QFileInfo>
#include <QStringList>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/interaccion.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/mod_global.h"

namespace {

bool EnLista(const QString& tabla, const QStringList& nombres) {
  for (const QString& n : nombres)
    if (vb::Igual(tabla, n)) return true;
  return false;
}

// "ID" and the name from a 1-based position on, as the caller spelled it,
// without its final "S" / "s" when asked.
QString Derivado(const QString& tabla, int desde, bool sinS) {
  QString parte = vb::Mid(tabla, desde);
  if (sinS && (parte.endsWith(u'S') || parte.endsWith(u's'))) parte.chop(1);
  return QStringLiteral("ID") + parte;
}

// The programs that always take the fallback path.
bool ProgramaSinArchivo() {
  const QString nombre = programa::NombreEjecutable();
  return vb::Igual(nombre, QStringLiteral("tarvix")) || vb::Igual(nombre, QStringLiteral("qel")) ||
         vb::Igual(nombre, QStringLiteral("bxtrans"));
}

// Whether the table can be read; shows why not when it cannot.
bool TablaLegible(const QString& Tabla) {
  try {
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("select top 1 * from ") + Tabla, rs, nullptr, 0, 1, -1);
    gDatos.CierraRecordset(rs);
    return true;
  } catch (const vb::Error& e) {
    Interaccion::Actual().MsgBox(QStringLiteral("No se puede consultar la tabla %1.\r\n\r\n%2").arg(vb::Trim(Tabla), e.Description),
                                 vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
    return false;
  }
}

void Elige(QString& d, QString& c, QString& x, const QString& desc, const QString& cod, const QString& extra) {
  d = desc;
  c = cod;
  x = extra;
}

}  // namespace

void EligeColumnasConsulta(const QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoExtra) {
  static const QStringList kFilaVTa = {
      "V_TA_Cajas",       "V_TA_Bancos",       "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito",
      "V_TA_Tecnicos",    "V_TA_Tareas",       "V_TA_Unidad",    "V_TA_TipoArticulo", "V_TA_Rubros",
      "V_TA_MotivoStock", "V_TA_CPRA_VTA",     "V_TA_CATEGORIA", "V_TA_DESTINO",    "V_TA_ORIGEN"};
  static const QStringList kFilaPTa = {
      "P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico",
      "P_TA_FormasDePago", "P_MA_Empresas",      "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial",
      "P_TA_MotivoEgreso", "P_TA_Grupos",        "P_TA_EstadoBusqueda", "P_TA_Areas",
      "P_TA_IDIOMAS",      "P_TA_TITULOs",       "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco",
      "P_TA_EstadoCivil"};
  static const QStringList kFilaTa = {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_TipoArticulo", "TA_Rubros"};
  static const QStringList kMaRazonSocial = {"MA_PRO", "MA_VEN", "MA_TRA", "MA_CON", "MA_AGE"};

  QString& d = CampoDescripcion;
  QString& c = CampoCodigo;
  QString& x = CampoExtra;
  const QString& t = Tabla;
  auto es = [&](const char* nombre) { return vb::Igual(t, QString::fromLatin1(nombre)); };
  const QString tres = vb::Left(t, 3);
  const QString seis = vb::Left(t, 6).toUpper();

  if (es("V_TA_Cpte")) {
    Elige(d, c, x, "Descripcion", "Codigo", "");
  } else if (es("V_TA_PERCEPCION")) {
    Elige(d, c, x, "DESCRIPCION", "IDPERCEPCION", "");
  } else if (es("V_TA_RETENCIONES")) {
    Elige(d, c, x, "DESCRIPCION", "IDRETENCION", "");
  } else if (es("V_TA_UNIDADNEGOCIO")) {
    Elige(d, c, x, "DESCRIPCION", "CODIGO", "");
  } else if (es("V_ta_PoliticaPrecios")) {
    Elige(d, c, x, "Descripcion", "codigo", "");
  } else if (EnLista(t, kFilaVTa)) {
    QString codigo = Derivado(t, 6, true);
    if (es("V_TA_CPRA_VTA"))
      codigo = QStringLiteral("IDCOND_CPRA_VTA");
    else if (es("V_TA_TipoArticulo"))
      codigo = QStringLiteral("IDTIPO");
    else if (es("V_TA_Cajas"))
      codigo = QStringLiteral("IDCajas");
    Elige(d, c, x, es("V_TA_Tecnicos") ? QStringLiteral("NOMBRE") : QStringLiteral("DESCRIPCION"), codigo, "");
  } else if (EnLista(t, kFilaPTa)) {
    Elige(d, c, x, es("P_MA_Empresas") ? QStringLiteral("NombreEmpresa") : QStringLiteral("Descripcion"),
          Derivado(t, 6, !es("P_TA_Areas")), "");
  } else if (es("P_SINDICATOS")) {
    Elige(d, c, x, "Descripcion", "IdSindicato", "");
  } else if (es("P_TA_Funciones")) {
    Elige(d, c, x, "DESCRIPCION", Derivado(t, 6, false), "");
  } else if (EnLista(t, kFilaTa)) {
    Elige(d, c, x, "DESCRIPCION", es("TA_TipoArticulo") ? QStringLiteral("IDTIPO") : Derivado(t, 4, true), "");
  } else if (es("P_MA_Clientes")) {
    Elige(d, c, x, "RAZON_SOCIAL", "IDCLIENTE", "");
  } else if (es("TA_Cpte")) {
    Elige(d, c, x, "DESCRIPCION", "CODIGO", "DESCRIPCION");
  } else if (es("V_MA_ARTICULOS")) {
    Elige(d, c, x, "DESCRIPCION", Derivado(t, 6, true), "DESCRIPCION");
  } else if (es("V_MV_COTIZAR")) {
    Elige(d, c, x, "COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES");
  } else if (es("MA_ARTICULOS")) {
    Elige(d, c, x, "DESCRIPCION", Derivado(t, 4, true), "DESCRIPCION");
  } else if (es("MA_MODELOS")) {
    Elige(d, c, x, "NOMBRE", "NOMBRE", "NOMBRE");
  } else if (es("MA_CHOFERES")) {
    Elige(d, c, x, "APELLIDO", "CODIGO", "NOMBRES");
  } else if (es("MA_DESTINATARIOS")) {
    Elige(d, c, x, "NOMBRE", "CODIGO", "NOMBRE");
  } else if (es("MA_VEHICULOS")) {
    Elige(d, c, x, "PATENTE", "PATENTE", "MODELO");
  } else if (es("MV_EJERCICIOS")) {
    Elige(d, c, x, "DESCRIPCION", "PERIODO", "DESCRIPCION");
  } else if (es("TA_USUARIOS")) {
    Elige(d, c, x, "NOMBRE", "NOMBRE", "");
  } else if (vb::Igual(tres, QStringLiteral("TA_"))) {
    Elige(d, c, x, "DESCRIPCION", "CODIGO", "DESCRIPCION");
  } else if (vb::Igual(tres, QStringLiteral("MA_"))) {
    if (kMaRazonSocial.contains(seis))
      Elige(d, c, x, "Razon_Social", "Codigo", "Razon_Social");
    else if (seis == QLatin1String("MA_CLI"))
      Elige(d, c, x, "Razon_Social", "Codigo", "Codigo_sucursal");
    else
      Elige(d, c, x, "Descripcion", "Codigo", "Descripcion");
  } else if (vb::Igual(tres, QStringLiteral("[MA")) && seis == QLatin1String("[MA_CA")) {
    Elige(d, c, x, "nombre", "Codigo", "nombre");
  } else if (vb::Igual(tres, QStringLiteral("MV_")) && seis == QLatin1String("MV_PRO")) {
    Elige(d, c, x, "ASUNTO", "ID", "ASUNTO");
  }
}

void ConsultaTabla(const QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoExtra,
                   bool MostrarConsulta, const QString& Where) {
  EligeColumnasConsulta(Tabla, CampoDescripcion, CampoCodigo, CampoExtra);

  const QString archivo = gUtil.NormalizaRuta(programa::Carpeta()) + QStringLiteral("consultas.bvx");
  const bool conArchivo = QFileInfo(archivo).isFile() && !ProgramaSinArchivo();
  if (conArchivo) {
    if (vb::Igual(Tabla, QStringLiteral("VT_CLIENTES")) || vb::Igual(Tabla, QStringLiteral("VT_PROVEEDORES")))
      CampoCodigo = QStringLiteral("CODIGO");
    const QString sentencia = QStringLiteral("select ") + CampoDescripcion + u',' + CampoCodigo +
                              QStringLiteral(" from ") + Tabla + u' ' + Where;
    if (!TablaLegible(Tabla)) {
      CampoCodigo.clear();
      return;
    }
    gConsulta->CampoDevuelto = CampoCodigo;
    gConsulta->ConsultaSearch(Tabla, nullptr, QString(), nullptr, Where, sentencia, false, QString());
  } else {
    if (!MostrarConsulta) return;
    if (vb::Trim(CampoDescripcion).isEmpty()) CampoDescripcion = QStringLiteral(" * ");
    if (!TablaLegible(Tabla)) {
      CampoCodigo.clear();
      return;
    }
    gConsulta->CampoDevuelto = CampoCodigo;
    QString campoBusqueda;
    gConsulta->ConsultaSearch(QStringLiteral("select ") + CampoDescripcion + u',' + CampoCodigo +
                                  QStringLiteral(" from ") + Tabla + u' ' + Where,
                              nullptr, QString(), &campoBusqueda, QString(), QString(), false, QString());
  }
  const QString valor = vb::Texto(gConsulta->ValorDevuelto);
  CampoCodigo = valor.isEmpty() ? QString() : valor;
}
