#include "platform/controles/toolbar.h"

#include <QAction>

#include "platform/controles/errores.h"
#include "platform/controles/imagelist.h"

namespace {
const QString kFuente = QStringLiteral("Toolbar");
}

ToolbarButton* Toolbar::Botones::Add(const QString& Key, const QString& Caption, int Image,
                                     const QString& ToolTipText) {
  Toolbar* t = barra_;
  QAction* accion = t->addAction(t->imagenes_ ? t->imagenes_->Icono(Image) : QIcon(), Caption);
  accion->setToolTip(ToolTipText.isEmpty() ? Caption : ToolTipText);
  accion->setObjectName(Key);
  botones_.push_back(std::unique_ptr<ToolbarButton>(new ToolbarButton(Count() + 1, accion)));
  ToolbarButton* b = botones_.back().get();
  b->Key = Key;
  QObject::connect(accion, &QAction::triggered, t, [t, b] {
    if (t->ButtonClick) t->ButtonClick(b);
  });
  return b;
}

ToolbarButton* Toolbar::Botones::Item(int index) const {
  if (index < 1 || index > Count()) vbctl::Raise(vbctl::ErrIndiceFuera, kFuente);
  return botones_[index - 1].get();
}

ToolbarButton* Toolbar::Botones::Item(const QString& key) const {
  for (const auto& b : botones_)
    if (!key.isEmpty() && b->Key.compare(key, Qt::CaseInsensitive) == 0) return b.get();
  vbctl::Raise(vbctl::ErrElementoNoEncontrado, kFuente);
}

Toolbar::Toolbar(QWidget* parent, const QString& nombre) : QToolBar(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 16));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void Toolbar::SetImageList(ImageList* lista) {
  imagenes_ = lista;
  if (lista) setIconSize(QSize(lista->ImageWidth(), lista->ImageHeight()));
}
