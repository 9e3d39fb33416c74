#include "rainfall/dlgDisPpPer.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include "engine/hietograma.h"
#include "platform/errors.h"
#include "project/estado.h"
#include "rainfall/carpetas_fixture.h"
#include "rainfall/cuenca_fixture.h"
#include "rainfall/distribuciones.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Table 1: four periods for storms of 30 to 360 minutes; table 2: empty, its limits never set;
// table 3: two periods for 10 to 15 minutes.
const QByteArray kTablas =
    "4,0,2\r\n\"Lluvia frontal\"\r\n30,360\r\n10\r\n40\r\n30\r\n20\r\n"
    "\"\"\r\n0,0\r\n\"tres\"\r\n10,15\r\n60\r\n40\r\n";
const QString kCierre =
    "Error de Cierre, la suma de Precipitaciones parciales debe ser 100%. Verifique los datos ingresados";
const QString kCuenta = "Ingrese un valor numérico entero entre 0 y 999 ";

class DlgDisPpPerTest : public test::CarpetasTest {
 protected:
  void SetUp() override {
    CarpetasTest::SetUp();
    WriteBytes(file(), kTablas);
  }
  QString file() const { return path("distriPp_dpt.pcn"); }
  dlgDisPpPer& form() { return dlgDisPpPer::instance(); }
  FlexGrid* grid() { return form().MSFlexGridDisPerso; }
  // Opens the editor on table t with the storm dialog closed.
  void open(int t = 1) {
    dlgDisPpPer::NroTablaDisPer = static_cast<Integer>(t);
    test::ShowActive(&form());
  }
  void count(const QString& text) {
    test::Type(form().txtNroPer, text);
    test::Leave(form().txtNroPer);
  }
  // Empties a share cell and types a value into it, without leaving it.
  void share(int row, const QString& text) {
    test::ClickCell(grid(), row, 2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClicks(grid(), text);
  }
  QStringList column(int col) {
    QStringList out;
    for (int r = 1; r < grid()->Rows(); ++r) out << grid()->TextMatrix(r, col);
    return out;
  }
  void apply() { QTest::mouseClick(form().cmdAplicar, Qt::LeftButton); }
};

TEST_F(DlgDisPpPerTest, OpensOnTheTableWithItsTimesSharesAndRunningSums) {
  open(1);
  EXPECT_EQ(form().windowTitle(), "Distribución temporal de la Precipitación: Tabla P-t Personalizada");
  EXPECT_EQ(form().Label3->text(), "Duraciones de tormenta [min] para las que vale la tabla:");
  EXPECT_TRUE(test::ClippedControls(&form()).isEmpty())
      << test::ClippedControls(&form()).join('\n').toStdString();
  EXPECT_EQ(form().cmbNroTablaDisPpPer->currentText(), "1");
  EXPECT_EQ(form().txtNotas->text(), "Lluvia frontal");
  EXPECT_EQ(form().txtNroPer->text(), "4");
  EXPECT_EQ(form().cmbDurMin->currentText(), "30");
  EXPECT_EQ(form().cmbDurMax->currentText(), "360");
  ASSERT_EQ(grid()->Rows(), 5);
  EXPECT_EQ(grid()->FixedCols(), 2);
  EXPECT_EQ(grid()->TextMatrix(0, 1), " T acumulado[%]  ");
  EXPECT_EQ(grid()->TextMatrix(0, 3), "P acumulada[%]  ");
  EXPECT_EQ(column(0), (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(column(1), (QStringList{"25", "50", "75", "100"}));
  EXPECT_EQ(column(2), (QStringList{"10", "40", "30", "20"}));
  EXPECT_EQ(column(3), (QStringList{"10", "50", "80", "100"}));
  EXPECT_EQ(test::Shown(grid(), 2, 3).background, ButtonFaceColor());
  EXPECT_EQ(test::Shown(grid(), 2, 2).background, WindowBackgroundColor());
  // Only the shares and the running sums can become current.
  test::ClickCell(grid(), 3, 1);
  EXPECT_GE(grid()->Col(), 2);

  // The time at the end of each period is cut, not rounded, to two decimals.
  count("7");
  EXPECT_EQ(column(1), (QStringList{"14.28", "28.57", "42.85", "57.14", "71.42", "85.71", "100"}));
  count("3");
  EXPECT_EQ(column(1), (QStringList{"33.33", "66.66", "100"}));
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  // With the storm dialog closed the editor leaves the storm alone.
  form().cmbNroTablaDisPpPer->setCurrentIndex(2);
  EXPECT_EQ(DistriPp, 0);
  EXPECT_FALSE(dlgPp::exists());
}

TEST_F(DlgDisPpPerTest, TypedSharesAreStoredWhenTheCellIsLeft) {
  open(1);
  // 1, 2, point, 5 and Enter: 12.5 is stored and every later running sum follows.
  share(1, "12.5");
  EXPECT_EQ(DisPer(1, 1), 10.0f);  // not yet
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(DisPer(1, 1), 12.5f);
  EXPECT_EQ(column(3), (QStringList{"12.5", "52.5", "82.5", "102.5"}));
  EXPECT_EQ(grid()->Row(), 2);

  // A character typed into a filled cell with nothing pending is appended: 30 and 7 make 307.
  test::ClickCell(grid(), 3, 2);
  QTest::keyClick(grid(), Qt::Key_7);
  EXPECT_EQ(grid()->TextMatrix(3, 2), "307");
  // A letter spoils the number and empties the cell; leaving it stores 0.
  QTest::keyClick(grid(), Qt::Key_A);
  EXPECT_EQ(grid()->TextMatrix(3, 2), "");
  test::ClickCell(grid(), 4, 2);
  EXPECT_EQ(DisPer(1, 3), 0.0f);
  EXPECT_EQ(grid()->TextMatrix(3, 3), "52.5");

  // Delete and leaving with nothing typed: the store and the sums stay, the cell stays empty.
  QTest::keyClick(grid(), Qt::Key_Delete);
  test::ClickCell(grid(), 1, 2);
  EXPECT_EQ(DisPer(1, 4), 20.0f);
  EXPECT_EQ(grid()->TextMatrix(4, 2), "");
  EXPECT_EQ(grid()->TextMatrix(4, 3), "72.5");

  // Typing into a running sum changes its text only, and the next character typed elsewhere
  // replaces that cell's text.
  test::ClickCell(grid(), 2, 3);
  QTest::keyClicks(grid(), "9");
  test::ClickCell(grid(), 2, 2);
  QTest::keyClicks(grid(), "5");
  EXPECT_EQ(grid()->TextMatrix(2, 2), "5");
  EXPECT_EQ(DisPer(1, 2), 40.0f);
  // Enter on the last row goes back to the first; an empty cell reached so shows 0, which is not
  // stored.
  test::ClickCell(grid(), 3, 2);
  EXPECT_EQ(DisPer(1, 2), 5.0f);
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->TextMatrix(4, 2), "0");
  EXPECT_EQ(DisPer(1, 4), 20.0f);
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->Row(), 1);

  // A number too large for a share empties its cell like a letter.
  share(2, QString(39, '9'));
  EXPECT_EQ(grid()->TextMatrix(2, 2), "");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

// The "0" an empty cell shows once Enter reaches it gives way to the first digit typed into it.
TEST_F(DlgDisPpPerTest, DigitsTypedIntoTheZeroEnterLeftReplaceIt) {
  open(1);
  for (const char* typed : {"15", "2", ".5"}) {
    SCOPED_TRACE(typed);
    test::ClickCell(grid(), 4, 2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    test::ClickCell(grid(), 3, 2);
    QTest::keyClick(grid(), Qt::Key_Return);
    ASSERT_EQ(grid()->TextMatrix(4, 2), "0");
    QTest::keyClicks(grid(), typed);
    const QString shown = QString::fromLatin1(typed[0] == '.' ? "0.5" : typed);
    EXPECT_EQ(grid()->TextMatrix(4, 2), shown);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(DisPer(1, 4), shown.toFloat());
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgDisPpPerTest, ApplySavesOnlyATableWhoseSharesCloseAt100) {
  struct Case {
    const char* what;
    std::vector<const char*> shares;
    bool accepted;
  };
  const Case cases[] = {
      {"thirds to the hundredth", {"33.33", "33.33", "33.34"}, true},
      {"99", {"33", "33", "33"}, false},
      {"100.02", {"50", "50.02"}, false},
      {"an empty table", {}, true},
  };
  open(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(file(), kTablas);
    dialogs.clear();
    count(QString::number(c.shares.size()));
    for (size_t j = 0; j < c.shares.size(); ++j) share(static_cast<int>(j) + 1, c.shares[j]);
    if (!c.accepted) dialogs.answer(vbOK);
    apply();  // the last share is still pending: Apply takes it first
    if (!c.accepted) {
      ASSERT_EQ(test::Prompts(dialogs), QStringList{kCierre});
      EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
      EXPECT_EQ(dialogs.records()[0].title, "");
      EXPECT_EQ(ReadBytes(file()), kTablas);
    } else {
      EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
      EXPECT_NE(ReadBytes(file()), kTablas);
    }
    if (!c.shares.empty()) {
      EXPECT_EQ(grid()->Row(), 1);
      EXPECT_EQ(grid()->Col(), 2);
    }
  }
  // The last table accepted is saved with the others as they stand in memory.
  WriteBytes(file(), kTablas);
  count("3");
  for (int j = 1; j <= 3; ++j) share(j, j == 3 ? "33.34" : "33.33");
  form().txtNotas->setText("tercios");
  apply();
  EXPECT_EQ(ReadBytes(file()),
            "4,0,3\r\n\"Lluvia frontal\"\r\n30,360\r\n10\r\n40\r\n30\r\n20\r\n"
            "\"\"\r\n0,0\r\n\"tercios\"\r\n10,15\r\n33.33\r\n33.33\r\n33.34\r\n");
}

TEST_F(DlgDisPpPerTest, ApplyRefusesEmptySharesAndCloseDoesNotSaveARefusedTable) {
  open(1);
  // Rows added are empty and read 0 in the running sum: the closing message, row 1 selected.
  count("6");
  EXPECT_EQ(grid()->TextMatrix(5, 2), "");
  EXPECT_EQ(grid()->TextMatrix(6, 3), "");
  dialogs.answer(vbOK);
  apply();
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kCierre});
  EXPECT_EQ(grid()->Row(), 1);
  EXPECT_EQ(grid()->Col(), 2);
  EXPECT_TRUE(grid()->hasFocus());
  EXPECT_EQ(ReadBytes(file()), kTablas);

  // A share emptied by Delete while the sums shown still close: no message, that cell selected.
  dialogs.clear();
  count("4");
  test::ClickCell(grid(), 3, 2);
  QTest::keyClick(grid(), Qt::Key_Delete);
  test::ClickCell(grid(), 1, 3);
  apply();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(grid()->Row(), 3);
  EXPECT_EQ(grid()->Col(), 2);
  EXPECT_EQ(ReadBytes(file()), kTablas);

  // Close applies; a table that does not close is reported and the window closes without saving.
  share(3, "5");
  dialogs.answer(vbOK);
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kCierre});
  EXPECT_FALSE(dlgDisPpPer::isLoaded());
  EXPECT_EQ(ReadBytes(file()), kTablas);
}

TEST_F(DlgDisPpPerTest, ADamagedFileIsKeptBesideTheFirstSave) {
  // Table 1 announces four shares and holds two: the three tables read empty.
  const QByteArray damaged = "4,0,2\r\n\"Lluvia frontal\"\r\n30,360\r\n10\r\n40\r\n";
  WriteBytes(file(), damaged);
  open(1);
  EXPECT_EQ(form().txtNroPer->text(), "0");
  count("1");
  share(1, "100");

  // A save on a full disk: one message, the file as it was, no copy.
  dialogs.answer(vbOK);
  test::WithFullDisk(20, [&] { apply(); });
  EXPECT_EQ(test::Prompts(dialogs), QStringList{"Error Nro. 61" + ErrorDescription(61) + " ,Verifique"});
  EXPECT_EQ(ReadBytes(file()), damaged);
  EXPECT_FALSE(QFile::exists(file() + ".dañado"));

  dialogs.clear();
  dialogs.answer(vbOK);
  apply();
  EXPECT_EQ(test::Prompts(dialogs),
            QStringList{test::DamagedCopyMessage("distriPp_dpt.pcn", "distriPp_dpt.pcn.dañado")});
  EXPECT_EQ(ReadBytes(file() + ".dañado"), damaged);
  EXPECT_TRUE(ReadBytes(file()).startsWith("1,0,0\r\n\"Lluvia frontal\"\r\n30,360\r\n100\r\n"));
}

TEST_F(DlgDisPpPerTest, PeriodCount) {
  open(1);
  for (const char* refused : {"1000", "-1", "abc"}) {
    SCOPED_TRACE(refused);
    dialogs.clear();
    dialogs.answer(vbOK);
    count(QString::fromLatin1(refused));
    ASSERT_EQ(test::Prompts(dialogs), QStringList{kCuenta});
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
    EXPECT_TRUE(form().txtNroPer->hasFocus());
    EXPECT_EQ(grid()->Rows(), 5);
    EXPECT_EQ(NroFilasTablaPp[1], 4);
  }
  dialogs.clear();
  count("12.5");
  EXPECT_EQ(form().txtNroPer->text(), "12");
  EXPECT_EQ(NroFilasTablaPp[1], 12);
  EXPECT_EQ(grid()->Rows(), 13);
  EXPECT_EQ(grid()->TextMatrix(12, 2), "");
  EXPECT_EQ(test::Shown(grid(), 12, 3).background, ButtonFaceColor());
  count("2.5");
  EXPECT_EQ(form().txtNroPer->text(), "2");
  EXPECT_EQ(grid()->Rows(), 3);
  EXPECT_EQ(grid()->TextMatrix(2, 2), "40");  // the rows that stay keep their shares and sums
  EXPECT_EQ(grid()->TextMatrix(2, 3), "50");

  // A share typed and not yet taken goes into the period it was typed for before the rows change.
  share(2, "90");
  count("1");
  EXPECT_EQ(DisPer(1, 2), 90.0f);
  EXPECT_EQ(grid()->Rows(), 2);
  // A count growing with no reading in between brings the values back, the grid shows them empty.
  count("2");
  EXPECT_EQ(DisPer(1, 2), 90.0f);
  EXPECT_EQ(grid()->TextMatrix(2, 2), "");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgDisPpPerTest, ChangingOrClearingTheTableWithAShareStillPending) {
  open(1);
  share(2, "45");
  // Choosing another table stores the pending share in the table it was typed for.
  form().cmbNroTablaDisPpPer->setCurrentIndex(2);
  EXPECT_EQ(DisPer(1, 2), 45.0f);
  EXPECT_EQ(DisPer(3, 2), 40.0f);
  EXPECT_EQ(form().txtNotas->text(), "tres");
  EXPECT_EQ(column(2), (QStringList{"60", "40"}));
  EXPECT_EQ(column(1), (QStringList{"50", "100"}));
  form().cmbNroTablaDisPpPer->setCurrentIndex(0);
  EXPECT_EQ(column(2), (QStringList{"10", "45", "30", "20"}));
  EXPECT_EQ(column(3), (QStringList{"10", "55", "85", "105"}));

  // Clear table drops the pending share, empties the table and saves the file at once.
  share(1, "25");
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(DisPer(1, 1), 10.0f);
  EXPECT_EQ(grid()->Rows(), 1);
  EXPECT_TRUE(grid()->hasFocus());
  EXPECT_EQ(form().txtNroPer->text(), "0");
  EXPECT_EQ(form().txtNotas->text(), "");
  EXPECT_EQ(form().cmbDurMin->currentText(), "5");
  EXPECT_EQ(form().cmbDurMax->currentIndex(), 13);
  EXPECT_EQ(ReadBytes(file()), "0,0,2\r\n\"\"\r\n5,1440\r\n\"\"\r\n0,0\r\n\"tres\"\r\n10,15\r\n60\r\n40\r\n");
  // With no period, keys change nothing.
  QTest::keyClicks(grid(), "5");
  QTest::keyClick(grid(), Qt::Key_Delete);
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_FALSE(dlgDisPpPer::EdicionPendiente);
  EXPECT_EQ(grid()->Rows(), 1);

  // Cancel afterwards does not bring the cleared table back, and saves nothing.
  QTest::mouseClick(form().CancelButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgDisPpPer::isLoaded());
  open(1);
  EXPECT_EQ(form().txtNroPer->text(), "0");
}

TEST_F(DlgDisPpPerTest, ValidityLimits) {
  // Table 3's 10 and 15 are shown as they are.
  open(3);
  EXPECT_EQ(form().cmbDurMin->currentText(), "10");
  EXPECT_EQ(form().cmbDurMax->currentText(), "15");
  EXPECT_EQ(DurMinDisPer[3], 10);
  EXPECT_EQ(DurMaxDisPer[3], 15);
  QTest::mouseClick(form().CancelButton, Qt::LeftButton);
  QApplication::processEvents();

  // Table 2's limits were never set: the first items, 5 and 10, become its limits.
  open(2);
  EXPECT_EQ(form().cmbDurMin->currentText(), "5");
  EXPECT_EQ(form().cmbDurMax->currentText(), "10");
  EXPECT_EQ(DurMinDisPer[2], 5);
  EXPECT_EQ(DurMaxDisPer[2], 10);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  // A minimum above the maximum warns and is stored.
  dialogs.answer(vbOK);
  form().cmbDurMin->setCurrentIndex(form().cmbDurMin->findText("60"));
  ASSERT_EQ(test::Prompts(dialogs),
            QStringList{"El Límite inferior elegido es mayor al límite superior seleccionado."});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(DurMinDisPer[2], 60);
  // Leaving the maximum list while it is below the minimum warns and keeps the focus there.
  dialogs.clear();
  form().cmbDurMax->setFocus();
  QApplication::processEvents();
  form().cmbDurMax->setCurrentIndex(form().cmbDurMax->findText("30"));
  EXPECT_EQ(DurMaxDisPer[2], 30);
  dialogs.answer(vbOK);
  test::Leave(form().cmbDurMax);
  ASSERT_EQ(test::Prompts(dialogs),
            QStringList{"El Límite superior elegido es menor al límite inferior seleccionado."});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_TRUE(form().cmbDurMax->hasFocus());
  dialogs.clear();
  form().cmbDurMax->setCurrentIndex(12);
  test::Leave(form().cmbDurMax);
  EXPECT_EQ(DurMaxDisPer[2], 1440);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  // Choosing a table shows its limits without a warning, though they are reversed.
  DurMinDisPer[1] = 360;
  DurMaxDisPer[1] = 30;
  form().cmbNroTablaDisPpPer->setCurrentIndex(0);
  EXPECT_EQ(form().cmbDurMin->currentText(), "360");
  EXPECT_EQ(form().cmbDurMax->currentText(), "30");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

// The editor opened from the storm dialog of a project in the main window.
class DistributionFromMainWindowTest : public DlgDisPpPerTest {
 protected:
  void SetUp() override {
    DlgDisPpPerTest::SetUp();
    test::OpenCuencaInMainWindow(programDir(), dialogs);
  }
  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  dlgPp& stormDialog() {
    main().mnufrmPp->trigger();
    return dlgPp::instance();
  }
  void openFrom(dlgPp& pp) {
    QTest::mouseClick(pp.cmdPpPerso, Qt::LeftButton);
    ASSERT_TRUE(dlgDisPpPer::isLoaded());
    ASSERT_TRUE(form().isVisible());
    QApplication::setActiveWindow(&form());
    QApplication::processEvents();
  }
};

TEST_F(DistributionFromMainWindowTest, FollowsTheStormDialogsUserDistribution) {
  dlgPp& pp = stormDialog();
  EXPECT_FALSE(pp.cmdPpPerso->isEnabled());
  pp.optDistriPp[6]->setChecked(true);
  pp.lblDurMin->setText("?");
  openFrom(pp);
  EXPECT_EQ(form().cmbNroTablaDisPpPer->currentText(), "2");
  EXPECT_EQ(grid()->Rows(), 1);
  // The storm dialog shows the table's limits, which the opening has just set.
  EXPECT_FALSE(pp.lblValidez->isHidden());
  EXPECT_EQ(pp.lblDurMin->text(), "5");
  EXPECT_EQ(pp.lblDurMax->text(), "10");

  // The labels follow the range as the editor changes it: a limit picked, the table cleared.
  form().cmbDurMax->setCurrentIndex(form().cmbDurMax->findText("60"));
  EXPECT_EQ(pp.lblDurMax->text(), "60");
  form().cmbDurMin->setCurrentIndex(form().cmbDurMin->findText("30"));
  EXPECT_EQ(pp.lblDurMin->text(), "30");
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_EQ(pp.lblDurMin->text(), "5");
  EXPECT_EQ(pp.lblDurMax->text(), "1440");
  // Choosing a table chooses its distribution in the storm dialog, and shows its range.
  form().cmbNroTablaDisPpPer->setCurrentIndex(2);
  EXPECT_TRUE(pp.optDistriPp[7]->isChecked());
  EXPECT_EQ(DistriPp, 7);
  EXPECT_EQ(pp.lblDurMin->text(), "10");
  EXPECT_EQ(pp.lblDurMax->text(), "15");
  // A range picked while the storm dialog shows another distribution leaves its labels alone.
  pp.optDistriPp[5]->setChecked(true);
  const QString mostrado = pp.lblDurMax->text();
  form().cmbDurMax->setCurrentIndex(form().cmbDurMax->findText("720"));
  EXPECT_EQ(pp.lblDurMax->text(), mostrado);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DistributionFromMainWindowTest, AStormRunUsesTheTableJustSavedAndKeepsUnsavedEdits) {
  dlgPp& pp = stormDialog();
  pp.optDistriPp[5]->setChecked(true);
  openFrom(pp);
  count("2");
  share(1, "70");
  share(2, "30");
  apply();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(ReadBytes(file()),
            "2,0,2\r\n\"Lluvia frontal\"\r\n30,360\r\n70\r\n30\r\n"
            "\"\"\r\n0,0\r\n\"tres\"\r\n10,15\r\n60\r\n40\r\n");

  // Unsaved edits in the editor while the storm is run.
  share(1, "55");
  test::ClickCell(grid(), 2, 2);
  form().txtNotas->setText("sin guardar");
  QApplication::setActiveWindow(&pp);
  test::Type(pp.txtPp, "40");
  test::Type(pp.txtDur, "60");
  test::Leave(pp.txtDur);
  QTest::mouseClick(pp.cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(DistriPp, 5);
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  // The storm falls as the saved table says: 70 % in the first half hour, 30 % in the second.
  ASSERT_EQ(NumPer, 2);
  EXPECT_FLOAT_EQ(PpPeriodo(1), 28.0f);
  EXPECT_FLOAT_EQ(PpPeriodo(2), 12.0f);
  // The run read the file apart: the editor still holds its edits, and saves them whole.
  EXPECT_EQ(DisPer(1, 1), 55.0f);
  EXPECT_EQ(grid()->TextMatrix(2, 3), "85");
  EXPECT_EQ(NotasDisPer[1], "sin guardar");
  QApplication::setActiveWindow(&form());
  share(2, "45");
  dialogs.clear();
  apply();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(ReadBytes(file()),
            "2,0,2\r\n\"sin guardar\"\r\n30,360\r\n55\r\n45\r\n"
            "\"\"\r\n0,0\r\n\"tres\"\r\n10,15\r\n60\r\n40\r\n");

  // Closing and opening the storm dialog again keeps the editor's store too.
  QTest::mouseClick(pp.CancelButton, Qt::LeftButton);
  QApplication::processEvents();
  form().txtNotas->setText("otra vez");
  stormDialog();
  EXPECT_EQ(NotasDisPer[1], "otra vez");
}

}  // namespace
}  // namespace tavo
