// The small controls: rich text box, command buttons with Cancel, search
// combo, scroll bar, status bar panels, tab control, picture box, label,
// frame and tool bar.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "platform/cls_campos.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/frame.h"
#include "platform/controles/hscrollbar.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/label.h"
#include "platform/controles/picturebox.h"
#include "platform/controles/richtextbox.h"
#include "platform/controles/sstab.h"
#include "platform/controles/statusbar.h"
#include "platform/controles/textbox.h"
#include "platform/controles/toolbar.h"
#include "platform/teclas.h"
#include "platform/vb_error.h"
#include "support/errores.h"

namespace {

class Ventana : public ::testing::Test {
 protected:
  void SetUp() override {
    ventana.resize(600, 400);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
  }
  QWidget ventana;
};

}  // namespace

TEST_F(Ventana, RichTextBoxKeepsLineBreaksAsTheDatabaseStoresThem) {
  auto* rtf = new RichTextBox(&ventana, "txtRtf");
  rtf->show();
  int cambios = 0;
  rtf->Change = [&] { ++cambios; };
  rtf->SetText("Primera línea\r\nSegunda");
  EXPECT_EQ(rtf->Text(), "Primera línea\r\nSegunda");
  EXPECT_EQ(rtf->toPlainText(), "Primera línea\nSegunda");
  EXPECT_EQ(cambios, 1);
  rtf->SetSelStart(8);
  rtf->SetSelLength(5);
  EXPECT_EQ(rtf->SelStart(), 8);
  EXPECT_EQ(rtf->SelLength(), 5);
  EXPECT_EQ(rtf->SelText(), "línea");
  rtf->SetMaxLength(7);
  EXPECT_EQ(rtf->Text(), "Primera");
  rtf->SetMaxLength(0);
  rtf->SetLocked(true);
  rtf->setFocus();
  QTest::keyClicks(rtf, "xyz");
  EXPECT_EQ(rtf->Text(), "Primera");
  rtf->SetLocked(false);
  rtf->SetSelStart(7);
  rtf->KeyPress = [](int& KeyAscii) {
    if (KeyAscii == 'z') KeyAscii = 0;
  };
  QTest::keyClicks(rtf, "xyz");
  EXPECT_EQ(rtf->Text(), "Primeraxy");
}

// Lines break between words; a stored text holding a stretch with nowhere
// to break it longer than the box breaks by words in good time (a word of a
// megabyte took a minute) breaks anywhere, as it is set or pasted. Either
// way the whole text is kept as it came, no-break spaces included.
TEST_F(Ventana, RichTextBoxBreaksALongUnbrokenStretchAnywhere) {
  // The text repeated up to that many characters.
  const auto repite = [](const QString& base, int largo) { return base.repeated(largo / base.size() + 1).left(largo); };
  const int largo = RichTextBox::kTramoPorPalabras;
  const struct {
    const char* caso;
    QString texto;
    bool pegado;
    QTextOption::WrapMode corte;
  } casos[] = {
      {"words", repite("Usar filtros originales. ", 100000), false, QTextOption::WrapAtWordBoundaryOrAnywhere},
      {"one word of 200,000 letters", QString(200000, u'x'), false, QTextOption::WrapAnywhere},
      {"words joined by no-break spaces", repite("filtro\u00A0", largo + 1), false, QTextOption::WrapAnywhere},
      // A stretch counts the blank or line break that ends it.
      {"a word just short enough", "Llamar antes\r\n" + QString(largo - 1, u'x') + " fin", false,
       QTextOption::WrapAtWordBoundaryOrAnywhere},
      {"a word one letter longer", "Llamar antes\r\n" + QString(largo, u'x') + " fin", false,
       QTextOption::WrapAnywhere},
      {"lines of a short word each", repite(QString(largo - 2, u'x') + "\r\n", 100000), false,
       QTextOption::WrapAtWordBoundaryOrAnywhere},
      {"words again", "Usar filtros originales", false, QTextOption::WrapAtWordBoundaryOrAnywhere},
      {"a long word pasted", "Usar " + QString(200000, u'y'), true, QTextOption::WrapAnywhere},
  };
  auto* rtf = new RichTextBox(&ventana, "txtRtf");
  rtf->resize(440, 160);
  rtf->show();
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    if (c.pegado) {
      rtf->SetText("Usar ");
      rtf->SetSelStart(5);
      rtf->SetSelLength(0);
      QApplication::clipboard()->setText(c.texto.mid(5));
      rtf->paste();
    } else {
      rtf->SetText(c.texto);
    }
    QApplication::processEvents();
    EXPECT_EQ(rtf->wordWrapMode(), c.corte);
    EXPECT_EQ(rtf->Text(), c.texto);
  }
}

TEST_F(Ventana, CommandButtonsAnswerClicksAndEnter) {
  auto* boton = new CommandButton(&ventana, "&Aceptar", "CmdAceptar");
  boton->show();
  int clics = 0;
  boton->Click = [&] { ++clics; };
  EXPECT_EQ(boton->Caption(), "&Aceptar");
  QTest::mouseClick(boton, Qt::LeftButton);
  EXPECT_EQ(clics, 1);
  boton->setFocus();
  QTest::keyClick(boton, Qt::Key_Return);
  EXPECT_EQ(clics, 2);
  boton->setEnabled(false);
  QTest::mouseClick(boton, Qt::LeftButton);
  EXPECT_EQ(clics, 2);
}

TEST_F(Ventana, TheCancelButtonTakesEscapeNoControlTook) {
  auto* aceptar = new CommandButton(&ventana, "&Aceptar");
  auto* cancelar = new CommandButton(&ventana, "&Cancelar");
  auto* caja = new TextBox(&ventana, "txt");
  for (QWidget* w : {static_cast<QWidget*>(aceptar), static_cast<QWidget*>(cancelar), static_cast<QWidget*>(caja)})
    w->show();
  int aceptados = 0, cancelados = 0;
  aceptar->Click = [&] { ++aceptados; };
  cancelar->Click = [&] { ++cancelados; };
  caja->setFocus();
  QTest::keyClick(caja, Qt::Key_Escape);
  EXPECT_EQ(cancelados, 0);  // no Cancel button yet
  cancelar->SetCancel(true);
  QTest::keyClick(caja, Qt::Key_Escape);
  EXPECT_EQ(cancelados, 1);
  // Enter presses no button: the text box takes it itself (it moves on to
  // the next field), and no button is the window's default.
  QTest::keyClick(caja, Qt::Key_Return);
  QTest::keyClick(&ventana, Qt::Key_Return);
  EXPECT_EQ(aceptados, 0);
  cancelar->setEnabled(false);
  QTest::keyClick(&ventana, Qt::Key_Escape);
  EXPECT_EQ(cancelados, 1);
}

// Enter moves on from the field it was pressed in to the next control of
// the window's tab order that takes the focus, also while the window is not
// the active one (a dialog just closed, the window manager not yet done
// giving the focus back): the window's focus goes there, and is there when
// the window is active again.
TEST_F(Ventana, EnterMovesOnFromTheFieldItself) {
  auto* primera = new TextBox(&ventana, "txtFields", 0);
  auto* apagada = new TextBox(&ventana, "txtFields", 1);
  auto* oculta = new TextBox(&ventana, "txtFields", 2);
  auto* etiqueta = new Label(&ventana, "Etiqueta");
  auto* ultima = new TextBox(&ventana, "txtFields", 3);
  for (QWidget* w : std::initializer_list<QWidget*>{primera, apagada, etiqueta, ultima}) w->show();
  apagada->setEnabled(false);
  QWidget otra;
  auto* suya = new QLineEdit(&otra);
  otra.show();
  enum Activa { Esta, Ninguna, Otra };
  const struct {
    const char* caso;
    Activa activa;
    QWidget* desde;
    QWidget* hacia;
  } casos[] = {
      {"over a disabled box, a hidden one and a label", Esta, primera, ultima},
      {"from the last control round to the first", Esta, ultima, primera},
      {"while no window is active", Ninguna, primera, ultima},
      {"while another window is active", Otra, primera, ultima},
  };
  for (const auto& c : casos) {
    QApplication::setActiveWindow(&ventana);
    c.desde->setFocus();
    if (c.activa == Ninguna) QApplication::setActiveWindow(nullptr);
    if (c.activa == Otra) {
      QApplication::setActiveWindow(&otra);
      suya->setFocus();
    }
    gCampos.AvanzaCampo(vbkey::Return, c.desde);
    EXPECT_EQ(ventana.focusWidget(), c.hacia) << c.caso;
    if (c.activa == Otra) {
      EXPECT_EQ(otra.focusWidget(), suya) << c.caso;  // the other window's own stays
    }
    QApplication::setActiveWindow(&ventana);
    EXPECT_EQ(QApplication::focusWidget(), c.hacia) << c.caso;
  }
  EXPECT_FALSE(oculta->hasFocus());
}

TEST_F(Ventana, SearchComboRaisesChangeClickAndKeys) {
  auto* cmb = new ComboBox(&ventana, "CmbSearch", 1);
  cmb->show();
  EXPECT_EQ(cmb->Index, 1);
  QStringList textos;
  cmb->Change = [&] { textos << cmb->Text(); };
  std::vector<int> codigos;
  cmb->KeyDown = [&](int& KeyCode, int) {
    codigos.push_back(KeyCode);
    if (KeyCode == 116) KeyCode = 0;
  };
  cmb->setFocus();
  QTest::keyClicks(cmb, "ga");
  EXPECT_EQ(cmb->Text(), "ga");
  EXPECT_EQ(textos, QStringList({"g", "ga"}));
  QTest::keyClick(cmb, Qt::Key_F5);
  EXPECT_EQ(codigos, (std::vector<int>{'G', 'A', 116}));
  // Text set from code runs Change too.
  cmb->SetText("PEREZ");
  ASSERT_FALSE(textos.isEmpty());
  EXPECT_EQ(textos.last(), "PEREZ");
  cmb->KeyPress = [](int& KeyAscii) {
    if (KeyAscii == '1') KeyAscii = 0;
  };
  QTest::keyClicks(cmb, "X1");
  EXPECT_EQ(cmb->Text(), "PEREZX");
  int clics = 0;
  cmb->Click = [&] { ++clics; };
  cmb->AddItem("uno");
  cmb->AddItem("dos");
  EXPECT_EQ(cmb->ListCount(), 2);
  emit cmb->activated(1);
  EXPECT_EQ(clics, 1);
  cmb->SetListIndex(1);
  EXPECT_EQ(cmb->ListIndex(), 1);
  EXPECT_EQ(cmb->Text(), "dos");
}

TEST_F(Ventana, ScrollBarRaisesChangeForEveryValue) {
  HScrollBar barra(&ventana, "HScroll1");
  barra.SetMax(1000);
  std::vector<int> valores;
  barra.Change = [&] { valores.push_back(barra.Value()); };
  barra.SetValue(300);
  barra.setFocus();
  barra.SetSmallChange(10);
  barra.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(valores, (std::vector<int>{300, 310}));
  EXPECT_EQ(barra.Min(), 0);
  EXPECT_EQ(barra.Max(), 1000);
}

TEST_F(Ventana, StatusBarPanelsAreNumberedFromOneWithKeys) {
  StatusBar barra(&ventana, "StatusBar1");
  for (int i = 1; i <= 4; ++i) barra.Panels().Add(i == 3 ? "Stock" : QString());
  EXPECT_EQ(barra.Panels().Count(), 4);
  barra.Panels()(4)->SetText("T01 - Pintura");
  barra.Panels()("stock")->SetText("Stock: 12");
  EXPECT_EQ(barra.Panels()(4)->Text(), "T01 - Pintura");
  EXPECT_EQ(barra.Panels()(3)->Text(), "Stock: 12");
  EXPECT_EQ(barra.Panels()(3)->Key, "Stock");
  EXPECT_EQ(barra.Panels()(2)->Index(), 2);
  EXPECT_EQ(NumeroDeError([&] { barra.Panels()(5); }), 35600);
  EXPECT_EQ(NumeroDeError([&] { barra.Panels()("Otro"); }), 35601);
}

TEST_F(Ventana, TabControlTabsHaveCaptionsAndVisibility) {
  SSTab tab(&ventana, "SSTab1");
  tab.AgregaPestana("Tareas");
  tab.AgregaPestana("Artículos");
  tab.AgregaPestana("Otros Conceptos");
  EXPECT_EQ(tab.Tabs(), 3);
  EXPECT_EQ(tab.TabCaption(1), "Artículos");
  EXPECT_TRUE(tab.TabVisible(2));
  tab.SetTabVisible(0, false);
  EXPECT_FALSE(tab.TabVisible(0));
  tab.SetTabCaption(2, "Conceptos");
  EXPECT_EQ(tab.TabCaption(2), "Conceptos");
  EXPECT_EQ(NumeroDeError([&] { tab.TabVisible(3); }), 381);
  int previa = -1;
  tab.Click = [&](int PreviousTab) { previa = PreviousTab; };
  tab.SetTab(2);
  tab.SetTab(1);
  EXPECT_EQ(previa, 2);
}

TEST_F(Ventana, ContainersLabelsAndFramesKeepTheirTexts) {
  auto* pic = new PictureBox(&ventana, "picFields");
  pic->setGeometry(0, 0, 300, 100);
  pic->SetLeft(-600);
  EXPECT_EQ(pic->Left(), -600);
  EXPECT_EQ(pic->x(), -40);
  pic->SetWidth(3000);
  EXPECT_EQ(pic->Width(), 3000);
  Label etiqueta(&ventana, "Técnico & Desde");
  EXPECT_EQ(etiqueta.Caption(), "Técnico & Desde");
  etiqueta.SetAlignment(1);
  EXPECT_EQ(etiqueta.Alignment(), 1);
  Frame marco(&ventana, QString(), "Frame1");
  EXPECT_EQ(marco.Caption(), "");
  EXPECT_EQ(marco.objectName(), "Frame1");
}

TEST_F(Ventana, ToolbarButtonsAreNumberedAndRaiseButtonClick) {
  auto* barra = new Toolbar(&ventana, "Toolbar1");
  barra->SetImageList(CreaImagenesRelleno(barra));
  barra->Buttons().Add("LLENAR", QString(), 1, "Llenar las demas celdas con el valor de las seleccionadas");
  barra->Buttons().Add("BLANQUEAR", QString(), 2, "Blanquear las Celdas a partir de la celda seleccionada");
  barra->show();
  std::vector<int> pulsados;
  barra->ButtonClick = [&](ToolbarButton* Button) { pulsados.push_back(Button->Index()); };
  auto* boton = qobject_cast<QToolButton*>(barra->widgetForAction(barra->Buttons()(2)->Accion()));
  ASSERT_NE(boton, nullptr);
  EXPECT_FALSE(boton->icon().isNull());
  EXPECT_EQ(boton->toolTip(), "Blanquear las Celdas a partir de la celda seleccionada");
  // A click on the bar does not take the focus from a box being edited.
  auto* caja = new TextBox(&ventana, "TxtEdit");
  caja->show();
  caja->setFocus();
  QTest::mouseClick(boton, Qt::LeftButton);
  EXPECT_EQ(pulsados, std::vector<int>{2});
  EXPECT_TRUE(caja->hasFocus());
  EXPECT_EQ(barra->Buttons()("llenar")->Index(), 1);
  EXPECT_EQ(NumeroDeError([&] { barra->Buttons()(3); }), 35600);
}
