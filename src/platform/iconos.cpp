#include "platform/iconos.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/controles/pinturas.h"

namespace {

// A rounded tile of the suite's look with a letter and, optionally, a tick.
QIcon Baldosa(QColor claro, QColor oscuro, const QString& letra, bool tilde) {
  return pintura::IconoAlPedir([=](int lado) {
    QPixmap px(lado, lado);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, lado);
    g.setColorAt(0, claro);
    g.setColorAt(1, oscuro);
    p.setBrush(g);
    p.setPen(QPen(oscuro.darker(140), lado / 16.0));
    p.drawRoundedRect(QRectF(0.5, 0.5, lado - 1, lado - 1), lado / 5.0, lado / 5.0);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(static_cast<int>(lado * 0.62));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, -lado * 0.04, lado, lado), Qt::AlignCenter, letra);
    if (tilde) {
      QPainterPath c;
      c.moveTo(lado * 0.55, lado * 0.78);
      c.lineTo(lado * 0.70, lado * 0.92);
      c.lineTo(lado * 0.95, lado * 0.60);
      p.setPen(QPen(QColor(0x2E, 0xCC, 0x40), lado / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPath(c);
    }
    p.end();
    return px;
  }, {16, 24, 32, 48});
}

}  // namespace

QIcon IconoRecurso(const QString& nombre) {
  const QString n = nombre.trimmed().toUpper();
  if (n == QLatin1String("ROVIROVAROZIV")) return Baldosa(QColor(0x4A, 0x90, 0xD9), QColor(0x1F, 0x4E, 0x8C), QStringLiteral("Z"), true);
  if (n == QLatin1String("BRELVIX")) return Baldosa(QColor(0x7A, 0x7A, 0x7A), QColor(0x3A, 0x3A, 0x3A), QStringLiteral("B"), false);
  if (n == QLatin1String("STOCK")) return Baldosa(QColor(0xE0, 0x9A, 0x3A), QColor(0x9C, 0x5A, 0x10), QStringLiteral("S"), false);
  if (n == QLatin1String("VENTAS")) return Baldosa(QColor(0x5C, 0xB8, 0x5C), QColor(0x2D, 0x6E, 0x2D), QStringLiteral("V"), false);
  if (n == QLatin1String("COMPRAS")) return Baldosa(QColor(0xC0, 0x5C, 0xC0), QColor(0x6E, 0x2D, 0x6E), QStringLiteral("C"), false);
  if (n == QLatin1String("TALLER")) return Baldosa(QColor(0xD9, 0x53, 0x4F), QColor(0x8C, 0x24, 0x20), QStringLiteral("T"), false);
  return QIcon();
}
