#pragma once
// The dialogs the voucher class opens live in the libraries above it: the
// voucher pick list and the charges dialog in voucher_dialogs, the lot,
// series and position dialogs in lots. The class reaches each through an
// opener here, which the dialog's library fills in when the program starts
// (its registration function, called from the program's start and from the
// tests' main). An opener takes the arguments of the class's request and
// does its whole work: fills the dialog, shows it modally and hands the
// result back.
//
// A new dialog: add its opener below, fill it in the registration function
// of the dialog's library, and let the class's request call it through
// Abridor(), which raises a plain error when no library filled it in.
#include <QString>
#include <functional>

class FrmCtrlCargosReales;
struct PedidoPosicionLote;
struct PedidoSeriesLotes;

struct DialogosCptes {
  // The voucher pick list (ClsCmnCptes::ConsultaComprobante).
  std::function<void(const QString& TC, QString& Respuesta, const QString& Filtro, QString* IdComplemento,
                     QString* Proveedor)>
      ConsultaComprobante;
  // The charges dialog for a customer (ClsCmnCptes::ControlDeCargosReales).
  std::function<void(FrmCtrlCargosReales& Formulario, const QString& Cliente, const QString& Matricula)>
      ControlDeCargosReales;
  // The lot and serial dialog for a request (dialogos_lotes.h): on return
  // Lotes, Series, Cantidad and Aceptado hold what the dialog left.
  std::function<void(PedidoSeriesLotes& pedido)> SeriesLotes;
  // The position dialog for a request: on return Posiciones, Lotes,
  // Cantidad1 and Aceptado hold what the dialog left.
  std::function<void(PedidoPosicionLote& pedido)> PosicionLote;
};

// The openers of the program, filled in by the dialogs' libraries.
DialogosCptes& Dialogos();

// Raises the error of a dialog no library filled in (424, object required).
[[noreturn]] void AbridorFaltante(const char* dialogo);

// The opener, or that error naming the dialog when no library filled it in.
template <typename F>
F& Abridor(F& abridor, const char* dialogo) {
  if (!abridor) AbridorFaltante(dialogo);
  return abridor;
}
