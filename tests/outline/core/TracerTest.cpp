#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestImages.h"
#include "formats/ChainCode.h"
#include "outline/core/OutlineConvert.h"
#include "outline/core/OutlineMeasure.h"
#include "outline/core/Tracer.h"

namespace {

std::string Codes(const TOutline& o) {
  std::string s;
  for (std::uint32_t i = 1; i <= o.n(); ++i) s += static_cast<char>('0' + o.geti(i));
  return s;
}

TTraceResult Trace(const TTestImage& im, int x, int y, bool clockwise = false, bool dark = true,
                   int threshold = 128) {
  TTraceSettings s;
  s.Threshold = threshold;
  s.Dark = dark;
  s.Clockwise = clockwise;
  return TraceOutline(im.Grid(), x, y, s);
}

TEST(ChainDirection, InvertsTheChainStep) {
  for (int c = 0; c < 8; ++c) {
    int x = 0, y = 0;
    ChainStep(c, x, y);
    EXPECT_EQ(ChainDirection(x, y), c);
  }
  EXPECT_ANY_THROW(ChainDirection(0, 0));
}

TEST(ClockwiseOption, ListingTexts) {
  EXPECT_EQ(ClockwiseOptionText(true), "Outline contours will be traced clockwise.");
  EXPECT_EQ(ClockwiseOptionText(false), "Outline contours will be traced counter clockwise.");
}

TEST(ObjectCells, ThresholdAndBounds) {
  const TTestImage im = DrawImage({"#.", ".."});
  const TThresholdGrid g = im.Grid();
  const TObjectTest dark{&g, 128, true};
  const TObjectTest light{&g, 128, false};
  EXPECT_TRUE(IsObjectPixel(dark, 0, 1));  // top-left image pixel is grid row 1
  EXPECT_FALSE(IsObjectPixel(dark, 0, 0));
  EXPECT_FALSE(IsObjectPixel(dark, 2, 1));
  EXPECT_FALSE(IsObjectPixel(dark, -1, 1));
  EXPECT_TRUE(IsObjectPixel(light, 1, 0));
  // The value equal to the threshold is object when dark, background when light.
  const TObjectTest darkAt255{&g, 255, true};
  const TObjectTest lightAt255{&g, 255, false};
  EXPECT_TRUE(IsObjectPixel(darkAt255, 1, 0));
  EXPECT_FALSE(IsObjectPixel(lightAt255, 1, 0));
  // Neighbours in column 0 and row 0 never pass; d is brought into 0..7.
  EXPECT_FALSE(IsObjectNeighbour(dark, 4, 1, 1));
  EXPECT_TRUE(IsObjectNeighbour(light, 2, 1, 0));
  EXPECT_TRUE(IsObjectNeighbour(light, 10, 1, 0));
  EXPECT_FALSE(IsObjectNeighbour(light, 6, 1, 1));
}

TEST(Tracer, FourByFourBlockGivesTwelveCodesAreaNinePerimeterTwelve) {
  const TTestImage im = BlockImage(10, 10, 3, 3, 4, 4);
  const TTraceResult r = Trace(im, 8, 5);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(Codes(*r.Outline), "660002224446");
  EXPECT_EQ(r.Outline->x1(), 3);
  EXPECT_EQ(r.Outline->y1(), 5);
  EXPECT_TRUE(r.Closed);
  EXPECT_TRUE(r.HasDisplay);
  EXPECT_FALSE(IsClockwiseChain(*r.Outline));
  EXPECT_EQ(r.StatusText, " outline = 12 points");
  EXPECT_EQ(EnclosedArea(*r.Outline, 0).Area, 9);
  EXPECT_EQ(ChainPerimeter(*r.Outline, 1).Perimeter, 12);
  // Trial points in image coordinates: start first, one per code, closed.
  ASSERT_EQ(r.TrialPoints.size(), 13u);
  EXPECT_EQ(r.TrialPoints.front(), (Ticoords{3, 5}));
  EXPECT_EQ(r.TrialPoints.back(), r.TrialPoints.front());
  EXPECT_EQ(r.TrialPoints[3], (Ticoords{4, 7}));
}

struct TPressCase {
  const char* Name;
  int X, Y;
  int StartX;  // expected start column, -1 for no outline
};

TEST(Tracer, PressPositions) {
  // Two blocks on rows 2..6: a 5-wide one at columns 2..6 and another at 10..14.
  TTestImage im = BlockImage(20, 10, 2, 2, 5, 5);
  const TTestImage other = BlockImage(20, 10, 10, 2, 5, 5);
  for (std::size_t i = 0; i < im.Pixels.size(); ++i) im.Pixels[i] &= other.Pixels[i];
  const TPressCase cases[] = {
      {"inside the right object", 12, 5, 10},
      {"on its left end", 10, 5, 10},
      {"right of both", 18, 5, 10},
      {"between them", 8, 5, 2},
      {"inside the left object", 4, 5, 2},
      {"left of both", 1, 5, -1},
      {"above both", 12, 1, -1},
      {"beyond the right edge", 40, 5, 10},
      {"far above the image", 12, -2147483647 - 1, -1},
      {"far left", -2147483647 - 1, 5, -1},
  };
  for (const TPressCase& c : cases) {
    const TTraceResult r = Trace(im, c.X, c.Y);
    if (c.StartX < 0) {
      EXPECT_FALSE(r.Outline) << c.Name;
      EXPECT_EQ(r.StatusText, " no outline!") << c.Name;
      EXPECT_TRUE(r.TrialPoints.empty()) << c.Name;
    } else {
      ASSERT_TRUE(r.Outline) << c.Name;
      EXPECT_EQ(r.Outline->x1(), c.StartX) << c.Name;
      EXPECT_EQ(r.Outline->y1(), 10 - c.Y) << c.Name;
      EXPECT_EQ(r.Outline->n(), 16u) << c.Name;
    }
  }
}

TEST(Tracer, SpecksAreSkippedAndTheSearchGoesOnLeftward) {
  // A 3 x 3 speck (8 codes) right of a 4 x 4 block on the same rows.
  TTestImage im = BlockImage(20, 10, 2, 3, 4, 4);
  for (int r = 3; r < 6; ++r)
    for (int c = 12; c < 15; ++c) im.Pixels[static_cast<std::size_t>(r) * 20 + c] = 0;
  const TTraceResult r = Trace(im, 16, 4);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(r.Outline->x1(), 2);
  EXPECT_EQ(r.Outline->n(), 12u);
  // Only the speck: nothing left.
  const TTraceResult alone = Trace(BlockImage(20, 10, 12, 3, 3, 3), 16, 4);
  EXPECT_FALSE(alone.Outline);
  EXPECT_EQ(alone.StatusText, " no outline!");
}

TEST(Tracer, ObjectTouchingTheLeftEdgeGivesNoOutline) {
  const TTraceResult r = Trace(BlockImage(10, 10, 0, 2, 5, 5), 8, 4);
  EXPECT_FALSE(r.Outline);
  EXPECT_EQ(r.StatusText, " no outline!");
}

TEST(Tracer, LightObjectsOnADarkGround) {
  TTestImage im = BlockImage(10, 10, 3, 3, 4, 4);
  for (auto& p : im.Pixels) p = static_cast<std::uint8_t>(255 - p);  // light block, dark ground
  EXPECT_FALSE(Trace(im, 2, 5, false, true).Outline);  // the dark ground touches the left edge
  const TTraceResult r = Trace(im, 8, 5, false, false);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(Codes(*r.Outline), "660002224446");
  // A block at exactly the threshold is background for light objects.
  for (auto& p : im.Pixels) p = p == 255 ? 128 : p;
  EXPECT_FALSE(Trace(im, 8, 5, false, false, 128).Outline);
  EXPECT_TRUE(Trace(im, 8, 5, false, false, 127).Outline);
}

TEST(Tracer, ClockwiseReversesTheCodesAndKeepsTheStart) {
  const TTestImage im = BlockImage(12, 12, 3, 3, 5, 4);
  const TTraceResult ccw = Trace(im, 10, 5, false);
  const TTraceResult cw = Trace(im, 10, 5, true);
  ASSERT_TRUE(ccw.Outline && cw.Outline);
  const std::uint32_t n = ccw.Outline->n();
  ASSERT_EQ(cw.Outline->n(), n);
  for (std::uint32_t i = 1; i <= n; ++i)
    EXPECT_EQ(cw.Outline->geti(i), (ccw.Outline->geti(n + 1 - i) + 4) % 8) << i;
  EXPECT_EQ(cw.Outline->x1(), ccw.Outline->x1());
  EXPECT_EQ(cw.Outline->y1(), ccw.Outline->y1());
  EXPECT_TRUE(cw.Outline->clockwise());
  EXPECT_FALSE(ccw.Outline->clockwise());
  EXPECT_TRUE(IsClockwiseChain(*cw.Outline));
  EXPECT_EQ(cw.Outline->Fmax, n);
  // The trial points keep the traced order.
  EXPECT_EQ(cw.TrialPoints, ccw.TrialPoints);
  EXPECT_EQ(EnclosedArea(*cw.Outline, 0).Area, EnclosedArea(*ccw.Outline, 0).Area);
}

TEST(Tracer, OnePixelDiagonalLineIsTracedOutAndBack) {
  // A diagonal from the top-left (2, 1) down to (13, 12); press on image row 6 at the line.
  std::vector<std::string> rows(15, std::string(16, '.'));
  for (int i = 0; i < 12; ++i)
    rows[static_cast<std::size_t>(1 + i)][static_cast<std::size_t>(2 + i)] = '#';
  const TTestImage im = DrawImage(rows);
  // Image row 6 is grid row 15 - 6 = 9, holding image row 5: its line cell is column 6.
  const TTraceResult r = Trace(im, 10, 6);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(r.Outline->x1(), 6);
  // From column 6 down to the lower end at column 13: 7 steps out, 7 back.
  EXPECT_EQ(Codes(*r.Outline), "77777773333333");
  // Pressed near the lower end the part is short: 4 steps, 8 codes, skipped as a speck.
  EXPECT_FALSE(Trace(im, 15, 11).Outline);
}

TEST(Tracer, NotchAfterADiagonalStepKeepsEveryBoundaryCell) {
  // A one-pixel notch in the top edge: the trace steps down into it diagonally and must turn
  // sharply back up to (5, 1) rather than cut across to (4, 1).
  const TTestImage im = DrawImage({
      "............",
      "..####.###..",
      "..########..",
      "..########..",
      "..########..",
      "............",
  });
  const TTraceResult r = Trace(im, 11, 3);
  ASSERT_TRUE(r.Outline);
  EXPECT_TRUE(r.Closed);
  const std::vector<Ticoords> p = ChainPoints(*r.Outline);
  EXPECT_NE(std::find(p.begin(), p.end(), Ticoords{5, 6 - 1 - 1}), p.end());
  // The polygon through the boundary cell centres: 7 x 3 less the notch's triangle of 1.
  EXPECT_EQ(EnclosedArea(*r.Outline, 0).Area, 20);
}

TEST(Tracer, IsolatedCellStopsWithNoCodes) {
  const TTraceResult r = Trace(BlockImage(10, 10, 4, 4, 1, 1), 8, 5);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(r.Outline->n(), 0u);
  EXPECT_FALSE(r.HasDisplay);
  EXPECT_EQ(r.StatusText, " outline = 0 points");
}

TEST(Tracer, StartInRowZeroIsRefused) {
  // A press below the bottom row lands in grid row 0, where a trace could never close.
  const TTraceResult r = Trace(BlockImage(10, 10, 3, 5, 4, 5), 8, 10);
  EXPECT_FALSE(r.Outline);
  EXPECT_EQ(r.StatusText, " no outline!");
  EXPECT_TRUE(Trace(BlockImage(10, 10, 3, 5, 4, 5), 8, 9).Outline);
}

TEST(Tracer, LongBoundaryIsCutOffAt6000Codes) {
  // A 1800 x 1400 block has a boundary of 6396 codes.
  const TTestImage im = BlockImage(1900, 1500, 20, 20, 1800, 1400);
  for (bool clockwise : {false, true}) {
    const TTraceResult r = Trace(im, 1850, 700, clockwise);
    ASSERT_TRUE(r.Outline);
    EXPECT_EQ(r.Outline->n(), 6000u);
    EXPECT_TRUE(r.CutOff);
    EXPECT_FALSE(r.Closed);
    EXPECT_EQ(r.StatusText, " outline cutoff at 6000");
    EXPECT_EQ(r.Outline->clockwise(), clockwise);
    // Either way the chain covers the traced cells: its far end is the other end of the trace.
    const std::vector<Ticoords> p = ChainPoints(*r.Outline);
    const Ticoords a = r.TrialPoints.front();
    const Ticoords b = r.TrialPoints.back();
    const Ticoords first{p.front().x, 1500 - p.front().y};
    const Ticoords last{p.back().x, 1500 - p.back().y};
    EXPECT_EQ(first, clockwise ? b : a);
    EXPECT_EQ(last, clockwise ? a : b);
  }
}

TEST(Tracer, LetsMessagesRunAndReportsProgress) {
  const TTestImage im = BlockImage(400, 300, 20, 20, 300, 200);
  int pumps = 0;
  std::vector<std::string> statuses;
  TTraceSettings s;
  s.ProcessMessages = [&] { ++pumps; };
  s.Status = [&](const std::string& t) { statuses.push_back(t); };
  const TTraceResult r = TraceOutline(im.Grid(), 399, 100, s);
  ASSERT_TRUE(r.Outline);
  EXPECT_EQ(r.Outline->n(), 996u);
  // The search passes column 350 on background and 300, 250, ..., 50 walking to the run's
  // left end; 996 codes pass 9 multiples of 100.
  EXPECT_EQ(pumps, 1 + 6 + 9);
  EXPECT_EQ(statuses, (std::vector<std::string>{" Searching ...", " Outlining ..."}));
}

}  // namespace
