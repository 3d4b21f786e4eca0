// The demo database: believable data of a maintenance company around
// Rosario, made from a seed so that the same options always give the same
// file. Everything is written in one transaction through prepared statements.
#include <sqlite3.h>

#include <QDate>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "demo_db.h"
#include "demo_sqlite.h"
#include "demo_textos.h"
#include "platform/vb_error.h"

namespace demo {

namespace {

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
string Ancho(const string& s, size_t ancho) {
  return s.size() >= ancho ? s : string(ancho - s.size(), ' ') + s;
}
string Cod4(int n) { return Ancho(std::to_string(n), 4); }
string Cod4(const char* s) { return Ancho(s, 4); }
string Cod25(const string& s) { return Ancho(s, 25); }
string Cod15(const string& s) { return Ancho(s, 15); }

// The 13-character voucher key: branch, number, letter.
string Clave(int sucursal, long numero, char letra) {
  char b[32];
  std::snprintf(b, sizeof b, "%04d%08ld%c", sucursal, numero, letra);
  return b;
}

// Dates are counted in days from 2026-12-01 (negative: before).
const QDate kReferencia(2026, 12, 1);
string Fecha(int dias) { return kReferencia.addDays(dias).toString(Qt::ISODate).toStdString(); }
string FechaHoraIso(int dias, int minutos) {
  char b[16];
  std::snprintf(b, sizeof b, " %02d:%02d:00", minutos / 60 % 24, minutos % 60);
  return Fecha(dias) + b;
}
// "dd/mm/yy hh:mm", the form of the audit columns.
string FechaHoraCorta(int dias, int minutos) {
  QDate d = kReferencia.addDays(dias);
  char b[32];
  std::snprintf(b, sizeof b, "%02d/%02d/%02d %02d:%02d", d.day(), d.month(), d.year() % 100, minutos / 60 % 24,
                minutos % 60);
  return b;
}
int DiaDeSemana(int dias) { return kReferencia.addDays(dias).dayOfWeek(); }  // 1 Monday .. 7 Sunday

double Redondea(double v, int decimales = 2) {
  const double f = std::pow(10.0, decimales);
  return std::round(v * f) / f;
}

// A name as an e-mail domain: letters only, accents dropped, lower case.
string Dominio(const string& nombre) {
  const QString n = QString::fromUtf8(nombre.c_str()).normalized(QString::NormalizationForm_D);
  string r;
  for (QChar ch : n)
    if (ch.isLetter() && ch.unicode() < 128) r += static_cast<char>(ch.toLower().unicode());
  return r;
}

string Mayuscula(string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

string Numero(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%g", v);
  return b;
}

// The check digit of an EAN-13 or DUN-14 body.
char DigitoEan(const string& cuerpo) {
  int suma = 0;
  for (size_t i = 0; i < cuerpo.size(); ++i) {
    const int d = cuerpo[cuerpo.size() - 1 - i] - '0';
    suma += (i % 2 == 0) ? d * 3 : d;
  }
  return static_cast<char>('0' + (10 - suma % 10) % 10);
}

// A CUIT with its check digit.
string Cuit(const string& tipo, long dni) {
  char b[16];
  std::snprintf(b, sizeof b, "%s%08ld", tipo.c_str(), dni % 100000000);
  const int pesos[10] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
  int suma = 0;
  for (int i = 0; i < 10; ++i) suma += (b[i] - '0') * pesos[i];
  int dv = 11 - suma % 11;
  if (dv == 11) dv = 0;
  if (dv == 10) dv = 9;
  char r[20];
  std::snprintf(r, sizeof r, "%s-%08ld-%d", tipo.c_str(), dni % 100000000, dv);
  return r;
}

const string kCaracter255 = "\xC3\xBF";  // the character 255 that joins lot and serial in a list

// ---------------------------------------------------------------------------
// Prepared inserts

struct Nulo {};
const Nulo kNulo;

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
  // Catalogues and people.
  void Catalogos();
  void Personas();
  void ClientesYProveedores();
  void Articulos();
  void Equivalencias();
  void Posiciones();
  void InventarioInicial();
  // Work orders and daily reports.
  void OrdenesDeTrabajo();
  void Diarios();
  // Vouchers of every type.
  void Presupuestos();
  void NotasDePedido();
  void Remitos();
  void Facturas();
  void NotasDeCredito();
  void ComprobantesSinStock();
  void OrdenesDeCompra();
  void ComprasConStock();
  void ComprasSinStock();
  void AsientosProveedores();
  void Terceros();
  void Cargos();
  void Saldos();
  void PartesDeConsumo();
  void Mezclas();
  void NumerosContables();
  void Numeracion();
  void Varios();
  void RepartosYServicios();

  // Helpers of the steps.
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
  string Persona();
  string Observacion();
  string DatosAdicionales(int tarea, const string& equipo);
  string Domicilio();
  string Telefono(bool celular);
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
  void EscribeCabecera(Comprobante& c);
  void EscribeLineas(const Comprobante& c);
  void EscribeConceptos(const Comprobante& c, int cuantos);
  double EscribeTareas(const Comprobante& c, const vector<int>& tareas, bool conAdicionales);
  Linea LineaDe(int art, double cantidad);
  void NuevaLinea(Comprobante& c, bool sinSeguimiento, int maximo);
  void Totales(Comprobante& c);
  void Auditoria(const Comprobante& c);

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
  std::unique_ptr<Insercion> stock_, acciones_, asientos_;
};

// ---------------------------------------------------------------------------

int Generador::CantidadPorTipo() const { return std::clamp(o_.reportes / 25, 10, 400); }

vector<int> Generador::FechasOrdenadas(int n, int desde, int hasta) {
  vector<int> f(n);
  for (int& d : f) {
    d = azar_.Entre(desde, hasta);
    if (DiaDeSemana(d) == 7) d = d + 1 <= hasta ? d + 1 : d - 2;  // nothing on Sundays
    d = std::clamp(d, desde, hasta);
  }
  std::sort(f.begin(), f.end());
  return f;
}

long Generador::ProximoNumero(const string& tc, int sucursal, char letra) {
  return ++numeros_[tc + "|" + std::to_string(sucursal) + "|" + letra];
}

string Generador::Persona() {
  const string nombre = azar_.De(kNombres);
  return nombre + " " + azar_.De(kApellidos);
}

string Generador::Domicilio() {
  const string calle = azar_.De(kCalles);
  return calle + " " + std::to_string(azar_.Entre(100, 9800));
}

string Generador::Telefono(bool celular) {
  const int a = celular ? azar_.Entre(3, 6) : azar_.Entre(10, 99);
  const int b = azar_.Entre(0, 9999);
  char t[32];
  std::snprintf(t, sizeof t, celular ? "341 15%d-%04d" : "0341 4%02d-%04d", a, b);
  return t;
}

string Generador::Observacion() { return azar_.Prob(0.6) ? string(azar_.De(kObservaciones)) : string(); }

string Generador::DatosAdicionales(int tarea, const string& equipo) {
  string t = "Equipo: " + equipo + ".\n";
  t += "Contacto en planta: " + Persona();
  t += ", interno " + std::to_string(azar_.Entre(100, 499)) + ".\n";
  t += azar_.De(kIndicaciones);
  if (azar_.Prob(0.5)) t += string("\n") + azar_.De(kIndicaciones);
  if (azar_.Prob(0.3)) {
    const int m = kTareas[tarea].minutos;
    t += "\nTiempo estimado: " + std::to_string(m / 60) + " h";
    if (m % 60) t += " " + std::to_string(m % 60) + " min";
    t += ".";
  }
  return t;
}

double Generador::CantidadDe(const Articulo& a) {
  if (a.unidad == Cod4("MT")) return azar_.Entre(20, 400) * 0.5;
  if (a.unidad == Cod4("KG") || a.unidad == Cod4("LT")) return azar_.Entre(10, 600) * 0.5;
  return azar_.Entre(1, 60);
}

// ---------------------------------------------------------------------------
// Catalogues

void Generador::Catalogos() {
  {
    Insercion u(db_, "INSERT INTO V_TA_UNIDAD (IDUNIDAD, DESCRIPCION) VALUES (?, ?)");
    const char* const unidades[][2] = {{"UN", "Unidad"},   {"MT", "Metro"},        {"KG", "Kilogramo"},
                                       {"LT", "Litro"},    {"M3", "Metro cúbico"}, {"BL", "Bulto"},
                                       {"CAJ", "Caja"},    {"PQ", "Paquete"},      {"RL", "Rollo"},
                                       {"PAR", "Par"},     {"GR", "Gramo"},        {"TAM", "Tambor"}};
    for (auto& x : unidades) u(Cod4(x[0]), x[1]);
  }
  {
    Insercion d(db_, "INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION, DOMICILIO) VALUES (?, ?, ?)");
    d(Cod4(1), "Depósito Central", "Av. Circunvalación 4520, Rosario");
    d(Cod4(2), "Depósito Taller", "Bv. Rondeau 1870, Rosario");
    d(Cod4(3), "Móvil de Servicio", "Utilitario Renault Kangoo AB 512 KD");
  }
  {
    Insercion r(db_, "INSERT INTO TA_RUBROS (IDRUBRO, DESCRIPCION) VALUES (?, ?)");
    const char* const rubros[] = {"Electricidad",  "Mecánica",           "Hidráulica y Neumática",
                                  "Ferretería",    "Lubricantes y Químicos", "Refrigeración",
                                  "Seguridad Industrial", "Herramientas", "Automatización"};
    for (int i = 0; i < 9; ++i) r(Cod4(i + 1), rubros[i]);
  }
  {
    Insercion t(db_, "INSERT INTO TA_TIPOARTICULO (IDTIPO, DESCRIPCION) VALUES (?, ?)");
    const char* const tipos[] = {"Repuesto", "Insumo", "Herramienta", "Equipo", "Indumentaria"};
    for (int i = 0; i < 5; ++i) t(Cod4(i + 1), tipos[i]);
  }
  {
    Insercion m(db_, "INSERT INTO TA_MOTIVOSTOCK (IDMOTIVOSTOCK, DESCRIPCION) VALUES (?, ?)");
    const char* const motivos[] = {"Uso en orden de trabajo", "Venta", "Compra", "Ajuste de inventario",
                                   "Devolución", "Rotura o pérdida"};
    for (int i = 0; i < 6; ++i) m(Cod4(i + 1), motivos[i]);
  }
  {
    Insercion c(db_, "INSERT INTO TA_CATEGORIA (IDCATEGORIA, DESCRIPCION) VALUES (?, ?)");
    c(Cod4(1), "Cliente A - contrato anual");
    c(Cod4(2), "Cliente B - servicio frecuente");
    c(Cod4(3), "Cliente C - ocasional");
  }
  {
    Insercion f(db_, "INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES (?, ?)");
    const char* const familias[][2] = {
        {"01", "Electricidad"},         {"0101", "Cables y conductores"},   {"0102", "Protecciones eléctricas"},
        {"0103", "Comando y maniobra"}, {"0104", "Iluminación"},            {"02", "Mecánica"},
        {"0201", "Rodamientos"},        {"0202", "Transmisión"},            {"0203", "Bulonería"},
        {"0204", "Kits de mantenimiento"}, {"03", "Hidráulica y neumática"}, {"0301", "Mangueras y conexiones"},
        {"0302", "Válvulas"},           {"04", "Lubricantes y químicos"},   {"0401", "Aceites"},
        {"0402", "Grasas"},             {"0403", "Adhesivos y selladores"}, {"05", "Refrigeración"},
        {"0501", "Gases refrigerantes"}, {"0502", "Repuestos de refrigeración"}, {"06", "Seguridad industrial"},
        {"0601", "Protección personal"}, {"0602", "Elementos de seguridad"}, {"07", "Herramientas"},
        {"0701", "Herramientas de mano"}, {"0702", "Herramientas eléctricas"}, {"08", "Automatización"},
        {"0801", "Sensores"},           {"0802", "Variadores y PLC"}};
    for (auto& x : familias) f(x[0], x[1]);
  }
  auto lista = [&](const char* sql, std::initializer_list<std::pair<int, const char*>> filas) {
    Insercion ins(db_, sql);
    for (auto& f : filas) ins(Cod4(f.first), f.second);
  };
  lista("INSERT INTO V_TA_CAJAS (IDCAJAS, DESCRIPCION) VALUES (?, ?)", {{1, "Caja Administración"}, {2, "Caja Taller"}});
  lista("INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES (?, ?)",
        {{1, "Banco de la Nación Argentina"}, {2, "Nuevo Banco de Santa Fe"}, {3, "Banco Galicia"}, {4, "Banco Macro"}});
  lista("INSERT INTO V_TA_MOTIVOVTA (IDMOTIVOVTA, DESCRIPCION) VALUES (?, ?)",
        {{1, "Venta de mostrador"}, {2, "Servicio técnico"}, {3, "Contrato de mantenimiento"}});
  lista("INSERT INTO V_TA_MOTIVOCPRA (IDMOTIVOCPRA, DESCRIPCION) VALUES (?, ?)",
        {{1, "Reposición de stock"}, {2, "Compra para obra"}, {3, "Gastos generales"}});
  {
    Insercion c(db_, "INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, DIAS) VALUES (?, ?, ?)");
    c(Cod4(1), "Contado", 0);
    c(Cod4(2), "Cuenta corriente 30 días", 30);
    c(Cod4(3), "Cuenta corriente 60 días", 60);
    c(Cod4(4), "Cheque a 30 días", 30);
  }
  lista("INSERT INTO V_TA_DESTINO (IDDESTINO, DESCRIPCION) VALUES (?, ?)",
        {{1, "Planta del cliente"}, {2, "Taller propio"}, {3, "Obra"}});
  lista("INSERT INTO V_TA_ORIGEN (IDORIGEN, DESCRIPCION) VALUES (?, ?)", {{1, "Nacional"}, {2, "Importado"}});
  {
    Insercion p(db_, "INSERT INTO V_TA_PERCEPCION (IDPERCEPCION, DESCRIPCION, ALICUOTA) VALUES (?, ?, ?)");
    p(Cod4(1), "Percepción Ingresos Brutos Santa Fe", 2.5);
    p(Cod4(2), "Percepción IVA RG 2408", 3.0);
    Insercion r(db_, "INSERT INTO V_TA_RETENCIONES (IDRETENCION, DESCRIPCION, ALICUOTA) VALUES (?, ?, ?)");
    r(Cod4(1), "Retención Impuesto a las Ganancias", 2.0);
    r(Cod4(2), "Retención Ingresos Brutos", 1.5);
  }
  lista("INSERT INTO V_TA_UNIDADNEGOCIO (CODIGO, DESCRIPCION) VALUES (?, ?)",
        {{1, "Servicio Técnico"}, {2, "Venta de Repuestos"}});
  lista("INSERT INTO V_TA_POLITICAPRECIOS (CODIGO, DESCRIPCION) VALUES (?, ?)",
        {{1, "Lista general"}, {2, "Clientes con contrato"}});
  {
    Insercion c(db_, "INSERT INTO MA_PLANCUENTAS (CODIGO, DESCRIPCION, IMPUTABLE) VALUES (?, ?, ?)");
    const struct {
      const char* codigo;
      const char* descripcion;
      int imputable;
    } plan[] = {{"1", "ACTIVO", 0},
                {"1.1.01.01", "Caja", 1},
                {"1.1.02.01", "Banco Nación cuenta corriente", 1},
                {"1.1.03.01", "Deudores por ventas", 1},
                {"1.1.05.01", "Mercaderías", 1},
                {"2", "PASIVO", 0},
                {"2.1.01.01", "Proveedores", 1},
                {"2.1.03.01", "IVA débito fiscal", 1},
                {"4", "INGRESOS", 0},
                {"4.1.01.01", "Ventas de repuestos", 1},
                {"4.1.01.02", "Servicios de mantenimiento", 1},
                {"4.1.02.01", "Fletes cobrados", 1},
                {"4.1.03.01", "Intereses ganados", 1},
                {"5", "EGRESOS", 0},
                {"5.1.01.01", "Costo de mercaderías vendidas", 1},
                {"5.2.01.01", "Fletes y acarreos", 1},
                {"5.2.01.02", "Viáticos", 1},
                {"5.2.01.03", "Gastos bancarios", 1}};
    for (auto& p : plan) c(p.codigo, p.descripcion, p.imputable);
  }
  {
    Insercion e(db_, "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, FECHADESDE, FECHAHASTA, CERRADO) VALUES (?, ?, ?, ?, ?)");
    e(2025, "Ejercicio 2025", "2025-01-01", "2025-12-31", 1);
    e(2026, "Ejercicio 2026", "2026-01-01", "2026-12-31", 0);
  }
  {
    Insercion m(db_, "INSERT INTO MA_MODELOS (NOMBRE, MARCA) VALUES (?, ?)");
    const char* const modelos[][2] = {{"Ranger XLT", "Ford"},  {"Hilux SRV", "Toyota"}, {"Kangoo Express", "Renault"},
                                      {"Fiorino", "Fiat"},     {"Sprinter 415", "Mercedes-Benz"}, {"Amarok", "Volkswagen"}};
    for (auto& x : modelos) m(x[0], x[1]);
    Insercion c(db_, "INSERT INTO MA_CHOFERES (CODIGO, APELLIDO, NOMBRES, DNI) VALUES (?, ?, ?, ?)");
    for (int i = 1; i <= 4; ++i) {
      const string apellido = azar_.De(kApellidos);
      const string nombre = azar_.De(kNombres);
      c(Cod4(i), apellido, nombre, std::to_string(azar_.Entre(20000000, 40000000)));
    }
    Insercion v(db_, "INSERT INTO MA_VEHICULOS (PATENTE, MODELO, ANIO, CODIGOCHOFER) VALUES (?, ?, ?, ?)");
    v("AB512KD", "Kangoo Express", 2018, Cod4(1));
    v("AC274PF", "Ranger XLT", 2019, Cod4(2));
    v("AE031TR", "Hilux SRV", 2021, Cod4(3));
    v("AF658MN", "Sprinter 415", 2023, Cod4(4));
    v("OKJ418", "Fiorino", 2015, Cod4(1));
    Insercion d(db_, "INSERT INTO MA_DESTINATARIOS (CODIGO, NOMBRE, DOMICILIO, LOCALIDAD) VALUES (?, ?, ?, ?)");
    for (int i = 1; i <= 5; ++i) {
      const string nombre = string("Planta ") + azar_.De(kNombresEmpresas);
      const string domicilio = Domicilio();
      d(Cod4(i), nombre, domicilio, azar_.De(kLocalidades));
    }
  }
}

void Generador::Personas() {
  {
    Insercion t(db_,
                "INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE, ESPECIALIDAD, TELEFONO, VALORHORA, ACTIVO) "
                "VALUES (?, ?, ?, ?, ?, ?)");
    int n = 0;
    for (const char* nombre : kTecnicos) {
      Tecnico x{Cod4(++n), nombre};
      const string especialidad = azar_.De(kEspecialidades);
      const string telefono = Telefono(true);
      t(x.codigo, x.nombre, especialidad, telefono, static_cast<double>(azar_.Entre(15, 26) * 1000), n != 11);
      tecnicos_.push_back(x);
    }
  }
  {
    Insercion t(db_, "INSERT INTO V_TA_TAREAS (IDTAREA, DESCRIPCION, MINUTOSESTIMADOS, VALORHORA) VALUES (?, ?, ?, ?)");
    int n = 0;
    for (const Tarea& x : kTareas) t(Cod4(++n), x.descripcion, x.minutos, x.valorHora);
  }
  {
    Insercion v(db_, "INSERT INTO V_TA_VENDEDORES (IDVENDEDOR, NOMBRE, COMISION) VALUES (?, ?, ?)");
    const char* const vendedores[] = {"Andrés Paz", "Claudia Rivero", "Fernando Lucero", "Valeria Ortiz",
                                      "Martín Peralta", "Ventas Oficina"};
    for (int i = 0; i < 6; ++i) v(Cod4(i + 1), vendedores[i], i == 5 ? 0.0 : azar_.Entre(2, 6) * 0.5);
  }
  {
    Insercion u(db_, "INSERT INTO TA_USUARIOS (NOMBRE, NOMBRECOMPLETO, UNEGOCIO) VALUES (?, ?, ?)");
    u("mgutierrez", kSupervisores[0], Cod4(1));
    u("sparedes", kSupervisores[1], Cod4(1));
    u("rlombardi", kSupervisores[2], Cod4(1));
    u("ventas", "Mostrador de Ventas", Cod4(2));
    u("administracion", "Administración", Cod4(1));
  }
}

void Generador::ClientesYProveedores() {
  const int nClientes = std::clamp(30 + o_.reportes / 400, 30, 300);
  Insercion c(db_,
              "INSERT INTO MA_CLIENTES (CODIGO, CODIGO_SUCURSAL, RAZON_SOCIAL, NOMBRE, CUIT, CONDICIONIVA, DOMICILIO, "
              "LOCALIDAD, PROVINCIA, TELEFONO, EMAIL, IDVENDEDOR, IDCOND_CPRA_VTA, DADA_DE_BAJA) "
              "VALUES (?, 0, ?, ?, ?, ?, ?, ?, 'Santa Fe', ?, ?, ?, ?, ?)");
  Insercion k(db_,
              "INSERT INTO MA_CONTACTOS (CUENTA, NOMBRE_Y_APELLIDO, CARGO, DOMICILIO, LOCALIDAD, TELEFONO, EMAIL) "
              "VALUES (?, ?, ?, ?, ?, ?, ?)");
  std::set<string> usadas;
  for (int i = 0; i < nClientes; ++i) {
    Cliente x;
    x.codigo = std::to_string(100001 + i);
    string fantasia;
    int condicion = 1;
    if (i % 9 == 8) {  // some private customers
      string apellido = azar_.De(kApellidos), nombre = azar_.De(kNombres);
      x.razon = apellido + ", " + nombre;
      fantasia = nombre + " " + apellido;
      condicion = azar_.Prob(0.5) ? 3 : 5;
    } else {
      for (int intento = 0; intento < 20; ++intento) {
        fantasia = azar_.De(kRubrosClientes);
        fantasia += string(" ") + azar_.De(kNombresEmpresas);
        if (!usadas.count(fantasia)) break;
      }
      x.razon = fantasia + " " + azar_.De(kFormasSocietarias);
      condicion = azar_.Prob(0.9) ? 1 : 4;
    }
    usadas.insert(fantasia);
    x.condicionIva = condicion;
    x.vendedor = Cod4(azar_.Entre(1, 6));
    const string localidad = azar_.De(kLocalidades);
    const string domicilio = Domicilio();
    const string tel = Telefono(false);
    const string correo = "administracion@" + Dominio(fantasia) + ".com.ar";
    c(x.codigo, x.razon, fantasia, Cuit(condicion == 1 || condicion == 4 ? "30" : "20", 70000000 + i * 7919 % 9999999),
      condicion, domicilio, localidad, tel, correo, x.vendedor, Cod4(azar_.Entre(1, 4)), i % 23 == 22);
    const int contactos = azar_.Entre(1, 2);
    for (int j = 0; j < contactos; ++j) {
      const string persona = Persona();
      const string cargo = azar_.De(kCargos);
      k(x.codigo, persona, cargo, domicilio, localidad, Telefono(true), kNulo);
    }
    clientes_.push_back(x);
  }
  Insercion p(db_,
              "INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL, NOMBRE, CUIT, CONDICIONIVA, DOMICILIO, LOCALIDAD, "
              "PROVINCIA, TELEFONO, EMAIL, IDCOND_CPRA_VTA, DADA_DE_BAJA) VALUES (?, ?, ?, ?, 1, ?, ?, 'Santa Fe', ?, ?, ?, ?)");
  int n = 0;
  for (const char* razon : kProveedores) {
    Proveedor x{std::to_string(200001 + n), razon};
    const string tel = Telefono(false);
    const string domicilio = Domicilio();
    const string localidad = azar_.De(kLocalidades);
    string nombre = razon;
    for (const char* forma : {" S.A.", " S.R.L."}) {
      auto pos = nombre.find(forma);
      if (pos != string::npos) nombre.erase(pos);
    }
    p(x.codigo, x.razon, nombre, Cuit("30", 60000000 + n * 104729), domicilio, localidad, tel,
      "ventas@proveedor" + std::to_string(n + 1) + ".com.ar", Cod4(azar_.Entre(2, 4)), n == 15);
    proveedores_.push_back(x);
    ++n;
  }
  // Maintenance plans agreed with customers.
  Insercion m(db_, "INSERT INTO V_MA_MANTENIMIENTOS (CODIGO, DESCRIPCION, CUENTA, FRECUENCIADIAS) VALUES (?, ?, ?, ?)");
  const struct {
    const char* descripcion;
    int dias;
  } planes[] = {{"Mantenimiento preventivo mensual de compresores", 30},
                {"Service trimestral de aire acondicionado", 90},
                {"Revisión semestral de tableros eléctricos", 180},
                {"Control anual de puesta a tierra", 365},
                {"Service de autoelevadores cada 250 horas", 45},
                {"Limpieza semestral de tanques de agua", 180},
                {"Mantenimiento mensual de cámaras frigoríficas", 30},
                {"Revisión quincenal de grupo electrógeno", 15},
                {"Lubricación semanal de líneas de envasado", 7},
                {"Inspección trimestral de puentes grúa", 90},
                {"Mantenimiento anual de calderas", 365},
                {"Control mensual de portones automáticos", 30}};
  int codigo = 0;
  for (auto& x : planes) m(Cod4(++codigo), x.descripcion, azar_.De(clientes_).codigo, x.dias);
}

// ---------------------------------------------------------------------------
// Articles

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

void Generador::NuevaLinea(Comprobante& c, bool sinSeguimiento, int maximo) {
  const int art = ArticuloAlAzar(sinSeguimiento);
  c.lineas.push_back(LineaDe(art, azar_.Entre(1, maximo)));
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

double Generador::EscribeTareas(const Comprobante& c, const vector<int>& tareas, bool conAdicionales) {
  double total = 0;
  for (int t : tareas) {
    const Tarea& x = kTareas[t];
    std::optional<string> adicional;
    const double r = azar_.Real();
    if (conAdicionales && r < 0.7) adicional = DatosAdicionales(t, c.comentarios.value_or(string()));
    else if (r < 0.85) adicional = string();
    const int inicio = c.fecha + azar_.Entre(0, 3);
    const int fin = inicio + azar_.Entre(1, 10);
    const double importe = Redondea(x.minutos / 60.0 * x.valorHora);
    total += importe;
    std::optional<string> realInicio, realFin;
    if (c.finalizada) {
      realInicio = Fecha(inicio + azar_.Entre(0, 2));
      realFin = Fecha(fin + azar_.Entre(-1, 4));
    }
    (*tareas_[c.compras])(c.tc, c.clave, c.complemento, c.cuenta, Cod4(t + 1), x.descripcion, adicional, x.minutos,
                          x.valorHora, Redondea(x.valorHora / 1.21), importe, Fecha(inicio), Fecha(fin),
                          c.tecnico ? *c.tecnico : azar_.De(tecnicos_).codigo, realInicio, realFin);
  }
  return total;
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
// Work orders and daily reports

void Generador::OrdenesDeTrabajo() {
  const int n = std::max(12, o_.reportes / 8 + 1);
  const vector<int> fechas = FechasOrdenadas(n, -150, -3);
  for (int i = 0; i < n; ++i) {
    const int sucursal = i % 7 == 3 ? 2 : 1;
    const int cli = azar_.Entre(0, static_cast<int>(clientes_.size()) - 1);
    const Cliente& cl = clientes_[cli];
    OrdenTrabajo ot{Clave(sucursal, ProximoNumero("  OT", sucursal, 'A'), 'A'), 0, fechas[i], cli,
                    azar_.De(tecnicos_).codigo, {}};
    const int complementos = azar_.Prob(0.1) ? 2 : 1;
    for (int k = 0; k < complementos; ++k) {
      Comprobante c;
      c.tc = "  OT";
      c.clave = ot.clave;
      c.complemento = k;
      c.fecha = std::min(-2, ot.fecha + k * azar_.Entre(5, 20));
      PoneCliente(c, cl);
      c.tecnico = ot.tecnico;
      c.aprobado = azar_.Prob(0.85);
      c.anulada = azar_.Prob(0.03);
      c.finalizada = azar_.Prob(c.fecha < -75 ? 0.5 : 0.1);
      c.comentarios = string(azar_.De(kEquipos));
      *c.comentarios += string(" - ") + azar_.De(kUbicaciones);
      if (azar_.Prob(0.4)) c.observaciones = string("Solicitado por ") + Persona() + ".";
      vector<int> tareas;
      const int nt = k == 0 ? azar_.Entre(2, 6) : azar_.Entre(1, 3);
      while (static_cast<int>(tareas.size()) < nt) {
        const int t = azar_.Entre(0, static_cast<int>(Cuantos(kTareas)) - 1);
        if (std::find(tareas.begin(), tareas.end(), t) == tareas.end()) tareas.push_back(t);
      }
      if (!articulos_.empty())
        for (int j = azar_.Entre(0, 2); j > 0; --j) NuevaLinea(c, false, 4);
      Totales(c);
      // The tasks go first so that their amount is part of the header's.
      const double tareasTotal = EscribeTareas(c, tareas, true);
      c.neto = Redondea(c.neto + tareasTotal / 1.21);
      c.iva = Redondea(c.iva + tareasTotal - tareasTotal / 1.21);
      c.total = Redondea(c.neto + c.iva);
      EscribeCabecera(c);
      EscribeLineas(c);
      if (!c.anulada) {
        OrdenTrabajo o = ot;
        o.complemento = k;
        o.fecha = c.fecha;
        o.tareas = tareas;
        ordenes_.push_back(o);
      }
    }
  }
  std::stable_sort(ordenes_.begin(), ordenes_.end(),
                   [](const OrdenTrabajo& a, const OrdenTrabajo& b) { return a.fecha < b.fecha; });
}

void Generador::Diarios() {
  if (ordenes_.empty()) return;
  Insercion d(db_,
              "INSERT INTO V_MV_DIARIOS (IDDIARIO, FECHA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO, IDTAREA, "
              "DESCRIPCION, MINUTOS, OBSERVACIONES, AUTORIZADOPOR) VALUES (?, ?, 'OT', ?, ?, ?, ?, ?, ?, ?, ?)");
  vector<int> fechasOt;
  for (const OrdenTrabajo& o : ordenes_) fechasOt.push_back(o.fecha);
  const vector<int> fechas = FechasOrdenadas(o_.reportes, -122, -1);
  const int pesos[] = {20, 30, 28, 14, 8};  // 1 to 5 task lines
  for (int r = 0; r < o_.reportes; ++r) {
    const int fecha = fechas[r];
    const auto desde = std::lower_bound(fechasOt.begin(), fechasOt.end(), fecha - 45) - fechasOt.begin();
    const auto hasta = std::upper_bound(fechasOt.begin(), fechasOt.end(), fecha) - fechasOt.begin();
    int o;
    if (desde < hasta) o = azar_.Entre(static_cast<int>(desde), static_cast<int>(hasta) - 1);
    else o = hasta > 0 ? static_cast<int>(hasta) - 1 : 0;
    const OrdenTrabajo& ot = ordenes_[o];
    const string tecnico = azar_.Prob(0.65) ? ot.tecnico : azar_.De(tecnicos_).codigo;

    int lineas = 1;
    for (int x = azar_.Entre(1, 100), acumulado = 0; lineas <= 5; ++lineas) {
      acumulado += pesos[lineas - 1];
      if (x <= acumulado) break;
    }
    lineas = std::min(lineas, 5);
    vector<int> tareas;
    vector<int> planificadas = ot.tareas;
    while (static_cast<int>(tareas.size()) < lineas) {
      int t;
      if (!planificadas.empty() && azar_.Prob(0.85)) {
        const int k = azar_.Entre(0, static_cast<int>(planificadas.size()) - 1);
        t = planificadas[k];
        planificadas.erase(planificadas.begin() + k);
      } else {
        t = azar_.Entre(0, static_cast<int>(Cuantos(kTareas)) - 1);
      }
      if (std::find(tareas.begin(), tareas.end(), t) == tareas.end()) tareas.push_back(t);
    }

    // Approved mostly when old; pending ones keep a NULL or blank approver.
    const int antiguedad = -fecha;
    const double pAprobado = antiguedad > 21 ? 0.9 : antiguedad > 7 ? 0.6 : 0.15;
    std::optional<string> aprobador;
    if (azar_.Prob(pAprobado)) aprobador = azar_.De(kSupervisores);
    else if (azar_.Prob(0.5)) aprobador = azar_.Prob(0.8) ? "" : "   ";

    int cuartos = azar_.Entre(4, 36);  // the day's work in quarters of an hour
    for (int k = 0; k < lineas; ++k) {
      const int quedan = lineas - k - 1;
      const int q = k == lineas - 1 ? std::clamp(cuartos, 1, 32) : azar_.Entre(1, std::clamp(cuartos - quedan, 1, 32));
      cuartos = std::max(quedan, cuartos - q);
      const Tarea& t = kTareas[tareas[k]];
      const string obs = Observacion();
      d(static_cast<long long>(r + 1), Fecha(fecha), ot.clave, ot.complemento, tecnico, Cod4(tareas[k] + 1),
        t.descripcion, q * 15, obs.empty() ? std::optional<string>() : std::optional<string>(obs), aprobador);
    }
  }
}

// ---------------------------------------------------------------------------
// Sales vouchers

void Generador::Presupuestos() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -1);
  for (int i = 0; i < n; ++i) {
    const Cliente& cl = azar_.De(clientes_);
    Comprobante c;
    c.tc = "  PR";
    c.clave = Clave(1, ProximoNumero(c.tc, 1, 'X'), 'X');
    c.fecha = fechas[i];
    PoneCliente(c, cl);
    c.aprobado = azar_.Prob(0.6);
    c.finalizada = c.aprobado && azar_.Prob(0.3);
    c.anulada = azar_.Prob(0.03);
    c.comentarios = string("Ref.: ") + azar_.De(kEquipos);
    if (!articulos_.empty())
      for (int j = azar_.Entre(1, 3); j > 0; --j) NuevaLinea(c, false, 6);
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
    const Cliente& cl = azar_.De(clientes_);
    Comprobante c;
    c.tc = "  NP";
    c.clave = Clave(1, ProximoNumero(c.tc, 1, 'X'), 'X');
    c.fecha = fechas[i];
    PoneCliente(c, cl);
    c.aprobado = azar_.Prob(0.8);
    c.finalizada = azar_.Prob(0.5);
    c.anulada = azar_.Prob(0.03);
    c.comentarios = string("Pedido telefónico de ") + Persona();
    if (!articulos_.empty())
      for (int j = azar_.Entre(1, 4); j > 0; --j) NuevaLinea(c, true, 10);
    Totales(c);
    EscribeCabecera(c);
    EscribeLineas(c);
    if (c.finalizada && !c.anulada) pedidos_.push_back(c);
  }
}

void Generador::Remitos() {
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -110, -1);
  size_t pedido = 0;
  for (int i = 0; i < n; ++i) {
    Comprobante c;
    c.tc = "  RM";
    c.fecha = fechas[i];
    // Some delivery notes deliver a finished order.
    const Comprobante* origen = nullptr;
    while (pedido < pedidos_.size() && pedidos_[pedido].fecha > c.fecha) ++pedido;
    if (pedido < pedidos_.size() && azar_.Prob(0.3)) origen = &pedidos_[pedido++];
    const Cliente* cl = &ClienteDe(origen);
    c.clave = Clave(1, ProximoNumero(c.tc, 1, 'R'), 'R');
    PoneCliente(c, *cl);
    c.aprobado = true;
    c.finalizada = azar_.Prob(0.5);
    c.reparto = azar_.Prob(0.2) ? -1 : 0;
    c.comentarios = string("Entregar en ") + azar_.De(kUbicaciones);
    if (origen) {
      c.tcOrigen = origen->tc;
      c.cpteOrigen = origen->clave;
      c.complementoOrigen = origen->complemento;
    }
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
    Totales(c);
    EscribeCabecera(c);
    EscribeLineas(c);
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
    Comprobante c;
    c.tc = "  FC";
    c.fecha = fechas[i];
    const Comprobante* origen = nullptr;
    if (siguiente < origenes.size() && origenes[siguiente]->fecha <= c.fecha && azar_.Prob(0.6))
      origen = origenes[siguiente++];
    const Cliente* cl = &ClienteDe(origen);
    const char letra = LetraFiscal(cl->condicionIva);
    c.clave = Clave(1, ProximoNumero(c.tc, 1, letra), letra);
    PoneCliente(c, *cl);
    c.aprobado = true;
    c.finalizada = true;
    c.anulada = azar_.Prob(0.03);
    if (origen) {
      c.tcOrigen = origen->tc;
      c.cpteOrigen = origen->clave;
      c.complementoOrigen = origen->complemento;
      for (Linea l : origen->lineas) {
        if (!origen->finalizada) l.cantidad = std::max(1.0, std::floor(l.cantidad / 2));
        l.partes.clear();
        c.lineas.push_back(l);
      }
      Totales(c);
      EscribeCabecera(c);
      EscribeLineas(c);
    } else {
      if (!articulos_.empty())
        for (int j = azar_.Entre(1, 4); j > 0; --j) {
          const int a = ArticuloConStock(c.deposito, azar_.Prob(0.7));
          if (a < 0) continue;
          Linea l = LineaDe(a, 1);
          if (Salida(a, c.deposito, std::max(1.0, std::floor(CantidadDe(articulos_[a]) / 5)), l)) c.lineas.push_back(l);
        }
      Totales(c);
      EscribeCabecera(c);
      EscribeLineas(c);
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
    Comprobante c;
    c.tc = "  NC";
    c.fecha = fechas[i];
    const Comprobante* origen = nullptr;
    if (!facturas_.empty() && azar_.Prob(0.5)) {
      const Comprobante& f = azar_.De(facturas_);
      if (f.fecha <= c.fecha && !f.anulada && !f.lineas.empty()) origen = &f;
    }
    const Cliente* cl = &ClienteDe(origen);
    const char letra = LetraFiscal(cl->condicionIva);
    c.clave = Clave(1, ProximoNumero(c.tc, 1, letra), letra);
    PoneCliente(c, *cl);
    c.aprobado = true;
    c.finalizada = true;
    c.anulada = azar_.Prob(0.03);
    if (origen) {
      c.tcOrigen = origen->tc;
      c.cpteOrigen = origen->clave;
      c.complementoOrigen = origen->complemento;
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
      Totales(c);
      EscribeCabecera(c);
      EscribeLineas(c);
      Movimientos(c, 1, std::nullopt, std::nullopt, "5");
    } else {
      c.comentarios = "Bonificación comercial";
      c.neto = Redondea(azar_.Entre(50, 900) * 100.0);
      c.iva = Redondea(c.neto * 0.21);
      c.total = Redondea(c.neto + c.iva);
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
      Comprobante c;
      c.tc = Cod4(t.tc);
      const char letra = t.fiscal ? LetraFiscal(cl.condicionIva) : 'X';
      c.clave = Clave(1, ProximoNumero(c.tc, 1, letra), letra);
      c.fecha = fechas[i];
      PoneCliente(c, cl);
      c.aprobado = azar_.Prob(0.8);
      c.finalizada = azar_.Prob(0.6);
      c.anulada = azar_.Prob(0.03);
      if (t.articulos && !articulos_.empty())
        for (int j = azar_.Entre(1, 3); j > 0; --j) NuevaLinea(c, false, 8);
      Totales(c);
      if (c.lineas.empty()) {
        c.neto = Redondea(azar_.Entre(20, 900) * 100.0);
        c.iva = Redondea(c.neto * 0.21);
        c.total = Redondea(c.neto + c.iva);
      }
      EscribeCabecera(c);
      EscribeLineas(c);
      if (c.lineas.empty()) EscribeConceptos(c, azar_.Entre(1, 2));
    }
  }
}

// ---------------------------------------------------------------------------
// Purchase vouchers

void Generador::OrdenesDeCompra() {
  Insercion reserva(db_, "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES (?, ?, ?, ?)");
  const int n = CantidadPorTipo();
  const vector<int> fechas = FechasOrdenadas(n, -120, -5);
  for (int i = 0; i < n; ++i) {
    const Proveedor& p = azar_.De(proveedores_);
    Comprobante c;
    c.compras = true;
    c.tc = "  OC";
    const long numero = ProximoNumero(c.tc, 1, 'X');
    c.clave = Clave(1, numero, 'X');
    c.fecha = fechas[i];
    c.cuenta = p.codigo;
    c.nombre = p.razon;
    c.vendedor = Cod4(6);
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
    Totales(c);
    EscribeCabecera(c);
    EscribeLineas(c);
    char suc[8], nro[16];
    std::snprintf(suc, sizeof suc, "%04d", 1);
    std::snprintf(nro, sizeof nro, "%08ld", numero);
    reserva(c.tc, string(suc), string(nro), "X");
    ordenesCompra_.push_back(c);
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
      Comprobante c;
      c.compras = true;
      c.tc = " FCC";
      c.fecha = fechas[i];
      const Comprobante* origen = nullptr;
      if (siguiente < recibidas.size() && recibidas[siguiente]->fecha <= c.fecha && azar_.Prob(0.6))
        origen = recibidas[siguiente++];
      const Proveedor& p = origen ? proveedor(origen->cuenta) : azar_.De(proveedores_);
      c.clave = claveProveedor(p, 'A');
      c.cuenta = p.codigo;
      c.nombre = p.razon;
      c.vendedor = Cod4(6);
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
      } else if (!articulos_.empty()) {
        for (int j = azar_.Entre(1, 3); j > 0; --j) {
          const int a = ArticuloAlAzar(false);
          Linea l = LineaDe(a, 1);
          l.precio = articulos_[a].costo;
          Entrada(a, c.deposito, std::max(1.0, std::floor(CantidadDe(articulos_[a]) / 3)), c.fecha, l);
          c.lineas.push_back(l);
        }
      }
      Totales(c);
      EscribeCabecera(c);
      EscribeLineas(c);
      if (!origen) Movimientos(c, 1, std::nullopt, std::nullopt, "3");
      if (!c.anulada) facturasCompra_.push_back(c);
    }
  }
  // Delivery notes of suppliers: half of them still waiting for the invoice.
  {
    const vector<int> fechas = FechasOrdenadas(n, -115, -1);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      Comprobante c;
      c.compras = true;
      c.tc = " RMC";
      c.fecha = fechas[i];
      c.clave = claveProveedor(p, 'R');
      c.cuenta = p.codigo;
      c.nombre = p.razon;
      c.vendedor = Cod4(6);
      c.aprobado = true;
      c.finalizada = azar_.Prob(0.5);
      c.anulada = azar_.Prob(0.02);
      if (!articulos_.empty())
        for (int j = azar_.Entre(1, 3); j > 0; --j) {
          const int a = ArticuloAlAzar(false);
          Linea l = LineaDe(a, 1);
          l.precio = articulos_[a].costo;
          Entrada(a, c.deposito, std::max(1.0, std::floor(CantidadDe(articulos_[a]) / 3)), c.fecha, l);
          c.lineas.push_back(l);
        }
      Totales(c);
      EscribeCabecera(c);
      EscribeLineas(c);
      Movimientos(c, 1, std::nullopt, std::nullopt, "3");
    }
  }
  // Credit notes of suppliers: goods sent back.
  {
    const vector<int> fechas = FechasOrdenadas(n, -100, -1);
    for (int i = 0; i < n; ++i) {
      const Proveedor& p = azar_.De(proveedores_);
      Comprobante c;
      c.compras = true;
      c.tc = " NCC";
      c.fecha = fechas[i];
      c.clave = claveProveedor(p, 'A');
      c.cuenta = p.codigo;
      c.nombre = p.razon;
      c.vendedor = Cod4(6);
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
      if (c.lineas.empty()) {
        c.neto = Redondea(azar_.Entre(10, 300) * 100.0);
        c.iva = Redondea(c.neto * 0.21);
        c.total = Redondea(c.neto + c.iva);
      }
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
      Comprobante c;
      c.compras = true;
      c.tc = Cod4(tipo);
      c.fecha = fechas[i];
      c.clave = Clave(1 + i % 5, ++numero, string(tipo) == "NDC" ? 'A' : 'X');
      c.cuenta = p.codigo;
      c.nombre = p.razon;
      c.vendedor = Cod4(6);
      c.aprobado = true;
      c.finalizada = azar_.Prob(0.7);
      c.neto = Redondea(azar_.Entre(10, 600) * 100.0);
      c.iva = Redondea(c.neto * 0.21);
      c.total = Redondea(c.neto + c.iva);
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

void Generador::Terceros() {
  Insercion t(db_,
              "INSERT INTO V_MV_CPTETERCEROS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, DESCRIPCION, FECHAENVIADO, "
              "FECHARECIBIDO) VALUES ('  T3', ?, 0, ?, ?, ?, ?, ?)");
  const char* const talleres[] = {"Rebobinados Gómez", "Laboratorio de Calibración Rosario", "Tornería Industrial Funes",
                                  "Servicio Oficial Atlas Copco"};
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

// ---------------------------------------------------------------------------
// Voucher types, numbering books and printers

void Generador::Numeracion() {
  const struct {
    const char* codigo;
    const char* descripcion;
    const char* sistema;
    const char* es;
    int signo;
    const char* letras;
  } tipos[] = {
      {"OT", "Orden de Trabajo", "VENTAS", nullptr, 1, "A"},
      {"NP", "Nota de Pedido", "VENTAS", nullptr, 1, "X"},
      {"PR", "Presupuesto", "VENTAS", nullptr, 1, "X"},
      {"FC", "Factura", "VENTAS", "S", 1, "AB"},
      {"NC", "Nota de Crédito", "VENTAS", "E", -1, "AB"},
      {"ND", "Nota de Débito", "VENTAS", nullptr, 1, "AB"},
      {"RM", "Remito", "VENTAS", "S", 1, "R"},
      {"FP", "Factura Proforma", "VENTAS", nullptr, 1, "X"},
      {"NCFP", "Nota de Crédito Proforma", "VENTAS", nullptr, -1, "X"},
      {"GF", "Gastos Financieros", "VENTAS", nullptr, 1, "X"},
      {"OP", "Orden de Producción", "STOCK", nullptr, 1, "X"},
      {"T3", "Envío a Terceros", "VENTAS", nullptr, 1, "X"},
      {"OC", "Orden de Compra", "COMPRAS", nullptr, 1, "X"},
      {"FCC", "Factura de Compra", "COMPRAS", "E", 1, "ABC"},
      {"NCC", "Nota de Crédito de Compra", "COMPRAS", "S", -1, "ABC"},
      {"NDC", "Nota de Débito de Compra", "COMPRAS", nullptr, 1, "ABC"},
      {"NCCP", "Nota de Crédito de Compra Proforma", "COMPRAS", nullptr, -1, "X"},
      {"RMC", "Remito de Compra", "COMPRAS", "E", 1, "R"},
      {"NCPE", "Nota de Crédito de Proveedor", "Contable", nullptr, -1, "ABC"},
      {"NDPR", "Nota de Débito de Proveedor", "Contable", nullptr, 1, "ABC"},
      {"IR", "Informe de Recepción", "STOCK", "E", 1, "X"},
      {"AJP", "Ajuste Positivo de Stock", "STOCK", "E", 1, "X"},
      {"AJN", "Ajuste Negativo de Stock", "STOCK", "S", 1, "X"},
      {"PE", "Parte de Consumo de Insumos", "STOCK", "S", 1, "X"},
      {"TRP", "Transferencia entre Depósitos", "STOCK", nullptr, 1, "X"},
  };
  const string letras = "ABCERXM";
  auto sentencia = [&](const char* tabla, bool conSistemaEnClave) {
    string sql = string("INSERT INTO ") + tabla + " (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, " +
                 (conSistemaEnClave ? "" : "ES, SIGNO, ") + "LETRAS, MODIFICANUMERACION";
    for (char l : letras) sql += string(", ") + l + "_SUC_DEFAULT, " + l + "_ULTIMO_NRO";
    sql += ") VALUES (?, ?, ?, ?, " + string(conSistemaEnClave ? "" : "?, ?, ") + "?, ?";
    for (size_t i = 0; i < letras.size(); ++i) sql += ", ?, ?";
    return sql + ")";
  };
  Insercion cpte(db_, sentencia("V_TA_CPTE", false).c_str());
  Insercion sistema(db_, sentencia("TA_COMPROBANTES", true).c_str());
  for (auto& t : tipos) {
    const int libros = string(t.codigo) == "OT" ? 2 : 1;
    for (int libro = 1; libro <= libros; ++libro) {
      // The number each letter hands out next: one above the last used.
      long n[7];
      for (size_t k = 0; k < letras.size(); ++k) {
        auto it = numeros_.find(Cod4(t.codigo) + "|" + std::to_string(libro) + "|" + letras[k]);
        n[k] = (it == numeros_.end() ? 0 : it->second) + 1;
      }
      const std::optional<string> es = t.es ? std::optional<string>(t.es) : std::nullopt;
      cpte(Cod4(t.codigo), libro, t.descripcion, t.sistema, es, t.signo, t.letras, string(t.sistema) == "Contable",
           libro, n[0], libro, n[1], libro, n[2], libro, n[3], libro, n[4], libro, n[5], libro, n[6]);
      if (string(t.sistema) == "STOCK")
        sistema(Cod4(t.codigo), libro, t.descripcion, t.sistema, t.letras, 0, libro, n[0], libro, n[1], libro, n[2],
                libro, n[3], libro, n[4], libro, n[5], libro, n[6]);
    }
  }
  // The fiscal books expire: a new authorisation is due every half year.
  Insercion vence(db_, "UPDATE V_TA_CPTE SET VENCEA = ?, VENCEB = ? WHERE CODIGO = ?");
  for (const char* fiscal : {"FC", "NC", "ND"}) vence(Fecha(180), Fecha(180), Cod4(fiscal));
  // Printers; the type and letter are stored as the screens pass them.
  Insercion imp(db_,
                "INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, IMPRESORA, CANTCOPIAS, CANTLINEAS, DESTINODEFAULT) "
                "VALUES (?, ?, ?, ?, ?, ?, ?)");
  imp("FC", "A", kNulo, "HP LaserJet Administración", 2, 24, "IMPRESORA");
  imp("FC", "B", kNulo, "HP LaserJet Administración", 2, 24, "IMPRESORA");
  imp("FC", "A", "PUESTO1|supervisor", "PDF", 1, 24, "ARCHIVO");
  imp("NC", "A", kNulo, "HP LaserJet Administración", 2, 18, "IMPRESORA");
  imp("RM", "R", kNulo, "Epson FX-890 Expedición", 3, 20, "IMPRESORA");
  imp("OT", "A", kNulo, "Epson L3250 Taller", 1, 30, "PANTALLA");
  imp("OC", "X", kNulo, "HP LaserJet Compras", 1, 0, "PANTALLA");
}

void Generador::Varios() {
  if (articulos_.empty()) return;
  Insercion f(db_, "INSERT INTO V_MV_FALTANTES (FECHAHORA, IDARTICULO, DESCRIPCION, USUARIO) VALUES (?, ?, ?, ?)");
  for (int i = 0; i < 5; ++i) {
    const Articulo& a = articulos_[ArticuloAlAzar(false)];
    const int dias = -azar_.Entre(1, 60);
    f(FechaHoraIso(dias, azar_.Entre(8 * 60, 18 * 60)), a.codigo, a.descripcion, "supervisor");
  }
}

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

void Generador::Corre() {
  const char* const cabecera =
      "INSERT INTO %s (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, NOMBRE, CONDICIONIVA, IDVENDEDOR, IDTECNICO, "
      "IDDEPOSITO, IDCOND_CPRA_VTA, IMPORTE_S_IVA, IMPUESTOS, IMPORTE, ANULADA, APROBADO, FINALIZADA, GARANTIA, "
      "COMENTARIOS, OBSERVACIONES, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN, IDREPARTO, FECHARECEPCION, "
      "FECHAVENCIMIENTO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
  const char* const insumos =
      "INSERT INTO %s (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, DESCRIPCION, IDUNIDAD, CANTIDAD, "
      "IDUNIDADBASE, CANTIDADUD, EQUIV_UDBASE, IDDEPOSITO, IMPORTE, IMPORTE_S_IVA, IMPUESTOS, TOTAL, PRECIO_LISTA, "
      "COSTO, PORCDTO, ALICIVA, EXENTO, PRESENTACION, NRO_LOTE, NRO_SERIE, IDORIGEN, PALLETS) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
  const char* const tareas =
      "INSERT INTO %s (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDTAREA, DESCRIPCION, DESCRIPCIONADICIONAL, HORAS, "
      "VALORHORA, VALORHORA_S_IVA, TOTAL, FECHAESTINICIO, FECHAESTFIN, IDTECNICO, FECHAREALINICIO, FECHAREALFIN) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
  const char* const observ =
      "INSERT INTO %s (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, TIPO_OBS, OBSERVACION, IMPORTE, IMPORTE_S_IVA, "
      "CUENTACONTABLE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
  auto prepara = [&](const char* molde, const char* tabla) {
    char sql[1024];
    std::snprintf(sql, sizeof sql, molde, tabla);
    return std::make_unique<Insercion>(db_, sql);
  };
  cabecera_[0] = prepara(cabecera, "V_MV_CPTE");
  cabecera_[1] = prepara(cabecera, "C_MV_CPTE");
  insumos_[0] = prepara(insumos, "V_MV_CPTEINSUMOS");
  insumos_[1] = prepara(insumos, "C_MV_CPTEINSUMOS");
  tareas_[0] = prepara(tareas, "V_MV_CPTETAREAS");
  tareas_[1] = prepara(tareas, "C_MV_CPTETAREAS");
  observ_[0] = prepara(observ, "V_MV_CPTE_OBSERV");
  observ_[1] = prepara(observ, "C_MV_CPTE_OBSERV");
  stock_ = std::make_unique<Insercion>(
      db_,
      "INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SECUENCIA, FECHA, IDCAJA, IDDEPOSITO, IDARTICULO, "
      "DESCRIPCION, NROLOTE, IDORIGEN, NROSERIE, IDUNIDAD, CANTIDAD, CUENTAPROVEEDOR, IDMOTIVOSTOCK, PRECIOVENTA, COSTO, "
      "IMPUESTOS, DTOITEM, IVARI, IVARNI, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, ID_ORIGEN, IDTECNICO, EQUIV_UDBASE, IDINSERT, "
      "IDCOMPULSA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, ?, 0, ?, ?, 0, ?, 1, 0, 0)");
  acciones_ = std::make_unique<Insercion>(
      db_,
      "INSERT INTO V_MV_CPTEACCIONES (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_ACCION, FECHAHORA, USUARIO, PC, SYSTEMUSER) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");

  Catalogos();
  Personas();
  ClientesYProveedores();
  Articulos();
  Equivalencias();
  Posiciones();
  InventarioInicial();
  OrdenesDeTrabajo();
  Diarios();
  Presupuestos();
  NotasDePedido();
  Remitos();
  Facturas();
  NotasDeCredito();
  ComprobantesSinStock();
  OrdenesDeCompra();
  ComprasConStock();
  ComprasSinStock();
  AsientosProveedores();
  Terceros();
  Cargos();
  PartesDeConsumo();
  Mezclas();
  Saldos();
  NumerosContables();
  Numeracion();
  Varios();
  RepartosYServicios();
}

}  // namespace

void CreaBaseDemo(const QString& archivo, const Opciones& opciones) {
  CreaEsquema(archivo);
  BaseSqlite b(archivo);
  b.Ejecuta("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; PRAGMA cache_size = -131072; "
            "PRAGMA temp_store = MEMORY");
  b.Ejecuta("BEGIN");
  try {
    Generador(b, opciones).Corre();
  } catch (...) {
    sqlite3_exec(b.db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  b.Ejecuta("COMMIT");
  b.Ejecuta("ANALYZE");
}

}  // namespace demo
