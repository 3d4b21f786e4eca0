// ConsultaComprobante: the voucher pick list shown modally, driven through
// its widgets, and its choice handed back to the caller.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "base_cptes.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/listview.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"
#include "support/lineas.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

class ConsultaCpte : public ConBase {
 protected:
  void SetUp() override {
    ConBase::SetUp();
    Venta("OT", "000100000025A", 0, "Talleres Ulmendra", "1500");
    Venta("OT", "000100000030A", 2, "Frigorífico Dorlanda", "820");
    Venta("OT", "000200000001B", 5, "Panadería O'Brien", "99");
    e.Sql("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, FECHA, CUENTA, NOMBRE, IMPORTE) VALUES "
          "(' FCC', '000300000777A', '2026-03-07', 'P002', 'Bombas Quelvar', 1210)");
    // The class reads its configuration when it is made: after the start-up.
    cptes_ = std::make_unique<ClsCmnCptes>();
  }

  // The line of the open list whose key is clave.
  static ListItem* Linea(FrmConsComprobantes& f, const QString& clave) {
    return LineaDe(f.ListView1, ColConsVentas::kComprobante, clave);
  }
  static QPoint Centro(FrmConsComprobantes& f, ListItem* it) {
    f.ListView1->Refresh();
    return f.ListView1->visualItemRect(it).center();
  }

  std::unique_ptr<ClsCmnCptes> cptes_;
};

}  // namespace

TEST_F(ConsultaCpte, ClickingALineAndAceptarHandsBackItsKeyAndComplement) {
  QString tc, filtro, nro = "sin tocar";
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    tc = f.TC;
    filtro = f.Filtro;
    nro = f.NroComprobante;
    ListItem* it = Linea(f, "000100000030A");
    ASSERT_NE(it, nullptr);
    QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, {}, Centro(f, it));
    ASSERT_EQ(f.ListView1->SelectedItem(), it);
    QTest::mouseClick(f.CmdAceptar, Qt::LeftButton);
  });
  QString respuesta = "previa", complemento, proveedor = "sin tocar";
  cptes_->ConsultaComprobante("OT", respuesta, QString(), &complemento, &proveedor);
  EXPECT_EQ(respuesta, "000100000030A");
  EXPECT_EQ(complemento, "2");
  EXPECT_EQ(proveedor, "");
  EXPECT_EQ(tc, "OT");
  EXPECT_EQ(filtro, "");
  EXPECT_EQ(nro, "");  // emptied before the show
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(e.ui().De("Modal")[0].texto, "FrmConsComprobantes");
  EXPECT_EQ(FrmConsComprobantes::Existente(), nullptr);  // released for the next pick
}

TEST_F(ConsultaCpte, EnterOnTheListAcceptsTheSelectedLine) {
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    f.ListView1->SetFocus();
    f.ListView1->SetSelectedItem(Linea(f, "000200000001B"));
    QTest::keyClick(f.ListView1, Qt::Key_Return);
  });
  QString respuesta, complemento;
  cptes_->ConsultaComprobante("OT", respuesta, QString(), &complemento);
  EXPECT_EQ(respuesta, "000200000001B");
  EXPECT_EQ(complemento, "5");
}

TEST_F(ConsultaCpte, ADoubleClickOnALineAcceptsIt) {
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    QTest::mouseDClick(f.ListView1->viewport(), Qt::LeftButton, {}, Centro(f, Linea(f, "000100000025A")));
  });
  QString respuesta, complemento;
  cptes_->ConsultaComprobante("OT", respuesta, QString(), &complemento);
  EXPECT_EQ(respuesta, "000100000025A");
  EXPECT_EQ(complemento, "0");
}

TEST_F(ConsultaCpte, CancelClosingOrNoChoiceGiveAnEmptyAnswer) {
  // Cancel after selecting a line.
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    f.ListView1->SetSelectedItem(Linea(f, "000100000025A"));
    f.CmdCancelar->click();
  });
  // The window's close box.
  e.ui().accionesModales.push_back([&](Form& form) { form.close(); });
  // Shown and dismissed without any action.
  e.ui().accionesModales.push_back(nullptr);
  for (int i = 0; i < 3; ++i) {
    QString respuesta = "previa", complemento = "previo";
    cptes_->ConsultaComprobante("OT", respuesta, QString(), &complemento);
    EXPECT_EQ(respuesta, "") << i;
    EXPECT_EQ(complemento, "") << i;
    EXPECT_EQ(FrmConsComprobantes::Existente(), nullptr);
  }
  EXPECT_EQ(e.ui().Cuenta("Modal"), 3);
}

TEST_F(ConsultaCpte, EachPickStartsFromAFreshList) {
  int lineas[2] = {0, 0};
  FrmConsComprobantes* formas[2] = {nullptr, nullptr};
  for (int i = 0; i < 2; ++i) {
    e.ui().accionesModales.push_back([&, i](Form& form) {
      auto& f = static_cast<FrmConsComprobantes&>(form);
      formas[i] = &f;
      lineas[i] = f.ListView1->ListItems().Count();
      f.ListView1->SetSelectedItem(f.ListView1->ListItems()(1));
      f.CmdAceptar->click();
    });
  }
  QString r1, r2, c1, c2;
  cptes_->ConsultaComprobante("OT", r1, QString(), &c1);
  cptes_->ConsultaComprobante("OT", r2, QString(), &c2);
  EXPECT_EQ(lineas[0], 3);
  EXPECT_EQ(lineas[1], 3);
  EXPECT_EQ(r1, "000200000001B");
  EXPECT_EQ(r2, r1);
  EXPECT_NE(formas[0], formas[1]);
}

TEST_F(ConsultaCpte, TheClassReadsTheVatRatesWhenItIsMade) {
  EXPECT_DOUBLE_EQ(cptes_->TasaIVA, 21.0);
  EXPECT_DOUBLE_EQ(cptes_->TasaIVARecargo, 10.5);
  Config("PIVA", "10,5");
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PIVARec'");
  ClsCmnCptes otro;
  EXPECT_DOUBLE_EQ(otro.TasaIVA, 10.5);
  EXPECT_DOUBLE_EQ(otro.TasaIVARecargo, 0.0);  // a missing key reads as one blank
  EXPECT_DOUBLE_EQ(cptes_->TasaIVA, 21.0);     // each object keeps its own
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ConsultaCpte, TheFilterReachesTheList) {
  int lineas = -1;
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    lineas = f.ListView1->ListItems().Count();
    f.ListView1->SetSelectedItem(f.ListView1->ListItems()(1));
    f.CmdAceptar->click();
  });
  QString respuesta;
  cptes_->ConsultaComprobante("OT", respuesta, "NOMBRE = 'Panadería O''Brien'");
  EXPECT_EQ(lineas, 1);
  EXPECT_EQ(respuesta, "000200000001B");
}

TEST_F(ConsultaCpte, PurchaseVouchersHandBackTheSupplier) {
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    f.ListView1->SetSelectedItem(f.ListView1->ListItems()(1));
    f.CmdAceptar->click();
  });
  QString respuesta, complemento = "previo", proveedor;
  cptes_->ConsultaComprobante("FCC", respuesta, QString(), &complemento, &proveedor);
  EXPECT_EQ(respuesta, "000300000777A");
  EXPECT_EQ(proveedor, "P002");
  EXPECT_EQ(complemento, "");  // what the fresh list leaves
}

TEST_F(ConsultaCpte, AStoredKeyOfAnotherLengthComesBackAsItIs) {
  e.Sql("UPDATE V_MV_CPTE SET IDCOMPROBANTE = '0001-25A' WHERE IDCOMPROBANTE = '000100000025A'");
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    f.ListView1->SetSelectedItem(Linea(f, "0001-25A"));
    f.CmdAceptar->click();
  });
  QString respuesta, complemento;
  cptes_->ConsultaComprobante("OT", respuesta, QString(), &complemento);
  EXPECT_EQ(respuesta, "0001-25A");
  EXPECT_EQ(complemento, "0");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ConsultaCpte, AnUnknownTypeShowsAnEmptyListAndAnswersNothing) {
  int lineas = -1;
  e.ui().accionesModales.push_back([&](Form& form) {
    auto& f = static_cast<FrmConsComprobantes&>(form);
    lineas = f.ListView1->ListItems().Count();
    f.CmdAceptar->click();
  });
  QString respuesta = "previa";
  cptes_->ConsultaComprobante("XYZ'", respuesta);
  EXPECT_EQ(lineas, 0);
  EXPECT_EQ(respuesta, "");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
