#include "platform/espera_bloqueo.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "platform/aplicacion.h"
#include "platform/form.h"
#include "platform/interaccion.h"

namespace espera_bloqueo {

namespace {

int TotalDelEntorno() {
  bool ok = false;
  const int ms = qEnvironmentVariableIntValue("ZAMOLID_ESPERA_BLOQUEO_MS", &ok);
  return ok && ms >= 0 ? ms : kTotalPorDefectoMs;
}

std::atomic<int> gTotal{-1};           // -1: the environment's or the default
std::atomic<long long> gRestante{-1};  // -1: the whole budget (nothing spent yet)
std::atomic<long> gEsperas{0};
std::atomic<bool> gAvisado{false};
int gMismaAccion = 0;
int gAtendiendo = 0;

// A new action each time the main thread's event loop is about to block.
void Vigila() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  static QPointer<QAbstractEventDispatcher> vigilado;
  QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(app->thread());
  if (!d || d == vigilado) return;
  vigilado = d;
  QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, d, [] {
    if (gMismaAccion == 0) NuevaAccion();
  });
}

// Timers wait while a statement waits: what they would run could reach the
// database the statement holds. A timer whose event is passed over fires
// again at its next turn.
class SinTemporizadores : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    return e->type() == QEvent::Timer || e->type() == QEvent::ZeroTimerEvent;
  }
};

// Paints the windows: paint, expose and queued events, without the
// person's input.
void AtiendeVentanas() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!qobject_cast<QGuiApplication*>(app) || QThread::currentThread() != app->thread()) return;
  SinTemporizadores filtro;
  app->installEventFilter(&filtro);
  ++gAtendiendo;
  // Called from inside the engine: nothing may leave through it.
  try {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
  } catch (...) {
  }
  --gAtendiendo;
  app->removeEventFilter(&filtro);
}

// The live Aviso's text, the text shown now and its window.
std::mutex gMutex;
QString gTexto;
QString gMostrado;
QPointer<QLabel> gVentana;

}  // namespace

int TotalMs() {
  const int t = gTotal.load();
  if (t >= 0) return t;
  static const int delEntorno = TotalDelEntorno();
  return delEntorno;
}

void FijaTotalMs(int ms) {
  gTotal = ms < 0 ? -1 : ms;
  NuevaAccion();
}

long long RestanteMs() {
  Vigila();
  const long long r = gRestante.load();
  return r < 0 ? TotalMs() : r;
}

void NuevaAccion() {
  gRestante = -1;
  gAvisado = false;
}

bool Avisado() { return gAvisado.load(); }
void MarcaAvisado() { gAvisado = true; }

long Esperas() { return gEsperas.load(); }

MismaAccion::MismaAccion() { ++gMismaAccion; }
MismaAccion::~MismaAccion() { --gMismaAccion; }

void Empieza() { ++gEsperas; }

bool Atendiendo() { return gAtendiendo > 0; }

void Pausa(long long ms) {
  using namespace std::chrono;
  const auto inicio = steady_clock::now();
  if (ms > 0) std::this_thread::sleep_for(milliseconds(ms));
  AtiendeVentanas();
  const long long usado = duration_cast<milliseconds>(steady_clock::now() - inicio).count();
  gRestante = std::max(0LL, RestanteMs() - usado);
}

Aviso::Aviso(QString texto) {
  std::lock_guard<std::mutex> l(gMutex);
  gTexto = std::move(texto);
}

Aviso::~Aviso() {
  OcultaAviso();
  std::lock_guard<std::mutex> l(gMutex);
  gTexto.clear();
}

QString Aviso::Mostrado() {
  std::lock_guard<std::mutex> l(gMutex);
  return gMostrado;
}

void MuestraAviso() {
  QString texto;
  {
    std::lock_guard<std::mutex> l(gMutex);
    if (gTexto.isEmpty() || !gMostrado.isEmpty()) return;
    texto = gMostrado = gTexto;
  }
  std::fprintf(stderr, "%s\n", qPrintable(texto));
  std::fflush(stderr);
  if (SinPantalla() || QThread::currentThread() != qApp->thread()) return;
  auto* v = new QLabel(texto);
  v->setFont(FuenteFormularios());
  v->setWindowTitle(TituloAplicacion());
  v->setWindowFlag(Qt::WindowStaysOnTopHint);
  v->setAttribute(Qt::WA_DeleteOnClose);
  v->setMargin(16);
  v->setWordWrap(true);
  v->setMinimumWidth(460);
  v->adjustSize();
  if (const QScreen* pantalla = QGuiApplication::primaryScreen())
    v->move(pantalla->availableGeometry().center() - v->rect().center());
  v->show();
  v->raise();
  gVentana = v;
}

void OcultaAviso() {
  {
    std::lock_guard<std::mutex> l(gMutex);
    if (gMostrado.isEmpty()) return;
    gMostrado.clear();
  }
  if (gVentana) delete gVentana.data();
}

}  // namespace espera_bloqueo
