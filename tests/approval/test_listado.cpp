// The listing of the main window on the demo data: one statement yields the
// very lines that reading each report on its own yields (its first row and
// its technician's name as the code look-up finds it).
#include <gtest/gtest.h>

#include <QApplication>

#include "approval/frm_zamolid.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/listview.h"
#include "platform/controles/textbox.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "support/entorno.h"

namespace {

// One line of the list as the user sees it.
struct Linea {
  QStringList textos;  // the line's text and its five sub-items
  int icono = 0;
  bool marcada = false;
  bool operator==(const Linea&) const = default;
};

void PrintTo(const Linea& l, std::ostream* os) {
  *os << '{' << l.textos.join(" | ").toStdString() << " icon " << l.icono << (l.marcada ? " ticked}" : "}");
}

class ListadoDemo : public ConEntorno {
 protected:
  void SetUp() override {
    demo::Opciones o;
    o.reportes = 400;
    o.articulos = 60;
    e.CreaBaseDemo(o);
    programa::FijaLineaDeComando("@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=;");
    gDatos.BaseDeDatos = "demo.db";
    ASSERT_TRUE(gDatos.Conectar(true, 3, QString()));
    // The rows of a report after its first one no longer agree with it: a
    // later date, another technician and approver, another work order, so
    // only the first row gives the right line. A technician code also has a
    // second row that differs only in its blanks, a report a technician
    // without a row, and two technicians' names with blanks around them
    // (shown as the look-up hands them back, untrimmed).
    e.Sql("UPDATE V_MV_DIARIOS SET FECHA = date(FECHA, '+3 days'), IDTECNICO = '  99', AUTORIZADOPOR = 'Otra', "
          "IDCOMPROBANTE = '000900000001X' WHERE ID IN (SELECT MAX(ID) FROM V_MV_DIARIOS GROUP BY IDDIARIO "
          "HAVING COUNT(*) > 1) AND IDDIARIO % 2 = 0");
    e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) SELECT LTRIM(IDTECNICO), 'Repetido' FROM V_TA_TECNICOS "
          "WHERE IDTECNICO = (SELECT MIN(IDTECNICO) FROM V_TA_TECNICOS)");
    e.Sql("UPDATE V_MV_DIARIOS SET IDTECNICO = '  77' WHERE IDDIARIO = 5");
    e.Sql("UPDATE V_TA_TECNICOS SET NOMBRE = ' ' || NOMBRE || '  ' WHERE LTRIM(IDTECNICO) IN ('3', '4')");
    e.Sql("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = '   ' WHERE IDDIARIO = 6");
    gDatos.Desconecta();
    w = &FrmZamolid::Global();
    w->Show();
    ASSERT_TRUE(gDatos.Conectado());
  }

  void TearDown() override {
    if (FrmZamolid::Existente()) {
      FrmZamolid::Existente()->hide();
      FrmZamolid::LiberaGlobal();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The lines as one query per report gives them: the ids of the reports
  // with a row meeting the condition, then each report's first row and its
  // technician's name looked up by code.
  std::vector<Linea> PorReporte(const QString& where) {
    std::vector<Linea> r;
    Recordset ids;
    gDatos.AbreRecordset("SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS " + where + " ORDER BY IDDIARIO", ids);
    auto texto = [](const Recordset& rs, const char* c) {
      return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QString(c))));
    };
    for (; !ids.Bof() && !ids.Eof(); ids.MoveNext()) {
      Recordset rs;
      gDatos.AbreRecordset("SELECT * FROM V_MV_DIARIOS WHERE IDDIARIO = " + texto(ids, "IDDIARIO"), rs);
      const QString tecnico = texto(rs, "IdTecnico");
      const QString nombre = gUtil.ConvierteTexto(
          gDatos.ObtieneValor("V_TA_TECNICOS", tecnico, "Nombre", "IdTecnico", 8, QString()));
      const QString aprobador = vb::Trim(texto(rs, "AutorizadoPor"));
      Linea l;
      l.textos << vb::Trim(texto(rs, "Fecha")) << vb::Trim(texto(rs, "IdDiario"))
               << vb::Trim(texto(rs, "IdComprobante")) << vb::Trim(texto(rs, "IdComplemento"))
               << vb::Trim(tecnico) + " - " + nombre << aprobador;
      l.icono = aprobador.isEmpty() ? FrmZamolid::kIconoPendiente : FrmZamolid::kIconoAprobado;
      l.marcada = !aprobador.isEmpty();
      r.push_back(l);
    }
    return r;
  }

  std::vector<Linea> EnLaVentana() {
    std::vector<Linea> r;
    ListView::Items& items = w->ListView1->ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
      ListItem* it = items(i);
      Linea l;
      l.textos << it->Text();
      for (int s = 1; s <= 5; ++s) l.textos << it->SubItems(s);
      l.icono = it->SmallIcon();
      l.marcada = it->Checked();
      r.push_back(l);
    }
    return r;
  }

  FrmZamolid* w = nullptr;
};

}  // namespace

TEST_F(ListadoDemo, TheOneStatementListsWhatTheQueriesPerReportList) {
  // The altered data make the check meaningful.
  ASSERT_GT(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Otra'").toInt(), 20);
  ASSERT_GT(e.Valor("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE LTRIM(IDTECNICO) IN ('3', '4')").toInt(), 5);
  const QString condiciones[] = {
      QString(),
      " Where  (FECHA >= '2026-09-01') AND (FECHA <= '2026-10-15 23:59:59') ",
      " Where  (LTRIM(RTRIM(IDTECNICO)) >= '3') AND (LTRIM(RTRIM(IDTECNICO)) <= '8') ",
      " Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000010a') ",
      " Where  (FECHA  >= '2030-01-01') ",
  };
  int comparadas = 0;
  for (const QString& where : condiciones) {
    SCOPED_TRACE(where.toStdString());
    const std::vector<Linea> esperadas = PorReporte(where);
    w->CargarComprobantes(where);
    EXPECT_EQ(EnLaVentana(), esperadas);
    comparadas += static_cast<int>(esperadas.size());
  }
  EXPECT_GT(comparadas, 400);
  // Every report is there once, the last condition lists none.
  w->CargarComprobantes(QString());
  EXPECT_EQ(w->ListView1->ListItems().Count(), e.Valor("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS").toInt());
}

TEST_F(ListadoDemo, TheWindowsSearchListsTheSameLinesAsTheQueriesPerReport) {
  TextBox& desde = w->txtFields(8);
  TextBox& hasta = w->txtFields(9);
  desde.SetText("01/09/2026");
  hasta.SetText("30/11/2026");
  QString where;
  ASSERT_TRUE(w->ArmaWhere(where));
  w->CmdBuscar_Click();
  const std::vector<Linea> esperadas = PorReporte(where);
  ASSERT_FALSE(esperadas.empty());
  EXPECT_EQ(EnLaVentana(), esperadas);
  // Approving reloads every report the same way.
  w->txtFields(11).SetText("Luis");
  ListItem* pendiente = nullptr;
  for (int i = 1; i <= w->ListView1->ListItems().Count() && !pendiente; ++i)
    if (w->ListView1->ListItems()(i)->SmallIcon() == FrmZamolid::kIconoPendiente) pendiente = w->ListView1->ListItems()(i);
  ASSERT_NE(pendiente, nullptr);
  const QString id = pendiente->SubItems(1);
  pendiente->SetChecked(true);
  w->ProcesoAprobacion();
  const std::vector<Linea> todas = PorReporte(QString());
  EXPECT_EQ(EnLaVentana(), todas);
  EXPECT_TRUE(std::any_of(todas.begin(), todas.end(),
                          [&](const Linea& l) { return l.textos[1] == id && l.textos[5] == "Luis"; }));
}
