#pragma once
// The button bar of the suite's windows: one row of buttons known by key
// words, each with a caption under its picture, a tool tip and an enabled
// flag. The window sets the flags, hears Click with the key word of a pressed
// (enabled) button, and hands every key code it sees to EnviaTecla, which
// presses the enabled button of that function key and then sets KeyCode to 0:
//
//   "NUEVO" F3   "BORRAR" F4   "REPORTE" F7   "CONSULTAR" F5
//   "PLANILLA" F6   "CANCELAR" Esc   "GRABAR" F2   "CERRAR" F10
//
// The flags are bool properties named nuevoenabled, borrarenabled,
// reporteenabled, consultaenabled, planillaenabled, cancelarenabled,
// grabarenabled and cerrarenabled (all off at creation). The property
// "StyleBar" (a number) chooses the look: 0 raised buttons, any other value
// flat tool buttons (the default). Start-up sets it by name:
// bar->setProperty("StyleBar", gFlatToolbars).
//
//   Plexatol1 = new Plexatol(this, "Plexatol1");
//   Plexatol1->Click = [this](const QString& Boton) { Plexatol1_Click(Boton); };
//   Plexatol1->setGrabarenabled(true);
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>

class QAction;
class QToolButton;

class Plexatol : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool nuevoenabled READ nuevoenabled WRITE setNuevoenabled)
  Q_PROPERTY(bool borrarenabled READ borrarenabled WRITE setBorrarenabled)
  Q_PROPERTY(bool reporteenabled READ reporteenabled WRITE setReporteenabled)
  Q_PROPERTY(bool consultaenabled READ consultaenabled WRITE setConsultaenabled)
  Q_PROPERTY(bool planillaenabled READ planillaenabled WRITE setPlanillaenabled)
  Q_PROPERTY(bool cancelarenabled READ cancelarenabled WRITE setCancelarenabled)
  Q_PROPERTY(bool grabarenabled READ grabarenabled WRITE setGrabarenabled)
  Q_PROPERTY(bool cerrarenabled READ cerrarenabled WRITE setCerrarenabled)
  Q_PROPERTY(double StyleBar READ StyleBar WRITE SetStyleBar)

 public:
  explicit Plexatol(QWidget* parent = nullptr, const QString& nombre = QString());

  bool nuevoenabled() const { return Habilitado(QStringLiteral("NUEVO")); }
  void setNuevoenabled(bool v) { Habilita(QStringLiteral("NUEVO"), v); }
  bool borrarenabled() const { return Habilitado(QStringLiteral("BORRAR")); }
  void setBorrarenabled(bool v) { Habilita(QStringLiteral("BORRAR"), v); }
  bool reporteenabled() const { return Habilitado(QStringLiteral("REPORTE")); }
  void setReporteenabled(bool v) { Habilita(QStringLiteral("REPORTE"), v); }
  bool consultaenabled() const { return Habilitado(QStringLiteral("CONSULTAR")); }
  void setConsultaenabled(bool v) { Habilita(QStringLiteral("CONSULTAR"), v); }
  bool planillaenabled() const { return Habilitado(QStringLiteral("PLANILLA")); }
  void setPlanillaenabled(bool v) { Habilita(QStringLiteral("PLANILLA"), v); }
  bool cancelarenabled() const { return Habilitado(QStringLiteral("CANCELAR")); }
  void setCancelarenabled(bool v) { Habilita(QStringLiteral("CANCELAR"), v); }
  bool grabarenabled() const { return Habilitado(QStringLiteral("GRABAR")); }
  void setGrabarenabled(bool v) { Habilita(QStringLiteral("GRABAR"), v); }
  bool cerrarenabled() const { return Habilitado(QStringLiteral("CERRAR")); }
  void setCerrarenabled(bool v) { Habilita(QStringLiteral("CERRAR"), v); }

  double StyleBar() const { return estilo_; }
  void SetStyleBar(double estilo);

  // Every key code the window sees; the key of an enabled button presses it
  // and comes back as 0.
  void EnviaTecla(int& KeyCode);

  // The key words in the bar's order.
  static QStringList Claves();
  // The key code that presses a button (0 when it has none).
  static int TeclaDe(const QString& clave);
  bool Habilitado(const QString& clave) const;
  void Habilita(const QString& clave, bool v);
  // The button of a key word (nullptr for an unknown one).
  QToolButton* Boton(const QString& clave) const;

  std::function<void(const QString& Boton)> Click;

 private:
  void Presiona(const QString& clave);

  std::map<QString, QAction*> acciones_;
  std::map<QString, QToolButton*> botones_;
  double estilo_ = 1;
};
