// The button bar: key words, enabled flags as properties, Click only for
// enabled buttons, the function keys of EnviaTecla and the StyleBar look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include "platform/controles/plexatol.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/teclas.h"

namespace {

const char* const kBanderas[] = {"nuevoenabled",    "borrarenabled",   "reporteenabled", "consultaenabled",
                                 "planillaenabled", "cancelarenabled", "grabarenabled",  "cerrarenabled"};

// A window like the main one: key preview on, every key handed to the bar.
class VentanaConBarra : public Form {
 public:
  VentanaConBarra() : Form("FrmPrueba") {
    SetKeyPreview(true);
    barra = new Plexatol(this, "Plexatol1");
    PosicionTwips(barra, 0, 0, 8415, 615);
    caja = new TextBox(this, "txtFields", 0);
    PosicionTwips(caja, 2040, 900, 1000, 285);
    caja->KeyDown = [this](int& KeyCode, int) { tecleadasEnCaja.push_back(KeyCode); };
    barra->Click = [this](const QString& Boton) { pulsados << Boton; };
  }
  Plexatol* barra;
  TextBox* caja;
  QStringList pulsados;
  std::vector<int> tecleadasEnCaja;

 protected:
  void Form_KeyDown(int& KeyCode, int) override { barra->EnviaTecla(KeyCode); }
};

}  // namespace

TEST(Plexatol, TheEightButtonsStartDisabledAndFollowTheirFlags) {
  Plexatol barra(nullptr, "Plexatol1");
  EXPECT_EQ(barra.objectName(), "Plexatol1");
  EXPECT_EQ(Plexatol::Claves(), QStringList({"NUEVO", "BORRAR", "REPORTE", "CONSULTAR", "PLANILLA", "CANCELAR",
                                              "GRABAR", "CERRAR"}));
  for (const char* bandera : kBanderas) {
    const QVariant v = barra.property(bandera);
    ASSERT_TRUE(v.isValid()) << bandera;
    EXPECT_FALSE(v.toBool()) << bandera;
  }
  for (const QString& clave : Plexatol::Claves()) {
    ASSERT_NE(barra.Boton(clave), nullptr);
    EXPECT_FALSE(barra.Boton(clave)->isEnabled()) << clave.toStdString();
    EXPECT_FALSE(barra.Boton(clave)->icon().isNull());
    EXPECT_FALSE(barra.Boton(clave)->toolTip().isEmpty());
  }
  EXPECT_TRUE(barra.setProperty("grabarenabled", true));
  EXPECT_TRUE(barra.grabarenabled());
  EXPECT_TRUE(barra.Boton("GRABAR")->isEnabled());
  barra.setConsultaenabled(true);
  EXPECT_TRUE(barra.property("consultaenabled").toBool());
  EXPECT_TRUE(barra.Boton("consultar")->isEnabled());
  EXPECT_FALSE(barra.Boton("CERRAR")->isEnabled());
  EXPECT_EQ(barra.Boton("GRABAR")->text(), "Grabar");
  EXPECT_EQ(barra.Boton("CONSULTAR")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

TEST(Plexatol, ClickHandsTheKeyWordOfAnEnabledButtonOnly) {
  Plexatol barra;
  barra.show();
  QStringList pulsados;
  barra.Click = [&](const QString& Boton) { pulsados << Boton; };
  QTest::mouseClick(barra.Boton("GRABAR"), Qt::LeftButton);
  EXPECT_TRUE(pulsados.isEmpty());
  barra.setGrabarenabled(true);
  barra.setCerrarenabled(true);
  QTest::mouseClick(barra.Boton("GRABAR"), Qt::LeftButton);
  QTest::mouseClick(barra.Boton("CERRAR"), Qt::LeftButton);
  QTest::mouseClick(barra.Boton("NUEVO"), Qt::LeftButton);
  EXPECT_EQ(pulsados, QStringList({"GRABAR", "CERRAR"}));
  barra.setGrabarenabled(false);
  QTest::mouseClick(barra.Boton("GRABAR"), Qt::LeftButton);
  EXPECT_EQ(pulsados.size(), 2);
}

TEST(Plexatol, EnviaTeclaPressesTheEnabledButtonOfAFunctionKeyAndConsumesIt) {
  Plexatol barra;
  QStringList pulsados;
  barra.Click = [&](const QString& Boton) { pulsados << Boton; };
  int tecla = vbkey::F2;
  barra.EnviaTecla(tecla);
  EXPECT_EQ(tecla, vbkey::F2);  // disabled: the key goes on untouched
  EXPECT_TRUE(pulsados.isEmpty());
  for (const char* bandera : kBanderas) barra.setProperty(bandera, true);
  const std::vector<std::pair<int, QString>> mapa = {
      {vbkey::F2, "GRABAR"},    {vbkey::F3, "NUEVO"},     {vbkey::F4, "BORRAR"},        {vbkey::F5, "CONSULTAR"},
      {vbkey::F6, "PLANILLA"},  {vbkey::F7, "REPORTE"},   {vbkey::Escape, "CANCELAR"}, {vbkey::F10, "CERRAR"}};
  for (const auto& [codigo, clave] : mapa) {
    int t = codigo;
    barra.EnviaTecla(t);
    EXPECT_EQ(t, 0) << clave.toStdString();
    ASSERT_FALSE(pulsados.isEmpty()) << clave.toStdString();
    EXPECT_EQ(pulsados.last(), clave);
    EXPECT_EQ(Plexatol::TeclaDe(clave), codigo);
  }
  EXPECT_EQ(pulsados.size(), 8);
  // Keys without a button pass through.
  for (int codigo : {int('A'), int(vbkey::Return), int(vbkey::F9), int(vbkey::Down)}) {
    int t = codigo;
    barra.EnviaTecla(t);
    EXPECT_EQ(t, codigo);
  }
  EXPECT_EQ(pulsados.size(), 8);
}

TEST(Plexatol, StyleBarIsSetByPropertyNameAndChoosesRaisedOrFlatButtons) {
  Plexatol barra;
  EXPECT_EQ(barra.StyleBar(), 1.0);
  EXPECT_TRUE(barra.Boton("GRABAR")->autoRaise());
  ASSERT_GE(barra.metaObject()->indexOfProperty("StyleBar"), 0);
  EXPECT_TRUE(barra.setProperty("StyleBar", 0.0));
  EXPECT_EQ(barra.property("StyleBar").toDouble(), 0.0);
  for (const QString& clave : Plexatol::Claves()) EXPECT_FALSE(barra.Boton(clave)->autoRaise());
  EXPECT_TRUE(barra.setProperty("StyleBar", 1));
  for (const QString& clave : Plexatol::Claves()) EXPECT_TRUE(barra.Boton(clave)->autoRaise());
}

TEST(Plexatol, TheWindowsKeyPreviewReachesTheBarBeforeTheFocusedBox) {
  VentanaConBarra v;
  v.Show();
  QApplication::setActiveWindow(&v);
  v.caja->setFocus();
  QTest::keyClick(v.caja, Qt::Key_F5);
  EXPECT_TRUE(v.pulsados.isEmpty());
  EXPECT_EQ(v.tecleadasEnCaja, std::vector<int>{vbkey::F5});  // the look-up was off: the box saw it
  v.barra->setConsultaenabled(true);
  QTest::keyClick(v.caja, Qt::Key_F5);
  EXPECT_EQ(v.pulsados, QStringList({"CONSULTAR"}));
  EXPECT_EQ(v.tecleadasEnCaja.size(), 1u);  // taken by the bar
  QTest::keyClick(v.caja, Qt::Key_A);
  EXPECT_EQ(v.caja->text(), "a");
  v.Hide();
}
