#pragma once
// Window styles: every style Qt offers plus our own named themes (a base style with a
// palette of our own), activated by name for the whole application.

#include <string>
#include <vector>

#include "model/Errors.h"

class EStyleNotFound : public EMorvexError {
 public:
  explicit EStyleNotFound(const std::string& msg) : EMorvexError(msg) {}
};

class TStyleManager {
 public:
  // The names of all styles, sorted without regard to case.
  static std::vector<std::string> StyleNames();
  static bool IsStyle(const std::string& name);
  // Name of the style in force ("" before any was set).
  static std::string ActiveStyleName();
  // EStyleNotFound "Style 'name' not found" for a name no style has.
  static void SetStyle(const std::string& name);
  // As SetStyle; false instead of the error.
  static bool TrySetStyle(const std::string& name);
};
