#include "lookup/lib_frm_cons3.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "lookup/cfg_consultas.h"
#include "platform/archivo_comun.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/frame.h"
#include "platform/controles/hscrollbar.h"
#include "platform/controles/listview.h"
#include "platform/controles/picturebox.h"
#include "platform/error_steps.h"
#include "platform/interaccion.h"
#include "platform/programa.h"
#include "platform/teclas.h"
#include "platform/vb.h"

namespace {

using vb::PasaPorAlto;

const QString kEtiquetaCarga = QStringLiteral("FORM_LOAD");
constexpr int kAltoCaja = 315;
constexpr int kTopeAncho = 60;  // a column is at most 60 characters wide
constexpr int kHolguraCaja = 50;  // twips a search box leaves of its column's width
// Characters a search box shows beside its arrow at least: a short code.
constexpr int kLetrasCaja = 4;
constexpr int kMargenBotones = 120;  // twips on each side of the buttons' frame

// The number a quantity cell or an answer begins with: blanks skipped, "."
// or "," (the Spanish locale's decimal comma) as decimal point; 0 when the
// text does not begin with a number.
double NumeroInicial(const QString& texto) {
  QString t = texto;
  t.replace(u',', u'.');
  return vb::Val(t);
}

QString Cero() { return vb::Format(0.0, QStringLiteral("########0.00")); }

// The entries of a list "|v1|v2|...|" (a text without bars is one entry),
// trimmed.
QStringList EntradasDeLista(const QString& lista) {
  QStringList entradas = lista.split(u'|');
  for (QString& e : entradas) e = vb::Trim(e);
  return entradas;
}

// Whether the value is one of the entries, ignoring case.
bool EnLista(const QStringList& entradas, const QString& valor) {
  return std::any_of(entradas.begin(), entradas.end(), [&](const QString& e) { return vb::Igual(e, valor); });
}

// One line of the width file: two fields, each between double quotes and
// separated by a comma. False for a line that is not of that form.
bool PartesLineaAnchos(const QString& linea, QString& clave, QString& anchos) {
  QStringList campos;
  int i = 0;
  const int n = linea.size();
  while (i < n && campos.size() < 2) {
    while (i < n && linea[i] == u' ') ++i;
    if (i >= n) break;
    QString campo;
    if (linea[i] == u'"') {
      const int cierre = linea.indexOf(u'"', i + 1);
      if (cierre < 0) return false;
      campo = linea.mid(i + 1, cierre - i - 1);
      i = cierre + 1;
      while (i < n && linea[i] == u' ') ++i;
      if (i < n && linea[i] != u',') return false;
    } else {
      const int coma = linea.indexOf(u',', i);
      campo = vb::Trim(coma < 0 ? linea.mid(i) : linea.mid(i, coma - i));
      i = coma < 0 ? n : coma;
    }
    campos << campo;
    if (i < n && linea[i] == u',') ++i;
  }
  if (campos.size() != 2) return false;
  clave = campos[0];
  anchos = campos[1];
  return true;
}

// The lines of a text file read in the system's single-byte code page,
// without their line ends. Only an ordinary file is read: a pipe or a
// device at the path is no file (it would wait or run on for ever).
QStringList LineasDe(const QString& ruta) {
  QFile f;
  if (!archivo_comun::AbreLectura(ruta, f))
    vb::Raise(vb::ErrFileNotFound, QStringLiteral("No se pudo leer %1").arg(ruta));
  QStringList lineas = QString::fromLatin1(f.readAll()).split(u'\n');
  if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
  for (QString& l : lineas)
    if (l.endsWith(u'\r')) l.chop(1);
  return lineas;
}

}  // namespace

Lib_FrmCons3::Lib_FrmCons3() : Form(QStringLiteral("Lib_FrmCons3")) {
  setWindowFlag(Qt::Tool, true);
  SetCaption(QStringLiteral("Consulta..."));
  SetKeyPreview(true);
  gUtil.PreparaFormulario(this, false);  // the font the column widths are measured in
  SetClientTwips(7260, 4530);

  picFields = new PictureBox(this, QStringLiteral("picFields"));
  PosicionTwips(picFields, 0, 0, 7260, 3435);
  ListView1 = new ListView(picFields, QStringLiteral("ListView1"));
  PosicionTwips(ListView1, 0, kAltoCaja + 15, 7200, 2220);
  ListView1->SetLabelEdit(lvw::Manual);
  ListView1->SetHideSelection(false);
  ListView1->SetFullRowSelect(true);
  ListView1->ColumnClick = [this](int i) { ListView1_ColumnClick(i); };
  ListView1->DblClick = [this] { ListView1_DblClick(); };
  ListView1->BeforeLabelEdit = [this](int& c) { ListView1_BeforeLabelEdit(c); };
  ListView1->AfterLabelEdit = [this](int& c, QString& t) { ListView1_AfterLabelEdit(c, t); };
  ListView1->KeyDown = [this](int& k, int s) { ListView1_KeyDown(k, s); };
  ListView1->KeyPress = [this](int& k) { ListView1_KeyPress(k); };
  ComboBox* primera = CargaCaja(0);
  primera->SetToolTipText(QStringLiteral("F5 realiza nueva busqueda"));

  HScroll1 = new HScrollBar(this, QStringLiteral("HScroll1"));
  PosicionTwips(HScroll1, 0, 3060, 7140, 255);
  HScroll1->SetMax(0);
  HScroll1->Change = [this] { HScroll1_Change(); };

  Frame1 = new Frame(this, QString(), QStringLiteral("Frame1"));
  PosicionTwips(Frame1, 1432, 3495, 4395, 615);
  CmdAceptar = new CommandButton(Frame1, QStringLiteral("&Aceptar"), QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 120, 150, 1335, 375);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
  CmdCancelar = new CommandButton(Frame1, QStringLiteral("&Cancelar"), QStringLiteral("CmdCancelar"));
  PosicionTwips(CmdCancelar, 1530, 150, 1335, 375);
  CmdCancelar->SetCancel(true);
  CmdCancelar->Click = [this] { CmdCancelar_Click(); };
  CmdNueva = new CommandButton(Frame1, QStringLiteral("&Nueva Busqueda"), QStringLiteral("CmdNueva"));
  PosicionTwips(CmdNueva, 2940, 150, 1335, 375);
  CmdNueva->Click = [this] { CmdNueva_Click(); };
  // Never narrower than its buttons, however few columns the list has.
  setMinimumWidth(APixeles(AnchoMinimo()));
}

int Lib_FrmCons3::AnchoMinimo() const { return ATwips(Frame1->width()) + 2 * kMargenBotones; }

int Lib_FrmCons3::AnchoLegible(const QString& titulo) const {
  // What the header's style leaves of a section for its caption.
  const QHeaderView* cabecera = ListView1->header();
  QStyleOptionHeader o;
  o.initFrom(cabecera);
  o.rect = QRect(0, 0, 1000, std::max(cabecera->height(), cabecera->sizeHint().height()));
  o.text = titulo;
  const int margenTitulo = o.rect.width() - cabecera->style()->subElementRect(QStyle::SE_HeaderLabel, &o, cabecera).width();
  const int anchoTitulo = QFontMetrics(cabecera->font()).horizontalAdvance(titulo) + margenTitulo;
  // What a search box's frame and arrow leave for its text.
  const ComboBox& caja = CmbSearch(0);
  QStyleOptionComboBox oc;
  oc.initFrom(&caja);
  oc.editable = caja.isEditable();
  oc.rect = QRect(0, 0, 1000, APixeles(kAltoCaja));
  const int margenCaja =
      oc.rect.width() - caja.style()->subControlRect(QStyle::CC_ComboBox, &oc, QStyle::SC_ComboBoxEditField, &caja).width();
  const int anchoCaja = QFontMetrics(caja.font()).horizontalAdvance(QString(kLetrasCaja, u'X')) + margenCaja;
  // Whole pixels, so the box (its column less kHolguraCaja) keeps them all.
  return ATwips(std::max(anchoTitulo, anchoCaja + (kHolguraCaja + 14) / 15));
}

Lib_FrmCons3::~Lib_FrmCons3() {
  // The list's own events must not reach a half-destroyed form.
  ListView1->KeyDown = nullptr;
  ListView1->KeyPress = nullptr;
  ListView1->ColumnClick = nullptr;
  ListView1->DblClick = nullptr;
  HScroll1->Change = nullptr;
  for (auto& [i, caja] : CmbSearch.Elementos()) {
    caja->Change = nullptr;
    caja->Click = nullptr;
    caja->KeyDown = nullptr;
    caja->GotFocus = nullptr;
    caja->LostFocus = nullptr;
  }
}

ComboBox* Lib_FrmCons3::CargaCaja(int indice) {
  auto* caja = new ComboBox(picFields, QStringLiteral("CmbSearch"), indice);
  PosicionTwips(caja, 0, 0, 1440, kAltoCaja);
  CmbSearch.Agrega(indice, caja);
  caja->GotFocus = [this, indice] { CmbSearch_GotFocus(indice); };
  caja->Change = [this, indice] { CmbSearch_Change(indice); };
  caja->Click = [this, indice] { CmbSearch_Click(indice); };
  caja->KeyDown = [this, indice](int& k, int s) { CmbSearch_KeyDown(indice, k, s); };
  return caja;
}

QString Lib_FrmCons3::ArchivoAnchos() {
  return gUtil.NormalizaRuta(programa::Carpeta()) + QStringLiteral("CONSULTASLEN.BVX");
}

// ------------------------------------------------------------------ loading

void Lib_FrmCons3::Form_Load() {
  vb::ErrorSteps paso(kEtiquetaCarga);
  if (!paso.step([&] { articulo_ = vb::Contiene(Sql, QStringLiteral("articulos")); })) return;
  if (!paso.step([&] {
        Valores = QStringList();
        Cantidades = QStringList();
      }))
    return;
  if (!paso.step([&] { ListView1->ListItems().Clear(); })) return;
  if (!paso.step([&] {
        Sql += u' ';
        // The width key: the word after the first "from".
        const int p = vb::InStr(Sql, QStringLiteral("from"));
        if (p == 0) {
          claveAnchos_.clear();
          return;
        }
        const int q = vb::InStr(Sql, QStringLiteral(" "), p + 5);
        claveAnchos_ = vb::Trim(vb::Mid(Sql, p + 4, q - (p + 4)));
      }))
    return;
  if (!paso.step([&] {
        if (sentenciaInicial_.isEmpty()) sentenciaInicial_ = Sql;
      }))
    return;
  if (!paso.step([&] {
        if (rs_.Abierto()) gDatos.CierraRecordset(rs_);
        gDatos.AbreRecordset(Sql, rs_, nullptr, 0, 1, -1);
      }))
    return;
  if (!paso.step([&] { ListView1->SetCheckboxes(CheckBoxes); })) return;
  if (!paso.step([&] { Encolumnar(); })) return;
  if (!paso.step([&] {
        long desde = 1;
        Leer(desde, 0);
      }))
    return;
  if (!paso.step([&] {
        if (OrdenarPorLwv) ListView1->SetSorted(true);
      }))
    return;
  if (!paso.step([&] {
        if (!vb::Trim(FiltroInicial).isEmpty()) CmbSearch(0).SetText(FiltroInicial);
      }))
    return;
  if (!paso.step([&] { gDatos.CierraRecordset(rs_); })) return;
  if (!paso.step([&] { LeerAnchos(); })) return;
  if (!paso.step([&] { CalcularAncho(); })) return;
  paso.step([&] { gUtil.PreparaFormulario(this, false); });
}

void Lib_FrmCons3::Encolumnar() {
  auto falla = [](const vb::Error& e) {
    Interaccion::Actual().MsgBox(e.Description, vbmsg::OKOnly, QString());
  };
  try {
    ListView1->ColumnHeaders().Clear();
    for (int i = 0; i < rs_.FieldCount(); ++i) {
      const QString nombre = rs_.FieldName(i);
      int n = rs_.DefinedSize(i);
      ComboBox* caja = CmbSearch.Existe(i) ? &CmbSearch(i) : CargaCaja(i);
      caja->DataField = nombre;
      caja->Tag = nombre;
      caja->setVisible(true);
      if (n >= kTopeAncho) n = kTopeAncho;
      QString titulo = nombre;
      if (vb::Contiene(Sql, QStringLiteral("V_MA_ARTICULOS")) || vb::Contiene(Sql, QStringLiteral("STK_MA_ARTICULOS"))) {
        for (int k = 1; k <= 8; ++k)
          if (vb::Igual(nombre, QStringLiteral("PRECIO%1").arg(k))) titulo = CfgConsultas(QStringLiteral("NOM_PCLASE%1").arg(k));
      }
      ListView1->ColumnHeaders().Add(titulo, std::max(TextWidth(QString(n, u'X')), AnchoLegible(titulo)));
    }
  } catch (const vb::Error& e) {
    falla(e);
  } catch (const std::exception& e) {
    falla(vb::ToError(e));
  }
}

void Lib_FrmCons3::Leer(long&, int) {
  bool sinColor = false;
  // A stock field missing from the statement leaves the line without colour.
  vb::ErrorSteps paso(kEtiquetaCarga, [&sinColor](const vb::Error& e) {
    if (e.Number == vb::ErrItemNotFound) {
      sinColor = true;
      return vb::kRespuestaSeguir;
    }
    return gUtil.ReportaError(e, kEtiquetaCarga);
  });
  bool vacio = true;
  int campos = 0;
  if (!paso.step([&] {
        vacio = rs_.Bof() || rs_.Eof();
        campos = rs_.FieldCount();
      }))
    return;
  if (vacio) return;
  const bool colorea = vb::Igual(MuestraStock, QStringLiteral("SI")) && articulo_;
  // The stock fields are looked up once, not once per row: a statement
  // without them leaves every line without colour.
  int puntoPedido = -1, stock = -1;
  if (articulo_ && !paso.step([&] {
        puntoPedido = rs_.Posicion(QStringLiteral("PUNTOPEDIDO"));
        stock = rs_.Posicion(QStringLiteral("Stock"));
      }))
    return;
  // The entries of ValoresDefault, split once.
  const QStringList porDefecto = CheckBoxes ? EntradasDeLista(ValoresDefault) : QStringList();
  // The fields that fit the columns go into the line at once; any further
  // one is set on its own (and fails as a sub-item the list does not have).
  const int enLinea = std::clamp(ListView1->ColumnHeaders().Count(), 1, std::max(1, campos));
  QStringList textos(enLinea);
  for (;;) {
    bool fin = false;
    if (!paso.step([&] { fin = rs_.Eof(); })) return;
    if (fin) return;

    QVariant color;
    if (articulo_) {
      sinColor = puntoPedido < 0 || stock < 0;
      vb::Moneda P, S;
      if (!paso.step([&] {
            if (puntoPedido >= 0) P = gUtil.ConvierteMoneda(vb::Texto(gUtil.ValorCampo(rs_.Fields(puntoPedido))));
          }))
        return;
      if (!paso.step([&] {
            if (stock >= 0) S = gUtil.ConvierteMoneda(vb::Texto(gUtil.ValorCampo(rs_.Fields(stock))));
          }))
        return;
      const vb::Moneda cero;
      if (P == cero && S > cero)
        color = StkNivel1;
      else if (P > cero && S > P)
        color = StkNivel2;
      else if (P > cero && S < P)
        color = StkNivel3;
      else
        color = StkNivel4;
      if (sinColor) color = QString();
    }

    ListItem* item = nullptr;
    if (!paso.step([&] {
          textos[0] = vb::Trim(vb::Texto(gUtil.ValorCampo(rs_.Fields(0))));
          for (int j = 1; j < enLinea; ++j) textos[j] = gUtil.FormateaCodigo(vb::Texto(gUtil.ValorCampo(rs_.Fields(j))));
          item = ListView1->ListItems().AddLinea(textos);
        }))
      return;
    if (item && CheckBoxes) {
      // A statement without the returned column ticks nothing, nor does an
      // empty value.
      PasaPorAlto([&] {
        const QString v = vb::Trim(vb::Texto(gUtil.ValorCampo(rs_.Fields(CampoDevuelto))));
        if (!v.isEmpty() && EnLista(porDefecto, v)) item->SetChecked(true);
      });
    }
    const QString textoColor = vb::Trim(vb::Texto(color));
    for (int j = 1; item && j < campos; ++j) {
      if (j >= enLinea &&
          !paso.step([&] { item->SetSubItems(j, gUtil.FormateaCodigo(vb::Texto(gUtil.ValorCampo(rs_.Fields(j))))); }))
        return;
      if (colorea && !textoColor.isEmpty()) {
        long c = 0;
        bool valido = false;
        PasaPorAlto([&] {
          c = vb::CLng(vb::CDbl(textoColor));
          valido = true;
        });
        if (valido) {
          PasaPorAlto([&] { item->SetBold(true); });
          PasaPorAlto([&] { item->SetForeColor(c); });
          PasaPorAlto([&] { item->SetSubItemBold(j, true); });
          PasaPorAlto([&] { item->SetSubItemForeColor(j, c); });
        }
      }
    }
    if (!paso.step([&] { rs_.MoveNext(); })) return;
  }
}

void Lib_FrmCons3::CalcularAncho() {
  double total = 0;
  auto& columnas = ListView1->ColumnHeaders();
  for (int i = 1; i <= columnas.Count(); ++i) {
    ColumnHeader* h = columnas(i);
    if (CmbSearch.Existe(i - 1)) {
      ComboBox& caja = CmbSearch(i - 1);
      PosicionTwips(&caja, h->Left(), 0, std::max(0, h->Width() - kHolguraCaja), kAltoCaja);
    }
    total += h->Width();
  }
  const int anchoLista = static_cast<int>(std::lround(total)) + 360;
  ListView1->resize(APixeles(anchoLista), ListView1->height());
  picFields->SetWidth(static_cast<int>(std::lround(total)) + 360);
  HScroll1->resize(APixeles(static_cast<int>(std::lround(total))), HScroll1->height());
  if (picFields->Width() > 32700)
    HScroll1->SetMax(32700);
  else
    HScroll1->SetMax(static_cast<int>(std::lround((picFields->Width() + 480) * 0.6)));
  int anchoPantalla = 0;
  if (QScreen* s = QGuiApplication::primaryScreen()) anchoPantalla = ATwips(s->geometry().width());
  const int ancho = anchoLista + 360 >= anchoPantalla ? anchoPantalla - 480 : anchoLista + 280;
  resize(APixeles(std::max(ancho, AnchoMinimo())), height());
}

void Lib_FrmCons3::Form_Resize() {
  const int alto = HeightTwips();
  const int ancho = WidthTwips();
  PasaPorAlto([&] { picFields->SetHeight(alto - ATwips(Frame1->height()) - 480); });
  PasaPorAlto([&] {
    ListView1->resize(ListView1->width(), APixeles(std::max(0, picFields->Height() - ATwips(Frame1->height()) - 600)));
  });
  PasaPorAlto([&] { picFields->SetWidth(ancho - 120); });
  PasaPorAlto([&] { ListView1->resize(APixeles(std::max(0, picFields->Width() - 20)), ListView1->height()); });
  PasaPorAlto([&] { Frame1->move(Frame1->x(), APixeles(alto - ATwips(Frame1->height()) - 420)); });
  PasaPorAlto([&] { HScroll1->move(HScroll1->x(), APixeles(picFields->Height() - ATwips(HScroll1->height()) - 120)); });
  PasaPorAlto([&] { HScroll1->resize(APixeles(std::max(0, ancho - 120)), HScroll1->height()); });
  PasaPorAlto([&] { Frame1->move(APixeles(ancho / 2 - ATwips(Frame1->width()) / 2), Frame1->y()); });
}

// ------------------------------------------------------------ column widths

void Lib_FrmCons3::LeerAnchos() {
  try {
    const QString ruta = ArchivoAnchos();
    if (!QFile::exists(ruta)) return;
    if (vb::Igual(claveAnchos_, QStringLiteral("Stk_ma_articulos"))) claveAnchos_ = QStringLiteral("VT_MA_ARTICULOS");
    auto& columnas = ListView1->ColumnHeaders();
    for (const QString& linea : LineasDe(ruta)) {
      QString clave, anchos;
      if (!PartesLineaAnchos(linea, clave, anchos) || !vb::Igual(clave, claveAnchos_)) continue;
      // Each width is closed by "|"; a line with fewer widths than columns
      // leaves the rest, and a width that is not a positive number is skipped.
      for (int i = 1; i <= columnas.Count(); ++i) {
        const int barra = anchos.indexOf(u'|');
        if (barra < 0) break;
        const QString w = anchos.left(barra);
        anchos = anchos.mid(barra + 1);
        if (!vb::IsNumeric(w)) continue;
        const float ancho = static_cast<float>(gUtil.ConvierteMoneda(w).ADoble());
        if (!(ancho > 0) || ancho > 1e7f) continue;
        columnas(i)->SetWidth(static_cast<int>(std::lround(ancho)));
        if (CmbSearch.Existe(i - 1))
          PosicionTwips(&CmbSearch(i - 1), columnas(i)->Left(), 0, columnas(i)->Width(), kAltoCaja);
      }
    }
  } catch (const std::exception&) {
    // An unreadable width file leaves the computed widths.
  }
}

void Lib_FrmCons3::GrabarAnchos() {
  if (!GrabarCfg) return;
  const QString ruta = ArchivoAnchos();
  const QString aux = gUtil.NormalizaRuta(programa::Carpeta()) + QStringLiteral("CONSULTASLEN.AUX");
  QByteArray contenido;
  if (QFile::exists(ruta)) {
    for (const QString& linea : LineasDe(ruta)) {
      if (linea.isEmpty()) continue;
      QString clave, anchos;
      if (PartesLineaAnchos(linea, clave, anchos) && vb::Igual(clave, claveAnchos_)) continue;
      contenido += linea.toLatin1() + "\r\n";
    }
  }
  QString anchos;
  auto& columnas = ListView1->ColumnHeaders();
  for (int i = 1; i <= columnas.Count(); ++i) anchos += QString::number(columnas(i)->Width()) + u'|';
  contenido += ("\"" + claveAnchos_ + "\",\"" + anchos + "\"").toLatin1() + "\r\n";

  // The new file is written beside the old one and renamed over it, so a
  // failure never loses the old widths.
  QFile f(aux);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenido) != contenido.size() || !f.flush()) {
    const QString m = f.errorString();
    f.close();
    QFile::remove(aux);
    vb::Raise(vb::ErrPathNotFound, QStringLiteral("No se pudo grabar %1: %2").arg(aux, m));
  }
  f.close();
  std::error_code error;
  std::filesystem::rename(QFile::encodeName(aux).toStdString(), QFile::encodeName(ruta).toStdString(), error);
  if (error) {
    QFile::remove(aux);
    vb::Raise(vb::ErrPathNotFound,
              QStringLiteral("No se pudo grabar %1: %2").arg(ruta, QString::fromLocal8Bit(error.message().c_str())));
  }
}

void Lib_FrmCons3::Form_Unload(int&) {
  auto avisa = [](const std::exception& e) {
    Interaccion::Actual().MsgBox(vb::ToError(e).Description, vbmsg::Critical, QStringLiteral("Aviso al Operador"));
  };
  // Closed by its close box: a cancelled look-up.
  if (!respondido_) {
    ValorDevuelto = QString();
    CmpsDevueltos.reset();
    Valores.reset();
    respondido_ = true;
  }
  try {
    GrabarAnchos();
  } catch (const std::exception& e) {
    avisa(e);
  }
  try {
    ListView1->ListItems().Clear();
  } catch (const std::exception& e) {
    avisa(e);
  }
}

// ------------------------------------------------------------ searching

int Lib_FrmCons3::IndiceColumna(const QString& Columna) {
  auto& columnas = ListView1->ColumnHeaders();
  const QString buscada = vb::Trim(Columna);
  for (int i = 1; i <= columnas.Count(); ++i)
    if (vb::Igual(vb::Trim(columnas(i)->Text()), buscada)) return i;
  return 0;
}

int Lib_FrmCons3::ColumnaCantidad() {
  const int k = IndiceColumna(QStringLiteral("**Cantidad**"));
  return k > 0 ? k : IndiceColumna(QStringLiteral("Cantidad"));
}

long Lib_FrmCons3::Busqueda(long Clave, const QString& QueValor) {
  try {
    const QString valor = vb::Trim(QueValor);
    const int largo = valor.size();
    auto& lineas = ListView1->ListItems();
    const int total = lineas.Count();
    const int columna = Clave < 1 ? 0 : static_cast<int>(Clave);
    // A column the list does not have raises on the first line.
    if (total > 0 && columna > 0) lineas(1)->SubItems(columna);
    for (int i = 1; i <= total; ++i) {
      // The cell is read where the line keeps it: a keystroke copies nothing.
      const QStringView celda = vb::TrimVista(lineas(i)->Columna(columna));
      // QString's comparison ignoring case folds every letter: PEÑA = peña.
      if (vb::TrimVista(celda.left(largo)).compare(valor, Qt::CaseInsensitive) == 0) return i;
    }
  } catch (const std::exception&) {
  }
  return 0;
}

void Lib_FrmCons3::CmbSearch_GotFocus(int Index) { cajaActual_ = Index; }

void Lib_FrmCons3::CmbSearch_Change(int Index) {
  PasaPorAlto([&] {
    const long columna = gUtil.ConvierteNumero(QString::number(Index));
    const long k = Busqueda(columna, vb::Trim(CmbSearch(Index).Text()));
    if (k != 0) {
      ListItem* linea = ListView1->ListItems()(static_cast<int>(k));
      ListView1->SetSelectedItem(linea);
      linea->EnsureVisible();
    }
  });
}

void Lib_FrmCons3::CmbSearch_Click(int Index) { CmbSearch_Change(Index); }

void Lib_FrmCons3::CmbSearch_KeyDown(int Index, int& KeyCode, int) {
  PasaPorAlto([&] {
    if (KeyCode == vbkey::F5) {
      // The server filter: one more condition on the box's column.
      KeyCode = 0;
      ComboBox& caja = CmbSearch(Index);
      Sql = filtro_.Agrega(Sql, caja.DataField, caja.Text());
      caja.SetText(QString());
      Form_Load();
    } else if (KeyCode == vbkey::Down || KeyCode == vbkey::Up || KeyCode == vbkey::PageDown ||
               KeyCode == vbkey::PageUp) {
      int codigo = KeyCode;
      ListView1_KeyDown(codigo, 0);
      ListView1->SetFocus();
      KeyCode = 0;
    }
  });
}

void Lib_FrmCons3::CmdNueva_Click() {
  PasaPorAlto([&] {
    Sql = sentenciaInicial_;
    filtro_.Olvida();
  });
  PasaPorAlto([&] { Form_Load(); });
  PasaPorAlto([&] { CmbSearch(0).SetFocus(); });
}

void Lib_FrmCons3::ListView1_ColumnClick(int ColumnHeaderIndex) {
  PasaPorAlto([&] {
    ListView1->SetSorted(true);
    ListView1->SetSortKey(ColumnHeaderIndex - 1);
    ListView1->SetSortOrder(ListView1->SortOrder() == lvw::Ascending ? lvw::Descending : lvw::Ascending);
  });
}

void Lib_FrmCons3::ListView1_DblClick() { CmdAceptar_Click(); }

void Lib_FrmCons3::ListView1_BeforeLabelEdit(int& Cancel) { Cancel = 1; }

void Lib_FrmCons3::ListView1_AfterLabelEdit(int& Cancel, QString&) { Cancel = 1; }

void Lib_FrmCons3::HScroll1_Change() {
  PasaPorAlto([&] { picFields->SetLeft(-HScroll1->Value()); });
}

// ------------------------------------------------------------ list keys

void Lib_FrmCons3::AgregaACaja(const QString& texto) {
  if (!CmbSearch.Existe(cajaActual_)) cajaActual_ = 0;
  ComboBox& caja = CmbSearch(cajaActual_);
  if (texto == QStringLiteral("\b"))
    caja.SetText(caja.Text().left(std::max<qsizetype>(0, caja.Text().size() - 1)));
  else
    caja.SetText(caja.Text() + texto);
  caja.SetFocus();
  caja.SetSelStart(static_cast<int>(caja.Text().size()));
}

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift) {
  vb::ErrorSteps paso(QStringLiteral("ListView1_KeyDown"));
  if (KeyCode == vbkey::Space && CheckBoxes) return;  // the list ticks the line itself
  if (KeyCode == vbkey::Return) {
    KeyCode = 0;
    CmdAceptar_Click();
    return;
  }
  const bool cantidadTecla =
      (KeyCode == vbkey::Insert && (Shift == vbkey::ShiftMask || Shift == 0)) || (KeyCode == vbkey::Delete && Shift == 0);
  if (cantidadTecla) {
    if (!UsaCantidades) return;
    ListItem* linea = nullptr;
    int q = -1;
    if (!paso.step([&] {
          linea = ListView1->SelectedItem();
          if (!linea)
            vb::Raise(vb::ErrObjectRequired, QStringLiteral("No hay ninguna línea seleccionada."));
          q = ColumnaCantidad() - 1;
          if (q < 0) vb::Raise(vb::ErrItemNotFound, QStringLiteral("La consulta no tiene la columna Cantidad."));
        }))
      return;
    auto celda = [&] { return q == 0 ? linea->Text() : linea->SubItems(q); };
    auto ponCelda = [&](const QString& t) {
      if (q == 0)
        linea->SetText(t);
      else
        linea->SetSubItems(q, t);
    };
    if (KeyCode == vbkey::Insert && Shift == vbkey::ShiftMask) {
      QString respuesta;
      bool aceptada = false;
      if (!paso.step([&] {
            aceptada = Interaccion::Actual().InputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                                      QStringLiteral("Carga de Datos"), celda(), respuesta);
          }))
        return;
      if (!aceptada) return;  // cancelled: the quantity stays as it was
      if (!paso.step([&] {
            const double n = NumeroInicial(respuesta);
            ponCelda(n == 0 ? Cero() : vb::Format(n, QStringLiteral("########0.00")));
          }))
        return;
      paso.step([&] { linea->SetChecked(true); });
    } else if (KeyCode == vbkey::Insert) {
      if (!paso.step([&] { ponCelda(vb::Format(NumeroInicial(celda()) + 1, QStringLiteral("########0.0"))); })) return;
      paso.step([&] { linea->SetChecked(true); });
    } else {
      if (!paso.step([&] { ponCelda(vb::Format(NumeroInicial(celda()) - 1, QStringLiteral("########0.0"))); })) return;
      paso.step([&] {
        if (NumeroInicial(celda()) <= 0) {
          linea->SetChecked(false);
          ponCelda(Cero());
        }
      });
    }
    return;
  }
  // Typing on the list goes to the current search box.
  QString texto;
  if ((KeyCode >= 47 && KeyCode <= 93) || (KeyCode == vbkey::Space && !CheckBoxes))
    texto = QString(QChar(KeyCode));
  else if (KeyCode >= 96 && KeyCode <= 105)  // the numeric keypad's digits
    texto = QString(QChar(u'0' + (KeyCode - 96)));
  else if (KeyCode == vbkey::Back)
    texto = QStringLiteral("\b");
  if (texto.isEmpty()) return;
  if (paso.step([&] { AgregaACaja(texto); })) KeyCode = 0;
}

void Lib_FrmCons3::ListView1_KeyPress(int& KeyAscii) {
  // Letters with no key code of their own (ñ, accented vowels) also go to
  // the search box.
  const QChar c(KeyAscii);
  if (KeyAscii < 128 || !c.isLetter()) return;
  PasaPorAlto([&] {
    AgregaACaja(QString(c).toUpper());
    KeyAscii = 0;
  });
}

// ------------------------------------------------------------ results

QString Lib_FrmCons3::ValorDeColumna(ListItem* linea, const QString& columna) {
  const int k = IndiceColumna(columna);
  if (k == 1) return linea->Text();
  if (k > 1) return linea->SubItems(k - 1);
  return QString();
}

void Lib_FrmCons3::CmdAceptar_Click() {
  vb::ErrorSteps paso(QStringLiteral("CmdAceptar_Click"));
  if (CheckBoxes) {
    if (!paso.step([&] {
          if (CampoDevuelto.isEmpty()) CampoDevuelto = ListView1->ColumnHeaders()(1)->Text();
        }))
      return;
    const int q = UsaCantidades ? ColumnaCantidad() : 0;
    auto& lineas = ListView1->ListItems();
    const int total = lineas.Count();
    for (int i = 1; i <= total; ++i) {
      ListItem* linea = lineas(i);
      if (!linea->Checked()) continue;
      if (!paso.step([&] {
            if (IndiceColumna(CampoDevuelto) == 0)
              vb::Raise(vb::ErrItemNotFound, QStringLiteral("La consulta no tiene la columna %1.").arg(CampoDevuelto));
            if (!Valores) Valores = QStringList();
            Valores->append(ValorDeColumna(linea, CampoDevuelto));
            // The quantity of each ticked line, in the order of Valores.
            if (q > 0) {
              if (!Cantidades) Cantidades = QStringList();
              Cantidades->append(q == 1 ? linea->Text() : linea->SubItems(q - 1));
            }
          }))
        return;
    }
  } else {
    ListItem* linea = nullptr;
    if (!paso.step([&] { linea = ListView1->SelectedItem(); })) return;
    if (linea) {
      if (CmpsDevueltos) {
        for (const QString& nombre : *CmpsDevueltos) {
          // A name that matches no column gives an empty value, never the
          // value of another column.
          if (!paso.step([&] {
                if (!Valores) Valores = QStringList();
                Valores->append(ValorDeColumna(linea, nombre));
              }))
            return;
        }
      }
      if (!vb::Trim(CampoDevuelto).isEmpty()) {
        if (!paso.step([&] {
              if (IndiceColumna(CampoDevuelto) > 0) ValorDevuelto = ValorDeColumna(linea, CampoDevuelto);
            }))
          return;
      }
    }
  }
  respondido_ = true;
  Hide();
}

void Lib_FrmCons3::CmdCancelar_Click() {
  PasaPorAlto([&] { ValorDevuelto = QString(); });
  PasaPorAlto([&] {
    CmpsDevueltos.reset();
    Valores.reset();
  });
  respondido_ = true;
  PasaPorAlto([&] { Hide(); });
}

// ------------------------------------------------------------ stock shortage

void Lib_FrmCons3::Form_KeyDown(int& KeyCode, int) {
  if (KeyCode != vbkey::F12 || !articulo_) return;
  KeyCode = 0;
  InformaFaltante();
}

void Lib_FrmCons3::InformaFaltante() {
  vb::ErrorSteps paso(QStringLiteral("Form_KeyDown"));
  QString codigo, descripcion;
  bool hay = false;
  if (!paso.step([&] {
        ListItem* linea = ListView1->SelectedItem();
        if (!linea) return;
        codigo = ValorDeColumna(linea, QStringLiteral("idarticulo"));
        descripcion = ValorDeColumna(linea, QStringLiteral("Descripcion"));
        hay = true;
      }))
    return;
  // Without a line or an article code there is nothing to note.
  if (!hay || vb::Trim(codigo).isEmpty()) return;
  const int r = Interaccion::Actual().MsgBox(QStringLiteral("Desea informar el articulo ") + vb::Trim(codigo) + u' ' +
                                                 vb::Trim(descripcion) + QStringLiteral("\r\n") +
                                                 QStringLiteral("como un faltante de stock?"),
                                             vbmsg::Question | vbmsg::YesNo, QStringLiteral("Atención!"));
  if (r != vbmsg::Yes) return;
  paso.step([&] {
    gDatos.Ejecuta(QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(") +
                   gUtil.FechaHoraSQL(QDateTime::currentDateTime()) + u',' +
                   ClsDatos::Literal(gUtil.FormateaCodigo(codigo, 25)) + u',' +
                   ClsDatos::Literal(vb::Trim(descripcion)) + u',' + ClsDatos::Literal(gDatos.Usuario) + u')');
  });
}
