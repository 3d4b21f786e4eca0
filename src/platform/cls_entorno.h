#pragma once
// ClsEntorno (global gEntorno): the workstation's name, the user's name and
// the suite's window style.
#include <QString>

class Form;

class ClsEntorno {
 public:
  QString NombrePC() const;
  QString NombreUsuario() const;
  // Tests (and a workstation that wants another identity) may fix both.
  void FijaIdentidad(const QString& pc, const QString& usuario);
  // The suite's window style: the window background and the frames' look.
  void AplicaEstilo(Form* form) const;

 private:
  QString pc_, usuario_;
};

extern ClsEntorno gEntorno;
