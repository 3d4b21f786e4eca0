#pragma once
// The start the picture tools share, as the program's own: the dialog
// libraries registered, then the main window on a demo database in the
// folder named by the command line's second argument (a temporary one when
// there is none), made there when missing.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "demo_db.h"
#include "platform/programa.h"

inline FrmZamolid& VentanaDemo(int argc, char** argv, const QTemporaryDir& tmp) {
  const QString carpeta = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
  if (!QFile::exists(QDir(carpeta).filePath("demo.db"))) demo::CreaBaseDemo(QDir(carpeta).filePath("demo.db"));
  RegistraDialogosDelPrograma();
  programa::FijaCarpeta(carpeta);
  programa::FijaLineaDeComando("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;");
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  return w;
}
