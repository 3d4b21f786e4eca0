#pragma once
// FrmLoteyPosicion: from which warehouse positions (and, in the combined
// mode, from which lot at each position) the quantity of one voucher line
// comes. One row per position (and lot) with a balance in AC_SALDOSLAYOUT,
// its balance turned into the line's unit, and a last row for the
// warehouse's stock outside any position when it has such a balance. The
// user sets the quantity taken from each row (ColPosiciones::kCantidad);
// previous entries are merged into the rows, else the quantity is spread
// over them. The lists hold the rows that give a quantity, and a row of 0
// above a row of its own position (and lot) that gives one, so a reopened
// line puts each quantity back in its own row.
// The caller sets the members, calls CargaDatos, shows the form and reads
// Posiciones, Lotes, Cantidad1 and Aceptado back.
#include <QString>
#include <vector>

#include "lots/columnas_lotes.h"
#include "lots/frm_grilla_lotes.h"
#include "platform/form.h"

class FrmLoteyPosicion : public FrmGrillaLotes, public InstanciaGlobal<FrmLoteyPosicion> {
  Q_OBJECT

 public:
  FrmLoteyPosicion();

  QString Deposito;
  QString IUNIDAD;
  bool MostrarForm = false;
  bool EsConsultaDePosicionLote = false;
  bool EsPosicion = false;
  bool EsSerie = false;
  bool EsLote = false;
  bool EsPosicionYLote = false;  // computed by CargaDatos
  double Cantidad1 = 0;
  QString IdDeposito;
  QString Articulo;
  QString ArticuloDescripcion;
  QString PosicionesAnteriores;
  QString LotesAnteriores;
  QString Posiciones;
  QString Lotes;

  void CargaDatos();
  void CmdAceptar_Click() override;
  void CampoValida(TextBox* Texto) override;
  double SumaFilas(long MenosCual) const;
  bool ValidaCantidadCantidadPedida() const;

  // The row of the warehouse's stock outside any position (0: none).
  int FilaDeposito() const { return filaDeposito_; }

 protected:
  bool ColumnaEditable(int col) const override { return col == ColPosiciones::kCantidad; }
  bool ColumnaCantidad(int col) const override { return col == ColPosiciones::kCantidad; }
  int UltimaColumna() const override { return ColPosiciones::kCantidad; }
  int PrimeraColumna() const override { return ColPosiciones::kCantidad; }
  void EnterEnUltimaFila() override;
  QString TextoBlanqueo() const override { return QStringLiteral("0"); }
  void BotonPropio(int indice) override;
  QList<int> ColumnasDeLista(int fila) const override;
  std::vector<bool> FilasDeLista() const override;
  bool CabeEnFila(int fila, double valor) const override;
  QString AvisoSinStock() const override;

 private:
  // The article's balances in the warehouse, in the line's unit: one per
  // position (and, in the combined mode, lot) in the order the rows show
  // them, and the balance outside any position when the warehouse has one.
  struct SaldoPosicion {
    QString posicion, lote;
    double disponible = 0;
  };
  struct Saldos {
    std::vector<SaldoPosicion> posiciones;
    bool hayDeposito = false;
    double deposito = 0;
  };

  void InicializaGrid();
  // Loads the rows: the balances (LeeSaldos, which reads the database) laid
  // into the grid (LlenaGrilla), then the previous entries put back
  // (ColocaAnteriores) or the quantity spread.
  void VerificaAnteriores();
  Saldos LeeSaldos() const;
  void LlenaGrilla(const Saldos& s);
  void ColocaAnteriores();
  void DistribuyeCantidad();
  // The list of column col of the rows FilasDeLista gives; with quantities
  // each entry is the column's text, "*" and the quantity.
  QString ListaDeColumna(int col, bool conCantidades) const;
  // The key a row and a previous entry are matched by: its position and,
  // in the combined mode, its lot; the warehouse row's is kClaveDeposito.
  QString Clave(const QString& posicion, const QString& lote) const;
  QString ClaveDeFila(int r) const;
  static const QString kClaveDeposito;

  int filaDeposito_ = 0;
};
