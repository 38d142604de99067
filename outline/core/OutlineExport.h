#pragma once
// "Save just outlines": the outlines of every specimen, without landmarks, in a plain-text, MXT
// matrix or matrix-script layout chosen by the file's extension.

#include <string>
#include <vector>

#include "model/Specimen.h"
#include "model/Vectors.h"

// The 8-direction chain rewritten with 4 directions (0 right, 1 up, 2 left, 3 down), each
// diagonal as two axis steps.
std::vector<int> FourDirectionChain(const TOutline& chain);

// The file text for fileName's layout (".TXT", ".MXT" or ".M", any case), with the listing
// lines sent to add as they arise. Raises ElmkException for an ".LMK" or any other target and,
// after the summary line, when no outline could be saved; ERangeError for a chain whose
// 4-direction form exceeds 12000 codes. written answers the outlines written.
std::string JustOutlinesText(const std::string& fileName, const TdataList& dataList,
                             const AddProc& add, int& written);

// Builds the text and then replaces fileName with it atomically; nothing is touched when any
// of the errors above is raised. File errors raise EInOutError.
void SaveJustOutlines(const std::string& fileName, const TdataList& dataList, const AddProc& add);
