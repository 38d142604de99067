#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gtest/gtest.h"
#include "model/Errors.h"

namespace {

std::string ReadAll(const std::string& f) {
  std::ifstream in(f, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const std::string& f, const std::string& text) {
  std::ofstream(f, std::ios::binary) << text;
}

class IniFileTest : public ::testing::Test {
 protected:
  std::string Name(const std::string& n = "Morvex2.ini") {
    return FDir.filePath(QString::fromStdString(n)).toStdString();
  }
  QTemporaryDir FDir;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt) {
  TIniFile ini(Name());
  EXPECT_EQ(ini.ReadString("Config", "DecimalChar", "x"), "x");
  EXPECT_EQ(ini.ReadInteger("Options", "Cursor", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Options", "FitImage", true));
  EXPECT_FALSE(std::filesystem::exists(Name()));
  ini.WriteInteger("Options", "Cursor", 3);
  EXPECT_EQ(ReadAll(Name()), "[Options]\r\nCursor=3\r\n");
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
  WriteAll(Name(), "[options]\nlmCOLOR=4711\n[CONFIG]\ndecimalchar=,\n");
  TIniFile ini(Name());
  EXPECT_EQ(ini.ReadInteger("Options", "LMcolor", 0), 4711);
  EXPECT_EQ(ini.ReadString("Config", "DecimalChar", "."), ",");
  ini.WriteString("OPTIONS", "LMCOLOR", "12");
  TIniFile again(Name());
  EXPECT_EQ(again.ReadInteger("options", "lmcolor", 0), 12);
  // One key, not two.
  EXPECT_EQ(ReadAll(Name()).find("LMCOLOR"), std::string::npos);
}

TEST_F(IniFileTest, UnknownSectionsKeysAndCommentsAreKept) {
  WriteAll(Name(),
           "; made by hand\r\n[Mine]\r\nColour=blue\r\n\r\n[Options]\r\nOther=5\r\nLMsize=3\r\n");
  TIniFile ini(Name());
  ini.WriteInteger("Options", "LMsize", 9);
  ini.WriteString("Files", "Directory", "/data");
  const std::string text = ReadAll(Name());
  EXPECT_NE(text.find("; made by hand\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Mine]\r\nColour=blue\r\n"), std::string::npos);
  EXPECT_NE(text.find("Other=5\r\nLMsize=9\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Files]\r\nDirectory=/data\r\n"), std::string::npos);
}

TEST_F(IniFileTest, ValuesAreWrittenInTheirExactForms) {
  TIniFile ini(Name());
  ini.WriteBool("Options", "LabelLM", true);
  ini.WriteBool("Options", "Template", false);
  WriteIniBoolText(ini, "Options", "BeepLM", true);
  WriteIniBoolText(ini, "Options", "Other", false);
  WriteIniInt(ini, "Options", "LMcolor", -16777201);
  ini.WriteInteger("Options", "Units", 5);
  EXPECT_EQ(ReadAll(Name()),
            "[Options]\r\nLabelLM=1\r\nTemplate=0\r\nBeepLM=True\r\nOther=False\r\n"
            "LMcolor=-16777201\r\nUnits=5\r\n");
}

struct TBoolCase {
  const char* Text;
  bool IniBool;  // ReadIniBool
  bool Bool;     // the platform's ReadBool, default false
};

class IniBoolTest : public IniFileTest, public ::testing::WithParamInterface<TBoolCase> {};

TEST_P(IniBoolTest, ReadsTheBooleanForms) {
  const auto& c = GetParam();
  WriteAll(Name(), std::string("[Options]\nBeepLM=") + c.Text + "\n");
  TIniFile ini(Name());
  EXPECT_EQ(ReadIniBool(ini, "Options", "BeepLM", false), c.IniBool) << c.Text;
  EXPECT_EQ(ini.ReadBool("Options", "BeepLM", false), c.Bool) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IniBoolTest,
    ::testing::Values(TBoolCase{"True", true, false}, TBoolCase{"TRUE", true, false},
                      TBoolCase{"true", true, false}, TBoolCase{"yes", true, false},
                      TBoolCase{"YES", true, false}, TBoolCase{"1", true, true},
                      TBoolCase{"False", false, false}, TBoolCase{"0", false, false},
                      TBoolCase{"2", false, true}, TBoolCase{"no", false, false}));

TEST_F(IniFileTest, ReadIniBoolDefaultIsOneOrZero) {
  TIniFile ini(Name());
  EXPECT_TRUE(ReadIniBool(ini, "Options", "FitImage", true));
  EXPECT_FALSE(ReadIniBool(ini, "Options", "FitImage", false));
}

TEST_F(IniFileTest, ReadIniIntIsStrictAndReadIntegerTolerant) {
  WriteAll(Name(), "[Options]\nLMsize=abc\nLMcolor= 255 \nToolPage=0x10\nUnits=\n");
  TIniFile ini(Name());
  EXPECT_THROW(ReadIniInt(ini, "Options", "LMsize", 3), EConvertError);
  EXPECT_EQ(ini.ReadInteger("Options", "LMsize", 3), 3);
  EXPECT_EQ(ReadIniInt(ini, "Options", "LMcolor", 0), 255);
  EXPECT_EQ(ini.ReadInteger("Options", "ToolPage", 0), 16);
  EXPECT_EQ(ini.ReadInteger("Options", "Units", 5), 5);
  EXPECT_THROW(ReadIniInt(ini, "Options", "Units", 5), EConvertError);
  EXPECT_EQ(ReadIniInt(ini, "Options", "Missing", 42), 42);
}

TEST_F(IniFileTest, UnwritableFileRaisesInOutError) {
  TIniFile ini(FDir.filePath("no/such/folder/x.ini").toStdString());
  EXPECT_THROW(ini.WriteString("A", "B", "C"), EInOutError);
}

}  // namespace
