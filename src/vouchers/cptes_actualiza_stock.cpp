// The stock posting of a voucher: the articles grid of a saved voucher
// becomes V_MV_STOCK movements, run at once in one transaction or handed back
// as one batch.
#include <QVariantList>
#include <cmath>
#include <memory>

#include "platform/ado.h"
#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "session/listas.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"
#include "vouchers/posteo_stock.h"
#include "vouchers/stock.h"

namespace posteo {

// Articles-grid columns the posting reads.
namespace col = ColArticulos;

// ---------------------------------------------------------------- values

Valor Valor::Num(double d) { return {Numero, ClsDatos::Numero(d)}; }

Valor Valor::Num(Diezmilesimos d, int signo) {
  // The decimal's own digits, without the zeros at the end of its fraction.
  QString t = vb::Moneda::DesdeDiezmilesimos(d * signo).Texto(4);
  while (t.endsWith(u'0')) t.chop(1);
  if (t.endsWith(u'.')) t.chop(1);
  return {Numero, t};
}

Valor Valor::NumDe(const QString& celda) {
  try {
    return {Numero, NumeroCeldaTexto(celda)};
  } catch (const vb::Error& e) {
    throw NumeroIlegible{celda, e.Number};
  }
}

QString Valor::Literal() const {
  switch (tipo) {
    case Texto: return ClsDatos::Literal(texto);
    case Numero: return texto;
    default: return QStringLiteral("NULL");
  }
}

QVariant Valor::Ligado() const {
  switch (tipo) {
    case Texto: return texto;
    case Numero: {
      // A whole number as one; any other as its own text, which the
      // database reads as the decimal written, where a double would carry
      // only the nearest binary fraction.
      bool ok = false;
      const qlonglong n = texto.toLongLong(&ok);
      if (ok) return n;
      return texto;
    }
    default: return QVariant();
  }
}

// ---------------------------------------------------------------- posting

namespace {

// a * b / c rounded half away from zero, exactly (c is not 0): a share of a
// line's quantity in another unit.
Diezmilesimos Proporcion(Diezmilesimos a, Diezmilesimos b, Diezmilesimos c) {
  const __int128 p = static_cast<__int128>(a) * b;
  __int128 q = p / c;
  const __int128 r = p % c;
  if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<__int128>(c) : c)) q += (p < 0) != (c < 0) ? -1 : 1;
  return static_cast<Diezmilesimos>(q);
}

// Runs a statement of the posting: the database's refusal of it is told with
// the description of its first error.
template <class F>
void Ejecutada(F&& sentencia) {
  try {
    sentencia();
  } catch (const vb::Error& e) {
    const auto& errores = gDatos.Conexion().Errors();
    throw FallaSentencia{errores.empty() ? e.Description : errores.front().Description};
  }
}

}  // namespace

Posteo::Posteo(ClsCmnCptes& cptes, MSFlexGrid* grilla, bool enLote) : cptes_(cptes), grilla_(grilla), enLote_(enLote) {}

void Posteo::Verifica() const {
  if (huboFalla && huboFalla()) throw Abandono{};
}

QString Posteo::Celda(int fila, int c) const { return grilla_->TextMatrix(fila, c); }

void Posteo::DeLinea(int fila, const std::function<void()>& lee) {
  try {
    lee();
  } catch (const NumeroIlegible& n) {
    const QString articulo = vb::Trim(Celda(fila, col::kArticulo)), texto = vb::Trim(n.texto);
    const QString motivo = n.error == vb::ErrOverflow
                               ? QStringLiteral("un número fuera del rango que se puede registrar (Desbordamiento)")
                               : QStringLiteral("que no es un número");
    throw Rechazo{QStringLiteral("El artículo %1 tiene \"%2\", %3: no se registró ningún movimiento de stock del "
                                 "comprobante.")
                      .arg(articulo, texto, motivo)};
  }
}

const Articulo& Posteo::DatosArticulo(const QString& codigo) {
  const QString clave = gUtil.FormateaCodigo(codigo, 25);
  auto it = articulos_.find(clave);
  if (it != articulos_.end()) return *it;
  Articulo a;
  Recordset rs;
  gDatos.AbreRecordsetPreparado(
      QStringLiteral("SELECT DESCRIPCION, CUENTAPROVEEDOR, COSTO FROM V_MA_ARTICULOS WHERE IDARTICULO = ?"), {clave}, rs);
  if (!rs.Bof()) {
    a.existe = true;
    a.descripcion = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(0))));
    a.cuenta = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(1))));
    a.costo = gUtil.ConvierteDoble(vb::Texto(gUtil.ValorCampo(rs.Fields(2))));
  }
  gDatos.CierraRecordset(rs);
  if (!a.existe)
    throw Rechazo{QStringLiteral("El artículo ") + vb::Trim(codigo) +
                  QStringLiteral(" no existe en la tabla de artículos: no se registró ningún movimiento de stock "
                                 "del comprobante.")};
  return *articulos_.insert(clave, a);
}

QString Codigo4(const QString& t) { return vb::Trim(t).isEmpty() ? QString() : gUtil.FormateaCodigo(vb::Trim(t), 4); }

void Posteo::ExigeDeposito(const QString& codigo, const QString& articulo) {
  if (codigo.isEmpty())
    throw Rechazo{QStringLiteral("El artículo ") + articulo +
                  QStringLiteral(" no tiene depósito y no hay un depósito por defecto: no se registró ningún "
                                 "movimiento de stock del comprobante.")};
  if (depositosVistos_.count(codigo)) return;
  Recordset rs;
  gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT IDDEPOSITO FROM V_TA_DEPOSITO WHERE IDDEPOSITO = ?"), {codigo},
                                rs);
  const bool existe = !rs.Bof();
  gDatos.CierraRecordset(rs);
  if (!existe)
    throw Rechazo{QStringLiteral("El depósito ") + vb::Trim(codigo) +
                  QStringLiteral(" no existe en la tabla de depósitos: no se registró ningún movimiento de stock "
                                 "del comprobante.")};
  depositosVistos_.insert(codigo);
}

QString Posteo::DepositoDeLinea(int fila) const {
  const QString propio = Codigo4(Celda(fila, col::kDeposito));
  return propio.isEmpty() ? deposito : propio;
}

std::optional<Posteo::OtraUnidad> Posteo::OtraUnidadDeLinea(int fila) const {
  if (Bandera(Celda(fila, col::kPesable))) {
    const QString unidadBase = Codigo4(Celda(fila, col::kUnidadBase));
    if (unidadBase.isEmpty()) return std::nullopt;
    return OtraUnidad{Cantidad(Celda(fila, col::kCantidadUd)), Valor::De(unidadBase)};
  }
  if (!confirmaUDEquiv) return std::nullopt;
  return OtraUnidad{Cantidad(Celda(fila, col::kCantidadEquiv)), Valor::TextoONulo(Codigo4(Celda(fila, col::kUdEquiv)))};
}

void Posteo::Escribe(std::vector<Campo>& campos) {
  QString sql = QStringLiteral("INSERT INTO V_MV_STOCK");
  if (enLote_) {
    for (const Campo& c : campos) gCamposInsert.push_back({QLatin1String(c.nombre), c.valor.Literal()});
    ArmaListaInsert(sql, gCamposInsert, true);
    ClsDatos::AgregaSentencia(lote_, sql, ClsDatos::Union::Retorno);
    return;
  }
  // Bound values: the statement is the same for every row with the same
  // columns, so it is built (and prepared) once for them.
  QVariantList valores;
  valores.reserve(static_cast<qsizetype>(campos.size()));
  bool mismas = campos.size() == columnas_.size();
  for (size_t i = 0; i < campos.size(); ++i) {
    mismas = mismas && campos[i].nombre == columnas_[i];
    valores << campos[i].valor.Ligado();
  }
  if (!mismas) {
    columnas_.clear();
    for (const Campo& c : campos) {
      gCamposInsert.push_back({QLatin1String(c.nombre), QStringLiteral("?")});
      columnas_.push_back(c.nombre);
    }
    ArmaListaInsert(sql, gCamposInsert, true);
    sentencia_ = sql;
  }
  Ejecutada([&] { gDatos.Conexion().ExecutePreparada(sentencia_, valores); });
}

void Posteo::EjecutaTexto(const QString& sql) {
  if (enLote_) {
    ClsDatos::AgregaSentencia(lote_, sql, ClsDatos::Union::Retorno);
    return;
  }
  Ejecutada([&] { gDatos.Conexion().Execute(sql); });
}

// A purchase invoice or delivery note made from a purchase order stamps its
// date on the order, once: on the first one made from it.
void Posteo::SellaRecepcion() {
  if (!sellaRecepcion) return;
  const std::vector<Valor> valores{fecha, tcOrigen, cpteOrigen};
  const QString sql = QStringLiteral("UPDATE c_mv_cpte SET FechaRecepcion = ? WHERE TC = ? AND IDCOMPROBANTE = ? "
                                     "AND FechaRecepcion IS NULL");
  if (enLote_) {
    QString texto;
    size_t i = 0;
    for (QChar c : sql) texto += c == u'?' ? valores[i++].Literal() : QString(c);
    ClsDatos::AgregaSentencia(lote_, texto, ClsDatos::Union::Retorno);
    return;
  }
  QVariantList ligados;
  for (const Valor& v : valores) ligados << v.Ligado();
  Ejecutada([&] { gDatos.Conexion().ExecutePreparada(sql, ligados); });
}

void Posteo::Corre() {
  SellaRecepcion();
  Pases();
}

void Posteo::Pases() {
  const int pases = transferencia || produccion ? 2 : 1;
  secuencia_ = 0;
  if (produccion) {
    // A production order goes on with the sequence of the rows it already
    // has.
    destino = deposito;
    Recordset rs;
    gDatos.AbreRecordsetPreparado(
        QStringLiteral("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = ? AND IDCOMPROBANTE = ?"),
        {tc, clave}, rs);
    long maximo =
        rs.Bof() ? 0 : vb::CLng(std::round(gUtil.ConvierteDoble(vb::Texto(gUtil.ValorCampo(rs.Fields(0))))));
    gDatos.CierraRecordset(rs);
    // Rows of a batch handed out under the lock held and not yet run count.
    maximo = std::max(maximo, EntregasStock::UltimaSecuencia(tc, clave));
    secuencia_ = maximo == 0 ? 0 : maximo + 1;
  }
  short ultimo = signo;
  for (int pase = 1; pase <= pases; ++pase) {
    short s = signo;
    if (produccion) s = pase == 1 ? 1 : -1;  // the product comes in, its inputs go out
    else if (transferencia) s = pase == 1 ? -1 : 1;  // out of the origin, into the destination
    ultimo = s;
    for (int fila = 1; fila < grilla_->Rows(); ++fila) DeLinea(fila, [&] { Linea(fila, pase, s); });
  }
  EntregasStock::Secuencia(tc, clave, secuencia_);
  if (!descargaInsumos) return;
  DescargaInsumos(ultimo, pases == 2, false);
  // A transfer's components go into the destination and out again: from the
  // same lots, so each lot ends as it was.
  if (transferencia) DescargaInsumos(static_cast<short>(-ultimo), true, true);
}

void Posteo::Linea(int fila, int pase, short s) {
  const QString codigo = vb::Trim(Celda(fila, col::kArticulo));
  if (codigo.isEmpty()) return;
  CeldasLinea celdas;
  celdas.cantidad = Celda(fila, col::kCantidad);
  if (Cantidad(celdas.cantidad) == 0) return;
  if (produccion && (pase == 1) != (vb::Trim(Celda(fila, col::kCantidadInsumo)) == QLatin1String("-1"))) return;
  const Articulo& articulo = DatosArticulo(codigo);

  // Warehouses: the first pass posts into the line's own warehouse (or the
  // voucher's), the second into the destination.
  const QString delPrimerPase = signoRemota == 1 ? deposito : DepositoDeLinea(fila);
  const QString dep = pase == 1 ? delPrimerPase : destino;
  ExigeDeposito(dep, codigo);
  std::optional<Valor> depDestino;
  if (transferencia) {
    depDestino = Valor::TextoONulo(pase == 1 ? destino : delPrimerPase);
    if (pase == 2) ExigeDeposito(delPrimerPase, codigo);
  }

  celdas.lotes = Celda(fila, col::kNroLote);
  celdas.series = Celda(fila, col::kNroSerie);
  celdas.pideSerie = Bandera(Celda(fila, col::kPideSerie));
  celdas.perecedero = Bandera(Celda(fila, col::kPerecedero));
  celdas.pideTalle = Bandera(Celda(fila, col::kPideTalle));
  // A transfer reads its lists in outgoing form in both passes, so the
  // second pass brings into the destination exactly what the first took out
  // of the origin.
  const Lectura lectura =
      transferencia && !produccion ? Lectura::Salida : (s > 0 ? Lectura::Entrada : Lectura::Salida);
  const std::vector<Item> items = ExpandeLinea(cptes_, celdas, lectura, loteFijo);
  // A posted line is left as its caller reads it back: the equivalent unit
  // at its code width and the weighed flag never empty.
  grilla_->SetTextMatrix(fila, col::kUdEquiv, gUtil.FormateaCodigo(vb::Trim(Celda(fila, col::kUdEquiv)), 4));
  if (vb::Trim(Celda(fila, col::kPesable)).isEmpty()) grilla_->SetTextMatrix(fila, col::kPesable, QStringLiteral("0"));

  // The line's quantity in the base unit (a weighed article) or in the
  // equivalent unit, shared by its movements in proportion to their
  // quantities, with the movement's sign.
  const std::optional<OtraUnidad> ud = OtraUnidadDeLinea(fila);
  const Diezmilesimos total = Cantidad(celdas.cantidad);

  // What every movement of the line shares.
  const Valor idArticulo = Valor::De(gUtil.FormateaCodigo(codigo, 25));
  const Valor descripcion = Valor::De(vb::QuitaCaracteres(vb::Trim(Celda(fila, col::kDescripcion)), QStringLiteral("'")));
  QString controlado = vb::Trim(Celda(fila, col::kLoteAduana));
  if (controlado.isEmpty()) controlado = vb::Trim(aduana);
  const Valor controladoPor = Valor::De(vb::QuitaCaracteres(controlado, QStringLiteral("'")));
  std::optional<Valor> idOrigen;
  QString origenLote = Codigo4(Celda(fila, col::kLoteOrigen));
  if (origenLote.isEmpty()) origenLote = Codigo4(loteOrigen);
  if (!origenLote.isEmpty()) idOrigen = Valor::De(origenLote);
  const Valor idUnidad = Valor::TextoONulo(Codigo4(Celda(fila, col::kUnidad)));
  const Valor cuentaFila = cuentaPorArticulo ? Valor::TextoONulo(articulo.cuenta) : cuenta;
  const Valor precio = Valor::Num(Cantidad(Celda(fila, col::kImporte)), 1);
  const Valor costo = Valor::Num(Cantidad(Celda(fila, col::kCosto)), 1);
  const Valor impuestos = Valor::Num(Cantidad(Celda(fila, col::kImpuestos)), 1);
  const Valor descuento = Valor::Num(Cantidad(Celda(fila, col::kPorcDto)), 1);
  Valor tcOrigenFila = tcOrigen, cpteOrigenFila = cpteOrigen;
  const QString cpteOrigenCelda = Celda(fila, col::kCpteOrigen);
  if (tcOrigenPorLinea) tcOrigenFila = Valor::TextoONulo(Codigo4(vb::Mid(cpteOrigenCelda, 1, 4)));
  if (cpteOrigenPorLinea) cpteOrigenFila = Valor::TextoONulo(vb::Trim(vb::Mid(cpteOrigenCelda, 5, 13)));
  const Valor idOrigenCpte = Valor::Num(Cantidad(Celda(fila, col::kIdCpteOrigen)), 1);
  const Diezmilesimos tasa = Cantidad(Celda(fila, col::kTasaIva));
  const bool exento = vb::CInt(ADoble(Cantidad(Celda(fila, col::kEsExento)))) == -1;
  const Valor ivaRi = tasa == 0 && !exento ? Valor::Num(cptes_.TasaIVA) : Valor::Num(tasa, 1);
  const Valor ivaRni = Valor::Num(Cantidad(Celda(fila, col::kIvaRni)), 1);
  const Valor equivUdBase = Valor::NumDe(Celda(fila, col::kCoeficiente));
  const Valor idInsert = Valor::NumDe(Celda(fila, col::kIdInsert));
  const Valor idCompulsa = Valor::NumDe(Celda(fila, col::kIdCompulsa));

  Diezmilesimos acumulado = 0, udAnterior = 0;
  std::vector<Campo> campos;
  campos.reserve(34);
  for (const Item& item : items) {
    ++secuencia_;
    campos.clear();
    campos.push_back({"TC", Valor::De(tc)});
    campos.push_back({"IdComprobante", Valor::De(clave)});
    if (!compras) campos.push_back({"IdComplemento", complemento});
    campos.push_back({"Secuencia", Valor::Num(static_cast<double>(secuencia_))});
    campos.push_back({"Fecha", fecha});
    if (!caja.isEmpty()) campos.push_back({"IdCaja", Valor::De(caja)});
    campos.push_back({"IdDeposito", Valor::De(dep)});
    if (depDestino) campos.push_back({"IDDEPOSITO_DESTINO", *depDestino});
    campos.push_back({"IdArticulo", idArticulo});
    campos.push_back({"Descripcion", descripcion});
    campos.push_back(
        {"NroLote", item.lote.isEmpty() ? Valor::Null() : Valor::De(gUtil.FormateaCodigo(item.lote, 25))});
    campos.push_back({"ControladoPor", controladoPor});
    if (idOrigen) campos.push_back({"IdOrigen", *idOrigen});
    campos.push_back(
        {"NroSerie", item.serie.isEmpty() ? Valor::Null() : Valor::De(gUtil.FormateaCodigo(item.serie, 25))});
    campos.push_back({"IdUnidad", idUnidad});
    campos.push_back({"Cantidad", Valor::Num(item.cantidad, s)});
    if (ud) {
      acumulado += item.cantidad;
      const Diezmilesimos hasta = Proporcion(ud->cantidad, acumulado, total);
      campos.push_back({"CantidadUD", Valor::Num(hasta - udAnterior, s)});
      campos.push_back({"IdUnidadBase", ud->unidad});
      udAnterior = hasta;
    }
    campos.push_back({"CuentaProveedor", cuentaFila});
    campos.push_back({"IdMotivoStock", motivo});
    campos.push_back({"PrecioVenta", precio});
    campos.push_back({"Costo", costo});
    campos.push_back({"Impuestos", impuestos});
    campos.push_back({"DtoItem", descuento});
    campos.push_back({"Tc_Origen", tcOrigenFila});
    campos.push_back({"IdComprobante_Origen", cpteOrigenFila});
    campos.push_back({"Id_Origen", idOrigenCpte});
    campos.push_back({"IVARI", ivaRi});
    campos.push_back({"IVARNI", ivaRni});
    if (tecnico) campos.push_back({"IdTecnico", Valor::De(*tecnico)});
    campos.push_back({"EQUIV_UDBASE", equivUdBase});
    campos.push_back({"IDINSERT", idInsert});
    campos.push_back({"IDCOMPULSA", idCompulsa});
    Escribe(campos);
  }
}

}  // namespace posteo

// ---------------------------------------------------------------- the method

namespace {

using namespace posteo;

// Holds back, while a posting runs, what the procedures it calls would show:
// messages with only an OK button are shown once the posting has ended (and
// its lock is released), and a failure they report ends the posting instead
// of letting it go on with a partial result; it is reported once, after the
// posting was undone.
class Diferidas : public Interaccion {
 public:
  struct Mensaje {
    QString texto;
    int botones;
    QString titulo;
  };
  Interaccion* real = nullptr;
  std::vector<Mensaje> mensajes;
  std::optional<vb::Error> falla;
  QString etiqueta;

  int MsgBox(const QString& texto, int botones, const QString& titulo) override {
    if ((botones & 7) != vbmsg::OKOnly) return real->MsgBox(texto, botones, titulo);
    mensajes.push_back({texto, botones, titulo});
    return vbmsg::OK;
  }
  bool InputBox(const QString& texto, const QString& titulo, const QString& porDefecto, QString& respuesta) override {
    return real->InputBox(texto, titulo, porDefecto, respuesta);
  }
  void PopupMenu(QWidget* dueno, Menu& menu) override { real->PopupMenu(dueno, menu); }
  void MuestraModal(Form& form) override { real->MuestraModal(form); }
  bool PideFecha(QString& fecha) override { return real->PideFecha(fecha); }
  int ReportaError(const vb::Error& e, const QString& label) override {
    if (!falla) {
      falla = e;
      etiqueta = label;
    }
    return vb::kRespuestaAbortar;
  }
};

class Diferimiento {
 public:
  Diferimiento() {
    Interaccion& actual = Interaccion::Actual();
    auto propia = std::make_unique<Diferidas>();
    propia->real = &actual;
    diferidas_ = propia.get();
    real_ = Interaccion::Instala(std::move(propia));
  }
  ~Diferimiento() { Restaura(); }
  Diferimiento(const Diferimiento&) = delete;
  Diferimiento& operator=(const Diferimiento&) = delete;

  bool HuboFalla() const { return diferidas_ && diferidas_->falla.has_value(); }

  // Puts the real interaction back and shows what was held back. The
  // failure reported meanwhile, if any, is left in falla / etiqueta.
  void Restaura() {
    if (!diferidas_) return;
    std::unique_ptr<Interaccion> propia = Interaccion::Instala(std::move(real_));
    auto* d = static_cast<Diferidas*>(propia.get());
    falla = d->falla;
    etiqueta = d->etiqueta;
    diferidas_ = nullptr;
    for (const Diferidas::Mensaje& m : d->mensajes) Interaccion::Actual().MsgBox(m.texto, m.botones, m.titulo);
  }

  std::optional<vb::Error> falla;
  QString etiqueta;

 private:
  Diferidas* diferidas_ = nullptr;
  std::unique_ptr<Interaccion> real_;
};

// The account as the caller passed it: a quoted SQL literal, NULL, or a code.
Valor CuentaDe(const QString& cuenta) {
  const QString t = vb::Trim(ClsDatos::DeshaceLiteral(cuenta));
  if (t.isEmpty() || vb::Igual(t, QStringLiteral("NULL"))) return Valor::Null();
  return Valor::De(t);
}

constexpr const char* kTitulo = "Aviso al operador";

}  // namespace

bool ClsCmnCptes::ActualizaStock(MSFlexGrid* MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                                 const QString& IdComplemento, const QString& Fecha, const QString& IdDeposito,
                                 const QString& IdDepositoDestino, const QString& IdMotivoStock,
                                 const QString& TCOrigen, const QString& ComprobanteOrigen, bool EsTransferencia,
                                 const QString& Cuenta, bool GeneraSentenciaSQL, QString* SQLTemp, bool* HayError,
                                 const QString& IdTecnico, const QString& LoteFijo, const QString& Aduana,
                                 const QString& LoteOrigen, short SignoRemota) {
  const QString loteRecibido = SQLTemp ? *SQLTemp : QString();
  for (;;) {
    Diferimiento diferimiento;
    std::optional<QString> rechazo, fallaSentencia;
    std::optional<vb::Error> error;
    try {
      if (!MSFlexGrid2) vb::Raise(vb::ErrObjectRequired, QStringLiteral("Se requiere un objeto"));
      if (GeneraSentenciaSQL && !SQLTemp)
        vb::Raise(vb::ErrInvalidCall, QStringLiteral("Falta el texto que recibe las sentencias del stock"));
      Posteo p(*this, MSFlexGrid2, GeneraSentenciaSQL);
      p.huboFalla = [&] { return diferimiento.HuboFalla(); };

      // What the parameters say, read once, before the lock.
      const QString tipo = vb::Trim(TC);
      p.tc = gUtil.FormateaCodigo(tipo, 4);
      p.clave = vb::Trim(SucNroLetra);
      if (p.clave.isEmpty())
        throw Rechazo{QStringLiteral("El comprobante no tiene número: no se registró ningún movimiento de stock.")};
      bool existe = false;
      QString sistema;
      {
        Recordset rs;
        gDatos.AbreRecordsetPreparado(QStringLiteral("SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = ?"), {p.tc}, rs);
        existe = !rs.Bof();
        if (existe) sistema = vb::Trim(vb::Texto(gUtil.ValorCampo(rs.Fields(0))));
        gDatos.CierraRecordset(rs);
      }
      p.compras = vb::Igual(sistema, QStringLiteral("COMPRAS"));
      p.produccion = vb::Igual(tipo, QStringLiteral("OP"));
      p.transferencia = EsTransferencia;
      p.signoRemota = SignoRemota;
      if (SignoRemota != 0) {
        p.signo = SignoRemota > 0 ? 1 : -1;
      } else {
        p.signo = ObtieneSignoComprobante(TC, false);
        p.Verifica();
        if (p.signo == 0) {
          if (!existe) throw Abandono{};  // the user has been told the type does not exist
          if (!p.transferencia && !p.produccion)
            throw Rechazo{QStringLiteral("El Tipo de Comprobante ") + tipo +
                          QStringLiteral(" no indica si el stock entra o sale: no se registró ningún movimiento de "
                                         "stock.")};
        }
      }
      p.complemento = {Valor::Numero, NumeroCeldaTexto(IdComplemento)};
      p.fecha = Valor::TextoONulo(vb::Trim(Fecha));
      p.deposito = Codigo4(IdDeposito);
      if (p.deposito.isEmpty()) p.deposito = Codigo4(Cfg(QStringLiteral("DepositoDefault")));
      p.destino = Codigo4(IdDepositoDestino);
      if (p.transferencia && !p.produccion && p.destino.isEmpty())
        throw Rechazo{QStringLiteral("La transferencia no tiene depósito destino: no se registró ningún movimiento "
                                     "de stock.")};
      if (IdMotivoStock.isEmpty()) p.motivo = Valor::TextoONulo(Codigo4(Cfg(QStringLiteral("MotivoStockDefault"))));
      else p.motivo = Valor::TextoONulo(Codigo4(IdMotivoStock));
      const QString tcOrigen = vb::Trim(TCOrigen), cpteOrigen = vb::Trim(ComprobanteOrigen);
      p.tcOrigenPorLinea = vb::Igual(tcOrigen, QStringLiteral("ELDELGRID"));
      if (!p.tcOrigenPorLinea) p.tcOrigen = Valor::TextoONulo(Codigo4(tcOrigen));
      p.cpteOrigenPorLinea = vb::Igual(cpteOrigen, QStringLiteral("ELDELGRID"));
      if (!p.cpteOrigenPorLinea) p.cpteOrigen = Valor::TextoONulo(cpteOrigen);
      p.cuentaComoVino = vb::Trim(Cuenta);
      p.cuentaPorArticulo = vb::Igual(p.cuentaComoVino, QStringLiteral("PorDefault"));
      if (!p.cuentaPorArticulo) p.cuenta = CuentaDe(Cuenta);
      p.caja = Codigo4(gCaja);
      if (!vb::Igual(vb::Trim(IdTecnico), QStringLiteral("NULL")))
        p.tecnico = gUtil.FormateaCodigo(vb::Trim(IdTecnico), 4);
      p.loteFijo = LoteFijo;
      p.aduana = Aduana;
      p.loteOrigen = LoteOrigen;
      p.confirmaUDEquiv = vb::Igual(vb::Trim(Cfg(QStringLiteral("ConfirmaUDEquiv"))), QStringLiteral("SI"));
      p.descargaInsumos =
          !vb::Igual(vb::Trim(Cfg(QStringLiteral("DescargaInsumosProduccion"))), QStringLiteral("SI"));
      const QString irOblig = vb::Trim(Cfg(QStringLiteral("IR_Oblig")));
      const bool recepcionObligatoria = !(irOblig.isEmpty() || vb::Igual(irOblig, QStringLiteral("NO")));
      p.sellaRecepcion = (vb::Igual(tipo, QStringLiteral("FCC")) || vb::Igual(tipo, QStringLiteral("RMC"))) &&
                         vb::Igual(tcOrigen, QStringLiteral("OC")) && !recepcionObligatoria &&
                         p.cpteOrigen.tipo != Valor::Nulo && p.fecha.tipo != Valor::Nulo;
      p.Verifica();

      if (GeneraSentenciaSQL) {
        // Nothing runs: the statements go back to the caller, who runs them
        // under the lock it holds around this call; what they use counts
        // from now on for the postings under that lock.
        EntregasStock entregas;
        p.Corre();
        p.Verifica();
        *SQLTemp = loteRecibido + p.Lote();
        entregas.Confirma();
      } else {
        // One transaction, taken with the write lock before any number or
        // sequence is read: every statement of the posting, or none.
        TransaccionStock bloqueo;
        p.Corre();
        p.Verifica();
        bloqueo.Confirma();
      }
      return true;
    } catch (const Rechazo& r) {
      rechazo = r.mensaje;
    } catch (const FallaSentencia& f) {
      fallaSentencia = f.descripcion;
    } catch (const Abandono&) {
    } catch (const std::exception& e) {
      error = vb::ToError(e);
    }
    // Undone: nothing of the posting was written or handed back.
    if (SQLTemp) *SQLTemp = loteRecibido;
    diferimiento.Restaura();
    int respuesta = 0;
    if (diferimiento.falla) {
      respuesta = gUtil.ReportaError(*diferimiento.falla, diferimiento.etiqueta);
    } else if (rechazo) {
      Interaccion::Actual().MsgBox(*rechazo, vbmsg::Exclamation | vbmsg::OKOnly, QLatin1String(kTitulo));
    } else if (fallaSentencia) {
      Interaccion::Actual().MsgBox(*fallaSentencia, vbmsg::Critical | vbmsg::OKOnly, QLatin1String(kTitulo));
    } else if (error) {
      respuesta = gUtil.ReportaError(*error, QStringLiteral("ActualizaStock"));
    }
    // Retry runs the whole posting again; any other answer leaves it undone.
    if (respuesta != vb::kRespuestaReintentar) {
      if (HayError) *HayError = true;
      return false;
    }
  }
}
