// Modes, landmark digitizing and editing with the mouse and the edit menu.

#include "workspace/DigitizeFixture.h"

namespace {

class TLandmarks : public TDigitizeFixture {
 protected:
  // A 300 x 400 image on screen at 100 %, in digitizing mode.
  void OpenTall() {
    Open(MakeImage("tall.png", 300, 400));
    ASSERT_DOUBLE_EQ(View().Zoom(), 100);
    W->SetMode(DigitizeLMmode);
  }
  Tcoords Stored(int j) {
    SpecimenChanged = true;
    EXPECT_TRUE(W->PutSpecimen(CurrentSpecimen));
    return ActiveSpecimen->GetXY(std::uint32_t(j));
  }
};

struct TModeRow {
  Tmode Mode;
  const char* Button;  // the button set down, "" for all up
  const char* Status;
  TIEMouseInteractVt Vt;
  TIESelectionOptions Sel;
};

TEST_F(TLandmarks, EveryModeSetsItsButtonsStatusAndViewInteraction) {
  Open(CopyExamples());
  const TModeRow rows[] = {
      {DigitizeLMmode, "DigitizeLMmodeSB", "Mark landmarks", 0, 0},
      {EditMode, "EditModeSB", "   1: specimen1.png", miObjectSelect, iesoMoveable},
      {DrawCVmode, "DrawCVmodeSB", "Draw curve", miObjectSelect, 0},
      {OutlineMode, "OutlineSB", " Click start position", 0, 0},
      {PaintMode, "PaintModeSB", "Paint image", 0, 0},
      {ProfileMode, "", "Profile", 0, 0},
      {ScaleMode1, "", "Draw reference length", 0, 0},
      {MeasureMode1, "MeasureModeSB", "Draw reference length", miPutLine, 0},
      {AngleMode1, "AngleModeSB", "Draw reference length", miPutLine | miPutAngle,
       iesoSizeable | iesoMoveable},
  };
  W->SetMode(EditMode);
  for (const TModeRow& r : rows) {
    SCOPED_TRACE(r.Status);
    if (r.Mode == DrawCVmode) nCurvePoints = 7;
    W->SetMode(r.Mode);
    EXPECT_EQ(CurrentMode, r.Mode);
    EXPECT_EQ(Text(W->FileNamePanel), r.Status);
    EXPECT_EQ(View().MouseInteractVt(), r.Vt);
    EXPECT_EQ(View().SelectionOptions(), r.Sel);
    for (QToolButton* b : {W->DigitizeLMmodeSB, W->EditModeSB, W->DrawCVmodeSB, W->OutlineSB,
                           W->PaintModeSB, W->MeasureModeSB, W->AngleModeSB})
      EXPECT_EQ(b->isChecked(), b->objectName() == r.Button) << b->objectName().toStdString();
    if (r.Mode == DrawCVmode) {
      EXPECT_EQ(nCurvePoints, 0);
      EXPECT_EQ(Layer().ObjID(TVectorLayer::kTemplate), idCurve);
    }
  }
  EXPECT_TRUE(W->DigitizeLMModeMenu->isChecked() == false);
  // Edit twice adds its settings once; outline mode takes away only "moveable".
  View().SetSelectionOptions(iesoSizeable);
  W->SetMode(EditMode);
  W->SetMode(EditMode);
  EXPECT_EQ(View().SelectionOptions(), iesoSizeable | iesoMoveable);
  W->SetMode(OutlineMode);
  EXPECT_EQ(View().SelectionOptions(), iesoSizeable);
  EXPECT_TRUE(W->OutlineModeMenu->isChecked());
}

TEST_F(TLandmarks, ModeControlsThatNeedASpecimenDoNothingWithout) {
  W->SetMode(EditMode);
  for (QToolButton* b :
       {W->DrawCVmodeSB, W->OutlineSB, W->PaintModeSB, W->MeasureModeSB, W->AngleModeSB}) {
    b->click();
    EXPECT_EQ(CurrentMode, EditMode) << b->objectName().toStdString();
    EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
  }
  EXPECT_TRUE(W->EditModeSB->isChecked());
  W->DigitizeLMmodeSB->click();
  EXPECT_EQ(CurrentMode, DigitizeLMmode);
  EXPECT_TRUE(W->DigitizeLMModeMenu->isChecked());
  EXPECT_FALSE(W->EditModeMenu->isChecked());
}

TEST_F(TLandmarks, PaintWithoutABitmapEntersEditMode) {
  Put(File("n.lmk"), "LM=1\r\n5 5\r\n");
  Open(File("n.lmk"));
  W->PaintModeSB->click();
  EXPECT_EQ(CurrentMode, EditMode);
  Open(MakeImage("p.png", 20, 20));
  W->PaintModeSB->click();
  EXPECT_EQ(CurrentMode, PaintMode);
  Click(5, 5, Qt::RightButton);
  EXPECT_EQ(CurrentMode, EditMode);
}

TEST_F(TLandmarks, ClicksBecomeLandmarksWithTheYFlipAndOutsideClicksAreIgnored) {
  OpenTall();
  Click(50, 10);
  EXPECT_EQ(nLM, 1);
  EXPECT_EQ(Text(W->nLMPanel), " #LM=1");
  EXPECT_TRUE(SpecimenChanged);
  EXPECT_TRUE(DataChanged);
  EXPECT_EQ(W->windowTitle().toStdString(), CaptionPrefix + "*" + "tall.png");
  Click(0, 0);      // top row: y = 400
  Click(300, 399);  // one past the last column is still taken
  Click(301, 5);    // beyond: ignored
  Click(10, 401);
  EXPECT_EQ(nLM, 3);
  EXPECT_EQ(Stored(1), (Tcoords{50, 390}));
  EXPECT_EQ(Stored(2), (Tcoords{0, 400}));
  EXPECT_EQ(Stored(3), (Tcoords{300, 1}));
  // Labels follow the order of the clicks.
  const std::vector<int> m = Markers();
  EXPECT_EQ(Layer().ObjText(m[2] + 1), "3 ");
  Click(20, 20, Qt::RightButton);
  EXPECT_EQ(CurrentMode, EditMode);
}

TEST_F(TLandmarks, MouseWheelOptionSwitchesTheViewsWheelAction) {
  W->MousewheelzoomsMenu->setChecked(true);
  EXPECT_EQ(View().MouseWheelAction(), TIEMouseWheelAction::iemwZoom);
  W->MousewheelzoomsMenu->setChecked(false);
  EXPECT_EQ(View().MouseWheelAction(), TIEMouseWheelAction::iemwVScroll);
}

TEST_F(TLandmarks, BeepOptionDoesNotBreakDigitizing) {
  OpenTall();
  W->BeeponLMmnu->setChecked(true);
  Click(5, 5);
  EXPECT_EQ(nLM, 1);
}

TEST_F(TLandmarks, InsertBeforeLandmarkThreeOfFiveRenumbers) {
  OpenTall();
  for (int k = 1; k <= 5; ++k) Click(40 * k, 100);
  const std::vector<int> before = Markers();
  Select(before[2]);
  W->InsertlandmarkMenuClick();
  const std::vector<int> after = Markers();
  ASSERT_EQ(after.size(), 6u);
  EXPECT_EQ(nLM, 6);
  EXPECT_EQ(after[3], before[2]);
  // Its label goes with it, so every marker is still followed by its own label.
  for (int k = 0; k < 6; ++k) {
    const int i = Layer().IndexOfObj(after[k]);
    EXPECT_EQ(Layer().GetObjFromIndex(i + 1), after[k] + 1);
    EXPECT_EQ(Layer().ObjText(after[k] + 1), std::to_string(k + 1) + " ");
  }
  const double r = LMsize;
  EXPECT_EQ(Stored(3), (Tcoords{120 + r + r + 1, 400 - (100 - r - r)}));
  EXPECT_EQ(Stored(4), (Tcoords{120, 300}));
  EXPECT_EQ(Stored(6), (Tcoords{200, 300}));
  Select(after[0]);
  W->DeletelandmarkMenuClick();
  EXPECT_EQ(nLM, 5);
  EXPECT_EQ(Stored(1), (Tcoords{80, 300}));
}

TEST_F(TLandmarks, MarkMissingStoresMinusOneAndRestoreThenDragStoresThePlace) {
  OpenTall();
  Click(100, 100);
  Click(150, 120);
  const int h = Markers()[1];
  Select(h);
  W->MarkLMmissingMnuClick();
  EXPECT_TRUE(IsMissingMarker(Layer(), h));
  EXPECT_EQ(Layer().ObjWidth(h), LMsize + 1);
  EXPECT_EQ(Stored(2), (Tcoords{-1, -1}));
  // The marker stays where it was drawn, rebuild after rebuild.
  const int left = Layer().ObjLeft(h);
  W->UpdateObjects();
  W->UpdateObjects();
  EXPECT_EQ(Layer().ObjLeft(h), left);
  Select(h);
  W->RestoremissingLMMnuClick();
  EXPECT_FALSE(IsMissingMarker(Layer(), h));
  Layer().MoveObj(h, 10, 20);
  W->lmkPMimageObjectMoveResize(h, -1, 10, 20);
  const Tcoords p = Stored(2);
  EXPECT_NEAR(p.x, 150 + 10, 2);
  EXPECT_NEAR(p.y, 400 - 120 - 20, 2);
}

TEST_F(TLandmarks, MissingButtonAsksWhenConfirmingAndInsertsWithoutWhenNot) {
  OpenTall();
  Click(10, 10);
  FDialogs->Queue(false);  // Cancel
  W->MissingLMSB->click();
  EXPECT_EQ(nLM, 1);
  EXPECT_EQ(FDialogs->Records().back().Text, "Insert missing landmark?");
  EXPECT_EQ(FDialogs->Records().back().Caption, "Warning");
  EXPECT_EQ(CurrentMode, DigitizeLMmode);
  FDialogs->Queue(true);
  W->MissingLMSB->click();
  EXPECT_EQ(nLM, 2);
  EXPECT_EQ(Text(W->nLMPanel), " #LM=2");
  W->ConfirmmissingCB->setChecked(false);
  const std::size_t shown = FDialogs->Records().size();
  W->MissingLMSB->click();
  EXPECT_EQ(nLM, 3);
  EXPECT_EQ(FDialogs->Records().size(), shown);
  Click(40, 40);
  EXPECT_EQ(Stored(2), (Tcoords{-1, -1}));
  EXPECT_EQ(Stored(3), (Tcoords{-1, -1}));
  EXPECT_EQ(Stored(4), (Tcoords{40, 360}));
}

TEST_F(TLandmarks, EditMenuShowsTheItemsOfTheObjectUnderThePointer) {
  OpenTall();
  Click(100, 100);
  W->SetMode(EditMode);
  Move(100, 100);
  ASSERT_EQ(Layer().SelObjectsCount(), 1);
  Click(100, 100, Qt::RightButton);
  ASSERT_TRUE(W->EditPopupMenu->isVisible());
  EXPECT_TRUE(W->DeletelandmarkMenu->isVisible());
  EXPECT_TRUE(W->InsertlandmarkMenu->isVisible());
  EXPECT_TRUE(W->MarkLMmissingMnu->isEnabled());
  EXPECT_FALSE(W->RestoremissingLMMnu->isEnabled());
  EXPECT_FALSE(W->DeletecurveMenu->isVisible());
  EXPECT_FALSE(W->DeleteoutlineMenu->isVisible());
  EXPECT_FALSE(W->EditmodeMenu2->isVisible());
  W->EditPopupMenu->hide();
  W->MarkLMmissingMnu->trigger();
  EXPECT_EQ(Stored(1), (Tcoords{-1, -1}));
  EXPECT_EQ(CurrentMode, EditMode);

  // A curve: the point item only near a point, the lower index of equal ones.
  const int c = AddCurvePolyline(Layer(), {{200, 200}, {210, 200}, {190, 200}}, 12);
  Select(c);
  W->lmkPMimageMouseDown(Qt::RightButton, {}, Scr(200, 201).x(), Scr(200, 201).y());
  EXPECT_TRUE(W->DeletecurvepointMenu->isVisible());
  EXPECT_EQ(NearestPoint, 1);
  W->EditPopupMenu->hide();
  W->lmkPMimageMouseDown(Qt::RightButton, {}, Scr(200, 210).x(), Scr(200, 210).y());
  EXPECT_FALSE(W->DeletecurvepointMenu->isVisible());
  EXPECT_TRUE(W->DeletecurveMenu->isVisible());
  EXPECT_FALSE(W->DeletelandmarkMenu->isVisible());
  W->EditPopupMenu->hide();
  Layer().UnSelAllObjects();
  // Empty space toggles to digitizing, unless the option is off.
  W->ToggleEditLMmodesMenu->setChecked(false);
  Click(250, 380, Qt::RightButton);
  EXPECT_EQ(CurrentMode, EditMode);
  W->ToggleEditLMmodesMenu->setChecked(true);
  Click(250, 380, Qt::RightButton);
  EXPECT_EQ(CurrentMode, DigitizeLMmode);
}

TEST_F(TLandmarks, PointerReadoutGivesGreyOrHexColour) {
  OpenTall();
  Move(10, 390);
  EXPECT_EQ(Text(W->xyPanel), " 10, 10 =200");
  Move(80, 110);  // in the blue square
  EXPECT_EQ(Text(W->xyPanel), " 80, 290 =FA780A");
  EXPECT_EQ(W->PointerReadout(View().XBmp2Scr(302), View().YBmp2Scr(10)), " ");
}

TEST_F(TLandmarks, ObjectLayerRebuildOnTheWindow) {
  OpenTall();
  Click(20, 20);
  Click(60, 60);
  // A measurement line and an angle go with the next rebuild.
  const int line = Layer().AddNewObject();
  Layer().SetObjID(line, idMeasureLine);
  const int angle = Layer().AddNewObject();
  Layer().SetObjID(angle, idAngle);
  W->UpdateObjects();
  EXPECT_FALSE(Layer().IsObject(line));
  EXPECT_FALSE(Layer().IsObject(angle));
  EXPECT_EQ(Layer().ObjectsCount(), 4);
  // Labels show and hide with the one setting of button and menu item.
  EXPECT_EQ(Layer().ObjStyle(Markers()[0] + 1), StyleHidden);
  W->LabelLMSB->click();
  EXPECT_TRUE(W->LabellandmarksMenu->isChecked());
  EXPECT_EQ(Layer().ObjStyle(Markers()[0] + 1), StyleShown);
  W->LabellandmarksMenu->trigger();
  EXPECT_FALSE(W->LabelLMSB->isChecked());
  EXPECT_EQ(Layer().ObjStyle(Markers()[0] + 1), StyleHidden);
  // Delete object removes only measurements.
  OverObject = Markers()[0];
  W->DeleteobjectMenuClick();
  EXPECT_EQ(nLM, 2);
  EXPECT_TRUE(Layer().IsObject(Markers()[0]));
}

TEST_F(TLandmarks, DraggingAMarkerInEditModeMarksTheSpecimenChanged) {
  OpenTall();
  Click(100, 100);
  W->SetMode(EditMode);
  SpecimenChanged = DataChanged = false;
  Move(100, 100);
  QTest::mousePress(View().viewport(), Qt::LeftButton, {}, Scr(100, 100));
  QTest::mouseMove(View().viewport(), Scr(130, 90));
  QTest::mouseRelease(View().viewport(), Qt::LeftButton, {}, Scr(130, 90));
  EXPECT_TRUE(SpecimenChanged);
  const Tcoords p = Stored(1);
  EXPECT_NEAR(p.x, 130, 1);
  EXPECT_NEAR(p.y, 310, 1);
}

}  // namespace
