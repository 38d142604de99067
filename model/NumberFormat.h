#pragma once
// The process-wide number format of the core: the decimal separator D in force (period or
// comma) and the other of the two characters, O. The application sets it from its settings.

#include <string>
#include <string_view>

char DecimalSeparator();
char OtherDecimalChar();
// Sets D; O becomes the other of period and comma. Any other character is taken as period.
void SetDecimalSeparator(char d);

// RAII helper for tests and commands that need another separator for a while.
class TDecimalScope {
 public:
  explicit TDecimalScope(char d) : FSaved(DecimalSeparator()) { SetDecimalSeparator(d); }
  ~TDecimalScope() { SetDecimalSeparator(FSaved); }
  TDecimalScope(const TDecimalScope&) = delete;
  TDecimalScope& operator=(const TDecimalScope&) = delete;

 private:
  char FSaved;
};

// A decimal number written with the separator sep: optional sign, digits, at most one sep,
// optional exponent. Answers false for anything else.
bool TryStrToFloat(std::string_view s, double& value, char sep);
// As TryStrToFloat with D; raises EConvertError "'s' is not a valid floating point value".
double StrToFloatD(std::string_view s);
// A decimal integer with optional sign that fits 32 bits.
bool TryStrToInt(std::string_view s, int& value);
// Raises EConvertError "'s' is not a valid integer value".
int StrToInt(std::string_view s);

// Fixed notation with exactly dec decimals and D as separator, right-aligned to width.
std::string FormatFixedD(double v, int width, int dec);
// A decimal integer right-aligned to width.
std::string FormatInt(long long v, int width);
