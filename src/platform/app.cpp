#include "platform/app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "platform/seqfile.h"

namespace tavo {

namespace {

std::function<void()>& EndHandler() {
  static std::function<void()> handler;
  return handler;
}

bool& EndedFlag() {
  static bool ended = false;
  return ended;
}

QString& AppFolder() {
  static QString folder;
  return folder;
}

QDateTime& FixedClock() {
  static QDateTime clock;
  return clock;
}

bool& BusyFlag() {
  static bool busy = false;
  return busy;
}

QScreen* Screen() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                      : nullptr;
}

}  // namespace

void EndProgram() {
  CloseAllFiles();
  if (EndHandler()) EndHandler()();
  throw ProgramEnded{};
}

void SetEndProgramHandler(std::function<void()> handler) {
  EndHandler() = std::move(handler);
}
bool ProgramHasEnded() {
  return EndedFlag();
}
void SetProgramHasEnded(bool ended) {
  EndedFlag() = ended;
}

void DoEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

QString AppPath() {
  if (AppFolder().isEmpty() && QCoreApplication::instance())
    AppFolder() = QCoreApplication::applicationDirPath();
  return AppFolder();
}

void SetAppPath(const QString& folder) {
  AppFolder() = folder;
}

namespace {
QSize& ScreenSizeForTests() {
  static QSize size;
  return size;
}
}  // namespace

int ScreenWidthPixels() {
  if (!ScreenSizeForTests().isEmpty()) return ScreenSizeForTests().width();
  return Screen() ? Screen()->geometry().width() : 1024;
}
int ScreenHeightPixels() {
  if (!ScreenSizeForTests().isEmpty()) return ScreenSizeForTests().height();
  return Screen() ? Screen()->geometry().height() : 768;
}

QRect ScreenArea() {
  if (!ScreenSizeForTests().isEmpty()) return QRect(QPoint(0, 0), ScreenSizeForTests());
  return Screen() ? Screen()->availableGeometry() : QRect(0, 0, 1024, 768);
}

void SetScreenSize(const QSize& size) {
  ScreenSizeForTests() = size;
}
int ScreenWidthTwips() {
  return ScreenWidthPixels() * 15;
}
int ScreenHeightTwips() {
  return ScreenHeightPixels() * 15;
}

void SetBusyPointer(bool busy) {
  if (busy == BusyFlag()) return;
  BusyFlag() = busy;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool BusyPointer() {
  return BusyFlag();
}

namespace {
std::function<bool(const QString&)>& Opener() {
  static std::function<bool(const QString&)> opener;
  return opener;
}
}  // namespace

bool OpenWithDesktop(const QString& path) {
  if (Opener()) return Opener()(path);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetDesktopOpener(std::function<bool(const QString&)> opener) {
  Opener() = std::move(opener);
}

QDateTime Now() {
  return FixedClock().isValid() ? FixedClock() : QDateTime::currentDateTime();
}

double Timer() {
  const QTime t = Now().time();
  return t.msecsSinceStartOfDay() / 1000.0;
}

void SetFixedClock(const QDateTime& now) {
  FixedClock() = now;
}

}  // namespace tavo
