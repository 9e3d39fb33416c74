// The program as a whole: ending it, letting windows paint during long work, its folder, the screen,
// the busy pointer and the clock.
#pragma once

#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

namespace tavo {

// Thrown by EndProgram when no handler ends the process (in tests). Error traps never catch it.
struct ProgramEnded {};

// Ends the program at once: closes every open file and window, asks nothing and saves nothing else.
// The program installs a handler that ends the process; without one it throws ProgramEnded.
[[noreturn]] void EndProgram();
void SetEndProgramHandler(std::function<void()> handler);
// True once EndProgram ran while an event handler was being served (see forms.h).
bool ProgramHasEnded();
void SetProgramHasEnded(bool ended);

// Processes the pending window events.
void DoEvents();

// True on the program's main thread, where its windows live, and before the application exists. The
// message boxes and the report and progress windows' procedures assert it: work on the threads of the
// pool (platform/workers.h) never shows a window.
bool OnMainThread();

// The folder the program runs from: the executable's folder, or the one a test sets.
QString AppPath();
void SetAppPath(const QString& folder);

// The program folder marked as used by a running copy of the program, for as long as the object
// lives: a lock on the file ".TAVO.lock" there, which the system lets go when the copy ends, however
// it ends, so that a lock file left by a copy that failed holds nothing.
class ProgramFolderLock {
 public:
  explicit ProgramFolderLock(const QString& folder);
  ~ProgramFolderLock();
  ProgramFolderLock(const ProgramFolderLock&) = delete;
  ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;
  const QString& folder() const { return folder_; }
  // True when another running copy used the folder when this one took it.
  bool sharedWithAnotherCopy() const { return shared_; }

 private:
  QString folder_;
  int descriptor_ = -1;
  bool shared_ = false;
};

// The screen size in twips and in pixels (15 twips a pixel).
int ScreenWidthTwips();
int ScreenHeightTwips();
int ScreenWidthPixels();
int ScreenHeightPixels();
// The part of the screen where windows stand (the screen less the desktop's own panels), in pixels.
QRect ScreenArea();
// Tests: a screen of this size, all of it free for windows, in place of the real one; an empty size
// gives the real screen back.
void SetScreenSize(const QSize& size);

// The hourglass pointer over every window of the program, on or off.
void SetBusyPointer(bool busy);
bool BusyPointer();

// Opens a document with the desktop's own program for it; false when none could be started.
// Tests replace the opener.
bool OpenWithDesktop(const QString& path);
void SetDesktopOpener(std::function<bool(const QString&)> opener);

// The clock: seconds since midnight, and the current date and time. Tests may fix the clock.
double Timer();
QDateTime Now();
void SetFixedClock(const QDateTime& now);  // an invalid value restores the real clock

}  // namespace tavo
