#include "imaging/ImageView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "imaging/ImageFiles.h"
#include "imaging/QtBitmap.h"

namespace {

bool IsPointKind(TIEVObjectKind k) {
  return k == TIEVObjectKind::iekPOLYLINE || k == TIEVObjectKind::iekANGLE;
}
bool IsLineKind(TIEVObjectKind k) {
  return k == TIEVObjectKind::iekLINE || k == TIEVObjectKind::iekLINELABEL;
}

// Averages 2^k x 2^k blocks of the bitmap into the pixels of dest inside d (level pixels).
void BuildLevelRegion(const TIEBitmap& bmp, int k, QImage& dest, const TIERect& d) {
  const int s = 1 << k;
  const int w = bmp.Width(), h = bmp.Height();
  const int x0 = d.Left * s, x1 = std::min(w, d.Right * s);
  std::vector<quint32> row(static_cast<std::size_t>(std::max(0, x1 - x0)));
  std::vector<std::uint64_t> sums(3 * static_cast<std::size_t>(d.Width()));
  for (int dy = d.Top; dy < d.Bottom; ++dy) {
    std::fill(sums.begin(), sums.end(), 0);
    const int sy0 = dy * s, sy1 = std::min(h, sy0 + s);
    for (int sy = sy0; sy < sy1; ++sy) {
      RowToRGB32(bmp, sy, x0, x1, row.data());
      for (int x = x0; x < x1; ++x) {
        const quint32 c = row[static_cast<std::size_t>(x - x0)];
        std::uint64_t* t = &sums[3 * static_cast<std::size_t>((x >> k) - d.Left)];
        t[0] += (c >> 16) & 255, t[1] += (c >> 8) & 255, t[2] += c & 255;
      }
    }
    auto* out = reinterpret_cast<quint32*>(dest.scanLine(dy));
    for (int dx = d.Left; dx < d.Right; ++dx) {
      const int cw = std::min(w, (dx + 1) * s) - dx * s;
      const std::uint64_t n =
          std::uint64_t(std::max(1, cw)) * std::uint64_t(std::max(1, sy1 - sy0));
      const std::uint64_t* t = &sums[3 * static_cast<std::size_t>(dx - d.Left)];
      out[dx] = 0xFF000000u | quint32(t[0] / n) << 16 | quint32(t[1] / n) << 8 | quint32(t[2] / n);
    }
  }
}

}  // namespace

TImageView::TImageView(QWidget* parent) : QAbstractScrollArea(parent) {
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  FLayer.SetOnChange([this] { viewport()->update(); });
  FProc.SetOnChange([this](const TIERect& r) { ImageChanged(r); });
  FAnts.setInterval(150);
  connect(&FAnts, &QTimer::timeout, this, [this] {
    FAntsPhase = (FAntsPhase + 1) % 8;
    if (FSelected) viewport()->update();
  });
  FMaths.SetClientSize(viewport()->width(), viewport()->height());
}

TImageView::~TImageView() = default;

void TImageView::DropCaches() {
  FLevels.clear();
}

void TImageView::ImageChanged() {
  if (!FBitmap.IsEmpty()) {
    FBlank = false;
    FMaths.SetBitmapSize(FBitmap.Width(), FBitmap.Height());
  }
  DropCaches();
  SyncScrollBars();
  viewport()->update();
}

void TImageView::ImageChanged(const TIERect& r) {
  const bool whole =
      r.Left <= 0 && r.Top <= 0 && r.Right >= FBitmap.Width() && r.Bottom >= FBitmap.Height();
  if (whole || FBitmap.Width() != FMaths.BitmapWidth() ||
      FBitmap.Height() != FMaths.BitmapHeight()) {
    ImageChanged();
    return;
  }
  RefreshLevels(r);
  viewport()->update();
}

bool TImageView::LoadFromFile(const std::string& path, std::string& error) {
  TIEBitmap b;
  if (!LoadImageFile(path, b, error)) return false;
  FBitmap = std::move(b);
  ImageChanged();
  return true;
}

void TImageView::Clear() {
  SetBlankSize(0, 0);
}

void TImageView::SetBlankSize(int width, int height) {
  FBitmap.Clear();
  FBlank = true;
  FMaths.SetBitmapSize(width, height);
  Deselect();
  DropCaches();
  SyncScrollBars();
  viewport()->update();
}

void TImageView::SetZoom(double percent) {
  FMaths.SetZoom(percent);
  ViewChanged();
}

void TImageView::Fit() {
  const double z = FMaths.FitZoom();
  if (z > 0) SetZoom(z);
}

void TImageView::SetViewXY(int x, int y) {
  FMaths.SetViewXY(x, y);
  ViewChanged();
}

void TImageView::ViewChanged() {
  SyncScrollBars();
  viewport()->update();
  if (OnViewChange) OnViewChange();
}

void TImageView::SyncScrollBars() {
  FSyncing = true;
  horizontalScrollBar()->setRange(0, FMaths.ScrollMaxX());
  horizontalScrollBar()->setPageStep(std::max(1, FMaths.ClientWidth()));
  horizontalScrollBar()->setSingleStep(20);
  horizontalScrollBar()->setValue(FMaths.ViewX());
  verticalScrollBar()->setRange(0, FMaths.ScrollMaxY());
  verticalScrollBar()->setPageStep(std::max(1, FMaths.ClientHeight()));
  verticalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setValue(FMaths.ViewY());
  FSyncing = false;
  // Showing or hiding a scroll bar changes the viewport.
  if (viewport()->width() != FMaths.ClientWidth() ||
      viewport()->height() != FMaths.ClientHeight()) {
    FMaths.SetClientSize(viewport()->width(), viewport()->height());
  }
}

void TImageView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  FMaths.SetClientSize(viewport()->width(), viewport()->height());
  SyncScrollBars();
}

void TImageView::scrollContentsBy(int, int) {
  if (FSyncing) return;
  FMaths.SetViewXY(horizontalScrollBar()->value(), verticalScrollBar()->value());
  viewport()->update();
  if (OnViewChange) OnViewChange();
}

void TImageView::SetMouseInteractVt(TIEMouseInteractVt v) {
  // Switching putting off ends what it had started.
  if (!(v & miPutAngle) && FAngleStage > 0) FAngleStage = 0, FAngleObj = -1;
  FInteractVt = v;
}

void TImageView::SetMouseInteract(TIEMouseInteract v) {
  FInteract = v;
}

void TImageView::SetSelectionOptions(TIESelectionOptions v) {
  FSelOptions = v;
  if (v & iesoAnimated)
    FAnts.start();
  else
    FAnts.stop();
  viewport()->update();
}

void TImageView::Select(int x1, int y1, int x2, int y2) {
  FSel = {std::max(0, std::min(x1, x2)), std::max(0, std::min(y1, y2)),
          std::min(FMaths.BitmapWidth(), std::max(x1, x2)),
          std::min(FMaths.BitmapHeight(), std::max(y1, y2))};
  FSelected = !FSel.IsEmpty();
  if (!FSelected) FSel = {};
  viewport()->update();
}

void TImageView::Deselect() {
  const bool was = FSelected;
  FSelected = false;
  FSel = {};
  if (FDrag == TDrag::Select || FDrag == TDrag::MoveSelection || FDrag == TDrag::SizeSelection)
    FDrag = TDrag::None;
  if (was) {
    viewport()->update();
    if (OnSelectionChange) OnSelectionChange();
  }
}

void TImageView::CancelInteracts() {
  if (FDrag == TDrag::PutLine && FDragObj >= 0 && FLayer.IsObject(FDragObj)) {
    if (FLayer.ObjWidth(FDragObj) == 0 && FLayer.ObjHeight(FDragObj) == 0)
      FLayer.RemoveObject(FDragObj);
  }
  FDrag = TDrag::None;
  FDragObj = -1;
  FAngleStage = 0;
  FAngleObj = -1;
  viewport()->update();
}

// ---- Drawing.

const QImage& TImageView::Level(int k) {
  auto it = FLevels.find(k);
  if (it != FLevels.end()) return it->second;
  const int s = 1 << k;
  const int lw = (FBitmap.Width() + s - 1) / s, lh = (FBitmap.Height() + s - 1) / s;
  QImage img(lw, lh, QImage::Format_RGB32);
  BuildLevelRegion(FBitmap, k, img, {0, 0, lw, lh});
  return FLevels.emplace(k, std::move(img)).first->second;
}

void TImageView::RefreshLevels(const TIERect& r) {
  for (auto& [k, img] : FLevels) {
    const int s = 1 << k;
    const TIERect d{std::max(0, r.Left / s), std::max(0, r.Top / s),
                    std::min(img.width(), (r.Right + s - 1) / s),
                    std::min(img.height(), (r.Bottom + s - 1) / s)};
    if (!d.IsEmpty()) BuildLevelRegion(FBitmap, k, img, d);
  }
}

void TImageView::DrawChessboard(QPainter& p, const QRect& area) const {
  const int cell = 8;
  p.fillRect(area, QColor(255, 255, 255));
  const QColor dark(204, 204, 204);
  for (int y = area.top() / cell * cell; y <= area.bottom(); y += cell)
    for (int x = area.left() / cell * cell + ((y / cell) % 2 ? cell : 0); x <= area.right();
         x += 2 * cell)
      p.fillRect(QRect(x, y, cell, cell) & area, dark);
}

void TImageView::PaintView(QPainter& p, const QRect& area) {
  const double z = FMaths.Zoom() / 100.0;
  // The bitmap area under `area`.
  const QRectF bmpArea(
      QPointF(FMaths.XScr2BmpF(area.left()), FMaths.YScr2BmpF(area.top())),
      QPointF(FMaths.XScr2BmpF(area.right() + 1), FMaths.YScr2BmpF(area.bottom() + 1)));
  if (FBitmap.IsEmpty()) {
    DrawChessboard(p, area);
  } else {
    p.fillRect(area, palette().color(QPalette::Dark));
    const TIERect r{std::max(0, int(std::floor(bmpArea.left()))),
                    std::max(0, int(std::floor(bmpArea.top()))),
                    std::min(FBitmap.Width(), int(std::ceil(bmpArea.right()))),
                    std::min(FBitmap.Height(), int(std::ceil(bmpArea.bottom())))};
    if (!r.IsEmpty()) {
      p.setRenderHint(QPainter::SmoothPixmapTransform, false);
      int k = 0;
      while (k < 20 && (1 << (k + 1)) * z <= 1.0 + 1e-9) ++k;
      if (k == 0) {
        const QImage img = RenderRegion(FBitmap, r);
        p.drawImage(QRectF(FMaths.XBmp2ScrF(r.Left), FMaths.YBmp2ScrF(r.Top), r.Width() * z,
                           r.Height() * z),
                    img);
      } else {
        const QImage& lev = Level(k);
        const int s = 1 << k;
        const QRect src(r.Left / s, r.Top / s, (r.Right + s - 1) / s - r.Left / s,
                        (r.Bottom + s - 1) / s - r.Top / s);
        const QRectF dst(FMaths.XBmp2ScrF(src.left() * s), FMaths.YBmp2ScrF(src.top() * s),
                         src.width() * s * z, src.height() * s * z);
        p.drawImage(dst, lev, src);
      }
    }
  }
  TObjectPaintArgs a;
  a.Zoom = z;
  a.Origin = QPointF(FMaths.XBmp2ScrF(0), FMaths.YBmp2ScrF(0));
  a.ClipBmp = bmpArea;
  a.Cache = &FCache;
  a.GripSize = FGripSize;
  a.GripPen = ToQColor(FGripPen);
  a.GripBrush = ToQColor(FGripBrush);
  a.GripBrushClear = FGripBrushStyle == TIEBrushStyle::bsClear;
  p.setClipRect(area);
  PaintVectorObjects(p, FLayer, a);
  if (FSelected) {
    const QRectF sr(QPointF(FMaths.XBmp2ScrF(FSel.Left), FMaths.YBmp2ScrF(FSel.Top)),
                    QPointF(FMaths.XBmp2ScrF(FSel.Right), FMaths.YBmp2ScrF(FSel.Bottom)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(sr);
    QPen ants(Qt::black, 1, Qt::CustomDashLine);
    ants.setDashPattern({4, 4});
    ants.setDashOffset(FSelOptions & iesoAnimated ? FAntsPhase : 0);
    p.setPen(ants);
    p.drawRect(sr);
  }
}

void TImageView::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  PaintView(p, e->rect());
}

// ---- Mouse.

int TImageView::GripAt(int h, double sx, double sy) const {
  const TIEVObject& o = FLayer.Obj(h);
  const double z = FMaths.Zoom() / 100.0;
  const auto scr = [&](double bx, double by) {
    return QPointF(FMaths.XBmp2ScrF(bx), FMaths.YBmp2ScrF(by));
  };
  std::vector<QPointF> at;
  if (IsLineKind(o.Kind)) {
    at = {scr(o.Left + 0.5, o.Top + 0.5), scr(o.Left + o.Width + 0.5, o.Top + o.Height + 0.5)};
  } else if (IsPointKind(o.Kind)) {
    for (const auto& p : o.Points) at.push_back(scr(p.x + 0.5, p.y + 0.5));
  } else {
    const QRectF r = QRectF(scr(o.Left, o.Top), QSizeF(o.Width * z, o.Height * z)).normalized();
    at = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
  }
  const double reach = std::max(1.0, FGripSize / 2.0);
  for (std::size_t i = 0; i < at.size(); ++i)
    if (std::abs(at[i].x() - sx) <= reach && std::abs(at[i].y() - sy) <= reach)
      return static_cast<int>(i);
  return -1;
}

bool TImageView::SelectObjectAt(int h, bool add) {
  if (FLayer.IsSelObject(h)) return false;
  if (!add) FLayer.UnSelAllObjects();
  FLayer.AddSelObject(h);
  if (OnSelectObject) OnSelectObject();
  return true;
}

void TImageView::Press(QMouseEvent* e) {
  const QPointF pos = e->position();
  const double bx = FMaths.XScr2BmpF(pos.x()), by = FMaths.YScr2BmpF(pos.y());
  const TIEPoint ip{int(std::floor(bx)), int(std::floor(by))};
  const double z = FMaths.Zoom() / 100.0;
  FStartX = bx, FStartY = by;
  FAppliedX = FAppliedY = 0;
  FDragMoved = false;

  // An angle in progress takes the next presses, whatever else is switched on.
  if (FAngleStage > 0 && FLayer.IsObject(FAngleObj)) {
    const auto pts = FLayer.ObjPolylinePoints(FAngleObj);
    if (FAngleStage == 1) {
      FLayer.SetObjAnglePoints(FAngleObj, pts[0], ip, ip);
      FAngleStage = 2;
    } else {
      FLayer.SetObjAnglePoints(FAngleObj, pts[0], pts[1], ip);
      const int h = FAngleObj;
      FAngleStage = 0;
      FAngleObj = -1;
      if (OnNewObject) OnNewObject(h);
    }
    return;
  }
  if (FInteractVt & miPutAngle) {
    const int h = FLayer.AddNewObject();
    FLayer.SetObjKind(h, TIEVObjectKind::iekANGLE);
    FLayer.SetObjAnglePoints(h, ip, ip, ip);
    FAngleObj = h;
    FAngleStage = 1;
    return;
  }
  if (FInteractVt & miPutLine) {
    const int h = FLayer.AddNewObject();
    const TIEVObjectKind k = FLayer.ObjKind(-1);
    FLayer.SetObjKind(h, k == TIEVObjectKind::iekLINELABEL ? k : TIEVObjectKind::iekLINE);
    FLayer.SetObjRect(h, {ip.x, ip.y, ip.x, ip.y});
    FDrag = TDrag::PutLine;
    FDragObj = h;
    return;
  }
  if (FInteractVt & (miObjectSelect | miEditPolyline)) {
    // Grips of selected objects come before the objects themselves.
    for (int i = FLayer.SelObjectsCount() - 1; i >= 0; --i) {
      const int h = FLayer.SelObjects(i);
      const TIEVObject& o = FLayer.Obj(h);
      if ((o.Style & (ievsSizeable | ievsVisible)) != (ievsSizeable | ievsVisible) ||
          FGripSize == 0)
        continue;
      const int g = GripAt(h, pos.x(), pos.y());
      if (g < 0) continue;
      FDrag = IsPointKind(o.Kind) ? TDrag::Vertex : TDrag::Resize;
      FDragObj = h;
      FDragIndex = g;
      FDragRect = FLayer.ObjRect(h);
      return;
    }
    const int h = FLayer.FindObjectAt(bx, by, z, FMaxSelectionDistance);
    if ((FInteractVt & miEditPolyline) && h >= 0 &&
        FLayer.ObjKind(h) == TIEVObjectKind::iekPOLYLINE) {
      const int pi = FLayer.FindPolylinePointAt(h, bx, by, z, FMaxSelectionDistance);
      if (pi >= 0) {
        SelectObjectAt(h, e->modifiers() & Qt::ShiftModifier);
        FDrag = TDrag::Vertex;
        FDragObj = h;
        FDragIndex = pi;
        return;
      }
      if (!(FInteractVt & miObjectSelect)) {
        SelectObjectAt(h, e->modifiers() & Qt::ShiftModifier);
        return;
      }
    }
    if ((FInteractVt & miObjectSelect) && h >= 0) {
      SelectObjectAt(h, e->modifiers() & Qt::ShiftModifier);
      FDrag = TDrag::Move;
      FDragObj = h;
      return;
    }
    if (h < 0 && FLayer.SelObjectsCount() > 0) {
      FLayer.UnSelAllObjects();
      if (OnSelectObject) OnSelectObject();
    }
  }
  if (FInteract & miSelect) {
    if (FSelected && (FSelOptions & iesoSizeable)) {
      const QPointF c[4] = {{FMaths.XBmp2ScrF(FSel.Left), FMaths.YBmp2ScrF(FSel.Top)},
                            {FMaths.XBmp2ScrF(FSel.Right), FMaths.YBmp2ScrF(FSel.Top)},
                            {FMaths.XBmp2ScrF(FSel.Left), FMaths.YBmp2ScrF(FSel.Bottom)},
                            {FMaths.XBmp2ScrF(FSel.Right), FMaths.YBmp2ScrF(FSel.Bottom)}};
      for (int i = 0; i < 4; ++i)
        if (std::abs(c[i].x() - pos.x()) <= 4 && std::abs(c[i].y() - pos.y()) <= 4) {
          FDrag = TDrag::SizeSelection;
          FDragIndex = i;
          FSelStart = FSel;
          return;
        }
    }
    if (FSelected && (FSelOptions & iesoMoveable) && bx >= FSel.Left && bx < FSel.Right &&
        by >= FSel.Top && by < FSel.Bottom) {
      FDrag = TDrag::MoveSelection;
      FSelStart = FSel;
      return;
    }
    FDrag = TDrag::Select;
    FSelStart = {ip.x, ip.y, ip.x, ip.y};
    FSelected = false;
    FSel = {};
    viewport()->update();
  }
}

void TImageView::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (OnMouseDown) OnMouseDown(e->button(), e->modifiers(), pos.x(), pos.y());
  if (e->button() == Qt::LeftButton) Press(e);
}

void TImageView::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (OnMouseDown) OnMouseDown(e->button(), e->modifiers(), pos.x(), pos.y());
  if (e->button() != Qt::LeftButton) return;
  Press(e);
  const int h = FLayer.FindObjectAt(FMaths.XScr2BmpF(pos.x()), FMaths.YScr2BmpF(pos.y()),
                                    FMaths.Zoom() / 100.0, FMaxSelectionDistance);
  if (h >= 0 && OnObjectDblClick) OnObjectDblClick(h);
}

void TImageView::mouseMoveEvent(QMouseEvent* e) {
  const QPointF pos = e->position();
  if (OnMouseMove) OnMouseMove(e->buttons(), e->modifiers(), int(pos.x()), int(pos.y()));
  const double bx = FMaths.XScr2BmpF(pos.x()), by = FMaths.YScr2BmpF(pos.y());
  const TIEPoint ip{int(std::floor(bx)), int(std::floor(by))};
  if (FAngleStage > 0 && FLayer.IsObject(FAngleObj)) {
    const auto pts = FLayer.ObjPolylinePoints(FAngleObj);
    if (FAngleStage == 1)
      FLayer.SetObjAnglePoints(FAngleObj, pts[0], ip, ip);
    else
      FLayer.SetObjAnglePoints(FAngleObj, pts[0], pts[1], ip);
    return;
  }
  if (!(e->buttons() & Qt::LeftButton)) FDrag = TDrag::None;
  const int tx = int(std::lround(bx - FStartX)), ty = int(std::lround(by - FStartY));
  switch (FDrag) {
    case TDrag::None: {
      const int h = FLayer.FindObjectAt(bx, by, FMaths.Zoom() / 100.0, FMaxSelectionDistance);
      if (h != FHover) {
        FHover = h;
        if (h >= 0 && OnObjectOver) OnObjectOver(h);
      }
      return;
    }
    case TDrag::Move: {
      const int dx = tx - FAppliedX, dy = ty - FAppliedY;
      if (dx == 0 && dy == 0) return;
      FAppliedX = tx, FAppliedY = ty;
      FDragMoved = true;
      std::vector<int> moved;
      for (int i = 0; i < FLayer.SelObjectsCount(); ++i)
        if (FLayer.ObjStyle(FLayer.SelObjects(i)) & ievsMoveable)
          moved.push_back(FLayer.SelObjects(i));
      for (int h : moved) {
        FLayer.MoveObj(h, dx, dy);
        if (OnObjectMoveResize) OnObjectMoveResize(h, -1, dx, dy);
      }
      return;
    }
    case TDrag::Vertex: {
      if (!FLayer.IsObject(FDragObj)) return;
      const TIEPoint old = FLayer.ObjPolylinePoint(FDragObj, FDragIndex);
      if (old == ip) return;
      FDragMoved = true;
      FLayer.SetObjPolylinePoint(FDragObj, FDragIndex, ip);
      if (OnObjectMoveResize) OnObjectMoveResize(FDragObj, FDragIndex, ip.x - old.x, ip.y - old.y);
      return;
    }
    case TDrag::Resize: {
      if (!FLayer.IsObject(FDragObj)) return;
      const TIEObjRect before = FLayer.ObjRect(FDragObj);
      TIEObjRect r = FDragRect;
      if (IsLineKind(FLayer.ObjKind(FDragObj))) {
        if (FDragIndex == 0)
          r.Left += tx, r.Top += ty;
        else
          r.Right += tx, r.Bottom += ty;
      } else {
        (FDragIndex % 2 == 0 ? r.Left : r.Right) += tx;
        (FDragIndex < 2 ? r.Top : r.Bottom) += ty;
      }
      if (r == before) return;
      FDragMoved = true;
      FLayer.SetObjRect(FDragObj, r);
      if (OnObjectMoveResize)
        OnObjectMoveResize(FDragObj, FDragIndex, (r.Right - r.Left) - (before.Right - before.Left),
                           (r.Bottom - r.Top) - (before.Bottom - before.Top));
      return;
    }
    case TDrag::PutLine:
      if (FLayer.IsObject(FDragObj)) {
        FLayer.SetObjWidth(FDragObj, ip.x - FLayer.ObjLeft(FDragObj));
        FLayer.SetObjHeight(FDragObj, ip.y - FLayer.ObjTop(FDragObj));
      }
      return;
    case TDrag::Select:
      Select(FSelStart.Left, FSelStart.Top, ip.x, ip.y);
      return;
    case TDrag::MoveSelection: {
      const int dx = std::clamp(tx, -FSelStart.Left, FMaths.BitmapWidth() - FSelStart.Right);
      const int dy = std::clamp(ty, -FSelStart.Top, FMaths.BitmapHeight() - FSelStart.Bottom);
      Select(FSelStart.Left + dx, FSelStart.Top + dy, FSelStart.Right + dx, FSelStart.Bottom + dy);
      return;
    }
    case TDrag::SizeSelection: {
      TIERect r = FSelStart;
      (FDragIndex % 2 == 0 ? r.Left : r.Right) += tx;
      (FDragIndex < 2 ? r.Top : r.Bottom) += ty;
      Select(r.Left, r.Top, r.Right, r.Bottom);
      return;
    }
  }
}

void TImageView::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (OnMouseUp) OnMouseUp(e->button(), e->modifiers(), pos.x(), pos.y());
  if (e->button() != Qt::LeftButton) return;
  const TDrag drag = FDrag;
  const int h = FDragObj;
  FDrag = TDrag::None;
  FDragObj = -1;
  switch (drag) {
    case TDrag::PutLine:
      if (!FLayer.IsObject(h)) break;
      // A click without dragging puts no line.
      if (FLayer.ObjWidth(h) == 0 && FLayer.ObjHeight(h) == 0)
        FLayer.RemoveObject(h);
      else if (OnNewObject)
        OnNewObject(h);
      break;
    case TDrag::Move:
      if (!FDragMoved && OnObjectClick && FLayer.IsObject(h)) OnObjectClick(h);
      break;
    case TDrag::Select:
    case TDrag::MoveSelection:
    case TDrag::SizeSelection:
      if (!FSelected) FSel = {};
      if (OnSelectionChange) OnSelectionChange();
      break;
    default:
      break;
  }
}

void TImageView::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (delta == 0 || FWheelAction == TIEMouseWheelAction::iemwNone) {
    e->ignore();
    return;
  }
  if (FWheelAction == TIEMouseWheelAction::iemwZoom) {
    double z = delta > 0 ? Zoom() * 1.1 : Zoom() / 1.1;
    if (delta > 0 && OnZoomIn) OnZoomIn(z);
    if (delta < 0 && OnZoomOut) OnZoomOut(z);
    const QPoint p = e->position().toPoint();
    FMaths.SetZoomAt(z, p.x(), p.y());
    ViewChanged();
  } else {
    SetViewXY(ViewX(), ViewY() - delta * 60 / 120);
  }
  e->accept();
}

// ---- Objects into the image, clipboard.

void TImageView::CopyObjectsToBack() {
  if (FBitmap.IsEmpty()) return;
  FBitmap.ConvertTo(TIEPixelFormat::ie24RGB);
  const int w = FBitmap.Width(), h = FBitmap.Height();
  // One band of rows at a time: only the rows the objects cover are written.
  double top = h, bottom = 0;
  for (int i = 0; i < FLayer.ObjectsCount(); ++i) {
    const TIEVObject& o = FLayer.Obj(FLayer.GetObjFromIndex(i));
    if (!(o.Style & ievsVisible)) continue;
    top = std::min({top, double(o.Top), double(o.Top + o.Height)}) - 2 * o.FontHeight - 20;
    bottom = std::max({bottom, double(o.Top), double(o.Top + o.Height)}) + 2 * o.FontHeight + 20;
  }
  const int rows = FBitmap.BandRows();
  const int y0 = std::max(0, int(top)) / rows * rows, y1 = std::min(h, int(bottom));
  for (int y = y0; y < y1; y += rows) {
    const int n = std::min(rows, h - y);
    QImage band(FBitmap.WritableScanLine(y), w, n, qsizetype(FBitmap.RowStride()),
                QImage::Format_RGB888);
    QPainter p(&band);
    TObjectPaintArgs a;
    a.Zoom = 1;
    a.Origin = QPointF(0, -y);
    a.ClipBmp = QRectF(0, y, w, n);
    PaintVectorObjects(p, FLayer, a);
  }
  ImageChanged();
}

void TImageView::CopyToClipboard(bool withObjects) {
  if (FBitmap.IsEmpty()) return;
  if (!withObjects) {
    QGuiApplication::clipboard()->setImage(
        BitmapToQImage(FBitmap).convertToFormat(QImage::Format_RGB32));
    return;
  }
  const TIEBitmap::TSnapshot keep = FBitmap.Snapshot();
  CopyObjectsToBack();
  QGuiApplication::clipboard()->setImage(
      BitmapToQImage(FBitmap).convertToFormat(QImage::Format_RGB32));
  FBitmap.Restore(keep);
  ImageChanged();
}
