// The series results and the dam checks as the user reaches them from the main window's menus.
#include <QFile>

#include "engine/cuenca_fixture.h"
#include "engine/frmPp.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "results/dlgChart3.h"
#include "results/dlgTablaSalePDR.h"

namespace tavo {
namespace {

class ResultadosMenuTest : public test::CuencaTest {
 protected:
  void CorreSerie() {
    dialogs.answer(vbOK).answer(vbOK).answer(vbOK);  // go on; the results file; the cut floods
    main().mnuCorre2->trigger();
    ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
    dialogs.clear();
  }
  static const ChartModel& chart() { return dlgChart3::instance().MSChartQDR->model(); }
};

TEST_F(ResultadosMenuTest, ASeriesRunEndsWithItsTableAndItsChart) {
  Serie();
  CorreSerie();
  ASSERT_TRUE(dlgTablaSalePDR::isLoaded());
  ASSERT_TRUE(dlgChart3::isLoaded());
  EXPECT_TRUE(dlgTablaSalePDR::instance().isVisible());
  EXPECT_TRUE(dlgChart3::instance().isVisible());

  // Four components and five storms: five title rows, four blocks of six rows, five totals and the
  // last empty row.
  FlexGrid* g = dlgTablaSalePDR::instance().MSFlexGridTablaSaleQDR;
  ASSERT_EQ(nComponentes, 4);
  EXPECT_EQ(g->Rows(), 36);
  EXPECT_EQ(g->TextMatrix(6, 0), NombresComponentes(1));
  EXPECT_EQ(g->TextMatrix(6, 5), PlainNumberText(Redondea(QpSerie(1, 1), 2)));
  EXPECT_EQ(g->TextMatrix(30, 0), "Escorrentía total ");
  EXPECT_EQ(g->TextMatrix(34, 3), "60");

  // The chart shows the last component (the table's fill left CompoSel past the list).
  EXPECT_EQ(dlgChart3::instance().lstCompos->currentIndex(), 3);
  EXPECT_EQ(chart().label(1), " 30");
  EXPECT_EQ(chart().label(2), " 60");
  EXPECT_EQ(chart().label(3), " 45");
  EXPECT_EQ(chart().seriesSettings(2).legend, " 10");
  EXPECT_EQ(chart().value(2, 2), static_cast<double>(Redondea(QpSerie(4, 8), 2)));

  // A new run with both windows open shows in both.
  const Single antes = QpSerie(4, 8);
  PpSerie(8) = 80;
  CorreSerie();
  ASSERT_GT(QpSerie(4, 8), antes);
  EXPECT_EQ(chart().value(2, 2), static_cast<double>(Redondea(QpSerie(4, 8), 2)));
  EXPECT_EQ(g->TextMatrix(10, 2), "80");
}

TEST_F(ResultadosMenuTest, TheDamChecksFromTheOptionsMenu) {
  EXPECT_FALSE(main().mnu_prueba_funcionesHQrepresas->isEnabled());
  EXPECT_FALSE(main().mnu_prueba_funcionesSHVrepresas->isEnabled());
  DamBelowTheOutlet();
  main().mnuCorre1->trigger();  // the run reads the project and its dams
  ASSERT_TRUE(main().mnu_prueba_funcionesHQrepresas->isEnabled());
  ASSERT_TRUE(main().mnu_prueba_funcionesSHVrepresas->isEnabled());
  dialogs.clear();

  dialogs.answerText("1");
  main().mnu_prueba_funcionesHQrepresas->trigger();
  QStringList lineas = ReportText().split("\r\n");
  ASSERT_EQ(lineas.size(), 3 + 9 + 1) << ReportText().toStdString();
  EXPECT_EQ(lineas[1], "REPRESA:  1  r-D");
  EXPECT_TRUE(lineas[11].startsWith("     9       10 ")) << lineas[11].toStdString();

  dialogs.clear();
  dialogs.answerText("1").answerText("1").answerText(" .5");
  main().mnu_prueba_funcionesSHVrepresas->trigger();
  lineas = ReportText().split("\r\n");
  ASSERT_EQ(lineas.size(), 4 + 21);
  EXPECT_EQ(lineas[2], "Represa: r-D");
  EXPECT_TRUE(frmPp::instance().isVisible());
}

}  // namespace
}  // namespace tavo
