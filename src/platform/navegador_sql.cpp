#include "platform/navegador_sql.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/vb_error.h"

namespace navegador_sql {

namespace {

constexpr unsigned char kPreguntaInstancia = 0x04;  // CLNT_UCAST_INST
constexpr unsigned char kRespuesta = 0x05;          // SVR_RESP
constexpr int kLargoNombre = 32;                     // bytes of an instance name
constexpr auto kReenvio = std::chrono::seconds(1);

const QString kOrigen = QStringLiteral("SQL Server Browser");

// One socket per address of the host, asking from its own port.
struct Consulta {
  int fd = -1;
  bool rechazada = false;
  Consulta() = default;
  explicit Consulta(int f) : fd(f) {}
  Consulta(Consulta&& o) noexcept : fd(o.fd), rechazada(o.rechazada) { o.fd = -1; }
  Consulta& operator=(Consulta&&) = delete;
  ~Consulta() {
    if (fd >= 0) ::close(fd);
  }
};

bool EsRechazo(int error) { return error == ECONNREFUSED || error == EHOSTUNREACH || error == ENETUNREACH; }

}  // namespace

QByteArray Pregunta(const QString& instancia) {
  const QByteArray nombre = instancia.toLocal8Bit();
  if (nombre.isEmpty() || nombre.size() > kLargoNombre || nombre.contains('\0'))
    vb::Raise(vb::ErrProvider,
              QStringLiteral("El nombre de la instancia \"%1\" no es válido: debe tener entre 1 y %2 caracteres.")
                  .arg(instancia, QString::number(kLargoNombre)),
              kOrigen);
  QByteArray p;
  p.reserve(nombre.size() + 2);
  p.append(static_cast<char>(kPreguntaInstancia)).append(nombre).append('\0');
  return p;
}

int PuertoEnRespuesta(const QByteArray& respuesta, const QString& instancia) {
  if (respuesta.size() < 3 || static_cast<unsigned char>(respuesta[0]) != kRespuesta) return -1;
  const int largo = static_cast<unsigned char>(respuesta[1]) | (static_cast<unsigned char>(respuesta[2]) << 8);
  // Each instance: "clave;valor;" pairs, closed by one more ";".
  const QString datos = QString::fromLocal8Bit(respuesta.mid(3, largo));
  for (const QString& registro : datos.split(QStringLiteral(";;"))) {
    const QStringList partes = registro.split(u';');
    QString nombre, tcp;
    bool hayTcp = false;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
      if (partes[i].compare(QLatin1String("InstanceName"), Qt::CaseInsensitive) == 0) nombre = partes[i + 1];
      if (partes[i].compare(QLatin1String("tcp"), Qt::CaseInsensitive) == 0) {
        tcp = partes[i + 1];
        hayTcp = true;
      }
    }
    if (nombre.compare(instancia, Qt::CaseInsensitive) != 0) continue;
    bool ok = false;
    const int puerto = tcp.trimmed().toInt(&ok);
    return hayTcp && ok && puerto > 0 && puerto <= 65535 ? puerto : 0;
  }
  return -1;
}

int PuertoDeInstancia(const QString& host, const QString& instancia, int puertoServicio,
                      std::chrono::steady_clock::time_point limite) {
  using namespace std::chrono;
  const QByteArray pregunta = Pregunta(instancia);
  addrinfo pedido{};
  pedido.ai_family = AF_UNSPEC;
  pedido.ai_socktype = SOCK_DGRAM;
  addrinfo* direcciones = nullptr;
  const int rc = getaddrinfo(host.toUtf8().constData(), QByteArray::number(puertoServicio).constData(), &pedido,
                             &direcciones);
  if (rc != 0)
    vb::Raise(vb::ErrProvider,
              QStringLiteral("No se encontró el servidor %1: %2.").arg(host, QString::fromLocal8Bit(gai_strerror(rc))),
              kOrigen);
  std::vector<Consulta> consultas;
  for (addrinfo* d = direcciones; d; d = d->ai_next) {
    const int fd = ::socket(d->ai_family, d->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, d->ai_protocol);
    if (fd < 0) continue;
    Consulta c(fd);
    // Connected, so the host's refusal comes back as an error.
    if (::connect(fd, d->ai_addr, d->ai_addrlen) == 0) consultas.push_back(std::move(c));
  }
  freeaddrinfo(direcciones);

  const QString servicio = QStringLiteral("(SQL Server Browser, puerto UDP %1)").arg(puertoServicio);
  if (consultas.empty())
    vb::Raise(vb::ErrProvider,
              QStringLiteral("No se pudo consultar el servicio de nombres de instancias del servidor %1 %2.")
                  .arg(host, servicio),
              kOrigen);
  std::vector<char> buffer(65536);
  auto proximoEnvio = steady_clock::now();
  for (;;) {
    const auto ahora = steady_clock::now();
    if (ahora >= limite) break;
    if (ahora >= proximoEnvio) {
      for (Consulta& c : consultas)
        if (!c.rechazada && ::send(c.fd, pregunta.constData(), static_cast<size_t>(pregunta.size()), 0) < 0 &&
            EsRechazo(errno))
          c.rechazada = true;
      proximoEnvio = ahora + kReenvio;
    }
    if (std::all_of(consultas.begin(), consultas.end(), [](const Consulta& c) { return c.rechazada; }))
      vb::Raise(vb::ErrProvider,
                QStringLiteral("La instancia %1 no respondió: el servidor %2 rechazó la consulta a su servicio de "
                               "nombres de instancias %3, que no está en marcha.")
                    .arg(instancia, host, servicio),
                kOrigen);
    std::vector<pollfd> esperas;
    for (const Consulta& c : consultas)
      esperas.push_back({c.rechazada ? -1 : c.fd, POLLIN, 0});
    const auto hasta = std::min(limite, proximoEnvio);
    const int ms = static_cast<int>(ceil<milliseconds>(hasta - ahora).count());
    if (::poll(esperas.data(), esperas.size(), std::max(ms, 0)) <= 0) continue;
    for (size_t i = 0; i < esperas.size(); ++i) {
      if (esperas[i].fd < 0 || !esperas[i].revents) continue;
      const ssize_t n = ::recv(consultas[i].fd, buffer.data(), buffer.size(), 0);
      if (n < 0) {
        if (EsRechazo(errno)) consultas[i].rechazada = true;
        continue;
      }
      const int puerto = PuertoEnRespuesta(QByteArray(buffer.data(), static_cast<qsizetype>(n)), instancia);
      if (puerto > 0) return puerto;
      if (puerto == 0)
        vb::Raise(vb::ErrProvider,
                  QStringLiteral("La instancia %1 del servidor %2 no acepta conexiones TCP: su servicio de nombres %3 "
                                 "no da un puerto para ella.")
                      .arg(instancia, host, servicio),
                  kOrigen);
      // Anything else is not the answer to this question.
    }
  }
  vb::Raise(vb::ErrProvider,
            QStringLiteral("La instancia %1 no respondió: el servicio de nombres de instancias del servidor %2 %3 no "
                           "contestó a tiempo. Puede que la instancia no exista, que el servicio no esté en marcha o "
                           "que un cortafuegos lo impida.")
                .arg(instancia, host, servicio),
            kOrigen);
}

}  // namespace navegador_sql
