#include "outline/core/OutlineExport.h"

#include <cstdio>
#include <string_view>

#include "model/Errors.h"
#include "model/Text.h"
#include "outline/core/OutlineFile.h"

namespace {

constexpr const char* Eol = "\r\n";
constexpr std::size_t MaxTextCodes = 12000;

enum class TLayout { Txt, Mxt, M };

std::string Str(long long v) {
  return std::to_string(v);
}

std::string Pad(long long v, int width) {
  std::string s = Str(v);
  if (static_cast<int>(s.size()) < width)
    s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

// Radii are written with a period whatever the decimal setting.
std::string Radius4(double r, int width = 0) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.4f", width, r);
  return buf;
}

const char* Dir(const TOutline& o) {
  return o.clockwise() ? "Clockwise" : "Counter clockwise";
}

std::string Listed(const char* what, int k, int l, const TOutline& o, const char* dirWord) {
  return "Specimen = " + Str(k) + ", " + what + " = " + Str(l) + ", n = " + Str(o.n()) + " " +
         dirWord + " = " + Dir(o);
}

// Point i of an XY or radii-XY outline.
Ticoords PointOf(const TOutline& o, std::uint32_t i) {
  if (o.kind() == OutlineXY) return {o.getPij(i, 1), o.getPij(i, 2)};
  return {o.getRij(i, 1), o.getRij(i, 2)};
}

void WritePoints(std::string& out, TLayout layout, int k, int l, const TOutline& o) {
  const std::uint32_t n = o.n();
  const bool radiiXY = o.kind() == OutlineRadiiXY;
  switch (layout) {
    case TLayout::Txt:
      out += "O " + Str(l) + Eol + Str(n) + Eol;
      for (std::uint32_t i = 1; i <= n; ++i) {
        const Ticoords p = PointOf(o, i);
        out += Str(p.x) + " " + Str(p.y) + Eol;
      }
      break;
    case TLayout::Mxt:
      out += std::string("\" specimen ") + Str(k) +
             (radiiXY ? ", outlineRadiiXY " : ", outlineXY ") + Str(l) + Eol;
      out += "1 1 " + Str(2LL * n) + " 0" + Eol;
      for (std::uint32_t i = 1; i <= n; ++i) {
        const Ticoords p = PointOf(o, i);
        if (i % 20 != 1) out += "  ";
        out += Str(p.x) + " " + Str(p.y);
        if (i % 20 == 0) out += Eol;
      }
      if (n % 20 != 0) out += Eol;
      break;
    case TLayout::M:
      out +=
          std::string(radiiXY ? "OutlineRadiiXY_" : "OutlineXY_") + Str(k) + "_" + Str(l) + " = [";
      for (std::uint32_t i = 1; i <= n; ++i) out += Str(PointOf(o, i).x) + " ";
      out += Eol;
      for (std::uint32_t i = 1; i <= n; ++i) out += Str(PointOf(o, i).y) + " ";
      out += std::string("];") + Eol;
      break;
  }
}

void WriteRadii(std::string& out, TLayout layout, int k, int l, const TOutline& o) {
  const std::uint32_t n = o.n();
  switch (layout) {
    case TLayout::Txt:
      out += "R " + Str(l) + Eol + Str(n) + Eol;
      for (std::uint32_t i = 1; i <= n; ++i) out += Radius4(o.getri(i), 7) + Eol;
      break;
    case TLayout::Mxt:
      out += "\" specimen " + Str(k) + ", outlineRadii " + Str(l) + Eol;
      out += "1 1 " + Str(n) + " 0" + Eol;
      for (std::uint32_t i = 1; i <= n; ++i) {
        if (i % 20 != 1) out += "  ";
        out += Radius4(o.getri(i));
        if (i % 20 == 0) out += Eol;
      }
      if (n % 20 != 0) out += Eol;
      break;
    case TLayout::M:
      out += "OutlineRadii_" + Str(k) + "_" + Str(l) + " = [";
      for (std::uint32_t i = 1; i <= n; ++i) out += Radius4(o.getri(i)) + " ";
      out += std::string("];") + Eol;
      break;
  }
}

void WriteChain(std::string& out, int k, int l, const TOutline& o, bool firstChain) {
  const std::vector<int> codes = FourDirectionChain(o);
  if (codes.size() > MaxTextCodes)
    throw ERangeError("Range check error: chain " + Str(l) + " of specimen " + Str(k) + " needs " +
                      Str(static_cast<long long>(codes.size())) +
                      " codes in the text layout, more than 12000");
  if (firstChain) {
    out += "F " + Pad(1, 4) + Pad(k, 4) + Eol;
    out += std::string("Morvex version: 2.32") + Eol;
    out += std::string("Morvex dummy line") + Eol;
  }
  out += "C " + Str(l) + Eol;
  out += Str(o.x1()) + " " + Str(o.y1()) + " " + Str(static_cast<long long>(codes.size())) + Eol;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    out += static_cast<char>('0' + codes[i]);
    if ((i + 1) % 64 == 0) out += Eol;
  }
  if (codes.size() % 64 != 0) out += Eol;
}

}  // namespace

std::vector<int> FourDirectionChain(const TOutline& chain) {
  std::vector<int> r;
  r.reserve(2 * static_cast<std::size_t>(chain.n()));
  for (std::uint32_t i = 1; i <= chain.n(); ++i) {
    const int c = chain.geti(i) % 8;
    r.push_back(c / 2);
    if (c % 2 == 1) r.push_back((c / 2 + 1) % 4);
  }
  return r;
}

std::string JustOutlinesText(const std::string& fileName, const TdataList& dataList,
                             const AddProc& add, int& written) {
  const std::string E = UpperCase(ExtractFileExt(fileName));
  if (E == ".LMK") throw ElmkException("Cannot save just outlines to LMK files.");
  TLayout layout;
  if (E == ".TXT")
    layout = TLayout::Txt;
  else if (E == ".MXT")
    layout = TLayout::Mxt;
  else if (E == ".M")
    layout = TLayout::M;
  else
    throw ElmkException("Cannot save just outlines to this file type (use TXT, MXT or M).");

  auto say = [&](const std::string& s) {
    if (add) add(s);
  };
  say("Outlines saved to file " + fileName);
  std::string out;
  written = 0;
  int chains = 0;
  for (int k = 1; k <= dataList.Count(); ++k) {
    const TOutlineList* list = dataList.Items(k - 1)->OutlineList();
    if (!list) continue;
    for (int l = 1; l <= list->Count(); ++l) {
      const TOutline& o = *list->Items(l - 1);
      switch (o.kind()) {
        case OutlineXY:
          say(Listed("XY", k, l, o, "Direction"));
          ++written;
          WritePoints(out, layout, k, l, o);
          break;
        case OutlineRadiiXY:
          ++written;
          say(Listed("RadiiXY", k, l, o, "Direction"));
          WritePoints(out, layout, k, l, o);
          break;
        case OutlineRadii:
          ++written;
          say(Listed("Radii", k, l, o, "direction"));
          WriteRadii(out, layout, k, l, o);
          break;
        case OutlineChain:
          say(Listed("Chain", k, l, o, "directrion"));
          if (layout == TLayout::Txt) {
            ++written;
            ++chains;
            WriteChain(out, k, l, o, chains == 1);
          } else {
            say("Cannot write chain code to this file type.");
          }
          break;
      }
    }
  }
  say(Str(written) + " outlines saved for " + Str(dataList.Count()) + " specimens.");
  if (written < 1) throw ElmkException("No outlines that could be saved.");
  return out;
}

void SaveJustOutlines(const std::string& fileName, const TdataList& dataList, const AddProc& add) {
  int written = 0;
  const std::string text = JustOutlinesText(fileName, dataList, add, written);
  WriteOutlineFile(fileName, text);
}
