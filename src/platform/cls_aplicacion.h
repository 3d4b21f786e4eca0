#pragma once
// ClsAplicacion (global gAplicacion): told the program folder at start-up.
#include <QString>

class ClsAplicacion {
 public:
  QString Ruta;
};

extern ClsAplicacion gAplicacion;
