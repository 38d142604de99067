#include "model/Outline.h"

#include <algorithm>
#include <climits>
#include <string>

#include "model/Checked.h"
#include "model/Errors.h"

namespace {
int AsIndex(std::uint32_t i) {
  return static_cast<int>(std::min<std::uint32_t>(i, INT_MAX));
}

[[noreturn]] void NoStorage(const char* what) {
  throw ERangeError(std::string("Range check error: the outline has no ") + what);
}
}  // namespace

TOutline::TOutline(std::uint32_t max, int x1, int y1, TOutlineKind OutlineKind, double xBar,
                   double yBar)
    : Fmax(max), Fx1(x1), Fy1(y1), FxBar(xBar), FyBar(yBar), FOutlineKind(OutlineKind) {
  const int capacity = CheckedCount(static_cast<long long>(max));
  switch (OutlineKind) {
    case OutlineChain:
      if (max > MaxChainCodes)
        ThrowRangeError("Range check error: a chain holds at most 12000 codes, not " +
                        std::to_string(max));
      pChain = std::make_unique<std::vector<std::uint8_t>>(max, 0);
      break;
    case OutlineRadii:
      Fradii = std::make_unique<TVect>(capacity);
      break;
    case OutlineRadiiXY:
      FradiiXY = std::make_unique<Tixy>(capacity);
      break;
    case OutlineXY:
      Fpoints = std::make_unique<Tixy>(capacity);
      break;
  }
}

void TOutline::add(std::uint8_t c) {
  if (Fn < Fmax) ++Fn;
  Puti(Fn, c);
}

std::uint8_t TOutline::geti(std::uint32_t i) const {
  if (i < 1 || i > MaxChainCodes)
    ThrowRangeError("Range check error: chain position " + std::to_string(i));
  if (i > Fn) return 0;
  if (!pChain) NoStorage("chain codes");
  if (i > pChain->size())
    ThrowRangeError("Range check error: chain position " + std::to_string(i) + " beyond capacity");
  return (*pChain)[i - 1];
}

void TOutline::Puti(std::uint32_t i, std::uint8_t c) {
  if (!pChain) NoStorage("chain codes");
  if (i < 1 || i > Fmax || i > MaxChainCodes)
    ThrowRangeError("Range check error: chain position " + std::to_string(i));
  (*pChain)[i - 1] = c;
  if (i > Fn) Fn = i;
}

double TOutline::getri(std::uint32_t i) const {
  if (!Fradii) NoStorage("radii");
  if (i > Fn) return 0;
  return Fradii->geti(AsIndex(i));
}

void TOutline::putri(std::uint32_t i, double c) {
  if (!Fradii) NoStorage("radii");
  Fradii->Puti(AsIndex(i), c);
  if (i > Fn) Fn = i;
}

int TOutline::getPij(std::uint32_t i, std::uint32_t j) const {
  if (!Fpoints) NoStorage("points");
  return Fpoints->Getij(AsIndex(i), AsIndex(j));
}

void TOutline::putPij(std::uint32_t i, std::uint32_t j, int x) {
  if (!Fpoints) NoStorage("points");
  Fpoints->Putij(AsIndex(i), AsIndex(j), x);
  if (i > Fn) Fn = i;
}

int TOutline::getRij(std::uint32_t i, std::uint32_t j) const {
  if (!FradiiXY) NoStorage("radii end points");
  if (i > Fn) return 0;
  return FradiiXY->Getij(AsIndex(i), AsIndex(j));
}

void TOutline::putRij(std::uint32_t i, std::uint32_t j, int x) {
  if (!FradiiXY) NoStorage("radii end points");
  FradiiXY->Putij(AsIndex(i), AsIndex(j), x);
  if (i > Fn) Fn = i;
}

void TOutline::CopyElements(TOutline& dest, bool reflect, double base) const {
  for (std::uint32_t i = 1; i <= Fn; ++i) {
    switch (FOutlineKind) {
      case OutlineChain:
        dest.Puti(i, geti(i));
        break;
      case OutlineRadii:
        dest.putri(i, getri(i));
        break;
      case OutlineRadiiXY:
        dest.putRij(i, 1, getRij(i, 1));
        dest.putRij(i, 2, getRij(i, 2));
        break;
      case OutlineXY:
        dest.putPij(i, 1, getPij(i, 1));
        dest.putPij(i, 2, reflect ? RoundToInt(base - getPij(i, 2)) : getPij(i, 2));
        break;
    }
  }
  dest.Fn = Fn;
  dest.FhObj = FhObj;
}

void TOutline::CreateCopy(std::unique_ptr<TOutline>& Another) const {
  if (!Another) Another = std::make_unique<TOutline>(Fmax, Fx1, Fy1, FOutlineKind, FxBar, FyBar);
  CopyElements(*Another, false, 0);
}

void TOutline::CopyTo(std::unique_ptr<TOutline>& other) const {
  CreateCopy(other);
  other->Fclockwise = Fclockwise;
}

void TOutline::CreateCopyRefl(std::unique_ptr<TOutline>& Another, double base) const {
  if (!Another) Another = std::make_unique<TOutline>(Fmax, Fx1, Fy1, FOutlineKind, FxBar, FyBar);
  CopyElements(*Another, true, base);
  Another->Fclockwise = Fclockwise;
}

void TOutline::TruncateRadii(std::uint32_t nNew) {
  if (!Fradii) NoStorage("radii");
  auto radii = std::make_unique<TVect>(CheckedCount(static_cast<long long>(nNew)));
  for (std::uint32_t i = 1; i <= nNew && i <= Fn; ++i)
    radii->Puti(AsIndex(i), Fradii->geti(AsIndex(i)));
  Fradii = std::move(radii);
  Fn = nNew;
  Fmax = nNew;
}

void TOutlineList::CopyTo(std::unique_ptr<TOutlineList>& other) const {
  if (!other) other = std::make_unique<TOutlineList>();
  other->Clear();
  for (int k = 0; k < Count(); ++k) {
    std::unique_ptr<TOutline> copy;
    Items(k)->CopyTo(copy);
    other->Add(std::move(copy));
  }
}
