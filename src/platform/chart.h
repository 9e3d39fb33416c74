// The chart control of the result windows: a table of values (one row per category, the first column
// the category labels, each further column a series) drawn as lines or bars, with titles, a legend,
// a footnote under the chart and a secondary value axis. What the chart shows is kept apart from its
// drawing (`ChartModel`), so that the windows' texts and data can be read back as they were set, every
// value of them. The drawing follows the model once the program's statements have run, so that a
// window that sets the type, the axes and the data of a new run draws it once; new data of the same
// shape only move the points of the series already drawn, in one call per line, and the chart keeps
// nothing of the data before. A line of more points than the plot has pixel columns is drawn from the
// points each column needs: its first, lowest, highest and last.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "platform/arrays.h"
#include "platform/vb.h"

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace tavo {

enum class ChartType { Bar2d, Line2d, Combination2d };
// Default: the chart type decides (bars in a bar or combination chart, lines in a line chart).
enum class SeriesType { Default, Line2d, Bar2d };
enum class ChartAxis { X = 0, Y = 1, Y2 = 2 };
enum class TickStyle { None = 0, Center = 1, Inside = 2, Outside = 3 };

// The chart's data: rows 1..n, columns 1..m. Column 1 holds the category labels as text, column
// j + 1 the values of series j; an empty cell leaves a gap in its series.
using ChartTable = Array2<Variant>;

struct ChartSeries {
  SeriesType type = SeriesType::Default;
  QString legend;
  bool secondaryAxis = false;  // drawn against the value axis on the right
};

struct ChartAxisSettings {
  QString title;
  int labelFontSize = 8;  // points
  TickStyle tickStyle = TickStyle::Outside;
};

// The category axis's labels: automatic, or one label every `divisionsPerLabel` categories.
struct CategoryScale {
  bool automatic = true;
  Integer divisionsPerLabel = 1;
  Integer divisionsPerTick = 1;
  bool labelsOnTicks = false;
};

// Everything the chart shows, as it was set.
class ChartModel {
 public:
  ChartType chartType = ChartType::Line2d;
  ChartTable data;
  std::vector<ChartSeries> series;        // series j at index j - 1; the settings outlive new data
  std::array<ChartAxisSettings, 3> axes;  // by ChartAxis
  CategoryScale categoryScale;
  QString title;
  QString footnote;
  bool legendVisible = true;
  int columnCount = 1;  // the number of series the chart is set up for

  int rowCount() const;
  int seriesCount() const;
  QString label(int row) const;
  // The value of series `s` in row `row`; nothing for an empty cell or a text that is not a number.
  std::optional<double> value(int row, int s) const;
  // The settings of series s (1 first); those of a series never set are the defaults.
  ChartSeries seriesSettings(int s) const;
  ChartSeries& seriesSettings(int s);
  // How series s is drawn: its own type, else the chart type's.
  SeriesType drawnType(int s) const;
  const ChartAxisSettings& axis(ChartAxis a) const { return axes[static_cast<size_t>(a)]; }
  ChartAxisSettings& axis(ChartAxis a) { return axes[static_cast<size_t>(a)]; }
};

class Chart : public QWidget {
  Q_OBJECT
 public:
  explicit Chart(QWidget* parent = nullptr);

  const ChartModel& model() const { return model_; }

  // A new chart type brings every series back to the type's own drawing.
  void setChartType(ChartType type);
  void setSeriesType(int s, SeriesType type);
  void setSeriesLegend(int s, const QString& text);
  void setSeriesSecondaryAxis(int s, bool secondary);
  void setAxisTitle(ChartAxis axis, const QString& title);
  void setAxisLabelFontSize(ChartAxis axis, int points);
  void setTickStyle(ChartAxis axis, TickStyle style);
  void setCategoryScale(const CategoryScale& scale);
  void setTitle(const QString& text);
  void setFootnote(const QString& text);
  void setLegendVisible(bool visible);
  void setColumnCount(int count);
  // Hands the chart its data and draws them.
  void setData(ChartTable table);

  // The drawing itself, for the checks of how it is brought up to date: what is pending is drawn
  // first.
  QChart* drawing() const;
  // The category labels the axis shows, first to last.
  QStringList shownLabels() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // What draws series j: a line per run of filled cells, or one area shaped as bars.
  struct Drawn {
    SeriesType type = SeriesType::Line2d;
    bool secondary = false;
    std::vector<QLineSeries*> lines;
    QAreaSeries* bars = nullptr;
    QLineSeries* barShape = nullptr;
  };

  // What is to be drawn again once the program's statements have run: the values (and the series,
  // when their number, type or axis changed), or only the category labels.
  void redraw();
  void redrawLabels();
  void schedule();
  // Draws what is pending.
  void flush();
  // Rebuilds the series when their number, type or axis changed; false when nothing changed.
  bool rebuildSeries();
  void drawValues();
  // The pixel columns of the plot, across which a line is drawn.
  int pixelColumns() const;
  void drawLine(int s, Drawn& drawn);
  void drawBars(int s, Drawn& drawn, int barIndex, int barCount);
  void scaleValueAxes();
  void drawLabels();
  void applyLegend(int s);
  void buildLegend();
  void placeLegend();
  void applyAxisSettings();
  int labelStep() const;

  ChartModel model_;
  QChart* chart_;
  QChartView* view_;
  QLabel* footnote_;
  QWidget* legend_;                      // the series' colours and legend texts, under the plot
  std::vector<QWidget*> legendEntries_;  // by series: its colour and its text
  std::vector<QLabel*> legendTexts_;     // by series
  QCategoryAxis* axisX_;
  QValueAxis* axisY_;
  QValueAxis* axisY2_;
  std::vector<Drawn> drawn_;
  QStringList shownLabels_;
  int shownStep_ = 0;
  int shownRows_ = -1;
  bool valuesPending_ = false;
  bool labelsPending_ = false;
  bool flushQueued_ = false;
  int drawnFor_ = 0;  // the pixel columns the values were last drawn across
  int longest_ = 0;   // the most points a line (or rows a series of bars) had then
};

}  // namespace tavo
