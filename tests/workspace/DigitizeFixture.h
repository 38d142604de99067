#pragma once
// The real main window on the offscreen platform, with files in a folder of the test's own,
// driven by mouse events on the image view and by its handlers.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "common/TestFiles.h"
#include "digitize/ObjectLayer.h"
#include "imaging/ImageView.h"
#include "workspace/ShellFixture.h"

class TDigitizeFixture : public TShellFixture {
 protected:
  void SetUp() override {
    TShellFixture::SetUp();
    ASSERT_TRUE(FFiles.isValid());
    InstallCoreDialogHooks();  // the reader's own messages reach the scripted dialogs
    W = Start();
    W->FitToWindowMnu->setChecked(false);
    W->resize(1000, 760);
    W->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(W.get()));
  }
  void TearDown() override {
    FDialogs->Clear();
    // Nothing to ask about when the test window goes.
    DataChanged = SpecimenChanged = false;
    if (W) Stop(W);
    TShellFixture::TearDown();
  }

  std::string File(const std::string& name) const {
    return FFiles.filePath(QString::fromStdString(name)).toStdString();
  }

  // A grey image of the given size with a darker square, saved as PNG.
  std::string MakeImage(const std::string& name, int width, int height) const {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor(200, 200, 200));
    for (int y = height / 4; y < height / 2; ++y)
      for (int x = width / 4; x < width / 2; ++x) img.setPixel(x, y, qRgb(10, 120, 250));
    const std::string path = File(name);
    EXPECT_TRUE(img.save(QString::fromStdString(path)));
    return path;
  }
  // The example data copied here, so that saving never touches the examples.
  std::string CopyExamples() const {
    for (const char* f : {"specimens.lmk", "specimen1.png", "specimen2.png", "specimen3.png"})
      std::filesystem::copy_file(std::filesystem::path(MORVEX_EXAMPLES_DIR) / f, File(f),
                                 std::filesystem::copy_options::overwrite_existing);
    return File("specimens.lmk");
  }
  void Open(const std::string& path) {
    FDialogs->QueueFile(path);
    W->OpenfileMenuClick();
  }

  TImageView& View() { return *W->lmkPMimage; }
  TVectorLayer& Layer() { return W->lmkPMimage->Layer(); }
  QPoint Scr(int x, int y) { return {View().XBmp2Scr(x), View().YBmp2Scr(y)}; }
  void Click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(View().viewport(), b, {}, Scr(x, y));
  }
  // A move that is always delivered: QTest drops one to where the pointer already is.
  void Move(int x, int y) {
    QTest::mouseMove(View().viewport(), QPoint(0, 0));
    QTest::mouseMove(View().viewport(), Scr(x, y));
  }

  // Markers in drawing order.
  std::vector<int> Markers() {
    std::vector<int> m;
    for (int k = 0; k < Layer().ObjectsCount(); ++k)
      if (Layer().ObjID(Layer().GetObjFromIndex(k)) == idMarker)
        m.push_back(Layer().GetObjFromIndex(k));
    return m;
  }
  void Select(int h) {
    Layer().UnSelAllObjects();
    Layer().AddSelObject(h);
  }
  TSpecimen& Spec(int i) { return *DataList->Items(i - 1); }
  static std::string Text(QLabel* l) { return l->text().toStdString(); }

  QTemporaryDir FFiles;
  std::unique_ptr<TMorvexF> W;
};
