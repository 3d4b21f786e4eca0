// Demo data: how a voucher is written (header, article lines, concepts,
// audit rows), the sales vouchers of every type, items sent to third parties,
// customers' charges, and delivery runs and remarks.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "demo_generador.h"

namespace demo::generador {

// ---------------------------------------------------------------------------
// Lines and totals of a voucher

void Generador::NuevasLineas(Comprobante& c, int desde, int hasta, bool sinSeguimiento, int maximo) {
  if (articulos_.empty()) return;
  for (int j = azar_.Entre(desde, hasta); j > 0; --j) {
    const int art = ArticuloAlAzar(sinSeguimiento);
    c.lineas.push_back(LineaDe(art, azar_.Entre(1, maximo)));
  }
}

Linea Generador::LineaDe(int art, double cantidad) {
  Linea l;
  l.articulo = art;
  l.cantidad = cantidad;
  l.precio = articulos_[art].precio;
  return l;
}

void Generador::Totales(Comprobante& c) {
  for (const Linea& l : c.lineas) {
    const double neto = Redondea(l.cantidad * l.precio);
    c.neto += neto;
    c.iva += Redondea(neto * articulos_[l.articulo].alicIva / 100);
  }
  c.neto = Redondea(c.neto);
  c.iva = Redondea(c.iva);
  c.total = Redondea(c.neto + c.iva);
}

// A sales voucher of a customer, numbered in branch 1 with that letter; one
// made from another carries the link to its origin.
Comprobante Generador::DeCliente(const string& tc, int fecha, const Cliente& cl, char letra,
                                 const Comprobante* origen) {
  Comprobante c;
  c.tc = tc;
  c.clave = Clave(1, ProximoNumero(tc, 1, letra), letra);
  c.fecha = fecha;
  PoneCliente(c, cl);
  if (origen) {
    c.tcOrigen = origen->tc;
    c.cpteOrigen = origen->clave;
    c.complementoOrigen = origen->complemento;
  }
  return c;
}

// A purchase voucher of a supplier under the key the supplier gave it.
Comprobante Generador::DeProveedor(const string& tc, int fecha, const Proveedor& p, const string& clave) {
  Comprobante c;
  c.compras = true;
  c.tc = tc;
  c.clave = clave;
  c.fecha = fecha;
  c.cuenta = p.codigo;
  c.nombre = p.razon;
  c.vendedor = Cod4(6);
  return c;
}

// The amount of a voucher without lines: a net of desde to hasta hundreds
// (drawn), with its VAT.
void Generador::ImporteSinLineas(Comprobante& c, int desde, int hasta) {
  c.neto = Redondea(azar_.Entre(desde, hasta) * 100.0);
  c.iva = Redondea(c.neto * 0.21);
  c.total = Redondea(c.neto + c.iva);
}

// ---------------------------------------------------------------------------
// Writing vouchers

void Generador::EscribeCabecera(Comprobante& c) {
  (*cabecera_[c.compras])(c.tc, c.clave, c.complemento, Fecha(c.fecha), c.cuenta, c.nombre, c.condicionIva,
                          c.vendedor, c.tecnico, c.deposito, Cod4(azar_.Entre(1, 4)), c.neto, c.iva, c.total,
                          c.anulada, c.aprobado, c.finalizada, c.garantia, c.comentarios, c.observaciones, c.tcOrigen,
                          c.cpteOrigen, c.complementoOrigen, c.reparto, c.fechaRecepcion,
                          Fecha(c.fecha + (c.compras ? 30 : 15)));
  Auditoria(c);
}

void Generador::EscribeLineas(const Comprobante& c) {
  int pallet = 0;
  for (const Linea& l : c.lineas) {
    const Articulo& a = articulos_[l.articulo];
    const double dto = c.compras || azar_.Prob(0.8) ? 0.0 : 5.0 * azar_.Entre(1, 2);
    const double total = Redondea(l.cantidad * l.precio * (1 - dto / 100));
    auto texto = [](const string& s) { return s.empty() ? std::optional<string>() : std::optional<string>(s); };
    (*insumos_[c.compras])(c.tc, c.clave, c.complemento, c.cuenta, a.codigo, a.descripcion, a.unidad, l.cantidad,
                           a.unidad, l.cantidad, 1.0, c.deposito, l.precio, l.precio, 0.0, total, a.precio, a.costo,
                           dto, a.alicIva, 0, kPlantillas[a.plantilla].presentacion, texto(l.lotes), texto(l.series),
                           Cod4(kPlantillas[a.plantilla].importado ? 2 : 1), ++pallet);
  }
}

void Generador::Escribe(Comprobante& c) {
  Totales(c);
  EscribeCabecera(c);
  EscribeLineas(c);
}

void Generador::EscribeConceptos(const Comprobante& c, int cuantos) {
  for (int i = 0; i < cuantos; ++i) {
    const double neto = Redondea(azar_.Entre(20, 900) * 100.0);
    // Quotes and orders add services; the other vouchers financial items.
    const bool servicio = c.tc == "  PR" || c.tc == "  NP" || c.tc == "  OT";
    const string concepto = servicio ? azar_.De(kConceptosServicio) : azar_.De(kConceptosOtros);
    const char* cuenta = azar_.Prob(0.5) ? "4.1.03.01" : "5.2.01.03";
    (*observ_[c.compras])(c.tc, c.clave, c.complemento, c.cuenta, "OC", concepto, Redondea(neto * 1.21), neto, cuenta);
  }
}

void Generador::Auditoria(const Comprobante& c) {
  static const char* const usuarios[] = {"supervisor", "mgutierrez", "ventas", "administracion"};
  static const char* const puestos[] = {"PUESTO1", "PUESTO2", "ADMIN01", "TALLER"};
  const std::optional<int> complemento = c.compras ? std::optional<int>() : std::optional<int>(c.complemento);
  auto accion = [&](const char* tipo, int dias) {
    const int minutos = azar_.Entre(8 * 60, 18 * 60);
    const string usuario = azar_.De(usuarios);
    (*acciones_)(c.tc, c.clave, complemento, tipo, FechaHoraCorta(dias, minutos), usuario, azar_.De(puestos), "");
  };
  accion("A", c.fecha);
  if (azar_.Prob(0.2)) accion(c.anulada ? "B" : "M", std::min(-1, c.fecha + azar_.Entre(0, 10)));
}

// ---------------------------------------------------------------------------
// Sales vouchers

void Generador::Presupuestos() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -1);
  for (int i = 0; i < n; ++i) {
    Comprobante c = DeCliente("  PR", fechas[i], azar_.De(clientes_), 'X');
    c.aprobado = azar_.Prob(0.6);
    c.finalizada = c.aprobado && azar_.Prob(0.3);
    c.anulada = azar_.Prob(0.03);
    c.comentarios = string("Ref.: ") + azar_.De(kEquipos);
    NuevasLineas(c, 1, 3, false, 6);
    Totales(c);
    vector<int> tareas;
    for (int j = azar_.Entre(1, 3); j > 0; --j) tareas.push_back(azar_.Entre(0, static_cast<int>(Cuantos(kTareas)) - 1));
    std::sort(tareas.begin(), tareas.end());
    tareas.erase(std::unique(tareas.begin(), tareas.end()), tareas.end());
    const double t = EscribeTareas(c, tareas, false);
    c.neto = Redondea(c.neto + t);
    c.iva = Redondea(c.iva + t * 0.21);
    c.total = Redondea(c.neto + c.iva);
    EscribeCabecera(c);
    EscribeLineas(c);
    if (azar_.Prob(0.3)) EscribeConceptos(c, 1);
  }
}

void Generador::NotasDePedido() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -10);
  for (int i = 0; i < n; ++i) {
    Comprobante c = DeCliente("  NP", fechas[i], azar_.De(clientes_), 'X');
    c.aprobado = azar_.Prob(0.8);
    c.finalizada = azar_.Prob(0.5);
    c.anulada = azar_.Prob(0.03);
    c.comentarios = string("Pedido telefónico de ") + Persona();
    NuevasLineas(c, 1, 4, true, 10);
    Escribe(c);
    if (c.finalizada && !c.anulada) pedidos_.push_back(c);
  }
}

void Generador::Remitos() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -110, -1);
  size_t pedido = 0;
  for (int i = 0; i < n; ++i) {
    // Some delivery notes deliver a finished order.
    const Comprobante* origen = nullptr;
    while (pedido < pedidos_.size() && pedidos_[pedido].fecha > fechas[i]) ++pedido;
    if (pedido < pedidos_.size() && azar_.Prob(0.3)) origen = &pedidos_[pedido++];
    Comprobante c = DeCliente("  RM", fechas[i], ClienteDe(origen), 'R', origen);
    c.aprobado = true;
    c.finalizada = azar_.Prob(0.5);
    c.reparto = azar_.Prob(0.2) ? -1 : 0;
    c.comentarios = string("Entregar en ") + azar_.De(kUbicaciones);
    if (!articulos_.empty()) {
      vector<std::pair<int, double>> pedidos;
      if (origen)
        for (const Linea& l : origen->lineas) pedidos.emplace_back(l.articulo, l.cantidad);
      else
        for (int j = azar_.Entre(1, 4); j > 0; --j) {
          const int a = ArticuloConStock(c.deposito, azar_.Prob(0.7));
          if (a >= 0) pedidos.emplace_back(a, CantidadDe(articulos_[a]) / 4);
        }
      for (auto& p : pedidos) {
        Linea l = LineaDe(p.first, p.second);
        if (Salida(p.first, c.deposito, std::max(1.0, std::floor(p.second)), l)) c.lineas.push_back(l);
      }
    }
    Escribe(c);
    Movimientos(c, -1, std::nullopt, std::nullopt, "2");
    remitos_.push_back(c);
  }
}

void Generador::Facturas() {
  const int n = CantidadPorTipo();
  Insercion asiento(db_,
                    "INSERT INTO MV_ASIENTOS (MES_OPERATIVO, \"NUMERO ASIENTO\", FECHA, TC, SUCURSAL, NUMERO, LETRA, "
                    "CUENTA, DESCRIPCION, DEBE, HABER, IMPORTE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)");
  // Invoices made from delivery notes: the finished ones whole, some open
  // ones in part.
  vector<const Comprobante*> origenes;
  for (const Comprobante& r : remitos_)
    if (r.finalizada || azar_.Prob(0.3)) origenes.push_back(&r);
  const vector<int> fechas = FechasOrdenadas(n, -110, -1);
  size_t siguiente = 0;
  for (int i = 0; i < n; ++i) {
    const Comprobante* origen = nullptr;
    if (siguiente < origenes.size() && origenes[siguiente]->fecha <= fechas[i] && azar_.Prob(0.6))
      origen = origenes[siguiente++];
    const Cliente& cl = ClienteDe(origen);
    Comprobante c = DeCliente("  FC", fechas[i], cl, LetraFiscal(cl.condicionIva), origen);
    c.aprobado = true;
    c.finalizada = true;
    c.anulada = azar_.Prob(0.03);
    if (origen) {
      for (Linea l : origen->lineas) {
        if (!origen->finalizada) l.cantidad = std::max(1.0, std::floor(l.cantidad / 2));
        l.partes.clear();
        c.lineas.push_back(l);
      }
      Escribe(c);
    } else {
      if (!articulos_.empty())
        for (int j = azar_.Entre(1, 4); j > 0; --j) {
          const int a = ArticuloConStock(c.deposito, azar_.Prob(0.7));
          if (a < 0) continue;
          Linea l = LineaDe(a, 1);
          if (Salida(a, c.deposito, std::max(1.0, std::floor(CantidadDe(articulos_[a]) / 5)), l)) c.lineas.push_back(l);
        }
      Escribe(c);
      Movimientos(c, -1, std::nullopt, std::nullopt, "2");
    }
    if (c.lineas.empty()) EscribeConceptos(c, 1);
    facturas_.push_back(c);
    const QDate d = kReferencia.addDays(c.fecha);
    asiento(d.month(), ++asiento_, Fecha(c.fecha), c.tc, c.clave.substr(0, 4), c.clave.substr(4, 8), c.clave.substr(12, 1),
            c.cuenta, "Factura " + c.clave + " " + c.nombre, c.total, c.total);
  }
}

void Generador::NotasDeCredito() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -100, -1);
  for (int i = 0; i < n; ++i) {
    const Comprobante* origen = nullptr;
    if (!facturas_.empty() && azar_.Prob(0.5)) {
      const Comprobante& f = azar_.De(facturas_);
      if (f.fecha <= fechas[i] && !f.anulada && !f.lineas.empty()) origen = &f;
    }
    const Cliente& cl = ClienteDe(origen);
    Comprobante c = DeCliente("  NC", fechas[i], cl, LetraFiscal(cl.condicionIva), origen);
    c.aprobado = true;
    c.finalizada = true;
    c.anulada = azar_.Prob(0.03);
    if (origen) {
      c.comentarios = "Devolución de mercadería";
      // The returned goods of plain articles come back to the warehouse.
      const Linea& f = azar_.De(origen->lineas);
      Linea l = LineaDe(f.articulo, 1);
      l.precio = f.precio;
      if (articulos_[f.articulo].seguimiento == kNinguno)
        Entrada(f.articulo, c.deposito, std::max(1.0, std::floor(f.cantidad / 2)), c.fecha, l);
      else
        l.cantidad = 1;
      c.lineas.push_back(l);
      Escribe(c);
      Movimientos(c, 1, std::nullopt, std::nullopt, "5");
    } else {
      c.comentarios = "Bonificación comercial";
      ImporteSinLineas(c, 50, 900);
      EscribeCabecera(c);
      EscribeConceptos(c, 1);
    }
  }
}

// Types that move no stock: debit notes, pro forma invoices and their
// credit notes, financial charges and production orders.
void Generador::ComprobantesSinStock() {
  const struct {
    const char* tc;
    bool fiscal;
    bool articulos;
  } tipos[] = {{"ND", true, false}, {"FP", false, true}, {"NCFP", false, true}, {"GF", false, false},
               {"OP", false, true}};
  for (auto& t : tipos) {
    const int n = CantidadPorTipo();
    const vector<int> fechas = FechasOrdenadas(n, -115, -1);
    for (int i = 0; i < n; ++i) {
      const Cliente& cl = azar_.De(clientes_);
      Comprobante c = DeCliente(Cod4(t.tc), fechas[i], cl, t.fiscal ? LetraFiscal(cl.condicionIva) : 'X');
      c.aprobado = azar_.Prob(0.8);
      c.finalizada = azar_.Prob(0.6);
      c.anulada = azar_.Prob(0.03);
      if (t.articulos) NuevasLineas(c, 1, 3, false, 8);
      Totales(c);
      if (c.lineas.empty()) ImporteSinLineas(c, 20, 900);
      EscribeCabecera(c);
      EscribeLineas(c);
      if (c.lineas.empty()) EscribeConceptos(c, azar_.Entre(1, 2));
    }
  }
}

// ---------------------------------------------------------------------------
// Items sent to third parties and customers' charges

void Generador::Terceros() {
  Insercion t(db_,
              "INSERT INTO V_MV_CPTETERCEROS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, DESCRIPCION, FECHAENVIADO, "
              "FECHARECIBIDO) VALUES ('  T3', ?, 0, ?, ?, ?, ?, ?)");
  const char* const talleres[] = {"Rebobinados Derquino", "Laboratorio de Calibración Velmari", "Tornería Industrial Pelvardo",
                                  "Servicio Oficial Neumandri"};
  const char* const envios[] = {"Motor trifásico 10 HP a rebobinar", "Instrumentos a calibrar",
                                "Eje de bomba a rectificar", "Compresor a reparar en servicio oficial",
                                "Reductor a reparar"};
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -1);
  for (int i = 0; i < n; ++i) {
    const int enviado = fechas[i] + azar_.Entre(0, 3);
    std::optional<string> recibido;
    if (azar_.Prob(0.6)) recibido = Fecha(std::min(-1, enviado + azar_.Entre(5, 30)));
    const string cliente = azar_.De(clientes_).codigo;
    string descripcion = string(azar_.De(envios)) + " - ";
    descripcion += azar_.De(talleres);
    t(Clave(1, ProximoNumero("  T3", 1, 'X'), 'X'), Fecha(fechas[i]), cliente, descripcion,
      Fecha(std::min(-1, enviado)), recibido);
  }
}

void Generador::Cargos() {
  Insercion c(db_,
              "INSERT INTO V_MV_CARGOSAPLICADOS (CUENTA, FECHA, MATRICULA, CONCEPTO, IMPORTE, SALDO, OBSERVACIONES) "
              "VALUES (?, ?, ?, ?, ?, ?, ?)");
  for (const Cliente& cl : clientes_) {
    if (!azar_.Prob(0.3)) continue;
    // Plates of the current form (AB123CD) and of the former one (ABC123).
    const bool nueva = azar_.Prob(0.5);
    int x[5];
    for (int& v : x) v = azar_.Entre(0, 25);
    const int numero = azar_.Entre(0, 999);
    char patente[16];
    if (nueva)
      std::snprintf(patente, sizeof patente, "A%c%03d%c%c", 'A' + x[0] % 6, numero, 'A' + x[1], 'A' + x[2]);
    else
      std::snprintf(patente, sizeof patente, "%c%c%c%03d", 'F' + x[3] % 16, 'A' + x[1], 'A' + x[4], numero);
    for (int j = azar_.Entre(1, 4); j > 0; --j) {
      const double importe = Redondea(azar_.Entre(50, 3500) * 100.0);
      std::optional<double> saldo;
      const double r = azar_.Real();
      if (r < 0.2) saldo = 0.0;
      else if (r < 0.6) saldo = Redondea(importe * azar_.Entre(1, 9) / 10.0);
      const string fecha = Fecha(-azar_.Entre(1, 150));
      const string concepto = azar_.De(kConceptosCargos);
      const std::optional<string> observacion = azar_.Prob(0.5) ? std::optional<string>(Observacion()) : std::nullopt;
      c(cl.codigo, fecha, string(patente), concepto, importe, saldo, observacion);
    }
  }
}

// ---------------------------------------------------------------------------
// Delivery runs, work billed by suppliers and the remarks of vouchers: what
// a voucher screen reads when it loads a stored voucher, beyond its lines.
// Drawn after everything else, so the data before stay as they were.
void Generador::RepartosYServicios() {
  // Delivery notes not waiting for a run went out in runs of two or three,
  // numbered in date order; open orders wait for a run (-1).
  Insercion reparto(db_, "UPDATE V_MV_CPTE SET IDREPARTO = ? WHERE TC = ? AND IDCOMPROBANTE = ? AND IDCOMPLEMENTO = ?");
  int numero = 0, quedan = 0;
  for (const Comprobante& r : remitos_) {
    if (r.reparto && *r.reparto == -1) continue;
    if (quedan == 0) {
      ++numero;
      quedan = azar_.Entre(2, 3);
    }
    --quedan;
    reparto(numero, r.tc, r.clave, r.complemento);
  }
  Insercion(db_, "UPDATE V_MV_CPTE SET IDREPARTO = -1 WHERE TC = '  NP' AND FINALIZADA = 0 AND ANULADA = 0 AND "
                 "ID % 3 <> 0")();

  // Every third invoice of a supplier also bills work done on site, and a
  // freight.
  Insercion importes(db_,
                     "UPDATE C_MV_CPTE SET IMPORTE_S_IVA = IMPORTE_S_IVA + ?, IMPUESTOS = IMPUESTOS + ?, "
                     "IMPORTE = IMPORTE + ? WHERE TC = ? AND IDCOMPROBANTE = ? AND CUENTA = ?");
  for (size_t i = 0; i < facturasCompra_.size(); i += 3) {
    Comprobante& c = facturasCompra_[i];
    vector<int> tareas{azar_.Entre(0, static_cast<int>(Cuantos(kTareas)) - 1)};
    double neto = EscribeTareas(c, tareas, false);
    const double flete = Redondea(azar_.Entre(15, 120) * 100.0);
    (*observ_[1])(c.tc, c.clave, c.complemento, c.cuenta, "OC", "Flete a planta del cliente", Redondea(flete * 1.21),
                  flete, "5.2.01.03");
    neto = Redondea(neto + flete);
    importes(neto, Redondea(neto * 0.21), Redondea(neto * 1.21), c.tc, c.clave, c.cuenta);
  }

  // Remarks that are no concept, on delivery notes and supplier invoices.
  auto observacion = [&](const Comprobante& c) {
    const string texto = Observacion();
    if (!texto.empty()) (*observ_[c.compras])(c.tc, c.clave, c.complemento, c.cuenta, "OB", texto, kNulo, kNulo, kNulo);
  };
  for (size_t i = 0; i < remitos_.size(); i += 2) observacion(remitos_[i]);
  for (size_t i = 1; i < facturasCompra_.size(); i += 2) observacion(facturasCompra_[i]);
}

}  // namespace demo::generador
