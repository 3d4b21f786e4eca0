#include "voucher_dialogs/frm_ctrl_cargos_reales.h"

#include <QFont>

#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/listview.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/teclas.h"
#include "platform/vb.h"
#include "session/formato.h"
#include "session/frm_menus.h"
#include "session/mod_global.h"

namespace {

// The amount to apply as the list shows it: configured decimals, width 15.
QString ImporteVisible(const vb::Moneda& importe) {
  return gUtil.FormateaImporte(TextoMoneda(importe, DecimalesMoneda(kDecimalesConfig)), 15);
}

}  // namespace

FrmCtrlCargosReales::FrmCtrlCargosReales() : Form(QStringLiteral("FrmCtrlCargosReales")) {
  SetCaption(QStringLiteral("Control de cargos Reales"));
  SetClientTwips(10200, 5400);
  SetKeyPreview(true);
  Label1 = new Label(this, QStringLiteral("Control de Cargos Reales"), QStringLiteral("Label1"));
  QFont f = Label1->font();
  f.setBold(true);
  Label1->setFont(f);
  PosicionTwips(Label1, 120, 120, 9960, 285);
  ListView1 = new ListView(this, QStringLiteral("ListView1"));
  PosicionTwips(ListView1, 120, 480, 9960, 4200);
  ListView1->SetCheckboxes(true);
  ListView1->SetFullRowSelect(true);
  ListView1->SetHideSelection(false);
  ListView1->MouseDown = [this](int b, int s, int x, int y) { ListView1_MouseDown(b, s, x, y); };
  ListView1->BeforeLabelEdit = [this](int& c) { ListView1_BeforeLabelEdit(c); };
  ListView1->AfterLabelEdit = [this](int& c, QString& t) { ListView1_AfterLabelEdit(c, t); };
  LblMensaje = new Label(
      this, QStringLiteral("Puede modifcar el Importe a Aplicar, seleccionandolo con el boton derecho del mouse..."),
      QStringLiteral("LblMensaje"));
  PosicionTwips(LblMensaje, 120, 4800, 7000, 255);
  CmdAceptar = new CommandButton(this, QStringLiteral("&Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 8640, 4800, 1440, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
}

void FrmCtrlCargosReales::Form_Load() {
  gUtil.PreparaFormulario(this, false);
  ConfiguraFormulario(this);
  InicializaGrid();
  CargarDatos();
}

void FrmCtrlCargosReales::InicializaGrid() {
  vb::ErrorSteps paso(QStringLiteral("InicializaGrid"));
  if (!paso.step([&] {
        ListView1->ListItems().Clear();
        aAplicar_.clear();
      }))
    return;
  const struct {
    const char* titulo;
    int equis;
  } columnas[] = {{"Fecha", 14}, {"Matricula", 10}, {"Concepto", 25}, {"Importe Pendiente", 15}, {"Observaciones", 30}};
  for (const auto& c : columnas)
    if (!paso.step([&] { ListView1->ColumnHeaders().Add(QString::fromLatin1(c.titulo), TextWidth(QString(c.equis, u'X'))); }))
      return;
}

void FrmCtrlCargosReales::CargarDatos() {
  vb::ErrorSteps paso(QStringLiteral("CargarDatos"));
  Recordset rs;
  auto texto = [&](const char* campo) { return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QLatin1String(campo)))); };
  if (!paso.step([&] {
        Label1->SetCaption(Cliente + QStringLiteral(" ") +
                           gUtil.ConvierteTexto(gDatos.ObtieneValor(QStringLiteral("ma_cuentas"), Cliente,
                                                                    QStringLiteral("Descripcion"),
                                                                    QStringLiteral("Codigo"), 8, QString())));
      }))
    return;
  if (!paso.step([&] {
        gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CARGOSAPLICADOS WHERE CUENTA = ") +
                                 ClsDatos::Literal(Cliente) + QStringLiteral(" AND ((SALDO <> 0) OR (SALDO IS NULL))"),
                             rs, nullptr, 0, 1, -1);
      }))
    return;
  bool vacio = true;
  if (!paso.step([&] { vacio = rs.Bof(); })) return;
  if (vacio) return;
  for (;;) {
    bool fin = true;
    if (!paso.step([&] { fin = rs.Eof(); })) return;
    if (fin) break;
    if (!paso.step([&] {
          // The amount first: a charge whose amount does not convert (one
          // beyond the currency's range) is reported and not listed, so it
          // can never be ticked and applied without its amount.
          const bool sinSaldo = rs.Fields(QStringLiteral("Saldo")).IsNull();
          const vb::Moneda importe = gUtil.ConvierteMoneda(sinSaldo ? texto("Importe") : texto("Saldo"));
          const QString visible = ImporteVisible(importe);
          ListItem* it = ListView1->ListItems().Add(texto("Fecha"), QStringLiteral("D") + vb::Trim(texto("ID")));
          it->SetSubItems(ColCargos::kMatricula, vb::Trim(texto("Matricula")));
          it->SetSubItems(ColCargos::kConcepto, vb::Trim(texto("Concepto")));
          it->SetSubItems(ColCargos::kImporte, visible);
          it->SetSubItems(ColCargos::kObservaciones, vb::Trim(texto("Observaciones")));
          aAplicar_.insert(it, importe);
        }))
      return;
    if (!paso.step([&] { rs.MoveNext(); })) return;
  }
  paso.step([&] { gDatos.CierraRecordset(rs); });
}

void FrmCtrlCargosReales::ListView1_MouseDown(int Button, int, int, int) {
  vb::ErrorSteps paso(QStringLiteral("Listview1_MouseDown"));
  ListItem* sel = nullptr;
  if (!paso.step([&] { sel = ListView1->SelectedItem(); })) return;
  if (!sel || Button != lvw::RightButton || !sel->Checked()) return;
  QString respuesta;
  // The answer is emptied before the menu pops up, so a menu closed without
  // a choice changes nothing.
  if (!paso.step([&] { respuesta = FrmMenus::Instancia().Muestra(this, *FrmMenus::Instancia().MNU_EmergenteXXVIII); }))
    return;
  if (vb::Igual(respuesta, QStringLiteral("CambiarImporte"))) paso.step([&] { CambiaImporte(); });
}

void FrmCtrlCargosReales::CambiaImporte() {
  ListItem* sel = ListView1->SelectedItem();
  if (!sel) return;
  const QString actual = sel->SubItems(ColCargos::kImporte);
  const vb::Moneda guardado = aAplicar_.value(sel);
  QString nuevo;
  Interaccion::Actual().InputBox(QStringLiteral("Ingrese el Nuevo Importe debe ser Menor o Igual a ") + actual,
                                 QStringLiteral("Control de Cargos Reales"), actual, nuevo);
  // The amount typed as the list shows it, so the amount applied is the one
  // shown; the amount shown typed again leaves the one kept.
  const int decimales = DecimalesMoneda(kDecimalesConfig);
  const vb::Moneda importe = DecimalCelda(nuevo).RedondeaPar(decimales);
  if (importe == guardado.RedondeaPar(decimales)) return;
  if (importe > guardado) {
    Interaccion::Actual().MsgBox(QStringLiteral("El Importe debe ser menor o igual al Importe original"),
                                 vbmsg::Critical, QStringLiteral("Cambio de Importe"));
    return;
  }
  if (importe <= vb::Moneda()) return;
  aAplicar_.insert(sel, importe);
  sel->SetSubItems(ColCargos::kImporte, ImporteVisible(importe));
}

void FrmCtrlCargosReales::CmdAceptar_Click() {
  vb::ErrorSteps paso(QStringLiteral("CmdAceptar_Click"));
  // One record per ticked charge, in list order, and a closing empty one.
  if (!paso.step([&] { gCargosAplicados.assign(1, CargoAplicado{}); })) return;
  int cantidad = 0;
  if (!paso.step([&] { cantidad = ListView1->ListItems().Count(); })) return;
  for (int i = 1; i <= cantidad; ++i) {
    if (!paso.step([&] {
          ListItem* it = ListView1->ListItems()(i);
          if (!it->Checked()) return;
          CargoAplicado& c = gCargosAplicados.back();
          c.IdCargo = static_cast<long>(vb::Val(vb::Mid(it->Key(), 2)));
          c.ImporteAplicar = aAplicar_.value(it);
          gCargosAplicados.push_back(CargoAplicado{});
        }))
      return;
  }
  paso.step([&] { Unload(); });
}

void FrmCtrlCargosReales::ListView1_BeforeLabelEdit(int& Cancel) { Cancel = 1; }

void FrmCtrlCargosReales::ListView1_AfterLabelEdit(int& Cancel, QString&) { Cancel = 1; }

void FrmCtrlCargosReales::Form_KeyDown(int& KeyCode, int) {
  if (KeyCode != vbkey::Escape) return;
  KeyCode = 0;
  CmdAceptar_Click();
}

void FrmCtrlCargosReales::Form_Resize() {
  // The list and the heading follow the window's width, the list its
  // height; the message and the button stay below the list. A window too
  // small for them leaves them where they were.
  const int ancho = WidthTwips(), alto = HeightTwips();
  if (ancho < 3000 || alto < 2000) return;
  PosicionTwips(Label1, 120, 120, ancho - 240, 285);
  PosicionTwips(ListView1, 120, 480, ancho - 240, alto - 1100);
  PosicionTwips(LblMensaje, 120, alto - 500, ancho - 1800, 255);
  PosicionTwips(CmdAceptar, ancho - 1560, alto - 540, 1440, 375);
}

void FrmCtrlCargosReales::Form_Unload(int&) {
  hide();
  LiberaSiEsGlobal(this);
}

void FrmCtrlCargosReales::PintarFila(MSFlexGrid* MSFlexGrid1, long Fila, long Color) {
  const int columna = MSFlexGrid1->Col();
  MSFlexGrid1->SetRow(static_cast<int>(Fila));
  for (int c = 0; c < MSFlexGrid1->Cols(); ++c) {
    MSFlexGrid1->SetCol(c);
    MSFlexGrid1->SetCellBackColor(Color);
  }
  MSFlexGrid1->SetCol(columna);
}
