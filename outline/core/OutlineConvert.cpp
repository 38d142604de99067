#include "outline/core/OutlineConvert.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "formats/ChainCode.h"
#include "model/Checked.h"
#include "model/Errors.h"
#include "model/NumberFormat.h"

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

const char* DirectionText(bool clockwise) {
  return clockwise ? "Clockwise" : "Counter clockwise";
}

std::string IntText(long long v) {
  return std::to_string(v);
}

void CheckChain(const TOutline& trial) {
  if (trial.kind() != OutlineChain) throw ElmkException("The trial outline is not a chain code.");
}

// m may be the default n, or anything the number dialog allows (2..n).
void CheckCount(std::uint32_t m, std::uint32_t n) {
  if (n == 0) throw ElmkException("The trial outline has no points.");
  if (m == n) return;
  if (m < 2 || m > n)
    throw ElmkException("Number of points must lie between 2 and " + IntText(n) + ".");
}

double Dist(Ticoords p, Tcoords c) {
  return std::hypot(p.x - c.x, p.y - c.y);
}

}  // namespace

std::vector<Ticoords> ChainPoints(const TOutline& chain) {
  std::vector<Ticoords> p;
  p.reserve(chain.n() + 1);
  int x = chain.x1();
  int y = chain.y1();
  p.push_back({x, y});
  for (std::uint32_t i = 1; i <= chain.n(); ++i) {
    ChainStep(chain.geti(i), x, y);
    p.push_back({x, y});
  }
  return p;
}

TOutlineDrawing OutlineObjectPoints(const TOutline& o, int H) {
  TOutlineDrawing d;
  const std::uint32_t n = o.n();
  switch (o.kind()) {
    case OutlineChain:
      d.ObjectID = 5;
      for (const Ticoords& p : ChainPoints(o)) d.Points.push_back({p.x, H - p.y});
      break;
    case OutlineRadii: {
      d.ObjectID = 9;
      d.Points.push_back({o.x1(), H - o.y1()});
      double theta = DirectionAngle(o.x1() - o.xBar(), o.y1() - o.yBar());
      if (theta < 0) theta += TwoPi;
      for (std::uint32_t v = 1; v <= n; ++v) {
        const double step = TwoPi * (v - 1) / n;
        const double a = o.clockwise() ? theta - step : theta + step;
        const double r = o.getri(v);
        d.Points.push_back(
            {RoundToInt(o.xBar() + r * std::cos(a)), H - RoundToInt(o.yBar() + r * std::sin(a))});
      }
      break;
    }
    case OutlineRadiiXY:
      d.ObjectID = 10;
      for (std::uint32_t i = 1; i <= n; ++i)
        d.Points.push_back({o.getRij(i, 1), H - o.getRij(i, 2)});
      break;
    case OutlineXY:
      d.ObjectID = 4;
      for (std::uint32_t i = 1; i <= n; ++i)
        d.Points.push_back({o.getPij(i, 1), H - o.getPij(i, 2)});
      break;
  }
  return d;
}

std::unique_ptr<TOutline> SaveAsChain(const TOutline& trial) {
  CheckChain(trial);
  std::unique_ptr<TOutline> copy;
  trial.CopyTo(copy);
  copy->SetHObj(-1);
  return copy;
}

TOutlineSaveResult SaveAsXY(const TOutline& trial, std::uint32_t m, bool clockwise,
                            bool lengthInSteps, int gridHeight) {
  CheckChain(trial);
  const std::uint32_t n = trial.n();
  CheckCount(m, n);
  TOutlineSaveResult r;
  r.Reduced = m < n;
  r.Entry = std::make_unique<TOutline>(m, trial.x1(), trial.y1(), OutlineXY, 0, 0);
  r.Entry->SetClockwise(clockwise);
  r.Listing.push_back("x1,x2 = " + IntText(trial.x1()) + "," + IntText(trial.y1()) +
                      " Direction = " + DirectionText(clockwise));

  std::vector<Ticoords> kept(m);
  if (lengthInSteps) {
    const std::vector<Ticoords> p = ChainPoints(trial);
    for (std::uint32_t k = 1; k <= m; ++k) {
      const double f = m > 1 ? double(k - 1) / double(m - 1) : 0.0;
      const int e = RoundToInt(f * double(n - 1)) + 1;
      kept[k - 1] = p[static_cast<std::size_t>(e)];
    }
  } else {
    // Spacing by the number of codes; each point takes at least one step, never past code n.
    int x = trial.x1();
    int y = trial.y1();
    double len = 0;
    std::uint32_t i = 1;
    for (std::uint32_t k = 1; k <= m; ++k) {
      const double target = double(k - 1) * double(n) / double(m);
      do {
        if (i <= n) {
          const int c = trial.geti(i);
          ChainStep(c, x, y);
          len += (c % 2 == 1) ? std::numbers::sqrt2 : 1.0;
          ++i;
        }
      } while (!(len >= target || i >= n));
      kept[k - 1] = {x, y};
    }
  }
  for (std::uint32_t k = 1; k <= m; ++k) {
    r.Entry->putPij(k, 1, kept[k - 1].x);
    r.Entry->putPij(k, 2, kept[k - 1].y);
    if (r.Reduced) r.DisplayPoints.push_back({kept[k - 1].x, gridHeight - kept[k - 1].y});
  }
  r.Entry->SetN(m);
  return r;
}

Tcoords ChainCentroid(const TOutline& chain) {
  double sx = 0;
  double sy = 0;
  const std::vector<Ticoords> p = ChainPoints(chain);
  for (const Ticoords& q : p) {
    sx += q.x;
    sy += q.y;
  }
  return {sx / double(p.size()), sy / double(p.size())};
}

std::vector<Ticoords> ReduceToStarShape(const TOutline& o, bool clockwise,
                                        std::vector<std::string>& listing) {
  const std::uint32_t n = o.n();
  int x = o.x1();
  int y = o.y1();
  const double theta0 = DirectionAngle(x - o.xBar(), y - o.yBar());
  std::vector<Ticoords> K;
  K.reserve(n + 1);
  K.push_back({x, y});
  double prev = 0;
  for (std::uint32_t i = 1; i <= n; ++i) {
    ChainStep(o.geti(i), x, y);
    double g = DirectionAngle(x - o.xBar(), y - o.yBar()) - theta0;
    bool accepted;
    if (clockwise) {
      if (g >= 0) g -= TwoPi;
      accepted = g < prev;
    } else {
      if (g <= 0) g += TwoPi;
      accepted = g > prev;
    }
    if (accepted || i == n) {
      K.push_back({x, y});
      prev = g;
    }
  }
  const std::size_t c = K.size();
  if (c < n) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "Outline reduced from %u to %zu points in order to be convex.",
                  n, c);
    listing.push_back(buf);
  }
  return K;
}

namespace {

// Angle of K about the centroid from the start direction, in the tracing direction.
double Offset(Ticoords K, Tcoords cen, double startAngle, bool clockwise, double t) {
  double a = DirectionAngle(K.x - cen.x, K.y - cen.y);
  if (clockwise) a = -a;
  if (a <= 0) a += TwoPi;
  double delta = a - startAngle;
  if (delta <= 0 && delta - t < -std::numbers::pi) delta += TwoPi;
  return delta;
}

TOutlineSaveResult SaveRadiiKind(TOutline& trial, std::uint32_t m, bool clockwise, bool asXY) {
  CheckChain(trial);
  const std::uint32_t n = trial.n();
  CheckCount(m, n);
  TOutlineSaveResult r;
  const Tcoords cen = ChainCentroid(trial);
  trial.SetXBar(cen.x);
  trial.SetYBar(cen.y);
  const std::vector<Ticoords> K = ReduceToStarShape(trial, clockwise, r.Listing);
  const std::uint32_t c = static_cast<std::uint32_t>(K.size());
  if (m > c) m = c;

  r.Entry = std::make_unique<TOutline>(m, trial.x1(), trial.y1(),
                                       asXY ? OutlineRadiiXY : OutlineRadii, cen.x, cen.y);
  r.Entry->SetClockwise(clockwise);
  TOutline& e = *r.Entry;
  if (asXY) {
    e.putRij(1, 1, K[0].x);
    e.putRij(1, 2, K[0].y);
  } else {
    e.putri(1, Dist(K[0], cen));
  }

  const double theta0 = DirectionAngle(K[0].x - cen.x, K[0].y - cen.y);
  const double thetaS = theta0 < 0 ? theta0 + TwoPi : theta0;
  r.Listing.push_back("centroid " + FormatFixedD(cen.x, 7, 3) + " " + FormatFixedD(cen.y, 7, 3) +
                      " startangle " + FormatFixedD(asXY ? theta0 : thetaS, 8, 4) +
                      " Direction = " + DirectionText(clockwise));
  double start = thetaS;
  if (clockwise) {
    start = -theta0;
    if (start < 0) start += TwoPi;
  }

  std::uint32_t j = 1;
  double delta = 0;
  for (std::uint32_t k = 2; k <= m; ++k) {
    const double t = TwoPi * (k - 1) / m;
    if (j < c && delta < t) {
      do {
        ++j;
        delta = Offset(K[j - 1], cen, start, clockwise, t);
      } while (!(delta > t || j >= c));
    }
    if (asXY) {
      // j >= 2 here: the first target always moves past K0 (c >= 2 for n >= 1).
      const Ticoords a = K[j - 2];
      const Ticoords b = K[j - 1];
      e.putRij(k, 1, RoundToInt((a.x + b.x) / 2.0));
      e.putRij(k, 2, RoundToInt((a.y + b.y) / 2.0));
    } else {
      e.putri(k, Dist(K[j - 1], cen));
    }
  }
  e.SetN(m);
  char buf[64];
  std::snprintf(buf, sizeof buf, " outline = %u radii", m);
  r.StatusText = buf;
  return r;
}

}  // namespace

TOutlineSaveResult SaveAsRadii(TOutline& trial, std::uint32_t m, bool clockwise) {
  return SaveRadiiKind(trial, m, clockwise, false);
}

TOutlineSaveResult SaveAsRadiiXY(TOutline& trial, std::uint32_t m, bool clockwise) {
  return SaveRadiiKind(trial, m, clockwise, true);
}
