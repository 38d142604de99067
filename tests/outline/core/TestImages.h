#pragma once
// Small bitmaps for the outline tests, drawn as text: '#' is a dark object pixel (0), any other
// character light ground (255). Row 0 of the text is the top image row.

#include <cstdint>
#include <string>
#include <vector>

#include "outline/core/ThresholdGrid.h"

struct TTestImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // 8-bit grey, rows top to bottom

  TPixelView View() const {
    return TPixelView::FromBuffer(TPixelFormat::ie8g, Width, Height, Pixels.data(), Width);
  }
  TThresholdGrid Grid() const {
    TThresholdGrid g;
    int rows = 0, cols = 0;
    BuildThresholdGrid(View(), rows, cols, g);
    return g;
  }
};

inline TTestImage DrawImage(const std::vector<std::string>& rows) {
  TTestImage im;
  im.Height = static_cast<int>(rows.size());
  im.Width = im.Height ? static_cast<int>(rows[0].size()) : 0;
  for (const std::string& r : rows)
    for (char c : r) im.Pixels.push_back(c == '#' ? 0 : 255);
  return im;
}

// An image of w x h light pixels with a dark rectangle at columns x..x+rw-1, rows y..y+rh-1.
inline TTestImage BlockImage(int w, int h, int x, int y, int rw, int rh) {
  TTestImage im{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h, 255)};
  for (int r = y; r < y + rh; ++r)
    for (int c = x; c < x + rw; ++c) im.Pixels[static_cast<std::size_t>(r) * w + c] = 0;
  return im;
}
