// Demo data: work orders with their planned tasks and the tasks' additional
// data, and the technicians' daily reports on them.
#include <algorithm>

#include "demo_generador.h"

namespace demo::generador {

// ---------------------------------------------------------------------------
// Tasks of a voucher

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
      NuevasLineas(c, 0, 2, false, 4);
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

}  // namespace demo::generador
