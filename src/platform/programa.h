#pragma once
// The running program: its folder, its own command line and its end.
#include <QString>
#include <functional>

namespace programa {

// The folder of the executable (or the one a test set).
QString Carpeta();
void FijaCarpeta(const QString& carpeta);

// The text after the program's name on its command line: the arguments
// joined by blanks (or the text a test set).
QString LineaDeComando();
void FijaLineaDeComando(const QString& linea);
void FijaArgumentos(int argc, char** argv);

// The executable's name without its extension.
QString NombreEjecutable();
void FijaNombreEjecutable(const QString& nombre);

// Ends the program with the exit status. Tests install a handler that
// throws instead, so the test process goes on.
[[noreturn]] void Termina(int estado);
void FijaTerminacion(std::function<void(int)> manejador);

// Ends the program normally once the current event is handled (the main
// window's unload). Tests install a handler that records it instead.
void Cierra();
void FijaCierre(std::function<void()> manejador);

// Thrown by the test handler of Termina.
struct ProgramaTerminado {
  int estado;
};

}  // namespace programa
