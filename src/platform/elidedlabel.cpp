#include "platform/elidedlabel.h"

#include <QEvent>
#include <QFontMetrics>

#include "platform/forms.h"

namespace tavo {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
  full_ = text;
  fit();
}

void ElidedLabel::setWrapped(bool wrapped) {
  setWordWrap(wrapped);
  fit();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  fit();
}

void ElidedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit();
}

void ElidedLabel::fit() {
  // One pixel spare: the label measures its text by its bounding box, a little wider than its advance.
  const int room = contentsRect().width() - 1;
  const QString shown = wordWrap() ? full_ : fontMetrics().elidedText(full_, Qt::ElideMiddle, room);
  if (shown != text()) setText(shown);
  setToolTip(shown == full_ ? QString() : full_);
}

ElidedLabel* MakeElidedLabel(QWidget* parent, const QString& name, int left, int top, int width, int height) {
  auto* label = new ElidedLabel(parent);
  label->setObjectName(name);
  PlaceTwips(label, left, top, width, height);
  return label;
}

}  // namespace tavo
