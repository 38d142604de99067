#include "outline/core/OutlineMeasure.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "formats/ChainCode.h"
#include "model/Checked.h"
#include "model/NumberFormat.h"
#include "outline/core/OutlineConvert.h"

namespace {

bool Unscaled(double scale) {
  return scale == 0 || scale == 1;
}

}  // namespace

TAreaResult EnclosedArea(const TOutline& chain, double scale) {
  TAreaResult r;
  const std::vector<Ticoords> p = ChainPoints(chain);
  double a = 0;
  double sx = p[0].x;
  double sy = p[0].y;
  for (std::size_t i = 1; i < p.size(); ++i) {
    a += (double(p[i - 1].y) + p[i].y) * 0.5 * (double(p[i].x) - p[i - 1].x);
    sx += p[i].x;
    sy += p[i].y;
  }
  r.Area = std::fabs(a);
  r.Centroid = {sx / double(p.size()), sy / double(p.size())};
  if (Unscaled(scale)) {
    r.StatusText = "Area=" + FormatFixedD(r.Area, 10, 0) + " pixels";
  } else {
    const double s = r.Area * scale * scale;
    r.StatusText = "Area=" + (s > 100 ? FormatFixedD(s, 10, 3) : FormatFixedD(s, 8, 6));
  }
  r.Listing.push_back(r.StatusText);
  r.Listing.push_back("Centroid = " + FormatFixedD(r.Centroid.x, 8, 3) + "," +
                      FormatFixedD(r.Centroid.y, 8, 3));
  return r;
}

TPerimeterResult ChainPerimeter(const TOutline& chain, double scale) {
  TPerimeterResult r;
  std::uint32_t diagonals = 0;
  for (std::uint32_t i = 1; i <= chain.n(); ++i) diagonals += chain.geti(i) % 2;
  r.Perimeter = double(chain.n() - diagonals) + diagonals * std::numbers::sqrt2;
  if (Unscaled(scale)) {
    r.StatusText = "Perimeter=" + FormatFixedD(r.Perimeter, 10, 0) + " pixels";
  } else {
    const double s = r.Perimeter * scale;
    r.StatusText = "Perimeter=" + (s > 100 ? FormatFixedD(s, 10, 3) : FormatFixedD(s, 8, 6));
  }
  r.Listing.push_back(r.StatusText);
  return r;
}

void BWarea(const TPixelView& bm, int threshold, std::int32_t& Barea, std::int32_t& Warea) {
  long long black = 0;
  const int w = bm.Width;
  bool paletteBlack[256] = {};
  if (bm.Format == TPixelFormat::ie8p) {
    for (std::size_t i = 0; i < bm.Palette.size() && i < 256; ++i) {
      const TPaletteEntry& e = bm.Palette[i];
      paletteBlack[i] = int{e.Red} + e.Green + e.Blue < 3 * threshold;
    }
    for (std::size_t i = bm.Palette.size(); i < 256; ++i) paletteBlack[i] = 0 < 3 * threshold;
  }
  for (int r = 0; r < bm.Height; ++r) {
    const std::uint8_t* s = bm.Rows[static_cast<std::size_t>(r)];
    switch (bm.Format) {
      case TPixelFormat::ie1g:
        for (int c = 0; c < w; ++c) black += (s[c >> 3] & (0x80u >> (c & 7))) == 0;
        break;
      case TPixelFormat::ie8p:
        for (int c = 0; c < w; ++c) black += paletteBlack[s[c]];
        break;
      case TPixelFormat::ie8g:
        for (int c = 0; c < w; ++c) black += s[c] < threshold;
        break;
      case TPixelFormat::ie16g:
        for (int c = 0; c < w; ++c) {
          std::uint16_t v;
          std::memcpy(&v, s + 2 * c, 2);
          black += v < threshold;
        }
        break;
      case TPixelFormat::ie24RGB:
        for (int c = 0; c < w; ++c, s += 3) black += int{s[0]} + s[1] + s[2] < 3 * threshold;
        break;
      case TPixelFormat::ie32f:
        for (int c = 0; c < w; ++c) {
          float v;
          std::memcpy(&v, s + 4 * c, 4);
          const double d = double(v) * 255.0;
          // Truncation toward zero, compared without converting out-of-range values.
          black += std::trunc(d) < threshold;
        }
        break;
      case TPixelFormat::ieOther:
        break;
    }
  }
  const long long total = CheckedMul<long long>(w, bm.Height);
  Barea = CheckedCast<std::int32_t>(black);
  Warea = CheckedCast<std::int32_t>(total - black);
}

std::string BWareaText(std::int32_t B, std::int32_t W, double scale) {
  if (Unscaled(scale)) return "Areas: B=" + FormatFixedD(B, 6, 0) + " W=" + FormatFixedD(W, 6, 0);
  const double b = B * scale * scale;
  const double w = W * scale * scale;
  if (b > 100 || w > 100)
    return "Areas: B=" + FormatFixedD(b, 10, 3) + " W= " + FormatFixedD(w, 10, 3);
  return "Areas: B=" + FormatFixedD(b, 8, 6) + " W= " + FormatFixedD(w, 8, 6);
}
