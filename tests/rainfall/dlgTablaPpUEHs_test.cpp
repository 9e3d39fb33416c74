#include "rainfall/dlgTablaPpUEHs.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include "engine/frmPp.h"
#include "project/estado.h"
#include "rainfall/carpetas_fixture.h"
#include "rainfall/cuenca_fixture.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

const QString kAvisoD = "Si la Duración de la Tormenta es '0' se anularan los datos de Pp cargados";
const QString kAvisoR =
    "Si la Recurrencia 'R' de la Tormenta es '0' se interpreta como de Período de Retorno desconocido";

// A saved network of units alone, one value a line as the network writer leaves it.
QByteArray UnitsFile(const QStringList& names) {
  QByteArray out = "\"Tres\"\r\n0\r\n" + QByteArray::number(names.size()) + "\r\n";
  for (int i = 0; i < names.size(); ++i) {
    out += QByteArray::number(i + 1) + "\r\n\"" + names[i].toLatin1() +
           "\"\r\n10\r\n\"\"\r\n100\r\n1\r\n\"Directo\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n1\r\n."
           "5\r\n0\r\n0\r\n0\r\n"
           "0\r\n";
  }
  return out + "0\r\n0\r\n";
}

class DlgTablaPpUEHsTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = DirActual = DirTrabajo = programDir();
    NombreProyecto = "Tres";
    test::WriteBytes(path("Tres_UEHs.pcn"), UnitsFile({"u-Alta", "u-Media", "u-Baja"}));
  }
  dlgTablaPpUEHs& form() { return dlgTablaPpUEHs::instance(); }
  FlexGrid* grid() { return form().MSFlexGridPpUEHs; }
  void open() { test::ShowActive(&form()); }
  // Types into a depth cell as the user does: emptied with Delete, then the keys.
  void depth(int row, const QString& typed) {
    test::ClickCell(grid(), row, 2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClicks(grid(), typed);
  }
  void box(ValidatedBox* b, const QString& text) {
    test::Type(b, text);
    test::Leave(b);
  }
};

TEST_F(DlgTablaPpUEHsTest, ApplyStoresTheDepthsAndFillsTheStormDialog) {
  dlgPp::instance();  // the storm dialog is open
  open();
  EXPECT_EQ(form().windowTitle(), "Distribución areal de la Precipitación: Tabla P-D-R por UEHs");
  EXPECT_TRUE(test::ClippedControls(&form()).isEmpty())
      << test::ClippedControls(&form()).join('\n').toStdString();
  ASSERT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(grid()->TextMatrix(2, 1), "u-Media");
  EXPECT_EQ(grid()->TextMatrix(0, 2), " P[mm]         ");
  test::ClickCell(grid(), 3, 1);  // names and numbers are fixed: only depth cells become current
  EXPECT_EQ(grid()->Col(), 2);

  depth(1, "0");
  depth(2, "12.5");
  depth(3, "30");
  box(form().txtDPpUEHs, "60.759");
  EXPECT_EQ(form().txtDPpUEHs->text(), "61");
  box(form().txtRPpUEHs, "25");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(PpUEH(1), 0.0f);
  EXPECT_EQ(PpUEH(2), 12.5f);
  EXPECT_EQ(PpUEH(3), 30.0f);
  EXPECT_EQ(PpTormenta, 12.5f);
  EXPECT_EQ(DurTormenta, 61);
  dlgPp& pp = dlgPp::instance();
  EXPECT_EQ(pp.txtPp->text(), "12.5");
  EXPECT_FALSE(pp.txtPp->isEnabled());
  EXPECT_EQ(pp.txtDur->text(), "61");
  EXPECT_FALSE(pp.txtDur->isEnabled());

  // Reopened, it shows the last accepted D and R and the depths applied.
  QTest::mouseClick(form().CancelButton, Qt::LeftButton);
  QApplication::processEvents();
  open();
  EXPECT_EQ(form().txtDPpUEHs->text(), "61");
  EXPECT_EQ(form().txtRPpUEHs->text(), "25");
  EXPECT_EQ(grid()->TextMatrix(2, 2), "12.5");
}

TEST_F(DlgTablaPpUEHsTest, ZeroDurationAndReturnPeriodWarnButStore) {
  PpTormenta = 7;
  open();
  for (int i = 1; i <= 3; ++i) depth(i, "0");
  dialogs.answer(vbOK).answer(vbOK);
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_EQ(test::Prompts(dialogs), (QStringList{kAvisoD, kAvisoR}));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[1].title, "");
  EXPECT_EQ(DurTormenta, 0);
  EXPECT_EQ(PpTormenta, 7.0f);  // no depth above 0
  EXPECT_FALSE(dlgTablaPpUEHs::isLoaded());
  // With the storm dialog closed the storm is stored directly, without creating the dialog.
  EXPECT_FALSE(dlgPp::exists());
}

TEST_F(DlgTablaPpUEHsTest, ADepthThatIsNotANumberStoresNothing) {
  PpUEH(2) = 5;
  open();
  box(form().txtDPpUEHs, "60");
  box(form().txtRPpUEHs, "10");
  depth(1, "20");
  test::ClickCell(grid(), 2, 2);
  QTest::keyClick(grid(), Qt::Key_Delete);
  depth(3, "30");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(grid()->Row(), 2);
  EXPECT_EQ(PpUEH(1), 0.0f);
  EXPECT_EQ(DurTormenta, 0);

  // Clear table empties every depth: the last one is blamed.
  QTest::mouseClick(form().cmdBorraTablaHQ, Qt::LeftButton);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(grid()->Row(), 3);
  EXPECT_EQ(PpUEH(2), 5.0f);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgTablaPpUEHsTest, ADepthOutsideTheStormDialogsDepthRangeIsRefusedWithItsMessage) {
  PpUEH(2) = 5;
  open();
  box(form().txtDPpUEHs, "60");
  box(form().txtRPpUEHs, "10");
  depth(1, "20");
  depth(2, "99999999999");
  depth(3, "1000");
  dialogs.answer(vbOK);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  ASSERT_EQ(test::Prompts(dialogs),
            QStringList{"Ingrese un valor numérico, entero o decimal, entre 0 y 999"});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[0].title, "");
  EXPECT_EQ(grid()->Row(), 2);  // the first depth out of range
  EXPECT_EQ(grid()->Col(), 2);
  EXPECT_EQ(PpUEH(1), 0.0f);
  EXPECT_EQ(PpUEH(2), 5.0f);
  EXPECT_EQ(DurTormenta, 0);

  // The range's ends are depths.
  dialogs.clear();
  depth(2, "999");
  depth(3, "0");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(PpUEH(2), 999.0f);
  EXPECT_EQ(DurTormenta, 60);
}

TEST_F(DlgTablaPpUEHsTest, DurationAndReturnPeriodBoxes) {
  open();
  struct Case {
    bool duration;
    const char* typed;
    const char* shown;
    Integer kept;  // the field's value afterwards
    bool refused;
  };
  const Case cases[] = {
      {true, "2880", "2880", 2880, false},
      {true, "99999", "0", 2880, false},  // too large for the field: 0, silently
      {true, "2881", "2881", 2880, true},
      {true, "abc", "0", 2880, true},
      {true, "1440.5", "1440", 1440, false},
      {false, "10000", "10000", 10000, false},
      {false, "10001", "10001", 10000, true},
      {false, "-5", "-5", 10000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear();
    ValidatedBox* b = c.duration ? form().txtDPpUEHs : form().txtRPpUEHs;
    if (c.refused) dialogs.answer(vbOK);
    box(b, QString::fromLatin1(c.typed));
    EXPECT_EQ(b->text(), c.shown);
    EXPECT_EQ(c.duration ? dlgTablaPpUEHs::DPpUEHs : dlgTablaPpUEHs::RPpUEHs, c.kept);
    EXPECT_EQ(b->hasFocus(), c.refused);
    if (c.refused) {
      ASSERT_EQ(dialogs.records().size(), 1u);
      EXPECT_EQ(dialogs.records()[0].prompt, c.duration
                                                 ? "Ingrese un valor numérico entero entre 0 y 2880 "
                                                 : "Ingrese un valor numérico entero entre 0 y 10000 ");
      EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
      b->setText(QString::number(c.kept));
      test::Leave(b);
    }
  }
}

TEST_F(DlgTablaPpUEHsTest, UnsavedNetworkEditsSurviveOpeningIt) {
  test::AddUEH("u-Alta");
  test::AddUEH("u-Renombrada");
  test::AddUEH("u-Baja");
  test::AddUEH("u-Nueva");
  open();
  EXPECT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(grid()->TextMatrix(2, 1), "u-Media");
  EXPECT_EQ(nUEHs, 4);
  ASSERT_EQ(colUEHs.size(), 4u);
  EXPECT_EQ(vUEHs[2]->NombreUEH, "u-Renombrada");
  EXPECT_EQ(NombreProyecto, "Tres");
}

TEST_F(DlgTablaPpUEHsTest, WithoutUnitsItSaysSoAndStoresNothing) {
  QFile::remove(path("Tres_UEHs.pcn"));
  dlgTablaPpUEHs::DPpUEHs = 30;
  dialogs.answer(vbOK);
  open();
  ASSERT_EQ(test::Prompts(dialogs), QStringList{"No existen UEHs cargadas, no hay un proyecto asociado"});
  EXPECT_EQ(grid()->Rows(), 1);
  EXPECT_EQ(form().txtDPpUEHs->text(), "0");
  dialogs.answer(vbOK);  // R is 0
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(DurTormenta, 0);
}

// A storm given unit by unit, from the storm dialog opened in the main window, run from its menu.
class PerUnitStormRunTest : public DlgTablaPpUEHsTest {
 protected:
  void SetUp() override {
    DlgTablaPpUEHsTest::SetUp();
    test::OpenCuencaInMainWindow(programDir(), dialogs);
  }
};

TEST_F(PerUnitStormRunTest, ModeDRunUsesTheDepthsOfEachUnit) {
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.mnufrmPp->trigger();
  dlgPp& pp = dlgPp::instance();
  pp.optformaPp[3]->setChecked(true);
  QTest::mouseClick(pp.cmdCargaPDRnoUniforme, Qt::LeftButton);
  ASSERT_TRUE(dlgTablaPpUEHs::isLoaded());
  QApplication::setActiveWindow(&form());
  ASSERT_EQ(grid()->Rows(), 3);
  EXPECT_EQ(grid()->TextMatrix(1, 1), "u-Norte");
  depth(1, "10");
  depth(2, "40");
  box(form().txtDPpUEHs, "60");
  box(form().txtRPpUEHs, "10");
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgTablaPpUEHs::isLoaded());
  EXPECT_EQ(pp.txtPp->text(), "10");
  QTest::mouseClick(pp.OKButton, Qt::LeftButton);
  EXPECT_EQ(FormaPp, 3);
  EXPECT_EQ(DurTormenta, 60);

  PizarraActiva = true;
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main.mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(TextoProceso.contains("UEH  1 u-Norte    10 mm")) << TextoProceso.toStdString();
  EXPECT_TRUE(TextoProceso.contains("UEH  2 u-Sur    40 mm"));
}

}  // namespace
}  // namespace tavo
