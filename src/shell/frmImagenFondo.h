// The holder of the network editor's background picture: a window without controls that is never
// shown. The editor sizes it like itself and loads its picture from the project's picture file; the
// editor's redraw paints the picture from here.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class frmImagenFondo : public QWidget, public FormInstance<frmImagenFondo> {
  Q_OBJECT
 public:
  frmImagenFondo();
  void Form_Load() {}
  void Form_Unload() {}

  // The inner size the editor gives it, in the editor's window units.
  void SetInnerSize(int width, int height);
  int innerWidth() const { return innerWidth_; }
  int innerHeight() const { return innerHeight_; }

  // Loads the picture from a .jpg, .gif, .bmp, .wmf or other file the program can read. A missing
  // file, and a file that holds no picture the program can read (damaged, cut, or of another kind),
  // raise error 53 and leave the picture held before.
  void LoadPicture(const QString& file);
  void ClearPicture();
  // The picture's stored size in HiMetric units (hundredths of a millimetre at 96 dots per inch): its
  // pixels, or a metafile's own size.
  int PictureWidthHiMetric() const;
  int PictureHeightHiMetric() const;

  QImage Picture;

 private:
  QSize pictureSize_;  // in pixels at 96 dots per inch
  int innerWidth_ = 0;
  int innerHeight_ = 0;
};

}  // namespace tavo
