#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "outline/core/ThresholdGrid.h"

namespace {

TThresholdGrid Build(const TPixelView& v) {
  TThresholdGrid g;
  int rows = -1, cols = -1;
  BuildThresholdGrid(v, rows, cols, g);
  EXPECT_EQ(rows, v.Height);
  EXPECT_EQ(cols, v.Width);
  EXPECT_EQ(g.GridHeight(), v.Height);
  EXPECT_EQ(g.GridWidth(), v.Width);
  return g;
}

TEST(ThresholdGrid, GreyRowsCountFromTheBottom) {
  // 3 columns, 2 rows: top row 10 20 30, bottom row 40 50 60.
  const std::uint8_t px[] = {10, 20, 30, 40, 50, 60};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(TPixelFormat::ie8g, 3, 2, px, 3));
  EXPECT_EQ(g.At(0, 0), 40);
  EXPECT_EQ(g.At(0, 2), 60);
  EXPECT_EQ(g.At(1, 0), 10);
  EXPECT_EQ(g.At(1, 1), 20);
}

TEST(ThresholdGrid, OneBitMostSignificantBitIsLeftmost) {
  // 10 pixels wide: bits 1000 0001 | 01xx xxxx; a stride of 2 bytes.
  const std::uint8_t px[] = {0x81, 0x40};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(TPixelFormat::ie1g, 10, 1, px, 2));
  const int expected[10] = {255, 0, 0, 0, 0, 0, 0, 255, 0, 255};
  for (int c = 0; c < 10; ++c) EXPECT_EQ(g.At(0, c), expected[c]) << "column " << c;
}

TEST(ThresholdGrid, PaletteTakesTheMeanOfTheEntry) {
  const std::uint8_t px[] = {0, 1, 2};
  TPixelView v = TPixelView::FromBuffer(TPixelFormat::ie8p, 3, 1, px, 3);
  v.Palette = {{255, 0, 0}, {10, 20, 31}, {255, 255, 255}};
  const TThresholdGrid g = Build(v);
  EXPECT_EQ(g.At(0, 0), 85);
  EXPECT_EQ(g.At(0, 1), 20);  // 61 div 3
  EXPECT_EQ(g.At(0, 2), 255);
}

TEST(ThresholdGrid, SixteenBitKeepsTheFullRange) {
  const std::uint16_t px[] = {0, 300, 65535};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(
      TPixelFormat::ie16g, 3, 1, reinterpret_cast<const std::uint8_t*>(px), 6));
  EXPECT_EQ(g.At(0, 0), 0);
  EXPECT_EQ(g.At(0, 1), 300);
  EXPECT_EQ(g.At(0, 2), 65535);
}

TEST(ThresholdGrid, RgbTakesTheTruncatedMean) {
  const std::uint8_t px[] = {1, 1, 2, 255, 255, 255, 0, 0, 0};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(TPixelFormat::ie24RGB, 3, 1, px, 9));
  EXPECT_EQ(g.At(0, 0), 1);
  EXPECT_EQ(g.At(0, 1), 255);
  EXPECT_EQ(g.At(0, 2), 0);
}

TEST(ThresholdGrid, FloatIsScaledAndTruncatedTowardZero) {
  const float px[] = {0.5f, 1.0f, -0.01f, 0.999f, std::numeric_limits<float>::quiet_NaN(), 1e30f};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(
      TPixelFormat::ie32f, 6, 1, reinterpret_cast<const std::uint8_t*>(px), sizeof px));
  EXPECT_EQ(g.At(0, 0), 127);
  EXPECT_EQ(g.At(0, 1), 255);
  EXPECT_EQ(g.At(0, 2), -2);
  EXPECT_EQ(g.At(0, 3), 254);
  EXPECT_EQ(g.At(0, 4), 0);  // not a number
  EXPECT_EQ(g.At(0, 5), std::numeric_limits<std::int32_t>::max());
}

TEST(ThresholdGrid, OtherFormatsLeaveCellsAtZero) {
  const std::uint8_t px[] = {9, 9, 9, 9};
  const TThresholdGrid g = Build(TPixelView::FromBuffer(TPixelFormat::ieOther, 2, 2, px, 2));
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) EXPECT_EQ(g.At(r, c), 0);
}

TEST(ThresholdGrid, RebuildReplacesAnEarlierGrid) {
  const std::uint16_t big[] = {1000, 2000};
  const std::uint8_t small[] = {7};
  TThresholdGrid g;
  int rows, cols;
  BuildThresholdGrid(TPixelView::FromBuffer(TPixelFormat::ie16g, 2, 1,
                                            reinterpret_cast<const std::uint8_t*>(big), 4),
                     rows, cols, g);
  BuildThresholdGrid(TPixelView::FromBuffer(TPixelFormat::ie8g, 1, 1, small, 1), rows, cols, g);
  EXPECT_EQ(cols, 1);
  EXPECT_EQ(g.At(0, 0), 7);
  // A format without a rule over the storage of an earlier grid still reads 0.
  const std::uint8_t grey[] = {5, 6, 7, 8};
  BuildThresholdGrid(TPixelView::FromBuffer(TPixelFormat::ie8g, 2, 2, grey, 2), rows, cols, g);
  BuildThresholdGrid(TPixelView::FromBuffer(TPixelFormat::ieOther, 2, 2, grey, 2), rows, cols, g);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) EXPECT_EQ(g.At(r, c), 0);
  g.Clear();
  EXPECT_TRUE(g.Empty());
}

}  // namespace
