// The report detail window and the task additional-data dialog, opened from
// the main window's list.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include "approval/frm_datos_adic_tareas.h"
#include "approval/frm_detalle_tareas.h"
#include "lookup/lib_frm_cons3.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/richtextbox.h"
#include "session/mod_global.h"
#include "support/pintura_contada.h"
#include "ventana_principal.h"

namespace {

// Right-clicks the line of a report in the list, as the mouse would.
void ClicDerecho(ListView* lista, ListItem* linea) {
  lista->Refresh();
  const QRect r = lista->visualItemRect(linea);
  QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, r.center());
}

QStringList Fila(MSFlexGrid* g, int r) {
  QStringList l;
  for (int c = 0; c < g->Cols(); ++c) l << g->TextMatrix(r, c);
  return l;
}

}  // namespace

TEST_F(VentanaPrincipal, VerDetalleShowsTheTasksOfTheChosenReport) {
  Busca();
  QStringList filas[3];
  int cantidad = 0;
  QString id;
  e.ui().eleccionesMenu = {"Ver Detalle"};
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    id = d.IdDiario;
    cantidad = d.MSFlexGrid1->Rows();
    for (int r = 0; r < 3; ++r) filas[r] = Fila(d.MSFlexGrid1, r);
    EXPECT_EQ(d.Caption(), "Detalle de Tareas Diarias");
    d.CmdAceptar->click();
  });
  ClicDerecho(w->ListView1, Linea("7"));
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(id, "7");
  EXPECT_EQ(cantidad, 4);  // header, two tasks, one empty row
  EXPECT_EQ(filas[0], (QStringList{"Tarea", "Descripcion", "Horas", "Observaciones"}));
  EXPECT_EQ(filas[1], (QStringList{"5", "Cambio de filtros", "01:30", "Sin novedad"}));
  EXPECT_EQ(filas[2], (QStringList{"12", "Limpieza de serpentina", "08:30", ""}));
  EXPECT_EQ(FrmDetalleTareas::Existente(), nullptr);  // released after Aceptar
}

TEST_F(VentanaPrincipal, DismissingThePopUpOpensNothing) {
  Busca();
  e.ui().eleccionesMenu = {"Ver Detalle", ""};
  e.ui().accionesModales.push_back([](Form& f) { f.Unload(); });
  ClicDerecho(w->ListView1, Linea("9"));
  ClicDerecho(w->ListView1, Linea("9"));  // closed without a choice right after a choice
  EXPECT_EQ(e.ui().Cuenta("PopupMenu"), 2);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 1);
  // A left click does not pop the menu up.
  QTest::mouseClick(w->ListView1->viewport(), Qt::LeftButton, {}, w->ListView1->visualItemRect(Linea("7")).center());
  EXPECT_EQ(e.ui().Cuenta("PopupMenu"), 2);
}

TEST_F(VentanaPrincipal, VerDetalleWithoutASelectedLineDoesNothing) {
  Busca();
  w->ListView1->SetSelectedItem(nullptr);
  e.ui().eleccionesMenu = {"Ver Detalle"};
  w->ListView1_MouseDown(2, 0, 0, 0);
  EXPECT_EQ(e.ui().Cuenta("PopupMenu"), 1);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
}

TEST_F(VentanaPrincipal, ARightClickOnATaskShowsItsAdditionalData) {
  QString codigo, datos, etiqueta, fechaInicio;
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    // Before any left click the current row is the first task.
    e.ui().accionesModales.push_back([&](Form& g) {
      auto& a = static_cast<FrmDatosAdicTareas&>(g);
      codigo = a.CodigoTarea;
      datos = a.txtRtf->Text();
      etiqueta = a.lblTarea->Caption();
      fechaInicio = a.TxtFields(1).Text();
      a.txtRtf->SetText("cambiado");
      a.CmdAceptar->click();
    });
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    // The second task has no additional data.
    d.MSFlexGrid1->SetRow(2);
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    // The trailing empty row does nothing.
    d.MSFlexGrid1->SetRow(3);
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.MSFlexGrid1->SetRow(1);
    d.MSFlexGrid1_MouseDown(1, 0, 0, 0);  // the left button does nothing either
    d.CmdAceptar_Click();
  });
  w->MostrarDetalleDiario("7");
  EXPECT_EQ(codigo, "   5");  // as stored, not as the grid shows it
  EXPECT_EQ(datos, "Usar filtros originales\r\nLlamar antes");
  EXPECT_EQ(etiqueta, "   5 - ");
  EXPECT_EQ(fechaInicio, "");
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto, "No tiene tareas adicionales");
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 2);
  // Nothing the dialog edited reaches the database.
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_CPTETAREAS WHERE DESCRIPCIONADICIONAL = 'cambiado'").toInt(), 0);
  EXPECT_EQ(FrmDatosAdicTareas::Existente(), nullptr);
}

// The task look-up compares the stored type and work order trimmed; stored in
// lower case and with trailing blanks they are found as the server finds them,
// and a work order or task code holding a quote or a NUL as it is stored.
TEST_F(VentanaPrincipal, TheTaskLookUpFindsTheTaskAsItIsStored) {
  const QString nul(QChar(0));
  const struct {
    QString tc, comprobanteTarea, comprobanteDiario, tarea;
  } casos[] = {
      {"  ot ", "000100000025a  ", "000100000025A", "   5"},
      {"OT", "0001'0000025" + nul + "A", "0001'0000025" + nul + "A", " '" + nul + "5"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.comprobanteDiario.toStdString());
    CargaDatos();
    e.ui().llamadas.clear();
    e.Sql("UPDATE V_MV_DIARIOS SET IDCOMPROBANTE = " + ClsDatos::Literal(c.comprobanteDiario) + " WHERE IDDIARIO = 7");
    e.Sql("UPDATE V_MV_DIARIOS SET IDTAREA = " + ClsDatos::Literal(c.tarea) + " WHERE IDDIARIO = 7 AND IDTAREA = '   5'");
    e.Sql("UPDATE V_MV_CPTETAREAS SET TC = " + ClsDatos::Literal(c.tc) + ", IDCOMPROBANTE = " +
          ClsDatos::Literal(c.comprobanteTarea) + ", IDTAREA = " + ClsDatos::Literal(c.tarea) +
          " WHERE IDTAREA = '   5' AND IDCOMPLEMENTO = 0");
    QString codigo = "sin abrir";
    e.ui().accionesModales.push_back([&](Form& f) {
      auto& d = static_cast<FrmDetalleTareas&>(f);
      e.ui().accionesModales.push_back([&](Form& g) {
        codigo = static_cast<FrmDatosAdicTareas&>(g).CodigoTarea;
        g.Unload();
      });
      d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
      d.Unload();
    });
    w->MostrarDetalleDiario("7");
    EXPECT_EQ(codigo, c.tarea);
    EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);  // not "No tiene tareas adicionales"
    EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  }
}

// A stored remark and additional text of one unbroken word (200,000 letters;
// a megabyte took a minute to open): the detail shows the remark whole in
// its cell and lays out only the part of it that shows; the dialog holds the
// additional text whole and breaks its lines anywhere.
TEST_F(VentanaPrincipal, AnUnbrokenStoredTextOfAnyLengthOpensWhole) {
  const QString palabra = QString(200000, u'x') + "FIN";
  e.Sql("UPDATE V_MV_DIARIOS SET OBSERVACIONES = '" + palabra + "' WHERE IDDIARIO = 7 AND IDTAREA = '   5'");
  e.Sql("UPDATE V_MV_CPTETAREAS SET DESCRIPCIONADICIONAL = '" + palabra + "' WHERE IDTAREA = '   5'");
  QString observaciones, adicionales;
  long caracteres = -1;
  QTextOption::WrapMode corte = QTextOption::NoWrap;
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    observaciones = d.MSFlexGrid1->TextMatrix(1, 3);
    PinturaContada pintura(d.size());
    d.render(&pintura);
    caracteres = pintura.Caracteres();
    e.ui().accionesModales.push_back([&](Form& g) {
      auto& a = static_cast<FrmDatosAdicTareas&>(g);
      adicionales = a.txtRtf->Text();
      corte = a.txtRtf->wordWrapMode();
      a.Unload();
    });
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.Unload();
  });
  w->MostrarDetalleDiario("7");
  EXPECT_EQ(observaciones, palabra);
  EXPECT_GT(caracteres, 0);
  EXPECT_LT(caracteres, 20000);
  EXPECT_EQ(adicionales, palabra);
  EXPECT_EQ(corte, QTextOption::WrapAnywhere);
}

TEST_F(VentanaPrincipal, NullValuesDoNotAbortTheDetail) {
  e.Sql("UPDATE V_MV_DIARIOS SET MINUTOS = NULL, OBSERVACIONES = NULL, IDCOMPROBANTE = NULL WHERE IDDIARIO = 15");
  QStringList fila;
  QString datos = "sin abrir";
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    fila = Fila(d.MSFlexGrid1, 1);
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.Unload();
  });
  w->MostrarDetalleDiario("15");
  EXPECT_EQ(fila, (QStringList{"9", "Ajuste", "00:00", ""}));
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // Report 9's task carries a NULL additional text: the dialog shows an empty text.
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    e.ui().accionesModales.push_back([&](Form& g) { datos = static_cast<FrmDatosAdicTareas&>(g).txtRtf->Text(); });
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.Unload();
  });
  w->MostrarDetalleDiario("9");
  EXPECT_EQ(datos, "");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(VentanaPrincipal, AReportWithoutTasksShowsOnlyTheHeader) {
  int filas = 0;
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    filas = d.MSFlexGrid1->Rows();
    d.MSFlexGrid1_MouseDown(2, 0, 0, 0);
    d.Unload();
  });
  w->MostrarDetalleDiario("99");
  EXPECT_EQ(filas, 2);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(VentanaPrincipal, HoursFollowTheConfiguredSeparator) {
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'SeparadorHora'");
  e.Sql("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('SeparadorHora', '.')");
  QString horas;
  e.ui().accionesModales.push_back([&](Form& f) {
    horas = static_cast<FrmDetalleTareas&>(f).MSFlexGrid1->TextMatrix(2, 2);
    f.Unload();
  });
  w->MostrarDetalleDiario("7");
  EXPECT_EQ(horas, "8.50");
}

namespace {

class Adicionales : public VentanaPrincipal {
 protected:
  void SetUp() override {
    VentanaPrincipal::SetUp();
    d = &FrmDatosAdicTareas::Global();
    d->CodigoTarea = "  12";
    d->Descripcion = "Limpieza";
    d->FechaEstInicio = "01/04/2026";
    d->IdTecnico = "";
    d->Show();
    QApplication::setActiveWindow(d);
  }
  void TearDown() override {
    d->hide();
    FrmDatosAdicTareas::LiberaGlobal();
    VentanaPrincipal::TearDown();
  }
  TextBox& Inicio() { return d->TxtFields(1); }
  TextBox& Fin() { return d->TxtFields(0); }
  TextBox& Tecnico() { return d->TxtFields(2); }
  FrmDatosAdicTareas* d = nullptr;
};

}  // namespace

TEST_F(Adicionales, LoadShowsTheMembers) {
  EXPECT_EQ(d->lblTarea->Caption(), "  12 - Limpieza");
  EXPECT_EQ(Inicio().Text(), "01/04/2026");
  EXPECT_EQ(d->LblResponsable->Caption(), "...");
  EXPECT_EQ(d->Caption(), "Datos Adicionales de Tareas");
}

TEST_F(Adicionales, TechnicianIsValidatedAgainstTheTable) {
  Tecnico().setFocus();
  QTest::keyClicks(&Tecnico(), "2");
  QTest::keyClick(&Tecnico(), Qt::Key_Return);
  EXPECT_EQ(d->LblResponsable->Caption(), "María Gómez");
  EXPECT_FALSE(d->lHayError);
  Tecnico().setFocus();
  Tecnico().clear();
  QTest::keyClicks(&Tecnico(), "8");
  QTest::keyClick(&Tecnico(), Qt::Key_Return);
  EXPECT_TRUE(d->lHayError);
  EXPECT_TRUE(Tecnico().hasFocus());  // the focus stays
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto, "El Técnico informado no Existe!!!");
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al operador...");
  EXPECT_EQ(e.ui().De("MsgBox")[0].valor, 16);
  Tecnico().clear();
  QTest::keyClick(&Tecnico(), Qt::Key_Return);
  EXPECT_EQ(d->LblResponsable->Caption(), "...");
  EXPECT_FALSE(d->lHayError);
}

TEST_F(Adicionales, DatesAreCheckedAgainstEachOther) {
  Inicio().SetText("31/02/2026");
  d->CampoValida(&Inicio());
  EXPECT_TRUE(d->lHayError);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_EQ(e.ui().De("MsgBox").back().texto, "La Fecha Ingresada no es válida!!!");
  Inicio().SetText("10/04/2026");
  d->CampoValida(&Inicio());  // no movement date to compare with
  EXPECT_FALSE(d->lHayError);
  Fin().SetText("09/04/2026");
  d->CampoValida(&Fin());
  EXPECT_TRUE(d->lHayError);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_EQ(e.ui().De("MsgBox").back().texto, "La fecha estimada de fin no puede ser menor a la del inicio");
  Fin().SetText("10/04/2026");
  d->CampoValida(&Fin());
  EXPECT_FALSE(d->lHayError);
  d->FechaInicioComprobante = "11/04/2026";
  d->CampoValida(&Inicio());
  EXPECT_TRUE(d->lHayError);
  ASSERT_FALSE(e.ui().De("MsgBox").empty());
  EXPECT_EQ(e.ui().De("MsgBox").back().texto, "La fecha estimada de Inicio no puede ser menor a la del movimiento");
}

TEST_F(Adicionales, F5PicksADateAndF2Accepts) {
  Fin().setFocus();
  QTest::keyClick(&Fin(), Qt::Key_1);
  Fin().clear();
  e.ui().fechas = {QString("20/04/2026")};
  QTest::keyClick(&Fin(), Qt::Key_F5);
  EXPECT_EQ(Fin().Text(), "20/04/2026");
  EXPECT_TRUE(Tecnico().hasFocus());  // validated and moved on
  d->txtRtf->SetText("Línea 1\r\nLínea 2");
  Inicio().clear();
  QTest::keyClick(&Tecnico(), Qt::Key_F2);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->FechaEstFin, "20/04/2026");
  EXPECT_EQ(d->FechaEstInicio, "01/04/2026");  // an empty start leaves the member as given
  EXPECT_EQ(d->DatosAdicionales, "Línea 1\r\nLínea 2");
}

TEST_F(Adicionales, TheTechnicianLookupFillsAndValidatesTheField) {
  Tecnico().setFocus();
  e.ui().accionesModales.push_back([](Form& f) {
    auto& lista = dynamic_cast<Lib_FrmCons3&>(f);
    lista.CmbSearch(0).SetText("Juan");
    lista.CmdAceptar->click();
  });
  QTest::keyClick(&Tecnico(), Qt::Key_F5);
  EXPECT_EQ(Tecnico().Text(), "1");
  EXPECT_EQ(d->LblResponsable->Caption(), "Juan Pérez");
  // A look-up that returns nothing leaves the field unchanged and does not validate.
  Tecnico().setFocus();
  Tecnico().SetText("8");
  e.ui().accionesModales.push_back([](Form& f) { dynamic_cast<Lib_FrmCons3&>(f).CmdCancelar->click(); });
  d->CmdConsultar_Click();
  EXPECT_EQ(Tecnico().Text(), "8");
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
}

TEST_F(VentanaPrincipal, TheTaskHeadersShowWholeInTheWindowsFont) {
  Busca();
  QStringList cortados;
  QString fuenteGrilla, fuenteVentana;
  e.ui().eleccionesMenu = {"Ver Detalle"};
  e.ui().accionesModales.push_back([&](Form& f) {
    auto& d = static_cast<FrmDetalleTareas&>(f);
    MSFlexGrid* g = d.MSFlexGrid1;
    fuenteGrilla = QFontInfo(g->font()).family() + QString::number(g->font().pointSizeF());
    fuenteVentana = QFontInfo(d.font()).family() + QString::number(d.font().pointSizeF());
    const QFontMetrics m(g->font());
    for (int c = 0; c < g->Cols(); ++c) {
      const QString titulo = g->TextMatrix(0, c);
      if (m.horizontalAdvance(titulo) + 2 * MSFlexGrid::kMargenTexto > APixeles(g->ColWidth(c))) cortados << titulo;
    }
    d.CmdAceptar->click();
  });
  ClicDerecho(w->ListView1, Linea("7"));
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(fuenteGrilla, fuenteVentana);
  EXPECT_EQ(cortados, QStringList());
}
