// Layout of the voucher item grids and the binding of their editors.
//
// Tasks grid (15 columns): 0 code, 1 description, 2 hours, 3 value per hour,
// 4 total, 5..14 hidden working cells (exempt flag, amount without VAT,
// additional remarks, estimated and real dates, technician, original code,
// VAT rate).
// Articles grid (79 columns): 0 article, 1 description, 2 price list, 3 unit,
// 4 warehouse, 5 quantity, 6/7 equivalent unit and quantity, 8 discount,
// 9 amount, 10 total, 13 total shown, 16/17 lot and serial lists, 19 article
// type, 20 group, 27 available stock, 36 taxes, 58..60 quantities in the
// M3 / BL / KG units, 78 perception code; the rest hidden working cells.
// Other concepts (6 columns): 0 detail, 1 amount without VAT, 2 amount,
// 3 account. Item counts (3 columns).
#include <iterator>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/form.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"

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
    MSFlexGrid* g = MSFlexGrid1;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsTareas);
    c.Pon(0, c.w(7), QStringLiteral("Código"));
    c.Pon(1, c.w(37), QStringLiteral("Descripción"));
    g->SetColAlignment(1, flex::AlignLeftCenter);
    c.Pon(2, c.w(7), QStringLiteral("Horas"));
    c.Pon(3, c.w(11), QStringLiteral("Valor/Hora"));
    c.Pon(4, c.w(11), QStringLiteral("Total"));
    if (sinImportes) {
      c.Suma(1, c.De(3) + c.De(4));
      c.Ancho(3, 0);
      c.Ancho(4, 0);
      if (vb::Igual(vb::Trim(TC), QStringLiteral("OT"))) c.Pasa(2, 1);
    }
    c.Pon(6, 0, QStringLiteral("ImporteSinIVA"));
    c.Pon(7, 0, QStringLiteral("AuxObservAdic"));
    c.Pon(5, 0, QStringLiteral("AuxEsExento"));
    c.Pon(8, 0, QStringLiteral("AuxFechaInicio"));
    c.Pon(9, 0, QStringLiteral("AuxFechaFin"));
    c.Pon(10, 0, QStringLiteral("AuxIdTecnico"));
    c.Pon(11, 0, QStringLiteral("CodigoOriginal"));
    c.Pon(12, 0, QStringLiteral("AuxFechaREALInicio"));
    c.Pon(13, 0, QStringLiteral("AuxFechaREALFin"));
    c.Pon(14, 0, QStringLiteral("AuxTasaIVA"));
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
    MSFlexGrid* g = MSFlexGrid2;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsArticulos);
    c.Pon(0, c.w(15), tituloCodigo);
    g->SetColAlignment(0, flex::AlignLeftCenter);
    c.Pon(1, stock ? c.w(39) : c.w(29), QStringLiteral("Descripción"));
    g->SetColAlignment(1, flex::AlignLeftCenter);
    c.Pon(2, 0, QStringLiteral("Lista"));
    // Price list of the line.
    if (EsSi(QStringLiteral("V_ListaPreciosPorItemArticulos")) && ventas) {
      c.Suma(0, -c.w(1));
      c.Suma(1, -c.w(3));
      c.Ancho(2, c.w(4));
    }
    c.Pon(3, c.w(4), QStringLiteral("UD"));
    c.Pon(5, c.w(6), QStringLiteral("Cant."));
    c.Pon(6, 0, QString());
    c.Pon(7, 0, QString());
    if (EsSi(QStringLiteral("ConfirmaUDEquiv"))) {
      c.Pon(6, c.w(7), QStringLiteral("UDEquiv"));
      c.Pon(7, c.w(9), QStringLiteral("Cant. Equiv"));
    }
    c.Pon(4, deposito ? c.w(4) : 0, QStringLiteral("Dep."));
    // Discount per line.
    if (!stock) {
      c.Pon(8, 0, QStringLiteral("% Dto."));
      if (EsSi(QStringLiteral("V_DescuentoPorArticulos"))) {
        c.Suma(0, -c.w(1));
        c.Suma(1, -c.w(3));
        c.Ancho(8, c.w(5));
      }
    } else {
      c.Pon(8, 0, QString());
    }
    c.Pon(9, c.w(11), QStringLiteral("Importe"));
    c.Pon(10, 0, QStringLiteral("Total"));
    if (!stock)
      c.Pon(13, c.w(10), QStringLiteral("TOTAL"));
    else
      c.Pon(13, 0, QString());
    if (sinImportes) {
      c.Suma(1, c.De(9) + c.De(10) + c.De(13));
      c.Ancho(9, 0);
      c.Ancho(10, 0);
      c.Ancho(13, 0);
    }
    c.Pon(11, 0, QStringLiteral("AuxEsExento"));
    c.Pon(12, 0, QStringLiteral("AuxPrecioSinIVA"));
    if (!stock)
      c.Pon(36, c.w(10), QStringLiteral("Impuestos"));
    else
      c.Pon(36, 0, QString());
    c.Pon(14, 0, QStringLiteral("AuxPideSerie"));
    c.Pon(15, 0, QStringLiteral("AuxPidelote"));
    c.Pon(42, 0, QStringLiteral("Auxesperecedero"));
    c.Pon(57, 0, QStringLiteral("AuxPideTalle"));
    c.Pon(64, 0, QStringLiteral("Aux_InsumosPorPorcentaje"));
    // Lot and serial lists, shown only on returns of purchase orders.
    if (vb::Igual(TC, QStringLiteral("DVPE"))) {
      c.Pon(16, Obj->TextWidth(QStringLiteral("Nro. de Lote")), QStringLiteral("Nro. Lote"));
      c.Pon(17, Obj->TextWidth(QStringLiteral("Nro. de Serie")), QStringLiteral("Nro. Serie"));
    } else {
      c.Pon(16, 0, QStringLiteral("AuxNroLote"));
      c.Pon(17, 0, QStringLiteral("AuxNroSerie"));
    }
    c.Pon(18, 0, QStringLiteral("AuxRestoPorAplicar"));
    if (stock) {
      c.Suma(1, c.De(9) - 480);
      c.Ancho(9, 0);
      c.Pasa(10, 1);
      c.Suma(3, c.w(4));
      c.Suma(5, c.w(7));
    }
    c.Pon(20, 0, QStringLiteral("AuxRubroArticulo"));
    c.Pon(19, 0, QStringLiteral("AuxTipoArticulo"));
    static const char* const kOcultas[] = {
        "AuxListaConIVA",     "AuxPrecioConIVA", "AuxCantidadInsumo", "AuxImporteDescuentoArticulo",
        "AuxTipoCoeficiente", "AuxCoeficiente",  "AuxStockDisponible", "AuxStockMinimo",
        "AuxTasaIVA",         "AuxCpteOrigen",   "AuxIdCpteOrigen"};
    for (int col = 21; col <= 31; ++col) c.Pon(col, 0, QString::fromLatin1(kOcultas[col - 21]));
    c.Pon(78, 0, QStringLiteral("AuxCodigoPercepcion"));
    c.Pon(32, 0, QStringLiteral("Lote_Origen"));
    c.Pon(33, 0, QStringLiteral("Lote_Aduana"));
    for (int col = 34; col <= 77; ++col)
      if (col != 36) c.Pon(col, 0, QString());
    g->Refresh();
    if (txtEdit2) txtEdit2->setVisible(false);
  }

  // ---- other concepts
  if (MSFlexGrid3) {
    if (!txtEdit3) FaltaObjeto("txtEdit3");
    MSFlexGrid* g = MSFlexGrid3;
    Columnas c(g, Obj);
    txtEdit3->SetText(QString());
    g->Clear();
    g->SetRows(2);
    g->SetCols(kColsOtrosConceptos);
    c.Pon(0, c.w(49), QStringLiteral("Detalle"));
    g->SetColAlignment(0, flex::AlignLeftCenter);
    c.Pon(1, c.w(11), QStringLiteral("Importe S/Iva"));
    c.Pon(2, c.w(11), QStringLiteral("Importe"));
    c.Pon(3, 0, QStringLiteral("Cuenta"));
    if (sinImportes) {
      c.Suma(0, c.De(1) + c.De(2));
      c.Ancho(1, 0);
      c.Ancho(2, 0);
    }
    c.Pon(5, 0, QString());
    c.Pon(4, 0, QString());
  }

  // ---- item counts
  if (MSFlexGrid4) {
    MSFlexGrid* g = MSFlexGrid4;
    Columnas c(g, Obj);
    g->Clear();
    g->SetRows(5);
    g->SetCols(kColsTotales);
    c.Pon(0, c.w(50), QStringLiteral("Descripcion"));
    g->SetColAlignment(0, flex::AlignLeftCenter);
    c.Pon(1, c.w(15), QStringLiteral("Cantidad ITEM'S"));
    c.Pon(2, c.w(10), QStringLiteral("Cantidad"));
  }
}

void ClsCmnCptes::TextPropiedades(TextBox* Texto, long Columna) {
  if (!Texto) vb::Raise(vb::ErrObjectRequired, QStringLiteral("Se requiere un objeto"), QStringLiteral("TextPropiedades"));
  Texto->DataField.clear();
  Texto->Tag.clear();
  Texto->SetMaxLength(0);
  struct Enlace {
    const char* campo;
    int largo;
    const char* tabla;
  };
  static const Enlace kTareas[] = {
      {"IdTarea", 4, "v_ta_tareas"}, {"Descripcion", 0, ""}, {"HorasEstimadas", 0, ""}, {"ValorHora", 0, ""},
      {"Total", 0, ""}};
  static const Enlace kArticulos[] = {
      {"IdArticulo", 25, "v_ma_articulos"},     {"Descripcion", 50, ""},         {"IdListaPrecioArticulo", 4, "V_MA_PRECIOS"},
      {"IdUnidad", 4, "V_TA_UNIDAD"},           {"IdDepositoArt", 4, "V_TA_DEPOSITO"}, {"Cantidad", 0, ""},
      {"IdUnidadEquiv", 4, "V_TA_UNIDAD"},      {"CantidadEquiv", 0, ""},       {"PorcDtoArticulo", 0, ""},
      {"ArtImporte", 0, ""},                    {"Total", 0, ""}};
  static const Enlace kConceptos[] = {
      {"OCDescripcion", 200, "MA_CUENTAS/SOLOIMPUTABLES"}, {"OCImporteSinIva", 0, ""}, {"OCImporte", 0, ""}};

  const QString nombre = vb::Trim(Texto->objectName());
  const Enlace* tabla = nullptr;
  long cantidad = 0;
  if (vb::Igual(nombre, QStringLiteral("TxtEdit"))) {
    tabla = kTareas;
    cantidad = std::size(kTareas);
  } else if (vb::Igual(nombre, QStringLiteral("TxtEdit2"))) {
    tabla = kArticulos;
    cantidad = std::size(kArticulos);
  } else if (vb::Igual(nombre, QStringLiteral("TxtEdit3"))) {
    tabla = kConceptos;
    cantidad = std::size(kConceptos);
  }
  if (!tabla || Columna < 0 || Columna >= cantidad) return;
  const Enlace& e = tabla[Columna];
  Texto->DataField = QString::fromLatin1(e.campo);
  Texto->SetMaxLength(e.largo);
  Texto->Tag = QString::fromLatin1(e.tabla);
}
