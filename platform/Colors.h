#pragma once
// Colours as the settings file holds them: 32-bit values, red in the low byte, then green,
// then blue.

#include <QColor>

using TColor = int;

constexpr TColor clBlack = 0;
constexpr TColor clRed = 255;
constexpr TColor clGreen = 32768;
constexpr TColor clBlue = 16711680;
constexpr TColor clYellow = 65535;

QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
