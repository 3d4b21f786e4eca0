#pragma once
// A main window on a small database of known reports, loaded through its
// real start-up, for the approval tests.
#include "approval/frm_zamolid.h"
#include "platform/controles/listview.h"
#include "platform/controles/plexatol.h"
#include "platform/controles/textbox.h"
#include "support/entorno.h"

class VentanaPrincipal : public ConEntorno {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Reports: 7 (two rows, pending, technician 1), 9 (pending with a blank
  // approver, technician 2), 11 (approved by "Ana", technician 12), 13 (type
  // PR, pending, technician 3 who has no row), 15 (pending, technician 2).
  void CargaDatos();
  TextBox& Caja(const QString& nombre);
  // The line of the report (a missing one fails the test, see lineas.h).
  ListItem* Linea(const QString& idDiario);
  QStringList Ids();
  QString Aprobador(int idDiario);
  void Busca();

  FrmZamolid* w = nullptr;
  bool cerrado = false;
};
