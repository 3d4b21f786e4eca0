#include "lookup/consultas_bvx.h"

#include <QFile>
#include <QSaveFile>

#include "platform/archivo_comun.h"
#include "platform/vb.h"
#include "platform/vb_error.h"

namespace {

QByteArray Campo(const QString& texto, int ancho) {
  QByteArray b = texto.toLatin1().left(ancho);
  if (b.size() < ancho) b.append(QByteArray(ancho - b.size(), ' '));
  return b;
}

QString SinCerosNi255(const QString& s) {
  return vb::QuitaCaracteres(s, QString(QChar(0)) + QChar(255));
}

}  // namespace

QByteArray QConsulta::Bytes() const {
  QByteArray b;
  b.reserve(kLargo);
  b += Campo(Titulo, kTitulo);
  b += Campo(Tabla, kTabla);
  b += Campo(ListaCampos, kListaCampos);
  b += Campo(Condicion, kCondicion);
  QByteArray fin = FinDeLinea.left(kFinDeLinea);
  if (fin.size() < kFinDeLinea) fin.append(QByteArray(kFinDeLinea - fin.size(), ' '));
  b += fin;
  return b;
}

QConsulta QConsulta::DesdeBytes(const QByteArray& bytes) {
  QConsulta q;
  int p = 0;
  auto toma = [&](int ancho) {
    QString s = QString::fromLatin1(bytes.mid(p, ancho));
    p += ancho;
    return s;
  };
  q.Titulo = toma(kTitulo);
  q.Tabla = toma(kTabla);
  q.ListaCampos = toma(kListaCampos);
  q.Condicion = toma(kCondicion);
  q.FinDeLinea = bytes.mid(p, kFinDeLinea);
  return q;
}

QString QConsulta::Clave() const { return vb::Trim(SinCerosNi255(Tabla)); }

QString QConsulta::Columnas() const {
  QString c = vb::Trim(QString(ListaCampos).replace(u'|', u','));
  if (c.startsWith(u',')) c.remove(0, 1);
  if (c.endsWith(u',')) c.chop(1);
  if (vb::Trim(c).isEmpty()) return QStringLiteral("*");
  return c;
}

QString QConsulta::Filtro() const { return vb::Trim(SinCerosNi255(Condicion)); }

namespace consultas_bvx {

std::vector<QConsulta> LeeTodos(const QString& archivo) {
  std::vector<QConsulta> r;
  QFile f;
  if (!archivo_comun::AbreLectura(archivo, f)) return r;
  for (;;) {
    QByteArray b = f.read(QConsulta::kLargo);
    if (b.size() < QConsulta::kLargo) break;
    r.push_back(QConsulta::DesdeBytes(b));
  }
  return r;
}

std::optional<QConsulta> BuscaTabla(const QString& archivo, const QString& tabla) {
  QFile f;
  if (!archivo_comun::AbreLectura(archivo, f)) return std::nullopt;
  const QString buscada = vb::Trim(tabla);
  for (;;) {
    QByteArray b = f.read(QConsulta::kLargo);
    if (b.size() < QConsulta::kLargo) return std::nullopt;
    QConsulta q = QConsulta::DesdeBytes(b);
    if (vb::Igual(q.Clave(), buscada)) return q;
  }
}

std::optional<QConsulta> BuscaTabla(const std::vector<QConsulta>& registros, const QString& tabla) {
  const QString buscada = vb::Trim(tabla);
  for (const QConsulta& q : registros)
    if (vb::Igual(q.Clave(), buscada)) return q;
  return std::nullopt;
}

void Agrega(const QString& archivo, const std::vector<QConsulta>& registros) {
  auto falla = [&](const QString& por) {
    vb::Raise(vb::ErrPathNotFound, QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, por));
  };
  if (archivo_comun::HayOtraCosa(archivo)) falla(QStringLiteral("en su lugar hay algo que no es un archivo"));
  QSaveFile nuevo(archivo);
  if (!nuevo.open(QIODevice::WriteOnly)) falla(nuevo.errorString());
  // The whole records already there are copied over (record number =
  // length / 1202 + 1: each new record goes after the last whole one).
  QFile viejo;
  if (archivo_comun::AbreLectura(archivo, viejo)) {
    for (;;) {
      const QByteArray b = viejo.read(QConsulta::kLargo);
      if (b.size() < QConsulta::kLargo) break;
      if (nuevo.write(b) != b.size()) falla(nuevo.errorString());
    }
  }
  for (const QConsulta& q : registros) {
    const QByteArray b = q.Bytes();
    if (nuevo.write(b) != b.size()) falla(nuevo.errorString());
  }
  if (!nuevo.commit()) falla(nuevo.errorString());
}

}  // namespace consultas_bvx
