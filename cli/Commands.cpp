#include "cli/Commands.h"

#include <ostream>
#include <stdexcept>

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands = {
      {"info", "info [--decimal=.|,] FILE...",
       "Reads each LMK file and prints one tab-separated line per specimen: number, ID,\n"
       "dimensions, landmarks, curves, curve points, outlines, image name and scale,\n"
       "then specimens=N.",
       RunInfo},
      {"convert",
       "convert [--decimal=.|,] [--include-path | --add-path=FOLDER] [--append] IN.lmk "
       "OUT.lmk|OUT.mxt",
       "Reads IN and writes its specimens to OUT as an LMK file or an MXT matrix file, by\n"
       "OUT's extension. OUT is replaced only once the new file is complete; --append adds\n"
       "to it. Image names are written without their folder unless --include-path is given;\n"
       "--add-path puts FOLDER in front of names that have none. Prints specimens=N.",
       RunConvert},
      {"outlines", "outlines [--decimal=.|,] IN.lmk OUT.txt|OUT.mxt|OUT.m",
       "Writes the outlines of every specimen of IN, without landmarks, to OUT in the plain-text,\n"
       "MXT or matrix-script layout by OUT's extension (chain codes only to TXT), listing each\n"
       "outline. OUT is replaced only once the new file is complete.",
       RunOutlines},
#ifdef MORVEX_HAVE_IMAGING
      {"trace",
       "trace IMAGE --at X,Y [--at X,Y ...] [--threshold=T] [--light] [--clockwise] "
       "[--form=chain|xy|radii|radiixy] [--count=N] [--by-length] [--decimal=.|,]",
       "Traces the outline of the first object left of each bitmap point (X right, Y down) as a\n"
       "press in outline mode would (dark objects at or below T, default 128; --light: above T),\n"
       "stores it in the form chosen with N points or radii (default all; XY points by index\n"
       "steps, or by boundary length with --by-length) and prints an LMK specimen holding it,\n"
       "then area=, perimeter= and centroid= of the traced chain in pixels.\n"
       "No object found: \"no outline!\" and exit 1.",
       RunTrace},
#endif
  };
  return commands;
}

namespace {
void PrintHelp(std::ostream& out) {
  out << "Usage: morvex2-cli COMMAND [OPTIONS] ARGS...\n\n"
         "Works on Morvex2 landmark data files (LMK) from the command line.\n\n"
         "Commands:\n";
  for (const TCliCommand& c : CliCommands()) {
    out << "  " << c.Usage << "\n";
    std::string help = c.Help;
    std::size_t b = 0;
    while (b < help.size()) {
      const auto e = help.find('\n', b);
      out << "      " << help.substr(b, e == std::string::npos ? std::string::npos : e - b) << "\n";
      if (e == std::string::npos) break;
      b = e + 1;
    }
  }
  out << "\nOptions:\n"
         "  --decimal=.|,   the decimal separator of the numbers in the files (default .)\n"
         "  --help          this text\n";
}
}  // namespace

int CliMain(const TCliArgs& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(args.empty() ? err : out);
    return args.empty() ? 2 : 0;
  }
  for (const TCliCommand& c : CliCommands()) {
    if (args[0] != c.Name) continue;
    const TCliArgs rest(args.begin() + 1, args.end());
    for (const std::string& a : rest)
      if (a == "--help") {
        out << "Usage: morvex2-cli " << c.Usage << "\n" << c.Help << "\n";
        return 0;
      }
    try {
      return c.Run(rest, out, err);
    } catch (const std::invalid_argument& e) {
      err << "morvex2-cli " << c.Name << ": " << e.what() << "\n";
      return 2;
    }
  }
  err << "morvex2-cli: unknown command '" << args[0] << "' (see morvex2-cli --help)\n";
  return 2;
}

bool TakeDecimalOption(const std::string& arg) {
  const std::string prefix = "--decimal=";
  if (arg.rfind(prefix, 0) != 0) return false;
  const std::string v = arg.substr(prefix.size());
  if (v != "." && v != ",") throw std::invalid_argument("--decimal takes . or ,");
  SetDecimalSeparator(v[0]);
  return true;
}

std::string CliLocated(const std::string& path, int line, const std::string& message) {
  std::string m = message;
  for (char& c : m)
    if (c == '\n') c = ' ';
  return path + ":" + std::to_string(line) + ": " + m;
}

bool CliReadDataFile(const std::string& path, TdataList& Data, std::ostream& err) {
  TReadReport report;
  try {
    TTextFile f = TTextFile::Open(path);
    TSpecimen* spec = nullptr;
    bool ok;
    try {
      ok = ReadLandmarkFile(f, spec, Data, false, &report);
    } catch (const std::exception& e) {
      for (const auto& m : report.Messages) err << CliLocated(path, m.Line, m.Text) << "\n";
      err << CliLocated(path, report.Line, e.what()) << "\n";
      return false;
    }
    for (const auto& m : report.Messages) err << CliLocated(path, m.Line, m.Text) << "\n";
    if (!ok) err << CliLocated(path, report.Line, "reading stopped") << "\n";
    return ok;
  } catch (const EInOutError& e) {
    err << path << ": " << e.what() << "\n";
    return false;
  }
}
