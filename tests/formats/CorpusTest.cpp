#include <gtest/gtest.h>

#include <filesystem>

#include "ReaderTestUtil.h"

namespace {

struct CorpusCase {
  const char* file;
  int specimens;
  std::uint32_t landmarks;  // of every specimen
  std::uint32_t curves;
  std::uint32_t curvePoints;  // over all curves of one specimen
  int outlines;
  std::string error;  // the exact outcome of a file that breaks the format
};

class Corpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(Corpus, ReadsWithTheCountsOrTheExactError) {
  const CorpusCase& c = GetParam();
  const std::string path = std::string(MORVEX_CORPUS_DIR) + "/" + c.file;
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  TTextFile f = TTextFile::Open(path);
  TdataList data;
  TSpecimen* spec = nullptr;
  TReadReport report;
  std::string error;
  bool ok = false;
  try {
    ok = ReadLandmarkFile(f, spec, data, false, &report);
  } catch (const std::exception& e) {
    error = std::to_string(report.Line) + ": " + e.what();
  }
  EXPECT_EQ(error, c.error);
  if (!c.error.empty()) {
    EXPECT_EQ(data.Count(), 0);
    return;
  }
  EXPECT_TRUE(ok);
  EXPECT_TRUE(report.Messages.empty());
  ASSERT_EQ(data.Count(), c.specimens);
  for (int k = 0; k < data.Count(); ++k) {
    const TSpecimen& s = *data.Items(k);
    ASSERT_EQ(s.nLM(), c.landmarks) << k;
    ASSERT_EQ(s.nCurves(), c.curves) << k;
    std::uint32_t points = 0;
    for (std::uint32_t i = 1; i <= s.nCurves(); ++i) points += s.GetNcurvesI(i);
    ASSERT_EQ(points, c.curvePoints) << k;
    ASSERT_EQ(s.OutlineList() ? s.OutlineList()->Count() : 0, c.outlines) << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, Corpus,
    ::testing::Values(
        CorpusCase{"ambystoma.lmk", 155, 8, 0, 0, 0, ""},
        CorpusCase{"bee_wings.lmk", 445, 9, 0, 0, 0, ""},
        CorpusCase{"lithics.lmk", 1158, 9, 0, 0, 0, ""},
        CorpusCase{"natricine_curves.lmk", 240, 13, 2, 32, 0, ""},
        CorpusCase{"orthetrum_wings.lmk", 120, 20, 0, 0, 0, ""},
        CorpusCase{"otoliths.lmk", 138, 19, 0, 0, 0, ""},
        CorpusCase{"outlines_points.lmk", 2, 0, 0, 0, 1, ""},
        CorpusCase{"points28.lmk", 376, 28, 0, 0, 0, ""},
        CorpusCase{"small_lm.lmk", 2, 5, 0, 0, 0, ""},
        CorpusCase{"trilobite_curves.lmk", 0, 0, 0, 0, 0,
                   "873: 'nan' is not a valid floating point value\nBad decimal character in "
                   "coordinates?"}),
    [](const ::testing::TestParamInfo<CorpusCase>& info) {
      std::string n = info.param.file;
      return n.substr(0, n.find('.'));
    });

TEST(CorpusDetails, TextsImagesAndScalesAsStored) {
  const std::string dir = MORVEX_CORPUS_DIR;
  TdataList bees;
  TTextFile b = TTextFile::Open(dir + "/bee_wings.lmk");
  TSpecimen* spec = nullptr;
  ASSERT_TRUE(ReadLandmarkFile(b, spec, bees, false));
  EXPECT_EQ(bees.Items(0)->ID(), "0 ");  // "ID=0 " with its trailing blank
  EXPECT_TRUE(bees.AnyImages());

  TdataList small;
  TTextFile s = TTextFile::Open(dir + "/small_lm.lmk");
  ASSERT_TRUE(ReadLandmarkFile(s, spec, small, false));
  EXPECT_EQ(small.Items(0)->ID(), "0");  // no ID line: the default
  EXPECT_EQ(small.Items(1)->ImageFn(), "plop2.jpg");

  TdataList oto;
  TTextFile o = TTextFile::Open(dir + "/otoliths.lmk");
  ASSERT_TRUE(ReadLandmarkFile(o, spec, oto, false));
  // Non-ASCII bytes and blanks inside a Windows path stay as read.
  EXPECT_EQ(oto.Items(0)->ImageFn().rfind("C:\\Users\\M\xC3\xB4nica Albuquerque\\", 0), 0u);

  TdataList outl;
  TTextFile p = TTextFile::Open(dir + "/outlines_points.lmk");
  ASSERT_TRUE(ReadLandmarkFile(p, spec, outl, false));
  const TOutline& first = *outl.Items(0)->OutlineList()->Items(0);
  EXPECT_EQ(first.kind(), OutlineXY);
  EXPECT_EQ(first.n(), 200u);
}

}  // namespace
