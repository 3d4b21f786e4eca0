#pragma once
// List and text helpers of the voucher class, the stock posting and the lot
// dialogs: INSERT lists from gCamposInsert, the totals list gListaItems,
// searching a text array, and cleaning stored texts.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "session/mod_global.h"

// Appends "(" names ") VALUES (" values ")" of the list to the statement
// start in Texto; with Vaciar the list is emptied afterwards. A list without
// entries raises a subscript error.
void ArmaListaInsert(QString& Texto, std::vector<ParNombreValor>& Lista, bool Vaciar);
// The index of the first gListaItems entry whose name (without characters
// 255 and 0, trimmed) equals the trimmed text, ignoring case; -1 when none.
// An empty list raises a subscript error.
int BuscaEnListaItems(const QString& Texto);
// The first index from Desde whose element equals the text (ignoring case,
// not trimmed); -1 when none or when Desde lies past the end. An empty array
// or a negative Desde raises a subscript error.
int BuscaIndiceArray(const QStringList& Arreglo, const QString& Texto, int Desde);
// The value as text without characters 0, 255 and line feeds, trimmed.
QString LimpiaCaracteres(const QVariant& Texto);
