// A drawing surface with a user coordinate system: the picture box of the program's windows.
//
// Coordinates. Every position and size is given in world units of the current scale: the left and
// top edges and the width and height of the visible window of the world (y grows downwards). A point
// (x, y) lands on the pixel ((x - left) * Wp / width, (y - top) * Hp / height), Wp by Hp being the
// surface's size in pixels; the scale therefore differs between the axes when the proportions differ.
// Pen widths are pixels and do not change with the scale. `resetScale` goes back to pixel units.
//
// Persistence. Drawing goes into an image that the surface keeps and shows; it survives the window
// being covered, moved or resized (a larger surface is extended in the back colour), and changes only
// by drawing or by `cls`.
//
// The pen. Each line, outline and arc uses the current pen width, pen style (dashes apply to width 1
// only, as wider pens are always solid) and draw mode (copy, or exclusive-or with what lies below, for
// rubber bands that a second drawing removes). A colour left out means the fore colour. Lines have
// round ends. The current point is where the next relative drawing starts: the end of a line, the
// second corner of a box, the centre of a circle, a point set, or the start of the line below a text.
//
// Fills. Box outlines and circles are filled per the fill style and fill colour; a filled box is filled
// with its own colour.
//
// Input. Pointer events arrive in world units with the button (1 left, 2 right, 4 middle) and the
// shift state (1 shift, 2 control, 4 alt), as mouseDown / mouseMove / mouseUp. A double click arrives
// as the system sends it: down, up, dblClick, up (no second down). Keys arrive as keyDown (key code of
// keys.h, shift state) and keyPress (character code).
//
// Recording. With recording on, every drawing operation is also appended to a log in world units, so
// that tests can assert what was drawn, in which colour and with which pen, without reading pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

#include "platform/vb.h"

namespace tavo {

enum class PenStyle { Solid, Dash, Dot, DashDot };
enum class FillStyle { Solid, Transparent, UpwardDiagonal };
enum class DrawMode { Copy, Xor };

// One drawing operation as recorded, in world units.
struct DrawOp {
  enum class Kind { Clear, Line, Box, FilledBox, Circle, Point, Text, Picture };
  Kind kind = Kind::Clear;
  QPointF p1;         // line start; box corner; circle centre; point; text top-left; picture top-left
  QPointF p2;         // line end; box opposite corner; picture bottom-right
  double radius = 0;  // circle radius along X
  bool arc = false;   // only the arc from `start` to `end` (radians, counter-clockwise on screen)
  double start = 0;
  double end = 0;
  double aspect = 1;  // vertical radius / horizontal radius
  QColor color;       // pen or fill colour of the operation
  int width = 1;      // pen width in pixels
  PenStyle style = PenStyle::Solid;
  FillStyle fill = FillStyle::Transparent;
  QColor fillColor;
  DrawMode mode = DrawMode::Copy;
  QString text;
  bool bold = false;
};

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // ---- scale ----
  double scaleLeft() const { return left_; }
  double scaleTop() const { return top_; }
  double scaleWidth() const { return width_; }
  double scaleHeight() const { return height_; }
  void setScaleLeft(double left);
  void setScaleTop(double top);
  // A width or height of 0 raises error 380 (invalid property value) and changes nothing.
  void setScaleWidth(double width);
  void setScaleHeight(double height);
  // Origin (0, 0), one unit a pixel.
  void resetScale();
  // World units to pixels of the surface and back.
  QPointF toPixels(QPointF world) const;
  QPointF toWorld(QPointF pixels) const;

  // ---- pen, fill, colours, font ----
  int drawWidth() const { return penWidth_; }
  void setDrawWidth(int pixels);  // below 1 raises error 380
  PenStyle drawStyle() const { return penStyle_; }
  void setDrawStyle(PenStyle style) { penStyle_ = style; }
  DrawMode drawMode() const { return drawMode_; }
  void setDrawMode(DrawMode mode) { drawMode_ = mode; }
  FillStyle fillStyle() const { return fillStyle_; }
  void setFillStyle(FillStyle style) { fillStyle_ = style; }
  QColor fillColor() const { return fillColor_; }
  void setFillColor(const QColor& color) { fillColor_ = color; }
  QColor foreColor() const { return foreColor_; }
  void setForeColor(const QColor& color) { foreColor_ = color; }
  QColor backColor() const { return backColor_; }
  void setBackColor(const QColor& color) { backColor_ = color; }
  bool fontBold() const { return font().bold(); }
  void setFontBold(bool bold);

  // ---- current point ----
  double currentX() const { return current_.x(); }
  double currentY() const { return current_.y(); }
  void setCurrent(double x, double y) { current_ = QPointF(x, y); }

  // ---- drawing ----
  // Fills the whole surface with the back colour; the current point goes to the scale's origin.
  void cls();
  void line(double x1, double y1, double x2, double y2, const QColor& color = QColor());
  // From the current point.
  void lineTo(double x2, double y2, const QColor& color = QColor());
  // Rectangle outline between two corners, its interior per the fill style.
  void box(double x1, double y1, double x2, double y2, const QColor& color = QColor());
  // Rectangle filled with `color`.
  void filledBox(double x1, double y1, double x2, double y2, const QColor& color = QColor());
  // Circle or ellipse outline, interior per the fill style; radius along X, aspect = vertical radius
  // over horizontal radius. Circles are round on the screen whatever the scale.
  void circle(double x, double y, double radius, const QColor& color = QColor(), double aspect = 1);
  // The arc from `start` to `end` radians (0 points right, pi/2 up), counter-clockwise on the screen.
  void arc(double x, double y, double radius, const QColor& color, double start, double end,
           double aspect = 1);
  // One dot of the pen's width.
  void point(double x, double y, const QColor& color = QColor());
  // Text in the fore colour, top-left corner at the current point, drawn without background.
  void print(const QString& text);
  // A picture scaled into the rectangle (x, y, width, height) of the world.
  void paintPicture(const QImage& picture, double x, double y, double width, double height);

  // The surface's persistent image.
  const QImage& image() const { return canvas_; }

  // ---- recording ----
  // Whether surfaces created from now on record from the start (off unless a test turns it on).
  static void setRecordingByDefault(bool on);
  void setRecording(bool on) { recording_ = on; }
  bool recording() const { return recording_; }
  const std::vector<DrawOp>& log() const { return log_; }
  void clearLog() { log_.clear(); }

 signals:
  void mouseDown(int button, int shift, Single x, Single y);
  void mouseMove(int button, int shift, Single x, Single y);
  void mouseUp(int button, int shift, Single x, Single y);
  void dblClick();
  void keyDown(int keyCode, int shift);
  void keyPress(int character);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  DrawOp op(DrawOp::Kind kind, const QColor& color) const;
  void record(const DrawOp& op);
  QColor colorOr(const QColor& color) const { return color.isValid() ? color : foreColor_; }
  void ensureCanvas();
  void drawEllipse(const DrawOp& op);

  double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  DrawMode drawMode_ = DrawMode::Copy;
  FillStyle fillStyle_ = FillStyle::Transparent;
  QColor fillColor_ = Qt::black;
  QColor foreColor_ = Qt::black;
  QColor backColor_ = Qt::white;
  QPointF current_;
  QImage canvas_;
  bool recording_ = false;
  std::vector<DrawOp> log_;
};

}  // namespace tavo
