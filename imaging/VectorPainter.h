#pragma once
// Drawing the vector objects with a QPainter, for the view and for drawing them into
// the bitmap. Shapes scale with the zoom; pen widths are in window pixels.

#include <QPainter>
#include <QStaticText>
#include <string>
#include <unordered_map>

#include "imaging/VectorLayer.h"

QColor ToQColor(TIEColor c);

// Laid-out texts kept between repaints; labels rarely change.
class TTextCache {
 public:
  const QStaticText& Get(const std::string& text, const QFont& font);
  void Clear() { FTexts.clear(); }

 private:
  std::unordered_map<std::string, QStaticText> FTexts;
};

struct TObjectPaintArgs {
  double Zoom = 1;  // window pixels per bitmap pixel
  QPointF Origin;   // window position of bitmap point (0, 0)
  QRectF ClipBmp;   // bitmap area to draw; objects outside are skipped
  TTextCache* Texts = nullptr;
  int GripSize = 0;  // 0: no grips
  QColor GripPen = Qt::black;
  QColor GripBrush = Qt::white;
  bool GripBrushClear = false;
};

void PaintVectorObjects(QPainter& p, const TVectorLayer& layer, const TObjectPaintArgs& a);
