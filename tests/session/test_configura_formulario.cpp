// The common form set-up: icon, window style and button-bar style.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "platform/form.h"
#include "platform/iconos.h"
#include "session/mod_global.h"
#include "support/entorno.h"

namespace {

// A stand-in bar with the style property the set-up writes.
class BarraPrueba : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double StyleBar MEMBER estilo)

 public:
  using QWidget::QWidget;
  double estilo = -1;
};

QImage Imagen(const QIcon& i) { return i.pixmap(16, 16).toImage(); }

}  // namespace

TEST_F(ConEntorno, FormGetsTheIconNamedInTheIniAndTheBarStyle) {
  e.EscribeArchivo("CN000pr.INI", "[Iconos]\nIconoDelSistema=stock\n[PUESTO1|ANA]\nFlatToolbars=0\n");
  e.CreaBase();
  e.Inicia();
  Form f("FrmPrueba");
  auto* b1 = new BarraPrueba(&f);
  b1->setObjectName("Plexatol1");
  auto* b2 = new BarraPrueba(&f);
  b2->setObjectName("util0011");
  auto* otra = new BarraPrueba(&f);
  otra->setObjectName("Otra");
  ConfiguraFormulario(&f);
  EXPECT_EQ(Imagen(f.windowIcon()), Imagen(IconoRecurso("STOCK")));
  EXPECT_EQ(b1->estilo, 0.0);
  EXPECT_EQ(b2->estilo, 0.0);
  EXPECT_EQ(otra->estilo, -1.0);
}

TEST_F(ConEntorno, WithoutIconSectionTheProgramIconIsUsedAndBarsAreFlat) {
  e.CreaBase();
  e.Inicia();
  Form f("FrmPrueba");
  auto* b = new BarraPrueba(&f);
  b->setObjectName("TBarRep1");
  ConfiguraFormulario(&f);
  EXPECT_EQ(Imagen(f.windowIcon()), Imagen(IconoRecurso("ROVIROVAROZIV")));
  EXPECT_EQ(b->estilo, 1.0);
}

TEST_F(ConEntorno, UnknownIconFallsBackToTheIconFileOfTheCurrentFolder) {
  e.EscribeArchivo("CN000pr.INI", "[Iconos]\nIconoDelSistema=NOEXISTE\n");
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::red);
  ASSERT_TRUE(img.save(e.Ruta("brelvix.ico"), "ICO"));
  const QString anterior = QDir::currentPath();
  QDir::setCurrent(e.Carpeta());
  Form conIcono("FrmPrueba");
  ConfiguraFormulario(&conIcono);
  EXPECT_FALSE(conIcono.windowIcon().isNull());
  EXPECT_EQ(conIcono.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
  // A form with its own icon keeps it.
  Form propio("FrmPrueba");
  propio.setWindowIcon(IconoRecurso("VENTAS"));
  ConfiguraFormulario(&propio);
  EXPECT_EQ(Imagen(propio.windowIcon()), Imagen(IconoRecurso("VENTAS")));
  QDir::setCurrent(anterior);
  // Without the file there is no icon and no message.
  Form sinIcono("FrmPrueba");
  ConfiguraFormulario(&sinIcono);
  EXPECT_FALSE(sinIcono.testAttribute(Qt::WA_SetWindowIcon));
  EXPECT_EQ(e.ui().llamadas.size(), 0u);
}

TEST_F(ConEntorno, MdiFrameGetsTheIconButNeitherStyleNorBar) {
  gFlatToolbars = 0;
  Form f("frmMDI");
  auto* b = new BarraPrueba(&f);
  b->setObjectName("Plexatol1");
  ConfiguraFormulario(&f);
  EXPECT_EQ(Imagen(f.windowIcon()), Imagen(IconoRecurso("ROVIROVAROZIV")));
  EXPECT_EQ(b->estilo, -1.0);
  EXPECT_FALSE(f.autoFillBackground());
}

#include "test_configura_formulario.moc"
