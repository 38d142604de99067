#pragma once
// Text helpers of the data model. Text is kept as the bytes read.

#include <string>
#include <string_view>
#include <vector>

// Removes every character up to and including the blank from both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII letters only; other bytes stay as they are.
std::string UpperCase(std::string_view s);

std::string CleanSpaces(std::string_view s);
// Fills list with the words of CleanSpaces(s); quoted words may hold blanks. Answers the count.
int SplitWords(std::string_view s, char delimiter, std::vector<std::string>& list);
int CountWords(std::string_view s);
std::string NormalizePath(std::string_view s);
std::string StripTrailingBackslash(std::string_view s);

// Path helpers that treat both '\' and '/' as separators (names often come from Windows).
bool IsPathSeparator(char c);
std::string ExtractFileName(std::string_view path);
// The folder part including its final separator; empty when there is none.
std::string ExtractFilePath(std::string_view path);
bool HasDirectoryPart(std::string_view path);
// The extension including its dot; empty when there is none.
std::string ExtractFileExt(std::string_view path);
