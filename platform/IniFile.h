#pragma once
// The settings file: a standard INI file (sections in brackets, key=value lines) whose section
// and key names match without regard to case. Lines the program does not know - other
// sections, other keys, comments - are kept when the file is rewritten. Every write updates
// the file on disk at once, so the file appears when the first key is written.

#include <memory>
#include <string>
#include <vector>

class TIniFile {
 public:
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return FFileName; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Tolerant: text that is not an integer (decimal, or hex with 0x/$) yields def.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Integer text, non-zero is true; written as "1" or "0".
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  void DeleteKey(const std::string& section, const std::string& key);
  // Re-reads the file from disk.
  void Reload();

 private:
  struct TLine {
    std::string Text;  // the line as read, for comments and blanks
    std::string Key;   // empty for lines that hold no key
    std::string Value;
  };
  struct TSection {
    std::string Name;  // empty for lines before the first section
    std::vector<TLine> Lines;
  };
  const TSection* FindSection(const std::string& name) const;
  TSection* FindSection(const std::string& name);
  void Save() const;

  std::string FFileName;
  std::vector<TSection> FSections;
};

// The program's settings helpers.
// Reads the text (default: the decimal text of def) and converts it strictly: EConvertError
// for anything but an integer.
int ReadIniInt(const TIniFile& ini, const std::string& section, const std::string& key, int def);
void WriteIniInt(TIniFile& ini, const std::string& section, const std::string& key, int value);
// True for "TRUE" or "YES" in any case, or exactly "1"; the default reads as "1" or "0".
bool ReadIniBool(const TIniFile& ini, const std::string& section, const std::string& key, bool def);
// Writes "True" or "False".
void WriteIniBoolText(TIniFile& ini, const std::string& section, const std::string& key,
                      bool value);

// Where a window finds the program's settings file: the variable that holds the object and the
// name to create it from when it does not exist yet. Passed in, so windows reach no globals.
struct TIniRef {
  std::unique_ptr<TIniFile>* File = nullptr;
  const std::string* FileName = nullptr;
  // The settings file, created from the name when it is still nil; nullptr without either.
  TIniFile* Get() const;
};
