// Starts the real program under xvfb-run twice: the first start shows the main window and the
// listing (saved as screenshots in the build folder) and writes the settings file at close;
// the second start reads what was written, and a hand-edited value comes back at its close.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <set>

#include "gtest/gtest.h"

namespace {

struct TRun {
  int ExitCode = -1;
  bool Finished = false;
  QString Errors;
};

TRun RunProgram(const QString& dataHome, const QString& shot) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_DATA_HOME", dataHome);
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("MORVEX_SCREENSHOT", shot);
  p.setProcessEnvironment(env);
  p.start("xvfb-run", {"-a", "-s", "-screen 0 1280x1024x24", MORVEX2_EXE});
  TRun r;
  r.Finished = p.waitForFinished(120000);
  if (!r.Finished) p.kill();
  r.ExitCode = p.exitCode();
  r.Errors = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

QString ReadText(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

// A real window picture has many colours; a failed grab is blank.
int Colours(const QImage& img) {
  std::set<QRgb> seen;
  for (int y = 0; y < img.height(); y += 7)
    for (int x = 0; x < img.width(); x += 7) seen.insert(img.pixel(x, y));
  return static_cast<int>(seen.size());
}

TEST(ShellE2E, StartsShowsItsWindowsAndKeepsItsSettings) {
  if (QStandardPaths::findExecutable("xvfb-run").isEmpty()) GTEST_SKIP() << "xvfb-run missing";
  QTemporaryDir data;
  const QString shot = QString(MORVEX_BINARY_DIR) + "/e2e-shell.png";
  const QString listingShot = QString(MORVEX_BINARY_DIR) + "/e2e-shell-listing.png";
  QFile::remove(shot);
  QFile::remove(listingShot);

  const TRun first = RunProgram(data.path(), shot);
  ASSERT_TRUE(first.Finished) << first.Errors.toStdString();
  EXPECT_EQ(first.ExitCode, 0) << first.Errors.toStdString();
  const QImage main(shot);
  ASSERT_FALSE(main.isNull()) << "no screenshot of the main window";
  EXPECT_GE(main.width(), 400);
  EXPECT_GT(Colours(main), 4);
  const QImage listing(listingShot);
  ASSERT_FALSE(listing.isNull()) << "no screenshot of the listing";
  EXPECT_GT(Colours(listing), 4);

  const QString ini = data.filePath("lmk/Morvex2.ini");
  QString text = ReadText(ini);
  ASSERT_FALSE(text.isEmpty()) << "settings file not written";
  EXPECT_TRUE(text.contains("DecimalChar=.\r\n"));
  EXPECT_TRUE(text.contains("BeepLM=False\r\n"));
  EXPECT_TRUE(text.contains("[Outline]\r\n"));

  // Hand-edit two settings; the program must read them and write them back.
  text.replace("LMsize=3\r\n", "LMsize=7\r\n");
  text.replace("DecimalChar=.\r\n", "DecimalChar=,\r\n");
  text.replace("Cursor=1\r\n", "Cursor=0\r\n");
  {
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
  }
  const TRun second = RunProgram(data.path(), QString(MORVEX_BINARY_DIR) + "/e2e-shell-2.png");
  ASSERT_TRUE(second.Finished);
  EXPECT_EQ(second.ExitCode, 0) << second.Errors.toStdString();
  const QString after = ReadText(ini);
  EXPECT_TRUE(after.contains("LMsize=7\r\n")) << after.toStdString();
  EXPECT_TRUE(after.contains("DecimalChar=,\r\n"));
  EXPECT_TRUE(after.contains("Cursor=1\r\n"));
}

}  // namespace
