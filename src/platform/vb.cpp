#include "platform/vb.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/errors.h"

namespace tavo {

namespace {

enum class NumberStyle { Report, Plain, File };

// The digits of a single-precision value v > 0 to 7 significant digits, rounded half to even on its
// exact value, as the whole number n (10^6 <= n < 10^7) and the decimal exponent of its first digit.
// Exact integer arithmetic; false outside 1E-05 .. 1E+09, or when v is not a single-precision value.
bool SevenDigits(double v, std::uint32_t& n, int& exponent) {
  if (!(v >= 1e-5 && v < 1e9)) return false;
  const auto single = static_cast<float>(v);
  if (static_cast<double>(single) != v) return false;
  std::uint32_t bits = 0;
  std::memcpy(&bits, &single, sizeof bits);
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint64_t m = (bits & 0x7FFFFF) | 0x800000;
  const int e = biased - 150;  // v = m · 2^e
  static constexpr std::uint64_t kPow10[] = {
      1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000, 100000000000};
  // floor((biased − 127) · log10 2): the decimal exponent of v or one less.
  int decimal = ((biased - 127) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    // q + r/d = v · 10^(6 − decimal), r/d compared with 1/2 for the rounding.
    const int s = 6 - decimal;
    if (s > 11 || s < -11) return false;
    std::uint64_t q = 0;
    int half = -1;  // sign of r/d − 1/2: no remainder unless one is found
    if (s >= 0) {
      const std::uint64_t num = m * kPow10[s];
      if (e >= 0) {
        q = num << e;
      } else {
        const int k = -e;
        q = num >> k;
        const std::uint64_t r = num & ((std::uint64_t{1} << k) - 1);
        const std::uint64_t h = std::uint64_t{1} << (k - 1);
        half = r > h ? 1 : (r == h ? 0 : -1);
      }
    } else {
      if (e < 0) return false;
      const std::uint64_t num = m << e;
      const std::uint64_t d = kPow10[-s];
      q = num / d;
      const std::uint64_t r = num % d;
      half = 2 * r > d ? 1 : (2 * r == d ? 0 : -1);
    }
    if (q >= 10000000) {
      ++decimal;
      continue;
    }
    if (q < 1000000) {
      --decimal;
      continue;
    }
    if (half > 0 || (half == 0 && (q & 1))) ++q;
    if (q == 10000000) {
      q = 1000000;
      ++decimal;
    }
    n = static_cast<std::uint32_t>(q);
    exponent = decimal;
    return true;
  }
  return false;
}

// Decimal digits (no trailing zeros) of |v| to `significant` digits into `digits`, their count returned,
// and the decimal exponent of the first digit.
int SignificantDigits(double v, int significant, char* digits, int& exponent) {
  v = std::fabs(v);
  int count = 0;
  std::uint32_t n = 0;
  if (significant == 7 && SevenDigits(v, n, exponent)) {
    for (int i = 6; i >= 0; --i, n /= 10) digits[i] = static_cast<char>('0' + n % 10);
    count = 7;
  } else {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, significant - 1).ptr;
    const char* e = std::find(text, end, 'e');
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    for (const char* c = text; c < e; ++c) {
      if (*c != '.') digits[count++] = *c;
    }
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  return count;
}

// The number text of v into `out` (room for 48 characters); its length.
template <class Char>
int FormatNumberChars(double v, int significant, NumberStyle style, Char* out) {
  Char* p = out;
  auto put = [&p](const char* text) {
    while (*text) *p++ = *text++;
  };
  if (std::isnan(v)) {
    put("NaN");
    return static_cast<int>(p - out);
  }
  if (v < 0) {
    *p++ = '-';
  } else if (style == NumberStyle::Report) {
    *p++ = ' ';
  }
  if (v == 0) {
    *p++ = '0';
    return static_cast<int>(p - out);
  }
  if (std::isinf(v)) {
    put("1.#INF");
    return static_cast<int>(p - out);
  }
  char digits[24];
  int exponent = 0;
  const int count = SignificantDigits(v, significant, digits, exponent);
  if (exponent < -4 || exponent >= significant) {
    *p++ = digits[0];
    if (count > 1) {
      *p++ = '.';
      p = std::copy(digits + 1, digits + count, p);
    }
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude >= 100) *p++ = static_cast<Char>('0' + magnitude / 100);
    *p++ = static_cast<Char>('0' + magnitude / 10 % 10);
    *p++ = static_cast<Char>('0' + magnitude % 10);
  } else if (exponent >= 0) {
    const int whole = exponent + 1;
    p = std::copy(digits, digits + std::min(count, whole), p);
    for (int i = count; i < whole; ++i) *p++ = '0';
    if (count > whole) {
      *p++ = '.';
      p = std::copy(digits + whole, digits + count, p);
    }
  } else {
    if (style == NumberStyle::Plain) *p++ = '0';
    *p++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) *p++ = '0';
    p = std::copy(digits, digits + count, p);
  }
  return static_cast<int>(p - out);
}

QString FormatNumber(double v, int significant, NumberStyle style) {
  char text[48];
  return QString::fromLatin1(text, FormatNumberChars(v, significant, style, text));
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

Integer CInt(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(kErrOverflow);
  return static_cast<Integer>(r);
}

Long CLng(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(kErrOverflow);
  return static_cast<Long>(r);
}

Single CSng(double x) {
  if (std::isnan(x) || std::fabs(x) > static_cast<double>(FLT_MAX)) Raise(kErrOverflow);
  return static_cast<Single>(x);
}

double Round(double x, int decimals) {
  if (decimals <= 0) return std::nearbyint(x);
  const double scale = std::pow(10.0, decimals);
  return std::nearbyint(x * scale) / scale;
}

double Int(double x) {
  return std::floor(x);
}
double Fix(double x) {
  return std::trunc(x);
}

Integer CheckInteger(long long v) {
  if (v < -32768 || v > 32767) Raise(kErrOverflow);
  return static_cast<Integer>(v);
}

Long CheckLong(long long v) {
  if (v < INT32_MIN || v > INT32_MAX) Raise(kErrOverflow);
  return static_cast<Long>(v);
}

double CheckFinite(double v) {
  if (!std::isfinite(v)) Raise(kErrOverflow);
  return v;
}

Single CheckSingle(double v) {
  return CSng(CheckFinite(v));
}

double Div(double a, double b) {
  if (b == 0) Raise(a == 0 || std::isnan(a) ? kErrOverflow : kErrDivisionByZero);
  return CheckFinite(a / b);
}

Single DivS(Single a, Single b) {
  if (b == 0) Raise(a == 0 || std::isnan(a) ? kErrOverflow : kErrDivisionByZero);
  const Single r = a / b;
  if (!std::isfinite(r)) Raise(kErrOverflow);
  return r;
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
  return FormatNumber(v, 7, NumberStyle::Report);
}
QString NumberText(Double v) {
  return FormatNumber(v, 15, NumberStyle::Report);
}
QString NumberText(Integer v) {
  return FormatWhole(v, NumberStyle::Report);
}

int NumberTextChars(Single v, char16_t* out) {
  return FormatNumberChars(v, 7, NumberStyle::Report, out);
}

int NumberTextChars(Integer v, char16_t* out) {
  char chars[8];
  char* p = chars;
  if (v >= 0) *p++ = ' ';
  p = std::to_chars(p, chars + sizeof chars, v).ptr;
  std::copy(chars, p, out);
  return static_cast<int>(p - chars);
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
  return FormatNumber(v, 7, NumberStyle::Plain);
}
QString PlainNumberText(Double v) {
  return FormatNumber(v, 15, NumberStyle::Plain);
}
QString PlainNumberText(Integer v) {
  return FormatWhole(v, NumberStyle::Plain);
}
QString PlainNumberText(Long v) {
  return FormatWhole(v, NumberStyle::Plain);
}

QString FileNumberText(Single v) {
  return FormatNumber(v, 7, NumberStyle::File);
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
