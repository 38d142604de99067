// The object layer on its own: how landmarks, labels, curves and outlines are restyled,
// renumbered and kept inside the image by a rebuild.

#include "digitize/ObjectLayer.h"
#include "gtest/gtest.h"

namespace {

TLayerStyle Style() {
  TLayerStyle s;
  s.LMsize = 3;
  s.LMcolor = IERGB(255, 0, 0);
  s.LabelColor = IERGB(0, 128, 0);
  s.CurveColor = IERGB(0, 0, 255);
  s.OutlineColor = IERGB(255, 255, 0);
  s.BitmapWidth = 400;
  s.BitmapHeight = 300;
  return s;
}

int Add(TVectorLayer& l, int id) {
  const int h = l.AddNewObject();
  l.SetObjID(h, id);
  return h;
}

TEST(ObjectLayer, LabelsNumberTheMarkersInDrawingOrderNotHandleOrder) {
  TVectorLayer l;
  const int a = AddLandmarkObjects(l, 10, 10, 3);
  const int b = AddLandmarkObjects(l, 50, 50, 3);
  const int c = AddLandmarkObjects(l, 90, 90, 3);
  EXPECT_EQ(b, a + 2);
  // c with its label moves in front of a, as an insertion does.
  l.SetObjBackTo(c, a);
  l.SetObjBackTo(c + 1, a);
  const TLayerCounts n = RebuildObjectLayer(l, Style());
  EXPECT_EQ(n.nLM, 3);
  EXPECT_EQ(l.ObjText(c + 1), "1 ");
  EXPECT_EQ(l.ObjText(a + 1), "2 ");
  EXPECT_EQ(l.ObjText(b + 1), "3 ");
  // Each label stands right of its marker, a font height above its centre.
  EXPECT_EQ(l.ObjLeft(a + 1), 10 - 3 + 6);
  EXPECT_EQ(l.ObjTop(a + 1), 10 - 12);
  EXPECT_EQ(l.ObjHeight(a + 1), 13);
  EXPECT_EQ(l.ObjFontName(a + 1), "Arial");
}

TEST(ObjectLayer, RebuildRemovesTransientObjectsAndCountsCurves) {
  TVectorLayer l;
  AddLandmarkObjects(l, 10, 10, 3);
  for (int id : {idMeasureLine, idAngle, idProfileLine, idNone}) Add(l, id);
  const int curve = AddCurvePolyline(l, {{1, 1}, {1, 1}, {5, 5}, {5, 5}, {9, 1}}, 16);
  const int outline = Add(l, idOutlineChain);
  const TLayerCounts n = RebuildObjectLayer(l, Style());
  EXPECT_EQ(l.ObjectsCount(), 4);
  EXPECT_EQ(n.nCurves, 1);
  // Repeated neighbours go; the curve keeps its shape.
  EXPECT_EQ(l.ObjPolylinePoints(curve), (std::vector<TIEPoint>{{1, 1}, {5, 5}, {9, 1}}));
  EXPECT_EQ(l.ObjPenColor(curve), IERGB(0, 0, 255));
  EXPECT_EQ(l.ObjPenWidth(curve), 2);
  EXPECT_EQ(l.ObjPenColor(outline), IERGB(255, 255, 0));
  EXPECT_EQ(l.ObjPenWidth(outline), 1);
  EXPECT_EQ(l.ObjBrushStyle(TVectorLayer::kTemplate), TIEBrushStyle::bsClear);
  TVectorLayer empty;
  EXPECT_EQ(RebuildObjectLayer(empty, Style()).nLM, 0);
}

TEST(ObjectLayer, MissingMarkerSitsInTheCornerWithTheInverseFill) {
  TVectorLayer l;
  const int m = AddLandmarkObjects(l, 0, 0, 3);
  l.SetObjUserData(m, MissingMarkerData());
  const int p = AddLandmarkObjects(l, 100, 100, 3);
  for (bool fill : {true, false}) {
    TLayerStyle s = Style();
    s.LMfill = fill;
    RebuildObjectLayer(l, s);
    RebuildObjectLayer(l, s);  // stable from one rebuild to the next
    EXPECT_EQ(l.ObjRect(m), (TIEObjRect{0, 0, 4, 4}));
    EXPECT_EQ(l.ObjBrushStyle(m), fill ? TIEBrushStyle::bsClear : TIEBrushStyle::bsSolid);
    EXPECT_EQ(l.ObjBrushStyle(p), fill ? TIEBrushStyle::bsSolid : TIEBrushStyle::bsClear);
    EXPECT_EQ(l.ObjPenWidth(p), 2);
    EXPECT_EQ(l.ObjStyle(p), StyleShown);
  }
}

TEST(ObjectLayer, PresentMarkersStayWhereTheyAreInsideAndComeBackFromOutside) {
  struct TCase {
    int x, y;
    TIEPoint centre;
  };
  const TCase cases[] = {
      {1, 2, {1, 2}},          // near the top-left edge: not moved
      {0, 0, {0, 0}},          // the corner pixel itself
      {-5, -9, {0, 0}},        // outside on the left and above
      {400, 300, {400, 300}},  // one past the last column and row: taken
      {450, 310, {400, 300}},  // beyond: onto the edge
  };
  for (const TCase& c : cases) {
    TVectorLayer l;
    const int h = AddLandmarkObjects(l, c.x, c.y, 3);
    RebuildObjectLayer(l, Style());
    EXPECT_EQ(MarkerCentre(l, h), c.centre) << c.x << "," << c.y;
  }
}

TEST(ObjectLayer, LabelSizeFollowsZoomInWindowPixelsAndWidensFromTheHundredth) {
  TVectorLayer l;
  for (int k = 0; k < 100; ++k) AddLandmarkObjects(l, 10 + k, 10, 3);
  TLayerStyle s = Style();
  s.WindowPixels = true;
  s.ZoomFactor = 2;
  s.LabelBold = true;
  RebuildObjectLayer(l, s);
  const int first = l.GetObjFromIndex(1), last = l.GetObjFromIndex(199);
  EXPECT_EQ(l.ObjFontHeight(first), 6);
  EXPECT_EQ(l.ObjWidth(first), 6);
  EXPECT_EQ(l.ObjWidth(last), 9);
  EXPECT_EQ(l.ObjText(last), "100 ");
  EXPECT_EQ(l.ObjFontStyles(first), fsBold);
  s.WindowPixels = false;
  RebuildObjectLayer(l, s);
  EXPECT_EQ(l.ObjFontHeight(first), 12);
}

TEST(ObjectLayer, HiddenLabelsStaySelectableInTheirPlace) {
  TVectorLayer l;
  const int h = AddLandmarkObjects(l, 30, 30, 3);
  TLayerStyle s = Style();
  s.ShowLabels = false;
  RebuildObjectLayer(l, s);
  EXPECT_EQ(l.ObjStyle(h + 1), StyleHidden);
  EXPECT_TRUE(l.ObjStyle(h + 1) & ievsSelectable);
  s.ShowLabels = true;
  RebuildObjectLayer(l, s);
  EXPECT_EQ(l.ObjStyle(h + 1), StyleShown);
  EXPECT_EQ(l.IndexOfObj(h + 1), 1);
  EXPECT_EQ(l.ObjText(h + 1), "1 ");
}

TEST(ObjectLayer, RemoveNonLandmarksKeepsMarkersAndLabels) {
  TVectorLayer l;
  for (int k = 0; k < 5; ++k) AddLandmarkObjects(l, 10 * k, 5, 3);
  AddCurvePolyline(l, {{0, 0}, {3, 3}}, 12);
  AddCurvePolyline(l, {{5, 0}, {3, 3}}, 12);
  EXPECT_EQ(RemoveNonLandmarkObjects(l), 5);
  EXPECT_EQ(l.ObjectsCount(), 10);
}

TEST(ObjectLayer, NearestPointPrefersTheLowerIndexOfEquallyNearOnes) {
  const std::vector<TIEPoint> pts = {{0, 0}, {10, 0}, {-10, 0}, {0, 3}};
  EXPECT_EQ(NearestPolylinePoint(pts, 0, 2).Index, 4);
  EXPECT_EQ(NearestPolylinePoint(pts, 5, 0).Index, 1);
  EXPECT_EQ(NearestPolylinePoint(pts, 5, 0).Distance2, 25);
  EXPECT_EQ(NearestPolylinePoint({}, 5, 0).Index, 0);
  EXPECT_EQ(NearestPolylinePoint({{1000, 1000}}, 0, 0).Index, 0);  // beyond the search limit
}

}  // namespace
