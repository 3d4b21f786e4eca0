#pragma once
// The pictures of the image lists and button bars, drawn at run time with
// QPainter (the program carries no image files). Each drawing works on a
// 16 x 16 grid; Icono() scales it to every size an icon is asked for.
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <functional>

class QPainter;

namespace pintura {

using Dibujo = void (*)(QPainter&);

// An icon of the drawing, at 16, 20, 24, 32 and 48 pixels (and any other
// size asked for).
QIcon Icono(Dibujo dibujo);
// An icon drawn only when a size of it is asked for, once per size and
// mode: dibuja gives the picture at that size. A window shows a few of its
// icons at one size or two; drawing every icon at every size up front would
// cost the program's start-up. lados: the sizes it tells it has.
QIcon IconoAlPedir(std::function<QPixmap(int lado)> dibuja, QList<int> lados);
QPixmap Mapa(Dibujo dibujo, int lado);

// Approval states.
void TildeRoja(QPainter& p);          // approved report
void CruzRoja(QPainter& p);           // rejected
void RelojDeArena(QPainter& p);       // in progress
void Advertencia(QPainter& p);        // needs attention
void Candado(QPainter& p);            // closed
void CalendarioConReloj(QPainter& p); // pending report

// Voucher types and states.
void Presupuesto(QPainter& p);
void Anulado(QPainter& p);
void Aprobado(QPainter& p);
void Factura(QPainter& p);
void NotaCredito(QPainter& p);
void NotaDebito(QPainter& p);
void OrdenTrabajo(QPainter& p);
void Generico(QPainter& p);
void Terceros(QPainter& p);
void OrdenCompra(QPainter& p);
void OrdenCompraGarantia(QPainter& p);

// Grid fill buttons.
void LlenarCeldas(QPainter& p);
void BlanquearCeldas(QPainter& p);
void ProponerCantidades(QPainter& p);

// Button bar.
void Nuevo(QPainter& p);
void Borrar(QPainter& p);
void Reporte(QPainter& p);
void Consultar(QPainter& p);
void Planilla(QPainter& p);
void Cancelar(QPainter& p);
void Grabar(QPainter& p);
void Cerrar(QPainter& p);

}  // namespace pintura
