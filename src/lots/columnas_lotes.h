#pragma once
// The columns of the lot dialogs' grids, by name. Row 0 holds the headers;
// data rows start at row 1. Each dialog lays its grid out under these
// numbers and addresses its cells through these names.

// The lot and serial dialog in consultation mode (stock going out): one row
// per stock row of the article in the warehouse, a row per previous entry
// no longer in stock and a blank row for stock without lot.
namespace ColSalidas {
constexpr int kLote = 0;      // "LOTE" ("TALLE-COLOR-SEXO" for sizes); hidden without lots
constexpr int kSerie = 1;     // "SERIE"; hidden without serials
constexpr int kStock = 2;     // "CANT. STOCK": the row's stock less what the voucher's other lines take
constexpr int kCantidad = 3;  // "CANT. ": what the line takes from the row
constexpr int kCantidadColumnas = 4;
}  // namespace ColSalidas

// The lot and serial dialog in entry mode (stock coming in): one row per
// unit.
namespace ColIngresos {
constexpr int kOculta = 0;  // hidden and unused
constexpr int kItem = 1;    // "ITEM": the unit's number
// "Número de Serie" or "Número de Lote": the unit's serial, lot or size (in
// the both kind, its lot).
constexpr int kNumero = 2;
constexpr int kSerie = 3;  // "Número de Serie" in the both kind; hidden otherwise
constexpr int kCantidadColumnas = 4;
}  // namespace ColIngresos

// The position and lot dialog: one row per position (and lot) with a
// balance, and a last row for the warehouse's stock outside any position.
namespace ColPosiciones {
constexpr int kPosicion = 0;    // "POSICION" ("DEPOSITO " and the warehouse on the warehouse row)
constexpr int kLote = 1;        // "LOTE"; hidden outside the combined mode
constexpr int kUnidad = 2;      // "UNIDAD": the line's unit
constexpr int kDisponible = 3;  // "DISPONIBLE": the balance, in the line's unit
constexpr int kCantidad = 4;    // "CANT.": what the line takes from the row
constexpr int kCantidadColumnas = 5;
}  // namespace ColPosiciones
