#include "platform/ado.h"

#include <algorithm>

#include "platform/error_steps.h"
#include "platform/espera_bloqueo.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

namespace ado {

Columnas::Columnas(QStringList n, std::vector<int> t) : nombres(std::move(n)), tamanos(std::move(t)) {
  tamanos.resize(static_cast<size_t>(nombres.size()), 0);
  for (int i = 0; i < nombres.size(); ++i) {
    QString k = nombres[i].toLower();
    if (!indice.contains(k)) indice.insert(k, i);
  }
}

int Columnas::Posicion(const QString& nombre) const {
  // Few columns: a comparison ignoring case costs less than a lower-cased copy.
  if (nombres.size() <= 32) {
    for (int i = 0; i < nombres.size(); ++i)
      if (nombres[i].compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
  return indice.value(nombre.toLower(), -1);
}

int Resultado::Filas() const {
  if (!columnas || columnas->nombres.isEmpty()) return 0;
  return static_cast<int>(valores.size() / columnas->nombres.size());
}

const QString kMensajeBloqueo =
    QStringLiteral("Otro usuario tiene ocupada la base de datos y no la liberó a tiempo: la operación no se pudo "
                   "completar. Vuelva a intentarlo en unos momentos.");
const QString kNadaGrabado = QStringLiteral("No se grabó ningún cambio.");

namespace {
// Characters of a statement a message shows in its details.
constexpr int kLargoDetalle = 1000;
}  // namespace

QString SentenciaRecortada(const QString& sql) {
  const QString s = sql.trimmed();
  if (s.size() <= kLargoDetalle) return s;
  return s.left(kLargoDetalle) + QStringLiteral("… (%1 caracteres más)").arg(s.size() - kLargoDetalle);
}

void FallaSentencia(const QString& mensaje, bool bloqueo, const QString& sql, const QString& origen) {
  QString detalle;
  if (bloqueo) detalle = QStringLiteral("Respuesta de la base de datos: %1\n\n").arg(mensaje);
  if (!sql.trimmed().isEmpty()) detalle += QStringLiteral("Sentencia: ") + SentenciaRecortada(sql);
  vb::Raise(vb::ErrProvider, bloqueo ? kMensajeBloqueo : mensaje, origen, detalle);
}

void Motor::Recorre(const QString& sql, const Fila& fila) {
  // Engines without a way of their own read the whole result first.
  const Resultado r = Lee(sql);
  const int n = r.columnas ? static_cast<int>(r.columnas->nombres.size()) : 0;
  for (int i = 0, filas = r.Filas(); i < filas; ++i) fila(r.valores.data() + static_cast<size_t>(i) * n, n);
}

}  // namespace ado

// ---------------------------------------------------------------- Recordset

Recordset::Recordset(ado::Resultado r) : datos_(std::move(r)), pos_(0), abierto_(true) {}

void Recordset::ExigeAbierto() const {
  if (!abierto_)
    vb::Raise(vb::ErrObjectClosed, QStringLiteral("No se permite la operación cuando el objeto está cerrado."),
              QStringLiteral("ADODB.Recordset"));
}

void Recordset::ExigeFila() const {
  ExigeAbierto();
  if (pos_ < 0 || pos_ >= datos_.Filas())
    vb::Raise(vb::ErrNoCurrentRecord,
              QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. "
                             "La operación solicitada requiere un registro actual."),
              QStringLiteral("ADODB.Recordset"));
}

bool Recordset::Bof() const {
  ExigeAbierto();
  return datos_.Filas() == 0 || pos_ < 0;
}

bool Recordset::Eof() const {
  ExigeAbierto();
  return pos_ >= datos_.Filas();
}

void Recordset::MoveNext() {
  ExigeFila();
  ++pos_;
}

void Recordset::MoveFirst() {
  ExigeAbierto();
  pos_ = 0;
}

long Recordset::RecordCount() const {
  ExigeAbierto();
  return datos_.Filas();
}

int Recordset::FieldCount() const {
  ExigeAbierto();
  return datos_.columnas ? datos_.columnas->nombres.size() : 0;
}

QString Recordset::FieldName(int indice) const {
  ExigeAbierto();
  if (!datos_.columnas || indice < 0 || indice >= datos_.columnas->nombres.size())
    vb::Raise(vb::ErrItemNotFound, QStringLiteral("No se encontró el elemento en la colección."),
              QStringLiteral("ADODB.Fields"));
  return datos_.columnas->nombres[indice];
}

int Recordset::DefinedSize(int indice) const {
  FieldName(indice);  // raises when there is no such field
  const int declarado = datos_.columnas->tamanos[static_cast<size_t>(indice)];
  if (declarado > 0) return declarado;
  const int n = datos_.columnas->nombres.size();
  int mayor = 1;
  for (size_t i = static_cast<size_t>(indice); i < datos_.valores.size(); i += static_cast<size_t>(n))
    mayor = std::max(mayor, static_cast<int>(vb::Texto(datos_.valores[i]).size()));
  return mayor;
}

Field Recordset::Fields(int indice) const {
  QString nombre = FieldName(indice);
  ExigeFila();
  const int n = datos_.columnas->nombres.size();
  return Field(nombre, datos_.valores[static_cast<size_t>(pos_) * n + indice]);
}

int Recordset::Posicion(const QString& nombre) const {
  ExigeAbierto();
  return datos_.columnas ? datos_.columnas->Posicion(nombre) : -1;
}

Field Recordset::Fields(const QString& nombre) const {
  const int i = Posicion(nombre);
  if (i < 0)
    vb::Raise(vb::ErrItemNotFound,
              QStringLiteral("No se encontró el elemento en la colección: %1").arg(nombre),
              QStringLiteral("ADODB.Fields"));
  return Fields(i);
}

void Recordset::Close() {
  ExigeAbierto();
  abierto_ = false;
  datos_ = ado::Resultado();
  pos_ = 0;
}

// --------------------------------------------------------------- Connection

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Abre(std::unique_ptr<ado::Motor> motor, QString cadena) {
  motor_ = std::move(motor);
  cadena_ = std::move(cadena);
  errores_.clear();
  transaccion_ = Estado::Ninguna;
  if (motor_) motor_->FijaTiempoEspera(commandTimeout_);
}

void Connection::Close() {
  // Whatever was left open is not made permanent by closing.
  if (motor_) vb::PasaPorAlto([&] { motor_->DeshaceTransaccion(); });
  motor_.reset();
  defaultDatabase_.clear();
  transaccion_ = Estado::Ninguna;
}

void Connection::ExigeAbierta() const {
  if (!motor_)
    vb::Raise(vb::ErrObjectClosed, QStringLiteral("No se permite la operación cuando el objeto está cerrado."),
              QStringLiteral("ADODB.Connection"));
  // What the windows run while a statement waits for a lock (a queued call)
  // does not enter the database from inside that wait.
  if (espera_bloqueo::Atendiendo())
    vb::Raise(vb::ErrProvider,
              QStringLiteral("No se ejecutó la sentencia: el programa espera a que otro usuario libere la base de datos."),
              QStringLiteral("ADODB.Connection"));
}

void Connection::ExigeTransaccionViva() const {
  if (transaccion_ == Estado::Fallida)
    vb::Raise(vb::ErrProvider,
              QStringLiteral("La transacción se deshizo por un error anterior: no se ejecutó la sentencia. ") +
                  ado::kNadaGrabado,
              QStringLiteral("ADODB.Connection"));
}

template <typename F>
Recordset Connection::Corre(F&& llamada, bool fallaNadaGrabado) {
  ExigeAbierta();
  errores_.clear();
  ExigeTransaccionViva();
  try {
    return llamada();
  } catch (const vb::Error& e) {
    // The engine is out of every transaction after a failure; the
    // transaction the caller opened is gone with it.
    vb::PasaPorAlto([&] { motor_->DeshaceTransaccion(); });
    const bool perdida = transaccion_ == Estado::Abierta;
    if (perdida) transaccion_ = Estado::Fallida;
    Falla(e, fallaNadaGrabado || perdida);
  }
}

void Connection::Falla(vb::Error e, bool nadaGrabado) {
  if (nadaGrabado && !e.Description.contains(ado::kNadaGrabado)) e.Description += u' ' + ado::kNadaGrabado;
  errores_.push_back({e.Number, e.Description, e.Source});
  throw e;
}

Recordset Connection::Execute(const QString& sql, long* registrosAfectados, int) {
  return Corre(
      [&] {
        ado::Resultado r = motor_->Ejecuta(sql);
        if (registrosAfectados) *registrosAfectados = r.filasAfectadas;
        return Recordset(std::move(r));
      },
      true);
}

Recordset Connection::Lee(const QString& sql) {
  return Corre([&] { return Recordset(motor_->Lee(sql)); }, false);
}

Recordset Connection::ExecutePreparada(const QString& sql, const QVariantList& valores) {
  return Corre([&] { return Recordset(motor_->EjecutaPreparada(sql, valores)); }, false);
}

Recordset Connection::LeePreparada(const QString& sql, const QVariantList& valores) {
  return Corre([&] { return Recordset(motor_->LeePreparada(sql, valores)); }, false);
}

long Connection::BeginTrans(ado::Bloqueo bloqueo) {
  ExigeAbierta();
  errores_.clear();
  if (transaccion_ != Estado::Ninguna || motor_->EnTransaccion())
    vb::Raise(vb::ErrProvider, QStringLiteral("Ya hay una transacción abierta en la conexión."),
              QStringLiteral("ADODB.Connection"));
  try {
    motor_->IniciaTransaccion(bloqueo);
  } catch (const vb::Error& e) {
    Falla(e, false);
  }
  transaccion_ = Estado::Abierta;
  return 1;
}

void Connection::CommitTrans() {
  ExigeAbierta();
  errores_.clear();
  const Estado antes = transaccion_;
  transaccion_ = Estado::Ninguna;
  if (antes == Estado::Fallida)
    vb::Raise(vb::ErrProvider,
              QStringLiteral("La transacción se deshizo por un error anterior. ") + ado::kNadaGrabado,
              QStringLiteral("ADODB.Connection"));
  if (antes == Estado::Ninguna)
    vb::Raise(vb::ErrProvider, QStringLiteral("No hay ninguna transacción abierta que confirmar."),
              QStringLiteral("ADODB.Connection"));
  try {
    motor_->ConfirmaTransaccion();
  } catch (const vb::Error& e) {
    vb::PasaPorAlto([&] { motor_->DeshaceTransaccion(); });
    Falla(e, true);
  }
}

void Connection::RollbackTrans() {
  transaccion_ = Estado::Ninguna;
  if (motor_) vb::PasaPorAlto([&] { motor_->DeshaceTransaccion(); });
}

bool Connection::EnTransaccion() const { return motor_ && motor_->EnTransaccion(); }

void Connection::Recorre(const QString& sql, const ado::Motor::Fila& fila) {
  Corre(
      [&] {
        motor_->Recorre(sql, fila);
        return Recordset();
      },
      false);
}

void Connection::SetCommandTimeout(int segundos) {
  commandTimeout_ = segundos;
  if (motor_) motor_->FijaTiempoEspera(segundos);
}

void Connection::SetDefaultDatabase(const QString& base) {
  ExigeAbierta();
  motor_->FijaBaseDefecto(base);
  defaultDatabase_ = base;
}

// -------------------------------------------------------------- Transaccion

Transaccion::Transaccion(Connection& conexion, ado::Bloqueo bloqueo) : conexion_(conexion) {
  conexion_.BeginTrans(bloqueo);
}

Transaccion::~Transaccion() {
  if (!terminada_) conexion_.RollbackTrans();
}

void Transaccion::Confirma() {
  terminada_ = true;
  conexion_.CommitTrans();
}
