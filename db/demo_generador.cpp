// The demo database: believable data of a maintenance company around
// Rosario, made from a seed so that the same options always give the same
// file. Everything is written in one transaction through prepared statements.
// This file holds the shared helpers and the order of the steps; each step
// lives in the file named after what it makes (see demo_generador.h).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "demo_generador.h"

namespace demo {

namespace generador {

// ---------------------------------------------------------------------------
// Small helpers

string Ancho(const string& s, size_t ancho) {
  return s.size() >= ancho ? s : string(ancho - s.size(), ' ') + s;
}

string Cod4(int n) { return Ancho(std::to_string(n), 4); }

string Cod4(const char* s) { return Ancho(s, 4); }

string Cod25(const string& s) { return Ancho(s, 25); }

string Cod15(const string& s) { return Ancho(s, 15); }

string Clave(int sucursal, long numero, char letra) {
  char b[32];
  std::snprintf(b, sizeof b, "%04d%08ld%c", sucursal, numero, letra);
  return b;
}

string Fecha(int dias) { return kReferencia.addDays(dias).toString(Qt::ISODate).toStdString(); }

string FechaHoraIso(int dias, int minutos) {
  char b[16];
  std::snprintf(b, sizeof b, " %02d:%02d:00", minutos / 60 % 24, minutos % 60);
  return Fecha(dias) + b;
}

string FechaHoraCorta(int dias, int minutos) {
  QDate d = kReferencia.addDays(dias);
  char b[32];
  std::snprintf(b, sizeof b, "%02d/%02d/%02d %02d:%02d", d.day(), d.month(), d.year() % 100, minutos / 60 % 24,
                minutos % 60);
  return b;
}

int DiaDeSemana(int dias) { return kReferencia.addDays(dias).dayOfWeek(); }

double Redondea(double v, int decimales) {
  const double f = std::pow(10.0, decimales);
  return std::round(v * f) / f;
}

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

char DigitoEan(const string& cuerpo) {
  int suma = 0;
  for (size_t i = 0; i < cuerpo.size(); ++i) {
    const int d = cuerpo[cuerpo.size() - 1 - i] - '0';
    suma += (i % 2 == 0) ? d * 3 : d;
  }
  return static_cast<char>('0' + (10 - suma % 10) % 10);
}

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

// ---------------------------------------------------------------------------
// Numbers, dates and the order of the steps

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

}  // namespace generador

void CreaBaseDemo(const QString& archivo, const Opciones& opciones) {
  CreaEsquema(archivo);
  BaseSqlite b(archivo);
  b.Ejecuta("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; PRAGMA cache_size = -131072; "
            "PRAGMA temp_store = MEMORY");
  b.Ejecuta("BEGIN");
  try {
    generador::Generador(b, opciones).Corre();
  } catch (...) {
    sqlite3_exec(b.db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  b.Ejecuta("COMMIT");
  b.Ejecuta("ANALYZE");
}

}  // namespace demo
