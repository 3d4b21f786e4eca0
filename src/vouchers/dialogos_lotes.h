#pragma once
// What the lot requests of ClsCmnCptes (PideSerieLote,
// PideSerieLote_Salidas, PidePosicionLote) hand to the lot dialogs and read
// back. The dialogs live in a library above this one, which fills in the
// openers SeriesLotes and PosicionLote of DialogosCptes (dialogos_cptes.h)
// at start-up (RegistraDialogosLotes in lots/registro_lotes.h).
//
// An opener creates the dialog, sets its members from the request
// in the order they are listed, loads it, sets the article label, shows it
// modally through the interaction seam (or, for a lot and serial request
// with Mostrar off, runs its acceptance without showing it), copies the
// results back into the request and releases the dialog, whatever happens
// (a failure is raised to the caller after the dialog is released).
#include <QString>

// A lot, serial or size breakdown of one line's quantity.
struct PedidoSeriesLotes {
  // Set by the request.
  QString Deposito;                   // warehouse code at width 4 (consultation)
  bool EsConsultaDeSerieLote = false; // on: stock going out, one row per stock row
  bool EsSerie = false;
  bool EsLote = false;
  bool EsTalle = false;
  double Cantidad = 0;
  QString Articulo;
  QString SeriesAnteriores;  // entry: the line's previous serials
  QString LotesAnteriores;   // entry: the line's previous lots
  QString Series;            // consultation: the previous quantities, parallel to Lotes
  QString Lotes;             // consultation: the previous lot-and-serial entries
  QString SeriesExistentes;  // consultation: quantities taken on the voucher's other lines
  QString LotesExistentes;   // consultation: their lot-and-serial entries
  QString Etiqueta;          // caption of the article label
  bool Mostrar = true;       // off: accepted without being shown (consultation)

  // Read back from the dialog.
  bool Aceptado = false;  // the lists were built; off: cancelled, closed or refused
};

// A breakdown of one line's quantity by warehouse position (and lot).
struct PedidoPosicionLote {
  // Set by the request.
  double Cantidad1 = 0;
  bool EsConsultaDePosicionLote = false;  // previous entries are given
  bool EsPosicion = true;
  bool EsLote = false;
  QString IUNIDAD;
  QString Articulo;
  QString Deposito;
  QString PosicionesAnteriores;
  QString LotesAnteriores;
  QString Etiqueta;

  // Read back from the dialog.
  QString Posiciones;
  QString Lotes;
  bool Aceptado = false;
};
