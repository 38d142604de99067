#pragma once
// The MXT matrix export of the whole data list: one matrix per specimen.

#include "model/Lmkcomm.h"
#include "model/TextOutFile.h"

// MXT values: 6 significant digits, 5 decimals, the separator in force.
std::string F65(double v);

// Writes every specimen as its own matrix, coordinates multiplied by its scale (0 counts as
// 1). All specimens must have the landmark count and the dimensions of the first; otherwise
// ElmkException is raised before anything is written. NaN or infinite values raise
// ElmkException too.
void WriteMxtFile(TTextOut& f, TdataList& Data);
