#include <gtest/gtest.h>

#include <cmath>

#include "WriterTestUtil.h"

namespace {

struct TCursorCount {
  int pushes = 0, pops = 0;
};

class MxtWrite : public ::testing::Test {
 protected:
  TCursorCount cursor;
  THookScope<std::function<void()>> push{CoreHooks().CursorPush, [this] { ++cursor.pushes; }};
  THookScope<std::function<void()>> pop{CoreHooks().CursorPop, [this] { ++cursor.pops; }};
};

TEST_F(MxtWrite, ScaledSpecimenAndAnUnscaledOne) {
  TdataList data;
  TSpecimen& a = *Add2D(data, {{10, 20}, {-1, -1}, {3.5, 0.123456789}});
  a.SetScale(0.5);
  a.SetID("7");
  Add2D(data, {{1, 2}, {3, 4}, {5, 6}})->SetID("b ");
  EXPECT_EQ(WriteMxt(data), CrLf({"\" Specimen 1, ID = 7", "1 3L 2L 0", "LM1 LM2 LM3 ", "X Y ",
                                  "5.00000 10.00000 ", "-0.50000 -0.50000 ",
                                  "1.75000 0.06173 ",  // 0.0617284 to 6 digits, then 5 decimals
                                  "\" Specimen 2, ID = b ", "1 3L 2L 0", "LM1 LM2 LM3 ", "X Y ",
                                  "1.00000 2.00000 ", "3.00000 4.00000 ", "5.00000 6.00000 "}));
  EXPECT_EQ(cursor.pushes, 1);
  EXPECT_EQ(cursor.pops, 1);
}

TEST_F(MxtWrite, ThreeDimensionsWithTheSeparatorInForce) {
  TDecimalScope comma(',');
  TdataList data;
  Add3D(data, {{1, 2, 3}, {4, 5, 1234567}})->SetID("x");
  EXPECT_EQ(WriteMxt(data), CrLf({"\" Specimen 1, ID = x", "1 2L 3L 0", "LM1 LM2 ", "X Y Z ",
                                  "1,00000 2,00000 3,00000 ", "4,00000 5,00000 1,23457E+06 "}));
}

TEST_F(MxtWrite, MismatchedListsWriteNothing) {
  struct TCase {
    bool dims;
    const char* message;
  } cases[] = {{false, "All specimens must have\nsame number of landmarks."},
               {true, "All specimens must have\nsame number of dimensions."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TdataList data;
    Add2D(data, {{1, 2}, {3, 4}, {5, 6}});
    Add2D(data, {{1, 2}, {3, 4}, {5, 6}});
    if (c.dims)
      Add3D(data, {{1, 2, 3}, {3, 4, 5}, {5, 6, 7}});
    else
      Add2D(data, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    TTextOut out;
    try {
      WriteMxtFile(out, data);
      ADD_FAILURE() << "no error";
    } catch (const ElmkException& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(out.Text(), "");
  }
  EXPECT_EQ(cursor.pushes, 2);
  EXPECT_EQ(cursor.pops, 2);
}

TEST_F(MxtWrite, LineBreakInAnIdStaysOnTheCommentLine) {
  TdataList data;
  Add2D(data, {})->SetID("a\r\nb");
  EXPECT_EQ(WriteMxt(data), CrLf({"\" Specimen 1, ID = a  b", "1 0L 2L 0", "", "X Y "}));
}

TEST_F(MxtWrite, EmptyListWritesNothing) {
  TdataList data;
  EXPECT_EQ(WriteMxt(data), "");
}

TEST_F(MxtWrite, NotANumberIsRefused) {
  TdataList data;
  Add2D(data, {{1, std::nan("")}});
  EXPECT_THROW(WriteMxt(data), ElmkException);
  EXPECT_EQ(cursor.pops, 1);
}

}  // namespace

namespace {

TEST_F(MxtWrite, YieldsAfterEvery200thSpecimen) {
  int yields = 0;
  THookScope hook(CoreHooks().ProcessMessages, std::function<void()>([&] { ++yields; }));
  TdataList data;
  for (int i = 0; i < 401; ++i) Add2D(data, {{1, 2}});
  WriteMxt(data);
  EXPECT_EQ(yields, 2);
}

}  // namespace
