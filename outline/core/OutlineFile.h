#pragma once
// Where the outline export touches the disk: one function, so the way files are replaced is
// decided in one place.

#include <string>

// Replaces path with text atomically (a temporary file beside it, flushed, then renamed over
// it). Raises EInOutError when the file cannot be written; the old file then stays.
void WriteOutlineFile(const std::string& path, const std::string& text);
