#include "digitize/ObjectLayer.h"

#include <algorithm>
#include <cmath>

#include "digitize/core/Curves.h"
#include "model/Checked.h"

std::vector<std::uint8_t> MissingMarkerData() {
  return std::vector<std::uint8_t>(8, 0);
}

bool IsMissingMarker(const TVectorLayer& layer, int h) {
  return layer.ObjUserData(h) != nullptr;
}

bool IsOutlineID(int id) {
  return id == idOutlineXY || id == idOutlineChain || id == idOutlineRadii ||
         id == idOutlineRadiiXY;
}

bool KeptByRebuild(int id) {
  return id == idMarker || id == idLabel || id == idCurve || IsOutlineID(id);
}

int AddLandmarkObjects(TVectorLayer& layer, int x, int y, int r) {
  TIEVObject t = layer.Obj(TVectorLayer::kTemplate);
  t.Kind = TIEVObjectKind::iekELLIPSE;
  t.Points.clear();
  t.Left = x - r;
  t.Top = y - r;
  t.Width = t.Height = 2 * r + 1;
  t.ID = idMarker;
  layer.SetObj(TVectorLayer::kTemplate, t);
  const int h = layer.AddNewObject();
  t.Kind = TIEVObjectKind::iekTEXT;
  t.TextAutoSize = true;
  t.Text.clear();
  t.ID = idLabel;
  layer.SetObj(TVectorLayer::kTemplate, t);
  layer.AddNewObject();
  return h;
}

int AddCurvePolyline(TVectorLayer& layer, const std::vector<TIEPoint>& points, int fontHeight) {
  layer.SetObjFontHeight(TVectorLayer::kTemplate, fontHeight);
  const int h = layer.AddNewObject();
  layer.ModifyObj(h, [&](TIEVObject& o) {
    o.Kind = TIEVObjectKind::iekPOLYLINE;
    o.PenWidth = 1;
    o.PenStyle = TIEPenStyle::psSolid;
    o.ID = idCurve;
    o.Points = points;
  });
  layer.UnSelObject(h);
  return h;
}

TIEPoint MarkerCentre(const TVectorLayer& layer, int h) {
  const TIEVObject& o = layer.Obj(h);
  return {o.Left + o.Width / 2, o.Top + o.Height / 2};
}

namespace {

void StyleMarker(TIEVObject& o, const TLayerStyle& s, int& cx, int& cy, int& half) {
  const int r = s.LMsize;
  const bool missing = o.UserData.has_value();
  half = (o.Width - 1) / 2;
  cx = o.Left + half;
  cy = o.Top + half;
  // A missing marker sits in the corner; a present one is only kept inside the image, so a
  // point digitized near the edge keeps its place.
  if (missing) {
    if (cx < r) cx = 0;
    if (cy < r) cy = 0;
  } else {
    if (cx < 0) cx = 0;
    if (cy < 0) cy = 0;
  }
  if (cx > s.BitmapWidth) cx = s.BitmapWidth;
  if (cy > s.BitmapHeight) cy = s.BitmapHeight;
  if (missing) {
    // A marker already drawn missing keeps its place instead of creeping by half its size
    // with every rebuild.
    const int back = o.Width == r + 1 ? half : 0;
    o.Left = std::max(0, cx - back);
    o.Top = std::max(0, cy - back);
    o.Width = o.Height = r + 1;
    o.BrushStyle = s.LMfill ? TIEBrushStyle::bsClear : TIEBrushStyle::bsSolid;
  } else {
    o.Left = cx - r;
    o.Top = cy - r;
    o.Width = o.Height = 2 * r + 1;
    o.BrushStyle = s.LMfill ? TIEBrushStyle::bsSolid : TIEBrushStyle::bsClear;
  }
  o.PenColor = s.LMcolor;
  o.PenWidth = 2;
  o.PenStyle = TIEPenStyle::psSolid;
  o.BrushColor = s.LMcolor;
  o.Style = StyleShown;
}

void StyleLabel(TIEVObject& o, const TLayerStyle& s, int i, int cx, int cy, int half) {
  const int fs = s.WindowPixels ? RoundToInt(s.LabelSize / s.ZoomFactor) : s.LabelSize;
  o.Left = (cx - half) + 2 * s.LMsize;
  o.Top = cy - fs;
  o.Height = fs + 1;
  o.Width = i < 100 ? fs : RoundToInt(1.5 * fs);
  o.PenStyle = TIEPenStyle::psClear;
  o.PenColor = s.LabelColor;
  o.BrushStyle = TIEBrushStyle::bsClear;
  o.TextAutoSize = true;
  o.FontName = "Arial";
  o.FontHeight = fs;
  o.FontStyles = s.LabelBold ? fsBold : 0;
  o.Text = std::to_string(i) + " ";
  o.Style = s.ShowLabels ? StyleShown : StyleHidden;
}

void StyleCurve(TIEVObject& o, const TLayerStyle& s) {
  o.PenColor = s.CurveColor;
  o.PenWidth = 2;
  o.PenStyle = TIEPenStyle::psSolid;
  o.BrushColor = s.CurveColor;
  o.Style = StyleShown;
  if (o.Points.size() < 2) return;
  std::vector<Ticoords> pts;
  pts.reserve(o.Points.size());
  for (const TIEPoint& p : o.Points) pts.push_back({p.x, p.y});
  if (!RemoveDuplicateCurvePoints(pts)) return;
  o.Points.clear();
  for (const Ticoords& p : pts) o.Points.push_back({p.x, p.y});
}

void StyleOutline(TIEVObject& o, const TLayerStyle& s) {
  o.PenColor = s.OutlineColor;
  o.PenWidth = 1;
  o.PenStyle = TIEPenStyle::psSolid;
  o.BrushColor = s.OutlineColor;
}

// Notifications of the layer are held back for the lifetime of the object.
class TUpdateScope {
 public:
  explicit TUpdateScope(TVectorLayer& l) : FLayer(l) { FLayer.BeginUpdate(); }
  ~TUpdateScope() { FLayer.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TVectorLayer& FLayer;
};

}  // namespace

TLayerCounts RebuildObjectLayer(TVectorLayer& layer, const TLayerStyle& s) {
  TLayerCounts counts;
  if (layer.ObjectsCount() == 0) return counts;
  TUpdateScope hold(layer);
  for (int k = layer.ObjectsCount() - 1; k >= 0; --k) {
    const int h = layer.GetObjFromIndex(k);
    if (!KeptByRebuild(layer.ObjID(h))) layer.RemoveObject(h);
  }
  int i = 0, j = 0, cx = 0, cy = 0, half = 0;
  bool templateClear = false;
  for (int k = 0; k < layer.ObjectsCount(); ++k) {
    const int h = layer.GetObjFromIndex(k);
    const int id = layer.ObjID(h);
    if (id == idMarker) {
      ++i;
      layer.ModifyObj(h, [&](TIEVObject& o) { StyleMarker(o, s, cx, cy, half); });
    } else if (id == idLabel) {
      layer.ModifyObj(h, [&](TIEVObject& o) { StyleLabel(o, s, i, cx, cy, half); });
    } else if (id == idCurve) {
      ++j;
      templateClear = true;
      layer.ModifyObj(h, [&](TIEVObject& o) { StyleCurve(o, s); });
    } else if (IsOutlineID(id)) {
      templateClear = true;
      layer.ModifyObj(h, [&](TIEVObject& o) { StyleOutline(o, s); });
    }
  }
  if (templateClear) layer.SetObjBrushStyle(TVectorLayer::kTemplate, TIEBrushStyle::bsClear);
  counts.nLM = i;
  counts.nCurves = j;
  return counts;
}

int RemoveNonLandmarkObjects(TVectorLayer& layer) {
  TUpdateScope hold(layer);
  int n = 0;
  for (int k = layer.ObjectsCount() - 1; k >= 0; --k) {
    const int h = layer.GetObjFromIndex(k);
    const int id = layer.ObjID(h);
    if (id == idMarker)
      ++n;
    else if (id != idLabel)
      layer.RemoveObject(h);
  }
  return n;
}

TNearest NearestPolylinePoint(const std::vector<TIEPoint>& points, int x, int y) {
  TNearest best;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const long long dx = points[i].x - x, dy = points[i].y - y;
    const long long d = dx * dx + dy * dy;
    if (d < best.Distance2) {
      best.Distance2 = static_cast<int>(d);
      best.Index = static_cast<int>(i) + 1;
    }
  }
  return best;
}
