// The pop-up menu form: the answers its items store.
#include <gtest/gtest.h>

#include "session/frm_menus.h"
#include "support/entorno.h"

namespace {

// Pops the menu up with the scripted choice and returns the answer.
QString Elige(EntornoPrueba& e, Menu* menu, const QString& caption) {
  e.ui().eleccionesMenu.push_back(caption);
  return FrmMenus::Instancia().Muestra(nullptr, *menu);
}

}  // namespace

TEST_F(ConEntorno, MainWindowMenuAnswersVerDetalleOrNothing) {
  FrmMenus& m = FrmMenus::Instancia();
  EXPECT_EQ(m.Menus().size(), 28u);
  EXPECT_EQ(Elige(e, m.MNU_Emergente_XV, ""), "");
  EXPECT_EQ(Elige(e, m.MNU_Emergente_XV, "Ver Detalle"), "VerDetalle");
  EXPECT_EQ(Elige(e, m.MNU_Emergente_XV, ""), "");  // dismissing after a choice answers nothing
  EXPECT_EQ(Elige(e, m.MNU_Emergente_XV, "Cancelar"), "");
  // Only "Ver Detalle", a separator and "Cancelar" are visible.
  QStringList visibles;
  for (auto& i : m.MNU_Emergente_XV->Items())
    if (i->Visible) visibles << i->Caption;
  EXPECT_EQ(visibles, (QStringList{"Ver Detalle", "-", "Cancelar"}));
  EXPECT_THROW(Elige(e, m.MNU_Emergente_XV, "Ver Asiento"), std::logic_error);  // hidden
}

TEST_F(ConEntorno, ChargesMenuAndOtherFamilies) {
  FrmMenus& m = FrmMenus::Instancia();
  EXPECT_EQ(Elige(e, m.MNU_EmergenteXXVIII, "Aplicar"), "CambiarImporte");
  EXPECT_EQ(Elige(e, m.MNU_EmergenteXXVI, "Cancelar"), "Cancelar");
  EXPECT_EQ(Elige(e, m.mnu_emergenteXXXII, "Cancelar"), "NP_Cancelar");
  EXPECT_EQ(Elige(e, m.mnu_EmergenteXXXI, "Ver Asiento"), "");  // no word
  EXPECT_EQ(Elige(e, m.MNU_EmergenteIV, "Cancelar"), "");
  EXPECT_EQ(Elige(e, m.MNU_EmergenteXV, "Iconos Pequeños"), "IconosPequeños");
  EXPECT_TRUE(m.MNU_EmergenteVI->Busca("MNU_EmergenteVIAprobar")->Checked);
  EXPECT_EQ(Elige(e, m.MNU_EmergenteVI, "Aprobar"), "Aprobar");
  EXPECT_EQ(Elige(e, m.mnu_Emergente, "Ejecutar"), "Ejecutar");
  EXPECT_TRUE(m.isHidden());
}

TEST_F(ConEntorno, MenuArraysAnswerByTagOrCaption) {
  FrmMenus::LiberaGlobal();  // elements loaded by another test are gone
  FrmMenus& m = FrmMenus::Instancia();
  MenuItem& t1 = m.CargaElemento("MNU_EmergenteIII_Tecnicos", 1);
  t1.Caption = "  Juan Pérez  ";
  EXPECT_EQ(Elige(e, m.MNU_EmergenteIII, "Juan Pérez"), "Juan Pérez");
  MenuItem& c1 = m.CargaElemento("Mnu_Campo", 1);
  c1.Caption = "Cliente";
  c1.Tag = "IDCLIENTE";
  MenuItem& c2 = m.CargaElemento("Mnu_Campo", 2);
  c2.Caption = "Fecha";
  EXPECT_EQ(Elige(e, m.MNU_EmergenteXIII, "Cliente"), "IDCLIENTE");
  EXPECT_EQ(Elige(e, m.MNU_EmergenteXIII, "Fecha"), "");  // tag never set
  EXPECT_THROW(m.CargaElemento("Mnu_Campo", 1), vb::Error);
  EXPECT_THROW(m.CargaElemento("NoExiste", 1), vb::Error);
}
