#include "platform/Dialogs.h"

#include <QPrinter>
#include <stdexcept>

#include "gtest/gtest.h"
#include "model/Hooks.h"

namespace {

TEST(DialogsTest, ScriptedServiceRecordsAndAnswersInOrder) {
  TScriptedDialogsScope d;
  d->QueueYes();
  d->QueueNo();
  d->QueueFile("/tmp/a");
  d->QueueCancel();
  Dialogs().ShowError("Bad thing");
  EXPECT_TRUE(Dialogs().AskYesNo("Data changed,\nsave to file?"));
  EXPECT_FALSE(Dialogs().AskYesNo("Again?"));
  EXPECT_EQ(Dialogs().OpenFile({"Open", "TXT files|*.txt", "", "", "", false}), "/tmp/a");
  EXPECT_EQ(Dialogs().SaveFile({"Save", "TXT files|*.txt", "", "", "TXT", true}), std::nullopt);
  ShowWarning("Careful");
  ASSERT_EQ(d->Records().size(), 6u);
  EXPECT_EQ(d->Records()[0].Kind, "message:Error");
  EXPECT_EQ(d->Records()[0].Text, "Bad thing");
  EXPECT_EQ(d->Records()[1].Kind, "yesno");
  EXPECT_EQ(d->Records()[1].Text, "Data changed,\nsave to file?");
  EXPECT_EQ(d->Records()[5].Caption, "Morvex Warning");
  EXPECT_EQ(d->Records()[5].Text, "Careful");
  EXPECT_EQ(d->Sounds(), 3);  // the error and both questions
  EXPECT_EQ(d->Pending(), 0u);
}

TEST(DialogsTest, MissingOrWrongAnswerFailsLoudly) {
  TScriptedDialogsScope d;
  EXPECT_THROW(Dialogs().AskYesNo("No answer queued"), EScriptError);
  d->QueueFile("x");
  EXPECT_THROW(Dialogs().AskYesNo("Wrong kind"), EScriptError);
  d->QueueYes();
  EXPECT_THROW(Dialogs().InputNumber("Go to", "Specimen:", 1, 1, 5), EScriptError);
}

TEST(DialogsTest, SaveAddsTheDefaultExtensionOnly) {
  TScriptedDialogsScope d;
  d->QueueFile("/tmp/list");
  d->QueueFile("/tmp/list.rtf");
  EXPECT_EQ(Dialogs().SaveFile({"Save listing file", "", "", "", "TXT", true}), "/tmp/list.TXT");
  EXPECT_EQ(Dialogs().SaveFile({"Save listing file", "", "", "", "TXT", true}), "/tmp/list.rtf");
  EXPECT_EQ(d->LastFileOptions().Title, "Save listing file");
}

TEST(DialogsTest, NumbersColoursFileExistsAndPrint) {
  TScriptedDialogsScope d;
  d->QueueNumber(3);
  d->QueueNumber(9);
  d->QueueColor(QColor(1, 2, 3));
  d->QueueFileExists(TFileExistsChoice::Append);
  d->QueueCancel();
  d->QueuePrintTo("/tmp/out.pdf");
  EXPECT_EQ(Dialogs().InputNumber("Go to", "n", 1, 1, 5), 3);
  EXPECT_EQ(Dialogs().InputNumber("Go to", "n", 1, 1, 5), std::nullopt);  // out of limits
  EXPECT_EQ(Dialogs().ChooseColor(Qt::red, "Colour"), QColor(1, 2, 3));
  EXPECT_EQ(Dialogs().FileExists("/tmp/a.lmk"), TFileExistsChoice::Append);
  QPrinter printer;
  EXPECT_FALSE(Dialogs().Print(printer));
  EXPECT_TRUE(Dialogs().Print(printer));
  EXPECT_EQ(printer.outputFileName().toStdString(), "/tmp/out.pdf");
  EXPECT_TRUE(d->Shown("File /tmp/a.lmk"));
}

TEST(DialogsTest, CoreHooksReachTheService) {
  TScriptedDialogsScope d;
  InstallCoreDialogHooks();
  d->QueueYes();
  ShowError("from the core");
  EXPECT_TRUE(AskYesNo("core question"));
  EXPECT_TRUE(d->Shown("from the core"));
  EXPECT_TRUE(d->Shown("core question"));
  CoreHooks().ShowError = nullptr;
  CoreHooks().AskYesNo = nullptr;
}

TEST(DialogsTest, ScopeRestoresThePreviousService) {
  TDialogs* before = &Dialogs();
  {
    TScriptedDialogsScope d;
    EXPECT_NE(&Dialogs(), before);
    EXPECT_NE(dynamic_cast<TScriptedDialogs*>(&Dialogs()), nullptr);
  }
  EXPECT_EQ(&Dialogs(), before);
}

TEST(DialogsTest, BeepAndShellOpenGoThroughTheService) {
  TScriptedDialogsScope d;
  Beep();
  Beep();
  Dialogs().OpenDocument("/tmp/report.pdf");
  EXPECT_EQ(d->Sounds(), 2);
  ASSERT_EQ(d->Opened().size(), 1u);
  EXPECT_EQ(d->Opened()[0], "/tmp/report.pdf");
  EXPECT_TRUE(d->Records().empty());
}

TEST(DialogsTest, NoServiceMeansTheRealOne) {
  auto previous = SetDialogs(nullptr);
  EXPECT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
  SetDialogs(std::move(previous));
}

TEST(DialogsTest, FilterPairsBecomeQtFilters) {
  EXPECT_EQ(QtFilterFromPairs("TXT files|*.txt"), "TXT files (*.txt)");
  EXPECT_EQ(QtFilterFromPairs("Images|*.jpg;*.png|All|*.*"), "Images (*.jpg *.png);;All (*.*)");
  EXPECT_EQ(QtFilterFromPairs(""), "");
}

}  // namespace
