#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Commands.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int code;
  std::string out, err;
};

TRun Cli(const TCliArgs& args) {
  std::ostringstream out, err;
  const int code = CliMain(args, out, err);
  SetDecimalSeparator('.');  // --decimal changes the process-wide separator
  return {code, out.str(), err.str()};
}

class InfoCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("morvex-info-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& text) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  fs::path dir;
};

TEST_F(InfoCommand, OneTabSeparatedLinePerSpecimen) {
  const std::string f =
      Write("a.lmk",
            "LM=2\r\n1 1\r\n2 2\r\nCURVES=2\r\nPOINTS=2\r\n0 0\r\n1 1\r\nPOINTS=3\r\n"
            "0 0\r\n1 1\r\n2 2\r\nOUTLINES=1\r\nCHAIN=1\r\n0 0\r\n0\r\n"
            "IMAGE=C:\\pics\\a b.jpg\r\nID=wing 7  \r\nSCALE=0.0125\r\nLM3=1\r\n1 2 3\r\n");
  const TRun r = Cli({"info", f});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "1\twing 7\t2\t2\t2\t5\t1\tC:\\pics\\a b.jpg\t0.0125\n"
            "2\t1\t3\t1\t0\t0\t0\t\t0\n"
            "specimens=2\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(InfoCommand, DecimalComma) {
  const std::string f = Write("c.lmk", "LM=1\n1,5 2,5\nSCALE=0,5\n");
  EXPECT_EQ(Cli({"info", "--decimal=,", f}).out, "1\t0\t2\t1\t0\t0\t0\t\t0.5\nspecimens=1\n");
  const TRun period = Cli({"info", f});
  EXPECT_EQ(period.code, 1);
  EXPECT_EQ(period.err, f + ":2: , character found but decimal option set to . Change decimal "
                            "separation character?\n");
  EXPECT_EQ(Cli({"info", "--decimal=;", f}).code, 2);
}

TEST_F(InfoCommand, ErrorsStopsAndBoxesWithTheirLines) {
  struct Case {
    std::string text;
    int code;
    std::string err;  // after "FILE:"
  };
  const std::vector<Case> cases = {
      {"LM=1\n1 1\nLM=1\n1 1 1\n", 1, "4: Error in reading coordinates: 1 1 1\n"},
      {"LM=1\n1 1\nLM=\n", 1, "3: reading stopped\n"},
      {"LM=0\nOUTLINES=2\nPOINTS=1\n1 1\n\nPOINTS=1\n", 1,
       "5: Error in input file, \"=\" not found\n@5: reading stopped\n"},
      {"ID=x\n", 1, "1: Invalid format: a lmk file must begin with LM= or LM3=\n"},
  };
  for (const auto& c : cases) {
    const std::string f = Write("e.lmk", c.text);
    const TRun r = Cli({"info", f});
    EXPECT_EQ(r.code, c.code) << c.text;
    std::string expected = f + ":" + c.err;
    for (std::size_t p; (p = expected.find('@')) != std::string::npos;)
      expected.replace(p, 1, f + ":");
    EXPECT_EQ(r.err, expected) << c.text;
  }
}

TEST_F(InfoCommand, AGoodFileAfterABadOneIsStillListed) {
  const std::string bad = Write("bad.lmk", "LM=x\n");
  const std::string good = Write("good.lmk", "LM=0\n");
  const TRun r = Cli({"info", bad, good});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "1\t0\t2\t0\t0\t0\t0\t\t0\nspecimens=1\n");
  EXPECT_EQ(r.err, bad + ":1: Error in file, \"x\" not a valid integer\n");
  const TRun missing = Cli({"info", (dir / "none.lmk").string()});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos);
}

TEST(Cli, HelpAndUsage) {
  const TRun help = Cli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("info [--decimal=.|,] FILE..."), std::string::npos);
  EXPECT_EQ(Cli({}).code, 2);
  EXPECT_EQ(Cli({"frobnicate"}).code, 2);
  EXPECT_EQ(Cli({"info"}).code, 2);
  EXPECT_EQ(Cli({"info", "--help"}).code, 0);
}

TEST(Cli, TheRealProgramListsTheExampleData) {
  const std::string cmd = std::string(MORVEX_BINARY_DIR) + "/cli/morvex2-cli info " +
                          MORVEX_EXAMPLES_DIR + "/specimens.lmk";
  FILE* p = ::popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  EXPECT_EQ(::pclose(p), 0);
  EXPECT_EQ(out,
            "1\tleaf-01\t2\t4\t1\t6\t1\tspecimen1.png\t0.05\n"
            "2\tleaf-02\t2\t4\t1\t6\t0\tspecimen2.png\t0.05\n"
            "3\tleaf-03\t2\t4\t0\t0\t0\tspecimen3.png\t0.05\n"
            "specimens=3\n");
}

}  // namespace
