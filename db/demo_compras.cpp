// Demo data: purchase vouchers (orders and their reception, invoices,
// delivery notes and credit notes of suppliers) and supplier vouchers kept
// only in the ledger.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "demo_generador.h"

namespace demo::generador {

// ---------------------------------------------------------------------------
// Purchase vouchers

void Generador::OrdenesDeCompra() {
  Insercion reserva(db_, "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES (?, ?, ?, ?)");
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -5);
  for (int i = 0; i < n; ++i) {
    const Proveedor& p = azar_.De(proveedores_);
    const long numero = ProximoNumero("  OC", 1, 'X');
    Comprobante c = DeProveedor("  OC", fechas[i], p, Clave(1, numero, 'X'));
    c.aprobado = azar_.Prob(0.75);
    c.finalizada = c.aprobado && azar_.Prob(0.45);
    c.garantia = azar_.Prob(0.1);
    c.anulada = azar_.Prob(0.03);
    c.comentarios = azar_.De(kComentariosCompras);
    if (!articulos_.empty())
      for (int j = azar_.Entre(1, 4); j > 0; --j) {
        Linea l = LineaDe(ArticuloAlAzar(false), 1);
        l.cantidad = std::max(1.0, std::floor(CantidadDe(articulos_[l.articulo]) / 2));
        l.precio = articulos_[l.articulo].costo;
        c.lineas.push_back(l);
      }
    // A received order: its reception report brings the goods in.
    if (c.finalizada && !c.anulada && !c.lineas.empty()) {
      const int recepcion = std::min(-1, c.fecha + azar_.Entre(3, 12));
      c.fechaRecepcion = Fecha(recepcion);
      vector<Linea> recibidas;
      for (Linea& l : c.lineas) {
        Linea r = l;
        r.partes.clear();
        Entrada(l.articulo, c.deposito, l.cantidad, recepcion, r);
        l.lotes = r.lotes;
        l.series = r.series;
        l.cantidad = r.cantidad;
        recibidas.push_back(r);
      }
      const string ir = Clave(1, ProximoNumero("  IR", 1, 'X'), 'X');
      Movimientos("  IR", ir, recepcion, recibidas, 1, c.cuenta, c.tc, c.clave, "3", std::nullopt, std::nullopt);
    }
    Escribe(c);
    char suc[8], nro[16];
    std::snprintf(suc, sizeof suc, "%04d", 1);
    std::snprintf(nro, sizeof nro, "%08ld", numero);
    reserva(c.tc, string(suc), string(nro), "X");
    ordenesCompra_.push_back(c);
  }
}

// One to three article lines received into the voucher's warehouse at its
// cost.
void Generador::LineasRecibidas(Comprobante& c) {
  if (articulos_.empty()) return;
  for (int j = azar_.Entre(1, 3); j > 0; --j) {
    const int a = ArticuloAlAzar(false);
    Linea l = LineaDe(a, 1);
    l.precio = articulos_[a].costo;
    Entrada(a, c.deposito, std::max(1.0, std::floor(CantidadDe(articulos_[a]) / 3)), c.fecha, l);
    c.lineas.push_back(l);
  }
}

void Generador::ComprasConStock() {
  std::map<string, long> numeroProveedor;
  auto claveProveedor = [&](const Proveedor& p, char letra) {
    const int sucursal = 1 + static_cast<int>(std::stol(p.codigo) % 12);
    long& n = numeroProveedor[p.codigo + letra];
    if (n == 0) n = azar_.Entre(100, 5000);
    return Clave(sucursal, ++n, letra);
  };
  auto proveedor = [&](const string& codigo) -> const Proveedor& {
    for (const Proveedor& p : proveedores_)
      if (p.codigo == codigo) return p;
    return proveedores_.front();
  };
  const int n = CantidadPorTipo();
  // Invoices, some for received purchase orders.
  {
    vector<const Comprobante*> recibidas;
    for (const Comprobante& o : ordenesCompra_)
      if (o.fechaRecepcion) recibidas.push_back(&o);
    const vector<int> fechas = FechasOrdenadas(n, -115, -1);
    size_t siguiente = 0;
    for (int i = 0; i < n; ++i) {
      const Comprobante* origen = nullptr;
      if (siguiente < recibidas.size() && recibidas[siguiente]->fecha <= fechas[i] && azar_.Prob(0.6))
        origen = recibidas[siguiente++];
      const Proveedor& p = origen ? proveedor(origen->cuenta) : azar_.De(proveedores_);
      Comprobante c = DeProveedor(" FCC", fechas[i], p, claveProveedor(p, 'A'));
      c.aprobado = true;
      c.finalizada = true;
      c.anulada = azar_.Prob(0.02);
      if (origen) {
        c.tcOrigen = origen->tc;
        c.cpteOrigen = origen->clave;
        c.complementoOrigen = 0;
        for (Linea l : origen->lineas) {
          l.partes.clear();
          c.lineas.push_back(l);
        }
      } else {
        LineasRecibidas(c);
      }
      Escribe(c);
      if (!origen) Movimientos(c, 1, std::nullopt, std::nullopt, "3");
      if (!c.anulada) facturasCompra_.push_back(c);
    }
  }
  // Delivery notes of suppliers: half of them still waiting for the invoice.
  {
    const vector<int> fechas = FechasOrdenadas(n, -115, -1);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      Comprobante c = DeProveedor(" RMC", fechas[i], p, claveProveedor(p, 'R'));
      c.aprobado = true;
      c.finalizada = azar_.Prob(0.5);
      c.anulada = azar_.Prob(0.02);
      LineasRecibidas(c);
      Escribe(c);
      Movimientos(c, 1, std::nullopt, std::nullopt, "3");
    }
  }
  // Credit notes of suppliers: goods sent back.
  {
    const vector<int> fechas = FechasOrdenadas(n, -100, -1);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      Comprobante c = DeProveedor(" NCC", fechas[i], p, claveProveedor(p, 'A'));
      c.aprobado = true;
      c.finalizada = true;
      c.comentarios = "Devolución por falla de fabricación";
      if (!articulos_.empty()) {
        const int a = ArticuloConStock(c.deposito, true);
        Linea l;
        if (a >= 0 && Salida(a, c.deposito, 1, l)) {
          l.precio = articulos_[a].costo;
          c.lineas.push_back(l);
        }
      }
      Totales(c);
      if (c.lineas.empty()) ImporteSinLineas(c, 10, 300);
      EscribeCabecera(c);
      EscribeLineas(c);
      if (c.lineas.empty()) EscribeConceptos(c, 1);
      Movimientos(c, -1, std::nullopt, std::nullopt, "5");
    }
  }
}

void Generador::ComprasSinStock() {
  for (const char* tipo : {"NDC", "NCCP"}) {
    const int n = CantidadPorTipo();
    const vector<int> fechas = FechasOrdenadas(n, -110, -1);
    long numero = azar_.Entre(200, 900);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      Comprobante c = DeProveedor(Cod4(tipo), fechas[i], p, Clave(1 + i % 5, ++numero, string(tipo) == "NDC" ? 'A' : 'X'));
      c.aprobado = true;
      c.finalizada = azar_.Prob(0.7);
      ImporteSinLineas(c, 10, 600);
      EscribeCabecera(c);
      EscribeConceptos(c, azar_.Entre(1, 2));
    }
  }
}

// Credit and debit notes of suppliers kept only in the ledger.
void Generador::AsientosProveedores() {
  Insercion a(db_,
              "INSERT INTO MV_ASIENTOS (MES_OPERATIVO, \"NUMERO ASIENTO\", FECHA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, "
              "DESCRIPCION, DEBE, HABER, IMPORTE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const char* tipo : {"NCPE", "NDPR"}) {
    const int n = CantidadPorTipo();
    const vector<int> fechas = FechasOrdenadas(n, -118, -1);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      char suc[8], nro[16];
      std::snprintf(suc, sizeof suc, "%04d", azar_.Entre(1, 12));
      std::snprintf(nro, sizeof nro, "%08d", azar_.Entre(100, 99999));
      const double importe = Redondea(azar_.Entre(50, 4000) * 100.0);
      const bool credito = string(tipo) == "NCPE";
      const QDate d = kReferencia.addDays(fechas[i]);
      a(d.month(), ++asiento_, Fecha(fechas[i]), tipo, string(suc), string(nro), "A", p.codigo,
        string(credito ? "Nota de crédito " : "Nota de débito ") + p.razon, credito ? importe : 0.0,
        credito ? 0.0 : importe, importe);
    }
  }
}

// Vouchers of the accounting books numbered by the program: each has its
// entry and its reserved number; one entry was typed by hand with the number
// the book hands out next, so that number is taken.
void Generador::NumerosContables() {
  Insercion asiento(db_,
                    "INSERT INTO MV_ASIENTOS (MES_OPERATIVO, \"NUMERO ASIENTO\", FECHA, TC, SUCURSAL, NUMERO, LETRA, "
                    "CUENTA, DESCRIPCION, DEBE, HABER, IMPORTE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  Insercion reserva(db_, "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES (?, ?, ?, ?)");
  const vector<int> fechas = FechasOrdenadas(4, -90, -3);
  for (size_t i = 0; i < fechas.size(); ++i) {
    const Proveedor& p = azar_.De(proveedores_);
    const bool aMano = i + 1 == fechas.size();
    const long numero = aMano ? numeros_["NCPE|1|A"] + 1 : ProximoNumero("NCPE", 1, 'A');
    const string clave = Clave(1, numero, 'A');
    const double importe = Redondea(azar_.Entre(50, 4000) * 100.0);
    const QDate d = kReferencia.addDays(fechas[i]);
    asiento(d.month(), ++asiento_, Fecha(fechas[i]), "NCPE", clave.substr(0, 4), clave.substr(4, 8), "A", p.codigo,
            "Nota de crédito " + clave + " " + p.razon, importe, 0.0, importe);
    if (!aMano) reserva("NCPE", clave.substr(0, 4), clave.substr(4, 8), "A");
  }
}

}  // namespace demo::generador
