#include "imaging/QtBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool IsBlackWhiteTable(const QList<QRgb>& t, bool& inverted) {
  if (t.size() != 2) return false;
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
  const QRgb a = t[0] | 0xFF000000u, b = t[1] | 0xFF000000u;
  if (a == black && b == white) {
    inverted = false;
    return true;
  }
  if (a == white && b == black) {
    inverted = true;
    return true;
  }
  return false;
}

}  // namespace

void RowToRGB32(const TIEBitmap& bmp, int y, int x0, int x1, quint32* out) {
  const std::uint8_t* row = bmp.ScanLine(y);
  switch (bmp.PixelFormat()) {
    case TIEPixelFormat::ie1g:
      for (int x = x0; x < x1; ++x)
        *out++ = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFFFFu : 0xFF000000u;
      break;
    case TIEPixelFormat::ie8p: {
      const auto& pal = bmp.Palette();
      for (int x = x0; x < x1; ++x) {
        const TIERGB c = pal[row[x]];
        *out++ = 0xFF000000u | (quint32(c.r) << 16) | (quint32(c.g) << 8) | c.b;
      }
      break;
    }
    case TIEPixelFormat::ie8g:
      for (int x = x0; x < x1; ++x) *out++ = 0xFF000000u | quint32(row[x]) * 0x010101u;
      break;
    case TIEPixelFormat::ie16g:
      for (int x = x0; x < x1; ++x) {
        std::uint16_t v;
        std::memcpy(&v, row + 2 * x, 2);
        *out++ = 0xFF000000u | quint32(v >> 8) * 0x010101u;
      }
      break;
    case TIEPixelFormat::ie24RGB:
      for (int x = x0; x < x1; ++x) {
        const std::uint8_t* p = row + 3 * x;
        *out++ = 0xFF000000u | (quint32(p[0]) << 16) | (quint32(p[1]) << 8) | p[2];
      }
      break;
    case TIEPixelFormat::ie32f:
      for (int x = x0; x < x1; ++x) {
        float v;
        std::memcpy(&v, row + 4 * x, 4);
        const quint32 g = quint32(std::clamp(std::lround(v * 255.0), 0L, 255L));
        *out++ = 0xFF000000u | g * 0x010101u;
      }
      break;
    case TIEPixelFormat::ieNone:
      for (int x = x0; x < x1; ++x) *out++ = 0xFF000000u;
      break;
  }
}

QImage BitmapToQImage(const TIEBitmap& bmp) {
  if (bmp.IsEmpty()) return {};
  const int w = bmp.Width(), h = bmp.Height();
  QImage img;
  switch (bmp.PixelFormat()) {
    case TIEPixelFormat::ie1g:
      img = QImage(w, h, QImage::Format_Mono);
      img.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
      for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), bmp.ScanLine(y), (w + 7) / 8);
      break;
    case TIEPixelFormat::ie8p: {
      img = QImage(w, h, QImage::Format_Indexed8);
      QList<QRgb> table;
      for (const TIERGB& c : bmp.Palette()) table.push_back(qRgb(c.r, c.g, c.b));
      img.setColorTable(table);
      for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), bmp.ScanLine(y), w);
      break;
    }
    case TIEPixelFormat::ie8g:
      img = QImage(w, h, QImage::Format_Grayscale8);
      for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), bmp.ScanLine(y), w);
      break;
    case TIEPixelFormat::ie16g:
      img = QImage(w, h, QImage::Format_Grayscale16);
      for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), bmp.ScanLine(y), 2 * std::size_t(w));
      break;
    case TIEPixelFormat::ie24RGB:
      img = QImage(w, h, QImage::Format_RGB888);
      for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), bmp.ScanLine(y), 3 * std::size_t(w));
      break;
    case TIEPixelFormat::ie32f:
      img = QImage(w, h, QImage::Format_Grayscale16);
      for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = bmp.ScanLine(y);
        auto* o = reinterpret_cast<quint16*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
          float v;
          std::memcpy(&v, in + 4 * x, 4);
          o[x] = quint16(std::clamp(std::lround(v * 65535.0), 0L, 65535L));
        }
      }
      break;
    case TIEPixelFormat::ieNone:
      break;
  }
  return img;
}

TIEBitmap QImageToBitmap(const QImage& src) {
  TIEBitmap bmp;
  if (src.isNull()) return bmp;
  const int w = src.width(), h = src.height();
  QImage img = src;
  if (img.format() == QImage::Format_MonoLSB) img = img.convertToFormat(QImage::Format_Mono);
  switch (img.format()) {
    case QImage::Format_Mono: {
      bool inverted = false;
      if (IsBlackWhiteTable(img.colorTable(), inverted)) {
        bmp.Allocate(w, h, TIEPixelFormat::ie1g);
        for (int y = 0; y < h; ++y) {
          std::uint8_t* o = bmp.WritableScanLine(y);
          std::memcpy(o, img.constScanLine(y), (w + 7) / 8);
          if (inverted)
            for (int i = 0; i < (w + 7) / 8; ++i) o[i] = std::uint8_t(~o[i]);
        }
        return bmp;
      }
      // A two-colour image in other colours keeps its colours as a palette.
      img = img.convertToFormat(QImage::Format_Indexed8);
      [[fallthrough]];
    }
    case QImage::Format_Indexed8: {
      bmp.Allocate(w, h, TIEPixelFormat::ie8p);
      std::vector<TIERGB> pal(256);
      const auto table = img.colorTable();
      for (int i = 0; i < table.size() && i < 256; ++i)
        pal[i] = {std::uint8_t(qRed(table[i])), std::uint8_t(qGreen(table[i])),
                  std::uint8_t(qBlue(table[i]))};
      bmp.SetPalette(pal);
      for (int y = 0; y < h; ++y) std::memcpy(bmp.WritableScanLine(y), img.constScanLine(y), w);
      return bmp;
    }
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
      bmp.Allocate(w, h, TIEPixelFormat::ie8g);
      for (int y = 0; y < h; ++y) std::memcpy(bmp.WritableScanLine(y), img.constScanLine(y), w);
      return bmp;
    case QImage::Format_Grayscale16:
      bmp.Allocate(w, h, TIEPixelFormat::ie16g);
      for (int y = 0; y < h; ++y)
        std::memcpy(bmp.WritableScanLine(y), img.constScanLine(y), 2 * std::size_t(w));
      return bmp;
    default:
      break;
  }
  bmp.Allocate(w, h, TIEPixelFormat::ie24RGB);
  // Converting one row at a time keeps the peak memory of very large images down.
  for (int y = 0; y < h; ++y) {
    const QImage row = img.copy(0, y, w, 1).convertToFormat(QImage::Format_RGB888);
    std::memcpy(bmp.WritableScanLine(y), row.constScanLine(0), 3 * std::size_t(w));
  }
  return bmp;
}

QImage RenderRegion(const TIEBitmap& bmp, const TIERect& r0, int step) {
  if (step < 1) step = 1;
  TIERect r{std::max(0, r0.Left), std::max(0, r0.Top), std::min(bmp.Width(), r0.Right),
            std::min(bmp.Height(), r0.Bottom)};
  if (r.IsEmpty()) return {};
  const int w = (r.Width() + step - 1) / step, h = (r.Height() + step - 1) / step;
  QImage img(w, h, QImage::Format_RGB32);
  if (step == 1) {
    for (int y = 0; y < h; ++y)
      RowToRGB32(bmp, r.Top + y, r.Left, r.Right, reinterpret_cast<quint32*>(img.scanLine(y)));
    return img;
  }
  std::vector<quint32> row(static_cast<std::size_t>(r.Width()));
  for (int y = 0; y < h; ++y) {
    RowToRGB32(bmp, r.Top + y * step, r.Left, r.Right, row.data());
    auto* o = reinterpret_cast<quint32*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) o[x] = row[static_cast<std::size_t>(x) * step];
  }
  return img;
}

void RenderRegionInto(const TIEBitmap& bmp, const TIERect& r0, QImage& out) {
  const TIERect r{std::max(0, r0.Left), std::max(0, r0.Top), std::min(bmp.Width(), r0.Right),
                  std::min(bmp.Height(), r0.Bottom)};
  if (r.IsEmpty()) {
    out = QImage();
    return;
  }
  if (out.width() != r.Width() || out.height() != r.Height() ||
      out.format() != QImage::Format_RGB32)
    out = QImage(r.Width(), r.Height(), QImage::Format_RGB32);
  for (int y = 0; y < r.Height(); ++y)
    RowToRGB32(bmp, r.Top + y, r.Left, r.Right, reinterpret_cast<quint32*>(out.scanLine(y)));
}
