#include <gtest/gtest.h>

#include "imaging/ViewMaths.h"

namespace {

TViewMaths Make(int bw, int bh, int cw, int ch, double zoom) {
  TViewMaths m;
  m.SetBitmapSize(bw, bh);
  m.SetClientSize(cw, ch);
  m.SetZoom(zoom);
  return m;
}

}  // namespace

struct TMapCase {
  const char* Name;
  double Zoom;
  int ViewX, ViewY;
  int Xs, Ys;
  int Xb, Yb;
};

class Mapping : public ::testing::TestWithParam<TMapCase> {};

TEST_P(Mapping, ScreenToBitmapTakesZoomAndScrollingIntoAccount) {
  const auto& c = GetParam();
  // 1000 x 800 bitmap in a 200 x 100 window: large enough to scroll at every zoom used.
  TViewMaths m = Make(1000, 800, 200, 100, c.Zoom);
  m.SetViewXY(c.ViewX, c.ViewY);
  ASSERT_EQ(m.ViewX(), c.ViewX);
  ASSERT_EQ(m.ViewY(), c.ViewY);
  EXPECT_EQ(m.XScr2Bmp(c.Xs), c.Xb);
  EXPECT_EQ(m.YScr2Bmp(c.Ys), c.Yb);
  // Back again: the window pixel lies inside the bitmap pixel's span.
  EXPECT_LE(m.XBmp2Scr(c.Xb), c.Xs);
  EXPECT_GT(m.XBmp2ScrF(c.Xb + 1), c.Xs);
}

INSTANTIATE_TEST_SUITE_P(ViewMaths, Mapping,
                         ::testing::Values(TMapCase{"half", 50, 0, 0, 10, 20, 20, 40},
                                           TMapCase{"half_scrolled", 50, 100, 30, 10, 20, 220, 100},
                                           TMapCase{"one", 100, 0, 0, 10, 20, 10, 20},
                                           TMapCase{"one_scrolled", 100, 300, 200, 10, 20, 310,
                                                    220},
                                           TMapCase{"three", 300, 0, 0, 10, 20, 3, 6},
                                           TMapCase{"three_scrolled", 300, 30, 60, 10, 20, 13, 26}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ViewMaths, SmallImageIsCentred) {
  TViewMaths m = Make(100, 50, 300, 250, 100);
  EXPECT_EQ(m.OffsetX(), 100);
  EXPECT_EQ(m.OffsetY(), 100);
  EXPECT_EQ(m.XScr2Bmp(100), 0);
  EXPECT_EQ(m.XScr2Bmp(99), -1);
  EXPECT_EQ(m.ScrollMaxX(), 0);
  m.SetViewXY(50, 50);
  EXPECT_EQ(m.ViewX(), 0);
}

TEST(ViewMaths, FitZoomShowsTheWholeImage) {
  EXPECT_DOUBLE_EQ(Make(1000, 500, 500, 500, 100).FitZoom(), 50.0);
  EXPECT_DOUBLE_EQ(Make(100, 400, 500, 200, 100).FitZoom(), 50.0);
  EXPECT_EQ(Make(0, 0, 500, 200, 100).FitZoom(), 0);
}

TEST(ViewMaths, ZoomAtKeepsThePointUnderThePointer) {
  TViewMaths m = Make(2000, 2000, 400, 300, 100);
  m.SetViewXY(500, 600);
  const double bx = m.XScr2BmpF(123), by = m.YScr2BmpF(77);
  m.SetZoomAt(110, 123, 77);
  EXPECT_DOUBLE_EQ(m.Zoom(), 110);
  EXPECT_NEAR(m.XScr2BmpF(123), bx, 1.0 / 1.1);
  EXPECT_NEAR(m.YScr2BmpF(77), by, 1.0 / 1.1);
}

TEST(ViewMaths, ScrollIsClampedAndZoomLimited) {
  TViewMaths m = Make(1000, 800, 200, 100, 100);
  m.SetViewXY(5000, -5);
  EXPECT_EQ(m.ViewX(), 800);
  EXPECT_EQ(m.ViewY(), 0);
  m.SetZoom(0);  // ignored
  EXPECT_DOUBLE_EQ(m.Zoom(), 100);
  m.SetZoom(-3);
  EXPECT_DOUBLE_EQ(m.Zoom(), 100);
  m.SetZoom(1e9);
  EXPECT_DOUBLE_EQ(m.Zoom(), TViewMaths::kMaxZoom);
}

TEST(ViewMaths, VisibleBitmapRect) {
  TViewMaths m = Make(1000, 800, 200, 100, 200);
  m.SetViewXY(100, 40);
  EXPECT_EQ(m.VisibleBitmapRect(), (TIERect{50, 20, 150, 70}));
  TViewMaths small = Make(100, 50, 300, 250, 100);
  EXPECT_EQ(small.VisibleBitmapRect(), (TIERect{0, 0, 100, 50}));
}
