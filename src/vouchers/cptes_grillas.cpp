// Layout of the voucher item grids and the binding of their editors. The
// columns and what each holds are named in columnas_cptes.h.
#include <algorithm>
#include <vector>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

bool EsSi(const QString& clave) { return vb::Igual(Cfg(clave), QStringLiteral("SI")); }

// First letter of each word capital, the others small.
QString TipoTitulo(const QString& t) {
  QString r;
  r.reserve(t.size());
  bool inicio = true;
  for (QChar c : t) {
    const ushort u = c.unicode();
    const bool separador = u == 0 || u == 9 || u == 10 || u == 11 || u == 12 || u == 13 || u == 32;
    r += inicio ? c.toUpper() : c.toLower();
    inicio = separador;
  }
  return r;
}

[[noreturn]] void FaltaObjeto(const char* cual) {
  vb::Raise(vb::ErrObjectRequired, QStringLiteral("Se requiere un objeto: ") + QLatin1String(cual),
            QStringLiteral("InicializaGrids"));
}

// Widths and headers of one grid, read back from the grid itself so each
// step acts on the widths the previous ones left.
class Columnas {
 public:
  Columnas(MSFlexGrid* g, Form* obj) : g_(g), obj_(obj) {}
  int w(int n) const { return n == 0 ? 0 : obj_->TextWidth(QString(n, u'X')); }
  void Pon(int col, int ancho, const QString& titulo) {
    g_->SetColWidth(col, ancho);
    g_->SetTextArray(col, titulo);
  }
  void Ancho(int col, int ancho) { g_->SetColWidth(col, ancho); }
  void Suma(int col, int delta) { g_->SetColWidth(col, g_->ColWidth(col) + delta); }
  // Moves the width of columna into destino and hides it.
  void Pasa(int columna, int destino) {
    Suma(destino, g_->ColWidth(columna));
    g_->SetColWidth(columna, 0);
  }
  int De(int col) const { return g_->ColWidth(col); }

 private:
  MSFlexGrid* g_;
  Form* obj_;
};

}  // namespace

void ClsCmnCptes::InicializaGrids(MSFlexGrid* MSFlexGrid1, MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3,
                                  TextBox* TxtEdit, TextBox* txtEdit2, TextBox* txtEdit3, Form* Obj,
                                  const QString& TC, MSFlexGrid* MSFlexGrid4) {
  if (!Obj && (MSFlexGrid1 || MSFlexGrid2 || MSFlexGrid3 || MSFlexGrid4)) FaltaObjeto("Obj");

  // System of the voucher type; a type without a row has none.
  QString sistema;
  {
    Recordset rs;
    gDatos.AbreRecordset(QStringLiteral("SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = ") +
                             ClsDatos::Literal(gUtil.FormateaCodigo(vb::Trim(TC), 4)),
                         rs, nullptr, 0, 1, -1);
    if (!rs.Bof() && !rs.Eof())
      sistema = vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(QStringLiteral("Sistema")))));
    gDatos.CierraRecordset(rs);
  }
  const bool stock = vb::Igual(sistema, QStringLiteral("STOCK"));
  const bool ventas = vb::Igual(sistema, QStringLiteral("VENTAS"));

  bool deposito = EsSi(QStringLiteral("PideDepositoEnCptes"));
  bool sinImportes = false;
  if (vb::Igual(TC, QStringLiteral("OP")) || vb::Igual(TC, QStringLiteral("OC"))) {
    sinImportes = true;
  } else if (vb::Igual(TC, QStringLiteral("OT"))) {
    sinImportes = EsSi(QStringLiteral("NoMostrarImportesEnOT"));
    deposito = false;
  } else if (vb::Igual(TC, QStringLiteral("PR"))) {
    deposito = false;
  }

  // ---- tasks
  if (MSFlexGrid1) {
    using namespace ColTareas;
    MSFlexGrid* g = MSFlexGrid1;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsTareas);
    c.Pon(kCodigo, c.w(7), QStringLiteral("Código"));
    c.Pon(kDescripcion, c.w(37), QStringLiteral("Descripción"));
    g->SetColAlignment(kDescripcion, flex::AlignLeftCenter);
    c.Pon(kHoras, c.w(7), QStringLiteral("Horas"));
    c.Pon(kValorHora, c.w(11), QStringLiteral("Valor/Hora"));
    c.Pon(kTotal, c.w(11), QStringLiteral("Total"));
    if (sinImportes) {
      c.Suma(kDescripcion, c.De(kValorHora) + c.De(kTotal));
      c.Ancho(kValorHora, 0);
      c.Ancho(kTotal, 0);
      if (vb::Igual(vb::Trim(TC), QStringLiteral("OT"))) c.Pasa(kHoras, kDescripcion);
    }
    c.Pon(kImporteSinIva, 0, QStringLiteral("ImporteSinIVA"));
    c.Pon(kObservAdic, 0, QStringLiteral("AuxObservAdic"));
    c.Pon(kEsExento, 0, QStringLiteral("AuxEsExento"));
    c.Pon(kFechaInicio, 0, QStringLiteral("AuxFechaInicio"));
    c.Pon(kFechaFin, 0, QStringLiteral("AuxFechaFin"));
    c.Pon(kIdTecnico, 0, QStringLiteral("AuxIdTecnico"));
    c.Pon(kCodigoOriginal, 0, QStringLiteral("CodigoOriginal"));
    c.Pon(kFechaRealInicio, 0, QStringLiteral("AuxFechaREALInicio"));
    c.Pon(kFechaRealFin, 0, QStringLiteral("AuxFechaREALFin"));
    c.Pon(kTasaIva, 0, QStringLiteral("AuxTasaIVA"));
    g->Refresh();
    if (!TxtEdit) FaltaObjeto("TxtEdit");
    TxtEdit->setVisible(false);
  }

  // Header of the article code.
  const QString nombreArticulos = Cfg(QStringLiteral("NombreArticulos"));
  const QString tituloCodigo =
      TipoTitulo(vb::Trim(nombreArticulos).isEmpty() ? QStringLiteral("Código") : nombreArticulos);

  // ---- articles
  if (MSFlexGrid2) {
    using namespace ColArticulos;
    MSFlexGrid* g = MSFlexGrid2;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsArticulos);
    c.Pon(kArticulo, c.w(15), tituloCodigo);
    g->SetColAlignment(kArticulo, flex::AlignLeftCenter);
    c.Pon(kDescripcion, stock ? c.w(39) : c.w(29), QStringLiteral("Descripción"));
    g->SetColAlignment(kDescripcion, flex::AlignLeftCenter);
    c.Pon(kLista, 0, QStringLiteral("Lista"));
    // Price list of the line.
    if (EsSi(QStringLiteral("V_ListaPreciosPorItemArticulos")) && ventas) {
      c.Suma(kArticulo, -c.w(1));
      c.Suma(kDescripcion, -c.w(3));
      c.Ancho(kLista, c.w(4));
    }
    c.Pon(kUnidad, c.w(4), QStringLiteral("UD"));
    c.Pon(kCantidad, c.w(6), QStringLiteral("Cant."));
    c.Pon(kUdEquiv, 0, QString());
    c.Pon(kCantidadEquiv, 0, QString());
    if (EsSi(QStringLiteral("ConfirmaUDEquiv"))) {
      c.Pon(kUdEquiv, c.w(7), QStringLiteral("UDEquiv"));
      c.Pon(kCantidadEquiv, c.w(9), QStringLiteral("Cant. Equiv"));
    }
    c.Pon(kDeposito, deposito ? c.w(4) : 0, QStringLiteral("Dep."));
    // Discount per line.
    if (!stock) {
      c.Pon(kPorcDto, 0, QStringLiteral("% Dto."));
      if (EsSi(QStringLiteral("V_DescuentoPorArticulos"))) {
        c.Suma(kArticulo, -c.w(1));
        c.Suma(kDescripcion, -c.w(3));
        c.Ancho(kPorcDto, c.w(5));
      }
    } else {
      c.Pon(kPorcDto, 0, QString());
    }
    c.Pon(kImporte, c.w(11), QStringLiteral("Importe"));
    c.Pon(kTotal, 0, QStringLiteral("Total"));
    if (!stock)
      c.Pon(kTotalConImpuestos, c.w(10), QStringLiteral("TOTAL"));
    else
      c.Pon(kTotalConImpuestos, 0, QString());
    if (sinImportes) {
      c.Suma(kDescripcion, c.De(kImporte) + c.De(kTotal) + c.De(kTotalConImpuestos));
      c.Ancho(kImporte, 0);
      c.Ancho(kTotal, 0);
      c.Ancho(kTotalConImpuestos, 0);
    }
    c.Pon(kEsExento, 0, QStringLiteral("AuxEsExento"));
    c.Pon(kPrecioSinIva, 0, QStringLiteral("AuxPrecioSinIVA"));
    if (!stock)
      c.Pon(kImpuestos, c.w(10), QStringLiteral("Impuestos"));
    else
      c.Pon(kImpuestos, 0, QString());
    c.Pon(kPideSerie, 0, QStringLiteral("AuxPideSerie"));
    c.Pon(kPideLote, 0, QStringLiteral("AuxPidelote"));
    c.Pon(kPerecedero, 0, QStringLiteral("Auxesperecedero"));
    c.Pon(kPideTalle, 0, QStringLiteral("AuxPideTalle"));
    c.Pon(kInsumosPorPorcentaje, 0, QStringLiteral("Aux_InsumosPorPorcentaje"));
    // Lot and serial lists, shown only on returns of purchase orders.
    if (vb::Igual(TC, QStringLiteral("DVPE"))) {
      c.Pon(kNroLote, Obj->TextWidth(QStringLiteral("Nro. de Lote")), QStringLiteral("Nro. Lote"));
      c.Pon(kNroSerie, Obj->TextWidth(QStringLiteral("Nro. de Serie")), QStringLiteral("Nro. Serie"));
    } else {
      c.Pon(kNroLote, 0, QStringLiteral("AuxNroLote"));
      c.Pon(kNroSerie, 0, QStringLiteral("AuxNroSerie"));
    }
    c.Pon(kRestoPorAplicar, 0, QStringLiteral("AuxRestoPorAplicar"));
    if (stock) {
      c.Suma(kDescripcion, c.De(kImporte) - 480);
      c.Ancho(kImporte, 0);
      c.Pasa(kTotal, kDescripcion);
      c.Suma(kUnidad, c.w(4));
      c.Suma(kCantidad, c.w(7));
    }
    c.Pon(kRubroArticulo, 0, QStringLiteral("AuxRubroArticulo"));
    c.Pon(kTipoArticulo, 0, QStringLiteral("AuxTipoArticulo"));
    c.Pon(kListaConIva, 0, QStringLiteral("AuxListaConIVA"));
    c.Pon(kPrecioConIva, 0, QStringLiteral("AuxPrecioConIVA"));
    c.Pon(kCantidadInsumo, 0, QStringLiteral("AuxCantidadInsumo"));
    c.Pon(kImporteDescuentoArticulo, 0, QStringLiteral("AuxImporteDescuentoArticulo"));
    c.Pon(kTipoCoeficiente, 0, QStringLiteral("AuxTipoCoeficiente"));
    c.Pon(kCoeficiente, 0, QStringLiteral("AuxCoeficiente"));
    c.Pon(kStockDisponible, 0, QStringLiteral("AuxStockDisponible"));
    c.Pon(kStockMinimo, 0, QStringLiteral("AuxStockMinimo"));
    c.Pon(kTasaIva, 0, QStringLiteral("AuxTasaIVA"));
    c.Pon(kCpteOrigen, 0, QStringLiteral("AuxCpteOrigen"));
    c.Pon(kIdCpteOrigen, 0, QStringLiteral("AuxIdCpteOrigen"));
    c.Pon(kCodigoPercepcion, 0, QStringLiteral("AuxCodigoPercepcion"));
    c.Pon(kLoteOrigen, 0, QStringLiteral("Lote_Origen"));
    c.Pon(kLoteAduana, 0, QStringLiteral("Lote_Aduana"));
    // The working cells carry no header (the perishable, size and
    // percentage flags lose theirs here) and are hidden.
    for (int col = kDesdeSinTitulo; col <= kHastaSinTitulo; ++col)
      if (col != kImpuestos) c.Pon(col, 0, QString());
    g->Refresh();
    if (txtEdit2) txtEdit2->setVisible(false);
  }

  // ---- other concepts
  if (MSFlexGrid3) {
    using namespace ColOtrosConceptos;
    if (!txtEdit3) FaltaObjeto("txtEdit3");
    MSFlexGrid* g = MSFlexGrid3;
    Columnas c(g, Obj);
    txtEdit3->SetText(QString());
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsOtrosConceptos);
    c.Pon(kDetalle, c.w(49), QStringLiteral("Detalle"));
    g->SetColAlignment(kDetalle, flex::AlignLeftCenter);
    c.Pon(kImporteSinIva, c.w(11), QStringLiteral("Importe S/Iva"));
    c.Pon(kImporte, c.w(11), QStringLiteral("Importe"));
    c.Pon(kCuenta, 0, QStringLiteral("Cuenta"));
    if (sinImportes) {
      c.Suma(kDetalle, c.De(kImporteSinIva) + c.De(kImporte));
      c.Ancho(kImporteSinIva, 0);
      c.Ancho(kImporte, 0);
    }
    // The columns after the account: hidden, without header.
    for (int col = kColsOtrosConceptos - 1; col > kCuenta; --col) c.Pon(col, 0, QString());
  }

  // ---- item counts
  if (MSFlexGrid4) {
    using namespace ColResumen;
    MSFlexGrid* g = MSFlexGrid4;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(5);
    g->SetCols(kColsTotales);
    c.Pon(kDescripcion, c.w(50), QStringLiteral("Descripcion"));
    g->SetColAlignment(kDescripcion, flex::AlignLeftCenter);
    c.Pon(kItems, c.w(15), QStringLiteral("Cantidad ITEM'S"));
    c.Pon(kCantidad, c.w(10), QStringLiteral("Cantidad"));
  }
}

void ClsCmnCptes::TextPropiedades(TextBox* Texto, long Columna) {
  if (!Texto) vb::Raise(vb::ErrObjectRequired, QStringLiteral("Se requiere un objeto"), QStringLiteral("TextPropiedades"));
  Texto->DataField.clear();
  Texto->Tag.clear();
  Texto->SetMaxLength(0);
  // The editable columns of each grid: the field the editor stands for, its
  // maximum length and its look-up table.
  struct Enlace {
    int columna;
    const char* campo;
    int largo;
    const char* tabla;
  };
  static const std::vector<Enlace> kTareas = {{ColTareas::kCodigo, "IdTarea", 4, "v_ta_tareas"},
                                              {ColTareas::kDescripcion, "Descripcion", 0, ""},
                                              {ColTareas::kHoras, "HorasEstimadas", 0, ""},
                                              {ColTareas::kValorHora, "ValorHora", 0, ""},
                                              {ColTareas::kTotal, "Total", 0, ""}};
  static const std::vector<Enlace> kArticulos = {
      {ColArticulos::kArticulo, "IdArticulo", 25, "v_ma_articulos"},
      {ColArticulos::kDescripcion, "Descripcion", 50, ""},
      {ColArticulos::kLista, "IdListaPrecioArticulo", 4, "V_MA_PRECIOS"},
      {ColArticulos::kUnidad, "IdUnidad", 4, "V_TA_UNIDAD"},
      {ColArticulos::kDeposito, "IdDepositoArt", 4, "V_TA_DEPOSITO"},
      {ColArticulos::kCantidad, "Cantidad", 0, ""},
      {ColArticulos::kUdEquiv, "IdUnidadEquiv", 4, "V_TA_UNIDAD"},
      {ColArticulos::kCantidadEquiv, "CantidadEquiv", 0, ""},
      {ColArticulos::kPorcDto, "PorcDtoArticulo", 0, ""},
      {ColArticulos::kImporte, "ArtImporte", 0, ""},
      {ColArticulos::kTotal, "Total", 0, ""}};
  static const std::vector<Enlace> kConceptos = {
      {ColOtrosConceptos::kDetalle, "OCDescripcion", 200, "MA_CUENTAS/SOLOIMPUTABLES"},
      {ColOtrosConceptos::kImporteSinIva, "OCImporteSinIva", 0, ""},
      {ColOtrosConceptos::kImporte, "OCImporte", 0, ""}};

  const QString nombre = vb::Trim(Texto->objectName());
  const std::vector<Enlace>* tabla = nullptr;
  if (vb::Igual(nombre, QStringLiteral("TxtEdit")))
    tabla = &kTareas;
  else if (vb::Igual(nombre, QStringLiteral("TxtEdit2")))
    tabla = &kArticulos;
  else if (vb::Igual(nombre, QStringLiteral("TxtEdit3")))
    tabla = &kConceptos;
  if (!tabla) return;
  const auto enlace =
      std::find_if(tabla->begin(), tabla->end(), [&](const Enlace& e) { return e.columna == Columna; });
  if (enlace == tabla->end()) return;
  const Enlace& e = *enlace;
  Texto->DataField = QString::fromLatin1(e.campo);
  Texto->SetMaxLength(e.largo);
  Texto->Tag = QString::fromLatin1(e.tabla);
}
