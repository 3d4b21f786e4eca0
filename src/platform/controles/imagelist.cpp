#include "platform/controles/imagelist.h"

#include "platform/controles/errores.h"
#include "platform/controles/pinturas.h"
#include "platform/vb.h"

ListImage& ImageList::Coleccion::Add(const QIcon& picture, const QString& key, const QString& tag) {
  if (!key.isEmpty() && IndiceDeClave(key) != 0) vbctl::Raise(vbctl::ErrClaveRepetida, QStringLiteral("ImageList"));
  auto img = std::make_unique<ListImage>();
  img->Index = Count() + 1;
  img->Key = key;
  img->Tag = tag;
  img->Picture = picture;
  imagenes_.push_back(std::move(img));
  emit dueno_->Cambiada();
  return *imagenes_.back();
}

void ImageList::Coleccion::Clear() {
  imagenes_.clear();
  emit dueno_->Cambiada();
}

void ImageList::Coleccion::Remove(int index) {
  Item(index);
  imagenes_.erase(imagenes_.begin() + (index - 1));
  for (int i = 0; i < Count(); ++i) imagenes_[i]->Index = i + 1;
  emit dueno_->Cambiada();
}

ListImage& ImageList::Coleccion::Item(int index) const {
  if (index < 1 || index > Count()) vbctl::Raise(vbctl::ErrIndiceFuera, QStringLiteral("ImageList"));
  return *imagenes_[index - 1];
}

ListImage& ImageList::Coleccion::Item(const QString& key) const {
  const int i = IndiceDeClave(key);
  if (i == 0) vbctl::Raise(vbctl::ErrElementoNoEncontrado, QStringLiteral("ImageList"));
  return *imagenes_[i - 1];
}

int ImageList::Coleccion::IndiceDeClave(const QString& key) const {
  if (key.isEmpty()) return 0;
  for (const auto& img : imagenes_)
    if (vb::Igual(img->Key, key)) return img->Index;
  return 0;
}

ImageList::ImageList(QObject* parent, const QString& nombre) : QObject(parent) {
  if (!nombre.isEmpty()) setObjectName(nombre);
}

QIcon ImageList::Icono(int index) const {
  if (index < 1 || index > imagenes_.Count()) return QIcon();
  return imagenes_.Item(index).Picture;
}

int ImageList::IndiceDeTag(const QString& tag) const {
  const QString buscado = vb::Trim(tag);
  for (int i = 1; i <= imagenes_.Count(); ++i)
    if (vb::Igual(vb::Trim(imagenes_.Item(i).Tag), buscado)) return i;
  return 0;
}

ImageList* CreaImagenesAprobacion(QObject* parent) {
  auto* il = new ImageList(parent, QStringLiteral("ImageList1"));
  il->ListImages().Add(pintura::Icono(pintura::TildeRoja), QStringLiteral("Aprobado"));
  il->ListImages().Add(pintura::Icono(pintura::CruzRoja), QStringLiteral("Rechazado"));
  il->ListImages().Add(pintura::Icono(pintura::RelojDeArena), QStringLiteral("EnCurso"));
  il->ListImages().Add(pintura::Icono(pintura::Advertencia), QStringLiteral("Advertencia"));
  il->ListImages().Add(pintura::Icono(pintura::Candado), QStringLiteral("Cerrado"));
  il->ListImages().Add(pintura::Icono(pintura::CalendarioConReloj), QStringLiteral("Pendiente"));
  return il;
}

ImageList* CreaImagenesComprobantes(QObject* parent) {
  auto* il = new ImageList(parent, QStringLiteral("ImageList1"));
  const struct {
    const char* tag;
    pintura::Dibujo dibujo;
  } imagenes[] = {
      {"PR", pintura::Presupuesto},  {"Anulado", pintura::Anulado},   {"Aprobado", pintura::Aprobado},
      {"FC", pintura::Factura},      {"NC", pintura::NotaCredito},    {"ND", pintura::NotaDebito},
      {"OT", pintura::OrdenTrabajo}, {"Generico", pintura::Generico}, {"T3", pintura::Terceros},
      {"OC", pintura::OrdenCompra},  {"OCG", pintura::OrdenCompraGarantia},
  };
  for (const auto& img : imagenes) {
    const QString tag = QString::fromLatin1(img.tag);
    il->ListImages().Add(pintura::Icono(img.dibujo), tag, tag);
  }
  return il;
}

ImageList* CreaImagenesRelleno(QObject* parent) {
  auto* il = new ImageList(parent, QStringLiteral("ImageList1"));
  il->ListImages().Add(pintura::Icono(pintura::LlenarCeldas), QStringLiteral("LLENAR"));
  il->ListImages().Add(pintura::Icono(pintura::BlanquearCeldas), QStringLiteral("BLANQUEAR"));
  il->ListImages().Add(pintura::Icono(pintura::ProponerCantidades), QStringLiteral("PROPONER"));
  return il;
}
