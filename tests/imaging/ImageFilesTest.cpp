#include "imaging/ImageFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "TestApp.h"
#include "imaging/QtBitmap.h"

namespace {

class ImageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    ASSERT_TRUE(FDir.isValid());
  }
  std::string Path(const std::string& name) const {
    return FDir.filePath(QString::fromStdString(name)).toStdString();
  }
  QTemporaryDir FDir;
};

// 67 x 41 pixels (JPEG 2000 needs more than a few), values varying over the image.
constexpr int kW = 67, kH = 41;
TIEBitmap Pattern(TIEPixelFormat f, bool smooth = false) {
  TIEBitmap b(kW, kH, f);
  if (f == TIEPixelFormat::ie8p)
    for (int i = 0; i < 256; ++i)
      b.SetPaletteEntry(i, {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
  for (int y = 0; y < kH; ++y) {
    std::uint8_t* row = b.WritableScanLine(y);
    for (int x = 0; x < kW; ++x) {
      // Lossy codecs get a gentle gradient, lossless ones a busy pattern.
      const int k = smooth ? (x + y) / 3 : (y * 7 + x) % 36;
      switch (f) {
        case TIEPixelFormat::ie1g:
          if ((x + y) % 2) row[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
          break;
        case TIEPixelFormat::ie8p:
        case TIEPixelFormat::ie8g:
          row[x] = std::uint8_t(k * 7);
          break;
        case TIEPixelFormat::ie16g: {
          const std::uint16_t v = std::uint16_t(k * 1800 + 3);
          std::memcpy(row + 2 * x, &v, 2);
          break;
        }
        case TIEPixelFormat::ie24RGB:
          row[3 * x] = std::uint8_t(k * 7);
          row[3 * x + 1] = std::uint8_t(255 - k * 5);
          row[3 * x + 2] = std::uint8_t(x * 3);
          break;
        case TIEPixelFormat::ie32f: {
          const float v = k / 34.0f;
          std::memcpy(row + 4 * x, &v, 4);
          break;
        }
        default:
          break;
      }
    }
  }
  return b;
}

int MaxDifference(const TIEBitmap& a, const TIEBitmap& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TIERGB p = a.PixelRGB(x, y), q = b.PixelRGB(x, y);
      worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
    }
  return worst;
}

double MeanDifference(const TIEBitmap& a, const TIEBitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TIERGB p = a.PixelRGB(x, y), q = b.PixelRGB(x, y);
      sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
  return sum / (3.0 * a.Width() * a.Height());
}

struct TRoundTrip {
  const char* Ext;
  TIEPixelFormat In;
  TIEPixelFormat Out;
  int Tolerance;  // 0: exact pixels (and exact values for the same format); else mean difference
};

class RoundTrip : public ImageFiles, public ::testing::WithParamInterface<TRoundTrip> {};

TEST_P(RoundTrip, WrittenFileReadsBack) {
  const auto& c = GetParam();
  const TIEBitmap src = Pattern(c.In, c.Tolerance > 0);
  const std::string path = Path(std::string("a.") + c.Ext);
  std::string error;
  ASSERT_TRUE(CanWriteImageExtension(c.Ext));
  ASSERT_TRUE(SaveImageFile(path, src, error)) << error;
  int w = 0, h = 0;
  ASSERT_TRUE(ReadImageHeader(path, w, h, error)) << error;
  EXPECT_EQ(w, kW);
  EXPECT_EQ(h, kH);
  TIEBitmap back;
  ASSERT_TRUE(LoadImageFile(path, back, error)) << error;
  ASSERT_EQ(back.Width(), kW);
  ASSERT_EQ(back.Height(), kH);
  EXPECT_EQ(back.PixelFormat(), c.Out) << PixelFormatName(back.PixelFormat());
  if (c.Tolerance == 0)
    EXPECT_EQ(MaxDifference(src, back), 0);
  else
    EXPECT_LE(MeanDifference(src, back), c.Tolerance);
  if (c.Tolerance == 0 && c.In == c.Out) {
    EXPECT_TRUE(SamePixels(src, back));
  }
}

using PF = TIEPixelFormat;
INSTANTIATE_TEST_SUITE_P(
    ImageFiles, RoundTrip,
    ::testing::Values(
        TRoundTrip{"png", PF::ie1g, PF::ie1g, 0}, TRoundTrip{"png", PF::ie8p, PF::ie8p, 0},
        TRoundTrip{"png", PF::ie8g, PF::ie8g, 0}, TRoundTrip{"png", PF::ie16g, PF::ie16g, 0},
        TRoundTrip{"png", PF::ie24RGB, PF::ie24RGB, 0}, TRoundTrip{"tif", PF::ie1g, PF::ie1g, 0},
        TRoundTrip{"tif", PF::ie8p, PF::ie8p, 0}, TRoundTrip{"tiff", PF::ie8g, PF::ie8g, 0},
        TRoundTrip{"tif", PF::ie16g, PF::ie16g, 0}, TRoundTrip{"tif", PF::ie24RGB, PF::ie24RGB, 0},
        TRoundTrip{"tif", PF::ie32f, PF::ie32f, 0}, TRoundTrip{"bmp", PF::ie1g, PF::ie1g, 0},
        TRoundTrip{"bmp", PF::ie8p, PF::ie8p, 0}, TRoundTrip{"bmp", PF::ie24RGB, PF::ie24RGB, 0},
        TRoundTrip{"dib", PF::ie24RGB, PF::ie24RGB, 0}, TRoundTrip{"rle", PF::ie8p, PF::ie8p, 0},
        TRoundTrip{"jpg", PF::ie24RGB, PF::ie24RGB, 12}, TRoundTrip{"jpe", PF::ie8g, PF::ie8g, 8},
        TRoundTrip{"tga", PF::ie24RGB, PF::ie24RGB, 0}, TRoundTrip{"pcx", PF::ie1g, PF::ie1g, 0},
        TRoundTrip{"pcx", PF::ie8p, PF::ie8p, 0}, TRoundTrip{"pcx", PF::ie8g, PF::ie8g, 0},
        TRoundTrip{"pcx", PF::ie24RGB, PF::ie24RGB, 0}, TRoundTrip{"gif", PF::ie8p, PF::ie8p, 0},
        TRoundTrip{"gif", PF::ie24RGB, PF::ie8p, 20}, TRoundTrip{"vda", PF::ie8g, PF::ie8g, 0},
        TRoundTrip{"ppm", PF::ie24RGB, PF::ie24RGB, 0}, TRoundTrip{"pgm", PF::ie8g, PF::ie8g, 0},
        TRoundTrip{"pgm", PF::ie16g, PF::ie16g, 0}, TRoundTrip{"pbm", PF::ie1g, PF::ie1g, 0},
        TRoundTrip{"pxm", PF::ie8g, PF::ie8g, 0}, TRoundTrip{"wbmp", PF::ie1g, PF::ie1g, 0},
        TRoundTrip{"jp2", PF::ie24RGB, PF::ie24RGB, 3}, TRoundTrip{"j2k", PF::ie8g, PF::ie8g, 3}),
    [](const auto& info) {
      return std::string(info.param.Ext) + "_" + PixelFormatName(info.param.In) + "_" +
             std::to_string(info.index);
    });

TEST_F(ImageFiles, JpegIsWrittenAtQuality80) {
  const TIEBitmap src = Pattern(PF::ie24RGB);
  std::string error;
  ASSERT_EQ(JpegQuality(), 80);
  ASSERT_TRUE(SaveImageFile(Path("q.jpg"), src, error)) << error;
  // Qt's writer at the same quality gives the same bytes.
  QImage ref = BitmapToQImage(src);
  ASSERT_TRUE(ref.save(QString::fromStdString(Path("ref.jpg")), "jpeg", 80));
  std::ifstream a(Path("q.jpg"), std::ios::binary), b(Path("ref.jpg"), std::ios::binary);
  const std::string sa((std::istreambuf_iterator<char>(a)), {}),
      sb((std::istreambuf_iterator<char>(b)), {});
  ASSERT_TRUE(ref.save(QString::fromStdString(Path("ref50.jpg")), "jpeg", 50));
  std::ifstream c(Path("ref50.jpg"), std::ios::binary);
  const std::string sc((std::istreambuf_iterator<char>(c)), {});
  EXPECT_NE(sb, sc);
  // Optimised Huffman tables differ in bytes but not in pixels from the plain writer.
  TIEBitmap fromOurs, fromRef;
  ASSERT_TRUE(LoadImageFile(Path("q.jpg"), fromOurs, error));
  ASSERT_TRUE(LoadImageFile(Path("ref.jpg"), fromRef, error));
  EXPECT_TRUE(SamePixels(fromOurs, fromRef));
}

TEST_F(ImageFiles, PaletteGifStaysPalette) {
  // A 1 x 1 GIF with a two-entry colour table (red, black) and no transparency.
  const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a',  1, 0, 1, 0,    0x80, 0, 0,   255, 0,
                               0,   0,   0,   0,   '!', 0xF9, 4, 0, 0, 0,    0,    0, ',', 0,   0,
                               0,   0,   1,   0,   1,   0,    0, 2, 2, 0x44, 1,    0, ';'};
  std::ofstream(Path("p.gif"), std::ios::binary)
      .write(reinterpret_cast<const char*>(gif), sizeof gif);
  TIEBitmap b;
  std::string error;
  ASSERT_TRUE(LoadImageFile(Path("p.gif"), b, error)) << error;
  EXPECT_EQ(b.PixelFormat(), PF::ie8p);
  EXPECT_EQ(b.PixelRGB(0, 0), (TIERGB{255, 0, 0}));
}

TEST_F(ImageFiles, HeaderOfALargeFileWithoutDecoding) {
  // A 6000 x 4000 JPEG cut after its first 4 KB: the header is whole, the pixels are not.
  QImage big(6000, 4000, QImage::Format_RGB888);
  big.fill(Qt::darkGreen);
  ASSERT_TRUE(big.save(QString::fromStdString(Path("big.jpg")), "jpeg", 80));
  std::filesystem::resize_file(Path("big.jpg"), 4096);
  int w = 0, h = 0;
  std::string error;
  ASSERT_TRUE(ReadImageHeader(Path("big.jpg"), w, h, error)) << error;
  EXPECT_EQ(w, 6000);
  EXPECT_EQ(h, 4000);
  // The same for JPEG 2000 and Targa, whose headers we read ourselves.
  TIEBitmap b(300, 200, PF::ie24RGB);
  ASSERT_TRUE(SaveImageFile(Path("big.jp2"), b, error)) << error;
  ASSERT_TRUE(SaveImageFile(Path("big.j2k"), b, error)) << error;
  ASSERT_TRUE(SaveImageFile(Path("big.tga"), b, error)) << error;
  for (const char* name : {"big.jp2", "big.j2k", "big.tga"}) {
    std::filesystem::resize_file(Path(name), 100);
    ASSERT_TRUE(ReadImageHeader(Path(name), w, h, error)) << name << ": " << error;
    EXPECT_EQ(w, 300) << name;
    EXPECT_EQ(h, 200) << name;
  }
}

TEST_F(ImageFiles, UnsupportedTypesAreRefusedClearly) {
  std::ofstream(Path("a.wmf")) << "not really";
  TIEBitmap b(2, 2, PF::ie8g);
  std::string error;
  EXPECT_FALSE(LoadImageFile(Path("a.wmf"), b, error));
  EXPECT_NE(error.find("Windows metafiles are not supported"), std::string::npos) << error;
  EXPECT_EQ(b.Width(), 2);  // unchanged
  for (const char* ext : {"wmf", "emf", "fax", "g3n", "nef", "xyz"}) {
    EXPECT_FALSE(CanWriteImageExtension(ext)) << ext;
    error.clear();
    EXPECT_FALSE(SaveImageFile(Path(std::string("out.") + ext), b, error)) << ext;
    EXPECT_EQ(error.rfind("Unsupported output file type (." + std::string(ext) + ")", 0), 0u)
        << error;
    EXPECT_FALSE(std::filesystem::exists(Path(std::string("out.") + ext)));
  }
  for (const char* ext : {"JPG", ".tif", "dng", "CR2", "jpc"})
    EXPECT_TRUE(CanReadImageExtension(ext)) << ext;
  EXPECT_FALSE(CanReadImageExtension("emf"));
  int w, h;
  EXPECT_FALSE(ReadImageHeader(Path("missing.png"), w, h, error));
  EXPECT_NE(error.find("missing.png"), std::string::npos);
  std::ofstream(Path("junk.png")) << "junk";
  EXPECT_FALSE(LoadImageFile(Path("junk.png"), b, error));
  EXPECT_FALSE(ReadImageHeader(Path("junk.nef"), w, h, error));
}

TEST_F(ImageFiles, DamagedHeadersFailWithoutHugeAllocations) {
  // A Targa header claiming 65535 x 65535 pixels in front of 10 bytes of data.
  unsigned char tga[28] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 24, 0x20};
  std::ofstream(Path("huge.tga"), std::ios::binary)
      .write(reinterpret_cast<const char*>(tga), sizeof tga);
  tga[2] = 10;  // the same, run-length encoded
  std::ofstream(Path("huge_rle.tga"), std::ios::binary)
      .write(reinterpret_cast<const char*>(tga), sizeof tga);
  for (const char* name : {"huge.tga", "huge_rle.tga"}) {
    TIEBitmap b;
    std::string error;
    EXPECT_FALSE(LoadImageFile(Path(name), b, error)) << name;
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    EXPECT_TRUE(b.IsEmpty());
  }
}

TEST_F(ImageFiles, FiltersListOnlyWhatWorks) {
  const std::string open = ImageFileFilter(true), save = ImageFileFilter(false);
  EXPECT_EQ(open.rfind("All graphics|", 0), 0u);
  EXPECT_NE(open.find("*.nef"), std::string::npos);
  EXPECT_NE(open.find("*.gif"), std::string::npos);
  EXPECT_EQ(open.find("*.wmf"), std::string::npos);
  EXPECT_NE(save.find("*.gif"), std::string::npos);
  EXPECT_EQ(save.find("*.nef"), std::string::npos);
  EXPECT_NE(save.find("JPEG Bitmap (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe"), std::string::npos);
  bool metafileRefused = false;
  for (const auto& f : ImageFamilies())
    if (f.Name == "Windows Metafile")
      metafileRefused = !f.CanRead && !f.CanWrite && !f.Refusal.empty();
  EXPECT_TRUE(metafileRefused);
}

}  // namespace
