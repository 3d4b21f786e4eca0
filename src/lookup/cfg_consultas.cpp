#include "lookup/cfg_consultas.h"

namespace {
// Constant-initialised: installing it at load time needs no other global.
LectorCfg gLector = nullptr;
}  // namespace

void InstalaLectorCfg(LectorCfg lector) { gLector = lector; }

QString CfgConsultas(const QString& Clave) { return gLector ? gLector(Clave) : QStringLiteral(" "); }
