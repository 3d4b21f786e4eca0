#pragma once
// Waiting for a lock another program holds on the embedded database. A lock
// is not a slow query: whatever the connection's CommandTimeout, one action
// of the person (a click, a key, the start-up) waits for locks at most the
// budget in all, over every statement it runs; a statement that meets a lock
// once the budget is spent fails at once, so the action is told once and
// soon. The program begins a new action each time it goes back to wait for
// the person (its event loop is about to block), except while a message
// box is up: the box belongs to the action that shows it.
//
// While a statement waits, the windows keep painting (paint, expose and
// queued events are handled; the person's input and timers wait until the
// statement ends).
#include <QString>

namespace espera_bloqueo {

// The budget of one action in milliseconds: ZAMOLID_ESPERA_BLOQUEO_MS when it
// holds a whole number of zero or more, else 30 s.
constexpr int kTotalPorDefectoMs = 30000;
int TotalMs();
// Sets the budget (tests shorten it); a negative value goes back to the
// environment's or the default.
void FijaTotalMs(int ms);

// What the current action may still wait, in milliseconds (0 once spent).
long long RestanteMs();
// A new action: the whole budget again, and nothing told yet.
void NuevaAccion();
// Whether the current action has told the person of a lock already, and
// marks it so: a lock is told once per action.
bool Avisado();
void MarcaAvisado();
// How many times a statement has begun to wait for a lock since the program
// started (a statement that meets a lock with the budget spent does not).
long Esperas();

// While it lives, the program's going back to its event loop (a message
// box's own) does not begin a new action.
class MismaAccion {
 public:
  MismaAccion();
  ~MismaAccion();
  MismaAccion(const MismaAccion&) = delete;
  MismaAccion& operator=(const MismaAccion&) = delete;
};

// Called by the engine while a statement waits: the wait begins (counted),
// and one pause of at most ms milliseconds in which the windows are
// painted; the time it took is taken from the budget.
void Empieza();
void Pausa(long long ms);
// Whether the windows are being painted inside such a pause: no statement
// may run now (the engine is not entered again from inside its own wait).
bool Atendiendo();

// While it lives, a wait for a lock says so in words as well as with the
// wait cursor: the text goes to standard error and, where there is a screen,
// into a small window, until the wait ends. The start-up uses it: its
// window is not shown yet.
class Aviso {
 public:
  explicit Aviso(QString texto);
  ~Aviso();
  Aviso(const Aviso&) = delete;
  Aviso& operator=(const Aviso&) = delete;
  // The text shown now (empty while no wait is being told). Safe to ask from
  // another thread.
  static QString Mostrado();
};

// The wait cursor calls these when a wait begins and ends.
void MuestraAviso();
void OcultaAviso();

}  // namespace espera_bloqueo
