#pragma once
// A tool bar of buttons numbered from 1 (Index), each with a Key, a caption,
// a picture from the attached ImageList and a tool tip; ButtonClick is
// raised with the button the user pressed.
//
//   Toolbar1->SetImageList(CreaImagenesRelleno(this));
//   Toolbar1->Buttons().Add("LLENAR", QString(), 1,
//                           "Llenar las demas celdas con el valor de las seleccionadas");
//   Toolbar1->ButtonClick = [this](ToolbarButton* Button) { Toolbar1_ButtonClick(Button); };
#include <QPointer>
#include <QToolBar>
#include <functional>
#include <memory>
#include <vector>

#include "platform/controles/imagelist.h"

class QAction;

class ToolbarButton {
 public:
  int Index() const { return indice_; }
  QString Key;
  QString Tag;
  QAction* Accion() const { return accion_; }

 private:
  friend class Toolbar;
  ToolbarButton(int indice, QAction* accion) : indice_(indice), accion_(accion) {}
  int indice_;
  QAction* accion_;
};

class Toolbar : public QToolBar {
  Q_OBJECT

 public:
  class Botones {
   public:
    // Image: index into the tool bar's ImageList (0 for none).
    ToolbarButton* Add(const QString& Key = QString(), const QString& Caption = QString(), int Image = 0,
                       const QString& ToolTipText = QString());
    int Count() const { return static_cast<int>(botones_.size()); }
    ToolbarButton* Item(int index) const;
    ToolbarButton* Item(const QString& key) const;
    ToolbarButton* operator()(int index) const { return Item(index); }
    ToolbarButton* operator()(const QString& key) const { return Item(key); }

   private:
    friend class Toolbar;
    explicit Botones(Toolbar* barra) : barra_(barra) {}
    Toolbar* barra_;
    std::vector<std::unique_ptr<ToolbarButton>> botones_;
  };

  explicit Toolbar(QWidget* parent = nullptr, const QString& nombre = QString());

  Botones& Buttons() { return botones_; }
  void SetImageList(ImageList* lista);

  std::function<void(ToolbarButton* Button)> ButtonClick;

 private:
  Botones botones_{this};
  QPointer<ImageList> imagenes_;
};
