// The fixture every test starts from: a temporary program folder that is also the current
// directory, the whole process state reset, and scripted dialogs that fail the test on a message
// nobody expected.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <ostream>

#include "platform/dialogs.h"

class QLineEdit;
class QWidget;

// Readable failure output for Qt texts.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);

namespace tavo {
class FlexGrid;
}

namespace tavo::test {

class TavoTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The temporary program folder.
  QString programDir() const { return dir_.path(); }
  // A path inside the program folder.
  QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

  ScriptedDialogs dialogs;

 private:
  QTemporaryDir dir_;
};

// The environment variable TAVO_HILOS set to `value` for as long as it lives.
class ThreadCountSetting {
 public:
  explicit ThreadCountSetting(const QByteArray& value) { qputenv("TAVO_HILOS", value); }
  ~ThreadCountSetting() { qunsetenv("TAVO_HILOS"); }
  ThreadCountSetting(const ThreadCountSetting&) = delete;
  ThreadCountSetting& operator=(const ThreadCountSetting&) = delete;
};

// The number of the run-time error an action raises; 0 when it raises none.
int ErrorOf(const std::function<void()>& action);

// Whole-file helpers: bytes on disk, written or read as they are.
QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// Runs `action` as on a full disk: no file may grow beyond `bytes` bytes while it runs.
void WithFullDisk(qint64 bytes, const std::function<void()>& action);
// The number of a process that ran on this machine and has ended.
qint64 EndedProcessNumber();
// Has another copy of the program, a process of its own, write `file` whole with the one text value
// `text`, as the program writes its data files. False when it could not.
bool WriteAsAnotherCopy(const QString& file, const QString& text);
// The other copy's side, run by the test program's main: the exit code of that write, or -1 when the
// arguments do not ask for it.
int RunAsAnotherCopy(int argc, char** argv);
// The dialogs of a test with something done at the moment a message shows, before it is answered.
class WhenAsked : public Dialogs {
 public:
  WhenAsked(ScriptedDialogs& inner, std::function<void(const QString& prompt)> act)
      : inner_(inner), act_(std::move(act)) {}
  int msgBox(const QString& prompt, int style, const QString& title) override {
    act_(prompt);
    return inner_.msgBox(prompt, style, title);
  }
  QString inputBox(const QString& prompt, const QString& title, const QString& text) override {
    return inner_.inputBox(prompt, title, text);
  }
  QString openFile(const FileRequest& request) override { return inner_.openFile(request); }
  QString chooseFolder(const FileRequest& request) override { return inner_.chooseFolder(request); }

 private:
  ScriptedDialogs& inner_;
  std::function<void(const QString&)> act_;
};
// The message that tells where a file not read whole was kept before a write replaced it.
QString DamagedCopyMessage(const QString& file, const QString& copy);
// Types into a box as the user does: focus, whole text selected, keys (Delete for an empty text).
void Type(QLineEdit* box, const QString& text);
// Moves the focus on from a control to the next one, as Tab does.
void Leave(QWidget* control);

// The first words of the notices of a run: an outlet whose flood the run's horizon cut, and Muskingum
// routing with a negative coefficient at the output step.
inline const QString kCutNotice = QStringLiteral("La crecida no había terminado al final del cálculo");
inline const QString kMuskingumNotice = QStringLiteral("Con el paso de cálculo de caudales de ");
// True when the one dialog recorded is the notice of a cut flood: what a run of a storm whose outlet
// is still high at the end of its horizon shows, and nothing else.
bool OnlyCutNotice(const ScriptedDialogs& dialogs);

// The text of the dialogs recorded so far, one line per dialog, for failure messages.
QString DescribeDialogs(const ScriptedDialogs& dialogs);
// The prompts of the dialogs recorded so far, in order.
QStringList Prompts(const ScriptedDialogs& dialogs);
// Clicks the middle of a grid's cell with the left button.
void ClickCell(FlexGrid* grid, int row, int col);
// What a grid's cell shows, read through the grid's model as a view or an assistive tool reads it.
struct CellShown {
  QString text;
  QColor background;
  QFont font;  // the cell's own, else the application's default font
  Qt::Alignment alignment;
  Qt::ItemFlags flags;
};
CellShown Shown(const FlexGrid* grid, int row, int col);

// The labels, buttons, check boxes and option buttons shown in `window` whose text does not fit in
// them, as "name: text" lines (a tab widget's pages count only while shown). A label that shows a long
// text shortened with "…" counts as clipped unless its tooltip holds the whole text.
QStringList ClippedControls(const QWidget* window);

}  // namespace tavo::test
