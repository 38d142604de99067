#include "model/Specimen.h"

#include <cmath>

#include "model/Checked.h"
#include "model/Errors.h"

namespace {
int AsInt(std::uint32_t v) {
  return CheckedCount(static_cast<long long>(v));
}
}  // namespace

TSpecimen::TSpecimen(std::uint32_t n, std::uint32_t dims) : FnLM(n), FnDims(dims) {
  const int count = AsInt(n);
  if (n == 0) return;
  if (dims == 2)
    Fxy = std::make_unique<Txy>(count);
  else
    Fxyz = std::make_unique<Txyz>(count);
}

void TSpecimen::SetXY(std::unique_ptr<Txy> xy) {
  FnLM = xy ? static_cast<std::uint32_t>(xy->n()) : 0;
  FnDims = 2;
  Fxy = std::move(xy);
  Fxyz.reset();
}

void TSpecimen::SetXYZ(std::unique_ptr<Txyz> xyz) {
  FnLM = xyz ? static_cast<std::uint32_t>(xyz->n()) : 0;
  FnDims = 3;
  Fxyz = std::move(xyz);
  Fxy.reset();
}

std::uint32_t TSpecimen::nCurves() const {
  return FCurves ? static_cast<std::uint32_t>(FCurves->Count()) : 0;
}

bool TSpecimen::ValidLM(std::uint32_t i, std::uint32_t j) const {
  if (i < 1 || i > FnLM || j < 1 || j > FnDims) return false;
  if (FnDims == 2) return Fxy && static_cast<int>(i) <= Fxy->n();
  return Fxyz && static_cast<int>(i) <= Fxyz->n() && j <= 3;
}

double TSpecimen::getXY3(std::uint32_t i, std::uint32_t j) const {
  if (!ValidLM(i, j)) ThrowOutOfBounds("TSpecimen.GetXY3", {i, j});
  return FnDims == 2 ? Fxy->Getij(static_cast<int>(i), static_cast<int>(j))
                     : Fxyz->Getij(static_cast<int>(i), static_cast<int>(j));
}

void TSpecimen::putXY3(std::uint32_t i, std::uint32_t j, double x) {
  if (!ValidLM(i, j)) ThrowOutOfBounds("TSpecimen.putXY3", {i, j});
  if (FnDims == 2)
    Fxy->Putij(static_cast<int>(i), static_cast<int>(j), x);
  else
    Fxyz->Putij(static_cast<int>(i), static_cast<int>(j), x);
}

Tcoords TSpecimen::GetXY(std::uint32_t i) const {
  if (!Fxy || i < 1 || i > FnLM || static_cast<int>(i) > Fxy->n())
    ThrowOutOfBounds("TSpecimen.getXY", {i});
  return Fxy->GetXY(static_cast<int>(i));
}

void TSpecimen::PutXY(std::uint32_t i, Tcoords xy) {
  if (!Fxy || i < 1 || i > FnLM || static_cast<int>(i) > Fxy->n())
    ThrowOutOfBounds("TSpecimen.putXY", {i});
  Fxy->PutXY(static_cast<int>(i), xy);
}

Tcoords TSpecimen::GetXYc(std::uint32_t i) const {
  if (!Fxy || i < 1 || i > FnLM || static_cast<int>(i) > Fxy->n())
    ThrowOutOfBounds("TSpecimen.GetXYc", {i});
  const Tcoords p = Fxy->GetXY(static_cast<int>(i));
  return {p.x - Fcentroid.x, p.y - Fcentroid.y};
}

Txy* TSpecimen::CreateCurve(std::uint32_t nPts) {
  auto curve = std::make_unique<Txy>(AsInt(nPts));
  if (!FCurves) FCurves = std::make_unique<TxyList>();
  return FCurves->Add(std::move(curve));
}

Txy& TSpecimen::CurveChecked(std::uint32_t i, const char* tag,
                             std::initializer_list<long long> idx) const {
  if (i < 1 || i > nCurves()) ThrowOutOfBounds(tag, idx);
  return *FCurves->Items(static_cast<int>(i - 1));
}

std::uint32_t TSpecimen::GetNcurvesI(std::uint32_t i) const {
  return static_cast<std::uint32_t>(CurveChecked(i, "TSpecimen.GetNcurves", {i}).n());
}

Tcoords TSpecimen::getCXY(std::uint32_t i, std::uint32_t j) const {
  const Txy& c = CurveChecked(i, "TSpecimen.GetCXY", {i, j});
  if (j < 1 || static_cast<long long>(j) > c.n()) ThrowOutOfBounds("TSpecimen.GetCXY", {i, j});
  return c.GetXY(static_cast<int>(j));
}

void TSpecimen::putCXY(std::uint32_t i, std::uint32_t j, Tcoords xy) {
  Txy& c = CurveChecked(i, "TSpecimen.PutCXY", {i, j});
  if (j < 1 || static_cast<long long>(j) > c.n()) ThrowOutOfBounds("TSpecimen.PutCXY", {i, j});
  c.PutXY(static_cast<int>(j), xy);
}

double TSpecimen::GetCxy3(std::uint32_t i, std::uint32_t j, std::uint32_t k) const {
  const Txy& c = CurveChecked(i, "TSpecimen.GetCXY3", {i, j, k});
  if (j < 1 || static_cast<long long>(j) > c.n() || k < 1 || k > 2)
    ThrowOutOfBounds("TSpecimen.GetCXY3", {i, j, k});
  return c.Getij(static_cast<int>(j), static_cast<int>(k));
}

void TSpecimen::PutCxy3(std::uint32_t i, std::uint32_t j, std::uint32_t k, double x) {
  Txy& c = CurveChecked(i, "TSpecimen.PutCXY3", {i, j, k});
  if (j < 1 || static_cast<long long>(j) > c.n() || k < 1 || k > 2)
    ThrowOutOfBounds("TSpecimen.PutCXY3", {i, j, k});
  c.Putij(static_cast<int>(j), static_cast<int>(k), x);
}

void TSpecimen::Centroids() {
  if (FnLM == 0) return;
  if (FnDims == 2 && Fxy && static_cast<std::uint32_t>(Fxy->n()) == FnLM) {
    // The common 2-D case straight over the points: the reader runs this per specimen.
    double sx = 0, sy = 0;
    for (const Tcoords& p : Fxy->Points()) sx += p.x, sy += p.y;
    Fcentroid.x = sx / FnLM;
    Fcentroid.y = sy / FnLM;
    double S = 0;
    for (const Tcoords& p : Fxy->Points()) {
      const double dx = p.x - Fcentroid.x, dy = p.y - Fcentroid.y;
      S += dx * dx + dy * dy;
    }
    FCsize = S > 1e-15 ? std::sqrt(S) : 0;
    return;
  }
  double S = 0;
  for (std::uint32_t j = 1; j <= FnDims; ++j) {
    double sum = 0;
    for (std::uint32_t i = 1; i <= FnLM; ++i) sum += getXY3(i, j);
    Fcentroid.Set(static_cast<int>(j), sum / FnLM);
  }
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) {
      const double d = getXY3(i, j) - Fcentroid.Get(static_cast<int>(j));
      S += d * d;
    }
  FCsize = S > 1e-15 ? std::sqrt(S) : 0;
}

void TSpecimen::MinMax() {
  if (FnLM == 0) return;
  const bool three = FnDims == 3;
  if (!three && Fxy && static_cast<std::uint32_t>(Fxy->n()) == FnLM) {
    const auto& pts = Fxy->Points();
    FXmin = FXmax = pts[0].x;
    FYmin = FYmax = pts[0].y;
    for (const Tcoords& p : pts) {
      if (p.x < FXmin) FXmin = p.x;
      if (p.x > FXmax) FXmax = p.x;
      if (p.y < FYmin) FYmin = p.y;
      if (p.y > FYmax) FYmax = p.y;
    }
  } else {
    FXmin = FXmax = getXY3(1, 1);
    FYmin = FYmax = getXY3(1, 2);
    if (three) FZmin = FZmax = getXY3(1, 3);
    for (std::uint32_t i = 2; i <= FnLM; ++i) {
      const double x = getXY3(i, 1), y = getXY3(i, 2);
      if (x < FXmin) FXmin = x;
      if (x > FXmax) FXmax = x;
      if (y < FYmin) FYmin = y;
      if (y > FYmax) FYmax = y;
      if (three) {
        const double z = getXY3(i, 3);
        if (z < FZmin) FZmin = z;
        if (z > FZmax) FZmax = z;
      }
    }
  }
  if (!FCurves) return;
  for (int c = 0; c < FCurves->Count(); ++c)
    for (const Tcoords& p : FCurves->Items(c)->Points()) {
      if (p.x < FXmin)
        FXmin = p.x;
      else if (p.x > FXmax)
        FXmax = p.x;
      if (p.y < FYmin)
        FYmin = p.y;
      else if (p.y > FYmax)
        FYmax = p.y;
    }
}

void TSpecimen::Center() {
  if (FnLM == 0) return;
  Centroids();
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j)
      putXY3(i, j, getXY3(i, j) - Fcentroid.Get(static_cast<int>(j)));
  for (std::uint32_t j = 1; j <= FnDims; ++j) Fcentroid.Set(static_cast<int>(j), 0);
}

void TSpecimen::Normalize() {
  Centroids();
  MinMax();
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j)
      putXY3(i, j, getXY3(i, j) - Fcentroid.Get(static_cast<int>(j)));
  FXmin -= Fcentroid.x;
  FXmax -= Fcentroid.x;
  FYmin -= Fcentroid.y;
  FYmax -= Fcentroid.y;
  if (FnDims == 3) {
    FZmin -= Fcentroid.z;
    FZmax -= Fcentroid.z;
  }
  if (FCsize > 1e-15) {
    const double s = FCsize;
    for (std::uint32_t i = 1; i <= FnLM; ++i)
      for (std::uint32_t j = 1; j <= FnDims; ++j) putXY3(i, j, getXY3(i, j) / s);
    FXmin /= s;
    FXmax /= s;
    FYmin /= s;
    FYmax /= s;
    if (FnDims == 3) {
      FZmin /= s;
      FZmax /= s;
    }
    FCsize = 1;
  }
  for (std::uint32_t j = 1; j <= FnDims; ++j) Fcentroid.Set(static_cast<int>(j), 0);
  Fscale = 0;
}

void TSpecimen::Mult(double s) {
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) putXY3(i, j, getXY3(i, j) * s);
  FCsize *= s;
  FXmin *= s;
  FXmax *= s;
  FYmin *= s;
  FYmax *= s;
}

void TSpecimen::Reflect() {
  const std::uint32_t j = FnDims == 2 ? 2 : 3;
  for (std::uint32_t i = 1; i <= FnLM; ++i) putXY3(i, j, -getXY3(i, j));
}

void TSpecimen::KeepLandmarks(const TSetOfByte& keep) {
  std::vector<std::uint32_t> kept;
  for (std::uint32_t i = 1; i <= FnLM && i <= 255; ++i)
    if (keep.test(i)) kept.push_back(i);
  const int n = static_cast<int>(kept.size());
  if (FnDims == 2) {
    auto xy = std::make_unique<Txy>(n);
    if (Fxy) xy->SetID(Fxy->ID());
    for (int k = 1; k <= n; ++k) xy->PutXY(k, GetXY(kept[static_cast<std::size_t>(k - 1)]));
    Fxy = n > 0 ? std::move(xy) : nullptr;
  } else {
    auto xyz = std::make_unique<Txyz>(n);
    for (int k = 1; k <= n; ++k)
      xyz->PutXYZ(k, Fxyz->GetXYZ(static_cast<int>(kept[static_cast<std::size_t>(k - 1)])));
    Fxyz = n > 0 ? std::move(xyz) : nullptr;
  }
  FnLM = static_cast<std::uint32_t>(n);
  Centroids();
}

void TSpecimen::Sum(const TSpecimen& other) {
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) putXY3(i, j, getXY3(i, j) + other.getXY3(i, j));
}

double TSpecimen::Diff(const TSpecimen& other) const {
  double d = 0;
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) {
      const double e = getXY3(i, j) - other.getXY3(i, j);
      d += e * e;
    }
  return d;
}

void TSpecimen::Copy(const TSpecimen& other) {
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) putXY3(i, j, other.getXY3(i, j));
  FCsize = other.FCsize;
  for (std::uint32_t j = 1; j <= FnDims; ++j)
    Fcentroid.Set(static_cast<int>(j), other.Fcentroid.Get(static_cast<int>(j)));
  FXmin = other.FXmin;
  FXmax = other.FXmax;
  FYmin = other.FYmin;
  FYmax = other.FYmax;
  FZmin = other.FZmin;
  FZmax = other.FZmax;
  FImageFn = other.FImageFn;
  Fscale = other.Fscale;
  FOrigScale = other.FOrigScale;
}

void TSpecimen::CopyTo(std::unique_ptr<TSpecimen>& other) const {
  if (!other) other = std::make_unique<TSpecimen>(FnLM, FnDims);
  if (Fxy) Fxy->CopyTo(other->Fxy);
  if (Fxyz) Fxyz->CopyTo(other->Fxyz);
  other->FCsize = FCsize;
  for (std::uint32_t j = 1; j <= FnDims && j <= 3; ++j)
    other->Fcentroid.Set(static_cast<int>(j), Fcentroid.Get(static_cast<int>(j)));
  other->FXmin = FXmin;
  other->FXmax = FXmax;
  other->FYmin = FYmin;
  other->FYmax = FYmax;
  other->FZmin = FZmin;
  other->FZmax = FZmax;
  if (FCurves) FCurves->CopyTo(other->FCurves);
  if (FOutlineList) FOutlineList->CopyTo(other->FOutlineList);
  other->FImageFn = FImageFn;
  other->Fscale = Fscale;
  other->Fid = Fid;
  other->Fcomment = Fcomment;
  other->Fvariables = Fvariables;
  other->FOrigScale = FOrigScale;
}

void TSpecimen::clear() {
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= FnDims; ++j) putXY3(i, j, 0);
  FCsize = 0;
  for (std::uint32_t j = 1; j <= FnDims && j <= 3; ++j) Fcentroid.Set(static_cast<int>(j), 0);
  FXmin = FXmax = FYmin = FYmax = FZmin = FZmax = 0;
  FCurves.reset();
  Fscale = 0;
}

void TSpecimen::SaveOrigScale() {
  FOrigScale = Fscale;
  FOrigCsize = FCsize;
  for (std::uint32_t j = 1; j <= FnDims && j <= 3; ++j)
    FOrigCentroid.Set(static_cast<int>(j), Fcentroid.Get(static_cast<int>(j)));
}

void TSpecimen::RestoreOrigScale() {
  if (FnDims != 2) return;
  Fscale = FOrigScale;
  if (FnLM > 0 && FCsize == 0) throw EMathError("Floating point division by zero: centroid size 0");
  for (std::uint32_t i = 1; i <= FnLM; ++i)
    for (std::uint32_t j = 1; j <= 2; ++j) {
      const int jj = static_cast<int>(j);
      putXY3(i, j,
             FOrigCentroid.Get(jj) + (getXY3(i, j) - Fcentroid.Get(jj)) * FOrigCsize / FCsize);
    }
  FCsize = FOrigCsize;
  Fcentroid.x = FOrigCentroid.x;
  Fcentroid.y = FOrigCentroid.y;
  MinMax();
}

void TSpecimen::print(const AddProc& add, int width, int decimal) const {
  if (Fxy)
    Fxy->print(add, width, decimal);
  else if (Fxyz)
    Fxyz->print(add, width, decimal);
}

void TdataList::CopyTo(std::unique_ptr<TdataList>& NewData) const {
  if (!NewData) NewData = std::make_unique<TdataList>();
  NewData->Clear();
  NewData->FAnyImages = FAnyImages;
  for (int k = 0; k < Count(); ++k) {
    const TSpecimen* s = Items(k);
    auto copy = std::make_unique<TSpecimen>(s->nLM(), s->nDims());
    s->CopyTo(copy);
    NewData->Add(std::move(copy));
  }
}

void TdataList::print(const AddProc& add, int width, int decimal) const {
  for (int k = 0; k < Count(); ++k) Items(k)->print(add, width, decimal);
}
