#pragma once
// Number formats of the data files, written straight into an output buffer. All of them are
// independent of the C locale (no printf), so a program locale can never change a file.

#include <cstdint>
#include <string>

// v rounded first to sig significant digits, then to dec decimals (halves of that second
// step away from zero), written in fixed notation with exactly dec decimals and sep as the
// decimal separator: the F7.5, F8.6 and F6.5 formats. A value whose rounded integer part has
// more than sig digits is written in exponent form instead: one digit, sep, sig - 1 digits,
// "E", the exponent's sign and at least two digits ("1.234568E+07"); the reader takes it.
// A negative value that rounds to zero is written without its sign ("0.00000"), so it
// reads back as the zero it was written as. v must be finite.
void AppendRounded(std::string& out, double v, int sig, int dec, char sep);
// The same into p, which must have room for kMaxRoundedChars; answers the end. sig and dec
// are taken within 1..15 and 0..15.
constexpr int kMaxRoundedChars = 48;
char* FormatRoundedTo(char* p, double v, int sig, int dec, char sep);
std::string FormatRounded(double v, int sig, int dec, char sep);

// Exponent form with sig significant digits: "1.2345679E-07" (sig 8).
void AppendExponent(std::string& out, double v, int sig, char sep);

// Fixed notation with exactly dec decimals, right-aligned in a field of width characters
// (longer when needed): the w:d format. NaN and infinities are written "NAN", "INF", "-INF".
void AppendFixedWidth(std::string& out, double v, int width, int dec, char sep);

void AppendInt(std::string& out, long long v);
