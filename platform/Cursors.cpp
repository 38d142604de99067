#include "platform/Cursors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <functional>

#include "model/Errors.h"

namespace {

constexpr int kSize = 32;

QPixmap Blank() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  return pm;
}

// Dark strokes with a light halo, visible on any image.
void Stroke(QPainter& p, const std::function<void(QPainter&)>& draw, qreal width = 1.0) {
  p.setPen(QPen(QColor(255, 255, 255, 220), width + 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  draw(p);
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
  draw(p);
}

QCursor Crosshair(int variant) {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int c = kSize / 2;
  Stroke(p, [&](QPainter& q) {
    const int gap = variant == 2 || variant == 4 ? 3 : 0;
    q.drawLine(c, 2, c, c - 1 - gap);
    q.drawLine(c, c + 1 + gap, c, kSize - 3);
    q.drawLine(2, c, c - 1 - gap, c);
    q.drawLine(c + 1 + gap, c, kSize - 3, c);
    if (variant == 3) q.drawEllipse(QPoint(c, c), 6, 6);
    if (variant == 4) q.drawRect(c - 6, c - 6, 12, 12);
    if (variant == 5) q.drawEllipse(QPoint(c, c), 2, 2);
  });
  p.end();
  return QCursor(pm, c, c);
}

QCursor Arrow2() {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QPolygon arrow({{1, 1}, {1, 20}, {6, 15}, {10, 24}, {13, 23}, {9, 14}, {16, 14}});
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::black);
  p.drawPolygon(arrow);
  p.end();
  return QCursor(pm, 1, 1);
}

QCursor Pencil(bool pen) {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(pen ? QColor(40, 40, 40) : QColor(240, 200, 60));
  const QPolygon body({{4, 27}, {6, 21}, {24, 3}, {28, 7}, {10, 25}});
  p.drawPolygon(body);
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygon({{1, 30}, {4, 27}, {6, 21}, {10, 25}}));
  p.end();
  return QCursor(pm, 1, 30);
}

QCursor OutlineCursor() {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Stroke(p, [](QPainter& q) {
    q.drawLine(16, 2, 16, 30);
    q.drawLine(2, 16, 30, 16);
    q.drawEllipse(QRect(19, 19, 11, 8));
  });
  p.end();
  return QCursor(pm, 16, 16);
}

QCursor CropCursor() {
  QPixmap pm = Blank();
  QPainter p(&pm);
  Stroke(
      p,
      [](QPainter& q) {
        q.drawLine(8, 1, 8, 24);
        q.drawLine(8, 24, 31, 24);
        q.drawLine(1, 8, 24, 8);
        q.drawLine(24, 8, 24, 31);
      },
      2);
  p.end();
  return QCursor(pm, 8, 8);
}

QCursor MeasureCursor() {
  QPixmap pm = Blank();
  QPainter p(&pm);
  Stroke(p, [](QPainter& q) {
    q.drawLine(0, 8, 16, 8);
    q.drawLine(8, 0, 8, 16);
    q.drawLine(12, 28, 30, 10);
    for (int k = 0; k < 4; ++k) q.drawLine(16 + 4 * k, 24 - 4 * k, 19 + 4 * k, 27 - 4 * k);
  });
  p.end();
  return QCursor(pm, 8, 8);
}

}  // namespace

QCursor LoadCursorResource(const std::string& name) {
  if (name == "CROSSHAIR") return Crosshair(1);
  if (name == "CROSSHAIR2") return Crosshair(2);
  if (name == "CROSSHAIR3") return Crosshair(3);
  if (name == "CROSSHAIR4") return Crosshair(4);
  if (name == "CROSSHAIR5") return Crosshair(5);
  if (name == "ARROW2") return Arrow2();
  if (name == "PENCIL") return Pencil(false);
  if (name == "OUTLINE") return OutlineCursor();
  if (name == "PEN") return Pencil(true);
  if (name == "CROP") return CropCursor();
  if (name == "MEASURE") return MeasureCursor();
  throw EMorvexError("Cursor resource not found: " + name);
}

TScreen& TScreen::Instance() {
  static TScreen s;
  return s;
}

QCursor TScreen::Cursors(int number) const {
  switch (number) {
    case crHourGlass:
      return QCursor(Qt::WaitCursor);
    case crCross:
      return QCursor(Qt::CrossCursor);
    case crArrow:
    case crDefault:
      return QCursor(Qt::ArrowCursor);
    default:
      break;
  }
  auto it = FCursors.find(number);
  return it == FCursors.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

void TScreen::SetCursor(int number) {
  if (number == FCursor) return;
  FCursor = number;
  if (!qGuiApp) return;
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  if (number != crDefault) QGuiApplication::setOverrideCursor(Cursors(number));
}

void LoadProgramCursors() {
  for (size_t k = 0; k < CursorResourceNames.size(); ++k)
    Screen().SetCursors(static_cast<int>(k + 1), LoadCursorResource(CursorResourceNames[k]));
}
