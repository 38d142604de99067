#pragma once
// The image profile: grey levels along one column or row of the intensity grid, optionally
// averaged over a band, and the geometry of its plot.

#include <cstdint>
#include <string>
#include <vector>

#include "outline/core/ThresholdGrid.h"

struct TProfile {
  std::vector<int> Values;  // one per pixel along the line; empty when nothing was sampled
  int maxBright = 0;
};

// Samples at bitmap point (x, y): a vertical profile takes column x from the top row down,
// averaged with the width - 1 columns to its right; a horizontal one row y from the left,
// averaged with the width - 1 rows above it. A band reaching past the image is clipped to it
// (the mean of the lines that exist); a line outside the image samples nothing.
TProfile SampleProfile(const TThresholdGrid& grid, int x, int y, bool vertical, int width);

struct TPlotLine {
  int X1, Y1, X2, Y2;
  bool operator==(const TPlotLine&) const = default;
};

// The plot in canvas coordinates (y down): (n + 14) x (maxBright + 11) pixels, axes, ticks
// every 10 levels on both axes, one bar per value and a tick every 10 values.
struct TProfilePlot {
  int Width = 0;
  int Height = 0;
  std::vector<TPlotLine> Lines;
};
TProfilePlot ProfilePlot(const TProfile& profile);

// The plot is saved as a Windows bitmap only: any other extension (case aside) raises
// ElmkException "Unsupported file type for profile plot".
void CheckProfilePlotFileName(const std::string& fileName);
