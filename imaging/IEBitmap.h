#pragma once
// The image held by the view: one of six pixel formats, stored in bands of rows that are
// shared copy-on-write, so that an undo snapshot costs only the bands changed after it.
//
// Row access for readers (the outline tracer, the profile, the area counts):
//   const std::uint8_t* row = bmp.ScanLine(y);   // y = 0 is the top row
// Row layout by format:
//   ie1g    1 bit per pixel, most significant bit = leftmost pixel, bit set = white
//   ie8p    1 byte per pixel, an index into Palette() (256 entries)
//   ie8g    1 byte per pixel, grey 0..255
//   ie16g   2 bytes per pixel (native std::uint16_t), grey 0..65535
//   ie24RGB 3 bytes per pixel in the order red, green, blue
//   ie32f   4 bytes per pixel (float), grey 0.0 (black) .. 1.0 (white)
// Each row is RowStride() bytes long (a multiple of 4). Rows of different bands are not
// contiguous: always address a row through ScanLine, never by adding strides.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

enum class TIEPixelFormat { ieNone, ie1g, ie8p, ie8g, ie16g, ie24RGB, ie32f };

struct TIERGB {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const TIERGB&, const TIERGB&) = default;
};

// A rectangle in bitmap pixels; Right and Bottom are exclusive.
struct TIERect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TIERect&, const TIERect&) = default;
};

// Bits of a pixel of the given format; 0 for ieNone.
int BitsPerPixel(TIEPixelFormat f);
const char* PixelFormatName(TIEPixelFormat f);

class TIEBitmap {
 public:
  // Everything the bitmap holds, sharing its bands; restoring it is exact.
  struct TSnapshot {
    int Width = 0, Height = 0;
    TIEPixelFormat PixelFormat = TIEPixelFormat::ieNone;
    std::size_t RowStride = 0;
    int BandRows = 0;
    std::vector<TIERGB> Palette;
    std::vector<std::shared_ptr<std::vector<std::uint8_t>>> Bands;
  };

  TIEBitmap() = default;
  TIEBitmap(int width, int height, TIEPixelFormat format);

  // Pixels are zeroed (black; palette index 0). Sizes below 0 or too large raise
  // std::length_error; a size of 0 in either direction gives an empty bitmap.
  void Allocate(int width, int height, TIEPixelFormat format);
  void Clear();  // empty, format ieNone

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TIEPixelFormat PixelFormat() const { return FPixelFormat; }
  bool IsEmpty() const { return FWidth == 0 || FHeight == 0; }
  std::size_t RowStride() const { return FRowStride; }
  int BandRows() const { return FBandRows; }

  const std::uint8_t* ScanLine(int y) const;
  // Makes the row's band private to this bitmap before handing out a writable row.
  std::uint8_t* WritableScanLine(int y);

  // The 256 entries used by ie8p (kept but unused for other formats).
  const std::vector<TIERGB>& Palette() const { return FPalette; }
  const std::vector<TIERGB>& GetPalette() const { return FPalette; }
  void SetPalette(const std::vector<TIERGB>& palette);
  void SetPaletteEntry(int index, TIERGB c);

  // A pixel as colour, whatever the format (grey formats give r = g = b).
  TIERGB PixelRGB(int x, int y) const;
  // Sets a pixel from a colour, converting it to the format (nearest grey, 1 bit by
  // threshold 128, nearest palette entry).
  void SetPixelRGB(int x, int y, TIERGB c);

  // Converts in place; colour to grey uses the luminance 0.299 R + 0.587 G + 0.114 B.
  void ConvertTo(TIEPixelFormat format);

  // A new bitmap with the pixels of r (clipped to the bitmap), same format and palette.
  TIEBitmap Copy(const TIERect& r) const;

  TSnapshot Snapshot() const;
  void Restore(const TSnapshot& s);
  // Bytes of band storage of s not shared with this bitmap.
  std::size_t BytesNotSharedWith(const TSnapshot& s) const;
  std::size_t ByteSize() const;

  friend bool SamePixels(const TIEBitmap& a, const TIEBitmap& b);

 private:
  void UnshareBand(std::size_t band);
  int FWidth = 0, FHeight = 0;
  TIEPixelFormat FPixelFormat = TIEPixelFormat::ieNone;
  std::size_t FRowStride = 0;
  int FBandRows = 64;
  std::vector<TIERGB> FPalette = std::vector<TIERGB>(256);
  std::vector<std::shared_ptr<std::vector<std::uint8_t>>> FBands;
};

// Same size, format, palette (for ie8p) and pixel values.
bool SamePixels(const TIEBitmap& a, const TIEBitmap& b);

// Grey value 0..255 of a colour, as the grey conversion computes it.
std::uint8_t LuminanceOf(TIERGB c);
