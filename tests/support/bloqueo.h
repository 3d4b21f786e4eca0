#pragma once
// Another program holding a lock on a database file: a connection of its
// own on a thread of its own, so the program under test waits for it on the
// main thread as it would for another supervisor.
//
//   BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Lectura);  // held from here
//   ... the program's statement fails or waits ...
//   otro.Suelta();                                          // released
#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

struct sqlite3;

// The whole number another program reads with a query of one value (-1
// when the query gives no row): what is in the file, not what the program
// under test has yet to commit.
long long LeeAjeno(const QString& archivo, const char* sql);

class BloqueoAjeno {
 public:
  // Lectura: a read transaction that has read (other programs may read and
  // prepare writes, but no write can be committed). Escritura: a write
  // transaction (others may read, nobody else may write). Exclusivo: nobody
  // else may even read.
  enum class Tipo { Lectura, Escritura, Exclusivo };
  // Returns once the lock is held.
  BloqueoAjeno(const QString& archivo, Tipo tipo);
  // Releases the lock if it is still held.
  ~BloqueoAjeno();
  BloqueoAjeno(const BloqueoAjeno&) = delete;
  BloqueoAjeno& operator=(const BloqueoAjeno&) = delete;

  // The lock goes as soon as the program shows the wait cursor (or after
  // the limit, when it never does).
  void SueltaAlVerEspera(int limiteMilisegundos = 20000);
  // Releases now and waits for the holder to finish.
  void Suelta();
  // Whether the holder saw the wait cursor before it let go.
  bool VioEspera() const { return vioEspera_.load(); }
  // The words the program showed about the wait when the holder saw it
  // (empty when it showed none).
  QString AvisoVisto() const;

 private:
  void Corre(QString archivo, Tipo tipo);
  std::thread hilo_;
  std::atomic<bool> tomado_{false};
  std::atomic<bool> fallo_{false};
  std::atomic<bool> soltar_{false};
  std::atomic<bool> alVerEspera_{false};
  std::atomic<long long> soltarEnMs_{-1};
  std::atomic<bool> vioEspera_{false};
  mutable std::mutex mutex_;
  QString avisoVisto_;
};

// Another program that takes its lock at the very moment the program under
// test starts a statement whose text begins with inicio (its first run, on a
// connection the program opens while this object lives): that statement,
// and the program's statements after it, meet the lock, while everything
// before it ran free. The lock is held until the end of this object. One
// such object at a time.
//
//   BloqueoAlEmpezar otro(archivo, BloqueoAjeno::Tipo::Exclusivo, "SELECT X");
//   gDatos.Conectar(...);   // a connection opened from here on is watched
//   ...                     // the program's "SELECT X..." waits for the lock
class BloqueoAlEmpezar {
 public:
  BloqueoAlEmpezar(QString archivo, BloqueoAjeno::Tipo tipo, QByteArray inicio);
  ~BloqueoAlEmpezar();
  BloqueoAlEmpezar(const BloqueoAlEmpezar&) = delete;
  BloqueoAlEmpezar& operator=(const BloqueoAlEmpezar&) = delete;

  // Whether the statement was started and the lock taken.
  bool Tomado() const { return otro_ != nullptr; }

 private:
  static int AlEmpezar(unsigned tipo, void*, void* sentencia, void*);
  static int Engancha(sqlite3* db, char**, const void*);
  QString archivo_;
  BloqueoAjeno::Tipo tipo_;
  QByteArray inicio_;
  std::atomic<bool> armado_{true};
  std::unique_ptr<BloqueoAjeno> otro_;
};
