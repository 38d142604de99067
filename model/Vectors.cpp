#include "model/Vectors.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "model/Checked.h"
#include "model/Errors.h"
#include "model/NumberFormat.h"
#include "model/Text.h"
#include "model/TextFile.h"

namespace {
inline std::size_t At(int i) {
  return static_cast<std::size_t>(i - 1);
}
}  // namespace

double Tcoords3::Get(int j) const {
  switch (j) {
    case 1:
      return x;
    case 2:
      return y;
    case 3:
      return z;
    default:
      ThrowOutOfBounds("Tcoords3.get", {j});
  }
}

void Tcoords3::Set(int j, double v) {
  switch (j) {
    case 1:
      x = v;
      break;
    case 2:
      y = v;
      break;
    case 3:
      z = v;
      break;
    default:
      ThrowOutOfBounds("Tcoords3.set", {j});
  }
}

void ThrowListIndex(int k) {
  throw EListError("List index out of bounds (" + std::to_string(k) + ")");
}

// ---- TiVect

TiVect::TiVect(int n) : FiVect(static_cast<std::size_t>(CheckedCount(n))), Fn(n) {}

int TiVect::geti(int i) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiVect.geti", {i});
  return FiVect[At(i)];
}

void TiVect::Puti(int i, int ii) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiVect.puti", {i});
  FiVect[At(i)] = ii;
}

void TiVect::CopyTo(std::unique_ptr<TiVect>& dest) const {
  if (!dest) dest = std::make_unique<TiVect>(Fn);
  for (int i = 1; i <= Fn; ++i) dest->Puti(i, FiVect[At(i)]);
}

void TiVect::print(const AddProc& add, int width) const {
  add("");
  for (int i = 1; i <= Fn; ++i) add(FormatInt(i, 3) + " " + FormatInt(FiVect[At(i)], width));
}

// ---- TVect

TVect::TVect(int n) : Fn(CheckedCount(n)), FVect(static_cast<std::size_t>(n)) {}

double TVect::geti(int i) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TVect.geti", {i});
  return FVect[At(i)];
}

void TVect::Puti(int i, double x) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TVect.puti", {i});
  FVect[At(i)] = x;
}

void TVect::Zero() {
  for (double& v : FVect) v = 0;
  FAverage = 0;
}

void TVect::ScalarMult(double f) {
  for (double& v : FVect) v *= f;
}

void TVect::Inverse() {
  for (double& v : FVect) {
    if (v == 0) throw EMathError("Floating point division by zero");
    v = 1 / v;
  }
}

void TVect::MinMax(double& min, double& max) const {
  min = geti(1);
  max = min;
  for (double v : FVect) {
    if (v < min) min = v;
    if (v > max) max = v;
  }
}

void TVect::GetAverage() {
  if (Fn == 0) throw EMathError("Invalid floating point operation: average of no elements");
  double sum = 0;
  for (double v : FVect) sum += v;
  FAverage = sum / Fn;
}

void TVect::CopyTo(std::unique_ptr<TVect>& dest) const {
  if (!dest) dest = std::make_unique<TVect>(Fn);
  for (int i = 1; i <= Fn; ++i) dest->Puti(i, FVect[At(i)]);
}

void TVect::print(const AddProc& add, unsigned width, unsigned decimal) const {
  add("");
  for (int i = 1; i <= Fn; ++i)
    add(FormatInt(i, 3) + " " +
        FormatFixedD(FVect[At(i)], static_cast<int>(width), static_cast<int>(decimal)));
}

// ---- Tixy

Tixy::Tixy(int n) : Fn(CheckedCount(n)), Fixy(static_cast<std::size_t>(n)) {}

void Tixy::IncreaseSize(int num) {
  const int n = CheckedCount(CheckedAdd<long long>(Fn, num));
  Fixy.resize(static_cast<std::size_t>(n));
  Fn = n;
}

void Tixy::DeletePoint(int i) {
  if (Fn <= 1) return;
  if (i < 1) ThrowOutOfBounds("TiXY.DeletePoint", {i});
  if (i < Fn)
    Fixy.erase(Fixy.begin() + (i - 1));
  else
    Fixy.pop_back();
  --Fn;
}

Ticoords Tixy::GetXY(int i) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiXY.putXY", {i});
  return Fixy[At(i)];
}

void Tixy::PutXY(int i, Ticoords ixy) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiXY.putXY", {i});
  Fixy[At(i)] = ixy;
}

int Tixy::Getij(int i, int j) const {
  if (i < 1 || i > Fn || j < 1 || j > 2) ThrowOutOfBounds("TiXY.get", {i, j});
  return j == 1 ? Fixy[At(i)].x : Fixy[At(i)].y;
}

void Tixy::Putij(int i, int j, int xx) {
  if (i < 1 || i > Fn || j < 1 || j > 2) ThrowOutOfBounds("TiXY.put", {i, j});
  (j == 1 ? Fixy[At(i)].x : Fixy[At(i)].y) = xx;
}

void Tixy::Getixy(int i, int& xx, int& yy) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiXY.get", {i});
  xx = Fixy[At(i)].x;
  yy = Fixy[At(i)].y;
}

void Tixy::Putixy(int i, int xx, int yy) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TiXY.put", {i});
  Fixy[At(i)] = {xx, yy};
}

void Tixy::CopyTo(std::unique_ptr<Tixy>& Another) const {
  auto copy = std::make_unique<Tixy>(Fn);
  copy->Fixy = Fixy;
  Another = std::move(copy);
}

void Tixy::print(const AddProc& add, int width) const {
  for (int i = 1; i <= Fn; ++i)
    add(FormatInt(i, 3) + " " + FormatInt(Fixy[At(i)].x, width) + " " +
        FormatInt(Fixy[At(i)].y, width));
}

// ---- coordinate lines

namespace {

void ConvertWords(const std::string_view* words, int dims, double* out) {
  for (int k = 0; k < dims; ++k) {
    try {
      out[k] = StrToFloatD(words[k]);
    } catch (const EConvertError& e) {
      throw ElmkException(std::string(e.what()) + "\nBad decimal character in coordinates?");
    }
  }
}

}  // namespace

// The common line of plain decimals in one pass, without building words. Answers false for
// anything unusual (signs are fine; exponents, quotes, other characters are not), and the
// caller then takes the general path, which also gives the exact message.
static bool FastCoordinateLine(std::string_view s, int dims, double* out) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  const char sep = DecimalSeparator();
  const char* p = s.data();
  const char* end = p + s.size();
  int count = 0;
  for (;;) {
    while (p < end && static_cast<unsigned char>(*p) <= ' ') ++p;
    if (p == end) break;
    if (count == dims) return false;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    std::uint64_t m = 0;
    const char* first = p;
    while (p < end && static_cast<unsigned>(*p - '0') < 10u)
      m = m * 10 + static_cast<unsigned>(*p++ - '0');
    long digits = p - first, decimals = 0;
    if (p < end && *p == sep) {
      const char* fraction = ++p;
      while (p < end && static_cast<unsigned>(*p - '0') < 10u)
        m = m * 10 + static_cast<unsigned>(*p++ - '0');
      decimals = p - fraction;
      digits += decimals;
    }
    if (digits == 0 || digits > 15 || (p<end&& static_cast<unsigned char>(*p)> ' ')) return false;
    const double v = static_cast<double>(m) / kPow10[decimals];
    out[count++] = negative ? -v : v;
  }
  return count == dims;
}

void ParseCoordinateLine(std::string_view s, int dims, double* out) {
  if (FastCoordinateLine(s, dims, out)) return;
  const char other = OtherDecimalChar();
  if (s.find(other) != std::string_view::npos)
    throw ElmkException(std::string(1, other) + " character found" + " but decimal option set to " +
                        std::string(1, DecimalSeparator()) + "\n" +
                        "Change decimal separation character?");
  auto badCount = [&]() {
    return ElmkException("Error in reading coordinates: " + std::string(s));
  };
  if (s.find('"') == std::string_view::npos) {
    // Without quotes the words are the runs of characters above the blank.
    std::string_view words[3];
    int count = 0;
    std::size_t p = 0;
    while (true) {
      while (p < s.size() && static_cast<unsigned char>(s[p]) <= ' ') ++p;
      if (p >= s.size()) break;
      const std::size_t b = p;
      while (p < s.size() && static_cast<unsigned char>(s[p]) > ' ') ++p;
      if (count == dims) throw badCount();
      words[count++] = s.substr(b, p - b);
    }
    if (count != dims) throw badCount();
    ConvertWords(words, dims, out);
    return;
  }
  std::vector<std::string> list;
  if (SplitWords(s, ' ', list) != dims) throw badCount();
  std::string_view words[3];
  for (int k = 0; k < dims; ++k) words[k] = list[static_cast<std::size_t>(k)];
  ConvertWords(words, dims, out);
}

// ---- Txy

Txy::Txy(int n) : Fn(CheckedCount(n)), Fxy(static_cast<std::size_t>(n)) {}

Tcoords Txy::GetXY(int i) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TXY.putXY", {i});
  return Fxy[At(i)];
}

void Txy::PutXY(int i, Tcoords xy) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TXY.putXY", {i});
  Fxy[At(i)] = xy;
}

double Txy::Getij(int i, int j) const {
  if (i < 1 || i > Fn || j < 1 || j > 2) ThrowOutOfBounds("TXY.get", {i, j});
  return j == 1 ? Fxy[At(i)].x : Fxy[At(i)].y;
}

void Txy::Putij(int i, int j, double xx) {
  if (i < 1 || i > Fn || j < 1 || j > 2) ThrowOutOfBounds("TXY.put", {i, j});
  (j == 1 ? Fxy[At(i)].x : Fxy[At(i)].y) = xx;
}

void Txy::ReadFile(TTextFile& f) {
  double v[2];
  for (int i = 1; i <= Fn; ++i) {
    ParseCoordinateLine(f.ReadLine(), 2, v);
    Fxy[At(i)] = {v[0], v[1]};
  }
}

void Txy::CopyTo(std::unique_ptr<Txy>& other) const {
  if (!other) other = std::make_unique<Txy>(Fn);
  for (int i = 1; i <= Fn; ++i) other->PutXY(i, Fxy[At(i)]);
}

void Txy::CopyToInt(std::unique_ptr<Tixy>& other) const {
  if (!other) other = std::make_unique<Tixy>(Fn);
  for (int i = 1; i <= Fn; ++i)
    other->Putixy(i, RoundToInt(Fxy[At(i)].x), RoundToInt(Fxy[At(i)].y));
}

void Txy::MultBy(double s) {
  for (Tcoords& p : Fxy) {
    p.x *= s;
    p.y *= s;
  }
}

namespace {
double& Coord(Tcoords& p, int j) {
  return j == 0 ? p.x : p.y;
}
double& Coord(Tcoords3& p, int j) {
  return j == 0 ? p.x : (j == 1 ? p.y : p.z);
}

// Centres the points and divides them by their size; needs points that are not all equal.
template <typename Point, int Dims>
double NormalizePoints(std::vector<Point>& pts) {
  if (pts.empty()) throw EMathError("Invalid floating point operation: no points to normalize");
  double mean[3] = {0, 0, 0};
  for (Point& p : pts)
    for (int j = 0; j < Dims; ++j) mean[j] += Coord(p, j);
  for (int j = 0; j < Dims; ++j) mean[j] /= static_cast<double>(pts.size());
  double S = 0;
  for (Point& p : pts)
    for (int j = 0; j < Dims; ++j) {
      Coord(p, j) -= mean[j];
      S += Coord(p, j) * Coord(p, j);
    }
  if (S == 0) throw EMathError("Floating point division by zero: all points are equal");
  const double size = std::sqrt(S);
  for (Point& p : pts)
    for (int j = 0; j < Dims; ++j) Coord(p, j) /= size;
  return size;
}
}  // namespace

void Txy::Normalize(double& csize) {
  csize = NormalizePoints<Tcoords, 2>(Fxy);
}

void Txy::print(const AddProc& add, int width, int decimal) const {
  add("---" + Fid);
  for (int i = 1; i <= Fn; ++i)
    add(FormatInt(i, 3) + " " + FormatFixedD(Fxy[At(i)].x, width, decimal) + " " +
        FormatFixedD(Fxy[At(i)].y, width, decimal));
}

// ---- Txyz

Txyz::Txyz(int n) : Fn(CheckedCount(n)), Fxyz(static_cast<std::size_t>(n)) {}

Tcoords3 Txyz::GetXYZ(int i) const {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TXYZ.putXYZ", {i});
  return Fxyz[At(i)];
}

void Txyz::PutXYZ(int i, Tcoords3 xyz) {
  if (i < 1 || i > Fn) ThrowOutOfBounds("TXYZ.putXYZ", {i});
  Fxyz[At(i)] = xyz;
}

double Txyz::Getij(int i, int j) const {
  if (i < 1 || i > Fn || j < 1 || j > 3) ThrowOutOfBounds("TXYZ.get", {i, j});
  return Fxyz[At(i)].Get(j);
}

void Txyz::Putij(int i, int j, double xx) {
  if (i < 1 || i > Fn || j < 1 || j > 3) ThrowOutOfBounds("TXYZ.put", {i, j});
  Fxyz[At(i)].Set(j, xx);
}

void Txyz::ReadFile(TTextFile& f) {
  double v[3];
  for (int i = 1; i <= Fn; ++i) {
    ParseCoordinateLine(f.ReadLine(), 3, v);
    Fxyz[At(i)] = {v[0], v[1], v[2]};
  }
}

void Txyz::CopyTo(std::unique_ptr<Txyz>& other) const {
  if (!other) other = std::make_unique<Txyz>(Fn);
  for (int i = 1; i <= Fn; ++i) other->PutXYZ(i, Fxyz[At(i)]);
}

void Txyz::Normalize() {
  NormalizePoints<Tcoords3, 3>(Fxyz);
}

void Txyz::print(const AddProc& add, int width, int decimal) const {
  for (int i = 1; i <= Fn; ++i) {
    const Tcoords3& p = Fxyz[At(i)];
    add(FormatInt(i, 3) + " " + FormatFixedD(p.x, width, decimal) + " " +
        FormatFixedD(p.y, width, decimal) + " " + FormatFixedD(p.z, width, decimal));
  }
}

// ---- lists

void TixyList::CopyTo(std::unique_ptr<TixyList>& other) const {
  if (!other) other = std::make_unique<TixyList>();
  other->Clear();
  for (int k = 0; k < Count(); ++k) {
    std::unique_ptr<Tixy> copy;
    Items(k)->CopyTo(copy);
    other->Add(std::move(copy));
  }
}

void TxyList::CopyTo(std::unique_ptr<TxyList>& other) const {
  if (!other) other = std::make_unique<TxyList>();
  other->Clear();
  for (int k = 0; k < Count(); ++k) {
    std::unique_ptr<Txy> copy;
    Items(k)->CopyTo(copy);
    other->Add(std::move(copy));
  }
}

void TxyList::CopyToInt(std::unique_ptr<TixyList>& other) const {
  if (!other) other = std::make_unique<TixyList>();
  for (int k = 0; k < Count(); ++k) {
    std::unique_ptr<Tixy> copy;
    Items(k)->CopyToInt(copy);
    other->Add(std::move(copy));
  }
}
