#pragma once
// Zoom, scrolling, fit and the mapping between window pixels and bitmap pixels of the
// image view, without any widget. Zoom is in percent (100 = one bitmap pixel per window
// pixel). Scroll offsets are in window pixels of the zoomed image. An image smaller than
// the window is centred in it.

#include "imaging/IEBitmap.h"

class TViewMaths {
 public:
  static constexpr double kMinZoom = 0.01, kMaxZoom = 100000;

  void SetBitmapSize(int width, int height);
  void SetClientSize(int width, int height);
  int BitmapWidth() const { return FBitmapWidth; }
  int BitmapHeight() const { return FBitmapHeight; }
  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }

  double Zoom() const { return FZoom; }
  // Keeps the bitmap point at the middle of the window in place. Values outside
  // kMinZoom..kMaxZoom are clamped; values that are not above 0 are ignored.
  void SetZoom(double percent);
  // Keeps the bitmap point under window point (xs, ys) in place.
  void SetZoomAt(double percent, int xs, int ys);
  // The zoom that shows the whole bitmap in the window (0 when either is empty).
  double FitZoom() const;

  int ViewX() const { return FViewX; }
  int ViewY() const { return FViewY; }
  void SetViewXY(int x, int y);  // clamped to 0..ScrollMax
  int ScrollMaxX() const;
  int ScrollMaxY() const;
  double ZoomedWidth() const { return FBitmapWidth * FZoom / 100.0; }
  double ZoomedHeight() const { return FBitmapHeight * FZoom / 100.0; }
  // Where bitmap x = 0 lands when not scrolled: the centring margin.
  double OffsetX() const;
  double OffsetY() const;

  // Window pixel to bitmap pixel (the pixel that contains the point).
  int XScr2Bmp(int xs) const;
  int YScr2Bmp(int ys) const;
  // Window point to continuous bitmap coordinates (pixel i covers [i, i + 1)).
  double XScr2BmpF(double xs) const;
  double YScr2BmpF(double ys) const;
  // Continuous bitmap coordinate to window coordinate.
  double XBmp2ScrF(double xb) const;
  double YBmp2ScrF(double yb) const;
  // Left/top window pixel of bitmap pixel xb / yb.
  int XBmp2Scr(int xb) const;
  int YBmp2Scr(int yb) const;

  // The bitmap pixels at least partly visible in the window, clipped to the bitmap.
  TIERect VisibleBitmapRect() const;

 private:
  void Clamp();
  int FBitmapWidth = 0, FBitmapHeight = 0;
  int FClientWidth = 0, FClientHeight = 0;
  double FZoom = 100;
  int FViewX = 0, FViewY = 0;
};
