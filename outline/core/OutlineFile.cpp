#include "outline/core/OutlineFile.h"

#include "formats/SafeReplace.h"

void WriteOutlineFile(const std::string& path, const std::string& text) {
  SafeReplaceFile(path, [&](TTextOut& out) { out.Write(text); });
}
