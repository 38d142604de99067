#include "model/NumberWrite.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                             1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
constexpr std::uint64_t kIPow10[] = {1ull,
                                     10ull,
                                     100ull,
                                     1000ull,
                                     10000ull,
                                     100000ull,
                                     1000000ull,
                                     10000000ull,
                                     100000000ull,
                                     1000000000ull,
                                     10000000000ull,
                                     100000000000ull,
                                     1000000000000ull,
                                     10000000000000ull,
                                     100000000000000ull,
                                     1000000000000000ull,
                                     10000000000000000ull,
                                     100000000000000000ull,
                                     1000000000000000000ull};

void AppendUnsigned(std::string& out, std::uint64_t u) {
  char buf[24];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  out.append(p, static_cast<std::size_t>(buf + sizeof buf - p));
}

// units of 10^-dec, written with exactly dec decimals.
void AppendUnits(std::string& out, bool negative, std::uint64_t units, int dec, char sep) {
  if (negative && units != 0) out += '-';
  if (dec == 0) {
    AppendUnsigned(out, units);
    return;
  }
  const std::uint64_t scale = kIPow10[dec];
  AppendUnsigned(out, units / scale);
  out += sep;
  char frac[20];
  std::uint64_t f = units % scale;
  for (int i = dec - 1; i >= 0; --i) {
    frac[i] = static_cast<char>('0' + f % 10);
    f /= 10;
  }
  out.append(frac, static_cast<std::size_t>(dec));
}

// "00" to "99": two digits per division.
struct TDigitPairs {
  char d[200];
  constexpr TDigitPairs() : d() {
    for (int i = 0; i < 100; ++i) {
      d[2 * i] = static_cast<char>('0' + i / 10);
      d[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr TDigitPairs kPairs;

// digits of u written so that they end at e; answers where they start.
char* DigitsBackTo(char* e, std::uint64_t u, int count) {
  while (count >= 2) {
    e -= 2;
    std::memcpy(e, kPairs.d + 2 * (u % 100), 2);
    u /= 100;
    count -= 2;
  }
  if (count) *--e = static_cast<char>('0' + u % 10);
  return e;
}

// units of 10^-dec with exactly dec decimals.
char* UnitsTo(char* p, bool negative, std::uint64_t units, int dec, char sep) {
  if (negative) *p++ = '-';
  // The usual decimals divide by a constant.
  std::uint64_t whole, frac;
  if (dec == 5) {
    whole = units / 100000, frac = units % 100000;
  } else if (dec == 6) {
    whole = units / 1000000, frac = units % 1000000;
  } else {
    whole = units / kIPow10[dec], frac = units % kIPow10[dec];
  }
  int n = 1;
  while (n < 19 && whole >= kIPow10[n]) ++n;
  DigitsBackTo(p + n, whole, n);
  p += n;
  if (dec > 0) {
    *p++ = sep;
    DigitsBackTo(p + dec, frac, dec);
    p += dec;
  }
  return p;
}

// The significant digits of a > 0 correctly rounded to sig digits, and the decimal exponent
// of the first: a ~ d[0].d[1]d[2]... * 10^exp.
int SignificantDigits(double a, int sig, char* digits) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, sig - 1);
  const char* p = buf;
  int k = 0;
  while (p < r.ptr && *p != 'e') {
    if (*p >= '0' && *p <= '9') digits[k++] = *p;
    ++p;
  }
  int exp = 0;
  if (p < r.ptr) std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, exp);
  return exp;
}

void AppendExponentDigits(std::string& out, bool negative, const char* digits, int sig, int exp,
                          char sep) {
  if (negative) out += '-';
  out += digits[0];
  if (sig > 1) {
    out += sep;
    out.append(digits + 1, static_cast<std::size_t>(sig - 1));
  }
  out += 'E';
  out += exp < 0 ? '-' : '+';
  const int e = exp < 0 ? -exp : exp;
  if (e < 10) out += '0';
  AppendUnsigned(out, static_cast<std::uint64_t>(e));
}

// The exact two-step rounding on the decimal digits of the value.
void AppendRoundedExact(std::string& out, double v, int sig, int dec, char sep) {
  const bool negative = std::signbit(v);
  const double a = std::fabs(v);
  if (a == 0) {
    AppendUnits(out, false, 0, dec, sep);
    return;
  }
  char digits[40];
  int exp = SignificantDigits(a, sig, digits);
  if (exp >= sig) {
    AppendExponentDigits(out, negative, digits, sig, exp, sep);
    return;
  }
  // digits[0..keep) reach down to the dec-th decimal.
  const int keep = exp + 1 + dec;
  std::uint64_t units = 0;
  if (keep >= sig) {
    for (int i = 0; i < sig; ++i) units = units * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    units *= kIPow10[keep - sig];
  } else if (keep >= 0) {
    for (int i = 0; i < keep; ++i) units = units * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    if (digits[keep] >= '5') ++units;
  }
  AppendUnits(out, negative, units, dec, sep);
}

}  // namespace

void AppendRounded(std::string& out, double v, int sig, int dec, char sep) {
  char buf[kMaxRoundedChars];
  out.append(buf, static_cast<std::size_t>(FormatRoundedTo(buf, v, sig, dec, sep) - buf));
}

char* FormatRoundedTo(char* p, double v, int sig, int dec, char sep) {
  // Within these the buffer always has room.
  sig = sig < 1 ? 1 : sig > 15 ? 15 : sig;
  dec = dec < 0 ? 0 : dec > 15 ? 15 : dec;
  // Fast path: scale to whole units of the last decimal kept and round there. It answers only
  // when the value lies clearly away from a rounding boundary (where the double rounding or
  // the error of the product could matter); everything else takes the exact path.
  const double a = std::fabs(v);
  if (sig <= 15 && dec <= 15 && sig > dec && a < kPow10[sig]) {
    int d = dec;
    double limit = kPow10[sig - dec];
    while (d > 0 && a >= limit) {
      --d;
      limit *= 10;
    }
    const double scaled = a * kPow10[d];
    const double whole = std::floor(scaled);
    const double frac = scaled - whole;
    // Below 10^(sig-dec-1) the value is rounded twice (to sig digits, then to dec decimals).
    const double margin = a < kPow10[sig - dec - 1] ? 0.06 : 1e-6;
    if (std::fabs(frac - 0.5) > margin) {
      std::uint64_t units = static_cast<std::uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
      if (d > 0 || units < kIPow10[sig]) {
        units *= kIPow10[dec - d];
        return UnitsTo(p, v < 0 && units != 0, units, dec, sep);
      }
    }
  }
  std::string exact;
  AppendRoundedExact(exact, v, sig, dec, sep);
  std::memcpy(p, exact.data(), exact.size());
  return p + exact.size();
}

std::string FormatRounded(double v, int sig, int dec, char sep) {
  std::string s;
  AppendRounded(s, v, sig, dec, sep);
  return s;
}

void AppendExponent(std::string& out, double v, int sig, char sep) {
  if (v == 0) {
    char zeros[40];
    std::memset(zeros, '0', sizeof zeros);
    AppendExponentDigits(out, false, zeros, sig, 0, sep);
    return;
  }
  char digits[40];
  const int exp = SignificantDigits(std::fabs(v), sig, digits);
  AppendExponentDigits(out, std::signbit(v), digits, sig, exp, sep);
}

void AppendFixedWidth(std::string& out, double v, int width, int dec, char sep) {
  if (dec < 0) dec = 0;
  if (dec > 30) dec = 30;
  char buf[400];
  std::size_t n;
  if (std::isnan(v)) {
    std::memcpy(buf, "NAN", n = 3);
  } else if (std::isinf(v)) {
    n = v < 0 ? 4 : 3;
    std::memcpy(buf, v < 0 ? "-INF" : "INF", n);
  } else {
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, dec);
    n = static_cast<std::size_t>(r.ptr - buf);
    if (sep != '.')
      if (char* p = static_cast<char*>(std::memchr(buf, '.', n))) *p = sep;
  }
  if (width > 0 && n < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - n, ' ');
  out.append(buf, n);
}

void AppendInt(std::string& out, long long v) {
  if (v < 0) {
    out += '-';
    AppendUnsigned(out, 0ull - static_cast<std::uint64_t>(v));
  } else {
    AppendUnsigned(out, static_cast<std::uint64_t>(v));
  }
}
