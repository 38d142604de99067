#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>

#include "ShellFixture.h"
#include "model/Hooks.h"
#include "platform/Cursors.h"
#include "platform/Styles.h"
#include "windows/HelpWindow.h"
#include "windows/Lmkabout.h"
#include "windows/WindowsStylesDialog.h"

namespace {

using StartupTest = TShellFixture;

TEST_F(StartupTest, FirstStartWritesTheListingHeaderAndTheOutlineDirection) {
  auto w = Start();
  ASSERT_NE(lmkLstF, nullptr);
  EXPECT_FALSE(lmkLstF->isVisible()) << "the listing is created hidden";
  const std::string text = ListingText();
  EXPECT_EQ(text.rfind("Morvex2 ", 0), 0u);
  EXPECT_NE(text.find("\nProgram version: 2.32, Date/time: "), std::string::npos);
  EXPECT_NE(text.find("\n" + std::string(74, '-') + "\n"), std::string::npos);
  EXPECT_NE(text.find("\nOutline contours will be traced counter clockwise.\n"), std::string::npos);
  EXPECT_EQ(lmkLstF->ProgramName, "Morvex2");
  EXPECT_EQ(lmkLstF->ProgVersion, "2.32");
  EXPECT_EQ(lmkLstF->CopyYear.size(), 4u);
  EXPECT_EQ(lmkLstF->HelpContext(), 1);
  Stop(w);
  EXPECT_EQ(lmkLstF, nullptr);
}

TEST_F(StartupTest, StateAfterStart) {
  auto w = Start();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Iceberg Classico");
  EXPECT_EQ(w->windowTitle().toStdString(), "Morvex2 ver. 2.32 64 bits: ");
  EXPECT_EQ(CaptionPrefix, "Morvex2 ver. 2.32 64 bits: ");
  ASSERT_NE(DataList, nullptr);
  EXPECT_EQ(DataList->Count(), 0);
  EXPECT_EQ(CurrentMode, NoneMode);
  EXPECT_EQ(SourceKind, 0);
  EXPECT_EQ(ZoomFactor, 1.0);
  EXPECT_EQ(w->ZoomEdit->text(), "1");
  EXPECT_EQ(OverObject, -1);
  EXPECT_EQ(ScaleObj, -1);
  EXPECT_TRUE(w->SaveMenu->isEnabled());
  EXPECT_TRUE(w->SaveSB->isEnabled());
  EXPECT_EQ(MorvexF, w.get());
  for (int k = 1; k <= 11; ++k) EXPECT_EQ(Screen().Cursors(k).shape(), Qt::BitmapCursor);
  ASSERT_NE(w->ImageArea, nullptr);
  EXPECT_EQ(w->centralWidget()->objectName(), "lmkPMimage");
  Stop(w);
}

TEST_F(StartupTest, StatusBarHasSixPanelsWithTheirHints) {
  auto w = Start();
  const std::vector<std::pair<QLabel*, const char*>> panels = {
      {w->xyPanel, "xy coordinates"},
      {w->FileNamePanel, "File name & messages"},
      {w->nSpecPanel, "Number of specimens in file"},
      {w->nLMPanel, "Number of landmarks"},
      {w->TemplatePanel, "Template mode"},
      {w->ScalePanel, "Scale factor"}};
  const auto labels = w->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  int x = -1;
  for (const auto& [panel, hint] : panels) {
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->toolTip().toStdString(), hint);
    w->show();
    EXPECT_GT(panel->mapTo(w.get(), QPoint(0, 0)).x(), x) << hint << " out of order";
    x = panel->mapTo(w.get(), QPoint(0, 0)).x();
  }
  w->TemplateMenu->trigger();
  EXPECT_EQ(w->TemplatePanel->text(), " T");
  w->TemplateMenu->trigger();
  EXPECT_EQ(w->TemplatePanel->text(), " ");
  Stop(w);
}

TEST_F(StartupTest, SavedStyleIsUsedAndAnUnknownOneReported) {
  WriteIni("[Style]\r\nName=Fusion\r\n");
  auto w = Start();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Fusion");
  Stop(w);
  ResetWorkspace();
  WriteIni("[Style]\r\nName=No Such Style\r\n");
  w = Start();
  EXPECT_TRUE(FDialogs->Shown("Style 'No Such Style' not found"));
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Iceberg Classico");
  ASSERT_NE(lmkLstF, nullptr);
  Stop(w);
  EXPECT_NE(IniText().find("Name=No Such Style"), std::string::npos)
      << "the style name is not written at close";
}

TEST_F(StartupTest, ExitClosesTheWindowAndEndsTheProgram) {
  auto w = Start();
  QSignalSpy closed(w.get(), &TMorvexF::Closed);
  w->show();
  w->eXit1->trigger();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(DataList, nullptr);
  EXPECT_TRUE(std::filesystem::exists(IniPath()));
  w.reset();
}

TEST_F(StartupTest, ClosingTheMainWindowClosesTheAboutWindowAndHidesTheListing) {
  auto w = Start();
  w->show();
  w->About1Click();
  w->ViewlistingMenuClick();
  ASSERT_TRUE(lmkAboutF && lmkAboutF->isVisible());
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(lmkAboutF.isNull());
  ASSERT_NE(lmkLstF, nullptr);
  EXPECT_FALSE(lmkLstF->isVisible());
  EXPECT_TRUE(lmkLstF->Reallyexit);
  w.reset();
}

TEST_F(StartupTest, CloseButtonClosesTheWindow) {
  auto w = Start();
  QSignalSpy closed(w.get(), &TMorvexF::Closed);
  w->show();
  w->CloseSB->click();
  EXPECT_EQ(closed.count(), 1);
  w.reset();
}

TEST_F(StartupTest, DecimalMenuItemsSwitchTheSeparator) {
  auto w = Start();
  w->DecimalMenuComma->trigger();
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(OtherDecimalChar(), '.');
  EXPECT_FALSE(w->DecimalMenuPeriod->isChecked());
  w->DecimalMenuPeriod->trigger();
  EXPECT_EQ(DecimalSeparator(), '.');
  EXPECT_EQ(OtherDecimalChar(), ',');
  EXPECT_FALSE(w->DecimalMenuComma->isChecked());
  Stop(w);
}

TEST_F(StartupTest, ViewListingShowsTheSameTextAfterClosingIt) {
  auto w = Start();
  w->ViewlistingMenu->trigger();
  ASSERT_TRUE(lmkLstF->isVisible());
  lmkLstF->add("a measured line");
  const QString before = lmkLstF->Editor->toPlainText();
  TlmkLstF* same = lmkLstF;
  lmkLstF->close();
  EXPECT_FALSE(lmkLstF->isVisible());
  w->ViewlistingMenu->trigger();
  EXPECT_EQ(lmkLstF, same);
  EXPECT_TRUE(lmkLstF->isVisible());
  EXPECT_EQ(lmkLstF->Editor->toPlainText(), before);
  EXPECT_TRUE(IniFile->ValueExists("WinPos", "lmkLstF"));
  Stop(w);
}

TEST_F(StartupTest, HelpContentsAboutAndWebSite) {
  auto w = Start();
  w->Contents1->trigger();
  ASSERT_NE(HelpWindow(), nullptr);
  EXPECT_TRUE(HelpWindow()->isVisible());
  EXPECT_EQ(HelpWindow()->Browser->source().toString(), "qrc:/help/contents.html");
  EXPECT_TRUE(HelpWindow()->Browser->toPlainText().contains("Contents"));

  w->About1->trigger();
  ASSERT_FALSE(lmkAboutF.isNull());
  EXPECT_EQ(lmkAboutF->windowTitle(), "About Morvex");
  EXPECT_EQ(lmkAboutF->VersionLabel->text(), "Version 2.32");
  EXPECT_EQ(lmkAboutF->ProductName->text(), "Morvex2");
  EXPECT_EQ(lmkAboutF->objectName(), "lmkAboutF");
  EXPECT_FALSE(lmkAboutF->isModal());
  TlmkAboutF* first = lmkAboutF;
  w->About1->trigger();
  EXPECT_EQ(lmkAboutF.data(), first) << "one About window at a time";
  lmkAboutF->OKButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(lmkAboutF.isNull()) << "freed when closed";

  w->WebSiteMenu->trigger();
  ASSERT_EQ(FDialogs->Opened().size(), 1u);
  EXPECT_EQ(FDialogs->Opened()[0], TMorvexF::WebSite);
  Stop(w);
}

TEST_F(StartupTest, StyleChooserFromTheMenuWritesTheActiveStyle) {
  auto w = Start();
  w->show();
  QTimer::singleShot(0, [] {
    auto* chooser = qobject_cast<TAvailableStylesF*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    chooser->AvailableStylesCombo->setCurrentText("Fusion");
    chooser->OKBitBtn->click();
  });
  w->WindowsStylesMenu->trigger();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Fusion");
  EXPECT_EQ(IniFile->ReadString("Style", "Name", ""), "Fusion");
  EXPECT_TRUE(w->isEnabled());
  Stop(w);
  TStyleManager::SetStyle("Iceberg Classico");
}

TEST_F(StartupTest, CoreHooksReachTheDialogsTheLoopAndTheListingCursor) {
  auto w = Start();
  InstallApplicationHooks();
  FDialogs->QueueNo();
  ShowError("core error");
  EXPECT_FALSE(AskYesNo("core question"));
  EXPECT_TRUE(FDialogs->Shown("core error"));
  CursorPush();
  EXPECT_EQ(Screen().Cursor(), crHourGlass);
  CursorPop();
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_NO_THROW(ProcessMessages());
  Stop(w);
  CoreHooks() = TCoreHooks{};
}

}  // namespace
