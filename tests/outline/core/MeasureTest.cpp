#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "model/NumberFormat.h"
#include "outline/core/OutlineMeasure.h"

namespace {

// A w x h rectangle walked counter-clockwise from (x, y): it encloses w * h square pixels.
std::unique_ptr<TOutline> Rect(int x, int y, int w, int h) {
  const std::string codes =
      std::string(w, '0') + std::string(h, '2') + std::string(w, '4') + std::string(h, '6');
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(codes.size()), x, y, OutlineChain,
                                      0, 0);
  for (char c : codes) o->add(static_cast<std::uint8_t>(c - '0'));
  return o;
}

std::unique_ptr<TOutline> Chain(const std::string& codes) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(codes.size()), 0, 0, OutlineChain,
                                      0, 0);
  for (char c : codes) o->add(static_cast<std::uint8_t>(c - '0'));
  return o;
}

TEST(EnclosedArea, SquareOfFourCellsAndItsCentroid) {
  const auto o = Rect(3, 3, 3, 3);
  const TAreaResult r = EnclosedArea(*o, 0);
  EXPECT_EQ(r.Area, 9);
  EXPECT_EQ(r.StatusText, "Area=         9 pixels");
  // P0..P12 with the start counted twice.
  EXPECT_DOUBLE_EQ(r.Centroid.x, (4.5 * 12 + 3) / 13);
  EXPECT_EQ(r.Listing,
            (std::vector<std::string>{"Area=         9 pixels",
                                      "Centroid =    " + FormatFixedD(r.Centroid.x, 0, 3) + ",   " +
                                          FormatFixedD(r.Centroid.y, 0, 3)}));
  // Clockwise the signed sum is negative; the area is not.
  const auto cw = Chain("666000222444");
  EXPECT_EQ(EnclosedArea(*cw, 1).Area, 9);
}

struct TScaleCase {
  int W, H;
  double Scale;
  const char* Expected;
};

TEST(EnclosedArea, ScaledTexts) {
  const TScaleCase cases[] = {
      {30, 30, 0.05, "Area=2.250000"},
      {250, 200, 0.05, "Area=   125.000"},
      {30, 30, 1, "Area=       900 pixels"},
      {30, 30, 0, "Area=       900 pixels"},
  };
  for (const TScaleCase& c : cases)
    EXPECT_EQ(EnclosedArea(*Rect(1, 1, c.W, c.H), c.Scale).StatusText, c.Expected) << c.Expected;
  TDecimalScope comma(',');
  EXPECT_EQ(EnclosedArea(*Rect(1, 1, 30, 30), 0.05).StatusText, "Area=2,250000");
}

TEST(Perimeter, DiagonalsCountSqrtTwo) {
  const auto diamond = Chain("1357");
  EXPECT_DOUBLE_EQ(ChainPerimeter(*diamond, 0).Perimeter, 4 * std::numbers::sqrt2);
  EXPECT_EQ(ChainPerimeter(*diamond, 0).StatusText, "Perimeter=         6 pixels");
  EXPECT_EQ(ChainPerimeter(*diamond, 10).StatusText, "Perimeter=56.568542");
  EXPECT_EQ(ChainPerimeter(*diamond, 100).StatusText, "Perimeter=   565.685");
  const TPerimeterResult sq = ChainPerimeter(*Rect(3, 3, 3, 3), 1);
  EXPECT_EQ(sq.Perimeter, 12);
  EXPECT_EQ(sq.Listing, (std::vector<std::string>{"Perimeter=        12 pixels"}));
}

TEST(BWarea, AllWhiteOneBitImage) {
  const std::uint8_t px[20] = {0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0,
                               0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0xff, 0xc0};
  std::int32_t b = -1, w = -1;
  BWarea(TPixelView::FromBuffer(TPixelFormat::ie1g, 10, 10, px, 2), 128, b, w);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(BWareaText(b, w, 0), "Areas: B=     0 W=   100");
}

TEST(BWarea, EveryPixelFormatComparesStrictly) {
  std::int32_t b, w;
  const std::uint8_t grey[] = {99, 100, 101, 0};
  BWarea(TPixelView::FromBuffer(TPixelFormat::ie8g, 4, 1, grey, 4), 100, b, w);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(w, 2);

  const std::uint16_t g16[] = {99, 100, 60000};
  BWarea(TPixelView::FromBuffer(TPixelFormat::ie16g, 3, 1,
                                reinterpret_cast<const std::uint8_t*>(g16), 6),
         100, b, w);
  EXPECT_EQ(b, 1);

  // Sums against 3 x threshold, not the truncated mean: 100+100+99 is black at 100.
  const std::uint8_t rgb[] = {100, 100, 99, 100, 100, 100, 255, 0, 0};
  BWarea(TPixelView::FromBuffer(TPixelFormat::ie24RGB, 3, 1, rgb, 9), 100, b, w);
  EXPECT_EQ(b, 2);

  const std::uint8_t pal[] = {0, 1, 1, 2};
  TPixelView pv = TPixelView::FromBuffer(TPixelFormat::ie8p, 4, 1, pal, 4);
  pv.Palette = {{0, 0, 0}, {100, 100, 100}, {255, 255, 255}};
  BWarea(pv, 100, b, w);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(w, 3);

  const float fl[] = {0.39f, 0.3922f, 1.0f};  // 99.45 and 100.011 truncate to 99 and 100
  BWarea(TPixelView::FromBuffer(TPixelFormat::ie32f, 3, 1,
                                reinterpret_cast<const std::uint8_t*>(fl), 12),
         100, b, w);
  EXPECT_EQ(b, 1);

  const std::uint8_t other[] = {0, 0};
  BWarea(TPixelView::FromBuffer(TPixelFormat::ieOther, 2, 1, other, 2), 100, b, w);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(w, 2);
}

TEST(BWarea, ScaledTexts) {
  EXPECT_EQ(BWareaText(100, 300, 0.5), "Areas: B=25.000000 W= 75.000000");
  EXPECT_EQ(BWareaText(100, 500, 0.5), "Areas: B=    25.000 W=    125.000");
  EXPECT_EQ(BWareaText(100, 500, 1), "Areas: B=   100 W=   500");
}

}  // namespace
