#pragma once
// The few settings of the suite's configuration the look-up library reads
// (stock colours, the row limit of article lists, the titles of the price
// columns) come through the reader the session installs: the library lies
// below the session and does not read the configuration table itself. The
// session installs its Cfg when the program is loaded, wherever the session
// is part of the program.
#include <QString>

using LectorCfg = QString (*)(const QString& Clave);

// Installs the configuration reader (nullptr removes it).
void InstalaLectorCfg(LectorCfg lector);

// The configuration value of a key as the installed reader gives it (one
// blank, the value of a key without a row, when no reader is installed).
QString CfgConsultas(const QString& Clave);
