#include "platform/controles/pinturas.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

namespace pintura {

namespace {

QPen Lapiz(const QColor& c, double ancho) { return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

QLinearGradient Vertical(const QRectF& r, const QColor& arriba, const QColor& abajo) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, arriba);
  g.setColorAt(1, abajo);
  return g;
}

// A sheet of paper with a folded top-right corner.
void Hoja(QPainter& p, const QRectF& r, bool lineas = true) {
  const double f = r.width() * 0.3;
  QPainterPath hoja;
  hoja.moveTo(r.left(), r.top());
  hoja.lineTo(r.right() - f, r.top());
  hoja.lineTo(r.right(), r.top() + f);
  hoja.lineTo(r.right(), r.bottom());
  hoja.lineTo(r.left(), r.bottom());
  hoja.closeSubpath();
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.8));
  p.setBrush(Vertical(r, Qt::white, QColor(0xE4, 0xE8, 0xEE)));
  p.drawPath(hoja);
  QPainterPath pliegue;
  pliegue.moveTo(r.right() - f, r.top());
  pliegue.lineTo(r.right() - f, r.top() + f);
  pliegue.lineTo(r.right(), r.top() + f);
  pliegue.closeSubpath();
  p.setBrush(QColor(0xC8, 0xCE, 0xD6));
  p.drawPath(pliegue);
  if (lineas) {
    p.setPen(Lapiz(QColor(0x9A, 0xA8, 0xBA), 0.7));
    for (double y = r.top() + f + 1.6; y < r.bottom() - 1.2; y += 1.9)
      p.drawLine(QPointF(r.left() + 1.6, y), QPointF(r.right() - 1.6, y));
  }
}

// A round badge at the lower right corner of a picture.
void Insignia(QPainter& p, const QColor& claro, const QColor& oscuro, double cx = 11.6, double cy = 11.6,
              double radio = 3.9) {
  QRadialGradient g(QPointF(cx - radio * 0.35, cy - radio * 0.35), radio * 1.4);
  g.setColorAt(0, claro);
  g.setColorAt(1, oscuro);
  p.setPen(Lapiz(oscuro.darker(130), 0.7));
  p.setBrush(g);
  p.drawEllipse(QPointF(cx, cy), radio, radio);
}

void Tilde(QPainter& p, const QPointF& a, const QPointF& b, const QPointF& c, const QColor& color, double ancho) {
  QPainterPath t;
  t.moveTo(a);
  t.lineTo(b);
  t.lineTo(c);
  p.setBrush(Qt::NoBrush);
  p.setPen(Lapiz(color.darker(170), ancho + 1.0));
  p.drawPath(t);
  p.setPen(Lapiz(color, ancho));
  p.drawPath(t);
}

void Carrito(QPainter& p) {
  p.setPen(Lapiz(QColor(0x33, 0x3D, 0x4A), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(0.8, 2.6), QPointF(3.0, 2.6));
  QPainterPath cesta;
  cesta.moveTo(3.0, 2.6);
  cesta.lineTo(4.6, 10.0);
  cesta.lineTo(13.0, 10.0);
  cesta.lineTo(14.8, 4.4);
  cesta.lineTo(3.4, 4.4);
  p.setBrush(Vertical(QRectF(3, 4, 12, 6), QColor(0x7F, 0xB8, 0xF0), QColor(0x2F, 0x73, 0xC4)));
  p.drawPath(cesta);
  p.setPen(Lapiz(QColor(0xDD, 0xEE, 0xFF), 0.6));
  p.drawLine(QPointF(5.0, 6.4), QPointF(13.9, 6.4));
  p.drawLine(QPointF(5.4, 8.2), QPointF(13.4, 8.2));
  p.setPen(Lapiz(QColor(0x33, 0x3D, 0x4A), 1.0));
  p.setBrush(QColor(0x33, 0x3D, 0x4A));
  p.drawEllipse(QPointF(5.8, 12.9), 1.25, 1.25);
  p.drawEllipse(QPointF(11.8, 12.9), 1.25, 1.25);
}

}  // namespace

QPixmap Mapa(Dibujo dibujo, int lado) {
  QPixmap px(lado, lado);
  px.fill(Qt::transparent);
  QPainter p(&px);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(lado / 16.0, lado / 16.0);
  dibujo(p);
  p.end();
  return px;
}

namespace {

class MotorAlPedir : public QIconEngine {
 public:
  MotorAlPedir(std::function<QPixmap(int)> dibuja, QList<int> lados)
      : dibuja_(std::move(dibuja)), lados_(std::move(lados)) {}

  QPixmap pixmap(const QSize& tamano, QIcon::Mode modo, QIcon::State) override {
    const int lado = std::min(tamano.width(), tamano.height());
    if (lado <= 0) return QPixmap();
    const quint64 clave = (static_cast<quint64>(lado) << 8) | static_cast<quint64>(modo);
    if (auto it = hechos_.constFind(clave); it != hechos_.cend()) return *it;
    QPixmap px = dibuja_(lado);
    // A disabled or selected button shows the style's version of the picture.
    if (modo != QIcon::Normal && modo != QIcon::Active && qobject_cast<QApplication*>(QCoreApplication::instance())) {
      QStyleOption opcion(0);
      opcion.palette = QGuiApplication::palette();
      px = QApplication::style()->generatedIconPixmap(modo, px, &opcion);
    }
    hechos_.insert(clave, px);
    return px;
  }
  void paint(QPainter* p, const QRect& r, QIcon::Mode modo, QIcon::State estado) override {
    const qreal escala = p->device() ? p->device()->devicePixelRatioF() : 1.0;
    p->drawPixmap(r, pixmap(r.size() * escala, modo, estado));
  }
  QSize actualSize(const QSize& tamano, QIcon::Mode, QIcon::State) override {
    const int lado = std::min(tamano.width(), tamano.height());
    return QSize(lado, lado);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> r;
    for (int l : lados_) r << QSize(l, l);
    return r;
  }
  QIconEngine* clone() const override { return new MotorAlPedir(*this); }

 private:
  std::function<QPixmap(int)> dibuja_;
  QList<int> lados_;
  QHash<quint64, QPixmap> hechos_;
};

}  // namespace

QIcon IconoAlPedir(std::function<QPixmap(int lado)> dibuja, QList<int> lados) {
  return QIcon(new MotorAlPedir(std::move(dibuja), std::move(lados)));
}

QIcon Icono(Dibujo dibujo) {
  return IconoAlPedir([dibujo](int lado) { return Mapa(dibujo, lado); }, {16, 20, 24, 32, 48});
}

// ---- approval states -------------------------------------------------------

void TildeRoja(QPainter& p) {
  Tilde(p, QPointF(2.4, 8.6), QPointF(6.2, 12.6), QPointF(13.8, 3.2), QColor(0xE0, 0x1B, 0x1B), 2.6);
}

void CruzRoja(QPainter& p) {
  Insignia(p, QColor(0xFF, 0x7A, 0x6E), QColor(0xC0, 0x1E, 0x1E), 8, 8, 6.6);
  p.setPen(Lapiz(Qt::white, 2.0));
  p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
  p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
}

void RelojDeArena(QPainter& p) {
  p.setPen(Lapiz(QColor(0x6B, 0x45, 0x1E), 0.8));
  p.setBrush(Vertical(QRectF(3, 1, 10, 2), QColor(0xC8, 0x8A, 0x4A), QColor(0x8A, 0x56, 0x22)));
  p.drawRoundedRect(QRectF(3.0, 1.0, 10.0, 1.8), 0.6, 0.6);
  p.drawRoundedRect(QRectF(3.0, 13.2, 10.0, 1.8), 0.6, 0.6);
  QPainterPath vidrio;
  vidrio.moveTo(4.2, 2.8);
  vidrio.lineTo(11.8, 2.8);
  vidrio.cubicTo(11.8, 6.2, 8.8, 7.2, 8.8, 8.0);
  vidrio.cubicTo(8.8, 8.8, 11.8, 9.8, 11.8, 13.2);
  vidrio.lineTo(4.2, 13.2);
  vidrio.cubicTo(4.2, 9.8, 7.2, 8.8, 7.2, 8.0);
  vidrio.cubicTo(7.2, 7.2, 4.2, 6.2, 4.2, 2.8);
  p.setPen(Lapiz(QColor(0x5A, 0x7A, 0x99), 0.7));
  p.setBrush(QColor(0xE6, 0xF2, 0xFC));
  p.drawPath(vidrio);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF2, 0xB6, 0x2E));
  QPainterPath arriba;
  arriba.moveTo(5.6, 4.8);
  arriba.lineTo(10.4, 4.8);
  arriba.lineTo(8.0, 7.6);
  arriba.closeSubpath();
  p.drawPath(arriba);
  QPainterPath abajo;
  abajo.moveTo(8.0, 10.2);
  abajo.lineTo(11.2, 12.9);
  abajo.lineTo(4.8, 12.9);
  abajo.closeSubpath();
  p.drawPath(abajo);
}

void Advertencia(QPainter& p) {
  QPainterPath tri;
  tri.moveTo(8.0, 1.2);
  tri.lineTo(15.2, 14.4);
  tri.lineTo(0.8, 14.4);
  tri.closeSubpath();
  p.setPen(Lapiz(QColor(0x9C, 0x6A, 0x00), 0.9));
  p.setBrush(Vertical(QRectF(0, 1, 16, 14), QColor(0xFF, 0xE0, 0x5A), QColor(0xF2, 0xA9, 0x00)));
  p.drawPath(tri);
  p.setPen(Lapiz(QColor(0x2B, 0x2B, 0x2B), 1.7));
  p.drawLine(QPointF(8.0, 5.6), QPointF(8.0, 9.8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2B, 0x2B, 0x2B));
  p.drawEllipse(QPointF(8.0, 12.2), 1.0, 1.0);
}

void Candado(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Lapiz(QColor(0x7A, 0x80, 0x88), 1.8));
  p.drawArc(QRectF(4.4, 1.6, 7.2, 9.0), 0, 180 * 16);
  p.drawLine(QPointF(4.4, 6.1), QPointF(4.4, 7.6));
  p.drawLine(QPointF(11.6, 6.1), QPointF(11.6, 7.6));
  p.setPen(Lapiz(QColor(0x8A, 0x62, 0x00), 0.8));
  p.setBrush(Vertical(QRectF(2.6, 7, 10.8, 8), QColor(0xFF, 0xD8, 0x4D), QColor(0xD9, 0x9A, 0x00)));
  p.drawRoundedRect(QRectF(2.6, 7.2, 10.8, 7.6), 1.2, 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5A, 0x40, 0x00));
  p.drawEllipse(QPointF(8.0, 10.2), 1.1, 1.1);
  p.drawRect(QRectF(7.5, 10.4, 1.0, 2.6));
}

void CalendarioConReloj(QPainter& p) {
  const QRectF hoja(0.8, 2.0, 12.4, 12.2);
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.8));
  p.setBrush(Vertical(hoja, Qt::white, QColor(0xE8, 0xEC, 0xF0)));
  p.drawRoundedRect(hoja, 1.0, 1.0);
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(QRectF(0.8, 2.0, 12.4, 3.2), QColor(0xF0, 0x5A, 0x4A), QColor(0xB8, 0x1E, 0x14)));
  p.drawRoundedRect(QRectF(1.2, 2.4, 11.6, 2.8), 0.6, 0.6);
  p.setBrush(QColor(0x45, 0x45, 0x45));
  p.drawRoundedRect(QRectF(3.3, 0.8, 1.2, 2.8), 0.5, 0.5);
  p.drawRoundedRect(QRectF(9.5, 0.8, 1.2, 2.8), 0.5, 0.5);
  p.setBrush(QColor(0x9A, 0xA8, 0xBA));
  for (int f = 0; f < 3; ++f)
    for (int c = 0; c < 4; ++c)
      if (!(f == 2 && c >= 2)) p.drawRect(QRectF(2.2 + c * 2.6, 6.6 + f * 2.4, 1.5, 1.3));
  // The clock over the lower right corner.
  QRadialGradient g(QPointF(10.8, 10.6), 5.0);
  g.setColorAt(0, Qt::white);
  g.setColorAt(1, QColor(0xD6, 0xE6, 0xF6));
  p.setPen(Lapiz(QColor(0x1F, 0x5C, 0xA8), 1.0));
  p.setBrush(g);
  p.drawEllipse(QPointF(11.4, 11.4), 4.1, 4.1);
  p.setPen(Lapiz(QColor(0x22, 0x22, 0x22), 0.9));
  p.drawLine(QPointF(11.4, 11.4), QPointF(11.4, 8.6));
  p.drawLine(QPointF(11.4, 11.4), QPointF(13.2, 12.4));
}

// ---- vouchers ---------------------------------------------------------------

void Generico(QPainter& p) { Hoja(p, QRectF(2.5, 1.0, 11.0, 14.0)); }

void Presupuesto(QPainter& p) {
  Hoja(p, QRectF(1.5, 0.8, 10.5, 13.6));
  Insignia(p, QColor(0x8E, 0xE0, 0x7A), QColor(0x2E, 0x8B, 0x2E));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(6);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(7.6, 7.6, 8.0, 8.0), Qt::AlignCenter, QStringLiteral("$"));
}

void Anulado(QPainter& p) {
  Hoja(p, QRectF(1.5, 0.8, 10.5, 13.6));
  p.setPen(Lapiz(QColor(0xD0, 0x18, 0x18), 1.6));
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(QPointF(10.8, 10.8), 4.2, 4.2);
  p.drawLine(QPointF(7.9, 13.7), QPointF(13.7, 7.9));
}

void Aprobado(QPainter& p) {
  Hoja(p, QRectF(1.5, 0.8, 10.5, 13.6));
  Tilde(p, QPointF(7.2, 11.0), QPointF(9.8, 13.6), QPointF(15.0, 7.2), QColor(0x1E, 0xA0, 0x32), 2.0);
}

void Factura(QPainter& p) {
  Hoja(p, QRectF(2.5, 1.0, 11.0, 14.0), false);
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(QRectF(3, 2, 7, 2.4), QColor(0x5B, 0x9B, 0xE6), QColor(0x1F, 0x5C, 0xA8)));
  p.drawRect(QRectF(3.6, 2.0, 6.2, 2.4));
  p.setPen(Lapiz(QColor(0x9A, 0xA8, 0xBA), 0.7));
  for (double y = 6.4; y < 13.0; y += 1.8) {
    p.drawLine(QPointF(4.0, y), QPointF(9.0, y));
    p.drawLine(QPointF(10.2, y), QPointF(12.0, y));
  }
}

void NotaCredito(QPainter& p) {
  Hoja(p, QRectF(1.5, 0.8, 10.5, 13.6));
  Insignia(p, QColor(0x8E, 0xE0, 0x7A), QColor(0x2E, 0x8B, 0x2E));
  p.setPen(Lapiz(Qt::white, 1.5));
  p.drawLine(QPointF(9.6, 11.6), QPointF(13.6, 11.6));
}

void NotaDebito(QPainter& p) {
  Hoja(p, QRectF(1.5, 0.8, 10.5, 13.6));
  Insignia(p, QColor(0xFF, 0x9A, 0x6E), QColor(0xC0, 0x3A, 0x1E));
  p.setPen(Lapiz(Qt::white, 1.5));
  p.drawLine(QPointF(9.6, 11.6), QPointF(13.6, 11.6));
  p.drawLine(QPointF(11.6, 9.6), QPointF(11.6, 13.6));
}

void OrdenTrabajo(QPainter& p) {
  Hoja(p, QRectF(1.0, 0.8, 10.5, 13.6));
  p.save();
  p.translate(11.0, 10.0);
  p.rotate(45);
  p.setPen(Lapiz(QColor(0x44, 0x4C, 0x55), 0.7));
  p.setBrush(Vertical(QRectF(-1, -5, 2, 10), QColor(0xC4, 0xCC, 0xD4), QColor(0x70, 0x7A, 0x86)));
  p.drawRoundedRect(QRectF(-1.1, -1.0, 2.2, 6.8), 0.8, 0.8);
  QPainterPath cabeza;
  cabeza.addEllipse(QPointF(0, -2.6), 2.9, 2.9);
  QPainterPath boca;
  boca.addRect(QRectF(-0.95, -6.0, 1.9, 3.2));
  p.drawPath(cabeza.subtracted(boca));
  p.restore();
}

void Terceros(QPainter& p) {
  Hoja(p, QRectF(4.5, 0.6, 10.0, 12.0), false);
  Hoja(p, QRectF(1.2, 3.4, 10.0, 12.0));
}

void OrdenCompra(QPainter& p) { Carrito(p); }

void OrdenCompraGarantia(QPainter& p) {
  Carrito(p);
  QPainterPath escudo;
  escudo.moveTo(11.6, 7.0);
  escudo.lineTo(15.4, 8.2);
  escudo.cubicTo(15.4, 12.2, 13.6, 14.2, 11.6, 15.4);
  escudo.cubicTo(9.6, 14.2, 7.8, 12.2, 7.8, 8.2);
  escudo.closeSubpath();
  p.setPen(Lapiz(QColor(0x8A, 0x62, 0x00), 0.7));
  p.setBrush(Vertical(QRectF(8, 7, 8, 9), QColor(0xFF, 0xE0, 0x6A), QColor(0xE0, 0xA0, 0x10)));
  p.drawPath(escudo);
  Tilde(p, QPointF(9.9, 11.0), QPointF(11.3, 12.5), QPointF(13.6, 9.4), QColor(0x1E, 0x80, 0x32), 0.9);
}

// ---- grid fill buttons ------------------------------------------------------

void LlenarCeldas(QPainter& p) {
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.7));
  p.setBrush(QColor(0xFF, 0xF2, 0xA8));
  p.drawRect(QRectF(1.2, 1.2, 8.0, 3.8));
  p.setBrush(QColor(0xFF, 0xFB, 0xDC));
  p.drawRect(QRectF(1.2, 5.0, 8.0, 3.8));
  p.drawRect(QRectF(1.2, 8.8, 8.0, 3.8));
  p.setPen(Lapiz(QColor(0x4A, 0x4A, 0x4A), 0.8));
  p.drawLine(QPointF(2.6, 3.1), QPointF(6.6, 3.1));
  p.setPen(Lapiz(QColor(0xA0, 0xA0, 0xA0), 0.8));
  p.drawLine(QPointF(2.6, 6.9), QPointF(6.6, 6.9));
  p.drawLine(QPointF(2.6, 10.7), QPointF(6.6, 10.7));
  QPainterPath flecha;
  flecha.moveTo(11.6, 1.6);
  flecha.lineTo(13.4, 1.6);
  flecha.lineTo(13.4, 10.2);
  flecha.lineTo(15.4, 10.2);
  flecha.lineTo(12.5, 14.8);
  flecha.lineTo(9.6, 10.2);
  flecha.lineTo(11.6, 10.2);
  flecha.closeSubpath();
  p.setPen(Lapiz(QColor(0x14, 0x4E, 0x9A), 0.7));
  p.setBrush(Vertical(QRectF(9, 1, 7, 14), QColor(0x7F, 0xB8, 0xF0), QColor(0x1F, 0x6C, 0xC8)));
  p.drawPath(flecha);
}

void BlanquearCeldas(QPainter& p) {
  p.setPen(Lapiz(QColor(0x9A, 0x9A, 0x9A), 0.6));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.0, 10.6, 14.0, 3.8));
  p.save();
  p.translate(8.6, 7.0);
  p.rotate(-35);
  p.setPen(Lapiz(QColor(0x6B, 0x3A, 0x50), 0.7));
  p.setBrush(Vertical(QRectF(-6, -3, 7, 6), QColor(0xFF, 0xB6, 0xCC), QColor(0xE0, 0x6A, 0x8E)));
  p.drawRoundedRect(QRectF(-6.2, -2.8, 6.4, 5.6), 0.8, 0.8);
  p.setBrush(Vertical(QRectF(0, -3, 6, 6), QColor(0x8C, 0xC4, 0xF4), QColor(0x3C, 0x80, 0xD0)));
  p.drawRoundedRect(QRectF(0.2, -2.8, 5.6, 5.6), 0.8, 0.8);
  p.restore();
}

void ProponerCantidades(QPainter& p) {
  p.setPen(Lapiz(QColor(0x22, 0x22, 0x22), 1.8));
  p.drawLine(QPointF(2.0, 14.0), QPointF(10.0, 6.0));
  p.setPen(Lapiz(QColor(0xF4, 0xF4, 0xF4), 1.6));
  p.drawLine(QPointF(9.2, 6.8), QPointF(10.4, 5.6));
  auto estrella = [&](QPointF c, double r) {
    QPainterPath s;
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4;
      const double rr = (i % 2 == 0) ? r : r * 0.38;
      const QPointF q(c.x() + rr * std::sin(a), c.y() - rr * std::cos(a));
      if (i == 0) s.moveTo(q); else s.lineTo(q);
    }
    s.closeSubpath();
    p.setPen(Lapiz(QColor(0xC0, 0x86, 0x00), 0.5));
    p.setBrush(QColor(0xFF, 0xD2, 0x2E));
    p.drawPath(s);
  };
  estrella(QPointF(12.0, 3.6), 3.2);
  estrella(QPointF(6.0, 3.0), 1.8);
  estrella(QPointF(13.6, 9.6), 1.8);
}

// ---- button bar -------------------------------------------------------------

void Nuevo(QPainter& p) {
  Hoja(p, QRectF(2.0, 1.6, 10.6, 13.6));
  QPainterPath s;
  const QPointF c(12.2, 3.6);
  for (int i = 0; i < 10; ++i) {
    const double a = i * M_PI / 5;
    const double r = (i % 2 == 0) ? 3.4 : 1.4;
    const QPointF q(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
    if (i == 0) s.moveTo(q); else s.lineTo(q);
  }
  s.closeSubpath();
  p.setPen(Lapiz(QColor(0xC0, 0x86, 0x00), 0.6));
  p.setBrush(Vertical(QRectF(9, 0, 7, 7), QColor(0xFF, 0xF0, 0x7A), QColor(0xFF, 0xC0, 0x10)));
  p.drawPath(s);
}

void Borrar(QPainter& p) {
  p.setPen(Lapiz(QColor(0x3A, 0x44, 0x50), 0.8));
  p.setBrush(Vertical(QRectF(2, 2, 12, 2), QColor(0xB8, 0xC4, 0xD0), QColor(0x70, 0x80, 0x92)));
  p.drawRoundedRect(QRectF(2.0, 2.6, 12.0, 2.0), 0.6, 0.6);
  p.drawRoundedRect(QRectF(6.0, 1.0, 4.0, 1.8), 0.5, 0.5);
  QPainterPath cuerpo;
  cuerpo.moveTo(3.2, 4.8);
  cuerpo.lineTo(12.8, 4.8);
  cuerpo.lineTo(11.8, 15.0);
  cuerpo.lineTo(4.2, 15.0);
  cuerpo.closeSubpath();
  QLinearGradient g(QPointF(3, 0), QPointF(13, 0));
  g.setColorAt(0, QColor(0x9C, 0xAC, 0xBE));
  g.setColorAt(0.45, QColor(0xE4, 0xEA, 0xF0));
  g.setColorAt(1, QColor(0x7C, 0x8C, 0xA0));
  p.setBrush(g);
  p.drawPath(cuerpo);
  p.setPen(Lapiz(QColor(0x55, 0x62, 0x72), 0.8));
  p.drawLine(QPointF(6.0, 6.8), QPointF(6.3, 13.2));
  p.drawLine(QPointF(8.0, 6.8), QPointF(8.0, 13.2));
  p.drawLine(QPointF(10.0, 6.8), QPointF(9.7, 13.2));
}

void Reporte(QPainter& p) {
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.7));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.0, 0.8, 8.0, 5.0));
  p.setPen(Lapiz(QColor(0x3A, 0x44, 0x50), 0.8));
  p.setBrush(Vertical(QRectF(0.8, 5, 14.4, 6.4), QColor(0xC4, 0xCE, 0xD8), QColor(0x6E, 0x7C, 0x8C)));
  p.drawRoundedRect(QRectF(0.8, 5.0, 14.4, 6.4), 1.2, 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x3A, 0xD0, 0x3A));
  p.drawEllipse(QPointF(12.8, 7.0), 0.7, 0.7);
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.7));
  p.setBrush(Vertical(QRectF(3.6, 9, 8.8, 6.4), Qt::white, QColor(0xEC, 0xEC, 0xEC)));
  p.drawRect(QRectF(3.6, 9.0, 8.8, 6.2));
  p.setPen(Lapiz(QColor(0x9A, 0xA8, 0xBA), 0.7));
  p.drawLine(QPointF(5.0, 11.4), QPointF(11.0, 11.4));
  p.drawLine(QPointF(5.0, 13.2), QPointF(9.6, 13.2));
}

void Consultar(QPainter& p) {
  p.setPen(Lapiz(QColor(0x5A, 0x3A, 0x1A), 2.6));
  p.drawLine(QPointF(9.6, 9.6), QPointF(14.4, 14.4));
  QRadialGradient g(QPointF(5.4, 5.0), 6.0);
  g.setColorAt(0, QColor(0xF4, 0xFA, 0xFF));
  g.setColorAt(1, QColor(0x9E, 0xCA, 0xF2));
  p.setPen(Lapiz(QColor(0x3A, 0x44, 0x50), 1.5));
  p.setBrush(g);
  p.drawEllipse(QPointF(6.6, 6.6), 5.0, 5.0);
  p.setPen(Lapiz(Qt::white, 0.9));
  p.drawArc(QRectF(3.4, 3.4, 6.0, 6.0), 100 * 16, 70 * 16);
}

void Planilla(QPainter& p) {
  const QRectF r(1.0, 1.6, 14.0, 12.8);
  p.setPen(Lapiz(QColor(0x3C, 0x6E, 0x3C), 0.8));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(QRectF(1, 1.6, 14, 3), QColor(0x6C, 0xC0, 0x6C), QColor(0x2E, 0x8B, 0x2E)));
  p.drawRect(QRectF(1.0, 1.6, 14.0, 3.0));
  p.setBrush(QColor(0xD8, 0xEE, 0xD8));
  p.drawRect(QRectF(1.0, 4.6, 3.4, 9.8));
  p.setPen(Lapiz(QColor(0x9C, 0xB8, 0x9C), 0.5));
  for (double y = 4.6; y < 14.2; y += 2.45) p.drawLine(QPointF(1.0, y), QPointF(15.0, y));
  for (double x = 4.4; x < 15.0; x += 3.55) p.drawLine(QPointF(x, 1.6), QPointF(x, 14.4));
  p.setPen(Lapiz(QColor(0x3C, 0x6E, 0x3C), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
}

void Cancelar(QPainter& p) {
  QPainterPath arco;
  arco.moveTo(4.0, 6.4);
  arco.cubicTo(6.0, 3.0, 13.8, 2.6, 14.2, 8.6);
  arco.cubicTo(14.4, 12.4, 11.4, 14.4, 8.4, 14.0);
  p.setBrush(Qt::NoBrush);
  p.setPen(Lapiz(QColor(0x9A, 0x4A, 0x00), 3.2));
  p.drawPath(arco);
  p.setPen(Lapiz(QColor(0xF2, 0x8C, 0x1E), 2.0));
  p.drawPath(arco);
  QPainterPath punta;
  punta.moveTo(1.2, 2.8);
  punta.lineTo(7.2, 7.2);
  punta.lineTo(1.6, 9.4);
  punta.closeSubpath();
  p.setPen(Lapiz(QColor(0x9A, 0x4A, 0x00), 0.7));
  p.setBrush(Vertical(QRectF(1, 3, 6, 7), QColor(0xFF, 0xB8, 0x5A), QColor(0xE0, 0x70, 0x00)));
  p.drawPath(punta);
}

void Grabar(QPainter& p) {
  QPainterPath disco;
  disco.moveTo(1.4, 1.4);
  disco.lineTo(12.6, 1.4);
  disco.lineTo(14.6, 3.4);
  disco.lineTo(14.6, 14.6);
  disco.lineTo(1.4, 14.6);
  disco.closeSubpath();
  p.setPen(Lapiz(QColor(0x14, 0x3C, 0x78), 0.8));
  p.setBrush(Vertical(QRectF(1, 1, 14, 14), QColor(0x4E, 0x8E, 0xE0), QColor(0x1F, 0x4E, 0x9C)));
  p.drawPath(disco);
  p.setPen(Lapiz(QColor(0x6B, 0x6B, 0x6B), 0.5));
  p.setBrush(Vertical(QRectF(4, 1.4, 8, 4.6), QColor(0xE8, 0xEC, 0xF0), QColor(0xA8, 0xB2, 0xBE)));
  p.drawRect(QRectF(4.0, 1.4, 7.6, 4.6));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1F, 0x4E, 0x9C));
  p.drawRect(QRectF(8.8, 2.2, 1.6, 3.0));
  p.setPen(Lapiz(QColor(0x9A, 0xA8, 0xBA), 0.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.2, 8.2, 9.6, 6.4));
  p.setPen(Lapiz(QColor(0x9A, 0xA8, 0xBA), 0.6));
  p.drawLine(QPointF(4.6, 10.4), QPointF(11.4, 10.4));
  p.drawLine(QPointF(4.6, 12.4), QPointF(11.4, 12.4));
}

void Cerrar(QPainter& p) {
  p.setPen(Lapiz(QColor(0x5A, 0x3A, 0x1A), 0.8));
  p.setBrush(QColor(0x4A, 0x4A, 0x4A));
  p.drawRect(QRectF(1.6, 1.0, 8.4, 14.2));
  QPainterPath puerta;
  puerta.moveTo(1.6, 1.0);
  puerta.lineTo(7.6, 2.6);
  puerta.lineTo(7.6, 15.8);
  puerta.lineTo(1.6, 15.2);
  puerta.closeSubpath();
  p.setBrush(Vertical(QRectF(1, 1, 7, 15), QColor(0xD8, 0x96, 0x4E), QColor(0x9A, 0x58, 0x1C)));
  p.drawPath(puerta);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xD8, 0x4D));
  p.drawEllipse(QPointF(6.4, 9.0), 0.7, 0.7);
  QPainterPath flecha;
  flecha.moveTo(8.6, 7.0);
  flecha.lineTo(11.6, 7.0);
  flecha.lineTo(11.6, 4.8);
  flecha.lineTo(15.4, 8.4);
  flecha.lineTo(11.6, 12.0);
  flecha.lineTo(11.6, 9.8);
  flecha.lineTo(8.6, 9.8);
  flecha.closeSubpath();
  p.setPen(Lapiz(QColor(0x1E, 0x6E, 0x1E), 0.7));
  p.setBrush(Vertical(QRectF(8, 4, 8, 8), QColor(0x8E, 0xE0, 0x7A), QColor(0x2E, 0x9B, 0x2E)));
  p.drawPath(flecha);
}

}  // namespace pintura
