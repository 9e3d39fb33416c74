#include "shell/frmImagenFondo.h"

#include <QImageReader>
#include <cmath>

#include "platform/errors.h"
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
  const QString path = ResolvePath(file);
  QImageReader reader(path);
  const QImage picture = reader.read();
  if (picture.isNull()) Raise(kErrFileNotFound);
  Picture = picture;
}

int frmImagenFondo::PictureWidthHiMetric() const {
  return HiMetric(Picture.width());
}
int frmImagenFondo::PictureHeightHiMetric() const {
  return HiMetric(Picture.height());
}

}  // namespace tavo
