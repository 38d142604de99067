// The view's mouse events for every mode, adding and editing landmarks, the pointer readout
// and the keys of the main window.

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "digitize/ObjectLayer.h"
#include "imaging/ImageView.h"
#include "platform/Dialogs.h"
#include "platform/FormatSettings.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

void TMorvexF::MarkCaptionChanged(const char* marker) {
  setWindowTitle(QString::fromStdString(CaptionPrefix + marker + DataFileName));
}

void TMorvexF::AddLandmarkAt(int x, int y) {
  // Outside the image nothing is added; the column and row just past the last are accepted.
  if (x > ImageWidth || y > ImageHeight || x < 0 || y < 0) return;
  const int h = AddLMobject(x, y);
  if (BeeponLMmnu->isChecked()) Beep();
  lmkPMimage->Layer().ClearObjUserData(h);
  ShowLandmarkCount(nLM);
  RebuildObjects = true;
  SpecimenChanged = true;
  lmkPMimage->SetMouseInteractVt(0);
}

void TMorvexF::PopupAtCursor(QMenu* menu) {
  menu->popup(QCursor::pos());
}

void TMorvexF::OpenEditMenu(int x, int y) {
  TVectorLayer& l = lmkPMimage->Layer();
  EditmodeMenu2->setVisible(false);
  const int h = l.SelObjects(0);
  const int id = l.ObjID(h);
  const QList<QAction*> curveItems = {DeletecurvepointMenu, DeletecurveMenu,   ResamplecurveMenu,
                                      CurveAreaMenu,        SavecurveareaMenu, SavecurvelengthMenu};
  const QList<QAction*> landmarkItems = {DeletelandmarkMenu, InsertlandmarkMenu, MarkLMmissingMnu,
                                         RestoremissingLMMnu};
  const QList<QAction*> outlineItems = {DeleteoutlinepointMenu, DeleteoutlineMenu};
  auto show = [](const QList<QAction*>& items, bool on) {
    for (QAction* a : items) a->setVisible(on);
  };
  const int r2 = LMsize * LMsize;
  if (id == idMarker) {
    show(landmarkItems, true);
    N15->setVisible(true);
    DeletelandmarkMenu->setEnabled(true);
    InsertlandmarkMenu->setEnabled(true);
    show(curveItems, false);
    N14->setVisible(false);
    show(outlineItems, false);
    const bool missing = IsMissingMarker(l, h);
    MarkLMmissingMnu->setEnabled(!missing);
    RestoremissingLMMnu->setEnabled(missing);
  } else if (id == idCurve) {
    show(landmarkItems, false);
    N15->setVisible(false);
    show(outlineItems, false);
    show(curveItems, false);
    DeletecurveMenu->setVisible(true);
    N14->setVisible(true);
    if (l.ObjPolylinePointsCount(h) == 0) return;  // nothing to act on: no menu
    SavecurveareaMenu->setVisible(true);
    SavecurvelengthMenu->setVisible(true);
    ResamplecurveMenu->setVisible(true);
    CurveAreaMenu->setVisible(true);
    SpecimenChanged = true;
    const TNearest n = NearestPolylinePoint(l.ObjPolylinePoints(h), x, y);
    NearestPoint = n.Index;
    DeletecurvepointMenu->setVisible(n.Distance2 < r2);
  } else if (id == idOutlineXY) {
    show(landmarkItems, false);
    N15->setVisible(false);
    show(curveItems, false);
    N14->setVisible(false);
    DeleteoutlineMenu->setVisible(true);
    const TNearest n = NearestPolylinePoint(l.ObjPolylinePoints(h), x, y);
    NearestPoint = n.Index;
    DeleteoutlinepointMenu->setVisible(n.Distance2 < r2);
  } else if (id == idMeasureLine) {
    PopupAtCursor(MeasurePopupMenu);
    return;
  } else {
    return;
  }
  PopupAtCursor(EditPopupMenu);
}

void TMorvexF::lmkPMimageMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers, int xScreen,
                                   int yScreen) {
  RebuildObjects = false;
  const int x = lmkPMimage->XScr2Bmp(xScreen), y = lmkPMimage->YScr2Bmp(yScreen);
  LeftButtonDown = Button == Qt::LeftButton;
  const bool left = LeftButtonDown, right = Button == Qt::RightButton;
  TVectorLayer& l = lmkPMimage->Layer();
  switch (CurrentMode) {
    case DigitizeLMmode:
      if (left)
        AddLandmarkAt(x, y);
      else if (right)
        SetMode(EditMode);
      break;
    case EditMode:
      if (right) {
        if (l.SelObjectsCount() == 0) {
          if (ToggleEditLMmodesMenu->isChecked()) SetMode(DigitizeLMmode);
        } else {
          const int id = l.ObjID(l.SelObjects(0));
          if (id == idMarker || id == idCurve || id == idOutlineXY || id == idMeasureLine) {
            OpenEditMenu(x, y);
            return;  // a menu is open (or a curve without points): no tail
          }
        }
      }
      break;
    case DrawCVmode:
      if (!left) SetMode(EditMode);  // drawing curves comes with its own feature
      break;
    case ScaleMode1:
      if (left)
        CurrentMode = ScaleMode2;
      else
        SetMode(EditMode);
      break;
    case ScaleMode2:
      CurrentMode = ScaleMode1;
      break;
    case PaintMode:
      if (right) SetMode(EditMode);
      break;
    case ProfileMode:
      if (left) RebuildObjects = true;
      break;
    case MeasureMode1:
      if (left) {
        CurrentMode = MeasureMode2;
      } else if (OverObject >= 0) {
        PopupAtCursor(MeasurePopupMenu);
        return;
      }
      break;
    case MeasureMode2:
      SetMode(MeasureMode1);
      break;
    case AngleMode1:
      if (left) {
        CurrentMode = AngleMode2;
      } else {
        PopupAtCursor(MeasurePopupMenu);
        return;
      }
      break;
    case AngleMode2:
    case AngleMode3:
      if (left) {
        CurrentMode = CurrentMode == AngleMode2 ? AngleMode3 : AngleMode1;
      } else if (AngleObj >= 0 && l.IsObject(AngleObj) && !l.ObjText(AngleObj).empty()) {
        lmkPMimage->Deselect();
        CurrentMode = AngleMode1;
        return;
      }
      break;
    default:
      break;
  }
  if (RebuildObjects) UpdateObjects();
  if (SpecimenChanged) DataChanged = true;
  if (DataChanged) MarkCaptionChanged("*");
}

std::string TMorvexF::PointerReadout(int xScreen, int yScreen) const {
  if (ImageHeight == 0)
    return Format(" %d, %d", {xScreen, lmkPMimage->viewport()->height() - yScreen});
  const int x = lmkPMimage->XScr2Bmp(xScreen), y = lmkPMimage->YScr2Bmp(yScreen);
  if (x > ImageWidth || y > ImageHeight) return " ";
  const TIEBitmap& b = lmkPMimage->IEBitmap();
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height())
    return Format(" %d, %d", {x, ImageHeight - y});
  const TIERGB c = b.PixelRGB(x, y);
  if (c.r == c.g && c.g == c.b) return Format(" %d, %d =%d", {x, ImageHeight - y, int(c.r)});
  const int bgr = int(c.r) | (int(c.g) << 8) | (int(c.b) << 16);
  return Format(" %d, %d =%6x", {x, ImageHeight - y, bgr});
}

void TMorvexF::lmkPMimageMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int xScreen,
                                   int yScreen) {
  xyPanel->setText(QString::fromStdString(PointerReadout(xScreen, yScreen)));
}

void TMorvexF::lmkPMimageMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
  if (CurrentMode == EditMode && TemplateActive && TemplateFirstObj < 0)
    TemplateFirstObj = OverObject;
  if (CurrentMode == PaintMode) UpdateMenu();
  LeftButtonDown = false;
}

void TMorvexF::MissingLMSBClick() {
  if (!HasSpecimen()) return;
  // Without the confirmation option the missing landmark goes in without a question.
  const bool insert = !ConfirmmissingCB->isChecked() ||
                      Dialogs().OkCancel(TMsgKind::Warning, "Warning", "Insert missing landmark?");
  if (insert) {
    const int h = AddLMobject(0, 0);
    lmkPMimage->Layer().SetObjUserData(h, MissingMarkerData());
    ShowLandmarkCount(nLM);
    SpecimenChanged = true;
    lmkPMimage->SetMouseInteractVt(0);
  }
  DigitizeLMmodeSB->click();
}

void TMorvexF::InsertlandmarkMenuClick() {
  const int sel = FirstSelected();
  TVectorLayer& l = lmkPMimage->Layer();
  if (sel < 0 || l.ObjID(sel) != idMarker) return;
  const TIEObjRect r = l.ObjRect(sel);
  const int h = AddLMobject(r.Right + LMsize, r.Top - LMsize);
  l.SetObjBackTo(h, sel);
  l.SetObjBackTo(h + 1, sel);
  SpecimenChanged = true;
  MarkCaptionChanged("* ");
  nLMPanel->clear();
  UpdateObjects();
}

void TMorvexF::DeletelandmarkMenuClick() {
  const int h = FirstSelected();
  if (h < 0) return;
  TVectorLayer& l = lmkPMimage->Layer();
  l.RemoveObject(h);
  l.RemoveObject(h + 1);
  SpecimenChanged = true;
  MarkCaptionChanged("* ");
  nLMPanel->clear();
  UpdateObjects();
}

void TMorvexF::MarkLMmissingMnuClick() {
  const int h = FirstSelected();
  TVectorLayer& l = lmkPMimage->Layer();
  if (h < 0 || l.ObjID(h) != idMarker || IsMissingMarker(l, h)) return;
  l.SetObjUserData(h, MissingMarkerData());
  l.SetObjWidth(h, LMsize + 1);
  l.SetObjHeight(h, LMsize + 1);
  SpecimenChanged = true;
  MarkCaptionChanged("* ");
  nLMPanel->clear();
  UpdateObjects();
}

void TMorvexF::RestoremissingLMMnuClick() {
  const int h = FirstSelected();
  TVectorLayer& l = lmkPMimage->Layer();
  if (h < 0 || l.ObjID(h) != idMarker) return;
  l.ClearObjUserData(h);
  if (l.ObjLeft(h) == -1 && l.ObjTop(h) == -1) {
    l.SetObjLeft(h, 20);
    l.SetObjTop(h, 20);
  }
  l.SetObjWidth(h, 2 * LMsize + 1);
  l.SetObjHeight(h, 2 * LMsize + 1);
  SpecimenChanged = true;
  nLMPanel->clear();
  UpdateObjects();
}

bool TMorvexF::FormKeyDown(int Key, Qt::KeyboardModifiers Shift) {
  const bool alt = Shift & Qt::AltModifier;
  if (Key == Qt::Key_Right || Key == Qt::Key_Space || (alt && Key == Qt::Key_N)) {
    if (!RightSB->isEnabled()) return false;
    RightSBClick();
    return true;
  }
  if (Key == Qt::Key_Left || (alt && Key == Qt::Key_P)) {
    if (!LeftSB->isEnabled()) return false;
    LeftSBClick();
    return true;
  }
  return false;
}
