#include "results/dlgChart2.h"

#include <sys/resource.h>

#include <QApplication>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QLineSeries>
#include <QPrinterInfo>
#include <QStyleOptionSlider>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <csignal>

#include "engine/cuenca_fixture.h"
#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/app.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "results/graficos.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

// The results of a run written by hand: a unit, a reach, the dam r-C (the outlet) and a lake, 16
// output steps of 5 minutes of a 60-minute storm of 40 mm in rain steps of 10 minutes. The unit's
// rain in rain step m is 10·m mm; the reach's inflow in step k is 100 + k, the dam's level k / 10,
// the lake's k / 100.
class DlgChart2Test : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirActual = programDir();
    test::AddUEH(QStringLiteral("u-A"));
    test::AddCauce(QStringLiteral("c-B"));
    test::AddRepresa(QStringLiteral("r-C"));
    test::AddLago(QStringLiteral("l-D"));
    nComponentes = 4;
    NombresComponentes.redim(0, 4);
    const char* nombres[] = {"u-A", "c-B", "r-C", "l-D"};
    for (int i = 1; i <= 4; ++i) NombresComponentes(i) = QString::fromLatin1(nombres[i - 1]);
    nComponentesFinales = 1;
    ComponentesFinales(1) = QStringLiteral("r-C");
    PpTormenta = 40;
    DurTormenta = 60;
    PasoPp = 10;
    PasoQ = 5;
    nPasosSalida = 16;
    QSaleCompo.redim(0, 4, 0, 17);
    QEntraCompo.redim(2, 5, 0, 17);
    PpUEHPaso.redim(0, 1, 0, 13);
    HEmbalseRepresa.redim(0, 1, 0, 17);
    HEmbalseLago.redim(0, 1, 0, 17);
    for (int m = 1; m <= 13; ++m) PpUEHPaso(1, m) = static_cast<Single>(10 * m);
    for (int k = 1; k <= 17; ++k) {
      for (int c = 1; c <= 4; ++c) QSaleCompo(c, k) = static_cast<Single>(c + k / 1000.0);
      QEntraCompo(2, k) = static_cast<Single>(100 + k);
      QEntraCompo(3, k) = QEntraCompo(4, k) = static_cast<Single>(200 + k);
      HEmbalseRepresa(1, k) = static_cast<Single>(k / 10.0);
      HEmbalseLago(1, k) = static_cast<Single>(k / 100.0);
    }
    QSaleCompo(1, 1) = 1.23456f;
  }
  dlgChart2& open() {
    MuestraHidrograma();
    return dlgChart2::instance();
  }
  const ChartModel& chart() { return dlgChart2::instance().MSChartH->model(); }
  std::vector<double> column(int s) {
    std::vector<double> values;
    for (int row = 1; row <= chart().rowCount(); ++row) values.push_back(chart().value(row, s).value_or(-1));
    return values;
  }
};

TEST_F(DlgChart2Test, AUnitsRainIsSpreadOverTheOutputStepsOfItsRainStep) {
  CompoSel = 0;
  dlgChart2& form = open();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(CompoSel, 1);
  EXPECT_EQ(form.lstCompos->count(), 4);
  EXPECT_EQ(dlgChart2::RelacionPasos, 2);
  EXPECT_EQ(chart().chartType, ChartType::Combination2d);
  EXPECT_EQ(chart().drawnType(1), SeriesType::Line2d);
  EXPECT_TRUE(chart().seriesSettings(2).secondaryAxis);
  EXPECT_EQ(chart().axis(ChartAxis::Y).title, "Caudal [m3/s]");
  EXPECT_EQ(chart().axis(ChartAxis::Y2).title, "Precipitación [mm]");
  EXPECT_EQ(chart().seriesSettings(1).legend, "Qsale");
  EXPECT_EQ(chart().seriesSettings(2).legend, "Pp");
  EXPECT_EQ(chart().axis(ChartAxis::X).labelFontSize, 10);
  EXPECT_EQ(chart().axis(ChartAxis::X).tickStyle, TickStyle::None);
  EXPECT_EQ(chart().value(1, 1), static_cast<double>(1.235f));  // the outflow rounded to 3 decimals
  // Rain steps of 10 minutes over output steps of 5: half of each step's rain in each; step 13 (65
  // minutes) still lies before D + 10 minutes, later steps have no rain.
  EXPECT_EQ(column(2), std::vector<double>({5, 5, 10, 10, 15, 15, 20, 20, 25, 25, 30, 30, 35, 0, 0, 0}));
  EXPECT_EQ(form.lblTitulo->text(), "Componente:  1, u-A   Pp=  40mm;  D=  60 min ;   paso =  5 min");
  EXPECT_EQ(form.lblNota->text(), "TAVO: Modelo hidrológico de simulación lluvia-caudal");

  // The time axis starts in hours and the button switches it.
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "horas");
  EXPECT_EQ(chart().label(2), " .16");
  form.cmdHsMin->click();
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "minutos");
  EXPECT_EQ(chart().label(2), " 10");
  EXPECT_EQ(chart().label(16), " 80");
}

TEST_F(DlgChart2Test, ReachDamAndLakeSeries) {
  RecTormenta = 25;
  struct Case {
    int index;
    ChartType type;
    bool secondary;
    const char* axisTitle;
    std::vector<const char*> legends;
    std::vector<double> row2;  // series values of row 2
    const char* title;
  };
  const Case cases[] = {
      {1,
       ChartType::Line2d,
       false,
       "Caudal [m3/s]",
       {"Qsale", "Qentra"},
       {2.002, 102},
       "Componente:  2, c-B"},
      {2,
       ChartType::Line2d,
       true,
       "H Embalse [m]",
       {"Qsale", "HEmbalse", "Qentra"},
       {3.002, .2, 202},
       "Componente Final:  3, r-C"},
      {3,
       ChartType::Line2d,
       true,
       "H Embalse [m]",
       {"Qsale", "HEmbalse", "Qentra"},
       {4.002, .02, 202},
       "Componente:  4, l-D"},
  };
  dlgChart2& form = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    form.lstCompos->setCurrentIndex(c.index);
    EXPECT_EQ(CompoSel, c.index + 1);
    EXPECT_EQ(chart().chartType, c.type);
    EXPECT_EQ(chart().seriesSettings(2).secondaryAxis, c.secondary);
    EXPECT_EQ(chart().axis(ChartAxis::Y2).title, c.axisTitle);
    ASSERT_EQ(chart().seriesCount(), static_cast<int>(c.legends.size()));
    for (int s = 1; s <= chart().seriesCount(); ++s) {
      EXPECT_EQ(chart().seriesSettings(s).legend, c.legends[s - 1]);
      EXPECT_FLOAT_EQ(chart().value(2, s).value(), c.row2[s - 1]);
    }
    EXPECT_EQ(
        form.lblTitulo->text(),
        QString::fromUtf8(c.title) + "   Pp=  40mm;  D=  60 min ;   Recurrencia =  25 años   paso =  5 min");
  }
}

TEST_F(DlgChart2Test, TimeLabelsInHoursAreCutNotRounded) {
  struct Case {
    Integer paso, k;
    bool minutes;
    const char* label;
  };
  const Case cases[] = {{10, 1, false, " .16"},  {10, 2, false, " .33"},  {10, 3, false, " .5"},
                        {10, 4, false, " .66"},  {10, 5, false, " .83"},  {10, 6, false, " 1"},
                        {1, 69, false, " 1.14"}, {3, 23, false, " 1.14"}, {10, 7, true, " 70"}};
  for (const Case& c : cases)
    EXPECT_EQ(EtiquetaTiempo(c.paso, c.k, c.minutes), c.label) << c.paso << " " << c.k;
}

TEST_F(DlgChart2Test, RainStepsThatAreNoWholeNumberOfOutputStepsWarnAndKeepTheChart) {
  dlgChart2& form = open();
  PasoQ = 3;
  dialogs.answer(vbOK);
  form.cmdHsMin->click();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "El paso de lluvia debe ser múltiplo entero del paso de salida. Corrija la entrada de precipitación.");
  EXPECT_EQ(dialogs.records()[0].style, vbExclamation);
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(chart().label(2), " .16");  // still the hours of the last drawing
  EXPECT_TRUE(form.isVisible());
}

TEST_F(DlgChart2Test, ADamWithoutItsRecordIsReportedAndTheChartKept) {
  dlgChart2& form = open();
  colRepresas.front()->NombreRepresa = QStringLiteral("r-Otra");
  dialogs.answer(vbOK);
  form.lstCompos->setCurrentIndex(2);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 9" + ErrorDescription(9) + " ,Verifique");
  EXPECT_EQ(dialogs.records()[0].style, 0);
  EXPECT_EQ(chart().seriesSettings(2).legend, "Pp");  // the unit's chart stays
}

TEST_F(DlgChart2Test, TheInputModeDecidesWhetherTheWindowOpensAndShowsItsSliders) {
  FormaPp = 2;  // a storm series
  MuestraHidrograma();
  EXPECT_FALSE(dlgChart2::isLoaded());

  for (Integer mode : {Integer{3}, Integer{4}, Integer{1}}) {
    SCOPED_TRACE(mode);
    FormaPp = mode;
    dlgChart2& form = open();
    const bool sliders = mode <= 1;
    EXPECT_EQ(form.sldPp->isVisible(), sliders);
    EXPECT_EQ(form.lblDur->isVisible(), sliders);
    if (QPrinterInfo::defaultPrinter().isNull()) {
      dialogs.answer(vbOK);
      form.cmdImprimir->click();
      ASSERT_EQ(dialogs.records().size(), 1u);
      EXPECT_TRUE(dialogs.records()[0].prompt.endsWith(path("Hidrograma.pdf")));
      EXPECT_TRUE(test::ReadBytes(path("Hidrograma.pdf")).startsWith("%PDF"));
      QFile::remove(path("Hidrograma.pdf"));
      dialogs.clear();
    }
    EXPECT_EQ(form.sldDur->isVisible(), sliders);
    EXPECT_TRUE(form.cmdImprimir->isVisible());
    EXPECT_TRUE(form.lstCompos->isVisible());
    form.OKButton->click();
    EXPECT_FALSE(dlgChart2::isLoaded());
  }

  // Without output steps the window opens as it was designed: no list and no chart.
  nPasosSalida = 0;
  dlgChart2& empty = open();
  EXPECT_TRUE(empty.isVisible());
  EXPECT_EQ(empty.lstCompos->count(), 0);
  EXPECT_EQ(empty.MSChartH->model().rowCount(), 0);
}

TEST_F(DlgChart2Test, AStormBeyondTheSlidersOnlyPutsThemAtTheirEnds) {
  struct Case {
    Single P;
    Integer D;
    int pp, dur;
  };
  for (const Case& c : {Case{2.5f, 3, 2, 5}, Case{3.5f, 60, 4, 60}, Case{1500, 4000, 999, 2880}}) {
    PpTormenta = c.P;
    DurTormenta = c.D;
    dlgChart2& form = open();
    EXPECT_EQ(form.sldPp->value(), c.pp);
    EXPECT_EQ(form.sldDur->value(), c.dur);
    EXPECT_EQ(PpTormenta, c.P);
    EXPECT_EQ(DurTormenta, c.D);
    form.OKButton->click();
  }
  // The window keeps its time unit when it closes.
  open().cmdHsMin->click();
  dlgChart2::instance().OKButton->click();
  open();
  EXPECT_EQ(chart().axis(ChartAxis::X).title, "minutos");
}

// A run of 3 080 one-minute steps, longer than the chart has pixels: the reach c-B's outflow and
// inflow are waves with a spike every 97 steps, the `run`-th run's waves a little higher.
class HidrogramaLargoTest : public DlgChart2Test {
 protected:
  static constexpr int kPasos = 3080;
  void SetUp() override {
    DlgChart2Test::SetUp();
    PasoPp = PasoQ = 1;
    DurTormenta = 2880;
    nPasosSalida = kPasos;
    QSaleCompo.redim(0, 4, 0, kPasos + 1);
    QEntraCompo.redim(2, 5, 0, kPasos + 1);
    PpUEHPaso.redim(0, 1, 0, kPasos + 1);
    HEmbalseRepresa.redim(0, 1, 0, kPasos + 1);
    HEmbalseLago.redim(0, 1, 0, kPasos + 1);
    CompoSel = 2;
  }
  static double Outflow(int k, int run) { return Redondea(static_cast<Single>(Wave(k, run)), 3); }
  static double Wave(int k, int run) { return 50 + 40 * std::sin(k / 300.0) + (k % 97 == 0 ? 25 : 0) + run; }
  static void Run(int run) {
    for (int k = 1; k <= kPasos; ++k) {
      QSaleCompo(2, k) = static_cast<Single>(Wave(k, run));
      QEntraCompo(2, k) = static_cast<Single>(Wave(k + 40, run));
    }
  }
  static std::vector<QLineSeries*> Lines() {
    std::vector<QLineSeries*> lines;
    for (QAbstractSeries* s : dlgChart2::instance().MSChartH->drawing()->series()) {
      if (auto* line = qobject_cast<QLineSeries*>(s)) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(HidrogramaLargoTest, EveryPointReadsBackAfterARefreshAndTheLinesKeepEachPixelColumnsExtremes) {
  Run(0);
  dlgChart2& form = open();
  QApplication::processEvents();
  Run(1);
  HidrogramaTrasCorrida();
  QApplication::processEvents();

  ASSERT_EQ(chart().rowCount(), kPasos);
  ASSERT_EQ(chart().seriesCount(), 2);
  for (int k = 1; k <= kPasos; ++k) {
    ASSERT_EQ(chart().value(k, 1), Outflow(k, 1)) << k;
    ASSERT_EQ(chart().value(k, 2), static_cast<Single>(Wave(k + 40, 1))) << k;
  }

  // Each line is drawn from at most four points a pixel column, its ends and its extremes among them.
  const int columns = static_cast<int>(std::ceil(form.MSChartH->drawing()->plotArea().width()));
  ASSERT_LT(columns, kPasos);
  const std::vector<QLineSeries*> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  for (int s = 1; s <= 2; ++s) {
    SCOPED_TRACE(s);
    const QList<QPointF> points = lines[static_cast<size_t>(s - 1)]->points();
    EXPECT_LE(points.size(), 4 * columns);
    EXPECT_GE(points.size(), columns);
    EXPECT_EQ(points.front(), QPointF(1, *chart().value(1, s)));
    EXPECT_EQ(points.back(), QPointF(kPasos, *chart().value(kPasos, s)));
    double lo = 1e9;
    double hi = -1e9;
    for (int k = 1; k <= kPasos; ++k) {
      lo = std::min(lo, *chart().value(k, s));
      hi = std::max(hi, *chart().value(k, s));
    }
    double drawnLo = 1e9;
    double drawnHi = -1e9;
    for (const QPointF& p : points) {
      EXPECT_EQ(p.y(), *chart().value(static_cast<int>(p.x()), s));  // every point drawn is one of the run's
      drawnLo = std::min(drawnLo, p.y());
      drawnHi = std::max(drawnHi, p.y());
    }
    EXPECT_EQ(drawnLo, lo);
    EXPECT_EQ(drawnHi, hi);
    // Every spike shows, though most pixel columns hold three steps or more.
    for (int k = 97; k - 40 * (s - 1) <= kPasos; k += 97) {
      const double spike = k - 40 * (s - 1);
      EXPECT_TRUE(std::any_of(points.begin(), points.end(), [&](const QPointF& p) { return p.x() == spike; }))
          << spike;
    }
  }
}

TEST_F(HidrogramaLargoTest, AHundredRefreshesLeaveTheChartHoldingOneRunsPoints) {
  Run(0);
  dlgChart2& form = open();
  QApplication::processEvents();
  const QList<QAbstractSeries*> series = form.MSChartH->drawing()->series();
  qsizetype points = 0;
  for (QLineSeries* line : Lines()) points += line->count();
  const qsizetype objects = form.MSChartH->findChildren<QObject*>().size();
  for (int run = 1; run <= 100; ++run) {
    Run(run % 2);
    HidrogramaTrasCorrida();
    QApplication::processEvents();
  }
  EXPECT_EQ(form.MSChartH->drawing()->series(), series);  // the same lines, their points moved
  qsizetype after = 0;
  for (QLineSeries* line : Lines()) after += line->count();
  EXPECT_EQ(after, points);
  EXPECT_EQ(form.MSChartH->findChildren<QObject*>().size(), objects);
  EXPECT_EQ(chart().rowCount(), kPasos);
  EXPECT_EQ(chart().value(kPasos, 1), Outflow(kPasos, 0));
}

// Without a printer the window's image goes to a new PDF file: the chart and its titles, no button
// over the time labels. An earlier printout stays as it is: the next takes a free name. A file that
// cannot be written whole (a full disk) leaves nothing and says so once, never that it was saved.
TEST_F(DlgChart2Test, PrintoutHoldsTheChartAndTitlesAndNeverReplacesAFile) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed";
  dlgChart2& form = open();
  QStringList shown;
  test::WhenAsked look(dialogs, [&](const QString&) {
    shown.clear();
    for (QWidget* w : form.findChildren<QWidget*>()) {
      if (w->isVisibleTo(&form) && !w->objectName().isEmpty() && w->parentWidget() == &form)
        shown << w->objectName();
    }
    shown.sort();
  });
  InstallDialogs(&look);
  dialogs.answer(vbOK);
  form.cmdImprimir->click();
  EXPECT_EQ(shown, QStringList({"MSChartH", "lblNota", "lblTitulo"}));
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].style, vbInformation);
  const QByteArray printed = test::ReadBytes(path("Hidrograma.pdf"));
  EXPECT_TRUE(printed.startsWith("%PDF"));
  EXPECT_TRUE(printed.trimmed().endsWith("%%EOF"));
  EXPECT_TRUE(form.cmdXmas->isVisible());
  EXPECT_TRUE(form.cmdXmenos->isVisible());

  // A disk that takes no more than a few bytes of a new file.
  struct rlimit before {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit full = before;
  full.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  dialogs.clear();
  dialogs.answer(vbOK);
  form.cmdImprimir->click();
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldSignal);
  InstallDialogs(&dialogs);

  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].style, vbExclamation);
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "No hay una impresora instalada y la imagen de la ventana no pudo guardarse en el archivo " +
          path("Hidrograma (2).pdf") +
          ". Verifique el espacio libre y los permisos de la carpeta; el archivo anterior, si lo había, "
          "no se modificó.");
  EXPECT_EQ(test::ReadBytes(path("Hidrograma.pdf")), printed);
  EXPECT_EQ(QDir(programDir()).entryList({"Hidrograma*"}, QDir::Files | QDir::Hidden),
            QStringList{"Hidrograma.pdf"});
  EXPECT_TRUE(form.cmdImprimir->isVisible());

  dialogs.clear();
  dialogs.answer(vbOK);
  form.cmdImprimir->click();
  EXPECT_EQ(test::Prompts(dialogs),
            QStringList{"No hay una impresora instalada. La imagen de la ventana se guardó en el archivo " +
                        path("Hidrograma (2).pdf")});
  EXPECT_TRUE(test::ReadBytes(path("Hidrograma (2).pdf")).startsWith("%PDF"));
  EXPECT_EQ(test::ReadBytes(path("Hidrograma.pdf")), printed);
}

// The project Cuenca with the dam r-D below its outlet, run from the main window: a rain step of 10
// minutes and an output step of 5.
class HidrogramaCorridaTest : public test::CuencaTest {
 protected:
  void SetUp() override {
    CuencaTest::SetUp();
    DamBelowTheOutlet(0);
    PasoQ = 5;
  }
  dlgChart2& form() { return dlgChart2::instance(); }
  // The run command. Its output step of 5 minutes lies below 2·K·x of the Muskingum reach c-Medio, and
  // its horizon ends while the dam still lets out the flood: the two notices, answered and forgotten.
  void run() {
    dialogs.answer(vbOK).answer(vbOK);
    main().mnuCorre1->trigger();
    const QStringList prompts = test::Prompts(dialogs);
    ASSERT_EQ(prompts.size(), 2) << prompts.join('\n').toStdString();
    EXPECT_TRUE(prompts[0].startsWith(test::kMuskingumNotice));
    EXPECT_TRUE(prompts[1].startsWith(test::kCutNotice));
    dialogs.clear();
  }
  // A click on the slider's thumb: its value stays, and the storm runs again with it.
  static void ClickThumb(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QRect thumb =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    QTest::mouseClick(slider, Qt::LeftButton, {}, thumb.center());
  }
  Single Peak(int c) {
    Single peak = 0;
    for (int k = 1; k <= nPasosSalida; ++k) peak = std::max(peak, QSaleCompo(c, k));
    return peak;
  }
};

TEST_F(HidrogramaCorridaTest, TheRunShowsTheHydrographAndTheSlidersRunTheStormAgain) {
  run();
  ASSERT_TRUE(dlgChart2::isLoaded());
  ASSERT_TRUE(form().isVisible());
  EXPECT_EQ(form().lstCompos->count(), 5);
  form().lstCompos->setCurrentIndex(form().lstCompos->findText(QStringLiteral("r-D")));
  const Integer dam = CompoSel;
  const Single peak = Peak(dam);
  const int rows = form().MSChartH->model().rowCount();
  EXPECT_EQ(rows, nPasosSalida);

  // The slider works on the network in memory: the project's files are not read again.
  for (const char* file : {"Cuenca_UEHs.pcn", "Cuenca_VerCau.pcn", "Cuenca_RHAS.pcn", "Cuenca_RHQ.pcn"})
    QFile::remove(path("Proyectos/") + file);
  form().sldPp->setValue(80);
  ClickThumb(form().sldPp);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(PpTormenta, 80);
  EXPECT_GT(Peak(dam), peak);
  EXPECT_EQ(CompoSel, dam);  // the window still shows the dam
  EXPECT_EQ(form().lstCompos->currentText(), "r-D");
  EXPECT_TRUE(form().lblTitulo->text().startsWith("Componente Final:  5, r-D   Pp=  80mm;  D=  60 min"));
  EXPECT_TRUE(ReportText().startsWith("inicia"));
  EXPECT_TRUE(ReportText().contains("Pp=  80 [mm]   60 [min]"));
  EXPECT_FALSE(BusyPointer());

  form().sldDur->setValue(120);
  ClickThumb(form().sldDur);
  EXPECT_EQ(DurTormenta, 120);
  EXPECT_EQ(form().MSChartH->model().rowCount(), rows + 60 / PasoQ);
  EXPECT_TRUE(form().lblTitulo->text().contains("D=  120 min"));

  // A depth of at least 1 mm.
  form().sldPp->setValue(0);
  ClickThumb(form().sldPp);
  EXPECT_EQ(PpTormenta, 1);
  EXPECT_EQ(form().sldPp->value(), 1);
}

TEST_F(HidrogramaCorridaTest, AnOpenWindowFollowsEveryRunAndKeepsItsComponent) {
  run();
  form().lstCompos->setCurrentIndex(form().lstCompos->findText(QStringLiteral("c-Medio")));
  PpTormenta = 70;
  run();
  EXPECT_EQ(form().lstCompos->currentText(), "c-Medio");
  EXPECT_TRUE(form().lblTitulo->text().contains("c-Medio   Pp=  70mm"));

  // The menu command shows the last run, only with a storm, a hyetograph and output steps.
  form().OKButton->click();
  CompoSel = 99;
  main().tbToolBar_ButtonClick(QStringLiteral("VerHidro"));
  ASSERT_TRUE(dlgChart2::isLoaded());
  EXPECT_EQ(CompoSel, 1);
  form().OKButton->click();
  for (auto unset : std::initializer_list<void (*)()>{[] { PpTormenta = 0; }, [] { NumPer = 0; },
                                                      [] { nPasosSalida = 0; }}) {
    const Single P = PpTormenta;
    const Integer n = NumPer, pasos = nPasosSalida;
    unset();
    main().mnuHidrogramas->trigger();
    EXPECT_FALSE(dlgChart2::isLoaded());
    PpTormenta = P;
    NumPer = n;
    nPasosSalida = pasos;
  }
}

}  // namespace
}  // namespace tavo
