#include "platform/chart.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tavo {

// ---- the model ----

int ChartModel::rowCount() const {
  return data.upper1() >= data.lower1() ? data.upper1() - data.lower1() + 1 : 0;
}

int ChartModel::seriesCount() const {
  return std::max(data.upper2() - data.lower2(), 0);
}

QString ChartModel::label(int row) const {
  return data(data.lower1() + row - 1, data.lower2()).toString();
}

std::optional<double> ChartModel::value(int row, int s) const {
  const Variant& cell = data(data.lower1() + row - 1, data.lower2() + s);
  double v = 0;
  if (cell.isNumeric()) {
    v = cell.toDouble();
  } else if (cell.type() == Variant::Type::String && IsNumeric(cell.toString())) {
    v = Val(cell.toString());
  } else {
    return std::nullopt;
  }
  // A value that is no finite number cannot be drawn: it leaves a gap.
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

ChartSeries ChartModel::seriesSettings(int s) const {
  if (s < 1 || s > static_cast<int>(series.size())) return ChartSeries{};
  return series[static_cast<size_t>(s - 1)];
}

ChartSeries& ChartModel::seriesSettings(int s) {
  if (s < 1) Raise(kErrSubscript);
  if (s > static_cast<int>(series.size())) series.resize(static_cast<size_t>(s));
  return series[static_cast<size_t>(s - 1)];
}

SeriesType ChartModel::drawnType(int s) const {
  const SeriesType own = seriesSettings(s).type;
  if (own != SeriesType::Default) return own;
  return chartType == ChartType::Line2d ? SeriesType::Line2d : SeriesType::Bar2d;
}

// ---- the drawing ----

namespace {

// Series colours, first series first: discharge blue, then cyan (rain, a level), red, green, and
// further distinct colours for the lines of a family of storms.
const QColor& SeriesColour(int s) {
  static const QColor colours[] = {
      {31, 78, 156},  {0, 150, 199},  {192, 57, 43}, {39, 140, 64}, {128, 60, 160}, {150, 100, 40},
      {220, 60, 150}, {110, 120, 20}, {90, 90, 90},  {0, 0, 110},   {230, 126, 34}, {0, 120, 120},
      {170, 0, 0},    {70, 170, 220}, {160, 140, 0}, {100, 40, 60},
  };
  return colours[static_cast<size_t>(s - 1) % std::size(colours)];
}

// The chart's texts are shown as they are, never read as markup.
QString Plain(const QString& text) {
  return text.toHtmlEscaped();
}

constexpr double kBarRoom = 0.7;  // part of a category the bars of one row take

// The points of a line drawn across `columns` pixel columns spanning x from `lo` to `hi`: all of them
// when they are no more than the columns; else, of each column, the first, the lowest, the highest
// and the last, in their order along the line.
QList<QPointF> Thinned(QList<QPointF> points, double lo, double hi, int columns) {
  if (points.size() <= columns || !(hi > lo)) return points;
  const double scale = columns / (hi - lo);
  auto column = [&](const QPointF& p) { return static_cast<long long>(std::floor((p.x() - lo) * scale)); };
  QList<QPointF> kept;
  kept.reserve(4 * static_cast<qsizetype>(columns));
  const qsizetype n = points.size();
  for (qsizetype first = 0; first < n;) {
    const long long here = column(points[first]);
    qsizetype last = first;
    qsizetype lowest = first;
    qsizetype highest = first;
    while (last + 1 < n && column(points[last + 1]) == here) {
      ++last;
      if (points[last].y() < points[lowest].y()) lowest = last;
      if (points[last].y() > points[highest].y()) highest = last;
    }
    qsizetype picks[] = {first, std::min(lowest, highest), std::max(lowest, highest), last};
    for (int i = 0; i < 4; ++i) {
      if (i == 0 || picks[i] != picks[i - 1]) kept.append(points[picks[i]]);
    }
    first = last + 1;
  }
  return kept;
}

}  // namespace

Chart::Chart(QWidget* parent) : QWidget(parent) {
  chart_ = new QChart;
  chart_->setBackgroundRoundness(0);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  QFont titleFont = chart_->titleFont();
  titleFont.setPointSize(10);
  titleFont.setBold(true);
  chart_->setTitleFont(titleFont);
  // The legend is drawn under the plot by the chart itself, one entry per series in order.
  chart_->legend()->hide();

  axisX_ = new QCategoryAxis;
  axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axisY_ = new QValueAxis;
  axisY2_ = new QValueAxis;
  axisY2_->setVisible(false);
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  chart_->addAxis(axisY2_, Qt::AlignRight);

  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  legend_ = new QWidget(this);
  auto* entries = new QGridLayout(legend_);
  entries->setContentsMargins(6, 2, 6, 2);
  entries->setVerticalSpacing(0);
  footnote_ = new QLabel(this);
  footnote_->setTextFormat(Qt::PlainText);
  footnote_->setContentsMargins(6, 0, 6, 2);
  footnote_->hide();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(view_, 1);
  column->addWidget(legend_);
  column->addWidget(footnote_);

  // The automatic label spacing, and the points a thinned line keeps, depend on the room the plot
  // has.
  connect(
      chart_, &QChart::plotAreaChanged, this,
      [this] {
        const int columns = pixelColumns();
        if (columns != drawnFor_ && longest_ > std::min(columns, drawnFor_)) redraw();
        if (model_.categoryScale.automatic) redrawLabels();
      },
      Qt::QueuedConnection);
  applyAxisSettings();
  drawLabels();
}

QChart* Chart::drawing() const {
  const_cast<Chart*>(this)->flush();
  return chart_;
}

QStringList Chart::shownLabels() const {
  const_cast<Chart*>(this)->flush();
  return shownLabels_;
}

void Chart::setChartType(ChartType type) {
  model_.chartType = type;
  for (ChartSeries& s : model_.series) s.type = SeriesType::Default;
  redraw();
}

void Chart::setSeriesType(int s, SeriesType type) {
  if (model_.seriesSettings(s).type == type) return;
  model_.seriesSettings(s).type = type;
  redraw();
}

void Chart::setSeriesLegend(int s, const QString& text) {
  model_.seriesSettings(s).legend = text;
  applyLegend(s);
}

void Chart::setSeriesSecondaryAxis(int s, bool secondary) {
  if (model_.seriesSettings(s).secondaryAxis == secondary) return;
  model_.seriesSettings(s).secondaryAxis = secondary;
  redraw();
}

void Chart::setAxisTitle(ChartAxis axis, const QString& title) {
  model_.axis(axis).title = title;
  applyAxisSettings();
}

void Chart::setAxisLabelFontSize(ChartAxis axis, int points) {
  model_.axis(axis).labelFontSize = points;
  applyAxisSettings();
  if (axis == ChartAxis::X) redrawLabels();
}

void Chart::setTickStyle(ChartAxis axis, TickStyle style) {
  model_.axis(axis).tickStyle = style;
  applyAxisSettings();
}

void Chart::setCategoryScale(const CategoryScale& scale) {
  model_.categoryScale = scale;
  redrawLabels();
}

void Chart::setTitle(const QString& text) {
  model_.title = text;
  chart_->setTitle(Plain(text));
}

void Chart::setFootnote(const QString& text) {
  model_.footnote = text;
  footnote_->setText(text);
  footnote_->setVisible(!text.isEmpty());
}

void Chart::setLegendVisible(bool visible) {
  model_.legendVisible = visible;
  legend_->setVisible(visible);
}

void Chart::setColumnCount(int count) {
  model_.columnCount = count;
}

void Chart::setData(ChartTable table) {
  model_.data = std::move(table);
  model_.columnCount = model_.seriesCount();
  redraw();
}

void Chart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeLegend();
  if (model_.categoryScale.automatic) redrawLabels();
}

void Chart::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  flush();
}

void Chart::redraw() {
  valuesPending_ = true;
  schedule();
}

void Chart::redrawLabels() {
  labelsPending_ = true;
  schedule();
}

void Chart::schedule() {
  if (flushQueued_) return;
  flushQueued_ = true;
  QMetaObject::invokeMethod(
      this, [this] { flush(); }, Qt::QueuedConnection);
}

void Chart::flush() {
  flushQueued_ = false;
  // The axes take their ranges before the points go in, so that the chart lays each line out once, in
  // its final place: a range changed under a line lays the whole line out again.
  const bool values = std::exchange(valuesPending_, false);
  if (values) {
    labelsPending_ = true;
    rebuildSeries();
    scaleValueAxes();
  }
  if (labelsPending_) {
    labelsPending_ = false;
    drawLabels();
  }
  if (values) {
    // The plot takes its room beside the axes' new labels now, so that the lines are thinned for the
    // pixel columns it will have.
    if (QGraphicsLayout* layout = chart_->layout()) layout->activate();
    drawValues();
  }
}

int Chart::pixelColumns() const {
  const double plot = chart_->plotArea().width();
  if (plot >= 20) return static_cast<int>(std::ceil(plot));
  // A chart not laid out yet may show as wide as its screen.
  const QScreen* where = screen();
  return where ? std::max(where->geometry().width(), 20) : 1920;
}

bool Chart::rebuildSeries() {
  const int n = model_.seriesCount();
  bool same = static_cast<int>(drawn_.size()) == n;
  for (int s = 1; same && s <= n; ++s) {
    const Drawn& d = drawn_[static_cast<size_t>(s - 1)];
    same = d.type == model_.drawnType(s) && d.secondary == model_.seriesSettings(s).secondaryAxis;
  }
  if (same) return false;

  chart_->removeAllSeries();
  drawn_.assign(static_cast<size_t>(n), Drawn{});
  for (int s = 1; s <= n; ++s) {
    Drawn& d = drawn_[static_cast<size_t>(s - 1)];
    d.type = model_.drawnType(s);
    d.secondary = model_.seriesSettings(s).secondaryAxis;
    if (d.type == SeriesType::Bar2d) {
      d.barShape = new QLineSeries;
      d.bars = new QAreaSeries(d.barShape);
      d.barShape->setParent(d.bars);
      d.bars->setPen(QPen(SeriesColour(s).darker(130), 1));
      chart_->addSeries(d.bars);
      d.bars->attachAxis(axisX_);
      d.bars->attachAxis(d.secondary ? axisY2_ : axisY_);
    }
  }
  buildLegend();
  return true;
}

void Chart::drawValues() {
  drawnFor_ = pixelColumns();
  longest_ = 0;
  int barCount = 0;
  for (const Drawn& d : drawn_) barCount += d.type == SeriesType::Bar2d ? 1 : 0;
  int barIndex = 0;
  for (int s = 1; s <= static_cast<int>(drawn_.size()); ++s) {
    Drawn& d = drawn_[static_cast<size_t>(s - 1)];
    if (d.type == SeriesType::Bar2d) {
      drawBars(s, d, barIndex++, barCount);
    } else {
      drawLine(s, d);
    }
  }
}

void Chart::drawLine(int s, Drawn& drawn) {
  // One line per run of filled cells: an empty cell leaves a gap.
  std::vector<QList<QPointF>> runs(1);
  const int rows = model_.rowCount();
  for (int row = 1; row <= rows; ++row) {
    const std::optional<double> v = model_.value(row, s);
    if (v) {
      runs.back().append(QPointF(row, *v));
    } else if (!runs.back().isEmpty()) {
      runs.emplace_back();
    }
  }
  if (runs.size() > 1 && runs.back().isEmpty()) runs.pop_back();

  while (drawn.lines.size() > runs.size()) {
    QLineSeries* extra = drawn.lines.back();
    drawn.lines.pop_back();
    chart_->removeSeries(extra);
    delete extra;
  }
  while (drawn.lines.size() < runs.size()) {
    auto* line = new QLineSeries;
    line->setPen(QPen(SeriesColour(s), 2));
    line->setColor(SeriesColour(s));
    chart_->addSeries(line);
    line->attachAxis(axisX_);
    line->attachAxis(drawn.secondary ? axisY2_ : axisY_);
    drawn.lines.push_back(line);
  }
  for (size_t i = 0; i < runs.size(); ++i) {
    // A lone value between gaps shows as a point.
    drawn.lines[i]->setPointsVisible(runs[i].size() == 1);
    longest_ = std::max(longest_, static_cast<int>(runs[i].size()));
    drawn.lines[i]->replace(Thinned(std::move(runs[i]), 0.5, rows + 0.5, drawnFor_));
  }
}

void Chart::drawBars(int s, Drawn& drawn, int barIndex, int barCount) {
  // The bars of a series make one shape: along the base, up, across and down at each filled row. With
  // more rows than the plot has pixel columns, the bars of a column are drawn as one, across the
  // column and as high as the one farthest from the base.
  const double width = kBarRoom / barCount;
  const double offset = -kBarRoom / 2 + barIndex * width;
  const int rows = model_.rowCount();
  const int columns = drawnFor_;
  const bool thin = rows > columns;
  longest_ = std::max(longest_, rows);
  auto column = [&](int row) { return thin ? static_cast<long long>((row - 0.5) * columns / rows) : row; };
  QList<QPointF> shape;
  shape.reserve(4 * static_cast<qsizetype>(std::min(rows, columns)));
  for (int row = 1; row <= rows;) {
    std::optional<double> v = model_.value(row, s);
    if (!v) {
      ++row;
      continue;
    }
    const double left = row + offset;
    int last = row;
    while (last + 1 <= rows && column(last + 1) == column(row)) {
      ++last;
      if (const std::optional<double> next = model_.value(last, s); next && std::fabs(*next) > std::fabs(*v))
        v = next;
    }
    // Bars thinner than a pixel show no gap between them: the shape goes from one to the next without
    // coming down to the base.
    const double right = thin ? last + 1 + offset : last + offset + width;
    if (thin && !shape.isEmpty() && shape.back() == QPointF(left, 0)) {
      shape.removeLast();
    } else {
      shape.append(QPointF(left, 0));
    }
    shape.append(QPointF(left, *v));
    shape.append(QPointF(right, *v));
    shape.append(QPointF(right, 0));
    row = last + 1;
  }
  // Bars thinner than a pixel show as their borders did, one next to the other.
  QColor fill = thin ? SeriesColour(s).darker(130) : SeriesColour(s);
  if (!thin) fill.setAlpha(170);
  drawn.bars->setBrush(fill);
  drawn.barShape->replace(shape);
}

void Chart::scaleValueAxes() {
  bool secondaryUsed = false;
  for (QValueAxis* axis : {axisY_, axisY2_}) {
    const bool secondary = axis == axisY2_;
    double lo = 0;
    double hi = 0;
    for (int s = 1; s <= static_cast<int>(drawn_.size()); ++s) {
      if (drawn_[static_cast<size_t>(s - 1)].secondary != secondary) continue;
      secondaryUsed = secondaryUsed || secondary;
      for (int row = 1; row <= model_.rowCount(); ++row) {
        if (const std::optional<double> v = model_.value(row, s)) {
          lo = std::min(lo, *v);
          hi = std::max(hi, *v);
        }
      }
    }
    if (!(hi > lo)) hi = lo + 1;
    axis->setRange(lo, hi);
    axis->applyNiceNumbers();
  }
  axisY2_->setVisible(secondaryUsed);
}

int Chart::labelStep() const {
  const CategoryScale& scale = model_.categoryScale;
  if (!scale.automatic) return std::max<int>(scale.divisionsPerLabel, 1);
  const int rows = model_.rowCount();
  if (rows == 0) return 1;
  // The longest label decides the room each label needs.
  QString widest;
  for (int row = 1; row <= rows; ++row) {
    const QString text = model_.label(row);
    if (text.size() > widest.size()) widest = text;
  }
  const int longest = std::max(QFontMetrics(axisX_->labelsFont()).horizontalAdvance(widest), 1);
  double room = chart_->plotArea().width();
  if (room < 20) room = std::max(view_->width() - 120, 100);
  return std::max(static_cast<int>(std::ceil(rows * (longest + 14.0) / room)), 1);
}

void Chart::drawLabels() {
  const int rows = model_.rowCount();
  const int step = labelStep();
  QStringList labels;
  for (int row = 1; row <= rows; row += step) {
    QString text = model_.label(row);
    // The axis holds each label once: a repeated text is told apart by invisible marks.
    while (labels.contains(text)) text += QChar(0x200B);
    labels << text;
  }
  if (rows == shownRows_ && step == shownStep_ && labels == shownLabels_) return;
  for (const QString& old : axisX_->categoriesLabels()) axisX_->remove(old);
  for (int i = 0; i < labels.size(); ++i) axisX_->append(labels[i], 1 + i * step);
  axisX_->setStartValue(0.5);
  axisX_->setRange(0.5, std::max(rows, 1) + 0.5);
  shownLabels_ = labels;
  shownStep_ = step;
  shownRows_ = rows;
}

void Chart::buildLegend() {
  for (QWidget* entry : legendEntries_) delete entry;
  legendEntries_.clear();
  legendTexts_.clear();
  for (int s = 1; s <= static_cast<int>(drawn_.size()); ++s) {
    // A swatch of the series' colour: a bar, or a stroke for a line.
    QPixmap swatch(14, 10);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    if (drawn_[static_cast<size_t>(s - 1)].type == SeriesType::Bar2d) {
      painter.fillRect(swatch.rect(), SeriesColour(s));
    } else {
      painter.fillRect(QRect(0, 4, 14, 3), SeriesColour(s));
    }
    painter.end();
    auto* entry = new QWidget(legend_);
    auto* row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    auto* mark = new QLabel(entry);
    mark->setPixmap(swatch);
    auto* text = new QLabel(entry);
    text->setTextFormat(Qt::PlainText);
    text->setContentsMargins(0, 0, 10, 0);
    row->addWidget(mark);
    row->addWidget(text);
    row->addStretch();
    entry->show();
    legendEntries_.push_back(entry);
    legendTexts_.push_back(text);
    applyLegend(s);
  }
  placeLegend();
  // The entries take their places at once, as the legend's room under the plot does.
  legend_->layout()->activate();
  legend_->updateGeometry();
  layout()->activate();
}

// The legend's entries in rows under the plot, centred, as many to a row as its width holds.
void Chart::placeLegend() {
  auto* grid = static_cast<QGridLayout*>(legend_->layout());
  while (QLayoutItem* item = grid->takeAt(0)) delete item;
  for (int c = 0; c < grid->columnCount(); ++c) grid->setColumnStretch(c, 0);
  const int n = static_cast<int>(legendEntries_.size());
  if (n == 0) return;
  int widest = 1;
  for (const QWidget* entry : legendEntries_) widest = std::max(widest, entry->sizeHint().width());
  const QMargins margins = grid->contentsMargins();
  const int spacing = std::max(grid->horizontalSpacing(), 0);
  const int room = width() - margins.left() - margins.right();
  const int perRow = std::clamp((room + spacing) / (widest + spacing), 1, n);
  for (int i = 0; i < n; ++i)
    grid->addWidget(legendEntries_[static_cast<size_t>(i)], i / perRow, 1 + i % perRow);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(perRow + 1, 1);
}

void Chart::applyLegend(int s) {
  if (s < 1 || s > static_cast<int>(legendTexts_.size())) return;
  QLabel* text = legendTexts_[static_cast<size_t>(s - 1)];
  if (text->text() == model_.seriesSettings(s).legend) return;
  text->setText(model_.seriesSettings(s).legend);
  if (static_cast<int>(legendTexts_.size()) == static_cast<int>(drawn_.size())) placeLegend();
}

void Chart::applyAxisSettings() {
  const std::pair<ChartAxis, QAbstractAxis*> axes[] = {
      {ChartAxis::X, axisX_}, {ChartAxis::Y, axisY_}, {ChartAxis::Y2, axisY2_}};
  for (const auto& [which, axis] : axes) {
    const ChartAxisSettings& settings = model_.axis(which);
    axis->setTitleText(Plain(settings.title));
    QFont font = axis->labelsFont();
    font.setPointSize(std::max(settings.labelFontSize, 1));
    axis->setLabelsFont(font);
  }
  axisX_->setGridLineVisible(model_.axis(ChartAxis::X).tickStyle != TickStyle::None);
}

}  // namespace tavo
