#include <gtest/gtest.h>

#include "model/Lmkcomm.h"

namespace {

TEST(Outline, AddOnAFullChainReplacesTheLastCode) {
  TOutline o(3, 5, 5, OutlineChain, 0, 0);
  for (std::uint8_t c : {0, 2, 4, 6}) o.add(c);
  EXPECT_EQ(o.n(), 3u);
  EXPECT_EQ(o.geti(1), 0);
  EXPECT_EQ(o.geti(2), 2);
  EXPECT_EQ(o.geti(3), 6);
  EXPECT_EQ(o.geti(4), 0);  // beyond n reads 0
  EXPECT_THROW(o.geti(0), ERangeError);
  EXPECT_THROW(o.geti(12001), ERangeError);
  // Beyond the capacity but within 12000 is outside the storage: rejected, never written.
  EXPECT_THROW(o.Puti(4, 1), ERangeError);
  EXPECT_THROW(TOutline(12001, 0, 0, OutlineChain, 0, 0), ERangeError);
}

TEST(Outline, AccessorsOfTheOtherKinds) {
  TOutline r(2, 1, 2, OutlineRadii, 3.5, 4.5);
  r.putri(2, 7.5);
  EXPECT_EQ(r.n(), 2u);
  EXPECT_EQ(r.getri(2), 7.5);
  EXPECT_EQ(r.getri(3), 0);
  try {
    r.putri(3, 1);
    FAIL();
  } catch (const ElmkException& e) {
    EXPECT_STREQ(e.what(), "subscript out of bounds in\nTVect.puti: 3");
  }
  EXPECT_THROW(r.Puti(1, 1), ERangeError);  // a radii outline has no chain storage

  TOutline p(3, 0, 0, OutlineXY, 0, 0);
  p.putPij(1, 2, 40);
  EXPECT_EQ(p.n(), 1u);
  EXPECT_EQ(p.getPij(3, 1), 0);  // within capacity, never written
  EXPECT_THROW(p.getPij(4, 1), ElmkException);

  TOutline rx(2, 0, 0, OutlineRadiiXY, 0, 0);
  rx.putRij(2, 1, 9);
  EXPECT_EQ(rx.getRij(2, 1), 9);
  EXPECT_EQ(rx.getRij(3, 1), 0);
}

TEST(Outline, CopiesKeepOrDropTheClockwiseFlag) {
  TOutline r(2, 1, 2, OutlineRadii, 3, 4);
  r.putri(1, 5);
  r.putri(2, 6);
  r.SetClockwise(true);
  r.SetHObj(17);
  std::unique_ptr<TOutline> a, b;
  r.CreateCopy(a);
  r.CopyTo(b);
  EXPECT_FALSE(a->clockwise());
  EXPECT_TRUE(b->clockwise());
  EXPECT_EQ(a->getri(2), 6);
  EXPECT_EQ(a->hObj(), 17);
  EXPECT_EQ(a->x1(), 1);
  EXPECT_EQ(a->yBar(), 4);

  std::unique_ptr<TOutline> small = std::make_unique<TOutline>(1, 0, 0, OutlineRadii, 0, 0);
  EXPECT_THROW(r.CopyTo(small), ElmkException);  // a smaller capacity fails at its end
}

TEST(Outline, ReflectedCopyFlipsPointsOnly) {
  TOutline p(1, 0, 0, OutlineXY, 0, 0);
  p.putPij(1, 1, 3);
  p.putPij(1, 2, 40);
  std::unique_ptr<TOutline> q;
  p.CreateCopyRefl(q, 100);
  EXPECT_EQ(q->getPij(1, 1), 3);
  EXPECT_EQ(q->getPij(1, 2), 60);
  TOutline r(1, 0, 0, OutlineRadii, 0, 0);
  r.putri(1, 2.5);
  std::unique_ptr<TOutline> s;
  r.CreateCopyRefl(s, 100);
  EXPECT_EQ(s->getri(1), 2.5);
}

TEST(Outline, TruncateRadiiPadsWithZeros) {
  TOutline r(3, 0, 0, OutlineRadii, 0, 0);
  r.putri(1, 1);
  r.putri(2, 2);
  r.TruncateRadii(1);
  EXPECT_EQ(r.n(), 1u);
  EXPECT_EQ(r.Fmax, 1u);
  EXPECT_EQ(r.getri(1), 1);
  r.TruncateRadii(3);
  EXPECT_EQ(r.getri(3), 0);
}

TEST(Outline, ListCopyReplacesTheDestination) {
  TOutlineList list;
  list.Add(std::make_unique<TOutline>(2, 1, 1, OutlineChain, 0, 0))->add(3);
  std::unique_ptr<TOutlineList> other = std::make_unique<TOutlineList>();
  other->Add(std::make_unique<TOutline>(1, 0, 0, OutlineXY, 0, 0));
  other->Add(std::make_unique<TOutline>(1, 0, 0, OutlineXY, 0, 0));
  list.CopyTo(other);
  ASSERT_EQ(other->Count(), 1);
  EXPECT_EQ(other->Items(0)->kind(), OutlineChain);
  EXPECT_EQ(other->Items(0)->geti(1), 3);
}

}  // namespace
