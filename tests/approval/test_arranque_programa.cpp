// The program itself, started as a person starts it. Where no person sees a
// window (the offscreen platform, a display that is not there, none named)
// a start that cannot go on says why on standard error and ends with status
// 1 at once: it neither waits for the answer to a message box nobody sees
// nor aborts inside the toolkit. On a real display its window is shown. A
// start that meets another program's lock says it waits, and waits no
// longer than the lock budget its environment sets.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <memory>
#include <vector>

#include "support/bloqueo.h"
#include "support/entorno.h"

namespace {

// A display number no X server listens on.
QString PantallaInexistente() {
  for (int n = 4242;; ++n)
    if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) return QStringLiteral(":%1").arg(n);
}

struct Arranque {
  QString caso;
  QString linea;
  QStringList dice;  // on standard error, in this order
  std::unique_ptr<QProcess> programa;
};

// Starts the program on the line with the environment changed so.
std::unique_ptr<QProcess> Lanza(const QString& linea, const QProcessEnvironment& env) {
  auto p = std::make_unique<QProcess>();
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(ZAMOLID_BIN), linea.isEmpty() ? QStringList() : QStringList{linea});
  return p;
}

// An X server of its own for as long as it lives, on a display it chooses;
// none where Xvfb cannot start.
class ServidorX {
 public:
  ServidorX() {
    x_.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!x_.waitForStarted(5000)) return;
    while (!x_.canReadLine() && x_.waitForReadyRead(10000)) {
    }
    bool ok = false;
    const int numero = x_.readLine().trimmed().toInt(&ok);
    if (ok) pantalla_ = QStringLiteral(":%1").arg(numero);
  }
  ~ServidorX() {
    x_.terminate();
    x_.waitForFinished(5000);
  }
  QString Pantalla() const { return pantalla_; }

 private:
  QProcess x_;
  QString pantalla_;
};

// Where the program is started: no screen a person sees.
std::vector<std::pair<QString, QProcessEnvironment>> SinPantalla() {
  const QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
  QProcessEnvironment fuera = base, inexistente = base, ninguna = base;
  fuera.insert("QT_QPA_PLATFORM", "offscreen");
  fuera.remove("DISPLAY");
  inexistente.remove("QT_QPA_PLATFORM");
  inexistente.remove("WAYLAND_DISPLAY");
  inexistente.insert("DISPLAY", PantallaInexistente());
  ninguna.remove("QT_QPA_PLATFORM");
  ninguna.remove("WAYLAND_DISPLAY");
  ninguna.remove("DISPLAY");
  return {{"offscreen", fuera}, {"DISPLAY " + inexistente.value("DISPLAY"), inexistente}, {"no display", ninguna}};
}

// Waits for each start (a few seconds at most: a hang is a failure) and
// checks its end.
void Comprueba(std::vector<Arranque>& arranques, int estado) {
  for (Arranque& a : arranques) {
    SCOPED_TRACE(a.caso.toStdString());
    if (!a.programa->waitForFinished(15000)) {
      a.programa->kill();
      a.programa->waitForFinished();
      ADD_FAILURE() << "the program did not end";
      continue;
    }
    const QString error = QString::fromLocal8Bit(a.programa->readAllStandardError());
    EXPECT_EQ(a.programa->exitStatus(), QProcess::NormalExit) << error.toStdString();
    EXPECT_EQ(a.programa->exitCode(), estado) << error.toStdString();
    qsizetype desde = 0;
    for (const QString& t : a.dice) {
      const qsizetype p = error.indexOf(t, desde);
      EXPECT_GE(p, 0) << t.toStdString() << " in:\n" << error.toStdString();
      if (p >= 0) desde = p + t.size();
    }
  }
}

}  // namespace

TEST_F(ConEntorno, ABadStartWithoutAScreenSaysWhyOnStandardErrorAndEndsWithStatusOne) {
  e.EscribeArchivo("basura.db", QByteArray("esto no es una base de datos, solo texto"));
  e.EscribeArchivo("vacia.db", QByteArray());
  const struct {
    const char* caso;
    QString linea;
    const char* dice;
  } casos[] = {
      {"no database named", "@Server=; @Usuario=ana;", "No se indicó la base de datos"},
      {"empty line", "", "No se indicó la base de datos"},
      {"missing file", "@Server=; @DbName=" + e.Ruta("noexiste.db") + ";", "No existe el archivo de base de datos"},
      {"not a database", "@Server=; @DbName=" + e.Ruta("basura.db") + ";", "no es una base de datos válida"},
      {"not a system database", "@Server=; @DbName=" + e.Ruta("vacia.db") + ";", "no tiene las tablas del sistema"},
      {"server that refuses", "@Server=127.0.0.1:1; @DbName=Gestion; @Usuario=sa; @Password=x;",
       "No se pudo conectar con el servidor 127.0.0.1"},
  };
  std::vector<Arranque> arranques;
  for (const auto& [pantalla, env] : SinPantalla())
    for (const auto& c : casos)
      arranques.push_back({pantalla + ", " + c.caso, c.linea, {c.dice}, Lanza(c.linea, env)});
  Comprueba(arranques, 1);
  EXPECT_FALSE(QFileInfo::exists(e.Ruta("noexiste.db")));
}

TEST_F(ConEntorno, AGoodStartShowsItsWindowOnADisplayAndOffscreenAndWithoutTheDisplayAskedForEndsWithStatusOne) {
  const QString linea = "@Server=; @DbName=" + e.Ruta(e.CreaBase()) + "; @Usuario=supervisor; @Password=;";
  std::vector<Arranque> arranques;
  for (const auto& [pantalla, env] : SinPantalla()) {
    if (env.value("QT_QPA_PLATFORM") == "offscreen") continue;
    arranques.push_back({pantalla, linea, {"No hay pantalla en la que mostrar la ventana"}, Lanza(linea, env)});
  }
  Comprueba(arranques, 1);
  // Offscreen asked for (a benchmark, a picture) the window is shown there.
  QProcessEnvironment fuera = SinPantalla()[0].second;
  fuera.insert("ZAMOLID_SALIR_AL_MOSTRAR", "1");
  std::vector<Arranque> mostrada;
  mostrada.push_back({"offscreen", linea, {}, Lanza(linea, fuera)});
  // So it is on a real display, the platform left to the toolkit.
  ServidorX x;
  if (!x.Pantalla().isEmpty()) {
    QProcessEnvironment real = QProcessEnvironment::systemEnvironment();
    real.remove("QT_QPA_PLATFORM");
    real.remove("WAYLAND_DISPLAY");
    real.insert("DISPLAY", x.Pantalla());
    real.insert("ZAMOLID_SALIR_AL_MOSTRAR", "1");
    mostrada.push_back({"DISPLAY " + x.Pantalla(), linea, {}, Lanza(linea, real)});
  } else {
    std::printf("Xvfb could not start: the window on a real display is not tried\n");
  }
  Comprueba(mostrada, 0);
  for (Arranque& a : mostrada) {
    SCOPED_TRACE(a.caso.toStdString());
    EXPECT_TRUE(QString::fromLocal8Bit(a.programa->readAllStandardOutput()).startsWith("mostrada: "));
  }
}

TEST_F(ConEntorno, AStartOnAHeldDatabaseSaysItWaitsAndWaitsNoLongerThanTheBudgetItsEnvironmentSets) {
  const QString linea = "@Server=; @DbName=" + e.Ruta(e.CreaBase()) + "; @Usuario=supervisor; @Password=;";
  QProcessEnvironment env = SinPantalla()[0].second;
  env.insert("ZAMOLID_ESPERA_BLOQUEO_MS", "300");
  BloqueoAjeno otro(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Exclusivo);
  std::vector<Arranque> arranques;
  // It says it waits, then, the budget spent, that the database is busy.
  arranques.push_back(
      {"held", linea, {"espera a que la libere", "está ocupada por otro usuario"}, Lanza(linea, env)});
  Comprueba(arranques, 1);
}
