#include "platform/slider.h"

#include <QMouseEvent>

namespace tavo {

Slider::Slider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace tavo
