#include <cstdio>
#include <ostream>
#include <stdexcept>

#include "cli/Commands.h"
#include "formats/Writer.h"
#include "imaging/ImageFiles.h"
#include "outline/core/OutlineConvert.h"
#include "outline/core/OutlineMeasure.h"
#include "outline/core/Tracer.h"

namespace {

// The tracer's view of the image component's bitmap: the same rows, nothing copied.
TPixelView PixelViewOf(const TIEBitmap& bmp) {
  TPixelView v;
  switch (bmp.PixelFormat()) {
    case TIEPixelFormat::ie1g:
      v.Format = TPixelFormat::ie1g;
      break;
    case TIEPixelFormat::ie8p:
      v.Format = TPixelFormat::ie8p;
      break;
    case TIEPixelFormat::ie8g:
      v.Format = TPixelFormat::ie8g;
      break;
    case TIEPixelFormat::ie16g:
      v.Format = TPixelFormat::ie16g;
      break;
    case TIEPixelFormat::ie24RGB:
      v.Format = TPixelFormat::ie24RGB;
      break;
    case TIEPixelFormat::ie32f:
      v.Format = TPixelFormat::ie32f;
      break;
    case TIEPixelFormat::ieNone:
      v.Format = TPixelFormat::ieOther;
      break;
  }
  v.Width = bmp.Width();
  v.Height = bmp.Height();
  v.Rows.resize(static_cast<std::size_t>(v.Height));
  for (int y = 0; y < v.Height; ++y) v.Rows[static_cast<std::size_t>(y)] = bmp.ScanLine(y);
  for (const TIERGB& c : bmp.Palette()) v.Palette.push_back({c.r, c.g, c.b});
  return v;
}

enum class TForm { Chain, XY, Radii, RadiiXY };

struct TTraceOptions {
  std::vector<std::pair<int, int>> At;
  int Threshold = 128;
  bool Dark = true;
  bool Clockwise = false;
  TForm Form = TForm::Chain;
  long long Count = 0;  // 0: all
  bool ByLength = false;
};

int ParseInt(const std::string& s, const std::string& what) {
  int v;
  if (!TryStrToInt(s, v))
    throw std::invalid_argument(what + " takes a whole number, not '" + s + "'");
  return v;
}

std::string Value(const std::string& a, const std::string& prefix) {
  return a.substr(prefix.size());
}

TTraceOptions ParseOptions(const TCliArgs& args, std::string& image) {
  TTraceOptions o;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (TakeDecimalOption(a)) continue;
    if (a == "--at" || a.rfind("--at=", 0) == 0) {
      std::string v;
      if (a == "--at") {
        if (i + 1 >= args.size()) throw std::invalid_argument("--at needs X,Y");
        v = args[++i];
      } else {
        v = Value(a, "--at=");
      }
      const auto comma = v.find(',');
      if (comma == std::string::npos)
        throw std::invalid_argument("--at needs X,Y, not '" + v + "'");
      o.At.push_back({ParseInt(v.substr(0, comma), "--at"), ParseInt(v.substr(comma + 1), "--at")});
    } else if (a.rfind("--threshold=", 0) == 0) {
      o.Threshold = ParseInt(Value(a, "--threshold="), "--threshold");
      if (o.Threshold < 0 || o.Threshold > 255)
        throw std::invalid_argument("--threshold must lie in 0..255");
    } else if (a == "--light") {
      o.Dark = false;
    } else if (a == "--clockwise") {
      o.Clockwise = true;
    } else if (a == "--by-length") {
      o.ByLength = true;
    } else if (a.rfind("--form=", 0) == 0) {
      const std::string f = Value(a, "--form=");
      if (f == "chain")
        o.Form = TForm::Chain;
      else if (f == "xy")
        o.Form = TForm::XY;
      else if (f == "radii")
        o.Form = TForm::Radii;
      else if (f == "radiixy")
        o.Form = TForm::RadiiXY;
      else
        throw std::invalid_argument("--form takes chain, xy, radii or radiixy");
    } else if (a.rfind("--count=", 0) == 0) {
      o.Count = ParseInt(Value(a, "--count="), "--count");
      if (o.Count < 2) throw std::invalid_argument("--count must be at least 2");
    } else if (a.rfind("--", 0) == 0) {
      throw std::invalid_argument("unknown option " + a);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 1) throw std::invalid_argument("give one image file");
  if (o.At.empty()) throw std::invalid_argument("give at least one --at X,Y");
  image = files[0];
  return o;
}

std::string Num(double v, const char* fmt) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// The stored form of the trial outline, as the save commands of the outline menu make it.
std::unique_ptr<TOutline> StoredForm(TOutline& trial, const TTraceOptions& o, int gridHeight,
                                     std::ostream& err) {
  const std::uint32_t n = trial.n();
  std::uint32_t m = o.Count == 0 ? n : static_cast<std::uint32_t>(o.Count);
  if (m > n) {
    err << "--count=" << o.Count << " is more than the outline's " << n << " points\n";
    return nullptr;
  }
  switch (o.Form) {
    case TForm::Chain:
      return SaveAsChain(trial);
    case TForm::XY:
      return SaveAsXY(trial, m, o.Clockwise, !o.ByLength, gridHeight).Entry;
    case TForm::Radii:
      return SaveAsRadii(trial, m, o.Clockwise).Entry;
    case TForm::RadiiXY:
      return SaveAsRadiiXY(trial, m, o.Clockwise).Entry;
  }
  return nullptr;
}

}  // namespace

int RunTrace(const TCliArgs& args, std::ostream& out, std::ostream& err) {
  TDecimalScope decimal(DecimalSeparator());
  std::string image;
  const TTraceOptions o = ParseOptions(args, image);

  TIEBitmap bmp;
  std::string error;
  if (!LoadImageFile(image, bmp, error)) {
    err << image << ": " << error << "\n";
    return 1;
  }
  TThresholdGrid grid;
  int rows = 0, cols = 0;
  BuildThresholdGrid(PixelViewOf(bmp), rows, cols, grid);

  TTraceSettings s;
  s.Threshold = o.Threshold;
  s.Dark = o.Dark;
  s.Clockwise = o.Clockwise;
  int rc = 0;
  for (const auto& [x, y] : o.At) {
    TTraceResult t = TraceOutline(grid, x, y, s);
    if (!t.Outline || t.Outline->n() == 0) {
      err << "no outline!\n";
      rc = 1;
      continue;
    }
    try {
      std::unique_ptr<TOutline> stored = StoredForm(*t.Outline, o, grid.GridHeight(), err);
      if (!stored) {
        rc = 1;
        continue;
      }
      TdataList data;
      TSpecimen* spec = data.Add(std::make_unique<TSpecimen>(0, 2));
      spec->SetOutlineList(std::make_unique<TOutlineList>());
      spec->OutlineList()->Add(std::move(stored));
      TTextOut text;
      WriteLandmarkFile(text, data, false, false, "");
      for (const char c : text.Text())
        if (c != '\r') out << c;
    } catch (const EMorvexError& e) {
      err << image << ": " << e.what() << "\n";
      rc = 1;
      continue;
    }
    if (t.CutOff) err << image << ":" << t.StatusText << "\n";
    const TAreaResult area = EnclosedArea(*t.Outline, 0);
    out << "area=" << Num(area.Area, "%.1f") << "\n";
    out << "perimeter=" << Num(ChainPerimeter(*t.Outline, 0).Perimeter, "%.4f") << "\n";
    out << "centroid=" << Num(area.Centroid.x, "%.3f") << ", " << Num(area.Centroid.y, "%.3f")
        << "\n";
  }
  return rc;
}
