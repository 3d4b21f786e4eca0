// Saves pictures of the lot and serial dialog and of the position dialog, in
// each mode and kind, opened through the voucher class's requests on
// articles of a demo database, for looking at them without a display:
//   captura_lotes CARPETA_SALIDA [CARPETA_CON_demo.db]
// One PNG per dialog and mode (and one with the cell editor open).
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "aplicacion_captura.h"
#include "demo_db.h"
#include "lots/columnas_lotes.h"
#include "lots/frm_grilla_lotes.h"
#include "lots/registro_lotes.h"
#include "platform/cls_datos.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/textbox.h"
#include "platform/interaccion_guionada.h"
#include "platform/programa.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

QString salida;
int errores = 0;

QString Valor(const QString& sql) { return PrimerValor(sql).trimmed(); }

// Plans the next modal dialog: saves its picture under the name (after the
// preparation, when given) and cancels it.
void Captura(InteraccionGuionada& ui, const QString& nombre, std::function<void(FrmGrillaLotes&)> prepara = {}) {
  ui.accionesModales.push_back([nombre, prepara](Form& f) {
    auto& d = static_cast<FrmGrillaLotes&>(f);
    QApplication::processEvents();
    if (prepara) prepara(d);
    QApplication::processEvents();
    const QString archivo = QDir(salida).filePath(nombre + QStringLiteral(".png"));
    if (!d.grab().save(archivo)) ++errores;
    std::printf("%s  %s\n", qPrintable(archivo), qPrintable(d.Caption()));
    d.CmdCancelar->click();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: captura_lotes CARPETA_SALIDA [CARPETA]\n");
    return 2;
  }
  AplicacionCaptura app(argc, argv);
  RegistraDialogosLotes();
  salida = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(salida);
  QTemporaryDir tmp;
  IniciaEnDemo(CarpetaDemo(argc, argv, tmp));
  auto ui = std::make_unique<InteraccionGuionada>();
  InteraccionGuionada& guion = *ui;
  Interaccion::Instala(std::move(ui));

  ClsCmnCptes c;
  // An article of each kind with stock in the central warehouse.
  auto articulo = [&](const QString& condicion) {
    return Valor(QStringLiteral("SELECT a.IDARTICULO FROM V_MA_ARTICULOS a WHERE ") + condicion +
                 QStringLiteral(" AND EXISTS (SELECT 1 FROM STK_SERIES_Y_LOTES s WHERE s.IDARTICULO = a.IDARTICULO "
                                "AND s.IDDEPOSITO = '   1' AND s.CANTIDAD > 0) ORDER BY (SELECT COUNT(*) FROM "
                                "STK_SERIES_Y_LOTES s WHERE s.IDARTICULO = a.IDARTICULO) DESC, 1"));
  };
  auto descripcion = [&](const QString& art) {
    return Valor(QStringLiteral("SELECT DESCRIPCION FROM V_MA_ARTICULOS WHERE IDARTICULO = ") +
                 ClsDatos::Literal(art.rightJustified(25)));
  };
  const struct {
    const char* nombre;
    const char* condicion;
    bool serie, lote, talle;
  } clases[] = {
      {"lote", "a.USALOTE = 1 AND a.USASERIE = 0 AND IFNULL(a.USATALLE, 0) = 0", false, true, false},
      {"serie", "a.USASERIE = 1 AND a.USALOTE = 0", true, false, false},
      {"lote_y_serie", "a.USASERIE = 1 AND a.USALOTE = 1", true, true, false},
      {"talle", "a.USATALLE = 1", false, true, true},
  };
  MSFlexGrid grilla;
  grilla.SetCols(ClsCmnCptes::kColsArticulos);
  grilla.SetRows(2);
  for (const auto& k : clases) {
    const QString art = articulo(QString::fromLatin1(k.condicion));
    if (art.isEmpty()) {
      std::fprintf(stderr, "sin artículo de la clase %s\n", k.nombre);
      ++errores;
      continue;
    }
    grilla.SetTextMatrix(1, ColArticulos::kArticulo, art);
    const QString clase = QString::fromLatin1(k.nombre);
    double cantidad = 3;
    QString lotes, cantidades, deposito = QStringLiteral("1");
    Captura(guion, QStringLiteral("salida_") + clase);
    c.PideSerieLote_Salidas(grilla, art, descripcion(art), cantidad, QString(), QString(), lotes, cantidades, k.lote,
                            k.serie, k.talle, &deposito);
    QString series, lotesNuevos;
    Captura(guion, QStringLiteral("ingreso_") + clase);
    c.PideSerieLote(art, 4, QString(), QString(), series, lotesNuevos, k.serie, k.lote, k.talle);
  }
  // The editor open on a quantity cell, and on a lot cell.
  if (const QString art = articulo(QString::fromLatin1(clases[0].condicion)); !art.isEmpty()) {
    grilla.SetTextMatrix(1, ColArticulos::kArticulo, art);
    double cantidad = 2;
    QString lotes, cantidades, deposito = QStringLiteral("1");
    Captura(guion, QStringLiteral("salida_lote_editor"), [](FrmGrillaLotes& d) {
      QTest::keyClick(d.MSFlexGrid1, Qt::Key_1);
      QTest::keyClick(d.TxtEdit, Qt::Key_2);
    });
    c.PideSerieLote_Salidas(grilla, art, descripcion(art), cantidad, QString(), QString(), lotes, cantidades, true,
                            false, false, &deposito);
    QString series, lotesNuevos;
    Captura(guion, QStringLiteral("ingreso_lote_editor"), [](FrmGrillaLotes& d) {
      QTest::keyClicks(d.MSFlexGrid1, QStringLiteral("L"));
      QTest::keyClicks(d.TxtEdit, QStringLiteral("2026-A"));
    });
    c.PideSerieLote(art, 4, QString(), QString(), series, lotesNuevos, false, true, false);
    // Acceptance refused: a row asked for more than its stock (the message
    // goes through the scripted seam), the current cell on that row.
    Captura(guion, QStringLiteral("salida_lote_rechazada"), [](FrmGrillaLotes& d) {
      if (d.MSFlexGrid1->Rows() < 3) return;
      d.MSFlexGrid1->SetTextMatrix(2, ColSalidas::kCantidad, QStringLiteral("9999"));
      QTest::keyClick(d.MSFlexGrid1, Qt::Key_F2);
    });
    c.PideSerieLote_Salidas(grilla, art, descripcion(art), cantidad, QString(), QString(), lotes, cantidades, true,
                            false, false, &deposito);
  }

  // Positions: an article at positions of the central warehouse, one with lots.
  auto posicionado = [&](const QString& condicion) {
    return Valor(QStringLiteral("SELECT IDARTICULO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO = '   1' AND IDPOSICION IS NOT "
                                "NULL AND SALDO > 0 ") +
                 condicion + QStringLiteral(" GROUP BY IDARTICULO ORDER BY COUNT(*) DESC, 1"));
  };
  const QString porPosicion = posicionado(QStringLiteral("AND NROLOTE IS NULL"));
  const QString conLote = posicionado(QStringLiteral("AND NROLOTE IS NOT NULL"));
  const struct {
    const char* nombre;
    QString articulo;
    bool posicion, lote;
  } modos[] = {{"posiciones", porPosicion, true, false},
               {"posiciones_y_lotes", conLote, true, true},
               {"lotes", conLote, false, true}};
  for (const auto& m : modos) {
    if (m.articulo.isEmpty()) {
      std::fprintf(stderr, "sin artículo para %s\n", m.nombre);
      ++errores;
      continue;
    }
    const QString unidad = Valor(QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = ") +
                                 ClsDatos::Literal(m.articulo.rightJustified(25)));
    double cantidad = 5;
    QString posiciones, lotes;
    Captura(guion, QStringLiteral("posicion_") + QString::fromLatin1(m.nombre), [](FrmGrillaLotes& d) {
      if (d.MSFlexGrid1->Rows() > 1) d.MSFlexGrid1->SetRow(1);
    });
    c.PidePosicionLote(m.articulo, unidad, cantidad, QStringLiteral("1"), QString(), QString(), posiciones, lotes,
                       m.posicion, m.lote);
  }
  // The position dialog refusing a position that gives more than it holds.
  if (!porPosicion.isEmpty()) {
    const QString unidad = Valor(QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = ") +
                                 ClsDatos::Literal(porPosicion.rightJustified(25)));
    double cantidad = 5;
    QString posiciones, lotes;
    Captura(guion, QStringLiteral("posicion_rechazada"), [](FrmGrillaLotes& d) {
      if (d.MSFlexGrid1->Rows() < 3) return;
      d.MSFlexGrid1->SetTextMatrix(2, ColPosiciones::kCantidad, QStringLiteral("9999"));
      d.CmdAceptar->click();
    });
    c.PidePosicionLote(porPosicion, unidad, cantidad, QStringLiteral("1"), QString(), QString(), posiciones, lotes);
  }
  return errores == 0 ? 0 : 1;
}
