#include "session/frm_menus.h"

#include "platform/interaccion.h"
#include "platform/vb.h"

namespace {

// How an item's Click answers.
enum class Familia { Palabra, PalabraYSalir, TildeYPalabra, PorTag, PorCaptionYSalir, SinPalabra };

struct Item {
  const char* nombre;
  const char* caption;
  const char* palabra;
  Familia familia = Familia::Palabra;
  bool visible = true;
  bool marcado = false;
};

constexpr Familia P = Familia::Palabra;
constexpr Familia S = Familia::PalabraYSalir;
constexpr Familia N = Familia::SinPalabra;

}  // namespace

FrmMenus::FrmMenus() : Form(QStringLiteral("FrmMenus")) {
  auto click = [this](Familia f, QString palabra) -> std::function<void(MenuItem&)> {
    switch (f) {
      case Familia::Palabra: return [this, palabra](MenuItem&) { PRespuesta = palabra; };
      case Familia::PalabraYSalir:
        return [this, palabra](MenuItem&) {
          PRespuesta = palabra;
          Salir();
        };
      case Familia::TildeYPalabra:
        return [this, palabra](MenuItem& i) {
          i.Checked = true;
          PRespuesta = palabra;
        };
      case Familia::PorTag: return [this](MenuItem& i) { PRespuesta = i.Tag; };
      case Familia::PorCaptionYSalir:
        return [this](MenuItem& i) {
          PRespuesta = vb::Trim(i.Caption);
          Salir();
        };
      case Familia::SinPalabra: return {};
    }
    return {};
  };
  auto llena = [&](Menu* m, std::initializer_list<Item> items) {
    for (const Item& it : items) {
      MenuItem& nuevo = m->Agrega(QString::fromUtf8(it.nombre), QString::fromUtf8(it.caption),
                                  click(it.familia, QString::fromUtf8(it.palabra ? it.palabra : "")));
      nuevo.Visible = it.visible;
      nuevo.Checked = it.marcado;
      if (it.familia == Familia::PorTag || it.familia == Familia::PorCaptionYSalir) nuevo.Index = 0;
    }
  };
  const Item sep{"", "-", nullptr, N};
  auto separador = [](const char* nombre) { return Item{nombre, "-", nullptr, N}; };

  mnu_Emergente = NuevoMenu("mnu_Emergente", "Emergente");
  llena(mnu_Emergente, {{"mnu_Emergente_Eliminar", "Eliminar", "Eliminar", S}, separador("mnu_Emergente_Sep1"),
                        {"mnu_Emergente_Ejecutar", "Ejecutar", "Ejecutar", S}, separador("mnu_Emergente_Sep2"),
                        {"mnu_Emergente_Cancelar", "Cancelar", "", S}});

  MNU_EmergenteII = NuevoMenu("MNU_EmergenteII", "EmergenteII");
  llena(MNU_EmergenteII, {{"MNU_EmergenteII_Consultar", "Consultar - Visualizar", "Consultar", S},
                          separador("MNU_EmergenteII_Sep1"),
                          {"MNU_EmergenteII_Reimprimir", "Reimprimir", "Reimprimir", S},
                          separador("MNU_EmergenteII_Sep2"),
                          {"MNU_EmergenteII_Cancelar", "Cancelar", "", S}});

  MNU_EmergenteIII = NuevoMenu("MNU_EmergenteIII", "EmergenteIII");
  llena(MNU_EmergenteIII, {{"MNU_EmergenteIII_Tecnicos", "(Tecnico)", "", Familia::PorCaptionYSalir},
                           separador("MNU_EmergenteIII_Sep1"),
                           {"MNU_EmergenteIII_Cancelar", "Cancelar", "", S}});

  MNU_EmergenteIV = NuevoMenu("MNU_EmergenteIV", "EmergenteIV");
  llena(MNU_EmergenteIV, {{"MNU_EmergenteIV_EditarSolicitud", "&Editar Solicitud", "EditarSolicitud"},
                          separador("MNU_EmergenteIV_Sep1"),
                          {"MNU_EmergenteIV_Cancelar", "&Cancelar", nullptr, N}});

  MNU_EmergenteV = NuevoMenu("MNU_EmergenteV", "EmergenteV");
  llena(MNU_EmergenteV, {{"Mnu_EmergenteV_Citar", "&Citar", "Citar"}, separador("Mnu_EmergenteV_Sep1"),
                         {"Mnu_EmergenteV_SeleccionarTodo", "&Seleccionar Todo", "seleccionar_todas"},
                         {"Mnu_EmergenteV_QuitarTodo", "&Quitar Todo", "deseleccionar_todas"},
                         separador("Mnu_EmergenteV_Sep2"),
                         {"Mnu_EmergenteV_EditarPostulante", "&Editar Ficha del Postulante", "Editar_Postulante"},
                         separador("Mnu_EmergenteV_Sep3"),
                         {"Mnu_EmergenteV_EliminarResultado", "Eliminar Resultado Busqueda", "EliminarResultadoBusqueda"},
                         separador("Mnu_EmergenteV_Sep4"),
                         {"Mnu_EmergenteV_Cancelar", "&Cancelar", ""}});

  MNU_EmergenteVI = NuevoMenu("MNU_EmergenteVI", "EmergenteVI");
  llena(MNU_EmergenteVI, {{"MNU_EmergenteVIAprobar", "Aprobar", "Aprobar", Familia::TildeYPalabra, true, true},
                          {"MNU_EmergenteVI_CitarEvaluar", "Citar para &Evaluación", "CitarEvaluar"},
                          separador("MNU_EmergenteVI_Sep1"),
                          {"MNU_EmergenteVI_AnularActual", "Anular para la Búsqueda Actual", "AnularActual"},
                          {"MNU_EmergenteVI_AnularTodas", "Anular para Todas las Búsquedas", "AnularTodas"},
                          separador("MNU_EmergenteVI_Sep2"),
                          {"MNU_EmergenteVI_EditaFicha", "Editar la Ficha del Postulante", "EditaFichaPostulante"},
                          separador("MNU_EmergenteVI_Sep3"),
                          {"MNU_EmergenteVI_Cancelar", "Cancelar", nullptr, N}});

  MNU_EmergenteVII = NuevoMenu("MNU_EmergenteVII", "EmergenteVII");
  llena(MNU_EmergenteVII, {{"MNU_EmergenteVII_Presentar", "Presentar al Cliente", "PresentarAlCliente"},
                           {"MNU_EmergenteVII_Contratar", "Contratar", "Contratar", Familia::TildeYPalabra, true, true},
                           separador("MNU_EmergenteVII_Sep1"),
                           {"MNU_EmergenteVII_AnularActual", "Descartar para esta Búsqueda", "AnularActual"},
                           {"MNU_EmergenteVII_AnularTodas", "Descartar para Todas las Búsquedas", "AnularTodas"},
                           separador("MNU_EmergenteVII_Sep2"),
                           {"MNU_EmergenteVII_VerEntrevistas", "Ver Entrevistas", "VerEntrevistas"},
                           {"MNU_EmergenteVII_VerEvaluaciones", "Ver Evaluaciones", "VerEvaluaciones"},
                           {"MNU_EmergenteVII_VerAmbas", "Ver Entrevistas y Evaluaciones", "VerEntrevistasEvaluaciones"},
                           separador("MNU_EmergenteVII_Sep3"),
                           {"MNU_EmergenteVII_Cancelar", "Cancelar", nullptr, N}});

  MNU_EmergenteVIII = NuevoMenu("MNU_EmergenteVIII", "EmergenteVIII");
  llena(MNU_EmergenteVIII, {{"MNU_EmergenteVIII_Buscar", "Buscar el Archivo", "Buscar"}, separador("MNU_EmergenteVIII_Sep1"),
                            {"MNU_EmergenteVIII_Abrir", "Abrir el Archivo", "Abrir"}, separador("MNU_EmergenteVIII_Sep2"),
                            {"MNU_EmergenteVIII_Cancelar", "Cancelar", ""}});

  MNU_EmergenteIX = NuevoMenu("MNU_EmergenteIX", "EmergenteIX");
  llena(MNU_EmergenteIX, {{"MNU_EmergenteIX_EliminarEntrevista", "Eliminar Entrevista", "EliminarEntrevista"},
                          {"MNU_EmergenteIX_EliminarEvaluacion", "Eliminar Evaluación", "EliminarEvaluacion"},
                          separador("MNU_EmergenteIX_Sep1"),
                          {"MNU_EmergenteIX_Cancelar", "Cancelar", ""}});

  mnu_EmergenteX = NuevoMenu("mnu_EmergenteX", "EmergenteX");
  llena(mnu_EmergenteX, {{"mnu_EmergenteX_Eliminar", "Eliminar", "Eliminar"}, separador("mnu_EmergenteX_Sep1"),
                         {"mnu_EmergenteX_Cancelar", "Cancelar", nullptr, N}});

  MNU_EmergenteXI = NuevoMenu("MNU_EmergenteXI", "EmergenteXI");
  {
    MenuItem& eliminar = MNU_EmergenteXI->Agrega("MNU_EmergenteXI_EliminarMenu", "Eliminar Menu");
    llena(&eliminar, {{"MNU_EmergenteXIMenu", "(Menu)", "", Familia::PorTag}});
    llena(MNU_EmergenteXI, {separador("MNU_EmergenteXI_Sep1"),
                            {"MNU_EmergenteXI_EliminarTodos", "Eliminar todos los menús", "EliminarTodos"},
                            separador("MNU_EmergenteXI_Sep2"),
                            {"MNU_EmergenteXI_Cancelar", "Cancelar", ""}});
  }

  MNU_EmergenteXII = NuevoMenu("MNU_EmergenteXII", "EmergenteXII");
  llena(MNU_EmergenteXII, {{"EmergenteXII_EditarOrden", "Editar Orden", "EditarOrden"},
                           {"EmergenteXII_FinalizarOrden", "Finalizar Orden", "FinalizarOrden"},
                           separador("EmergenteXII_Sep1"),
                           {"EmergenteXII_NuevaOrden", "Nueva Orden", "NuevaOrden"},
                           {"EmergenteXII_CargarTarea", "Cargar Tarea", "CargarTareasDiarias"},
                           separador("EmergenteXII_Sep2"),
                           {"EmergenteXII_Cancelar", "Cancelar", ""}});

  MNU_EmergenteXIII = NuevoMenu("MNU_EmergenteXIII", "EmergenteXIII");
  {
    MenuItem& campos = MNU_EmergenteXIII->Agrega("Mnu_Campos", "Campos");
    llena(&campos, {{"Mnu_Campo", "...", "", Familia::PorTag}});
    MenuItem& operadores = MNU_EmergenteXIII->Agrega("MNU_Operadores", "Operadores");
    llena(&operadores, {{"MNU_Operador", "...", "", Familia::PorTag}});
    MenuItem& logicos = MNU_EmergenteXIII->Agrega("MNU_OperadoresLogicos", "Operadores Lógicos");
    llena(&logicos, {{"MNU_OperadorLogico", "...", "", Familia::PorTag}});
    llena(MNU_EmergenteXIII, {separador("MNU_EmergenteXIII_Sep1"), {"MNU_EmergenteXIII_Cancelar", "Cancelar", ""}});
  }

  MNU_EmergenteXIV = NuevoMenu("MNU_EmergenteXIV", "EmergenteXIV");
  llena(MNU_EmergenteXIV, {{"MNU_EmergenteXIV_Agenda", "Abrir Agenda", "Agenda"},
                           {"MNU_EmergenteXIV_Propiedades", "Propiedades del Monitor", "Propiedades"},
                           {"MNU_EmergenteXIV_Sistema", "Información del Sistema", "Sistema"},
                           {"MNU_EmergenteXIV_Red", "Información de Red", "Red"},
                           {"MNU_EmergenteXIV_BrelvixUpdate", "Brelvix Update", "BrelvixUpdate"},
                           {"MNU_EmergenteXIV_Apagar", "Apagar el Monitor", "Apagar"},
                           separador("MNU_EmergenteXIV_Sep1"),
                           {"MNU_EmergenteXIV_Cancelar", "Cancelar", nullptr, N}});

  MNU_EmergenteXV = NuevoMenu("MNU_EmergenteXV", "EmergenteXV");
  {
    MenuItem& vistas = MNU_EmergenteXV->Agrega("MNU_EmergenteXV_Vistas", "Vistas");
    llena(&vistas, {{"MNU_EmergenteXV_Iconos", "Icono", "Iconos"},
                    {"MNU_EmergenteXV_IconosPequenos", "Iconos Pequeños", "IconosPequeños"},
                    {"MNU_EmergenteXV_Lista", "Lista", "Lista"},
                    {"MNU_EmergenteXV_Reporte", "Reporte", "Reporte"}});
  }

  MNU_Emergente_XVI = NuevoMenu("MNU_Emergente_XVI", "Emergente_XVI");
  {
    llena(MNU_Emergente_XVI, {{"MNU_Emergente_XVI_Insertar", "Insertar Nueva Ventana Personalizada", "Insertar"},
                              separador("MNU_Emergente_XVI_Sep1")});
    MenuItem& elimina = MNU_Emergente_XVI->Agrega("MNU_EliminaVentanaPersonalizada", "Eliminar Ventana Personalizada");
    llena(&elimina, {{"MNU_VentanaPersonalizada", "(Vacio...)", "", Familia::PorTag}});
    llena(MNU_Emergente_XVI, {{"MNU_Emergente_XVI_Cancelar", "Cancelar", ""}});
  }

  MNU_Emergente_XV = NuevoMenu("MNU_Emergente_XV", "Emergente_XV");
  llena(MNU_Emergente_XV, {{"MNU_Emergente_XV_VerDetalle", "Ver Detalle", "VerDetalle"},
                           {"MNU_Emergente_XV_acasad", "-", nullptr, N, false},
                           {"MNU_Emergente_XV_VerAsiento", "Ver Asiento", "VerAsiento", P, false},
                           separador("MNU_Emergente_XV_VerDetalleacasad"),
                           {"MNU_Emergente_XV_Cancelar", "Cancelar", ""}});

  MNU_EmergenteXViIIi = NuevoMenu("MNU_EmergenteXViIIi", "EmergenteXVIII");
  llena(MNU_EmergenteXViIIi, {{"MNU_EmergenteXViIIi_Default", "Establecer como Predeterminada", "EstablecerDefault"},
                              separador("MNU_EmergenteXViIIi_Sep1"),
                              {"MNU_EmergenteXViIIi_Cancelar", "Cancelar", nullptr, N}});

  MNU_EmergenteXXV = NuevoMenu("MNU_EmergenteXXV", "EmergenteXXV");
  llena(MNU_EmergenteXXV, {{"MNU_EmergenteXXV_Depositar", "Depositar Cheques", "Depositar"}, separador("MNU_EmergenteXXV_Sep1"),
                           {"MNU_EmergenteXXV_Cancelar", "Cancelar", ""}});

  MNU_EmergenteXXVI = NuevoMenu("MNU_EmergenteXXVI", "EmergenteXXVI");
  llena(MNU_EmergenteXXVI, {{"MNU_EmergenteXXVI_Editar", "Editar", "Editar"}, separador("MNU_EmergenteXXVI_Sep1"),
                            {"MNU_EmergenteXXVI_Cancelar", "Cancelar", "Cancelar"}});

  MNU_EmergenteXXVIII = NuevoMenu("MNU_EmergenteXXVIII", "EmergenteXXVIII");
  llena(MNU_EmergenteXXVIII, {{"MNU_EmergenteXXVIICambiaImporte", "Aplicar", "CambiarImporte"},
                              separador("MNU_EmergenteXXVII"),
                              {"MNU_EmergenteXXVIICancelar", "Cancelar", ""}});

  MNU_EmergenteXXIX = NuevoMenu("MNU_EmergenteXXIX", "EmergenteXXIX");
  llena(MNU_EmergenteXXIX, {{"MNU_EmergenteXXIX_Reimprimir", "Reimprimir", "Reimprimir"},
                            {"MNU_EmergenteXXIX_EditarParte", "Ver Parte de Consumo", "EditarParte"},
                            separador("MNU_EmergenteXXIX_Sep1"),
                            {"MNU_EmergenteXXIX_Cancelar", "Cancelar", ""}});

  mnu_EmergenteXXXI = NuevoMenu("mnu_EmergenteXXXI", "EmergenteXXXI");
  llena(mnu_EmergenteXXXI, {{"mnu_EmergenteXXXI_VerAsiento", "&Ver Asiento", nullptr, N},
                            {"mnu_EmergenteXXXI_Rechazar", "&Rechazar", nullptr, N},
                            separador("mnu_EmergenteXXXI_Sep1"),
                            {"mnu_EmergenteXXXI_Cancelar", "&Cancelar", nullptr, N}});

  mnu_EmergenteXXX = NuevoMenu("mnu_EmergenteXXX", "EmergenteXXX");
  llena(mnu_EmergenteXXX, {{"mnu_EmergenteXXX_Cambiar", "Cambiar Importe", "cambiar"}, separador("mnu_EmergenteXXX_Sep1"),
                           {"mnu_EmergenteXXX_Cancelar", "Cancelar", nullptr, N}});

  mnu_emergenteXXXII = NuevoMenu("mnu_emergenteXXXII", "EmergenteXXXII");
  llena(mnu_emergenteXXXII, {{"mnu_emergenteXXXII_Finalizar", "&Finalizar Nota de Pedido", "NP_Finalizar"},
                             {"mnu_emergenteXXXII_Nueva", "&Nueva Nota de Pedido", "NP_Nueva"},
                             separador("mnu_emergenteXXXII_Sep1"),
                             {"mnu_emergenteXXXII_Cancelar", "&Cancelar", "NP_Cancelar"}});

  mnu_emergenteXXXIII = NuevoMenu("mnu_emergenteXXXIII", "EmergenteXXXIII");
  llena(mnu_emergenteXXXIII, {{"mnu_emergenteXXXIII_Finalizar", "&Finalizar Tarea (Completada)", "FinalizarTarea"},
                              {"mnu_emergenteXXXIII_Insertar", "&Insertar Tarea", "Insertar"},
                              {"mnu_emergenteXXXIII_Editar", "&Editar Tarea Original", "Editar"},
                              {"mnu_emergenteXXXIII_Usuario", "Cambiar &Técnico", "CambiaTecnico"},
                              {"mnu_emergenteXXXIII_Imprimir", "&Imprimir Tarea", "Imprimir"},
                              separador("mnu_emergenteXXXIII_Sep1"),
                              {"mnu_emergenteXXXIII_CargarTarea", "Cargar &Tarea", "CargarTareasDiarias"},
                              separador("mnu_emergenteXXXIII_Sep2"),
                              {"mnu_emergenteXXXIII_Cancelar", "&Cancelar", nullptr, N}});

  mnu_EmergenteXXXIV = NuevoMenu("mnu_EmergenteXXXIV", "EmergenteXXXIV");
  llena(mnu_EmergenteXXXIV, {{"mnu_EmergenteXXXIV_Sustituto", "&Cargar Artículo Sustituto", "ArtSustituto"},
                             separador("mnu_EmergenteXXXIV_Sep1"),
                             {"mnu_EmergenteXXXIV_Cancelar", "Cancelar", ""}});

  mnu_EmergenteXXXIIV = NuevoMenu("mnu_EmergenteXXXIIV", "EmergenteXXXIIV");
  llena(mnu_EmergenteXXXIIV, {{"mnu_EmergenteXXXIIV_Nuevo", "&Nueva Novedad", "Nuevo"},
                              {"mnu_EmergenteXXXIIV_Edit", "&Editar Novedad", "Edit"},
                              separador("mnu_EmergenteXXXIIV_Sep1"),
                              {"mnu_EmergenteXXXIIV_Cancelar", "&Cancelar", ""}});
  Q_UNUSED(sep);
}

FrmMenus& FrmMenus::Instancia() {
  FrmMenus& f = Global();
  f.Load();
  return f;
}

Menu* FrmMenus::NuevoMenu(const QString& nombre, const QString& caption) {
  menus_.push_back(std::make_unique<Menu>(nombre, caption));
  return menus_.back().get();
}

void FrmMenus::Form_Load() { PRespuesta.clear(); }

void FrmMenus::Salir() { Hide(); }

QString FrmMenus::Muestra(QWidget* dueno, Menu& menu) {
  PRespuesta.clear();
  Interaccion::Actual().PopupMenu(dueno, menu);
  return PRespuesta;
}

MenuItem& FrmMenus::CargaElemento(const QString& arreglo, int indice) {
  // Finds the array's parent and its last element.
  std::function<MenuItem*(MenuItem&)> padreDe = [&](MenuItem& m) -> MenuItem* {
    for (auto& i : m.Items()) {
      if (vb::Igual(i->Name, arreglo) && i->Index >= 0) return &m;
      if (MenuItem* p = padreDe(*i)) return p;
    }
    return nullptr;
  };
  for (auto& m : menus_) {
    MenuItem* padre = padreDe(*m);
    if (!padre) continue;
    auto& items = padre->Items();
    size_t ultimo = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      if (!vb::Igual(items[i]->Name, arreglo)) continue;
      if (items[i]->Index == indice)
        vb::Raise(360, QStringLiteral("El elemento %1 de %2 ya está cargado").arg(indice).arg(arreglo));
      ultimo = i;
    }
    auto nuevo = std::make_unique<MenuItem>(items[ultimo]->Name, QString());
    nuevo->Index = indice;
    nuevo->Click = items[ultimo]->Click;
    MenuItem& ref = *nuevo;
    items.insert(items.begin() + static_cast<long>(ultimo) + 1, std::move(nuevo));
    return ref;
  }
  vb::Raise(340, QStringLiteral("No existe la matriz de menús %1").arg(arreglo));
}
