#pragma once
// Article search by a typed or scanned code (module ModGlobal): the
// article's own code, its main bar code, the bar code of its transport unit
// or one of the four bar codes tied to a unit of measure.
#include <QString>
#include <QStringList>

class Recordset;

// Whether an article of V_MA_ARTICULOS answers to the code (brought to the
// article-code width of 25), tried in turn as the article code, the main
// bar code, the bar code of the transport unit (CODIGOBARRADUN) and those
// of CODIGOBARRA1..4; with CodigoBarraPrimero the main bar code comes first
// and the article code last. The code reaches SQL bound, never pasted.
//
// Rs is left holding the last query, on the found row, with every column of
// the article; a row found by the bar code of a unit (transport unit or
// CODIGOBARRA1..4) carries that unit in its first column IDUNIDAD (the
// article's own unit comes after it, under the same name). Whatever column
// found the row, Codigo becomes the article's code as stored (trimmed), so
// a caller that scanned any bar code holds an article code afterwards. A
// bar code shared by several articles finds the one with the lowest
// article code. An empty code finds nothing (Rs open and empty).
// SoloLectura is accepted for the callers: recordsets are read whole either
// way. Failures reach the caller.
bool BuscaArticuloPorCodigo(QString& Codigo, Recordset& Rs, bool SoloLectura = true, bool CodigoBarraPrimero = false);

// The columns BuscaArticuloPorCodigo tries a code in, in its order (with
// CodigoBarraPrimero as it takes it): IDARTICULO, CODIGOBARRA,
// CODIGOBARRADUN, CODIGOBARRA1..4. A caller that searches many codes at
// once finds, for each code, what the first column holding it finds.
QStringList ColumnasDeBusqueda(bool CodigoBarraPrimero = false);
