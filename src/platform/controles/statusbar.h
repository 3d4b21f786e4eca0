#pragma once
// A status bar of panels, numbered from 1, each with a Key, a Text and a
// width in twips (-1: the panel takes the room left). Panels()(i) outside
// the collection raises 35600, an unknown key 35601.
//
//   StatusBar1->Panels().Add("Detalle");
//   StatusBar1->Panels().Add("Stock", QString(), 2000);
//   StatusBar1->Panels()(4)->SetText(detalle);
#include <QLabel>
#include <QStatusBar>
#include <memory>
#include <vector>

class Panel {
 public:
  int Index() const { return indice_; }
  QString Key;
  QString Text() const { return etiqueta_->text(); }
  void SetText(const QString& t) { etiqueta_->setText(t); }
  void SetWidth(int twips);

 private:
  friend class StatusBar;
  Panel(int indice, QLabel* etiqueta) : indice_(indice), etiqueta_(etiqueta) {}
  int indice_;
  QLabel* etiqueta_;
};

class StatusBar : public QStatusBar {
  Q_OBJECT

 public:
  class Paneles {
   public:
    Panel* Add(const QString& Key = QString(), const QString& Text = QString(), int Width = -1);
    int Count() const { return static_cast<int>(paneles_.size()); }
    Panel* Item(int index) const;
    Panel* Item(const QString& key) const;
    Panel* operator()(int index) const { return Item(index); }
    Panel* operator()(const QString& key) const { return Item(key); }
    void Clear();

   private:
    friend class StatusBar;
    explicit Paneles(StatusBar* barra) : barra_(barra) {}
    StatusBar* barra_;
    std::vector<std::unique_ptr<Panel>> paneles_;
  };

  explicit StatusBar(QWidget* parent = nullptr, const QString& nombre = QString());
  ~StatusBar() override;

  Paneles& Panels() { return paneles_; }

 private:
  Paneles paneles_{this};
};
