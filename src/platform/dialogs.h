// Message boxes, input boxes and the file and folder choosers, behind one interface: the windowed
// implementation for the program and a scripted one for tests.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace tavo {

// Buttons, icon and default button of a message box, added together as the program writes them.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
};

// The answer of a message box.
enum MsgBoxResult : int {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7
};

inline int ButtonsOf(int style) {
  return style & 0x0F;
}
inline int IconOf(int style) {
  return style & 0x70;
}

// What a file chooser is asked: its title, the folder it starts in and its filter (as
// "Descripción (*.ext)" lines).
struct FileRequest {
  QString title;
  QString folder;
  QString filter;
  QString fileName;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message; `title` empty means the program's own name. Returns an MsgBoxResult.
  virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
  // A modal input box; the typed text on OK, the empty text on Cancel.
  virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  // The open-file chooser; the chosen path, or the empty text when the user cancels.
  virtual QString openFile(const FileRequest& request) = 0;
  // The folder chooser; the chosen folder, or the empty text when the user cancels.
  virtual QString chooseFolder(const FileRequest& request) = 0;
};

// The dialogs in use. The windowed ones until a test installs others.
Dialogs& CurrentDialogs();
void InstallDialogs(Dialogs* dialogs);  // nullptr restores the windowed ones

// A message, question or input box that may not show where it arose: a storm of a series computed
// ahead of its turn, beside the others, must not show one, since the messages come in storm order.
// That storm is computed again in its turn, where its messages show.
struct MessageDeferred {};
// While true on a thread, every message, question and input box of that thread throws
// MessageDeferred instead of showing.
inline thread_local bool MessagesDeferred = false;
// Throws MessageDeferred while messages are deferred: for a procedure that is about to remember that
// it showed something.
inline void ThrowIfMessagesDeferred() {
  if (MessagesDeferred) throw MessageDeferred{};
}

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString());

// Makes Qt's own texts (the columns and commands of the file and folder choosers, the standard
// buttons) Spanish; false when Qt's Spanish translations are not installed.
bool InstallQtSpanish();

// The windowed dialogs, with Spanish button texts.
class QtDialogs : public Dialogs {
 public:
  int msgBox(const QString& prompt, int style, const QString& title) override;
  QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFile(const FileRequest& request) override;
  QString chooseFolder(const FileRequest& request) override;
};

// Dialogs for tests: every dialog is recorded, and each is answered from a queue of expected
// answers. A dialog with no answer left is recorded as unexpected and answered with the first
// button (OK or Yes), an empty text or no file.
class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind { Message, Input, OpenFile, Folder };
  struct Record {
    Kind kind;
    QString prompt;  // message or input prompt; the chooser's title
    int style = 0;
    QString title;
    FileRequest request;
  };

  ScriptedDialogs& answer(int msgBoxResult);         // the next message box
  ScriptedDialogs& answerText(const QString& text);  // the next input box or chooser

  int msgBox(const QString& prompt, int style, const QString& title) override;
  QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFile(const FileRequest& request) override;
  QString chooseFolder(const FileRequest& request) override;

  const std::vector<Record>& records() const { return records_; }
  // Dialogs that came with no answer queued, as "kind: prompt" lines.
  const QStringList& unexpected() const { return unexpected_; }
  // Answers queued that no dialog used.
  int pendingAnswers() const { return static_cast<int>(answers_.size()); }
  void clear();

 private:
  struct Answer {
    bool isText;
    int result;
    QString text;
  };
  bool takeAnswer(bool text, Answer& out, const Record& record);

  std::deque<Answer> answers_;
  std::vector<Record> records_;
  QStringList unexpected_;
};

}  // namespace tavo
