#pragma once
// The port of a named SQL Server instance ("host\INSTANCIA"), asked of the
// server's browser service (SQL Server Browser, UDP 1434) with a deadline:
// a server that does not answer holds the connection no longer than the
// login may take.
#include <QByteArray>
#include <QString>
#include <chrono>

namespace navegador_sql {

// The browser service's usual port.
constexpr int kPuertoServicio = 1434;

// The TCP port of the instance on the host, asked of the service at
// puertoServicio; the question is sent again every second until an answer
// comes or the deadline passes. Raises, in Spanish, when the service does
// not answer by then (or the host refuses it), or answers without a TCP port
// for the instance.
int PuertoDeInstancia(const QString& host, const QString& instancia, int puertoServicio,
                      std::chrono::steady_clock::time_point limite);

// The TCP port an answer of the service gives for the instance (its name
// compared ignoring case): 0 when the answer names the instance without a
// TCP port, -1 when the answer is not one of the service's or does not name
// the instance.
int PuertoEnRespuesta(const QByteArray& respuesta, const QString& instancia);

// The question for one instance, as the service reads it.
QByteArray Pregunta(const QString& instancia);

}  // namespace navegador_sql
