#include "engine/informe.h"

#include <functional>
#include <vector>

#include "platform/errors.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class InformeTest : public test::TavoTest {};

using test::ErrorOf;

// A row keeps to its room, in the report's memory and in the caller's: what fits exactly is kept
// whole; a piece that would go beyond raises error 9.
TEST_F(InformeTest, ReportRowKeepsToItsRoom) {
  struct Case {
    const char* what;
    qsizetype room;
    std::function<void(ReportRow&)> write;
    QString row;  // empty: error 9
  };
  const Case cases[] = {
      {"ascii", 6, [](ReportRow& r) { r.text("abcdef"); }, "abcdef"},
      {"ascii", 5, [](ReportRow& r) { r.text("abcdef"); }, ""},
      {"blanks", 40, [](ReportRow& r) { r.text("x").blanks(39); }, "x" + QString(39, ' ')},
      {"blanks", 39, [](ReportRow& r) { r.text("x").blanks(39); }, ""},
      {"padded number", 10, [](ReportRow& r) { r.number(Single(1.5f), 10); }, " 1.5      "},
      {"padded number", 9, [](ReportRow& r) { r.number(Single(1.5f), 10); }, ""},
      {"number", 2, [](ReportRow& r) { r.number(Integer(123)); }, ""},
      {"right-aligned", 5, [](ReportRow& r) { r.right(Integer(7), 5); }, "    7"},
      {"right-aligned", 4, [](ReportRow& r) { r.right(Integer(7), 5); }, ""},
      {"text", 8, [](ReportRow& r) { r.text(QStringLiteral("u-Alto"), 8); }, "  u-Alto"},
      {"text", 7, [](ReportRow& r) { r.text(QStringLiteral("u-Alto"), 8); }, ""},
      {"copy", 3, [](ReportRow& r) { r.ascii("abcd", 4); }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " in " + std::to_string(c.room));
    TextBuffer text;
    QString written;
    const int error = ErrorOf([&] {
      ReportRow row(text, c.room);
      c.write(row);
      row.end();
    });
    std::vector<char> room(static_cast<size_t>(c.room + ReportRow::kMargin));
    const int errorApart = ErrorOf([&] {
      ReportRow row(room.data(), c.room);
      c.write(row);
      written = QString::fromLatin1(room.data(), row.here() - room.data());
    });
    if (c.row.isEmpty()) {
      EXPECT_EQ(error, kErrSubscript);
      EXPECT_EQ(errorApart, kErrSubscript);
      EXPECT_EQ(text.toString(), QString());
    } else {
      EXPECT_EQ(error, 0);
      EXPECT_EQ(errorApart, 0);
      EXPECT_EQ(text.toString(), c.row);
      EXPECT_EQ(written, c.row);
    }
  }
}

// A text the code page's single bytes cannot show goes into the report as a text and uses none of
// the row's room.
TEST_F(InformeTest, ReportRowTakesANonAsciiNameWhole) {
  TextBuffer text;
  ReportRow row(text, 6);
  row.text("ab").text(QStringLiteral("Ñandú del río"), 4).text("cd").end();
  EXPECT_EQ(text.toString(), QStringLiteral("abÑandú del ríocd"));
}

}  // namespace
}  // namespace tavo
