#pragma once
// Saving data files without ever leaving a half-written file under the target's name: the
// new text goes to a temporary file in the target's folder, which is flushed to disk and
// renamed over the target once complete. A failure (or a kill) at any moment leaves the old
// file whole. Appending builds the old content followed by the new the same way.

#include <functional>
#include <string>

#include "model/Lmkcomm.h"
#include "model/TextOutFile.h"

void SafeReplaceFile(const std::string& path, const std::function<void(TTextOut& out)>& write);
void SafeAppendFile(const std::string& path, const std::function<void(TTextOut& out)>& write);

// The save commands' writes: the whole list with WriteLandmarkFile or WriteMxtFile.
void SaveLandmarkFile(const std::string& path, TdataList& Data, bool IncludePath, bool AddPath,
                      const std::string& Folder, bool append);
void SaveMxtFile(const std::string& path, TdataList& Data, bool append);
