#include "imaging/ImageProcessor.h"

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstring>

#include <unordered_set>
#include <vector>

namespace {

void ReverseBits(std::uint8_t* row, int w) {
  std::vector<std::uint8_t> src(row, row + (w + 7) / 8);
  std::fill(row, row + (w + 7) / 8, 0);
  for (int x = 0; x < w; ++x) {
    const int sx = w - 1 - x;
    if (src[sx >> 3] & (0x80 >> (sx & 7))) row[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
  }
}

void ReversePixels(std::uint8_t* row, int w, std::size_t bytes) {
  std::vector<std::uint8_t> tmp(bytes);
  for (int a = 0, b = w - 1; a < b; ++a, --b) {
    std::memcpy(tmp.data(), row + a * bytes, bytes);
    std::memcpy(row + a * bytes, row + b * bytes, bytes);
    std::memcpy(row + b * bytes, tmp.data(), bytes);
  }
}

std::uint8_t Blend(std::uint8_t over, std::uint8_t under, int op) {
  return static_cast<std::uint8_t>((over * op + under * (255 - op) + 127) / 255);
}

}  // namespace

TImageProcessor::TImageProcessor(TIEBitmap& bitmap) : FBitmap(bitmap) {
  const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
  FHistoryBudget =
      pages > 0 && size > 0 ? std::size_t(pages) * std::size_t(size) / 4 : std::size_t(2) << 30;
}

void TImageProcessor::SetHistoryBudget(std::size_t bytes) {
  FHistoryBudget = bytes;
  KeepWithinBudget();
}

void TImageProcessor::KeepWithinBudget() {
  while (HistoryBytes() > FHistoryBudget && (FUndo.size() > 1 || FRedo.size() > 1)) {
    if (FUndo.size() >= FRedo.size())
      FUndo.pop_back();
    else
      FRedo.pop_back();
  }
}

void TImageProcessor::Notify(const TIERect& r) const {
  if (FOnChange) FOnChange(r);
}

void TImageProcessor::AutoSave(const char* caption) {
  if (FAutoUndo) SaveUndoCaptioned(caption);
}

void TImageProcessor::ConvertToGray() {
  if (FBitmap.IsEmpty()) return;
  AutoSave("Convert to gray");
  const int w = FBitmap.Width(), h = FBitmap.Height();
  switch (FBitmap.PixelFormat()) {
    case TIEPixelFormat::ie24RGB:
      for (int y = 0; y < h; ++y) {
        std::uint8_t* row = FBitmap.WritableScanLine(y);
        for (int x = 0; x < w; ++x) {
          const std::uint8_t g = LuminanceOf({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
          row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = g;
        }
      }
      break;
    case TIEPixelFormat::ie8p:
      for (int i = 0; i < 256; ++i) {
        const std::uint8_t g = LuminanceOf(FBitmap.Palette()[i]);
        FBitmap.SetPaletteEntry(i, {g, g, g});
      }
      break;
    default:
      break;  // already grey
  }
  NotifyAll();
}

void TImageProcessor::Negative() {
  if (FBitmap.IsEmpty()) return;
  AutoSave("Negative");
  const int w = FBitmap.Width(), h = FBitmap.Height();
  const TIEPixelFormat pf = FBitmap.PixelFormat();
  if (pf == TIEPixelFormat::ie8p) {
    for (int i = 0; i < 256; ++i) {
      const TIERGB c = FBitmap.Palette()[i];
      FBitmap.SetPaletteEntry(
          i, {std::uint8_t(255 - c.r), std::uint8_t(255 - c.g), std::uint8_t(255 - c.b)});
    }
  } else {
    for (int y = 0; y < h; ++y) {
      std::uint8_t* row = FBitmap.WritableScanLine(y);
      switch (pf) {
        case TIEPixelFormat::ie1g:
          for (int i = 0; i < (w + 7) / 8; ++i) row[i] = std::uint8_t(~row[i]);
          break;
        case TIEPixelFormat::ie8g:
          for (int x = 0; x < w; ++x) row[x] = std::uint8_t(255 - row[x]);
          break;
        case TIEPixelFormat::ie24RGB:
          for (int x = 0; x < 3 * w; ++x) row[x] = std::uint8_t(255 - row[x]);
          break;
        case TIEPixelFormat::ie16g:
          for (int x = 0; x < w; ++x) {
            std::uint16_t v;
            std::memcpy(&v, row + 2 * x, 2);
            v = std::uint16_t(65535 - v);
            std::memcpy(row + 2 * x, &v, 2);
          }
          break;
        case TIEPixelFormat::ie32f:
          for (int x = 0; x < w; ++x) {
            float v;
            std::memcpy(&v, row + 4 * x, 4);
            v = 1.0f - v;
            std::memcpy(row + 4 * x, &v, 4);
          }
          break;
        default:
          break;
      }
    }
  }
  NotifyAll();
}

void TImageProcessor::Flip(TFlipDirection d) {
  if (FBitmap.IsEmpty()) return;
  AutoSave(d == TFlipDirection::fdHorizontal ? "Flip horizontal" : "Flip vertical");
  const int w = FBitmap.Width(), h = FBitmap.Height();
  if (d == TFlipDirection::fdHorizontal) {
    const int bpp = BitsPerPixel(FBitmap.PixelFormat());
    for (int y = 0; y < h; ++y) {
      std::uint8_t* row = FBitmap.WritableScanLine(y);
      if (bpp == 1)
        ReverseBits(row, w);
      else
        ReversePixels(row, w, static_cast<std::size_t>(bpp / 8));
    }
  } else {
    std::vector<std::uint8_t> tmp(FBitmap.RowStride());
    for (int a = 0, b = h - 1; a < b; ++a, --b) {
      std::uint8_t* ra = FBitmap.WritableScanLine(a);
      std::uint8_t* rb = FBitmap.WritableScanLine(b);
      std::memcpy(tmp.data(), ra, tmp.size());
      std::memcpy(ra, rb, tmp.size());
      std::memcpy(rb, tmp.data(), tmp.size());
    }
  }
  NotifyAll();
}

bool TImageProcessor::Crop(const TIERect& r0) {
  const TIERect r{std::max(0, r0.Left), std::max(0, r0.Top), std::min(FBitmap.Width(), r0.Right),
                  std::min(FBitmap.Height(), r0.Bottom)};
  if (r.IsEmpty()) return false;
  AutoSave("Crop");
  FBitmap = FBitmap.Copy(r);
  NotifyAll();
  return true;
}

void TImageProcessor::ConvertToBWThreshold(int threshold) {
  if (FBitmap.IsEmpty()) return;
  AutoSave("Threshold");
  const int w = FBitmap.Width(), h = FBitmap.Height();
  const TIEPixelFormat pf = FBitmap.PixelFormat();
  TIEBitmap out(w, h, TIEPixelFormat::ie1g);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = FBitmap.ScanLine(y);
    std::uint8_t* o = out.WritableScanLine(y);
    for (int x = 0; x < w; ++x) {
      bool black = false;
      switch (pf) {
        case TIEPixelFormat::ie1g:
          black = !(in[x >> 3] & (0x80 >> (x & 7)));
          break;
        case TIEPixelFormat::ie8p: {
          const TIERGB c = FBitmap.Palette()[in[x]];
          black = c.r + c.g + c.b < 3 * threshold;
          break;
        }
        case TIEPixelFormat::ie8g:
          black = in[x] < threshold;
          break;
        case TIEPixelFormat::ie16g: {
          std::uint16_t v;
          std::memcpy(&v, in + 2 * x, 2);
          black = v < threshold;
          break;
        }
        case TIEPixelFormat::ie24RGB:
          black = in[3 * x] + in[3 * x + 1] + in[3 * x + 2] < 3 * threshold;
          break;
        case TIEPixelFormat::ie32f: {
          float v;
          std::memcpy(&v, in + 4 * x, 4);
          black = static_cast<long>(v * 255.0f) < threshold;
          break;
        }
        default:
          break;
      }
      if (!black) o[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
    }
  }
  FBitmap = std::move(out);
  NotifyAll();
}

void TImageProcessor::PaintPenMarker(int x, int y, int width, TIEColor color, int opacity) {
  if (FBitmap.IsEmpty() || width < 1) return;
  bool all = false;
  if (FBitmap.PixelFormat() != TIEPixelFormat::ie24RGB) {
    FBitmap.ConvertTo(TIEPixelFormat::ie24RGB);
    all = true;
  }
  opacity = std::clamp(opacity, 0, 255);
  const double r = width / 2.0;
  const int reach = static_cast<int>(std::floor(r));
  const int y0 = std::max(0, y - reach), y1 = std::min(FBitmap.Height() - 1, y + reach);
  const int x0 = std::max(0, x - reach), x1 = std::min(FBitmap.Width() - 1, x + reach);
  if (y0 > y1 || x0 > x1) {
    if (all) NotifyAll();
    return;
  }
  const std::uint8_t cr = IERed(color), cg = IEGreen(color), cb = IEBlue(color);
  for (int py = y0; py <= y1; ++py) {
    std::uint8_t* row = FBitmap.WritableScanLine(py);
    for (int px = x0; px <= x1; ++px) {
      const double dx = px - x, dy = py - y;
      if (dx * dx + dy * dy > r * r) continue;
      std::uint8_t* p = row + 3 * px;
      p[0] = Blend(cr, p[0], opacity);
      p[1] = Blend(cg, p[1], opacity);
      p[2] = Blend(cb, p[2], opacity);
    }
  }
  if (all)
    NotifyAll();
  else
    Notify({x0, y0, x1 + 1, y1 + 1});
}

void TImageProcessor::SetUndoLimit(int n) {
  FUndoLimit = std::max(0, n);
  while (static_cast<int>(FUndo.size()) > FUndoLimit) FUndo.pop_back();
  while (static_cast<int>(FRedo.size()) > FUndoLimit) FRedo.pop_back();
}

std::string TImageProcessor::UndoCaptions(int i) const {
  return i >= 0 && i < UndoCount() ? FUndo[static_cast<std::size_t>(i)].Caption : std::string();
}

std::string TImageProcessor::RedoCaptions(int i) const {
  return i >= 0 && i < RedoCount() ? FRedo[static_cast<std::size_t>(i)].Caption : std::string();
}

void TImageProcessor::Push(std::deque<TStep>& stack, const std::string& caption) {
  if (FUndoLimit == 0) return;
  stack.push_front({caption, FBitmap.Snapshot()});
  while (static_cast<int>(stack.size()) > FUndoLimit) stack.pop_back();  // the oldest goes
  KeepWithinBudget();
}

void TImageProcessor::SaveUndoCaptioned(const std::string& caption) {
  Push(FUndo, caption);
}
void TImageProcessor::SaveRedoCaptioned(const std::string& caption) {
  Push(FRedo, caption);
}

bool TImageProcessor::Undo() {
  if (FUndo.empty()) return false;
  FBitmap.Restore(FUndo.front().Image);
  NotifyAll();
  return true;
}

bool TImageProcessor::Redo() {
  if (FRedo.empty()) return false;
  FBitmap.Restore(FRedo.front().Image);
  NotifyAll();
  return true;
}

void TImageProcessor::ClearUndo() {
  if (!FUndo.empty()) FUndo.pop_front();
}

void TImageProcessor::ClearRedo() {
  if (!FRedo.empty()) FRedo.pop_front();
}

void TImageProcessor::ClearAllUndo() {
  FUndo.clear();
}
void TImageProcessor::ClearAllRedo() {
  FRedo.clear();
}

std::size_t TImageProcessor::HistoryBytes() const {
  std::unordered_set<const void*> seen;
  const TIEBitmap::TSnapshot now = FBitmap.Snapshot();
  for (const auto& b : now.Bands) seen.insert(b.get());
  std::size_t n = 0;
  for (const auto* stack : {&FUndo, &FRedo})
    for (const auto& step : *stack)
      for (const auto& b : step.Image.Bands)
        if (seen.insert(b.get()).second) n += b->size();
  return n;
}
