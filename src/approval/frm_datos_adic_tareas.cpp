#include "approval/frm_datos_adic_tareas.h"

#include <QFont>

#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/richtextbox.h"
#include "platform/controles/textbox.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/teclas.h"
#include "platform/vb.h"
#include "session/consulta_tabla.h"
#include "session/mod_global.h"

FrmDatosAdicTareas::FrmDatosAdicTareas() : Form(QStringLiteral("FrmDatosAdicTareas")) {
  SetCaption(QStringLiteral("Datos Adicionales de Tareas"));
  SetClientTwips(6840, 4380);
  SetKeyPreview(true);

  lblTarea = new Label(this, QString(), QStringLiteral("lblTarea"));
  QFont f = lblTarea->font();
  f.setBold(true);
  lblTarea->setFont(f);
  PosicionTwips(lblTarea, 120, 120, 6600, 255);
  Label1 = new Label(this, QStringLiteral("Fecha estimada de Inicio"), QStringLiteral("Label1"));
  PosicionTwips(Label1, 120, 510, 1995, 255);
  Label2 = new Label(this, QStringLiteral("Finalizacion"), QStringLiteral("Label2"));
  PosicionTwips(Label2, 3600, 510, 1000, 255);
  Label3 = new Label(this, QStringLiteral("Responsable"), QStringLiteral("Label3"));
  PosicionTwips(Label3, 120, 870, 1995, 255);
  LblResponsable = new Label(this, QStringLiteral("..."), QStringLiteral("LblResponsable"));
  PosicionTwips(LblResponsable, 3120, 870, 3600, 255);

  const struct {
    int indice;
    const char* campo;
    const char* tag;
    int left, top, width;
  } cajas[] = {{1, "FechaEstInicio", "FECHA", 2160, 480, 1215},
               {0, "FechaEstFin", "FECHA", 4680, 480, 1215},
               {2, "IdTecnico", "v_ta_tecnicos", 2160, 840, 855}};
  for (const auto& c : cajas) {
    auto* t = new TextBox(this, QStringLiteral("TxtFields"), c.indice);
    t->DataField = QString::fromLatin1(c.campo);
    t->Tag = QString::fromLatin1(c.tag);
    t->SetMaxLength(10);
    PosicionTwips(t, c.left, c.top, c.width, 285);
    TxtFields.Agrega(c.indice, t);
    const int i = c.indice;
    t->GotFocus = [this, i] { TxtFields_GotFocus(i); };
    t->LostFocus = [this, i] { TxtFields_LostFocus(i); };
    t->KeyDown = [this, i](int& k, int s) { TxtFields_KeyDown(i, k, s); };
    t->KeyPress = [this, i](int& k) { TxtFields_KeyPress(i, k); };
  }
  txtRtf = new RichTextBox(this, QStringLiteral("txtRtf"));
  PosicionTwips(txtRtf, 120, 1260, 6600, 2400);
  CmdConsultar = new CommandButton(this, QStringLiteral("&Consultar"), QStringLiteral("CmdConsultar"));
  PosicionTwips(CmdConsultar, 3840, 3840, 1335, 375);
  CmdConsultar->Click = [this] { CmdConsultar_Click(); };
  CmdConsultar->GotFocus = [this] { CmdConsultar_GotFocus(); };
  CmdAceptar = new CommandButton(this, QStringLiteral("&Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 5385, 3840, 1335, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
  QWidget::setTabOrder(&TxtFields(1), &TxtFields(0));
  QWidget::setTabOrder(&TxtFields(0), &TxtFields(2));
  QWidget::setTabOrder(&TxtFields(2), txtRtf);
  QWidget::setTabOrder(txtRtf, CmdConsultar);
  QWidget::setTabOrder(CmdConsultar, CmdAceptar);
}

void FrmDatosAdicTareas::Form_Load() {
  gUtil.PreparaFormulario(this, false);
  lblTarea->SetCaption(CodigoTarea + QStringLiteral(" - ") + Descripcion);
  txtRtf->SetText(DatosAdicionales);
  txtRtf->SetSelStart(DatosAdicionales.size());
  TxtFields(gCampos.IndiceCampo(QStringLiteral("FechaEstInicio"), TxtFields)).SetText(FechaEstInicio);
  TxtFields(gCampos.IndiceCampo(QStringLiteral("FechaEstFin"), TxtFields)).SetText(FechaEstFin);
  TxtFields(gCampos.IndiceCampo(QStringLiteral("IdTecnico"), TxtFields)).SetText(IdTecnico);
  campoActual_ = &TxtFields(indiceActual_);
}

void FrmDatosAdicTareas::Form_KeyDown(int& KeyCode, int) {
  if (KeyCode == vbkey::F5) {
    KeyCode = 0;
    CmdConsultar_Click();
  } else if (KeyCode == vbkey::F2) {
    KeyCode = 0;
    CmdAceptar_Click();
  }
}

void FrmDatosAdicTareas::TxtFields_GotFocus(int Index) { indiceActual_ = Index; }

void FrmDatosAdicTareas::TxtFields_LostFocus(int Index) {
  TxtFields(Index).SetBackColor(0xFFFFFF);
  TxtFields(Index).SetForeColor(0);
}

void FrmDatosAdicTareas::TxtFields_KeyPress(int Index, int& KeyAscii) { gCampos.FiltraTecla(&TxtFields(Index), KeyAscii); }

void FrmDatosAdicTareas::TxtFields_KeyDown(int Index, int& KeyCode, int) {
  campoActual_ = &TxtFields(Index);
  if (!gCampos.EsTeclaDeAvance(KeyCode)) return;
  CampoValida(&TxtFields(Index));
  if (!lHayError) gCampos.AvanzaCampo(KeyCode, &TxtFields(Index));
}

void FrmDatosAdicTareas::CmdConsultar_GotFocus() { campoActual_ = &TxtFields(indiceActual_); }

void FrmDatosAdicTareas::CmdConsultar_Click() {
  campoActual_ = &TxtFields(indiceActual_);
  Consultar();
}

void FrmDatosAdicTareas::CampoValida(TextBox* Texto) {
  vb::ErrorSteps paso(QStringLiteral("CAMPO_VALIDA"));
  lHayError = false;
  const QString texto = Texto->Text();
  const QString campo = Texto->DataField;
  QString mensaje;
  auto fechaNoAnterior = [&](const QString& comparacion, const QString& siAnterior) {
    if (vb::Trim(texto).isEmpty()) return;
    if (!vb::IsDate(texto)) {
      mensaje = QStringLiteral("La Fecha Ingresada no es válida!!!");
      return;
    }
    // Without a date to compare with there is no lower limit.
    if (vb::Trim(comparacion).isEmpty() || !vb::IsDate(comparacion)) return;
    if (vb::CDate(texto) < vb::CDate(comparacion)) mensaje = siAnterior;
  };
  if (!paso.step([&] {
        if (vb::Igual(campo, QStringLiteral("IDTECNICO"))) {
          if (vb::Trim(texto).isEmpty()) {
            LblResponsable->SetCaption(QStringLiteral("..."));
            return;
          }
          Recordset rs;
          if (!gDatos.BuscaRegistros(QStringLiteral("V_TA_TECNICOS"), texto, QStringLiteral("IDTECNICO"), rs, 8, QString()))
            mensaje = QStringLiteral("El Técnico informado no Existe!!!");
          else
            LblResponsable->SetCaption(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Nombre")))));
        } else if (vb::Igual(campo, QStringLiteral("FECHAESTINICIO"))) {
          fechaNoAnterior(FechaInicioComprobante,
                          QStringLiteral("La fecha estimada de Inicio no puede ser menor a la del movimiento"));
        } else if (vb::Igual(campo, QStringLiteral("FECHAESTFIN"))) {
          fechaNoAnterior(TxtFields(gCampos.IndiceCampo(QStringLiteral("FECHAESTINICIO"), TxtFields)).Text(),
                          QStringLiteral("La fecha estimada de fin no puede ser menor a la del inicio"));
        }
      }))
    return;
  if (mensaje.isEmpty()) return;
  lHayError = true;
  Interaccion::Actual().MsgBox(mensaje, vbmsg::Critical, QStringLiteral("Aviso al operador..."));
}

void FrmDatosAdicTareas::Consultar() {
  if (!campoActual_) return;
  TextBox* campo = campoActual_;
  const QString tag = campo->Tag;
  if (vb::Trim(tag).isEmpty()) return;
  QString valor;
  if (vb::Igual(tag, QStringLiteral("FECHA"))) {
    valor = campo->Text();
    if (!gUtil.PideFecha(valor)) return;
  } else {
    QString descripcion, extra;
    ConsultaTabla(tag, descripcion, valor, extra, true, QString());
  }
  if (vb::Trim(valor).isEmpty()) return;
  if (vb::Igual(tag, QStringLiteral("Fecha")))
    campo->SetText(valor);
  else if (vb::Igual(tag, QStringLiteral("COMPROBANTES")))
    return;
  else
    campo->SetText(vb::Trim(valor));
  if (vb::Igual(campo->objectName(), QStringLiteral("txtfields"))) {
    int enter = vbkey::Return;
    TxtFields_KeyDown(campo->Index, enter, 0);
  }
}

void FrmDatosAdicTareas::CmdAceptar_Click() {
  TextBox& inicio = TxtFields(gCampos.IndiceCampo(QStringLiteral("FechaEstInicio"), TxtFields));
  TextBox& fin = TxtFields(gCampos.IndiceCampo(QStringLiteral("FechaEstFin"), TxtFields));
  if (!vb::Trim(inicio.Text()).isEmpty()) FechaEstInicio = inicio.Text();
  if (!fin.Text().isEmpty()) FechaEstFin = fin.Text();
  IdTecnico = TxtFields(gCampos.IndiceCampo(QStringLiteral("IdTecnico"), TxtFields)).Text();
  DatosAdicionales = txtRtf->Text();
  Hide();
}
