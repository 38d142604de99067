#pragma once
// Conversions between the view's bitmap and QImage.

#include <QImage>

#include "imaging/IEBitmap.h"

// A QImage in the closest Qt format: Mono, Indexed8, Grayscale8, Grayscale16, RGB888;
// float grey becomes Grayscale16.
QImage BitmapToQImage(const TIEBitmap& bmp);

// Keeps 1-bit, palette, 8-bit and 16-bit grey; everything else becomes 24-bit RGB.
TIEBitmap QImageToBitmap(const QImage& img);

// The pixels of r (bitmap coordinates, clipped), sampled every `step` pixels, as RGB32.
QImage RenderRegion(const TIEBitmap& bmp, const TIERect& r, int step = 1);
// The same at step 1 into `out`, whose memory is reused when the size is unchanged.
void RenderRegionInto(const TIEBitmap& bmp, const TIERect& r, QImage& out);

// Converts one row segment [x0, x1) of row y to 0xFFRRGGBB values.
void RowToRGB32(const TIEBitmap& bmp, int y, int x0, int x1, quint32* out);
