// Loading a stored voucher into the item grids of a voucher screen: its
// tasks, its article lines and its other concepts, from the sales ("V_") or
// the purchase ("C_") tables.
//
// The voucher is read whole first (header, lines, article master rows, the
// quantities still to apply, the unit equivalences of its articles) and only
// then written into the grids, so a voucher that is not there, or a read
// that fails, leaves the grids as they were.
//
// On a server every statement is a round trip, so a load reads each kind of
// thing in a few statements, whatever the number of lines: the master rows
// (by article code, then by bar code), the descriptions of their types and
// the equivalences of all the voucher's articles, a statement per few
// hundred codes; nothing of it is kept beyond the load.
#include <QHash>
#include <QSet>
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
#include "vouchers/columnas_cptes.h"
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

// Amounts as every grid of the load shows them: FmtMoneda's form at the
// configured decimals (the locale's decimal separator, no grouping), reached
// without a text round trip per cell. The amount is taken to four decimals
// half away from zero, as the currency type keeps it, then to the shown
// decimals with ties to the even digit, as FmtMoneda rounds.
class FormatoImporte {
 public:
  // Reads the configured number of decimals once.
  void Lee() { decimales_ = DecimalesMoneda(kDecimalesConfig); }
  QString operator()(double importe) const { return TextoMoneda(vb::Moneda::DesdeDoble(importe), decimales_); }

 private:
  int decimales_ = 2;
};

bool Usada(const MSFlexGrid& g, int fila) { return !vb::Trim(g.TextMatrix(fila, ColGrillas::kCodigo)).isEmpty(); }

// Reads every row of a recordset into lines for a grid.
template <typename T, typename F>
bool Lineas(vb::ErrorSteps& paso, Recordset& rs, std::vector<T>& lineas, F&& linea) {
  for (;;) {
    bool fin = true;
    if (!paso.step([&] { fin = rs.Eof(); })) return false;
    if (fin) return true;
    T l;
    if (!paso.step([&] { linea(l); })) return false;
    lineas.push_back(std::move(l));
    if (!paso.step([&] { rs.MoveNext(); })) return false;
  }
}

// An article line as read, before the quantity it shows is known.
struct LineaArticulo {
  Celdas celdas;
  size_t maestro = 0;  // where the cells of the article master go among them
  QString codigo;      // the code at its width, as it is looked up
  QString articulo;    // the code at its width, letter case folded: the key of its applied quantity
  double cantidad = 0;
  double total = 0;
  double impuestos = 0;
};

// What an article's master row gives its lines: their cells, the first
// being the description of the article's type, and that type as the row
// holds it (trimmed), by which the description is read.
struct MaestroLeido {
  Celdas celdas;
  QString tipo;
};

// Which quantity an article line shows: the stored one, what its delivery
// run still has pending, or what was not yet applied from it.
enum class Regla { Ninguna, Pendiente, Aplicada };

// One load of a stored voucher: its key, the settings it is read under, its
// header, and the lines of each grid read before any is written.
class Carga {
 public:
  Carga(vb::ErrorSteps& paso, const QString& TC, const QString& SucNroLetra, bool Compras, bool negar)
      : paso_(paso),
        tc_(vb::Trim(TC)),
        clave_(vb::Trim(SucNroLetra)),
        compras_(Compras),
        negar_(negar),
        esPedido_(vb::Igual(tc_, QStringLiteral("NP"))),
        prefijo_(Compras ? QStringLiteral("C_") : QStringLiteral("V_")) {}

  bool Clave(const QString& IdComplemento, const QString& Proveedor);
  bool Ajustes();
  bool Cabecera(bool& existe);
  bool Tareas(std::vector<Celdas>& lineas);
  bool Articulos(std::vector<Celdas>& lineas, EquivalenciasLeidas& equivalencias);
  bool OtrosConceptos(std::vector<Celdas>& lineas);
  bool Escribe(MSFlexGrid& g, const std::vector<Celdas>& lineas, bool medidas);

  Recordset cabecera;
  bool sistemaCompras = false;
  long reparto = 0;

 private:
  // Opens the rows of one of the voucher's tables, its key bound.
  void Abre(const QString& tabla, const QString& resto, Recordset& rs) {
    gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT * FROM ") + prefijo_ + tabla + filtro_ + resto, claves_, rs);
  }
  Regla ReglaDeCantidad() const;
  bool LeeAplicadas(Regla regla, QHash<QString, double>& porArticulo);
  void LineaDeArticulo(Recordset& rs, LineaArticulo& l);
  bool Maestros(const QStringList& articulos, std::vector<LineaArticulo>& lineas, EquivalenciasLeidas& equivalencias);
  static MaestroLeido Maestro(const Recordset& m);
  bool Tipos(const std::vector<LineaArticulo>& lineas, QHash<QString, MaestroLeido>& porClave);
  void Cantidades(Regla regla, const QHash<QString, double>& porArticulo, std::vector<LineaArticulo>& lineas) const;

  vb::ErrorSteps& paso_;
  const QString tc_;
  const QString clave_;
  const bool compras_;
  const bool negar_;
  const bool esPedido_;
  const QString prefijo_;
  QString filtro_;
  QVariantList claves_;
  bool parcial_ = true;
  bool pideReparto_ = true;
  bool repartoPendiente_ = false;
  QString condicionIva_;
  // What every article line shares: the letter of the voucher (read when a
  // line needs it).
  std::optional<bool> letraB_;
  FormatoImporte importe_;
};

// ---- the voucher's key and settings

// The voucher's key, bound: type at its width, key, and the complement
// (sales) or the supplier's account (purchases).
bool Carga::Clave(const QString& IdComplemento, const QString& Proveedor) {
  claves_ = {gUtil.FormateaCodigo(tc_, 4), clave_};
  filtro_ = QStringLiteral(" WHERE TC = ? AND IDCOMPROBANTE = ? AND ");
  if (compras_) {
    filtro_ += QStringLiteral("CUENTA = ?");
    claves_ << vb::Trim(Proveedor);
    return true;
  }
  std::optional<qlonglong> complemento;
  paso_.step([&] { complemento = Complemento(IdComplemento); });
  if (!complemento) return false;
  filtro_ += QStringLiteral("IdComplemento = ?");
  claves_ << *complemento;
  return true;
}

bool Carga::Ajustes() {
  return paso_.step([&] {
    parcial_ = ConvierteBooleano(vb::Trim(Cfg(QStringLiteral("EntregaParcialRemito"))));
    pideReparto_ = ConvierteBooleano(vb::Trim(Cfg(QStringLiteral("PideNroReparto"))));
    importe_.Lee();
  });
}

// ---- header: whether the voucher is there, its system, run and VAT category

bool Carga::Cabecera(bool& existe) {
  existe = false;
  if (!paso_.step([&] {
        Abre(QStringLiteral("MV_CPTE"), QStringLiteral(" ORDER BY ID "), cabecera);
        existe = !cabecera.Bof();
      }))
    return false;
  if (!existe) return true;
  return paso_.step([&] {
    sistemaCompras = vb::Igual(
        vb::Trim(gUtil.ConvierteTexto(gDatos.ObtieneValor(QStringLiteral("V_TA_CPTE"), tc_, QStringLiteral("SISTEMA"),
                                                          QStringLiteral("Codigo"), 8, QString()))),
        QStringLiteral("COMPRAS"));
    const Field r = cabecera.Fields(QStringLiteral("IdReparto"));
    reparto = static_cast<long>(vb::RoundHalfEven(Numero(r)));
    repartoPendiente_ = !r.IsNull() && Numero(r) == -1;
    condicionIva_ = Valor(cabecera.Fields(QStringLiteral("CondicionIVA")));
  });
}

// ---- task grid

bool Carga::Tareas(std::vector<Celdas>& lineas) {
  Recordset rs;
  if (!paso_.step([&] { Abre(QStringLiteral("MV_CPTETAREAS"), QStringLiteral(" ORDER BY ID "), rs); }) ||
      !Lineas(paso_, rs, lineas, [&](Celdas& c) {
        auto f = [&](const char* campo) { return rs.Fields(QLatin1String(campo)); };
        using namespace ColTareas;
        c = {{kCodigo, Valor(f("IdTarea"))},
             {kCodigoOriginal, Valor(f("IdTarea"))},
             {kDescripcion, Valor(f("Descripcion"))},
             {kHoras, MinutosAHoras(Numero(f("Horas")))},
             {kValorHora, importe_(Numero(f("ValorHora")))},
             {kImporteSinIva, importe_(Numero(f("ValorHora_S_IVA")))},
             {kTotal, importe_(Numero(f("Total")))}};
        if (!compras_)
          c.insert(c.end(), {{kObservAdic, Valor(f("Descripcionadicional"))},
                             {kFechaInicio, Valor(f("FechaEstInicio"))},
                             {kFechaFin, Valor(f("FechaEstFin"))},
                             {kIdTecnico, Valor(f("IdTecnico"))},
                             {kFechaRealInicio, Valor(f("FechaREALInicio"))},
                             {kFechaRealFin, Valor(f("FechaREALFin"))}});
      }))
    return false;
  gDatos.CierraRecordset(rs);
  return true;
}

// ---- article grid

// The rule of the quantity shown is the same for every line of the voucher.
Regla Carga::ReglaDeCantidad() const {
  if (!compras_ && (esPedido_ || vb::Igual(tc_, QStringLiteral("RM"))) && parcial_)
    return repartoPendiente_ ? Regla::Pendiente : Regla::Aplicada;
  if (!compras_ && repartoPendiente_) return Regla::Pendiente;
  return Regla::Ninguna;
}

// What the rule reads, once for the voucher, by article (the first row of
// each): what its delivery run still has pending, or what the vouchers made
// from it delivered. Only vouchers made from this voucher's own type count:
// an invoice made from order NP K does not lower delivery note RM K. The
// views may hold the type with or without its blanks; both sides are
// compared without the leading ones.
bool Carga::LeeAplicadas(Regla regla, QHash<QString, double>& porArticulo) {
  if (regla == Regla::Ninguna) return true;
  Recordset q;
  if (!paso_.step([&] {
        const QVariantList claves{gUtil.FormateaCodigo(tc_, 4), clave_};
        if (regla == Regla::Pendiente)
          gDatos.AbreRecordsetPreparado(
              QStringLiteral("SELECT IDARTICULO, pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE "
                             "(LTRIM(TC) = LTRIM(?)) AND IDCOMPROBANTE = ?"),
              claves, q);
        else
          gDatos.AbreRecordsetPreparado(
              QStringLiteral("SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE "
                             "(LTRIM(TCO_ORIGEN) = LTRIM(?)) AND IDCOMPROBANTEORIGEN = ?"),
              claves, q);
        for (; !q.Eof(); q.MoveNext()) {
          const QString a = gUtil.FormateaCodigo(Valor(q.Fields(0)), 25).toUpper();
          if (!porArticulo.contains(a)) porArticulo.insert(a, Numero(q.Fields(1)));
        }
      }))
    return false;
  gDatos.CierraRecordset(q);
  return true;
}

// The cells an article's master row gives a line (the row m is on); the
// description of its type is read with the others.
MaestroLeido Carga::Maestro(const Recordset& m) {
  using namespace ColArticulos;
  auto a = [&](const char* campo) { return m.Fields(QLatin1String(campo)); };
  const QString tipo = Valor(a("IdTipo"));
  const Field talle = a("UsaTalle");
  return {{{kDescripcionTipo, QString()},
           {kPresentacion, Valor(a("Presentacion"))},
           {kEsExento, Marca(a("Exento"))},
           {kPideSerie, MarcaConValor(a("UsaSerie"))},
           {kPideLote, MarcaConValor(a("UsaLote"))},
           {kPerecedero, MarcaConValor(a("Perecedero"))},
           {kCoeficiente, QStringLiteral("1")},
           {kTipoCoeficiente, QStringLiteral("*")},
           {kPideTalle, talle.IsNull() ? QStringLiteral("0") : Marca(talle)},
           {kPesable, Marca(a("pesable"))},
           {kCodigoBarra, Valor(a("CodigoBarra"))},
           // Type and rubro, for the summary's breakdown.
           {kTipoArticulo, tipo},
           {kRubroArticulo, Valor(a("IdRubro"))}},
          tipo};
}

// The master's cells of every line whose article the master knows, each
// article (articulos: the lines' codes, each once) read once, in a statement
// per few hundred codes for each kind of look-up, as BuscaArticuloPorCodigo
// would find each code alone: by the article code first; the codes that
// finds nothing for by every bar code at once, each code taking the row of
// the first column in the search's order that holds it, of the lowest
// article code. A blank code finds nothing.
bool Carga::Maestros(const QStringList& articulos, std::vector<LineaArticulo>& lineas,
                     EquivalenciasLeidas& equivalencias) {
  QHash<QString, MaestroLeido> porClave;  // the codes the master knows
  QStringList buscados;
  for (const QString& codigo : articulos)
    if (!vb::Trim(codigo).isEmpty()) buscados << codigo;
  const QStringList columnas = ColumnasDeBusqueda();
  // A row found by its article code also gives the article's own unit, as
  // the unit conversions read it.
  auto porArticulo = [&](Recordset& m, const QStringList&) {
    for (; !m.Eof(); m.MoveNext()) {
      const QString codigo = gUtil.ConvierteTexto(m.Fields(QStringLiteral("IDARTICULO")).Value());
      const QString clave = ClaveDeCodigo(codigo);
      if (porClave.contains(clave)) continue;
      porClave.insert(clave, Maestro(m));
      equivalencias.SabeUnidad(codigo, vb::Trim(vb::Texto(gUtil.ValorCampo(m.Fields(QStringLiteral("IdUnidad"))))));
    }
  };
  if (!paso_.step([&] {
        LeePorCodigos(QStringLiteral("SELECT * FROM V_MA_ARTICULOS WHERE ") + columnas.front(),
                      QStringLiteral(" ORDER BY IDARTICULO"), buscados, porArticulo);
      }))
    return false;

  QStringList faltan;
  for (const QString& codigo : buscados)
    if (!porClave.contains(ClaveDeCodigo(codigo))) faltan << codigo;
  const QStringList barras = columnas.mid(1);
  // The rows come in article-code order: a code keeps the first row of the
  // earliest column that holds it.
  auto porBarras = [&](Recordset& m, const QStringList& parte) {
    QHash<QString, qsizetype> columnaDe;  // the codes of this part, by the column that found them
    for (const QString& codigo : parte) columnaDe.insert(ClaveDeCodigo(codigo), barras.size());
    for (; !m.Eof(); m.MoveNext())
      for (qsizetype k = 0; k < barras.size(); ++k) {
        const auto c = columnaDe.find(ClaveDeCodigo(gUtil.ConvierteTexto(m.Fields(barras[k]).Value())));
        if (c == columnaDe.end() || *c <= k) continue;
        *c = k;
        porClave.insert(c.key(), Maestro(m));
      }
  };
  if (!faltan.isEmpty() && !paso_.step([&] {
        LeePorCodigos(
            static_cast<int>(barras.size()),
            [&](const QString& lista) {
              return QStringLiteral("SELECT * FROM V_MA_ARTICULOS WHERE ") +
                     barras.join(QStringLiteral(" IN ") + lista + QStringLiteral(" OR ")) + QStringLiteral(" IN ") +
                     lista + QStringLiteral(" ORDER BY IDARTICULO");
            },
            faltan, porBarras);
      }))
    return false;
  if (!Tipos(lineas, porClave)) return false;
  for (LineaArticulo& l : lineas) {
    const auto m = porClave.constFind(ClaveDeCodigo(l.codigo));
    if (m != porClave.cend())
      l.celdas.insert(l.celdas.begin() + static_cast<std::ptrdiff_t>(l.maestro), m->celdas.cbegin(), m->celdas.cend());
  }
  return true;
}

// The description of each article type the lines' masters name, read as a
// look-up of that type alone reads it (the first row whose type, without
// blanks around it and in any letter case, is the one named; none: empty),
// each type once, in a statement per few hundred types.
bool Carga::Tipos(const std::vector<LineaArticulo>& lineas, QHash<QString, MaestroLeido>& porClave) {
  QStringList tipos;
  QHash<QString, QString> descripciones;  // by the type's key
  for (const LineaArticulo& l : lineas) {
    const auto m = porClave.constFind(ClaveDeCodigo(l.codigo));
    if (m == porClave.cend()) continue;
    const QString clave = ClaveDeCodigo(m->tipo);
    if (descripciones.contains(clave)) continue;
    descripciones.insert(clave, QString());
    tipos << m->tipo;
  }
  QSet<QString> leidos;
  if (!tipos.isEmpty() && !paso_.step([&] {
        LeePorCodigos(
            1,
            [&](const QString& lista) {
              return QStringLiteral("SELECT IdTipo, Descripcion FROM V_TA_TipoArticulo WHERE ") +
                     gDatos.CodigoEnLista(QStringLiteral("IdTipo"), lista);
            },
            tipos, [&](Recordset& t, const QStringList&) {
              for (; !t.Eof(); t.MoveNext()) {
                const QString clave = ClaveDeCodigo(vb::LTrim(gUtil.ConvierteTexto(t.Fields(0).Value())));
                if (leidos.contains(clave) || !descripciones.contains(clave)) continue;
                leidos.insert(clave);
                descripciones[clave] = vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(t.Fields(1))));
              }
            });
      }))
    return false;
  for (MaestroLeido& m : porClave) m.celdas.front().second = descripciones.value(ClaveDeCodigo(m.tipo));
  return true;
}

// The cells of one line, all but those of the quantity it shows.
void Carga::LineaDeArticulo(Recordset& rs, LineaArticulo& l) {
  using namespace ColArticulos;
  auto f = [&](const char* campo) { return rs.Fields(QLatin1String(campo)); };
  const QString art = gUtil.FormateaCodigo(Valor(f("IdArticulo")), 25);
  l.codigo = art;
  l.articulo = art.toUpper();
  l.cantidad = Numero(f("Cantidad"));
  l.total = Numero(f("Total"));
  l.impuestos = Numero(f("Impuestos"));
  Celdas& c = l.celdas;
  c = {{kArticulo, Valor(f("IdArticulo"))},
       {kDescripcion, Valor(f("Descripcion"))},
       {kUnidad, Valor(f("IdUnidad"))},
       {kUnidadCargada, Valor(f("IdUnidad"))}};
  if (pideReparto_ && !sistemaCompras)
    c.insert(c.end(), {{kUdEquiv, Valor(f("IdUnidadBase"))}, {kCantidadEquiv, Valor(f("CantidadUD"))}});
  c.push_back({kImporte, importe_(Numero(f("Importe")))});
  const Field exento = f("Exento");
  if (!exento.IsNull() && !Verdadero(exento)) {
    if (!letraB_)
      letraB_ = ObtieneLetraComprobante(Cfg(QStringLiteral("CONDIVA")), condicionIva_) == QLatin1String("B");
    if (*letraB_) c.push_back({kPrecioConIva, importe_(Numero(f("Importe")))});
  }
  if (!sistemaCompras) c.push_back({kPorcDto, Valor(f("PorcDto"))});

  l.maestro = c.size();

  const Field equivalencia = f("EQUIV_UDBASE");
  const Field unidadBase = f("IdUnidadBase");
  c.push_back({kCoeficiente, equivalencia.IsNull() ? QStringLiteral("1") : Valor(equivalencia)});
  c.push_back({kUnidadBase, unidadBase.IsNull() ? Valor(f("IdUnidad")) : Valor(unidadBase)});
  if (!f("Presentacion").IsNull()) c.push_back({kPresentacion, Valor(f("Presentacion"))});
  // The cost keeps its four decimals: it is a working value of the stock
  // posting, not an amount the line shows.
  c.insert(c.end(), {{kCosto, Valor(f("Costo"))},
                     {kPrecioSinIva, importe_(Numero(f("Importe_S_IVA")))},
                     {kImpuestos, importe_(l.impuestos)},
                     {kTotal, importe_(l.total)}});
  if (!esPedido_)
    c.insert(c.end(), {{kNroLote, Valor(f("Nro_Lote"))},
                       {kNroSerie, Valor(f("Nro_Serie"))},
                       {kLoteAduana, Valor(f("CONTROLADOPOR"))},
                       {kLoteOrigen, Valor(f("IdOrigen"))}});
  c.push_back({kEsExento, Marca(exento)});
  if (!sistemaCompras) c.push_back({kTasaIva, Valor(f("AlicIVA"))});
  if (sistemaCompras && !f("Precio_Lista").IsNull()) c.push_back({kPrecioLista, Valor(f("Precio_Lista"))});
  c.push_back({kCpteCargado, clave_});
}

// The quantity each line shows, and what follows from it. Under a rule the
// article's applied quantity (under the pending rule: the article's quantity
// on the voucher less what is pending, or all of it when nothing is) is
// taken from the voucher's lines of that article in line order, each line
// giving at most its own quantity; so the lines add up to what the voucher
// still owes. Lines 5 and 3 of one article, of which 4 were delivered, show
// 1 and 3.
void Carga::Cantidades(Regla regla, const QHash<QString, double>& porArticulo,
                       std::vector<LineaArticulo>& lineas) const {
  using vb::Moneda;
  QHash<QString, Moneda> porTomar;  // applied quantity not yet taken from a line
  QSet<QString> sinPendiente;       // pending rule: articles with nothing pending
  if (regla == Regla::Pendiente) {
    for (const LineaArticulo& l : lineas)
      porTomar[l.articulo] = porTomar.value(l.articulo) + Moneda::DesdeDoble(l.cantidad);
    for (auto it = porTomar.begin(); it != porTomar.end(); ++it) {
      const auto p = porArticulo.constFind(it.key());
      if (p == porArticulo.cend())
        sinPendiente.insert(it.key());
      else
        *it = *it - Moneda::DesdeDoble(*p);
    }
  } else if (regla == Regla::Aplicada) {
    for (auto it = porArticulo.cbegin(); it != porArticulo.cend(); ++it)
      porTomar.insert(it.key(), Moneda::DesdeDoble(*it));
  }

  for (LineaArticulo& l : lineas) {
    double resto = l.cantidad;
    if (regla != Regla::Ninguna) {
      const Moneda cantidad = Moneda::DesdeDoble(l.cantidad);
      Moneda toma;
      if (sinPendiente.contains(l.articulo)) {
        toma = cantidad;
      } else {
        // A line of no quantity, or of a negative one, takes nothing.
        Moneda& queda = porTomar[l.articulo];
        if (cantidad > Moneda() && queda > Moneda()) toma = std::min(cantidad, queda);
        queda = queda - toma;
      }
      resto = (cantidad - toma).ADoble();
    }
    const double mostrada = negar_ ? -resto : resto;
    // The total with the taxes of every unit shown.
    const Moneda total =
        Moneda::DesdeDoble(Moneda::DesdeDoble(l.total).ADoble() +
                           Moneda::DesdeDoble(l.impuestos).ADoble() * NumeroCelda(TextoCelda(mostrada)));
    l.celdas.insert(l.celdas.end(), {{ColArticulos::kCantidad, TextoCelda(mostrada)},
                                     {ColArticulos::kTotalConImpuestos, importe_(total.ADoble())},
                                     {ColArticulos::kRestoPorAplicar, TextoCelda(resto)}});
  }
}

// The article lines, with their masters' cells; the equivalences of their
// articles go to equivalencias, for the measure columns (should that read
// fail and the load go on, each line looks its own up).
bool Carga::Articulos(std::vector<Celdas>& lineas, EquivalenciasLeidas& equivalencias) {
  const Regla regla = ReglaDeCantidad();
  QHash<QString, double> porArticulo;
  if (!LeeAplicadas(regla, porArticulo)) return false;
  std::vector<LineaArticulo> leidas;
  Recordset rs;
  if (!paso_.step([&] {
        Abre(QStringLiteral("MV_CPTEINSUMOS"),
             esPedido_ ? QStringLiteral(" ORDER BY PALLETS ") : QStringLiteral(" ORDER BY ID "), rs);
      }) ||
      !Lineas(paso_, rs, leidas, [&](LineaArticulo& l) { LineaDeArticulo(rs, l); }))
    return false;
  gDatos.CierraRecordset(rs);
  // The voucher's article codes, each once, as they are looked up.
  QStringList articulos;
  QSet<QString> claves;
  for (const LineaArticulo& l : leidas)
    if (const QString clave = ClaveDeCodigo(l.codigo); !claves.contains(clave)) {
      claves.insert(clave);
      articulos << l.codigo;
    }
  if (!Maestros(articulos, leidas, equivalencias)) return false;
  Cantidades(regla, porArticulo, leidas);
  lineas.reserve(leidas.size());
  for (LineaArticulo& l : leidas) lineas.push_back(std::move(l.celdas));
  return paso_.step([&] { equivalencias.Lee(articulos); });
}

// ---- other-concepts grid

bool Carga::OtrosConceptos(std::vector<Celdas>& lineas) {
  Recordset rs;
  if (!paso_.step(
          [&] { Abre(QStringLiteral("MV_CPTE_Observ"), QStringLiteral(" AND TIPO_OBS ='OC'  ORDER BY ID "), rs); }) ||
      !Lineas(paso_, rs, lineas, [&](Celdas& c) {
        using namespace ColOtrosConceptos;
        c = {{kDetalle, Valor(rs.Fields(QStringLiteral("Observacion")))},
             {kImporte, importe_(Numero(rs.Fields(QStringLiteral("Importe"))))},
             {kImporteSinIva, importe_(Numero(rs.Fields(QStringLiteral("Importe_S_IVA"))))}};
      }))
    return false;
  gDatos.CierraRecordset(rs);
  return true;
}

// ---- into a grid

// A grid's lines start at its last row (below it when that row is used) and
// leave one empty row at the bottom. With medidas, each line's measure
// columns are filled from its article, unit and quantity.
bool Carga::Escribe(MSFlexGrid& g, const std::vector<Celdas>& lineas, bool medidas) {
  if (lineas.empty()) return true;
  int primera = 0;
  if (!paso_.step([&] {
        primera = g.Rows() - 1;
        if (primera < 1 || Usada(g, primera)) primera = std::max(g.Rows(), 1);
        g.SetRows(primera + static_cast<int>(lineas.size()) + 1);
      }))
    return false;
  for (size_t i = 0; i < lineas.size(); ++i) {
    const int r = primera + static_cast<int>(i);
    if (!paso_.step([&] {
          for (const auto& [columna, texto] : lineas[i]) g.SetTextMatrix(r, columna, texto);
          if (!medidas) return;
          g.SetRow(r);
          CalculaCantidadEquivalenteFila(g);
        }))
      return false;
  }
  return true;
}

}  // namespace

bool ClsCmnCptes::AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                          MSFlexGrid& MSFlexGrid1, MSFlexGrid& MSFlexGrid2, MSFlexGrid& MSFlexGrid3,
                                          bool, Recordset* LrcsCpte, bool Compras, const QString& Proveedor,
                                          long* IdRepartoRM) {
  vb::ErrorSteps paso(QStringLiteral("AsignarDatosPresupuesto"));
  // Every read of the load in one read transaction: one lock, not one per
  // statement.
  LecturaAgrupada lectura;
  // The unit look-ups of the measure columns, for this load only.
  EquivalenciasLeidas equivalencias;
  Carga carga(paso, TC, SucNroLetra, Compras, IdRepartoRM && *IdRepartoRM == -99);
  // No voucher: nothing to load and nothing to report.
  bool existe = false;
  if (!carga.Clave(IdComplemento, Proveedor) || !carga.Ajustes() || !carga.Cabecera(existe) || !existe) return false;

  std::vector<Celdas> tareas, articulos, otros;
  if (!carga.Tareas(tareas) || !carga.Articulos(articulos, equivalencias) || !carga.OtrosConceptos(otros))
    return false;

  if (IdRepartoRM && !carga.sistemaCompras) *IdRepartoRM = carga.reparto;
  if (!carga.Escribe(MSFlexGrid1, tareas, false) || !carga.Escribe(MSFlexGrid2, articulos, true) ||
      !carga.Escribe(MSFlexGrid3, otros, false))
    return false;
  if (LrcsCpte) *LrcsCpte = carga.cabecera;
  return true;
}
