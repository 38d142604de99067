// Whatever the writer produces reads back into the same specimens, and writing those again
// gives the same bytes: for every readable corpus file and for many generated lists.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "WriterTestUtil.h"

namespace fs = std::filesystem;

namespace {

// The words of a text, split at blanks and control characters: what no writing may change.
std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> w;
  std::string cur;
  for (char c : s) {
    if (static_cast<unsigned char>(c) <= ' ') {
      if (!cur.empty()) w.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) w.push_back(cur);
  return w;
}

// The text as the reader gives back the line written for it: a one-word text gets a blank.
std::string AsReadBack(const std::string& written) {
  return written.find(' ') == std::string::npos ? written + " " : written;
}

// Within the rounding of the format: 7 significant digits and 5 decimals.
void ExpectNear75(double a, double b, const char* what) {
  EXPECT_LE(std::fabs(a - b), 0.6e-5 + 6e-7 * std::fabs(a)) << what << " " << a << " " << b;
}

enum TPathMode { IncludePath, BareName, AddFolder };

struct TCompare {
  bool exactTexts;  // the first list came from the reader itself
  TPathMode paths;
};

void ExpectText(const std::string& x, const std::string& y, const TCompare& how,
                const std::string& defaultText, const char* what) {
  SCOPED_TRACE(what);
  if (x.empty()) {
    EXPECT_EQ(y, defaultText);
    return;
  }
  EXPECT_EQ(Words(x), Words(y));
  EXPECT_EQ(y, AsReadBack(LmkLineText(x)));
  // Texts the reader made come back unchanged; only its default IDs ("0", "1", ...) come
  // back from their ID= lines with the blank the reader adds to a one-word text.
  if (how.exactTexts) {
    EXPECT_EQ(y, AsReadBack(x));
  }
}

void ExpectOutline(const TOutline& a, const TOutline& b) {
  ASSERT_EQ(a.kind(), b.kind());
  ASSERT_EQ(a.n(), b.n());
  const std::uint32_t n = a.n();
  switch (a.kind()) {
    case OutlineChain:
      EXPECT_EQ(a.x1(), b.x1());
      EXPECT_EQ(a.y1(), b.y1());
      for (std::uint32_t i = 1; i <= n; ++i) ASSERT_EQ(a.geti(i) & 7, b.geti(i)) << "code " << i;
      break;
    case OutlineRadii:
      EXPECT_EQ(a.x1(), b.x1());
      EXPECT_EQ(a.y1(), b.y1());
      ExpectNear75(a.xBar(), b.xBar(), "xBar");
      ExpectNear75(a.yBar(), b.yBar(), "yBar");
      EXPECT_EQ(n >= 2 && a.clockwise(), b.clockwise());
      for (std::uint32_t i = 1; i <= n; ++i) ExpectNear75(a.getri(i), b.getri(i), "radius");
      break;
    case OutlineRadiiXY:
      for (std::uint32_t i = 1; i <= n; ++i) {
        ASSERT_EQ(a.getRij(i, 1), b.getRij(i, 1));
        ASSERT_EQ(a.getRij(i, 2), b.getRij(i, 2));
      }
      break;
    case OutlineXY:
      for (std::uint32_t i = 1; i <= n; ++i) {
        ASSERT_EQ(a.getPij(i, 1), b.getPij(i, 1));
        ASSERT_EQ(a.getPij(i, 2), b.getPij(i, 2));
      }
      break;
  }
}

void ExpectSameSpecimens(const TdataList& x, const TdataList& y, const TCompare& how) {
  ASSERT_EQ(x.Count(), y.Count());
  for (int k = 0; k < x.Count(); ++k) {
    SCOPED_TRACE("specimen " + std::to_string(k + 1));
    const TSpecimen& a = *x.Items(k);
    const TSpecimen& b = *y.Items(k);
    ASSERT_EQ(a.nDims() == 2 ? 2u : 3u, b.nDims());
    ASSERT_EQ(a.nLM(), b.nLM());
    for (std::uint32_t i = 1; i <= a.nLM(); ++i)
      for (std::uint32_t j = 1; j <= b.nDims(); ++j)
        ExpectNear75(a.getXY3(i, j), b.getXY3(i, j), "landmark");
    ASSERT_EQ(a.nCurves(), b.nCurves());
    for (std::uint32_t c = 1; c <= a.nCurves(); ++c) {
      ASSERT_EQ(a.GetNcurvesI(c), b.GetNcurvesI(c));
      for (std::uint32_t p = 1; p <= a.GetNcurvesI(c); ++p)
        for (std::uint32_t j = 1; j <= 2; ++j)
          ExpectNear75(a.GetCxy3(c, p, j), b.GetCxy3(c, p, j), "curve point");
    }
    const int na = a.OutlineList() ? a.OutlineList()->Count() : 0;
    const int nb = b.OutlineList() ? b.OutlineList()->Count() : 0;
    ASSERT_EQ(na, nb);
    for (int o = 0; o < na; ++o)
      ExpectOutline(*a.OutlineList()->Items(o), *b.OutlineList()->Items(o));
    const std::string id = std::to_string(k);
    ExpectText(a.ID(), b.ID(), how, id, "ID");
    ExpectText(a.comment(), b.comment(), how, "", "comment");
    ExpectText(a.Variables(), b.Variables(), how, "", "variables");
    // With the folder option the writer has already put the folder into a's name.
    const std::string image = how.paths == BareName ? ExtractFileName(a.ImageFn()) : a.ImageFn();
    EXPECT_EQ(b.ImageFn(), LmkLineText(image));
    if (how.exactTexts && how.paths == IncludePath) {
      EXPECT_EQ(b.ImageFn(), a.ImageFn());
    }
    // A scale that rounds to 1 means none; one that rounds to 0 keeps 8 digits.
    if (a.scale() == 0 || a.scale() == 1 || F86(a.scale()) == F86(1)) {
      EXPECT_EQ(b.scale(), 0);
    } else if (std::fabs(a.scale()) >= 5e-7) {
      EXPECT_EQ(F86(b.scale()), F86(a.scale()));
    } else {
      EXPECT_NEAR(b.scale() / a.scale(), 1, 1e-7);
    }
  }
}

bool AnyEmptyId(const TdataList& data) {
  for (int k = 0; k < data.Count(); ++k)
    if (data.Items(k)->ID().empty()) return true;
  return false;
}

// write, read, compare, write again: the same bytes.
void RoundTrip(TdataList& x, const TCompare& how) {
  const bool emptyIds = AnyEmptyId(x);
  const bool include = how.paths == IncludePath, addPath = how.paths == AddFolder;
  const std::string once = WriteLmk(x, include, addPath, "C:\\work\\");
  TdataList y;
  const TRecordedRead r = ReadText(once, y);
  ASSERT_TRUE(r.ok && r.error.empty() && r.boxes.empty())
      << "does not read back: " << r.error << " at line " << r.report.Line;
  ExpectSameSpecimens(x, y, how);
  std::string twice = WriteLmk(y, include, addPath, "C:\\work\\");
  if (emptyIds) {
    // Missing IDs come back as the reader's default IDs; from then on nothing moves.
    TdataList z;
    ASSERT_TRUE(ReadLmkText(twice, z));
    EXPECT_EQ(WriteLmk(z, include, addPath, "C:\\work\\"), twice);
  } else {
    EXPECT_EQ(twice, once);
  }
}

TEST(RoundTrip, EveryReadableCorpusFile) {
  int readable = 0;
  for (const auto& entry : fs::directory_iterator(MORVEX_CORPUS_DIR)) {
    if (entry.path().extension() != ".lmk") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    TdataList x;
    const TRecordedRead r = ReadText(text, x);
    if (!r.ok || !r.error.empty()) continue;
    ++readable;
    for (char sep : {'.', ','}) {
      TDecimalScope scope(sep);
      for (TPathMode mode : {IncludePath, BareName, AddFolder}) RoundTrip(x, {true, mode});
    }
  }
  EXPECT_GE(readable, 8);
}

// ---- generated lists ----

class TGen {
 public:
  explicit TGen(unsigned seed) : FRng(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(FRng); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(FRng) < p; }

  double Coordinate() {
    switch (Int(0, 7)) {
      case 0:
        return Int(-5000, 5000);  // whole pixels
      case 1:
        return Int(-9999999, 9999999) / 1e5;  // five decimals, as files hold them
      case 2:
        return -1;
      case 3:
        return std::uniform_real_distribution<double>(-1e-5, 1e-5)(FRng);  // near zero
      case 4:
        return std::uniform_real_distribution<double>(-1, 1)(FRng) * std::pow(10.0, Int(7, 12));
      default:
        return std::uniform_real_distribution<double>(-1, 1)(FRng) * std::pow(10.0, Int(-3, 6));
    }
  }

  std::string Word() {
    static const char* pieces[] = {
        "a",        "Bee",     "x1",    "caf\xc3\xa9", "\xe9t\xe9", "\x80\xff",        "12.5",
        "C:\\pics", "/home/u", "\"q\"", "=",           "LM=3",      "\xf0\x9f\x90\x9d"};
    return pieces[Int(0, 12)];
  }

  std::string Gap() {
    static const char* gaps[] = {" ", " ", " ", "  ", "\t", " \t ", "\r\n", "\n", "   "};
    return gaps[Int(0, 8)];
  }

  std::string Text() {
    if (Chance(0.15)) return "";
    std::string s = Chance(0.2) ? Gap() : "";
    const int words = Int(1, 5);
    for (int i = 0; i < words; ++i) {
      if (i) s += Gap();
      s += Word();
    }
    if (Chance(0.3)) s += Chance(0.5) ? " " : Gap();
    return s;
  }

  std::string ImageName() {
    if (Chance(0.3)) return "";
    static const char* folders[] = {"", "C:\\data\\", "D:\\my pics\\", "/srv/img/", "rel/"};
    return folders[Int(0, 4)] + Text() + (Chance(0.8) ? ".jpg" : "");
  }

  double Scale() {
    switch (Int(0, 6)) {
      case 0:
        return 0;
      case 1:
        return 1;
      case 2:
        return std::pow(10.0, -Int(7, 10)) * Int(1, 9);  // tiny: kept in exponent form
      case 3:
        return -std::uniform_real_distribution<double>(0, 3)(FRng);
      default:
        return std::uniform_real_distribution<double>(0, 2)(FRng);
    }
  }

  void Specimen(TdataList& data) {
    const std::uint32_t n = static_cast<std::uint32_t>(Int(0, 3) == 0 ? 0 : Int(1, 25));
    const std::uint32_t dims = Chance(0.25) ? 3 : 2;
    auto s = std::make_unique<TSpecimen>(n, dims);
    for (std::uint32_t i = 1; i <= n; ++i)
      for (std::uint32_t j = 1; j <= dims; ++j) s->putXY3(i, j, Coordinate());
    if (Chance(0.4)) {
      const int curves = Int(0, 3);
      for (int c = 0; c < curves; ++c) {
        Txy* curve = s->CreateCurve(static_cast<std::uint32_t>(Chance(0.2) ? 0 : Int(1, 25)));
        for (int p = 1; p <= curve->n(); ++p) curve->PutXY(p, {Coordinate(), Coordinate()});
      }
    }
    if (Chance(0.4)) {
      s->SetOutlineList(std::make_unique<TOutlineList>());
      const int outlines = Int(0, 4);
      for (int o = 0; o < outlines; ++o) Outline(*s);
    }
    s->SetImageFn(ImageName());
    s->SetID(Chance(0.1) ? "" : Text());
    s->SetComment(Chance(0.6) ? "" : Text());
    s->SetVariables(Chance(0.6) ? "" : Text());
    s->SetScale(Scale());
    data.Add(std::move(s));
  }

  void Outline(TSpecimen& s) {
    const int kind = Int(0, 3);
    const int n = Int(0, 4) == 0 ? Int(0, 2) : Int(3, kind == 0 ? 260 : 45);
    if (kind == 0) {
      std::vector<int> codes;
      for (int i = 0; i < n; ++i) codes.push_back(Chance(0.02) ? Int(8, 255) : Int(0, 7));
      AddChain(s, Int(-100000, 100000), Int(-100000, 100000), codes);
    } else if (kind == 1) {
      std::vector<double> radii;
      for (int i = 0; i < n; ++i) radii.push_back(std::fabs(Coordinate()));
      AddRadii(s, Int(-5000, 5000), Int(-5000, 5000), Coordinate(), Coordinate(), radii,
               Chance(0.5));
    } else {
      std::vector<Ticoords> pts;
      for (int i = 0; i < n; ++i) pts.push_back({Int(-1000000, 1000000), Int(-1000000, 1000000)});
      AddPoints(s, kind == 2 ? OutlineRadiiXY : OutlineXY, pts);
    }
  }

 private:
  std::mt19937 FRng;
};

TEST(RoundTrip, GeneratedLists) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TGen gen(seed);
    TdataList x;
    const int specimens = gen.Int(1, 6);
    for (int k = 0; k < specimens; ++k) gen.Specimen(x);
    TDecimalScope scope(seed % 2 ? ',' : '.');
    RoundTrip(x, {false, static_cast<TPathMode>(gen.Int(0, 2))});
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
