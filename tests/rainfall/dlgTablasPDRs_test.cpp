#include "rainfall/dlgTablasPDRs.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include "platform/errors.h"
#include "project/estado.h"
#include "rainfall/carpetas_fixture.h"
#include "rainfall/cuenca_fixture.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tablaspdr.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Table 0 with three storms, table 1 with four, tables 2 and 3 empty.
const QByteArray kTablas =
    "3,4,0,0\r\n\"Regional\"\r\n15,10,2\r\n20,60,2\r\n30,120,5\r\n"
    "\"Mis tormentas\"\r\n10,30,2\r\n20,60,2\r\n25,120,2\r\n30,60,5\r\n\"\"\r\n\"\"\r\n";
// The warning lists every duration and return period a table takes.
const QString kInconsistentes =
    "Hay datos inconsistentes. Las filas de tormentas PDR deben ser crecientes en P, D y R. Las Duraciones: "
    "5, 10, 15, 20, 30, 60, 90, 120, 180, 240, 300, 360, 540, 720, 1080, 1440 ó 2880). Las Recurrrencias: "
    "2, 5, 10, 20, 25, 40, 50, 100, 200, 500, 1000, 2000, 5000, 10000). Verifique";

class DlgTablasPDRsTest : public test::CarpetasTest {
 protected:
  void SetUp() override {
    CarpetasTest::SetUp();
    WriteBytes(file(), kTablas);
  }
  QString file() const { return path("TablasPDRs_pdr.pcn"); }
  dlgTablasPDRs& form() { return dlgTablasPDRs::instance(); }
  FlexGrid* grid() { return form().MSFlexGridTablaPDRs; }
  // Opens the window on table t, with the storm definition dialog closed.
  void open(int t) {
    NroTablaPDR = static_cast<Integer>(t);
    test::ShowActive(&form());
  }
  // Types the storm count as the user does and leaves the box.
  void count(const QString& text) {
    test::Type(form().txtNroPDRs, text);
    test::Leave(form().txtNroPDRs);
  }
  void rows(const std::vector<std::array<const char*, 3>>& storms) {
    count(QString::number(storms.size()));
    for (size_t i = 0; i < storms.size(); ++i) {
      for (int c = 0; c < 3; ++c)
        grid()->setTextMatrix(static_cast<int>(i) + 1, c + 1, QString::fromLatin1(storms[i][c]));
    }
  }
};

TEST_F(DlgTablasPDRsTest, RegionalTableIsReadOnlyAndApplyOnlyMakesItTheSeries) {
  open(0);
  EXPECT_EQ(form().windowTitle(), "Tablas de Precipitación [mm] - Duración [min] - Recurrencia [años]");
  EXPECT_TRUE(test::ClippedControls(&form()).isEmpty())
      << test::ClippedControls(&form()).join('\n').toStdString();
  ASSERT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(grid()->TextMatrix(0, 2), "D [min]  ");
  EXPECT_EQ(grid()->TextMatrix(3, 1), "30");
  EXPECT_EQ(test::Shown(grid(), 2, 3).background, ButtonFaceColor());
  EXPECT_FALSE(form().txtNroPDRs->isEnabled());
  EXPECT_TRUE(form().txtNotas->isHidden());
  EXPECT_FALSE(form().lblNotas->isHidden());
  EXPECT_EQ(form().lblNotas->text(), "Regional");

  test::ClickCell(grid(), 2, 1);
  QTest::keyClicks(grid(), "5x");
  QTest::keyClick(grid(), Qt::Key_Delete);
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->TextMatrix(2, 1), "20");
  EXPECT_EQ(grid()->Row(), 2);
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_EQ(grid()->Rows(), 4);

  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file()), kTablas);
  ASSERT_EQ(NroTormentasSerie, 3);
  EXPECT_EQ(PpSerie(3), 30.0f);
  EXPECT_EQ(DurSerie(2), 60);
  EXPECT_EQ(RecSerie(3), 5);
  // The first storm goes straight into the storm definition: the closed storm dialog is not created.
  EXPECT_EQ(PpTormenta, 15.0f);
  EXPECT_EQ(DurTormenta, 10);
  EXPECT_EQ(RecTormenta, 2);
  EXPECT_FALSE(dlgPp::exists());
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgTablasPDRsTest, ApplyChecksTheTableAndSavesOnlyATableThatPasses) {
  struct Case {
    const char* what;
    std::vector<std::array<const char*, 3>> storms;
    bool accepted;
    int row, col;  // the current cell after a refusal
  };
  const Case cases[] = {
      {"a duration outside the list", {{"10", "30", "2"}, {"20", "60", "2"}, {"25", "45", "2"}}, false, 1, 1},
      {"P falling within R 2", {{"20", "60", "2"}, {"15", "120", "2"}}, false, 1, 1},
      {"D falling within R 2", {{"20", "60", "2"}, {"25", "30", "2"}}, false, 1, 1},
      {"P falling into another R", {{"20", "60", "2"}, {"15", "120", "5"}}, true, 0, 0},
      {"an empty cell", {{"20", "60", "2"}, {"", "120", "5"}, {"30", "120", "x"}}, false, 3, 3},
      {"P above 9999", {{"10000", "60", "2"}}, false, 1, 1},
      {"a duration too large to keep", {{"20", "60", "2"}, {"25", "40000", "2"}}, false, 2, 2},
      {"the durations of the settings, which the warning lists",
       {{"20", "240", "2"}, {"30", "1080", "2"}, {"40", "2880", "2"}},
       true,
       0,
       0},
  };
  open(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs.clear();
    WriteBytes(file(), kTablas);
    ResetTablasPDRState();
    LeeTablaPDRs();
    form().cmbNroTablaPDRs->setCurrentIndex(0);
    form().cmbNroTablaPDRs->setCurrentIndex(1);
    const Integer seriesBefore = NroTormentasSerie;
    rows(c.storms);
    if (!c.accepted) dialogs.answer(vbOK);
    QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
    if (c.accepted) {
      EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
      EXPECT_NE(ReadBytes(file()), kTablas);
      EXPECT_EQ(NroTormentasSerie, static_cast<Integer>(c.storms.size()));
      EXPECT_EQ(grid()->Row(), 1);
      continue;
    }
    ASSERT_EQ(test::Prompts(dialogs), QStringList{kInconsistentes});
    EXPECT_EQ(dialogs.records()[0].title, "Advertencia !!!");
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(grid()->Row(), c.row);
    EXPECT_EQ(grid()->Col(), c.col);
    EXPECT_TRUE(grid()->hasFocus());
    // Nothing of a refused table is kept: not its file, its storms in memory, nor the series.
    EXPECT_EQ(ReadBytes(file()), kTablas);
    EXPECT_EQ(PpTablaPDR(1, 1), 10);
    EXPECT_EQ(DurTablaPDR(1, 2), 60);
    EXPECT_EQ(NroTormentasSerie, seriesBefore);
  }
}

TEST_F(DlgTablasPDRsTest, AcceptedApplyWritesAllFourTablesAndLoadsTheSeries) {
  open(1);
  form().txtNotas->setText("Estación \"Norte\"");
  count("2");
  EXPECT_EQ(NroFilasTablaPDR[1], 2);  // a new count takes effect at once
  test::ClickCell(grid(), 1, 1);
  QTest::keyClick(grid(), Qt::Key_Delete);
  QTest::keyClicks(grid(), "12.5");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(ReadBytes(file()),
            "3,2,0,0\r\n\"Regional\"\r\n15,10,2\r\n20,60,2\r\n30,120,5\r\n"
            "\"Estaci\xf3n 'Norte'\"\r\n12,30,2\r\n20,60,2\r\n\"\"\r\n\"\"\r\n");
  ASSERT_EQ(NroTormentasSerie, 2);
  EXPECT_EQ(PpSerie(1), 12.5f);  // the series keeps the depth as typed; the table its whole number
  EXPECT_EQ(PpTormenta, 12.5f);
  EXPECT_EQ(DurTormenta, 30);

  // Clear table writes at once, without asking, and leaves the series.
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file()),
            "3,0,0,0\r\n\"Regional\"\r\n15,10,2\r\n20,60,2\r\n30,120,5\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  EXPECT_EQ(grid()->Rows(), 1);
  EXPECT_EQ(form().txtNroPDRs->text(), "0");
  EXPECT_EQ(NroTormentasSerie, 2);
}

TEST_F(DlgTablasPDRsTest, LetterEmptiesACellAndCloseAfterARefusalLeavesTheFile) {
  open(1);
  test::ClickCell(grid(), 4, 1);
  QTest::keyClicks(grid(), "a");
  EXPECT_EQ(grid()->TextMatrix(4, 1), "");
  test::ClickCell(grid(), 2, 2);
  dialogs.answer(vbOK);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kInconsistentes});
  EXPECT_EQ(grid()->Row(), 4);
  EXPECT_EQ(grid()->Col(), 1);

  dialogs.clear();
  dialogs.answer(vbOK);
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kInconsistentes});
  EXPECT_FALSE(dlgTablasPDRs::isLoaded());
  EXPECT_EQ(ReadBytes(file()), kTablas);
  open(1);
  EXPECT_EQ(grid()->TextMatrix(4, 1), "30");
}

TEST_F(DlgTablasPDRsTest, ADamagedFileShowsWhatItHoldsAndIsKeptBesideTheFirstSave) {
  // The file ends in the regional table's third storm: the user tables do not read.
  const QByteArray damaged = "3,4,0,0\r\n\"Regional\"\r\n15,10,2\r\n20,60,2\r\n";
  WriteBytes(file(), damaged);
  open(0);
  ASSERT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(grid()->TextMatrix(2, 2), "60");
  EXPECT_EQ(grid()->TextMatrix(3, 1), "0");
  EXPECT_EQ(form().lblNotas->text(), "Regional");
  form().cmbNroTablaPDRs->setCurrentIndex(1);
  EXPECT_EQ(grid()->Rows(), 1);

  // A table applied on a full disk: one message, the file as it was, no copy.
  rows({{"10", "30", "2"}});
  dialogs.answer(vbOK);
  test::WithFullDisk(40, [&] { QTest::mouseClick(form().cmdAplicar, Qt::LeftButton); });
  EXPECT_EQ(test::Prompts(dialogs), QStringList{"Error Nro. 61" + ErrorDescription(61) + " ,Verifique"});
  EXPECT_EQ(ReadBytes(file()), damaged);
  EXPECT_FALSE(QFile::exists(file() + ".dañado"));

  // Applied again, it writes the storms read with the table, and keeps the damaged file beside it.
  dialogs.clear();
  dialogs.answer(vbOK);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs),
            QStringList{test::DamagedCopyMessage("TablasPDRs_pdr.pcn", "TablasPDRs_pdr.pcn.dañado")});
  EXPECT_EQ(ReadBytes(file()),
            "3,1,0,0\r\n\"Regional\"\r\n15,10,2\r\n20,60,2\r\n0,0,0\r\n\"\"\r\n10,30,2\r\n\"\"\r\n\"\"\r\n");
  EXPECT_EQ(ReadBytes(file() + ".dañado"), damaged);

  // Once: the next save is of a file read whole.
  dialogs.clear();
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_FALSE(QFile::exists(file() + ".dañado2"));
}

TEST_F(DlgTablasPDRsTest, StormCount) {
  open(1);
  for (const char* refused : {"1000", "-3", "muchas"}) {
    SCOPED_TRACE(refused);
    dialogs.clear();
    dialogs.answer(vbOK);
    count(QString::fromLatin1(refused));
    ASSERT_EQ(test::Prompts(dialogs), QStringList{"Ingrese un valor numérico entero entre 0 y 999 "});
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
    EXPECT_TRUE(form().txtNroPDRs->hasFocus());
    EXPECT_EQ(grid()->Rows(), 5);
    EXPECT_EQ(NroFilasTablaPDR[1], 4);
  }
  dialogs.clear();
  count("2.5");
  EXPECT_EQ(form().txtNroPDRs->text(), "2");
  EXPECT_EQ(grid()->Rows(), 3);
  count("3.5");
  EXPECT_EQ(form().txtNroPDRs->text(), "4");
  EXPECT_EQ(grid()->TextMatrix(4, 0), "4");
  EXPECT_EQ(grid()->TextMatrix(4, 1), "");  // a row dropped and added again comes back empty
  EXPECT_EQ(NroFilasTablaPDR[1], 4);
  // Enter on the last row goes back to the first; an empty cell reached so shows 0.
  test::ClickCell(grid(), 3, 2);
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->TextMatrix(4, 2), "0");
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->Row(), 1);
}

// The storm dialog of a project opened from the main window, in mode c).
class PDRFromStormDialogTest : public DlgTablasPDRsTest {
 protected:
  void SetUp() override {
    DlgTablasPDRsTest::SetUp();
    test::OpenCuencaInMainWindow(programDir(), dialogs);
  }
};

TEST_F(PDRFromStormDialogTest, OpenedFromTheStormDialogItFollowsAndFeedsIt) {
  FormInstance<MDIForm1>::instance().mnufrmPp->trigger();
  dlgPp& pp = dlgPp::instance();
  pp.optformaPp[2]->setChecked(true);
  pp.optTablaPDR[1]->setChecked(true);
  QTest::mouseClick(pp.cmdTablaPDR, Qt::LeftButton);
  ASSERT_TRUE(dlgTablasPDRs::isLoaded());
  EXPECT_TRUE(form().isVisible());
  EXPECT_EQ(form().cmbNroTablaPDRs->currentText(), "1");
  EXPECT_EQ(grid()->TextMatrix(4, 1), "30");

  form().cmbNroTablaPDRs->setCurrentIndex(2);
  EXPECT_TRUE(pp.optTablaPDR[2]->isChecked());
  EXPECT_EQ(NroTablaPDR, 2);
  // An empty table is saved and makes an empty series; the dialog's boxes stay as they were.
  pp.txtPp->setText("77");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(NroTormentasSerie, 0);
  EXPECT_EQ(pp.txtPp->text(), "77");

  form().cmbNroTablaPDRs->setCurrentIndex(1);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(pp.txtPp->text(), "10");
  EXPECT_EQ(pp.txtDur->text(), "30");
  EXPECT_EQ(pp.cmbRec->currentText(), "2");
  EXPECT_EQ(DurTormenta, 30);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  // The storm dialog's Apply takes the series of the table chosen from the file.
  QTest::mouseClick(form().CancelButton, Qt::LeftButton);
  QTest::mouseClick(pp.OKButton, Qt::LeftButton);
  EXPECT_EQ(FormaPp, 2);
  EXPECT_EQ(NroTablaPDR, 1);
  EXPECT_EQ(NroTormentasSerie, 4);
  EXPECT_EQ(PpTormenta, 10.0f);
}

}  // namespace
}  // namespace tavo
