// Demo data: the catalogues (units, warehouses, families, banks, accounts,
// fiscal years, vehicles), the voucher types with their numbering books,
// and the printers of each type.
#include <initializer_list>

#include "demo_generador.h"

namespace demo::generador {

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
    d(Cod4(3), "Móvil de Servicio", "Utilitario Carrendel Fardolvi AB 512 KD");
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
        {{1, "Banco Arvendal"}, {2, "Banco Cooperativo Quelmira"}, {3, "Banco Regional Tolvandes"},
         {4, "Banco Orvelio"}});
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
                {"1.1.02.01", "Banco Arvendal cuenta corriente", 1},
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
    const char* const modelos[][2] = {{"Tarvelo XL", "Motrenza"}, {"Ondrela SR", "Ruvendal"}, {"Fardolvi Furgón", "Carrendel"},
                                      {"Tramelvo", "Carrendel"}, {"Orvanta 415", "Motrenza"}, {"Sendrana", "Ruvendal"}};
    for (auto& x : modelos) m(x[0], x[1]);
    Insercion c(db_, "INSERT INTO MA_CHOFERES (CODIGO, APELLIDO, NOMBRES, DNI) VALUES (?, ?, ?, ?)");
    for (int i = 1; i <= 4; ++i) {
      const string apellido = azar_.De(kApellidos);
      const string nombre = azar_.De(kNombres);
      c(Cod4(i), apellido, nombre, std::to_string(azar_.Entre(20000000, 40000000)));
    }
    Insercion v(db_, "INSERT INTO MA_VEHICULOS (PATENTE, MODELO, ANIO, CODIGOCHOFER) VALUES (?, ?, ?, ?)");
    v("AB512KD", "Fardolvi Furgón", 2018, Cod4(1));
    v("AC274PF", "Tarvelo XL", 2019, Cod4(2));
    v("AE031TR", "Ondrela SR", 2021, Cod4(3));
    v("AF658MN", "Orvanta 415", 2023, Cod4(4));
    v("OKJ418", "Tramelvo", 2015, Cod4(1));
    Insercion d(db_, "INSERT INTO MA_DESTINATARIOS (CODIGO, NOMBRE, DOMICILIO, LOCALIDAD) VALUES (?, ?, ?, ?)");
    for (int i = 1; i <= 5; ++i) {
      const string nombre = string("Planta ") + azar_.De(kNombresEmpresas);
      const string domicilio = Domicilio();
      d(Cod4(i), nombre, domicilio, azar_.De(kLocalidades));
    }
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
  imp("FC", "A", kNulo, "Láser Administración", 2, 24, "IMPRESORA");
  imp("FC", "B", kNulo, "Láser Administración", 2, 24, "IMPRESORA");
  imp("FC", "A", "PUESTO1|supervisor", "PDF", 1, 24, "ARCHIVO");
  imp("NC", "A", kNulo, "Láser Administración", 2, 18, "IMPRESORA");
  imp("RM", "R", kNulo, "Matricial Expedición", 3, 20, "IMPRESORA");
  imp("OT", "A", kNulo, "Chorro de Tinta Taller", 1, 30, "PANTALLA");
  imp("OC", "X", kNulo, "Láser Compras", 1, 0, "PANTALLA");
}

}  // namespace demo::generador
