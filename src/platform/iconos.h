#pragma once
// The icon resources the program carries, loaded by name (the INI key
// IconoDelSistema names the window icon), drawn at run time.
#include <QIcon>
#include <QString>

// The icon resource of that name (ignoring case); a null icon when the
// program carries none of that name.
QIcon IconoRecurso(const QString& nombre);
