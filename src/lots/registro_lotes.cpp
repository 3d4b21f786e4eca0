#include "lots/registro_lotes.h"

#include "lots/frm_carga_lotes_y_series.h"
#include "lots/frm_lote_y_posicion.h"
#include "platform/controles/label.h"
#include "vouchers/dialogos_cptes.h"
#include "vouchers/dialogos_lotes.h"

namespace {

// Unloads a dialog and releases its instance when the request is done with
// it, also when the request fails half-way.
template <typename T>
class Liberacion {
 public:
  explicit Liberacion(T& f) : f_(f) {}
  ~Liberacion() {
    try {
      f_.Unload();
    } catch (...) {
    }
    T::LiberaGlobal();
  }

 private:
  T& f_;
};

void AbreSeriesLotes(PedidoSeriesLotes& p) {
  FrmCargaLotesySeries& f = FrmCargaLotesySeries::Global();
  Liberacion<FrmCargaLotesySeries> liberacion(f);
  f.Cantidad = p.Cantidad;
  f.Articulo = p.Articulo;
  f.EsConsultaDeSerieLote = p.EsConsultaDeSerieLote;
  f.EsLote = p.EsLote;
  f.EsSerie = p.EsSerie;
  f.EsTalle = p.EsTalle;
  f.Deposito = p.Deposito;
  f.SeriesAnteriores = p.SeriesAnteriores;
  f.LotesAnteriores = p.LotesAnteriores;
  f.Lotes = p.Lotes;
  f.Series = p.Series;
  f.LotesExistentes = p.LotesExistentes;
  f.SeriesExistentes = p.SeriesExistentes;
  f.CargaDatos();
  f.lblArticulo->SetCaption(p.Etiqueta);
  if (p.EsConsultaDeSerieLote) f.MostrarForm = p.Mostrar;
  if (!p.EsConsultaDeSerieLote || p.Mostrar)
    f.Show(1);
  else
    f.CmdAceptar_Click();
  p.Lotes = f.Lotes;
  p.Series = f.Series;
  p.Cantidad = f.Cantidad;
  p.Aceptado = f.Aceptado;
}

void AbrePosicionLote(PedidoPosicionLote& p) {
  FrmLoteyPosicion& f = FrmLoteyPosicion::Global();
  Liberacion<FrmLoteyPosicion> liberacion(f);
  f.Cantidad1 = p.Cantidad1;
  f.EsConsultaDePosicionLote = p.EsConsultaDePosicionLote;
  f.EsPosicion = p.EsPosicion;
  f.EsLote = p.EsLote;
  f.IUNIDAD = p.IUNIDAD;
  f.Articulo = p.Articulo;
  f.Deposito = p.Deposito;
  f.PosicionesAnteriores = p.PosicionesAnteriores;
  f.LotesAnteriores = p.LotesAnteriores;
  f.CargaDatos();
  f.lblArticulo->SetCaption(p.Etiqueta);
  f.Show(1);
  p.Posiciones = f.Posiciones;
  p.Lotes = f.Lotes;
  p.Cantidad1 = f.Cantidad1;
  p.Aceptado = f.Aceptado;
}

}  // namespace

void RegistraDialogosLotes() {
  DialogosCptes& d = Dialogos();
  d.SeriesLotes = AbreSeriesLotes;
  d.PosicionLote = AbrePosicionLote;
}
