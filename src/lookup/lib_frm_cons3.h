#pragma once
// Lib_FrmCons3: the modal list in which the user picks one record, or ticks
// several, of any statement. The record pick service fills the public
// members, shows it modally (Form_Load runs the statement), reads ValorDevuelto,
// Valores and Cantidades back after Aceptar or Cancelar has hidden it, and
// discards it.
//
// One search box over each column: typing searches the list as it is (letter
// case ignored, accented letters too); F5 in a box filters the statement on
// the server by that column; "Nueva Busqueda" goes back to the first
// statement. A column click sorts by it. With UsaCantidades, Insert / Delete /
// Shift+Insert change the quantity column ("**Cantidad**" or "Cantidad") of
// the selected line. On article
// look-ups F12 notes the selected article as a stock shortage.
//
// Column widths come from the fields' sizes (never so narrow that the
// caption or the search box cannot be read) or from CONSULTASLEN.BVX in the
// program folder: one line per table, "KEY","w1|w2|...|" (widths in twips).
#include <QString>
#include <QVariant>

#include "lookup/filtro_consulta.h"
#include "lookup/lib_cls_cons3.h"
#include "platform/ado.h"
#include "platform/controles/arreglo_controles.h"
#include "platform/form.h"

class ComboBox;
class CommandButton;
class Frame;
class HScrollBar;
class ListItem;
class ListView;
class PictureBox;

class Lib_FrmCons3 : public Form {
  Q_OBJECT

 public:
  Lib_FrmCons3();
  ~Lib_FrmCons3() override;

  QVariant StkNivel1;
  QVariant StkNivel2;
  QVariant StkNivel3;
  QVariant StkNivel4;
  QString MuestraStock;        // "SI" colours article lines by stock
  QString Sql;                 // the statement shown (F5 narrows it)
  QString CampoDevuelto;       // caption of the column returned
  ColeccionTextos CmpsDevueltos;     // captions of further columns returned in Valores
  bool CheckBoxes = false;     // tick lines; Aceptar returns the ticked ones
  QString gConnString;         // kept, not used
  QVariant ValorDevuelto;      // unset until Aceptar / Cancelar
  QString FiltroInicial;       // text put into the first search box
  QString CampoBusqueda;       // kept, not used
  bool OrdenarPorLwv = false;  // the list sorts its lines itself
  ColeccionTextos Valores;           // returned values (empty at every load)
  ColeccionTextos Cantidades;        // returned quantities (empty at every load)
  bool UsaCantidades = false;  // quantity keys on the quantity column
  QString ValoresDefault;      // "|v1|v2|": lines whose returned value is an entry load ticked
  bool GrabarCfg = false;      // save the column widths when unloading

  // Building and filling.
  void Encolumnar();
  void Leer(long& Cdesde, int Cuantas = 0);
  void CalcularAncho();
  void LeerAnchos();
  void GrabarAnchos();

  // 1-based position of the column captioned so (trimmed, any case); 0 if none.
  int IndiceColumna(const QString& Columna);
  // The quantity column: the one captioned "**Cantidad**", else one
  // captioned "Cantidad" (trimmed, any case); 0 if none.
  int ColumnaCantidad();
  // Index of the first line whose column (0 the first, j column j + 1)
  // begins with the text, letter case ignored; 0 when none does.
  long Busqueda(long Clave, const QString& QueValor);

  // Event procedures.
  void CmbSearch_GotFocus(int Index);
  void CmbSearch_Change(int Index);
  void CmbSearch_Click(int Index);
  void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
  void CmdNueva_Click();
  void CmdAceptar_Click();
  void CmdCancelar_Click();
  void HScroll1_Change();
  void ListView1_ColumnClick(int ColumnHeaderIndex);
  void ListView1_DblClick();
  void ListView1_BeforeLabelEdit(int& Cancel);
  void ListView1_AfterLabelEdit(int& Cancel, QString& NewString);
  void ListView1_KeyDown(int& KeyCode, int Shift);
  void ListView1_KeyPress(int& KeyAscii);

  // The table key of the width file, the article flag and the statement of
  // the first load.
  const QString& ClaveAnchos() const { return claveAnchos_; }
  bool EsArticulo() const { return articulo_; }
  const QString& SentenciaInicial() const { return sentenciaInicial_; }
  // Path of CONSULTASLEN.BVX in the program folder.
  static QString ArchivoAnchos();
  // The narrowest the window gets (twips): its buttons and a margin.
  int AnchoMinimo() const;
  // The narrowest a column is made (twips): its caption whole in the
  // header, and a search box over it with room for a short code beside its
  // arrow.
  int AnchoLegible(const QString& titulo) const;

  PictureBox* picFields;
  ArregloControles<ComboBox> CmbSearch{QStringLiteral("CmbSearch")};
  ListView* ListView1;
  Frame* Frame1;
  CommandButton* CmdAceptar;
  CommandButton* CmdCancelar;
  CommandButton* CmdNueva;
  HScrollBar* HScroll1;

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_Resize() override;

 private:
  ComboBox* CargaCaja(int indice);
  QString ValorDeColumna(ListItem* linea, const QString& columna);
  void AgregaACaja(const QString& texto);
  void InformaFaltante();

  Recordset rs_;
  bool articulo_ = false;
  int cajaActual_ = 0;
  FiltroConsulta filtro_;
  QString sentenciaInicial_;
  QString claveAnchos_;
  bool respondido_ = false;  // Aceptar or Cancelar ran in this showing
};
