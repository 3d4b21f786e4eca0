#pragma once
// A picture box used as a container: a plain area (with a single border
// when BorderStyle is 1) whose position the form moves in twips, e.g. to
// scroll its contents sideways: picFields->SetLeft(-HScroll1->Value()).
#include <QFrame>

#include "platform/form.h"

class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr, const QString& nombre = QString()) : QFrame(parent) {
    if (!nombre.isEmpty()) setObjectName(nombre);
    SetBorderStyle(0);
  }

  QString Tag;

  void SetBorderStyle(int estilo) {
    setFrameShape(estilo ? QFrame::Box : QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
  }
  // Position and size in twips within the container.
  int Left() const { return ATwips(x()); }
  int Width() const { return ATwips(width()); }
  int Height() const { return ATwips(height()); }
  void SetLeft(int twips) { move(APixeles(twips), y()); }
  void SetWidth(int twips) { resize(APixeles(twips), height()); }
  void SetHeight(int twips) { resize(width(), APixeles(twips)); }
};
