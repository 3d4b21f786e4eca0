// The tree pick form: nodes by code length, searching, the server filter
// and what OK returns.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "lookup/lib_frm_cons3_tree.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/treeview.h"
#include "session/mod_global.h"
#include "support/entorno.h"

namespace {

class ArbolConsulta : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    e.Sql("INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('01', 'Pinturas'), ('0101', 'Latex'), "
          "('0102', 'Esmaltes'), ('02', 'Ferreteria'), ('0201', 'Abc tornillos')");
  }

  // Shows a tree of a statement; the action drives it.
  void Muestra(const QString& sql, std::function<void(Lib_FrmCons3Tree&)> accion) {
    f->Sql = sql;
    e.ui().accionesModales.push_back([accion](Form& w) {
      QApplication::setActiveWindow(&w);
      accion(dynamic_cast<Lib_FrmCons3Tree&>(w));
    });
    f->Show(1);
  }

  // Each node as "key<parent's key".
  static QStringList Estructura(Lib_FrmCons3Tree& t) {
    QStringList r;
    for (int i = 1; i <= t.TreeV->Nodes().Count(); ++i) {
      Node* n = t.TreeV->Nodes()(i);
      r << n->Key() + "<" + (n->Parent() ? n->Parent()->Key() : QString());
    }
    return r;
  }

  std::unique_ptr<Lib_FrmCons3Tree> f = std::make_unique<Lib_FrmCons3Tree>();
};

const QString kFamilias = "SELECT TOP 1000 IDFAMILIA,DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA";

}  // namespace

TEST_F(ArbolConsulta, LongerCodesGoOneLevelDeeper) {
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A01<A", "A0101<A01", "A0102<A01", "A02<A", "A0201<A02"}));
    EXPECT_EQ(t.TreeV->Nodes()("A0101")->Text(), "0101 - Latex");
    EXPECT_EQ(t.TreeV->Nodes()("A")->Text(), "Consulta...");
    t.CmdCancelar->click();
  });
  // One level deeper whatever the length difference; a shorter code climbs.
  e.Sql("CREATE TABLE T_COD (C TEXT, D TEXT, O INTEGER)");
  e.Sql("INSERT INTO T_COD VALUES ('01', 'uno', 1), ('010101', 'seis', 2), ('0101', 'cuatro', 3), ('01', 'x', 9)");
  f = std::make_unique<Lib_FrmCons3Tree>();
  Muestra("SELECT C, D FROM T_COD WHERE O < 4 ORDER BY O", [&](Lib_FrmCons3Tree& t) {
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A01<A", "A010101<A01", "A0101<A01"}));
    t.CmdCancelar->click();
  });
  e.Sql("DELETE FROM T_COD");
  e.Sql("INSERT INTO T_COD VALUES ('0101', 'a', 1), ('01', 'b', 2)");
  f = std::make_unique<Lib_FrmCons3Tree>();
  Muestra("SELECT C, D FROM T_COD ORDER BY O", [&](Lib_FrmCons3Tree& t) {
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A0101<A", "A01<A"}));
    EXPECT_EQ(t.TreeV->Nodes()("A")->child(1), t.TreeV->Nodes()("A01"));  // after "0101"
    t.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ArbolConsulta, ARepeatedCodeIsReported) {
  e.Sql("CREATE TABLE T_COD (C TEXT, D TEXT)");
  e.Sql("INSERT INTO T_COD VALUES ('01', 'uno'), ('01', 'otra vez'), ('02', 'dos')");
  e.ui().respuestasError = {vbmsg::Ignore};  // go on with the next row
  Muestra("SELECT C, D FROM T_COD", [&](Lib_FrmCons3Tree& t) {
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A01<A", "A02<A"}));
    t.CmdCancelar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ArmarTreeVAutomatico");
}

TEST_F(ArbolConsulta, AStatementWithoutRowsShowsTheRootAlone) {
  Muestra("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE 1 = 0", [&](Lib_FrmCons3Tree& t) {
    EXPECT_EQ(Estructura(t), QStringList{"A<"});
    t.CmdCancelar->click();
  });
}

TEST_F(ArbolConsulta, TypingSelectsTheFirstNodeByCodeOrDescription) {
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    auto busca = [&](const QString& s) {
      t.CmbSearch(0).SetText(s);
      Node* n = t.TreeV->SelectedItem();
      return n ? n->Key() : QString("<ninguno>");
    };
    EXPECT_EQ(busca("Consulta"), "A");
    EXPECT_EQ(busca("0102"), "A0102");
    EXPECT_EQ(busca("esm"), "A0102");
    EXPECT_EQ(busca("FERR"), "A02");
    EXPECT_EQ(busca("zzz"), "A02");  // no node: the selection stays
    EXPECT_EQ(busca("abc"), "A0201");
    EXPECT_EQ(busca(""), "A");
    t.CmdCancelar->click();
  });
}

TEST_F(ArbolConsulta, F5FiltersTheDescriptionOnTheDatabase) {
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    t.CmbSearch(0).SetText("ABC");
    QTest::keyClick(&t.CmbSearch(0), Qt::Key_F5);
    EXPECT_EQ(t.Sql,
              "SELECT TOP 1000 IDFAMILIA,DESCRIPCION FROM V_TA_FAMILIAS  where Descripcion like '%ABC%' ORDER BY IDFAMILIA");
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A0201<A"}));
    EXPECT_EQ(t.CmbSearch(0).Text(), "");
    t.CmbSearch(0).SetText("x' or 'a'='a");
    QTest::keyClick(&t.CmbSearch(0), Qt::Key_F5);
    EXPECT_EQ(Estructura(t), QStringList{"A<"});
    t.CmdNueva->click();  // rebuilds the narrowed statement
    EXPECT_EQ(Estructura(t), QStringList{"A<"});
    t.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ArbolConsulta, F5WithoutAnOrderByFiltersTheWholeStatement) {
  Muestra("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS", [&](Lib_FrmCons3Tree& t) {
    t.CmbSearch(0).SetText("tex");
    QTest::keyClick(&t.CmbSearch(0), Qt::Key_F5);
    EXPECT_EQ(t.Sql, "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS where Descripcion like '%tex%' ");
    EXPECT_EQ(Estructura(t), (QStringList{"A<", "A0101<A"}));
    t.CmdCancelar->click();
  });
}

TEST_F(ArbolConsulta, OkReturnsTheFamilyOfTheSelectedOrTickedNodes) {
  f->CampoDevuelto = "idfamilia";
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    t.TreeV->SetSelectedItem(t.TreeV->Nodes()("A0102"));
    t.CmdAceptar->click();
  });
  EXPECT_EQ(f->ValorDevuelto.toString(), "0102");

  f = std::make_unique<Lib_FrmCons3Tree>();
  f->CampoDevuelto = "IDFAMILIA";
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    t.TreeV->SetSelectedItem(t.TreeV->Nodes()("A"));  // the root: no family has an empty code
    t.CmdAceptar->click();
  });
  EXPECT_EQ(f->ValorDevuelto.toString(), "");

  f = std::make_unique<Lib_FrmCons3Tree>();
  f->CampoDevuelto = "IDFAMILIA";
  f->CheckBoxes = true;
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    t.TreeV->Nodes()("A0201")->SetChecked(true);
    t.TreeV->Nodes()("A01")->SetChecked(true);
    t.TreeV->Nodes()("A")->SetChecked(true);
    t.CmdAceptar->click();
  });
  EXPECT_EQ(f->Valores, (QStringList{"01", "0201"}));  // node order; the root finds nothing
}

TEST_F(ArbolConsulta, OtherReturnColumnsReturnNothing) {
  f->CampoDevuelto = "CODIGO";
  Muestra(kFamilias, [&](Lib_FrmCons3Tree& t) {
    t.TreeV->SetSelectedItem(t.TreeV->Nodes()("A01"));
    t.CmdAceptar->click();
  });
  EXPECT_FALSE(f->ValorDevuelto.isValid());
  // Through the service: a tree look-up, cancelled.
  e.ui().accionesModales.push_back([](Form& w) { dynamic_cast<Lib_FrmCons3Tree&>(w).CmdCancelar->click(); });
  gConsulta->CampoDevuelto = "IDFAMILIA";
  gConsulta->ConsultaSearch(kFamilias, nullptr, QString(), nullptr, QString(), QString(), true);
  ASSERT_FALSE(e.ui().De("Modal").empty());
  EXPECT_EQ(e.ui().De("Modal").back().texto, "Lib_FrmCons3Tree");
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "");
  EXPECT_FALSE(gConsulta->Valores);
  EXPECT_EQ(gConsulta->CampoDevuelto, "");
}

TEST_F(ArbolConsulta, TheServiceReturnsThePickedFamily) {
  e.ui().accionesModales.push_back([](Form& w) {
    auto& t = dynamic_cast<Lib_FrmCons3Tree&>(w);
    t.TreeV->SetSelectedItem(t.TreeV->Nodes()("A0201"));
    t.CmdAceptar->click();
  });
  gConsulta->CampoDevuelto = "IDFAMILIA";
  gConsulta->ConsultaSearch(kFamilias, nullptr, QString(), nullptr, QString(), QString(), true);
  EXPECT_EQ(gConsulta->ValorDevuelto.toString(), "0201");
}
