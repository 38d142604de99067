// Interaction modes: entering a mode sets the tool buttons, the menu checks, the view's cursor
// and interaction settings and the status text.

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include "digitize/ObjectLayer.h"
#include "imaging/ImageView.h"
#include "model/Text.h"
#include "platform/Cursors.h"
#include "platform/FormatSettings.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

void TMorvexF::SetModeButtons(QToolButton* down) {
  FModeDown = down;
  const std::pair<QToolButton*, QAction*> controls[] = {{DigitizeLMmodeSB, DigitizeLMModeMenu},
                                                        {EditModeSB, EditModeMenu},
                                                        {DrawCVmodeSB, DrawCVModeMenu},
                                                        {OutlineSB, OutlineModeMenu},
                                                        {PaintModeSB, PaintmodeMenu},
                                                        {MeasureModeSB, nullptr},
                                                        {AngleModeSB, nullptr}};
  for (auto [button, item] : controls) {
    button->setChecked(button == down);
    if (item) item->setChecked(button == down);
  }
}

void TMorvexF::RestoreModeChecks() {
  SetModeButtons(FModeDown);
}

void TMorvexF::SetProfileOff() {
  horizontalProfileModeMenu->setChecked(false);
  verticalProfileModeMenu->setChecked(false);
}

void TMorvexF::SetStatus(const std::string& text) {
  FileNamePanel->setText(QString::fromStdString(text));
}

void TMorvexF::DiscardTrialOutline() {
  if (!TrialOutline) return;
  lmkPMimage->Layer().RemoveObject(TrialOutline->hObj());
  TrialOutline.reset();
}

void TMorvexF::SetMode(Tmode m) {
  Screen().SetCursor(crDefault);
  OverObject = -1;
  CurrentMode = m;
  TImageView& v = *lmkPMimage;
  if (m != NoneMode) v.Deselect();
  auto cursor = [&v](int n) { v.SetViewCursor(Screen().Cursors(n)); };
  switch (m) {
    case DigitizeLMmode:
      SetModeButtons(DigitizeLMmodeSB);
      SetProfileOff();
      cursor(CursorIndex);
      SetStatus("Mark landmarks");
      v.SetMouseInteractVt(0);
      v.SetSelectionOptions(0);
      break;
    case EditMode:
      CurveObj = -1;
      SetModeButtons(EditModeSB);
      SetProfileOff();
      cursor(crDefault);
      // A specimen without an image is named by its number.
      SetStatus(ImageFileName.empty()
                    ? Format(" Specimen: %3d", {CurrentSpecimen})
                    : Format(" %3d: %s", {CurrentSpecimen, ExtractFileName(ImageFileName)}));
      v.CancelInteracts();
      v.SetMouseInteractVt(v.MouseInteractVt() | miObjectSelect);
      v.SetSelectionOptions(v.SelectionOptions() | iesoMoveable);
      break;
    case DrawCVmode: {
      SetModeButtons(DrawCVmodeSB);
      SetProfileOff();
      cursor(7);
      SetStatus("Draw curve");
      v.SetSelectionOptions(0);
      DiscardTrialOutline();
      nCurvePoints = 0;
      v.CancelInteracts();
      TVectorLayer& l = v.Layer();
      const int t = TVectorLayer::kTemplate;
      l.SetObjPenColor(t, static_cast<TIEColor>(CurveColor));
      l.SetObjPenWidth(t, 1);
      l.SetObjPenStyle(t, TIEPenStyle::psSolid);
      l.SetObjBrushStyle(t, TIEBrushStyle::bsClear);
      l.SetObjBrushColor(t, static_cast<TIEColor>(CurveColor));
      l.SetObjPolylineClosed(t, ClosecurveMenu->isChecked());
      l.SetObjID(t, idCurve);
      break;
    }
    case ScaleMode1:
      SetModeButtons(nullptr);
      SetProfileOff();
      cursor(crDefault);
      SetStatus("Draw reference length");
      break;
    case ScaleMode2:
      cursor(crDefault);
      SetStatus("");
      v.SetSelectionOptions(0);
      v.SetMouseInteract(miSelect);
      break;
    case OutlineMode:
      SetModeButtons(OutlineSB);
      SetProfileOff();
      cursor(8);
      SetStatus(" Click start position");
      v.SetMouseInteractVt(0);
      v.SetSelectionOptions(v.SelectionOptions() & ~iesoMoveable);
      break;
    case PaintMode:
      SetModeButtons(PaintModeSB);
      SetProfileOff();
      cursor(9);
      SetStatus("Paint image");
      v.SetMouseInteractVt(0);
      v.SetSelectionOptions(0);
      break;
    case ProfileMode:
      SetModeButtons(nullptr);
      cursor(crDefault);
      SetStatus("Profile");
      v.SetMouseInteractVt(0);
      v.SetSelectionOptions(v.SelectionOptions() & ~iesoMoveable);
      break;
    case MeasureMode1:
      SetModeButtons(MeasureModeSB);
      SetProfileOff();
      cursor(crDefault);
      v.SetMouseInteractVt(v.MouseInteractVt() | miPutLine);
      v.SetSelectionOptions(0);
      break;
    case AngleMode1:
      SetModeButtons(AngleModeSB);
      SetProfileOff();
      cursor(crDefault);
      v.SetMouseInteractVt(v.MouseInteractVt() | miPutAngle);
      v.SetSelectionOptions(iesoSizeable | iesoMoveable);
      break;
    default:
      break;
  }
  ToolPanel->update();
}

void TMorvexF::DigitizeLMmodeSBClick() {
  SetMode(DigitizeLMmode);
}

void TMorvexF::DigitizeLMmodeMenuClick() {
  SetMode(DigitizeLMmode);
}

void TMorvexF::EditModeSBClick() {
  SetMode(EditMode);
}

void TMorvexF::EditModeMenuClick() {
  SetMode(EditMode);
}

void TMorvexF::DrawCVmodeSBClick() {
  if (HasSpecimen()) SetMode(DrawCVmode);
}

void TMorvexF::DrawCVmodeMenuClick() {
  if (HasSpecimen()) SetMode(DrawCVmode);
}

void TMorvexF::OutlineSBClick() {
  OutlineModeMenuClick();
}

void TMorvexF::OutlineModeMenuClick() {
  if (!HasSpecimen()) return;
  OutlineModeMenu->setChecked(true);
  SetMode(OutlineMode);
}

void TMorvexF::PaintModeSBClick() {
  if (!HasSpecimen()) return;
  SetMode(lmkPMimage->IsEmpty() ? EditMode : PaintMode);
}

void TMorvexF::PaintmodeMenuClick() {
  PaintModeSBClick();
}

void TMorvexF::MeasureModeSBClick() {
  if (HasSpecimen()) SetMode(MeasureMode1);
}

void TMorvexF::MeasuremodeMenuClick() {
  if (HasSpecimen()) SetMode(MeasureMode1);
}

void TMorvexF::AngleModeSBClick() {
  if (HasSpecimen()) SetMode(AngleMode1);
}

void TMorvexF::AnglemodeMenuClick() {
  if (HasSpecimen()) SetMode(AngleMode1);
}

void TMorvexF::horizontalProfileModeMenuClick() {
  if (horizontalProfileModeMenu->isChecked()) {
    verticalProfileModeMenu->setChecked(false);
    SetMode(ProfileMode);
  } else {
    SetMode(EditMode);
  }
}

void TMorvexF::verticalProfileModeMenuClick() {
  if (verticalProfileModeMenu->isChecked()) {
    horizontalProfileModeMenu->setChecked(false);
    SetMode(ProfileMode);
  } else {
    SetMode(EditMode);
  }
}
