#include "platform/activation.h"

#include <QApplication>
#include <QMessageBox>

#include "support/fixture.h"

namespace tavo {
namespace {

class ActivationTest : public test::TavoTest {};

// A window of the program that counts its Activate and Deactivate.
struct Counted {
  QWidget window;
  int activations = 0;
  int deactivations = 0;
  Counted() {
    auto* watch = new ActivationWatch(&window);
    QObject::connect(watch, &ActivationWatch::activated, [this] { ++activations; });
    QObject::connect(watch, &ActivationWatch::deactivated, [this] { ++deactivations; });
    window.show();
  }
  void activate() {
    window.activateWindow();
    QApplication::processEvents();
  }
};

TEST_F(ActivationTest, OnlyChangesBetweenTheProgramsWindowsCount) {
  Counted a;
  Counted b;
  a.activate();
  EXPECT_GE(a.activations, 1);
  a.activations = a.deactivations = b.activations = b.deactivations = 0;

  // A message box over the window, closed again: no new Activate, no Deactivate.
  {
    QMessageBox box(&a.window);
    box.setText("Aviso");
    box.show();
    box.activateWindow();
    QApplication::processEvents();
  }
  a.activate();
  EXPECT_EQ(a.activations, 0);
  EXPECT_EQ(a.deactivations, 0);

  b.activate();
  EXPECT_EQ(a.deactivations, 1);
  EXPECT_EQ(b.activations, 1);
  a.activate();
  EXPECT_EQ(a.activations, 1);
  EXPECT_EQ(b.deactivations, 1);
}

}  // namespace
}  // namespace tavo
