#pragma once
// A main window on a small database of known reports, loaded through its
// real start-up, for the approval tests.
#include "approval/frm_zamolid.h"
#include "platform/controles/listview.h"
#include "platform/controles/plexatol.h"
#include "platform/controles/textbox.h"
#include "support/entorno.h"

// Helpers for a main window in a test, whatever database it stands on.
TextBox& CajaDe(FrmZamolid* w, const QString& nombre);
// The report ids the list shows, in its order.
QStringList IdsDe(FrmZamolid* w);
// Fills the three boxes of one end ("Desde" or "Hasta") of the work-order range.
void PoneOrden(FrmZamolid* w, const QString& extremo, const QString& sucursal, const QString& numero,
               const QString& letra);
// Releases the main window and the windows it opened, as the program's end would.
void CierraVentanas();

class VentanaPrincipal : public ConEntorno {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Reports: 7 (two rows, pending, technician 1), 9 (pending with a blank
  // approver, technician 2), 11 (approved by "Ana", technician 12), 13 (type
  // PR, pending, technician 3 who has no row), 15 (pending, technician 2).
  void CargaDatos();
  // Reports desde to hasta more, one row each, of the type, dated
  // 01/05/2026, pending, technician 1.
  void AgregaReportes(int desde, int hasta, const QString& tc = "OT");
  TextBox& Caja(const QString& nombre);
  // The line of the report (a missing one fails the test, see lineas.h).
  ListItem* Linea(const QString& idDiario);
  QStringList Ids();
  QString Aprobador(int idDiario);
  void Busca();

  FrmZamolid* w = nullptr;
  bool cerrado = false;
};
