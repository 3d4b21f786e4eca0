#include "platform/form.h"

#include <QCloseEvent>
#include <QFontMetrics>

#include "platform/interaccion.h"

void PosicionTwips(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(APixeles(left), APixeles(top), APixeles(width), APixeles(height));
}

QFont FuenteFormularios() {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  f.setPointSizeF(8.0);
  return f;
}

Form::Form(QString nombreClase, QWidget* parent)
    : QWidget(parent, Qt::Window), nombreClase_(std::move(nombreClase)) {
  setObjectName(nombreClase_);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() = default;

void Form::Load() {
  if (cargado_) return;
  cargado_ = true;
  Form_Load();
}

void Form::Show(int modal) {
  Load();
  if (!cargado_) return;  // Form_Load unloaded it
  if (modal)
    Interaccion::Actual().MuestraModal(*this);
  else
    show();
}

void Form::Hide() { hide(); }

bool Form::Unload() {
  if (descargando_) return true;
  int cancel = 0;
  descargando_ = true;
  Form_Unload(cancel);
  descargando_ = false;
  if (cancel) return false;
  cargado_ = false;
  hide();
  emit Descargado();
  return true;
}

int Form::TextWidth(const QString& texto) const {
  return ATwips(QFontMetrics(font()).horizontalAdvance(texto));
}

void Form::SetClientTwips(int ancho, int alto) { resize(APixeles(ancho), APixeles(alto)); }

bool Form::PreviewKeyDown(int& keyCode, int shift) {
  if (!keyPreview_) return false;
  Form_KeyDown(keyCode, shift);
  return keyCode == 0;
}

bool Form::PreviewKeyPress(int& keyAscii) {
  if (!keyPreview_) return false;
  Form_KeyPress(keyAscii);
  return keyAscii == 0;
}

void Form::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  emit Oculto();
}

void Form::closeEvent(QCloseEvent* e) {
  // The close box unloads the form.
  if (Unload())
    e->accept();
  else
    e->ignore();
}

void Form::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}
