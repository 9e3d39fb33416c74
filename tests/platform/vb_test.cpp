#include "platform/vb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ErrorOf;

TEST(NumberText, SingleValues) {
  const struct {
    Single value;
    const char* report;
    const char* plain;
    const char* file;
  } cases[] = {
      {0.25f, " .25", "0.25", ".25"},
      {-0.75f, "-.75", "-0.75", "-.75"},
      {0.00001f, " 1E-05", "1E-05", "1E-05"},
      {0.0001f, " .0001", "0.0001", ".0001"},
      {12345678.0f, " 1.234568E+07", "1.234568E+07", "1.234568E+07"},
      {1234567.0f, " 1234567", "1234567", "1234567"},
      {0.0f, " 0", "0", "0"},
      {-0.0f, " 0", "0", "0"},
      {100.0f, " 100", "100", "100"},
      {12.5f, " 12.5", "12.5", "12.5"},
      {0.1f, " .1", "0.1", ".1"},
      {1.0f / 3.0f, " .3333333", "0.3333333", ".3333333"},
      {-3.0f, "-3", "-3", "-3"},
      {9999999.5f, " 1E+07", "1E+07", "1E+07"},
      {1.5e-10f, " 1.5E-10", "1.5E-10", "1.5E-10"},
      {3.4e38f, " 3.4E+38", "3.4E+38", "3.4E+38"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_EQ(NumberText(c.value), QString::fromLatin1(c.report));
    EXPECT_EQ(PlainNumberText(c.value), QString::fromLatin1(c.plain));
    EXPECT_EQ(FileNumberText(c.value), QString::fromLatin1(c.file));
  }
}

TEST(NumberText, DoubleAndWholeValues) {
  EXPECT_EQ(NumberText(12345678.0), " 12345678");
  EXPECT_EQ(NumberText(0.1), " .1");
  EXPECT_EQ(NumberText(1.0 / 3.0), " .333333333333333");
  EXPECT_EQ(NumberText(1e15), " 1E+15");
  EXPECT_EQ(NumberText(123456789012345.0), " 123456789012345");
  EXPECT_EQ(NumberText(Long(12345678)), " 12345678");
  EXPECT_EQ(NumberText(Integer(-32768)), "-32768");
  EXPECT_EQ(NumberText(Integer(7)), " 7");
  EXPECT_EQ(PlainNumberText(Integer(7)), "7");
  EXPECT_EQ(NumberText(Variant()), "");
  EXPECT_EQ(NumberText(Variant(Single(0.5f))), " .5");
  EXPECT_EQ(NumberText(Variant(0.5)), " .5");
}

TEST(Rounding, HalvesGoToEven) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(2.51), 3);
  EXPECT_EQ(CLng(1e6 + 0.5), 1000000);
  EXPECT_EQ(Round(0.125, 2), 0.12);
  EXPECT_EQ(Round(0.375, 2), 0.38);
  EXPECT_EQ(Round(12.5), 12);
  EXPECT_EQ(Int(-1.5), -2);
  EXPECT_EQ(Int(1.9), 1);
  EXPECT_EQ(Fix(-1.5), -1);
  // Rounded to 2 decimals and kept in Single, as the reports write it.
  EXPECT_EQ(NumberText(Single(Round(0.125f, 2))), " .12");
  EXPECT_EQ(NumberText(Single(Round(0.375f, 2))), " .38");
}

TEST(Rounding, OverflowAndDivision) {
  EXPECT_EQ(ErrorOf([] { CInt(32767.5); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt(-32768.5); }), 0);
  EXPECT_EQ(ErrorOf([] { CInt(-32769); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CLng(3e9); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CSng(1e39); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt(std::numeric_limits<double>::quiet_NaN()); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CheckInteger(30000LL + 3000); }), kErrOverflow);
  EXPECT_EQ(CheckInteger(-32768), -32768);
  EXPECT_EQ(ErrorOf([] { Div(1, 0); }), kErrDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Div(0, 0); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { DivS(2.0f, 0.0f); }), kErrDivisionByZero);
  EXPECT_EQ(ErrorOf([] { DivS(3e38f, 1e-10f); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { IntDiv(5, 0); }), kErrDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Mod(5, 0); }), kErrDivisionByZero);
  EXPECT_EQ(Div(1, 4), 0.25);
}

TEST(Val, LeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12,5", 12},   {"abc", 0},       {"", 0},       {"  3.25xyz", 3.25}, {"-.5", -0.5},     {"+7", 7},
      {"1 2 3", 123}, {"1\t2\n3", 123}, {"1e3", 1000}, {"2D2", 200},        {"1.5E-2", 0.015}, {"1e", 1},
      {"1.2.3", 1.2}, {".", 0},         {"- 4", -4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value);
  }
  EXPECT_EQ(ErrorOf([] { Val(QStringLiteral("1e400")); }), kErrOverflow);
}

TEST(IsNumeric, WholeTextMustBeANumber) {
  for (const char* yes : {"12", " 12.5 ", "-3", "+.5", "1e5", "1,000", "2,5", "1.5D-3"}) {
    EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
  }
  for (const char* no : {"", " ", "abc", "12a", "1e", ".", ",5", "1.2.3", "--1"}) {
    EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
  }
}

TEST(IsDecimalNumber, OnlyDigitsWithOnePoint) {
  for (const char* yes : {"12", " 12.5 ", "12.", ".5", "-3", "+0"}) {
    EXPECT_TRUE(IsDecimalNumber(QString::fromLatin1(yes))) << yes;
  }
  for (const char* no : {"", ".", "-", "1,5", "1e5", "12.5.", "1 2", "a1", "1\b"}) {
    EXPECT_FALSE(IsDecimalNumber(QString::fromLatin1(no))) << no;
  }
}

TEST(Variant, ConversionsAsAssignmentsMakeThem) {
  EXPECT_EQ(Variant(QStringLiteral("12.5")).toSingle(), 12.5f);
  EXPECT_EQ(Variant(QStringLiteral("2.5")).toInteger(), 2);
  EXPECT_EQ(Variant().toDouble(), 0);
  EXPECT_EQ(Variant(true).toInteger(), -1);
  EXPECT_EQ(Variant(Single(0.5f)).toString(), "0.5");
  EXPECT_EQ(Variant(QStringLiteral("True")).toBoolean(), true);
  EXPECT_EQ(Variant(Integer(0)).toBoolean(), false);
  EXPECT_EQ(ErrorOf([] { Variant(QStringLiteral("abc")).toSingle(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant(QStringLiteral("40000")).toInteger(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(1e40).toSingle(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(Single(1)).toObject(); }), kErrTypeMismatch);
}

TEST(TextFunctions, RuntimeChecks) {
  EXPECT_EQ(Left(QStringLiteral("abc"), 5), "abc");
  EXPECT_EQ(Right(QStringLiteral("abc"), 2), "bc");
  EXPECT_EQ(Mid(QStringLiteral("abcdef"), 2, 3), "bcd");
  EXPECT_EQ(Mid(QStringLiteral("abc"), 5), "");
  EXPECT_EQ(Trim(QStringLiteral("  a b \t ")), "a b \t");
  EXPECT_EQ(ErrorOf([] { Left(QStringLiteral("abc"), -1); }), kErrInvalidCall);
  EXPECT_EQ(ErrorOf([] { Mid(QStringLiteral("abc"), 0, 1); }), kErrInvalidCall);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// The number text of a Single as the C library's exact conversion to 7 digits gives it.
QString ReferenceText(float v) {
  if (v == 0) return QStringLiteral(" 0");
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6e", std::fabs(static_cast<double>(v)));
  std::string text(buf);
  const auto e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits;
  for (size_t i = 0; i < e; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string body;
  if (exponent < -4 || exponent >= 7) {
    body = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    body += exp;
  } else if (exponent >= 0) {
    std::string whole = digits.substr(0, std::min<size_t>(digits.size(), exponent + 1));
    whole.append(exponent + 1 - whole.size(), '0');
    body =
        whole + (digits.size() > static_cast<size_t>(exponent + 1) ? "." + digits.substr(exponent + 1) : "");
  } else {
    body = "." + std::string(-exponent - 1, '0') + digits;
  }
  return QString::fromStdString((v < 0 ? "-" : " ") + body);
}

TEST(NumberText, SingleTextAgreesWithTheExactConversion) {
  std::vector<float> values;
  for (float p = 1e-5f; p < 1e19f; p *= 10) {
    float below = p, above = p;
    for (int i = 0; i < 50; ++i) {
      below = std::nextafter(below, 0.0f);
      above = std::nextafter(above, 1e30f);
      values.push_back(below);
      values.push_back(above);
    }
  }
  for (int cents = 0; cents < 200000; ++cents) values.push_back(static_cast<float>(Round(cents / 100.0, 2)));
  for (double x = 0.5; x < 1e7; x *= 3.1) values.push_back(static_cast<float>(x + 0.5));
  uint32_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525u + 1013904223u;
    const uint32_t bits = (state & 0x807FFFFFu) | (((state >> 23) % 75u + 105u) << 23);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
  }
  for (float v : values) {
    const QString report = ReferenceText(v);
    ASSERT_EQ(NumberText(v), report) << v;
    // The data files' form drops the blank; the boxes' form also puts a 0 before the point.
    const QString file = v < 0 ? report : report.mid(1);
    ASSERT_EQ(FileNumberText(v), file) << v;
    const qsizetype point = v < 0 ? 1 : 0;
    ASSERT_EQ(PlainNumberText(v), file.mid(point, 1) == QStringLiteral(".")
                                      ? QString(file).insert(point, QLatin1Char('0'))
                                      : file)
        << v;
  }
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST(Rounding, HalfEvenAgreesWithTheLibrary) {
  const double values[] = {0.5,
                           1.5,
                           2.5,
                           -0.5,
                           -1.5,
                           -2.5,
                           0.49999999999999994,
                           4503599627370495.5,
                           4503599627370497.0,
                           1e300,
                           -1e300,
                           123456.5,
                           -0.0,
                           0.0,
                           7.5e-300};
  for (double v : values) EXPECT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  uint32_t state = 99;
  for (int i = 0; i < 100000; ++i) {
    state = state * 1664525u + 1013904223u;
    const double v = (static_cast<double>(state) - 2147483648.0) / 64.0;
    ASSERT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  }
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

}  // namespace
}  // namespace tavo
