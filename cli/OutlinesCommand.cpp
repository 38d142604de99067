#include <ostream>
#include <stdexcept>

#include "cli/Commands.h"
#include "outline/core/OutlineExport.h"

namespace {

std::string OneLine(std::string m) {
  for (char& c : m)
    if (c == '\n' || c == '\r') c = ' ';
  return m;
}

}  // namespace

int RunOutlines(const TCliArgs& args, std::ostream& out, std::ostream& err) {
  TDecimalScope decimal(DecimalSeparator());
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (TakeDecimalOption(a)) continue;
    if (a.rfind("--", 0) == 0) throw std::invalid_argument("unknown option " + a);
    files.push_back(a);
  }
  if (files.size() != 2) throw std::invalid_argument("give one input and one output file");
  const std::string& in = files[0];
  const std::string& target = files[1];

  TdataList data;
  if (!CliReadDataFile(in, data, err)) return 1;
  try {
    SaveJustOutlines(target, data, [&](const std::string& s) { out << s << '\n'; });
  } catch (const EMorvexError& e) {
    err << target << ": " << OneLine(e.what()) << "\n";
    return 1;
  }
  return 0;
}
