#pragma once
// What the picture tools share: the program's own application object (with
// its translation), drawn off screen, so the tools need no display (a
// platform named in QT_QPA_PLATFORM is kept); the program's folder they
// work in, with a demo database; the program's start-up there; and the
// value of a query, with which they choose what to show.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include "../support/inicio_programa.h"
#include "demo_db.h"
#include "platform/aplicacion.h"
#include "platform/cls_datos.h"
#include "platform/programa.h"
#include "platform/vb.h"

class AplicacionCaptura : public Aplicacion {
 public:
  AplicacionCaptura(int& argc, char** argv) : Aplicacion(SinPantalla(argc), argv) { CargaTraduccion(); }

 private:
  // Chooses the platform before the application is made; hands argc on.
  static int& SinPantalla(int& argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
  }
};

// The folder named by the command line's second argument (a temporary one
// when there is none), with a demo database "demo.db" made there when
// missing.
inline QString CarpetaDemo(int argc, char** argv, const QTemporaryDir& tmp) {
  const QString carpeta = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
  if (!QFile::exists(QDir(carpeta).filePath("demo.db"))) demo::CreaBaseDemo(QDir(carpeta).filePath("demo.db"));
  return carpeta;
}

// The program's start-up on the demo database of that folder, as its
// command line runs it.
inline void IniciaEnDemo(const QString& carpeta) {
  programa::FijaCarpeta(carpeta);
  IniciaSesion(QStringLiteral("demo.db"));
}

// The first column of the first row of a query, as text (empty when there
// is no row).
inline QString PrimerValor(const QString& sql) {
  Recordset rs;
  gDatos.AbreRecordset(sql, rs);
  return rs.Bof() ? QString() : vb::Texto(rs.Fields(0).Value());
}
