#pragma once
// An image list: pictures numbered from 1, each with an optional Key and a
// Tag, shown at ImageWidth x ImageHeight (16 x 16). List views,
// tree views and tool bars take their pictures from one by index or key:
//
//   ImageList* il = CreaImagenesComprobantes(this);     // design-time list
//   ListView1->SetSmallIcons(il);
//   for (int i = 1; i <= il->ListImages().Count(); ++i)
//     if (vb::Igual(vb::Trim(il->ListImages()(i).Tag), "OT")) ...
//
// Index and key look-ups outside the list raise the control errors 35600 /
// 35601 (index out of bounds / element not found).
#include <QIcon>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class ListImage {
 public:
  int Index = 0;
  QString Key;
  QString Tag;
  QIcon Picture;
};

class ImageList : public QObject {
  Q_OBJECT

 public:
  class Coleccion {
   public:
    explicit Coleccion(ImageList* dueno) : dueno_(dueno) {}
    ListImage& Add(const QIcon& picture, const QString& key = QString(), const QString& tag = QString());
    int Count() const { return static_cast<int>(imagenes_.size()); }
    void Clear();
    void Remove(int index);
    // 1-based index; raises 35600 out of range.
    ListImage& Item(int index) const;
    // By key (ignoring case); raises 35601 when no image has it.
    ListImage& Item(const QString& key) const;
    ListImage& operator()(int index) const { return Item(index); }
    ListImage& operator()(const QString& key) const { return Item(key); }
    // The index of the image with that key, 0 when none.
    int IndiceDeClave(const QString& key) const;

   private:
    ImageList* dueno_;
    std::vector<std::unique_ptr<ListImage>> imagenes_;
  };

  explicit ImageList(QObject* parent = nullptr, const QString& nombre = QString());

  Coleccion& ListImages() { return imagenes_; }
  const Coleccion& ListImages() const { return imagenes_; }

  int ImageWidth() const { return ancho_; }
  int ImageHeight() const { return alto_; }

  // The picture of image i (1-based); a null icon for 0 or an index outside
  // the list (a list item with no picture).
  QIcon Icono(int index) const;
  // The index of the first image whose trimmed Tag equals the trimmed text
  // (ignoring case); 0 when none.
  int IndiceDeTag(const QString& tag) const;

 signals:
  void Cambiada();

 private:
  Coleccion imagenes_{this};
  static constexpr int ancho_ = 16;
  static constexpr int alto_ = 16;
};

// The approval window's design-time list (six images): 1 a red tick (approved
// report), 2 a red cross, 3 an hourglass, 4 a warning sign, 5 a padlock, 6 a
// calendar leaf with a clock (pending report).
ImageList* CreaImagenesAprobacion(QObject* parent);
// The voucher pick list's eleven images, with the Tags (and Keys), in order:
// "PR", "Anulado", "Aprobado", "FC", "NC", "ND", "OT", "Generico", "T3", "OC",
// "OCG".
ImageList* CreaImagenesComprobantes(QObject* parent);
// The lot dialogs' fill buttons: 1 "LLENAR" (copy down), 2 "BLANQUEAR"
// (clear down), 3 "PROPONER" (propose quantities).
ImageList* CreaImagenesRelleno(QObject* parent);
