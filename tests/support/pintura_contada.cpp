#include "support/pintura_contada.h"

#include <QPaintEngine>

class PinturaContada::Motor : public QPaintEngine {
 public:
  Motor() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawTextItem(const QPointF&, const QTextItem& texto) override { caracteres += texto.text().size(); }
  Type type() const override { return QPaintEngine::User; }
  long caracteres = 0;
};

PinturaContada::PinturaContada(QSize tamano) : motor_(std::make_unique<Motor>()), tamano_(tamano) {}

PinturaContada::~PinturaContada() = default;

long PinturaContada::Caracteres() const { return motor_->caracteres; }

QPaintEngine* PinturaContada::paintEngine() const { return motor_.get(); }

int PinturaContada::metric(PaintDeviceMetric m) const {
  switch (m) {
    case PdmWidth: return tamano_.width();
    case PdmHeight: return tamano_.height();
    case PdmWidthMM: return tamano_.width() * 254 / 960;
    case PdmHeightMM: return tamano_.height() * 254 / 960;
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(m);
  }
}
