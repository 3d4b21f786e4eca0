#pragma once
// A look-up configuration record for tests.
#include "lookup/consultas_bvx.h"

inline QConsulta Registro(const QString& tabla, const QString& columnas, const QString& condicion = QString()) {
  QConsulta q;
  q.Titulo = "T";
  q.Tabla = tabla;
  q.ListaCampos = columnas;
  q.Condicion = condicion;
  return q;
}
