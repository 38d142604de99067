#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>

#include "gtest/gtest.h"
#include "platform/Application.h"
#include "platform/Colors.h"
#include "platform/Cursors.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Styles.h"
#include "platform/WinPos.h"

namespace {

TEST(WinPosTest, SavedPlacementIsTenIntegersAndIsAppliedBack) {
  QTemporaryDir dir;
  TIniFile ini(dir.filePath("w.ini").toStdString());
  QWidget w;
  w.resize(400, 300);
  w.move(60, 70);
  SaveWinPos(&w, &ini, "lmkLstF");
  const auto p = ParsePlacement(ini.ReadString("WinPos", "lmkLstF", ""));
  ASSERT_TRUE(p);
  EXPECT_EQ((*p)[1], 1);
  EXPECT_EQ((*p)[6], 60);
  EXPECT_EQ((*p)[7], 70);
  EXPECT_EQ((*p)[8], 460);
  EXPECT_EQ((*p)[9], 370);

  QWidget other;
  other.resize(100, 100);
  const auto read = ReadWinPos(&other, &ini, "lmkLstF");
  ASSERT_TRUE(read);
  EXPECT_EQ(other.size(), QSize(400, 300));
  EXPECT_EQ(other.pos(), QPoint(60, 70));
}

TEST(WinPosTest, NoWindowIsASilentAbortAndWritesNothing) {
  QTemporaryDir dir;
  TIniFile ini(dir.filePath("w.ini").toStdString());
  try {
    SaveWinPos(nullptr, &ini, "lmkInfo");
    FAIL() << "no abort";
  } catch (const EAbort& e) {
    EXPECT_STREQ(e.what(), "Unable to retrieve window placement");
  }
  EXPECT_FALSE(ini.ValueExists("WinPos", "lmkInfo"));
}

TEST(WinPosTest, NoSettingsFileDoesNothing) {
  QWidget w;
  EXPECT_NO_THROW(SaveWinPos(&w, nullptr, "x"));
  EXPECT_FALSE(ReadWinPos(&w, nullptr, "x"));
}

TEST(WinPosTest, PlacementOffScreenIsBroughtBack) {
  QWidget w;
  ApplyPlacement(w.window(), {0, 1, -1, -1, -1, -1, 50000, 50000, 50400, 50300});
  EXPECT_EQ(w.size(), QSize(400, 300));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size())));
}

TEST(WinPosTest, BadTextIsNotAPlacement) {
  EXPECT_FALSE(ParsePlacement(""));
  EXPECT_FALSE(ParsePlacement("1 2 3"));
  EXPECT_FALSE(ParsePlacement("0 1 -1 -1 -1 -1 a 2 3 4"));
  EXPECT_TRUE(ParsePlacement("0 1 -1 -1 -1 -1 1 2 300 400"));
}

TEST(CursorTest, ElevenNamedCursorsAreDrawn) {
  LoadProgramCursors();
  for (int k = 1; k <= 11; ++k) {
    const QCursor c = Screen().Cursors(k);
    EXPECT_EQ(c.shape(), Qt::BitmapCursor) << k;
    EXPECT_FALSE(c.pixmap().isNull()) << k;
  }
  EXPECT_EQ(Screen().Cursors(1).hotSpot(), QPoint(16, 16));
  EXPECT_THROW(LoadCursorResource("NOSUCH"), EMorvexError);
}

TEST(CursorTest, ScreenCursorShowsOverEveryWindow) {
  Screen().SetCursor(crHourGlass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen().SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(StyleTest, QtStylesAndOurThemesAreListedAndActivated) {
  const auto names = TStyleManager::StyleNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Iceberg Classico"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "Fusion"), names.end());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
  }));
  TStyleManager::SetStyle("Iceberg Classico");
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Iceberg Classico");
  const QColor iceberg = QApplication::palette().color(QPalette::Window);
  TStyleManager::SetStyle("fusion");
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Fusion");
  EXPECT_NE(QApplication::palette().color(QPalette::Window), iceberg);
}

TEST(StyleTest, UnknownStyleIsReportedAndNothingChanges) {
  TStyleManager::SetStyle("Iceberg Classico");
  try {
    TStyleManager::SetStyle("Nope Style");
    FAIL();
  } catch (const EStyleNotFound& e) {
    EXPECT_STREQ(e.what(), "Style 'Nope Style' not found");
  }
  EXPECT_FALSE(TStyleManager::TrySetStyle(""));
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Iceberg Classico");
}

class TThrower : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw EConvertError("'x1' is not a valid integer value");
    if (e->type() == QEvent::User + 1) throw EAbort("quiet");
    if (e->type() == QEvent::User + 2) throw std::out_of_range("vector index");
    return QObject::event(e);
  }
};

TEST(ApplicationTest, ErrorsEscapingAHandlerAreShownNotFatal) {
  ASSERT_NE(dynamic_cast<TApplication*>(qApp), nullptr);
  TScriptedDialogsScope d;
  TThrower t;
  QEvent user(QEvent::User);
  QCoreApplication::sendEvent(&t, &user);
  EXPECT_TRUE(d->Shown("'x1' is not a valid integer value"));
  QEvent quiet(static_cast<QEvent::Type>(QEvent::User + 1));
  QCoreApplication::sendEvent(&t, &quiet);
  EXPECT_EQ(d->Records().size(), 1u) << "a silent abort shows nothing";
  QEvent range(static_cast<QEvent::Type>(QEvent::User + 2));
  QCoreApplication::sendEvent(&t, &range);
  EXPECT_TRUE(d->Shown("vector index"));
}

TEST(ColorTest, RedIsTheLowByte) {
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clGreen), QColor(0, 128, 0));
  EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
  EXPECT_EQ(FromQColor(QColor(255, 255, 0)), clYellow);
}

}  // namespace
