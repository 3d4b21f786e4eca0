// Demo data: technicians, the task catalogue, sellers, users, customers
// with their contacts, suppliers and the customers' maintenance plans.
#include <algorithm>
#include <cstdio>
#include <set>

#include "demo_generador.h"

namespace demo::generador {

// ---------------------------------------------------------------------------
// Names, addresses and telephones

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

// ---------------------------------------------------------------------------
// People, customers and suppliers

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

}  // namespace demo::generador
