#include <gtest/gtest.h>

#include <cstring>

#include "imaging/IEBitmap.h"

TEST(Bitmap, RowLayoutPerFormat) {
  struct TCase {
    TIEPixelFormat F;
    int Bits;
  };
  for (const TCase c : {TCase{TIEPixelFormat::ie1g, 1}, TCase{TIEPixelFormat::ie8p, 8},
                        TCase{TIEPixelFormat::ie8g, 8}, TCase{TIEPixelFormat::ie16g, 16},
                        TCase{TIEPixelFormat::ie24RGB, 24}, TCase{TIEPixelFormat::ie32f, 32}}) {
    TIEBitmap b(13, 3, c.F);
    EXPECT_EQ(BitsPerPixel(c.F), c.Bits);
    EXPECT_EQ(b.RowStride() % 4, 0u);
    EXPECT_GE(b.RowStride() * 8, 13u * c.Bits);
    EXPECT_EQ(b.PixelRGB(12, 2), (TIERGB{0, 0, 0})) << PixelFormatName(c.F);
  }
}

TEST(Bitmap, PixelsReadBackThroughScanLines) {
  TIEBitmap g1(10, 2, TIEPixelFormat::ie1g);
  g1.SetPixelRGB(0, 1, {255, 255, 255});
  g1.SetPixelRGB(9, 1, {255, 255, 255});
  EXPECT_EQ(g1.ScanLine(1)[0], 0x80);  // most significant bit = leftmost pixel
  EXPECT_EQ(g1.ScanLine(1)[1], 0x40);
  EXPECT_EQ(g1.PixelRGB(9, 1).g, 255);

  TIEBitmap g16(4, 1, TIEPixelFormat::ie16g);
  const std::uint16_t v = 40000;
  std::memcpy(g16.WritableScanLine(0) + 2 * 3, &v, 2);
  EXPECT_EQ(g16.PixelRGB(3, 0).r, 40000 >> 8);

  TIEBitmap f(2, 1, TIEPixelFormat::ie32f);
  const float half = 0.5f;
  std::memcpy(f.WritableScanLine(0) + 4, &half, 4);
  EXPECT_EQ(f.PixelRGB(1, 0).r, 128);

  TIEBitmap p(3, 1, TIEPixelFormat::ie8p);
  p.SetPaletteEntry(7, {10, 20, 30});
  p.WritableScanLine(0)[2] = 7;
  EXPECT_EQ(p.PixelRGB(2, 0), (TIERGB{10, 20, 30}));

  TIEBitmap rgb(2, 2, TIEPixelFormat::ie24RGB);
  rgb.SetPixelRGB(1, 1, {1, 2, 3});
  EXPECT_EQ(rgb.ScanLine(1)[3], 1);
  EXPECT_EQ(rgb.ScanLine(1)[5], 3);
  EXPECT_THROW(rgb.ScanLine(2), std::out_of_range);
  EXPECT_THROW(rgb.PixelRGB(-1, 0), std::out_of_range);
}

TEST(Bitmap, SnapshotsShareUntouchedBands) {
  // Wide rows give small bands, so one changed row copies little.
  TIEBitmap b(20000, 400, TIEPixelFormat::ie24RGB);
  ASSERT_LT(b.BandRows(), 400);
  const auto snap = b.Snapshot();
  EXPECT_EQ(b.BytesNotSharedWith(snap), 0u);
  b.WritableScanLine(100)[0] = 9;
  const std::size_t oneBand = b.RowStride() * b.BandRows();
  EXPECT_EQ(b.BytesNotSharedWith(snap), oneBand);
  b.Restore(snap);
  EXPECT_EQ(b.ScanLine(100)[0], 0);
}

TEST(Bitmap, CopyAndCompare) {
  TIEBitmap b(9, 5, TIEPixelFormat::ie1g);
  b.SetPixelRGB(3, 2, {255, 255, 255});
  const TIEBitmap c = b.Copy({2, 1, 8, 4});
  EXPECT_EQ(c.Width(), 6);
  EXPECT_EQ(c.Height(), 3);
  EXPECT_EQ(c.PixelRGB(1, 1).r, 255);
  EXPECT_EQ(c.PixelRGB(0, 1).r, 0);
  TIEBitmap d = b;  // shares bands, copy on write
  EXPECT_TRUE(SamePixels(b, d));
  d.SetPixelRGB(0, 0, {255, 255, 255});
  EXPECT_FALSE(SamePixels(b, d));
  EXPECT_EQ(b.PixelRGB(0, 0).r, 0);
}

TEST(Bitmap, ConversionsKeepGreyPrecision) {
  TIEBitmap b(2, 1, TIEPixelFormat::ie16g);
  const std::uint16_t v = 1234;
  std::memcpy(b.WritableScanLine(0), &v, 2);
  b.ConvertTo(TIEPixelFormat::ie32f);
  b.ConvertTo(TIEPixelFormat::ie16g);
  std::uint16_t back;
  std::memcpy(&back, b.ScanLine(0), 2);
  EXPECT_EQ(back, 1234);
  TIEBitmap rgb(1, 1, TIEPixelFormat::ie24RGB);
  rgb.SetPixelRGB(0, 0, {255, 0, 0});
  rgb.ConvertTo(TIEPixelFormat::ie8g);
  EXPECT_EQ(rgb.ScanLine(0)[0], 76);  // 0.299 * 255
}

TEST(Bitmap, BadSizesAreRefused) {
  EXPECT_THROW(TIEBitmap(-1, 4, TIEPixelFormat::ie8g), std::length_error);
  EXPECT_THROW(TIEBitmap(1 << 20, 1 << 20, TIEPixelFormat::ie8g), std::length_error);
  TIEBitmap e(0, 5, TIEPixelFormat::ie8g);
  EXPECT_TRUE(e.IsEmpty());
}
