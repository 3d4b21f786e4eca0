// The voucher pick list on the demo database: every type and pseudo-type
// composes its statement, reads its own source and lists rows with the
// columns of its group.
#include <gtest/gtest.h>

#include "lista_comprobantes.h"
#include "platform/controles/listview.h"
#include "platform/vb.h"
#include "session/mod_global.h"

namespace {

const QStringList kVentas{"FECHA", "COMPROBANTE", "ID", "NOMBRE", "IMPORTE"};
const QStringList kCompras{"FECHA", "COMPROBANTE", "PROVEEDOR", "NOMBRE", "CONCEPTO", "IMPORTE"};
const QStringList kPresupuestos{"FECHA", "COMPROBANTE", "NOMBRE", "ID", "IMPORTE"};
const QStringList kTerceros{"Nº Int.", "FECHA", "COMPROBANTE", "ID", "FH Envio", "FH Recep"};
const QStringList kOrdenesCompra{"FECHA", "PROVEEDOR", "COMPROBANTE", "IMPORTE", "COMENTARIOS", "Inf. Recepción"};

namespace ven = ColConsVentas;
namespace com = ColConsCompras;
namespace pre = ColConsPresupuestos;
namespace ter = ColConsTerceros;
namespace ord = ColConsOrdenes;

// The amount of the sales and quote layouts stands in their last column,
// after the optional one.
constexpr int kImporteAlFinal = -2;

struct Caso {
  const char* tc;          // as the caller names it
  const char* sentencia;   // the statement without a filter
  QStringList columnas;
  int columnaClave;        // 0 the line's text, else the sub-item holding the key
  int columnaImporte;      // -1 none, kImporteAlFinal the last column
  const char* cuenta;      // the same rows counted another way
};

const Caso kCasos[] = {
    {"OT",
     " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
     "V_OT_Pendientes WHERE TC = '  OT'  ORDER BY IDCOMPROBANTE DESC",
     kVentas, ven::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  OT' AND FINALIZADA = 0"},
    // Work orders are read from the pending ones either way.
    {"OT/PENDIENTES",
     " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
     "V_OT_Pendientes WHERE TC = '  OT'  ORDER BY IDCOMPROBANTE DESC",
     kVentas, ven::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  OT' AND FINALIZADA = 0"},
    {"NP/PENDIENTES",
     " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = "
     "'  NP' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC",
     kVentas, ven::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  NP' AND FINALIZADA = 0"},
    {"RM/PENDIENTES",
     " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = "
     "'  RM' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC",
     kVentas, ven::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  RM' AND FINALIZADA = 0"},
    {"RM/PENDIENTES_COMPRAS",
     " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = "
     "' RMC' ORDER BY IDCOMPROBANTE DESC",
     kCompras, com::kComprobante, com::kImporte,
     "SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = ' RMC' AND FINALIZADA = 0 AND ANULADA = 0"},
    {"PR/PENDIENTES",
     " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM "
     "V_PR_PENDIENTES WHERE TC = '  PR' AND APROBADO = 1 ORDER BY IDCOMPROBANTE DESC",
     kPresupuestos, pre::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  PR' AND FINALIZADA = 0 AND ANULADA = 0 AND APROBADO = 1"},
    {"FC/ANTICIPOS", "SELECT * FROM V_MV_CPTE WHERE TC = '  FC' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC",
     kVentas, ven::kComprobante, kImporteAlFinal,
     "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  FC'"},
    {"T3", "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO", kTerceros, ter::kId, -1,
     "SELECT COUNT(*) FROM V_MV_CPTETERCEROS"},
    {"NCPE", "SELECT * FROM MV_ASIENTOS WHERE TC = 'NCPE' ORDER BY SUCURSAL, NUMERO, LETRA DESC", kCompras,
     com::kComprobante, com::kImporte, "SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = 'NCPE'"},
    {"NDPR", "SELECT * FROM MV_ASIENTOS WHERE TC = 'NDPR' ORDER BY SUCURSAL, NUMERO, LETRA DESC", kCompras,
     com::kComprobante, com::kImporte, "SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = 'NDPR'"},
    {"OC",
     " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM "
     "C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) ORDER BY IDCOMPROBANTE DESC",
     kOrdenesCompra, ord::kComprobante, ord::kImporte,
     "SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = '  OC' AND APROBADO = 1 AND FINALIZADA = 0"},
    {"PR", "SELECT * FROM V_MV_CPTE WHERE TC = '  PR' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC", kPresupuestos,
     pre::kComprobante, kImporteAlFinal, "SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  PR'"},
};

// Types read from V_MV_CPTE or C_MV_CPTE through the general statements.
const char* const kVentasGenerales[] = {"OT", "FC", "RM", "ND", "NC", "NCFP", "OP", "NP", "FP", "GF"};
const char* const kComprasGenerales[] = {"FCC", "NCC", "NCCP", "NDC", "RMC"};

void CompruebaLineas(FrmConsComprobantes& f, int columnaClave, int columnaImporte, const QString& tc) {
  const int columnas = f.ListView1->ColumnHeaders().Count();
  const int importe = columnaImporte == kImporteAlFinal ? columnas - 1 : columnaImporte;
  for (int i = 1; i <= f.ListView1->ListItems().Count(); ++i) {
    ListItem* it = f.ListView1->ListItems()(i);
    const QStringList l = Linea(it, columnas);
    // Every line holds a voucher key where the result reads it.
    if (columnaClave > 0) {
      EXPECT_EQ(l[columnaClave].size(), 13) << tc.toStdString() << " " << l.join('|').toStdString();
    }
    if (importe >= 0) {
      EXPECT_TRUE(vb::IsNumeric(l[importe])) << tc.toStdString() << " " << l.join('|').toStdString();
    }
    if (tc != "T3") {
      EXPECT_TRUE(vb::IsDate(l[ven::kFecha])) << tc.toStdString() << " " << l.join('|').toStdString();
    }
  }
}

}  // namespace

TEST_F(DemoCptes, EveryPseudoTypeAndSpecialSourceListsItsRows) {
  for (const Caso& c : kCasos) {
    SCOPED_TRACE(c.tc);
    auto f = AbreLista(c.tc);
    EXPECT_EQ(f->ArmaSentencia(), QString::fromUtf8(c.sentencia));
    EXPECT_EQ(Titulos(f->ListView1), c.columnas);
    const int esperadas = e.Valor(c.cuenta).toInt();
    EXPECT_GT(esperadas, 0);
    EXPECT_EQ(f->ListView1->ListItems().Count(), esperadas);
    CompruebaLineas(*f, c.columnaClave, c.columnaImporte, c.tc);
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(DemoCptes, EveryGeneralTypeListsItsOwnVouchers) {
  for (const char* tc : kVentasGenerales) {
    SCOPED_TRACE(tc);
    auto f = AbreLista(tc);
    const QString t = QString(tc).rightJustified(4);
    const bool ot = QString(tc) == "OT";
    if (!ot) {
      EXPECT_EQ(f->ArmaSentencia(),
                "SELECT * FROM V_MV_CPTE WHERE TC = '" + t + "' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
    }
    EXPECT_EQ(Titulos(f->ListView1), kVentas);
    const int esperadas =
        e.Valor("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '" + t + "'" + (ot ? " AND FINALIZADA = 0" : "")).toInt();
    EXPECT_GT(esperadas, 0);
    EXPECT_EQ(f->ListView1->ListItems().Count(), esperadas);
    CompruebaLineas(*f, ven::kComprobante, kImporteAlFinal, tc);
  }
  for (const char* tc : kComprasGenerales) {
    SCOPED_TRACE(tc);
    auto f = AbreLista(tc);
    const QString t = QString(tc).rightJustified(4);
    EXPECT_EQ(f->ArmaSentencia(), "SELECT * FROM C_MV_CPTE WHERE TC = '" + t + "' ORDER BY IDCOMPROBANTE DESC");
    EXPECT_EQ(Titulos(f->ListView1), kCompras);
    const int esperadas = e.Valor("SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = '" + t + "'").toInt();
    EXPECT_GT(esperadas, 0);
    EXPECT_EQ(f->ListView1->ListItems().Count(), esperadas);
    CompruebaLineas(*f, com::kComprobante, com::kImporte, tc);
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(DemoCptes, ColumnWidthsAreRunsOfXInTheFormsFont) {
  auto f = AbreLista("OC");
  const int anchos[] = {13, 13, 17, 9, 15, 15};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(f->ListView1->ColumnHeaders()(i + 1)->Width(), f->TextWidth(QString(anchos[i], 'X'))) << i;
  auto t = AbreLista("T3");
  EXPECT_EQ(t->ListView1->ColumnHeaders()(ter::kComplemento + 1)->Width(), t->TextWidth("XXXX"));
  auto v = AbreLista("FC");
  EXPECT_EQ(v->ListView1->ColumnHeaders()(ven::kComplemento + 1)->Width(), v->TextWidth("XXXXX"));
}

TEST_F(DemoCptes, PendingDeliveryNotesFollowTheCashSwitches) {
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = 'SI' WHERE CLAVE = 'UsaRemitoContado'");
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = 'NO' WHERE CLAVE = 'EntregaParcialRemito'");
  const QString pendientes =
      " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes "
      "WHERE TC = '  RM'";
  auto f = AbreLista("rm/pendientes");
  EXPECT_EQ(f->TC, "RM");
  EXPECT_TRUE(f->Pendientes());
  EXPECT_EQ(f->ArmaSentencia(), pendientes + " ORDER BY IDCOMPROBANTE DESC");
  const int esperadas =
      e.Valor("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  RM' AND FINALIZADA = 0 AND ANULADA = 0").toInt();
  EXPECT_GT(esperadas, 0);
  EXPECT_EQ(f->ListView1->ListItems().Count(), esperadas);
  // With a filter the partial-delivery switch is not consulted.
  f->Filtro = "ANULADA = 0";
  EXPECT_EQ(f->ArmaSentencia(), pendientes + " AND (ANULADA = 0) ORDER BY IDCOMPROBANTE DESC");
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = 'SI' WHERE CLAVE = 'EntregaParcialRemito'");
  f->Filtro.clear();
  EXPECT_EQ(f->ArmaSentencia(),
            " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = "
            "'  RM' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
  e.Sql("UPDATE TA_CONFIGURACION SET VALOR = 'NO' WHERE CLAVE = 'UsaRemitoContado'");
  f->Filtro = "ANULADA = 0";
  EXPECT_EQ(f->ArmaSentencia(),
            " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = "
            "'  RM' AND (ANULADA = 0)  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
}

TEST_F(DemoCptes, AFilterIsBracketedAfterTheTypeConditionOfEachSource) {
  const QString F = "CUENTA = 'X' OR 1 = 1";
  struct {
    const char* tc;
    const char* sentencia;
  } casos[] = {
      {"RM/PENDIENTES_COMPRAS",
       " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = "
       "' RMC' AND (CUENTA = 'X' OR 1 = 1) ORDER BY IDCOMPROBANTE DESC"},
      {"NCPE",
       "SELECT * FROM MV_ASIENTOS WHERE TC = 'NCPE' AND (CUENTA = 'X' OR 1 = 1) ORDER BY SUCURSAL, NUMERO, LETRA DESC "},
      {"FCC", "SELECT * FROM C_MV_CPTE WHERE TC = ' FCC' AND (CUENTA = 'X' OR 1 = 1) ORDER BY IDCOMPROBANTE DESC "},
      {"OT/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
       "V_OT_Pendientes WHERE TC = '  OT' AND (CUENTA = 'X' OR 1 = 1) ORDER BY IDCOMPROBANTE DESC"},
      {"OT",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
       "V_OT_Pendientes WHERE TC = '  OT' AND (CUENTA = 'X' OR 1 = 1) ORDER BY IDCOMPROBANTE DESC"},
      {"NP/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = "
       "'  NP' AND (CUENTA = 'X' OR 1 = 1) AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
      {"PR/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_MV_CPTE "
       "WHERE TC = '  PR' AND APROBADO = 1 AND (CUENTA = 'X' OR 1 = 1) AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
      {"OC",
       " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM "
       "C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) AND (CUENTA = 'X' OR 1 = 1) ORDER BY "
       "IDCOMPROBANTE DESC"},
      {"FC",
       "SELECT * FROM V_MV_CPTE WHERE TC = '  FC' AND (CUENTA = 'X' OR 1 = 1) ORDER BY  IDCOMPROBANTE DESC, "
       "IDCOMPLEMENTO ASC  "},
      // Third-party vouchers take no filter.
      {"T3", "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tc);
    auto f = AbreLista(c.tc, F);
    EXPECT_EQ(f->ArmaSentencia(), QString::fromUtf8(c.sentencia));
  }
  // The OR cannot reach past the type: only the type's vouchers are listed.
  auto fc = AbreLista("FC", F);
  EXPECT_EQ(fc->ListView1->ListItems().Count(), e.Valor("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  FC'").toInt());
  auto oc = AbreLista("OC", F);
  EXPECT_EQ(oc->ListView1->ListItems().Count(),
            e.Valor("SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = '  OC' AND APROBADO = 1 AND FINALIZADA = 0").toInt());
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(DemoCptes, AFilterNarrowsTheListOnTheDatabase) {
  const QString cuenta = e.Valor("SELECT CUENTA FROM V_MV_CPTE WHERE TC = '  FC' ORDER BY ID LIMIT 1").toString();
  const int esperadas =
      e.Valor("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  FC' AND CUENTA = '" + cuenta + "'").toInt();
  ASSERT_GT(esperadas, 0);
  auto f = AbreLista("FC", "CUENTA = '" + cuenta + "'");
  EXPECT_EQ(f->ListView1->ListItems().Count(), esperadas);
  // A filter of blanks is no filter.
  auto g = AbreLista("FC", "   ");
  EXPECT_EQ(g->ArmaSentencia(), "SELECT * FROM V_MV_CPTE WHERE TC = '  FC' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
  // ... but purchase orders append it as it stands.
  auto oc = AbreLista("OC", "  ");
  EXPECT_TRUE(oc->ArmaSentencia().endsWith("(FINALIZADO = 0)   ORDER BY IDCOMPROBANTE DESC"));
  EXPECT_GT(oc->ListView1->ListItems().Count(), 0);
}
