#include "imaging/ViewMaths.h"

#include <algorithm>
#include <cmath>

void TViewMaths::SetBitmapSize(int width, int height) {
  FBitmapWidth = std::max(0, width);
  FBitmapHeight = std::max(0, height);
  Clamp();
}

void TViewMaths::SetClientSize(int width, int height) {
  FClientWidth = std::max(0, width);
  FClientHeight = std::max(0, height);
  Clamp();
}

void TViewMaths::SetZoom(double percent) {
  SetZoomAt(percent, FClientWidth / 2, FClientHeight / 2);
}

void TViewMaths::SetZoomAt(double percent, int xs, int ys) {
  if (!(percent > 0)) return;
  const double bx = XScr2BmpF(xs), by = YScr2BmpF(ys);
  FZoom = std::clamp(percent, kMinZoom, kMaxZoom);
  // Scroll so that (bx, by) is under (xs, ys) again; the clamp may prevent it at the edges.
  const double z = FZoom / 100.0;
  FViewX = static_cast<int>(std::lround(bx * z + OffsetX() - xs));
  FViewY = static_cast<int>(std::lround(by * z + OffsetY() - ys));
  Clamp();
}

double TViewMaths::FitZoom() const {
  if (FBitmapWidth == 0 || FBitmapHeight == 0 || FClientWidth == 0 || FClientHeight == 0) return 0;
  return std::min(double(FClientWidth) / FBitmapWidth, double(FClientHeight) / FBitmapHeight) *
         100.0;
}

void TViewMaths::SetViewXY(int x, int y) {
  FViewX = x;
  FViewY = y;
  Clamp();
}

int TViewMaths::ScrollMaxX() const {
  return std::max(0, static_cast<int>(std::ceil(ZoomedWidth() - 1e-9)) - FClientWidth);
}

int TViewMaths::ScrollMaxY() const {
  return std::max(0, static_cast<int>(std::ceil(ZoomedHeight() - 1e-9)) - FClientHeight);
}

double TViewMaths::OffsetX() const {
  return std::max(0.0, std::floor((FClientWidth - ZoomedWidth()) / 2));
}
double TViewMaths::OffsetY() const {
  return std::max(0.0, std::floor((FClientHeight - ZoomedHeight()) / 2));
}

void TViewMaths::Clamp() {
  FViewX = std::clamp(FViewX, 0, ScrollMaxX());
  FViewY = std::clamp(FViewY, 0, ScrollMaxY());
}

double TViewMaths::XScr2BmpF(double xs) const {
  return (xs - OffsetX() + FViewX) / (FZoom / 100.0);
}
double TViewMaths::YScr2BmpF(double ys) const {
  return (ys - OffsetY() + FViewY) / (FZoom / 100.0);
}
int TViewMaths::XScr2Bmp(int xs) const {
  return static_cast<int>(std::floor(XScr2BmpF(xs)));
}
int TViewMaths::YScr2Bmp(int ys) const {
  return static_cast<int>(std::floor(YScr2BmpF(ys)));
}
double TViewMaths::XBmp2ScrF(double xb) const {
  return xb * FZoom / 100.0 - FViewX + OffsetX();
}
double TViewMaths::YBmp2ScrF(double yb) const {
  return yb * FZoom / 100.0 - FViewY + OffsetY();
}
int TViewMaths::XBmp2Scr(int xb) const {
  return static_cast<int>(std::floor(XBmp2ScrF(xb)));
}
int TViewMaths::YBmp2Scr(int yb) const {
  return static_cast<int>(std::floor(YBmp2ScrF(yb)));
}

TIERect TViewMaths::VisibleBitmapRect() const {
  TIERect r;
  r.Left = std::max(0, static_cast<int>(std::floor(XScr2BmpF(0))));
  r.Top = std::max(0, static_cast<int>(std::floor(YScr2BmpF(0))));
  r.Right = std::min(FBitmapWidth, static_cast<int>(std::ceil(XScr2BmpF(FClientWidth))));
  r.Bottom = std::min(FBitmapHeight, static_cast<int>(std::ceil(YScr2BmpF(FClientHeight))));
  if (r.IsEmpty()) r = {};
  return r;
}
