// The charges dialog, opened through ClsCmnCptes::ControlDeCargosReales:
// a customer's open charges, ticked and accepted into gCargosAplicados, and
// the amount to apply lowered from the pop-up menu.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>

#include "lista_comprobantes.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/listview.h"
#include "session/mod_global.h"
#include "voucher_dialogs/frm_ctrl_cargos_reales.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

class CargosReales : public ConComprobantes {
 protected:
  void SetUp() override {
    ConComprobantes::SetUp();
    e.Sql("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C001', 'Talleres Ulmendra'), "
          "('O''X', 'Panadería O''Brien')");
    e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (ID, CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO, OBSERVACIONES) "
          "VALUES (7, 'C001', '2026-03-01', ' AB123 ', ' Lavado ', 200, 150.5, ' urgente '), "
          "(15, 'C001', '2026-03-02', 'AB123', 'Cambio de aceite', 80, NULL, NULL), "
          "(16, 'C001', '2026-03-03', 'AB123', 'Pagado', 90, 0, NULL), "
          "(70000, 'C001', '2026-03-04', 'CD456', 'Grúa', 1234.5, 1234.5, ''), "
          "(20, 'C002', '2026-03-04', 'ZZ999', 'Otro cliente', 10, 10, ''), "
          "(21, 'O''X', '2026-03-05', 'QQ111', 'Con comilla', 12, 12, '')");
    cptes = std::make_unique<ClsCmnCptes>();
    gCargosAplicados.clear();
  }

  // Opens the dialog for the account and runs the action on it.
  void Abre(const QString& cliente, std::function<void(FrmCtrlCargosReales&)> accion) {
    e.ui().accionesModales.push_back([accion](Form& f) { accion(static_cast<FrmCtrlCargosReales&>(f)); });
    cptes->ControlDeCargosReales(FrmCtrlCargosReales::Global(), cliente, "AB123");
  }
  static void ClicDerecho(FrmCtrlCargosReales& f, int linea) {
    f.ListView1->Refresh();
    QTest::mouseClick(f.ListView1->viewport(), Qt::RightButton, {},
                      f.ListView1->visualItemRect(f.ListView1->ListItems()(linea)).center());
  }

  std::unique_ptr<ClsCmnCptes> cptes;
};

}  // namespace

TEST_F(CargosReales, ListsTheOpenChargesOfTheAccount) {
  QStringList titulos, lineas[3];
  QString cliente, matricula, cabecera, clave;
  int cantidad = 0;
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    cliente = f.Cliente;
    matricula = f.Matricula;
    cabecera = f.Label1->Caption();
    titulos = Titulos(f.ListView1);
    cantidad = f.ListView1->ListItems().Count();
    for (int i = 0; i < 3 && i < cantidad; ++i) lineas[i] = Linea(f.ListView1->ListItems()(i + 1), ColCargos::kCantidad);
    clave = f.ListView1->ListItems()(2)->Key();
    EXPECT_TRUE(f.ListView1->Checkboxes());
    EXPECT_EQ(f.Caption(), "Control de cargos Reales");
    EXPECT_EQ(f.ListView1->ColumnHeaders()(ColCargos::kConcepto + 1)->Width(), f.TextWidth(QString(25, 'X')));
    f.CmdAceptar->click();
  });
  EXPECT_EQ(cliente, "C001");
  EXPECT_EQ(matricula, "AB123");
  EXPECT_EQ(cabecera, "C001 Talleres Ulmendra");
  EXPECT_EQ(titulos, (QStringList{"Fecha", "Matricula", "Concepto", "Importe Pendiente", "Observaciones"}));
  ASSERT_EQ(cantidad, 3);  // the charge with balance 0 and other accounts' are not listed
  EXPECT_EQ(lineas[0], (QStringList{"01/03/2026", "AB123", "Lavado", "         150.50", "urgente"}));
  // Without a balance the charge shows its amount.
  EXPECT_EQ(lineas[1], (QStringList{"02/03/2026", "AB123", "Cambio de aceite", "          80.00", ""}));
  EXPECT_EQ(lineas[2][ColCargos::kImporte], "        1234.50");
  EXPECT_EQ(clave, "D15");
  EXPECT_EQ(FrmCtrlCargosReales::Existente(), nullptr);  // released when it unloads

  // A stored balance or amount beyond the currency's range is reported and
  // its charge left out (the report answered "go on"), never listed or
  // applied as a wrapped amount.
  e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (ID, CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO) VALUES "
        "(30, 'C003', '2026-03-01', 'EF1', 'Enorme', 1, 1000000000000000), "
        "(31, 'C003', '2026-03-02', 'EF1', 'Normal', 25, 25), "
        "(32, 'C003', '2026-03-03', 'EF1', 'Sin saldo', 1e20, NULL)");
  e.ui().respuestasError = {5, 5};
  QStringList listadas;
  Abre("C003", [&](FrmCtrlCargosReales& f) {
    for (int i = 1; i <= f.ListView1->ListItems().Count(); ++i) {
      listadas << Linea(f.ListView1->ListItems()(i), ColCargos::kCantidad).join('|');
      f.ListView1->ListItems()(i)->SetChecked(true);
    }
    f.CmdAceptar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  for (const auto& error : e.ui().De("Error")) {
    EXPECT_EQ(error.titulo, "CargarDatos");
    EXPECT_EQ(error.valor, 6);
  }
  EXPECT_EQ(listadas, QStringList{"02/03/2026|EF1|Normal|          25.00|"});
  ASSERT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(gCargosAplicados[0].IdCargo, 31);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "25.00");
}

TEST_F(CargosReales, AcceptLeavesTheTickedChargesInListOrder) {
  // The balance stored is applied, not the amount the list shows.
  e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (ID, CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO) VALUES "
        "(40, 'C004', '2026-03-01', 'EF1', 'Parcial', 20, 10.3456)");
  QString mostrado;
  Abre("C004", [&](FrmCtrlCargosReales& f) {
    mostrado = f.ListView1->ListItems()(1)->SubItems(ColCargos::kImporte);
    f.ListView1->ListItems()(1)->SetChecked(true);
    f.CmdAceptar->click();
  });
  EXPECT_EQ(mostrado, "          10.35");
  ASSERT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(4), "10.3456");

  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(2)->SetChecked(true);
    f.ListView1->ListItems()(3)->SetChecked(true);
    f.CmdAceptar->click();
  });
  ASSERT_EQ(gCargosAplicados.size(), 3u);
  EXPECT_EQ(gCargosAplicados[0].IdCargo, 15);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "80.00");
  EXPECT_EQ(gCargosAplicados[1].IdCargo, 70000);  // beyond 16 bits
  EXPECT_EQ(gCargosAplicados[1].ImporteAplicar.Texto(2), "1234.50");
  EXPECT_EQ(gCargosAplicados[2].IdCargo, 0);  // the closing empty record
  EXPECT_EQ(gCargosAplicados[2].ImporteAplicar.Texto(2), "0.00");
}

TEST_F(CargosReales, EscAcceptsLikeTheButton) {
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(1)->SetChecked(true);
    QTest::keyClick(f.ListView1, Qt::Key_Escape);
  });
  ASSERT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(gCargosAplicados[0].IdCargo, 7);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "150.50");
}

TEST_F(CargosReales, ClosingTheWindowLeavesTheChargesAsTheyWere) {
  gCargosAplicados = {CargoAplicado{3, vb::Moneda::DesdeTexto("1")}};
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(1)->SetChecked(true);
    f.close();
  });
  ASSERT_EQ(gCargosAplicados.size(), 1u);
  EXPECT_EQ(gCargosAplicados[0].IdCargo, 3);
}

TEST_F(CargosReales, AnAccountWithoutChargesGivesOnlyTheEmptyRecord) {
  int cantidad = -1;
  Abre("C009", [&](FrmCtrlCargosReales& f) {
    cantidad = f.ListView1->ListItems().Count();
    f.CmdAceptar->click();
  });
  EXPECT_EQ(cantidad, 0);
  ASSERT_EQ(gCargosAplicados.size(), 1u);
  EXPECT_EQ(gCargosAplicados[0].IdCargo, 0);
}

TEST_F(CargosReales, AnAccountWithAQuoteIsListed) {
  QString cabecera;
  int cantidad = -1;
  Abre("O'X", [&](FrmCtrlCargosReales& f) {
    cabecera = f.Label1->Caption();
    cantidad = f.ListView1->ListItems().Count();
    f.CmdAceptar->click();
  });
  EXPECT_EQ(cantidad, 1);
  EXPECT_EQ(cabecera, "O'X Panadería O'Brien");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(CargosReales, TheAmountOfATickedChargeCanBeLowered) {
  e.ui().eleccionesMenu = {"Aplicar"};
  e.ui().respuestasInput = {QString("100,25")};
  QString mostrado;
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(1)->SetChecked(true);
    ClicDerecho(f, 1);
    mostrado = f.ListView1->ListItems()(1)->SubItems(ColCargos::kImporte);
    f.CmdAceptar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("PopupMenu"), 1);
  EXPECT_EQ(e.ui().De("PopupMenu")[0].texto, "MNU_EmergenteXXVIII");
  ASSERT_EQ(e.ui().Cuenta("InputBox"), 1);
  EXPECT_EQ(e.ui().De("InputBox")[0].texto, "Ingrese el Nuevo Importe debe ser Menor o Igual a          150.50");
  EXPECT_EQ(e.ui().De("InputBox")[0].titulo, "Control de Cargos Reales");
  EXPECT_EQ(mostrado, "         100.25");
  ASSERT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "100.25");
}

TEST_F(CargosReales, ALargerAmountIsRefusedAndZeroChangesNothing) {
  // Amounts beyond the currency's range are the overflow error, and texts
  // that are no number the type mismatch, reported under the mouse handler:
  // they never wrap into a small amount (4.84) or a negative one, nor run
  // their digits together. An amount that shows as 0 is 0.
  const std::pair<QString, long> typed[] = {{"500", 0},       {"0", 0},           {"", 0},
                                            {"0,005", 0},     {"1844674407370960", 6}, {"1e20", 6},
                                            {"-1000000000000000", 6}, {"1,2,3", 13}, {"inf", 13}};
  e.ui().eleccionesMenu = std::deque<QString>(std::size(typed), "Aplicar");
  for (const auto& [t, error] : typed)
    e.ui().respuestasInput.push_back(t.isEmpty() ? std::nullopt : std::optional(t));
  QStringList mostrados;
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(1)->SetChecked(true);
    for (size_t i = 0; i < std::size(typed); ++i) {
      ClicDerecho(f, 1);
      mostrados << f.ListView1->ListItems()(1)->SubItems(ColCargos::kImporte);
    }
    f.CmdAceptar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto, "El Importe debe ser menor o igual al Importe original");
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Cambio de Importe");
  EXPECT_EQ(e.ui().De("MsgBox")[0].valor, 16);
  std::vector<long> errores, reportados;
  for (const auto& [t, error] : typed)
    if (error) errores.push_back(error);
  for (const auto& error : e.ui().De("Error")) {
    EXPECT_EQ(error.titulo, "Listview1_MouseDown");
    reportados.push_back(error.valor);
  }
  EXPECT_EQ(reportados, errores);
  EXPECT_EQ(mostrados, (QStringList(std::size(typed), "         150.50")));
  ASSERT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "150.50");
}

TEST_F(CargosReales, TheMenuOpensOnlyOnTickedLinesAndAClosedMenuDoesNothing) {
  e.ui().eleccionesMenu = {"Aplicar", ""};
  e.ui().respuestasInput = {QString("10")};
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    ClicDerecho(f, 2);  // not ticked
    f.ListView1->Refresh();
    QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, {},
                      f.ListView1->visualItemRect(f.ListView1->ListItems()(2)).center());
    EXPECT_EQ(e.ui().Cuenta("PopupMenu"), 0);
    f.ListView1->ListItems()(2)->SetChecked(true);
    ClicDerecho(f, 2);  // "Aplicar": asks the amount
    ClicDerecho(f, 2);  // closed without a choice: the earlier choice does not count again
    f.CmdAceptar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("PopupMenu"), 2);
  EXPECT_EQ(e.ui().Cuenta("InputBox"), 1);
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "10.00");
}

// On the demo data: the open balance the voucher class gives for an account
// is what the charges dialog lists for it, line by line.
TEST_F(DemoCptes, TheOpenBalanceOfAnAccountIsWhatTheChargesDialogLists) {
  ClsCmnCptes cptes;
  QStringList cuentas;
  {
    Recordset rs;
    gDatos.AbreRecordset("SELECT DISTINCT CUENTA FROM V_MV_CARGOSAPLICADOS ORDER BY CUENTA", rs);
    for (; !rs.Eof(); rs.MoveNext()) cuentas << rs.Fields(0).Value().toString();
  }
  ASSERT_GE(cuentas.size(), 5);
  ASSERT_GT(e.Valor("SELECT COUNT(*) FROM V_MV_CARGOSAPLICADOS WHERE SALDO IS NULL").toInt(), 0);
  QStringList distintas;
  for (const QString& cuenta : cuentas) {
    vb::Moneda listado;
    e.ui().accionesModales.push_back([&](Form& f) {
      auto& d = static_cast<FrmCtrlCargosReales&>(f);
      for (int i = 1; i <= d.ListView1->ListItems().Count(); ++i)
        listado = listado + gUtil.ConvierteMoneda(d.ListView1->ListItems()(i)->SubItems(ColCargos::kImporte));
      d.CmdAceptar->click();
    });
    cptes.ControlDeCargosReales(FrmCtrlCargosReales::Global(), cuenta);
    const vb::Moneda saldo = cptes.ImporteCargosReales(cuenta);
    if (!(saldo == listado)) distintas << cuenta + ": " + saldo.Texto(2) + " / " + listado.Texto(2);
  }
  EXPECT_EQ(distintas, QStringList());
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(CargosReales, AnInstanceOfTheCallersOwnLeavesTheGlobalOneAlone) {
  FrmCtrlCargosReales& global = FrmCtrlCargosReales::Global();
  FrmCtrlCargosReales propia;
  e.ui().accionesModales.push_back([](Form& f) {
    auto& d = static_cast<FrmCtrlCargosReales&>(f);
    d.ListView1->ListItems()(1)->SetChecked(true);
    d.CmdAceptar->click();
  });
  cptes->ControlDeCargosReales(propia, "C001");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(gCargosAplicados.size(), 2u);
  EXPECT_EQ(FrmCtrlCargosReales::Existente(), &global);
  // The global one, unloading, is released.
  e.ui().accionesModales.push_back([](Form& f) { static_cast<FrmCtrlCargosReales&>(f).CmdAceptar->click(); });
  cptes->ControlDeCargosReales(global, "C001");
  EXPECT_EQ(FrmCtrlCargosReales::Existente(), nullptr);
}

TEST_F(CargosReales, TheAmountLeftAsItWasIsAcceptedWithoutAMessage) {
  e.ui().eleccionesMenu = {"Aplicar", "Aplicar"};
  // The proposed answer as it comes, and the same amount typed.
  e.ui().respuestasInput = {QString("         150.50"), QString("150,5")};
  QStringList mostrados;
  Abre("C001", [&](FrmCtrlCargosReales& f) {
    f.ListView1->ListItems()(1)->SetChecked(true);
    for (int i = 0; i < 2; ++i) {
      ClicDerecho(f, 1);
      mostrados << f.ListView1->ListItems()(1)->SubItems(ColCargos::kImporte);
    }
    f.CmdAceptar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("InputBox"), 2);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  EXPECT_EQ(mostrados, (QStringList(2, "         150.50")));
  EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(2), "150.50");

  // A balance with more decimals than the list shows: the amount shown, as
  // proposed or typed, leaves the balance to apply; a lower one typed is
  // applied as shown.
  e.Sql("INSERT INTO V_MV_CARGOSAPLICADOS (ID, CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO) VALUES "
        "(40, 'C004', '2026-03-01', 'EF1', 'Parcial', 20, 10.3456)");
  const std::pair<const char*, const char*> respuestas[] = {
      {"          10.35", "10.3456"}, {"10,35", "10.3456"}, {"10,346", "10.3456"}, {"10,3449", "10.3400"}};
  for (const auto& [respuesta, aplicado] : respuestas) {
    e.ui().eleccionesMenu = {"Aplicar"};
    e.ui().respuestasInput = {QString(respuesta)};
    Abre("C004", [&](FrmCtrlCargosReales& f) {
      f.ListView1->ListItems()(1)->SetChecked(true);
      ClicDerecho(f, 1);
      f.CmdAceptar->click();
    });
    EXPECT_EQ(gCargosAplicados[0].ImporteAplicar.Texto(4), aplicado) << respuesta;
  }
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}
