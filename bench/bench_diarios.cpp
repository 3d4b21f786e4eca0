// The main window on generated databases of 1,000 / 10,000 / 100,000
// reports: the first search of a window just opened (cold), the search
// repeated (warm), a search by date, the approval of 1,000 reports (its
// UPDATE, its read-back and the reload of the list, each timed on its own)
// and the start-up of the program from its launch to its main window shown.
//
// Each figure is a ratio to the same work done bare in the same run: the very
// statement the window runs, stepped to its end through SQLite's own C
// interface reading every column of every row, on a connection opened as the
// program's (same file, collation and functions, page cache and memory
// mapping; cold: a fresh connection, as the window's); for the approval the
// same UPDATE statements run bare in one transaction; for the start-up the
// smallest program of the same toolkit showing an empty window, launched the
// same way. The result each one measured is checked (lines listed and a
// sample of their values, reports approved, the main window shown).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <map>

#include "approval/frm_datos_adic_tareas.h"
#include "approval/frm_detalle_tareas.h"
#include "approval/frm_zamolid.h"
#include "bench_comun.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/richtextbox.h"
#include "platform/interaccion_guionada.h"
#include "platform/controles/listview.h"
#include "platform/controles/textbox.h"
#include "platform/programa.h"
#include "platform/sql_adapter.h"
#include "session/mod_global.h"

namespace {

// The database of each size, generated once per run in a folder of its own.
CarpetaBench& Datos(int reportes) {
  static std::map<int, std::unique_ptr<CarpetaBench>> carpetas;
  auto& c = carpetas[reportes];
  if (!c) {
    demo::Opciones o;
    o.reportes = reportes;
    o.articulos = 200;
    c = std::make_unique<CarpetaBench>(o);
  }
  return *c;
}

// The main window loaded anew on the database of that size, through the
// program's start-up: a fresh connection whose caches are cold.
FrmZamolid& AbreVentana(int reportes) {
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  ReiniciaEstadoGlobal();
  programa::FijaCarpeta(Datos(reportes).Ruta());
  programa::FijaLineaDeComando(LineaDeComando(QStringLiteral("demo.db")));
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  QCoreApplication::processEvents();
  return w;
}

// A search as the user runs it: the list filled and laid out in the window.
void Busca(FrmZamolid& w) {
  w.CmdBuscar_Click();
  w.ListView1->Refresh();
  QCoreApplication::processEvents();
}

// A count the program's connection reads.
long Cuenta(const QString& sql) {
  Recordset rs;
  gDatos.AbreRecordset(sql, rs);
  return rs.Fields(0).Value().toLongLong();
}

long Reportes(const QString& where) {
  return Cuenta(QStringLiteral("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS ") + where);
}

// The listing's statement as the embedded database runs it.
QString SentenciaSqlite(const QString& where) { return sqlite_sql::AdaptaSentencia(FrmZamolid::SentenciaListado(where)); }

// Whether a line shows the row of the listing's statement it comes from
// (FECHA, IDDIARIO, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO, AUTORIZADOPOR,
// NOMBRE as the bare statement reads them).
bool LineaDeFila(ListItem* l, const QStringList& f) {
  const QString fecha = QDate::fromString(f[0].left(10), QStringLiteral("yyyy-MM-dd")).toString(QStringLiteral("dd/MM/yyyy"));
  const QString aprobador = f[5].trimmed();
  const int icono = aprobador.isEmpty() ? FrmZamolid::kIconoPendiente : FrmZamolid::kIconoAprobado;
  return l->Text().left(10) == fecha && l->SubItems(1) == f[1].trimmed() && l->SubItems(2) == f[2].trimmed() &&
         l->SubItems(3) == f[3].trimmed() && l->SubItems(4) == f[4].trimmed() + QStringLiteral(" - ") + f[6] &&
         l->SubItems(5) == aprobador && l->Checked() == !aprobador.isEmpty() && l->SmallIcon() == icono;
}

// Where the start-up's windows are shown: the platform the benchmark was
// started with (QT_QPA_PLATFORM), else the display it was started on, else
// an X server of its own (Xvfb) for as long as the benchmark runs, else,
// without one, offscreen. Chosen before the benchmarks set their own process
// to offscreen.
class PantallaArranque {
 public:
  static PantallaArranque& Una() {
    static PantallaArranque p;
    return p;
  }
  // What the benchmark was started with.
  void Anota() {
    plataforma_ = qEnvironmentVariable("QT_QPA_PLATFORM");
    pantalla_ = qEnvironmentVariable("DISPLAY");
    propia_ = plataforma_.isEmpty() && pantalla_.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  }
  // Before the first launch: the X server of its own, when it needs one.
  void Prepara() {
    if (!propia_ || servidor_) return;
    if (!AbreServidorX()) plataforma_ = QStringLiteral("offscreen");
    propia_ = false;
  }
  // The environment a launched program gets.
  void Aplica(QProcessEnvironment& env) const {
    if (plataforma_.isEmpty())
      env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
      env.insert(QStringLiteral("QT_QPA_PLATFORM"), plataforma_);
    if (!pantalla_.isEmpty()) env.insert(QStringLiteral("DISPLAY"), pantalla_);
  }
  std::string Descripcion() const {
    if (!plataforma_.isEmpty()) return "plataforma " + plataforma_.toStdString();
    if (servidor_) return "pantalla Xvfb " + pantalla_.toStdString();
    if (!pantalla_.isEmpty()) return "pantalla " + pantalla_.toStdString();
    return "pantalla Wayland";
  }
  ~PantallaArranque() {
    if (!servidor_) return;
    servidor_->terminate();
    servidor_->waitForFinished(5000);
  }

 private:
  // An X server on a free display, which it writes on its output.
  bool AbreServidorX() {
    auto x = std::make_unique<QProcess>();
    x->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                      QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                      QStringLiteral("tcp")});
    if (!x->waitForStarted(5000)) return false;
    while (!x->canReadLine() && x->waitForReadyRead(10000)) {
    }
    bool ok = false;
    const int numero = x->readLine().trimmed().toInt(&ok);
    if (!ok) {
      x->kill();
      x->waitForFinished(5000);
      return false;
    }
    pantalla_ = QStringLiteral(":%1").arg(numero);
    servidor_ = std::move(x);
    return true;
  }
  QString plataforma_;
  QString pantalla_;
  bool propia_ = false;
  std::unique_ptr<QProcess> servidor_;
};

// One launch of a program until its window is shown (it writes "mostrada: "
// and its window's title, and ends): the seconds it took and what it wrote.
double Lanzamiento(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString& salida) {
  QProcess p;
  p.setWorkingDirectory(carpeta);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  PantallaArranque::Una().Aplica(env);
  env.insert(QStringLiteral("ZAMOLID_SALIR_AL_MOSTRAR"), QStringLiteral("1"));
  p.setProcessEnvironment(env);
  QElapsedTimer t;
  t.start();
  p.start(programa, argumentos);
  p.waitForFinished(60000);
  const double s = t.nsecsElapsed() / 1e9;
  salida = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput())
                                                                        : QString();
  return s;
}

// The first search in a fresh process, on either side run as a child of
// this benchmark (the same program started with one of these first
// arguments), each printing what it measured on one line:
//   --primera-busqueda FOLDER [MMAP CACHE]: the program started on
//     FOLDER/demo.db (its connection and its settings as in a session, or
//     the memory mapping and page cache given, set after the start-up's
//     reads), its main window shown on the benchmark's display, then the
//     first search timed as the user runs it (every report listed, laid
//     out and painted), then the same search again; then the lines are
//     checked against the statement's rows. Prints "ms M segunda S lineas N
//     MB X ajustes A falla F".
//   --lectura-desnuda FILE SQL [MMAP CACHE]: a bare connection on FILE with
//     SQLite's defaults (or the memory mapping and page cache given), the
//     collation alone registered, its first look at the schema as the
//     program's connection has before a search, then SQL stepped to its
//     end reading every column of every row, timed. Prints "ms M filas N".
QStringList Hijo(const QStringList& argumentos) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  PantallaArranque::Una().Aplica(env);
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(), argumentos);
  p.waitForFinished(300000);
  const QString salida = QString::fromUtf8(p.readAllStandardOutput());
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  return salida.trimmed().split(u' ');
}

// A value a child printed after its name.
QString Dato(const QStringList& salida, const QString& nombre) {
  const qsizetype i = salida.indexOf(nombre);
  return i >= 0 && i + 1 < salida.size() ? salida[i + 1] : QString();
}

int HijoPrimeraBusqueda(int argc, char** argv) {
  Aplicacion app(argc, argv);
  gEntorno.FijaIdentidad(QStringLiteral("bench"), QStringLiteral("bench"));
  Interaccion::Instala(std::make_unique<InteraccionGuionada>());
  const QString carpeta = QString::fromLocal8Bit(argv[2]);
  programa::FijaCarpeta(carpeta);
  programa::FijaLineaDeComando(LineaDeComando(QStringLiteral("demo.db")));
  FrmZamolid& w = FrmZamolid::Global();
  w.Show();
  QElapsedTimer espera;
  espera.start();
  while ((!w.windowHandle() || !w.windowHandle()->isExposed()) && espera.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QCoreApplication::processEvents();
  if (argc > 4)
    gDatos.Ejecuta(QStringLiteral("PRAGMA mmap_size = %1").arg(argv[3])),
        gDatos.Ejecuta(QStringLiteral("PRAGMA cache_size = %1").arg(argv[4]));
  const double antes = MemoriaEnUso();
  QElapsedTimer t;
  t.start();
  Busca(w);
  const double ms = t.nsecsElapsed() / 1e6;
  const double memoria = MemoriaEnUso() - antes;
  // The same search run again on the window open (the connection warm).
  t.restart();
  Busca(w);
  const double segunda = t.nsecsElapsed() / 1e6;
  const AjustesSqlite ajustes = AjustesSqlite::DelPrograma();
  const QString sql = SentenciaSqlite(QString());
  BaseDesnuda b(QDir(carpeta).filePath(QStringLiteral("demo.db")), ajustes);
  QString falla = ComparaLineas(*w.ListView1, b, sql, b.Lee(sql), LineaDeFila);
  std::printf("ms %.3f segunda %.3f lineas %d MB %.3f ajustes %s falla %s\n", ms, segunda,
              w.ListView1->ListItems().Count(), memoria / 1e6,
              qPrintable(ajustes.Descripcion().replace(u' ', u'_')),
              falla.isEmpty() ? "no" : qPrintable(falla.replace(u' ', u'_')));
  w.hide();
  FrmZamolid::LiberaGlobal();
  ReiniciaEstadoGlobal();
  return 0;
}

int HijoLecturaDesnuda(int argc, char** argv) {
  AjustesSqlite ajustes;
  if (argc > 5) {
    ajustes.mmap = QByteArray(argv[4]).toLongLong();
    ajustes.cache = QByteArray(argv[5]).toLongLong();
  }
  BaseDesnuda b(QString::fromLocal8Bit(argv[2]), ajustes, true);
  if (b.Lee(QStringLiteral("SELECT count(*) FROM sqlite_master")) != 1) return 1;
  long filas = 0;
  const double s = UnaLectura(b, QString::fromUtf8(argv[3]), &filas);
  std::printf("ms %.3f filas %ld\n", s * 1000, filas);
  return 0;
}

// The first search of 1,000 / 10,000 / 100,000 reports in a fresh process
// (the program started and its main window shown before the clock starts),
// each paired with a bare read of the listing's statement in a fresh
// process with SQLite's defaults right after it. Prints the medians of both
// (ms_programa, ms_desnuda) and of the pairs' ratios; dentro_1_5x is 1 when
// that is within 1.5; the label names the display and the program's
// settings. Also the heap the listed lines hold.
void ListadoFrio(benchmark::State& state) {
  const int reportes = static_cast<int>(state.range(0));
  CarpetaBench& datos = Datos(reportes);
  PantallaArranque::Una().Prepara();
  const QString sql = SentenciaSqlite(QString());
  std::vector<double> programa, desnuda;
  Parejas parejas;
  QString falla, ajustes, memoria;
  for (auto _ : state) {
    const QStringList p = Hijo({QStringLiteral("--primera-busqueda"), datos.Ruta()});
    const QStringList d = Hijo({QStringLiteral("--lectura-desnuda"), datos.Base(), sql});
    if (Dato(p, "lineas").toInt() != reportes) falla = QStringLiteral("the program did not list every report");
    else if (Dato(p, "falla") != "no") falla = Dato(p, "falla");
    else if (Dato(d, "filas").toInt() != reportes) falla = QStringLiteral("the bare read did not read every report");
    if (!falla.isEmpty()) break;
    programa.push_back(Dato(p, "ms").toDouble());
    desnuda.push_back(Dato(d, "ms").toDouble());
    state.SetIterationTime(programa.back() / 1000);
    parejas.Agrega(programa.back(), desnuda.back());
    ajustes = Dato(p, "ajustes");
    memoria = Dato(p, "MB");
  }
  if (!falla.isEmpty()) state.SkipWithError(falla.toUtf8().constData());
  state.SetLabel(PantallaArranque::Una().Descripcion() + ", " + ajustes.replace(u'_', u' ').toStdString());
  state.counters["ms_programa"] = Mediana(programa);
  state.counters["ms_desnuda"] = Mediana(desnuda);
  state.counters["lineas_MB"] = memoria.toDouble();
  Proporcion(state, "ratio_vs_desnuda_fria", parejas);
  state.counters["dentro_1_5x"] = parejas.Proporcion() <= 1.5 ? 1 : 0;
}

// What the program's settings are chosen by: its first search of 100,000
// or 400,000 reports (second Arg) in a fresh process with a setting of the
// page cache and memory mapping (first Arg: 0 SQLite's defaults, a 2 MB
// cache and no mapping; 1 a 256 MB mapping and a 32 MB cache; 2 the mapping
// alone; 3 the cache alone),
// each paired with a bare read of the listing's statement in a fresh
// process with SQLite's defaults, as ListadoFrio; ms_segunda is the same
// search run again right after it (the connection warm).
void AjustesPrimeraBusqueda(benchmark::State& state) {
  static const std::pair<long long, long long> kAjustes[] = {
      {0, -2000}, {268435456, -32768}, {268435456, -2000}, {0, -32768}};
  const auto [mmap, cache] = kAjustes[state.range(0)];
  const int reportes = static_cast<int>(state.range(1));
  CarpetaBench& datos = Datos(reportes);
  PantallaArranque::Una().Prepara();
  const QString sql = SentenciaSqlite(QString());
  std::vector<double> programa, segunda, desnuda;
  Parejas parejas;
  for (auto _ : state) {
    const QStringList p = Hijo({QStringLiteral("--primera-busqueda"), datos.Ruta(), QString::number(mmap), QString::number(cache)});
    const QStringList d = Hijo({QStringLiteral("--lectura-desnuda"), datos.Base(), sql});
    if (Dato(p, "lineas").toInt() != reportes || Dato(p, "falla") != "no" || Dato(d, "filas").toInt() != reportes) {
      state.SkipWithError("a side did not read every report");
      return;
    }
    programa.push_back(Dato(p, "ms").toDouble());
    segunda.push_back(Dato(p, "segunda").toDouble());
    desnuda.push_back(Dato(d, "ms").toDouble());
    state.SetIterationTime(programa.back() / 1000);
    parejas.Agrega(programa.back(), desnuda.back());
  }
  state.SetLabel(PantallaArranque::Una().Descripcion() + ", " +
                 QStringLiteral("mmap %1 cache %2").arg(mmap).arg(cache).toStdString());
  state.counters["ms_programa"] = Mediana(programa);
  state.counters["ms_segunda"] = Mediana(segunda);
  state.counters["ms_desnuda"] = Mediana(desnuda);
  Proporcion(state, "ratio_vs_desnuda_fria", parejas);
}

// A search run again and again on the window already open, with the lower
// date box holding the text (empty: every report).
void BusquedaCaliente(benchmark::State& state, const QString& desde) {
  const int reportes = static_cast<int>(state.range(0));
  FrmZamolid& w = AbreVentana(reportes);
  w.txtFields(8).SetText(desde);
  QString where;
  w.ArmaWhere(where);
  const QString sql = SentenciaSqlite(where);
  BaseDesnuda b(Datos(reportes).Base(), AjustesSqlite::DelPrograma());
  long filas = 0;
  Busca(w);
  UnaLectura(b, sql);
  std::vector<double> tiempos;
  Parejas parejas;
  for (auto _ : state) {
    Mide(state, tiempos, [&] { Busca(w); });
    parejas.Agrega(tiempos.back(), UnaLectura(b, sql, &filas));
  }
  QString falla = filas == Reportes(where) && filas > 0 ? ComparaLineas(*w.ListView1, b, sql, filas, LineaDeFila)
                                                        : QStringLiteral("the statement does not read the reports searched");
  if (!falla.isEmpty()) state.SkipWithError(falla.toUtf8().constData());
  w.txtFields(8).clear();
  state.counters["lineas"] = static_cast<double>(w.ListView1->ListItems().Count());
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

// The listing searched again on the window already open.
void ListadoCaliente(benchmark::State& state) { BusquedaCaliente(state, QString()); }

// A search narrowed by a lower date (the last months of the reports).
void BusquedaPorFecha(benchmark::State& state) { BusquedaCaliente(state, QStringLiteral("01/10/2026")); }

// The three steps of GRABAR, each timed on its own.
enum class Fase {
  Update,    // the approval's UPDATE statements, against the same run bare
  Revision,  // the read-back of the ticked reports, against the same reads bare
  Recarga    // the list loaded again, against its statement read bare (warm)
};

// Every report pending and ticked, then what GRABAR runs, step by step as
// the window's approval does: the UPDATE statements of the ticked lines in
// one batch, the read-back that tells which of them were passed over, and
// the list loaded again with every report. Only the step of the benchmark
// is timed; the others run untimed, so each iteration approves for real.
// Each iteration's step is paired with the same step bare right after it,
// on the same rows in the same state.
void Aprobacion(benchmark::State& state, Fase fase) {
  constexpr int kReportes = 1000;
  const QString aprobador = QStringLiteral("Bench");
  FrmZamolid& w = AbreVentana(kReportes);
  const QString limpia = QStringLiteral("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL");
  // The rows the bare step reaches: the work-order rows the UPDATE changes,
  // every row the read-back reads, one row per report listed.
  const long esperadas = fase == Fase::Recarga ? kReportes
                         : fase == Fase::Update
                             ? Cuenta(QStringLiteral("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE TC = 'OT'"))
                             : Cuenta(QStringLiteral("SELECT COUNT(*) FROM V_MV_DIARIOS"));
  BaseDesnuda b(Datos(kReportes).Base(), AjustesSqlite::DelPrograma());
  std::vector<double> tiempos;
  Parejas parejas;
  QString aviso;
  long aprobados = 0, aprobadasEnLista = 0;
  auto paso = [&](Fase esta, const std::function<void()>& cuerpo) {
    if (esta == fase) Mide(state, tiempos, cuerpo);
    else cuerpo();
  };
  for (auto _ : state) {
    gDatos.Ejecuta(limpia);
    Busca(w);
    for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i) w.ListView1->ListItems()(i)->SetChecked(true);
    w.txtFields(11).SetText(aprobador);
    const QList<QStringList> partes = w.PartesMarcadas();
    QStringList sentencias;
    paso(Fase::Update, [&] {
      sentencias = w.SentenciasAprobacion(aprobador);
      gDatos.Conexion().Execute(sentencias.join(QStringLiteral("\r\n")), nullptr, -1);
    });
    paso(Fase::Revision, [&] { aviso = w.AvisoNoAprobados(partes, aprobador); });
    paso(Fase::Recarga, [&] {
      w.CargarComprobantes(QString());
      QCoreApplication::processEvents();
    });
    aprobados = Reportes(QStringLiteral(" WHERE AUTORIZADOPOR = 'Bench'"));
    aprobadasEnLista = 0;
    for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i) {
      ListItem* l = w.ListView1->ListItems()(i);
      if (l->Checked() && l->SmallIcon() == FrmZamolid::kIconoAprobado && l->SubItems(5) == aprobador) ++aprobadasEnLista;
    }

    // The same step bare: the UPDATE statements on the rows cleared again,
    // the reads on the rows as the approval left them.
    QStringList desnudas;
    if (fase == Fase::Update) desnudas = sqlite_sql::Adapta(sentencias.join(QStringLiteral("\r\n")));
    else if (fase == Fase::Revision)
      for (const QStringList& parte : partes) desnudas << sqlite_sql::AdaptaSentencia(FrmZamolid::SentenciaRevision(parte));
    else desnudas << SentenciaSqlite(QString());
    if (fase == Fase::Update) b.Escribe({limpia});
    QElapsedTimer t;
    t.start();
    long filas = 0;
    if (fase == Fase::Update) filas = b.Escribe(desnudas);
    else
      for (const QString& l : desnudas) filas += b.Lee(l);
    const double desnuda = t.nsecsElapsed() / 1e9;
    if (filas != esperadas) {
      state.SkipWithError("the bare work did not reach the same rows");
      return;
    }
    parejas.Agrega(tiempos.back(), desnuda);
  }
  // Every work-order report approved, the rest told in the notice and the
  // list reloaded showing each approval.
  const long ordenes = Reportes(QStringLiteral(" WHERE TC = 'OT'"));
  const long otros = Reportes(QStringLiteral(" WHERE IDDIARIO NOT IN (SELECT IDDIARIO FROM V_MV_DIARIOS WHERE TC = 'OT')"));
  if (aprobados != ordenes || aprobados == 0) state.SkipWithError("not every ticked work-order report was approved");
  else if (aviso.isEmpty() != (otros == 0)) state.SkipWithError("the notice does not tell the reports passed over");
  else if (aprobadasEnLista != aprobados || w.ListView1->ListItems().Count() != kReportes)
    state.SkipWithError("the reloaded list does not show the approvals");
  state.counters["reportes"] = static_cast<double>(aprobados);
  Proporcion(state, "ratio_vs_desnuda", parejas);
}

// A report's detail opened through the main window and painted, then the
// additional data of its first task opened from it and painted, both
// closed: the report whose first task's remark and additional text are one
// unbroken word of Arg characters (as much as a user may paste), against a
// report of ordinary texts opened the same way right after it. ms is the
// median opening of the long texts in milliseconds (bajo_1s is 1 when under
// a second); both texts are checked to reach their windows whole.
void TextoLargo(benchmark::State& state) {
  const int largo = static_cast<int>(state.range(0));
  FrmZamolid& w = AbreVentana(1000);
  // Reports whose first task has additional data on its work order, two of
  // them on different work-order tasks.
  const QString conAdicionales = QStringLiteral(
      "SELECT d.IDDIARIO, t.ID FROM V_MV_DIARIOS d JOIN V_MV_CPTETAREAS t ON RTRIM(LTRIM(t.TC)) = 'OT' "
      "AND RTRIM(LTRIM(t.IDCOMPROBANTE)) = RTRIM(LTRIM(d.IDCOMPROBANTE)) AND t.IDCOMPLEMENTO = d.IDCOMPLEMENTO "
      "AND t.IDTAREA = d.IDTAREA WHERE d.ID = (SELECT MIN(ID) FROM V_MV_DIARIOS x WHERE x.IDDIARIO = d.IDDIARIO) "
      "ORDER BY t.ID, d.IDDIARIO");
  Recordset rs;
  gDatos.AbreRecordset(conAdicionales, rs);
  QString largoId, cortoId, tareaLarga;
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString diario = rs.Fields(0).Value().toString(), tarea = rs.Fields(1).Value().toString();
    if (largoId.isEmpty()) {
      largoId = diario;
      tareaLarga = tarea;
    } else if (tarea != tareaLarga) {
      cortoId = diario;
      break;
    }
  }
  if (cortoId.isEmpty()) {
    state.SkipWithError("no two reports with additional data on different tasks");
    return;
  }
  const QString palabra(largo, u'x');
  gDatos.Ejecuta(QStringLiteral("UPDATE V_MV_DIARIOS SET OBSERVACIONES = '%1' WHERE ID = (SELECT MIN(ID) FROM "
                                "V_MV_DIARIOS WHERE IDDIARIO = %2)")
                     .arg(palabra, largoId));
  gDatos.Ejecuta(QStringLiteral("UPDATE V_MV_CPTETAREAS SET DESCRIPCIONADICIONAL = '%1' WHERE ID = %2").arg(palabra, tareaLarga));
  auto& ui = static_cast<InteraccionGuionada&>(Interaccion::Actual());
  QString observaciones, adicionales;
  // Opens the report's detail and its first task's additional data, each
  // painted once; the seconds it took.
  auto abre = [&](const QString& id) {
    QElapsedTimer t;
    t.start();
    ui.accionesModales.push_back([&](Form& f) {
      auto& d = static_cast<FrmDetalleTareas&>(f);
      d.grab();
      observaciones = d.MSFlexGrid1->TextMatrix(1, 3);
      ui.accionesModales.push_back([&](Form& g) {
        g.grab();
        adicionales = static_cast<FrmDatosAdicTareas&>(g).txtRtf->Text();
        g.Unload();
      });
      d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
      d.Unload();
    });
    w.MostrarDetalleDiario(id);
    return t.nsecsElapsed() / 1e9;
  };
  std::vector<double> tiempos;
  Parejas parejas;
  bool enteros = true;
  for (auto _ : state) {
    Mide(state, tiempos, [&] { abre(largoId); });
    enteros = enteros && observaciones == palabra && adicionales == palabra;
    parejas.Agrega(tiempos.back(), abre(cortoId));
  }
  if (!enteros) state.SkipWithError("a long text did not reach its window whole");
  state.counters["ms"] = Mediana(tiempos) * 1000;
  state.counters["bajo_1s"] = Mediana(tiempos) < 1 ? 1 : 0;
  Proporcion(state, "ratio_vs_textos_comunes", parejas);
}

// From the launch of the program to its main window shown on the database
// of 1,000 reports, each launch paired with one of the smallest program of
// the same toolkit showing an empty window of the same size, started the
// same way right after it.
void Arranque(benchmark::State& state) {
  CarpetaBench& datos = Datos(1000);
  const QString bin = QCoreApplication::applicationDirPath();
  const QString zamolid = QDir(bin).filePath(QStringLiteral("zamolid"));
  const QString vacia = QDir(bin).filePath(QStringLiteral("ventana_vacia"));
  // The program reads its database relative to its own folder.
  const QStringList args = {QStringLiteral("@Server=;"), QStringLiteral("@DbName=%1;").arg(datos.Base()),
                            QStringLiteral("@Usuario=supervisor;"), QStringLiteral("@Password=;")};
  PantallaArranque::Una().Prepara();
  Parejas parejas;
  QString programa, desnuda;
  for (auto _ : state) {
    const double s = Lanzamiento(zamolid, args, datos.Ruta(), programa);
    state.SetIterationTime(s);
    parejas.Agrega(s, Lanzamiento(vacia, {}, datos.Ruta(), desnuda));
    if (!programa.startsWith(QStringLiteral("mostrada: Zamolid Realizadas")) || !desnuda.startsWith(QStringLiteral("mostrada:")))
      break;
  }
  if (!programa.startsWith(QStringLiteral("mostrada: Zamolid Realizadas")))
    state.SkipWithError("the program did not show its main window");
  else if (!desnuda.startsWith(QStringLiteral("mostrada:")))
    state.SkipWithError("the empty window was not shown");
  state.SetLabel(PantallaArranque::Una().Descripcion());
  Proporcion(state, "ratio_vs_ventana_vacia", parejas);
  state.counters["dentro_1_5x"] = parejas.Proporcion() <= 1.5 ? 1 : 0;
}

BENCHMARK(ListadoFrio)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(AjustesPrimeraBusqueda)->ArgsProduct({{0, 1, 2, 3}, {100000, 400000}})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(ListadoCaliente)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(ListadoCaliente)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BusquedaPorFecha)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BusquedaPorFecha)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK_CAPTURE(Aprobacion, update_1000, Fase::Update)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK_CAPTURE(Aprobacion, lectura_1000, Fase::Revision)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK_CAPTURE(Aprobacion, recarga_1000, Fase::Recarga)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(TextoLargo)->Arg(200000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Arranque)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--primera-busqueda") == 0) return HijoPrimeraBusqueda(argc, argv);
  if (argc > 3 && std::strcmp(argv[1], "--lectura-desnuda") == 0) return HijoLecturaDesnuda(argc, argv);
  PantallaArranque::Una().Anota();
  const int r = CorreBenchmarks(argc, argv);
  if (FrmZamolid* w = FrmZamolid::Existente()) {
    w->hide();
    FrmZamolid::LiberaGlobal();
  }
  ReiniciaEstadoGlobal();
  return r;
}
