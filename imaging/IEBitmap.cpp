#include "imaging/IEBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <unordered_set>

namespace {

// Bands of about this size keep a paint stroke's copy small on very wide images.
constexpr std::size_t kBandBytes = 256 * 1024;

std::size_t StrideFor(int width, TIEPixelFormat f) {
  const std::size_t bits =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsPerPixel(f));
  const std::size_t bytes = (bits + 7) / 8;
  return (bytes + 3) / 4 * 4;
}

std::uint8_t ClampByte(double v) {
  if (v <= 0) return 0;
  if (v >= 255) return 255;
  return static_cast<std::uint8_t>(std::lround(v));
}

}  // namespace

int BitsPerPixel(TIEPixelFormat f) {
  switch (f) {
    case TIEPixelFormat::ie1g:
      return 1;
    case TIEPixelFormat::ie8p:
    case TIEPixelFormat::ie8g:
      return 8;
    case TIEPixelFormat::ie16g:
      return 16;
    case TIEPixelFormat::ie24RGB:
      return 24;
    case TIEPixelFormat::ie32f:
      return 32;
    case TIEPixelFormat::ieNone:
      break;
  }
  return 0;
}

const char* PixelFormatName(TIEPixelFormat f) {
  switch (f) {
    case TIEPixelFormat::ie1g:
      return "ie1g";
    case TIEPixelFormat::ie8p:
      return "ie8p";
    case TIEPixelFormat::ie8g:
      return "ie8g";
    case TIEPixelFormat::ie16g:
      return "ie16g";
    case TIEPixelFormat::ie24RGB:
      return "ie24RGB";
    case TIEPixelFormat::ie32f:
      return "ie32f";
    case TIEPixelFormat::ieNone:
      break;
  }
  return "ieNone";
}

std::uint8_t LuminanceOf(TIERGB c) {
  return ClampByte(0.299 * c.r + 0.587 * c.g + 0.114 * c.b);
}

TIEBitmap::TIEBitmap(int width, int height, TIEPixelFormat format) {
  Allocate(width, height, format);
}

void TIEBitmap::Allocate(int width, int height, TIEPixelFormat format) {
  if (width < 0 || height < 0) throw std::length_error("Bitmap size below 0");
  // Guard the byte count: width * height * 4 must fit comfortably in memory addressing.
  const unsigned long long px =
      static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height);
  if (px > (1ULL << 34))
    throw std::length_error("Bitmap too large: " + std::to_string(width) + " x " +
                            std::to_string(height));
  FBands.clear();
  if (width == 0 || height == 0 || format == TIEPixelFormat::ieNone) {
    FWidth = FHeight = 0;
    FPixelFormat = width == 0 || height == 0 ? format : TIEPixelFormat::ieNone;
    FRowStride = 0;
    return;
  }
  FWidth = width;
  FHeight = height;
  FPixelFormat = format;
  FRowStride = StrideFor(width, format);
  FBandRows = static_cast<int>(std::clamp<std::size_t>(kBandBytes / FRowStride, 1, 256));
  const std::size_t nBands = (static_cast<std::size_t>(height) + FBandRows - 1) / FBandRows;
  FBands.reserve(nBands);
  for (std::size_t b = 0; b < nBands; ++b) {
    const int rows = std::min(FBandRows, height - static_cast<int>(b) * FBandRows);
    FBands.push_back(std::make_shared<std::vector<std::uint8_t>>(FRowStride * rows, 0));
  }
  if (format == TIEPixelFormat::ie8p) {
    // A fresh palette bitmap starts with a grey ramp.
    for (int i = 0; i < 256; ++i) FPalette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
  }
}

void TIEBitmap::Clear() {
  FBands.clear();
  FWidth = FHeight = 0;
  FPixelFormat = TIEPixelFormat::ieNone;
  FRowStride = 0;
}

const std::uint8_t* TIEBitmap::ScanLine(int y) const {
  if (y < 0 || y >= FHeight)
    throw std::out_of_range("Scan line " + std::to_string(y) + " out of range");
  const auto band = static_cast<std::size_t>(y / FBandRows);
  return FBands[band]->data() + static_cast<std::size_t>(y % FBandRows) * FRowStride;
}

std::uint8_t* TIEBitmap::WritableScanLine(int y) {
  if (y < 0 || y >= FHeight)
    throw std::out_of_range("Scan line " + std::to_string(y) + " out of range");
  const auto band = static_cast<std::size_t>(y / FBandRows);
  UnshareBand(band);
  return FBands[band]->data() + static_cast<std::size_t>(y % FBandRows) * FRowStride;
}

void TIEBitmap::UnshareBand(std::size_t band) {
  auto& p = FBands[band];
  if (p.use_count() > 1) p = std::make_shared<std::vector<std::uint8_t>>(*p);
}

void TIEBitmap::SetPalette(const std::vector<TIERGB>& palette) {
  FPalette.assign(256, TIERGB{});
  std::copy_n(palette.begin(), std::min<std::size_t>(256, palette.size()), FPalette.begin());
}

void TIEBitmap::SetPaletteEntry(int index, TIERGB c) {
  if (index < 0 || index > 255) throw std::out_of_range("Palette index " + std::to_string(index));
  FPalette[index] = c;
}

TIERGB TIEBitmap::PixelRGB(int x, int y) const {
  if (x < 0 || x >= FWidth)
    throw std::out_of_range("Pixel column " + std::to_string(x) + " out of range");
  const std::uint8_t* row = ScanLine(y);
  switch (FPixelFormat) {
    case TIEPixelFormat::ie1g: {
      const std::uint8_t v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      return {v, v, v};
    }
    case TIEPixelFormat::ie8p:
      return FPalette[row[x]];
    case TIEPixelFormat::ie8g:
      return {row[x], row[x], row[x]};
    case TIEPixelFormat::ie16g: {
      std::uint16_t v;
      std::memcpy(&v, row + 2 * x, 2);
      const auto g = static_cast<std::uint8_t>(v >> 8);
      return {g, g, g};
    }
    case TIEPixelFormat::ie24RGB:
      return {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
    case TIEPixelFormat::ie32f: {
      float v;
      std::memcpy(&v, row + 4 * x, 4);
      const std::uint8_t g = ClampByte(v * 255.0);
      return {g, g, g};
    }
    case TIEPixelFormat::ieNone:
      break;
  }
  return {};
}

void TIEBitmap::SetPixelRGB(int x, int y, TIERGB c) {
  if (x < 0 || x >= FWidth)
    throw std::out_of_range("Pixel column " + std::to_string(x) + " out of range");
  std::uint8_t* row = WritableScanLine(y);
  switch (FPixelFormat) {
    case TIEPixelFormat::ie1g:
      if (LuminanceOf(c) >= 128)
        row[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
      else
        row[x >> 3] &= std::uint8_t(~(0x80 >> (x & 7)));
      break;
    case TIEPixelFormat::ie8p: {
      int best = 0;
      long bestD = std::numeric_limits<long>::max();
      for (int i = 0; i < 256; ++i) {
        const long dr = FPalette[i].r - c.r, dg = FPalette[i].g - c.g, db = FPalette[i].b - c.b;
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestD) bestD = d, best = i;
      }
      row[x] = static_cast<std::uint8_t>(best);
      break;
    }
    case TIEPixelFormat::ie8g:
      row[x] = LuminanceOf(c);
      break;
    case TIEPixelFormat::ie16g: {
      const std::uint16_t v = static_cast<std::uint16_t>(LuminanceOf(c) * 257);
      std::memcpy(row + 2 * x, &v, 2);
      break;
    }
    case TIEPixelFormat::ie24RGB:
      row[3 * x] = c.r;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.b;
      break;
    case TIEPixelFormat::ie32f: {
      const float v = static_cast<float>(LuminanceOf(c) / 255.0);
      std::memcpy(row + 4 * x, &v, 4);
      break;
    }
    case TIEPixelFormat::ieNone:
      break;
  }
}

void TIEBitmap::ConvertTo(TIEPixelFormat format) {
  if (format == FPixelFormat || IsEmpty()) {
    if (IsEmpty()) FPixelFormat = format;
    return;
  }
  TIEBitmap out(FWidth, FHeight, format);
  if (format == TIEPixelFormat::ie8p) out.FPalette = FPalette;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* o = out.WritableScanLine(y);
    const std::uint8_t* in = ScanLine(y);
    for (int x = 0; x < FWidth; ++x) {
      // Grey-to-grey conversions keep the full precision of the source.
      if (format == TIEPixelFormat::ie16g && FPixelFormat == TIEPixelFormat::ie32f) {
        float f;
        std::memcpy(&f, in + 4 * x, 4);
        const auto v = static_cast<std::uint16_t>(std::clamp(std::lround(f * 65535.0), 0L, 65535L));
        std::memcpy(o + 2 * x, &v, 2);
      } else if (format == TIEPixelFormat::ie32f && FPixelFormat == TIEPixelFormat::ie16g) {
        std::uint16_t v;
        std::memcpy(&v, in + 2 * x, 2);
        const float f = static_cast<float>(v / 65535.0);
        std::memcpy(o + 4 * x, &f, 4);
      } else if (format == TIEPixelFormat::ie16g) {
        const std::uint16_t v = static_cast<std::uint16_t>(LuminanceOf(PixelRGB(x, y)) * 257);
        std::memcpy(o + 2 * x, &v, 2);
      } else if (format == TIEPixelFormat::ie8p && FPixelFormat != TIEPixelFormat::ie8p) {
        o[x] = LuminanceOf(PixelRGB(x, y));  // grey ramp palette
      } else {
        out.SetPixelRGB(x, y, PixelRGB(x, y));
      }
    }
  }
  *this = std::move(out);
}

TIEBitmap TIEBitmap::Copy(const TIERect& r0) const {
  TIERect r{std::max(0, r0.Left), std::max(0, r0.Top), std::min(FWidth, r0.Right),
            std::min(FHeight, r0.Bottom)};
  TIEBitmap out;
  if (r.IsEmpty()) {
    out.FPixelFormat = FPixelFormat;
    return out;
  }
  out.Allocate(r.Width(), r.Height(), FPixelFormat);
  out.FPalette = FPalette;
  const int bpp = BitsPerPixel(FPixelFormat);
  for (int y = 0; y < r.Height(); ++y) {
    const std::uint8_t* in = ScanLine(r.Top + y);
    std::uint8_t* o = out.WritableScanLine(y);
    if (bpp == 1) {
      for (int x = 0; x < r.Width(); ++x) {
        const int sx = r.Left + x;
        if (in[sx >> 3] & (0x80 >> (sx & 7))) o[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
      }
    } else {
      const std::size_t bytes = static_cast<std::size_t>(bpp / 8);
      std::memcpy(o, in + bytes * r.Left, bytes * r.Width());
    }
  }
  return out;
}

TIEBitmap::TSnapshot TIEBitmap::Snapshot() const {
  return TSnapshot{FWidth, FHeight, FPixelFormat, FRowStride, FBandRows, FPalette, FBands};
}

void TIEBitmap::Restore(const TSnapshot& s) {
  FWidth = s.Width;
  FHeight = s.Height;
  FPixelFormat = s.PixelFormat;
  FRowStride = s.RowStride;
  FBandRows = s.BandRows;
  FPalette = s.Palette;
  FBands = s.Bands;
}

std::size_t TIEBitmap::BytesNotSharedWith(const TSnapshot& s) const {
  std::unordered_set<const void*> mine;
  for (const auto& b : FBands) mine.insert(b.get());
  std::size_t n = 0;
  for (const auto& b : s.Bands)
    if (!mine.count(b.get())) n += b->size();
  return n;
}

std::size_t TIEBitmap::ByteSize() const {
  std::size_t n = 0;
  for (const auto& b : FBands) n += b->size();
  return n;
}

bool SamePixels(const TIEBitmap& a, const TIEBitmap& b) {
  if (a.FWidth != b.FWidth || a.FHeight != b.FHeight || a.FPixelFormat != b.FPixelFormat)
    return false;
  if (a.FPixelFormat == TIEPixelFormat::ie8p && a.FPalette != b.FPalette) return false;
  const int bpp = BitsPerPixel(a.FPixelFormat);
  const std::size_t fullBytes = static_cast<std::size_t>(a.FWidth) * bpp / 8;
  const int restBits = static_cast<int>((static_cast<std::size_t>(a.FWidth) * bpp) % 8);
  for (int y = 0; y < a.FHeight; ++y) {
    const std::uint8_t* ra = a.ScanLine(y);
    const std::uint8_t* rb = b.ScanLine(y);
    if (std::memcmp(ra, rb, fullBytes) != 0) return false;
    if (restBits) {
      const std::uint8_t mask = static_cast<std::uint8_t>(0xFF << (8 - restBits));
      if ((ra[fullBytes] & mask) != (rb[fullBytes] & mask)) return false;
    }
  }
  return true;
}
