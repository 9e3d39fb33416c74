#include "formulas/dlgEmpiricas.h"

#include <QApplication>
#include <QTest>

#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class DlgEmpiricasTest : public test::TavoTest {
 protected:
  // Opens the calculator as the user does, from the main window's menu.
  dlgEmpiricas& Open() {
    FormInstance<MDIForm1>::instance().mnuEmpiricos->trigger();
    EXPECT_TRUE(dlgEmpiricas::isLoaded());
    return dlgEmpiricas::instance();
  }
  // Types a box's whole text as the user does and leaves the box.
  static void Enter(QLineEdit* box, const QString& text) {
    test::Type(box, text);
    test::Leave(box);
  }
  // The captions of the eighteen peak-flow rows.
  static QStringList PeakFlows(const dlgEmpiricas& w) {
    QStringList texts;
    for (QLabel* label : w.ResultadosQp()) texts << label->text();
    return texts;
  }
  // The next control the Tab key reaches.
  static QWidget* NextTabStop(QWidget* from) {
    QWidget* w = from->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
    return w;
  }
  static QStringList Times(const dlgEmpiricas& w) {
    return {w.lblTcCalifornia->text(), w.lblTcVentura->text(), w.lblTcSCSUS->text()};
  }
};

const QStringList kPeakFlowsAt1 = {" 16.5", " 33",  " 50", " 66", " 52.5", " 175",  " 55.55", "",    " 4.17",
                                   " 2.5",  " 6.9", " 17", " 21", " 3.05", " 3.83", " 8.5",   " 27", " 29.2"};
const QStringList kTimesAtStart = {" 9.66", " 76.32", " 29.29"};

TEST_F(DlgEmpiricasTest, OpensFromTheMenuWithoutAProjectAndStartsAfreshAfterClosing) {
  ASSERT_TRUE(NombreProyecto.isEmpty());
  dlgEmpiricas* w = &Open();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->isWindow());
  EXPECT_EQ(w->windowTitle(),
            QStringLiteral("Fórmulas Empiricas de Caudal Máximo y Tiempo de Concentración"));
  EXPECT_EQ(w->size(), QSize(640, 474));
  EXPECT_EQ(w->focusWidget(), w->btnCerrar);
  EXPECT_EQ(PeakFlows(*w), kPeakFlowsAt1);
  EXPECT_EQ(Times(*w), kTimesAtStart);
  EXPECT_EQ(w->lblSup->text(), "1");
  // The tooltips state the formulas the rows compute.
  EXPECT_EQ(w->txtQCreager->toolTip(),
            "Qp = 0,55 * C * S^(S^-0,05)  ; S= Superficie [Km2]  ; Coeficiente C= 30");
  EXPECT_EQ(w->lblQp[0]->toolTip(), "Qp = 0,55 * C * S^(S^-0,05)  ; S= Superficie [Km2]   ;   C=30 ");
  EXPECT_EQ(
      w->lblTcVentura->toolTip(),
      "Tc = 60 * 0,1272 * (100 * S)^0,5 / i^0,5  ; S= Superficie [Km2]  ; i= pendiente cauce más largo [%]");
  // Tab order: the button, then the four boxes.
  EXPECT_EQ(NextTabStop(w->btnCerrar), w->txtSup);
  EXPECT_EQ(NextTabStop(w->txtSup), w->txtLcauceP);
  EXPECT_EQ(NextTabStop(w->txtLcauceP), w->txtcauceH);
  EXPECT_EQ(NextTabStop(w->txtcauceH), w->txtPendiCP);

  // The menu again brings the open window forward as it stands.
  test::Type(w->txtcauceH, QStringLiteral("500"));
  EXPECT_EQ(&Open(), w);
  EXPECT_EQ(w->txtcauceH->text(), "500");

  QTest::mouseClick(w->btnCerrar, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(dlgEmpiricas::isLoaded());
  w = &Open();
  EXPECT_EQ(w->txtSup->text() + w->txtLcauceP->text() + w->txtcauceH->text() + w->txtPendiCP->text(),
            "111001");
  EXPECT_EQ(PeakFlows(*w), kPeakFlowsAt1);
  EXPECT_EQ(Times(*w), kTimesAtStart);

  // The close box unloads it too.
  w->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(dlgEmpiricas::isLoaded());
}

TEST_F(DlgEmpiricasTest, TypedAreaIsCheckedWhenLeftAndRecomputesBothTables) {
  dlgEmpiricas& w = Open();
  // Nothing is corrected or recomputed while the user types: "20000" stands until the box is left.
  test::Type(w.txtSup, QStringLiteral("20000"));
  EXPECT_EQ(w.txtSup->text(), "20000");
  EXPECT_EQ(w.lblSup->text(), "1");
  EXPECT_EQ(PeakFlows(w), kPeakFlowsAt1);
  test::Leave(w.txtSup);
  EXPECT_EQ(w.txtSup->text(), "10000");
  EXPECT_EQ(w.lblSup->text(), "10000");
  const QStringList at10000 = PeakFlows(w);
  EXPECT_EQ(at10000[0], " 5512.05");
  EXPECT_EQ(at10000[1], " 15317.24");
  EXPECT_EQ(at10000[6], "");
  EXPECT_EQ(at10000[7], "");
  EXPECT_EQ(at10000[17], " 2805.07");
  EXPECT_EQ(w.lblTcVentura->text(), " 7632");

  // An area below 1 typed key by key stays as typed, and the results are those of that area.
  Enter(w.txtSup, QStringLiteral("0.5"));
  EXPECT_EQ(w.txtSup->text(), "0.5");
  EXPECT_EQ(w.lblSup->text(), "0.5");
  EXPECT_EQ(w.txtQpValentini->text(), " 19.09");
  EXPECT_EQ(w.txtQpSanti100->text(), " 23.33");

  // A comma is the decimal point: "2,5" shows "2.5" and computes with 2.5.
  test::Type(w.txtSup, QStringLiteral("2,5"));
  EXPECT_EQ(w.txtSup->text(), "2.5");
  test::Leave(w.txtSup);
  EXPECT_EQ(w.lblSup->text(), "2.5");
  EXPECT_EQ(w.txtQpSanti100->text(), " 52.18");
  EXPECT_EQ(w.txtQpGutmann->text(), " 71.88");
  EXPECT_EQ(w.lblTcVentura->text(), " 120.67");

  // A text reading 0 becomes "1" when the box is left.
  for (const char* zero : {"0", ".", "abc", ""}) {
    Enter(w.txtSup, QString::fromLatin1(zero));
    EXPECT_EQ(w.txtSup->text(), "1") << zero;
  }
  EXPECT_EQ(PeakFlows(w), kPeakFlowsAt1);

  // Enter checks the box as leaving it does, and the focus stays in it.
  test::Type(w.txtSup, QStringLiteral("20000"));
  QTest::keyClick(w.txtSup, Qt::Key_Return);
  EXPECT_EQ(w.txtSup->text(), "10000");
  EXPECT_EQ(w.txtQpGutmann->text(), " 2805.07");
  EXPECT_TRUE(w.txtSup->hasFocus());
}

TEST_F(DlgEmpiricasTest, NegativeAreaKeepsThePeakFlowsAndBlanksVentura) {
  dlgEmpiricas& w = Open();
  Enter(w.txtSup, QStringLiteral("5"));
  const QStringList at5 = PeakFlows(w);
  ASSERT_EQ(at5[16], " 60.37");
  Enter(w.txtSup, QStringLiteral("-5"));
  EXPECT_EQ(w.txtSup->text(), "-5");
  EXPECT_EQ(w.lblSup->text(), "-5");
  EXPECT_EQ(PeakFlows(w), at5);
  EXPECT_EQ(Times(w), QStringList({" 9.66", "", " 29.29"}));
  // The concentration times still follow L while the area is negative.
  Enter(w.txtLcauceP, QStringLiteral("10"));
  EXPECT_EQ(w.lblTcCalifornia->text(), " 138");
  EXPECT_EQ(w.lblTcVentura->text(), "");
}

TEST_F(DlgEmpiricasTest, SlopeIsKeptBetween0And100) {
  dlgEmpiricas& w = Open();
  Enter(w.txtPendiCP, QStringLiteral("-3"));
  EXPECT_EQ(w.txtPendiCP->text(), "0");
  EXPECT_EQ(w.lblTcSCSUS->text(), "");
  EXPECT_EQ(w.lblTcCalifornia->text(), " 9.66");

  Enter(w.txtPendiCP, QStringLiteral("150"));
  EXPECT_EQ(w.txtPendiCP->text(), "100");
  EXPECT_EQ(w.lblTcSCSUS->text(), " .84");
  Enter(w.txtPendiCP, QStringLiteral("100"));
  EXPECT_EQ(w.txtPendiCP->text(), "100");

  // A slope below 1 typed key by key stays as typed.
  Enter(w.txtPendiCP, QStringLiteral("0.5"));
  EXPECT_EQ(w.txtPendiCP->text(), "0.5");
  EXPECT_EQ(w.lblTcVentura->text(), " 107.93");

  // A slope reading 0 is written back as "0" and leaves Ventura and SCS-US blank.
  for (const char* zero : {"0", ".", "-"}) {
    Enter(w.txtPendiCP, QString::fromLatin1(zero));
    EXPECT_EQ(w.txtPendiCP->text(), "0") << zero;
    EXPECT_EQ(w.lblTcVentura->text(), "") << zero;
    EXPECT_EQ(w.lblTcSCSUS->text(), "") << zero;
  }
  Enter(w.txtPendiCP, QStringLiteral("2"));
  Enter(w.txtLcauceP, QStringLiteral("10"));
  Enter(w.txtcauceH, QStringLiteral("500"));
  Enter(w.txtSup, QStringLiteral("100"));
  EXPECT_EQ(Times(w), QStringList({" 74.26", " 539.66", " 101.15"}));
  // Ventura follows the slope and the area, not the length.
  Enter(w.txtLcauceP, QStringLiteral("1"));
  EXPECT_EQ(w.lblTcVentura->text(), " 539.66");
}

TEST_F(DlgEmpiricasTest, ZeroAndOutOfRangeChannelDataBlankTheirRows) {
  dlgEmpiricas& w = Open();
  Enter(w.txtcauceH, QStringLiteral("0"));
  EXPECT_EQ(Times(w), QStringList({"", " 76.32", " 29.29"}));
  Enter(w.txtcauceH, QStringLiteral("100"));
  Enter(w.txtLcauceP, QStringLiteral("0"));
  EXPECT_EQ(Times(w), QStringList({"", " 76.32", ""}));
  // Numbers beyond Double: the lengths fail their rows, the area and slope take their limits.
  Enter(w.txtLcauceP, QStringLiteral("1e400"));
  EXPECT_EQ(Times(w), QStringList({"", " 76.32", ""}));
  Enter(w.txtLcauceP, QStringLiteral("1"));
  Enter(w.txtSup, QStringLiteral("1e400"));
  EXPECT_EQ(w.txtSup->text(), "10000");
  Enter(w.txtPendiCP, QStringLiteral("1e400"));
  EXPECT_EQ(w.txtPendiCP->text(), "100");
}

TEST_F(DlgEmpiricasTest, LeavingABoxRecomputesFromItsText) {
  dlgEmpiricas& w = Open();
  // Texts set without their change handling, then the box is left.
  {
    const QSignalBlocker quiet(w.txtSup);
    w.txtSup->setText(QString());
  }
  w.txtSup->validate();
  EXPECT_EQ(w.txtSup->text(), "1");
  EXPECT_EQ(w.lblSup->text(), "1");
  {
    const QSignalBlocker quiet(w.txtcauceH);
    w.txtcauceH->setText(QStringLiteral("0"));
  }
  w.txtcauceH->validate();
  EXPECT_EQ(w.lblTcCalifornia->text(), "");
}

}  // namespace
}  // namespace tavo
