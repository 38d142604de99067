// Saving, appending and clearing from the real main window; files are written and read back.

#include "formats/Reader.h"
#include "model/TextFile.h"
#include "model/TextOutFile.h"
#include "workspace/DigitizeFixture.h"

namespace {

class TSave : public TDigitizeFixture {
 protected:
  void TearDown() override {
    SetFileWriteHook(nullptr);
    TDigitizeFixture::TearDown();
  }
  static TdataList ReadBack(const std::string& path) {
    TdataList list;
    TTextFile f = TTextFile::Open(path);
    TSpecimen* s = nullptr;
    EXPECT_TRUE(ReadLandmarkFile(f, s, list, false));
    return list;
  }
  void Save(const std::string& path) {
    FDialogs->QueueFile(path);
    W->SaveMenuClick();
  }
  // Moves landmark 1 of the specimen on screen, as a drag would.
  void Nudge() {
    const int h = Markers()[0];
    Layer().MoveObj(h, 1, 0);
    W->lmkPMimageObjectMoveResize(h, -1, 1, 0);
    W->lmkPMimageMouseDown(Qt::NoButton, {}, -100, -100);  // the press tail sets DataChanged
  }
};

TEST_F(TSave, SaveWritesEverySpecimenAndAppendGivesThemTwice) {
  Open(CopyExamples());
  Nudge();
  const std::string out = File("out.lmk");
  Save(out);
  EXPECT_FALSE(DataChanged);
  EXPECT_FALSE(SpecimenChanged);
  EXPECT_EQ(SaveFileName, "out.lmk");
  EXPECT_EQ(W->windowTitle().toStdString(), CaptionPrefix + "specimens.lmk");
  EXPECT_EQ(FDialogs->LastFileOptions().Title, "Save data");
  EXPECT_EQ(FDialogs->LastFileOptions().DefaultExt, "LMK");
  TdataList once = ReadBack(out);
  ASSERT_EQ(once.Count(), 3);
  EXPECT_NEAR(once.Items(0)->GetXY(1).x, 315, 0.5);
  EXPECT_EQ(once.Items(1)->GetXY(4), (Tcoords{-1, -1}));
  ASSERT_TRUE(once.Items(0)->OutlineList());
  EXPECT_EQ(once.Items(0)->OutlineList()->Items(0)->n(), 448u);
  EXPECT_EQ(once.Items(0)->nCurves(), 1u);
  EXPECT_EQ(once.Items(0)->ImageFn(), "specimen1.png");

  FDialogs->QueueFile(out);
  FDialogs->QueueFileExists(TFileExistsChoice::Append);
  W->SaveMenuClick();
  TdataList twice = ReadBack(out);
  ASSERT_EQ(twice.Count(), 6);
  EXPECT_EQ(twice.Items(3)->ID(), once.Items(0)->ID());

  FDialogs->QueueFile(out);
  FDialogs->QueueFileExists(TFileExistsChoice::Overwrite);
  W->SaveMenuClick();
  EXPECT_EQ(ReadBack(out).Count(), 3);

  const std::string before = Slurp(out);
  FDialogs->QueueFile(out);
  FDialogs->QueueFileExists(TFileExistsChoice::Cancel);
  Nudge();
  W->SaveMenuClick();
  EXPECT_EQ(Slurp(out), before);
  EXPECT_TRUE(DataChanged);
}

TEST_F(TSave, SaveAsChoosesTheFormatByExtension) {
  Open(CopyExamples());
  FDialogs->QueueFile(File("m.mxt"));
  W->SaveDataAsMenuClick();
  const std::string mxt = Slurp(File("m.mxt"));
  EXPECT_FALSE(mxt.empty());
  EXPECT_EQ(FDialogs->LastFileOptions().Filter, "LMK files (*.LMK)|*.LMK|MXT files (*.MXT)|*.MXT");
  FDialogs->QueueFile(File("x.txt"));
  EXPECT_EQ(MessageOf([&] { W->SaveDataAsMenuClick(); }),
            "Only file types LMK and MXT are supported");
  EXPECT_FALSE(std::filesystem::exists(File("x.txt")));
  FDialogs->QueueFile(File("again.lmk"));
  W->SaveDataAsMenuClick();
  EXPECT_EQ(ReadBack(File("again.lmk")).Count(), 3);
}

TEST_F(TSave, MxtIsRefusedWithoutLandmarksOnScreen) {
  Open(MakeImage("empty.png", 50, 50));
  FDialogs->QueueFile(File("none.mxt"));
  EXPECT_EQ(MessageOf([&] { W->SaveDataAsMenuClick(); }), "No landmarks, nothing to save.");
  EXPECT_FALSE(std::filesystem::exists(File("none.mxt")));
}

TEST_F(TSave, AFailedWriteLeavesTheOldFileWholeAndTheChangesMarked) {
  Open(CopyExamples());
  const std::string out = File("keep.lmk");
  Put(out, "LM=1\r\n1 2\r\n");
  Nudge();
  SetFileWriteHook([](int, const char*, std::size_t) -> long {
    errno = ENOSPC;
    return -1;
  });
  FDialogs->QueueFile(out);
  FDialogs->QueueFileExists(TFileExistsChoice::Overwrite);
  EXPECT_THROW(W->SaveMenuClick(), EInOutError);
  EXPECT_EQ(Slurp(out), "LM=1\r\n1 2\r\n");
  EXPECT_TRUE(DataChanged);
  FDialogs->QueueFile(out);
  FDialogs->QueueFileExists(TFileExistsChoice::Append);
  EXPECT_THROW(W->SaveMenuClick(), EInOutError);
  EXPECT_EQ(Slurp(out), "LM=1\r\n1 2\r\n");
  SetFileWriteHook(nullptr);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(FFiles.path().toStdString()))
    files += e.path().filename().string().find(".tmp") != std::string::npos;
  EXPECT_EQ(files, 0) << "no temporary file is left behind";
}

TEST_F(TSave, IncludeImagePathWritesTheFolderInFrontAndTheSpecimenKeepsIt) {
  Open(CopyExamples());
  W->IncludeimagepathMenu->setChecked(true);
  Nudge();
  Save(File("paths.lmk"));
  EXPECT_EQ(ReadBack(File("paths.lmk")).Items(2)->ImageFn(), File("specimen3.png"));
  EXPECT_EQ(Spec(3).ImageFn(), File("specimen3.png"));
  W->IncludeimagepathMenu->setChecked(false);
  Save(File("bare.lmk"));
  EXPECT_EQ(ReadBack(File("bare.lmk")).Items(2)->ImageFn(), "specimen3.png");
}

TEST_F(TSave, AppendingAFileAddsItsSpecimensAndKeepsTheScreen) {
  Open(CopyExamples());
  std::filesystem::copy_file(File("specimens.lmk"), File("more.lmk"));
  FDialogs->QueueFile(File("more.lmk"));
  W->AppendfileMenuClick();
  EXPECT_EQ(DataList->Count(), 6);
  EXPECT_EQ(nSpecimens, 6);
  EXPECT_TRUE(DataChanged);
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_EQ(ActiveSpecimen, &Spec(1));
  FDialogs->QueueNumber(6);
  W->GotoMenuClick();
  EXPECT_EQ(FDialogs->Records().back().Caption, "Go to specimen (1 to 6)");
  EXPECT_EQ(ActiveSpecimen->ID(), "leaf-03 ");

  // A file that does not read keeps every specimen that was open.
  Put(File("broken.lmk"), "LM=2\r\n1 2\r\n");
  FDialogs->QueueNo();  // no save first
  FDialogs->QueueFile(File("broken.lmk"));
  W->AppendfileMenuClick();
  EXPECT_EQ(DataList->Count(), 6);
  EXPECT_EQ(ActiveSpecimen, &Spec(6));
  FDialogs->QueueNo();
  FDialogs->QueueFile(File("m.txt"));
  EXPECT_EQ(MessageOf([&] { W->AppendfileMenuClick(); }), "Only LMK files can be appended.");
  EXPECT_EQ(DataList->Count(), 6);
}

TEST_F(TSave, ClearDataKeepsImageNamesAndIds) {
  Open(CopyExamples());
  W->RightSBClick();
  FDialogs->QueueNo();
  W->ClearfileMenuClick();
  EXPECT_EQ(Spec(1).nLM(), 4u);
  FDialogs->QueueYes();
  W->ClearfileMenuClick();
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Spec(i).nLM(), 0u);
    EXPECT_EQ(Spec(i).nCurves(), 0u);
    EXPECT_EQ(Spec(i).OutlineList(), nullptr);
    EXPECT_EQ(Spec(i).ImageFn(), "specimen" + std::to_string(i) + ".png");
    EXPECT_EQ(Spec(i).ID(), "leaf-0" + std::to_string(i) + " ");
  }
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_EQ(nLM, 0);
  EXPECT_EQ(Layer().ObjectsCount(), 0);
  EXPECT_EQ(Text(W->FileNamePanel), "   1: specimen1.png");
  EXPECT_FALSE(DataChanged);
  // The cleared specimens have no scale; specimen 1 takes the one the file ended with.
  EXPECT_DOUBLE_EQ(Scale, 0.05);
  EXPECT_EQ(Text(W->ScalePanel), "");
}

TEST_F(TSave, QuitAsksOnlyWhenSomethingChanged) {
  Open(CopyExamples());
  EXPECT_TRUE(W->FormCloseQuery());
  EXPECT_TRUE(FDialogs->Records().size() == 1);
  Nudge();
  FDialogs->QueueNo();
  EXPECT_FALSE(W->FormCloseQuery());
  EXPECT_EQ(FDialogs->Records().back().Text, "Information not saved,\nQuit anyway?");
  FDialogs->QueueYes();
  EXPECT_TRUE(W->FormCloseQuery());
}

TEST_F(TSave, OpeningAnotherFileOffersToSaveChangedData) {
  Open(CopyExamples());
  Nudge();
  FDialogs->QueueYes();  // save first
  FDialogs->QueueFile(File("first.lmk"));
  FDialogs->QueueFile(File("specimens.lmk"));
  W->OpenfileMenuClick();
  EXPECT_TRUE(FDialogs->Shown("Data changed,\nsave to file?"));
  EXPECT_NEAR(ReadBack(File("first.lmk")).Items(0)->GetXY(1).x, 315, 0.5);
  EXPECT_FALSE(DataChanged);
}

}  // namespace

namespace {

TEST_F(TSave, SaveJustOutlinesWritesTheOutlinesAlone) {
  Open(CopyExamples());
  FDialogs->QueueFile(File("outlines.txt"));
  W->SavejustoutlinesMenuClick();
  EXPECT_EQ(FDialogs->LastFileOptions().Title, "Save just outlines");
  EXPECT_FALSE(Slurp(File("outlines.txt")).empty());
  EXPECT_NE(ListingText().find("Outlines saved to file " + File("outlines.txt")),
            std::string::npos);
  FDialogs->QueueFile(File("outlines.lmk"));
  EXPECT_EQ(MessageOf([&] { W->SavejustoutlinesMenuClick(); }),
            "Cannot save just outlines to LMK files.");
  EXPECT_FALSE(std::filesystem::exists(File("outlines.lmk")));
}

}  // namespace

#include <QTimer>

namespace {

TEST_F(TSave, WhileSavingOtherCommandsWait) {
  std::string big;
  for (int k = 0; k < 3000; ++k) big += "LM=2\r\n1 2\r\n3 4\r\n";
  Put(File("big.lmk"), big);
  Open(File("big.lmk"));
  ASSERT_EQ(DataList->Count(), 3000);
  bool busySeen = false;
  QTimer::singleShot(0, W.get(), [&] {
    busySeen = W->Busy();
    // Nothing is queued for these: re-entering would ask the scripted dialogs and fail.
    W->SaveMenuClick();
    W->AppendfileMenuClick();
    W->DeletecurrentspecimenMenuClick();
    W->RightSBClick();
    // Clicks on the view are held off too.
    W->SetMode(DigitizeLMmode);
    Click(5, 5);
  });
  Save(File("big-out.lmk"));
  EXPECT_EQ(nLM, 2);
  EXPECT_TRUE(busySeen);
  EXPECT_FALSE(W->Busy());
  EXPECT_EQ(ReadBack(File("big-out.lmk")).Count(), 3000);
  EXPECT_EQ(DataList->Count(), 3000);
  EXPECT_EQ(CurrentSpecimen, 1);
}

}  // namespace
