#pragma once
// The LMK reader and its line- and word-level helpers.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Lmkcomm.h"

// Where reading stopped and what was reported on the way. Message texts are as shown.
struct TReadReport {
  struct TMessage {
    int Line = 0;
    std::string Text;
  };
  int Line = 0;  // the line read last when reading ended (stop, error or end of file)
  std::vector<TMessage> Messages;  // boxes shown while reading went on
};

// Appends the specimens of f to Data. Answers true when the whole file was read, false when
// reading stopped early; errors are raised. Whatever happens, the specimens Data held before
// the call stay; on a failure the specimens appended by this call are discarded. On return
// Spec refers to the first specimen of Data, or is none.
bool ReadLandmarkFile(TTextFile& f, TSpecimen*& Spec, TdataList& Data, bool CheckCounts,
                      TReadReport* report = nullptr);
// Reads only the first specimen of a 2-D file into Spec, with the ID "Ref".
bool ReadReferenceSpecimen(TTextFile& f, std::unique_ptr<TSpecimen>& Spec,
                           TReadReport* report = nullptr);

void ReadKeyLine(TTextFile& f, std::string& key, std::string& value, std::string& rest);
// Trims s in place and counts its blank-separated words.
int CountTokens(std::string& s);
std::string GetToken(std::string_view s, int k);
int StrToIntChecked(std::string_view s);
