#include "results/dlgChart1.h"

#include <QPrinterInfo>

#include "engine/hietograma.h"
#include "platform/forms.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

// A hyetograph of six 10-minute periods of 1, 2 … 6 mm.
class DlgChart1Test : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirActual = programDir();
    PpPeriodo.redim(0, 6);
    for (int k = 1; k <= 6; ++k) PpPeriodo(k) = static_cast<Single>(k);
  }
  const ChartModel& chart() { return dlgChart1::instance().MSChartPp->model(); }
  QStringList labels() {
    QStringList out;
    for (int row = 1; row <= chart().rowCount(); ++row) out << chart().label(row);
    return out;
  }
};

TEST_F(DlgChart1Test, DrawsEachPeriodWithTheTitleAndTheStormInTheFootnote) {
  MuestraHietograma(6, 10, QString(), 21, 60);
  dlgChart1& form = dlgChart1::instance();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(chart().rowCount(), 6);
  EXPECT_EQ(chart().value(6, 1), 6.0);
  EXPECT_EQ(chart().drawnType(1), SeriesType::Bar2d);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Precipitación [mm]");
  EXPECT_EQ(chart().title, "    ");
  EXPECT_EQ(chart().footnote, " Pp=  21mm;  D=  60 min ;   paso =  10 min");
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "minutos");
  EXPECT_EQ(labels(), QStringList({" 10", " 20", " 30", " 40", " 50", " 60"}));
  form.cmdHsMin->click();
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "horas");
  EXPECT_EQ(labels(), QStringList({" .16", " .33", " .5", " .66", " .83", " 1"}));

  // Every opening shows minutes again.
  form.OKButton->click();
  EXPECT_FALSE(dlgChart1::isLoaded());
  MuestraHietograma(6, 10, QStringLiteral("Tormenta"), 21, 60);
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "minutos");
  EXPECT_EQ(chart().title, "  Tormenta  ");
}

TEST_F(DlgChart1Test, WithoutPeriodsOrBeyondThemTheChartKeepsWhatItHad) {
  MuestraHietograma(0, 10, QString(), 21, 60);
  EXPECT_EQ(dlgChart1::nPasos, 0);
  EXPECT_EQ(dlgChart1::Pp, 21);
  EXPECT_EQ(chart().rowCount(), 0);
  dlgChart1::instance().AlGraficoPp(6, 10, QString(), 21, 60);
  dlgChart1::instance().AlGraficoPp(9, 10, QString(), 30, 90);  // the hyetograph holds 6 periods
  EXPECT_EQ(chart().rowCount(), 6);
  EXPECT_EQ(chart().footnote, " Pp=  21mm;  D=  60 min ;   paso =  10 min");
  EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(DlgChart1Test, PrintingPrintsAndTheSeriesModeClosesTheWindow) {
  MuestraHietograma(6, 10, QString(), 21, 60);
  dlgChart1& form = dlgChart1::instance();
  if (QPrinterInfo::defaultPrinter().isNull()) {
    dialogs.answer(vbOK);
    form.cmdImprimir->click();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].prompt.endsWith(path("Hietograma.pdf")));
    EXPECT_TRUE(test::ReadBytes(path("Hietograma.pdf")).startsWith("%PDF"));
  }
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.cmdImprimir->isVisible());
  form.OKButton->click();

  FormaPp = 2;
  MuestraHietograma(6, 10, QString(), 21, 60);
  EXPECT_FALSE(dlgChart1::isLoaded());
}

TEST_F(DlgChart1Test, TheMenuBuildsTheHyetographOfTheStorm) {
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.mnuGraficoPp->trigger();  // no storm yet
  EXPECT_FALSE(dlgChart1::isLoaded());
  PpTormenta = 40;
  DurTormenta = 30;
  PasoPp = 5;
  DistriPp = 2;  // five periods: 6 minutes each
  main.tbToolBar_ButtonClick(QStringLiteral("VerHieto"));
  ASSERT_TRUE(dlgChart1::isLoaded());
  EXPECT_TRUE(dlgChart1::instance().isVisible());
  EXPECT_EQ(chart().rowCount(), 5);
  EXPECT_EQ(chart().value(1, 1), static_cast<double>(PpPeriodo(1)));
  EXPECT_EQ(chart().footnote, " Pp=  40mm;  D=  30 min ;   paso =  6 min");
}

}  // namespace
}  // namespace tavo
