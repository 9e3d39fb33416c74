#include "platform/chart.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QXYSeries>
#include <algorithm>
#include <cmath>
#include <limits>

#include "support/fixture.h"

namespace tavo {
namespace {

// A table of `rows` rows labelled "t1", "t2" …, with `series` columns of values; `gaps` lists the
// (row, series) cells left empty.
ChartTable Table(int rows, int series, std::initializer_list<std::pair<int, int>> gaps = {}) {
  ChartTable t;
  t.redim(1, rows, 1, series + 1);
  for (int r = 1; r <= rows; ++r) {
    t(r, 1) = QStringLiteral("t%1").arg(r);
    for (int s = 1; s <= series; ++s) t(r, s + 1) = static_cast<Single>(10 * s + r);
  }
  for (const auto& [r, s] : gaps) t(r, s + 1) = Variant();
  return t;
}

std::vector<QXYSeries*> Lines(const Chart& chart) {
  std::vector<QXYSeries*> lines;
  for (QAbstractSeries* s : chart.drawing()->series()) {
    if (s->type() == QAbstractSeries::SeriesTypeLine) lines.push_back(static_cast<QXYSeries*>(s));
  }
  return lines;
}

class ChartTest : public test::TavoTest {
 protected:
  Chart chart;
};

TEST_F(ChartTest, FirstColumnLabelsTheRowsAndAnEmptyCellLeavesAGap) {
  ChartTable t = Table(5, 2, {{3, 1}});
  t(4, 3) = QStringLiteral("x");  // a text that is no number is no value either, nor is infinity
  t(1, 3) = std::numeric_limits<Double>::infinity();
  chart.setData(std::move(t));
  const ChartModel& m = chart.model();
  EXPECT_EQ(m.rowCount(), 5);
  EXPECT_EQ(m.seriesCount(), 2);
  EXPECT_EQ(m.label(5), "t5");
  EXPECT_EQ(m.value(2, 1), 12.0);
  EXPECT_EQ(m.value(3, 1), std::nullopt);
  EXPECT_EQ(m.value(4, 2), std::nullopt);
  EXPECT_EQ(m.value(1, 2), std::nullopt);
  EXPECT_EQ(m.value(5, 2), 25.0);

  // Series 1 is drawn in two pieces around its gap, series 2 in two around its text cell.
  const std::vector<QXYSeries*> lines = Lines(chart);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0]->points(), QList<QPointF>({{1, 11}, {2, 12}}));
  EXPECT_EQ(lines[1]->points(), QList<QPointF>({{4, 14}, {5, 15}}));
  EXPECT_EQ(lines[2]->points(), QList<QPointF>({{2, 22}, {3, 23}}));
  EXPECT_EQ(lines[3]->points(), QList<QPointF>({{5, 25}}));
}

TEST_F(ChartTest, SeriesSettingsOutliveTheDataAndTheChartTypeDecidesTheDrawing) {
  chart.setChartType(ChartType::Combination2d);
  chart.setSeriesLegend(1, QStringLiteral("Qsale"));
  chart.setSeriesSecondaryAxis(2, true);
  chart.setSeriesType(1, SeriesType::Line2d);
  chart.setData(Table(3, 2));
  chart.setData(Table(4, 2));
  const ChartModel& m = chart.model();
  EXPECT_EQ(m.seriesSettings(1).legend, "Qsale");
  EXPECT_TRUE(m.seriesSettings(2).secondaryAxis);
  EXPECT_EQ(m.drawnType(1), SeriesType::Line2d);
  EXPECT_EQ(m.drawnType(2), SeriesType::Bar2d);  // a combination chart draws bars by default

  // Series 2 hangs from the right-hand axis, which shows only while a series uses it.
  QAbstractSeries* bars = nullptr;
  for (QAbstractSeries* s : chart.drawing()->series()) {
    if (s->type() == QAbstractSeries::SeriesTypeArea) bars = s;
  }
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->attachedAxes().back()->alignment(), Qt::AlignRight);
  EXPECT_TRUE(bars->attachedAxes().back()->isVisible());

  // A new chart type brings every series back to the type's drawing.
  chart.setChartType(ChartType::Line2d);
  EXPECT_EQ(m.seriesSettings(1).type, SeriesType::Default);
  EXPECT_EQ(m.drawnType(2), SeriesType::Line2d);
  chart.setChartType(ChartType::Combination2d);
  EXPECT_EQ(m.drawnType(1), SeriesType::Bar2d);
  chart.setSeriesSecondaryAxis(2, false);
  EXPECT_FALSE(chart.drawing()->axes(Qt::Vertical).back()->isVisible());
}

TEST_F(ChartTest, NewDataOfTheSameShapeMoveThePointsOfTheSameSeries) {
  chart.setData(Table(100, 3));
  const QList<QAbstractSeries*> before = chart.drawing()->series();
  ChartTable t = Table(120, 3);
  t(1, 2) = Single{99};
  chart.setData(std::move(t));
  EXPECT_EQ(chart.drawing()->series(), before);
  EXPECT_EQ(Lines(chart)[0]->points().size(), 120);
  EXPECT_EQ(Lines(chart)[0]->at(0), QPointF(1, 99));

  // One series fewer: the series are drawn anew.
  chart.setData(Table(120, 2));
  EXPECT_EQ(chart.drawing()->series().size(), 2);
}

// Bars of more rows than the plot has pixel columns: each column is drawn as one bar, as high as its
// highest, next to the one before without coming down to the base between them.
TEST_F(ChartTest, BarsOfMoreRowsThanPixelsShowEachColumnsHighest) {
  chart.setChartType(ChartType::Bar2d);
  chart.resize(400, 300);
  chart.show();
  ChartTable t = Table(3000, 1);
  for (int r = 1; r <= 3000; ++r) t(r, 2) = static_cast<Single>(r % 10);
  t(1501, 2) = Single{50};
  chart.setData(std::move(t));
  QApplication::processEvents();
  QAreaSeries* bars = nullptr;
  for (QAbstractSeries* s : chart.drawing()->series()) {
    if (s->type() == QAbstractSeries::SeriesTypeArea) bars = static_cast<QAreaSeries*>(s);
  }
  ASSERT_NE(bars, nullptr);
  const QList<QPointF> shape = bars->upperSeries()->points();
  const int columns = static_cast<int>(std::ceil(chart.drawing()->plotArea().width()));
  ASSERT_LT(columns, 3000);
  EXPECT_LE(shape.size(), 2 * columns + 2);
  EXPECT_EQ(shape.front().y(), 0);
  EXPECT_EQ(shape.back().y(), 0);
  int atBase = 0;
  double highest = 0;
  for (const QPointF& p : shape) {
    atBase += p.y() == 0 ? 1 : 0;
    highest = std::max(highest, p.y());
  }
  EXPECT_EQ(atBase, 2);
  EXPECT_EQ(highest, 50);
  EXPECT_EQ(chart.model().value(1501, 1), 50.0);  // the data keep every row
}

TEST_F(ChartTest, CategoryLabelsEveryNthRowEachShownOnce) {
  ChartTable t = Table(10, 1);
  t(7, 1) = QStringLiteral("t1");  // the same text as row 1
  chart.setData(std::move(t));
  CategoryScale scale;
  scale.automatic = false;
  scale.divisionsPerLabel = 3;
  chart.setCategoryScale(scale);
  const QStringList shown = chart.shownLabels();
  ASSERT_EQ(shown.size(), 4);  // rows 1, 4, 7 and 10
  EXPECT_EQ(shown[0], "t1");
  EXPECT_EQ(shown[1], "t4");
  EXPECT_TRUE(shown[2].startsWith("t1") && shown[2] != shown[0]);
  EXPECT_EQ(shown[3], "t10");

  // Titles are shown as they are, never read as markup.
  chart.setTitle(QStringLiteral("  <b>Q</b>  "));
  chart.setFootnote(QStringLiteral(" Pp= 10mm"));
  EXPECT_EQ(chart.model().title, "  <b>Q</b>  ");
  EXPECT_EQ(chart.drawing()->title(), "  &lt;b&gt;Q&lt;/b&gt;  ");
}

}  // namespace
}  // namespace tavo
