#include "lots/frm_grilla_lotes.h"

#include <QEvent>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

#include "platform/celdas.h"
#include "platform/cls_campos.h"
#include "platform/cls_util.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/imagelist.h"
#include "platform/controles/label.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/controles/toolbar.h"
#include "platform/interaccion.h"
#include "platform/teclas.h"
#include "platform/vb.h"
#include "platform/vb_error.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"

namespace lotes {

QString NombrePropio(const QString& texto) {
  QString r = texto.toLower();
  bool inicio = true;
  for (QChar& c : r) {
    if (c.isLetterOrNumber()) {
      if (inicio) c = c.toUpper();
      inicio = false;
    } else {
      inicio = c.isSpace();
    }
  }
  return r;
}

bool EsCantidad(const QString& texto) {
  static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
  const QString t = texto.trimmed();
  return t.isEmpty() || numero.match(t).hasMatch();
}

QString AvisoCantidad(const QString& texto) {
  try {
    DecimalCelda(texto);
    return QString();
  } catch (const vb::Error& e) {
    return e.Number == vb::ErrOverflow ? QStringLiteral("La Cantidad excede el máximo admitido (Desbordamiento)")
                                       : QStringLiteral("La Cantidad debe ser un número");
  }
}

QString CierraLista(const QString& lista) {
  return vb::Trim(vb::QuitaCaracteres(lista, QStringLiteral("|"))).isEmpty() ? QString() : lista;
}

bool EsSeparador(int caracter) { return caracter == '|' || caracter == ClsCmnCptes::kUnionLoteSerie.unicode(); }

bool TieneSeparador(const QString& texto) {
  return texto.contains(u'|') || texto.contains(ClsCmnCptes::kUnionLoteSerie);
}

QString AvisoSeparador(const QString& texto) {
  const QString regla = QStringLiteral("caracteres | y %1 no pueden formar parte de un lote, una serie, un talle ni "
                                       "una posición")
                            .arg(ClsCmnCptes::kUnionLoteSerie);
  return texto.isEmpty() ? QStringLiteral("Los ") + regla : texto + QStringLiteral(": los ") + regla;
}

}  // namespace lotes

namespace {

// Tells why a text or a row is refused.
void Avisa(const QString& mensaje) {
  Interaccion::Actual().MsgBox(mensaje, vbmsg::Critical, QStringLiteral("Aviso al Operador"));
}

// Characters that can make up a typed quantity.
bool CaracterDeCantidad(int c) {
  return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '+';
}

}  // namespace

FrmGrillaLotes::FrmGrillaLotes(const QString& clase, const QString& caption, const QString& captionAceptar,
                               bool conPropuesta)
    : Form(clase) {
  SetCaption(caption);
  SetClientTwips(6720, 5400);
  SetKeyPreview(true);
  lblArticulo = new Label(this, QStringLiteral("Artículo-Descripción"), QStringLiteral("lblArticulo"));
  PosicionTwips(lblArticulo, 120, 120, 6480, 255);
  ImageList1 = CreaImagenesRelleno(this);
  Toolbar1 = new Toolbar(this, QStringLiteral("Toolbar1"));
  Toolbar1->SetImageList(ImageList1);
  Toolbar1->Buttons().Add(QStringLiteral("LLENAR"), QString(), 1,
                          QStringLiteral("Llenar las demas celdas con el valor de las seleccionadas"));
  Toolbar1->Buttons().Add(QStringLiteral("BLANQUEAR"), QString(), 2,
                          QStringLiteral("Blanquear las Celdas a partir de la celda seleccionada"));
  if (conPropuesta) Toolbar1->Buttons().Add(QStringLiteral("PROPONER"), QString(), 3, QStringLiteral("Proponer Automaticamente"));
  PosicionTwips(Toolbar1, 120, 420, 1800, 390);
  Toolbar1->ButtonClick = [this](ToolbarButton* b) { Toolbar1_ButtonClick(b); };
  MSFlexGrid1 = new MSFlexGrid(this, QStringLiteral("MSFlexGrid1"));
  PosicionTwips(MSFlexGrid1, 120, 870, 6480, 3870);
  MSFlexGrid1->LeaveCell = [this] { MSFlexGrid1_LeaveCell(); };
  MSFlexGrid1->GotFocus = [this] { MSFlexGrid1_GotFocus(); };
  MSFlexGrid1->KeyPress = [this](int& k) { MSFlexGrid1_KeyPress(k); };
  MSFlexGrid1->viewport()->installEventFilter(this);
  TxtEdit = new TextBox(this, QStringLiteral("TxtEdit"));
  TxtEdit->setFrame(false);
  TxtEdit->hide();
  TxtEdit->KeyPress = [this](int& k) { TxtEdit_KeyPress(k); };
  TxtEdit->KeyDown = [this](int& k, int s) { TxtEdit_KeyDown(k, s); };
  CmdAceptar = new CommandButton(this, captionAceptar, QStringLiteral("CmdAceptar"));
  PosicionTwips(CmdAceptar, 3840, 4890, 1335, 390);
  CmdAceptar->Click = [this] { CmdAceptar_Click(); };
  CmdCancelar = new CommandButton(this, QStringLiteral("&Cancelar"), QStringLiteral("CmdCancelar"));
  PosicionTwips(CmdCancelar, 5265, 4890, 1335, 390);
  CmdCancelar->Click = [this] { CmdCancelar_Click(); };
  setTabOrder(MSFlexGrid1, CmdAceptar);
  setTabOrder(CmdAceptar, CmdCancelar);
}

FrmGrillaLotes::~FrmGrillaLotes() { delete cptes_; }

ClsCmnCptes& FrmGrillaLotes::Cptes() {
  if (!cptes_) cptes_ = new ClsCmnCptes();
  return *cptes_;
}

void FrmGrillaLotes::Form_Load() {
  gUtil.PreparaFormulario(this, false);
  ConfiguraFormulario(this);
}

bool FrmGrillaLotes::EditorAbierto() const { return !TxtEdit->isHidden(); }

int FrmGrillaLotes::FilaEditor() const { return EditorAbierto() && filaEditor_ >= 0 ? filaEditor_ : MSFlexGrid1->Row(); }
int FrmGrillaLotes::ColEditor() const { return EditorAbierto() && colEditor_ >= 0 ? colEditor_ : MSFlexGrid1->Col(); }

// ---- the editor ----------------------------------------------------------------------------

void FrmGrillaLotes::MSFlexGrid1_LeaveCell() { ConfirmaEditor(); }

void FrmGrillaLotes::MSFlexGrid1_GotFocus() {
  if (EditorAbierto()) rechazoAlEnfocar_ = !ConfirmaEditor();
}

bool FrmGrillaLotes::eventFilter(QObject* objeto, QEvent* evento) {
  // A click on the grid stores the open editor's text before the current
  // cell moves; a refused text keeps the cell where it is.
  if (objeto == MSFlexGrid1->viewport() &&
      (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonDblClick) &&
      EditorAbierto()) {
    if (rechazoAlEnfocar_) {
      rechazoAlEnfocar_ = false;
      return true;
    }
    if (!ConfirmaEditor()) return true;
  }
  return Form::eventFilter(objeto, evento);
}

void FrmGrillaLotes::MSFlexGrid1_KeyPress(int& KeyAscii) { MsflexGridEdt(KeyAscii); }

void FrmGrillaLotes::MsflexGridEdt(int KeyAscii) {
  if (!ConfirmaEditor()) return;
  const int r = MSFlexGrid1->Row();
  const int c = MSFlexGrid1->Col();
  if (r < MSFlexGrid1->FixedRows() || r >= MSFlexGrid1->Rows() || !ColumnaEditable(c)) return;
  const bool imprimible = KeyAscii > 32;
  if (imprimible && (!QChar(KeyAscii).isPrint() || (ColumnaCantidad(c) && !CaracterDeCantidad(KeyAscii)))) return;
  if (imprimible && lotes::EsSeparador(KeyAscii)) return Avisa(lotes::AvisoSeparador());
  Text_Propiedades(TxtEdit, c);
  if (imprimible) {
    TxtEdit->SetText(QString(QChar(KeyAscii)));
    TxtEdit->SetSelStart(1);
  } else {
    TxtEdit->SetText(MSFlexGrid1->TextMatrix(r, c));
    TxtEdit->SetSelStart(1000);
  }
  const int izquierda = MSFlexGrid1->CellLeft();
  const int arriba = MSFlexGrid1->CellTop();
  PosicionTwips(TxtEdit, MSFlexGrid1->Left() + izquierda, MSFlexGrid1->Top() + arriba, MSFlexGrid1->CellWidth(),
                MSFlexGrid1->CellHeight());
  filaEditor_ = r;
  colEditor_ = c;
  rechazoAlEnfocar_ = false;
  TxtEdit->show();
  TxtEdit->raise();
  TxtEdit->SetFocus();
}

void FrmGrillaLotes::Text_Propiedades(TextBox* Texto, int Col) {
  const bool cantidad = ColumnaCantidad(Col);
  Texto->DataField = cantidad ? QStringLiteral("Cantidad") : QString();
  Texto->SetMaxLength(cantidad ? 0 : 25);
  Texto->Tag.clear();
}

void FrmGrillaLotes::TxtEdit_KeyPress(int& KeyAscii) {
  gCampos.FiltraTecla(TxtEdit, KeyAscii);
  if (KeyAscii >= 32 && vb::Igual(TxtEdit->DataField, QStringLiteral("Cantidad")) && !CaracterDeCantidad(KeyAscii))
    KeyAscii = 0;
  if (lotes::EsSeparador(KeyAscii)) {
    KeyAscii = 0;
    Avisa(lotes::AvisoSeparador());
  }
}

void FrmGrillaLotes::TxtEdit_KeyDown(int& KeyCode, int) {
  if (KeyCode == vbkey::Escape) {
    KeyCode = 0;
    DescartaEditor();
    return;
  }
  if (!gCampos.EsTeclaDeAvance(KeyCode) && KeyCode != vbkey::Up && KeyCode != vbkey::Down) return;
  const int tecla = KeyCode;
  KeyCode = 0;
  if (ConfirmaEditor()) EditKeyCode(tecla);
}

bool FrmGrillaLotes::ConfirmaEditor() {
  if (!EditorAbierto()) return true;
  if (validando_) return false;
  validando_ = true;
  ErrorEnCampo = false;
  // A pasted text passes the key filter.
  const bool cantidad = ColumnaCantidad(colEditor_);
  if (!cantidad && lotes::TieneSeparador(TxtEdit->Text()))
    Rechaza(lotes::AvisoSeparador());
  else if (const QString aviso = cantidad ? lotes::AvisoCantidad(TxtEdit->Text()) : QString(); !aviso.isEmpty())
    Rechaza(aviso);
  else
    CampoValida(TxtEdit);
  validando_ = false;
  if (ErrorEnCampo) {
    TxtEdit->SetFocus();
    return false;
  }
  if (!EditorAbierto()) return true;
  QString texto = TxtEdit->Text();
  // Quantities are kept in the one form every reader of the cells takes.
  if (cantidad && !vb::Trim(texto).isEmpty()) texto = TextoCelda(DecimalCelda(texto));
  if (filaEditor_ >= 0 && filaEditor_ < MSFlexGrid1->Rows() && colEditor_ >= 0 && colEditor_ < MSFlexGrid1->Cols())
    MSFlexGrid1->SetTextMatrix(filaEditor_, colEditor_, texto);
  TxtEdit->hide();
  filaEditor_ = colEditor_ = -1;
  return true;
}

void FrmGrillaLotes::DescartaEditor() {
  TxtEdit->hide();
  filaEditor_ = colEditor_ = -1;
  MSFlexGrid1->SetFocus();
}

void FrmGrillaLotes::EditKeyCode(int KeyCode) {
  MSFlexGrid1->SetFocus();
  MSFlexGrid* g = MSFlexGrid1;
  const int ultimaFila = g->Rows() - 1;
  switch (KeyCode) {
    case vbkey::Return:
      if (g->Col() == UltimaColumna()) {
        if (g->Row() < ultimaFila) {
          g->SetRow(g->Row() + 1);
        } else {
          EnterEnUltimaFila();
        }
        if (PrimeraColumna() < g->Cols()) g->SetCol(PrimeraColumna());
      } else {
        for (int c = g->Col() + 1; c < g->Cols(); ++c)
          if (ColumnaEditable(c)) {
            g->SetCol(c);
            break;
          }
      }
      break;
    case vbkey::Up:
      if (g->Row() > g->FixedRows()) g->SetRow(g->Row() - 1);
      break;
    case vbkey::Down:
      if (g->Row() < ultimaFila) g->SetRow(g->Row() + 1);
      break;
    default:
      return;
  }
  // Keeps the current cell in view.
  if (g->Rows() > 0 && g->Cols() > 0) g->CellTop();
}

void FrmGrillaLotes::Rechaza(const QString& mensaje) {
  ErrorEnCampo = true;
  Avisa(mensaje);
}

bool FrmGrillaLotes::VerificaFilas() {
  MSFlexGrid* g = MSFlexGrid1;
  auto rechaza = [&](int fila, int col, const QString& mensaje) {
    g->SetRow(fila);
    g->SetCol(col);
    g->SetFocus();
    Avisa(mensaje);
    return false;
  };
  const std::vector<bool> deLista = FilasDeLista();
  for (int r = 1; r < g->Rows(); ++r) {
    if (static_cast<size_t>(r) < deLista.size() && deLista[static_cast<size_t>(r)])
      for (const int c : ColumnasDeLista(r))
        if (const QString t = g->TextMatrix(r, c); lotes::TieneSeparador(t))
          return rechaza(r, c, lotes::AvisoSeparador(vb::Trim(t)));
    for (int c = 0; c < g->Cols(); ++c)
      if (ColumnaCantidad(c) && !CabeEnFila(r, NumeroCelda(g->TextMatrix(r, c))))
        return rechaza(r, c, AvisoSinStock());
  }
  return true;
}

bool FrmGrillaLotes::FilaConSeparador(int fila) const {
  for (const int c : ColumnasDeLista(fila))
    if (lotes::TieneSeparador(MSFlexGrid1->TextMatrix(fila, c))) return true;
  return false;
}

// ---- the fill bar --------------------------------------------------------------------------

void FrmGrillaLotes::Toolbar1_ButtonClick(ToolbarButton* Button) {
  if (!Button || !ConfirmaEditor()) return;
  const int indice = Button->Index();
  if (indice != 1 && indice != 2) {
    BotonPropio(indice);
    return;
  }
  MSFlexGrid* g = MSFlexGrid1;
  const int r = g->Row();
  const int c = g->Col();
  if (r < g->FixedRows() || !ColumnaEditable(c)) return;
  const QString valor = indice == 1 ? vb::Trim(g->TextMatrix(r, c)) : TextoBlanqueo();
  for (int i = r + 1; i < g->Rows(); ++i) g->SetTextMatrix(i, c, valor);
}

// ---- quantities ----------------------------------------------------------------------------

double FrmGrillaLotes::SumaColumna(int col, long menosCual) const {
  double suma = 0;
  for (int r = 1; r < MSFlexGrid1->Rows(); ++r)
    if (r != menosCual) suma += NumeroCelda(MSFlexGrid1->TextMatrix(r, col));
  return suma;
}

void FrmGrillaLotes::ReparteAnteriores(const std::function<QString(int)>& claveDeFila,
                                       const std::vector<Anterior>& anteriores, int colCantidad) {
  MSFlexGrid* g = MSFlexGrid1;
  // The rows of each key, in row order, and how many of them took an entry.
  struct Filas {
    std::vector<int> filas;
    size_t tomadas = 0;
  };
  QHash<QString, Filas> porClave;
  for (int r = 1; r < g->Rows(); ++r)
    if (const QString clave = claveDeFila(r); !clave.isEmpty()) porClave[clave].filas.push_back(r);
  for (const Anterior& a : anteriores) {
    const auto f = porClave.find(a.clave);
    if (f == porClave.end()) continue;
    if (f->tomadas < f->filas.size()) {
      g->SetTextMatrix(f->filas[f->tomadas++], colCantidad, TextoCelda(a.cantidad));
    } else {
      const int ultima = f->filas.back();
      g->SetTextMatrix(ultima, colCantidad, TextoCelda(NumeroCelda(g->TextMatrix(ultima, colCantidad)) + a.cantidad));
    }
  }
}

void FrmGrillaLotes::DistribuyeEnColumnas(double cantidad, int colDisponible, int colCantidad) {
  MSFlexGrid* g = MSFlexGrid1;
  if (g->Rows() == 2) {
    if (!FilaConSeparador(1)) g->SetTextMatrix(1, colCantidad, TextoCelda(cantidad));
    return;
  }
  // The column's sum is kept as the cells change, so the spread reads each
  // row once.
  double suma = SumaColumna(colCantidad, -1);
  double resto = cantidad;
  for (int r = 1; r < g->Rows(); ++r) {
    // Acceptance would refuse the row.
    if (FilaConSeparador(r)) continue;
    const double disponible = std::max(0.0, NumeroCelda(g->TextMatrix(r, colDisponible)));
    const double actual = NumeroCelda(g->TextMatrix(r, colCantidad));
    if (resto + actual <= disponible + kToleranciaCantidad) {
      g->SetTextMatrix(r, colCantidad, TextoCelda(resto + actual));
      resto = 0;
    } else {
      g->SetTextMatrix(r, colCantidad, TextoCelda(disponible));
      suma += disponible - actual;
      resto = cantidad - suma;
    }
    if (CantidadesIguales(resto, 0)) break;
  }
}

bool FrmGrillaLotes::AjustaCantidad(double& cantidad, double suma, bool mostrar, const QString& avisoMenor) {
  if (CantidadesIguales(suma, cantidad)) return true;
  Interaccion& ui = Interaccion::Actual();
  const QString pregunta = QStringLiteral("\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?");
  const QString titulo = QStringLiteral("Aviso al Operador!!!");
  QString planteo;
  if (suma > cantidad) {
    planteo = QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga "
                             "de Datos");
  } else if (!mostrar) {
    ui.MsgBox(avisoMenor, vbmsg::Information, titulo);
    return false;
  } else {
    planteo = QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario de "
                             "Carga de Datos");
  }
  if (ui.MsgBox(planteo + pregunta, vbmsg::YesNo | vbmsg::Question, titulo) == vbmsg::Yes) {
    cantidad = suma;
    return true;
  }
  ui.MsgBox(QStringLiteral("Debe Ajustar la suma de las cantidades a :") + TextoCelda(cantidad), vbmsg::Critical,
            QStringLiteral("Aviso al Operador"));
  return false;
}

// ---- closing -------------------------------------------------------------------------------

void FrmGrillaLotes::CmdCancelar_Click() {
  TxtEdit->hide();
  filaEditor_ = colEditor_ = -1;
  Hide();
}

void FrmGrillaLotes::Form_KeyDown(int& KeyCode, int) {
  if (KeyCode == vbkey::F2) {
    KeyCode = 0;
    CmdAceptar_Click();
  } else if (KeyCode == vbkey::Escape && !EditorAbierto()) {
    // Escape in the editor only closes the editor.
    KeyCode = 0;
    CmdCancelar_Click();
  }
}

void FrmGrillaLotes::Form_Unload(int&) {
  // The close box cancels: the members keep what the request gave them.
  TxtEdit->hide();
  filaEditor_ = colEditor_ = -1;
}
