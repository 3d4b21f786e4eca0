// The embedded database: an SQLite file reached through its C library, with
// the server-like collation and functions registered on the connection and
// each text adapted from the server's dialect when it runs.
#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <list>
#include <unordered_map>

#include "platform/ado.h"
#include "platform/cursor_espera.h"
#include "platform/espera_bloqueo.h"
#include "platform/sql_adapter.h"
#include "platform/sqlite_funciones.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

namespace ado {

namespace {

constexpr size_t kSentenciasGuardadas = 64;

// Finishes a statement when the call that prepared it ends, whatever its end.
struct Finaliza {
  sqlite3_stmt* s;
  ~Finaliza() { sqlite3_finalize(s); }
};

// Whether what is left of a text after its first statement holds another
// statement (anything but blanks, ";" and comments).
bool QuedaOtraSentencia(const char* resto) {
  if (!resto) return false;
  for (const char* c = resto; *c;) {
    if (*c == ' ' || *c == '\t' || *c == '\r' || *c == '\n' || *c == ';' || *c == '\f' || *c == '\v') {
      ++c;
    } else if (c[0] == '-' && c[1] == '-') {
      while (*c && *c != '\n') ++c;
    } else if (c[0] == '/' && c[1] == '*') {
      const char* fin = std::strstr(c + 2, "*/");
      if (!fin) return false;
      c = fin + 2;
    } else {
      return true;
    }
  }
  return false;
}

// Pragmas that read what their argument names.
bool PragmaQueLee(const char* nombre) {
  static const char* const kLeen[] = {"table_info",       "table_xinfo",       "table_list",      "index_info",
                                      "index_xinfo",      "index_list",        "foreign_key_list", "foreign_key_check",
                                      "integrity_check",  "quick_check"};
  for (const char* p : kLeen)
    if (sqlite3_stricmp(nombre, p) == 0) return true;
  return false;
}

// Why a read may not do what the engine is preparing (empty when it may).
// The engine counts transaction control, ATTACH and DETACH and pragmas that
// change a setting as statements that write nothing, so they are told here,
// while the statement is prepared: a pragma's setting already takes effect
// then.
QString MotivoAccionNoLectura(int accion, const char* a1, const char* a2) {
  switch (accion) {
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
      return QStringLiteral("Una consulta no puede abrir ni cerrar transacciones");
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
      return QStringLiteral("Una consulta no puede agregar ni quitar bases de datos de la conexión");
    case SQLITE_PRAGMA:
      if (a1 && (a2 ? PragmaQueLee(a1) : !sqlite_sql::PragmaQueActua(QString::fromUtf8(a1)))) return QString();
      return QStringLiteral("Una consulta no puede cambiar la configuración de la conexión (PRAGMA %1)")
          .arg(QString::fromUtf8(a1 ? a1 : ""));
    default:
      return QString();
  }
}

// Whether a new file can be made in the folder, as the engine makes its
// journal beside the database when it writes. Tried, not read from the
// permission bits: a read-only mount or an immutable folder refuses the
// administrator too.
bool CarpetaAdmiteArchivos(const QString& carpeta) {
  QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral(".zamolid-prueba-XXXXXX")));
  return prueba.open();
}

class MotorSqlite : public Motor {
 public:
  MotorSqlite(const QString& archivo, int segundosEspera);
  ~MotorSqlite() override;

  Resultado Ejecuta(const QString& sql) override;
  Resultado Lee(const QString& sql) override;
  Resultado EjecutaPreparada(const QString& sql, const QVariantList& valores) override;
  Resultado LeePreparada(const QString& sql, const QVariantList& valores) override;
  void Recorre(const QString& sql, const Fila& fila) override;
  bool EsSqlite() const override { return true; }
  void FijaTiempoEspera(int segundos) override { esperaMs_ = std::max(0, segundos) * 1000LL; }
  QString MotivoSinEscritura() const override;
  bool IniciaLectura() override;
  void TerminaLectura() override;
  void IniciaTransaccion(Bloqueo bloqueo) override;
  void ConfirmaTransaccion() override;
  void DeshaceTransaccion() override;
  bool EnTransaccion() const override { return !sqlite3_get_autocommit(db_); }

 private:
  struct Preparada {
    sqlite3_stmt* stmt = nullptr;
    std::shared_ptr<const Columnas> columnas;
    std::vector<bool> esFecha;
  };
  // The wait cursor goes when the call that waited ends, whatever its end.
  struct FinDeEspera {
    MotorSqlite* m;
    ~FinDeEspera() { m->cursor_.Oculta(); }
  };
  [[noreturn]] void Falla(const QString& sql);
  // A read refused for the reason given: nothing of it ran.
  [[noreturn]] static void Rehusa(const QString& motivo, const QString& sql);
  // While it lives, what the engine prepares is checked as part of a read;
  // why it was refused goes into motivo. A read is checked so while it is
  // prepared and while it steps: a table-valued pragma prepares its own
  // statement only when the read reaches it.
  struct ComoLectura {
    MotorSqlite* m;
    QString* antes;
    ComoLectura(MotorSqlite* motor, QString& motivo) : m(motor), antes(motor->motivoLectura_) {
      m->motivoLectura_ = &motivo;
    }
    ~ComoLectura() { m->motivoLectura_ = antes; }
    ComoLectura(const ComoLectura&) = delete;
    ComoLectura& operator=(const ComoLectura&) = delete;
  };
  // One step of a statement; a read's step is checked as a read, and a step
  // that failed for what the read may not do raises that refusal.
  int Paso(sqlite3_stmt* st, bool lectura, const QString& sql);
  void Corre(Preparada& p, Resultado& r, const QString& sql, bool lectura);
  void Prepara(const QString& sql, Preparada& p, const char** resto = nullptr, const QByteArray* utf8 = nullptr);
  // Prepares a read: exactly one statement, one that writes nothing and
  // leaves the connection as it is (anything else is refused before it
  // runs). False for a text of nothing but blanks.
  bool PreparaLectura(const QString& sql, Preparada& p);
  void Describe(Preparada& p);
  Resultado CorrePreparada(const QString& sql, const QVariantList& valores, bool lectura);
  // CorrePreparada, the connection left sound after a failure (Asegura).
  Resultado CorrePreparadaAsegurada(const QString& sql, const QVariantList& valores, bool lectura);
  // Runs a statement of the connection's own set-up: a lock that outlasts
  // the wait raises as a busy database, any other failure with falla.
  void Ajusta(const char* sql, const QString& archivo, const QString& falla);
  // Asked by the engine for every action of a statement it prepares.
  static int Autoriza(void* yo, int accion, const char* a1, const char* a2, const char*, const char*);
  // Runs every statement of one piece of a batch; abre opens the batch's
  // transaction before a statement that has others after it.
  void EjecutaPieza(const QString& pieza, bool siguenOtras, Resultado& r, const std::function<void()>& abre);
  // Runs a transaction-control statement, raising as any statement does.
  void Control(const char* sql);
  // Out of every transaction, after a failure.
  void Asegura();
  static int Ocupada(void* yo, int veces);

  sqlite3* db_ = nullptr;
  QString archivo_;
  // While a read is prepared: why it is refused, when it is.
  QString* motivoLectura_ = nullptr;  // and while it steps (ComoLectura)
  long long esperaMs_ = 30000;
  std::chrono::steady_clock::time_point inicioEspera_;
  CursorEspera cursor_;
  // Prepared statements kept by their text (marked as read or not), the
  // most recently used first.
  std::list<std::pair<std::string, Preparada>> guardadas_;
  std::unordered_map<std::string, std::list<std::pair<std::string, Preparada>>::iterator> porTexto_;
};

MotorSqlite::MotorSqlite(const QString& archivo, int segundosEspera) : archivo_(archivo) {
  FijaTiempoEspera(segundosEspera);
  QFileInfo fi(archivo);
  if (!fi.exists())
    vb::Raise(vb::ErrProvider, QStringLiteral("No existe el archivo de base de datos %1").arg(archivo),
              QStringLiteral("SQLite"));
  // One connection used by one thread: no mutexes.
  int rc = sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc != SQLITE_OK) {
    QString m = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("sin memoria");
    sqlite3_close(db_);
    db_ = nullptr;
    vb::Raise(vb::ErrProvider, QStringLiteral("No se pudo abrir la base de datos %1: %2").arg(archivo, m),
              QStringLiteral("SQLite"));
  }
  // The wait for a lock held by another program is in force before the
  // first look at the file: another user's commit at that moment is waited
  // for, not taken for a damaged file.
  sqlite3_busy_handler(db_, &MotorSqlite::Ocupada, this);
  sqlite3_set_authorizer(db_, &MotorSqlite::Autoriza, this);
  sqlite_sql::RegistraFunciones(db_);
  sqlite3_extended_result_codes(db_, 0);
  FinDeEspera fin{this};
  try {
    // The first look reads the schema, waiting once for a lock. The page
    // cache and the memory mapping keep SQLite's defaults: measured in fresh
    // processes, a 256 MB mapping and a 32 MB cache made the first search of
    // 100,000 or 400,000 reports no faster (5 to 8 % slower), a search run
    // again no faster by more than a twentieth, and the process three times
    // as large.
    Ajusta("SELECT count(*) FROM sqlite_master", archivo,
           QStringLiteral("El archivo %1 no es una base de datos válida").arg(archivo));
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

void MotorSqlite::Ajusta(const char* sql, const QString& archivo, const QString& falla) {
  char* err = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &err);
  if (rc == SQLITE_OK) return;
  const QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db_));
  sqlite3_free(err);
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    vb::Raise(vb::ErrProvider,
              QStringLiteral("La base de datos %1 está ocupada por otro usuario y no se liberó a tiempo. "
                             "Vuelva a intentarlo en unos momentos.")
                  .arg(archivo),
              QStringLiteral("SQLite"), QStringLiteral("Respuesta de la base de datos: %1").arg(m));
  vb::Raise(vb::ErrProvider, falla + QStringLiteral(": ") + m, QStringLiteral("SQLite"),
            QStringLiteral("Sentencia: ") + QString::fromLatin1(sql));
}

int MotorSqlite::Autoriza(void* yo, int accion, const char* a1, const char* a2, const char*, const char*) {
  auto* m = static_cast<MotorSqlite*>(yo);
  if (!m->motivoLectura_) return SQLITE_OK;  // not a read
  const QString motivo = MotivoAccionNoLectura(accion, a1, a2);
  if (motivo.isEmpty()) return SQLITE_OK;
  if (m->motivoLectura_->isEmpty()) *m->motivoLectura_ = motivo;
  return SQLITE_DENY;
}

MotorSqlite::~MotorSqlite() {
  for (auto& g : guardadas_) sqlite3_finalize(g.second.stmt);
  // Closing rolls back whatever was left open.
  sqlite3_close(db_);
}

int MotorSqlite::Ocupada(void* yo, int veces) {
  auto* m = static_cast<MotorSqlite*>(yo);
  using namespace std::chrono;
  const auto ahora = steady_clock::now();
  if (veces == 0) {
    m->inicioEspera_ = ahora;
    // An action that has waited all it may is told at once.
    if (espera_bloqueo::RestanteMs() <= 0) return 0;
    espera_bloqueo::Empieza();
    m->cursor_.Muestra();
  }
  // The statement's own limit, and what is left of the action's budget.
  const long long esperado = duration_cast<milliseconds>(ahora - m->inicioEspera_).count();
  const long long queda = std::min(m->esperaMs_ - esperado, espera_bloqueo::RestanteMs());
  if (queda <= 0) return 0;
  static constexpr int kPausas[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
  const long long pausa = veces < static_cast<int>(std::size(kPausas)) ? kPausas[veces] : 100;
  espera_bloqueo::Pausa(std::min(pausa, queda));
  return 1;
}

QString MotorSqlite::MotivoSinEscritura() const {
  if (sqlite3_db_readonly(db_, "main") == 1) return QStringLiteral("es de sólo lectura");
  const QString carpeta = QFileInfo(archivo_).absolutePath();
  if (!CarpetaAdmiteArchivos(carpeta))
    return QStringLiteral("no se puede grabar: su carpeta %1 no admite archivos nuevos, y al grabar la base de datos "
                          "crea en ella su diario de cambios")
        .arg(QDir::toNativeSeparators(carpeta));
  return QString();
}

void MotorSqlite::Falla(const QString& sql) {
  const int rc = sqlite3_errcode(db_);
  // A write the file or its folder cannot take is told in the person's
  // language, with the reason; the engine's own words go in the details.
  if (rc == SQLITE_READONLY || rc == SQLITE_CANTOPEN) {
    QString motivo = MotivoSinEscritura();
    if (motivo.isEmpty() && rc == SQLITE_READONLY) motivo = QStringLiteral("no admite cambios en este momento");
    if (!motivo.isEmpty())
      vb::Raise(vb::ErrProvider, QStringLiteral("La base de datos %1 %2.").arg(QDir::toNativeSeparators(archivo_), motivo),
                QStringLiteral("SQLite"),
                QStringLiteral("Respuesta de la base de datos: %1\n\nSentencia: %2")
                    .arg(QString::fromUtf8(sqlite3_errmsg(db_)), SentenciaRecortada(sql)));
  }
  FallaSentencia(QString::fromUtf8(sqlite3_errmsg(db_)), rc == SQLITE_BUSY || rc == SQLITE_LOCKED, sql,
                 QStringLiteral("SQLite"));
}

void MotorSqlite::Rehusa(const QString& motivo, const QString& sql) {
  vb::Raise(vb::ErrProvider, motivo + QStringLiteral(": no se ejecutó."), QStringLiteral("SQLite"),
            QStringLiteral("Sentencia: ") + SentenciaRecortada(sql));
}

int MotorSqlite::Paso(sqlite3_stmt* st, bool lectura, const QString& sql) {
  if (!lectura) return sqlite3_step(st);
  QString motivo;
  int rc;
  {
    ComoLectura como{this, motivo};
    rc = sqlite3_step(st);
  }
  if (rc != SQLITE_ROW && rc != SQLITE_DONE && !motivo.isEmpty()) {
    sqlite3_reset(st);
    Rehusa(motivo, sql);
  }
  return rc;
}

void MotorSqlite::Describe(Preparada& p) {
  const int n = sqlite3_column_count(p.stmt);
  QStringList nombres;
  std::vector<int> tamanos(static_cast<size_t>(n), 0);
  p.esFecha.assign(n, false);
  for (int i = 0; i < n; ++i) {
    nombres << QString::fromUtf8(sqlite3_column_name(p.stmt, i));
    const char* tipo = sqlite3_column_decltype(p.stmt, i);
    if (tipo) {
      QByteArray t = QByteArray(tipo).toUpper();
      p.esFecha[i] = t.contains("DATE") || t.contains("TIME");
      // VARCHAR(50), CHAR(25), NUMERIC(19,4): the first number is the size.
      const int abre = t.indexOf('(');
      if (abre >= 0) {
        const QByteArray tamano = t.mid(abre + 1).split(',').first().split(')').first().trimmed();
        tamanos[static_cast<size_t>(i)] = std::max(0, tamano.toInt());
      }
    }
  }
  p.columnas = std::make_shared<Columnas>(nombres, std::move(tamanos));
}

void MotorSqlite::Prepara(const QString& sql, Preparada& p, const char** resto, const QByteArray* utf8) {
  QByteArray propio;
  if (!utf8) {
    propio = sql.toUtf8();
    utf8 = &propio;
  }
  if (sqlite3_prepare_v2(db_, utf8->constData(), utf8->size(), &p.stmt, resto) != SQLITE_OK) Falla(sql);
  if (p.stmt) Describe(p);
}

// The value of a column of the current row: dates of a column declared DATE
// or TIME become dates.
QVariant ValorDeColumna(sqlite3_stmt* st, int i, bool esFecha) {
  switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
      return static_cast<qlonglong>(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT:
      return sqlite3_column_double(st, i);
    case SQLITE_NULL:
      // A Null of a date column keeps the column's type, as the server's
      // driver hands it back, so a caller can tell a date column from a
      // text one also where it holds nothing.
      return esFecha ? QVariant(QMetaType::fromType<QDateTime>()) : QVariant();
    case SQLITE_BLOB:
      return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
    default: {
      QString t = sqlite_sql::TextoUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
      QDateTime d;
      if (esFecha && vb::ParseDateTime(t, d)) return d;
      return t;
    }
  }
}

// ValorDeColumna into v. A text of plain ASCII is written over the room of
// the text v held (a row after row walk allocates no text per value); the
// text's own copy-on-write keeps apart any copy a caller kept of it.
void PoneValor(sqlite3_stmt* st, int i, bool esFecha, QVariant& v) {
  if (!esFecha && v.typeId() == QMetaType::QString && sqlite3_column_type(st, i) == SQLITE_TEXT) {
    const auto* u = reinterpret_cast<const unsigned char*>(sqlite3_column_text(st, i));
    const int n = sqlite3_column_bytes(st, i);
    if (std::all_of(u, u + n, [](unsigned char c) { return c < 0x80; })) {
      QString& t = *static_cast<QString*>(v.data());
      t.resize(n);
      std::copy_n(u, n, reinterpret_cast<char16_t*>(t.data()));
      return;
    }
  }
  v = ValorDeColumna(st, i, esFecha);
}

void MotorSqlite::Corre(Preparada& p, Resultado& r, const QString& sql, bool lectura) {
  const int n = p.columnas ? p.columnas->nombres.size() : 0;
  bool filas = false;
  std::vector<QVariant> valores;
  valores.reserve(static_cast<size_t>(n) * 4);
  for (;;) {
    int rc = Paso(p.stmt, lectura, sql);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      sqlite3_reset(p.stmt);
      Falla(sql);
    }
    filas = true;
    for (int i = 0; i < n; ++i) valores.push_back(ValorDeColumna(p.stmt, i, p.esFecha[i]));
  }
  sqlite3_reset(p.stmt);
  if (n > 0 || filas) {
    r.columnas = p.columnas;
    r.valores = std::move(valores);
  } else {
    r.filasAfectadas = sqlite3_changes(db_);
  }
}

void MotorSqlite::EjecutaPieza(const QString& pieza, bool siguenOtras, Resultado& r,
                               const std::function<void()>& abre) {
  QByteArray utf8 = pieza.toUtf8();
  const char* inicio = utf8.constData();
  const char* fin = inicio + utf8.size();
  while (inicio < fin) {
    Preparada p;
    const char* resto = nullptr;
    QByteArray tramo(inicio, static_cast<int>(fin - inicio));
    Prepara(pieza, p, &resto, &tramo);
    if (!p.stmt) break;  // only blanks or comments were left
    try {
      if (siguenOtras || QuedaOtraSentencia(resto)) abre();
      Resultado parcial;
      Corre(p, parcial, pieza, false);
      if (parcial.columnas) r = std::move(parcial);
      else r.filasAfectadas = parcial.filasAfectadas;
    } catch (...) {
      sqlite3_finalize(p.stmt);
      throw;
    }
    sqlite3_finalize(p.stmt);
    inicio += resto - tramo.constData();
  }
}

void MotorSqlite::Control(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Falla(QString::fromLatin1(sql));
}

void MotorSqlite::Asegura() {
  // The failure is already on its way to the caller: a rollback that
  // fails as well must not hide it.
  try {
    DeshaceTransaccion();
  } catch (const vb::Error&) {
  }
}

Resultado MotorSqlite::Ejecuta(const QString& sql) {
  FinDeEspera fin{this};
  const QStringList piezas = sqlite_sql::Adapta(sql);
  Resultado r;
  // A batch runs in one transaction taken with the write lock first, so it
  // cannot fail half-way for a lock; inside a transaction already open it
  // is part of that one.
  bool propia = false;
  // A failure to take the lock or to commit shows the batch in its details.
  auto abre = [&] {
    if (propia || !sqlite3_get_autocommit(db_)) return;
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) Falla(sql);
    propia = true;
  };
  try {
    for (int i = 0; i < piezas.size(); ++i) EjecutaPieza(piezas[i], i + 1 < piezas.size(), r, abre);
    if (propia && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) Falla(sql);
  } catch (...) {
    Asegura();
    throw;
  }
  return r;
}

bool MotorSqlite::PreparaLectura(const QString& sql, Preparada& p) {
  const QByteArray utf8 = sqlite_sql::AdaptaSentencia(sql).toUtf8();
  const char* resto = nullptr;
  // What the read would do is told by the engine while it prepares it.
  QString motivo;
  try {
    ComoLectura como{this, motivo};
    Prepara(sql, p, &resto, &utf8);
  } catch (...) {
    if (motivo.isEmpty()) {
      Asegura();
      throw;
    }
  }
  const auto rehusa = [&](const QString& m) {
    sqlite3_finalize(p.stmt);
    p.stmt = nullptr;
    Rehusa(m, sql);
  };
  if (!motivo.isEmpty()) rehusa(motivo);
  if (!p.stmt) return false;
  if (QuedaOtraSentencia(resto))
    rehusa(QStringLiteral("Una consulta debe ser una sola sentencia y el texto tiene más de una"));
  if (!sqlite3_stmt_readonly(p.stmt)) rehusa(QStringLiteral("Una consulta no puede modificar la base de datos"));
  return true;
}

Resultado MotorSqlite::Lee(const QString& sql) {
  FinDeEspera fin{this};
  Resultado r;
  Preparada p;
  if (!PreparaLectura(sql, p)) return r;  // nothing but blanks
  Finaliza finaliza{p.stmt};
  try {
    Corre(p, r, sql, true);
  } catch (...) {
    Asegura();
    throw;
  }
  return r;
}

bool MotorSqlite::IniciaLectura() {
  if (!sqlite3_get_autocommit(db_)) return false;  // already inside a transaction
  return sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void MotorSqlite::TerminaLectura() {
  if (sqlite3_get_autocommit(db_)) return;
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) Asegura();
}

void MotorSqlite::IniciaTransaccion(Bloqueo bloqueo) {
  FinDeEspera fin{this};
  if (!sqlite3_get_autocommit(db_))
    vb::Raise(vb::ErrProvider, QStringLiteral("Ya hay una transacción abierta en la conexión."),
              QStringLiteral("SQLite"));
  Control(bloqueo == Bloqueo::EscrituraPrimero ? "BEGIN IMMEDIATE" : "BEGIN");
}

void MotorSqlite::ConfirmaTransaccion() {
  FinDeEspera fin{this};
  if (sqlite3_get_autocommit(db_))
    vb::Raise(vb::ErrProvider, QStringLiteral("No hay ninguna transacción abierta que confirmar."),
              QStringLiteral("SQLite"));
  try {
    Control("COMMIT");
  } catch (...) {
    // A commit that could not take the lock leaves the transaction open.
    Asegura();
    throw;
  }
}

void MotorSqlite::DeshaceTransaccion() {
  if (sqlite3_get_autocommit(db_)) return;
  // A kept statement that was not reset would keep its read open.
  for (auto& g : guardadas_) sqlite3_reset(g.second.stmt);
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  if (sqlite3_get_autocommit(db_)) return;
  // Still inside: finish every kept statement and try once more.
  for (auto& g : guardadas_) sqlite3_finalize(g.second.stmt);
  guardadas_.clear();
  porTexto_.clear();
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  if (!sqlite3_get_autocommit(db_))
    vb::Raise(vb::ErrProvider,
              QStringLiteral("No se pudo deshacer la transacción abierta: %1").arg(QString::fromUtf8(sqlite3_errmsg(db_))),
              QStringLiteral("SQLite"));
}

Resultado MotorSqlite::EjecutaPreparada(const QString& sql, const QVariantList& valores) {
  return CorrePreparadaAsegurada(sql, valores, false);
}

Resultado MotorSqlite::LeePreparada(const QString& sql, const QVariantList& valores) {
  return CorrePreparadaAsegurada(sql, valores, true);
}

Resultado MotorSqlite::CorrePreparadaAsegurada(const QString& sql, const QVariantList& valores, bool lectura) {
  FinDeEspera fin{this};
  try {
    return CorrePreparada(sql, valores, lectura);
  } catch (...) {
    Asegura();
    throw;
  }
}

Resultado MotorSqlite::CorrePreparada(const QString& sql, const QVariantList& valores, bool lectura) {
  // A text prepared as a read was checked as one; the same text run as a
  // statement is kept apart.
  const std::string clave = (lectura ? "L " : "E ") + sql.toStdString();
  auto it = porTexto_.find(clave);
  if (it == porTexto_.end()) {
    Preparada p;
    // What is left after the first statement points into these bytes: they
    // live until it has been looked at.
    QByteArray utf8;
    const char* resto = nullptr;
    if (lectura) {
      PreparaLectura(sql, p);
    } else {
      utf8 = sqlite_sql::AdaptaSentencia(sql).toUtf8();
      Prepara(sql, p, &resto, &utf8);
    }
    if (!p.stmt) vb::Raise(vb::ErrInvalidCall, QStringLiteral("Sentencia vacía"), QStringLiteral("SQLite"));
    if (QuedaOtraSentencia(resto)) {
      sqlite3_finalize(p.stmt);
      vb::Raise(vb::ErrProvider,
                QStringLiteral("Una sentencia con valores debe ser una sola y el texto tiene más de una: no se ejecutó."),
                QStringLiteral("SQLite"), QStringLiteral("Sentencia: ") + SentenciaRecortada(sql));
    }
    guardadas_.emplace_front(clave, p);
    it = porTexto_.emplace(clave, guardadas_.begin()).first;
    if (guardadas_.size() > kSentenciasGuardadas) {
      sqlite3_finalize(guardadas_.back().second.stmt);
      porTexto_.erase(guardadas_.back().first);
      guardadas_.pop_back();
    }
  } else if (it->second != guardadas_.begin()) {
    guardadas_.splice(guardadas_.begin(), guardadas_, it->second);
  }
  Preparada& p = guardadas_.front().second;
  sqlite3_clear_bindings(p.stmt);
  for (int i = 0; i < valores.size(); ++i) {
    const QVariant& v = valores[i];
    int rc;
    if (!v.isValid() || v.isNull()) {
      rc = sqlite3_bind_null(p.stmt, i + 1);
    } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Long) {
      rc = sqlite3_bind_int64(p.stmt, i + 1, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
      rc = sqlite3_bind_double(p.stmt, i + 1, v.toDouble());
    } else {
      // As a literal writes it: a half of a character standing alone is no
      // character.
      QByteArray t = vb::SinMitadesSueltas(v.toString()).toUtf8();
      rc = sqlite3_bind_text(p.stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Falla(sql);
  }
  Resultado r;
  Corre(p, r, sql, lectura);
  return r;
}

void MotorSqlite::Recorre(const QString& sql, const Fila& fila) {
  // A read like Lee: exactly one statement, and one that writes nothing.
  FinDeEspera fin{this};
  Preparada p;
  if (!PreparaLectura(sql, p)) return;  // nothing but blanks
  Finaliza finaliza{p.stmt};
  const int n = p.columnas ? static_cast<int>(p.columnas->nombres.size()) : 0;
  // One row's values, reused from row to row: the memory of a value read is
  // the memory of the next.
  std::vector<QVariant> valores(static_cast<size_t>(n));
  try {
    for (;;) {
      // The row's handler runs outside the check: it may run statements of
      // its own.
      const int rc = Paso(p.stmt, true, sql);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) Falla(sql);
      for (int i = 0; i < n; ++i) PoneValor(p.stmt, i, p.esFecha[i], valores[static_cast<size_t>(i)]);
      fila(valores.data(), n);
    }
  } catch (...) {
    Asegura();
    throw;
  }
}

}  // namespace

std::unique_ptr<Motor> AbreSqlite(const QString& archivo, int segundosEspera) {
  return std::make_unique<MotorSqlite>(archivo, segundosEspera);
}

}  // namespace ado
