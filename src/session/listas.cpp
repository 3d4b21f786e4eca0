#include "session/listas.h"

#include "platform/vb.h"
#include "platform/vb_error.h"

namespace {

[[noreturn]] void FueraDeRango() { vb::Raise(vb::ErrSubscript, QStringLiteral("El subíndice está fuera del intervalo")); }

}  // namespace

void ArmaListaInsert(QString& Texto, std::vector<ParNombreValor>& Lista, bool Vaciar) {
  if (Lista.empty()) FueraDeRango();
  QString nombres, valores;
  for (size_t i = 0; i < Lista.size(); ++i) {
    const QString fin = i + 1 < Lista.size() ? QStringLiteral(",") : QStringLiteral(")");
    nombres += Lista[i].NombreItem + fin;
    valores += Lista[i].ValorItem + fin;
  }
  Texto += QStringLiteral("(") + nombres + QStringLiteral(" VALUES (") + valores;
  if (Vaciar) Lista.clear();
}

int BuscaEnListaItems(const QString& Texto) {
  if (gListaItems.empty()) FueraDeRango();
  const QString buscado = vb::Trim(Texto);
  for (size_t i = 0; i < gListaItems.size(); ++i) {
    const QString nombre = vb::Trim(vb::QuitaCaracteres(gListaItems[i].NombreItem, QString(QChar(255)) + QChar(0)));
    if (vb::Igual(nombre, buscado)) return static_cast<int>(i);
  }
  return -1;
}

int BuscaIndiceArray(const QStringList& Arreglo, const QString& Texto, int Desde) {
  if (Arreglo.isEmpty() || Desde < 0) FueraDeRango();
  for (int i = Desde; i < Arreglo.size(); ++i)
    if (vb::Igual(Arreglo[i], Texto)) return i;
  return -1;
}

QString LimpiaCaracteres(const QVariant& Texto) {
  return vb::Trim(vb::QuitaCaracteres(vb::Texto(Texto), QString(QChar(0)) + QChar(255) + QChar(10)));
}
