#include "session/busca_articulo.h"

#include <algorithm>
#include <vector>

#include "platform/ado.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/vb.h"

namespace {

// One look-up: the column that holds the code and, for the bar code of a
// unit, the column of that unit.
struct Busqueda {
  const char* columna;
  const char* unidad;
};

constexpr Busqueda kPorArticulo{"IDARTICULO", nullptr};
constexpr Busqueda kPorCodigoBarra{"CODIGOBARRA", nullptr};
constexpr Busqueda kPorUnidades[] = {{"CODIGOBARRADUN", "UD_TTE"}, {"CODIGOBARRA1", "UMCB1"},
                                     {"CODIGOBARRA2", "UMCB2"},    {"CODIGOBARRA3", "UMCB3"},
                                     {"CODIGOBARRA4", "UMCB4"}};

QString Sentencia(const Busqueda& b) {
  // The unit goes first, so the name IDUNIDAD reads the unit of the bar code
  // and not the article's own unit.
  const QString columnas = b.unidad ? QString::fromLatin1(b.unidad) + QStringLiteral(" AS IDUNIDAD, *") : QStringLiteral("*");
  return QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM V_MA_ARTICULOS WHERE ") +
         QString::fromLatin1(b.columna) + QStringLiteral(" = ? ORDER BY IDARTICULO");
}

// The look-ups in the order they are asked. The article code and the main
// bar code are each asked once: asking the same column again finds nothing
// new.
std::vector<Busqueda> Orden(bool CodigoBarraPrimero) {
  std::vector<Busqueda> orden;
  orden.push_back(CodigoBarraPrimero ? kPorCodigoBarra : kPorArticulo);
  orden.push_back(CodigoBarraPrimero ? kPorArticulo : kPorCodigoBarra);
  for (const Busqueda& b : kPorUnidades) orden.push_back(b);
  // With the bar code first, the article code is asked last.
  if (CodigoBarraPrimero) std::rotate(orden.begin() + 1, orden.begin() + 2, orden.end());
  return orden;
}

}  // namespace

QStringList ColumnasDeBusqueda(bool CodigoBarraPrimero) {
  QStringList columnas;
  for (const Busqueda& b : Orden(CodigoBarraPrimero)) columnas << QString::fromLatin1(b.columna);
  return columnas;
}

bool BuscaArticuloPorCodigo(QString& Codigo, Recordset& Rs, bool, bool CodigoBarraPrimero) {
  const QString codigo = gUtil.FormateaCodigo(Codigo, 25);
  if (vb::Trim(codigo).isEmpty()) {
    gDatos.AbreRecordset(QStringLiteral("SELECT * FROM V_MA_ARTICULOS WHERE 1 = 0"), Rs);
    return false;
  }
  for (const Busqueda& b : Orden(CodigoBarraPrimero)) {
    gDatos.AbreRecordsetPreparado(Sentencia(b), {codigo}, Rs);
    if (Rs.Bof()) continue;
    Codigo = vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(Rs.Fields(QStringLiteral("IDARTICULO")))));
    return true;
  }
  return false;
}
