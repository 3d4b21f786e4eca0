// The list view: columns, lines with keys, sub-items, icons and check
// boxes, sorting by a column, the events the forms handle (clicks, keys,
// label edits) and loading 100,000 lines at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "platform/controles/imagelist.h"
#include "platform/controles/listview.h"
#include "platform/form.h"
#include "platform/vb_error.h"
#include "support/errores.h"

namespace {

class Lista : public ::testing::Test {
 protected:
  void SetUp() override {
    ventana.resize(700, 400);
    lista = new ListView(&ventana, "ListView1");
    lista->setGeometry(0, 0, 680, 380);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
  }

  // Six columns and three reports, the way the approval window lists them.
  void LlenaReportes() {
    for (const char* c : {"Fecha", "IdDiario", "Orden de Trabajo", "Id", "Técnico", "Controlado por"})
      lista->ColumnHeaders().Add(c, 1200);
    lista->SetCheckboxes(true);
    lista->SetSmallIcons(imagenes);
    Agrega("03/05/2024", "7", "ana", 6, false);
    Agrega("01/05/2024", "9", "", 6, false);
    Agrega("02/05/2024", "11", "Perez", 1, true);
  }

  ListItem* Agrega(const QString& fecha, const QString& id, const QString& controlado, int icono, bool marcado) {
    ListItem* it = lista->ListItems().Add(fecha, "D" + id, icono);
    it->SetSubItems(1, id);
    it->SetSubItems(5, controlado);
    it->SetChecked(marcado);
    return it;
  }

  QPoint CentroDe(ListItem* it, int columna = 1) {
    return lista->visualItemRect(it).center() + QPoint(lista->header()->sectionPosition(columna) -
                                                           lista->visualItemRect(it).center().x() + 10,
                                                       0);
  }

  QWidget ventana;
  ListView* lista = nullptr;
  ImageList* imagenes = CreaImagenesAprobacion(&ventana);
};

}  // namespace

TEST_F(Lista, ColumnHeadersHaveCaptionsWidthsInTwipsAndPositions) {
  ColumnHeader* fecha = lista->ColumnHeaders().Add("Fecha", 1950);
  ColumnHeader* id = lista->ColumnHeaders().Add("IdDiario", 1050, lvw::ColumnRight);
  EXPECT_EQ(lista->ColumnHeaders().Count(), 2);
  EXPECT_EQ(fecha->Index(), 1);
  EXPECT_EQ(id->Index(), 2);
  EXPECT_EQ(fecha->Width(), 1950);
  EXPECT_EQ(id->Left(), 1950);
  EXPECT_EQ(lista->model()->headerData(1, Qt::Horizontal).toString(), "IdDiario");
  EXPECT_EQ(lista->ColumnHeaders()(2)->Alignment(), lvw::ColumnRight);
  id->SetWidth(600);
  EXPECT_EQ(lista->ColumnHeaders()(2)->Width(), 600);
  // The first column always stays left-aligned.
  fecha->SetAlignment(lvw::ColumnCenter);
  EXPECT_EQ(fecha->Alignment(), lvw::ColumnLeft);
  EXPECT_EQ(NumeroDeError([&] { lista->ColumnHeaders()(3); }), 35600);
  lista->ColumnHeaders().Clear();
  EXPECT_EQ(lista->ColumnHeaders().Count(), 0);
}

TEST_F(Lista, LinesAreNumberedFromOneAndFoundByKey) {
  LlenaReportes();
  EXPECT_EQ(lista->ListItems().Count(), 3);
  EXPECT_EQ(lista->ListItems()(1)->Text(), "03/05/2024");
  EXPECT_EQ(lista->ListItems()(3)->SubItems(1), "11");
  EXPECT_EQ(lista->ListItems()(3)->Index(), 3);
  EXPECT_EQ(lista->ListItems()("d9")->SubItems(1), "9");
  EXPECT_EQ(lista->ListItems().Item("D11")->Key(), "D11");
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems()(0); }), 35600);
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems()(4); }), 35600);
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems()("D99"); }), 35601);
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems().Add("x", "D7"); }), 35602);
  lista->ListItems().Remove("D9");
  EXPECT_EQ(lista->ListItems().Count(), 2);
  EXPECT_EQ(lista->ListItems().Busca("D9"), nullptr);
  EXPECT_EQ(lista->ListItems()(2)->Key(), "D11");
  lista->ListItems().Clear();
  EXPECT_EQ(lista->ListItems().Count(), 0);
  EXPECT_EQ(lista->ListItems().Busca("D7"), nullptr);
  // Keys are free again after Clear.
  lista->ListItems().Add("nuevo", "D7");
  EXPECT_EQ(lista->ListItems()("D7")->Text(), "nuevo");
}

TEST_F(Lista, SubItemsLiveInsideTheColumns) {
  LlenaReportes();
  ListItem* it = lista->ListItems()(1);
  EXPECT_EQ(it->SubItems(5), "ana");
  EXPECT_EQ(it->SubItems(3), "");
  EXPECT_EQ(it->text(5), "ana");
  EXPECT_EQ(NumeroDeError([&] { it->SetSubItems(6, "x"); }), 380);
  EXPECT_EQ(NumeroDeError([&] { it->SubItems(0); }), 380);
  it->SetText("04/05/2024");
  EXPECT_EQ(lista->ListItems()(1)->text(0), "04/05/2024");
}

TEST_F(Lista, ALineAddedWithAllItsTextsAtOnceReadsLikeOneFilledByParts) {
  LlenaReportes();
  ListItem* entera = lista->ListItems().AddLinea({"05/05/2024", "13", "000100000025A", "", "7 - Ana", "Luis"}, "D13", 1);
  ListItem* partes = lista->ListItems().Add("05/05/2024", "D15", 1);
  for (int i = 1; i <= 5; ++i) partes->SetSubItems(i, entera->SubItems(i));
  partes->SetSubItems(1, "15");
  EXPECT_EQ(lista->ListItems()("D13")->SubItems(2), "000100000025A");
  EXPECT_EQ(entera->SubItems(3), "");
  EXPECT_EQ(entera->SubItems(5), "Luis");
  EXPECT_EQ(entera->SmallIcon(), 1);
  EXPECT_EQ(entera->Index(), 4);
  // Views of texts (no copies) make the same line.
  ListItem* vistas = lista->ListItems().AddLinea({u"05/05/2024", u"14", u"000100000025A", u"", u"7 - Ana", u"Luis"}, "D14", 1);
  for (int c = 0; c < 6; ++c) {
    if (c == 1) continue;  // the id differs
    EXPECT_EQ(entera->text(c), partes->text(c)) << c;
    EXPECT_EQ(vistas->Columna(c), entera->Columna(c)) << c;
  }
  EXPECT_EQ(vistas->SubItems(1), "14");
  EXPECT_TRUE(vistas->Columna(6).isEmpty());  // past the last column
  // Changing one text keeps the others; a long text fits whole.
  const QString larga(70000, QChar(u'x'));
  entera->SetSubItems(2, larga);
  EXPECT_EQ(entera->SubItems(2), larga);
  EXPECT_EQ(entera->SubItems(4), "7 - Ana");
  entera->SetSubItems(2, "corta");
  EXPECT_EQ(entera->SubItems(2), "corta");
  EXPECT_EQ(entera->SubItems(5), "Luis");
  EXPECT_EQ(lista->model()->data(lista->model()->index(3, 4)).toString(), "7 - Ana");
  // Lines added at once with texts around the length whose mark takes more
  // room (65,535), each followed by a short one, read back whole.
  for (const qsizetype largo : {65534, 65535, 65536}) {
    const QString texto(largo, QChar(u'y'));
    for (ListItem* l : {lista->ListItems().AddLinea(QStringList{"a", texto, "b"}),
                        lista->ListItems().AddLinea({u"a", texto, u"b"})}) {
      EXPECT_EQ(l->SubItems(1), texto) << largo;
      EXPECT_EQ(l->SubItems(2), "b") << largo;
    }
  }
  // More texts than columns are refused.
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems().AddLinea({"a", "b", "c", "d", "e", "f", "g"}); }), 380);
  EXPECT_EQ(NumeroDeError([&] { lista->ListItems().AddLinea({u"a", u"b", u"c", u"d", u"e", u"f", u"g"}); }), 380);
}

TEST_F(Lista, SmallIconsComeFromTheImageListByIndexOrKey) {
  LlenaReportes();
  ListItem* pendiente = lista->ListItems()(1);
  ListItem* aprobado = lista->ListItems()(3);
  EXPECT_EQ(pendiente->SmallIcon(), 6);
  EXPECT_EQ(aprobado->SmallIcon(), 1);
  const QImage dibujado = aprobado->icon(0).pixmap(16, 16).toImage();
  EXPECT_EQ(dibujado, imagenes->ListImages()(1).Picture.pixmap(16, 16).toImage());
  pendiente->SetSmallIcon(QString("Aprobado"));
  EXPECT_EQ(pendiente->SmallIcon(), 1);
  EXPECT_EQ(NumeroDeError([&] { pendiente->SetSmallIcon(QString("NoExiste")); }), 35601);
  EXPECT_EQ(lista->iconSize(), QSize(16, 16));
}

TEST_F(Lista, ChecksSetFromCodeRaiseNoEventButTheUsersTickDoes) {
  LlenaReportes();
  std::vector<ListItem*> marcados;
  lista->ItemCheck = [&](ListItem* Item) { marcados.push_back(Item); };
  ListItem* it = lista->ListItems()(1);
  it->SetChecked(true);
  EXPECT_TRUE(it->Checked());
  EXPECT_TRUE(marcados.empty());
  EXPECT_EQ(it->checkState(0), Qt::Checked);
  // Space on the selected line ticks or unticks it.
  lista->setFocus();
  lista->SetSelectedItem(lista->ListItems()(2));
  QTest::keyClick(lista, Qt::Key_Space);
  ASSERT_EQ(marcados.size(), 1u);
  EXPECT_EQ(marcados[0], lista->ListItems()(2));
  EXPECT_TRUE(lista->ListItems()(2)->Checked());
  // A click on the check box itself.
  ListItem* tercero = lista->ListItems()(3);
  QStyleOptionViewItem opcion;
  opcion.initFrom(lista);
  opcion.rect = lista->visualItemRect(tercero);
  opcion.rect.setWidth(lista->header()->sectionSize(0));
  opcion.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration |
                    QStyleOptionViewItem::HasDisplay;
  opcion.decorationSize = lista->iconSize();
  opcion.text = tercero->Text();
  const QRect casilla = lista->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opcion, lista);
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, casilla.center());
  ASSERT_EQ(marcados.size(), 2u);
  EXPECT_EQ(marcados[1], tercero);
  EXPECT_FALSE(tercero->Checked());
}

TEST_F(Lista, AHandlerCanTickAnApprovedLineAgainAtOnce) {
  LlenaReportes();
  lista->ItemCheck = [&](ListItem* Item) {
    lista->SetSelectedItem(Item);
    ListItem* sel = lista->SelectedItem();
    if (sel && sel->SmallIcon() == 1) sel->SetChecked(true);
  };
  lista->setFocus();
  ListItem* aprobado = lista->ListItems()(3);
  lista->SetSelectedItem(aprobado);
  QTest::keyClick(lista, Qt::Key_Space);
  EXPECT_TRUE(aprobado->Checked());
  ListItem* pendiente = lista->ListItems()(1);
  lista->SetSelectedItem(pendiente);
  QTest::keyClick(lista, Qt::Key_Space);
  EXPECT_TRUE(pendiente->Checked());
  QTest::keyClick(lista, Qt::Key_Space);
  EXPECT_FALSE(pendiente->Checked());
}

TEST_F(Lista, WithoutCheckboxesNoLineShowsOne) {
  lista->ColumnHeaders().Add("Fecha");
  ListItem* it = lista->ListItems().Add("x");
  it->SetChecked(true);
  EXPECT_FALSE(it->data(0, Qt::CheckStateRole).isValid());
  lista->SetCheckboxes(true);
  EXPECT_EQ(it->data(0, Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(Lista, SortingByAColumnIgnoresLetterCaseAndFollowsTheOrder) {
  lista->ColumnHeaders().Add("Fecha");
  lista->ColumnHeaders().Add("Nombre");
  for (const auto& [f, n] : std::vector<std::pair<QString, QString>>{{"3", "beta"}, {"1", "Gamma"}, {"2", "alfa"}}) {
    ListItem* it = lista->ListItems().Add(f);
    it->SetSubItems(1, n);
  }
  lista->SetSorted(true);
  lista->SetSortKey(1);
  lista->SetSortOrder(lvw::Ascending);
  EXPECT_EQ(lista->ListItems()(1)->SubItems(1), "alfa");
  EXPECT_EQ(lista->ListItems()(2)->SubItems(1), "beta");
  EXPECT_EQ(lista->ListItems()(3)->SubItems(1), "Gamma");
  lista->SetSortOrder(lvw::Descending);
  EXPECT_EQ(lista->ListItems()(1)->SubItems(1), "Gamma");
  lista->SetSortKey(0);
  EXPECT_EQ(lista->ListItems()(1)->Text(), "3");
  // A line added to a sorted list takes its place.
  lista->ListItems().Add("25");
  EXPECT_EQ(lista->ListItems()(2)->Text(), "25");
  // Without Sorted nothing moves.
  lista->SetSorted(false);
  lista->ListItems().Add("9");
  EXPECT_EQ(lista->ListItems()(5)->Text(), "9");
}

TEST_F(Lista, ColumnsToldSoSortAsDatesOrNumbers) {
  lista->ColumnHeaders().Add("Fecha")->SetTipoOrden(lvw::OrdenFecha);
  lista->ColumnHeaders().Add("Importe")->SetTipoOrden(lvw::OrdenNumero);
  const std::vector<std::pair<QString, QString>> lineas{
      {"10/02/2026 09:05", "1500,5"}, {"2025-12-31", "-3"}, {"10/02/2026", "99.25"}, {"", "x"},
      {"01/03/2026 18:00:30", ""},    {"31/13/2026", "250"}};
  for (const auto& [f, n] : lineas) lista->ListItems().Add(f)->SetSubItems(1, n);
  auto columna = [&](int c) {
    std::vector<std::string> r;
    for (int i = 1; i <= lista->ListItems().Count(); ++i)
      r.push_back((c == 0 ? lista->ListItems()(i)->Text() : lista->ListItems()(i)->SubItems(c)).toStdString());
    return r;
  };
  lista->SetSorted(true);
  // What is no date (an empty text, a thirteenth month) comes first, by its text.
  EXPECT_EQ(columna(0), (std::vector<std::string>{"", "31/13/2026", "2025-12-31", "10/02/2026", "10/02/2026 09:05",
                                                  "01/03/2026 18:00:30"}));
  lista->SetSortKey(1);
  EXPECT_EQ(columna(1), (std::vector<std::string>{"", "x", "-3", "99.25", "250", "1500,5"}));
  // Told to compare texts again, the column sorts as text at once.
  lista->ColumnHeaders()(2)->SetTipoOrden(lvw::OrdenTexto);
  EXPECT_EQ(columna(1), (std::vector<std::string>{"", "-3", "1500,5", "250", "99.25", "x"}));
}

TEST_F(Lista, AClickOnAHeaderRaisesColumnClickWithItsNumber) {
  LlenaReportes();
  std::vector<int> columnas;
  lista->ColumnClick = [&](int c) { columnas.push_back(c); };
  QHeaderView* h = lista->header();
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 5, h->height() / 2));
  EXPECT_EQ(columnas, (std::vector<int>{3, 1}));
  // Clicking does not sort by itself: the form decides.
  EXPECT_EQ(lista->ListItems()(1)->SubItems(1), "7");
}

TEST_F(Lista, ARightClickSelectsTheLineUnderThePointerBeforeMouseDown) {
  LlenaReportes();
  lista->SetSelectedItem(lista->ListItems()(1));
  int boton = 0;
  ListItem* seleccionadoEnMouseDown = nullptr;
  lista->MouseDown = [&](int Button, int, int, int) {
    boton = Button;
    seleccionadoEnMouseDown = lista->SelectedItem();
  };
  int clicsItem = 0;
  lista->ItemClick = [&](ListItem*) { ++clicsItem; };
  ListItem* tercero = lista->ListItems()(3);
  QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, CentroDe(tercero));
  EXPECT_EQ(boton, 2);
  EXPECT_EQ(seleccionadoEnMouseDown, tercero);
  EXPECT_EQ(clicsItem, 0);
  EXPECT_EQ(lista->ListItems()(3)->SubItems(1), "11");  // nothing ticked or moved
  EXPECT_TRUE(tercero->Checked());
}

TEST_F(Lista, ALeftClickSelectsAndRaisesItemClick) {
  LlenaReportes();
  std::vector<ListItem*> clics;
  lista->ItemClick = [&](ListItem* Item) { clics.push_back(Item); };
  int x = -1, y = -1;
  lista->MouseDown = [&](int, int, int xTw, int yTw) {
    x = xTw;
    y = yTw;
  };
  ListItem* segundo = lista->ListItems()(2);
  const QPoint p = CentroDe(segundo);
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
  ASSERT_EQ(clics.size(), 1u);
  EXPECT_EQ(clics[0], segundo);
  EXPECT_EQ(lista->SelectedItem(), segundo);
  EXPECT_TRUE(segundo->Selected());
  const QPoint enControl = lista->viewport()->mapTo(lista, p);
  EXPECT_EQ(x, ATwips(enControl.x()));
  EXPECT_EQ(y, ATwips(enControl.y()));
  // The arrow keys move the selection and raise ItemClick too.
  lista->setFocus();
  QTest::keyClick(lista, Qt::Key_Down);
  ASSERT_EQ(clics.size(), 2u);
  EXPECT_EQ(clics[1], lista->ListItems()(3));
}

TEST_F(Lista, KeysReachKeyDownAndKeyPressAndMayBeDropped) {
  LlenaReportes();
  lista->setFocus();
  lista->SetSelectedItem(lista->ListItems()(1));
  std::vector<int> codigos, caracteres;
  lista->KeyDown = [&](int& KeyCode, int Shift) {
    codigos.push_back(KeyCode * 10 + Shift);
    if (KeyCode == 40) KeyCode = 0;
  };
  lista->KeyPress = [&](int& KeyAscii) { caracteres.push_back(KeyAscii); };
  QTest::keyClick(lista, Qt::Key_Down);
  EXPECT_EQ(lista->SelectedItem(), lista->ListItems()(1));
  QTest::keyClick(lista, Qt::Key_Return);
  QTest::keyClick(lista, Qt::Key_Insert);
  QTest::keyClick(lista, 'q');
  EXPECT_EQ(codigos, (std::vector<int>{400, 130, 450, 810}));
  EXPECT_EQ(caracteres, (std::vector<int>{13, 'q'}));
}

TEST_F(Lista, DoubleClickAndFocusEvents) {
  LlenaReportes();
  auto* otro = new QLineEdit(&ventana);
  otro->show();
  otro->setFocus();
  int dobles = 0, focos = 0;
  lista->DblClick = [&] { ++dobles; };
  lista->GotFocus = [&] { ++focos; };
  lista->setFocus();
  EXPECT_EQ(focos, 1);
  QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, CentroDe(lista->ListItems()(2)));
  EXPECT_EQ(dobles, 1);
  // The double click opened no editor.
  EXPECT_EQ(lista->findChild<QLineEdit*>(), nullptr);
}

TEST_F(Lista, BeforeLabelEditCanRefuseEditingAndAfterLabelEditCanUndoIt) {
  LlenaReportes();
  lista->setFocus();
  lista->SetSelectedItem(lista->ListItems()(1));
  int antes = 0;
  lista->BeforeLabelEdit = [&](int& Cancel) {
    ++antes;
    Cancel = 1;
  };
  QTest::keyClick(lista, Qt::Key_F2);
  EXPECT_EQ(antes, 1);
  EXPECT_EQ(lista->findChild<QLineEdit*>(), nullptr);

  // Allowed, then refused after typing: the text stays.
  QString visto;
  lista->BeforeLabelEdit = [&](int&) { ++antes; };
  lista->AfterLabelEdit = [&](int& Cancel, QString& NewString) {
    visto = NewString;
    Cancel = 1;
  };
  lista->StartLabelEdit();
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("otra fecha");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor commits through a queued call
  EXPECT_EQ(visto, "otra fecha");
  EXPECT_EQ(lista->ListItems()(1)->Text(), "03/05/2024");

  // Allowed and kept, with the text the handler leaves.
  lista->AfterLabelEdit = [&](int&, QString& NewString) { NewString = NewString.toUpper(); };
  lista->StartLabelEdit();
  editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("abc");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(lista->ListItems()(1)->Text(), "ABC");
}

TEST_F(Lista, ColoursAndBoldOfALineAndOfItsSubItems) {
  LlenaReportes();
  ListItem* it = lista->ListItems()(1);
  it->SetForeColor(0x0000FF);
  it->SetBold(true);
  it->SetSubItemForeColor(2, 0xFF0000);
  EXPECT_EQ(it->ForeColor(), 0x0000FF);
  EXPECT_TRUE(it->Bold());
  EXPECT_EQ(it->foreground(0).color(), QColor(255, 0, 0));
  EXPECT_EQ(it->foreground(2).color(), QColor(0, 0, 255));
  EXPECT_TRUE(it->font(0).bold());
  EXPECT_FALSE(it->font(1).bold());
}

TEST_F(Lista, TheToolTipShowsOverTheLines) {
  LlenaReportes();
  const QString texto = "Haga Click con el botón derecho del Mouse para poder ver el detalle de las tareas cargadas";
  lista->SetToolTipText(texto);
  EXPECT_EQ(lista->ListItems()(2)->toolTip(3), texto);
}

namespace {

// The application's style, noting the longest text a line's cell hands it
// to lay out and elide.
class EstiloQueMide : public QProxyStyle {
 public:
  void drawControl(ControlElement e, const QStyleOption* o, QPainter* p, const QWidget* w) const override {
    if (const auto* celda = qstyleoption_cast<const QStyleOptionViewItem*>(o); celda && e == CE_ItemViewItem)
      mayor = std::max(mayor, celda->text.size());
    QProxyStyle::drawControl(e, o, p, w);
  }
  mutable qsizetype mayor = 0;
};

}  // namespace

// A text wider than its column is elided at its end; of a text as long as a
// stored description (a megabyte) only the part that can show is handed to
// be laid out, and the line shows what the whole text gives: each long text
// is compared with one short enough to be handed whole that already
// overflows its column, in a column to the left and one to the right.
TEST_F(Lista, OfALongTextOnlyThePartThatShowsIsLaidOut) {
  const QString palabras = QString("Rodamiento rígido de bolas 6204 2RS - ").repeated(27000).left(1000000);
  const QString hebreo = QString(600, QChar(0x05D0)) + QString(600, QChar(0x05D1));
  lista->ColumnHeaders().Add("Código", 1200);
  lista->ColumnHeaders().Add("Descripción", 3000);
  lista->ColumnHeaders().Add("Importe", 1500, lvw::ColumnRight);
  auto* estilo = new EstiloQueMide;
  lista->setStyle(estilo);
  const struct {
    const char* caso;
    QString texto;
    QString corto;
    qsizetype caracteres;  // at most handed for the long text
  } casos[] = {
      {"words", palabras, palabras.left(400), 10000},
      {"one word", QString(1000000, u'x'), QString(400, u'x'), 10000},
      // Elided as stored: the first letters show, written right to left.
      {"right to left", hebreo, QString(400, QChar(0x05D0)), hebreo.size()},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    lista->ListItems().Clear();
    lista->ListItems().AddLinea(QStringList{"1", c.texto, c.texto});
    lista->Refresh();
    QApplication::processEvents();
    estilo->mayor = 0;
    const QImage largo = lista->grab().toImage();
    EXPECT_EQ(lista->ListItems()(1)->SubItems(1), c.texto);  // kept whole
    EXPECT_GT(estilo->mayor, 0);
    EXPECT_LE(estilo->mayor, c.caracteres);
    lista->ListItems()(1)->SetSubItems(1, c.corto);
    lista->ListItems()(1)->SetSubItems(2, c.corto);
    lista->Refresh();
    QApplication::processEvents();
    EXPECT_TRUE(lista->grab().toImage() == largo);
  }
  lista->setStyle(nullptr);
  delete estilo;
}

TEST_F(Lista, AHundredThousandLinesReachTheViewInOneBatch) {
  for (const char* c : {"Fecha", "IdDiario", "Orden", "Id", "Técnico", "Controlado por"})
    lista->ColumnHeaders().Add(c, 1200);
  lista->SetCheckboxes(true);
  lista->SetSmallIcons(imagenes);
  QSignalSpy inserciones(lista->model(), &QAbstractItemModel::rowsInserted);
  constexpr int kLineas = 100000;
  for (int i = 0; i < kLineas; ++i) {
    ListItem* it = lista->ListItems().Add(QString("%1/05/2024").arg(i % 28 + 1, 2, 10, QChar('0')),
                                          QString("D%1").arg(i), i % 3 == 0 ? 1 : 6);
    it->SetChecked(i % 3 == 0);
    it->SetSubItems(1, QString::number(i));
    it->SetSubItems(2, QString("0001%1A").arg(i, 8, 10, QChar('0')));
    it->SetSubItems(4, QString("%1 - Técnico %1").arg(i % 50));
  }
  lista->Refresh();
  EXPECT_EQ(inserciones.count(), 1);
  EXPECT_EQ(lista->ListItems().Count(), kLineas);
  EXPECT_EQ(lista->ListItems()(kLineas)->SubItems(1), QString::number(kLineas - 1));
  EXPECT_EQ(lista->ListItems()("D54321")->SubItems(1), "54321");
  // Counting the ticked pending lines the way the approval does.
  int pendientesMarcados = 0;
  for (int i = 1; i <= lista->ListItems().Count(); ++i) {
    ListItem* it = lista->ListItems()(i);
    if (it->Checked() && it->SmallIcon() == 6) ++pendientesMarcados;
  }
  EXPECT_EQ(pendientesMarcados, 0);
  lista->SetSorted(true);
  lista->SetSortKey(2);
  lista->SetSortOrder(lvw::Descending);
  EXPECT_EQ(lista->ListItems()(1)->SubItems(1), QString::number(kLineas - 1));
  lista->ListItems()(kLineas)->EnsureVisible();
  lista->ListItems().Clear();
  EXPECT_EQ(lista->ListItems().Count(), 0);
}
