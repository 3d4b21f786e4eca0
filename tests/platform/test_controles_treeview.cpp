// The tree view: nodes added relative to others, keys, order of addition,
// check boxes and the click events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <utility>
#include <vector>

#include "platform/controles/treeview.h"
#include "platform/vb_error.h"
#include "support/errores.h"

namespace {

// Builds the tree the way the tree pick form does: the key length decides
// the depth of each code.
void ArmaArbol(TreeView& t, const QStringList& codigos) {
  t.Nodes().Clear();
  Node* actual = t.Nodes().Add(QString(), tvw::Last, "A", "Consulta...");
  actual->SetExpanded(true);
  for (int r = 0; r < codigos.size();) {
    const QString clave = "A" + codigos[r];
    const QString texto = codigos[r] + " - desc " + codigos[r];
    if (clave.size() > actual->Key().size()) {
      actual = t.Nodes().Add(actual, tvw::Child, clave, texto);
      ++r;
    } else if (clave.size() == actual->Key().size()) {
      actual = t.Nodes().Add(actual, tvw::Next, clave, texto);
      ++r;
    } else {
      actual = actual->Parent();
    }
  }
}

}  // namespace

TEST(TreeView, CodesGrowingByLevelBecomeChildrenAndSiblings) {
  TreeView t;
  ArmaArbol(t, {"01", "0101", "0102", "02", "0201"});
  EXPECT_EQ(t.Nodes().Count(), 6);
  Node* raiz = t.Nodes()("A");
  EXPECT_EQ(raiz->Children(), 2);
  EXPECT_EQ(raiz->Child()->Key(), "A01");
  EXPECT_EQ(t.Nodes()("A0101")->Parent()->Key(), "A01");
  EXPECT_EQ(t.Nodes()("A0102")->Parent()->Key(), "A01");
  EXPECT_EQ(t.Nodes()("A0201")->Parent()->Key(), "A02");
  EXPECT_EQ(t.Nodes()("A01")->Next()->Key(), "A02");
  EXPECT_EQ(t.Nodes()("A0102")->Previous()->Key(), "A0101");
  EXPECT_EQ(t.Nodes()("a02")->Text(), "02 - desc 02");
  // Nodes are numbered in the order they were added.
  EXPECT_EQ(t.Nodes()(1)->Key(), "A");
  EXPECT_EQ(t.Nodes()(4)->Key(), "A0102");
  EXPECT_EQ(t.Nodes()("A02")->Index(), 5);
  EXPECT_TRUE(raiz->Expanded());
}

TEST(TreeView, AShorterCodeClimbsBackUp) {
  TreeView t;
  ArmaArbol(t, {"0101", "01"});
  Node* raiz = t.Nodes()("A");
  ASSERT_EQ(raiz->Children(), 2);
  EXPECT_EQ(raiz->child(0), t.Nodes()("A0101"));
  EXPECT_EQ(raiz->child(1), t.Nodes()("A01"));
}

TEST(TreeView, NextAndPreviousInsertBesideTheRelative) {
  TreeView t;
  Node* a = t.Nodes().Add(QString(), tvw::Last, "A", "a");
  Node* b = t.Nodes().Add(a, tvw::Child, "B", "b");
  t.Nodes().Add(a, tvw::Child, "D", "d");
  t.Nodes().Add(b, tvw::Next, "C", "c");
  t.Nodes().Add("B", tvw::Previous, "A1", "a1");
  t.Nodes().Add("D", tvw::First, "A0", "a0");
  QStringList orden;
  for (int i = 0; i < a->childCount(); ++i) orden << static_cast<Node*>(a->child(i))->Key();
  EXPECT_EQ(orden, QStringList({"A0", "A1", "B", "C", "D"}));
}

TEST(TreeView, KeysAreUniqueAndUnknownOnesRaise) {
  TreeView t;
  t.Nodes().Add(QString(), tvw::Last, "A", "raiz");
  EXPECT_EQ(NumeroDeError([&] { t.Nodes().Add("A", tvw::Child, "a", "otra"); }), 35602);
  EXPECT_EQ(NumeroDeError([&] { t.Nodes().Add("X", tvw::Child, "B", "b"); }), 35601);
  EXPECT_EQ(NumeroDeError([&] { t.Nodes()(2); }), 35600);
  t.Nodes().Add("A", tvw::Child, "B", "b");
  t.Nodes().Remove("B");
  EXPECT_EQ(t.Nodes().Count(), 1);
  EXPECT_EQ(t.Nodes().Busca("B"), nullptr);
  t.Nodes().Clear();
  EXPECT_EQ(t.Nodes().Count(), 0);
  EXPECT_EQ(t.topLevelItemCount(), 0);
}

TEST(TreeView, TheUsersTicksRaiseNodeCheckAndCodeTicksDoNot) {
  QWidget ventana;
  auto* t = new TreeView(&ventana);
  t->resize(300, 200);
  ArmaArbol(*t, {"01", "02"});
  t->SetCheckboxes(true);
  ventana.show();
  QApplication::setActiveWindow(&ventana);
  std::vector<Node*> marcados;
  t->NodeCheck = [&](Node* n) { marcados.push_back(n); };
  t->Nodes()("A01")->SetChecked(true);
  EXPECT_TRUE(marcados.empty());
  EXPECT_EQ(t->Nodes()("A01")->checkState(0), Qt::Checked);
  t->setFocus();
  t->SetSelectedItem(t->Nodes()("A02"));
  QTest::keyClick(t, Qt::Key_Space);
  ASSERT_EQ(marcados.size(), 1u);
  EXPECT_EQ(marcados[0], t->Nodes()("A02"));
  EXPECT_TRUE(t->Nodes()("A02")->Checked());
  // Without check boxes nothing shows one.
  t->SetCheckboxes(false);
  EXPECT_FALSE(t->Nodes()("A01")->data(0, Qt::CheckStateRole).isValid());
}

TEST(TreeView, ClicksSelectTheNodeAndRaiseTheirEvents) {
  QWidget ventana;
  auto* t = new TreeView(&ventana);
  t->resize(300, 200);
  ArmaArbol(*t, {"01", "02"});
  ventana.show();
  QApplication::setActiveWindow(&ventana);
  std::vector<Node*> clics;
  int dobles = 0;
  std::vector<int> teclas;
  t->NodeClick = [&](Node* n) { clics.push_back(n); };
  t->DblClick = [&] { ++dobles; };
  t->KeyDown = [&](int& KeyCode, int) { teclas.push_back(KeyCode); };
  std::vector<std::pair<int, int>> botones;  // Button and Shift of each MouseDown
  t->MouseDown = [&](int Button, int Shift, int, int) { botones.emplace_back(Button, Shift); };
  Node* segundo = t->Nodes()("A02");
  const QPoint p = t->visualItemRect(segundo).center();
  QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
  ASSERT_EQ(clics.size(), 1u);
  EXPECT_EQ(clics[0], segundo);
  EXPECT_EQ(t->SelectedItem(), segundo);
  // The right and middle buttons select the node under the pointer without
  // NodeClick.
  Node* primero = t->Nodes()("A01");
  QTest::mouseClick(t->viewport(), Qt::RightButton, Qt::ShiftModifier, t->visualItemRect(primero).center());
  EXPECT_EQ(t->SelectedItem(), primero);
  QTest::mouseClick(t->viewport(), Qt::MiddleButton, Qt::ControlModifier, p);
  EXPECT_EQ(t->SelectedItem(), segundo);
  EXPECT_EQ(clics.size(), 1u);
  EXPECT_EQ(botones, (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {4, 2}}));
  QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
  EXPECT_EQ(dobles, 1);
  t->setFocus();
  QTest::keyClick(t, Qt::Key_F5);
  EXPECT_EQ(teclas, std::vector<int>{116});
}
