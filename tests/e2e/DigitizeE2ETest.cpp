// The real program under a virtual X server, driven by real pointer and key events: it opens
// the example data named on its command line, takes two clicked landmarks, saves through the
// save dialog and quits. The saved file is read back.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>

#include "common/TestFiles.h"
#include "formats/Reader.h"
#include "gtest/gtest.h"
#include "model/TextFile.h"

namespace {

TEST(DigitizeE2E, ClickedLandmarksAreSavedToTheChosenFile) {
  for (const char* tool : {"xvfb-run", "xdotool"})
    if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " missing";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::filesystem::path d = dir.path().toStdString();
  for (const char* f : {"specimens.lmk", "specimen1.png", "specimen2.png", "specimen3.png"})
    std::filesystem::copy_file(std::filesystem::path(MORVEX_EXAMPLES_DIR) / f, d / f);
  // At 100 % the clicks fall where the script expects the image.
  std::filesystem::create_directories(d / "data/lmk");
  Put(d / "data/lmk/Morvex2.ini", "[Options]\r\nFitImage=False\r\n");
  const std::string out = (d / "digitized.lmk").string();
  const QString shot = QString(MORVEX_BINARY_DIR) + "/e2e-digitize.png";
  QFile::remove(shot);

  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_DATA_HOME", QString::fromStdString((d / "data").string()));
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.remove("QT_QPA_PLATFORMTHEME");
  env.insert("MORVEX_SCREENSHOT_AT_EXIT", shot);
  p.setProcessEnvironment(env);
  p.start("xvfb-run",
          {"-a", "-s", "-screen 0 1280x1024x24", "bash", E2E_SCRIPT, MORVEX2_EXE,
           QString::fromStdString((d / "specimens.lmk").string()), QString::fromStdString(out)});
  ASSERT_TRUE(p.waitForFinished(150000));
  const std::string errors = p.readAllStandardError().toStdString();
  ASSERT_EQ(p.exitCode(), 0) << errors;

  ASSERT_TRUE(std::filesystem::exists(out)) << errors;
  TdataList list;
  TTextFile f = TTextFile::Open(out);
  TSpecimen* s = nullptr;
  ASSERT_TRUE(ReadLandmarkFile(f, s, list, false));
  ASSERT_EQ(list.Count(), 3);
  const TSpecimen& first = *list.Items(0);
  ASSERT_EQ(first.nLM(), 6u);
  EXPECT_NEAR(first.GetXY(1).x, 314, 0.01);
  EXPECT_NEAR(first.GetXY(1).y, 164, 0.01);
  const Tcoords a = first.GetXY(5), b = first.GetXY(6);
  // 20 pixels right and 20 down on screen: y grows upwards in the data.
  EXPECT_EQ(b.x - a.x, 20);
  EXPECT_EQ(b.y - a.y, -20);
  EXPECT_GT(a.x, 200);
  EXPECT_LT(a.x, 400);
  EXPECT_GT(a.y, 150);
  EXPECT_LT(a.y, 300);
  EXPECT_EQ(list.Items(1)->GetXY(4), (Tcoords{-1, -1}));
  ASSERT_TRUE(first.OutlineList());
  EXPECT_EQ(first.OutlineList()->Items(0)->n(), 448u);
  const QImage img(shot);
  EXPECT_FALSE(img.isNull()) << "no screenshot at exit";
}

}  // namespace
