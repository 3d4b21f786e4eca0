#pragma once
// The statements SQLite runs on the connections opened while a
// TrazaSentencias object lives (SQLite's own trace hook, installed on each
// connection as it opens): open it before the program connects, and every
// statement the program sends on its connection is counted for as long as
// that connection stays open, whether or not the object still lives. On
// request each statement's text is kept too, its bound values written in,
// as a bare connection can run it again.
//
// Header only, for the tests and the benchmarks alike.
#include <sqlite3.h>

#include <QString>
#include <QStringList>

class TrazaSentencias {
 public:
  TrazaSentencias() { sqlite3_auto_extension(reinterpret_cast<void (*)()>(&Engancha)); }
  ~TrazaSentencias() { sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&Engancha)); }
  TrazaSentencias(const TrazaSentencias&) = delete;
  TrazaSentencias& operator=(const TrazaSentencias&) = delete;

  // Statements run so far on the traced connections (a trigger's own
  // statements are not counted apart).
  static long Cuenta() { return Estado().cuenta; }
  // From now on, or no longer, keep the text of each statement run.
  static void Guarda(bool guardar) {
    Estado().guardar = guardar;
    if (guardar) Estado().textos.clear();
  }
  // The texts kept since Guarda(true), in the order they ran.
  static const QStringList& Textos() { return Estado().textos; }

 private:
  struct Datos {
    long cuenta = 0;
    bool guardar = false;
    QStringList textos;
  };
  static Datos& Estado() {
    static Datos d;
    return d;
  }
  static int Engancha(sqlite3* db, char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Anota, nullptr);
    return SQLITE_OK;
  }
  static int Anota(unsigned, void*, void* sentencia, void* texto) {
    const char* t = static_cast<const char*>(texto);
    if (t && t[0] == '-' && t[1] == '-') return 0;  // a statement of a trigger
    Datos& d = Estado();
    ++d.cuenta;
    if (d.guardar) {
      char* expandida = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(sentencia));
      d.textos << QString::fromUtf8(expandida ? expandida : t);
      sqlite3_free(expandida);
    }
    return 0;
  }
};
