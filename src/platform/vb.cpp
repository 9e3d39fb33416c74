#include "platform/vb.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/errors.h"

namespace tavo {

namespace {

enum class NumberStyle { Report, Plain, File };

// The 7 decimal digits of a Single's |v| between 1E-04 and 1E+07, by whole-number arithmetic: |v| times
// a power of ten up to 1E+10 is exact in Double, so rounding it to a whole number (halves to even)
// rounds the exact value, as the general conversion does. Returns 0 outside that range.
int SingleDigits(double v, char* digits, int& exponent) {
  static constexpr double kPotencias[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
  static constexpr double kEscalas[] = {1e10, 1e9, 1e8, 1e7, 1e6, 1e5, 1e4, 1e3, 1e2, 1e1, 1};
  const double a = std::fabs(v);
  long long m = 0;
  if (a >= 1e7 && a < 1e18) {
    // A Single this large is a whole number: its 7 digits come by whole-number division.
    const auto whole = static_cast<unsigned long long>(a);
    int count = 8;
    unsigned long long scale = 10;  // 10^(count - 7)
    while (count < 19 && whole >= scale * 10000000ULL) ++count, scale *= 10;
    unsigned long long q = whole / scale;
    const unsigned long long r = whole % scale;
    if (r * 2 > scale || (r * 2 == scale && (q & 1))) ++q;
    exponent = count - 1;
    if (q >= 10000000ULL) {
      q /= 10;
      ++exponent;
    }
    m = static_cast<long long>(q);
  } else if (a >= 1e-4 && a < 1e7) {
    // The decimal exponent from the binary one: floor(log2 a) · log10 2, then one step up if needed.
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int log2 = static_cast<int>((bits >> 52) & 0x7FF) - 1023;  // a is a normal number here
    int e = (log2 * 78913) >> 18;
    if (a >= kPotencias[e + 6]) ++e;  // kPotencias[e + 5] <= a < kPotencias[e + 6]
    m = static_cast<long long>(RoundHalfEven(a * kEscalas[e + 4]));
    exponent = e;
    if (m >= 10000000) {
      m /= 10;
      ++exponent;
    }
  } else {
    return 0;
  }
  // Seven digits, two at a time from the right.
  static constexpr char kPares[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  for (int i = 5; i >= 1; i -= 2, m /= 100) {
    const int par = static_cast<int>(m % 100);
    digits[i] = kPares[2 * par];
    digits[i + 1] = kPares[2 * par + 1];
  }
  digits[0] = static_cast<char>('0' + m);
  int n = 7;
  while (n > 1 && digits[n - 1] == '0') --n;
  return n;
}

// Decimal digits of |v| to `significant` digits, without trailing zeros, and its decimal exponent.
int SignificantDigits(double v, int significant, char* digits, int& exponent) {
  if (significant == 7) {
    if (const int n = SingleDigits(v, digits, exponent)) return n;
  }
  char buf[64];
  const auto result =
      std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, significant - 1);
  const char* e = std::find(buf, result.ptr, 'e');
  std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);
  int n = 0;
  for (const char* c = buf; c < e; ++c) {
    if (*c != '.') digits[n++] = *c;
  }
  while (n > 1 && digits[n - 1] == '0') --n;
  return n;
}

// Writes the number text of v into `out` (at least 32 characters) and returns its length.
int FormatNumberChars(double v, int significant, NumberStyle style, char* out) {
  int len = 0;
  if (std::isnan(v)) {
    std::memcpy(out, "NaN", 3);
    return 3;
  }
  if (v < 0) {
    out[len++] = '-';
  } else if (style == NumberStyle::Report) {
    out[len++] = ' ';
  }
  if (v == 0) {
    len = style == NumberStyle::Report ? 1 : 0;
    out[len++] = '0';
    return len;
  }
  if (std::isinf(v)) {
    std::memcpy(out + len, "1.#INF", 6);
    return len + 6;
  }
  char digits[32];
  int exponent = 0;
  const int n = SignificantDigits(v, significant, digits, exponent);
  if (exponent < -4 || exponent >= significant) {
    out[len++] = digits[0];
    if (n > 1) {
      out[len++] = '.';
      for (int i = 1; i < n; ++i) out[len++] = digits[i];
    }
    out[len++] = 'E';
    out[len++] = exponent < 0 ? '-' : '+';
    const int a = std::abs(exponent);
    if (a >= 100) out[len++] = static_cast<char>('0' + a / 100);
    out[len++] = static_cast<char>('0' + a / 10 % 10);
    out[len++] = static_cast<char>('0' + a % 10);
  } else if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) out[len++] = i < n ? digits[i] : '0';
    if (n > exponent + 1) {
      out[len++] = '.';
      for (int i = exponent + 1; i < n; ++i) out[len++] = digits[i];
    }
  } else {
    if (style == NumberStyle::Plain) out[len++] = '0';
    out[len++] = '.';
    for (int i = 0; i < -exponent - 1; ++i) out[len++] = '0';
    for (int i = 0; i < n; ++i) out[len++] = digits[i];
  }
  return len;
}

// The number text of a Single into `out` (at least 32 characters); returns its length. Magnitudes from
// 1E-04 up to 1E+07, the report's usual values, are written here in one pass with the digits of
// SingleDigits and copies of a fixed length; the rest as any number.
int FormatSingleChars(Single v, NumberStyle style, char* out) {
  static constexpr double kPotencias[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
  static constexpr double kEscalas[] = {1e10, 1e9, 1e8, 1e7, 1e6, 1e5, 1e4, 1e3, 1e2, 1e1, 1};
  static constexpr char kPares[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  const double a = std::fabs(static_cast<double>(v));
  if (!(a >= 1e-4 && a < 1e7)) return FormatNumberChars(v, 7, style, out);
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const int log2 = static_cast<int>((bits >> 23) & 0xFF) - 127;  // a normal number here
  int e = (log2 * 78913) >> 18;
  if (a >= kPotencias[e + 6]) ++e;
  auto m = static_cast<unsigned>(RoundHalfEven(a * kEscalas[e + 4]));
  if (m >= 10000000) {
    m /= 10;
    ++e;
  }
  if (e >= 7) return FormatNumberChars(v, 7, style, out);
  // The seven digits, then as many as are not trailing zeros.
  char d[16] = {};
  const unsigned alto = m / 10000;
  const unsigned bajo = m % 10000;
  d[0] = static_cast<char>('0' + alto / 100);
  std::memcpy(d + 1, kPares + 2 * (alto % 100), 2);
  std::memcpy(d + 3, kPares + 2 * (bajo / 100), 2);
  std::memcpy(d + 5, kPares + 2 * (bajo % 100), 2);
  int n = 7;
  while (d[n - 1] == '0') --n;
  char* p = out;
  if (v < 0) {
    *p++ = '-';
  } else if (style == NumberStyle::Report) {
    *p++ = ' ';
  }
  if (e < 0) {
    if (style == NumberStyle::Plain) *p++ = '0';
    *p++ = '.';
    std::memcpy(p, "0000", 4);
    p += -e - 1;
    std::memcpy(p, d, 8);
    return static_cast<int>(p + n - out);
  }
  std::memcpy(p, d, 8);
  if (n <= e + 1) {
    // A whole number: its digits and the zeros up to the point.
    std::memcpy(p + n, "00000000", 8);
    return static_cast<int>(p + e + 1 - out);
  }
  p += e + 1;
  *p++ = '.';
  std::memcpy(p, d + e + 1, 8);
  return static_cast<int>(p + n - e - 1 - out);
}

QString FormatNumber(double v, int significant, NumberStyle style) {
  char out[64];
  return QString::fromLatin1(out, FormatNumberChars(v, significant, style, out));
}

QString FormatSingle(Single v, NumberStyle style) {
  char out[64];
  return QString::fromLatin1(out, FormatSingleChars(v, style, out));
}

QString FormatWhole(long long v, NumberStyle style) {
  QString text = QString::number(v);
  return (v >= 0 && style == NumberStyle::Report) ? QLatin1Char(' ') + text : text;
}

}  // namespace

// ---- Variant ----

bool Variant::isNumeric() const {
  const Type t = type();
  return t == Type::Integer || t == Type::Long || t == Type::Single || t == Type::Double;
}

Double Variant::toDouble() const {
  switch (type()) {
    case Type::Empty:
      return 0;
    case Type::Integer:
      return std::get<Integer>(v_);
    case Type::Long:
      return std::get<Long>(v_);
    case Type::Single:
      return std::get<Single>(v_);
    case Type::Double:
      return std::get<Double>(v_);
    case Type::Boolean:
      return std::get<Boolean>(v_) ? -1 : 0;
    case Type::String: {
      const QString& s = std::get<QString>(v_);
      if (!IsNumeric(s)) Raise(kErrTypeMismatch);
      QString plain = s;
      plain.remove(QLatin1Char(','));
      return Val(plain);
    }
    case Type::Object:
      break;
  }
  Raise(kErrTypeMismatch);
}

Single Variant::toSingle() const {
  return CSng(toDouble());
}
Integer Variant::toInteger() const {
  return CInt(toDouble());
}
Long Variant::toLong() const {
  return CLng(toDouble());
}

Boolean Variant::toBoolean() const {
  if (type() == Type::Boolean) return std::get<Boolean>(v_);
  if (type() == Type::String) {
    const QString s = std::get<QString>(v_).trimmed();
    if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
        s.compare(QLatin1String("Verdadero"), Qt::CaseInsensitive) == 0)
      return true;
    if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
        s.compare(QLatin1String("Falso"), Qt::CaseInsensitive) == 0)
      return false;
  }
  return toDouble() != 0;
}

QString Variant::toString() const {
  switch (type()) {
    case Type::Empty:
      return QString();
    case Type::Integer:
      return PlainNumberText(std::get<Integer>(v_));
    case Type::Long:
      return PlainNumberText(std::get<Long>(v_));
    case Type::Single:
      return PlainNumberText(std::get<Single>(v_));
    case Type::Double:
      return PlainNumberText(std::get<Double>(v_));
    case Type::Boolean:
      return std::get<Boolean>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
      return std::get<QString>(v_);
    case Type::Object:
      break;
  }
  Raise(kErrTypeMismatch);
}

ObjectRef Variant::toObject() const {
  if (type() != Type::Object) Raise(kErrTypeMismatch);
  return std::get<ObjectRef>(v_);
}

// ---- rounding and checked arithmetic ----

double Pow(double base, double exponent) {
  if (base < 0 && exponent != std::floor(exponent)) Raise(kErrInvalidCall);
  if (base == 0 && exponent < 0) Raise(kErrDivisionByZero);
  return CheckFinite(std::pow(base, exponent));
}

long long IntDiv(long long a, long long b) {
  if (b == 0) Raise(kErrDivisionByZero);
  return a / b;
}

long long Mod(long long a, long long b) {
  if (b == 0) Raise(kErrDivisionByZero);
  return a % b;
}

// ---- number texts ----

QString NumberText(Single v) {
  return FormatSingle(v, NumberStyle::Report);
}
int NumberTextChars(Single v, char* out) {
  return FormatSingleChars(v, NumberStyle::Report, out);
}
QString NumberText(Double v) {
  return FormatNumber(v, 15, NumberStyle::Report);
}
QString NumberText(Integer v) {
  return FormatWhole(v, NumberStyle::Report);
}
QString NumberText(Long v) {
  return FormatWhole(v, NumberStyle::Report);
}

QString NumberText(const Variant& v) {
  switch (v.type()) {
    case Variant::Type::Empty:
      return QString();
    case Variant::Type::Integer:
      return NumberText(*v.get_if<Integer>());
    case Variant::Type::Long:
      return NumberText(*v.get_if<Long>());
    case Variant::Type::Single:
      return NumberText(*v.get_if<Single>());
    case Variant::Type::Double:
      return NumberText(*v.get_if<Double>());
    default:
      return v.toString();
  }
}

QString PlainNumberText(Single v) {
  return FormatSingle(v, NumberStyle::Plain);
}
QString PlainNumberText(Double v) {
  return FormatNumber(v, 15, NumberStyle::Plain);
}
QString PlainNumberText(Integer v) {
  return FormatWhole(v, NumberStyle::Plain);
}
int PlainNumberTextChars(Single v, char* out) {
  return FormatSingleChars(v, NumberStyle::Plain, out);
}
int PlainNumberTextChars(Double v, char* out) {
  return FormatNumberChars(v, 15, NumberStyle::Plain, out);
}
QString PlainNumberText(Long v) {
  return FormatWhole(v, NumberStyle::Plain);
}

QString FileNumberText(Single v) {
  return FormatSingle(v, NumberStyle::File);
}
QString FileNumberText(Double v) {
  return FormatNumber(v, 15, NumberStyle::File);
}
QString FileNumberText(Integer v) {
  return FormatWhole(v, NumberStyle::File);
}
QString FileNumberText(Long v) {
  return FormatWhole(v, NumberStyle::File);
}
int FileNumberTextChars(Single v, char* out) {
  return FormatSingleChars(v, NumberStyle::File, out);
}
int FileNumberTextChars(long long v, char* out) {
  return static_cast<int>(std::to_chars(out, out + 32, v).ptr - out);
}

// ---- reading numbers ----

double Val(const QString& text) {
  std::string s;
  for (QChar c : text) {
    if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
      continue;
    s += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?';
  }
  size_t i = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool digits = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number += s[i++], digits = true;
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number += s[i++], digits = true;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    bool expDigits = false;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exp += s[j++], expDigits = true;
    if (expDigits) number += exp;
  }
  return CheckFinite(std::strtod(number.c_str(), nullptr));
}

QString CommaAsPoint(QString text) {
  return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

bool IsNumeric(const QString& text) {
  const QString s = text.trimmed();
  int i = 0;
  const int n = s.size();
  if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
  bool digits = false;
  while (i < n && (s[i].isDigit() || (digits && s[i] == QLatin1Char(',')))) {
    if (s[i].isDigit()) digits = true;
    ++i;
  }
  if (i < n && s[i] == QLatin1Char('.')) {
    ++i;
    while (i < n && s[i].isDigit()) ++i, digits = true;
  }
  if (!digits) return false;
  if (i < n && QStringLiteral("EeDd").contains(s[i])) {
    ++i;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
    if (i >= n || !s[i].isDigit()) return false;
    while (i < n && s[i].isDigit()) ++i;
  }
  return i == n;
}

bool IsDecimalNumber(const QString& text) {
  const QString s = text.trimmed();
  qsizetype i = 0;
  const qsizetype n = s.size();
  if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
  bool digits = false;
  bool point = false;
  for (; i < n; ++i) {
    if (s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
      digits = true;
    } else if (s[i] == QLatin1Char('.') && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// ---- text functions ----

QString Left(const QString& s, long long n) {
  if (n < 0) Raise(kErrInvalidCall);
  return s.left(static_cast<qsizetype>(std::min<long long>(n, s.size())));
}

QString Right(const QString& s, long long n) {
  if (n < 0) Raise(kErrInvalidCall);
  return s.right(static_cast<qsizetype>(std::min<long long>(n, s.size())));
}

QString Mid(const QString& s, long long start, long long n) {
  if (start < 1) Raise(kErrInvalidCall);
  if (start > s.size()) return QString();
  if (n < 0) return s.mid(static_cast<qsizetype>(start - 1));
  return s.mid(static_cast<qsizetype>(start - 1), static_cast<qsizetype>(std::min<long long>(n, s.size())));
}

QString Trim(const QString& s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b] == QLatin1Char(' ')) ++b;
  while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
  return s.mid(b, e - b);
}

}  // namespace tavo
