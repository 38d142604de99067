#include "imaging/ImageFiles.h"

#include <libraw/libraw.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "imaging/QtBitmap.h"

namespace {

int GJpegQuality = 80;

enum class TCodec { None, Qt, OpenCV, Jpeg2000, CodeStream, LibRaw, Targa, Pxm, Pcx, Gif };

struct TExtInfo {
  TCodec Read = TCodec::None;
  TCodec Write = TCodec::None;
  const char* QtFormat = "";  // format name forced on Qt's reader and writer
};

const std::map<std::string, TExtInfo>& ExtTable() {
  static const std::map<std::string, TExtInfo> table = {
      {"tif", {TCodec::Qt, TCodec::Qt, "tiff"}},
      {"tiff", {TCodec::Qt, TCodec::Qt, "tiff"}},
      {"gif", {TCodec::Qt, TCodec::Gif, "gif"}},
      {"jpg", {TCodec::Qt, TCodec::Qt, "jpeg"}},
      {"jpeg", {TCodec::Qt, TCodec::Qt, "jpeg"}},
      {"jpe", {TCodec::Qt, TCodec::Qt, "jpeg"}},
      {"bmp", {TCodec::Qt, TCodec::Qt, "bmp"}},
      {"dib", {TCodec::Qt, TCodec::Qt, "bmp"}},
      {"rle", {TCodec::Qt, TCodec::Qt, "bmp"}},
      {"png", {TCodec::Qt, TCodec::Qt, "png"}},
      {"pcx", {TCodec::Pcx, TCodec::Pcx, ""}},
      {"tga", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"targa", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"vda", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"icb", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"vst", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"pix", {TCodec::Targa, TCodec::Targa, "tga"}},
      {"ppm", {TCodec::Qt, TCodec::Pxm, ""}},
      {"pgm", {TCodec::Qt, TCodec::Pxm, ""}},
      {"pbm", {TCodec::Qt, TCodec::Pxm, ""}},
      {"pxm", {TCodec::Qt, TCodec::Pxm, ""}},
      {"wbmp", {TCodec::Qt, TCodec::Qt, "wbmp"}},
      {"webp", {TCodec::Qt, TCodec::Qt, "webp"}},
      {"jp2", {TCodec::Jpeg2000, TCodec::Jpeg2000, ""}},
      {"j2k", {TCodec::Jpeg2000, TCodec::CodeStream, ""}},
      {"jpc", {TCodec::Jpeg2000, TCodec::CodeStream, ""}},
      {"j2c", {TCodec::Jpeg2000, TCodec::CodeStream, ""}},
      {"dng", {TCodec::LibRaw, TCodec::None, ""}},
      {"cr2", {TCodec::LibRaw, TCodec::None, ""}},
      {"crw", {TCodec::LibRaw, TCodec::None, ""}},
      {"dcr", {TCodec::LibRaw, TCodec::None, ""}},
      {"mrw", {TCodec::LibRaw, TCodec::None, ""}},
      {"nef", {TCodec::LibRaw, TCodec::None, ""}},
  };
  return table;
}

// Why a known extension is refused.
std::string RefusalFor(const std::string& ext, bool writing) {
  if (ext == "wmf" || ext == "emf") return "Windows metafiles are not supported";
  if (ext == "fax" || ext == "g3n" || ext == "g3f") return "raw fax (G3) files are not supported";
  if (ext == "avi" || ext == "mov") return "video files are not images";
  if (writing) {
    static const std::array<const char*, 6> raw = {"dng", "cr2", "crw", "dcr", "mrw", "nef"};
    if (std::find(raw.begin(), raw.end(), ext) != raw.end())
      return "camera raw files can be read but not written";
  }
  return "file type not supported";
}

const TExtInfo* InfoFor(const std::string& ext) {
  const auto& t = ExtTable();
  const auto it = t.find(ext);
  return it == t.end() ? nullptr : &it->second;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string NormExt(const std::string& e) {
  return Lower(!e.empty() && e[0] == '.' ? e.substr(1) : e);
}

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool ReadPrefix(const std::string& path, std::vector<unsigned char>& bytes, std::size_t n) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.resize(n);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(n));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return true;
}

std::uint32_t BE32(const unsigned char* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         p[3];
}

// ---- TIFF: only the sample format of the first image decides between Qt and OpenCV.

bool TiffHasFloatSamples(const std::string& path) {
  std::vector<unsigned char> b;
  if (!ReadFileBytes(path, b) || b.size() < 8) return false;
  const bool le = b[0] == 'I';
  auto u16 = [&](std::size_t o) -> unsigned {
    if (o + 2 > b.size()) return 0;
    return le ? b[o] | (b[o + 1] << 8) : (b[o] << 8) | b[o + 1];
  };
  auto u32 = [&](std::size_t o) -> std::uint32_t {
    if (o + 4 > b.size()) return 0;
    return le ? std::uint32_t(b[o]) | (std::uint32_t(b[o + 1]) << 8) |
                    (std::uint32_t(b[o + 2]) << 16) | (std::uint32_t(b[o + 3]) << 24)
              : BE32(&b[o]);
  };
  if (u16(2) != 42) return false;
  const std::size_t ifd = u32(4);
  const unsigned n = u16(ifd);
  for (unsigned i = 0; i < n; ++i) {
    const std::size_t e = ifd + 2 + 12 * std::size_t(i);
    if (u16(e) == 339) return u16(e + 8) == 3;  // SampleFormat: 3 = IEEE float
  }
  return false;
}

// ---- JPEG 2000 headers: the image header box of a JP2 file, the SIZ marker of a code stream.

bool Jpeg2000Size(const std::string& path, int& w, int& h) {
  std::vector<unsigned char> b;
  if (!ReadPrefix(path, b, 4096) || b.size() < 16) return false;
  if (b[0] == 0xFF && b[1] == 0x4F && b[2] == 0xFF && b[3] == 0x51 && b.size() >= 24) {
    const std::uint32_t xs = BE32(&b[8]), ys = BE32(&b[12]), xo = BE32(&b[16]), yo = BE32(&b[20]);
    w = int(xs - xo);
    h = int(ys - yo);
    return w > 0 && h > 0;
  }
  for (std::size_t i = 0; i + 16 <= b.size(); ++i) {
    if (std::memcmp(&b[i], "ihdr", 4) == 0) {
      h = int(BE32(&b[i + 4]));
      w = int(BE32(&b[i + 8]));
      return w > 0 && h > 0;
    }
  }
  return false;
}

// ---- OpenCV matrices.

TIEBitmap MatToBitmap(const cv::Mat& m0) {
  TIEBitmap bmp;
  cv::Mat m = m0;
  const int ch = m.channels();
  if (ch == 1) {
    if (m.depth() == CV_32F || m.depth() == CV_64F) {
      m.convertTo(m, CV_32F);
      bmp.Allocate(m.cols, m.rows, TIEPixelFormat::ie32f);
      for (int y = 0; y < m.rows; ++y)
        std::memcpy(bmp.WritableScanLine(y), m.ptr(y), 4 * std::size_t(m.cols));
    } else if (m.depth() == CV_16U || m.depth() == CV_16S || m.depth() == CV_32S) {
      if (m.depth() != CV_16U) m.convertTo(m, CV_16U);
      bmp.Allocate(m.cols, m.rows, TIEPixelFormat::ie16g);
      for (int y = 0; y < m.rows; ++y)
        std::memcpy(bmp.WritableScanLine(y), m.ptr(y), 2 * std::size_t(m.cols));
    } else {
      if (m.depth() != CV_8U) m.convertTo(m, CV_8U);
      bmp.Allocate(m.cols, m.rows, TIEPixelFormat::ie8g);
      for (int y = 0; y < m.rows; ++y)
        std::memcpy(bmp.WritableScanLine(y), m.ptr(y), std::size_t(m.cols));
    }
    return bmp;
  }
  if (m.depth() == CV_16U)
    m.convertTo(m, CV_8U, 1.0 / 257.0);
  else if (m.depth() == CV_32F || m.depth() == CV_64F)
    m.convertTo(m, CV_8U, 255.0);
  else if (m.depth() != CV_8U)
    m.convertTo(m, CV_8U);
  bmp.Allocate(m.cols, m.rows, TIEPixelFormat::ie24RGB);
  for (int y = 0; y < m.rows; ++y) {
    const unsigned char* in = m.ptr(y);
    std::uint8_t* o = bmp.WritableScanLine(y);
    for (int x = 0; x < m.cols; ++x) {
      o[3 * x] = in[ch * x + 2];
      o[3 * x + 1] = in[ch * x + 1];
      o[3 * x + 2] = in[ch * x];
    }
  }
  return bmp;
}

cv::Mat BitmapToMat(const TIEBitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  switch (bmp.PixelFormat()) {
    case TIEPixelFormat::ie32f: {
      cv::Mat m(h, w, CV_32FC1);
      for (int y = 0; y < h; ++y) std::memcpy(m.ptr(y), bmp.ScanLine(y), 4 * std::size_t(w));
      return m;
    }
    case TIEPixelFormat::ie16g: {
      cv::Mat m(h, w, CV_16UC1);
      for (int y = 0; y < h; ++y) std::memcpy(m.ptr(y), bmp.ScanLine(y), 2 * std::size_t(w));
      return m;
    }
    case TIEPixelFormat::ie8g:
    case TIEPixelFormat::ie1g: {
      cv::Mat m(h, w, CV_8UC1);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m.at<unsigned char>(y, x) = bmp.PixelRGB(x, y).r;
      return m;
    }
    default: {
      cv::Mat m(h, w, CV_8UC3);
      for (int y = 0; y < h; ++y) {
        unsigned char* o = m.ptr(y);
        for (int x = 0; x < w; ++x) {
          const TIERGB c = bmp.PixelRGB(x, y);
          o[3 * x] = c.b;
          o[3 * x + 1] = c.g;
          o[3 * x + 2] = c.r;
        }
      }
      return m;
    }
  }
}

bool LoadWithOpenCV(const std::string& path, TIEBitmap& bmp, std::string& error) {
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(path, bytes)) {
    error = "Cannot open image file: " + path;
    return false;
  }
  cv::Mat m;
  try {
    m = cv::imdecode(bytes, cv::IMREAD_UNCHANGED | cv::IMREAD_ANYDEPTH);
  } catch (const cv::Exception& e) {
    error = "Cannot read image file: " + path + "\n" + e.what();
    return false;
  }
  if (m.empty()) {
    error = "Cannot read image file: " + path + "\nthe file is damaged or not of its type";
    return false;
  }
  bmp = MatToBitmap(m);
  return true;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = "Cannot create image file: " + path;
    return false;
  }
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    error = "Cannot write image file: " + path;
    return false;
  }
  return true;
}

bool EncodeWithOpenCV(const TIEBitmap& bmp, const char* ext, std::vector<unsigned char>& bytes,
                      std::string& error) {
  try {
    if (!cv::imencode(ext, BitmapToMat(bmp), bytes)) {
      error = std::string("Cannot encode image as ") + ext;
      return false;
    }
  } catch (const cv::Exception& e) {
    error = e.what();
    return false;
  }
  return true;
}

// A JP2 file carries its code stream in the contiguous code stream box.
bool ExtractCodeStream(const std::vector<unsigned char>& jp2, std::vector<unsigned char>& cs) {
  std::size_t i = 0;
  while (i + 8 <= jp2.size()) {
    std::uint64_t len = BE32(&jp2[i]);
    std::size_t head = 8;
    if (len == 1 && i + 16 <= jp2.size()) {
      len = (std::uint64_t(BE32(&jp2[i + 8])) << 32) | BE32(&jp2[i + 12]);
      head = 16;
    }
    if (len == 0) len = jp2.size() - i;
    if (std::memcmp(&jp2[i + 4], "jp2c", 4) == 0) {
      if (i + len > jp2.size()) return false;
      cs.assign(jp2.begin() + std::ptrdiff_t(i + head), jp2.begin() + std::ptrdiff_t(i + len));
      return true;
    }
    if (len < head) return false;
    i += len;
  }
  return false;
}

// ---- LibRaw.

bool LoadWithLibRaw(const std::string& path, TIEBitmap& bmp, std::string& error) {
  auto raw = std::make_unique<LibRaw>();
  int rc = raw->open_file(path.c_str());
  if (rc == LIBRAW_SUCCESS) rc = raw->unpack();
  if (rc == LIBRAW_SUCCESS) rc = raw->dcraw_process();
  if (rc != LIBRAW_SUCCESS) {
    error = "Cannot read camera raw file: " + path + "\n" + libraw_strerror(rc);
    return false;
  }
  libraw_processed_image_t* img = raw->dcraw_make_mem_image(&rc);
  if (!img) {
    error = "Cannot read camera raw file: " + path + "\n" + libraw_strerror(rc);
    return false;
  }
  std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> hold(
      img, [](libraw_processed_image_t* p) { LibRaw::dcraw_clear_mem(p); });
  if (img->type != LIBRAW_IMAGE_BITMAP || img->bits != 8 ||
      (img->colors != 3 && img->colors != 1)) {
    error = "Cannot read camera raw file: " + path + "\nunexpected decoded layout";
    return false;
  }
  TIEBitmap out(img->width, img->height,
                img->colors == 3 ? TIEPixelFormat::ie24RGB : TIEPixelFormat::ie8g);
  const std::size_t rowBytes = std::size_t(img->width) * img->colors;
  for (int y = 0; y < img->height; ++y)
    std::memcpy(out.WritableScanLine(y), img->data + rowBytes * y, rowBytes);
  bmp = std::move(out);
  return true;
}

bool LibRawSize(const std::string& path, int& w, int& h, std::string& error) {
  auto raw = std::make_unique<LibRaw>();
  const int rc = raw->open_file(path.c_str());
  if (rc != LIBRAW_SUCCESS) {
    error = "Cannot read camera raw file: " + path + "\n" + libraw_strerror(rc);
    return false;
  }
  int iw = raw->imgdata.sizes.width, ih = raw->imgdata.sizes.height;
  if (raw->imgdata.sizes.flip & 4) std::swap(iw, ih);
  w = iw;
  h = ih;
  return true;
}

// ---- PaintBrush, read and written by us: run-length rows, 1-bit, 4-plane EGA, 8-bit
// with a 256-colour palette at the end, or 24-bit as three planes.

bool PcxSize(const std::vector<unsigned char>& b, int& w, int& h) {
  if (b.size() < 128 || b[0] != 0x0A || b[2] != 1) return false;
  const int x0 = b[4] | (b[5] << 8), y0 = b[6] | (b[7] << 8), x1 = b[8] | (b[9] << 8),
            y1 = b[10] | (b[11] << 8);
  w = x1 - x0 + 1;
  h = y1 - y0 + 1;
  return w > 0 && h > 0;
}

// The bytes of an image file our own readers decode, or false with the program's message.
bool ReadImageBytes(const std::string& path, std::vector<unsigned char>& b, std::string& error) {
  if (ReadFileBytes(path, b)) return true;
  error = "Cannot open image file: " + path;
  return false;
}

// The message for a file our own readers cannot decode; answers false to be returned.
bool ImageReadFailed(const std::string& path, const char* why, std::string& error) {
  error = "Cannot read image file: " + path + "\n" + why;
  return false;
}

bool ReadPcx(const std::string& path, TIEBitmap& bmp, std::string& error) {
  std::vector<unsigned char> b;
  if (!ReadImageBytes(path, b, error)) return false;
  const auto bad = [&](const char* why) { return ImageReadFailed(path, why, error); };
  int w = 0, h = 0;
  if (!PcxSize(b, w, h)) return bad("not a PaintBrush file");
  const int bits = b[3], planes = b[65], bpl = b[66] | (b[67] << 8);
  const bool mono = bits == 1 && planes == 1, ega = bits == 1 && planes >= 2 && planes <= 4;
  const bool pal8 = bits == 8 && planes == 1, rgb = bits == 8 && (planes == 3 || planes == 4);
  if (!mono && !ega && !pal8 && !rgb) return bad("unsupported PaintBrush pixel layout");
  if (bpl * 8 < w * bits) return bad("damaged PaintBrush header");
  const std::size_t lineBytes = std::size_t(bpl) * planes;
  // Each encoded byte gives at most 63 decoded ones.
  if (lineBytes * h > (b.size() - 128) * 63) return bad("the pixel data is cut short");
  std::vector<unsigned char> data(lineBytes * h);
  std::size_t pos = 128, out = 0;
  while (out < data.size()) {
    if (pos >= b.size()) return bad("the pixel data is cut short");
    unsigned char c = b[pos++];
    std::size_t count = 1;
    if ((c & 0xC0) == 0xC0) {
      count = c & 0x3F;
      if (pos >= b.size()) return bad("the pixel data is cut short");
      c = b[pos++];
    }
    count = std::min(count, data.size() - out);
    std::fill_n(data.begin() + std::ptrdiff_t(out), count, c);
    out += count;
  }
  std::vector<TIERGB> pal(256);
  for (int i = 0; i < 16; ++i) pal[i] = {b[16 + 3 * i], b[17 + 3 * i], b[18 + 3 * i]};
  if (pal8) {
    if (b.size() >= 769 && b[b.size() - 769] == 0x0C)
      for (int i = 0; i < 256; ++i)
        pal[i] = {b[b.size() - 768 + 3 * i], b[b.size() - 767 + 3 * i], b[b.size() - 766 + 3 * i]};
    else
      for (int i = 0; i < 256; ++i) pal[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
  }
  bool greyRamp = pal8;
  for (int i = 0; greyRamp && i < 256; ++i)
    greyRamp = pal[i] == TIERGB{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
  const TIEPixelFormat pf = mono       ? TIEPixelFormat::ie1g
                            : rgb      ? TIEPixelFormat::ie24RGB
                            : greyRamp ? TIEPixelFormat::ie8g
                                       : TIEPixelFormat::ie8p;
  TIEBitmap img(w, h, pf);
  if (pf == TIEPixelFormat::ie8p) img.SetPalette(pal);
  for (int y = 0; y < h; ++y) {
    const unsigned char* line = &data[lineBytes * y];
    std::uint8_t* row = img.WritableScanLine(y);
    if (mono) {
      std::memcpy(row, line, std::size_t((w + 7) / 8));
    } else if (ega) {
      for (int x = 0; x < w; ++x) {
        int v = 0;
        for (int pl = 0; pl < planes; ++pl)
          v |= ((line[pl * bpl + (x >> 3)] >> (7 - (x & 7))) & 1) << pl;
        row[x] = std::uint8_t(v);
      }
    } else if (pal8) {
      std::memcpy(row, line, std::size_t(w));
    } else {
      for (int x = 0; x < w; ++x)
        row[3 * x] = line[x], row[3 * x + 1] = line[bpl + x], row[3 * x + 2] = line[2 * bpl + x];
    }
  }
  bmp = std::move(img);
  return true;
}

void PcxEncodeLine(const unsigned char* p, std::size_t n, std::vector<unsigned char>& out) {
  for (std::size_t i = 0; i < n;) {
    std::size_t run = 1;
    while (i + run < n && run < 63 && p[i + run] == p[i]) ++run;
    if (run > 1 || (p[i] & 0xC0) == 0xC0) out.push_back(std::uint8_t(0xC0 | run));
    out.push_back(p[i]);
    i += run;
  }
}

bool WritePcx(const std::string& path, const TIEBitmap& bmp, std::string& error) {
  const int w = bmp.Width(), h = bmp.Height();
  if (w > 65535 || h > 65535) {
    error = "Image too large for a PaintBrush file";
    return false;
  }
  const TIEPixelFormat pf = bmp.PixelFormat();
  const bool mono = pf == TIEPixelFormat::ie1g;
  const bool pal8 = pf == TIEPixelFormat::ie8p || pf == TIEPixelFormat::ie8g;
  const int bits = mono ? 1 : 8, planes = mono || pal8 ? 1 : 3;
  const int bpl = ((mono ? (w + 7) / 8 : w) + 1) / 2 * 2;  // even, as the format wants
  std::vector<unsigned char> out(128, 0);
  out[0] = 0x0A, out[1] = 5, out[2] = 1, out[3] = std::uint8_t(bits);
  out[8] = std::uint8_t((w - 1) & 255), out[9] = std::uint8_t((w - 1) >> 8);
  out[10] = std::uint8_t((h - 1) & 255), out[11] = std::uint8_t((h - 1) >> 8);
  out[12] = 72, out[14] = 72;
  if (mono) out[16 + 3] = out[16 + 4] = out[16 + 5] = 255;  // entry 1 white
  out[65] = std::uint8_t(planes);
  out[66] = std::uint8_t(bpl & 255), out[67] = std::uint8_t(bpl >> 8);
  out[68] = 1;
  std::vector<unsigned char> line(std::size_t(bpl) * planes);
  for (int y = 0; y < h; ++y) {
    std::fill(line.begin(), line.end(), 0);
    const std::uint8_t* row = bmp.ScanLine(y);
    if (mono) {
      std::memcpy(line.data(), row, std::size_t((w + 7) / 8));
    } else if (pal8) {
      std::memcpy(line.data(), row, std::size_t(w));
    } else {
      for (int x = 0; x < w; ++x) {
        const TIERGB c = bmp.PixelRGB(x, y);
        line[x] = c.r, line[bpl + x] = c.g, line[2 * bpl + x] = c.b;
      }
    }
    PcxEncodeLine(line.data(), line.size(), out);
  }
  if (pal8) {
    out.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      const TIERGB c = pf == TIEPixelFormat::ie8p
                           ? bmp.Palette()[i]
                           : TIERGB{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  }
  return WriteBytes(path, out, error);
}

// ---- GIF, written by us: one image of at most 256 colours, LZW-compressed.

class TGifBits {
 public:
  explicit TGifBits(std::vector<unsigned char>& out) : FOut(out) {}
  void Put(unsigned code, int width) {
    FAcc |= std::uint32_t(code) << FBits;
    FBits += width;
    while (FBits >= 8) {
      Byte(std::uint8_t(FAcc & 255));
      FAcc >>= 8;
      FBits -= 8;
    }
  }
  void Finish() {
    if (FBits > 0) Byte(std::uint8_t(FAcc & 255));
    Flush();
    FOut.push_back(0);  // block terminator
  }

 private:
  void Byte(std::uint8_t b) {
    FBlock.push_back(b);
    if (FBlock.size() == 255) Flush();
  }
  void Flush() {
    if (FBlock.empty()) return;
    FOut.push_back(std::uint8_t(FBlock.size()));
    FOut.insert(FOut.end(), FBlock.begin(), FBlock.end());
    FBlock.clear();
  }
  std::vector<unsigned char>& FOut;
  std::vector<unsigned char> FBlock;
  std::uint32_t FAcc = 0;
  int FBits = 0;
};

void GifCompress(const std::vector<std::uint8_t>& px, std::vector<unsigned char>& out) {
  constexpr unsigned kClear = 256, kEnd = 257;
  std::vector<std::int16_t> next(4096 * 256, -1);  // code x byte -> code
  TGifBits bits(out);
  int width = 9;
  unsigned maxCode = kEnd;
  bits.Put(kClear, width);
  unsigned cur = px[0];
  for (std::size_t i = 1; i < px.size(); ++i) {
    const unsigned c = px[i];
    const std::int16_t n = next[cur * 256 + c];
    if (n >= 0) {
      cur = unsigned(n);
      continue;
    }
    bits.Put(cur, width);
    next[cur * 256 + c] = std::int16_t(++maxCode);
    if (maxCode >= (1u << width)) ++width;
    if (maxCode == 4095) {
      bits.Put(kClear, width);
      std::fill(next.begin(), next.end(), std::int16_t(-1));
      width = 9;
      maxCode = kEnd;
    }
    cur = c;
  }
  bits.Put(cur, width);
  bits.Put(kEnd, width);
  bits.Finish();
}

bool WriteGif(const std::string& path, const TIEBitmap& bmp, std::string& error) {
  const int w = bmp.Width(), h = bmp.Height();
  if (w > 65535 || h > 65535) {
    error = "Image too large for a GIF file";
    return false;
  }
  std::vector<TIERGB> pal(256);
  std::vector<std::uint8_t> px(std::size_t(w) * h);
  const TIEPixelFormat pf = bmp.PixelFormat();
  if (pf == TIEPixelFormat::ie8p || pf == TIEPixelFormat::ie8g || pf == TIEPixelFormat::ie1g) {
    for (int i = 0; i < 256; ++i)
      pal[i] = pf == TIEPixelFormat::ie8p
                   ? bmp.Palette()[i]
                   : TIERGB{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    if (pf == TIEPixelFormat::ie1g) pal[1] = {255, 255, 255};
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* row = bmp.ScanLine(y);
      for (int x = 0; x < w; ++x)
        px[std::size_t(y) * w + x] =
            pf == TIEPixelFormat::ie1g ? ((row[x >> 3] >> (7 - (x & 7))) & 1) : row[x];
    }
  } else {
    // More than 256 colours: Qt picks the palette (exact when the image has few colours).
    const QImage idx = BitmapToQImage(bmp)
                           .convertToFormat(QImage::Format_RGB32)
                           .convertToFormat(QImage::Format_Indexed8);
    const auto table = idx.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
      pal[i] = {std::uint8_t(qRed(table[i])), std::uint8_t(qGreen(table[i])),
                std::uint8_t(qBlue(table[i]))};
    for (int y = 0; y < h; ++y)
      std::memcpy(&px[std::size_t(y) * w], idx.constScanLine(y), std::size_t(w));
  }
  std::vector<unsigned char> out = {'G', 'I', 'F', '8', '9', 'a'};
  const auto u16 = [&out](int v) {
    out.insert(out.end(), {std::uint8_t(v & 255), std::uint8_t(v >> 8)});
  };
  u16(w);
  u16(h);
  out.insert(out.end(), {0xF7, 0, 0});  // global table of 256 entries
  for (const TIERGB& c : pal) out.insert(out.end(), {c.r, c.g, c.b});
  out.push_back(',');
  u16(0);
  u16(0);
  u16(w);
  u16(h);
  out.push_back(0);
  out.push_back(8);  // LZW minimum code size
  GifCompress(px, out);
  out.push_back(';');
  return WriteBytes(path, out, error);
}

// ---- Targa, written by us: uncompressed, bottom-up rows.

bool WriteTarga(const std::string& path, const TIEBitmap& bmp, std::string& error) {
  const int w = bmp.Width(), h = bmp.Height();
  if (w > 65535 || h > 65535) {
    error = "Image too large for a Targa file";
    return false;
  }
  const bool palette = bmp.PixelFormat() == TIEPixelFormat::ie8p;
  const bool grey =
      bmp.PixelFormat() == TIEPixelFormat::ie8g || bmp.PixelFormat() == TIEPixelFormat::ie1g ||
      bmp.PixelFormat() == TIEPixelFormat::ie16g || bmp.PixelFormat() == TIEPixelFormat::ie32f;
  std::vector<unsigned char> out(18, 0);
  out[1] = palette ? 1 : 0;
  out[2] = palette ? 1 : grey ? 3 : 2;
  if (palette) {
    out[5] = 0;
    out[6] = 1;  // 256 entries
    out[7] = 24;
  }
  out[12] = std::uint8_t(w & 255);
  out[13] = std::uint8_t(w >> 8);
  out[14] = std::uint8_t(h & 255);
  out[15] = std::uint8_t(h >> 8);
  out[16] = palette || grey ? 8 : 24;
  out[17] = 0x20;  // top-left origin
  if (palette)
    for (const TIERGB& c : bmp.Palette()) out.insert(out.end(), {c.b, c.g, c.r});
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      if (palette) {
        out.push_back(row[x]);
      } else {
        const TIERGB c = bmp.PixelRGB(x, y);
        if (grey)
          out.push_back(c.r);
        else
          out.insert(out.end(), {c.b, c.g, c.r});
      }
    }
  }
  return WriteBytes(path, out, error);
}

// Types 1, 2, 3 and their run-length forms 9, 10, 11; 8, 15/16, 24 or 32 bits.
bool ReadTarga(const std::string& path, TIEBitmap& bmp, std::string& error) {
  std::vector<unsigned char> b;
  if (!ReadImageBytes(path, b, error)) return false;
  const auto bad = [&](const char* why) { return ImageReadFailed(path, why, error); };
  if (b.size() < 18) return bad("the file is too short for a Targa header");
  const int idLen = b[0], cmapType = b[1], type = b[2];
  const int cmapFirst = b[3] | (b[4] << 8), cmapLen = b[5] | (b[6] << 8), cmapBits = b[7];
  const int w = b[12] | (b[13] << 8), h = b[14] | (b[15] << 8), bits = b[16], desc = b[17];
  const int base = type & 7;
  if (base < 1 || base > 3 || w == 0 || h == 0) return bad("unsupported Targa image type");
  if ((base == 1 && bits != 8) || (base == 3 && bits != 8) ||
      (base == 2 && bits != 15 && bits != 16 && bits != 24 && bits != 32))
    return bad("unsupported Targa pixel depth");
  std::size_t pos = 18 + std::size_t(idLen);
  std::vector<TIERGB> pal(256);
  if (cmapType == 1) {
    const int eb = (cmapBits + 7) / 8;
    for (int i = 0; i < cmapLen; ++i, pos += eb) {
      if (pos + eb > b.size()) return bad("the colour map is cut short");
      const int idx = cmapFirst + i;
      if (idx < 0 || idx > 255 || eb < 3) continue;
      pal[idx] = {b[pos + 2], b[pos + 1], b[pos]};
    }
  }
  const int bpp = (bits + 7) / 8;
  const std::size_t n = std::size_t(w) * h;
  // A damaged header must not make us reserve more than the file can hold.
  const std::size_t avail = b.size() > pos ? b.size() - pos : 0;
  if ((type & 8) ? n * bpp > avail / 2 * 128 * std::size_t(bpp) + 128 * bpp : n * bpp > avail)
    return bad("the pixel data is cut short");
  std::vector<unsigned char> px(n * bpp);
  if (type & 8) {
    std::size_t i = 0;
    while (i < n) {
      if (pos >= b.size()) return bad("the pixel data is cut short");
      const int head = b[pos++];
      const std::size_t count = std::size_t(head & 127) + 1;
      if (i + count > n) return bad("a run passes the end of the image");
      if (head & 128) {
        if (pos + bpp > b.size()) return bad("the pixel data is cut short");
        for (std::size_t k = 0; k < count; ++k) std::memcpy(&px[(i + k) * bpp], &b[pos], bpp);
        pos += bpp;
      } else {
        if (pos + count * bpp > b.size()) return bad("the pixel data is cut short");
        std::memcpy(&px[i * bpp], &b[pos], count * bpp);
        pos += count * bpp;
      }
      i += count;
    }
  } else {
    if (pos + px.size() > b.size()) return bad("the pixel data is cut short");
    std::memcpy(px.data(), &b[pos], px.size());
  }
  const TIEPixelFormat pf = base == 1   ? TIEPixelFormat::ie8p
                            : base == 3 ? TIEPixelFormat::ie8g
                                        : TIEPixelFormat::ie24RGB;
  TIEBitmap out(w, h, pf);
  if (pf == TIEPixelFormat::ie8p) out.SetPalette(pal);
  const bool topDown = desc & 0x20, rightLeft = desc & 0x10;
  for (int y = 0; y < h; ++y) {
    const int sy = topDown ? y : h - 1 - y;
    std::uint8_t* row = out.WritableScanLine(y);
    for (int x = 0; x < w; ++x) {
      const int sx = rightLeft ? w - 1 - x : x;
      const unsigned char* p = &px[(std::size_t(sy) * w + sx) * bpp];
      if (pf != TIEPixelFormat::ie24RGB) {
        row[x] = p[0];
      } else if (bpp >= 3) {
        row[3 * x] = p[2], row[3 * x + 1] = p[1], row[3 * x + 2] = p[0];
      } else {
        const int v = p[0] | (p[1] << 8);
        row[3 * x] = std::uint8_t(((v >> 10) & 31) * 255 / 31);
        row[3 * x + 1] = std::uint8_t(((v >> 5) & 31) * 255 / 31);
        row[3 * x + 2] = std::uint8_t((v & 31) * 255 / 31);
      }
    }
  }
  bmp = std::move(out);
  return true;
}

// Netpbm files with more than 8 bits per sample go to OpenCV, which keeps 16 bits.
bool NetpbmIsDeep(const std::string& path) {
  std::vector<unsigned char> b;
  if (!ReadPrefix(path, b, 512) || b.size() < 3 || b[0] != 'P' || (b[1] != '2' && b[1] != '5'))
    return false;
  std::size_t i = 2;
  long vals[3] = {0, 0, 0};
  for (long& v : vals) {
    while (i < b.size()) {
      if (b[i] == '#')
        while (i < b.size() && b[i] != '\n') ++i;
      else if (std::isspace(b[i]))
        ++i;
      else
        break;
    }
    while (i < b.size() && std::isdigit(b[i])) v = v * 10 + (b[i++] - '0');
  }
  return vals[2] > 255;
}

bool TargaSize(const std::string& path, int& w, int& h) {
  std::vector<unsigned char> b;
  if (!ReadPrefix(path, b, 18) || b.size() < 18) return false;
  w = b[12] | (b[13] << 8);
  h = b[14] | (b[15] << 8);
  return w > 0 && h > 0;
}

// ---- Qt.

void LiftAllocationLimit() {
  static const bool done = [] {
    QImageReader::setAllocationLimit(0);  // very large scans must load
    return true;
  }();
  (void)done;
}

// The pixels of a decoded GIF as indices into the file's global colour table; false when
// the file has none or a pixel's colour is not in it (local tables, transparency).
bool GifWithFileTable(const std::string& path, const QImage& img, TIEBitmap& bmp) {
  std::vector<unsigned char> b;
  if (!ReadPrefix(path, b, 13 + 768) || b.size() < 13 || !(b[10] & 0x80)) return false;
  const int entries = 2 << (b[10] & 7);
  if (b.size() < std::size_t(13 + 3 * entries)) return false;
  std::vector<TIERGB> pal(256);
  std::map<QRgb, int> index;
  for (int i = entries - 1; i >= 0; --i) {
    pal[i] = {b[13 + 3 * i], b[14 + 3 * i], b[15 + 3 * i]};
    index[qRgb(pal[i].r, pal[i].g, pal[i].b)] = i;  // the first of equal entries wins
  }
  const QImage rgb = img.convertToFormat(QImage::Format_ARGB32);
  TIEBitmap out(rgb.width(), rgb.height(), TIEPixelFormat::ie8p);
  out.SetPalette(pal);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    std::uint8_t* row = out.WritableScanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      if (qAlpha(in[x]) != 255) return false;
      const auto it = index.find(in[x] | 0xFF000000u);
      if (it == index.end()) return false;
      row[x] = std::uint8_t(it->second);
    }
  }
  bmp = std::move(out);
  return true;
}

bool LoadWithQt(const std::string& path, const char* format, TIEBitmap& bmp, std::string& error) {
  LiftAllocationLimit();
  QImageReader reader(QString::fromStdString(path), format);
  reader.setAutoTransform(false);
  QImage img;
  if (!reader.read(&img)) {
    // The forced type may be wrong (a PNG named .bmp): let Qt look at the content.
    QImageReader any(QString::fromStdString(path));
    any.setAutoTransform(false);
    if (!any.read(&img)) {
      error = "Cannot read image file: " + path + "\n" + reader.errorString().toStdString();
      return false;
    }
  }
  // Qt hands GIF frames over as 32-bit colour; a GIF has at most 256 colours, and the
  // file's own colour table keeps its index order.
  if (reader.format() == "gif" && img.format() != QImage::Format_Indexed8) {
    if (GifWithFileTable(path, img, bmp)) return true;
    img = img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  }
  bmp = QImageToBitmap(img);
  return true;
}

bool SaveWithQt(const std::string& path, const char* format, const QImage& img,
                std::string& error) {
  QImageWriter writer(QString::fromStdString(path), format);
  if (std::strcmp(format, "jpeg") == 0) {
    writer.setQuality(GJpegQuality);
    writer.setOptimizedWrite(true);
  }
  if (!writer.write(img)) {
    error = "Cannot write image file: " + path + "\n" + writer.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace

std::string ImageExtensionOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return Lower(path.substr(dot + 1));
}

int JpegQuality() {
  return GJpegQuality;
}
void SetJpegQuality(int quality) {
  GJpegQuality = std::clamp(quality, 1, 100);
}

bool CanReadImageExtension(const std::string& ext) {
  const TExtInfo* i = InfoFor(NormExt(ext));
  if (!i || i->Read == TCodec::None) return false;
  if (i->Read == TCodec::Jpeg2000) return cv::haveImageWriter("x.jp2");  // same codec library
  return true;
}

bool CanWriteImageExtension(const std::string& ext) {
  const TExtInfo* i = InfoFor(NormExt(ext));
  if (!i || i->Write == TCodec::None) return false;
  if (i->Write == TCodec::Jpeg2000 || i->Write == TCodec::CodeStream)
    return cv::haveImageWriter("x.jp2");
  if (i->Write == TCodec::Qt) return QImageWriter::supportedImageFormats().contains(i->QtFormat);
  return true;
}

namespace {

bool LoadImageFileUnguarded(const std::string& path, TIEBitmap& bmp, std::string& error) {
  const std::string ext = ImageExtensionOf(path);
  const TExtInfo* info = InfoFor(ext);
  if (!info || info->Read == TCodec::None) {
    error = "Cannot read image file: " + path + "\n" + RefusalFor(ext, false);
    return false;
  }
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    error = "Cannot open image file: " + path;
    return false;
  }
  switch (info->Read) {
    case TCodec::LibRaw:
      return LoadWithLibRaw(path, bmp, error);
    case TCodec::Jpeg2000:
      return LoadWithOpenCV(path, bmp, error);
    case TCodec::Targa:
      return ReadTarga(path, bmp, error);
    case TCodec::Pcx:
      return ReadPcx(path, bmp, error);
    default:
      break;
  }
  if ((ext == "pgm" || ext == "pxm") && NetpbmIsDeep(path)) return LoadWithOpenCV(path, bmp, error);
  if ((ext == "tif" || ext == "tiff") && TiffHasFloatSamples(path))
    return LoadWithOpenCV(path, bmp, error);
  if (LoadWithQt(path, info->QtFormat, bmp, error)) return true;
  // Some variants (16-bit PGM, odd TIFF layouts) are handled by OpenCV.
  std::string cvError;
  if (LoadWithOpenCV(path, bmp, cvError)) return true;
  return false;
}

}  // namespace

bool LoadImageFile(const std::string& path, TIEBitmap& bmp, std::string& error) {
  try {
    return LoadImageFileUnguarded(path, bmp, error);
  } catch (const std::bad_alloc&) {
    error = "Not enough memory to load image file: " + path;
  } catch (const std::exception& e) {
    error = "Cannot read image file: " + path + "\n" + e.what();
  }
  return false;
}

bool ReadImageHeader(const std::string& path, int& width, int& height, std::string& error) {
  const std::string ext = ImageExtensionOf(path);
  const TExtInfo* info = InfoFor(ext);
  if (!info || info->Read == TCodec::None) {
    error = "Cannot read image file: " + path + "\n" + RefusalFor(ext, false);
    return false;
  }
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    error = "Cannot open image file: " + path;
    return false;
  }
  int w = 0, h = 0;
  bool ok = false;
  if (info->Read == TCodec::LibRaw) return LibRawSize(path, width, height, error);
  if (info->Read == TCodec::Jpeg2000) {
    ok = Jpeg2000Size(path, w, h);
  } else if (info->Read == TCodec::Pcx) {
    std::vector<unsigned char> b;
    ok = ReadPrefix(path, b, 128) && PcxSize(b, w, h);
  } else if (info->Read == TCodec::Targa) {
    ok = TargaSize(path, w, h);
  } else {
    LiftAllocationLimit();
    QImageReader reader(QString::fromStdString(path), info->QtFormat);
    reader.setAutoTransform(false);
    QSize s = reader.size();
    if (!s.isValid()) {
      QImageReader any(QString::fromStdString(path));
      s = any.size();
    }
    ok = s.isValid() && s.width() > 0 && s.height() > 0;
    w = s.width();
    h = s.height();
  }
  if (!ok) {
    error = "Cannot read the header of image file: " + path;
    return false;
  }
  width = w;
  height = h;
  return true;
}

namespace {

bool SaveImageFileUnguarded(const std::string& path, const TIEBitmap& bmp, std::string& error) {
  const std::string ext = ImageExtensionOf(path);
  if (!CanWriteImageExtension(ext)) {
    error = "Unsupported output file type (." + ext + "): " + RefusalFor(ext, true);
    return false;
  }
  if (bmp.IsEmpty()) {
    error = "No image to save";
    return false;
  }
  const TExtInfo& info = *InfoFor(ext);
  const TIEPixelFormat pf = bmp.PixelFormat();
  switch (info.Write) {
    case TCodec::Targa:
      return WriteTarga(path, bmp, error);
    case TCodec::Gif:
      return WriteGif(path, bmp, error);
    case TCodec::Pcx: {
      TIEBitmap b = bmp;
      if (b.PixelFormat() == TIEPixelFormat::ie16g || b.PixelFormat() == TIEPixelFormat::ie32f)
        b.ConvertTo(TIEPixelFormat::ie8g);
      return WritePcx(path, b, error);
    }
    case TCodec::Jpeg2000: {
      std::vector<unsigned char> bytes;
      return EncodeWithOpenCV(bmp, ".jp2", bytes, error) && WriteBytes(path, bytes, error);
    }
    case TCodec::CodeStream: {
      std::vector<unsigned char> bytes, cs;
      if (!EncodeWithOpenCV(bmp, ".jp2", bytes, error)) return false;
      if (!ExtractCodeStream(bytes, cs)) {
        error = "Cannot write image file: " + path + "\nno code stream in the JPEG 2000 encoding";
        return false;
      }
      return WriteBytes(path, cs, error);
    }
    case TCodec::Pxm: {
      // The netpbm type follows the pixels for .pxm; the named type otherwise.
      std::string kind = ext;
      if (ext == "pxm")
        kind = pf == TIEPixelFormat::ie1g ? "pbm"
               : (pf == TIEPixelFormat::ie8g || pf == TIEPixelFormat::ie16g ||
                  pf == TIEPixelFormat::ie32f)
                   ? "pgm"
                   : "ppm";
      if (kind == "pgm" && (pf == TIEPixelFormat::ie16g || pf == TIEPixelFormat::ie32f)) {
        TIEBitmap b16 = bmp;
        b16.ConvertTo(TIEPixelFormat::ie16g);
        std::vector<unsigned char> bytes;
        return EncodeWithOpenCV(b16, ".pgm", bytes, error) && WriteBytes(path, bytes, error);
      }
      QImage img = BitmapToQImage(bmp);
      if (kind == "pbm") img = img.convertToFormat(QImage::Format_Mono);
      if (kind == "pgm") img = img.convertToFormat(QImage::Format_Grayscale8);
      if (kind == "ppm") img = img.convertToFormat(QImage::Format_RGB888);
      return SaveWithQt(path, kind.c_str(), img, error);
    }
    case TCodec::Qt: {
      if ((ext == "tif" || ext == "tiff") && pf == TIEPixelFormat::ie32f) {
        std::vector<unsigned char> bytes;
        return EncodeWithOpenCV(bmp, ".tiff", bytes, error) && WriteBytes(path, bytes, error);
      }
      QImage img = BitmapToQImage(bmp);
      if (std::strcmp(info.QtFormat, "jpeg") == 0 && img.format() == QImage::Format_Grayscale16)
        img = img.convertToFormat(QImage::Format_Grayscale8);
      if (std::strcmp(info.QtFormat, "wbmp") == 0) img = img.convertToFormat(QImage::Format_Mono);
      return SaveWithQt(path, info.QtFormat, img, error);
    }
    default:
      break;
  }
  error = "Unsupported output file type (." + ext + ")";
  return false;
}

}  // namespace

bool SaveImageFile(const std::string& path, const TIEBitmap& bmp, std::string& error) {
  try {
    return SaveImageFileUnguarded(path, bmp, error);
  } catch (const std::bad_alloc&) {
    error = "Not enough memory to save image file: " + path;
  } catch (const std::exception& e) {
    error = "Cannot write image file: " + path + "\n" + e.what();
  }
  return false;
}

const std::vector<TImageFamily>& ImageFamilies() {
  static const std::vector<TImageFamily> families = [] {
    std::vector<TImageFamily> f = {
        {"TIFF Bitmap", {"tif", "tiff", "fax", "g3n", "g3f"}, false, false, ""},
        {"CompuServe Bitmap", {"gif"}, false, false, ""},
        {"JPEG Bitmap", {"jpg", "jpeg", "jpe"}, false, false, ""},
        {"PaintBrush", {"pcx"}, false, false, ""},
        {"Windows Bitmap", {"bmp", "dib", "rle"}, false, false, ""},
        {"Portable Network Graphics", {"png"}, false, false, ""},
        {"Windows Metafile", {"wmf"}, false, false, ""},
        {"Enhanced Windows Metafile", {"emf"}, false, false, ""},
        {"Targa Bitmap", {"tga", "targa", "vda", "icb", "vst", "pix"}, false, false, ""},
        {"Portable Pixmap, GrayMap, BitMap", {"pxm", "ppm", "pgm", "pbm"}, false, false, ""},
        {"Wireless Bitmap", {"wbmp"}, false, false, ""},
        {"JPEG2000", {"jp2"}, false, false, ""},
        {"JPEG2000 Code Stream", {"j2k", "jpc", "j2c"}, false, false, ""},
        {"Raw camera formats", {"dng", "cr2", "crw", "dcr", "mrw", "nef"}, false, false, ""},
    };
    for (auto& fam : f) {
      for (const auto& e : fam.Extensions) {
        fam.CanRead = fam.CanRead || CanReadImageExtension(e);
        fam.CanWrite = fam.CanWrite || CanWriteImageExtension(e);
      }
      if (!fam.CanRead && !fam.CanWrite) fam.Refusal = RefusalFor(fam.Extensions.front(), false);
    }
    return f;
  }();
  return families;
}

std::string ImageFileFilter(bool forOpen) {
  std::string all, entries;
  for (const auto& fam : ImageFamilies()) {
    std::string pats;
    for (const auto& e : fam.Extensions) {
      if (forOpen ? !CanReadImageExtension(e) : !CanWriteImageExtension(e)) continue;
      if (!pats.empty()) pats += ";";
      pats += "*." + e;
    }
    if (pats.empty()) continue;
    if (!all.empty()) all += ";";
    all += pats;
    entries += "|" + fam.Name + " (" + pats + ")|" + pats;
  }
  return "All graphics|" + all + entries;
}
