#include "model/Text.h"

namespace {
inline bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
}  // namespace

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlankOrControl(s[b])) ++b;
  while (e > b && IsBlankOrControl(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlankOrControl(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && IsBlankOrControl(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

std::string CleanSpaces(std::string_view s) {
  std::string t = Trim(s);
  for (char& c : t)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  // One left-to-right pass: each pair of blanks becomes one (a run of three stays two).
  std::string r;
  r.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == ' ' && i + 1 < t.size() && t[i + 1] == ' ') {
      r += ' ';
      i += 2;
    } else {
      r += t[i++];
    }
  }
  if (r == " ") r.clear();
  return r;
}

int SplitWords(std::string_view s, char delimiter, std::vector<std::string>& list) {
  list.clear();
  const std::string t = CleanSpaces(s);
  const char quote = '"';
  auto isSep = [&](char c) { return IsBlankOrControl(c) || c == delimiter; };
  std::size_t p = 0;
  while (p < t.size() && IsBlankOrControl(t[p])) ++p;
  while (p < t.size()) {
    std::string w;
    if (t[p] == quote) {
      ++p;
      while (p < t.size()) {
        if (t[p] == quote) {
          if (p + 1 < t.size() && t[p + 1] == quote) {
            w += quote;
            p += 2;
          } else {
            ++p;
            break;
          }
        } else {
          w += t[p++];
        }
      }
    } else {
      const std::size_t b = p;
      while (p < t.size() && !isSep(t[p])) ++p;
      w.assign(t, b, p - b);
    }
    list.push_back(std::move(w));
    while (p < t.size() && IsBlankOrControl(t[p])) ++p;
    if (p < t.size() && t[p] == delimiter) {
      if (p + 1 == t.size()) list.emplace_back();
      do ++p;
      while (p < t.size() && IsBlankOrControl(t[p]));
    }
  }
  return static_cast<int>(list.size());
}

int CountWords(std::string_view s) {
  std::vector<std::string> list;
  return SplitWords(s, ' ', list);
}

std::string NormalizePath(std::string_view s) {
  const std::string t = Trim(s);
  std::string r;
  r.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == '\\' && i + 1 < t.size() && t[i + 1] == '\\') {
      r += '\\';
      i += 2;
    } else {
      r += t[i++];
    }
  }
  return r;
}

std::string StripTrailingBackslash(std::string_view s) {
  if (s.size() > 2 && s.back() == '\\' && s[s.size() - 2] != ':')
    return std::string(s.substr(0, s.size() - 1));
  return std::string(s);
}

bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

namespace {
std::size_t NameStart(std::string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1]) && !(i == 2 && path[1] == ':')) --i;
  return i;
}
}  // namespace

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(NameStart(path)));
}

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

bool HasDirectoryPart(std::string_view path) {
  return NameStart(path) > 0;
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}
