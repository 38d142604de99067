#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gtest/gtest.h"
#include "model/Errors.h"
#include "platform/Dialogs.h"
#include "windows/GetDims.h"
#include "windows/ProgramDialogs.h"
#include "windows/fileExistsu.h"

namespace {

void Click(QPushButton* b) {
  ASSERT_NE(b, nullptr);
  QTest::mouseClick(b, Qt::LeftButton);
}

// Replaces the edit's text the way a user does: select all, delete, type.
void Retype(QLineEdit* e, const QString& text) {
  QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

// Runs action, which should close it, on the modal dialog once exec() has put it on screen.
// A dialog left open or none at all fails the test instead of letting it wait for ever.
void WhenModal(std::function<void(QDialog&)> action) {
  QTimer::singleShot(0, [action] {
    if (QPointer<QDialog> d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      action(*d);
      if (d && d->isVisible()) {
        ADD_FAILURE() << "the dialog is still open";
        d->hide();
      }
      return;
    }
    ADD_FAILURE() << "no modal dialog on screen";
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<QDialog*>(w) && w->isVisible()) w->hide();
  });
}

QPoint Centre(const QWidget& w) {
  return w.frameGeometry().center();
}

class SmallDialogsTest : public ::testing::Test {
 protected:
  // A number dialog as the program sets it up: 3 out of 1..10.
  void Prepare(TGetDimsF& dlg, int n = 3, int min = 1, int max = 10) {
    dlg.n = n;
    dlg.nMin = min;
    dlg.nMax = max;
  }
  TScriptedDialogsScope FDialogs;
};

// ---- number dialog ----

TEST_F(SmallDialogsTest, NumberDialogDesign) {
  TGetDimsF dlg;
  EXPECT_EQ(dlg.objectName(), "GetDimsF");
  EXPECT_EQ(dlg.windowTitle(), "Dims");
  EXPECT_EQ(dlg.EditLabel->text(), "Dimensions:");
  EXPECT_EQ(dlg.DimsEdit->toolTip(), "Enter number of dimensions");
  EXPECT_EQ(dlg.DimsEdit->maxLength(), 5);
  EXPECT_EQ(dlg.CancelBitBtn->text(), "Cancel");
  EXPECT_EQ(dlg.OKBitBtn->text(), "OK");
  EXPECT_TRUE(dlg.OKBitBtn->isDefault());
  EXPECT_EQ(dlg.findChild<QLabel*>("EditLabel"), dlg.EditLabel);
  EXPECT_EQ(dlg.findChild<QLineEdit*>("DimsEdit"), dlg.DimsEdit);
  EXPECT_EQ(dlg.findChild<QPushButton*>("CancelBitBtn"), dlg.CancelBitBtn);
  EXPECT_EQ(dlg.findChild<QPushButton*>("OKBitBtn"), dlg.OKBitBtn);
  EXPECT_EQ(dlg.n, 0);
  EXPECT_EQ(dlg.nMin, 0);
  EXPECT_EQ(dlg.nMax, 0);
}

TEST_F(SmallDialogsTest, ShowingPutsNIntoTheEdit) {
  TGetDimsF dlg;
  for (int n : {42, 0, -7, 99999}) {
    Prepare(dlg, n, -10, 100000);
    dlg.show();
    EXPECT_EQ(dlg.DimsEdit->text(), QString::number(n)) << n;
    dlg.hide();
  }
}

TEST_F(SmallDialogsTest, OpensCentredOnItsParent) {
  QWidget main;
  main.setGeometry(150, 120, 900, 640);
  main.show();
  TGetDimsF dlg(&main);
  Prepare(dlg);
  dlg.show();
  EXPECT_LE((Centre(dlg) - Centre(main)).manhattanLength(), 4)
      << "dialog centre " << Centre(dlg).x() << "," << Centre(dlg).y();
}

struct TTypedCase {
  const char* Name;
  const char* Typed;
  int Expected;
};

class NumberTyped : public SmallDialogsTest, public ::testing::WithParamInterface<TTypedCase> {};

TEST_P(NumberTyped, OkKeepsAValueInRangeAndEndsOk) {
  TGetDimsF dlg;
  Prepare(dlg);
  dlg.show();
  Retype(dlg.DimsEdit, GetParam().Typed);
  Click(dlg.OKBitBtn);
  EXPECT_EQ(dlg.n, GetParam().Expected);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_TRUE(FDialogs->Records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SmallDialogsTest, NumberTyped,
    ::testing::Values(TTypedCase{"InRange", "7", 7}, TTypedCase{"Maximum", "10", 10},
                      TTypedCase{"Minimum", "1", 1}, TTypedCase{"Unchanged", "3", 3},
                      TTypedCase{"AboveMax", "11", 3}, TTypedCase{"BelowMin", "0", 3},
                      TTypedCase{"FiveDigits", "99999", 3}, TTypedCase{"LeadingZeros", "0008", 8}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SmallDialogsTest, EnterInTheEditIsOk) {
  TGetDimsF dlg;
  Prepare(dlg);
  dlg.show();
  Retype(dlg.DimsEdit, "9");
  QTest::keyClick(dlg.DimsEdit, Qt::Key_Return);
  EXPECT_EQ(dlg.n, 9);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_FALSE(dlg.isVisible());
}

TEST_F(SmallDialogsTest, CancelEndsOkWithTheOldNumber) {
  TGetDimsF dlg;
  Prepare(dlg);
  dlg.show();
  Retype(dlg.DimsEdit, "8");
  Click(dlg.CancelBitBtn);
  EXPECT_EQ(dlg.n, 3);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_FALSE(dlg.isVisible());
}

TEST_F(SmallDialogsTest, CancelClosesEvenWhenTheNumberIsOutOfRange) {
  TGetDimsF dlg;
  Prepare(dlg, 0, 1, 10);
  dlg.show();
  Click(dlg.CancelBitBtn);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(dlg.n, 0);
}

struct TCloseCase {
  const char* Name;
  std::function<void(TGetDimsF&)> Close;
};

class NumberClosed : public SmallDialogsTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(NumberClosed, ClosesOnlyWithANumberInRange) {
  TGetDimsF dlg;
  Prepare(dlg, 12, 1, 10);
  dlg.show();
  GetParam().Close(dlg);
  EXPECT_TRUE(dlg.isVisible()) << "12 is outside 1..10";
  EXPECT_FALSE(dlg.FormCloseQuery());

  dlg.n = 10;
  GetParam().Close(dlg);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.n, 10);
}

INSTANTIATE_TEST_SUITE_P(
    SmallDialogsTest, NumberClosed,
    ::testing::Values(TCloseCase{"CloseButton", [](TGetDimsF& d) { d.close(); }},
                      TCloseCase{"Escape",
                                 [](TGetDimsF& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
                      TCloseCase{"Reject", [](TGetDimsF& d) { d.reject(); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SmallDialogsTest, OkWithAnOutOfRangeNumberCannotLeaveAnOutOfRangeN) {
  TGetDimsF dlg;
  Prepare(dlg, 0, 1, 10);
  dlg.show();
  Retype(dlg.DimsEdit, "50");
  Click(dlg.OKBitBtn);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.n, 0);
  Retype(dlg.DimsEdit, "5");
  Click(dlg.OKBitBtn);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.n, 5);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(SmallDialogsTest, EditTakesAtMostFiveDigits) {
  const struct {
    const char* Typed;
    const char* Shown;
  } cases[] = {{"1a2b3c", "123"}, {"-4", "4"},          {"+4", "4"}, {"1.5", "15"},
               {"12 34", "1234"}, {"1234567", "12345"}, {"x", ""}};
  TGetDimsF dlg;
  Prepare(dlg);
  dlg.show();
  for (const auto& c : cases) {
    Retype(dlg.DimsEdit, c.Typed);
    EXPECT_EQ(dlg.DimsEdit->text(), c.Shown) << c.Typed;
  }
}

TEST_F(SmallDialogsTest, EmptyTextIsAConversionErrorAndKeepsTheDialogOpen) {
  TGetDimsF dlg;
  Prepare(dlg);
  dlg.show();
  Retype(dlg.DimsEdit, "");
  ASSERT_EQ(dlg.DimsEdit->text(), "");
  try {
    dlg.OKBitBtnClick();
    ADD_FAILURE() << "no error raised";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(dlg.n, 3);
  EXPECT_TRUE(dlg.isVisible());

  // Clicked, the error escapes the handler and the application shows it.
  Click(dlg.OKBitBtn);
  EXPECT_EQ(FDialogs->Texts(), std::vector<std::string>{"'' is not a valid integer value"});
  EXPECT_EQ(dlg.n, 3);
  EXPECT_TRUE(dlg.isVisible());
}

TEST_F(SmallDialogsTest, RunGetDimsAnswersTheNumberChosen) {
  WhenModal([](QDialog& d) {
    auto* dims = qobject_cast<TGetDimsF*>(&d);
    ASSERT_NE(dims, nullptr);
    EXPECT_EQ(d.windowTitle(), "Curve points");
    EXPECT_EQ(dims->EditLabel->text(), "Number of points:");
    EXPECT_EQ(dims->DimsEdit->text(), "20");
    EXPECT_EQ(dims->nMin, 3);
    EXPECT_EQ(dims->nMax, 500);
    Retype(dims->DimsEdit, "64");
    Click(dims->OKBitBtn);
  });
  EXPECT_EQ(RunGetDims(nullptr, "Curve points", "Number of points:", 20, 3, 500), 64);
}

TEST_F(SmallDialogsTest, RunGetDimsAfterCancelAnswersTheValueGiven) {
  WhenModal([](QDialog& d) {
    auto* dims = qobject_cast<TGetDimsF*>(&d);
    ASSERT_NE(dims, nullptr);
    Retype(dims->DimsEdit, "64");
    Click(dims->CancelBitBtn);
  });
  EXPECT_EQ(RunGetDims(nullptr, "Dims", "Dimensions:", 2, 2, 3), 2);
}

TEST_F(SmallDialogsTest, RunGetDimsIsEmptyOnlyWhenItEndsRejected) {
  WhenModal([](QDialog& d) { Click(d.findChild<QPushButton*>("CancelBitBtn")); });
  EXPECT_EQ(RunGetDims(nullptr, "Dims", "Dimensions:", 0, 2, 3), std::nullopt);
}

// ---- file-exists dialog ----

TEST_F(SmallDialogsTest, FileExistsDesign) {
  TFileExistsF dlg("/data/shapes/wing 12.lmk");
  EXPECT_EQ(dlg.objectName(), "FileExistsF");
  EXPECT_EQ(dlg.windowTitle(), "File exists!");
  EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(dlg.ExistsLab->text(), "File /data/shapes/wing 12.lmk");
  EXPECT_EQ(dlg.Label1->text(), "exists!");
  EXPECT_EQ(dlg.overwriteBtn->text(), "Overwrite");
  EXPECT_EQ(dlg.appendBtn->text(), "&Append");
  EXPECT_EQ(dlg.cancelBtn->text(), "Cancel");
  EXPECT_TRUE(dlg.overwriteBtn->isDefault());
  EXPECT_FALSE(dlg.appendBtn->isDefault());
  EXPECT_FALSE(dlg.cancelBtn->isDefault());
  for (const char* name : {"ExistsLab", "Label1", "overwriteBtn", "appendBtn", "cancelBtn"})
    EXPECT_NE(dlg.findChild<QWidget*>(name), nullptr) << name;
  EXPECT_FALSE(dlg.Fappend);
  EXPECT_FALSE(dlg.Foverwrite);
  EXPECT_EQ(dlg.Choice(), TFileExistsChoice::Cancel);
}

TEST_F(SmallDialogsTest, FileExistsOpensCentredOnTheScreen) {
  QWidget main;
  main.setGeometry(0, 0, 300, 200);
  main.show();
  TFileExistsF dlg("C:\\pics\\a.lmk", &main);
  dlg.show();
  const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((Centre(dlg) - screen).manhattanLength(), 4);
  EXPECT_GT((Centre(dlg) - Centre(main)).manhattanLength(), 20) << "not on the parent";
}

struct TExistsCase {
  const char* Button;
  bool Overwrite;
  bool Append;
  TFileExistsChoice Choice;
  int Result;
};

class FileExistsButton : public SmallDialogsTest,
                         public ::testing::WithParamInterface<TExistsCase> {};

TEST_P(FileExistsButton, SetsItsFieldAndCloses) {
  const auto& c = GetParam();
  TFileExistsF dlg("/tmp/out.txt");
  dlg.show();
  Click(dlg.findChild<QPushButton*>(c.Button));
  EXPECT_EQ(dlg.Foverwrite, c.Overwrite);
  EXPECT_EQ(dlg.Fappend, c.Append);
  EXPECT_EQ(dlg.Choice(), c.Choice);
  EXPECT_EQ(dlg.result(), c.Result);
  EXPECT_FALSE(dlg.isVisible());
}

TEST_P(FileExistsButton, RunFileExistsAnswersTheChoice) {
  const auto& c = GetParam();
  WhenModal([&c](QDialog& d) {
    ASSERT_NE(qobject_cast<TFileExistsF*>(&d), nullptr);
    EXPECT_EQ(d.findChild<QLabel*>("ExistsLab")->text(), "File /tmp/out.txt");
    Click(d.findChild<QPushButton*>(c.Button));
  });
  EXPECT_EQ(RunFileExists(nullptr, "/tmp/out.txt"), c.Choice);
}

INSTANTIATE_TEST_SUITE_P(
    SmallDialogsTest, FileExistsButton,
    ::testing::Values(
        TExistsCase{"overwriteBtn", true, false, TFileExistsChoice::Overwrite, QDialog::Accepted},
        TExistsCase{"appendBtn", false, true, TFileExistsChoice::Append, QDialog::Accepted},
        TExistsCase{"cancelBtn", false, false, TFileExistsChoice::Cancel, QDialog::Rejected}),
    [](const auto& info) { return std::string(info.param.Button); });

TEST_F(SmallDialogsTest, FileExistsKeys) {
  const struct {
    Qt::Key Key;
    TFileExistsChoice Choice;
  } cases[] = {{Qt::Key_Return, TFileExistsChoice::Overwrite},
               {Qt::Key_Escape, TFileExistsChoice::Cancel}};
  for (const auto& c : cases) {
    TFileExistsF dlg("/tmp/out.txt");
    dlg.show();
    QTest::keyClick(&dlg, c.Key);
    EXPECT_FALSE(dlg.isVisible()) << c.Key;
    EXPECT_EQ(dlg.Choice(), c.Choice) << c.Key;
  }
}

// ---- the program's dialogs service ----

TEST_F(SmallDialogsTest, ProgramServiceAsksWithTheNumberDialog) {
  QPointer<QWidget> fileExistsF, getDimsF;
  TProgramDialogs service(&fileExistsF, &getDimsF);
  TDialogs& dialogs = service;
  WhenModal([&](QDialog& d) {
    auto* dims = qobject_cast<TGetDimsF*>(&d);
    ASSERT_NE(dims, nullptr);
    EXPECT_EQ(getDimsF.data(), &d) << "recorded while open";
    EXPECT_EQ(fileExistsF.data(), nullptr);
    EXPECT_EQ(d.windowTitle(), "Landmarks");
    EXPECT_EQ(dims->EditLabel->text(), "Number of landmarks:");
    EXPECT_EQ(dims->DimsEdit->text(), "5");
    Retype(dims->DimsEdit, "17");
    Click(dims->OKBitBtn);
  });
  EXPECT_EQ(dialogs.InputNumber("Landmarks", "Number of landmarks:", 5, 1, 100), 17);
  EXPECT_EQ(getDimsF.data(), nullptr) << "cleared when the dialog is gone";

  WhenModal([](QDialog& d) { Click(d.findChild<QPushButton*>("CancelBitBtn")); });
  EXPECT_EQ(dialogs.InputNumber("Landmarks", "Number of landmarks:", 5, 1, 100), 5);
  WhenModal([](QDialog& d) { Click(d.findChild<QPushButton*>("CancelBitBtn")); });
  EXPECT_EQ(dialogs.InputNumber("Landmarks", "Number of landmarks:", 0, 1, 100), std::nullopt);
}

TEST_F(SmallDialogsTest, ProgramServiceAsksWithTheFileExistsDialog) {
  QPointer<QWidget> fileExistsF, getDimsF;
  TProgramDialogs service(&fileExistsF, &getDimsF);
  TDialogs& dialogs = service;
  WhenModal([&](QDialog& d) {
    ASSERT_NE(qobject_cast<TFileExistsF*>(&d), nullptr);
    EXPECT_EQ(fileExistsF.data(), &d);
    EXPECT_EQ(getDimsF.data(), nullptr);
    Click(d.findChild<QPushButton*>("appendBtn"));
  });
  EXPECT_EQ(dialogs.FileExists("/tmp/x.mxt"), TFileExistsChoice::Append);
  EXPECT_EQ(fileExistsF.data(), nullptr);
}

TEST_F(SmallDialogsTest, ProgramServiceWorksWithoutSlots) {
  TProgramDialogs service;
  WhenModal([](QDialog& d) { Click(d.findChild<QPushButton*>("overwriteBtn")); });
  EXPECT_EQ(service.FileExists("/tmp/x.mxt"), TFileExistsChoice::Overwrite);
  WhenModal([](QDialog& d) { Click(d.findChild<QPushButton*>("OKBitBtn")); });
  EXPECT_EQ(service.InputNumber("Dims", "Dimensions:", 2, 2, 3), 2);
}

TEST_F(SmallDialogsTest, ProgramServiceDialogsBelongToTheActiveWindow) {
  QWidget main;
  main.setWindowTitle("Morvex2");
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  ASSERT_EQ(DialogParent(), &main);
  TProgramDialogs service;
  WhenModal([&](QDialog& d) {
    EXPECT_EQ(d.parentWidget(), &main);
    Click(d.findChild<QPushButton*>("cancelBtn"));
  });
  EXPECT_EQ(service.FileExists("/tmp/x.mxt"), TFileExistsChoice::Cancel);
  // The offscreen platform has no window manager to hand the activation back.
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  WhenModal([&](QDialog& d) {
    EXPECT_EQ(d.parentWidget(), &main);
    Click(d.findChild<QPushButton*>("OKBitBtn"));
  });
  EXPECT_EQ(service.InputNumber("Dims", "Dimensions:", 2, 2, 3), 2);
}

}  // namespace
