// Small helpers of the voucher screens' grids: colouring a row or a column,
// finding a code already entered on another row, and telling whether a
// number has a fractional part.
#include <algorithm>
#include <cmath>

#include "platform/celdas.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/vb.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

// The first row, other than ignorar, whose code (the code column of every
// item grid) equals the code; both trimmed, letter case ignored. -1 when
// none, and for an empty code.
long FilaConCodigo(const MSFlexGrid& g, const QString& codigo, long ignorar) {
  const QString buscado = vb::Trim(codigo);
  if (buscado.isEmpty()) return -1;
  for (int r = 1; r < g.Rows(); ++r)
    if (r != ignorar && vb::Igual(vb::Trim(g.TextMatrix(r, ColGrillas::kCodigo)), buscado)) return r;
  return -1;
}

bool Repetido(const MSFlexGrid& g, const QString& codigo, long ignorar, long* encontrada) {
  const long r = FilaConCodigo(g, codigo, ignorar);
  if (r < 0) return false;
  if (encontrada) *encontrada = r;
  return true;
}

}  // namespace

void ClsCmnCptes::PintarFila(long Fila, MSFlexGrid& MsFlexGrid, long Color) {
  const int columna = MsFlexGrid.Col();
  for (int c = 0; c < MsFlexGrid.Cols(); ++c) {
    MsFlexGrid.SetCol(c);
    MsFlexGrid.SetRow(static_cast<int>(Fila));
    MsFlexGrid.SetCellBackColor(Color);
  }
  MsFlexGrid.SetCol(columna);
}

void ClsCmnCptes::PintarColuma(long Columna, MSFlexGrid& MsFlexGrid, long FilaDesde, long FilaHasta, long Color) {
  int fila = 0;
  vb::PasaPorAlto([&] { fila = MsFlexGrid.Row(); });
  // Only the grid's own cells: bounds beyond its rows are not walked, and a
  // row or column outside it never paints the current cell instead.
  const long ultima = MsFlexGrid.Rows() - 1;
  const long desde = std::max(FilaDesde == -1 ? 0L : FilaDesde, 0L);
  const long hasta = std::min(FilaHasta == -1 ? ultima : FilaHasta, ultima);
  const bool enLaGrilla = Columna >= 0 && Columna < MsFlexGrid.Cols();
  for (long r = desde; enLaGrilla && r <= hasta; ++r) {
    vb::PasaPorAlto([&] { MsFlexGrid.SetCol(static_cast<int>(Columna)); });
    vb::PasaPorAlto([&] { MsFlexGrid.SetRow(static_cast<int>(r)); });
    vb::PasaPorAlto([&] { MsFlexGrid.SetCellBackColor(Color); });
  }
  vb::PasaPorAlto([&] { MsFlexGrid.SetRow(fila); });
}

bool ClsCmnCptes::TareaRepetida(MSFlexGrid& MSFlexGrid1, const QString& Tarea, long FilaIgnorar,
                                long* FilaEncontrada) {
  return Repetido(MSFlexGrid1, Tarea, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::ArticuloRepetido(MSFlexGrid& MSFlexGrid2, const QString& Articulo, long FilaIgnorar,
                                   long* FilaEncontrada) {
  return Repetido(MSFlexGrid2, Articulo, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::OtrosConceptosRepetidos(MSFlexGrid& MSFlexGrid3, const QString& OtroConcepto, long FilaIgnorar,
                                          long* FilaEncontrada) {
  return Repetido(MSFlexGrid3, OtroConcepto, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::NumeroEsFraccion(const QVariant& Numero) const {
  const bool esNumero = Numero.typeId() == QMetaType::Double || Numero.typeId() == QMetaType::Float ||
                        Numero.typeId() == QMetaType::Int || Numero.typeId() == QMetaType::LongLong ||
                        Numero.typeId() == QMetaType::UInt || Numero.typeId() == QMetaType::ULongLong;
  const double x = esNumero ? Numero.toDouble() : NumeroCelda(vb::Texto(Numero));
  // The whole part in a double, so no size overflows it.
  return std::isfinite(x) && x != std::nearbyint(x);
}
