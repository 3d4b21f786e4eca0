#pragma once
// Another program holding a lock on a database file: a connection of its
// own on a thread of its own, so the program under test waits for it on the
// main thread as it would for another supervisor.
//
//   BloqueoAjeno otro(archivo, BloqueoAjeno::Tipo::Lectura);  // held from here
//   ... the program's statement fails or waits ...
//   otro.Suelta();                                          // released
#include <QString>
#include <atomic>
#include <thread>

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

  // The lock goes after that many milliseconds, on the holder's thread.
  void SueltaEn(int milisegundos);
  // The lock goes as soon as the program shows the wait cursor (or after
  // the limit, when it never does).
  void SueltaAlVerEspera(int limiteMilisegundos = 20000);
  // Releases now and waits for the holder to finish.
  void Suelta();
  // Whether the holder saw the wait cursor before it let go.
  bool VioEspera() const { return vioEspera_.load(); }

 private:
  void Corre(QString archivo, Tipo tipo);
  std::thread hilo_;
  std::atomic<bool> tomado_{false};
  std::atomic<bool> fallo_{false};
  std::atomic<bool> soltar_{false};
  std::atomic<bool> alVerEspera_{false};
  std::atomic<long long> soltarEnMs_{-1};
  std::atomic<bool> vioEspera_{false};
};
