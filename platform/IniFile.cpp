#include "platform/IniFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <utility>

#include "model/Errors.h"
#include "model/NumberFormat.h"
#include "model/Text.h"

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool TryHexInt(const std::string& s, int& v) {
  std::string t = s;
  bool neg = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    neg = t[0] == '-';
    t.erase(0, 1);
  }
  if (t.size() > 1 && t[0] == '$')
    t.erase(0, 1);
  else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
    t.erase(0, 2);
  else
    return false;
  if (t.empty() || t.size() > 8) return false;
  unsigned long long u = 0;
  for (char c : t) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    u = u * 16 +
        static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                  ? c - '0'
                                  : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
  }
  long long r = static_cast<long long>(static_cast<int>(static_cast<unsigned>(u)));
  v = static_cast<int>(neg ? -r : r);
  return true;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {
  Reload();
}

void TIniFile::Reload() {
  FSections.clear();
  FSections.push_back({});
  std::ifstream in(FFileName, std::ios::binary);
  if (!in) return;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string::npos) {
      FSections.push_back({Trim(t.substr(1, t.find(']') - 1)), {}});
      continue;
    }
    TLine l{line, "", ""};
    const auto eq = t.find('=');
    if (eq != std::string::npos && eq > 0 && t[0] != ';' && t[0] != '#') {
      l.Key = Trim(t.substr(0, eq));
      l.Value = Trim(t.substr(eq + 1));
    }
    FSections.back().Lines.push_back(std::move(l));
  }
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& name) const {
  for (size_t i = 1; i < FSections.size(); ++i)
    if (SameText(FSections[i].Name, name)) return &FSections[i];
  return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(const std::string& name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  if (const TSection* s = FindSection(section))
    for (const auto& l : s->Lines)
      if (!l.Key.empty() && SameText(l.Key, key)) return l.Value;
  return def;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  TSection* s = FindSection(section);
  if (!s) {
    FSections.push_back({section, {}});
    s = &FSections.back();
  }
  bool found = false;
  for (auto& l : s->Lines)
    if (!l.Key.empty() && SameText(l.Key, key)) {
      l.Value = value;
      l.Text = l.Key + "=" + value;
      found = true;
      break;
    }
  if (!found) {
    // New keys go after the section's last key, before trailing blank lines.
    auto pos = s->Lines.end();
    while (pos != s->Lines.begin() && Trim(std::prev(pos)->Text).empty()) --pos;
    s->Lines.insert(pos, TLine{key + "=" + value, key, value});
  }
  Save();
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const std::string s = Trim(ReadString(section, key, ""));
  int v = 0;
  if (TryStrToInt(s, v) || TryHexInt(s, v)) return v;
  return def;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  if (const TSection* s = FindSection(section))
    for (const auto& l : s->Lines)
      if (!l.Key.empty() && SameText(l.Key, key)) return true;
  return false;
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  TSection* s = FindSection(section);
  if (!s) return;
  const auto n = s->Lines.size();
  std::erase_if(s->Lines, [&](const TLine& l) { return !l.Key.empty() && SameText(l.Key, key); });
  if (s->Lines.size() != n) Save();
}

void TIniFile::Save() const {
  std::ostringstream out;
  for (size_t i = 0; i < FSections.size(); ++i) {
    const auto& s = FSections[i];
    if (i > 0) out << '[' << s.Name << "]\r\n";
    for (const auto& l : s.Lines) out << l.Text << "\r\n";
  }
  std::ofstream f(FFileName, std::ios::binary | std::ios::trunc);
  if (f) f << out.str();
  if (!f) throw EInOutError("Unable to write to " + FFileName);
}

int ReadIniInt(const TIniFile& ini, const std::string& section, const std::string& key, int def) {
  return StrToInt(ini.ReadString(section, key, std::to_string(def)));
}

void WriteIniInt(TIniFile& ini, const std::string& section, const std::string& key, int value) {
  ini.WriteString(section, key, std::to_string(value));
}

bool ReadIniBool(const TIniFile& ini, const std::string& section, const std::string& key,
                 bool def) {
  const std::string s = ini.ReadString(section, key, def ? "1" : "0");
  const std::string u = UpperCase(s);
  return u == "TRUE" || u == "YES" || s == "1";
}

void WriteIniBoolText(TIniFile& ini, const std::string& section, const std::string& key,
                      bool value) {
  ini.WriteString(section, key, value ? "True" : "False");
}

TIniFile* TIniRef::Get() const {
  if (!File) return nullptr;
  if (!*File && FileName && !FileName->empty()) *File = std::make_unique<TIniFile>(*FileName);
  return File->get();
}
