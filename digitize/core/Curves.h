#pragma once
// Curve computations: removal of repeated points, resampling by index steps or by length, and
// the area and length of a curve with the texts shown for them. Points are integer bitmap
// coordinates.

#include <optional>
#include <string>
#include <vector>

#include "model/Vectors.h"

// Drops each point equal to the one before it (only neighbours are compared). Answers true
// when points were dropped. Curves of fewer than 2 points are left alone.
bool RemoveDuplicateCurvePoints(std::vector<Ticoords>& points);

// m points picked at equal index steps, the first and last kept; needs 2 <= m <= n.
std::vector<Ticoords> ResampleBySteps(const std::vector<Ticoords>& P, int m);
// m points at equal distances along the curve (m >= 2), rounded to the nearest integer.
// A curve without length (fewer than 2 points, or all points in one place) has no sound
// result: the answer is empty.
std::vector<Ticoords> ResampleByLength(const std::vector<Ticoords>& P, int m);

// Area of the closed polygon through the points (shoelace), in square pixels.
double PolylineArea(const std::vector<Ticoords>& points);
// Sum of the segments between consecutive points (not closed), in pixels.
double PolylineLength(const std::vector<Ticoords>& points);

// Scales are "unscaled" within 1e-6 of 0 or 1.
struct TCurveMeasure {
  double Value = 0;        // scaled, unrounded
  std::string StatusText;  // " Pts=%d, Area=%d" / " Pts=%d, Area=%.6f" (and Length)
};
TCurveMeasure CurveArea(const std::vector<Ticoords>& points, double scale);
TCurveMeasure CurveLength(const std::vector<Ticoords>& points, double scale);
// "Curve area = %12.7f" and "Curve length = %12.7f".
std::string CurveAreaLine(double lastCurveArea);
std::string CurveLengthLine(double lastCurveLength);

// The resample dialog's check: valid when m >= 2 and, by steps, m <= n.
bool ValidResampleCount(int m, int n, bool bySteps);
