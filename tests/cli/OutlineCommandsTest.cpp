#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#ifdef MORVEX_HAVE_IMAGING
#include "imaging/ImageFiles.h"
#endif

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Code;
  std::string Out, Err;
};

TRun Cli(const TCliArgs& args) {
  std::ostringstream out, err;
  const int rc = CliMain(args, out, err);
  return {rc, out.str(), err.str()};
}

class OutlineCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           (std::string("morvex-cli-outline-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string File(const std::string& name) const { return (FDir / name).string(); }
  fs::path FDir;
};

const std::string Corpus = std::string(MORVEX_CORPUS_DIR) + "/outlines_points.lmk";
const std::string Examples = MORVEX_EXAMPLES_DIR;

TEST_F(OutlineCommands, ExportsCorpusOutlinesToEveryLayout) {
  for (const char* ext : {".txt", ".mxt", ".m"}) {
    const std::string out = File(std::string("out") + ext);
    const TRun r = Cli({"outlines", Corpus, out});
    ASSERT_EQ(r.Code, 0) << ext << r.Err;
    EXPECT_EQ(r.Err, "");
    std::istringstream lines(r.Out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, "Outlines saved to file " + out);
    EXPECT_EQ(second, "Specimen = 1, XY = 1, n = 200 Direction = Counter clockwise");
    EXPECT_NE(r.Out.find("2 outlines saved for 2 specimens.\n"), std::string::npos) << r.Out;
    const std::string text = Slurp(out);
    if (std::string(ext) == ".txt") {
      EXPECT_EQ(text.rfind("O 1\r\n200\r\n592 1494\r\n", 0), 0u);
    }
    if (std::string(ext) == ".mxt") {
      EXPECT_EQ(text.rfind("\" specimen 1, outlineXY 1\r\n1 1 400 0\r\n592 1494  584 1486", 0), 0u);
    }
    if (std::string(ext) == ".m") {
      EXPECT_EQ(text.rfind("OutlineXY_1_1 = [592 584 575 ", 0), 0u);
      EXPECT_NE(text.find("OutlineXY_2_1 = ["), std::string::npos);
    }
  }
}

TEST_F(OutlineCommands, RefusedTargetsAreLeftAlone) {
  const std::string lmk = File("keep.lmk");
  { std::ofstream(lmk, std::ios::binary) << "LM=0\r\n"; }
  TRun r = Cli({"outlines", Corpus, lmk});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(r.Err, lmk + ": Cannot save just outlines to LMK files.\n");
  EXPECT_EQ(Slurp(lmk), "LM=0\r\n");

  // The examples hold one chain only: not for MXT.
  const std::string mxt = File("chains.mxt");
  r = Cli({"outlines", Examples + "/specimens.lmk", mxt});
  EXPECT_EQ(r.Code, 1);
  EXPECT_NE(r.Out.find("Cannot write chain code to this file type.\n0 outlines saved for 3 "
                       "specimens.\n"),
            std::string::npos)
      << r.Out;
  EXPECT_EQ(r.Err, mxt + ": No outlines that could be saved.\n");
  EXPECT_FALSE(fs::exists(mxt));

  // ... but for TXT.
  const std::string txt = File("chains.txt");
  r = Cli({"outlines", Examples + "/specimens.lmk", txt});
  EXPECT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(
      Slurp(txt).rfind("F    1   1\r\nMorvex version: 2.32\r\nMorvex dummy line\r\nC 1\r\n", 0),
      0u);
}

TEST_F(OutlineCommands, BadArguments) {
  EXPECT_EQ(Cli({"outlines", Corpus}).Code, 2);
  EXPECT_EQ(Cli({"outlines", "--bogus", Corpus, File("a.txt")}).Code, 2);
  const TRun r = Cli({"outlines", File("missing.lmk"), File("a.txt")});
  EXPECT_EQ(r.Code, 1);
  EXPECT_FALSE(r.Err.empty());
  EXPECT_FALSE(fs::exists(File("a.txt")));
}

#ifdef MORVEX_HAVE_IMAGING

// A light image with a dark block of bw x bh pixels at (bx, by).
std::string BlockPng(const std::string& path, int w, int h, int bx, int by, int bw, int bh) {
  TIEBitmap bmp(w, h, TIEPixelFormat::ie8g);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = bmp.WritableScanLine(y);
    for (int x = 0; x < w; ++x)
      row[x] = (x >= bx && x < bx + bw && y >= by && y < by + bh) ? 0 : 255;
  }
  std::string error;
  EXPECT_TRUE(SaveImageFile(path, bmp, error)) << error;
  return path;
}

TEST_F(OutlineCommands, TraceFourByFourBlock) {
  const std::string png = BlockPng(File("block.png"), 10, 10, 3, 3, 4, 4);
  TRun r = Cli({"trace", png, "--at", "8,5"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "LM=0\nOUTLINES=1\nCHAIN=12\n3 5\n660002224446\n"
            "area=9.0\nperimeter=12.0000\ncentroid=4.385, 4.538\n");
  r = Cli({"trace", png, "--at=8,5", "--clockwise", "--form=xy", "--count=4"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("LM=0\nOUTLINES=1\nPOINTS=4\n", 0), 0u) << r.Out;
}

TEST_F(OutlineCommands, TraceSeveralPointsAndMisses) {
  const std::string png = BlockPng(File("block.png"), 10, 10, 3, 3, 4, 4);
  const TRun r = Cli({"trace", png, "--at", "2,5", "--at", "8,5"});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(r.Err, "no outline!\n");
  EXPECT_NE(r.Out.find("CHAIN=12\n"), std::string::npos);
  // Light objects: the block is dark, so nothing light is found left of the press... except
  // the ground, which touches the left edge.
  EXPECT_EQ(Cli({"trace", png, "--at", "2,5", "--light"}).Code, 1);
  EXPECT_EQ(Cli({"trace", png, "--at", "8,5", "--count=13"}).Code, 1);
  EXPECT_EQ(Cli({"trace", png}).Code, 2);
  EXPECT_EQ(Cli({"trace", png, "--at", "8"}).Code, 2);
  EXPECT_EQ(Cli({"trace", png, "--at", "8,5", "--form=polar"}).Code, 2);
  EXPECT_EQ(Cli({"trace", File("none.png"), "--at", "8,5"}).Code, 1);
}

TEST_F(OutlineCommands, TraceExampleLeafAsRadii) {
  const TRun r =
      Cli({"trace", Examples + "/specimen1.png", "--at", "390,150", "--form=radii", "--count=32"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("LM=0\nOUTLINES=1\nRADII=32\n", 0), 0u) << r.Out;
  EXPECT_NE(r.Out.find("\narea="), std::string::npos);
  // What was printed reads back as an LMK file.
  const std::string lmk = File("traced.lmk");
  { std::ofstream(lmk, std::ios::binary) << r.Out.substr(0, r.Out.find("area=")); }
  const TRun info = Cli({"info", lmk});
  EXPECT_EQ(info.Code, 0) << info.Err;
}

TEST_F(OutlineCommands, TraceReproducesTheExampleChain) {
  // The example file's chain was made by the example generator's own boundary follower.
  TdataList data;
  std::ostringstream readErr;
  ASSERT_TRUE(CliReadDataFile(Examples + "/specimens.lmk", data, readErr)) << readErr.str();
  const TOutline& expected = *data.Items(0)->OutlineList()->Items(0);
  ASSERT_EQ(expected.kind(), OutlineChain);
  // Image row 135, the example's start row, is traced by a press on row 136.
  const TRun r = Cli({"trace", Examples + "/specimen1.png", "--at", "300,136"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const std::string lmk = File("traced.lmk");
  { std::ofstream(lmk, std::ios::binary) << r.Out.substr(0, r.Out.find("area=")); }
  TdataList traced;
  ASSERT_TRUE(CliReadDataFile(lmk, traced, readErr)) << readErr.str();
  const TOutline& got = *traced.Items(0)->OutlineList()->Items(0);
  ASSERT_EQ(got.n(), expected.n());
  EXPECT_EQ(got.x1(), expected.x1());
  EXPECT_EQ(got.y1(), expected.y1());
  for (std::uint32_t i = 1; i <= got.n(); ++i) ASSERT_EQ(got.geti(i), expected.geti(i)) << i;
}

#endif

}  // namespace
