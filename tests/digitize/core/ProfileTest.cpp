#include <gtest/gtest.h>

#include <vector>

#include "digitize/core/Profile.h"
#include "model/Errors.h"

namespace {

TThresholdGrid Grid(int w, int h, const std::vector<std::uint8_t>& px) {
  TThresholdGrid g;
  int rows, cols;
  BuildThresholdGrid(TPixelView::FromBuffer(TPixelFormat::ie8g, w, h, px.data(), w), rows, cols, g);
  return g;
}

TEST(Profile, VerticalProfileRunsTopDownWithOneValuePerRow) {
  std::vector<std::uint8_t> px(5 * 300);
  for (int r = 0; r < 300; ++r)
    px[static_cast<std::size_t>(r) * 5 + 2] = static_cast<std::uint8_t>(r % 256);
  const TProfile p = SampleProfile(Grid(5, 300, px), 2, 17, true, 1);
  ASSERT_EQ(p.Values.size(), 300u);
  EXPECT_EQ(p.Values[0], 0);
  EXPECT_EQ(p.Values[10], 10);
  EXPECT_EQ(p.maxBright, 255);
  const TProfilePlot plot = ProfilePlot(p);
  EXPECT_EQ(plot.Width, 314);
  EXPECT_EQ(plot.Height, 266);
}

TEST(Profile, UniformGreyPlotGeometry) {
  const std::vector<std::uint8_t> px(20 * 30, 128);
  const TProfile p = SampleProfile(Grid(20, 30, px), 3, 4, false, 1);
  ASSERT_EQ(p.Values.size(), 20u);
  EXPECT_EQ(p.maxBright, 128);
  const TProfilePlot plot = ProfilePlot(p);
  EXPECT_EQ(plot.Width, 34);
  EXPECT_EQ(plot.Height, 139);
  int leftTicks = 0, rightTicks = 0, bars = 0, topTicks = 0;
  for (const TPlotLine& l : plot.Lines) {
    if (l.X1 == 0 && l.X2 == 5) ++leftTicks;
    if (l.X1 == 20 + 9 && l.X2 == 20 + 13) ++rightTicks;
    if (l.Y1 == 128 + 5 && l.X1 == l.X2 && l.X1 > 6) {
      ++bars;
      EXPECT_EQ(l.Y1 - l.Y2, 128);
    }
    if (l.Y1 == 0 && l.Y2 == 3) ++topTicks;
  }
  EXPECT_EQ(leftTicks, 13);  // levels 0, 10, ..., 120
  EXPECT_EQ(rightTicks, 13);
  EXPECT_EQ(bars, 20);
  EXPECT_EQ(topTicks, 2);  // values 1 and 11
  EXPECT_EQ(plot.Lines[0], (TPlotLine{0, 5, 0, 134}));
  EXPECT_EQ(plot.Lines[1], (TPlotLine{33, 5, 33, 134}));
}

TEST(Profile, BandAveragingWithIntegerDivision) {
  // Columns 10, 11, 13 on every row: band 3 at column 0 gives 11.
  std::vector<std::uint8_t> px;
  for (int r = 0; r < 4; ++r) px.insert(px.end(), {10, 11, 13, 200});
  const TThresholdGrid g = Grid(4, 4, px);
  TProfile p = SampleProfile(g, 0, 0, true, 3);
  EXPECT_EQ(p.Values, (std::vector<int>{11, 11, 11, 11}));
  // Horizontal: the clicked row and the rows above it.
  std::vector<std::uint8_t> rows = {10, 10, 11, 11, 13, 13, 90, 90};  // 2 wide, 4 high
  const TThresholdGrid g2 = Grid(2, 4, rows);
  p = SampleProfile(g2, 0, 2, false, 3);
  EXPECT_EQ(p.Values, (std::vector<int>{11, 11}));
  p = SampleProfile(g2, 0, 3, false, 2);
  EXPECT_EQ(p.Values, (std::vector<int>{51, 51}));  // (13 + 90) div 2
}

TEST(Profile, BandsPastTheEdgeAreClippedAndLinesOutsideSampleNothing) {
  std::vector<std::uint8_t> px;
  for (int r = 0; r < 2; ++r) px.insert(px.end(), {0, 0, 10, 20});
  const TThresholdGrid g = Grid(4, 2, px);
  EXPECT_EQ(SampleProfile(g, 2, 0, true, 5).Values, (std::vector<int>{15, 15}));
  EXPECT_EQ(SampleProfile(g, 0, 0, false, 5).Values, (std::vector<int>{0, 0, 10, 20}));
  EXPECT_TRUE(SampleProfile(g, 4, 0, true, 1).Values.empty());
  EXPECT_TRUE(SampleProfile(g, 0, 2, false, 1).Values.empty());
  EXPECT_TRUE(ProfilePlot(SampleProfile(g, 4, 0, true, 1)).Lines.empty());
}

TEST(Profile, PlotIsSavedAsBitmapOnly) {
  EXPECT_NO_THROW(CheckProfilePlotFileName("C:\\plots\\a.bmp"));
  EXPECT_NO_THROW(CheckProfilePlotFileName("/tmp/a.BMP"));
  for (const char* bad : {"a.png", "a.bmp.txt", "noext"}) {
    try {
      CheckProfilePlotFileName(bad);
      ADD_FAILURE() << bad;
    } catch (const ElmkException& e) {
      EXPECT_STREQ(e.what(), "Unsupported file type for profile plot");
    }
  }
}

}  // namespace
