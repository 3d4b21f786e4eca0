#pragma once
// FrmZamolid: the program's main window. The supervisor narrows the daily
// reports by work-order, date and technician ranges, sees one line per
// report with its technician and approver, opens a report's tasks from the
// list's pop-up menu, and approves the ticked pending reports by writing the
// name typed in "Responsable Autorización" into them (GRABAR on the bar).
#include <memory>
#include <vector>

#include "platform/ado.h"
#include "platform/controles/arreglo_controles.h"
#include "platform/form.h"

class CommandButton;
class Frame;
class ImageList;
class Label;
class ListItem;
class ListView;
class Plexatol;
class TextBox;
class ClsCmnCptes;

class FrmZamolid : public Form, public InstanciaGlobal<FrmZamolid> {
  Q_OBJECT

 public:
  FrmZamolid();
  ~FrmZamolid() override;

  // Pictures of the list's approval state.
  static constexpr int kIconoAprobado = 1;
  static constexpr int kIconoPendiente = 6;

  void Inicializa();
  void Encolumnar();
  void CargarComprobantes(const QString& Where);
  // The one statement that lists the reports having a row that meets the
  // WHERE text ("" or beginning with " Where "): for each report, in report
  // order, the columns of its first row (FECHA, IDDIARIO, IDCOMPROBANTE,
  // IDCOMPLEMENTO, IDTECNICO, AUTORIZADOPOR) and its technician's NOMBRE.
  static QString SentenciaListado(const QString& Where);
  void ProcesoAprobacion();
  // The ids of the ticked pending lines, in parts of at most 500 (one
  // statement each).
  QList<QStringList> PartesMarcadas();
  // The approval statements for the ticked pending lines (none when no line
  // counts): one UPDATE per 500 reports.
  QStringList SentenciasAprobacion(const QString& aprobador);
  // The same for parts already taken from the list.
  static QStringList SentenciasAprobacion(const QList<QStringList>& partes, const QString& aprobador);
  // After the approval: how many of the ticked reports (ids in parts) do not
  // carry the approver's name and why (approved by someone else meanwhile,
  // not a work order, no longer there); empty when all of them do.
  QString AvisoNoAprobados(const QList<QStringList>& partes, const QString& aprobador);
  // The statement that reads back the rows of one part of ticked reports.
  static QString SentenciaRevision(const QStringList& ids);
  void DeterminaEstado();
  void MostrarDetalleDiario(const QString& IdDiario);

  // Event procedures.
  void CmdBuscar_Click();
  void Plexatol1_Click(const QString& Boton);
  void ListView1_ItemCheck(ListItem* Item);
  void ListView1_ItemClick(ListItem* Item);
  void ListView1_BeforeLabelEdit(int& Cancel);
  void ListView1_AfterLabelEdit(int& Cancel, QString& NewString);
  void ListView1_MouseDown(int Button, int Shift, int x, int y);
  void TxtFields_Change(int Index);
  void TxtFields_GotFocus(int Index);
  void TxtFields_KeyDown(int Index, int& KeyCode, int Shift);
  void TxtFields_KeyPress(int Index, int& KeyAscii);

  // The WHERE text of the search for the range boxes as they stand ("" or
  // beginning with " Where "). False, with the offending box focused and a
  // message shown, when a date box does not hold a date.
  bool ArmaWhere(QString& Where);
  // The upper work-order key of the range from its three boxes.
  static QString ClaveHasta(const QString& sucursal, const QString& numero, const QString& letra);

  // Controls.
  Plexatol* Plexatol1;
  Frame* Frame1;
  Frame* Frame2;
  CommandButton* CmdBuscar;
  ListView* ListView1;
  ImageList* ImageList1;
  ArregloControles<TextBox> txtFields{QStringLiteral("txtFields")};
  ArregloControles<Label> Labels{QStringLiteral("Label1")};

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_Resize() override;

 private:
  void ConsultaCampo();
  void AjustaEtiquetas();
  TextBox& Caja(const QString& nombre);
  QString TextoDe(const QString& nombre);
  // One line from a row of the listing's statement; convertidos and tecnico
  // are room for its texts, kept from line to line.
  void AgregaLinea(const QVariant* fila, QString& convertidos, QString& tecnico);
  // Fills the list for the WHERE text; a failure raises, with the list as
  // far as it got.
  void LlenaLista(const QString& Where);
  static QString CondicionDe(const QStringList& ids);

  ListItem* ItemDiario = nullptr;
  int CampoActual = 0;
  // Where each label goes (twips) and the left edge of the box it names.
  struct Etiqueta {
    int indice, left, top, caja;
  };
  std::vector<Etiqueta> etiquetas_;
  // The voucher class, created the first time a work-order look-up needs it.
  std::unique_ptr<ClsCmnCptes> ObjComprobantes;
};
