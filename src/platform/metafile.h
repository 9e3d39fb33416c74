// Windows metafiles (.wmf), the vector pictures a background may be: libwmf's player reads the
// records and this module paints what they draw onto an image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tavo {

// Whether the bytes begin as a metafile does: the placeable header's key, or a metafile header.
bool LooksLikeMetafile(const QByteArray& bytes);

// A metafile's drawing over white, and the metafile's own size in pixels at 96 an inch. The image
// has that size, or is smaller in the same proportions when that size would be too large to hold.
struct MetafilePicture {
  QImage image;
  QSize size;
};

// Plays the metafile held in `bytes`; a null image when libwmf refuses it (damaged, cut, or not a
// metafile) or its drawing has no size.
MetafilePicture PlayMetafile(const QByteArray& bytes);

}  // namespace tavo
