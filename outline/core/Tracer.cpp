#include "outline/core/Tracer.h"

#include <cstdio>

#include "formats/ChainCode.h"
#include "model/Checked.h"

namespace {

constexpr int StepDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int StepDy[8] = {0, 1, 1, 1, 0, -1, -1, -1};

int Wrap8(int d) {
  if (d < 0) d += 8;
  return d % 8;
}

void Pump(const TTraceSettings& s) {
  if (s.ProcessMessages) s.ProcessMessages();
}

void ShowStatus(const TTraceSettings& s, const std::string& text) {
  if (s.Status) s.Status(text);
}

std::string WithCount(const char* fmt, unsigned n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, n);
  return buf;
}

}  // namespace

std::string ClockwiseOptionText(bool clockwise) {
  return clockwise ? "Outline contours will be traced clockwise."
                   : "Outline contours will be traced counter clockwise.";
}

bool IsObjectPixel(const TObjectTest& test, int x, int y) {
  const TThresholdGrid& g = *test.Grid;
  if (x < 0 || y < 0 || x >= g.GridWidth() || y >= g.GridHeight()) return false;
  const std::int32_t v = g.At(y, x);
  return test.Dark ? v <= test.Threshold : v > test.Threshold;
}

bool IsObjectNeighbour(const TObjectTest& test, int d, int x, int y) {
  d = Wrap8(d);
  const int nx = x + StepDx[d];
  const int ny = y + StepDy[d];
  const TThresholdGrid& g = *test.Grid;
  if (nx < 1 || nx > g.GridWidth() || ny < 1 || ny > g.GridHeight()) return false;
  return IsObjectPixel(test, nx, ny);
}

int ChainDirection(int dx, int dy) {
  static constexpr int Table[3][3] = {{5, 6, 7}, {4, -1, 0}, {3, 2, 1}};
  if (dx < -1 || dx > 1 || dy < -1 || dy > 1 || (dx == 0 && dy == 0))
    ThrowRangeError("ChainDirection: not a unit step");
  return Table[dy + 1][dx + 1];
}

bool IsClockwiseChain(const TOutline& outline) {
  const std::uint32_t n = outline.n();
  std::vector<Ticoords> p;
  p.reserve(n + 1);
  int x = outline.x1();
  int y = outline.y1();
  p.push_back({x, y});
  int ymin = y;
  for (std::uint32_t i = 1; i <= n; ++i) {
    ChainStep(outline.geti(i), x, y);
    p.push_back({x, y});
    if (y < ymin) ymin = y;
  }
  double s = 0;
  for (std::size_t k = 0; k < p.size(); ++k) {
    const Ticoords& a = p[k];
    const Ticoords& b = p[(k + 1) % p.size()];
    s += double(b.x - a.x) * ((double(b.y) + double(a.y)) / 2.0 - ymin);
  }
  return s > 0;
}

std::unique_ptr<TOutline> ReverseChain(const TOutline& outline, bool clockwise) {
  const std::uint32_t n = outline.n();
  auto r = std::make_unique<TOutline>(n, outline.x1(), outline.y1(), OutlineChain, outline.xBar(),
                                      outline.yBar());
  r->SetClockwise(clockwise);
  for (std::uint32_t i = 1; i <= n; ++i)
    r->add(static_cast<std::uint8_t>((outline.geti(n + 1 - i) + 4) % 8));
  return r;
}

TTraceResult TraceOutline(const TThresholdGrid& grid, int xMouse, int yMouse,
                          const TTraceSettings& settings) {
  TTraceResult res;
  const TObjectTest test{&grid, settings.Threshold, settings.Dark};
  const int H = grid.GridHeight();

  int x = xMouse < grid.GridWidth() ? xMouse : grid.GridWidth();
  // Rows above the grid hold no object; clamping keeps far-off presses from overflowing.
  const long long yy = static_cast<long long>(H) - yMouse;
  int y = yy < 0 ? 0 : (yy > H ? H : static_cast<int>(yy));

  for (;;) {
    ShowStatus(settings, " Searching ...");
    while (x > 1 && !IsObjectPixel(test, x, y)) {
      if (x % 50 == 0) Pump(settings);
      --x;
    }
    if (!IsObjectPixel(test, x, y)) break;
    while (x > 0 && IsObjectPixel(test, x - 1, y)) {
      if (x % 50 == 0) Pump(settings);
      --x;
    }
    if (x == 0 || y == 0) break;  // touches the left edge, or a start that cannot close

    const int x0 = x;
    const int y0 = y;
    res.TrialPoints.assign(1, Ticoords{x0, H - y0});
    ShowStatus(settings, " Outlining ...");
    res.Outline = std::make_unique<TOutline>(TraceCapacity, x0, y0, OutlineChain, 0, 0);
    res.Outline->SetClockwise(settings.Clockwise);
    TOutline& out = *res.Outline;

    int d = 6;
    bool first = true;
    bool stuck = false;
    while ((first || x != x0 || y != y0) && out.n() < TraceCapacity) {
      const int xp = x;
      const int yp = y;
      bool moved = false;
      // After a diagonal step the sharp turn outward (d - 2) comes first: without it a cell
      // that juts out of the boundary there would be cut off the outline.
      if (d % 2 == 1 && IsObjectNeighbour(test, d - 2, x, y)) {
        const int k = Wrap8(d - 2);
        x += StepDx[k];
        y += StepDy[k];
        moved = true;
      }
      for (int t = 0; t < 3 && !moved; ++t) {
        for (int dd = d - 1; dd <= d + 1; ++dd) {
          if (IsObjectNeighbour(test, dd, x, y)) {
            const int k = Wrap8(dd);
            x += StepDx[k];
            y += StepDy[k];
            moved = true;
            break;
          }
        }
        if (!moved) d = (d + 2) % 8;
      }
      if (!moved) {
        stuck = true;
        break;
      }
      first = false;
      d = ChainDirection(x - xp, y - yp);
      out.add(static_cast<std::uint8_t>(d));
      res.TrialPoints.push_back({x, H - y});
      if (out.n() % 100 == 0) Pump(settings);
    }
    if (stuck) break;

    if (out.n() <= 10) {
      // A speck: skip it and search on to its left along the same row.
      res.Outline.reset();
      res.TrialPoints.clear();
      x = x0 - 1;
      y = y0;
      continue;
    }
    res.Closed = (x == x0 && y == y0);
    res.CutOff = !res.Closed;
    if (res.Closed) {
      if (IsClockwiseChain(out) != settings.Clockwise)
        res.Outline = ReverseChain(out, settings.Clockwise);
    } else if (settings.Clockwise) {
      auto rev = std::make_unique<TOutline>(out.n(), x, y, OutlineChain, 0, 0);
      rev->SetClockwise(true);
      for (std::uint32_t i = 1; i <= out.n(); ++i)
        rev->add(static_cast<std::uint8_t>((out.geti(out.n() + 1 - i) + 4) % 8));
      res.Outline = std::move(rev);
    }
    res.HasDisplay = true;
    break;
  }

  if (res.Outline) {
    const unsigned n = res.Outline->n();
    res.StatusText = n == TraceCapacity ? WithCount(" outline cutoff at %d", n)
                                        : WithCount(" outline = %d points", n);
  } else {
    res.TrialPoints.clear();
    res.StatusText = " no outline!";
  }
  return res;
}
