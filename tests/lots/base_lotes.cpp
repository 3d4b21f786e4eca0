#include "base_lotes.h"

#include "platform/cls_datos.h"
#include "vouchers/columnas_cptes.h"

namespace {
QString L(const QString& t) { return ClsDatos::Literal(t); }
QString O(const QString& t, int ancho) { return t.isEmpty() ? QString("NULL") : L(t.rightJustified(ancho)); }
}  // namespace

void ConLotes::SetUp() {
  e.CreaBase();
  e.Inicia();
  ASSERT_TRUE(gDatos.Conectado());
  c = std::make_unique<ClsCmnCptes>();
  grilla.SetCols(ClsCmnCptes::kColsArticulos);
  grilla.SetRows(1);
}

void ConLotes::Articulo(const QString& codigo, const QString& unidad, const QString& descripcion) {
  e.Sql(QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES (%1, %2, %3)")
            .arg(L(codigo.rightJustified(25)), L(descripcion), O(unidad, 4)));
}

void ConLotes::Stock(const QString& art, const QString& deposito, const QString& lote, const QString& serie,
                     const QString& cantidad) {
  e.Sql(QString("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, CANTIDAD) VALUES "
                "(%1, %2, %3, %4, %5)")
            .arg(L(art.rightJustified(25)), L(deposito.rightJustified(4)), O(lote, 25), O(serie, 25),
                 cantidad));
}

void ConLotes::Posicion(const QString& deposito, const QString& posicion, int orden) {
  e.Sql(QString("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, DESCRIPCION, ORDENINGRESO) VALUES (%1, %2, 'x', %3)")
            .arg(L(deposito.rightJustified(4)), L(posicion.rightJustified(15)))
            .arg(orden));
}

void ConLotes::Saldo(const QString& deposito, const QString& art, const QString& posicion, const QString& lote,
                     const QString& unidad, const QString& saldo) {
  e.Sql(QString("INSERT INTO AC_SALDOSLAYOUT (IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, IDUNIDADBASE, SALDO) "
                "VALUES (%1, %2, %3, %4, %5, %6)")
            .arg(L(deposito.rightJustified(4)), L(art.rightJustified(25)), O(posicion, 15), O(lote, 25), O(unidad, 4),
                 saldo));
}

void ConLotes::Equiv(const QString& art, const QString& de, const QString& a, double coeficiente) {
  e.Sql(QString("INSERT INTO S_TA_EQUIV VALUES (%1, %2, %3, %4)")
            .arg(L(art.rightJustified(25)), L(de.rightJustified(4)), L(a.rightJustified(4)),
                 ClsDatos::Numero(coeficiente)));
}

void ConLotes::AlMostrarLotes(std::function<void(FrmCargaLotesySeries&)> accion) {
  e.ui().accionesModales.push_back([accion](Form& f) { accion(static_cast<FrmCargaLotesySeries&>(f)); });
}

void ConLotes::AlMostrarPosiciones(std::function<void(FrmLoteyPosicion&)> accion) {
  e.ui().accionesModales.push_back([accion](Form& f) { accion(static_cast<FrmLoteyPosicion&>(f)); });
}

void ConLotes::AlMostrarLotesAnotaYAcepta(int col, QStringList& columna) {
  AlMostrarLotes([col, &columna](FrmCargaLotesySeries& f) {
    columna = Columna(f.MSFlexGrid1, col);
    QTest::keyClick(f.MSFlexGrid1, Qt::Key_F2);
  });
}

void ConLotes::Teclea(FrmGrillaLotes& f, const QString& texto, Qt::Key fin) {
  if (!texto.isEmpty()) {
    QTest::keyClicks(f.MSFlexGrid1, texto.left(1));
    if (texto.size() > 1) QTest::keyClicks(f.TxtEdit, texto.mid(1));
  }
  QTest::keyClick(f.EditorAbierto() ? static_cast<QWidget*>(f.TxtEdit) : f.MSFlexGrid1, fin);
}

QStringList ConLotes::Columna(const MSFlexGrid* g, int col) {
  QStringList r;
  for (int i = 1; i < g->Rows(); ++i) r << g->TextMatrix(i, col);
  return r;
}

QStringList ConLotes::Fila(const MSFlexGrid* g, int fila) {
  QStringList r;
  for (int c = 0; c < g->Cols(); ++c) r << g->TextMatrix(fila, c);
  return r;
}

QStringList ConLotes::Mensajes() {
  QStringList r;
  for (const auto& l : e.ui().De("MsgBox")) r << l.texto;
  return r;
}

void ConLotes::FilaDeGrilla(int fila, const QString& articulo, const QString& lotes, const QString& cantidades) {
  if (grilla.Rows() <= fila) grilla.SetRows(fila + 1);
  grilla.SetTextMatrix(fila, ColArticulos::kArticulo, articulo);
  grilla.SetTextMatrix(fila, ColArticulos::kNroLote, lotes);
  grilla.SetTextMatrix(fila, ColArticulos::kNroSerie, cantidades);
}
