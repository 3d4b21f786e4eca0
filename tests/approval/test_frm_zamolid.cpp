// The main window: load, search, list, approval, bar and keys.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

#include "approval/frm_detalle_tareas.h"
#include "lookup/lib_frm_cons3.h"
#include "voucher_dialogs/frm_cons_comprobantes.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/label.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "support/bloqueo.h"
#include "support/pegado.h"
#include "ventana_principal.h"

TEST_F(VentanaPrincipal, LoadsEmptyWithItsColumnsAndBarOff) {
  EXPECT_EQ(w->Caption(), "Zamolid Realizadas");
  EXPECT_EQ(w->ListView1->ListItems().Count(), 0);
  ASSERT_EQ(w->ListView1->ColumnHeaders().Count(), 6);
  QStringList titulos;
  for (int i = 1; i <= 6; ++i) titulos << w->ListView1->ColumnHeaders()(i)->Text();
  EXPECT_EQ(titulos, (QStringList{"Fecha", "IdDiario", "Orden de Trabajo", "Id", "Técnico", "Controlado por"}));
  EXPECT_EQ(w->ListView1->ColumnHeaders()(5)->Width(), w->TextWidth(QString(22, 'X')));
  for (const QString& k : Plexatol::Claves()) EXPECT_FALSE(w->Plexatol1->Habilitado(k)) << k.toStdString();
  EXPECT_FALSE(w->windowIcon().isNull());
  EXPECT_EQ(w->Plexatol1->StyleBar(), 1.0);
  EXPECT_EQ(w->txtFields.Count(), 11);
  EXPECT_FALSE(w->txtFields.Existe(10));
  EXPECT_EQ(Caja("Fecha_Desde").MaxLength(), 10);
  EXPECT_EQ(Caja("Nro_Hasta").Tag, "COMPROBANTES");
}

TEST_F(VentanaPrincipal, EmptyRangesListEveryReportOnce) {
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "11", "13", "15"}));
  ListItem* siete = Linea("7");
  EXPECT_EQ(siete->Text(), "10/03/2026");
  EXPECT_EQ(siete->SubItems(2), "000100000025A");
  EXPECT_EQ(siete->SubItems(3), "0");
  EXPECT_EQ(siete->SubItems(4), "1 - Juan Pérez");
  EXPECT_EQ(siete->SubItems(5), "");
  EXPECT_EQ(siete->SmallIcon(), FrmZamolid::kIconoPendiente);
  EXPECT_FALSE(siete->Checked());
  ListItem* once = Linea("11");
  EXPECT_EQ(once->SmallIcon(), FrmZamolid::kIconoAprobado);
  EXPECT_TRUE(once->Checked());
  EXPECT_EQ(once->SubItems(4), "12 - Patricio O'Neill");
  EXPECT_EQ(once->SubItems(5), "Ana");
  EXPECT_EQ(Linea("9")->SmallIcon(), FrmZamolid::kIconoPendiente);  // a blank approver is pending
  EXPECT_EQ(Linea("13")->SubItems(4), "3 - ");                    // technician without a row
}

TEST_F(VentanaPrincipal, EachRangeShapeComposesItsWhereText) {
  QString where;
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, "");

  Caja("Fecha_Hasta").SetText("15/03/2026");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (FECHA  <= '2026-03-15 23:59:59') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9"}));

  Caja("Fecha_Hasta").clear();
  Caja("Sucursal_Desde").SetText("1");
  Caja("Nro_Desde").SetText("25");
  Caja("Letra_Desde").SetText("A");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000025A') ");

  Caja("Sucursal_Hasta").SetText("1");
  Caja("Nro_Hasta").SetText("40");
  Caja("Letra_Hasta").SetText("A");
  Caja("Fecha_Desde").SetText("12/03/2026");
  Caja("Tecnico_Desde").SetText(" 2");
  Caja("Tecnico_Hasta").SetText("3");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where,
            " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000025A') AND (LTRIM(RTRIM(IDCOMPROBANTE)) <= '000100000040A') "
            " AND  (FECHA  >= '2026-03-12')  AND  (LTRIM(RTRIM(IDTECNICO)) >= '2') AND (LTRIM(RTRIM(IDTECNICO)) <= '3') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"9", "13"}));

  // Only the technicians: no leading AND; both dates: a single blank before the operators.
  for (auto& [i, c] : w->txtFields.Elementos()) c->clear();
  Caja("Tecnico_Hasta").SetText("1");
  Caja("Fecha_Desde").SetText("01/03/2026");
  Caja("Fecha_Hasta").SetText("10/03/2026");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (FECHA >= '2026-03-01') AND (FECHA <= '2026-03-10 23:59:59')  AND  (LTRIM(RTRIM(IDTECNICO)) <= '1') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7"}));

  // Technician codes compare as text, as they are stored: 1 to 5 takes in
  // technician 12 (report 11), 2 to 9 leaves it out.
  for (auto& [i, c] : w->txtFields.Elementos()) c->clear();
  for (const auto& [desde, hasta, ids] : {std::tuple{"1", "5", QStringList{"7", "9", "11", "13", "15"}},
                                          std::tuple{"2", "9", QStringList{"9", "13", "15"}}}) {
    Caja("Tecnico_Desde").SetText(desde);
    Caja("Tecnico_Hasta").SetText(hasta);
    Busca();
    EXPECT_EQ(Ids(), ids) << desde << " to " << hasta;
  }
}

TEST_F(VentanaPrincipal, RangeEndsOfBlanksCountAsEmpty) {
  Caja("Sucursal_Desde").SetText("   ");
  Caja("Tecnico_Desde").SetText("  ");
  Caja("Fecha_Hasta").SetText("   ");
  QString where;
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, "");
}

TEST_F(VentanaPrincipal, QuotesAndSqlInTheBoxesAreOnlyText) {
  Busca();
  // The boxes keep as many characters as their maximum length.
  w->activateWindow();
  Caja("Tecnico_Desde").setFocus();
  QTest::keyClicks(&Caja("Tecnico_Desde"), "1' OR '1'='1");
  EXPECT_EQ(Caja("Tecnico_Desde").Text(), "1' O");
  Caja("Letra_Desde").SetText("'");
  QString where;
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '''')  AND  (LTRIM(RTRIM(IDTECNICO)) >= '1'' O') ");
  Busca();
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // Technician codes "12", "2" and "3" come after "1' O" in text order; "1" does not.
  EXPECT_EQ(Ids(), (QStringList{"9", "11", "13", "15"}));
  Caja("Responsable").SetText("x'); DELETE FROM V_MV_DIARIOS; --");
  Linea("15")->SetChecked(true);
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(15), "x'); DELETE FROM V_MV_DIARIOS; --");
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS").toInt(), 6);

  // A NUL pasted into a box is one more character: searched and stored as
  // typed. Technician codes up to "1", NUL, "2" take in "1" but not "12".
  const QString nul(QChar(0));
  Caja("Tecnico_Desde").clear();
  Caja("Letra_Desde").clear();
  Pega(&Caja("Tecnico_Hasta"), "1" + nul + "2");
  ASSERT_EQ(Caja("Tecnico_Hasta").Text(), "1" + nul + "2");
  QTest::mouseClick(w->CmdBuscar, Qt::LeftButton);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(Ids(), QStringList{"7"});
  Caja("Responsable").clear();
  Pega(&Caja("Responsable"), "x" + nul + "y'");
  EXPECT_TRUE(w->Plexatol1->grabarenabled());
  Linea("7")->SetChecked(true);
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);  // every ticked report took the name
  EXPECT_EQ(Aprobador(7), "x" + nul + "y'");
  EXPECT_EQ(Linea("7")->SubItems(5), "x" + nul + "y'");
}

TEST_F(VentanaPrincipal, DatesThatAreNotDatesStopTheSearch) {
  Busca();
  Caja("Fecha_Desde").SetText("31/02/2026");
  Busca();
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al Operador");
  EXPECT_TRUE(e.ui().De("MsgBox")[0].texto.contains("Fecha Desde"));
  EXPECT_EQ(Ids().size(), 5);  // nothing ran: the list is as it was
  Caja("Fecha_Desde").clear();
  Caja("Fecha_Hasta").SetText("ayer");
  Busca();
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 2);
}

TEST_F(VentanaPrincipal, ApprovalWritesTheNameIntoTheTickedPendingReportsOfTypeOT) {
  Busca();
  QTest::keyClicks(&Caja("Responsable"), " O'Neill");
  EXPECT_TRUE(w->Plexatol1->grabarenabled());
  for (const char* id : {"7", "9", "11", "13"}) Linea(id)->SetChecked(true);
  w->Plexatol1_Click("grabar");
  EXPECT_EQ(Aprobador(7), " O'Neill");  // untrimmed, quote kept
  EXPECT_EQ(Aprobador(9), " O'Neill");
  EXPECT_EQ(Aprobador(11), "Ana");       // already approved
  EXPECT_EQ(Aprobador(13), "<NULL>");    // not a work order
  EXPECT_EQ(Aprobador(15), "<NULL>");    // not ticked
  // The list is reloaded with every report.
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "11", "13", "15"}));
  EXPECT_EQ(Linea("7")->SmallIcon(), FrmZamolid::kIconoAprobado);
  EXPECT_TRUE(Linea("7")->Checked());
  EXPECT_EQ(Linea("7")->SubItems(5), "O'Neill");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  // The report of another type was ticked but not approved: the user is told.
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto,
            "De los 3 partes marcados, 1 no se aprobó:\n- 1 no es de una orden de trabajo: 13");
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al Operador");
}

TEST_F(VentanaPrincipal, AnApprovalMadeMeanwhileIsKept) {
  Busca();
  Caja("Responsable").SetText("Luis");
  Linea("7")->SetChecked(true);
  Linea("15")->SetChecked(true);
  e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Marta' WHERE IDDIARIO = 7");
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(7), "Marta");
  EXPECT_EQ(Aprobador(15), "Luis");
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto,
            "De los 2 partes marcados, 1 no se aprobó:\n- 1 ya había sido aprobado por otro supervisor: 7 (Marta)");
}

TEST_F(VentanaPrincipal, TheApprovalTellsHowManyTickedReportsWereNotApprovedAndWhy) {
  Busca();
  Caja("Responsable").SetText("Luis");
  for (const char* id : {"7", "9", "13", "15"}) Linea(id)->SetChecked(true);
  // Meanwhile: report 7 approved by Marta and 9 by Pablo, report 15 deleted.
  e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Marta' WHERE IDDIARIO = 7");
  e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Pablo' WHERE IDDIARIO = 9");
  e.Sql("DELETE FROM V_MV_DIARIOS WHERE IDDIARIO = 15");
  w->Plexatol1_Click("GRABAR");
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].texto,
            "De los 4 partes marcados, 4 no se aprobaron:\n"
            "- 2 ya habían sido aprobados por otro supervisor: 7 (Marta), 9 (Pablo)\n"
            "- 1 no es de una orden de trabajo: 13\n"
            "- 1 ya no existe: 15");
  // The list was reloaded before the message: it shows what happened.
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "11", "13"}));
  EXPECT_EQ(Linea("9")->SubItems(5), "Pablo");
  // When every ticked report is approved nothing is said.
  e.ui().llamadas.clear();
  e.Sql("INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO) VALUES "
        "(21, '2026-04-03', 'OT', '000300000002A', 0, '   2'), (22, '2026-04-03', 'OT', '000300000002A', 0, '   2')");
  Busca();
  Linea("21")->SetChecked(true);
  Linea("22")->SetChecked(true);
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(21), "Luis");
  EXPECT_EQ(Aprobador(22), "Luis");
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  // At most twenty ids of a reason are listed: reports 100 on, of another
  // type, none of which can be approved.
  AgregaReportes(100, 120, "PR");
  const struct {
    int marcados;
    QString cola;  // after the listed ids
  } casos[] = {{20, ""}, {21, " y 1 más"}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.marcados);
    e.ui().llamadas.clear();
    Busca();
    QStringList listados;
    for (int id = 100; id < 100 + c.marcados; ++id) {
      Linea(QString::number(id))->SetChecked(true);
      if (listados.size() < 20) listados << QString::number(id);
    }
    w->Plexatol1_Click("GRABAR");
    ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
    EXPECT_EQ(e.ui().De("MsgBox")[0].texto,
              QString("De los %1 partes marcados, %1 no se aprobaron:\n- %1 no son de una orden de trabajo: ")
                      .arg(c.marcados) +
                  listados.join(", ") + c.cola);
  }
}

// Whatever name is pasted into the box, the approval stores it as the box
// holds it (cut at 50 whole characters: a character outside the basic plane
// is two units of text and is never split), shows it, counts it as this
// supervisor's own approval, and keeps it from the next approval.
TEST_F(VentanaPrincipal, AnApproverWithLeadingBlanksStillCountsItsOwnApprovals) {
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // outside the basic plane
  const QChar bom(0xFEFF), nul(0);
  const struct {
    QString pegado, guardado;
  } casos[] = {
      {"  Ana María ", "  Ana María "},
      {"O'Neill", "O'Neill"},
      {"''", "''"},
      {"'; DELETE FROM V_MV_DIARIOS; --", "'; DELETE FROM V_MV_DIARIOS; --"},
      {"'+CHAR(0)+'", "'+CHAR(0)+'"},
      {"Ana" + QString(nul) + "Bel", "Ana" + QString(nul) + "Bel"},
      {"50% [a-z]_\\", "50% [a-z]_\\"},
      {"\tAna", "\tAna"},
      {QString(50, u'x'), QString(50, u'x')},
      {QString(51, u'y'), QString(50, u'y')},
      {QString(48, u'z') + emoji, QString(48, u'z') + emoji},
      {QString(49, u'z') + emoji, QString(49, u'z')},
      {emoji.repeated(26), emoji.repeated(25)},
      {"Ana " + emoji + " Pérez", "Ana " + emoji + " Pérez"},
      {QString(bom) + "Juan", QString(bom) + "Juan"},
      {QString(bom), QString(bom)},
      {"Juan" + QString(bom), "Juan" + QString(bom)},
      {QString::fromUtf8("Jose\xCC\x81"), QString::fromUtf8("Jose\xCC\x81")},  // a combining accent
      {QString::fromUtf8("\xE2\x80\xAE" "abc"), QString::fromUtf8("\xE2\x80\xAE" "abc")},  // right to left
      {QString::fromUtf8("\xC2\xA0" "Ana"), QString::fromUtf8("\xC2\xA0" "Ana")},
      {QString::fromUtf8("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xE7\x8E\x8B"), QString::fromUtf8("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xE7\x8E\x8B")},
      {"ANA", "ANA"},
      {"a" + QString(QChar(0xD800)) + "b", "ab"},  // a lone half of a character
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.pegado.toStdString());
    e.ui().llamadas.clear();
    e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL WHERE IDDIARIO = 15");
    Busca();
    Caja("Responsable").clear();
    Pega(&Caja("Responsable"), c.pegado);
    EXPECT_EQ(Caja("Responsable").Text(), c.guardado);
    Linea("15")->SetChecked(true);
    ASSERT_TRUE(w->Plexatol1->grabarenabled());
    w->Plexatol1_Click("GRABAR");
    // The bytes stored, read apart from the program's own reading.
    EXPECT_EQ(e.Valor("SELECT hex(AUTORIZADOPOR) FROM V_MV_DIARIOS WHERE IDDIARIO = 15").toString(),
              QString::fromLatin1(c.guardado.toUtf8().toHex().toUpper()));
    EXPECT_EQ(Aprobador(15), c.guardado);
    EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0) << (e.ui().llamadas.empty() ? std::string() : e.ui().llamadas[0].texto.toStdString());
    EXPECT_EQ(Linea("15")->SmallIcon(), FrmZamolid::kIconoAprobado);
    EXPECT_TRUE(Linea("15")->Checked());
    EXPECT_EQ(Linea("15")->SubItems(5), vb::Trim(c.guardado));
    // The next approval leaves it as it is.
    gDatos.Ejecuta(FrmZamolid::SentenciasAprobacion(QList<QStringList>{{"15"}}, "Otro").join("\r\n"));
    EXPECT_EQ(Aprobador(15), c.guardado);
  }
}

TEST_F(VentanaPrincipal, OnlyApprovedLinesTickedRunsNothing) {
  Caja("Tecnico_Desde").SetText("12");
  Caja("Tecnico_Hasta").SetText("12");
  Busca();
  ASSERT_EQ(Ids(), (QStringList{"11"}));
  Caja("Responsable").SetText("Luis");
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(11), "Ana");
  EXPECT_EQ(Ids(), (QStringList{"11"}));  // not reloaded
}

TEST_F(VentanaPrincipal, ApprovedLinesCannotBeUnticked) {
  Busca();
  ListItem* once = Linea("11");
  // The user unticks the approved line through the list's check box.
  once->setData(0, Qt::CheckStateRole, Qt::Unchecked);
  EXPECT_TRUE(once->Checked());
  EXPECT_EQ(w->ListView1->SelectedItem(), once);
  ListItem* siete = Linea("7");
  siete->setData(0, Qt::CheckStateRole, Qt::Checked);
  EXPECT_TRUE(siete->Checked());
  siete->setData(0, Qt::CheckStateRole, Qt::Unchecked);
  EXPECT_FALSE(siete->Checked());
}

TEST_F(VentanaPrincipal, SaveButtonFollowsTheApproverBox) {
  TextBox& r = Caja("Responsable");
  r.SetText("   ");
  EXPECT_FALSE(w->Plexatol1->grabarenabled());
  r.SetText("Ana");
  EXPECT_TRUE(w->Plexatol1->grabarenabled());
  Caja("Tecnico_Desde").SetText("1");  // another box re-evaluates from the approver box
  EXPECT_TRUE(w->Plexatol1->grabarenabled());
  r.clear();
  EXPECT_FALSE(w->Plexatol1->grabarenabled());
  r.SetText("Ana");
  w->Plexatol1_Click("NUEVO");
  EXPECT_FALSE(w->Plexatol1->grabarenabled());
  EXPECT_EQ(r.Text(), "");
}

TEST_F(VentanaPrincipal, LookupButtonFollowsTheLastKeyInABox) {
  w->activateWindow();
  Caja("Tecnico_Desde").setFocus();
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_1);
  EXPECT_TRUE(w->Plexatol1->consultaenabled());
  QTest::keyClick(&Caja("Responsable"), Qt::Key_A);
  EXPECT_FALSE(w->Plexatol1->consultaenabled());
  w->Plexatol1_Click("NUEVO");
  EXPECT_FALSE(w->Plexatol1->consultaenabled());  // NUEVO leaves the look-up flag
}

TEST_F(VentanaPrincipal, CancelarAndCerrarCloseTheWindow) {
  w->Plexatol1_Click("cancelar");
  EXPECT_TRUE(cerrado);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(FrmZamolid::Existente(), nullptr);
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);  // no question asked
}

TEST_F(VentanaPrincipal, UnknownKeyWordsDoNothing) {
  Busca();
  w->Plexatol1_Click("PLANILLA");
  w->Plexatol1_Click("REPORTE");
  w->Plexatol1_Click("BORRAR");
  w->Plexatol1_Click("otra");
  EXPECT_FALSE(cerrado);
  EXPECT_EQ(Ids().size(), 5);
}

TEST_F(VentanaPrincipal, FunctionKeysReachTheBarThroughTheKeyPreview) {
  w->activateWindow();
  Caja("Responsable").setFocus();
  QTest::keyClicks(&Caja("Responsable"), "Luis");
  Busca();
  Linea("15")->SetChecked(true);
  QTest::keyClick(&Caja("Responsable"), Qt::Key_F2);  // GRABAR
  EXPECT_EQ(Aprobador(15), "Luis");
}

TEST_F(VentanaPrincipal, EnterMovesToTheNextBox) {
  w->activateWindow();
  Caja("Sucursal_Desde").setFocus();
  QTest::keyClick(&Caja("Sucursal_Desde"), Qt::Key_Return);
  EXPECT_TRUE(Caja("Nro_Desde").hasFocus());
  Caja("Letra_Hasta").setFocus();
  QTest::keyClick(&Caja("Letra_Hasta"), Qt::Key_Return);
  EXPECT_TRUE(Caja("Fecha_Desde").hasFocus());
  Caja("Tecnico_Hasta").setFocus();
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_Return);
  EXPECT_TRUE(w->CmdBuscar->hasFocus());
}

TEST_F(VentanaPrincipal, DatePickerFillsTheFocusedDateBox) {
  w->activateWindow();
  Caja("Fecha_Desde").setFocus();
  QTest::keyClick(&Caja("Fecha_Desde"), Qt::Key_1);  // a key in a tagged box turns the look-up on
  e.ui().fechas = {QString("05/03/2026")};
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(Caja("Fecha_Desde").Text(), "05/03/2026");
  EXPECT_TRUE(Caja("Fecha_Hasta").hasFocus());  // moved on as for Enter
  // A cancelled picker leaves the box as it was.
  Caja("Fecha_Desde").setFocus();
  e.ui().fechas = {std::nullopt};
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(Caja("Fecha_Desde").Text(), "05/03/2026");
  // The approver box has no look-up.
  Caja("Responsable").setFocus();
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(e.ui().Cuenta("PideFecha"), 2);
}

TEST_F(VentanaPrincipal, ADatabaseFailingMidSearchIsReportedAndRetried) {
  Busca();
  e.Sql("ALTER TABLE V_MV_DIARIOS RENAME TO DIARIOS_APARTE");
  e.ui().respuestasError = {3};
  Busca();
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "CargarComprobantes");
  EXPECT_EQ(Ids().size(), 0);
  // Retry after the table is back.
  e.ui().respuestasError = {4};
  e.ui().llamadas.clear();
  e.Sql("ALTER TABLE DIARIOS_APARTE RENAME TO V_MV_DIARIOS");
  Busca();
  EXPECT_EQ(Ids().size(), 5);
}

TEST_F(VentanaPrincipal, AFailedApprovalWritesNothing) {
  Busca();
  Caja("Responsable").SetText("Luis");
  Linea("7")->SetChecked(true);
  e.Sql("CREATE TRIGGER NO_APROBAR BEFORE UPDATE ON V_MV_DIARIOS BEGIN SELECT RAISE(ABORT, 'bloqueado'); END");
  e.ui().respuestasError = {4, 3};  // retry once, then give up
  w->Plexatol1_Click("GRABAR");
  ASSERT_EQ(e.ui().Cuenta("Error"), 2);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "Plexatol1_Click");
  EXPECT_EQ(Aprobador(7), "<NULL>");
  EXPECT_EQ(Aprobador(15), "<NULL>");
  EXPECT_TRUE(Linea("7")->Checked());  // the list was not reloaded
  // Once the cause is gone the same ticks approve.
  e.Sql("DROP TRIGGER NO_APROBAR");
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(7), "Luis");
}

// The approval's second statement fails after the first has changed its 500
// reports: none of them keeps the name, the connection is back in
// autocommit holding no lock, and the list keeps its ticks.
TEST_F(VentanaPrincipal, AnApprovalFailingHalfWayWritesNoneOfItsParts) {
  AgregaReportes(100, 699);
  Busca();
  for (int i = 1; i <= w->ListView1->ListItems().Count(); ++i) w->ListView1->ListItems()(i)->SetChecked(true);
  Caja("Responsable").SetText("Luis");
  const QStringList sentencias = w->SentenciasAprobacion("Luis");
  ASSERT_EQ(sentencias.size(), 2);
  ASSERT_FALSE(sentencias[0].contains("(IDDIARIO = 650)"));
  ASSERT_TRUE(sentencias[1].contains("(IDDIARIO = 650)"));
  e.Sql("CREATE TRIGGER NO_APROBAR BEFORE UPDATE ON V_MV_DIARIOS WHEN OLD.IDDIARIO = 650 "
        "BEGIN SELECT RAISE(ABORT, 'bloqueado'); END");
  e.ui().respuestasError = {3};
  w->Plexatol1_Click("GRABAR");
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "Plexatol1_Click");
  EXPECT_TRUE(e.ui().De("Error")[0].texto.contains("No se grabó ningún cambio")) << e.ui().De("Error")[0].texto.toStdString();
  EXPECT_FALSE(gDatos.Conexion().EnTransaccion());
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'").toInt(), 0);
  // Another program writes at once, and finds none of the 600 approved.
  BloqueoAjeno(e.Ruta("prueba.db"), BloqueoAjeno::Tipo::Escritura).Suelta();
  EXPECT_EQ(LeeAjeno(e.Ruta("prueba.db"), "SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR IS NOT NULL AND IDDIARIO >= 100"), 0);
  EXPECT_TRUE(Linea("100")->Checked());
  EXPECT_EQ(Linea("100")->SmallIcon(), FrmZamolid::kIconoPendiente);
}

// The list fills the window as the window is laid out: to 45 twips from its
// right edge and 60 from its bottom (3 and 4 pixels), at any size.
TEST_F(VentanaPrincipal, ResizingFollowsTheWindow) {
  for (const auto& [ancho, alto] : {std::pair{8460, 5595}, std::pair{12000, 9000}, std::pair{6000, 4200}}) {
    w->resize(APixeles(ancho), APixeles(alto));
    EXPECT_EQ(w->ListView1->geometry().right() + 1, APixeles(ancho) - 3) << ancho;
    EXPECT_EQ(w->ListView1->geometry().bottom() + 1, APixeles(alto) - 4) << alto;
    EXPECT_EQ(w->ListView1->y(), APixeles(2520));
  }
}

TEST_F(VentanaPrincipal, ApprovalStatementJoinsTheTickedReports) {
  Busca();
  Linea("7")->SetChecked(true);
  Linea("9")->SetChecked(true);
  EXPECT_EQ(w->SentenciasAprobacion("Luis"),
            (QStringList{"UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Luis' WHERE ( (IDDIARIO = 7) OR  (IDDIARIO = 9)) "
                         "AND (TC = 'OT') AND (AUTORIZADOPOR IS NULL OR AUTORIZADOPOR = '')"}));
  EXPECT_TRUE(w->SentenciasAprobacion("x").size() == 1);
  Linea("7")->SetChecked(false);
  Linea("9")->SetChecked(false);
  Linea("11")->SetChecked(true);  // approved: does not count
  EXPECT_TRUE(w->SentenciasAprobacion("Luis").isEmpty());
}

TEST_F(VentanaPrincipal, ApprovingMoreReportsThanOneStatementHoldsApprovesThemAll) {
  AgregaReportes(100, 1299);
  Caja("Responsable").SetText("Luis");
  // A statement holds at most 500 reports: 1,000 ticked make two full
  // statements, 1,001 a third one for the last report.
  for (int marcados : {1000, 1001}) {
    SCOPED_TRACE(marcados);
    e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL WHERE IDDIARIO >= 100");
    Busca();
    for (int i = 1; i <= w->ListView1->ListItems().Count(); ++i) {
      ListItem* it = w->ListView1->ListItems()(i);
      const int id = it->SubItems(1).toInt();
      it->SetChecked(id >= 100 && id < 100 + marcados);
    }
    const QStringList sentencias = w->SentenciasAprobacion("Luis");
    ASSERT_EQ(sentencias.size(), (marcados + 499) / 500);
    QList<int> ids;
    for (const QString& s : sentencias) {
      const qsizetype antes = ids.size();
      for (const QRegularExpressionMatch& m : QRegularExpression(R"(\(IDDIARIO = (\d+)\))").globalMatch(s))
        ids << m.captured(1).toInt();
      EXPECT_LE(ids.size() - antes, 500);
    }
    std::sort(ids.begin(), ids.end());
    ASSERT_EQ(ids.size(), marcados);
    EXPECT_EQ(ids.front(), 100);
    EXPECT_EQ(ids.back(), 100 + marcados - 1);
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    // What the statements did: every ticked report, and no other, approved.
    w->Plexatol1_Click("GRABAR");
    EXPECT_EQ(e.ui().Cuenta("Error"), 0);
    EXPECT_EQ(e.Valor(QString("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis' AND IDDIARIO >= 100 "
                              "AND IDDIARIO < %1").arg(100 + marcados)).toInt(),
              marcados);
    EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'").toInt(), marcados);
  }
  e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = NULL WHERE IDDIARIO >= 100");
  Busca();
  ASSERT_EQ(Ids().size(), 1205);
  for (int i = 1; i <= w->ListView1->ListItems().Count(); ++i) w->ListView1->ListItems()(i)->SetChecked(true);
  EXPECT_EQ(w->SentenciasAprobacion("Luis").size(), 3);
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Luis'").toInt(), 1200 + 4);
  EXPECT_EQ(Aprobador(11), "Ana");
  EXPECT_EQ(Aprobador(13), "<NULL>");
}

namespace {

// Picks, in the technician pick list the look-up shows, the line whose name
// begins with the text; an empty text cancels the list.
void EligeEnLista(EntornoPrueba& e, const QString& nombre) {
  e.ui().accionesModales.push_back([nombre](Form& f) {
    auto& lista = dynamic_cast<Lib_FrmCons3&>(f);
    if (nombre.isEmpty()) {
      lista.CmdCancelar->click();
      return;
    }
    lista.CmbSearch(0).SetText(nombre);  // the search selects the line
    lista.CmdAceptar->click();
  });
}

}  // namespace

TEST_F(VentanaPrincipal, TechnicianBoxesPickFromTheTechnicianList) {
  Caja("Tecnico_Desde").setFocus();
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_9);  // a key in a tagged box turns the look-up on
  EligeEnLista(e, "María");
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_F5);  // CONSULTAR
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(e.ui().De("Modal")[0].texto, "Lib_FrmCons3");
  EXPECT_EQ(Caja("Tecnico_Desde").Text(), "2");
  EXPECT_TRUE(Caja("Tecnico_Hasta").hasFocus());  // moved on as for Enter
  // Nothing picked leaves the box as it was.
  EligeEnLista(e, "");
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_3);
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_F5);
  EXPECT_EQ(Caja("Tecnico_Hasta").Text(), "3");
  EXPECT_TRUE(Caja("Tecnico_Hasta").hasFocus());
  // The picked range searches.
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"9", "13", "15"}));
}

// The look-up turns on with a key in a range box, after the bar has seen
// that key: F5 in a box no key has reached yet only turns it on.
TEST_F(VentanaPrincipal, InAnUntouchedBoxTheFirstF5TurnsTheLookUpOnAndTheSecondOpensIt) {
  w->activateWindow();
  Caja("Tecnico_Desde").setFocus();
  EligeEnLista(e, "María");
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_F5);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 0);
  EXPECT_TRUE(w->Plexatol1->consultaenabled());
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_F5);
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(Caja("Tecnico_Desde").Text(), "2");
  // Still on in the box the pick moved to: one F5 opens its list.
  ASSERT_TRUE(Caja("Tecnico_Hasta").hasFocus());
  EligeEnLista(e, "María");
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_F5);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 2);
  EXPECT_EQ(Caja("Tecnico_Hasta").Text(), "2");
  // A key in the approver box turns it off again.
  Caja("Responsable").setFocus();
  QTest::keyClick(&Caja("Responsable"), Qt::Key_A);
  Caja("Tecnico_Desde").setFocus();
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_F5);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 2);
}

TEST_F(VentanaPrincipal, WithoutTheLookUpFileTheTechnicianListIsStillShown) {
  ASSERT_TRUE(QFile::remove(e.Ruta("consultas.bvx")));
  Caja("Tecnico_Desde").setFocus();
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_9);
  EligeEnLista(e, "María");
  QTest::keyClick(&Caja("Tecnico_Desde"), Qt::Key_F5);
  ASSERT_EQ(e.ui().Cuenta("Modal"), 1);
  EXPECT_EQ(Caja("Tecnico_Desde").Text(), "2");
  // Cancelled: the box keeps what was typed, never a column name.
  EligeEnLista(e, "");
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_3);
  QTest::keyClick(&Caja("Tecnico_Hasta"), Qt::Key_F5);
  EXPECT_EQ(e.ui().Cuenta("Modal"), 2);
  EXPECT_EQ(Caja("Tecnico_Hasta").Text(), "3");
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

namespace {

// Picks the work order in the voucher pick list the look-up shows; an empty
// key cancels it.
void EligeOrden(EntornoPrueba& e, const QString& clave) {
  e.ui().accionesModales.push_back([clave](Form& f) {
    auto& lista = dynamic_cast<FrmConsComprobantes&>(f);
    EXPECT_EQ(lista.TC, "OT");
    if (clave.isEmpty()) {
      lista.CmdCancelar->click();
      return;
    }
    for (int i = 1; i <= lista.ListView1->ListItems().Count(); ++i) {
      ListItem* it = lista.ListView1->ListItems()(i);
      for (int c = 1; c < lista.ListView1->ColumnHeaders().Count(); ++c)
        if (it->SubItems(c) == clave) lista.ListView1->SetSelectedItem(it);
    }
    lista.CmdAceptar->click();
  });
}

}  // namespace

TEST_F(VentanaPrincipal, WorkOrderBoxesTakeTheVoucherPickedAndSearch) {
  e.Sql("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, NOMBRE, IMPORTE) VALUES "
        "('  OT', '000100000025A', 0, '2026-03-01', '  1', 'Clínica del Sol', 100), "
        "('  OT', '000100000030A', 1, '2026-03-02', '  2', 'Hotel Plaza', 200)");
  // From a lower box: the three lower boxes take the key; the focus stays.
  Caja("Nro_Desde").setFocus();
  QTest::keyClick(&Caja("Nro_Desde"), Qt::Key_5);
  EligeOrden(e, "000100000025A");
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(Caja("Sucursal_Desde").Text(), "0001");
  EXPECT_EQ(Caja("Nro_Desde").Text(), "00000025");
  EXPECT_EQ(Caja("Letra_Desde").Text(), "A");
  EXPECT_TRUE(Caja("Nro_Desde").hasFocus());
  // From an upper box: the upper boxes.
  Caja("Letra_Hasta").setFocus();
  QTest::keyClick(&Caja("Letra_Hasta"), Qt::Key_A);
  EligeOrden(e, "000100000030A");
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(Caja("Sucursal_Hasta").Text() + Caja("Nro_Hasta").Text() + Caja("Letra_Hasta").Text(), "000100000030A");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9"}));
  // A cancelled pick empties the boxes of its end.
  EligeOrden(e, "");
  w->Plexatol1_Click("CONSULTAR");
  EXPECT_EQ(Caja("Sucursal_Hasta").Text() + Caja("Nro_Hasta").Text() + Caja("Letra_Hasta").Text(), "");
  EXPECT_EQ(Caja("Nro_Desde").Text(), "00000025");
  EXPECT_EQ(e.ui().Cuenta("Modal"), 3);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(VentanaPrincipal, AWorkOrderKeyOfTheWrongShapeIsComparedAsTyped) {
  Caja("Sucursal_Desde").SetText("1");
  Caja("Nro_Desde").SetText("2x");  // not a number: kept as typed
  QString where;
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '00012x') ");
  Busca();
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
  EXPECT_EQ(Ids(), (QStringList{"11", "15"}));  // text order: only the branches 0002 and 0003 come after it
}

TEST_F(VentanaPrincipal, APartlyFilledUpperWorkOrderEndTakesInEveryWorkOrderItNames) {
  QString where;
  Caja("Sucursal_Hasta").SetText("1");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) <= '000199999999Z') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "13"}));
  // Branch and number without a letter: the number's own work orders count.
  Caja("Nro_Hasta").SetText("40");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) <= '000100000040Z') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "13"}));
  Caja("Nro_Hasta").SetText("30");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9"}));
  // A full upper end and the lower end stay as typed.
  Caja("Letra_Hasta").SetText("A");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) <= '000100000030A') ");
  for (const char* c : {"Sucursal_Hasta", "Nro_Hasta", "Letra_Hasta"}) Caja(c).clear();
  Caja("Sucursal_Desde").SetText("2");
  ASSERT_TRUE(w->ArmaWhere(where));
  EXPECT_EQ(where, " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '0002') ");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"11", "15"}));
  // Only the letter or only the number of the upper end.
  Caja("Sucursal_Desde").clear();
  Caja("Letra_Hasta").SetText("A");
  EXPECT_EQ(FrmZamolid::ClaveHasta("", "", "A"), "999999999999A");
  EXPECT_EQ(FrmZamolid::ClaveHasta("", "7", ""), "999900000007Z");
  EXPECT_TRUE(vb::Trim(FrmZamolid::ClaveHasta(" ", " ", " ")).isEmpty());  // blanks only: no upper end
}

// Every statement the window composes, with what the user types in lower
// case, finds what upper case finds: the embedded database compares text as
// the server does, over trimmed columns too.
TEST_F(VentanaPrincipal, LowerCaseInputFindsWhatUpperCaseFinds) {
  e.Sql("UPDATE V_MV_DIARIOS SET IDCOMPROBANTE = '000100000040a', TC = 'ot' WHERE IDDIARIO = 13");
  e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('  ab', 'Ana Beltrán')");
  e.Sql("UPDATE V_MV_DIARIOS SET IDTECNICO = '  AB' WHERE IDDIARIO = 15");
  // Lower end with a lower-case letter: 000100000025A is in.
  PoneOrden(w, "Desde", "1", "25", "a");
  PoneOrden(w, "Hasta", "1", "40", "A");
  Busca();
  EXPECT_EQ(Ids(), (QStringList{"7", "9", "13"}));
  // Technician codes with letters, typed in lower case; the listing's name
  // look-up finds "  ab" for "  AB".
  for (auto& [i, c] : w->txtFields.Elementos()) c->clear();
  Caja("Tecnico_Desde").SetText("aa");
  Caja("Tecnico_Hasta").SetText("ac");
  Busca();
  ASSERT_EQ(Ids(), (QStringList{"15"}));
  EXPECT_EQ(Linea("15")->SubItems(4), "AB - Ana Beltrán");
  // The approval's type condition takes the report stored as 'ot'.
  for (auto& [i, c] : w->txtFields.Elementos()) c->clear();
  Busca();
  Caja("Responsable").SetText("Luis");
  Linea("13")->SetChecked(true);
  w->Plexatol1_Click("GRABAR");
  EXPECT_EQ(Aprobador(13), "Luis");
}

// The labels of the range boxes at their places, each text whole and ending a
// few pixels before the box it names, in the form's own font.
TEST_F(VentanaPrincipal, LabelsSitAtTheirPlacesAndEndBeforeTheirBoxes) {
  struct Donde {
    int etiqueta;
    const char* texto;
    int left, top;
    int caja, cajaLeft, cajaTop;
  };
  const Donde donde[] = {
      {0, "Orden de Trabajo Desde", 120, 240, 0, 2040, 240}, {1, "Orden de Trabajo Hasta", 3840, 240, 3, 5640, 240},
      {2, "Fecha Desde:", 120, 550, 8, 2040, 550},           {3, "Fecha Hasta:", 3840, 555, 9, 5640, 550},
      {4, "Técnico Desde", 120, 860, 6, 2040, 860},          {5, "Técnico Hasta:", 3840, 855, 7, 5640, 860},
      {6, "Responsable Autorización", 120, 240, 11, 2040, 240},
  };
  for (const Donde& d : donde) {
    SCOPED_TRACE(d.texto);
    Label& l = w->Labels(d.etiqueta);
    TextBox& caja = w->txtFields(d.caja);
    ASSERT_EQ(l.Caption(), QString(d.texto));
    ASSERT_EQ(l.parentWidget(), caja.parentWidget());
    EXPECT_EQ(l.font(), w->font());
    EXPECT_EQ(l.y(), APixeles(d.top));
    EXPECT_LE(l.x(), APixeles(d.left));
    EXPECT_GE(l.x(), APixeles(d.left) - 4);  // moved left only as far as the text needs
    const int texto = l.fontMetrics().horizontalAdvance(l.Caption());
    EXPECT_GE(l.width(), texto);                        // not cut
    EXPECT_LE(l.x() + texto, caja.x() - 4);             // not touching its box
    EXPECT_EQ(caja.pos(), QPoint(APixeles(d.cajaLeft), APixeles(d.cajaTop)));
  }
}
