// Fuzzes the LMK reader, and checks on every input that reads that the writer's output reads
// back and writes the same bytes again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/Lmkcomm2.h"

namespace {

std::string Write(TdataList& data) {
  TTextOut out;
  WriteLandmarkFile(out, data, true, false, "");
  return out.TakeText();
}

bool Read(const std::string& text, TdataList& data) {
  TTextFile f(text);
  TSpecimen* spec = nullptr;
  try {
    return ReadLandmarkFile(f, spec, data, false);
  } catch (const EMorvexError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const bool quiet = [] {
    CoreHooks().ShowError = [](const std::string&) {};
    return true;
  }();
  (void)quiet;
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  // The last byte chooses the decimal separator, so both are fuzzed.
  TDecimalScope decimal(size > 0 && (bytes[size - 1] & 1) ? ',' : '.');

  {
    TTextFile f(text);
    std::unique_ptr<TSpecimen> ref;
    try {
      ReadReferenceSpecimen(f, ref);
    } catch (const EMorvexError&) {
    }
  }
  TdataList data;
  if (!Read(text, data)) return 0;
  {
    TTextOut mxt;
    try {
      WriteMxtFile(mxt, data);
    } catch (const ElmkException&) {
    }
  }
  // Whatever reads must write, read back and write the same bytes.
  const std::string once = Write(data);
  TdataList back;
  if (!Read(once, back) || back.Count() != data.Count()) std::abort();
  if (Write(back) != once) std::abort();
  return 0;
}
