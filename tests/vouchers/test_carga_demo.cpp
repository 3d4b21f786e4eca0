// Demo vouchers loaded into a voucher screen: a delivery note of the run
// -1 shows what its run still has pending, a supplier invoice its work,
// articles and freight; the summary breaks it down by rubro, and the demo's
// printers file gives the line limit of its form.
#include <gtest/gtest.h>

#include "pantalla_cptes.h"
#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/controles/msflexgrid.h"
#include "session/busca_articulo.h"
#include "support/entorno.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

TEST(CargaDemo, DemoVouchersLoadAsTheirRowsAndViewsSay) {
  EntornoPrueba e;
  e.IniciaDemo(40, 150);
  demo::CreaArchivoImpresoras(e.Carpeta());
  ASSERT_TRUE(gDatos.Conectado());
  ClsCmnCptes c;
  PantallaCpte p;
  auto texto = [&](const QString& sql) { return e.Valor(sql).toString(); };
  auto Q = [](const QString& t) { return ClsDatos::Literal(t); };

  // A delivery note waiting for its run: each line shows its pending part.
  const QString rm = texto("SELECT IDCOMPROBANTE FROM V_MV_CPTE WHERE TC = '  RM' AND IDREPARTO = -1 ORDER BY ID");
  ASSERT_FALSE(rm.isEmpty());
  p.Inicializa(c, "RM");
  long reparto = 0;
  ASSERT_TRUE(c.AsignarDatosComprobante("RM", rm, "0", *p.MSFlexGrid1, *p.MSFlexGrid2, *p.MSFlexGrid3, false, nullptr,
                                        false, QString(), &reparto));
  EXPECT_EQ(reparto, -1);
  Recordset lineas;
  gDatos.AbreRecordset("SELECT IDARTICULO FROM V_MV_CPTEINSUMOS WHERE TC = '  RM' AND IDCOMPROBANTE = " + Q(rm) +
                           " ORDER BY ID",
                       lineas);
  int r = 1;
  for (; !lineas.Eof(); lineas.MoveNext(), ++r) {
    const QString art = lineas.Fields("IDARTICULO").Value().toString();
    const QVariant pendiente = e.Valor("SELECT PENDIENTE FROM VT_V_MV_INSUMOS_REPARTOPENDIENTE WHERE TC = 'RM' AND "
                                       "IDCOMPROBANTE = " + Q(rm) + " AND IDARTICULO = " + Q(art));
    EXPECT_EQ(p.MSFlexGrid2->TextMatrix(r, ColArticulos::kArticulo), art.trimmed());
    EXPECT_DOUBLE_EQ(p.MSFlexGrid2->TextMatrix(r, ColArticulos::kCantidad).toDouble(),
                     pendiente.isValid() ? pendiente.toDouble() : 0.0);
  }
  EXPECT_GT(r, 1);
  EXPECT_EQ(p.MSFlexGrid2->Rows(), r + 1);

  // A supplier invoice that bills work: its tasks, lines and freight, not
  // its remarks; the header comes back.
  const QString fcc = " FROM C_MV_CPTE c WHERE c.TC = ' FCC' AND EXISTS (SELECT 1 FROM C_MV_CPTETAREAS t WHERE "
                      "t.TC = c.TC AND t.IDCOMPROBANTE = c.IDCOMPROBANTE AND t.CUENTA = c.CUENTA) ORDER BY c.ID";
  const QString clave = texto("SELECT c.IDCOMPROBANTE" + fcc), cuenta = texto("SELECT c.CUENTA" + fcc);
  ASSERT_FALSE(clave.isEmpty());
  const QString de = " WHERE TC = ' FCC' AND IDCOMPROBANTE = " + Q(clave) + " AND CUENTA = " + Q(cuenta);
  p.Inicializa(c, "FCC");
  Recordset cab;
  ASSERT_TRUE(c.AsignarDatosComprobante("FCC", clave, QString(), *p.MSFlexGrid1, *p.MSFlexGrid2, *p.MSFlexGrid3,
                                        false, &cab, true, cuenta));
  EXPECT_EQ(cab.Fields("CUENTA").Value().toString(), cuenta);
  EXPECT_EQ(p.MSFlexGrid1->Rows() - 2, e.Valor("SELECT COUNT(*) FROM C_MV_CPTETAREAS" + de).toInt());
  EXPECT_EQ(p.MSFlexGrid1->TextMatrix(1, ColTareas::kDescripcion), texto("SELECT DESCRIPCION FROM C_MV_CPTETAREAS" + de).trimmed());
  const int articulos = e.Valor("SELECT COUNT(*) FROM C_MV_CPTEINSUMOS" + de).toInt();
  EXPECT_EQ(p.MSFlexGrid2->Rows() - 2, articulos);
  EXPECT_EQ(p.MSFlexGrid3->TextMatrix(1, ColOtrosConceptos::kDetalle), "Flete a planta del cliente");
  EXPECT_EQ(p.MSFlexGrid3->Rows(), 3);

  // The summary by rubro names each rubro of the invoice.
  c.TotalizadorControl(*p.MSFlexGrid1, *p.MSFlexGrid2, *p.MSFlexGrid3, *p.MSFlexGrid4, *p.SSTab1, true);
  EXPECT_EQ(p.MSFlexGrid4->TextMatrix(2, ColResumen::kDescripcion), "Artículos");
  EXPECT_EQ(p.MSFlexGrid4->TextMatrix(2, ColResumen::kItems), QString::number(articulos));
  const QString rubro = p.MSFlexGrid2->TextMatrix(1, ColArticulos::kRubroArticulo);
  ASSERT_FALSE(rubro.isEmpty());
  EXPECT_EQ(p.MSFlexGrid4->TextMatrix(4, ColResumen::kDescripcion),
            rubro + "-" + texto("SELECT DESCRIPCION FROM V_TA_RUBROS WHERE IDRUBRO = " + Q(rubro.rightJustified(4))));

  // The demo's printers: 20 lines on the delivery note's form.
  int limite = 0, usadas = 0, anteriores = 0;
  EXPECT_TRUE(c.ValidaCantidadLineasCpte("RM", "R", nullptr, p.MSFlexGrid2, nullptr, &limite, &usadas, 0, &anteriores));
  EXPECT_EQ(limite, 20);
  EXPECT_EQ(usadas, articulos);

  // An article scanned by the bar code of its transport unit.
  const QString dun = texto("SELECT CODIGOBARRADUN FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN IS NOT NULL ORDER BY 1");
  ASSERT_FALSE(dun.isEmpty());
  QString codigo = dun;
  Recordset rs;
  ASSERT_TRUE(BuscaArticuloPorCodigo(codigo, rs));
  EXPECT_EQ(rs.Fields("IDUNIDAD").Value().toString(), texto("SELECT UD_TTE FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN = " + Q(dun)));
  EXPECT_EQ(codigo, texto("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN = " + Q(dun)).trimmed());
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
