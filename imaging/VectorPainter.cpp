#include "imaging/VectorPainter.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

QColor ToQColor(TIEColor c) {
  return QColor(IERed(c), IEGreen(c), IEBlue(c));
}

std::uint64_t TPaintCache::HashOf(const TKey& k) {
  std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
  const auto mix = [&h](const void* data, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ULL;
  };
  mix(&k.Kind, 1);
  mix(k.Values.data(), sizeof(long long) * k.Values.size());
  mix(k.Text.data(), k.Text.size());
  mix("|", 1);
  mix(k.Font.data(), k.Font.size());
  return h;
}

const QImage* TPaintCache::Find(const TKey& k, int handle) {
  const auto same = [&k](const TEntry& e) {
    return e.Kind == k.Kind && e.Values == k.Values && e.Text == k.Text && e.Font == k.Font;
  };
  const bool slotted = handle >= 0 && static_cast<std::size_t>(handle) < FSlots.size();
  if (slotted) {
    const TEntry* e = FSlots[static_cast<std::size_t>(handle)].Entry;
    if (e && same(*e)) return &e->Image;
  }
  const std::uint64_t h = HashOf(k);
  const auto it = FSprites.find(h);
  if (it == FSprites.end()) return nullptr;
  for (const auto& e : it->second)
    if (same(*e)) {
      if (slotted) FSlots[static_cast<std::size_t>(handle)] = {h, e.get()};
      return &e->Image;
    }
  return nullptr;
}

const QImage& TPaintCache::Add(const TKey& k, int handle, QImage image) {
  if (FCount > 200000) Clear();
  ++FCount;
  const std::uint64_t h = HashOf(k);
  auto& bucket = FSprites[h];
  bucket.push_back(std::make_unique<TEntry>(
      TEntry{k.Kind, k.Values, std::string(k.Text), std::string(k.Font), std::move(image)}));
  if (handle >= 0) {
    if (static_cast<std::size_t>(handle) >= FSlots.size())
      FSlots.resize(static_cast<std::size_t>(handle) + 1024);
    FSlots[static_cast<std::size_t>(handle)] = {h, bucket.back().get()};
  }
  return bucket.back()->Image;
}

void TPaintCache::Clear() {
  FSprites.clear();
  FSlots.clear();
  FCount = 0;
}

namespace {

QImage Transparent(int w, int h) {
  QImage img(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

}  // namespace

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

void DrawText(QPainter& p, const TIEVObject& o, QPointF at, double zoom, TPaintCache* cache,
              int handle = -1) {
  if (o.Text.empty()) return;
  const double px = o.FontHeight * zoom;
  if (px < kMinTextPixels) return;
  const int pixels = std::max(1, static_cast<int>(std::lround(px)));
  if (!cache) {
    const QFont font = FontOf(o, px);
    p.setFont(font);
    p.setPen(ToQColor(o.PenColor));
    p.drawText(at + QPointF(0, QFontMetricsF(font).ascent()), QString::fromStdString(o.Text));
    return;
  }
  const TPaintCache::TKey key{
      'T', {pixels, o.FontStyles, o.PenColor, 0, 0, 0, 0}, o.Text, o.FontName};
  const QImage* found = cache->Find(key, handle);
  const QImage& img = found ? *found : cache->Add(key, handle, [&] {
    const QFont font = FontOf(o, px);
    const QFontMetricsF fm(font);
    const QString text = QString::fromStdString(o.Text);
    QImage s = Transparent(int(std::ceil(fm.horizontalAdvance(text))) + 2,
                           int(std::ceil(fm.height())) + 1);
    QPainter sp(&s);
    sp.setFont(font);
    sp.setPen(ToQColor(o.PenColor));
    sp.drawText(QPointF(0, fm.ascent()), text);
    return s;
  }());
  p.drawImage(QPoint(int(std::lround(at.x())), int(std::lround(at.y()))), img);
}

QPointF Scr(const TObjectPaintArgs& a, double bx, double by) {
  return {a.Origin.x() + bx * a.Zoom, a.Origin.y() + by * a.Zoom};
}

void PaintOne(QPainter& p, const TIEVObject& o, int handle, const TObjectPaintArgs& a) {
  const auto makePen = [&o] {
    QPen pen(ToQColor(o.PenColor));
    pen.setWidthF(std::max(1, o.PenWidth));
    pen.setStyle(ToQt(o.PenStyle));
    pen.setCosmetic(true);
    return pen;
  };
  const auto makeBrush = [&o] {
    return o.BrushStyle == TIEBrushStyle::bsSolid ? QBrush(ToQColor(o.BrushColor))
                                                  : QBrush(Qt::NoBrush);
  };
  const QRectF box(Scr(a, o.Left, o.Top), QSizeF(o.Width * a.Zoom, o.Height * a.Zoom));
  switch (o.Kind) {
    case TIEVObjectKind::iekELLIPSE: {
      const QRectF r = box.normalized();
      // Small markers come from a sprite of the same look.
      if (a.Cache && r.width() <= 64 && r.height() <= 64) {
        const int w = int(std::lround(r.width())), h = int(std::lround(r.height())),
                  pad = std::max(1, o.PenWidth) + 1;
        const TPaintCache::TKey key{
            'E',
            {w, h, o.PenWidth, o.PenColor, int(o.PenStyle), int(o.BrushStyle), o.BrushColor},
            {},
            {}};
        const QImage* found = a.Cache->Find(key, handle);
        const QImage& img = found ? *found : a.Cache->Add(key, handle, [&] {
          QImage s = Transparent(w + 2 * pad, h + 2 * pad);
          QPainter sp(&s);
          sp.setPen(makePen());
          sp.setBrush(makeBrush());
          sp.drawEllipse(QRectF(pad, pad, w, h));
          return s;
        }());
        p.drawImage(QPoint(int(std::lround(r.left())) - pad, int(std::lround(r.top())) - pad), img);
        break;
      }
      p.setPen(makePen());
      p.setBrush(makeBrush());
      p.drawEllipse(r);
      break;
    }
    case TIEVObjectKind::iekBOX:
      p.setPen(makePen());
      p.setBrush(makeBrush());
      p.drawRect(box.normalized());
      break;
    case TIEVObjectKind::iekTEXT:
      if (o.BrushStyle == TIEBrushStyle::bsSolid) p.fillRect(box.normalized(), makeBrush());
      if (!o.TextAutoSize) {
        p.save();
        p.setClipRect(box.normalized(), Qt::IntersectClip);
        DrawText(p, o, box.normalized().topLeft(), a.Zoom, a.Cache);
        p.restore();
      } else {
        DrawText(p, o, box.normalized().topLeft(), a.Zoom, a.Cache, handle);
      }
      break;
    case TIEVObjectKind::iekLINE:
    case TIEVObjectKind::iekLINELABEL: {
      const QPointF s = Scr(a, o.Left + 0.5, o.Top + 0.5),
                    e = Scr(a, o.Left + o.Width + 0.5, o.Top + o.Height + 0.5);
      p.setPen(makePen());
      p.drawLine(s, e);
      if (o.Kind == TIEVObjectKind::iekLINELABEL && !o.Text.empty()) {
        const QPointF at = (o.LabelPosition == TIELabelPos::ielEnd ? e : s) +
                           QPointF(4, -o.FontHeight * a.Zoom - 2);
        if (o.BrushStyle == TIEBrushStyle::bsSolid) {
          const QFontMetricsF fm(FontOf(o, o.FontHeight * a.Zoom));
          p.fillRect(
              QRectF(at, QSizeF(fm.horizontalAdvance(QString::fromStdString(o.Text)), fm.height())),
              makeBrush());
        }
        DrawText(p, o, at, a.Zoom, a.Cache);
      }
      break;
    }
    case TIEVObjectKind::iekPOLYLINE:
    case TIEVObjectKind::iekANGLE: {
      if (o.Points.empty()) break;
      QPolygonF poly;
      poly.reserve(static_cast<int>(o.Points.size()));
      for (const auto& pt : o.Points) poly << Scr(a, pt.x + 0.5, pt.y + 0.5);
      p.setPen(makePen());
      if (o.Kind == TIEVObjectKind::iekPOLYLINE && o.PolylineClosed) {
        p.setBrush(makeBrush());
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
        DrawText(p, o, v + QPointF(r + 2, -o.FontHeight * a.Zoom), a.Zoom, a.Cache);
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
    const int handle = layer.GetObjFromIndex(i);
    const TIEVObject& o = layer.Obj(handle);
    if (!(o.Style & ievsVisible)) continue;
    double w = o.Width, h = o.Height;
    if (o.Kind == TIEVObjectKind::iekTEXT || o.Kind == TIEVObjectKind::iekLINELABEL ||
        o.Kind == TIEVObjectKind::iekANGLE)
      w = std::max(std::abs(w), o.FontHeight * double(o.Text.size())),
      h = std::max(std::abs(h), double(o.FontHeight));
    const QRectF bb = QRectF(o.Left, o.Top, w, h).normalized().adjusted(-1, -1, 1, 1);
    if (!bb.intersects(clip)) continue;
    PaintOne(p, o, handle, a);
  }
  if (a.GripSize > 0)
    for (int i = 0; i < layer.SelObjectsCount(); ++i) {
      const TIEVObject& o = layer.Obj(layer.SelObjects(i));
      if (o.Style & ievsVisible) PaintGrips(p, o, a);
    }
  p.restore();
}
