// Demo data: articles, their units and packings, warehouse positions, the
// stock rows that every movement takes or fills, the stock movements, the
// opening inventory, balances, kits consumed in production, a blended
// refrigerant and notes of missing stock.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "demo_generador.h"

namespace demo::generador {

// ---------------------------------------------------------------------------
// Articles

double Generador::CantidadDe(const Articulo& a) {
  if (a.unidad == Cod4("MT")) return azar_.Entre(20, 400) * 0.5;
  if (a.unidad == Cod4("KG") || a.unidad == Cod4("LT")) return azar_.Entre(10, 600) * 0.5;
  return azar_.Entre(1, 60);
}

void Generador::Articulos() {
  Insercion a(db_,
              "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDFAMILIA, IDRUBRO, IDTIPO, PRESENTACION, "
              "CODIGOBARRA, CODIGOBARRADUN, UD_TTE, CODIGOBARRA1, UMCB1, CODIGOBARRA2, UMCB2, CODIGOBARRA3, UMCB3, "
              "CODIGOBARRA4, UMCB4, USASERIE, USALOTE, USATALLE, PERECEDERO, PESABLE, EXENTO, ALICIVA, COSTO, PRECIO1, "
              "PRECIO2, PRECIO3, PUNTOPEDIDO, STOCKMINIMO, CUENTAPROVEEDOR, IDORIGEN, SUSPENDIDO, FECHAALTA) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  Insercion eq(db_, "INSERT OR IGNORE INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) VALUES (?, ?, ?, ?)");
  const int nPlantillas = static_cast<int>(Cuantos(kPlantillas));
  const bool variantes = o_.articulos > 3000;
  articulos_.reserve(o_.articulos);
  std::map<int, int> porPlantilla;
  for (int i = 0; i < o_.articulos; ++i) {
    // Kits are rare; the other kinds share the catalogue.
    int p = azar_.Entre(0, nPlantillas - 2);
    if (azar_.Prob(0.01)) p = nPlantillas - 1;
    const PlantillaArticulo& t = kPlantillas[p];
    Articulo x;
    char cod[32];
    std::snprintf(cod, sizeof cod, "%s-%06d", t.prefijo, ++porPlantilla[p]);
    x.codigo = Cod25(cod);
    const string va = t.a[azar_.Entre(0, t.na - 1)];
    const string vb = t.b[azar_.Entre(0, t.nb - 1)];
    const string marca = t.marcas[azar_.Entre(0, t.nmarcas - 1)];
    x.descripcion = *t.nombre ? string(t.nombre) + " " + va : Mayuscula(va);
    x.descripcion += " " + vb;
    if (!marca.empty()) x.descripcion += " " + marca;
    if (variantes && azar_.Prob(0.7)) x.descripcion += " - Ref. " + std::to_string(azar_.Entre(1000, 99999));
    x.unidad = Cod4(t.unidad);
    x.plantilla = p;
    x.seguimiento = t.seguimiento;
    x.perecedero = t.perecedero;
    x.kit = t.kit;
    x.suspendido = azar_.Prob(0.02);
    x.posicionado = azar_.Prob(0.3);
    x.costo = Redondea(azar_.Real(t.costoMinimo, t.costoMaximo));
    x.precio = Redondea(x.costo * 1.65);
    x.alicIva = t.importado && t.tipo == string("   4") ? 10.5 : 21.0;
    x.proveedor = proveedores_[static_cast<size_t>(p) % proveedores_.size()].codigo;

    // Bar codes: the article's own, the transport unit's and, for some,
    // those of other packings.
    std::optional<string> ean, dun, udTte, cb[4], um[4];
    char cuerpo[16];
    std::snprintf(cuerpo, sizeof cuerpo, "779%09d", (i * 7919 + 1234567) % 1000000000);
    const string e12 = cuerpo;
    if (azar_.Prob(0.85)) ean = Cod25(e12 + DigitoEan(e12));
    const bool porUnidad = x.unidad == Cod4("UN");
    const bool enCajas = porUnidad && t.seguimiento == kNinguno;
    if (enCajas && azar_.Prob(0.25)) {
      const string d13 = "1" + e12;
      dun = Cod25(d13 + DigitoEan(d13));
      udTte = Cod4("CAJ");
      eq(x.codigo, Cod4("CAJ"), x.unidad, static_cast<double>(azar_.De({6, 10, 12, 20, 24, 50})));
    }
    if (enCajas && azar_.Prob(0.05)) {
      const char* const otras[] = {"PQ", "BL", "CAJ", "TAM"};
      const int n = azar_.Entre(1, 4);
      for (int j = 0; j < n; ++j) {
        char b[16];
        std::snprintf(b, sizeof b, "789%d%08d", j + 1, (i * 104729 + j * 31) % 100000000);
        cb[j] = Cod25(string(b) + DigitoEan(b));
        um[j] = Cod4(otras[j]);
        eq(x.codigo, Cod4(otras[j]), x.unidad, static_cast<double>(azar_.Entre(2, 10) * 5));
      }
    }
    // Weight, volume and packing of the article, for the measure columns.
    if (porUnidad && azar_.Prob(0.4)) eq(x.codigo, x.unidad, Cod4("KG"), Redondea(azar_.Real(0.05, 25.0), 3));
    if (porUnidad && azar_.Prob(0.15)) eq(x.codigo, x.unidad, Cod4("M3"), Redondea(azar_.Real(0.0005, 0.2), 4));
    if (porUnidad && azar_.Prob(0.1)) eq(x.codigo, Cod4("BL"), x.unidad, static_cast<double>(azar_.Entre(2, 40)));

    const bool serie = t.seguimiento == kSerie || t.seguimiento == kLoteYSerie;
    const bool lote = t.seguimiento == kLote || t.seguimiento == kLoteYSerie || t.seguimiento == kTalle;
    std::optional<int> talle;
    if (t.seguimiento == kTalle) talle = 1;
    else if (azar_.Prob(0.2)) talle = 0;
    const double punto = azar_.Prob(0.6) ? 0.0 : static_cast<double>(azar_.Entre(1, 10) * 5);
    const bool pesable = x.unidad == Cod4("KG") && azar_.Prob(0.5);
    const string alta = Fecha(-azar_.Entre(120, 2600));
    a(x.codigo, x.descripcion, x.unidad, t.familia, t.rubro, t.tipo, t.presentacion, ean, dun, udTte, cb[0], um[0],
      cb[1], um[1], cb[2], um[2], cb[3], um[3], serie, lote, talle, x.perecedero,
      pesable, x.alicIva, x.costo, x.precio, Redondea(x.costo * 1.40),
      Redondea(x.costo * 1.28), punto, punto / 2, x.proveedor, Cod4(t.importado ? 2 : 1), x.suspendido, alta);
    articulos_.push_back(x);
  }
  filasDe_.assign(articulos_.size(), {});
  // Kits are made of other articles without lots or serials.
  Insercion ins(db_, "INSERT INTO V_MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (?, ?, ?, ?)");
  for (const Articulo& k : articulos_) {
    if (!k.kit) continue;
    const int n = azar_.Entre(2, 4);
    std::set<int> elegidos;
    for (int j = 0; j < n * 4 && static_cast<int>(elegidos.size()) < n; ++j) {
      const int c = azar_.Entre(0, static_cast<int>(articulos_.size()) - 1);
      const Articulo& x = articulos_[c];
      if (x.kit || x.seguimiento == kSerie || x.seguimiento == kLoteYSerie || x.seguimiento == kTalle) continue;
      if (!elegidos.insert(c).second) continue;
      const double cantidad = x.unidad == Cod4("UN") ? azar_.Entre(1, 4) : azar_.Entre(1, 8) * 0.5;
      ins(k.codigo, x.codigo, x.unidad, cantidad);
    }
  }
}

// Packings and measures of the articles beyond their own unit: the roll of a
// cable, the drum and the sack of a grease or an oil, the weight of a metre,
// and pairs of units stored in both directions. One row reads as one
// IDUNIDAD being worth COEFICIENTE IDUNIDAD_EQUIV. The draws come from a
// sequence of their own, so the rest of the demo stays as it was.
void Generador::Equivalencias() {
  Insercion eq(db_, "INSERT OR IGNORE INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) VALUES (?, ?, ?, ?)");
  Azar azar(o_.semilla ^ 0x5EC0A11Du);
  int porUnidad = 0;
  for (const Articulo& a : articulos_) {
    if (a.unidad == Cod4("MT")) {
      eq(a.codigo, Cod4("RL"), a.unidad, 100.0);
      eq(a.codigo, a.unidad, Cod4("KG"), Redondea(azar.Real(0.02, 0.9), 3));
    } else if (a.unidad == Cod4("KG")) {
      eq(a.codigo, Cod4("TAM"), a.unidad, static_cast<double>(azar.De({18, 50, 180})));
      eq(a.codigo, Cod4("BL"), a.unidad, 25.0);
      eq(a.codigo, a.unidad, Cod4("GR"), 1000.0);
    } else if (a.unidad == Cod4("LT")) {
      eq(a.codigo, Cod4("TAM"), a.unidad, 200.0);
      eq(a.codigo, a.unidad, Cod4("KG"), Redondea(azar.Real(0.85, 0.95), 3));
      eq(a.codigo, a.unidad, Cod4("M3"), 0.001);
    } else if (a.unidad == Cod4("UN") && ++porUnidad % 9 == 0) {
      // Pairs sold by the pair: the row is kept both ways.
      eq(a.codigo, a.unidad, Cod4("PAR"), 0.5);
      eq(a.codigo, Cod4("PAR"), a.unidad, 2.0);
    }
  }
}

void Generador::Posiciones() {
  Insercion p(db_, "INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, DESCRIPCION, ORDENINGRESO) VALUES (?, ?, ?, ?)");
  int orden = 0;
  for (char pasillo = 'A'; pasillo <= 'D'; ++pasillo)
    for (int estante = 1; estante <= 8; ++estante)
      for (int nivel = 1; nivel <= 3; ++nivel) {
        char c[32], d[64];
        std::snprintf(c, sizeof c, "%c-%02d-%d", pasillo, estante, nivel);
        std::snprintf(d, sizeof d, "Pasillo %c, estante %d, nivel %d", pasillo, estante, nivel);
        p(Cod4(1), Cod15(c), d, ++orden);
        posiciones_.emplace_back(Cod4(1), c);
      }
  for (int estante = 1; estante <= 10; ++estante) {
    char c[32], d[64];
    std::snprintf(c, sizeof c, "T-%02d", estante);
    std::snprintf(d, sizeof d, "Taller, estantería %d", estante);
    p(Cod4(2), Cod15(c), d, estante);
  }
}

// ---------------------------------------------------------------------------
// Stock rows: what comes in and what goes out

// Stock arriving in a warehouse: new rows for lots, serials or sizes, or
// more of the plain row; the line gets the lists an incoming line carries.
void Generador::Entrada(int art, const string& deposito, double cantidad, int fecha, Linea& l) {
  const Articulo& a = articulos_[art];
  l.articulo = art;
  l.cantidad = cantidad;
  auto suma = [&](const string& lote, const string& serie, double q) {
    int fila = -1;
    for (int f : filasDe_[art]) {
      const Existencia& e = existencias_[f];
      if (e.deposito == deposito && e.lote == lote && e.serie == serie) fila = f;
    }
    if (fila < 0) {
      Existencia e{art, deposito, lote, serie, string(), 0, string()};
      if (a.perecedero && !lote.empty()) e.vence = Fecha(fecha + azar_.Entre(180, 720));
      existencias_.push_back(e);
      fila = static_cast<int>(existencias_.size()) - 1;
      filasDe_[art].push_back(fila);
    }
    existencias_[fila].cantidad += q;
    l.partes.emplace_back(fila, q);
  };
  auto nuevoLote = [&]() {
    char b[32];
    const QDate d = kReferencia.addDays(fecha);
    std::snprintf(b, sizeof b, "L%02d%02d-%03d", d.year() % 100, d.month(), azar_.Entre(1, 999));
    return string(b);
  };
  auto nuevaSerie = [&]() {
    char b[32];
    std::snprintf(b, sizeof b, "SN%02d%08d", a.plantilla, azar_.Entre(0, 99999999));
    return string(b);
  };
  switch (a.seguimiento) {
    case kLote: {
      const string lote = nuevoLote();
      suma(lote, string(), cantidad);
      l.lotes = "|" + lote + "|";
      break;
    }
    case kSerie:
    case kLoteYSerie: {
      // Units with a serial number come a few at a time.
      const int n = 1 + std::max(0, static_cast<int>(cantidad) - 1) % 6;
      l.cantidad = n;
      const string lote = a.seguimiento == kLoteYSerie ? nuevoLote() : string();
      l.lotes = "|";
      l.series = "|";
      for (int j = 0; j < n; ++j) {
        const string serie = nuevaSerie();
        suma(lote, serie, 1);
        l.lotes += lote + "|";
        l.series += serie + "|";
      }
      if (lote.empty()) l.lotes.clear();
      break;
    }
    case kTalle: {
      static const char* const talles[] = {"7", "8", "9", "10", "38", "40", "42", "44", "S", "M", "L", "XL"};
      static const char* const colores[] = {"NEGRO", "AZUL", "GRIS", "NARANJA"};
      const int partes = std::min(3, std::max(1, static_cast<int>(cantidad)));
      double resto = cantidad;
      l.lotes = "|";
      l.series = "|";
      std::set<string> usados;
      for (int j = 0; j < partes; ++j) {
        string codigo;
        for (int intento = 0; intento < 10; ++intento) {
          codigo = string(azar_.De(talles)) + "-";
          codigo += string(azar_.De(colores)) + "-";
          codigo += azar_.Prob(0.7) ? "M" : "F";
          if (!usados.count(codigo)) break;
        }
        usados.insert(codigo);
        const double q = j == partes - 1 ? resto : std::floor(cantidad / partes);
        resto -= q;
        suma(codigo, string(), q);
        l.lotes += codigo + "|";
        l.series += Numero(q) + "|";
      }
      break;
    }
    default:
      suma(string(), string(), cantidad);
  }
}

// Stock leaving a warehouse, taken from its rows in lot order. Fills the
// outgoing lists (lot, the character 255 and serial; the quantity of each)
// and the quantity actually taken; false when the warehouse has none.
bool Generador::Salida(int art, const string& deposito, double pedido, Linea& l) {
  l.articulo = art;
  l.partes.clear();
  vector<int> filas;
  for (int f : filasDe_[art])
    if (existencias_[f].deposito == deposito && existencias_[f].cantidad > 1e-9) filas.push_back(f);
  std::sort(filas.begin(), filas.end(), [&](int x, int y) {
    const Existencia &a = existencias_[x], &b = existencias_[y];
    return a.lote != b.lote ? a.lote < b.lote : a.serie < b.serie;
  });
  double resto = pedido;
  for (int f : filas) {
    if (resto <= 1e-9) break;
    const double q = std::min(resto, existencias_[f].cantidad);
    l.partes.emplace_back(f, q);
    resto -= q;
  }
  if (l.partes.empty()) return false;
  l.cantidad = Redondea(pedido - resto, 3);
  if (articulos_[art].seguimiento != kNinguno) {
    l.lotes = "|";
    l.series = "|";
    for (auto& p : l.partes) {
      const Existencia& e = existencias_[p.first];
      l.lotes += e.lote + kCaracter255 + e.serie + "|";
      l.series += Numero(p.second) + "|";
    }
  }
  for (auto& p : l.partes) existencias_[p.first].cantidad -= p.second;
  return true;
}

int Generador::ArticuloAlAzar(bool sinSeguimiento) {
  for (int intento = 0; intento < 50; ++intento) {
    const int i = azar_.Entre(0, static_cast<int>(articulos_.size()) - 1);
    const Articulo& a = articulos_[i];
    if (a.suspendido || a.kit) continue;
    if (sinSeguimiento && a.seguimiento != kNinguno) continue;
    return i;
  }
  return azar_.Entre(0, static_cast<int>(articulos_.size()) - 1);
}

int Generador::ArticuloConStock(const string& deposito, bool sinSeguimiento) {
  for (int intento = 0; intento < 60; ++intento) {
    const int i = ArticuloAlAzar(sinSeguimiento && intento < 50);
    for (int f : filasDe_[i])
      if (existencias_[f].deposito == deposito && existencias_[f].cantidad > 1e-9) return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// Stock movements

void Generador::Movimientos(const Comprobante& c, int signo, const std::optional<string>& tcOrigen,
                            const std::optional<string>& cpteOrigen, const string& motivo) {
  Movimientos(c.tc, c.clave, c.fecha, c.lineas, signo, c.compras ? std::optional<string>(c.cuenta) : std::nullopt,
              tcOrigen, cpteOrigen, motivo, c.compras ? std::nullopt : std::optional<int>(c.complemento), c.tecnico);
}

// One V_MV_STOCK row per stock row a line took or filled, as the stock
// posting writes them.
void Generador::Movimientos(const string& tc, const string& clave, int fecha, const vector<Linea>& lineas, int signo,
                            const std::optional<string>& cuenta, const std::optional<string>& tcOrigen,
                            const std::optional<string>& cpteOrigen, const string& motivo,
                            const std::optional<int>& complemento, const std::optional<string>& tecnico) {
  int secuencia = 0;
  for (const Linea& l : lineas) {
    const Articulo& a = articulos_[l.articulo];
    for (const auto& p : l.partes) {
      const Existencia& e = existencias_[p.first];
      auto codigo = [](const string& s) { return s.empty() ? std::optional<string>() : std::optional<string>(Cod25(s)); };
      (*stock_)(tc, clave, complemento, ++secuencia, Fecha(fecha), "1", e.deposito, a.codigo, a.descripcion,
                codigo(e.lote), Cod4(kPlantillas[a.plantilla].importado ? 2 : 1), codigo(e.serie), a.unidad,
                Redondea(p.second * signo, 4), cuenta ? cuenta : std::optional<string>(a.proveedor), Cod4(motivo.c_str()),
                l.precio, a.costo, a.alicIva, tcOrigen, cpteOrigen, tecnico);
    }
  }
}

// ---------------------------------------------------------------------------
// Stock at the start: an inventory adjustment per warehouse

void Generador::InventarioInicial() {
  const int fecha = -123;  // 2026-07-31
  vector<Linea> lineas;
  auto vuelca = [&]() {
    if (lineas.empty()) return;
    const string clave = Clave(1, ProximoNumero(" AJP", 1, 'X'), 'X');
    Movimientos(" AJP", clave, fecha, lineas, 1, std::nullopt, std::nullopt, std::nullopt, "4", 0, std::nullopt);
    lineas.clear();
  };
  for (int i = 0; i < static_cast<int>(articulos_.size()); ++i) {
    const Articulo& a = articulos_[i];
    if (a.kit) continue;
    const double probabilidades[] = {0.7, 0.25, 0.1};
    for (int d = 0; d < 3; ++d) {
      if (!azar_.Prob(probabilidades[d])) continue;
      double cantidad = CantidadDe(a) * (d == 0 ? 2 : 1);
      if (a.seguimiento == kSerie || a.seguimiento == kLoteYSerie) cantidad = azar_.Entre(1, 6);
      const int lotes = a.seguimiento == kLote ? azar_.Entre(1, 3) : 1;
      for (int k = 0; k < lotes; ++k) {
        Linea l;
        l.precio = a.costo;
        Entrada(i, Cod4(d + 1), lotes > 1 ? std::max(1.0, std::floor(cantidad / lotes)) : cantidad,
                fecha - azar_.Entre(0, 200), l);
        lineas.push_back(l);
      }
      if (lineas.size() >= 250) vuelca();
    }
  }
  vuelca();
}

// ---------------------------------------------------------------------------
// Balances: what the movements left, by unit, by lot and serial, by position

void Generador::Saldos() {
  Insercion unidades(db_, "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK) VALUES (?, ?, ?, ?)");
  Insercion lotes(db_,
                  "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, IDPOSICION, CANTIDAD, "
                  "FECHAVENCIMIENTO) VALUES (?, ?, ?, ?, ?, ?, ?)");
  Insercion layout(db_,
                   "INSERT INTO AC_SALDOSLAYOUT (IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, IDUNIDADBASE, SALDO) "
                   "VALUES (?, ?, ?, ?, ?, ?)");
  auto texto = [](const string& s, size_t ancho) {
    return s.empty() ? std::optional<string>() : std::optional<string>(Ancho(s, ancho));
  };
  for (int art = 0; art < static_cast<int>(articulos_.size()); ++art) {
    const Articulo& a = articulos_[art];
    std::map<string, double> porDeposito;
    for (int f : filasDe_[art]) porDeposito[existencias_[f].deposito] += existencias_[f].cantidad;
    for (auto& [deposito, total] : porDeposito) {
      if (std::fabs(total) < 1e-9) continue;
      unidades(a.codigo, a.unidad, deposito, Redondea(total, 4));
      // Layout: positioned articles of the central warehouse stand at
      // positions, the rest of the stock outside any position.
      std::map<std::pair<string, string>, double> porPosicion;  // position, lot
      double fuera = 0;
      for (int f : filasDe_[art]) {
        Existencia& e = existencias_[f];
        if (e.deposito != deposito || e.cantidad < 1e-9) continue;
        if (a.posicionado && deposito == Cod4(1) && !posiciones_.empty()) {
          e.posicion = azar_.De(posiciones_).second;
          if (a.seguimiento == kNinguno && e.cantidad > 4) {
            const double enPosicion = std::floor(e.cantidad * azar_.Entre(6, 10) / 10.0);
            porPosicion[{e.posicion, e.lote}] += enPosicion;
            fuera += e.cantidad - enPosicion;
          } else {
            porPosicion[{e.posicion, e.lote}] += e.cantidad;
          }
        } else {
          fuera += e.cantidad;
        }
        if (a.seguimiento != kNinguno)
          lotes(a.codigo, deposito, texto(e.lote, 25), texto(e.serie, 25), texto(e.posicion, 15), Redondea(e.cantidad, 4),
                e.vence.empty() ? std::optional<string>() : std::optional<string>(e.vence));
      }
      for (auto& [clave, saldo] : porPosicion)
        layout(deposito, a.codigo, Cod15(clave.first), texto(clave.second, 25), a.unidad, Redondea(saldo, 4));
      if (fuera > 1e-9) layout(deposito, a.codigo, kNulo, kNulo, a.unidad, Redondea(fuera, 4));
    }
  }
}

// ---------------------------------------------------------------------------
// Kits assembled in the central warehouse: each part of consumption ("PE")
// takes the components of a kit out of stock, lots first lot first, as the
// stock posting discharges them. Each kit also takes one article kept in
// lots.

void Generador::PartesDeConsumo() {
  vector<int> kits, conLotes;
  std::map<string, int> indice;
  for (int i = 0; i < static_cast<int>(articulos_.size()); ++i) {
    const Articulo& a = articulos_[i];
    indice[a.codigo] = i;
    if (a.kit) kits.push_back(i);
    if (a.kit || a.seguimiento != kLote) continue;
    for (int f : filasDe_[i])
      if (existencias_[f].deposito == Cod4(1) && existencias_[f].cantidad > 1 && !existencias_[f].lote.empty()) {
        conLotes.push_back(i);
        break;
      }
  }
  if (kits.empty()) return;
  {
    Insercion ins(db_, "INSERT INTO V_MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (?, ?, ?, ?)");
    if (!conLotes.empty())
      for (int k : kits) {
        const Articulo& c = articulos_[azar_.De(conLotes)];
        ins(articulos_[k].codigo, c.codigo, c.unidad, c.unidad == Cod4("UN") ? 1.0 : 0.5);
      }
  }
  // The components of each kit, as stored.
  std::map<int, vector<std::pair<int, double>>> componentes;
  sqlite3_stmt* q = nullptr;
  sqlite3_prepare_v2(db_, "SELECT IDARTICULO, IDARTICULOINSUMO, CANTIDAD FROM V_MA_INSUMOS ORDER BY ID", -1, &q, nullptr);
  while (q && sqlite3_step(q) == SQLITE_ROW) {
    auto texto = [&](int c) { return string(reinterpret_cast<const char*>(sqlite3_column_text(q, c))); };
    auto kit = indice.find(texto(0)), componente = indice.find(texto(1));
    if (kit != indice.end() && componente != indice.end())
      componentes[kit->second].emplace_back(componente->second, sqlite3_column_double(q, 2));
  }
  sqlite3_finalize(q);
  const vector<int> fechas = FechasOrdenadas(std::min(8, CantidadPorTipo()), -100, -2);
  for (int fecha : fechas) {
    const int kit = azar_.De(kits);
    const int armados = azar_.Entre(1, 3);
    vector<Linea> lineas;
    for (auto& [componente, porUnidad] : componentes[kit]) {
      Linea l = LineaDe(componente, armados * porUnidad);
      if (Salida(componente, Cod4(1), armados * porUnidad, l)) lineas.push_back(l);
    }
    if (lineas.empty()) continue;
    const string clave = Clave(1, ProximoNumero("  PE", 1, 'X'), 'X');
    Movimientos("  PE", clave, fecha, lineas, -1, std::nullopt, std::nullopt, std::nullopt, "1", 0, std::nullopt);
  }
}

// A refrigerant blended by percentages from two others kept in stock: the
// R-407C of the catalogue is 48 % R-410A and 52 % R-134a. A sale of it
// discharges its components, and the blend itself goes back, turned into
// them. Chosen without drawing, so the rest of the demo stays as it was.
void Generador::Mezclas() {
  auto busca = [&](const char* gas, int salvo) {
    for (int i = 0; i < static_cast<int>(articulos_.size()); ++i) {
      const Articulo& a = articulos_[i];
      if (i != salvo && !a.kit && !a.suspendido && kPlantillas[a.plantilla].prefijo == string("GAS") &&
          a.descripcion.find(gas) != string::npos)
        return i;
    }
    return -1;
  };
  const int mezcla = busca("R-407C", -1);
  const int a = busca("R-410A", mezcla), b = busca("R-134a", mezcla);
  if (mezcla < 0 || a < 0 || b < 0) return;
  Insercion marca(db_, "UPDATE V_MA_ARTICULOS SET INSUMOSPORPORCENTAJE = 1 WHERE IDARTICULO = ?");
  marca(articulos_[mezcla].codigo);
  Insercion ins(db_, "INSERT INTO V_MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (?, ?, ?, ?)");
  ins(articulos_[mezcla].codigo, articulos_[a].codigo, articulos_[a].unidad, 48.0);
  ins(articulos_[mezcla].codigo, articulos_[b].codigo, articulos_[b].unidad, 52.0);
}

// ---------------------------------------------------------------------------
// Notes of articles found short of stock

void Generador::Varios() {
  if (articulos_.empty()) return;
  Insercion f(db_, "INSERT INTO V_MV_FALTANTES (FECHAHORA, IDARTICULO, DESCRIPCION, USUARIO) VALUES (?, ?, ?, ?)");
  for (int i = 0; i < 5; ++i) {
    const Articulo& a = articulos_[ArticuloAlAzar(false)];
    const int dias = -azar_.Entre(1, 60);
    f(FechaHoraIso(dias, azar_.Entre(8 * 60, 18 * 60)), a.codigo, a.descripcion, "supervisor");
  }
}

}  // namespace demo::generador
