// What a voucher screen asks while a person fills the item grids: whether
// the lines still fit the printed form, the item counts, the current row's
// detail in the status bar, and the summary grid of hours, articles and
// other concepts.
#include <QFileInfo>
#include <QHash>
#include <cmath>

#include "platform/celdas.h"
#include "platform/cls_datos.h"
#include "platform/cls_util.h"
#include "platform/controles/msflexgrid.h"
#include "platform/controles/sstab.h"
#include "platform/controles/statusbar.h"
#include "platform/error_steps.h"
#include "platform/moneda.h"
#include "platform/programa.h"
#include "platform/vb.h"
#include "session/formato.h"
#include "session/impresora_comprobante.h"
#include "session/listas.h"
#include "session/mod_global.h"
#include "vouchers/cls_cmn_cptes.h"
#include "vouchers/columnas_cptes.h"

namespace {

bool Usada(const MSFlexGrid& g, int fila) { return !vb::Trim(g.TextMatrix(fila, ColGrillas::kCodigo)).isEmpty(); }

long FilasUsadas(const MSFlexGrid* g) {
  if (!g) return 0;
  long n = 0;
  for (int r = 1; r < g->Rows(); ++r) n += Usada(*g, r);
  return n;
}

// A sum of quantities or minutes; beyond what a number holds it is the
// overflow error, never the 0 that an infinite total would show.
double Suma(double a, double b) {
  const double s = a + b;
  if (!std::isfinite(s)) vb::Raise(vb::ErrOverflow, QStringLiteral("Desbordamiento"));
  return s;
}

// The date-time of the printers file as the cache keeps it; empty when the
// program folder holds no such file.
QString FechaDelArchivoDeImpresoras() {
  const QFileInfo f(gUtil.NormalizaRuta(programa::Carpeta()) + QStringLiteral("PRINTERS.PRN"));
  if (!f.isFile()) return QString();
  return f.lastModified().toUTC().toString(Qt::ISODateWithMs);
}

}  // namespace

// ------------------------------------------------------------------ line limit and counts

bool ClsCmnCptes::ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, MSFlexGrid* MSFlexGrid1,
                                           MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3, int* CantLineas,
                                           int* CantLineasUsadas, long Agragarle, int* LineasAnteriores) {
  vb::ErrorSteps paso(QStringLiteral("ValidaCantidadLineasCpte"));
  int lineas = CantLineas ? *CantLineas : 0;
  int anteriores = LineasAnteriores ? *LineasAnteriores : 0;
  bool cabe = false;
  auto devuelve = [&] {
    if (CantLineas) *CantLineas = lineas;
    if (LineasAnteriores) *LineasAnteriores = anteriores;
    return cabe;
  };

  if (anteriores != -1) {
    QString fecha;
    if (!paso.step([&] { fecha = FechaDelArchivoDeImpresoras(); })) return devuelve();
    if (fecha.isEmpty()) {
      lineas = 0;
    } else {
      // The limit belongs to one type and letter: another pair reads its own.
      const QString de = vb::Trim(TC).toUpper() + u'|' + vb::Trim(Letra).toUpper();
      if (!vb::Igual(fecha, FechaArchivoImpresoras) || de != impresorasDe_) {
        QString impresora, destino, usuario;
        int copias = 0;
        if (!paso.step([&] { ObtieneImpresoraComprobante(TC, Letra, impresora, copias, lineas, destino, usuario); }))
          return devuelve();
        FechaArchivoImpresoras = fecha;
        impresorasDe_ = de;
        anteriores = lineas;
      } else {
        lineas = anteriores;
      }
    }
  }
  if (lineas == 0) {
    cabe = true;
    return devuelve();
  }
  long usadas = 0;
  for (MSFlexGrid* g : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3})
    if (!paso.step([&] { usadas += FilasUsadas(g); })) return devuelve();
  if (CantLineasUsadas) *CantLineasUsadas = static_cast<int>(usadas);
  cabe = usadas + Agragarle <= lineas;
  return devuelve();
}

long ClsCmnCptes::CuentaItems(MSFlexGrid* MSFlexGrid1, MSFlexGrid* MSFlexGrid2, MSFlexGrid* MSFlexGrid3,
                              long* CantTareas, long* CantArticulos, long* CantOtrosConceptos, long* TotUnidades) {
  vb::ErrorSteps paso(QStringLiteral("CuentaItems&"));
  long tareas = 0, articulos = 0, otros = 0;
  // The units are summed at four decimals and rounded once at the end.
  vb::Moneda unidades;
  auto devuelve = [&] {
    if (CantTareas) *CantTareas = tareas;
    if (CantArticulos) *CantArticulos = articulos;
    if (CantOtrosConceptos) *CantOtrosConceptos = otros;
    if (TotUnidades) *TotUnidades = static_cast<long>(unidades.Entero());
    return tareas + articulos + otros;
  };
  if (!paso.step([&] { tareas = FilasUsadas(MSFlexGrid1); })) return devuelve();
  if (MSFlexGrid2) {
    for (int r = 1; r < MSFlexGrid2->Rows(); ++r) {
      if (!paso.step([&] {
            if (!Usada(*MSFlexGrid2, r)) return;
            ++articulos;
            unidades = unidades + DecimalCelda(MSFlexGrid2->TextMatrix(r, ColArticulos::kCantidad));
          }))
        return devuelve();
    }
  }
  paso.step([&] { otros = FilasUsadas(MSFlexGrid3); });
  return devuelve();
}

// ------------------------------------------------------------------ status bar

void ClsCmnCptes::MuestraDetalle(const QString& Detalle, StatusBar& StatB, long Columna) {
  StatB.Panels()(static_cast<int>(Columna))->SetText(Detalle);
}

void ClsCmnCptes::MuestraDetalleTareas(MSFlexGrid& MSFlexGrid1, StatusBar& StatB) {
  const int r = MSFlexGrid1.Row();
  MuestraDetalle(vb::Trim(MSFlexGrid1.TextMatrix(r, ColTareas::kCodigo)) + QStringLiteral(" - ") +
                     vb::Trim(MSFlexGrid1.TextMatrix(r, ColTareas::kDescripcion)),
                 StatB, 4);
}

void ClsCmnCptes::MuestraDetalleOtrosConceptos(MSFlexGrid& MSFlexGrid3, StatusBar& StatB) {
  MuestraDetalle(vb::Trim(MSFlexGrid3.TextMatrix(MSFlexGrid3.Row(), ColOtrosConceptos::kDetalle)), StatB, 4);
}

void ClsCmnCptes::MuestraDetalleArticulos(MSFlexGrid& MSFlexGrid2, StatusBar& StatB, long Columna) {
  const int r = MSFlexGrid2.Row();
  vb::PasaPorAlto([&] {
    MuestraDetalle(vb::Trim(MSFlexGrid2.TextMatrix(r, ColArticulos::kArticulo)) + QStringLiteral(" - ") +
                       vb::Trim(MSFlexGrid2.TextMatrix(r, ColArticulos::kDescripcion)),
                   StatB, Columna);
  });
  QString stock;
  vb::PasaPorAlto([&] {
    stock = QStringLiteral("Stock: ") +
            TextoCelda(NumeroCelda(MSFlexGrid2.TextMatrix(r, ColArticulos::kStockDisponible)));
  });
  if (stock.isEmpty()) return;
  for (int i = 1; i <= StatB.Panels().Count(); ++i) {
    Panel* p = StatB.Panels()(i);
    if (vb::Igual(p->Key, QStringLiteral("Stock"))) {
      p->SetText(stock);
      return;
    }
  }
}

// ------------------------------------------------------------------ summary grid

void ClsCmnCptes::TotalizadorControl(MSFlexGrid& MSFlexGrid1, MSFlexGrid& MSFlexGrid2, MSFlexGrid& MSFlexGrid3,
                                     MSFlexGrid& MSFlexGrid4, SSTab& SSTab1, bool AbiertoPorRubro,
                                     bool AbiertoPorTipo) {
  vb::ErrorSteps paso(QStringLiteral("TotalizadorControl"));
  MSFlexGrid& g4 = MSFlexGrid4;
  // Writes the last line, colours it and adds an empty line below it.
  auto linea = [&](const QString& descripcion, const QString& items, const QString& cantidad, long color) {
    return paso.step([&] {
      const int r = g4.Rows() - 1;
      g4.SetTextMatrix(r, ColResumen::kDescripcion, descripcion);
      g4.SetTextMatrix(r, ColResumen::kItems, items);
      g4.SetTextMatrix(r, ColResumen::kCantidad, cantidad);
      PintarFila(r, g4, color);
      g4.SetRows(g4.Rows() + 1);
    });
  };

  // The header and one empty line.
  if (!paso.step([&] {
        g4.SetRows(2);
        for (int c = 0; c < g4.Cols(); ++c) g4.SetTextMatrix(1, c, QString());
      }))
    return;

  bool visible = false;
  // Tasks: their count and their time.
  if (!paso.step([&] { visible = SSTab1.TabVisible(0); })) return;
  if (visible) {
    long cantidad = 0;
    double minutos = 0;
    for (int r = 1; r < MSFlexGrid1.Rows(); ++r) {
      if (!paso.step([&] {
            if (!Usada(MSFlexGrid1, r)) return;
            minutos = Suma(minutos, ConvierteAMinutos(MSFlexGrid1.TextMatrix(r, ColTareas::kHoras),
                                                      QStringLiteral("HHHH"), QStringLiteral("MM"), true));
            ++cantidad;
          }))
        return;
    }
    QString tiempo;
    if (!paso.step([&] {
          // Minutes beyond 59 are carried into the hours; with decimal hours
          // the time is shown as the tasks grid shows it.
          const double total = vb::RoundHalfEven(minutos);
          // Hours beyond what a whole number holds cannot be shown.
          if (!(std::fabs(total) < 9.2e18)) vb::Raise(vb::ErrOverflow, QStringLiteral("Desbordamiento"));
          if (vb::Trim(Cfg(QStringLiteral("SeparadorHora"))) == QLatin1String(".")) {
            tiempo = vb::Trim(MinutosAHoras(total));
          } else {
            // Hours as a plain number, minutes always with two digits: 3 h
            // 05 min is "3:05", never "3:5".
            const double absoluto = std::fabs(total);
            const long horas = static_cast<long>(std::trunc(absoluto / 60.0));
            const long resto = static_cast<long>(absoluto - horas * 60.0);
            tiempo = (total < 0 ? QStringLiteral("-") : QString()) + QString::number(horas) + u':' +
                     QStringLiteral("%1").arg(resto, 2, 10, QChar(u'0'));
          }
        }) ||
        !linea(SSTab1.TabCaption(0), QString::number(cantidad), tiempo, kColorBloque))
      return;
  }

  // Articles: their count and quantity, and the quantity of each group.
  if (!paso.step([&] { visible = SSTab1.TabVisible(1); })) return;
  if (visible) {
    int columnaGrupo = ColArticulos::kArticulo;
    QString tabla, clave;
    if (AbiertoPorRubro) {
      columnaGrupo = ColArticulos::kRubroArticulo;
      tabla = QStringLiteral("V_ta_Rubros");
      clave = QStringLiteral("IdRubro");
    } else if (AbiertoPorTipo) {
      columnaGrupo = ColArticulos::kTipoArticulo;
      tabla = QStringLiteral("V_ta_TipoArticulo");
      clave = QStringLiteral("IdTipo");
    }
    gListaItems.assign(1, ParNombreValor{});
    // Grouped by article, a group's description is that of its first row.
    QHash<QString, QString> descripciones;
    long cantidad = 0;
    double total = 0;
    for (int r = 1; r < MSFlexGrid2.Rows(); ++r) {
      if (!paso.step([&] {
            if (!Usada(MSFlexGrid2, r)) return;
            const QString grupo = vb::Trim(MSFlexGrid2.TextMatrix(r, columnaGrupo));
            const double q = NumeroCelda(MSFlexGrid2.TextMatrix(r, ColArticulos::kCantidad));
            const int i = BuscaEnListaItems(grupo);
            // Both sums first: a row beyond the range counts nowhere.
            const double nuevoTotal = Suma(total, q);
            if (i < 0) {
              gListaItems.push_back(ParNombreValor{grupo, TextoCelda(q)});
              if (tabla.isEmpty())
                descripciones.insert(grupo.toUpper(), vb::Trim(MSFlexGrid2.TextMatrix(r, ColArticulos::kDescripcion)));
            } else {
              gListaItems[i].ValorItem = TextoCelda(Suma(q, NumeroCelda(gListaItems[i].ValorItem)));
            }
            total = nuevoTotal;
            ++cantidad;
          }))
        return;
    }
    if (!linea(SSTab1.TabCaption(1), QString::number(cantidad), TextoCelda(total), kColorBloque)) return;
    if (cantidad > 0) {
      for (size_t i = 0; i < gListaItems.size(); ++i) {
        QString descripcion;
        if (!paso.step([&] {
              const QString codigo = vb::Trim(gUtil.QuitaCaracteres(gListaItems[i].NombreItem, QString(QChar(0xFF)),
                                                                    QString(QChar(0))));
              descripcion = tabla.isEmpty()
                                ? descripciones.value(codigo.toUpper())
                                : vb::Trim(gUtil.ConvierteTexto(gDatos.ObtieneValor(
                                      tabla, codigo, QStringLiteral("Descripcion"), clave, 8, QString())));
            }) ||
            !linea(gListaItems[i].NombreItem + u'-' + descripcion, QString(), gListaItems[i].ValorItem,
                   kColorDesglose))
          return;
      }
    }
  }

  // Other concepts: their count.
  if (!paso.step([&] { visible = SSTab1.TabVisible(2); })) return;
  if (visible && !linea(SSTab1.TabCaption(2), QString::number(FilasUsadas(&MSFlexGrid3)), QString(), kColorBloque))
    return;

  paso.step([&] { PintarFila(g4.Rows() - 1, g4, kColorCierre); });
}
