#include "digitize/core/Curves.h"

#include <cmath>
#include <cstdlib>

#include "model/Checked.h"
#include "model/NumberFormat.h"

bool RemoveDuplicateCurvePoints(std::vector<Ticoords>& points) {
  if (points.size() < 2) return false;
  std::vector<Ticoords> kept;
  kept.reserve(points.size());
  kept.push_back(points[0]);
  for (std::size_t i = 1; i < points.size(); ++i)
    if (!(points[i] == points[i - 1])) kept.push_back(points[i]);
  if (kept.size() == points.size()) return false;
  points = std::move(kept);
  return true;
}

bool ValidResampleCount(int m, int n, bool bySteps) {
  return m >= 2 && (!bySteps || m <= n);
}

std::vector<Ticoords> ResampleBySteps(const std::vector<Ticoords>& P, int m) {
  const int n = static_cast<int>(P.size());
  if (!ValidResampleCount(m, n, true)) ThrowRangeError("Resample by steps: bad point count");
  std::vector<Ticoords> Q(static_cast<std::size_t>(m));
  for (int j = 0; j < m; ++j) {
    const long long prod = CheckedMul<long long>(j, n - 1);
    const int k = static_cast<int>(std::trunc(double(prod) / double(m - 1)));
    Q[static_cast<std::size_t>(j)] = P[static_cast<std::size_t>(k)];
  }
  return Q;
}

std::vector<Ticoords> ResampleByLength(const std::vector<Ticoords>& P, int m) {
  const std::size_t n = P.size();
  if (m < 2) ThrowRangeError("Resample by length: bad point count");
  if (n < 2) return {};
  std::vector<double> D(n, 0.0);
  for (std::size_t i = 1; i < n; ++i) {
    const long long dx = CheckedSub<long long>(P[i].x, P[i - 1].x);
    const long long dy = CheckedSub<long long>(P[i].y, P[i - 1].y);
    D[i] = D[i - 1] + std::sqrt(double(CheckedAdd(CheckedMul(dx, dx), CheckedMul(dy, dy))));
  }
  const double T = D[n - 1];
  if (!(T > 0)) return {};
  std::vector<Ticoords> Q(static_cast<std::size_t>(m));
  Q.front() = P.front();
  Q.back() = P.back();
  std::size_t s = 1;
  for (int j = 1; j <= m - 2; ++j) {
    const double t = T * j / (m - 1);
    while (D[s] < t && s < n - 1) ++s;
    const double span = D[s] - D[s - 1];
    const double f = span > 0 ? (t - D[s - 1]) / span : 0;
    Q[static_cast<std::size_t>(j)] = {RoundToInt((1 - f) * P[s - 1].x + f * P[s].x),
                                      RoundToInt((1 - f) * P[s - 1].y + f * P[s].y)};
  }
  return Q;
}

double PolylineArea(const std::vector<Ticoords>& p) {
  double a = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Ticoords& u = p[i];
    const Ticoords& v = p[(i + 1) % p.size()];
    a += double(u.x) * v.y - double(v.x) * u.y;
  }
  return std::fabs(a) / 2;
}

double PolylineLength(const std::vector<Ticoords>& p) {
  double l = 0;
  for (std::size_t i = 1; i < p.size(); ++i)
    l += std::hypot(double(p[i].x) - p[i - 1].x, double(p[i].y) - p[i - 1].y);
  return l;
}

namespace {

bool Unscaled(double scale) {
  return std::fabs(scale) < 1e-6 || std::fabs(scale - 1) < 1e-6;
}

TCurveMeasure Measure(const char* what, double raw, double factor, std::size_t n, double scale) {
  TCurveMeasure r;
  const std::string head = " Pts=" + std::to_string(n) + ", " + what + "=";
  if (Unscaled(scale)) {
    r.Value = raw;
    r.StatusText = head + std::to_string(RoundToInt(raw));
  } else {
    r.Value = raw * factor;
    r.StatusText = head + FormatFixedD(r.Value, 0, 6);
  }
  return r;
}

}  // namespace

TCurveMeasure CurveArea(const std::vector<Ticoords>& points, double scale) {
  return Measure("Area", PolylineArea(points), scale * scale, points.size(), scale);
}

TCurveMeasure CurveLength(const std::vector<Ticoords>& points, double scale) {
  return Measure("Length", PolylineLength(points), scale, points.size(), scale);
}

std::string CurveAreaLine(double v) {
  return "Curve area = " + FormatFixedD(v, 12, 7);
}
std::string CurveLengthLine(double v) {
  return "Curve length = " + FormatFixedD(v, 12, 7);
}
