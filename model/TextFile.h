#pragma once
// A text file held in memory for reading, with the operations the readers need: whole
// lines, single characters, whitespace skipping and integers read from the text.
// Lines end with LF or CR LF; a last line without a line end is read normally.

#include <cstddef>
#include <string>
#include <string_view>

class TTextFile {
 public:
  TTextFile(TTextFile&& other) noexcept;
  TTextFile& operator=(TTextFile&&) = delete;
  TTextFile(const TTextFile&) = delete;
  explicit TTextFile(std::string content);
  // Reads text the caller keeps alive for the life of the object (no copy).
  static TTextFile View(std::string_view text);
  // Reads the whole file; a file that cannot be opened or read raises EInOutError.
  static TTextFile Open(const std::string& path);

  bool Eof() const { return FPos >= FText.size(); }
  // The next whole line without its line end; at the end of the file the empty text.
  std::string_view ReadLine();
  // Drops the rest of the current line, line end included.
  void SkipLine();
  // Skips blanks and tabs; answers true at a line end or the end of the file.
  bool SeekEoln();
  // Skips blank space including line ends; answers true at the end of the file.
  bool SeekEof();
  // The next character (a line end counts as one '\n'); -1 at the end of the file.
  int ReadChar();
  // Skips blank space and line ends, then reads a whole number up to the next blank or
  // line end. Raises EInOutError when the text is not an integer or the file has ended.
  int ReadInteger();

  // The 1-based number of the line that was read last (0 before anything was read).
  int LineNumber() const { return FLastLine; }
  std::size_t Position() const { return FPos; }
  std::size_t Size() const { return FText.size(); }
  std::size_t RemainingBytes() const { return FText.size() - FPos; }

 private:
  TTextFile() = default;
  std::string FData;       // the text when the object owns it
  std::string_view FText;  // what is read: FData or the caller's text
  std::size_t FPos = 0;
  int FLine = 1;      // the line the position is in
  int FLastLine = 0;  // the line of the last character consumed
};
