#include "platform/programa.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace programa {

namespace {
QString& CarpetaFija() { static QString c; return c; }
QString& LineaFija() { static QString l; return l; }
bool& LineaDada() { static bool b = false; return b; }
QString& NombreFijo() { static QString n; return n; }
std::function<void(int)>& Manejador() { static std::function<void(int)> m; return m; }
std::function<void()>& ManejadorCierre() { static std::function<void()> m; return m; }
}  // namespace

QString Carpeta() {
  if (!CarpetaFija().isEmpty()) return CarpetaFija();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QStringLiteral(".");
}

void FijaCarpeta(const QString& carpeta) { CarpetaFija() = carpeta; }

QString LineaDeComando() { return LineaFija(); }

void FijaLineaDeComando(const QString& linea) {
  LineaFija() = linea;
  LineaDada() = true;
}

void FijaArgumentos(int argc, char** argv) {
  QStringList partes;
  for (int i = 1; i < argc; ++i) partes << QString::fromLocal8Bit(argv[i]);
  LineaFija() = partes.join(u' ');
  LineaDada() = true;
  if (argc > 0) NombreFijo() = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName();
}

QString NombreEjecutable() {
  if (!NombreFijo().isEmpty()) return NombreFijo();
  if (QCoreApplication::instance()) return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return QStringLiteral("zamolid");
}

void FijaNombreEjecutable(const QString& nombre) { NombreFijo() = nombre; }

void Termina(int estado) {
  if (Manejador()) Manejador()(estado);
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(estado);
}

void FijaTerminacion(std::function<void(int)> manejador) { Manejador() = std::move(manejador); }

void Cierra() {
  if (ManejadorCierre()) {
    ManejadorCierre()();
    return;
  }
  QCoreApplication::quit();
}

void FijaCierre(std::function<void()> manejador) { ManejadorCierre() = std::move(manejador); }

}  // namespace programa
