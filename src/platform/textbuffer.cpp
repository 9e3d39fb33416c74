#include "platform/textbuffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/seqfile.h"

namespace tavo {

namespace {
// Blocks start small, for the short texts, and double up to this size.
constexpr qsizetype kFirstBlock = 16 * 1024;
constexpr qsizetype kLargestBlock = 8 * 1024 * 1024;
// Large blocks are laid on the processor's large pages where the system offers them: a long report then
// costs the system a few hundred times fewer first touches of its memory. A text that outgrows the
// small blocks goes straight on to a large page, so that a long report starts there too.
constexpr qsizetype kLargePage = 2 * 1024 * 1024;
constexpr qsizetype kLargestSmallBlock = 64 * 1024;

char* AllocateBlock(qsizetype capacity) {
  void* p = nullptr;
  if (capacity >= kLargePage) {
    const auto size = static_cast<size_t>((capacity + kLargePage - 1) / kLargePage * kLargePage);
    p = std::aligned_alloc(kLargePage, size);
    if (p) madvise(p, size, MADV_HUGEPAGE);
  } else {
    p = std::malloc(static_cast<size_t>(capacity));
  }
  if (!p) throw std::bad_alloc();
  return static_cast<char*>(p);
}
}  // namespace

void TextBuffer::Free::operator()(char* p) const {
  std::free(p);
}

TextBuffer& TextBuffer::operator=(const QString& text) {
  clear();
  return *this += text;
}

void TextBuffer::clear() {
  if (store_ && store_.use_count() > 1) store_.reset();
  length_ = 0;
  if (store_) truncateStore();
}

void TextBuffer::assign(const TextBuffer& other) {
  if (store_ && store_ == other.store_) {
    length_ = other.length_;
    return;
  }
  clear();
  *this += other;
}

void TextBuffer::prepareAppend() {
  if (!store_) {
    store_ = std::make_shared<Store>();
    return;
  }
  if (length_ == store_->size) return;
  if (store_.use_count() == 1) {
    truncateStore();
    return;
  }
  // Copies hold the bytes after this text's end: this text moves to a store of its own.
  const TextBuffer shared = *this;
  store_ = std::make_shared<Store>();
  length_ = 0;
  *this += shared;
}

void TextBuffer::truncateStore() {
  Store& s = *store_;
  qsizetype left = length_;
  s.current = 0;
  for (size_t i = 0; i < s.blocks.size(); ++i) {
    Block& b = s.blocks[i];
    if (left > 0) s.current = i;
    b.used = std::min(b.used, left);
    left -= b.used;
  }
  s.size = length_;
  while (!s.others.empty() && s.others.back().first >= length_) s.others.pop_back();
}

TextBuffer::Block& TextBuffer::roomFor(qsizetype n) {
  Store& s = *store_;
  while (s.current < s.blocks.size()) {
    Block& b = s.blocks[s.current];
    if (b.capacity - b.used >= n) return b;
    // A block is left behind only when it is full or a piece does not fit in it whole.
    if (s.current + 1 == s.blocks.size()) break;
    ++s.current;
  }
  qsizetype capacity = s.blocks.empty() ? kFirstBlock : std::min(2 * s.blocks.back().capacity, kLargestBlock);
  if (capacity > kLargestSmallBlock) capacity = std::max(capacity, kLargePage);
  capacity = std::max(capacity, n);
  if (!s.blocks.empty()) ++s.current;
  s.blocks.push_back({std::unique_ptr<char, Free>(AllocateBlock(capacity)), capacity, 0});
  return s.blocks.back();
}

char* TextBuffer::reserveTail(qsizetype room) {
  prepareAppend();
  Block& b = roomFor(room);
  return b.bytes.get() + b.used;
}

void TextBuffer::commitTail(const char* end) {
  Block& b = store_->blocks[store_->current];
  const qsizetype n = end - (b.bytes.get() + b.used);
  b.used += n;
  store_->size += n;
  length_ += n;
}

void TextBuffer::appendAscii(const char* chars, qsizetype n) {
  while (n > 0) {
    char* p = reserveTail(1);
    Block& b = store_->blocks[store_->current];
    const qsizetype piece = std::min(n, b.capacity - b.used);
    std::memcpy(p, chars, static_cast<size_t>(piece));
    commitTail(p + piece);
    chars += piece;
    n -= piece;
  }
}

void TextBuffer::appendChars(const QChar* chars, qsizetype n) {
  while (n > 0) {
    char* p = reserveTail(1);
    Block& b = store_->blocks[store_->current];
    const qsizetype piece = std::min(n, b.capacity - b.used);
    for (qsizetype i = 0; i < piece; ++i) {
      const char16_t u = chars[i].unicode();
      if (u < 0x80) {
        p[i] = static_cast<char>(u);
        continue;
      }
      const int byte = Windows1252Byte(u);
      if (byte < 0) store_->others.emplace_back(length_ + i, u);
      p[i] = byte < 0 ? '?' : static_cast<char>(byte);
    }
    commitTail(p + piece);
    chars += piece;
    n -= piece;
  }
}

TextBuffer& TextBuffer::operator+=(const QString& text) {
  if (!text.isEmpty()) appendChars(text.constData(), text.size());
  return *this;
}

TextBuffer& TextBuffer::operator+=(const TextBuffer& text) {
  if (text.isEmpty()) return *this;
  if (&text == this || text.store_ == store_) {
    const TextBuffer copy = text;  // its bytes must stay as they are while this text grows
    TextBuffer own;
    own += copy;
    return *this += own;
  }
  const qsizetype start = length_;
  text.forEachBlock([this](const char* bytes, qsizetype n) { appendAscii(bytes, n); });
  for (const auto& [position, c] : text.store_->others) {
    if (position >= text.length_) break;
    store_->others.emplace_back(start + position, c);
  }
  return *this;
}

QString TextBuffer::mid(qsizetype from, qsizetype n) const {
  from = std::clamp<qsizetype>(from, 0, length_);
  n = std::clamp<qsizetype>(n, 0, length_ - from);
  QString text(n, Qt::Uninitialized);
  if (n == 0) return text;
  QChar* out = text.data();
  qsizetype start = 0;  // position of the block's first byte
  qsizetype left = n;
  for (const Block& b : store_->blocks) {
    if (left == 0) break;
    if (from < start + b.used) {
      const qsizetype at = std::max<qsizetype>(from - start, 0);
      const qsizetype piece = std::min(b.used - at, left);
      const auto* bytes = reinterpret_cast<const unsigned char*>(b.bytes.get()) + at;
      for (qsizetype i = 0; i < piece; ++i) *out++ = QChar(Windows1252Char(bytes[i]));
      left -= piece;
    }
    start += b.used;
  }
  const auto& others = store_->others;
  auto it = std::lower_bound(others.begin(), others.end(), std::pair<qsizetype, char16_t>(from, 0));
  for (; it != others.end() && it->first < from + n; ++it) text[it->first - from] = QChar(it->second);
  return text;
}

bool TextBuffer::fitsWindows1252() const {
  return !store_ || store_->others.empty() || store_->others.front().first >= length_;
}

bool TextBuffer::startsWith(const TextBuffer& prefix) const {
  if (prefix.length_ > length_) return false;
  if (prefix.isEmpty() || prefix.store_ == store_) return true;
  // Byte by byte, then the characters the bytes do not tell apart.
  std::vector<char> mine;
  mine.reserve(static_cast<size_t>(prefix.length_));
  forEachBlock([&](const char* bytes, qsizetype n) {
    const qsizetype take = std::min<qsizetype>(n, prefix.length_ - static_cast<qsizetype>(mine.size()));
    mine.insert(mine.end(), bytes, bytes + take);
  });
  bool same = true;
  qsizetype at = 0;
  prefix.forEachBlock([&](const char* bytes, qsizetype n) {
    same = same && std::memcmp(mine.data() + at, bytes, static_cast<size_t>(n)) == 0;
    at += n;
  });
  if (!same) return false;
  auto inPrefix = [&](const TextBuffer& t) {
    std::vector<std::pair<qsizetype, char16_t>> out;
    for (const auto& o : t.store_->others) {
      if (o.first >= prefix.length_) break;
      out.push_back(o);
    }
    return out;
  };
  return inPrefix(*this) == inPrefix(prefix);
}

bool operator==(const TextBuffer& a, const QString& b) {
  return a.size() == b.size() && a.toString() == b;
}

}  // namespace tavo
