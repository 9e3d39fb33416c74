// A long text kept as the bytes its file holds: one Windows-1252 byte a character, appended in blocks
// that never move, so that growing it never copies what it already holds, and written to its file as it
// is. Copies share the bytes: a copy sees the text as it was when copied, however the original grows.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavo {

class TextBuffer {
 public:
  TextBuffer() = default;
  TextBuffer(const TextBuffer&) = default;
  TextBuffer& operator=(const TextBuffer&) = default;
  explicit TextBuffer(const QString& text) { *this += text; }
  TextBuffer& operator=(const QString& text);

  // Characters (as many as the file's bytes).
  qsizetype size() const { return length_; }
  bool isEmpty() const { return length_ == 0; }
  // Empties the text; its memory is kept for the next text when no copy shares it.
  void clear();
  // Becomes the text of `other`, in the memory it already holds when it can.
  void assign(const TextBuffer& other);

  TextBuffer& operator+=(const QString& text);
  TextBuffer& operator+=(QLatin1Char c) { return *this += QString(c); }
  TextBuffer& operator+=(const TextBuffer& text);
  // Appends n characters given as their bytes; only characters that are their own byte (ASCII).
  void appendAscii(const char* chars, qsizetype n);

  // Room for `room` bytes at the end, to be written in place; commitTail(end) keeps the bytes up to
  // `end`. Nothing written is kept without it.
  char* reserveTail(qsizetype room);
  void commitTail(const char* end);

  // The whole text, or `n` characters from position `from`. A long text converts slowly: the report
  // window converts only what its box shows.
  QString toString() const { return mid(0, length_); }
  operator QString() const { return toString(); }
  QString mid(qsizetype from, qsizetype n) const;
  // True when the code page holds every character, so that the bytes are the file's.
  bool fitsWindows1252() const;
  // True when the text begins with `prefix`.
  bool startsWith(const TextBuffer& prefix) const;

  // The same questions as of a QString, over the whole text.
  bool startsWith(const QString& s) const { return toString().startsWith(s); }
  bool endsWith(const QString& s) const { return toString().endsWith(s); }
  bool contains(const QString& s) const { return toString().contains(s); }
  qsizetype indexOf(const QString& s) const { return toString().indexOf(s); }
  QStringList split(const QString& separator) const { return toString().split(separator); }
  QByteArray toLatin1() const { return toString().toLatin1(); }
  std::string toStdString() const { return toString().toStdString(); }

  // Calls f(bytes, count) for the file's bytes, block by block, in order.
  template <class F>
  void forEachBlock(F f) const {
    forEachBlockIn(0, length_, f);
  }
  // The same for the bytes from position `from` up to `to`. Bytes stay where they are while the text
  // grows, and a copy's bytes never change: while a copy is held, another thread may read them.
  template <class F>
  void forEachBlockIn(qsizetype from, qsizetype to, F f) const {
    to = std::min(to, length_);
    qsizetype start = 0;  // position of the block's first byte
    for (size_t i = 0; from < to; ++i) {
      const Block& b = store_->blocks[i];
      if (from < start + b.used) {
        const qsizetype n = std::min(start + b.used, to) - from;
        f(b.bytes.get() + (from - start), n);
        from += n;
      }
      start += b.used;
    }
  }
  // Calls f(bytes, count) for the room after the text in its block, where the text grows next when it
  // is the end of its bytes; the room holds nothing yet. Its memory may be touched ahead of the text.
  template <class F>
  void forSpareRoom(F f) const {
    if (!store_ || store_->blocks.empty() || length_ != store_->size) return;
    const Block& b = store_->blocks[store_->current];
    if (b.capacity > b.used) f(b.bytes.get() + b.used, b.capacity - b.used);
  }
  // True when both are views of the same bytes: one is a copy of the other, or grew from it.
  bool sharesBytesWith(const TextBuffer& other) const { return store_ && store_ == other.store_; }

  friend bool operator==(const TextBuffer& a, const QString& b);
  friend bool operator==(const TextBuffer& a, const TextBuffer& b) {
    return a.size() == b.size() && a.startsWith(b);
  }

 private:
  struct Free {
    void operator()(char* p) const;
  };
  struct Block {
    std::unique_ptr<char, Free> bytes;
    qsizetype capacity = 0;
    qsizetype used = 0;
  };
  struct Store {
    std::vector<Block> blocks;  // filled in order; the blocks after the one in use wait empty
    size_t current = 0;         // the block being filled
    qsizetype size = 0;         // bytes written
    // The characters the code page lacks, by position: the file holds "?" for each.
    std::vector<std::pair<qsizetype, char16_t>> others;
  };

  // Makes the end of this text the end of its store, so that appending to it changes no copy.
  void prepareAppend();
  void truncateStore();
  void appendChars(const QChar* chars, qsizetype n);
  Block& roomFor(qsizetype n);

  std::shared_ptr<Store> store_;
  qsizetype length_ = 0;
};

}  // namespace tavo
