#include "approval/frm_zamolid.h"

#include <QCoreApplication>
#include <QHash>

#include "approval/frm_detalle_tareas.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/frame.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/label.h"
#include "platform/controles/listview.h"
#include "platform/controles/plexatol.h"
#include "platform/controles/textbox.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/consulta_tabla.h"
#include "session/frm_menus.h"
#include "session/mod_global.h"
#include "session/numeracion.h"
#include "session/stuff.h"
#include "vouchers/cls_cmn_cptes.h"

namespace {

struct DefCaja {
  int indice;
  const char* campo;
  const char* tag;
  int largo;
  int left, top, width;
};

}  // namespace

FrmZamolid::FrmZamolid() : Form(QStringLiteral("FrmZamolid")) {
  SetCaption(QStringLiteral("Zamolid Realizadas"));
  SetClientTwips(8460, 5595);
  SetKeyPreview(true);

  Plexatol1 = new Plexatol(this, QStringLiteral("Plexatol1"));
  PosicionTwips(Plexatol1, 0, 0, 8415, 615);
  Plexatol1->Click = [this](const QString& b) { Plexatol1_Click(b); };

  Frame1 = new Frame(this, QString(), QStringLiteral("Frame1"));
  PosicionTwips(Frame1, 0, 600, 8415, 1215);
  Frame2 = new Frame(this, QString(), QStringLiteral("Frame2"));
  PosicionTwips(Frame2, 0, 1800, 8415, 615);

  // Each label at its place, reaching to the box it names (placed for good
  // once the form's font is known, AjustaEtiquetas).
  auto etiqueta = [this](QWidget* padre, int indice, const QString& texto, int left, int top, int caja) {
    auto* l = new Label(padre, texto, QStringLiteral("Label1"));
    PosicionTwips(l, left, top, caja - left - 60, 255);
    Labels.Agrega(indice, l);
    etiquetas_.push_back({indice, left, top, caja});
  };
  etiqueta(Frame1, 0, QStringLiteral("Orden de Trabajo Desde"), 120, 240, 2040);
  etiqueta(Frame1, 1, QStringLiteral("Orden de Trabajo Hasta"), 3840, 240, 5640);
  etiqueta(Frame1, 2, QStringLiteral("Fecha Desde:"), 120, 550, 2040);
  etiqueta(Frame1, 3, QStringLiteral("Fecha Hasta:"), 3840, 555, 5640);
  etiqueta(Frame1, 4, QStringLiteral("Técnico Desde"), 120, 860, 2040);
  etiqueta(Frame1, 5, QStringLiteral("Técnico Hasta:"), 3840, 855, 5640);
  etiqueta(Frame2, 6, QStringLiteral("Responsable Autorización"), 120, 240, 2040);

  static const DefCaja kCajas[] = {
      {0, "Sucursal_desde", "COMPROBANTES", 4, 2040, 240, 495},
      {1, "Nro_desde", "COMPROBANTES", 8, 2520, 240, 855},
      {2, "Letra_Desde", "COMPROBANTES", 1, 3360, 240, 255},
      {3, "Sucursal_Hasta", "COMPROBANTES", 4, 5640, 240, 495},
      {4, "Nro_Hasta", "COMPROBANTES", 8, 6120, 240, 855},
      {5, "Letra_Hasta", "COMPROBANTES", 1, 6960, 240, 255},
      {8, "Fecha_desde", "fecha", 10, 2040, 550, 1095},
      {9, "Fecha_Hasta", "fecha", 10, 5640, 550, 1215},
      {6, "Tecnico_desde", "v_ta_tecnicos", 4, 2040, 860, 735},
      {7, "Tecnico_Hasta", "v_ta_tecnicos", 4, 5640, 860, 735},
  };
  for (const DefCaja& d : kCajas) {
    auto* t = new TextBox(Frame1, QStringLiteral("txtFields"), d.indice);
    t->DataField = QString::fromLatin1(d.campo);
    t->Tag = QString::fromLatin1(d.tag);
    t->SetMaxLength(d.largo);
    PosicionTwips(t, d.left, d.top, d.width, 285);
    txtFields.Agrega(d.indice, t);
  }
  auto* responsable = new TextBox(Frame2, QStringLiteral("txtFields"), 11);
  responsable->DataField = QStringLiteral("RESPONSABLE");
  responsable->SetMaxLength(50);
  PosicionTwips(responsable, 2040, 240, 6255, 285);
  txtFields.Agrega(11, responsable);

  CmdBuscar = new CommandButton(Frame1, QStringLiteral("Buscar"), QStringLiteral("CmdBuscar"));
  PosicionTwips(CmdBuscar, 6960, 840, 1335, 255);
  CmdBuscar->Click = [this] { CmdBuscar_Click(); };

  ImageList1 = CreaImagenesAprobacion(this);
  ListView1 = new ListView(this, QStringLiteral("ListView1"));
  PosicionTwips(ListView1, 0, 2520, 8415, 3015);
  ListView1->SetCheckboxes(true);
  ListView1->SetSmallIcons(ImageList1);
  ListView1->SetFullRowSelect(true);
  ListView1->SetHideSelection(false);
  ListView1->SetToolTipText(QStringLiteral(
      "Haga Click con el botón derecho del Mouse para poder ver el detalle de las tareas cargadas"));
  ListView1->ItemCheck = [this](ListItem* i) { ListView1_ItemCheck(i); };
  ListView1->ItemClick = [this](ListItem* i) { ListView1_ItemClick(i); };
  ListView1->BeforeLabelEdit = [this](int& c) { ListView1_BeforeLabelEdit(c); };
  ListView1->AfterLabelEdit = [this](int& c, QString& t) { ListView1_AfterLabelEdit(c, t); };
  ListView1->MouseDown = [this](int b, int s, int x, int y) { ListView1_MouseDown(b, s, x, y); };

  for (const auto& [indice, caja] : txtFields.Elementos()) {
    const int i = indice;
    caja->Change = [this, i] { TxtFields_Change(i); };
    caja->GotFocus = [this, i] { TxtFields_GotFocus(i); };
    caja->KeyDown = [this, i](int& k, int s) { TxtFields_KeyDown(i, k, s); };
    caja->KeyPress = [this, i](int& k) { TxtFields_KeyPress(i, k); };
  }
  // Tab order: the work-order range, the dates, the technicians, Buscar,
  // the approver.
  QWidget* orden[] = {&txtFields(0), &txtFields(1), &txtFields(2), &txtFields(3), &txtFields(4), &txtFields(5),
                      &txtFields(8), &txtFields(9), &txtFields(6), &txtFields(7), CmdBuscar, &txtFields(11),
                      ListView1};
  for (size_t i = 0; i + 1 < std::size(orden); ++i) QWidget::setTabOrder(orden[i], orden[i + 1]);
  Plexatol1->setFocusPolicy(Qt::NoFocus);
}

FrmZamolid::~FrmZamolid() = default;

void FrmZamolid::Form_Load() {
  bool usarIni = false;
  QString linea, cadena;
  InicializaSistema(usarIni, linea, cadena);
  gUtil.PreparaFormulario(this, false);
  ConfiguraFormulario(this);
  AjustaEtiquetas();
  Inicializa();
}

void FrmZamolid::AjustaEtiquetas() {
  // A label starts at its place and its text ends a few pixels before the box
  // it names. The places were drawn for a narrower font: a text that would
  // come closer to its box than that starts as much further left as it
  // needs (a few pixels at most with the form's font).
  constexpr int kSeparacion = 4;
  for (const Etiqueta& e : etiquetas_) {
    Label& l = Labels(e.indice);
    const int ancho = l.fontMetrics().horizontalAdvance(l.Caption());
    const int fin = APixeles(e.caja) - kSeparacion;
    const int izquierda = std::max(0, std::min(APixeles(e.left), fin - ancho));
    l.setGeometry(izquierda, APixeles(e.top), fin - izquierda, APixeles(255));
  }
}

void FrmZamolid::Inicializa() {
  Plexatol1->setGrabarenabled(false);
  Plexatol1->setNuevoenabled(false);
  Plexatol1->setBorrarenabled(false);
  Plexatol1->setReporteenabled(false);
  gCampos.LimpiaCampos(this, 0, 0, QStringLiteral("txtfields"));
  ListView1->ListItems().Clear();
  Encolumnar();
}

void FrmZamolid::Encolumnar() {
  auto& c = ListView1->ColumnHeaders();
  c.Clear();
  c.Add(QStringLiteral("Fecha"), TextWidth(QString(13, u'X')));
  c.Add(QStringLiteral("IdDiario"), TextWidth(QString(7, u'X')));
  c.Add(QStringLiteral("Orden de Trabajo"), TextWidth(QString(15, u'X')));
  c.Add(QStringLiteral("Id"), TextWidth(QString(4, u'X')));
  c.Add(QStringLiteral("Técnico"), TextWidth(QString(22, u'X')));
  c.Add(QStringLiteral("Controlado por"), TextWidth(QString(22, u'X')));
}

TextBox& FrmZamolid::Caja(const QString& nombre) { return txtFields(gCampos.IndiceCampo(nombre, txtFields)); }

QString FrmZamolid::TextoDe(const QString& nombre) { return Caja(nombre).Text(); }

QString FrmZamolid::ClaveHasta(const QString& sucursal, const QString& numero, const QString& letra) {
  const bool haySucursal = !vb::Trim(sucursal).isEmpty(), hayNumero = !vb::Trim(numero).isEmpty(),
             hayLetra = !vb::Trim(letra).isEmpty();
  // A partly filled upper end takes in every work order it names: its empty
  // boxes count as their highest value (branch 9999, number 99999999,
  // letter Z), so branch 1 alone reaches 000199999999Z and branch 1 with
  // number 40 reaches 000100000040Z. A full end or an empty one is as typed.
  const bool parcial = (haySucursal || hayNumero || hayLetra) && !(haySucursal && hayNumero && hayLetra);
  if (!parcial) return ClaveComprobante::Compone(sucursal, numero, letra);
  return ClaveComprobante::Compone(haySucursal ? sucursal : QStringLiteral("9999"),
                                   hayNumero ? numero : QStringLiteral("99999999"), hayLetra ? letra : QStringLiteral("Z"));
}

bool FrmZamolid::ArmaWhere(QString& Where) {
  const QString sucDesde = TextoDe(QStringLiteral("Sucursal_Desde"));
  const QString nroDesde = TextoDe(QStringLiteral("Nro_Desde"));
  const QString letraDesde = TextoDe(QStringLiteral("Letra_Desde"));
  const QString sucHasta = TextoDe(QStringLiteral("Sucursal_Hasta"));
  const QString nroHasta = TextoDe(QStringLiteral("Nro_Hasta"));
  const QString letraHasta = TextoDe(QStringLiteral("Letra_Hasta"));
  const QString fechaDesde = TextoDe(QStringLiteral("Fecha_Desde"));
  const QString fechaHasta = TextoDe(QStringLiteral("Fecha_Hasta"));
  const QString tecDesde = TextoDe(QStringLiteral("Tecnico_Desde"));
  const QString tecHasta = TextoDe(QStringLiteral("Tecnico_Hasta"));

  // Dates that are not dates stop the search before anything runs.
  for (const auto& [nombre, texto, leyenda] :
       {std::tuple{QStringLiteral("Fecha_Desde"), fechaDesde, QStringLiteral("Fecha Desde")},
        std::tuple{QStringLiteral("Fecha_Hasta"), fechaHasta, QStringLiteral("Fecha Hasta")}}) {
    if (!vb::Trim(texto).isEmpty() && !vb::IsDate(texto)) {
      Interaccion::Actual().MsgBox(
          QStringLiteral("La %1 ingresada (%2) no es una fecha válida.\nIngrésela como dd/mm/aaaa.").arg(leyenda, vb::Trim(texto)),
          vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
      Caja(nombre).SetFocus();
      return false;
    }
  }

  const QString desde = ClaveComprobante::Compone(sucDesde, nroDesde, letraDesde);
  const QString hasta = ClaveHasta(sucHasta, nroHasta, letraHasta);

  // One range on a column compared as trimmed text: both ends, only the
  // lower one, only the upper one, or none. The ends go into SQL through
  // the literal function, as typed once trimmed.
  auto rango = [](const QString& columna, const QString& d, const QString& h) {
    const QString td = ClsDatos::EntreComillas(vb::Trim(d)), th = ClsDatos::EntreComillas(vb::Trim(h));
    const QString c = QStringLiteral("(LTRIM(RTRIM(") + columna + QStringLiteral(")) ");
    if (!td.isEmpty() && !th.isEmpty())
      return QStringLiteral(" ") + c + QStringLiteral(">= '") + td + QStringLiteral("') AND ") + c + QStringLiteral("<= '") +
             th + QStringLiteral("') ");
    if (!td.isEmpty()) return QStringLiteral(" ") + c + QStringLiteral(">= '") + td + QStringLiteral("') ");
    if (!th.isEmpty()) return QStringLiteral(" ") + c + QStringLiteral("<= '") + th + QStringLiteral("') ");
    return QString();
  };
  const QString comprobante = rango(QStringLiteral("IDCOMPROBANTE"), desde, hasta);
  QString fecha;
  {
    const bool hayDesde = !vb::Trim(fechaDesde).isEmpty(), hayHasta = !vb::Trim(fechaHasta).isEmpty();
    // The upper bound is the last moment of its day, so the whole day counts.
    if (hayDesde && hayHasta)
      fecha = QStringLiteral(" (FECHA >= ") + gUtil.FechaSQL(fechaDesde) + QStringLiteral(") AND (FECHA <= ") +
              gUtil.FechaSQL(fechaHasta, true) + QStringLiteral(") ");
    else if (hayDesde)
      fecha = QStringLiteral(" (FECHA  >= ") + gUtil.FechaSQL(fechaDesde) + QStringLiteral(") ");
    else if (hayHasta)
      fecha = QStringLiteral(" (FECHA  <= ") + gUtil.FechaSQL(fechaHasta, true) + QStringLiteral(") ");
  }
  const QString tecnico = rango(QStringLiteral("IDTECNICO"), tecDesde, tecHasta);

  Where = comprobante;
  for (const QString& termino : {fecha, tecnico}) {
    if (termino.isEmpty()) continue;
    Where += (vb::Trim(Where).isEmpty() ? QString() : QStringLiteral(" AND ")) + termino;
  }
  if (!vb::Trim(Where).isEmpty()) Where = QStringLiteral(" Where ") + Where;
  return true;
}

void FrmZamolid::CmdBuscar_Click() {
  vb::ErrorSteps paso(QStringLiteral("CmdBuscar_Click"));
  QString where;
  bool valido = false;
  if (!paso.step([&] { valido = ArmaWhere(where); })) return;
  if (!valido) return;
  paso.step([&] { CargarComprobantes(where); });
}

QString FrmZamolid::SentenciaListado(const QString& Where) {
  // The reports that have a row meeting the condition; all of them when
  // there is none.
  const QString reportes = vb::Trim(Where).isEmpty()
                               ? QString()
                               : QStringLiteral(" WHERE IDDIARIO IN (SELECT IDDIARIO FROM V_MV_DIARIOS ") + Where +
                                     QStringLiteral(")");
  // A technician's name as the code look-up finds it: codes compared without
  // their surrounding blanks, the first row of a code.
  const QString columnas = QStringLiteral("FECHA, IDDIARIO, IDCOMPROBANTE, IDCOMPLEMENTO, IDTECNICO, AUTORIZADOPOR");
  const QString externas =
      QStringLiteral("SELECT D.FECHA, D.IDDIARIO, D.IDCOMPROBANTE, D.IDCOMPLEMENTO, D.IDTECNICO, D.AUTORIZADOPOR, "
                     "T.NOMBRE FROM ");
  const QString orden = QStringLiteral(" ORDER BY D.IDDIARIO");
  if (gDatos.EsSqlite()) {
    // The first row of a report is the first one stored, the one a query of
    // that report alone reads first: the row with the lowest ROWID, whose
    // columns an aggregate MIN() hands over as they stand.
    return externas + QStringLiteral("(SELECT ") + columnas + QStringLiteral(", MIN(ROWID) AS PRIMERA FROM V_MV_DIARIOS") +
           reportes +
           QStringLiteral(" GROUP BY IDDIARIO) D LEFT JOIN (SELECT LTRIM(RTRIM(IDTECNICO)) AS CODIGO, NOMBRE, "
                          "MIN(ROWID) AS PRIMERA FROM V_TA_TECNICOS GROUP BY LTRIM(RTRIM(IDTECNICO))) T "
                          "ON T.CODIGO = LTRIM(RTRIM(D.IDTECNICO))") +
           orden;
  }
  // The server numbers the rows of each report as it reads them.
  return externas + QStringLiteral("(SELECT ") + columnas +
         QStringLiteral(", ROW_NUMBER() OVER (PARTITION BY IDDIARIO ORDER BY (SELECT NULL)) AS FILA FROM V_MV_DIARIOS") +
         reportes +
         QStringLiteral(") D LEFT JOIN (SELECT LTRIM(RTRIM(IDTECNICO)) AS CODIGO, MIN(NOMBRE) AS NOMBRE "
                        "FROM V_TA_TECNICOS GROUP BY LTRIM(RTRIM(IDTECNICO))) T ON T.CODIGO = LTRIM(RTRIM(D.IDTECNICO)) "
                        "WHERE D.FILA = 1") +
         orden;
}

void FrmZamolid::CargarComprobantes(const QString& Where) {
  vb::ErrorSteps paso(QStringLiteral("CargarComprobantes"));
  // A retry starts the list over.
  if (!paso.step([&] { LlenaLista(Where); })) return;
  paso.step([&] { ListView1->Refresh(); });
}

void FrmZamolid::LlenaLista(const QString& Where) {
  // One statement gives each report's line: its first row with the name of
  // its technician, in report order. The rows are read one at a time into
  // the list.
  ListView1->ListItems().Clear();
  Encolumnar();
  QString convertidos, tecnico;  // room reused from line to line
  gDatos.RecorreRecordset(SentenciaListado(Where), [&](const QVariant* fila, int) {
    AgregaLinea(fila, convertidos, tecnico);
  });
}

void FrmZamolid::AgregaLinea(const QVariant* fila, QString& convertidos, QString& tecnico) {
  // The columns in the order the statement names them.
  enum { kFecha, kIdDiario, kIdComprobante, kIdComplemento, kIdTecnico, kAutorizadoPor, kNombre, kColumnas };
  // Each value as the library turns it into text (gUtil.ConvierteTexto of
  // gUtil.ValorCampo: Null gives ""). A text is read where it stands; the
  // others are written one after the other into convertidos.
  convertidos.resize(0);
  qsizetype desde[kColumnas + 1];
  for (int i = 0; i < kColumnas; ++i) {
    desde[i] = convertidos.size();
    if (fila[i].typeId() != QMetaType::QString) vb::AgregaTexto(convertidos, fila[i]);
  }
  desde[kColumnas] = convertidos.size();
  auto campo = [&](int i) -> QStringView {
    if (fila[i].typeId() == QMetaType::QString) return *static_cast<const QString*>(fila[i].constData());
    return QStringView(convertidos).mid(desde[i], desde[i + 1] - desde[i]);
  };
  const QStringView aprobador = vb::TrimVista(campo(kAutorizadoPor));
  const bool aprobado = !aprobador.isEmpty();
  // The name as the look-up hands it back: untrimmed, empty when the
  // technician has no row.
  tecnico.resize(0);
  tecnico.append(vb::TrimVista(campo(kIdTecnico))).append(QStringLiteral(" - ")).append(campo(kNombre));
  ItemDiario = ListView1->ListItems().AddLinea(
      {vb::TrimVista(campo(kFecha)), vb::TrimVista(campo(kIdDiario)), vb::TrimVista(campo(kIdComprobante)),
       vb::TrimVista(campo(kIdComplemento)), tecnico, aprobador},
      QString(), aprobado ? kIconoAprobado : kIconoPendiente);
  ItemDiario->SetChecked(aprobado);
}

void FrmZamolid::Form_Resize() {
  // The list keeps the margins the window's layout gives it (a client area
  // of 8460 x 5595 twips, the list at 0, 2520, 8415 x 3015): it fills the
  // window to 45 twips from its right edge and 60 from its bottom. A window
  // too small for the list leaves its size as it was.
  constexpr int kMargenDerecho = 8460 - 8415, kMargenInferior = 5595 - (2520 + 3015);
  const int ancho = WidthTwips() - kMargenDerecho;
  const int alto = HeightTwips() - ATwips(ListView1->y()) - kMargenInferior;
  if (ancho > 0) ListView1->resize(APixeles(ancho), ListView1->height());
  if (alto > 0) ListView1->resize(ListView1->width(), APixeles(alto));
}

void FrmZamolid::Form_Unload(int&) {
  hide();
  LiberaGlobal();
  programa::Cierra();
}

QList<QStringList> FrmZamolid::PartesMarcadas() {
  // The ids of the ticked pending lines, in parts of at most
  // kReportesPorSentencia: a database refuses an endless OR chain.
  constexpr int kReportesPorSentencia = 500;
  QList<QStringList> partes;
  QStringList parte;
  const int lineas = ListView1->ListItems().Count();
  for (int i = 1; i <= lineas; ++i) {
    ListItem* it = ListView1->ListItems()(i);
    if (!it->Checked() || it->SmallIcon() != kIconoPendiente) continue;
    const QString id = vb::Trim(it->SubItems(1));
    if (!vb::IsNumeric(id)) continue;  // a line not loaded from the reports
    if (parte.size() == kReportesPorSentencia) {
      partes << parte;
      parte.clear();
    }
    parte << id;
  }
  if (!parte.isEmpty()) partes << parte;
  return partes;
}

QString FrmZamolid::CondicionDe(const QStringList& ids) {
  QString condicion;
  for (const QString& id : ids) {
    if (!vb::Trim(condicion).isEmpty()) condicion += QStringLiteral(" OR ");
    condicion += QStringLiteral(" (IDDIARIO = ") + id + QStringLiteral(")");
  }
  return condicion;
}

QStringList FrmZamolid::SentenciasAprobacion(const QString& aprobador) {
  return SentenciasAprobacion(PartesMarcadas(), aprobador);
}

QStringList FrmZamolid::SentenciasAprobacion(const QList<QStringList>& partes, const QString& aprobador) {
  // Only reports still pending take the name: an approval made meanwhile by
  // someone else is kept. The parts run as one batch, all or nothing.
  QStringList sentencias;
  for (const QStringList& parte : partes)
    sentencias << QStringLiteral("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = '") + ClsDatos::EntreComillas(aprobador) +
                      QStringLiteral("' WHERE (") + CondicionDe(parte) + QStringLiteral(") AND (TC = 'OT')") +
                      QStringLiteral(" AND (AUTORIZADOPOR IS NULL OR AUTORIZADOPOR = '')");
  return sentencias;
}

void FrmZamolid::ProcesoAprobacion() {
  const QString aprobador = TextoDe(QStringLiteral("Responsable"));
  const QList<QStringList> partes = PartesMarcadas();
  const QStringList sentencias = SentenciasAprobacion(partes, aprobador);
  if (sentencias.isEmpty()) return;
  gDatos.Conexion().Execute(sentencias.join(QStringLiteral("\r\n")), nullptr, -1);
  // The approval is saved. What follows only reads: a failure from here on
  // (another user holding the database) leaves the list as far as it got
  // and says the approval was saved, never that it failed.
  QString aviso;
  try {
    // What the statements left in each ticked report: those that do not
    // carry this approval now were passed over, and the user is told why.
    aviso = AvisoNoAprobados(partes, aprobador);
    LlenaLista(QString());
    ListView1->Refresh();
  } catch (const std::exception& falla) {
    const vb::Error e = vb::ToError(falla);
    const QString motivo = e.Description.startsWith(ado::kMensajeBloqueo)
                               ? QStringLiteral("otro usuario tiene ocupada la base de datos.")
                               : QStringLiteral("\n\n") + e.Description;
    if (!aviso.isEmpty()) aviso += QStringLiteral("\n\n");
    aviso += QStringLiteral("La aprobación quedó grabada, pero no se pudo actualizar la lista de partes: ") + motivo +
             QStringLiteral("\n\nPresione Buscar para ver la lista actualizada.");
  }
  if (!aviso.isEmpty()) Interaccion::Actual().MsgBox(aviso, vbmsg::Exclamation, QStringLiteral("Aviso al Operador"));
}

QString FrmZamolid::SentenciaRevision(const QStringList& ids) {
  return QStringLiteral("SELECT IDDIARIO, TC, AUTORIZADOPOR FROM V_MV_DIARIOS WHERE ") + CondicionDe(ids);
}

QString FrmZamolid::AvisoNoAprobados(const QList<QStringList>& partes, const QString& aprobador) {
  struct Estado {
    bool hayFilas = false;
    bool deOrden = true;
    bool conEsteNombre = true;
    QString otro;  // the approver found instead
  };
  QHash<QString, Estado> estados;
  int marcados = 0;
  for (const QStringList& parte : partes) {
    marcados += parte.size();
    Recordset rs;
    gDatos.AbreRecordset(SentenciaRevision(parte), rs, &gDatos.Conexion(), 0, 1, -1);
    for (; !rs.Bof() && !rs.Eof(); rs.MoveNext()) {
      Estado& e = estados[vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(0))))];
      e.hayFilas = true;
      if (!vb::Igual(vb::Trim(gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(1)))), QStringLiteral("OT")))
        e.deOrden = false;
      const QString puesto = gUtil.ConvierteTexto(gUtil.ValorCampo(rs.Fields(2)));
      if (puesto != aprobador) {
        e.conEsteNombre = false;
        if (!vb::Trim(puesto).isEmpty()) e.otro = vb::Trim(puesto);
      }
    }
  }
  // The reports passed over, by reason, in the order they were ticked.
  QStringList sinReporte, noOrden, deOtro, otros;
  for (const QStringList& parte : partes)
    for (const QString& id : parte) {
      const Estado e = estados.value(id);
      if (!e.hayFilas) sinReporte << id;
      else if (e.conEsteNombre) continue;
      else if (!e.deOrden) noOrden << id;
      else if (!e.otro.isEmpty()) deOtro << id + QStringLiteral(" (") + e.otro + QStringLiteral(")");
      else otros << id;
    }
  const int pasados = static_cast<int>(sinReporte.size() + noOrden.size() + deOtro.size() + otros.size());
  if (pasados == 0) return QString();
  auto lista = [](const QStringList& ids) {
    constexpr int kMostrados = 20;
    QString t = ids.mid(0, kMostrados).join(QStringLiteral(", "));
    if (ids.size() > kMostrados) t += QStringLiteral(" y %1 más").arg(ids.size() - kMostrados);
    return t;
  };
  QString aviso = marcados == 1 ? QStringLiteral("El parte marcado no se aprobó:")
                  : pasados == 1 ? QStringLiteral("De los %1 partes marcados, 1 no se aprobó:").arg(marcados)
                                 : QStringLiteral("De los %1 partes marcados, %2 no se aprobaron:").arg(marcados).arg(pasados);
  auto motivo = [&](const QStringList& ids, const QString& uno, const QString& varios) {
    if (ids.isEmpty()) return;
    aviso += QStringLiteral("\n- ") + (ids.size() == 1 ? uno : varios.arg(ids.size())) + QStringLiteral(": ") + lista(ids);
  };
  motivo(deOtro, QStringLiteral("1 ya había sido aprobado por otro supervisor"),
         QStringLiteral("%1 ya habían sido aprobados por otro supervisor"));
  motivo(noOrden, QStringLiteral("1 no es de una orden de trabajo"), QStringLiteral("%1 no son de una orden de trabajo"));
  motivo(sinReporte, QStringLiteral("1 ya no existe"), QStringLiteral("%1 ya no existen"));
  motivo(otros, QStringLiteral("1 sigue pendiente"), QStringLiteral("%1 siguen pendientes"));
  return aviso;
}

void FrmZamolid::DeterminaEstado() {
  vb::ErrorSteps paso(QStringLiteral("DeterminaEstado"));
  paso.step([&] {
    ListItem* it = ListView1->SelectedItem();
    if (it && it->SmallIcon() == kIconoAprobado) it->SetChecked(true);
  });
}

void FrmZamolid::ListView1_ItemCheck(ListItem* Item) {
  ListView1->SetSelectedItem(Item);
  DeterminaEstado();
}

void FrmZamolid::ListView1_ItemClick(ListItem* Item) {
  ListView1->SetSelectedItem(Item);
  DeterminaEstado();
}

void FrmZamolid::ListView1_BeforeLabelEdit(int& Cancel) { Cancel = 1; }

void FrmZamolid::ListView1_AfterLabelEdit(int& Cancel, QString&) { Cancel = 1; }

void FrmZamolid::Plexatol1_Click(const QString& Boton) {
  vb::ErrorSteps paso(QStringLiteral("Plexatol1_Click"));
  QString clave = Boton;
  if (vb::Igual(clave, QStringLiteral("CANCELAR"))) clave = QStringLiteral("CERRAR");
  clave = clave.toUpper();
  if (clave == QLatin1String("NUEVO")) {
    if (!paso.step([&] { Inicializa(); })) return;
    if (!paso.step([&] { txtFields(0).SetFocus(); })) return;
    paso.step([&] {
      txtFields(0).SetSelStart(0);
      txtFields(0).SetSelLength(txtFields(0).Text().size());
    });
  } else if (clave == QLatin1String("GRABAR")) {
    paso.step([&] { ProcesoAprobacion(); });
  } else if (clave == QLatin1String("CONSULTAR")) {
    paso.step([&] { ConsultaCampo(); });
  } else if (clave == QLatin1String("CERRAR")) {
    paso.step([&] { Unload(); });
  }
}

void FrmZamolid::Form_KeyDown(int& KeyCode, int) { Plexatol1->EnviaTecla(KeyCode); }

void FrmZamolid::TxtFields_GotFocus(int Index) { CampoActual = Index; }

void FrmZamolid::TxtFields_Change(int) {
  if (gCampos.IndiceCampo(QStringLiteral("Responsable"), txtFields) < 0) return;
  Plexatol1->setGrabarenabled(!vb::Trim(TextoDe(QStringLiteral("Responsable"))).isEmpty());
}

void FrmZamolid::TxtFields_KeyDown(int Index, int& KeyCode, int) {
  Plexatol1->setConsultaenabled(!vb::Trim(txtFields(Index).Tag).isEmpty());
  if (gCampos.EsTeclaDeAvance(KeyCode)) gCampos.AvanzaCampo(KeyCode, &txtFields(Index));
}

void FrmZamolid::TxtFields_KeyPress(int Index, int& KeyAscii) { gCampos.FiltraTecla(&txtFields(Index), KeyAscii); }

void FrmZamolid::ListView1_MouseDown(int Button, int, int, int) {
  if (Button != 2) return;
  FrmMenus& menus = FrmMenus::Instancia();
  menus.PRespuesta.clear();
  Interaccion::Actual().PopupMenu(this, *menus.MNU_Emergente_XV);
  if (!vb::Igual(menus.PRespuesta, QStringLiteral("VerDetalle"))) return;
  // Without a selected line there is no report to show.
  ListItem* it = ListView1->SelectedItem();
  if (!it) return;
  MostrarDetalleDiario(it->SubItems(1));
}

void FrmZamolid::MostrarDetalleDiario(const QString& IdDiario) {
  FrmDetalleTareas& f = FrmDetalleTareas::Global();
  f.IdDiario = IdDiario;
  f.Show(1);
}

void FrmZamolid::ConsultaCampo() {
  TextBox& caja = txtFields(CampoActual);
  const QString tag = caja.Tag;
  if (vb::Trim(tag).isEmpty()) return;
  if (vb::Igual(tag, QStringLiteral("FECHA"))) {
    // A cancelled picker leaves the box as it was.
    if (!gUtil.PideFecha(gFechaElegida)) return;
    caja.SetText(gFechaElegida);
  } else if (vb::Igual(tag, QStringLiteral("COMPROBANTES"))) {
    // The picked work order fills the three boxes of its end of the range
    // (an empty pick empties them); the focus stays.
    if (!ObjComprobantes) ObjComprobantes = std::make_unique<ClsCmnCptes>();
    QString respuesta, complemento, proveedor;
    ObjComprobantes->ConsultaComprobante(QStringLiteral("OT"), respuesta, QString(), &complemento, &proveedor);
    const QString extremo = vb::Contiene(caja.DataField, QStringLiteral("DESDE")) ? QStringLiteral("_DESDE")
                                                                                  : QStringLiteral("_HASTA");
    Caja(QStringLiteral("SUCURSAL") + extremo).SetText(ClaveComprobante::Sucursal(respuesta));
    Caja(QStringLiteral("NRO") + extremo).SetText(ClaveComprobante::Numero(respuesta));
    Caja(QStringLiteral("LETRA") + extremo).SetText(ClaveComprobante::Letra(respuesta));
    return;
  } else {
    QString descripcion, codigo, extra;
    // The pick is always shown: without consultas.bvx a look-up that is not
    // shown hands back the code column's name, which is no code.
    ConsultaTabla(tag, descripcion, codigo, extra, true, QString());
    // Nothing picked leaves the box as it was.
    if (vb::Trim(codigo).isEmpty()) return;
    long n = 0;
    gDatos.MuestraConsulta(tag, n, codigo, extra, descripcion);
    caja.SetText(vb::Trim(codigo));
  }
  int enter = 13;
  TxtFields_KeyDown(CampoActual, enter, 0);
}
