#include "engine/frmPp.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPrinterInfo>
#include <QTest>
#include <QTextDocument>

#include "platform/seqfile.h"
#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class FrmPpTest : public test::TavoTest {
 protected:
  // The main window with the report's check mark on, and the report window shown inside it.
  QAction* ShowInsideMainWindow() {
    MDIForm1& main = MDIForm1::instance();
    main.show();
    main.mnuPizarra1->setChecked(true);
    ShowReportWindow();
    return main.mnuPizarra1;
  }
};

TEST_F(FrmPpTest, UsingTheTextBringsTheWindowIntoExistenceAndTurnsTheReportOn) {
  EXPECT_EQ(ReportText(), "");
  EXPECT_TRUE(frmPp::isLoaded());
  EXPECT_FALSE(frmPp::instance().isVisible());
  EXPECT_TRUE(PizarraActiva);
  frmPp::unload();
  EXPECT_FALSE(PizarraActiva);

  SeriesRunning = true;  // a series run keeps the report off
  SetReportText(QStringLiteral("x"));
  EXPECT_FALSE(PizarraActiva);
}

TEST_F(FrmPpTest, ClosingDiscardsTheWindowsTextButNotTheReport) {
  const auto closeWith = std::vector<std::pair<const char*, void (*)()>>{
      {"its button", [] { QTest::mouseClick(frmPp::instance().cmdCerrar, Qt::LeftButton); }},
      {"the frame", [] { qobject_cast<QMdiSubWindow*>(frmPp::instance().parentWidget())->close(); }},
  };
  for (const auto& [how, close] : closeWith) {
    SCOPED_TRACE(how);
    QAction* item = ShowInsideMainWindow();
    ASSERT_TRUE(frmPp::instance().isVisible());
    SetReportText(QStringLiteral("tabla\r\n"));
    TextoProceso = QStringLiteral("informe de la corrida\r\n");
    close();
    EXPECT_FALSE(frmPp::exists());
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(PizarraActiva);
    EXPECT_EQ(ReportText(), "");
    MuestraPizarra();
    EXPECT_EQ(ReportText(), TextoProceso);
    frmPp::unload();
    MDIForm1::unload();
  }
}

TEST_F(FrmPpTest, ResizingPlacesTheBoxAndTheButtons) {
  ShowInsideMainWindow();
  frmPp& form = frmPp::instance();
  // The window's outer size is that of its frame inside the main window.
  auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget());
  frame->resize(Px(6000), Px(9000));
  EXPECT_EQ(form.Text1->geometry(), QRect(Px(100), Px(100), Px(5820), Px(7650)));
  EXPECT_EQ(form.cmdCerrar->geometry().topLeft(), QPoint(Px(5880), Px(8100)));
  EXPECT_EQ(form.cmdImprimir->geometry().topLeft(), QPoint(Px(4560), Px(8100)));
  // 5000 twips are 333 pixels, that is 4995 twips: 85 % of the height would reach the buttons, so the
  // box ends above them.
  frame->resize(Px(6000), Px(5000));
  EXPECT_EQ(form.Text1->geometry(), QRect(Px(100), Px(100), Px(5820), Px(3935)));
  EXPECT_EQ(form.cmdCerrar->geometry().topLeft(), QPoint(Px(5880), Px(4095)));
  EXPECT_LT(form.Text1->geometry().bottom(), form.cmdCerrar->y());
}

TEST_F(FrmPpTest, ARefreshOnlyAddsWhatTheRunAppended) {
  SetReportText(QStringLiteral("Entrada:\r\n"));
  struct Change {
    int position, removed, added;
  };
  std::vector<Change> changes;
  QObject::connect(frmPp::instance().Text1->document(), &QTextDocument::contentsChange,
                   [&](int position, int removed, int added) {
                     changes.push_back({position, removed, added});
                   });
  TextoProceso = ReportText();
  TextoProceso += QStringLiteral("Per.k  t[min]\r\n    1     10\r\n");
  MuestraPizarra();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].position, 9);  // "Entrada:" and its line end, as the box holds them
  EXPECT_EQ(changes[0].removed, 0);
  EXPECT_EQ(ReportText(), "Entrada:\r\nPer.k  t[min]\r\n    1     10\r\n");

  // A text that does not continue the one shown replaces it.
  changes.clear();
  SetReportText(QStringLiteral("otro"));
  EXPECT_EQ(ReportText(), "otro");
  EXPECT_EQ(frmPp::instance().Text1->toPlainText(), "otro");
}

TEST_F(FrmPpTest, WhatTheUserTypesIsPartOfTheText) {
  frmPp& form = frmPp::instance();
  ShowModeless(&form, false);
  SetReportText(QStringLiteral("uno\r\ndos"));
  form.Text1->setFocus();
  form.Text1->moveCursor(QTextCursor::End);
  QTest::keyClick(form.Text1, Qt::Key_Return);
  QTest::keyClicks(form.Text1, QStringLiteral("tres"));
  EXPECT_EQ(ReportText(), "uno\r\ndos\r\ntres");
  AppendToReport(QStringLiteral("\r\ncuatro"));
  EXPECT_EQ(ReportText(), "uno\r\ndos\r\ntres\r\ncuatro");
}

// Without a printer each printout is a new PDF: one there already stays as it is.
TEST_F(FrmPpTest, PrintingWithoutAPrinterWritesANewPdf) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed";
  DirActual = programDir();
  frmPp& form = frmPp::instance();
  ShowModeless(&form, false);
  SetReportText(QStringLiteral("informe"));
  for (const char* name : {"Pizarra.pdf", "Pizarra (2).pdf"}) {
    SCOPED_TRACE(name);
    dialogs.clear();
    dialogs.answer(vbOK);
    QTest::mouseClick(form.cmdImprimir, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(
        dialogs.records()[0].prompt,
        "No hay una impresora instalada. La imagen de la ventana se guardó en el archivo " + path(name));
    EXPECT_TRUE(test::ReadBytes(path(name)).startsWith("%PDF"));
    test::WriteBytes(path(name), "anterior");
  }
  EXPECT_EQ(test::ReadBytes(path("Pizarra.pdf")), "anterior");
}

}  // namespace
}  // namespace tavo
