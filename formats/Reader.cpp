#include "formats/Reader.h"

#include <cstdlib>
#include <string>

namespace {

TReadReport* gReport = nullptr;  // the report of the read under way, for the boxes it shows
const TTextFile* gFile = nullptr;

// Shows a box the way the reader does, and notes it with the line it was shown at.
void ReaderBox(const std::string& text) {
  if (gReport) gReport->Messages.push_back({gFile ? gFile->LineNumber() : 0, text});
  ShowError(text);
}

class TReportScope {
 public:
  TReportScope(TReadReport* r, const TTextFile& f) : FSavedReport(gReport), FSavedFile(gFile) {
    gReport = r;
    gFile = &f;
  }
  ~TReportScope() {
    gReport = FSavedReport;
    gFile = FSavedFile;
  }
  TReportScope(const TReportScope&) = delete;
  TReportScope& operator=(const TReportScope&) = delete;

 private:
  TReadReport* FSavedReport;
  const TTextFile* FSavedFile;
};

std::string DecimalText() {
  return std::string(1, DecimalSeparator());
}

double ConvertOr(std::string_view word, const std::string& suffix) {
  try {
    return StrToFloatD(word);
  } catch (const EConvertError& e) {
    throw ElmkException(std::string(e.what()) + "\n" + suffix);
  }
}

// A count the rest of the file cannot hold: reading its lines is sure to fail at the end of
// the file, so the lines are checked without building storage of that size first.
bool CannotHold(const TTextFile& f, long long n) {
  return n > 0 && static_cast<unsigned long long>(n) > f.RemainingBytes() + 1;
}

// Reading stops early without a message (a missing count).
struct TStopReading {};

// A broken curve or outline block: only its own specimen is dropped.
class EBlockError : public ElmkException {
 public:
  using ElmkException::ElmkException;
};

int CountOrStop(std::string_view value) {
  const int n = StrToIntChecked(value);
  if (n == -1) throw TStopReading{};
  return n;
}

std::string FormatSpecimen(const char* pattern, int count, const std::string& id) {
  std::string s;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      s += std::to_string(count);
      ++p;
    } else if (p[0] == '%' && p[1] == 's') {
      s += id;
      ++p;
    } else {
      s += *p;
    }
  }
  return s;
}

class TLmkReader {
 public:
  TLmkReader(TTextFile& f, TdataList* data, bool checkCounts)
      : f(f), Data(data), CheckCounts(checkCounts) {}

  // Answers ok; raises on errors. The specimens begun here are in Data (or Ref without list).
  bool Run();

  std::unique_ptr<TSpecimen> Ref;  // the specimen of the list-less mode
  int FirstAppended = 0;           // Data's count before the call

 private:
  void StartSpecimen(int dims);
  void ReadCurves();
  void ReadOutlines();
  void ReadPointsOutline(TOutlineList& list);
  void ReadRadiiOutline(TOutlineList& list);
  void ReadRadiiXYOutline(TOutlineList& list);
  void ReadChainOutline(TOutlineList& list);
  [[noreturn]] void DropCurrentAndRaise(const char* pattern);
  void RequireSpecimen(const char* what) const;

  TTextFile& f;
  TdataList* Data;
  bool CheckCounts;
  TSpecimen* Spec = nullptr;
  std::string key, value, rest;
  int count = 0;
  int prevN = 0;
};

void TLmkReader::RequireSpecimen(const char* what) const {
  if (!Spec) throw ElmkException(std::string("Error in file,\n") + what + " given before LM");
}

bool TLmkReader::Run() {
  bool first = true;
  if (Data) Data->SetAnyImages(false);
  for (;;) {
    if (f.SeekEof()) return true;
    ReadKeyLine(f, key, value, rest);
    if (first) {
      first = false;
      if (key != "LM" && key != "LM3")
        throw ElmkException("Invalid format: a lmk file must begin with LM= or LM3=");
    }
    if (key == "LM" || key == "LM3") {
      const int dims = key == "LM" ? 2 : 3;
      if (dims == 3)
        Spec = nullptr;
      else
        ProcessMessages();
      ++count;
      if (!Data && count > 1) return true;
      StartSpecimen(dims);
    } else if (key == "CURVES") {
      ReadCurves();
    } else if (key == "OUTLINES") {
      ReadOutlines();
    } else if (key == "IMAGE") {
      if (Data) Data->SetAnyImages(true);
      RequireSpecimen("IMAGE");
      if (!Spec->ImageFn().empty())
        throw ElmkException("Error in file,\nIMAGE given more than once\nfor same specimen");
      Spec->SetImageFn(Trim(value + " " + rest));
    } else if (key == "ID") {
      RequireSpecimen("ID");
      Spec->SetID(value + " " + rest);
    } else if (key == "COMMENT") {
      RequireSpecimen("COMMENT");
      if (!Spec->comment().empty())
        throw ElmkException("Error in file,\nCOMMENT given more than once\nfor same specimen");
      Spec->SetComment(value + " " + rest);
    } else if (key == "VARIABLES") {
      RequireSpecimen("VARIABLES");
      if (!Spec->Variables().empty())
        throw ElmkException("Error in file,\nVARIABLES given more than once\nfor same specimen");
      Spec->SetVariables(value + " " + rest);
    } else if (key == "SCALE") {
      RequireSpecimen("SCALE");
      if (Spec->scale() != 0)
        throw ElmkException("Error in file,\nSCALE given more than once\nfor same specimen");
      std::string v = value;
      for (char& c : v)
        if (c == OtherDecimalChar()) c = DecimalSeparator();
      Spec->SetScale(StrToFloatD(v));
    } else {
      throw ElmkException("Error in file,\nunrecognized parameter: " + key);
    }
  }
}

void TLmkReader::StartSpecimen(int dims) {
  const int n = CountOrStop(value);
  if (n < 0) ThrowRangeError("Range check error: landmark count " + std::to_string(n));
  if (CheckCounts) {
    if (prevN == 0 && n < 3) {
      throw ElmkException(
          dims == 2
              ? "Error in specimen " + std::to_string(count) + " (ID=),\ntoo few landmarks (" +
                    std::to_string(n) + ")"
              : FormatSpecimen("Error in specimen %d (ID=%s),\ntoo few landmarks", count, ""));
    }
    if (prevN > 0 && n != prevN) {
      throw ElmkException(
          dims == 2 ? "Error in specimen " + std::to_string(count) + ", number of landmarks (" +
                          std::to_string(n) + ")\nnot the same as for previous specimen (" +
                          std::to_string(prevN) + ")"
                    : FormatSpecimen("Error in specimen %d (ID=%s),\nnumber of landmarks not\nthe "
                                     "same as for previous specimen",
                                     count, ""));
    }
  }
  if (CannotHold(f, n)) {
    double v[3];
    for (int i = 0; i < n; ++i) ParseCoordinateLine(f.ReadLine(), dims, v);
  }
  auto spec =
      std::make_unique<TSpecimen>(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(dims));
  if (!Data) {
    spec->SetID("Ref");
    Ref = std::move(spec);
    Spec = Ref.get();
  } else {
    spec->SetID(std::to_string(Data->Count()));
    Spec = Data->Add(std::move(spec));
  }
  if (n == 0) return;
  if (dims == 2) {
    Spec->xy()->ReadFile(f);
    Spec->Centroids();
    Spec->MinMax();
  } else {
    Spec->xyz()->ReadFile(f);
  }
  prevN = n;
}

void TLmkReader::DropCurrentAndRaise(const char* pattern) {
  const std::string id = Spec ? Spec->ID() : std::string();
  if (Data && Spec) {
    for (int k = Data->Count() - 1; k >= FirstAppended; --k)
      if (Data->Items(k) == Spec) {
        Data->Delete(k);
        break;
      }
  }
  if (Ref.get() == Spec) Ref.reset();
  Spec = nullptr;
  throw EBlockError(FormatSpecimen(pattern, count, id));
}

void TLmkReader::ReadCurves() {
  RequireSpecimen("CURVES");
  if (Spec->nCurves() > 0)
    throw ElmkException("Error in file,\nCURVES given more than once\nfor same specimen");
  const int c = CountOrStop(value);
  try {
    for (int i = 0; i < c; ++i) {
      ReadKeyLine(f, key, value, rest);
      if (key != "POINTS") throw ElmkException("Error in file,\nPOINTS= not found");
      const int m = CountOrStop(value);
      if (m < 0) ThrowRangeError("Range check error: point count " + std::to_string(m));
      if (CannotHold(f, m)) {
        double v[2];
        for (int k = 0; k < m; ++k) ParseCoordinateLine(f.ReadLine(), 2, v);
      }
      Spec->CreateCurve(static_cast<std::uint32_t>(m))->ReadFile(f);
    }
  } catch (const EInOutError&) {
    DropCurrentAndRaise("Error in reading curve for specimen %d (ID=%s)");
  }
}

void TLmkReader::ReadOutlines() {
  RequireSpecimen("OUTLINES");
  if (Spec->OutlineList())
    throw ElmkException("Error in file,\nOUTLINES given more than once\nfor same specimen");
  const int o = CountOrStop(value);
  Spec->SetOutlineList(std::make_unique<TOutlineList>());
  TOutlineList& list = *Spec->OutlineList();
  try {
    for (int i = 0; i < o; ++i) {
      ReadKeyLine(f, key, value, rest);
      if (key == "POINTS")
        ReadPointsOutline(list);
      else if (key == "RADII")
        ReadRadiiOutline(list);
      else if (key == "RADIIXY")
        ReadRadiiXYOutline(list);
      else if (key == "CHAIN")
        ReadChainOutline(list);
      else
        throw ElmkException("Error in file,\nPOINTS= or CHAIN= or RADII= not found");
    }
  } catch (const EInOutError&) {
    DropCurrentAndRaise("Error in reading outline for specimen %d (ID=%s");
  }
}

void TLmkReader::ReadPointsOutline(TOutlineList& list) {
  const int m = CheckedCount(CountOrStop(value));
  TOutline* o = nullptr;
  if (!CannotHold(f, m))
    o = list.Add(std::make_unique<TOutline>(static_cast<std::uint32_t>(m), 0, 0, OutlineXY, 0, 0));
  const std::string suffix = "Bad decimal character in XY points? should be:" + DecimalText();
  std::vector<std::string> words;
  for (int k = 1; k <= m; ++k) {
    SplitWords(f.ReadLine(), ' ', words);
    if (words.size() < 2) ThrowListIndex(static_cast<int>(words.size()));
    const double x = ConvertOr(words[0], suffix);
    const double y = ConvertOr(words[1], suffix);
    const int ix = RoundToInt(x), iy = RoundToInt(y);
    if (o) {
      o->putPij(static_cast<std::uint32_t>(k), 1, ix);
      o->putPij(static_cast<std::uint32_t>(k), 2, iy);
    }
  }
  if (o) o->SetN(static_cast<std::uint32_t>(m));
}

void TLmkReader::ReadRadiiOutline(TOutlineList& list) {
  const int m = CountOrStop(value);
  std::string header(f.ReadLine());
  if (CountTokens(header) != 4) throw TStopReading{};
  const std::string suffix = "Bad decimal character in radii? should be:" + DecimalText();
  int x1, y1;
  double xBar, yBar;
  try {
    x1 = StrToIntChecked(GetToken(header, 1));
    y1 = StrToIntChecked(GetToken(header, 2));
  } catch (const ElmkException& e) {
    throw ElmkException(std::string(e.what()) + "\n" + suffix);
  }
  xBar = ConvertOr(GetToken(header, 3), suffix);
  yBar = ConvertOr(GetToken(header, 4), suffix);
  const int n = m < 0 ? CheckedSub(0, m) : m;
  TOutline* o = nullptr;
  if (!CannotHold(f, n)) {
    o = list.Add(std::make_unique<TOutline>(static_cast<std::uint32_t>(n), x1, y1, OutlineRadii,
                                            xBar, yBar));
    o->SetClockwise(m < 0);
  }
  int k = 0;
  while (k < n) {
    if (f.SeekEoln()) f.SkipLine();
    // The radii ran out with the file; without this the loop would never end.
    if (f.Eof()) throw EInOutError("Read beyond end of file");
    std::string line(f.ReadLine());
    const int words = CountTokens(line);
    for (int w = 1; w <= words; ++w) {
      const double r = ConvertOr(GetToken(line, w), suffix);
      ++k;
      if (o) o->putri(static_cast<std::uint32_t>(k), r);
    }
  }
  if (o) o->SetN(static_cast<std::uint32_t>(n));
}

void TLmkReader::ReadRadiiXYOutline(TOutlineList& list) {
  const int m = CheckedCount(CountOrStop(value));
  TOutline* o = nullptr;
  if (!CannotHold(f, m))
    o = list.Add(
        std::make_unique<TOutline>(static_cast<std::uint32_t>(m), 0, 0, OutlineRadiiXY, 0, 0));
  const std::string suffix = "Bad decimal character in XY radii?";
  for (int k = 1; k <= m; ++k) {
    const std::string line(f.ReadLine());
    const double x = ConvertOr(GetToken(line, 1), suffix);
    const double y = ConvertOr(GetToken(line, 2), suffix);
    const int ix = RoundToInt(x), iy = RoundToInt(y);
    if (o) {
      o->putRij(static_cast<std::uint32_t>(k), 1, ix);
      o->putRij(static_cast<std::uint32_t>(k), 2, iy);
    }
  }
  if (o) o->SetN(static_cast<std::uint32_t>(m));
}

void TLmkReader::ReadChainOutline(TOutlineList& list) {
  const int m = CountOrStop(value);
  const int x1 = f.ReadInteger();
  const int y1 = f.ReadInteger();
  f.SkipLine();
  const auto max = static_cast<std::uint32_t>(CheckedCount(m));
  TOutline* o = list.Add(std::make_unique<TOutline>(max, x1, y1, OutlineChain, 0, 0));
  int k = 0;
  while (k < m && !f.Eof()) {
    if (f.SeekEoln()) f.SkipLine();
    const int c = f.ReadChar();
    if (c >= '0' && c <= '7')
      o->Puti(static_cast<std::uint32_t>(++k), static_cast<std::uint8_t>(c - '0'));
  }
  // The start point's line is already dropped; drop the codes' last line only when codes
  // were read, so that CHAIN=0 leaves the next keyword line in place.
  if (k > 0) f.SkipLine();
  o->SetN(max);
}

bool ReadImpl(TTextFile& f, TSpecimen*& Spec, TdataList* Data, std::unique_ptr<TSpecimen>* Ref,
              bool CheckCounts, TReadReport* report) {
  TReportScope scope(report, f);
  TLmkReader reader(f, Data, CheckCounts);
  const bool anyImagesBefore = Data ? Data->AnyImages() : false;
  if (Data) reader.FirstAppended = Data->Count();
  // A failed read keeps what the list held before the call.
  auto discardAppended = [&]() {
    if (!Data) return;
    while (Data->Count() > reader.FirstAppended) Data->Delete(Data->Count() - 1);
    Data->SetAnyImages(anyImagesBefore);
  };
  auto finish = [&]() {
    if (report) report->Line = f.LineNumber();
    if (Ref) *Ref = std::move(reader.Ref);
    Spec = Ref ? Ref->get() : (Data && Data->Count() > 0 ? Data->Items(0) : nullptr);
  };
  bool ok = false;
  try {
    ok = reader.Run();
  } catch (const TStopReading&) {
    ok = false;
  } catch (const EBlockError&) {
    finish();
    throw;
  } catch (...) {
    discardAppended();
    reader.Ref.reset();
    finish();
    throw;
  }
  if (!ok) {
    discardAppended();
    reader.Ref.reset();
  }
  finish();
  return ok;
}

}  // namespace

bool ReadLandmarkFile(TTextFile& f, TSpecimen*& Spec, TdataList& Data, bool CheckCounts,
                      TReadReport* report) {
  return ReadImpl(f, Spec, &Data, nullptr, CheckCounts, report);
}

bool ReadReferenceSpecimen(TTextFile& f, std::unique_ptr<TSpecimen>& Spec, TReadReport* report) {
  TSpecimen* spec = nullptr;
  Spec.reset();
  return ReadImpl(f, spec, nullptr, &Spec, false, report);
}

void ReadKeyLine(TTextFile& f, std::string& key, std::string& value, std::string& rest) {
  const std::string_view line = f.ReadLine();
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) {
    ReaderBox("Error in input file, \"=\" not found");
    value.clear();
    rest.clear();
    return;
  }
  key = UpperCase(line.substr(0, eq));
  const std::string text = Trim(line.substr(eq + 1));
  const auto blank = text.find(' ');
  if (blank == std::string::npos) {
    value = text;
    rest.clear();
  } else {
    value = text.substr(0, blank);
    rest = Trim(std::string_view(text).substr(blank + 1));
  }
}

int CountTokens(std::string& s) {
  s = Trim(s);
  int n = 0;
  bool inWord = false;
  for (char c : s) {
    if (c == ' ')
      inWord = false;
    else if (!inWord)
      inWord = true, ++n;
  }
  return n;
}

std::string GetToken(std::string_view s, int k) {
  if (k <= 0) return {};
  const std::string t = Trim(s);
  int n = 0;
  std::size_t p = 0;
  while (p < t.size()) {
    while (p < t.size() && t[p] == ' ') ++p;
    if (p >= t.size()) break;
    const std::size_t b = p;
    while (p < t.size() && t[p] != ' ') ++p;
    if (++n == k) return t.substr(b, p - b);
  }
  ReaderBox("Too few tokens in input parameter line");
  return {};
}

int StrToIntChecked(std::string_view s) {
  if (s.empty()) return -1;
  int v;
  if (!TryStrToInt(s, v))
    throw ElmkException("Error in file,\n\"" + std::string(s) + "\" not a valid integer");
  return v;
}
