#pragma once
// The subcommands of morvex2-cli. Each takes its arguments (without the program and command
// names), writes results to out and messages to err, and answers the exit code.

#include <iosfwd>
#include <string>
#include <vector>

#include "formats/Lmkcomm2.h"

using TCliArgs = std::vector<std::string>;

struct TCliCommand {
  const char* Name;
  const char* Usage;  // one line: "info [--decimal=.|,] FILE..."
  const char* Help;   // a few lines explaining it
  int (*Run)(const TCliArgs& args, std::ostream& out, std::ostream& err);
};

const std::vector<TCliCommand>& CliCommands();
int CliMain(const TCliArgs& args, std::ostream& out, std::ostream& err);

// Takes a "--decimal=." or "--decimal=," option; answers false when arg is not one.
// Raises std::invalid_argument for another separator.
bool TakeDecimalOption(const std::string& arg);

// Reads an LMK file with the real reader into Data (CheckCounts false). Messages the reader
// shows while going on go to err as "FILE:LINE: message" (line feeds as blanks); an error, or
// a read that stops early, is reported the same way ("reading stopped" when there is no
// message) and the answer is false.
bool CliReadDataFile(const std::string& path, TdataList& Data, std::ostream& err);

// "FILE:LINE: message" with the message's line feeds as blanks.
std::string CliLocated(const std::string& path, int line, const std::string& message);

int RunInfo(const TCliArgs& args, std::ostream& out, std::ostream& err);
int RunOutlines(const TCliArgs& args, std::ostream& out, std::ostream& err);
#ifdef MORVEX_HAVE_IMAGING
int RunTrace(const TCliArgs& args, std::ostream& out, std::ostream& err);
#endif
int RunConvert(const TCliArgs& args, std::ostream& out, std::ostream& err);
