#include "platform/Colors.h"

QColor ToQColor(TColor c) {
  const auto u = static_cast<unsigned>(c);
  return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                static_cast<int>((u >> 16) & 0xFF));
}

TColor FromQColor(const QColor& c) {
  return static_cast<TColor>(static_cast<unsigned>(c.red()) |
                             (static_cast<unsigned>(c.green()) << 8) |
                             (static_cast<unsigned>(c.blue()) << 16));
}
