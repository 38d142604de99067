#pragma once
// The outline tracer: finds the first object to the left of a press on the intensity grid and
// follows its boundary as an 8-direction chain code.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Outline.h"
#include "outline/core/ThresholdGrid.h"

// Capacity of a traced chain; a longer boundary is cut off there.
constexpr std::uint32_t TraceCapacity = 6000;

// Classes grid cells as object or background.
struct TObjectTest {
  const TThresholdGrid* Grid = nullptr;
  int Threshold = 128;  // 0..255
  bool Dark = true;     // dark objects on a light ground (value <= Threshold)
};

// False outside the grid (also for negative coordinates).
bool IsObjectPixel(const TObjectTest& test, int x, int y);
// Steps from (x, y) in direction d (brought into 0..7 first) and tests that cell; column 0 and
// row 0 never pass.
bool IsObjectNeighbour(const TObjectTest& test, int d, int x, int y);
// The code of the unit step (dx, dy), each in -1..1 and not both 0.
int ChainDirection(int dx, int dy);

// True when the closed polygon through the chain's points runs clockwise (y upwards).
bool IsClockwiseChain(const TOutline& outline);
// The same boundary walked the other way: codes (c + 4) mod 8 in reverse order, start point,
// centroid fields and capacity n; clockwise flag as given.
std::unique_ptr<TOutline> ReverseChain(const TOutline& outline, bool clockwise);

// The listing line when "Clockwise outlines" is turned over.
std::string ClockwiseOptionText(bool clockwise);

struct TTraceSettings {
  int Threshold = 128;
  bool Dark = true;
  bool Clockwise = false;  // "Clockwise outlines"
  // Lets pending window messages run: every 50 columns searched, every 100 codes traced.
  std::function<void()> ProcessMessages;
  // Receives the status texts shown while working (" Searching ...", " Outlining ...").
  std::function<void(const std::string&)> Status;
};

struct TTraceResult {
  std::unique_ptr<TOutline> Outline;  // the trial outline; none when no object was found
  // Image coordinates: the start point, then one point per code in the order traced.
  std::vector<Ticoords> TrialPoints;
  bool Closed = false;      // the trace came back to its start cell
  bool CutOff = false;      // stopped at TraceCapacity codes
  bool HasDisplay = false;  // the outline is drawn (a trace that got stuck is not)
  std::string StatusText;   // " outline = %d points", " outline cutoff at %d", " no outline!"
};

// Traces from the press at bitmap point (xMouse, yMouse) on grid (built from the bitmap).
// A start cell in row 0 (a press on or below the bottom image row) can never be re-entered
// and is refused like a missing object. A cut-off chain is not closed; the tracer walks every
// boundary counter-clockwise, so it is reversed exactly when Clockwise is set, and its reverse
// starts where the trace stopped, covering the same cells.
TTraceResult TraceOutline(const TThresholdGrid& grid, int xMouse, int yMouse,
                          const TTraceSettings& settings);
