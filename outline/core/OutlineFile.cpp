#include "outline/core/OutlineFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/Errors.h"

// Stand-in until the shared safe-replace helper is available.
void WriteOutlineFile(const std::string& path, const std::string& text) {
  const std::string tmp = path + ".tmp~";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) throw EInOutError("Cannot create file \"" + path + "\"");
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!ok || !closed) {
    std::filesystem::remove(tmp, ec);
    throw EInOutError("Cannot write file \"" + path + "\"");
  }
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    std::filesystem::remove(tmp, ec);
    throw EInOutError("Cannot replace file \"" + path + "\"");
  }
}
