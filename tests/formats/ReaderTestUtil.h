#pragma once
// Reading LMK text in memory with the boxes the reader shows recorded.

#include <string>
#include <vector>

#include "formats/Lmkcomm2.h"

struct TRecordedRead {
  bool ok = false;
  std::string error;  // the message of an error that ended reading, empty when none
  std::vector<std::string> boxes;
  TReadReport report;
};

// Reads text into data (appending) and records what happened.
inline TRecordedRead ReadText(const std::string& text, TdataList& data, bool checkCounts = false) {
  TRecordedRead r;
  auto saved = CoreHooks().ShowError;
  CoreHooks().ShowError = [&](const std::string& s) { r.boxes.push_back(s); };
  TTextFile f(text);
  TSpecimen* spec = nullptr;
  try {
    r.ok = ReadLandmarkFile(f, spec, data, checkCounts, &r.report);
  } catch (const std::exception& e) {
    r.error = e.what();
  }
  CoreHooks().ShowError = saved;
  return r;
}
