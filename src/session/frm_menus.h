#pragma once
// FrmMenus: the invisible form that holds the suite's pop-up menus. A
// caller empties PRespuesta, pops one of the menus up over its own window
// and compares PRespuesta (ignoring case) with the command word it acts on;
// a menu closed without a choice leaves the empty text.
#include <QString>
#include <memory>
#include <vector>

#include "platform/form.h"
#include "platform/menu.h"

class FrmMenus : public Form, public InstanciaGlobal<FrmMenus> {
  Q_OBJECT

 public:
  FrmMenus();
  // The global instance, loaded (its Form_Load runs once).
  static FrmMenus& Instancia();

  QString PRespuesta;

  // Empties PRespuesta, pops the menu up over the owner and returns the
  // answer (the empty text when the menu was closed without a choice).
  QString Muestra(QWidget* dueno, Menu& menu);

  const std::vector<std::unique_ptr<Menu>>& Menus() const { return menus_; }

  // Loads a further element of a menu array (its caption and tag set by the
  // caller), placed after the array's last element.
  MenuItem& CargaElemento(const QString& arreglo, int indice);

  void Salir();

  Menu* mnu_Emergente;
  Menu* MNU_EmergenteII;
  Menu* MNU_EmergenteIII;
  Menu* MNU_EmergenteIV;
  Menu* MNU_EmergenteV;
  Menu* MNU_EmergenteVI;
  Menu* MNU_EmergenteVII;
  Menu* MNU_EmergenteVIII;
  Menu* MNU_EmergenteIX;
  Menu* mnu_EmergenteX;
  Menu* MNU_EmergenteXI;
  Menu* MNU_EmergenteXII;
  Menu* MNU_EmergenteXIII;
  Menu* MNU_EmergenteXIV;
  Menu* MNU_EmergenteXV;
  Menu* MNU_Emergente_XVI;
  Menu* MNU_Emergente_XV;
  Menu* MNU_EmergenteXViIIi;
  Menu* MNU_EmergenteXXV;
  Menu* MNU_EmergenteXXVI;
  Menu* MNU_EmergenteXXVIII;
  Menu* MNU_EmergenteXXIX;
  Menu* mnu_EmergenteXXXI;
  Menu* mnu_EmergenteXXX;
  Menu* mnu_emergenteXXXII;
  Menu* mnu_emergenteXXXIII;
  Menu* mnu_EmergenteXXXIV;
  Menu* mnu_EmergenteXXXIIV;

 protected:
  void Form_Load() override;

 private:
  Menu* NuevoMenu(const QString& nombre, const QString& caption);
  std::vector<std::unique_ptr<Menu>> menus_;
};
