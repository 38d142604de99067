#include "platform/FormatSettings.h"

#include <QDateTime>
#include <QLocale>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "model/Errors.h"
#include "model/NumberFormat.h"

namespace {
char GThousand = ',';

[[noreturn]] void Invalid(std::string_view fmt) {
  throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

std::string Printf(const char* f, int prec, double v) {
  char buf[512];
  const int n = std::snprintf(buf, sizeof buf, f, prec, v);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof buf) return buf;
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), f, prec, v);
  big.resize(static_cast<size_t>(n));
  return big;
}

void UseSeparator(std::string& s) {
  for (char& c : s)
    if (c == '.') c = DecimalSeparator();
}

// Exact ties go away from zero, as the platform's conversions do (printf rounds them to even).
double NudgeTie(double v, int decimals) {
  if (decimals > 15 || !std::isfinite(v)) return v;
  const double p = std::pow(10.0, decimals);
  const double x = std::fabs(v) * p;
  if (x >= 4503599627370496.0) return v;
  if (std::fma(std::fabs(v), p, -x) != 0) return v;  // the product was not exact
  if (x - std::floor(x) != 0.5) return v;
  return std::nextafter(v, v < 0 ? -INFINITY : INFINITY);
}

std::string Fixed(double v, int decimals) {
  std::string s = Printf("%.*f", decimals, NudgeTie(v, decimals));
  if (s == "-0" ||
      (s.size() > 2 && s.rfind("-0.", 0) == 0 && s.find_first_not_of("0.", 1) == std::string::npos))
    s.erase(0, 1);  // no minus sign on a value that shows as zero
  UseSeparator(s);
  return s;
}

std::string Scientific(double v, int digits) {
  if (digits < 1) digits = 1;
  if (digits > 18) digits = 18;
  std::string s = Printf("%.*E", digits - 1, v);
  // Three exponent digits.
  const auto e = s.find('E');
  if (e != std::string::npos && e + 2 < s.size()) {
    std::string ex = s.substr(e + 2);
    if (ex.size() < 3) ex = std::string(3 - ex.size(), '0') + ex;
    s = s.substr(0, e + 2) + ex;
  }
  UseSeparator(s);
  return s;
}

std::string General(double v, int digits) {
  if (digits < 1 || digits > 18) digits = 15;
  std::string s = Printf("%.*G", digits, v);
  const auto e = s.find('E');
  if (e != std::string::npos) {
    std::string mant = s.substr(0, e);
    char sign = s[e + 1];
    std::string ex = s.substr(e + 2);
    while (ex.size() > 1 && ex[0] == '0') ex.erase(0, 1);
    s = mant + "E" + (sign == '-' ? "-" : "") + ex;
  }
  UseSeparator(s);
  return s;
}

std::string WithThousands(std::string s) {
  const size_t start = (!s.empty() && s[0] == '-') ? 1 : 0;
  size_t end = s.find(DecimalSeparator(), start);
  if (end == std::string::npos) end = s.size();
  for (long long i = static_cast<long long>(end) - 3; i > static_cast<long long>(start); i -= 3)
    s.insert(static_cast<size_t>(i), 1, GThousand);
  return s;
}

std::string Digits(unsigned long long u, int base) {
  if (u == 0) return "0";
  std::string s;
  while (u) {
    s.insert(s.begin(), "0123456789ABCDEF"[u % static_cast<unsigned>(base)]);
    u /= static_cast<unsigned>(base);
  }
  return s;
}

}  // namespace

char SystemDecimalSeparator() {
  const QString d = QLocale::system().decimalPoint();
  return d.isEmpty() ? '.' : d.at(0).toLatin1();
}

void SetFormatDecimalSeparator(char d) {
  SetDecimalSeparator(d == ',' ? ',' : '.');
}
char FormatDecimalSeparator() {
  return DecimalSeparator();
}
void SetThousandSeparator(char t) {
  GThousand = t;
}
char ThousandSeparator() {
  return GThousand;
}

std::string DateToStr() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string TimeToStr() {
  return QLocale::system().toString(QTime::currentTime(), "HH:mm:ss").toStdString();
}

std::string Format(std::string_view fmt, std::initializer_list<TFormatArg> argList) {
  const std::vector<TFormatArg> args(argList);
  size_t next = 0;
  std::string out;
  auto take = [&]() -> const TFormatArg& {
    if (next >= args.size())
      throw EConvertError("No argument for format '" + std::string(fmt) + "'");
    return args[next++];
  };
  auto takeInt = [&]() {
    const TFormatArg& a = take();
    if (a.Kind() != TFormatArg::IntegerArg) Invalid(fmt);
    return static_cast<int>(a.Int());
  };
  size_t i = 0;
  while (i < fmt.size()) {
    const char c = fmt[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < fmt.size() && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Optional argument index "n:".
    size_t j = i;
    while (j < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[j]))) ++j;
    if (j < fmt.size() && fmt[j] == ':' && j > i) {
      next = std::stoul(std::string(fmt.substr(i, j - i)));
      i = j + 1;
    }
    bool left = false;
    if (i < fmt.size() && fmt[i] == '-') {
      left = true;
      ++i;
    }
    int width = -1, prec = -1;
    auto number = [&](int& target) {
      if (i < fmt.size() && fmt[i] == '*') {
        target = takeInt();
        ++i;
        return;
      }
      size_t k = i;
      while (k < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[k]))) ++k;
      if (k > i) {
        if (k - i > 6) Invalid(fmt);
        target = std::stoi(std::string(fmt.substr(i, k - i)));
      }
      i = k;
    };
    number(width);
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      prec = 0;
      number(prec);
    }
    if (i >= fmt.size()) Invalid(fmt);
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i++])));
    std::string piece;
    switch (type) {
      case 'd':
      case 'u': {
        const TFormatArg& a = take();
        if (a.Kind() != TFormatArg::IntegerArg) Invalid(fmt);
        long long v = a.Int();
        if (type == 'u' && v < 0)
          v = a.Wide() ? v : static_cast<long long>(static_cast<unsigned>(v));
        const bool neg = v < 0;
        const unsigned long long mag = neg ? static_cast<unsigned long long>(-(v + 1)) + 1
                                           : static_cast<unsigned long long>(v);
        piece = Digits(mag, 10);
        if (prec > 0 && static_cast<int>(piece.size()) < prec)
          piece.insert(0, static_cast<size_t>(prec) - piece.size(), '0');
        if (neg) piece = '-' + piece;
        break;
      }
      case 'x': {
        const TFormatArg& a = take();
        if (a.Kind() != TFormatArg::IntegerArg) Invalid(fmt);
        const unsigned long long u =
            a.Wide() ? static_cast<unsigned long long>(a.Int()) : static_cast<unsigned>(a.Int());
        piece = Digits(u, 16);
        if (prec > 0 && static_cast<int>(piece.size()) < prec)
          piece.insert(0, static_cast<size_t>(prec) - piece.size(), '0');
        break;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n': {
        const TFormatArg& a = take();
        if (a.Kind() != TFormatArg::FloatArg) Invalid(fmt);
        const double v = a.Float();
        if (type == 'e')
          piece = Scientific(v, prec < 0 ? 15 : prec);
        else if (type == 'g')
          piece = General(v, prec < 0 ? 15 : prec);
        else
          piece = Fixed(v, prec < 0 ? 2 : std::min(prec, 18));
        if (type == 'n') piece = WithThousands(piece);
        break;
      }
      case 's': {
        const TFormatArg& a = take();
        if (a.Kind() != TFormatArg::TextArg) Invalid(fmt);
        piece = a.Str();
        if (prec >= 0 && static_cast<int>(piece.size()) > prec)
          piece.resize(static_cast<size_t>(prec));
        break;
      }
      default:
        Invalid(fmt);
    }
    if (width > 0 && static_cast<int>(piece.size()) < width) {
      const std::string pad(static_cast<size_t>(width) - piece.size(), ' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}
