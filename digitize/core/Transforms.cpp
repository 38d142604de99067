#include "digitize/core/Transforms.h"

#include "model/Checked.h"
#include "model/Errors.h"

TTransformKind ParseTransformKind(std::string_view kind) {
  if (kind == "vertical") return TTransformKind::Vertical;
  if (kind == "horizontal") return TTransformKind::Horizontal;
  if (kind == "crop") return TTransformKind::Crop;
  throw ElmkException("Unknown image transform: " + std::string(kind));
}

namespace {

struct TMap {
  TTransformKind Kind;
  TTransformFrame F;

  int BoxX(int l, int w) const {
    switch (Kind) {
      case TTransformKind::Horizontal:
        return CheckedSub(CheckedSub(F.Width, l), w);
      case TTransformKind::Crop:
        return CheckedSub(l, F.X1);
      default:
        return l;
    }
  }
  int BoxY(int t, int h) const {
    switch (Kind) {
      case TTransformKind::Vertical:
        return CheckedSub(CheckedSub(F.Height, t), h);
      case TTransformKind::Crop:
        return CheckedSub(t, F.Y1);
      default:
        return t;
    }
  }
  int PointX(int x) const {
    switch (Kind) {
      case TTransformKind::Horizontal:
        return CheckedSub(F.Width, x);
      case TTransformKind::Crop:
        return CheckedSub(x, F.X1);
      default:
        return x;
    }
  }
  int PointY(int y) const {
    switch (Kind) {
      case TTransformKind::Vertical:
        return CheckedSub(F.Height, y);
      case TTransformKind::Crop:
        return CheckedSub(y, F.Y1);
      default:
        return y;
    }
  }
  bool IsCrop() const { return Kind == TTransformKind::Crop; }
  int NewW() const { return CheckedSub(F.X2, F.X1); }
  int NewH() const { return CheckedSub(F.Y2, F.Y1); }
};

bool IsBox(int id) {
  return id == 1 || id == 2;
}
bool IsPolyline(int id) {
  return id == 3 || id == 4;
}
bool IsFixedOutline(int id) {
  return id == 5 || id == 9 || id == 10;
}

}  // namespace

TAdjustCheck CheckAdjustAnnotations(TTransformKind kind, const TTransformFrame& frame,
                                    const std::vector<TAnnotationObject>& objects) {
  const TMap m{kind, frame};
  TAdjustCheck r;
  for (const TAnnotationObject& o : objects) {
    if (IsBox(o.ID)) {
      const int l = m.BoxX(o.Left, o.Width);
      const int t = m.BoxY(o.Top, o.Height);
      if (l < 0 || t < 0) r.Outside = true;
      if (m.IsCrop() && (CheckedSub(CheckedAdd(o.Left, o.Width), frame.X1) > m.NewW() ||
                         CheckedSub(CheckedAdd(o.Top, o.Height), frame.Y1) > m.NewH()))
        r.Outside = true;
    } else if (IsPolyline(o.ID)) {
      for (const Ticoords& p : o.Points) {
        const int x = m.PointX(p.x);
        const int y = m.PointY(p.y);
        if (x < 0 || y < 0) r.Outside = true;
        if (m.IsCrop() && (x > m.NewW() || y > m.NewH())) r.Outside = true;
      }
    } else if (IsFixedOutline(o.ID)) {
      r.Cannot = true;
    }
  }
  if (r.Cannot) r.Message += "Some objects cannot be adjusted.";
  if (r.Outside) r.Message += " Some adjusted objects are out of bounds.";
  if (!r.Message.empty()) r.Message += "Continue anyway?";
  return r;
}

void AdjustAnnotations(TTransformKind kind, const TTransformFrame& frame,
                       std::vector<TAnnotationObject>& objects) {
  const TMap m{kind, frame};
  for (TAnnotationObject& o : objects) {
    if (IsBox(o.ID)) {
      int l = m.BoxX(o.Left, o.Width);
      int t = m.BoxY(o.Top, o.Height);
      if (o.ID == 1) {
        // A marker keeps its centre pixel whenever that pixel is still on the image.
        if (l + o.Width / 2 < 0) l = -(o.Width / 2);
        if (t + o.Height / 2 < 0) t = -(o.Height / 2);
      } else {
        if (l < 0) l = 0;
        if (t < 0) t = 0;
      }
      if (m.IsCrop()) {
        if (l + o.Width / 2 > m.NewW() - 1) l = m.NewW() - o.Width / 2 - 1;
        if (t + o.Height / 2 > m.NewH() - 1) t = m.NewH() - o.Height / 2 - 1;
      }
      o.Left = l;
      o.Top = t;
    } else if (IsPolyline(o.ID)) {
      for (Ticoords& p : o.Points) {
        int x = m.PointX(p.x);
        int y = m.PointY(p.y);
        if (x < 0) x = 0;
        if (y < 0) y = 0;
        if (m.IsCrop()) {
          if (x > m.NewW() - 1) x = m.NewW() - 1;
          if (y > m.NewH() - 1) y = m.NewH() - 1;
        }
        p = {x, y};
      }
    }
  }
}
