#include "lookup/lib_cls_cons3.h"

#include <QFileInfo>
#include <memory>

#include "lookup/cfg_consultas.h"
#include "lookup/consultas_bvx.h"
#include "lookup/lib_frm_cons3.h"
#include "lookup/lib_frm_cons3_tree.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/interaccion.h"
#include "platform/error_steps.h"
#include "platform/vb.h"

namespace {

using vb::PasaPorAlto;

QVariant NivelStock(const QString& clave) {
  const QString v = CfgConsultas(clave);
  if (v.isEmpty()) return QVariant(0);
  return QVariant(v);
}

}  // namespace

Lib_ClsCons3::Lib_ClsCons3() {
  // Without a connection there is no configuration to read (and nothing to
  // report: the values are those of a failed read).
  if (!gDatos.Conectado()) {
    StkNivel1 = StkNivel2 = StkNivel3 = StkNivel4 = QVariant(0);
    return;
  }
  MuestraStock = CfgConsultas(QStringLiteral("MostrarStockenConsultas"));
  StkNivel1 = NivelStock(QStringLiteral("Stk_Nivel1"));
  StkNivel2 = NivelStock(QStringLiteral("Stk_Nivel2"));
  StkNivel3 = NivelStock(QStringLiteral("Stk_Nivel3"));
  StkNivel4 = NivelStock(QStringLiteral("Stk_Nivel4"));
}

Lib_ClsCons3::~Lib_ClsCons3() = default;

bool Lib_ClsCons3::ArmaSentencia(const QString& Sql, QString& CampoBusqueda, const QString& Where,
                                 const QString& SentenciaOpcional, QString& Sentencia) {
  // Row limit: TopConsArt, 1000 when it is not a positive number.
  long n = 0;
  PasaPorAlto([&] { n = vb::CLng(vb::Val(vb::Trim(CfgConsultas(QStringLiteral("TopConsArt"))))); });
  if (n <= 0) n = 1000;
  const QString top = QStringLiteral("SELECT TOP ") + QString::number(n) + u' ';

  Sentencia = Sql;
  bool automatico = false;
  if (!vb::Contiene(Sql, QStringLiteral("SELECT"))) {
    std::optional<QConsulta> registro;
    if (gUsarMascarasConsultas) {
      PasaPorAlto([&] {
        if (QFileInfo(gRutaMascaraConsultas).isFile())
          registro = consultas_bvx::BuscaTabla(gRutaMascaraConsultas, Sql);
        else
          registro = consultas_bvx::BuscaTabla(MascarasEnMemoria, Sql);
      });
    }
    if (registro) {
      QString tabla = registro->Clave();
      const QString cols = registro->Columnas();
      if (CampoBusqueda.isEmpty()) {
        if (!cols.contains(u',')) {
          Interaccion::Actual().MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                                       vbmsg::Information | vbmsg::OKOnly, QStringLiteral("Aviso al operador"));
          return false;
        }
        CampoBusqueda = cols.left(cols.indexOf(u','));
      }
      QString filtro = registro->Filtro();
      if (vb::Trim(filtro).isEmpty() && !vb::Trim(Where).isEmpty()) filtro = Where;
      if (vb::Igual(tabla, QStringLiteral("VT_PROVEEDORES")) || vb::Igual(tabla, QStringLiteral("VT_CLIENTES"))) {
        if (vb::Trim(filtro).isEmpty()) filtro = QStringLiteral("Dada_De_Baja = 0");
      } else if (vb::Igual(tabla, QStringLiteral("V_MA_ARTICULOS"))) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (vb::Trim(filtro).isEmpty()) filtro = QStringLiteral("SUSPENDIDO = 0");
      }
      Sentencia = top + cols + QStringLiteral(" FROM ") + tabla;
      if (!vb::Trim(filtro).isEmpty()) Sentencia += QStringLiteral(" WHERE ") + filtro;
      if (!CampoBusqueda.isEmpty()) Sentencia += QStringLiteral(" ORDER BY ") + CampoBusqueda;
    } else {
      // No record, the file not in use, or no file at all: the table's own
      // columns (or the caller's statement) make the look-up.
      automatico = true;
    }
  } else if (vb::Contiene(Sentencia, QStringLiteral("V_MA_ARTICULOS"))) {
    Sentencia = gUtil.ReemplazaTexto(Sentencia, QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("VT_MA_ARTICULOS"));
  }

  if (automatico) {
    if (!SentenciaOpcional.isEmpty()) {
      Sentencia = SentenciaOpcional;
    } else {
      // The columns of the table, last first, without the id and audit
      // columns; the search column is the last description-like one, or the
      // first one kept.
      QString cols;
      bool alguno = false;
      PasaPorAlto([&] {
        Recordset rs;
        gDatos.AbreRecordset(QStringLiteral("select top 1 * from ") + Sql, rs, nullptr, 0, 1, -1);
        for (int i = 0; i < rs.FieldCount(); ++i) {
          const QString nombre = rs.FieldName(i);
          if (vb::Igual(nombre, QStringLiteral("ID")) || vb::Igual(nombre, QStringLiteral("FECHAHORA_MODIFICACION")) ||
              vb::Igual(nombre, QStringLiteral("FECHAHORA_GRABACION")))
            continue;
          cols = nombre + u',' + cols;
          if (!alguno) CampoBusqueda = nombre;
          alguno = true;
          if (vb::Igual(nombre, QStringLiteral("DESCRIPCION")) || vb::Igual(nombre, QStringLiteral("NOMBRE")) ||
              vb::Igual(nombre, QStringLiteral("DETALLE")))
            CampoBusqueda = nombre;
        }
        gDatos.CierraRecordset(rs);
      });
      if (alguno)
        cols.chop(1);
      else
        cols = QStringLiteral(" * ");
      Sentencia = top + cols + QStringLiteral(" FROM ") + Sql;
      // Without a search column there is nothing to sort by: no bare ORDER BY.
      if (!CampoBusqueda.isEmpty()) Sentencia += QStringLiteral(" ORDER BY ") + CampoBusqueda;
    }
  }
  return true;
}

void Lib_ClsCons3::ConsultaSearch(const QString& Sql, ColeccionTextos* CmpsDevueltos, const QString& Clave,
                                  QString* CampoBusqueda, const QString& Where, const QString& SentenciaOpcional,
                                  bool TreeView, const QString& ValoresDefault) {
  QString campoBusqueda = CampoBusqueda ? *CampoBusqueda : QString();
  QString sentencia;
  bool mostrar = true;
  PasaPorAlto([&] { mostrar = ArmaSentencia(Sql, campoBusqueda, Where, SentenciaOpcional, sentencia); });
  if (CampoBusqueda) *CampoBusqueda = campoBusqueda;

  if (!mostrar) {
    // Not configured: ends as a cancelled look-up ends.
    ValorDevuelto = QString();
    Valores.reset();
    Cantidades.reset();
    Cierra(CmpsDevueltos);
    return;
  }

  if (TreeView) {
    auto f = std::make_unique<Lib_FrmCons3Tree>();
    PasaPorAlto([&] {
      f->Sql = sentencia;
      f->CampoDevuelto = CampoDevuelto;
      f->CheckBoxes = Checks;
      Valores.reset();
    });
    PasaPorAlto([&] { f->Show(1); });
    PasaPorAlto([&] {
      ValorDevuelto = f->ValorDevuelto.isValid() ? f->ValorDevuelto : QVariant(QString());
      Valores = f->Valores;
      Checks = false;
    });
    PasaPorAlto([&] {
      if (f->Cargado()) f->Unload();
    });
  } else {
    auto f = std::make_unique<Lib_FrmCons3>();
    PasaPorAlto([&] {
      f->StkNivel1 = StkNivel1;
      f->StkNivel2 = StkNivel2;
      f->StkNivel3 = StkNivel3;
      f->StkNivel4 = StkNivel4;
      f->MuestraStock = MuestraStock;
      f->OrdenarPorLwv = !vb::Contiene(sentencia, QStringLiteral("ORDER BY"));
      f->FiltroInicial = Clave;
      f->CampoBusqueda = campoBusqueda;
      f->Sql = sentencia;
      f->gConnString = gConnString;
      f->CampoDevuelto = CampoDevuelto;
      f->CheckBoxes = Checks;
      f->UsaCantidades = UsaCantidades;
      f->ValoresDefault = ValoresDefault;
      Valores.reset();
      Cantidades.reset();
      f->CmpsDevueltos = CmpsDevueltos ? *CmpsDevueltos : ColeccionTextos();
      f->Valores = Valores;
      f->Cantidades = Cantidades;
    });
    PasaPorAlto([&] { f->Show(1); });
    PasaPorAlto([&] {
      Checks = false;
      Valores = f->Valores;
      Cantidades = f->Cantidades;
      ValorDevuelto = f->ValorDevuelto.isValid() ? f->ValorDevuelto : QVariant(QString());
      f->CampoDevuelto.clear();
    });
    PasaPorAlto([&] {
      f->Valores.reset();
      f->Cantidades.reset();
      if (f->Cargado()) f->Unload();
    });
  }
  Cierra(CmpsDevueltos);
}

void Lib_ClsCons3::Cierra(ColeccionTextos* CmpsDevueltos) {
  CampoDevuelto.clear();
  Checks = false;
  if (CmpsDevueltos) CmpsDevueltos->reset();
}
