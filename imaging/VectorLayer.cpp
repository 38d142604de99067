#include "imaging/VectorLayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

bool HasPoints(const TIEVObject& o) {
  return (o.Kind == TIEVObjectKind::iekPOLYLINE || o.Kind == TIEVObjectKind::iekANGLE) &&
         !o.Points.empty();
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double qx = ax + t * dx - px, qy = ay + t * dy - py;
  return std::sqrt(qx * qx + qy * qy);
}

bool InsidePolygon(const std::vector<TIEPoint>& p, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    const double xi = p[i].x + 0.5, yi = p[i].y + 0.5, xj = p[j].x + 0.5, yj = p[j].y + 0.5;
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

}  // namespace

int TVectorLayer::AddNewObject() {
  const int h = static_cast<int>(FByHandle.size());
  auto o = std::make_unique<TIEVObject>(FTemplate);
  FitBoxToPoints(*o);
  FByHandle.push_back(std::move(o));
  FOrder.push_back(h);
  Changed();
  return h;
}

int TVectorLayer::GetObjFromIndex(int i) const {
  if (i < 0 || i >= ObjectsCount())
    throw std::out_of_range("Object index " + std::to_string(i) + " out of range");
  return FOrder[static_cast<std::size_t>(i)];
}

int TVectorLayer::IndexOfObj(int h) const {
  if (!IsObject(h)) return -1;
  const auto it = std::find(FOrder.begin(), FOrder.end(), h);
  return it == FOrder.end() ? -1 : static_cast<int>(it - FOrder.begin());
}

bool TVectorLayer::IsObject(int h) const {
  return h >= 0 && h < static_cast<int>(FByHandle.size()) && FByHandle[static_cast<std::size_t>(h)];
}

void TVectorLayer::RemoveObject(int h) {
  if (!IsObject(h)) return;
  FByHandle[static_cast<std::size_t>(h)].reset();
  // Removing from the back, the usual case, costs nothing.
  if (!FOrder.empty() && FOrder.back() == h)
    FOrder.pop_back();
  else
    FOrder.erase(std::find(FOrder.begin(), FOrder.end(), h));
  FSelected.erase(std::remove(FSelected.begin(), FSelected.end(), h), FSelected.end());
  Changed();
}

void TVectorLayer::RemoveAllObjects() {
  for (int h : FOrder) FByHandle[static_cast<std::size_t>(h)].reset();
  FOrder.clear();
  FSelected.clear();
  Changed();
}

void TVectorLayer::SetObjBackTo(int h, int ref) {
  if (!IsObject(h) || !IsObject(ref)) throw std::out_of_range("Invalid object handle");
  if (h == ref) return;
  FOrder.erase(std::find(FOrder.begin(), FOrder.end(), h));
  FOrder.insert(std::find(FOrder.begin(), FOrder.end(), ref), h);
  Changed();
}

void TVectorLayer::SetObjFrontOf(int h, int ref) {
  if (!IsObject(h) || !IsObject(ref)) throw std::out_of_range("Invalid object handle");
  if (h == ref) return;
  FOrder.erase(std::find(FOrder.begin(), FOrder.end(), h));
  FOrder.insert(std::find(FOrder.begin(), FOrder.end(), ref) + 1, h);
  Changed();
}

void TVectorLayer::BringToFront(int h) {
  if (!IsObject(h)) throw std::out_of_range("Invalid object handle " + std::to_string(h));
  FOrder.erase(std::find(FOrder.begin(), FOrder.end(), h));
  FOrder.push_back(h);
  Changed();
}

const TIEVObject& TVectorLayer::Obj(int h) const {
  if (h == kTemplate) return FTemplate;
  if (!IsObject(h)) throw std::out_of_range("Invalid object handle " + std::to_string(h));
  return *FByHandle[static_cast<std::size_t>(h)];
}

TIEVObject& TVectorLayer::Mut(int h) {
  return const_cast<TIEVObject&>(Obj(h));
}

void TVectorLayer::SetObj(int h, const TIEVObject& o) {
  Mut(h) = o;
  FitBoxToPoints(Mut(h));
  Changed();
}

void TVectorLayer::ModifyObj(int h, const std::function<void(TIEVObject&)>& f) {
  TIEVObject& o = Mut(h);
  f(o);
  FitBoxToPoints(o);
  Changed();
}

void TVectorLayer::EndUpdate() {
  if (FUpdating > 0) --FUpdating;
  if (FUpdating == 0 && FChangePending) {
    FChangePending = false;
    Changed();
  }
}

void TVectorLayer::FitBoxToPoints(TIEVObject& o) {
  if (!HasPoints(o)) return;
  int x0 = o.Points[0].x, x1 = x0, y0 = o.Points[0].y, y1 = y0;
  for (const auto& p : o.Points) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  o.Left = x0, o.Top = y0, o.Width = x1 - x0, o.Height = y1 - y0;
}

#define MORVEX_SETTER(Name, Field, Type)        \
  void TVectorLayer::Set##Name(int h, Type v) { \
    Mut(h).Field = v;                           \
    Changed();                                  \
  }
MORVEX_SETTER(ObjID, ID, int)
MORVEX_SETTER(ObjPenColor, PenColor, TIEColor)
MORVEX_SETTER(ObjPenWidth, PenWidth, int)
MORVEX_SETTER(ObjPenStyle, PenStyle, TIEPenStyle)
MORVEX_SETTER(ObjBrushColor, BrushColor, TIEColor)
MORVEX_SETTER(ObjBrushStyle, BrushStyle, TIEBrushStyle)
MORVEX_SETTER(ObjStyle, Style, TIEVStyles)
MORVEX_SETTER(ObjText, Text, const std::string&)
MORVEX_SETTER(ObjTextAutoSize, TextAutoSize, bool)
MORVEX_SETTER(ObjFontName, FontName, const std::string&)
MORVEX_SETTER(ObjFontHeight, FontHeight, int)
MORVEX_SETTER(ObjFontStyles, FontStyles, TIEFontStyles)
MORVEX_SETTER(ObjLabelPosition, LabelPosition, TIELabelPos)
MORVEX_SETTER(ObjPolylineClosed, PolylineClosed, bool)
#undef MORVEX_SETTER

void TVectorLayer::SetObjKind(int h, TIEVObjectKind k) {
  TIEVObject& o = Mut(h);
  o.Kind = k;
  FitBoxToPoints(o);
  Changed();
}

const std::vector<std::uint8_t>* TVectorLayer::ObjUserData(int h) const {
  const auto& u = Obj(h).UserData;
  return u ? &*u : nullptr;
}

void TVectorLayer::SetObjUserData(int h, std::vector<std::uint8_t> data) {
  Mut(h).UserData = std::move(data);
}

void TVectorLayer::ClearObjUserData(int h) {
  Mut(h).UserData.reset();
}

void TVectorLayer::MoveObj(int h, int dx, int dy) {
  TIEVObject& o = Mut(h);
  o.Left += dx;
  o.Top += dy;
  for (auto& p : o.Points) p.x += dx, p.y += dy;
  Changed();
}

void TVectorLayer::SetObjLeft(int h, int v) {
  MoveObj(h, v - Obj(h).Left, 0);
}
void TVectorLayer::SetObjTop(int h, int v) {
  MoveObj(h, 0, v - Obj(h).Top);
}

void TVectorLayer::SetObjWidth(int h, int v) {
  TIEVObject& o = Mut(h);
  if (HasPoints(o) && o.Width != 0) {
    for (auto& p : o.Points)
      p.x = o.Left + static_cast<int>(std::lround(double(p.x - o.Left) * v / o.Width));
    FitBoxToPoints(o);
  } else if (!HasPoints(o)) {
    o.Width = v;
  }
  Changed();
}

void TVectorLayer::SetObjHeight(int h, int v) {
  TIEVObject& o = Mut(h);
  if (HasPoints(o) && o.Height != 0) {
    for (auto& p : o.Points)
      p.y = o.Top + static_cast<int>(std::lround(double(p.y - o.Top) * v / o.Height));
    FitBoxToPoints(o);
  } else if (!HasPoints(o)) {
    o.Height = v;
  }
  Changed();
}

TIEObjRect TVectorLayer::ObjRect(int h) const {
  const TIEVObject& o = Obj(h);
  return {o.Left, o.Top, o.Left + o.Width, o.Top + o.Height};
}

void TVectorLayer::SetObjRect(int h, const TIEObjRect& r) {
  SetObjLeft(h, r.Left);
  SetObjTop(h, r.Top);
  SetObjWidth(h, r.Right - r.Left);
  SetObjHeight(h, r.Bottom - r.Top);
}

TIEPoint TVectorLayer::ObjPolylinePoint(int h, int i) const {
  const auto& pts = Obj(h).Points;
  if (i < 0 || i >= static_cast<int>(pts.size()))
    throw std::out_of_range("Polyline point " + std::to_string(i) + " out of range");
  return pts[static_cast<std::size_t>(i)];
}

void TVectorLayer::SetObjPolylinePoints(int h, const std::vector<TIEPoint>& pts) {
  TIEVObject& o = Mut(h);
  o.Points = pts;
  FitBoxToPoints(o);
  Changed();
}

void TVectorLayer::SetObjPolylinePoint(int h, int i, TIEPoint p) {
  TIEVObject& o = Mut(h);
  if (i < 0 || i >= static_cast<int>(o.Points.size()))
    throw std::out_of_range("Polyline point " + std::to_string(i) + " out of range");
  o.Points[static_cast<std::size_t>(i)] = p;
  FitBoxToPoints(o);
  Changed();
}

void TVectorLayer::SetObjAnglePoints(int h, TIEPoint a, TIEPoint vertex, TIEPoint b) {
  SetObjPolylinePoints(h, {a, vertex, b});
}

int TVectorLayer::SelObjects(int i) const {
  if (i < 0 || i >= SelObjectsCount())
    throw std::out_of_range("Selection index " + std::to_string(i) + " out of range");
  return FSelected[static_cast<std::size_t>(i)];
}

bool TVectorLayer::IsSelObject(int h) const {
  return std::find(FSelected.begin(), FSelected.end(), h) != FSelected.end();
}

void TVectorLayer::AddSelObject(int h) {
  if (!IsObject(h) || IsSelObject(h)) return;
  FSelected.push_back(h);
  Changed();
}

void TVectorLayer::UnSelObject(int h) {
  const auto it = std::find(FSelected.begin(), FSelected.end(), h);
  if (it == FSelected.end()) return;
  FSelected.erase(it);
  Changed();
}

void TVectorLayer::UnSelAllObjects() {
  if (FSelected.empty()) return;
  FSelected.clear();
  Changed();
}

void TVectorLayer::SelAllObjects() {
  FSelected = FOrder;
  Changed();
}

bool TVectorLayer::HitsObject(const TIEVObject& o, double x, double y, double tol) {
  // Pixel (i, j) covers [i, i + 1) x [j, j + 1); a line joins pixel centres.
  switch (o.Kind) {
    case TIEVObjectKind::iekELLIPSE: {
      const double rx = std::abs(o.Width) / 2.0 + tol, ry = std::abs(o.Height) / 2.0 + tol;
      if (rx <= 0 || ry <= 0) return false;
      const double cx = o.Left + o.Width / 2.0, cy = o.Top + o.Height / 2.0;
      const double dx = (x - cx) / rx, dy = (y - cy) / ry;
      return dx * dx + dy * dy <= 1.0;
    }
    case TIEVObjectKind::iekBOX:
    case TIEVObjectKind::iekTEXT: {
      const double x0 = std::min(o.Left, o.Left + o.Width), x1 = std::max(o.Left, o.Left + o.Width);
      const double y0 = std::min(o.Top, o.Top + o.Height), y1 = std::max(o.Top, o.Top + o.Height);
      return x >= x0 - tol && x <= x1 + tol && y >= y0 - tol && y <= y1 + tol;
    }
    case TIEVObjectKind::iekLINE:
    case TIEVObjectKind::iekLINELABEL:
      return SegmentDistance(x, y, o.Left + 0.5, o.Top + 0.5, o.Left + o.Width + 0.5,
                             o.Top + o.Height + 0.5) <= tol;
    case TIEVObjectKind::iekPOLYLINE:
    case TIEVObjectKind::iekANGLE: {
      const auto& p = o.Points;
      if (p.empty()) return false;
      if (p.size() == 1) return std::hypot(x - p[0].x - 0.5, y - p[0].y - 0.5) <= tol;
      for (std::size_t i = 1; i < p.size(); ++i)
        if (SegmentDistance(x, y, p[i - 1].x + 0.5, p[i - 1].y + 0.5, p[i].x + 0.5, p[i].y + 0.5) <=
            tol)
          return true;
      if (o.Kind == TIEVObjectKind::iekPOLYLINE && o.PolylineClosed) {
        if (SegmentDistance(x, y, p.back().x + 0.5, p.back().y + 0.5, p[0].x + 0.5, p[0].y + 0.5) <=
            tol)
          return true;
        if (o.BrushStyle == TIEBrushStyle::bsSolid && p.size() > 2 && InsidePolygon(p, x, y))
          return true;
      }
      return false;
    }
    case TIEVObjectKind::iekNONE:
      break;
  }
  return false;
}

int TVectorLayer::FindObjectAt(double x, double y, double zoom, int maxDistance) const {
  if (zoom <= 0) return -1;
  for (auto it = FOrder.rbegin(); it != FOrder.rend(); ++it) {
    const TIEVObject& o = *FByHandle[static_cast<std::size_t>(*it)];
    if ((o.Style & (ievsVisible | ievsSelectable)) != (ievsVisible | ievsSelectable)) continue;
    // The pen is part of the object: half its width in window pixels adds to the tolerance.
    const double tol = (std::max(0, maxDistance) + std::max(1, o.PenWidth) / 2.0) / zoom;
    const double x0 = std::min(o.Left, o.Left + o.Width) - tol - 1,
                 x1 = std::max(o.Left, o.Left + o.Width) + tol + 1;
    const double y0 = std::min(o.Top, o.Top + o.Height) - tol - 1,
                 y1 = std::max(o.Top, o.Top + o.Height) + tol + 1;
    if (x < x0 || x > x1 || y < y0 || y > y1) continue;
    if (HitsObject(o, x, y, tol)) return *it;
  }
  return -1;
}

int TVectorLayer::FindPolylinePointAt(int h, double x, double y, double zoom,
                                      int maxDistance) const {
  const auto& p = Obj(h).Points;
  const double tol = (std::max(0, maxDistance) + 2) / std::max(zoom, 1e-9);
  int best = -1;
  double bestD = tol;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const double d = std::hypot(x - p[i].x - 0.5, y - p[i].y - 0.5);
    if (d <= bestD) bestD = d, best = static_cast<int>(i);
  }
  return best;
}

double TVectorLayer::GetAngleValue(int h) const {
  const auto& p = Obj(h).Points;
  if (p.size() < 3) return 0;
  const double ax = p[0].x - p[1].x, ay = p[0].y - p[1].y, bx = p[2].x - p[1].x,
               by = p[2].y - p[1].y;
  if ((ax == 0 && ay == 0) || (bx == 0 && by == 0)) return 0;
  const double a = std::atan2(ax * by - ay * bx, ax * bx + ay * by);
  return std::abs(a) * 180.0 / std::numbers::pi;
}

double TVectorLayer::GetPolylineArea(int h) const {
  const auto& p = Obj(h).Points;
  if (p.size() < 3) return 0;
  double s = 0;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
    s += double(p[j].x) * p[i].y - double(p[i].x) * p[j].y;
  return std::abs(s) / 2.0;
}

double TVectorLayer::GetPolylineLen(int h) const {
  const auto& p = Obj(h).Points;
  double s = 0;
  for (std::size_t i = 1; i < p.size(); ++i)
    s += std::hypot(double(p[i].x - p[i - 1].x), double(p[i].y - p[i - 1].y));
  return s;
}
