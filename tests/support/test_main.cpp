#include <gtest/gtest.h>

#include <QApplication>

#include "support/fixture.h"

int main(int argc, char** argv) {
  // Asked to stand for another copy of the program, the program does that and nothing else.
  if (const int code = tavo::test::RunAsAnotherCopy(argc, argv); code >= 0) return code;
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
