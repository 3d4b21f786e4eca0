#include "pantalla_cptes.h"

#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/sstab.h"
#include "platform/controles/statusbar.h"
#include "platform/controles/textbox.h"
#include "vouchers/cls_cmn_cptes.h"

PantallaCpte::PantallaCpte() : Form(QStringLiteral("FrmComprobante")) {
  SetCaption(QStringLiteral("Comprobante"));
  SetClientTwips(12600, 7200);
  gUtil.PreparaFormulario(this, false);
  SSTab1 = new SSTab(this, QStringLiteral("SSTab1"));
  PosicionTwips(SSTab1, 120, 120, 12360, 3900);
  MSFlexGrid* grillas[3];
  const char* const pestanas[] = {"Tareas", "Artículos", "Otros Conceptos"};
  for (int i = 0; i < 3; ++i) {
    QWidget* pagina = SSTab1->AgregaPestana(QString::fromUtf8(pestanas[i]));
    grillas[i] = new MSFlexGrid(pagina, QStringLiteral("MSFlexGrid%1").arg(i + 1));
    PosicionTwips(grillas[i], 60, 60, 12120, 3360);
  }
  MSFlexGrid1 = grillas[0];
  MSFlexGrid2 = grillas[1];
  MSFlexGrid3 = grillas[2];
  MSFlexGrid4 = new MSFlexGrid(this, QStringLiteral("MSFlexGrid4"));
  PosicionTwips(MSFlexGrid4, 120, 4140, 12360, 2580);
  TxtEdit = new TextBox(MSFlexGrid1, QStringLiteral("TxtEdit"));
  TxtEdit2 = new TextBox(MSFlexGrid2, QStringLiteral("TxtEdit2"));
  TxtEdit3 = new TextBox(MSFlexGrid3, QStringLiteral("TxtEdit3"));
  StatusBar1 = new StatusBar(this, QStringLiteral("StatusBar1"));
  PosicionTwips(StatusBar1, 0, 6840, 12600, 360);
  StatusBar1->Panels().Add(QStringLiteral("Fecha"), QString(), 1200);
  StatusBar1->Panels().Add(QStringLiteral("Usuario"), QString(), 1500);
  StatusBar1->Panels().Add(QStringLiteral("Comprobante"), QString(), 1800);
  StatusBar1->Panels().Add(QStringLiteral("Detalle"));
  StatusBar1->Panels().Add(QStringLiteral("Stock"), QString(), 2100);
}

void PantallaCpte::Inicializa(ClsCmnCptes& cptes, const QString& tc) {
  cptes.InicializaGrids(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, TxtEdit, TxtEdit2, TxtEdit3, this, tc, MSFlexGrid4);
}
