#include "platform/controles/statusbar.h"

#include "platform/controles/errores.h"
#include "platform/form.h"

namespace {
const QString kFuente = QStringLiteral("StatusBar");
}

void Panel::SetWidth(int twips) {
  if (twips < 0) {
    etiqueta_->setMinimumWidth(0);
    etiqueta_->setMaximumWidth(QWIDGETSIZE_MAX);
  } else {
    etiqueta_->setFixedWidth(APixeles(twips));
  }
}

Panel* StatusBar::Paneles::Add(const QString& Key, const QString& Text, int Width) {
  auto* etiqueta = new QLabel(Text, barra_);
  etiqueta->setFrameShape(QFrame::Panel);
  etiqueta->setFrameShadow(QFrame::Sunken);
  etiqueta->setTextFormat(Qt::PlainText);
  etiqueta->setContentsMargins(3, 0, 3, 0);
  barra_->addWidget(etiqueta, Width < 0 ? 1 : 0);
  paneles_.push_back(std::unique_ptr<Panel>(new Panel(Count() + 1, etiqueta)));
  Panel* p = paneles_.back().get();
  p->Key = Key;
  p->SetWidth(Width);
  return p;
}

Panel* StatusBar::Paneles::Item(int index) const {
  if (index < 1 || index > Count()) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return paneles_[index - 1].get();
}

Panel* StatusBar::Paneles::Item(const QString& key) const {
  for (const auto& p : paneles_)
    if (!key.isEmpty() && p->Key.compare(key, Qt::CaseInsensitive) == 0) return p.get();
  vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
}

void StatusBar::Paneles::Clear() {
  for (const auto& p : paneles_) delete p->etiqueta_;
  paneles_.clear();
}

StatusBar::StatusBar(QWidget* parent, const QString& nombre) : QStatusBar(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setSizeGripEnabled(false);
}

StatusBar::~StatusBar() { paneles_.paneles_.clear(); }
