// Windows metafiles: libwmf's player (libwmflite) reads the records, keeps the drawing state and
// works out every coordinate; the drawing calls below paint what each record draws with a QPainter.
// The player works in its own device units, which the calls map onto the image through the
// drawing's bounding box. What the image cannot show (flood fills, raster operations other than
// plain ones) is left out.
#include "platform/metafile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QString>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <vector>

// libwmf's headers are C and define short macros of their own: they come after every other header.
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

namespace tavo {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr double kPixelsPerInch = 96;
// The largest image a metafile is played onto, in pixels and in pixels a side; a larger drawing is
// played smaller. A metafile that says it is larger than kMaxSize pixels a side is no drawing.
constexpr double kMaxPixels = 4096.0 * 4096.0;
constexpr double kMaxSide = 16384;
constexpr unsigned kMaxSize = 100000;

// What the drawing calls paint on: the painter, and the map from the player's units to pixels.
struct Canvas {
  QPainter* painter = nullptr;
  wmfD_Rect box{};
  double sx = 1;
  double sy = 1;
  std::vector<std::unique_ptr<QImage>> bitmaps;  // the bitmaps the records hold, until the play ends
};

Canvas& CanvasOf(wmfAPI* api) {
  return *static_cast<Canvas*>(api->device_data);
}

QPointF Px(wmfAPI* api, wmfD_Coord p) {
  const Canvas& c = CanvasOf(api);
  return {(p.x - c.box.TL.x) * c.sx, (p.y - c.box.TL.y) * c.sy};
}

QRectF RectPx(wmfAPI* api, wmfD_Coord tl, wmfD_Coord br) {
  return QRectF(Px(api, tl), Px(api, br)).normalized();
}

QColor Color(const wmfRGB& rgb) {
  return {rgb.r, rgb.g, rgb.b};
}

// The painter takes the pen and the brush of the drawing state.
void UsePenAndBrush(wmfAPI* api, wmfDC* dc, bool fill) {
  Canvas& c = CanvasOf(api);
  const wmfPen* pen = WMF_DC_PEN(dc);
  if (WMF_PEN_STYLE(pen) == PS_NULL) {
    c.painter->setPen(Qt::NoPen);
  } else {
    const double width = std::max(1.0, (WMF_PEN_WIDTH(pen) * c.sx + WMF_PEN_HEIGHT(pen) * c.sy) / 2);
    QPen qpen(Color(pen->lopnColor), width);
    switch (WMF_PEN_STYLE(pen)) {
      case PS_DASH:
        qpen.setStyle(Qt::DashLine);
        break;
      case PS_DOT:
      case PS_ALTERNATE:
        qpen.setStyle(Qt::DotLine);
        break;
      case PS_DASHDOT:
        qpen.setStyle(Qt::DashDotLine);
        break;
      case PS_DASHDOTDOT:
        qpen.setStyle(Qt::DashDotDotLine);
        break;
      default:
        break;
    }
    qpen.setCapStyle(WMF_PEN_ENDCAP(pen) == PS_ENDCAP_FLAT     ? Qt::FlatCap
                     : WMF_PEN_ENDCAP(pen) == PS_ENDCAP_SQUARE ? Qt::SquareCap
                                                               : Qt::RoundCap);
    qpen.setJoinStyle(WMF_PEN_JOIN(pen) == PS_JOIN_BEVEL   ? Qt::BevelJoin
                      : WMF_PEN_JOIN(pen) == PS_JOIN_MITER ? Qt::MiterJoin
                                                           : Qt::RoundJoin);
    c.painter->setPen(qpen);
  }
  const wmfBrush* brush = WMF_DC_BRUSH(dc);
  if (!fill || WMF_BRUSH_STYLE(brush) == BS_NULL) {
    c.painter->setBrush(Qt::NoBrush);
    return;
  }
  Qt::BrushStyle style = Qt::SolidPattern;
  if (WMF_BRUSH_STYLE(brush) == BS_HATCHED) {
    constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                           Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    if (WMF_BRUSH_HATCH(brush) < std::size(kHatches)) style = kHatches[WMF_BRUSH_HATCH(brush)];
  }
  c.painter->setBrush(QBrush(Color(brush->lbColor), style));
  c.painter->setBackgroundMode(WMF_DC_OPAQUE(dc) ? Qt::OpaqueMode : Qt::TransparentMode);
  c.painter->setBackground(Color(dc->bgcolor));
}

Qt::FillRule FillRule(wmfDC* dc) {
  return WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

QPolygonF Polygon(wmfAPI* api, const wmfD_Coord* points, int count) {
  QPolygonF polygon;
  polygon.reserve(count);
  for (int i = 0; i < count; ++i) polygon << Px(api, points[i]);
  return polygon;
}

void DrawPixel(wmfAPI* api, wmfDrawPixel_t* d) {
  const Canvas& c = CanvasOf(api);
  const QPointF p = Px(api, d->pt);
  c.painter->fillRect(QRectF(p, QSizeF(d->pixel_width * c.sx, d->pixel_height * c.sy)).normalized(),
                      Color(d->color));
}

enum class Arc { Open, Pie, Chord, Ellipse };

// Arcs run counterclockwise from the radial line through `start` to the one through `end`, both
// given from the centre.
void DrawArc(wmfAPI* api, wmfDrawArc_t* d, Arc kind) {
  const Canvas& c = CanvasOf(api);
  UsePenAndBrush(api, d->dc, kind != Arc::Open);
  const QRectF box = RectPx(api, d->TL, d->BR);
  if (kind == Arc::Ellipse) {
    c.painter->drawEllipse(box);
    return;
  }
  // Angles on screen, whose y runs down: counterclockwise there is clockwise in Qt's sense.
  const double a0 = -std::atan2(d->start.y * c.sy, d->start.x * c.sx) * 180 / M_PI;
  double a1 = -std::atan2(d->end.y * c.sy, d->end.x * c.sx) * 180 / M_PI;
  if (a1 <= a0) a1 += 360;
  const int from = static_cast<int>(std::lround(a0 * 16));
  const int span = static_cast<int>(std::lround((a1 - a0) * 16));
  if (kind == Arc::Open) c.painter->drawArc(box, from, span);
  if (kind == Arc::Pie) c.painter->drawPie(box, from, span);
  if (kind == Arc::Chord) c.painter->drawChord(box, from, span);
}

void DrawLine(wmfAPI* api, wmfDrawLine_t* d) {
  UsePenAndBrush(api, d->dc, false);
  CanvasOf(api).painter->drawLine(Px(api, d->from), Px(api, d->to));
}

void PolyLine(wmfAPI* api, wmfPolyLine_t* d) {
  UsePenAndBrush(api, d->dc, false);
  CanvasOf(api).painter->drawPolyline(Polygon(api, d->pt, d->count));
}

void DrawPolygon(wmfAPI* api, wmfPolyLine_t* d) {
  UsePenAndBrush(api, d->dc, true);
  CanvasOf(api).painter->drawPolygon(Polygon(api, d->pt, d->count), FillRule(d->dc));
}

void DrawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* d) {
  UsePenAndBrush(api, d->dc, true);
  QPainterPath path;
  path.setFillRule(FillRule(d->dc));
  for (int i = 0; i < d->npoly; ++i) {
    if (d->pt[i] && d->count[i] > 0) path.addPolygon(Polygon(api, d->pt[i], d->count[i]));
    path.closeSubpath();
  }
  CanvasOf(api).painter->drawPath(path);
}

void DrawRectangle(wmfAPI* api, wmfDrawRectangle_t* d) {
  const Canvas& c = CanvasOf(api);
  UsePenAndBrush(api, d->dc, true);
  const QRectF box = RectPx(api, d->TL, d->BR);
  if (d->width > 0 || d->height > 0) {
    c.painter->drawRoundedRect(box, d->width * c.sx / 2, d->height * c.sy / 2);
  } else {
    c.painter->drawRect(box);
  }
}

// A pattern fill of a rectangle: black, white or the brush.
void RopDraw(wmfAPI* api, wmfROP_Draw_t* d) {
  const Canvas& c = CanvasOf(api);
  const QRectF box = RectPx(api, d->TL, d->BR);
  if (d->ROP == BLACKNESS) return c.painter->fillRect(box, Qt::black);
  if (d->ROP == WHITENESS) return c.painter->fillRect(box, Qt::white);
  UsePenAndBrush(api, d->dc, true);
  c.painter->fillRect(box, c.painter->brush());
}

// A device-independent bitmap of a record, made a BMP file for Qt's reader to read.
void BmpRead(wmfAPI* api, wmfBMP_Read_t* d) {
  d->bmp.data = nullptr;
  d->bmp.width = d->bmp.height = 0;
  if (!d->buffer || d->length < 40) return;
  const auto* dib = d->buffer;
  const quint32 header = qFromLittleEndian<quint32>(dib);
  const quint16 bits = qFromLittleEndian<quint16>(dib + 14);
  const quint32 compression = qFromLittleEndian<quint32>(dib + 16);
  quint32 colours = qFromLittleEndian<quint32>(dib + 32);
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  const quint64 masks = compression == 3 ? 12 : 0;
  const quint64 offset = 14 + quint64(header) + masks + 4 * quint64(colours);
  if (header < 40 || offset > 14 + quint64(d->length)) return;
  QByteArray file("BM", 2);
  file.resize(14);
  qToLittleEndian<quint32>(static_cast<quint32>(14 + d->length), file.data() + 2);
  qToLittleEndian<quint32>(0, file.data() + 6);
  qToLittleEndian<quint32>(static_cast<quint32>(offset), file.data() + 10);
  file.append(reinterpret_cast<const char*>(dib), static_cast<qsizetype>(d->length));
  auto image = std::make_unique<QImage>(QImage::fromData(file, "BMP"));
  if (image->isNull() || image->width() > 0xFFFF || image->height() > 0xFFFF) return;
  d->bmp.width = static_cast<U16>(image->width());
  d->bmp.height = static_cast<U16>(image->height());
  d->bmp.data = image.get();
  CanvasOf(api).bitmaps.push_back(std::move(image));
}

void BmpFree(wmfAPI*, wmfBMP* bmp) {
  bmp->data = nullptr;
}

void BmpDraw(wmfAPI* api, wmfBMP_Draw_t* d) {
  const Canvas& c = CanvasOf(api);
  const auto* image = static_cast<const QImage*>(d->bmp.data);
  if (!image) return;
  // The crop counts its rows from the bottom of the bitmap.
  const QRect crop(d->crop.x, image->height() - d->crop.y - d->crop.h, d->crop.w, d->crop.h);
  const QRectF target(Px(api, d->pt),
                      QSizeF(d->crop.w * d->pixel_width * c.sx, d->crop.h * d->pixel_height * c.sy));
  const QImage part = image->copy(crop.intersected(image->rect()));
  c.painter->drawImage(target.normalized(), part.mirrored(target.width() < 0, target.height() < 0));
}

void DrawText(wmfAPI* api, wmfDrawText_t* d) {
  const Canvas& c = CanvasOf(api);
  const wmfFont* font = WMF_DC_FONT(d->dc);
  if (!d->str || !font) return;
  QFont qfont(font->lfFaceName ? QString::fromLatin1(font->lfFaceName) : QString());
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(d->font_height * c.sy))));
  qfont.setWeight(font->lfWeight >= 600 ? QFont::Bold : QFont::Normal);
  qfont.setItalic(font->lfItalic != 0);
  qfont.setUnderline(font->lfUnderline != 0);
  qfont.setStrikeOut(font->lfStrikeOut != 0);
  const QString text = QString::fromLatin1(d->str);
  c.painter->save();
  c.painter->translate(Px(api, d->pt));
  c.painter->rotate(-WMF_TEXT_ANGLE(font) * 180 / M_PI);
  c.painter->setFont(qfont);
  if (WMF_DC_OPAQUE(d->dc)) {
    const QFontMetricsF metrics(qfont);
    c.painter->fillRect(QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()),
                        Color(d->dc->bgcolor));
  }
  c.painter->setPen(Color(d->dc->textcolor));
  c.painter->drawText(QPointF(0, 0), text);
  c.painter->restore();
}

void RegionPaint(wmfAPI* api, wmfPolyRectangle_t* d) {
  if (d->count == 0) return;
  UsePenAndBrush(api, d->dc, true);
  for (unsigned i = 0; i < d->count; ++i)
    CanvasOf(api).painter->fillRect(RectPx(api, d->TL[i], d->BR[i]), CanvasOf(api).painter->brush());
}

void RegionFrame(wmfAPI* api, wmfPolyRectangle_t* d) {
  if (d->count == 0) return;
  const Canvas& c = CanvasOf(api);
  UsePenAndBrush(api, d->dc, true);
  const QBrush brush = c.painter->brush();
  const double w = std::max(1.0, d->width * c.sx);
  const double h = std::max(1.0, d->height * c.sy);
  for (unsigned i = 0; i < d->count; ++i) {
    const QRectF r = RectPx(api, d->TL[i], d->BR[i]);
    c.painter->fillRect(QRectF(r.left(), r.top(), r.width(), h), brush);
    c.painter->fillRect(QRectF(r.left(), r.bottom() - h, r.width(), h), brush);
    c.painter->fillRect(QRectF(r.left(), r.top(), w, r.height()), brush);
    c.painter->fillRect(QRectF(r.right() - w, r.top(), w, r.height()), brush);
  }
}

void RegionClip(wmfAPI* api, wmfPolyRectangle_t* d) {
  QPainter* painter = CanvasOf(api).painter;
  if (d->count == 0) return painter->setClipping(false);
  QRegion region;
  for (unsigned i = 0; i < d->count; ++i) region += RectPx(api, d->TL[i], d->BR[i]).toAlignedRect();
  painter->setClipRegion(region);
}

// The player places text by the width of its characters: Qt's, for a font one point high.
float StringWidth(wmfAPI*, wmfFont* font, char* text) {
  if (!text) return 0;
  QFont qfont(font && font->lfFaceName ? QString::fromLatin1(font->lfFaceName) : QString());
  qfont.setPixelSize(100);
  return static_cast<float>(QFontMetricsF(qfont).horizontalAdvance(QString::fromLatin1(text)) / 100);
}

void MapFont(wmfAPI*, wmfFont*) {}

// Sets up the drawing calls and the player's font measure.
void SetUpDevice(wmfAPI* api) {
  auto* calls = static_cast<wmfFunctionReference*>(api->function_reference);
  calls->draw_pixel = DrawPixel;
  calls->draw_pie = [](wmfAPI* a, wmfDrawArc_t* d) { DrawArc(a, d, Arc::Pie); };
  calls->draw_chord = [](wmfAPI* a, wmfDrawArc_t* d) { DrawArc(a, d, Arc::Chord); };
  calls->draw_arc = [](wmfAPI* a, wmfDrawArc_t* d) { DrawArc(a, d, Arc::Open); };
  calls->draw_ellipse = [](wmfAPI* a, wmfDrawArc_t* d) { DrawArc(a, d, Arc::Ellipse); };
  calls->draw_line = DrawLine;
  calls->poly_line = PolyLine;
  calls->draw_polygon = DrawPolygon;
  calls->draw_polypolygon = DrawPolyPolygon;
  calls->draw_rectangle = DrawRectangle;
  calls->rop_draw = RopDraw;
  calls->bmp_draw = BmpDraw;
  calls->bmp_read = BmpRead;
  calls->bmp_free = BmpFree;
  calls->draw_text = DrawText;
  calls->region_frame = RegionFrame;
  calls->region_paint = RegionPaint;
  calls->region_clip = RegionClip;
  auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
  if (!fonts) return;
  fonts->map = MapFont;
  fonts->stringwidth = StringWidth;
  fonts->user_data = nullptr;
  api->font_data = fonts;
}

// The player, closed however the play ends.
struct Player {
  wmfAPI* api = nullptr;
  ~Player() {
    if (api) wmf_lite_destroy(api);
  }
};

}  // namespace

bool LooksLikeMetafile(const QByteArray& bytes) {
  if (bytes.size() < 18) return false;
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  if (qFromLittleEndian<quint32>(data) == kPlaceableKey) return true;
  const quint16 type = qFromLittleEndian<quint16>(data);
  return (type == 1 || type == 2) && qFromLittleEndian<quint16>(data + 2) == 9;
}

MetafilePicture PlayMetafile(const QByteArray& bytes) {
  QByteArray data = bytes;
  Canvas canvas;
  wmfAPI_Options options{};
  options.function = SetUpDevice;
  Player player;
  const unsigned long flags =
      WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  if (wmf_lite_create(&player.api, flags, &options) != wmf_E_None || !player.api->font_data) return {};
  player.api->device_data = &canvas;
  if (wmf_mem_open(player.api, reinterpret_cast<unsigned char*>(data.data()), data.size()) != wmf_E_None)
    return {};
  wmfD_Rect box{};
  unsigned int width = 0;
  unsigned int height = 0;
  {
    // The scan draws nothing; should it call a drawing call all the same, that goes onto a pixel.
    QImage pixel(1, 1, QImage::Format_RGB32);
    QPainter scanPainter(&pixel);
    canvas.painter = &scanPainter;
    const wmf_error_t scanned = wmf_scan(player.api, 0, &box);
    canvas.painter = nullptr;
    if (scanned != wmf_E_None) return {};
  }
  if (wmf_display_size(player.api, &width, &height, kPixelsPerInch, kPixelsPerInch) != wmf_E_None) return {};
  if (width == 0 || height == 0 || width > kMaxSize || height > kMaxSize) return {};
  if (!(box.BR.x > box.TL.x) || !(box.BR.y > box.TL.y)) return {};

  const double shrink = std::min(
      {1.0, std::sqrt(kMaxPixels / (double(width) * double(height))), kMaxSide / width, kMaxSide / height});
  const QSize size(std::max(1, int(width * shrink)), std::max(1, int(height * shrink)));
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  canvas.painter = &painter;
  canvas.box = box;
  canvas.sx = size.width() / (double(box.BR.x) - box.TL.x);
  canvas.sy = size.height() / (double(box.BR.y) - box.TL.y);
  const wmf_error_t played = wmf_play(player.api, 0, &box);
  painter.end();
  if (played != wmf_E_None) return {};
  return {image, QSize(static_cast<int>(width), static_cast<int>(height))};
}

}  // namespace tavo
