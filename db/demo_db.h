#pragma once
// The embedded database: its schema, and a generator of believable demo data
// whose size is a parameter (benchmarks make 100,000 reports).
#include <QString>

namespace demo {

struct Opciones {
  int reportes = 240;        // daily reports (V_MV_DIARIOS ids)
  int articulos = 400;       // articles (V_MA_ARTICULOS rows)
  unsigned semilla = 20261208;
};

// Creates the file (replacing one that exists) with every table and view of
// the schema and the base configuration rows, and nothing else.
void CreaEsquema(const QString& archivo);

// Creates the schema and fills it with demo data.
void CreaBaseDemo(const QString& archivo, const Opciones& opciones = Opciones());

// Writes "PRINTERS.PRN" into a program folder: the list of the printers
// the demo's print configuration names. The voucher screens only look at
// its date-time, to know when to read that configuration again.
void CreaArchivoImpresoras(const QString& carpeta);

}  // namespace demo
