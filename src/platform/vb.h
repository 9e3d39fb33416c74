// Basic types and conversions of the program: the numeric types its data use, rounding, checked
// arithmetic, the number texts of reports, boxes and data files, and the leading-number reading.
#pragma once

#include <QString>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <memory>
#include <variant>

#include "platform/errors.h"

namespace tavo {

using Single = float;
using Integer = std::int16_t;
using Long = std::int32_t;
using Double = double;
using Boolean = bool;

class Registro;
using ObjectRef = std::shared_ptr<Registro>;

// A value that may be empty, a number of one of the program's types, a logical value, a text or an
// object reference. Empty counts as 0 in arithmetic and as the empty text in a report.
class Variant {
 public:
  enum class Type { Empty, Integer, Long, Single, Double, Boolean, String, Object };

  Variant() = default;
  Variant(Integer v) : v_(v) {}
  Variant(Long v) : v_(v) {}
  Variant(Single v) : v_(v) {}
  Variant(Double v) : v_(v) {}
  Variant(Boolean v) : v_(v) {}
  Variant(const QString& v) : v_(v) {}
  Variant(const char* v) : v_(QString::fromUtf8(v)) {}
  Variant(ObjectRef v) : v_(std::move(v)) {}

  Type type() const { return static_cast<Type>(v_.index()); }
  bool isEmpty() const { return type() == Type::Empty; }
  bool isNumeric() const;  // Integer, Long, Single or Double

  // Conversions as an assignment to a typed variable makes them: error 13 for a text that is not a
  // number or an object, error 6 for a value that does not fit.
  Double toDouble() const;
  Single toSingle() const;
  Integer toInteger() const;
  Long toLong() const;
  Boolean toBoolean() const;
  QString toString() const;    // numbers as plain number text
  ObjectRef toObject() const;  // error 13 when it holds no object

  bool operator==(const Variant& o) const { return v_ == o.v_; }

  template <class T>
  const T* get_if() const {
    return std::get_if<T>(&v_);
  }

 private:
  std::variant<std::monostate, Integer, Long, Single, Double, Boolean, QString, ObjectRef> v_;
};

// Rounding. Halves go to the even neighbour; out of range raises error 6.
// The nearest whole number, halves to the even one: adding and taking away 2^52 leaves no fraction
// under the default rounding of the arithmetic, without a call into the maths library.
inline double RoundHalfEven(double x) {
  constexpr double kDosA52 = 4503599627370496.0;
  const double a = std::fabs(x);
  if (!(a < kDosA52)) return x;  // already whole (or not a number)
  return std::copysign((a + kDosA52) - kDosA52, x);
}
inline Integer CInt(double x) {
  const double r = RoundHalfEven(x);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(kErrOverflow);
  return static_cast<Integer>(r);
}
inline Long CLng(double x) {
  const double r = RoundHalfEven(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(kErrOverflow);
  return static_cast<Long>(r);
}
inline Single CSng(double x) {
  if (std::isnan(x) || std::fabs(x) > static_cast<double>(FLT_MAX)) Raise(kErrOverflow);
  return static_cast<Single>(x);
}
inline double Round(double x, int decimals = 0) {
  static constexpr double kScales[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (decimals <= 0) return RoundHalfEven(x);
  const double scale = decimals <= 15 ? kScales[decimals] : std::pow(10.0, decimals);
  return RoundHalfEven(x * scale) / scale;
}
inline double Int(double x) {
  return std::floor(x);
}  // whole part, rounding down
inline double Fix(double x) {
  return std::trunc(x);
}
// x rounded to `decimales` (halves to even) and kept in Single, as reports and boxes write it.
inline Single Redondea(Single x, int decimales) {
  return static_cast<Single>(Round(x, decimales));
}
// The whole part of 100·x divided by 100, in Single: x cut down to hundredths.
inline Single Centesimos(Single x) {
  const Single cien = 100.0f * x;
  return static_cast<Single>(Int(cien) / 100);
}

// Checked narrowing of whole-number arithmetic: error 6 when the value does not fit.
inline Integer CheckInteger(long long v) {
  if (v < -32768 || v > 32767) Raise(kErrOverflow);
  return static_cast<Integer>(v);
}
inline Long CheckLong(long long v) {
  if (v < INT32_MIN || v > INT32_MAX) Raise(kErrOverflow);
  return static_cast<Long>(v);
}
// A floating result that overflowed (infinite or not a number) raises error 6.
inline double CheckFinite(double v) {
  if (!std::isfinite(v)) Raise(kErrOverflow);
  return v;
}
inline Single CheckSingle(double v) {
  return CSng(CheckFinite(v));
}

// Division as the program's arithmetic does it: n / 0 raises error 11, 0 / 0 error 6.
inline double Div(double a, double b) {
  if (b == 0) Raise(a == 0 || std::isnan(a) ? kErrOverflow : kErrDivisionByZero);
  return CheckFinite(a / b);
}
inline Single DivS(Single a, Single b) {
  if (b == 0) Raise(a == 0 || std::isnan(a) ? kErrOverflow : kErrDivisionByZero);
  const Single r = a / b;
  if (!std::isfinite(r)) Raise(kErrOverflow);
  return r;
}
// Power as the program's arithmetic does it: a negative base with a fractional exponent raises
// error 5, 0 to a negative power error 11, a result beyond Double error 6.
double Pow(double base, double exponent);
// Whole-number division and remainder: error 11 on a zero divisor.
long long IntDiv(long long a, long long b);
long long Mod(long long a, long long b);

// Number text of reports and captions: a leading blank for zero and positive values, no 0 before
// the point, 7 significant digits for Single and 15 for Double, exponent form outside that range.
QString NumberText(Single v);
QString NumberText(Double v);
QString NumberText(Integer v);
QString NumberText(Long v);
QString NumberText(const Variant& v);  // empty gives the empty text, a text itself
// The number text of a Single written into `out` (room for 32 characters); returns its length.
int NumberTextChars(Single v, char* out);

// Plain number text of boxes and grids: no leading blank, a 0 before the point ("0.5").
QString PlainNumberText(Single v);
QString PlainNumberText(Double v);
QString PlainNumberText(Integer v);
QString PlainNumberText(Long v);
// The plain number text of a Single or a Double written into `out` (room for 32 characters); returns
// its length.
int PlainNumberTextChars(Single v, char* out);
int PlainNumberTextChars(Double v, char* out);

// The number form of data files: no leading blank and no 0 before the point (".5", "1E-05").
QString FileNumberText(Single v);
QString FileNumberText(Double v);
QString FileNumberText(Integer v);
QString FileNumberText(Long v);
// The same into `out` (at least 32 characters); returns the length.
int FileNumberTextChars(Single v, char* out);
int FileNumberTextChars(long long v, char* out);

// The leading number of a text: blanks, tabs and line feeds skipped, "." the only decimal separator,
// an optional exponent (E or D); 0 when the text starts with no number ("12,5" gives 12).
double Val(const QString& text);
// The text of a number the user typed, with the comma read as the decimal point: every "," becomes
// "." ("0,5" gives "0.5"). Typed numbers only: in data files the comma separates values.
QString CommaAsPoint(QString text);
// True when the whole text is a number (blanks around it, a sign, "," between digits of the whole
// part, one "." and an exponent allowed).
bool IsNumeric(const QString& text);
// True when the whole text is a decimal number written with "." (blanks around it, one leading sign,
// digits with at most one point, at least one digit): "12", "12.", ".5", "-3". No grouping comma and
// no exponent.
bool IsDecimalNumber(const QString& text);

// Text functions with the runtime's checks (error 5 on a negative length or a start below 1).
QString Left(const QString& s, long long n);
QString Right(const QString& s, long long n);
QString Mid(const QString& s, long long start, long long n = -1);
QString Trim(const QString& s);  // blanks only, as the runtime trims

}  // namespace tavo
