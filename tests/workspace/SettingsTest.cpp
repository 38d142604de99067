#include <functional>

#include "ShellFixture.h"
#include "platform/IniFile.h"

namespace {

struct TRow {
  const char* Name;
  const char* Section;
  const char* Key;      // as the program writes it
  const char* Written;  // the changed value as text in the file
  std::function<void(TMorvexF&)> Change;
  std::function<bool(TMorvexF&)> Changed;
};

const std::vector<TRow>& Rows() {
  static const std::vector<TRow> rows = {
      {"DecimalChar", "Config", "DecimalChar", ",", [](TMorvexF& w) { w.DecimalMenuCommaClick(); },
       [](TMorvexF& w) {
         return DecimalSeparator() == ',' && OtherDecimalChar() == '.' &&
                w.DecimalMenuComma->isChecked() && !w.DecimalMenuPeriod->isChecked();
       }},
      {"Cursor", "Options", "Cursor", "7", [](TMorvexF&) { CursorIndex = 7; },
       [](TMorvexF&) { return CursorIndex == 7; }},
      {"LabelLM", "Options", "LabelLM", "1",
       [](TMorvexF& w) { w.LabellandmarksMenu->setChecked(true); },
       [](TMorvexF& w) { return w.LabellandmarksMenu->isChecked(); }},
      {"Template", "Options", "Template", "1",
       [](TMorvexF& w) { w.TemplateMenu->setChecked(true); },
       [](TMorvexF& w) { return w.TemplateMenu->isChecked(); }},
      {"FitImage", "Options", "FitImage", "0",
       [](TMorvexF& w) { w.FitToWindowMnu->setChecked(false); },
       [](TMorvexF& w) { return !w.FitToWindowMnu->isChecked() && !w.ZoomFitSB->isChecked(); }},
      {"LMcolor", "Options", "LMcolor", "65280", [](TMorvexF&) { LMcolor = 65280; },
       [](TMorvexF&) { return LMcolor == 65280; }},
      {"LMsize", "Options", "LMsize", "6", [](TMorvexF&) { LMsize = 6; },
       [](TMorvexF&) { return LMsize == 6; }},
      {"LMfill", "Options", "LMfill", "0", [](TMorvexF&) { LMfill = false; },
       [](TMorvexF&) { return !LMfill; }},
      {"LabelColor", "Options", "LabelColor", "255", [](TMorvexF&) { LabelColor = 255; },
       [](TMorvexF&) { return LabelColor == 255; }},
      {"LabelSize", "Options", "LabelSize", "20", [](TMorvexF&) { LabelSize = 20; },
       [](TMorvexF&) { return LabelSize == 20; }},
      {"WindowPixels", "Options", "WindowPixels", "1", [](TMorvexF&) { WindowPixels = true; },
       [](TMorvexF&) { return WindowPixels; }},
      {"LabelBold", "Options", "LabelBold", "1", [](TMorvexF&) { LabelBold = true; },
       [](TMorvexF&) { return LabelBold; }},
      {"CurveColor", "Options", "CurveColor", "0", [](TMorvexF&) { CurveColor = 0; },
       [](TMorvexF&) { return CurveColor == 0; }},
      {"MeasureColor", "Options", "MeasureColor", "16777215",
       [](TMorvexF&) { MeasureColor = 16777215; },
       [](TMorvexF&) { return MeasureColor == 16777215; }},
      {"MouseWheelZooms", "Options", "MouseWheelZooms", "1",
       [](TMorvexF& w) { w.MousewheelzoomsMenu->setChecked(true); },
       [](TMorvexF& w) { return w.MousewheelzoomsMenu->isChecked(); }},
      {"ObjectLabelSize", "Options", "ObjectLabelSize", "24",
       [](TMorvexF&) { ObjectLabelSize = 24; }, [](TMorvexF&) { return ObjectLabelSize == 24; }},
      {"BeepLM", "Options", "BeepLM", "True", [](TMorvexF& w) { w.BeeponLMmnu->setChecked(true); },
       [](TMorvexF& w) { return w.BeeponLMmnu->isChecked(); }},
      {"ToggleEditLMmodes", "Options", "ToggleEditLMmodes", "0",
       [](TMorvexF& w) { w.ToggleEditLMmodesMenu->setChecked(false); },
       [](TMorvexF& w) { return !w.ToggleEditLMmodesMenu->isChecked(); }},
      {"LabelLines", "Options", "LabelLines", "0", [](TMorvexF&) { LabelLines = false; },
       [](TMorvexF&) { return !LabelLines; }},
      {"ToolPage", "Options", "ToolPage", "3", [](TMorvexF&) { ToolPage = 3; },
       [](TMorvexF&) { return ToolPage == 3; }},
      {"Directory", "Files", "Directory", "/data/my pics",
       [](TMorvexF&) { Directory = "/data/my pics"; },
       [](TMorvexF&) { return Directory == "/data/my pics"; }},
      {"OutlineSteps", "Options", "OutlineSteps", "0",
       [](TMorvexF& w) { w.OutlinelengthinstepsMenu->setChecked(false); },
       [](TMorvexF& w) { return !w.OutlinelengthinstepsMenu->isChecked(); }},
      {"Threshold", "Outline", "Threshold", "77", [](TMorvexF&) { Threshold = 77; },
       [](TMorvexF&) { return Threshold == 77; }},
      {"Dark", "Outline", "Dark", "0", [](TMorvexF&) { Dark = false; },
       [](TMorvexF&) { return !Dark; }},
      {"OutlineColor", "Outline", "Outlinecolor", "128", [](TMorvexF&) { OutlineColor = 128; },
       [](TMorvexF&) { return OutlineColor == 128; }},
      {"OutlineSize", "Outline", "OutlineSize", "4", [](TMorvexF&) { OutlineSize = 4; },
       [](TMorvexF&) { return OutlineSize == 4; }},
      {"TrialOutlineColor", "Outline", "TrialOutlinecolor", "8421504",
       [](TMorvexF&) { TrialOutlineColor = 8421504; },
       [](TMorvexF&) { return TrialOutlineColor == 8421504; }},
      {"Clockwise", "Outline", "Clockwise", "1",
       [](TMorvexF& w) { w.ClockwiseOutlinesMenu->trigger(); },
       [](TMorvexF& w) { return Clockwise && w.ClockwiseOutlinesMenu->isChecked(); }},
      {"ConfirmMissing", "Options", "ConfirmMissing", "0",
       [](TMorvexF& w) { w.ConfirmmissingCB->setChecked(false); },
       [](TMorvexF& w) { return !w.ConfirmmissingCB->isChecked(); }},
      {"Units", "Options", "Units", "2", [](TMorvexF&) { Units = 2; },
       [](TMorvexF&) { return Units == 2; }},
  };
  return rows;
}

class SettingsRoundTrip : public TShellFixture, public ::testing::WithParamInterface<size_t> {};

TEST_P(SettingsRoundTrip, WrittenAtCloseAndReadBackAtStart) {
  const TRow& row = Rows()[GetParam()];
  auto w = Start();
  ASSERT_FALSE(row.Changed(*w)) << "the change must differ from the default";
  row.Change(*w);
  ASSERT_TRUE(row.Changed(*w));
  Stop(w);
  {
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString(row.Section, row.Key, "<missing>"), row.Written);
    // The exact spelling of the key as written.
    EXPECT_NE(IniText().find(std::string(row.Key) + "=" + row.Written + "\r\n"), std::string::npos);
  }
  ResetWorkspace();
  SetFormatDecimalSeparator('.');
  w = Start();
  EXPECT_TRUE(row.Changed(*w)) << row.Name << " did not come back";
  // Every other row is still at its default.
  for (const auto& other : Rows()) {
    if (&other == &row) continue;
    EXPECT_FALSE(other.Changed(*w)) << other.Name << " changed with " << row.Name;
  }
  Stop(w);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, SettingsRoundTrip, ::testing::Range<size_t>(0, Rows().size()),
                         [](const auto& info) { return std::string(Rows()[info.param].Name); });

TEST_F(TShellFixture, ImageToolsIsWrittenButNotRead) {
  auto w = Start();
  w->ImageToolsMenu->setChecked(true);
  Stop(w);
  EXPECT_NE(IniText().find("ImageTools=1\r\n"), std::string::npos);
  ResetWorkspace();
  w = Start();
  EXPECT_FALSE(w->ImageToolsMenu->isChecked());
  Stop(w);
}

TEST_F(TShellFixture, ClosingWritesEveryKeyInOrderEvenWhenNothingChanged) {
  auto w = Start();
  Stop(w);
  EXPECT_EQ(IniText(),
            "[Options]\r\nLabelLM=0\r\nTemplate=0\r\nImageTools=0\r\nLMcolor=255\r\nLMfill=1\r\n"
            "LMsize=3\r\nCurveColor=16711680\r\nLabelColor=32768\r\nLabelSize=12\r\n"
            "WindowPixels=0\r\nLabelBold=0\r\nMeasureColor=0\r\nMouseWheelZooms=0\r\n"
            "ToggleEditLMmodes=1\r\nOutlineSteps=1\r\nCursor=1\r\nToolPage=0\r\nFitImage=1\r\n"
            "LabelLines=1\r\nObjectLabelSize=16\r\nConfirmMissing=1\r\nBeepLM=False\r\n"
            "Units=5\r\n"
            "[Files]\r\nDirectory=\r\n"
            "[Outline]\r\nThreshold=128\r\nDark=1\r\nOutlinecolor=255\r\nOutlineSize=2\r\n"
            "TrialOutlinecolor=65535\r\nClockwise=0\r\n"
            "[Config]\r\nDecimalChar=.\r\n");
}

TEST_F(TShellFixture, MissingFileGivesEveryDefault) {
  auto w = Start();
  EXPECT_EQ(IniFileName, IniPath());
  EXPECT_TRUE(std::filesystem::is_directory(Folder()));
  EXPECT_EQ(CursorIndex, 1);
  EXPECT_EQ(LMsize, 3);
  EXPECT_EQ(LMcolor, 255);
  EXPECT_TRUE(LMfill);
  EXPECT_EQ(LabelColor, 32768);
  EXPECT_EQ(LabelSize, 12);
  EXPECT_FALSE(LabelBold);
  EXPECT_FALSE(WindowPixels);
  EXPECT_EQ(CurveColor, 16711680);
  EXPECT_EQ(MeasureColor, 0);
  EXPECT_EQ(ObjectLabelSize, 16);
  EXPECT_TRUE(LabelLines);
  EXPECT_EQ(ToolPage, 0);
  EXPECT_EQ(Units, 5);
  EXPECT_EQ(Threshold, 128);
  EXPECT_TRUE(Dark);
  EXPECT_EQ(OutlineColor, 255);
  EXPECT_EQ(OutlineSize, 2);
  EXPECT_EQ(TrialOutlineColor, 65535);
  EXPECT_FALSE(Clockwise);
  EXPECT_EQ(Directory, "");
  EXPECT_FALSE(w->LabellandmarksMenu->isChecked());
  EXPECT_FALSE(w->TemplateMenu->isChecked());
  EXPECT_TRUE(w->FitToWindowMnu->isChecked());
  EXPECT_FALSE(w->MousewheelzoomsMenu->isChecked());
  EXPECT_FALSE(w->BeeponLMmnu->isChecked());
  EXPECT_TRUE(w->ToggleEditLMmodesMenu->isChecked());
  EXPECT_TRUE(w->OutlinelengthinstepsMenu->isChecked());
  EXPECT_FALSE(w->ClockwiseOutlinesMenu->isChecked());
  EXPECT_TRUE(w->ConfirmmissingCB->isChecked());
  EXPECT_FALSE(w->ImageToolsMenu->isChecked());
  EXPECT_FALSE(w->IncludeimagepathMenu->isChecked());
  EXPECT_TRUE(w->QuerysaveimageMenu->isChecked());
  EXPECT_TRUE(w->WarnlandmarksnotsameMenu->isChecked());
  EXPECT_FALSE(w->RetainzoomMenu->isChecked());
  EXPECT_TRUE(w->DecimalMenuPeriod->isChecked());
  EXPECT_EQ(OtherDecimalChar(), ',');
  EXPECT_EQ(ThousandSeparator(), ',');
  EXPECT_FALSE(std::filesystem::exists(IniPath())) << "nothing is written before close";
  Stop(w);
}

struct TDecimalCase {
  const char* Name;
  const char* Line;  // the Config line, or "" for none
  char Decimal;
};

class DecimalCharTest : public TShellFixture, public ::testing::WithParamInterface<TDecimalCase> {};

TEST_P(DecimalCharTest, DecidesTheSeparatorAndTheMenu) {
  const auto& c = GetParam();
  WriteIni(std::string("[Config]\r\n") + c.Line + "\r\n");
  auto w = Start();
  EXPECT_EQ(DecimalSeparator(), c.Decimal);
  EXPECT_EQ(OtherDecimalChar(), c.Decimal == '.' ? ',' : '.');
  EXPECT_EQ(w->DecimalMenuComma->isChecked(), c.Decimal == ',');
  EXPECT_EQ(w->DecimalMenuPeriod->isChecked(), c.Decimal == '.');
  Stop(w);
  EXPECT_NE(IniText().find(std::string("DecimalChar=") + c.Decimal + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Values, DecimalCharTest,
                         ::testing::Values(TDecimalCase{"Semicolon", "DecimalChar=;", '.'},
                                           TDecimalCase{"Comma", "DecimalChar=,", ','},
                                           TDecimalCase{"Period", "DecimalChar=.", '.'},
                                           TDecimalCase{"CommaFirstOfMore", "DecimalChar=,x", ','},
                                           TDecimalCase{"Empty", "DecimalChar=",
                                                        '.'},  // the C locale's separator
                                           TDecimalCase{"Missing", "", '.'}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TCursorCase {
  const char* Text;
  int Used;
};

class CursorSettingTest : public TShellFixture,
                          public ::testing::WithParamInterface<TCursorCase> {};

TEST_P(CursorSettingTest, IsClampedAndWrittenBackClamped) {
  WriteIni(std::string("[Options]\r\nCursor=") + GetParam().Text + "\r\n");
  auto w = Start();
  EXPECT_EQ(CursorIndex, GetParam().Used);
  Stop(w);
  EXPECT_NE(IniText().find("Cursor=" + std::to_string(GetParam().Used) + "\r\n"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Values, CursorSettingTest,
                         ::testing::Values(TCursorCase{"0", 1}, TCursorCase{"12", 9},
                                           TCursorCase{"9", 9}, TCursorCase{"1", 1},
                                           TCursorCase{"-5", 1}, TCursorCase{"x", 1}));

struct TBeepCase {
  const char* Text;
  bool On;
};

class BeepSettingTest : public TShellFixture, public ::testing::WithParamInterface<TBeepCase> {};

TEST_P(BeepSettingTest, TolerantReading) {
  WriteIni(std::string("[Options]\r\nBeepLM=") + GetParam().Text + "\r\n");
  auto w = Start();
  EXPECT_EQ(w->BeeponLMmnu->isChecked(), GetParam().On) << GetParam().Text;
  Stop(w);
}

INSTANTIATE_TEST_SUITE_P(Values, BeepSettingTest,
                         ::testing::Values(TBeepCase{"True", true}, TBeepCase{"yes", true},
                                           TBeepCase{"1", true}, TBeepCase{"TRUE", true},
                                           TBeepCase{"False", false}, TBeepCase{"0", false},
                                           TBeepCase{"no", false}));

TEST_F(TShellFixture, KeysAndSectionsMatchWithoutRegardToCase) {
  WriteIni("[OPTIONS]\r\nlmsize=7\r\nLABELLM=1\r\n[outline]\r\nthreshold=90\r\n");
  auto w = Start();
  EXPECT_EQ(LMsize, 7);
  EXPECT_TRUE(w->LabellandmarksMenu->isChecked());
  EXPECT_EQ(Threshold, 90);
  Stop(w);
  TIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadString("Options", "LMsize", ""), "7");
  // Rewritten in place, not added a second time.
  EXPECT_EQ(IniText().find("LMsize="), std::string::npos);
}

TEST_F(TShellFixture, KeysOfOtherSectionsAreKept) {
  WriteIni("[Mine]\r\nColour=blue\r\n[Options]\r\nSomethingElse=5\r\n[Prog]\r\nProgName=X\r\n");
  auto w = Start();
  Stop(w);
  const std::string t = IniText();
  EXPECT_NE(t.find("[Mine]\r\nColour=blue\r\n"), std::string::npos);
  EXPECT_NE(t.find("SomethingElse=5\r\n"), std::string::npos);
  EXPECT_NE(t.find("[Prog]\r\nProgName=X\r\n"), std::string::npos);
}

TEST_F(TShellFixture, AnInvalidIntegerKeepsItsDefaultAndReadingGoesOn) {
  WriteIni(
      "[Options]\r\nCursor=3\r\nLMsize=abc\r\nLabelColor=255\r\nObjectLabelSize=1.5\r\n"
      "ToolPage=zz\r\nUnits=42\r\n[Outline]\r\nOutlineSize=\r\nClockwise=1\r\nThreshold=999\r\n");
  auto w = Start();
  EXPECT_EQ(CursorIndex, 3);
  EXPECT_EQ(LMsize, 3);
  EXPECT_EQ(LabelColor, 255);
  EXPECT_EQ(ObjectLabelSize, 16);
  EXPECT_EQ(ToolPage, 0);
  EXPECT_EQ(Units, 5);
  EXPECT_EQ(OutlineSize, 2);
  EXPECT_EQ(Threshold, 128);
  EXPECT_TRUE(Clockwise);
  EXPECT_NE(ListingText().find("Outline contours will be traced clockwise."), std::string::npos);
  ASSERT_NE(lmkLstF, nullptr);  // the later start-up steps ran
  Stop(w);
}

TEST_F(TShellFixture, MinusEPutsTheSettingsBesideTheProgram) {
  for (const char* arg : {"-E", "-e"}) {
    ResetWorkspace();
    ProgramArguments = {"Morvex2", arg};
    auto w = Start();
    const std::string beside =
        (QCoreApplication::applicationDirPath() + "/Morvex2.ini").toStdString();
    EXPECT_EQ(IniFileName, beside) << arg;
    Stop(w);
    EXPECT_TRUE(std::filesystem::exists(beside));
    std::filesystem::remove(beside);
  }
  ResetWorkspace();
  ProgramArguments = {"Morvex2", "-x", "-E"};  // only the first argument counts
  auto w = Start();
  EXPECT_EQ(IniFileName, IniPath());
  Stop(w);
}

TEST(SettingsLocationTest, FolderAndNameRules) {
  EXPECT_EQ(SettingsFolder({"p", "-e"}, "/opt/m", "/srv/shared"), "/opt/m");
  EXPECT_EQ(SettingsFolder({"p"}, "/opt/m", "/srv/shared"), "/srv/shared/lmk");
  EXPECT_EQ(SettingsFolder({"p", "-Ex"}, "/opt/m", "/srv/shared"), "/srv/shared/lmk");
  EXPECT_EQ(MakeIniFileName("/srv/shared/lmk"), "/srv/shared/lmk/Morvex2.ini");
  EXPECT_EQ(MakeIniFileName(" /srv//shared/lmk/ "), "/srv/shared/lmk/Morvex2.ini");
}

}  // namespace
