#include "lookup/lib_frm_cons3_tree.h"

#include <QFont>
#include <vector>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/frame.h"
#include "platform/controles/label.h"
#include "platform/controles/picturebox.h"
#include "platform/controles/treeview.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/teclas.h"
#include "platform/vb.h"

namespace {

using vb::PasaPorAlto;

const QString kRaiz = QStringLiteral("A");

}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree() : Form(QStringLiteral("Lib_FrmCons3Tree")) {
  SetCaption(QStringLiteral("Consulta..."));
  SetClientTwips(6195, 5790);

  picFields = new PictureBox(this, QStringLiteral("picFields"));
  PosicionTwips(picFields, 120, 60, 5955, 375);
  lblFieldName = new Label(picFields, QString(), QStringLiteral("lblFieldName"));
  QFont f(QStringLiteral("Tahoma"));
  lblFieldName->setFont(f);
  PosicionTwips(lblFieldName, 0, 60, 1200, 255);
  auto* caja = new ComboBox(picFields, QStringLiteral("CmbSearch"), 0);
  PosicionTwips(caja, 1260, 0, 4695, 315);
  caja->SetToolTipText(QStringLiteral("F5 realiza nueva busqueda"));
  CmbSearch.Agrega(0, caja);
  caja->GotFocus = [this] { CmbSearch_GotFocus(0); };
  caja->Change = [this] { CmbSearch_Change(0); };
  caja->Click = [this] { CmbSearch_Click(0); };
  caja->KeyDown = [this](int& k, int s) { CmbSearch_KeyDown(0, k, s); };

  TreeV = new TreeView(this, QStringLiteral("TreeV"));
  PosicionTwips(TreeV, 120, 480, 5955, 4455);
  TreeV->DblClick = [this] { TreeV_DblClick(); };

  Frame1 = new Frame(this, QString(), QStringLiteral("Frame1"));
  PosicionTwips(Frame1, 120, 5010, 5955, 690);
  CmdAceptar = new CommandButton(Frame1, QStringLiteral("&Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 240, 180, 1695, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
  CmdCancelar = new CommandButton(Frame1, QStringLiteral("&Cancelar"), QStringLiteral("CmdCancelar"));
  PosicionTwips(CmdCancelar, 2130, 180, 1695, 375);
  CmdCancelar->SetCancel(true);
  CmdCancelar->Click = [this] { CmdCancelar_Click(); };
  CmdNueva = new CommandButton(Frame1, QStringLiteral("&Nueva Busqueda"), QStringLiteral("CmdNueva"));
  PosicionTwips(CmdNueva, 4020, 180, 1695, 375);
  CmdNueva->Click = [this] { CmdNueva_Click(); };
  // Never narrower than its buttons and their margin.
  setMinimumWidth(Frame1->x() + Frame1->width() + APixeles(120));
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() {
  TreeV->DblClick = nullptr;
  ComboBox& caja = CmbSearch(0);
  caja.Change = nullptr;
  caja.Click = nullptr;
  caja.KeyDown = nullptr;
  caja.GotFocus = nullptr;
}

void Lib_FrmCons3Tree::Form_Load() {
  vb::ErrorSteps paso(QStringLiteral("FORM_LOAD"));
  if (!paso.step([&] { Valores = QStringList(); })) return;
  if (!paso.step([&] { TreeV->Nodes().Clear(); })) return;
  if (!paso.step([&] { TreeV->SetCheckboxes(CheckBoxes); })) return;
  paso.step([&] { ArmarTreeVAutomatico(); });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
  vb::ErrorSteps paso(QStringLiteral("ArmarTreeVAutomatico"));
  Node* actual = nullptr;
  Recordset rs;
  if (!paso.step([&] {
        TreeV->Nodes().Clear();
        TreeV->SetLineStyle(tvw::RootLines);
      }))
    return;
  if (!paso.step([&] {
        actual = TreeV->Nodes().Add(QString(), tvw::Last, kRaiz, QStringLiteral("Consulta..."));
        actual->SetExpanded(true);
      }))
    return;
  if (!paso.step([&] { gDatos.AbreRecordset(Sql, rs, &gDatos.Conexion(), 2, 1, -1); })) return;
  bool vacio = true;
  if (!paso.step([&] { vacio = rs.Bof() && rs.Eof(); })) return;
  if (vacio) return;
  // Every row at once: code and description.
  std::vector<QVariant> codigos, descripciones;
  if (!paso.step([&] {
        rs.MoveFirst();
        const int columnas = rs.FieldCount();
        while (!rs.Eof()) {
          codigos.push_back(rs.Fields(0).Value());
          descripciones.push_back(columnas > 1 ? rs.Fields(1).Value() : QVariant());
          rs.MoveNext();
        }
        gDatos.CierraRecordset(rs);
      }))
    return;

  size_t r = 0;
  while (r < codigos.size()) {
    QString clave, texto;
    bool sube = false;
    if (!paso.step([&] {
          if (codigos[r].isNull() || !codigos[r].isValid())
            vb::Raise(vb::ErrTypeMismatch, QStringLiteral("Uso no válido de Null"));
          if (!descripciones[r].isValid())
            vb::Raise(vb::ErrSubscript, QStringLiteral("El subíndice está fuera del intervalo"));
          const QString codigo = vb::Texto(codigos[r]);
          clave = kRaiz + codigo;
          texto = codigo + QStringLiteral(" - ") + vb::Texto(descripciones[r]);
          if (!actual) vb::Raise(vb::ErrObjectRequired, QStringLiteral("Se requiere un objeto"));
          const int largoActual = static_cast<int>(actual->Key().size());
          if (clave.size() > largoActual) {
            actual = TreeV->Nodes().Add(actual, tvw::Child, clave, texto);
          } else if (clave.size() == largoActual) {
            if (!actual->Parent())
              vb::Raise(35602, QStringLiteral("La clave no es única en la colección"));
            actual = TreeV->Nodes().Add(actual, tvw::Next, clave, texto);
          } else {
            // A shorter code: climb one level and compare the same row again.
            actual = actual->Parent();
            sube = true;
          }
        }))
      return;
    if (!sube) ++r;
  }
}

bool Lib_FrmCons3Tree::Resuelve(const QString& codigo, QString& valor) {
  QString tabla, campo;
  if (vb::Igual(CampoDevuelto, QStringLiteral("IDFAMILIA"))) {
    tabla = QStringLiteral("V_TA_FAMILIAS");
    campo = QStringLiteral("IDFAMILIA");
  } else if (vb::Igual(CampoDevuelto, QStringLiteral("IDPOSICION"))) {
    tabla = QStringLiteral("MA_POSICIONES");
    campo = QStringLiteral("IDPOSICION");
  } else {
    return false;
  }
  Recordset rs;
  if (!gDatos.BuscaRegistros(tabla, codigo, campo, rs, 8, QString())) {
    valor.clear();
    return false;
  }
  valor = vb::Texto(gUtil.ValorCampo(rs.Fields(CampoDevuelto)));
  return true;
}

void Lib_FrmCons3Tree::CmdAceptar_Click() {
  vb::ErrorSteps paso(QStringLiteral("CmdAceptar_Click"));
  const bool conocido =
      vb::Igual(CampoDevuelto, QStringLiteral("IDFAMILIA")) || vb::Igual(CampoDevuelto, QStringLiteral("IDPOSICION"));
  if (!CheckBoxes) {
    Node* nodo = TreeV->SelectedItem();
    if (nodo && conocido) {
      if (!paso.step([&] {
            QString valor;
            Resuelve(nodo->Key().mid(1), valor);
            ValorDevuelto = valor;
          }))
        return;
    }
  } else if (conocido) {
    for (int i = 1; i <= TreeV->Nodes().Count(); ++i) {
      Node* nodo = TreeV->Nodes()(i);
      if (!nodo->Checked()) continue;
      if (!paso.step([&] {
            QString valor;
            if (Resuelve(nodo->Key().mid(1), valor)) {
              if (!Valores) Valores = QStringList();
              Valores->append(valor);
            }
          }))
        return;
    }
  }
  Hide();
}

void Lib_FrmCons3Tree::TreeV_DblClick() { CmdAceptar_Click(); }

void Lib_FrmCons3Tree::CmdCancelar_Click() {
  PasaPorAlto([&] { ValorDevuelto = QString(); });
  PasaPorAlto([&] {
    CmpsDevueltos.reset();
    Valores.reset();
  });
  PasaPorAlto([&] { Hide(); });
}

void Lib_FrmCons3Tree::CmdNueva_Click() {
  PasaPorAlto([&] { ArmarTreeVAutomatico(); });
}

void Lib_FrmCons3Tree::CmbSearch_GotFocus(int Index) { cajaActual_ = Index; }

void Lib_FrmCons3Tree::CmbSearch_Change(int Index) {
  PasaPorAlto([&] {
    const QString s = CmbSearch(Index).Text();
    const int largo = static_cast<int>(s.size());
    for (int i = 1; i <= TreeV->Nodes().Count(); ++i) {
      Node* nodo = TreeV->Nodes()(i);
      const QString texto = nodo->Text();
      const int guion = texto.indexOf(u'-');
      const QString codigo = guion < 0 ? QString() : vb::Trim(texto.left(guion));
      const QString descripcion = guion < 0 ? vb::Trim(texto) : vb::Trim(texto.mid(guion + 1));
      if (vb::Igual(vb::Left(codigo, largo), s) || vb::Igual(vb::Left(descripcion, largo), s)) {
        TreeV->SetSelectedItem(nodo);
        nodo->EnsureVisible();
        return;
      }
    }
  });
}

void Lib_FrmCons3Tree::CmbSearch_Click(int Index) { CmbSearch_Change(Index); }

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int& KeyCode, int) {
  if (KeyCode == vbkey::F5) {
    PasaPorAlto([&] {
      KeyCode = 0;
      ComboBox& caja = CmbSearch(Index);
      caja.Tag = QStringLiteral("Descripcion");
      Sql = filtro_.Agrega(Sql, caja.Tag, caja.Text());
      caja.SetText(QString());
      Form_Load();
    });
  } else if (KeyCode == vbkey::Down || KeyCode == vbkey::Up || KeyCode == vbkey::PageDown || KeyCode == vbkey::PageUp) {
    PasaPorAlto([&] {
      TreeV->SetFocus();
      KeyCode = 0;
    });
  }
}

void Lib_FrmCons3Tree::Form_Unload(int&) {
  try {
    TreeV->Nodes().Clear();
  } catch (const std::exception& e) {
    Interaccion::Actual().MsgBox(vb::ToError(e).Description, vbmsg::Critical, QStringLiteral("Aviso al Operador"));
  }
}
