// The main window's side of the object layer: adding landmarks, curves and outlines as
// objects, the rebuild, and the handlers of the view's object events.

#include <QAction>
#include <QLabel>

#include "digitize/ObjectLayer.h"
#include "imaging/ImageView.h"
#include "outline/core/OutlineConvert.h"
#include "platform/FormatSettings.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

TLayerStyle TMorvexF::CurrentLayerStyle() const {
  TLayerStyle s;
  s.LMsize = LMsize;
  s.LMcolor = static_cast<TIEColor>(LMcolor);
  s.LMfill = LMfill;
  s.LabelColor = static_cast<TIEColor>(LabelColor);
  s.LabelSize = LabelSize;
  s.LabelBold = LabelBold;
  s.WindowPixels = WindowPixels;
  s.ZoomFactor = ZoomFactor > 0 ? ZoomFactor : 1;
  s.CurveColor = static_cast<TIEColor>(CurveColor);
  s.OutlineColor = static_cast<TIEColor>(OutlineColor);
  s.ShowLabels = LabellandmarksMenu->isChecked();
  s.BitmapWidth = lmkPMimage->Maths().BitmapWidth();
  s.BitmapHeight = lmkPMimage->Maths().BitmapHeight();
  return s;
}

int TMorvexF::AddLMobject(int xBMP, int yBMP) {
  const int h = AddLandmarkObjects(lmkPMimage->Layer(), xBMP, yBMP, LMsize);
  ++nLM;
  return h;
}

int TMorvexF::AddCurveObject(const Tixy& curve) {
  std::vector<TIEPoint> pts;
  pts.reserve(static_cast<std::size_t>(curve.n()));
  for (int i = 1; i <= curve.n(); ++i) {
    const Ticoords p = curve.GetXY(i);
    pts.push_back({p.x, p.y});
  }
  return AddCurvePolyline(lmkPMimage->Layer(), pts, ObjectLabelSize);
}

int TMorvexF::AddOutlineObject(TOutline* Outline) {
  if (!Outline) return -1;
  TVectorLayer& l = lmkPMimage->Layer();
  const TOutlineDrawing d = OutlineObjectPoints(*Outline, ImageHeight);
  l.SetObjKind(TVectorLayer::kTemplate, TIEVObjectKind::iekPOLYLINE);
  const int h = l.AddNewObject();
  l.ModifyObj(h, [&](TIEVObject& o) {
    o.Kind = TIEVObjectKind::iekPOLYLINE;
    o.ID = d.ObjectID;
    o.PenWidth = 1;
    o.PenStyle = TIEPenStyle::psSolid;
    o.FontHeight = ObjectLabelSize;
    o.Points.clear();
    for (const Ticoords& p : d.Points) o.Points.push_back({p.x, p.y});
  });
  Outline->SetHObj(h);
  return h;
}

void TMorvexF::UpdateObjects() {
  TVectorLayer& l = lmkPMimage->Layer();
  if (l.ObjectsCount() > 0)
    lmkPMimage->SetMaxSelectionDistance(std::min(LMsize, static_cast<int>(LMsize * ZoomFactor)));
  const TLayerCounts c = RebuildObjectLayer(l, CurrentLayerStyle());
  nLM = c.nLM;
  nCurves = c.nCurves;
}

void TMorvexF::RemoveNonLandmarks() {
  nLM = RemoveNonLandmarkObjects(lmkPMimage->Layer());
}

void TMorvexF::MyRemoveAllObjects() {
  TVectorLayer& l = lmkPMimage->Layer();
  l.BeginUpdate();
  for (int k = l.ObjectsCount() - 1; k >= 0; --k) l.RemoveObject(l.GetObjFromIndex(k));
  l.EndUpdate();
  nLM = 0;
}

void TMorvexF::lmkPMimageObjectOver(int hobj) {
  TVectorLayer& l = lmkPMimage->Layer();
  if (!l.IsObject(hobj)) return;
  OverObject = hobj;
  const bool edit = CurrentMode == EditMode;
  if (edit) {
    l.UnSelAllObjects();
    l.AddSelObject(hobj);
  }
  const int id = l.ObjID(hobj);
  if (id == idMarker) {
    // A template is moved as a whole until it has been placed once.
    if (TemplateActive && TemplateFirstObj < 0)
      for (int k = 0; k < l.ObjectsCount(); ++k) {
        const int h = l.GetObjFromIndex(k);
        const int other = l.ObjID(h);
        if (h != hobj && (other == idMarker || other == idLabel)) l.AddSelObject(h);
      }
  } else if (id == idCurve) {
    nLMPanel->setText(
        QString::fromStdString(Format("%d curve points", {l.ObjPolylinePointsCount(hobj)})));
    if (edit) lmkPMimage->SetMouseInteractVt(miEditPolyline);
    return;
  } else if (IsOutlineID(id)) {
    if (edit) lmkPMimage->SetMouseInteractVt(miEditPolyline);
    return;
  }
  // Lengths and angles show in the image tools window, which comes with its feature.
  if (edit) lmkPMimage->SetMouseInteractVt(miObjectSelect);
}

void TMorvexF::lmkPMimageSelectObject() {
  TVectorLayer& l = lmkPMimage->Layer();
  if (CurrentMode != EditMode || l.SelObjectsCount() == 0) return;
  const int id = l.ObjID(l.SelObjects(0));
  TImageView& v = *lmkPMimage;
  if (id == idCurve || id == idOutlineXY) {
    v.SetMouseInteractVt(v.MouseInteractVt() | miEditPolyline);
    SpecimenChanged = true;
  } else if (id == idMeasureLine || id == idAngle) {
    v.SetMouseInteractVt(v.MouseInteractVt() & ~miEditPolyline);
    v.SetObjGripPenColor(IERGB(0, 0, 0));
    v.SetObjGripBrushColor(IERGB(0, 0, 0));
    v.SetObjGripBrushStyle(TIEBrushStyle::bsClear);
    v.SetObjGripSize(1);
  } else {
    v.SetMouseInteractVt(v.MouseInteractVt() | miObjectSelect);
  }
}

void TMorvexF::lmkPMimageObjectMoveResize(int hobj, int, int, int) {
  TVectorLayer& l = lmkPMimage->Layer();
  if (!l.IsObject(hobj)) return;
  const int id = l.ObjID(hobj);
  if (id == idMarker) {
    if (TemplateActive && TemplateFirstObj < 0) OverObject = hobj;
    SpecimenChanged = true;
  } else if (id == idCurve || id == idOutlineXY) {
    SpecimenChanged = true;
  } else if (id == idMeasureLine) {
    const double w = l.ObjWidth(hobj), h = l.ObjHeight(hobj);
    l.SetObjText(hobj, Format(" %d ", {static_cast<int>(std::lround(std::sqrt(w * w + h * h)))}));
    l.SetObjFontHeight(hobj, ObjectLabelSize);
    l.SetObjLabelPosition(hobj, l.ObjLeft(hobj) < 10 ? TIELabelPos::ielEnd : TIELabelPos::ielBegin);
  }
}

void TMorvexF::lmkPMimageObjectClick(int hobj) {
  if (CurrentMode != EditMode) return;
  TVectorLayer& l = lmkPMimage->Layer();
  l.UnSelAllObjects();
  if (l.IsObject(hobj)) l.AddSelObject(hobj);
}

void TMorvexF::lmkPMimageObjectDblClick(int) {
  if (CurrentMode == AngleMode1 || CurrentMode == DrawCVmode) SetMode(EditMode);
}

void TMorvexF::DeleteobjectMenuClick() {
  TVectorLayer& l = lmkPMimage->Layer();
  if (OverObject >= 0 && l.IsObject(OverObject)) {
    const int id = l.ObjID(OverObject);
    if (id == idMeasureLine || id == idAngle) l.RemoveObject(OverObject);
  }
  OverObject = -1;
}

void TMorvexF::LabelLMSBClick() {
  // The button and the menu item share one action, so the check mark is already in step.
  UpdateObjects();
}

void TMorvexF::LabellandmarksMenuClick() {
  UpdateObjects();
}

int TMorvexF::FirstSelected() const {
  const TVectorLayer& l = lmkPMimage->Layer();
  return l.SelObjectsCount() > 0 ? l.SelObjects(0) : -1;
}

void TMorvexF::DeleteoutlineMenuClick() {
  const int h = FirstSelected();
  if (h < 0) return;
  lmkPMimage->Layer().RemoveObject(h);
  if (OutlineList)
    for (int k = 0; k < OutlineList->Count(); ++k)
      if (OutlineList->Items(k)->hObj() == h) {
        OutlineList->Delete(k);
        break;
      }
  SpecimenChanged = true;
  nLMPanel->clear();
}

void TMorvexF::DeleteoutlinepointMenuClick() {
  const int h = FirstSelected();
  TVectorLayer& l = lmkPMimage->Layer();
  if (h < 0 || l.ObjID(h) != idOutlineXY) return;
  std::vector<TIEPoint> pts = l.ObjPolylinePoints(h);
  if (NearestPoint >= 1 && NearestPoint <= static_cast<int>(pts.size())) {
    pts.erase(pts.begin() + (NearestPoint - 1));
    l.SetObjPolylinePoints(h, pts);
  }
  SpecimenChanged = true;
  nLMPanel->clear();
}
