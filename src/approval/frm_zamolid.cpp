#include "approval/frm_zamolid.h"

#include <QCoreApplication>

#include "session/mod_global.h"

FrmZamolid::FrmZamolid() : Form(QStringLiteral("FrmZamolid")) {
  SetCaption(QStringLiteral("Zamolid Realizadas"));
  SetClientTwips(8460, 5595);
  SetKeyPreview(true);
}

void FrmZamolid::Form_Load() {
  bool usarIni = false;
  QString linea, cadena;
  InicializaSistema(usarIni, linea, cadena);
  gUtil.PreparaFormulario(this, false);
  ConfiguraFormulario(this);
  Inicializa();
}

void FrmZamolid::Inicializa() {}

void FrmZamolid::Form_Unload(int&) {
  hide();
  LiberaGlobal();
  QCoreApplication::quit();
}
