#pragma once
// What the parts of the demo-data generator share: the seeded random
// sequence, the code and date helpers, the prepared insert, the records the
// generator keeps while it writes, and the generator itself. Each step is
// written in the file named after what it makes:
//   demo_configuracion.cpp  catalogues, voucher types and numbering, printers
//   demo_personas.cpp       technicians, tasks, sellers, users, customers, suppliers
//   demo_diarios.cpp        work orders, their tasks, the daily reports
//   demo_articulos.cpp      articles, positions, stock rows and movements, balances
//   demo_comprobantes.cpp   writing a voucher; sales vouchers, charges, delivery runs
//   demo_compras.cpp        purchase vouchers and supplier ledger entries
//   demo_generador.cpp      the helpers below and the order of the steps
#include <sqlite3.h>

#include <QDate>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "demo_db.h"
#include "demo_sqlite.h"
#include "demo_textos.h"
#include "platform/vb_error.h"

namespace demo::generador {

using std::string;
using std::vector;
using namespace textos;

// ---------------------------------------------------------------------------
// Small helpers

// splitmix64: the same seed gives the same sequence on every platform.
class Azar {
 public:
  explicit Azar(uint64_t semilla) : s_(semilla * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
  uint64_t Siguiente() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number from a to b, both included.
  int Entre(int a, int b) { return b <= a ? a : a + static_cast<int>(Siguiente() % static_cast<uint64_t>(b - a + 1)); }
  double Real() { return static_cast<double>(Siguiente() >> 11) * (1.0 / 9007199254740992.0); }
  double Real(double a, double b) { return a + (b - a) * Real(); }
  bool Prob(double p) { return Real() < p; }
  template <class T, size_t N>
  const T& De(const T (&v)[N]) {
    return v[Entre(0, static_cast<int>(N) - 1)];
  }
  template <class T>
  const T& De(const vector<T>& v) {
    return v[Entre(0, static_cast<int>(v.size()) - 1)];
  }

 private:
  uint64_t s_;
};

// A code right-aligned in blanks at its width, as the program stores codes.
string Ancho(const string& s, size_t ancho);
string Cod4(int n);
string Cod4(const char* s);
string Cod25(const string& s);
string Cod15(const string& s);

// The 13-character voucher key: branch, number, letter.
string Clave(int sucursal, long numero, char letra);

// Dates are counted in days from 2026-12-01 (negative: before).
inline const QDate kReferencia(2026, 12, 1);
string Fecha(int dias);
string FechaHoraIso(int dias, int minutos);
// "dd/mm/yy hh:mm", the form of the audit columns.
string FechaHoraCorta(int dias, int minutos);
int DiaDeSemana(int dias);  // 1 Monday .. 7 Sunday

double Redondea(double v, int decimales = 2);

// A name as an e-mail domain: letters only, accents dropped, lower case.
string Dominio(const string& nombre);

string Mayuscula(string s);

string Numero(double v);

// The check digit of an EAN-13 or DUN-14 body.
char DigitoEan(const string& cuerpo);

// A CUIT with its check digit.
string Cuit(const string& tipo, long dni);

inline const string kCaracter255 = "\xC3\xBF";  // the character 255 that joins lot and serial in a list

// ---------------------------------------------------------------------------
// Prepared inserts

struct Nulo {};
inline constexpr Nulo kNulo{};

class Insercion {
 public:
  Insercion(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK)
      vb::Raise(vb::ErrProvider, QStringLiteral("%1 [%2]").arg(QString::fromUtf8(sqlite3_errmsg(db)), sql));
  }
  ~Insercion() { sqlite3_finalize(st_); }
  Insercion(const Insercion&) = delete;
  Insercion& operator=(const Insercion&) = delete;

  template <class... A>
  void operator()(const A&... valores) {
    int i = 0;
    (Liga(++i, valores), ...);
    if (sqlite3_step(st_) != SQLITE_DONE) {
      QString m = QString::fromUtf8(sqlite3_errmsg(db_)) + " [" + QString::fromUtf8(sqlite3_sql(st_)) + "]";
      sqlite3_reset(st_);
      vb::Raise(vb::ErrProvider, m);
    }
    sqlite3_reset(st_);
  }

 private:
  void Liga(int i, const Nulo&) { sqlite3_bind_null(st_, i); }
  void Liga(int i, int v) { sqlite3_bind_int64(st_, i, v); }
  void Liga(int i, long v) { sqlite3_bind_int64(st_, i, v); }
  void Liga(int i, long long v) { sqlite3_bind_int64(st_, i, v); }
  void Liga(int i, bool v) { sqlite3_bind_int(st_, i, v ? 1 : 0); }
  void Liga(int i, double v) { sqlite3_bind_double(st_, i, v); }
  void Liga(int i, const string& v) {
    sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  }
  void Liga(int i, const char* v) { sqlite3_bind_text(st_, i, v, -1, SQLITE_TRANSIENT); }
  template <class T>
  void Liga(int i, const std::optional<T>& v) {
    if (v) Liga(i, *v);
    else sqlite3_bind_null(st_, i);
  }

  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
};

// ---------------------------------------------------------------------------
// What the generator keeps while it writes

struct Tecnico {
  string codigo;
  string nombre;
};

struct Cliente {
  string codigo;
  string razon;
  int condicionIva;
  string vendedor;
};

struct Proveedor {
  string codigo;
  string razon;
};

struct Articulo {
  string codigo;  // at width 25
  string descripcion;
  string unidad;  // at width 4
  int plantilla;
  int seguimiento;
  bool perecedero;
  bool suspendido;
  bool kit;
  bool posicionado;
  double costo;
  double precio;
  double alicIva;
  string proveedor;
};

// A stock row: an article in a warehouse, by lot and serial (trimmed texts).
struct Existencia {
  int articulo;
  string deposito;
  string lote;
  string serie;
  string vence;
  double cantidad;
  string posicion;
};

struct OrdenTrabajo {
  string clave;
  int complemento;
  int fecha;
  int cliente;
  string tecnico;
  vector<int> tareas;
};

// One article line of a voucher and its lot and serial lists.
struct Linea {
  int articulo;
  double cantidad;
  double precio;
  string lotes;
  string series;
  // Stock rows the line takes or fills: row and quantity.
  vector<std::pair<int, double>> partes;
};

struct Comprobante {
  bool compras = false;
  string tc;  // at width 4
  string clave;
  int complemento = 0;
  int fecha = 0;
  string cuenta;
  string nombre;
  int condicionIva = 1;
  string vendedor;
  std::optional<string> tecnico;
  string deposito = "   1";
  double neto = 0;
  double iva = 0;
  double total = 0;
  bool anulada = false;
  bool aprobado = false;
  bool finalizada = false;
  bool garantia = false;
  std::optional<string> comentarios;
  std::optional<string> observaciones;
  std::optional<string> tcOrigen;
  std::optional<string> cpteOrigen;
  std::optional<int> complementoOrigen;
  std::optional<int> reparto;
  std::optional<string> fechaRecepcion;
  vector<Linea> lineas;
};

class Generador {
 public:
  Generador(BaseSqlite& base, const Opciones& o) : db_(base.db), o_(o), azar_(o.semilla) {}
  void Corre();

 private:
  // The steps, in the order Corre runs them, and the helpers each file adds.

  // demo_configuracion.cpp
  void Catalogos();
  void Numeracion();

  // demo_personas.cpp
  void Personas();
  void ClientesYProveedores();
  string Persona();
  string Domicilio();
  string Telefono(bool celular);

  // demo_articulos.cpp
  void Articulos();
  void Equivalencias();
  void Posiciones();
  void InventarioInicial();
  void PartesDeConsumo();
  void Mezclas();
  void Saldos();
  void Varios();
  double CantidadDe(const Articulo& a);
  int ArticuloAlAzar(bool sinSeguimiento);
  int ArticuloConStock(const string& deposito, bool sinSeguimiento);
  bool Salida(int art, const string& deposito, double pedido, Linea& l);
  void Entrada(int art, const string& deposito, double cantidad, int fecha, Linea& l);
  void Movimientos(const Comprobante& c, int signo, const std::optional<string>& tcOrigen,
                   const std::optional<string>& cpteOrigen, const string& motivo);
  void Movimientos(const string& tc, const string& clave, int fecha, const vector<Linea>& lineas, int signo,
                   const std::optional<string>& cuenta, const std::optional<string>& tcOrigen,
                   const std::optional<string>& cpteOrigen, const string& motivo, const std::optional<int>& complemento,
                   const std::optional<string>& tecnico);

  // demo_diarios.cpp
  void OrdenesDeTrabajo();
  void Diarios();
  string Observacion();
  string DatosAdicionales(int tarea, const string& equipo);
  double EscribeTareas(const Comprobante& c, const vector<int>& tareas, bool conAdicionales);

  // demo_comprobantes.cpp
  void Presupuestos();
  void NotasDePedido();
  void Remitos();
  void Facturas();
  void NotasDeCredito();
  void ComprobantesSinStock();
  void Terceros();
  void Cargos();
  void RepartosYServicios();
  // A voucher whose totals are its lines': the totals, then its header and
  // its lines written.
  void Escribe(Comprobante& c);
  void EscribeCabecera(Comprobante& c);
  void EscribeLineas(const Comprobante& c);
  void EscribeConceptos(const Comprobante& c, int cuantos);
  Linea LineaDe(int art, double cantidad);
  // From desde to hasta new lines (none when there are no articles), each
  // an article drawn at random with a quantity from 1 to maximo.
  void NuevasLineas(Comprobante& c, int desde, int hasta, bool sinSeguimiento, int maximo);
  void Totales(Comprobante& c);
  void Auditoria(const Comprobante& c);
  Comprobante DeCliente(const string& tc, int fecha, const Cliente& cl, char letra,
                        const Comprobante* origen = nullptr);
  Comprobante DeProveedor(const string& tc, int fecha, const Proveedor& p, const string& clave);
  void ImporteSinLineas(Comprobante& c, int desde, int hasta);

  // demo_compras.cpp
  void OrdenesDeCompra();
  void ComprasConStock();
  void ComprasSinStock();
  void AsientosProveedores();
  void NumerosContables();
  void LineasRecibidas(Comprobante& c);

  // demo_generador.cpp
  int CantidadPorTipo() const;
  vector<int> FechasOrdenadas(int n, int desde, int hasta);
  long ProximoNumero(const string& tc, int sucursal, char letra);
  char LetraFiscal(int condicionIva) const { return condicionIva == 1 ? 'A' : 'B'; }
  // The customer of a voucher: its origin's when it has one, else one drawn
  // at random (the draw is made either way, so the data stay the same).
  const Cliente& ClienteDe(const Comprobante* origen) {
    const Cliente* cl = &azar_.De(clientes_);
    if (origen)
      for (const Cliente& x : clientes_)
        if (x.codigo == origen->cuenta) cl = &x;
    return *cl;
  }
  static void PoneCliente(Comprobante& c, const Cliente& cl) {
    c.cuenta = cl.codigo;
    c.nombre = cl.razon;
    c.condicionIva = cl.condicionIva;
    c.vendedor = cl.vendedor;
  }

  sqlite3* db_;
  const Opciones& o_;
  Azar azar_;

  vector<Tecnico> tecnicos_;
  vector<Cliente> clientes_;
  vector<Proveedor> proveedores_;
  vector<Articulo> articulos_;
  vector<Existencia> existencias_;
  vector<vector<int>> filasDe_;  // stock rows of each article
  vector<std::pair<string, string>> posiciones_;  // warehouse, position (trimmed)
  vector<OrdenTrabajo> ordenes_;
  std::map<string, long> numeros_;  // type|branch|letter -> last number used
  vector<Comprobante> remitos_, facturas_, pedidos_, ordenesCompra_, facturasCompra_;
  long asiento_ = 0;

  // Inserts used by many steps, prepared once.
  std::unique_ptr<Insercion> cabecera_[2], insumos_[2], tareas_[2], observ_[2];
  std::unique_ptr<Insercion> stock_, acciones_;
};

}  // namespace demo::generador
