#pragma once
// Area, centroid and perimeter of a traced chain, and the black and white pixel areas of a
// bitmap, with the texts shown for them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Outline.h"
#include "outline/core/ThresholdGrid.h"

struct TAreaResult {
  double Area = 0;         // square pixels
  Tcoords Centroid;        // grid coordinates, mean of P0..Pn
  std::string StatusText;  // "Area=..." (scaled when Scale is neither 0 nor 1)
  std::vector<std::string> Listing;
};
TAreaResult EnclosedArea(const TOutline& chain, double scale);

struct TPerimeterResult {
  double Perimeter = 0;  // pixels
  std::string StatusText;
  std::vector<std::string> Listing;
};
TPerimeterResult ChainPerimeter(const TOutline& chain, double scale);

// Pixels darker than threshold (strictly) by the rules of the bitmap's pixel format, and the
// rest.
void BWarea(const TPixelView& bitmap, int threshold, std::int32_t& Barea, std::int32_t& Warea);
// "Areas: B=... W=..." for the counts, scaled when Scale is neither 0 nor 1.
std::string BWareaText(std::int32_t Barea, std::int32_t Warea, double scale);
