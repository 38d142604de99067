#pragma once
// The LMK writer and its number formats.

#include <string>
#include <string_view>

#include "model/Lmkcomm.h"
#include "model/NumberWrite.h"
#include "model/TextOutFile.h"

// Coordinates, centres and radii: 7 significant digits, 5 decimals, the separator in force.
std::string F75(double v);
// The scale: 8 significant digits, 6 decimals.
std::string F86(double v);

// The text that goes after ID=, COMMENT=, VARIABLES= or IMAGE= so that the reader gives back
// the same text and writing that again gives the same line: line breaks become blanks, the
// ends are trimmed and the first gap between words becomes one blank. The reader adds a blank after
// a one-word ID, comment or variables text; that blank is not written (the reader adds it again),
// so a text the program made and the same text read back both write the same line.
std::string LmkLineText(std::string_view s);

// Writes every specimen of Data in the LMK format, with the decimal separator in force.
// Values that the reader could not take back (NaN, infinities) raise ElmkException; output
// errors raise EInOutError. Specimens without an image name get their extent recomputed and
// their base height set to it; with AddPath an image name without a folder gets Folder in
// front, in the specimen too.
void WriteLandmarkFile(TTextOut& f, TdataList& Data, bool IncludePath, bool AddPath,
                       const std::string& Folder);
