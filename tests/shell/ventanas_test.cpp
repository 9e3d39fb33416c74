// Every window of the program at the two screens it is used on most, framed as a window manager
// frames them: each stands inside the screen, title bar included, and no control hides part of its
// text.
#include <QApplication>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>

#include "platform/app.h"
#include "platform/forms.h"
#include "rainfall/dlgPp.h"
#include "shell/ventanas_fixture.h"

namespace tavo {
namespace {

// A title bar and borders as a desktop's window manager draws them.
constexpr QMargins kMarcoVentana(4, 28, 4, 4);

class VentanasTest : public test::VentanasFixture, public testing::WithParamInterface<QSize> {
 protected:
  void SetUp() override {
    SetScreenSize(GetParam());
    SetWindowFrameForTests(kMarcoVentana);
    VentanasFixture::SetUp();
  }
  void TearDown() override {
    VentanasFixture::TearDown();
    SetWindowFrameForTests(QMargins());
    SetScreenSize(QSize());
  }
};

// The window's frame: its MDI frame inside the main window, or the window with the window manager's
// frame around it.
QRect Marco(const QWidget* w) {
  if (const auto* frame = qobject_cast<const QMdiSubWindow*>(w->parentWidget())) return frame->geometry();
  if (w->windowFlags().testFlag(Qt::FramelessWindowHint)) return w->geometry();
  return w->geometry().marginsAdded(kMarcoVentana);
}

TEST_P(VentanasTest, EveryWindowStandsInsideTheScreenWithNoTextClipped) {
  const QRect pantalla(QPoint(0, 0), GetParam());
  AbreCadaVentana([&](const QString& nombre, QWidget* w) {
    SCOPED_TRACE(nombre.toStdString());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    if (w->isWindow()) {
      const QRect marco = Marco(w);
      EXPECT_TRUE(pantalla.contains(marco))
          << marco.x() << "," << marco.y() << " " << marco.width() << "x" << marco.height();
    }
    const QStringList cortados = test::ClippedControls(w);
    EXPECT_TRUE(cortados.isEmpty()) << cortados.join('\n').toStdString();
  });
}

// A window larger than the screen opens inside it, its controls on a page with scroll bars: the storm
// dialog on a screen of 640 x 480.
class PantallaChicaTest : public test::CuencaTest {
 protected:
  void SetUp() override {
    SetScreenSize(QSize(640, 480));
    SetWindowFrameForTests(kMarcoVentana);
    CuencaTest::SetUp();
  }
  void TearDown() override {
    CuencaTest::TearDown();
    SetWindowFrameForTests(QMargins());
    SetScreenSize(QSize());
  }
};

TEST_F(PantallaChicaTest, AWindowLargerThanTheScreenScrollsInsideIt) {
  main().mnufrmPp_Click();
  dlgPp& pp = dlgPp::instance();
  QApplication::processEvents();
  ASSERT_TRUE(pp.isVisible());
  EXPECT_TRUE(QRect(0, 0, 640, 480).contains(Marco(&pp)));
  auto* pagina = pp.findChild<QScrollArea*>();
  ASSERT_NE(pagina, nullptr);
  EXPECT_GT(pagina->verticalScrollBar()->maximum(), 0);
  EXPECT_GT(pagina->horizontalScrollBar()->maximum(), 0);
  // Every control is still there, and the last ones are reached by scrolling.
  EXPECT_EQ(pp.cmdPpReal->window(), &pp);
  pagina->ensureWidgetVisible(pp.cmdPpReal);
  const QRect boton(pp.cmdPpReal->mapTo(pagina->viewport(), QPoint(0, 0)), pp.cmdPpReal->size());
  EXPECT_TRUE(pagina->viewport()->rect().contains(boton));
  EXPECT_TRUE(test::ClippedControls(&pp).isEmpty()) << test::ClippedControls(&pp).join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pantallas, VentanasTest, testing::Values(QSize(1024, 768), QSize(1600, 1000)),
                         [](const testing::TestParamInfo<QSize>& info) {
                           return std::to_string(info.param.width()) + "x" +
                                  std::to_string(info.param.height());
                         });

}  // namespace
}  // namespace tavo
