#pragma once
// ClsUtil (global gUtil): code and amount formatting, text, number and date
// conversions, SQL date literals, the date picker, form set-up, the common
// error report and the encoding of stored credentials.
#include <QString>
#include <QVariant>

#include "platform/moneda.h"
#include "platform/vb_error.h"

class Field;
class QDateTime;
class Form;

class ClsUtil {
 public:
  // A field's value, never Null: a Null reads as the empty text.
  QVariant ValorCampo(const Field& campo) const;
  QVariant ValorCampo(const QVariant& valor) const;

  // A code right-aligned in blanks to its width ("1" at 4 is "   1"); a
  // longer code comes back unchanged, an empty one as blanks.
  QString FormateaCodigo(const QString& codigo, int ancho = 4) const;

  // The SQL literal of a date typed as dd/mm/yyyy, in the form the connected
  // database compares correctly. With hastaFinDelDia the literal is the last
  // moment of that day (an upper bound that includes the whole day).
  // Raises a type mismatch when the text is not a date.
  QString FechaSQL(const QString& fecha, bool hastaFinDelDia = false) const;
  // The SQL literal of a date and time, in a form the connected database
  // reads without ambiguity.
  QString FechaHoraSQL(const QDateTime& momento) const;

  // The date picker: True with fecha = dd/mm/yyyy when a date was chosen;
  // fecha is left as it was when the picker is cancelled.
  bool PideFecha(QString& fecha) const;

  // Common set-up of a form's load: the suite's font, centred on the screen.
  void PreparaFormulario(Form* form, bool = false) const;

  // The common error report: 3 cancel, 4 retry the statement, 5 go on.
  int ReportaError(const vb::Error& e, const QString& etiqueta) const;

  // Numbers of texts: blank gives 0; "," or "." as decimal point; a text
  // that is not a number gives its leading number.
  vb::Moneda ConvierteMoneda(const QString& texto) const;
  double ConvierteDoble(const QString& texto) const;
  long ConvierteNumero(const QString& texto) const;
  QString ConvierteTexto(const QVariant& valor) const;

  QString QuitaCaracteres(const QString& texto, const QString& c1, const QString& c2 = QString(),
                          const QString& c3 = QString()) const;
  QString ReemplazaCaracter(const QString& texto, const QString& viejo, const QString& nuevo) const;
  // Every occurrence, found ignoring letter case.
  QString ReemplazaTexto(const QString& texto, const QString& viejo, const QString& nuevo) const;
  // A folder path ending in its separator.
  QString NormalizaRuta(const QString& ruta) const;
  // An amount text right-aligned in blanks to the width.
  QString FormateaImporte(const QString& importe, int ancho) const;

  // Encoding of credentials stored in the INI file.
  QString CodificaTexto(const QString& texto) const;
  QString DecodificaTexto(const QString& texto) const;
};

extern ClsUtil gUtil;
