#pragma once
// ClsIni (global gIni): reads a key of an INI file in the program folder.
// Sections and keys are found ignoring letter case; a missing or garbled
// file, section or key gives the default.
#include <QString>

class ClsIni {
 public:
  QString LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                  const QString& porDefecto) const;
};

extern ClsIni gIni;
