#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/NumberFormat.h"
#include "outline/core/OutlineExport.h"

namespace {

namespace fs = std::filesystem;

TOutline* AddOutline(TSpecimen& s, std::unique_ptr<TOutline> o) {
  if (!s.OutlineList()) s.SetOutlineList(std::make_unique<TOutlineList>());
  return s.OutlineList()->Add(std::move(o));
}

std::unique_ptr<TOutline> XY(const std::vector<Ticoords>& pts, bool clockwise = false) {
  auto o =
      std::make_unique<TOutline>(static_cast<std::uint32_t>(pts.size()), 0, 0, OutlineXY, 0, 0);
  for (std::uint32_t i = 1; i <= pts.size(); ++i) {
    o->putPij(i, 1, pts[i - 1].x);
    o->putPij(i, 2, pts[i - 1].y);
  }
  o->SetClockwise(clockwise);
  return o;
}

std::unique_ptr<TOutline> Radii(const std::vector<double>& r, bool clockwise = false) {
  auto o =
      std::make_unique<TOutline>(static_cast<std::uint32_t>(r.size()), 1, 2, OutlineRadii, 3, 4);
  for (std::uint32_t i = 1; i <= r.size(); ++i) o->putri(i, r[i - 1]);
  o->SetClockwise(clockwise);
  return o;
}

std::unique_ptr<TOutline> Chain(int x1, int y1, const std::string& codes) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(codes.size()), x1, y1,
                                      OutlineChain, 0, 0);
  for (char c : codes) o->add(static_cast<std::uint8_t>(c - '0'));
  return o;
}

std::string Export(const std::string& name, const TdataList& data,
                   std::vector<std::string>* listing = nullptr) {
  int written = 0;
  return JustOutlinesText(
      name, data,
      [&](const std::string& s) {
        if (listing) listing->push_back(s);
      },
      written);
}

class TempDir {
 public:
  TempDir() {
    FPath = fs::temp_directory_path() /
            ("morvex-outline-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FPath);
    fs::create_directories(FPath);
  }
  ~TempDir() { fs::remove_all(FPath); }
  std::string File(const std::string& name) const { return (FPath / name).string(); }

 private:
  fs::path FPath;
};

TEST(FourDirectionChain, EachDiagonalBecomesTwoAxisSteps) {
  const auto o = Chain(0, 0, "01234567");
  EXPECT_EQ(FourDirectionChain(*o), (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
  EXPECT_EQ(FourDirectionChain(*Chain(0, 0, "70")), (std::vector<int>{3, 0, 0}));
}

TEST(SaveJustOutlines, MatrixScriptLayout) {
  TdataList data;
  TSpecimen* s1 = data.Add(std::make_unique<TSpecimen>(0, 2));
  TSpecimen* s2 = data.Add(std::make_unique<TSpecimen>(0, 2));
  AddOutline(*s1, Radii({1.5, 2.25}));
  AddOutline(*s2, XY({{10, 40}, {11, 41}, {12, 40}}));
  AddOutline(*s2, XY({{1, 2}}));
  const std::string text = Export("out.m", data);
  EXPECT_EQ(text,
            "OutlineRadii_1_1 = [1.5000 2.2500 ];\r\n"
            "OutlineXY_2_1 = [10 11 12 \r\n"
            "40 41 40 ];\r\n"
            "OutlineXY_2_2 = [1 \r\n"
            "2 ];\r\n");
}

TEST(SaveJustOutlines, TextLayoutWithChainHeader) {
  TdataList data;
  data.Add(std::make_unique<TSpecimen>(0, 2));  // no outlines
  TSpecimen* s = data.Add(std::make_unique<TSpecimen>(0, 2));
  AddOutline(*s, XY({{10, 40}, {11, 41}}));
  AddOutline(*s, Chain(5, 6, "7" + std::string(39, '1')));  // 80 codes in 4 directions
  AddOutline(*s, Radii({1.5, 12.25}, true));
  AddOutline(*s, Chain(1, 1, "0246"));
  std::vector<std::string> listing;
  const std::string text = Export("OUT.TXT", data, &listing);
  std::string codes = "30";
  for (int i = 0; i < 39; ++i) codes += "01";
  EXPECT_EQ(text,
            "O 1\r\n2\r\n10 40\r\n11 41\r\n"
            "F    1   2\r\nMorvex version: 2.32\r\nMorvex dummy line\r\n"
            "C 2\r\n5 6 80\r\n" +
                codes.substr(0, 64) + "\r\n" + codes.substr(64) +
                "\r\n"
                "R 3\r\n2\r\n 1.5000\r\n12.2500\r\n"
                "C 4\r\n1 1 4\r\n0123\r\n");
  EXPECT_EQ(listing, (std::vector<std::string>{
                         "Outlines saved to file OUT.TXT",
                         "Specimen = 2, XY = 1, n = 2 Direction = Counter clockwise",
                         "Specimen = 2, Chain = 2, n = 40 directrion = Counter clockwise",
                         "Specimen = 2, Radii = 3, n = 2 direction = Clockwise",
                         "Specimen = 2, Chain = 4, n = 4 directrion = Counter clockwise",
                         "4 outlines saved for 2 specimens.",
                     }));
}

TEST(SaveJustOutlines, ChainOf64CodesEndsWithOneLineBreak) {
  TdataList data;
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), Chain(0, 0, std::string(64, '0')));
  const std::string text = Export("a.txt", data);
  EXPECT_EQ(text.substr(text.size() - 74), "0 0 64\r\n" + std::string(64, '0') + "\r\n");
}

TEST(SaveJustOutlines, MxtLayoutBreaksAfterTwentyValues) {
  TdataList data;
  TSpecimen* s = data.Add(std::make_unique<TSpecimen>(0, 2));
  std::vector<Ticoords> pts;
  for (int i = 1; i <= 21; ++i) pts.push_back({i, 100 + i});
  AddOutline(*s, XY(pts));
  auto rxy = std::make_unique<TOutline>(1, 0, 0, OutlineRadiiXY, 0, 0);
  rxy->putRij(1, 1, 7);
  rxy->putRij(1, 2, 8);
  AddOutline(*s, std::move(rxy));
  AddOutline(*s, Radii({1, 2}));
  const std::string text = Export("x.Mxt", data);
  std::string first;
  for (int i = 1; i <= 20; ++i)
    first += (i > 1 ? "  " : "") + std::to_string(i) + " " + std::to_string(100 + i);
  EXPECT_EQ(text, "\" specimen 1, outlineXY 1\r\n1 1 42 0\r\n" + first + "\r\n21 121\r\n" +
                      "\" specimen 1, outlineRadiiXY 2\r\n1 1 2 0\r\n7 8\r\n"
                      "\" specimen 1, outlineRadii 3\r\n1 1 2 0\r\n1.0000  2.0000\r\n");
}

TEST(SaveJustOutlines, RadiiUseAPeriodWhateverTheDecimalSetting) {
  TDecimalScope comma(',');
  TdataList data;
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), Radii({0.5}));
  EXPECT_EQ(Export("r.m", data), "OutlineRadii_1_1 = [0.5000 ];\r\n");
}

TEST(SaveJustOutlines, ChainsOnlyToMxtAreRefusedAndNothingIsWritten) {
  TempDir dir;
  const std::string path = dir.File("chains.mxt");
  TdataList data;
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), Chain(3, 3, "0246"));
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), Chain(4, 4, "0246"));
  std::vector<std::string> listing;
  try {
    SaveJustOutlines(path, data, [&](const std::string& s) { listing.push_back(s); });
    FAIL() << "no error";
  } catch (const ElmkException& e) {
    EXPECT_STREQ(e.what(), "No outlines that could be saved.");
  }
  EXPECT_EQ(listing, (std::vector<std::string>{
                         "Outlines saved to file " + path,
                         "Specimen = 1, Chain = 1, n = 4 directrion = Counter clockwise",
                         "Cannot write chain code to this file type.",
                         "Specimen = 2, Chain = 1, n = 4 directrion = Counter clockwise",
                         "Cannot write chain code to this file type.",
                         "0 outlines saved for 2 specimens.",
                     }));
  EXPECT_FALSE(fs::exists(path));
}

TEST(SaveJustOutlines, LmkAndUnknownTargetsAreRefusedBeforeTheFileIsTouched) {
  TempDir dir;
  TdataList data;
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), XY({{1, 1}}));
  for (const char* name : {"data.lmk", "data.LMK", "data.dat", "noext"}) {
    const std::string path = dir.File(name);
    { std::ofstream(path, std::ios::binary) << "keep me"; }
    std::vector<std::string> listing;
    EXPECT_THROW(SaveJustOutlines(path, data, [&](const std::string& s) { listing.push_back(s); }),
                 ElmkException)
        << name;
    EXPECT_TRUE(listing.empty()) << name;
    EXPECT_EQ(Slurp(path), "keep me") << name;
  }
  try {
    SaveJustOutlines(dir.File("x.lmk"), data, nullptr);
  } catch (const ElmkException& e) {
    EXPECT_STREQ(e.what(), "Cannot save just outlines to LMK files.");
  }
}

TEST(SaveJustOutlines, ReplacesAnExistingFile) {
  TempDir dir;
  const std::string path = dir.File("out.txt");
  { std::ofstream(path, std::ios::binary) << "old content that is longer than the new one"; }
  TdataList data;
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), XY({{1, 2}}));
  SaveJustOutlines(path, data, nullptr);
  EXPECT_EQ(Slurp(path), "O 1\r\n1\r\n1 2\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator()), 1);
}

TEST(SaveJustOutlines, ChainTooLongForTheTextLayoutIsARangeError) {
  TempDir dir;
  const std::string path = dir.File("long.txt");
  TdataList data;
  // 6001 diagonal codes give 12002 codes in 4 directions.
  auto o = std::make_unique<TOutline>(6001, 0, 0, OutlineChain, 0, 0);
  for (int i = 0; i < 6001; ++i) o->add(1);
  AddOutline(*data.Add(std::make_unique<TSpecimen>(0, 2)), std::move(o));
  EXPECT_THROW(SaveJustOutlines(path, data, nullptr), ERangeError);
  EXPECT_FALSE(fs::exists(path));
  // 6000 of them fit exactly.
  auto ok = std::make_unique<TOutline>(6000, 0, 0, OutlineChain, 0, 0);
  for (int i = 0; i < 6000; ++i) ok->add(1);
  data.Items(0)->OutlineList()->Replace(0, std::move(ok));
  EXPECT_NO_THROW(SaveJustOutlines(path, data, nullptr));
  EXPECT_TRUE(fs::exists(path));
}

}  // namespace
