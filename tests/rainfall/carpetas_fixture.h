// The folders of the rainfall table tests: the program folder, where the table files live, with the
// working folder "obra" inside it; and a rainfall window shown as the user sees it.
#pragma once

#include <QApplication>
#include <QDir>

#include "platform/forms.h"
#include "project/estado.h"
#include "support/fixture.h"

namespace tavo::test {

class CarpetasTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = programDir();
    QDir(programDir()).mkdir(QStringLiteral("obra"));
    DirActual = path("obra");
  }
};

// Shows a window modeless, as its opener does, and makes it the active window.
inline void ShowActive(QWidget* window) {
  ShowModeless(window, false);
  QApplication::setActiveWindow(window);
  QApplication::processEvents();
}

}  // namespace tavo::test
