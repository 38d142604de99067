#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <cmath>
#include <functional>

#include "model/Lmkcomm.h"

namespace {

TSpecimen Triangle() {
  TSpecimen s(3, 2);
  s.PutXY(1, {0, 0});
  s.PutXY(2, {3, 0});
  s.PutXY(3, {0, 4});
  return s;
}

TEST(Specimen, FreshSpecimens) {
  TSpecimen none(0, 2);
  EXPECT_EQ(none.xy(), nullptr);
  none.Centroids();
  none.MinMax();
  EXPECT_EQ(none.csize(), 0);
  EXPECT_EQ(none.baseY(), -1);
  EXPECT_EQ(none.scale(), 0);
  EXPECT_EQ(none.nCurves(), 0u);
  EXPECT_EQ(MessageOf([&] { none.getXY3(1, 1); }),
            "subscript out of bounds in\nTSpecimen.GetXY3: 1 1");

  TSpecimen three(5, 3);
  EXPECT_NE(three.xyz(), nullptr);
  EXPECT_EQ(three.xy(), nullptr);
  EXPECT_NO_THROW(three.getXY3(5, 3));
  EXPECT_EQ(MessageOf([&] { three.GetXY(1); }), "subscript out of bounds in\nTSpecimen.getXY: 1");
}

TEST(Specimen, AccessMessages) {
  TSpecimen s(2, 2);
  s.CreateCurve(2);
  const std::string oob = "subscript out of bounds in\n";
  struct Case {
    std::function<void()> call;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[&] { s.putXY3(3, 1, 0); }, oob + "TSpecimen.putXY3: 3 1"},
      {[&] { s.getXY3(1, 3); }, oob + "TSpecimen.GetXY3: 1 3"},
      {[&] { s.PutXY(0, {}); }, oob + "TSpecimen.putXY: 0"},
      {[&] { s.GetXYc(3); }, oob + "TSpecimen.GetXYc: 3"},
      {[&] { s.GetNcurvesI(2); }, oob + "TSpecimen.GetNcurves: 2"},
      {[&] { s.getCXY(1, 3); }, oob + "TSpecimen.GetCXY: 1 3"},
      {[&] { s.putCXY(2, 1, {}); }, oob + "TSpecimen.PutCXY: 2 1"},
      {[&] { s.GetCxy3(1, 1, 3); }, oob + "TSpecimen.GetCXY3: 1 1 3"},
      {[&] { s.PutCxy3(1, 3, 1, 0); }, oob + "TSpecimen.PutCXY3: 1 3 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf(c.call), c.message);
  TSpecimen noCurves(1, 2);
  EXPECT_EQ(MessageOf([&] { noCurves.getCXY(1, 1); }), oob + "TSpecimen.GetCXY: 1 1");
}

TEST(Specimen, CentroidAndSize) {
  TSpecimen s = Triangle();
  s.Centroids();
  EXPECT_DOUBLE_EQ(s.Centroid().x, 1);
  EXPECT_DOUBLE_EQ(s.Centroid().y, 4.0 / 3);
  EXPECT_NEAR(s.csize(), std::sqrt(50.0 / 3), 1e-12);
  EXPECT_DOUBLE_EQ(s.GetXYc(2).x, 2);

  TSpecimen same(3, 2);
  for (std::uint32_t i = 1; i <= 3; ++i) same.PutXY(i, {7, 7});
  same.Centroids();
  EXPECT_EQ(same.csize(), 0);
}

TEST(Specimen, ExtentIncludesCurvesButNotTheirZ) {
  TSpecimen s = Triangle();
  Txy* c = s.CreateCurve(2);
  c->PutXY(1, {-5, 2});
  c->PutXY(2, {1, 9});
  s.MinMax();
  EXPECT_EQ(s.xMin(), -5);
  EXPECT_EQ(s.xMax(), 3);
  EXPECT_EQ(s.yMax(), 9);
  EXPECT_EQ(s.yMin(), 0);

  TSpecimen t(2, 3);
  t.putXY3(1, 3, -2);
  t.putXY3(2, 3, 6);
  t.MinMax();
  EXPECT_EQ(t.zMin(), -2);
  EXPECT_EQ(t.zMax(), 6);
}

TEST(Specimen, FurtherOperations) {
  TSpecimen s = Triangle();
  s.Center();
  EXPECT_DOUBLE_EQ(s.GetXY(2).x, 2);
  EXPECT_EQ(s.Centroid().x, 0);

  TSpecimen n = Triangle();
  n.SetScale(0.5);
  n.Normalize();
  EXPECT_EQ(n.csize(), 1);
  EXPECT_EQ(n.scale(), 0);
  n.Centroids();
  EXPECT_NEAR(n.csize(), 1, 1e-12);

  TSpecimen m = Triangle();
  m.Centroids();
  m.MinMax();
  m.Mult(2);
  EXPECT_EQ(m.GetXY(3).y, 8);
  EXPECT_EQ(m.yMax(), 8);

  TSpecimen r = Triangle();
  r.Reflect();
  EXPECT_EQ(r.GetXY(3).y, -4);

  TSpecimen k = Triangle();
  TSetOfByte keep;
  keep.set(1);
  keep.set(3);
  k.KeepLandmarks(keep);
  ASSERT_EQ(k.nLM(), 2u);
  EXPECT_EQ(k.GetXY(2), (Tcoords{0, 4}));

  TSpecimen a = Triangle(), b = Triangle();
  b.PutXY(1, {1, 1});
  EXPECT_DOUBLE_EQ(a.Diff(b), 2);
  a.Sum(b);
  EXPECT_EQ(a.GetXY(1), (Tcoords{1, 1}));
  a.clear();
  EXPECT_EQ(a.GetXY(2), (Tcoords{0, 0}));
}

TEST(Specimen, CopyToCarriesTextsCurvesAndOutlinesButNotTheBase) {
  TSpecimen s = Triangle();
  s.SetID("A1 ");
  s.SetComment("c");
  s.SetVariables("1 2");
  s.SetImageFn("a.jpg");
  s.SetScale(0.25);
  s.SetBaseY(400);
  s.CreateCurve(1)->PutXY(1, {5, 6});
  s.SetOutlineList(std::make_unique<TOutlineList>());
  s.OutlineList()->Add(std::make_unique<TOutline>(1, 2, 3, OutlineChain, 0, 0))->add(5);
  std::unique_ptr<TSpecimen> copy;
  s.CopyTo(copy);
  EXPECT_EQ(copy->ID(), "A1 ");
  EXPECT_EQ(copy->Variables(), "1 2");
  EXPECT_EQ(copy->ImageFn(), "a.jpg");
  EXPECT_EQ(copy->scale(), 0.25);
  EXPECT_EQ(copy->baseY(), -1);
  EXPECT_EQ(copy->getCXY(1, 1), (Tcoords{5, 6}));
  EXPECT_EQ(copy->OutlineList()->Items(0)->geti(1), 5);
  EXPECT_EQ(copy->GetXY(3), (Tcoords{0, 4}));

  TdataList list;
  list.Add(std::make_unique<TSpecimen>(std::move(s)));
  list.SetAnyImages(true);
  std::unique_ptr<TdataList> other;
  list.CopyTo(other);
  EXPECT_TRUE(other->AnyImages());
  EXPECT_EQ(other->Items(0)->comment(), "c");
}

TEST(Specimen, OriginalScaleRestores) {
  TSpecimen s = Triangle();
  s.SetScale(2);
  s.Centroids();
  s.SaveOrigScale();
  s.Normalize();
  s.RestoreOrigScale();
  EXPECT_EQ(s.scale(), 2);
  EXPECT_NEAR(s.GetXY(2).x, 3, 1e-12);
  EXPECT_NEAR(s.GetXY(3).y, 4, 1e-12);
  EXPECT_NEAR(s.yMax(), 4, 1e-12);
}

TEST(DataList, OwnsAndMovesSpecimens) {
  TdataList list;
  for (int i = 0; i < 3; ++i) list.Add(std::make_unique<TSpecimen>(1, 2))->SetID(std::to_string(i));
  auto taken = list.Extract(1);
  EXPECT_EQ(taken->ID(), "1");
  EXPECT_EQ(list.Count(), 2);
  auto old = list.Replace(0, std::move(taken));
  EXPECT_EQ(old->ID(), "0");
  EXPECT_EQ(list.Items(0)->ID(), "1");
  EXPECT_THROW(list.Items(2), EListError);
  EXPECT_THROW(list.Extract(-1), EListError);
}

}  // namespace
