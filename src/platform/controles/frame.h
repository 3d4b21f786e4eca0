#pragma once
// A frame: a bordered group of controls with an optional Caption (the
// forms' frames have none). Children are placed in twips relative to it.
//
//   Frame1 = new Frame(this, QString(), "Frame1");
//   PosicionTwips(Frame1, 0, 600, 8415, 1215);
//   CmdBuscar = new CommandButton(Frame1, "Buscar", "CmdBuscar");
#include <QGroupBox>

class Frame : public QGroupBox {
  Q_OBJECT

 public:
  explicit Frame(QWidget* parent = nullptr, const QString& caption = QString(), const QString& nombre = QString())
      : QGroupBox(caption, parent) {
    if (!nombre.isEmpty()) setObjectName(nombre);
  }

  QString Tag;

  QString Caption() const { return title(); }
};
