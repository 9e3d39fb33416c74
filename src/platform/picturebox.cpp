#include "platform/picturebox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "platform/errors.h"
#include "platform/keys.h"

namespace tavo {

namespace {

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int ButtonsOf(Qt::MouseButtons buttons) {
  int state = 0;
  if (buttons & Qt::LeftButton) state |= 1;
  if (buttons & Qt::RightButton) state |= 2;
  if (buttons & Qt::MiddleButton) state |= 4;
  return state;
}

Qt::PenStyle QtStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

// A painter on the image with the operation's pen, brush and mode.
void Prepare(QPainter& painter, const DrawOp& op) {
  QPen pen(op.color, op.width, op.width == 1 ? QtStyle(op.style) : Qt::SolidLine, Qt::RoundCap,
           Qt::RoundJoin);
  painter.setPen(pen);
  switch (op.fill) {
    case FillStyle::Solid:
      painter.setBrush(op.fillColor);
      break;
    case FillStyle::UpwardDiagonal:
      painter.setBrush(QBrush(op.fillColor, Qt::BDiagPattern));
      break;
    case FillStyle::Transparent:
      painter.setBrush(Qt::NoBrush);
      break;
  }
  if (op.mode == DrawMode::Xor) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
}

bool& RecordingByDefault() {
  static bool on = false;
  return on;
}

}  // namespace

void PictureBox::setRecordingByDefault(bool on) {
  RecordingByDefault() = on;
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), recording_(RecordingByDefault()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  ensureCanvas();
  resetScale();
}

void PictureBox::setScaleLeft(double left) {
  left_ = left;
}
void PictureBox::setScaleTop(double top) {
  top_ = top;
}

void PictureBox::setScaleWidth(double width) {
  if (width == 0 || !std::isfinite(width)) Raise(kErrInvalidPropertyValue);
  width_ = width;
}

void PictureBox::setScaleHeight(double height) {
  if (height == 0 || !std::isfinite(height)) Raise(kErrInvalidPropertyValue);
  height_ = height;
}

void PictureBox::resetScale() {
  left_ = 0;
  top_ = 0;
  width_ = std::max(1, QWidget::width());
  height_ = std::max(1, QWidget::height());
}

QPointF PictureBox::toPixels(QPointF world) const {
  return QPointF((world.x() - left_) * QWidget::width() / width_,
                 (world.y() - top_) * QWidget::height() / height_);
}

QPointF PictureBox::toWorld(QPointF pixels) const {
  return QPointF(left_ + pixels.x() * width_ / std::max(1, QWidget::width()),
                 top_ + pixels.y() * height_ / std::max(1, QWidget::height()));
}

void PictureBox::setDrawWidth(int pixels) {
  if (pixels < 1) Raise(kErrInvalidPropertyValue);
  penWidth_ = pixels;
}

void PictureBox::setFontBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}

DrawOp PictureBox::op(DrawOp::Kind kind, const QColor& color) const {
  DrawOp o;
  o.kind = kind;
  o.color = colorOr(color);
  o.width = penWidth_;
  o.style = penStyle_;
  o.fill = fillStyle_;
  o.fillColor = fillColor_;
  o.mode = drawMode_;
  o.bold = font().bold();
  return o;
}

void PictureBox::record(const DrawOp& o) {
  if (recording_) log_.push_back(o);
  update();
}

void PictureBox::ensureCanvas() {
  const QSize wanted = size().expandedTo(canvas_.size()).expandedTo(QSize(1, 1));
  if (canvas_.size() == wanted) return;
  QImage grown(wanted, QImage::Format_RGB32);
  grown.fill(backColor_);
  if (!canvas_.isNull()) {
    QPainter painter(&grown);
    painter.drawImage(0, 0, canvas_);
  }
  canvas_ = grown;
}

void PictureBox::cls() {
  ensureCanvas();
  canvas_.fill(backColor_);
  current_ = QPointF(left_, top_);
  record(op(DrawOp::Kind::Clear, backColor_));
}

void PictureBox::line(double x1, double y1, double x2, double y2, const QColor& color) {
  DrawOp o = op(DrawOp::Kind::Line, color);
  o.p1 = QPointF(x1, y1);
  o.p2 = QPointF(x2, y2);
  QPainter painter(&canvas_);
  Prepare(painter, o);
  const QPointF a = toPixels(o.p1);
  const QPointF b = toPixels(o.p2);
  if (a == b) {
    painter.drawPoint(a);
  } else {
    painter.drawLine(a, b);
  }
  current_ = o.p2;
  record(o);
}

void PictureBox::lineTo(double x2, double y2, const QColor& color) {
  line(current_.x(), current_.y(), x2, y2, color);
}

void PictureBox::box(double x1, double y1, double x2, double y2, const QColor& color) {
  DrawOp o = op(DrawOp::Kind::Box, color);
  o.p1 = QPointF(x1, y1);
  o.p2 = QPointF(x2, y2);
  QPainter painter(&canvas_);
  Prepare(painter, o);
  painter.drawRect(QRectF(toPixels(o.p1), toPixels(o.p2)).normalized());
  current_ = o.p2;
  record(o);
}

void PictureBox::filledBox(double x1, double y1, double x2, double y2, const QColor& color) {
  DrawOp o = op(DrawOp::Kind::FilledBox, color);
  o.p1 = QPointF(x1, y1);
  o.p2 = QPointF(x2, y2);
  o.fill = FillStyle::Solid;
  o.fillColor = o.color;
  QPainter painter(&canvas_);
  Prepare(painter, o);
  const QRectF area = QRectF(toPixels(o.p1), toPixels(o.p2)).normalized();
  if (o.mode == DrawMode::Copy) {
    painter.fillRect(area, o.color);
  } else {
    painter.drawRect(area);
  }
  current_ = o.p2;
  record(o);
}

void PictureBox::drawEllipse(const DrawOp& o) {
  QPainter painter(&canvas_);
  Prepare(painter, o);
  const QPointF centre = toPixels(o.p1);
  const double rx = std::abs(o.radius * QWidget::width() / width_);
  const double ry = rx * o.aspect;
  const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
  if (!o.arc) {
    painter.drawEllipse(bounds);
    return;
  }
  constexpr double kSixteenthsPerRadian = 180.0 / std::numbers::pi * 16;
  double span = o.end - o.start;
  if (span < 0) span += 2 * std::numbers::pi;
  painter.drawArc(bounds, static_cast<int>(std::lround(o.start * kSixteenthsPerRadian)),
                  static_cast<int>(std::lround(span * kSixteenthsPerRadian)));
}

void PictureBox::circle(double x, double y, double radius, const QColor& color, double aspect) {
  DrawOp o = op(DrawOp::Kind::Circle, color);
  o.p1 = QPointF(x, y);
  o.radius = radius;
  o.aspect = aspect;
  drawEllipse(o);
  current_ = o.p1;
  record(o);
}

void PictureBox::arc(double x, double y, double radius, const QColor& color, double start, double end,
                     double aspect) {
  DrawOp o = op(DrawOp::Kind::Circle, color);
  o.p1 = QPointF(x, y);
  o.radius = radius;
  o.aspect = aspect;
  o.arc = true;
  o.start = start;
  o.end = end;
  o.fill = FillStyle::Transparent;
  drawEllipse(o);
  current_ = o.p1;
  record(o);
}

void PictureBox::point(double x, double y, const QColor& color) {
  DrawOp o = op(DrawOp::Kind::Point, color);
  o.p1 = QPointF(x, y);
  QPainter painter(&canvas_);
  Prepare(painter, o);
  painter.drawPoint(toPixels(o.p1));
  current_ = o.p1;
  record(o);
}

void PictureBox::print(const QString& text) {
  DrawOp o = op(DrawOp::Kind::Text, foreColor_);
  o.p1 = current_;
  o.text = text;
  QPainter painter(&canvas_);
  painter.setFont(font());
  painter.setPen(foreColor_);
  const QFontMetrics metrics(font());
  const QPointF topLeft = toPixels(o.p1);
  painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
  // The next text goes on the line below, from the left edge.
  current_ = QPointF(left_, toWorld(QPointF(0, topLeft.y() + metrics.height())).y());
  record(o);
}

void PictureBox::paintPicture(const QImage& picture, double x, double y, double width, double height) {
  DrawOp o = op(DrawOp::Kind::Picture, QColor());
  o.p1 = QPointF(x, y);
  o.p2 = QPointF(x + width, y + height);
  QPainter painter(&canvas_);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(toPixels(o.p1), toPixels(o.p2)), picture);
  record(o);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), backColor_);
  painter.drawImage(0, 0, canvas_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  ensureCanvas();
  QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF w = toWorld(event->position());
  emit mouseDown(ButtonOf(event->button()), VbShift(event->modifiers()), static_cast<Single>(w.x()),
                 static_cast<Single>(w.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF w = toWorld(event->position());
  emit mouseMove(ButtonsOf(event->buttons()), VbShift(event->modifiers()), static_cast<Single>(w.x()),
                 static_cast<Single>(w.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF w = toWorld(event->position());
  emit mouseUp(ButtonOf(event->button()), VbShift(event->modifiers()), static_cast<Single>(w.x()),
               static_cast<Single>(w.y()));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a left double click is the double click itself, not another press; other
  // buttons have no double click and press again.
  if (event->button() == Qt::LeftButton) {
    emit dblClick();
  } else {
    mousePressEvent(event);
  }
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  emit keyDown(VbKeyCode(event->key()), VbShift(event->modifiers()));
  const QString text = event->text();
  if (!text.isEmpty()) emit keyPress(text.at(0).unicode());
}

}  // namespace tavo
