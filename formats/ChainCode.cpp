#include "formats/ChainCode.h"

#include <cmath>
#include <numbers>

#include "model/Checked.h"

bool ChainStep(int c, int& x, int& y) {
  if (c < 0) c += 8;
  c %= 8;
  if (c < 0) c += 8;  // a code below -8 still lands on a direction
  static constexpr int dx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
  static constexpr int dy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  x = CheckedAdd(x, dx[c]);
  y = CheckedAdd(y, dy[c]);
  return true;
}

double DirectionAngle(double dx, double dy) {
  const double pi = std::numbers::pi;
  if (dx > 0) return std::atan(dy / dx);
  if (dx < 0) {
    if (dy > 0) return std::atan(dy / dx) + pi;
    if (dy < 0) return std::atan(dy / dx) - pi;
    return pi;
  }
  return dy > 0 ? pi / 2 : -pi / 2;
}
