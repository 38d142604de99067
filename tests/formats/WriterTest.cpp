#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "WriterTestUtil.h"

namespace {

struct TNumberCase {
  double v;
  int sig, dec;
  const char* text;
};

TEST(WriterNumbers, RoundToSignificantDigitsThenToDecimals) {
  const TNumberCase cases[] = {
      {123.456789, 7, 5, "123.45680"},
      {98.5, 7, 5, "98.50000"},
      {0.000123456, 7, 5, "0.00012"},
      {-1, 7, 5, "-1.00000"},
      {0, 7, 5, "0.00000"},
      {-0.0, 7, 5, "0.00000"},
      {-0.000001, 7, 5, "0.00000"},  // a negative value that rounds to zero loses its sign
      {-0.000004999, 7, 5, "0.00000"},
      {-0.000006, 7, 5, "-0.00001"},
      {1234567.25, 7, 5, "1234567.00000"},
      {9999999.4, 7, 5, "9999999.00000"},
      {99.9999996, 7, 5, "100.00000"},
      {0.000005, 7, 5, "0.00001"},
      {1.2345649, 7, 5, "1.23457"},  // 1.234565 first, then its half goes up
      {12345678, 7, 5, "1.234568E+07"},
      {9999999.6, 7, 5, "1.000000E+07"},
      {-98765432.1, 7, 5, "-9.876543E+07"},
      {1e300, 7, 5, "1.000000E+300"},
      {0.0254, 8, 6, "0.025400"},
      {123.456789, 8, 6, "123.456790"},
      {0.5, 8, 6, "0.500000"},
      {123456789, 8, 6, "1.2345679E+08"},
      {123.456789, 6, 5, "123.45700"},
      {0.5, 6, 5, "0.50000"},
      {1234567, 6, 5, "1.23457E+06"},
      {999999.4, 6, 5, "999999.00000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(FormatRounded(c.v, c.sig, c.dec, '.'), c.text);
    std::string comma = c.text;
    if (auto p = comma.find('.'); p != std::string::npos) comma[p] = ',';
    EXPECT_EQ(FormatRounded(c.v, c.sig, c.dec, ','), comma);
  }
}

TEST(WriterNumbers, FormatsFollowTheSeparatorInForce) {
  TDecimalScope comma(',');
  EXPECT_EQ(F75(10), "10,00000");
  EXPECT_EQ(F86(0.0254), "0,025400");
  EXPECT_EQ(F65(-2.5), "-2,50000");
}

// An independent statement of the rule: printf's correctly rounded significant digits, then
// the decimals cut with halves away from zero.
std::string Reference(double v, int sig, int dec) {
  const double a = std::fabs(v);
  if (a == 0) return FormatRounded(0.0, sig, dec, '.');
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", sig - 1, a);
  std::string digits;
  const char* p = buf;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  const int exp = std::atoi(p + 1);
  std::string out = std::signbit(v) ? "-" : "";
  if (exp >= sig) {
    out += digits.substr(0, 1) + "." + digits.substr(1) + "E" + (exp < 0 ? "-" : "+");
    char e[16];
    std::snprintf(e, sizeof e, "%02d", std::abs(exp));
    return out + e;
  }
  // Digits placed on a grid of dec decimals.
  const int keep = exp + 1 + dec;
  long long units = 0;
  for (int i = 0; i < std::min(keep, sig); ++i) units = units * 10 + (digits[i] - '0');
  for (int i = sig; i < keep; ++i) units *= 10;
  if (keep < sig && keep >= 0 && digits[keep] >= '5') ++units;
  if (units == 0) out.clear();
  long long scale = 1;
  for (int i = 0; i < dec; ++i) scale *= 10;
  char fixed[64];
  std::snprintf(fixed, sizeof fixed, "%lld.%0*lld", units / scale, dec, units % scale);
  return out + fixed;
}

TEST(WriterNumbers, FastPathAgreesWithTheExactRuleEverywhere) {
  std::mt19937_64 rng(20261211);
  std::uniform_real_distribution<double> mant(-10, 10);
  std::uniform_int_distribution<int> expo(-8, 9);
  const int formats[][2] = {{7, 5}, {8, 6}, {6, 5}};
  for (int k = 0; k < 300000; ++k) {
    double v = mant(rng) * std::pow(10.0, expo(rng));
    if (k % 3 == 1) {
      // Close to a rounding boundary of the fifth decimal or of the seventh digit.
      const double grid = std::pow(10.0, -(k % 7));
      v = (std::floor(v / grid) + 0.5) * grid + (k % 5 - 2) * 1e-12 * grid;
    }
    for (const auto& f : formats) {
      const std::string got = FormatRounded(v, f[0], f[1], '.');
      if (got != Reference(v, f[0], f[1])) {
        ADD_FAILURE() << "value " << std::hexfloat << v << " format " << f[0] << "." << f[1] << ": "
                      << got << " vs " << Reference(v, f[0], f[1]);
        return;
      }
    }
  }
}

TEST(WriterNumbers, EveryWrittenNumberReadsBackToTheSameText) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mant(-10, 10);
  std::uniform_int_distribution<int> expo(-7, 12);
  for (int k = 0; k < 100000; ++k) {
    const double v = mant(rng) * std::pow(10.0, expo(rng));
    const std::string once = FormatRounded(v, 7, 5, '.');
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(once, back, '.')) << once;
    ASSERT_EQ(FormatRounded(back, 7, 5, '.'), once);
  }
}

TEST(WriterNumbers, FixedWidthAndExponent) {
  std::string s;
  AppendFixedWidth(s, 1.5, 10, 8, '.');
  EXPECT_EQ(s, "1.50000000");
  s.clear();
  AppendFixedWidth(s, -2.25, 10, 8, '.');
  EXPECT_EQ(s, "-2.25000000");
  s.clear();
  AppendFixedWidth(s, 2.5, 8, 2, ',');
  EXPECT_EQ(s, "    2,50");
  s.clear();
  AppendExponent(s, 3.7e-7, 8, '.');
  EXPECT_EQ(s, "3.7000000E-07");
}

TEST(Writer, TwoLandmarksWithAMissingOne) {
  TdataList data;
  Add2D(data, {{10, 20.5}, {-1, -1}})->SetID("A1");
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=2", "10.00000 20.50000", "-1.00000 -1.00000", "ID=A1"}));
  TDecimalScope comma(',');
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=2", "10,00000 20,50000", "-1,00000 -1,00000", "ID=A1"}));
}

TEST(Writer, EmptyListWritesNothing) {
  TdataList data;
  EXPECT_EQ(WriteLmk(data), "");
}

TEST(Writer, ThreeDimensionalLandmarks) {
  TdataList data;
  Add3D(data, {{1, 2, 3}, {-4.5, 0.25, 1e8}});
  EXPECT_EQ(WriteLmk(data),
            CrLf({"LM3=2", "1.00000 2.00000 3.00000", "-4.50000 0.25000 1.000000E+08"}));
}

TEST(Writer, NoLandmarksWritesOnlyTheCountLine) {
  TdataList data;
  data.Add(std::make_unique<TSpecimen>(0, 2))->SetID("none");
  data.Add(std::make_unique<TSpecimen>(0, 3));
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0", "ID=none", "LM3=0"}));
}

TEST(Writer, LinesComeInTheirOrder) {
  TdataList data;
  TSpecimen& s = *Add2D(data, {{1, 2}});
  Txy* c = s.CreateCurve(2);
  c->PutXY(1, {3, 4});
  c->PutXY(2, {5.5, 6});
  AddChain(s, 7, 8, {0, 1, 2});
  AddRadii(s, 1, 2, 3.5, 4.25, {10, 11}, false);
  AddPoints(s, OutlineRadiiXY, {{1, 2}, {-3, 4}});
  AddPoints(s, OutlineXY, {{5, 6}});
  s.SetImageFn("a.jpg");
  s.SetID("id");
  s.SetComment("c");
  s.SetVariables("1 2");
  s.SetScale(0.5);
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=1",
                                  "1.00000 2.00000",
                                  "CURVES=1",
                                  "POINTS=2",
                                  "3.00000 4.00000",
                                  "5.50000 6.00000",
                                  "OUTLINES=4",
                                  "CHAIN=3",
                                  "7 8",
                                  "012",
                                  "RADII=2",
                                  "1 2 3.50000 4.25000",
                                  " 10.00000 11.00000",
                                  "RADIIXY=2",
                                  "1 2",
                                  "-3 4",
                                  "POINTS=1",
                                  "5 6",
                                  "IMAGE=a.jpg",
                                  "ID=id",
                                  "COMMENT=c",
                                  "VARIABLES=1 2",
                                  "SCALE=0.500000"}));
}

TEST(Writer, ClockwiseRadiiTwentyALineWithALeadingBlank) {
  TdataList data;
  TSpecimen& s = *Add2D(data, {});
  std::vector<double> radii;
  for (int i = 1; i <= 40; ++i) radii.push_back(i + 0.5);
  AddRadii(s, 3, 4, 10, 20, radii, true);
  s.SetID("r");
  std::string line1, line2;
  for (int i = 1; i <= 20; ++i) line1 += " " + F75(i + 0.5);
  for (int i = 21; i <= 40; ++i) line2 += " " + F75(i + 0.5);
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0", "OUTLINES=1", "RADII=-40", "3 4 10.00000 20.00000", line1,
                                  line2, "ID=r"}));
  // 41 radii: one more line with the last one.
  s.OutlineList()->Clear();
  radii.push_back(7);
  AddRadii(s, 3, 4, 10, 20, radii, false);
  EXPECT_NE(WriteLmk(data).find(line2 + "\r\n 7.00000\r\nID=r\r\n"), std::string::npos);
}

TEST(Writer, SingleClockwiseRadiusIsWrittenSoThatItReadsBack) {
  // RADII=-1 would read as a missing count; one radius has no direction to keep.
  TdataList data;
  TSpecimen& s = *Add2D(data, {});
  AddRadii(s, 0, 0, 1, 1, {5}, true);
  AddRadii(s, 0, 0, 1, 1, {}, true);
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0", "OUTLINES=2", "RADII=1", "0 0 1.00000 1.00000",
                                  " 5.00000", "RADII=0", "0 0 1.00000 1.00000"}));
  TdataList back;
  auto r = ReadLmkText(WriteLmk(data), back);
  ASSERT_TRUE(r) << "reads back";
  ASSERT_EQ(back.Items(0)->OutlineList()->Count(), 2);
  EXPECT_EQ(back.Items(0)->OutlineList()->Items(0)->getri(1), 5);
}

TEST(Writer, ChainCodesHundredALine) {
  for (int n : {250, 200, 100, 99, 0}) {
    SCOPED_TRACE(n);
    TdataList data;
    TSpecimen& s = *Add2D(data, {});
    std::vector<int> codes;
    for (int i = 0; i < n; ++i) codes.push_back(i % 8);
    AddChain(s, -5, 12, codes);
    std::string expected = "LM=0\r\nOUTLINES=1\r\nCHAIN=" + std::to_string(n) + "\r\n-5 12\r\n";
    for (int i = 0; i < n; ++i) {
      expected += static_cast<char>('0' + i % 8);
      if ((i + 1) % 100 == 0 || i + 1 == n) expected += "\r\n";
    }
    EXPECT_EQ(WriteLmk(data), expected);
  }
}

TEST(Writer, ChainCodeAboveSevenIsWrittenAsTheStepItMakes) {
  TdataList data;
  AddChain(*Add2D(data, {}), 0, 0, {9, 15, 8});
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0", "OUTLINES=1", "CHAIN=3", "0 0", "170"}));
}

TEST(Writer, CurveWithoutPointsStaysInTheCount) {
  TdataList data;
  TSpecimen& s = *Add2D(data, {{1, 1}});
  s.CreateCurve(0);
  s.CreateCurve(1)->PutXY(1, {2, 3});
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=1", "1.00000 1.00000", "CURVES=2", "POINTS=0", "POINTS=1",
                                  "2.00000 3.00000"}));
  TdataList back;
  ASSERT_TRUE(ReadLmkText(WriteLmk(data), back));
  EXPECT_EQ(back.Items(0)->nCurves(), 2u);
  EXPECT_EQ(back.Items(0)->GetNcurvesI(1), 0u);
}

TEST(Writer, EmptyOutlineListAndCurveListWriteNothing) {
  TdataList data;
  TSpecimen& s = *Add2D(data, {});
  s.SetOutlineList(std::make_unique<TOutlineList>());
  s.SetCurves(std::make_unique<TxyList>());
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0"}));
}

struct TScaleCase {
  double scale;
  const char* line;  // empty: no SCALE line
};

TEST(Writer, ScaleLines) {
  const TScaleCase cases[] = {{0, ""},
                              {1, ""},
                              {0.5, "SCALE=0.500000"},
                              {0.0254, "SCALE=0.025400"},
                              {0.1234567, "SCALE=0.123457"},
                              {-2, "SCALE=-2.000000"},
                              {3.7e-7, "SCALE=3.7000000E-07"},  // would be lost as 0.000000
                              {-1e-9, "SCALE=-1.0000000E-09"},
                              {1.0000001, ""},  // rounds to 1, which means no scale
                              {123456789, "SCALE=1.2345679E+08"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scale);
    TdataList data;
    Add2D(data, {})->SetScale(c.scale);
    const std::string line = *c.line ? std::string(c.line) + "\r\n" : "";
    EXPECT_EQ(WriteLmk(data), "LM=0\r\n" + line);
  }
}

TEST(Writer, ImageLineForms) {
  struct TCase {
    bool includePath, addPath;
    const char* stored;
    const char* line;
    const char* kept;
  } cases[] = {
      {false, false, "C:\\data\\a.jpg", "IMAGE=a.jpg", "C:\\data\\a.jpg"},
      {false, false, "/home/u/b c.tif", "IMAGE=b c.tif", "/home/u/b c.tif"},
      {false, true, "a.jpg", "IMAGE=C:\\data\\a.jpg", "C:\\data\\a.jpg"},
      {false, true, "D:\\x\\a.jpg", "IMAGE=D:\\x\\a.jpg", "D:\\x\\a.jpg"},
      {true, false, "C:\\data\\a.jpg", "IMAGE=C:\\data\\a.jpg", "C:\\data\\a.jpg"},
      {true, true, "a.jpg", "IMAGE=a.jpg", "a.jpg"},
      {true, false, "  C:\\my  pics\\a  b.jpg ", "IMAGE=C:\\my pics\\a  b.jpg",
       "  C:\\my  pics\\a  b.jpg "},
      {false, false, "C:\\pics\\", "", "C:\\pics\\"},  // no name part: no line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    TdataList data;
    TSpecimen& s = *Add2D(data, {});
    s.SetImageFn(c.stored);
    const std::string line = *c.line ? std::string(c.line) + "\r\n" : "";
    EXPECT_EQ(WriteLmk(data, c.includePath, c.addPath, "C:\\data\\"), "LM=0\r\n" + line);
    EXPECT_EQ(s.ImageFn(), c.kept);
  }
}

TEST(Writer, TextLinesReadBackAsTheyWereWritten) {
  struct TCase {
    const char* text;
    const char* line;
  } cases[] = {
      {"A1", "ID=A1"},
      {"abc ", "ID=abc"},  // the blank the reader adds is not written
      {"ab cd", "ID=ab cd"},
      {"  a   b  c  ", "ID=a b  c"},
      {"x\r\ny", "ID=x y"},
      {"x\ny", "ID=x y"},
      {"\n", "ID="},
      {" ", "ID="},
      {"caf\xc3\xa9 \xe9t\xe9", "ID=caf\xc3\xa9 \xe9t\xe9"},
      {"a\tb", "ID=a\tb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TdataList data;
    Add2D(data, {})->SetID(c.text);
    const std::string once = WriteLmk(data);
    EXPECT_EQ(once, CrLf({"LM=0", c.line}));
    TdataList back;
    ASSERT_TRUE(ReadLmkText(once, back));
    EXPECT_EQ(WriteLmk(back), once);
  }
}

TEST(Writer, CommentAndVariablesAreWrittenLikeTheId) {
  TdataList data;
  TSpecimen& s = *Add2D(data, {});
  s.SetComment("one ");
  s.SetVariables("1.5  2.5 3");
  EXPECT_EQ(WriteLmk(data), CrLf({"LM=0", "COMMENT=one", "VARIABLES=1.5 2.5 3"}));
}

TEST(Writer, SpecimenWithoutImageGetsItsExtentAndBaseHeight) {
  TdataList data;
  TSpecimen& a = *Add2D(data, {{1, 5}, {3, 9}});
  TSpecimen& b = *Add2D(data, {{1, 5}});
  b.SetImageFn("b.jpg");
  WriteLmk(data);
  EXPECT_EQ(a.yMax(), 9);
  EXPECT_EQ(a.baseY(), 9);
  EXPECT_EQ(b.baseY(), -1);
}

TEST(Writer, YieldsAfterEvery200thSpecimen) {
  int yields = 0;
  THookScope hook(CoreHooks().ProcessMessages, std::function<void()>([&] { ++yields; }));
  TdataList data;
  for (int i = 0; i < 450; ++i) Add2D(data, {{1, 2}});
  WriteLmk(data);
  EXPECT_EQ(yields, 2);
}

TEST(Writer, ValuesThatCannotReadBackAreRefused) {
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
    TdataList data;
    Add2D(data, {{1, 2}});
    Add2D(data, {{1, bad}})->SetID("B7");
    try {
      WriteLmk(data);
      ADD_FAILURE() << "no error";
    } catch (const ElmkException& e) {
      EXPECT_STREQ(e.what(), "Error writing specimen 2 (ID=B7),\nvalue is not a number");
    }
    TdataList scaled;
    Add2D(scaled, {})->SetScale(bad);
    EXPECT_THROW(WriteLmk(scaled), ElmkException);
  }
}

TEST(Writer, BufferGoesToTheFileAndWriteErrorsAreReported) {
  // A descriptor that is not open is the simplest file that takes nothing.
  TdataList data;
  for (int i = 0; i < 50000; ++i) Add2D(data, {{1, 2}, {3, 4}});
  TTextOut out(-2, "closed.lmk");
  try {
    WriteLandmarkFile(out, data, true, false, "");
    out.Flush();
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("closed.lmk"), std::string::npos);
  }
}

}  // namespace
