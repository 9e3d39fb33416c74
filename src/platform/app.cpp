#include "platform/app.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QUrl>
#include <cerrno>

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

bool OnMainThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
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

ProgramFolderLock::ProgramFolderLock(const QString& folder) : folder_(folder) {
  const QByteArray name = QFile::encodeName(folder + QStringLiteral("/.TAVO.lock"));
  descriptor_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor_ < 0) return;  // a folder that takes no file: nothing tells of other copies
  // Every running copy holds a shared lock; a copy that finds none can take the whole lock for a moment
  // and turns it into a shared one in the same step. The locks belong to the open file, not to the
  // process, so that two of them conflict within one process too.
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(descriptor_, F_OFD_SETLK, &lock) != 0) shared_ = errno == EAGAIN || errno == EACCES;
  lock.l_type = F_RDLCK;
  ::fcntl(descriptor_, F_OFD_SETLK, &lock);
}

ProgramFolderLock::~ProgramFolderLock() {
  if (descriptor_ >= 0) ::close(descriptor_);
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
