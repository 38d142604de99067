#include <gtest/gtest.h>

#include <vector>

#include "digitize/core/Curves.h"
#include "model/NumberFormat.h"

namespace {

using TPts = std::vector<Ticoords>;

TEST(RemoveDuplicateCurvePoints, OnlyNeighboursAreCompared) {
  TPts p = {{5, 5}, {5, 5}, {6, 5}, {5, 5}};
  EXPECT_TRUE(RemoveDuplicateCurvePoints(p));
  EXPECT_EQ(p, (TPts{{5, 5}, {6, 5}, {5, 5}}));
  EXPECT_FALSE(RemoveDuplicateCurvePoints(p));  // nothing left to drop: unchanged
  TPts same = {{1, 1}, {1, 1}, {1, 1}};
  EXPECT_TRUE(RemoveDuplicateCurvePoints(same));
  EXPECT_EQ(same, (TPts{{1, 1}}));
  TPts one = {{1, 1}};
  EXPECT_FALSE(RemoveDuplicateCurvePoints(one));
  TPts ySame = {{1, 1}, {2, 1}};  // same y, other x: kept
  EXPECT_FALSE(RemoveDuplicateCurvePoints(ySame));
}

TEST(Resample, ByStepsKeepsEqualIndexSteps) {
  TPts p;
  for (int i = 0; i <= 10; ++i) p.push_back({i * 10, i});
  const TPts q = ResampleBySteps(p, 6);
  EXPECT_EQ(q, (TPts{p[0], p[2], p[4], p[6], p[8], p[10]}));
  // 11 to 4: trunc(j * 10 / 3) = 0, 3, 6, 10.
  EXPECT_EQ(ResampleBySteps(p, 4), (TPts{p[0], p[3], p[6], p[10]}));
  EXPECT_EQ(ResampleBySteps(p, 2), (TPts{p[0], p[10]}));
  EXPECT_EQ(ResampleBySteps(p, 11), p);
  EXPECT_ANY_THROW(ResampleBySteps(p, 12));
  EXPECT_ANY_THROW(ResampleBySteps(p, 1));
}

TEST(Resample, ByLengthPutsPointsAtEqualDistances) {
  EXPECT_EQ(ResampleByLength({{0, 0}, {10, 0}}, 3), (TPts{{0, 0}, {5, 0}, {10, 0}}));
  // An L of length 20: 5 points every 5 along it.
  EXPECT_EQ(ResampleByLength({{0, 0}, {10, 0}, {10, 10}}, 5),
            (TPts{{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}}));
  // More points than the curve has; 2.5 rounds to the even 2, 7.5 to 8.
  EXPECT_EQ(ResampleByLength({{0, 0}, {10, 0}}, 5),
            (TPts{{0, 0}, {2, 0}, {5, 0}, {8, 0}, {10, 0}}));
  // Same count by length still moves the points.
  EXPECT_EQ(ResampleByLength({{0, 0}, {1, 0}, {10, 0}}, 3), (TPts{{0, 0}, {5, 0}, {10, 0}}));
}

TEST(Resample, ByLengthOfACurveWithoutLengthIsRefused) {
  EXPECT_TRUE(ResampleByLength({{3, 3}}, 4).empty());
  EXPECT_TRUE(ResampleByLength({}, 4).empty());
}

TEST(Resample, DialogValidation) {
  EXPECT_TRUE(ValidResampleCount(2, 5, true));
  EXPECT_TRUE(ValidResampleCount(5, 5, true));
  EXPECT_FALSE(ValidResampleCount(6, 5, true));
  EXPECT_TRUE(ValidResampleCount(6, 5, false));
  EXPECT_FALSE(ValidResampleCount(1, 5, false));
  EXPECT_FALSE(ValidResampleCount(0, 5, false));
}

TEST(CurveMeasures, SquareAreaAndOpenLength) {
  const TPts sq = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_EQ(PolylineArea(sq), 100);
  EXPECT_EQ(PolylineArea({{0, 0}, {0, 10}, {10, 10}, {10, 0}}), 100);  // either direction
  EXPECT_EQ(PolylineLength(sq), 30);

  TCurveMeasure a = CurveArea(sq, 0);
  EXPECT_EQ(a.Value, 100);
  EXPECT_EQ(a.StatusText, " Pts=4, Area=100");
  a = CurveArea(sq, 1.0000005);
  EXPECT_EQ(a.StatusText, " Pts=4, Area=100");
  a = CurveArea(sq, 0.5);
  EXPECT_EQ(a.Value, 25);
  EXPECT_EQ(a.StatusText, " Pts=4, Area=25.000000");

  TCurveMeasure l = CurveLength(sq, 0);
  EXPECT_EQ(l.StatusText, " Pts=4, Length=30");
  l = CurveLength({{0, 0}, {1, 1}}, 0);
  EXPECT_EQ(l.StatusText, " Pts=2, Length=1");  // sqrt 2 rounds to 1
  l = CurveLength(sq, 2);
  EXPECT_EQ(l.Value, 60);
  EXPECT_EQ(l.StatusText, " Pts=4, Length=60.000000");
}

TEST(CurveMeasures, ListingLinesUseTheDecimalInForce) {
  EXPECT_EQ(CurveAreaLine(100), "Curve area =  100.0000000");
  EXPECT_EQ(CurveLengthLine(30.5), "Curve length =   30.5000000");
  TDecimalScope comma(',');
  EXPECT_EQ(CurveAreaLine(100), "Curve area =  100,0000000");
}

}  // namespace
