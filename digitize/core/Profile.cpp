#include "digitize/core/Profile.h"

#include <algorithm>

#include "model/Checked.h"
#include "model/Errors.h"
#include "model/Text.h"

TProfile SampleProfile(const TThresholdGrid& A, int x, int y, bool vertical, int width) {
  TProfile p;
  const int W = A.GridWidth();
  const int H = A.GridHeight();
  if (width < 1) width = 1;
  if (vertical) {
    if (x < 0 || x >= W) return p;
    const int last = std::min(W - 1, x + width - 1);
    const int count = last - x + 1;
    p.Values.resize(static_cast<std::size_t>(H));
    for (int i = 0; i < H; ++i) {
      long long sum = 0;
      for (int c = x; c <= last; ++c) sum += A.At(H - 1 - i, c);
      p.Values[static_cast<std::size_t>(i)] = static_cast<int>(sum / count);
    }
  } else {
    if (y < 0 || y >= H) return p;
    // Grid row H - 1 - y is bitmap row y; the band goes up the image (higher grid rows).
    const int r0 = H - 1 - y;
    const int last = std::min(H - 1, r0 + width - 1);
    const int count = last - r0 + 1;
    p.Values.resize(static_cast<std::size_t>(W));
    for (int i = 0; i < W; ++i) {
      long long sum = 0;
      for (int r = r0; r <= last; ++r) sum += A.At(r, i);
      p.Values[static_cast<std::size_t>(i)] = static_cast<int>(sum / count);
    }
  }
  for (int v : p.Values) p.maxBright = std::max(p.maxBright, v);
  return p;
}

TProfilePlot ProfilePlot(const TProfile& profile) {
  TProfilePlot plot;
  if (profile.Values.empty()) return plot;
  const int n = static_cast<int>(profile.Values.size());
  const int M = profile.maxBright;
  plot.Width = CheckedAdd(n, 14);
  plot.Height = CheckedAdd(M, 11);
  auto& L = plot.Lines;
  L.push_back({0, 5, 0, M + 6});
  L.push_back({n + 13, 5, n + 13, M + 6});
  for (int k = 0; k <= M; k += 10) {
    L.push_back({0, M + 5 - k, 5, M + 5 - k});
    L.push_back({n + 9, M + 5 - k, n + 13, M + 5 - k});
  }
  for (int i = 1; i <= n; ++i) {
    const int v = profile.Values[static_cast<std::size_t>(i - 1)];
    L.push_back({i + 6, M + 5, i + 6, M + 5 - v});
    if (i % 10 == 1) {
      L.push_back({i + 6, 0, i + 6, 3});
      L.push_back({i + 6, M + 7, i + 6, M + 10});
    }
  }
  return plot;
}

void CheckProfilePlotFileName(const std::string& fileName) {
  if (UpperCase(ExtractFileExt(fileName)) != ".BMP")
    throw ElmkException("Unsupported file type for profile plot");
}
