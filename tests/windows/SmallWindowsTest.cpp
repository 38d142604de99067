#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "gtest/gtest.h"
#include "platform/Dialogs.h"
#include "platform/Styles.h"
#include "windows/Aboutu.h"
#include "windows/HelpWindow.h"
#include "windows/Lmkabout.h"
#include "windows/Lmklst.h"
#include "windows/WindowsStylesDialog.h"

namespace {

class SmallWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FIniName = FDir.filePath("Morvex2.ini").toStdString();
    TStyleManager::SetStyle("Iceberg Classico");
  }
  TIniRef Ref() { return TIniRef{&FIni, &FIniName}; }
  QTemporaryDir FDir;
  std::unique_ptr<TIniFile> FIni;
  std::string FIniName;
  TScriptedDialogsScope FDialogs;
};

TEST_F(SmallWindowsTest, GenericAboutReadsSectionProg) {
  {
    TIniFile ini(FIniName);
    ini.WriteString("Prog", "ProgName", "Morvex2");
    ini.WriteString("Prog", "ProgVersion", "2.32");
    ini.WriteString("Prog", "CopyYear", "2026");
    ini.WriteString("Prog", "bits", "64 bits");
  }
  TAboutF about(Ref());
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.ProgNameLab->text(), "Morvex2");
  EXPECT_EQ(about.VersionLab->text(), "Version: 2.32");
  EXPECT_EQ(about.MyVersion, "2.32");
  EXPECT_EQ(about.BitsLab->text(), "64 bits");
  EXPECT_EQ(about.copyyear, "2026");
  EXPECT_TRUE(about.CreditLab->text().contains("2026"));
}

TEST_F(SmallWindowsTest, GenericAboutWithoutProgKeysShowsEmptyTexts) {
  TAboutF about(Ref());
  EXPECT_EQ(about.ProgNameLab->text(), "");
  EXPECT_EQ(about.VersionLab->text(), "Version: ");
  EXPECT_EQ(about.BitsLab->text(), "");
  about.show();
  about.OKButton->click();
  EXPECT_FALSE(about.isVisible());
}

TEST_F(SmallWindowsTest, ListingAboutOpensOneGenericAboutWindow) {
  TlmkLstF listing(Ref());
  listing.AboutClick();
  listing.AboutClick();
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AboutF" && w->isVisible()) ++n;
  EXPECT_EQ(n, 1);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AboutF") w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(SmallWindowsTest, ProgramAboutTexts) {
  TlmkAboutF about;
  EXPECT_EQ(about.windowTitle(), "About Morvex");
  EXPECT_EQ(about.objectName(), "lmkAboutF");
  EXPECT_EQ(about.ProductName->text(), "Morvex2");
  EXPECT_EQ(about.VersionLabel->text(), "Version 2.32");
  EXPECT_FALSE(about.CopyLabel->text().isEmpty());
  EXPECT_FALSE(about.ProgramIcon->pixmap().isNull());
  EXPECT_EQ(about.OKButton->toolTip(), "Close window");
  about.show();
  about.OKButton->click();
  EXPECT_FALSE(about.isVisible());
}

TEST_F(SmallWindowsTest, StyleChooserListsEveryStyleAndSelectsTheActiveOne) {
  QMainWindow main;
  TAvailableStylesF chooser(Ref(), &main);
  EXPECT_EQ(chooser.windowTitle(), "Window styles");
  EXPECT_EQ(chooser.CurrentStyleEdit->text(), "Iceberg Classico");
  EXPECT_EQ(chooser.AvailableStylesCombo->currentText(), "Iceberg Classico");
  EXPECT_EQ(chooser.AvailableStylesCombo->count(),
            static_cast<int>(TStyleManager::StyleNames().size()));
  EXPECT_EQ(chooser.CancelBitBtn->toolTip(), "Restore original style");
}

TEST_F(SmallWindowsTest, PreviewThenCancelRestoresTheStyle) {
  QMainWindow main;
  main.show();
  TAvailableStylesF chooser(Ref(), &main);
  chooser.show();
  chooser.AvailableStylesCombo->setCurrentText("Fusion");
  chooser.PreviewBtn->click();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Fusion");
  EXPECT_FALSE(main.isEnabled()) << "the main window waits while a style is on trial";
  chooser.CancelBitBtn->click();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Iceberg Classico");
  EXPECT_TRUE(main.isEnabled());
  EXPECT_EQ(chooser.result(), QDialog::Rejected);
  EXPECT_FALSE(FIni && FIni->ValueExists("Style", "Name")) << "Cancel writes nothing";
}

TEST_F(SmallWindowsTest, OkKeepsTheStyleAndWritesItsName) {
  QMainWindow main;
  TAvailableStylesF chooser(Ref(), &main);
  chooser.show();
  chooser.AvailableStylesCombo->setCurrentText("Sandstone");
  chooser.PreviewBtn->click();
  chooser.OKBitBtn->click();
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Sandstone");
  EXPECT_TRUE(main.isEnabled());
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  ASSERT_TRUE(FIni);
  EXPECT_EQ(FIni->ReadString("Style", "Name", ""), "Sandstone");
}

TEST_F(SmallWindowsTest, ClosingTheChooserEnablesTheMainWindow) {
  QMainWindow main;
  auto chooser = std::make_unique<TAvailableStylesF>(Ref(), &main);
  chooser->show();
  chooser->PreviewBtnClick();
  EXPECT_FALSE(main.isEnabled());
  chooser->close();
  EXPECT_TRUE(main.isEnabled());
}

TEST_F(SmallWindowsTest, HelpOpensAtTopicsAndFallsBackToContents) {
  ShowHelpTopic(503);
  ASSERT_NE(HelpWindow(), nullptr);
  EXPECT_EQ(HelpWindow()->Browser->source().toString(), "qrc:/help/listing.html");
  EXPECT_TRUE(HelpWindow()->Browser->toPlainText().contains("report listing"));
  ShowHelpTopic(99999);
  EXPECT_EQ(HelpWindow()->Browser->source().toString(), "qrc:/help/contents.html");
  TlmkLstF listing(Ref());
  listing.Contents1Click();
  EXPECT_EQ(HelpWindow()->Browser->source().toString(), "qrc:/help/contents.html");
  EXPECT_TRUE(HelpWindow()->isVisible());
  CloseHelpWindow();
}

TEST_F(SmallWindowsTest, EveryHelpPageLinkLeadsToAPage) {
  for (const char* page : {"contents.html", "listing.html", "settings.html", "styles.html"}) {
    QFile f(QString(":/help/") + page);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page;
    const QString html = QString::fromUtf8(f.readAll());
    for (qsizetype p = html.indexOf("href=\""); p >= 0; p = html.indexOf("href=\"", p + 1)) {
      const QString target = html.mid(p + 6, html.indexOf('"', p + 6) - p - 6);
      EXPECT_TRUE(QFile::exists(":/help/" + target)) << page << " -> " << target.toStdString();
    }
  }
}

}  // namespace
