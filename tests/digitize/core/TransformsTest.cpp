#include <gtest/gtest.h>

#include "digitize/core/Transforms.h"
#include "model/Errors.h"

namespace {

// A landmark marker of size 5 centred on (cx, cy): top-left (cx - 2, cy - 2).
TAnnotationObject Marker(int cx, int cy) {
  return {1, cx - 2, cy - 2, 5, 5, {}};
}
int CentreX(const TAnnotationObject& o) {
  return o.Left + o.Width / 2;
}
int CentreY(const TAnnotationObject& o) {
  return o.Top + o.Height / 2;
}
TAnnotationObject Curve(std::vector<Ticoords> p) {
  return {3, 0, 0, 0, 0, std::move(p)};
}

TEST(Transforms, KindsByName) {
  EXPECT_EQ(ParseTransformKind("vertical"), TTransformKind::Vertical);
  EXPECT_EQ(ParseTransformKind("horizontal"), TTransformKind::Horizontal);
  EXPECT_EQ(ParseTransformKind("crop"), TTransformKind::Crop);
  EXPECT_THROW(ParseTransformKind("rotate"), ElmkException);
}

TEST(Transforms, VerticalFlipMovesMarkersAndCurvePoints) {
  const TTransformFrame f{200, 100};
  std::vector<TAnnotationObject> objs = {Marker(50, 10), Curve({{30, 10}, {31, 99}})};
  AdjustAnnotations(TTransformKind::Vertical, f, objs);
  EXPECT_EQ(CentreX(objs[0]), 50);
  EXPECT_EQ(CentreY(objs[0]), 89);                                        // H - 1 - c
  EXPECT_EQ(objs[1].Points, (std::vector<Ticoords>{{30, 90}, {31, 1}}));  // H - y
}

TEST(Transforms, FlipsTwiceRestore) {
  const TTransformFrame f{200, 100};
  const std::vector<TAnnotationObject> before = {Marker(50, 10),
                                                 Marker(150, 70),
                                                 {2, 53, 5, 20, 12, {}},
                                                 Curve({{30, 10}, {31, 60}}),
                                                 {4, 0, 0, 0, 0, {{10, 10}, {20, 30}}}};
  for (TTransformKind k : {TTransformKind::Vertical, TTransformKind::Horizontal}) {
    std::vector<TAnnotationObject> objs = before;
    AdjustAnnotations(k, f, objs);
    EXPECT_NE(objs[0].Left + objs[0].Top, before[0].Left + before[0].Top);
    AdjustAnnotations(k, f, objs);
    for (std::size_t i = 0; i < objs.size(); ++i) {
      EXPECT_EQ(objs[i].Left, before[i].Left) << i;
      EXPECT_EQ(objs[i].Top, before[i].Top) << i;
      EXPECT_EQ(objs[i].Points, before[i].Points) << i;
    }
  }
}

TEST(Transforms, CropExampleWithItsWarning) {
  const TTransformFrame f{300, 200, 20, 30, 120, 80};
  std::vector<TAnnotationObject> objs = {Marker(50, 40), Marker(150, 40)};
  const TAdjustCheck c = CheckAdjustAnnotations(TTransformKind::Crop, f, objs);
  EXPECT_FALSE(c.Cannot);
  EXPECT_TRUE(c.Outside);
  EXPECT_EQ(c.Message, " Some adjusted objects are out of bounds.Continue anyway?");
  AdjustAnnotations(TTransformKind::Crop, f, objs);
  EXPECT_EQ(CentreX(objs[0]), 30);
  EXPECT_EQ(CentreY(objs[0]), 10);
  EXPECT_EQ(CentreX(objs[1]), 99);  // pulled to the last column of the 100-wide image
  EXPECT_EQ(CentreY(objs[1]), 10);
}

TEST(Transforms, CropClampsCurvePoints) {
  const TTransformFrame f{300, 200, 20, 30, 120, 80};
  std::vector<TAnnotationObject> objs = {Curve({{10, 10}, {50, 40}, {200, 150}})};
  EXPECT_TRUE(CheckAdjustAnnotations(TTransformKind::Crop, f, objs).Outside);
  AdjustAnnotations(TTransformKind::Crop, f, objs);
  EXPECT_EQ(objs[0].Points, (std::vector<Ticoords>{{0, 0}, {30, 10}, {99, 49}}));
}

TEST(Transforms, OutlinesInOtherFormsCannotBeAdjusted) {
  const TTransformFrame f{300, 200, 20, 30, 120, 80};
  for (int id : {5, 9, 10}) {
    const std::vector<TAnnotationObject> objs = {Marker(50, 40), {id, 0, 0, 0, 0, {{0, 0}}}};
    const TAdjustCheck c = CheckAdjustAnnotations(TTransformKind::Crop, f, objs);
    EXPECT_TRUE(c.Cannot);
    EXPECT_FALSE(c.Outside);
    EXPECT_EQ(c.Message, "Some objects cannot be adjusted.Continue anyway?");
  }
  std::vector<TAnnotationObject> both = {Marker(150, 40), {5, 0, 0, 0, 0, {{400, 400}}}};
  EXPECT_EQ(CheckAdjustAnnotations(TTransformKind::Crop, f, both).Message,
            "Some objects cannot be adjusted. Some adjusted objects are out of bounds."
            "Continue anyway?");
  AdjustAnnotations(TTransformKind::Crop, f, both);
  EXPECT_EQ(both[1].Points, (std::vector<Ticoords>{{400, 400}}));  // not moved
}

TEST(Transforms, CropKeepingEverythingInsideAsksNothing) {
  const TTransformFrame f{300, 200, 20, 30, 120, 80};
  const std::vector<TAnnotationObject> objs = {
      Marker(50, 40), Curve({{20, 30}, {120, 80}}), {6, 0, 0, 0, 0, {{999, 999}}}};
  const TAdjustCheck c = CheckAdjustAnnotations(TTransformKind::Crop, f, objs);
  EXPECT_TRUE(c.Message.empty());
  EXPECT_FALSE(c.Outside);
}

TEST(Transforms, MarkerNearTheEdgeKeepsItsCentre) {
  // Centre at column 1 after the crop: the top-left corner is at -1, the centre stays.
  const TTransformFrame f{300, 200, 20, 30, 120, 80};
  std::vector<TAnnotationObject> objs = {Marker(21, 31), Marker(5, 40), {2, 10, 35, 20, 12, {}}};
  AdjustAnnotations(TTransformKind::Crop, f, objs);
  EXPECT_EQ(CentreX(objs[0]), 1);
  EXPECT_EQ(CentreY(objs[0]), 1);
  EXPECT_EQ(CentreX(objs[1]), 0);  // outside: pulled to the first column
  EXPECT_EQ(objs[2].Left, 0);      // labels keep their box on the image
  EXPECT_EQ(objs[2].Top, 5);
}

}  // namespace
