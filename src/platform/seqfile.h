// Sequential text files as the program keeps all its data: Windows-1252 text with CR LF line ends
// (UTF-8 after a byte-order mark for a text the code page cannot hold), values written in the
// program's data-file form and read back one after the other. Also the file and folder operations the
// program needs, its own current directory, and the copy kept of a file that could not be read whole
// before a write replaces it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <condition_variable>
#include <future>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

// Windows-1252 bytes to text and back; a character the code page lacks is written as "?".
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text);
// The character of one byte, and the byte of one character (-1 when the code page lacks it).
char16_t Windows1252Char(unsigned char b);
int Windows1252Byte(char16_t u);
// The bytes of a data file: Windows-1252 when the code page holds every character of the text, so
// that files move to and from Windows machines byte for byte; otherwise UTF-8 after the UTF-8
// byte-order mark, so that no character is ever replaced and the file says how it was written.
QByteArray EncodeFileText(const QString& text);
// The text of a data file, in the encoding it was written in: UTF-8 when it starts with the UTF-8
// byte-order mark (which is dropped), Windows-1252 otherwise, whatever its bytes look like.
QString DecodeFileText(const QByteArray& bytes);
// A text as a quoted value of a data file stores it. The format has no escape for a double quote,
// which would end the value early and shift every value after it, so it is written as a single quote.
QString QuotedTextForFile(const QString& text);

// The program's current directory. Relative names resolve against it; the process's own working
// directory is never changed.
QString CurDir();
void ChDir(const QString& path);           // error 76 when the folder does not exist
QString ResolvePath(const QString& path);  // an absolute, cleaned path

// Error 75 when it exists, 76 when its parent does not; 61 on a full disk, 75 for a name too long.
void MkDir(const QString& path);
void Kill(const QString& path);  // error 53 when the file does not exist
// Overwrites the target, which takes the whole copy or stays as it was.
void FileCopy(const QString& source, const QString& target);
void RmFile(const QString& path);  // deletes when present, silently otherwise
bool FileExists(const QString& path);
bool DirExists(const QString& path);
// True when a file of this name (without its folder) can be made and replaced by the program: the
// file systems take names of up to 255 bytes, and the program adds its own endings to a name while it
// writes the file (a temporary, a damaged copy), so a name keeps room for them.
bool FileNameFits(const QString& name);

// The temporary a write of the file `path` goes through before it takes the file's place:
// "<path>.<n>.tmp~", n the number the system gives this running copy of the program, so that two
// copies writing one file at once never write into the same temporary and each file left is one
// write's whole file. A replaced file's second name (see TextValueStream) is "<path>.<n>.old~".
QString TemporaryPath(const QString& path);
QString SecondNamePath(const QString& path);
// Removes from `folder` the temporaries and second names that copies of the program which have ended
// left there: of every file, or of the one file named `file`. Those of a copy still running stay.
// Names without a copy's number, of earlier versions of the program, go only when `alone` says that
// no other copy runs.
void RemoveLeftoverTemporaries(const QString& folder, const QString& file = QString(), bool alone = false);

// A data file whose reading failed part way holds more than the program took from it, and a write
// from memory would lose the rest. Readers tell, after each reading, whether they read the whole
// file. The first write that then replaces a file not read whole first copies it beside itself as
// "<name>.dañado" ("<name>.dañado2" and on when that name is taken) and says so once the file is
// replaced. A write that fails (a copy that cannot be made included) leaves the file as it was and
// still noted, and removes the copies it made.
void NoteFileRead(const QString& path, bool whole);
// Forgets every file noted as not read whole, as at the program's start.
void ForgetFilesNotReadWhole();

enum class OpenMode { Input, Output, Append };

// The one long text value of a data file, written ahead while the text still grows: a thread of the
// stream's own writes what the text holds so far into the file's temporary, so that when the file is
// written only the rest remains (see SeqFile::write). Besides, the thread has the system prepare the
// memory the text grows into next, so that the text finds it ready, and give back early the file cache
// of the file the temporary will replace. The thread ends with the stream, and touches nothing but the
// temporary, the file replaced and the bytes handed to it.
class TextValueStream {
 public:
  // Starts on the temporary of the data file `path`, which resolves against the current folder now.
  explicit TextValueStream(const QString& path);
  // Ends the thread; a temporary no file took is removed.
  ~TextValueStream();
  TextValueStream(const TextValueStream&) = delete;
  TextValueStream& operator=(const TextValueStream&) = delete;

  // Hands the thread the bytes `text` gained since the last call. A text that did not grow from the one
  // handed before (emptied, replaced), or that holds characters the code page lacks, ends the writing
  // ahead: the file is then written whole when it closes.
  void feed(const TextBuffer& text);

 private:
  friend class SeqFile;
  // Hands over the rest of `text`, closes the value and ends the thread. The temporary's path when it
  // holds the value `text` whole, as Write # writes it; otherwise empty, and the temporary is removed.
  QString finish(const TextBuffer& text);
  void writeAhead();  // the thread
  void stop();        // ends the thread and waits for it

  QString path_;          // the data file, resolved
  QString temporary_;     // its temporary, while the stream holds it
  std::string replaced_;  // the data file, as the thread names it: its cache is given back early
  std::string second_;    // the second name the thread gives the old file (SecondNamePath)
  std::string held_;      // a second name the thread gave the old file, removed after the stream
  int descriptor_ = -1;   // the temporary, open for writing
  TextBuffer handed_;     // the text handed over so far: holding it keeps its bytes as they are
  bool broken_ = false;   // the text stopped growing from the one handed over
  // Shared with the thread:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::pair<const char*, qsizetype>> pending_;  // bytes to write, in order
  std::pair<const char*, qsizetype> room_{};                // where the text grows next, to prepare
  bool closing_ = false;                                    // nothing more will be handed over
  bool failed_ = false;                                     // a write failed; nothing more is written
  std::future<void> done_;                                  // the thread's work, until it ends
};

class SeqFile {
 public:
  // Opens a file. Input: error 53 when missing, 76 when its folder is missing. Output and Append:
  // error 76 when the folder is missing, 75 when the name is a folder, 70 when it cannot be written,
  // 55 when the file is already open in this program.
  SeqFile(const QString& path, OpenMode mode);
  ~SeqFile();  // an output file that was never closed is discarded and the old file stays
  SeqFile(const SeqFile&) = delete;
  SeqFile& operator=(const SeqFile&) = delete;

  // Closes the file. An output file replaces the old one only now, in one step, so a write that
  // fails half way never leaves half a file; an old file not read whole is copied first.
  void close();
  bool isOpen() const { return open_; }
  const QString& path() const { return path_; }

  // End of file: nothing left to read.
  bool eof() const;

  // Input #: the next value; a comma or a line end ends it. Error 62 past the end, 13 when the text
  // is not of the type asked, 6 when the number does not fit.
  QString inputString();
  Integer inputInteger();
  Long inputLong();
  Single inputSingle();
  Double inputDouble();
  Boolean inputBoolean();
  // Input: where the next value starts, and a return there, to a place position() gave.
  qsizetype position() const { return pos_; }
  void seek(qsizetype position) { pos_ = position; }
  // Line Input #: the rest of the current line, without its end.
  QString lineInput();
  // Input # of one value in its data-file form, so that it can be written back as it stands: a text
  // in its double quotes, anything else as read.
  QString inputValueText();

  // Write #: the values separated by commas, texts in double quotes (see QuotedTextForFile), logical
  // values as #TRUE# and #FALSE#, numbers in the data-file form, an empty value as nothing; then CR LF.
  void write(std::initializer_list<Variant> values);
  // Write # of one text value held as the bytes of a file: when the file stays in the code page they
  // go to it as they are, with no conversion.
  void write(const TextBuffer& text);
  // The same, for a text that `stream` has been writing ahead to this file's temporary: when the text is
  // all the file holds and the stream wrote it whole, the close takes the stream's temporary as it is.
  void write(const TextBuffer& text, TextValueStream& stream);
  // Print #: the text as it is, then CR LF (or nothing when `newLine` is false).
  void print(const QString& text, bool newLine = true);
  // Print # of a text held as the bytes of a file, as it is and with no line end: when the file stays
  // in the code page they go to it with no conversion.
  void print(const TextBuffer& text);

 private:
  friend void CloseTogether(const std::vector<SeqFile*>& files);
  void detach();
  QString writeTemporary();
  void replaceWith(const QString& temporary);
  struct Field {
    QString text;
    bool quoted = false;
  };
  Field nextField();
  void requireMode(OpenMode mode) const;

  QString path_;
  OpenMode mode_;
  bool open_ = false;
  QString text_;       // input: the whole decoded file
  qsizetype pos_ = 0;  // input: reading position in text_
  QString out_;        // output and append: text written so far, encoded when the file is closed
  // Long texts written so far, each with the place in out_ where it goes, in double quotes (Write #)
  // or as they are (Print #).
  struct Piece {
    qsizetype place;
    TextBuffer text;
    bool quoted;
  };
  std::vector<Piece> texts_;
  // The temporary a TextValueStream wrote with the one text of texts_, which the close takes when
  // nothing else has been written.
  QString streamed_;
  bool writeOut(QFile& file) const;
};

// Closes several output files as one: either every one of them replaces its old file or, when any
// cannot be written (or an old file not read whole cannot be copied), none does.
void CloseTogether(const std::vector<SeqFile*>& files);
// Closes every file this program holds open (output files keep what was written).
void CloseAllFiles();
// The text of one value in the data-file form, as Write # writes it.
QString WriteValueText(const Variant& value);
// Appends to `text` the line Write # writes for the values, with its CR LF: lines made apart (on
// several threads) and then printed in order give the file a write of each would.
void AppendWriteLine(QString& text, std::initializer_list<Variant> values);

}  // namespace tavo
