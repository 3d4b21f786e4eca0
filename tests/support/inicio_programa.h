#pragma once
// The program's start-up as its command line runs it, for the tests, the
// benchmarks and the picture tools: on the embedded database named (a file
// in the program's folder, set before), as the user, with any further keys
// of the line ("@Clave=valor;" each). Header only.
#include <QString>

#include "session/mod_global.h"

// The command line of such a start-up.
inline QString LineaDeComando(const QString& base, const QString& usuario = QStringLiteral("supervisor"),
                              const QString& otrasClaves = QString()) {
  return QStringLiteral("@Server=; @DbName=%1; @Usuario=%2; @Password=;%3").arg(base, usuario, otrasClaves);
}

// The start-up run on that line: the connection and the settings then stand
// as in a session.
inline void IniciaSesion(const QString& base, const QString& usuario = QStringLiteral("supervisor"),
                         const QString& otrasClaves = QString()) {
  bool usarIni = false;
  QString linea = LineaDeComando(base, usuario, otrasClaves), cadena;
  InicializaSistema(usarIni, linea, cadena);
}
