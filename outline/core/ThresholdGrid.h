#pragma once
// The intensity grid the outline tracer and the image profile work on, built from a plain
// view of a bitmap's pixels.

#include <cstddef>
#include <cstdint>
#include <vector>

// The pixel formats the grid distinguishes; anything else is ieOther.
enum class TPixelFormat { ie1g, ie8p, ie8g, ie16g, ie24RGB, ie32f, ieOther };

struct TPaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// Borrowed pixels of one bitmap: row 0 is the top row. Row i starts at Rows[i]; its layout
// follows Format (1 bit with the most significant bit leftmost, 16-bit and float in native
// byte order, 24-bit as three bytes whose order does not matter here). Palette is read for
// ie8p only.
struct TPixelView {
  TPixelFormat Format = TPixelFormat::ieOther;
  int Width = 0;
  int Height = 0;
  std::vector<const std::uint8_t*> Rows;
  std::vector<TPaletteEntry> Palette;

  // A view of a contiguous block whose rows are stride bytes apart.
  static TPixelView FromBuffer(TPixelFormat format, int width, int height, const std::uint8_t* data,
                               std::ptrdiff_t stride);
};

// GridHeight rows of GridWidth cells; row 0 is the bottom image row. Cells read as 32-bit
// integers; they are stored in the narrowest type that holds every value of the source format
// so that a grid of a large image stays small.
class TThresholdGrid {
 public:
  int GridWidth() const { return FWidth; }
  int GridHeight() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Cell (row r from the bottom, column c); both must lie inside the grid.
  std::int32_t At(int r, int c) const {
    const std::size_t k = static_cast<std::size_t>(r) * static_cast<std::size_t>(FWidth) +
                          static_cast<std::size_t>(c);
    switch (FCellBytes) {
      case 1:
        return F8[k];
      case 2:
        return F16[k];
      default:
        return F32[k];
    }
  }
  // Row r as stored, for fast loops: exactly one of the three is non-null.
  const std::uint8_t* Row8(int r) const {
    return FCellBytes == 1 ? F8.data() + Offset(r) : nullptr;
  }
  const std::uint16_t* Row16(int r) const {
    return FCellBytes == 2 ? F16.data() + Offset(r) : nullptr;
  }
  const std::int32_t* Row32(int r) const {
    return FCellBytes == 4 ? F32.data() + Offset(r) : nullptr;
  }
  // Frees the cells; the grid becomes 0 x 0.
  void Clear();

 private:
  friend void BuildThresholdGrid(const TPixelView& bitmap, int& rows, int& columns,
                                 TThresholdGrid& grid);
  std::size_t Offset(int r) const {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(FWidth);
  }
  void Reset(int width, int height, int cellBytes);
  void ZeroCells();

  int FWidth = 0;
  int FHeight = 0;
  int FCellBytes = 1;
  std::vector<std::uint8_t> F8;
  std::vector<std::uint16_t> F16;
  std::vector<std::int32_t> F32;
};

// Rebuilds grid from the bitmap (every cell 0 first, then filled by the rules of its pixel
// format) and reports its size back as rows (GridHeight) and columns (GridWidth).
void BuildThresholdGrid(const TPixelView& bitmap, int& rows, int& columns, TThresholdGrid& grid);
