#include "formats/Writer.h"

#include <cmath>

namespace {

void F75To(std::string& out, double v) {
  AppendRounded(out, v, 7, 5, DecimalSeparator());
}

void LineEnd(std::string& out) {
  out.append("\r\n", 2);
}

void KeyCount(std::string& out, const char* key, long long n) {
  out += key;
  AppendInt(out, n);
  LineEnd(out);
}

class TSpecimenWriter {
 public:
  TSpecimenWriter(std::string& out, TSpecimen& s, int k) : FOut(out), FSpec(s), FK(k) {}

  void Landmarks();
  void Curves();
  void Outlines();

  // A value the reader could not read back is refused rather than written.
  double Checked(double v) const {
    if (!std::isfinite(v))
      throw ElmkException("Error writing specimen " + std::to_string(FK) + " (ID=" + FSpec.ID() +
                          "),\nvalue is not a number");
    return v;
  }
  void Num(double v) { F75To(FOut, Checked(v)); }
  // One line of 2 or 3 coordinates, put together before it goes into the output.
  void PointLine(const double* v, int dims) {
    char line[3 * kMaxRoundedChars + 4];
    char* p = line;
    const char sep = DecimalSeparator();
    for (int j = 0; j < dims; ++j) {
      if (j) *p++ = ' ';
      p = FormatRoundedTo(p, Checked(v[j]), 7, 5, sep);
    }
    *p++ = '\r';
    *p++ = '\n';
    FOut.append(line, static_cast<std::size_t>(p - line));
  }

 private:
  void Outline(const TOutline& o);

  std::string& FOut;
  TSpecimen& FSpec;
  int FK;
};

void TSpecimenWriter::Landmarks() {
  const std::uint32_t n = FSpec.nLM();
  const bool twoD = FSpec.nDims() == 2;
  KeyCount(FOut, twoD ? "LM=" : "LM3=", n);
  if (twoD) {
    // Straight from the point list when it holds them all; otherwise the checked access
    // raises the out-of-bounds error at the first landmark that is not there.
    const Txy* xy = FSpec.xy();
    const std::uint32_t have = xy ? static_cast<std::uint32_t>(xy->n()) : 0;
    for (std::uint32_t i = 1; i <= n; ++i) {
      double v[2];
      if (i <= have) {
        v[0] = xy->Points()[i - 1].x;
        v[1] = xy->Points()[i - 1].y;
      } else {
        v[0] = FSpec.getXY3(i, 1);
        v[1] = FSpec.getXY3(i, 2);
      }
      PointLine(v, 2);
    }
  } else {
    const Txyz* xyz = FSpec.xyz();
    const std::uint32_t have = xyz ? static_cast<std::uint32_t>(xyz->n()) : 0;
    for (std::uint32_t i = 1; i <= n; ++i) {
      const Tcoords3 p = i <= have
                             ? xyz->Points()[i - 1]
                             : Tcoords3{FSpec.getXY3(i, 1), FSpec.getXY3(i, 2), FSpec.getXY3(i, 3)};
      const double v[3] = {p.x, p.y, p.z};
      PointLine(v, 3);
    }
  }
}

void TSpecimenWriter::Curves() {
  const TxyList* curves = FSpec.Curves();
  if (!curves || curves->Count() == 0) return;
  KeyCount(FOut, "CURVES=", curves->Count());
  for (int c = 0; c < curves->Count(); ++c) {
    const Txy& curve = *curves->Items(c);
    // A curve without points is written as POINTS=0 (not left out while counted), so that
    // the count stays right and the curve reads back.
    KeyCount(FOut, "POINTS=", curve.n());
    for (const Tcoords& p : curve.Points()) {
      const double v[2] = {p.x, p.y};
      PointLine(v, 2);
    }
  }
}

void TSpecimenWriter::Outlines() {
  const TOutlineList* list = FSpec.OutlineList();
  if (!list || list->Count() == 0) return;
  KeyCount(FOut, "OUTLINES=", list->Count());
  for (int k = 0; k < list->Count(); ++k) Outline(*list->Items(k));
}

void TSpecimenWriter::Outline(const TOutline& o) {
  const std::uint32_t n = o.n();
  switch (o.kind()) {
    case OutlineChain: {
      KeyCount(FOut, "CHAIN=", n);
      AppendInt(FOut, o.x1());
      FOut += ' ';
      AppendInt(FOut, o.y1());
      LineEnd(FOut);
      const bool direct = o.pChain && o.pChain->size() >= n;
      for (std::uint32_t i = 1; i <= n; ++i) {
        const std::uint8_t c = direct ? (*o.pChain)[i - 1] : o.geti(i);
        // The reader takes only the digits 0-7; a code above 7 steps like its value modulo
        // 8 (the chain step's own rule), so that digit is written.
        FOut += static_cast<char>('0' + (c & 7));
        if (i % 100 == 0) LineEnd(FOut);
      }
      if (n % 100 != 0) LineEnd(FOut);
      break;
    }
    case OutlineRadii: {
      // RADII=-1 would read as a missing count and stop the reader, and -0 reads as 0: the
      // clockwise mark is written only from two radii up (one radius has no direction).
      FOut += o.clockwise() && n >= 2 ? "RADII=-" : "RADII=";
      AppendInt(FOut, n);
      LineEnd(FOut);
      AppendInt(FOut, o.x1());
      FOut += ' ';
      AppendInt(FOut, o.y1());
      FOut += ' ';
      Num(o.xBar());
      FOut += ' ';
      Num(o.yBar());
      LineEnd(FOut);
      for (std::uint32_t i = 1; i <= n; ++i) {
        FOut += ' ';
        Num(o.getri(i));
        if (i % 20 == 0) LineEnd(FOut);
      }
      if (n % 20 != 0) LineEnd(FOut);
      break;
    }
    case OutlineRadiiXY:
    case OutlineXY: {
      const bool radii = o.kind() == OutlineRadiiXY;
      KeyCount(FOut, radii ? "RADIIXY=" : "POINTS=", n);
      for (std::uint32_t i = 1; i <= n; ++i) {
        AppendInt(FOut, radii ? o.getRij(i, 1) : o.getPij(i, 1));
        FOut += ' ';
        AppendInt(FOut, radii ? o.getRij(i, 2) : o.getPij(i, 2));
        LineEnd(FOut);
      }
      break;
    }
  }
}

void TextLine(std::string& out, const char* key, const std::string& text) {
  if (text.empty()) return;
  out += key;
  out += LmkLineText(text);
  LineEnd(out);
}

void ScaleLine(std::string& out, double scale, const TSpecimenWriter& w) {
  if (scale == 0 || scale == 1) return;
  std::string s;
  AppendRounded(s, w.Checked(scale), 8, 6, DecimalSeparator());
  // A scale that rounds to 1 means no scale, like 1 itself; one that rounds to zero would be
  // lost (0 means no scale), so it keeps its digits in exponent form.
  if (s == std::string("1") + DecimalSeparator() + "000000") return;
  if (s.find_first_not_of(std::string("0") + DecimalSeparator()) == std::string::npos) {
    s.clear();
    AppendExponent(s, scale, 8, DecimalSeparator());
  }
  out += "SCALE=";
  out += s;
  LineEnd(out);
}

}  // namespace

std::string F75(double v) {
  return FormatRounded(v, 7, 5, DecimalSeparator());
}
std::string F86(double v) {
  return FormatRounded(v, 8, 6, DecimalSeparator());
}

std::string LmkLineText(std::string_view s) {
  std::string t(s);
  for (char& c : t)
    if (c == '\r' || c == '\n') c = ' ';
  t = Trim(t);
  const auto gap = t.find(' ');
  if (gap == std::string::npos) return t;
  std::string rest = Trim(std::string_view(t).substr(gap + 1));
  t.resize(gap);
  if (!rest.empty()) {
    t += ' ';
    t += rest;
  }
  return t;
}

void WriteLandmarkFile(TTextOut& f, TdataList& Data, bool IncludePath, bool AddPath,
                       const std::string& Folder) {
  std::string& out = f.Buffer();
  for (int k = 1; k <= Data.Count(); ++k) {
    TSpecimen& s = *Data.Items(k - 1);
    if (s.ImageFn().empty()) {
      s.MinMax();
      s.SetBaseY(s.yMax());
    }
    TSpecimenWriter w(out, s, k);
    w.Landmarks();
    w.Curves();
    w.Outlines();
    if (!s.ImageFn().empty()) {
      std::string name;
      if (IncludePath) {
        name = s.ImageFn();
      } else if (AddPath) {
        if (!HasDirectoryPart(s.ImageFn())) s.SetImageFn(Folder + s.ImageFn());
        name = s.ImageFn();
      } else {
        name = ExtractFileName(s.ImageFn());
      }
      // A name that comes to nothing would read back as an empty name: no line.
      name = LmkLineText(name);
      if (!name.empty()) {
        out += "IMAGE=";
        out += name;
        LineEnd(out);
      }
    }
    TextLine(out, "ID=", s.ID());
    TextLine(out, "COMMENT=", s.comment());
    TextLine(out, "VARIABLES=", s.Variables());
    ScaleLine(out, s.scale(), w);
    f.Check();
    if (k % 200 == 0) ProcessMessages();
  }
}
