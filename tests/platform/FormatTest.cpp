#include "platform/FormatSettings.h"

#include "gtest/gtest.h"
#include "model/Errors.h"
#include "model/NumberFormat.h"

namespace {

struct TCase {
  const char* Name;
  char Sep;
  std::string (*Make)();
  const char* Expected;
};

const TCase Cases[] = {
    {"IntWidth", '.',
     [] {
       return Format(" %3d: %s", {7, "a.jpg"});
     },
     "   7: a.jpg"},
    {"IntNegative", '.', [] { return Format("%d", {-42}); }, "-42"},
    {"IntPrecision", '.', [] { return Format("%.4d", {42}); }, "0042"},
    {"LeftAlign", '.', [] { return Format("[%-5d]", {42}); }, "[42   ]"},
    {"Fixed", '.', [] { return Format("S=%0.4f", {0.123456}); }, "S=0.1235"},
    {"FixedComma", ',', [] { return Format("S=%0.4f", {0.123456}); }, "S=0,1235"},
    {"FixedDefault", '.', [] { return Format("%f", {2.0}); }, "2.00"},
    {"FixedTieAwayFromZero", '.', [] { return Format("%.2f", {0.125}); }, "0.13"},
    {"FixedNegTie", '.', [] { return Format("%.0f", {-2.5}); }, "-3"},
    {"FixedNoNegativeZero", '.', [] { return Format("%.1f", {-0.01}); }, "0.0"},
    {"FixedStar", '.',
     [] {
       return Format("%*.*f", {8, 3, 3.14159});
     },
     "   3.142"},
    {"FixedWidth", '.', [] { return Format("%8.6f", {1.5}); }, "1.500000"},
    {"Hex", '.', [] { return Format("%6x", {255}); }, "    FF"},
    {"HexNegative", '.', [] { return Format("%x", {-1}); }, "FFFFFFFF"},
    {"HexPrecision", '.', [] { return Format("%.4x", {10}); }, "000A"},
    {"Sci", '.', [] { return Format("%e", {1234.5}); }, "1.23450000000000E+003"},
    {"SciPrecision", ',', [] { return Format("%.3e", {-0.00012345}); }, "-1,23E-004"},
    {"General", '.', [] { return Format("%g", {1234.5}); }, "1234.5"},
    {"GeneralExp", '.', [] { return Format("%g", {1e20}); }, "1E20"},
    {"Number", '.', [] { return Format("%n", {1234567.891}); }, "1,234,567.89"},
    {"NumberComma", ',', [] { return Format("%.1n", {-1234.5}); }, "-1,234,5"},
    {"StringPrecision", '.',
     [] {
       return Format("%.3s|%5s", {"abcdef", "xy"});
     },
     "abc|   xy"},
    {"Percent", '.', [] { return Format("100%% %d", {1}); }, "100% 1"},
    {"Index", '.',
     [] {
       return Format("%1:s %0:s %s", {"a", "b"});
     },
     "b a b"},
    {"DateTime", '.',
     [] {
       return Format("Date/time: %s %s", {"d", "t"});
     },
     "Date/time: d t"},
    {"Unsigned", '.', [] { return Format("%u", {-1}); }, "4294967295"},
};

class FormatTableTest : public ::testing::TestWithParam<TCase> {};

TEST_P(FormatTableTest, GivesTheText) {
  TDecimalScope scope(GetParam().Sep);
  EXPECT_EQ(GetParam().Make(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatTableTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FormatTest, BadFormatsRaiseConvertError) {
  EXPECT_THROW(Format("%d", {1.5}), EConvertError);
  EXPECT_THROW(Format("%f", {3}), EConvertError);
  EXPECT_THROW(Format("%s", {3}), EConvertError);
  EXPECT_THROW(Format("%d %d", {3}), EConvertError);
  EXPECT_THROW(Format("%q", {3}), EConvertError);
  EXPECT_THROW(Format("abc %", {3}), EConvertError);
}

TEST(NumberFormatTest, DecimalSeparatorDrivesTheCore) {
  TDecimalScope keep('.');
  SetFormatDecimalSeparator(',');
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(OtherDecimalChar(), '.');
  EXPECT_EQ(FormatFixedD(1.5, 0, 2), "1,50");
  SetFormatDecimalSeparator(';');
  EXPECT_EQ(FormatDecimalSeparator(), '.');
  EXPECT_EQ(OtherDecimalChar(), ',');
}

TEST(NumberFormatTest, ThousandSeparatorIsKept) {
  const char saved = ThousandSeparator();
  SetThousandSeparator('.');
  TDecimalScope keep(',');
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  SetThousandSeparator(saved);
}

}  // namespace
