#pragma once
// Turning a traced chain into the stored outline forms, and the point lists that draw them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Outline.h"

// The points of a chain: P0 = (x1, y1), then the point reached after each code (n + 1 points).
std::vector<Ticoords> ChainPoints(const TOutline& chain);

// The object ID and the polyline points in image coordinates that show a stored outline on an
// image of height imageHeight (chain 5, radii 9, radii XY 10, XY 4).
struct TOutlineDrawing {
  int ObjectID = 0;
  std::vector<Ticoords> Points;
};
TOutlineDrawing OutlineObjectPoints(const TOutline& outline, int imageHeight);

// "Save as chain codes": a copy of the trial outline with its capacity, start point, centroid
// fields, codes and clockwise flag.
std::unique_ptr<TOutline> SaveAsChain(const TOutline& trial);

struct TOutlineSaveResult {
  std::unique_ptr<TOutline> Entry;
  std::vector<std::string> Listing;  // lines for the report listing
  std::string StatusText;            // empty when the command sets none
  // XY only: when fewer points than codes were kept, the display points (image coordinates);
  // otherwise empty and the trial points are shown.
  std::vector<Ticoords> DisplayPoints;
  bool Reduced = false;
};

// "Save as XY coords.": m points sampled along the chain, by index steps (lengthInSteps) or by
// boundary length; m in 2..n (the dialog's limits; other values are refused).
TOutlineSaveResult SaveAsXY(const TOutline& trial, std::uint32_t m, bool clockwise,
                            bool lengthInSteps, int gridHeight);

// Mean of P0..Pn (the start point counts twice for a closed outline).
Tcoords ChainCentroid(const TOutline& chain);

// The kept points K0..K(c-1) whose angle about the outline's centroid advances monotonically in
// the tracing direction; adds the reduction line to listing when c < n.
std::vector<Ticoords> ReduceToStarShape(const TOutline& outline, bool clockwise,
                                        std::vector<std::string>& listing);

// "Save as radii" and "Save as radii XY": m radii (or radii end points) at equal angle steps
// about the centroid, which is also stored into trial. m in 2..n; more than the reduction kept
// gives as many as were kept.
TOutlineSaveResult SaveAsRadii(TOutline& trial, std::uint32_t m, bool clockwise);
TOutlineSaveResult SaveAsRadiiXY(TOutline& trial, std::uint32_t m, bool clockwise);
