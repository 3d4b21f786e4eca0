#include "platform/interaccion_qt.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <map>

#include "platform/espera_bloqueo.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/vb.h"

namespace {

std::unique_ptr<Interaccion>& Instalada() {
  static std::unique_ptr<Interaccion> i;
  return i;
}

void AgregaItems(QMenu* qm, MenuItem& menu, std::map<QAction*, MenuItem*>& mapa) {
  for (auto& it : menu.Items()) {
    if (!it->Visible) continue;
    if (it->EsSeparador()) {
      qm->addSeparator();
      continue;
    }
    if (!it->Items().empty()) {
      QMenu* sub = qm->addMenu(it->Caption);
      sub->setEnabled(it->Enabled);
      AgregaItems(sub, *it, mapa);
      continue;
    }
    QAction* a = qm->addAction(it->Caption);
    a->setEnabled(it->Enabled);
    if (it->Checked) {
      a->setCheckable(true);
      a->setChecked(true);
    }
    mapa[a] = it.get();
  }
}

}  // namespace

Interaccion& Interaccion::Actual() {
  auto& i = Instalada();
  if (!i) i = std::make_unique<InteraccionQt>();
  return *i;
}

std::unique_ptr<Interaccion> Interaccion::Instala(std::unique_ptr<Interaccion> nueva) {
  auto anterior = std::move(Instalada());
  Instalada() = std::move(nueva);
  return anterior;
}

QString TituloAplicacion() {
  return QApplication::applicationName().isEmpty() ? QStringLiteral("Zamolid") : QApplication::applicationName();
}

void Interaccion::AvisoAlOperador(const QString& texto, int icono, const QString& titulo) {
  std::fprintf(stderr, "%s\n", qPrintable(texto));
  std::fflush(stderr);
  MsgBox(texto, icono, titulo);
}

// A dialog's own event loop belongs to the action that opens it.

void InteraccionQt::AvisoAlOperador(const QString& texto, int icono, const QString& titulo) {
  std::fprintf(stderr, "%s\n", qPrintable(texto));
  std::fflush(stderr);
  if (!sinPantalla_) MsgBox(texto, icono, titulo);
}

int InteraccionQt::MsgBox(const QString& texto, int botones, const QString& titulo) {
  std::vector<std::pair<QMessageBox::StandardButton, int>> lista;
  switch (botones & 7) {
    case vbmsg::OKCancel: lista = {{QMessageBox::Ok, vbmsg::OK}, {QMessageBox::Cancel, vbmsg::Cancel}}; break;
    case vbmsg::AbortRetryIgnore:
      lista = {{QMessageBox::Abort, vbmsg::Abort}, {QMessageBox::Retry, vbmsg::Retry}, {QMessageBox::Ignore, vbmsg::Ignore}};
      break;
    case vbmsg::YesNoCancel:
      lista = {{QMessageBox::Yes, vbmsg::Yes}, {QMessageBox::No, vbmsg::No}, {QMessageBox::Cancel, vbmsg::Cancel}};
      break;
    case vbmsg::YesNo: lista = {{QMessageBox::Yes, vbmsg::Yes}, {QMessageBox::No, vbmsg::No}}; break;
    case vbmsg::RetryCancel: lista = {{QMessageBox::Retry, vbmsg::Retry}, {QMessageBox::Cancel, vbmsg::Cancel}}; break;
    default: lista = {{QMessageBox::Ok, vbmsg::OK}}; break;
  }
  size_t porDefecto = (botones & vbmsg::DefaultButton3) ? 2 : (botones & vbmsg::DefaultButton2) ? 1 : 0;
  if (porDefecto >= lista.size()) porDefecto = 0;
  if (sinPantalla_) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(titulo.isEmpty() ? TituloAplicacion() : titulo), qPrintable(texto));
    std::fflush(stderr);
    return lista[porDefecto].second;
  }
  QMessageBox box(QApplication::activeWindow());
  box.setFont(FuenteFormularios());
  box.setWindowTitle(titulo.isEmpty() ? TituloAplicacion() : titulo);
  box.setText(texto);
  switch (botones & 0x70) {
    case vbmsg::Critical: box.setIcon(QMessageBox::Critical); break;
    case vbmsg::Question: box.setIcon(QMessageBox::Question); break;
    case vbmsg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case vbmsg::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  QMessageBox::StandardButtons sb;
  for (auto& b : lista) sb |= b.first;
  box.setStandardButtons(sb);
  box.setDefaultButton(lista[porDefecto].first);
  {
    espera_bloqueo::MismaAccion misma;
    box.exec();
  }
  auto elegido = box.standardButton(box.clickedButton());
  for (auto& b : lista)
    if (b.first == elegido) return b.second;
  // Closed with Esc or the close box: the cancelling answer.
  for (auto& b : lista)
    if (b.second == vbmsg::Cancel || b.second == vbmsg::No) return b.second;
  return lista.front().second;
}

bool InteraccionQt::InputBox(const QString& texto, const QString& titulo, const QString& porDefecto,
                             QString& respuesta) {
  respuesta.clear();
  if (sinPantalla_) return false;
  espera_bloqueo::MismaAccion misma;
  QInputDialog d(QApplication::activeWindow());
  d.setFont(FuenteFormularios());
  d.setWindowTitle(titulo.isEmpty() ? TituloAplicacion() : titulo);
  d.setLabelText(texto);
  d.setTextValue(porDefecto);
  const bool ok = d.exec() == QDialog::Accepted;
  respuesta = ok ? d.textValue() : QString();
  return ok;
}

void InteraccionQt::PopupMenu(QWidget* dueno, Menu& menu) {
  if (sinPantalla_) return;
  espera_bloqueo::MismaAccion misma;
  QMenu qm(dueno);
  qm.setFont(FuenteFormularios());
  std::map<QAction*, MenuItem*> mapa;
  AgregaItems(&qm, menu, mapa);
  QAction* a = qm.exec(QCursor::pos());
  auto it = mapa.find(a);
  if (it != mapa.end() && it->second->Click) it->second->Click(*it->second);
}

void InteraccionQt::MuestraModal(Form& form) {
  QPointer<Form> f(&form);
  form.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(&form, &Form::Oculto, &loop, &QEventLoop::quit);
  QObject::connect(&form, &Form::Descargado, &loop, &QEventLoop::quit);
  QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
  form.show();
  form.raise();
  form.activateWindow();
  if (f && f->isVisible()) loop.exec();
  if (f) f->setWindowModality(Qt::NonModal);
}

bool InteraccionQt::PideFecha(QString& fecha) {
  if (sinPantalla_) return false;
  espera_bloqueo::MismaAccion misma;
  QDialog d(QApplication::activeWindow());
  d.setFont(FuenteFormularios());
  d.setWindowTitle(QStringLiteral("Seleccione la fecha"));
  auto* lay = new QVBoxLayout(&d);
  auto* cal = new QCalendarWidget(&d);
  cal->setLocale(QLocale(QLocale::Spanish));
  cal->setGridVisible(true);
  QDateTime inicial;
  cal->setSelectedDate(vb::ParseDateTime(fecha, inicial) ? inicial.date() : QDate::currentDate());
  lay->addWidget(cal);
  auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  bb->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Aceptar"));
  bb->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
  lay->addWidget(bb);
  QObject::connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  QObject::connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  QObject::connect(cal, &QCalendarWidget::activated, &d, &QDialog::accept);
  if (d.exec() != QDialog::Accepted) return false;
  fecha = cal->selectedDate().toString(QStringLiteral("dd/MM/yyyy"));
  return true;
}

int InteraccionQt::ReportaError(const vb::Error& e, const QString& etiqueta) {
  std::fprintf(stderr, "Error %ld en %s: %s\n", e.Number, qPrintable(etiqueta), qPrintable(e.Description));
  if (sinPantalla_) return 3;  // leave the procedure
  espera_bloqueo::MismaAccion misma;
  QMessageBox box(QApplication::activeWindow());
  box.setFont(FuenteFormularios());
  box.setIcon(QMessageBox::Critical);
  box.setWindowTitle(QStringLiteral("Error en %1").arg(etiqueta));
  box.setText(QStringLiteral("Se produjo el error %1 en %2.").arg(e.Number).arg(etiqueta));
  box.setInformativeText(e.Description + (e.Source.isEmpty() ? QString() : QStringLiteral("\nOrigen: ") + e.Source));
  if (!e.Detail.isEmpty()) box.setDetailedText(e.Detail);
  QPushButton* reintentar = box.addButton(QStringLiteral("&Reintentar"), QMessageBox::AcceptRole);
  QPushButton* omitir = box.addButton(QStringLiteral("&Omitir"), QMessageBox::ActionRole);
  QPushButton* cancelar = box.addButton(QStringLiteral("&Cancelar"), QMessageBox::RejectRole);
  box.setDefaultButton(cancelar);
  box.setEscapeButton(cancelar);
  box.exec();
  if (box.clickedButton() == reintentar) return 4;
  if (box.clickedButton() == omitir) return 5;
  return 3;
}
