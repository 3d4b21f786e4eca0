#pragma once
// The wait cursor the windows show while the program waits for the database
// (a lock another user holds, a slow server). A statement shows it when it
// starts to wait and takes it away when it ends, whatever the outcome.
//
//   {
//     CursorEspera espera;
//     ...            // espera.Muestra() once the statement has to wait
//   }                // the cursor is back as it was
#include <atomic>

class CursorEspera {
 public:
  CursorEspera() = default;
  ~CursorEspera();
  CursorEspera(const CursorEspera&) = delete;
  CursorEspera& operator=(const CursorEspera&) = delete;

  // Shows the wait cursor (once, however often it is called).
  void Muestra();
  // Takes it away again when this object showed it.
  void Oculta();

  // Whether the program shows the wait cursor for a statement now. Safe to
  // ask from another thread.
  static bool Visible();

 private:
  bool mostrado_ = false;
};
