#pragma once
// The columns of the voucher item grids, by name: the record format of a
// voucher line. InicializaGrids lays them out under these numbers, and every
// voucher procedure (the loading of a stored voucher, the totals, the stock
// posting, the lot requests, the measure columns) addresses cells through
// these names, so a column moves with one edit here.
//
// Most names follow the column's header; hidden working cells without a
// header are named after what they hold. Columns without a name are hidden
// and unused by the voucher class.

// Every item grid: a row is used when its code column, trimmed, is not
// empty.
namespace ColGrillas {
constexpr int kCodigo = 0;
}  // namespace ColGrillas

// Tasks grid (MSFlexGrid1).
namespace ColTareas {
constexpr int kCodigo = 0;            // "Código": task code
constexpr int kDescripcion = 1;       // "Descripción"
constexpr int kHoras = 2;             // "Horas": hours and minutes
constexpr int kValorHora = 3;         // "Valor/Hora"
constexpr int kTotal = 4;             // "Total"
constexpr int kEsExento = 5;          // "AuxEsExento"
constexpr int kImporteSinIva = 6;     // "ImporteSinIVA": value per hour without VAT
constexpr int kObservAdic = 7;        // "AuxObservAdic": additional remarks
constexpr int kFechaInicio = 8;       // "AuxFechaInicio": estimated start
constexpr int kFechaFin = 9;          // "AuxFechaFin": estimated end
constexpr int kIdTecnico = 10;        // "AuxIdTecnico"
constexpr int kCodigoOriginal = 11;   // "CodigoOriginal": the task code as loaded
constexpr int kFechaRealInicio = 12;  // "AuxFechaREALInicio"
constexpr int kFechaRealFin = 13;     // "AuxFechaREALFin"
constexpr int kTasaIva = 14;          // "AuxTasaIVA"
constexpr int kCantidadColumnas = 15;
}  // namespace ColTareas

// Articles grid (MSFlexGrid2).
namespace ColArticulos {
constexpr int kArticulo = 0;            // article code ("NombreArticulos", or "Código")
constexpr int kDescripcion = 1;         // "Descripción"
constexpr int kLista = 2;               // "Lista": price list of the line
constexpr int kUnidad = 3;              // "UD": unit of the line
constexpr int kDeposito = 4;            // "Dep.": warehouse of the line (empty: the voucher's)
constexpr int kCantidad = 5;            // "Cant.": quantity, signed
constexpr int kUdEquiv = 6;             // "UDEquiv": equivalent unit
constexpr int kCantidadEquiv = 7;       // "Cant. Equiv": quantity in the equivalent unit
constexpr int kPorcDto = 8;             // "% Dto.": discount percentage
constexpr int kImporte = 9;             // "Importe": unit amount
constexpr int kTotal = 10;              // "Total": total of the line
constexpr int kEsExento = 11;           // "AuxEsExento": "-1" exempt from VAT
constexpr int kPrecioSinIva = 12;       // "AuxPrecioSinIVA"
constexpr int kTotalConImpuestos = 13;  // "TOTAL": the total with the taxes of every unit
constexpr int kPideSerie = 14;          // "AuxPideSerie": the article asks for serial numbers
constexpr int kPideLote = 15;           // "AuxPidelote": the article asks for lots
// "AuxNroLote": the lot list (or the size-colour-sex list) of the line; on
// outgoing lines each entry is a lot and a serial joined by
// ClsCmnCptes::kUnionLoteSerie.
constexpr int kNroLote = 16;
// "AuxNroSerie": the serial list parallel to the lots; on outgoing lines,
// the quantity taken from each entry of the lot list.
constexpr int kNroSerie = 17;
constexpr int kRestoPorAplicar = 18;           // "AuxRestoPorAplicar": quantity still to apply
constexpr int kTipoArticulo = 19;              // "AuxTipoArticulo": article type code
constexpr int kRubroArticulo = 20;             // "AuxRubroArticulo": article rubro code
constexpr int kListaConIva = 21;               // "AuxListaConIVA"
constexpr int kPrecioConIva = 22;              // "AuxPrecioConIVA"
constexpr int kCantidadInsumo = 23;            // "AuxCantidadInsumo": "-1" the article a production order makes
constexpr int kImporteDescuentoArticulo = 24;  // "AuxImporteDescuentoArticulo"
constexpr int kTipoCoeficiente = 25;           // "AuxTipoCoeficiente": "*" or "/"
constexpr int kCoeficiente = 26;               // "AuxCoeficiente": the unit's equivalence to the base unit
constexpr int kStockDisponible = 27;           // "AuxStockDisponible"
constexpr int kStockMinimo = 28;               // "AuxStockMinimo"
constexpr int kTasaIva = 29;                   // "AuxTasaIVA"
constexpr int kCpteOrigen = 30;                // "AuxCpteOrigen": origin type (4) and key (13)
constexpr int kIdCpteOrigen = 31;              // "AuxIdCpteOrigen": origin line id
constexpr int kLoteOrigen = 32;                // "Lote_Origen": lot origin (the line's IdOrigen)
constexpr int kLoteAduana = 33;                // "Lote_Aduana": customs reference (CONTROLADOPOR)
// Columns kDesdeSinTitulo to kHastaSinTitulo carry no header ("Impuestos"
// aside).
constexpr int kDesdeSinTitulo = 34;
constexpr int kHastaSinTitulo = 77;
constexpr int kCosto = 34;                 // unit cost
constexpr int kImpuestos = 36;             // "Impuestos": taxes per unit
constexpr int kUnidadBase = 37;            // base unit of the line
constexpr int kIvaRni = 41;                // VAT rate for non-registered buyers
constexpr int kPerecedero = 42;            // "-1" perishable article
constexpr int kDescripcionTipo = 55;       // description of the article type
constexpr int kPresentacion = 56;          // presentation of the article
constexpr int kPideTalle = 57;             // "-1" the article asks for size, colour and sex
constexpr int kCantidadM3 = 58;            // the quantity in gUnidadMedidaM3
constexpr int kCantidadBL = 59;            // the quantity in gUnidadMedidaBL
constexpr int kCantidadKG = 60;            // the quantity in gUnidadMedidaKG
constexpr int kUnidadCargada = 63;         // the unit of the line as loaded
constexpr int kInsumosPorPorcentaje = 64;  // "-1" components drawn by percentage of kCantidadUd
constexpr int kCpteCargado = 65;           // key of the stored voucher the line was loaded from
constexpr int kCantidadUd = 70;            // quantity of a weighed article in kUnidadBase
constexpr int kPesable = 72;               // "-1" weighed article
constexpr int kCodigoBarra = 73;           // bar code of the article
constexpr int kPrecioLista = 75;           // list price (purchase side)
constexpr int kIdInsert = 76;              // feeds IDINSERT of the stock movement
constexpr int kIdCompulsa = 77;            // feeds IDCOMPULSA of the stock movement
constexpr int kCodigoPercepcion = 78;      // "AuxCodigoPercepcion"
constexpr int kCantidadColumnas = 79;
}  // namespace ColArticulos

// Other-concepts grid (MSFlexGrid3).
namespace ColOtrosConceptos {
constexpr int kDetalle = 0;        // "Detalle"
constexpr int kImporteSinIva = 1;  // "Importe S/Iva"
constexpr int kImporte = 2;        // "Importe"
constexpr int kCuenta = 3;         // "Cuenta": account of the concept
constexpr int kCantidadColumnas = 6;
}  // namespace ColOtrosConceptos

// Item-count (summary) grid (MSFlexGrid4).
namespace ColResumen {
constexpr int kDescripcion = 0;  // "Descripcion"
constexpr int kItems = 1;        // "Cantidad ITEM'S"
constexpr int kCantidad = 2;     // "Cantidad": time or quantity
constexpr int kCantidadColumnas = 3;
}  // namespace ColResumen

static_assert(ColTareas::kCodigo == ColGrillas::kCodigo && ColArticulos::kArticulo == ColGrillas::kCodigo &&
              ColOtrosConceptos::kDetalle == ColGrillas::kCodigo);
