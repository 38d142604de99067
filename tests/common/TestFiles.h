#pragma once
// Small helpers the test suites share: whole files in and out, and error messages.

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "model/Errors.h"

// The whole file as bytes; empty when it cannot be read.
inline std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void Put(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

// The message of the ElmkException f raises, or a marker when it raises none.
inline std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ElmkException& e) {
    return e.what();
  }
  return "<no ElmkException>";
}
