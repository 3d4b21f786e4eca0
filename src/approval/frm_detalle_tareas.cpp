#include "approval/frm_detalle_tareas.h"

#include <QFont>

#include "approval/frm_datos_adic_tareas.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "session/formato.h"
#include "session/mod_global.h"

FrmDetalleTareas::FrmDetalleTareas() : Form(QStringLiteral("FrmDetalleTareas")) {
  SetCaption(QStringLiteral("Detalle de Tareas Diarias"));
  SetClientTwips(10560, 5160);
  Label1 = new Label(this, QStringLiteral("Detalle de Tareas"), QStringLiteral("Label1"));
  QFont f = Label1->font();
  f.setBold(true);
  f.setPointSizeF(10);
  Label1->setFont(f);
  PosicionTwips(Label1, 120, 120, 6000, 300);
  MSFlexGrid1 = new MSFlexGrid(this, QStringLiteral("MSFlexGrid1"));
  PosicionTwips(MSFlexGrid1, 120, 480, 10320, 3720);
  MSFlexGrid1->MouseDown = [this](int b, int s, int x, int y) { MSFlexGrid1_MouseDown(b, s, x, y); };
  Label2 = new Label(this,
                     QStringLiteral("Las tareas con adicionales, pueden ser visualizadas pulsando el boton derecho del mouse"),
                     QStringLiteral("Label2"));
  PosicionTwips(Label2, 120, 4320, 8400, 255);
  CmdAceptar = new CommandButton(this, QStringLiteral("Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 9000, 4650, 1440, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
}

void FrmDetalleTareas::Form_Load() {
  gUtil.PreparaFormulario(this, false);
  ConfiguraFormulario(this);
  InicializaGrids();
  CargarDatos(IdDiario);
}

void FrmDetalleTareas::InicializaGrids() {
  vb::ErrorSteps paso(QStringLiteral("InicializaGrids"));
  if (!paso.step([&] {
        MSFlexGrid1->Clear();
        MSFlexGrid1->SetRows(2);
        MSFlexGrid1->SetCols(4);
        MSFlexGrid1->SetFixedRows(1);
        MSFlexGrid1->SetFixedCols(0);
      }))
    return;
  const struct {
    const char* titulo;
    int equis;
  } columnas[] = {{"Tarea", 4}, {"Descripcion", 50}, {"Horas", 6}, {"Observaciones", 30}};
  for (int c = 0; c < 4; ++c) {
    if (!paso.step([&] {
          MSFlexGrid1->SetTextMatrix(0, c, QString::fromLatin1(columnas[c].titulo));
          MSFlexGrid1->SetColWidth(c, TextWidth(QString(columnas[c].equis, u'X')));
        }))
      return;
  }
}

void FrmDetalleTareas::CargarDatos(const QString& Id) {
  vb::ErrorSteps paso(QStringLiteral("CargarDatos"));
  Recordset rs;
  auto texto = [&](const char* campo) {
    return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QString::fromLatin1(campo))));
  };
  // The id goes in as a number: anything else finds no report.
  const QString id = vb::IsNumeric(Id) ? ClsDatos::Numero(vb::CDbl(Id)) : QStringLiteral("NULL");
  if (!paso.step([&] {
        gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_MV_DIARIOS WHERE IDDIARIO = ") + id, rs, nullptr, 0, 1, -1);
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
          const int fila = MSFlexGrid1->Rows() - 1;
          MSFlexGrid1->SetTextMatrix(fila, 0, vb::Trim(texto("IdTarea")));
          MSFlexGrid1->SetTextMatrix(fila, 1, vb::Trim(texto("Descripcion")));
          MSFlexGrid1->SetTextMatrix(fila, 2, MinutosAHoras(gUtil.ConvierteDoble(texto("Minutos"))));
          MSFlexGrid1->SetTextMatrix(fila, 3, vb::Trim(texto("Observaciones")));
          MSFlexGrid1->SetRows(MSFlexGrid1->Rows() + 1);
          comprobante_ = texto("IdComprobante");
          complemento_ = texto("IdComplemento");
        }))
      return;
    if (!paso.step([&] { rs.MoveNext(); })) return;
  }
}

void FrmDetalleTareas::MSFlexGrid1_MouseDown(int Button, int, int, int) {
  if (Button != 2) return;
  // A failure here (a lost connection) is reported; the window stays.
  vb::ErrorSteps paso(QStringLiteral("MSFlexGrid1_MouseDown"));
  paso.step([&] { MuestraAdicionales(); });
}

void FrmDetalleTareas::MuestraAdicionales() {
  const int fila = MSFlexGrid1->Row();
  if (vb::Trim(MSFlexGrid1->TextMatrix(fila, 0)).isEmpty()) return;
  const QString tarea = gUtil.FormateaCodigo(vb::Trim(MSFlexGrid1->TextMatrix(fila, 0)), 4);
  const QString complemento =
      vb::IsNumeric(complemento_) ? ClsDatos::Numero(vb::CDbl(complemento_)) : QStringLiteral("NULL");
  const QString where = QStringLiteral(" WHERE RTRIM(LTRIM(TC)) = 'OT' AND RTRIM(LTRIM(IDCOMPROBANTE)) ='") +
                        ClsDatos::EntreComillas(comprobante_) + QStringLiteral("' AND IdComplemento = ") + complemento +
                        QStringLiteral(" and IdTarea = '") + ClsDatos::EntreComillas(tarea) + QStringLiteral("'");
  Recordset rs;
  gDatos.BuscaRegistros(QStringLiteral("V_MV_CPTETAREAS"), QString(), QString(), rs, 8, where);
  if (rs.Bof()) {
    Interaccion::Actual().MsgBox(QStringLiteral("No tiene tareas adicionales"), vbmsg::OKOnly, QString());
    return;
  }
  FrmDatosAdicTareas& d = FrmDatosAdicTareas::Global();
  d.CodigoTarea = gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("IdTarea"))));
  d.DatosAdicionales = gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Descripcionadicional"))));
  d.Show(1);
  FrmDatosAdicTareas::LiberaGlobal();
}

void FrmDetalleTareas::CmdAceptar_Click() { Unload(); }

void FrmDetalleTareas::Form_Unload(int&) {
  hide();
  LiberaSiEsGlobal(this);
}
