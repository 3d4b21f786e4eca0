#pragma once
// Pop-up menus: a tree of items, each with a name, a caption ("-" for a
// separator), visible / checked / enabled states, an optional tag and index
// (items of a menu array), and a Click procedure run when it is chosen.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class MenuItem {
 public:
  MenuItem(QString nombre, QString caption);

  QString Name;
  QString Caption;
  QString Tag;
  int Index = -1;  // element of a menu array, -1 otherwise
  bool Visible = true;
  bool Checked = false;
  bool Enabled = true;
  std::function<void(MenuItem&)> Click;

  bool EsSeparador() const { return Caption == QLatin1String("-"); }
  MenuItem& Agrega(QString nombre, QString caption, std::function<void(MenuItem&)> click = {});
  std::vector<std::unique_ptr<MenuItem>>& Items() { return items_; }
  // The item of this menu or its sub-menus with that name (ignoring case).
  MenuItem* Busca(const QString& nombre);
  // The visible item whose caption, without "&", equals the text (ignoring
  // case), searched through visible sub-menus too.
  MenuItem* BuscaPorCaption(const QString& caption);
  // The caption without its access-key marks.
  QString CaptionLimpio() const;

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
};

using Menu = MenuItem;
