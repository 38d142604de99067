#include <gtest/gtest.h>

#include <cmath>

#include "model/Lmkcomm.h"

namespace {

TEST(Text, CleanSpaces) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"  a  b  ", "a b"}, {"a   b", "a  b"},  // one pass: three blanks become two
      {"a    b", "a  b"},  {"a\tb", "a b"},   {"\t\n", ""}, {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(CleanSpaces(in), out) << '[' << in << ']';
}

TEST(Text, SplitWordsWithQuotes) {
  struct Case {
    std::string in;
    std::vector<std::string> words;
  };
  const std::vector<Case> cases = {
      {"1 2", {"1", "2"}},
      {"  1\t\t2  ", {"1", "2"}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"say \"\"hi\"\"\" x", {"say \"hi\"", "x"}},
      {"\"open ended", {"open ended"}},
      {"\"ab\"cd", {"ab", "cd"}},
      {"", {}},
  };
  std::vector<std::string> list{"left over"};
  for (const auto& c : cases) {
    EXPECT_EQ(SplitWords(c.in, ' ', list), static_cast<int>(c.words.size())) << c.in;
    EXPECT_EQ(list, c.words) << c.in;
    EXPECT_EQ(CountWords(c.in), static_cast<int>(c.words.size()));
  }
}

TEST(Text, Paths) {
  EXPECT_EQ(NormalizePath("  C:\\\\pics\\\\a.jpg "), "C:\\pics\\a.jpg");
  EXPECT_EQ(NormalizePath("a\\\\\\b"), "a\\\\b");
  EXPECT_EQ(StripTrailingBackslash("C:\\data\\"), "C:\\data");
  EXPECT_EQ(StripTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(StripTrailingBackslash("a\\"), "a\\");
  EXPECT_EQ(ExtractFileName("C:\\pics\\a b.jpg"), "a b.jpg");
  EXPECT_EQ(ExtractFileName("/home/u/x.tif"), "x.tif");
  EXPECT_EQ(ExtractFileName("C:a.jpg"), "a.jpg");
  EXPECT_EQ(ExtractFilePath("C:\\pics\\a.jpg"), "C:\\pics\\");
  EXPECT_FALSE(HasDirectoryPart("a.jpg"));
  EXPECT_TRUE(HasDirectoryPart("pics/a.jpg"));
  EXPECT_EQ(ExtractFileExt("dir.v2/file"), "");
  EXPECT_EQ(ExtractFileExt("a.b.LMK"), ".LMK");
}

TEST(NumberFormat, Conversions) {
  double v = 0;
  EXPECT_TRUE(TryStrToFloat("-2.5e-2", v, '.'));
  EXPECT_DOUBLE_EQ(v, -0.025);
  EXPECT_TRUE(TryStrToFloat("1e-400", v, '.'));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(TryStrToFloat("1e-99999999999999999999999", v, '.'));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(TryStrToFloat("1e99999999999999999999999", v, '.'));
  for (const char* bad :
       {"", ".", "1.2.3", "1e", "inf", "nan", "0x10", "1,5", "1 ", "--1", "1e999"})
    EXPECT_FALSE(TryStrToFloat(bad, v, '.')) << bad;
  EXPECT_TRUE(TryStrToFloat("1,5", v, ','));
  EXPECT_EQ(v, 1.5);
  int i = 0;
  EXPECT_TRUE(TryStrToInt("+12", i));
  EXPECT_EQ(i, 12);
  EXPECT_TRUE(TryStrToInt("-2147483648", i));
  for (const char* bad : {"", "+", "2147483648", "1.0", "+-1", "$10", " 1"})
    EXPECT_FALSE(TryStrToInt(bad, i)) << bad;
  EXPECT_THROW(StrToFloatD("x"), EConvertError);
}

TEST(Checked, OverflowRaisesInsteadOfWrapping) {
  EXPECT_THROW(CheckedAdd(std::numeric_limits<int>::max(), 1), ERangeError);
  EXPECT_THROW(CheckedMul(1 << 20, 1 << 12), ERangeError);
  EXPECT_THROW((CheckedCast<int>(1LL << 40)), ERangeError);
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(-3.5), -4);
  EXPECT_THROW(RoundToInt(3e9), ERangeError);
  EXPECT_THROW(RoundToInt(std::nan("")), ERangeError);
}

}  // namespace
