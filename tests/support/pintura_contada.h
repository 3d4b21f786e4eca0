#pragma once
// A paint device that shows nothing and counts the characters of text a
// widget hands it while it paints: how much text it lays out for a paint.
//
//   PinturaContada p(grid->size());
//   grid->render(&p);
//   EXPECT_LT(p.Caracteres(), 10000);
#include <QPaintDevice>
#include <QSize>
#include <memory>

class QPaintEngine;

class PinturaContada : public QPaintDevice {
 public:
  explicit PinturaContada(QSize tamano);
  ~PinturaContada() override;
  long Caracteres() const;
  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric m) const override;

 private:
  class Motor;
  std::unique_ptr<Motor> motor_;
  QSize tamano_;
};
