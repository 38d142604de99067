#pragma once
// The layer of vector objects drawn over the image: landmarks, labels, curves, outlines,
// measurement lines and angles. Plain geometry, no widgets.
//
// Handles come from a counter: consecutive AddNewObject calls return consecutive handles
// and a handle stays valid until its object is removed. Handle -1 addresses the template
// from which AddNewObject creates the next object. Coordinates are bitmap pixels, origin
// at the top-left pixel, y downwards. An unknown handle raises std::out_of_range.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A colour in the platform's order: 0x00BBGGRR (red in the low byte).
using TIEColor = std::uint32_t;
constexpr TIEColor IERGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TIEColor(r) | (TIEColor(g) << 8) | (TIEColor(b) << 16);
}
constexpr std::uint8_t IERed(TIEColor c) {
  return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t IEGreen(TIEColor c) {
  return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t IEBlue(TIEColor c) {
  return std::uint8_t((c >> 16) & 0xFF);
}

enum class TIEVObjectKind {
  iekNONE,
  iekLINE,
  iekBOX,
  iekELLIPSE,
  iekTEXT,
  iekPOLYLINE,
  iekLINELABEL,
  iekANGLE
};
enum class TIEPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TIEBrushStyle { bsSolid, bsClear };
enum class TIELabelPos { ielBegin, ielEnd };

// Font styles, a set of bits.
using TIEFontStyles = unsigned;
constexpr TIEFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// Object styles, a set of bits.
using TIEVStyles = unsigned;
constexpr TIEVStyles ievsSelectable = 1, ievsMoveable = 2, ievsSizeable = 4, ievsVisible = 8;
constexpr TIEVStyles ievsAll = ievsSelectable | ievsMoveable | ievsSizeable | ievsVisible;

struct TIEPoint {
  int x = 0, y = 0;
  friend bool operator==(const TIEPoint&, const TIEPoint&) = default;
};

// Left, top, right, bottom with right = left + width and bottom = top + height.
struct TIEObjRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TIEObjRect&, const TIEObjRect&) = default;
};

struct TIEVObject {
  int ID = 0;
  TIEVObjectKind Kind = TIEVObjectKind::iekLINE;
  std::optional<std::vector<std::uint8_t>> UserData;  // nullopt = none
  // A line runs from (Left, Top) to (Left + Width, Top + Height); widths may be negative.
  // Polylines and angles take these from the bounding box of their points.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  TIEColor PenColor = IERGB(0, 0, 0);
  int PenWidth = 1;
  TIEPenStyle PenStyle = TIEPenStyle::psSolid;
  TIEColor BrushColor = IERGB(255, 255, 255);
  TIEBrushStyle BrushStyle = TIEBrushStyle::bsClear;
  std::string FontName = "Arial";
  int FontHeight = 12;  // bitmap pixels
  TIEFontStyles FontStyles = 0;
  std::string Text;
  bool TextAutoSize = false;
  TIELabelPos LabelPosition = TIELabelPos::ielEnd;
  std::vector<TIEPoint> Points;  // polyline points, or the three points of an angle
  bool PolylineClosed = false;
  TIEVStyles Style = ievsAll;
};

class TVectorLayer {
 public:
  static constexpr int kTemplate = -1;

  // Called after every change that alters what is drawn (for the view's repaint).
  void SetOnChange(std::function<void()> f) { FOnChange = std::move(f); }

  int AddNewObject();
  int ObjectsCount() const { return static_cast<int>(FOrder.size()); }
  // Handle at drawing-order position i (0 = back-most).
  int GetObjFromIndex(int i) const;
  int IndexOfObj(int h) const;  // -1 when h is not an object
  bool IsObject(int h) const;
  void RemoveObject(int h);  // an unknown handle is ignored
  void RemoveAllObjects();
  // Moves h just behind ref in the drawing order.
  void SetObjBackTo(int h, int ref);
  void SetObjFrontOf(int h, int ref);
  void BringToFront(int h);

  const TIEVObject& Obj(int h) const;
  void SetObj(int h, const TIEVObject& o);
  // Changes object h in place through f; the box of a point object is refitted after.
  void ModifyObj(int h, const std::function<void(TIEVObject&)>& f);
  // Change notifications wait until the outermost EndUpdate, which sends one if needed.
  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();

  int ObjID(int h) const { return Obj(h).ID; }
  void SetObjID(int h, int id);
  TIEVObjectKind ObjKind(int h) const { return Obj(h).Kind; }
  void SetObjKind(int h, TIEVObjectKind k);
  const std::vector<std::uint8_t>* ObjUserData(int h) const;  // nullptr = none
  void SetObjUserData(int h, std::vector<std::uint8_t> data);
  void ClearObjUserData(int h);

  int ObjLeft(int h) const { return Obj(h).Left; }
  int ObjTop(int h) const { return Obj(h).Top; }
  int ObjWidth(int h) const { return Obj(h).Width; }
  int ObjHeight(int h) const { return Obj(h).Height; }
  void SetObjLeft(int h, int v);    // moves polyline points along
  void SetObjTop(int h, int v);     // moves polyline points along
  void SetObjWidth(int h, int v);   // scales polyline points
  void SetObjHeight(int h, int v);  // scales polyline points
  TIEObjRect ObjRect(int h) const;
  void SetObjRect(int h, const TIEObjRect& r);
  // Moves an object (all its points) by (dx, dy).
  void MoveObj(int h, int dx, int dy);

  TIEColor ObjPenColor(int h) const { return Obj(h).PenColor; }
  void SetObjPenColor(int h, TIEColor c);
  int ObjPenWidth(int h) const { return Obj(h).PenWidth; }
  void SetObjPenWidth(int h, int w);
  TIEPenStyle ObjPenStyle(int h) const { return Obj(h).PenStyle; }
  void SetObjPenStyle(int h, TIEPenStyle s);
  TIEColor ObjBrushColor(int h) const { return Obj(h).BrushColor; }
  void SetObjBrushColor(int h, TIEColor c);
  TIEBrushStyle ObjBrushStyle(int h) const { return Obj(h).BrushStyle; }
  void SetObjBrushStyle(int h, TIEBrushStyle s);
  TIEVStyles ObjStyle(int h) const { return Obj(h).Style; }
  void SetObjStyle(int h, TIEVStyles s);

  const std::string& ObjText(int h) const { return Obj(h).Text; }
  void SetObjText(int h, const std::string& t);
  bool ObjTextAutoSize(int h) const { return Obj(h).TextAutoSize; }
  void SetObjTextAutoSize(int h, bool v);
  const std::string& ObjFontName(int h) const { return Obj(h).FontName; }
  void SetObjFontName(int h, const std::string& n);
  int ObjFontHeight(int h) const { return Obj(h).FontHeight; }
  void SetObjFontHeight(int h, int v);
  TIEFontStyles ObjFontStyles(int h) const { return Obj(h).FontStyles; }
  void SetObjFontStyles(int h, TIEFontStyles s);
  TIELabelPos ObjLabelPosition(int h) const { return Obj(h).LabelPosition; }
  void SetObjLabelPosition(int h, TIELabelPos p);

  const std::vector<TIEPoint>& ObjPolylinePoints(int h) const { return Obj(h).Points; }
  int ObjPolylinePointsCount(int h) const { return static_cast<int>(Obj(h).Points.size()); }
  TIEPoint ObjPolylinePoint(int h, int i) const;  // 0-based
  void SetObjPolylinePoints(int h, const std::vector<TIEPoint>& pts);
  void SetObjPolylinePoint(int h, int i, TIEPoint p);  // 0-based
  bool ObjPolylineClosed(int h) const { return Obj(h).PolylineClosed; }
  void SetObjPolylineClosed(int h, bool v);
  // The three points of an angle: first arm end, vertex, second arm end.
  void SetObjAnglePoints(int h, TIEPoint a, TIEPoint vertex, TIEPoint b);

  // Selection, in the order objects were selected.
  int SelObjectsCount() const { return static_cast<int>(FSelected.size()); }
  int SelObjects(int i) const;
  bool IsSelObject(int h) const;
  void AddSelObject(int h);
  void UnSelObject(int h);
  void UnSelAllObjects();
  void SelAllObjects();

  // Front-most visible, selectable object within tolerance of bitmap point (x, y); the
  // tolerance is maxDistance window pixels at the given zoom (1 = 100 %). -1 when none.
  int FindObjectAt(double x, double y, double zoom, int maxDistance) const;
  // Index of the vertex of polyline h within tolerance of (x, y), or -1.
  int FindPolylinePointAt(int h, double x, double y, double zoom, int maxDistance) const;

  // Angle at the vertex of an angle object, 0..180 degrees.
  double GetAngleValue(int h) const;
  // Shoelace area of the points taken as a closed polygon, square pixels.
  double GetPolylineArea(int h) const;
  // Sum of the segments between consecutive points, no closing segment.
  double GetPolylineLen(int h) const;

 private:
  TIEVObject& Mut(int h);
  void Changed() const {
    if (FUpdating > 0)
      FChangePending = true;
    else if (FOnChange)
      FOnChange();
  }
  static void FitBoxToPoints(TIEVObject& o);
  static bool HitsObject(const TIEVObject& o, double x, double y, double tol);

  TIEVObject FTemplate;
  std::vector<std::unique_ptr<TIEVObject>> FByHandle;  // index = handle, nullptr once removed
  std::vector<int> FOrder;                             // drawing order, back to front
  std::vector<int> FSelected;
  std::function<void()> FOnChange;
  int FUpdating = 0;
  mutable bool FChangePending = false;
};
