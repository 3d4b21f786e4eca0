#pragma once
// A control array: controls of one name told apart by their Index. Indices
// need not be consecutive (the main window has no box 10).
#include <QString>
#include <map>

#include "platform/vb_error.h"

template <typename T>
class ArregloControles {
 public:
  explicit ArregloControles(QString nombre) : nombre_(std::move(nombre)) {}

  void Agrega(int indice, T* control) { controles_[indice] = control; }
  bool Existe(int indice) const { return controles_.count(indice) != 0; }
  // The element; raises when there is none with that index.
  T& operator()(int indice) const {
    auto it = controles_.find(indice);
    if (it == controles_.end())
      vb::Raise(340, QStringLiteral("El elemento %1 de la matriz de controles %2 no existe").arg(indice).arg(nombre_));
    return *it->second;
  }
  const std::map<int, T*>& Elementos() const { return controles_; }
  int Count() const { return static_cast<int>(controles_.size()); }

 private:
  QString nombre_;
  std::map<int, T*> controles_;
};
