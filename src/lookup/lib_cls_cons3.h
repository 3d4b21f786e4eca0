#pragma once
// Lib_ClsCons3: the record pick service. One instance lives in the global
// gConsulta for the life of the program; start-up fills its file settings.
#include <QString>

class Lib_ClsCons3 {
 public:
  // Full path of the look-up configuration file (consultas.bvx).
  QString gRutaMascaraConsultas;
  // True makes table requests look up their record in that file.
  bool gUsarMascarasConsultas = false;
  // The session's connection text, handed on to the list pick form.
  QString gConnString;
};
