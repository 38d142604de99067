#pragma once
// The benchmark data set: about 50 MB of LMK text, 100,000 specimens of 20 landmarks with IDs
// and scales, every tenth with a curve. Fixed seed, so every run measures the same bytes.

#include <memory>
#include <string>

#include "model/Lmkcomm.h"

constexpr int kBenchSpecimens = 100000;
constexpr int kBenchLandmarks = 20;

std::unique_ptr<TdataList> MakeBenchList(int specimens = kBenchSpecimens);
// The same list as LMK text (period as decimal separator, CR LF line ends).
std::string MakeBenchLmkText(int specimens = kBenchSpecimens);
