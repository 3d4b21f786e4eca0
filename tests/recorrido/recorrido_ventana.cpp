// The main window walked as a person uses it, step by step as the README
// tells it: ranges typed, look-ups opened with F5 and picked from (the work
// order with Enter as its list opens, the date and the technician with a key
// typed right after the pick), a search, an approval under a name with
// accents and a quote, a report's detail, and the window closed with the
// window manager.
//
// The program runs here as it runs for a person: its own application object,
// its main window and its real dialogs (no scripted interactions), on the
// xcb platform of the X server that recorrido.sh starts with a window
// manager. Every key and click is sent to the X server by xdotool from a
// second thread, which reads the program's state between steps through calls
// queued to the program's thread, and waits for windows and focus by polling
// that state, never by fixed pauses. After each step it checks what every
// box holds; at the end, what the approval stored.
//
// Ends with status 0 when every check held, 1 otherwise (each failure on
// standard error).
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMetaObject>
#include <QProcess>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <type_traits>

#include "approval/frm_detalle_tareas.h"
#include "approval/frm_zamolid.h"
#include "approval/registro_dialogos.h"
#include "demo_db.h"
#include "lookup/lib_frm_cons3.h"
#include "platform/ado.h"
#include "platform/aplicacion.h"
#include "platform/cls_campos.h"
#include "platform/cls_datos.h"
#include "platform/controles/arreglo_controles.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/listview.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/plexatol.h"
#include "platform/controles/textbox.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "support/inicio_programa.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"

namespace {

// How long a step may take to show its effect on a loaded machine; a step
// normally takes a few tenths of a second.
constexpr int kEsperaMs = 20000;

std::atomic<int> gFallas{0};
std::atomic<bool> gSalio{false};

void Falla(const QString& que) {
  ++gFallas;
  std::fprintf(stderr, "FALLA: %s\n", qPrintable(que));
  std::fflush(stderr);
}

// A step whose effect never came: the walk cannot go on.
struct Abandono {
  QString que;
};

// Runs f in the program's thread and hands back its result. The program's
// thread runs it from whatever event loop it is in (a modal dialog's too);
// one that does not answer within the wait is stuck, and the walk ends.
template <typename F>
auto EnPrograma(F f) {
  using R = std::invoke_result_t<F>;
  if (QThread::currentThread() == qApp->thread()) return f();
  auto hecho = std::make_shared<std::promise<void>>();
  std::future<void> listo = hecho->get_future();
  std::conditional_t<std::is_void_v<R>, int, R> r{};
  QMetaObject::invokeMethod(qApp, [&, hecho] {
    if constexpr (std::is_void_v<R>)
      f();
    else
      r = f();
    hecho->set_value();
  }, Qt::QueuedConnection);
  if (listo.wait_for(std::chrono::milliseconds(kEsperaMs)) != std::future_status::ready) {
    Falla(QStringLiteral("the program did not answer for %1 s: it is stuck").arg(kEsperaMs / 1000));
    std::fflush(nullptr);
    std::_Exit(1);
  }
  if constexpr (!std::is_void_v<R>) return r;
}

// What the program shows, for the messages of a failed wait.
QString Estado() {
  return EnPrograma([] {
    QWidget* activa = QApplication::activeWindow();
    QWidget* foco = QApplication::focusWidget();
    QWidget* modal = QApplication::activeModalWidget();
    QString t = QStringLiteral("active window: %1; focus: %2 %3; modal: %4")
                    .arg(activa ? activa->windowTitle() : QStringLiteral("none"),
                         foco ? QString::fromLatin1(foco->metaObject()->className()) : QStringLiteral("none"),
                         foco ? foco->objectName() : QString(), modal ? modal->windowTitle() : QStringLiteral("none"));
    if (auto* f = FrmZamolid::Existente()) {
      QStringList cajas;
      for (const auto& [i, c] : f->txtFields.Elementos()) cajas << QStringLiteral("%1=\"%2\"").arg(c->DataField, c->Text());
      t += QStringLiteral("; boxes: ") + cajas.join(QStringLiteral(", "));
    }
    return t;
  });
}

void Comprueba(bool bien, const QString& que) {
  if (!bien) Falla(que);
}

template <typename T>
void Igual(const T& visto, const T& esperado, const QString& que) {
  if (visto == esperado) return;
  QString a, b;
  QDebug(&a).noquote() << visto;
  QDebug(&b).noquote() << esperado;
  Falla(QStringLiteral("%1: %2 instead of %3").arg(que, a.trimmed(), b.trimmed()));
}

// Waits until the condition, read in the program's thread, holds; false
// when it did not within the time.
bool Hasta(const std::function<bool()>& condicion, int ms = kEsperaMs) {
  QElapsedTimer t;
  t.start();
  while (!EnPrograma(condicion)) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(20);
  }
  return true;
}

// The same for a step the walk cannot go on without.
void Espera(const QString& que, const std::function<bool()>& condicion, int ms = kEsperaMs) {
  if (!Hasta(condicion, ms))
    throw Abandono{QStringLiteral("%1: not after %2 s (%3)").arg(que).arg(ms / 1000).arg(Estado())};
}

// For keys typed right after a pick: waits a while for them to land where
// they should; where they land instead shows in the boxes checked next.
void Llega(const std::function<bool()>& condicion) { Hasta(condicion, 2000); }

// Runs xdotool with the arguments: keys and clicks reach the X server as a
// person's would, and the server gives them to the window that has the focus.
void Xdotool(const QStringList& argumentos) {
  QProcess p;
  p.start(QStringLiteral("xdotool"), argumentos);
  if (!p.waitForFinished(kEsperaMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    throw Abandono{QStringLiteral("xdotool %1 failed: %2").arg(argumentos.join(u' '),
                                                               QString::fromLocal8Bit(p.readAllStandardError()))};
}

// Key presses by their X names ("F5", "Return", "alt+a"), one after another.
void Teclas(const QStringList& teclas) { Xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} + teclas); }

// A text typed key by key. The letters of Spanish names are pressed by
// their key names, on the keys recorrido.sh gave them: xdotool's own typing
// of a letter beyond ASCII binds a key to it only for a moment, and the
// program may read the key after the binding is gone.
void Escribe(const QString& texto) {
  static const std::map<QChar, const char*> kNombres{
      {u'á', "aacute"}, {u'é', "eacute"}, {u'í', "iacute"}, {u'ó', "oacute"}, {u'ú', "uacute"}, {u'ñ', "ntilde"},
      {u'Á', "Aacute"}, {u'É', "Eacute"}, {u'Í', "Iacute"}, {u'Ó', "Oacute"}, {u'Ú', "Uacute"}, {u'Ñ', "Ntilde"}};
  // xdotool's "type" takes the rest of its arguments as the text: one call
  // for each run of ASCII, one "key" call for the letters between.
  QString ascii;
  QStringList teclas;
  auto vuelca = [&] {
    if (!teclas.isEmpty()) Teclas(teclas);
    if (!ascii.isEmpty()) Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), ascii});
    ascii.clear();
    teclas.clear();
  };
  for (QChar c : texto) {
    auto nombre = kNombres.find(c);
    if (c.unicode() < 128) {
      if (!teclas.isEmpty()) vuelca();
      ascii += c;
    } else if (nombre != kNombres.end()) {
      if (!ascii.isEmpty()) vuelca();
      teclas << QString::fromLatin1(nombre->second);
    } else {
      throw Abandono{QStringLiteral("no key for \"%1\"").arg(c)};
    }
  }
  vuelca();
}

// A click of the button (1 left, 3 right; 4 and 5 turn the wheel) at the
// point of the widget, as many times as asked.
void Clic(const std::function<QWidget*()>& widget, const std::function<QPoint(QWidget*)>& punto, int boton = 1,
          int veces = 1) {
  const QPoint p = EnPrograma([&] {
    QWidget* w = widget();
    return w ? w->mapToGlobal(punto(w)) : QPoint(-1, -1);
  });
  if (p.x() < 0) throw Abandono{QStringLiteral("no widget to click")};
  // The server takes the move before the click, as it takes them in order.
  // (xdotool's --sync would wait for a move, and there is none when the
  // pointer is there already.)
  Xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
           QStringLiteral("--repeat"), QString::number(veces), QStringLiteral("--delay"), QStringLiteral("30"),
           QString::number(boton)});
}

QPoint Centro(QWidget* w) { return w->rect().center(); }

FrmZamolid& Ventana() { return *FrmZamolid::Existente(); }

TextBox& Caja(const QString& nombre) { return Ventana().txtFields(gCampos.IndiceCampo(nombre, Ventana().txtFields)); }

QString Texto(const QString& nombre) {
  return EnPrograma([&] { return FrmZamolid::Existente() ? Caja(nombre).Text() : QString(); });
}

// Every range box and the approver's, by name.
const QStringList kCajas{"Sucursal_Desde", "Nro_Desde",      "Letra_Desde",   "Sucursal_Hasta", "Nro_Hasta", "Letra_Hasta",
                         "Fecha_Desde",    "Fecha_Hasta",    "Tecnico_Desde", "Tecnico_Hasta",  "Responsable"};

// Checks that every box holds what the walk has put in so far (the boxes
// not named are empty). A box found wrong is told once: what it holds is
// what later steps expect of it.
void CompruebaCajas(const QString& paso, std::map<QString, QString>& esperado) {
  for (const QString& nombre : kCajas) {
    const QString visto = Texto(nombre), debido = esperado.count(nombre) ? esperado[nombre] : QString();
    Igual(visto, debido, paso + QStringLiteral(": box ") + nombre);
    if (visto != debido) esperado[nombre] = visto;
  }
}

bool TieneFoco(const QString& nombre) {
  return QApplication::activeWindow() == &Ventana() && QApplication::focusWidget() == &Caja(nombre);
}

// The main window is the active one again, with the focus in one of its
// widgets: what a person sees before typing on.
bool VentanaActiva() {
  return FrmZamolid::Existente() && QApplication::activeModalWidget() == nullptr &&
         QApplication::activeWindow() == &Ventana() && QApplication::focusWidget() != nullptr;
}

template <typename T>
T* Modal() {
  QWidget* m = QApplication::activeModalWidget();
  return m && QApplication::activeWindow() == m && QApplication::focusWidget() ? qobject_cast<T*>(m) : nullptr;
}

QString Valor(const QString& sql) {
  Recordset rs;
  gDatos.AbreRecordset(sql, rs);
  return rs.Bof() ? QString() : vb::Texto(rs.Fields(0).Value());
}

// One row of the reports as stored.
struct Fila {
  long id;
  QString diario, comprobante;
  QDate fecha;
  QString tecnico, aprobador, tarea, descripcion, observaciones;
};

std::vector<Fila> Filas() {
  return EnPrograma([] {
    std::vector<Fila> filas;
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("SELECT ID, IDDIARIO, IDCOMPROBANTE, FECHA, IDTECNICO, AUTORIZADOPOR, IDTAREA, "
                                        "DESCRIPCION, OBSERVACIONES FROM V_MV_DIARIOS ORDER BY ID"),
                         rs);
    for (; !rs.Bof() && !rs.Eof(); rs.MoveNext()) {
      auto t = [&](int i) { return rs.Fields(i).IsNull() ? QString() : vb::Texto(rs.Fields(i).Value()); };
      filas.push_back({t(0).toLong(), t(1), t(2), vb::CDate(t(3)), t(4), t(5), t(6), t(7), t(8)});
    }
    return filas;
  });
}

// The reports a search on these ranges must list: those with a row in every
// range given, each range compared as the README says (work-order keys and
// technician codes as text, dates by day), in report order.
QStringList Esperados(const std::vector<Fila>& filas, const QString& ordenDesde, const QString& ordenHasta,
                      const QDate& fechaDesde, const QDate& fechaHasta, const QString& tecDesde, const QString& tecHasta) {
  std::set<long> ids;
  for (const Fila& f : filas) {
    const QString orden = f.comprobante.trimmed(), tecnico = f.tecnico.trimmed();
    if (orden < ordenDesde || orden > ordenHasta) continue;
    if (f.fecha < fechaDesde || f.fecha > fechaHasta) continue;
    if (tecnico < tecDesde || tecnico > tecHasta) continue;
    ids.insert(f.diario.toLong());
  }
  QStringList r;
  for (long id : ids) r << QString::number(id);
  return r;
}

QStringList IdsDeLaLista() {
  return EnPrograma([] {
    QStringList r;
    ListView* l = Ventana().ListView1;
    for (int i = 1; i <= l->ListItems().Count(); ++i) r << l->ListItems()(i)->SubItems(1);
    return r;
  });
}

// Where the check box of a line is drawn, in the list's coordinates.
QPoint CasillaDe(ListView* lista, ListItem* linea) {
  const QRect fila = lista->visualItemRect(linea);
  QStyleOptionViewItem o;
  o.initFrom(lista->viewport());
  o.rect = QRect(fila.topLeft(), QSize(lista->columnWidth(0), fila.height()));
  o.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay |
               QStyleOptionViewItem::HasDecoration;
  o.decorationSize = lista->iconSize();
  o.text = linea->Text();
  const QRect casilla = lista->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, lista);
  return lista->viewport()->mapTo(lista, casilla.center());
}

// Clicks into the box and waits for the focus there.
void EntraEn(const char* caja) {
  Clic([caja] { return &Caja(caja); }, Centro);
  Espera(QStringLiteral("the focus in %1").arg(caja), [caja] { return TieneFoco(caja); });
}

// Types a key in the focused box (a key in a range box turns the look-up
// on), presses F5 and waits for the look-up's window.
template <typename T>
void Consulta(const char* caja, const QString& tecla) {
  Escribe(tecla);
  Espera(QStringLiteral("the key typed in %1").arg(caja), [&] { return Caja(caja).Text() == tecla; });
  Teclas({QStringLiteral("F5")});
  Espera(QStringLiteral("the look-up of %1").arg(caja), [] { return Modal<T>() != nullptr; });
}

// The work-order key of a line of the open pick list (0 the first, -1 the
// last).
QString ClaveDeLaLista(int linea) {
  return EnPrograma([linea] {
    ListView* l = Modal<FrmConsComprobantes>()->ListView1;
    const int n = l->ListItems().Count();
    return n > 0 ? l->ListItems()(linea < 0 ? n : linea + 1)->SubItems(1) : QString();
  });
}

// What the three boxes of one end of the work-order range must hold for the
// key.
void PoneClave(std::map<QString, QString>& cajas, const QString& extremo, const QString& clave) {
  cajas["Sucursal_" + extremo] = clave.mid(0, 4);
  cajas["Nro_" + extremo] = clave.mid(4, 8);
  cajas["Letra_" + extremo] = clave.mid(12, 1);
}

// The walk itself, in the second thread.
void Recorre() {
  QElapsedTimer reloj;
  reloj.start();
  int numero = 0;
  auto paso = [&](const char* que) {
    std::printf("%5.1f s  step %d: %s\n", reloj.elapsed() / 1000.0, ++numero, que);
    std::fflush(stdout);
  };
  std::map<QString, QString> cajas;  // what each box must hold so far

  paso("the main window shows, empty");
  Espera(QStringLiteral("the main window active"), [] { return VentanaActiva(); });
  CompruebaCajas(QStringLiteral("at start"), cajas);

  paso("work order, upper end: a key typed, F5, and Enter as the pick list opens");
  EntraEn("Sucursal_Hasta");
  Consulta<FrmConsComprobantes>("Sucursal_Hasta", QStringLiteral("2"));
  const QString primera = ClaveDeLaLista(0);  // the line the list opens on, the highest key
  Comprueba(primera.size() == 13, QStringLiteral("the pick list's first line holds a work-order key: \"%1\"").arg(primera));
  Teclas({QStringLiteral("Return")});
  Espera(QStringLiteral("the main window back after the pick"), [] { return VentanaActiva(); });
  PoneClave(cajas, QStringLiteral("Hasta"), primera);
  CompruebaCajas(QStringLiteral("after Enter in the pick list"), cajas);
  Comprueba(EnPrograma([] { return TieneFoco("Sucursal_Hasta"); }), QStringLiteral("the focus stays in Sucursal_Hasta"));

  paso("work order, lower end: a key, F5, End and Enter pick the list's last line");
  EntraEn("Sucursal_Desde");
  Consulta<FrmConsComprobantes>("Sucursal_Desde", QStringLiteral("1"));
  const QString ultima = ClaveDeLaLista(-1);
  Teclas({QStringLiteral("End")});
  Espera(QStringLiteral("the last line selected"), [&] {
    auto* f = Modal<FrmConsComprobantes>();
    return f && f->ListView1->SelectedItem() && f->ListView1->SelectedItem()->SubItems(1) == ultima;
  });
  Teclas({QStringLiteral("Return")});
  Espera(QStringLiteral("the main window back after the pick"), [] { return VentanaActiva(); });
  PoneClave(cajas, QStringLiteral("Desde"), ultima);
  CompruebaCajas(QStringLiteral("after End and Enter in the pick list"), cajas);

  paso("lower date: a key, F5, the calendar brought to 02/11/2026, Enter, and the upper date typed at once");
  EntraEn("Fecha_Desde");
  Consulta<QDialog>("Fecha_Desde", QStringLiteral("0"));
  // The calendar opens on a date of its own (today the first time): Page
  // Up and Page Down move it by months, Home to the month's first day,
  // Right one day on.
  const QDate abierta = EnPrograma([] {
    auto* c = Modal<QDialog>()->findChild<QCalendarWidget*>();
    return c ? c->selectedDate() : QDate();
  });
  const int meses = (abierta.year() - 2026) * 12 + abierta.month() - 11;
  if (!abierta.isValid() || std::abs(meses) > 240)
    throw Abandono{QStringLiteral("the calendar opened on %1").arg(abierta.toString(Qt::ISODate))};
  Teclas(QStringList(std::abs(meses), meses > 0 ? QStringLiteral("Prior") : QStringLiteral("Next")) +
         QStringList{QStringLiteral("Home"), QStringLiteral("Right"), QStringLiteral("Return")});
  Espera(QStringLiteral("the main window back after the calendar"), [] { return VentanaActiva(); });
  cajas["Fecha_Desde"] = QStringLiteral("02/11/2026");
  Escribe(QStringLiteral("30/11/2026"));
  cajas["Fecha_Hasta"] = QStringLiteral("30/11/2026");
  Llega([] { return Caja("Fecha_Hasta").Text().size() == 10; });
  CompruebaCajas(QStringLiteral("after the calendar and the upper date"), cajas);
  Teclas({QStringLiteral("Return")});
  if (!Hasta([] { return TieneFoco("Tecnico_Desde"); }, 5000)) {
    Falla(QStringLiteral("Enter did not move on to Tecnico_Desde (%1)").arg(Estado()));
    EntraEn("Tecnico_Desde");  // on with the walk
  }

  paso("lower technician: a key, F5, a name typed in the pick list's search box, Aceptar, and the upper one typed at once");
  Consulta<Lib_FrmCons3>("Tecnico_Desde", QStringLiteral("1"));
  const QString codigo = EnPrograma([] {
    return vb::Trim(Valor(QStringLiteral("SELECT IDTECNICO FROM V_TA_TECNICOS WHERE NOMBRE LIKE 'Diego%'")));
  });
  Escribe(QStringLiteral("Diego"));
  Espera(QStringLiteral("Diego's line selected"), [] {
    auto* f = Modal<Lib_FrmCons3>();
    return f && f->ListView1->SelectedItem() && f->ListView1->SelectedItem()->Text().startsWith(QLatin1String("Diego"));
  });
  Teclas({QStringLiteral("alt+a")});
  Espera(QStringLiteral("the main window back after the technician pick"), [] { return VentanaActiva(); });
  Escribe(QStringLiteral("5"));
  cajas["Tecnico_Desde"] = codigo;
  cajas["Tecnico_Hasta"] = QStringLiteral("5");
  Llega([] { return !Caja("Tecnico_Hasta").Text().isEmpty(); });
  CompruebaCajas(QStringLiteral("after the technician pick and the upper code"), cajas);

  paso("Enter moves to Buscar; a click on it searches");
  Teclas({QStringLiteral("Return")});
  if (!Hasta([] { return QApplication::focusWidget() == Ventana().CmdBuscar; }, 5000))
    Falla(QStringLiteral("Enter did not move on to Buscar (%1)").arg(Estado()));
  const std::vector<Fila> antes = Filas();
  const QStringList esperados = Esperados(antes, ultima, primera, QDate(2026, 11, 2), QDate(2026, 11, 30), codigo,
                                          QStringLiteral("5"));
  Comprueba(esperados.size() >= 3, QStringLiteral("the ranges take in a few reports: %1").arg(esperados.size()));
  Clic([] { return Ventana().CmdBuscar; }, Centro);
  Espera(QStringLiteral("the list of the ranges"), [&] { return IdsDeLaLista() == esperados; });
  CompruebaCajas(QStringLiteral("after the search"), cajas);

  paso("the approver's name typed, two pending reports ticked, an approved one's tick kept");
  const QString nombre = QStringLiteral("José O'Brien Núñez");
  EntraEn("Responsable");
  Escribe(nombre);
  Llega([&] { return Caja("Responsable").Text().size() >= nombre.size(); });
  cajas["Responsable"] = nombre;
  CompruebaCajas(QStringLiteral("after typing the approver"), cajas);
  Comprueba(EnPrograma([] { return Ventana().Plexatol1->grabarenabled(); }), QStringLiteral("Grabar on with a name"));
  // The first two pending lines and the first approved one.
  QStringList pendientes;
  QString aprobada;
  EnPrograma([&] {
    ListView* l = Ventana().ListView1;
    for (int i = 1; i <= l->ListItems().Count(); ++i) {
      ListItem* it = l->ListItems()(i);
      if (it->SmallIcon() == FrmZamolid::kIconoPendiente && pendientes.size() < 2) pendientes << it->SubItems(1);
      if (it->SmallIcon() == FrmZamolid::kIconoAprobado && aprobada.isEmpty()) aprobada = it->SubItems(1);
    }
  });
  if (pendientes.size() < 2 || aprobada.isEmpty())
    throw Abandono{QStringLiteral("the list shows no two pending and one approved report")};
  auto linea = [](const QString& id) {
    ListView* l = Ventana().ListView1;
    for (int i = 1; i <= l->ListItems().Count(); ++i)
      if (l->ListItems()(i)->SubItems(1) == id) return l->ListItems()(i);
    return static_cast<ListItem*>(nullptr);
  };
  // Brings a line into sight with the mouse wheel over the list.
  auto enVista = [&](const QString& id) {
    for (int vuelta = 0;; ++vuelta) {
      const auto [arriba, abajo, desplazado, lineas] = EnPrograma([&] {
        ListView* l = Ventana().ListView1;
        const QRect r = l->visualItemRect(linea(id));
        const int fuera = r.top() < 0 ? -r.top() : r.bottom() - l->viewport()->height();
        return std::tuple{r.top() < 0, r.bottom() >= l->viewport()->height(), l->verticalScrollBar()->value(),
                          fuera / std::max(1, r.height()) + 1};
      });
      if (!arriba && !abajo) return;
      if (vuelta == 50) throw Abandono{QStringLiteral("report %1 not brought into sight").arg(id)};
      // A turn of the wheel moves the list three lines; the next look waits
      // for all the turns.
      const int vueltas = std::clamp((lineas + 2) / 3, 1, 10);
      Clic([] { return Ventana().ListView1; }, Centro, arriba ? 4 : 5, vueltas);
      Espera(QStringLiteral("the list scrolled"), [&, desplazado = desplazado, arriba = arriba] {
        const QScrollBar* b = Ventana().ListView1->verticalScrollBar();
        return b->value() == std::clamp(desplazado + (arriba ? -3 : 3) * vueltas, b->minimum(), b->maximum());
      });
    }
  };
  auto marca = [&](const QString& id) {
    enVista(id);
    Clic([] { return Ventana().ListView1; }, [&](QWidget*) { return CasillaDe(Ventana().ListView1, linea(id)); });
  };
  marca(pendientes[0]);
  Espera(QStringLiteral("report %1 ticked").arg(pendientes[0]), [&] { return linea(pendientes[0])->Checked(); });
  // The approved line's box clicked between the two: once the second tick
  // shows, the program has handled that click to its end.
  marca(aprobada);
  marca(pendientes[1]);
  Espera(QStringLiteral("report %1 ticked").arg(pendientes[1]), [&] { return linea(pendientes[1])->Checked(); });
  Comprueba(EnPrograma([&] { return linea(aprobada)->Checked() && linea(pendientes[0])->Checked(); }),
            QStringLiteral("approved report %1 stays ticked, and %2 too").arg(aprobada, pendientes[0]));

  paso("F2 approves the ticked pending reports");
  Teclas({QStringLiteral("F2")});
  const int reportes = EnPrograma([] { return Valor(QStringLiteral("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS")).toInt(); });
  Espera(QStringLiteral("the list loaded again with every report"),
         [&] { return Ventana().ListView1->ListItems().Count() == reportes; });
  const std::vector<Fila> despues = Filas();
  Igual(despues.size(), antes.size(), QStringLiteral("rows of the reports"));
  int aprobadas = 0;
  for (size_t i = 0; i < std::min(antes.size(), despues.size()); ++i) {
    const bool marcada = pendientes.contains(antes[i].diario);
    if (marcada) ++aprobadas;
    Igual(despues[i].aprobador, marcada ? nombre : antes[i].aprobador,
          QStringLiteral("the approver stored in row %1 (report %2)").arg(antes[i].id).arg(antes[i].diario));
  }
  Comprueba(aprobadas >= 2, QStringLiteral("the ticked reports have rows: %1").arg(aprobadas));
  for (const QString& id : pendientes) {
    const auto [marcada, icono, aprobador] = EnPrograma([&] {
      ListItem* it = linea(id);
      return it ? std::tuple{it->Checked(), it->SmallIcon(), it->SubItems(5)} : std::tuple{false, 0, QString()};
    });
    Comprueba(marcada && icono == FrmZamolid::kIconoAprobado && aprobador == nombre,
              QStringLiteral("report %1 shown approved by \"%2\": ticked %3, icon %4, \"%5\"")
                  .arg(id, nombre)
                  .arg(marcada)
                  .arg(icono)
                  .arg(aprobador));
  }
  CompruebaCajas(QStringLiteral("after the approval"), cajas);

  paso("a right click on a report just approved and \"Ver Detalle\" show its tasks; Aceptar closes them");
  const QString detalle = pendientes[0];
  enVista(detalle);
  Clic([] { return Ventana().ListView1; },
       [&](QWidget*) {
         ListView* l = Ventana().ListView1;
         return l->viewport()->mapTo(l, l->visualItemRect(linea(detalle)).center());
       },
       3);
  Espera(QStringLiteral("the pop-up menu"), [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; });
  Teclas({QStringLiteral("Down"), QStringLiteral("Return")});
  Espera(QStringLiteral("the report's detail"), [] { return Modal<FrmDetalleTareas>() != nullptr; });
  QStringList tareas;
  for (const Fila& f : despues)
    if (f.diario == detalle) tareas << f.tarea.trimmed() + u'|' + f.descripcion.trimmed() + u'|' + f.observaciones.trimmed();
  const QStringList grilla = EnPrograma([] {
    MSFlexGrid* g = Modal<FrmDetalleTareas>()->MSFlexGrid1;
    QStringList r;
    for (int i = 1; i < g->Rows(); ++i)
      if (!g->TextMatrix(i, 0).isEmpty())
        r << g->TextMatrix(i, 0) + u'|' + g->TextMatrix(i, 1) + u'|' + g->TextMatrix(i, 3);
    return r;
  });
  Igual(grilla, tareas, QStringLiteral("the tasks of report %1").arg(detalle));
  Comprueba(!tareas.isEmpty(), QStringLiteral("report %1 has tasks").arg(detalle));
  Clic([] { return Modal<FrmDetalleTareas>()->CmdAceptar; }, Centro);
  Espera(QStringLiteral("the main window back after the detail"), [] { return VentanaActiva(); });
  CompruebaCajas(QStringLiteral("after the detail"), cajas);

  paso("the window closed through the window manager ends the program");
  Teclas({QStringLiteral("alt+F4")});
}

}  // namespace

int main(int argc, char** argv) {
  // The platform of the X server recorrido.sh started, whatever the test
  // run chose for the others.
  qputenv("QT_QPA_PLATFORM", "xcb");
  Aplicacion app(argc, argv);
  app.CargaTraduccion();
  QTemporaryDir carpeta;
  if (!carpeta.isValid()) return 1;
  demo::CreaBaseDemo(carpeta.filePath(QStringLiteral("demo.db")));
  programa::FijaCarpeta(carpeta.path());
  programa::FijaLineaDeComando(LineaDeComando(QStringLiteral("demo.db")));
  RegistraDialogosDelPrograma();
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { gSalio = true; });

  bool completo = false;
  QThread* recorrido = QThread::create([&] {
    try {
      Recorre();
      completo = true;
    } catch (const Abandono& a) {
      Falla(a.que);
    }
    if (!completo) QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    // The program must end on its own; one that does not is a failure.
    for (int i = 0; i < kEsperaMs / 20 && !gSalio; ++i) QThread::msleep(20);
    if (!gSalio) {
      Falla(QStringLiteral("the program did not end when its window was closed"));
      std::fflush(nullptr);
      std::_Exit(1);
    }
  });
  FrmZamolid::Global().Show();
  recorrido->start();
  const int estado = app.exec();
  recorrido->wait();
  delete recorrido;
  if (completo) {
    Comprueba(FrmZamolid::Existente() == nullptr, QStringLiteral("the main window released"));
    Igual(estado, 0, QStringLiteral("the program's exit status"));
  }
  std::printf("%s: %d failures\n", gFallas == 0 ? "walk passed" : "walk FAILED", gFallas.load());
  return gFallas == 0 ? 0 : 1;
}
