#pragma once
// Spanish texts the demo generator draws from: names, companies, places,
// tasks, remarks and the article catalogue templates. Companies, brands and
// makers are invented words, so that none stands for a real firm; places are
// real towns and streets.
#include <cstddef>

namespace demo::textos {

template <class T, size_t N>
constexpr size_t Cuantos(const T (&)[N]) {
  return N;
}

inline const char* const kTecnicos[] = {
    "Juan Carlos Ferreyra", "María Laura Giménez", "Diego Alejandro Sosa",   "Pablo Martín Acosta",
    "Sergio Raúl Benítez",  "Lucía Fernanda Romero", "Hernán Darío Medina",  "Gustavo Adrián Herrera",
    "Natalia Soledad Álvarez", "Rodrigo Iván Castro", "Walter Omar Domínguez", "Carlos Alberto Quiroga",
};
inline const char* const kEspecialidades[] = {"Electricista", "Mecánico", "Refrigeración", "Electromecánico",
                                              "Automatización", "Soldador"};

// Who approves daily reports (the name typed in "Responsable Autorización").
inline const char* const kSupervisores[] = {"Marcelo Gutiérrez", "Silvina Paredes", "Ing. Roberto Lombardi"};

inline const char* const kNombres[] = {
    "Jorge",  "Ana",    "Luis",      "Marta",   "Ricardo", "Claudia", "Fernando", "Gabriela", "Oscar",
    "Patricia", "Daniel", "Verónica", "Eduardo", "Mónica",  "Alejandro", "Silvia", "Raúl",     "Graciela",
    "Mariano", "Carolina", "Federico", "Romina",  "Ezequiel", "Florencia", "Matías", "Agustina", "Nicolás",
    "Julieta", "Tomás",   "Valeria",
};
inline const char* const kApellidos[] = {
    "González", "Rodríguez", "Fernández", "López",   "Martínez", "Pérez",    "García",  "Sánchez",
    "Romero",   "Torres",    "Ruiz",      "Díaz",    "Morales",  "Ortiz",    "Ramírez", "Gómez",
    "Molina",   "Silva",     "Rojas",     "Vega",    "Castillo", "Aguirre",  "Ríos",    "Paz",
    "Villalba", "Ledesma",   "Cabrera",   "Ojeda",   "Maldonado", "Figueroa", "Bustos", "Carrizo",
};
inline const char* const kCargos[] = {"Jefe de Mantenimiento", "Encargado de Planta", "Compras", "Gerente General",
                                      "Administración", "Supervisor de Producción", "Seguridad e Higiene"};

inline const char* const kRubrosClientes[] = {
    "Metalúrgica",   "Frigorífico",  "Lácteos",       "Transportes", "Agroindustrias", "Panificadora",
    "Molinos",       "Aceitera",     "Plásticos",     "Textil",      "Laboratorios",   "Cerealera",
    "Constructora",  "Fundición",    "Envases",       "Química",     "Maderera",       "Autopartes",
};
inline const char* const kNombresEmpresas[] = {
    "Varquel",  "Aldevira", "Tresmonda", "Olvanis",  "Pardovel", "Quintrela", "Sarvelle",
    "Dorlanda", "Belquira", "Turvando",  "Ombravi",  "Calvestra", "Fendrosa",  "Mirquendo",
    "Norvasti", "Ulmendra", "Gervanda",  "Trelosa",  "Valdrina",  "Corvenal",  "Isparvo",
    "Lendovar", "Marvendo", "Orquila",   "Palvero",  "Selvandi",  "Tirquedo",  "Zorvana",
};
inline const char* const kFormasSocietarias[] = {"S.A.", "S.R.L.", "S.A.", "Hnos.", "S.R.L.", "S.A.S.",
                                                 "Coop. Ltda."};

inline const char* const kProveedores[] = {
    "Distribuidora Eléctrica Varvendi S.A.", "Rodamientos Quelvar S.R.L.",      "Lubricantes Ordavi S.A.",
    "Ferretería Industrial Tremaldi",        "Frescurdi Refrigeración S.R.L.",  "Seguridad Amparelo S.A.",
    "Hidráulica Caudreno S.R.L.",            "Herramientas Velquera S.A.",      "Automatismos Lograndel S.R.L.",
    "Bulonera Quirvaldi S.A.",               "Mangueras y Conexiones Urdavel", "Electro Sarvende S.A.",
    "Transmisiones Poltrindo S.R.L.",        "Química Orlavende S.A.",          "Indumentaria Laboral Cubrenta",
    "Insumos Técnicos Delvaro S.R.L.",       "Compresores Neumandri S.A.",      "Iluminación Destelvo S.R.L.",
};

inline const char* const kLocalidades[] = {
    "Rosario", "Funes", "Roldán", "Granadero Baigorria", "Villa Gobernador Gálvez", "Pérez", "San Lorenzo",
    "Capitán Bermúdez", "Casilda", "Arroyo Seco", "Cañada de Gómez", "Venado Tuerto", "Fray Luis Beltrán",
};
inline const char* const kCalles[] = {
    "Av. Pellegrini", "Bv. Oroño", "Córdoba", "San Martín", "Mitre", "Av. Circunvalación", "Ruta 9 km",
    "Av. Eva Perón", "Bv. Rondeau", "Av. Francia", "Mendoza", "Av. Godoy", "Colectora Ruta 33",
    "Calle 7", "Sarmiento",
};

// Task catalogue: description, estimated minutes, rate per hour.
struct Tarea {
  const char* descripcion;
  int minutos;
  double valorHora;
};
inline const Tarea kTareas[] = {
    {"Mantenimiento preventivo de compresor", 240, 18500},
    {"Cambio de rodamientos de motor eléctrico", 180, 18500},
    {"Revisión de tablero eléctrico", 120, 21000},
    {"Limpieza de filtros de aire", 60, 15000},
    {"Carga de gas refrigerante", 90, 21000},
    {"Calibración de sensores de temperatura", 120, 23500},
    {"Soldadura de estructura metálica", 240, 19800},
    {"Reparación de bomba centrífuga", 300, 18500},
    {"Alineación de poleas y ejes", 90, 18500},
    {"Cambio de correas de transmisión", 60, 15000},
    {"Lubricación general de equipos", 90, 15000},
    {"Medición de aislación de motores", 60, 21000},
    {"Instalación de luminarias LED", 180, 19800},
    {"Reemplazo de contactor y relé térmico", 60, 21000},
    {"Prueba de funcionamiento y puesta en marcha", 60, 18500},
    {"Relevamiento técnico en planta", 120, 23500},
    {"Traslado de equipo a taller", 120, 15000},
    {"Pintura anticorrosiva de estructura", 240, 15000},
    {"Ajuste de válvulas neumáticas", 90, 18500},
    {"Cambio de aceite hidráulico", 120, 15000},
    {"Reparación de cinta transportadora", 300, 18500},
    {"Programación de PLC", 180, 26000},
    {"Service de autoelevador", 240, 19800},
    {"Reparación de portón automático", 150, 18500},
    {"Control de puesta a tierra", 90, 21000},
    {"Limpieza de tanque de agua", 180, 15000},
    {"Revisión de grupo electrógeno", 120, 21000},
    {"Cambio de burletes de cámara frigorífica", 120, 18500},
    {"Destapación de cañerías", 90, 15000},
    {"Capacitación a operarios", 120, 23500},
};

inline const char* const kObservaciones[] = {
    "Equipo funcionando correctamente al finalizar.",
    "Queda pendiente el cambio de correa, falta repuesto.",
    "Se utilizaron repuestos provistos por el cliente.",
    "Cliente ausente, se reprograma la visita.",
    "Se requiere autorización para el cambio del motor.",
    "Se dejó el sector limpio y señalizado.",
    "Trabajo realizado fuera de horario a pedido del cliente.",
    "Se detectó pérdida de aceite en el reductor.",
    "Falta de tensión en el tablero secundario, se informó al encargado.",
    "Se coordinó la próxima visita con el jefe de mantenimiento.",
    "Demora por falta de permiso de trabajo en altura.",
    "Se recomienda reemplazar la unidad en el próximo service.",
    "Se tomaron fotos del estado inicial del equipo.",
    "Repuesto colocado con garantía del proveedor.",
};

// Fragments of the additional data of a work-order task.
inline const char* const kEquipos[] = {
    "Compresor a tornillo Neumandri TS 30",  "Cámara frigorífica de 40 m³",  "Autoelevador Cargolvi 2,5 t",
    "Grupo electrógeno Potendra 150 kVA",       "Bomba centrífuga Hidrovelsa 15 HP",   "Cinta transportadora de envasado",
    "Tablero general de baja tensión",          "Caldera humotubular 2000 kg/h", "Portón seccional automático",
    "Equipo de aire acondicionado 18000 frigorías", "Prensa hidráulica de 60 t",  "Línea de llenado de envases",
    "Puente grúa de 5 t",                       "Torre de enfriamiento",        "Motor trifásico 25 HP",
};
inline const char* const kUbicaciones[] = {
    "Planta 1, sector producción", "Planta 2, sector envasado", "Depósito de materias primas", "Sala de máquinas",
    "Playa de carga",              "Oficinas administrativas",  "Cámara de frío N° 3",         "Nave de expedición",
};
inline const char* const kIndicaciones[] = {
    "Requiere permiso de trabajo en altura.",
    "Coordinar el corte de energía con el encargado de turno.",
    "Ingresar por el portón de proveedores, presentar ART vigente.",
    "Llevar escalera de 6 m y arnés.",
    "El equipo debe quedar bloqueado y etiquetado durante la tarea.",
    "Verificar el stock de repuestos antes de la visita.",
    "Presentar informe técnico con fotos al finalizar.",
    "Trabajo a realizar con la planta detenida (sábado por la mañana).",
    "Uso obligatorio de protección auditiva en el sector.",
};

inline const char* const kConceptosCargos[] = {
    "Servicio de grúa",       "Traslado de equipo",        "Reparación en taller",
    "Repuestos varios",       "Horas extra de técnico",    "Viáticos y movilidad",
    "Alquiler de equipo de soldadura", "Guardia de fin de semana",
};
inline const char* const kConceptosOtros[] = {
    "Intereses por pago fuera de término", "Gastos administrativos", "Diferencia de cambio",
    "Flete a planta del cliente",          "Gastos bancarios",       "Recupero de gastos de envío",
};
inline const char* const kConceptosServicio[] = {
    "Flete a planta del cliente", "Viáticos del técnico", "Alquiler de andamio", "Alquiler de grúa",
    "Disposición de residuos", "Materiales menores",
};
inline const char* const kComentariosCompras[] = {
    "Reposición de stock", "Compra para obra en planta del cliente", "Urgente - equipo detenido",
    "Entrega en depósito central", "Según presupuesto del proveedor", "Precio acordado en lista vigente",
};

// Article catalogue. Each template makes articles of one kind: the
// description is the name, one value of each list and a brand.
enum Seguimiento { kNinguno = 0, kLote = 1, kSerie = 2, kLoteYSerie = 3, kTalle = 4 };

// An empty name makes the first list's value the noun of the description.
struct PlantillaArticulo {
  const char* familia;
  const char* prefijo;
  const char* rubro;
  const char* tipo;
  const char* unidad;
  const char* nombre;
  const char* const* a;
  int na;
  const char* const* b;
  int nb;
  const char* const* marcas;
  int nmarcas;
  int seguimiento;
  bool perecedero;
  double costoMinimo;
  double costoMaximo;
  const char* presentacion;
  bool importado;
  bool kit;  // made of other articles (components)
};

#define DEMO_LISTA(nombre, ...) inline const char* const nombre[] = {__VA_ARGS__};
DEMO_LISTA(kSecciones, "1 mm²", "1,5 mm²", "2,5 mm²", "4 mm²", "6 mm²", "10 mm²")
DEMO_LISTA(kColoresCable, "rojo", "negro", "celeste", "verde/amarillo", "marrón", "blanco")
DEMO_LISTA(kMarcasCable, "Trevandil", "Orcuveta", "Filzandra", "Queltrivo")
DEMO_LISTA(kPolos, "1P", "2P", "3P", "4P")
DEMO_LISTA(kAmperes, "10 A", "16 A", "20 A", "25 A", "32 A", "40 A", "63 A")
DEMO_LISTA(kMarcasElectricas, "Voldrensa", "Ampriveta", "Sarkelio", "Drumelsa", "Tovandri")
DEMO_LISTA(kContactores, "9 A", "12 A", "18 A", "25 A", "32 A", "40 A", "65 A")
DEMO_LISTA(kBobinas, "bobina 24 V", "bobina 220 V", "bobina 380 V")
DEMO_LISTA(kPotenciasLed, "18 W", "36 W", "50 W", "100 W", "150 W", "200 W")
DEMO_LISTA(kLuzLed, "luz fría", "luz cálida", "luz neutra")
DEMO_LISTA(kMarcasLed, "Ilvarena", "Destelvo", "Ocrelia", "Fulgentra")
DEMO_LISTA(kRodamientos, "6201", "6202", "6203", "6204", "6205", "6206", "6305", "6306", "6308", "6310", "22210",
           "NU 206")
DEMO_LISTA(kSellos, "ZZ", "2RS", "abierto", "C3")
DEMO_LISTA(kMarcasRodamiento, "Girvandel", "Boltrema", "Roquelmo", "Esferdana", "Ulnavet")
DEMO_LISTA(kPerfiles, "perfil A", "perfil B", "perfil C", "perfil SPZ")
DEMO_LISTA(kLargosCorrea, "30", "38", "42", "48", "55", "62", "75", "90", "120")
DEMO_LISTA(kMarcasCorrea, "Trelvasco", "Poltrindo", "Vurnasca", "Tensovar")
DEMO_LISTA(kMetricas, "M6", "M8", "M10", "M12", "M16", "M20")
DEMO_LISTA(kLargosTornillo, "x 20 mm", "x 30 mm", "x 40 mm", "x 50 mm", "x 75 mm", "x 100 mm")
DEMO_LISTA(kTerminaciones, "galvanizado", "zincado", "inoxidable", "grado 8.8")
DEMO_LISTA(kMarcasBulon, "Bulonera Quirvaldi", "Fijandrel", "Tuercas Oldevar")
DEMO_LISTA(kDiametrosManguera, "1/4\"", "3/8\"", "1/2\"", "3/4\"", "1\"")
DEMO_LISTA(kNormasManguera, "R1", "R2", "4SP")
DEMO_LISTA(kMarcasHidraulica, "Presvandel", "Trelvasco", "Mangurdia", "Caudreno")
DEMO_LISTA(kValvulas, "esférica", "solenoide", "de retención", "mariposa", "reguladora de presión")
DEMO_LISTA(kMedidasValvula, "1/2\"", "3/4\"", "1\"", "1 1/2\"", "2\"")
DEMO_LISTA(kAceites, "hidráulico ISO 32", "hidráulico ISO 46", "hidráulico ISO 68", "para compresor ISO 100",
           "de engranajes ISO 220", "multigrado 15W40")
DEMO_LISTA(kEnvasesAceite, "bidón 4 L", "bidón 20 L", "tambor 205 L")
DEMO_LISTA(kMarcasAceite, "Lubrevanti", "Viscardela", "Oltremo", "Grasvendi", "Untavira")
DEMO_LISTA(kGrasas, "de litio EP2", "de litio EP0", "para altas temperaturas", "grado alimenticio")
DEMO_LISTA(kEnvasesGrasa, "cartucho 400 g", "pote 1 kg", "balde 5 kg", "balde 15 kg")
DEMO_LISTA(kAdhesivos, "sellador de roscas", "adhesivo epoxi", "fijador de rodamientos", "silicona alta temperatura",
           "desengrasante dieléctrico")
DEMO_LISTA(kEnvasesAdhesivo, "50 ml", "250 ml", "tubo 300 g", "aerosol 440 ml")
DEMO_LISTA(kMarcasAdhesivo, "Pegantrel", "Selvarino", "Epoquelda", "Adrenzo")
DEMO_LISTA(kGases, "R-22", "R-410A", "R-134a", "R-404A", "R-407C")
DEMO_LISTA(kGarrafas, "garrafa 13,6 kg", "garrafa 11,3 kg", "lata 1 kg")
DEMO_LISTA(kMarcasGas, "Gelvandra", "Polquira", "Frescurdi")
DEMO_LISTA(kRepuestosFrio, "filtro secador", "visor de líquido", "válvula de expansión", "presostato", "capacitor de marcha")
DEMO_LISTA(kMedidasFrio, "1/4\"", "3/8\"", "1/2\"", "35 µF", "45 µF")
DEMO_LISTA(kMarcasFrio, "Termolda", "Criovenza", "Escarchel", "Compresandi")
DEMO_LISTA(kEpp, "guante de nitrilo", "guante de vaqueta", "botín de seguridad", "ropa de trabajo")
DEMO_LISTA(kDetalleEpp, "con puntera de acero", "reforzado", "ignífugo", "antiestático")
DEMO_LISTA(kMarcasEpp, "Amparelo", "Resgalvo", "Cubrenta", "Talvesco")
DEMO_LISTA(kProteccion, "matafuego ABC 5 kg", "matafuego ABC 10 kg", "matafuego CO2 3,5 kg", "arnés de seguridad",
           "detector de gases portátil")
DEMO_LISTA(kDetalleProteccion, "certificado", "uso industrial", "modelo 2026", "con soporte de pared")
DEMO_LISTA(kLlaves, "llave combinada", "llave tubo", "llave hexagonal", "pinza de fuerza", "destornillador plano",
           "destornillador en cruz")
DEMO_LISTA(kMedidasLlave, "8 mm", "10 mm", "13 mm", "17 mm", "19 mm", "24 mm", "32 mm")
DEMO_LISTA(kMarcasMano, "Forjavela", "Templadri", "Acerquino", "Herravonda", "Cromelvi")
DEMO_LISTA(kHerramientasElectricas, "taladro percutor", "amoladora angular", "atornillador inalámbrico", "sierra circular",
           "rotomartillo")
DEMO_LISTA(kPotenciasHerramienta, "650 W", "750 W", "900 W", "1200 W", "18 V", "20 V")
DEMO_LISTA(kMarcasHerramienta, "Torvandel", "Brenzola", "Maquelvo", "Fuerdana", "Impelvar")
DEMO_LISTA(kSensores, "sensor inductivo M18", "sensor inductivo M12", "sensor fotoeléctrico", "termocupla tipo K",
           "presostato digital")
DEMO_LISTA(kSalidasSensor, "PNP NA", "NPN NA", "PNP NC", "4-20 mA")
DEMO_LISTA(kMarcasAutomatizacion, "Sensilvo", "Autranda", "Lograndel", "Ampriveta", "Voldrensa")
DEMO_LISTA(kVariadores, "variador de frecuencia 0,75 kW", "variador de frecuencia 1,5 kW", "variador de frecuencia 4 kW",
           "PLC compacto 14 E/S", "fuente de alimentación 24 V 5 A", "pantalla HMI 7\"")
DEMO_LISTA(kAlimentacion, "monofásico 220 V", "trifásico 380 V", "24 Vcc")
DEMO_LISTA(kKits, "compresor 30 HP", "autoelevador", "grupo electrógeno", "aire acondicionado", "bomba centrífuga")
DEMO_LISTA(kKitsDetalle, "service 500 h", "service 1000 h", "service anual")
DEMO_LISTA(kMarcasKit, "")
#undef DEMO_LISTA

#define DEMO_L(x) x, static_cast<int>(Cuantos(x))
inline const PlantillaArticulo kPlantillas[] = {
    {"0101", "CAB", "   1", "   2", "MT", "Cable unipolar", DEMO_L(kSecciones), DEMO_L(kColoresCable), DEMO_L(kMarcasCable),
     kNinguno, false, 350, 2400, "Rollo 100 m", false, false},
    {"0102", "PRO", "   1", "   1", "UN", "Interruptor termomagnético", DEMO_L(kPolos), DEMO_L(kAmperes),
     DEMO_L(kMarcasElectricas), kNinguno, false, 9000, 85000, "Unidad", false, false},
    {"0103", "CON", "   1", "   1", "UN", "Contactor tripolar", DEMO_L(kContactores), DEMO_L(kBobinas),
     DEMO_L(kMarcasElectricas), kNinguno, false, 18000, 160000, "Unidad", true, false},
    {"0104", "LED", "   1", "   2", "UN", "Proyector LED", DEMO_L(kPotenciasLed), DEMO_L(kLuzLed), DEMO_L(kMarcasLed),
     kNinguno, false, 12000, 95000, "Caja x 1", true, false},
    {"0201", "ROD", "   2", "   1", "UN", "Rodamiento rígido de bolas", DEMO_L(kRodamientos), DEMO_L(kSellos),
     DEMO_L(kMarcasRodamiento), kNinguno, false, 4500, 120000, "Caja x 1", true, false},
    {"0202", "COR", "   2", "   1", "UN", "Correa en V", DEMO_L(kPerfiles), DEMO_L(kLargosCorrea), DEMO_L(kMarcasCorrea),
     kNinguno, false, 3800, 42000, "Unidad", false, false},
    {"0203", "BUL", "   4", "   2", "UN", "Tornillo hexagonal", DEMO_L(kMetricas), DEMO_L(kLargosTornillo),
     DEMO_L(kMarcasBulon), kNinguno, false, 90, 2600, "Caja x 50", false, false},
    {"0301", "HID", "   3", "   1", "MT", "Manguera hidráulica", DEMO_L(kDiametrosManguera), DEMO_L(kNormasManguera),
     DEMO_L(kMarcasHidraulica), kNinguno, false, 5200, 38000, "Rollo 50 m", true, false},
    {"0302", "VAL", "   3", "   1", "UN", "Válvula", DEMO_L(kValvulas), DEMO_L(kMedidasValvula),
     DEMO_L(kMarcasHidraulica), kNinguno, false, 8500, 210000, "Unidad", true, false},
    {"0401", "ACE", "   5", "   2", "LT", "Aceite", DEMO_L(kAceites), DEMO_L(kEnvasesAceite), DEMO_L(kMarcasAceite),
     kLote, false, 4200, 9800, "Bidón", false, false},
    {"0402", "GRA", "   5", "   2", "KG", "Grasa", DEMO_L(kGrasas), DEMO_L(kEnvasesGrasa), DEMO_L(kMarcasAceite), kLote,
     false, 6500, 21000, "Balde", false, false},
    {"0403", "ADH", "   5", "   2", "UN", "", DEMO_L(kAdhesivos), DEMO_L(kEnvasesAdhesivo),
     DEMO_L(kMarcasAdhesivo), kLote, true, 5200, 36000, "Unidad", true, false},
    {"0501", "GAS", "   6", "   2", "KG", "Gas refrigerante", DEMO_L(kGases), DEMO_L(kGarrafas), DEMO_L(kMarcasGas), kLote,
     false, 14000, 52000, "Garrafa", true, false},
    {"0502", "FRI", "   6", "   1", "UN", "", DEMO_L(kRepuestosFrio), DEMO_L(kMedidasFrio),
     DEMO_L(kMarcasFrio), kNinguno, false, 6200, 98000, "Unidad", true, false},
    {"0601", "EPP", "   7", "   5", "UN", "", DEMO_L(kEpp), DEMO_L(kDetalleEpp), DEMO_L(kMarcasEpp), kTalle, false,
     3500, 68000, "Par", false, false},
    {"0602", "SEG", "   7", "   2", "UN", "", DEMO_L(kProteccion), DEMO_L(kDetalleProteccion),
     DEMO_L(kMarcasEpp), kLoteYSerie, false, 4800, 95000, "Unidad", false, false},
    {"0701", "HMA", "   8", "   3", "UN", "", DEMO_L(kLlaves), DEMO_L(kMedidasLlave), DEMO_L(kMarcasMano),
     kNinguno, false, 3900, 48000, "Unidad", true, false},
    {"0702", "HEL", "   8", "   3", "UN", "", DEMO_L(kHerramientasElectricas),
     DEMO_L(kPotenciasHerramienta), DEMO_L(kMarcasHerramienta), kSerie, false, 85000, 520000, "Caja x 1", true, false},
    {"0801", "SEN", "   9", "   1", "UN", "", DEMO_L(kSensores), DEMO_L(kSalidasSensor),
     DEMO_L(kMarcasAutomatizacion), kNinguno, false, 22000, 180000, "Unidad", true, false},
    {"0802", "VAR", "   9", "   4", "UN", "", DEMO_L(kVariadores), DEMO_L(kAlimentacion),
     DEMO_L(kMarcasAutomatizacion), kSerie, false, 160000, 1450000, "Caja x 1", true, false},
    {"0204", "KIT", "   2", "   1", "UN", "Kit de mantenimiento", DEMO_L(kKits), DEMO_L(kKitsDetalle), DEMO_L(kMarcasKit),
     kNinguno, false, 45000, 380000, "Kit", false, true},
};
#undef DEMO_L

}  // namespace demo::textos
