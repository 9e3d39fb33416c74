#include "results/dlgChart3.h"

#include <QCoreApplication>
#include <QLabel>

#include "results/dlgTablaSalePDR.h"
#include "results/serie_fixture.h"
#include "shell/MDIForm1.h"

namespace tavo {
namespace {

// Five storms: durations 60, 120, (a storm without depth), 60, 30 and recurrences 10, 10, 25, 25, so
// that no storm has 120 minutes and 25 years.
class Chart3Test : public test::SerieTest {
 protected:
  void SetUp() override {
    SerieTest::SetUp();
    Serie({{20, 60, 10}, {25, 120, 10}, {0, 90, 10}, {30, 60, 25}, {35, 30, 25}});
  }
  dlgChart3& open() {
    FormInstance<MDIForm1>::instance().tbToolBar_ButtonClick(QStringLiteral("VerAbacoQDR"));
    return dlgChart3::instance();
  }
  static const ChartModel& chart() { return dlgChart3::instance().MSChartQDR->model(); }
  static std::vector<QString> labels() {
    std::vector<QString> texts;
    for (int row = 1; row <= chart().rowCount(); ++row) texts.push_back(chart().label(row));
    return texts;
  }
};

TEST_F(Chart3Test, OneLinePerRecurrenceAgainstTheDurations) {
  dlgChart3& form = open();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "Serie de Tormentas Sintéticas: Resumen de Qpico, Escorrentía y Coef.Esc.");
  EXPECT_EQ(CompoSel, 1);
  EXPECT_EQ(labels(),
            std::vector<QString>({" 60", " 120", " 30"}));  // as met, the storm without depth left out
  ASSERT_EQ(chart().seriesCount(), 2);
  EXPECT_EQ(chart().seriesSettings(1).legend, " 10");
  EXPECT_EQ(chart().seriesSettings(2).legend, " 25");
  EXPECT_EQ(chart().value(1, 1), static_cast<double>(11.12f));  // u-A in storm 1: 11.125 to even
  EXPECT_EQ(chart().value(2, 1), static_cast<double>(12.12f));
  EXPECT_EQ(chart().value(1, 2), static_cast<double>(14.12f));
  EXPECT_EQ(chart().value(3, 2), static_cast<double>(15.12f));
  EXPECT_FALSE(chart().value(2, 2));  // no storm of 120 minutes and 25 years: a gap
  EXPECT_EQ(chart().chartType, ChartType::Line2d);
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "Duración Tormenta D[minutos]");
  EXPECT_EQ(chart().axis(ChartAxis::X).tickStyle, TickStyle::Outside);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Caudal Máximo [m3/s]");
  EXPECT_EQ(chart().title, "Componente:  1, u-A");
  EXPECT_EQ(form.lblTitulo->text(), "Serie de Tormentas Sintéticas: Gráficos Qp-D-R  -  E-D-R  -  CE-D-R");
  EXPECT_EQ(form.lblNota->text(), "Arroyo de prueba  " + programDir() + "/Prueba_Conf.pcn");
  EXPECT_EQ(form.lblNotaPelcan->text(), "TAVO: Modelo hidrológico de simulación lluvia-caudal");

  form.lstCompos->setCurrentIndex(1);
  EXPECT_EQ(CompoSel, 2);
  EXPECT_EQ(chart().title, "Componente Final:  2, c-B");
  EXPECT_EQ(chart().value(1, 1), static_cast<double>(21.12f));
}

TEST_F(Chart3Test, AnyNumberOfDurationsAndRecurrences) {
  // 20 durations and 16 recurrences, more than a chart of fixed size would hold.
  std::vector<test::Tormenta> tormentas;
  for (Integer d = 1; d <= 20; ++d) {
    for (Integer r = 1; r <= 16; ++r)
      tormentas.push_back({10, static_cast<Integer>(60 * d), static_cast<Integer>(1000 + r)});
  }
  Serie(tormentas);
  dlgChart3& form = open();
  ASSERT_EQ(chart().rowCount(), 20);
  ASSERT_EQ(chart().seriesCount(), 16);
  EXPECT_EQ(labels().back(), " 1200");
  EXPECT_EQ(chart().seriesSettings(16).legend, " 1016");
  EXPECT_EQ(chart().value(20, 16), static_cast<double>(330.12f));  // u-A in storm 320, to two decimals

  // The sixteen legend entries take as many rows as they need under the plot, each shown whole.
  QCoreApplication::processEvents();
  EXPECT_TRUE(test::ClippedControls(&form).isEmpty())
      << test::ClippedControls(&form).join("\n").toStdString();
  int legends = 0;
  for (const QLabel* label : form.MSChartQDR->findChildren<QLabel*>()) {
    if (!label->text().startsWith(" 10")) continue;
    ++legends;
    const QRect shown(label->mapTo(&form, QPoint(0, 0)), label->size());
    EXPECT_TRUE(form.rect().contains(shown)) << label->text().toStdString();
  }
  EXPECT_EQ(legends, 16);
}

TEST_F(Chart3Test, RunoffAndCoefficientExistForUnitsOnly) {
  CompoSel = 3;  // past the list, as a fill of the whole table leaves it
  dlgChart3& form = open();
  EXPECT_EQ(CompoSel, 2);
  EXPECT_EQ(form.lstCompos->currentText(), "c-B");
  EXPECT_EQ(form.lstPQEC->count(), 3);

  form.lstPQEC->setCurrentIndex(1);
  ASSERT_EQ(form.lstCompos->count(), 1);
  EXPECT_EQ(form.lstCompos->currentText(), "u-A");
  EXPECT_EQ(CompoSel, 1);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Escorrentía [m3]");
  EXPECT_EQ(chart().value(1, 2), 4000);
  form.lstPQEC->setCurrentIndex(2);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Coeficiente Escorrentía [%]");
  EXPECT_EQ(chart().value(3, 2), static_cast<double>(5.46f));
  form.lstPQEC->setCurrentIndex(0);
  EXPECT_EQ(form.lstCompos->count(), 2);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Caudal Máximo [m3/s]");
}

TEST_F(Chart3Test, ANetworkWithoutUnitsHasNoRunoffToChart) {
  Componentes({"c-B", "c-C"}, 0);
  Serie({{20, 60, 10}, {25, 120, 10}});
  dlgChart3& form = open();
  form.lstPQEC->setCurrentIndex(1);
  EXPECT_EQ(form.lstCompos->count(), 0);
  EXPECT_EQ(labels(), std::vector<QString>({" 60", " 120"}));
  EXPECT_FALSE(chart().value(1, 1));
  EXPECT_FALSE(chart().value(2, 1));
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Caudal Máximo [m3/s]");
  EXPECT_EQ(chart().title, "");
}

TEST_F(Chart3Test, LabelDensity) {
  dlgChart3& form = open();
  form.cmdXmas->click();
  form.cmdXmas->click();
  EXPECT_FALSE(chart().categoryScale.automatic);
  EXPECT_EQ(chart().categoryScale.divisionsPerLabel, 4);
  EXPECT_EQ(chart().categoryScale.divisionsPerTick, 2);
  EXPECT_TRUE(chart().categoryScale.labelsOnTicks);
  for (int i = 0; i < 4; ++i) form.cmdXmenos->click();
  EXPECT_EQ(chart().categoryScale.divisionsPerLabel, 1);
  EXPECT_EQ(chart().categoryScale.divisionsPerTick, 0);
}

TEST_F(Chart3Test, SeriesTooShortToChart) {
  NroTormentasSerie = 0;
  dlgChart3& empty = open();
  EXPECT_TRUE(empty.isVisible());
  EXPECT_EQ(empty.lblTitulo->text(), "titulos");
  EXPECT_EQ(empty.lstCompos->count(), 0);
  EXPECT_EQ(chart().rowCount(), 0);
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "t [minutos]");
  empty.OKButton->click();
  EXPECT_FALSE(dlgChart3::isLoaded());

  Serie({{20, 60, 10}});
  dlgChart3& one = open();
  EXPECT_EQ(one.lstCompos->count(), 2);
  EXPECT_TRUE(one.Duraciones.empty());
  EXPECT_EQ(chart().rowCount(), 0);
}

}  // namespace
}  // namespace tavo
