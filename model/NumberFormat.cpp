#include "model/NumberFormat.h"

#include <charconv>
#include <cmath>
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

bool TryStrToFloat(std::string_view s, double& value, char sep) {
  // Checks the form first so that only our own syntax is accepted (no hex, inf or nan).
  char buf[128];
  if (s.empty() || s.size() >= sizeof buf) return false;
  std::size_t i = 0, o = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  std::size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') buf[o++] = s[i++], ++digits;
  if (i < s.size() && s[i] == sep) {
    buf[o++] = '.';
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') buf[o++] = s[i++], ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    buf[o++] = 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) buf[o++] = s[i++];
    std::size_t expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') buf[o++] = s[i++], ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;
  buf[o] = '\0';
  double v = 0;
  auto [ptr, ec] = std::from_chars(buf, buf + o, v);
  if (ec == std::errc::result_out_of_range) {
    v = std::strtod(buf, nullptr);  // underflow gives 0, overflow infinity
    if (std::isinf(v)) return false;
  } else if (ec != std::errc() || ptr != buf + o) {
    return false;
  }
  value = negative ? -v : v;
  return true;
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
  char buf[512];
  int n = std::snprintf(buf, sizeof buf, "%.*f", dec, v);
  std::string s;
  if (n < 0 || n >= static_cast<int>(sizeof buf)) {
    std::vector<char> big(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.*f", dec, v)) + 1);
    std::snprintf(big.data(), big.size(), "%.*f", dec, v);
    s = big.data();
  } else {
    s.assign(buf, static_cast<std::size_t>(n));
  }
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
