#include "platform/textbuffer.h"

#include "platform/seqfile.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class TextBufferTest : public test::TavoTest {};

// Characters of the code page, characters it lacks (a sign, a control it leaves undefined is kept, a
// pair of surrogates) and a double quote.
const QString kMixed = QStringLiteral("Río Ñuble € \"x\" ≥ 3 \u0081 😀 fin\r\n");

// A long text of rows with the mixed characters now and then, longer than several blocks.
QString LongText() {
  QString t;
  for (int i = 0; i < 30000; ++i) {
    t += QStringLiteral("%1 fila de la tabla  ").arg(i);
    if (i % 997 == 0) t += kMixed;
    t += QStringLiteral("\r\n");
  }
  return t;
}

TEST_F(TextBufferTest, KeepsEveryCharacterAndWritesTheFilesBytes) {
  const QString text = LongText();
  TextBuffer buffer;
  // In pieces of every kind: texts, ASCII bytes and rows written in place.
  buffer += text.left(1000);
  buffer.appendAscii(text.toLatin1().constData() + 1000, 500);
  char* p = buffer.reserveTail(300);
  for (int i = 0; i < 300; ++i) *p++ = static_cast<char>(text[1500 + i].unicode());
  buffer.commitTail(p);
  buffer += text.mid(1800);
  ASSERT_EQ(buffer.size(), text.size());
  EXPECT_TRUE(buffer == text);
  for (const auto& [from, n] : std::vector<std::pair<qsizetype, qsizetype>>{
           {0, 10}, {16380, 10}, {49100, 20000}, {text.size() - 5, 100}, {text.size(), 3}}) {
    EXPECT_EQ(buffer.mid(from, n), text.mid(from, n)) << from;
  }
}

// The file holds what the same text written as a text holds: its double quotes as single ones, in the
// code page when it holds every character of the file, in UTF-8 otherwise.
TEST_F(TextBufferTest, TheFileHoldsWhatTheTextWrittenWholeHolds) {
  const QString mixed = LongText();
  QString plain = mixed;
  plain.remove(QStringLiteral("≥")).remove(QStringLiteral("😀"));
  for (const QString& text : {plain, mixed}) {
    SeqFile como(QStringLiteral("como_texto.txt"), OpenMode::Output);
    como.print(QStringLiteral("antes"));
    como.write({text});
    como.print(QStringLiteral("después"));
    como.close();
    SeqFile bytes(QStringLiteral("como_bytes.txt"), OpenMode::Output);
    bytes.print(QStringLiteral("antes"));
    bytes.write(TextBuffer(text));
    bytes.print(QStringLiteral("después"));
    bytes.close();
    EXPECT_EQ(test::ReadBytes(path("como_bytes.txt")), test::ReadBytes(path("como_texto.txt")));
  }
  EXPECT_TRUE(test::ReadBytes(path("como_bytes.txt")).contains("\xF0\x9F\x98\x80"));  // the last in UTF-8
}

TEST_F(TextBufferTest, ACopyKeepsItsTextWhateverTheOriginalDoes) {
  TextBuffer report(QStringLiteral("cabecera\r\n"));
  report += LongText();
  const QString first = report.toString();
  TextBuffer window = report;  // shares the bytes

  report += kMixed;  // grows past the copy's end
  EXPECT_TRUE(window == first);
  EXPECT_TRUE(report.startsWith(window));

  // The copy grows from its own end: the original keeps what it had.
  window += QStringLiteral("escrito en la ventana ≤");
  EXPECT_TRUE(report == first + kMixed);
  EXPECT_TRUE(window == first + QStringLiteral("escrito en la ventana ≤"));
  EXPECT_FALSE(report.startsWith(window));

  // Emptied and written again, the original leaves the copy as it was.
  window = report;
  report.clear();
  report += QStringLiteral("otra corrida");
  EXPECT_TRUE(window == first + kMixed);
  EXPECT_TRUE(report == QStringLiteral("otra corrida"));

  // Taking a copy's text back and writing on from there leaves the copy alone.
  report.assign(window);
  report += QStringLiteral(" más");
  window += QStringLiteral("!");
  EXPECT_TRUE(window == first + kMixed + QStringLiteral("!"));
  EXPECT_TRUE(report == first + kMixed + QStringLiteral(" más"));
}

TEST_F(TextBufferTest, TextsThatDifferOnlyInCharactersTheCodePageLacks) {
  // Both are "?" in the file, yet the texts differ.
  EXPECT_FALSE(TextBuffer(QStringLiteral("a ≥ b")) == TextBuffer(QStringLiteral("a ≤ b")));
  EXPECT_FALSE(TextBuffer(QStringLiteral("a ≥ b c")).startsWith(TextBuffer(QStringLiteral("a ≤ b"))));
  EXPECT_TRUE(TextBuffer(QStringLiteral("a ≥ b c")).startsWith(TextBuffer(QStringLiteral("a ≥ b"))));
  EXPECT_FALSE(TextBuffer(QStringLiteral("a ? b")) == TextBuffer(QStringLiteral("a ≥ b")));
}

}  // namespace
}  // namespace tavo
