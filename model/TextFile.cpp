#include "model/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "model/Errors.h"

TTextFile::TTextFile(std::string content) : FData(std::move(content)), FText(FData) {}

TTextFile::TTextFile(TTextFile&& other) noexcept
    : FPos(other.FPos), FLine(other.FLine), FLastLine(other.FLastLine) {
  const bool owned = other.FText.data() == other.FData.data();
  FData = std::move(other.FData);
  FText = owned ? std::string_view(FData) : other.FText;
}

TTextFile TTextFile::View(std::string_view text) {
  TTextFile f;
  f.FText = text;
  return f;
}

TTextFile TTextFile::Open(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> fp(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!fp) throw EInOutError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  std::string data;
  char buf[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buf, 1, sizeof buf, fp.get());
    data.append(buf, got);
    if (got < sizeof buf) break;
  }
  if (std::ferror(fp.get()))
    throw EInOutError("Cannot read file \"" + path + "\": " + std::strerror(errno));
  return TTextFile(std::move(data));
}

std::string_view TTextFile::ReadLine() {
  if (Eof()) return {};
  const char* base = FText.data();
  const void* nl = std::memchr(base + FPos, '\n', FText.size() - FPos);
  std::size_t end =
      nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) : FText.size();
  std::string_view line(base + FPos, end - FPos);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  FPos = nl ? end + 1 : end;
  FLastLine = FLine;
  if (nl) ++FLine;
  return line;
}

void TTextFile::SkipLine() {
  if (!Eof()) ReadLine();
}

bool TTextFile::SeekEoln() {
  while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t')) ++FPos;
  if (FPos >= FText.size()) return true;
  const char c = FText[FPos];
  return c == '\n' || (c == '\r' && (FPos + 1 >= FText.size() || FText[FPos + 1] == '\n'));
}

bool TTextFile::SeekEof() {
  while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }
  return Eof();
}

int TTextFile::ReadChar() {
  if (Eof()) return -1;
  char c = FText[FPos++];
  FLastLine = FLine;
  if (c == '\r' && FPos < FText.size() && FText[FPos] == '\n') c = FText[FPos++];
  if (c == '\n') ++FLine;
  return static_cast<unsigned char>(c);
}

int TTextFile::ReadInteger() {
  if (SeekEof()) throw EInOutError("Read beyond end of file");
  const std::size_t b = FPos;
  while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) > ' ') ++FPos;
  FLastLine = FLine;
  const std::string_view word(FText.data() + b, FPos - b);
  long long v = 0;
  std::size_t i = 0;
  bool negative = false;
  if (word[0] == '+' || word[0] == '-') negative = word[i++] == '-';
  if (i == word.size()) throw EInOutError("Invalid numeric input: " + std::string(word));
  for (; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9')
      throw EInOutError("Invalid numeric input: " + std::string(word));
    v = v * 10 + (word[i] - '0');
    if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
      throw EInOutError("Invalid numeric input: " + std::string(word));
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
    throw EInOutError("Invalid numeric input: " + std::string(word));
  return static_cast<int>(v);
}
