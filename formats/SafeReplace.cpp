#include "formats/SafeReplace.h"

#include "formats/MxtExport.h"
#include "formats/Writer.h"

void SafeReplaceFile(const std::string& path, const std::function<void(TTextOut& out)>& write) {
  SafeWriteFile(path, false, write);
}

void SafeAppendFile(const std::string& path, const std::function<void(TTextOut& out)>& write) {
  SafeWriteFile(path, true, write);
}

void SaveLandmarkFile(const std::string& path, TdataList& Data, bool IncludePath, bool AddPath,
                      const std::string& Folder, bool append) {
  SafeWriteFile(path, append,
                [&](TTextOut& out) { WriteLandmarkFile(out, Data, IncludePath, AddPath, Folder); });
}

void SaveMxtFile(const std::string& path, TdataList& Data, bool append) {
  SafeWriteFile(path, append, [&](TTextOut& out) { WriteMxtFile(out, Data); });
}
