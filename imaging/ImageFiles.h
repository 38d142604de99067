#pragma once
// Image files by extension: reading (in the file's own pixel format where the bitmap has
// it), reading only the size from the header, writing, and what can be written.
// Readers: Qt's image plugins, OpenCV imgcodecs (JPEG 2000, float TIFF), LibRaw (camera raw).
// No Qt type appears here, so the command-line tools can use it.

#include <string>
#include <vector>

#include "imaging/IEBitmap.h"

// Loads path into bmp. On failure bmp is left unchanged and error says why.
bool LoadImageFile(const std::string& path, TIEBitmap& bmp, std::string& error);

// Width and height from the file's header, without decoding the pixels.
bool ReadImageHeader(const std::string& path, int& width, int& height, std::string& error);

// Writes bmp in the type the extension names. JPEG is written at quality 80.
bool SaveImageFile(const std::string& path, const TIEBitmap& bmp, std::string& error);

// Extension with or without the dot, any case ("jpg", ".TIF").
bool CanReadImageExtension(const std::string& ext);
bool CanWriteImageExtension(const std::string& ext);

// JPEG quality used by SaveImageFile (1..100); 80 unless changed.
int JpegQuality();
void SetJpegQuality(int quality);

// One entry of the open and save dialogs' filters.
struct TImageFamily {
  std::string Name;                     // "JPEG Bitmap"
  std::vector<std::string> Extensions;  // lower case, no dot
  bool CanRead = false;
  bool CanWrite = false;
  std::string Refusal;  // why it is refused, when it can neither be read nor written
};

const std::vector<TImageFamily>& ImageFamilies();

// "JPEG Bitmap (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|..." for the families that can be read
// (forOpen) or written, with "All graphics" first.
std::string ImageFileFilter(bool forOpen);

// Lower-case extension without the dot ("" when there is none).
std::string ImageExtensionOf(const std::string& path);
