#include "shell/frmImagenFondo.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cmath>

#include "platform/errors.h"
#include "platform/metafile.h"
#include "platform/seqfile.h"

namespace tavo {

namespace {
int HiMetric(int pixels) {
  return static_cast<int>(std::lround(pixels * 2540.0 / 96.0));
}
}  // namespace

frmImagenFondo::frmImagenFondo() {
  setObjectName(QStringLiteral("frmImagenFondo"));
  setWindowTitle(QStringLiteral("Imagen de Fondo"));
}

void frmImagenFondo::SetInnerSize(int width, int height) {
  innerWidth_ = width;
  innerHeight_ = height;
}

void frmImagenFondo::LoadPicture(const QString& file) {
  QFile archivo(ResolvePath(file));
  if (!archivo.open(QIODevice::ReadOnly)) Raise(kErrFileNotFound);
  const QByteArray bytes = archivo.readAll();
  // A metafile is played at its own size; any other picture is read as it is stored.
  QImage picture;
  QSize size;
  if (LooksLikeMetafile(bytes)) {
    const MetafilePicture metafile = PlayMetafile(bytes);
    picture = metafile.image;
    size = metafile.size;
  } else {
    QBuffer buffer;
    buffer.setData(bytes);
    picture = QImageReader(&buffer).read();
    size = picture.size();
  }
  if (picture.isNull()) Raise(kErrFileNotFound);
  Picture = picture;
  pictureSize_ = size;
}

void frmImagenFondo::ClearPicture() {
  Picture = QImage();
  pictureSize_ = QSize();
}

int frmImagenFondo::PictureWidthHiMetric() const {
  return HiMetric(pictureSize_.width());
}
int frmImagenFondo::PictureHeightHiMetric() const {
  return HiMetric(pictureSize_.height());
}

}  // namespace tavo
