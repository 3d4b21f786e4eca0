#pragma once
// A window of the program. Sizes and positions are given in twips
// (15 twips = 1 pixel). A form is loaded once (Form_Load runs when it is
// first shown or loaded), shown modeless or modally, hidden, and unloaded
// (Form_Unload, which may cancel). With KeyPreview on, Form_KeyDown sees
// every key before the control that has the focus.
#include <QFont>
#include <QPointer>
#include <QWidget>

class QApplication;

// Twips (1/1440 inch, the unit the forms are laid out in) to pixels and
// back, at 15 twips a pixel.
constexpr int APixeles(int twips) { return twips / 15; }
constexpr int ATwips(int pixeles) { return pixeles * 15; }
// Places a widget at a position and size given in twips.
void PosicionTwips(QWidget* w, int left, int top, int width, int height);
// The font the suite's windows are laid out for (a narrow 8-point sans
// serif): the forms' (gUtil.PreparaFormulario) and the dialogs'.
QFont FuenteFormularios();

class Form : public QWidget {
  Q_OBJECT

 public:
  explicit Form(QString nombreClase, QWidget* parent = nullptr);
  ~Form() override;

  const QString& NombreClase() const { return nombreClase_; }

  void Load();
  bool Cargado() const { return cargado_; }
  // 0: modeless; 1: modal (returns when the form is hidden or unloaded).
  void Show(int modal = 0);
  void Hide();
  // Runs Form_Unload; False when it cancelled. Otherwise the form is hidden
  // and counts as not loaded.
  bool Unload();

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& c) { setWindowTitle(c); }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }

  // The width of a text in the form's font, in twips.
  int TextWidth(const QString& texto) const;
  // Client area in twips.
  void SetClientTwips(int ancho, int alto);
  int WidthTwips() const { return ATwips(width()); }
  int HeightTwips() const { return ATwips(height()); }

  // Key preview entry point, called by the application for every key that
  // reaches a widget of this form. Returns True when the key was consumed.
  bool PreviewKeyDown(int& keyCode, int shift);
  bool PreviewKeyPress(int& keyAscii);

 signals:
  void Oculto();
  void Descargado();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload(int& Cancel) {}
  virtual void Form_KeyDown(int& KeyCode, int Shift) {}
  virtual void Form_KeyPress(int& KeyAscii) {}
  virtual void Form_Resize() {}

  void hideEvent(QHideEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  QString nombreClase_;
  bool cargado_ = false;
  bool keyPreview_ = false;
  bool descargando_ = false;
};

// The one global instance of a form class, created on first use and released
// (deleted later) when the form asks for it.
template <typename T>
class InstanciaGlobal {
 public:
  static T& Global() {
    if (!instancia_) instancia_ = new T();
    return *instancia_;
  }
  static T* Existente() { return instancia_.data(); }
  static void LiberaGlobal() {
    if (instancia_) {
      T* p = instancia_.data();
      instancia_ = nullptr;
      p->deleteLater();
    }
  }
  // What a form's unload calls: releases the global instance only when the
  // form unloading is that instance, never when it is one a caller made.
  static void LiberaSiEsGlobal(const T* form) {
    if (instancia_ && instancia_.data() == form) LiberaGlobal();
  }

 private:
  static inline QPointer<T> instancia_;
};
