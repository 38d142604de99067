#include <ostream>
#include <stdexcept>

#include "cli/Commands.h"

namespace {

std::string OneLine(std::string m) {
  for (char& c : m)
    if (c == '\n' || c == '\r') c = ' ';
  return m;
}

// The folder put in front of bare image names must end with a separator.
std::string WithSeparator(std::string folder) {
  if (!folder.empty() && !IsPathSeparator(folder.back()))
    folder += folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos ? '\\'
                                                                                              : '/';
  return folder;
}

}  // namespace

int RunConvert(const TCliArgs& args, std::ostream& out, std::ostream& err) {
  // The separator chosen here holds for this command only.
  TDecimalScope decimal(DecimalSeparator());
  bool includePath = false, addPath = false, append = false;
  std::string folder;
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (TakeDecimalOption(a)) continue;
    if (a == "--include-path") {
      includePath = true;
    } else if (a.rfind("--add-path=", 0) == 0) {
      addPath = true;
      folder = a.substr(11);
      if (folder.empty()) throw std::invalid_argument("--add-path needs a folder");
    } else if (a == "--append") {
      append = true;
    } else if (a.rfind("--", 0) == 0) {
      throw std::invalid_argument("unknown option " + a);
    } else {
      files.push_back(a);
    }
  }
  if (includePath && addPath)
    throw std::invalid_argument("--include-path and --add-path cannot be used together");
  if (files.size() != 2) throw std::invalid_argument("give one input and one output file");
  const std::string& in = files[0];
  const std::string& target = files[1];

  // Checked before anything is read or opened.
  const std::string ext = UpperCase(ExtractFileExt(target));
  if (ext != ".LMK" && ext != ".MXT") {
    err << target << ": Only file types LMK and MXT are supported\n";
    return 1;
  }
  TdataList data;
  if (!CliReadDataFile(in, data, err)) return 1;
  try {
    // Both replace the target only once the new file is complete and on disk.
    if (ext == ".LMK")
      SaveLandmarkFile(target, data, includePath, addPath, WithSeparator(folder), append);
    else
      SaveMxtFile(target, data, append);
  } catch (const EMorvexError& e) {
    err << target << ": " << OneLine(e.what()) << "\n";
    return 1;
  }
  out << "specimens=" << data.Count() << '\n';
  return 0;
}
