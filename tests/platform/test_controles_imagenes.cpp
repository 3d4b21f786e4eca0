// Image lists: 1-based images with keys and tags, and the design-time lists
// of the approval window, the voucher pick list and the lot dialogs.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/controles/imagelist.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "support/errores.h"

namespace {

QImage Dibujo(const ImageList& il, int i, int lado = 16) {
  return il.ListImages()(i).Picture.pixmap(lado, lado).toImage().convertToFormat(QImage::Format_ARGB32);
}

int PixelesVisibles(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 128;
  return n;
}

// Pixels whose red clearly dominates.
int PixelesRojos(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      n += c.alpha() > 128 && c.red() > 150 && c.green() < 90 && c.blue() < 90;
    }
  return n;
}

// The image index a voucher type finds, falling back to "Generico".
int IndiceImagen(const ImageList& il, const QString& tc) {
  const int i = il.IndiceDeTag(tc);
  return i != 0 ? i : il.IndiceDeTag("Generico");
}

}  // namespace

TEST(ImageList, ImagesAreNumberedFromOneWithKeysAndTags) {
  ImageList il;
  EXPECT_EQ(il.ImageWidth(), 16);
  EXPECT_EQ(il.ImageHeight(), 16);
  QPixmap rojo(16, 16);
  rojo.fill(Qt::red);
  QPixmap azul(16, 16);
  azul.fill(Qt::blue);
  ListImage& a = il.ListImages().Add(QIcon(rojo), "uno", "R");
  il.ListImages().Add(QIcon(azul), QString(), "B");
  EXPECT_EQ(a.Index, 1);
  EXPECT_EQ(il.ListImages().Count(), 2);
  EXPECT_EQ(il.ListImages()(2).Tag, "B");
  EXPECT_EQ(il.ListImages()("UNO").Index, 1);
  EXPECT_EQ(il.IndiceDeTag(" b "), 2);
  EXPECT_EQ(il.IndiceDeTag("x"), 0);
  EXPECT_EQ(il.Icono(2).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
  EXPECT_TRUE(il.Icono(0).isNull());
  EXPECT_TRUE(il.Icono(3).isNull());
  EXPECT_EQ(NumeroDeError([&] { il.ListImages()(0); }), 35600);
  EXPECT_EQ(NumeroDeError([&] { il.ListImages()(3); }), 35600);
  EXPECT_EQ(NumeroDeError([&] { il.ListImages()("dos"); }), 35601);
  EXPECT_EQ(NumeroDeError([&] { il.ListImages().Add(QIcon(azul), "Uno"); }), 35602);
  il.ListImages().Remove(1);
  EXPECT_EQ(il.ListImages()(1).Tag, "B");
  EXPECT_EQ(il.ListImages()(1).Index, 1);
}

TEST(ImageList, TheApprovalListHasSixPicturesTheFirstARedTick) {
  QObject dueno;
  ImageList* il = CreaImagenesAprobacion(&dueno);
  ASSERT_EQ(il->ListImages().Count(), 6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_GT(PixelesVisibles(Dibujo(*il, i)), 20) << i;
    for (int j = 1; j < i; ++j) EXPECT_NE(Dibujo(*il, i), Dibujo(*il, j)) << i << " " << j;
  }
  // Image 1 is a red tick: red is most of what it draws.
  const QImage tilde = Dibujo(*il, 1, 32);
  EXPECT_GT(PixelesRojos(tilde) * 2, PixelesVisibles(tilde));
  // Image 6, the calendar leaf, is mostly not red.
  const QImage calendario = Dibujo(*il, 6, 32);
  EXPECT_LT(PixelesRojos(calendario) * 3, PixelesVisibles(calendario));
  // Disabled, the tick is the style's grey of the same picture.
  const QImage gris = il->ListImages()(1).Picture.pixmap(QSize(32, 32), QIcon::Disabled).toImage();
  EXPECT_EQ(PixelesRojos(gris), 0);
  EXPECT_GT(PixelesVisibles(gris) * 2, PixelesVisibles(tilde));
}

TEST(ImageList, TheVoucherListIsFoundByTagWithTheGenericFallback) {
  ImageList* il = CreaImagenesComprobantes(nullptr);
  ASSERT_EQ(il->ListImages().Count(), 11);
  const QStringList tags = {"PR", "Anulado", "Aprobado", "FC", "NC", "ND", "OT", "Generico", "T3", "OC", "OCG"};
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(il->ListImages()(i).Tag, tags[i - 1]);
  EXPECT_EQ(IndiceImagen(*il, "OT"), 7);
  EXPECT_EQ(IndiceImagen(*il, "fc"), 4);
  EXPECT_EQ(IndiceImagen(*il, "ANULADO"), 2);
  EXPECT_EQ(IndiceImagen(*il, "OCG"), 11);
  EXPECT_EQ(IndiceImagen(*il, "RM"), 8);
  EXPECT_EQ(IndiceImagen(*il, "NCPE"), 8);
  for (int i = 1; i <= 11; ++i) EXPECT_GT(PixelesVisibles(Dibujo(*il, i)), 20) << i;
  delete il;
}

TEST(ImageList, TheFillButtonsHaveThreePictures) {
  ImageList* il = CreaImagenesRelleno(nullptr);
  ASSERT_EQ(il->ListImages().Count(), 3);
  EXPECT_EQ(il->ListImages()("PROPONER").Index, 3);
  EXPECT_NE(Dibujo(*il, 1), Dibujo(*il, 2));
  delete il;
}
