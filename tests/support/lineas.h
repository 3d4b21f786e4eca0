#pragma once
// Finding a line of a list in a test. A line that is not there is a failure
// of the test that looked for it, named with what the list holds, never a
// crash on a null line.
#include <QString>

class ListItem;
class ListView;

// The first line whose column holds the text (column 0: the line's text;
// column i: sub-item i), or nullptr after recording the failure. For use
// inside a scripted dialog action, where the test goes on.
ListItem* LineaDe(ListView* lista, int columna, const QString& texto);

// The same line for a test that uses it at once: when it is missing the
// failure is recorded and the test ends there (an exception the test
// framework reports). Only in a test's own body.
ListItem& LineaExistente(ListView* lista, int columna, const QString& texto);
