#pragma once
// FrmZamolid: the program's main window. Its load runs the session start-up.
#include "platform/form.h"

class FrmZamolid : public Form, public InstanciaGlobal<FrmZamolid> {
  Q_OBJECT

 public:
  FrmZamolid();
  void Inicializa();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
};
