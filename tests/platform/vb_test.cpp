#include "platform/vb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "platform/errors.h"

namespace tavo {
namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const VbError& e) {
    return e.number;
  }
  return 0;
}

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

// The report text of a Single from the C library's rounding to 7 significant digits.
QString ReferenceText(float v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.6e", std::fabs(static_cast<double>(v)));
  std::string digits;
  for (const char* c = buf; *c != 'e'; ++c) {
    if (*c != '.') digits += *c;
  }
  const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string body;
  if (exponent < -4 || exponent >= 7) {
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    body = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + e;
  } else if (exponent >= 0) {
    const size_t whole = exponent + 1;
    body = digits.substr(0, std::min(digits.size(), whole)) +
           std::string(whole - std::min(digits.size(), whole), '0');
    if (digits.size() > whole) body += "." + digits.substr(whole);
  } else {
    body = "." + std::string(-exponent - 1, '0') + digits;
  }
  return QString::fromLatin1((v < 0 ? "-" : " ") + body);
}

TEST(NumberText, SingleValuesRoundHalfToEvenOnTheirExactValue) {
  // Exact halves between two 7-digit texts, values next to powers of ten, and values of every size.
  std::vector<float> values{1234567.5f,   1234568.5f, 0.5f,        8388609.0f,  9999999.0f,  10000001.0f,
                            999999.94f,   1.0000001f, 0.99999994f, 1e-5f,       0.99999e-5f, 1e9f,
                            999999940.0f, 0.1f,       0.3f,        16777215.0f, 2.5e-5f,     123.456789f};
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t bits = random();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v) && v != 0) values.push_back(v);
  }
  std::uniform_real_distribution<float> everyday(0, 100000);
  for (int i = 0; i < 20000; ++i) values.push_back(everyday(random));
  for (float v : values) {
    ASSERT_EQ(NumberText(v), ReferenceText(v)) << v;
    char16_t chars[48];
    ASSERT_EQ(QStringView(chars, NumberTextChars(v, chars)), ReferenceText(v));
  }
  char16_t chars[48];
  EXPECT_EQ(QStringView(chars, NumberTextChars(Integer(-32768), chars)), u"-32768");
  EXPECT_EQ(QStringView(chars, NumberTextChars(Integer(7), chars)), u" 7");
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
