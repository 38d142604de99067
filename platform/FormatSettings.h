#pragma once
// The process-wide number format. The decimal separator is the core's (model/NumberFormat.h),
// so setting it here changes what the LMK reader and writer use; the thousands separator and
// the date/time texts live here. Format() follows the platform's format-string rules.

#include <initializer_list>
#include <string>
#include <string_view>

char SystemDecimalSeparator();
// Decimal separator of the program's number format: period or comma (anything else: period).
void SetFormatDecimalSeparator(char d);
char FormatDecimalSeparator();
void SetThousandSeparator(char t);
char ThousandSeparator();

// Current date and time as text in the program's format.
std::string DateToStr();
std::string TimeToStr();

class TFormatArg {
 public:
  enum TKind { IntegerArg, FloatArg, TextArg };
  TFormatArg(int v) : FKind(IntegerArg), FInt(v) {}
  TFormatArg(unsigned v) : FKind(IntegerArg), FInt(v) {}
  TFormatArg(long v) : FKind(IntegerArg), FInt(v), FWide(true) {}
  TFormatArg(long long v) : FKind(IntegerArg), FInt(v), FWide(true) {}
  TFormatArg(unsigned long v) : FKind(IntegerArg), FInt(static_cast<long long>(v)), FWide(true) {}
  TFormatArg(double v) : FKind(FloatArg), FFloat(v) {}
  TFormatArg(float v) : FKind(FloatArg), FFloat(v) {}
  TFormatArg(const char* s) : FKind(TextArg), FText(s) {}
  TFormatArg(std::string s) : FKind(TextArg), FText(std::move(s)) {}
  TFormatArg(std::string_view s) : FKind(TextArg), FText(s) {}
  TFormatArg(char c) : FKind(TextArg), FText(1, c) {}

  TKind Kind() const { return FKind; }
  long long Int() const { return FInt; }
  bool Wide() const { return FWide; }
  double Float() const { return FFloat; }
  const std::string& Str() const { return FText; }

 private:
  TKind FKind;
  long long FInt = 0;
  bool FWide = false;
  double FFloat = 0;
  std::string FText;
};

// "%" [index ":"] ["-"] [width | "*"] ["." (prec | "*")] type, type one of d u e f g n s x
// (any case); "%%" is a percent sign. d: integer, precision = least digits; u: unsigned;
// e: scientific "d.dddE+ddd", precision = digits (15); f: fixed, precision = decimals (2);
// g: shortest of fixed and scientific (15 digits); n: as f with thousands separators;
// s: text, precision = most characters; x: upper-case hex, precision = least digits.
// A missing or unfitting argument raises EConvertError.
std::string Format(std::string_view fmt, std::initializer_list<TFormatArg> args);
