#include <gtest/gtest.h>

#include <cmath>

#include "ReaderTestUtil.h"

namespace {

TEST(Reader, EmptyAndBlankFilesAddNothing) {
  for (const char* text : {"", "\n\n  \r\n\t\n"}) {
    TdataList data;
    auto r = ReadText(text, data);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(data.Count(), 0);
  }
}

TEST(Reader, ASpecimenWithEverything) {
  TdataList data;
  auto r = ReadText(
      "lm=2\n1.5 2\r\n-1 -1\nCURVES=1\nPOINTS=2\n0 0\n1 1\n"
      "IMAGE=  C:\\pics\\a  b.jpg\nID=ab cd\nCOMMENT=abc\nVARIABLES=1 2 3\nSCALE=0,25\n"
      "LM3=1\n1 2 3\nID=next",
      data);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(data.Count(), 2);
  const TSpecimen& s = *data.Items(0);
  EXPECT_EQ(s.nLM(), 2u);
  EXPECT_EQ(s.GetXY(1), (Tcoords{1.5, 2}));
  EXPECT_EQ(s.GetXY(2), (Tcoords{-1, -1}));
  EXPECT_EQ(s.getCXY(1, 2), (Tcoords{1, 1}));
  EXPECT_EQ(s.ImageFn(), "C:\\pics\\a b.jpg");  // only the first gap is reduced
  EXPECT_EQ(s.ID(), "ab cd");
  EXPECT_EQ(s.comment(), "abc ");  // a one-word text keeps its joining blank
  EXPECT_EQ(s.Variables(), "1 2 3");
  EXPECT_EQ(s.scale(), 0.25);
  EXPECT_NEAR(s.csize(), std::hypot(1.25, 1.5) * std::sqrt(2.0), 1e-12);
  EXPECT_EQ(s.xMax(), 1.5);
  EXPECT_TRUE(data.AnyImages());
  const TSpecimen& t = *data.Items(1);
  EXPECT_EQ(t.nDims(), 3u);
  EXPECT_EQ(t.getXY3(1, 3), 3);
  EXPECT_EQ(t.ID(), "next ");
  EXPECT_EQ(t.csize(), 0);  // 3-D specimens get no centroid
}

TEST(Reader, DefaultIdsContinueAcrossAnAppend) {
  TdataList data;
  ASSERT_TRUE(ReadText("LM=1\n1 1\nLM=1\n2 2\n", data).ok);
  ASSERT_TRUE(ReadText("LM=1\n3 3\n", data).ok);
  ASSERT_EQ(data.Count(), 3);
  EXPECT_EQ(data.Items(0)->ID(), "0");
  EXPECT_EQ(data.Items(1)->ID(), "1");
  EXPECT_EQ(data.Items(2)->ID(), "2");
}

struct FailCase {
  const char* name;
  std::string text;
  std::string error;  // empty: reading stops without an error
  std::vector<std::string> boxes = {};
};

class ReaderFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(ReaderFailure, GivesTheMessageAndKeepsTheListBefore) {
  const FailCase& c = GetParam();
  TdataList data;
  ASSERT_TRUE(ReadText("LM=1\n5 5\nID=kept\n", data).ok);
  auto r = ReadText(c.text, data);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, c.error);
  EXPECT_EQ(r.boxes, c.boxes);
  // Whatever went wrong, the specimen read before is still there and nothing else is.
  ASSERT_EQ(data.Count(), 1);
  EXPECT_EQ(data.Items(0)->ID(), "kept ");
}

const std::string kNoEq = "Error in input file, \"=\" not found";

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderFailure,
    ::testing::Values(
        FailCase{"FirstLineNotLm", "ID=x\nLM=1\n1 1\n",
                 "Invalid format: a lmk file must begin with LM= or LM3="},
        FailCase{"BlankBeforeEquals", "LM =2\n1 1\n2 2\n",
                 "Invalid format: a lmk file must begin with LM= or LM3="},
        FailCase{"FirstLineWithoutEquals",
                 "hello\n",
                 "Invalid format: a lmk file must begin with LM= or LM3=",
                 {kNoEq}},
        FailCase{"MissingCount", "LM=\n", ""}, FailCase{"CountMinusOne", "LM=1\n1 1\nLM=-1\n", ""},
        FailCase{"NegativeCount", "LM=-2\n", "Range check error: landmark count -2"},
        FailCase{"CountNotInteger", "LM=2x\n", "Error in file,\n\"2x\" not a valid integer"},
        FailCase{"LandmarkWords", "LM=1\n1 2 3\n", "Error in reading coordinates: 1 2 3"},
        FailCase{
            "LandmarkComma", "LM=1\n1,5 2\n",
            ", character found but decimal option set to .\nChange decimal separation character?"},
        FailCase{"LandmarkBadNumber", "LM=1\n1 2a\n",
                 "'2a' is not a valid floating point value\nBad decimal character in coordinates?"},
        FailCase{"BlankLineAmongLandmarks", "LM=2\n1 1\n\n2 2\n", "Error in reading coordinates: "},
        FailCase{"FileEndsInLandmarks", "LM=3\n1 1\n", "Error in reading coordinates: "},
        FailCase{"HugeCountInSmallFile", "LM=2000000000\n1 1\n", "Error in reading coordinates: "},
        FailCase{"CurvesTwice", "LM=1\n1 1\nCURVES=1\nPOINTS=1\n1 1\nCURVES=1\nPOINTS=1\n1 1\n",
                 "Error in file,\nCURVES given more than once\nfor same specimen"},
        FailCase{"PointsNotFound", "LM=1\n1 1\nCURVES=1\nPOINT=1\n1 1\n",
                 "Error in file,\nPOINTS= not found"},
        FailCase{"CurvePointsMissing", "LM=1\n1 1\nCURVES=1\nPOINTS=\n", ""},
        FailCase{"OutlinesTwice", "LM=0\nOUTLINES=0\nOUTLINES=0\n",
                 "Error in file,\nOUTLINES given more than once\nfor same specimen"},
        FailCase{"OutlineKindUnknown", "LM=0\nOUTLINES=1\nBOX=1\n",
                 "Error in file,\nPOINTS= or CHAIN= or RADII= not found"},
        FailCase{"BlankLineBetweenOutlines",
                 "LM=0\nOUTLINES=2\nPOINTS=1\n1 1\n\nPOINTS=1\n1 1\n",
                 "",
                 {kNoEq}},
        FailCase{"RadiiHeaderWords", "LM=0\nOUTLINES=1\nRADII=2\n1 2 3\n1 1\n", ""},
        FailCase{"RadiiMinusOne", "LM=0\nOUTLINES=1\nRADII=-1\n0 0 0 0\n1\n", ""},
        FailCase{"RadiiBadCentre", "LM=0\nOUTLINES=1\nRADII=1\n0 0 1,5 0\n1\n",
                 "'1,5' is not a valid floating point value\nBad decimal character in radii? "
                 "should be:."},
        FailCase{"RadiiBadStart", "LM=0\nOUTLINES=1\nRADII=1\n0.5 0 1 0\n1\n",
                 "Error in file,\n\"0.5\" not a valid integer\nBad decimal character in radii? "
                 "should be:."},
        FailCase{"TooManyRadiiOnALine", "LM=0\nOUTLINES=1\nRADII=2\n0 0 0 0\n1 2 3\n",
                 "subscript out of bounds in\nTVect.puti: 3"},
        FailCase{"PointsOutlineOneWord", "LM=0\nOUTLINES=1\nPOINTS=1\n7\n",
                 "List index out of bounds (1)"},
        FailCase{"PointsOutlineBadNumber", "LM=0\nOUTLINES=1\nPOINTS=1\n7 y\n",
                 "'y' is not a valid floating point value\nBad decimal character in XY points? "
                 "should be:."},
        FailCase{"RadiiXYTooFewTokens",
                 "LM=0\nOUTLINES=1\nRADIIXY=1\n7\n",
                 "'' is not a valid floating point value\nBad decimal character in XY radii?",
                 {"Too few tokens in input parameter line"}},
        FailCase{"ChainTooLong", "LM=0\nOUTLINES=1\nCHAIN=12001\n0 0\n0\n",
                 "Range check error: a chain holds at most 12000 codes, not 12001"},
        FailCase{"PointsAtSpecimenLevel", "LM=1\n1 1\nPOINTS=3\n",
                 "Error in file,\nunrecognized parameter: POINTS"},
        FailCase{"ImageTwice", "LM=1\n1 1\nIMAGE=a\nIMAGE=b\n",
                 "Error in file,\nIMAGE given more than once\nfor same specimen"},
        FailCase{"CommentTwice", "LM=1\n1 1\nCOMMENT=a\nCOMMENT=b\n",
                 "Error in file,\nCOMMENT given more than once\nfor same specimen"},
        FailCase{"VariablesTwice", "LM=1\n1 1\nVARIABLES=a\nVARIABLES=b\n",
                 "Error in file,\nVARIABLES given more than once\nfor same specimen"},
        FailCase{"ScaleTwice", "LM=1\n1 1\nSCALE=1\nSCALE=2\n",
                 "Error in file,\nSCALE given more than once\nfor same specimen"},
        FailCase{"ScaleNotANumber", "LM=1\n1 1\nSCALE=big\n",
                 "'big' is not a valid floating point value"},
        FailCase{"RoundedPointOutOfRange", "LM=0\nOUTLINES=1\nPOINTS=1\n3e10 0\n",
                 "Range check error: 30000000000.000000 does not fit an integer"}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return info.param.name; });

TEST(Reader, BrokenChainStartDropsOnlyItsSpecimen) {
  TdataList data;
  auto r = ReadText("LM=1\n1 1\nLM=0\nOUTLINES=1\nCHAIN=3\n1.5 0\n012\nID=x\n", data);
  EXPECT_EQ(r.error, "Error in reading outline for specimen 2 (ID=1");
  ASSERT_EQ(data.Count(), 1);  // the specimen before the broken one stays
  EXPECT_EQ(data.Items(0)->ID(), "0");
}

TEST(Reader, BrokenOutlineBlockDropsOnlyItsSpecimen) {
  TdataList data;
  ASSERT_TRUE(ReadText("LM=1\n9 9\n", data).ok);
  auto r = ReadText("LM=1\n1 1\nID=a\nLM=0\nID=b\nOUTLINES=1\nRADII=3\n0 0 1 1\n1 2\n", data);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "Error in reading outline for specimen 2 (ID=b ");
  ASSERT_EQ(data.Count(), 2);
  EXPECT_EQ(data.Items(1)->ID(), "a ");
}

TEST(Reader, OutlineBlocksOfAllFourKinds) {
  TdataList data;
  std::string radii = "RADII=-40\n3 4 10.5 20.25\n";
  for (int line = 0; line < 2; ++line) {
    for (int k = 1; k <= 20; ++k) radii += " " + std::to_string(line * 20 + k) + ".5";
    radii += line == 0 ? "\n\n" : "\n";  // a blank line between radii lines is ignored
  }
  auto r =
      ReadText("LM=0\nOUTLINES=5\nPOINTS=2\n1.5 2.5 extra\n-3.5 4\n" + radii +
                   "RADIIXY=1\n7.4 -8.6\nCHAIN=5\n10 20 ignored\n01 23\n4 trailing\nCHAIN=0\n1 2\n"
                   "ID=after\n",
               data);
  ASSERT_TRUE(r.ok) << r.error;
  const TOutlineList& list = *data.Items(0)->OutlineList();
  ASSERT_EQ(list.Count(), 5);
  const TOutline& p = *list.Items(0);
  EXPECT_EQ(p.kind(), OutlineXY);
  EXPECT_EQ(p.getPij(1, 1), 2);  // ties to even
  EXPECT_EQ(p.getPij(1, 2), 2);
  EXPECT_EQ(p.getPij(2, 1), -4);
  const TOutline& rd = *list.Items(1);
  EXPECT_EQ(rd.kind(), OutlineRadii);
  EXPECT_TRUE(rd.clockwise());
  EXPECT_EQ(rd.n(), 40u);
  EXPECT_EQ(rd.x1(), 3);
  EXPECT_EQ(rd.yBar(), 20.25);
  EXPECT_EQ(rd.getri(40), 40.5);
  const TOutline& rx = *list.Items(2);
  EXPECT_EQ(rx.getRij(1, 1), 7);
  EXPECT_EQ(rx.getRij(1, 2), -9);
  const TOutline& c = *list.Items(3);
  EXPECT_EQ(c.kind(), OutlineChain);
  EXPECT_EQ(c.x1(), 10);
  EXPECT_EQ(c.y1(), 20);
  ASSERT_EQ(c.n(), 5u);
  for (std::uint32_t i = 1; i <= 5; ++i) EXPECT_EQ(c.geti(i), i - 1);
  EXPECT_EQ(list.Items(4)->n(), 0u);
  EXPECT_EQ(data.Items(0)->ID(), "after ");  // CHAIN=0 leaves the next keyword line in place
}

TEST(Reader, CountsThatMeanNothing) {
  TdataList data;
  auto r = ReadText(
      "LM=0\nCURVES=-2\nOUTLINES=-2\nID=x\nLM=0\nOUTLINES=1\nRADII=0\n0 0 0 0\nID=y\n", data);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(data.Items(0)->nCurves(), 0u);
  ASSERT_NE(data.Items(0)->OutlineList(), nullptr);
  EXPECT_EQ(data.Items(0)->OutlineList()->Count(), 0);
  EXPECT_EQ(data.Items(1)->OutlineList()->Items(0)->n(), 0u);
  EXPECT_EQ(data.Items(1)->ID(), "y ");
}

TEST(Reader, ChainCodesMissingFromTheFileReadAsZero) {
  TdataList data;
  auto r = ReadText("LM=0\nOUTLINES=1\nCHAIN=4\n0 0\n77", data);
  ASSERT_TRUE(r.ok) << r.error;
  const TOutline& c = *data.Items(0)->OutlineList()->Items(0);
  EXPECT_EQ(c.n(), 4u);
  EXPECT_EQ(c.geti(2), 7);
  EXPECT_EQ(c.geti(3), 0);
}

TEST(Reader, RadiiThatRunOutWithTheFileFailInsteadOfHanging) {
  TdataList data;
  auto r = ReadText("LM=0\nOUTLINES=1\nRADII=3\n0 0 0 0\n1 2", data);
  EXPECT_EQ(r.error, "Error in reading outline for specimen 1 (ID=0");
  EXPECT_EQ(data.Count(), 0);
}

TEST(Reader, ScaleZeroTwiceAndIdTwice) {
  TdataList data;
  auto r = ReadText("LM=1\n1 1\nSCALE=0\nSCALE=2\nID=a\nID=b\n", data);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(data.Items(0)->scale(), 2);
  EXPECT_EQ(data.Items(0)->ID(), "b ");
}

TEST(Reader, LongTextsAreKeptWhole) {
  const std::string comment(5000, 'c');
  TdataList data;
  ASSERT_TRUE(ReadText("LM=0\nCOMMENT=x " + comment + "\n", data).ok);
  EXPECT_EQ(data.Items(0)->comment(), "x " + comment);
}

TEST(Reader, CommaSeparator) {
  TDecimalScope comma(',');
  TdataList data;
  auto r = ReadText("LM=1\n1,5 -2,25\nSCALE=0.5\n", data);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(data.Items(0)->GetXY(1), (Tcoords{1.5, -2.25}));
  EXPECT_EQ(data.Items(0)->scale(), 0.5);  // the other character is taken in the scale
  auto bad = ReadText("LM=1\n1.5 2\n", data);
  EXPECT_EQ(bad.error,
            ". character found but decimal option set to ,\nChange decimal separation character?");
}

TEST(Reader, CheckCounts) {
  struct Case {
    std::string text;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"LM=2\n1 1\n2 2\n", "Error in specimen 1 (ID=),\ntoo few landmarks (2)"},
      {"LM3=2\n1 1 1\n2 2 2\n", "Error in specimen 1 (ID=),\ntoo few landmarks"},
      {"LM=3\n1 1\n2 2\n3 3\nLM=4\n",
       "Error in specimen 2, number of landmarks (4)\nnot the same as for previous specimen (3)"},
      {"LM3=3\n1 1 1\n2 2 2\n3 3 3\nLM3=2\n",
       "Error in specimen 2 (ID=),\nnumber of landmarks not\nthe same as for previous specimen"},
      {"LM=3\n1 1\n2 2\n3 3\nLM=3\n1 1\n2 2\n3 3\n", ""},
  };
  for (const auto& c : cases) {
    TdataList data;
    auto r = ReadText(c.text, data, true);
    EXPECT_EQ(r.error, c.error) << c.text;
    EXPECT_EQ(data.Count(), c.error.empty() ? 2 : 0);
  }
}

TEST(Reader, LineNumbersOfStopsErrorsAndBoxes) {
  TdataList data;
  auto r = ReadText("LM=1\n1 1\nLM=2\n1 1\nx y\n", data);
  EXPECT_EQ(r.report.Line, 5);
  auto s = ReadText("LM=0\nOUTLINES=2\nPOINTS=1\n1 1\nno equals\n", data);
  ASSERT_EQ(s.report.Messages.size(), 1u);
  EXPECT_EQ(s.report.Messages[0].Line, 5);
  EXPECT_EQ(s.report.Messages[0].Text, kNoEq);
}

TEST(Reader, YieldsBeforeEachTwoDimensionalSpecimen) {
  int yields = 0;
  CoreHooks().ProcessMessages = [&] { ++yields; };
  TdataList data;
  ReadText("LM=0\nLM3=0\nLM=0\n", data);
  CoreHooks().ProcessMessages = nullptr;
  EXPECT_EQ(yields, 2);
}

TEST(Reader, ListLessModeReadsTheFirstSpecimenAsRef) {
  TTextFile f("LM=2\n1 1\n2 2\nID=first\nLM=1\n3 3\n");
  std::unique_ptr<TSpecimen> ref;
  EXPECT_TRUE(ReadReferenceSpecimen(f, ref));
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(ref->nLM(), 2u);
  EXPECT_EQ(ref->ID(), "first ");
  TTextFile g("LM=1\n1 1\n");
  EXPECT_TRUE(ReadReferenceSpecimen(g, ref));
  EXPECT_EQ(ref->ID(), "Ref");
  TTextFile bad("LM=1\nx\n");
  EXPECT_THROW(ReadReferenceSpecimen(bad, ref), ElmkException);
  EXPECT_EQ(ref, nullptr);
}

TEST(Reader, SpecRefersToTheFirstSpecimen) {
  TdataList data;
  TTextFile f("LM=1\n1 1\nLM=1\n2 2\n");
  TSpecimen* spec = nullptr;
  ASSERT_TRUE(ReadLandmarkFile(f, spec, data, false));
  EXPECT_EQ(spec, data.Items(0));
}

TEST(TokenHelpers, CountTokensGetTokenStrToIntChecked) {
  std::string s = "  a  b\tc  ";
  EXPECT_EQ(CountTokens(s), 2);  // a tab joins its neighbours
  EXPECT_EQ(s, "a  b\tc");
  std::vector<std::string> boxes;
  CoreHooks().ShowError = [&](const std::string& m) { boxes.push_back(m); };
  EXPECT_EQ(GetToken(" x   y ", 2), "y");
  EXPECT_EQ(GetToken("x", 0), "");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(GetToken("x", 2), "");
  CoreHooks().ShowError = nullptr;
  EXPECT_EQ(boxes, (std::vector<std::string>{"Too few tokens in input parameter line"}));
  EXPECT_EQ(StrToIntChecked(""), -1);
  EXPECT_EQ(StrToIntChecked("-7"), -7);
  try {
    StrToIntChecked("1.0");
    FAIL();
  } catch (const ElmkException& e) {
    EXPECT_STREQ(e.what(), "Error in file,\n\"1.0\" not a valid integer");
  }
}

TEST(TokenHelpers, ReadKeyLineSplitsValueAndRest) {
  TTextFile f("id=  one  two  three \nnoequals\n");
  std::string key = "old", value, rest;
  ReadKeyLine(f, key, value, rest);
  EXPECT_EQ(key, "ID");
  EXPECT_EQ(value, "one");
  EXPECT_EQ(rest, "two  three");
  ReadKeyLine(f, key, value, rest);
  EXPECT_EQ(key, "ID");  // a line without "=" keeps the previous key
  EXPECT_EQ(value, "");
}

TEST(ChainCodes, StepAndAngle) {
  struct Step {
    int c, x, y;
  };
  for (const Step& s : std::vector<Step>{{0, 1, 0},
                                         {1, 1, 1},
                                         {2, 0, 1},
                                         {3, -1, 1},
                                         {4, -1, 0},
                                         {5, -1, -1},
                                         {6, 0, -1},
                                         {7, 1, -1},
                                         {-1, 1, -1},
                                         {9, 1, 1}}) {
    int x = 0, y = 0;
    EXPECT_TRUE(ChainStep(s.c, x, y));
    EXPECT_EQ(x, s.x) << s.c;
    EXPECT_EQ(y, s.y) << s.c;
  }
  int x = 5, y = 5;
  for (int c : {0, 2, 4, 6}) ChainStep(c, x, y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 5);
  const double pi = std::acos(-1.0);
  EXPECT_DOUBLE_EQ(DirectionAngle(1, 1), pi / 4);
  EXPECT_DOUBLE_EQ(DirectionAngle(-1, 0), pi);
  EXPECT_DOUBLE_EQ(DirectionAngle(-1, -1), -3 * pi / 4);
  EXPECT_DOUBLE_EQ(DirectionAngle(-1, 1), 3 * pi / 4);
  EXPECT_DOUBLE_EQ(DirectionAngle(0, 0), -pi / 2);
  EXPECT_DOUBLE_EQ(DirectionAngle(0, 2), pi / 2);
}

}  // namespace
