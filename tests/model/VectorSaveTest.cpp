#include <gtest/gtest.h>

#include <unistd.h>
#include "common/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/Lmkcomm.h"

namespace fs = std::filesystem;

namespace {

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

class VectorSave : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("morvex-vsave-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    CoreHooks().CursorPush = [this] { ++pushes; };
    CoreHooks().CursorPop = [this] { ++pops; };
  }
  void TearDown() override {
    CoreHooks().CursorPush = nullptr;
    CoreHooks().CursorPop = nullptr;
    fs::remove_all(dir);
  }
  std::string P(const char* name) const { return (dir / name).string(); }
  fs::path dir;
  int pushes = 0, pops = 0;
};

TVect ThreeValues() {
  TVect v(3);
  v.Puti(1, 1.5);
  v.Puti(2, -2.25);
  v.Puti(3, 1000);
  return v;
}

TEST_F(VectorSave, VectorLayoutsByExtension) {
  TVect v = ThreeValues();
  v.SetComment("radii");
  v.save(P("r.mxt"), 8, 3);
  EXPECT_EQ(Slurp(P("r.mxt")),
            CrLf({"\" radii", "1 3 1 0", "   1.500 ", "  -2.250 ", "1000.000 "}));
  v.save(P("my radii.m"), 6, 1);
  EXPECT_EQ(Slurp(P("my radii.m")), CrLf({"MYRADII.M=[", "   1.5 ", "  -2.2 ", "1000.0  ];"}));
  v.save(P("my radii.csv"), 1, 2);
  EXPECT_EQ(Slurp(P("my radii.csv")), CrLf({"'MY_RADII.CSV", "1.50 ", "-2.25 ", "1000.00 "}));
  EXPECT_EQ(pushes, 3);
  EXPECT_EQ(pops, 3);
}

TEST_F(VectorSave, VectorWithoutCommentOrWidth) {
  TVect v(2);
  v.Puti(1, 0.000125);
  v.Puti(2, -31415.9265358979);
  v.save(P("e.MXT"), 0, 4);
  EXPECT_EQ(Slurp(P("e.MXT")),
            CrLf({"1 2 1 0", "1.25000000000000E-04 ", "-3.14159265358979E+04 "}));
  TVect empty(0);
  empty.save(P("z.m"), 5, 1);
  EXPECT_EQ(Slurp(P("z.m")), CrLf({"Z.M=[", " ];"}));
}

TEST_F(VectorSave, VectorUsesTheSeparatorInForce) {
  TDecimalScope comma(',');
  ThreeValues().save(P("c.mxt"), 1, 1);
  EXPECT_EQ(Slurp(P("c.mxt")), CrLf({"1 3 1 0", "1,5 ", "-2,2 ", "1000,0 "}));
}

TEST_F(VectorSave, InvalidTypeLeavesAnExistingFileAlone) {
  std::ofstream(P("keep.txt")) << "precious";
  try {
    ThreeValues().save(P("keep.txt"), 8, 3);
    ADD_FAILURE() << "no error";
  } catch (const ElmkException& e) {
    EXPECT_STREQ(e.what(), "Invalid file type: .TXT");
  }
  EXPECT_EQ(Slurp(P("keep.txt")), "precious");
  EXPECT_THROW(ThreeValues().save(P("noext"), 8, 3), ElmkException);
  EXPECT_FALSE(fs::exists(P("noext")));
}

TEST_F(VectorSave, IntegerPoints) {
  Tixy p(2);
  p.Putixy(1, 3, -4);
  p.Putixy(2, 100, 7);
  p.save(P("o.lmk"), "outline 1");
  EXPECT_EQ(Slurp(P("o.lmk")), CrLf({"ID=outline 1", "LM=2", "3 -4", "100 7"}));
  p.save(P("o.txt"), "outline 1");
  EXPECT_EQ(Slurp(P("o.txt")), CrLf({"\" outline 1", "1 2 2 0", "3 -4", "100 7"}));
}

TEST_F(VectorSave, RealPoints) {
  Txy p(2);
  p.PutXY(1, {1.5, -2.25});
  p.PutXY(2, {123.456789012, 0});
  p.save(P("c.LMK"), "curve");
  EXPECT_EQ(Slurp(P("c.LMK")),
            CrLf({"LM=2", "1.50000000 -2.25000000", "123.45678901 0.00000000", "ID=curve"}));
  p.save(P("c.mxt"), "curve");
  EXPECT_EQ(Slurp(P("c.mxt")),
            CrLf({"\" curve", "1 2 2 0", "1.50000000 -2.25000000", "123.45678901 0.00000000"}));
  p.save(P("c.m"), "curve");
  EXPECT_EQ(Slurp(P("c.m")), CrLf({"C.M=[1.50000000 -2.25000000", "123.45678901 0.00000000];"}));
  p.save(P("c.dat"), "curve");
  EXPECT_TRUE(fs::exists(P("c.dat")));
  EXPECT_EQ(Slurp(P("c.dat")), "");
}

TEST_F(VectorSave, RealPointsAlwaysWithAPeriod) {
  TDecimalScope comma(',');
  Txy p(1);
  p.PutXY(1, {0.5, 2});
  p.save(P("p.mxt"), "x");
  EXPECT_EQ(Slurp(P("p.mxt")), CrLf({"\" x", "1 1 2 0", "0.50000000 2.00000000"}));
}

TEST_F(VectorSave, ThreeDimensionalPoints) {
  Txyz p(1);
  p.PutXYZ(1, {1.25, -2, 3.5});
  p.save(P("s.lmk"), "s");
  EXPECT_EQ(Slurp(P("s.lmk")), CrLf({"ID=s", "LM3=1", "1.250000 -2.00000000 3.50000000"}));
  p.save(P("s.mxt"), "s");
  EXPECT_EQ(Slurp(P("s.mxt")), CrLf({"\" s", "1 1 3 0", "1.25000000 -2.00000000 3.50000000"}));
}

TEST_F(VectorSave, UnwritableFileRaisesAndRestoresTheCursor) {
  Txy p(1);
  EXPECT_THROW(p.save((dir / "missing" / "p.mxt").string(), "x"), EInOutError);
  EXPECT_EQ(pushes, 1);
  EXPECT_EQ(pops, 1);
}

}  // namespace
