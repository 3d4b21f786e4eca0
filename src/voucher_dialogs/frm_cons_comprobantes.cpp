#include "voucher_dialogs/frm_cons_comprobantes.h"

#include <initializer_list>
#include <vector>

#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/listview.h"
#include "platform/error_steps.h"
#include "platform/teclas.h"
#include "platform/vb.h"
#include "session/formato.h"
#include "session/mod_global.h"
#include "vouchers/stock_unidades.h"

namespace {

bool EsUnoDe(const QString& tc, std::initializer_list<const char*> tipos) {
  for (const char* t : tipos)
    if (vb::Igual(tc, QLatin1String(t))) return true;
  return false;
}

// Groups of voucher types by the layout of their lines.
bool EsVenta(const QString& tc) {
  return EsUnoDe(tc, {"OT", "FC", "RM", "ND", "NC", "NCFP", "OP", "NP", "FP", "GF"});
}
bool EsCompra(const QString& tc) { return EsUnoDe(tc, {"FCC", "NCC", "NCCP", "NDC", "RMC", "NCPE", "NDPR"}); }
bool EsAsientoProveedor(const QString& tc) { return EsUnoDe(tc, {"NCPE", "NDPR"}); }

bool TieneCampo(const Recordset& rs, const QString& nombre) {
  for (int i = 0; i < rs.FieldCount(); ++i)
    if (vb::Igual(rs.FieldName(i), nombre)) return true;
  return false;
}

QString Texto(const Recordset& rs, const QString& nombre) {
  return gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(nombre)));
}

// A state column read as a Boolean; Null counts as false.
bool Estado(const Recordset& rs, const QString& nombre) {
  const Field f = rs.Fields(nombre);
  if (f.IsNull()) return false;
  const QVariant v = f.Value();
  bool numero = false;
  const double d = v.toDouble(&numero);
  if (numero) return d != 0;
  const QString t = vb::Trim(v.toString());
  return vb::Igual(t, QStringLiteral("True")) || vb::Igual(t, QStringLiteral("Verdadero"));
}

// An amount as the lists show it: the configured decimals and the locale's
// decimal separator; nothing for a missing amount.
QString Importe(const Recordset& rs) {
  const QString t = Texto(rs, QStringLiteral("Importe"));
  return vb::Trim(t).isEmpty() ? QString() : FmtMoneda(t, kDecimalesConfig);
}

// The text of the first of the columns that the row has ("" when none).
QString PrimerCampo(const Recordset& rs, std::initializer_list<const char*> nombres) {
  for (const char* n : nombres)
    if (TieneCampo(rs, QLatin1String(n))) return Texto(rs, QLatin1String(n));
  return QString();
}

}  // namespace

FrmConsComprobantes::FrmConsComprobantes() : Form(QStringLiteral("FrmConsComprobantes")) {
  SetCaption(QStringLiteral("Consulta de Comprobantes"));
  SetClientTwips(9600, 5400);
  ImageList1 = CreaImagenesComprobantes(this);
  ListView1 = new ListView(this, QStringLiteral("ListView1"));
  PosicionTwips(ListView1, 120, 120, 9360, 4560);
  ListView1->SetSmallIcons(ImageList1);
  ListView1->SetFullRowSelect(true);
  ListView1->SetHideSelection(false);
  ListView1->SetGridLines(true);
  // The first click on a column sorts it in ascending order.
  ListView1->SetSortOrder(lvw::Descending);
  ListView1->BeforeLabelEdit = [this](int& c) { ListView1_BeforeLabelEdit(c); };
  ListView1->AfterLabelEdit = [this](int& c, QString& t) { ListView1_AfterLabelEdit(c, t); };
  ListView1->ColumnClick = [this](int i) { ListView1_ColumnClick(i); };
  ListView1->DblClick = [this] { ListView1_DblClick(); };
  ListView1->KeyDown = [this](int& k, int s) { ListView1_KeyDown(k, s); };
  CmdAceptar = new CommandButton(this, QStringLiteral("&Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 6600, 4800, 1335, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
  CmdCancelar = new CommandButton(this, QStringLiteral("&Cancelar"), QStringLiteral("CmdCancelar"));
  PosicionTwips(CmdCancelar, 8040, 4800, 1335, 375);
  CmdCancelar->Click = [this] { CmdCancelar_Click(); };
  QWidget::setTabOrder(ListView1, CmdAceptar);
  QWidget::setTabOrder(CmdAceptar, CmdCancelar);
}

FrmConsComprobantes::~FrmConsComprobantes() = default;

void FrmConsComprobantes::Form_Load() {
  // Failures are reported without a procedure label; the form then shows
  // whatever lines were added.
  vb::ErrorSteps paso{QString()};
  if (!paso.step([&] {
        ListView1->ListItems().Clear();
        ListView1->SetMultiSelect(false);
        ListView1->SetCheckboxes(false);
      }))
    return;
  if (!paso.step([&] { referencia_ = vb::Igual(Cfg(QStringLiteral("UsaReferenciaPresupuestos")), QStringLiteral("SI")); }))
    return;
  if (!paso.step([&] { MapeaPseudoTipo(); })) return;
  if (!paso.step([&] {
        if (vb::Igual(vb::Trim(TC), QStringLiteral("OC"))) ListView1->SetCheckboxes(true);
      }))
    return;
  // The form takes the suite's font before the columns are measured, so
  // they fit the texts it shows.
  if (!paso.step([&] {
        gUtil.PreparaFormulario(this, false);
        ConfiguraFormulario(this);
      }))
    return;
  if (!paso.step([&] { Encolumnar(); })) return;
  QString sql;
  if (!paso.step([&] { sql = ArmaSentencia(); })) return;
  if (!paso.step([&] { gDatos.AbreRecordset(sql, rs_, nullptr, 0, 1, -1); })) return;
  bool hayFilas = false;
  if (!paso.step([&] { hayFilas = !rs_.Bof() && !rs_.Eof(); })) return;
  recepciones_.clear();
  proveedores_.clear();
  if (hayFilas && vb::Igual(vb::Trim(TC), QStringLiteral("OC")) && !paso.step([&] { LeeRecepciones(); })) return;
  // The lines are read first, then shown: a line that cannot be read (the
  // step answered "go on") is left out, and after a step answered otherwise
  // the lines read so far are shown.
  std::vector<Linea> lineas;
  columnas_ = static_cast<int>(Disposicion().size());
  const bool leidas = [&] {
    if (!hayFilas) return true;
    for (;;) {
      bool fin = true;
      if (!paso.step([&] { fin = rs_.Eof(); })) return false;
      if (fin) return true;
      if (!paso.step([&] { lineas.push_back(LeeLinea()); })) return false;
      if (!paso.step([&] { rs_.MoveNext(); })) return false;
    }
  }();
  if (leidas) paso.step([&] { gDatos.CierraRecordset(rs_); });
  for (const Linea& l : lineas)
    if (!paso.step([&] { AgregaLinea(l); })) return;
}

void FrmConsComprobantes::MapeaPseudoTipo() {
  pendientes_ = false;
  const struct {
    const char* pseudo;
    const char* tipo;
    bool pendiente;
  } mapa[] = {
      {"RM/PENDIENTES", "RM", true},          {"NP/PENDIENTES", "NP", true}, {"OT/PENDIENTES", "OT", true},
      {"RM/PENDIENTES_COMPRAS", "RMC", true}, {"PR/PENDIENTES", "PR", true}, {"FC/ANTICIPOS", "FC", false},
  };
  for (const auto& m : mapa) {
    if (vb::Igual(vb::Trim(TC), QLatin1String(m.pseudo))) {
      TC = QString::fromLatin1(m.tipo);
      if (m.pendiente) pendientes_ = true;
    }
  }
}

QString FrmConsComprobantes::ArmaSentencia() {
  const QString tc = vb::Trim(TC);
  // The type's code as it stands between the quotes of "TC = '...'".
  const QString tipoCitado = ClsDatos::EntreComillas(gUtil.FormateaCodigo(tc, 4));
  const bool conFiltro = !vb::Trim(Filtro).isEmpty();
  // The type's closing quote and the caller's condition, in brackets so that
  // an OR in it cannot reach past the type condition.
  const QString cierreYFiltro = QStringLiteral("' AND (") + Filtro + QStringLiteral(")");
  auto igual = [&](const char* t) { return vb::Igual(tc, QLatin1String(t)); };

  if (igual("RMC") && pendientes_) {
    const QString s = QStringLiteral(
        " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = '");
    return s + tipoCitado + (conFiltro ? cierreYFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC")
                              : QStringLiteral("' ORDER BY IDCOMPROBANTE DESC"));
  }
  if (igual("RM") && pendientes_) {
    const QString pendientes = QStringLiteral(
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes "
        "WHERE TC = '");
    const QString todos = QStringLiteral(
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = '");
    const bool contado = vb::Igual(Cfg(QStringLiteral("UsaRemitoContado")), QStringLiteral("SI"));
    if (conFiltro) {
      if (contado) return pendientes + tipoCitado + cierreYFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
      return todos + tipoCitado + cierreYFiltro + QStringLiteral("  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    }
    if (contado && !vb::Igual(Cfg(QStringLiteral("EntregaParcialRemito")), QStringLiteral("SI")))
      return pendientes + tipoCitado + QStringLiteral("' ORDER BY IDCOMPROBANTE DESC");
    return todos + tipoCitado + QStringLiteral("' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
  }
  if (igual("T3")) return QStringLiteral("SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO");
  if (EsAsientoProveedor(tc)) {
    return QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = '") + tipoCitado +
           (conFiltro ? cierreYFiltro + QStringLiteral(" ORDER BY SUCURSAL, NUMERO, LETRA DESC ")
                      : QStringLiteral("' ORDER BY SUCURSAL, NUMERO, LETRA DESC"));
  }
  if (EsCompra(tc)) {  // the supplier entries were answered above
    return QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = '") + tipoCitado +
           (conFiltro ? cierreYFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC ")
                      : QStringLiteral("' ORDER BY IDCOMPROBANTE DESC"));
  }
  // Work orders come from the pending ones, asked for as pending or not.
  if (igual("OT")) {
    return QStringLiteral(
               " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
               "V_OT_Pendientes WHERE TC = '") +
           tipoCitado +
           (conFiltro ? cierreYFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC")
                      : QStringLiteral("' ") + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC"));
  }
  if (igual("NP") && pendientes_) {
    return QStringLiteral(
               " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE "
               "TC = '") +
           tipoCitado +
           (conFiltro ? cierreYFiltro + QStringLiteral(" AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC")
                      : QStringLiteral("' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"));
  }
  if (igual("PR") && pendientes_) {
    if (conFiltro)
      return QStringLiteral(
                 " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM "
                 "V_MV_CPTE WHERE TC = '") +
             tipoCitado + QStringLiteral("' AND APROBADO = 1 AND (") + Filtro +
             QStringLiteral(") AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    return QStringLiteral(
               " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM "
               "V_PR_PENDIENTES WHERE TC = '") +
           tipoCitado + QStringLiteral("' AND APROBADO = 1") + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
  }
  if (igual("OC")) {
    const QString s = QStringLiteral(
        " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM "
        "C_MV_CPTE WHERE TC = '");
    const QString fijas = QStringLiteral("' AND (APROBADO = 1) AND (FINALIZADO = 0)");
    if (conFiltro)
      return s + tipoCitado + fijas + QStringLiteral(" AND (") + Filtro + QStringLiteral(")") +
             QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    return s + tipoCitado + fijas + Filtro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
  }
  return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = '") + tipoCitado +
         (conFiltro ? cierreYFiltro + QStringLiteral(" ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ")
                    : QStringLiteral("' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC"));
}

void FrmConsComprobantes::LeeRecepciones() {
  QStringList ordenes;
  for (; !rs_.Eof(); rs_.MoveNext()) ordenes << Texto(rs_, QStringLiteral("IdComprobante"));
  rs_.MoveFirst();
  LeePorCodigos(QStringLiteral("SELECT IDCOMPROBANTE_ORIGEN, idcomprobante FROM v_mv_stock WHERE TC = ") +
                    ClsDatos::Literal(gUtil.FormateaCodigo(QStringLiteral("IR"), 4)) +
                    QStringLiteral(" AND TC_ORIGEN = ") +
                    ClsDatos::Literal(gUtil.FormateaCodigo(QStringLiteral("OC"), 4)) +
                    QStringLiteral(" AND IDCOMPROBANTE_ORIGEN"),
                QString(), ordenes, [&](Recordset& rs, const QStringList&) {
                  for (; !rs.Eof(); rs.MoveNext()) {
                    const QString orden = ClaveDeCodigo(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(0))));
                    if (!recepciones_.contains(orden))
                      recepciones_.insert(orden, gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(1))));
                  }
                });
}

int FrmConsComprobantes::ObtieneIndiceImagen(const QString& tc) {
  const QString buscado = vb::Trim(tc);
  for (int i = 1; i <= ImageList1->ListImages().Count(); ++i)
    if (vb::Igual(vb::Trim(ImageList1->ListImages()(i).Tag), buscado)) return i;
  // A list without the generic image has no picture to give.
  if (vb::Igual(buscado, QStringLiteral("Generico"))) return 0;
  return ObtieneIndiceImagen(QStringLiteral("Generico"));
}

FrmConsComprobantes::Linea FrmConsComprobantes::LeeLinea() {
  const QString tc = vb::Trim(TC);
  auto campo = [&](const char* n) { return Texto(rs_, QLatin1String(n)); };
  auto estado = [&](const char* n) { return Estado(rs_, QLatin1String(n)); };
  Linea l;
  for (int i = 0; i < columnas_; ++i) l.columnas << QString();
  QStringList& c = l.columnas;

  if (vb::Igual(tc, QStringLiteral("T3"))) {
    namespace col = ColConsTerceros;
    c[col::kId] = campo("ID");
    c[col::kFecha] = campo("Fecha");
    c[col::kComprobante] = campo("IdComprobante");
    c[col::kComplemento] = campo("IdComplemento");
    c[col::kEnvio] = campo("FECHAENVIADO");
    c[col::kRecepcion] = campo("FECHARECIBIDO");
    return l;
  }
  // The amount first: a voucher whose amount does not convert (one beyond
  // the currency's range) is reported and not listed, never shown wrapped.
  const QString importe = Importe(rs_);
  if (EsCompra(tc)) {
    namespace col = ColConsCompras;
    const bool asiento = EsAsientoProveedor(tc);
    l.icono = !asiento && estado("Anulada") ? ObtieneIndiceImagen(QStringLiteral("Anulado")) : ObtieneIndiceImagen(tc);
    c[col::kFecha] = campo("Fecha");
    c[col::kComprobante] = asiento ? campo("Sucursal") + campo("Numero") + campo("Letra") : campo("IdComprobante");
    const QString cuenta = campo("Cuenta");
    c[col::kProveedor] = cuenta;
    if (asiento) {
      auto proveedor = proveedores_.constFind(cuenta);
      if (proveedor == proveedores_.cend())
        proveedor = proveedores_.insert(
            cuenta, gUtil.ConvierteTexto(gDatos.ObtieneValor(QStringLiteral("VT_PROVEEDORES"), cuenta,
                                                             QStringLiteral("RAZON_SOCIAL"), QStringLiteral("Codigo"),
                                                             8, QString())));
      c[col::kNombre] = *proveedor;
    } else {
      c[col::kNombre] = campo("Nombre");
    }
    // The description stands under "CONCEPTO", the amount under "IMPORTE".
    c[col::kConcepto] = PrimerCampo(rs_, {"COMENTARIOS", "DESCRIPCION"});
    c[col::kImporte] = importe;
    return l;
  }
  if (vb::Igual(tc, QStringLiteral("PR"))) {
    namespace col = ColConsPresupuestos;
    l.icono = estado("Anulada") ? ObtieneIndiceImagen(QStringLiteral("Anulado")) : ObtieneIndiceImagen(tc);
    c[col::kFecha] = campo("Fecha");
    c[col::kComprobante] = campo("IdComprobante");
    c[col::kNombre] = campo("Nombre");
    if (referencia_) c[col::kReferencia] = campo("COMENTARIOS");
    c.back() = importe;
    return l;
  }
  if (vb::Igual(tc, QStringLiteral("OC"))) {
    namespace col = ColConsOrdenes;
    l.icono = ObtieneIndiceImagen(tc);
    if (estado("Garantia")) l.icono = ObtieneIndiceImagen(QStringLiteral("OCG"));
    if (estado("Anulada")) l.icono = ObtieneIndiceImagen(QStringLiteral("Anulado"));
    const QString id = campo("IdComprobante");
    c[col::kFecha] = campo("Fecha");
    c[col::kProveedor] = campo("Cuenta") + QStringLiteral(" ") + campo("Nombre");
    c[col::kComprobante] = id;
    c[col::kImporte] = importe;
    c[col::kComentarios] = campo("COMENTARIOS");
    c[col::kRecepcion] = recepciones_.value(ClaveDeCodigo(id));
    return l;
  }
  // Sales types and any other type.
  namespace col = ColConsVentas;
  l.icono = ObtieneIndiceImagen(tc);
  if (estado("Anulada"))
    l.icono = ObtieneIndiceImagen(QStringLiteral("Anulado"));
  else if (estado("APROBADO"))
    l.icono = ObtieneIndiceImagen(QStringLiteral("Aprobado"));
  c[col::kFecha] = campo("Fecha");
  c[col::kComprobante] = campo("IdComprobante");
  if (vb::Igual(tc, QStringLiteral("OT")) || vb::Igual(tc, QStringLiteral("FC"))) c[col::kComplemento] = campo("IdComplemento");
  c[col::kNombre] = campo("Nombre");
  // The sales layout with "Referencia", or the other types' "CONCEPTO": the
  // comments where the source has them; the amount stays under "IMPORTE".
  if (c.size() > col::kReferencia + 1) c[col::kReferencia] = PrimerCampo(rs_, {"COMENTARIOS"});
  c.back() = importe;
  return l;
}

void FrmConsComprobantes::AgregaLinea(const Linea& linea) {
  ListItem* item = ListView1->ListItems().Add(QString(), QString(), linea.icono, linea.icono);
  item->SetText(linea.columnas.value(0));
  for (int i = 1; i < linea.columnas.size(); ++i) item->SetSubItems(i, linea.columnas[i]);
}

std::vector<FrmConsComprobantes::Columna> FrmConsComprobantes::Disposicion() const {
  struct Opcional {
    Columna columna;
    bool soloConReferencia;
  };
  const QString tc = vb::Trim(TC);
  std::vector<Opcional> columnas;
  if (EsVenta(tc))
    columnas = {{{"FECHA", 13}, false},  {{"COMPROBANTE", 15}, false}, {{"ID", 5}, false},
                {{"NOMBRE", 21}, false}, {{"Referencia", 21}, true},   {{"IMPORTE", 10}, false}};
  else if (EsCompra(tc))
    columnas = {{{"FECHA", 13}, false},  {{"COMPROBANTE", 15}, false}, {{"PROVEEDOR", 15}, false},
                {{"NOMBRE", 21}, false}, {{"CONCEPTO", 21}, false},    {{"IMPORTE", 10}, false}};
  else if (vb::Igual(tc, QStringLiteral("PR")))
    columnas = {{{"FECHA", 13}, false}, {{"COMPROBANTE", 15}, false}, {{"NOMBRE", 21}, false},
                {{"ID", 5}, false},     {{"Referencia", 21}, true},   {{"IMPORTE", 10}, false}};
  else if (vb::Igual(tc, QStringLiteral("T3")))
    columnas = {{{"Nº Int.", 7}, false}, {{"FECHA", 13}, false},    {{"COMPROBANTE", 15}, false},
                {{"ID", 4}, false},      {{"FH Envio", 10}, false}, {{"FH Recep", 10}, false}};
  else if (vb::Igual(tc, QStringLiteral("OC")))
    columnas = {{{"FECHA", 13}, false},  {{"PROVEEDOR", 13}, false},   {{"COMPROBANTE", 17}, false},
                {{"IMPORTE", 9}, false}, {{"COMENTARIOS", 15}, false}, {{"Inf. Recepción", 15}, false}};
  else
    columnas = {{{"FECHA", 13}, false},  {{"COMPROBANTE", 15}, false}, {{"CUENTA", 15}, false},
                {{"NOMBRE", 21}, false}, {{"CONCEPTO", 21}, false},    {{"IMPORTE", 10}, false}};
  std::vector<Columna> r;
  for (const Opcional& c : columnas)
    if (!c.soloConReferencia || referencia_) r.push_back(c.columna);
  return r;
}

void FrmConsComprobantes::Encolumnar() {
  vb::ErrorSteps paso(QStringLiteral("Encolumnar"));
  if (!paso.step([&] { ListView1->ColumnHeaders().Clear(); })) return;
  for (const Columna& c : Disposicion()) {
    if (!paso.step([&] {
          const QString titulo = QString::fromUtf8(c.titulo);
          ColumnHeader* h = ListView1->ColumnHeaders().Add(titulo, TextWidth(QString(c.equis, u'X')));
          // Dates sort as dates and numbers as numbers; amounts stand to the right.
          if (EsUnoDe(titulo, {"FECHA", "FH Envio", "FH Recep"})) h->SetTipoOrden(lvw::OrdenFecha);
          if (vb::Igual(titulo, QStringLiteral("ID")) || titulo == QStringLiteral("Nº Int."))
            h->SetTipoOrden(lvw::OrdenNumero);
          if (vb::Igual(titulo, QStringLiteral("IMPORTE"))) {
            h->SetTipoOrden(lvw::OrdenNumero);
            h->SetAlignment(lvw::ColumnRight);
          }
        }))
      return;
  }
}

void FrmConsComprobantes::CmdAceptar_Click() {
  ListItem* sel = ListView1->SelectedItem();
  const QString tc = vb::Trim(TC);
  if (!sel) {
    NroComprobante.clear();
  } else if (EsVenta(tc)) {
    NroComprobante = sel->SubItems(ColConsVentas::kComprobante);
    IdComplemento = sel->SubItems(ColConsVentas::kComplemento);
  } else if (EsCompra(tc)) {
    NroComprobante = sel->SubItems(ColConsCompras::kComprobante);
    Proveedor = sel->SubItems(ColConsCompras::kProveedor);
  } else if (vb::Igual(tc, QStringLiteral("PR"))) {
    NroComprobante = sel->SubItems(ColConsPresupuestos::kComprobante);
    IdComplemento = QStringLiteral("0");
  } else if (vb::Igual(tc, QStringLiteral("T3"))) {
    static_assert(ColConsTerceros::kId == 0, "the line's text");
    NroComprobante = sel->Text();
    IdComplemento = QStringLiteral("0");
  } else if (vb::Igual(tc, QStringLiteral("OC"))) {
    // Several purchase orders at once: the ticked ones in list order.
    NroComprobante.clear();
    IdComplemento = QStringLiteral("0");
    for (int i = 1; i <= ListView1->ListItems().Count(); ++i) {
      ListItem* it = ListView1->ListItems()(i);
      if (!it->Checked()) continue;
      if (!NroComprobante.isEmpty()) NroComprobante += u',';
      NroComprobante += it->SubItems(ColConsOrdenes::kComprobante);
    }
    if (NroComprobante.isEmpty()) NroComprobante = sel->SubItems(ColConsOrdenes::kComprobante);
  } else {
    NroComprobante = sel->SubItems(ColConsVentas::kComprobante);
  }
  Unload();
}

void FrmConsComprobantes::CmdCancelar_Click() { Unload(); }

void FrmConsComprobantes::Form_Unload(int&) {
  ListView1->ListItems().Clear();
  hide();
}

void FrmConsComprobantes::Form_Resize() {
  // The list fills the window above the buttons.
  const int ancho = WidthTwips(), alto = HeightTwips();
  if (ancho < 3200 || alto < 1500) return;
  PosicionTwips(ListView1, 120, 120, ancho - 240, alto - 840);
  PosicionTwips(CmdAceptar, ancho - 3000, alto - 600, 1335, 375);
  PosicionTwips(CmdCancelar, ancho - 1560, alto - 600, 1335, 375);
}

void FrmConsComprobantes::ListView1_BeforeLabelEdit(int& Cancel) { Cancel = 1; }

void FrmConsComprobantes::ListView1_AfterLabelEdit(int& Cancel, QString&) { Cancel = 1; }

void FrmConsComprobantes::ListView1_ColumnClick(int ColumnHeaderIndex) {
  ListView1->SetSorted(true);
  ListView1->SetSortKey(ColumnHeaderIndex - 1);
  ListView1->SetSortOrder(ListView1->SortOrder() == lvw::Ascending ? lvw::Descending : lvw::Ascending);
}

void FrmConsComprobantes::ListView1_DblClick() { CmdAceptar_Click(); }

void FrmConsComprobantes::ListView1_KeyDown(int& KeyCode, int) {
  if (KeyCode != vbkey::Return) return;
  KeyCode = 0;  // the key is spent on the choice
  // Enter takes the line the cursor is on. The list opens with its first
  // line current but not selected, and Aceptar takes only a selected line.
  const QModelIndex actual = ListView1->currentIndex();
  if (!ListView1->SelectedItem() && actual.isValid())
    ListView1->SetSelectedItem(ListView1->ListItems()(actual.row() + 1));
  CmdAceptar_Click();
}
