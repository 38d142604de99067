// Opening files and stepping between specimens in the real main window.

#include "workspace/DigitizeFixture.h"

namespace {

using TOpenStep = TDigitizeFixture;

std::string LandmarkFile(const std::vector<std::pair<int, std::string>>& specimens) {
  // Each entry: number of landmarks and the image line ("" for none).
  std::string s;
  int k = 0;
  for (const auto& [n, image] : specimens) {
    ++k;
    s += "LM=" + std::to_string(n) + "\r\n";
    for (int j = 1; j <= n; ++j)
      s += std::to_string(10 * j + k) + " " + std::to_string(5 * j + 20) + "\r\n";
    if (!image.empty()) s += "IMAGE=" + image + "\r\n";
    s += "ID=s" + std::to_string(k) + "\r\n";
  }
  return s;
}

TEST_F(TOpenStep, OpeningTheExampleShowsSpecimenOneWithItsObjectsAndPanels) {
  const std::string lmk = CopyExamples();
  Open(lmk);
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_EQ(Text(W->nSpecPanel), " n=3");
  EXPECT_EQ(Text(W->FileNamePanel), "   1: specimen1.png");
  EXPECT_EQ(Text(W->nLMPanel), " #LM=4");
  EXPECT_EQ(Text(W->ScalePanel), "S=0.0500");
  EXPECT_EQ(CurrentMode, EditMode);
  EXPECT_TRUE(W->EditModeSB->isChecked());
  EXPECT_EQ(nLM, 4);
  EXPECT_EQ(nCurves, 1);
  EXPECT_EQ(ImageWidth, 400);
  EXPECT_EQ(ImageHeight, 300);
  // Markers, labels, the curve and the chain outline, in that order.
  std::vector<int> ids;
  for (int k = 0; k < Layer().ObjectsCount(); ++k)
    ids.push_back(Layer().ObjID(Layer().GetObjFromIndex(k)));
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2, 3, 5}));
  // Landmark 1 (314, 164) sits at bitmap row 300 - 164.
  EXPECT_EQ(MarkerCentre(Layer(), Markers()[0]), (TIEPoint{314, 136}));
  ASSERT_TRUE(OutlineList);
  EXPECT_EQ(OutlineList->Count(), 1);
  EXPECT_EQ(OutlineList->Items(0)->hObj(), Layer().GetObjFromIndex(9));
  EXPECT_TRUE(W->RightSB->isEnabled());
  EXPECT_FALSE(W->LeftSB->isEnabled());
  EXPECT_TRUE(W->GotoMenu->isEnabled());
  EXPECT_TRUE(W->SavejustoutlinesMenu->isEnabled());
  EXPECT_NE(ListingText().find("Input file: " + lmk), std::string::npos);
  EXPECT_NE(ListingText().find("Specimen no. 1"), std::string::npos);
  EXPECT_EQ(W->windowTitle().toStdString(), CaptionPrefix + "specimens.lmk");
  EXPECT_FALSE(DataChanged);
  EXPECT_FALSE(SpecimenChanged);
  EXPECT_TRUE(FDialogs->Records().size() == 1) << "only the open dialog was shown";
  const std::string filter = FDialogs->LastFileOptions().Filter;
  EXPECT_EQ(filter.rfind("LMK files (LMK)|*.lmk|All graphics|", 0), 0u) << filter;
  EXPECT_NE(filter.find("|JPEG2000 (*.jp2)|*.jp2|"), std::string::npos) << filter;
  EXPECT_TRUE(filter.ends_with("|Video for Windows (AVI)|*.avi")) << filter;
  // Clicking the landmark-count panel sends it to the listing.
  QTest::mouseClick(W->nLMPanel, Qt::LeftButton);
  EXPECT_NE(ListingText().rfind(" #LM=4"), std::string::npos);
}

TEST_F(TOpenStep, MissingFileAndBrokenFileAreReportedAndLeaveNothingToStoreInto) {
  EXPECT_EQ(MessageOf([&] { W->OpenDataFile(File("nope.lmk"), false); }),
            "File: " + File("nope.lmk") + "\ndoes not exist!");
  Open(CopyExamples());
  ASSERT_GT(Layer().ObjectsCount(), 0);
  Put(File("bad.lmk"), "LM=2\r\n1 2\r\nx y\r\n");
  Open(File("bad.lmk"));
  EXPECT_TRUE(FDialogs->Shown("not a valid floating point value"));
  EXPECT_EQ(ActiveSpecimen, nullptr);
  EXPECT_EQ(Layer().ObjectsCount(), 0);
  EXPECT_FALSE(W->PutSpecimen(CurrentSpecimen));
}

TEST_F(TOpenStep, MissingLandmarkStaysMissingThroughNextAndPrevious) {
  Open(CopyExamples());
  W->RightSBClick();
  ASSERT_EQ(CurrentSpecimen, 2);
  const std::vector<int> m = Markers();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_TRUE(IsMissingMarker(Layer(), m[3]));
  EXPECT_EQ(MarkerCentre(Layer(), m[3]).x, 0 + (LMsize + 1) / 2);  // drawn in the corner
  // Change the specimen so that every step stores it back.
  Layer().MoveObj(m[0], 5, 0);
  W->lmkPMimageObjectMoveResize(m[0], -1, 5, 0);
  W->RightSBClick();
  W->LeftSBClick();
  EXPECT_EQ(Spec(2).GetXY(4), (Tcoords{-1, -1}));
  EXPECT_TRUE(IsMissingMarker(Layer(), Markers()[3]));
  SpecimenChanged = true;
  W->LeftSBClick();
  W->RightSBClick();
  EXPECT_EQ(Spec(2).GetXY(4), (Tcoords{-1, -1}));
  EXPECT_NEAR(Spec(2).GetXY(1).x, 309 + 5, 1);
  EXPECT_EQ(CurrentMode, EditMode);
}

TEST_F(TOpenStep, NextAtTheLastSpecimenOnlyLogsAndGoToStaysInRange) {
  Open(CopyExamples());
  W->RightSBClick();
  W->RightSBClick();
  ASSERT_EQ(CurrentSpecimen, 3);
  EXPECT_FALSE(W->RightSB->isEnabled());
  const auto count = [&] {
    const std::string t = ListingText();
    int n = 0;
    for (std::size_t p = t.find("Specimen no. 3"); p != std::string::npos;
         p = t.find("Specimen no. 3", p + 1))
      ++n;
    return n;
  };
  const int before = count();
  W->RightSBClick();
  EXPECT_EQ(CurrentSpecimen, 3);
  EXPECT_EQ(count(), before + 1);

  FDialogs->QueueNumber(99);  // beyond the count: the same specimen again
  W->GotoMenuClick();
  EXPECT_EQ(CurrentSpecimen, 3);
  EXPECT_EQ(FDialogs->Records().back().Caption, "Go to specimen (1 to 3)");
  EXPECT_EQ(FDialogs->Records().back().Text, "Go to specimen number:");
  FDialogs->QueueNumber(1);
  W->GotoMenuClick();
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_FALSE(W->LeftSB->isEnabled());
  EXPECT_TRUE(W->RightSB->isEnabled());
  EXPECT_EQ(Text(W->FileNamePanel), "   1: specimen1.png");
}

TEST_F(TOpenStep, DeletingSpecimens) {
  Open(CopyExamples());
  W->RightSBClick();
  W->RightSBClick();
  W->DeletecurrentspecimenMenuClick();  // the last one: the one before it shows
  EXPECT_EQ(DataList->Count(), 2);
  EXPECT_EQ(CurrentSpecimen, 2);
  EXPECT_EQ(ActiveSpecimen->ID(), "leaf-02 ");
  W->DeletecurrentspecimenMenuClick();
  EXPECT_EQ(DataList->Count(), 1);
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_FALSE(W->LeftSB->isEnabled());
  W->DeletecurrentspecimenMenuClick();  // the only one stays
  EXPECT_EQ(DataList->Count(), 1);
  EXPECT_EQ(ActiveSpecimen->ID(), "leaf-01 ");
}

TEST_F(TOpenStep, ScaleCarriesForwardToUnscaledSpecimensButNotBack) {
  const std::string img = MakeImage("a.png", 120, 100);
  Put(File("five.lmk"),
      LandmarkFile({{2, "a.png"}, {2, "a.png"}, {2, "a.png"}, {2, "a.png"}, {2, "a.png"}}));
  Open(File("five.lmk"));
  W->RightSBClick();
  W->RightSBClick();
  ASSERT_EQ(CurrentSpecimen, 3);
  // What the scale tool does on specimen 3.
  ScaleList[2] = 0.25;
  Scale = 0.25;
  SpecimenChanged = true;
  W->RightSBClick();
  EXPECT_DOUBLE_EQ(Spec(4).scale(), 0.25);
  EXPECT_EQ(Text(W->ScalePanel), "S=0.2500");
  W->RightSBClick();
  EXPECT_DOUBLE_EQ(Spec(5).scale(), 0.25);
  FDialogs->QueueNumber(2);
  W->GotoMenuClick();
  EXPECT_DOUBLE_EQ(Spec(2).scale(), 0);
  EXPECT_EQ(Text(W->ScalePanel), "");
  EXPECT_DOUBLE_EQ(Scale, 1);
}

TEST_F(TOpenStep, DifferentLandmarkCountWarnsOnceGoingForward) {
  MakeImage("a.png", 200, 200);
  Put(File("w.lmk"), LandmarkFile({{10, "a.png"}, {12, "a.png"}}));
  Open(File("w.lmk"));
  EXPECT_FALSE(FDialogs->Shown("Number of landmarks"));
  W->RightSBClick();
  EXPECT_TRUE(
      FDialogs->Shown("Number of landmarks (12)\nnot the same as in previous specimen (10)."));
  FDialogs->Clear();
  W->LeftSBClick();
  EXPECT_FALSE(FDialogs->Shown("Number of landmarks"));
}

TEST_F(TOpenStep, LandmarksOutsideTheImageAreConstrainedWithOneWarning) {
  MakeImage("a.png", 100, 80);
  Put(File("c.lmk"), "LM=3\r\n150 10\r\n-4 90\r\n-1 -1\r\nIMAGE=a.png\r\n");
  Open(File("c.lmk"));
  EXPECT_TRUE(FDialogs->Shown(
      "Landmarks were constrained to be within image.\nPoints displayed at margins of image."));
  EXPECT_EQ(Spec(1).GetXY(1), (Tcoords{100.0 - LMsize, 10}));
  EXPECT_EQ(Spec(1).GetXY(2), (Tcoords{double(LMsize), 80.0 - LMsize}));
  EXPECT_EQ(Spec(1).GetXY(3), (Tcoords{-1, -1}));
}

TEST_F(TOpenStep, ImageWithAWindowsPathIsFoundBesideTheDataFile) {
  MakeImage("leaf.png", 90, 60);
  Put(File("win.lmk"), "LM=1\r\n10 10\r\nIMAGE=C:\\pics\\leaf.png\r\n");
  Open(File("win.lmk"));
  EXPECT_FALSE(FDialogs->Shown("Image file not found"));
  EXPECT_EQ(ImageWidth, 90);
  EXPECT_FALSE(View().IsEmpty());
  EXPECT_TRUE(W->IncludeimagepathMenu->isChecked());

  Put(File("lost.lmk"), "LM=1\r\n10 10\r\nIMAGE=gone.png\r\n");
  Open(File("lost.lmk"));
  EXPECT_TRUE(FDialogs->Shown("Image file not found: " + File("gone.png")));
}

TEST_F(TOpenStep, SpecimensWithoutImagesShowOnABlankSizedToTheirLandmarks) {
  Put(File("noimg.lmk"), "LM=2\r\n100 50\r\n200 150\r\nLM=1\r\n10 20\r\n");
  Open(File("noimg.lmk"));
  EXPECT_EQ(Text(W->FileNamePanel), " Specimen:   1");
  EXPECT_TRUE(View().IsEmpty());
  EXPECT_EQ(ImageWidth, 200);
  EXPECT_EQ(ImageHeight, 150);
  EXPECT_EQ(View().Maths().BitmapWidth(), 240);
  EXPECT_EQ(View().Maths().BitmapHeight(), 180);
  EXPECT_EQ(MarkerCentre(Layer(), Markers()[1]), (TIEPoint{200, 0}));
}

TEST_F(TOpenStep, TemplateModeCarriesLandmarksToASpecimenWithoutData) {
  MakeImage("a.png", 200, 200);
  Put(File("t.lmk"), LandmarkFile({{3, "a.png"}, {0, "a.png"}, {2, "a.png"}}));
  Open(File("t.lmk"));
  W->TemplateMenu->setChecked(true);
  W->TemplateMenuClick();
  EXPECT_EQ(Text(W->TemplatePanel), " T");
  W->RightSBClick();
  ASSERT_EQ(CurrentSpecimen, 2);
  EXPECT_EQ(nLM, 3);
  EXPECT_TRUE(TemplateActive);
  EXPECT_EQ(Text(W->TemplatePanel), " T0");
  // Passing over one marker takes the whole configuration along.
  const std::vector<int> m = Markers();
  W->lmkPMimageObjectOver(m[1]);
  EXPECT_EQ(Layer().SelObjectsCount(), 6);
  W->lmkPMimageMouseUp(Qt::LeftButton, {}, 0, 0);
  EXPECT_EQ(TemplateFirstObj, m[1]);
  W->lmkPMimageObjectOver(m[2]);
  EXPECT_EQ(Layer().SelObjectsCount(), 1);
  SpecimenChanged = true;
  ASSERT_TRUE(W->PutSpecimen(2));
  EXPECT_EQ(Spec(2).nLM(), 3u);
  EXPECT_EQ(Spec(2).GetXY(2), Spec(1).GetXY(2));
  // A specimen with data of its own switches template mode off, and shows only its own.
  W->TemplateMenu->setChecked(true);
  FDialogs->QueueNumber(3);
  W->GotoMenuClick();
  EXPECT_FALSE(W->TemplateMenu->isChecked());
  EXPECT_EQ(nLM, 2);
  EXPECT_EQ(Markers().size(), 2u);
  SpecimenChanged = true;
  ASSERT_TRUE(W->PutSpecimen(3));
  EXPECT_EQ(Spec(3).nLM(), 2u);
}

TEST_F(TOpenStep, EditingAThreeDimensionalSpecimenKeepsItsDepth) {
  Put(File("3d.lmk"), "LM3=2\r\n10 20 3.5\r\n40 50 -7\r\n");
  Open(File("3d.lmk"));
  ASSERT_EQ(nLM, 2);
  const int h = Markers()[1];
  Layer().MoveObj(h, 2, 0);
  W->lmkPMimageObjectMoveResize(h, -1, 2, 0);
  ASSERT_TRUE(W->PutSpecimen(1));
  ASSERT_EQ(Spec(1).nDims(), 3u);
  EXPECT_DOUBLE_EQ(Spec(1).getXY3(1, 3), 3.5);
  EXPECT_DOUBLE_EQ(Spec(1).getXY3(2, 3), -7);
  EXPECT_DOUBLE_EQ(Spec(1).getXY3(2, 1), 42);
  EXPECT_DOUBLE_EQ(Spec(1).getXY3(2, 2), 50);
}

TEST_F(TOpenStep, OpeningASingleImageMakesOneSpecimen) {
  const std::string img = MakeImage("one.png", 64, 48);
  Open(img);
  EXPECT_EQ(DataList->Count(), 1);
  EXPECT_EQ(Spec(1).ImageFn(), "one.png");
  EXPECT_EQ(ImageHeight, 48);
  EXPECT_FALSE(W->RightSB->isEnabled());
  EXPECT_EQ(Text(W->FileNamePanel), "   1: one.png");
  EXPECT_TRUE(SaveFileName.empty());
}

TEST_F(TOpenStep, UndoAndRedoItemsFollowTheImageProcessor) {
  Open(MakeImage("u.png", 40, 30));
  EXPECT_FALSE(W->UndoMenu->isEnabled());
  EXPECT_EQ(W->UndoMenu->text().toStdString(), "&Undo ");
  View().Proc().SaveUndoCaptioned("Negative");
  View().Proc().SaveRedoCaptioned("Flip");
  W->UpdateMenu();
  EXPECT_TRUE(W->UndoMenu->isEnabled());
  EXPECT_EQ(W->UndoMenu->text().toStdString(), "&Undo Negative");
  EXPECT_EQ(W->RedoMenu->text().toStdString(), "&Redo Flip");
  // Showing a specimen starts its image with empty lists.
  W->LoadSpecimen(1);
  EXPECT_FALSE(W->UndoMenu->isEnabled());
  EXPECT_FALSE(W->RedoMenu->isEnabled());
}

TEST_F(TOpenStep, AVideoFileSaysVideoInputIsNotAvailable) {
  Put(File("clip.mov"), "not a video");
  Open(File("clip.mov"));
  EXPECT_TRUE(FDialogs->Shown("Video input is not available yet"));
  EXPECT_EQ(SourceKind, 0);
}

TEST_F(TOpenStep, KeysStepOnlyWhileTheButtonIsEnabled) {
  Open(CopyExamples());
  QTest::keyClick(View().viewport(), Qt::Key_Right);
  EXPECT_EQ(CurrentSpecimen, 2);
  QTest::keyClick(View().viewport(), Qt::Key_Space);
  EXPECT_EQ(CurrentSpecimen, 3);
  EXPECT_FALSE(W->FormKeyDown(Qt::Key_N, Qt::AltModifier));  // last: not consumed
  EXPECT_TRUE(W->FormKeyDown(Qt::Key_P, Qt::AltModifier));
  EXPECT_EQ(CurrentSpecimen, 2);
  QTest::keyClick(View().viewport(), Qt::Key_Left);
  EXPECT_EQ(CurrentSpecimen, 1);
  EXPECT_FALSE(W->FormKeyDown(Qt::Key_Left, {}));
}

TEST_F(TOpenStep, NextWithoutAFileMakesNewBlankSpecimens) {
  W->RightSBClick();
  W->RightSBClick();
  EXPECT_EQ(DataList->Count(), 2);
  EXPECT_EQ(CurrentSpecimen, 2);
  EXPECT_TRUE(DataChanged);
  EXPECT_TRUE(W->LeftSB->isEnabled());
  W->SetMode(DigitizeLMmode);
  Click(30, 40);
  EXPECT_EQ(nLM, 1);
  W->LeftSBClick();
  EXPECT_EQ(Spec(2).nLM(), 1u);
  EXPECT_EQ(Spec(2).GetXY(1), (Tcoords{30, Spec(2).baseY() - 40}));
  EXPECT_GT(Spec(2).baseY(), 40);
}

}  // namespace

#include <QProgressDialog>
#include <QTimer>

namespace {

TEST_F(TOpenStep, WhileAFileIsReadOtherCommandsWaitAndProgressShows) {
  std::string big;
  for (int k = 0; k < 4000; ++k) big += "LM=2\r\n1 2\r\n3 4\r\nID=x" + std::to_string(k) + "\r\n";
  Put(File("big.lmk"), big);
  bool busySeen = false, progressSeen = false;
  QTimer::singleShot(0, W.get(), [&] {
    busySeen = W->Busy();
    progressSeen = W->findChild<QProgressDialog*>() != nullptr;
    // Nothing is queued for these: re-entering would ask the scripted dialogs and fail.
    W->OpenfileMenuClick();
    W->SaveMenuClick();
    W->RightSBClick();
  });
  Open(File("big.lmk"));
  EXPECT_TRUE(busySeen);
  EXPECT_TRUE(progressSeen);
  EXPECT_FALSE(W->Busy());
  EXPECT_EQ(W->findChild<QProgressDialog*>(), nullptr);
  EXPECT_EQ(DataList->Count(), 4000);
  EXPECT_EQ(CurrentSpecimen, 1);
}

}  // namespace
