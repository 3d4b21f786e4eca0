#include "support/lineas.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

#include "platform/controles/listview.h"

namespace {

ListItem* Busca(ListView* lista, int columna, const QString& texto, QStringList& vistos) {
  if (!lista) return nullptr;
  ListView::Items& items = lista->ListItems();
  for (int i = 1; i <= items.Count(); ++i) {
    ListItem* it = items(i);
    const QString t = columna == 0 ? it->Text() : it->SubItems(columna);
    if (t == texto) return it;
    vistos << t;
  }
  return nullptr;
}

std::string Falta(int columna, const QString& texto, const QStringList& vistos) {
  return QStringLiteral("no line holds \"%1\" in column %2; the list holds {%3}")
      .arg(texto)
      .arg(columna)
      .arg(vistos.mid(0, 30).join(QStringLiteral(", ")))
      .toStdString();
}

}  // namespace

ListItem* LineaDe(ListView* lista, int columna, const QString& texto) {
  QStringList vistos;
  ListItem* it = Busca(lista, columna, texto, vistos);
  if (!it) ADD_FAILURE() << Falta(columna, texto, vistos);
  return it;
}

ListItem& LineaExistente(ListView* lista, int columna, const QString& texto) {
  QStringList vistos;
  ListItem* it = Busca(lista, columna, texto, vistos);
  if (!it) {
    const std::string m = Falta(columna, texto, vistos);
    ADD_FAILURE() << m;
    throw std::runtime_error(m);
  }
  return *it;
}
