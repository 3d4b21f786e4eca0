#include "base_posteo.h"

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {
QString L(const QString& t) { return ClsDatos::Literal(t); }
QString C4(const QString& t) { return L(gUtil.FormateaCodigo(t, 4)); }
QString C25(const QString& t) { return L(gUtil.FormateaCodigo(t, 25)); }
}  // namespace

QString Lista(const QStringList& entradas) { return entradas.isEmpty() ? QString() : '|' + entradas.join('|') + '|'; }
QString LoteSerie(const QString& lote, const QString& serie) { return lote + QChar(0xFF) + serie; }

void ConPosteo::SetUp() {
  ConBase::SetUp();
  e.Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA, ES, LETRAS) VALUES "
        "('  FC', 'Factura', 'VENTAS', 'S', 'AB'), (' AJP', 'Ajuste Positivo', 'STOCK', 'E', 'X'), "
        "(' FCC', 'Factura de Compra', 'COMPRAS', 'E', 'ABC'), (' RMC', 'Remito de Compra', 'COMPRAS', 'E', 'R'), "
        "(' TRP', 'Transferencia', 'STOCK', NULL, 'X'), ('  OP', 'Orden de Producción', 'STOCK', NULL, 'X'), "
        "('  OT', 'Orden de Trabajo', 'VENTAS', NULL, 'A'), ('  OC', 'Orden de Compra', 'COMPRAS', NULL, 'X'), "
        "('  PE', 'Parte de Consumo', 'STOCK', 'S', 'X')");
  e.Sql("INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION) VALUES ('   1', 'Central'), ('   2', 'Taller'), "
        "('   3', 'Móvil')");
  Articulo("TORNILLO", "Tornillo hexagonal M8", "UN", "200001");
  Articulo("ACEITE", "Aceite hidráulico ISO 46", "LT", "200002");
  Articulo("TALADRO", "Taladro percutor", "UN");
  Articulo("GUANTE", "Guante de seguridad", "UN");
  Articulo("KIT", "Kit service 500 h", "UN", "200009");
  Articulo("R407C", "Gas R-407C", "KG");
  Articulo("R410A", "Gas R-410A", "KG", "200003");
  Articulo("R134A", "Gas R-134a", "KG");
  Articulo("LLAVE", "Llave 1/2'' stillson", "UN");
  Insumo("KIT", "TORNILLO", 2);
  Insumo("KIT", "ACEITE", 0.5, "LT");
  Insumo("R407C", "R410A", 48, "KG");
  Insumo("R407C", "R134A", 52, "KG");
  e.Sql("UPDATE V_MA_ARTICULOS SET INSUMOSPORPORCENTAJE = 1 WHERE IDARTICULO = " + C25("R407C"));
  form = std::make_unique<Form>("FrmComprobante");
  g = new MSFlexGrid(form.get(), "MSFlexGrid2");
  t2 = new TextBox(form.get(), "TxtEdit2");
  cptes = std::make_unique<ClsCmnCptes>();
}

void ConPosteo::TearDown() { form.reset(); }

void ConPosteo::Grilla(const QString& tc) {
  cptes->InicializaGrids(nullptr, g, nullptr, nullptr, t2, nullptr, form.get(), tc);
  lineas = 0;
}

void ConPosteo::Linea(const QString& articulo, const QString& cantidad,
                      std::initializer_list<std::pair<int, QString>> otras) {
  const int fila = ++lineas;
  if (g->Rows() <= fila) g->SetRows(fila + 1);
  g->SetTextMatrix(fila, ColArticulos::kArticulo, articulo);
  g->SetTextMatrix(fila, ColArticulos::kCantidad, cantidad);
  for (const auto& [col, texto] : otras) g->SetTextMatrix(fila, col, texto);
}

bool ConPosteo::Posta(const QString& tc, const QString& clave, const QString& deposito, const QString& destino,
                      bool transferencia) {
  hayError = false;
  return cptes->ActualizaStock(g, tc, clave, "0", "2026-11-20", deposito, destino, QString(), QString(), QString(),
                               transferencia, "NULL", false, nullptr, &hayError);
}

double ConPosteo::Saldo(const QString& articulo, const QString& deposito, const QString& lote, const QString& tc) {
  QString sql = "SELECT IFNULL(SUM(CANTIDAD), 0) FROM V_MV_STOCK WHERE IDARTICULO = " + C25(articulo) +
                " AND IDDEPOSITO = " + C4(deposito);
  if (lote.isEmpty()) sql += " AND NROLOTE IS NULL";
  else if (lote != "*") sql += " AND NROLOTE = " + C25(lote);
  if (!tc.isEmpty()) sql += " AND TC = " + C4(tc);
  return e.Valor(sql).toDouble();
}

int ConPosteo::Filas(const QString& donde) {
  return e.Valor("SELECT COUNT(*) FROM V_MV_STOCK" + (donde.isEmpty() ? QString() : " WHERE " + donde)).toInt();
}

QStringList ConPosteo::Volcado() {
  static const char* const columnas[] = {
      "TC",        "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA",   "FECHA",         "IDCAJA",
      "IDDEPOSITO", "IDDEPOSITO_DESTINO", "IDARTICULO", "DESCRIPCION", "NROLOTE",     "CONTROLADOPOR",
      "IDORIGEN",  "NROSERIE",      "IDUNIDAD",      "CANTIDAD",    "CANTIDADUD",    "IDUNIDADBASE",
      "CUENTAPROVEEDOR", "IDMOTIVOSTOCK", "PRECIOVENTA", "COSTO",   "IMPUESTOS",     "DTOITEM",
      "TC_ORIGEN", "IDCOMPROBANTE_ORIGEN", "ID_ORIGEN", "IVARI",    "IVARNI",        "IDTECNICO",
      "EQUIV_UDBASE", "IDINSERT",   "IDCOMPULSA"};
  QString expr;
  // Texts as their bytes: quote() would stop at a NUL character.
  for (const char* c : columnas)
    expr += QString(expr.isEmpty() ? "" : " || '|' || ") + "CASE typeof(" + c + ") WHEN 'text' THEN 'x' || hex(" + c +
            ") ELSE quote(" + c + ") END";
  Recordset rs;
  gDatos.AbreRecordset("SELECT " + expr + " FROM V_MV_STOCK ORDER BY TC, IDCOMPROBANTE, SECUENCIA", rs);
  QStringList r;
  for (; !rs.Eof(); rs.MoveNext()) r << rs.Fields(0).Value().toString();
  return r;
}

void ConPosteo::Lote(const QString& articulo, const QString& deposito, const QString& lote, double cantidad) {
  e.Sql("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, CANTIDAD) VALUES (" + C25(articulo) + ", " +
        C4(deposito) + ", " + C25(lote) + ", " + ClsDatos::Numero(cantidad) + ")");
}

void ConPosteo::Articulo(const QString& codigo, const QString& descripcion, const QString& unidad,
                         const QString& cuenta) {
  e.Sql("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, COSTO, CUENTAPROVEEDOR) VALUES (" +
        C25(codigo) + ", " + L(descripcion) + ", " + C4(unidad) + ", 10.5, " +
        (cuenta.isEmpty() ? QString("NULL") : L(cuenta)) + ")");
}

void ConPosteo::Insumo(const QString& articulo, const QString& insumo, double cantidad, const QString& unidad) {
  e.Sql("INSERT INTO V_MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (" + C25(articulo) +
        ", " + C25(insumo) + ", " + C4(unidad) + ", " + ClsDatos::Numero(cantidad) + ")");
}
