#include "platform/menu.h"

MenuItem::MenuItem(QString nombre, QString caption) : Name(std::move(nombre)), Caption(std::move(caption)) {}

MenuItem& MenuItem::Agrega(QString nombre, QString caption, std::function<void(MenuItem&)> click) {
  items_.push_back(std::make_unique<MenuItem>(std::move(nombre), std::move(caption)));
  items_.back()->Click = std::move(click);
  return *items_.back();
}

MenuItem* MenuItem::Busca(const QString& nombre) {
  for (auto& i : items_) {
    if (i->Name.compare(nombre, Qt::CaseInsensitive) == 0) return i.get();
    if (MenuItem* s = i->Busca(nombre)) return s;
  }
  return nullptr;
}

QString MenuItem::CaptionLimpio() const {
  QString c = Caption;
  c.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  c.remove(u'&');
  c.replace(u'\x01', u'&');
  return c;
}

MenuItem* MenuItem::BuscaPorCaption(const QString& caption) {
  for (auto& i : items_) {
    if (!i->Visible || i->EsSeparador()) continue;
    if (i->CaptionLimpio().trimmed().compare(caption.trimmed(), Qt::CaseInsensitive) == 0) return i.get();
    if (MenuItem* s = i->BuscaPorCaption(caption)) return s;
  }
  return nullptr;
}
