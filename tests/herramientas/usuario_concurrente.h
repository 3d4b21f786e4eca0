#pragma once
// What the programs that play one of two users writing at once share: the
// connection to the database with nothing that waits for a person, and the
// start together.
#include <QFile>
#include <QString>
#include <QThread>
#include <memory>

#include "platform/cls_datos.h"
#include "platform/interaccion_guionada.h"

// Installs scripted interactions and connects to the embedded database BASE
// with a command timeout long enough to wait for the other user. Nullptr
// when it cannot connect; else what was asked or shown is recorded there.
inline InteraccionGuionada* ConectaUsuario(const char* base) {
  auto ui = std::make_unique<InteraccionGuionada>();
  InteraccionGuionada* preguntas = ui.get();
  Interaccion::Instala(std::move(ui));
  gDatos.BaseDeDatos = QString::fromLocal8Bit(base);
  if (!gDatos.Conectar(true, 3, QString())) return nullptr;
  gDatos.Conexion().SetCommandTimeout(60);
  return preguntas;
}

// Writes SALIDA.ETIQUETA and waits for SALIDA to exist, so both users start
// together. False when it waited a minute in vain.
inline bool EsperaAlOtro(const QString& salida, const QString& etiqueta) {
  QFile listo(salida + '.' + etiqueta);
  if (!listo.open(QIODevice::WriteOnly)) return false;
  listo.close();
  for (int espera = 0; !QFile::exists(salida); ++espera) {
    if (espera > 60000) return false;
    QThread::msleep(1);
  }
  return true;
}
