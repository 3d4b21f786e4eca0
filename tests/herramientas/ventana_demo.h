#pragma once
// The start the picture tools of the main window share, as the program's
// own: the dialog libraries registered, then the main window on the demo
// database of the folder the command line names (aplicacion_captura.h).
#include <QTemporaryDir>

#include "aplicacion_captura.h"
#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "platform/programa.h"

inline FrmZamolid& VentanaDemo(int argc, char** argv, const QTemporaryDir& tmp) {
  const QString carpeta = CarpetaDemo(argc, argv, tmp);
  RegistraDialogosDelPrograma();
  programa::FijaCarpeta(carpeta);
  programa::FijaLineaDeComando(LineaDeComando(QStringLiteral("demo.db")));
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  return w;
}
