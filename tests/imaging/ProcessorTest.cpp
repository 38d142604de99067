#include <gtest/gtest.h>

#include <cstring>

#include "imaging/ImageProcessor.h"

namespace {

// 3 x 2 colour image with distinct pixels.
TIEBitmap Sample() {
  TIEBitmap b(3, 2, TIEPixelFormat::ie24RGB);
  b.SetPixelRGB(0, 0, {255, 0, 0});
  b.SetPixelRGB(1, 0, {0, 255, 0});
  b.SetPixelRGB(2, 0, {0, 0, 255});
  b.SetPixelRGB(0, 1, {10, 20, 30});
  b.SetPixelRGB(1, 1, {100, 100, 100});
  b.SetPixelRGB(2, 1, {255, 255, 255});
  return b;
}

}  // namespace

TEST(Processor, GreyKeepsColourFormatWithEqualChannels) {
  TIEBitmap b = Sample();
  TImageProcessor p(b);
  p.ConvertToGray();
  EXPECT_EQ(b.PixelFormat(), TIEPixelFormat::ie24RGB);
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{76, 76, 76}));
  EXPECT_EQ(b.PixelRGB(1, 0), (TIERGB{150, 150, 150}));
  EXPECT_EQ(b.PixelRGB(2, 0), (TIERGB{29, 29, 29}));
  EXPECT_EQ(p.UndoCount(), 1);
  EXPECT_EQ(p.UndoCaptions(0), "Convert to gray");
}

TEST(Processor, NegativePerFormat) {
  TIEBitmap b = Sample();
  TImageProcessor p(b);
  p.Negative();
  EXPECT_EQ(b.PixelRGB(0, 1), (TIERGB{245, 235, 225}));
  TIEBitmap g(9, 1, TIEPixelFormat::ie1g);
  TImageProcessor pg(g);
  pg.Negative();
  EXPECT_EQ(g.PixelRGB(8, 0).r, 255);
  TIEBitmap g16(1, 1, TIEPixelFormat::ie16g);
  TImageProcessor p16(g16);
  p16.Negative();
  std::uint16_t v;
  std::memcpy(&v, g16.ScanLine(0), 2);
  EXPECT_EQ(v, 65535);
}

TEST(Processor, FlipsPerFormat) {
  TIEBitmap b = Sample();
  TImageProcessor p(b);
  p.Flip(TFlipDirection::fdHorizontal);
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{0, 0, 255}));
  EXPECT_EQ(b.PixelRGB(2, 1), (TIERGB{10, 20, 30}));
  p.Flip(TFlipDirection::fdVertical);
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{255, 255, 255}));
  EXPECT_EQ(b.PixelRGB(2, 1), (TIERGB{255, 0, 0}));
  TIEBitmap g(11, 1, TIEPixelFormat::ie1g);
  g.SetPixelRGB(0, 0, {255, 255, 255});
  TImageProcessor pg(g);
  pg.Flip(TFlipDirection::fdHorizontal);
  EXPECT_EQ(g.PixelRGB(10, 0).r, 255);
  EXPECT_EQ(g.PixelRGB(0, 0).r, 0);
}

TEST(Processor, CropToSelection) {
  TIEBitmap b = Sample();
  TImageProcessor p(b);
  EXPECT_TRUE(p.Crop({1, 0, 3, 2}));
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{0, 255, 0}));
  EXPECT_FALSE(p.Crop({5, 5, 9, 9}));  // outside: refused, image kept
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(p.UndoCount(), 1);
}

TEST(Processor, ThresholdGivesTwoTones) {
  TIEBitmap b(4, 1, TIEPixelFormat::ie8g);
  const std::uint8_t vals[] = {0, 99, 100, 255};
  std::memcpy(b.WritableScanLine(0), vals, 4);
  TImageProcessor p(b);
  p.ConvertToBWThreshold(100);
  ASSERT_EQ(b.PixelFormat(), TIEPixelFormat::ie1g);
  EXPECT_EQ(b.PixelRGB(0, 0).r, 0);
  EXPECT_EQ(b.PixelRGB(1, 0).r, 0);
  EXPECT_EQ(b.PixelRGB(2, 0).r, 255);  // equal to the threshold: white
  EXPECT_EQ(b.PixelRGB(3, 0).r, 255);
  // Colour: the sum against three times the threshold.
  TIEBitmap c(1, 1, TIEPixelFormat::ie24RGB);
  c.SetPixelRGB(0, 0, {100, 100, 99});
  TImageProcessor pc(c);
  pc.ConvertToBWThreshold(100);
  EXPECT_EQ(c.PixelRGB(0, 0).r, 0);
  // Undo brings the grey image back exactly.
  ASSERT_TRUE(p.Undo());
  EXPECT_EQ(b.PixelFormat(), TIEPixelFormat::ie8g);
  EXPECT_EQ(b.ScanLine(0)[1], 99);
}

TEST(Processor, PaintPenMarker) {
  TIEBitmap b(9, 9, TIEPixelFormat::ie24RGB);
  TImageProcessor p(b);
  TIERect changed;
  p.SetOnChange([&](const TIERect& r) { changed = r; });
  p.PaintPenMarker(4, 4, 1, IERGB(255, 0, 0));
  EXPECT_EQ(b.PixelRGB(4, 4), (TIERGB{255, 0, 0}));
  EXPECT_EQ(b.PixelRGB(5, 4), (TIERGB{0, 0, 0}));
  EXPECT_EQ(changed, (TIERect{4, 4, 5, 5}));
  p.PaintPenMarker(4, 4, 5, IERGB(0, 0, 255), 128);
  EXPECT_EQ(b.PixelRGB(6, 4), (TIERGB{0, 0, 128}));
  EXPECT_EQ(b.PixelRGB(6, 6), (TIERGB{0, 0, 0}));  // outside the disc
  EXPECT_EQ(b.PixelRGB(4, 4), (TIERGB{127, 0, 128}));
  EXPECT_EQ(p.UndoCount(), 0);  // the stroke saves its own step
  // Grey images become colour for painting.
  TIEBitmap g(3, 3, TIEPixelFormat::ie8g);
  TImageProcessor pg(g);
  pg.PaintPenMarker(1, 1, 1, IERGB(0, 255, 0));
  EXPECT_EQ(g.PixelFormat(), TIEPixelFormat::ie24RGB);
  EXPECT_EQ(g.PixelRGB(1, 1), (TIERGB{0, 255, 0}));
  pg.PaintPenMarker(-50, -50, 3, IERGB(0, 255, 0));  // off the image: nothing
}

TEST(Processor, UndoRedoOrderAndCaptions) {
  TIEBitmap b(5, 5, TIEPixelFormat::ie24RGB);
  TImageProcessor p(b);
  // Two paint strokes as the program makes them.
  p.SaveUndoCaptioned("Paint");
  p.PaintPenMarker(1, 1, 1, IERGB(255, 255, 255));
  const TIEBitmap afterFirst = b;
  p.SaveUndoCaptioned("Paint");
  p.PaintPenMarker(3, 3, 1, IERGB(255, 255, 255));
  const TIEBitmap afterSecond = b;
  ASSERT_EQ(p.UndoCount(), 2);
  // Undo: push current on redo, restore newest undo, drop it.
  const std::string c = p.UndoCaptions(0);
  p.SaveRedoCaptioned(c);
  ASSERT_TRUE(p.Undo());
  p.ClearUndo();
  EXPECT_TRUE(SamePixels(b, afterFirst));
  EXPECT_EQ(p.UndoCount(), 1);
  EXPECT_EQ(p.RedoCount(), 1);
  EXPECT_EQ(p.RedoCaptions(0), "Paint");
  // Redo mirrors it.
  p.SaveUndoCaptioned(p.RedoCaptions(0));
  ASSERT_TRUE(p.Redo());
  p.ClearRedo();
  EXPECT_TRUE(SamePixels(b, afterSecond));
  EXPECT_EQ(p.RedoCount(), 0);
  EXPECT_EQ(p.UndoCount(), 2);
  EXPECT_FALSE(p.Redo());
  EXPECT_EQ(p.RedoCaptions(0), "");
  p.ClearAllUndo();
  EXPECT_FALSE(p.Undo());
}

TEST(Processor, UndoLimitKeepsTheNewestNine) {
  TIEBitmap b(2, 2, TIEPixelFormat::ie8g);
  TImageProcessor p(b);
  ASSERT_EQ(p.UndoLimit(), 9);
  for (int i = 0; i < 12; ++i) {
    b.WritableScanLine(0)[0] = static_cast<std::uint8_t>(i);
    p.SaveUndoCaptioned("step " + std::to_string(i));
  }
  EXPECT_EQ(p.UndoCount(), 9);
  EXPECT_EQ(p.UndoCaptions(0), "step 11");
  EXPECT_EQ(p.UndoCaptions(8), "step 3");
  EXPECT_EQ(p.UndoCaptions(9), "");
  // Walking back restores each step exactly.
  for (int i = 11; i >= 3; --i) {
    ASSERT_TRUE(p.Undo());
    EXPECT_EQ(b.ScanLine(0)[0], i);
    p.ClearUndo();
  }
  EXPECT_EQ(p.UndoCount(), 0);
}

TEST(Processor, SmallStrokesOnALargeImageHoldLittleHistory) {
  TIEBitmap b(8000, 2000, TIEPixelFormat::ie24RGB);  // 48 MB
  TImageProcessor p(b);
  for (int i = 0; i < 9; ++i) {
    p.SaveUndoCaptioned("Paint");
    p.PaintPenMarker(100 + 50 * i, 1000, 5, IERGB(255, 0, 0));
  }
  EXPECT_EQ(p.UndoCount(), 9);
  // Each stroke copies at most the two bands it touches, a small part of the image.
  EXPECT_LE(p.HistoryBytes(), 9 * 2 * b.RowStride() * b.BandRows());
  EXPECT_LT(p.HistoryBytes(), b.ByteSize() / 8);
  ASSERT_TRUE(p.Undo());  // the step before the last stroke
  EXPECT_EQ(b.PixelRGB(500, 1000), (TIERGB{0, 0, 0}));
  EXPECT_EQ(b.PixelRGB(450, 1000), (TIERGB{255, 0, 0}));
}

TEST(Processor, HistoryBudgetDropsTheOldestWholeImageSteps) {
  TIEBitmap b(1000, 1000, TIEPixelFormat::ie24RGB);  // 3 MB
  TImageProcessor p(b);
  p.SetHistoryBudget(std::size_t(7) * 1024 * 1024);
  for (int i = 0; i < 5; ++i) p.Negative();  // each step keeps a whole image
  // The image before each negative differs from the one after it, so each entry costs 3 MB.
  EXPECT_EQ(p.UndoCount(), 2);
  EXPECT_LE(p.HistoryBytes(), p.HistoryBudget());
  ASSERT_TRUE(p.Undo());
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{0, 0, 0}));  // before the fifth negative: black again
  // A tiny budget still keeps the newest step.
  p.SetHistoryBudget(1);
  EXPECT_EQ(p.UndoCount(), 1);
}
