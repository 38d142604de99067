#include <gtest/gtest.h>

#include "imaging/VectorLayer.h"

namespace {

int AddEllipse(TVectorLayer& L, int x, int y, int r) {
  L.SetObjKind(-1, TIEVObjectKind::iekELLIPSE);
  L.SetObjLeft(-1, x - r);
  L.SetObjTop(-1, y - r);
  L.SetObjWidth(-1, 2 * r + 1);
  L.SetObjHeight(-1, 2 * r + 1);
  return L.AddNewObject();
}

std::vector<int> Order(const TVectorLayer& L) {
  std::vector<int> v;
  for (int i = 0; i < L.ObjectsCount(); ++i) v.push_back(L.GetObjFromIndex(i));
  return v;
}

}  // namespace

TEST(VectorLayer, HandlesAreConsecutiveAndSurviveRemovals) {
  TVectorLayer L;
  const int a = L.AddNewObject(), b = L.AddNewObject(), c = L.AddNewObject();
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(c, b + 1);
  L.SetObjID(c, 7);
  L.RemoveObject(b);
  EXPECT_EQ(L.ObjectsCount(), 2);
  EXPECT_EQ(L.ObjID(c), 7);
  EXPECT_FALSE(L.IsObject(b));
  EXPECT_THROW(L.ObjID(b), std::out_of_range);
  // A removed handle is never reused.
  const int d = L.AddNewObject();
  EXPECT_EQ(d, c + 1);
  EXPECT_EQ(Order(L), (std::vector<int>{a, c, d}));
  L.RemoveObject(12345);  // unknown: ignored
  EXPECT_EQ(L.ObjectsCount(), 3);
}

TEST(VectorLayer, TemplateAtMinusOneShapesTheNextObject) {
  TVectorLayer L;
  L.SetObjKind(-1, TIEVObjectKind::iekTEXT);
  L.SetObjID(-1, 2);
  L.SetObjText(-1, "7 ");
  L.SetObjTextAutoSize(-1, true);
  L.SetObjPenColor(-1, IERGB(1, 2, 3));
  L.SetObjFontStyles(-1, fsBold);
  L.SetObjLeft(-1, 10);
  const int h = L.AddNewObject();
  EXPECT_EQ(L.ObjKind(h), TIEVObjectKind::iekTEXT);
  EXPECT_EQ(L.ObjID(h), 2);
  EXPECT_EQ(L.ObjText(h), "7 ");
  EXPECT_TRUE(L.ObjTextAutoSize(h));
  EXPECT_EQ(L.ObjPenColor(h), IERGB(1, 2, 3));
  EXPECT_EQ(IERed(L.ObjPenColor(h)), 1);
  EXPECT_EQ(IEBlue(L.ObjPenColor(h)), 3);
  EXPECT_EQ(L.ObjFontStyles(h), fsBold);
  EXPECT_EQ(L.ObjLeft(h), 10);
  // Changing the object leaves the template alone, and the template keeps its values.
  L.SetObjText(h, "x");
  EXPECT_EQ(L.ObjText(-1), "7 ");
  EXPECT_EQ(L.ObjText(L.AddNewObject()), "7 ");
  EXPECT_EQ(L.ObjectsCount(), 2);
}

TEST(VectorLayer, SetObjBackToMovesJustBehindTheReference) {
  TVectorLayer L;
  std::vector<int> h;
  for (int i = 0; i < 5; ++i) h.push_back(L.AddNewObject());
  // The landmark insertion: a new marker and label go behind marker h[2].
  const int m = L.AddNewObject(), lab = L.AddNewObject();
  L.SetObjBackTo(m, h[2]);
  L.SetObjBackTo(lab, h[2]);
  EXPECT_EQ(Order(L), (std::vector<int>{h[0], h[1], m, lab, h[2], h[3], h[4]}));
  L.SetObjBackTo(h[4], h[0]);
  EXPECT_EQ(L.GetObjFromIndex(0), h[4]);
  EXPECT_EQ(L.IndexOfObj(h[0]), 1);
  L.BringToFront(h[4]);
  EXPECT_EQ(L.GetObjFromIndex(L.ObjectsCount() - 1), h[4]);
  EXPECT_THROW(L.GetObjFromIndex(7), std::out_of_range);
}

TEST(VectorLayer, UserDataIsNilUntilSet) {
  TVectorLayer L;
  const int h = L.AddNewObject();
  EXPECT_EQ(L.ObjUserData(h), nullptr);
  L.SetObjUserData(h, std::vector<std::uint8_t>(8));
  ASSERT_NE(L.ObjUserData(h), nullptr);
  EXPECT_EQ(L.ObjUserData(h)->size(), 8u);
  L.ClearObjUserData(h);
  EXPECT_EQ(L.ObjUserData(h), nullptr);
}

TEST(VectorLayer, SelectionKeepsOrderAndDropsRemovedObjects) {
  TVectorLayer L;
  const int a = L.AddNewObject(), b = L.AddNewObject(), c = L.AddNewObject();
  L.AddSelObject(c);
  L.AddSelObject(a);
  L.AddSelObject(a);
  ASSERT_EQ(L.SelObjectsCount(), 2);
  EXPECT_EQ(L.SelObjects(0), c);
  EXPECT_EQ(L.SelObjects(1), a);
  EXPECT_TRUE(L.IsSelObject(a));
  EXPECT_FALSE(L.IsSelObject(b));
  L.RemoveObject(c);
  ASSERT_EQ(L.SelObjectsCount(), 1);
  EXPECT_EQ(L.SelObjects(0), a);
  L.UnSelObject(a);
  EXPECT_EQ(L.SelObjectsCount(), 0);
  L.SelAllObjects();
  EXPECT_EQ(L.SelObjectsCount(), 2);
  L.UnSelAllObjects();
  EXPECT_EQ(L.SelObjectsCount(), 0);
}

struct THitCase {
  double Zoom;
  int MaxDistance;
  double X, Y;
  bool Hit;
};

class EllipseHit : public ::testing::TestWithParam<THitCase> {};

TEST_P(EllipseHit, ToleranceIsInWindowPixels) {
  TVectorLayer L;
  // Marker of radius 3 at pixel (50, 50): covers 47..53, centre at 50.5.
  const int h = AddEllipse(L, 50, 50, 3);
  L.SetObjPenWidth(h, 1);
  const auto& c = GetParam();
  EXPECT_EQ(L.FindObjectAt(c.X, c.Y, c.Zoom, c.MaxDistance) == h, c.Hit)
      << "zoom " << c.Zoom << " at " << c.X << "," << c.Y;
}

// Edge of the ellipse at x = 54; tolerance = (maxDistance + 0.5) / zoom bitmap pixels.
INSTANTIATE_TEST_SUITE_P(
    VectorLayer, EllipseHit,
    ::testing::Values(THitCase{1, 0, 50.5, 50.5, true}, THitCase{1, 3, 57.0, 50.5, true},
                      THitCase{1, 3, 58.0, 50.5, false}, THitCase{4, 3, 54.8, 50.5, true},
                      THitCase{4, 3, 55.0, 50.5, false}, THitCase{0.25, 3, 67.0, 50.5, true},
                      THitCase{0.25, 3, 69.0, 50.5, false}));

TEST(VectorLayer, HitTestingTakesTheFrontMostVisibleSelectableObject) {
  TVectorLayer L;
  const int back = AddEllipse(L, 20, 20, 5);
  const int front = AddEllipse(L, 22, 20, 5);
  EXPECT_EQ(L.FindObjectAt(21, 20, 1, 1), front);
  L.SetObjStyle(front, ievsSelectable | ievsMoveable);  // hidden
  EXPECT_EQ(L.FindObjectAt(21, 20, 1, 1), back);
  L.SetObjStyle(back, ievsVisible);  // not selectable
  EXPECT_EQ(L.FindObjectAt(21, 20, 1, 1), -1);
  EXPECT_EQ(L.FindObjectAt(100, 100, 1, 1), -1);
}

TEST(VectorLayer, LinesAndPolylinesHitNearTheirSegments) {
  TVectorLayer L;
  L.SetObjKind(-1, TIEVObjectKind::iekLINE);
  L.SetObjLeft(-1, 0);
  L.SetObjTop(-1, 0);
  L.SetObjWidth(-1, 100);
  L.SetObjHeight(-1, 0);
  const int line = L.AddNewObject();
  EXPECT_EQ(L.FindObjectAt(50, 2, 1, 2), line);
  EXPECT_EQ(L.FindObjectAt(50, 4, 1, 2), -1);
  L.SetObjKind(-1, TIEVObjectKind::iekPOLYLINE);
  const int poly = L.AddNewObject();
  L.SetObjPolylinePoints(poly, {{200, 200}, {210, 200}, {210, 210}, {200, 210}});
  EXPECT_EQ(L.FindObjectAt(205.5, 200.5, 1, 1), poly);
  EXPECT_EQ(L.FindObjectAt(200.5, 205.5, 1, 1), -1);  // open: no closing segment
  L.SetObjPolylineClosed(poly, true);
  EXPECT_EQ(L.FindObjectAt(200.5, 205.5, 1, 1), poly);
  EXPECT_EQ(L.FindObjectAt(205.5, 205.5, 1, 1), -1);  // clear brush: inside is empty
  L.SetObjBrushStyle(poly, TIEBrushStyle::bsSolid);
  EXPECT_EQ(L.FindObjectAt(205.5, 205.5, 1, 1), poly);
  EXPECT_EQ(L.FindPolylinePointAt(poly, 210.5, 210.5, 1, 2), 2);
  EXPECT_EQ(L.FindPolylinePointAt(poly, 205.5, 205.5, 1, 2), -1);
}

TEST(VectorLayer, AreaAndLengthOfTheSquare) {
  TVectorLayer L;
  L.SetObjKind(-1, TIEVObjectKind::iekPOLYLINE);
  const int h = L.AddNewObject();
  L.SetObjPolylinePoints(h, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_DOUBLE_EQ(L.GetPolylineArea(h), 100.0);
  EXPECT_DOUBLE_EQ(L.GetPolylineLen(h), 30.0);
  L.SetObjPolylineClosed(h, true);
  EXPECT_DOUBLE_EQ(L.GetPolylineArea(h), 100.0);
  EXPECT_DOUBLE_EQ(L.GetPolylineLen(h), 30.0);
  // Clockwise order gives the same area.
  L.SetObjPolylinePoints(h, {{0, 10}, {10, 10}, {10, 0}, {0, 0}});
  EXPECT_DOUBLE_EQ(L.GetPolylineArea(h), 100.0);
}

TEST(VectorLayer, AngleValueAtTheVertex) {
  TVectorLayer L;
  L.SetObjKind(-1, TIEVObjectKind::iekANGLE);
  const int h = L.AddNewObject();
  L.SetObjAnglePoints(h, {10, 0}, {0, 0}, {0, 10});
  EXPECT_NEAR(L.GetAngleValue(h), 90.0, 1e-9);
  L.SetObjAnglePoints(h, {10, 0}, {0, 0}, {10, 10});
  EXPECT_NEAR(L.GetAngleValue(h), 45.0, 1e-9);
  L.SetObjAnglePoints(h, {10, 0}, {0, 0}, {-10, 0});
  EXPECT_NEAR(L.GetAngleValue(h), 180.0, 1e-9);
  L.SetObjAnglePoints(h, {0, 0}, {0, 0}, {5, 5});
  EXPECT_EQ(L.GetAngleValue(h), 0.0);
  // The template is an angle too (handle -1).
  EXPECT_EQ(L.GetAngleValue(-1), 0.0);
}

TEST(VectorLayer, PolylineGeometryFollowsItsPoints) {
  TVectorLayer L;
  L.SetObjKind(-1, TIEVObjectKind::iekPOLYLINE);
  const int h = L.AddNewObject();
  L.SetObjPolylinePoints(h, {{5, 7}, {15, 27}});
  EXPECT_EQ(L.ObjRect(h), (TIEObjRect{5, 7, 15, 27}));
  L.SetObjLeft(h, 0);
  EXPECT_EQ(L.ObjPolylinePoint(h, 1), (TIEPoint{10, 27}));
  L.SetObjWidth(h, 20);
  EXPECT_EQ(L.ObjPolylinePoint(h, 1), (TIEPoint{20, 27}));
  L.MoveObj(h, 1, 1);
  EXPECT_EQ(L.ObjPolylinePoint(h, 0), (TIEPoint{1, 8}));
  EXPECT_THROW(L.ObjPolylinePoint(h, 2), std::out_of_range);
}

TEST(VectorLayer, ChangesAreReported) {
  TVectorLayer L;
  int n = 0;
  L.SetOnChange([&] { ++n; });
  const int h = L.AddNewObject();
  L.SetObjLeft(h, 3);
  L.AddSelObject(h);
  L.RemoveObject(h);
  EXPECT_EQ(n, 4);
}
