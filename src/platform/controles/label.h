#pragma once
// A label: a plain-text Caption (an "&" shows as written) and its alignment
// 0 left / 1 right / 2 centre.
//
//   lblArticulo = new Label(this, "Artículo-Descripción", "lblArticulo");
//   PosicionTwips(lblArticulo, 120, 240, 4000, 255);
#include <QLabel>

class Label : public QLabel {
  Q_OBJECT

 public:
  explicit Label(QWidget* parent = nullptr, const QString& caption = QString(), const QString& nombre = QString())
      : QLabel(parent) {
    if (!nombre.isEmpty()) setObjectName(nombre);
    setTextFormat(Qt::PlainText);
    setText(caption);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

  QString Tag;

  QString Caption() const { return text(); }
  void SetCaption(const QString& c) { setText(c); }
  int Alignment() const {
    if (alignment() & Qt::AlignRight) return 1;
    if (alignment() & Qt::AlignHCenter) return 2;
    return 0;
  }
  void SetAlignment(int a) {
    const Qt::Alignment h = a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    setAlignment(h | Qt::AlignTop);
  }
};
