#include <cstdio>
#include <ostream>

#include "cli/Commands.h"

namespace {
std::string FormatG(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

std::uint32_t CurvePoints(const TSpecimen& s) {
  std::uint32_t total = 0;
  for (std::uint32_t i = 1; i <= s.nCurves(); ++i) total += s.GetNcurvesI(i);
  return total;
}
}  // namespace

int RunInfo(const TCliArgs& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (TakeDecimalOption(a)) continue;
    if (a.rfind("--", 0) == 0) throw std::invalid_argument("unknown option " + a);
    files.push_back(a);
  }
  if (files.empty()) throw std::invalid_argument("no file given");
  int status = 0;
  for (const std::string& path : files) {
    TdataList data;
    if (!CliReadDataFile(path, data, err)) {
      status = 1;
      continue;
    }
    for (int k = 0; k < data.Count(); ++k) {
      const TSpecimen& s = *data.Items(k);
      out << (k + 1) << '\t' << TrimRight(s.ID()) << '\t' << s.nDims() << '\t' << s.nLM() << '\t'
          << s.nCurves() << '\t' << CurvePoints(s) << '\t'
          << (s.OutlineList() ? s.OutlineList()->Count() : 0) << '\t' << s.ImageFn() << '\t'
          << FormatG(s.scale()) << '\n';
    }
    out << "specimens=" << data.Count() << '\n';
  }
  return status;
}
