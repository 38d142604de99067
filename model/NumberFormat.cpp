#include "model/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/Errors.h"

namespace {
char gDecimal = '.';
}

char DecimalSeparator() {
  return gDecimal;
}
char OtherDecimalChar() {
  return gDecimal == ',' ? '.' : ',';
}
void SetDecimalSeparator(char d) {
  gDecimal = d == ',' ? ',' : '.';
}

namespace {
// Exact powers of ten a double holds; a mantissa below 2^53 times one of them is correctly
// rounded by one multiplication or division.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool SlowConvert(std::string_view s, double& value, char sep, bool negative, std::size_t start) {
  char buf[128];
  if (s.size() >= sizeof buf) return false;
  std::size_t o = 0;
  for (std::size_t i = start; i < s.size(); ++i) buf[o++] = s[i] == sep ? '.' : s[i];
  buf[o] = '\0';
  double v = 0;
  auto [ptr, ec] = std::from_chars(buf, buf + o, v);
  if (ec == std::errc::result_out_of_range) {
    // Too small gives 0, too large is no number; decided from the decimal exponent so that
    // nothing here depends on the C locale.
    const char* e = std::strchr(buf, 'e');
    long exp10 = e ? std::strtol(e + 1, nullptr, 10) : 0;
    exp10 = std::clamp(exp10, -100000L, 100000L);  // strtol saturates; keep the sum below
    const char* q = buf;
    while (*q == '0') ++q;
    long intDigits = 0;
    while (*q >= '0' && *q <= '9') ++q, ++intDigits;
    if (intDigits == 0 && *q == '.') {
      ++q;
      while (*q == '0') ++q, --intDigits;
    }
    if (intDigits + exp10 > 0) return false;
    v = 0;
  } else if (ec != std::errc() || ptr != buf + o) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}
}  // namespace

bool TryStrToFloat(std::string_view s, double& value, char sep) {
  // One pass checks our own syntax (no hex, inf or nan) and gathers the digits.
  const std::size_t n = s.size();
  if (n == 0) return false;
  std::size_t i = 0;
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') negative = s[i++] == '-';
  const std::size_t start = i;
  std::uint64_t mantissa = 0;
  int digits = 0, significant = 0, scale = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9') {
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<unsigned>(s[i] - '0');
      if (mantissa) ++significant;
    } else {
      ++scale;
    }
    ++digits, ++i;
  }
  if (i < n && s[i] == sep) {
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
      if (significant < 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(s[i] - '0');
        if (mantissa) ++significant;
        --scale;
      }
      ++digits, ++i;
    }
  }
  if (digits == 0) return false;
  int exponent = 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    int expDigits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
      ++expDigits, ++i;
    }
    if (expDigits == 0) return false;
    if (expNegative) exponent = -exponent;
  }
  if (i != n) return false;
  const int e = scale + exponent;
  if (mantissa < (1ULL << 53) && e >= -22 && e <= 22) {
    double v = static_cast<double>(mantissa);
    v = e < 0 ? v / kPow10[-e] : v * kPow10[e];
    value = negative ? -v : v;
    return true;
  }
  return SlowConvert(s, value, sep, negative, start);
}

double StrToFloatD(std::string_view s) {
  double v;
  if (!TryStrToFloat(s, v, DecimalSeparator()))
    throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
  return v;
}

bool TryStrToInt(std::string_view s, int& value) {
  std::size_t i = 0;
  if (!s.empty() && s[0] == '+') i = 1;
  if (i == s.size()) return false;
  // from_chars takes a leading minus itself, but not a plus followed by a minus.
  if (i == 1 && s[1] == '-') return false;
  auto [ptr, ec] = std::from_chars(s.data() + i, s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size();
}

int StrToInt(std::string_view s) {
  int v;
  if (!TryStrToInt(s, v))
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
  return v;
}

std::string FormatFixedD(double v, int width, int dec) {
  if (dec < 0) dec = 0;
  if (dec > 60) dec = 60;
  // to_chars, unlike printf, never takes the decimal point from the C locale.
  std::string s(512, '\0');
  auto [ptr, ec] = std::to_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed, dec);
  if (ec != std::errc()) return std::string("?");
  s.resize(static_cast<std::size_t>(ptr - s.data()));
  if (gDecimal != '.') {
    if (auto p = s.find('.'); p != std::string::npos) s[p] = gDecimal;
  }
  if (width > 0 && static_cast<int>(s.size()) < width)
    s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

std::string FormatInt(long long v, int width) {
  std::string s = std::to_string(v);
  if (width > 0 && static_cast<int>(s.size()) < width)
    s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}
