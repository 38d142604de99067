#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <QToolBar>
#include <QtTest/QTest>
#include <fstream>
#include <sstream>

#include "gtest/gtest.h"
#include "model/Hooks.h"
#include "platform/Cursors.h"
#include "platform/Dialogs.h"
#include "windows/Lmklst.h"

namespace {

std::string ReadAll(const std::string& f) {
  std::ifstream in(f, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string PdfText(const std::string& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  if (!p.waitForFinished(30000)) return "<pdftotext did not finish>";
  return QString::fromUtf8(p.readAllStandardOutput()).toStdString();
}

class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FIniName = FDir.filePath("Morvex2.ini").toStdString();
    FList = std::make_unique<TlmkLstF>(TIniRef{&FIni, &FIniName});
    FList->Setup("Morvex2", "2.32", "2026", 1);
    FList->Initialize();
  }
  std::string File(const char* name) const { return FDir.filePath(name).toStdString(); }
  std::string Text() const { return FList->Editor->toPlainText().toStdString(); }
  QTextBlock Block(const std::string& text) const {
    for (QTextBlock b = FList->Editor->document()->begin(); b.isValid(); b = b.next())
      if (b.text().toStdString() == text) return b;
    return {};
  }
  static QTextCharFormat FormatOf(const QTextBlock& b) { return b.begin().fragment().charFormat(); }
  static int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
  }

  QTemporaryDir FDir;
  std::unique_ptr<TIniFile> FIni;
  std::string FIniName;
  TScriptedDialogsScope FDialogs;
  std::unique_ptr<TlmkLstF> FList;
};

TEST_F(ListingTest, HeaderHasProgramVersionDateAndRule) {
  EXPECT_EQ(FList->windowTitle(), "Report listing");
  EXPECT_EQ(FList->objectName(), "lmkLstF");
  EXPECT_FALSE(FList->Reallyexit);
  const auto lines = QString::fromStdString(Text()).split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_TRUE(lines[0].startsWith("Morvex2 ")) << lines[0].toStdString();
  EXPECT_TRUE(lines[0].contains("2026"));
  EXPECT_TRUE(lines[1].startsWith("Program version: 2.32, Date/time: "));
  EXPECT_EQ(lines[2], QString(74, '-'));
  const QTextCharFormat title = FList->Editor->document()->begin().begin().fragment().charFormat();
  EXPECT_EQ(title.fontPointSize(), 16);
  EXPECT_EQ(title.fontWeight(), QFont::Bold);
}

TEST_F(ListingTest, HeadingLinesAndPlainLines) {
  FList->add("plain line");
  FList->add("@HResults");
  FList->add("@H");
  FList->add("after");
  const QTextBlock heading = Block("Results");
  ASSERT_TRUE(heading.isValid()) << Text();
  EXPECT_EQ(FormatOf(heading).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatOf(heading).fontPointSize(), 14);
  const QTextBlock alone = Block("@H");
  ASSERT_TRUE(alone.isValid()) << "\"@H\" alone is written as it is";
  EXPECT_NE(FormatOf(alone).fontWeight(), QFont::Bold);
  const QTextBlock plain = Block("plain line");
  ASSERT_TRUE(plain.isValid());
  EXPECT_EQ(FormatOf(plain).fontPointSize(), 10);
  EXPECT_NE(FormatOf(plain).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatOf(Block("after")).fontWeight(), QFont::Bold);
  EXPECT_NE(Text().find("\nplain line\nResults\n@H\nafter\n"), std::string::npos);
}

TEST_F(ListingTest, HeadingStartsOnANewLineAfterTypedText) {
  QTextCursor c(FList->Editor->document());
  c.movePosition(QTextCursor::End);
  c.insertText("typed by the user");
  FList->add("@HNext");
  EXPECT_NE(Text().find("typed by the user\nNext\n"), std::string::npos);
}

TEST_F(ListingTest, ClearTwiceGivesThreeHeaders) {
  FList->add("some line");
  FList->Clear1->trigger();
  FList->Clear1Click();
  EXPECT_EQ(Count(Text(), "Program version: 2.32"), 3);
  EXPECT_EQ(Count(Text(), std::string(74, '-')), 3);
  EXPECT_NE(Text().find("some line"), std::string::npos) << "Clear does not empty the editor";
}

TEST_F(ListingTest, LongReportsYieldEvery200Lines) {
  int yields = 0;
  CoreHooks().ProcessMessages = [&] { ++yields; };
  for (int i = 0; i < 450; ++i) FList->add("line " + std::to_string(i));
  CoreHooks().ProcessMessages = nullptr;
  EXPECT_EQ(yields, 2);
  EXPECT_EQ(FList->Editor->document()->blockCount() / 200, 2);
}

TEST_F(ListingTest, TextSavedAndOpenedBackIsTheSame) {
  FList->add("@HHeading");
  FList->add("value 1.5 \xc2\xb5m");
  const std::string before = Text();
  FDialogs->QueueFile(File("list"));
  FList->SaveTXTClick();
  const auto& o = FDialogs->LastFileOptions();
  EXPECT_EQ(o.Title, "Save listing file");
  EXPECT_EQ(o.Filter, "TXT files|*.txt");
  EXPECT_TRUE(o.OverwritePrompt);
  const std::string bytes = ReadAll(File("list.TXT"));
  EXPECT_NE(bytes.find("Heading\r\n"), std::string::npos) << "lines end CR LF";
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  FList->Clear1Click();
  FDialogs->QueueFile(File("list.TXT"));
  FList->OpenTXTfileClick();
  EXPECT_EQ(FDialogs->LastFileOptions().Filter, "TXT files|*.txt");
  EXPECT_EQ(Text(), before);
}

TEST_F(ListingTest, Windows1252TextFileIsShownAsSuch) {
  std::ofstream(File("old.txt"), std::ios::binary) << "caf\xe9 \x80\r\n";
  FList->LoadTxtFile(File("old.txt"));
  EXPECT_EQ(FList->Editor->toPlainText(), QString::fromUtf8(u8"caf\u00e9 \u20ac"));
}

TEST_F(ListingTest, RichTextSavedAndOpenedBackKeepsTextAndBoldHeading) {
  FList->add("@HOutline results");
  FList->add("Area = 12.5");
  const std::string before = Text();
  FDialogs->QueueFile(File("list.rtf"));
  FList->SaveRTFClick();
  EXPECT_EQ(FDialogs->LastFileOptions().Filter, "RT files|*.rtf");
  EXPECT_EQ(ReadAll(File("list.rtf")).rfind("{\\rtf1", 0), 0u);
  FList->add("added after saving");
  FDialogs->QueueFile(File("list.rtf"));
  FList->LoadRTFClick();
  EXPECT_EQ(Text(), before) << "the editor is cleared before loading";
  const QTextBlock heading = Block("Outline results");
  ASSERT_TRUE(heading.isValid());
  EXPECT_EQ(FormatOf(heading).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatOf(heading).fontPointSize(), 14);
  EXPECT_NE(FormatOf(Block("Area = 12.5")).fontWeight(), QFont::Bold);
}

TEST_F(ListingTest, OpeningAFileThatIsNotRichTextKeepsTheListing) {
  std::ofstream(File("plain.rtf")) << "just text";
  const std::string before = Text();
  FDialogs->QueueFile(File("plain.rtf"));
  FList->LoadRTFClick();
  EXPECT_TRUE(FDialogs->Shown("Not a rich text file"));
  EXPECT_EQ(Text(), before);
  FDialogs->QueueFile(File("missing.txt"));
  FList->OpenTXTfileClick();
  EXPECT_TRUE(FDialogs->Shown("Cannot open file"));
  EXPECT_EQ(Text(), before);
}

TEST_F(ListingTest, CancelledDialogsDoNothing) {
  const std::string before = Text();
  FDialogs->QueueCancel();
  FDialogs->QueueCancel();
  FDialogs->QueueCancel();
  FList->SaveTXTClick();
  FList->OpenTXTfileClick();
  FList->ExportPDFClick();
  EXPECT_EQ(Text(), before);
  EXPECT_TRUE(FDialogs->Opened().empty());
  EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(ListingTest, PdfHoldsTheTextWithPageNumbersAndIsOpenedAfterwards) {
  FList->add("@HMeasurements");
  for (int i = 1; i <= 120; ++i) FList->add("Length " + std::to_string(i) + " = 4.25 mm");
  FDialogs->QueueFile(File("listing.pdf"));
  FList->ExportPDFClick();
  EXPECT_EQ(FDialogs->LastFileOptions().Filter, "PDF files|*.pdf");
  const std::string text = PdfText(File("listing.pdf"));
  EXPECT_NE(text.find("Measurements"), std::string::npos) << text.substr(0, 500);
  EXPECT_NE(text.find("Length 1 = 4.25 mm"), std::string::npos);
  EXPECT_NE(text.find("Length 120 = 4.25 mm"), std::string::npos);
  EXPECT_NE(text.find("Program version: 2.32"), std::string::npos);
  EXPECT_NE(text.find("Report listing"), std::string::npos) << "page header";
  // More than one page, each numbered.
  EXPECT_NE(text.find('\f'), std::string::npos);
  EXPECT_NE(text.find("  2\n"), std::string::npos);
  ASSERT_EQ(FDialogs->Opened().size(), 1u);
  EXPECT_EQ(FDialogs->Opened()[0], File("listing.pdf"));
  EXPECT_EQ(Screen().Cursor(), crDefault) << "busy cursor popped";
}

TEST_F(ListingTest, PrintSendsTheTextToThePrinter) {
  FList->add("printed line");
  FDialogs->QueuePrintTo(File("printed.pdf"));
  FList->Print1Click();
  EXPECT_NE(PdfText(File("printed.pdf")).find("printed line"), std::string::npos);
}

TEST_F(ListingTest, CloseHidesAndKeepsTextAndPlacement) {
  FList->show();
  FList->add("kept");
  const std::string before = Text();
  EXPECT_TRUE(FList->close());
  EXPECT_FALSE(FList->isVisible());
  ASSERT_TRUE(FIni) << "the settings file is made from its name when needed";
  EXPECT_TRUE(FIni->ValueExists("WinPos", "lmkLstF"));
  FList->show();
  EXPECT_EQ(Text(), before);
  FList->Exit1Click();
  EXPECT_FALSE(FList->isVisible());
}

TEST_F(ListingTest, SavedPlacementIsUsedByTheNextListing) {
  FList->resize(500, 400);
  FList->move(30, 40);
  FList->show();
  FList->close();
  TlmkLstF again(TIniRef{&FIni, &FIniName});
  EXPECT_EQ(again.size(), QSize(500, 400));
}

TEST_F(ListingTest, CursorStackRestoresInOrder) {
  Screen().SetCursor(crCross);
  FList->CursorPush();
  EXPECT_EQ(Screen().Cursor(), crHourGlass);
  FList->CursorPush();
  FList->CursorPop();
  EXPECT_EQ(Screen().Cursor(), crHourGlass);
  FList->CursorPop();
  EXPECT_EQ(Screen().Cursor(), crCross);
  FList->CursorPop();  // unpaired: nothing happens
  EXPECT_EQ(Screen().Cursor(), crCross);
  Screen().SetCursor(crDefault);
}

TEST_F(ListingTest, ASingleClickOnALinkOpensIt) {
  FList->show();
  QTextCursor c(FList->Editor->document());
  c.movePosition(QTextCursor::End);
  c.insertHtml("<a href=\"https://example.org/page\">the link text</a>");
  c.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 5);
  const QPoint at = FList->Editor->cursorRect(c).center();
  QTest::mouseClick(FList->Editor->viewport(), Qt::LeftButton, {}, at);
  ASSERT_EQ(FDialogs->Opened().size(), 1u);
  EXPECT_EQ(FDialogs->Opened()[0], "https://example.org/page");
}

QAction* ToolAction(QToolBar* bar, const char* tip) {
  for (QAction* a : bar->actions())
    if (a->toolTip() == tip) return a;
  return nullptr;
}

TEST_F(ListingTest, FormatToolBarFormatsTheSelection) {
  FList->add("format me");
  QTextCursor c = FList->Editor->document()->find("format me");
  ASSERT_FALSE(c.isNull());
  FList->Editor->setTextCursor(c);
  QToolBar* bar = FList->AdvRichEditorFormatToolBar;
  for (const char* tip : {"Bold", "Italic", "Underline", "Centre"}) {
    QAction* a = ToolAction(bar, tip);
    ASSERT_NE(a, nullptr) << tip;
    a->trigger();
  }
  FDialogs->QueueColor(QColor(10, 120, 30));
  ToolAction(bar, "Text colour")->trigger();
  const QTextBlock b = Block("format me");
  const QTextCharFormat f = FormatOf(b);
  EXPECT_EQ(f.fontWeight(), QFont::Bold);
  EXPECT_TRUE(f.fontItalic());
  EXPECT_TRUE(f.fontUnderline());
  EXPECT_EQ(f.foreground().color(), QColor(10, 120, 30));
  EXPECT_TRUE(b.blockFormat().alignment() & Qt::AlignHCenter);
  // The formatting survives a rich-text round trip.
  FList->SaveRtfFile(File("f.rtf"));
  FList->LoadRtfFile(File("f.rtf"));
  const QTextCharFormat g = FormatOf(Block("format me"));
  EXPECT_EQ(g.fontWeight(), QFont::Bold);
  EXPECT_TRUE(g.fontItalic());
  EXPECT_TRUE(g.fontUnderline());
  EXPECT_EQ(g.foreground().color(), QColor(10, 120, 30));
  EXPECT_TRUE(Block("format me").blockFormat().alignment() & Qt::AlignHCenter);
}

TEST_F(ListingTest, EditToolBarUndoesTyping) {
  const std::string before = Text();
  FList->Editor->moveCursor(QTextCursor::End);
  QTest::keyClicks(FList->Editor, "typed");
  EXPECT_NE(Text(), before);
  ToolAction(FList->AdvRichEditorEditToolBar1, "Undo")->trigger();
  EXPECT_EQ(Text(), before);
}

TEST_F(ListingTest, EditMenuWorksOnTheEditor) {
  FList->Selectall1Click();
  EXPECT_EQ(FList->Editor->textCursor().selectedText().size(), FList->Editor->toPlainText().size());
  FList->Cut1Click();
  EXPECT_TRUE(FList->Editor->toPlainText().isEmpty());
  FList->Paste1Click();
  EXPECT_NE(Text().find("Program version"), std::string::npos);
}

}  // namespace
