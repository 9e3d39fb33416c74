// A slider with the Click of the program's sliders: it comes when the mouse button is released over
// the slider, after a click in its track or a drag of its thumb, with the slider at its new value.
// Setting the value from the program is no click.
#pragma once

#include <QSlider>

namespace tavo {

class Slider : public QSlider {
  Q_OBJECT
 public:
  explicit Slider(Qt::Orientation orientation, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tavo
