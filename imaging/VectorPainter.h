#pragma once
// Drawing the vector objects with a QPainter, for the view and for drawing them into
// the bitmap. Shapes scale with the zoom; pen widths are in window pixels.

#include <QPainter>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imaging/VectorLayer.h"

QColor ToQColor(TIEColor c);

// Small shapes and texts drawn once and then copied: a layer of thousands of landmarks
// repaints from these instead of stroking every marker and laying out every label.
class TPaintCache {
 public:
  // What a sprite looks like: its kind, a few numbers and up to two texts.
  struct TKey {
    char Kind = 0;
    std::array<long long, 7> Values{};
    std::string_view Text, Font;
  };
  // The sprite for key, or nullptr. `handle` (the object drawn) remembers the last find,
  // so an unchanged object finds its sprite without a table look-up.
  const QImage* Find(const TKey& key, int handle);
  const QImage& Add(const TKey& key, int handle, QImage image);
  void Clear();

 private:
  struct TEntry {
    char Kind;
    std::array<long long, 7> Values;
    std::string Text, Font;
    QImage Image;
  };
  struct TSlot {
    std::uint64_t Hash = 0;
    const TEntry* Entry = nullptr;
  };
  static std::uint64_t HashOf(const TKey& k);
  std::unordered_map<std::uint64_t, std::vector<std::unique_ptr<TEntry>>> FSprites;
  std::vector<TSlot> FSlots;  // by object handle
  std::size_t FCount = 0;
};

struct TObjectPaintArgs {
  double Zoom = 1;               // window pixels per bitmap pixel
  QPointF Origin;                // window position of bitmap point (0, 0)
  QRectF ClipBmp;                // bitmap area to draw; objects outside are skipped
  TPaintCache* Cache = nullptr;  // nullptr: draw everything directly (exact, slower)
  int GripSize = 0;              // 0: no grips
  QColor GripPen = Qt::black;
  QColor GripBrush = Qt::white;
  bool GripBrushClear = false;
};

void PaintVectorObjects(QPainter& p, const TVectorLayer& layer, const TObjectPaintArgs& a);
