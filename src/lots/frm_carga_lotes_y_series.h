#pragma once
// FrmCargaLotesySeries: breaks one voucher line's quantity down by lot, by
// serial number, by both or by size / colour / sex (talle), for one article
// in one warehouse.
// - Consultation mode (stock going out): one row per stock row of the
//   article in the warehouse (STK_SERIES_Y_LOTES), a row for each previous
//   entry no longer in stock, and a blank row for stock without lot; the
//   user sets the quantity taken from each row (column 3). The stock shown
//   is lowered by what the voucher's other lines of the article take, once
//   over the rows of each lot and serial in order (first from what this
//   line does not take itself). A reopened line's entries go back to the
//   rows of their lot and serial in order; a new line is offered its
//   quantity spread over the stock shown. A row whose lot or serial holds a
//   list separator takes no part of the spread, is refused only when it
//   gives a quantity, and is left out of the lists.
// - Entry mode (stock coming in): one row per unit; the user types the lot
//   or serial number of each (and both in the both kind).
// The caller sets the members, calls CargaDatos, shows the form (or runs
// CmdAceptar_Click without showing it) and reads Lotes, Series, Cantidad and
// Aceptado back.
#include <QString>

#include "lots/frm_grilla_lotes.h"
#include "platform/form.h"

class FrmCargaLotesySeries : public FrmGrillaLotes, public InstanciaGlobal<FrmCargaLotesySeries> {
  Q_OBJECT

 public:
  FrmCargaLotesySeries();

  QString Deposito;
  bool MostrarForm = false;
  bool EsConsultaDeSerieLote = false;
  bool EsSerie = false;
  bool EsLote = false;
  bool EsSerieYLote = false;  // computed by CargaDatos
  bool EsTalle = false;
  double Cantidad = 0;
  QString IdDeposito;
  QString Articulo;
  QString ArticuloDescripcion;
  QString SeriesAnteriores;
  QString LotesAnteriores;
  QString Series;
  QString Lotes;
  QString SeriesExistentes;
  QString LotesExistentes;

  void CargaDatos();
  void InicializaGrid();
  void VerificaAnteriores();
  void VerificaExistenciasEnGrilla();
  // Empty cells of column 2 take the value of row 1 (entry mode, where
  // column 2 does not hold serial numbers).
  void CompletaTodoIgual();

  void CmdAceptar_Click() override;
  void CampoValida(TextBox* Texto) override;
  double SumaFilas(long MenosCual) const;
  bool ValidaCantidadCantidadPedida() const;

 protected:
  bool ColumnaEditable(int col) const override;
  bool ColumnaCantidad(int col) const override;
  int UltimaColumna() const override;
  int PrimeraColumna() const override;
  QString TextoBlanqueo() const override { return QString(); }
  QList<int> ColumnasDeLista(int fila) const override;
  std::vector<bool> FilasDeLista() const override;
  bool CabeEnFila(int fila, double valor) const override;
  QString AvisoSinStock() const override;

 private:
  void DistribuyeCantidad();
  // The key a stock row and a lot-and-serial entry are matched by.
  QString ClaveDeFila(int r) const;
  // Whether column col of the entry grid holds serial numbers.
  bool ColumnaDeSeries(int col) const;
  // The data row other than fila whose trimmed text in col equals texto
  // (ignoring letter case); 0 when none.
  int FilaConMismoTexto(int col, const QString& texto, int fila) const;
  // The first data row whose serial in col (trimmed; "" and "-" are none)
  // another row repeats, ignoring letter case, with the next row that
  // repeats it in otra; 0 when no serial repeats. One pass over the rows.
  int SerieRepetida(int col, int& otra) const;
  // A list with one entry per data row: the trimmed cell of col, "-" when
  // it is empty.
  QString ListaDeColumna(int col) const;
};
