#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <cmath>
#include <functional>

#include "model/Lmkcomm.h"

namespace {

const std::string kOob = "subscript out of bounds in\n";

struct TagCase {
  const char* name;
  std::function<void()> call;
  std::string message;
};

TEST(Containers, OutOfBoundsMessagesNameTheOperationAndIndices) {
  TiVect iv(2);
  TVect v(2);
  Tixy ixy(3);
  Txy xy(7);
  Txy empty(0);
  Txyz xyz(2);
  const std::vector<TagCase> cases = {
      {"TiVect.geti", [&] { iv.geti(3); }, kOob + "TiVect.geti: 3"},
      {"TiVect.puti", [&] { iv.Puti(0, 1); }, kOob + "TiVect.puti: 0"},
      {"TVect.geti", [&] { v.geti(-1); }, kOob + "TVect.geti: -1"},
      {"TVect.puti", [&] { v.Puti(3, 1); }, kOob + "TVect.puti: 3"},
      {"TiXY.putXY get", [&] { ixy.GetXY(4); }, kOob + "TiXY.putXY: 4"},
      {"TiXY.putXY put", [&] { ixy.PutXY(0, {}); }, kOob + "TiXY.putXY: 0"},
      {"TiXY.get ij", [&] { ixy.Getij(1, 3); }, kOob + "TiXY.get: 1 3"},
      {"TiXY.put ij", [&] { ixy.Putij(9, 1, 0); }, kOob + "TiXY.put: 9 1"},
      {"TiXY.get i",
       [&] {
         int a, b;
         ixy.Getixy(4, a, b);
       },
       kOob + "TiXY.get: 4"},
      {"TiXY.put i", [&] { ixy.Putixy(4, 1, 1); }, kOob + "TiXY.put: 4"},
      {"TXY.get coordinate 3", [&] { xy.Getij(7, 3); }, kOob + "TXY.get: 7 3"},
      {"TXY.get empty", [&] { empty.Getij(1, 1); }, kOob + "TXY.get: 1 1"},
      {"TXY.put", [&] { xy.Putij(8, 1, 0); }, kOob + "TXY.put: 8 1"},
      {"TXY.putXY", [&] { xy.GetXY(8); }, kOob + "TXY.putXY: 8"},
      {"TXYZ.get", [&] { xyz.Getij(1, 4); }, kOob + "TXYZ.get: 1 4"},
      {"TXYZ.put", [&] { xyz.Putij(3, 1, 0); }, kOob + "TXYZ.put: 3 1"},
      {"TXYZ.putXYZ", [&] { xyz.PutXYZ(3, {}); }, kOob + "TXYZ.putXYZ: 3"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf(c.call), c.message) << c.name;
  EXPECT_NO_THROW(xyz.Getij(2, 3));  // z exists for 3-D lists only
}

TEST(Containers, NegativeOrOverflowingCountsAreRangeErrors) {
  EXPECT_THROW(Txy(-1), ERangeError);
  EXPECT_THROW(TVect(-5), ERangeError);
  Tixy t(2);
  EXPECT_THROW(t.IncreaseSize(-3), ERangeError);
  EXPECT_THROW(t.IncreaseSize(std::numeric_limits<int>::max()), ERangeError);
  EXPECT_EQ(t.n(), 2);
  t.IncreaseSize(2);
  EXPECT_EQ(t.n(), 4);
  EXPECT_EQ(t.GetXY(4), (Ticoords{0, 0}));
}

TEST(Containers, DeletePointShiftsAndKeepsASinglePoint) {
  Tixy t(3);
  t.Putixy(1, 1, 1);
  t.Putixy(2, 2, 2);
  t.Putixy(3, 3, 3);
  t.DeletePoint(2);
  ASSERT_EQ(t.n(), 2);
  EXPECT_EQ(t.GetXY(1), (Ticoords{1, 1}));
  EXPECT_EQ(t.GetXY(2), (Ticoords{3, 3}));
  t.DeletePoint(99);  // beyond n drops the last point
  ASSERT_EQ(t.n(), 1);
  t.DeletePoint(1);
  EXPECT_EQ(t.n(), 1);
  EXPECT_EQ(t.GetXY(1), (Ticoords{1, 1}));
}

TEST(Containers, CopyToIntRoundsHalvesToEven) {
  Txy xy(2);
  xy.PutXY(1, {2.5, 3.5});
  xy.PutXY(2, {-2.5, -0.5});
  std::unique_ptr<Tixy> i;
  xy.CopyToInt(i);
  EXPECT_EQ(i->GetXY(1), (Ticoords{2, 4}));
  EXPECT_EQ(i->GetXY(2), (Ticoords{-2, 0}));
  Txy huge(1);
  huge.PutXY(1, {3e9, 0});
  std::unique_ptr<Tixy> j;
  EXPECT_THROW(huge.CopyToInt(j), ERangeError);
}

TEST(Containers, ListCopiesReplaceOrAppend) {
  TxyList a;
  a.Add(std::make_unique<Txy>(2));
  a.Items(0)->PutXY(1, {1.4, 2.6});
  std::unique_ptr<TxyList> b = std::make_unique<TxyList>();
  b->Add(std::make_unique<Txy>(5));
  a.CopyTo(b);
  ASSERT_EQ(b->Count(), 1);
  EXPECT_EQ(b->Items(0)->n(), 2);
  EXPECT_EQ(b->Items(0)->GetXY(1), (Tcoords{1.4, 2.6}));

  std::unique_ptr<TixyList> c = std::make_unique<TixyList>();
  c->Add(std::make_unique<Tixy>(1));
  a.CopyToInt(c);
  ASSERT_EQ(c->Count(), 2);
  EXPECT_EQ(c->Items(1)->GetXY(1), (Ticoords{1, 3}));
  EXPECT_THROW(c->Items(2), EListError);
}

TEST(Containers, ReadFileAppliesTheDecimalRules) {
  struct Case {
    char decimal;
    std::string line;
    std::string message;  // empty: reads
    Tcoords value = {};
  };
  const std::vector<Case> cases = {
      {'.', "1e3 -2.5", "", {1000, -2.5}},
      {'.', "1\t2", "", {1, 2}},
      {'.', "  +3.  .5  ", "", {3, 0.5}},
      {',', "12,5 -7,25", "", {12.5, -7.25}},
      {'.', "12,5 7.25",
       ", character found but decimal option set to .\nChange decimal separation character?"},
      {',', "12.5 7,25",
       ". character found but decimal option set to ,\nChange decimal separation character?"},
      {'.', "5", "Error in reading coordinates: 5"},
      {'.', "1 2 3", "Error in reading coordinates: 1 2 3"},
      {'.', "", "Error in reading coordinates: "},
      {'.', "1 x2",
       "'x2' is not a valid floating point value\nBad decimal character in coordinates?"},
      {'.', "nan 1",
       "'nan' is not a valid floating point value\nBad decimal character in coordinates?"},
      {'.', "\"1 2\" 3",
       "'1 2' is not a valid floating point value\nBad decimal character in coordinates?"},
  };
  for (const auto& c : cases) {
    TDecimalScope scope(c.decimal);
    TTextFile f(c.line + "\n");
    Txy xy(1);
    if (c.message.empty()) {
      ASSERT_NO_THROW(xy.ReadFile(f)) << c.line;
      EXPECT_EQ(xy.GetXY(1), c.value) << c.line;
    } else {
      EXPECT_EQ(MessageOf([&] { xy.ReadFile(f); }), c.message) << c.line;
    }
  }
}

TEST(TextFile, OwnedAndViewedTextReadAlikeAndSurviveMoves) {
  const std::string text = "a\r\nb\nlast";
  auto lines = [](TTextFile f) {
    std::vector<std::string> out;
    while (!f.Eof()) out.emplace_back(f.ReadLine());
    return out;
  };
  const std::vector<std::string> expected = {"a", "b", "last"};
  EXPECT_EQ(lines(TTextFile(text)), expected);
  EXPECT_EQ(lines(TTextFile::View(text)), expected);
  TTextFile shortText(std::string("x"));  // held inside the string object itself
  TTextFile moved(std::move(shortText));
  EXPECT_EQ(moved.ReadLine(), "x");
}

TEST(Containers, ReadFileLeavesEarlierPointsFilled) {
  TTextFile f("1 2\n3 4\nbad\n");
  Txy xy(4);
  xy.PutXY(4, {9, 9});
  EXPECT_THROW(xy.ReadFile(f), ElmkException);
  EXPECT_EQ(xy.GetXY(2), (Tcoords{3, 4}));
  EXPECT_EQ(xy.GetXY(4), (Tcoords{9, 9}));
  Txyz xyz(1);
  TTextFile g("1 2 3\n");
  xyz.ReadFile(g);
  EXPECT_EQ(xyz.GetXYZ(1), (Tcoords3{1, 2, 3}));
}

TEST(Containers, PrintFormatsWithTheDecimalInForce) {
  std::vector<std::string> lines;
  AddProc add = [&](const std::string& s) { lines.push_back(s); };
  Txy xy(2);
  xy.SetID("wing");
  xy.PutXY(1, {1.5, -2});
  xy.PutXY(2, {10, 0.126});
  {
    TDecimalScope comma(',');
    xy.print(add, 8, 2);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"---wing", "  1     1,50    -2,00",
                                             "  2    10,00     0,13"}));
  lines.clear();
  TiVect iv(2);
  iv.Puti(2, 42);
  iv.print(add, 4);
  EXPECT_EQ(lines, (std::vector<std::string>{"", "  1    0", "  2   42"}));
}

TEST(Containers, NormalizeCentresAndScales) {
  Txy xy(2);
  xy.PutXY(1, {0, 0});
  xy.PutXY(2, {2, 0});
  double size = 0;
  xy.Normalize(size);
  EXPECT_DOUBLE_EQ(size, std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(xy.Getij(1, 1), -1 / std::sqrt(2.0));
  Txy same(2);
  EXPECT_THROW(same.Normalize(size), EMathError);
  Txy none(0);
  EXPECT_THROW(none.Normalize(size), EMathError);
}

TEST(Containers, VectorOperations) {
  TVect v(3);
  v.Puti(1, 2);
  v.Puti(2, -4);
  v.Puti(3, 8);
  double lo, hi;
  v.MinMax(lo, hi);
  EXPECT_EQ(lo, -4);
  EXPECT_EQ(hi, 8);
  v.GetAverage();
  EXPECT_DOUBLE_EQ(v.Average(), 2);
  v.Inverse();
  EXPECT_DOUBLE_EQ(v.geti(2), -0.25);
  v.ScalarMult(4);
  EXPECT_DOUBLE_EQ(v.geti(3), 0.5);
  v.Zero();
  EXPECT_EQ(v.geti(1), 0);
  EXPECT_EQ(v.Average(), 0);
  TVect empty(0);
  EXPECT_THROW(empty.MinMax(lo, hi), ElmkException);
  std::unique_ptr<TVect> shorter = std::make_unique<TVect>(2);
  EXPECT_EQ(MessageOf([&] { v.CopyTo(shorter); }), kOob + "TVect.puti: 3");
}

}  // namespace
