#include "imaging/VectorPainter.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

QColor ToQColor(TIEColor c) {
  return QColor(IERed(c), IEGreen(c), IEBlue(c));
}

const QStaticText& TTextCache::Get(const std::string& text, const QFont& font) {
  std::string key = font.key().toStdString();
  key += '\x01';
  key += text;
  auto it = FTexts.find(key);
  if (it == FTexts.end()) {
    if (FTexts.size() > 100000) FTexts.clear();
    QStaticText st(QString::fromStdString(text));
    st.setTextFormat(Qt::PlainText);
    st.setPerformanceHint(QStaticText::AggressiveCaching);
    st.prepare(QTransform(), font);
    it = FTexts.emplace(std::move(key), std::move(st)).first;
  }
  return it->second;
}

namespace {

Qt::PenStyle ToQt(TIEPenStyle s) {
  switch (s) {
    case TIEPenStyle::psSolid:
      return Qt::SolidLine;
    case TIEPenStyle::psDash:
      return Qt::DashLine;
    case TIEPenStyle::psDot:
      return Qt::DotLine;
    case TIEPenStyle::psDashDot:
      return Qt::DashDotLine;
    case TIEPenStyle::psDashDotDot:
      return Qt::DashDotDotLine;
    case TIEPenStyle::psClear:
      return Qt::NoPen;
  }
  return Qt::SolidLine;
}

QFont FontOf(const TIEVObject& o, double pixels) {
  QFont f(QString::fromStdString(o.FontName));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  f.setBold(o.FontStyles & fsBold);
  f.setItalic(o.FontStyles & fsItalic);
  f.setUnderline(o.FontStyles & fsUnderline);
  f.setStrikeOut(o.FontStyles & fsStrikeOut);
  return f;
}

// Text below this height on screen cannot be read; leaving it out keeps dense layers fast.
constexpr double kMinTextPixels = 4;

void DrawText(QPainter& p, const TIEVObject& o, QPointF at, double zoom, TTextCache* cache) {
  if (o.Text.empty()) return;
  const double px = o.FontHeight * zoom;
  if (px < kMinTextPixels) return;
  const QFont font = FontOf(o, px);
  p.setFont(font);
  p.setPen(ToQColor(o.PenColor));
  if (cache) {
    p.drawStaticText(at, cache->Get(o.Text, font));
  } else {
    const QFontMetricsF fm(font);
    p.drawText(at + QPointF(0, fm.ascent()), QString::fromStdString(o.Text));
  }
}

QPointF Scr(const TObjectPaintArgs& a, double bx, double by) {
  return {a.Origin.x() + bx * a.Zoom, a.Origin.y() + by * a.Zoom};
}

void PaintOne(QPainter& p, const TIEVObject& o, const TObjectPaintArgs& a) {
  QPen pen(ToQColor(o.PenColor));
  pen.setWidthF(std::max(1, o.PenWidth));
  pen.setStyle(ToQt(o.PenStyle));
  pen.setCosmetic(true);
  const QBrush brush =
      o.BrushStyle == TIEBrushStyle::bsSolid ? QBrush(ToQColor(o.BrushColor)) : QBrush(Qt::NoBrush);
  const QRectF box(Scr(a, o.Left, o.Top), QSizeF(o.Width * a.Zoom, o.Height * a.Zoom));
  switch (o.Kind) {
    case TIEVObjectKind::iekELLIPSE:
      p.setPen(pen);
      p.setBrush(brush);
      p.drawEllipse(box.normalized());
      break;
    case TIEVObjectKind::iekBOX:
      p.setPen(pen);
      p.setBrush(brush);
      p.drawRect(box.normalized());
      break;
    case TIEVObjectKind::iekTEXT:
      if (o.BrushStyle == TIEBrushStyle::bsSolid) p.fillRect(box.normalized(), brush);
      if (!o.TextAutoSize) {
        p.save();
        p.setClipRect(box.normalized(), Qt::IntersectClip);
        DrawText(p, o, box.normalized().topLeft(), a.Zoom, a.Texts);
        p.restore();
      } else {
        DrawText(p, o, box.normalized().topLeft(), a.Zoom, a.Texts);
      }
      break;
    case TIEVObjectKind::iekLINE:
    case TIEVObjectKind::iekLINELABEL: {
      const QPointF s = Scr(a, o.Left + 0.5, o.Top + 0.5),
                    e = Scr(a, o.Left + o.Width + 0.5, o.Top + o.Height + 0.5);
      p.setPen(pen);
      p.drawLine(s, e);
      if (o.Kind == TIEVObjectKind::iekLINELABEL && !o.Text.empty()) {
        const QPointF at = (o.LabelPosition == TIELabelPos::ielEnd ? e : s) +
                           QPointF(4, -o.FontHeight * a.Zoom - 2);
        if (o.BrushStyle == TIEBrushStyle::bsSolid) {
          const QFontMetricsF fm(FontOf(o, o.FontHeight * a.Zoom));
          p.fillRect(
              QRectF(at, QSizeF(fm.horizontalAdvance(QString::fromStdString(o.Text)), fm.height())),
              brush);
        }
        DrawText(p, o, at, a.Zoom, a.Texts);
      }
      break;
    }
    case TIEVObjectKind::iekPOLYLINE:
    case TIEVObjectKind::iekANGLE: {
      if (o.Points.empty()) break;
      QPolygonF poly;
      poly.reserve(static_cast<int>(o.Points.size()));
      for (const auto& pt : o.Points) poly << Scr(a, pt.x + 0.5, pt.y + 0.5);
      p.setPen(pen);
      if (o.Kind == TIEVObjectKind::iekPOLYLINE && o.PolylineClosed) {
        p.setBrush(brush);
        p.drawPolygon(poly);
      } else {
        p.drawPolyline(poly);
      }
      if (o.Kind == TIEVObjectKind::iekANGLE && poly.size() == 3) {
        // A small arc at the vertex between the two arms.
        const QPointF v = poly[1];
        const double a1 = std::atan2(-(poly[0].y() - v.y()), poly[0].x() - v.x()) * 180 / M_PI;
        const double a2 = std::atan2(-(poly[2].y() - v.y()), poly[2].x() - v.x()) * 180 / M_PI;
        double span = a2 - a1;
        while (span > 180) span -= 360;
        while (span < -180) span += 360;
        const double r = 12;
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(v.x() - r, v.y() - r, 2 * r, 2 * r), int(a1 * 16), int(span * 16));
        DrawText(p, o, v + QPointF(r + 2, -o.FontHeight * a.Zoom), a.Zoom, a.Texts);
      }
      break;
    }
    case TIEVObjectKind::iekNONE:
      break;
  }
}

void PaintGrips(QPainter& p, const TIEVObject& o, const TObjectPaintArgs& a) {
  std::vector<QPointF> at;
  switch (o.Kind) {
    case TIEVObjectKind::iekLINE:
    case TIEVObjectKind::iekLINELABEL:
      at = {Scr(a, o.Left + 0.5, o.Top + 0.5),
            Scr(a, o.Left + o.Width + 0.5, o.Top + o.Height + 0.5)};
      break;
    case TIEVObjectKind::iekPOLYLINE:
    case TIEVObjectKind::iekANGLE:
      for (const auto& pt : o.Points) at.push_back(Scr(a, pt.x + 0.5, pt.y + 0.5));
      break;
    default: {
      const QRectF r =
          QRectF(Scr(a, o.Left, o.Top), QSizeF(o.Width * a.Zoom, o.Height * a.Zoom)).normalized();
      at = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    }
  }
  p.setPen(QPen(a.GripPen, 1));
  p.setBrush(a.GripBrushClear ? QBrush(Qt::NoBrush) : QBrush(a.GripBrush));
  const double s = a.GripSize;
  for (const QPointF& c : at) p.drawRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s));
}

}  // namespace

void PaintVectorObjects(QPainter& p, const TVectorLayer& layer, const TObjectPaintArgs& a) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const int n = layer.ObjectsCount();
  // Labels and lines reach a little beyond their boxes.
  const double margin = 4 + 40 / std::max(a.Zoom, 1e-6);
  const QRectF clip = a.ClipBmp.adjusted(-margin, -margin, margin, margin);
  for (int i = 0; i < n; ++i) {
    const TIEVObject& o = layer.Obj(layer.GetObjFromIndex(i));
    if (!(o.Style & ievsVisible)) continue;
    double w = o.Width, h = o.Height;
    if (o.Kind == TIEVObjectKind::iekTEXT || o.Kind == TIEVObjectKind::iekLINELABEL ||
        o.Kind == TIEVObjectKind::iekANGLE)
      w = std::max(std::abs(w), o.FontHeight * double(o.Text.size())),
      h = std::max(std::abs(h), double(o.FontHeight));
    const QRectF bb = QRectF(o.Left, o.Top, w, h).normalized().adjusted(-1, -1, 1, 1);
    if (!bb.intersects(clip)) continue;
    PaintOne(p, o, a);
  }
  if (a.GripSize > 0)
    for (int i = 0; i < layer.SelObjectsCount(); ++i) {
      const TIEVObject& o = layer.Obj(layer.SelObjects(i));
      if (o.Style & ievsVisible) PaintGrips(p, o, a);
    }
  p.restore();
}
