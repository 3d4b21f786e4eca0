#pragma once
// Program files are ordinary files. Something else standing at a file's
// path (a folder, a pipe, a device) is treated as a missing file: opening it
// never blocks and reading it never runs on without end.
#include <QFile>
#include <QString>

namespace archivo_comun {

// Opens the path for reading when it is an ordinary file (a link to one
// counts). False, with the file left closed, for anything else.
bool AbreLectura(const QString& ruta, QFile& archivo);

// Whether something other than an ordinary file stands at the path.
bool HayOtraCosa(const QString& ruta);

}  // namespace archivo_comun
