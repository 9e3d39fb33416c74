#include "platform/seqfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <vector>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/workers.h"

namespace tavo {

namespace {

// Characters of bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined, which
// stand for the control character of the same number.
constexpr char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The UTF-8 byte-order mark, which starts every file written in UTF-8.
const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// Whether Windows-1252 has a byte for the character.
bool InWindows1252(char16_t u) {
  return Windows1252Byte(u) >= 0;
}

// Writes bytes of the code page as a quoted value holds them: a double quote as a single one. put(bytes,
// count) writes bytes and returns false when it cannot.
template <class Put>
bool WriteQuotedBytes(const char* bytes, qsizetype n, Put put) {
  const char* end = bytes + n;
  while (bytes < end) {
    const auto* quote = static_cast<const char*>(std::memchr(bytes, '"', static_cast<size_t>(end - bytes)));
    const char* stop = quote ? quote : end;
    if (stop > bytes && !put(bytes, stop - bytes)) return false;
    if (quote && !put("'", 1)) return false;
    bytes = quote ? quote + 1 : end;
  }
  return true;
}

// Has the system give the whole memory pages within the room their place ahead of their first use, as a
// first write would, without writing anything into them. Systems that cannot are left to do it at the
// first write.
void PrepareRoom(const char* room, qsizetype n) {
#ifdef MADV_POPULATE_WRITE
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t start = (reinterpret_cast<uintptr_t>(room) + page - 1) / page * page;
  const uintptr_t end = (reinterpret_cast<uintptr_t>(room) + static_cast<uintptr_t>(n)) / page * page;
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
  (void)room;
  (void)n;
#endif
}

// Gives back the memory the system's file cache holds of the file, when it is on disk already; what the
// file holds stays as it is. Replacing a long file otherwise gives its cache back in the replacement.
void ReleaseCache(const std::string& name) {
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return;
  posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
  ::close(descriptor);
}

// Writes all of the bytes to an open file; false when the system cannot (a full disk).
bool WriteAll(int descriptor, const char* bytes, qsizetype n) {
  while (n > 0) {
    const ssize_t written = ::write(descriptor, bytes, static_cast<size_t>(n));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    n -= written;
  }
  return true;
}

// Whether a process of that number runs on this machine.
bool ProcessRunning(qint64 number) {
  if (number <= 0 || number > std::numeric_limits<pid_t>::max()) return false;
  return ::kill(static_cast<pid_t>(number), 0) == 0 || errno == EPERM;
}

// Gives the whole temporary `temporary` the place of the file `target`, in one step. The temporary
// goes when it cannot; after it, what copies that ended left of the file's temporaries goes too.
void TakePlace(const QString& temporary, const QString& target) {
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
    const int error = errno;
    QFile::remove(temporary);
    RaiseFileSystemError(error, kErrPermissionDenied);
  }
  const QFileInfo info(target);
  RemoveLeftoverTemporaries(info.absolutePath(), info.fileName());
}

// Creates (or empties) a temporary for writing; raises the error the system gives.
int CreateTemporary(const QString& temporary) {
  const int descriptor =
      ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) RaiseFileSystemError(errno, kErrPermissionDenied);
  return descriptor;
}

QString& CurrentDirectory() {
  static QString dir = QDir::currentPath();
  return dir;
}

std::vector<SeqFile*>& OpenFiles() {
  static std::vector<SeqFile*> files;
  return files;
}

// The files, by whole path, whose last reading stopped before their end.
QSet<QString>& FilesNotReadWhole() {
  static QSet<QString> files;
  return files;
}

// Copies a file not read whole beside itself before a write replaces it, and returns the copy's path;
// empty when the file needs no copy. Raises the error of a copy that cannot be made. The file stays
// noted until the write has replaced it (see TellDamagedCopy).
QString KeepDamagedCopy(const QString& path) {
  if (!FilesNotReadWhole().contains(path)) return QString();
  if (!FileExists(path)) {
    FilesNotReadWhole().remove(path);
    return QString();
  }
  const QString base = path + QStringLiteral(".dañado");
  QString copy = base;
  for (int n = 2; QFileInfo::exists(copy); ++n) copy = base + QString::number(n);
  FileCopy(path, copy);
  return copy;
}

// A write that did not replace the file: the copy it made goes, and the file stays noted, so that the
// next write copies it again and says so.
void DropDamagedCopy(const QString& copy) {
  if (!copy.isEmpty()) QFile::remove(copy);
}

// Tells the user, once, where the file that could not be read whole was kept, now that a write has
// replaced it.
void TellDamagedCopy(const QString& path, const QString& copy) {
  if (copy.isEmpty()) return;
  FilesNotReadWhole().remove(path);
  MsgBox(QStringLiteral("El archivo ") + QFileInfo(path).fileName() +
             QStringLiteral(" no se pudo leer completo: puede estar dañado. Antes de reemplazarlo se guardó "
                            "una copia de él tal como estaba, con el nombre ") +
             QFileInfo(copy).fileName() + QStringLiteral(", en la misma carpeta."),
         vbOKOnly | vbExclamation);
}

bool IsBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool IsLineEnd(QChar c) {
  return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// A whole field read as a number: sign, digits, one point, exponent. False when it is not one.
bool ParseNumberField(const QString& text, double& value) {
  const QString s = text.trimmed();
  if (s.isEmpty()) {
    value = 0;
    return true;
  }
  if (s.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) {
    value = -1;
    return true;
  }
  if (s.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) {
    value = 0;
    return true;
  }
  std::string ascii;
  int i = 0;
  const int n = s.size();
  auto take = [&] { ascii += static_cast<char>(s[i++].unicode()); };
  if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) take();
  bool digits = false;
  while (i < n && s[i].isDigit()) take(), digits = true;
  if (i < n && s[i] == QLatin1Char('.')) {
    take();
    while (i < n && s[i].isDigit()) take(), digits = true;
  }
  if (!digits) return false;
  if (i < n && QStringLiteral("EeDd").contains(s[i])) {
    ++i;
    ascii += 'e';
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) take();
    if (i >= n || !s[i].isDigit()) return false;
    while (i < n && s[i].isDigit()) take();
  }
  if (i != n) return false;
  value = CheckFinite(std::strtod(ascii.c_str(), nullptr));
  return true;
}

}  // namespace

// ---- code page ----

char16_t Windows1252Char(unsigned char b) {
  return b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0 ? kHighControls[b - 0x80] : char16_t{b};
}

int Windows1252Byte(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    const char16_t mapped = kHighControls[i] != 0 ? kHighControls[i] : static_cast<char16_t>(0x80 + i);
    if (mapped == u) return 0x80 + i;
  }
  return -1;
}

QString DecodeWindows1252(const QByteArray& bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (char b : bytes) *out++ = QChar(Windows1252Char(static_cast<unsigned char>(b)));
  return text;
}

QByteArray EncodeWindows1252(const QString& text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  char* out = bytes.data();
  for (QChar c : text) {
    const int b = Windows1252Byte(c.unicode());
    *out++ = b < 0 ? '?' : static_cast<char>(b);
  }
  return bytes;
}

QByteArray EncodeFileText(const QString& text) {
  const bool fits = std::all_of(text.begin(), text.end(), [](QChar c) { return InWindows1252(c.unicode()); });
  return fits ? EncodeWindows1252(text) : kUtf8Mark + text.toUtf8();
}

QString DecodeFileText(const QByteArray& bytes) {
  if (bytes.startsWith(kUtf8Mark)) return QString::fromUtf8(bytes.mid(kUtf8Mark.size()));
  return DecodeWindows1252(bytes);
}

QString QuotedTextForFile(const QString& text) {
  QString quoted = text;
  return quoted.replace(QLatin1Char('"'), QLatin1Char('\''));
}

// ---- folders and files ----

QString CurDir() {
  return CurrentDirectory();
}

QString ResolvePath(const QString& path) {
  if (path.isEmpty()) return CurrentDirectory();
  return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : CurrentDirectory() + QLatin1Char('/') + path);
}

void ChDir(const QString& path) {
  const QString target = ResolvePath(path);
  if (path.isEmpty() || !QFileInfo(target).isDir()) Raise(kErrPathNotFound);
  CurrentDirectory() = target;
}

bool FileExists(const QString& path) {
  const QFileInfo info(ResolvePath(path));
  return info.exists() && !info.isDir();
}

bool DirExists(const QString& path) {
  return !path.isEmpty() && QFileInfo(ResolvePath(path)).isDir();
}

bool FileNameFits(const QString& name) {
  constexpr qsizetype kLongestName = 255;  // bytes, on every file system the program runs on
  constexpr qsizetype kRoomForEndings = 32;
  return QFile::encodeName(name).size() <= kLongestName - kRoomForEndings;
}

void NoteFileRead(const QString& path, bool whole) {
  const QString file = ResolvePath(path);
  if (whole || !FileExists(file)) {
    FilesNotReadWhole().remove(file);
  } else {
    FilesNotReadWhole().insert(file);
  }
}

void ForgetFilesNotReadWhole() {
  FilesNotReadWhole().clear();
}

void MkDir(const QString& path) {
  const QString target = ResolvePath(path);
  const QFileInfo info(target);
  if (info.exists()) Raise(kErrPathFileAccess);
  if (!QFileInfo(info.absolutePath()).isDir()) Raise(kErrPathNotFound);
  if (::mkdir(QFile::encodeName(target).constData(), 0777) != 0)
    RaiseFileSystemError(errno, kErrPathFileAccess);
}

void Kill(const QString& path) {
  const QString target = ResolvePath(path);
  const QFileInfo info(target);
  if (!info.exists() || info.isDir()) Raise(kErrFileNotFound);
  for (SeqFile* f : OpenFiles()) {
    if (f->path() == target) Raise(kErrPathFileAccess);
  }
  if (!QFile::remove(target)) Raise(kErrPermissionDenied);
}

void RmFile(const QString& path) {
  if (FileExists(path)) Kill(path);
}

void FileCopy(const QString& source, const QString& target) {
  const QString from = ResolvePath(source);
  const QString to = ResolvePath(target);
  const QFileInfo fromInfo(from);
  if (!fromInfo.exists() || fromInfo.isDir()) Raise(kErrFileNotFound);
  if (!QFileInfo(QFileInfo(to).absolutePath()).isDir()) Raise(kErrPathNotFound);
  if (QFileInfo(to).isDir()) Raise(kErrPathFileAccess);
  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) Raise(kErrPermissionDenied);
  const QByteArray bytes = in.readAll();
  const QString temporary = TemporaryPath(to);
  const int descriptor = CreateTemporary(temporary);
  const bool written = WriteAll(descriptor, bytes.constData(), bytes.size());
  if (::close(descriptor) != 0 || !written) {
    QFile::remove(temporary);
    Raise(kErrDiskFull);
  }
  TakePlace(temporary, to);
}

QString TemporaryPath(const QString& path) {
  return path + QLatin1Char('.') + QString::number(::getpid()) + QStringLiteral(".tmp~");
}

QString SecondNamePath(const QString& path) {
  return path + QLatin1Char('.') + QString::number(::getpid()) + QStringLiteral(".old~");
}

void RemoveLeftoverTemporaries(const QString& folder, const QString& file, bool alone) {
  if (folder.isEmpty()) return;
  const qint64 self = ::getpid();
  QDirIterator entries(ResolvePath(folder), QDir::Files | QDir::Hidden | QDir::System);
  while (entries.hasNext()) {
    const QString name = QFileInfo(entries.next()).fileName();
    if (!name.endsWith(QLatin1String(".tmp~")) && !name.endsWith(QLatin1String(".old~"))) continue;
    const QString stem = name.chopped(5);
    // "<file>.<copy>" or, of an earlier version, "<file>"
    const qsizetype dot = stem.lastIndexOf(QLatin1Char('.'));
    bool numbered = false;
    const qint64 copy = dot > 0 ? QStringView(stem).mid(dot + 1).toLongLong(&numbered) : 0;
    numbered = numbered && copy > 0 && stem.at(dot + 1).isDigit();
    const QString owner = numbered ? stem.left(dot) : stem;
    if (!file.isEmpty() && owner != file) continue;
    const bool left = numbered ? copy != self && !ProcessRunning(copy) : alone;
    if (left) QFile::remove(entries.filePath());
  }
}

// ---- sequential files ----

SeqFile::SeqFile(const QString& path, OpenMode mode) : path_(ResolvePath(path)), mode_(mode) {
  const QFileInfo info(path_);
  if (path.isEmpty()) Raise(kErrBadFileName);
  if (info.isDir()) Raise(kErrPathFileAccess);
  if (!QFileInfo(info.absolutePath()).isDir()) Raise(kErrPathNotFound);
  for (SeqFile* f : OpenFiles()) {
    if (f->path_ == path_ && (mode != OpenMode::Input || f->mode_ != OpenMode::Input))
      Raise(kErrFileAlreadyOpen);
  }
  if (mode == OpenMode::Input) {
    if (!info.exists()) Raise(kErrFileNotFound);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) Raise(kErrPermissionDenied);
    text_ = DecodeFileText(file.readAll());
  } else {
    if (info.exists() && !info.isWritable()) Raise(kErrPermissionDenied);
    if (!QFileInfo(info.absolutePath()).isWritable()) Raise(kErrPermissionDenied);
  }
  open_ = true;
  OpenFiles().push_back(this);
}

SeqFile::~SeqFile() {
  auto& files = OpenFiles();
  files.erase(std::remove(files.begin(), files.end(), this), files.end());
  if (!streamed_.isEmpty()) QFile::remove(streamed_);
}

void SeqFile::detach() {
  open_ = false;
  auto& files = OpenFiles();
  files.erase(std::remove(files.begin(), files.end(), this), files.end());
}

QString SeqFile::writeTemporary() {
  const QString temporary = TemporaryPath(path_);
  // A text written ahead by a stream is the whole file when nothing else was written: its quotes and
  // line end are all out_ holds.
  if (!std::exchange(streamed_, QString()).isEmpty() && texts_.size() == 1 && out_.size() == 4)
    return temporary;
  QFile file;
  file.open(CreateTemporary(temporary), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
  const bool written = writeOut(file) && file.flush();
  file.close();
  if (!written) {
    QFile::remove(temporary);
    Raise(kErrDiskFull);
  }
  return temporary;
}

void SeqFile::replaceWith(const QString& temporary) {
  TakePlace(temporary, path_);
}

void SeqFile::close() {
  if (!open_) return;
  detach();
  if (mode_ == OpenMode::Append && QFileInfo::exists(path_)) {
    // The whole file is written again, so that it stays in one encoding.
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) Raise(kErrPermissionDenied);
    const QString before = DecodeFileText(file.readAll());
    out_.prepend(before);
    for (Piece& piece : texts_) piece.place += before.size();
  }
  if (mode_ != OpenMode::Input) {
    const QString temporary = writeTemporary();
    QString copy;
    try {
      if (mode_ == OpenMode::Output) copy = KeepDamagedCopy(path_);
      replaceWith(temporary);
    } catch (const VbError&) {
      QFile::remove(temporary);
      DropDamagedCopy(copy);
      throw;
    }
    TellDamagedCopy(path_, copy);
  }
  out_.clear();
  texts_.clear();
}

bool SeqFile::writeOut(QFile& file) const {
  auto put = [&file](const QByteArray& bytes) { return file.write(bytes) == bytes.size(); };
  if (texts_.empty()) return put(EncodeFileText(out_));
  const bool fits =
      std::all_of(out_.begin(), out_.end(), [](QChar c) { return InWindows1252(c.unicode()); }) &&
      std::all_of(texts_.begin(), texts_.end(), [](const Piece& p) { return p.text.fitsWindows1252(); });
  if (!fits) {
    // The file goes to UTF-8 as a whole.
    QString whole;
    qsizetype at = 0;
    for (const auto& [place, text, quoted] : texts_) {
      whole += QStringView(out_).mid(at, place - at);
      whole += quoted ? QuotedTextForFile(text.toString()) : text.toString();
      at = place;
    }
    whole += QStringView(out_).mid(at);
    return put(EncodeFileText(whole));
  }
  bool written = true;
  qsizetype at = 0;
  const auto raw = [&file](const char* b, qsizetype k) { return file.write(b, k) == k; };
  for (const Piece& piece : texts_) {
    if (piece.place > at) written = written && put(EncodeWindows1252(out_.mid(at, piece.place - at)));
    piece.text.forEachBlock([&](const char* bytes, qsizetype n) {
      written = written && (piece.quoted ? WriteQuotedBytes(bytes, n, raw) : raw(bytes, n));
    });
    at = piece.place;
  }
  return written && put(EncodeWindows1252(out_.mid(at)));
}

void CloseTogether(const std::vector<SeqFile*>& files) {
  std::vector<QString> temporaries;
  std::vector<QString> copies;
  // Files from `first` on were not replaced: their temporaries and copies go, and they stay noted.
  const auto giveUp = [&](size_t first) {
    for (size_t k = first; k < temporaries.size(); ++k) QFile::remove(temporaries[k]);
    for (size_t k = first; k < copies.size(); ++k) DropDamagedCopy(copies[k]);
    for (SeqFile* f : files) f->detach();
  };
  try {
    for (SeqFile* f : files) {
      if (!f->open_ || f->mode_ != OpenMode::Output) Raise(kErrBadFileMode);
      temporaries.push_back(f->writeTemporary());
    }
    for (SeqFile* f : files) copies.push_back(KeepDamagedCopy(f->path_));
  } catch (const VbError&) {
    giveUp(0);
    throw;
  }
  size_t replaced = 0;
  try {
    for (; replaced < files.size(); ++replaced) {
      files[replaced]->detach();
      files[replaced]->replaceWith(temporaries[replaced]);
    }
  } catch (const VbError&) {
    giveUp(replaced);
    for (size_t k = 0; k < replaced; ++k) TellDamagedCopy(files[k]->path_, copies[k]);
    throw;
  }
  for (size_t k = 0; k < files.size(); ++k) TellDamagedCopy(files[k]->path_, copies[k]);
}

void CloseAllFiles() {
  const std::vector<SeqFile*> files = OpenFiles();
  for (SeqFile* f : files) {
    try {
      f->close();
    } catch (const VbError&) {
      // A file that cannot be written at this point is given up, as closing never fails.
    }
  }
}

void SeqFile::requireMode(OpenMode mode) const {
  if (!open_) Raise(kErrBadFileName);
  const bool reading = mode == OpenMode::Input;
  if (reading != (mode_ == OpenMode::Input)) Raise(kErrBadFileMode);
}

bool SeqFile::eof() const {
  requireMode(OpenMode::Input);
  return pos_ >= text_.size();
}

SeqFile::Field SeqFile::nextField() {
  requireMode(OpenMode::Input);
  if (pos_ >= text_.size()) Raise(kErrInputPastEnd);
  const qsizetype n = text_.size();
  while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
  Field field;
  if (pos_ < n && text_[pos_] == QLatin1Char('"')) {
    field.quoted = true;
    const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
    const qsizetype end = close < 0 ? n : close;
    field.text = text_.mid(pos_ + 1, end - pos_ - 1);
    pos_ = close < 0 ? n : close + 1;
    while (pos_ < n && text_[pos_] != QLatin1Char(',') && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const qsizetype start = pos_;
    while (pos_ < n && text_[pos_] != QLatin1Char(',') && !IsLineEnd(text_[pos_])) ++pos_;
    qsizetype end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    field.text = text_.mid(start, end - start);
  }
  if (pos_ < n && text_[pos_] == QLatin1Char(',')) {
    ++pos_;
  } else if (pos_ < n && text_[pos_] == QLatin1Char('\r')) {
    ++pos_;
    if (pos_ < n && text_[pos_] == QLatin1Char('\n')) ++pos_;
  } else if (pos_ < n && text_[pos_] == QLatin1Char('\n')) {
    ++pos_;
  }
  return field;
}

QString SeqFile::inputString() {
  return nextField().text;
}

QString SeqFile::inputValueText() {
  const Field field = nextField();
  return field.quoted ? QLatin1Char('"') + field.text + QLatin1Char('"') : field.text;
}

Double SeqFile::inputDouble() {
  double value = 0;
  if (!ParseNumberField(nextField().text, value)) Raise(kErrTypeMismatch);
  return value;
}

Integer SeqFile::inputInteger() {
  return CInt(inputDouble());
}
Long SeqFile::inputLong() {
  return CLng(inputDouble());
}
Single SeqFile::inputSingle() {
  return CSng(inputDouble());
}

Boolean SeqFile::inputBoolean() {
  const QString text = nextField().text.trimmed();
  if (text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) return false;
  double value = 0;
  if (ParseNumberField(text, value)) return value != 0;
  return Variant(text).toBoolean();
}

QString SeqFile::lineInput() {
  requireMode(OpenMode::Input);
  const qsizetype n = text_.size();
  if (pos_ >= n) Raise(kErrInputPastEnd);
  const qsizetype start = pos_;
  while (pos_ < n && !IsLineEnd(text_[pos_])) ++pos_;
  const QString line = text_.mid(start, pos_ - start);
  if (pos_ < n && text_[pos_] == QLatin1Char('\r')) ++pos_;
  if (pos_ < n && text_[pos_] == QLatin1Char('\n')) ++pos_;
  return line;
}

QString WriteValueText(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
      return QString();
    case Variant::Type::Integer:
      return FileNumberText(*value.get_if<Integer>());
    case Variant::Type::Long:
      return FileNumberText(*value.get_if<Long>());
    case Variant::Type::Single:
      return FileNumberText(*value.get_if<Single>());
    case Variant::Type::Double:
      return FileNumberText(*value.get_if<Double>());
    case Variant::Type::Boolean:
      return *value.get_if<Boolean>() ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    case Variant::Type::String:
      return QLatin1Char('"') + QuotedTextForFile(*value.get_if<QString>()) + QLatin1Char('"');
    case Variant::Type::Object:
      break;
  }
  Raise(kErrTypeMismatch);
}

void AppendWriteLine(QString& text, std::initializer_list<Variant> values) {
  bool first = true;
  for (const Variant& v : values) {
    if (!first) text += QLatin1Char(',');
    text += WriteValueText(v);
    first = false;
  }
  text += QLatin1String("\r\n");
}

void SeqFile::write(std::initializer_list<Variant> values) {
  if (!open_) Raise(kErrBadFileName);
  if (mode_ == OpenMode::Input) Raise(kErrBadFileMode);
  AppendWriteLine(out_, values);
}

void SeqFile::write(const TextBuffer& text) {
  if (!open_) Raise(kErrBadFileName);
  if (mode_ == OpenMode::Input) Raise(kErrBadFileMode);
  out_ += QLatin1Char('"');
  texts_.push_back({out_.size(), text, true});
  out_ += QLatin1String("\"\r\n");
}

void SeqFile::write(const TextBuffer& text, TextValueStream& stream) {
  const bool alone = mode_ == OpenMode::Output && out_.isEmpty() && texts_.empty();
  write(text);
  // The stream's thread ends here in any case, before the close may write the temporary itself.
  const QString temporary = stream.finish(text);
  if (alone && !temporary.isEmpty() && temporary == TemporaryPath(path_)) {
    streamed_ = temporary;
  } else if (!temporary.isEmpty()) {
    QFile::remove(temporary);
  }
}

void SeqFile::print(const QString& text, bool newLine) {
  if (!open_) Raise(kErrBadFileName);
  if (mode_ == OpenMode::Input) Raise(kErrBadFileMode);
  out_ += text;
  if (newLine) out_ += QLatin1String("\r\n");
}

void SeqFile::print(const TextBuffer& text) {
  if (!open_) Raise(kErrBadFileName);
  if (mode_ == OpenMode::Input) Raise(kErrBadFileMode);
  texts_.push_back({out_.size(), text, false});
}

}  // namespace tavo

namespace tavo {

// ---- a text value written ahead ----

namespace {
// The removal of the last stream's second name of the file it replaced, while it goes on.
std::future<void>& PendingRemoval() {
  static std::future<void> removal;
  return removal;
}
}  // namespace

TextValueStream::TextValueStream(const QString& path)
    : path_(ResolvePath(path)), temporary_(TemporaryPath(path_)) {
  // The last stream's removal ends first: it could otherwise take the second name this one gives.
  if (PendingRemoval().valid()) PendingRemoval().get();
  descriptor_ =
      ::open(QFile::encodeName(temporary_).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor_ < 0) {
    // Nothing is written ahead; the file is written whole when it closes, with its own errors.
    temporary_.clear();
    return;
  }
  replaced_ = QFile::encodeName(path_).toStdString();
  second_ = QFile::encodeName(SecondNamePath(path_)).toStdString();
  // On a thread of the program's pool; with none there, the file is written whole when it closes.
  done_ = RunOnSpareThread([this] { writeAhead(); });
}

TextValueStream::~TextValueStream() {
  stop();
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!temporary_.isEmpty()) QFile::remove(temporary_);
  // The old file's last name goes on a thread of the pool: giving back a long file's memory takes long.
  if (!held_.empty()) PendingRemoval() = RunOnSpareThread([held = held_] { ::unlink(held.c_str()); });
}

void TextValueStream::feed(const TextBuffer& text) {
  if (!done_.valid() || broken_) return;
  const qsizetype from = handed_.size();
  if (text.size() < from || (from > 0 && !text.sharesBytesWith(handed_)) || !text.fitsWindows1252()) {
    broken_ = true;
    return;
  }
  if (text.size() == from) return;
  std::vector<std::pair<const char*, qsizetype>> bytes;
  text.forEachBlockIn(from, text.size(), [&bytes](const char* b, qsizetype n) { bytes.emplace_back(b, n); });
  // The room just ahead of the text: what the run writes before the next part is handed over, and no
  // more, so that memory the text may never reach is left alone.
  const qsizetype ahead = 2 * 1024 * 1024;
  std::pair<const char*, qsizetype> room{};
  text.forSpareRoom([&room, ahead](const char* b, qsizetype n) { room = {b, std::min(n, ahead)}; });
  handed_ = text;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    room_ = room;
  }
  wake_.notify_one();
}

QString TextValueStream::finish(const TextBuffer& text) {
  feed(text);
  const bool whole = done_.valid() && !broken_ && handed_.size() == text.size();
  stop();
  bool written = whole && !failed_;
  if (descriptor_ >= 0) {
    written = ::close(descriptor_) == 0 && written;
    descriptor_ = -1;
  }
  handed_ = TextBuffer();
  if (!written) {
    if (!temporary_.isEmpty()) QFile::remove(temporary_);
    temporary_.clear();
  }
  return std::exchange(temporary_, QString());
}

void TextValueStream::stop() {
  if (!done_.valid()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  done_.get();
}

void TextValueStream::writeAhead() {
  const auto put = [this](const char* bytes, qsizetype n) { return WriteAll(descriptor_, bytes, n); };
  bool written = put("\"", 1);
  ReleaseCache(replaced_);
  // The old file keeps a second name until the stream ends, so that the rename that replaces it does
  // not give back its memory on the way; where a file cannot have two names it is given back there.
  held_ = second_;
  ::unlink(held_.c_str());
  if (::link(replaced_.c_str(), held_.c_str()) != 0) held_.clear();
  off_t sent = 0;  // bytes of the temporary on their way to the disk
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || !pending_.empty(); });
    std::vector<std::pair<const char*, qsizetype>> bytes;
    bytes.swap(pending_);
    const auto room = std::exchange(room_, {});
    const bool last = closing_;
    lock.unlock();
    // The room first: the run fills it while the bytes go to the file.
    if (!last && room.second > 0) PrepareRoom(room.first, room.second);
    for (const auto& [b, n] : bytes) written = written && WriteQuotedBytes(b, n, put);
    if (last) written = written && put("\"\r\n", 3);
    // What is written starts on its way to the disk, so that when a later run replaces the file its
    // cache is clean and can be given back early.
    const off_t end = lseek(descriptor_, 0, SEEK_CUR);
    if (end > sent) sync_file_range(descriptor_, sent, end - sent, SYNC_FILE_RANGE_WRITE);
    sent = std::max(sent, end);
    lock.lock();
    failed_ = !written;
    if (last) return;
  }
}

}  // namespace tavo
