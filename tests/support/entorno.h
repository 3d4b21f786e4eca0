#pragma once
// A clean program run for a test: a temporary program folder, scripted
// interactions, a fixed workstation identity, a program end that throws
// instead of exiting, and the shared state reset before and after.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "demo_db.h"
#include "platform/interaccion_guionada.h"

class EntornoPrueba {
 public:
  EntornoPrueba();
  ~EntornoPrueba();

  QString Carpeta() const { return dir_.path(); }
  QString Ruta(const QString& nombre) const;
  InteraccionGuionada& ui() { return *ui_; }

  // A database in the program folder with the whole schema (and the demo
  // data when opciones is given). Returns its file name.
  QString CreaBase(const QString& nombre = QStringLiteral("prueba.db"));
  QString CreaBaseDemo(const demo::Opciones& opciones, const QString& nombre = QStringLiteral("demo.db"));
  // Runs the start-up with a command line naming that database.
  void Inicia(const QString& base = QStringLiteral("prueba.db"), const QString& usuario = QStringLiteral("supervisor"));
  // A demo database of that size in the program folder, and the start-up on
  // it.
  void IniciaDemo(int reportes, int articulos, unsigned semilla = demo::Opciones().semilla);
  // Runs a statement on the connected database.
  void Sql(const QString& sql);
  // The first column of the first row of a query (an invalid value when
  // there is no row).
  QVariant Valor(const QString& sql);
  // Writes a file in the program folder.
  void EscribeArchivo(const QString& nombre, const QByteArray& contenido);

 private:
  QTemporaryDir dir_;
  InteraccionGuionada* ui_ = nullptr;
  std::unique_ptr<Interaccion> anterior_;
};

// Texts print as texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{';
  for (int i = 0; i < l.size(); ++i) *os << (i ? ", " : "") << '"' << l[i].toStdString() << '"';
  *os << '}';
}

// Test fixture holding one EntornoPrueba.
class ConEntorno : public ::testing::Test {
 protected:
  EntornoPrueba e;
};
