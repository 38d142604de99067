#include "outline/core/ThresholdGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/Checked.h"

TPixelView TPixelView::FromBuffer(TPixelFormat format, int width, int height,
                                  const std::uint8_t* data, std::ptrdiff_t stride) {
  TPixelView v;
  v.Format = format;
  v.Width = CheckedCount(width);
  v.Height = CheckedCount(height);
  v.Rows.resize(static_cast<std::size_t>(v.Height));
  for (int i = 0; i < v.Height; ++i) v.Rows[static_cast<std::size_t>(i)] = data + i * stride;
  return v;
}

void TThresholdGrid::Clear() {
  FWidth = FHeight = 0;
  FCellBytes = 1;
  F8 = {};
  F16 = {};
  F32 = {};
}

void TThresholdGrid::Reset(int width, int height, int cellBytes) {
  const std::size_t cells =
      static_cast<std::size_t>(CheckedMul<long long>(CheckedCount(width), CheckedCount(height)));
  // The storage of the last build is reused: a trace rebuilds the grid of the same image
  // again and again, and fresh memory for a large image costs more than filling it.
  FWidth = width;
  FHeight = height;
  FCellBytes = cellBytes;
  if (cellBytes != 1) F8 = {};
  if (cellBytes != 2) F16 = {};
  if (cellBytes != 4) F32 = {};
  switch (cellBytes) {
    case 1:
      F8.resize(cells);
      break;
    case 2:
      F16.resize(cells);
      break;
    default:
      F32.resize(cells);
      break;
  }
}

void TThresholdGrid::ZeroCells() {
  std::fill(F8.begin(), F8.end(), 0);
  std::fill(F16.begin(), F16.end(), 0);
  std::fill(F32.begin(), F32.end(), 0);
}

namespace {

int CellBytesFor(TPixelFormat f) {
  switch (f) {
    case TPixelFormat::ie16g:
      return 2;
    case TPixelFormat::ie32f:
      return 4;
    default:
      return 1;
  }
}

// value x 255 truncated toward zero; values beyond the 32-bit range saturate, NaN gives 0.
std::int32_t FloatCell(float v) {
  const double d = static_cast<double>(v) * 255.0;
  if (!(d == d)) return 0;
  if (d >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (d <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(d);
}

void FillRow1g(const std::uint8_t* src, std::uint8_t* dst, int w) {
  for (int c = 0; c < w; ++c) dst[c] = (src[c >> 3] & (0x80u >> (c & 7))) ? 255 : 0;
}

void FillRow8p(const std::uint8_t* src, std::uint8_t* dst, int w, const std::uint8_t* lut) {
  for (int c = 0; c < w; ++c) dst[c] = lut[src[c]];
}

void FillRow24(const std::uint8_t* src, std::uint8_t* dst, int w) {
  for (int c = 0; c < w; ++c, src += 3) {
    const unsigned sum = unsigned{src[0]} + src[1] + src[2];
    dst[c] = static_cast<std::uint8_t>(sum / 3u);
  }
}

}  // namespace

void BuildThresholdGrid(const TPixelView& bitmap, int& rows, int& columns, TThresholdGrid& grid) {
  const int w = bitmap.Width;
  const int h = bitmap.Height;
  if (static_cast<int>(bitmap.Rows.size()) < h)
    ThrowRangeError("Bitmap view has fewer rows than its height");
  grid.Reset(w, h, CellBytesFor(bitmap.Format));
  // Every other format writes every cell below.
  if (bitmap.Format == TPixelFormat::ieOther) grid.ZeroCells();
  rows = h;
  columns = w;

  std::uint8_t lut[256] = {};
  if (bitmap.Format == TPixelFormat::ie8p) {
    // Entries beyond the palette read as black, as a short palette leaves them.
    const std::size_t n = std::min<std::size_t>(bitmap.Palette.size(), 256);
    for (std::size_t i = 0; i < n; ++i) {
      const TPaletteEntry& p = bitmap.Palette[i];
      lut[i] = static_cast<std::uint8_t>((unsigned{p.Red} + p.Green + p.Blue) / 3u);
    }
  }

  for (int i = 0; i < h; ++i) {
    const std::uint8_t* src = bitmap.Rows[static_cast<std::size_t>(i)];
    const std::size_t off = grid.Offset(h - 1 - i);
    switch (bitmap.Format) {
      case TPixelFormat::ie1g:
        FillRow1g(src, grid.F8.data() + off, w);
        break;
      case TPixelFormat::ie8p:
        FillRow8p(src, grid.F8.data() + off, w, lut);
        break;
      case TPixelFormat::ie8g:
        std::memcpy(grid.F8.data() + off, src, static_cast<std::size_t>(w));
        break;
      case TPixelFormat::ie16g:
        std::memcpy(grid.F16.data() + off, src, static_cast<std::size_t>(w) * 2);
        break;
      case TPixelFormat::ie24RGB:
        FillRow24(src, grid.F8.data() + off, w);
        break;
      case TPixelFormat::ie32f: {
        std::int32_t* dst = grid.F32.data() + off;
        for (int c = 0; c < w; ++c) {
          float v;
          std::memcpy(&v, src + static_cast<std::size_t>(c) * 4, 4);
          dst[c] = FloatCell(v);
        }
        break;
      }
      case TPixelFormat::ieOther:
        break;
    }
  }
}
