// Loading a stored voucher into the item grids of a voucher screen: its
// tasks, its article lines and its other concepts, from the sales ("V_") or
// the purchase ("C_") tables.
//
// The voucher is read whole first (header, lines, article master rows, the
// quantities still to apply) and only then written into the grids, so a
// voucher that is not there, or a read that fails, leaves the grids as they
// were.
#include <QHash>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "platform/ado.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/moneda.h"
#include "platform/vb.h"
#include "session/busca_articulo.h"
#include "session/formato.h"
#include "session/mod_global.h"
#include "session/stuff.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/stock_unidades.h"

namespace {

// One line for a grid: its cells in the order they are written (a later
// write of a column replaces an earlier one).
using Celdas = std::vector<std::pair<int, QString>>;

bool EsNumero(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return true;
    default:
      return false;
  }
}

// A field as a cell shows it: numbers in the cells' one form, texts and
// dates without blanks around them, Null as the empty text.
QString Valor(const Field& f) {
  if (f.IsNull()) return QString();
  if (EsNumero(f.Value())) return TextoCelda(f.Value().toDouble());
  return vb::Trim(gUtil.ConvierteTexto(f.Value()));
}

// A field as a number: Null, empty or junk is 0.
double Numero(const Field& f) {
  if (f.IsNull()) return 0;
  if (EsNumero(f.Value())) return f.Value().toDouble();
  return NumeroCelda(gUtil.ConvierteTexto(f.Value()));
}

// Whether a flag field holds true (a bit, a number other than 0, or a
// text meaning yes); Null is not true.
bool Verdadero(const Field& f) {
  if (f.IsNull()) return false;
  const QVariant& v = f.Value();
  if (v.typeId() == QMetaType::Bool) return v.toBool();
  if (EsNumero(v)) return v.toDouble() != 0;
  const QString t = vb::Trim(v.toString());
  if (t.isEmpty()) return false;
  return vb::IsNumeric(t) ? vb::CDbl(t) != 0 : ConvierteBooleano(t);
}

// Flags are written "-1" (true) and "0".
QString Marca(const Field& f) { return Verdadero(f) ? QStringLiteral("-1") : QStringLiteral("0"); }
// "0" for an empty field, else the flag.
QString MarcaConValor(const Field& f) {
  return vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(f))).isEmpty() ? QStringLiteral("0") : Marca(f);
}

// An amount as the task and other-concept grids show it: the configured
// decimals.
QString Importe(const Field& f) { return FmtMoneda(TextoCelda(Numero(f)), kDecimalesConfig); }

// The complement of a sales voucher: a whole number, or a clear refusal.
qlonglong Complemento(const QString& texto) {
  const QString t = vb::Trim(texto);
  if (vb::IsNumeric(t)) {
    const double v = vb::CDbl(t);
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9e15) return static_cast<qlonglong>(v);
  }
  vb::Raise(vb::ErrTypeMismatch,
            QStringLiteral("El complemento del comprobante debe ser un número entero y se recibió \"%1\".").arg(texto),
            QStringLiteral("AsignarDatosComprobante"));
}

bool Usada(const MSFlexGrid& g, int fila) { return !vb::Trim(g.TextMatrix(fila, 0)).isEmpty(); }

// Reads every row of a recordset into lines for a grid.
template <typename F>
bool Lineas(vb::ErrorSteps& paso, Recordset& rs, std::vector<Celdas>& lineas, F&& linea) {
  for (;;) {
    bool fin = true;
    if (!paso.step([&] { fin = rs.Eof(); })) return false;
    if (fin) return true;
    Celdas c;
    if (!paso.step([&] { linea(c); })) return false;
    lineas.push_back(std::move(c));
    if (!paso.step([&] { rs.MoveNext(); })) return false;
  }
}

}  // namespace

bool ClsCmnCptes::AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                          MSFlexGrid& MSFlexGrid1, MSFlexGrid& MSFlexGrid2, MSFlexGrid& MSFlexGrid3,
                                          bool, Recordset* LrcsCpte, bool Compras, const QString& Proveedor,
                                          long* IdRepartoRM) {
  vb::ErrorSteps paso(QStringLiteral("AsignarDatosPresupuesto"));
  const bool negar = IdRepartoRM && *IdRepartoRM == -99;
  const QString tc = vb::Trim(TC);
  const QString clave = vb::Trim(SucNroLetra);
  const bool esPedido = vb::Igual(tc, QStringLiteral("NP"));
  const bool esRemitoOPedido = esPedido || vb::Igual(tc, QStringLiteral("RM"));

  // The voucher's key, bound: type at its width, key, and the complement
  // (sales) or the supplier's account (purchases).
  QVariantList clavesCpte{gUtil.FormateaCodigo(tc, 4), clave};
  QString filtro = QStringLiteral(" WHERE TC = ? AND IDCOMPROBANTE = ? AND ");
  if (Compras) {
    filtro += QStringLiteral("CUENTA = ?");
    clavesCpte << vb::Trim(Proveedor);
  } else {
    std::optional<qlonglong> complemento;
    paso.step([&] { complemento = Complemento(IdComplemento); });
    if (!complemento) return false;
    filtro += QStringLiteral("IdComplemento = ?");
    clavesCpte << *complemento;
  }
  const QString prefijo = Compras ? QStringLiteral("C_") : QStringLiteral("V_");
  const QString orden = QStringLiteral(" ORDER BY ID ");

  LecturaAgrupada lectura;
  bool parcial = true, pideReparto = true;
  if (!paso.step([&] {
        parcial = ConvierteBooleano(vb::Trim(Cfg(QStringLiteral("EntregaParcialRemito"))));
        pideReparto = ConvierteBooleano(vb::Trim(Cfg(QStringLiteral("PideNroReparto"))));
      }))
    return false;

  // The header: no voucher, nothing to load and nothing to report.
  Recordset cabecera;
  bool existe = false;
  if (!paso.step([&] {
        gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT * FROM ") + prefijo + QStringLiteral("MV_CPTE") + filtro +
                                          orden,
                                      clavesCpte, cabecera);
        existe = !cabecera.Bof();
      }))
    return false;
  if (!existe) return false;

  bool sistemaCompras = false;
  long reparto = 0;
  bool repartoPendiente = false;
  QString condicionIva;
  if (!paso.step([&] {
        sistemaCompras = vb::Igual(
            vb::Trim(gUtil.ConvierteTexto(gDatos.ObtieneValor(QStringLiteral("V_TA_CPTE"), tc, QStringLiteral("SISTEMA"),
                                                              QStringLiteral("Codigo"), 8, QString()))),
            QStringLiteral("COMPRAS"));
        const Field r = cabecera.Fields(QStringLiteral("IdReparto"));
        reparto = static_cast<long>(vb::RoundHalfEven(Numero(r)));
        repartoPendiente = !r.IsNull() && Numero(r) == -1;
        condicionIva = Valor(cabecera.Fields(QStringLiteral("CondicionIVA")));
      }))
    return false;

  // ---- tasks
  std::vector<Celdas> tareas;
  {
    Recordset rs;
    if (!paso.step([&] {
          gDatos.AbreRecordsetPreparado(
              QStringLiteral("SELECT * FROM ") + prefijo + QStringLiteral("MV_CPTETAREAS") + filtro + orden, clavesCpte,
              rs);
        }) ||
        !Lineas(paso, rs, tareas, [&](Celdas& c) {
          auto f = [&](const char* campo) { return rs.Fields(QLatin1String(campo)); };
          c = {{0, Valor(f("IdTarea"))},
               {11, Valor(f("IdTarea"))},
               {1, Valor(f("Descripcion"))},
               {2, MinutosAHoras(Numero(f("Horas")))},
               {3, Importe(f("ValorHora"))},
               {6, Importe(f("ValorHora_S_IVA"))},
               {4, Importe(f("Total"))}};
          if (!Compras)
            c.insert(c.end(), {{7, Valor(f("Descripcionadicional"))},
                               {8, Valor(f("FechaEstInicio"))},
                               {9, Valor(f("FechaEstFin"))},
                               {10, Valor(f("IdTecnico"))},
                               {12, Valor(f("FechaREALInicio"))},
                               {13, Valor(f("FechaREALFin"))}});
        }))
      return false;
    gDatos.CierraRecordset(rs);
  }

  // ---- articles
  std::vector<Celdas> articulos;
  {
    // What every line of the call shares: the letter of the voucher (read
    // when a line needs it) and the descriptions of the article types.
    std::optional<bool> letraB;
    QHash<QString, QString> tipos;
    // The rule of the quantity shown is the same for every line; what it
    // reads is read once for the voucher, by article (the first row of
    // each).
    enum { Ninguna, Pendiente, Aplicada } regla = Ninguna;
    if (!Compras && esRemitoOPedido && parcial)
      regla = repartoPendiente ? Pendiente : Aplicada;
    else if (!Compras && repartoPendiente)
      regla = Pendiente;
    QHash<QString, double> porArticulo;
    if (regla != Ninguna) {
      Recordset q;
      if (!paso.step([&] {
            if (regla == Pendiente)
              gDatos.AbreRecordsetPreparado(
                  QStringLiteral("SELECT IDARTICULO, pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE (TC = ?) "
                                 "AND IDCOMPROBANTE = ?"),
                  {tc, clave}, q);
            else
              gDatos.AbreRecordsetPreparado(
                  QStringLiteral("SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE "
                                 "(TCO_ORIGEN = 'RM' or TCO_ORIGEN = 'NP') AND IDCOMPROBANTEORIGEN = ?"),
                  {clave}, q);
            for (; !q.Eof(); q.MoveNext()) {
              const QString a = gUtil.FormateaCodigo(Valor(q.Fields(0)), 25).toUpper();
              if (!porArticulo.contains(a)) porArticulo.insert(a, Numero(q.Fields(1)));
            }
          }))
        return false;
      gDatos.CierraRecordset(q);
    }
    Recordset rs;
    if (!paso.step([&] {
          gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT * FROM ") + prefijo + QStringLiteral("MV_CPTEINSUMOS") +
                                            filtro + (esPedido ? QStringLiteral(" ORDER BY PALLETS ") : orden),
                                        clavesCpte, rs);
        }) ||
        !Lineas(paso, rs, articulos, [&](Celdas& c) {
          auto f = [&](const char* campo) { return rs.Fields(QLatin1String(campo)); };
          const QString art = gUtil.FormateaCodigo(Valor(f("IdArticulo")), 25);
          const double cantidad = Numero(f("Cantidad"));

          // The quantity already applied: what was delivered from this note
          // or order, or all but what its delivery run still has pending.
          double aplicada = 0;
          if (regla == Pendiente) {
            const auto p = porArticulo.constFind(art.toUpper());
            aplicada = p == porArticulo.cend() ? cantidad : cantidad - *p;
          } else if (regla == Aplicada) {
            aplicada = porArticulo.value(art.toUpper(), 0.0);
          }
          const double resto = cantidad - aplicada;

          c = {{0, Valor(f("IdArticulo"))},
               {1, Valor(f("Descripcion"))},
               {3, Valor(f("IdUnidad"))},
               {63, Valor(f("IdUnidad"))},
               {5, TextoCelda(negar ? -resto : resto)}};
          if (pideReparto && !sistemaCompras) c.insert(c.end(), {{6, Valor(f("IdUnidadBase"))}, {7, Valor(f("CantidadUD"))}});
          c.push_back({9, Valor(f("Importe"))});
          const Field exento = f("Exento");
          if (!exento.IsNull() && !Verdadero(exento)) {
            if (!letraB)
              letraB = ObtieneLetraComprobante(Cfg(QStringLiteral("CONDIVA")), condicionIva) == QLatin1String("B");
            if (*letraB) c.push_back({22, Valor(f("Importe"))});
          }
          if (!sistemaCompras) c.push_back({8, Valor(f("PorcDto"))});

          // The article's own data, when the master knows it.
          QString codigo = art;
          Recordset m;
          if (BuscaArticuloPorCodigo(codigo, m, true, false)) {
            auto a = [&](const char* campo) { return m.Fields(QLatin1String(campo)); };
            const QString tipo = Valor(a("IdTipo"));
            auto t = tipos.find(tipo.toUpper());
            if (t == tipos.end())
              t = tipos.insert(tipo.toUpper(), vb::Trim(gUtil.ConvierteTexto(gDatos.ObtieneValor(
                                                   QStringLiteral("V_TA_TipoArticulo"), tipo,
                                                   QStringLiteral("Descripcion"), QStringLiteral("IdTipo"), 8, QString()))));
            const Field talle = a("UsaTalle");
            c.insert(c.end(), {{55, *t},
                               {56, Valor(a("Presentacion"))},
                               {11, Marca(a("Exento"))},
                               {14, MarcaConValor(a("UsaSerie"))},
                               {15, MarcaConValor(a("UsaLote"))},
                               {42, MarcaConValor(a("Perecedero"))},
                               {26, QStringLiteral("1")},
                               {25, QStringLiteral("*")},
                               {57, talle.IsNull() ? QStringLiteral("0") : Marca(talle)},
                               {72, Marca(a("pesable"))},
                               {73, Valor(a("CodigoBarra"))},
                               // Type and rubro, for the summary's breakdown.
                               {19, tipo},
                               {20, Valor(a("IdRubro"))}});
          }
          gDatos.CierraRecordset(m);

          const Field equivalencia = f("EQUIV_UDBASE");
          const Field unidadBase = f("IdUnidadBase");
          c.push_back({26, equivalencia.IsNull() ? QStringLiteral("1") : Valor(equivalencia)});
          c.push_back({37, unidadBase.IsNull() ? Valor(f("IdUnidad")) : Valor(unidadBase)});
          if (!f("Presentacion").IsNull()) c.push_back({56, Valor(f("Presentacion"))});
          c.insert(c.end(), {{34, Valor(f("Costo"))},
                             {12, Valor(f("Importe_S_IVA"))},
                             {36, Valor(f("Impuestos"))},
                             {10, Valor(f("Total"))}});
          if (!esPedido)
            c.insert(c.end(), {{16, Valor(f("Nro_Lote"))},
                               {17, Valor(f("Nro_Serie"))},
                               {33, Valor(f("CONTROLADOPOR"))},
                               {32, Valor(f("IdOrigen"))}});
          c.push_back({11, Marca(exento)});
          if (!sistemaCompras) c.push_back({29, Valor(f("AlicIVA"))});
          if (sistemaCompras && !f("Precio_Lista").IsNull()) c.push_back({75, Valor(f("Precio_Lista"))});
          // The total with the taxes of every unit.
          const vb::Moneda total = vb::Moneda::DesdeDoble(Numero(f("Total")));
          const vb::Moneda impuestos = vb::Moneda::DesdeDoble(Numero(f("Impuestos")));
          const double cantidadFila = NumeroCelda(TextoCelda(negar ? -resto : resto));
          c.push_back({13, TextoCelda(vb::Moneda::DesdeDoble(total.ADoble() + impuestos.ADoble() * cantidadFila).ADoble())});
          c.push_back({18, TextoCelda(resto)});
          c.push_back({65, clave});
        }))
      return false;
    gDatos.CierraRecordset(rs);
  }

  // ---- other concepts
  std::vector<Celdas> otros;
  {
    Recordset rs;
    if (!paso.step([&] {
          gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT * FROM ") + prefijo + QStringLiteral("MV_CPTE_Observ") +
                                            filtro + QStringLiteral(" AND TIPO_OBS ='OC' ") + orden,
                                        clavesCpte, rs);
        }) ||
        !Lineas(paso, rs, otros, [&](Celdas& c) {
          c = {{0, Valor(rs.Fields(QStringLiteral("Observacion")))},
               {2, Importe(rs.Fields(QStringLiteral("Importe")))},
               {1, Importe(rs.Fields(QStringLiteral("Importe_S_IVA")))}};
        }))
      return false;
    gDatos.CierraRecordset(rs);
  }

  // ---- into the grids
  if (IdRepartoRM && !sistemaCompras) *IdRepartoRM = reparto;
  // Each grid's lines start at its last row (below it when that row is
  // used) and leave one empty row at the bottom.
  auto escribe = [&](MSFlexGrid& g, const std::vector<Celdas>& lineas, bool medidas) {
    if (lineas.empty()) return true;
    int primera = 0;
    if (!paso.step([&] {
          primera = g.Rows() - 1;
          if (primera < 1 || Usada(g, primera)) primera = std::max(g.Rows(), 1);
          g.SetRows(primera + static_cast<int>(lineas.size()) + 1);
        }))
      return false;
    for (size_t i = 0; i < lineas.size(); ++i) {
      const int r = primera + static_cast<int>(i);
      if (!paso.step([&] {
            for (const auto& [columna, texto] : lineas[i]) g.SetTextMatrix(r, columna, texto);
            if (!medidas) return;
            g.SetRow(r);
            CalculaCantidadEquivalenteFila(g);
          }))
        return false;
    }
    return true;
  };
  if (!escribe(MSFlexGrid1, tareas, false) || !escribe(MSFlexGrid2, articulos, true) ||
      !escribe(MSFlexGrid3, otros, false))
    return false;
  if (LrcsCpte) *LrcsCpte = cabecera;
  return true;
}
