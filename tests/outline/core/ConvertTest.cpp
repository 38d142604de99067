#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "TestImages.h"
#include "formats/ChainCode.h"
#include "model/Errors.h"
#include "model/NumberFormat.h"
#include "outline/core/OutlineConvert.h"
#include "outline/core/Tracer.h"

namespace {

std::unique_ptr<TOutline> Chain(int x1, int y1, const std::string& codes) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(codes.size()), x1, y1,
                                      OutlineChain, 0, 0);
  for (char c : codes) o->add(static_cast<std::uint8_t>(c - '0'));
  return o;
}

// The 4 x 4 block of the tracer tests: P0 = (3, 5), then down, right, up, left.
std::unique_ptr<TOutline> Square() {
  return Chain(3, 5, "660002224446");
}

std::vector<Ticoords> XYPoints(const TOutline& o) {
  std::vector<Ticoords> p;
  for (std::uint32_t i = 1; i <= o.n(); ++i) p.push_back({o.getPij(i, 1), o.getPij(i, 2)});
  return p;
}

TEST(ChainPoints, WalksFromTheStart) {
  const auto o = Chain(5, 5, "0246");
  EXPECT_EQ(ChainPoints(*o), (std::vector<Ticoords>{{5, 5}, {6, 5}, {6, 6}, {5, 6}, {5, 5}}));
}

struct TXYCase {
  const char* Name;
  std::string Codes;
  int X1, Y1;
  std::uint32_t M;
  bool Steps;
  std::vector<Ticoords> Expected;
};

TEST(SaveAsXY, SamplesByStepsAndByLength) {
  const TXYCase cases[] = {
      {"steps, 4 of 12", "660002224446", 3, 5, 4, true, {{3, 4}, {6, 3}, {6, 6}, {3, 5}}},
      {"length, 4 of 12", "660002224446", 3, 5, 4, false, {{3, 4}, {4, 3}, {6, 4}, {5, 6}}},
      {"steps, all",
       "660002224446",
       3,
       5,
       12,
       true,
       {{3, 4},
        {3, 3},
        {4, 3},
        {5, 3},
        {6, 3},
        {6, 4},
        {6, 5},
        {6, 6},
        {5, 6},
        {4, 6},
        {3, 6},
        {3, 5}}},
      {"length, all",
       "660002224446",
       3,
       5,
       12,
       false,
       {{3, 4},
        {3, 3},
        {4, 3},
        {5, 3},
        {6, 3},
        {6, 4},
        {6, 5},
        {6, 6},
        {5, 6},
        {4, 6},
        {3, 6},
        {3, 5}}},
      // Diagonal steps count sqrt 2: targets 0, 3.5, 7 and 10.5 are passed at steps 1, 3, 5, 8.
      {"length with diagonals",
       "77777773333333",
       6,
       9,
       4,
       false,
       {{7, 8}, {9, 6}, {11, 4}, {12, 3}}},
      {"steps with diagonals", "77777773333333", 6, 9, 3, true, {{7, 8}, {13, 2}, {6, 9}}},
  };
  for (const TXYCase& c : cases) {
    const auto trial = Chain(c.X1, c.Y1, c.Codes);
    const TOutlineSaveResult r = SaveAsXY(*trial, c.M, false, c.Steps, 20);
    ASSERT_TRUE(r.Entry) << c.Name;
    EXPECT_EQ(r.Entry->kind(), OutlineXY) << c.Name;
    EXPECT_EQ(r.Entry->n(), c.M) << c.Name;
    EXPECT_EQ(r.Entry->Fmax, c.M) << c.Name;
    EXPECT_EQ(XYPoints(*r.Entry), c.Expected) << c.Name;
    EXPECT_EQ(r.Reduced, c.M < trial->n()) << c.Name;
    if (r.Reduced) {
      ASSERT_EQ(r.DisplayPoints.size(), c.M) << c.Name;
      EXPECT_EQ(r.DisplayPoints[0], (Ticoords{c.Expected[0].x, 20 - c.Expected[0].y})) << c.Name;
    } else {
      EXPECT_TRUE(r.DisplayPoints.empty()) << c.Name;
    }
  }
}

TEST(SaveAsXY, ListingAndLimits) {
  const auto trial = Square();
  const TOutlineSaveResult r = SaveAsXY(*trial, 12, true, true, 20);
  EXPECT_EQ(r.Listing, (std::vector<std::string>{"x1,x2 = 3,5 Direction = Clockwise"}));
  EXPECT_TRUE(r.Entry->clockwise());
  EXPECT_EQ(r.Entry->x1(), 3);
  EXPECT_THROW(SaveAsXY(*trial, 1, false, true, 20), ElmkException);
  EXPECT_THROW(SaveAsXY(*trial, 13, false, true, 20), ElmkException);
  EXPECT_THROW(SaveAsXY(*Chain(1, 1, ""), 0, false, true, 20), ElmkException);
}

TEST(StarShape, ConvexOutlineKeepsEveryPoint) {
  auto trial = Square();
  const Tcoords cen = ChainCentroid(*trial);
  EXPECT_DOUBLE_EQ(cen.x, 57.0 / 13);
  EXPECT_DOUBLE_EQ(cen.y, 59.0 / 13);
  trial->SetXBar(cen.x);
  trial->SetYBar(cen.y);
  for (bool clockwise : {false, true}) {
    auto o = clockwise ? ReverseChain(*trial, true) : Chain(3, 5, "660002224446");
    o->SetXBar(cen.x);
    o->SetYBar(cen.y);
    std::vector<std::string> listing;
    const std::vector<Ticoords> K = ReduceToStarShape(*o, clockwise, listing);
    EXPECT_EQ(K.size(), 13u) << clockwise;  // c = n + 1: the start first and last
    EXPECT_EQ(K.front(), K.back());
    EXPECT_TRUE(listing.empty());
  }
}

TEST(StarShape, ConcaveOutlineIsReducedWithAMessage) {
  // A U open at the top: the inner edges go back in angle about the centroid.
  const TTestImage im = DrawImage({
      "............",
      ".##.....##..",
      ".##.....##..",
      ".##.....##..",
      ".#########..",
      ".#########..",
      "............",
  });
  TTraceResult t = TraceOutline(im.Grid(), 10, 3, TTraceSettings{});
  ASSERT_TRUE(t.Outline);
  const Tcoords cen = ChainCentroid(*t.Outline);
  t.Outline->SetXBar(cen.x);
  t.Outline->SetYBar(cen.y);
  std::vector<std::string> listing;
  const std::vector<Ticoords> K = ReduceToStarShape(*t.Outline, false, listing);
  const std::uint32_t n = t.Outline->n();
  ASSERT_LT(K.size(), n);
  ASSERT_EQ(listing.size(), 1u);
  EXPECT_EQ(listing[0], "Outline reduced from " + std::to_string(n) + " to " +
                            std::to_string(K.size()) + " points in order to be convex.");
  // Kept angles advance monotonically counter-clockwise from the start.
  const double a0 = std::atan2(K[0].y - cen.y, K[0].x - cen.x);
  double prev = 0;
  for (std::size_t i = 1; i + 1 < K.size(); ++i) {
    double g = std::atan2(K[i].y - cen.y, K[i].x - cen.x) - a0;
    if (g <= 0) g += 2 * std::numbers::pi;
    EXPECT_GT(g, prev) << i;
    prev = g;
  }
}

double Dist(Ticoords p, Tcoords c) {
  return std::hypot(p.x - c.x, p.y - c.y);
}

TEST(SaveAsRadii, SquareWithThreeRadii) {
  auto trial = Square();
  const TOutlineSaveResult r = SaveAsRadii(*trial, 3, false);
  const Tcoords cen{57.0 / 13, 59.0 / 13};
  EXPECT_DOUBLE_EQ(trial->xBar(), cen.x);  // the centroid goes back into the trial outline
  ASSERT_EQ(r.Entry->kind(), OutlineRadii);
  ASSERT_EQ(r.Entry->n(), 3u);
  EXPECT_DOUBLE_EQ(r.Entry->xBar(), cen.x);
  EXPECT_EQ(r.Entry->x1(), 3);
  // Targets 120 and 240 degrees from the start direction are first passed at (5, 3), (6, 6).
  EXPECT_DOUBLE_EQ(r.Entry->getri(1), Dist({3, 5}, cen));
  EXPECT_DOUBLE_EQ(r.Entry->getri(2), Dist({5, 3}, cen));
  EXPECT_DOUBLE_EQ(r.Entry->getri(3), Dist({6, 6}, cen));
  EXPECT_EQ(r.StatusText, " outline = 3 radii");
  const double theta = std::atan2(5 - cen.y, 3 - cen.x);
  ASSERT_EQ(r.Listing.size(), 1u);
  EXPECT_EQ(r.Listing[0], "centroid   4.385   4.538 startangle " + FormatFixedD(theta, 8, 4) +
                              " Direction = Counter clockwise");
}

TEST(SaveAsRadii, RadiiXYTakesMidpointsRoundedToEven) {
  auto trial = Square();
  const TOutlineSaveResult r = SaveAsRadiiXY(*trial, 3, false);
  ASSERT_EQ(r.Entry->kind(), OutlineRadiiXY);
  ASSERT_EQ(r.Entry->n(), 3u);
  const std::vector<Ticoords> got = {{r.Entry->getRij(1, 1), r.Entry->getRij(1, 2)},
                                     {r.Entry->getRij(2, 1), r.Entry->getRij(2, 2)},
                                     {r.Entry->getRij(3, 1), r.Entry->getRij(3, 2)}};
  // (4, 3)-(5, 3) gives (4.5, 3) -> (4, 3); (6, 5)-(6, 6) gives (6, 5.5) -> (6, 6).
  EXPECT_EQ(got, (std::vector<Ticoords>{{3, 5}, {4, 3}, {6, 6}}));
  EXPECT_EQ(r.StatusText, " outline = 3 radii");
}

TEST(SaveAsRadii, RadiiOfACircleAreConstantWithinAPixel) {
  std::vector<std::string> rows(101, std::string(101, '.'));
  for (int y = 0; y <= 100; ++y)
    for (int x = 0; x <= 100; ++x)
      if ((x - 50) * (x - 50) + (y - 50) * (y - 50) <= 30 * 30)
        rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
  const TTestImage im = DrawImage(rows);
  for (bool clockwise : {false, true}) {
    TTraceSettings s;
    s.Clockwise = clockwise;
    TTraceResult t = TraceOutline(im.Grid(), 95, 50, s);
    ASSERT_TRUE(t.Outline);
    const TOutlineSaveResult r = SaveAsRadii(*t.Outline, 64, clockwise);
    ASSERT_EQ(r.Entry->n(), 64u);
    EXPECT_EQ(r.Entry->clockwise(), clockwise);
    double mean = 0;
    for (std::uint32_t i = 1; i <= 64; ++i) mean += r.Entry->getri(i) / 64;
    for (std::uint32_t i = 1; i <= 64; ++i) EXPECT_NEAR(r.Entry->getri(i), mean, 1.0) << i;
    EXPECT_NEAR(mean, 29.5, 0.5);
    // The start point counts twice, which pulls the centre a little towards it (west).
    EXPECT_NEAR(r.Entry->xBar(), 50, 0.25);
    EXPECT_NEAR(r.Entry->yBar(), 50, 0.05);
    // Drawn at the exact target angles, the radius ends lie on the traced boundary.
    const TOutlineDrawing d = OutlineObjectPoints(*r.Entry, 101);
    ASSERT_EQ(d.Points.size(), 65u);
    for (const Ticoords& p : d.Points) EXPECT_NEAR(std::hypot(p.x - 50, 101 - p.y - 50), 30, 1.5);
    // The trace starts at the west end; counter-clockwise (y up) the next end lies below it.
    const int dir = (101 - d.Points[2].y) - (101 - d.Points[1].y);
    EXPECT_EQ(dir > 0, clockwise);
  }
}

TEST(OutlineObjectPoints, EveryKind) {
  const int H = 100;
  const auto chain = Chain(5, 5, "0246");
  const TOutlineDrawing dc = OutlineObjectPoints(*chain, H);
  EXPECT_EQ(dc.ObjectID, 5);
  EXPECT_EQ(dc.Points, (std::vector<Ticoords>{{5, 95}, {6, 95}, {6, 94}, {5, 94}, {5, 95}}));

  TOutline radii(4, 15, 10, OutlineRadii, 10, 10);
  for (std::uint32_t i = 1; i <= 4; ++i) radii.putri(i, 5);
  TOutlineDrawing dr = OutlineObjectPoints(radii, H);
  EXPECT_EQ(dr.ObjectID, 9);
  EXPECT_EQ(dr.Points, (std::vector<Ticoords>{{15, 90}, {15, 90}, {10, 85}, {5, 90}, {10, 95}}));
  radii.SetClockwise(true);
  dr = OutlineObjectPoints(radii, H);
  EXPECT_EQ(dr.Points, (std::vector<Ticoords>{{15, 90}, {15, 90}, {10, 95}, {5, 90}, {10, 85}}));

  TOutline rxy(2, 0, 0, OutlineRadiiXY, 0, 0);
  rxy.putRij(1, 1, 3);
  rxy.putRij(1, 2, 4);
  rxy.putRij(2, 1, 7);
  rxy.putRij(2, 2, 8);
  const TOutlineDrawing dx = OutlineObjectPoints(rxy, H);
  EXPECT_EQ(dx.ObjectID, 10);
  EXPECT_EQ(dx.Points, (std::vector<Ticoords>{{3, 96}, {7, 92}}));

  TOutline xy(1, 0, 0, OutlineXY, 0, 0);
  xy.putPij(1, 1, 20);
  xy.putPij(1, 2, 30);
  const TOutlineDrawing dp = OutlineObjectPoints(xy, H);
  EXPECT_EQ(dp.ObjectID, 4);
  EXPECT_EQ(dp.Points, (std::vector<Ticoords>{{20, 70}}));
}

TEST(SaveAsChain, CopiesEverythingButTheHandle) {
  auto trial = Square();
  trial->SetClockwise(true);
  trial->SetHObj(42);
  const auto copy = SaveAsChain(*trial);
  EXPECT_EQ(copy->n(), 12u);
  EXPECT_EQ(copy->Fmax, 12u);
  EXPECT_TRUE(copy->clockwise());
  EXPECT_EQ(copy->hObj(), -1);
  for (std::uint32_t i = 1; i <= 12; ++i) EXPECT_EQ(copy->geti(i), trial->geti(i));
}

}  // namespace
