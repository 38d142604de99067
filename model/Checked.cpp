#include "model/Checked.h"

#include <cmath>

void ThrowOutOfBounds(const char* tag, std::initializer_list<long long> indices) {
  std::string msg = "subscript out of bounds in\n";
  msg += tag;
  msg += ": ";
  bool first = true;
  for (long long i : indices) {
    if (!first) msg += ' ';
    msg += std::to_string(i);
    first = false;
  }
  throw ElmkException(msg);
}

void ThrowRangeError(const std::string& what) {
  throw ERangeError(what);
}

int CheckedCount(long long n) {
  if (n < 0 || n > std::numeric_limits<int>::max())
    ThrowRangeError("Range check error: count " + std::to_string(n) + " out of range");
  return static_cast<int>(n);
}

int RoundToInt(double v) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    ThrowRangeError("Range check error: " + std::to_string(v) + " does not fit an integer");
  return static_cast<int>(r);
}
